#include "engine/cj/analysis/text_checks.h"

#include "engine/cj/analysis/node_predicates.h"
#include "engine/common/word_table.h"
#include "engine/common/dbcs_text.h"

namespace cj {

namespace {
// Keys read here, held so that each is looked up once.
constinit ListedKey kTextChecksEnumerationRangesKey{"textChecks.enumerationRanges"};
constinit ListedKey kTextChecksNumeralsKey{"textChecks.numerals"};
constinit ListedKey kTextChecksEndMarksKey{"textChecks.endMarks"};
constinit ListedKey kTextChecksEnumerationCharsKey{"textChecks.enumerationChars"};
constinit ListedKey kTextChecksWideFullStopKey{"textChecks.wideFullStop"};
constinit ListedKey kTextChecksWideColonKey{"textChecks.wideColon"};
constinit ListedKey kTextChecksWideCommaKey{"textChecks.wideComma"};
constinit ListedKey kTextChecksOpenBracketKey{"textChecks.openBracket"};
constinit ListedKey kTextChecksCloseBracketKey{"textChecks.closeBracket"};
constinit ListedKey kTextChecksOpenBracket2Key{"textChecks.openBracket2"};
constinit ListedKey kTextChecksCloseBracket2Key{"textChecks.closeBracket2"};
constinit ListedKey kTextChecksEnumerationSeparatorKey{"textChecks.enumerationSeparator"};
constinit ListedKey kTextChecksLeadingWordKey{"textChecks.leadingWord"};
constinit ListedKey kTextChecksCommaWordKey{"textChecks.commaWord"};
constinit ListedKey kTextChecksWideDigitsKey{"textChecks.wideDigits"};
}  // namespace

namespace {

// Marks, brackets, numerals and words of the splitter and the normalisation.
const WordKeySpec kWordKeys[] = {
    {"textChecks.endMarks", 10, 1, 1},
    {"textChecks.wideFullStop", 1, 1, 1},
    {"textChecks.wideComma", 1, 1, 1},
    {"textChecks.wideColon", 1, 1, 1},
    {"textChecks.numerals", 12, 1, 1},
    {"textChecks.openBracket", 1, 1, 1},
    {"textChecks.closeBracket", 1, 1, 1},
    {"textChecks.openBracket2", 1, 1, 1},
    {"textChecks.closeBracket2", 1, 1, 1},
    {"textChecks.enumerationSeparator", 1, 1, 1},
    {"textChecks.enumerationChars", 50, 1, 1},
    {"textChecks.enumerationRanges", 8, 1, 1},
    {"textChecks.wideDigits", 10, 1, 1},
    {"textChecks.leadingWord", 0, 2, 2},
    {"textChecks.commaWord", 0, 2, 2},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

constexpr std::size_t kSentenceLimit = 300;
constexpr int kMaxOpenBrackets = 10;
constexpr std::size_t npos = std::string_view::npos;

bool atEnd(std::string_view text, std::size_t p) { return p >= text.size() || text[p] == 0; }

std::string_view charAt(std::string_view text, std::size_t p) {
  return atEnd(text, p) ? std::string_view() : text.substr(p, charLengthAt(text, p));
}

const ListedKey kWideNumerals{"textChecks.numerals"};
const ListedKey kWideEndMarks{"textChecks.endMarks"};

// The bar-list test against numeralBarList() without making the list.
bool isNumeral(std::string_view ch) {
  if (ch.empty()) return false;
  if (!isWholeWithoutBar(ch)) return isInWordList(numeralBarList(), ch);
  if (ch.size() == 1 && ch[0] >= '0' && ch[0] <= '9') return true;
  return isInListedBarList(kWideNumerals, ch);
}

bool isWideEndMark(std::string_view ch) { return ch.size() == 2 && isInListedBarList(kWideEndMarks, ch); }

unsigned codeOf(std::string_view ch) {
  return ch.size() == 2 ? static_cast<unsigned char>(ch[0]) * 256u + static_cast<unsigned char>(ch[1]) : 0;
}

bool inEnumerationRange(std::string_view ch) {
  if (ch.size() != 2) return false;
  const std::vector<std::string>& bounds = listedWords(kTextChecksEnumerationRangesKey);
  unsigned code = codeOf(ch);
  for (std::size_t r = 0; r + 1 < bounds.size(); r += 2) {
    if (code >= codeOf(bounds[r]) && code <= codeOf(bounds[r + 1])) return true;
  }
  return false;
}

// One kind of bracket as the splitter follows it.
struct BracketState {
  int open = 0;
  bool seen = false;
  std::size_t firstPos = 0;     // position of the first opening bracket in the text
  std::size_t lengthBefore = 0;  // output length before it
  std::string markBefore;        // end mark when it came
  std::size_t lengthAfterClose = npos;
};

}  // namespace

std::size_t findAtCharStart(std::string_view text, std::string_view needle, std::size_t from) {
  if (needle.empty()) return npos;
  for (std::size_t i = from; i < text.size(); i += charLengthAt(text, i)) {
    if (text.compare(i, needle.size(), needle) == 0) return i;
  }
  return npos;
}

std::string numeralBarList() {
  std::string list = "|0|1|2|3|4|5|6|7|8|9";
  const std::string& wide = listedBarList(kTextChecksNumeralsKey);
  list += wide.empty() ? "|" : wide;
  return list;
}

const std::string& wideEndMarks() { return listedBarList(kTextChecksEndMarksKey); }

const std::string& enumerationCharList() { return listedBarList(kTextChecksEnumerationCharsKey); }

bool isSingleEndMark(unsigned char b) {
  return b == '.' || b == ' ' || b == ',' || b == ';' || b == '!' || b == ':' || b == '?' || b == 0xA1;
}

bool lacksHanzi(std::string_view text) {
  for (std::size_t i = 0; !atEnd(text, i);) {
    auto b = static_cast<unsigned char>(text[i]);
    if (!dbcs::isLeadByte(b)) {
      ++i;
      continue;
    }
    if (atEnd(text, i + 1)) break;
    if (b * 256u + static_cast<unsigned char>(text[i + 1]) >= 0x874Au) return false;
    i += 2;
  }
  return true;
}

int countCodeErrors(std::string_view text, int& counter) {
  int errors = 0;
  bool odd = false;
  for (std::size_t i = 0; !atEnd(text, i);) {
    auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x7F) {
      ++i;
    } else if (dbcs::isLeadByte(b)) {
      if (atEnd(text, i + 1)) break;
      auto t = static_cast<unsigned char>(text[i + 1]);
      if (!isTrailByte(t)) ++errors;
      if (b == 0x81 && t == 0xAC) {
        odd = !odd;
        if (odd) ++counter;
      }
      i += 2;
    } else {
      if (b != 0xA1 && b != 0xA4) ++errors;
      ++i;
    }
  }
  return errors;
}

int allowsSentenceEnd(char mode, std::string_view mark, std::string_view text, std::size_t afterMark) {
  if (mode != kSplitMode) return 1;
  const bool stop = mark == "." || mark == listedWord(kTextChecksWideFullStopKey);
  const bool colon = mark == ":" || mark == listedWord(kTextChecksWideColonKey);
  const bool comma = mark == "," || mark == listedWord(kTextChecksWideCommaKey);
  if (!stop && !colon && !comma) return 1;
  if (afterMark < mark.size() || afterMark > text.size()) return 1;
  const std::size_t markPos = afterMark - mark.size();
  if (markPos == 0) return 1;
  std::string_view next[3];
  for (std::size_t k = 0, p = afterMark; k < 3 && !atEnd(text, p); ++k) {
    next[k] = charAt(text, p);
    p += next[k].size();
  }
  if (next[0].empty()) return 1;
  std::size_t prevStart = 0;
  for (std::size_t i = 0; i < markPos; i += charLengthAt(text, i)) prevStart = i;
  std::string_view prev = text.substr(prevStart, markPos - prevStart);
  if (isNumeral(prev) && isNumeral(next[0]) && isNumeral(next[1]) && isNumeral(next[2])) return 0;
  if ((stop || colon) && isNumeral(prev) && isNumeral(next[0])) return 0;
  return 1;
}

std::size_t nextChineseSentence(std::string_view text, std::string& sentence, std::size_t start,
                                std::string& endMark) {
  sentence.clear();
  endMark.clear();
  const std::string& wideOpen = listedWord(kTextChecksOpenBracketKey);
  const std::string& wideClose = listedWord(kTextChecksCloseBracketKey);
  BracketState round, wide;
  auto opened = [&](BracketState& b, std::size_t at, std::string_view ch) {
    if (!b.seen) {
      b.seen = true;
      b.firstPos = at;
      b.lengthBefore = sentence.size() - ch.size();
      b.markBefore = endMark;
    }
    if (b.open < kMaxOpenBrackets) ++b.open;
    endMark = ch;
  };
  std::size_t p = start;
  bool afterSpace = false;
  while (!atEnd(text, p)) {
    auto b = static_cast<unsigned char>(text[p]);
    if (!dbcs::isLeadByte(b)) {
      if (b == '\r' || b == '\n') {
        ++p;
        continue;
      }
      sentence.push_back(static_cast<char>(b));
      ++p;
      if (isSingleEndMark(b) && allowsSentenceEnd(kSplitMode, text.substr(p - 1, 1), text, p)) {
        if (b == ' ') {
          afterSpace = true;
          break;
        }
        endMark.assign(1, static_cast<char>(b));
        return p;
      }
      if (b == '(') {
        opened(round, p - 1, "(");
      } else if (b == ')' && round.open > 0) {
        endMark = ")";
        if (!atEnd(text, p) && text[p] == '(') {
          sentence.push_back('(');
          ++p;
        } else {
          --round.open;
          round.lengthAfterClose = sentence.size();
        }
      }
    } else {
      if (atEnd(text, p + 1)) return p + 1;
      std::string_view ch = text.substr(p, 2);
      sentence.append(ch);
      p += 2;
      if (isWideEndMark(ch) && allowsSentenceEnd(kSplitMode, ch, text, p)) {
        endMark = ch;
        return p;
      }
      if (!wideOpen.empty() && ch == wideOpen) {
        opened(wide, p - 2, ch);
      } else if (!wideClose.empty() && ch == wideClose && wide.open > 0) {
        endMark = ch;
        if (charAt(text, p) == wideOpen) {
          sentence.append(wideOpen);
          p += wideOpen.size();
        } else {
          --wide.open;
          wide.lengthAfterClose = sentence.size();
        }
      }
    }
    if (sentence.size() >= kSentenceLimit) break;
  }
  // A trailing bracketed part becomes the next sentence.
  const std::size_t extra = afterSpace ? 1 : 0;
  for (BracketState* b : {&wide, &round}) {
    if (b->lengthAfterClose != npos && b->lengthAfterClose + extra == sentence.size() && b->open == 0 && b->seen &&
        b->firstPos != start) {
      sentence.resize(b->lengthBefore);
      endMark = b->markBefore;
      return b->firstPos;
    }
  }
  return p;
}

void extractEnumerationPrefix(std::string_view sentence, std::string& prefix) {
  prefix.clear();
  const std::string opens[4] = {"(", listedWord(kTextChecksOpenBracketKey), "[", listedWord(kTextChecksOpenBracket2Key)};
  const std::string closes[4] = {")", listedWord(kTextChecksCloseBracketKey), "]",
                                 listedWord(kTextChecksCloseBracket2Key)};
  const std::string& separator = listedWord(kTextChecksEnumerationSeparatorKey);
  std::size_t p = 0;
  int k = 0;
  std::string_view first = charAt(sentence, 0);
  for (int m = 1; m <= 4 && !first.empty(); ++m) {
    if (first == opens[m - 1]) {
      k = m;
      p = first.size();
      break;
    }
  }
  const std::string& listed = enumerationCharList();
  while (!atEnd(sentence, p)) {
    std::string_view c = charAt(sentence, p);
    const auto b = static_cast<unsigned char>(c[0]);
    const bool alnum = c.size() == 1 && ((b >= '0' && b <= '9') || (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z'));
    if (!alnum && !isInWordList(listed, c) && !inEnumerationRange(c)) break;
    p += c.size();
  }
  if (atEnd(sentence, p)) return;
  std::string_view c = charAt(sentence, p);
  int j = -1;
  if (!separator.empty() && c == separator) j = 0;
  for (int m = 1; m <= 4 && j < 0; ++m) {
    if (!closes[m - 1].empty() && c == closes[m - 1]) j = m;
  }
  if (j < 0 || (k != 0 && j != k)) return;
  p += c.size();
  if (atEnd(sentence, p)) return;
  std::string_view after = charAt(sentence, p);
  if ((!separator.empty() && after == separator) || after == "." || after == "," || after == ":" || after == " ") {
    p += after.size();
  }
  prefix.assign(sentence.substr(0, p));
}

namespace {

void removePairedWordAfterComma(std::string& text, const std::string& leading, const std::string& comma) {
  const std::string& wideComma = listedWord(kTextChecksWideCommaKey);
  const std::string& fullStop = listedWord(kTextChecksWideFullStopKey);
  if (leading.empty() || comma.empty()) return;
  std::size_t len = text.find('\0');
  if (len == std::string::npos) len = text.size();
  std::size_t from = 0;
  while (true) {
    std::string_view t(text.data(), len);
    std::size_t at = findAtCharStart(t, leading, from);
    if (at == npos) return;
    const std::size_t after = at + leading.size();
    // The nearer of the two full stops.
    std::size_t mark = npos;
    for (std::size_t i = after; i < t.size(); i += charLengthAt(t, i)) {
      std::string_view c = charAt(t, i);
      if (c == "\xA1" || (!fullStop.empty() && c == fullStop)) {
        mark = i;
        break;
      }
    }
    std::size_t c = findAtCharStart(t, comma, after);
    if (c == npos) return;
    // The character just before the comma word.
    std::size_t prevStart = npos;
    for (std::size_t i = after; i < c; i += charLengthAt(t, i)) prevStart = i;
    std::string_view prev = prevStart == npos ? std::string_view() : t.substr(prevStart, c - prevStart);
    const bool afterComma = prev == "," || (!wideComma.empty() && prev == wideComma);
    if (afterComma && (mark == npos || mark > c)) {
      text.erase(c, comma.size());
      len -= comma.size();
      from = c;
    } else {
      from = mark != npos ? mark : c;
    }
  }
}

}  // namespace

// The leading words and the comma words pair up by their place in the two lists.
void removeWordAfterComma(std::string& text) {
  const std::vector<std::string>& leading = listedWords(kTextChecksLeadingWordKey);
  const std::vector<std::string>& comma = listedWords(kTextChecksCommaWordKey);
  for (std::size_t i = 0; i < leading.size() && i < comma.size(); ++i) {
    removePairedWordAfterComma(text, leading[i], comma[i]);
  }
}

void widenDigits(std::string_view sentence, std::string& out) {
  out.clear();
  const std::vector<std::string>& digits = listedWords(kTextChecksWideDigitsKey);
  for (std::size_t i = 0; !atEnd(sentence, i);) {
    auto b = static_cast<unsigned char>(sentence[i]);
    if (dbcs::isLeadByte(b)) {
      if (atEnd(sentence, i + 1)) break;
      out.append(sentence.substr(i, 2));
      i += 2;
      continue;
    }
    if (b >= '0' && b <= '9' && digits.size() == 10) {
      out += digits[b - '0'];
    } else {
      out.push_back(static_cast<char>(b));
    }
    ++i;
  }
}

}  // namespace cj
