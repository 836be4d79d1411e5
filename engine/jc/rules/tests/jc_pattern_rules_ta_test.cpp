// The rules た to つ.
#include <string>

#include "engine/jc/rules/jc_pattern_rules_ka_to.h"
#include "engine/jc/rules/tests/rule_fixture.h"

namespace jc {
namespace {

class TaPatterns : public RuleTest {
 protected:
  std::string trailer2(int node) const { return s->targets[node].headText2.str(); }
  // The live flags of the phrase targets after the words.
  std::string phrasesLive() const {
    std::string out;
    for (int i = s->lastMorpheme + 1; i <= s->lastTarget; ++i) out += s->targets[i].live ? '1' : '0';
    return out;
  }
};

TEST_F(TaPatterns, TaiRulesEndAtAWordNotAfterAContinuativeVerb) {
  build("m 彼 pos=6/1; m たい pos=14/7 conj=18/2; m 行き base=行く pos=2/1 conj=1/7; m たい pos=14/7 conj=18/2;"
        "m くらい pos=9/2; m もの pos=6/1; m だ pos=5 conj=25/2");
  ruleTaiKurai(s);
  ruleTaiMonoDa(s);
  EXPECT_EQ(live(), "1111111");
  // たいくらい and たいほど alike; another word after たい leaves it.
  for (const char* degree : {"くらい", "ほど"}) {
    build(std::string("m 行き base=行く pos=2/1 conj=1/7; m たい pos=14/7 conj=18/2; m ") + degree + " pos=9/2; p 1-3");
    ruleTaiKurai(s);
    EXPECT_EQ(live(), "100") << degree;
    EXPECT_EQ(slot(4, Slot::kModal), word("ruleTaiKurai.taikurai")) << degree;
    EXPECT_EQ(source(4, Slot::kModal), 2) << degree;
  }
  build("m 行き base=行く pos=2/1 conj=1/7; m たい pos=14/7 conj=18/2; m まで pos=9/2; p 1-3");
  ruleTaiKurai(s);
  EXPECT_EQ(live(), "111");
  build("m 行き base=行く pos=2/1 conj=1/7; m たい pos=14/7 conj=18/2; m もの pos=6/1; m だ pos=5 conj=25/2; p 1-4");
  ruleTaiMonoDa(s);
  EXPECT_EQ(live(), "1000");
  EXPECT_EQ(slot(5, Slot::kModal), word("ruleTaiMonoDa.taimonoda"));
}

TEST_F(TaPatterns, TakuteTakesFiveWordsButNothingPastTheLast) {
  const std::string words =
      "m 会い base=会う pos=2/1 conj=1/7; m たくて pos=14/7 conj=18/10; m 仕方 pos=6/1; m が pos=9/1;"
      "m ない pos=3/1 conj=18/2;";
  build(words + "m 。 pos=1/1; p 1-6");
  ruleTakuteShikataganai(s);
  EXPECT_EQ(live(), "100000");
  EXPECT_EQ(slot(7, Slot::kModal), word("ruleTakuteShikataganai.takute"));
  build(words + "p 1-5");
  const std::string before = phrasesLive();
  ruleTakuteShikataganai(s);
  EXPECT_EQ(live(), "10000");
  EXPECT_EQ(phrasesLive(), before);
}

TEST_F(TaPatterns, DakeSubPatterns) {
  // だけではない: only its own sub-pattern applies.
  build("m 彼 pos=6/1; m だけ pos=9/2; m で pos=9/1; m は pos=9/2; m ない pos=3/1 conj=18/2; p 1-5");
  ruleDake(s);
  EXPECT_EQ(live(), "10000");
  EXPECT_EQ(slot(6, Slot::kConcession), word("ruleDake.dakedewanaiFirst") + word("ruleDake.dakedewanaiSecond") +
                            word("ruleDake.dakedewanaiNoun"));
  EXPECT_EQ(source(6, Slot::kConcession), 2);
  build("m 見る pos=2/1 conj=1/2; m だけ pos=9/2; m で pos=9/1; m いい pos=3/1 conj=18/2; p 1-4");
  ruleDake(s);
  EXPECT_EQ(live(), "1000");
  EXPECT_EQ(slot(5, Slot::kModal), word("ruleDake.dakedeii"));
  EXPECT_EQ(trailer2(5), word("ruleDake.dakedeiiTail"));
  build("m 少し pos=6/1; m だけ pos=9/2; m でも pos=9/2; m 食べる pos=2/1 conj=1/2; p 1-3 head=p2; p 4-4");
  ruleDake(s);
  EXPECT_EQ(live(), "1001");
  EXPECT_EQ(slot(5, Slot::kRestriction), word("ruleDake.dakedemo"));
  // 単に … だけではない renders 単に through its own slot.
  build("m 単に pos=8; m 彼 pos=6/1; m だけ pos=9/2; m で pos=9/1; m は pos=9/2; m ない pos=3/1 conj=18/2");
  ruleTanniDake(s);
  EXPECT_EQ(live(), "110000");
  EXPECT_EQ(slot(1, Slot::kOwnRendering), word("ruleTanniDake.first") + word("ruleTanniDake.second") + word("ruleTanniDake.noun"));
}

TEST_F(TaPatterns, TatoeTemoWithoutAGovernorWritesNothing) {
  build("m たとえ pos=8; m 雨 pos=6/1; m でも pos=9/2; m 行く pos=2/1 conj=1/2; p 1-3 head=p2; p 4-4");
  ruleTatoeTemo(s);
  EXPECT_EQ(live(), "1101");
  EXPECT_EQ(slot(1, Slot::kOwnRendering), word("ruleTatoeTemo.tatoe"));
  EXPECT_EQ(slot(6, Slot::kInclusive), word("ruleTatoeTemo.temo"));
  // でも ends the sentence: no word after it, no host; でも still goes.
  build("m たとえ pos=8; m 雨 pos=6/1; m でも pos=9/2; p 1-3");
  ruleTatoeTemo(s);
  EXPECT_EQ(live(), "110");
  EXPECT_EQ(slot(1, Slot::kOwnRendering), word("ruleTatoeTemo.tatoe"));
  for (int i = 1; i <= s->lastTarget; ++i) EXPECT_EQ(slot(i, Slot::kInclusive), "") << i;
}

TEST_F(TaPatterns, TabiKeepsDoLive) {
  build("m 旅行 pos=6/2; m の pos=9/6; m 度 pos=6/1; m に pos=9/1; m 写真 pos=6/1; p 1-4 head=p2; p 5-5");
  ruleTabi(s);
  EXPECT_EQ(live(), "10111");
  EXPECT_EQ(slot(6, Slot::kPreposition), word("ruleTabi.afterNoun"));
  EXPECT_EQ(source(6, Slot::kPreposition), 3);
  EXPECT_EQ(slot(3, Slot::kOwnRendering), word("ruleTabi.tabi"));
  EXPECT_EQ(s->targets[6].kind, 'z');
}

// After a clause, 每 and 的时候 go round the clause: 每 opens it, before its dependents.
TEST_F(TaPatterns, TabiAfterAClauseWrapsTheClause) {
  const struct {
    const char* sentence;
    int clause;   // the predicate's phrase
    int other;    // a phrase that stays unwritten
  } cases[] = {
      {"m 駅 pos=6/4; m へ pos=9/1; m 行く pos=2/1 conj=5/2; m 度 pos=6/1; m に pos=9/1; m 電話 pos=6/2;"
       "p 1-2 head=p2; p 3-3 head=p3; p 4-5 head=p4; p 6-6", 8, 7},
      {"m 行く pos=2/1 conj=5/2; m 度 pos=6/1; m に pos=9/1; m 電話 pos=6/2; p 1-1 head=p2; p 2-3 head=p3; p 4-4", 5, 6},
      {"m 行く pos=2/1 conj=5/2; m たび pos=6/1; m に pos=9/1; m 電話 pos=6/2; p 1-1 head=p2; p 2-3 head=p3; p 4-4", 5, 6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sentence);
    build(c.sentence);
    ruleTabi(s);
    EXPECT_EQ(slot(c.clause, Slot::kClauseOpener), word("ruleTabi.afterClause"));
    EXPECT_EQ(slot(c.clause, Slot::kPreposition), "");
    EXPECT_EQ(s->targets[c.clause].headText2.str(), word("ruleTabi.afterClauseTail"));
    EXPECT_EQ(s->targets[c.clause].kind, 'z');
    EXPECT_EQ(slot(c.other, Slot::kPreposition), "");
    EXPECT_EQ(s->targets[c.other].headText2.str(), "");
  }
}

TEST_F(TaPatterns, BaIiPicksByFormAndQuestionWord) {
  struct Case {
    const char* sentence;
    int node;
    const char* key;
  } const cases[] = {
      {"m 何 pos=6/1; m を pos=9/1; m すれば base=する pos=2/1 conj=16/6; m いい pos=3/1 conj=18/2; p 1-2 head=p2; p 3-4", 6,
       "ruleBaIi.baQuestion"},
      {"m 行けば base=行く pos=2/1 conj=1/6; m いい pos=3/1 conj=18/2; p 1-2", 3, "ruleBaIi.ba"},
      {"m 何 pos=6/1; m を pos=9/1; m したら base=する pos=2/1 conj=16/10; m いい pos=3/1 conj=18/2; p 1-2 head=p2; p 3-4",
       6, "ruleBaIi.taraQuestion"},
      {"m 行ったら base=行く pos=2/1 conj=1/10; m 、 pos=1/1; m よい pos=3/1 conj=18/2; p 1-3", 4, "ruleBaIi.tara"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sentence);
    build(c.sentence);
    ruleBaIi(s);
    EXPECT_EQ(trailer2(c.node), word(c.key));
    EXPECT_EQ(s->targets[c.node].kind, 'z');
    EXPECT_EQ(live().back(), '0');
  }
  // いい whose phrase has a noun feature is not matched.
  build("m 行けば base=行く pos=2/1 conj=1/6; m いい pos=3/1 conj=18/2; p 1-2 s=S2");
  ruleBaIi(s);
  EXPECT_EQ(live(), "11");
  EXPECT_EQ(trailer2(3), "");
}

TEST_F(TaPatterns, TariTariShinai) {
  const std::string words =
      "m 行ったり base=行く pos=2/1 conj=1/12; m 来たり base=来る pos=2/1 conj=15/12; m し base=する pos=2/1 conj=16/7;";
  build(words + "m ない pos=14/7 conj=18/2; p 1-1 head=p2; p 2-4");
  ruleTariTariShinai(s);
  EXPECT_EQ(live(), "1100");
  EXPECT_EQ(slot(5, Slot::kNegation), word("ruleTariTariShinai.first"));
  EXPECT_EQ(slot(6, Slot::kNegation), word("ruleTariTariShinai.further"));
  EXPECT_EQ(source(6, Slot::kNegation), 1);
  // Ending in ませ: nothing past the last word is taken.
  build(words + "m ませ base=ます pos=14/7 conj=30/7; p 1-1 head=p2; p 2-4");
  const std::string before = phrasesLive();
  ruleTariTariShinai(s);
  EXPECT_EQ(live(), "1100");
  EXPECT_EQ(phrasesLive(), before);
  build(words + "m ませ base=ます pos=14/7 conj=30/7; m ん base=ぬ pos=14/7 conj=27/2; m でした base=です pos=14/7 conj=29/8");
  ruleTariTariShinai(s);
  EXPECT_EQ(live(), "110000");
  // No し + ない after the first たり form: nothing.
  build(words + "m た pos=14/7 conj=26/2");
  ruleTariTariShinai(s);
  EXPECT_EQ(live(), "1111");
}

TEST_F(TaPatterns, TameEmptiesTheNoPhraseUnlessTheNextIsMarked) {
  const std::string sentence =
      "m 病気 pos=6/1; m の pos=9/6; m ため pos=6/1; m 休む pos=2/1 conj=1/2; p 1-3 head=p2; p 4-4";
  // Targets start with the mark '*': the slot stays.
  build(sentence);
  ruleTame(s);
  EXPECT_EQ(live(), "1001");
  EXPECT_EQ(slot(5, Slot::kConcession), word("ruleTame.afterNoun"));
  EXPECT_EQ(source(5, Slot::kConcession), 2);
  build(sentence);
  s->targets[6].mark = "K";
  ruleTame(s);
  EXPECT_EQ(slot(5, Slot::kConcession), "");
  EXPECT_EQ(source(5, Slot::kConcession), 0);
  // ために: the の and the に go, and a K mark after it gives way.
  build("m 健康 pos=6/1; m の pos=9/6; m ため pos=6/1; m に pos=9/1; m 走る pos=2/1 conj=5/2; p 1-4 head=p2; p 5-5");
  s->targets[6].mark = "K";
  ruleTame(s);
  EXPECT_EQ(live(), "10001");
  EXPECT_EQ(slot(6, Slot::kConcession), word("ruleTame.tameni"));
  EXPECT_EQ(s->targets[6].mark.str(), "*");
  // A purpose after a plain verb, a cause after its past.
  build("m 学ぶ pos=2/1 conj=5/2; m ため pos=6/1; m 来た base=来る pos=2/1 conj=15/8; p 1-2 head=p2; p 3-3");
  ruleTame(s);
  EXPECT_EQ(live(), "101");
  EXPECT_EQ(slot(4, Slot::kConcession), word("ruleTame.purpose"));
  build("m 降った base=降る pos=2/1 conj=5/8; m ため pos=6/1; m 来た base=来る pos=2/1 conj=15/8; p 1-2 head=p2; p 3-3");
  ruleTame(s);
  EXPECT_EQ(slot(4, Slot::kConcession), word("ruleTame.cause"));
}

TEST_F(TaPatterns, TeShimauAndTsutsuKeepTheirWords) {
  build("m 食べ base=食べる pos=2/1 conj=1/11; m しまう pos=2/1 conj=5/2; m 寒く base=寒い pos=3/1 conj=18/10;"
        "m たまらない pos=3/1 conj=18/2; p 1-2; p 3-4");
  ruleTeShimau(s);
  EXPECT_EQ(live(), "1110");
  EXPECT_EQ(slot(2, Slot::kOwnRendering), word("ruleTeShimau.shimau"));
  EXPECT_EQ(slot(6, Slot::kRestriction), word("ruleTeShimau.tamaranai"));
  build("m 知り base=知る pos=2/1 conj=5/7; m つつ pos=9/3; m も pos=9/2; m 黙る pos=2/1 conj=5/2; p 1-3; p 4-4");
  ruleTsutsu(s);
  EXPECT_EQ(live(), "1101");
  EXPECT_EQ(slot(5, Slot::kConcession), word("ruleTsutsu.tsutsu"));
  EXPECT_EQ(source(5, Slot::kConcession), 2);
}

TEST_F(TaPatterns, TsumoriBothPasses) {
  build("m 行く pos=2/1 conj=1/2; m つもり pos=6/1; m だ pos=5 conj=25/2; p 1-3");
  ruleTsumori(s);
  EXPECT_EQ(live(), "100");
  EXPECT_EQ(slot(4, Slot::kAfterSubject), word("ruleTsumori.base"));
  EXPECT_EQ(source(4, Slot::kAfterSubject), 2);
  EXPECT_EQ(s->targets[4].kind, 'z');
  build("m 行く pos=2/1 conj=1/2; m つもり pos=6/1; m は pos=9/2; m ない pos=3/1 conj=18/2; p 1-4");
  ruleTsumori(s);
  EXPECT_EQ(live(), "1000");
  EXPECT_EQ(slot(5, Slot::kAfterSubject), word("ruleTsumori.naiFirst") + word("ruleTsumori.naiSecond"));
  build("m 見て base=見る pos=2/1 conj=1/11; m いる pos=2/1 conj=1/2; m つもりだ pos=6/1; p 1-3");
  ruleTsumori(s);
  EXPECT_EQ(live(), "110");
  EXPECT_EQ(slot(4, Slot::kAfterSubject), word("ruleTsumori.tsumoridaTeiru"));
}

}  // namespace
}  // namespace jc
