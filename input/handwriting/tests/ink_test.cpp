#include "input/handwriting/ink.h"

#include <gtest/gtest.h>

namespace {

TEST(Ink, StrokesKeepTheirPointsAndTheLastOneCanBeTakenBack) {
  hw::Ink ink;
  EXPECT_TRUE(ink.empty());
  EXPECT_EQ(ink.addPoint(1, 1), hw::InkStatus::Ok);  // no open stroke: ignored
  EXPECT_EQ(ink.pointCount(), 0);
  EXPECT_FALSE(ink.endStroke());
  ink.beginStroke(1, 2);
  ink.addPoint(3, 4);
  EXPECT_FALSE(ink.empty());
  EXPECT_EQ(ink.strokeCount(), 0);
  EXPECT_FALSE(ink.removeLastStroke());  // the open stroke is not taken back
  ink.endStroke();
  ink.beginStroke(5, 6);
  ink.endStroke();
  EXPECT_EQ(ink.strokePoints(), (std::vector<std::uint16_t>{2, 1}));
  EXPECT_TRUE(ink.removeLastStroke());
  EXPECT_EQ(ink.x(), (std::vector<std::uint16_t>{1, 3}));
  EXPECT_EQ(ink.y(), (std::vector<std::uint16_t>{2, 4}));
  ink.clear();
  EXPECT_TRUE(ink.empty());
  EXPECT_EQ(ink.pointCount(), 0);
}

}  // namespace
