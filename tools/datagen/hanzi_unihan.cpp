#include "tools/datagen/hanzi_unihan.h"

#include <algorithm>
#include <array>
#include <sstream>
#include <vector>

#include "platform/core/codepage.h"
#include "tools/common/tool_files.h"
#include "tools/datagen/pinyin_spelling.h"

namespace datagen {

namespace {

bool inReadingRanges(char32_t cp) { return (cp >= 0x3400 && cp <= 0x9FA5) || (cp >= 0xF900 && cp <= 0xFA2A); }

// Fields by rank: 0 kHanyuPinlu, 1 kMandarin, 2 kTGHZ2013, 3 kXHC1983, 4 kHanyuPinyin.
int fieldRank(std::string_view field) {
  static const std::string_view kFields[] = {"kHanyuPinlu", "kMandarin", "kTGHZ2013", "kXHC1983", "kHanyuPinyin"};
  for (int k = 0; k < 5; ++k) {
    if (field == kFields[k]) return k;
  }
  return -1;
}

// The readings of one field's value, in its own order (kHanyuPinlu's by count).
std::vector<std::string> fieldReadings(int rank, std::string_view value) {
  std::vector<std::string> out;
  std::istringstream items{std::string(value)};
  if (rank == 0) {  // "wǎng(856) wàng(427)"
    std::vector<std::pair<long, std::string>> counted;
    for (std::string item; items >> item;) {
      const std::size_t open = item.find('(');
      if (open == std::string::npos) continue;
      counted.emplace_back(std::atol(item.c_str() + open + 1), item.substr(0, open));
    }
    std::stable_sort(counted.begin(), counted.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    for (auto& [count, r] : counted) out.push_back(r);
  } else if (rank == 1) {  // "wǎng"
    for (std::string item; items >> item;) out.push_back(item);
  } else {  // "380.120:wǎng" or "10019.020:hé,hè"
    for (std::string item; items >> item;) {
      std::istringstream list(item.substr(item.find(':') + 1));
      for (std::string r; std::getline(list, r, ',');) out.push_back(r);
    }
  }
  return out;
}

}  // namespace

std::string unihanCharacterReadings(std::string_view unihanReadings) {
  std::map<char32_t, std::array<std::string, 5>> fields;
  eachUnihanEntry(unihanReadings, [&](char32_t cp, std::string_view field, std::string_view value) {
    const int rank = fieldRank(field);
    if (rank >= 0 && inReadingRanges(cp)) fields[cp][static_cast<std::size_t>(rank)] = value;
  });
  std::string out;
  for (const auto& [cp, values] : fields) {
    std::vector<std::string> readings;
    for (int rank = 0; rank < 5; ++rank) {
      for (const std::string& r : fieldReadings(rank, values[static_cast<std::size_t>(rank)])) {
        // A reading that is no syllable of the table is left out; the others stay.
        if (characterReading({r})) readings.push_back(r);
      }
    }
    const auto text = characterReading(readings);
    if (!text || text->empty()) continue;
    out += plat::wideToUtf8(std::u16string(1, static_cast<char16_t>(cp))) + '\t' + *text + '\n';
  }
  return out;
}

std::map<char32_t, std::string> parseCharacterReadings(std::string_view text) {
  std::map<char32_t, std::string> out;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    at = end + 1;
    const std::size_t tab = line.find('\t');
    if (line.empty() || line[0] == '#' || tab == std::string_view::npos) continue;
    const std::u16string c = plat::utf8ToWide(line.substr(0, tab));
    if (c.size() == 1) out[c[0]] = std::string(line.substr(tab + 1));
  }
  return out;
}

const std::map<char32_t, std::string>& generatedCharacterReadings() {
  static const std::map<char32_t, std::string> table = [] {
#ifdef SUITE_CHARACTER_READING_TABLE
    return parseCharacterReadings(tools::readFile(SUITE_CHARACTER_READING_TABLE));
#else
    return std::map<char32_t, std::string>{};
#endif
  }();
  return table;
}

}  // namespace datagen
