#include "engine/cj/transfer/arabic_numerals.h"

#include <gtest/gtest.h>

#include "engine/cj/analysis/numerals.h"
#include "engine/cj/transfer/tests/rule_sentence.h"
#include "tools/datagen/cvdata_tables.h"

namespace {

using cjtest::engineText;

// A UTF-8 text: the test's plain literals are Shift-JIS.
std::string U(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// The numeral characters and the words of the Arabic rendering are real; other keys synthetic.
class ArabicNumerals : public cjtest::RuleSentence {
 protected:
  void SetUp() override {
    datagen::registerConversionTables();
    datagen::WordTable table = datagen::syntheticWordTable(datagen::wordKeyShapes(cj::registeredWordKeys()));
    table[cj::kNumeralUnits.key()] = {U(u8"十"), U(u8"百"), U(u8"千"), U(u8"万"), U(u8"亿"), U(u8"兆")};
    table[cj::kNumeralDigitChars.key()] = {U(u8"０"), U(u8"１"), U(u8"２"), U(u8"３"), U(u8"４"), U(u8"５"),
                                     U(u8"６"), U(u8"７"), U(u8"８"), U(u8"９"), U(u8"零"), U(u8"○")};
    table[cj::kNumeralZeroChars.key()] = {U(u8"零"), U(u8"○"), U(u8"洞")};
    table[cj::kNumeralDigitSet1.key()] = {U(u8"一"), U(u8"二"), U(u8"两"), U(u8"三"), U(u8"四"),
                                    U(u8"五"), U(u8"六"), U(u8"七"), U(u8"八"), U(u8"九")};
    table[cj::kNumeralDigitSet2.key()] = {U(u8"０"), U(u8"１"), U(u8"２"), U(u8"３"), U(u8"４"),
                                    U(u8"５"), U(u8"６"), U(u8"７"), U(u8"８"), U(u8"９")};
    table[cj::kNumeralDigitSet3.key()] = {U(u8"幺"), U(u8"贰"), U(u8"叁"), U(u8"肆"), U(u8"伍"),
                                    U(u8"陆"), U(u8"柒"), U(u8"捌"), U(u8"玖")};
    table[cj::kNumeralZeroList.key()] = {U(u8"零"), U(u8"○"), U(u8"洞"), U(u8"幺")};
    table[cj::kNumeralMarkers.key()] = {U(u8"零"), U(u8"几"), U(u8"多"), U(u8"余")};
    table[cj::kNumeralApproximateWords.key()] = {U(u8"七八"), U(u8"三四"), U(u8"三五"), U(u8"四五"), U(u8"五六"),
                                           U(u8"六七"), U(u8"七八"), U(u8"八九"), U(u8"一二"), U(u8"二三"),
                                           U(u8"一两"), U(u8"两三"), U(u8"俩仨")};
    table[cj::kSpecialNumerals.key()] = {U(u8"三四"), U(u8"三五"), U(u8"四五"), U(u8"五六"), U(u8"六七"), U(u8"七八"),
                                   U(u8"八九"), U(u8"一二"), U(u8"二三"), U(u8"一两"), U(u8"两三"), U(u8"俩仨")};
    table[cj::kReadingPairFollowers.key()] = {U(u8"个"), U(u8"岁")};
    table[cj::kNoPairNumerals.key()] = {U(u8"一两"), U(u8"两三"), U(u8"俩仨")};
    table[cj::kOneOrTwoWord.key()] = {U(u8"一两")};
    table[cj::kOneOrTwoStop.key()] = {U(u8"天")};
    table[cj::kTwoOrThreeWord.key()] = {U(u8"两三")};
    table[cj::kTwoOrThreeStop.key()] = {U(u8"年")};
    table[cj::kPlainBeforeNumeral.key()] = {U(u8"第")};
    table[cj::kSplitTailExtra.key()] = {U(u8"半")};
    table[cj::kSplitUnitWord.key()] = {U(u8"千")};
    table[cj::kApproximateWord.key()] = {U(u8"数")};
    table[cj::kRunEndExtra.key()] = {U(u8"点"), U(u8"成")};
    table[cj::kPointWords.key()] = {U(u8"点"), U(u8"．")};
    table[cj::kFractionWord.key()] = {U(u8"分之")};
    table[cj::kOfWord.key()] = {U(u8"的")};
    table[cj::kTenthWord.key()] = {U(u8"成")};
    ASSERT_EQ(cj::loadWordTableText(datagen::wordTableText(table)), cj::kWordTableLoaded);
  }
  void TearDown() override { cj::clearWordTable(); }

  // Words (UTF-8, separated by spaces) under one phrase, then the given word after it.
  void span(const std::vector<std::string>& words, const std::string& after = "") {
    std::string notation;
    for (const std::string& w : words) notation += "w " + w + " S; ";
    if (!after.empty()) notation += "w " + after + "; ";
    notation += "p 1 " + std::to_string(words.size()) + " NP";
    build(notation);
    phrase = context->nodeCount;
  }
  static std::string numeral(const std::string& utf8, int flag) {
    std::string out;
    cj::convertNumeral(engineText(utf8), out, flag);
    return out;
  }
  int phrase = 0;
};

TEST_F(ArabicNumerals, SpanBecomesOneNumeralText) {
  struct Case {
    std::vector<std::string> words;
    std::string after;
    std::string text;
  } cases[] = {
      {{U(u8"三"), U(u8"百"), U(u8"五")}, "", "350"},
      {{U(u8"三"), U(u8"万"), U(u8"五"), U(u8"千")}, "", "3万5000"},  // the run ends at the unit
      {{U(u8"三"), U(u8"万"), U(u8"五")}, U(u8"个 N"), "3万5000"},    // one digit after the unit takes the next unit
      {{U(u8"三"), U(u8"点"), U(u8"五")}, "", "3.5"},
      {{U(u8"三"), U(u8"分之"), U(u8"一")}, "", "3分1"},
      {{U(u8"数"), U(u8"十")}, "", "数(何)十"},  // no run starts after the approximate word
      {{U(u8"一两")}, U(u8"个 N"), "一両"},
      {{U(u8"一两")}, U(u8"天 N"), "1、2"},
      {{U(u8"两三")}, U(u8"年 N"), "2、3"},
  };
  for (const Case& k : cases) {
    span(k.words, k.after);
    SCOPED_TRACE(k.text);
    EXPECT_EQ(cj::convertToArabic(*context, phrase), 1);
    EXPECT_EQ(japanese(1), k.text);
    EXPECT_EQ(target(1).alive, 1);
    for (int i = 2; i <= static_cast<int>(k.words.size()); ++i) {
      EXPECT_EQ(target(i).alive, 0) << i;
      EXPECT_EQ(japanese(i), "") << i;
    }
  }
}

TEST_F(ArabicNumerals, SpecialWordBeforeACounterGivesBothReadings) {
  const std::string word = U(u8"三四");
  span({word}, U(u8"个 N"));
  cj::convertToArabic(*context, phrase);
  EXPECT_EQ(japanese(1), numeral(word, 0) + "(" + numeral(word, 1) + ")");
  EXPECT_NE(numeral(word, 0), numeral(word, 1));
  // Without the counter: one reading.
  span({word}, U(u8"猫 N"));
  cj::convertToArabic(*context, phrase);
  EXPECT_EQ(japanese(1), numeral(word, 1));
}

TEST_F(ArabicNumerals, LongTextGoesOnInTheNextNodesOfTheSpanOnly) {
  // 1 + 2 x 59 bytes of text that is not numeral: copied character by character.
  std::string many;
  for (int k = 0; k < 59; ++k) many += U(u8"猫");
  span({"a" + many.substr(0, 30 * 3), many.substr(30 * 3)}, U(u8"猫 N"));
  target(3).japanese = "next";
  cj::convertToArabic(*context, phrase);
  // 46 bytes would cut the 23rd double-byte character: the first node takes 45.
  EXPECT_EQ(japanese(1).size(), 45u);
  EXPECT_EQ(japanese(1)[0], 'a');
  EXPECT_EQ(japanese(2).size(), 46u);
  EXPECT_EQ(target(2).alive, 1);
  EXPECT_EQ(japanese(3), "next");  // the text never runs past the span
  EXPECT_EQ(target(3).alive, 1);
}

}  // namespace
