#include "speech/engine/engine_state.h"

namespace speech {

namespace {
constexpr int kOpenAttempts = 1000;
}

bool openWaveOut(PlayRecord& play) {
  plat::WaveFormat format;  // PCM, mono, 8,000 samples of 16 bits per second
  unsigned r = plat::kWaveAllocated;
  for (int attempt = 0; attempt < kOpenAttempts && r == plat::kWaveAllocated; ++attempt) {
    r = plat::waveOpen(&play.device, format, waveDoneCallback, 0);
  }
  play.blockInFlight.store(false);
  if (r != plat::kWaveOk) {
    play.device = 0;
    return false;
  }
  play.deviceOpen.store(true);
  return true;
}

bool queueWaveBlock(PlayRecord& play, const char* data, std::int32_t length) {
  play.blockInFlight.store(true);
  play.header = plat::WaveHeader{};
  play.header.data = data;
  play.header.length = static_cast<std::uint32_t>(length);
  if (plat::wavePrepare(play.device, &play.header) != plat::kWaveOk) {
    play.blockInFlight.store(false);
    return false;
  }
  if (plat::waveWrite(play.device, &play.header) != plat::kWaveOk) {
    plat::waveUnprepare(play.device, &play.header);
    play.blockInFlight.store(false);
    return false;
  }
  return true;
}

void closeWaveOut(PlayRecord& play) {
  play.deviceOpen.store(false);
  plat::waveReset(play.device);
  plat::waveClose(play.device);
}

void waveDoneCallback(plat::WaveOut, unsigned message, std::uintptr_t, plat::WaveHeader*) {
  if (message == plat::kWomDone) engine().play.blockInFlight.store(false);
}

}  // namespace speech
