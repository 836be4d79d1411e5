// One sentence for each of the smaller rules from か to という: the words taken and the text written.
#include <string>

#include "engine/jc/rules/jc_pattern_rules_ka_to.h"
#include "engine/jc/rules/jc_sentence_patterns.h"
#include "engine/jc/rules/tests/rule_fixture.h"

namespace jc {
namespace {

class KaToRuleTable : public RuleTest {
 protected:
};

struct RuleCase {
  void (*rule)(JcSentence*);
  const char* sentence;
  const char* live;
  int node;  // 0: nothing is written
  Field slotNo;
  int source;
  const char* key1;
  const char* key2;
};

TEST_F(KaToRuleTable, EachRuleOnItsExpression) {
  const RuleCase cases[] = {
      {ruleKuseni, "m 知る pos=2/1 conj=1/2; m くせ pos=6/1; m に pos=9/1; m 黙る pos=2/1 conj=5/2; p 1-3; p 4-4", "1001", 5,
       Slot::kConcession, 2, "ruleKuseni.afterClause", nullptr},
      {ruleKuraiDa, "m 泣く pos=2/1 conj=5/2; m くらい pos=9/2; m だ pos=5 conj=25/2; p 1-3", "111", 4, Slot::kClauseOpener, 2,
       "ruleKuraiDa.kurai", nullptr},
      {ruleKosoImperative,
       "m 今度 pos=6/10; m こそ pos=9/2; m 頑張れ base=頑張る pos=2/1 conj=5/5; p 1-2 head=p2; p 3-3", "101", 4, Slot::kConcession, 2,
       "ruleKosoImperative.koso", nullptr},
      {ruleSaini, "m 出発 pos=6/2; m の pos=9/6; m 際 pos=6/1; m に pos=9/1; m 連絡 pos=6/2; p 1-4 head=p2; p 5-5", "11001", 6,
       Text::kHeadText2, -1, "ruleSaini.saini", nullptr},
      {ruleSanagara, "m さながら pos=8; m 夢 pos=6/1; m の pos=9/6; m ようだ pos=5 conj=25/2", "1111", 4, Slot::kOwnRendering, -1,
       "ruleSanagara.youda", nullptr},
      {ruleJikanShitara,
       "m 一時間 pos=6/10; m したら base=する pos=2/1 conj=16/10; m 帰る pos=2/1 conj=5/2; p 1-2 head=p2; p 3-3", "101", 4,
       Text::kHeadText, -1, "ruleJikanShitara.shitaraTail", nullptr},
      {ruleShina, "m 帰り base=帰る pos=2/1 conj=5/7; m しな pos=14/2; m に pos=9/1; m 寄る pos=2/1 conj=5/2; p 1-3 head=p2; p 4-4",
       "1001", 5, Slot::kAfterSubject, 2, "ruleShina.slot1", nullptr},
      {ruleSemete, "m せめて pos=8; m 一度 pos=6/1; m だけ pos=9/2; m でも pos=9/2; m 会いたい pos=2/1 conj=1/2", "11001", 1,
       Slot::kOwnRendering, -1, "ruleSemete.dakedemo", nullptr},
      // ぐらい keeps the verb after it; a particle after it goes too.
      {ruleSemete, "m せめて pos=8; m 一日 pos=6/10; m ぐらい pos=9/2; m 休み base=休む pos=2/1 conj=5/7; m たい pos=14/7 conj=18/2",
       "11011", 1, Slot::kOwnRendering, -1, "ruleSemete.gurai", nullptr},
      {ruleSemete, "m せめて pos=8; m 一日 pos=6/10; m ぐらい pos=9/2; m は pos=9/2; m 休み base=休む pos=2/1 conj=5/7;"
       "m たい pos=14/7 conj=18/2", "110011", 1, Slot::kOwnRendering, -1, "ruleSemete.gurai", nullptr},
      {ruleSouNara,
       "m 降り base=降る pos=2/1 conj=5/7; m そう pos=14/5; m なら pos=5 conj=25/6; m 傘 pos=6/1; p 1-3 head=p2; p 4-4",
       "1001", 5, Slot::kClauseOpener, 2, "ruleSouNara.sounara", nullptr},
      {ruleSouniNaru,
       "m 倒れ base=倒れる pos=2/1 conj=1/7; m そう pos=14/5; m に pos=9/1; m なった base=なる pos=2/1 conj=5/8; p 1-4",
       "1000", 5, Slot::kConcession, 2, "ruleSouniNaru.souninaru", nullptr},
      {ruleSonomono, "m 計画 pos=6/1; m そのもの pos=6/1; m が pos=9/1; p 1-3", "111", 2, Slot::kOwnRendering, -1, "ruleSonomono.sonomono",
       nullptr},
      {ruleZaruoEnai,
       "m 行か base=行く pos=2/1 conj=1/3; m ざる pos=14/7 conj=27/4; m を pos=9/1; m 得 base=得る pos=2/1 conj=32/3;"
       "m ない pos=14/7 conj=18/2; p 1-5",
       "10000", 6, Slot::kModal, 1, "ruleZaruoEnai.first", "ruleZaruoEnai.second"},
      {ruleDarake, "m 泥 pos=6/1; m だらけ pos=14/1; m だ pos=5 conj=25/2; p 1-3", "100", 4, Slot::kDistributive, -1, "ruleDarake.darake",
       nullptr},
      {ruleTaru, "m 教師 pos=6/1; m たる pos=5 conj=24/2; m 者 pos=6/1; p 1-2 head=p2; p 3-3", "111", 4, Slot::kCopula, 2,
       "ruleTaru.taru", nullptr},
      {ruleDarouToDarouTo,
       "m 雨 pos=6/1; m だろう base=だ pos=5 conj=25/4; m と pos=9/3; m 雪 pos=6/1; m だろう base=だ pos=5 conj=25/4;"
       "m と pos=9/3; m 行く pos=2/1 conj=1/2; p 1-3 head=p3; p 4-6 head=p3; p 7-7",
       "1001001", 9, Slot::kConcession, 5, "ruleDarouToDarouTo.second", nullptr},
      {ruleHouDewanai,
       "m 高い pos=3/1 conj=18/2; m 方 pos=6/1; m で pos=9/1; m は pos=9/2; m ない pos=3/1 conj=18/2; p 1-5", "10000", 6, Slot::kConcession,
       2, "ruleHouDewanai.first", "ruleHouDewanai.second"},
      {ruleTsutsuAru, "m 増え base=増える pos=2/1 conj=1/7; m つつ pos=9/3; m ある pos=2/1 conj=5/2; p 1-3", "100", 4, Slot::kAfterSubject, 2,
       "ruleTsutsuAru.tsutsuaru", nullptr},
      {ruleToAimatte,
       "m 努力 pos=6/2; m と pos=9/3; m 相俟って pos=2/1 conj=5/11; m 成功 pos=6/2; p 1-3 head=p2; p 4-4", "1001", 5, Slot::kConcession, 2,
       "ruleToAimatte.toaimatte", nullptr},
      {ruleToAreba,
       "m 必要 pos=3/2 conj=21/1; m と pos=9/3; m あれば base=ある pos=2/1 conj=5/6; m 行く pos=2/1 conj=1/2;"
       "p 1-3 head=p2; p 4-4",
       "1001", 5, Slot::kConcession, 2, "ruleToAreba.toareba", nullptr},
      {ruleToIu,
       "m 行く pos=2/1 conj=1/2; m と pos=9/3; m いう pos=2/1 conj=1/2; m こと pos=6/1; m に pos=9/1;"
       "m なれば base=なる pos=2/1 conj=5/6; p 1-6",
       "100000", 7, Slot::kConcession, 2, "ruleToIu.kotoninareba", nullptr},
      {ruleToIu,
       "m 行く pos=2/1 conj=1/2; m と pos=9/3; m いう pos=2/1 conj=1/2; m こと pos=6/1; m は pos=9/2;"
       "m ない pos=3/1 conj=18/2; p 1-6",
       "100000", 7, Slot::kModal, 3, "ruleToIu.kotowanaiFirst", "ruleToIu.kotowanaiSecond"},
      {ruleToIu,
       "m 愛 pos=6/1; m と pos=9/3; m いう pos=2/1 conj=1/2; m の pos=9/6; m は pos=9/2; m 難しい pos=3/1 conj=18/2;"
       "p 1-5 head=p2; p 6-6",
       "100001", 7, Slot::kConcession, 2, "ruleToIu.nowa", nullptr},
      {ruleToIu, "m 行く pos=2/1 conj=1/2; m と pos=9/3; m いう pos=2/1 conj=1/2; m わけ pos=6/1; m だ pos=5 conj=25/2; p 1-5",
       "10001", 0, Slot::kClauseOpener, -1, nullptr, nullptr},
  };
  for (const RuleCase& c : cases) {
    SCOPED_TRACE(c.sentence);
    build(c.sentence);
    c.rule(s);
    EXPECT_EQ(live(), c.live);
    if (!c.node) continue;
    EXPECT_EQ(field(c.node, c.slotNo), word(c.key1) + (c.key2 ? word(c.key2) : std::string()));
    if (c.source >= 0) {
      EXPECT_EQ(source(c.node, c.slotNo.slot), c.source);
    }
  }
}

TEST_F(KaToRuleTable, TanniTakesDakeBeforeTheDakeRule) {
  // Place 110 consumes だけ … ない, so place 111 finds nothing to do.
  build("m 単に pos=8; m 彼 pos=6/1; m だけ pos=9/2; m で pos=9/1; m は pos=9/2; m ない pos=3/1 conj=18/2; p 1-1 head=p2; p 2-6");
  const auto& places = sentencePatternPlaces();
  places[109].apply(s);
  places[110].apply(s);
  EXPECT_EQ(live(), "110000");
  EXPECT_EQ(slot(8, Slot::kConcession), "");
  build("m 彼 pos=6/1; m だけ pos=9/2; m で pos=9/1; m は pos=9/2; m ない pos=3/1 conj=18/2; p 1-5");
  places[110].apply(s);
  EXPECT_EQ(slot(6, Slot::kConcession), word("ruleDake.dakedewanaiFirst") + word("ruleDake.dakedewanaiSecond") +
                            word("ruleDake.dakedewanaiNoun"));
}

TEST_F(KaToRuleTable, EveryPlaceFromKaToToIuIsFilled) {
  const auto& places = sentencePatternPlaces();
  for (int place : {61, 72, 87, 88, 106, 107, 111, 121, 127, 128, 130, 141, 142, 168, 169, 171, 178, 185}) {
    EXPECT_NE(places[place - 1].apply, nullptr) << place;
  }
  EXPECT_STREQ(places[141].name, "ruleToIu");
  EXPECT_EQ(places[141].apply, ruleToIu);
  EXPECT_EQ(places[167].apply, ruleKotoWaNai);
  EXPECT_EQ(places[170].apply, ruleTame);
}

}  // namespace
}  // namespace jc
