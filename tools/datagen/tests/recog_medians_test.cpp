#include "tools/datagen/recog_medians.h"

#include <gtest/gtest.h>

namespace {

bool same(const datagen::RecogStroke& a, const datagen::RecogStroke& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].x != b[i].x || a[i].y != b[i].y) return false;
  }
  return true;
}

TEST(RecogMedians, RecordsReadWithYDownAndFaultsRefused) {
  std::vector<datagen::RecogStroke> s;
  ASSERT_TRUE(datagen::parseMedians(R"({"strokes": ["M 1 2"], "medians": [[[121, 393], [920, 401]], [[0,900],[1100,-200]]]})", s));
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[0][0].x, 121);
  EXPECT_EQ(s[0][0].y, 900 - 393);
  EXPECT_EQ(s[1][0].y, 0);
  EXPECT_EQ(s[1][1].x, 1023);  // kept inside the frame
  EXPECT_EQ(s[1][1].y, 1023);
  for (const char* bad : {R"({"strokes": []})", R"({"medians": []})", R"({"medians": [[]]})",
                          R"({"medians": [[[1, 2], [3]]]})", R"({"medians": [[[1, 2]])", R"({"medians": [[[a, 2]]]})"}) {
    EXPECT_FALSE(datagen::parseMedians(bad, s)) << bad;
  }
}

TEST(RecogMedians, TemplatesOfATypeKeepTwentyFiveStrokes) {
  std::vector<datagen::MedianCharacter> chars(3);
  chars[0].character = "国";  // simplified only
  chars[1].character = "國";  // traditional and Japanese
  chars[2].character = "一";
  for (auto& c : chars) c.strokes.assign(30, datagen::RecogStroke{{10, 10}, {20, 20}});
  chars[2].strokes.resize(1);
  datagen::RecogTemplateSet simplified = datagen::medianTemplates(0, chars);
  ASSERT_EQ(simplified.templates.size(), 2u);
  EXPECT_EQ(simplified.templates[0].code, 0x195A);  // 国, row 25 cell 90, in code order
  EXPECT_EQ(simplified.templates[0].strokes.size(), 25u);
  EXPECT_EQ(simplified.templates[1].code, 0x321B);
  EXPECT_EQ(simplified.boxWidth, 1024);
  datagen::RecogTemplateSet traditional = datagen::medianTemplates(1, chars);
  ASSERT_EQ(traditional.templates.size(), 2u);
  EXPECT_EQ(traditional.templates[0].code, 0xA440);
  EXPECT_EQ(traditional.templates[1].code, 0xB0EA);
}

TEST(RecogMedians, InkStaysInsideTheBoxAndJitterMovesIt) {
  std::vector<datagen::RecogStroke> strokes = {{{0, 0}, {1023, 1023}}, {{512, 100}, {512, 900}}};
  auto drawn = datagen::medianInk(strokes, 80);
  auto again = datagen::medianInk(strokes, 80);
  auto jittered = datagen::medianInk(strokes, 80, 5);
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn[0].front().x, 8);
  EXPECT_EQ(drawn[0].back().x, 72);
  EXPECT_GT(drawn[0].size(), 25u);  // sampled every 2 pixels
  EXPECT_TRUE(same(drawn[1], again[1]));
  EXPECT_FALSE(same(drawn[1], jittered[1]));
  for (const auto& s : jittered) {
    for (const auto& p : s) {
      EXPECT_GT(p.x, 0);
      EXPECT_LT(p.x, 80);
      EXPECT_GT(p.y, 0);
      EXPECT_LT(p.y, 80);
    }
  }
}

TEST(RecogMedians, DistortedInkRepeatsBySeedAndStaysNearTheDrawing) {
  std::vector<datagen::RecogStroke> strokes = {{{0, 0}, {1023, 1023}}, {{512, 100}, {512, 900}}, {{100, 512}, {900, 512}}};
  auto drawn = datagen::medianInk(strokes, 80);
  auto once = datagen::distortedMedianInk(strokes, 80, 7);
  auto again = datagen::distortedMedianInk(strokes, 80, 7);
  auto other = datagen::distortedMedianInk(strokes, 80, 8);
  ASSERT_EQ(once.size(), 3u);
  for (std::size_t s = 0; s < once.size(); ++s) EXPECT_TRUE(same(once[s], again[s]));
  EXPECT_FALSE(same(once[1], other[1]));
  for (const auto& ink : {once, other}) {
    for (std::size_t s = 0; s < ink.size(); ++s) {
      for (const auto& p : ink[s]) {
        EXPECT_GT(p.x, 0);
        EXPECT_LT(p.x, 80);
        EXPECT_GT(p.y, 0);
        EXPECT_LT(p.y, 80);
      }
      // The largest distortion moves a corner by about 32 pixels; a wrong unit moves it off the box.
      EXPECT_LE(std::abs(ink[s].front().x - drawn[s].front().x), 34);
      EXPECT_LE(std::abs(ink[s].front().y - drawn[s].front().y), 34);
    }
  }
  // The vertical stroke is turned or sheared off the vertical in at least one of the two.
  EXPECT_TRUE(once[1].front().x != once[1].back().x || other[1].front().x != other[1].back().x);
}

}  // namespace
