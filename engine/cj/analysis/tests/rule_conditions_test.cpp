#include "engine/cj/analysis/rule_conditions.h"

#include <gtest/gtest.h>

#include "engine/cj/analysis/tests/sentence_notation.h"

namespace {

using cjtest::buildFromNotation;

// Words 1-4, then an NP over 2..3 (node 5) headed by word 3 (builtnewnode heads the first child;
// the test points the head at the noun).
constexpr const char* kSentence =
    "w 鳌 R M_SEM=A\n"
    "w 鳍 NV M_SEM=2B NEG=y\n"
    "w 鳎 N M_SEM=C\n"
    "w 。 P\n"
    "p 2 3 NP CATYNUM=5";

std::unique_ptr<cj::CjSentence> sentence() {
  auto s = buildFromNotation(kSentence);
  s->nodes[5].headChild = 3;
  s->nodes[2].SYLA = "1";
  s->nodes[3].SYLA = "2";
  return s;
}

struct SymbolCase {
  int node;
  const char* symbol;
  bool expected;
};

TEST(RuleConditions, SymbolsOnNodesAndNeighbours) {
  const SymbolCase cases[] = {
      // An ambiguous word's CAT carries "?": N fails, "NV?" holds.
      {2, "CAT[N]", false},
      {2, "CAT[NV?]", true},
      {3, "CAT[N]", true},
      {5, "HCAT[N]", true},
      {5, "CAT[N]", false},
      // Character sets: any one code in common.
      {2, "M_SEM[123]", true},
      {2, "M_SEM[13]", false},
      // X.Y alternatives: the phrase's category and its number tag.
      {5, "CAT[NP.5,VP]", true},
      {5, "CAT[NP.4,VP]", false},
      {5, "CAT[AP,NP]", true},
      // A word's CATYNUM is its M_SEM.
      {3, "CAT[N.C]", true},
      // Negation on a missing feature holds; positive fails.
      {1, "PROP[!A]", true},
      {1, "PROP[A]", false},
      {1, "ZZZ[!x]", true},
      // SYS[SB] and CONT ignore "!".
      {1, "SYS[SB]", true},
      {1, "SYS[!SB]", true},
      {4, "SYS[!SB]", false},
      {4, "SYS[SENDMARK]", true},
      {5, "CONT[鳎]", true},
      {5, "CONT[!鳎]", true},
      {5, "CONT[鳌]", false},
      // Flags as one-character texts; NEG upper-cased.
      {2, "NEG[Y]", true},
      {2, "NEG[y]", false},
      // Neighbour features: LB and RB are character sets, L and R exact.
      {5, "LBCAT[XR]", true},
      {5, "RBCAT[P]", true},
      {5, "LCAT[NV?]", true},
      {5, "LCAT[NV]", false},
      {5, "RCHI[鳎]", true},
      {5, "RM_SEM[C]", true},
      {1, "LBCAT[!R]", true},
      // Left to right, no precedence, skipping.
      {3, "CAT[N]&SYLA[2]|CHI[鳌]", true},
      {3, "CAT[V]&SYLA[2]|CHI[鳎]", true},
      {3, "CAT[N]|CAT[V]&SYLA[1]", false},
      {3, "CAT[V]|CAT[N]&SYLA[2]", true},
  };
  for (const SymbolCase& c : cases) {
    auto s = sentence();
    std::string symbol = cjtest::engineText(c.symbol);
    EXPECT_EQ(cj::evaluateSymbol(*s, c.node, symbol), c.expected) << c.symbol << " on node " << c.node;
  }
}

TEST(RuleConditions, AThenBOrCWithATrueAndCFalseIsFalse) {
  auto s = sentence();
  // A true, B false, C false; B and C both evaluated.
  EXPECT_FALSE(cj::evaluateSymbol(*s, 3, "CAT[N]&SYLA[1]|SYLA[9]"));
}

// A character-set condition compares whole characters: the trail byte of a double-byte
// character does not match a single-byte character of the set.
TEST(RuleConditions, CharacterSetsCompareWholeCharacters) {
  auto s = buildFromNotation("w 鳍 N");
  EXPECT_FALSE(matchFeatureValue(*s, false, "\x88\x41", "A", ""));
  EXPECT_TRUE(matchFeatureValue(*s, false, "B\x88\x41", "\x88\x41", ""));
  EXPECT_TRUE(matchFeatureValue(*s, false, "123", "3", ""));
}

TEST(RuleConditions, MatchVariablesBindOnceAndCompare) {
  auto s = buildFromNotation("w 鳍 N; w 鳍 N; w 鳎 N");
  cj::unbindQuestion(*s, true);
  cj::unbindHash(*s, true);
  EXPECT_TRUE(cj::evaluateSymbol(*s, 1, "CHI[?]"));
  EXPECT_EQ(s->matchQuestion.view(), s->nodes[1].CHI.view());
  EXPECT_EQ(s->matchQuestionNode, 1);
  EXPECT_TRUE(cj::evaluateSymbol(*s, 2, "CHI[?]"));
  EXPECT_FALSE(cj::evaluateSymbol(*s, 3, "CHI[?]"));
  EXPECT_EQ(s->matchQuestionNode, 1);
  // "#" is a separate variable.
  EXPECT_TRUE(cj::evaluateSymbol(*s, 3, "CHI[#]"));
  EXPECT_EQ(s->matchHashNode, 3);
  // A skipped term binds nothing.
  cj::unbindQuestion(*s, true);
  EXPECT_TRUE(cj::evaluateSymbol(*s, 3, "CAT[N]|CHI[?]"));
  EXPECT_EQ(s->matchQuestion.view(), "?");
  EXPECT_EQ(s->matchQuestionNode, 0);
}

TEST(RuleConditions, AVariableHoldsAWholeLongValue) {
  // 40 characters: 80 bytes, longer than any short field.
  std::string longWord;
  for (int i = 0; i < 40; ++i) longWord += "鳍";
  std::string other = longWord.substr(0, longWord.size() - 3) + "鳎";
  auto s = buildFromNotation("w " + longWord + " N; w " + longWord + " N; w " + other + " N");
  ASSERT_EQ(s->nodes[1].CHI.size(), 80u);
  cj::unbindQuestion(*s, true);
  EXPECT_TRUE(cj::evaluateSymbol(*s, 1, "CHI[?]"));
  EXPECT_EQ(s->matchQuestion.size(), 80u);
  EXPECT_TRUE(cj::evaluateSymbol(*s, 2, "CHI[?]"));
  // Differs only in its last character.
  EXPECT_FALSE(cj::evaluateSymbol(*s, 3, "CHI[?]"));
}

TEST(RuleConditions, LastTermIsReportedEvenWhenSkipped) {
  auto s = sentence();
  cj::CjLastTerm last;
  EXPECT_TRUE(cj::evaluateSymbol(*s, 1, "CAT[R]|SYS[SB]", &last));
  EXPECT_EQ(last.name, "SYS");
  EXPECT_EQ(last.value, "SB");
}

TEST(RuleConditions, ValueListAlternatives) {
  struct Case {
    const char* condition;
    const char* value;
    const char* catynum;
    bool expected;
  } cases[] = {
      {"NP.5,VP", "NP", "5", true},  {"NP.5,VP", "NP", "6", false}, {"NP.5,VP", "VP", "", true},
      {"NP.,VP", "NP.", "", true},   {"NP.,VP", "NP", "", false},   {"A,B,C", "C", "", true},
      {"A,B,C", "AB", "", false},    {"", "A", "", false},          {"A,", "", "", true},
      {"NP.5.6", "NP", "5.6", true}, {"NP.5.6", "NP", "5", false},
  };
  // The list read once when a symbol is compiled answers as the text does.
  for (const Case& c : cases) {
    EXPECT_EQ(cj::matchValueList(c.condition, c.value, c.catynum), c.expected)
        << c.condition << " / " << c.value << " / " << c.catynum;
    EXPECT_EQ(cj::matchAlternatives(cj::splitValueList(c.condition), c.value, c.catynum), c.expected)
        << c.condition << " / " << c.value << " / " << c.catynum;
  }
}

TEST(RuleConditions, FeatureValues) {
  auto s = sentence();
  std::string v;
  cj::getFeature(*s, 2, "CAT", v);
  EXPECT_EQ(v, "NV?");
  cj::getFeature(*s, 5, "CATYNUM", v);
  EXPECT_EQ(v, "5");
  cj::getFeature(*s, 2, "CATYNUM", v);
  EXPECT_EQ(v, "2B");
  cj::getFeature(*s, 5, "HSYLA", v);
  EXPECT_EQ(v, "2");
  cj::getFeature(*s, 5, "LSYLA", v);
  EXPECT_EQ(v, "1");
  cj::getFeature(*s, 1, "LBCAT", v);  // no neighbour: the anchor's empty value
  EXPECT_EQ(v, "");
  cj::getFeature(*s, 1, "NOSUCH", v);
  EXPECT_EQ(v, "");
  cj::getFeature(*s, 400, "CAT", v);
  EXPECT_EQ(v, "");
}

}  // namespace
