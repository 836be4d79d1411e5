#include "engine/cj/analysis/engine_code_tables.h"

#include <map>
#include <vector>
#include <string>

#include "platform/core/codepage.h"

namespace cj {

std::uint16_t shiftJisOfRowCell(unsigned row, unsigned cell) {
  unsigned trail = cell + 0x1F;
  if ((row & 1) == 0) trail += 0x5E;
  if (trail > 0x7E) ++trail;
  unsigned lead = (row >> 1) - ((row & 1) == 0 ? 1 : 0);
  lead += lead < 0x2F ? 0x71 : 0xB1;
  return static_cast<std::uint16_t>(((lead & 0xFF) << 8) | (trail & 0xFF));
}

std::uint16_t gbOfShiftJis(unsigned lead, unsigned trail) {
  if (lead >= 0xA0) lead -= 0x40;
  if (trail >= 0x80) trail -= 1;
  int row = (static_cast<int>(lead) - 0x70) * 2;
  if (trail < 0x9E) row -= 1;
  if (row >= 0x79) row -= 5;
  unsigned cell = trail >= 0x9E ? trail - 0x5E : trail;
  cell -= 0x1F;
  return static_cast<std::uint16_t>(((static_cast<unsigned>(row) | 0x80) & 0xFF) << 8 | ((cell | 0x80) & 0xFF));
}

namespace {

// Every character but the hanzi stays below this code.
constexpr std::uint16_t kFirstHanzi = 0x874A;

char16_t charOf(unsigned codePage, std::uint16_t code) {
  std::string bytes;
  if (code > 0xFF) bytes.push_back(static_cast<char>(code >> 8));
  bytes.push_back(static_cast<char>(code & 0xFF));
  std::u16string u = plat::multiByteToWide(codePage, bytes);
  if (u.size() != 1) return 0;
  if (u[0] == u'?' || (codePage == 932 && u[0] == u'\u30FB' && code != 0x8145)) return 0;
  if (u[0] >= 0xE000 && u[0] <= 0xF8FF) return 0;
  return u[0];
}

// Two-byte code of a character in a code page, 0 when it has none.
std::uint16_t codeOf(unsigned codePage, char16_t c) {
  std::string s = plat::wideToMultiByte(codePage, std::u16string(1, c));
  if (s.size() != 2) return 0;
  return static_cast<std::uint16_t>(static_cast<unsigned char>(s[0]) << 8 | static_cast<unsigned char>(s[1]));
}

bool isGbTableCode(std::uint16_t gb) {
  unsigned lead = gb >> 8, trail = gb & 0xFF;
  if (trail < 0xA1 || trail > 0xFE) return false;
  return (lead >= 0xA1 && lead <= 0xA9) || (lead >= 0xB0 && lead <= 0xF7);
}

// Arithmetic GB rows whose engine codes go through a reverse table.
bool isTableRow(unsigned gbLead) { return (gbLead >= 0xA1 && gbLead <= 0xA3) || gbLead == 0xA8 || gbLead == 0xAD; }

std::uint16_t ibmOfNec(std::uint16_t nec) {
  for (const IbmRange& r : kIbmRanges) {
    unsigned last = r.firstTrail + (r.high - r.low);
    unsigned lead = nec >> 8, trail = nec & 0xFF;
    if (lead == r.lead && trail >= r.firstTrail && trail <= last) {
      return static_cast<std::uint16_t>(r.low + (trail - r.firstTrail));
    }
  }
  return 0;
}

EngineCodeTables build() {
  EngineCodeTables t;
  std::map<std::uint16_t, std::uint16_t> reverse;  // engine code -> GB code (kNoCode: reserved)

  for (unsigned i = 0; i < kRowCfTrails.size(); ++i) {
    reverse[static_cast<std::uint16_t>(0x8700 | kRowCfTrails[i])] = static_cast<std::uint16_t>(0xCFD4 + i);
  }

  // Japanese iteration marks of the GBK extension.
  const std::uint16_t extension[4] = {0xA963, 0xA964, 0xA965, 0xA966};
  for (int i = 0; i < 4; ++i) {
    char16_t c = charOf(936, extension[i]);
    std::uint16_t e = c ? codeOf(932, c) : 0;
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
      std::uint16_t gb = static_cast<std::uint16_t>((0xA1 + row) << 8 | (0xA1 + c));
      cells.push_back({gb, &t.symbolRows[row][c], charOf(936, gb)});
    }
  }
  for (unsigned row = 0; row < 2; ++row) {
    for (unsigned c = 0; c < 94; ++c) {
      std::uint16_t gb = static_cast<std::uint16_t>((0xA8 + row) << 8 | (0xA1 + c));
      cells.push_back({gb, &t.letterRows[row][c], charOf(936, gb)});
    }
  }

  // Pinyin letters are single bytes: 0xA6-0xBE for 0xA8A1-0xA8B9, 0xD8 for 0xA8BA.
  for (auto& cell : cells) {
    *cell.entry = kNoCode;
    if (cell.gb >= 0xA8A1 && cell.gb <= 0xA8BA) {
      unsigned b = cell.gb == 0xA8BA ? 0xD8 : 0xA6 + (cell.gb - 0xA8A1);
      *cell.entry = static_cast<std::uint16_t>(b << 8 | 0x20);
      cell.ch = 0;
    }
  }
  // Characters with a Japanese code that comes back through a reverse table keep it.
  for (auto& cell : cells) {
    if (!cell.ch) continue;
    std::uint16_t e = codeOf(932, cell.ch);
    if (!e || e >= kFirstHanzi || reverse.count(e)) continue;
    std::uint16_t back = gbOfShiftJis(e >> 8, e & 0xFF);
    if (!isTableRow(back >> 8)) continue;
    reverse[e] = cell.gb;
    *cell.entry = e;
    cell.ch = 0;
  }
  // The rest take the code of their own row and cell, or a free code of a reverse-table row.
  for (auto& cell : cells) {
    if (!cell.ch) continue;
    unsigned row = (cell.gb >> 8) & 0x7F, c = cell.gb & 0x7F;
    std::uint16_t e = shiftJisOfRowCell(row, c);
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
      std::uint16_t e = shiftJisOfRowCell(lead & 0x7F, c & 0x7F);
      if (e >= kFirstHanzi || reverse.count(e)) continue;
      (charOf(932, e) ? spareJapanese : spare).push_back(e);
    }
  }
  spare.insert(spare.end(), spareJapanese.begin(), spareJapanese.end());
  std::size_t nextSpare = 0;
  for (auto& cell : cells) {
    if (!cell.ch || nextSpare == spare.size()) continue;
    std::uint16_t e = spare[nextSpare++];
    reverse[e] = cell.gb;
    *cell.entry = e;
  }

  auto reverseEntry = [&](unsigned gbLead, unsigned c) -> std::uint16_t {
    std::uint16_t e = shiftJisOfRowCell(gbLead & 0x7F, c & 0x7F);
    auto it = reverse.find(e);
    if (it != reverse.end()) return it->second;
    char16_t ch = charOf(932, e);
    std::uint16_t gb = ch ? codeOf(936, ch) : 0;
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
      std::uint16_t nec = shiftJisOfRowCell(0x74 + row + 5, 0x21 + c);
      std::uint16_t ibm = ibmOfNec(nec);
      t.lastHanziRows[row][c] = ibm ? ibm : shiftJisOfRowCell(0x74 + row, 0x21 + c);
    }
  }
  return t;
}

}  // namespace

const EngineCodeTables& engineCodeTables() {
  static const EngineCodeTables tables = build();
  return tables;
}

}  // namespace cj
