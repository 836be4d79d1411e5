// Double-byte text of both engines (the engine Chinese code and Shift-JIS share one byte layout):
// which byte starts a two-byte character, how long the character at a position is, and the
// longest prefix that keeps whole characters.
#pragma once
#include <cstddef>
#include <string_view>

namespace dbcs {

// A byte 0x81-0x9F or 0xE0-0xFC starts a two-byte character.
constexpr bool isLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Bytes of the character starting at text[i]: 2 for a lead byte with its trail, else 1.
constexpr std::size_t charSize(std::string_view text, std::size_t i) {
  return isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

// Length of the longest prefix of text that fits in limit bytes without splitting a character.
constexpr std::size_t fitWholeChars(std::string_view text, std::size_t limit) {
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t step = charSize(text, i);
    if (i + step > limit) break;
    i += step;
  }
  return i;
}

}  // namespace dbcs
