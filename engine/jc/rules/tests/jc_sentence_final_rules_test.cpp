#include "engine/jc/rules/jc_sentence_final_rules.h"

#include <string>
#include <vector>

#include "engine/jc/rules/jc_rule_kit.h"
#include "engine/jc/rules/tests/rule_fixture.h"

namespace jc {
namespace {

using namespace sentence_final_keys;

struct Write {
  int node;
  Field field;
  std::string text;
  int source = -1;  // checked when not -1
};
struct Case {
  const char* what;
  std::string sentence;
  const char* live;
  std::vector<Write> writes;
  std::vector<std::pair<int, char>> kinds;
};

class SentenceFinal : public RuleTest {
 protected:
  void check(const Case& c) {
    SCOPED_TRACE(c.what);
    build(c.sentence);
    applySentenceFinalRules(s);
    EXPECT_EQ(live(), c.live);
    for (const Write& w : c.writes) {
      EXPECT_EQ(field(w.node, w.field), w.text) << "node " << w.node << " field " << w.field;
      if (w.source != -1) {
        EXPECT_EQ(source(w.node, w.field.slot), w.source) << "node " << w.node << " slot " << w.field;
      }
    }
    for (auto [node, kind] : c.kinds) EXPECT_EQ(s->targets[node].kind, kind) << "node " << node;
  }
};

TEST_F(SentenceFinal, EachAuxiliaryPlacesItsWord) {
  const Case cases[] = {
      {"らしい", "m 雨 pos=6/1; m らしい pos=5/1 conj=18/2; p 1-2", "10", {{3, Slot::kSeeming, word(kRashii), 2}}, {}},
      {"のだろう", "m 行く pos=2/1 conj=5/2; m のだろう base=のだ pos=5/1; p 1-2", "10", {{3, Text::kText3, word(kNodarou)}}, {}},
      {"a plain のだ is only retired", "m 行く pos=2/1 conj=5/2; m のだ pos=5/1; p 1-2", "10", {{3, Text::kText3, ""}}, {}},
      {"そうだ after a continuative: it looks", "m 降り base=降る pos=2/1 conj=5/7; m そうだ pos=5/1; p 1-2", "10",
       {{3, Slot::kSeeming, word(kSouLooks)}}, {}},
      {"そうだ after a base form: they say", "m 降る pos=2/1 conj=5/2; m そうだ pos=5/1; p 1-2", "10",
       {{3, Slot::kSeeming, word(kSouHeard)}}, {}},
      {"そうだ after an i-adjective stem", "m 高 base=高い pos=3 conj=18/1; m そうだ pos=5/1; p 1-2", "10",
       {{3, Slot::kSeeming, word(kSouLooks)}}, {}},
      {"べし records the word after it", "m 行く pos=2/1 conj=5/2; m べし pos=5/1; m 。 pos=1/1; p 1-3", "101",
       {{4, Slot::kPreposition, word(kBeshi), 3}}, {{4, 'z'}}},
      {"べきだ", "m 行く pos=2/1 conj=5/2; m べきだ pos=5/1; p 1-2", "10", {{3, Slot::kPreposition, word(kBeki), 2}}, {}},
      {"べきだ after a noun is only retired", "m 学生 pos=6/1; m べきだ pos=5/1; p 1-2", "10", {{3, Slot::kPreposition, ""}}, {}},
      {"ようだ before なる is left", "m 行く pos=2/1 conj=5/2; m ように base=ようだ pos=5/1; m なる pos=2/1 conj=5/2; p 1-3",
       "111", {}, {}},
      {"ようだ before 成る is left", "m 行く pos=2/1 conj=5/2; m ように base=ようだ pos=5/1; m 成る pos=2/1 conj=5/2; p 1-3",
       "111", {}, {}},
      {"ようだ after a clause", "m 降る pos=2/1 conj=5/2; m ようだ pos=5/1; p 1-2", "10", {{3, Slot::kAfterSubject, word(kYoudaClause), 2}}, {}},
      {"ようだ after a noun", "m 雨 pos=6/1; m ようだ pos=5/1; p 1-2", "10", {{3, Slot::kAfterSubject, word(kYouda), 2}}, {}},
      {"ような", "m 夢 pos=6/1; m の pos=9/1; m ような base=ようだ pos=5/1; m 話 pos=6/1; p 1-3 head=p2; p 4-4", "1001",
       {{5, Slot::kCopula, word(kYounaLike), 3}, {5, Text::kHeadText2, word(kYounaManner)}}, {{5, 'z'}}},
      {"ように after a noun", "m 夢 pos=6/1; m の pos=9/1; m ように base=ようだ pos=5/1; m 消える pos=2/1 conj=1/2;"
       "p 1-3 head=p2; p 4-4",
       "1001", {{5, Slot::kClauseOpener, word(kYouniLike), 3}, {5, Text::kHeadText2, word(kYouniManner)}}, {}},
      {"ばかりだ writes into the last target", "m 着い base=着く pos=2/1 conj=5/8; m ばかりだ pos=5/1; m 。 pos=1/1; p 1-2; p 3-3",
       "101", {{5, Slot::kNearAdverbial, word(kBakariTa)}, {4, Slot::kNearAdverbial, ""}}, {}},
      {"まい", "m 行く pos=2/1 conj=5/2; m まい pos=5/1; p 1-2", "10",
       {{3, Slot::kNegation, word(kMai), 2}, {3, Text::kText3, word(kMaiText3)}}, {}},
      {"の ごとし", "m 夢 pos=6/1; m の pos=9/1; m ごとし pos=5/1; p 1-3", "100",
       {{4, Slot::kSeeming, word(kGotoshi)}, {4, Text::kHeadText, word(kGotoshiHead)}}, {{4, 'z'}}},
      {"みたいな after a noun stays with its word", "m 子供 pos=6/1; m みたいな base=みたいだ pos=5/1 conj=21/4; p 1-2", "11",
       {{2, Slot::kOwnRendering, word(kMitaiNoun) + word(kMitaiForm4)}}, {}},
      {"みたいだ after a clause", "m 降る pos=2/1 conj=5/2; m みたいだ pos=5/1; p 1-2", "10", {{3, Slot::kConcession, word(kMitai), 2}}, {}},
      {"ふうだ", "m こんな pos=7/1; m ふうだ pos=5/1; p 1-2", "11", {{2, Slot::kOwnRendering, word(kFuu)}}, {}},
      {"だろう, です, ことだ are retired", "m 雨 pos=6/1; m だろう pos=5/1; m です pos=5/1; m ことだ pos=5/1; p 1-4", "1000", {},
       {}},
      {"other auxiliaries are passed over", "m 行き base=行く pos=2/1 conj=5/7; m ます pos=5/1; p 1-2", "11", {}, {}},
  };
  for (const Case& c : cases) check(c);
}

TEST_F(SentenceFinal, TheBakariSourceIsRecordedOnTheClauseOfTheWordBefore) {
  build("m 食べ base=食べる pos=2/1 conj=1/7; m て pos=9/3; m ばかりだ pos=5/1; m 。 pos=1/1; p 1-3; p 4-4");
  applySentenceFinalRules(s);
  EXPECT_EQ(slot(6, Slot::kNearAdverbial), word(kBakari));
  EXPECT_EQ(source(5, Slot::kNearAdverbial), 3);
}

TEST_F(SentenceFinal, MaiGoesThroughTheSlotWriter) {
  build("m 行く pos=2/1 conj=5/2; m まい pos=5/1; p 1-2");
  s->slotOverride = 1;
  applySentenceFinalRules(s);
  EXPECT_EQ(slot(3, Slot::kNegation), word(kOverrideWordKey));
  EXPECT_EQ(s->slotOverride, 0);
  EXPECT_EQ(s->targets[3].text3.str(), word(kMaiText3));
}

}  // namespace
}  // namespace jc
