#include "tools/console/console_lines.h"

#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>
#include <vector>

namespace {

using namespace std::literals;

TEST(ConsoleLines, InputBytesBecomeTextOrAFault) {
  const struct {
    std::string_view raw;
    const char16_t* text;
    const char* fault;  // a part of the fault, "" for none
    bool nul;
  } cases[] = {
      {"\xEF\xBB\xBF我喝茶"sv, u"我喝茶", "", false},  // a mark at the start of a line is skipped, on any line
      {"我\t喝茶"sv, u"我 喝茶", "", false},                         // TAB is a blank
      {"我\0喝茶"sv, u"我 喝茶", "", true},                          // and so is NUL, said on its own
      {"我\xC0\x80"sv, u"", "is not valid UTF-8 (byte 4)", false},   // overlong NUL
      {"\xB0\xA1"sv, u"", "is not valid UTF-8 (byte 1)", false},     // GB2312 bytes
      {"ab\xE6\x88"sv, u"", "is not valid UTF-8 (byte 3)", false},   // cut short
      {"\xED\xA0\x80"sv, u"", "is not valid UTF-8", false},          // a surrogate
      {"我喝茶\xF0\x9F\x98\x80"sv, u"我喝茶\U0001F600", "", false},  // four bytes are fine
  };
  for (const auto& c : cases) {
    const console::InputLine line = console::decodeLine(c.raw);
    EXPECT_EQ(line.text, c.text) << c.raw;
    if (*c.fault) {
      EXPECT_NE(line.fault.find(c.fault), std::string::npos) << c.raw << ": " << line.fault;
    } else {
      EXPECT_EQ(line.fault, "") << c.raw;
    }
    EXPECT_EQ(line.hadNul, c.nul) << c.raw;
  }
}

TEST(ConsoleLines, OnlyBlanksAreNoText) {
  EXPECT_FALSE(console::hasText(u""));
  EXPECT_FALSE(console::hasText(u" \u3000 "));
  EXPECT_TRUE(console::hasText(u" 的"));
}

// Hands out its text a chunk at a time, as a pipe does, and notes what the output had flushed by
// each time it was asked for more.
class ChunkedInput : public std::streambuf {
 public:
  ChunkedInput(std::vector<std::string> chunks, const std::string& flushed)
      : chunks_(std::move(chunks)), flushed_(flushed) {}
  std::vector<std::string> flushedAtEachWait;

 protected:
  int_type underflow() override {
    flushedAtEachWait.push_back(flushed_);
    if (next_ == chunks_.size()) return traits_type::eof();
    std::string& c = chunks_[next_++];
    setg(c.data(), c.data(), c.data() + c.size());
    return traits_type::to_int_type(c[0]);
  }

 private:
  std::vector<std::string> chunks_;
  std::size_t next_ = 0;
  const std::string& flushed_;
};

// Keeps what is written until a flush.
class FlushRecorder : public std::streambuf {
 public:
  std::string pending, flushed;
  int flushes = 0;

 protected:
  int_type overflow(int_type c) override {
    if (c != traits_type::eof()) pending.push_back(static_cast<char>(c));
    return c;
  }
  int sync() override {
    flushed += pending;
    pending.clear();
    ++flushes;
    return 0;
  }
};

const console::Driver kTestDriver{"test", "\\", "", ""};

std::vector<std::u16string> loopLines(std::vector<std::string> chunks) {
  const std::string none;
  ChunkedInput input(std::move(chunks), none);
  std::istream in(&input);
  std::ostringstream out;
  console::LineLoop loop(kTestDriver, in, out);
  std::vector<std::u16string> lines;
  console::InputLine line;
  while (loop.next(line)) lines.push_back(line.text);
  return lines;
}

TEST(ConsoleLines, BlockReadingGivesTheLinesThatGetlineGives) {
  const std::string texts[] = {"我喝茶。\n你好\n", "a\nb", "\n\n", "", "x\r\ny\r\n", "a\0b\n\xEF\xBB\xBFc\n",
                               std::string(5000, 'z') + "\n" + std::string(3, 'y')};
  for (const std::string& text : texts) {
    std::vector<std::u16string> expected;
    std::istringstream whole(text);
    for (std::string raw; std::getline(whole, raw);) {
      if (!raw.empty() && raw.back() == '\r') raw.pop_back();
      expected.push_back(console::decodeLine(raw).text);
    }
    for (const std::size_t size : {std::size_t{1}, std::size_t{3}, std::size_t{4096}}) {
      std::vector<std::string> chunks;
      for (std::size_t at = 0; at < text.size(); at += size) chunks.push_back(text.substr(at, size));
      EXPECT_EQ(loopLines(chunks), expected) << "chunks of " << size << " of " << text.size() << " bytes";
    }
  }
}

TEST(ConsoleLines, AnswersAreFlushedOnlyBeforeWaitingForInput) {
  FlushRecorder output;
  std::ostream out(&output);
  ChunkedInput input({"a\nb\n", "c\n"}, output.flushed);
  std::istream in(&input);
  console::LineLoop loop(kTestDriver, in, out);
  console::InputLine line;
  while (loop.next(line)) out << (line.text == u"a" ? "A" : line.text == u"b" ? "B" : "C") << '\n';
  // Asked for the second chunk, the caller has the answers to both lines of the first.
  EXPECT_EQ(input.flushedAtEachWait, (std::vector<std::string>{"", "A\nB\n", "A\nB\nC\n"}));
  EXPECT_EQ(output.flushes, 3);
}

}  // namespace
