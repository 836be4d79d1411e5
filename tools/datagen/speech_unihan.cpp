#include "tools/datagen/speech_unihan.h"

#include "tools/datagen/hanzi_unihan.h"

#include "platform/core/codepage.h"
#include "speech/engine/segmenter.h"
#include "tools/datagen/speech_tables_writer.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <vector>

namespace datagen {

namespace {

struct Fields {
  std::string mandarin, pinlu, tghz, frequency;
  bool numeral = false;
};

}  // namespace

std::string numberedPinyin(std::string_view toned) {
  struct Mark {
    char16_t c;
    char base;
    int tone;
  };
  static const Mark kMarks[] = {
      {u'ā', 'a', 1}, {u'á', 'a', 2}, {u'ǎ', 'a', 3}, {u'à', 'a', 4}, {u'ē', 'e', 1}, {u'é', 'e', 2}, {u'ě', 'e', 3},
      {u'è', 'e', 4}, {u'ī', 'i', 1}, {u'í', 'i', 2}, {u'ǐ', 'i', 3}, {u'ì', 'i', 4}, {u'ō', 'o', 1}, {u'ó', 'o', 2},
      {u'ǒ', 'o', 3}, {u'ò', 'o', 4}, {u'ū', 'u', 1}, {u'ú', 'u', 2}, {u'ǔ', 'u', 3}, {u'ù', 'u', 4}, {u'ǖ', 'v', 1},
      {u'ǘ', 'v', 2}, {u'ǚ', 'v', 3}, {u'ǜ', 'v', 4}, {u'ü', 'v', 0}, {u'ê', 'E', 0}, {u'ế', 'E', 2}, {u'ề', 'E', 4},
      {u'ḿ', 'm', 2}, {u'ń', 'n', 2}, {u'ň', 'n', 3}, {u'ǹ', 'n', 4}, {u'\u0304', 0, 1}, {u'\u0301', 0, 2},
      {u'\u030C', 0, 3}, {u'\u0300', 0, 4},
  };
  std::u16string wide = plat::utf8ToWide(toned);
  std::string plain;
  int tone = 5;
  for (char16_t c : wide) {
    if (c < 0x80) {
      plain.push_back(static_cast<char>(c));
      continue;
    }
    const Mark* m = std::find_if(std::begin(kMarks), std::end(kMarks), [c](const Mark& k) { return k.c == c; });
    if (m == std::end(kMarks)) return {};
    if (m->base) plain.push_back(m->base);
    if (m->tone) tone = m->tone;
  }
  std::string numbered = plain + static_cast<char>('0' + tone);
  return pinyinReading(numbered) < 0 ? std::string() : numbered;
}

std::string unihanSpeechSource(const UnihanTexts& texts, int* missing) {
  std::map<char32_t, Fields> fields;
  eachUnihanEntry(texts.readings, [&](char32_t cp, std::string_view field, std::string_view value) {
    if (field == "kMandarin") fields[cp].mandarin = value;
    if (field == "kHanyuPinlu") fields[cp].pinlu = value;
    if (field == "kTGHZ2013") fields[cp].tghz = value;
  });
  eachUnihanEntry(texts.dictionaryLike, [&](char32_t cp, std::string_view field, std::string_view value) {
    if (field == "kFrequency") fields[cp].frequency = value;
  });
  eachUnihanEntry(texts.numericValues, [&](char32_t cp, std::string_view field, std::string_view) {
    if (field == "kPrimaryNumeric") fields[cp].numeral = true;
  });
  std::string out;
  int without = 0;
  for (unsigned lead = 0xB0; lead <= 0xF7; ++lead) {
    for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) {
      std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
      std::u16string wide = plat::multiByteToWide(936, bytes);
      if (wide.size() != 1 || wide[0] < 0x3400 || wide[0] == 0xFFFD) continue;
      auto it = fields.find(wide[0]);
      std::vector<std::string> readings;
      auto add = [&](std::string_view toned) {
        std::string r = numberedPinyin(toned);
        if (!r.empty() && std::find(readings.begin(), readings.end(), r) == readings.end()) readings.push_back(r);
      };
      if (it != fields.end()) {
        const Fields& f = it->second;
        // kMandarin's first reading is the default; then kHanyuPinlu's ("xíng(2943) háng(218)"),
        // most frequent first.
        std::istringstream mandarin(f.mandarin);
        for (std::string r; mandarin >> r;) add(r);
        std::vector<std::pair<long, std::string>> counted;
        std::istringstream pinlu(f.pinlu);
        for (std::string item; pinlu >> item;) {
          std::size_t open = item.find('(');
          if (open == std::string::npos) continue;
          counted.emplace_back(std::stol(item.substr(open + 1)), item.substr(0, open));
        }
        std::stable_sort(counted.begin(), counted.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
        for (const auto& [count, r] : counted) add(r);
        // kTGHZ2013: "038.110:cháng 466.110:zhǎng".
        std::istringstream tghz(f.tghz);
        for (std::string item; tghz >> item;) {
          std::istringstream list(item.substr(item.find(':') + 1));
          for (std::string r; std::getline(list, r, ',');) add(r);
        }
      }
      if (readings.empty()) {
        ++without;
        continue;
      }
      // Weight as a word of its own: kFrequency 1 (most frequent) to 5.
      int weight = 1;
      if (it != fields.end() && !it->second.frequency.empty()) weight = 12 - 2 * std::clamp(std::stoi(it->second.frequency), 1, 5);
      std::uint32_t props = it != fields.end() && it->second.numeral ? speech::kPropNumeral | speech::kPropNumberWord : 0;
      out += "hanzi " + plat::wideToUtf8(wide) + " ";
      for (std::size_t k = 0; k < readings.size(); ++k) out += (k ? "," : "") + readings[k];
      out += " weight=" + std::to_string(weight);
      if (props) out += " prop=" + std::to_string(props);
      out += "\n";
    }
  }
  if (missing) *missing = without;
  return out;
}

}  // namespace datagen
