// The engine's one global state and its play record.
#pragma once
#include "platform/core/waveout.h"
#include "platform/core/window.h"
#include "speech/engine/phonavel.h"
#include "speech/engine/utterance.h"

#include <atomic>
#include <cstdint>
#include <thread>

namespace speech {

enum EngineState : int { kStateUninitialised = 0, kStateIdle = 1, kStatePlaying = 2 };

inline constexpr unsigned kThreadStillActive = 259;

struct PlayRecord {
  Utterance* utterance = nullptr;
  plat::Hwnd notify = 0;
  VocraCallback callback = nullptr;
  void* user = nullptr;
  std::thread thread;
  std::atomic<unsigned> threadExitCode{0};
  plat::WaveOut device = 0;
  std::atomic<bool> deviceOpen{false};
  plat::WaveHeader header;
  std::atomic<bool> blockInFlight{false};
};

struct Engine {
  bool initialised = false;
  std::atomic<int> state{kStateUninitialised};
  SpeechParams params;
  PlayRecord play;
};

Engine& engine();

// Where the playback thread posts its progress, and how a notify window is checked; tests
// replace them. Null restores the platform's.
using StatusPoster = bool (*)(plat::Hwnd hwnd, unsigned msg, std::uint32_t wParam, std::int32_t lParam);
using WindowCheck = bool (*)(plat::Hwnd hwnd);
void setStatusPoster(StatusPoster poster);
void setWindowCheck(WindowCheck check);
bool postStatus(plat::Hwnd hwnd, unsigned msg, std::uint32_t wParam, std::int32_t lParam);
bool isNotifyWindow(plat::Hwnd hwnd);

// Wave output of the play record.
bool openWaveOut(PlayRecord& play);
bool queueWaveBlock(PlayRecord& play, const char* data, std::int32_t length);
void closeWaveOut(PlayRecord& play);
void waveDoneCallback(plat::WaveOut device, unsigned message, std::uintptr_t instance, plat::WaveHeader* header);

// The playback thread's body.
void speechThread(PlayRecord* play);

}  // namespace speech
