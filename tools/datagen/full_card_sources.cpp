#include "tools/datagen/full_card_sources.h"

#include <algorithm>
#include <cstdlib>
#include <set>

#include "platform/core/codepage.h"
#include "tools/datagen/jp_dictionary_pair.h"

namespace datagen {

namespace {

std::vector<std::string> splitOn(std::string_view text, char sep) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    std::size_t at = text.find(sep, start);
    parts.emplace_back(text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
    if (at == std::string_view::npos) break;
    start = at + 1;
  }
  return parts;
}

// Content lines: CR removed, comments and blank lines left out.
template <typename F>
void eachLine(std::string_view text, F&& f) {
  int number = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == '#') continue;
    f(number, line);
  }
}

bool inShiftJis(char16_t c) {
  std::u16string s(1, c);
  std::string b = plat::wideToMultiByte(932, s);
  return !b.empty() && b != "?" && plat::multiByteToWide(932, b) == s;
}

// The first field of each content line: the words a source already holds.
std::set<std::string> firstFields(std::string_view text) {
  std::set<std::string> words;
  eachLine(text, [&](int, std::string_view line) { words.insert(std::string(line.substr(0, line.find('\t')))); });
  return words;
}

}  // namespace

bool parseFullTags(std::string_view text, std::map<std::string, FullTag>& out, std::string* error) {
  bool ok = true;
  eachLine(text, [&](int number, std::string_view line) {
    std::vector<std::string> f = splitOn(line, '\t');
    if (f.size() < 3 || f[1].size() != 1 || std::string("NVAF").find(f[1][0]) == std::string::npos ||
        f[2].find('\\') == std::string::npos) {
      if (ok && error) *error = "tags.txt:" + std::to_string(number) + ": needs tag, category N/V/A/F, entry";
      ok = false;
      return;
    }
    out[f[0]] = {f[1][0], f[2]};
  });
  return ok;
}

bool parseFalseFriends(std::string_view text, std::map<std::string, std::string>& out, std::string* error) {
  bool ok = true;
  eachLine(text, [&](int number, std::string_view line) {
    std::vector<std::string> f = splitOn(line, '\t');
    if (f.size() < 2 || f[0].empty() || f[1].empty()) {
      if (ok && error) *error = "false_friends.txt:" + std::to_string(number) + ": needs word and translations";
      ok = false;
      return;
    }
    out[f[0]] = f[1];
  });
  return ok;
}

std::vector<ChineseListWord> parseChineseWordList(std::string_view text) {
  std::vector<ChineseListWord> words;
  eachLine(text, [&](int, std::string_view line) {
    std::vector<std::string> f = splitOn(line, ' ');
    if (f.size() < 3 || f[0].empty()) return;
    words.push_back({f[0], std::atol(f[1].c_str()), f[2]});
  });
  std::stable_sort(words.begin(), words.end(),
                   [](const ChineseListWord& a, const ChineseListWord& b) { return a.frequency > b.frequency; });
  return words;
}

void addJapaneseEntries(std::string_view csv, JapaneseIndex& index) {
  eachLine(csv, [&](int, std::string_view line) {
    std::vector<std::string> f = splitOn(line, ',');
    if (f.size() < 8 || f[0].empty()) return;
    unsigned cls = 0;
    const std::string &p1 = f[4], &p2 = f[5], &p3 = f[6];
    if (p1 == "名詞") {
      if (p2 == "サ変接続") cls = kJpSuruNoun;
      else if (p2 == "形容動詞語幹") cls = kJpAdjectiveStem;
      else if (p2 == "副詞可能") cls = kJpNoun | kJpTime;
      else if (p2 == "固有名詞" && p3 == "人名") cls = kJpNoun | kJpPerson;
      else if (p2 == "固有名詞" && p3 == "地域") cls = kJpNoun | kJpPlace;
      else if (p2 == "固有名詞" && p3 == "組織") cls = kJpNoun | kJpOrganisation;
      else if (p2 == "一般" || p2 == "固有名詞") cls = kJpNoun;
    } else if (p1 == "副詞") {
      cls = kJpAdverb;
    }
    if ((p1 == "動詞" || p1 == "形容詞") && p2 == "自立" && f.size() > 9 && f[9] == "基本形") {
      index.conjugation.emplace(f[0], f[8]);
    }
    if (!cls) return;
    index.classes[f[0]] |= cls;
    int cost = std::atoi(f[3].c_str());
    auto [it, fresh] = index.cost.emplace(f[0], cost);
    if (!fresh) it->second = std::min(it->second, cost);
  });
}

bool parseFullConjugations(std::string_view text, std::map<std::string, FullConjugation>& out, std::string* error) {
  bool ok = true;
  eachLine(text, [&](int number, std::string_view line) {
    std::vector<std::string> f = splitOn(line, '\t');
    const int pos = f.size() == 4 ? std::atoi(f[1].c_str()) : 0, type = f.size() == 4 ? std::atoi(f[2].c_str()) : 0;
    if ((pos != 2 && pos != 3) || type <= 0 || f[3].empty()) {
      if (ok && error) *error = "conjugations.txt:" + std::to_string(number) + ": needs IPA type, 2 or 3, type, ending";
      ok = false;
      return;
    }
    out[f[0]] = {pos, type, f[3]};
  });
  return ok;
}

std::set<std::string> sourceKeys(std::string_view text) { return firstFields(text); }

std::string inflectedLexiconLines(std::string_view wordsText, const JapaneseIndex& japanese,
                                  const std::map<std::string, FullConjugation>& conjugations,
                                  std::set<std::string>& have) {
  std::string out;
  eachLine(wordsText, [&](int, std::string_view line) {
    std::vector<std::string> f = splitOn(line, '\t');
    if (f.size() < 4) return;
    std::vector<std::string> head = splitOn(f[3].substr(0, f[3].find(" |")), ',');
    if (head.size() < 3 || (head[0] != "V" && head[0] != "A")) return;
    auto type = japanese.conjugation.find(head[1]);
    if (type == japanese.conjugation.end()) return;
    auto conj = conjugations.find(type->second);
    if (conj == conjugations.end() || (conj->second.pos == 2) != (head[0] == "V")) return;
    const std::string& base = head[1];
    const std::string& ending = conj->second.ending;
    if (base.size() <= ending.size() || base.compare(base.size() - ending.size(), ending.size(), ending) != 0) return;
    const std::string stem = base.substr(0, base.size() - ending.size());
    if (!have.insert(stem).second) return;
    const int sub = conj->second.pos == 3 ? 0 : (f[1].find("t[0]") != std::string::npos ? 2 : 1);
    out += stem + '\t' + std::to_string(conj->second.pos) + '.' + std::to_string(sub) + '.' +
           std::to_string(conj->second.type) + ".0\t=\t" + f[0] + '\n';
  });
  return out;
}

std::map<char16_t, char16_t> traditionalForms(std::string_view chineseVariants) {
  std::map<char16_t, char16_t> out;
  eachLine(chineseVariants, [&](int, std::string_view line) {
    std::vector<std::string> f = splitOn(line, '\t');
    if (f.size() < 3 || (f[0] != "pair" && f[0] != "st")) return;
    std::u16string s = plat::utf8ToWide(f[1]), t = plat::utf8ToWide(f[2]);
    if (s.size() == 1 && t.size() == 1) out.emplace(s[0], t[0]);
  });
  return out;
}

std::map<char16_t, char16_t> joyoTwins(std::string_view other) {
  std::map<char16_t, std::string> cccii;
  std::set<char16_t> joyo;
  eachLine(other, [&](int, std::string_view line) {
    std::vector<std::string> f = splitOn(line, '\t');
    if (f.size() < 3 || f[0].rfind("U+", 0) != 0) return;
    const unsigned long cp = std::strtoul(f[0].c_str() + 2, nullptr, 16);
    if (cp > 0xFFFF) return;
    if (f[1] == "kCCCII" && f[2].size() >= 6) cccii[static_cast<char16_t>(cp)] = f[2].substr(0, 6);
    if (f[1] == "kJoyoKanji") joyo.insert(static_cast<char16_t>(cp));
  });
  auto layerKey = [](const std::string& code) {
    const unsigned long plane = std::strtoul(code.substr(0, 2).c_str(), nullptr, 16);
    return std::to_string((plane - 0x21) % 6) + code.substr(2);
  };
  std::map<std::string, char16_t> joyoByKey;
  for (char16_t c : joyo)
    if (auto it = cccii.find(c); it != cccii.end()) joyoByKey.emplace(layerKey(it->second), c);
  std::map<char16_t, char16_t> out;
  for (const auto& [c, code] : cccii) {
    if (joyo.count(c)) continue;
    if (auto it = joyoByKey.find(layerKey(code)); it != joyoByKey.end() && it->second != c) out.emplace(c, it->second);
  }
  return out;
}

std::vector<std::string> japaneseSpellings(std::string_view chinese, const std::map<char16_t, char16_t>& forms,
                                           const std::map<char16_t, char16_t>& traditional,
                                           const std::map<char16_t, char16_t>& twins) {
  std::u16string first, second, third;
  for (char16_t c : plat::utf8ToWide(chinese)) {
    char16_t j = c;
    if (!inShiftJis(c)) {
      auto it = forms.find(c);
      if (it == forms.end()) return {};
      j = it->second;
    }
    first.push_back(j);
    char16_t t = j;
    if (auto it = traditional.find(c); it != traditional.end() && inShiftJis(it->second)) t = it->second;
    second.push_back(t);
    auto twin = twins.find(j);
    third.push_back(twin != twins.end() ? twin->second : j);
  }
  std::vector<std::string> out{plat::wideToUtf8(first)};
  if (second != first) out.push_back(plat::wideToUtf8(second));
  if (third != first && third != second) out.push_back(plat::wideToUtf8(third));
  return out;
}

std::string fullCjWords(std::string_view sampleWords, std::string_view coreWords,
                        const std::vector<ChineseListWord>& list, const std::map<std::string, FullTag>& tags,
                        const std::map<std::string, std::string>& falseFriends, const JapaneseIndex& japanese,
                        const std::map<char16_t, char16_t>& forms, const std::map<char16_t, char16_t>& traditional,
                        const std::map<char16_t, char16_t>& twins, int cap, std::string_view sampleLexicon, std::string& lexicon, FullCardSizes& sizes) {
  std::string out(sampleWords);
  if (!out.empty() && out.back() != '\n') out += '\n';
  std::set<std::string> have = firstFields(sampleWords);
  out += "# The hand-made core\n";
  eachLine(coreWords, [&](int, std::string_view line) {
    std::string word(line.substr(0, line.find('\t')));
    if (have.insert(word).second) out += std::string(line) + '\n';
  });
  std::set<std::string> haveJapanese = firstFields(sampleLexicon);
  out += "# Words of the open list, most frequent first\n";
  for (const ChineseListWord& w : list) {
    if (sizes.listed >= cap) break;
    ++sizes.listed;
    if (have.count(w.word)) continue;
    auto tag = tags.find(w.tag);
    if (tag == tags.end()) continue;
    std::string engine;
    if (!chineseToEngineColumn(w.word, engine) || engine.empty()) continue;
    const char category = tag->second.category;
    std::string entry = tag->second.entry, translation, japaneseWord;
    unsigned cls = 0;
    auto ff = falseFriends.find(w.word);
    if (ff != falseFriends.end() && ff->second == "-") continue;
    if (ff != falseFriends.end()) {
      translation = ff->second;
    } else {
      for (const std::string& spelling : japaneseSpellings(w.word, forms, traditional, twins)) {
        auto it = japanese.classes.find(spelling);
        if (it == japanese.classes.end()) continue;
        unsigned c = it->second;
        switch (category) {
          case 'N':
            if (c & (kJpNoun | kJpSuruNoun | kJpAdjectiveStem)) {
              // A person noun counts people; the sources' subclasses give the semantic code.
              const bool person = entry.find("a[H]") != std::string::npos;
              translation = "N," + spelling + (person ? ",N<人>" : ",N0000");
            }
            break;
          case 'V':
            if (c & kJpSuruNoun) translation = "V," + spelling + "する,SHT00";
            break;
          case 'A':
            if (c & kJpAdjectiveStem) translation = "A," + spelling + "な,KYODO";
            break;
          case 'F':
            if (c & kJpAdverb) translation = "F," + spelling + ",FUKU0";
            break;
        }
        if (!translation.empty()) {
          japaneseWord = spelling;
          cls = c;
          break;
        }
      }
    }
    if (translation.empty()) continue;
    if (category == 'N' && entry.find("a[J]") != std::string::npos) {
      if (cls & kJpPerson) entry.replace(entry.find("a[J]"), 4, "a[H]");
      else if (cls & kJpPlace) entry.replace(entry.find("a[J]"), 4, "a[L]");
      else if (cls & kJpTime) entry.replace(entry.find("a[J]"), 4, "a[T]");
    }
    have.insert(w.word);
    ++sizes.translated;
    out += w.word + '\t' + entry + "\t-\t" + translation + '\n';
    // The reverse direction: a noun the Japanese lexicon lacks, with this most frequent word.
    if (!japaneseWord.empty() && haveJapanese.insert(japaneseWord).second) {
      const char* codes = nullptr;
      if (cls & kJpSuruNoun) codes = "6.2.0.0";
      else if (cls & kJpPerson) codes = "6.5.0.0";
      else if (cls & kJpPlace) codes = "6.4.0.0";
      else if (cls & kJpOrganisation) codes = "6.6.0.0";
      else if (cls & kJpTime) codes = "6.10.0.0";
      else if (cls & kJpNoun) codes = "6.1.0.0";
      if (codes) {
        lexicon += japaneseWord + '\t' + codes + "\t=\t" + w.word + '\n';
        ++sizes.japanese;
      }
    }
  }
  return out;
}

}  // namespace datagen
