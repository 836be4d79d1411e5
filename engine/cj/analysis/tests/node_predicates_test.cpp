#include "engine/cj/analysis/node_predicates.h"

#include <gtest/gtest.h>

#include "engine/cj/analysis/tests/sentence_notation.h"

namespace cj {
namespace {

class NodePredicatesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(cjtest::loadSyntheticWords()); }
};

struct ContextCase {
  const char* what;
  const char* notation;
  int node;
  int expected;
};

TEST(WordListTest, MatchesWholeItemsAtCharacterBoundaries) {
  const std::string x = cjtest::engineText("中"), y = cjtest::engineText("文");
  // A character whose trail byte is the bar.
  const std::string barTrail = "\x88\x7C";
  const std::string list = "|" + x + "|" + x + y + "|" + barTrail + "|";
  struct Case {
    std::string word;
    bool found;
  } cases[] = {
      {x, true}, {x + y, true}, {y, false}, {"", false}, {barTrail, true},
      {std::string(29, 'a'), false},
  };
  for (const Case& c : cases) EXPECT_EQ(isInWordList(list, c.word), c.found) << cjtest::readableText(c.word);
  // "|a|" only across a trail byte 0x7C is no item.
  EXPECT_FALSE(isInWordList("|\x88|a|", "a"));
  EXPECT_TRUE(isInWordList("|\x88\x40|a|", "a"));
  EXPECT_TRUE(isInWordList("|" + std::string(28, 'a') + "|", std::string(28, 'a')));
  // A word is an item whole: neither a prefix nor a suffix of a longer item, nor longer than one.
  const std::string only = "|" + x + y + "|";
  EXPECT_FALSE(isInWordList(only, x));
  EXPECT_FALSE(isInWordList(only, y));
  EXPECT_FALSE(isInWordList(only, x + y + x));
  EXPECT_TRUE(isInWordList(only, x + y));
  EXPECT_FALSE(isInWordList("|abc|", "ab"));
  EXPECT_FALSE(isInWordList("|abc|", "bc"));
}

TEST(WordListTest, SuffixAndTrailingMatch) {
  const std::string x = cjtest::engineText("中"), y = cjtest::engineText("文");
  struct Case {
    std::string text, tail;
    bool suffix, trailing;
  } cases[] = {
      {x + y, y, true, true},
      {x + y + x, x, true, true},        // a second occurrence ends the text
      {x + y + "a", x, false, false},    // occurrences only before the end
      {x, x, true, true},
      {y, x + y, false, false},          // longer than the text
      {"\x88\x40", "@", false, false},   // a trail byte is no character
      {"a\x88\x40", "\x40", false, false},
      {x + x + x, x + x, true, false},   // the search goes on after a whole match
      {"", "", true, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(hasSuffix(c.text, c.tail), c.suffix) << cjtest::readableText(c.text);
    EXPECT_EQ(hasTrailingMatch(c.text, c.tail), c.trailing) << cjtest::readableText(c.text);
  }
  EXPECT_FALSE(hasSuffix(std::string(40, 'a'), std::string(36, 'a')));
  EXPECT_TRUE(hasSuffix(std::string(40, 'a'), std::string(35, 'a')));
}

TEST_F(NodePredicatesTest, FeatureTestsAskSensesOfWordsAndFieldsOfPhrases) {
  auto s = cjtest::buildFromNotation(
      "w a NV M_SEM=Q +N:M_SEM=AB,NEG=y +V:C_VAL=0E,PROP=C,MOD=1\n"
      "w b N\n"
      "p 1 2 NP M_SEM=Z letter=N NEG=n");
  struct Case {
    int (*test)(const CjSentence&, int, std::string_view);
    int node;
    const char* value;
    int expected;
  } cases[] = {
      {hasMSem, 1, "B", 1},       // any sense
      {hasMSem, 1, "Q", 0},       // the node's own field is not asked
      {hasMSem, 3, "Z", 1},       // a phrase asks its own field
      {hasMSem, 3, "A", 0},
      {hasMSem, 2, "A", 0},       // no senses
      {isNeg, 1, "Y", 1},         // compared upper-cased
      {isNeg, 3, "N", 1},
      {isProp, 1, "C", 1},
      {isMod, 1, "1", 1},
      {isMod, 1, "0", 0},
      {hasSenseCat, 1, "V", 1},
      {hasSenseCat, 1, "A", 0},
      {hasSenseCat, 3, "N", 1},
      {hasMSem, 0, "", 0},        // outside the nodes
      {hasMSem, 4, "", 0},
      {alwaysTrue, 4, "", 1},
  };
  for (const Case& c : cases) EXPECT_EQ(c.test(*s, c.node, c.value), c.expected) << c.node << " " << c.value;
  EXPECT_EQ(hasVerbCVal(*s, 1, "E"), 1);
  EXPECT_EQ(hasVerbCVal(*s, 3, "E"), 1);  // a phrase asks its head child
  EXPECT_EQ(hasVerbCVal(*s, 2, "E"), 0);
  EXPECT_EQ(hasVerbCatCVal(*s, 1, "E"), 0);  // CAT is not "V"
}

TEST_F(NodePredicatesTest, CategoryTests) {
  auto s = cjtest::buildFromNotation("w a NV; w b F; w c N; p 2 3 NP; w d VN");
  EXPECT_EQ(hasCat(*s, 1, "N"), 1);
  EXPECT_EQ(hasCat(*s, 5, "N"), 0);   // a phrase's CAT must be equal
  EXPECT_EQ(hasCat(*s, 5, "NP"), 1);
  EXPECT_EQ(isCat(*s, 1, "NV"), 1);
  EXPECT_EQ(catHasSameLetters(*s, 4, "NV"), 1);
  EXPECT_EQ(catHasSameLetters(*s, 1, "NVA"), 0);
  EXPECT_EQ(isCatExactlyF(*s, 2), 1);
  EXPECT_EQ(isCatExactlyF(*s, 0), 0);
  EXPECT_EQ(isCatLetter(*s, 3, 'N'), 1);
  EXPECT_EQ(isCatLetter(*s, 1, 'N'), 0);
  EXPECT_EQ(chiLength(*s, 1), 1);
  EXPECT_EQ(isChi(*s, 3, "c"), 1);
}

TEST_F(NodePredicatesTest, Boundaries) {
  auto s = cjtest::buildFromNotation("w a N; w b E; w c E; w d N; w e E; w f P; w g E; w h E");
  EXPECT_TRUE(isRightBoundary(*s, 0));
  EXPECT_TRUE(isRightBoundary(*s, 6));
  EXPECT_FALSE(isRightBoundary(*s, 2));  // two E and then a word
  EXPECT_TRUE(isRightBoundary(*s, 5));   // E then P
  EXPECT_TRUE(isRightBoundary(*s, 7));   // E, E and the end
  EXPECT_FALSE(isRightBoundary(*s, 1));
  EXPECT_TRUE(isLeftBoundary(*s, 1));
  EXPECT_TRUE(isLeftBoundary(*s, 7));
  EXPECT_FALSE(isLeftBoundary(*s, 2));
  EXPECT_TRUE(isLeftBoundary(*s, 0));
}

TEST_F(NodePredicatesTest, ClauseTests) {
  auto s = cjtest::buildFromNotation("w 中 A; w E E +E:M_SEM=C; w 中文 V; w x NR +R:M_SEM=B; w y R +R:M_SEM=B");
  EXPECT_TRUE(isOneCharWord(*s, 1));
  EXPECT_FALSE(isOneCharWord(*s, 3));
  EXPECT_TRUE(isTwoCharWord(*s, 3));
  EXPECT_TRUE(isAtClauseEnd(*s, 1));     // the next word is "E" with M_SEM C
  EXPECT_TRUE(isAtClauseEnd(*s, 2));     // E with M_SEM C
  EXPECT_FALSE(isAtClauseEnd(*s, 3));
  EXPECT_TRUE(isAtClauseEnd(*s, 5));     // no next node
  EXPECT_TRUE(isClauseEndOrShortVerb(*s, 3));
  EXPECT_TRUE(hasNoPreviousNode(*s, 1));
  EXPECT_FALSE(hasNoPreviousNode(*s, 2));
  EXPECT_TRUE(hasCatANUR(*s, 4));
  EXPECT_FALSE(hasCatANUR(*s, 5));       // R with M_SEM B
  EXPECT_FALSE(isAtClauseEnd(*s, 6));
}

TEST_F(NodePredicatesTest, ContextWalkers) {
  auto s = cjtest::buildFromNotation(
      "w $nodePredicates.stopWord D; w a N +N:M_SEM=Z; w b D; w c V; w d VN; w e P");
  EXPECT_EQ(prevVerbWord(*s, 6), 5);
  EXPECT_EQ(prevVerbWord(*s, 4), 0);
  EXPECT_EQ(findFollowingWord(*s, 1, "d"), 5);
  EXPECT_EQ(findFollowingWord(*s, 5, "a"), 0);
  EXPECT_EQ(isPrecededByWord(*s, 4, "a"), 1);
  EXPECT_EQ(isPrecededByWord(*s, 2, "a"), 0);
  EXPECT_EQ(nextVerbInContext(*s, 1), 4);
  EXPECT_EQ(findNextVerbalNode(*s, 4), 5);
  EXPECT_EQ(findPrecedingListedNode(*s, 0, 4), 2);
  EXPECT_EQ(findPrecedingListedNode(*s, -1, 4), 0);
  EXPECT_EQ(findPrecedingListedNode(*s, 0, 2), 0);  // the stop word comes first
  EXPECT_EQ(nextVerbInContext(*s, 0), 0);
}

TEST_F(NodePredicatesTest, PhraseShapes) {
  auto counted = cjtest::buildFromNotation(
      "w a U; w b S; w c N +N:M_SEM=I; w d UP; w e N +N:M_SEM=I; w f C; w g N; p 1 3 NP; p 4 5 NP; p 6 7 NP");
  EXPECT_EQ(isCountedNounPhrase(*counted, 8), 1);
  EXPECT_EQ(isCountedNounPhrase(*counted, 9), 1);
  EXPECT_EQ(isCountedNounPhrase(*counted, 10), 0);  // the last child lacks M_SEM I
  EXPECT_EQ(isCountedNounPhrase(*counted, 1), 0);
  auto one = cjtest::buildFromNotation("w $nodePredicates.countedNounWords#2 N; w b N; p 1 1 NP; p 3 3 NP");
  EXPECT_EQ(isCountedNounPhrase(*one, 3), 1);
  EXPECT_EQ(isCountedNounPhrase(*one, 4), 0);
  auto measured = cjtest::buildFromNotation("w a UG; w b C; w c N; w d S; p 1 2 MP; p 3 4 MP");
  EXPECT_EQ(isMeasuredPhrase(*measured, 5), 1);
  EXPECT_EQ(isMeasuredPhrase(*measured, 6), 0);  // the first is no U or UG
  auto middle = cjtest::buildFromNotation("w a A; w b NV; w c D; p 1 3 NP");
  settleMiddleNoun(*middle, 4);
  EXPECT_EQ(middle->nodes[2].CAT, "N");
}

TEST_F(NodePredicatesTest, ListedWordTests) {
  auto s = cjtest::buildFromNotation(
      "w $nodePredicates.headWords#3 N; p 1 1 NP; w $nodePredicates.verbHeads V; w $nodePredicates.rWords#4 R;"
      "w $nodePredicates.rWords#4 N");
  EXPECT_EQ(isListedHeadWord(*s, 5), 1);
  EXPECT_EQ(isListedHeadWord(*s, 2), 0);
  EXPECT_EQ(isListedVerbHead(*s, 2), 1);
  EXPECT_EQ(isListedRWord(*s, 3), 1);
  EXPECT_EQ(isListedRWord(*s, 4), 0);
  const std::string ending = listedWords("nodePredicates.endings")[9];
  const std::string pair = listedWord("nodePredicates.endingPair");
  EXPECT_EQ(hasListedEnding("ab" + ending), 1);
  EXPECT_EQ(hasListedEnding(pair + "a" + pair), 1);
  EXPECT_EQ(hasListedEnding(pair + "a"), 0);
  EXPECT_EQ(isInSharedWordList(*s, listedWords("nodePredicates.sharedWords")[11]), 1);
  EXPECT_EQ(isInSharedWordList(*s, ending), 0);
}

TEST_F(NodePredicatesTest, PrefersCatA) {
  const ContextCase cases[] = {
      {"no A", "w a N; w $nodePredicates.lw7 D", 1, 0},
      {"next lw162", "w a A; w $nodePredicates.lw162 D", 1, 1},
      {"next has N", "w a AN; w b N", 1, 1},
      {"next lw1", "w $nodePredicates.lw5 D; w a A; w $nodePredicates.lw1 D", 2, 0},
      {"previous lw166", "w $nodePredicates.lw166 D; w a A; w b D", 2, 1},
      {"nothing", "w a D; w b A; w c D", 2, 0},
  };
  for (const ContextCase& c : cases) {
    auto s = cjtest::buildFromNotation(c.notation);
    EXPECT_EQ(prefersCatA(*s, c.node), c.expected != 0) << c.what;
  }
}

// Node 2 is the word tested; node 1 is P, node 3 N and node 4 N2. Each case is decided by the
// condition it names: the same sentence without that condition's premise answers the other way
// (see the "without" cases).
TEST_F(NodePredicatesTest, VerbInContextConditionsInOrder) {
  const ContextCase cases[] = {
      {"CAT V", "w $verbContext.c4 D; w b V; w c D; w d D", 2, 1},
      {"CAT without V", "w a R +R:M_SEM=A; w b N; w c D; w d D", 2, 0},
      {"none", "w a D; w b NV; w c D; w d D", 2, 0},
      {"1", "w a R +R:M_SEM=A; w b NV; w c D; w d D", 2, 1},
      {"2", "w a N +N:M_SEM=A; w b NV; w c D; w d D", 2, 1},
      {"3", "w a N +N:M_SEM=Z; w b NV; w c D; w d D", 2, 1},
      {"without 4", "w a G; w b NV; w c D; w d D", 2, 1},
      {"4", "w $verbContext.c4 G; w b NV; w c D; w d D", 2, 0},
      {"5", "w $verbContext.c5 G; w b NV; w c D; w d D", 2, 0},
      {"without 6", "w a RG; w b NV; w c D; w d D", 2, 1},
      {"6", "w $verbContext.c6 RG; w b NV; w c D; w d D", 2, 0},
      {"without 7", "w a UG; w b NV; w $verbContext.c14 D; w d D", 2, 1},
      {"7", "w a UG; w $verbContext.c7 NV; w $verbContext.c14 D; w d D", 2, 0},
      {"8", "w $verbContext.c8#1 D; w b NV; w c D; w d D", 2, 1},
      {"9", "w $verbContext.c9 D; w b NV; w c P; w d D", 2, 1},
      {"without 9", "w $verbContext.c9 D; w b NV; w c D; w d D", 2, 0},
      {"10", "w a F; w b NVI; w c R; w d D", 2, 1},
      {"without 10", "w a F; w b NVI; w c D; w d D", 2, 0},
      {"11", "w $verbContext.c11#4 D; w b NV; w c R; w d D", 2, 1},
      {"without 11", "w $verbContext.c11#4 D; w b NV; w c D; w d D", 2, 0},
      {"12", "w a D; w $nodePredicates.stopWord NV; w $verbContext.c12#6 D; w d D", 2, 1},
      {"without 12", "w a D; w b NV; w $verbContext.c12#6 D; w d D", 2, 0},
      {"13", "w a D; w b NV; w c V +V:M_SEM=J; w d D", 2, 1},
      {"without 13", "w a D; w b NV; w c V +V:M_SEM=K; w d D", 2, 0},
      {"14", "w a D; w b NV; w $verbContext.c14#17 D; w d D", 2, 1},
      {"15", "w a G; w b NV; w c D; w d D", 2, 1},
      {"without 15", "w a G; w b NVI; w c D; w d D", 2, 0},
      {"16", "w a E; w b NV; w c P; w d D", 2, 1},
      {"without 16", "w $verbContext.c16 E; w b NV; w c P; w d D", 2, 0},
      {"17", "w a R; w b NV; w c V; w d D", 2, 1},
      {"without 17", "w $verbContext.c17 R; w b NV; w c V; w d D", 2, 0},
      // 18 and 21 need P to be R with M_SEM A, which condition 1 has already answered.
      {"18 (by 1)", "w a R +R:M_SEM=A; w b NV; w c E +E:M_SEM=A; w d D", 2, 1},
      {"19", "w $verbContext.c19 D; w b NVF; w c D; w d D", 2, 1},
      {"without 19", "w a D; w b NVF; w c D; w d D", 2, 0},
      {"20", "w $verbContext.c20 D; w b NV; w c D; w d D", 2, 1},
      {"without 20", "w $verbContext.c20 D; w b NV +V:C_VAL=0; w c D; w d D", 2, 0},
      {"22", "w $verbContext.c16 E; w b NV +V:C_VAL=E; w c P; w d D", 2, 1},
      {"without 22", "w $verbContext.c16 E; w b NV; w c P; w d D", 2, 0},
      {"23", "w $verbContext.c16 E; w b NV +V:C_VAL=E; w c E; w d P", 2, 1},
      {"without 23", "w $verbContext.c16 E; w b NV; w c E; w d P", 2, 0},
      {"24", "w $verbContext.c24#1 D; w b NV; w c R +R:M_SEM=B; w d D", 2, 1},
      {"without 24", "w $verbContext.c24#1 D; w b NV; w c R; w d D", 2, 0},
      {"25", "w $verbContext.c25 D; w b NV; w c D; w d D", 2, 1},
      {"26", "w $verbContext.c26 D; w b NV; w c D; w d D", 2, 1},
  };
  for (const ContextCase& c : cases) {
    auto s = cjtest::buildFromNotation(c.notation);
    ASSERT_TRUE(s);
    EXPECT_EQ(isVerbInContext(*s, c.node), c.expected) << "condition " << c.what;
  }
}

TEST_F(NodePredicatesTest, VerbalNode) {
  const ContextCase cases[] = {
      {"VP", "w $verbContext.c4 D; w b VP", 2, 1},
      {"listed previous", "w $verbContext.c5 D; w b NV", 2, 0},
      {"ending", "w $verbContext.c6 A; w b NV", 2, 0},
      {"after U", "w a U; w $verbContext.c7 NV", 2, 0},
      {"otherwise", "w a U; w b NV", 2, 1},
      {"no V", "w a D; w b N", 2, 0},
  };
  for (const ContextCase& c : cases) {
    auto s = cjtest::buildFromNotation(c.notation);
    EXPECT_EQ(isVerbalNode(*s, c.node), c.expected) << c.what;
  }
}

TEST_F(NodePredicatesTest, NounInContextConditionsInOrder) {
  const ContextCase cases[] = {
      {"CAT N", "w a D; w b N; w c D; w d D", 2, 1},
      {"CAT W", "w a D; w b W; w c D; w d D", 2, 1},
      {"CAT without N", "w a A; w b V; w c D; w d D", 2, 0},
      {"none", "w a D; w b NV; w c D; w d D", 2, 0},
      // Condition 1 (a one-letter CAT) is met only by "N", which the shortcut has answered.
      {"2", "w $nounContext.prevPair#1 D; w b NV; w c P; w d D", 2, 1},
      {"2 ending", "w $nounContext.prevEnding R; w b NV; w c P; w d D", 2, 1},
      {"without 2", "w a D; w b NV; w c P; w d D", 2, 0},
      {"3", "w a D; w b NV; w c V +V:M_SEM=K; w d D", 2, 1},
      {"without 3", "w x D; w a D; w b NV; w c V +V:M_SEM=K", 3, 0},
      {"4", "w a I; w b NV; w $nounContext.c9 L; w d D", 2, 1},
      {"without 4", "w a D; w b NV; w $nounContext.c9 L; w d D", 2, 0},
      {"5", "w $nounContext.prevPair D; w b NV; w $nounContext.c9 L; w d D", 2, 1},
      {"6", "w a D; w b NV; w $nounContext.c6#4 A; w d D", 2, 1},
      {"without 6", "w a D; w b NV; w c A; w d D", 2, 0},
      {"7", "w a N; w b NA +V:C_VAL=2; w c P; w d D", 2, 1},
      {"without 7", "w a N; w b NA; w c P; w d D", 2, 0},
      {"8", "w a V; w b NV; w c P; w d D", 2, 1},
      {"without 8", "w a V +V:C_VAL=E; w b NV; w c P; w d D", 2, 0},
      {"9", "w a D; w b NV; w c L; w d D", 2, 1},
      {"10", "w a N +N:PROP=B; w b NV; w c D; w d D", 2, 1},
      {"without 10", "w a N +N:PROP=A; w b NV; w c D; w d D", 2, 0},
      {"11", "w a A; w b NV; w c D; w d D", 2, 1},
      {"11 word", "w $nounContext.c11#1 D; w b NV; w c D; w d D", 2, 1},
      {"12", "w $nounContext.prevPair D; w b NV; w $nounContext.c12 D; w d D", 2, 1},
      {"without 12", "w $nounContext.prevPair D; w b NV; w c D; w d D", 2, 0},
      // 13 always comes with 23 (N has "P", so N ends the clause).
      {"13", "w a E; w b NV; w c P; w d D", 2, 1},
      {"14", "w a E; w b NV; w c E; w d P", 2, 1},
      {"without 14", "w a E; w b NV +V:C_VAL=E; w c E; w d P", 2, 0},
      {"15", "w a D; w b NV; w $nounContext.c15#1 D; w d D", 2, 1},
      {"16", "w a S; w b NV; w c E; w d D", 2, 1},
      {"without 16", "w a S; w b NV; w c D; w d D", 2, 0},
      {"17", "w $nounContext.c17a D; w $nounContext.c17b NV; w c D; w d D", 2, 1},
      {"without 17", "w $nounContext.c17a D; w b NV; w c D; w d D", 2, 0},
      {"18", "w a D; w b NV; w $nounContext.c18 D; w d P", 2, 1},
      {"without 18", "w a D; w b NV; w $nounContext.c18 D; w d D", 2, 0},
      {"19", "w $nounContext.prevPair D; w b NV; w c N; w $nounContext.c19#3 D", 2, 1},
      {"without 19", "w $nounContext.prevPair D; w b NV; w c N; w d D", 2, 0},
      {"20", "w $nounContext.c20 D; w b NV; w c D; w d D", 2, 1},
      {"20 U", "w a U; w b NV; w c D; w d D", 2, 1},
      {"21", "w a D; w a2 D; w b NV; w c P; p 1 2 UG", 3, 1},
      {"without 21", "w a D; w a2 D; w b NV; w c D; p 1 2 UG", 3, 0},
      {"22", "w $nounContext.prevPair2#1 D; w b NV; w c P; w d D", 2, 1},
      {"22 ending", "w $nounContext.prevEnding2 R; w b NV; w c P; w d D", 2, 1},
      {"23", "w a E; w b NV +V:C_VAL=E; w c P; w d D", 2, 1},
      {"without 23", "w a E; w b NV +V:C_VAL=E; w c D; w d D", 2, 0},
  };
  for (const ContextCase& c : cases) {
    auto s = cjtest::buildFromNotation(c.notation);
    ASSERT_TRUE(s);
    EXPECT_EQ(isNounInContext(*s, c.node), c.expected) << "condition " << c.what;
  }
}

}  // namespace
}  // namespace cj
