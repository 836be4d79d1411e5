#include "tools/datagen/full_card_measure.h"

#include <algorithm>
#include <climits>
#include <random>
#include <set>
#include <sstream>

namespace datagen {

namespace {

bool has(const std::vector<std::string>& v, const std::string& g) { return std::find(v.begin(), v.end(), g) != v.end(); }

bool endsWith(const std::string& s, std::string_view tail) {
  return s.size() > tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::map<std::string, std::vector<const EdictEntry*>> edictBySpelling(const std::vector<EdictEntry>& edict) {
  std::map<std::string, std::vector<const EdictEntry*>> out;
  for (const EdictEntry& e : edict) {
    out[e.spelling()].push_back(&e);
    if (e.written != e.spelling()) out[e.written].push_back(&e);
  }
  return out;
}

std::map<std::string, std::vector<const CedictEntry*>> cedictBySimplified(const std::vector<CedictEntry>& cedict) {
  std::map<std::string, std::vector<const CedictEntry*>> out;
  for (const CedictEntry& e : cedict) out[e.simplified].push_back(&e);
  return out;
}

template <typename Map>
const typename Map::mapped_type& entriesOf(const Map& map, const std::string& key) {
  static const typename Map::mapped_type none;
  auto it = map.find(key);
  return it == map.end() ? none : it->second;
}

}  // namespace

const char* senseCheckName(SenseCheck check) {
  switch (check) {
    case SenseCheck::kAgree: return "agree";
    case SenseCheck::kMeet: return "meet";
    case SenseCheck::kApart: return "apart";
    case SenseCheck::kUnknown: break;
  }
  return "unknown";
}

SenseCheck checkSenses(const std::vector<const EdictEntry*>& japanese, const std::vector<const CedictEntry*>& chinese) {
  if (japanese.empty() || chinese.empty()) return SenseCheck::kUnknown;
  SenseCheck best = SenseCheck::kApart;
  for (const EdictEntry* j : japanese) {
    for (const CedictEntry* c : chinese) {
      const auto& jf = j->senses[0].glosses;
      const auto& cf = c->senses[0].glosses;
      if (has(cf, jf[0]) && has(jf, cf[0])) return SenseCheck::kAgree;
      for (const PivotSense& js : j->senses)
        for (const PivotSense& cs : c->senses)
          for (const std::string& g : js.glosses)
            if (has(cs.glosses, g)) best = SenseCheck::kMeet;
    }
  }
  return best;
}

std::vector<std::size_t> drawSeeded(std::size_t population, std::size_t n, unsigned seed) {
  std::vector<std::size_t> order(population);
  for (std::size_t i = 0; i < population; ++i) order[i] = i;
  std::mt19937 random(seed);
  const std::size_t take = std::min(n, population);
  // Fisher-Yates on the first `take` places, each bound drawn from the raw 32-bit output.
  for (std::size_t i = 0; i < take; ++i) {
    const std::size_t span = population - i;
    const std::size_t j = i + static_cast<std::size_t>(random() % span);
    std::swap(order[i], order[j]);
  }
  order.resize(take);
  return order;
}

std::vector<MeasuredWord> measureChinese(std::string_view words, const std::vector<ChineseListWord>& list,
                                         const std::map<std::string, FullTag>& tags,
                                         const std::vector<EdictEntry>& edict, const std::vector<CedictEntry>& cedict,
                                         int frequent, int n, unsigned seed) {
  std::map<std::string, std::string> japaneseOf;  // word -> Japanese of its first rendering
  eachContentLine(words, [&](int, std::string_view line) {
    const auto f = splitOn(line, '\t');
    if (f.size() < 4 || japaneseOf.count(f[0])) return;
    const auto rendering = splitOn(f[3].substr(0, f[3].find(" |")), ',');
    japaneseOf[f[0]] = rendering.size() >= 2 ? rendering[1] : "";
  });
  const std::vector<std::string> population = frequentChinese(list, tags, frequent);
  const auto byJapanese = edictBySpelling(edict);
  const auto byChinese = cedictBySimplified(cedict);
  std::vector<MeasuredWord> out;
  for (std::size_t i : drawSeeded(population.size(), static_cast<std::size_t>(n), seed)) {
    MeasuredWord m;
    m.word = population[i];
    auto it = japaneseOf.find(m.word);
    if (it != japaneseOf.end()) m.translation = it->second;
    if (!m.translation.empty()) {
      // The dictionary form EDICT lists: a verb with する and a na-adjective by their nouns.
      std::string key = m.translation;
      if (endsWith(key, "する") && !byJapanese.count(key)) key.resize(key.size() - 6);
      if (endsWith(key, "だ") && !byJapanese.count(key)) key.resize(key.size() - 3);
      m.check = checkSenses(entriesOf(byJapanese, key), entriesOf(byChinese, m.word));
    }
    out.push_back(std::move(m));
  }
  return out;
}

std::vector<MeasuredWord> measureJapanese(std::string_view lexicon, const JapaneseIndex& japanese,
                                          const std::map<std::string, FullConjugation>& conjugations,
                                          const std::vector<EdictEntry>& edict, const std::vector<CedictEntry>& cedict,
                                          int frequent, int n, unsigned seed) {
  // The first Chinese of a key, and of a stem by part of speech and conjugation type.
  std::map<std::string, std::string> byKey, byStem;
  eachContentLine(lexicon, [&](int, std::string_view line) {
    const auto f = splitOn(line, '\t');
    if (f.size() < 4 || f[3].empty()) return;
    const auto codes = splitOn(f[1], '.');
    if (codes.size() != 4) return;
    if (codes[0] == "2" || (codes[0] == "3" && codes[2] != "21")) byStem.emplace(f[0] + '\t' + codes[0] + '.' + codes[2], f[3]);
    else byKey.emplace(f[0], f[3]);
  });
  std::vector<std::string> ranked = frequentJapanese(edict, japanese);
  if (static_cast<int>(ranked.size()) > frequent) ranked.resize(static_cast<std::size_t>(std::max(frequent, 0)));
  const auto byJapanese = edictBySpelling(edict);
  const auto byChinese = cedictBySimplified(cedict);
  std::vector<MeasuredWord> out;
  for (std::size_t i : drawSeeded(ranked.size(), static_cast<std::size_t>(n), seed)) {
    MeasuredWord m;
    m.word = ranked[i];
    auto type = japanese.conjugation.find(m.word);
    auto conj = type == japanese.conjugation.end() ? conjugations.end() : conjugations.find(type->second);
    if (conj != conjugations.end()) {
      const std::string stem = stemOf(m.word, conj->second);
      auto it = byStem.find(stem + '\t' + std::to_string(conj->second.pos) + '.' + std::to_string(conj->second.type));
      if (it != byStem.end()) m.translation = it->second;
    }
    if (m.translation.empty())
      if (auto it = byKey.find(m.word); it != byKey.end()) m.translation = it->second;
    if (!m.translation.empty())
      m.check = checkSenses(entriesOf(byJapanese, m.word), entriesOf(byChinese, m.translation));
    out.push_back(std::move(m));
  }
  return out;
}

void applyGrades(std::string_view graded, std::vector<MeasuredWord>& words) {
  std::map<std::pair<std::string, std::string>, std::string> grades;
  eachContentLine(graded, [&](int, std::string_view line) {
    const auto f = splitOn(line, '\t');
    if (f.size() >= 4 && !f[3].empty() && f[3] != "?") grades[{f[0], f[1]}] = f[3];
  });
  for (MeasuredWord& w : words) {
    if (w.translation.empty()) {
      w.grade = "none";
      continue;
    }
    auto it = grades.find({w.word, w.translation});
    w.grade = it == grades.end() ? "?" : it->second;
  }
}

std::string gradeLines(const std::vector<MeasuredWord>& words) {
  std::string out;
  for (const MeasuredWord& w : words)
    out += w.word + '\t' + w.translation + '\t' + senseCheckName(w.check) + '\t' + (w.grade.empty() ? "?" : w.grade) + '\n';
  return out;
}

std::string tally(const std::vector<MeasuredWord>& words) {
  std::map<std::string, int> grades, checks;
  for (const MeasuredWord& w : words) {
    ++grades[w.grade.empty() ? "?" : w.grade];
    if (!w.translation.empty()) ++checks[senseCheckName(w.check)];
  }
  std::ostringstream s;
  s << words.size() << " drawn: " << grades["right"] << " right, " << grades["rough"] << " rough, " << grades["wrong"]
    << " wrong, " << grades["none"] << " none, " << grades["?"] << " not graded; through English " << checks["agree"]
    << " agree, " << checks["meet"] << " meet, " << checks["apart"] << " apart, " << checks["unknown"] << " unknown";
  return s.str();
}

}  // namespace datagen
