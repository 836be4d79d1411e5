#include "engine/cj/analysis/phrase_rules.h"

#include <gtest/gtest.h>

#include "engine/cj/analysis/tests/cj_dictionary_fixture.h"
#include "engine/cj/analysis/tests/rule_test_support.h"

namespace {

using cjtest::buildFromNotation;
using cjtest::shape;

// Each test starts the engine over its own verb frames, so that the verb-continuation answers are
// the test's own. Test words are hanzi that no listed word uses.
class PhraseRules : public cjtest::EngineFixture {
 protected:
  void startWith(std::vector<datagen::CjVerbFrame> frames = {}) {
    cjtest::EngineSetup setup;
    setup.frames = std::move(frames);
    ASSERT_TRUE(start(setup));
  }

  static void expectPhrase(const cj::CjSentence& s, int p, const char* cat, int head, int rule) {
    ASSERT_TRUE(cj::isNodeIndex(s, p)) << p;
    EXPECT_EQ(s.nodes[p].CAT.view(), cat) << p;
    EXPECT_EQ(s.nodes[p].headChild, head) << p;
    EXPECT_EQ(s.nodes[p].ruleNumber, rule) << p;
    EXPECT_EQ(s.nodes[p].subtype, rule > 0 ? 'Z' : 0) << p;
  }
};

datagen::CjVerbFrame frame(const char* verb, const char* condition, const char* items) {
  datagen::CjVerbFrame f;
  f.verb = verb;
  f.condition = condition;
  f.frame = items;
  return f;
}

TEST_F(PhraseRules, WNounFromTheSecondNodeOn) {
  startWith();
  auto s = buildFromNotation("w 鳍 N; w 鳌 W; w 鳎 N");
  cj::ruleWNounNP(*s);
  EXPECT_EQ(shape(*s), "1 [NP 2 3]");
  expectPhrase(*s, 4, "NP", 3, 6);
  s = buildFromNotation("w 鳌 W; w 鳎 N");
  cj::ruleWNounNP(*s);
  EXPECT_EQ(shape(*s), "1 2");
}

TEST_F(PhraseRules, VerbObjectWhenTheVerbTakesOnlyTheFirstNoun) {
  startWith({frame("鳔", "*", "N[A]")});
  auto s = buildFromNotation("w 鳔 V; w 鳍 N +N:M_SEM=A; w 鳎 N +N:M_SEM=B");
  cj::ruleVerbObjectNP(*s);
  EXPECT_EQ(shape(*s), "[NP 1 2] 3");
  expectPhrase(*s, 4, "NP", 1, 12);
  s = buildFromNotation("w 鳔 V; w 鳍 N +N:M_SEM=A; w 鳎 N +N:M_SEM=A");
  cj::ruleVerbObjectNP(*s);
  EXPECT_EQ(shape(*s), "1 2 3");
}

TEST_F(PhraseRules, ZeroValuedWordBeforeANoun) {
  startWith();
  auto s = buildFromNotation("w 鳔 V C_VAL=0; w 鳍 N");
  cj::ruleZeroValNounNP(*s);
  expectPhrase(*s, 3, "NP", 2, 10);
  s = buildFromNotation("w 鳔 V C_VAL=01; w 鳍 N");
  cj::ruleZeroValNounNP(*s);
  EXPECT_EQ(shape(*s), "1 2");
}

TEST_F(PhraseRules, ZeroValuedVerbPairsLeaveTheThirdOutside) {
  startWith();
  auto s = buildFromNotation("w 鳔 V C_VAL=0; w 鳕 V C_VAL=0; w 鳗 V C_VAL=0");
  EXPECT_EQ(cj::ruleZeroValVerbPairVP(*s), 0);
  EXPECT_EQ(shape(*s), "[VP 1 2] 3");
  expectPhrase(*s, 4, "VP", 2, 7);
  EXPECT_EQ(s->nodes[4].features.C_VAL.view(), "0");
}

TEST_F(PhraseRules, RelativeClauseBeforeAClosingVerb) {
  startWith();
  // Nothing before the predicate and a verb closing the sentence.
  auto s = buildFromNotation("w 鳔 V; w 鳍 N; w $phraseRules.L1 X; w 鳎 N; w 鳕 V; w 。 P");
  cj::ruleRelativeClauseNP(*s);
  EXPECT_EQ(shape(*s), "[NP 1 2 3 4] 5 6");
  expectPhrase(*s, 7, "NP", 4, 5);
  // Without the closing punctuation nothing decides for the build.
  s = buildFromNotation("w 鳔 V; w 鳍 N; w $phraseRules.L1 X; w 鳎 N; w 鳕 V; w 鳏 N");
  cj::ruleRelativeClauseNP(*s);
  EXPECT_EQ(shape(*s), "1 2 3 4 5 6");
  // A linker that is not L1 or L2.
  s = buildFromNotation("w 鳔 V; w 鳍 N; w 鳘 X; w 鳎 N; w 鳕 V; w 。 P");
  cj::ruleRelativeClauseNP(*s);
  EXPECT_EQ(shape(*s), "1 2 3 4 5 6");
}

TEST_F(PhraseRules, RelativeClauseLinksAdverbialsAndWrapsThem) {
  startWith();
  // The last nominal's head carries "Z"; the adverb before the predicate is linked.
  auto s = buildFromNotation("w 鳘 F; w 鳔 V; w 鳍 N; w $phraseRules.L1 X; w 鳎 N +N:M_SEM=Z; w 鳕 V; w 。 P");
  cj::ruleRelativeClauseNP(*s);
  EXPECT_EQ(shape(*s), "[NP [VP 1 2] 3 4 5] 6 7");
  expectPhrase(*s, 8, "VP", 2, 4);
  expectPhrase(*s, 9, "NP", 5, 5);
  EXPECT_EQ(cjtest::dumpRoleLinks(*s), "2>1:ADVN");
}

TEST_F(PhraseRules, RelativeClauseLinkerChain) {
  // The verb refuses the last noun of the chain and accepts the one before it.
  startWith({frame("鳔", "!", "N[Q]")});
  auto s = buildFromNotation(
      "w 鳔 V; w 鳍 N; w $phraseRules.L1 X; w 鳎 N; w $phraseRules.L1 X; w 鳏 N +N:M_SEM=Q");
  cj::ruleRelativeClauseNP(*s);
  EXPECT_EQ(shape(*s), "[NP 1 [NP 2 3 4] 5 6]");
  expectPhrase(*s, 7, "NP", 4, 13);
  expectPhrase(*s, 8, "NP", 6, 5);
  // Accepting the last noun leaves the chain alone.
  s = buildFromNotation("w 鳔 V; w 鳍 N; w $phraseRules.L1 X; w 鳎 N; w $phraseRules.L1 X; w 鳏 N");
  cj::ruleRelativeClauseNP(*s);
  EXPECT_EQ(shape(*s), "1 2 3 4 5 6");
}

TEST_F(PhraseRules, PairedNominalsNeedAnEvenHead) {
  startWith();
  auto s = buildFromNotation(
      "w 鳍 N; w $phraseRules.P1 X; w 鳎 N; w $phraseRules.L1 X; w $phraseRules.nounList6#0 N");
  cj::rulePairedNominalNP(*s);
  EXPECT_EQ(shape(*s), "[NP 1 2 3 4 5]");
  expectPhrase(*s, 6, "NP", 5, 8);
  // A one-character head (2 bytes) never builds, even with a verb sense.
  s = buildFromNotation("w 鳍 N; w $phraseRules.P1 X; w 鳎 N; w $phraseRules.L1 X; w 鳏 N +V");
  cj::rulePairedNominalNP(*s);
  EXPECT_EQ(shape(*s), "1 2 3 4 5");
}

TEST_F(PhraseRules, ConjoinedNominals) {
  startWith();
  auto s = buildFromNotation("w 鳍 N; w $phraseRules.D X; w 鳎 N; w $phraseRules.L2 X; w 鳏 N");
  cj::ruleConjoinedNominalNP(*s);
  expectPhrase(*s, 6, "NP", 5, 9);
  s = buildFromNotation("w 鳍 N; w $phraseRules.D X; w 鳎 N; w $phraseRules.L2 X; w 鳏 N +N:M_SEM=H");
  cj::ruleConjoinedNominalNP(*s);
  EXPECT_EQ(shape(*s), "1 2 3 4 5");
}

TEST_F(PhraseRules, VerbIntroducedPhrase) {
  startWith();
  auto s = buildFromNotation(
      "w 鳔 V +V:C_VAL=0; w $phraseRules.D X; w 鳍 N; w $phraseRules.L1 X; w 鳎 N +N:M_SEM=A");
  cj::ruleVerbIntroducedIP(*s);
  EXPECT_EQ(shape(*s), "[VP 1 [IP 2 3]] 4 5");
  expectPhrase(*s, 6, "IP", 2, 0);
  expectPhrase(*s, 7, "VP", 1, 5);
  EXPECT_EQ(s->nodes[1].roleLabel.view(), "1");
  EXPECT_EQ(s->nodes[6].roleLabel.view(), "2");
  s = buildFromNotation(
      "w 鳔 V +V:C_VAL=0; w $phraseRules.D X; w 鳍 N; w $phraseRules.L1 X; w 鳎 N +N:M_SEM=C");
  cj::ruleVerbIntroducedIP(*s);
  EXPECT_EQ(shape(*s), "1 2 3 4 5");
}

TEST_F(PhraseRules, VerbIntroducedPhraseJoinsALinkerChain) {
  startWith();
  // Nominals carrying "H" or "J" on both sides of a linker join first.
  auto s = buildFromNotation(
      "w $phraseRules.X2 V; w $phraseRules.D X; w 鳍 N +N:M_SEM=H; w $phraseRules.L1 X; w 鳎 N +N:M_SEM=J;"
      "w $phraseRules.L1 X; w 鳏 N");
  cj::ruleVerbIntroducedIP(*s);
  EXPECT_EQ(shape(*s), "[VP 1 [IP 2 [NP 3 4 5]]] 6 7");
  expectPhrase(*s, 8, "NP", 5, 0);
}

TEST_F(PhraseRules, IntroducedNominalAndItsUndoing) {
  startWith();
  auto s = buildFromNotation("w $phraseRules.D X; w 鳍 N +N:M_SEM=L; w $phraseRules.L1 X; w 鳎 N");
  cj::ruleIntroducedNominalNP(*s);
  expectPhrase(*s, 5, "NP", 4, 11);
  s = buildFromNotation("w $phraseRules.D X; w 鳍 N; w $phraseRules.L1 X; w 鳎 N");
  cj::ruleIntroducedNominalNP(*s);
  EXPECT_EQ(shape(*s), "1 2 3 4");

  // Second pass: a two-word noun phrase whose first half is "H" and second is not comes apart.
  s = buildFromNotation("w $phraseRules.D X; w 鳍 N +N:M_SEM=H; w 鳎 N; w 鳔 V; p 2 3 NP");
  cj::ruleIntroducedNominalNP(*s);
  EXPECT_EQ(shape(*s), "1 2 3 4");
  EXPECT_EQ(s->nodes[1].next, 2);
  EXPECT_EQ(s->nodes[4].prev, 3);
  EXPECT_EQ(s->nodes[5].kind, '?');
  EXPECT_EQ(s->nodes[5].firstChild, 0);
  s = buildFromNotation("w $phraseRules.D X; w 鳍 N +N:M_SEM=H; w 鳎 N +N:M_SEM=J; w 鳔 V; p 2 3 NP");
  cj::ruleIntroducedNominalNP(*s);
  EXPECT_EQ(shape(*s), "1 [NP 2 3] 4");
}

TEST_F(PhraseRules, EmbeddedClauseObject) {
  startWith({frame("鳔", "*", "N[A]")});
  auto s = buildFromNotation("w 鳔 V C_VAL=1; w 鳍 N +N:M_SEM=B; w 鳕 V C_VAL=1; w 鳎 N +N:M_SEM=A");
  cj::ruleEmbeddedClauseObjectNP(*s);
  EXPECT_EQ(shape(*s), "1 [NP 2 [NP 3 4]]");
  expectPhrase(*s, 5, "NP", 4, 10);
  expectPhrase(*s, 6, "NP", 5, 10);
  s = buildFromNotation("w 鳔 V C_VAL=1; w 鳍 N +N:M_SEM=A; w 鳕 V C_VAL=1; w 鳎 N +N:M_SEM=A");
  cj::ruleEmbeddedClauseObjectNP(*s);
  EXPECT_EQ(shape(*s), "1 2 3 4");
}

TEST_F(PhraseRules, NominalisedVerb) {
  startWith({frame("鳔", "*", "N[A]")});
  auto s = buildFromNotation(
      "w 鳔 V C_VAL=1; w 鳕 V; w 鳍 N; w 鳗 V C_VAL=1 +N:M_SEM=D; w 鳎 N +N:M_SEM=A");
  cj::ruleNominalisedVerbNP(*s);
  EXPECT_EQ(shape(*s), "1 [NP [NP 2 [NP 3 4]] 5]");
  expectPhrase(*s, 6, "NP", 4, 10);
  expectPhrase(*s, 7, "NP", 2, 12);
  expectPhrase(*s, 8, "NP", 5, 10);
  EXPECT_EQ(s->nodes[4].CAT.view(), "N");
  EXPECT_EQ(s->nodes[4].features.M_SEM.view(), "D");
  s = buildFromNotation("w 鳔 V C_VAL=1; w 鳕 V; w 鳍 N; w 鳗 V C_VAL=1; w 鳎 N");
  cj::ruleNominalisedVerbNP(*s);
  EXPECT_EQ(shape(*s), "1 2 3 4 5");
  EXPECT_EQ(s->nodes[4].CAT.view(), "V");
}

TEST_F(PhraseRules, NominalTestByCategory) {
  startWith();
  struct Case {
    const char* notation;
    int node;
    int expected;
  } cases[] = {
      {"w 鳍 Ntp; w 鳎 N", 1, 0},
      {"w 鳍 Ntp; w $phraseRules.L1 X", 1, 1},
      {"w 鳍 N", 1, 1},
      {"w 鳍 N M_SEM=I", 1, 0},
      {"w 鳍 N M_SEM=I; w $phraseRules.L1 X", 1, 1},
      {"w 鳍 S", 1, 1},
      {"w 鳍 S M_SEM=F; w 鳔 V", 1, 0},
      {"w 鳍 S M_SEM=F; w 鳔 N", 1, 1},
      {"w 鳍 UG", 1, 1},
      {"w 鳍 V", 1, 0},
      {"w 鳍 NV", 1, 0},
  };
  for (const Case& c : cases) {
    auto s = buildFromNotation(c.notation);
    EXPECT_EQ(cj::isNominalNode(*s, c.node), c.expected) << c.notation;
  }
}

TEST_F(PhraseRules, SharedTests) {
  startWith();
  // An empty NO_C_OBJ_SEM excludes nothing.
  auto s = buildFromNotation("w 鳔 V; w 鳍 N M_SEM=ABC");
  EXPECT_EQ(cj::hasExcludedObjectSem(*s, 1, 2), 0);
  s->nodes[1].features.NO_C_OBJ_SEM = "XC";
  EXPECT_EQ(cj::hasExcludedObjectSem(*s, 1, 2), 1);
  EXPECT_EQ(cj::hasExcludedObjectSem(*s, -1, 2), 0);

  // The sentence-final adjective steps over the final mark, a "C" ending word and the linker.
  s = buildFromNotation("w 鳍 N; w 鳓 A; w $phraseRules.L1 X; w 鳘 E M_SEM=C; w 。 P");
  EXPECT_EQ(cj::sentenceFinalAdjective(*s, 0), 2);
  EXPECT_EQ(cj::isPredicateHead(*s, 2), 1);
  EXPECT_EQ(cj::sentenceFinalAdjective(*s, 2), 0);
  s = buildFromNotation("w 鳓 A; w 鳍 N; w 。 P");
  EXPECT_EQ(cj::isPredicateHead(*s, 1), 0);
  s = buildFromNotation("w 鳔 V mark=N");
  EXPECT_EQ(cj::isPredicateHead(*s, 1), 0);

  // Clause verbs: a verb next to a linker is passed over.
  s = buildFromNotation("w 鳍 N; w 鳔 V; w $phraseRules.L1 X; w 鳕 V; w 鳗 V");
  EXPECT_EQ(cj::nextClauseVerb(*s, 1), 5);
  EXPECT_EQ(cj::prevClauseVerb(*s, 5), 0);
  s = buildFromNotation("w 鳍 N; w $phraseRules.verbListB#1 N; w 鳔 V");
  EXPECT_EQ(cj::nextClauseVerb(*s, 1), 2);

  // Markers after a phrase's head word.
  s = buildFromNotation("w 鳔 V; w $phraseRules.M3 X; w 鳍 N; p 1 2 VP");
  EXPECT_EQ(cj::followedByMarkerB(*s, 4), 1);
  EXPECT_EQ(cj::followedByMarkerA(*s, 4), 0);

  s = buildFromNotation("w 鳍 N +V +N:M_SEM=KL; w 鳎 N +N:M_SEM=K");
  EXPECT_EQ(cj::hasNounSense(*s, 1), 1);
  EXPECT_EQ(cj::hasNounSenseMSem(*s, 1), 1);
  EXPECT_EQ(cj::hasNounSenseMSem(*s, 2), 0);
}

}  // namespace
