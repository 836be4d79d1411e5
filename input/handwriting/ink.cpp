#include "input/handwriting/ink.h"

namespace hw {

InkStatus Ink::beginStroke(std::uint16_t x, std::uint16_t y) {
  if (open_) endStroke();
  if (strokeCount() >= kMaxStrokes) return InkStatus::TooManyStrokes;
  if (pointCount() >= kMaxPoints) return InkStatus::TooManyPoints;
  open_ = true;
  current_ = 0;
  return addPoint(x, y);
}

InkStatus Ink::addPoint(std::uint16_t x, std::uint16_t y) {
  if (!open_) return InkStatus::Ok;
  if (pointCount() >= kMaxPoints) return InkStatus::TooManyPoints;
  x_.push_back(x);
  y_.push_back(y);
  ++current_;
  return InkStatus::Ok;
}

bool Ink::endStroke() {
  if (!open_) return false;
  open_ = false;
  if (current_ > 0) counts_.push_back(static_cast<std::uint16_t>(current_));
  current_ = 0;
  return true;
}

bool Ink::removeLastStroke() {
  if (open_ || counts_.empty()) return false;
  std::size_t n = counts_.back();
  counts_.pop_back();
  x_.resize(x_.size() - n);
  y_.resize(y_.size() - n);
  return true;
}

void Ink::clear() {
  x_.clear();
  y_.clear();
  counts_.clear();
  current_ = 0;
  open_ = false;
}

}  // namespace hw
