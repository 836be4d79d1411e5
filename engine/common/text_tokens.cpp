#include "engine/common/text_tokens.h"

#include <algorithm>

namespace dbcs {

namespace {

// Full-width forms of ASCII read as ASCII.
char16_t narrow(char16_t c) { return c >= 0xFF01 && c <= 0xFF5E ? static_cast<char16_t>(c - 0xFEE0) : c; }

bool isDigit(char16_t c) {
  c = narrow(c);
  return c >= u'0' && c <= u'9';
}

// ASCII letters, the Latin letters with marks (pinyin's tone letters among them), combining marks.
bool isLetter(char16_t c) {
  c = narrow(c);
  if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')) return true;
  if (c >= 0xC0 && c <= 0x24F) return c != 0xD7 && c != 0xF7;
  return c >= 0x300 && c <= 0x36F;
}

bool isAlnum(char16_t c) { return isDigit(c) || isLetter(c); }

// Marks that join two letters or digits into one run: 1,234.5 2026-12-10 10:30 a/b foo.bar@x.com
// http://x.com/?a=1&b=2 don't.
bool isJoiner(char16_t c) {
  switch (narrow(c)) {
    case u'.': case u',': case u':': case u'/': case u'-': case u'_': case u'\'': case u'&': case u'+':
    case u'@': case u'#': case u'?': case u'=': case u'~': case u'%':
      return true;
    default:
      return false;
  }
}

bool isSpace(char16_t c) { return c == u' '; }

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The length of the character at i (a surrogate pair as one).
std::size_t characterLength(std::u16string_view text, std::size_t i) {
  return isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1]) ? 2 : 1;
}

// The end of the letters, digits and joined marks from i (text[i] is a letter or digit).
std::size_t endOfWordRun(std::u16string_view text, std::size_t i) {
  const std::size_t n = text.size();
  std::size_t end = i;
  bool url = false;
  while (end < n) {
    if (isAlnum(text[end])) {
      ++end;
      continue;
    }
    // Up to three joining marks, then a letter or digit ("://" after a scheme).
    std::size_t j = end;
    while (j < n && j - end < 3 && isJoiner(text[j])) ++j;
    if (j > end && j < n && isAlnum(text[j])) {
      if (text.substr(end, j - end) == u"://") url = true;
      end = j;
      continue;
    }
    // A per cent sign after a digit, a slash closing a URL, C++ and C#.
    const char16_t c = narrow(text[end]);
    if ((c == u'%' && isDigit(text[end - 1])) || (c == u'/' && url) ||
        ((c == u'+' || c == u'#') && (isLetter(text[end - 1]) || narrow(text[end - 1]) == u'+'))) {
      ++end;
      continue;
    }
    // One blank between two runs keeps them one ("iPhone 15", "ni hao").
    if (isSpace(text[end]) && end + 1 < n && isAlnum(text[end + 1])) {
      end += 1;
      continue;
    }
    break;
  }
  return end;
}

}  // namespace

std::vector<TextRun> findTextRuns(std::u16string_view text, const std::function<bool(char16_t)>& holds,
                                  bool numeralsRead) {
  std::vector<TextRun> runs;
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n) {
    std::size_t end = i;
    bool carried = false;
    if (isAlnum(text[i])) {
      end = endOfWordRun(text, i);
    } else if (narrow(text[i]) == u'+' && i + 1 < n && isDigit(text[i + 1]) && (i == 0 || !isAlnum(text[i - 1]))) {
      end = endOfWordRun(text, i + 1);  // +86-10-1234-5678
    } else if (!holds(text[i])) {
      end = i + characterLength(text, i);
      carried = true;
    } else {
      ++i;
      continue;
    }
    // Characters the engine cannot hold right beside the run join it.
    for (bool grew = true; grew && end < n;) {
      grew = false;
      if (!holds(text[end]) && !isAlnum(text[end])) {
        end += characterLength(text, end);
        carried = grew = true;
      } else if (isAlnum(text[end])) {
        end = endOfWordRun(text, end);
        grew = true;
      }
    }
    if (numeralsRead && !carried && std::all_of(text.begin() + i, text.begin() + end, isDigit)) {
      i = end;
      continue;
    }
    if (!runs.empty() && runs.back().at + runs.back().length == i) {
      runs.back().length = end - runs.back().at;
      runs.back().carried = runs.back().carried || carried;
    } else {
      runs.push_back(TextRun{i, end - i, carried});
    }
    i = end;
  }
  return runs;
}

std::u16string standInWord(std::size_t k) {
  std::u16string word = u"QX";
  word += static_cast<char16_t>(u'A' + k / 26 % 26);
  word += static_cast<char16_t>(u'A' + k % 26);
  return word;
}

namespace {

// The stand-in of run k found at i of the translation (ASCII or full width): its length, or 0.
std::size_t standInAt(std::u16string_view text, std::size_t i, std::size_t& k) {
  if (i + 4 > text.size()) return 0;
  const char16_t a = narrow(text[i]), b = narrow(text[i + 1]), c = narrow(text[i + 2]), d = narrow(text[i + 3]);
  if (a != u'Q' || b != u'X' || c < u'A' || c > u'Z' || d < u'A' || d > u'Z') return 0;
  k = static_cast<std::size_t>(c - u'A') * 26 + static_cast<std::size_t>(d - u'A');
  return 4;
}

void addCarried(std::u16string_view run, const std::function<bool(char16_t)>& holds, std::u16string& carried) {
  for (std::size_t i = 0; i < run.size();) {
    const std::size_t length = characterLength(run, i);
    if (!isAlnum(run[i]) && !holds(run[i])) carried += run.substr(i, length);
    i += length;
  }
}

bool endsSentence(char16_t c) {
  switch (c) {
    case u'。': case u'．': case u'！': case u'？': case u'!': case u'?': case u'.': case u' ': case u'\u3000':
      return true;
    default:
      return false;
  }
}

bool isIdeograph(char16_t c) { return (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF); }

// A run of carried marks only (no letter, digit or ideograph), at the start or end of the text or
// beside a sentence end.
bool atSentenceEdge(std::u16string_view text, const TextRun& run) {
  if (!run.carried) return false;
  for (std::size_t i = run.at; i < run.at + run.length; ++i)
    if (isAlnum(text[i]) || isIdeograph(text[i])) return false;
  const std::size_t end = run.at + run.length;
  return run.at == 0 || endsSentence(text[run.at - 1]) || end == text.size() || endsSentence(text[end]);
}

// Each piece between two runs translated on its own, the runs at their places.
int translatePieces(std::u16string_view text, const std::vector<TextRun>& runs,
                    const std::function<int(std::u16string_view, std::u16string&)>& translate, std::u16string& out) {
  int failure = 0;
  std::size_t from = 0;
  for (std::size_t k = 0; k <= runs.size(); ++k) {
    const std::size_t to = k < runs.size() ? runs[k].at : text.size();
    if (to > from) {
      std::u16string part;
      const int result = translate(text.substr(from, to - from), part);
      if (result != 0 && failure == 0) failure = result;
      out += part;
    }
    if (k < runs.size()) {
      out += text.substr(runs[k].at, runs[k].length);
      from = runs[k].at + runs[k].length;
    }
  }
  return failure;
}

}  // namespace

namespace {

int translateWithStandIns(std::u16string_view text, const std::function<bool(char16_t)>& holds,
                          const std::function<int(std::u16string_view, std::u16string&)>& translate,
                          std::u16string& out, std::u16string& carried, bool numeralsRead) {
  std::vector<TextRun> runs = findTextRuns(text, holds, numeralsRead);
  // Carried marks at a sentence's edge (我喝茶😀) belong to no word: the text is cut around them.
  for (const TextRun& run : runs) {
    if (!atSentenceEdge(text, run)) continue;
    int failure = 0;
    if (run.at > 0) failure = translateWithStandIns(text.substr(0, run.at), holds, translate, out, carried, numeralsRead);
    addCarried(text.substr(run.at, run.length), holds, carried);
    out += text.substr(run.at, run.length);
    const std::size_t end = run.at + run.length;
    if (end < text.size()) {
      const int rest = translateWithStandIns(text.substr(end), holds, translate, out, carried, numeralsRead);
      if (failure == 0) failure = rest;
    }
    return failure;
  }
  for (const TextRun& run : runs)
    if (run.carried) addCarried(text.substr(run.at, run.length), holds, carried);
  // Runs past the stand-ins a line can name are left to the engine, unless it cannot hold them.
  if (runs.size() > kMaxStandIns) return translatePieces(text, runs, translate, out);

  std::u16string line;
  std::size_t from = 0;
  for (std::size_t k = 0; k < runs.size(); ++k) {
    line += text.substr(from, runs[k].at - from);
    line += standInWord(k);
    from = runs[k].at + runs[k].length;
  }
  line += text.substr(from);
  std::u16string translation;
  const int result = translate(line, translation);
  if (runs.empty()) {
    out += translation;
    return result;
  }

  // Every stand-in once, or the pieces one by one.
  std::vector<int> seen(runs.size(), 0);
  bool sound = true;
  for (std::size_t i = 0; i < translation.size();) {
    std::size_t k = 0;
    const std::size_t length = standInAt(translation, i, k);
    if (length == 0) {
      ++i;
      continue;
    }
    if (k >= runs.size() || seen[k]++ > 0) sound = false;
    i += length;
  }
  for (int s : seen) sound = sound && s == 1;
  if (!sound) return translatePieces(text, runs, translate, out);

  for (std::size_t i = 0; i < translation.size();) {
    std::size_t k = 0;
    if (const std::size_t length = standInAt(translation, i, k)) {
      out += text.substr(runs[k].at, runs[k].length);
      i += length;
    } else {
      out += translation[i++];
    }
  }
  return result;
}

constexpr char16_t kMark = u'\u3013';

}  // namespace

int translateAround(std::u16string_view text, const std::function<bool(char16_t)>& holds,
                    const std::function<int(std::u16string_view, std::u16string&)>& translate,
                    std::u16string& out, std::u16string& carried, bool numeralsRead,
                    const std::function<bool(char16_t)>& writesAsMark) {
  std::u16string piece, named;
  const int result = translateWithStandIns(text, holds, translate, piece, named, numeralsRead);
  std::u16string unwritten;
  if (writesAsMark)
    for (char16_t c : text)
      if (holds(c) && writesAsMark(c)) unwritten += c;
  const auto marksIn = [](std::u16string_view s) { return std::count(s.begin(), s.end(), kMark); };
  const auto extra = marksIn(piece) - marksIn(text);
  if (unwritten.empty() || extra <= 0) {
    out += piece;
    carried += named;
    return result;
  }
  // One such character only, and no mark of the text's own: every new mark is it.
  if (marksIn(text) == 0 && unwritten.find_first_not_of(unwritten[0]) == std::u16string::npos) {
    for (char16_t& c : piece)
      if (c == kMark) {
        c = unwritten[0];
        named += c;
      }
    out += piece;
    carried += named;
    return result;
  }
  // Several: carry them as runs of their own.
  return translateWithStandIns(
      text, [&](char16_t c) { return holds(c) && !writesAsMark(c); }, translate, out, carried, numeralsRead);
}

}  // namespace dbcs
