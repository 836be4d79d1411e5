#include "tools/datagen/full_card_pivot.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <tuple>
#include <unordered_map>

#include "platform/core/codepage.h"
#include "tools/datagen/jp_dictionary_pair.h"
#include "tools/datagen/pinyin_spelling.h"

namespace datagen {

namespace {

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> pieces(std::string_view text, std::string_view sep) {
  std::vector<std::string_view> out;
  std::size_t start = 0;
  while (true) {
    const std::size_t at = text.find(sep, start);
    out.push_back(text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
    if (at == std::string_view::npos) break;
    start = at + sep.size();
  }
  return out;
}

template <typename F>
void eachTextLine(std::string_view text, F&& f) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = trimmed(text.substr(start, end - start));
    start = end + 1;
    if (!line.empty() && line[0] != '#') f(line);
  }
}

// A written form or reading without its annotations ("噓(oK)").
std::string bare(std::string_view form) { return std::string(trimmed(form.substr(0, form.find('(')))); }

// Applies one parenthesised EDICT group of parts of speech; false when it is none (abbr, See ...).
bool applyPartsOfSpeech(std::string_view group, EdictEntry& e, unsigned& classes) {
  static const std::set<std::string, std::less<>> kOther = {
      "aux", "aux-v", "aux-adj", "conj", "cop", "cop-da", "pref", "prt", "suf", "num", "unc", "vt", "vi",
      "adj-f", "adj-pn", "adj-kari", "adj-ku", "adj-shiku", "adj-nari", "vr", "vn", "vs-c", "v-unspec", "adj-t", "adv-to"};
  unsigned found = 0;
  bool suru = false, ichidan = false, godan = false, vt = false, vi = false, adjI = false, adjNa = false;
  for (std::string_view tag : pieces(group, ",")) {
    tag = trimmed(tag);
    if (tag == "n" || tag == "n-adv" || tag == "n-t" || tag == "n-suf" || tag == "n-pref" || tag == "pn" ||
        tag == "n-pr" || tag == "adj-no") {
      found |= kPvNoun;
    } else if (tag == "vs" || tag == "vs-i" || tag == "vs-s") {
      found |= kPvVerb;
      suru = true;
    } else if (tag.rfind("v1", 0) == 0 || tag == "vk" || tag == "vz") {
      found |= kPvVerb;
      ichidan = true;
    } else if (tag.rfind("v5", 0) == 0) {
      found |= kPvVerb;
      godan = true;
    } else if (tag == "adj-i" || tag == "adj-ix") {
      found |= kPvAdjective;
      adjI = true;
    } else if (tag == "adj-na") {
      found |= kPvAdjective;
      adjNa = true;
    } else if (tag == "adv") {
      found |= kPvAdverb;
    } else if (tag == "ctr") {
      found |= kPvCounter;
    } else if (tag == "exp" || tag == "int") {
      found |= kPvExpression;
    } else if (tag == "vt") {
      vt = true;
    } else if (tag == "vi") {
      vi = true;
    } else if (!kOther.count(tag)) {
      return false;
    }
  }
  classes = found;
  e.suru |= suru;
  e.ichidan |= ichidan;
  e.godan |= godan;
  e.transitive |= vt;
  e.intransitive |= vi;
  e.adjectiveI |= adjI;
  e.adjectiveNa |= adjNa;
  return true;
}

std::vector<PivotSense> cedictSenses(std::string_view body) {
  std::vector<PivotSense> senses;
  for (std::string_view sense : pieces(body, "/")) {
    sense = trimmed(sense);
    if (sense.empty() || sense.rfind("CL:", 0) == 0) continue;
    PivotSense s;
    for (std::string_view gloss : pieces(sense, "; ")) {
      std::string g = normaliseGloss(gloss);
      if (!g.empty()) s.glosses.push_back(std::move(g));
    }
    if (!s.glosses.empty()) senses.push_back(std::move(s));
  }
  return senses;
}

bool commonEntry(const CedictEntry& e) {
  if (e.reading.empty() || !(e.reading[0] >= 'a' && e.reading[0] <= 'z') || e.senses.empty()) return false;
  const std::string& first = e.senses[0].glosses[0];
  return first.rfind("surname", 0) != 0 && first.find("variant of") == std::string::npos && first.rfind("see ", 0) != 0;
}

// The card's class of a list word's tag: a noun, verb, adjective or adverb; names of people none.
unsigned chineseClass(const FullTag& tag) {
  if (tag.entry.find("a[H]") != std::string::npos) return 0;
  switch (tag.category) {
    case 'N': return tag.entry.find("a[I]") != std::string::npos ? (kPvNoun | kPvExpression) : kPvNoun;
    case 'V': return kPvVerb;
    case 'A': return kPvAdjective;
    case 'F': return kPvAdverb;
  }
  return 0;
}

using GlossIndex = std::unordered_map<std::string, std::vector<std::pair<int, int>>>;  // gloss -> (entry, sense)

GlossIndex edictIndex(const std::vector<EdictEntry>& edict) {
  GlossIndex index;
  for (int e = 0; e < static_cast<int>(edict.size()); ++e)
    for (int s = 0; s < static_cast<int>(edict[e].senses.size()); ++s)
      for (const std::string& g : edict[e].senses[s].glosses) index[g].emplace_back(e, s);
  return index;
}

std::map<std::string, std::vector<const CedictEntry*>> cedictByWord(const std::vector<CedictEntry>& cedict) {
  std::map<std::string, std::vector<const CedictEntry*>> out;
  for (const CedictEntry& e : cedict) out[e.simplified].push_back(&e);
  return out;
}

bool inCodePage932(const std::string& text) {
  const std::u16string wide = plat::utf8ToWide(text);
  const std::string bytes = plat::wideToMultiByte(932, wide);
  return !wide.empty() && bytes.find('?') == std::string::npos && plat::multiByteToWide(932, bytes) == wide;
}

// The IPA cost of a Japanese word in the class the pair takes; INT_MAX when the dictionary lacks it.
int japaneseCost(const EdictEntry& e, unsigned cls, const JapaneseIndex& japanese) {
  const std::string& w = e.spelling();
  auto noun = japanese.classes.find(w);
  const unsigned bits = noun == japanese.classes.end() ? 0 : noun->second;
  bool ok = false;
  if (cls & kPvVerb) {
    ok = e.suru ? (bits & kJpSuruNoun) != 0 : japanese.conjugation.count(w) != 0;
    if (!e.suru && ok) return japanese.inflectedCost.at(w);
  } else if (cls & kPvAdjective) {
    ok = e.adjectiveI ? japanese.conjugation.count(w) != 0 : (bits & kJpAdjectiveStem) != 0;
    if (e.adjectiveI && ok) return japanese.inflectedCost.at(w);
  } else if (cls & kPvAdverb) {
    ok = (bits & kJpAdverb) != 0;
  } else if (cls & (kPvNoun | kPvExpression)) {
    ok = (bits & (kJpNoun | kJpSuruNoun | kJpAdjectiveStem)) != 0 && !((bits & kJpPerson) && !(bits & kJpCommon));
    // A common word the IPA dictionary lacks (誕生日, an expression such as すみません) weighs as a
    // middling noun.
    if (!ok && bits == 0 && (e.common || (cls & kPvExpression)) && inCodePage932(w)) return japanese.nounMedian;
  }
  return ok ? japanese.cost.at(w) : INT_MAX;
}

// How well a Japanese sense list and a Chinese one meet; larger is better, compared in order.
struct Meeting {
  int firstSenses = 0;  // the two first senses share a gloss
  int heads = 0;        // first glosses lying in the other's first sense (0-2)
  int glosses = 0;      // shared glosses
};

bool contains(const std::vector<std::string>& v, const std::string& g) { return std::find(v.begin(), v.end(), g) != v.end(); }

Meeting meet(const std::vector<PivotSense>& japanese, const std::vector<PivotSense>& chinese) {
  Meeting m;
  const auto& jf = japanese[0].glosses;
  const auto& cf = chinese[0].glosses;
  for (const std::string& g : jf)
    if (contains(cf, g)) m.firstSenses = 1;
  m.heads = static_cast<int>(contains(cf, jf[0])) + static_cast<int>(contains(jf, cf[0]));
  std::set<std::string> all;
  for (const PivotSense& s : chinese) all.insert(s.glosses.begin(), s.glosses.end());
  for (const PivotSense& s : japanese)
    for (const std::string& g : s.glosses) m.glosses += static_cast<int>(all.count(g));
  return m;
}

// English words of two everyday senses: a pair of the card through English never rests on one
// (封面 and 蓋 meet on "cover", 転居 and 感人 on "moving", 機雷 and 矿山 on "mine").
bool twoSenseGloss(const std::string& gloss) {
  static const std::set<std::string, std::less<>> kTwoSenses = {
      "abuse", "bank", "bar", "bark", "bat", "bear", "bill", "bow", "box", "case", "cell", "change", "character",
      "charge", "close", "club", "content", "cover", "current", "date", "degree", "draft", "fair", "fall", "fan",
      "figure", "file", "fine", "firm", "flight", "foot", "gear", "grave", "great", "ground", "interest", "jam",
      "key", "kind", "lead", "left", "lie", "light", "line", "look", "match", "mean", "middle", "mine", "minute",
      "mold", "moving", "nail", "novel", "object", "one", "order", "organ", "palm", "park", "party", "patient",
      "pen", "pitch", "plain", "plant", "pole", "port", "post", "pound", "present", "pupil", "race", "record",
      "rest", "right", "ring", "rock", "row", "ruler", "scale", "seal", "second", "sentence", "series", "set",
      "shed", "sign", "sink", "slide", "sole", "sound", "spirit", "spring", "stage", "state", "stick", "story",
      "strike", "subject", "suit", "table", "tear", "term", "tie", "tip", "top", "train", "trip", "watch", "wave",
      "well", "will", "wind", "yard"};
  return kTwoSenses.count(gloss) != 0;
}

// Glosses without the two-sense ones.
std::vector<std::string> oneSenseGlosses(const std::vector<std::string>& glosses) {
  std::vector<std::string> out;
  for (const std::string& g : glosses)
    if (!twoSenseGloss(g)) out.push_back(g);
  return out;
}

// The card's meeting through English: as `meet`, on the glosses of one everyday sense only, so that
// first senses agree only when the first gloss of each that is no two-sense word lies in the other's
// first sense.
Meeting meetEveryday(const std::vector<PivotSense>& japanese, const std::vector<PivotSense>& chinese) {
  std::vector<PivotSense> j, c;
  for (const PivotSense& s : japanese) j.push_back({oneSenseGlosses(s.glosses), s.classes});
  for (const PivotSense& s : chinese) c.push_back({oneSenseGlosses(s.glosses), s.classes});
  if (j[0].glosses.empty() || c[0].glosses.empty()) return {};
  return meet(j, c);
}

// How many of EDICT's common words give each gloss in their first sense.
using FirstGlossCounts = std::unordered_map<std::string, int>;

FirstGlossCounts commonFirstGlosses(const std::vector<EdictEntry>& edict) {
  FirstGlossCounts counts;
  for (const EdictEntry& e : edict) {
    if (!e.common) continue;
    const std::set<std::string> first(e.senses[0].glosses.begin(), e.senses[0].glosses.end());
    for (const std::string& g : first) ++counts[g];
  }
  return counts;
}

// A gloss that this many common Japanese words give as their first sense names no one sense.
constexpr int kVagueFirstGloss = 4;

// A CC-CEDICT sense that only sends to another entry: a variant ("variant of 局[ju2]", "old variant
// of"), a cross reference ("see 称心[chen4 xin1]", "see also") or a use inside another word ("used
// in 窈窕").
bool referenceGloss(const std::string& gloss) {
  for (std::string_view head : {"variant of", "old variant of", "archaic variant of", "erhua variant of",
                                "japanese variant of", "see ", "see also", "used in ", "also written", "also pr"})
    if (gloss.rfind(head, 0) == 0) return true;
  return gloss.find(" variant of ") != std::string::npos;
}

// CC-CEDICT as the card's pairs read it: an entry whose first sense only sends to another (a variant
// line: 局 "variant of 局[ju2]; narrow", 称 "variant of 稱|称[chen4]; to fit") pairs nothing, and a
// cross reference inside a sense ("to fit; see also 合适[he2 shi4]") is no gloss.
std::vector<CedictEntry> everydayCedict(const std::vector<CedictEntry>& cedict) {
  std::vector<CedictEntry> out;
  out.reserve(cedict.size());
  for (const CedictEntry& e : cedict) {
    if (referenceGloss(e.senses[0].glosses[0])) continue;
    CedictEntry kept{e.simplified, e.reading, {}};
    for (const PivotSense& s : e.senses) {
      PivotSense plain{{}, s.classes};
      for (const std::string& g : s.glosses)
        if (!referenceGloss(g)) plain.glosses.push_back(g);
      if (!plain.glosses.empty()) kept.senses.push_back(std::move(plain));
    }
    out.push_back(std::move(kept));
  }
  return out;
}

std::size_t characterCount(const std::string& word) { return plat::utf8ToWide(word).size(); }

// A character both spellings hold (生日, 誕生日).
bool sharesCharacter(const std::string& chinese, const std::string& japanese) {
  const std::u16string c = plat::utf8ToWide(chinese), j = plat::utf8ToWide(japanese);
  for (char16_t ch : c)
    if (ch >= 0x3400 && j.find(ch) != std::u16string::npos) return true;
  return false;
}

// Two words that meet on one everyday gloss only, a vague one, and share no character: the one
// English word stands for senses the two need not share (寄附 and 功劳 on "contribution", 頻度 and
// 频道 on "frequency", 座談会's 年会 on "conference").
bool restsOnVagueGloss(const std::vector<PivotSense>& japanese, const std::vector<const CedictEntry*>& chinese,
                       const std::string& chineseWord, const std::string& japaneseWord, const FirstGlossCounts& counts) {
  if (sharesCharacter(chineseWord, japaneseWord)) return false;
  std::set<std::string> theirs;
  for (const CedictEntry* c : chinese)
    for (const PivotSense& s : c->senses)
      for (const std::string& g : s.glosses)
        if (!twoSenseGloss(g)) theirs.insert(g);
  std::set<std::string> shared;
  for (const PivotSense& s : japanese)
    for (const std::string& g : s.glosses)
      if (theirs.count(g)) shared.insert(g);
  if (shared.size() != 1) return false;
  auto it = counts.find(*shared.begin());
  return it != counts.end() && it->second >= kVagueFirstGloss;
}

// A first sense of one shares an everyday gloss with a sense of the other.
bool sharesGlossWithAFirstSense(const std::vector<PivotSense>& japanese, const std::vector<const CedictEntry*>& chinese) {
  const auto inSenses = [](const std::string& g, const std::vector<PivotSense>& senses) {
    return std::any_of(senses.begin(), senses.end(), [&](const PivotSense& s) { return contains(s.glosses, g); });
  };
  for (const CedictEntry* c : chinese) {
    for (const std::string& g : japanese[0].glosses)
      if (!twoSenseGloss(g) && inSenses(g, c->senses)) return true;
    for (const std::string& g : c->senses[0].glosses)
      if (!twoSenseGloss(g) && inSenses(g, japanese)) return true;
  }
  return false;
}

// A loanword in katakana (ウィーク): the last choice for a Chinese word of its own (星期: 週).
bool katakanaOnly(const std::string& word) {
  const std::u16string w = plat::utf8ToWide(word);
  return !w.empty() && std::all_of(w.begin(), w.end(), [](char16_t c) { return c >= 0x30A0 && c <= 0x30FF; });
}

// The Japanese word's first sense is the Chinese word's, gloss for gloss (来週, 下个星期: next week).
bool sameFirstSense(const EdictEntry& japanese, const std::vector<const CedictEntry*>& chinese) {
  std::set<std::string> j(japanese.senses[0].glosses.begin(), japanese.senses[0].glosses.end());
  return std::any_of(chinese.begin(), chinese.end(), [&](const CedictEntry* c) {
    return std::set<std::string>(c->senses[0].glosses.begin(), c->senses[0].glosses.end()) == j;
  });
}

// The first senses agree: the first gloss of each lies in the other's first sense (盗む, 偷: steal).
bool firstSensesAgree(const Meeting& m) { return m.heads == 2; }
// The last pass's weaker agreement: the first gloss of one lies in the other's first sense and the
// two share two or more glosses (荷兰 Holland, オランダ the Netherlands; Holland).
bool firstSensesMeetTwice(const Meeting& m) { return m.heads >= 1 && m.glosses >= 2; }

// A word written in its language's script: at least one character of it, Latin letters beside
// (Tシャツ, T恤) and nothing else: no digits, signs or emoticons (3Q is no word of either language).
template <typename Script>
bool writtenIn(const std::string& word, Script script) {
  const std::u16string w = plat::utf8ToWide(word);
  const auto latin = [](char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'Ａ' && c <= u'Ｚ') || (c >= u'ａ' && c <= u'ｚ');
  };
  return std::any_of(w.begin(), w.end(), script) &&
         std::all_of(w.begin(), w.end(), [&](char16_t c) { return script(c) || latin(c); });
}

// Kanji, kana, 々 and the long-vowel mark.
bool inJapaneseScript(const std::string& word) {
  return writtenIn(word, [](char16_t c) {
    return (c >= 0x3041 && c <= 0x3096) || (c >= 0x30A1 && c <= 0x30FC) || (c >= 0x3400 && c <= 0x9FFF) ||
           c == u'々' || c == u'〆';
  });
}

// Hanzi.
bool inChineseScript(const std::string& word) {
  return writtenIn(word, [](char16_t c) { return (c >= 0x3400 && c <= 0x9FFF) || c == u'〇'; });
}

// The stems of a sense's English words: lower case, words of three letters or more, cut to five
// letters, the small words and the English words of two everyday senses left out (confused,
// confusion: confu; dry stays dry).
std::set<std::string> wordStems(const PivotSense& sense) {
  static const std::set<std::string, std::less<>> kSmall = {"the", "and", "for", "with", "from", "into", "one", "one's",
                                                             "oneself", "something", "someone", "etc", "sth", "not",
                                                             "out", "off", "very", "its", "that", "who", "which"};
  std::set<std::string> stems;
  for (const std::string& g : sense.glosses) {
    std::size_t i = 0;
    while (i < g.size()) {
      while (i < g.size() && !(g[i] >= 'a' && g[i] <= 'z')) ++i;
      std::size_t end = i;
      while (end < g.size() && g[end] >= 'a' && g[end] <= 'z') ++end;
      const std::string word = g.substr(i, end - i);
      if (word.size() >= 3 && !kSmall.count(word) && !twoSenseGloss(word)) stems.insert(word.substr(0, 5));
      i = end;
    }
  }
  return stems;
}

bool stemsMeet(const std::set<std::string>& a, const std::set<std::string>& b) {
  for (const std::string& x : a)
    for (const std::string& y : b)
      if (x == y || (x.size() < 5 && y.rfind(x, 0) == 0) || (y.size() < 5 && x.rfind(y, 0) == 0)) return true;
  return false;
}

// A first sense of one shares an English word with a sense of the other, as stems (混乱: confused;
// 混乱: disorder, chaos, confusion). For words of the same characters, whose two sources agree.
bool firstSenseWordsMeet(const std::vector<PivotSense>& japanese, const std::vector<PivotSense>& chinese) {
  const std::set<std::string> jf = wordStems(japanese[0]), cf = wordStems(chinese[0]);
  for (const PivotSense& c : chinese)
    if (stemsMeet(jf, wordStems(c))) return true;
  for (const PivotSense& j : japanese)
    if (stemsMeet(cf, wordStems(j))) return true;
  return false;
}

}  // namespace

std::vector<std::string> frequentChinese(const std::vector<ChineseListWord>& list,
                                         const std::map<std::string, FullTag>& tags, int most) {
  std::vector<std::string> out;
  std::set<std::string> seen;
  for (const ChineseListWord& w : list) {
    if (static_cast<int>(out.size()) >= most) break;
    if (tags.count(w.tag) && seen.insert(w.word).second) out.push_back(w.word);
  }
  return out;
}

std::vector<std::string> frequentJapanese(const std::vector<EdictEntry>& edict, const JapaneseIndex& japanese) {
  constexpr unsigned kContent = kPvNoun | kPvVerb | kPvAdjective | kPvAdverb | kPvExpression;
  std::vector<std::pair<int, std::string>> byCost;
  std::set<std::string> seen;
  for (const EdictEntry& e : edict) {
    const std::string& sp = e.spelling();
    // Loanwords in katakana take costs of their own in the IPA dictionary, far below their use.
    if (!e.common || !(e.senses[0].classes & kContent) || katakanaOnly(sp) || seen.count(sp)) continue;
    auto inflected = japanese.inflectedCost.find(sp);
    auto cost = japanese.cost.find(sp);
    auto cls = japanese.classes.find(sp);
    if (inflected != japanese.inflectedCost.end()) byCost.emplace_back(inflected->second, sp);
    else if (cost != japanese.cost.end() && cls != japanese.classes.end() && (cls->second & (kJpCommon | kJpAdverb)))
      byCost.emplace_back(cost->second, sp);
    else continue;
    seen.insert(sp);
  }
  std::stable_sort(byCost.begin(), byCost.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> out;
  for (auto& [cost, sp] : byCost) out.push_back(std::move(sp));
  return out;
}

bool pivotRenderingInScript(const std::string& word, bool japanese) {
  return japanese ? inJapaneseScript(word) : inChineseScript(word);
}

bool spelledByWords(const std::string& word, const std::set<std::string>& words) {
  const std::u16string w = plat::utf8ToWide(word);
  // reach[i]: the first i characters split into words of the set; a split of one piece is the word itself.
  std::vector<int> reach(w.size() + 1, -1);
  reach[0] = 0;
  for (std::size_t i = 0; i < w.size(); ++i) {
    if (reach[i] < 0) continue;
    for (std::size_t j = i + 1; j <= w.size(); ++j) {
      if (i == 0 && j == w.size()) continue;
      if (words.count(plat::wideToUtf8(w.substr(i, j - i)))) reach[j] = std::max(reach[j], reach[i] + 1);
    }
  }
  return reach[w.size()] >= 2;
}

std::string normaliseGloss(std::string_view gloss) {
  std::string out;
  int depth = 0;
  for (char c : gloss) {
    if (c == '(') ++depth;
    else if (c == ')') depth = std::max(0, depth - 1);
    else if (depth == 0) out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  std::string collapsed;
  for (char c : out) {
    if (c == ' ' && (collapsed.empty() || collapsed.back() == ' ')) continue;
    collapsed += c;
  }
  while (!collapsed.empty() && (collapsed.back() == ' ' || collapsed.back() == '?' || collapsed.back() == '!' ||
                                collapsed.back() == '.'))
    collapsed.pop_back();
  if (collapsed.rfind("to ", 0) == 0) collapsed.erase(0, 3);
  return collapsed;
}

std::vector<EdictEntry> parseEdict(std::string_view text) {
  std::vector<EdictEntry> out;
  eachTextLine(text, [&](std::string_view line) {
    const std::size_t slash = line.find(" /");
    if (slash == std::string_view::npos) return;
    std::string_view head = trimmed(line.substr(0, slash)), body = line.substr(slash + 2);
    EdictEntry e;
    const std::size_t bracket = head.find(" [");
    e.written = bare(pieces(head.substr(0, bracket), ";")[0]);
    if (bracket != std::string_view::npos) {
      std::string_view kana = head.substr(bracket + 2);
      kana = kana.substr(0, kana.find(']'));
      e.kana = bare(pieces(kana, ";")[0]);
    } else {
      e.kana = e.written;
    }
    if (e.written.empty() || e.kana.empty()) return;
    unsigned classes = 0;
    PivotSense current;
    auto close = [&] {
      if (!current.glosses.empty()) e.senses.push_back(std::move(current));
      current = PivotSense{};
    };
    for (std::string_view field : pieces(body, "/")) {
      field = trimmed(field);
      if (field == "(P)") e.common = true;
      if (field.empty() || field == "(P)" || field.rfind("EntL", 0) == 0) continue;
      while (!field.empty() && field[0] == '(') {
        const std::size_t end = field.find(')');
        if (end == std::string_view::npos) break;
        const std::string_view group = field.substr(1, end - 1);
        field = trimmed(field.substr(end + 1));
        unsigned parsed = 0;
        if (!group.empty() && std::all_of(group.begin(), group.end(), [](char c) { return c >= '0' && c <= '9'; })) {
          close();
        } else if (group == "uk") {
          if (e.senses.empty()) e.usuallyKana = true;
        } else if (applyPartsOfSpeech(group, e, parsed)) {
          close();
          classes = parsed;
        }
      }
      if (field.empty()) continue;
      std::string g = normaliseGloss(field);
      if (g.empty()) continue;
      if (current.glosses.empty()) current.classes = classes;
      current.glosses.push_back(std::move(g));
    }
    close();
    if (!e.senses.empty()) out.push_back(std::move(e));
  });
  return out;
}

std::vector<CedictEntry> parseCedict(std::string_view text) {
  std::vector<CedictEntry> out;
  eachTextLine(text, [&](std::string_view line) {
    const std::size_t open = line.find(" ["), close = line.find("] /");
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) return;
    std::vector<std::string_view> forms = pieces(line.substr(0, open), " ");
    if (forms.size() != 2) return;
    CedictEntry e;
    e.simplified = std::string(forms[1]);
    e.reading = std::string(line.substr(open + 2, close - open - 2));
    e.senses = cedictSenses(line.substr(close + 3));
    if (!e.senses.empty()) out.push_back(std::move(e));
  });
  return out;
}

std::map<std::string, std::string> cedictReadings(const std::vector<CedictEntry>& entries) {
  std::map<std::string, std::string> out;
  std::set<std::string> common;
  for (const CedictEntry& e : entries) {
    const bool isCommon = commonEntry(e);
    if (out.count(e.simplified) && (common.count(e.simplified) || !isCommon)) continue;
    std::string joined;
    for (char c : e.reading)
      if (c != ' ') joined += c;
    const auto reading = dictionaryReading(joined);
    if (!reading || reading->find(' ') != std::string::npos) continue;
    out[e.simplified] = *reading;
    if (isCommon) common.insert(e.simplified);
  }
  return out;
}

std::string withCedictReadings(std::string_view words, const std::map<std::string, std::string>& readings, int& given) {
  std::string out;
  out.reserve(words.size() + words.size() / 4);
  std::size_t start = 0;
  while (start < words.size()) {
    std::size_t end = words.find('\n', start);
    if (end == std::string_view::npos) end = words.size();
    std::string line(words.substr(start, end - start));
    start = end + 1;
    const std::size_t t1 = line.find('\t'), t2 = t1 == std::string::npos ? t1 : line.find('\t', t1 + 1);
    if (!line.empty() && line[0] != '#' && t2 != std::string::npos && line.compare(t2 + 1, 2, "-\t") == 0) {
      auto it = readings.find(line.substr(0, t1));
      if (it != readings.end()) {
        line = line.substr(0, t2 + 1) + it->second + line.substr(t2 + 2);
        ++given;
      }
    }
    out += line;
    if (end < words.size()) out += '\n';
  }
  return out;
}

SpellingsOf listSpellings(const std::vector<ChineseListWord>& list, const std::map<std::string, FullTag>& tags,
                          const std::map<char16_t, char16_t>& forms, const TraditionalForms& traditional,
                          const std::map<char16_t, char16_t>& twins, int cap) {
  SpellingsOf out;
  int looked = 0;
  for (const ChineseListWord& w : list) {
    if (looked++ >= cap) break;
    if (!tags.count(w.tag) || out.count(w.word) || !inChineseScript(w.word)) continue;
    out[w.word] = japaneseSpellings(w.word, forms, traditional, twins);
  }
  return out;
}

std::map<std::string, std::vector<const EdictEntry*>> edictBySpelling(const std::vector<EdictEntry>& edict) {
  std::map<std::string, std::vector<const EdictEntry*>> out;
  for (const EdictEntry& e : edict) {
    out[e.spelling()].push_back(&e);
    if (e.written != e.spelling()) out[e.written].push_back(&e);
  }
  return out;
}

std::string pairTranslation(const EdictEntry& j, unsigned cls, bool measure) {
  const std::string& sp = j.spelling();
  if (measure) return "Q," + sp + ",N0000";
  if (cls & kPvVerb) {
    if (j.suru) return "V," + sp + "する," + (j.intransitive && !j.transitive ? "SHZ00" : "SHT00");
    return "V," + sp + ',' + (j.intransitive && !j.transitive ? 'Z' : 'T') + (j.ichidan ? 'I' : 'G') + "000";
  }
  if (cls & kPvAdjective) return j.adjectiveI ? "A," + sp + ",KYOSI" : "A," + sp + "だ,KYODO";
  if (cls & kPvAdverb) return "F," + sp + ",FUKU0";
  return "N," + sp + ",N0000";
}

std::string pivotCjWords(std::string_view words, const std::vector<ChineseListWord>& list,
                         const std::map<std::string, FullTag>& tags,
                         const std::map<std::string, std::string>& falseFriends, const JapaneseIndex& japanese,
                         const std::vector<EdictEntry>& edict, const std::vector<CedictEntry>& cedict, int cap,
                         PivotSizes& sizes, const SpellingsOf& spellings, const GradedPairs& vouched,
                         bool lastPass) {
  const std::set<std::string> have = sourceKeys(words);
  std::unordered_map<std::string, std::vector<int>> byWritten, byStem;
  if (!spellings.empty())
    for (int e = 0; e < static_cast<int>(edict.size()); ++e) {
      byWritten[edict[e].written].push_back(e);
      // Verbs and adjectives by their kanji, the kana of their ending off (吸う: 吸, 淡い: 淡).
      if (!edict[e].common || !(edict[e].senses[0].classes & (kPvVerb | kPvAdjective)) || edict[e].suru) continue;
      const std::u16string w = plat::utf8ToWide(edict[e].written);
      std::size_t end = w.size();
      while (end > 0 && w[end - 1] >= 0x3041 && w[end - 1] <= 0x3096) --end;
      if (end > 0 && end < w.size() && std::all_of(w.begin(), w.begin() + end, [](char16_t c) { return c >= 0x3400 && c <= 0x9FFF; }))
        byStem[plat::wideToUtf8(w.substr(0, end))].push_back(e);
    }
  const GlossIndex index = edictIndex(edict);
  const std::vector<CedictEntry> everyday = everydayCedict(cedict);
  const auto byWord = cedictByWord(everyday);
  const FirstGlossCounts vague = commonFirstGlosses(edict);
  std::string out;
  int looked = 0;
  const auto noun = tags.find("n");
  // A measure word (公里) takes a Japanese counter (キロメートル) or noun, as the card's measure
  // words do (个 S, translated Q,個).
  const FullTag measureTag{'Q', "S\\U[S]"};
  for (const ChineseListWord& w : list) {
    // Past the cap a word is paired only when its first sense is a common word's, gloss for gloss
    // (下个星期: next week, 来週).
    const bool pastCap = looked++ >= cap;
    // A word whose characters spell a Japanese word of another class (不在, a noun in Japanese) is
    // left to its characters: the same-characters rule turned it down.
    // A measure word of two or more characters is a unit (公里, 公斤): its characters may spell a
    // Japanese name (公里), not another common word.
    const bool measure = w.tag == "q" && plat::utf8ToWide(w.word).size() >= 2;
    auto spelled = japanese.classes.find(w.word);
    if (have.count(w.word) || falseFriends.count(w.word) ||
        (spelled != japanese.classes.end() && (!measure || (spelled->second & kJpCommon))) ||
        japanese.conjugation.count(w.word))
      continue;
    auto listed = tags.find(w.tag);
    auto entries = byWord.find(w.word);
    if ((listed == tags.end() && !measure) || entries == byWord.end()) continue;
    const FullTag* tag = measure ? &measureTag : &listed->second;
    // The list tags many a common word as a name (熊猫 nr): a word of two or more characters that
    // CC-CEDICT gives a common sense is a noun, when it pairs as a word past the cap does.
    bool strict = pastCap;
    if (chineseClass(*tag) == 0 && tag->entry.find("a[H]") != std::string::npos && noun != tags.end() &&
        plat::utf8ToWide(w.word).size() >= 2 &&
        std::any_of(entries->second.begin(), entries->second.end(), [](const CedictEntry* c) { return commonEntry(*c); })) {
      tag = &noun->second;
      strict = true;
    }
    const unsigned cls = measure ? (kPvNoun | kPvCounter) : chineseClass(*tag);
    std::string engine;
    if (!cls || !chineseToEngineColumn(w.word, engine) || engine.empty()) continue;
    // Every word takes only a common Japanese word whose first senses agree with its own: where
    // the sources meet on a later sense the pair is too often of another sense (出名 売り込む).
    // Candidates: a Japanese sense sharing a gloss with the word's first senses, or a Japanese
    // first sense sharing one with any of its senses; in a class the tag takes.
    std::map<int, unsigned> candidates;  // entry -> classes agreeing
    for (const CedictEntry* c : entries->second) {
      for (std::size_t s = 0; s < c->senses.size(); ++s) {
        for (const std::string& g : c->senses[s].glosses) {
          auto hit = index.find(g);
          if (hit == index.end()) continue;
          for (auto [e, js] : hit->second)
            if (s == 0 || js == 0) candidates[e] |= edict[e].senses[js].classes & cls;
        }
      }
    }
    // EDICT words written with the word's characters, where the IPA dictionary lacks the spelling;
    // verbs and adjectives written with them and the kana of their ending (吸 吸う), which a sense
    // of one shares with a first sense of the other.
    std::set<int> sameWritten, inflected;
    if (auto sp = spellings.find(w.word); sp != spellings.end())
      for (const std::string& form : sp->second) {
        if (auto hit = byStem.find(form); hit != byStem.end() && (cls & (kPvVerb | kPvAdjective)))
          for (int e : hit->second)
            if (const unsigned agree = edict[e].senses[0].classes & cls) {
              candidates[e] |= agree;
              inflected.insert(e);
            }
        if (japanese.classes.count(form) || japanese.conjugation.count(form)) continue;
        if (auto hit = byWritten.find(form); hit != byWritten.end())
          for (int e : hit->second)
            if (const unsigned agree = edict[e].senses[0].classes & cls) {
              candidates[e] |= agree;
              sameWritten.insert(e);
            }
      }
    // A name (巴西: Ba1 xi1) may well be katakana in Japanese.
    const bool name = std::none_of(entries->second.begin(), entries->second.end(),
                                   [](const CedictEntry* c) { return c->reading[0] >= 'a' && c->reading[0] <= 'z'; });
    std::array<int, 10> best{};
    bool byCharacters = false;  // the best pair rests on the characters
    int bestEntry = -1;
    unsigned bestClass = 0;
    // The last pass, when nothing else pairs the word, takes a rarer EDICT word written with its
    // characters that neither the IPA dictionary nor EDICT's common words hold (全軍, 樹種), a
    // noun, na-adjective or adverb whose first sense shares a gloss with the word's first sense.
    for (int round = 0; round < (lastPass ? 2 : 1) && bestEntry < 0; ++round)
    for (auto [e, agree] : candidates) {
      if (!agree) continue;
      int cost = japaneseCost(edict[e], agree & ~kPvCounter, japanese);
      if (measure)
        if (auto c = japanese.counters.find(edict[e].spelling()); c != japanese.counters.end()) cost = std::min(cost, c->second);
      const bool rare = round == 1;
      if (rare) {
        const std::string& sp = edict[e].spelling();
        agree &= kPvNoun | kPvAdverb | (edict[e].adjectiveNa ? kPvAdjective : 0u);
        if (cost != INT_MAX || !agree || !sameWritten.count(e) || measure || edict[e].usuallyKana ||
            japanese.classes.count(sp) || !inCodePage932(sp))
          continue;
        cost = japanese.nounMedian;
      }
      if (cost == INT_MAX || !inJapaneseScript(edict[e].spelling())) continue;
      Meeting m;
      for (const CedictEntry* c : entries->second) {
        const Meeting one = meetEveryday(edict[e].senses, c->senses);
        if (std::tie(one.firstSenses, one.heads, one.glosses) > std::tie(m.firstSenses, m.heads, m.glosses)) m = one;
      }
      if (rare && !m.firstSenses) continue;
      // A unit takes a Japanese counter first (フィート, not 脚, for 英尺: foot).
      const bool counter = measure && japanese.counters.count(edict[e].spelling());
      // The same characters and first senses sharing a gloss are two sources that agree; a verb
      // with the kana of its ending comes after a pair whose first senses agree (推 押す, not 推す).
      const bool written =
          sameWritten.count(e) &&
          (m.firstSenses || std::any_of(entries->second.begin(), entries->second.end(), [&](const CedictEntry* c) {
             return firstSenseWordsMeet(edict[e].senses, c->senses);
           }));
      const bool withEnding = inflected.count(e) && m.glosses && sharesGlossWithAFirstSense(edict[e].senses, entries->second);
      // A counter of the IPA dictionary is a word of its own, common or not (キロメートル).
      const bool loose = lastPass && edict[e].common && firstSensesMeetTwice(m);
      if (!written && !withEnding && !loose && !((edict[e].common || counter) && firstSensesAgree(m))) continue;
      const std::array<int, 10> score = {counter ? 1 : 0, written ? 1 : 0, m.firstSenses, m.heads, edict[e].common ? 1 : 0,
                                        name || measure || !katakanaOnly(edict[e].spelling()) ? 1 : 0,
                                        (cls & kPvVerb) || !edict[e].suru ? 1 : 0,
                                        sharesCharacter(w.word, edict[e].spelling()) ? 1 : 0, m.glosses, -cost};
      if (bestEntry < 0 || score > best) {
        best = score;
        bestEntry = e;
        bestClass = agree;
        byCharacters = written || (withEnding && !firstSensesAgree(m));
      }
    }
    if (bestEntry < 0 || (strict && !byCharacters &&
                          !(edict[bestEntry].common && sameFirstSense(edict[bestEntry], entries->second))))
      continue;
    // The best pair resting on a vague gloss leaves the word without one: the next best is no better.
    const std::string& bestSpelling = edict[bestEntry].spelling();
    const bool gradedRight = vouched.count({w.word, bestSpelling}) || vouched.count({w.word, bestSpelling + "する"}) ||
                             vouched.count({w.word, bestSpelling + "だ"});
    if (!byCharacters && !gradedRight && restsOnVagueGloss(edict[bestEntry].senses, entries->second, w.word, bestSpelling, vague)) {
      sizes.vague.insert(w.word);
      continue;
    }
    out += w.word + '\t' + tag->entry + "\t-\t" + pairTranslation(edict[bestEntry], bestClass, measure) + '\n';
    ++sizes.chineseToJapanese;
  }
  return out;
}

namespace {

// The longest word the compound and name rules write: the engine reads a word's pinyin into a
// line of eight syllables at most (全国人民代表大会常务委员会 would be cut).
constexpr std::size_t kLongestRuleWord = 8;

// A sense of one shares a gloss with a sense of the other.
bool sensesMeet(const std::vector<PivotSense>& japanese, const std::vector<PivotSense>& chinese) {
  for (const PivotSense& j : japanese)
    for (const std::string& g : j.glosses)
      for (const PivotSense& c : chinese)
        if (contains(c.glosses, g)) return true;
  return false;
}

// CC-CEDICT's reading without tones and blanks, lower case ("Jiang1 xia4 Qu1": jiangxiaqu).
std::string tonelessReading(const std::string& reading) {
  std::string out;
  for (char c : reading)
    if (c >= 'A' && c <= 'Z') out += static_cast<char>(c - 'A' + 'a');
    else if (c >= 'a' && c <= 'z') out += c;
  return out;
}

}  // namespace

std::string crossClassCjWords(std::string_view words, const std::vector<ChineseListWord>& list,
                              const std::map<std::string, FullTag>& tags,
                              const std::map<std::string, std::string>& falseFriends, const JapaneseIndex& japanese,
                              const std::map<char16_t, char16_t>& forms, const TraditionalForms& traditional,
                              const std::map<char16_t, char16_t>& twins, const std::vector<EdictEntry>& edict,
                              const std::vector<CedictEntry>& cedict, int cap, int& added) {
  const std::set<std::string> have = sourceKeys(words);
  const auto byWord = cedictByWord(cedict);
  std::unordered_map<std::string, std::vector<const EdictEntry*>> byWritten;
  for (const EdictEntry& e : edict) byWritten[e.written].push_back(&e);
  // The entries of the Japanese word's own class.
  const auto entryOf = [&](const char* tag) {
    auto it = tags.find(tag);
    return it == tags.end() ? std::string() : it->second.entry;
  };
  const std::string suruEntry = entryOf("vn"), adjectiveEntry = entryOf("a"), adverbEntry = entryOf("d"),
                    nounEntry = entryOf("n"), timeEntry = entryOf("t");
  std::string out;
  int looked = 0;
  for (const ChineseListWord& w : list) {
    if (looked++ >= cap) break;
    auto tag = tags.find(w.tag);
    if (tag == tags.end() || !chineseClass(tag->second) || have.count(w.word) || falseFriends.count(w.word)) continue;
    // A single character has too many senses for a shared gloss to tell (足: foot, enough).
    if (plat::utf8ToWide(w.word).size() < 2) continue;
    auto entries = byWord.find(w.word);
    std::string engine;
    if (entries == byWord.end() || !chineseToEngineColumn(w.word, engine) || engine.empty()) continue;
    // The word's own characters where the IPA dictionary holds them, else its most frequent spelling.
    std::string spelling;
    unsigned cls = 0;
    int best = 0;
    for (const std::string& sp : japaneseSpellings(w.word, forms, traditional, twins)) {
      auto it = japanese.classes.find(sp);
      if (it == japanese.classes.end() || !(it->second & (kJpCommon | kJpAdverb))) continue;
      const int cost = japanese.cost.at(sp);
      if (spelling.empty() || cost < best) {
        spelling = sp;
        cls = it->second;
        best = cost;
      }
      if (sp == w.word) break;
    }
    if (spelling.empty()) continue;
    auto jp = byWritten.find(spelling);
    if (jp == byWritten.end() ||
        std::none_of(jp->second.begin(), jp->second.end(), [&](const EdictEntry* e) {
          return std::any_of(entries->second.begin(), entries->second.end(),
                             [&](const CedictEntry* c) {
                               return sensesMeet(e->senses, c->senses) || firstSenseWordsMeet(e->senses, c->senses);
                             });
        }))
      continue;
    std::string entry, translation;
    if (cls & kJpSuruNoun) {
      entry = suruEntry;
      translation = "N," + spelling + ",N0000 | V," + spelling + "する,SHT00";
    } else if (cls & kJpAdjectiveStem) {
      entry = adjectiveEntry;
      translation = "A," + spelling + "だ,KYODO";
    } else if (cls & kJpAdverb) {
      entry = adverbEntry;
      translation = "F," + spelling + ",FUKU0";
    } else {
      entry = cls & kJpTime ? timeEntry : nounEntry;
      translation = "N," + spelling + ",N0000";
    }
    if (entry.empty()) continue;
    out += w.word + '\t' + entry + "\t-\t" + translation + '\n';
    ++added;
  }
  return out;
}

std::string compoundCjWords(std::string_view words, const std::vector<ChineseListWord>& list,
                            const std::map<std::string, FullTag>& tags,
                            const std::map<std::string, std::string>& falseFriends, const JapaneseIndex& japanese,
                            const std::map<char16_t, char16_t>& forms, const TraditionalForms& traditional,
                            const std::map<char16_t, char16_t>& twins, int cap, int& added) {
  static const std::set<std::string> kNounTags = {"n", "nz", "s", "t", "nt"};
  const std::set<std::string> have = sourceKeys(words);
  // The cost of a piece: a common noun of two or more characters, a prefix first, a suffix last.
  const auto pieceCost = [&](const std::u16string& piece, bool first, bool last) {
    const std::string p = plat::wideToUtf8(piece);
    if ((first && japanese.prefixes.count(p)) || (last && japanese.suffixes.count(p))) return japanese.nounMedian;
    auto it = japanese.classes.find(p);
    if (piece.size() < 2 || it == japanese.classes.end() || !(it->second & kJpCommon) ||
        !(it->second & (kJpNoun | kJpSuruNoun | kJpAdjectiveStem)))
      return INT_MAX;
    return japanese.cost.at(p);
  };
  // The split into the fewest pieces, two or more, then the lowest cost; {INT_MAX, 0} for none.
  const auto split = [&](const std::u16string& w) {
    using Best = std::pair<int, long>;  // pieces, cost
    std::vector<Best> best(w.size() + 1, {INT_MAX, 0});
    best[0] = {0, 0};
    for (std::size_t i = 0; i < w.size(); ++i) {
      if (best[i].first == INT_MAX) continue;
      for (std::size_t j = i + 1; j <= w.size(); ++j) {
        if (j - i == w.size()) continue;
        const int cost = pieceCost(w.substr(i, j - i), i == 0, j == w.size());
        if (cost == INT_MAX) continue;
        const Best next{best[i].first + 1, best[i].second + cost};
        if (next < best[j]) best[j] = next;
      }
    }
    return best[w.size()];
  };
  std::string out;
  int looked = 0;
  for (const ChineseListWord& w : list) {
    if (looked++ >= cap) break;
    auto tag = tags.find(w.tag);
    if (!kNounTags.count(w.tag) || tag == tags.end() || have.count(w.word) || falseFriends.count(w.word)) continue;
    const std::size_t length = plat::utf8ToWide(w.word).size();
    if (length < 3 || length > kLongestRuleWord) continue;
    std::string engine;
    if (!inChineseScript(w.word) || !chineseToEngineColumn(w.word, engine) || engine.empty()) continue;
    std::string spelling;
    std::pair<int, long> best{INT_MAX, 0};
    for (const std::string& sp : japaneseSpellings(w.word, forms, traditional, twins)) {
      if (japanese.classes.count(sp) || japanese.conjugation.count(sp)) continue;
      const auto found = split(plat::utf8ToWide(sp));
      if (found.first != INT_MAX && found < best) {
        best = found;
        spelling = sp;
      }
    }
    if (spelling.empty()) continue;
    out += w.word + '\t' + tag->second.entry + "\t-\tN," + spelling + ",N0000\n";
    ++added;
  }
  return out;
}

std::string nameCjWords(std::string_view words, const std::vector<ChineseListWord>& list,
                        const std::map<std::string, FullTag>& tags,
                        const std::map<std::string, std::string>& falseFriends, const JapaneseIndex& japanese,
                        const std::map<char16_t, char16_t>& forms, const TraditionalForms& traditional,
                        const std::map<char16_t, char16_t>& twins, const std::vector<CedictEntry>& cedict, int cap,
                        int& added) {
  static const std::set<std::string> kNameTags = {"nr", "nrfg", "nrt", "ns", "nt"};
  if (cedict.empty()) return {};
  const std::set<std::string> have = sourceKeys(words);
  const auto byWord = cedictByWord(cedict);
  // How many words of the IPA dictionary hold each character.
  std::unordered_map<char16_t, int> uses;
  for (const auto& [written, cls] : japanese.classes)
    for (char16_t c : plat::utf8ToWide(written)) ++uses[c];
  std::string out;
  int looked = 0;
  for (const ChineseListWord& w : list) {
    if (looked++ >= cap) break;
    auto tag = tags.find(w.tag);
    if (!kNameTags.count(w.tag) || tag == tags.end() || have.count(w.word) || falseFriends.count(w.word) ||
        plat::utf8ToWide(w.word).size() > kLongestRuleWord)
      continue;
    std::string engine;
    if (!inChineseScript(w.word) || !chineseToEngineColumn(w.word, engine) || engine.empty()) continue;
    if (auto entries = byWord.find(w.word); entries != byWord.end()) {
      const auto& es = entries->second;
      if (std::any_of(es.begin(), es.end(), [](const CedictEntry* c) { return c->reading[0] >= 'a' && c->reading[0] <= 'z'; }))
        continue;
      // Read in Chinese: the first gloss begins with the reading, at least its first syllable, or
      // sends to the longer name (宜昌: see 宜昌市).
      const bool chinese = std::any_of(es.begin(), es.end(), [&](const CedictEntry* c) {
        const std::string& gloss = c->senses[0].glosses[0];
        if (gloss.rfind("see ", 0) == 0 && gloss.find(w.word, 4) != std::string::npos) return true;
        std::size_t n = 0;
        while (n < gloss.size() && gloss[n] >= 'a' && gloss[n] <= 'z') ++n;
        const std::string toneless = tonelessReading(c->reading);
        std::size_t first = 0;
        while (first < c->reading.size() && c->reading[first] != ' ') ++first;
        return n > 0 && n >= tonelessReading(c->reading.substr(0, first)).size() && toneless.compare(0, n, gloss, 0, n) == 0;
      });
      if (!chinese) continue;
    }
    // Of the spellings, the one whose characters the IPA dictionary's words of two or more
    // characters cover most (天安門広場: 広場), then whose characters its words use most (張無忌, not 张无忌).
    std::string spelling;
    std::pair<int, double> best{-1, 0};
    for (const std::string& sp : japaneseSpellings(w.word, forms, traditional, twins)) {
      const std::u16string wide = plat::utf8ToWide(sp);
      std::vector<int> covered(wide.size() + 1, 0);
      for (std::size_t i = 0; i < wide.size(); ++i) {
        covered[i + 1] = std::max(covered[i + 1], covered[i]);
        for (std::size_t j = i + 2; j <= wide.size(); ++j)
          if (japanese.classes.count(plat::wideToUtf8(wide.substr(i, j - i))))
            covered[j] = std::max(covered[j], covered[i] + static_cast<int>(j - i));
      }
      double use = 0;
      for (char16_t c : wide)
        if (auto it = uses.find(c); it != uses.end()) use += std::log1p(it->second);
      const std::pair<int, double> score{covered[wide.size()], use};
      if (score > best) {
        best = score;
        spelling = sp;
      }
    }
    if (spelling.empty()) continue;
    const bool person = tag->second.entry.find("a[H]") != std::string::npos;
    out += w.word + '\t' + tag->second.entry + "\t-\tN," + spelling + (person ? ",N<人>\n" : ",N0000\n");
    ++added;
  }
  return out;
}

std::string pairLexiconLines(const EdictEntry& j, unsigned cls, const std::string& chinese, const JapaneseIndex& japanese,
                             const std::map<std::string, FullConjugation>& conjugations,
                             const std::set<std::string>& handMade, std::set<std::string>& stems, std::string* why) {
  const auto refuse = [&](const char* reason) {
    if (why) *why = reason;
    return std::string();
  };
  const std::string& sp = j.spelling();
  auto nounBits = japanese.classes.find(sp);
  const unsigned bits = nounBits == japanese.classes.end() ? 0 : nounBits->second;
  const auto nounWeight = [&] { return std::to_string(weightOfCost(japanese.cost.at(sp), japanese.nounMedian)); };
  // A verb or adjective of the IPA dictionary by its conjugation type: its stem, type and weight.
  const auto inflected = [&](int pos, std::string& stem, int& type) -> const char* {
    auto found = japanese.conjugation.find(sp);
    if (found == japanese.conjugation.end()) return "no verb or adjective of the IPA dictionary";
    auto conj = conjugations.find(found->second);
    if (conj == conjugations.end() || conj->second.pos != pos) return "a conjugation type the card does not write";
    stem = stemOf(sp, conj->second);
    type = conj->second.type;
    if (stem.empty()) return "a conjugation type the card does not write";
    if (handMade.count(stem)) return "the hand-made lexicon holds the stem";
    if (!stems.insert(stemKey(stem, pos, type)).second) return "the lexicon holds the stem";
    return nullptr;
  };
  if (cls & kPvVerb) {
    const int sub = j.intransitive && !j.transitive ? 2 : 1;
    if (j.suru) {
      if (!(bits & kJpSuruNoun)) return refuse("no サ変 noun of the IPA dictionary");
      if (handMade.count(sp)) return refuse("the hand-made lexicon holds the noun");
      if (!stems.insert(stemKey(sp, 2, 16)).second) return refuse("the lexicon holds the verb with する");
      // The noun, then the noun with する, as the characters' pairs give them.
      return sp + "\t6.2.0.0\t=\t" + chinese + "\t\t\t\t" + nounWeight() + '\n' +
             lexiconLine(sp, 2, sub, 16, chinese, sub == 2 ? "V1" : "VT",
                         weightOfCost(japanese.cost.at(sp), japanese.nounMedian));
    }
    std::string stem;
    int type = 0;
    if (const char* reason = inflected(2, stem, type)) return refuse(reason);
    return lexiconLine(stem, 2, sub, type, chinese, sub == 2 ? "V1" : "VT", inflectedWeight(japanese, sp, 2));
  }
  if (cls & kPvAdjective) {
    if (j.adjectiveI) {
      std::string stem;
      int type = 0;
      if (const char* reason = inflected(3, stem, type)) return refuse(reason);
      return lexiconLine(stem, 3, 0, type, chinese, "A", inflectedWeight(japanese, sp, 3));
    }
    if (!(bits & kJpAdjectiveStem)) return refuse("no 形容動詞 stem of the IPA dictionary");
    return sp + "\t3.0.21.0\t=\t" + chinese + "\tA\t\t\t" + nounWeight() + '\n';
  }
  if (cls & kPvAdverb) {
    if (!(bits & kJpAdverb)) return refuse("no adverb of the IPA dictionary");
    return sp + "\t8.6.0.0\t=\t" + chinese + "\t\t\t\t" + nounWeight() + '\n';
  }
  // A noun of the IPA dictionary, or a common one of EDICT's that it lacks (誕生日, 郵便局).
  const bool edictOnly = bits == 0 && j.common && inCodePage932(sp);
  if (!edictOnly && !(bits & (kJpNoun | kJpSuruNoun | kJpAdjectiveStem)))
    return refuse("no noun of the IPA dictionary nor a common EDICT word");
  if (!edictOnly && (bits & kJpPerson) && !(bits & kJpCommon)) return refuse("a person's name only");
  const char* codes = (bits & kJpSuruNoun)                                ? "6.2.0.0"
                      : (bits & kJpTime)                                  ? "6.10.0.0"
                      : ((bits & kJpPlace) && !(bits & kJpCommon))        ? "6.4.0.0"
                      : ((bits & kJpOrganisation) && !(bits & kJpCommon)) ? "6.6.0.0"
                                                                          : "6.1.0.0";
  return sp + '\t' + codes + "\t=\t" + chinese + "\t\t\t\t" + (edictOnly ? std::string("10") : nounWeight()) + '\n';
}

std::string pivotJcLexicon(std::string_view lexicon, const std::vector<ChineseListWord>& list,
                           const std::map<std::string, FullTag>& tags,
                           const std::map<std::string, std::string>& falseFriends, const JapaneseIndex& japanese,
                           const std::map<std::string, FullConjugation>& conjugations,
                           const std::vector<EdictEntry>& edict, const std::vector<CedictEntry>& cedict, int cap,
                           PivotSizes& sizes, const SpellingsOf& spellings, const GradedPairs& vouched,
                           bool lastPass) {
  std::set<std::string> keys = sourceKeys(lexicon), stems = lexiconStemKeys(lexicon);
  // Keys of the hand-made lexicon (the sample card's and the core's): no pair through English adds
  // a stem of the same spelling beside them.
  const std::set<std::string> handMade = sourceKeys(lexicon.substr(0, lexicon.find(kGeneratedLexiconHeading)));
  // The list's words by gloss: (rank in the list, sense), the most frequent first.
  struct Chinese {
    const std::string* word;
    unsigned cls;
  };
  std::vector<Chinese> words;
  std::unordered_map<std::string, std::vector<std::pair<int, int>>> index;
  const std::vector<CedictEntry> everyday = everydayCedict(cedict);
  const auto byWord = cedictByWord(everyday);
  const FirstGlossCounts vague = commonFirstGlosses(edict);
  for (const ChineseListWord& w : list) {
    if (static_cast<int>(words.size()) >= cap) break;
    const int rank = static_cast<int>(words.size());
    words.push_back({&w.word, 0});
    auto tag = tags.find(w.tag);
    auto entries = byWord.find(w.word);
    auto ff = falseFriends.find(w.word);
    // Numerals (多少, how much) translate Japanese nouns and adverbs; the card's own Chinese words
    // leave them to the core.
    const bool numeral = w.tag == "m";
    if ((tag == tags.end() && !numeral) || entries == byWord.end() || (ff != falseFriends.end() && ff->second == "-"))
      continue;
    std::string engine;
    if (!inChineseScript(w.word) || !chineseToEngineColumn(w.word, engine) || engine.empty()) continue;
    words.back().cls = numeral ? (kPvNoun | kPvAdverb) : chineseClass(tag->second);
    // A common word the list tags as a name (熊猫 nr) is a noun, as Chinese to Japanese.
    if (!numeral && !words.back().cls && tag->second.entry.find("a[H]") != std::string::npos &&
        plat::utf8ToWide(w.word).size() >= 2 &&
        std::any_of(entries->second.begin(), entries->second.end(), [](const CedictEntry* c) { return commonEntry(*c); }))
      words.back().cls = kPvNoun;
    if (!words.back().cls) continue;
    for (const CedictEntry* c : entries->second)
      for (std::size_t s = 0; s < c->senses.size(); ++s)
        for (const std::string& g : c->senses[s].glosses) index[g].emplace_back(rank, static_cast<int>(s));
  }
  // The most frequent list word of each Japanese spelling (混凝土: 混凝土, 馬来西亜: 马来西亚); false
  // friends left out.
  std::unordered_map<std::string, int> writtenRank;
  for (int rank = 0; rank < static_cast<int>(words.size()); ++rank) {
    if (!words[rank].cls || falseFriends.count(*words[rank].word)) continue;
    if (auto sp = spellings.find(*words[rank].word); sp != spellings.end())
      for (const std::string& form : sp->second) writtenRank.emplace(form, rank);
  }
  std::string out;
  for (const EdictEntry& j : edict) {
    const std::string& sp = j.spelling();
    if (keys.count(sp)) continue;
    const std::size_t length = characterCount(sp);
    // A key of one or two hiragana (さい, しし) would be found inside everyday words.
    const std::u16string wide = plat::utf8ToWide(sp);
    if (wide.size() < 3 && std::all_of(wide.begin(), wide.end(), [](char16_t c) { return c >= 0x3041 && c <= 0x309F; }))
      continue;
    std::map<int, unsigned> candidates;  // rank -> classes agreeing
    for (std::size_t s = 0; s < j.senses.size(); ++s) {
      for (const std::string& g : j.senses[s].glosses) {
        auto hit = index.find(g);
        if (hit == index.end()) continue;
        for (auto [rank, cs] : hit->second)
          if (s == 0 || cs == 0) candidates[rank] |= words[rank].cls & j.senses[s].classes;
      }
    }
    // The list word written with the Japanese word's characters, where the key is its kana or a
    // spelling the IPA dictionary lacks (the rules of the characters decided the others).
    int sameRank = -1;
    if (auto it = writtenRank.find(j.written);
        it != writtenRank.end() && (sp != j.written || (!japanese.classes.count(sp) && !japanese.conjugation.count(sp)))) {
      sameRank = it->second;
      candidates[sameRank] |= words[sameRank].cls & j.senses[0].classes;
    }
    std::array<int, 6> bestScore{};
    int best = -1;
    unsigned bestClass = 0;
    for (auto [rank, agree] : candidates) {
      if (!agree) continue;
      Meeting m;
      for (const CedictEntry* c : byWord.at(*words[rank].word)) {
        const Meeting one = meetEveryday(j.senses, c->senses);
        if (std::tie(one.firstSenses, one.heads, one.glosses) > std::tie(m.firstSenses, m.heads, m.glosses)) m = one;
      }
      // The same characters and first senses sharing a gloss are two sources that agree.
      const auto& its = byWord.at(*words[rank].word);
      const bool written = rank == sameRank && (m.firstSenses || std::any_of(its.begin(), its.end(), [&](const CedictEntry* c) {
                                                  return firstSenseWordsMeet(j.senses, c->senses);
                                                }));
      if (!written) {
        // Japanese to Chinese the first senses must agree: a later sense of a Japanese word is too
        // often a far one (受胎, conception, is no 想像力; 経過 no 失误).
        if (!(m.firstSenses && firstSensesAgree(m)) && !(lastPass && j.common && firstSensesMeetTwice(m))) continue;
        // A noun of two or more characters takes no noun of one character (昼前 is no 朝, 取次 no 社).
        if (length >= 2 && characterCount(*words[rank].word) == 1 && !(agree & (kPvVerb | kPvAdjective))) continue;
      }
      // A verb with する (学習) takes a Chinese verb (学习) before a noun (书房, a study).
      const std::array<int, 6> score = {written ? 1 : 0, m.firstSenses, j.suru && (agree & kPvVerb) ? 1 : 0,
                                        m.heads, m.glosses, -rank};
      if (best < 0 || score > bestScore) {
        bestScore = score;
        best = rank;
        bestClass = agree;
      }
    }
    if (best < 0) continue;
    // The best pair resting on a vague gloss leaves the word without one: the next best is no better.
    // Nor does a later entry of the same spelling take the key (スタンプ: stamp, then stump).
    if (!bestScore[0] && !vouched.count({sp, *words[best].word}) &&
        restsOnVagueGloss(j.senses, byWord.at(*words[best].word), *words[best].word, sp, vague)) {
      keys.insert(sp);
      continue;
    }
    // A key of one kanji pairs only with a Chinese word of one or two characters written with it (亀
    // 龟, 斧 斧子, 麺 面条), or as graded right by hand: English meets on the kanji's sense as a word of
    // its own (独: Germany, 平: plain, 西: Spain), and the analysis falls back on the key inside every
    // word it splits (独自, 平和, 西洋).
    if (wide.size() == 1 && wide[0] >= 0x3400 && !vouched.count({sp, *words[best].word})) {
      auto forms = spellings.find(*words[best].word);
      if (forms == spellings.end() || characterCount(*words[best].word) > 2 ||
          std::none_of(forms->second.begin(), forms->second.end(), [&](const std::string& f) {
            return f.find(sp) != std::string::npos;
          })) {
        keys.insert(sp);
        continue;
      }
    }
    // Verbs, adjectives and adverbs only from EDICT's common words: the rare ones would cut
    // everyday text apart.
    if ((bestClass & (kPvVerb | kPvAdjective | kPvAdverb)) && !j.common) continue;
    const std::string line = pairLexiconLines(j, bestClass, *words[best].word, japanese, conjugations, handMade, stems);
    if (line.empty()) continue;
    keys.insert(sp);
    out += line;
    ++sizes.japaneseToChinese;
  }
  return out;
}

std::string spellingVariantJcLines(std::string_view lexicon, const std::vector<EdictEntry>& edict, int& added) {
  // A word's line by its key: nouns, na-adjectives, adverbs (stems of verbs and adjectives left out).
  std::map<std::string, std::string> wordLines;
  std::set<std::string> keys;
  eachContentLine(lexicon, [&](int, std::string_view line) {
    if (line[0] == '+') return;
    const std::vector<std::string> f = splitOn(line, '\t');
    if (f.size() < 4) return;
    keys.insert(f[0]);
    const bool stem = f[1].rfind("2.", 0) == 0 || (f[1].rfind("3.", 0) == 0 && f[1].rfind("3.0.21.", 0) != 0);
    if (!stem && !f[3].empty()) wordLines.emplace(f[0], std::string(line));
  });
  // EDICT's entries by reading, kanji and first sense: spellings of one word.
  const auto wordKey = [](const EdictEntry& e) {
    std::string kanji;
    for (char16_t c : plat::utf8ToWide(e.written))
      if ((c >= 0x3400 && c <= 0x9FFF) || c == u'々') kanji += plat::wideToUtf8(std::u16string(1, c));
    if (kanji.empty() || e.senses.empty()) return std::string();
    std::string key = e.kana + '\t' + kanji;
    for (const std::string& g : e.senses[0].glosses) key += '\t' + g;
    return key;
  };
  std::unordered_map<std::string, std::vector<int>> spellingsOf;
  for (int e = 0; e < static_cast<int>(edict.size()); ++e)
    if (const std::string key = wordKey(edict[e]); !key.empty()) spellingsOf[key].push_back(e);
  std::string out;
  for (const EdictEntry& e : edict) {
    if (!e.common || e.usuallyKana || keys.count(e.written)) continue;
    const std::string key = wordKey(e);
    if (key.empty()) continue;
    for (int other : spellingsOf[key]) {
      // A one-kanji key reads several words (語 of 語り and 語): its pair is no witness.
      auto line = wordLines.find(edict[other].written);
      if (line == wordLines.end() || plat::utf8ToWide(edict[other].written).size() < 2) continue;
      out += e.written + line->second.substr(line->second.find('\t')) + '\n';
      keys.insert(e.written);
      ++added;
      break;
    }
  }
  return out;
}

std::string pastCapJcLines(std::string_view lexicon, const std::vector<ChineseListWord>& list,
                           const std::map<std::string, FullTag>& tags,
                           const std::map<std::string, std::string>& falseFriends, const JapaneseIndex& japanese,
                           const std::map<char16_t, char16_t>& forms, const TraditionalForms& traditional,
                           const std::map<char16_t, char16_t>& twins, const std::vector<EdictEntry>& edict,
                           const std::vector<CedictEntry>& cedict, int cap, int& added) {
  std::set<std::string> keys = sourceKeys(lexicon), stems = lexiconStemKeys(lexicon);
  // EDICT's common words of two or more kanji that the lexicon lacks, by spelling.
  std::unordered_map<std::string, const EdictEntry*> wanted;
  for (const EdictEntry& e : edict) {
    const std::u16string w = plat::utf8ToWide(e.written);
    if (!e.common || e.usuallyKana || w.size() < 2 || keys.count(e.written) ||
        !std::all_of(w.begin(), w.end(), [](char16_t c) { return c >= 0x3400 && c <= 0x9FFF; }))
      continue;
    auto bits = japanese.classes.find(e.written);
    if (bits == japanese.classes.end() || !(bits->second & kJpCommon)) continue;
    wanted.emplace(e.written, &e);
  }
  const std::vector<CedictEntry> everyday = everydayCedict(cedict);
  const auto byWord = cedictByWord(everyday);
  std::string out;
  // One line, or a noun and a verb with する, in the Japanese word's class.
  const auto add = [&](const std::string& sp, const EdictEntry& j, const std::string& chinese, bool verb) {
    const unsigned bits = japanese.classes.at(sp);
    const int cost = japanese.cost.at(sp);
    const std::string weight = std::to_string(weightOfCost(cost, japanese.nounMedian));
    if (bits & kJpSuruNoun) {
      out += sp + "\t6.2.0.0\t=\t" + chinese + "\t\t\t\t" + weight + '\n';
      const int sub = j.intransitive && !j.transitive ? 2 : 1;
      if (verb && stems.insert(stemKey(sp, 2, 16)).second)
        out += lexiconLine(sp, 2, sub, 16, chinese, sub == 2 ? "V1" : "VT", weightOfCost(cost, japanese.nounMedian));
    } else if (bits & kJpAdjectiveStem) {
      out += sp + "\t3.0.21.0\t=\t" + chinese + "\tA\t\t\t" + weight + '\n';
    } else {
      out += sp + '\t' + ((bits & kJpTime) ? "6.10.0.0" : "6.1.0.0") + "\t=\t" + chinese + "\t\t\t\t" + weight + '\n';
    }
    keys.insert(sp);
    ++added;
  };
  std::set<std::string> listed;
  int looked = 0;
  for (const ChineseListWord& w : list) {
    listed.insert(w.word);
    if (looked++ < cap) continue;
    auto tag = tags.find(w.tag);
    if (tag == tags.end() || !chineseClass(tag->second) || falseFriends.count(w.word) || characterCount(w.word) < 2 ||
        !inChineseScript(w.word))
      continue;
    auto entries = byWord.find(w.word);
    std::string engine;
    if (entries == byWord.end() || !chineseToEngineColumn(w.word, engine) || engine.empty()) continue;
    for (const std::string& sp : japaneseSpellings(w.word, forms, traditional, twins)) {
      auto j = wanted.find(sp);
      if (j == wanted.end() || keys.count(sp) ||
          std::none_of(entries->second.begin(), entries->second.end(),
                       [&](const CedictEntry* c) { return firstSenseWordsMeet(j->second->senses, c->senses); }))
        continue;
      add(sp, *j->second, w.word, (chineseClass(tag->second) & kPvVerb) != 0);
    }
  }
  // Then the common words of CC-CEDICT that the list lacks (会话, 消防署, 和食), a verb with する where
  // EDICT gives the Japanese word one.
  for (const CedictEntry& c : everyday) {
    if (listed.count(c.simplified) || !commonEntry(c) || characterCount(c.simplified) < 2 ||
        !inChineseScript(c.simplified) || falseFriends.count(c.simplified))
      continue;
    std::string engine;
    if (!chineseToEngineColumn(c.simplified, engine) || engine.empty()) continue;
    for (const std::string& sp : japaneseSpellings(c.simplified, forms, traditional, twins)) {
      auto j = wanted.find(sp);
      if (j == wanted.end() || keys.count(sp) || !firstSenseWordsMeet(j->second->senses, c.senses)) continue;
      add(sp, *j->second, c.simplified, j->second->suru);
    }
  }
  return out;
}

ViewerPairs viewerPairs(const std::vector<EdictEntry>& edict, const std::vector<CedictEntry>& cedict,
                        const std::map<std::string, long>& frequency, std::size_t most) {
  // A gloss that many first senses share ("to be", "person") pairs nothing by itself.
  constexpr std::size_t kVagueGloss = 200;
  ViewerPairs out;
  out.japanese.resize(edict.size());
  // First senses only, by gloss.
  std::unordered_map<std::string, std::vector<int>> japaneseFirst, chineseFirst;
  for (int e = 0; e < static_cast<int>(edict.size()); ++e)
    if (inCodePage932(edict[e].written) && inCodePage932(edict[e].kana) && inJapaneseScript(edict[e].spelling()))
      for (const std::string& g : edict[e].senses[0].glosses) japaneseFirst[g].push_back(e);
  // The common entries of each Chinese word, the word's senses being those of its common entries.
  std::map<std::string, std::vector<const CedictEntry*>> words;
  for (const CedictEntry& c : cedict)
    if (commonEntry(c)) words[c.simplified].push_back(&c);
  std::vector<const std::string*> names;
  for (const auto& [word, entries] : words) {
    std::string engine;
    if (!inChineseScript(word) || !chineseToEngineColumn(word, engine) || engine.empty()) continue;
    const int id = static_cast<int>(names.size());
    names.push_back(&word);
    for (const CedictEntry* c : entries)
      for (const std::string& g : c->senses[0].glosses) chineseFirst[g].push_back(id);
  }
  auto meeting = [&](int e, int w) {
    Meeting m;
    for (const CedictEntry* c : words.at(*names[w])) {
      const Meeting one = meet(edict[e].senses, c->senses);
      if (std::tie(one.firstSenses, one.heads, one.glosses) > std::tie(m.firstSenses, m.heads, m.glosses)) m = one;
    }
    return m;
  };
  using Score = std::array<long, 6>;
  auto keepBest = [most](std::vector<std::pair<Score, int>>& ranked) {
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    // Only partners that meet as well as the best one (how many first glosses lie in the other sense).
    std::size_t keep = 0;
    while (keep < ranked.size() && keep < most && ranked[keep].first[0] == ranked[0].first[0]) ++keep;
    ranked.resize(keep);
  };

  // Chinese words: their Japanese partners.
  for (int w = 0; w < static_cast<int>(names.size()); ++w) {
    std::set<int> candidates;
    for (const CedictEntry* c : words.at(*names[w]))
      for (const std::string& g : c->senses[0].glosses)
        if (auto hit = japaneseFirst.find(g); hit != japaneseFirst.end() && hit->second.size() <= kVagueGloss)
          candidates.insert(hit->second.begin(), hit->second.end());
    std::vector<std::pair<Score, int>> ranked;
    for (int e : candidates) {
      const Meeting m = meeting(e, w);
      if (!m.firstSenses || !m.heads) continue;
      const EdictEntry& j = edict[e];
      ranked.push_back({Score{m.heads, j.common ? 1 : 0, katakanaOnly(j.spelling()) ? 0 : 1,
                              sharesCharacter(*names[w], j.spelling()) ? 1 : 0, m.glosses, -e},
                        e});
    }
    if (ranked.empty()) continue;
    keepBest(ranked);
    ViewerPair& pair = out.chinese[*names[w]];
    pair.classes = edict[ranked[0].second].senses[0].classes;
    for (const auto& [score, e] : ranked)
      if (std::find(pair.partners.begin(), pair.partners.end(), edict[e].spelling()) == pair.partners.end())
        pair.partners.push_back(edict[e].spelling());
  }

  // Japanese words: their Chinese partners.
  for (int e = 0; e < static_cast<int>(edict.size()); ++e) {
    std::set<int> candidates;
    for (const std::string& g : edict[e].senses[0].glosses)
      if (auto hit = chineseFirst.find(g); hit != chineseFirst.end() && hit->second.size() <= kVagueGloss)
        candidates.insert(hit->second.begin(), hit->second.end());
    std::vector<std::pair<Score, int>> ranked;
    for (int w : candidates) {
      const Meeting m = meeting(e, w);
      if (!m.firstSenses || !m.heads) continue;
      auto f = frequency.find(*names[w]);
      ranked.push_back({Score{m.heads, f == frequency.end() ? 0 : f->second,
                              sharesCharacter(*names[w], edict[e].spelling()) ? 1 : 0, m.glosses, 0, -w},
                        w});
    }
    if (ranked.empty()) continue;
    keepBest(ranked);
    out.japanese[e].classes = edict[e].senses[0].classes;
    for (const auto& [score, w] : ranked) out.japanese[e].partners.push_back(*names[w]);
  }
  return out;
}

}  // namespace datagen
