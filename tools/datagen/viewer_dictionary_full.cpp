#include "tools/datagen/viewer_dictionary_full.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <unordered_map>
#include <vector>

#include "platform/core/codepage.h"
#include "tools/datagen/full_card_pivot.h"
#include "tools/datagen/pinyin_spelling.h"

namespace datagen {

namespace {

std::vector<std::string_view> splitView(std::string_view s, char sep) {
  std::vector<std::string_view> out;
  std::size_t at = 0;
  for (;;) {
    std::size_t end = s.find(sep, at);
    if (end == std::string_view::npos) {
      out.push_back(s.substr(at));
      return out;
    }
    out.push_back(s.substr(at, end - at));
    at = end + 1;
  }
}

template <typename F>
void eachLine(std::string_view text, F f) {
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    at = end + 1;
    if (!line.empty() && line[0] != '#') f(line);
  }
}

// The headwords of a viewer source: the keys of each line.
std::set<std::string> viewerKeys(std::string_view text) {
  std::set<std::string> out;
  eachLine(text, [&](std::string_view line) {
    for (std::string_view k : splitView(line.substr(0, line.find('\t')), '|')) out.emplace(k);
  });
  return out;
}

// The index key of a reading: the syllables in capitals, then the tone digits of those not neutral.
std::string pinyinKey(const std::vector<PinyinSyllable>& syllables) {
  std::string letters, tones;
  for (const auto& s : syllables) {
    for (char c : s.letters) letters += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    if (s.tone >= 1 && s.tone <= 4) tones += static_cast<char>('0' + s.tone);
  }
  return letters + tones;
}

std::string markedSyllable(const PinyinSyllable& s) {
  static const char* marks[6][4] = {{"ā", "á", "ǎ", "à"}, {"ē", "é", "ě", "è"}, {"ī", "í", "ǐ", "ì"},
                                    {"ō", "ó", "ǒ", "ò"}, {"ū", "ú", "ǔ", "ù"}, {"ǖ", "ǘ", "ǚ", "ǜ"}};
  const std::string vowels = "aeiouv";
  const std::string& l = s.letters;
  // The mark goes on a or e, on the o of ou, else on the last vowel.
  std::size_t at = l.find_first_of("ae");
  if (at == std::string::npos) at = l.find("ou");
  if (at == std::string::npos) at = l.find_last_of(vowels);
  std::string out;
  for (std::size_t i = 0; i < l.size(); ++i) {
    if (i == at && s.tone >= 1 && s.tone <= 4) {
      out += marks[vowels.find(l[i])][s.tone - 1];
    } else if (l[i] == 'v') {
      out += "ü";
    } else {
      out += l[i];
    }
  }
  return out;
}

std::string hiragana(std::u16string_view katakana) {
  std::u16string out(katakana);
  for (char16_t& c : out)
    if (c >= u'ァ' && c <= u'ヶ') c = static_cast<char16_t>(c - 0x60);
  return plat::wideToUtf8(out);
}

const char* cjLabel(std::string_view kind) {
  static const std::map<std::string_view, const char*> labels = {
      {"N", "〔名〕"}, {"V", "〔動〕"}, {"A", "〔形〕"}, {"F", "〔副〕"}, {"Q", "〔量〕"}, {"R", "〔代〕"}};
  auto it = labels.find(kind);
  return it == labels.end() ? "" : it->second;
}

const char* pivotLabel(unsigned classes) {
  if (classes & kPvNoun) return "〔名〕";
  if (classes & kPvVerb) return "〔動〕";
  if (classes & kPvAdjective) return "〔形〕";
  if (classes & kPvAdverb) return "〔副〕";
  return "";
}

// Sorts a source's lines by the key that orders them: `pinyin` the first key of letters, else the
// first key. The first lines (the sample card's) keep their place among equal keys.
std::string sortedByReading(const std::string& text, bool pinyin) {
  std::vector<std::pair<std::string, std::string>> lines;  // key, line
  std::string comments;
  eachLine(text, [&](std::string_view line) {
    auto keys = splitView(line.substr(0, line.find('\t')), '|');
    std::string_view key = keys[0];
    if (pinyin)
      for (std::string_view k : keys)
        if (!k.empty() && k[0] >= 'A' && k[0] <= 'Z') {
          key = k;
          break;
        }
    lines.emplace_back(std::string(key), std::string(line));
  });
  std::stable_sort(lines.begin(), lines.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::string out;
  for (const auto& [key, line] : lines) out += line + '\n';
  return out;
}

// A Japanese entry: its kana key and headword, the bold line "reading【headword】" (a word written
// in kana alone: the word), its class and Chinese.
std::string jcLine(const std::u16string& kana, const std::string& headword, const std::string& label,
                   const std::string& chinese) {
  const std::string half = plat::wideToUtf8(halfWidthKatakana(kana));
  const bool kanaOnly = plat::wideToUtf8(halfWidthKatakana(plat::utf8ToWide(headword))) == half;
  return half + (kanaOnly ? "" : "|" + headword) + "\t{B}" + (kanaOnly ? headword : hiragana(kana) + "【" + headword + "】") +
         "\\n{J}" + label + "{C}" + chinese + "\\n\n";
}

const char* jcLabel(std::string_view ipaPos) {
  if (ipaPos == "名詞") return "〔名〕";
  if (ipaPos == "動詞") return "〔動〕";
  if (ipaPos == "形容詞") return "〔形〕";
  if (ipaPos == "副詞") return "〔副〕";
  return "";
}

// CC-CEDICT writes ü as "u:".
std::optional<std::vector<PinyinSyllable>> cedictPinyin(std::string_view reading) {
  std::string r(reading);
  for (std::size_t at = r.find("u:"); at != std::string::npos; at = r.find("u:", at)) r.replace(at, 2, "v");
  return readPinyin(r);
}

}  // namespace

std::string tonedPinyin(std::string_view numbered) {
  auto s = cedictPinyin(numbered);
  if (!s || s->empty()) return {};
  std::string out;
  for (const auto& syl : *s) out += markedSyllable(syl);
  return out;
}

std::u16string halfWidthKatakana(std::u16string_view kana) {
  // Full-width katakana ァ (U+30A1) to ヶ (U+30F6), one entry each; a voiced one adds ﾞ or ﾟ.
  static const std::u16string_view plain =
      u"ｧｱｨｲｩｳｪｴｫｵｶｶｷｷｸｸｹｹｺｺｻｻｼｼｽｽｾｾｿｿﾀﾀﾁﾁｯﾂﾂﾃﾃﾄﾄﾅﾆﾇﾈﾉﾊﾊﾊﾋﾋﾋﾌﾌﾌﾍﾍﾍﾎﾎﾎﾏﾐﾑﾒﾓｬﾔｭﾕｮﾖﾗﾘﾙﾚﾛﾜﾜｲｴｦﾝｳｶｹ";
  static const std::u16string_view voiced = u"ガギグゲゴザジズゼゾダヂヅデドバビブベボヴ";
  static const std::u16string_view halfVoiced = u"パピプペポ";
  std::u16string out;
  for (char16_t c : kana) {
    if (c >= u'ぁ' && c <= u'ゖ') c = static_cast<char16_t>(c + 0x60);
    if (c >= u'ァ' && c <= u'ヶ') {
      out += plain[static_cast<std::size_t>(c - u'ァ')];
      if (voiced.find(c) != std::u16string_view::npos) out += u'ﾞ';
      if (halfVoiced.find(c) != std::u16string_view::npos) out += u'ﾟ';
    } else if (c == u'ー') {
      out += u'ｰ';
    } else {
      out += c;
    }
  }
  return out;
}

ViewerFullSources viewerFullSources(const ViewerFullInputs& in) {
  ViewerFullSources out;
  out.cj = std::string(in.sampleCj);
  out.jc = std::string(in.sampleJc);
  if (!out.cj.empty() && out.cj.back() != '\n') out.cj += '\n';
  if (!out.jc.empty() && out.jc.back() != '\n') out.jc += '\n';
  const std::set<std::string> cjListed = viewerKeys(in.sampleCj), jcListed = viewerKeys(in.sampleJc);

  // CC-CEDICT's reading of each simplified word: its first lowercase entry, else its first.
  std::unordered_map<std::string, std::string> cedictReading;
  std::set<std::string> lower;
  eachLine(in.cedict, [&](std::string_view line) {
    std::size_t open = line.find('['), close = line.find(']');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) return;
    auto forms = splitView(line.substr(0, open), ' ');
    if (forms.size() < 2) return;
    std::string word(forms[1]);
    std::string_view reading = line.substr(open + 1, close - open - 1);
    bool isLower = !reading.empty() && reading[0] >= 'a' && reading[0] <= 'z';
    if (isLower && lower.insert(word).second) {
      cedictReading[word] = std::string(reading);
    } else if (!cedictReading.count(word)) {
      cedictReading[word] = std::string(reading);
    }
  });

  // Chinese to Japanese: the translator's words with their translations, in the word list's order.
  std::map<std::string, std::vector<std::pair<std::string, std::string>>> cjTranslations;  // word -> (label, japanese)
  std::vector<std::string> cjOrder;
  std::map<std::string, std::string> listReading;
  std::map<std::string, std::vector<std::pair<std::string, std::string>>> jcTranslations;  // japanese -> (label, chinese)
  std::vector<std::string> jcOrder;
  auto addJc = [&](const std::string& japanese, const std::string& label, const std::string& chinese) {
    auto& list = jcTranslations[japanese];
    if (list.empty()) jcOrder.push_back(japanese);
    for (const auto& [l, c] : list)
      if (c == chinese) return;
    list.emplace_back(label, chinese);
  };
  eachLine(in.cjWords, [&](std::string_view line) {
    auto f = splitView(line, '\t');
    if (f.size() < 4 || f[3] == "-") return;
    std::string word(f[0]);
    if (f[2] != "-") listReading.emplace(word, std::string(f[2]));
    for (std::string_view t : splitView(f[3], '|')) {
      while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
      auto parts = splitView(t, ',');
      if (parts.size() < 2 || parts[1].empty()) continue;
      auto& list = cjTranslations[word];
      if (list.empty()) cjOrder.push_back(word);
      list.emplace_back(cjLabel(parts[0]), std::string(parts[1]));
    }
  });

  // Japanese to Chinese: the lexicon's words written as they are, and the Japanese of the Chinese words.
  eachLine(in.jcLexicon, [&](std::string_view line) {
    if (line[0] == '+') return;
    auto f = splitView(line, '\t');
    // Nouns, names, numerals and adverbs stand in the lexicon as they are written.
    if (f.size() < 4 || f[3].empty() || f[3] == "-" || f[1].empty() || !(f[1][0] >= '6' && f[1][0] <= '8')) return;
    addJc(std::string(f[0]), "", std::string(f[3]));
  });
  for (const std::string& word : cjOrder)
    for (const auto& [label, japanese] : cjTranslations[word]) addJc(japanese, "", word);

  // Readings and classes of the Japanese words from the IPA dictionary (dictionary forms only).
  std::unordered_map<std::string, std::pair<std::string, std::string>> ipa;  // word -> (katakana, class)
  eachLine(in.ipadic, [&](std::string_view line) {
    auto f = splitView(line, ',');
    if (f.size() < 12 || f[0] != f[10] || f[11] == "*") return;
    ipa.emplace(std::string(f[0]), std::make_pair(std::string(f[11]), std::string(f[4])));
  });

  for (const std::string& word : cjOrder) {
    if (cjListed.count(word)) continue;
    auto c = cedictReading.find(word);
    std::string reading = c != cedictReading.end() ? c->second : listReading.count(word) ? listReading[word] : "";
    auto syllables = cedictPinyin(reading);
    if (!syllables || syllables->empty()) continue;
    std::string toned;
    for (const auto& s : *syllables) toned += markedSyllable(s);
    std::string body = "{C}" + word + " " + toned + "\\n{J}";
    bool first = true;
    std::string previous;
    for (const auto& [label, japanese] : cjTranslations[word]) {
      if (!first) body += label == previous ? "，" : "；";
      if (first || label != previous) body += label;
      body += japanese;
      previous = label;
      first = false;
    }
    out.cj += word + "|" + pinyinKey(*syllables) + "\t" + body + "\\n\n";
    ++out.cjGenerated;
  }

  for (const std::string& japanese : jcOrder) {
    if (jcListed.count(japanese)) continue;
    // A サ変 verb is read as its noun with する.
    std::string stem = japanese, tail;
    const std::string suru = "する";
    if (stem.size() > suru.size() && stem.compare(stem.size() - suru.size(), suru.size(), suru) == 0) {
      stem.resize(stem.size() - suru.size());
      tail = "スル";
    }
    auto it = ipa.find(stem);
    if (it == ipa.end()) continue;
    const std::u16string kana = plat::utf8ToWide(it->second.first + tail);
    std::string label = tail.empty() ? jcLabel(it->second.second) : "〔動〕";
    std::string chinese;
    for (const auto& [l, c] : jcTranslations[japanese]) chinese += (chinese.empty() ? "" : "，") + c;
    out.jc += jcLine(kana, japanese, label, chinese);
    ++out.jcGenerated;
  }

  // Every other word the two open dictionaries pair through English.
  if (!in.edict.empty() && !in.cedict.empty()) {
    const std::vector<EdictEntry> edict = parseEdict(in.edict);
    const std::vector<CedictEntry> cedict = parseCedict(in.cedict);
    std::map<std::string, long> frequency;
    for (const ChineseListWord& w : parseChineseWordList(in.wordList)) frequency.emplace(w.word, w.frequency);
    const ViewerPairs pairs = viewerPairs(edict, cedict, frequency, 3);
    std::set<std::string> cjHave = viewerKeys(out.cj), jcHave = viewerKeys(out.jc);
    for (const auto& [word, pair] : pairs.chinese) {
      if (cjHave.count(word)) continue;
      auto c = cedictReading.find(word);
      if (c == cedictReading.end()) continue;
      auto syllables = cedictPinyin(c->second);
      if (!syllables || syllables->empty()) continue;
      std::string toned, japanese;
      for (const auto& syl : *syllables) toned += markedSyllable(syl);
      for (const std::string& j : pair.partners) japanese += (japanese.empty() ? "" : "，") + j;
      out.cj += word + "|" + pinyinKey(*syllables) + "\t{C}" + word + " " + toned + "\\n{J}" + pivotLabel(pair.classes) +
                japanese + "\\n\n";
      cjHave.insert(word);
      ++out.cjGenerated;
    }
    for (std::size_t e = 0; e < edict.size(); ++e) {
      const ViewerPair& pair = pairs.japanese[e];
      const EdictEntry& j = edict[e];
      if (pair.partners.empty() || jcHave.count(j.written)) continue;
      const std::u16string kana = plat::utf8ToWide(j.kana);
      const std::string halfKana = plat::wideToUtf8(halfWidthKatakana(kana));
      if (jcHave.count(halfKana) && halfWidthKatakana(plat::utf8ToWide(j.written)) == halfWidthKatakana(kana)) continue;
      std::string chinese;
      for (const std::string& c : pair.partners) chinese += (chinese.empty() ? "" : "，") + c;
      out.jc += jcLine(kana, j.written, pivotLabel(pair.classes), chinese);
      jcHave.insert(j.written);
      ++out.jcGenerated;
    }
  }
  out.cj = sortedByReading(out.cj, true);
  out.jc = sortedByReading(out.jc, false);
  return out;
}

}  // namespace datagen
