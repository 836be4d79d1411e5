#include "engine/jc/core/jc_predicates_text.h"

#include <gtest/gtest.h>

#include <string>

namespace jc {
namespace {

TEST(JcBarList, MatchesWholeItemsOnly) {
  struct Case {
    std::string_view list, code;
    int expected;
  } cases[] = {
      {"|18|19|20|", "19", 1},
      {"|18|19|20|", "1", 0},   // no match inside an item
      {"|18|19|20|", "18|19", 1},
      {kVerbTypes, "1", 1},
      {kVerbTypes, "17", 1},
      {kVerbTypes, "32", 0},
      {kVerbAndPotentialTypes, "33", 1},
      {kNaAdjectiveCopulaTypes, "24", 0},
      {kNaAdjectiveAllTypes, "24", 1},
      {kAdnominalLabels, "TG", 1},
      {kAdnominalLabels, "D1", 0},
      {"|18|19|20|", "", 0},
      {"||", "", 0},
      {"", "18", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(isInBarList(c.list, c.code), c.expected) << c.list << " " << c.code;
}

TEST(JcBarList, RefusesCodesLongerThan28Bytes) {
  std::string code28(28, 'x'), code29(29, 'x');
  EXPECT_EQ(isInBarList("|" + code28 + "|", code28), 1);
  EXPECT_EQ(isInBarList("|" + code29 + "|", code29), 0);
}

TEST(JcBarList, MatchesOnlyAtCharacterBoundaries) {
  // ポ is 0x83 0x7C: its trail byte looks like a bar.
  EXPECT_EQ(isInBarList("|\x83\x7C" "A|", "A"), 0);
  EXPECT_EQ(isInBarList("|\x83\x7C" "A|", "\x83\x7C" "A"), 1);
  EXPECT_EQ(isInBarList("|誰|何|", "何"), 1);
}

TEST(JcText, EndsWith) {
  EXPECT_EQ(endsWith("読んだ", "だ"), 1);
  EXPECT_EQ(endsWith("だ", "だ"), 1);
  EXPECT_EQ(endsWith("だ", "読んだ"), 0);
  EXPECT_EQ(endsWith("読んだ", ""), 1);
  EXPECT_EQ(endsWith("", ""), 1);
  EXPECT_EQ(endsWith("読んだ", "ん"), 0);
  // The suffix "A" sits on the trail byte of ア (0x83 0x41).
  EXPECT_EQ(endsWith("\x83\x41", "A"), 0);
  EXPECT_EQ(endsWith("x\x83\x41", "\x83\x41"), 1);
}

}  // namespace
}  // namespace jc
