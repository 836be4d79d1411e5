// The か group and the rules からには to 際に.
#include <string>

#include "engine/jc/core/jc_predicates.h"
#include "engine/jc/rules/jc_pattern_rules_ka_to.h"
#include "engine/jc/rules/jc_rule_kit.h"
#include "engine/jc/rules/jc_sentence_patterns.h"
#include "engine/jc/rules/jc_suffix_rules.h"
#include "engine/jc/rules/tests/rule_fixture.h"

namespace jc {
namespace {

class KaPatterns : public RuleTest {
 protected:
  std::string trailer1(int node) const { return s->targets[node].headText.str(); }
  std::string trailer2(int node) const { return s->targets[node].headText2.str(); }
};

TEST_F(KaPatterns, KaOmouToAndTheConditional) {
  build("m 来た base=来る pos=2/1 conj=5/8; m か pos=9/4; m 思う pos=2/1 conj=1/2; m と pos=9/1; m 雨 pos=6/1;"
        "p 1-2 head=p2; p 3-4 head=p3; p 5-5");
  ruleKaOmou(s);
  EXPECT_EQ(live(), "10001");
  EXPECT_EQ(slot(7, Slot::kNearAdverbial), word("ruleKaOmou.kaToOmou"));
  EXPECT_EQ(source(7, Slot::kNearAdverbial), 2);
  // 思えば: only か and 思えば go, with the second rendering.
  build("m 来た base=来る pos=2/1 conj=5/8; m か pos=9/4; m 思えば base=思う pos=2/1 conj=1/6; m 雨 pos=6/1;"
        "p 1-2 head=p2; p 3-3 head=p3; p 4-4");
  ruleKaOmou(s);
  EXPECT_EQ(live(), "1001");
  EXPECT_EQ(slot(6, Slot::kNearAdverbial), word("ruleKaOmou.kaToOmoeba"));
  // A noun before か is no predicate.
  build("m 雨 pos=6/1; m か pos=9/4; m 思う pos=2/1 conj=1/2; m と pos=9/1");
  ruleKaOmou(s);
  EXPECT_EQ(live(), "1111");
}

// The ending and its negation are retired; 不一定 goes before the predicate. Without 必ずしも the
// same words stay live.
TEST_F(KaPatterns, KanarazushimoWritesBeforeThePredicate) {
  const std::string tail =
      "m 正しい pos=3/1 conj=18/2; m とは pos=9/1; m 限ら base=限る pos=2/1 conj=5/3; m ない pos=14/7 conj=18/2";
  build("m かならずしも base=必ずしも pos=8; " + tail + "; p 1-1 head=p2; p 2-5");
  ruleKanarazushimo(s);
  EXPECT_EQ(live(), "11000");
  EXPECT_EQ(slot(2, Slot::kModal), word("ruleKanarazushimo.notNecessarily"));
  EXPECT_EQ(source(2, Slot::kModal), 3);
  build(tail);
  ruleKanarazushimo(s);
  EXPECT_EQ(live(), "1111");
}

// In the step's order rule 001 retires 必ずしも first and raises the override counter; rule 062
// writes through the slot writer, so the override word takes the counter down.
TEST_F(KaPatterns, KanarazushimoAfterRule001WritesTheOverrideWord) {
  build("m 必ずしも pos=8; m 正しい pos=3/1 conj=18/2; m とは pos=9/1; m 限ら base=限る pos=2/1 conj=5/3;"
        "m ない pos=14/7 conj=18/2; p 1-1 head=p2; p 2-5");
  patternRule001(s);
  ruleKanarazushimo(s);
  EXPECT_EQ(live(), "01000");
  EXPECT_EQ(s->slotOverride, 0);
  EXPECT_EQ(slot(2, Slot::kModal), word(kOverrideWordKey));
  // とは as と and は, a noun: 是 follows.
  build("m 必ずしも pos=8; m 学生 pos=6/1; m と pos=9/1; m は pos=9/2; m 限ら base=限る pos=2/1 conj=5/3;"
        "m ない pos=14/7 conj=18/2; p 1-1 head=p2; p 2-6");
  patternRule001(s);
  ruleKanarazushimo(s);
  EXPECT_EQ(live(), "010000");
  EXPECT_EQ(slot(2, Slot::kModal), word(kOverrideWordKey) + word("ruleKanarazushimo.copula"));
  // とは言えない, and わけではない after a verb.
  build("m 必ずしも pos=8; m 正しい pos=3/1 conj=18/2; m とは pos=9/1; m 言え base=言える pos=2/1 conj=18/3;"
        "m ない pos=14/7 conj=18/2; p 1-1 head=p2; p 2-5");
  patternRule001(s);
  ruleKanarazushimo(s);
  EXPECT_EQ(live(), "01000");
  EXPECT_EQ(slot(2, Slot::kModal), word(kOverrideWordKey));
  build("m 必ずしも pos=8; m 来る pos=2/1 conj=1/2; m わけ pos=6/8; m で pos=9/1; m は pos=9/2;"
        "m ない pos=14/7 conj=18/2; p 1-1 head=p2; p 2-6");
  patternRule001(s);
  ruleKanarazushimo(s);
  EXPECT_EQ(live(), "010000");
  EXPECT_EQ(slot(2, Slot::kModal), word(kOverrideWordKey));
  // Without the ending nothing is written and the negation stays for the override.
  build("m 必ずしも pos=8; m 正しい pos=3/1 conj=18/2; m ない pos=14/7 conj=18/2; p 1-1 head=p2; p 2-3");
  patternRule001(s);
  ruleKanarazushimo(s);
  EXPECT_EQ(live(), "011");
  EXPECT_EQ(s->slotOverride, 1);
}

TEST_F(KaPatterns, KanenaiTakesTheKanjiFormFirstAndKaneruNeverTheKana) {
  build("m 言い base=言う pos=2/1 conj=1/7; m かねない pos=14/7 conj=18/2; m し pos=9/1; m やり base=やる pos=2/1 conj=5/7;"
        "m 兼ねない pos=14/7 conj=18/2; p 1-3; p 4-5");
  ruleKanenai(s);
  EXPECT_EQ(live(), "11110");
  EXPECT_EQ(slot(7, Slot::kModal), word("ruleKanenai.kanenai"));
  EXPECT_EQ(source(7, Slot::kModal), 5);
  EXPECT_EQ(slot(6, Slot::kModal), "");
  build("m 言い base=言う pos=2/1 conj=1/7; m かねる pos=14/7 conj=1/2; m 言い base=言う pos=2/1 conj=1/7;"
        "m 兼ねる pos=14/7 conj=1/2; p 1-2; p 3-4");
  ruleKaneru(s);
  EXPECT_EQ(live(), "1110");
  EXPECT_EQ(slot(6, Slot::kNearAdverbial), word("ruleKaneru.kaneru"));
  EXPECT_EQ(slot(5, Slot::kNearAdverbial), "");
}

TEST_F(KaPatterns, KaNoYoudaAndKamoshirenaiShortestAndLongest) {
  build("m 見た base=見る pos=2/1 conj=1/8; m か pos=9/4; m の pos=9/6; m ようだ pos=5 conj=25/2; p 1-4");
  ruleKaNoYouda(s);
  EXPECT_EQ(live(), "1000");
  EXPECT_EQ(slot(5, Slot::kConcession), word("ruleKaNoYouda.kanoyouda"));
  EXPECT_EQ(source(5, Slot::kConcession), 4);

  build("m 雨 pos=6/1; m かも pos=9/2; m しれ base=しれる pos=2/1 conj=1/7; m ない pos=14/7 conj=18/2; p 1-4");
  ruleKamoshirenai(s);
  EXPECT_EQ(live(), "1000");
  EXPECT_EQ(slot(5, Slot::kAfterSubject), word("ruleKamoshirenai.kamoshirenai"));
  EXPECT_EQ(source(5, Slot::kAfterSubject), 2);
  build("m 雨 pos=6/1; m かも pos=9/2; m しれ base=しれる pos=2/1 conj=1/7; m ませ base=ます pos=14/7 conj=30/7;"
        "m ん base=ぬ pos=14/7 conj=27/2; p 1-5");
  ruleKamoshirenai(s);
  EXPECT_EQ(live(), "10000");
  EXPECT_EQ(slot(6, Slot::kAfterSubject), word("ruleKamoshirenai.kamoshiremasen"));
  // At the sentence's end nothing matches.
  build("m 雨 pos=6/1; m かも pos=9/2");
  ruleKamoshirenai(s);
  EXPECT_EQ(live(), "11");
}

TEST_F(KaPatterns, KaraAfterNumeralsAndNouns) {
  build("m 百 pos=6/7; m から pos=9/1; m ある pos=2/1 conj=5/2; p 1-3");
  ruleKaraAru(s);
  EXPECT_EQ(live(), "100");
  EXPECT_EQ(slot(4, Slot::kCopula), word("ruleKaraAru.karaAru"));
  EXPECT_EQ(trailer1(1), word("ruleKaraAru.tail"));

  // 私から言っても: the host is the word the adnominal climb reaches.
  build("m 私 pos=6/1; m から pos=9/1; m 言っ base=言う pos=2/1 conj=1/7; m ても pos=9/3; m 無理だ pos=3/2 conj=21/2;"
        "p 1-2 head=p2; p 3-4 head=p3; p 5-5");
  ruleKaraIu(s);
  EXPECT_EQ(live(), "10001");
  const int h = climbAdnominalChain(s, 1);
  EXPECT_EQ(slot(h, Slot::kPreposition), word("ruleKaraIu.kara"));
  EXPECT_EQ(trailer1(h), word("ruleKaraIu.tail"));
  EXPECT_EQ(slot(h, Slot::kConcession), word("ruleKaraIu.temo"));
  EXPECT_EQ(source(h, Slot::kConcession), 4);
}

TEST_F(KaPatterns, KarakosoCasesInOrder) {
  struct Case {
    const char* tail;
    const char* live;
    Slot slotNo;
    const char* key;
    const char* trailerKey;
  } const cases[] = {
      {"m こそ pos=9/2", "1001", Slot::kConcession, "ruleKarakoso.karakoso", nullptr},
      {"m して pos=9/1", "1001", Slot::kPreposition, "ruleKarakoso.karashite", "ruleKarakoso.karashiteTail"},
      {"m する pos=2/1 conj=16/2; m と pos=9/1", "10001", Slot::kPreposition, "ruleKarakoso.karasuruto", "ruleKarakoso.karasurutoTail"},
      {"m すれば base=する pos=2/1 conj=16/6", "1001", Slot::kPreposition, "ruleKarakoso.karasureba", "ruleKarakoso.karasurebaTail"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tail);
    build(std::string("m 好きだ pos=3/2 conj=21/2; m から pos=9/1; ") + c.tail + "; m 。 pos=1/1");
    ruleKarakoso(s);
    EXPECT_EQ(live(), c.live);
  }
  build("m 好きだ pos=3/2 conj=21/2; m から pos=9/1; m して pos=9/1; m 。 pos=1/1; p 1-4");
  ruleKarakoso(s);
  EXPECT_EQ(slot(5, Slot::kPreposition), word("ruleKarakoso.karashite"));
  EXPECT_EQ(trailer1(5), word("ruleKarakoso.karashiteTail"));
  EXPECT_EQ(source(5, Slot::kPreposition), 2);
  build("m 若い pos=3/1 conj=18/2; m から pos=9/1; m と pos=9/1; m 言って base=言う pos=2/1 conj=1/11; p 1-4");
  ruleKarakoso(s);
  EXPECT_EQ(live(), "1000");
  EXPECT_EQ(slot(5, Slot::kClauseOpener), word("ruleKarakoso.karatoitte"));
}

TEST_F(KaPatterns, KaraMiruTakesAFollowingMo) {
  build("m 子供 pos=6/1; m から pos=9/1; m 見て base=見る pos=2/1 conj=1/11; m も pos=9/2; m 簡単だ pos=3/2 conj=21/2;"
        "p 1-4 head=p2; p 5-5");
  ruleKaraMiru(s);
  EXPECT_EQ(live(), "10001");
  EXPECT_EQ(slot(6, Slot::kPreposition), word("ruleKaraMiru.karaMite"));
  EXPECT_EQ(s->targets[6].headText.str(), word("ruleKaraMiru.karaMiteTail"));
  build("m 子供 pos=6/1; m から pos=9/1; m 見れば base=見る pos=2/1 conj=1/6; m 簡単だ pos=3/2 conj=21/2; p 1-3; p 4-4");
  ruleKaraMiru(s);
  EXPECT_EQ(live(), "1001");
  EXPECT_EQ(slot(5, Slot::kPreposition), word("ruleKaraMiru.karaMireba"));
}

TEST_F(KaPatterns, KaraMadeRanges) {
  // 東京 から 大阪 まで 行く
  build("m 東京 pos=6/1; m から pos=9/1; m 大阪 pos=6/1; m まで pos=9/1; m 行く pos=2/1 conj=1/2;"
        "p 1-2 head=p3; p 3-4 head=p3; p 5-5");
  ruleKaraMade(s);
  EXPECT_EQ(live(), "10101");
  EXPECT_EQ(slot(6, Slot::kPreposition), word("ruleKaraMade.kara"));
  EXPECT_EQ(source(6, Slot::kPreposition), 2);
  EXPECT_EQ(slot(7, Slot::kPreposition), word("ruleKaraMade.made"));
  EXPECT_EQ(source(7, Slot::kPreposition), 4);
  // までに also takes に; へ has its own word; a time word in front joins the range's start.
  build("m 朝 pos=6/10; m 東京 pos=6/1; m から pos=9/1; m 大阪 pos=6/1; m まで pos=9/1; m に pos=9/1;"
        "m 着く pos=2/1 conj=1/2; p 1-1 head=p2; p 2-3 head=p4; p 4-6 head=p4; p 7-7");
  ruleKaraMade(s);
  EXPECT_EQ(live(), "1101001");
  EXPECT_EQ(slot(8, Slot::kPreposition), word("ruleKaraMade.kara"));
  EXPECT_EQ(slot(9, Slot::kPreposition), "");
  EXPECT_EQ(slot(10, Slot::kPreposition), word("ruleKaraMade.made"));
  build("m 東京 pos=6/1; m から pos=9/1; m 大阪 pos=6/1; m へ pos=9/1; p 1-2 head=p2; p 3-4");
  ruleKaraMade(s);
  EXPECT_EQ(slot(6, Slot::kPreposition), word("ruleKaraMade.he"));
  // A range whose から follows a phrase marked K ends the rule, later ranges too.
  build("m 東京 pos=6/1; m から pos=9/1; m 大阪 pos=6/1; m まで pos=9/1; m 京都 pos=6/1; m から pos=9/1;"
        "m 奈良 pos=6/1; m まで pos=9/1; p 1-2; p 3-4; p 5-6; p 7-8");
  s->targets[9].mark = "K";
  ruleKaraMade(s);
  EXPECT_EQ(live(), "11111111");
  // Without a closing word nothing happens.
  build("m 東京 pos=6/1; m から pos=9/1; m 来た base=来る pos=2/1 conj=5/8");
  ruleKaraMade(s);
  EXPECT_EQ(live(), "111");
}

TEST_F(KaPatterns, KaraniwaWritesOnlyAfterAVerbAndGoesOn) {
  build("m 学生 pos=6/1; m からには pos=9/3; m 約束した base=約束する pos=2/1 conj=16/8; m からには pos=9/3;"
        "m 守る pos=2/1 conj=1/2; p 1-2; p 3-4; p 5-5");
  ruleKaraniwa(s);
  EXPECT_EQ(live(), "11101");
  EXPECT_EQ(slot(6, Slot::kConcession), "");
  EXPECT_EQ(slot(7, Slot::kConcession), word("ruleKaraniwa.karaniwa"));
  // から without は ends the rule.
  build("m 行く pos=2/1 conj=1/2; m から pos=9/3; m 行く pos=2/1 conj=1/2; m から pos=9/3; m は pos=9/2");
  ruleKaraniwa(s);
  EXPECT_EQ(live(), "11111");
  build("m 行く pos=2/1 conj=1/2; m から pos=9/3; m は pos=9/2; m 行く pos=2/1 conj=1/2; p 1-3; p 4-4");
  ruleKaraniwa(s);
  EXPECT_EQ(live(), "1001");
}

TEST_F(KaPatterns, KariniPairsWithTemoFromTheSameStart) {
  // ても before 仮に: both searches start at 1, so they still pair; nothing is consumed.
  build("m 行っ base=行く pos=2/1 conj=1/7; m ても pos=9/3; m 仮に pos=8; m 無駄だ pos=3/2 conj=21/2;"
        "p 1-2 head=p3; p 3-3 head=p3; p 4-4");
  ruleKariniTemo(s);
  EXPECT_EQ(live(), "1111");
  EXPECT_EQ(slot(5, Slot::kConcession), word("ruleKariniTemo.karini"));
  EXPECT_EQ(source(5, Slot::kConcession), 3);
  EXPECT_EQ(slot(7, Slot::kInclusive), word("ruleKariniTemo.temo"));
  build("m 仮に pos=8; m 雨 pos=6/1; m だ pos=5 conj=25/2; m と pos=9/3; m したら base=する pos=2/1 conj=16/10; p 1-1; p 2-5");
  ruleKariniToshitara(s);
  EXPECT_EQ(live(), "11100");
  EXPECT_EQ(slot(1, Slot::kOwnRendering), word("ruleKariniToshitara.karini"));
}

TEST_F(KaPatterns, KawariniConsumesNiEvenWhenNothingElseMatches) {
  build("m 速く base=速い pos=3/1 conj=18/6; m 代わり pos=6/1; m に pos=9/1; m 行く pos=2/1 conj=1/2");
  ruleKawarini(s);
  EXPECT_EQ(live(), "1101");
  build("m 私 pos=6/1; m の pos=9/6; m 代わり pos=6/1; m に pos=9/1; m 行く pos=2/1 conj=1/2; p 1-4 head=p2; p 5-5");
  ruleKawarini(s);
  EXPECT_EQ(live(), "10001");
  EXPECT_EQ(slot(6, Slot::kCopula), word("ruleKawarini.afterNoun"));
  EXPECT_EQ(source(6, Slot::kCopula), 2);
  EXPECT_EQ(s->targets[6].kind, 'z');
}

TEST_F(KaPatterns, KikuTokoroRendersTheHearsayOpening) {
  build("m 聞く pos=2/1 conj=1/2; m ところ pos=6/1; m に pos=9/1; m よる pos=2/1 conj=5/2; m と pos=9/3;"
        "m 雨 pos=6/1; m だ pos=5 conj=25/2; p 1-5 head=p2; p 6-7");
  ruleKikuTokoro(s);
  EXPECT_EQ(live(), "1000011");
  EXPECT_EQ(slot(1, Slot::kOwnRendering), word("ruleKikuTokoro.yoruto"));
  EXPECT_EQ(s->targets[8].kind, 'z');  // 聞く takes no linking word
  build("m 聞く pos=2/1 conj=1/2; m ところ pos=6/1; m に pos=9/1; m よれば base=よる pos=2/1 conj=5/6; m 雨 pos=6/1;"
        "m だ pos=5 conj=25/2; p 1-4 head=p2; p 5-6");
  ruleKikuTokoro(s);
  EXPECT_EQ(live(), "100011");
  EXPECT_EQ(slot(1, Slot::kOwnRendering), word("ruleKikuTokoro.yoreba"));
  EXPECT_EQ(s->targets[7].kind, 'z');
  // Without ところ に nothing is taken.
  build("m 聞く pos=2/1 conj=1/2; m に pos=9/1; m よる pos=2/1 conj=5/2; m と pos=9/3");
  ruleKikuTokoro(s);
  EXPECT_EQ(live(), "1111");
}

TEST_F(KaPatterns, KuraiNaraHouTakesMushiroAndDa) {
  build("m 謝る pos=2/1 conj=1/2; m くらい pos=9/2; m なら pos=5 conj=25/6; m 寧ろ pos=8; m 死ぬ pos=2/1 conj=5/2;"
        "m 方 pos=6/1; m が pos=9/1; m まし pos=3/2 conj=21/1; m だ pos=5 conj=25/2; p 1-4 head=p2; p 5-9");
  ruleKuraiNaraHou(s);
  EXPECT_EQ(live(), "100010000");
  EXPECT_EQ(slot(10, Slot::kClauseOpener), word("ruleKuraiNaraHou.kuraiNara"));
  EXPECT_EQ(source(10, Slot::kClauseOpener), 2);
  EXPECT_EQ(slot(11, Slot::kClauseOpener), word("ruleKuraiNaraHou.houGaIi"));
  EXPECT_EQ(source(11, Slot::kClauseOpener), 6);
  EXPECT_EQ(s->targets[11].kind, 'z');
}

TEST_F(KaPatterns, KosoGaEndsAtAPredicateNotInBaseForm) {
  build("m 彼 pos=6/1; m こそ pos=9/2; m 来 base=来る pos=2/1 conj=15/7; m が pos=9/3; m 私 pos=6/1; m こそ pos=9/2;"
        "m 来る pos=2/1 conj=15/2; m が pos=9/3");
  ruleKosoGa(s);
  EXPECT_EQ(live(), "11111111");
  build("m 彼 pos=6/1; m こそ pos=9/2; m 来る pos=2/1 conj=15/2; m が pos=9/3; m 遅い pos=3/1 conj=18/2;"
        "p 1-2 head=p2; p 3-4 head=p3; p 5-5");
  ruleKosoGa(s);
  EXPECT_EQ(live(), "10101");
  EXPECT_EQ(slot(7, Slot::kClauseOpener), word("ruleKosoGa.koso"));
  EXPECT_EQ(trailer2(7), word("ruleKosoGa.ga"));
}

TEST_F(KaPatterns, KotoWaNaiAndKotoGaAru) {
  // ta-form + ことはない: kAfterSubject through the slot writer, which also counts its override down.
  build("m 行った base=行く pos=2/1 conj=1/8; m こと pos=6/1; m は pos=9/2; m ない pos=3/1 conj=18/2; p 1-4");
  ruleKotoWaNai(s);
  EXPECT_EQ(live(), "1000");
  EXPECT_EQ(slot(5, Slot::kAfterSubject), word("ruleKotoWaNai.past"));
  EXPECT_EQ(source(5, Slot::kAfterSubject), 2);
  EXPECT_EQ(trailer1(1), word("ruleKotoWaNai.pastTail"));
  build("m 行った base=行く pos=2/1 conj=1/8; m こと pos=6/1; m は pos=9/2; m ない pos=3/1 conj=18/2; p 1-4");
  s->slotOverride = 1;
  ruleKotoWaNai(s);
  EXPECT_EQ(slot(5, Slot::kAfterSubject), word("writeTargetSlot.overrideWord"));
  EXPECT_EQ(s->slotOverride, 0);
  // After an adnominal predicate only は counts.
  build("m 急ぐ pos=2/1 conj=1/2; m こと pos=6/1; m は pos=9/2; m ない pos=3/1 conj=18/2; p 1-4");
  ruleKotoWaNai(s);
  EXPECT_EQ(live(), "1000");
  EXPECT_EQ(slot(5, Slot::kAfterSubject), word("ruleKotoWaNai.needlessFirst") + word("ruleKotoWaNai.needlessSecond"));
  build("m 急ぐ pos=2/1 conj=1/2; m こと pos=6/1; m が pos=9/1; m ない pos=3/1 conj=18/2; p 1-4");
  ruleKotoWaNai(s);
  EXPECT_EQ(live(), "1111");
  ruleKotoGaAru(s);
  EXPECT_EQ(live(), "1111");  // ない is no ある
  build("m 行った base=行く pos=2/1 conj=1/8; m こと pos=6/1; m が pos=9/1; m ある pos=2/1 conj=5/2; p 1-4");
  ruleKotoGaAru(s);
  EXPECT_EQ(live(), "1000");
  EXPECT_EQ(trailer1(1), word("ruleKotoGaAru.past"));
  EXPECT_EQ(s->targets[5].kind, 'z');
}

TEST_F(KaPatterns, KotoDakaraHostsWithoutAWordAfterThemWriteNothing) {
  // The expression ends the sentence: the governor after it names no node.
  build("m 彼 pos=6/1; m の pos=9/6; m こと pos=6/1; m だから pos=5 conj=25/13");
  ruleKotoDakara(s);
  EXPECT_EQ(live(), "1000");
  EXPECT_EQ(slot(1, Slot::kConcession), "");
  build("m 彼 pos=6/1; m の pos=9/6; m こと pos=6/1; m だから pos=5 conj=25/13; m 来る pos=2/1 conj=15/2;"
        "p 1-4 head=p2; p 5-5");
  ruleKotoDakara(s);
  EXPECT_EQ(live(), "10001");
  EXPECT_EQ(slot(climbAdnominalChain(s, 1), Slot::kConcession), word("ruleKotoDakara.afterNoun"));
  EXPECT_EQ(slot(7, Slot::kClauseOpener), word("ruleKotoDakara.afterNounHead"));
}

TEST_F(KaPatterns, KotoMoAroouniKeepsKoto) {
  build("m こと pos=6/1; m も pos=9/2; m あろう base=ある pos=2/1 conj=5/4; m に pos=9/1; m 雨 pos=6/1");
  ruleKotoMoAroouni(s);
  EXPECT_EQ(live(), "10001");
  EXPECT_EQ(slot(1, Slot::kOwnRendering), word("ruleKotoMoAroouni.kotomoaroouni"));
}

}  // namespace
}  // namespace jc
