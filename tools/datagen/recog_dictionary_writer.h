// Writer of the handwriting recogniser's dictionaries ("chujian.dic", "chufan.dic", "churi.dic").
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace datagen {

inline constexpr int kRecogSqrtSize = 1000;
inline constexpr int kRecogFeatures = 129;
inline constexpr int kRecogDimensions = 80;

using RecogSqrtTable = std::array<std::uint16_t, kRecogSqrtSize>;
using RecogFeatureVector = std::array<std::uint16_t, kRecogFeatures>;
using RecogVector = std::array<std::uint8_t, kRecogDimensions>;

struct RecogPoint {
  int x = 0;
  int y = 0;
};
using RecogStroke = std::vector<RecogPoint>;

struct RecogTemplate {
  std::uint16_t code = 0;  // dictionary code: row × 256 + cell (simplified), Big5 or Shift-JIS
  std::vector<RecogStroke> strokes;
};

struct RecogCompanionEntry {
  std::uint16_t code = 0;
  std::uint16_t companion = 0;
  std::uint8_t strokes = 0;  // 0 for any
};

struct RecogTemplateSet {
  int type = 0;  // 0 simplified, 1 traditional, 2 Japanese
  int boxWidth = 100;
  int boxHeight = 100;
  std::vector<RecogTemplate> templates;
  std::vector<std::pair<std::uint16_t, std::uint16_t>> sizePairs;  // large, small
  std::vector<RecogCompanionEntry> companions;
  std::vector<std::pair<std::uint16_t, std::uint16_t>> substitutions;  // simplified only
  int clusterCount = 0;  // 0: one cluster per 30 templates
};

// Dictionary code of one character (UTF-8) for a type; 0 when the character set has no such character.
std::uint16_t recogCharacterCode(int type, std::string_view utf8);

// Readable templates, one item a line ('#' starts a comment):
//   type 0|1|2          box W H          clusters N
//   template C  x,y x,y ... / x,y ...    strokes separated by '/'
//   pair LARGE SMALL    companion C D N    substitute C R
// C is a character in UTF-8 or a code written 0xHHHH.
bool parseRecogTemplates(std::string_view text, RecogTemplateSet& out, std::string* error = nullptr);

// The file's contents, block by block.
struct RecogClusterImage {
  RecogVector centroid{};  // absolute values
  std::vector<std::pair<std::uint16_t, RecogVector>> members;
};

struct RecogDictionaryImage {
  RecogSqrtTable sqrtTable{};
  std::array<std::int8_t, kRecogDimensions * kRecogFeatures> matrix{};
  std::vector<std::pair<std::uint16_t, std::uint16_t>> sizePairs;
  std::vector<RecogCompanionEntry> companions;
  std::vector<std::pair<std::uint16_t, std::uint16_t>> substitutions;
  std::vector<RecogClusterImage> clusters;
};

// The dictionary file of a type (substitutions are written for type 0 only).
std::string writeRecogDictionary(const RecogDictionaryImage& image, int type);

// 100 × √k for k = 0-999.
RecogSqrtTable recogSqrtTable();

// The recogniser's own feature steps for a template's strokes in a box; false on failure.
using RecogFeatureFn = std::function<bool(const RecogTemplate& t, int boxWidth, int boxHeight,
                                          const RecogSqrtTable& table, RecogFeatureVector& features)>;

// The projection of features through a matrix, as the recogniser computes it.
std::array<int, kRecogDimensions> recogProject(const std::array<std::int8_t, kRecogDimensions * kRecogFeatures>& matrix,
                                               const RecogFeatureVector& features);

// Clusters of projected vectors by Lloyd's iterations: each code's first vector shapes at most k
// clusters, its further vectors join the nearest one.
std::vector<RecogClusterImage> clusterRecogVectors(const std::vector<RecogVector>& vs,
                                                   const std::vector<std::uint16_t>& codes, int k);

// Runs the templates through the feature steps, makes a projection matrix that keeps their vectors in
// range, clusters them and fills the image.
bool buildRecogDictionary(const RecogTemplateSet& set, const RecogFeatureFn& features, RecogDictionaryImage& out,
                          std::string* error = nullptr);

}  // namespace datagen
