// Where GB2312 codes sit in the engine Chinese code (GB rows and cells in the Shift-JIS byte
// layout): the arithmetic, its fixed tables and the tables derived from code pages 936 and 932.
// Header-only, on the platform's code pages alone, so that the build-time table generator
// derives exactly what the engine does.
#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/core/codepage.h"

namespace dbcs {

// A two-byte entry: lead in the high byte. kNoCode ('?' as first byte) means no character.
inline constexpr std::uint16_t kNoCode = 0x3F3F;

// Every character but the hanzi stays below this code.
inline constexpr std::uint16_t kFirstHanzi = 0x874A;

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

// IBM-extension codes low..high (leads 0xFA-0xFC) and their twins from lead:firstTrail on.
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
inline std::uint16_t shiftJisOfRowCell(unsigned row, unsigned cell) {
  unsigned trail = cell + 0x1F;
  if ((row & 1) == 0) trail += 0x5E;
  if (trail > 0x7E) ++trail;
  unsigned lead = (row >> 1) - ((row & 1) == 0 ? 1 : 0);
  lead += lead < 0x2F ? 0x71 : 0xB1;
  return static_cast<std::uint16_t>(((lead & 0xFF) << 8) | (trail & 0xFF));
}

// GB code (high bits set) of an engine two-byte code by the reverse arithmetic.
inline std::uint16_t gbOfShiftJis(unsigned lead, unsigned trail) {
  if (lead >= 0xA0) lead -= 0x40;
  if (trail >= 0x80) trail -= 1;
  int row = (static_cast<int>(lead) - 0x70) * 2;
  if (trail < 0x9E) row -= 1;
  if (row >= 0x79) row -= 5;
  unsigned cell = trail >= 0x9E ? trail - 0x5E : trail;
  cell -= 0x1F;
  return static_cast<std::uint16_t>(((static_cast<unsigned>(row) | 0x80) & 0xFF) << 8 | ((cell | 0x80) & 0xFF));
}

namespace code_placement {

// The one UTF-16 value of a one- or two-byte code in a code page, 0 when it has none (the code
// page's default character and private-use values count as none).
inline char16_t charOfCode(unsigned codePage, std::uint16_t code) {
  std::string bytes;
  if (code > 0xFF) bytes.push_back(static_cast<char>(code >> 8));
  bytes.push_back(static_cast<char>(code & 0xFF));
  const std::u16string u = plat::multiByteToWide(codePage, bytes);
  if (u.size() != 1) return 0;
  if (u[0] == u'?' || u[0] == 0xFFFD || (codePage == 932 && u[0] == u'\u30FB' && code != 0x8145)) return 0;
  if (u[0] >= 0xE000 && u[0] <= 0xF8FF) return 0;
  return u[0];
}

// Two-byte code of a character in a code page, 0 when it has none.
inline std::uint16_t codeOfChar(unsigned codePage, char16_t c) {
  const std::string s = plat::wideToMultiByte(codePage, std::u16string(1, c));
  if (s.size() != 2) return 0;
  return static_cast<std::uint16_t>(static_cast<unsigned char>(s[0]) << 8 | static_cast<unsigned char>(s[1]));
}

// A code of the GB2312 rows (symbols 0xA1-0xA9, hanzi 0xB0-0xF7).
inline bool isGbTableCode(std::uint16_t gb) {
  const unsigned lead = gb >> 8, trail = gb & 0xFF;
  if (trail < 0xA1 || trail > 0xFE) return false;
  return (lead >= 0xA1 && lead <= 0xA9) || (lead >= 0xB0 && lead <= 0xF7);
}

// Arithmetic GB rows whose engine codes go through a reverse table.
inline bool isReverseTableRow(unsigned gbLead) {
  return (gbLead >= 0xA1 && gbLead <= 0xA3) || gbLead == 0xA8 || gbLead == 0xAD;
}

// The IBM-extension twin of a code, 0 when it has none.
inline std::uint16_t ibmOfNec(std::uint16_t nec) {
  for (const IbmRange& r : kIbmRanges) {
    const unsigned last = r.firstTrail + (r.high - r.low);
    const unsigned lead = nec >> 8, trail = nec & 0xFF;
    if (lead == r.lead && trail >= r.firstTrail && trail <= last) {
      return static_cast<std::uint16_t>(r.low + (trail - r.firstTrail));
    }
  }
  return 0;
}

}  // namespace code_placement

// The symbol and letter rows take the Shift-JIS code of the same character when it comes back
// through a reverse table, else their own row and cell, else a free code of a reverse-table row;
// rows 0xF4-0xF7 take the IBM-extension area.
inline EngineCodeTables deriveEngineCodeTables() {
  using namespace code_placement;
  EngineCodeTables t;
  std::map<std::uint16_t, std::uint16_t> reverse;  // engine code -> GB code (kNoCode: reserved)

  for (unsigned i = 0; i < kRowCfTrails.size(); ++i) {
    reverse[static_cast<std::uint16_t>(0x8700 | kRowCfTrails[i])] = static_cast<std::uint16_t>(0xCFD4 + i);
  }

  // Japanese iteration marks of the GBK extension.
  const std::uint16_t extension[4] = {0xA963, 0xA964, 0xA965, 0xA966};
  for (int i = 0; i < 4; ++i) {
    const char16_t c = charOfCode(936, extension[i]);
    const std::uint16_t e = c ? codeOfChar(932, c) : 0;
    t.extensionGb[i] = extension[i];
    t.extensionEngine[i] = e ? e : 0x81AC;
    if (e) reverse[e] = kNoCode;
  }

  struct Cell {
    std::uint16_t gb;
    std::uint16_t* entry;
    char16_t ch;
  };
  std::vector<Cell> cells;
  for (unsigned row = 0; row < 3; ++row) {
    for (unsigned c = 0; c < 94; ++c) {
      const auto gb = static_cast<std::uint16_t>((0xA1 + row) << 8 | (0xA1 + c));
      cells.push_back({gb, &t.symbolRows[row][c], charOfCode(936, gb)});
    }
  }
  for (unsigned row = 0; row < 2; ++row) {
    for (unsigned c = 0; c < 94; ++c) {
      const auto gb = static_cast<std::uint16_t>((0xA8 + row) << 8 | (0xA1 + c));
      cells.push_back({gb, &t.letterRows[row][c], charOfCode(936, gb)});
    }
  }

  // Pinyin letters are single bytes: 0xA6-0xBE for 0xA8A1-0xA8B9, 0xD8 for 0xA8BA.
  for (Cell& cell : cells) {
    *cell.entry = kNoCode;
    if (cell.gb >= 0xA8A1 && cell.gb <= 0xA8BA) {
      const unsigned b = cell.gb == 0xA8BA ? 0xD8 : 0xA6 + (cell.gb - 0xA8A1);
      *cell.entry = static_cast<std::uint16_t>(b << 8 | 0x20);
      cell.ch = 0;
    }
  }
  // Characters with a Japanese code that comes back through a reverse table keep it.
  for (Cell& cell : cells) {
    if (!cell.ch) continue;
    const std::uint16_t e = codeOfChar(932, cell.ch);
    if (!e || e >= kFirstHanzi || reverse.count(e)) continue;
    if (!isReverseTableRow(gbOfShiftJis(e >> 8, e & 0xFF) >> 8)) continue;
    reverse[e] = cell.gb;
    *cell.entry = e;
    cell.ch = 0;
  }
  // The rest take the code of their own row and cell, or a free code of a reverse-table row.
  for (Cell& cell : cells) {
    if (!cell.ch) continue;
    const unsigned row = (cell.gb >> 8) & 0x7F, c = cell.gb & 0x7F;
    const std::uint16_t e = shiftJisOfRowCell(row, c);
    if (row != 0x29) {  // row 0xA9 has no reverse table: its arithmetic comes back by itself
      if (reverse.count(e)) continue;
      reverse[e] = cell.gb;
    }
    *cell.entry = e;
    cell.ch = 0;
  }
  std::vector<std::uint16_t> spare, spareJapanese;
  for (unsigned lead : {0xA1u, 0xA2u, 0xA3u, 0xA8u, 0xADu}) {
    for (unsigned c = 0xA1; c <= 0xFE; ++c) {
      const std::uint16_t e = shiftJisOfRowCell(lead & 0x7F, c & 0x7F);
      if (e >= kFirstHanzi || reverse.count(e)) continue;
      (charOfCode(932, e) ? spareJapanese : spare).push_back(e);
    }
  }
  spare.insert(spare.end(), spareJapanese.begin(), spareJapanese.end());
  std::size_t nextSpare = 0;
  for (Cell& cell : cells) {
    if (!cell.ch || nextSpare == spare.size()) continue;
    const std::uint16_t e = spare[nextSpare++];
    reverse[e] = cell.gb;
    *cell.entry = e;
  }

  auto reverseEntry = [&](unsigned gbLead, unsigned c) -> std::uint16_t {
    const std::uint16_t e = shiftJisOfRowCell(gbLead & 0x7F, c & 0x7F);
    const auto it = reverse.find(e);
    if (it != reverse.end()) return it->second;
    const char16_t ch = charOfCode(932, e);
    const std::uint16_t gb = ch ? codeOfChar(936, ch) : 0;
    return gb && isGbTableCode(gb) ? gb : kNoCode;
  };
  for (unsigned row = 0; row < 3; ++row) {
    for (unsigned c = 0; c < 94; ++c) t.gbSymbolRows[row][c] = reverseEntry(0xA1 + row, 0xA1 + c);
  }
  for (unsigned c = 0; c < 94; ++c) {
    t.gbA8AdRows[0][c] = reverseEntry(0xA8, 0xA1 + c);
    t.gbA8AdRows[1][c] = reverseEntry(0xAD, 0xA1 + c);
  }

  // Rows 0xF4-0xF7 sit in the IBM-extension area: the code five rows on, moved to its IBM twin.
  for (unsigned row = 0; row < 4; ++row) {
    for (unsigned c = 0; c < 94; ++c) {
      const std::uint16_t ibm = ibmOfNec(shiftJisOfRowCell(0x74 + row + 5, 0x21 + c));
      t.lastHanziRows[row][c] = ibm ? ibm : shiftJisOfRowCell(0x74 + row, 0x21 + c);
    }
  }
  return t;
}

}  // namespace dbcs
