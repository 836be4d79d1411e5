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

// Special fields as CC-CEDICT names them at the head of a sense: "(basketball) to steal (the ball)".
// A word whose first sense is of one is a term of that field.
constexpr std::string_view kCedictFields[] = {
    "sports", "ball sports", "basketball", "soccer", "football", "baseball", "tennis", "volleyball",
    "table tennis", "badminton", "golf", "boxing", "wrestling", "martial arts", "chess", "Go", "go (game)",
    "mahjong", "gaming", "math.", "mathematics", "geometry", "statistics", "physics", "chemistry",
    "biochemistry", "biology", "botany", "zoology", "anatomy", "medicine", "TCM", "pharm.", "pharmacology",
    "dentistry", "immunology", "genetics", "computing", "computer", "electronics", "linguistics", "grammar",
    "law", "finance", "economics", "music", "military", "astronomy", "geology", "mineralogy", "mining",
    "meteorology", "agriculture", "textiles", "printing", "photography", "aviation", "theater", "psychology",
    "philosophy", "ornithology", "Buddhism", "Daoism", "Taoism", "Christianity", "Catholicism",
    "Protestantism", "Islam"};
// EDICT's field codes, among the tags in parentheses before a sense's glosses.
constexpr std::string_view kEdictFields[] = {
    "sports", "baseb", "basket", "golf", "boxing", "sumo", "prowres", "MA", "martial", "ski", "shogi", "go",
    "mahj", "hanaf", "vidg", "math", "geom", "stat", "physics", "chem", "biochem", "biol", "bot", "zool",
    "anat", "med", "pathol", "surg", "pharm", "dent", "physiol", "genet", "comp", "electr", "elec", "engr",
    "ling", "gramm", "law", "finc", "econ", "stockm", "bus", "music", "mil", "astron", "geol", "mining",
    "met", "agric", "print", "photo", "aviat", "film", "tv", "psy", "psych", "phil", "ornith", "Buddh",
    "Shinto", "Christn"};

template <std::size_t N>
bool listed(const std::string_view (&list)[N], std::string_view word) {
  return std::find(std::begin(list), std::end(list), word) != std::end(list);
}

// The Chinese words whose first sense is of a special field, with their traditional spelling: the
// first sense of the entry whose reading the viewer shows (the first lowercase one, else the first).
std::map<std::string, std::string> chineseFieldTerms(std::string_view cedict) {
  std::map<std::string, std::string> out;
  std::set<std::string> lower, seen;
  eachLine(cedict, [&](std::string_view line) {
    const std::size_t open = line.find('['), close = line.find("] /");
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) return;
    auto forms = splitView(line.substr(0, open), ' ');
    if (forms.size() < 2) return;
    const std::string word(forms[1]);
    const bool isLower = open + 1 < line.size() && line[open + 1] >= 'a' && line[open + 1] <= 'z';
    if (lower.count(word) || (!isLower && seen.count(word))) return;
    seen.insert(word);
    if (isLower) lower.insert(word);
    std::string_view sense = line.substr(close + 3);
    sense = sense.substr(0, sense.find('/'));
    const std::size_t end = sense.find(')');
    if (!sense.empty() && sense[0] == '(' && end != std::string_view::npos && listed(kCedictFields, sense.substr(1, end - 1)))
      out[word] = std::string(forms[0]);
    else
      out.erase(word);
  });
  return out;
}

// The Japanese words (written forms and readings) whose first EDICT sense is of a special field.
std::set<std::string> japaneseFieldTerms(std::string_view edict) {
  std::set<std::string> out;
  eachLine(edict, [&](std::string_view line) {
    const std::size_t slash = line.find(" /");
    if (slash == std::string_view::npos) return;
    std::string_view sense = line.substr(slash + 2);
    sense = sense.substr(0, sense.find('/'));
    bool field = false;
    while (!field && !sense.empty() && sense[0] == '(') {
      const std::size_t end = sense.find(')');
      if (end == std::string_view::npos) break;
      for (std::string_view code : splitView(sense.substr(1, end - 1), ',')) field = field || listed(kEdictFields, code);
      sense.remove_prefix(end + 1);
      while (!sense.empty() && sense[0] == ' ') sense.remove_prefix(1);
    }
    if (!field) return;
    std::string_view head = line.substr(0, slash);
    const std::size_t bracket = head.find(" [");
    std::string_view written = head.substr(0, bracket), kana;
    if (bracket != std::string_view::npos) kana = head.substr(bracket + 2, head.find(']') - bracket - 2);
    for (std::string_view forms : {written, kana})
      for (std::string_view f : splitView(forms, ';'))
        if (!f.empty()) out.emplace(f.substr(0, f.find('(')));
  });
  return out;
}

// A hanzi the two words share.
bool sharesCharacter(const std::string& chinese, const std::string& japanese) {
  const std::u16string c = plat::utf8ToWide(chinese), j = plat::utf8ToWide(japanese);
  return std::any_of(c.begin(), c.end(), [&](char16_t ch) { return ch >= 0x3400 && j.find(ch) != std::u16string::npos; });
}

bool inKatakana(const std::string& word) {
  const std::u16string w = plat::utf8ToWide(word);
  return !w.empty() && std::all_of(w.begin(), w.end(), [](char16_t c) { return c >= 0x30A0 && c <= 0x30FF; });
}

// A Japanese rendering that is a whole clause: it ends in the polite です or ます (大丈夫です).
bool politeClause(std::string_view japanese) {
  for (std::string_view end : {"です", "ます", "ません", "ました", "でした"})
    if (japanese.size() > end.size() && japanese.substr(japanese.size() - end.size()) == end) return true;
  return false;
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

  const std::vector<EdictEntry> edict = in.edict.empty() ? std::vector<EdictEntry>{} : parseEdict(in.edict);
  // A term of a special field (抢断, a steal in basketball) and an everyday word (盗む: EDICT's common
  // mark, its first sense of no field) are no pair unless they share a character (水星, 军备 軍備) or the
  // Japanese is a loanword in katakana (青霉素, ペニシリン).
  const std::map<std::string, std::string> chineseTerms = chineseFieldTerms(in.cedict);
  const std::set<std::string> japaneseTerms = japaneseFieldTerms(in.edict);
  std::set<std::string> everyday;
  for (const EdictEntry& e : edict)
    if (e.common)
      for (const std::string* form : {&e.written, &e.kana})
        if (!japaneseTerms.count(*form)) everyday.insert(*form);
  const auto fieldsMeet = [&](const std::string& chinese, const std::string& japanese) {
    auto term = chineseTerms.find(chinese);
    return term == chineseTerms.end() || !everyday.count(japanese) || sharesCharacter(chinese, japanese) ||
           sharesCharacter(term->second, japanese) || inKatakana(japanese);
  };
  // Set phrases and interjections (すみません): EDICT's first sense an expression and no noun.
  std::set<std::string> expressions, nouns;
  for (const EdictEntry& e : edict) {
    const unsigned c = e.senses[0].classes;
    for (const std::string* form : {&e.written, &e.kana})
      (c & kPvNoun ? nouns : (c & kPvExpression ? expressions : nouns)).insert(*form);
  }
  // A translation the card keeps as a noun that is a set phrase or a whole clause (对不起 すみません,
  // 你好吗 お元気です) is shown as a set phrase.
  const auto cjEntryLabel = [&](std::string_view kind, const std::string& japanese) -> std::string {
    if (kind == "N" && ((expressions.count(japanese) && !nouns.count(japanese)) || politeClause(japanese))) return "〔慣〕";
    return cjLabel(kind);
  };

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
      if (parts.size() < 2 || parts[1].empty() || !fieldsMeet(word, std::string(parts[1]))) continue;
      auto& list = cjTranslations[word];
      if (list.empty()) cjOrder.push_back(word);
      list.emplace_back(cjEntryLabel(parts[0], std::string(parts[1])), std::string(parts[1]));
    }
  });

  // Japanese to Chinese: the lexicon's words written as they are, and the Japanese of the Chinese words.
  eachLine(in.jcLexicon, [&](std::string_view line) {
    if (line[0] == '+') return;
    auto f = splitView(line, '\t');
    // Nouns, names, numerals and adverbs stand in the lexicon as they are written.
    if (f.size() < 4 || f[3].empty() || f[3] == "-" || f[1].empty() || !(f[1][0] >= '6' && f[1][0] <= '8')) return;
    if (fieldsMeet(std::string(f[3]), std::string(f[0]))) addJc(std::string(f[0]), "", std::string(f[3]));
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
      for (const std::string& j : pair.partners)
        if (fieldsMeet(word, j)) japanese += (japanese.empty() ? "" : "，") + j;
      if (japanese.empty()) continue;
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
      for (const std::string& c : pair.partners)
        if (fieldsMeet(c, j.written) || fieldsMeet(c, j.kana)) chinese += (chinese.empty() ? "" : "，") + c;
      if (chinese.empty()) continue;
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
