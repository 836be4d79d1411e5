#include "platform/core/timer.h"

#include "platform/core/clock.h"
#include "platform/core/message_state.h"

#include <algorithm>

namespace plat {
using namespace plat::msg;

bool setTimer(Hwnd hwnd, unsigned id, unsigned intervalMs) {
  std::shared_ptr<Window> w = findLocal(hwnd);
  if (!w) return false;
  std::int64_t due = clock().nowMs() + intervalMs;
  {
    std::lock_guard<std::mutex> lock(w->owner->m);
    bool found = false;
    for (Timer& t : w->owner->timers) {
      if (t.hwnd == hwnd && t.id == id) {
        t.intervalMs = intervalMs;
        t.dueMs = due;
        found = true;
      }
    }
    if (!found) w->owner->timers.push_back({hwnd, id, intervalMs, due});
  }
  w->owner->wake();
  return true;
}

bool killTimer(Hwnd hwnd, unsigned id) {
  std::shared_ptr<Window> w = findLocal(hwnd);
  if (!w) return false;
  std::lock_guard<std::mutex> lock(w->owner->m);
  auto& timers = w->owner->timers;
  for (auto it = timers.begin(); it != timers.end(); ++it) {
    if (it->hwnd == hwnd && it->id == id) {
      timers.erase(it);
      return true;
    }
  }
  return false;
}

std::int64_t msUntilNextTimer() {
  std::shared_ptr<ThreadQueue> self = currentQueue();
  std::lock_guard<std::mutex> lock(self->m);
  if (self->timers.empty()) return -1;
  std::int64_t next = self->timers.front().dueMs;
  for (const Timer& t : self->timers) next = std::min(next, t.dueMs);
  return std::max<std::int64_t>(0, next - clock().nowMs());
}

}  // namespace plat
