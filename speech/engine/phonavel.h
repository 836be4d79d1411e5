// The speech engine's exported entry points.
#pragma once
#include <cstdint>

extern "C" {

// Progress callback: (progress code, value, user value). For codes 2 and 3 a result of 0 ends
// the reading early.
typedef int (*VocraCallback)(int code, int value, void* user);

int VocraInit(const char16_t* dataFolder);
int VocraEnd(void);
int VocraPlay(const char16_t* text, std::uint32_t notifyWindow, VocraCallback callback, void* user);
int VocraStop(void);
int VocraSetParam(unsigned number, int value);

}

namespace speech {

inline constexpr unsigned kWmSpeechStatus = 0x4D99;

// wParam of kWmSpeechStatus.
enum SpeechProgress : int {
  kProgressStarted = 0,
  kProgressEnded = 1,
  kProgressBlockPlayed = 2,
  kProgressBlockQueued = 3,
};

}  // namespace speech
