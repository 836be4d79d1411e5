// The engine's five entry points; the shared library exports them under their C names.
#pragma once
#include "speech/engine/phonavel.h"

#include <cstdint>

namespace speech {

int vocraInit(const char16_t* dataFolder);
int vocraEnd();
int vocraPlay(const char16_t* text, std::uint32_t notifyWindow, VocraCallback callback, void* user);
int vocraStop();
int vocraSetParam(unsigned number, int value);

}  // namespace speech
