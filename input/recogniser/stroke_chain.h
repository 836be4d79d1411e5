// From the caller's points to one chain of unit steps on the 64 × 64 grid, centred on its mean.
#pragma once
#include <cstdint>
#include <vector>

namespace recog {

inline constexpr int kMaxRecogStrokes = 25;
inline constexpr int kPointCapacity = 16384;  // points the work buffers hold
inline constexpr int kGrid = 64;

// The work buffers: point counts of the strokes used and their points as grid bytes.
struct PointBuffers {
  std::vector<std::uint16_t> counts;
  std::vector<std::uint8_t> x;
  std::vector<std::uint8_t> y;
};

// Points moved to a zero minimum and, when larger than the grid, scaled onto it.
struct PreparedWriting {
  int strokes = 0;    // strokes with points
  int points = 0;     // points in the buffers
  int boxWidth = 0;   // box, scaled with the points
  int boxHeight = 0;
  int width = 0;      // extents of the points
  int height = 0;
};

// Uses the first strokes (at most 25) and at most kPointCapacity points; strokes without points are
// dropped. Returns 0, or 17006 when more than 25 strokes are given.
int preparePoints(const std::uint16_t* pointCounts, int strokeCount, const std::uint16_t* x,
                  const std::uint16_t* y, int boxWidth, int boxHeight, PointBuffers& buffers,
                  PreparedWriting& out);

struct Chain {
  std::vector<std::uint8_t> x, y;
  // Per stroke: start of its part of the chain (up to the next stroke's part), first and last chain
  // index of its own points.
  std::vector<int> partStart, realFirst, realLast;
  // Mesh bounds of each axis after centring.
  int minX = 0, extentX = 0, minY = 0, extentY = 0;

  int size() const { return static_cast<int>(x.size()); }
  int partEnd(int stroke) const {
    return stroke + 1 < static_cast<int>(partStart.size()) ? partStart[stroke + 1] : size();
  }
};

// Joins the prepared strokes into one chain, filling gaps with digital lines and dropping repeats.
Chain buildChain(const PointBuffers& buffers, const PreparedWriting& writing);

// The position map of one axis (0-63 → 0-63) for the chain's points on it.
std::vector<int> centreMap(const std::vector<std::uint8_t>& axis, const std::vector<std::uint8_t>& other);

// Maps the chain through both axes' centre maps, refills gaps and sets the mesh bounds.
Chain centreChain(const Chain& chain);

}  // namespace recog
