#include "speech/engine/engine_state.h"

#include <chrono>

namespace speech {

namespace {

// Posts the progress to the notify window and tells the callback; the callback's answer.
int report(PlayRecord& play, int code, int value) {
  if (play.notify) postStatus(play.notify, kWmSpeechStatus, static_cast<std::uint32_t>(code), value);
  return play.callback ? play.callback(code, value, play.user) : 1;
}

}  // namespace

void speechThread(PlayRecord* play) {
  Engine& e = engine();
  report(*play, kProgressStarted, 0);
  int index = 0;
  std::int32_t consumed = 0;
  for (;;) {
    const char* data = nullptr;
    std::int32_t length = 0;
    int chunk = synthesizeChunk(play->utterance, index, &data, &length, 0);
    while (play->blockInFlight.load()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (consumed != 0) {
      plat::waveUnprepare(play->device, &play->header);
      if (report(*play, kProgressBlockPlayed, consumed) == 0) break;
    }
    if (e.state.load() == kStateIdle || chunk != kSpeechChunkReady) break;
    consumed = utteranceProgress(play->utterance);
    if (report(*play, kProgressBlockQueued, consumed) == 0) break;
    if (!queueWaveBlock(*play, data, length)) break;
    // A stop that came while the block was being queued found nothing to reset: hand it back now.
    if (e.state.load() == kStateIdle) plat::waveReset(play->device);
    index ^= 1;
  }
  closeWaveOut(*play);
  destroyUtterance(play->utterance);
  play->utterance = nullptr;
  e.state.store(kStateIdle);
  report(*play, kProgressEnded, 0);
  play->threadExitCode.store(0);
}

}  // namespace speech
