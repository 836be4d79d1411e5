// The 129 features of a centred chain: direction planes over the mesh, reduced, plus a length feature.
#pragma once
#include "input/recogniser/recog_dictionary.h"
#include "input/recogniser/stroke_chain.h"

#include <array>
#include <cstdint>

namespace recog {

inline constexpr int kDirections = 8;
inline constexpr int kMesh = 15;

using SqrtTable = std::array<std::uint16_t, kSqrtTableSize>;
using Features = std::array<std::uint16_t, kFeatureCount>;

// Direction code of a unit step; -1 when the points are equal.
int directionCode(int x1, int y1, int x2, int y2);

// Square root through the table; sets over when the index is beyond what the table covers.
unsigned tableSqrt(const SqrtTable& table, std::uint64_t index, bool& over);

// Planes indexed [direction][row = cell of y][column = cell of x], cells 1-15.
using Planes = std::array<std::array<std::array<std::uint32_t, kMesh + 1>, kMesh + 1>, kDirections>;

// Adds each chain point's weight to its direction's plane: 0, or 20202 for two equal consecutive
// chain points.
int directionPlanes(const Chain& chain, Planes& planes);

// The length feature before compression.
std::uint16_t lengthFeature(const Chain& chain, const SqrtTable& table);

// 128 window sums of the planes (saturated at 65,535).
void reducePlanes(Planes planes, Features& features);

// All 129 features of a centred chain, compressed through the table: 0 or an error code.
int extractFeatures(const Chain& chain, const SqrtTable& table, Features& features);

}  // namespace recog
