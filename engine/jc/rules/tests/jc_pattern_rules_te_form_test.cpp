// The te-form patterns.
#include <string>

#include "engine/jc/rules/jc_pattern_rules_ka_to.h"
#include "engine/jc/rules/jc_sentence_patterns.h"
#include "engine/jc/rules/tests/rule_fixture.h"

namespace jc {
namespace {

class TeFormPatterns : public RuleTest {};

TEST_F(TeFormPatterns, MorauWithAPersonGiverWritesTheGiversPhrase) {
  build("m 先生 pos=6/1 sem=12000; m に pos=9/1; m 教えて base=教える pos=2/1 conj=1/11; m もらう pos=2/1 conj=1/2;"
        "p 1-2 head=p2; p 3-4");
  ruleTeForm(s);
  EXPECT_EQ(live(), "1010");
  EXPECT_EQ(slot(5, Slot::kCopula), word("ruleTeForm.moraiGiver"));
  EXPECT_EQ(s->nodes[5].usageCode.str(), "NI0");
  EXPECT_EQ(slot(6, Slot::kAfterSubject), "");
  // A から far away after a word that names no person: the plain form, から stays.
  build("m 駅 pos=6/1 sem=14000; m から pos=9/1; m 歩く pos=2/1 conj=5/2; m 教えて base=教える pos=2/1 conj=1/11;"
        "m もらう pos=2/1 conj=1/2; p 1-2 head=p3; p 3-3 head=p3; p 4-5");
  ruleTeForm(s);
  EXPECT_EQ(live(), "11110");
  EXPECT_EQ(slot(8, Slot::kAfterSubject), word("ruleTeForm.morai"));
  EXPECT_EQ(slot(6, Slot::kCopula), "");
  // たくない: the negated wish before the plain rendering.
  build("m 教えて base=教える pos=2/1 conj=1/11; m もらい base=もらう pos=2/1 conj=1/7; m たく base=たい pos=14/7 conj=18/6;"
        "m ない pos=14/7 conj=18/2; p 1-4");
  ruleTeForm(s);
  EXPECT_EQ(live(), "1000");
  EXPECT_EQ(slot(5, Slot::kAfterSubject), word("ruleTeForm.moraiTaiNot") + word("ruleTeForm.morai"));
}

TEST_F(TeFormPatterns, KureruAfterACausativeAndAsARequest) {
  build("m 行か base=行く pos=2/1 conj=1/3; m せて base=せる pos=14/7 conj=1/11; m くれる pos=2/1 conj=1/2; p 1-3");
  ruleTeForm(s);
  EXPECT_EQ(live(), "100");
  EXPECT_EQ(slot(4, Slot::kPreposition), word("ruleTeForm.kureruCausative"));
  EXPECT_EQ(source(4, Slot::kPreposition), 3);
  build("m 書いて base=書く pos=2/1 conj=1/11; m くれ base=くれる pos=2/1 conj=1/7; m ませ base=ます pos=14/7 conj=30/3;"
        "m ん base=ぬ pos=14/7 conj=27/2; m か pos=9/4; p 1-5");
  ruleTeForm(s);
  EXPECT_EQ(live(), "10101");
  EXPECT_EQ(slot(6, Slot::kPreposition), word("ruleTeForm.kureruRequest"));
  build("m おごら base=おごる pos=2/1 conj=1/3; m せて base=せる pos=14/7 conj=1/11; m くれる pos=2/1 conj=1/2; p 1-3");
  ruleTeForm(s);
  EXPECT_EQ(slot(4, Slot::kPreposition), word("ruleTeForm.kureruOgoru"));
  EXPECT_EQ(slot(1, Slot::kOwnRendering), word("ruleTeForm.ogoru"));
}

TEST_F(TeFormPatterns, AuxiliariesKeptOrTaken) {
  struct Case {
    const char* sentence;
    const char* live;
  } const cases[] = {
      // てあげる only takes the auxiliary.
      {"m 書いて base=書く pos=2/1 conj=1/11; m あげる pos=2/1 conj=1/2", "10"},
      // ていく stays after a verb of motion, goes after any other.
      {"m 持って base=持つ pos=2/1 conj=1/11 sem=21523; m いく pos=2/1 conj=1/2", "11"},
      {"m 持って base=持つ pos=2/1 conj=1/11 sem=11000/21541; m くる pos=2/1 conj=15/2", "11"},
      {"m 増えて base=増える pos=2/1 conj=1/11 sem=11000; m いく pos=2/1 conj=1/2", "10"},
      // てください followed by ました is left alone.
      {"m 来て base=来る pos=2/1 conj=15/11; m ください base=くださる pos=2/1 conj=5/9; m ました base=ます pos=14/7 conj=30/8",
       "111"},
      {"m 来て base=来る pos=2/1 conj=15/11; m ください base=くださる pos=2/1 conj=5/9", "10"},
      // ないでください takes ないで too.
      {"m 行か base=行く pos=2/1 conj=1/3; m ないで pos=14/7 conj=18/11; m ください base=くださる pos=2/1 conj=5/9", "100"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sentence);
    build(c.sentence);
    ruleTeForm(s);
    EXPECT_EQ(live(), c.live);
  }
}

TEST_F(TeFormPatterns, KosoGoesToTheGovernorAfterIt) {
  build("m 聞いて base=聞く pos=2/1 conj=1/11; m 初めて pos=8; m 分かる pos=2/1 conj=5/2; p 1-2 head=p2; p 3-3");
  ruleTeForm(s);
  EXPECT_EQ(live(), "101");
  EXPECT_EQ(slot(5, Slot::kNearAdverbial), word("ruleTeForm.koso"));
  EXPECT_EQ(source(5, Slot::kNearAdverbial), 2);
  // At the end of the sentence there is no governor.
  build("m 聞いて base=聞く pos=2/1 conj=1/11; m こそ pos=9/2; p 1-2");
  ruleTeForm(s);
  EXPECT_EQ(live(), "10");
  EXPECT_EQ(slot(3, Slot::kNearAdverbial), "");
}

TEST_F(TeFormPatterns, AppendsToAFullMainSlotStopAtAWholeCharacter) {
  build("m 入って base=入る pos=2/1 conj=1/11; m は pos=9/2; m いけない pos=3/1 conj=18/2; p 1-3");
  const std::string filler(46, 'a');
  s->targets[4].slot0 = filler;
  ruleTeForm(s);
  EXPECT_EQ(live(), "100");
  EXPECT_EQ(slot(4, Slot::kClauseOpener), filler + word("ruleTeForm.tewaikenai").substr(0, 2));
}

TEST_F(TeFormPatterns, TheTeFormTakesKudasaiBeforeTheHonorificFrame) {
  // お待ちください: place 128 renders ください first, so the later frame no longer matches.
  build("m お pos=13; m 待ち base=待つ pos=2/1 conj=5/7; m ください base=くださる pos=2/1 conj=5/9; m 。 pos=1/1; p 1-4");
  applySentencePatternRules(s);
  EXPECT_EQ(live(), "1101");
  EXPECT_EQ(slot(5, Slot::kAfterSubject), word("ruleTeForm.kudasai"));
  EXPECT_EQ(slot(3, Slot::kOwnRendering), "");
}

}  // namespace
}  // namespace jc
