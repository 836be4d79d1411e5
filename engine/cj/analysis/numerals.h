// Numeral words rendered for the Japanese output: digit strings, approximate pairs, or the word
// re-coded into Japanese characters.
#pragma once
#include <string>
#include <string_view>
#include "engine/common/word_table.h"

namespace cj {

// Room the result of convertNumeral is kept within (terminator included).
inline constexpr std::size_t kNumeralOutSize = 200;

// Word-table keys of the numeral characters.
inline constinit ListedKey kNumeralUnits{"numerals.units"};            // powers 1, 2, 3, 4, 8, 12
inline constinit ListedKey kNumeralDigitChars{"numerals.digitChars"};  // 0-9, then two more of value 0
inline constinit ListedKey kNumeralZeroChars{"numerals.zeroChars"};    // three characters of value 0
inline constinit ListedKey kNumeralDigitSet1{"numerals.digitSet1"};    // 1, 2, 2, 3, ..., 9
inline constinit ListedKey kNumeralDigitSet2{"numerals.digitSet2"};    // 0-9
inline constinit ListedKey kNumeralDigitSet3{"numerals.digitSet3"};    // 0, 2, 3, ..., 9
inline constinit ListedKey kNumeralZeroList{"numerals.zeroList"};      // with ASCII "0"
inline constinit ListedKey kNumeralMarkers{"numerals.markers"};
inline constinit ListedKey kNumeralApproximateWords{"numerals.approximateWords"};
inline constinit ListedKey kNumeralSeparator{"predicateMarks.C1"};

// Converts one numeral word (engine code). pairsFlag non-zero answers the approximate words as
// pairs. out is replaced; it never exceeds kNumeralOutSize - 1 bytes.
void convertNumeral(std::string_view text, std::string& out, int pairsFlag);

// 1 when the word is a unit, a digit or one of the numeral list characters; else 0.
int isNumeralListWord(std::string_view word);

// The steps of convertNumeral, exposed for the transfer side and the tests.
int unitPower(std::string_view ch);
char digitValue(std::string_view ch);
// The value of a numeral with units, in ASCII digits: 三百五 350, 一百零五 105, 三亿五千万
// 350000000, 一万亿 1000000000000; a digit after the last unit stands one place below it.
void positionalNumeral(std::string_view text, std::string& out);
void digitByDigit(std::string_view text, std::string& out);
void approximatePair(std::string_view text, std::string& out);
int approximateWord(std::string_view text, std::string& out);

}  // namespace cj
