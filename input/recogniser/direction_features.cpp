#include "input/recogniser/direction_features.h"

#include "input/recogniser/recogniser_errors.h"
#include "platform/core/notify.h"

#include <algorithm>

namespace recog {

namespace {

constexpr int kSpread = 6;
constexpr unsigned kFeatureClip = 1999;

bool isAxis(int d) { return d == 0 || d == 1 || d == 4 || d == 5; }

// Cell of each grid position inside the mesh bounds, 0 outside.
std::array<int, kGrid> cellTable(int min, int extent) {
  std::array<int, kGrid> cells{};
  for (int p = min; p <= min + extent && p < kGrid; ++p) cells[p] = p * kMesh / kGrid + 1;
  return cells;
}

}  // namespace

int directionCode(int x1, int y1, int x2, int y2) {
  if (y2 == y1) return x2 > x1 ? 0 : x2 < x1 ? 4 : -1;
  if (y2 < y1) return x2 == x1 ? 1 : x2 > x1 ? 2 : 7;
  return x2 == x1 ? 5 : x2 > x1 ? 3 : 6;
}

unsigned tableSqrt(const SqrtTable& table, std::uint64_t index, bool& over) {
  if (index < kSqrtTableSize) return table[index];
  for (unsigned k = 2; k <= 9; ++k) {
    if (index / (k * k) < kSqrtTableSize) return table[index / (k * k)] * k;
  }
  over = true;
  return table[std::min<std::uint64_t>(index / 100, kSqrtTableSize - 1)] * 10u;
}

int directionPlanes(const Chain& c, Planes& planes) {
  for (auto& plane : planes)
    for (auto& row : plane) row.fill(0);
  std::array<int, kGrid> cellX = cellTable(c.minX, c.extentX);
  std::array<int, kGrid> cellY = cellTable(c.minY, c.extentY);
  int maxX = c.minX + c.extentX - 1, maxY = c.minY + c.extentY - 1;
  int n = c.size();
  for (int s = 0; s < static_cast<int>(c.partStart.size()); ++s) {
    int start = c.partStart[s], end = c.partEnd(s);
    for (int m = start; m < end; ++m) {
      int d;
      if (m + 1 < n) {
        d = directionCode(c.x[m], c.y[m], c.x[m + 1], c.y[m + 1]);
      } else if (m > start) {
        d = directionCode(c.x[m - 1], c.y[m - 1], c.x[m], c.y[m]);
      } else {
        d = 5;
      }
      if (d < 0) return kErrEqualPoints;
      unsigned weight = (c.realFirst[s] < m && m < c.realLast[s]) ? 1 : 2;
      int x = c.x[m], y = c.y[m];
      auto& plane = planes[d];
      plane[cellY[y]][cellX[x]] += weight;
      // Across the direction of the step.
      int ax = 0, ay = 0;
      if (d == 0 || d == 4) ay = 1;
      else if (d == 1 || d == 5) ax = 1;
      else if (d == 2 || d == 6) ax = ay = 1;
      else { ax = 1; ay = -1; }
      for (int i = 1; i <= kSpread; ++i) {
        for (int side : {1, -1}) {
          int px = std::clamp(x + side * i * ax, c.minX, maxX);
          int py = std::clamp(y + side * i * ay, c.minY, maxY);
          plane[cellY[py]][cellX[px]] += weight;
        }
      }
    }
  }
  return kRecogOk;
}

std::uint16_t lengthFeature(const Chain& c, const SqrtTable& table) {
  std::uint64_t total = 0;
  bool over = false;
  for (std::size_t s = 0; s < c.realFirst.size(); ++s) {
    std::array<std::uint64_t, kDirections> steps{};
    for (int m = c.realFirst[s]; m < c.realLast[s]; ++m) {
      int d = directionCode(c.x[m], c.y[m], c.x[m + 1], c.y[m + 1]);
      if (d >= 0) ++steps[d];
    }
    std::uint64_t index = 0;
    for (int d = 0; d < kDirections; ++d) {
      std::uint64_t t = isAxis(d) ? steps[d] : 0, u = isAxis(d) ? 0 : steps[d];
      index += t * t + 2 * u * u + t * u * 282 / 100;
    }
    total += tableSqrt(table, index, over);
    if (over) {
      plat::consolePrint("over\n");
      over = false;
    }
  }
  std::uint64_t feature = total / 141;
  if (feature >= 65536) {
    plat::consolePrint("round\n");
    feature = 65535;
  }
  return static_cast<std::uint16_t>(feature);
}

void reducePlanes(Planes planes, Features& features) {
  static constexpr int kHalved[] = {4, 8, 12};
  static constexpr int kWindowStart[] = {1, 4, 8, 12};
  static constexpr int kWindowEnd[] = {4, 8, 12, 15};
  int f = 0;
  for (auto& plane : planes) {
    for (int h : kHalved) {
      for (int i = 1; i <= kMesh; ++i) {
        plane[h][i] /= 2;
        plane[i][h] /= 2;
      }
    }
    for (int wr = 0; wr < 4; ++wr) {
      for (int wc = 0; wc < 4; ++wc) {
        std::uint64_t sum = 0;
        for (int r = kWindowStart[wr]; r <= kWindowEnd[wr]; ++r)
          for (int col = kWindowStart[wc]; col <= kWindowEnd[wc]; ++col) sum += plane[r][col];
        features[f++] = static_cast<std::uint16_t>(std::min<std::uint64_t>(sum, 65535));
      }
    }
  }
}

int extractFeatures(const Chain& chain, const SqrtTable& table, Features& features) {
  Planes planes;
  int rc = directionPlanes(chain, planes);
  if (rc != kRecogOk) return rc;
  reducePlanes(planes, features);
  features[kFeatureCount - 1] = lengthFeature(chain, table);
  for (std::uint16_t& v : features) v = table[std::min<unsigned>(v, kFeatureClip) / 2];
  return kRecogOk;
}

}  // namespace recog
