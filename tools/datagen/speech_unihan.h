// Speech source lines for every GB2312 hanzi, read from Unihan's text files: the readings
// (kMandarin's first as the default, then kMandarin, kHanyuPinlu by frequency and kTGHZ2013),
// a weight from kFrequency and the numeral properties from kPrimaryNumeric.
#pragma once
#include <string>
#include <string_view>

namespace datagen {

// Tone-marked pinyin ("zhòng", "lüè", "de") as the source's numbered form ("zhong4", "lve4",
// "de5"); empty when it is no syllable of the engine.
std::string numberedPinyin(std::string_view toned);

struct UnihanTexts {
  std::string_view readings;        // Unihan_Readings.txt
  std::string_view dictionaryLike;  // Unihan_DictionaryLikeData.txt
  std::string_view numericValues;   // Unihan_NumericValues.txt
};

// One "hanzi" line per GB2312 hanzi that has a reading; `missing` counts those without one.
std::string unihanSpeechSource(const UnihanTexts& texts, int* missing = nullptr);

}  // namespace datagen
