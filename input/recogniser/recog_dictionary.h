// A recogniser dictionary held in memory: tables, pairs, companions, substitutions, clusters, members.
#pragma once
#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace recog {

inline constexpr int kSqrtTableSize = 1000;
inline constexpr int kFeatureCount = 129;
inline constexpr int kDimensions = 80;
inline constexpr int kMaxClusters = 255;
inline constexpr int kClusterRecordSize = 252;

enum DictionaryType : int { kSimplified = 0, kTraditional = 1, kJapanese = 2 };

struct SizePair {
  std::uint16_t large;  // A
  std::uint16_t small;  // B
};

struct Companion {
  std::uint16_t code;
  std::uint16_t companion;
  std::uint8_t strokes;  // 0 for any
};

struct Substitution {
  std::uint16_t code;
  std::uint16_t replacement;
};

struct Cluster {
  std::array<std::uint8_t, kDimensions> centroid;  // above the offset
  std::array<std::uint8_t, kDimensions> offset;    // minimum of each dimension
  std::array<std::uint8_t, kDimensions> width;     // bits of each dimension in a member
  std::uint16_t memberCount = 0;
  std::uint32_t position = 0;  // of the first member in the member block
  std::uint8_t packedLength = 0;
};

struct RecogDictionary {
  int type = kSimplified;
  std::array<std::uint16_t, kSqrtTableSize> sqrtTable{};
  std::array<std::int8_t, kDimensions * kFeatureCount> matrix{};  // row-major, 80 × 129
  std::vector<SizePair> sizePairs;
  std::vector<Companion> companions;
  std::vector<Substitution> substitutions;  // simplified dictionaries only
  std::vector<Cluster> clusters;
  std::vector<std::uint8_t> members;
};

// File name of a dictionary type, or null for an unknown type.
const char* dictionaryFileName(int type);

// Reads the blocks of an open dictionary file. Returns 0, or 901 / 904 when a block cannot be held,
// ends early or (clusters) breaks the member layout.
int readDictionary(std::FILE* f, int type, RecogDictionary& dict);

// Opens the type's file by its bare name and reads it: 0, 900 when it cannot be opened, else as above.
int loadDictionary(int type, RecogDictionary& dict);

// One member's code and values (field + offset). False when index is past the cluster's members.
bool readMember(const RecogDictionary& dict, const Cluster& cluster, unsigned index, std::uint16_t& code,
                std::array<int, kDimensions>& values);

}  // namespace recog
