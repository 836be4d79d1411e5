// Layout of the Japanese dictionary pair (.DIC search tree, .DDB scrambled records), shared by
// the reader and the tools that write the pair.
#pragma once
#include <cstddef>
#include <array>
#include <cstdint>

namespace jc {

inline constexpr int kJpDdbHeaderSize = 128;
inline constexpr int kJpDdbDataStartOffset = 12;   // signed 16-bit, little-endian
inline constexpr int kJpDdbRecordLengthOffset = 14;  // signed 16-bit, little-endian
inline constexpr int kJpRecordSlot = 128;

// Record fields (offsets within a record).
inline constexpr int kJpRecKey = 0, kJpRecKeySize = 42;
inline constexpr int kJpRecPos = 42, kJpRecSubPos = 43, kJpRecConjType = 44, kJpRecConjForm = 45;
inline constexpr int kJpRecChinese = 46, kJpRecChineseSize = 42;
inline constexpr int kJpRecCode = 88, kJpRecCodeSize = 10;
inline constexpr int kJpRecField = 98, kJpRecFieldSize = 6;
inline constexpr int kJpRecSemantic = 104, kJpRecSemanticSize = 14;
inline constexpr int kJpRecWeight = 118;
inline constexpr int kJpRecConnection = 120;  // 32-bit little-endian
inline constexpr int kJpRecNumber = 124;      // 32-bit little-endian
inline constexpr char kJpCompoundHead = 'c';

// Tree items: an inner node is two bytes (bit index + 1, first byte below 0x80); a record
// number is four bytes, first byte 0x80 | (0x40 on the last item of a list) | top 6 bits.
inline constexpr std::uint8_t kJpTreeItemFlag = 0x80;
inline constexpr std::uint8_t kJpTreeLastItem = 0x40;

// The record scrambler. XOR with a running key, so the same routine scrambles and descrambles.
inline constexpr std::uint8_t kJpScrambleOddSeed = 0xA7;
inline constexpr std::uint8_t kJpScrambleEvenSeed = 0x5C;
inline constexpr int kJpScrambleMultiplier = 7;
inline constexpr int kJpScrambleModulus = 13;
inline constexpr int kJpScrambleAddend = 0x3B;

// The key of byte i is the seed's key XOR every step up to i: the running part depends on the
// position only, so it is a table.
inline constexpr std::array<std::uint8_t, kJpRecordSlot> kJpScramblePrefix = [] {
  std::array<std::uint8_t, kJpRecordSlot> t{};
  std::uint8_t running = 0;
  for (int i = 0; i < kJpRecordSlot; ++i) {
    running = static_cast<std::uint8_t>(running ^ static_cast<std::uint8_t>(i * kJpScrambleMultiplier + i % kJpScrambleModulus +
                                                                              kJpScrambleAddend));
    t[static_cast<std::size_t>(i)] = running;
  }
  return t;
}();

inline void descrambleBytes(std::uint8_t* buffer, std::size_t length, int seed) {
  std::uint8_t key = static_cast<std::uint8_t>(seed ^ ((seed & 1) ? kJpScrambleOddSeed : kJpScrambleEvenSeed));
  const std::size_t fast = length < kJpScramblePrefix.size() ? length : kJpScramblePrefix.size();
  for (std::size_t i = 0; i < fast; ++i) buffer[i] ^= static_cast<std::uint8_t>(key ^ kJpScramblePrefix[i]);
  if (fast > 0) key = static_cast<std::uint8_t>(key ^ kJpScramblePrefix[fast - 1]);
  for (std::size_t i = fast; i < length; ++i) {
    int step = static_cast<int>(i) * kJpScrambleMultiplier + static_cast<int>(i) % kJpScrambleModulus +
               kJpScrambleAddend;
    key = static_cast<std::uint8_t>(static_cast<std::uint8_t>(step) ^ key);
    buffer[i] ^= key;
  }
}

}  // namespace jc
