#include "platform/core/fail_point.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

// Which of n passes through a point fail.
std::vector<bool> passes(std::string_view point, int n) {
  std::vector<bool> out;
  for (int k = 0; k < n; ++k) out.push_back(plat::failPointHit(point));
  return out;
}

TEST(FailPoints, FailOnceAtTheirTurnAndOnlyWhileArmed) {
  EXPECT_EQ(passes("a", 2), (std::vector<bool>{false, false}));
  {
    plat::FailPoint a("a");
    EXPECT_FALSE(a.fired());
    EXPECT_EQ(passes("b", 1), std::vector<bool>{false});
    EXPECT_EQ(passes("a", 3), (std::vector<bool>{true, false, false}));
    EXPECT_TRUE(a.fired());
  }
  {
    plat::FailPoint later("a", 2);
    EXPECT_EQ(passes("a", 4), (std::vector<bool>{false, false, true, false}));
  }
  plat::FailPoint never("a", 5);
  EXPECT_EQ(passes("a", 2), (std::vector<bool>{false, false}));
  EXPECT_FALSE(never.fired());
}

TEST(FailPoints, GuardsRestoreThoseArmedBefore) {
  plat::FailPoint outer("a", 1);
  {
    plat::FailPoint inner("a");
    plat::FailPoint other("b");
    EXPECT_EQ(passes("a", 2), (std::vector<bool>{true, false}));  // the inner one decides
  }
  EXPECT_EQ(passes("b", 1), std::vector<bool>{false});
  EXPECT_EQ(passes("a", 3), (std::vector<bool>{false, true, false}));

  // A guard that ends before one armed after it leaves that one armed.
  std::optional<plat::FailPoint> first(std::in_place, "c");
  plat::FailPoint second("d");
  first.reset();
  EXPECT_EQ(passes("c", 1), std::vector<bool>{false});
  EXPECT_EQ(passes("d", 1), std::vector<bool>{true});
}

}  // namespace
