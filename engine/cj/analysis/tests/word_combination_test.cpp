#include "engine/cj/analysis/word_combination.h"

#include <gtest/gtest.h>

#include "engine/cj/analysis/tests/rule_test_support.h"

namespace cj {
namespace {

using cjtest::buildFromNotation;
using cjtest::labelOf;
using cjtest::shape;

class WordCombinationTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(cjtest::loadWordsWith()); }
  void TearDown() override { clearWordTable(); }
};

struct PassCase {
  const char* name;
  void (*pass)(CjSentence&);
  const char* notation;
  const char* shape;   // top-level chain after the pass
  const char* label;   // class/rule/head of the new node (node count), "" when none
};

// Words: $key#n are listed words; 鳌 鳍 鳎 鳏 鳐 are Chinese characters of no list.
const PassCase kPassCases[] = {
    {"run of three listed characters", combineCharacterRuns,
     "w $wordCombination.runList1 N;w $wordCombination.runList2 N;w $wordCombination.runList3 N;w 鳌 V",
     "[N 1 2 3] 4", "2/3/h1"},
    {"two characters are too short for a run", combineCharacterRuns,
     "w $wordCombination.runList1 N;w $wordCombination.runList2 N;w 鳌 V", "1 2 3", ""},
    {"a Z noun starts a run and counts its bytes", combineCharacterRuns,
     "w 鳌鳍 N +N:M_SEM=Z;w $wordCombination.runList3#1 N", "[N 1 2]", "2/3/h1"},
    {"a run must not start in list 2", combineCharacterRuns,
     "w $wordCombination.runList2 N;w $wordCombination.runList2#1 N;w $wordCombination.runList3 N", "1 2 3", ""},
    {"pair character with one character", combinePrefixedHeads, "w $wordCombination.pairChar N;w 鳌 N",
     "[N 1 2]", "2/3/h2"},
    {"prefix 1 with a head-list item", combinePrefixedHeads,
     "w $wordCombination.prefix1 N;w $wordCombination.headList1#2 N", "[N 1 2]", "1/1/h2"},
    {"prefix 2 with a head-list-2 item", combinePrefixedHeads,
     "w $wordCombination.prefix2 N;w $wordCombination.headList2#2 N", "[N 1 2]", "1/1/h2"},
    {"prefix 3 with a tail-list character", combinePrefixedHeads,
     "w $wordCombination.prefix3 N;w $wordCombination.tailList2#2 N;w 鳌 V", "[N 1 2] 3", "1/2/h2"},
    {"prefix 3 before a tail character and a noun", combinePrefixedHeads,
     "w $wordCombination.prefix3 N;w $wordCombination.tailList1 N;w 鳌 N", "1 2 3", ""},
    {"prefix 1 takes no tail character", combinePrefixedHeads,
     "w $wordCombination.prefix1 N;w $wordCombination.tailList1 N", "1 2", ""},
    {"numeral prefix with a numeral", combineNumeralPrefix, "w $wordCombination.numeralPrefix F;w 鳌 U",
     "[N 1 2]", "1/3/h1"},
    {"numeral prefix before a non-numeral", combineNumeralPrefix, "w $wordCombination.numeralPrefix F;w 鳌 N",
     "1 2", ""},
    {"W-prefix with a word of list W", combineListedWordPrefix,
     "w 鳌 N;w $wordCombination.wPrefix3 F;w $wordCombination.listW#9 N", "1 [N 2 3]", "1/4/h2"},
    {"noun prefix with a noun", combineNounPrefix, "w $wordCombination.nounPrefix F;w 鳌 N;w 鳍 V",
     "[N 1 2] 3", "1/5/h1"},
    {"blocking word anywhere after the noun prefix", combineNounPrefix,
     "w $wordCombination.nounPrefix F;w 鳌 N;w 鳍 V;w $wordCombination.blockingWord N", "1 2 3 4", ""},
    {"head character with a follower", combineHeadCharacter,
     "w $wordCombination.headList1 N;w $wordCombination.wPrefix1 N", "[N 1 2]", "2/1/h2"},
    {"head character with a word of list W", combineHeadCharacter,
     "w $wordCombination.headList1 N;w $wordCombination.listW N", "[N 1 2]", "2/2/h2"},
    {"head character, tail character, tail character (branch A)", combineHeadCharacter,
     "w $wordCombination.headList1 N;w $wordCombination.tailList1 N;w $wordCombination.tailList2 N",
     "[N 1 2 3]", "2/3/h3"},
    {"head-list-2 character, tail character, tail character (branch B)", combineHeadCharacter,
     "w $wordCombination.headList2 N;w $wordCombination.tailList1 N;w $wordCombination.tailList2 N",
     "[N 1 2 3]", "2/3/h2"},
    {"branch A: one character before a two-character word", combineHeadCharacter,
     "w $wordCombination.headList1 N;w $wordCombination.tailList1 N;w 鳌鳍 N", "1 2 3", ""},
    {"branch B: one character before a two-character word", combineHeadCharacter,
     "w $wordCombination.headList2 N;w $wordCombination.tailList1 N;w 鳌鳍 N", "[N 1 2] 3", "2/3/h2"},
    {"branch A: tail character at the end", combineHeadCharacter,
     "w $wordCombination.headList1 N;w $wordCombination.tailList1 N", "[N 1 2]", "2/3/h2"},
    {"branch A: w2 with R", combineHeadCharacter,
     "w $wordCombination.headList1 N;w $wordCombination.tailList1 R", "1 2", ""},
    {"branch B: w2 with V", combineHeadCharacter,
     "w $wordCombination.headList2 N;w $wordCombination.tailList1 V", "1 2", ""},
    {"noun with noun suffix 1", combineNounSuffix, "w 鳌 N;w $wordCombination.nounSuffix1 N", "[N 1 2]",
     "2/4/h1"},
    {"word with noun suffix 2", combineWordSuffix, "w 鳌 V;w $wordCombination.nounSuffix2 N", "[N 1 2]",
     "2/6/h1"},
    {"two-character word with a listed suffix", combineWordSuffix,
     "w 鳌鳍 V;w $wordCombination.suffixList#4 N", "[N 1 2]", "2/5/h1"},
    {"one-character word with a listed suffix", combineWordSuffix, "w 鳌 V;w $wordCombination.suffixList#4 N",
     "1 2", ""},
    {"one character with noun suffix 1", combineShortWordSuffix, "w 鳌 V;w $wordCombination.nounSuffix1 N",
     "[N 1 2]", "2/5/h1"},
    {"no Chinese text, no suffix", combineShortWordSuffix, "w \\x41 V;w $wordCombination.nounSuffix1 N", "1 2",
     ""},
};

TEST_F(WordCombinationTest, EachPassMergesItsShape) {
  for (const PassCase& c : kPassCases) {
    SCOPED_TRACE(c.name);
    auto s = buildFromNotation(c.notation);
    ASSERT_TRUE(s);
    const int before = s->nodeCount;
    c.pass(*s);
    EXPECT_EQ(shape(*s), c.shape);
    if (*c.label) {
      ASSERT_EQ(s->nodeCount, before + 1);
      EXPECT_EQ(labelOf(*s, s->nodeCount), c.label);
      EXPECT_EQ(s->nodes[s->nodeCount].CAT, "N");
      EXPECT_TRUE(s->nodes[s->nodeCount].REPF.empty());
    } else {
      EXPECT_EQ(s->nodeCount, before);
    }
  }
}

TEST_F(WordCombinationTest, TwoCharacterWordEndingInATailCharacter) {
  for (bool verb : {false, true}) {
    auto s = buildFromNotation(std::string("w $wordCombination.headList1 N;w - ") + (verb ? "V" : "N"));
    s->nodes[2].CHI = cjtest::engineText("鳌") + cjtest::listed("wordCombination.tailList2", 2);
    combineHeadCharacter(*s);
    EXPECT_EQ(shape(*s), verb ? "1 2" : "[N 1 2]");
    if (!verb) {
      EXPECT_EQ(labelOf(*s, 3), "2/3/h2");
    }
  }
}

TEST_F(WordCombinationTest, NeighbourTestOfHeadListTwo) {
  ASSERT_TRUE(cjtest::loadWordsWith({{"wordCombination.neighbour1", {"wordCombination.headList2#0"}},
                                     {"wordCombination.neighbour3", {"wordCombination.headList2#1"}}}));
  struct Case {
    const char* notation;
    const char* shape;
  } cases[] = {
      {"w 鳌 N;w $wordCombination.headList2#0 N;w $wordCombination.wPrefix1 N", "1 [N 2 3]"},
      {"w $wordCombination.neighbour2 N;w $wordCombination.headList2#0 N;w $wordCombination.wPrefix1 N", "1 2 3"},
      {"w 鳌 U;w $wordCombination.headList2#0 N;w $wordCombination.wPrefix1 N", "1 2 3"},
      {"w 鳌 S;w $wordCombination.headList2#0 N;w $wordCombination.wPrefix1 N", "1 [N 2 3]"},
      {"w 鳌 S;w $wordCombination.headList2#1 N;w $wordCombination.wPrefix1 V", "1 2 3"},
      {"w 鳌 V;w $wordCombination.headList2#1 N;w $wordCombination.wPrefix1 V", "1 [N 2 3]"},
      {"w 鳌 V;w $wordCombination.headList2#1 N;w $wordCombination.listW N", "1 2 3"},
      {"w 鳌 V;w $wordCombination.headList2#1 V;w $wordCombination.listW V", "1 [N 2 3]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.notation);
    auto s = buildFromNotation(c.notation);
    combineHeadCharacter(*s);
    EXPECT_EQ(shape(*s), c.shape);
  }
  // Neighbour 1 fails before a noun of fixed class K.
  auto s = buildFromNotation("w $wordCombination.headList2#0 N;w $wordCombination.wPrefix1 N +N:CLAS_M_FIX=K");
  combineHeadCharacter(*s);
  EXPECT_EQ(shape(*s), "1 2");
}

TEST_F(WordCombinationTest, EarlierPassesClaimTheirWordsFirst) {
  // A one-character noun before noun suffix 1 is pass 7's (rule 4), a non-noun pass 9's (rule 5).
  auto s = buildFromNotation("w 鳌 N;w $wordCombination.nounSuffix1 N;w 鳍 V;w $wordCombination.nounSuffix1 N");
  combineWords(*s);
  EXPECT_EQ(shape(*s), "[N 1 2] [N 3 4]");
  EXPECT_EQ(labelOf(*s, 5), "2/4/h1");
  EXPECT_EQ(labelOf(*s, 6), "2/5/h3");
}

TEST_F(WordCombinationTest, ListedCharacterTakesTheNounSense) {
  struct Case {
    const char* notation;
    int word;
    bool changed;
  } cases[] = {
      {"w $wordCombination.senseList#2 V +V;w 鳌 V", 1, true},
      {"w 鳍 N;w $wordCombination.senseList#2 V +V;w 鳌 V", 2, false},
      {"w 鳍 N;w $wordCombination.senseList#2 V +V;w 鳌 N +N:M_SEM=HA", 2, true},
      {"w 鳍 N;w $wordCombination.senseList#2 V +V;w 鳌 N +N:M_SEM=K", 2, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.notation);
    auto s = buildFromNotation(c.notation);
    giveListedNounSenses(*s);
    const CjNode& n = s->nodes[c.word];
    ASSERT_EQ(n.senses.size(), 1u);
    if (c.changed) {
      EXPECT_EQ(n.CAT, "N");
      EXPECT_EQ(n.senses[0].catLetter, 'N');
      EXPECT_EQ(n.senses[0].M_SEM, "JJJ");
    } else {
      EXPECT_EQ(n.CAT, "V");
      EXPECT_EQ(n.senses[0].catLetter, 'V');
    }
  }
}

TEST_F(WordCombinationTest, ListedWithSuccessor) {
  auto s = buildFromNotation(
      "w $wordCombination.listW#4 N;w $wordCombination.wPrefix2 F;w $wordCombination.listW#1 N;"
      "w $wordCombination.wPrefix3 F;w $wordCombination.listW N;w $wordCombination.wPrefix1 F");
  EXPECT_TRUE(isListedWithSuccessor(*s, 1));
  EXPECT_TRUE(isListedWithSuccessor(*s, 2));
  EXPECT_FALSE(isListedWithSuccessor(*s, 4));  // W-prefix 3 is not asked
  EXPECT_FALSE(isListedWithSuccessor(*s, 6));  // last node: no successor
  EXPECT_FALSE(isListedWithSuccessor(*s, 0));
}

TEST_F(WordCombinationTest, FullWorkAreaBuildsNothingAndKeepsTheChain) {
  auto s = cjtest::fullSentence(
      "w $wordCombination.runList1 N;w $wordCombination.runList1#1 N;w $wordCombination.runList1#2 N;"
      "w $wordCombination.prefix1 N;w $wordCombination.headList1 N;w 鳌 N;w $wordCombination.nounSuffix1 N");
  const int count = s->nodeCount;
  testing::internal::CaptureStderr();
  combineWords(*s);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(s->nodeCount, count);
  int k = s->firstTop, n = 0;
  for (; k != 0 && n <= kMaxNodes; k = s->nodes[k].next) ++n;
  EXPECT_EQ(n, count);
}

}  // namespace
}  // namespace cj
