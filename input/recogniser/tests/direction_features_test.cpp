#include "input/recogniser/direction_features.h"
#include "input/recogniser/recogniser_errors.h"
#include "tools/datagen/recog_dictionary_writer.h"

#include <gtest/gtest.h>

using namespace recog;

namespace {

SqrtTable table() {
  datagen::RecogSqrtTable t = datagen::recogSqrtTable();
  SqrtTable out;
  std::copy(t.begin(), t.end(), out.begin());
  return out;
}

std::uint64_t planeSum(const Planes& p, int d) {
  std::uint64_t s = 0;
  for (const auto& row : p[d])
    for (auto v : row) s += v;
  return s;
}

Chain chainOf(std::vector<std::pair<int, int>> points, std::vector<int> first, std::vector<int> last) {
  Chain c;
  for (auto [x, y] : points) {
    c.x.push_back(static_cast<std::uint8_t>(x));
    c.y.push_back(static_cast<std::uint8_t>(y));
  }
  c.partStart = first;
  c.realFirst = first;
  c.realLast = last;
  int minX = 63, maxX = 0, minY = 63, maxY = 0;
  for (auto [x, y] : points) {
    minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y), maxY = std::max(maxY, y);
  }
  c.minX = minX, c.extentX = maxX - minX + 1, c.minY = minY, c.extentY = maxY - minY + 1;
  return c;
}

TEST(DirectionCode, EightDirections) {
  struct Case {
    int dx, dy, code;
  };
  const Case cases[] = {{1, 0, 0},  {0, -1, 1}, {1, -1, 2},  {1, 1, 3}, {-1, 0, 4},
                        {0, 1, 5}, {-1, 1, 6}, {-1, -1, 7}, {0, 0, -1}};
  for (const Case& c : cases) {
    EXPECT_EQ(directionCode(10, 10, 10 + c.dx, 10 + c.dy), c.code) << c.dx << "," << c.dy;
  }
}

TEST(TableSqrt, LooksUpScaledIndices) {
  SqrtTable t = table();
  struct Case {
    std::uint64_t index;
    unsigned expected;
    bool over;
  };
  const Case cases[] = {
      {900, t[900], false},
      {999, t[999], false},
      {1000, t[250] * 2u, false},          // ÷ 4
      {4000, t[444] * 3u, false},          // 4000 ÷ 4 is 1,000: next k
      {80999, t[999] * 9u, false},         // ÷ 81
      {85000, t[850] * 10u, true},         // beyond ÷ 81
      {10000000, t[999] * 10u, true},      // ÷ 100 counted as 999
  };
  for (const Case& c : cases) {
    bool over = false;
    EXPECT_EQ(tableSqrt(t, c.index, over), c.expected) << c.index;
    EXPECT_EQ(over, c.over) << c.index;
  }
}

TEST(DirectionPlanes, OnePointCountsAsDownward) {
  Chain c = chainOf({{31, 31}}, {0}, {0});
  Planes p;
  ASSERT_EQ(directionPlanes(c, p), 0);
  // Weight 2, on its own cell and six clamped cells either side.
  EXPECT_EQ(planeSum(p, 5), 26u);
  EXPECT_EQ(p[5][8][8], 26u);
  for (int d = 0; d < kDirections; ++d) {
    if (d != 5) {
      EXPECT_EQ(planeSum(p, d), 0u) << d;
    }
  }
}

TEST(DirectionPlanes, WeightsSpreadAcrossTheStep) {
  // A horizontal stroke along y = 31 with room above and below.
  std::vector<std::pair<int, int>> pts;
  for (int x = 10; x <= 20; ++x) pts.push_back({x, 31});
  Chain c = chainOf(pts, {0}, {10});
  c.minY = 0, c.extentY = 64;
  Planes p;
  ASSERT_EQ(directionPlanes(c, p), 0);
  // 11 points, 13 cells each; the two ends weigh 2, the last point keeps the step before it.
  EXPECT_EQ(planeSum(p, 0), 13u * (9 + 2 * 2));
  EXPECT_GT(p[0][(31 + 6) * 15 / 64 + 1][3], 0u);
  EXPECT_EQ(p[0][(31 + 7) * 15 / 64 + 1 + 1][3], 0u);

  Chain bad = chainOf({{5, 5}, {5, 5}}, {0}, {1});
  EXPECT_EQ(directionPlanes(bad, p), kErrEqualPoints);
}

TEST(ReducePlanes, WindowsShareTheHalvedRowsAndColumns) {
  Planes p{};
  p[2][4][4] = 8;    // halved as row and column: 2, in four windows
  p[2][1][1] = 5;    // one window
  p[7][15][15] = 3;  // last plane's last window
  Features f{};
  reducePlanes(p, f);
  const int base = 2 * 16;
  EXPECT_EQ(f[base + 0], 2 + 5);
  EXPECT_EQ(f[base + 1], 2);
  EXPECT_EQ(f[base + 4], 2);
  EXPECT_EQ(f[base + 5], 2);
  EXPECT_EQ(f[base + 2], 0);
  EXPECT_EQ(f[127], 3);
}

TEST(LengthFeature, SumsStrokeLengthsThroughTheTable) {
  SqrtTable t = table();
  std::vector<std::pair<int, int>> pts;
  for (int x = 0; x <= 31; ++x) pts.push_back({x, 0});   // 31 steps east
  for (int i = 1; i <= 10; ++i) pts.push_back({31 + i, i});  // 10 steps south-east, same stroke
  Chain c = chainOf(pts, {0}, {static_cast<int>(pts.size()) - 1});
  // 31² + 2 × 10² = 1161: ÷ 4 is 290.
  EXPECT_EQ(lengthFeature(c, t), t[290] * 2 / 141);
}

}  // namespace
