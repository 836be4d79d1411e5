// Projection of the features and the match against clusters and their members.
#pragma once
#include "input/recogniser/direction_features.h"
#include "input/recogniser/recog_dictionary.h"

#include <array>
#include <cstdint>
#include <vector>

namespace recog {

using Projected = std::array<int, kDimensions>;

struct Match {
  std::uint16_t code;
  std::uint32_t distance;
};

inline constexpr int kFirstPassDimensions = 16;
inline constexpr int kHistogramBins = 500;
inline constexpr int kHistogramCut = 200;

// The features through the dictionary's matrix.
Projected project(const RecogDictionary& dict, const Features& features);

// Cluster indices by rising distance to v (stable), the nearest 30 % and at least one kept.
std::vector<int> nearestClusters(const RecogDictionary& dict, const Projected& v);

// Members of the kept clusters that pass the 16-dimension cut, by rising 80-dimension
// distance (stable). Returns 0 or 30004.
int matchMembers(const RecogDictionary& dict, const std::vector<int>& clusters, const Projected& v,
                 std::vector<Match>& out);

}  // namespace recog
