#include "engine/jc/rules/jc_predicate_expression_rules.h"

#include <string>
#include <vector>

#include "engine/jc/core/jc_links.h"
#include "engine/jc/core/jc_predicates.h"
#include "engine/jc/rules/jc_rule_kit.h"
#include "engine/jc/rules/tests/rule_fixture.h"

namespace jc {
namespace {

using namespace predicate_expression_keys;

// A written field of a target: a slot, or one of the text fields.
struct Write {
  int node;
  Field field;
  std::string text;
  int source = -1;  // checked when not -1
};
struct Case {
  const char* what;
  void (*rule)(JcSentence*);
  std::string sentence;
  const char* live;
  std::vector<Write> writes;
  std::vector<std::pair<int, char>> kinds;
  std::vector<int> retired = {};  // words an earlier step took
};

class PredicateExpressions : public RuleTest {
 protected:
  void check(const Case& c) {
    SCOPED_TRACE(c.what);
    build(c.sentence);
    for (int i : c.retired) s->targets[i].live = 0;
    c.rule(s);
    EXPECT_EQ(live(), c.live);
    for (const Write& w : c.writes) {
      EXPECT_EQ(field(w.node, w.field), w.text) << "node " << w.node << " field " << w.field;
      if (w.source != -1) {
        EXPECT_EQ(source(w.node, w.field.slot), w.source) << "node " << w.node << " slot " << w.field;
      }
    }
    for (auto [node, kind] : c.kinds) EXPECT_EQ(s->targets[node].kind, kind) << "node " << node;
  }
  // Every sibling chain under parent (0: the top chain) links both ways and names its parent, and
  // the parent's first and last child are the ends of its chain.
  void expectChainsIntact(int parent, int depth = 0) {
    ASSERT_LT(depth, 8);
    const int first = parent == 0 ? s->firstTop : s->nodes[parent].firstChild;
    int prev = 0, last = 0;
    for (int n = first, steps = 0; n > 0; n = s->nodes[n].nextSibling, ++steps) {
      ASSERT_LT(steps, kJcMaxNodes);
      EXPECT_EQ(s->nodes[n].prevSibling, prev) << "node " << n;
      EXPECT_EQ(s->nodes[n].parent, parent) << "node " << n;
      EXPECT_EQ(s->targets[n].prevSibling, prev) << "target " << n;
      EXPECT_EQ(s->targets[n].parent, parent) << "target " << n;
      if (n > s->lastMorpheme) expectChainsIntact(n, depth + 1);
      prev = last = n;
    }
    if (parent == 0) {
      EXPECT_EQ(s->lastTop, last);
    } else {
      EXPECT_EQ(s->nodes[parent].lastChild, last) << "parent " << parent;
      EXPECT_EQ(s->targets[parent].firstChild, first) << "target parent " << parent;
      EXPECT_EQ(s->targets[parent].lastChild, last) << "target parent " << parent;
    }
  }
};

TEST_F(PredicateExpressions, VerbalExpressions) {
  const Case cases[] = {
      {"と + する", predicate_expressions::ruleToSuru, "m 彼 pos=6/1; m と pos=9/1; m する pos=2/1 conj=16/2; p 1-3", "100",
       {{4, Slot::kClauseOpener, word(kToSuru), 3}}, {}},
      {"と + する + れる", predicate_expressions::ruleToSuru, "m 彼 pos=6/1; m と pos=9/1; m さ base=する pos=2/1 conj=16/3; m れる pos=5/1; p 1-4",
       "1001", {{5, Slot::kClauseOpener, word(kToSuruPassive), 3}}, {}},
      {"a retired と leaves する alone", predicate_expressions::ruleToSuru, "m 彼 pos=6/1; m と pos=9/1; m する pos=2/1 conj=16/2; p 1-3", "101",
       {{4, Slot::kClauseOpener, ""}}, {}, {2}},
      {"サ変 noun + できる", ruleDekiru, "m 運転 pos=6/2; m できる pos=2/1 conj=1/2; p 1-2", "10", {{3, Slot::kModal, word(kCan)}}, {}},
      {"サ変 noun + できない", ruleDekiru,
       "m 運転 pos=6/2; m でき base=できる pos=2/1 conj=1/7; m ない pos=14/7 conj=18/2; p 1-3", "100",
       {{4, Slot::kModal, word(kCannotNot) + word(kCannotCan)}}, {}},
      {"お + continuative + 出来る", ruleDekiru,
       "m お pos=13; m 待ち base=待つ pos=2/1 conj=5/7; m 出来る pos=2/1 conj=1/2; p 1-3", "110", {{4, Slot::kModal, word(kCan)}}, {}},
      {"できる after an ordinary noun stays", ruleDekiru, "m 家 pos=6/1; m できる pos=2/1 conj=1/2; p 1-2", "11",
       {{3, Slot::kModal, ""}}, {}},
      {"予定だ", ruleYotei, "m 行く pos=2/1 conj=5/2; m 予定 pos=6/2; m だ pos=5/1; p 1-1 head=p2 label=D3; p 2-3", "100",
       {{4, Slot::kAspect, word(kYotei), 1}}, {{4, 'z'}}},
      {"見込みだ", ruleYotei, "m 終わる pos=2/1 conj=5/2; m 見込み pos=6/1; m だ pos=5/1; p 1-1 head=p2 label=D3; p 2-3",
       "100", {{5, Slot::kCopula, word(kMikomi), 2}}, {{4, 'z'}}},
      {"出発だ", ruleShuppatsu, "m 出発 pos=6/2; m だ pos=5/1; p 1-2", "10", {}, {}},
      {"の出発だ stays", ruleShuppatsu, "m 明日 pos=6/1; m の pos=9/1; m 出発 pos=6/2; m だ pos=5/1; p 1-4", "1111", {}, {}},
      {"ずつ", ruleZutsu, "m 一つ pos=6/7; m ずつ pos=9/2; p 1-2", "10", {{3, Slot::kDistributive, word(kZutsu)}}, {}},
      {"ということは at the start", predicate_expressions::ruleToIu, "m と pos=9/1; m いう pos=2/1 conj=5/2; m こと pos=6/8; m は pos=9/2; p 1-4",
       "0100", {{2, Slot::kOwnRendering, word(kToIuKoto)}}, {{5, 'z'}}},
      {"ということ inside", predicate_expressions::ruleToIu,
       "m 行く pos=2/1 conj=5/2; m と pos=9/1; m いう pos=2/1 conj=5/2; m こと pos=6/8; m だ pos=5/1; p 1-5", "10001",
       {{3, Slot::kOwnRendering, ""}}, {{6, 'z'}}},
      {"という話", predicate_expressions::ruleToIu, "m 雨 pos=6/1; m と pos=9/1; m 言う pos=2/1 conj=5/2; m 話 pos=6/1; p 1-4", "1110",
       {{3, Slot::kOwnRendering, word(kToIuHanashi)}}, {{5, 'z'}}},
      {"あり + ませ + ん after an adjective", ruleArimasenPlace,
       "m 高く base=高い pos=3 conj=18/6 zh=\\x8D\\x82; m あり base=ある pos=2/1 conj=5/7; m ませ base=ます pos=5/1; m ん pos=5/1;"
       "p 1-4",
       "1000", {{5, Slot::kNegation, word(kArimasen), 3}}, {}},
      {"a repeated verb around に", ruleNiPredicate,
       "m 泣き base=泣く pos=2/1 conj=5/7; m に pos=9/1; m 泣いた base=泣く pos=2/1 conj=5/8; p 1-3", "101",
       {{4, Text::kHeadText, word(kNiRepeat)}}, {}},
      {"the whole step: できる, then ので", applyPredicateExpressionRules,
       "m 運転 pos=6/2; m できる pos=2/1 conj=1/2; m ので pos=9/3; p 1-3", "100",
       {{4, Slot::kModal, word(kCan)}, {4, Slot::kClauseOpener, word(kNode), 3}}, {{4, 'z'}}},
      {"が + 必要だ", ruleHitsuyou, "m 助け pos=6/1; m が pos=9/1; m 必要だ pos=3/2 conj=21/2; p 1-3", "111",
       {{3, Slot::kOwnRendering, word(kHitsuyou)}}, {}},
  };
  for (const Case& c : cases) check(c);
}

TEST_F(PredicateExpressions, CopulaAndNegation) {
  const Case cases[] = {
      {"nominal + だ", ruleCopulaNegation, "m 学生 pos=6/1; m だ pos=5/1; p 1-2", "10", {{3, Slot::kCopula, word(kCopula), 2}}, {}},
      {"i-adjective + だ", ruleCopulaNegation, "m 高い pos=3 conj=18/2; m だ pos=5/1; p 1-2", "10", {{3, Slot::kCopula, ""}}, {{1, 'z'}}},
      {"nominal + だ + と", ruleCopulaNegation, "m 雨 pos=6/1; m だ pos=5/1; m と pos=9/3; p 1-3", "100",
       {{4, Slot::kCopula, word(kCopulaTo), 2}}, {}},
      {"nominal + ではない", ruleCopulaNegation,
       "m 学生 pos=6/1; m で base=だ pos=5/1; m は pos=9/2; m ない pos=3 conj=18/2; p 1-4", "1000",
       {{5, Slot::kNegation, word(kNotNominal) + word(kNotNominalCopula), 4}}, {}},
      {"ではなく … だ: the counterpart's copula goes to the open phrase", ruleCopulaNegation,
       "m 学生 pos=6/1; m で base=だ pos=5/1; m は pos=9/2; m なく base=ない pos=3 conj=18/6; m 先生 pos=6/1; m だ pos=5/1;"
       "p 1-4 head=p2 label=D4; p 5-6",
       "100010", {{7, Text::kText4, word(kCopulaOpen)}, {8, Slot::kCopula, ""}}, {}},
      {"adjective + ではない", ruleCopulaNegation,
       "m 静か pos=3/2 conj=21/1; m で base=だ pos=5/1; m は pos=9/2; m ない pos=3 conj=18/2; p 1-4", "1000",
       {{5, Slot::kNegation, word(kNotAdjective), 4}}, {}},
      {"nominal + で + ない", ruleCopulaNegation, "m 本 pos=6/1; m で pos=9/1; m ない pos=3 conj=18/2; p 1-3", "100",
       {{4, Slot::kNegation, word(kNotDe) + word(kNotDeCopula), 3}}, {}},
      {"adjective connective + ない", ruleCopulaNegation,
       "m 高く base=高い pos=3 conj=18/6; m ない pos=14/7 conj=18/2; p 1-2", "10", {{3, Slot::kNegation, word(kNotConnective), 2}}, {}},
      {"なくては at the end", ruleCopulaNegation,
       "m 行か base=行く pos=2/1 conj=5/3; m なくて base=ない pos=14/7 conj=18/10; m は pos=9/2; m 。 pos=1/1; p 1-4", "1011",
       {{5, Slot::kAfterSubject, word(kMustNakute), 2}}, {}},
      {"なきゃ before a comma stays", ruleCopulaNegation,
       "m 行か base=行く pos=2/1 conj=5/3; m なきゃ base=ない pos=14/7 conj=18/10; m 、 pos=1/1; p 1-3", "111", {{4, Slot::kAfterSubject, ""}},
       {}},
      {"だ before は + ない is left", ruleCopulaNegation, "m 雨 pos=6/1; m だ pos=5/1; m は pos=9/2; m ない pos=3 conj=18/2; p 1-4",
       "1111", {{5, Slot::kCopula, ""}}, {}},
  };
  for (const Case& c : cases) check(c);
}

TEST_F(PredicateExpressions, TheNegationSlotGoesThroughTheSlotWriter) {
  build("m 高く base=高い pos=3 conj=18/6; m ない pos=14/7 conj=18/2; p 1-2");
  s->slotOverride = 1;
  ruleCopulaNegation(s);
  EXPECT_EQ(slot(3, Slot::kNegation), word(kOverrideWordKey));
  EXPECT_EQ(s->slotOverride, 0);
}

TEST_F(PredicateExpressions, FixedExpressionRows) {
  const std::string hyaku = ec(u8"百");
  const Case cases[] = {
      {"時 after a numeral", ruleFixedExpressions, "m 三 pos=6/7; m 時 pos=14/3", "11", {{2, Slot::kOwnRendering, word(kJi)}}, {}},
      {"百 keeps its Chinese after the prefix and goes on to row 2", ruleFixedExpressions,
       "m 百 pos=6/7 zh=" + hyaku + "; m の pos=9/1; m 二 pos=6/7; p 1-3", "101",
       {{1, Slot::kOwnRendering, word(kNumeralPrefix) + hyaku}, {4, Text::kHeadText, word(kNumeralNo)}}, {{4, 'z'}}},
      {"numeral 分の numeral", ruleFixedExpressions, "m 三 pos=6/7; m 分 pos=14/3; m の pos=9/1; m 一 pos=6/7", "1101",
       {{2, Slot::kOwnRendering, word(kBunNo)}}, {}},
      {"人の before a person", ruleFixedExpressions,
       "m 三 pos=6/7; m 人 pos=14/3; m の pos=9/1; m 学生 pos=6/1 sem=121; p 1-3 head=p2; p 4-4", "1101",
       {{2, Slot::kOwnRendering, word(kNinNo)}}, {{5, 'z'}}},
      {"どうぞ before a retired 下さい", ruleFixedExpressions,
       "m どうぞ pos=8; m 入っ base=入る pos=2/1 conj=5/11; m て pos=9/3; m 下さい base=下さる pos=2/1 conj=5/9", "0110",
       {}, {}, {4}},
      {"どうぞ alone stays", ruleFixedExpressions, "m どうぞ pos=8; m 。 pos=1/1", "11", {}, {}},
      {"の世話をする", ruleFixedExpressions,
       "m 子供 pos=6/1; m の pos=9/1; m 世話 pos=6/2; m を pos=9/1; m する pos=2/1 conj=16/2; p 1-2 head=p2; p 3-5", "10011",
       {{5, Slot::kOwnRendering, word(kSewa)}}, {{6, 'z'}}},
      {"ので after a verb", ruleFixedExpressions, "m 行く pos=2/1 conj=5/2; m ので pos=9/3; p 1-2", "10",
       {{3, Slot::kClauseOpener, word(kNode), 2}}, {{3, 'z'}}},
      {"一時間: the 間 carries it", ruleFixedExpressions, "m 一時 pos=6/1; m 間 pos=14/3", "01", {{2, Slot::kOwnRendering, word(kIchijikan)}},
       {}},
      {"たくさん in a D2 phrase", ruleFixedExpressions,
       "m たくさん pos=8; m 食べる pos=2/1 conj=5/2; p 1-1 head=p2 label=D2; p 2-2", "01",
       {{4, Text::kHeadText, word(kTakusan)}}, {}},
      {"たくさん elsewhere stays, no later row", ruleFixedExpressions,
       "m たくさん pos=8; m 食べる pos=2/1 conj=5/2; p 1-1 head=p2 label=D1; p 2-2", "11", {{4, Text::kHeadText, ""}}, {}},
      {"XはX", ruleFixedExpressions, "m 約束 pos=6/1; m は pos=9/2; m 約束 pos=6/1; m 。 pos=1/1; p 1-2 head=p2; p 3-4", "1111",
       {{5, Text::kHeadText, word(kSameTopic)}}, {}},
      {"前で", ruleFixedExpressions, "m 駅 pos=6/1; m 前 pos=6; m で pos=9/1", "111", {{2, Slot::kOwnRendering, word(kMaeDe)}}, {}},
      {"一日中", ruleFixedExpressions, "m 一日 pos=6/1; m 中 pos=14/1", "10", {{1, Slot::kOwnRendering, word(kChuAllDay)}}, {}},
      {"三日中 keeps the 中", ruleFixedExpressions, "m 三 pos=6/7; m 日 pos=14/3; m 中 pos=14/1", "111",
       {{3, Slot::kOwnRendering, word(kChuCounter)}}, {}},
  };
  for (const Case& c : cases) check(c);
}

TEST_F(PredicateExpressions, TheDependencyOfTaKusanIsDeactivated) {
  build("m たくさん pos=8; m 食べる pos=2/1 conj=5/2; p 1-1 head=p2 label=D2; p 2-2");
  ruleFixedExpressions(s);
  bool seen = false;
  for (JcLink* l = s->dependencyList; l && l->next; l = l->next) {
    if (l->governor == 4 && l->dependent == 3) {
      seen = true;
      EXPECT_EQ(l->active, 0);
    }
  }
  EXPECT_TRUE(seen);
}

TEST_F(PredicateExpressions, PostpositionsBeforeNo) {
  // The の is retired with the postposition: its linking word is in the head text already.
  const Case cases[] = {
      {"との", ruleQuotePostposition, "m 友達 pos=6/1; m と pos=9/1; m の pos=9/1; m 約束 pos=6/1; p 1-3 head=p2; p 4-4", "1001",
       {{5, Slot::kPreposition, word(kToNo), 2}}, {{5, 't'}}},
      {"「…」との writes nothing", ruleQuotePostposition,
       "m 」 pos=1/1; m と pos=9/1; m の pos=9/1; m 約束 pos=6/1; p 1-3 head=p2; p 4-4", "1001", {{5, Slot::kPreposition, ""}}, {{5, 't'}}},
      {"までの", ruleQuotePostposition, "m 駅 pos=6/1; m まで pos=9/1; m の pos=9/1; m 道 pos=6/1; p 1-3 head=p2; p 4-4",
       "1001", {{5, Slot::kPreposition, word(kMadeNo), 2}, {5, Text::kHeadText, word(kMadeNoHead)}}, {}},
      {"からの after a time", ruleQuotePostposition,
       "m 昨日 pos=6/10; m から pos=9/1; m の pos=9/1; m 雨 pos=6/1; p 1-3 head=p2; p 4-4", "1001",
       {{5, Slot::kPreposition, word(kKaraNoTime), 2}, {5, Text::kHeadText, word(kKaraNoTimeHead)}}, {}},
      {"からの after a place", ruleQuotePostposition,
       "m 東京 pos=6/1; m から pos=9/1; m の pos=9/1; m 手紙 pos=6/1; p 1-3 head=p2; p 4-4", "1001",
       {{5, Slot::kPreposition, word(kKaraNo), 2}, {5, Text::kHeadText, word(kKaraNoHead)}}, {}},
      {"への", ruleQuotePostposition, "m 母 pos=6/1; m へ pos=9/1; m の pos=9/1; m 手紙 pos=6/1; p 1-3 head=p2; p 4-4", "1001",
       {{5, Slot::kPreposition, word(kHeNo), 2}, {5, Text::kHeadText, word(kHeNoHead)}}, {}},
  };
  for (const Case& c : cases) check(c);
}

// 彼と 昨日 友達との 話: the と phrase of 彼 goes next to 友達と and is grouped with it.
constexpr const char* kCoordinated =
    "m 彼 pos=6/1; m と pos=9/1; m 昨日 pos=6/10; m 友達 pos=6/1; m と pos=9/1; m の pos=9/1; m 話 pos=6/1;"
    "p 1-2 head=p4 label=D21 usage=TO5; p 3-3 head=p4 label=D5; p 4-6 head=p4 label=D14 ab=A12|; p 7-7";

TEST_F(PredicateExpressions, AQuotedPhraseMovesWithItsLinksIntact) {
  build(kCoordinated);
  ruleQuotePostposition(s);
  EXPECT_EQ(live(), "1111101");
  EXPECT_EQ(s->nodes[8].headPhrase, 10);
  EXPECT_EQ(s->nodes[8].labelHeads[labelHeadIndex("D21")], 10);
  EXPECT_EQ(s->firstTop, 9);  // the moved phrase no longer opens the sentence
  EXPECT_EQ(s->firstTopTarget, 9);
  EXPECT_EQ(parentOf(s, 8), parentOf(s, 10));
  EXPECT_EQ(s->nodes[8].nextSibling, 10);
  expectChainsIntact(0);
}

TEST_F(PredicateExpressions, AMovedPhraseLeavesItsParentsChildrenRight) {
  build(kCoordinated);
  // Group 彼と and 昨日 under a node of their own: the と phrase is its first child.
  const int g = newJcNode(s);
  ASSERT_EQ(newTargetNode(s), g);
  s->lastTarget = g;
  for (JcNode* n : {&s->nodes[g]}) {
    n->parent = n->prevSibling = 0;
    n->firstChild = 8;
    n->lastChild = 9;
    n->nextSibling = 10;
    n->headPhrase = 11;
  }
  JcTargetNode& t = s->targets[g];
  t.parent = t.prevSibling = 0;
  t.firstChild = 8;
  t.lastChild = 9;
  t.nextSibling = 10;
  for (int c : {8, 9}) {
    s->nodes[c].parent = g;
    s->targets[c].parent = g;
  }
  s->nodes[9].nextSibling = s->targets[9].nextSibling = 0;
  s->nodes[10].prevSibling = s->targets[10].prevSibling = g;
  s->firstTop = s->firstTopTarget = g;
  expectChainsIntact(0);

  ruleQuotePostposition(s);
  EXPECT_EQ(s->nodes[g].firstChild, 9);
  EXPECT_EQ(s->nodes[g].lastChild, 9);
  EXPECT_EQ(s->targets[g].firstChild, 9);
  EXPECT_EQ(s->nodes[8].headPhrase, 10);
  expectChainsIntact(0);
}

TEST_F(PredicateExpressions, WithoutTheFeatureTheCoordinationStays) {
  std::string sentence = kCoordinated;
  sentence.replace(sentence.find("ab=A12|"), 7, "ab=A3|");
  build(sentence);
  ruleQuotePostposition(s);
  EXPECT_EQ(live(), "1111001");
  EXPECT_EQ(s->firstTop, 8);
  EXPECT_EQ(slot(10, Slot::kPreposition), word(kToNo));
  EXPECT_EQ(s->targets[10].kind, 't');
}

TEST_F(PredicateExpressions, AppendsStopAtAWholeCharacter) {
  build(
      "m 学生 pos=6/1; m で base=だ pos=5/1; m は pos=9/2; m なく base=ない pos=3 conj=18/6; m 先生 pos=6/1; m だ pos=5/1;"
      "p 1-4 head=p2 label=D4; p 5-6");
  const std::string filler(47, 'x');
  s->targets[7].text4 = filler;
  ruleCopulaNegation(s);
  const std::string open = word(kCopulaOpen);
  EXPECT_EQ(s->targets[7].text4.str(), filler + open.substr(0, 2));  // 49 bytes: one whole character
}

}  // namespace
}  // namespace jc
