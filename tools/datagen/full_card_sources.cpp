#include "tools/datagen/full_card_sources.h"

#include <algorithm>
#include <cstdlib>
#include <set>

#include "platform/core/codepage.h"
#include "tools/datagen/full_card_pivot.h"
#include "tools/datagen/jp_dictionary_pair.h"

namespace datagen {

namespace {

bool inShiftJis(char16_t c) {
  std::u16string s(1, c);
  std::string b = plat::wideToMultiByte(932, s);
  return !b.empty() && b != "?" && plat::multiByteToWide(932, b) == s;
}

// The first field of each content line: the words a source already holds.
std::set<std::string> firstFields(std::string_view text) {
  std::set<std::string> words;
  eachContentLine(text, [&](int, std::string_view line) { words.insert(std::string(line.substr(0, line.find('\t')))); });
  return words;
}

}  // namespace

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

bool parseFullTags(std::string_view text, std::map<std::string, FullTag>& out, std::string* error) {
  bool ok = true;
  eachContentLine(text, [&](int number, std::string_view line) {
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
  eachContentLine(text, [&](int number, std::string_view line) {
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

bool parseVerbFrameList(std::string_view text, std::map<std::string, char>& out, std::string* error) {
  static const std::map<std::string, char> kFrames = {{"に", '6'}, {"と", '8'}, {"で", '5'}, {"が", '2'}, {"-", '-'}};
  bool ok = true;
  eachContentLine(text, [&](int number, std::string_view line) {
    std::vector<std::string> f = splitOn(line, '\t');
    auto frame = f.size() == 2 ? kFrames.find(f[1]) : kFrames.end();
    if (f[0].empty() || frame == kFrames.end()) {
      if (ok && error) *error = "verb_frames.txt:" + std::to_string(number) + ": needs word and に, と, で, が or -";
      ok = false;
      return;
    }
    out[f[0]] = frame->second;
  });
  return ok;
}

std::vector<ChineseListWord> parseChineseWordList(std::string_view text) {
  std::vector<ChineseListWord> words;
  eachContentLine(text, [&](int, std::string_view line) {
    std::vector<std::string> f = splitOn(line, ' ');
    if (f.size() < 3 || f[0].empty()) return;
    words.push_back({f[0], std::atol(f[1].c_str()), f[2]});
  });
  std::stable_sort(words.begin(), words.end(),
                   [](const ChineseListWord& a, const ChineseListWord& b) { return a.frequency > b.frequency; });
  return words;
}

void addJapaneseEntries(std::string_view csv, JapaneseIndex& index) {
  std::vector<int> nounCosts, verbCosts, adjectiveCosts;
  eachContentLine(csv, [&](int, std::string_view line) {
    std::vector<std::string> f = splitOn(line, ',');
    if (f.size() < 8 || f[0].empty()) return;
    unsigned cls = 0;
    const std::string &p1 = f[4], &p2 = f[5], &p3 = f[6];
    const int cost = std::atoi(f[3].c_str());
    if (p1 == "名詞") {
      if (p2 == "サ変接続") cls = kJpSuruNoun | kJpCommon;
      else if (p2 == "形容動詞語幹") cls = kJpAdjectiveStem | kJpCommon;
      else if (p2 == "副詞可能") cls = kJpNoun | kJpTime | kJpCommon;
      else if (p2 == "固有名詞" && p3 == "人名") cls = kJpNoun | kJpPerson;
      else if (p2 == "固有名詞" && p3 == "地域") cls = kJpNoun | kJpPlace;
      else if (p2 == "固有名詞" && p3 == "組織") cls = kJpNoun | kJpOrganisation;
      else if (p2 == "一般") cls = kJpNoun | kJpCommon;
      else if (p2 == "固有名詞") cls = kJpNoun;
      if (cls) nounCosts.push_back(cost);
      if (p2 == "接尾" && (p3 == "一般" || p3 == "地域" || p3 == "サ変接続")) index.suffixes.insert(f[0]);
      if (p2 == "接尾" && p3 == "助数詞") {
        auto [it, fresh] = index.counters.emplace(f[0], cost);
        if (!fresh) it->second = std::min(it->second, cost);
      }
    } else if (p1 == "副詞") {
      cls = kJpAdverb;
    } else if (p1 == "接頭詞" && p2 == "名詞接続") {
      index.prefixes.insert(f[0]);
    }
    if ((p1 == "動詞" || p1 == "形容詞") && p2 == "自立" && f.size() > 9 && f[9] == "基本形") {
      index.conjugation.emplace(f[0], f[8]);
      auto [it, fresh] = index.inflectedCost.emplace(f[0], cost);
      if (!fresh) it->second = std::min(it->second, cost);
      (p1 == "動詞" ? verbCosts : adjectiveCosts).push_back(cost);
    }
    if (!cls) return;
    index.classes[f[0]] |= cls;
    auto [it, fresh] = index.cost.emplace(f[0], cost);
    if (!fresh) it->second = std::min(it->second, cost);
  });
  auto median = [](std::vector<int>& v, int old) {
    if (v.empty()) return old;
    std::nth_element(v.begin(), v.begin() + static_cast<long>(v.size() / 2), v.end());
    return v[v.size() / 2];
  };
  index.nounMedian = median(nounCosts, index.nounMedian);
  index.verbMedian = median(verbCosts, index.verbMedian);
  index.adjectiveMedian = median(adjectiveCosts, index.adjectiveMedian);
}

std::string verbAspectDigits(int sub) { return sub == 2 ? "12" : "13"; }

int weightOfCost(int cost, int median) {
  // Two thousand cost units a step: the IPA costs of one class spread over about ten thousand.
  const int step = (cost - median) / 2000;
  return 10 + std::clamp(step, -2, 2);
}

bool parseFullConjugations(std::string_view text, std::map<std::string, FullConjugation>& out, std::string* error) {
  bool ok = true;
  eachContentLine(text, [&](int number, std::string_view line) {
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

std::string stemKey(std::string_view stem, int pos, int type) {
  return std::string(stem) + '\t' + std::to_string(pos) + '.' + std::to_string(type);
}

std::set<std::string> lexiconStemKeys(std::string_view lexicon) {
  std::set<std::string> keys;
  eachContentLine(lexicon, [&](int, std::string_view line) {
    std::vector<std::string> f = splitOn(line, '\t');
    if (f.size() < 2) return;
    std::vector<std::string> codes = splitOn(f[1], '.');
    if (codes.size() == 4) keys.insert(stemKey(f[0], std::atoi(codes[0].c_str()), std::atoi(codes[2].c_str())));
  });
  return keys;
}

std::string stemOf(const std::string& base, const FullConjugation& conj) {
  const std::string& ending = conj.ending;
  if (base.size() <= ending.size() || base.compare(base.size() - ending.size(), ending.size(), ending) != 0) return {};
  return base.substr(0, base.size() - ending.size());
}

int inflectedWeight(const JapaneseIndex& japanese, const std::string& base, int pos) {
  auto it = japanese.inflectedCost.find(base);
  if (it == japanese.inflectedCost.end()) return 10;
  return weightOfCost(it->second, pos == 2 ? japanese.verbMedian : japanese.adjectiveMedian);
}

std::string lexiconLine(const std::string& stem, int pos, int sub, int type, const std::string& chinese,
                        const std::string& code, int weight) {
  const std::string field = pos == 2 ? verbAspectDigits(sub) : std::string();
  return stem + '\t' + std::to_string(pos) + '.' + std::to_string(sub) + '.' + std::to_string(type) + ".0\t=\t" +
         chinese + '\t' + code + '\t' + field + "\t\t" + std::to_string(weight) + '\n';
}

std::string inflectedLexiconLines(std::string_view wordsText, const JapaneseIndex& japanese,
                                  const std::map<std::string, FullConjugation>& conjugations,
                                  std::set<std::string>& have) {
  std::string out;
  eachContentLine(wordsText, [&](int, std::string_view line) {
    std::vector<std::string> f = splitOn(line, '\t');
    if (f.size() < 4) return;
    std::vector<std::string> head = splitOn(f[3].substr(0, f[3].find(" |")), ',');
    if (head.size() < 3 || (head[0] != "V" && head[0] != "A")) return;
    // A サ変 verb of a noun and する (準備する): the noun's stem, like the sample's 勉強.
    const std::string suru = "する";
    if (head[0] == "V" && head[2].rfind("SH", 0) == 0 && head[1].size() > suru.size() &&
        head[1].compare(head[1].size() - suru.size(), suru.size(), suru) == 0) {
      const std::string stem = head[1].substr(0, head[1].size() - suru.size());
      if (!have.insert(stemKey(stem, 2, 16)).second) return;
      const int sub = head[2].rfind("SHZ", 0) == 0 || f[1].find("t[0]") != std::string::npos ? 2 : 1;
      auto cost = japanese.cost.find(stem);
      out += lexiconLine(stem, 2, sub, 16, f[0], sub == 2 ? "V1" : "VT",
                         cost == japanese.cost.end() ? 10 : weightOfCost(cost->second, japanese.nounMedian));
      return;
    }
    auto type = japanese.conjugation.find(head[1]);
    if (type == japanese.conjugation.end()) return;
    auto conj = conjugations.find(type->second);
    if (conj == conjugations.end() || (conj->second.pos == 2) != (head[0] == "V")) return;
    const FullConjugation& c = conj->second;
    const std::string stem = stemOf(head[1], c);
    if (stem.empty() || !have.insert(stemKey(stem, c.pos, c.type)).second) return;
    const int sub = c.pos == 3 ? 0 : (f[1].find("t[0]") != std::string::npos ? 2 : 1);
    out += lexiconLine(stem, c.pos, sub, c.type, f[0], c.pos == 3 ? "A" : sub == 2 ? "V1" : "VT",
                       inflectedWeight(japanese, head[1], c.pos));
  });
  return out;
}

namespace {

bool isKanji(char16_t c) { return (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || c == u'々'; }
bool isHiragana(char16_t c) { return c >= 0x3041 && c <= 0x3096; }

// The kana of a row that ends in the a sound, and the e-row kana of the same consonant.
const std::u16string kARow = u"かがさざただなはばぱまらわ";
const std::u16string kERow = u"けげせぜてでねへべぺめれえ";

bool isVerbOfType(const std::map<std::u16string, std::string>& verbs, const std::u16string& base, std::string_view type) {
  auto it = verbs.find(base);
  return it != verbs.end() && it->second.rfind(type, 0) == 0;
}

// Transitivity that a verb's twins show (the IPA dictionary marks none): 1 transitive,
// 2 intransitive, 3 either or unknown. A verb in す is transitive, and its twins in る, れる, える,
// きる/ちる/りる/びる (起こす/起きる) and える/ける/れる (冷やす/冷える, 溶かす/溶ける, 慣らす/慣れる)
// are intransitive; an -aru verb beside its -eru twin is intransitive and the twin transitive
// (上がる/上げる).
int transitivity(const std::u16string& base, const std::string& ipaType,
                 const std::map<std::u16string, std::string>& verbs) {
  if (ipaType.rfind("五段・サ行", 0) == 0) return 1;
  if (base.size() < 2 || base.back() != u'る') return 3;
  const std::u16string head = base.substr(0, base.size() - 1), stem2 = base.substr(0, base.size() - 2);
  const char16_t k = base[base.size() - 2];
  if (isVerbOfType(verbs, head + u"す", "五段・サ行")) return 2;  // 回る, 出る
  if (ipaType == "一段") {
    static const std::u16string from = u"れえきちりびえけれ";
    static const std::u16string to[] = {u"す", u"す", u"こす", u"とす", u"ろす", u"ぼす", u"やす", u"かす", u"らす"};
    for (std::size_t i = 0; i < from.size(); ++i)
      if (k == from[i] && isVerbOfType(verbs, stem2 + to[i], "五段・サ行")) return 2;
  }
  const std::size_t a = kARow.find(k), e = kERow.find(k);
  if (a != std::u16string::npos && ipaType.rfind("五段・ラ行", 0) == 0 && isVerbOfType(verbs, stem2 + kERow[a] + u"る", "一段"))
    return 2;
  if (e != std::u16string::npos && ipaType == "一段" && isVerbOfType(verbs, stem2 + kARow[e] + u"る", "五段・ラ行"))
    return 1;
  return 3;
}

// A kana tail that holds another word (乗りこむ: こむ, 付きまとう: まとう): a compound whose
// first kanji alone does not give its meaning.
bool tailHoldsWord(const std::u16string& tail, const std::map<std::string, std::string>& inflected, bool adjective) {
  // An adjective's whole tail may be one (小うるさい); a verb's is its own ending (起きる, not 着る).
  if (adjective && tail.size() >= 3 && inflected.count(plat::wideToUtf8(tail))) return true;
  for (std::size_t i = 1; i + 2 <= tail.size(); ++i)
    if (inflected.count(plat::wideToUtf8(tail.substr(i)))) return true;
  return false;
}

}  // namespace

std::string bulkInflectedLines(const std::vector<ChineseListWord>& list, const std::map<std::string, FullTag>& tags,
                               const std::map<std::string, std::string>& falseFriends, const JapaneseIndex& japanese,
                               const std::map<std::string, FullConjugation>& conjugations,
                               const std::map<char16_t, char16_t>& forms, const TraditionalForms& traditional,
                               const std::map<char16_t, char16_t>& twins, int cap, std::set<std::string>& have,
                               int& added) {
  // Japanese spelling -> the most frequent Chinese verb or adjective written so.
  std::map<std::string, std::string> verbs, adjectives;
  int looked = 0;
  for (const ChineseListWord& w : list) {
    if (looked++ >= cap) break;
    auto tag = tags.find(w.tag);
    if (tag == tags.end() || (tag->second.category != 'V' && tag->second.category != 'A')) continue;
    if (falseFriends.count(w.word)) continue;
    std::string engine;
    if (!chineseToEngineColumn(w.word, engine) || engine.empty()) continue;
    auto& to = tag->second.category == 'V' ? verbs : adjectives;
    for (const std::string& spelling : japaneseSpellings(w.word, forms, traditional, twins)) to.emplace(spelling, w.word);
  }
  std::map<std::u16string, std::string> japaneseVerbs;
  for (const auto& [base, type] : japanese.conjugation) {
    auto conj = conjugations.find(type);
    if (conj != conjugations.end() && conj->second.pos == 2) japaneseVerbs.emplace(plat::utf8ToWide(base), type);
  }
  std::string out;
  for (const auto& [base, type] : japanese.conjugation) {
    auto conj = conjugations.find(type);
    if (conj == conjugations.end()) continue;
    const FullConjugation& c = conj->second;
    const std::u16string wide = plat::utf8ToWide(base);
    std::size_t k = 0;
    while (k < wide.size() && isKanji(wide[k])) ++k;
    if (k == 0 || k == wide.size() || !std::all_of(wide.begin() + static_cast<long>(k), wide.end(), isHiragana)) continue;
    if (tailHoldsWord(wide.substr(k), japanese.conjugation, c.pos == 3)) continue;
    const std::u16string kanji = wide.substr(0, k);
    const auto& translations = c.pos == 2 ? verbs : adjectives;
    auto chinese = translations.find(plat::wideToUtf8(kanji));
    if (chinese == translations.end()) continue;
    const std::string stem = stemOf(base, c);
    if (stem.empty() || !have.insert(stemKey(stem, c.pos, c.type)).second) continue;
    const int sub = c.pos == 3 ? 0 : transitivity(wide, type, japaneseVerbs);
    const char* code = c.pos == 3 ? "A" : sub == 1 ? "VT" : sub == 2 ? "V1" : "";
    out += lexiconLine(stem, c.pos, sub, c.type, chinese->second, code, inflectedWeight(japanese, base, c.pos));
    ++added;
  }
  return out;
}

std::map<char16_t, std::string> certainReadings(std::string_view hanziTable) {
  std::map<char16_t, std::string> out;
  eachContentLine(hanziTable, [&](int, std::string_view line) {
    std::vector<std::string> f = splitOn(line, ' ');
    if (f.size() < 3 || f[0] != "hanzi" || f[2].empty() || f[2].find(',') != std::string::npos) return;
    std::u16string c = plat::utf8ToWide(f[1]);
    if (c.size() == 1) out.emplace(c[0], f[2]);
  });
  return out;
}

std::string withCertainReadings(std::string_view words, const std::map<char16_t, std::string>& readings) {
  std::string out;
  out.reserve(words.size() + words.size() / 4);
  std::size_t start = 0;
  while (start < words.size()) {
    std::size_t end = words.find('\n', start);
    if (end == std::string_view::npos) end = words.size();
    std::string line(words.substr(start, end - start));
    start = end + 1;
    std::vector<std::string> f = splitOn(line, '\t');
    if (!line.empty() && line[0] != '#' && f.size() >= 4 && f[2] == "-") {
      std::string reading;
      for (char16_t c : plat::utf8ToWide(f[0])) {
        auto it = readings.find(c);
        if (it == readings.end()) {
          reading.clear();
          break;
        }
        reading += it->second;
      }
      if (!reading.empty()) line = f[0] + '\t' + f[1] + '\t' + reading + line.substr(f[0].size() + f[1].size() + 3);
    }
    out += line;
    if (end < words.size()) out += '\n';
  }
  return out;
}

TraditionalForms traditionalForms(std::string_view chineseVariants) {
  TraditionalForms out;
  eachContentLine(chineseVariants, [&](int, std::string_view line) {
    std::vector<std::string> f = splitOn(line, '\t');
    if (f.size() < 3 || (f[0] != "pair" && f[0] != "st")) return;
    std::u16string s = plat::utf8ToWide(f[1]);
    if (s.size() != 1) return;
    std::vector<char16_t>& to = out[s[0]];
    for (std::size_t i = 2; i < f.size(); ++i) {
      std::u16string t = plat::utf8ToWide(f[i]);
      if (t.size() == 1 && std::find(to.begin(), to.end(), t[0]) == to.end()) to.push_back(t[0]);
    }
  });
  return out;
}

void addUnihanTraditional(std::string_view unihanVariants, TraditionalForms& out) {
  eachContentLine(unihanVariants, [&](int, std::string_view line) {
    std::vector<std::string> f = splitOn(line, '\t');
    if (f.size() < 3 || f[1] != "kTraditionalVariant" || f[0].rfind("U+", 0) != 0) return;
    const unsigned long cp = std::strtoul(f[0].c_str() + 2, nullptr, 16);
    if (cp > 0xFFFF) return;
    std::vector<char16_t>& to = out[static_cast<char16_t>(cp)];
    for (const std::string& v : splitOn(f[2], ' ')) {
      if (v.rfind("U+", 0) != 0) continue;
      const unsigned long t = std::strtoul(v.c_str() + 2, nullptr, 16);
      if (t != cp && t <= 0xFFFF && std::find(to.begin(), to.end(), static_cast<char16_t>(t)) == to.end())
        to.push_back(static_cast<char16_t>(t));
    }
  });
}

std::map<char16_t, char16_t> joyoTwins(std::string_view other) {
  std::map<char16_t, std::string> cccii;
  std::set<char16_t> joyo;
  std::map<char16_t, char16_t> named;
  eachContentLine(other, [&](int, std::string_view line) {
    std::vector<std::string> f = splitOn(line, '\t');
    if (f.size() < 3 || f[0].rfind("U+", 0) != 0) return;
    const unsigned long cp = std::strtoul(f[0].c_str() + 2, nullptr, 16);
    if (cp > 0xFFFF) return;
    if (f[1] == "kCCCII" && f[2].size() >= 6) cccii[static_cast<char16_t>(cp)] = f[2].substr(0, 6);
    if (f[1] == "kJoyoKanji") joyo.insert(static_cast<char16_t>(cp));
    // An old form of the name kanji list names its new form ("2010:U+5897" for 增).
    if (f[1] == "kJinmeiyoKanji" && f[2].find(":U+") != std::string::npos) {
      const unsigned long to = std::strtoul(f[2].c_str() + f[2].find(":U+") + 3, nullptr, 16);
      if (to <= 0xFFFF && to != cp) named.emplace(static_cast<char16_t>(cp), static_cast<char16_t>(to));
    }
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
  for (const auto& [c, to] : named)
    if (joyo.count(to)) out.emplace(c, to);
  return out;
}

std::vector<std::string> japaneseSpellings(std::string_view chinese, const std::map<char16_t, char16_t>& forms,
                                           const TraditionalForms& traditional,
                                           const std::map<char16_t, char16_t>& twins) {
  std::vector<std::vector<char16_t>> choices;
  for (char16_t c : plat::utf8ToWide(chinese)) {
    std::vector<char16_t> mine;
    auto add = [&](char16_t x) {
      if (std::find(mine.begin(), mine.end(), x) != mine.end()) return;
      mine.push_back(x);
      if (auto twin = twins.find(x); twin != twins.end() && std::find(mine.begin(), mine.end(), twin->second) == mine.end())
        mine.push_back(twin->second);
    };
    if (inShiftJis(c)) {
      add(c);
    } else if (auto it = forms.find(c); it != forms.end()) {
      add(it->second);
    } else {
      return {};
    }
    if (auto it = traditional.find(c); it != traditional.end())
      for (char16_t t : it->second)
        if (inShiftJis(t)) add(t);
    choices.push_back(std::move(mine));
  }
  // Every combination, the last character's choice turning fastest.
  std::vector<std::string> out;
  std::vector<std::size_t> at(choices.size(), 0);
  while (out.size() < kMaxSpellings) {
    std::u16string word;
    for (std::size_t i = 0; i < choices.size(); ++i) word.push_back(choices[i][at[i]]);
    out.push_back(plat::wideToUtf8(word));
    std::size_t i = choices.size();
    while (i > 0 && ++at[i - 1] == choices[i - 1].size()) at[--i] = 0;
    if (i == 0) break;
  }
  return out;
}

std::set<std::string> classifierWords(std::string_view words) {
  std::set<std::string> out;
  eachContentLine(words, [&](int, std::string_view line) {
    const std::size_t tab = line.find('\t');
    if (tab != std::string_view::npos && tab + 1 < line.size() && line[tab + 1] == 'S')
      out.insert(std::string(line.substr(0, tab)));
  });
  return out;
}

bool isNumeralAndClassifier(std::string_view word, const std::set<std::string>& classifiers) {
  static constexpr std::string_view kNumerals[] = {"一", "二", "三", "四", "五", "六", "七", "八",
                                                   "九", "十", "两", "百", "千", "万", "几"};
  std::size_t at = 0;
  for (bool more = true; more && at < word.size();) {
    more = false;
    for (std::string_view d : kNumerals) {
      if (word.substr(at, d.size()) == d) {
        at += d.size();
        more = true;
        break;
      }
    }
  }
  return at > 0 && at < word.size() && classifiers.count(std::string(word.substr(at)));
}

void dropNumeralClassifierWords(std::vector<ChineseListWord>& list, std::string_view cardWords) {
  const std::set<std::string> classifiers = classifierWords(cardWords);
  std::erase_if(list, [&](const ChineseListWord& w) { return isNumeralAndClassifier(w.word, classifiers); });
}

std::string fullCjWords(std::string_view sampleWords, std::string_view coreWords,
                        const std::vector<ChineseListWord>& list, const std::map<std::string, FullTag>& tags,
                        const std::map<std::string, std::string>& falseFriends, const JapaneseIndex& japanese,
                        const std::map<char16_t, char16_t>& forms, const TraditionalForms& traditional,
                        const std::map<char16_t, char16_t>& twins, int cap, std::string_view sampleLexicon,
                        std::string& lexicon, FullCardSizes& sizes, const std::map<std::string, char>& frames) {
  std::string out(sampleWords);
  if (!out.empty() && out.back() != '\n') out += '\n';
  std::set<std::string> have = firstFields(sampleWords);
  out += "# The hand-made core\n";
  eachContentLine(coreWords, [&](int, std::string_view line) {
    std::string word(line.substr(0, line.find('\t')));
    if (have.insert(word).second) out += std::string(line) + '\n';
  });
  std::set<std::string> haveJapanese = firstFields(sampleLexicon);
  std::set<std::string> haveStems = lexiconStemKeys(sampleLexicon);
  out += std::string(kOpenListHeading) + ", most frequent first\n";
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
      if (translation.find("<人>") == std::string::npos && entry.find("a[H]") != std::string::npos)
        entry.replace(entry.find("a[H]"), 4, "a[J]");  // 钟, tagged a name, corrected to a thing
    } else {
      // Of the spellings the IPA dictionary holds in a class the category takes, the word's own
      // characters where they are one (it comes first), else the most frequent.
      int best = 0;
      for (const std::string& spelling : japaneseSpellings(w.word, forms, traditional, twins)) {
        auto it = japanese.classes.find(spelling);
        if (it == japanese.classes.end()) continue;
        const unsigned c = it->second;
        std::string found;
        switch (category) {
          case 'N':
            if (c & (kJpNoun | kJpSuruNoun | kJpAdjectiveStem)) {
              // A person noun counts people; a name-tagged word that spells a common noun is none.
              const bool person = entry.find("a[H]") != std::string::npos && !(c & kJpCommon);
              found = "N," + spelling + (person ? ",N<人>" : ",N0000");
            }
            break;
          case 'V':
            // A verb that the list's tag also takes for a noun (vn: 发展) keeps the noun's sense.
            if ((c & kJpSuruNoun) && entry.find("U[N]") != std::string::npos)
              found = "N," + spelling + ",N0000 | V," + spelling + "する,SHT00";
            else if (c & kJpSuruNoun)
              found = "V," + spelling + "する,SHT00";
            else if ((c & kJpNoun) && entry.find("U[N]") != std::string::npos)
              found = "N," + spelling + ",N0000";  // a vn word whose Japanese is a plain noun (经费: 経費)
            break;
          case 'A':
            if (c & kJpAdjectiveStem) found = "A," + spelling + "だ,KYODO";  // as the sample: だ ends, な before a noun
            break;
          case 'F':
            if (c & kJpAdverb) found = "F," + spelling + ",FUKU0";
            break;
        }
        if (found.empty()) continue;
        const int cost = japanese.cost.at(spelling);
        if (translation.empty() || cost < best) {
          translation = found;
          japaneseWord = spelling;
          cls = c;
          best = cost;
        }
        if (spelling == w.word) break;  // written the same in both languages (制, not 製)
      }
    }
    if (translation.empty()) continue;
    if (auto frame = frames.find(w.word); frame != frames.end() && category == 'V' && ff == falseFriends.end()) {
      const std::size_t at = translation.find(",SHT00");
      if (at != std::string::npos)
        translation.replace(at, 6, frame->second == '-' ? std::string(",SHZ00") : std::string(",SHZ00,") + frame->second);
      if (frame->second == '-' && entry.find("t[1]") != std::string::npos) entry.replace(entry.find("t[1]"), 4, "t[0]");
    }
    // The IPA subclasses give the semantic code; a name only where the spelling is no common noun
    // (林, 市場 and 結果 are surnames too).
    if (category == 'N' && (cls & kJpCommon) && entry.find("a[H]") != std::string::npos)
      entry.replace(entry.find("a[H]"), 4, "a[J]");
    if (w.tag == "ns" && (cls & kJpCommon) && !(cls & kJpPlace) && entry.find("a[L]") != std::string::npos)
      entry.replace(entry.find("a[L]"), 4, "a[J]");  // 新鲜, tagged a place name, spells 新鮮
    if (category == 'N' && entry.find("a[J]") != std::string::npos) {
      if ((cls & kJpPerson) && !(cls & kJpCommon)) entry.replace(entry.find("a[J]"), 4, "a[H]");
      else if ((cls & kJpPlace) && !(cls & kJpCommon)) entry.replace(entry.find("a[J]"), 4, "a[L]");
      else if (cls & kJpTime) entry.replace(entry.find("a[J]"), 4, "a[T]");
    }
    have.insert(w.word);
    ++sizes.translated;
    out += w.word + '\t' + entry + "\t-\t" + translation + '\n';
    // The reverse direction: a noun the Japanese lexicon lacks, with this most frequent word.
    if (!japaneseWord.empty() && haveJapanese.insert(japaneseWord).second) {
      const char* codes = nullptr;
      if (cls & kJpSuruNoun) codes = "6.2.0.0";
      else if (category == 'A' && (cls & kJpAdjectiveStem)) codes = "3.0.21.0";
      else if (cls & kJpTime) codes = "6.10.0.0";
      else if ((cls & kJpPerson) && !(cls & kJpCommon)) codes = "6.5.0.0";
      else if ((cls & kJpPlace) && !(cls & kJpCommon)) codes = "6.4.0.0";
      else if ((cls & kJpOrganisation) && !(cls & kJpCommon)) codes = "6.6.0.0";
      else if (cls & kJpNoun) codes = "6.1.0.0";
      if (codes) {
        const int weight = weightOfCost(japanese.cost.at(japaneseWord), japanese.nounMedian);
        lexicon += japaneseWord + '\t' + codes + "\t=\t" + w.word + '\t' + (codes[0] == '3' ? "A" : "") + "\t\t\t" +
                   std::to_string(weight) + '\n';
        ++sizes.japanese;
      }
    }
    // A Chinese verb spelling a サ変 noun: the noun with する is a verb too, so that tense and aspect
    // reach it (結婚した: 结婚了), intransitive where the frame list or the tag says so.
    if (category == 'V' && (cls & kJpSuruNoun) && !japaneseWord.empty() &&
        haveStems.insert(stemKey(japaneseWord, 2, 16)).second) {
      const int sub = translation.find(",SHZ00") != std::string::npos || entry.find("t[0]") != std::string::npos ? 2 : 1;
      lexicon += lexiconLine(japaneseWord, 2, sub, 16, w.word, sub == 2 ? "V1" : "VT",
                             weightOfCost(japanese.cost.at(japaneseWord), japanese.nounMedian));
      ++sizes.japanese;
    }
  }
  return out;
}

}  // namespace datagen
