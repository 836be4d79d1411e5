#include "tools/datagen/full_card_same_characters.h"

#include <set>

#include "platform/core/codepage.h"
#include "tools/datagen/jp_dictionary_pair.h"

namespace datagen {

namespace {

// The fields of each lexicon line of two or more fields; continuation lines (+) left out.
template <typename F>
void eachLexiconLine(std::string_view text, F&& each) {
  eachContentLine(text, [&](int, std::string_view line) {
    if (line[0] == '+') return;
    const std::vector<std::string> f = splitOn(line, '\t');
    if (f.size() >= 2) each(f);
  });
}

// A stem line: a verb (2) or an inflecting adjective (3, any type but the na-adjectives' 21).
bool isStemLine(const std::vector<std::string>& f) {
  const std::size_t dot = f[1].find('.');
  if (dot == std::string::npos) return false;
  const std::string pos = f[1].substr(0, dot);
  if (pos == "2") return true;
  return pos == "3" && f[1].rfind("3.0.21.", 0) != 0;
}

bool allKanji(const std::u16string& w) {
  for (char16_t c : w)
    if (!((c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || c == u'々')) return false;
  return true;
}

// Tags of words that name things or qualities though the card's classes leave them out: words of
// distinction (中立, 同一), of place (东侧), numerals (一夜), pronouns (各国).
const std::set<std::string> kOtherTags = {"b", "f", "m", "r"};

struct ChineseOf {
  std::string word;
  char category = 0;
  bool intransitive = false;
};

// The Japanese word of a correction's first rendering ("V,発見する,SHT00": 発見), without する or
// だ; empty for "-".
std::string correctedSpelling(const std::string& translation) {
  const std::string first = translation.substr(0, translation.find(" |"));
  const std::size_t a = first.find(','), b = a == std::string::npos ? a : first.find(',', a + 1);
  if (b == std::string::npos) return {};
  std::string word = first.substr(a + 1, b - a - 1);
  for (const std::string tail : {"する", "だ"})
    if (word.size() > tail.size() && word.compare(word.size() - tail.size(), tail.size(), tail) == 0)
      word.resize(word.size() - tail.size());
  return word;
}

}  // namespace

std::set<std::string> lexiconWordKeys(std::string_view lexicon) {
  std::set<std::string> keys;
  eachLexiconLine(lexicon, [&](const std::vector<std::string>& f) {
    if (!isStemLine(f)) keys.insert(f[0]);
  });
  return keys;
}

std::string sameCharactersJcLines(std::string_view lexicon, const std::vector<ChineseListWord>& list,
                                  const std::map<std::string, FullTag>& tags,
                                  const std::map<std::string, std::string>& falseFriends,
                                  const JapaneseIndex& japanese, const std::map<char16_t, char16_t>& forms,
                                  const TraditionalForms& traditional, const std::map<char16_t, char16_t>& twins,
                                  int cap, int& added) {
  std::set<std::string> words = lexiconWordKeys(lexicon);
  std::set<std::string> stems = lexiconStemKeys(lexicon);
  const auto nounWeight = [&](const std::string& sp) {
    return std::to_string(weightOfCost(japanese.cost.at(sp), japanese.nounMedian));
  };
  std::string out;
  // サ変 nouns that stand only as verb stems: the noun takes the verb's Chinese word.
  eachLexiconLine(lexicon, [&](const std::vector<std::string>& f) {
    if (f.size() < 4 || f[3].empty() || f[1].rfind("2.", 0) != 0 || f[1].find(".16.") == std::string::npos) return;
    auto cls = japanese.classes.find(f[0]);
    // One kanji (帰 of 帰する) would be read inside the verbs it starts (帰る).
    if (cls == japanese.classes.end() || !(cls->second & kJpSuruNoun) || plat::utf8ToWide(f[0]).size() < 2 ||
        !words.insert(f[0]).second)
      return;
    out += f[0] + "\t6.2.0.0\t=\t" + f[3] + "\t\t\t\t" + nounWeight(f[0]) + '\n';
    ++added;
  });
  // Japanese spelling -> the most frequent list word written so, of a tag of the card's classes.
  std::map<std::string, ChineseOf> byKanji;
  int looked = 0;
  for (const ChineseListWord& w : list) {
    if (looked++ >= cap) break;
    auto tag = tags.find(w.tag);
    const bool other = kOtherTags.count(w.tag) != 0;
    if (tag == tags.end() && !other) continue;
    // A corrected word keeps only the Japanese word its correction names (发现: 発見する).
    std::string corrected;
    if (auto ff = falseFriends.find(w.word); ff != falseFriends.end() && !(corrected = correctedSpelling(ff->second)).size())
      continue;
    if (tag != tags.end() && tag->second.entry.find("a[H]") != std::string::npos) continue;
    std::string engine;
    if (!chineseToEngineColumn(w.word, engine) || engine.empty() || plat::utf8ToWide(w.word).size() < 2) continue;
    const ChineseOf of{w.word, other ? '\0' : tag->second.category,
                       !other && tag->second.entry.find("t[0]") != std::string::npos};
    for (const std::string& spelling : japaneseSpellings(w.word, forms, traditional, twins))
      if (corrected.empty() || spelling == corrected) byKanji.emplace(spelling, of);
  }
  for (const auto& [sp, cls] : japanese.classes) {
    if (!(cls & (kJpCommon | kJpAdverb)) || words.count(sp)) continue;
    const std::u16string wide = plat::utf8ToWide(sp);
    if (wide.size() < 2 || !allKanji(wide)) continue;
    auto found = byKanji.find(sp);
    if (found == byKanji.end()) continue;
    const ChineseOf& c = found->second;
    std::string line;
    // The class the Chinese word's category names, where the Japanese word has it.
    if (c.category == 'V' && (cls & kJpSuruNoun)) {
      line = sp + "\t6.2.0.0\t=\t" + c.word + "\t\t\t\t" + nounWeight(sp) + '\n';
      if (stems.insert(stemKey(sp, 2, 16)).second) {
        const int sub = c.intransitive ? 2 : 1;
        line += lexiconLine(sp, 2, sub, 16, c.word, sub == 2 ? "V1" : "VT", std::stoi(nounWeight(sp)));
      }
    } else if (c.category == 'A' && (cls & kJpAdjectiveStem)) {
      line = sp + "\t3.0.21.0\t=\t" + c.word + "\tA\t\t\t" + nounWeight(sp) + '\n';
    } else if (c.category == 'F' && (cls & kJpAdverb)) {
      line = sp + "\t8.6.0.0\t=\t" + c.word + "\t\t\t\t" + nounWeight(sp) + '\n';
    } else {
      // Else the Japanese word's own class.
      const char* codes = (cls & kJpSuruNoun)        ? "6.2.0.0"
                          : (cls & kJpAdjectiveStem) ? "3.0.21.0"
                          : (cls & kJpTime)          ? "6.10.0.0"
                          : (cls & kJpNoun)          ? "6.1.0.0"
                                                     : "8.6.0.0";
      line = sp + '\t' + codes + "\t=\t" + c.word + '\t' + (codes[0] == '3' ? "A" : "") + "\t\t\t" + nounWeight(sp) + '\n';
    }
    words.insert(sp);
    out += line;
    ++added;
  }
  return out;
}

}  // namespace datagen
