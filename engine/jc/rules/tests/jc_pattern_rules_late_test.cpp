// The late sentence patterns: honorific frames, set phrases, なる after a time noun.
#include <string>

#include "engine/jc/rules/jc_rule_kit.h"
#include "engine/jc/rules/jc_sentence_patterns.h"
#include "engine/jc/rules/tests/rule_fixture.h"

namespace jc {
namespace {

class LatePatternRules : public RuleTest {};

TEST_F(LatePatternRules, Rule187FoldsTheHonorificFrameIntoOneWord) {
  build("m お pos=13; m 待ち base=待つ pos=2/1 conj=5/7 zh=@patternRule188.chigau; m ください base=くださる pos=2/1 conj=5/9;"
        "m 。 pos=1/1; p 1-4");
  patternRule187(s);
  EXPECT_EQ(live(), "0011");
  EXPECT_EQ(slot(3, Slot::kOwnRendering), word("patternRule187.prefix") + word("patternRule188.chigau"));
  EXPECT_EQ(s->targets[3].code.str(), "V");
  // The stem's own rendering comes before its candidate.
  build("m ご pos=13; m 覧 pos=6/2 zh=@patternRule188.chigau slot17=@patternRule180.ooku; m 下さい base=下さる pos=2/1 conj=5/9;"
        "p 1-3");
  patternRule187(s);
  EXPECT_EQ(slot(3, Slot::kOwnRendering), word("patternRule187.prefix") + word("patternRule180.ooku"));
  // を + ください is rendered alone.
  build("m 水 pos=6/1; m を pos=9/1; m ください base=くださる pos=2/1 conj=5/9; p 1-2 head=p2; p 3-3");
  patternRule187(s);
  EXPECT_EQ(live(), "111");
  EXPECT_EQ(slot(3, Slot::kOwnRendering), word("patternRule187.request"));
  EXPECT_EQ(s->targets[3].code.str(), "");
}

TEST_F(LatePatternRules, Rule187CutsALongStemAtAWholeCharacter) {
  const std::string hanzi = word("patternRule188.chigau");
  ASSERT_EQ(hanzi.size(), 2u);
  build("m お pos=13; m 待ち base=待つ pos=2/1 conj=5/7; m ください base=くださる pos=2/1 conj=5/9");
  s->targets[2].slots[17] = std::string(hanzi) + hanzi + hanzi + hanzi + hanzi + hanzi + hanzi + hanzi + hanzi;  // 18 bytes
  patternRule187(s);
  std::string expected = word("patternRule187.prefix");
  for (int k = 0; k < 8; ++k) expected += hanzi;
  EXPECT_EQ(slot(3, Slot::kOwnRendering), expected);
}

TEST_F(LatePatternRules, Rule187MarksTheBenefactorOfItadaku) {
  // 先生 に お 教え いただく: the に phrase now hangs on the verb and takes the slot.
  build("m 先生 pos=6/1 sem=12100; m に pos=9/1; m お pos=13; m 教え base=教える pos=2/1 conj=1/7 zh=@patternRule188.chigau;"
        "m いただく pos=2/1 conj=5/2; p 1-2 head=p2; p 3-5");
  patternRule187(s);
  EXPECT_EQ(live(), "10001");
  EXPECT_EQ(s->nodes[2].headPhrase, 7);
  EXPECT_EQ(slot(6, Slot::kCopula), word("patternRule187.itadakuSlot"));
  EXPECT_EQ(source(6, Slot::kCopula), 5);
  EXPECT_EQ(slot(5, Slot::kOwnRendering), word("patternRule188.chigau"));
  EXPECT_EQ(s->targets[5].code.str(), "V");
  // Without a person before に: the verb's own rendering.
  build("m お pos=13; m 教え base=教える pos=2/1 conj=1/7 zh=@patternRule188.chigau; m いただける pos=2/1 conj=1/2; p 1-3");
  patternRule187(s);
  EXPECT_EQ(slot(3, Slot::kOwnRendering), word("patternRule187.itadakeru") + word("patternRule188.chigau"));
}

TEST_F(LatePatternRules, Rule190Sumimasen) {
  build("m すみ base=すむ pos=2/1 conj=5/7; m ませ base=ます pos=14/7 conj=30/7; m ん base=ぬ pos=14/7 conj=27/2;"
        "m でした base=です pos=14/7 conj=29/8; m 。 pos=1/1");
  patternRule190(s);
  EXPECT_EQ(live(), "10001");
  EXPECT_EQ(slot(1, Slot::kOwnRendering), word("patternRule190.sumimasen"));
  // Already rendered by an earlier rule: left alone.
  build("m すみ base=すむ pos=2/1 conj=5/7 slot17=@patternRule188.chigau; m ませ base=ます pos=14/7 conj=30/7;"
        "m ん base=ぬ pos=14/7 conj=27/2");
  patternRule190(s);
  EXPECT_EQ(live(), "111");
  EXPECT_EQ(slot(1, Slot::kOwnRendering), word("patternRule188.chigau"));
}

// と思うことで + ない or ありません: the verb rendered, the rest of the expression retired. Text has
// あり before ませ; ある stays accepted.
TEST_F(LatePatternRules, Rule190ToOmouKotoDe) {
  const std::string head =
      "m と pos=9/3; m 思う base=思う pos=2/1 conj=5/2; m こと pos=6/1; m で base=だ pos=5 conj=25/6; ";
  const struct {
    const char* tail;
    const char* live;
  } cases[] = {
      {"m ない pos=3/1 conj=18/2; m 。 pos=1/1; p 1-2; p 3-6", "010001"},
      {"m あり base=ある pos=2/2 conj=5/7; m ませ base=ます pos=14/7 conj=30/7; m ん base=ぬ pos=14/7 conj=27/2; m 。 pos=1/1; p 1-2; p 3-8",
       "01000001"},
      {"m ある pos=2/2 conj=5/2; m ませ base=ます pos=14/7 conj=30/7; m ん base=ぬ pos=14/7 conj=27/2; m 。 pos=1/1; p 1-2; p 3-8",
       "01000001"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tail);
    build(head + c.tail);
    patternRule190(s);
    EXPECT_EQ(live(), c.live);
    EXPECT_EQ(slot(2, Slot::kOwnRendering), word("patternRule190.toOmou"));
  }
}

TEST_F(LatePatternRules, Rule190GenkiByPositionAndEnding) {
  struct Case {
    const char* sentence;
    int word;
    const char* key;
  } const cases[] = {
      {"m 元気 pos=3/2 conj=21/1; m ? pos=1/1", 1, "patternRule190.genkiQuestion"},
      {"m 元気 pos=3/2 conj=21/1; m よ pos=9/4", 1, "patternRule190.genkiYo"},
      {"m 元気 pos=3/2 conj=21/1; m か pos=9/4", 1, "patternRule190.genkiKa"},
      {"m 元気 pos=3/2 conj=21/1; m 。 pos=1/1", 1, "patternRule190.genkiEnd"},
      {"m お pos=13; m 元気 pos=3/2 conj=21/1; m ？ pos=1/1", 2, "patternRule190.ogenkiQuestion"},
      {"m お pos=13; m 元気 pos=3/2 conj=21/1; m かい pos=9/4", 2, "patternRule190.ogenkiKa"},
      {"m 彼 pos=6/1; m は pos=9/2; m 元気 pos=3/2 conj=21/1; m か pos=9/4", 3, "patternRule190.genkiKaElsewhere"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sentence);
    build(c.sentence);
    patternRule190(s);
    EXPECT_EQ(slot(c.word, Slot::kOwnRendering), word(c.key));
  }
  build("m 彼 pos=6/1; m は pos=9/2; m 元気 pos=3/2 conj=21/1; m よ pos=9/4");
  patternRule190(s);
  EXPECT_EQ(slot(3, Slot::kOwnRendering), "");
}

TEST_F(LatePatternRules, Rule186StopsAtTheFirstNominalThatIsNoTimeNoun) {
  build("m 春 pos=6/10; m に pos=9/1; m なる pos=2/1 conj=5/2; m 先生 pos=6/1; m に pos=9/1; m なる pos=2/1 conj=5/2;"
        "m 夏 pos=6/10; m に pos=9/1; m なる pos=2/1 conj=5/2; p 1-3; p 4-6; p 7-9");
  patternRule186(s);
  EXPECT_EQ(live(), "100111111");
  EXPECT_EQ(slot(10, Slot::kCopula), word("patternRule186.niNaru"));
  EXPECT_EQ(slot(12, Slot::kCopula), "");
}

TEST_F(LatePatternRules, Rule192MovesTheGaPhraseToThePreference) {
  // 私 は 犬 が 好きだ, with the が phrase attached to the は phrase.
  build("m 私 pos=6/1; m は pos=9/2; m 犬 pos=6/1; m が pos=9/1; m 好きだ base=好きだ pos=3/2 conj=21/2;"
        "p 1-2 head=p3; p 3-4 head=p1 label=D20; p 5-5");
  s->targets[7].mark = "K";
  patternRule192(s);
  int governor = 0;
  for (JcLink* l = s->dependencyList; l && l->next; l = l->next) {
    if (l->dependent == 7 && l->label == "D20") governor = l->governor;
  }
  EXPECT_EQ(governor, 8);
  EXPECT_EQ(s->targets[7].mark.str(), "*");
}

}  // namespace
}  // namespace jc

namespace jc {
namespace {

struct LateCase {
  const char* what;
  void (*rule)(JcSentence*);
  const char* sentence;
  const char* live;
  int node;
  Slot slot;
  const char* key;  // expected rendering; empty for none
};

TEST_F(LatePatternRules, TheNaruAndSingleExpressionRules) {
  const LateCase cases[] = {
      {"の + 多く", patternRule180, "m 学生 pos=6/1; m の pos=9/1; m 多く base=多く pos=6/1; p 1-2 head=p2; p 3-3", "100", 4, Slot::kBeforeHead,
       "patternRule180.ooku"},
      {"na-adjective stem + に + なる", patternRule182,
       "m 静か pos=3/2 conj=21/1; m に pos=14/7 conj=21/7; m なる pos=2/1 conj=5/2; p 1-3", "100", 4, Slot::kCopula, "patternRule182.niNaru"},
      {"i-adjective continuative + なる", patternRule181, "m 高く base=高い pos=3 conj=18/6; m なる pos=2/1 conj=5/2; p 1-2", "10",
       3, Slot::kCopula, "patternRule181.naru"},
      {"なる in the past writes the trailer only", patternRule181,
       "m 高く base=高い pos=3 conj=18/6; m なった base=なる pos=2/1 conj=5/8; p 1-2", "10", 3, Slot::kCopula, ""},
      {"の人 after an organisation word", patternRule189, "m 会社 pos=6/1 sem=12590; m の pos=9/1; m 人 pos=6/1; p 1-3", "101",
       4, Slot::kOwnRendering, ""},
      {"の人 after another word stays", patternRule189, "m 町 pos=6/1 sem=12600; m の pos=9/1; m 人 pos=6/1; p 1-3", "111", 4, Slot::kOwnRendering,
       ""},
      {"違う + ない", patternRule188, "m 違い base=違う pos=2/1 conj=5/7; m ない pos=14/7 conj=18/2", "11", 1, Slot::kOwnRendering,
       "patternRule188.chigau"},
      {"内 between の and に", patternRule162, "m 今年 pos=6/10; m の pos=9/1; m 内 pos=6/1; m に pos=9/1; p 1-2 head=p2; p 3-4",
       "1010", 3, Slot::kOwnRendering, "patternRule162.uchi"},
  };
  for (const LateCase& c : cases) {
    SCOPED_TRACE(c.what);
    build(c.sentence);
    c.rule(s);
    EXPECT_EQ(live(), c.live);
    EXPECT_EQ(slot(c.node, c.slot), *c.key ? word(c.key) : "");
  }
  build("m 高く base=高い pos=3 conj=18/6; m なった base=なる pos=2/1 conj=5/8; p 1-2");
  patternRule181(s);
  EXPECT_EQ(s->targets[3].text3.str(), word("patternRule181.past"));
  // The adjective is no adverb of なる: rendered as its own word it takes no adverbial marker,
  // whatever the length of its code, which the rule leaves as it is.
  for (const char* code : {"A", "AB12"}) {
    build("m 寒く base=寒い pos=3 conj=18/6 zh=" + ec(u8"冷") + ":" + code + ":0; m なった base=なる pos=2/1 conj=5/8; p 1-2");
    patternRule181(s);
    ASSERT_NE(firstCandidate(s, 1), nullptr);
    EXPECT_EQ(firstCandidate(s, 1)->valency.str(), code);
    EXPECT_EQ(slot(1, Slot::kOwnRendering), ec(u8"冷")) << code;
  }
}

TEST_F(LatePatternRules, Rule163GoesThroughTheSlotWriter) {
  build("m 行こう base=行く pos=2/1 conj=5/4; m はず pos=6/8; m が pos=9/1; m ない pos=14/7 conj=18/2; p 1-4");
  s->slotOverride = 1;
  patternRule163(s);
  EXPECT_EQ(live(), "1000");
  EXPECT_EQ(slot(5, Slot::kModal), word("writeTargetSlot.overrideWord") + word("patternRule163.second"));
  EXPECT_EQ(source(5, Slot::kModal), 2);
  EXPECT_EQ(s->slotOverride, 0);
}

TEST_F(LatePatternRules, Rule190SetPhrases) {
  build("m 行ってき base=行ってくる pos=2/1 conj=15/7; m ます pos=14/7 conj=30/2; m 。 pos=1/1");
  patternRule190(s);
  EXPECT_EQ(slot(1, Slot::kOwnRendering), word("patternRule190.ittekimasu"));
  // と思うことでない: the verb takes the whole expression.
  build("m 本当だ pos=3/2 conj=21/2; m と pos=9/1; m 思う pos=2/1 conj=5/2; m こと pos=6/8; m で pos=14/7 conj=25/11;"
        "m ない pos=14/7 conj=18/2; p 1-2 head=p2; p 3-6");
  patternRule190(s);
  EXPECT_EQ(live(), "101000");
  EXPECT_EQ(slot(3, Slot::kOwnRendering), word("patternRule190.toOmou"));
  EXPECT_EQ(s->targets[8].kind, 'z');
  // だ + い goes; こちら は.
  build("m こちら pos=6/1; m は pos=9/2; m 田中 pos=6/1; m だ pos=14/7 conj=25/2; m い pos=9/4");
  patternRule190(s);
  EXPECT_EQ(live(), "11100");
  EXPECT_EQ(slot(1, Slot::kOwnRendering), word("patternRule190.kochira"));
}

TEST_F(LatePatternRules, Rule191ChainsTryTheirEntriesInTurn) {
  // 申し訳ありません: the three words after it go.
  build("m 申し訳 pos=6/1; m あり base=ある pos=2/1 conj=5/7; m ませ base=ます pos=14/7 conj=30/7; m ん base=ぬ pos=14/7 conj=27/2");
  patternRule191(s);
  EXPECT_EQ(live(), "1000");
  EXPECT_EQ(slot(1, Slot::kOwnRendering), word("patternRule191.moushiwakeArimasen"));
  // 電話をかける: the verb's group rendering; 電話をする another.
  build("m 電話 pos=6/2; m を pos=9/1; m かける pos=2/1 conj=1/2; m 電話 pos=6/2; m を pos=9/1; m する pos=2/1 conj=16/2");
  patternRule191(s);
  EXPECT_EQ(slot(3, Slot::kOwnRendering), renderings("patternRule191.denwaVerbs")[1]);
  EXPECT_EQ(slot(6, Slot::kOwnRendering), renderings("patternRule191.denwaVerbs")[3]);
  // 3 才 in the second chain, 改めて with its code.
  build("m 改めて pos=8; m 3 pos=6/7; m 才 pos=14/3");
  patternRule191(s);
  EXPECT_EQ(slot(1, Slot::kOwnRendering), word("patternRule191.aratamete"));
  EXPECT_EQ(s->targets[1].code.str(), "F");
  EXPECT_EQ(slot(3, Slot::kOwnRendering), word("patternRule191.ageCounter"));
}

TEST_F(LatePatternRules, Rule191MovesTheTimePhraseOfChikaku) {
  // 一時間 近く 待つ 人: p1 (一時間 近く) hangs on its next sibling p2 with D6, p2 on p3.
  build("m 一時間 pos=6/10; m 近く pos=6/1; m 待つ pos=2/1 conj=5/2; m 人 pos=6/1;"
        "p 1-2 head=p2 label=D6; p 3-3 head=p3 label=D3 s=S2; p 4-4");
  s->nodes[2].nextSibling = 0;
  patternRule191(s);
  EXPECT_EQ(live(), "1011");
  EXPECT_EQ(slot(5, Slot::kBeforeHead), word("patternRule191.chikaku"));
  EXPECT_EQ(s->nodes[5].headPhrase, 7);
  int governor = 0;
  for (JcLink* l = s->dependencyList; l && l->next; l = l->next) {
    if (l->dependent == 5 && l->label == "D6") governor = l->governor;
  }
  EXPECT_EQ(governor, 7);
}

}  // namespace
}  // namespace jc
