#include "engine/jc/rules/jc_suffix_rules.h"

#include <vector>

#include "engine/jc/core/jc_predicates_search.h"
#include "engine/jc/core/jc_sentence_output.h"
#include "engine/jc/core/jc_template_expansion.h"
#include "engine/jc/rules/jc_leading_symbols.h"
#include "engine/jc/rules/jc_rule_kit.h"
#include "engine/jc/rules/tests/rule_fixture.h"

namespace jc {
namespace {

using namespace suffix_keys;

// A slot that a case expects filled: node, slot, text, and the source index (-1: not checked).
struct Write {
  int node;
  Slot slot;
  std::string text;
  int source = -1;
};
struct Case {
  const char* what;
  std::string sentence;
  const char* live;
  std::vector<Write> writes;
};

class SuffixRules : public RuleTest {
 protected:
  void check(const Case& c) {
    SCOPED_TRACE(c.what);
    build(c.sentence);
    applySuffixRules(s);
    EXPECT_EQ(live(), c.live);
    for (const Write& w : c.writes) {
      EXPECT_EQ(slot(w.node, w.slot), w.text) << "node " << w.node << " slot " << w.slot;
      if (w.source >= 0) {
        EXPECT_EQ(source(w.node, w.slot), w.source) << "node " << w.node << " slot " << w.slot;
      }
    }
  }
};

// Frame slots of the phrase a suffix attaches to, and the words consumed with it.
TEST_F(SuffixRules, SuffixesFillTheSlotsOfTheirPhrase) {
  const Case cases[] = {
      {"かねない: the 4-byte word overwrites the negation",
       "m 言い base=言う pos=2/1 conj=5/7; m かね base=かねる pos=14/7 conj=2/7 zh=\\x88\\x9F:V1;"
       "m ない pos=14/7 conj=18/2; p 1-3",
       "100",
       {{4, Slot::kAfterSubject, word(kKanenai), 2}, {4, Slot::kNegation, ""}}},
      {"すぎない: the negation of a generic suffix",
       "m 高 base=高い pos=3 conj=18/1; m すぎ base=すぎる pos=14/7 conj=2/7 zh=\\x88\\x9F:A;"
       "m ない pos=14/7 conj=18/2; p 1-3",
       "100",
       {{4, Slot::kAfterSubject, word(kNegation), 3}}},
      {"ぶり after a span of time", "m 年 pos=6/1 sem=11620; m ぶり pos=14/3 zh=\\x88\\x9F:N; p 1-2", "10",
       {{3, Slot::kCopula, word(kBuriTime), 2}}},
      {"ぶり after a noun keeps its own word", "m 学生 pos=6/1 sem=12000; m ぶり pos=14/3; p 1-2", "11",
       {{2, Slot::kOwnRendering, word(kBuriNoun)}, {3, Slot::kCopula, ""}}},
      {"あてに before the verb",
       "m 友達 pos=6/1; m あて pos=14/3; m に pos=9/1; m 書く pos=2/1 conj=5/2; p 1-3 head=p2 label=D7; p 4-4",
       "1001",
       {{5, Slot::kPreposition, word(kAteTo), 2}}},
      {"あて alone", "m 先生 pos=6/1; m 宛 pos=14/3; p 1-2", "11", {{2, Slot::kOwnRendering, word(kAteAlone)}}},
      {"たい", "m 行き base=行く pos=2/1 conj=5/7; m たい pos=14/7 conj=18/2; p 1-2", "10",
       {{3, Slot::kModal, word(kDesire), 2}}},
      {"れない in class 2",
       "m 読ま base=読む pos=2/1 conj=5/3; m れ base=れる pos=14/7 conj=32/7; m ない pos=14/7 conj=18/2; p 1-3 class=2",
       "100",
       {{4, Slot::kPreposition, word(kPassiveNegation), 3}, {4, Slot::kPassive, word(kPassive2), 2}}},
      {"れない in class 5: the passive follows the negation",
       "m 読ま base=読む pos=2/1 conj=5/3; m れ base=れる pos=14/7 conj=32/7; m ない pos=14/7 conj=18/2; p 1-3 class=5",
       "100",
       {{4, Slot::kPreposition, word(kPassiveNegation) + word(kPassive5), 2}, {4, Slot::kPassive, ""}}},
      {"せる", "m 行か base=行く pos=2/1 conj=5/3; m せる pos=14/7 conj=2/2; p 1-2", "10",
       {{3, Slot::kPassive, word(kCausative)}}},
      {"a punctuation suffix is its own surface", "m 本 pos=6/1; m 、 pos=14/1; p 1-2", "10", {{2, Slot::kOwnRendering, "、"}}},
      {"a suffix of valency T goes to kCopula",
       "m 本 pos=6/1; m 類 pos=14/1 zh=\\x88\\x9F:T; m 類 pos=14/1 zh=\\x88\\xA0:TT; p 1-3", "101",
       {{4, Slot::kCopula, "\x88\x9F", 2}}},
  };
  for (const Case& c : cases) check(c);
}

TEST_F(SuffixRules, TheNegationTakesTheFirstCaseThatApplies) {
  const std::string v = "m 行か base=行く pos=2/1 conj=5/3;";
  const Case cases[] = {
      {"ないでください", v + "m ないで base=ない pos=14/7 conj=18/10; m ください base=くださる pos=2/1 conj=5/5; p 1-3",
       "101", {{4, Slot::kAfterSubject, word(kProhibition), 2}}},
      {"行くな: the な read before it is consumed", "m 行く pos=2/1 conj=5/2; m な base=ない pos=14/7 conj=18/2; p 1-2",
       "10", {{3, Slot::kAfterSubject, word(kProhibition), 2}, {3, Slot::kNegation, ""}}},
      {"ないでね", v + "m ないで base=ない pos=14/7 conj=18/10; m ね pos=9/4; p 1-3", "101", {{4, Slot::kAfterSubject, word(kRequest), 2}}},
      {"できない", "m でき base=できる pos=2/2 conj=4/7; m ない pos=14/7 conj=18/2; p 1-2", "00",
       {{3, Slot::kModal, word(kCannot1) + word(kCannot2), 2}}},
      {"ではない", "m 学生 pos=6/1; m で base=だ pos=14/7 conj=25/11; m は pos=9/2; m ない pos=14/7 conj=18/2; p 1-4",
       "1000", {{5, Slot::kNegation, word(kNot), 2}}},
      {"でない", "m 静か pos=3/2 conj=21/1; m で base=だ pos=14/7 conj=25/11; m ない pos=14/7 conj=18/2; p 1-3", "100",
       {{4, Slot::kNegation, word(kNot), 3}}},
      {"ではありません",
       "m 学生 pos=6/1; m で base=だ pos=14/7 conj=25/11; m は pos=9/2; m あり base=ある pos=2/2 conj=10/7;"
       "m ませ base=ます pos=14/7 conj=31/3; m ん base=ぬ pos=14/7 conj=27/10; p 1-6",
       "100000", {{7, Slot::kNegation, word(kNot), 6}}},
      {"高くはありません",
       "m 高く base=高い pos=3 conj=18/6; m は pos=9/2; m あり base=ある pos=2/2 conj=10/7;"
       "m ませ base=ます pos=14/7 conj=31/3; m ん base=ぬ pos=14/7 conj=27/10; p 1-5",
       "10000", {{6, Slot::kNegation, word(kNot), 5}}},
      {"本がありません",
       "m 本 pos=6/1; m が pos=9/1; m あり base=ある pos=2/2 conj=10/7;"
       "m ませ base=ます pos=14/7 conj=31/3; m ん base=ぬ pos=14/7 conj=27/10; p 1-2 head=p2; p 3-5",
       "11110", {{7, Slot::kNegation, word(kNotExisting), 5}}},
      {"a negation alone in its phrase", "m 本 pos=6/1; m ない pos=14/7 conj=18/2; p 1-1 head=p2; p 2-2", "10",
       {{4, Slot::kNegation, word(kNot), 2}}},
      {"食べていません",
       "m 食べて base=食べる pos=2/1 conj=2/11; m い base=いる pos=14/7 conj=2/7;"
       "m ませ base=ます pos=14/7 conj=31/3; m ん base=ぬ pos=14/7 conj=27/10; p 1-4",
       "1000", {{5, Slot::kNegation, word(kNotYet), 4}}},
      {"知っていません",
       "m 知って base=知る pos=2/1 conj=5/11; m い base=いる pos=14/7 conj=2/7;"
       "m ませ base=ます pos=14/7 conj=31/3; m ん base=ぬ pos=14/7 conj=27/10; p 1-4",
       "1000", {{5, Slot::kNegation, word(kNotYetKnow), 4}}},
      {"食べてない", "m 食べて base=食べる pos=2/1 conj=2/11; m ない pos=14/7 conj=18/2; p 1-2", "10",
       {{3, Slot::kNegation, word(kNotYet), 2}}},
      {"食べていない", "m 食べて base=食べる pos=2/1 conj=2/11; m い base=いる pos=14/7 conj=2/7; m ない pos=14/7 conj=18/2; p 1-3",
       "100", {{4, Slot::kNegation, word(kNotYet), 3}}},
      {"いない without a te-form", "m 彼 pos=6/1; m は pos=9/2; m い base=いる pos=2/1 conj=2/7; m ない pos=14/7 conj=18/2;"
       "p 1-2 head=p2; p 3-4", "1110", {{6, Slot::kNegation, word(kNot), 4}}},
      {"行かない", v + "m ない pos=14/7 conj=18/2; p 1-2", "10", {{3, Slot::kNegation, word(kNot), 2}}},
      {"行かなかった", v + "m なかっ base=ない pos=14/7 conj=18/7; m た pos=14/7 conj=26/2; p 1-3", "101",
       {{4, Slot::kNegation, word(kPast), 2}}},
      {"知らなかった", "m 知ら base=知る pos=2/1 conj=5/3; m なかっ base=ない pos=14/7 conj=18/7; m た pos=14/7 conj=26/2; p 1-3",
       "101", {{4, Slot::kNegation, word(kPastKnow), 2}}},
      {"読みませんでした: the polite past negation",
       "m 読み base=読む pos=2/1 conj=9/7; m ませ base=ます pos=5 conj=31/3; m ん base=ぬ pos=14/5 conj=27/10;"
       "m でした base=だ pos=4 conj=25/27; p 1-4",
       "1101", {{5, Slot::kNegation, word(kPast), 3}}},
  };
  for (const Case& c : cases) check(c);
}

TEST_F(SuffixRules, TheProgressiveReadsTheVerbsAspectDigits) {
  struct Aspect {
    const char* suffix;  // the いる morpheme and what follows it
    const char* extra;
    std::string headText;
    char aspectB;
  };
  const Aspect cases[] = {
      {"m いる base=いる pos=14/7 conj=2/2", "12", word(kAspect1), 'A'},
      {"m いた base=いる pos=14/7 conj=2/8", "12", word(kAspect2), 'A'},
      {"m い base=いる pos=14/7 conj=2/7; m ました base=ます pos=14/7 conj=31/8", "12", word(kAspect2), 'A'},
      {"m いる base=いる pos=14/7 conj=2/2", "3", "", 'B'},
      {"m いた base=いる pos=14/7 conj=2/8", "3", "", 'A'},  // no second digit
      {"m いる base=いる pos=14/7 conj=2/2", "0", "", 'A'},
      // A verb without aspect digits, and a negated progressive: only the suffix goes.
      {"m いる base=いる pos=14/7 conj=2/2", "", "", 'A'},
      {"m い base=いる pos=14/7 conj=2/7; m ない pos=14/7 conj=18/2", "12", "", 'A'},
  };
  for (const Aspect& c : cases) {
    SCOPED_TRACE(std::string(c.suffix) + " extra " + c.extra);
    build(std::string("m 読んで base=読む pos=2/1 conj=5/11 zh=\\x88\\x9F:VT:") + c.extra + "; " + c.suffix + "; p 1-" +
          (std::string(c.suffix).find("; m") != std::string::npos ? "3" : "2"));
    applySuffixRules(s);
    EXPECT_EQ(s->targets[2].live, 0);
    EXPECT_EQ(s->targets[1].headText.str(), c.headText);
    EXPECT_EQ(s->targets[1].aspectB, c.aspectB);
  }
}

TEST_F(SuffixRules, GenericSuffixWithoutCandidateOnlyMarksItsPhrase) {
  build("m 高 base=高い pos=3 conj=18/1; m すぎ base=すぎる pos=14/7 conj=2/7; p 1-2 kind=t");
  applySuffixRules(s);
  EXPECT_EQ(live(), "11");
  EXPECT_EQ(s->targets[3].kind, 'z');
}

TEST_F(SuffixRules, ARetiredSuffixIsNotVisited) {
  build("m 行か base=行く pos=2/1 conj=5/3; m ない pos=14/7 conj=18/2; p 1-2");
  s->targets[2].live = 0;
  applySuffixRules(s);
  EXPECT_EQ(slot(3, Slot::kNegation), "");
}

TEST_F(SuffixRules, TheOverrideCounterTakesTheWritersWrites) {
  // The negation of すぎない goes through the writer, the word of かねない does not.
  build("m 高 base=高い pos=3 conj=18/1; m すぎ base=すぎる pos=14/7 conj=2/7 zh=\\x88\\x9F:A;"
        "m ない pos=14/7 conj=18/2; m 言い base=言う pos=2/1 conj=5/7; m かね base=かねる pos=14/7 conj=2/7 zh=\\x88\\x9F:A;"
        "m ない pos=14/7 conj=18/2; p 1-3 head=p2; p 4-6");
  s->slotOverride = 2;
  applySuffixRules(s);
  EXPECT_EQ(slot(7, Slot::kAfterSubject), word(kOverrideWordKey));
  EXPECT_EQ(slot(8, Slot::kAfterSubject), word(kKanenai));
  EXPECT_EQ(s->slotOverride, 0);
}

TEST_F(SuffixRules, ASplitEquivalentIsCutAtWholeCharacters) {
  // 12 characters before the mark: kNearAdverbial keeps 9; the rest goes after the head.
  const std::string before = ec(u8"一二三四五六七八九十百千"), after = ec(u8"万");
  build("m 手 pos=6/1; m 入り pos=14/3 zh=" + before + word(kSplitMark) + after + ":VT1; p 1-2");
  s->targets[3].headText = ec(u8"甲");
  applySuffixRules(s);
  EXPECT_EQ(slot(3, Slot::kNearAdverbial), ec(u8"一二三四五六七八九"));
  EXPECT_EQ(source(3, Slot::kNearAdverbial), 2);
  EXPECT_EQ(s->targets[3].headText.str(), ec(u8"甲") + after);
  // headText holds 79 bytes: a long rest is cut at a whole character too.
  s->targets[3].headText = "a" + std::string(77, 'b');
  s->targets[2].live = 1;
  applySuffixRules(s);
  EXPECT_EQ(s->targets[3].headText.str(), "a" + std::string(77, 'b'));
}

TEST_F(SuffixRules, PrepareSettlesTheNoBeforePlaceAndPersonWords) {
  const Case cases[] = {
      {"三人の学生", "m 三 pos=6/7; m 人 pos=14/3; m の pos=9/1; m 学生 pos=6/1 sem=12000; p 1-3 head=p2; p 4-4", "1001", {}},
      {"三人の本 (no person)", "m 三 pos=6/7; m 人 pos=14/3; m の pos=9/1; m 本 pos=6/1 sem=13000; p 1-3 head=p2; p 4-4",
       "1111", {}},
      {"駅の前", "m 東京 pos=6/1; m 駅 pos=14/3 sem=11960; m の pos=9/1; m 前 pos=6/1; p 1-3 head=p2; p 4-4", "1101", {}},
      {"机の上", "m 机 pos=6/1; m の pos=9/1; m 上 pos=6/1; p 1-2 head=p2; p 3-3", "101", {}},
      {"机の本", "m 机 pos=6/1; m の pos=9/1; m 本 pos=6/1; p 1-2 head=p2; p 3-3", "111", {}},
  };
  for (const Case& c : cases) check(c);
  build("m 東京 pos=6/1; m 駅 pos=14/3 sem=11960; m の pos=9/1; m 前 pos=6/1; p 1-3 head=p2 kind=t; p 4-4");
  prepareSuffixes(s);
  EXPECT_EQ(s->targets[5].kind, 'z');
  // A の that already has its own word stays.
  build("m 東京 pos=6/1; m 駅 pos=14/3 sem=11960; m の pos=9/1 slot17=\\x88\\x9F; m 本 pos=6/1; p 1-3 head=p2; p 4-4");
  prepareSuffixes(s);
  EXPECT_EQ(live(), "1111");
}

TEST_F(SuffixRules, DesireTakesItsObjectAsItStands) {
  build("m 水 pos=6/1; m が pos=9/1; m 飲み base=飲む pos=2/1 conj=5/7 slot17=\\x88\\x9F; m たい pos=14/7 conj=18/2;"
        "p 1-2 head=p2 label=D1; p 3-4 tpl=\\x88\\xA0{5}");
  s->targets[5].mark = "K";
  s->targets[6].mark = "K";
  applySuffixRules(s);
  EXPECT_EQ(slot(6, Slot::kModal), word(kDesire));
  EXPECT_EQ(s->targets[5].mark.str(), "*");
  EXPECT_EQ(s->targets[6].mark.str(), "*");
  EXPECT_TRUE(s->targets[6].templateText.empty());
  EXPECT_EQ(slot(3, Slot::kOwnRendering), "");
  // Without a marked が phrase the template stays.
  build("m 水 pos=6/1; m を pos=9/1; m 飲み base=飲む pos=2/1 conj=5/7; m たい pos=14/7 conj=18/2;"
        "p 1-2 head=p2 label=D11; p 3-4 tpl=\\x88\\xA0{5}");
  s->targets[5].mark = "K";
  s->targets[6].mark = "K";
  applySuffixRules(s);
  EXPECT_EQ(s->targets[6].mark.str(), "K");
  EXPECT_FALSE(s->targets[6].templateText.empty());
}

// 私は 本を 読まない。 through step 1, step 5 and the output.
TEST_F(SuffixRules, TheNegationReachesTheChineseSentence) {
  build("m 私 pos=6/1 zh=" + ec(u8"我") + "; m は pos=9/2; m 本 pos=6/1 zh=" + ec(u8"书") +
        "; m を pos=9/1; m 読ま base=読む pos=2/1 conj=5/3 zh=" + ec(u8"读") +
        ":VT; m ない pos=14/7 conj=18/2; m 。 pos=1/1;"
        "p 1-2 head=p3 label=D1; p 3-4 head=p3 label=D11; p 5-7; r 10 8 SUB; r 10 9 OBJ1");
  ASSERT_TRUE(resetOrderWalk(s));
  copyLeadingSymbols(s);
  applySuffixRules(s);
  retireWord(s, 2);  // the case particles belong to a later step
  retireWord(s, 4);
  ASSERT_TRUE(expandAllTemplates(s));
  ASSERT_TRUE(moveClosingBrackets(s));
  ASSERT_TRUE(orderFromDefault(s));
  ASSERT_TRUE(emitSentence(s));
  const std::string expected = ec(u8"我") + word(kNot) + ec(u8"读书。");  // kept out of the macro's text
  EXPECT_EQ(s->output.str(), expected);
}

}  // namespace
}  // namespace jc
