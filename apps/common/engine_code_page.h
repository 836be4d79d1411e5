// Code pages 60932 (the engine Chinese code) and 61932 (its traditional twin), driven by the
// CWK_UNI / CWH_UNI and UNI_CWK / UNI_CWH tables.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace apptext {

inline constexpr unsigned kEngineCodePage = 60932;
inline constexpr unsigned kEngineTraditionalCodePage = 61932;

// Views of the four tables (little-endian, as carried in the program's resources).
struct EngineCodeTables {
  std::string_view cwkUni;  // to UTF-16, code page 60932
  std::string_view cwhUni;  // to UTF-16, code page 61932
  std::string_view uniCwk;  // from UTF-16, 4-byte records sorted by code point
  std::string_view uniCwh;
};

// Moves a 60932 code with lead 0xEF or above into the table's range: the new lead * 256 + trail,
// or 0 when the code lies in no range.
unsigned remapLeadByte(unsigned lead, unsigned trail);

// Binary search in a from-UTF-16 table: the record's index, or -1.
int lookupFromUnicode(char16_t codePoint, std::string_view table);

// Bytes to UTF-16; stops at a zero byte, at the end of the bytes or after limit bytes
// (a negative limit means 65,536). second selects code page 61932.
std::u16string cwToWide(const EngineCodeTables& tables, bool second, std::string_view bytes, long limit = -1);

// UTF-16 to bytes; stops at a zero unit. Characters the table lacks become '?'.
std::string wideToCw(const EngineCodeTables& tables, bool second, std::u16string_view text);

// The translator's entry: table 0 is CWK_UNI, 1 is CWH_UNI. Replaces out with the converted
// text and returns the number of characters written.
int engineCodeToUnicode(const EngineCodeTables& tables, std::string_view bytes, int limit, std::u16string& out,
                        int table);

}  // namespace apptext
