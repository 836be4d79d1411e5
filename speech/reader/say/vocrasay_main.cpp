// Reads Chinese text aloud from a console through the speech reader, as the suite's programs ask
// it to: the text is the command line's words, or else standard input. The reader is started on
// the storage card's speech data and closed again at the end.
#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/core/runtime_folder.h"
#include "platform/core/timer.h"
#include "platform/core/window.h"
#include "speech/reader/console_text.h"
#include "speech/reader/reading_protocol.h"
#include "speech/reader/requester.h"

#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>

namespace {

// How a request went: the reader said it started, it sent the end status, or it went away.
struct Request {
  plat::Hwnd reader = 0;
  bool started = false;
  bool ended = false;
};
Request gRequest;

// While a request is under way the reader's window is looked at this often: a reader whose
// engine cannot start closes itself without a status.
constexpr unsigned kWatchTimer = 1;
constexpr unsigned kWatchMs = 200;

std::intptr_t sayProc(plat::Hwnd hwnd, unsigned msg, std::uint32_t wParam, std::int32_t lParam) {
  if (msg == vocra::kWmSpeechStatus) {
    gRequest.ended = true;
    plat::postQuitMessage(0);  // the status is sent: a posted message ends the loop
    return 0;
  }
  if (msg == vocra::kWmSpeechStarted) {
    gRequest.started = true;
    return 0;
  }
  if (msg == plat::kWmTimer && wParam == kWatchTimer) {
    if (!plat::isWindow(gRequest.reader)) plat::postQuitMessage(0);
    return 0;
  }
  return plat::defWindowProc(hwnd, msg, wParam, lParam);
}

// The speech data folder of the first storage card that holds it.
std::string speechDataFolder() {
  for (const std::string& card : plat::storageCards()) {
    std::string folder = card + "\\Talvenro\\Chinese\\" + vocra::kSpeechDataFolder;
    if (plat::pathExists(folder)) return folder;
  }
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  std::string text;
  for (int i = 1; i < argc; ++i) text += std::string(i > 1 ? " " : "") + argv[i];
  if (argc < 2) text.assign(std::istreambuf_iterator<char>(std::cin), {});
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  if (const std::size_t nul = text.find('\0'); nul != std::string::npos) {
    std::fprintf(stderr, "vocrasay: the text holds a NUL byte at byte %zu (not text?); nothing was read\n", nul);
    return 1;
  }
  if (text.empty()) {
    std::fprintf(stderr, "usage: vocrasay <Chinese text>, or the text on standard input\n");
    return 2;
  }
  std::string folder = speechDataFolder();
  if (folder.empty()) {
    std::fprintf(stderr, "vocrasay: no storage card holds the speech data (is SUITE_DEVICE_ROOT set?)\n");
    return 1;
  }
  std::u16string wide;
  if (!vocra::consoleTextToWide(text, wide)) {
    std::fprintf(stderr, "vocrasay: the text is not UTF-8 (GBK or another code page?); nothing was read\n");
    return 1;
  }
  if (!vocra::hasReadableCharacter(wide)) {
    std::fprintf(stderr, "vocrasay: nothing to read: the text holds no Chinese character, digit or letter\n");
    return 1;
  }
  plat::registerWindowClass(u"VocraSay", sayProc);
  plat::Hwnd window = plat::createWindow(u"VocraSay", u"vocrasay");
  vocra::ReadingRequester requester;
  // One request holds at most 32,766 units: longer text is read piece after piece.
  for (std::u16string_view piece : vocra::readingPieces(wide)) {
    if (!vocra::hasReadableCharacter(piece)) continue;
    gRequest = Request{};
    vocra::SpeakResult r = requester.speak(window, piece, 1, plat::utf8ToWide(folder), u"vocrasay");
    if (r != vocra::SpeakResult::kSpeaking) {
      if (r == vocra::SpeakResult::kReaderNotFound) std::fprintf(stderr, "vocrasay: the speech reader could not be started\n");
      if (r == vocra::SpeakResult::kFileFailed) {
        std::fprintf(stderr, "vocrasay: the request file could not be written or read in %s\n", plat::runtimeFolder().c_str());
      }
      requester.readingEnded();  // the request file written for it goes
      requester.closeReader();
      return 1;
    }
    gRequest.reader = requester.readerWindow();
    plat::setTimer(window, kWatchTimer, kWatchMs);
    plat::Msg m;
    while (plat::getMessage(m)) plat::dispatchMessage(m);
    plat::killTimer(window, kWatchTimer);
    requester.readingEnded();
    if (!gRequest.ended) {
      std::fprintf(stderr, gRequest.started ? "vocrasay: the speech reader ended before the reading did\n"
                                            : "vocrasay: the speech reader closed without reading: its speech engine could not start\n");
      return 1;
    }
    if (!gRequest.started) {
      std::fprintf(stderr, "vocrasay: the speech engine could not read the text\n");
      requester.closeReader();
      return 1;
    }
  }
  requester.closeReader();
  return 0;
}
