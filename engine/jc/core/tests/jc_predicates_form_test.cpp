#include "engine/jc/core/jc_predicates_form.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/jc/core/jc_predicates_search.h"
#include "engine/jc/test_support/jc_sentence_builder.h"

namespace jc {
namespace {

using Test1 = int (*)(const JcSentence*, int);

struct Case {
  const char* word;  // one morpheme in the compact notation, without the leading "m x"
  Test1 test;
  const char* name;
  int expected;
};
#define T(f) f, #f

// Each case is a sentence of one word (node 1).
void runCases(const Case* cases, std::size_t n) {
  for (std::size_t k = 0; k < n; ++k) {
    const Case& c = cases[k];
    JcSentenceHolder s;
    std::string error;
    ASSERT_TRUE(s.build(std::string("m x ") + c.word, &error)) << c.word << ": " << error;
    EXPECT_EQ(c.test(s.get(), 1), c.expected) << c.name << " on " << c.word;
  }
}

TEST(JcFormTests, PartOfSpeech) {
  const Case cases[] = {
      {"pos=1/2", T(isSymbol), 1},           {"pos=9/1", T(isParticle), 1},
      {"pos=9/2", T(isAdverbialParticle), 1}, {"pos=9/1", T(isAdverbialParticle), 0},
      {"pos=9/4", T(isFinalParticle), 1},    {"pos=8/1", T(isAdverb), 1},
      {"pos=10", T(isConjunction), 1},       {"pos=6/2", T(isSahenNoun), 1},
      {"pos=6/1", T(isSahenNoun), 0},        {"pos=6/7", T(isNumeral), 1},
      {"pos=14/3", T(isCounterSuffix), 1},   {"pos=14/2", T(isCounterSuffix), 0},
      {"pos=2/2", T(isIntransitiveVerb), 1}, {"pos=2/1", T(isIntransitiveVerb), 0},
      // Predicate words: verbs, adjectives, copula, auxiliaries and the conjugating suffixes.
      {"pos=2/1", T(isPredicateWord), 1},    {"pos=5", T(isPredicateWord), 1},
      {"pos=14/7", T(isPredicateWord), 1},   {"pos=14/5", T(isPredicateWord), 1},
      {"pos=14/1", T(isPredicateWord), 0},   {"pos=6/2", T(isPredicateWord), 0},
      // Nominal words.
      {"pos=6/10", T(isNominalWord), 1},     {"pos=7/1", T(isNominalWord), 1},
      {"pos=7/2", T(isNominalWord), 0},      {"pos=14/3", T(isNominalWord), 1},
      {"pos=14/4", T(isNominalWord), 0},     {"pos=15/2", T(isNominalWord), 1},
      {"pos=1/3", T(isNominalWord), 0},      {"pos=1/3", T(isNominal), 1},
      {"pos=1/5", T(isNominal), 1},          {"pos=1/1", T(isNominal), 0},
      {"pos=2/1", T(isVerb), 1},             {"pos=14/7", T(isVerb), 1},
      {"pos=3", T(isVerb), 0},               {"pos=6/1", T(isNounHead), 1},
  };
  runCases(cases, std::size(cases));
}

TEST(JcFormTests, ConjugationTypes) {
  const Case cases[] = {
      {"pos=3 conj=19/2", T(isIAdjective), 1}, {"pos=3 conj=21/2", T(isIAdjective), 0},
      {"pos=3 conj=23/1", T(isNaAdjective), 1}, {"pos=3 conj=24/1", T(isNaAdjective), 0},
      {"pos=2 conj=16/2", T(isSahenVerb), 1},  {"pos=2 conj=17/2", T(isSahenVerbAlt), 1},
      {"pos=2 conj=1/2", T(isSahenVerb), 0},
  };
  runCases(cases, std::size(cases));
}

TEST(JcFormTests, FormsOfTheWordItself) {
  const Case cases[] = {
      {"pos=2 conj=10/8", T(isVerbTaForm), 1},
      {"pos=2 conj=10/8", T(isNotVerbTaForm), 0},
      {"pos=3 conj=18/7", T(isVerbTaForm), 0},  // an adjective's ta form is no verb ta form
      {"pos=3 conj=18/7", T(isNotVerbTaForm), 1},
      {"pos=2 conj=5/2", T(isVerbBaseForm), 1},
      {"pos=14/7 conj=33/2", T(isVerbBaseForm), 1},
      {"pos=2 conj=5/12", T(isVerbBaseForm), 0},  // "2" is not "12"
      {"pos=2 conj=9/7", T(isVerbContinuative), 1},
      {"pos=2 conj=9/6", T(isVerbConditional), 1},
      {"pos=2 conj=9/10", T(isVerbConditional), 1},
      {"pos=2 conj=9/11", T(isVerbTeForm), 1},
      {"pos=3 conj=18/6", T(isIAdjectiveContinuative), 1},
      {"pos=3 conj=18/1", T(isIAdjectiveStem), 1},
      {"pos=3 conj=24/1", T(isNaAdjectiveStem), 1},
      {"pos=3 conj=21/7", T(isNaAdjectiveContinuative), 1},
      {"pos=3 conj=22/8", T(isNaAdjectiveContinuative), 1},
      {"pos=3 conj=21/8", T(isNaAdjectiveContinuative), 0},
      {"pos=3 conj=24/3", T(isNaAdjectiveContinuative), 1},
      {"pos=4 conj=25/11", T(isNaAdjectiveContinuative), 1},
      {"pos=3 conj=21/11", T(isAdjectiveConnective), 1},
      {"pos=3 conj=23/12", T(isAdjectiveConnective), 1},
      {"pos=3 conj=20/6", T(isAdjectiveConnective), 1},
      {"pos=3 conj=21/12", T(isAdjectiveConnective), 0},
      {"pos=3 conj=25/4", T(isNaAdjectiveAdnominal), 1},
      {"pos=3 conj=24/2", T(isNaAdjectiveAdnominal), 1},
      {"pos=3 conj=24/4", T(isNaAdjectiveAdnominal), 0},
      {"pos=3 conj=19/10", T(isAdjectiveTeForm), 1},
      {"pos=3 conj=21/11", T(isAdjectiveTeForm), 1},
      {"pos=3 conj=22/12", T(isAdjectiveTeForm), 1},
      {"pos=3 conj=18/7", T(isAdjectiveBaseOrPast), 1},
      {"pos=3 conj=18/8", T(isAdjectiveBaseOrPast), 0},
      {"pos=3 conj=18/2", T(testAdjectiveBaseOrPast), 1},
      {"pos=2 conj=1/8", T(isVerbBaseOrPast), 1},
      {"pos=2 conj=16/15", T(isVerbBaseOrPast), 1},
      {"pos=14/7 conj=1/2", T(isVerbBaseOrPast), 1},
      {"pos=3 conj=18/2", T(isVerbBaseOrPast), 0},
      {"pos=2 conj=1/7", T(isContinuativeForm), 1},
      {"pos=3 conj=19/6", T(isContinuativeForm), 1},
      {"pos=4 conj=25/11", T(isContinuativeForm), 1},
      {"pos=2 conj=1/11", T(isContinuativeForm), 0},
  };
  runCases(cases, std::size(cases));
}

TEST(JcFormTests, PastAndBaseForms) {
  const Case cases[] = {
      {"pos=3 conj=21/29", T(isPastForm), 1},  // デス列タ形
      {"pos=3 conj=21/26", T(isPastForm), 0},  // デス列基本形
      {"pos=2 conj=12/8", T(isPastForm), 1},
      {"pos=3 conj=18/11", T(isPastForm), 1},
      {"pos=3 conj=22/34", T(isPastForm), 1},
      {"pos=3 conj=22/33", T(isPastForm), 0},
      {"pos=4 conj=25/31", T(isPastForm), 1},
      {"pos=5 conj=27/6", T(isPastForm), 1},
      {"pos=14/7 conj=31/5", T(isPastForm), 1},
      {"pos=14/7 conj=33/9", T(isPastForm), 1},
      {"pos=14/7 conj=31/7", T(isPastForm), 0},
      {"pos=3 conj=21/4", T(isPlainBaseOrPastForm), 1},
      {"pos=3 conj=21/2", T(isPlainBaseOrPastForm), 0},  // だ is the polite-neutral form here
      {"pos=4 conj=25/19", T(isPlainBaseOrPastForm), 1},
      {"pos=3 conj=24/2", T(isPlainBaseOrPastForm), 1},
      {"pos=3 conj=21/2", T(isBaseOrPastForm), 1},
      {"pos=4 conj=25/27", T(isBaseOrPastForm), 1},
      {"pos=5 conj=29/4", T(isBaseOrPastForm), 1},
      {"pos=3 conj=24/2", T(isBaseOrPastForm), 0},
      // Type "0" never has a base or past form, whatever its form says.
      {"pos=6/1 conj=0/2", T(isBaseOrPastForm), 0},
      {"pos=6/1 conj=0/2", T(isPlainBaseOrPastForm), 0},
      {"pos=6/1 conj=0/8", T(isPastForm), 0},
  };
  runCases(cases, std::size(cases));
}

TEST(JcFormTests, AdnominalWordsAndPhrases) {
  const Case cases[] = {
      {"pos=2 conj=10/2", T(isAdnominalPredicate), 1}, {"pos=2 conj=10/7", T(isAdnominalPredicate), 0},
      {"pos=14/7 conj=32/5", T(isAdnominalPredicate), 1}, {"pos=2 conj=10/8", T(isAdnominal), 1},
      {"pos=3 conj=18/2", T(isAdnominal), 1},           {"pos=3 conj=21/4", T(isAdnominal), 1},
      {"pos=3 conj=22/5", T(isAdnominal), 1},           {"pos=3 conj=21/5", T(isAdnominal), 0},
      {"pos=3 conj=23/15", T(isAdnominal), 1},          {"pos=5 conj=27/2", T(isAdnominal), 1},
      {"pos=6/1", T(isAdnominal), 0},                   {"pos=6/1", T(isNominalOrAdnominal), 1},
      {"pos=8/1", T(isNominalOrAdnominal), 0},
  };
  runCases(cases, std::size(cases));

  JcSentenceHolder s;
  // 行く 人 の 近く : p1 adnominal (D3), p2 D14 to p3, p3 ends in 近く under D6.
  ASSERT_TRUE(s.build("m 行く base=行く pos=2/2 conj=2/7; m 人 pos=6/1; m の pos=9/1; m 近く pos=6/9;"
                      "m 店 pos=6/1; p 1-1 head=p2 label=D3 ab=B34; p 2-3 head=p3 label=D14; p 4-4 head=p4 label=D6;"
                      "p 5-5"));
  EXPECT_EQ(isAdnominal(s.get(), 6), 1);
  EXPECT_EQ(isAdnominal(s.get(), 7), 1);
  EXPECT_EQ(isAdnominal(s.get(), 8), 0);  // D6 ending in 近く
  s->nodes[4].surface = "遠く";
  EXPECT_EQ(isAdnominal(s.get(), 8), 1);
  EXPECT_EQ(isAdnominal(s.get(), 9), 0);  // the root
  // A continuative verb counts when its verbal phrase is attached adnominally or marked B34.
  EXPECT_EQ(isAdnominalPredicate(s.get(), 1), 1);
  s->nodes[6].depLabel = "D2";
  EXPECT_EQ(isAdnominalPredicate(s.get(), 1), 1);
  s->nodes[6].abFeatures = "|B35|";
  EXPECT_EQ(isAdnominalPredicate(s.get(), 1), 1);
  s->nodes[6].abFeatures = "|B3|";
  EXPECT_EQ(isAdnominalPredicate(s.get(), 1), 0);
}

TEST(JcFormTests, NominalStepsBackOverParticlesOfItsPhrase) {
  JcSentenceHolder s;
  ASSERT_TRUE(s.build("m 東京 pos=6/4; m に pos=9/1; m も pos=9/2; m 行く pos=2/2 conj=2/2; m と pos=9/1;"
                      "p 1-3 head=p2 label=D13; p 4-5"));
  EXPECT_EQ(isNominal(s.get(), 3), 1);  // も, に, then 東京
  EXPECT_EQ(isNominal(s.get(), 6), 1);  // the phrase: its last leaf
  EXPECT_EQ(isNominal(s.get(), 5), 0);  // と steps back to 行く only
  EXPECT_EQ(isNominal(s.get(), 7), 0);
  s->nodes[7].sFeatures = "|S2|";
  EXPECT_EQ(isNominal(s.get(), 7), 1);
  EXPECT_EQ(isNominal(s.get(), 0), 0);
  EXPECT_EQ(isNominal(s.get(), 8), 0);
}

TEST(JcFormTests, LastWordTestsLookThroughPhrasesAndTrailingSymbols) {
  JcSentenceHolder s;
  ASSERT_TRUE(s.build("m 雨 pos=6/1; m が pos=9/1; m 降れ base=降る pos=2/2 conj=10/6; m ば pos=9/3; m 、 pos=1/2;"
                      "m 行け base=行く pos=2/2 conj=2/5; m 。 pos=1/1;"
                      "p 1-2 head=p2 label=D20; p 3-5 head=p3 label=D2; p 6-7"));
  JcSentence* r = s.get();
  EXPECT_EQ(lastWordForTest(r, 9), 4);  // 、 steps back to ば
  EXPECT_EQ(lastWordForTest(r, 10), 6);
  EXPECT_EQ(lastWordForTest(r, 3), 3);
  EXPECT_EQ(isVerbImperative(r, 10), 1);
  EXPECT_EQ(isVerbImperative(r, 6), 1);
  EXPECT_EQ(isVerbImperative(r, 9), 0);
  EXPECT_EQ(isConditionalForm(r, 3), 1);
  EXPECT_EQ(isConditionalForm(r, 9), 0);  // the last word is ば
  r->nodes[4].conjType = "28";             // a conditional auxiliary form
  r->nodes[4].conjForm = "3";
  EXPECT_EQ(isConditionalForm(r, 9), 1);
  // A symbol with no word before it in the same phrase stays.
  r->nodes[5].parent = 0;
  EXPECT_EQ(lastWordForTest(r, 9), 5);
}

TEST(JcFormTests, VolitionalConjectureIrrealisAndPotential) {
  struct Row {
    const char* sentence;
    Test1 test;
    const char* name;
    int word;
    int expected;
  } rows[] = {
      {"m 行こう base=行く pos=2/2 conj=2/4", T(isVerbVolitional), 1, 1},
      {"m 高かろう pos=3 conj=18/4", T(isVerbVolitional), 1, 0},
      {"m 行か base=行く pos=2/2 conj=2/3", T(isVerbIrrealis), 1, 1},
      {"m せ base=する pos=2/1 conj=16/16", T(isVerbIrrealis), 1, 1},
      {"m 行き base=行く pos=2/2 conj=2/7", T(isVerbIrrealis), 1, 0},
      {"m 雨 pos=6/1; m でしょう base=だ pos=4 conj=25/25", T(isConjecture), 2, 1},
      {"m 雨 pos=6/1; m だろう pos=5 conj=28/2", T(isConjecture), 2, 1},
      {"m 行き pos=2/2 conj=2/7; m ましょう base=ます pos=14/7 conj=31/4", T(isConjecture), 2, 1},
      {"m 行く pos=2/2 conj=2/2; m ましょう base=ます pos=14/7 conj=31/4", T(isConjecture), 2, 0},
      {"m できる pos=2/2 conj=1/2", T(isPotential), 1, 1},
      {"m 食べ base=食べる pos=2/1 conj=1/3; m られる pos=14/7 conj=1/2", T(isPotential), 1, 1},
      {"m 勉強 pos=6/2; m でき base=できる pos=2/2 conj=1/7", T(isPotential), 1, 1},
      {"m 本 pos=6/1; m でき base=できる pos=2/2 conj=1/7", T(isPotential), 1, 0},
      {"m 食べ base=食べる pos=2/1 conj=1/7; m た pos=5 conj=26/2", T(isPotential), 1, 0},
  };
  for (const Row& row : rows) {
    JcSentenceHolder s;
    ASSERT_TRUE(s.build(row.sentence)) << row.sentence;
    EXPECT_EQ(row.test(s.get(), row.word), row.expected) << row.name << " on " << row.sentence;
  }
}

TEST(JcFormTests, BoundsAnswerZero) {
  JcSentenceHolder s;
  ASSERT_TRUE(s.build("m 行った base=行く pos=2/2 conj=3/8; m 人 pos=6/1"));
  Test1 tests[] = {isSymbol,          isPredicateWord,   isNominalWord,  isNominal,     isVerb,
                   isVerbTaForm,      isNotVerbTaForm,   isPastForm,     isAdnominal,   isBaseOrPastForm,
                   isVerbBaseOrPast,  isConditionalForm, isNumeral,      isIAdjective,  isAdnominalPredicate,
                   isVerbImperative,  isPotential,       isContinuativeForm};
  for (Test1 t : tests) {
    EXPECT_EQ(t(s.get(), -1), 0);
    EXPECT_EQ(t(s.get(), 3), 0);
    EXPECT_EQ(t(s.get(), 299), 0);
    EXPECT_EQ(t(s.get(), 300), 0);
  }
  EXPECT_EQ(isVerbTaForm(s.get(), 1), 1);
  EXPECT_EQ(isAdnominal(s.get(), 1), 1);
  EXPECT_EQ(isNotVerbTaForm(s.get(), 0), 0);  // from 1
}

}  // namespace
}  // namespace jc
