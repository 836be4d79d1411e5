// The recogniser's own feature steps for the dictionary writer's templates.
#pragma once
#include "input/recogniser/recogniser.h"
#include "tools/datagen/recog_dictionary_writer.h"

#include <algorithm>
#include <vector>

namespace recog {

inline bool templateFeatures(const datagen::RecogTemplate& t, int boxWidth, int boxHeight,
                             const datagen::RecogSqrtTable& table, datagen::RecogFeatureVector& out) {
  std::vector<std::uint16_t> counts, x, y;
  for (const datagen::RecogStroke& s : t.strokes) {
    counts.push_back(static_cast<std::uint16_t>(s.size()));
    for (const datagen::RecogPoint& p : s) {
      x.push_back(static_cast<std::uint16_t>(p.x));
      y.push_back(static_cast<std::uint16_t>(p.y));
    }
  }
  Writing w;
  w.pointCounts = counts.data();
  w.strokeCount = static_cast<int>(counts.size());
  w.x = x.data();
  w.y = y.data();
  w.boxWidth = boxWidth;
  w.boxHeight = boxHeight;
  SqrtTable sqrtTable;
  std::copy(table.begin(), table.end(), sqrtTable.begin());
  PointBuffers buffers;
  PreparedWriting prepared;
  Features features{};
  bool empty = false;
  if (writingFeatures(w, sqrtTable, buffers, features, prepared, empty) != 0 || empty) return false;
  std::copy(features.begin(), features.end(), out.begin());
  return true;
}

// The dictionary file written from template text; false with a reason on failure.
inline bool dictionaryFromTemplates(std::string_view text, std::string& file, int& type, std::string* error) {
  datagen::RecogTemplateSet set;
  datagen::RecogDictionaryImage image;
  if (!datagen::parseRecogTemplates(text, set, error) ||
      !datagen::buildRecogDictionary(set, templateFeatures, image, error))
    return false;
  type = set.type;
  file = datagen::writeRecogDictionary(image, set.type);
  return true;
}

}  // namespace recog
