#include "tools/datagen/full_card_measure.h"

#include <algorithm>
#include <climits>
#include <random>
#include <set>
#include <sstream>

#include "platform/core/codepage.h"

namespace datagen {

namespace {

bool has(const std::vector<std::string>& v, const std::string& g) { return std::find(v.begin(), v.end(), g) != v.end(); }

bool endsWith(const std::string& s, std::string_view tail) {
  return s.size() > tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
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
                                         int frequent, int n, unsigned seed, int from) {
  std::map<std::string, std::string> japaneseOf;  // word -> Japanese of its first rendering
  eachContentLine(words, [&](int, std::string_view line) {
    const auto f = splitOn(line, '\t');
    if (f.size() < 4 || japaneseOf.count(f[0])) return;
    const auto rendering = splitOn(f[3].substr(0, f[3].find(" |")), ',');
    japaneseOf[f[0]] = rendering.size() >= 2 ? rendering[1] : "";
  });
  std::vector<std::string> population = frequentChinese(list, tags, frequent);
  population.erase(population.begin(), population.begin() + std::clamp<long>(from, 0, static_cast<long>(population.size())));
  const auto byJapanese = edictBySpelling(edict);
  const auto byChinese = cedictBySimplified(cedict);
  std::vector<MeasuredWord> out;
  for (std::size_t i : drawSeeded(population.size(), static_cast<std::size_t>(n), seed)) {
    MeasuredWord m;
    m.rank = from + static_cast<int>(i) + 1;
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
                                          int frequent, int n, unsigned seed, int from) {
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
  ranked.erase(ranked.begin(), ranked.begin() + std::clamp<long>(from, 0, static_cast<long>(ranked.size())));
  const auto byJapanese = edictBySpelling(edict);
  const auto byChinese = cedictBySimplified(cedict);
  std::vector<MeasuredWord> out;
  for (std::size_t i : drawSeeded(ranked.size(), static_cast<std::size_t>(n), seed)) {
    MeasuredWord m;
    m.rank = from + static_cast<int>(i) + 1;
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

namespace {

bool singleCharacter(const std::string& word) { return plat::utf8ToWide(word).size() == 1; }

// The lines of a text, without the empty piece after its last newline.
std::vector<std::string> linesOf(std::string_view text) {
  std::vector<std::string> lines = splitOn(text, '\n');
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

}  // namespace

std::vector<MeasuredWord> measureChineseSingles(std::string_view words, const std::vector<ChineseListWord>& list,
                                                const std::map<std::string, FullTag>& tags,
                                                const std::vector<EdictEntry>& edict,
                                                const std::vector<CedictEntry>& cedict, int n) {
  std::map<std::string, std::string> japaneseOf;
  eachContentLine(words, [&](int, std::string_view line) {
    const auto f = splitOn(line, '\t');
    if (f.size() < 4 || japaneseOf.count(f[0])) return;
    const auto rendering = splitOn(f[3].substr(0, f[3].find(" |")), ',');
    japaneseOf[f[0]] = rendering.size() >= 2 ? rendering[1] : "";
  });
  const auto byJapanese = edictBySpelling(edict);
  const auto byChinese = cedictBySimplified(cedict);
  std::vector<MeasuredWord> out;
  std::set<std::string> seen;
  for (const ChineseListWord& w : list) {
    if (static_cast<int>(out.size()) >= n) break;
    if (!tags.count(w.tag) || !singleCharacter(w.word) || !seen.insert(w.word).second) continue;
    MeasuredWord m;
    m.word = w.word;
    if (auto it = japaneseOf.find(m.word); it != japaneseOf.end()) m.translation = it->second;
    if (!m.translation.empty()) m.check = checkSenses(entriesOf(byJapanese, m.translation), entriesOf(byChinese, m.word));
    out.push_back(std::move(m));
  }
  return out;
}

std::vector<MeasuredWord> measureJapaneseSingles(std::string_view lexicon, const JapaneseIndex& japanese,
                                                 const std::vector<EdictEntry>& edict,
                                                 const std::vector<CedictEntry>& cedict, int n) {
  // The Chinese of the first line of a key that stands as a word (no verb or adjective stem).
  std::map<std::string, std::string> byKey;
  eachContentLine(lexicon, [&](int, std::string_view line) {
    const auto f = splitOn(line, '\t');
    if (f.size() < 4 || f[3].empty()) return;
    const auto codes = splitOn(f[1], '.');
    if (codes.size() == 4 && codes[0] != "2" && !(codes[0] == "3" && codes[2] != "21")) byKey.emplace(f[0], f[3]);
  });
  std::vector<std::pair<int, std::string>> byCost;
  for (const auto& [word, bits] : japanese.classes) {
    const std::u16string w = plat::utf8ToWide(word);
    if (w.size() != 1 || w[0] < 0x4E00 || w[0] > 0x9FFF || !(bits & (kJpCommon | kJpAdverb))) continue;
    byCost.emplace_back(japanese.cost.at(word), word);
  }
  std::stable_sort(byCost.begin(), byCost.end());
  const auto byJapanese = edictBySpelling(edict);
  const auto byChinese = cedictBySimplified(cedict);
  std::vector<MeasuredWord> out;
  for (const auto& [cost, word] : byCost) {
    if (static_cast<int>(out.size()) >= n) break;
    MeasuredWord m;
    m.word = word;
    if (auto it = byKey.find(word); it != byKey.end()) m.translation = it->second;
    if (!m.translation.empty()) m.check = checkSenses(entriesOf(byJapanese, m.word), entriesOf(byChinese, m.translation));
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

std::set<std::pair<std::string, std::string>> wrongPairs(std::string_view graded) {
  std::set<std::pair<std::string, std::string>> out;
  eachContentLine(graded, [&](int, std::string_view line) {
    const auto f = splitOn(line, '\t');
    if (f.size() >= 4 && f[3] == "wrong") out.emplace(f[0], f[1]);
  });
  return out;
}

std::set<std::pair<std::string, std::string>> acceptedPairs(std::string_view graded) {
  std::set<std::pair<std::string, std::string>> out;
  eachContentLine(graded, [&](int, std::string_view line) {
    const auto f = splitOn(line, '\t');
    if (f.size() >= 4 && (f[3] == "right" || f[3] == "rough")) out.emplace(f[0], f[1]);
  });
  return out;
}

std::string withoutWrongChinesePairs(std::string_view words, const std::set<std::pair<std::string, std::string>>& wrong,
                                     int& dropped) {
  const std::size_t generated = words.find(kOpenListHeading);
  if (generated == std::string_view::npos) return std::string(words);
  std::string out(words.substr(0, generated));
  for (const std::string& line : linesOf(words.substr(generated))) {
    const auto f = splitOn(line, '\t');
    if (f.size() >= 4 && !line.empty() && line[0] != '#') {
      const auto rendering = splitOn(f[3].substr(0, f[3].find(" |")), ',');
      if (rendering.size() >= 2 && wrong.count({f[0], rendering[1]})) {
        ++dropped;
        continue;
      }
    }
    out.append(line);
    out += '\n';
  }
  return out;
}

std::string withoutWrongJapanesePairs(std::string_view lexicon, const std::set<std::pair<std::string, std::string>>& wrong,
                                      const std::map<std::string, FullConjugation>& conjugations, int& dropped) {
  const std::size_t generated = lexicon.find(kGeneratedLexiconHeading);
  if (generated == std::string_view::npos) return std::string(lexicon);
  std::map<std::string, std::string> endings;  // "pos.type" -> ending of the dictionary form
  for (const auto& [name, c] : conjugations) endings.emplace(std::to_string(c.pos) + '.' + std::to_string(c.type), c.ending);
  std::string out(lexicon.substr(0, generated));
  for (const std::string& line : linesOf(lexicon.substr(generated))) {
    const auto f = splitOn(line, '\t');
    const auto codes = f.size() >= 4 ? splitOn(f[1], '.') : std::vector<std::string>{};
    if (codes.size() == 4 && !line.empty() && line[0] != '#') {
      // A stem is graded by its dictionary form; a verb with する by its noun too.
      std::vector<std::string> forms = {f[0]};
      if (codes[0] == "2" || (codes[0] == "3" && codes[2] != "21"))
        if (auto e = endings.find(codes[0] + '.' + codes[2]); e != endings.end()) forms.insert(forms.begin(), f[0] + e->second);
      if (std::any_of(forms.begin(), forms.end(), [&](const std::string& w) { return wrong.count({w, f[3]}) != 0; })) {
        ++dropped;
        continue;
      }
    }
    out.append(line);
    out += '\n';
  }
  return out;
}

std::string withoutNameSpellings(std::string_view words, const JapaneseIndex& japanese,
                                 const std::vector<EdictEntry>& edict, const std::vector<CedictEntry>& cedict,
                                 int& dropped) {
  const std::size_t generated = words.find(kOpenListHeading);
  if (generated == std::string_view::npos) return std::string(words);
  std::set<std::string> edictSpellings;
  for (const EdictEntry& e : edict) {
    edictSpellings.insert(e.written);
    edictSpellings.insert(e.spelling());
  }
  // Chinese word -> bit 1: a common entry, bit 2: a name's entry (an upper-case reading).
  std::map<std::string, int> kinds;
  for (const CedictEntry& c : cedict)
    if (!c.reading.empty()) kinds[c.simplified] |= (c.reading[0] >= 'A' && c.reading[0] <= 'Z') ? 2 : 1;
  const unsigned names = kJpPerson | kJpPlace, nameOnly = names | kJpNoun;
  std::string out(words.substr(0, generated));
  for (const std::string& line : linesOf(words.substr(generated))) {
    const auto f = splitOn(line, '\t');
    if (f.size() >= 4 && !line.empty() && line[0] != '#') {
      const auto rendering = splitOn(f[3].substr(0, f[3].find(" |")), ',');
      auto cls = rendering.size() >= 2 ? japanese.classes.find(rendering[1]) : japanese.classes.end();
      auto kind = kinds.find(f[0]);
      if (cls != japanese.classes.end() && (cls->second & names) && !(cls->second & ~nameOnly) &&
          !edictSpellings.count(rendering[1]) && kind != kinds.end() && kind->second == 1) {
        ++dropped;
        continue;
      }
    }
    out += line + '\n';
  }
  return out;
}

std::string withoutBoundKanji(std::string_view words, const std::vector<EdictEntry>& edict,
                              const std::vector<CedictEntry>& cedict,
                              const std::set<std::pair<std::string, std::string>>& accepted, int& dropped) {
  const std::size_t generated = words.find(kOpenListHeading);
  if (generated == std::string_view::npos) return std::string(words);
  std::set<std::string> commonSpellings, names;
  for (const EdictEntry& e : edict)
    if (e.common) {
      commonSpellings.insert(e.written);
      commonSpellings.insert(e.spelling());
    }
  for (const CedictEntry& c : cedict)
    if (!c.reading.empty() && c.reading[0] >= 'A' && c.reading[0] <= 'Z') names.insert(c.simplified);
  std::string out(words.substr(0, generated));
  for (const std::string& line : linesOf(words.substr(generated))) {
    const auto f = splitOn(line, '\t');
    if (f.size() >= 4 && !line.empty() && line[0] != '#' && plat::utf8ToWide(f[0]).size() == 1) {
      const auto rendering = splitOn(f[3].substr(0, f[3].find(" |")), ',');
      if (rendering.size() >= 2 && plat::utf8ToWide(rendering[1]).size() == 1 && !commonSpellings.count(rendering[1]) &&
          !names.count(f[0]) && !accepted.count({f[0], rendering[1]})) {
        ++dropped;
        continue;
      }
    }
    out += line + '\n';
  }
  return out;
}

bool parseFalseFriendTable(std::string_view text, std::vector<FalseFriendPair>& out, std::string* error) {
  bool ok = true;
  eachContentLine(text, [&](int number, std::string_view line) {
    const auto f = splitOn(line, '\t');
    const bool sideKnown = f.size() >= 3 && (f[1] == "zh" || f[1] == "ja");
    if (!sideKnown || f[0].empty() || f[2].empty() || f[0] == f[2]) {
      if (ok && error)
        *error = "false_friends_table.tsv:" + std::to_string(number) + ": needs word, zh or ja, and another pair";
      ok = false;
      return;
    }
    out.push_back({f[0], f[1] == "ja", f[2], f.size() > 3 ? f[3] : std::string()});
  });
  return ok;
}

std::string withFalseFriendTableCj(std::string_view words, const std::vector<FalseFriendPair>& table, int& replaced) {
  const std::size_t generated = words.find(kOpenListHeading);
  if (generated == std::string_view::npos) return std::string(words);
  std::map<std::string, std::string> pairs;
  for (const FalseFriendPair& p : table)
    if (!p.japanese) pairs.emplace(p.word, p.pair);
  std::string out(words.substr(0, generated));
  for (const std::string& line : linesOf(words.substr(generated))) {
    auto f = splitOn(line, '\t');
    auto it = f.size() >= 4 && line[0] != '#' ? pairs.find(f[0]) : pairs.end();
    if (it == pairs.end()) {
      out += line + '\n';
      continue;
    }
    ++replaced;
    if (it->second == "-") continue;
    if (it->second.find(',') != std::string::npos) {
      // A whole translation of another class brings the entry of that class.
      static const std::map<char, std::string> kEntries = {
          {'N', "N\\U[N]a[J]"}, {'V', "V\\U[V]t[1]"}, {'A', "A\\U[A]"}, {'F', "F\\U[F]"}};
      auto entry = kEntries.find(it->second[0]);
      if (entry != kEntries.end() && !f[1].empty() && f[1][0] != it->second[0]) f[1] = entry->second;
      f[3] = it->second;
    } else {
      auto first = splitOn(f[3].substr(0, f[3].find(" |")), ',');
      if (first.size() < 3) continue;
      first[1] = it->second;
      f[3].clear();
      for (std::size_t i = 0; i < first.size(); ++i) f[3] += (i ? "," : "") + first[i];
    }
    for (std::size_t i = 0; i < f.size(); ++i) out += (i ? "\t" : "") + f[i];
    out += '\n';
  }
  // A word of the table the card has no line for yet takes one with the table's pair.
  std::set<std::string> keys;
  for (const std::string& line : linesOf(out))
    if (!line.empty() && line[0] != '#') keys.insert(line.substr(0, line.find('\t')));
  static const std::map<char, std::string> kEntries = {
      {'N', "N\\U[N]a[J]"}, {'V', "V\\U[V]t[1]"}, {'A', "A\\U[A]"}, {'F', "F\\U[F]"}};
  for (const FalseFriendPair& p : table) {
    if (p.japanese || p.pair == "-" || keys.count(p.word)) continue;
    const std::string translation = p.pair.find(',') != std::string::npos ? p.pair : "N," + p.pair + ",N0000";
    auto entry = kEntries.find(translation[0]);
    if (entry == kEntries.end()) continue;
    out += p.word + '\t' + entry->second + "\t-\t" + translation + '\n';
    keys.insert(p.word);
    ++replaced;
  }
  return out;
}

std::string withFalseFriendTableJc(std::string_view lexicon, const std::vector<FalseFriendPair>& table,
                                   const std::map<std::string, FullConjugation>& conjugations, int& replaced) {
  const std::size_t generated = lexicon.find(kGeneratedLexiconHeading);
  if (generated == std::string_view::npos) return std::string(lexicon);
  std::map<std::string, std::string> pairs;
  for (const FalseFriendPair& p : table)
    if (p.japanese) pairs.emplace(p.word, p.pair);
  std::map<std::string, std::string> endings;  // "pos.type" -> ending of the dictionary form
  for (const auto& [name, c] : conjugations) endings.emplace(std::to_string(c.pos) + '.' + std::to_string(c.type), c.ending);
  std::string out(lexicon.substr(0, generated));
  for (const std::string& line : linesOf(lexicon.substr(generated))) {
    auto f = splitOn(line, '\t');
    const auto codes = f.size() >= 4 ? splitOn(f[1], '.') : std::vector<std::string>{};
    auto it = pairs.end();
    if (codes.size() == 4 && line[0] != '#') {
      // A stem by its dictionary form; a noun, a verb with する and a na-adjective by their key.
      if ((codes[0] == "2" && codes[2] != "16") || (codes[0] == "3" && codes[2] != "21")) {
        if (auto e = endings.find(codes[0] + '.' + codes[2]); e != endings.end()) it = pairs.find(f[0] + e->second);
      } else {
        it = pairs.find(f[0]);
      }
    }
    if (it == pairs.end()) {
      out += line + '\n';
      continue;
    }
    ++replaced;
    if (it->second == "-") continue;
    f[3] = it->second;
    for (std::size_t i = 0; i < f.size(); ++i) out += (i ? "\t" : "") + f[i];
    out += '\n';
  }
  return out;
}

std::string handLexiconCjWords(std::string_view words, std::string_view handLexicon,
                               const std::vector<ChineseListWord>& list, const std::map<std::string, FullTag>& tags,
                               const std::map<std::string, std::string>& leftOut, int cap, int& added) {
  std::set<std::string> keys;
  for (const std::string& line : linesOf(words))
    if (!line.empty() && line[0] != '#') keys.insert(line.substr(0, line.find('\t')));
  // Chinese word -> the first noun of the lexicon written for it; Japanese noun -> its サ変 code.
  std::map<std::string, std::string> nounOf;
  std::map<std::string, std::string> suruCode;
  for (const std::string& line : linesOf(handLexicon)) {
    if (line.empty() || line[0] == '#') continue;
    const auto f = splitOn(line, '\t');
    if (f.size() < 4 || f[0].empty() || f[3].empty()) continue;
    if (f[1].rfind("6.", 0) == 0) nounOf.emplace(f[3], f[0]);
    if (f[1] == "2.1.16.0") suruCode.emplace(f[0], "SHT00");
    if (f[1] == "2.2.16.0") suruCode.emplace(f[0], "SHZ00");
  }
  std::string out;
  int looked = 0;
  for (const ChineseListWord& w : list) {
    if (looked++ >= cap) break;
    auto tag = tags.find(w.tag);
    auto noun = nounOf.find(w.word);
    if (tag == tags.end() || noun == nounOf.end() || keys.count(w.word) || leftOut.count(w.word)) continue;
    const std::string& japanese = noun->second;
    std::string translations, entry = tag->second.entry;
    if (tag->second.category == 'N') {
      translations = "N," + japanese + ",N0000";
    } else if (tag->second.category == 'V') {
      auto code = suruCode.find(japanese);
      if (code == suruCode.end()) continue;
      translations = "V," + japanese + "する," + code->second;
      if (w.tag == "vn") translations = "N," + japanese + ",N0000 | " + translations;
    } else {
      continue;
    }
    keys.insert(w.word);
    out += w.word + '\t' + entry + "\t-\t" + translations + '\n';
    ++added;
  }
  return out;
}

std::string drawLines(const std::vector<MeasuredWord>& words) {
  std::string out;
  for (const MeasuredWord& m : words) out += std::to_string(m.rank) + '\t' + m.word + '\t' + m.translation + '\n';
  return out;
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
