// The engine's internal text code and the character classes of its front end.
// A unit whose low byte is 0x80 or below is a single-byte character; any other unit holds a
// two-byte GBK character, lead byte low and trail byte high.
#pragma once
#include <cstdint>

namespace speech {

using Unit = std::uint16_t;

inline constexpr int kHanziCount = 6768;
inline constexpr int kSyllableCount = 417;
inline constexpr int kSymbolCount = 208;

inline constexpr unsigned leadByte(Unit u) { return u & 0xFFu; }
inline constexpr unsigned trailByte(Unit u) { return u >> 8; }
inline constexpr bool isSingleByteUnit(Unit u) { return leadByte(u) <= 0x80; }
inline constexpr Unit gbUnit(unsigned lead, unsigned trail) { return static_cast<Unit>(lead | (trail << 8)); }

// GB2312 hanzi (lead 0xB0-0xF7, trail 0xA1-0xFE): 0-6767; -1 for any other unit.
inline int hanziIndex(Unit u) {
  unsigned lead = leadByte(u), trail = trailByte(u);
  if (lead < 0xB0 || lead > 0xF7 || trail < 0xA1 || trail > 0xFE) return -1;
  return static_cast<int>((lead - 0xB0) * 94 + (trail - 0xA1));
}

inline Unit hanziOfIndex(int index) {
  if (index < 0 || index >= kHanziCount) return 0;
  return gbUnit(0xB0 + static_cast<unsigned>(index) / 94, 0xA1 + static_cast<unsigned>(index) % 94);
}

// Place among the 208 characters that may have a symbol reading; -1 when none.
inline int symbolIndex(Unit u) {
  struct Range {
    unsigned lead;  // 0: ASCII
    unsigned first, last;
  };
  constexpr Range kRanges[] = {
      {0, 0x21, 0x2F},    {0, 0x3A, 0x40},    {0, 0x5B, 0x60},    {0, 0x7B, 0x7E},    {0xA1, 0xA2, 0xFE},
      {0xA2, 0xA1, 0xAA}, {0xA2, 0xB1, 0xE2}, {0xA2, 0xE5, 0xEE}, {0xA2, 0xF1, 0xFC}, {0xA3, 0xA4, 0xA4},
  };
  int base = 0;
  for (const Range& r : kRanges) {
    unsigned value = r.lead == 0 ? u : trailByte(u);
    bool hit = r.lead == 0 ? (u >= r.first && u <= r.last) : (leadByte(u) == r.lead && value >= r.first && value <= r.last);
    if (hit) return base + static_cast<int>(value - r.first);
    base += static_cast<int>(r.last - r.first + 1);
  }
  return -1;
}

bool isSpaceUnit(Unit u);
bool isLineBreakUnit(Unit u);
bool isDigitUnit(Unit u);
bool isLetterUnit(Unit u);
bool isHanziUnit(Unit u);
bool isSymbolRowUnit(Unit u);
bool isArithmeticUnit(Unit u);
bool isOpeningQuoteUnit(Unit u);
bool isClosingQuoteUnit(Unit u);
bool isAtSignUnit(Unit u);
bool isColonUnit(Unit u);
bool isSlashUnit(Unit u);
bool isPointUnit(Unit u);
bool isQuestionMarkUnit(Unit u);
bool isCommaUnit(Unit u);
// withEllipsis: the run-collapsing step also counts "…" as a dash.
bool isDashUnit(Unit u, bool withEllipsis = false);

}  // namespace speech
