#include "engine/jc/rules/jc_sentence_patterns.h"

#include <cstring>
#include <set>

#include "engine/jc/core/tests/rendering_fill.h"
#include "engine/jc/rules/jc_rule_kit.h"
#include "engine/jc/rules/tests/rule_fixture.h"

namespace jc {
namespace {

class SentencePatterns : public RuleTest {};

TEST_F(SentencePatterns, TheTableHoldsEveryPlaceInItsOrder) {
  const auto& places = sentencePatternPlaces();
  const std::set<int> built = {129, 162, 163, 170, 180, 181, 182, 183, 186, 187, 188, 189, 190, 191, 192};
  const std::set<int> empty = {12, 27, 28, 112, 117, 123, 124, 145, 154, 179, 184};
  for (int place = 1; place <= kSentencePatternPlaces; ++place) {
    const SentencePatternPlace& p = places[place - 1];
    SCOPED_TRACE(place);
    ASSERT_NE(p.name, nullptr);
    if (empty.count(place)) {
      EXPECT_EQ(p.apply, emptyPatternRule);
    } else if (place <= 60 || built.count(place)) {
      char name[32];
      std::snprintf(name, sizeof name, "patternRule%03d", place);
      EXPECT_STREQ(p.name, name);
      EXPECT_NE(p.apply, nullptr);
    } else {
      // A place of the later rule groups, under the group's own rule name.
      EXPECT_TRUE(place >= 61 && place <= 185);
      EXPECT_STRNE(p.name, "");
      EXPECT_NE(std::string(p.name).rfind("rule", 0), std::string::npos);
    }
  }
  EXPECT_STREQ(places[60].name, "ruleKaOmou");
  EXPECT_STREQ(places[127].name, "ruleTeForm");
  EXPECT_STREQ(places[184].name, "ruleZu");
  EXPECT_STREQ(places[178].name, "patternRule179");
}

TEST_F(SentencePatterns, ASentenceWithoutTriggersChangesOnlyTheOverrideCounter) {
  build("m 彼 pos=6/1; m は pos=9/2; m 学校 pos=6/1; m へ pos=9/1; m 行った base=行く pos=2/1 conj=5/8; m 。 pos=1/1;"
        "p 1-2 head=p3; p 3-4 head=p3; p 5-6");
  s->slotOverride = 3;
  auto before = std::make_unique<JcSentence>();
  std::memcpy(static_cast<void*>(before.get()), s, sizeof(JcSentence));
  applySentencePatternRules(s);
  EXPECT_EQ(s->slotOverride, 0);
  s->slotOverride = 3;
  EXPECT_EQ(std::memcmp(before.get(), s, sizeof(JcSentence)), 0);
}

TEST_F(SentencePatterns, AnEarlierPlaceTakesTheWordFromALaterOne) {
  const std::string sentence =
      "m 必ずしも pos=8; m 正しく base=正しい pos=3 conj=18/6; m ない pos=14/7 conj=18/2; p 1-1 head=p2; p 2-3";
  // Alone, rule 007 renders 必ずしも as an adverb paired with the negation.
  build(sentence);
  patternRule007(s);
  EXPECT_EQ(slot(1, Slot::kOwnRendering), word("patternRule007.adverb"));
  // In the step, rule 001 retires it first and counts the pair for the slot writer.
  build(sentence);
  applySentencePatternRules(s);
  EXPECT_EQ(live(), "011");
  EXPECT_EQ(slot(1, Slot::kOwnRendering), "");
  EXPECT_EQ(s->slotOverride, 1);
}

TEST_F(SentencePatterns, TheLateRulesRunInTheStep) {
  build("m すみ base=すむ pos=2/1 conj=5/7; m ませ base=ます pos=14/7 conj=30/7; m ん base=ぬ pos=14/7 conj=27/2;"
        "m でした base=です pos=14/7 conj=29/8; m 。 pos=1/1");
  applySentencePatternRules(s);
  EXPECT_EQ(live(), "10001");
  EXPECT_EQ(slot(1, Slot::kOwnRendering), word("patternRule190.sumimasen"));
}

TEST_F(SentencePatterns, Rule001CountsEachPairAndEndsWithoutANegation) {
  build("m 必ずしも pos=8; m 良く base=良い pos=3 conj=18/6; m ない pos=14/7 conj=18/2; m かならずしも base=必ずしも pos=8;"
        "m 悪く base=悪い pos=3 conj=18/6; m ない pos=14/7 conj=18/2; m 必ずしも pos=8; m 。 pos=1/1");
  s->slotOverride = 7;
  patternRule001(s);
  EXPECT_EQ(s->slotOverride, 2);
  EXPECT_EQ(live(), "01101111");  // the second by its base form; the third has no negation after it
}

TEST_F(SentencePatterns, Rule019TriesTheFormsInOrder) {
  // 一向に wins although すこしも comes first; the scan then goes on after it.
  build("m すこしも pos=8; m 一向に pos=8; m 来 base=来る pos=2/1 conj=15/3; m ない pos=14/7 conj=18/2");
  patternRule019(s);
  EXPECT_EQ(slot(2, Slot::kOwnRendering), word("patternRule019.adverb"));
  EXPECT_EQ(s->targets[2].code.str(), "F");
  EXPECT_EQ(slot(1, Slot::kOwnRendering), "");
  EXPECT_EQ(live(), "1110");
  // 一向 + に: the に goes; no negation: nothing.
  build("m 一向 pos=8; m に pos=9/1; m 分から base=分かる pos=2/1 conj=5/3; m ない pos=14/7 conj=18/2");
  patternRule019(s);
  EXPECT_EQ(live(), "1010");
  build("m いっこうに pos=8; m 分かる pos=2/1 conj=5/2");
  patternRule019(s);
  EXPECT_EQ(slot(1, Slot::kOwnRendering), "");
}

TEST_F(SentencePatterns, Rule043WritesTheBannerForItsTriggerAtWordOne) {
  build("m @patternRule043.trigger pos=6/1; m 。 pos=1/1");
  patternRule043(s);
  EXPECT_EQ(slot(1, Slot::kOwnRendering), word(banner_keys::kBanner));
  EXPECT_EQ(live(), "11");
  build("m 彼 pos=6/1; m @patternRule043.trigger pos=6/1");
  patternRule043(s);
  EXPECT_EQ(slot(2, Slot::kOwnRendering), "");
  EXPECT_EQ(slot(1, Slot::kOwnRendering), "");
}

TEST_F(SentencePatterns, TheBannerIsCutAtAWholeCharacter) {
  datagen::WordTable table = syntheticRenderings();
  table[banner_keys::kBanner] = {reinterpret_cast<const char*>(u8"中中中中中中中中中中中中中中中中中中中")};
  std::string error;
  ASSERT_EQ(loadRenderingTableText(datagen::wordTableText(table), &error), kRenderingTableLoaded) << error;
  build("m @patternRule043.trigger pos=6/1");
  patternRule043(s);
  const std::string full = word(banner_keys::kBanner);
  ASSERT_EQ(full.size(), 38u);
  EXPECT_EQ(slot(1, Slot::kOwnRendering), full.substr(0, 18));
}

}  // namespace
}  // namespace jc
