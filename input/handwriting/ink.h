// The ink of one character: points in two parallel arrays and the point count of each stroke.
#pragma once
#include <cstdint>
#include <vector>

namespace hw {

inline constexpr int kMaxStrokes = 48;
inline constexpr int kMaxPoints = 16000;

enum class InkStatus { Ok, TooManyStrokes, TooManyPoints };

class Ink {
 public:
  // Starts a stroke with its first point; refused when 48 strokes or 16,000 points are held.
  InkStatus beginStroke(std::uint16_t x, std::uint16_t y);
  // Appends to the open stroke; refused past 16,000 points. Ignored with no open stroke.
  InkStatus addPoint(std::uint16_t x, std::uint16_t y);
  // Closes the open stroke; false when none was open.
  bool endStroke();
  // Removes the last closed stroke and its points; false when there is none.
  bool removeLastStroke();
  void clear();

  bool strokeOpen() const { return open_; }
  // Closed strokes.
  int strokeCount() const { return static_cast<int>(counts_.size()); }
  bool empty() const { return counts_.empty() && !open_; }
  int pointCount() const { return static_cast<int>(x_.size()); }
  const std::vector<std::uint16_t>& x() const { return x_; }
  const std::vector<std::uint16_t>& y() const { return y_; }
  const std::vector<std::uint16_t>& strokePoints() const { return counts_; }
  int openStrokePoints() const { return current_; }

 private:
  std::vector<std::uint16_t> x_, y_;
  std::vector<std::uint16_t> counts_;  // closed strokes
  int current_ = 0;                    // points of the open stroke
  bool open_ = false;
};

}  // namespace hw
