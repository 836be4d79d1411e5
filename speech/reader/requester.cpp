#include "speech/reader/requester.h"

#include "platform/core/clock.h"
#include "platform/core/notify.h"
#include "platform/core/process.h"
#include "speech/reader/reading_protocol.h"
#include "speech/reader/request_file.h"

namespace vocra {

namespace {

constexpr char16_t kBusy[] = u"音声合成エンジンが使用中です。";
constexpr char16_t kFileFailed[] = u"音声ファイルが開けません。";
constexpr unsigned kBeepExclamation = plat::kMbIconExclamation;

}  // namespace

plat::Hwnd findOrStartReader(std::u16string_view readerCommandLine) {
  plat::Hwnd reader = plat::findWindow(kReaderWindowName, kReaderWindowName);
  if (reader) return reader;
  plat::ProcessInfo process;
  if (!plat::startProgram(kReaderProgram, readerCommandLine, &process)) return 0;
  for (int attempt = 0; attempt < kFindAttempts && !reader; ++attempt) {
    reader = plat::findWindow(kReaderWindowName, kReaderWindowName);
    if (!reader) plat::sleepMs(kFindPauseMs);
  }
  plat::closeProcessHandle(process);
  return reader;
}

SpeakResult ReadingRequester::speak(plat::Hwnd requester, std::u16string_view text, std::uint32_t repeatCount,
                                    std::u16string_view readerCommandLine, RequesterCaptions captions) {
  mutex_.reset();  // a handle left from an earlier reading
  auto mutex = plat::NamedMutex::create(kReadingMutex, false);
  if (!mutex) {
    // No mark can be made in the runtime folder: nothing is under way, the files cannot be written.
    plat::messageBeep(kBeepExclamation);
    plat::messageBox(kFileFailed, std::u16string(captions.fileFailed), plat::kMbOk | plat::kMbIconExclamation);
    return SpeakResult::kFileFailed;
  }
  if (mutex->alreadyExisted()) {
    plat::messageBox(kBusy, std::u16string(captions.busy), plat::kMbOk | plat::kMbIconExclamation);
    return SpeakResult::kBusy;
  }
  mutex_ = std::move(mutex);
  if (!writeRequestFile(requester, repeatCount, text)) {
    plat::messageBeep(kBeepExclamation);
    plat::messageBox(kFileFailed, std::u16string(captions.fileFailed), plat::kMbOk | plat::kMbIconExclamation);
    mutex_.reset();
    return SpeakResult::kFileFailed;
  }
  wroteRequest_ = true;
  reader_ = findOrStartReader(readerCommandLine);
  if (!reader_) {
    mutex_.reset();
    return SpeakResult::kReaderNotFound;
  }
  talked_ = true;
  if (plat::sendMessage(reader_, kWmReaderSpeak, 0, 0) == kReaderNoRequest) {
    // The reader found no request (it told the user): the reading ends here.
    readingEnded();
    return SpeakResult::kFileFailed;
  }
  return SpeakResult::kSpeaking;
}

bool ReadingRequester::readingEnded() {
  bool deleted = true;
  if (wroteRequest_) {
    deleted = deleteRequestFile();
    wroteRequest_ = false;
  }
  mutex_.reset();
  return deleted;
}

bool ReadingRequester::stop() {
  if (reader_) plat::sendMessage(reader_, kWmReaderStop, 0, 0);
  return readingEnded();
}

void ReadingRequester::closeReader() {
  if (talked_ && reader_) plat::sendMessage(reader_, plat::kWmClose, 0, 0);
}

}  // namespace vocra
