#include "input/recogniser/recogniser_errors.h"
#include "input/recogniser/stroke_chain.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace recog;

namespace {

struct Strokes {
  std::vector<std::uint16_t> counts, x, y;
  Strokes& add(std::initializer_list<std::pair<int, int>> points) {
    counts.push_back(static_cast<std::uint16_t>(points.size()));
    for (auto [px, py] : points) {
      x.push_back(static_cast<std::uint16_t>(px));
      y.push_back(static_cast<std::uint16_t>(py));
    }
    return *this;
  }
  int prepare(PointBuffers& b, PreparedWriting& w, int box = 100) const {
    return preparePoints(counts.data(), static_cast<int>(counts.size()), x.data(), y.data(), box, box, b, w);
  }
};

bool unitSteps(const Chain& c) {
  for (int i = 1; i < c.size(); ++i) {
    int dx = std::abs(c.x[i] - c.x[i - 1]), dy = std::abs(c.y[i] - c.y[i - 1]);
    if (dx > 1 || dy > 1 || (dx == 0 && dy == 0)) return false;
  }
  return true;
}

TEST(PreparePoints, SmallWritingIsMovedNotScaled) {
  Strokes s;
  s.add({{30, 40}, {30, 40}, {93, 40}}).add({}).add({{50, 20}, {50, 60}});
  PointBuffers b;
  PreparedWriting w;
  ASSERT_EQ(s.prepare(b, w), 0);
  EXPECT_EQ(w.strokes, 2);  // the empty stroke is dropped
  EXPECT_EQ(b.counts, (std::vector<std::uint16_t>{3, 2}));
  EXPECT_EQ(b.x, (std::vector<std::uint8_t>{0, 0, 63, 20, 20}));
  EXPECT_EQ(b.y, (std::vector<std::uint8_t>{20, 20, 20, 0, 40}));
  EXPECT_EQ(w.width, 64);
  EXPECT_EQ(w.height, 41);
  EXPECT_EQ(w.boxHeight, 100);
}

TEST(PreparePoints, LargeWritingIsScaledWithItsBox) {
  Strokes s;
  s.add({{100, 100}, {101, 100}, {299, 100}}).add({{200, 50}, {200, 150}});
  PointBuffers b;
  PreparedWriting w;
  ASSERT_EQ(s.prepare(b, w, 400), 0);
  // Extent 200: × 63 ÷ 200; the second point falls on the first and is dropped.
  EXPECT_EQ(b.counts, (std::vector<std::uint16_t>{2, 2}));
  EXPECT_EQ(b.x, (std::vector<std::uint8_t>{0, 62, 31, 31}));
  EXPECT_EQ(b.y, (std::vector<std::uint8_t>{15, 15, 0, 31}));
  EXPECT_EQ(w.boxWidth, 126);
  EXPECT_EQ(w.boxHeight, 126);
  EXPECT_EQ(w.height, 32);
}

TEST(PreparePoints, BoundedByTheBuffers) {
  Strokes s;
  s.counts = {16000, 16000, 5};
  s.x.assign(32005, 10);
  s.y.assign(32005, 10);
  PointBuffers b;
  PreparedWriting w;
  ASSERT_EQ(s.prepare(b, w), 0);
  EXPECT_EQ(w.points, kPointCapacity);
  EXPECT_EQ(b.counts, (std::vector<std::uint16_t>{16000, 384}));

  Strokes many;
  for (int i = 0; i < 26; ++i) many.add({{i, i}});
  EXPECT_EQ(many.prepare(b, w), kErrTooManyStrokes);
}

TEST(BuildChain, FillsGapsAndKeepsStrokeRanges) {
  Strokes s;
  s.add({{0, 0}, {5, 2}}).add({{5, 2}, {5, 4}}).add({{0, 10}});
  PointBuffers b;
  PreparedWriting w;
  ASSERT_EQ(s.prepare(b, w), 0);
  Chain c = buildChain(b, w);
  EXPECT_TRUE(unitSteps(c));
  EXPECT_EQ(c.size(), 6 + 2 + 6);
  // The second stroke starts on the first one's last point.
  EXPECT_EQ(c.realFirst, (std::vector<int>{0, 5, 13}));
  EXPECT_EQ(c.realLast, (std::vector<int>{5, 7, 13}));
  EXPECT_EQ(c.partEnd(0), 5);
  EXPECT_EQ(c.partEnd(2), 14);
  EXPECT_EQ(c.x.back(), 0);
  EXPECT_EQ(c.y.back(), 10);
}

TEST(CentreMap, ThinAxesShiftAndWideAxesStretch) {
  // A thin axis is shifted so that its mean lands on 31.
  std::vector<std::uint8_t> flat = {10, 10, 11, 11};
  std::vector<std::uint8_t> wide = {0, 20, 40, 60};
  std::vector<int> m = centreMap(flat, wide);
  EXPECT_EQ(m[11], 31);  // rounded mean 11
  EXPECT_EQ(m[0], 20);
  EXPECT_EQ(m[63], 63);

  // A wide axis: minimum 0, mean 31, maximum 63, clamped outside.
  std::vector<std::uint8_t> a = {10, 12, 14, 40, 50};  // mean 25
  std::vector<std::uint8_t> b = {5, 30, 40, 50, 55};
  m = centreMap(a, b);
  EXPECT_EQ(m[9], 0);
  EXPECT_EQ(m[10], 0);
  EXPECT_EQ(m[25], 31);
  EXPECT_EQ(m[50], 63);
  EXPECT_EQ(m[51], 63);
  EXPECT_EQ(m[18], (18 - 25) * 31 / 15 + 31);
  EXPECT_EQ(m[40], (40 - 25) * 32 / 25 + 31);

  // At the edges of thinness: five times the other axis's extent, and both extents within 16. A
  // thin axis shifts (its minimum lands off 0); a wide one stretches (its minimum lands on 0).
  const struct {
    std::vector<std::uint8_t> axis, other;
    int atMin;
  } edges[] = {
      {{20, 31}, {0, 59}, 20 - 26 + 31},   // extents 12 and 60: five times
      {{20, 31}, {0, 58}, 0},              // 12 and 59
      {{20, 35}, {20, 35}, 20 - 28 + 31},  // 16 and 16
      {{20, 36}, {20, 35}, 0},             // 17 and 16
      {{20, 35}, {20, 36}, 0},             // 16 and 17
  };
  for (const auto& e : edges) EXPECT_EQ(centreMap(e.axis, e.other)[20], e.atMin) << int(e.axis.back()) << ' ' << int(e.other.back());
}

TEST(CentreChain, MappedChainStaysConnected) {
  Strokes s;
  s.add({{0, 0}, {40, 0}, {40, 50}}).add({{10, 20}, {30, 20}});
  PointBuffers b;
  PreparedWriting w;
  ASSERT_EQ(s.prepare(b, w), 0);
  Chain c = centreChain(buildChain(b, w));
  EXPECT_TRUE(unitSteps(c));
  EXPECT_EQ(c.minX, 0);
  EXPECT_EQ(c.extentX, 64);
  EXPECT_EQ(c.minY, 0);
  EXPECT_EQ(c.extentY, 64);
  ASSERT_EQ(c.realFirst.size(), 2u);
  EXPECT_EQ(c.x[c.realLast[0]], 63);
  EXPECT_EQ(c.y[c.realLast[0]], 63);
  EXPECT_LT(c.realLast[0], c.realFirst[1]);
  EXPECT_EQ(c.realLast[1], c.size() - 1);
}

}  // namespace
