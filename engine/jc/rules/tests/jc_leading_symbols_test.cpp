#include "engine/jc/rules/jc_leading_symbols.h"

#include <vector>

#include "engine/jc/core/jc_predicates_search.h"
#include "engine/jc/core/jc_sentence_output.h"
#include "engine/jc/core/jc_template_expansion.h"
#include "engine/jc/rules/jc_rule_kit.h"
#include "engine/jc/rules/tests/rule_fixture.h"

namespace jc {
namespace {

struct Case {
  const char* what;
  std::string sentence;
  const char* live;
  std::string output;
  int trailingAt;  // the node whose text4 is checked
  std::string trailing;
};

class LeadingSymbols : public RuleTest {
 protected:
  void check(const Case& c) {
    SCOPED_TRACE(c.what);
    build(c.sentence);
    copyLeadingSymbols(s);
    EXPECT_EQ(live(), c.live);
    EXPECT_EQ(s->output.str(), c.output);
    EXPECT_EQ(s->targets[c.trailingAt].text4.str(), c.trailing);
  }
  std::vector<int> pendingFrom() const { return {std::begin(s->pendingFrom), std::end(s->pendingFrom)}; }
};

TEST_F(LeadingSymbols, TheStartOfTheSentenceGoesStraightOut) {
  const std::string x = ec(u8"甲"), y = ec(u8"乙");
  const Case cases[] = {
      {"two bullets", "m ● pos=1/6 zh=" + x + "; m ■ pos=1/6 zh=" + y + "; m 本 pos=6/1; m 。 pos=1/1; p 1-4", "0010",
       x + y, 5, "。"},
      {"a bullet without a candidate is its surface", "m ※ pos=1/6; m 本 pos=6/1; p 1-2", "01", "※", 3, ""},
      {"a bracketed number", "m （ pos=1/3; m 1 pos=6/7; m ） pos=1/4; m 本 pos=6/1; m 。 pos=1/1; p 1-3 head=p2; p 4-5",
       "00010", "（1）", 7, "。"},
      {"a bracketed number with candidates",
       "m ( pos=1/3; m 1 pos=6/7 zh=" + x + "; m ) pos=1/4; m 本 pos=6/1; p 1-3 head=p2; p 4-4", "0001", "(" + x + ")",
       6, ""},
      {"a numeral standing alone", "m 1 pos=6/7; m 本 pos=6/1; p 1-1 head=p2; p 2-2", "01", "1", 3, ""},
      {"a numeral inside its phrase stays", "m 1 pos=6/7; m 本 pos=6/1; p 1-2", "11", "", 3, ""},
      {"a bracket without its close opens a span", "m （ pos=1/3; m 1 pos=6/7; m 本 pos=6/1; p 1-3", "011", "", 4, ""},
  };
  for (const Case& c : cases) check(c);
  // A numeral standing alone goes out whether or not it is still live.
  build(cases[4].sentence);
  consumeWord(s, 1);
  copyLeadingSymbols(s);
  EXPECT_EQ(s->output.str(), "1");
  // The bracketed number is copied once: its bracket opens no span.
  build(cases[2].sentence);
  copyLeadingSymbols(s);
  EXPECT_EQ(pendingFrom(), (std::vector<int>{0, 0, 0, 0}));
}

TEST_F(LeadingSymbols, MarksCloseTheirPhrase) {
  const Case cases[] = {
      {"か + 。 asks", "m 行く pos=2/1 conj=5/2; m か pos=9/4; m 。 pos=1/1; p 1-3", "110", "", 4, std::string(kMarkQuestion)},
      {"a full stop", "m 行く pos=2/1 conj=5/2; m 。 pos=1/1; p 1-2", "10", "", 3, std::string(kMarkFullStop)},
      {"！", "m 行け pos=2/1 conj=5/5; m ！ pos=1/1; p 1-2", "10", "", 3, "！"},
      {"． inside its phrase stays", "m 1 pos=6/7; m ． pos=1/1; m 5 pos=6/7; p 1-3", "111", "", 4, ""},
      {"、 after a clause", "m 行け pos=2/1 conj=5/6; m 、 pos=1/2; m 行く pos=2/1 conj=5/2; p 1-2 head=p2; p 3-3", "101",
       "", 4, std::string(kMarkComma)},
      {"、 before particles only", "m 本 pos=6/1; m 、 pos=1/2; m は pos=9/2; m 行く pos=2/1 conj=5/2; p 1-3 head=p2; p 4-4",
       "1011", "", 5, std::string(kMarkComma)},
      {"・", "m 本 pos=6/1; m ・ pos=1/2; m 行く pos=2/1 conj=5/2; p 1-2 head=p2; p 3-3", "101", "", 4,
       std::string(kMarkPauseComma)},
      {"か + 、 asks", "m 行く pos=2/1 conj=5/2; m か pos=9/4; m 、 pos=1/2; m 本 pos=6/1; p 1-3 head=p2; p 4-4", "1101", "",
       5, std::string(kMarkQuestion)},
      {"… is itself", "m 本 pos=6/1; m … pos=1/2; m 行く pos=2/1 conj=5/2; p 1-2 head=p2; p 3-3", "101", "", 4, "…"},
  };
  for (const Case& c : cases) check(c);
  // A 、 inside its phrase becomes the comma mark and stays.
  build("m 本 pos=6/1; m 、 pos=1/2 zh=\\x88\\x9F; m 本 pos=6/1; p 1-3");
  copyLeadingSymbols(s);
  EXPECT_EQ(live(), "111");
  EXPECT_EQ(s->targets[2].candidates->chinese.str(), std::string(kMarkComma));
}

TEST_F(LeadingSymbols, BracketsOpenSpansAndCloseClauses) {
  // 「本を 読む」: the span opens in the first phrase, the bracket closes the clause of the second.
  build("m 「 pos=1/3; m 本 pos=6/1; m を pos=9/1; m 読む pos=2/1 conj=5/2; m 」 pos=1/4; p 1-3 head=p2; p 4-5");
  copyLeadingSymbols(s);
  EXPECT_EQ(live(), "01110");
  EXPECT_EQ(pendingFrom(), (std::vector<int>{1, 0, 0, 0}));
  EXPECT_EQ(s->pendingTo[0], 5);
  EXPECT_EQ(s->pendingText[0].str(), "「");
  EXPECT_EQ(s->targets[7].text4.str(), "」");

  // In the phrase of a pending span the closing bracket waits for the output step.
  build("m 「 pos=1/3; m 行く pos=2/1 conj=5/2; m 」 pos=1/4; m と pos=9/1; m 言う pos=2/1 conj=5/2; p 1-4 head=p2; p 5-5");
  copyLeadingSymbols(s);
  EXPECT_EQ(live(), "01111");
  EXPECT_TRUE(s->targets[6].text4.empty());

  // After a noun the closing bracket is not a clause's end.
  build("m 本 pos=6/1; m 」 pos=1/4; p 1-2");
  copyLeadingSymbols(s);
  EXPECT_EQ(live(), "11");

  // Without its counterpart a span runs to the last word; a long candidate is cut at a character.
  build("m 本 pos=6/1; m 『 pos=1/3 zh=" + ec(u8"甲乙") + "; m 本 pos=6/1; p 1-1 head=p2; p 2-3");
  copyLeadingSymbols(s);
  EXPECT_EQ(pendingFrom(), (std::vector<int>{2, 0, 0, 0}));
  EXPECT_EQ(s->pendingTo[0], 3);
  EXPECT_EQ(s->pendingText[0].str(), ec(u8"甲"));

  // An opening bracket inside its phrase opens nothing.
  build("m 本 pos=6/1; m 「 pos=1/3; m 本 pos=6/1; p 1-3");
  copyLeadingSymbols(s);
  EXPECT_EQ(live(), "111");
}

TEST_F(LeadingSymbols, AFifthOpeningBracketGetsNoEntry) {
  build("m 「 pos=1/3; m 「 pos=1/3; m 「 pos=1/3; m 「 pos=1/3; m 「 pos=1/3; m 本 pos=6/1; m 」 pos=1/4; p 1-7");
  copyLeadingSymbols(s);
  EXPECT_EQ(pendingFrom(), (std::vector<int>{1, 2, 3, 4}));
  for (int k = 0; k < kJcPendingCount; ++k) EXPECT_EQ(s->pendingTo[k], 7);
  EXPECT_EQ(live(), "0000111");
}

TEST_F(LeadingSymbols, TrailingBulletsCloseTheLastWordsPhrase) {
  const std::string x = ec(u8"甲"), y = ec(u8"乙");
  build("m 本 pos=6/1; m だ pos=14/7 conj=25/2; m ※ pos=1/6 zh=" + x + "; m ◎ pos=1/6 zh=" + y + "; p 1-4");
  copyLeadingSymbols(s);
  EXPECT_EQ(live(), "1100");
  EXPECT_EQ(s->targets[5].text4.str(), x + y);
  EXPECT_TRUE(s->output.empty());
}

TEST_F(LeadingSymbols, ConditionalsAreMarkedFirst) {
  build("m もし pos=8; m 降れ base=降る pos=2/1 conj=5/6; m ば pos=9/3; m 行く pos=2/1 conj=5/2; p 1-3 head=p2; p 4-4");
  copyLeadingSymbols(s);
  EXPECT_EQ(live(), "0111");
  EXPECT_EQ(s->targets[5].kind, 'j');
}

TEST_F(LeadingSymbols, PredicativeSuffixes) {
  build("m た pos=14/5; m ない pos=14/7; m らしい pos=14/6; m 人 pos=14/3; m 本 pos=6/5; p 1-5");
  const bool expected[] = {false, true, true, true, false, false, false};
  for (int i = 0; i <= 6; ++i) EXPECT_EQ(isPredicativeSuffix(s, i), expected[i]) << i;
  EXPECT_FALSE(isPredicativeSuffix(s, -1));
}

// 「本」を 読む。 through step 1 and the output: the pending bracket opens the span of 本.
TEST_F(LeadingSymbols, ABracketedSpanReachesTheChineseSentence) {
  // Symbols carry their Chinese as a candidate, as the analyser gives them.
  build("m 「 pos=1/3 zh=「; m 本 pos=6/1 zh=" + ec(u8"书") + "; m 」 pos=1/4 zh=」; m を pos=9/1; m 読む pos=2/1 conj=5/2 zh=" +
        ec(u8"读") + ":VT; m 。 pos=1/1; p 1-4 head=p2 label=D11; p 5-6; r 8 7 OBJ1");
  ASSERT_TRUE(resetOrderWalk(s));
  copyLeadingSymbols(s);
  retireWord(s, 4);  // the case particle belongs to a later step
  ASSERT_TRUE(expandAllTemplates(s));
  ASSERT_TRUE(moveClosingBrackets(s));
  ASSERT_TRUE(orderFromDefault(s));
  ASSERT_TRUE(emitSentence(s));
  const std::string expected = ec(u8"读「书」。");  // kept out of the macro's text
  EXPECT_EQ(s->output.str(), expected);
}

}  // namespace
}  // namespace jc
