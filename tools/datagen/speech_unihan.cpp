#include "tools/datagen/speech_unihan.h"

#include "tools/datagen/hanzi_unihan.h"

#include "platform/core/codepage.h"
#include "speech/engine/segmenter.h"
#include "tools/datagen/pinyin_tone_marks.h"
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
  std::u16string wide = plat::utf8ToWide(toned);
  std::string plain;
  int tone = 5;
  for (char16_t c : wide) {
    if (c < 0x80) {
      plain.push_back(static_cast<char>(c));
      continue;
    }
    if (const int mark = combiningTone(c)) {
      tone = mark;
      continue;
    }
    const std::optional<ToneMarkedLetter> m = toneMarkedLetter(c, 'E');
    if (!m) return {};
    plain.push_back(m->letter);
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
