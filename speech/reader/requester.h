// The requester's side of reading aloud, shared by the programs that ask the speech reader to
// read: the mutex that marks a reading under way, the request file, finding or starting the
// reader, and letting everything go again when the reading ends or is stopped.
#pragma once
#include "platform/core/named_mutex.h"
#include "platform/core/window.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace vocra {

enum class SpeakResult {
  kSpeaking,        // the reader has the request; the mutex is held until the reading ends
  kBusy,            // another reading is under way (the user was told)
  kFileFailed,      // the request file could not be written (the user was told)
  kReaderNotFound,  // the reader could not be started or found; the caller tells the user
};

// The captions of the requester's two messages: the reader busy, the request file not written.
struct RequesterCaptions {
  std::u16string_view busy;
  std::u16string_view fileFailed;
};

class ReadingRequester {
 public:
  ReadingRequester() = default;
  ~ReadingRequester() = default;
  ReadingRequester(const ReadingRequester&) = delete;
  ReadingRequester& operator=(const ReadingRequester&) = delete;

  // Asks the reader to read the text `repeatCount` times and to tell `requester` when it starts
  // and ends. `readerCommandLine` is the speech data folder the reader is started with; the
  // requester's messages carry `caption`.
  SpeakResult speak(plat::Hwnd requester, std::u16string_view text, std::uint32_t repeatCount,
                    std::u16string_view readerCommandLine, std::u16string_view caption) {
    return speak(requester, text, repeatCount, readerCommandLine, RequesterCaptions{caption, caption});
  }
  // The same, each message with its own caption.
  SpeakResult speak(plat::Hwnd requester, std::u16string_view text, std::uint32_t repeatCount,
                    std::u16string_view readerCommandLine, RequesterCaptions captions);
  // On the reader's status: deletes the request file and lets the mutex go. False when the
  // request file could not be deleted.
  bool readingEnded();
  // Stops the reading: the reader is told, then as readingEnded. Returns when playback ended.
  bool stop();
  // Closes the reader when this requester talked to it.
  void closeReader();

  bool holdsMutex() const { return mutex_ != nullptr; }
  plat::Hwnd readerWindow() const { return reader_; }
  bool talkedToReader() const { return talked_; }

 private:
  std::unique_ptr<plat::NamedMutex> mutex_;
  plat::Hwnd reader_ = 0;
  bool talked_ = false;
  bool wroteRequest_ = false;
};

// Finds the reader's window, or starts the reader with the command line and looks for its
// window 20 times, 100 ms apart; 0 when there is none.
plat::Hwnd findOrStartReader(std::u16string_view readerCommandLine);

}  // namespace vocra
