#include "input/handwriting/code_conversion.h"
#include "tools/datagen/cvdata_tables.h"

#include <gtest/gtest.h>

namespace {

class CodeConversion : public ::testing::Test {
 protected:
  void SetUp() override {
    datagen::registerConversionTables();
    tables_ = hw::locateCodeTables();
    ASSERT_TRUE(tables_.gbUni);
    ASSERT_TRUE(tables_.b5Uni);
  }
  hw::CodeTables tables_;
};

TEST_F(CodeConversion, SimplifiedCodesAreBcdRowsAndCells) {
  struct Case {
    std::uint16_t code;
    std::u16string text;
  } cases[] = {
      {0x1601, u"啊"},  // GB2312 0xB0 0xA1
      {0x5027, u"一"},
      {0x0101, u"　"},  // row 1 is in the table
      {0x0333, u"Ａ"},
      {0x8794, u"齄"},  // the last cell of the last row
      // Not BCD, row 0, rows 10-15 and past 87, cells 0 and past 94: no character.
      {0x1A01, u""},
      {0x161A, u""},
      {0x0001, u""},
      {0x1201, u""},
      {0x8801, u""},
      {0x9901, u""},
      {0x1600, u""},
      {0x1695, u""},
      {0x0000, u""},
  };
  for (const Case& c : cases) EXPECT_EQ(hw::candidateToUnicode(c.code, false, tables_), c.text) << std::hex << c.code;
}

TEST_F(CodeConversion, TraditionalCodesAreBig5) {
  struct Case {
    std::uint16_t code;
    std::u16string text;
  } cases[] = {
      {0xA440, u"一"}, {0xB0EA, u"國"}, {0xA2CF, u"Ａ"}, {0xA1A1, u"﹛"},
      // Lead and trail bytes outside Big5: no character, never a byte of the code kept as text.
      {0x0041, u""}, {0x8040, u""}, {0xA0A1, u""}, {0xFA40, u""}, {0xA47F, u""}, {0xA4A0, u""}, {0xA4FF, u""},
      {0xA43F, u""},
  };
  for (const Case& c : cases) EXPECT_EQ(hw::candidateToUnicode(c.code, true, tables_), c.text) << std::hex << c.code;
  EXPECT_EQ(hw::big5ToUnicode("a\xA4\x40" "b", tables_), u"a一b");
  EXPECT_EQ(hw::big5ToUnicode("\xA4", tables_), u"");
}

TEST_F(CodeConversion, HalfWidthFollowsTheClassKeys) {
  const std::u16string text = u"Ａｚ１，￥”一";
  struct Case {
    hw::HalfWidthKeys keys;
    std::u16string out;
  } cases[] = {
      {{false, false, false}, text},
      {{true, false, false}, u"Az1,\\\"一"},
      {{true, true, false}, u"Ａｚ１,\\\"一"},
      {{true, false, true}, u"Az１，￥”一"},
      {{true, true, true}, u"Az１,\\\"一"},  // symbols and letters; digits stay
  };
  for (const Case& c : cases) {
    EXPECT_EQ(hw::toHalfWidth(text, c.keys), c.out)
        << c.keys.halfWidth << c.keys.symbols << c.keys.letters;
  }
  EXPECT_EQ(hw::toHalfWidth(u"　！“’‘～", {true, true, false}), u" !\"'`~");
}

}  // namespace
