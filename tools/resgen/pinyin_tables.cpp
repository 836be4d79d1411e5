#include "tools/resgen/pinyin_tables.h"

#include "platform/core/codepage.h"
#include "platform/core/little_endian.h"

#include <sstream>
#include <vector>

namespace resgen {

namespace {

}  // namespace

bool buildPinyinTables(std::string_view text, PinyinTables& out, std::string& error) {
  std::istringstream in{std::string(text)};
  std::string line;
  int number = 0, syllables = 0;
  out = {};
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> f;
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, '\t');) f.push_back(cell);
    if (f.size() != 6 || f[0].empty() || f[0].size() > 6) {
      error = "line " + std::to_string(number) + ": syllable and five tones";
      return false;
    }
    for (int i = 0; i < 7; ++i) {
      plat::appendLe16(out.pinNum, i < static_cast<int>(f[0].size()) ? static_cast<unsigned char>(f[0][i]) : 0);
    }
    for (int t = 1; t <= 5; ++t) {
      std::u16string c = f[t] == "-" ? std::u16string(1, u'\u3000') : plat::utf8ToWide(f[t]);
      if (c.size() != 1) {
        error = "line " + std::to_string(number) + ": one character per tone";
        return false;
      }
      plat::appendLe16(out.fayinHanzi, c[0]);
    }
    ++syllables;
  }
  if (syllables != kSyllableCount) {
    error = "expected " + std::to_string(kSyllableCount) + " syllables, found " + std::to_string(syllables);
    return false;
  }
  plat::appendLe16(out.pinNum, 0);
  return true;
}

}  // namespace resgen
