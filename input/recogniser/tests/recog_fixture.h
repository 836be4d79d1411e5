// Dictionaries built from readable templates through the recogniser's own feature steps.
#pragma once
#include "tools/recogniser_dicgen/template_features.h"
#include "input/recogniser/recogniser.h"
#include "input/recogniser/recogniser_api.h"
#include "tools/datagen/recog_dictionary_writer.h"

#include <string>
#include <vector>

namespace recogtest {

// Parallel point arrays and counts of a set of strokes.
struct Ink {
  std::vector<std::uint16_t> counts, x, y;
  void add(const datagen::RecogStroke& s) {
    counts.push_back(static_cast<std::uint16_t>(s.size()));
    for (const auto& p : s) {
      x.push_back(static_cast<std::uint16_t>(p.x));
      y.push_back(static_cast<std::uint16_t>(p.y));
    }
  }
  static Ink of(const std::vector<datagen::RecogStroke>& strokes) {
    Ink ink;
    for (const auto& s : strokes) ink.add(s);
    return ink;
  }
};

// The dictionary file for a template text; empty on failure (the test then fails on it).
inline std::string dictionaryFile(const std::string& templates, datagen::RecogTemplateSet* setOut = nullptr) {
  datagen::RecogTemplateSet set;
  datagen::RecogDictionaryImage image;
  if (!datagen::parseRecogTemplates(templates, set) ||
      !datagen::buildRecogDictionary(set, recog::templateFeatures, image))
    return {};
  if (setOut) *setOut = set;
  return datagen::writeRecogDictionary(image, set.type);
}

// 一, 丨, 十, 口, 二 in a 100 × 100 box.
inline const char* kFiveTemplates =
    "type 0\n"
    "box 100 100\n"
    "template 一 10,50 90,50\n"
    "template 丨 50,10 50,90\n"
    "template 十 10,50 90,50 / 50,10 50,90\n"
    "template 口 20,20 20,80 / 20,20 80,20 80,80 / 20,80 80,80\n"
    "template 二 20,30 80,30 / 10,70 90,70\n";

// A StrokeInput for the ink in a box.
inline recog::StrokeInput inputFor(const Ink& ink, int boxWidth = 100, int boxHeight = 100,
                                   std::uint8_t classMask = 127) {
  recog::StrokeInput in{};
  in.strokeCount = static_cast<std::uint8_t>(ink.counts.size());
  for (std::size_t i = 0; i < ink.counts.size() && i < 48; ++i) in.pointCounts[i] = ink.counts[i];
  in.boxWidth = static_cast<std::uint16_t>(boxWidth);
  in.boxHeight = static_cast<std::uint16_t>(boxHeight);
  in.classMask = classMask;
  return in;
}

}  // namespace recogtest
