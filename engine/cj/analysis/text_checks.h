// Byte-level tests of engine-code text, the sentence splitter and the per-sentence normalisation.
#pragma once
#include <string>
#include <string_view>

#include "engine/common/dbcs_text.h"

namespace cj {

// Trail byte of the engine Chinese code.
inline bool isTrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// Bytes of the character starting at i (2 for a lead byte with its trail, else 1).
inline std::size_t charLengthAt(std::string_view text, std::size_t i) {
  return dbcs::isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() && text[i + 1] != 0 ? 2 : 1;
}

// Position of needle in text at or after from, matching only where a character starts; npos when
// absent. from must itself be a character start.
std::size_t findAtCharStart(std::string_view text, std::string_view needle, std::size_t from = 0);

// True when the text is empty or holds no hanzi (double-byte code 0x874A or above).
bool lacksHanzi(std::string_view text);

// Number of code errors; counter rises on every odd geta mark.
int countCodeErrors(std::string_view text, int& counter);

// Mode letters of allowsSentenceEnd.
inline constexpr char kSplitMode = 'z';

// 1 when the mark (1 or 2 bytes) just read may end a sentence, 0 when it lies inside a number.
// afterMark is the position right after the mark in text.
int allowsSentenceEnd(char mode, std::string_view mark, std::string_view text, std::size_t afterMark);

// Copies the sentence starting at start into sentence and its end mark (possibly empty) into
// endMark; returns the position where the next sentence starts.
std::size_t nextChineseSentence(std::string_view text, std::string& sentence, std::size_t start,
                                std::string& endMark);

// The leading item number of a sentence ("(1)", "1、"), or empty.
void extractEnumerationPrefix(std::string_view sentence, std::string& prefix);

// Deletes a comma word where it directly follows a comma after its leading word (虽然…，但是).
void removeWordAfterComma(std::string& text);

// The sentence with every ASCII digit replaced by its double-byte digit.
void widenDigits(std::string_view sentence, std::string& out);

// The bar list of the numeral characters (ASCII digits and the listed double-byte numerals).
std::string numeralBarList();
// The double-byte end marks as a bar list.
const std::string& wideEndMarks();
// True when the byte is a single-byte end mark.
bool isSingleEndMark(unsigned char b);
// The enumeration characters as a bar list.
const std::string& enumerationCharList();

}  // namespace cj
