#include "platform/core/codepage.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

TEST(CodePages, KnownCharacters) {
  struct Case {
    unsigned cp;
    std::string bytes;
    std::u16string wide;
  } cases[] = {
      {932, "\x81\x60", u"\uFF5E"},
      {936, "\xA1\xA4", u"\u00B7"},
      {932, "\x95\x5C\x83\x5C", u"表ソ"},
      {936, "\xD6\xD0\xCE\xC4", u"中文"},
      {950, "\xA4\xA4\xA4\xE5", u"中文"},
      {932, "abc", u"abc"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(plat::multiByteToWide(c.cp, c.bytes), c.wide) << c.cp;
    EXPECT_EQ(plat::wideToMultiByte(c.cp, c.wide), c.bytes) << c.cp;
  }
}

TEST(CodePages, BadBytesAreReplacedAndTheRestConverts) {
  EXPECT_EQ(plat::multiByteToWide(936, std::string("a\xFF" "b\xD6\xD0", 5)), u"a?b中");
  EXPECT_EQ(plat::multiByteToWide(932, std::string("\xA0x", 2)), u"\u30FBx");
  // A lead byte cut off at the end.
  EXPECT_EQ(plat::multiByteToWide(936, std::string("x\xD6", 2)), u"x?");
  // A character the code page lacks.
  EXPECT_EQ(plat::wideToMultiByte(936, u"a\u3042b"), "a\xA4\xA2" "b");
  EXPECT_EQ(plat::wideToMultiByte(1252, u"a\u4E2Db"), "a?b");
  // A character outside the code page and the plane is one mark, wherever its pair stands; a
  // surrogate without its other half is one mark too.
  const struct {
    std::u16string wide;
    const char* bytes;
  } pairs[] = {{u"\U0001F600", "?"},       {u"a\U0001F600", "a?"},  {u"\U0001F600b", "?b"},
               {u"a\U0001F600b", "a?b"},   {u"a\U0001F600\U0001F600", "a??"},
               {std::u16string(u"a") + char16_t(0xD83D), "a?"}, {std::u16string(1, char16_t(0xDE00)) + u"b", "?b"},
               // The first and the last pair of all.
               {u"a\U00010000b", "a?b"},  {u"a\U0010FFFFb", "a?b"}, {u"\U0010FFFF", "?"}};
  for (const auto& p : pairs)
    for (unsigned cp : {932u, 936u}) EXPECT_EQ(plat::wideToMultiByte(cp, p.wide), p.bytes) << cp;
}

// Code page 949 consumes A2 E8 and still reports it bad: the counter of bytes left must not wrap
// (it read past the input before), and the bad character gives one replacement.
TEST(CodePages, BadBytesIconvTookAlreadyDoNotWrapTheCounter) {
  for (const std::string& bytes : {std::string("\xA2\xE8"), std::string("\xA2\xE8" "A"), std::string("A\xA2\xE8")}) {
    const std::u16string wide = plat::multiByteToWide(949, bytes);
    EXPECT_GE(wide.size(), 1u);
    EXPECT_LE(wide.size(), bytes.size());
  }
  EXPECT_EQ(plat::multiByteToWide(949, std::string("A\xA2\xE8")).front(), u'A');
}

TEST(CodePages, LeadBytes) {
  EXPECT_TRUE(plat::isLeadByteInCodePage(932, 0x81));
  EXPECT_TRUE(plat::isLeadByteInCodePage(932, 0xFC));
  EXPECT_FALSE(plat::isLeadByteInCodePage(932, 0xA1));  // half-width katakana
  EXPECT_TRUE(plat::isLeadByteInCodePage(936, 0xA1));
  EXPECT_FALSE(plat::isLeadByteInCodePage(936, 0x80));
  EXPECT_FALSE(plat::isLeadByteInCodePage(1252, 0x81));
}

TEST(CodePages, Utf8RoundTrip) {
  std::u16string s = u"中文 abc \U0001F600";
  EXPECT_EQ(plat::utf8ToWide(plat::wideToUtf8(s)), s);
  EXPECT_EQ(plat::utf8ToWide("a\xC3"), u"a\uFFFD");
  // The ends of the pairs' range: four bytes each; a lone half is no pair.
  EXPECT_EQ(plat::wideToUtf8(u"\U00010000"), "\xF0\x90\x80\x80");
  EXPECT_EQ(plat::wideToUtf8(u"\U0010FFFF"), "\xF4\x8F\xBF\xBF");
  EXPECT_EQ(plat::wideToUtf8(u"\U0010FC00"), "\xF4\x8F\xB0\x80");
  EXPECT_EQ(plat::wideToUtf8(std::u16string(1, char16_t(0xDBFF)) + u"a"), "\xED\xAF\xBF" "a");
}

TEST(CodePages, InvalidUtf8BecomesTheReplacementCharacter) {
  const struct {
    const char* in;
    const char16_t* out;
  } cases[] = {
      {"\xC0\x80", u"\uFFFD"},              // overlong NUL
      {"a\xC1\xBF" "b", u"a\uFFFDb"},       // overlong '\x7F'
      {"\xE0\x80\xAF", u"\uFFFD"},          // overlong '/'
      {"\xF0\x80\x80\x80", u"\uFFFD"},      // overlong in four bytes
      {"\xED\xA0\x80", u"\uFFFD"},          // a surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD"},      // past U+10FFFF
      {"\xC2\x80", u"\u0080"},              // the least two-byte form is valid
      {"\xF4\x8F\xBF\xBF", u"\U0010FFFF"},  // and the greatest four-byte one
  };
  for (const auto& c : cases) EXPECT_EQ(plat::utf8ToWide(c.in), c.out) << c.in;
}

// Converters are kept between calls: calls of every code page and direction, interleaved on
// several threads, with broken input among them, each give what a call alone gives.
TEST(CodePages, RepeatedCallsOnThreadsGiveTheSameResults) {
  struct Case {
    unsigned cp;
    std::string bytes;
    std::u16string wide;
    bool roundTrip;
  };
  const std::vector<Case> cases = {
      {932, "\x95\x5C\x83\x5C", u"表ソ", true},
      {936, "\xD6\xD0\xCE\xC4", u"中文", true},
      {950, "\xA4\xA4\xA4\xE5", u"中文", true},
      {65001, "\xE4\xB8\xAD", u"中", true},
      {932, std::string("x\x82", 2), u"x\u30FB", false},      // a lead byte cut off at the end
      {936, std::string("a\xFF" "b", 3), u"a?b", false},      // a byte that starts nothing
      {1252, "caf\xE9", u"caf\u00E9", true},
  };
  std::vector<std::thread> threads;
  std::vector<int> failures(4, 0);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < 500; ++round) {
        for (size_t i = 0; i < cases.size(); ++i) {
          const Case& c = cases[(i + static_cast<size_t>(t)) % cases.size()];
          if (plat::multiByteToWide(c.cp, c.bytes) != c.wide) ++failures[static_cast<size_t>(t)];
          if (c.roundTrip && plat::wideToMultiByte(c.cp, c.wide) != c.bytes) ++failures[static_cast<size_t>(t)];
        }
        // A character the code page lacks leaves no trace on the next call.
        if (plat::wideToMultiByte(936, u"\u0E01x") != "?x") ++failures[static_cast<size_t>(t)];
        if (plat::wideToMultiByte(936, u"x") != "x") ++failures[static_cast<size_t>(t)];
      }
    });
  }
  for (auto& th : threads) th.join();
  for (int t = 0; t < 4; ++t) EXPECT_EQ(failures[static_cast<size_t>(t)], 0) << "thread " << t;
}
