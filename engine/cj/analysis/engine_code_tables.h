// Static tables of the GB2312 / engine-code conversion.
#pragma once
#include <array>
#include <cstdint>

namespace cj {

// A two-byte entry: lead in the high byte. kNoCode ('?' as first byte) means no character.
inline constexpr std::uint16_t kNoCode = 0x3F3F;

struct EngineCodeTables {
  // GBK codes with a trail byte of 0xA0 or below that have an engine code.
  std::array<std::uint16_t, 4> extensionGb{};
  std::array<std::uint16_t, 4> extensionEngine{};
  // GB rows 0xA1-0xA3 to engine code.
  std::array<std::array<std::uint16_t, 94>, 3> symbolRows{};
  // GB rows 0xA8, 0xA9 to engine code; a low byte 0x20 means the single byte in the high byte.
  std::array<std::array<std::uint16_t, 94>, 2> letterRows{};
  // GB rows 0xF4-0xF7 to engine code.
  std::array<std::array<std::uint16_t, 94>, 4> lastHanziRows{};
  // Engine code to GB rows 0xA1-0xA3, indexed by the row and cell the arithmetic gives.
  std::array<std::array<std::uint16_t, 94>, 3> gbSymbolRows{};
  // Engine code to GB for the arithmetic rows 0xA8 and 0xAD.
  std::array<std::array<std::uint16_t, 94>, 2> gbA8AdRows{};
};

// Trail bytes under lead 0x87 of GB row 0xCF, cells 52-94.
inline constexpr std::array<std::uint8_t, 43> kRowCfTrails = {
    0x4A, 0x4B, 0x4C, 0x4D, 0x4E, 0x4F, 0x50, 0x51, 0x52, 0x53, 0x5F, 0x60, 0x61, 0x62, 0x63,
    0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x7E, 0x80, 0x81, 0x82,
    0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8B, 0x8C, 0x8D, 0x8E, 0x8F, 0x93};

struct IbmRange {
  std::uint16_t low, high;
  std::uint8_t lead, firstTrail;
};

inline constexpr std::array<IbmRange, 15> kIbmRanges = {{
    {0xFA40, 0xFA49, 0xEE, 0xEF}, {0xFA4A, 0xFA53, 0x87, 0x54}, {0xFA54, 0xFA57, 0xEE, 0xF9},
    {0xFA58, 0xFA58, 0x87, 0x8A}, {0xFA59, 0xFA59, 0x87, 0x82}, {0xFA5A, 0xFA5A, 0x87, 0x84},
    {0xFA5B, 0xFA5B, 0x87, 0x9A}, {0xFA5C, 0xFA7E, 0xED, 0x40}, {0xFA80, 0xFA9B, 0xED, 0x63},
    {0xFA9C, 0xFAFC, 0xED, 0x80}, {0xFB40, 0xFB5B, 0xED, 0xE1}, {0xFB5C, 0xFB7E, 0xEE, 0x40},
    {0xFB80, 0xFB9B, 0xEE, 0x63}, {0xFB9C, 0xFBFC, 0xEE, 0x80}, {0xFC40, 0xFC4B, 0xEE, 0xE1},
}};

// Engine code of a GB row and cell (both without the high bit) by the Shift-JIS arithmetic.
std::uint16_t shiftJisOfRowCell(unsigned row, unsigned cell);
// GB code (high bits set) of an engine two-byte code by the reverse arithmetic.
std::uint16_t gbOfShiftJis(unsigned lead, unsigned trail);

// Built once from code pages 936 and 932 on first use.
const EngineCodeTables& engineCodeTables();

}  // namespace cj
