// Text routines over dictionary bytes: one double-byte layout for Shift-JIS and the engine
// Chinese code (lead bytes 0x81-0x9F and 0xE0-0xFC).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace dict {

struct DictionaryEntry;

// Reads one character at the start of bytes: returns 1 or 2 (0 at the end) and the character
// as a 16-bit code, lead byte high. A lead byte with no trail counts as one byte.
int readChar(std::string_view bytes, std::uint16_t& code);

// The first line without control pairs, '/', "＊" and "★"; two spaces in front when it begins
// with a single byte.
std::string extractHeadwordLine(const DictionaryEntry& entry);
// The Japanese-to-Chinese list text: the 0x0E 'B' text with its "【…】" part at the end.
std::string extractListText(const DictionaryEntry& entry);
std::string extractHanzi(const DictionaryEntry& entry, bool withEllipsis);
std::string extractKana(const DictionaryEntry& entry);
std::string extractPinyin(const DictionaryEntry& entry);

// Full-width letters, digits, symbols and kana to their single-byte forms; true when another
// double-byte character was kept.
bool normaliseToHalfWidth(std::string_view src, std::string& dst);
// The dictionary's toned vowel bytes to the plain capital and the tone digit.
std::string tonePinyinToDigits(std::string_view src);
// Without single-byte spaces and the byte 0xA5.
std::string removeSpaces(std::string_view src);

}  // namespace dict
