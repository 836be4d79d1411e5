#include "platform/core/clock.h"

#include <gtest/gtest.h>

#include <sys/eventfd.h>
#include <unistd.h>

namespace {

TEST(ManualClockTest, SleepsAndTimedWaitsAdvanceItWithoutWaiting) {
  plat::ManualClock manual;
  plat::ScopedClock use(manual);
  std::int64_t start = plat::tickCount();
  plat::sleepMs(1000);
  EXPECT_EQ(plat::tickCount() - start, 1000);

  int fd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  ASSERT_GE(fd, 0);
  EXPECT_FALSE(plat::clock().waitReadable(fd, 250));
  EXPECT_EQ(plat::tickCount() - start, 1250);
  std::uint64_t one = 1;
  ASSERT_EQ(::write(fd, &one, sizeof one), static_cast<ssize_t>(sizeof one));
  EXPECT_TRUE(plat::clock().waitReadable(fd, 250));  // readable: no time passes
  EXPECT_EQ(plat::tickCount() - start, 1250);
  ::close(fd);
}

TEST(ManualClockTest, ScopedClockRestoresThePrevious) {
  plat::Clock* system = &plat::clock();
  {
    plat::ManualClock manual;
    plat::ScopedClock use(manual);
    EXPECT_EQ(&plat::clock(), &manual);
  }
  EXPECT_EQ(&plat::clock(), system);
}

}  // namespace
