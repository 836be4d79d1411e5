#include "tools/datagen/full_card_time_nouns.h"

#include <set>

namespace datagen {

namespace {

constexpr std::string_view kNounCodes = "6.1.0.0", kTimeCodes = "6.10.0.0";

bool endsWith(std::string_view s, std::string_view tail) {
  return s.size() > tail.size() && s.substr(s.size() - tail.size()) == tail;
}

// Characters of a UTF-8 text.
std::size_t characters(std::string_view s) {
  std::size_t n = 0;
  for (unsigned char c : s) n += (c & 0xC0) != 0x80;
  return n;
}

unsigned classOf(const JapaneseIndex& index, std::string_view word) {
  const auto at = index.classes.find(std::string(word));
  return at == index.classes.end() ? 0u : at->second;
}

// Fields of a lexicon line: key, codes, connection, Chinese.
bool lineFields(std::string_view line, std::string_view (&f)[4]) {
  std::size_t start = 0;
  for (int k = 0; k < 4; ++k) {
    const std::size_t tab = line.find('\t', start);
    if (tab == std::string_view::npos && k < 3) return false;
    f[k] = line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
    start = tab == std::string_view::npos ? line.size() : tab + 1;
  }
  return true;
}

}  // namespace

bool namesTime(std::string_view japanese, std::string_view chinese, const JapaneseIndex& index,
               const std::set<std::string>& chineseTimeWords, const std::set<std::string>& lexiconTimeNouns) {
  if (classOf(index, japanese) & kJpTime) return true;
  if (chineseTimeWords.count(std::string(chinese))) return true;
  if (endsWith(japanese, "休み") && lexiconTimeNouns.count(std::string(japanese.substr(0, japanese.size() - 6))))
    return true;
  if (endsWith(japanese, "中") && (classOf(index, japanese.substr(0, japanese.size() - 3)) & kJpSuruNoun)) return true;
  const std::string_view before = japanese.substr(0, japanese.size() - 3);
  return endsWith(japanese, "後") && characters(before) >= 2 &&
         (classOf(index, before) & (kJpNoun | kJpSuruNoun));
}

std::string withTimeCodes(std::string_view lexicon, std::size_t from, const JapaneseIndex& index,
                          const std::vector<ChineseListWord>& list, int& changed) {
  std::set<std::string> chineseTimeWords, lexiconTimeNouns;
  for (const ChineseListWord& w : list)
    if (w.tag == "t") chineseTimeWords.insert(w.word);
  auto eachLine = [&](auto&& f) {
    std::size_t start = 0;
    while (start < lexicon.size()) {
      std::size_t end = lexicon.find('\n', start);
      if (end == std::string_view::npos) end = lexicon.size();
      f(lexicon.substr(start, end - start), start, end);
      start = end + 1;
    }
  };
  eachLine([&](std::string_view line, std::size_t, std::size_t) {
    std::string_view f[4];
    if (!line.empty() && line[0] != '#' && lineFields(line, f) && f[1] == kTimeCodes) lexiconTimeNouns.emplace(f[0]);
  });
  std::string out;
  out.reserve(lexicon.size() + 64);
  changed = 0;
  eachLine([&](std::string_view line, std::size_t start, std::size_t end) {
    std::string_view f[4];
    if (start >= from && !line.empty() && line[0] != '#' && lineFields(line, f) && f[1] == kNounCodes &&
        namesTime(f[0], f[3], index, chineseTimeWords, lexiconTimeNouns)) {
      out.append(f[0]).append("\t").append(kTimeCodes);
      out.append(line.substr(f[0].size() + 1 + f[1].size()));
      ++changed;
    } else {
      out.append(line);
    }
    if (end < lexicon.size()) out += '\n';
  });
  return out;
}

}  // namespace datagen
