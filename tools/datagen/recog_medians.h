// Recogniser templates from stroke medians: one JSON record per character, named "<character>.json",
// whose "medians" list each stroke's centre line as [x, y] points in a 1024 × 1024 frame with y
// pointing up (900 at the top).
#pragma once
#include "tools/datagen/recog_dictionary_writer.h"

#include <string>
#include <string_view>
#include <vector>

namespace datagen {

inline constexpr int kMedianFrame = 1024;

struct MedianCharacter {
  std::string character;  // UTF-8
  std::vector<RecogStroke> strokes;  // y down, 0-1023
};

// The strokes of one record; false when it has no well-formed "medians" list.
bool parseMedians(std::string_view json, std::vector<RecogStroke>& strokes);

// Every record of a folder, sorted by character; false with a reason when the folder cannot be read
// or a record is malformed.
bool readMedianFolder(const std::string& folder, std::vector<MedianCharacter>& out, std::string* error = nullptr);

// The templates of a dictionary type: each character with a hanzi code of that type (GB2312 levels 1
// and 2, Big5 hanzi, JIS X 0208 kanji), in code order, in a 1024 box. A character of more than 25 strokes keeps its first 25, as the recogniser reads writing.
RecogTemplateSet medianTemplates(int type, const std::vector<MedianCharacter>& characters);

// Pen points of median strokes written into a square box of that many pixels: the frame shrunk
// inside a margin of a tenth, each segment sampled every 2 pixels. With a seed other than 0 the
// writing is jittered as a hand would: scaled by 80-100 % and moved, each stroke shifted by up to
// 3 pixels, each point by up to 1. Every point lies strictly inside the box.
std::vector<RecogStroke> medianInk(const std::vector<RecogStroke>& strokes, int box, std::uint32_t seed = 0);

// Pen points of median strokes distorted as a careless hand writes (seeded, repeatable), sampled
// as above; the sizes are for an 80-pixel box and grow with the box: the character scaled by
// 70-105 % on each axis, turned by up to 10 degrees, sheared by up to 0.15 and moved by up to 6
// pixels; each stroke scaled by 85-115 % about its centre and moved by up to 5 pixels; each point
// moved by up to 2. A strength below 1 shrinks every distortion in proportion.
std::vector<RecogStroke> distortedMedianInk(const std::vector<RecogStroke>& strokes, int box, std::uint32_t seed,
                                           double strength = 1.0);

}  // namespace datagen
