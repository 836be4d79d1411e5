// Word segmentation of hanzi runs, polyphone readings and the phrasing of a piece.
#pragma once
#include "speech/engine/text_code.h"

#include <cstdint>
#include <vector>

namespace speech {

// hzprop.dat bits the front end tests.
inline constexpr std::uint32_t kPropNumeral = 1u << 0;      // a Chinese numeral
inline constexpr std::uint32_t kPropNumberWord = 1u << 1;   // a number word
inline constexpr std::uint32_t kPropMeasure = 1u << 6;      // a measure word
inline constexpr std::uint32_t kPropApart = 1u << 7;        // an adverb kept apart in the grade merge
inline constexpr std::uint32_t kPropGrade2 = 1u << 8;       // grades of a one-character word
inline constexpr std::uint32_t kPropGrade3 = 1u << 9;
inline constexpr std::uint32_t kPropGrade4 = 1u << 10;
inline constexpr std::uint32_t kPropGivenName = 1u << 18;   // bits 18-21: a given-name character
inline constexpr std::uint32_t kPropGivenNameMask = 0xFu << 18;
inline constexpr std::uint32_t kPropForeign = 1u << 22;     // transliteration character
inline constexpr std::uint32_t kPropForeignEnd = 1u << 23;  // may end a transliteration
inline constexpr std::uint32_t kPropNotForeign1 = 1u << 24;
inline constexpr std::uint32_t kPropNotForeign2 = 1u << 25;
inline constexpr std::uint32_t kPropForeignTrail = 1u << 26;

// Classes of a listed word, in the upper half of its cz.dat value.
inline constexpr std::uint32_t kWordTime = 1u << 16;   // a time word: a colon expression near it is a time
inline constexpr std::uint32_t kWordPager = 1u << 17;  // a pager word: a hyphen near it is read 杠

// Boundary types of a piece, kept per position: a boundary at p closes the word that ends with
// the character before p.
inline constexpr std::uint16_t kBoundWord = 1;
inline constexpr std::uint16_t kBoundPause = 5;
inline constexpr std::uint16_t kBoundProvisional = 0x4000;
inline constexpr std::uint16_t kBoundEnd = 0x8000;
inline constexpr std::uint16_t kBoundTypeMask = 0x00FF;

// Unit code of the fixed reading of 重打担宿只种 after a number; -1 for any other character.
int fixedMeasureReading(Unit u);

// A reading (syllable × 8 + tone) as a unit code.
inline int unitCodeOfReading(int reading) { return reading % 8 + reading / 8 * 5 - 1; }

// Length (1-4) of the longest listed word that starts at pos.
int longestWordAt(const Unit* text, int length, int pos);
// Length (1-4) of the longest listed word that ends with the character at pos; at most
// `available` characters.
int longestWordEndingAt(const Unit* text, int pos, int available);
// Reading number (0: the default) of the polyphone at posInWord of the word.
int choosePolyphoneReading(const Unit* word, int length, int posInWord, int polyphone);
// The unit code of a hanzi read inside the given word; -1 when it has no reading.
int readingInWord(const Unit* word, int length, int posInWord);

struct SegmentedRun {
  int length = 0;                     // characters of the run
  std::vector<std::uint8_t> grades;   // length + 1: grade of the boundary before each character and at the end
  std::vector<int> readings;          // per character: an explicit unit code, -1 when left open
};

// Segments the hanzi run that starts at `start` of the text.
SegmentedRun segmentRun(const Unit* text, int length, int start);

// Thins out the phrase boundaries of a piece (boundaries per position, length + 1 entries).
void phrasePiece(const Unit* text, int length, std::vector<std::uint16_t>& bounds);

}  // namespace speech
