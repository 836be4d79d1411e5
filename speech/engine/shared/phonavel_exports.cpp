// The shared library's exported entry points.
#include "speech/engine/phonavel.h"
#include "speech/engine/vocra_api.h"

extern "C" int VocraInit(const char16_t* dataFolder) { return speech::vocraInit(dataFolder); }
extern "C" int VocraEnd(void) { return speech::vocraEnd(); }
extern "C" int VocraPlay(const char16_t* text, std::uint32_t notifyWindow, VocraCallback callback, void* user) {
  return speech::vocraPlay(text, notifyWindow, callback, user);
}
extern "C" int VocraStop(void) { return speech::vocraStop(); }
extern "C" int VocraSetParam(unsigned number, int value) { return speech::vocraSetParam(number, value); }
