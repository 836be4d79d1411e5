// Readings of every ideograph of the character reading file's ranges (U+3400..U+9FA5,
// U+F900..U+FA2A) from Unihan's readings: kHanyuPinlu's by frequency, then kMandarin's, kTGHZ2013's,
// kXHC1983's and kHanyuPinyin's, each once.
#pragma once
#include <map>
#include <string>
#include <string_view>

namespace datagen {

// Lines "character<TAB>readings" (readings as characterReading writes them, most frequent
// first), in code point order, from the text of Unihan_Readings.txt.
std::string unihanCharacterReadings(std::string_view unihanReadings);

// Such lines read back: code point to its readings ("wang3 wang4").
std::map<char32_t, std::string> parseCharacterReadings(std::string_view text);

// The generated table of the build, read once; empty when it is missing.
const std::map<char32_t, std::string>& generatedCharacterReadings();

}  // namespace datagen
