#include <gtest/gtest.h>

#include <set>

#include "input/pinyin/pinyin_keys.h"
#include "input/pinyin/syllables.h"

namespace pinyin {
namespace {

TEST(Syllables, EveryInventorySpellingHasItsOwnNumberInBothLayouts) {
  for (bool trad : {false, true}) {
    for (bool zhuyin : {false, true}) {
      std::set<int> seen;
      for (std::string_view s : syllableInventory(trad)) {
        int n = spellingNumber(zhuyin, trad, s);
        ASSERT_GE(n, 0) << s << " zhuyin " << zhuyin << " trad " << trad;
        ASSERT_LT(n, syllableCount(zhuyin, trad)) << s;
        EXPECT_TRUE(seen.insert(n).second) << s << " shares number " << n;
      }
      // Layout 1 numbers every valid syllable from 0; layout 0 keeps 0-3 (and 4-5) for the ü syllables.
      if (zhuyin) {
        EXPECT_EQ(static_cast<int>(seen.size()), syllableCount(zhuyin, trad));
      }
    }
  }
  EXPECT_EQ(syllableInventory(false).size(), 406u);
  EXPECT_EQ(syllableInventory(true).size(), 413u);
}

TEST(Syllables, PartsFollowTheKeysOfEachLayout) {
  struct Case {
    const char* spelling;
    SyllableParts layout0;
    SyllableParts layout1;
  };
  const Case cases[] = {
      {"zhi", {kZh, 0, kFinalI}, {kZh, 0, 0}},
      {"bi", {kB, 0, kFinalI}, {kB, kMedialI, 0}},
      {"bian", {kB, kMedialI, kFinalAn}, {kB, kMedialI, kFinalAn}},
      {"bing", {kB, 0, kFinalIng}, {kB, kMedialI, kFinalEng}},
      {"jue", {kJ, kMedialU, kFinalE}, {kJ, kMedialV, kFinalEh}},
      {"jun", {kJ, 0, kFinalUn}, {kJ, kMedialV, kFinalEn}},
      {"xiong", {kX, kMedialI, kFinalOng}, {kX, kMedialV, kFinalEng}},
      {"gui", {kG, kMedialU, kFinalI}, {kG, kMedialU, kFinalEi}},
      {"liu", {kL, kMedialI, kFinalU}, {kL, kMedialI, kFinalOu}},
      {"dong", {kD, 0, kFinalOng}, {kD, kMedialU, kFinalEng}},
      {"yu", {0, kMedialI, kFinalU}, {0, kMedialV, 0}},
      {"yun", {0, kMedialI, kFinalUn}, {0, kMedialV, kFinalEn}},
      {"wu", {0, kMedialU, kFinalU}, {0, kMedialU, 0}},
      {"ye", {0, kMedialI, kFinalE}, {0, kMedialI, kFinalEh}},
      {"lv", {kL, 0, kFinalV}, {kL, kMedialV, 0}},
      {"er", {0, 0, kFinalEr}, {0, 0, kFinalEr}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(layout0Parts(c.spelling), c.layout0) << c.spelling;
    EXPECT_EQ(layout1Parts(c.spelling), c.layout1) << c.spelling;
  }
  // Zhuyin keys: u after each of j, q and x is ü; after any other initial it is u.
  const struct {
    const char* spelling;
    SyllableParts layout1;
  } zhuyin[] = {
      {"ju", {kJ, kMedialV, 0}},         {"qu", {kQ, kMedialV, 0}},          {"xu", {kX, kMedialV, 0}},
      {"jue", {kJ, kMedialV, kFinalEh}}, {"que", {kQ, kMedialV, kFinalEh}}, {"xue", {kX, kMedialV, kFinalEh}},
      {"juan", {kJ, kMedialV, kFinalAn}}, {"quan", {kQ, kMedialV, kFinalAn}}, {"xuan", {kX, kMedialV, kFinalAn}},
      {"xun", {kX, kMedialV, kFinalEn}}, {"lu", {kL, kMedialU, 0}},          {"shu", {kSh, kMedialU, 0}},
      {"luan", {kL, kMedialU, kFinalAn}},
  };
  for (const auto& z : zhuyin) EXPECT_EQ(layout1Parts(z.spelling), z.layout1) << z.spelling;
  // The ü syllables of layout 0 have fixed numbers.
  EXPECT_EQ(spellingNumber(false, false, "lve"), 0);
  EXPECT_EQ(spellingNumber(false, false, "nve"), 1);
  EXPECT_EQ(spellingNumber(false, false, "yuan"), 2);
  EXPECT_EQ(spellingNumber(false, false, "yue"), 3);
  EXPECT_EQ(syllableNumber(false, true, {kL, kMedialV, kFinalAn}), 4);
  EXPECT_EQ(syllableNumber(false, false, {kL, kMedialV, kFinalAn}), -1);
  // Regular numbers start after them and follow initial, medial, final order.
  EXPECT_EQ(spellingNumber(false, false, "a"), 4);
  EXPECT_EQ(spellingNumber(false, true, "a"), 6);
  EXPECT_LT(spellingNumber(false, false, "ba"), spellingNumber(false, false, "bu"));
  EXPECT_LT(spellingNumber(false, false, "bu"), spellingNumber(false, false, "bian"));
  EXPECT_LT(spellingNumber(false, false, "bian"), spellingNumber(false, false, "pa"));
  // Masks: bit (final − 1) in layout 0, bit final in layout 1.
  EXPECT_TRUE(layout0Mask(false, kB, 0) & (1u << (kFinalAn - 1)));
  EXPECT_FALSE(layout0Mask(false, kF, kMedialI));
  EXPECT_TRUE(layout1Mask(false, kZh, 0) & 1u);
  EXPECT_FALSE(layout1Mask(false, kB, 0) & 1u);
  // Syllables only the traditional set reads.
  EXPECT_EQ(spellingNumber(false, false, "fiao"), -1);
  EXPECT_GE(spellingNumber(true, true, "fiao"), 0);
}

}  // namespace
}  // namespace pinyin
