#include "tools/pinyin_tablegen/candidate_builder.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "input/pinyin/syllables.h"

namespace pinyin::tablegen {

namespace {

struct Entry {
  char32_t character = 0;
  double weight = 0;  // estimated frequency of the character read with this syllable
  int frequency = 6;
  std::vector<std::pair<int, double>> tones;  // tone, weight; heaviest first
};

// Estimated use of each reading of a character: the corpus counts where Unihan has them; else the
// general frequency class, the customary reading weighing more than the dictionaries' others.
std::vector<std::pair<ToneReading, double>> weighedReadings(const HanziFacts& f, bool traditional) {
  std::vector<ToneReading> all;
  auto add = [&](const ToneReading& r) {
    if (std::find(all.begin(), all.end(), r) == all.end()) all.push_back(r);
  };
  for (const auto& [r, n] : f.corpus) add(r);
  for (const ToneReading& r : f.mandarin) add(r);
  for (const ToneReading& r : f.dictionary) add(r);
  if (all.empty()) {
    for (const ToneReading& r : f.historic) add(r);
  }
  double base = 0.5;
  if (f.frequency >= 1 && f.frequency <= 5) {
    base = std::ldexp(1.0, 6 - f.frequency);
  } else if ((!traditional && f.gb2312 > 0 && f.gb2312 < 5600) || (traditional && f.big5 >= 0xA440 && f.big5 <= 0xC67E)) {
    base = 1;  // the sets' first level: the common characters
  }
  std::vector<std::pair<ToneReading, double>> out;
  for (const ToneReading& r : all) {
    double w = 0;
    if (!f.corpus.empty()) {
      w = 0.25;
      for (const auto& [cr, n] : f.corpus) {
        if (cr == r) w = n;
      }
    } else {
      bool customary = std::find(f.mandarin.begin(), f.mandarin.end(), r) != f.mandarin.end();
      w = customary ? base : base / 4;
    }
    out.emplace_back(r, w);
  }
  return out;
}

}  // namespace

int priorityOf(double weight) {
  int level = static_cast<int>(std::floor(std::log2(weight + 0.125))) + 3;
  return datagen::kPinyinMinRepeatPriority + std::clamp(level, 0, datagen::kPinyinMaxPriority - datagen::kPinyinMinRepeatPriority);
}

CandidateSet buildCandidateSet(const HanziTable& table, bool traditional) {
  const std::vector<std::string_view>& inventory = syllableInventory(traditional);
  std::map<std::string, std::vector<Entry>, std::less<>> bySyllable;
  for (std::string_view s : inventory) bySyllable[std::string(s)];
  CandidateSet out;
  std::set<std::string> dropped;

  for (const auto& [cp, facts] : table) {
    if (traditional ? facts.big5 == 0 : facts.gb2312 == 0) continue;
    if (cp > 0xFFFF) continue;
    std::map<std::string, Entry> mine;
    for (const auto& [r, w] : weighedReadings(facts, traditional)) {
      auto it = bySyllable.find(r.spelling);
      if (it == bySyllable.end()) {
        dropped.insert(r.spelling);
        continue;
      }
      Entry& e = mine[r.spelling];
      e.character = cp;
      e.frequency = facts.frequency ? facts.frequency : 6;
      e.weight += w;
      e.tones.emplace_back(r.tone, w);
    }
    if (mine.empty()) {
      ++out.unreadCharacters;
      continue;
    }
    ++out.characters;
    for (auto& [s, e] : mine) {
      std::stable_sort(e.tones.begin(), e.tones.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
      bySyllable[s].push_back(std::move(e));
    }
  }

  std::map<std::string, datagen::PinyinRun, std::less<>> runs;
  for (auto& [s, entries] : bySyllable) {
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
      if (a.weight != b.weight) return a.weight > b.weight;
      if (a.frequency != b.frequency) return a.frequency < b.frequency;
      return a.character < b.character;
    });
    datagen::PinyinRun run{static_cast<std::uint16_t>(out.records.size()), 0};
    for (const Entry& e : entries) {
      const int priority = priorityOf(e.weight);
      bool first = true;
      for (const auto& [tone, w] : e.tones) {
        out.records.push_back({static_cast<char16_t>(e.character), static_cast<char>('0' + tone), priority, !first});
        first = false;
      }
    }
    run.count = static_cast<std::uint16_t>(out.records.size() - run.first);
    runs[s] = run;
  }

  out.pinyinIndex.assign(static_cast<std::size_t>(syllableCount(false, traditional)), {});
  out.zhuyinIndex.assign(static_cast<std::size_t>(syllableCount(true, traditional)), {});
  for (std::string_view s : inventory) {
    const datagen::PinyinRun& run = runs.find(s)->second;
    int n0 = spellingNumber(false, traditional, s);
    int n1 = spellingNumber(true, traditional, s);
    if (n0 >= 0) out.pinyinIndex[static_cast<std::size_t>(n0)] = run;
    if (n1 >= 0) out.zhuyinIndex[static_cast<std::size_t>(n1)] = run;
  }
  out.droppedSpellings.assign(dropped.begin(), dropped.end());
  return out;
}

}  // namespace pinyin::tablegen
