// The rules さえ to それほど.
#include <string>

#include "engine/jc/rules/jc_pattern_rules_ka_to.h"
#include "engine/jc/rules/tests/rule_fixture.h"

namespace jc {
namespace {

class SaePatterns : public RuleTest {};

TEST_F(SaePatterns, SaeCasesInOrder) {
  struct Case {
    const char* sentence;
    const char* live;
    int node;
    Slot slotNo;
    const char* key1;
    const char* key2;
  } const cases[] = {
      {"m 金 pos=6/1; m さえ pos=9/2; m あれば base=ある pos=2/1 conj=5/6; m 幸せだ pos=3/2 conj=21/2; p 1-3; p 4-4", "1001",
       5, Slot::kConcession, "ruleSae.saeAreba", "ruleSae.saeArebaNoun"},
      {"m 謝り base=謝る pos=2/1 conj=1/7; m さえ pos=9/2; m すれば base=する pos=2/1 conj=16/6; p 1-3", "100", 4, Slot::kConcession,
       "ruleSae.saeSureba", nullptr},
      {"m 雨 pos=6/1; m さえ pos=9/2; m なければ base=ない pos=3/1 conj=18/5; p 1-3", "100", 4, Slot::kClauseOpener, "ruleSae.saeNakereba",
       nullptr},
      {"m 練習 pos=6/2; m さえ pos=9/2; m し base=する pos=2/1 conj=16/7; m なければ base=ない pos=14/7 conj=18/5; p 1-4",
       "1000", 5, Slot::kClauseOpener, "ruleSae.saeShiNakereba", nullptr},
      {"m 練習 pos=6/2; m さえ pos=9/2; m すれば base=する pos=2/1 conj=16/6; p 1-3", "100", 4, Slot::kClauseOpener,
       "ruleSae.saeConditional", nullptr},
      {"m 子供 pos=6/1; m さえ pos=9/2; m も pos=9/2; m 知る pos=2/1 conj=5/2; p 1-3 head=p2; p 4-4", "1001", 5, Slot::kClauseOpener,
       "ruleSae.even", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sentence);
    build(c.sentence);
    ruleSae(s);
    EXPECT_EQ(live(), c.live);
    EXPECT_EQ(slot(c.node, c.slotNo), word(c.key1) + (c.key2 ? word(c.key2) : std::string()));
    EXPECT_EQ(source(c.node, c.slotNo), 2);
  }
}

TEST_F(SaePatterns, ZuIsTakenWhateverFollows) {
  struct Case {
    const char* sentence;
    const char* live;
    int node;
    Slot slotNo;
    int source;
    const char* key1;
    const char* key2;
  } const cases[] = {
      // ずにはいられない: six words after the verb.
      {"m 笑わ base=笑う pos=2/1 conj=5/3; m ず pos=14/7 conj=27/3; m に pos=9/1; m は pos=9/2; m いる pos=2/1 conj=1/2;"
       "m られ base=られる pos=14/7 conj=1/7; m ない pos=14/7 conj=18/2; p 1-7",
       "1000000", 8, Slot::kModal, 1, "ruleZu.zuniwairarenaiFirst", "ruleZu.zuniwairarenaiSecond"},
      // ずにいる: three.
      {"m 笑わ base=笑う pos=2/1 conj=5/3; m ず pos=14/7 conj=27/3; m に pos=9/1; m いる pos=2/1 conj=1/2; m 。 pos=1/1;"
       "p 1-5",
       "10001", 6, Slot::kNegation, 2, "ruleZu.zuniiru", nullptr},
      // によらず: the phrase of に.
      {"m 年齢 pos=6/1; m に pos=9/1; m よら base=よる pos=2/1 conj=5/3; m ず pos=14/7 conj=27/3; m 採用 pos=6/2;"
       "p 1-4 head=p2; p 5-5",
       "10001", 6, Slot::kConcession, 2, "ruleZu.niyorazuFirst", "ruleZu.niyorazuSecond"},
      // のみならず: the root of the word before のみ.
      {"m 彼 pos=6/1; m のみ pos=9/2; m なら base=なる pos=2/1 conj=5/3; m ず pos=14/7 conj=27/3; m 私 pos=6/1;"
       "p 1-4 head=p2; p 5-5",
       "10001", 6, Slot::kConcession, 2, "ruleZu.nominarazu", nullptr},
      {"m 国内 pos=6/1; m のみ pos=9/2; m に pos=9/1; m とどまら base=とどまる pos=2/1 conj=5/3; m ず pos=14/7 conj=27/3;"
       "p 1-5",
       "10000", 6, Slot::kConcession, 2, "ruleZu.nitodomarazuFirst", "ruleZu.nitodomarazuSecond"},
      {"m 来 base=来る pos=2/1 conj=15/11; m おら base=おる pos=2/1 conj=5/3; m ず pos=14/7 conj=27/3; p 1-3", "110", 4, Slot::kNegation, 3,
       "ruleZu.teOrazu", nullptr},
      {"m 行か base=行く pos=2/1 conj=1/3; m ず pos=14/7 conj=27/3; m に pos=9/1; m 帰る pos=2/1 conj=5/2; p 1-3; p 4-4",
       "1001", 5, Slot::kNegation, 2, "ruleZu.zu", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sentence);
    build(c.sentence);
    ruleZu(s);
    EXPECT_EQ(live(), c.live);
    EXPECT_EQ(slot(c.node, c.slotNo), word(c.key1) + (c.key2 ? word(c.key2) : std::string()));
    EXPECT_EQ(source(c.node, c.slotNo), c.source);
  }
  // ずに: the verb the clause depends on takes 就.
  build("m 行か base=行く pos=2/1 conj=1/3; m ず pos=14/7 conj=27/3; m に pos=9/1; m 帰る pos=2/1 conj=5/2; p 1-3 head=p2; p 4-4");
  ruleZu(s);
  EXPECT_EQ(slot(6, Slot::kSequence), word("ruleZu.zuniThen"));
  EXPECT_EQ(slot(5, Slot::kSequence), "");
}

TEST_F(SaePatterns, ShikaNaiOnlyWhenItsPhraseDependsOnTheNegation) {
  const std::string words =
      "m 水 pos=6/1; m しか pos=9/2; m あり base=ある pos=2/1 conj=5/7; m ませ base=ます pos=14/7 conj=30/7;"
      "m ん base=ぬ pos=14/7 conj=27/2;";
  build(words + "p 1-2 head=p2; p 3-5");
  ruleShikaNai(s);
  EXPECT_EQ(live(), "10000");
  EXPECT_EQ(slot(6, Slot::kConcession), word("ruleShikaNai.arimasen"));
  EXPECT_EQ(source(6, Slot::kConcession), 2);
  build(words + "p 1-2; p 3-5");
  ruleShikaNai(s);
  EXPECT_EQ(live(), "11111");
  // After a counter the negation goes through its own rule.
  build("m 三 pos=6/7; m 人 pos=14/3; m しか pos=9/2; m 来 base=来る pos=2/1 conj=15/3; m ない pos=14/7 conj=18/2;"
        "p 1-3 head=p2; p 4-5");
  ruleShikaNai(s);
  EXPECT_EQ(live(), "11010");
  EXPECT_EQ(slot(6, Slot::kConcession), word("ruleShikaNai.count"));
}

TEST_F(SaePatterns, NiSuginaiMarksBothPhrasesAndEmptiesTheTemplate) {
  build("m 噂 pos=6/1; m に pos=9/1; m 過ぎ base=過ぎる pos=2/1 conj=1/7; m ない pos=14/7 conj=18/2;"
        "p 1-2 head=p2; p 3-4 tpl=X");
  ASSERT_EQ(s->targets[6].templateText.str(), "X");
  ruleSugiru(s);
  EXPECT_EQ(live(), "1000");
  EXPECT_EQ(slot(5, Slot::kCopula), word("ruleSugiru.niSuginaiFirst") + word("ruleSugiru.niSuginaiSecond"));
  EXPECT_EQ(source(5, Slot::kCopula), 2);
  EXPECT_EQ(s->targets[5].mark.str(), "*");
  EXPECT_EQ(s->targets[6].mark.str(), "*");
  EXPECT_EQ(s->targets[6].templateText.str(), "");
  build("m 高 base=高い pos=3/1 conj=18/1; m すぎる pos=14/7 conj=1/2; p 1-2");
  ruleSugiru(s);
  EXPECT_EQ(live(), "10");
  EXPECT_EQ(slot(3, Slot::kRestriction), word("ruleSugiru.adjective"));
}

TEST_F(SaePatterns, WordsLeftLiveAndRulesThatEnd) {
  // すら … ない: すら and the negation stay; も goes.
  build("m 名前 pos=6/1; m すら pos=9/2; m も pos=9/2; m 知ら base=知る pos=2/1 conj=5/3; m ない pos=14/7 conj=18/2;"
        "p 1-3 head=p2; p 4-5");
  ruleSuraNai(s);
  EXPECT_EQ(live(), "11011");
  EXPECT_EQ(slot(6, Slot::kConcession), word("ruleSuraNai.sura"));
  EXPECT_EQ(s->targets[6].headText.str(), word("ruleSuraNai.nai"));
  // それほど right before the negation: nothing.
  build("m それほど pos=8; m ない pos=3/1 conj=18/2; m それほど pos=8; m 高く base=高い pos=3/1 conj=18/6;"
        "m ない pos=14/7 conj=18/2");
  ruleSorehodo(s);
  EXPECT_EQ(live(), "11111");
  EXPECT_EQ(slot(3, Slot::kOwnRendering), "");
  build("m それほど pos=8; m でも pos=9/2; m 高く base=高い pos=3/1 conj=18/6; m ない pos=14/7 conj=18/2");
  ruleSorehodo(s);
  EXPECT_EQ(live(), "1010");
  EXPECT_EQ(slot(1, Slot::kOwnRendering), word("ruleSorehodo.sorehodo"));
  // さすが … だけあって renders さすが and takes the は after it.
  build("m さすが pos=8; m は pos=9/2; m 先生 pos=6/1; m だけ pos=9/2; m あって base=ある pos=2/1 conj=5/11");
  ruleSasugaDake(s);
  EXPECT_EQ(live(), "10111");
  EXPECT_EQ(slot(1, Slot::kOwnRendering), word("ruleSasugaDake.dakeatte"));
  // せい not followed by か ends the rule before a later せいか.
  build("m 雨 pos=6/1; m の pos=9/6; m せい pos=6/1; m だ pos=5 conj=25/2; m 疲れ base=疲れ pos=6/1; m の pos=9/6;"
        "m せい pos=6/1; m か pos=9/4");
  ruleSeiKa(s);
  EXPECT_EQ(live(), "11111111");
}

TEST_F(SaePatterns, SundenokotoniTakesOnlyTokoroDatta) {
  build("m もう少し pos=8; m で pos=9/1; m 死ぬ pos=2/1 conj=5/2; m ところ pos=6/1; m だった base=だ pos=5 conj=25/8");
  ruleSundenokotoni(s);
  EXPECT_EQ(live(), "11100");
  // Any other words around ところ stay.
  build("m もう少し pos=8; m 遅れる pos=2/1 conj=1/2; m ところ pos=6/1; m でした base=です pos=5 conj=29/8; m 。 pos=1/1");
  ruleSundenokotoni(s);
  EXPECT_EQ(live(), "11111");
}

TEST_F(SaePatterns, ShidaiAndSouniMoNai) {
  build("m 着き base=着く pos=2/1 conj=1/7; m 次第 pos=6/1; m 電話 pos=6/2; p 1-2; p 3-3");
  ruleShidai(s);
  EXPECT_EQ(live(), "101");
  EXPECT_EQ(slot(4, Slot::kNearAdverbial), word("ruleShidai.afterVerb"));
  EXPECT_EQ(s->targets[4].headText2.str(), word("ruleShidai.afterVerbTail"));
  build("m 降り base=降る pos=2/1 conj=1/7; m そう pos=14/5; m に pos=9/1; m も pos=9/2; m ない pos=3/1 conj=18/2; p 1-5");
  ruleSouniMoNai(s);
  EXPECT_EQ(live(), "10000");
  EXPECT_EQ(slot(6, Slot::kSeeming), word("ruleSouniMoNai.sounimonai"));
}

}  // namespace
}  // namespace jc
