#include "apps/dictionary/pinyin_convert.h"

#include "platform/core/little_endian.h"
#include "platform/core/resources.h"

#include <array>
#include <cstdint>
#include <vector>

namespace dict {

namespace {

// Plain and toned a, e, i, o, u, ü: position mod 5 is the tone, div 5 the letter of "aeiouv".
constexpr char16_t kTonedVowels[] = u"aāáǎàeēéěèiīíǐìoōóǒòuūúǔùüǖǘǚǜ";
constexpr char16_t kLowerToned[] = u"āáǎàēéěèīíǐìōóǒòūúǔùǖǘǚǜü";
constexpr char16_t kUpperToned[] = u"ĀÁǍÀĒÉĚÈĪÍǏÌŌÓǑÒŪÚǓÙǕǗǙǛÜ";

constexpr char16_t kFirstZhuyin = 0x3105;
constexpr char16_t kLastZhuyin = 0x3129;
constexpr int kInitials = 21;
constexpr int kMaxZhuyinResult = 64;

constexpr const char* kInitialSpelling[kInitials] = {"b", "p", "m", "f", "d", "t", "n", "l", "g", "k", "h",
                                                     "j", "q", "x", "zh", "ch", "sh", "r", "z", "c", "s"};
constexpr const char* kFinalSpelling[16] = {"a", "o", "e", "^e", "ai", "ei", "ao", "ou",
                                            "an", "en", "ang", "eng", "er", "yi", "wu", "yu"};
// Finals by number: 0 ㄚ 1 ㄛ 2 ㄜ 3 ㄝ 4 ㄞ 5 ㄟ 6 ㄠ 7 ㄡ 8 ㄢ 9 ㄣ 10 ㄤ 11 ㄥ 12 ㄦ, medials 13 ㄧ 14 ㄨ 15 ㄩ.
constexpr int kMedialI = 13, kMedialU = 14, kMedialV = 15;

struct Combination {
  int medial;
  int final;
  const char* withInitial;     // null: not after an initial
  const char* withInitialNL;   // after ㄋ and ㄌ, when it differs
  const char* alone;           // null: not without an initial
};

constexpr Combination kCombinations[] = {
    {kMedialI, 0, "ia", nullptr, "ya"},     {kMedialI, 1, nullptr, nullptr, "yo"},
    {kMedialI, 3, "ie", nullptr, "ye"},     {kMedialI, 4, nullptr, nullptr, "yai"},
    {kMedialI, 6, "iao", nullptr, "yao"},   {kMedialI, 7, "iu", nullptr, "you"},
    {kMedialI, 8, "ian", nullptr, "yan"},   {kMedialI, 9, "in", nullptr, "yin"},
    {kMedialI, 10, "iang", nullptr, "yang"}, {kMedialI, 11, "ing", nullptr, "ying"},
    {kMedialU, 0, "ua", nullptr, "wa"},     {kMedialU, 1, "uo", nullptr, "wo"},
    {kMedialU, 4, "uai", nullptr, "wai"},   {kMedialU, 5, "ui", nullptr, "wei"},
    {kMedialU, 8, "uan", nullptr, "wan"},   {kMedialU, 9, "un", nullptr, "wen"},
    {kMedialU, 10, "uang", nullptr, "wang"}, {kMedialU, 11, "ong", nullptr, "weng"},
    {kMedialV, 3, "ue", "ve", "yue"},       {kMedialV, 8, "uan", "van", "yuan"},
    {kMedialV, 9, "un", "vn", "yun"},       {kMedialV, 11, "iong", "iong", "yong"},
};

// Code letters: initials 'A'-'U', finals 'a'-'p', tones 'q'-'u' (neutral, 1, 2, 3, 4); 0 for a
// separator, -1 for a character that is not zhuyin.
int zhuyinCode(char16_t c) {
  if (c >= kFirstZhuyin && c <= kLastZhuyin) {
    int k = c - kFirstZhuyin;
    return k < kInitials ? 'A' + k : 'a' + (k - kInitials);
  }
  switch (c) {
    case 0x02D9: return 'q';
    case 0x2013:
    case 0x2015: return 'r';
    case 0x02CA: return 's';
    case 0x02C7: return 't';
    case 0x02CB: return 'u';
    case u' ':
    case 0x3000: return 0;
    default: return -1;
  }
}

bool isInitialCode(int c) { return c >= 'A' && c <= 'U'; }
bool isFinalCode(int c) { return c >= 'a' && c <= 'p'; }
bool isToneCode(int c) { return c >= 'q' && c <= 'u'; }

const Combination* findCombination(int medial, int final) {
  for (const Combination& c : kCombinations)
    if (c.medial == medial && c.final == final) return &c;
  return nullptr;
}

void appendAscii(std::u16string& out, const char* s) {
  for (; *s; ++s) out.push_back(static_cast<char16_t>(*s));
}

int tonedIndex(char16_t c) {
  for (int i = 0; kTonedVowels[i]; ++i)
    if (kTonedVowels[i] == c) return i;
  return -1;
}

bool isVowelLetter(char16_t c) {
  if (c == u'ê' || c == u'v' || c == u'V') return true;
  char16_t l = (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
  return tonedIndex(l) >= 0 || tonedIndex(c) >= 0;
}

bool isAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

std::uint16_t le16(std::string_view t, size_t i) { return plat::readLe16(t.data() + 2 * i); }

}  // namespace

bool zhuyinToPinyin(std::u16string& out, std::u16string_view text) {
  std::vector<int> codes;
  bool anySymbol = false, anyTone = false;
  for (char16_t c : text) {
    int code = zhuyinCode(c);
    if (code < 0) return true;
    if (code > 0) {
      codes.push_back(code);
      if (isToneCode(code)) anyTone = true;
      else anySymbol = true;
    } else {
      codes.push_back(0);
    }
  }
  if (!anySymbol) return true;
  std::u16string result;
  for (size_t i = 0; i < codes.size();) {
    int initial = -1, medial = -1, final = -1, tone = -1;
    if (isInitialCode(codes[i])) initial = codes[i++] - 'A';
    if (i < codes.size() && isFinalCode(codes[i])) {
      int f = codes[i] - 'a';
      if (f >= kMedialI && i + 1 < codes.size() && isFinalCode(codes[i + 1]) &&
          findCombination(f, codes[i + 1] - 'a')) {
        const Combination* c = findCombination(f, codes[i + 1] - 'a');
        bool fits = initial >= 0 ? c->withInitial != nullptr : c->alone != nullptr;
        if (fits) {
          medial = f;
          final = codes[i + 1] - 'a';
          i += 2;
        }
      }
      if (medial < 0) {
        final = f;
        ++i;
      }
    }
    if (i < codes.size() && isToneCode(codes[i])) tone = codes[i++] - 'q';
    if (initial < 0 && final < 0) {
      ++i;  // a lone tone mark or a separator
      continue;
    }
    if (initial >= 0) appendAscii(result, kInitialSpelling[initial]);
    if (medial >= 0) {
      const Combination* c = findCombination(medial, final);
      bool nl = initial == 6 || initial == 7;
      appendAscii(result, initial < 0 ? c->alone : (nl && c->withInitialNL ? c->withInitialNL : c->withInitial));
    } else if (final >= 0) {
      if (initial >= 0 && final >= kMedialI) {
        // After an initial the medials stand as i, u and ü.
        bool nl = initial == 6 || initial == 7;
        appendAscii(result, final == kMedialI ? "i" : final == kMedialU ? "u" : nl ? "v" : "u");
      } else {
        appendAscii(result, kFinalSpelling[final]);
      }
    } else if (initial >= 14) {
      appendAscii(result, "i");  // zh ch sh r z c s alone
    }
    if (tone >= 0) result.push_back(static_cast<char16_t>(u'0' + tone));
    else if (anyTone) result.push_back(u'1');
  }
  if (result.size() >= static_cast<size_t>(kMaxZhuyinResult)) return true;
  out = result;
  return false;
}

bool isPinyinLetter(char16_t c) {
  if (isAsciiLetter(c)) return true;
  for (int i = 0; kLowerToned[i]; ++i)
    if (kLowerToned[i] == c || kUpperToned[i] == c) return true;
  return false;
}

void lowerToneMarks(std::u16string& text) {
  for (char16_t& c : text) {
    for (int i = 0; kUpperToned[i]; ++i) {
      if (kUpperToned[i] == c) {
        c = kLowerToned[i];
        break;
      }
    }
  }
}

bool toneMarksToNumbers(std::u16string& out, std::u16string_view textIn) {
  std::u16string text(textIn);
  lowerToneMarks(text);
  out.clear();
  bool sure = true;
  size_t i = 0;
  auto vowelAt = [&](size_t k) { return k < text.size() && isVowelLetter(text[k]); };
  while (i < text.size()) {
    char16_t c = text[i];
    if (c == u'\'') {
      ++i;
      continue;
    }
    // ê starts a syllable too; it is written "^e" below.
    if (!isPinyinLetter(c) && c != u'ê') {
      out.push_back(c);
      ++i;
      continue;
    }
    // One syllable: consonants, a vowel cluster, then n, ng or r when they belong to it.
    int tone = 0;
    size_t start = out.size();
    while (i < text.size() && isAsciiLetter(text[i]) && !isVowelLetter(text[i])) out.push_back(text[i++]);
    bool hasInitial = out.size() > start;
    if (!hasInitial && i < text.size()) {
      char16_t first = text[i];
      int t = tonedIndex(first);
      int letter = t >= 0 ? t / 5 : -1;
      if (letter == 2 || letter == 4 || letter == 5 || first == u'v') return false;  // no syllable starts so
    }
    std::u16string vowels;
    while (vowelAt(i)) {
      char16_t v = text[i++];
      if (v == u'ê') {
        out += u"^e";
        continue;
      }
      int t = tonedIndex(v);
      if (t >= 0) {
        if (t % 5) tone = t % 5;
        char16_t plain = static_cast<char16_t>("aeiouv"[t / 5]);
        // Keep the case of a plain letter typed as a capital.
        out.push_back(plain);
        vowels.push_back(plain);
      } else {
        out.push_back(v);
        vowels.push_back(v);
      }
    }
    if (i < text.size() && text[i] == u'n' && !vowels.empty()) {
      if (i + 1 < text.size() && text[i + 1] == u'g' && !vowelAt(i + 2)) {
        out += u"ng";
        i += 2;
      } else if (!vowelAt(i + 1)) {
        // "n" before "g" and a vowel: the g starts the next syllable, one of two readings.
        if (i + 1 < text.size() && text[i + 1] == u'g') sure = false;
        out.push_back(u'n');
        ++i;
      }
    } else if (i < text.size() && text[i] == u'r' && vowels == u"e" && !vowelAt(i + 1)) {
      out.push_back(u'r');
      ++i;
    }
    if (!tone) sure = false;
    out.push_back(static_cast<char16_t>(u'0' + tone));
  }
  return sure;
}

bool loadPronunciationTables(PronunciationTables& out) {
  plat::ResourceData pinNum = plat::findResource("CVDATA", "PIN_NUM");
  plat::ResourceData fayin = plat::findResource("CVDATA", "FAYIN_HANZI");
  if (!pinNum || !fayin || pinNum.size != 5840 || fayin.size != 4170) return false;
  out = {pinNum.bytes(), fayin.bytes()};
  return true;
}

int pinyinToPronunciation(const PronunciationTables& tables, std::u16string& out, std::u16string_view numbered,
                          std::u16string_view hanzi) {
  out.clear();
  const size_t syllables = tables.pinNum.size() / 14;
  const size_t fayinCount = tables.fayinHanzi.size() / 2;
  int result = 0;
  size_t h = 0;
  size_t i = 0;
  while (i < numbered.size()) {
    char16_t c = numbered[i];
    if (c == u' ' || c == u',') {
      out.push_back(c);
      ++i;
      continue;
    }
    std::u16string letters;
    while (i < numbered.size() && isAsciiLetter(numbered[i])) {
      letters.push_back(numbered[i++]);  // the caller lowers the case
    }
    int tone = -1;
    if (i < numbered.size() && numbered[i] >= u'0' && numbered[i] <= u'4') tone = numbered[i++] - u'0';
    if (letters.empty() && tone < 0) {
      ++i;  // neither part of a syllable nor a separator
      continue;
    }
    char16_t ch = h < hanzi.size() ? hanzi[h] : 0;
    ++h;
    if (ch == u'不' || ch == u'一') {
      out.push_back(ch);
      continue;
    }
    size_t found = syllables;
    if (tone >= 0 && !letters.empty() && letters.size() <= 6) {
      for (size_t s = 0; s < syllables; ++s) {
        std::u16string name;
        for (size_t k = 0; k < 7; ++k) {
          std::uint16_t u = le16(tables.pinNum, s * 7 + k);
          if (!u) break;
          name.push_back(static_cast<char16_t>(u));
        }
        if (name == letters) {
          found = s;
          break;
        }
      }
    }
    if (found == syllables) {
      result = -1;
      continue;
    }
    size_t slot = found * 5 + static_cast<size_t>(tone == 0 ? 4 : tone - 1);
    std::uint16_t u = slot < fayinCount ? le16(tables.fayinHanzi, slot) : 0x3000;
    if (u == 0x3000) return -2;
    out.push_back(static_cast<char16_t>(u));
  }
  if (h != hanzi.size()) return -1;
  return result;
}

void toSimplifiedForSearch(const apptext::ContextTables& tables, std::u16string& text) {
  static constexpr char16_t kKeptAlone[] = u"夥硷麽亓乾渖凇於祗徵著";
  static constexpr const char16_t* kKeptWords[] = {u"番木鳖硷", u"劈里啪啦", u"劈啪", u"雾凇"};
  if (text.size() == 1) {
    for (const char16_t* k = kKeptAlone; *k; ++k)
      if (*k == text[0]) return;
  }
  for (const char16_t* word : kKeptWords)
    if (std::u16string_view(text).starts_with(word)) return;
  apptext::contextToSimplified(tables, text);
}

}  // namespace dict
