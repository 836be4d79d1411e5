#include "engine/cj/analysis/numerals.h"

#include <gtest/gtest.h>

#include "engine/cj/analysis/tests/sentence_notation.h"
#include "platform/core/codepage.h"
#include "tools/datagen/cvdata_tables.h"
#include "tools/datagen/word_table_writer.h"

namespace cj {
namespace {

using cjtest::engineText;

// The numeral lists filled with the real characters; every other key synthetic.
class NumeralsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    datagen::registerConversionTables();
    datagen::WordTable table = datagen::syntheticWordTable(datagen::wordKeyShapes(registeredWordKeys()));
    table[kNumeralUnits.key()] = {"十", "百", "千", "万", "亿", "兆"};
    table[kNumeralDigitChars.key()] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９", "零", "○"};
    table[kNumeralZeroChars.key()] = {"零", "○", "洞"};
    table[kNumeralDigitSet1.key()] = {"一", "二", "两", "三", "四", "五", "六", "七", "八", "九"};
    table[kNumeralDigitSet2.key()] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
    table[kNumeralDigitSet3.key()] = {"幺", "贰", "叁", "肆", "伍", "陆", "柒", "捌", "玖"};
    table[kNumeralZeroList.key()] = {"零", "○", "洞", "幺"};
    table[kNumeralMarkers.key()] = {"零", "几", "多", "余"};
    table[kNumeralApproximateWords.key()] = {"七八", "三四", "三五", "四五", "五六", "六七", "七八",
                                       "八九", "一二", "二三", "一两", "两三", "俩仨"};
    table[kNumeralSeparator.key()] = {"到"};
    ASSERT_EQ(loadWordTableText(datagen::wordTableText(table)), kWordTableLoaded);
  }
  void TearDown() override { clearWordTable(); }

  static std::string convert(std::string_view utf8, int pairs = 1) {
    std::string out = "left over";
    convertNumeral(engineText(utf8), out, pairs);
    return out;
  }
  static std::string japanese(const std::u16string& text) { return plat::wideToMultiByte(932, text); }
};

TEST_F(NumeralsTest, ConvertsNumeralWords) {
  const std::string to = engineText("到");
  struct Case {
    const char* text;
    std::string expected;
  } cases[] = {
      {"十", "10"},
      {"十五", "15"},
      {"五十", "50"},
      {"三百五", "350"},
      {"一百零五", "105"},
      {"二十五万", "250000"},
      {"一万三千", "13000"},
      {"一千万", "10000000"},
      {"三亿零五", "300000005"},
      {"三亿五千万", "350000000"},  // a lower group unit scales its own group only
      {"一亿零五十万", "100500000"},
      {"一万亿", "1000000000000"},   // a higher one scales all before it
      {"三万五千二", "35200"},
      {"两千零一十", "2010"},
      {"三万千", "31000"},        // a unit without a digit before it counts once
      {"三十几", "30"},           // a marker adds nothing
      {"305", "305"},
      {"３０５", "305"},
      {"贰", "2"},
      {"", ""},
      {"三四十", "30" + to + "40"},   // approximate: each loose digit alone
      {"七八", japanese(u"7、8")},
      {"俩仨", japanese(u"2、3")},
  };
  for (const Case& c : cases) EXPECT_EQ(convert(c.text), c.expected) << c.text;
}

TEST_F(NumeralsTest, RecodesWhatIsNoNumber) {
  // Only units, and digits side by side, stay characters.
  EXPECT_EQ(convert("百千"), japanese(u"百千"));
  EXPECT_EQ(convert("３４万"), japanese(u"３４万"));
  EXPECT_EQ(convert("万"), japanese(u"万"));
  // Without the pairs flag an approximate word is read like any other text.
  EXPECT_EQ(convert("七八", 0), "78");
  EXPECT_EQ(convert("三四", 0), "34");
}

TEST_F(NumeralsTest, ApproximatePairSkipsMarkers) {
  // The zero marker before the loose pair is not one of the pair.
  EXPECT_EQ(convert("一百零五六"), "105" + engineText("到") + "106");
}

TEST_F(NumeralsTest, ResultStaysWithinItsRoom) {
  std::string text = "一";
  for (int i = 0; i < 30; ++i) text += "兆";
  const std::string out = convert(text);
  EXPECT_EQ(out.size(), kNumeralOutSize - 1);
  EXPECT_EQ(out.front(), '1');
  EXPECT_EQ(out.find_first_not_of('0', 1), std::string::npos);

  std::string long34;
  for (int i = 0; i < 150; ++i) long34 += "３４万";
  EXPECT_LE(convert(long34).size(), kNumeralOutSize - 1);
}

TEST_F(NumeralsTest, DigitValues) {
  EXPECT_EQ(digitValue("7"), '7');
  EXPECT_EQ(digitValue(engineText("两")), '2');
  EXPECT_EQ(digitValue(engineText("９")), '9');
  EXPECT_EQ(digitValue(engineText("洞")), '0');
  EXPECT_EQ(digitValue(engineText("好")), '0');
  EXPECT_EQ(unitPower(engineText("亿")), 8);
  EXPECT_EQ(unitPower(engineText("兆")), 12);
  EXPECT_EQ(unitPower(engineText("五")), 0);
}

TEST_F(NumeralsTest, NumeralListWords) {
  for (const char* yes : {"十", "万", "5", "１", "一", "两", "零", "贰"}) {
    EXPECT_EQ(isNumeralListWord(engineText(yes)), 1) << yes;
  }
  for (const char* no : {"几", "好", "十五", "a", ""}) EXPECT_EQ(isNumeralListWord(engineText(no)), 0) << no;
}

}  // namespace
}  // namespace cj
