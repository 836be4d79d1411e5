// Build-time generators of the analyser's CONNECT tables from readable UTF-8 sources.
#pragma once
#include <string>
#include <string_view>

namespace resgen {

// A table text as the analyser reads it: Shift-JIS, CR LF line ends, a 0x1A line at the end.
// False when a character has no Shift-JIS form.
bool makeConnectText(std::string_view utf8, std::string& out, std::string* error = nullptr);

// CON_TBL_PDA (entry count as four digits, 8-byte entries, word area) and CON_MTR (rows,
// columns, row-major cost bytes) from the class source and the conjugation table source.
bool makeConnectionTables(std::string_view classesUtf8, std::string_view katuyouUtf8, std::string& conTblPda,
                          std::string& conMtr, std::string* error = nullptr);

}  // namespace resgen
