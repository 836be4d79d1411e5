// Places 1-60 of the sentence patterns.
#include <string>
#include <vector>

#include "engine/jc/rules/jc_rule_kit.h"
#include "engine/jc/rules/jc_sentence_patterns.h"
#include "engine/jc/rules/tests/rule_fixture.h"

namespace jc {
namespace {

class PatternRules : public RuleTest {};

TEST_F(PatternRules, Rule005StopsAtTheFirstAtariThatIsNoSuffix) {
  build("m 駅 pos=6/1; m あたり pos=6/1; m 東京 pos=6/1; m あたり pos=14/2; p 1-2; p 3-4");
  patternRule005(s);
  EXPECT_EQ(live(), "1111");
  EXPECT_EQ(slot(6, Slot::kDistributive), "");
  build("m 東京 pos=6/1; m あたり pos=14/2; m 大阪 pos=6/1; m あたり pos=14/2; p 1-2; p 3-4");
  patternRule005(s);
  EXPECT_EQ(live(), "1010");
  EXPECT_EQ(slot(5, Slot::kDistributive), word("patternRule005.atari"));
  EXPECT_EQ(slot(6, Slot::kDistributive), word("patternRule005.atari"));
}

TEST_F(PatternRules, Rule018SkipsATriggerWhoseConditionFails) {
  build("m 三 pos=6/7; m 以上 pos=6/1; m 決めた base=決める pos=2/1 conj=1/8; m 以上 pos=6/1; m やる pos=2/1 conj=5/2;"
        "p 1-2 head=p2; p 3-4 head=p3; p 5-5");
  patternRule018(s);
  EXPECT_EQ(live(), "11101");
  EXPECT_EQ(slot(7, Slot::kConcession), word("patternRule018.ijou"));
  EXPECT_EQ(source(7, Slot::kConcession), 4);
  EXPECT_EQ(s->targets[7].kind, 'z');
}

TEST_F(PatternRules, Rule030NeedsTwoVolitionalPairsAndTakesNineAtMost) {
  build("m 行こう base=行く pos=2/1 conj=5/4; m が pos=9/3; m 行く pos=2/1 conj=5/2; p 1-2; p 3-3");
  patternRule030(s);
  EXPECT_EQ(live(), "111");
  EXPECT_EQ(s->targets[4].headText2.str(), "");

  std::string ten;
  for (int k = 0; k < 10; ++k) ten += "m 行こう base=行く pos=2/1 conj=5/4; m と pos=9/3;";
  ten += "m 勝手だ pos=3/2 conj=21/2;";
  for (int k = 0; k < 10; ++k) ten += "p " + std::to_string(2 * k + 1) + "-" + std::to_string(2 * k + 2) + " head=p11;";
  ten += "p 21-21";
  build(ten);
  patternRule030(s);
  EXPECT_EQ(live(), "101010101010101010111");
  for (int k = 0; k < 9; ++k) {
    EXPECT_EQ(s->targets[22 + k].headText2.str(), word("patternRule030.each")) << k;
    EXPECT_EQ(s->targets[22 + k].kind, 'z') << k;
  }
  EXPECT_EQ(s->targets[31].headText2.str(), "");
}

TEST_F(PatternRules, Rule044JoinsTheTwoAlternativesOfAChoice) {
  // 犬 か それとも 猫 か: the first か phrase depends on the second.
  const std::string choice =
      "m 犬 pos=6/1; m か pos=9/3; m それとも pos=10; m 猫 pos=6/1; m か pos=9/3; m 。 pos=1/1; p 1-2 head=p2; p 3-5; p 6-6";
  build(choice);
  patternRule044(s);
  EXPECT_EQ(live(), "100101");
  EXPECT_EQ(slot(7, Slot::kConcession), word("patternRule044.first"));
  EXPECT_EQ(slot(8, Slot::kConcession), word("patternRule044.second"));
  EXPECT_EQ(source(7, Slot::kConcession), 2);
  EXPECT_EQ(source(8, Slot::kConcession), 5);
  // Alternatives of different classes, or phrases that do not depend on each other: nothing.
  build("m 犬 pos=6/1; m か pos=9/3; m 走る pos=2/1 conj=5/2; m か pos=9/3; p 1-2 head=p2; p 3-4");
  patternRule044(s);
  EXPECT_EQ(live(), "1111");
  build("m 犬 pos=6/1; m か pos=9/3; m 猫 pos=6/1; m か pos=9/3; p 1-2; p 3-4");
  patternRule044(s);
  EXPECT_EQ(live(), "1111");
  // Each alternative followed by だ: the だ go too; それとも is not required.
  build("m 雨 pos=6/1; m だ pos=14/7 conj=25/2; m か pos=9/3; m 雪 pos=6/1; m だ pos=14/7 conj=25/2; m か pos=9/3;"
        "p 1-3 head=p2; p 4-6");
  patternRule044(s);
  EXPECT_EQ(live(), "100100");
}

struct DekiruCase {
  const char* what;
  const char* tail;  // the words after できる
  const char* live;
  const char* slot7;   // keys joined by '+'
  int source;
  int override = 0;
};

TEST_F(PatternRules, Rule054ChoosesThePotentialByWhatFollows) {
  const DekiruCase cases[] = {
      {"plain", "m できる pos=2/1 conj=14/2; m 。 pos=1/1", "10001", "patternRule054.can", 4},
      {"ませ + ぬ", "m でき base=できる pos=2/1 conj=14/7; m ませ base=ます pos=14/7 conj=30/7; m ん base=ぬ pos=14/7 conj=27/2",
       "100000", "patternRule054.not1+patternRule054.not2", 5},
      {"ない", "m でき base=できる pos=2/1 conj=14/3; m ない pos=14/7 conj=18/2; m 。 pos=1/1", "100001",
       "patternRule054.not1+patternRule054.not2", 5},
      {"ない under the override", "m でき base=できる pos=2/1 conj=14/3; m ない pos=14/7 conj=18/2; m 。 pos=1/1", "100001",
       "writeTargetSlot.overrideWord+patternRule054.not2", 5, 1},
      {"なく + なる", "m でき base=できる pos=2/1 conj=14/3; m なく base=ない pos=14/7 conj=18/6; m なった base=なる pos=2/1 conj=5/8",
       "100000", "patternRule054.becomeUnable", 5},
  };
  for (const DekiruCase& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string words = std::string("m 泳ぐ pos=2/1 conj=5/2; m こと pos=6/8; m が pos=9/1; ") + c.tail;
    int count = 0;
    for (std::size_t at = 0; (at = words.find("m ", at)) != std::string::npos; at += 2) ++count;
    build(words + "; p 1-1 head=p2; p 2-3 head=p3; p 4-" + std::to_string(count));
    const int p1 = s->lastMorpheme + 1, p2 = p1 + 1;
    s->slotOverride = c.override;
    patternRule054(s);
    std::string expected;
    for (std::string keys = c.slot7; !keys.empty();) {
      const std::size_t plus = keys.find('+');
      expected += word(keys.substr(0, plus).c_str());
      keys = plus == std::string::npos ? "" : keys.substr(plus + 1);
    }
    EXPECT_EQ(live(), c.live);
    EXPECT_EQ(slot(p2, Slot::kNegation), expected);
    EXPECT_EQ(source(p2, Slot::kNegation), c.source);
    EXPECT_EQ(s->targets[p1].kind, 'z');
    EXPECT_EQ(s->slotOverride, 0);
  }
  // なく + なる in the ta-form also writes the head word.
  build("m 泳ぐ pos=2/1 conj=5/2; m こと pos=6/8; m が pos=9/1; m でき base=できる pos=2/1 conj=14/3;"
        "m なく base=ない pos=14/7 conj=18/6; m なった base=なる pos=2/1 conj=5/8; p 1-1 head=p2; p 2-3 head=p3; p 4-6");
  patternRule054(s);
  EXPECT_EQ(s->targets[8].headText.str(), word("patternRule054.became"));
}

}  // namespace
}  // namespace jc

namespace jc {
namespace {

struct Write {
  int node;
  Slot slot;
  const char* key;  // "" for an empty slot
  int source = -1;  // -1: not checked
};

struct RuleCase {
  const char* what;
  void (*rule)(JcSentence*);
  const char* sentence;
  const char* live;
  std::vector<Write> writes;
};

TEST_F(PatternRules, RulesOfTheFamilyRenderAndRetire) {
  const RuleCase cases[] = {
      {"あげくの果てに after a ta-form", patternRule003,
       "m 迷った base=迷う pos=2/1 conj=5/8; m あげく pos=6/1; m の pos=9/1; m 果て pos=6/1; m に pos=9/1; m 決めた base=決める pos=2/1 conj=1/8",
       "110001", {{2, Slot::kOwnRendering, "patternRule003.ageku"}}},
      {"まるで + nominal + の + ようだ", patternRule004, "m まるで pos=8; m 夢 pos=6/1; m の pos=9/1; m ようだ pos=14/7 conj=25/2",
       "1101", {{1, Slot::kOwnRendering, "patternRule004.adverb"}, {4, Slot::kOwnRendering, "patternRule004.youda"}}},
      {"まるで + nominal + の + か + の + ようだ", patternRule004,
       "m まるで pos=8; m 夢 pos=6/1; m の pos=9/1; m か pos=9/3; m の pos=9/1; m ようだ pos=14/7 conj=25/2", "110001",
       {{6, Slot::kOwnRendering, "patternRule004.youda"}}},
      {"まるで + verb + ようだ", patternRule004,
       "m まるで pos=8; m 夢見る pos=2/1 conj=1/2; m ようだ pos=14/7 conj=25/2", "111",
       {{1, Slot::kOwnRendering, "patternRule004.adverb"}, {3, Slot::kOwnRendering, "patternRule004.youda"}}},
      {"危うく … ところ … ところだった: the later ところ", patternRule009,
       "m 危うく pos=8; m 帰る pos=2/1 conj=5/2; m ところ pos=6/1; m で pos=9/1; m 転ぶ pos=2/1 conj=5/2; m ところ pos=6/1;"
       "m だった base=だ pos=5 conj=25/8",
       "1111100", {{1, Slot::kOwnRendering, "patternRule009.adverb"}}},
      {"一面では … 他面 … 他面では: the later 他面", patternRule021,
       "m 一面 pos=6/1; m では pos=9/1; m 他面 pos=6/1; m も pos=9/2; m 他面 pos=6/1; m では pos=9/1; m 違う pos=2/1 conj=5/2",
       "1011101", {{1, Slot::kOwnRendering, "patternRule021.ichimen"}, {5, Slot::kOwnRendering, "patternRule021.tamen"},
                   {3, Slot::kOwnRendering, ""}}},
      {"今にも … そうだ … そうだ after a continuative: the later そうだ", patternRule023,
       "m 今にも pos=8; m 雨 pos=6/1; m そうだ pos=14/7 conj=25/2; m 降り base=降る pos=2/1 conj=5/7;"
       "m そうだ pos=14/7 conj=25/2", "11110", {{1, Slot::kOwnRendering, "patternRule023.adverb"}}},
      {"あっての", patternRule006,
       "m 健康 pos=6/1; m あって base=ある pos=2/1 conj=1/11; m の pos=9/1; m 人生 pos=6/1; p 1-3 head=p2; p 4-4", "1011",
       {{5, Slot::kCopula, "patternRule006.atte", 2}, {3, Slot::kOwnRendering, "patternRule006.no"}}},
      {"かもしれない and あるいは", patternRule010,
       "m あるいは pos=8; m 雨 pos=6/1; m かもしれない pos=14/7 conj=18/2; p 1-1 head=p2; p 2-3", "010",
       {{5, Slot::kClauseOpener, "patternRule010.kamoshirenai", 3}}},
      {"た上で after an adnominal predicate", patternRule026,
       "m 調べた base=調べる pos=2/1 conj=1/8; m 上 pos=6/1; m で pos=9/1; m 決める pos=2/1 conj=1/2; p 1-3 head=p2; p 4-4", "1001",
       {{5, Slot::kPreposition, "patternRule026.deSlot", 2}}},
      {"得る + ない after a continuative", patternRule037,
       "m 考え base=考える pos=2/1 conj=1/7; m 得 base=得る pos=2/1 conj=1/3; m ない pos=14/7 conj=18/2; p 1-3", "100",
       {{4, Slot::kModal, "patternRule037.cannot", 2}}},
      {"nominal + の + おかげ + で", patternRule038,
       "m 先生 pos=6/1; m の pos=9/1; m おかげ pos=6/1; m で pos=9/1; m 合格した base=合格する pos=2/1 conj=16/8;"
       "p 1-4 head=p2; p 5-5",
       "10101", {{6, Slot::kConcession, "patternRule038.afterNo", 3}, {3, Slot::kOwnRendering, ""}}},
      {"限り after an adnominal predicate", patternRule045,
       "m 生きる pos=2/1 conj=1/2; m 限り pos=6/1; m 頑張る pos=2/1 conj=5/2; p 1-2 head=p2; p 3-3", "101",
       {{4, Slot::kClauseOpener, "patternRule045.kagiri", 2}, {5, Slot::kConcession, "patternRule045.final", 2}}},
      {"限りでは is left for rule 047", patternRule045,
       "m 知る pos=2/1 conj=5/2; m 限り pos=6/1; m で pos=9/1; m は pos=9/2; m 正しい pos=3/1 conj=18/2; p 1-4 head=p2; p 5-5",
       "11111", {{6, Slot::kClauseOpener, ""}}},
      {"限りでは", patternRule047,
       "m 知る pos=2/1 conj=5/2; m 限り pos=6/1; m で pos=9/1; m は pos=9/2; m 正しい pos=3/1 conj=18/2; p 1-4 head=p2; p 5-5",
       "10001", {{6, Slot::kClauseOpener, "patternRule047.kagiriDewa", 2}}},
      {"かどうか", patternRule052,
       "m 来る pos=2/1 conj=15/2; m か pos=9/3; m どうか pos=8; m 知らない pos=2/1 conj=5/2; p 1-3 head=p2; p 4-4", "1001",
       {{5, Slot::kAfterSubject, "patternRule052.kadouka", 3}}},
      {"そうだ after an i-adjective stem", patternRule057, "m 高 base=高い pos=3 conj=18/1; m そうだ pos=14/7 conj=25/2; p 1-2",
       "10", {{3, Slot::kSeeming, "patternRule057.adjective"}}},
      {"てみる", patternRule060, "m 食べて base=食べる pos=2/1 conj=1/11; m みる pos=2/1 conj=1/2; p 1-2", "10",
       {{3, Slot::kCopula, "patternRule060.temiru", 2}}},
      {"てみる after a base form is skipped", patternRule060, "m 食べる pos=2/1 conj=1/2; m みる pos=2/1 conj=1/2; p 1-2", "11",
       {{3, Slot::kCopula, ""}}},
  };
  for (const RuleCase& c : cases) {
    SCOPED_TRACE(c.what);
    build(c.sentence);
    c.rule(s);
    EXPECT_EQ(live(), c.live);
    for (const Write& w : c.writes) {
      EXPECT_EQ(slot(w.node, w.slot), *w.key ? word(w.key) : "") << "node " << w.node << " slot " << w.slot;
      if (w.source >= 0) {
        EXPECT_EQ(source(w.node, w.slot), w.source) << "node " << w.node << " slot " << w.slot;
      }
    }
  }
  // The head texts of た上で and the kinds of おかげ.
  build("m 調べた base=調べる pos=2/1 conj=1/8; m 上 pos=6/1; m で pos=9/1; m 決める pos=2/1 conj=1/2; p 1-3 head=p2; p 4-4");
  patternRule026(s);
  EXPECT_EQ(s->targets[5].headText.str(), word("patternRule026.deHead") + word("patternRule026.deHeadMore"));
  EXPECT_EQ(s->targets[5].kind, 'z');
}

}  // namespace
}  // namespace jc
