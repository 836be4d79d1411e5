#include "platform/synparse/morph_reader.h"

namespace synparse {

namespace {

std::vector<std::string_view> fields(std::string_view line) {
  std::vector<std::string_view> out;
  std::size_t start = 0;
  for (;;) {
    std::size_t tab = line.find('\t', start);
    out.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) return out;
    start = tab + 1;
  }
}

bool twoDigits(std::string_view s, int& v) {
  if (s.size() != 2 || s[0] < '0' || s[0] > '9' || s[1] < '0' || s[1] > '9') return false;
  v = (s[0] - '0') * 10 + (s[1] - '0');
  return true;
}

}  // namespace

bool readMorphemes(std::string_view file, std::vector<Morpheme>& out) {
  out.clear();
  std::size_t pos = 0;
  while (pos < file.size()) {
    std::size_t nl = file.find('\n', pos);
    std::size_t end = nl == std::string_view::npos ? file.size() : nl;
    std::string_view line = file.substr(pos, end - pos);
    long offset = static_cast<long>(pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    if (line[0] == 'E') return true;
    if (line[0] == 'D') continue;
    if (line[0] != '\t') return false;
    std::vector<std::string_view> f = fields(line);
    if (f.size() < 4 || f[3].size() != 8) return false;
    Morpheme m{offset, std::string(f[1]), std::string(f[2]), 0, 0, 0, 0, f.size() > 7 ? std::string(f[7]) : ""};
    if (!twoDigits(f[3].substr(0, 2), m.pos) || !twoDigits(f[3].substr(2, 2), m.subPos) ||
        !twoDigits(f[3].substr(4, 2), m.conjType) || !twoDigits(f[3].substr(6, 2), m.conjForm))
      return false;
    out.push_back(std::move(m));
  }
  return true;
}

}  // namespace synparse
