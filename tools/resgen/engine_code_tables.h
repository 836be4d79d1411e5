// The engine Chinese code (GB2312 rows and cells in the Shift-JIS byte layout) and the tables
// that convert it to and from UTF-16, derived from code pages 936 and 932 by the engine's own
// placement (engine/common/engine_code_placement.h).
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace resgen {

// A code in the engine layout: one byte (below 0x100) or lead * 256 + trail; 0 means none.
using EngineCode = std::uint16_t;

// The engine code the engine writes for one GB2312 code (lead * 256 + trail), or 0 when it has
// none. Symbols take the Shift-JIS code of the same character where it reads back, else a free
// code of the symbol rows; rows 0xF4-0xF7 take the IBM-extension area.
EngineCode gbToEngineCode(std::uint16_t gb);

// UTF-16 value of one GB2312 code through code page 936, or 0 (private-use values included).
char16_t gbToUnicode(std::uint16_t gb);

// Index of a double-byte engine code in the to-UTF-16 tables (64 + row * 188 + trail offset),
// or -1 for a byte pair outside the layout.
int engineTableIndex(unsigned lead, unsigned trail);

struct EngineCodeTables {
  std::string cwkUni;  // 8,712 little-endian UTF-16 values, code page 60932
  std::string cwhUni;  // 11,168 values, code page 61932
  std::string uniCwk;  // sorted records {first byte, second byte, 16-bit code point}
  std::string uniCwh;
};

// A one-to-one simplified to traditional mapping used for the traditional twin.
struct VariantPair {
  char16_t simplified;
  char16_t traditional;
};

EngineCodeTables buildEngineCodeTables(const std::vector<VariantPair>& traditionalOf);

}  // namespace resgen
