#include "engine/cj/analysis/coordination.h"

#include <gtest/gtest.h>

#include "engine/cj/analysis/tests/rule_test_support.h"

namespace cj {
namespace {

using cjtest::buildFromNotation;
using cjtest::shape;

#define SEP "$predicateMarks.C1 X"
#define S1 "$coordination.S1 X"
#define END "$coordination.endWords#3 X"

class Coordination : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(cjtest::loadWordsWith()); }
  void TearDown() override { clearWordTable(); }
};

TEST_F(Coordination, CategoryFollowsTheFirstItem) {
  struct Case {
    const char* first;
    const char* cat;
    int rule;
  };
  const Case cases[] = {
      {"N", "NP", 9888}, {"R", "NP", 9888}, {"V", "VP", 9892}, {"A", "AP", 9890}, {"F", "FP", 9891},
      {"U", "UP", 9893}, {"C", "UP", 9893}, {"K", "KP", 9893}, {"Z", "", 9893},
  };
  for (const Case& c : cases) {
    // The second item's category does not matter.
    auto s = buildFromNotation(std::string("w 鳌 ") + c.first + "; w " S1 "; w 鳍 V; w 。 P");
    ruleCoordination(*s);
    ASSERT_EQ(shape(*s), "[" + std::string(c.cat) + " 1 2 3] 4") << c.first;
    const CjNode& p = s->nodes[5];
    EXPECT_EQ(p.ruleNumber, c.rule) << c.first;
    EXPECT_EQ(p.spanMark, 'n');
    EXPECT_EQ(p.headChild, 3);
    EXPECT_EQ(p.subtype, 0);
  }
}

TEST_F(Coordination, SpansOfCoordination) {
  const std::pair<const char*, const char*> cases[] = {
      // Separators chain the items; a separator at the chain's end closes the span.
      {"w 鳌 N; w " SEP "; w 鳍 N; w $coordination.B1 X; w 鳎 N; w 鳏 V", "[NP 1 2 3 4 5] 6"},
      {"w 鳌 N; w " SEP "; w 鳍 N; w " SEP, "[NP 1 2 3 4]"},
      // A linker before the separator takes the item before it in.
      {"w 鳌 N; w $phraseRules.L1 X; w " S1 "; w 鳍 N", "[NP 1 2 3 4]"},
      // Each pass builds one phrase and the next starts after it.
      {"w 鳌 N; w " S1 "; w 鳍 N; w 鳏 V; w 鳎 V; w " S1 "; w 鳐 V", "[NP 1 2 3] 4 [VP 5 6 7]"},
      // Nothing without a separator or with nothing after it.
      {"w 鳌 N; w 鳍 N", "1 2"},
      {"w " S1, "1"},
  };
  for (const auto& [notation, expected] : cases) {
    auto s = buildFromNotation(notation);
    ruleCoordination(*s);
    EXPECT_EQ(shape(*s), expected) << notation;
  }
}

TEST_F(Coordination, Enumerations) {
  struct Case {
    const char* notation;
    const char* shape;
    int rule;  // of the phrase built last
  };
  const Case cases[] = {
      // One-node nominal items: the phrase runs between the first and the last separator.
      {"w 鳌 N; w " SEP "; w 鳍 N; w " SEP "; w 鳎 N; w " SEP "; w 鳏 N; w " END,
       "1 2 [NP 3 4 5] 6 7 8", 8889},
      {"w 鳌 N; w " SEP "; w 鳍 N M_SEM=Z; w " SEP "; w 鳎 N; w " SEP "; w 鳏 N; w " END,
       "1 2 [NP 3 4 5] 6 7 8", 8888},
      {"w 鳌 N; w " SEP "; w 鳍 N; w " SEP "; w 鳎 N class=2; w " SEP "; w 鳏 N; w " END,
       "1 2 [NP 3 4 5] 6 7 8", 8888},
      {"w 鳌 V; w " SEP "; w 鳍 V; w " SEP "; w 鳎 V; w " SEP "; w 鳏 V; w " END,
       "1 2 [VP 3 4 5] 6 7 8", 8892},
      {"w 鳌 F; w " SEP "; w 鳍 F; w " SEP "; w 鳎 V; w " SEP "; w 鳏 V; w " END,
       "1 2 [FP 3 4 5] 6 7 8", 8891},
      // The adjectival phrase is wrapped between empty marker words.
      {"w 鳌 A; w " SEP "; w 鳍 A; w " SEP "; w 鳎 A; w " SEP "; w 鳏 A; w " END,
       "1 2 [AP 9 3 4 5 10] 6 7 8", 8890},
      // Two separators are not enough.
      {"w 鳌 N; w " SEP "; w 鳍 N; w " SEP "; w 鳏 N; w " END, "1 2 3 4 5 6", 0},
      // Items that pass no test: short ones make a wrapped noun phrase.
      {"w a Z; w " SEP "; w b Z; w " SEP "; w c Z; w " SEP "; w d Z; w " END,
       "1 2 [NP 9 3 4 5 10] 6 7 8", 8888},
  };
  for (const Case& c : cases) {
    auto s = buildFromNotation(c.notation);
    ruleEnumerations(*s);
    EXPECT_EQ(shape(*s), c.shape) << c.notation;
    if (c.rule) {
      EXPECT_EQ(s->nodes[s->nodeCount].ruleNumber, c.rule) << c.notation;
      EXPECT_EQ(s->nodes[s->nodeCount].spanMark, 'n') << c.notation;
    }
  }
}

TEST_F(Coordination, LongItemsAreCutIntoClauses) {
  auto s = buildFromNotation("w 鳌 Z; w " SEP "; w 鳍 Z; w " SEP "; w 鳎 Z; w " SEP "; w 鳏 Z; w " END "; w 。 P");
  ruleEnumerations(*s);
  EXPECT_EQ(shape(*s), "[S 10 1 2 11] [S 13 3 4 14] [S 16 5 6 17] [S 19 7 8 20] 9");
  for (int clause : {12, 15, 18, 21}) {
    const CjNode& n = s->nodes[clause];
    EXPECT_EQ(n.ruleNumber, 8893);
    EXPECT_EQ(n.spanMark, 'y');
    EXPECT_EQ(s->nodes[n.firstChild].spanMark, 'l');
    EXPECT_EQ(s->nodes[n.lastChild].spanMark, 'r');
  }
}

TEST_F(Coordination, EachEnumerationHasItsOwnAverage) {
  // Long items before the first end word, one-byte items before the second: the second average
  // starts again and the short items make a noun phrase, not clauses.
  auto s = buildFromNotation("w 鳌 Z; w " SEP "; w 鳍 Z; w " SEP "; w 鳎 Z; w " SEP "; w 鳏 Z; w " END ";"
                             "w a Z; w " SEP "; w b Z; w " SEP "; w c Z; w " SEP "; w d Z; w " END);
  ruleEnumerations(*s);
  EXPECT_EQ(shape(*s),
            "[S 17 1 2 18] [S 20 3 4 21] [S 23 5 6 24] [S 26 7 8 27] 9 10 [NP 29 11 12 13 30] 14 15 16");
}

TEST_F(Coordination, ItemTests) {
  auto s = buildFromNotation("w 鳌 N; w 鳍 V; w " SEP "; w 鳎 A; w " SEP "; w 鳏 F; w 鳐 F");
  EXPECT_FALSE(hasOneNodeItem(*s, 1, 7, kItemNominal));  // the nominal shares its item
  EXPECT_TRUE(hasOneNodeItem(*s, 1, 7, kItemAdjectival));
  EXPECT_FALSE(hasOneNodeItem(*s, 1, 7, kItemAdverbial));
  EXPECT_TRUE(hasOneNodeItem(*s, 6, 6, kItemAdverbial));
  EXPECT_EQ(textLength(*s, 1), 2);
}

TEST_F(Coordination, CompoundParts) {
  auto s = buildFromNotation(
      "w 鳌 N; w $coordination.N2 V; w 鳍 N; w 鳎 Ntp; w $coordination.N2 V; w 鳏 N M_SEM=I; w 鳐 NP M_SEM=IZ");
  EXPECT_TRUE(isCompoundPart(*s, 2));
  EXPECT_EQ(s->nodes[2].CAT.view(), "V");  // ordinary nouns beside it
  EXPECT_TRUE(isCompoundPart(*s, 5));
  EXPECT_EQ(s->nodes[5].CAT.view(), "N");
  EXPECT_TRUE(isCompoundPart(*s, 4));
  EXPECT_TRUE(isCompoundPart(*s, 6));
  EXPECT_TRUE(isCompoundPart(*s, 7));
  EXPECT_FALSE(isCompoundPart(*s, 1));
  EXPECT_FALSE(isCompoundPart(*s, 0));
}

TEST_F(Coordination, NounRunsAndCoordinatedNominals) {
  const std::pair<const char*, const char*> runs[] = {
      {"w 鳌 A; w 鳍 N; w 鳎 N; w 鳏 V", "[NP 1 2 3] 4"},
      {"w 鳌 Ntp; w 鳍 Ntp; w 鳏 V", "[NP 1 2] 3"},
      {"w 鳌 N; w 鳍 N; w 。 P", "[NP 1 2] 3"},
      // After a double-object verb the nominals stay apart.
      {"w 鳏 V +V:C_VAL=2; w 鳌 N; w 鳍 N", "1 2 3"},
  };
  for (const auto& [notation, expected] : runs) {
    auto s = buildFromNotation(notation);
    ruleNounRuns(*s);
    EXPECT_EQ(shape(*s), expected) << notation;
  }
  const std::pair<const char*, const char*> joined[] = {
      {"w 鳌 N; w $predicateMarks.R3 J; w 鳍 N; w 鳏 V", "[NP 1 2 3] 4"},
      {"w 鳌 N; w $coordination.conjunctionWords#4 J; w 鳍 N", "[NP 1 2 3]"},
      {"w 鳌 N; w $coordination.conjunctionWords#4 X; w 鳍 N", "1 2 3"},  // not a J word
      {"w 鳌 N; w $predicateMarks.R3 J; w 鳏 V", "1 2 3"},
  };
  for (const auto& [notation, expected] : joined) {
    auto s = buildFromNotation(notation);
    ruleCoordinatedNominals(*s);
    EXPECT_EQ(shape(*s), expected) << notation;
    if (!isWordNode(*s, s->firstTop)) {
      EXPECT_EQ(s->nodes[s->firstTop].ruleNumber, 7);
      EXPECT_EQ(s->nodes[s->firstTop].subtype, 'Z');
    }
  }
}

}  // namespace
}  // namespace cj
