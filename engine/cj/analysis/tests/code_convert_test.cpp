#include "engine/common/code_convert.h"

#include <gtest/gtest.h>

#include "platform/core/codepage.h"
#include "platform/core/resources.h"
#include "engine/common/word_table.h"
#include "tools/datagen/cvdata_tables.h"
#include "tools/datagen/word_table_writer.h"

namespace dbcs {
namespace {

class CodeConvertTest : public ::testing::Test {
 protected:
  void SetUp() override {
    datagen::registerConversionTables();
    tables = loadConversionTables();
    ASSERT_TRUE(tables.gbUni);
    ASSERT_TRUE(tables.uniGb);
  }
  std::string toEngine(std::string gb) {
    gbToInternal(tables, gb);
    return gb;
  }
  std::string toGb(std::string_view engine) {
    std::string out;
    internalToGb(tables, out, engine);
    return out;
  }
  static std::string bytes(unsigned code) {
    return std::string{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
  }
  ConversionTables tables;
};

unsigned code16(const std::string& s) {
  return s.size() == 2 ? static_cast<unsigned char>(s[0]) << 8 | static_cast<unsigned char>(s[1]) : 0;
}

TEST_F(CodeConvertTest, TablesHaveTheirLayouts) {
  EXPECT_EQ(datagen::makeGbUniTable().size(), kGbUniBytes);
  EXPECT_EQ(datagen::makeCwToJpTable().size(), kCw2JpBytes);
  std::string uniGb = datagen::makeUniGbTable();
  ASSERT_EQ(uniGb.size(), kUniGbBytes);
  for (std::size_t i = 1; i < kUniGbRecords; ++i) {
    auto point = [&](std::size_t r) {
      return static_cast<unsigned char>(uniGb[r * 4]) | static_cast<unsigned char>(uniGb[r * 4 + 1]) << 8;
    };
    ASSERT_LT(point(i - 1), point(i)) << "record " << i;
  }
}

// Every GB2312 code with a character comes back unchanged through the engine code, and the
// hanzi sit at 0x874A or above while every other character stays below it.
TEST_F(CodeConvertTest, EveryGbCodeRoundTripsThroughEngineCode) {
  int codes = 0;
  for (unsigned lead = 0xA1; lead <= 0xF7; ++lead) {
    for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) {
      if (!gbUniValue(tables, lead, trail)) continue;
      ++codes;
      std::string engine = toEngine(bytes(lead << 8 | trail));
      ASSERT_FALSE(engine.empty());
      unsigned first = static_cast<unsigned char>(engine[0]);
      if (lead >= 0xB0) {
        ASSERT_EQ(engine.size(), 2u);
        EXPECT_GE(code16(engine), 0x874Au) << std::hex << (lead << 8 | trail);
      } else if (engine.size() == 2) {
        EXPECT_LT(code16(engine), 0x874Au) << std::hex << (lead << 8 | trail);
      } else {
        EXPECT_TRUE(first >= 0xA6 && first <= 0xD8) << std::hex << (lead << 8 | trail);
      }
      ASSERT_EQ(toGb(engine), bytes(lead << 8 | trail)) << std::hex << (lead << 8 | trail);
    }
  }
  EXPECT_EQ(codes, 7478);
}

TEST_F(CodeConvertTest, EveryTableCharacterRoundTripsThroughGb) {
  std::u16string all;
  for (unsigned lead = 0xA1; lead <= 0xF7; ++lead) {
    for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) {
      if (char16_t c = gbUniValue(tables, lead, trail)) all.push_back(c);
    }
  }
  all += u"ASCII 0-9 ~";
  std::string gb;
  EXPECT_EQ(unicodeToGb(tables, gb, all), 7478u * 2 + 11);
  EXPECT_EQ(gb.find('?'), std::string::npos);
  std::u16string back;
  EXPECT_EQ(gbToUnicode(tables, back, gb), all.size());
  EXPECT_EQ(back, all);
}

// The program's table by code point gives what the search of the records gives, for every UTF-16 unit.
TEST_F(CodeConvertTest, TableByCodePointAgreesWithTheSearch) {
  ASSERT_TRUE(tables.uniGbByCodePoint);
  ConversionTables searched = tables;
  searched.uniGbByCodePoint = nullptr;
  int held = 0;
  std::string a, b;
  for (unsigned c = 1; c <= 0xFFFF; ++c) {
    const char16_t unit = static_cast<char16_t>(c);
    ASSERT_EQ(gbHolds(tables, unit), gbHolds(searched, unit)) << std::hex << c;
    unicodeToGb(tables, a, std::u16string_view(&unit, 1));
    unicodeToGb(searched, b, std::u16string_view(&unit, 1));
    ASSERT_EQ(a, b) << std::hex << c;
    if (c >= 0x80 && gbHolds(tables, unit)) ++held;
  }
  EXPECT_EQ(held, 7478);
}

TEST_F(CodeConvertTest, UnicodeToGbValues) {
  struct Case {
    std::u16string in;
    std::string out;
  } cases[] = {
      {u"A", "A"},
      {u"\uE000", "?"},                // no GB2312 code
      {u"\uFFE5", "\xA3\xA4"},         // the highest code point of the table is found too
      {u"\u554A", "\xB0\xA1"},
      {u"a\u3000b", "a\xA1\xA1" "b"},
  };
  for (const Case& c : cases) {
    std::string out;
    EXPECT_EQ(unicodeToGb(tables, out, c.in), c.out.size());
    EXPECT_EQ(out, c.out);
  }
  std::string out;
  EXPECT_EQ(unicodeToGb(ConversionTables{}, out, u"x\u554A"), 2u);
  EXPECT_EQ(out, "x?");
}

TEST_F(CodeConvertTest, GbToUnicodeDropsWhatIsOutsideTheTable) {
  struct Case {
    std::string in;
    std::u16string out;
    std::size_t read;
  } cases[] = {
      {"\xB0\xA1z", u"\u554Az", 2},
      {"\xF8\xA1z", u"z", 2},          // lead past the last row
      {"\xB0\x50z", u"z", 2},          // trail below 0xA1
      {"\xAA\xA1", u"", 1},            // row without characters
      {"a\xB0", u"a", 2},              // lead byte before the terminator
      {std::string("\xA1\xA1\0\xA1\xA1", 5), u"\u3000", 1},
  };
  for (const Case& c : cases) {
    std::u16string out;
    EXPECT_EQ(gbToUnicode(tables, out, c.in), c.read) << c.in;
    EXPECT_EQ(out, c.out) << c.in;
  }
}

TEST_F(CodeConvertTest, GbToInternalValues) {
  struct Case {
    std::string gb;
    std::string engine;
  } cases[] = {
      {"\xB0\xA1", "\x88\x9F"},        // first hanzi of the table
      {"\xCF\xD4", "\x87\x4A"},        // row 0xCF cell 52: the lowest hanzi code
      {"\xCF\xD3", "\x98\x72"},        // the cell before it: plain arithmetic
      {"\xCF\xFE", "\x87\x93"},
      {"\xA8\xA1", "\xA6"},            // pinyin letters are single bytes
      {"\xA8\xBA", "\xD8"},
      {"\xA3\xC1", "\x82\x60"},        // full-width A
      {"\xB0\x40", "\x81\xAC"},        // GBK, trail below 0xA1, not listed
      {"\x81\x40", "\x81\xAC"},
      {"\x8B\xA1", "\x81\xAC"},        // GBK row outside GB2312
      {"\xFE\xA1", "\x81\xAC"},
      {"ab\xB0\xA1" "c", "ab\x88\x9F" "c"},
      {"a\xB0", "a"},                  // lead byte without its trail
  };
  for (const Case& c : cases) EXPECT_EQ(toEngine(c.gb), c.engine) << c.gb;
  // A listed GBK code keeps its Japanese form.
  std::string iteration = plat::wideToMultiByte(932, u"\u30FD");
  EXPECT_EQ(toEngine("\xA9\x63"), iteration);
  // In place: the buffer gets the terminator after the result.
  char buf[] = "\xA8\xA1\xA8\xA2xyz";
  EXPECT_EQ(gbToInternal(tables, buf, 7), 5u);
  EXPECT_STREQ(buf, "\xA6\xA7xyz");
}

TEST_F(CodeConvertTest, InternalToGbValues) {
  struct Case {
    std::string engine;
    std::string gb;
  } cases[] = {
      {"\xA6", "\xA8\xA1"},
      {"\xBF", "\xA8\xA1"},
      {"\xD8", "\xA8\xBA"},
      {"\xD9\xDD", "mn"},
      {"\xA1\xA5", "\xA1\xA3\xA1\xA4"},
      {"\xDE\xDF", "\xA1\xE5\xA1\xE3"},
      {"\x81\x40", "\xA1\xA1"},
      {"\xFC\xFC", "\xA1\xA1"},        // no IBM-extension range: as the ideographic space
      {"\xEE\xED", "\xA1\xA1"},
      {"\x87\x4A", "\xCF\xD4"},
      {"\x88\x9F", "\xB0\xA1"},
      {"A\x88\x9F", "A\xB0\xA1"},
      {"A\x88", "A"},                  // lead byte without its trail
  };
  for (const Case& c : cases) EXPECT_EQ(toGb(c.engine), c.gb) << c.engine;
  EXPECT_EQ(toGb("\xFA\x40"), toGb("\xEE\xEF"));
  EXPECT_EQ(toGb("\xFB\x9C"), toGb("\xEE\x80"));
  // Japanese-only symbols have no GB2312 code.
  EXPECT_EQ(toGb("\x87\x8A"), "\xA1\xFE");
}

std::string engineOf(const ConversionTables& tables, std::u16string_view text) {
  std::string gb;
  unicodeToGb(tables, gb, text);
  gbToInternal(tables, gb);
  return gb;
}

TEST_F(CodeConvertTest, ConvertCwToJpReplacesOneHanzi) {
  struct Case {
    std::string in;
    std::string out;
  } cases[] = {
      {"A", "A"},
      {"\x81\x40", "\x81\x40"},
      {"\x87\x49", "\x87\x49"},
      {"\xEE\xED", "\xEE\xED"},    // above the bound but no hanzi in GB2312
      {"\x88\x3F", "\x88\x3F"},    // a broken trail byte indexes no table
      {"\xA6", "\xA6"},              // a pinyin letter stands alone
      {"\x88", "\x88"},              // a lead byte without its trail
      {engineOf(tables, u"\u4E2D"), plat::wideToMultiByte(932, u"\u4E2D")},   // same form in Japanese
      {engineOf(tables, u"\u8FD9"), plat::wideToMultiByte(932, u"\u9019")},   // fixed replacement
      {engineOf(tables, u"\u4E2D\u6587"), plat::wideToMultiByte(932, u"\u4E2D")},
  };
  for (const Case& c : cases) {
    std::string s = c.in;
    convertCwToJp(s);
    EXPECT_EQ(s, c.out) << c.in;
  }
  // A hanzi without a Japanese form becomes a user-defined code that names it.
  {
    std::string s = engineOf(tables, u"\u8BA9");
    convertCwToJp(s);
    ASSERT_EQ(s.size(), 2u);
    EXPECT_GE(static_cast<unsigned char>(s[0]), 0xF0);
    EXPECT_LE(static_cast<unsigned char>(s[0]), 0xF9);
  }
  // Hanzi of the last rows live in the IBM-extension area and still find their Japanese form.
  int checked = 0;
  for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) {
    std::u16string ch(1, gbUniValue(tables, 0xF7, static_cast<unsigned char>(trail)));
    std::string jp = plat::wideToMultiByte(932, ch);
    if (jp.size() != 2) continue;
    std::string s = engineOf(tables, ch);
    convertCwToJp(s);
    EXPECT_EQ(s, jp);
    ++checked;
  }
  EXPECT_GT(checked, 0);
  // So do those of the first row of hanzi.
  for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) {
    std::u16string ch(1, gbUniValue(tables, 0xB0, static_cast<unsigned char>(trail)));
    const std::string engine = engineOf(tables, ch);
    std::string s = engine;
    convertCwToJp(s);
    EXPECT_NE(s, engine) << std::hex << trail;
    std::string jp = plat::wideToMultiByte(932, ch);
    if (jp.size() == 2) EXPECT_EQ(s, jp) << std::hex << trail;
  }
}

// One further character is replaced by the fixed code the listed words give it, before the table.
TEST_F(CodeConvertTest, ConvertCwToJpFurtherFixedCharacter) {
  auto table = datagen::syntheticWordTable(datagen::wordKeyShapes(cj::registeredWordKeys()));
  ASSERT_EQ(table.count("codeConversion.furtherCharacter"), 1u);
  table["codeConversion.furtherCharacter"] = {plat::wideToUtf8(u"\u8BA9"), "\\x88\\x9F"};
  ASSERT_EQ(cj::loadWordTableText(datagen::wordTableText(table)), cj::kWordTableLoaded);
  std::string s = engineOf(tables, u"\u8BA9");
  convertCwToJp(s);
  EXPECT_EQ(s, "\x88\x9F");
  std::string out;
  copyCwToJp(engineOf(tables, u"\u8BA9\u4E2D"), out);
  EXPECT_EQ(out, "\x88\x9F" + plat::wideToMultiByte(932, u"\u4E2D"));
  cj::clearWordTable();
  s = engineOf(tables, u"\u8BA9");
  convertCwToJp(s);
  EXPECT_NE(s, "\x88\x9F");  // without the listed words the table decides
}

// Every hanzi the table gives no kanji comes out as a code of its own and is put back as itself;
// every other hanzi is written as its kanji and left alone.
TEST_F(CodeConvertTest, HanziWithoutAKanjiArePutBackAndNamed) {
  std::size_t unwritten = 0, overflow = 0;
  for (unsigned lead = 0xB0; lead <= 0xF7; ++lead) {
    for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) {
      const char16_t c = gbUniValue(tables, static_cast<unsigned char>(lead), static_cast<unsigned char>(trail));
      if (c < 0x4E00 || c > 0x9FFF) continue;
      std::string jp;
      copyCwToJp(engineOf(tables, std::u16string(1, c)), jp);
      std::u16string shown = plat::multiByteToWide(932, jp), restored;
      ASSERT_EQ(shown.size(), 1u) << std::hex << unsigned(c);
      // Past the 1,880 user-defined codes (a table without the Japanese forms) the mark stays.
      if (shown[0] == u'\u3013') {
        ++overflow;
        continue;
      }
      restoreUnwrittenHanzi(tables, shown, restored);
      if (!restored.empty()) {
        ++unwritten;
        EXPECT_EQ(shown, std::u16string(1, c)) << std::hex << unsigned(c);
        EXPECT_EQ(restored, shown);
      } else {
        EXPECT_GE(shown[0], 0x3400) << std::hex << unsigned(c);  // a kanji, no user-defined code
      }
    }
  }
  // The marks name these hanzi and, where the symbols lack a form too, a few symbols.
  EXPECT_LE(unwritten, unwrittenMarks()->gbOfMark.size());
  EXPECT_GT(unwritten, 1000u);
  if (overflow > 0) EXPECT_EQ(unwrittenMarks()->gbOfMark.size(), 10u * 188u);
  // Characters of the text's own past the user-defined codes the marks use stay as they are.
  std::u16string own = u"\uE800a", restored;
  restoreUnwrittenHanzi(tables, own, restored);
  EXPECT_EQ(own, u"\uE800a");
  EXPECT_TRUE(restored.empty());
}

TEST_F(CodeConvertTest, CopyAndFallbackConvertEveryCharacter) {
  std::string text = engineOf(tables, u"A\u4E2D\u6587\uFF01");
  std::string expect = plat::wideToMultiByte(932, u"A\u4E2D\u6587\uFF01");
  std::string out;
  copyCwToJp(text, out);
  EXPECT_EQ(out, expect);
  convertSentenceFallback(text, out);
  EXPECT_EQ(out, expect);
  // A lone lead byte at the end stops the copy.
  copyCwToJp(text + "\x88", out);
  EXPECT_EQ(out, expect);
  // Pinyin letters stand alone: the byte after them is not their trail.
  std::string pinyin = "\xA6" + engineOf(tables, u"\u4E2D");
  copyCwToJp(pinyin, out);
  EXPECT_EQ(out, "\xA6" + plat::wideToMultiByte(932, u"\u4E2D"));
}

TEST_F(CodeConvertTest, MissingTableLeavesHanzi) {
  std::string hanzi = engineOf(tables, u"\u4E2D");
  plat::registerOwnedResource("CVDATA", "CW2JP_TBL", "");
  std::string s = hanzi;
  convertCwToJp(s);
  EXPECT_EQ(s, hanzi);
}

}  // namespace
}  // namespace dbcs
