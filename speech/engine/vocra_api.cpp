#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "speech/engine/engine_state.h"
#include "speech/engine/speech_data.h"
#include "speech/engine/vocra_api.h"

#include <dlfcn.h>

#include <chrono>
#include <string>
#include <system_error>

namespace speech {

namespace {

constexpr std::size_t kMaxFolder = 260;

bool platformPost(plat::Hwnd hwnd, unsigned msg, std::uint32_t wParam, std::int32_t lParam) {
  return plat::postMessage(hwnd, msg, wParam, lParam);
}
bool platformIsWindow(plat::Hwnd hwnd) { return plat::isWindow(hwnd); }

std::atomic<StatusPoster> gPoster{nullptr};
std::atomic<WindowCheck> gWindowCheck{nullptr};

// Code of a loaded module: the address lies inside a library or the program.
bool isCallable(VocraCallback callback) {
  Dl_info info{};
  return ::dladdr(reinterpret_cast<void*>(callback), &info) != 0 && info.dli_fname != nullptr;
}

// Joins a playback thread that has ended on its own (it may still be posting its last code).
void reapThread(PlayRecord& play) {
  if (play.thread.joinable()) play.thread.join();
}

}  // namespace

Engine& engine() {
  // Never destroyed: a playback thread may outlive the static objects at exit.
  static Engine* e = new Engine;
  return *e;
}

void setStatusPoster(StatusPoster poster) { gPoster.store(poster); }
void setWindowCheck(WindowCheck check) { gWindowCheck.store(check); }

bool postStatus(plat::Hwnd hwnd, unsigned msg, std::uint32_t wParam, std::int32_t lParam) {
  StatusPoster p = gPoster.load();
  return (p ? p : platformPost)(hwnd, msg, wParam, lParam);
}

bool isNotifyWindow(plat::Hwnd hwnd) {
  WindowCheck c = gWindowCheck.load();
  return (c ? c : platformIsWindow)(hwnd);
}

int vocraInit(const char16_t* dataFolder) {
  Engine& e = engine();
  if (e.initialised) return kSpeechAlreadyInitialised;
  std::u16string folder = dataFolder ? std::u16string(dataFolder) : std::u16string();
  if (folder.empty()) folder = plat::utf8ToWide(plat::programFolder());
  if (folder.empty() || (folder.back() != u'\\' && folder.back() != u'/')) folder += u'\\';
  if (folder.size() > kMaxFolder) return kSpeechLoadFailed;
  if (loadSpeechData(plat::wideToMultiByte(plat::kSystemCodePage, folder)) != kLoadOk) return kSpeechLoadFailed;
  e.initialised = true;
  e.state.store(kStateIdle);
  return kSpeechOk;
}

int vocraEnd() {
  Engine& e = engine();
  if (!e.initialised) return kSpeechNotInitialised;
  if (e.state.load() != kStateIdle) return kSpeechNotIdle;
  reapThread(e.play);
  freeSpeechData();
  e.initialised = false;
  e.state.store(kStateUninitialised);
  return kSpeechOk;
}

int vocraPlay(const char16_t* text, std::uint32_t notifyWindow, VocraCallback callback, void* user) {
  Engine& e = engine();
  if (!text || text[0] == 0) return kSpeechNoText;
  if (notifyWindow != 0 && !isNotifyWindow(notifyWindow)) return kSpeechBadWindow;
  if (callback && !isCallable(callback)) return kSpeechBadCallback;
  if (!e.initialised) return kSpeechNotInitialised;
  if (e.state.load() != kStateIdle) return kSpeechNotIdle;
  PlayRecord& play = e.play;
  reapThread(play);

  Utterance* u = nullptr;
  if (int r = createUtterance(text, e.params, u); r != kSpeechOk) return r;
  if (!openWaveOut(play)) {
    destroyUtterance(u);
    return kSpeechNoDevice;
  }
  play.utterance = u;
  play.notify = notifyWindow;
  play.callback = callback;
  play.user = user;
  play.threadExitCode.store(kThreadStillActive);
  e.state.store(kStatePlaying);
  try {
    play.thread = std::thread(speechThread, &play);
  } catch (const std::system_error&) {
    closeWaveOut(play);
    destroyUtterance(u);
    play.utterance = nullptr;
    play.threadExitCode.store(0);
    e.state.store(kStateIdle);
    return kSpeechNoThread;
  }
  return kSpeechOk;
}

int vocraStop() {
  Engine& e = engine();
  int expected = kStatePlaying;
  // Only the caller that turns playing into idle stops the reading; a thread that has already
  // set idle itself is finishing and answers "not playing".
  if (!e.state.compare_exchange_strong(expected, kStateIdle)) return kSpeechNotPlaying;
  PlayRecord& play = e.play;
  unsigned r = plat::waveReset(play.device);
  // A device the finishing thread has just closed needs no reset.
  if (r != plat::kWaveOk && !(r == plat::kWaveInvalidHandle && !play.deviceOpen.load())) return kSpeechResetFailed;
  while (play.threadExitCode.load() == kThreadStillActive) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  reapThread(play);
  return kSpeechOk;
}

int vocraSetParam(unsigned number, int value) {
  if (number >= kParamCount) return kSpeechBadParameter;
  bool accepted = false;
  switch (number) {
    case 0: accepted = value == kTextUtf16; break;
    case 1: accepted = value == 1; break;
    case 2:
    case 3:
    case 4: accepted = value >= 0 && value <= 9; break;
    case 5: accepted = value == 0 || value == 1; break;
    case 6: accepted = value >= 0 && value <= 3; break;
    case 7: accepted = value == 2; break;
  }
  if (!accepted) return kSpeechBadValue;
  engine().params.p[number] = value;
  return kSpeechOk;
}

}  // namespace speech
