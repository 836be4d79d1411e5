#include "input/recogniser/cluster_match.h"

#include "input/recogniser/recogniser_errors.h"
#include "platform/core/notify.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace recog {

namespace {

std::uint32_t saturate32(std::uint64_t v) {
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(v, std::numeric_limits<std::uint32_t>::max()));
}

std::uint64_t squaredDistance(const Projected& v, const std::array<int, kDimensions>& w, int dims) {
  std::uint64_t sum = 0;
  for (int i = 0; i < dims; ++i) {
    std::int64_t d = static_cast<std::int64_t>(w[i]) - v[i];
    sum += static_cast<std::uint64_t>(d * d);
  }
  return sum;
}

}  // namespace

Projected project(const RecogDictionary& dict, const Features& features) {
  Projected v{};
  for (int i = 0; i < kDimensions; ++i) {
    std::int64_t y = 0;
    for (int j = 0; j < kFeatureCount; ++j) y += dict.matrix[i * kFeatureCount + j] * std::int64_t{features[j]};
    v[i] = static_cast<int>((y + 2400000) * 4 / 80000);
  }
  return v;
}

std::vector<int> nearestClusters(const RecogDictionary& dict, const Projected& v) {
  std::size_t n = dict.clusters.size();
  std::vector<std::uint32_t> dist(n);
  for (std::size_t c = 0; c < n; ++c) {
    std::array<int, kDimensions> centre;
    for (int i = 0; i < kDimensions; ++i) centre[i] = dict.clusters[c].centroid[i] + dict.clusters[c].offset[i];
    dist[c] = saturate32(squaredDistance(v, centre, kDimensions));
  }
  std::vector<int> order(n);
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return dist[a] < dist[b]; });
  // Small dictionaries keep their nearest cluster.
  std::size_t keep = std::max<std::size_t>(n * 30 / 100, n ? 1 : 0);
  order.resize(keep);
  return order;
}

int matchMembers(const RecogDictionary& dict, const std::vector<int>& clusters, const Projected& v,
                 std::vector<Match>& out) {
  struct Member {
    int cluster;
    unsigned index;
    std::uint16_t code;
    std::uint16_t coarse;
  };
  std::vector<Member> members;
  std::array<int, kHistogramBins> histogram{};
  std::array<int, kDimensions> values;
  // The diagnostic once per writing: a dictionary whose values lie far from every writing (a
  // damaged one) would otherwise print it for each of its thousands of members.
  bool overflowShown = false;
  for (int c : clusters) {
    const Cluster& cl = dict.clusters[c];
    for (unsigned i = 0; i < cl.memberCount; ++i) {
      std::uint16_t code = 0;
      if (!readMember(dict, cl, i, code, values)) return kErrMemberIndex;
      std::uint64_t d = squaredDistance(v, values, kFirstPassDimensions);
      if (d > 65535) {
        if (!overflowShown) plat::consolePrint("**********over flow************\n");
        overflowShown = true;
        d = 65535;
      }
      std::uint16_t coarse = static_cast<std::uint16_t>(d);
      if (coarse / 10 < kHistogramBins) ++histogram[coarse / 10];
      members.push_back({c, i, code, coarse});
    }
  }
  int threshold = kHistogramBins;
  for (int b = 0, running = 0; b < kHistogramBins; ++b) {
    running += histogram[b];
    if (running > kHistogramCut) {
      threshold = b;
      break;
    }
  }
  out.clear();
  for (const Member& m : members) {
    if (m.coarse / 10 > threshold) continue;
    std::uint16_t code = 0;
    if (!readMember(dict, dict.clusters[m.cluster], m.index, code, values)) return kErrMemberIndex;
    out.push_back({m.code, saturate32(squaredDistance(v, values, kDimensions))});
  }
  std::stable_sort(out.begin(), out.end(), [](const Match& a, const Match& b) { return a.distance < b.distance; });
  return kRecogOk;
}

}  // namespace recog
