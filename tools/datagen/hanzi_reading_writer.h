// Writer of the character reading file pinyindic\hanzi.dat: an index of 32-bit little-endian
// offsets (one per character of U+3400..U+9FA5 and U+F900..U+FA2A), then the readings, each a
// length byte n, two header bytes and n - 3 bytes of ASCII pinyin with tone digits.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace datagen {

// Index slot of a code point; -1 outside the two ranges.
int hanziReadingSlot(char32_t codePoint);
inline constexpr int kHanziReadingSlots = 0xFA2A - 0x8D00 + 1;

// The file. Characters outside the ranges, and readings longer than 252 bytes, are skipped.
std::string hanziReadingFile(const std::vector<std::pair<char32_t, std::string>>& readings);

}  // namespace datagen
