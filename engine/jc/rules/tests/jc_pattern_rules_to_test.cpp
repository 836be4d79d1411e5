// The sentence patterns on と and ない: first matches within a word, the kept and consumed words,
// and the texts with their source words.
#include <string>

#include "engine/jc/core/jc_predicates.h"
#include "engine/jc/rules/jc_pattern_rules_to_scans.h"
#include "engine/jc/rules/jc_rule_kit.h"
#include "engine/jc/rules/tests/rule_fixture.h"

namespace jc {
namespace {

class ToRules : public RuleTest {
 protected:
  // The dependency item (governor, dependent) with its label, or null.
  const JcLink* link(int governor, int dependent) const {
    for (const JcLink* l = s->dependencyList; l && l->next; l = l->next) {
      if (l->governor == governor && l->dependent == dependent) return l;
    }
    return nullptr;
  }
};

constexpr const char* kNoun = "pos=6/1";

TEST_F(ToRules, ToiedomoTakesTheFirstPatternOfEachGroup) {
  struct Case {
    const char* words;
    const char* live;
    const char* key;
    bool suffix;
  } const cases[] = {
      // と言っても過言ではない with も: A6, seven words; without も: B1, six.
      {"m 彼 pos=6/1; m と pos=9/1; m 言って base=言う pos=2/1 conj=5/11; m も pos=9/2; m 過言 pos=6/1; m で pos=4/1;"
       "m は pos=9/2; m ない pos=5/1 conj=18/2",
       "10000000", "ruleToiedomo.e4", false},
      {"m 彼 pos=6/1; m と pos=9/1; m 言って base=言う pos=2/1 conj=5/11; m 過言 pos=6/1; m で pos=4/1; m は pos=9/2;"
       "m ない pos=5/1 conj=18/2",
       "1000000", "ruleToiedomo.e4", false},
      // と言ってもいい: B2; と言っていい: B3; both with the nominal suffix.
      {"m 彼 pos=6/1; m と pos=9/1; m 言って base=言う pos=2/1 conj=5/11; m も pos=9/2; m いい pos=3/1 conj=18/2", "10000",
       "ruleToiedomo.e4", true},
      {"m 彼 pos=6/1; m と pos=9/1; m 言って base=言う pos=2/1 conj=5/11; m いい pos=3/1 conj=18/2", "1000",
       "ruleToiedomo.e4", true},
      // といえば: A4, no suffix.
      {"m 夏 pos=6/1; m と pos=9/1; m いえば base=いう pos=2/1 conj=5/6; m 海 pos=6/1", "1001", "ruleToiedomo.e5", false},
      // と言っても: B4 consumes も.
      {"m 日本 pos=6/1; m と pos=9/1; m 言って base=言う pos=2/1 conj=5/11; m も pos=9/2; m 広い pos=3/1 conj=18/2",
       "10001", "ruleToiedomo.e7", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.words);
    build(c.words);
    ruleToiedomo(s);
    EXPECT_EQ(live(), c.live);
    EXPECT_EQ(slot(1, Slot::kClauseOpener), word(c.key) + (c.suffix ? word("ruleToiedomo.e2") : ""));
    EXPECT_EQ(source(1, Slot::kClauseOpener), 2);
  }
}

TEST_F(ToRules, ToiedomoHitokuchiKeepsMoAndB6ReadsTheTypeMark) {
  build("m 一口 pos=6/1; m に pos=9/1; m 日本 pos=6/1; m と pos=9/1; m 言って base=言う pos=2/1 conj=5/11; m も pos=9/2;"
        "m 広い pos=3/1 conj=18/2");
  ruleToiedomo(s);
  EXPECT_EQ(live(), "0010011");
  EXPECT_EQ(slot(3, Slot::kClauseOpener), word("ruleToiedomo.e6") + word("ruleToiedomo.e2"));
  EXPECT_EQ(source(3, Slot::kClauseOpener), 1);
  // B6: a phrase marked "j" becomes "y" and takes the short text.
  for (const char kind : {'j', 'z'}) {
    build("m 彼 pos=6/1; m と pos=9/1; m 言わ base=言う pos=2/1 conj=5/3; m れる pos=14/7 conj=1/2; p 1-2 head=p2; p 3-4");
    s->targets[6].kind = kind;
    ruleToiedomo(s);
    EXPECT_EQ(live(), "1000");
    EXPECT_EQ(s->targets[6].kind, kind == 'j' ? 'y' : 'z');
    EXPECT_EQ(slot(5, Slot::kClauseOpener), word(kind == 'j' ? "ruleToiedomo.e5" : "ruleToiedomo.e8") + word("ruleToiedomo.e2"));
  }
}

TEST_F(ToRules, ToiwazuNeedsAPairAndResumesAfterIt) {
  build("m 昼 pos=6/1; m と pos=9/1; m 言わ base=言う pos=2/1 conj=5/3; m ず pos=5/1; m 働く pos=2/1 conj=5/2");
  ruleToiwazu(s);
  EXPECT_EQ(live(), "11111");
  build("m 昼 pos=6/1; m と pos=9/1; m 言わず pos=2/1 conj=5/3; m 夜 pos=6/1; m と pos=9/1; m 言わず pos=2/1 conj=5/3;"
        "m 働く pos=2/1 conj=5/2; p 1-3 head=p3; p 4-6 head=p3; p 7-7");
  ruleToiwazu(s);
  EXPECT_EQ(live(), "1001001");
  EXPECT_EQ(slot(8, Slot::kConcession), word("ruleToiwazu.e1") + word("ruleToiwazu.e2"));
  EXPECT_EQ(source(8, Slot::kConcession), 2);
  EXPECT_EQ(slot(9, Slot::kConcession), word("ruleToiwazu.e3"));
  EXPECT_EQ(source(9, Slot::kConcession), 5);
}

TEST_F(ToRules, ToOmouTakesTheConditionalAndToSareru) {
  build("m 来る pos=2/1 conj=5/2; m か pos=9/4; m と pos=9/1; m 思えば base=思う pos=2/1 conj=5/6; m 雨 pos=6/1;"
        "p 1-3 head=p2; p 4-4 head=p3; p 5-5");
  ruleToOmou(s);
  EXPECT_EQ(live(), "11001");
  EXPECT_EQ(slot(6, Slot::kAfterSubject), word("ruleToOmou.e1"));
  EXPECT_EQ(source(6, Slot::kAfterSubject), 3);
  EXPECT_EQ(s->targets[7].kind, 'z');
  // とされる after a noun: kCopula with the suffix.
  build("m 名作 pos=6/1; m と pos=9/1; m さ base=する pos=2/1 conj=16/3; m れる pos=14/7 conj=1/2; m て pos=9/3;"
        "m いる pos=2/1 conj=1/2; p 1-2 head=p2; p 3-6");
  ruleToOmou(s);
  EXPECT_EQ(live(), "100011");
  EXPECT_EQ(slot(7, Slot::kCopula), word("ruleToOmou.e4") + word("ruleToOmou.e3"));
  EXPECT_EQ(source(7, Slot::kCopula), 3);
}

TEST_F(ToRules, SingleExpressionRules) {
  struct Case {
    const char* words;
    void (*rule)(JcSentence*);
    const char* live;
    int node;
    Slot slotNo;
    const char* key;
    int src;  // 0: no source expected
  } const cases[] = {
      {"m 何度 pos=6/1; m と pos=9/1; m なく pos=5/1; m 見た base=見る pos=2/1 conj=1/8; p 1-3 head=p2; p 4-4", ruleToNaku,
       "1001", 5, Slot::kBeforeHead, "ruleToNaku.e1", 0},
      {"m 夏 pos=6/1; m と pos=9/1; m なる pos=2/1 conj=5/2; m と pos=9/1; m 暑い pos=3/1 conj=18/2; p 1-4 head=p2; p 5-5",
       ruleToNaru, "10001", 6, Slot::kAfterSubject, "ruleToNaru.e1", 2},
      {"m 来る pos=2/1 conj=5/2; m と pos=9/1; m の pos=9/1; m こと pos=6/1; m だ pos=4/1; p 1-5", ruleToNo, "10000", 6, Slot::kSeeming,
       "ruleToNo.e1", 0},
      {"m 行く pos=2/1 conj=5/2; m と pos=9/1; m の pos=9/1; m 連絡 pos=6/2; p 1-3 head=p2; p 4-4", ruleToNo, "1001", 6, Slot::kConcession,
       "ruleToNo.e2", 2},
      {"m 安い pos=3/1 conj=18/2; m と pos=9/1; m 来て base=来る pos=2/1 conj=12/11; m いる pos=2/1 conj=1/2; p 1-4",
       ruleTokiteiru, "1000", 5, Slot::kConcession, "ruleTokiteiru.e1", 2},
      {"m 雨 pos=6/1; m どころ pos=6/1; m か pos=9/4; m 嵐 pos=6/1; p 1-3 head=p2; p 4-4", ruleDokoroka, "1001", 5, Slot::kConcession,
       "ruleDokoroka.e1", 2},
      {"m 着く pos=2/1 conj=5/2; m と pos=9/1; m すぐ pos=8/1; m に pos=9/1; m 寝た base=寝る pos=2/1 conj=1/8;"
       "p 1-4 head=p2; p 5-5",
       ruleToSugu, "10001", 6, Slot::kSequence, "ruleToSugu.e1", 0},
      {"m 行く pos=2/1 conj=5/2; m と pos=9/1; m する pos=2/1 conj=16/2; m と pos=9/1; m 遠い pos=3/1 conj=18/2;"
       "p 1-4 head=p2; p 5-5",
       ruleToSuru, "10011", 6, Slot::kConcession, "ruleToSuru.e1", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.words);
    build(c.words);
    c.rule(s);
    EXPECT_EQ(live(), c.live);
    EXPECT_EQ(slot(c.node, c.slotNo), word(c.key));
    if (c.src) {
      EXPECT_EQ(source(c.node, c.slotNo), c.src);
    }
  }
  // とすぐ also fills trailer 1.
  build(cases[6].words);
  ruleToSugu(s);
  EXPECT_EQ(s->targets[6].headText.str(), word("ruleToSugu.e2"));
}

TEST_F(ToRules, TooriSearchesTheKanjiFormFirst) {
  build("m 言う pos=2/1 conj=5/2; m の pos=9/1; m とおり pos=6/1; m に pos=9/1; m 例 pos=6/1; m の pos=9/1; m 通り pos=6/1;"
        "m に pos=9/1; p 1-4; p 5-8");
  ruleToori(s);
  // 通り is taken first; the search goes on after it and no とおり lies there.
  EXPECT_EQ(live(), "11111000");
  EXPECT_EQ(slot(10, Slot::kConcession), word("ruleToori.e1"));
  EXPECT_EQ(source(10, Slot::kConcession), 7);
}

TEST_F(ToRules, TokitaraDoesNotLookBeforeTheFirstWord) {
  build("m きたら pos=2/1 conj=4/10; m 彼 pos=6/1");
  ruleTokitara(s);
  EXPECT_EQ(live(), "11");
  build("m 彼 pos=6/1; m と pos=9/1; m きたら pos=2/1 conj=4/10; m 困る pos=2/1 conj=5/2; p 1-3 head=p2; p 4-4");
  ruleTokitara(s);
  EXPECT_EQ(live(), "1001");
  EXPECT_EQ(slot(5, Slot::kConcession), word("ruleTokitara.e1"));
  EXPECT_EQ(source(5, Slot::kConcession), 3);
}

TEST_F(ToRules, TokoroMadeIkanaiAndItsNegations) {
  struct Case {
    const char* tail;
    const char* live;
    const char* key;
  } const cases[] = {
      {"m い pos=2/1 conj=1/3; m ない pos=5/1 conj=18/2", "1110000", "ruleTokoro.e7"},
      {"m ない pos=5/1 conj=18/2; m 。 pos=1/1", "1110001", "ruleTokoro.e7"},
      {"m た pos=5/1; m 。 pos=1/1", "1110011", "ruleTokoro.e8"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tail);
    build(std::string("m 完成 pos=6/2; m する pos=2/1 conj=16/2; m ところ pos=6/1; m まで pos=9/2; m 行か base=行く pos=2/1 conj=5/3;") +
          c.tail + "; p 1-2 head=p2; p 3-7");
    ruleTokoro(s);
    EXPECT_EQ(live(), c.live);
    EXPECT_EQ(slot(8, Slot::kConcession), word(c.key));
    EXPECT_EQ(source(8, Slot::kConcession), 4);
    EXPECT_EQ(slot(3, Slot::kOwnRendering), word("ruleTokoro.e9"));
  }
}

TEST_F(ToRules, ToshikaOmoenaiAddsTheSuffixAfterANoun) {
  build("m 偶然 pos=6/1; m と pos=9/1; m しか pos=9/2; m 思え base=思う pos=2/1 conj=5/3; m ない pos=5/1 conj=18/2");
  ruleToshikaOmoenai(s);
  EXPECT_EQ(live(), "10000");
  EXPECT_EQ(slot(1, Slot::kCopula), word("ruleToshikaOmoenai.e1") + word("ruleToshikaOmoenai.e2"));
  EXPECT_EQ(source(1, Slot::kCopula), 2);
}

TEST_F(ToRules, ToSuruByFormOfSuru) {
  // とすれば: only と and する go.
  build("m 行く pos=2/1 conj=5/2; m と pos=9/1; m すれば base=する pos=2/1 conj=16/6; m 雨 pos=6/1");
  ruleToSuru(s);
  EXPECT_EQ(live(), "1001");
  EXPECT_EQ(slot(1, Slot::kConcession), "");
  // としても: the root and the final head phrase.
  build("m 行く pos=2/1 conj=5/2; m と pos=9/1; m して base=する pos=2/1 conj=16/11; m も pos=9/2; m 遅い pos=3/1 conj=18/2;"
        "p 1-4 head=p2; p 5-5");
  ruleToSuru(s);
  EXPECT_EQ(live(), "10001");
  EXPECT_EQ(slot(6, Slot::kConcession), word("ruleToSuru.e2"));
  EXPECT_EQ(slot(7, Slot::kInclusive), word("ruleToSuru.e3"));
}

TEST_F(ToRules, TotanZeroesTheFieldOfTheFirstCandidate) {
  build("m 出た base=出る pos=2/1 conj=1/8 zh=出:VI:1abc; m 途端 pos=6/1; m に pos=9/1; m 雨 pos=6/1; p 1-3 head=p2; p 4-4");
  ruleTotan(s);
  EXPECT_EQ(live(), "1001");
  EXPECT_EQ(slot(5, Slot::kSequence), word("ruleTotan.e1"));
  EXPECT_EQ(s->targets[5].kind, 'z');
  EXPECT_EQ(slot(6, Slot::kSequence), word("ruleTotan.e2"));
  EXPECT_EQ(s->targets[1].candidates->extra.str(), "0abc");
}

TEST_F(ToRules, ToDoujiVerbAndNoun) {
  build("m 帰る pos=2/1 conj=5/2; m と pos=9/1; m 共に pos=8/1; m 彼 pos=6/1; m と pos=9/1; m ともに pos=8/1; m 行く pos=2/1 conj=5/2;"
        "p 1-3 head=p3; p 4-6 head=p3; p 7-7");
  ruleToDouji(s);
  EXPECT_EQ(live(), "1001001");
  EXPECT_EQ(s->targets[8].headText2.str(), word("ruleToDouji.e1"));
  EXPECT_EQ(slot(8, Slot::kPreposition), "");
  EXPECT_EQ(slot(9, Slot::kPreposition), word("ruleToDouji.e2"));
  EXPECT_EQ(source(9, Slot::kPreposition), 5);
  EXPECT_EQ(s->targets[9].headText2.str(), word("ruleToDouji.e3"));
}

TEST_F(ToRules, TohaP1ConsumesDakeAndP6RelinksTheToPhrase) {
  build("m 名前 pos=6/1; m だけ pos=9/2; m と pos=9/1; m は pos=9/2; m いえ base=いう pos=2/1 conj=5/6; m 有名 pos=6/1;"
        "p 1-5 head=p2; p 6-6");
  ruleToha(s);
  EXPECT_EQ(live(), "100001");
  // だけ counts as nominal (it looks back to 名前), so the suffix follows.
  EXPECT_EQ(slot(7, Slot::kConcession), word("ruleToha.e1") + word("ruleToha.e2"));
  EXPECT_EQ(source(7, Slot::kConcession), 2);

  // 彼 と は 思う: the と phrase hangs on the 思う phrase under D10; it becomes D21 and TO3.
  build("m 彼 pos=6/1; m と pos=9/1; m は pos=9/2; m 思う pos=2/1 conj=5/2; p 1-3 head=p2 label=D10; p 4-4");
  s->nodes[5].usageCode = "TO1";
  s->targets[2].live = 0;  // と and は are tested without the live flag
  const JcLink* before = link(6, 5);
  ASSERT_NE(before, nullptr);
  ruleToha(s);
  EXPECT_EQ(slot(4, Slot::kOwnRendering), word("ruleToha.e6"));
  EXPECT_EQ(live(), "1001");
  EXPECT_EQ(s->nodes[5].depLabel.str(), "D21");
  EXPECT_EQ(s->nodes[5].usageCode.str(), "TO3");
  const JcLink* after = link(6, 5);
  ASSERT_NE(after, nullptr);
  EXPECT_EQ(after->label.str(), "D21");
  int count = 0;
  for (const JcLink* l = s->dependencyList; l && l->next; l = l->next) count += l->dependent == 5;
  EXPECT_EQ(count, 1);

  // Not a dependent of the 思う phrase: only the rendering.
  build("m 彼 pos=6/1; m と pos=9/1; m は pos=9/2; m 思う pos=2/1 conj=5/2; p 1-3; p 4-4");
  ruleToha(s);
  EXPECT_EQ(slot(4, Slot::kOwnRendering), word("ruleToha.e6"));
  EXPECT_EQ(live(), "1111");
}

TEST_F(ToRules, TohaP7ReadsTheUsageCode) {
  for (const char* usage : {"TO2", "TO3", "TO5", "TO1"}) {
    SCOPED_TRACE(usage);
    build(std::string("m 人生 pos=6/1; m と pos=9/1; m は pos=9/2; m 旅 pos=6/1; p 1-3 head=p2 usage=") + usage + "; p 4-4");
    ruleToha(s);
    const bool takes = std::string(usage) != "TO1";
    EXPECT_EQ(live(), takes ? "1011" : "1111");
    EXPECT_EQ(slot(5, Slot::kNearAdverbial), takes ? word("ruleToha.e7") : "");
  }
}

TEST_F(ToRules, TomoImperativePairsAndDonnaDemo) {
  build("m 行け base=行く pos=2/1 conj=5/5; m ども pos=9/3; m 行け base=行く pos=2/1 conj=5/5; m ども pos=9/3");
  ruleTomo(s);
  EXPECT_EQ(live(), "1010");
  EXPECT_EQ(s->targets[1].headText.str(), word("ruleTomo.e6"));
  // どんな N でも and どんな N N であろうと: どんな stays live.
  build("m どんな pos=7/2; m 人 pos=6/1; m でも pos=9/2; m 来る pos=2/1 conj=5/2; p 1-3 head=p2; p 4-4");
  ruleTomo(s);
  EXPECT_EQ(live(), "1101");
  EXPECT_EQ(slot(5, Slot::kConcession), word("ruleTomo.e12"));
  EXPECT_EQ(source(5, Slot::kConcession), 3);
  build("m どんな pos=7/2; m 小さな pos=7/2; m 人 pos=6/1; m であろう pos=4/1; m と pos=9/1; m 来る pos=2/1 conj=5/2;"
        "p 1-5 head=p2; p 6-6");
  ruleTomo(s);
  EXPECT_EQ(live(), "111001");
  EXPECT_EQ(slot(7, Slot::kConcession), word("ruleTomo.e12"));
  EXPECT_EQ(source(7, Slot::kConcession), 4);
}

TEST_F(ToRules, NaiFamily) {
  // N2: two texts on the verb's phrases and the closing negation retired.
  build("m 謝ら base=謝る pos=2/1 conj=5/3; m ない pos=5/1 conj=18/2; m 限り pos=6/1; m 許さ base=許す pos=2/1 conj=5/3;"
        "m ない pos=5/1 conj=18/2; p 1-3 head=p2; p 4-5");
  ruleNai(s);
  EXPECT_EQ(live(), "10011");
  EXPECT_EQ(slot(6, Slot::kConcession), word("ruleNai.e3"));
  EXPECT_EQ(slot(6, Slot::kNegation), word("ruleNai.e4"));
  EXPECT_EQ(source(6, Slot::kNegation), 2);
  // N10 with ならない: three pieces in kModal.
  build("m 行か base=行く pos=2/1 conj=5/3; m ならない pos=5/1; m はず pos=6/1; m が pos=9/1; m ない pos=5/1 conj=18/2; p 1-5");
  ruleNai(s);
  EXPECT_EQ(live(), "10000");
  EXPECT_EQ(slot(6, Slot::kModal), word("ruleNai.e4") + word("ruleNai.e10") + word("ruleNai.e11"));
  // N5 through the slot writer: the override counter replaces the first piece.
  build("m 笑わ base=笑う pos=2/1 conj=5/3; m ないで pos=9/3; m は pos=9/2; m いら base=いる pos=2/1 conj=1/3;"
        "m れ base=れる pos=14/7 conj=1/3; m ない pos=5/1 conj=18/2; p 1-6");
  s->slotOverride = 1;
  ruleNai(s);
  EXPECT_EQ(live(), "100000");
  EXPECT_EQ(slot(7, Slot::kModal), word(kOverrideWordKey) + word("ruleNai.e6"));
  EXPECT_EQ(s->slotOverride, 0);
}

TEST_F(ToRules, NakanakaPairsEachWithTheNextNegation) {
  build("m なかなか pos=8/1; m 来る pos=2/1 conj=5/2");
  ruleNakanaka(s);
  EXPECT_EQ(live(), "11");
  EXPECT_EQ(slot(1, Slot::kOwnRendering), "");
  build("m なかなか pos=8/1; m 来 base=来る pos=2/1 conj=12/3; m ない pos=5/1 conj=18/2; m なかなか pos=8/1;"
        "m 寝 base=寝る pos=2/1 conj=1/3; m ない pos=5/1 conj=18/2");
  ruleNakanaka(s);
  EXPECT_EQ(live(), "110110");
  EXPECT_EQ(slot(1, Slot::kOwnRendering), word("ruleNakanaka.e1"));
  EXPECT_EQ(slot(4, Slot::kOwnRendering), word("ruleNakanaka.e1"));
}

}  // namespace
}  // namespace jc
