#include "platform/core/clock.h"

#include <poll.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace plat {
namespace {

bool pollReadable(int fd, int timeoutMs) {
  pollfd p{fd, POLLIN, 0};
  for (;;) {
    int r = ::poll(&p, 1, timeoutMs);
    if (r >= 0) return r > 0;
    if (errno != EINTR) return false;
  }
}

class SystemClock : public Clock {
 public:
  std::int64_t nowMs() override {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  }
  void sleepMs(std::int64_t ms) override {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
  bool waitReadable(int fd, std::int64_t timeoutMs) override {
    if (timeoutMs < 0) return pollReadable(fd, -1);
    std::int64_t deadline = nowMs() + timeoutMs;
    for (;;) {
      std::int64_t left = deadline - nowMs();
      if (left < 0) left = 0;
      if (pollReadable(fd, static_cast<int>(left > 1000000 ? 1000000 : left))) return true;
      if (left == 0 || nowMs() >= deadline) return false;
    }
  }
};

SystemClock gSystemClock;
std::atomic<Clock*> gClock{nullptr};

}  // namespace

Clock& clock() {
  Clock* c = gClock.load();
  return c ? *c : gSystemClock;
}

Clock* setClock(Clock* c) { return gClock.exchange(c); }

std::int64_t tickCount() { return clock().nowMs(); }

void sleepMs(std::int64_t ms) { clock().sleepMs(ms); }

bool ManualClock::waitReadable(int fd, std::int64_t timeoutMs) {
  if (timeoutMs < 0) return pollReadable(fd, -1);
  if (pollReadable(fd, 0)) return true;
  advance(timeoutMs);
  return false;
}

}  // namespace plat
