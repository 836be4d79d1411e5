#include "engine/cj/transfer/classifiers.h"

#include <gtest/gtest.h>

#include "engine/cj/transfer/tests/rule_sentence.h"

namespace {

class Classifiers : public cjtest::RuleSentence {};

TEST_F(Classifiers, OneAndTwoWithCountersTimeClassifiersAndTsu) {
  struct Case {
    int numeral;             // word of the pair: 0 one, 1 two
    const char* classifier;  // notation of word 2
    const char* code;        // its first candidate's code
    const char* numeralText;
    const char* classifierText;  // "" when it keeps its own
  } cases[] = {
      {0, "- C", "N<本>", "１本", ""},
      {1, "- C", "N<人>", "２人", ""},
      {0, "- C", "N0000", "１つ", ""},
      {1, "- C", "", "２つ", ""},
      {0, "$numeralRules.timeClassifiers#0 C", "N0000", "１", "時間"},
      {1, "$numeralRules.timeClassifiers#1 C", "N0000", "２", "週間"},
      {0, "$numeralRules.timeClassifiers#2 C", "N0000", "１", "週間"},
      {1, "$numeralRules.timeClassifiers#3 C", "N0000", "２", "own"},
  };
  for (const Case& k : cases) {
    build("w $numeralRules.oneTwo#" + std::to_string(k.numeral) + " S; w " + k.classifier);
    candidate(2, "x", k.code);
    target(2).japanese = "own";
    cj::renderClassifierPlaceholder(*context, 1, 2, 1);
    SCOPED_TRACE(k.numeralText);
    EXPECT_EQ(japanese(1), k.numeralText);
    EXPECT_EQ(target(1).jcat, "N0000");
    if (*k.classifierText) {
      EXPECT_EQ(japanese(2), k.classifierText);
      EXPECT_EQ(target(2).jcat, "N0000");
      EXPECT_EQ(target(1).vform, 'z');
    }
  }
}

TEST_F(Classifiers, CounterTextOfAClassifier) {
  build("w - C; w - C; w - C");
  candidate(1, "x", "N<本>");
  target(2).jcat = "<枚";  // no candidates: the jcat, up to its end
  target(2).ruleFlag1 = 0;
  candidate(3, "x", "N0000");
  EXPECT_EQ(cj::counterOfClassifier(*context, 1), "本");
  EXPECT_EQ(cj::counterOfClassifier(*context, 2), "枚");
  EXPECT_EQ(cj::counterOfClassifier(*context, 3), "");
  EXPECT_EQ(cj::counterOfClassifier(*context, 0), "");
}

TEST_F(Classifiers, NumeralClasses) {
  build(
      "w - S M_SEM=A; w - A M_SEM=A; w - B M_SEM=A; w - C M_SEM=J; w - C M_SEM=F; w - N M_SEM=C;"
      "w $numeralRules.numeralList2#3 S; w $numeralRules.numeralExclusions#0 S");
  EXPECT_TRUE(cj::isNumeralClassA(*context, 1));
  EXPECT_TRUE(cj::isNumeralClassA(*context, 2));
  EXPECT_FALSE(cj::isNumeralClassA(*context, 3));
  EXPECT_TRUE(cj::isNumeralClassC(*context, 4));
  EXPECT_TRUE(cj::isNumeralClassF(*context, 5));
  EXPECT_FALSE(cj::isNumeralClassC(*context, 6));
  EXPECT_FALSE(cj::isNumeralClassA(*context, 0));
  EXPECT_TRUE(cj::isListedNumeral(*context, 7));
  EXPECT_FALSE(cj::isListedNumeral(*context, 8));
  EXPECT_FALSE(cj::isListedNumeral(*context, 0));
}

TEST_F(Classifiers, ClassANumerals) {
  // No word before and no counter: an empty text, and predicate generation leaves it alone.
  build("w - S M_SEM=A; w - C");
  candidate(2, "x", "N0000");
  target(1).japanese = "三";
  cj::renderClassifierPlaceholder(*context, 1, 2, 1);
  EXPECT_EQ(japanese(1), "");
  EXPECT_EQ(target(1).ruleFlag2, 0);
  EXPECT_EQ(target(1).jcat, "N0000");

  build("w - S M_SEM=A; w - C");
  candidate(2, "x", "N<台>");
  cj::renderClassifierPlaceholder(*context, 1, 2, 1);
  EXPECT_EQ(japanese(1), "1台");

  // After a measure word without a counter: "つ" after a listed numeral, else "の".
  for (const char* before : {"$numeralRules.numeralList1#12", "-"}) {
    build(std::string("w ") + before + " U; w - S M_SEM=A; w - C");
    candidate(3, "x", "N0000");
    candidate(2, "x", "N0000");
    cj::renderClassifierPlaceholder(*context, 2, 3, 2);
    EXPECT_EQ(japanese(2), *before == '$' ? "つ" : "の") << before;
  }
  // A counter after a measure word becomes the text.
  build("w - UG; w - S M_SEM=A; w - C");
  candidate(3, "x", "N<匹>");
  cj::renderClassifierPlaceholder(*context, 2, 3, 2);
  EXPECT_EQ(japanese(2), "匹");
}

TEST_F(Classifiers, ClassBNumerals) {
  // After an ordinary word: "多く" when no special translation applies.
  build("w - V; w - S M_SEM=B");
  candidate(2, "x", "N0000");
  cj::renderClassifierPlaceholder(*context, 2, 0, 2);
  EXPECT_EQ(japanese(2), "多く");
  EXPECT_EQ(target(2).jcat, "N0000");

  build("w $numeralRules.twoNumeral S M_SEM=B");
  cj::renderClassifierPlaceholder(*context, 1, 0, 1);
  EXPECT_EQ(japanese(1), "２");

  build("w - S M_SEM=B");
  candidate(1, "x", "N0000");
  cj::renderClassifierPlaceholder(*context, 1, 0, 1);
  EXPECT_EQ(target(1).prefixText, "ひとつの");
}

TEST_F(Classifiers, EveryPhrases) {
  struct Case {
    const char* notation;  // phrase over words 1.., one word after it
    void (*rule)(cj::CjTransferContext&, int);
    int phrase;
    const char* c1;
    int c2Alive;
    const char* lastAtt;
    int last;
  } cases[] = {
      // Not followed by the listed pair: "一 ... ごとに".
      {"w - R; w - C; w - N; p 1 2 NP", cj::Process_Mei1, 4, "一", 1, "ごとに", 2},
      // Followed by it: "すべて", the classifier dropped.
      {"w - R; w - C; w $numeralRules.everyFollowers N; p 1 2 NP", cj::Process_Mei1, 4, "すべて", 0, "", 2},
      // Followed by it with a measure word of class C: "一 ... あたり".
      {"w - R; w - C M_SEM=C; w $numeralRules.everyFollowers#1 N; p 1 2 NP", cj::Process_Mei1, 4, "一", 1, "あたり", 2},
      {"w - R; w - C; w - N; w - N; p 1 3 NP", cj::Process_Mei2, 5, "", 0, "ごとに", 3},
      {"w - R; w - C M_SEM=C; w - N; w - N; p 1 3 NP", cj::Process_Mei2, 5, "一", 1, "ごとに", 3},
      {"w - R; w - C; w - N; w - N; w $numeralRules.everyFollowers N; p 1 4 NP", cj::Process_Mei3, 6, "すべての", 0, "",
       4},
  };
  for (const Case& k : cases) {
    build(k.notation);
    SCOPED_TRACE(k.notation);
    k.rule(*context, k.phrase);
    EXPECT_EQ(japanese(1), k.c1);
    EXPECT_EQ(target(2).alive, k.c2Alive);
    EXPECT_EQ(att(k.last), k.lastAtt);
  }
  // Mei3 sets the forms of the inner children.
  build("w - R; w - C; w - N; w - N; w $numeralRules.everyFollowers N; p 1 4 NP");
  cj::Process_Mei3(*context, 6);
  EXPECT_EQ(target(3).vform, 't');
  EXPECT_EQ(target(4).vform, 't');
  // Not followed by the pair: the last child and the phrase close their case.
  build("w - R; w - C; w - N; w - N; p 1 3 NP");
  cj::Process_Mei2(*context, 5);
  EXPECT_EQ(target(3).caseOpen, 0);
  EXPECT_EQ(target(5).caseOpen, 0);
  EXPECT_EQ(target(2).vform, 't');
  // A phrase with fewer children than the rule uses is left as it is.
  build("w - R; w - C; w - N; p 1 2 NP");
  cj::Process_Mei4(*context, 4);
  EXPECT_EQ(japanese(1), "");
  EXPECT_EQ(target(2).alive, 1);
  EXPECT_EQ(target(4).caseOpen, 1);
}

}  // namespace
