// Time for timers, sleeps and waits. Tests replace the clock with one they advance by hand.
#pragma once
#include <atomic>
#include <cstdint>

namespace plat {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since an arbitrary start; never goes back.
  virtual std::int64_t nowMs() = 0;
  virtual void sleepMs(std::int64_t ms) = 0;
  // Waits until the descriptor is readable (true) or timeoutMs of this clock passed (false);
  // a negative timeout waits without end.
  virtual bool waitReadable(int fd, std::int64_t timeoutMs) = 0;
};

// The clock in use; the system clock unless a test installed another.
Clock& clock();
// Installs a clock (nullptr: the system clock again); returns the previous one or nullptr.
Clock* setClock(Clock* c);

// Milliseconds on the clock in use (the handheld's tick count).
std::int64_t tickCount();
// Sleeps on the clock in use.
void sleepMs(std::int64_t ms);

// A clock that moves only when told: sleeps and timed waits advance it at once.
class ManualClock : public Clock {
 public:
  std::int64_t nowMs() override { return now_.load(); }
  void sleepMs(std::int64_t ms) override { advance(ms); }
  // Returns at once when nothing is readable and the timeout is finite, advancing the clock.
  bool waitReadable(int fd, std::int64_t timeoutMs) override;
  void advance(std::int64_t ms) {
    if (ms > 0) now_ += ms;
  }

 private:
  std::atomic<std::int64_t> now_{1000};
};

// Installs a clock for the lifetime of the object.
class ScopedClock {
 public:
  explicit ScopedClock(Clock& c) : previous_(setClock(&c)) {}
  ~ScopedClock() { setClock(previous_); }
  ScopedClock(const ScopedClock&) = delete;
  ScopedClock& operator=(const ScopedClock&) = delete;

 private:
  Clock* previous_;
};

}  // namespace plat
