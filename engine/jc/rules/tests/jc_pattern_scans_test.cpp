// The な/に, に…よ and よ…を scans and the tail rules: first match at a word, hosts, kept and
// consumed words, and the mended edges (relinking, bounded appends, the sentence end).
#include <string>

#include "engine/jc/core/jc_predicates.h"
#include "engine/jc/rules/jc_pattern_rules_to_scans.h"
#include "engine/jc/rules/jc_rule_kit.h"
#include "engine/jc/rules/jc_sentence_patterns.h"
#include "engine/jc/rules/tests/rule_fixture.h"

namespace jc {
namespace {

class PatternScans : public RuleTest {
 protected:
  JcLink* link(int governor, int dependent) const {
    for (JcLink* l = s->dependencyList; l && l->next; l = l->next) {
      if (l->governor == governor && l->dependent == dependent) return l;
    }
    return nullptr;
  }
  std::string head(int node) const { return s->targets[node].headText.str(); }
  static std::string nn(const char* key) { return word((std::string("ruleNaNiPatterns.") + key).c_str()); }
  static std::string ny(const char* key) { return word((std::string("ruleNiToYoPatterns.") + key).c_str()); }
};

TEST_F(PatternScans, NagaraByTheWordBefore) {
  // After a verb: its phrase and that phrase's head phrase.
  build("m 歩き base=歩く pos=2/1 conj=5/7; m ながら pos=9/3; m 話す pos=2/1 conj=5/2; p 1-2 head=p2; p 3-3");
  ruleNaNiPatterns(s);
  EXPECT_EQ(live(), "101");
  EXPECT_EQ(slot(4, Slot::kConcession), nn("e1"));
  EXPECT_EQ(slot(5, Slot::kConcession), nn("e1"));
  EXPECT_EQ(source(5, Slot::kConcession), 2);
  // After あり: the concessive reading, the next phrase gets the second half.
  build("m あり base=ある pos=2/1 conj=5/7; m ながら pos=9/3; m 知らない pos=2/1 conj=5/2; p 1-2 head=p2; p 3-3");
  ruleNaNiPatterns(s);
  EXPECT_EQ(live(), "101");
  EXPECT_EQ(slot(4, Slot::kConcession), nn("e3"));
  EXPECT_EQ(slot(5, Slot::kConcession), nn("e4"));
  // After a noun, with も after ながら consumed too.
  build("m 子供 pos=6/1; m ながら pos=9/3; m も pos=9/2; m 偉い pos=3/1 conj=18/2; p 1-3 head=p2; p 4-4");
  ruleNaNiPatterns(s);
  EXPECT_EQ(live(), "1001");
  EXPECT_EQ(slot(5, Slot::kConcession), nn("e2"));
}

TEST_F(PatternScans, NaNiSourcesHostsAndKeptWords) {
  // P5: the source is the word after the particle.
  build("m 英語 pos=6/1; m で pos=9/1; m なくて pos=5/1; m は pos=9/2; m いけない pos=3/1 conj=18/2; p 1-5");
  ruleNaNiPatterns(s);
  EXPECT_EQ(live(), "10000");
  EXPECT_EQ(slot(6, Slot::kAfterSubject), nn("e5"));
  EXPECT_EQ(source(6, Slot::kAfterSubject), 3);
  // P9 with も: trailer 1 of the phrase before も, and も consumed.
  build("m お金 pos=6/1; m も pos=9/2; m なし pos=6/1; m で pos=9/1; m 暮らす pos=2/1 conj=5/2; p 1-4 head=p2; p 5-5");
  ruleNaNiPatterns(s);
  EXPECT_EQ(live(), "10001");
  EXPECT_EQ(head(6), nn("e10"));
  EXPECT_EQ(slot(6, Slot::kCopula), "");
  EXPECT_EQ(slot(7, Slot::kSequence), nn("e12"));
  build("m お金 pos=6/1; m なし pos=6/1; m で pos=9/1; m 暮らす pos=2/1 conj=5/2; p 1-3 head=p2; p 4-4");
  ruleNaNiPatterns(s);
  EXPECT_EQ(live(), "1001");
  EXPECT_EQ(slot(5, Slot::kCopula), nn("e11"));
  // P15 leaves は for the particle rules; P21 acts after a verb too.
  build("m 彼 pos=6/1; m に pos=9/1; m 至って base=至る pos=2/1 conj=5/11; m は pos=9/2; m 知らない pos=2/1 conj=5/2;"
        "p 1-4 head=p2; p 5-5");
  ruleNaNiPatterns(s);
  EXPECT_EQ(live(), "10011");
  EXPECT_EQ(slot(6, Slot::kConcession), nn("e19"));
  build("m 行く pos=2/1 conj=5/2; m に pos=9/1; m かかわり base=かかわる pos=2/1 conj=5/7; m なく pos=5/1; p 1-4");
  ruleNaNiPatterns(s);
  EXPECT_EQ(live(), "1000");
  EXPECT_EQ(slot(5, Slot::kConcession), nn("e26"));
}

// P3, P5 and P7 take the particle after the noun whether or not an earlier rule retired it.
TEST_F(PatternScans, NaPatternsTakeARetiredParticle) {
  const struct {
    const char* sentence;
    Slot slot;
    const char* key1;
    const char* key2;
  } cases[] = {
      {"m 英語 pos=6/1; m で pos=9/1; m なければ pos=5/1; m いけない pos=3/1 conj=18/2; p 1-4", Slot::kAfterSubject, "e5",
       nullptr},
      {"m 英語 pos=6/1; m で pos=9/1; m なくて pos=5/1; m は pos=9/2; m いけない pos=3/1 conj=18/2; p 1-5",
       Slot::kAfterSubject, "e5", nullptr},
      {"m 英語 pos=6/1; m で pos=9/1; m なくて pos=5/1; m も pos=9/2; m いい pos=3/1 conj=18/2; p 1-5", Slot::kModal, "e7",
       "e8"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sentence);
    build(c.sentence);
    consumeWord(s, 2);
    ruleNaNiPatterns(s);
    EXPECT_EQ(live(), std::string("1") + std::string(s->lastMorpheme - 1, '0'));
    const int m = maximalProjection(s, 1);
    EXPECT_EQ(slot(m, c.slot), nn(c.key1) + (c.key2 ? nn(c.key2) : std::string()));
  }
}

TEST_F(PatternScans, NitsukeNitsukeTrailersCarryTheComma) {
  build("m 雨 pos=6/1; m につけ pos=9/1; m 風 pos=6/1; m に pos=9/1; m つけ base=つける pos=2/1 conj=1/7;"
        "m 思い出す pos=2/1 conj=5/2; p 1-2 head=p3; p 3-5 head=p3; p 6-6");
  ruleNaNiPatterns(s);
  EXPECT_EQ(live(), "101001");
  EXPECT_EQ(s->targets[7].headText2.str(), nn("e39") + ",");
  EXPECT_EQ(s->targets[8].headText2.str(), nn("e39") + ",");
}

TEST_F(PatternScans, NiTaisuruClimbsToTheFirstSibling) {
  build("m 国民 pos=6/1; m の pos=9/1; m 政府 pos=6/1; m に pos=9/1; m 対する pos=2/1 conj=16/2; m 批判 pos=6/2;"
        "p 1-2 head=p2; p 3-5 head=p3; p 6-6");
  ruleNaNiPatterns(s);
  EXPECT_EQ(live(), "111001");
  EXPECT_EQ(slot(7, Slot::kPreposition), nn("e37"));
  EXPECT_EQ(source(7, Slot::kPreposition), 4);
  EXPECT_EQ(slot(8, Slot::kPreposition), "");
}

TEST_F(PatternScans, NiTaisuruStopsOnACycleOfSiblingLinks) {
  build("m 政府 pos=6/1; m に pos=9/1; m 対する pos=2/1 conj=16/2; m 批判 pos=6/2; m だ pos=4/1; m 。 pos=1/1;"
        "p 1-3 head=p2; p 4-4 head=p3; p 5-5 head=p4; p 6-6");
  // Broken sibling lists in which phrases 7 and 8 are each the other's first dependent sibling.
  JcNode* n = s->nodes;
  n[7].prevSibling = 9, n[9].prevSibling = 0, n[9].nextSibling = 8, n[9].headPhrase = 0, n[8].headPhrase = 7;
  n[8].prevSibling = 10, n[10].prevSibling = 0, n[10].nextSibling = 7, n[10].headPhrase = 0, n[7].headPhrase = 8;
  ASSERT_EQ(firstSibling(s, 7), 8);
  ASSERT_EQ(firstSibling(s, 8), 7);
  ruleNaNiPatterns(s);
  EXPECT_EQ(live(), "100111");
  EXPECT_EQ(slot(7, Slot::kPreposition) + slot(8, Slot::kPreposition), nn("e37"));
}

TEST_F(PatternScans, NiTodomarazuTrailerUnlessAFullStopFollows) {
  struct Case {
    const char* after;
    bool trailer;
  } const cases[] = {{"m 。 pos=1/1;", false}, {"m 世界 pos=6/1;", true}, {"", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.after);
    const bool more = *c.after != 0;
    build(std::string("m 日本 pos=6/1; m に pos=9/1; m とどまら base=とどまる pos=2/1 conj=5/3; m ず pos=5/1;") + c.after +
          (more ? "p 1-5" : "p 1-4"));
    ruleNaNiPatterns(s);
    const int p = more ? 6 : 5;
    EXPECT_EQ(slot(p, Slot::kConcession), nn("e7") + nn("e27"));
    EXPECT_EQ(s->targets[p].headText2.str(), c.trailer ? "," + nn("e40") : "");
  }
}

TEST_F(PatternScans, NiWaTakesTheRepeatedPredicateBeforeThePurpose) {
  // Both P52 and P53 hold at 行く: the earlier wins.
  build("m 行く pos=2/1 conj=5/2; m に pos=9/1; m は pos=9/2; m 行く pos=2/1 conj=5/2; p 1-3 head=p2; p 4-4");
  ruleNaNiPatterns(s);
  EXPECT_EQ(live(), "1001");
  EXPECT_EQ(s->targets[5].headText2.str(), nn("e42"));
  EXPECT_EQ(slot(5, Slot::kModal), "");
  build("m 行く pos=2/1 conj=5/2; m に pos=9/1; m は pos=9/2; m 遠い pos=3/1 conj=18/2; p 1-3 head=p2; p 4-4");
  ruleNaNiPatterns(s);
  EXPECT_EQ(live(), "1001");
  EXPECT_EQ(slot(5, Slot::kModal), nn("e43"));
}

TEST_F(PatternScans, MadeniAndNimade) {
  build("m 東京 pos=6/1; m に pos=9/1; m まで pos=9/2; m 行く pos=2/1 conj=5/2; p 1-3 head=p2; p 4-4");
  ruleNiToYoPatterns(s);
  EXPECT_EQ(live(), "1001");
  EXPECT_EQ(slot(5, Slot::kPreposition), ny("r02e1"));
  EXPECT_EQ(head(5), ny("r02e2"));
  struct Case {
    const char* noun;
    const char* live;
    const char* key;
  } const cases[] = {{"これ", "0001", "r03e1"}, {"昨日", "1001", "r03e2"}, {"大阪", "1001", "r03e2"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.noun);
    build(std::string("m ") + c.noun + " pos=6/1; m まで pos=9/2; m に pos=9/1; m 着く pos=2/1 conj=5/2; p 1-3 head=p2; p 4-4");
    ruleNiToYoPatterns(s);
    EXPECT_EQ(live(), c.live);
    EXPECT_EQ(head(5), ny(c.key));
    EXPECT_EQ(s->targets[5].mark.str(), "*");
  }
}

TEST_F(PatternScans, NimokakawarazuAndTheToBeforeNi) {
  struct Case {
    const char* words;
    const char* live;
    std::string text;
  } const cases[] = {
      {"m 雨 pos=6/1; m に pos=9/1; m も pos=9/2; m かかわらず pos=2/1 conj=5/3; m 行く pos=2/1 conj=5/2", "10001",
       ny("r06e1") + ny("r06e2")},
      {"m 降った base=降る pos=2/1 conj=5/8; m に pos=9/1; m も pos=9/2; m かかわらず pos=2/1 conj=5/3; m 行く pos=2/1 conj=5/2",
       "10001", ny("r06e1")},
      {"m 雨 pos=6/1; m と pos=9/1; m に pos=9/1; m かかわらず pos=2/1 conj=5/3; m 行く pos=2/1 conj=5/2", "10001",
       ny("r08e1")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.words);
    build(std::string(c.words) + "; p 1-4 head=p2; p 5-5");
    ruleNiToYoPatterns(s);
    EXPECT_EQ(live(), c.live);
    EXPECT_EQ(slot(6, Slot::kConcession), c.text);
  }
}

TEST_F(PatternScans, NiyotteWaBeforeNiyotte) {
  build("m 場合 pos=6/1; m に pos=9/1; m よって pos=2/1 conj=5/11; m は pos=9/2; m 違う pos=2/1 conj=5/2; p 1-4 head=p2; p 5-5");
  ruleNiToYoPatterns(s);
  EXPECT_EQ(live(), "10001");
  EXPECT_EQ(slot(6, Slot::kPreposition), ny("r10e1"));
  EXPECT_EQ(head(6), ny("r10e2"));
  build("m 彼 pos=6/1; m に pos=9/1; m よって pos=2/1 conj=5/11; m 書かれた pos=2/1 conj=5/8; p 1-3 head=p2; p 4-4");
  ruleNiToYoPatterns(s);
  EXPECT_EQ(live(), "1001");
  EXPECT_EQ(slot(5, Slot::kConcession), ny("r11e1"));
  EXPECT_EQ(s->targets[5].mark.str(), "*");
}

TEST_F(PatternScans, NebaNarimasenKeepsMasu) {
  build("m 読ま base=読む pos=2/1 conj=5/3; m ねば pos=9/3; m なり base=なる pos=2/1 conj=5/7; m ませ base=ます pos=14/7 conj=30/7;"
        "m ん base=ぬ pos=14/7 conj=27/2; p 1-5");
  ruleNiToYoPatterns(s);
  EXPECT_EQ(live(), "10010");
  EXPECT_EQ(slot(6, Slot::kAfterSubject), ny("r19e1"));
  EXPECT_EQ(s->targets[4].kind, 'z');
  EXPECT_EQ(s->targets[6].kind, 'z');
}

TEST_F(PatternScans, DewaNakunaruAppendsAtWholeCharacters) {
  build("m 学生 pos=6/1; m で pos=4/1; m は pos=9/2; m なく base=ない pos=5/1; m なる pos=2/1 conj=5/2; p 1-5");
  const std::string filler = ny("r21e1") + ny("r21e1");  // 16 bytes
  s->targets[6].slots[6] = filler;
  ruleNiToYoPatterns(s);
  EXPECT_EQ(live(), "10000");
  EXPECT_EQ(slot(6, Slot::kConcession), filler + ny("r21e1").substr(0, 2));
  EXPECT_EQ(source(6, Slot::kConcession), 2);
}

TEST_F(PatternScans, NounBakariRelinksTheNounPhraseToTheVerb) {
  build("m 勉強 pos=6/2; m ばかり pos=9/2; m する pos=2/1 conj=16/2; p 1-2 head=p2 label=D10; p 3-3");
  link(5, 4)->carriedFlag = 1;
  ruleNiToYoPatterns(s);
  EXPECT_EQ(live(), "100");
  EXPECT_EQ(slot(5, Slot::kConcession), ny("r29e5"));
  EXPECT_EQ(s->nodes[4].depLabel.str(), "D27");
  // The item stays (governor: the verb phrase, dependent: the noun phrase), relabelled, its flag kept.
  const JcLink* l = link(5, 4);
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(l->label.str(), "D27");
  EXPECT_EQ(l->carriedFlag, 1);
  EXPECT_EQ(link(4, 5), nullptr);
  // A numeral: trailer 1 of the word itself.
  build("m 三 pos=6/7; m ばかり pos=9/2; m 残る pos=2/1 conj=5/2; p 1-2 head=p2; p 3-3");
  ruleNiToYoPatterns(s);
  EXPECT_EQ(live(), "101");
  EXPECT_EQ(head(1), ny("r29e3"));
}

TEST_F(PatternScans, YomebaYomuHodo) {
  build("m 読めば base=読む pos=2/1 conj=5/6 zh=読:V; m 読む pos=2/1 conj=5/2; m ほど pos=9/2; m 分かる pos=2/1 conj=5/2;"
        "p 1-1 head=p2; p 2-3 head=p3; p 4-4");
  ruleNiToYoPatterns(s);
  EXPECT_EQ(live(), "1001");
  EXPECT_EQ(slot(5, Slot::kRestriction), ny("r39e1"));
  EXPECT_EQ(head(5), ny("r39e2"));
  EXPECT_EQ(s->targets[1].candidates->valency.str(), "V;@");
}

TEST_F(PatternScans, HodoRendersItselfAndRetiresTheNegation) {
  build("m 彼 pos=6/1; m ほど pos=9/2; m 高く base=高い pos=3/1 conj=18/6; m ない pos=5/1 conj=18/2; p 1-2 head=p2; p 3-4");
  ruleNiToYoPatterns(s);
  EXPECT_EQ(live(), "1110");
  EXPECT_EQ(slot(5, Slot::kCopula), ny("r60e1"));
  EXPECT_EQ(slot(2, Slot::kOwnRendering), ny("r60e3"));
  build("m これ pos=7/1; m ほど pos=9/2; m 高い pos=3/1 conj=18/2; p 1-2 head=p2; p 3-3");
  s->nodes[1].pos = "6";
  ruleNiToYoPatterns(s);
  EXPECT_EQ(slot(2, Slot::kOwnRendering), ny("r60e4"));
  // A counter without a negation: ほど keeps no rendering.
  build("m 三 pos=6/7; m 日 pos=14/3; m ほど pos=9/2; m 休む pos=2/1 conj=5/2; p 1-3 head=p2; p 4-4");
  ruleNiToYoPatterns(s);
  EXPECT_EQ(live(), "1111");
  EXPECT_EQ(slot(3, Slot::kOwnRendering), "");
}

TEST_F(PatternScans, YouniMieruAfterANounEatsTheNextWordOnly) {
  build("m 子供 pos=6/1; m の pos=9/1; m ように pos=5/1; m 見える pos=2/1 conj=1/2; m 。 pos=1/1; p 1-5");
  ruleNiToYoPatterns(s);
  EXPECT_EQ(live(), "10000");
  EXPECT_EQ(slot(6, Slot::kSeeming), ny("r94e1"));
  build("m 子供 pos=6/1; m が pos=9/1; m 遊ぶ pos=2/1 conj=5/2; m ように pos=5/1; m 見える pos=2/1 conj=1/2; m 。 pos=1/1;"
        "p 1-2 head=p2; p 3-6");
  ruleNiToYoPatterns(s);
  EXPECT_EQ(live(), "111001");
  EXPECT_EQ(slot(8, Slot::kSeeming), ny("r95e1"));
  // At the sentence end nothing past the last word is touched.
  build("m 子供 pos=6/1; m の pos=9/1; m ように pos=5/1; m 見える pos=2/1 conj=1/2; p 1-4");
  ruleNiToYoPatterns(s);
  EXPECT_EQ(live(), "1000");
  EXPECT_EQ(s->targets[5].live, 1);
}

TEST_F(PatternScans, MonokaOnlyWithAFinalParticle) {
  for (const char* sub : {"4", "1"}) {
    SCOPED_TRACE(sub);
    build(std::string("m 行く pos=2/1 conj=5/2; m もの pos=6/1; m か pos=9/") + sub + "; p 1-3");
    ruleNiToYoPatterns(s);
    const bool final = *sub == '4';
    EXPECT_EQ(live(), final ? "100" : "111");
    EXPECT_EQ(slot(4, Slot::kConcession), final ? ny("r71e1") : "");
  }
}

TEST_F(PatternScans, YaNadoAndMoShinakereba) {
  build("m 本 pos=6/1; m や pos=9/5; m 雑誌 pos=6/1; m など pos=9/2; p 1-4");
  ruleNiToYoPatterns(s);
  EXPECT_EQ(live(), "1111");
  EXPECT_EQ(slot(2, Slot::kOwnRendering), ny("r79e1"));
  EXPECT_EQ(slot(4, Slot::kOwnRendering), ny("r79e2"));
  build("m 勉強 pos=6/2; m も pos=9/2; m し base=する pos=2/1 conj=16/7; m なければ base=ない pos=5/1 conj=18/5;"
        "m 仕事 pos=6/2; m も pos=9/2; m し base=する pos=2/1 conj=16/7; m ない pos=5/1 conj=18/2; p 1-4 head=p2; p 5-8");
  ruleNiToYoPatterns(s);
  EXPECT_EQ(live(), "10001000");
  EXPECT_EQ(slot(9, Slot::kConcession), ny("r66e1"));
  EXPECT_EQ(source(9, Slot::kConcession), 2);
  EXPECT_EQ(slot(5, Slot::kConcession), ny("r66e2"));
  EXPECT_EQ(source(5, Slot::kConcession), 6);
}

TEST_F(PatternScans, YoToWoRows) {
  auto yw = [](const char* k) { return word((std::string("ruleYoToWoPatterns.") + k).c_str()); };
  // 仕方がない only as that surface; しかたがない in any form.
  build("m 待つ pos=2/1 conj=5/2; m より pos=9/1; m 仕方がなかった base=仕方がない pos=3/1 conj=18/8; p 1-3");
  ruleYoToWoPatterns(s);
  EXPECT_EQ(live(), "111");
  build("m 待つ pos=2/1 conj=5/2; m より pos=9/1; m しかたがなかった base=しかたがない pos=3/1 conj=18/8; p 1-3");
  ruleYoToWoPatterns(s);
  EXPECT_EQ(live(), "100");
  EXPECT_EQ(slot(4, Slot::kAfterSubject), yw("r01e1"));
  // 男らしい男 and 男らしい人.
  build("m 男 pos=6/1; m らしい pos=14/5 conj=18/2; m 男 pos=6/1; p 1-3");
  ruleYoToWoPatterns(s);
  EXPECT_EQ(live(), "100");
  EXPECT_EQ(slot(4, Slot::kBeforeHead), yw("r04e1"));
  build("m 男 pos=6/1; m らしい pos=14/5 conj=18/2; m 人 pos=6/1; p 1-3");
  ruleYoToWoPatterns(s);
  EXPECT_EQ(live(), "111");
  // わけではない: the negation is the source; the words go before the predicate's first word.
  build("m 行く pos=2/1 conj=5/2; m わけ pos=6/1; m で pos=4/1; m は pos=9/2; m ない pos=5/1 conj=18/2; p 1-5");
  ruleYoToWoPatterns(s);
  EXPECT_EQ(live(), "10000");
  EXPECT_EQ(slot(1, Slot::kCopula), yw("r05e1"));
  EXPECT_EQ(source(1, Slot::kCopula), 5);
  // を初めとする + noun before を初め alone.
  build("m 彼 pos=6/1; m を pos=9/1; m はじめ pos=6/1; m と pos=9/1; m する pos=2/1 conj=16/2; m 人々 pos=6/1;"
        "p 1-5 head=p2; p 6-6");
  ruleYoToWoPatterns(s);
  EXPECT_EQ(live(), "100001");
  EXPECT_EQ(slot(7, Slot::kPreposition), yw("r14e1"));
  EXPECT_EQ(head(7), yw("r14e2"));
  build("m 彼 pos=6/1; m を pos=9/1; m はじめ pos=6/1; m 皆 pos=6/1; m 来た base=来る pos=2/1 conj=12/8;"
        "p 1-3 head=p3; p 4-4 head=p3; p 5-5");
  ruleYoToWoPatterns(s);
  EXPECT_EQ(live(), "10011");
  EXPECT_EQ(slot(6, Slot::kPreposition), yw("r15e1"));
  // んがために(は).
  for (const bool wa : {true, false}) {
    build(std::string("m 勝た base=勝つ pos=2/1 conj=5/3; m ん pos=5/1; m が pos=9/1; m ため pos=6/1; m に pos=9/1;") +
          (wa ? "m は pos=9/2;" : "m 努力 pos=6/2;") + "p 1-6");
    ruleYoToWoPatterns(s);
    EXPECT_EQ(live(), wa ? "100000" : "100001");
  }
}

TEST_F(PatternScans, WoNiSuruWritesTheUsageCodesUnlessMarked) {
  for (const int marked : {0, 6, 7}) {
    SCOPED_TRACE(marked);
    build("m 彼 pos=6/1; m を pos=9/1; m 委員長 pos=6/1; m に pos=9/1; m する pos=2/1 conj=16/2;"
          "p 1-2 head=p3; p 3-4 head=p3; p 5-5");
    if (marked) s->targets[marked].mark = "K";
    ruleWoNiSuruToIu(s);
    if (marked) {
      EXPECT_EQ(live(), "11111");
      EXPECT_EQ(s->nodes[6].usageCode.str(), "");
      continue;
    }
    EXPECT_EQ(live(), "10100");
    EXPECT_EQ(slot(6, Slot::kPreposition), word("ruleWoNiSuruToIu.e1"));
    EXPECT_EQ(source(6, Slot::kPreposition), 2);
    EXPECT_EQ(slot(7, Slot::kCopula), word("ruleWoNiSuruToIu.e2"));
    EXPECT_EQ(source(7, Slot::kCopula), 4);
    EXPECT_EQ(s->nodes[6].usageCode.str(), "WO3");
    EXPECT_EQ(s->nodes[7].usageCode.str(), "NI99");
  }
}

TEST_F(PatternScans, MoBaMoPairsTheTwoMo) {
  build("m 雨 pos=6/1; m も pos=9/2; m 降れ base=降る pos=2/1 conj=5/6; m ば pos=9/3; m 風 pos=6/1; m も pos=9/2;"
        "m 吹く pos=2/1 conj=5/2; p 1-4 head=p2; p 5-7");
  ruleMoBaMo(s);
  EXPECT_EQ(live(), "1011101");
  EXPECT_EQ(slot(8, Slot::kConcession), word("ruleMoBaMo.e1"));
  EXPECT_EQ(source(8, Slot::kConcession), 2);
  EXPECT_EQ(slot(9, Slot::kConcession), word("ruleMoBaMo.e2"));
  EXPECT_EQ(source(9, Slot::kConcession), 6);
  EXPECT_EQ(s->targets[8].kind, 'z');
  // A も before a plain verb is skipped.
  build("m 雨 pos=6/1; m も pos=9/2; m 降る pos=2/1 conj=5/2; m 風 pos=6/1; m も pos=9/2; m 吹く pos=2/1 conj=5/2; p 1-3; p 4-6");
  ruleMoBaMo(s);
  EXPECT_EQ(live(), "111111");
}

TEST_F(PatternScans, MaeNiSuruAtoNiSuruMettaniAndHonorificO) {
  build("m 試験 pos=6/1; m を pos=9/1; m 前 pos=6/1; m に pos=9/1; m する pos=2/1 conj=16/2; p 1-2 head=p2; p 3-5");
  ruleWoMaeAtoNiSuru(s);
  EXPECT_EQ(live(), "11001");
  EXPECT_EQ(slot(5, Slot::kOwnRendering), word("ruleWoMaeAtoNiSuru.maeSuru"));
  EXPECT_EQ(head(6), word("ruleWoMaeAtoNiSuru.maeTrailer"));
  build("m 試験 pos=6/1; m を pos=9/1; m 前 pos=6/1; m に pos=9/1; m して base=する pos=2/1 conj=16/11; p 1-2 head=p2; p 3-5");
  ruleWoMaeAtoNiSuru(s);
  EXPECT_EQ(live(), "10101");
  EXPECT_EQ(s->nodes[6].usageCode.str(), "WO3");
  build("m 家 pos=6/1; m を pos=9/1; m 後 pos=6/1; m に pos=9/1; m した base=する pos=2/1 conj=16/8; p 1-2 head=p2; p 3-5");
  ruleWoMaeAtoNiSuru(s);
  EXPECT_EQ(live(), "11001");
  EXPECT_EQ(slot(5, Slot::kOwnRendering), word("ruleWoMaeAtoNiSuru.atoSuru"));

  build("m めった pos=8/1; m に pos=9/1; m 来 base=来る pos=2/1 conj=12/3; m ない pos=5/1 conj=18/2; p 1-2 head=p2; p 3-4");
  ruleMettaNi(s);
  EXPECT_EQ(live(), "1110");
  EXPECT_EQ(slot(1, Slot::kOwnRendering), word("ruleMettaNi.metta"));

  build("m お pos=13; m 読み base=読む pos=2/1 conj=5/7; m に pos=9/1; m なる pos=2/1 conj=5/2; p 1-4");
  ruleKotoDakePatterns(s);
  EXPECT_EQ(live(), "0100");
  build("m 読む pos=2/1 conj=5/2; m こと pos=6/1; m は pos=9/2; m 読んだ base=読む pos=2/1 conj=5/8; p 1-3 head=p2; p 4-4");
  ruleKotoDakePatterns(s);
  EXPECT_EQ(live(), "1011");
  EXPECT_EQ(head(5), word("ruleKotoDakePatterns.e1"));
}

TEST_F(PatternScans, EachRuleHoldsItsPlace) {
  struct Place {
    int place;
    SentencePatternRule rule;
  } const places[] = {
      {143, ruleToiedomo},       {144, ruleToiwazu},        {146, ruleToOmou},       {147, ruleToori},
      {148, ruleTokitara},       {149, ruleTokiteiru},      {150, ruleTokoro},       {151, ruleDokoroka},
      {152, ruleToSugu},         {153, ruleTotan},          {155, ruleToDouji},      {156, ruleToNaku},
      {157, ruleToNaru},         {158, ruleToNo},           {159, ruleToha},         {160, ruleTomo},
      {161, ruleNai},            {164, ruleNakanaka},       {165, ruleNaNiPatterns}, {166, ruleNiToYoPatterns},
      {167, ruleYoToWoPatterns}, {172, ruleMettaNi},        {173, ruleWoMaeAtoNiSuru}, {174, ruleWoNiSuruToIu},
      {175, ruleToSuru},         {176, ruleKotoDakePatterns}, {177, ruleMoBaMo},
  };
  for (const Place& p : places) EXPECT_EQ(sentencePatternPlaces()[p.place - 1].apply, p.rule) << p.place;
}

}  // namespace
}  // namespace jc
