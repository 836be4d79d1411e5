#include "engine/jc/rules/jc_render_demo.h"

#include "engine/jc/rules/tests/rule_fixture.h"

namespace jc {
namespace {

using namespace demo_keys;

class RenderDemo : public RuleTest {};

// Where the word of でも lands: node, kInclusive or kOwnRendering, and which words stay.
TEST_F(RenderDemo, TheWordGoesToTheClauseItStresses) {
  const std::string kept = ec(u8"甲");
  struct Case {
    const char* what;
    std::string sentence;
    int demo;
    const char* live;
    int node;
    Slot slot;
    std::string text;
  } cases[] = {
      {"誰でも", "m 誰 pos=6/1; m でも pos=9/2; m 来る pos=2/1 conj=15/2; p 1-2 head=p2 label=D1; p 3-3", 2, "101", 5, Slot::kInclusive,
       word(kAfterQuestionWord)},
      {"子供でも", "m 子供 pos=6/1; m でも pos=9/2; m 来る pos=2/1 conj=15/2; p 1-2 head=p2 label=D1; p 3-3", 2, "101", 5, Slot::kInclusive,
       word(kEven)},
      {"a word already given is kept",
       "m 子供 pos=6/1; m でも pos=9/2 slot17=" + kept + "; m 来る pos=2/1 conj=15/2; p 1-2 head=p2 label=D1; p 3-3", 2,
       "101", 5, Slot::kInclusive, kept},
      {"a D2 phrase after it takes the word",
       "m 子供 pos=6/1; m でも pos=9/2; m 本 pos=6/1; m を pos=9/1; m 読む pos=2/1 conj=5/2;"
       "p 1-2 head=p3 label=D1; p 3-4 head=p3 label=D2; p 5-5",
       2, "10111", 7, Slot::kInclusive, word(kEven)},
      {"a verbal D2 phrase does not",
       "m 子供 pos=6/1; m でも pos=9/2; m 読み base=読む pos=2/1 conj=5/7; m 読む pos=2/1 conj=5/2;"
       "p 1-2 head=p3 label=D1; p 3-3 head=p3 label=D2; p 4-4",
       2, "1011", 7, Slot::kInclusive, word(kEven)},
      {"AでもBも pairs", "m 雨 pos=6/1; m でも pos=9/2; m 雪 pos=6/1; m も pos=9/2; p 1-2 head=p2 label=D1; p 3-4", 2, "1111",
       4, Slot::kOwnRendering, word(kPairSecond)},
      {"after a counter without a negation it only goes",
       "m 三 pos=6/7; m 人 pos=14/3; m でも pos=9/2; m 来る pos=2/1 conj=15/2; p 1-3 head=p2 label=D1; p 4-4", 3, "1101", 3,
       Slot::kOwnRendering, ""},
      {"after a counter with a negation",
       "m 三 pos=6/7; m 人 pos=14/3; m でも pos=9/2; m 来 base=来る pos=2/1 conj=15/3; m ない pos=14/7 conj=18/2;"
       "p 1-3 head=p2 label=D1; p 4-5",
       3, "11011", 7, Slot::kInclusive, word(kEven)},
      {"without a head phrase the word stays on でも", "m 子供 pos=6/1; m でも pos=9/2; p 1-2", 2, "11", 2, Slot::kOwnRendering, word(kEven)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    build(c.sentence);
    renderDemo(s, c.demo);
    EXPECT_EQ(live(), c.live);
    EXPECT_EQ(slot(c.node, c.slot), c.text);
    if (c.slot == Slot::kInclusive) {
      EXPECT_EQ(source(c.node, Slot::kInclusive), c.demo);
    }
  }
}

TEST_F(RenderDemo, APairKeepsBothWordsLive) {
  build("m 雨 pos=6/1; m でも pos=9/2; m 雪 pos=6/1; m も pos=9/2; m 。 pos=1/1; p 1-2 head=p2 label=D1; p 3-5");
  renderDemo(s, 2);
  EXPECT_EQ(slot(2, Slot::kOwnRendering), word(kPairFirst));
  EXPECT_EQ(slot(4, Slot::kOwnRendering), word(kPairSecond));  // the final mark is stepped over
  EXPECT_EQ(slot(7, Slot::kInclusive), "");
  // A retired も pairs with nothing.
  build("m 雨 pos=6/1; m でも pos=9/2; m 雪 pos=6/1; m も pos=9/2; p 1-2 head=p2 label=D1; p 3-4");
  s->targets[4].live = 0;
  renderDemo(s, 2);
  EXPECT_EQ(slot(6, Slot::kInclusive), word(kEven));
  EXPECT_EQ(live(), "1010");
}

TEST_F(RenderDemo, AClauseWhoseFirstWordIsGoneTakesNothing) {
  build("m 子供 pos=6/1; m でも pos=9/2; m 来る pos=2/1 conj=15/2; p 1-2 head=p2 label=D1; p 3-3");
  s->targets[3].live = 0;
  renderDemo(s, 2);
  EXPECT_EQ(live(), "110");
  EXPECT_EQ(slot(2, Slot::kOwnRendering), word(kEven));
  EXPECT_EQ(slot(5, Slot::kInclusive), "");
  renderDemo(s, 0);  // no word
  renderDemo(s, 9);
  EXPECT_EQ(live(), "110");
}

}  // namespace
}  // namespace jc
