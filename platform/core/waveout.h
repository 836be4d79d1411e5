// Wave-out audio: 16-bit mono PCM at 8 kHz, one block at a time handed to a device thread.
// The backend is chosen by the environment variable SUITE_WAVEOUT when a device opens:
//   "wav:<host path>"      appends to a WAV file, paced in real time
//   "wavfast:<host path>"  appends to a WAV file at once (tests)
//   "null"                 discards the samples, paced in real time
//   "alsa"                 the default sound device through libasound, loaded at run time
//   unset or empty         ALSA when it can be opened, else null
#pragma once
#include <cstdint>

namespace plat {

inline constexpr const char* kWaveOutEnv = "SUITE_WAVEOUT";

// Results keep the handheld's numbers.
enum WaveResult : unsigned {
  kWaveOk = 0,
  kWaveError = 1,
  kWaveAllocated = 4,
  kWaveInvalidHandle = 5,
  kWaveNoDriver = 6,
  kWaveNoMemory = 7,
  kWaveInvalidParam = 11,
  kWaveBadFormat = 32,
  kWaveStillPlaying = 33,
  kWaveUnprepared = 34,
};

// Messages given to the device callback.
enum WaveOutMessage : unsigned { kWomOpen = 0x3BB, kWomClose = 0x3BC, kWomDone = 0x3BD };

enum WaveHeaderFlags : std::uint32_t { kWaveHeaderDone = 0x1, kWaveHeaderPrepared = 0x2, kWaveHeaderInQueue = 0x10 };

struct WaveFormat {
  std::uint16_t formatTag = 1;  // PCM
  std::uint16_t channels = 1;
  std::uint32_t samplesPerSec = 8000;
  std::uint32_t avgBytesPerSec = 16000;
  std::uint16_t blockAlign = 2;
  std::uint16_t bitsPerSample = 16;
};

// One block of samples. The caller owns it and its data until the device hands it back.
struct WaveHeader {
  const char* data = nullptr;
  std::uint32_t length = 0;  // bytes
  std::uint32_t flags = 0;   // WaveHeaderFlags
  std::uintptr_t user = 0;
};

using WaveOut = std::uint32_t;  // 0 = none; handles are never reused within a process

// Called on the device's own thread with kWomOpen, kWomDone (the header played or handed back by
// a reset) and kWomClose. It must not call back into the device.
using WaveCallback = void (*)(WaveOut device, unsigned message, std::uintptr_t instance, WaveHeader* header);

// Opens the device for the format (only 16-bit mono PCM at 8 kHz is accepted).
unsigned waveOpen(WaveOut* device, const WaveFormat& format, WaveCallback callback, std::uintptr_t instance);
unsigned wavePrepare(WaveOut device, WaveHeader* header);
// kWaveStillPlaying while the header is queued.
unsigned waveUnprepare(WaveOut device, WaveHeader* header);
// Queues a prepared header; blocks play in the order written.
unsigned waveWrite(WaveOut device, WaveHeader* header);
// Stops playback and hands every queued header back (kWomDone) before it returns.
unsigned waveReset(WaveOut device);
// kWaveStillPlaying while headers are queued; a closed handle answers kWaveInvalidHandle after.
unsigned waveClose(WaveOut device);

// Test hook: the next `count` opens fail with `result` without touching a backend.
void failNextWaveOpens(int count, unsigned result);
// Number of devices open now.
int openWaveDeviceCount();

}  // namespace plat
