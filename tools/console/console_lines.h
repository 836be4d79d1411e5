// Input lines of the console translators: UTF-8 checked and decoded the same way in both
// directions, and the exit status that tells whether every line was translated.
#pragma once
#include <cstdio>
#include <functional>
#include <iostream>
#include <string>
#include <string_view>

#include "tools/console/console_driver.h"

namespace console {

// Exit status: every line translated.
inline constexpr int kExitAllTranslated = 0;
// Exit status: at least one line was not translated (standard error says which and why).
inline constexpr int kExitLinesFailed = 1;
// Exit status: the arguments are wrong, no data folder was found or the engine cannot start.
inline constexpr int kExitCannotStart = 2;

// One line as read: its text, and why it cannot be read when it cannot.
struct InputLine {
  std::u16string text;  // a byte-order mark at the start of the line skipped; TAB and NUL as blanks
  std::string fault;    // empty, or why the line is not text ("is not valid UTF-8 (byte 3)")
  bool hadNul = false;  // a NUL byte was read as a blank
};

// Offset of the first byte of an invalid UTF-8 sequence (overlong forms, surrogates and values past
// U+10FFFF included), or npos when the bytes are valid UTF-8.
std::size_t firstInvalidUtf8(std::string_view bytes);

// Decodes one line of standard input (its line end already taken off); a byte-order mark at its
// start is skipped, on any line, as files joined together carry one in the middle.
InputLine decodeLine(std::string_view raw);
// True when the text holds more than blanks.
bool hasText(std::u16string_view text);

// Reads standard input line by line and counts the lines that were not translated. Input is read
// in blocks; the output is flushed only when no whole line is waiting, so that a caller that writes
// a line and waits for its answer gets it, and a piped file is not written a line at a time.
// The drivers turn off stdio synchronisation first so that std::cin reads in blocks.
class LineLoop {
 public:
  explicit LineLoop(const Driver& driver, std::istream& in = std::cin, std::ostream& out = std::cout)
      : driver_(driver), in_(in), out_(out) {}
  // The next line, decoded; false at the end of the input. A line whose bytes are not text is
  // reported (and counted) here, and comes back with an empty text.
  bool next(InputLine& line);
  int number() const { return number_; }
  // Reports the current line as not translated, and why.
  void failed(const std::string& why);
  // A note about the current line that is no failure.
  void note(const std::string& what);
  // 0 when every line was translated, else kExitLinesFailed.
  int exitCode() const { return failed_ ? kExitLinesFailed : kExitAllTranslated; }

 private:
  // The next raw line without its '\n'; false at the end of the input.
  bool nextRaw(std::string& raw);

  const Driver& driver_;
  std::istream& in_;
  std::ostream& out_;
  std::string buffer_;     // bytes read and not yet returned, from start_
  std::size_t start_ = 0;
  bool ended_ = false;
  int number_ = 0;
  int failed_ = 0;
};

}  // namespace console
