#include "engine/cj/transfer/rule_actions.h"

#include <gtest/gtest.h>

#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/analysis/grammar.h"
#include "engine/cj/analysis/tests/cj_test_folder.h"
#include "engine/cj/transfer/classifiers.h"
#include "engine/cj/transfer/tests/rule_sentence.h"
#include "engine/cj/transfer/transfer_navigation.h"
#include "tools/datagen/cj_grammar_writer.h"

namespace {

// Three words labelled 1, 2 and 3 under phrase 4.
constexpr const char* kThreeChildren = "w - N role=1; w - V role=2; w - N role=3; p 1 3 VP";

class RuleActions : public cjtest::RuleSentence {};

TEST_F(RuleActions, ElementListsReorderKeepAndDrop) {
  struct Case {
    const char* action;
    const char* chain;
  } cases[] = {
      {"->(3)+(2)", "3 2"},      // the object before the verb
      {"->(2)+(1)", "2 1"},      // the third child falls out
      {"->KEEPORDER", "1 2 3"},  // the Chinese order
      {"->(3)+(2)+(1)", "3 2 1"},
      {"->(9)+(0)", "1 2 3"},    // no designator names a child
      {"->(2)+(2)+(1)", "2 1"},  // a child named twice keeps its first place
      {"->(1)+(3", "1"},         // a designator without its end ends the list
      {"", "1 2 3"},
  };
  for (const Case& k : cases) {
    build(kThreeChildren);
    cj::runRuleAction(*context, 4, k.action);
    EXPECT_EQ(chain(4), k.chain) << k.action;
    EXPECT_EQ(target(4).lastChild, chain(4).empty() ? 0 : std::stoi(chain(4).substr(chain(4).rfind(' ') + 1)))
        << k.action;
  }
}

// A child named a second time stays where it was first placed and still takes the second
// element's items.
TEST_F(RuleActions, ChildNamedTwiceTakesBothSetsOfItems) {
  build(kThreeChildren);
  cj::runRuleAction(*context, 4, "->(2)ATT[を]+(1)+(2)JCAT[V1000]&VFORM[d]");
  EXPECT_EQ(chain(4), "2 1");
  EXPECT_EQ(target(4).lastChild, 1);
  EXPECT_EQ(att(2), "を");
  EXPECT_EQ(target(2).jcat, "V1000");
  EXPECT_EQ(target(2).vform, 'd');
}

TEST_F(RuleActions, LetterDesignatorMakesANewWordWithItsText) {
  build(kThreeChildren);
  cj::runRuleAction(*context, 4, "->(1)+(a)JP[です]&JCAT[KYODO]+(2)+(b)");
  EXPECT_EQ(chain(4), "1 5 2 6");
  EXPECT_EQ(japanese(5), "です");
  EXPECT_EQ(target(5).jcat, "KYODO");
  EXPECT_EQ(target(5).parent, 0);
  EXPECT_EQ(context->nodeCount, 6);
}

TEST_F(RuleActions, ItemsOnANodeAndItsHead) {
  // Phrase 4 over words 2 and 3 (its target head is 3), phrase 5 over word 1 and phrase 4.
  build("w - N role=1; w - V; w - N; p 2 3 VP role=2; p 1 4 S");
  cj::runRuleAction(*context, 5,
                    "->(1)ATT[を]&JCAT[N0000]&NOMI&ASP[B]&NEG[T]&NEG1[F]&VOI[T]&SHIYI[s]&NENG[x]&YUANYI[]"
                    "+(2)HJP[見る]&VFORM[d]&BUDING[y]&TEN[C]");
  EXPECT_EQ(att(1), "をの");
  EXPECT_EQ(target(1).jcat, "N0000");
  EXPECT_EQ(target(1).asp, 'B');
  EXPECT_EQ(target(1).neg, 1);
  EXPECT_EQ(target(1).neg1, 0);  // only the value T sets a flag
  EXPECT_EQ(target(1).voi, 1);
  EXPECT_EQ(target(1).shiyi, 's');
  EXPECT_EQ(target(1).neng, 1);
  EXPECT_EQ(target(1).yuanyi, 0);
  EXPECT_EQ(japanese(3), "見る");
  EXPECT_TRUE(japanese(4).empty());
  for (int i : {3, 4}) {
    EXPECT_EQ(target(i).vform, 'd') << i;
    EXPECT_EQ(target(i).buding, 1) << i;
    EXPECT_EQ(target(i).ten, 'C') << i;
  }
  EXPECT_EQ(target(2).vform, 'z');
}

TEST_F(RuleActions, PastOnlyWhenNoEarlierWordCarriesTenseC) {
  build("w - N role=1; w - V role=2; p 1 2 VP");
  cj::runRuleAction(*context, 3, "->(1)+(2)TEN[B]");
  EXPECT_EQ(target(2).ten, 'B');
  build("w - N role=1 TEN=C; w - V role=2; p 1 2 VP");
  cj::runRuleAction(*context, 3, "->(1)+(2)TEN[B]");
  EXPECT_EQ(target(2).ten, 'A');
}

TEST_F(RuleActions, JpAtovMakesTheHeadAVerb) {
  build("w - N role=1; w - N role=2; p 1 2 NP");
  cj::runRuleAction(*context, 3, "->(1)+(2)JP[ATOV]");
  EXPECT_EQ(source(2).CAT, "V");
  EXPECT_EQ(japanese(2), "");
}

TEST_F(RuleActions, BttConjugatesTheHeadAndAddsItsText) {
  build("w - V role=1; w - N role=2; p 1 2 VP");
  target(1).japanese = "書く";
  target(1).jcat = "TG000";
  target(1).neg = 1;
  target(1).asp = 'B';
  cj::runRuleAction(*context, 3, "->(1)BTT[てから]+(2)");
  // The negation goes into the text and leaves the marks.
  EXPECT_EQ(japanese(1), "書かなくてから");
  EXPECT_EQ(target(1).neg, 0);
  EXPECT_EQ(target(1).asp, 'A');
  EXPECT_EQ(target(1).ten, 'A');

  // "か" keeps the whole value and marks the word translated; the candidates are conjugated.
  build("w - V role=1; p 1 1 VP");
  candidate(1, "書く", "TG000");
  candidate(1, "読む", "TG000");
  cj::runRuleAction(*context, 2, "->(1)BTT[かどうか]");
  EXPECT_EQ(target(1).candidates[0].text, "書くかどうか");
  EXPECT_EQ(target(1).candidates[1].text, "読むかどうか");
  EXPECT_EQ(target(1).ruleFlag1, 0);

  // Another code changes only the node's marks.
  build("w - V role=1; p 1 1 VP");
  target(1).japanese = "書く";
  target(1).voi = 1;
  cj::runRuleAction(*context, 2, "->(1)BTT[xx]");
  EXPECT_EQ(japanese(1), "書く");
  EXPECT_EQ(target(1).voi, 0);
}

TEST_F(RuleActions, TonaruAddsBecome) {
  build("w - A role=1; p 1 1 AP");
  target(1).japanese = "高い";
  target(1).jcat = "KYOSI";
  cj::runRuleAction(*context, 2, "->(1)TONARU()");
  EXPECT_EQ(japanese(1), "高くなる");

  // Value 1: noun candidates are left as they are.
  build("w - A role=1; p 1 1 AP");
  candidate(1, "高い", "KYOSI");
  candidate(1, "高さ", "N0000");
  cj::runRuleAction(*context, 2, "->(1)TONARU()[1]");
  EXPECT_EQ(target(1).candidates[0].text, "高くなる");
  EXPECT_EQ(target(1).candidates[1].text, "高さ");
}

TEST_F(RuleActions, UnclosedValueAtTheEndIsNotApplied) {
  build(kThreeChildren);
  cj::runRuleAction(*context, 4, "->(1)ATT[a]&JP[b");
  EXPECT_EQ(att(1), "a");
  EXPECT_TRUE(japanese(1).empty());
  // A double-byte value holding the bytes of ']' and '+' as trail bytes is read whole.
  build(kThreeChildren);
  const std::string value = "\x81\x5D\x81\x2B";
  cj::runRuleAction(*context, 4, "->(1)JP[" + value + "]+(2)");
  EXPECT_EQ(japanese(1), value);
  EXPECT_EQ(chain(4), "1 2");
}

TEST_F(RuleActions, HyxSetsTheFormOrAppendsNo) {
  build("w - N role=1; w - V; w - N; p 2 3 VP role=2; p 1 4 S");
  cj::runRuleAction(*context, 5, "->(2)HYX[t]");
  EXPECT_EQ(target(4).vform, 't');
  EXPECT_EQ(target(3).vform, 't');
  EXPECT_TRUE(att(3).empty());

  build("w - N role=1; w - V; w - N; p 2 3 VP role=2; p 1 4 S");
  target(3).att = "と";
  cj::runRuleAction(*context, 5, "->(2)HYX[t]");
  EXPECT_EQ(target(4).vform, 't');
  EXPECT_EQ(target(3).vform, 'z');
  EXPECT_EQ(att(3), "との");
}

TEST_F(RuleActions, DelsDropsAClosingSentenceChild) {
  build("w - N; w - S; p 1 2 NP role=1; p 3 3 S");
  cj::runRuleAction(*context, 4, "->(1)DELS");
  EXPECT_EQ(target(2).alive, 0);
  EXPECT_EQ(target(1).alive, 1);
}

TEST_F(RuleActions, KeywordActions) {
  build("w - N; w - V; w - N; w $ruleActions.hyxLastWord N; p 1 4 NP");
  target(3).vform = 'x';
  // The text holds a keyword: nothing else of it is read.
  cj::runRuleAction(*context, 5, "->(2)+(1)KEEPORDER_HYX[t]");
  EXPECT_EQ(chain(5), "1 2 3 4");
  EXPECT_EQ(target(1).vform, 't');
  EXPECT_EQ(target(2).vform, 't');
  EXPECT_EQ(target(3).vform, 'z');  // the noun before the last word
  EXPECT_EQ(japanese(4), "法");

  build("w - F NEG=N TEN=b; w - V; p 1 2 VP");
  cj::runRuleAction(*context, 3, "->FG_Process");
  EXPECT_EQ(target(1).alive, 0);
  EXPECT_EQ(target(2).neg, 1);
  EXPECT_EQ(target(2).ten, 'B');
}

TEST_F(RuleActions, ClassifierPlaceholderIsRenderedAfterTheElements) {
  build("w $numeralRules.oneTwo#0 S role=1; w - C role=2; p 1 2 NP");
  candidate(2, "本", "N<本>");
  cj::runRuleAction(*context, 3, "->(1)JP[CLAS(1,2)]+(2)");
  EXPECT_EQ(japanese(1), "１本");
  EXPECT_EQ(target(1).jcat, "N0000");
}

TEST_F(RuleActions, SpecialRules) {
  build("w - V; w $ruleActions.nominalKeepWords V; w - N; p 1 3 VP rule=9888");
  cj::runSpecialRule(*context, 4);
  EXPECT_EQ(source(1).CAT, "N");
  EXPECT_EQ(target(1).vform, 'N');
  EXPECT_EQ(source(2).CAT, "V");

  // The serial phrase: each child before the last 'd', the word after an adjective cleared.
  build("w - A; w $ruleActions.W1 U; w - N; w - V; p 1 4 VP rule=9890");
  target(4).vform = 'x';
  cj::runSpecialRule(*context, 5);
  EXPECT_EQ(target(1).vform, 'd');
  EXPECT_EQ(target(2).ruleFlag2, 0);
  EXPECT_EQ(target(3).vform, 'd');
  EXPECT_EQ(target(4).vform, 'z');  // nothing follows the phrase

  for (int rule : {9889, 9893}) {
    build("w - V; w - N; p 1 2 VP rule=" + std::to_string(rule));
    cj::runSpecialRule(*context, 3);
    EXPECT_EQ(source(1).CAT, "V") << rule;
    EXPECT_EQ(target(1).vform, 'z') << rule;
    EXPECT_EQ(chain(3), "1 2") << rule;
  }
}

TEST_F(RuleActions, ReportingVerbHoldsTheSentence) {
  const std::string statement = word(cj::kStatementMark);
  build("w - N; w $ruleActions.reportingVerbs#3 V; w - P", 2);
  context->sentenceType = statement;
  cj::checkReportingVerb(*context, 0);
  EXPECT_EQ(context->line.reportingVerbState, 1);
  EXPECT_EQ(context->sentenceType, word(cj::kReportedMark));
  EXPECT_EQ(target(2).vform, 'z');

  // With an object the verb only takes its final form.
  build("w - N; w $ruleActions.reportingVerbs#3 V; w - P", 2);
  source(2).roleCounts[cj::kCountObj1] = 1;
  context->sentenceType = statement;
  cj::checkReportingVerb(*context, 0);
  EXPECT_EQ(context->line.reportingVerbState, 0);
  EXPECT_EQ(target(2).vform, 'd');

  build("w - N; w - V", 2);
  context->sentenceType = "T";
  cj::checkReportingVerb(*context, 0);
  EXPECT_EQ(target(2).vform, 'l');

  // No governor: nothing is written on node 0.
  build("w - N; w - V", 0);
  context->sentenceType = "T";
  cj::checkReportingVerb(*context, 0);
  EXPECT_EQ(target(0).vform, 'z');
  EXPECT_EQ(target(2).vform, 'z');
}

class RuleActionTexts : public cjtest::RuleSentence {
 protected:
  void TearDown() override { cj::clearGrammar(cjtest::engine()); }
  datagen::TempDevice device;
};

TEST_F(RuleActionTexts, FetchedFromTheGroupOfTheCategory) {
  std::string folder = cjtest::useFolder(device, "grammar");
  datagen::CjGrammar g;
  g.groups.push_back({"NP2", {{"NP->[N]+[N]", "->(2)+(1)"}}, {}});
  g.groups.push_back({"S", {{"S->[NP]+[VP]", "->(1)+(2)"}, {"S->[VP]", "->(2)"}}, {}});
  g.groups.push_back({"UP1", {{"UP->[U]", "->KEEPORDER"}}, {}});
  g.groups.push_back({"FP1", {{"FP->[F]", "->(1)ATT[x]"}}, {}});
  ASSERT_TRUE(datagen::writeCjGrammar(folder, g));
  cjtest::engine().engineStatus = 0;
  cj::loadGrammar(cjtest::engine());
  ASSERT_EQ(cjtest::engine().engineStatus, 0);
  build(kThreeChildren);
  struct Case {
    const char* category;
    char subtype;
    int rule;
    const char* text;
  } cases[] = {
      {"NP", '2', 0, "->(2)+(1)"},
      {"S", '7', 1, "->(2)"},
      {"UP", '3', 0, "->KEEPORDER"},
      {"FP", '1', 0, "->(1)ATT[x]"},
      {"FP", '2', 0, ""},
      {"NP", '7', 0, ""},
      {"XP", '1', 0, ""},
      {"NP", '2', 205, ""},
      {"NP", '2', -1, ""},
  };
  for (const Case& k : cases) {
    std::string out = "stale";
    cj::fetchRuleAction(*context, k.category, k.subtype, k.rule, out);
    EXPECT_EQ(out, k.text) << k.category << k.subtype << " " << k.rule;
  }
  // The fetched text runs on the phrase.
  std::string action;
  cj::fetchRuleAction(*context, "NP", '2', 0, action);
  cj::runRuleAction(*context, 4, action);
  EXPECT_EQ(chain(4), "2 1");
}

}  // namespace
