#include "engine/jc/core/jc_predicates_shared_rules.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "engine/jc/core/jc_parse_reader.h"
#include "engine/jc/core/jc_predicates_search.h"
#include "engine/jc/test_support/jc_sentence_builder.h"
#include "engine/jc/core/tests/rendering_fill.h"

namespace jc {
namespace {

class JcSharedRules : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_EQ(loadSyntheticRenderings(&error), kRenderingTableLoaded) << error;
  }
  void TearDown() override { clearRenderingTable(); }
  void build(const char* notation) {
    std::string error;
    ASSERT_TRUE(s.build(notation, &error)) << error;
    r = s.get();
  }
  std::string liveWords() {
    std::string out;
    for (int i = 1; i <= r->lastMorpheme; ++i) out += r->targets[i].live ? '1' : '0';
    return out;
  }
  JcSentenceHolder s;
  JcSentence* r = nullptr;
};

TEST_F(JcSharedRules, CopyUsageCodeReadsTheWordsPhraseWhileItIsLive) {
  build("m 本 pos=6/1; m を pos=9/1; m 読む pos=2/1 conj=9/2; p 1-2 head=p2 label=D11 usage=WO1; p 3-3");
  std::string out = "old";
  copyUsageCode(r, 1, out);
  EXPECT_EQ(out, "WO1");
  copyUsageCode(r, 4, out);
  EXPECT_EQ(out, "WO1");
  copyUsageCode(r, 0, out);
  EXPECT_EQ(out, "");
  copyUsageCode(r, 9, out);
  EXPECT_EQ(out, "");
  retireWord(r, 4);
  copyUsageCode(r, 1, out);
  EXPECT_EQ(out, "");
}

// A phrase grouped with its modifier (新しい友達に) hands its usage code to the group; the particle
// still finds it there, and only through groups that the phrase heads.
TEST_F(JcSharedRules, CopyUsageCodeFollowsThePhraseIntoItsModifierGroup) {
  build("m 新しい pos=3/0 conj=18/2; m 友達 pos=6/1; m に pos=9/1; m 書く pos=2/1 conj=2/2;"
        "p 1-1 head=p2 label=D3; p 2-3 head=p3 label=D13 usage=NI3; p 4-4");
  const int modifier = 5, phrase = 6;
  const int group = builtnewnode(r, modifier, phrase);
  ASSERT_GT(group, 0);
  ASSERT_EQ(builtnewnodeCHN(r, modifier, phrase), group);
  r->nodes[group].usageCode = r->nodes[phrase].usageCode;
  r->nodes[phrase].usageCode = "";
  std::string out;
  copyUsageCode(r, 3, out);
  EXPECT_EQ(out, "NI3");
  // The modifier's own words do not climb into the group they do not head.
  copyUsageCode(r, 1, out);
  EXPECT_EQ(out, "");
}

// The ありません variants, the word before them and what stays live (words 1..M in order).
TEST_F(JcSharedRules, ArimasenAfterAnAdjectiveTakesTheWholeExpression) {
  struct Case {
    const char* sentence;
    int negation;
    int answer;
    const char* live;
    const char* valency;  // of the word three before the negation
  } cases[] = {
      {"m よく base=よい pos=3 conj=18/6 zh=\\xB0\\xA1:A1; m あり base=ある pos=2/2 conj=10/7;"
       "m ませ base=ます pos=14/7 conj=31/3; m ん pos=5 conj=27/10; p 1-4",
       4, 1, "1000", "A1;@"},
      {"m 高く base=高い pos=3 conj=18/6 zh=\\xB0\\xA1:A; m 有り base=有る pos=2/2 conj=10/7;"
       "m ませ base=ます pos=14/7 conj=31/3; m ん pos=5 conj=27/10; p 1-4",
       4, 1, "1000", "A;@"},
      // A valency of four bytes is left as it is.
      {"m よく base=よい pos=3 conj=18/6 zh=\\xB0\\xA1:VTA1; m あり base=ある pos=2/2 conj=10/7;"
       "m ませ base=ます pos=14/7 conj=31/3; m ん pos=5 conj=27/10; p 1-4",
       4, 1, "1000", "VTA1"},
      // 静かで は ありません: the connective two words before あり.
      {"m 静かで base=静かだ pos=3 conj=21/11; m は pos=9/2 zh=\\xB0\\xA1:P; m あり base=ある pos=2/2 conj=10/7;"
       "m ませ base=ます pos=14/7 conj=31/3; m ん pos=5 conj=27/10; p 1-5",
       5, 1, "11000", "P;@"},
      // After a noun only the negation goes.
      {"m 本 pos=6/1 zh=\\xB0\\xA1:N; m が pos=9/1; m あり base=ある pos=2/2 conj=10/7;"
       "m ませ base=ます pos=14/7 conj=31/3; m ん pos=5 conj=27/10; p 1-5",
       5, 0, "11110", nullptr},
      // Without あり.
      {"m よく base=よい pos=3 conj=18/6 zh=\\xB0\\xA1:A; m 行き base=行く pos=2/2 conj=2/7;"
       "m ませ base=ます pos=14/7 conj=31/3; m ん pos=5 conj=27/10; p 1-4",
       4, 0, "1110", "A"},
      // あり but no ませ ん: ない after あり.
      {"m よく base=よい pos=3 conj=18/6; m あり base=ある pos=2/2 conj=10/7; m は pos=9/2;"
       "m ない pos=5 conj=18/2; p 1-4",
       4, 0, "1110", nullptr},
  };
  for (const Case& c : cases) {
    build(c.sentence);
    int phrase = r->lastNode;
    r->targets[c.negation].flags = 3;
    r->targets[phrase].flags = 3;
    EXPECT_EQ(ruleArimasen(r, c.negation), c.answer) << c.sentence;
    EXPECT_EQ(liveWords(), c.live) << c.sentence;
    EXPECT_EQ(r->targets[c.negation].flags, 2) << c.sentence;
    EXPECT_EQ(r->targets[phrase].flags, 2) << c.sentence;
    if (c.valency) {
      ASSERT_NE(r->targets[c.negation - 3].candidates, nullptr);
      EXPECT_EQ(r->targets[c.negation - 3].candidates->valency.view(), c.valency) << c.sentence;
    }
  }
}

TEST_F(JcSharedRules, ArimasenWithConsumedMaseKeepsTheRest) {
  build("m よく base=よい pos=3 conj=18/6; m あり base=ある pos=2/2 conj=10/7;"
        "m ませ base=ます pos=14/7 conj=31/3; m ん pos=5 conj=27/10; p 1-4");
  retireWord(r, 3);
  EXPECT_EQ(ruleArimasen(r, 4), 0);
  EXPECT_EQ(liveWords(), "1100");
}

TEST_F(JcSharedRules, ArimasenOnAPhraseOnlyClearsItsFlag) {
  build("m 本 pos=6/1; m ない pos=3 conj=18/2; p 1-2");
  r->targets[3].flags = 5;
  EXPECT_EQ(ruleArimasen(r, 3), 0);
  EXPECT_EQ(r->targets[3].flags, 4);
  EXPECT_EQ(liveWords(), "11");
  EXPECT_EQ(ruleArimasen(r, 0), 0);
  EXPECT_EQ(ruleArimasen(r, 4), 0);
}

TEST_F(JcSharedRules, NegationStartingItsPhrase) {
  // 学生では | ない: the negating prefix goes to the phrase of 学生.
  build("m 学生 pos=6/1; m で pos=4 conj=25/11; m は pos=9/2; m ない pos=3 conj=18/2; p 1-3 head=p2 label=D1; p 4-4");
  EXPECT_EQ(ruleArimasen(r, 4), 0);
  EXPECT_EQ(liveWords(), "1110");
  EXPECT_EQ(targetSlot(r->targets[5], 12), rendering("ruleArimasen.notBeing"));
  EXPECT_EQ(r->targets[5].slotSource[slotSourceEntry(12)], 1);

  // 時間が | ない: the other prefix, to the phrase of が.
  build("m 時間 pos=6/10; m が pos=9/1; m ない pos=3 conj=18/2; p 1-2 head=p2 label=D20; p 3-3");
  EXPECT_EQ(ruleArimasen(r, 3), 0);
  EXPECT_EQ(liveWords(), "110");
  EXPECT_EQ(targetSlot(r->targets[4], 12), rendering("ruleArimasen.without"));
  EXPECT_EQ(r->targets[4].slotSource[slotSourceEntry(12)], 0);  // the source three words back is node 0

  // 静かで | ない: answered 1, nothing written.
  build("m 静か pos=3 conj=21/1; m で pos=4 conj=25/11; m ない pos=3 conj=18/2; p 1-2 head=p2 label=D2; p 3-3");
  EXPECT_EQ(ruleArimasen(r, 3), 1);
  EXPECT_EQ(liveWords(), "110");
  EXPECT_EQ(targetSlot(r->targets[4], 12), "");

  // 行か | ない: retired, nothing written.
  build("m 行か base=行く pos=2/2 conj=2/3; m ない pos=5 conj=18/2; p 1-1 head=p2 label=D2; p 2-2");
  EXPECT_EQ(ruleArimasen(r, 2), 0);
  EXPECT_EQ(liveWords(), "10");
  EXPECT_EQ(targetSlot(r->targets[3], 12), "");
}

TEST_F(JcSharedRules, KaDoukaCodes) {
  struct Case {
    const char* sentence;
    int ka;
    const char* code;
  } cases[] = {
      {"m 行く pos=2/2 conj=2/2; m か pos=9/2; m どう pos=8/1; m か pos=9/4; p 1-2; p 3-4", 2, "5"},
      {"m 雨 pos=6/1; m か pos=9/2; m 雪 pos=6/1; m か pos=9/2; p 1-2 head=p2; p 3-4", 2, "3M"},
      {"m 雨 pos=6/1; m か pos=9/2; m 雪 pos=6/1; m か pos=9/2; p 1-2 head=p2; p 3-4", 4, "3H"},
      // The nominals of the pair stand in phrases that are not neighbours: no code.
      {"m 雨 pos=6/1; m か pos=9/2; m 、 pos=1/2; m 雪 pos=6/1; m か pos=9/2; p 1-2; p 3-3; p 4-5", 2, ""},
      {"m 雨 pos=6/1; m か pos=9/2; m 、 pos=1/2; m 雪 pos=6/1; m か pos=9/2; p 1-2; p 3-3; p 4-5", 5, ""},
      {"m 誰 pos=6/1; m か pos=9/2; m 来た base=来る pos=2/2 conj=15/8", 2, "1"},
      {"m 行く pos=2/2 conj=2/2; m か pos=9/2; m 誰 pos=6/1; m が pos=9/1", 2, "4H"},
      {"m 雨 pos=6/1; m か pos=9/2; m 雪 pos=6/1; m が pos=9/1", 2, "4M"},
      {"m 行く pos=2/2 conj=2/2; m か pos=9/2; m 。 pos=1/1", 2, "2"},
      // Not a か, or no word.
      {"m 雨 pos=6/1; m や pos=9/2; m 雪 pos=6/1", 2, ""},
      {"m か pos=9/2", 0, ""},
  };
  for (const Case& c : cases) {
    build(c.sentence);
    std::string code = "old";
    translateKaDouka(r, c.ka, r->nodes[c.ka].surface.view(), code);
    EXPECT_EQ(code, c.code) << c.sentence << " at " << c.ka;
  }
  build("m 誰 pos=6/1; m か pos=9/2");
  std::string code;
  translateKaDouka(r, 2, "が", code);  // the surface handed in decides
  EXPECT_EQ(code, "");
}

TEST_F(JcSharedRules, KaDoukaRenderingsFollowTheCodes) {
  std::set<std::string> words;
  for (const char* code : {"3M", "4M", "5"}) {
    const std::string& w = kaDoukaRendering(code);
    EXPECT_FALSE(w.empty()) << code;
    words.insert(w);
  }
  EXPECT_EQ(words.size(), 3u);
  EXPECT_EQ(kaDoukaRendering("3M").size(), 4u);
  EXPECT_EQ(kaDoukaRendering("5").size(), 6u);
  for (const char* code : {"1", "2", "3H", "4H", "", "9"}) EXPECT_EQ(kaDoukaRendering(code), "") << code;
}

}  // namespace
}  // namespace jc
