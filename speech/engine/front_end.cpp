#include "speech/engine/front_end.h"

#include "speech/engine/number_reading.h"
#include "speech/engine/segmenter.h"
#include "speech/engine/speech_data.h"
#include "speech/engine/speech_files.h"

#include <algorithm>
#include <atomic>
#include <string_view>

namespace speech {

namespace {

std::atomic<PieceHook> gHook{nullptr};

bool asciiDigit(Unit u) { return u >= '0' && u <= '9'; }
bool letterOrDigit(Unit u) { return isLetterUnit(u) || isDigitUnit(u); }
Unit first(const char* bytes) { return gb(bytes)[0]; }

// The piece ends after the character stored last.
bool endsPiece(const Text& stored, const std::vector<Unit>& text, std::size_t next) {
  static const CharSet kEnders = charSet(";!；！。");
  Unit u = stored.back();
  Unit before = stored.size() >= 2 ? stored[stored.size() - 2] : 0;
  Unit after = text[next];
  if (isPointUnit(u)) {
    return isSpaceUnit(before) || isHanziUnit(before) || isSpaceUnit(after) || isHanziUnit(after) || isLineBreakUnit(after);
  }
  if (isQuestionMarkUnit(u)) return !(letterOrDigit(before) && letterOrDigit(after));
  if (isColonUnit(u)) {
    if (isOpeningQuoteUnit(after)) return true;
    std::size_t q = next;
    while (isSpaceUnit(text[q])) ++q;
    return q > next && isLineBreakUnit(text[q]);
  }
  if (isCommaUnit(u)) {
    if (!isDigitUnit(before)) return true;
    std::size_t q = next;
    if (isSpaceUnit(text[q])) {
      while (isSpaceUnit(text[q])) ++q;
    }
    return !isDigitUnit(text[q]);
  }
  return kEnders.has(u) || isDashUnit(u);
}

}  // namespace

std::size_t nextPiece(const std::vector<Unit>& text, std::size_t cursor, Text& piece) {
  piece.clear();
  auto unitAt = [&](std::size_t p) { return p < text.size() ? text[p] : Unit{0}; };
  std::size_t p = cursor;
  // Places to cut a full piece back to: {stored length, cursor after}.
  std::size_t breakLen = 0, breakAt = 0, safeLen = 0, safeAt = 0;
  bool ended = false;
  while (piece.size() < static_cast<std::size_t>(kPieceMax) && unitAt(p) != 0) {
    Unit u = unitAt(p);
    if (u == '\r') {
      std::size_t q = p + 1;
      if (unitAt(q) == '\n') ++q;
      Unit next = unitAt(q), last = piece.empty() ? 0 : piece.back();
      bool numberedLine = false;
      if (isDigitUnit(next)) {
        std::size_t r = q;
        while (isDigitUnit(unitAt(r))) ++r;
        numberedLine = isPointUnit(unitAt(r));
      }
      p = q;
      if (isSpaceUnit(last) || isSpaceUnit(next) || isLineBreakUnit(next) || (letterOrDigit(next) && letterOrDigit(last)) ||
          numberedLine) {
        ended = true;
        break;
      }
      breakLen = piece.size(), breakAt = p;
      continue;
    }
    if (u == '\t' || isSpaceUnit(u)) {
      if (!piece.empty() && piece.back() != ' ') piece.push_back(' ');
      ++p;
      continue;
    }
    if (u < 0x20 || u == 0x7F) {
      ++p;
      continue;
    }
    piece.push_back(u);
    ++p;
    if (!letterOrDigit(u) && !isPointUnit(u)) safeLen = piece.size(), safeAt = p;
    // A run of one character (!!!, ――) is taken whole before the piece may end.
    if (endsPiece(piece, text, p < text.size() ? p : text.size() - 1) && unitAt(p) != u) {
      if (isClosingQuoteUnit(unitAt(p)) && piece.size() < static_cast<std::size_t>(kPieceMax)) piece.push_back(unitAt(p++));
      while (isDashUnit(unitAt(p)) && piece.size() < static_cast<std::size_t>(kPieceMax)) piece.push_back(unitAt(p++));
      ended = true;
      break;
    }
  }
  if (!ended && piece.size() >= static_cast<std::size_t>(kPieceMax) && unitAt(p) != 0) {
    // A full piece is cut back to the last line break, else after the last character that is no
    // letter, digit or point; a run without either is cut where it is.
    if (breakLen > 0) {
      piece.resize(breakLen);
      p = breakAt;
    } else if (safeLen > 0) {
      piece.resize(safeLen);
      p = safeAt;
    }
  }
  while (p < text.size() && text[p] != 0 && (isSpaceUnit(text[p]) || isLineBreakUnit(text[p]) || text[p] == '\t')) ++p;
  while (!piece.empty() && piece.back() == ' ') piece.pop_back();
  return p;
}

Text foldFullWidth(const Text& piece) {
  struct Fold {
    Text from, to;
  };
  static const Fold kFold = [] {
    Fold f;
    for (Unit u : {gbUnit(0xA1, 0xE5), gbUnit(0xA1, 0xE4), gbUnit(0xA3, 0xE0), gbUnit(0xA8, 0x94), gbUnit(0xA8, 0x95),
                   gbUnit(0xA8, 0x40), gbUnit(0xA8, 0x41), gbUnit(0xA1, 0xC3)}) {
      f.from.push_back(u);
    }
    for (unsigned t = 0x6F; t <= 0x7E; ++t) f.from.push_back(gbUnit(0xA9, t));
    for (unsigned t = 0x80; t <= 0x88; ++t) f.from.push_back(gbUnit(0xA9, t));
    f.from.push_back(gbUnit(0xA8, 0x51));
    f.from.push_back(gbUnit(0xA8, 0x52));
    for (unsigned t = 0xE0; t <= 0xEB; ++t) f.from.push_back(gbUnit(0xA6, t));
    for (unsigned t = 0xEE; t <= 0xF2; ++t) f.from.push_back(gbUnit(0xA6, t));
    f.from.push_back(gbUnit(0xA6, 0xF4));
    f.from.push_back(gbUnit(0xA6, 0xF5));
    f.from.push_back(gbUnit(0xA8, 0x4D));
    f.to = gb("＂＇‘“”’‘：，、。；：？！（）｛｝〔〕＃＆＊＋－＜＞＝＼＄％＠≤≥（）〔〕〈〉《》「」『』【】｛｝―ˉ￣／");
    return f;
  }();
  static const Unit kGrave = gbUnit(0xA3, 0xE0), kApostrophe = gbUnit(0xA3, 0xA7), kYen = gbUnit(0xA3, 0xA4);
  static const Unit kRightSingle = first("’"), kDash = gbUnit(0xA1, 0xAA);
  // The ideographic zero (GBK A996, outside GB2312) is read as the circle that stands for it.
  static const Unit kIdeographicZero = gbUnit(0xA9, 0x96), kCircle = first("○");
  Text out;
  out.reserve(piece.size());
  for (std::size_t i = 0; i < piece.size(); ++i) {
    Unit u = piece[i];
    if (u == kApostrophe && i > 0 && piece[i - 1] == kGrave) {
      out.push_back(kRightSingle);
      continue;
    }
    auto it = std::find(kFold.from.begin(), kFold.from.end(), u);
    if (it != kFold.from.end() && kFold.from.size() == kFold.to.size()) u = kFold.to[static_cast<std::size_t>(it - kFold.from.begin())];
    if (isDashUnit(u)) u = kDash;
    if (u == kIdeographicZero) u = kCircle;
    if (leadByte(u) == 0xA3 && trailByte(u) >= 0xA1 && trailByte(u) <= 0xFE && u != kYen) u = static_cast<Unit>(trailByte(u) - 0x80);
    out.push_back(u);
  }
  return out;
}

Text collapseRuns(const Text& piece) {
  Text out;
  for (std::size_t i = 0; i < piece.size();) {
    Unit u = piece[i];
    std::size_t j = i;
    while (j < piece.size() && piece[j] == u) ++j;
    std::size_t run = j - i;
    if (u < 0x80 && u > ' ' && !letterOrDigit(u) && run >= 3) {
      out.push_back(' ');
    } else if (isDashUnit(u, true) && run == 2) {
      out.push_back(u);
    } else {
      out.insert(out.end(), piece.begin() + static_cast<long>(i), piece.begin() + static_cast<long>(j));
    }
    i = j;
  }
  return out;
}

namespace {

// Pause code of a punctuation character; 0 for any other.
int pauseCode(Unit u, bool endsPiece) {
  struct Pause {
    const char* chars;
    int code;
  };
  static const std::vector<std::pair<CharSet, int>> kPauses = [] {
    const Pause list[] = {{",", 4300}, {";", 4301}, {"、", 4320}, {"。", 4302}, {"!", 4303}, {"?", 4304}, {":", 4305},
                          {"\"'“”‘’「」『』", 4321}, {"《》", 4322}, {"…", 4324},
                          {"<>()[]{}〔〕〈〉（）〖〗【】", 4325}};
    std::vector<std::pair<CharSet, int>> v;
    for (const Pause& p : list) v.emplace_back(charSet(p.chars), p.code);
    v.emplace_back(CharSet{{gbUnit(0xA1, 0xAA)}}, 4323);  // the dash, folded to one code
    v.emplace_back(CharSet{{gbUnit(0xA1, 0xA4)}}, 4326);
    return v;
  }();
  if (u == '.' && endsPiece) return 4302;
  for (const auto& [set, code] : kPauses) {
    if (set.has(u)) return code;
  }
  return 0;
}

class PieceBuilder {
 public:
  PieceBuilder(const Text& in, const VoiceSettings& current) : in_(in), speakPunctuation_(current.p5 == 1) {}
  Piece run();

 private:
  int n() const { return static_cast<int>(in_.size()); }
  Unit at(int p) const { return p >= 0 && p < n() ? in_[static_cast<std::size_t>(p)] : 0; }
  int pos() const { return static_cast<int>(out_.text.size()); }
  void bound(int p, std::uint16_t type) {
    if (out_.bounds.size() < static_cast<std::size_t>(p) + 1) out_.bounds.resize(static_cast<std::size_t>(p) + 1, 0);
    std::uint16_t& b = out_.bounds[static_cast<std::size_t>(p)];
    b = static_cast<std::uint16_t>((b & ~kBoundTypeMask) | std::max<std::uint16_t>(b & kBoundTypeMask, type));
  }
  void put(Unit u) { out_.text.push_back(u); }
  // Appends a Chinese run with its segmentation.
  void segmented(const Unit* text, int length, int start, int* consumed);
  int number(int i);

  const Text& in_;
  bool speakPunctuation_;
  Piece out_;
};

void PieceBuilder::segmented(const Unit* text, int length, int start, int* consumed) {
  SegmentedRun run = segmentRun(text, length, start);
  int base = pos();
  for (int k = 0; k < run.length; ++k) {
    put(text[start + k]);
    if (run.readings[static_cast<std::size_t>(k)] >= 0) out_.marks.push_back({base + k, 2, run.readings[static_cast<std::size_t>(k)]});
  }
  for (int k = 0; k <= run.length; ++k) {
    if (run.grades[static_cast<std::size_t>(k)]) bound(base + k, run.grades[static_cast<std::size_t>(k)]);
  }
  if (consumed) *consumed = run.length;
}

// Reads the digits after a kind mark; the position after them.
int PieceBuilder::number(int i) {
  static const CharSet kBig = charSet("万亿");
  static const Unit kTen = first("十");
  int kind = at(i) - kKindMark;
  int s = i + 1, e = s;
  while (e < n() && (asciiDigit(at(e)) || (at(e) == '.' && asciiDigit(at(e + 1))))) ++e;
  NumberReading r = readNumber(in_.data() + s, e - s, kind);
  int base = pos();
  bound(base, kBoundWord);
  for (std::size_t k = 0; k < r.text.size(); ++k) {
    put(r.text[k]);
    if (kind == kKindDigitsYao || kind == kKindDigits) out_.marks.push_back({base + static_cast<int>(k), 11, 0});
  }
  for (int b : r.boundaries) bound(base + b, kBoundWord);
  // A measure character stays with the number.
  Unit next = at(e);
  std::uint32_t props = hanziProperties(next);
  if ((props & kPropMeasure) && !(kBig.has(next) && (hanziProperties(at(e + 1)) & kPropMeasure)) && !r.text.empty()) {
    if (r.text.size() > 2 && r.text[r.text.size() - 2] == kTen) bound(pos() - 1, kBoundWord);
    int fixed = fixedMeasureReading(next);
    if (fixed >= 0) out_.marks.push_back({pos(), 2, fixed});
    put(next);
    ++e;
  }
  bound(pos(), kBoundWord);
  return e;
}

Piece PieceBuilder::run() {
  static const Unit kColonWord = 0x3FFF, kBackslashWord = 0x3FFE;
  static const Text kColonText = gb("冒号"), kBackslashText = gb("反斜杠");
  out_.bounds.assign(1, 0);
  for (int i = 0; i < n();) {
    Unit u = at(i);
    if (isKindMark(u)) {
      i = number(i);
      continue;
    }
    if (isHanziUnit(u)) {
      int consumed = 0;
      segmented(in_.data(), n(), i, &consumed);
      i += std::max(consumed, 1);
      continue;
    }
    if (u == kColonWord || u == kBackslashWord) {
      const Text& w = u == kColonWord ? kColonText : kBackslashText;
      bound(pos(), kBoundWord);
      segmented(w.data(), static_cast<int>(w.size()), 0, nullptr);
      ++i;
      continue;
    }
    if (u == ' ') {
      bool digitAfter = asciiDigit(at(i + 1)) || (isKindMark(at(i + 1)) && asciiDigit(at(i + 2)));
      if (asciiDigit(at(i - 1)) && digitAfter) out_.marks.push_back({pos(), 10, 500});
      bound(pos(), kBoundWord);
      put(' ');
      bound(pos(), kBoundWord);
      ++i;
      continue;
    }
    if (isLetterUnit(u) || asciiDigit(u)) {
      if (asciiDigit(u)) {
        // Digits that no rule marked are read by value.
        Text marked{static_cast<Unit>(kKindMark + kKindValue)};
        int e = i;
        while (e < n() && (asciiDigit(at(e)) || (at(e) == '.' && asciiDigit(at(e + 1))))) marked.push_back(at(e++));
        NumberReading r = readNumber(marked.data() + 1, static_cast<int>(marked.size()) - 1, kKindValue);
        bound(pos(), kBoundWord);
        for (Unit c : r.text) put(c);
        bound(pos(), kBoundWord);
        i = e;
        continue;
      }
      if (!isLetterUnit(at(i - 1))) bound(pos(), kBoundWord);
      put(u);
      if (!isLetterUnit(at(i + 1))) bound(pos(), kBoundWord);
      ++i;
      continue;
    }
    std::string_view reading;
    bool hasReading = symbolReading(u, reading);
    int pause = pauseCode(u, i + 1 == n());
    if (pause) {
      bound(pos(), kBoundWord);
      if (hasReading && speakPunctuation_) {
        Text w = gb(std::string(reading).c_str());
        segmented(w.data(), static_cast<int>(w.size()), 0, nullptr);
      }
      put(static_cast<Unit>(pause - kPauseUnitOffset));
      bound(pos(), kBoundPause);
      ++i;
      continue;
    }
    if (isSymbolRowUnit(u) || (u < 0x80 && u > ' ')) {
      bound(pos(), kBoundWord);
      if (hasReading) {
        Text w = gb(std::string(reading).c_str());
        segmented(w.data(), static_cast<int>(w.size()), 0, nullptr);
        bound(pos(), kBoundWord);
      } else if (leadByte(u) == 0xA6) {
        put(u);  // Greek letters are spelt
        bound(pos(), kBoundWord);
      } else {
        put(' ');
        bound(pos(), 4);
      }
      ++i;
      continue;
    }
    put(u);
    ++i;
  }
  out_.bounds.resize(out_.text.size() + 1, 0);
  phrasePiece(out_.text.data(), pos(), out_.bounds);
  out_.bounds[out_.text.size()] |= kBoundEnd;
  return out_;
}

}  // namespace

Piece normalisePiece(const Text& piece, const VoiceSettings& current) {
  Text text = collapseRuns(foldFullWidth(piece));
  // Expressions need an ASCII digit; the rewrite also reads ○ and Chinese numerals before units.
  std::vector<NumberExpression> expressions;
  if (std::any_of(text.begin(), text.end(), asciiDigit))
    expressions = findNumberExpressions(text.data(), static_cast<int>(text.size()));
  text = rewriteNumbers(text.data(), static_cast<int>(text.size()), expressions, current.p6);
  return PieceBuilder(text, current).run();
}

void buildUnits(const Piece& piece, std::vector<SpeechUnit>& units, const VoiceSettings& current) {
  const int n = static_cast<int>(piece.text.size());
  if (units.size() < static_cast<std::size_t>(n) + 1) units.resize(static_cast<std::size_t>(n) + 1);
  std::size_t mark = 0;
  int wordStart = 0;
  int phraseStart = 0;
  std::vector<int> wordStarts;
  int phraseIndex = 0;
  std::vector<std::pair<int, int>> phrases;  // unit ranges
  for (int i = 0; i < n; ++i) {
    SpeechUnit& s = units[static_cast<std::size_t>(i)];
    s = SpeechUnit{};
    s.character = piece.text[static_cast<std::size_t>(i)];
    s.code = kCodeOpen;
    s.posInWord = static_cast<std::uint8_t>(std::min(i - wordStart, 255));
    s.pitch = static_cast<std::int16_t>(current.pitch);
    s.speed = static_cast<std::int16_t>(current.speed);
    s.volume = static_cast<std::int16_t>(current.volume);
    for (; mark < piece.marks.size() && piece.marks[mark].position <= i; ++mark) {
      const Mark& m = piece.marks[mark];
      if (m.position != i) continue;
      if (m.type == 2) {
        s.code = static_cast<std::uint16_t>(m.value);
        s.flags |= kFlagExplicit;
      } else if (m.type == 11) {
        s.flags |= kFlagDigit;
      } else if (m.type == 10) {
        s.extra = static_cast<std::int16_t>(m.value);
      }
    }
    std::uint16_t b = piece.bounds[static_cast<std::size_t>(i) + 1];
    int type = b & kBoundTypeMask;
    if (type == 2) s.flags |= kFlagGrade2;
    if (type == 3) s.flags |= kFlagGrade3;
    if (type == 4) s.flags |= kFlagGrade4;
    if (type || (b & kBoundEnd) || i + 1 == n) {
      for (int k = wordStart; k <= i; ++k) units[static_cast<std::size_t>(k)].wordLength = static_cast<std::uint8_t>(std::min(i + 1 - wordStart, 255));
      wordStarts.push_back(wordStart);
      wordStart = i + 1;
    }
    if (type == kBoundPause || (b & kBoundEnd) || i + 1 == n) {
      phrases.emplace_back(phraseStart, i + 1);
      phraseStart = i + 1;
    }
  }
  // Word and phrase counts.
  for (const auto& [from, to] : phrases) {
    int words = 0;
    for (int w : wordStarts) words += w >= from && w < to;
    int index = -1;
    for (int k = from; k < to; ++k) {
      SpeechUnit& s = units[static_cast<std::size_t>(k)];
      if (s.posInWord == 0) ++index;
      s.wordIndex = static_cast<std::uint8_t>(std::max(index, 0));
      s.phraseWords = static_cast<std::uint8_t>(std::min(words, 255));
      s.phraseIndex = static_cast<std::uint8_t>(std::min(phraseIndex, 255));
      s.phraseCount = static_cast<std::uint8_t>(std::min<std::size_t>(phrases.size(), 255));
    }
    ++phraseIndex;
  }
  units[static_cast<std::size_t>(n)] = SpeechUnit{};
  units[static_cast<std::size_t>(n)].character = 0;
}

namespace {

int unitCount(const std::vector<SpeechUnit>& units) {
  int n = 0;
  while (static_cast<std::size_t>(n) < units.size() && units[static_cast<std::size_t>(n)].character) ++n;
  return n;
}

bool isSyllable(std::uint16_t code) { return code < kSyllableCodeCount; }
int toneOf(std::uint16_t code) { return code % 5 + 1; }
int syllableOf(std::uint16_t code) { return code / 5; }
std::uint16_t withTone(std::uint16_t code, int tone) { return static_cast<std::uint16_t>(syllableOf(code) * 5 + tone - 1); }

}  // namespace

void chooseUnitCodes(std::vector<SpeechUnit>& units) {
  const int n = unitCount(units);
  for (int i = 0; i < n; ++i) {
    SpeechUnit& s = units[static_cast<std::size_t>(i)];
    if (s.code != kCodeOpen) continue;
    Unit c = s.character;
    if (hanziIndex(c) >= 0) {
      // The word around the character, at most four characters.
      int start = i - std::min<int>(s.posInWord, 3);
      int end = std::min(n, std::min(start + 4, i - s.posInWord + std::max<int>(s.wordLength, 1)));
      Text word;
      for (int k = start; k < end; ++k) word.push_back(units[static_cast<std::size_t>(k)].character);
      int code = readingInWord(word.data(), static_cast<int>(word.size()), i - start);
      s.code = code >= 0 && code < kSyllableCodeCount ? static_cast<std::uint16_t>(code) : kCodeSilent;
    } else if (c >= 'a' && c <= 'z') {
      s.code = static_cast<std::uint16_t>(kCodeLetterFirst + (c - 'a'));
    } else if (c >= 'A' && c <= 'Z') {
      s.code = static_cast<std::uint16_t>(kCodeLetterFirst + (c - 'A'));
    } else if (c >= 512 && c <= 767) {
      s.code = static_cast<std::uint16_t>(c + kPauseUnitOffset);
    } else if (c >= 0x1000 && c <= 0x3FFF) {
      s.code = static_cast<std::uint16_t>(c + kMarkUnitOffset);
    } else if (leadByte(c) == 0xA6 && trailByte(c) >= 0xA1 && trailByte(c) <= 0xB8) {
      s.code = static_cast<std::uint16_t>(kCodeGreekFirst + trailByte(c) - 0xA1);
    } else if (leadByte(c) == 0xA6 && trailByte(c) >= 0xC1 && trailByte(c) <= 0xD8) {
      s.code = static_cast<std::uint16_t>(kCodeGreekFirst + trailByte(c) - 0xC1);
    } else {
      s.code = kCodeSilent;
    }
  }
}

void applyToneRules(std::vector<SpeechUnit>& units) {
  static const CharSet kReduplicated = charSet("奶嫂姐爸妈哥弟爷娃看瞧蹦饽猩公伯写读听说宝婆妹叔婶姑舅姥星腥蝈乖哭骂太逛听提大溜拉碌溜噜嘻盈");
  static const CharSet kNeutralEnd = charSet("子们的了吧嘛呢啊哪吗");
  static const CharSet kNeutralInside = charSet("得不");
  static const CharSet kOrdinal = charSet("第其比");
  static const CharSet kDigitWords = charSet("一二三四五六七八九十零");
  static const CharSet kAfterPoint = charSet("一二三四五六七八九十零整钟半");
  static const Unit kGe = first("个"), kShi = first("十"), kYi = first("一"), kBi = first("比"), kDian = first("点"),
                    kBu = first("不"), kEr = first("儿"), kZi = first("子"), kWei = first("为");
  const int n = unitCount(units);
  auto U = [&](int i) -> SpeechUnit& { return units[static_cast<std::size_t>(i)]; };
  auto ch = [&](int i) -> Unit { return i >= 0 && i < n ? U(i).character : 0; };
  auto hanziCode = [&](int i) { return i >= 0 && i < n && isHanziUnit(U(i).character) && isSyllable(U(i).code); };
  // First pass.
  for (int i = 0; i < n; ++i) {
    SpeechUnit& s = U(i);
    if (!hanziCode(i)) continue;
    bool firstOfWord = s.posInWord == 0;
    bool lastOfWord = s.posInWord + 1 >= s.wordLength;
    if (!firstOfWord && hanziCode(i - 1) && ch(i - 1) == s.character && syllableOf(U(i - 1).code) == syllableOf(s.code) &&
        kReduplicated.has(s.character)) {
      s.code = withTone(s.code, 5);
    } else if (!firstOfWord && lastOfWord && s.wordLength >= 2 && !(s.flags & kFlagExplicit) && kNeutralEnd.has(s.character)) {
      s.code = withTone(s.code, 5);
    } else if (!firstOfWord && !lastOfWord && kNeutralInside.has(s.character)) {
      s.code = withTone(s.code, 5);
    } else if (s.character == kGe && (s.flags & kFlagGrade3)) {
      s.code = withTone(s.code, 5);
    } else if (s.character == kShi && !firstOfWord && (hanziProperties(ch(i - 1)) & kPropNumeral) &&
               (hanziProperties(ch(i + 1)) & kPropNumeral)) {
      s.code = withTone(s.code, 5);
    }
  }
  // Second pass.
  for (int i = 0; i < n; ++i) {
    SpeechUnit& s = U(i);
    if (!hanziCode(i)) continue;
    int nextTone = hanziCode(i + 1) ? toneOf(U(i + 1).code) : 0;
    bool betweenEqual = ch(i - 1) != 0 && ch(i - 1) == ch(i + 1) && hanziCode(i - 1) && hanziCode(i + 1) &&
                        syllableOf(U(i - 1).code) == syllableOf(U(i + 1).code);
    if (s.character == kYi && toneOf(s.code) == 1) {
      bool keep = kOrdinal.has(ch(i - 1)) || kDigitWords.has(ch(i - 1)) || kDigitWords.has(ch(i + 1)) || ch(i + 1) == kBi ||
                  (ch(i + 1) == kDian && kAfterPoint.has(ch(i + 2))) || (s.flags & kFlagDigit);
      if (keep) {
      } else if (betweenEqual) {
        s.code = withTone(s.code, 5);
      } else if (s.posInWord + 1 >= s.wordLength) {
      } else if (nextTone == 4) {
        s.code = withTone(s.code, 2);
      } else if (nextTone && nextTone != 5) {
        s.code = withTone(s.code, 4);
      }
    } else if (s.character == kBu) {
      if (betweenEqual) {
        s.code = withTone(s.code, 5);
      } else if (nextTone == 4) {
        s.code = withTone(s.code, 2);
      }
    } else if (s.character == kEr && i > 0 && s.posInWord + 1 >= s.wordLength && s.posInWord > 0 &&
               (toneOf(s.code) == 5 || (s.flags & kFlagGrade2)) && hanziCode(i - 1)) {
      SpeechUnit& prev = U(i - 1);
      if (prev.character == kZi) prev.code = withTone(prev.code, 3);
      prev.code = static_cast<std::uint16_t>(prev.code + kErhuaStep);
      s.code = kCodeSilent;
      continue;
    } else if (s.character == kWei && i == 0 && s.wordLength == 1) {
      s.code = withTone(s.code, 4);
    }
    if (hanziCode(i) && toneOf(s.code) == 3 && nextTone == 3) s.code = withTone(s.code, 2);
  }
}

bool prepareNextPiece(Utterance& u) {
  Text piece;
  while (u.cursor < u.text.size() && u.text[u.cursor] != 0) {
    u.cursor = nextPiece(u.text, u.cursor, piece);
    if (piece.empty()) continue;
    Piece p = normalisePiece(piece, u.current);
    if (p.text.empty()) continue;
    u.pending = u.current;
    buildUnits(p, u.units, u.current);
    chooseUnitCodes(u.units);
    applyToneRules(u.units);
    u.unitCount = static_cast<std::int32_t>(p.text.size());
    u.nextUnit = 0;
    if (PieceHook hook = gHook.load()) hook(u);
    return true;
  }
  return false;
}

void setPieceHook(PieceHook hook) { gHook.store(hook); }

}  // namespace speech
