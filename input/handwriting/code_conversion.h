// Recogniser codes to UTF-16: GB2312 rows and cells in BCD through "GB-UNI", Big5 through
// "B5-UNI", and the half-width change of the panels' keys.
#pragma once
#include "platform/core/resources.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace hw {

// The CVDATA tables the panels locate at selection; either may be missing.
struct CodeTables {
  plat::ResourceData gbUni;  // 81 rows × 94 cells (rows 0xA1-0xA9, 0xB0-0xF7)
  plat::ResourceData b5Uni;  // 89 lead bytes × 157 trail bytes
};
CodeTables locateCodeTables();

// Big5 bytes to UTF-16: bytes below 0x80 stay; a pair with a valid lead (0xA1-0xF9) and trail
// (0x40-0x7E, 0xA1-0xFE) is looked up; entries 0 and invalid pairs give nothing.
std::u16string big5ToUnicode(std::string_view bytes, const CodeTables& tables);

// Which of the half-width change's classes apply: the half-width key down, and the symbols and
// letters class keys.
struct HalfWidthKeys {
  bool halfWidth = false;
  bool symbols = false;
  bool letters = false;
};
std::u16string toHalfWidth(std::u16string text, const HalfWidthKeys& keys);

// One candidate code to text: Big5 when traditional, else BCD row and cell of GB2312. A code that
// is not valid BCD, row 0, a row or cell outside the table, or an entry 0 gives nothing.
// At most 4 characters.
std::u16string candidateToUnicode(std::uint16_t code, bool traditional, const CodeTables& tables);

// A candidate of the Japanese dictionary (a Shift-JIS code) to text; nothing for a code that is
// not a character of code page 932.
std::u16string shiftJisCandidateToUnicode(std::uint16_t code);

}  // namespace hw
