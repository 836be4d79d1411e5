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
  EXPECT_EQ(slot(3, 17), word("patternRule187.prefix") + word("patternRule188.chigau"));
  EXPECT_EQ(s->targets[3].code.str(), "V");
  // The stem's own rendering comes before its candidate.
  build("m ご pos=13; m 覧 pos=6/2 zh=@patternRule188.chigau slot17=@patternRule180.ooku; m 下さい base=下さる pos=2/1 conj=5/9;"
        "p 1-3");
  patternRule187(s);
  EXPECT_EQ(slot(3, 17), word("patternRule187.prefix") + word("patternRule180.ooku"));
  // を + ください is rendered alone.
  build("m 水 pos=6/1; m を pos=9/1; m ください base=くださる pos=2/1 conj=5/9; p 1-2 head=p2; p 3-3");
  patternRule187(s);
  EXPECT_EQ(live(), "111");
  EXPECT_EQ(slot(3, 17), word("patternRule187.request"));
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
  EXPECT_EQ(slot(3, 17), expected);
}

TEST_F(LatePatternRules, Rule187MarksTheBenefactorOfItadaku) {
  // 先生 に お 教え いただく: the に phrase now hangs on the verb and takes the slot.
  build("m 先生 pos=6/1 sem=12100; m に pos=9/1; m お pos=13; m 教え base=教える pos=2/1 conj=1/7 zh=@patternRule188.chigau;"
        "m いただく pos=2/1 conj=5/2; p 1-2 head=p2; p 3-5");
  patternRule187(s);
  EXPECT_EQ(live(), "10001");
  EXPECT_EQ(s->nodes[2].headPhrase, 7);
  EXPECT_EQ(slot(6, 12), word("patternRule187.itadakuSlot"));
  EXPECT_EQ(source(6, 12), 5);
  EXPECT_EQ(slot(5, 17), word("patternRule188.chigau"));
  EXPECT_EQ(s->targets[5].code.str(), "V");
  // Without a person before に: the verb's own rendering.
  build("m お pos=13; m 教え base=教える pos=2/1 conj=1/7 zh=@patternRule188.chigau; m いただける pos=2/1 conj=1/2; p 1-3");
  patternRule187(s);
  EXPECT_EQ(slot(3, 17), word("patternRule187.itadakeru") + word("patternRule188.chigau"));
}

TEST_F(LatePatternRules, Rule190Sumimasen) {
  build("m すみ base=すむ pos=2/1 conj=5/7; m ませ base=ます pos=14/7 conj=30/7; m ん base=ぬ pos=14/7 conj=27/2;"
        "m でした base=です pos=14/7 conj=29/8; m 。 pos=1/1");
  patternRule190(s);
  EXPECT_EQ(live(), "10001");
  EXPECT_EQ(slot(1, 17), word("patternRule190.sumimasen"));
  // Already rendered by an earlier rule: left alone.
  build("m すみ base=すむ pos=2/1 conj=5/7 slot17=@patternRule188.chigau; m ませ base=ます pos=14/7 conj=30/7;"
        "m ん base=ぬ pos=14/7 conj=27/2");
  patternRule190(s);
  EXPECT_EQ(live(), "111");
  EXPECT_EQ(slot(1, 17), word("patternRule188.chigau"));
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
    EXPECT_EQ(slot(c.word, 17), word(c.key));
  }
  build("m 彼 pos=6/1; m は pos=9/2; m 元気 pos=3/2 conj=21/1; m よ pos=9/4");
  patternRule190(s);
  EXPECT_EQ(slot(3, 17), "");
}

TEST_F(LatePatternRules, Rule186StopsAtTheFirstNominalThatIsNoTimeNoun) {
  build("m 春 pos=6/10; m に pos=9/1; m なる pos=2/1 conj=5/2; m 先生 pos=6/1; m に pos=9/1; m なる pos=2/1 conj=5/2;"
        "m 夏 pos=6/10; m に pos=9/1; m なる pos=2/1 conj=5/2; p 1-3; p 4-6; p 7-9");
  patternRule186(s);
  EXPECT_EQ(live(), "100111111");
  EXPECT_EQ(slot(10, 12), word("patternRule186.niNaru"));
  EXPECT_EQ(slot(12, 12), "");
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
