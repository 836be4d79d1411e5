// Writer of the pinyin dictionary cwcdicp.dic: one scrambled line per word holding its reading,
// at the offset that the pinyin-path segmentation tries give as the word's value.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace datagen {

// Longest reading a line carries; the reader cuts after it.
inline constexpr std::size_t kCjPinyinReadingSize = 49;

// A reading is syllables with tone digits ("Zhong1Guo2"), ' ' between words, '/' between
// alternatives; a leading '\' reads back as a space. Readings must not hold CR, LF or NUL, and
// longer ones are cut at kCjPinyinReadingSize bytes. Returns the file; offsets receives each
// line's offset, in order.
std::string cjPinyinEntryFile(const std::vector<std::string>& readings, std::vector<uint32_t>* offsets = nullptr);

// The scrambled bytes of one reading line placed at offset.
std::string cjPinyinEntryLine(std::string_view reading, uint32_t offset);

}  // namespace datagen
