// examples.dat: text scrambled per byte position with the program's 256-byte table.
#pragma once
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace dict {

namespace detail {
constexpr std::array<std::uint8_t, 256> makeExamplesTable() {
  std::array<std::uint8_t, 256> t{};
  std::uint32_t x = 0x5EED1234u;
  for (auto& b : t) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    b = static_cast<std::uint8_t>(x >> 11);
  }
  return t;
}
}  // namespace detail

// The table that the examples writer and reader share.
inline constexpr std::array<std::uint8_t, 256> kExamplesTable = detail::makeExamplesTable();

inline std::uint8_t scrambleExampleByte(std::uint8_t plain, std::uint32_t position) {
  return static_cast<std::uint8_t>((plain ^ kExamplesTable[position % 256]) + kExamplesTable[(position % 65536) / 256]);
}

inline std::uint8_t descrambleExampleByte(std::uint8_t stored, std::uint32_t position) {
  return static_cast<std::uint8_t>(static_cast<std::uint8_t>(stored - kExamplesTable[(position % 65536) / 256]) ^
                                   kExamplesTable[position % 256]);
}

// The whole stored file checked: lines of japanese<TAB>chinese, each ending in LF, without NUL.
// Empty when it is whole, else why not (with the line at fault).
std::string checkExamples(std::string_view stored);

// Reads up to count descrambled bytes from position; returns the number read (0 on failure).
size_t readExamples(std::FILE* file, std::uint32_t position, char* buffer, size_t count);

}  // namespace dict
