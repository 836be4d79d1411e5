#include "input/recogniser/stroke_chain.h"

#include "input/recogniser/recogniser_errors.h"

#include <algorithm>
#include <cstdlib>

namespace recog {

namespace {

// a / b rounded half away from zero, b > 0.
int roundDiv(int a, int b) { return a >= 0 ? (2 * a + b) / (2 * b) : -((-2 * a + b) / (2 * b)); }

// Appends the point, first filling the line from the chain's last point with unit steps; a point
// equal to the last is not repeated.
void appendStep(Chain& c, int x, int y) {
  if (c.x.empty()) {
    c.x.push_back(static_cast<std::uint8_t>(x));
    c.y.push_back(static_cast<std::uint8_t>(y));
    return;
  }
  int x0 = c.x.back(), y0 = c.y.back();
  int dx = x - x0, dy = y - y0;
  int n = std::max(std::abs(dx), std::abs(dy));
  for (int i = 1; i <= n; ++i) {
    c.x.push_back(static_cast<std::uint8_t>(x0 + roundDiv(dx * i, n)));
    c.y.push_back(static_cast<std::uint8_t>(y0 + roundDiv(dy * i, n)));
  }
}

struct Range {
  int min = 0, max = 0;
  int extent() const { return max - min + 1; }
};

Range rangeOf(const std::vector<std::uint8_t>& v) {
  auto [lo, hi] = std::minmax_element(v.begin(), v.end());
  return {*lo, *hi};
}

}  // namespace

int preparePoints(const std::uint16_t* pointCounts, int strokeCount, const std::uint16_t* x,
                  const std::uint16_t* y, int boxWidth, int boxHeight, PointBuffers& buffers,
                  PreparedWriting& out) {
  out = PreparedWriting{};
  buffers.counts.clear();
  buffers.x.clear();
  buffers.y.clear();
  if (strokeCount > kMaxRecogStrokes) return kErrTooManyStrokes;

  // Counts of the points used, bounded by the buffers.
  std::vector<int> used(static_cast<std::size_t>(std::max(strokeCount, 0)), 0);
  int total = 0;
  for (int s = 0; s < strokeCount; ++s) {
    used[s] = std::min<int>(pointCounts[s], kPointCapacity - total);
    total += used[s];
  }
  out.boxWidth = boxWidth;
  out.boxHeight = boxHeight;
  if (total == 0) return kRecogOk;

  int minX = 65535, maxX = 0, minY = 65535, maxY = 0;
  for (int at = 0, s = 0; s < strokeCount; at += pointCounts[s], ++s) {
    for (int i = 0; i < used[s]; ++i) {
      minX = std::min<int>(minX, x[at + i]);
      maxX = std::max<int>(maxX, x[at + i]);
      minY = std::min<int>(minY, y[at + i]);
      maxY = std::max<int>(maxY, y[at + i]);
    }
  }
  int extent = std::max(maxX - minX + 1, maxY - minY + 1);
  bool scale = extent > kGrid;
  if (scale) {
    out.boxWidth = boxWidth * (kGrid - 1) / extent;
    out.boxHeight = boxHeight * (kGrid - 1) / extent;
  }
  for (int at = 0, s = 0; s < strokeCount; at += pointCounts[s], ++s) {
    if (used[s] == 0) continue;
    int kept = 0;
    for (int i = 0; i < used[s]; ++i) {
      int px = x[at + i] - minX, py = y[at + i] - minY;
      if (scale) {
        px = px * (kGrid - 1) / extent;
        py = py * (kGrid - 1) / extent;
        if (kept > 0 && buffers.x.back() == px && buffers.y.back() == py) continue;
      }
      buffers.x.push_back(static_cast<std::uint8_t>(px));
      buffers.y.push_back(static_cast<std::uint8_t>(py));
      ++kept;
    }
    buffers.counts.push_back(static_cast<std::uint16_t>(kept));
  }
  out.strokes = static_cast<int>(buffers.counts.size());
  out.points = static_cast<int>(buffers.x.size());
  out.width = rangeOf(buffers.x).extent();
  out.height = rangeOf(buffers.y).extent();
  return kRecogOk;
}

Chain buildChain(const PointBuffers& buffers, const PreparedWriting& writing) {
  Chain c;
  int at = 0;
  for (int s = 0; s < writing.strokes; ++s) {
    int n = buffers.counts[s];
    for (int i = 0; i < n; ++i, ++at) {
      appendStep(c, buffers.x[at], buffers.y[at]);
      if (i == 0) c.realFirst.push_back(c.size() - 1);
    }
    c.realLast.push_back(c.size() - 1);
  }
  c.partStart = c.realFirst;
  return c;
}

std::vector<int> centreMap(const std::vector<std::uint8_t>& axis, const std::vector<std::uint8_t>& other) {
  std::vector<int> map(kGrid, 0);
  if (axis.empty()) return map;
  Range r = rangeOf(axis), o = rangeOf(other);
  long long n = static_cast<long long>(axis.size()), sum = 0;
  for (std::uint8_t v : axis) sum += v;
  int m = static_cast<int>((n + 2 * sum) / (2 * n));
  int ext = r.extent(), otherExt = o.extent();
  bool thin = ext < 3 || otherExt / ext > 4 || (ext < 17 && otherExt <= 16);
  for (int p = 0; p < kGrid; ++p) {
    int q;
    if (thin) {
      q = std::clamp(p - m + 31, 0, kGrid - 1);
    } else if (p < r.min) {
      q = 0;
    } else if (p > r.max) {
      q = kGrid - 1;
    } else if (p <= m) {
      q = r.min == m ? 31 : (p - m) * 31 / (m - r.min) + 31;
    } else {
      q = (p - m) * 32 / (r.max - m) + 31;
    }
    map[p] = q;
  }
  return map;
}

Chain centreChain(const Chain& chain) {
  Chain out;
  if (chain.x.empty()) return out;
  std::vector<int> mapX = centreMap(chain.x, chain.y);
  std::vector<int> mapY = centreMap(chain.y, chain.x);
  std::vector<int> newIndex(chain.x.size());
  for (std::size_t i = 0; i < chain.x.size(); ++i) {
    appendStep(out, mapX[chain.x[i]], mapY[chain.y[i]]);
    newIndex[i] = out.size() - 1;
  }
  for (int i : chain.partStart) out.partStart.push_back(newIndex[i]);
  for (int i : chain.realFirst) out.realFirst.push_back(newIndex[i]);
  for (int i : chain.realLast) out.realLast.push_back(newIndex[i]);
  Range rx = rangeOf(out.x), ry = rangeOf(out.y);
  out.minX = rx.min;
  out.extentX = rx.extent();
  out.minY = ry.min;
  out.extentY = ry.extent();
  return out;
}

}  // namespace recog
