#include "speech/reader/reader.h"

#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/core/files.h"
#include "platform/core/library.h"
#include "platform/core/notify.h"
#include "platform/core/registry.h"
#include "platform/core/timer.h"
#include "speech/engine/phonavel.h"
#include "speech/reader/reading_protocol.h"
#include "speech/reader/request_file.h"

#include <cstdio>
#include <string>

namespace vocra {

namespace {

using InitFn = int (*)(const char16_t*);
using EndFn = int (*)();
using PlayFn = int (*)(const char16_t*, std::uint32_t, VocraCallback, void*);
using StopFn = int (*)();
using SetParamFn = int (*)(unsigned, int);

constexpr char16_t kCaption[] = u"中国語音声";
constexpr char16_t kInitFailed[] = u"音声合成の初期化に失敗しました!";
constexpr char16_t kNoCheckFile[] = u"中国語音声チェックファイルを開けませんでした。\n使用中に電源が落ちると音声が使用できません。";
constexpr char16_t kNoRequestFile[] = u"音声ファイルがオープンできませんでした。";

constexpr unsigned kCloseCommand = 1;
constexpr unsigned kVirtualKeyQ = 'Q';
constexpr plat::Accelerator kAccelerators[] = {{plat::kAccelControl, kVirtualKeyQ, kCloseCommand}};

struct Reader {
  plat::LibraryHandle library = nullptr;
  InitFn init = nullptr;
  EndFn end = nullptr;
  PlayFn play = nullptr;
  StopFn stop = nullptr;
  SetParamFn setParam = nullptr;
  std::u16string dataFolder;
  std::u16string checkPath;
  std::FILE* checkFile = nullptr;
  plat::Hwnd window = 0;
  plat::Hwnd requester = 0;
  std::uint32_t repeatCount = 0;
  std::u16string text;  // empty when no reading holds it
  std::uint32_t volume = kStartVolume;
  std::uint32_t pitch = kStartPitch;
  std::uint32_t speed = kStartSpeed;
  bool played = false;
};

Reader gReader;

bool bindEngine(Reader& r) {
  r.library = plat::loadLibrary(kEngineLibrary);
  if (!r.library) return false;
  r.init = plat::bindFunction<InitFn>(r.library, "VocraInit");
  r.end = plat::bindFunction<EndFn>(r.library, "VocraEnd");
  r.play = plat::bindFunction<PlayFn>(r.library, "VocraPlay");
  r.stop = plat::bindFunction<StopFn>(r.library, "VocraStop");
  r.setParam = plat::bindFunction<SetParamFn>(r.library, "VocraSetParam");
  return r.init && r.end && r.play && r.stop && r.setParam;
}

void openCheckFile(Reader& r) { r.checkFile = plat::fileOpen(r.checkPath, "rt"); }

void closeCheckFile(Reader& r) {
  if (r.checkFile) plat::fileClose(r.checkFile);
  r.checkFile = nullptr;
}

// The reading is over for the requester: it gets the status, and the text is let go.
void endRequest(Reader& r) {
  plat::killTimer(r.window, kRepeatTimer);
  r.repeatCount = 0;
  r.text.clear();
  plat::sendMessage(r.requester, kWmSpeechStatus, kStatusEnded, 0);
}

void readVoiceValues(Reader& r) {
  auto key = plat::regOpenKey(plat::RegRoot::LocalMachine, kVoiceKey);
  if (!key) return;
  if (auto v = plat::regGetDword(*key, kVolumeValue)) r.volume = *v;
  if (auto v = plat::regGetDword(*key, kPitchValue)) r.pitch = *v;
  if (auto v = plat::regGetDword(*key, kSpeedValue)) r.speed = *v;
}

// False when there was no request to read.
bool speak(Reader& r) {
  ReadingRequest request;
  if (readRequestFile(request) != RequestRead::kOk) {
    plat::messageBox(kNoRequestFile, kCaption, plat::kMbOk);
    return false;
  }
  r.requester = request.requester;
  r.repeatCount = request.repeatCount;
  r.text = std::move(request.text);
  readVoiceValues(r);

  // A check file that cannot be repositioned went stale with the card: start the engine again.
  if (r.checkFile && plat::fileSeek(r.checkFile, 0, SEEK_SET) != 0) {
    closeCheckFile(r);
    r.end();
    if (r.init(r.dataFolder.c_str()) != 0) {
      plat::messageBox(kInitFailed, kCaption, plat::kMbOk);
      endRequest(r);
      plat::sendMessage(r.window, plat::kWmClose, 0, 0);
      return true;
    }
    openCheckFile(r);
  }

  r.setParam(kParamVolume, static_cast<int>(r.volume));
  r.setParam(kParamPitch, static_cast<int>(r.pitch));
  r.setParam(kParamSpeed, static_cast<int>(r.speed));
  if (r.play(r.text.c_str(), r.window, nullptr, nullptr) != 0) {
    endRequest(r);  // no pass will end: tell the requester now
    return true;
  }
  plat::sendMessage(r.requester, kWmSpeechStarted, 1, 0);
  r.played = true;
  return true;
}

// The engine has ended a pass.
void passEnded(Reader& r) {
  if (r.repeatCount == 0) return;
  if (--r.repeatCount == 0) {
    endRequest(r);
  } else {
    plat::setTimer(r.window, kRepeatTimer, kRepeatPauseMs);
  }
}

void speakAgain(Reader& r) {
  plat::killTimer(r.window, kRepeatTimer);
  if (r.text.empty() || r.play(r.text.c_str(), r.window, nullptr, nullptr) != 0) endRequest(r);
}

void stopReading(Reader& r) {
  if (r.played) {
    r.stop();
    plat::killTimer(r.window, kRepeatTimer);
    r.text.clear();
  }
  r.repeatCount = 0;
}

}  // namespace

std::intptr_t readerWndProc(plat::Hwnd hwnd, unsigned msg, std::uint32_t wParam, std::int32_t lParam) {
  Reader& r = gReader;
  switch (msg) {
    case kWmReaderSpeak:
      return speak(r) ? 0 : kReaderNoRequest;
    case kWmSpeechStatus:
      if (wParam == kStatusEnded) passEnded(r);
      return 0;
    case plat::kWmTimer:
      if (wParam == kRepeatTimer) speakAgain(r);
      return 0;
    case kWmReaderStop:
      stopReading(r);
      return 0;
    case plat::kWmCommand:
      if ((wParam & 0xFFFF) == kCloseCommand) plat::sendMessage(hwnd, plat::kWmClose, 0, 0);
      return 0;
    case plat::kWmDestroy:
      if (r.played) {
        r.stop();
        plat::killTimer(hwnd, kRepeatTimer);
      }
      closeCheckFile(r);
      plat::postQuitMessage(0);
      return 0;
    default:
      return plat::defWindowProc(hwnd, msg, wParam, lParam);
  }
}

bool initReader(std::u16string_view commandLine) {
  Reader& r = gReader;
  r = Reader{};
  const std::u16string_view name = kReaderWindowName;
  if (plat::findWindow(name, name) != 0) return false;
  if (!plat::registerWindowClass(name, readerWndProc)) return false;
  r.window = plat::createWindow(name, name);
  if (!r.window) return false;

  if (!bindEngine(r) || r.init(std::u16string(commandLine).c_str()) != 0) {
    plat::messageBox(kInitFailed, kCaption, plat::kMbOk);
    plat::sendMessage(r.window, plat::kWmClose, 0, 0);
    return true;
  }
  r.dataFolder = commandLine;
  // Without a command line the engine reads its own folder, and so does the reader.
  r.checkPath = commandLine.empty() ? plat::utf8ToWide(plat::programFolder() + "/") : r.dataFolder;
  r.checkPath += plat::utf8ToWide(kCheckFile);
  openCheckFile(r);
  if (!r.checkFile) plat::messageBox(kNoCheckFile, kCaption, plat::kMbOk);
  r.setParam(kParamVolume, static_cast<int>(kStartVolume));
  plat::showWindow(r.window, false);
  return true;
}

int runReader() {
  plat::Msg msg;
  while (plat::getMessage(msg)) {
    if (!plat::translateAccelerator(msg.hwnd, kAccelerators, std::size(kAccelerators), msg)) plat::dispatchMessage(msg);
  }
  return static_cast<int>(msg.wParam);
}

void endReader() {
  Reader& r = gReader;
  closeCheckFile(r);
  if (r.end) r.end();
  // The engine stays loaded until the process ends: what it set up at loading lives on with it.
  r = Reader{};
}

int readerWinMain(std::u16string_view commandLine) {
  if (!initReader(commandLine)) return 0;
  int code = runReader();
  endReader();
  return code;
}

plat::Hwnd readerWindow() { return gReader.window; }

}  // namespace vocra
