// Reads Chinese text aloud from a console through the speech reader, as the suite's programs ask
// it to: the text is the command line's words, or else standard input. The reader is started on
// the storage card's speech data and closed again at the end.
#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/core/window.h"
#include "speech/reader/console_text.h"
#include "speech/reader/reading_protocol.h"
#include "speech/reader/requester.h"

#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>

namespace {

std::intptr_t sayProc(plat::Hwnd hwnd, unsigned msg, std::uint32_t wParam, std::int32_t lParam) {
  if (msg == vocra::kWmSpeechStatus) {
    plat::postQuitMessage(0);  // the status is sent: a posted message ends the loop
    return 0;
  }
  if (msg == vocra::kWmSpeechStarted) return 0;
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
    vocra::SpeakResult r = requester.speak(window, piece, 1, plat::utf8ToWide(folder), u"vocrasay");
    if (r != vocra::SpeakResult::kSpeaking) {
      if (r == vocra::SpeakResult::kReaderNotFound) std::fprintf(stderr, "vocrasay: the speech reader could not be started\n");
      requester.closeReader();
      return 1;
    }
    plat::Msg m;
    while (plat::getMessage(m)) plat::dispatchMessage(m);
    requester.readingEnded();
  }
  requester.closeReader();
  return 0;
}
