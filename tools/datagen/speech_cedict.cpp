#include "tools/datagen/speech_cedict.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "speech/engine/text_code.h"

namespace datagen {

namespace {

// The formats' limits: dyz.dat starts a reading list at bits 1-12 of its entry, dyc.dat a word
// block at bits 1-15; a polyphone word names readings 1-9; cz.dat counts 3- and 4-character
// words of a character in a byte.
constexpr std::size_t kReadingTableLimit = 0xFFF;
constexpr std::size_t kWordTableLimit = 0x7FFF;
constexpr std::size_t kMaxReadings = 10;
constexpr std::size_t kMaxLongWords = 255;

struct Entry {
  std::string text;
  std::vector<std::uint16_t> readings;
};

std::vector<std::string_view> fields(std::string_view s) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && s[i] == ' ') ++i;
    std::size_t j = i;
    while (j < s.size() && s[j] != ' ') ++j;
    if (j > i) out.push_back(s.substr(i, j - i));
    i = j;
  }
  return out;
}

// "Yin2 hang2" -> readings; empty for a proper name or a syllable the engine lacks.
std::vector<std::uint16_t> cedictReadings(std::string_view pinyin) {
  std::vector<std::uint16_t> out;
  for (std::string_view syl : fields(pinyin)) {
    if (syl.empty() || !(syl[0] >= 'a' && syl[0] <= 'z')) return {};
    std::string s;
    for (std::size_t i = 0; i < syl.size(); ++i) {
      if (syl[i] == 'u' && i + 1 < syl.size() && syl[i + 1] == ':') {
        s += 'v';
        ++i;
      } else {
        s += syl[i];
      }
    }
    if (s.size() == 2 && s[0] == 'r') s = "e" + s;  // erhua
    int r = pinyinReading(s);
    if (r < 0) return {};
    out.push_back(static_cast<std::uint16_t>(r));
  }
  return out;
}

}  // namespace

SpeechGrowth growSpeechSource(SpeechSource& src, std::string_view cedict, std::string_view frequencies) {
  SpeechGrowth g;
  std::unordered_map<speech::Unit, std::size_t> hanziOf;
  for (std::size_t i = 0; i < src.hanzi.size(); ++i) {
    auto u = speechUnits(src.hanzi[i].ch);
    if (u.size() == 1) hanziOf[u[0]] = i;
  }
  std::set<std::string> listed;
  for (const auto& w : src.words) listed.insert(w.text);
  for (const auto& w : src.polyWords) listed.insert(w.text);

  std::unordered_map<std::string, long> count;
  for (std::size_t at = 0; at < frequencies.size();) {
    std::size_t end = frequencies.find('\n', at);
    if (end == std::string_view::npos) end = frequencies.size();
    auto f = fields(frequencies.substr(at, end - at));
    if (f.size() >= 2) count.emplace(std::string(f[0]), std::atol(std::string(f[1]).c_str()));
    at = end + 1;
  }

  // The lowercase entries of each simplified word, in the dictionary's order.
  std::vector<Entry> entries;
  std::unordered_map<std::string, std::size_t> entryOf;
  std::set<std::string> disagree;
  for (std::size_t at = 0; at < cedict.size();) {
    std::size_t end = cedict.find('\n', at);
    if (end == std::string_view::npos) end = cedict.size();
    std::string_view line = cedict.substr(at, end - at);
    at = end + 1;
    if (line.empty() || line[0] == '#') continue;
    std::size_t open = line.find('['), close = line.find(']');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) continue;
    auto forms = fields(line.substr(0, open));
    if (forms.size() != 2) continue;
    std::string text(forms[1]);
    auto readings = cedictReadings(line.substr(open + 1, close - open - 1));
    if (readings.empty()) continue;
    auto [it, fresh] = entryOf.emplace(text, entries.size());
    if (fresh) {
      entries.push_back({text, readings});
    } else if (entries[it->second].readings != readings) {
      disagree.insert(text);
    }
  }

  struct Candidate {
    const Entry* entry;
    long count;
  };
  std::vector<Candidate> candidates;
  for (const Entry& e : entries) {
    if (listed.count(e.text)) continue;
    auto units = speechUnits(e.text);
    if (units.size() < 2 || units.size() > 4 || units.size() != e.readings.size()) continue;
    bool known = true, differs = false;
    for (std::size_t k = 0; k < units.size() && known; ++k) {
      auto h = hanziOf.find(units[k]);
      known = speech::hanziIndex(units[k]) >= 0 && h != hanziOf.end() && !src.hanzi[h->second].readings.empty();
      if (known) differs |= src.hanzi[h->second].readings[0] != e.readings[k];
    }
    if (!known || !differs) continue;
    if (disagree.count(e.text)) {
      ++g.ambiguous;
      continue;
    }
    auto c = count.find(e.text);
    candidates.push_back({&e, c == count.end() ? 0 : c->second});
  }
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const Candidate& a, const Candidate& b) { return a.count > b.count; });

  // What the tables hold so far.
  std::size_t readingTable = 0, wordTable = 0;
  for (const auto& h : src.hanzi) {
    if (h.readings.size() >= 2) {
      readingTable += h.readings.size();
      wordTable += 3;
    }
  }
  for (const auto& w : src.polyWords) wordTable += speechUnits(w.text).size();
  std::map<speech::Unit, std::size_t> longWords;
  for (const auto& w : src.words) {
    auto u = speechUnits(w.text);
    if (u.size() > 2) ++longWords[u[0]];
  }

  for (const Candidate& c : candidates) {
    const Entry& e = *c.entry;
    auto units = speechUnits(e.text);
    // Plan the word's polyphone entries first; take it only when all of them fit.
    struct Place {
      std::size_t hanzi;
      int place;
      int number;
      bool add;
    };
    std::vector<Place> places;
    std::size_t needReadings = 0, needWords = 0;
    bool fits = units.size() == 2 || longWords[units[0]] < kMaxLongWords;
    for (std::size_t k = 0; k < units.size() && fits; ++k) {
      std::size_t hi = hanziOf[units[k]];
      const auto& rs = src.hanzi[hi].readings;
      if (rs[0] == e.readings[k]) continue;
      auto found = std::find(rs.begin(), rs.end(), e.readings[k]);
      bool add = found == rs.end();
      // A character read twice otherwise in one word (rare) takes one new reading only.
      for (const Place& p : places) {
        if (p.hanzi == hi && add) fits = false;
      }
      if (add && rs.size() >= kMaxReadings) fits = false;
      int number = static_cast<int>(add ? rs.size() : static_cast<std::size_t>(found - rs.begin()));
      if (add) needReadings += rs.size() == 1 ? 2 : 1;
      if (add && rs.size() == 1) needWords += 3;
      needWords += units.size();
      places.push_back({hi, static_cast<int>(k), number, add});
    }
    if (!fits || readingTable + needReadings > kReadingTableLimit || wordTable + needWords > kWordTableLimit) {
      ++g.full;
      continue;
    }
    readingTable += needReadings;
    wordTable += needWords;
    for (const Place& p : places) {
      auto& h = src.hanzi[p.hanzi];
      if (p.add) {
        if (h.readings.size() == 1) ++g.newPolyphones;
        h.readings.push_back(e.readings[static_cast<std::size_t>(p.place)]);
        ++g.addedReadings;
      }
      src.polyWords.push_back({e.text, p.place, p.number});
      ++g.polyWords;
    }
    if (units.size() > 2) ++longWords[units[0]];
    // Weights as the sample's words have them: about 20 for an everyday word.
    int weight = c.count > 0 ? static_cast<int>(std::lround(4.0 * std::log10(static_cast<double>(c.count) + 1.0))) : 1;
    src.words.push_back({e.text, static_cast<std::uint16_t>(std::clamp(weight, 1, 30)), 0});
    ++g.words;
  }
  return g;
}

}  // namespace datagen
