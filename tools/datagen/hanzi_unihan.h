// Readings of every ideograph of the character reading file's ranges (U+3400..U+9FA5,
// U+F900..U+FA2A) from Unihan's readings: kHanyuPinlu's by frequency, then kMandarin's, kTGHZ2013's,
// kXHC1983's and kHanyuPinyin's, each once.
#pragma once
#include <map>
#include <string>
#include <string_view>

namespace datagen {

// Calls f(code point, field, value) for each "U+XXXX<TAB>field<TAB>value" line of a Unihan text.
template <typename F>
void eachUnihanEntry(std::string_view text, F f) {
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    at = end + 1;
    if (line.size() < 3 || line.substr(0, 2) != "U+") continue;
    const std::size_t tab1 = line.find('\t');
    const std::size_t tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
    if (tab2 == std::string_view::npos) continue;
    const auto cp = static_cast<char32_t>(std::stoul(std::string(line.substr(2, tab1 - 2)), nullptr, 16));
    std::string_view value = line.substr(tab2 + 1);
    if (!value.empty() && value.back() == '\r') value.remove_suffix(1);
    f(cp, line.substr(tab1 + 1, tab2 - tab1 - 1), value);
  }
}

// Lines "character<TAB>readings" (readings as characterReading writes them, most frequent
// first), in code point order, from the text of Unihan_Readings.txt.
std::string unihanCharacterReadings(std::string_view unihanReadings);

// Such lines read back: code point to its readings ("wang3 wang4").
std::map<char32_t, std::string> parseCharacterReadings(std::string_view text);

// The generated table of the build, read once; empty when it is missing.
const std::map<char32_t, std::string>& generatedCharacterReadings();

}  // namespace datagen
