// Numbers for speaking: number expressions, the rewrite of numbers and the words around them,
// and the reading of digits in one of four kinds.
#pragma once
#include "speech/engine/gb_text.h"

#include <array>
#include <vector>

namespace speech {

// Reading kinds.
inline constexpr int kKindDigitsYao = 1;   // digit by digit, 1 read 幺
inline constexpr int kKindValue = 2;       // by value
inline constexpr int kKindDigits = 11;     // digit by digit, 1 read 一
inline constexpr int kKindValueZero = 12;  // by value, a single leading zero read 零
// In the rewritten text a kind stands before its digits as the unit kKindMark + kind.
inline constexpr Unit kKindMark = 0x1000;
inline bool isKindMark(Unit u) { return u > kKindMark && u <= kKindMark + kKindValueZero; }

struct NumberReading {
  Text text;
  std::vector<int> boundaries;  // positions in text where a group ends (a word boundary)
};
// Reads ASCII digits (and points) in a kind.
NumberReading readNumber(const Unit* digits, int length, int kind);

enum ExpressionClass { kExprThousands = 1, kExprDate, kExprTime, kExprMinutes, kExprScore, kExprPhone };
inline constexpr int kMaxExpressions = 31;
inline constexpr int kMaxSeparators = 32;

struct NumberExpression {
  int start = 0, length = 0;
  int separators = 0;
  std::array<int, kMaxSeparators> separatorAt{};
  int cls = 0;
  int subclass = 0;  // dates: order 1-7; times: 1 AM, 2 PM, 0 neither
  bool uncertain = false;
  int suffixLength = 0;  // "AM", "P.M." ... consumed after a time
};

// The number expressions of a piece (ASCII digits and separators).
std::vector<NumberExpression> findNumberExpressions(const Unit* text, int length);
// The piece with expressions written out and every other number given its kind (mode: parameter 6).
Text rewriteNumbers(const Unit* text, int length, const std::vector<NumberExpression>& expressions, int mode);

}  // namespace speech
