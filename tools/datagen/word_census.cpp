#include "tools/datagen/word_census.h"

#include <map>
#include <set>

#include "tools/datagen/sample_card.h"

namespace datagen {

namespace {

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

}  // namespace

std::vector<KeyCensus> wordTableCensus(const std::vector<WordKeyShape>& shapes, std::string_view sourceUtf8) {
  std::vector<std::string> dropped;
  completeWordTable(shapes, sourceUtf8, &dropped, nullptr, true);
  const std::set<std::string> misfits(dropped.begin(), dropped.end());
  std::set<std::string> given;
  std::map<std::string, std::string> reasons;
  constexpr std::string_view kMark = "#placeholder";
  std::size_t start = 0;
  while (start <= sourceUtf8.size()) {
    std::size_t end = sourceUtf8.find('\n', start);
    if (end == std::string_view::npos) end = sourceUtf8.size();
    const std::string_view line = trimmed(sourceUtf8.substr(start, end - start));
    start = end + 1;
    if (line.substr(0, kMark.size()) == kMark) {
      const std::string_view rest = trimmed(line.substr(kMark.size()));
      const std::size_t tab = rest.find('\t');
      if (tab != std::string_view::npos) reasons[std::string(trimmed(rest.substr(0, tab)))] = trimmed(rest.substr(tab + 1));
      continue;
    }
    if (line.empty() || line[0] == '#') continue;
    const std::size_t tab = line.find('\t');
    if (tab != std::string_view::npos) given.insert(std::string(trimmed(line.substr(0, tab))));
  }
  std::vector<KeyCensus> out;
  out.reserve(shapes.size());
  for (const WordKeyShape& s : shapes) {
    KeyCensus c;
    c.key = s.key;
    c.given = given.count(s.key) > 0;
    c.real = c.given && !misfits.count(s.key);
    if (auto it = reasons.find(s.key); it != reasons.end()) c.reason = it->second;
    out.push_back(std::move(c));
  }
  return out;
}

}  // namespace datagen
