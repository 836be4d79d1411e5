#include "tools/console/console_lines.h"

#include <gtest/gtest.h>

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

}  // namespace
