#include "platform/core/fail_point.h"

#include <atomic>
#include <mutex>

namespace plat {
namespace {

std::mutex gMutex;
// The most recently armed guard; each links to the one armed before it.
std::atomic<FailPoint*> gArmed{nullptr};

}  // namespace

FailPoint::FailPoint(std::string_view point, int passes) : point_(point), passes_(passes) {
  std::lock_guard<std::mutex> lock(gMutex);
  previous_ = gArmed.load();
  gArmed.store(this);
}

FailPoint::~FailPoint() {
  std::lock_guard<std::mutex> lock(gMutex);
  // Unlinked wherever it stands, so guards may also end out of order.
  FailPoint* at = gArmed.load();
  if (at == this) {
    gArmed.store(previous_);
    return;
  }
  for (; at; at = at->previous_) {
    if (at->previous_ == this) {
      at->previous_ = previous_;
      return;
    }
  }
}

bool FailPoint::fired() const {
  std::lock_guard<std::mutex> lock(gMutex);
  return fired_;
}

bool failPointHit(std::string_view point) {
  if (!gArmed.load(std::memory_order_relaxed)) return false;
  std::lock_guard<std::mutex> lock(gMutex);
  // The latest guard of the point decides; those armed before it wait until it goes.
  for (FailPoint* at = gArmed.load(); at; at = at->previous_) {
    if (at->point_ != point) continue;
    if (at->fired_) return false;
    if (at->passes_ > 0) {
      --at->passes_;
      return false;
    }
    at->fired_ = true;
    return true;
  }
  return false;
}

}  // namespace plat
