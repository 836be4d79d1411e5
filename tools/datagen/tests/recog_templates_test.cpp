#include "tools/datagen/recog_dictionary_writer.h"

#include <gtest/gtest.h>

namespace {

TEST(RecogTemplates, CharacterCodesPerType) {
  struct Case {
    int type;
    const char* ch;
    std::uint16_t code;
  };
  const Case cases[] = {
      {0, "一", 0x321B},  // row 50 cell 27
      {0, "十", 0x2A0E},
      {1, "一", 0xA440},
      {2, "つ", 0x82C2},
      {2, "十", 0x8F5C},
      {0, "A", 0},        // single byte
      {0, "つ", 0x0424},  // row 4 cell 36
      {3, "一", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(datagen::recogCharacterCode(c.type, c.ch), c.code) << c.type << c.ch;
}

TEST(RecogTemplates, ParsesEveryItem) {
  datagen::RecogTemplateSet set;
  std::string error;
  ASSERT_TRUE(datagen::parseRecogTemplates(
                  "# sample\n"
                  "type 2\n"
                  "box 80 79\n"
                  "clusters 3\n"
                  "template つ 10,40 50,30 / 60,80   # one curve\n"
                  "template 0x82C1 1,2\n"
                  "pair つ っ\n"
                  "companion つ 0x8341 2\n"
                  "substitute つ っ\n",
                  set, &error))
      << error;
  EXPECT_EQ(set.type, 2);
  EXPECT_EQ(set.boxWidth, 80);
  EXPECT_EQ(set.boxHeight, 79);
  EXPECT_EQ(set.clusterCount, 3);
  ASSERT_EQ(set.templates.size(), 2u);
  EXPECT_EQ(set.templates[0].code, 0x82C2);
  ASSERT_EQ(set.templates[0].strokes.size(), 2u);
  EXPECT_EQ(set.templates[0].strokes[0][1].x, 50);
  EXPECT_EQ(set.templates[0].strokes[1][0].y, 80);
  EXPECT_EQ(set.templates[1].code, 0x82C1);
  ASSERT_EQ(set.sizePairs.size(), 1u);
  EXPECT_EQ(set.sizePairs[0].second, 0x82C1);
  ASSERT_EQ(set.companions.size(), 1u);
  EXPECT_EQ(set.companions[0].companion, 0x8341);
  EXPECT_EQ(set.companions[0].strokes, 2);
  EXPECT_EQ(set.substitutions.size(), 1u);
}

TEST(RecogTemplates, RefusesBrokenLines) {
  const char* bad[] = {
      "type 5\n",
      "box 0 10\n",
      "template 一\n",
      "template 一 10,40 /\n",
      "template 一 10;40\n",
      "template 一 -1,4\n",
      "template A 1,1\n",
      "pair 一\n",
      "companion 一 二 300\n",
      "clusters 256\n",
      "stroke 一 1,1\n",
  };
  for (const char* text : bad) {
    datagen::RecogTemplateSet set;
    std::string error;
    EXPECT_FALSE(datagen::parseRecogTemplates(std::string("type 0\n") + text, set, &error)) << text;
    EXPECT_EQ(error.rfind("line 2:", 0), 0u) << error;
  }
}

TEST(RecogTemplates, WrittenSizesFollowTheBlocks) {
  datagen::RecogDictionaryImage img;
  img.sizePairs = {{1, 2}};
  img.companions = {{1, 2, 0}};
  img.substitutions = {{3, 4}};
  datagen::RecogClusterImage c;
  datagen::RecogVector v{};
  v[0] = 5;  // three bits in the first dimension, nothing else
  c.members = {{0x1001, v}, {0x1002, datagen::RecogVector{}}};
  img.clusters = {c};
  std::string simplified = datagen::writeRecogDictionary(img, 0);
  std::string japanese = datagen::writeRecogDictionary(img, 2);
  const std::size_t head = 2000 + 10320 + 2 + 4 + 2 + 5;
  EXPECT_EQ(simplified.size(), head + 2 + 4 + 2 + 252 + 4 + 2 * 3);
  EXPECT_EQ(japanese.size(), simplified.size() - 6);
  // First member: code, then 101 in the top bits.
  std::string members = simplified.substr(simplified.size() - 6);
  EXPECT_EQ(static_cast<unsigned char>(members[0]), 0x01);
  EXPECT_EQ(static_cast<unsigned char>(members[1]), 0x10);
  EXPECT_EQ(static_cast<unsigned char>(members[2]), 0xA0);
  EXPECT_EQ(static_cast<unsigned char>(members[5]), 0x00);
}

TEST(RecogTemplates, FurtherRenderingsJoinTheClustersTheDrawingsMake) {
  // Features from the first point alone: two far-apart characters, each drawn and rendered twice more.
  datagen::RecogFeatureFn features = [](const datagen::RecogTemplate& t, int, int, const datagen::RecogSqrtTable&,
                                        datagen::RecogFeatureVector& out) {
    out.fill(0);
    for (int j = 0; j < datagen::kRecogFeatures; j += 2) out[j] = static_cast<std::uint16_t>(t.strokes[0][0].x);
    return true;
  };
  datagen::RecogTemplateSet set;
  set.clusterCount = 4;
  for (int x : {10, 90, 12, 88, 8, 92}) {
    datagen::RecogTemplate t;
    t.code = x < 50 ? 0x1001 : 0x1002;
    t.strokes = {{{x, 50}, {x, 60}}};
    set.templates.push_back(t);
  }
  datagen::RecogDictionaryImage image;
  ASSERT_TRUE(datagen::buildRecogDictionary(set, features, image));
  ASSERT_EQ(image.clusters.size(), 2u);  // no more clusters than characters
  std::size_t members = 0;
  for (const auto& c : image.clusters) {
    members += c.members.size();
    ASSERT_EQ(c.members.size(), 3u);
    for (const auto& m : c.members) EXPECT_EQ(m.first, c.members[0].first);
  }
  EXPECT_EQ(members, 6u);
}

}  // namespace
