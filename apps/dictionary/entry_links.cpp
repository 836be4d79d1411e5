#include "apps/dictionary/entry_links.h"

namespace dict {

namespace {

constexpr char16_t kArrow = u'→';
constexpr char16_t kDoubleArrow = 0x21D2;
constexpr char16_t kWave = u'～';
constexpr char16_t kHyphenMark = 0x2010;  // ‐
constexpr char16_t kEllipsis = u'…';
constexpr char16_t kWideMinus = u'－';

bool isKanaWordChar(char16_t c) { return (c >= 0x3040 && c <= 0x3100) || c == kHyphenMark; }

bool isCjLetter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0x1DF);
}

bool isFullStop(char16_t c) { return c == u'.' || c == u'。'; }

char16_t closerOf(char16_t opener) {
  switch (opener) {
    case u'（': return u'）';
    case u'《': return u'》';
    case u'〈': return u'〉';
    default: return 0;
  }
}

}  // namespace

bool isHanzi(char16_t c) { return (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF); }

std::u16string linkTo(std::u16string_view target, std::u16string_view text) {
  std::u16string s = u"<A href=\"";
  s += target;
  s += u"\">";
  s += text;
  s += u"</A>";
  return s;
}

std::u16string readAloudLink(std::u16string_view text) {
  std::u16string s = u"<a href=\"S_";
  s += text;
  s += u"\"><img src=\"\" width=12 height=12></a>";
  return s;
}

std::u16string hanziTarget(std::u16string_view text, std::u16string_view headword) {
  std::u16string out;
  for (char16_t c : text) {
    if (c == kWave) out += headword;
    else if (isHanzi(c) || c == kHyphenMark || c == kEllipsis || c == kWideMinus) out.push_back(c);
  }
  return out;
}

int pronunciationOf(const PronunciationTables& tables, std::u16string_view pinyin, std::u16string_view hanzi,
                    std::u16string& out) {
  std::u16string lower(pinyin);
  for (char16_t& c : lower)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
  lowerToneMarks(lower);
  std::u16string numbered, kept;
  toneMarksToNumbers(numbered, lower);
  for (char16_t c : numbered)
    if ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'4') || c == u' ' || c == u',') kept.push_back(c);
  return pinyinToPronunciation(tables, out, kept, hanzi);
}

bool linkReferenceJc(std::u16string_view text, std::u16string& out) {
  size_t arrow = text.find_first_of(std::u16string_view(u"→\u21D2"));
  if (arrow == std::u16string_view::npos) return false;
  out.clear();
  size_t i = arrow + 1;
  while (i < text.size() && !(text[i] >= 0x3040 && text[i] <= 0x3100)) ++i;
  out += text.substr(0, i);
  while (i < text.size()) {
    size_t start = i;
    while (i < text.size() && isKanaWordChar(text[i])) ++i;
    std::u16string_view word = text.substr(start, i - start);
    std::u16string target = u"J_";
    target += word;
    std::u16string shown(word);
    if (i < text.size() && closerOf(text[i])) {
      size_t close = text.find(closerOf(text[i]), i + 1);
      if (close != std::u16string_view::npos) {
        target += u'-';
        if (text[i] != u'（') target += u'H';
        target += text.substr(i + 1, close - i - 1);
        shown += text.substr(i, close + 1 - i);
        i = close + 1;
      }
    }
    out += linkTo(target, shown);
    constexpr std::u16string_view kReference = u"『参考』";
    if (text.substr(i).starts_with(kReference)) {
      out += kReference;
      i += kReference.size();
    }
    // Separators up to the next word are copied.
    while (i < text.size() && !(text[i] >= 0x3040 && text[i] <= 0x3100)) out.push_back(text[i++]);
  }
  return true;
}

bool linkReferenceCj(std::u16string_view text, std::u16string_view headword, std::u16string& out) {
  size_t arrow = text.find(kArrow);
  if (arrow == std::u16string_view::npos) return false;
  size_t i = arrow + 1;
  while (i < text.size() && !isFullStop(text[i])) {
    char16_t c = text[i];
    if (!(isCjLetter(c) || c == u' ' || c == u'\'' || c == u',' || c == kEllipsis || c == kWave)) return false;
    ++i;
  }
  if (i >= text.size()) return false;
  std::u16string target = hanziTarget(text, headword);
  if (target.empty()) return false;
  std::u16string_view pinyin = text.substr(arrow + 1, i - arrow - 1);
  while (!pinyin.empty() && pinyin.front() == u' ') pinyin.remove_prefix(1);
  while (!pinyin.empty() && pinyin.back() == u' ') pinyin.remove_suffix(1);
  out.assign(text.substr(0, arrow + 1));
  out += linkTo(target, pinyin);
  out += text.substr(i);
  return true;
}

bool linkBracketLine(std::u16string_view text, const PronunciationTables& tables, std::u16string& out) {
  if (text.size() < 2 || text.back() != u'】' || text[text.size() - 2] == u'語') return false;
  size_t open = text.find(u'【');
  if (open == std::u16string_view::npos || open + 1 >= text.size()) return false;
  out.clear();
  if (open == 0 && text.size() > 3 && text[2] == u'】') {
    // "【X】" and runs of pinyin, each a search for X in that reading.
    std::u16string_view label = text.substr(1, 1);
    out += text.substr(0, 3);
    for (size_t i = 3; i < text.size();) {
      if (!isPinyinLetter(text[i])) {
        out.push_back(text[i++]);
        continue;
      }
      size_t start = i;
      while (i < text.size() && isPinyinLetter(text[i])) ++i;
      std::u16string_view run = text.substr(start, i - start);
      std::u16string target(label);
      target += u'-';
      target += run;
      out += linkTo(target, run);
      std::u16string sound;
      if (pronunciationOf(tables, run, label, sound) == 0) out += readAloudLink(sound);
    }
    return true;
  }
  std::u16string target = hanziTarget(text, u"");
  if (target.empty()) return false;
  target += u'-';
  target += text.substr(0, open);
  out += linkTo(target, text);
  out += u"<BR>\r\n";
  return true;
}

}  // namespace dict
