#include "speech/engine/text_code.h"

namespace speech {

namespace {

// Full-width GB2312 form of an ASCII character in row 3 (0xA3A1 '!' to 0xA3FE '~').
constexpr Unit fullWidth(char c) { return gbUnit(0xA3, 0x80 + static_cast<unsigned>(c)); }

bool inTrailRange(Unit u, unsigned lead, unsigned first, unsigned last) {
  return leadByte(u) == lead && trailByte(u) >= first && trailByte(u) <= last;
}

}  // namespace

bool isSpaceUnit(Unit u) { return u == ' ' || u == '\t' || u == gbUnit(0xA1, 0xA1) || u == gbUnit(0xA3, 0xA0); }

bool isLineBreakUnit(Unit u) { return u == '\r' || u == '\n'; }

bool isDigitUnit(Unit u) { return (u >= '0' && u <= '9') || inTrailRange(u, 0xA3, 0xB0, 0xB9); }

bool isLetterUnit(Unit u) {
  return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || inTrailRange(u, 0xA3, 0xC1, 0xDA) ||
         inTrailRange(u, 0xA3, 0xE1, 0xFA);
}

bool isHanziUnit(Unit u) {
  if (isSingleByteUnit(u)) return false;
  unsigned lead = leadByte(u);
  return ((lead >= 0x81 && lead <= 0xA0) || lead >= 0xAA) && trailByte(u) >= 0x40;
}

bool isSymbolRowUnit(Unit u) { return !isSingleByteUnit(u) && leadByte(u) >= 0xA1 && leadByte(u) <= 0xA9; }

bool isArithmeticUnit(Unit u) { return u == '+' || u == '-' || u == '*' || u == '/' || u == '='; }

// The ASCII quotation marks have one form, which both opens and closes.
bool isOpeningQuoteUnit(Unit u) { return u == '\'' || u == '"' || u == gbUnit(0xA1, 0xAE) || u == gbUnit(0xA1, 0xB0); }
bool isClosingQuoteUnit(Unit u) { return u == '\'' || u == '"' || u == gbUnit(0xA1, 0xAF) || u == gbUnit(0xA1, 0xB1); }

bool isAtSignUnit(Unit u) { return u == '@' || u == fullWidth('@'); }
bool isColonUnit(Unit u) { return u == ':' || u == fullWidth(':'); }
bool isSlashUnit(Unit u) { return u == '/' || u == fullWidth('/'); }
bool isPointUnit(Unit u) { return u == '.' || u == fullWidth('.'); }
bool isQuestionMarkUnit(Unit u) { return u == '?' || u == fullWidth('?'); }
bool isCommaUnit(Unit u) { return u == ',' || u == fullWidth(','); }

// The dash has two GBK codes: the GB2312 one and GBK's own.
bool isDashUnit(Unit u, bool withEllipsis) {
  return u == gbUnit(0xA1, 0xAA) || u == gbUnit(0xA8, 0x44) || (withEllipsis && u == gbUnit(0xA1, 0xAD));
}

}  // namespace speech
