// Failure injection for tests. Code that allocates asks failPointHit with its point's name just
// before the allocation and, on true, takes the path a failed allocation takes. A test arms a
// point with a FailPoint guard; the guard disarms it when it goes, restoring what was armed before.
#pragma once
#include <string>
#include <string_view>

namespace plat {

// True when an armed guard names this point and its turn has come. One load when nothing is armed.
bool failPointHit(std::string_view point);

class FailPoint {
 public:
  // Arms `point` to fail once, after `passes` passes that succeed.
  explicit FailPoint(std::string_view point, int passes = 0);
  ~FailPoint();
  FailPoint(const FailPoint&) = delete;
  FailPoint& operator=(const FailPoint&) = delete;

  // True once the point has failed.
  bool fired() const;

 private:
  friend bool failPointHit(std::string_view point);
  std::string point_;
  int passes_;
  bool fired_ = false;
  FailPoint* previous_ = nullptr;
};

}  // namespace plat
