#include "engine/cj/analysis/pre_parse.h"

#include <gtest/gtest.h>

#include "engine/cj/analysis/tests/cj_dictionary_fixture.h"
#include "engine/cj/analysis/tests/rule_test_support.h"

namespace cj {
namespace {

using cjtest::buildFromNotation;
using cjtest::engineText;
using cjtest::listed;
using cjtest::shape;

#define P(key) "$preParse." key

// Pairs: pair list 1 holds B#1 and A#3, so (A, B#1) and (B, A#3) are numeral pairs.
std::map<std::string, std::vector<std::string>> pairOverrides() {
  std::vector<std::string> pairs1 = {"preParse.numeralListB#1", "preParse.numeralListA#3"};
  for (int k = 2; k < 16; ++k) pairs1.push_back("preParse.pairList1#" + std::to_string(k));
  return {{"preParse.pairList1", pairs1}};
}

class PreParseTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(cjtest::loadWordsWith(pairOverrides())); }
  void TearDown() override { clearWordTable(); }
};

std::string categories(const CjSentence& s) {
  std::string out;
  for (int i = 1; i <= s.nodeCount; ++i) out += (i > 1 ? " " : "") + s.nodes[i].CAT.str();
  return out;
}

TEST_F(PreParseTest, TagNumeralWords) {
  struct Case {
    const char* name;
    const char* notation;
    const char* cats;
  } cases[] = {
      {"lead word, then A", "w " P("leadWords") " X;w " P("numeralListA") " N;w 鳎 N", "X U N"},
      {"lead word, then B", "w " P("leadWords#2") " X;w " P("numeralListB#4") " N", "X U"},
      {"between two U words", "w 鳌 U;w " P("numeralListB#2") " N;w 鳍 U", "U U U"},
      {"A before U", "w " P("numeralListA#5") " N;w 鳌 UV", "U U"},
      {"A, B paired", "w " P("numeralListA") " N;w " P("numeralListB#1") " N", "U U"},
      {"A, B unpaired", "w " P("numeralListA") " N;w " P("numeralListB#2") " N", "N N"},
      {"B, A paired", "w " P("numeralListB#2") " N;w " P("numeralListA#3") " N", "U U"},
      {"B, A unpaired", "w " P("numeralListB#2") " N;w " P("numeralListA#4") " N", "N N"},
      {"U, A at the end", "w 鳌 U;w " P("numeralListA") " N", "U N"},
      {"nothing listed", "w 鳌 U;w 鳍 N;w 鳎 U", "U N U"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto s = buildFromNotation(c.notation);
    ASSERT_TRUE(s);
    const std::string before = shape(*s);
    tagNumeralWords(*s);
    EXPECT_EQ(categories(*s), c.cats);
    EXPECT_EQ(shape(*s), before);
  }
}

TEST_F(PreParseTest, NumeralWordPairs) {
  const std::string p1 = listed("preParse.pairList1", 2), p2 = listed("preParse.pairList2");
  const std::string p3 = listed("preParse.pairList3"), p4 = listed("preParse.pairList4");
  EXPECT_TRUE(isNumeralWordPair(engineText("鳌"), p1));
  EXPECT_TRUE(isNumeralWordPair(p1, p2));
  EXPECT_TRUE(isNumeralWordPair(p3, p4));
  EXPECT_FALSE(isNumeralWordPair(p2, p1 + p1));
  EXPECT_FALSE(isNumeralWordPair(p4, p3));
  EXPECT_FALSE(isNumeralWordPair(p2, p2));
}

TEST_F(PreParseTest, GroupNumeralRuns) {
  struct Case {
    const char* name;
    const char* notation;
    const char* shape;
  } cases[] = {
      {"U, run characters, an ASCII digit", "w 鳌 U;w " P("runListC") " X;w 5 X;w " P("runListD#40") " X;w 鳎 N",
       "[UG 1 2 3 4] 5"},
      {"B starts a run", "w " P("numeralListB") " N;w 鳌 U", "[UG 1 2]"},
      {"a single U word", "w 鳌 U;w 鳎 N", "1 2"},
      {"the stop string ends a run", "w 鳌 U;w " P("runStop") " U;w 鳍 U", "1 2 3"},
      {"nor starts one", "w " P("runStop") " U;w 鳍 U", "1 2"},
      {"an all-listed word joins", "w 鳌 U;w $nodeBuilding.prefixChars#3 N;w 鳎 N", "[UG 1 2] 3"},
      {"two runs", "w 鳌 U;w 鳍 U;w 鳎 N;w 鳏 N;w 鳌 U;w 鳍 U", "[UG 1 2] 3 4 [UG 5 6]"},
      {"no U word", "w 鳌 N;w 鳍 N", "1 2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto s = buildFromNotation(c.notation);
    ASSERT_TRUE(s);
    groupNumeralRun(*s);
    EXPECT_EQ(shape(*s), c.shape);
    for (int i = 1; i <= s->nodeCount; ++i) {
      if (s->nodes[i].CAT != "UG") continue;
      EXPECT_EQ(s->nodes[i].structureClass, '3');
      EXPECT_EQ(s->nodes[i].ruleNumber, 32);
      EXPECT_EQ(s->nodes[i].CATYNUM, "1");
      EXPECT_EQ(s->nodes[i].headChild, s->nodes[i].firstChild);
    }
  }
}

TEST_F(PreParseTest, RunLeavesWordsOfBuiltPhrasesAlone) {
  // Node 2 follows the run by index but sits inside a phrase: it is not taken into the run, and
  // the pass goes on to the next run.
  auto s = buildFromNotation("w 鳌 U;w $nodeBuilding.prefixChars N;w 鳍 N;w 鳎 U;w 鳏 U;p 2 3 NP");
  ASSERT_TRUE(s);
  const std::string inner = s->nodes[2].CHI.str();
  groupNumeralRun(*s);
  EXPECT_EQ(shape(*s), "1 [NP 2 3] [UG 4 5]");
  EXPECT_EQ(s->nodes[2].CHI, inner);
}

TEST_F(PreParseTest, RunAtTheLastSlot) {
  std::string notation;
  for (int i = 1; i < kMaxNodes - 2; ++i) notation += "w - X;";
  notation += "w 鳌 U;w 鳍 U";
  auto s = buildFromNotation(notation);
  ASSERT_TRUE(s);
  ASSERT_EQ(s->nodeCount, kMaxNodes - 1);
  groupNumeralRun(*s);
  EXPECT_EQ(s->nodeCount, kMaxNodes - 1);
  EXPECT_EQ(nextNode(*s, kMaxNodes - 2), kMaxNodes - 1);
}

TEST_F(PreParseTest, ReduplicationPassesRunInOrder) {
  // AABB claims the four words before AA could take two pairs; the numeral run comes last.
  auto s = buildFromNotation("w 鳌 F;w 鳌 F;w 鳍 F;w 鳍 F;w 鳎 U;w 鳏 U");
  ASSERT_TRUE(s);
  s->firstTop = 3;
  applyReduplicationPatterns(*s);
  EXPECT_EQ(shape(*s), "[F 1 2 3 4] [UG 5 6]");
  EXPECT_EQ(s->nodes[7].REPF, "AABB");
}

// The split of the word after a run needs the dictionary.
class NumeralRunSplitTest : public cjtest::EngineFixture {
 protected:
  void SetUp() override {
    cjtest::EngineSetup setup;
    setup.words = {{"的", "N\\"}, {"人", "NV\\"}};
    std::vector<std::string> prefixes = {"多"};
    const auto& rare = cjtest::rareHanzi();
    for (std::size_t k = 1; k < 27; ++k) prefixes.push_back(rare[rare.size() - k]);
    setup.lists["nodeBuilding.prefixChars"] = prefixes;
    ASSERT_TRUE(start(setup));
  }
};

TEST_F(NumeralRunSplitTest, ListedCharactersMoveOntoTheNumeral) {
  auto s = buildFromNotation("w 五 U;w 多人 X");
  ASSERT_TRUE(s);
  s->nodes[1].dictionaryRef = 9;
  groupNumeralRun(*s);
  EXPECT_EQ(shape(*s), "1 2");
  EXPECT_EQ(s->nodes[1].CHI, engineText("五多"));
  EXPECT_EQ(s->nodes[1].dictionaryRef, 0);
  EXPECT_EQ(s->nodes[2].CHI, engineText("人"));
  EXPECT_EQ(s->nodes[2].CAT, "NV");
  EXPECT_EQ(s->nodes[2].kind, '4');
  EXPECT_FALSE(s->nodes[2].senses.empty());

  // A rest that is no dictionary word changes nothing.
  auto t = buildFromNotation("w 五 U;w 多鳎 X");
  ASSERT_TRUE(t);
  groupNumeralRun(*t);
  EXPECT_EQ(t->nodes[1].CHI, engineText("五"));
  EXPECT_EQ(t->nodes[2].CHI, engineText("多鳎"));
  EXPECT_EQ(t->nodes[2].CAT, "X");
}

#undef P

}  // namespace
}  // namespace cj
