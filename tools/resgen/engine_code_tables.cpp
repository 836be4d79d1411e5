#include "tools/resgen/engine_code_tables.h"

#include "platform/core/codepage.h"

#include <algorithm>
#include <vector>
#include <map>

namespace resgen {

const std::array<LeadRemapRange, 15> kLeadRemapRanges = {{
    {0xFA40, 0xFA49, 0xEE, 0xEF}, {0xFA4A, 0xFA53, 0x87, 0x54}, {0xFA54, 0xFA57, 0xEE, 0xF9},
    {0xFA58, 0xFA58, 0x87, 0x8A}, {0xFA59, 0xFA59, 0x87, 0x82}, {0xFA5A, 0xFA5A, 0x87, 0x84},
    {0xFA5B, 0xFA5B, 0x87, 0x9A}, {0xFA5C, 0xFA7E, 0xED, 0x40}, {0xFA80, 0xFA9B, 0xED, 0x63},
    {0xFA9C, 0xFAFC, 0xED, 0x80}, {0xFB40, 0xFB5B, 0xED, 0xE1}, {0xFB5C, 0xFB7E, 0xEE, 0x40},
    {0xFB80, 0xFB9B, 0xEE, 0x63}, {0xFB9C, 0xFBFC, 0xEE, 0x80}, {0xFC40, 0xFC4B, 0xEE, 0xE1},
}};

const std::array<std::uint8_t, 43> kRowCfTrails = {
    0x4A, 0x4B, 0x4C, 0x4D, 0x4E, 0x4F, 0x50, 0x51, 0x52, 0x53, 0x5F, 0x60, 0x61, 0x62, 0x63,
    0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x7E, 0x80, 0x81, 0x82,
    0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8B, 0x8C, 0x8D, 0x8E, 0x8F, 0x93,
};

namespace {

constexpr int kCwkEntries = 8712;
constexpr int kCwhEntries = 11168;
// Every character but the hanzi stays below this code.
constexpr EngineCode kFirstHanzi = 0x874A;
constexpr EngineCode kNoCode = 0x3F3F;  // '?' as first byte: no character

// JIS row and cell (0x21-0x7E) to the Shift-JIS byte pair.
EngineCode jisToShiftJis(unsigned r, unsigned c) {
  unsigned trail = c + 0x1F + ((r & 1) ? 0 : 0x5E);
  if (trail > 0x7E) ++trail;
  unsigned v = (r >> 1) - ((r & 1) ? 0 : 1);
  unsigned lead = v + (v < 0x2F ? 0x71 : 0xB1);
  return static_cast<EngineCode>((lead & 0xFF) << 8 | (trail & 0xFF));
}

// The reverse arithmetic: GB code (high bits set) of a double-byte engine code.
std::uint16_t shiftJisToGb(unsigned lead, unsigned trail) {
  if (lead >= 0xA0) lead -= 0x40;
  if (trail >= 0x80) trail -= 1;
  int row = (static_cast<int>(lead) - 0x70) * 2;
  if (trail < 0x9E) row -= 1;
  if (row >= 0x79) row -= 5;
  unsigned cell = (trail >= 0x9E ? trail - 0x5E : trail) - 0x1F;
  return static_cast<std::uint16_t>(((static_cast<unsigned>(row) | 0x80) & 0xFF) << 8 | ((cell | 0x80) & 0xFF));
}

EngineCode remap(EngineCode code) {
  for (const LeadRemapRange& r : kLeadRemapRanges) {
    if (code >= r.first && code <= r.last) return static_cast<EngineCode>(r.lead << 8 | (r.trail + code - r.first));
  }
  return 0;
}

EngineCode ibmOfNec(EngineCode nec) {
  for (const LeadRemapRange& r : kLeadRemapRanges) {
    unsigned lead = nec >> 8, trail = nec & 0xFF;
    if (lead == r.lead && trail >= r.trail && trail <= r.trail + static_cast<unsigned>(r.last - r.first))
      return static_cast<EngineCode>(r.first + (trail - r.trail));
  }
  return 0;
}

char16_t charOf(unsigned codePage, std::uint16_t code) {
  std::string bytes;
  if (code > 0xFF) bytes.push_back(static_cast<char>(code >> 8));
  bytes.push_back(static_cast<char>(code & 0xFF));
  std::u16string u = plat::multiByteToWide(codePage, bytes);
  if (u.size() != 1) return 0;
  if (u[0] == u'?' || u[0] == 0xFFFD || (codePage == 932 && u[0] == u'\u30FB' && code != 0x8145)) return 0;
  if (u[0] >= 0xE000 && u[0] <= 0xF8FF) return 0;
  return u[0];
}

// The double-byte code of a character in a code page, or 0.
std::uint16_t codeOf(unsigned codePage, char16_t c) {
  std::string b = plat::wideToMultiByte(codePage, std::u16string(1, c));
  if (b.size() != 2) return 0;
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[0]) << 8 | static_cast<unsigned char>(b[1]));
}

bool isGbTableCode(std::uint16_t gb) {
  unsigned lead = gb >> 8, trail = gb & 0xFF;
  if (trail < 0xA1 || trail > 0xFE) return false;
  return (lead >= 0xA1 && lead <= 0xA9) || (lead >= 0xB0 && lead <= 0xF7);
}

bool isTableRow(unsigned gbLead) { return (gbLead >= 0xA1 && gbLead <= 0xA3) || gbLead == 0xA8 || gbLead == 0xAD; }

// The static tables of the GB2312 / engine-code conversion: the symbol and letter rows take the
// Shift-JIS code of the same character when it comes back through a reverse table, else their own
// row and cell, else a free code of a reverse-table row.
struct SymbolTables {
  std::array<std::array<EngineCode, 94>, 3> symbolRows{};
  std::array<std::array<EngineCode, 94>, 2> letterRows{};  // low byte 0x20: the single byte above
  std::array<std::array<EngineCode, 94>, 4> lastHanziRows{};
  std::array<std::array<std::uint16_t, 94>, 3> gbSymbolRows{};
  std::array<std::array<std::uint16_t, 94>, 2> gbA8AdRows{};
};

SymbolTables buildSymbolTables() {
  SymbolTables t;
  std::map<EngineCode, std::uint16_t> reverse;  // engine code -> GB code (kNoCode: reserved)
  for (unsigned i = 0; i < kRowCfTrails.size(); ++i)
    reverse[static_cast<EngineCode>(0x8700 | kRowCfTrails[i])] = static_cast<std::uint16_t>(0xCFD4 + i);
  // Japanese iteration marks of the GBK extension keep their codes.
  for (std::uint16_t gb : {0xA963, 0xA964, 0xA965, 0xA966}) {
    char16_t c = charOf(936, gb);
    if (EngineCode e = c ? codeOf(932, c) : 0) reverse[e] = kNoCode;
  }
  struct Cell {
    std::uint16_t gb;
    EngineCode* entry;
    char16_t ch;
  };
  std::vector<Cell> cells;
  for (unsigned row = 0; row < 3; ++row)
    for (unsigned c = 0; c < 94; ++c) {
      std::uint16_t gb = static_cast<std::uint16_t>((0xA1 + row) << 8 | (0xA1 + c));
      cells.push_back({gb, &t.symbolRows[row][c], charOf(936, gb)});
    }
  for (unsigned row = 0; row < 2; ++row)
    for (unsigned c = 0; c < 94; ++c) {
      std::uint16_t gb = static_cast<std::uint16_t>((0xA8 + row) << 8 | (0xA1 + c));
      cells.push_back({gb, &t.letterRows[row][c], charOf(936, gb)});
    }
  for (Cell& cell : cells) {
    *cell.entry = kNoCode;
    if (cell.gb >= 0xA8A1 && cell.gb <= 0xA8BA) {
      // Pinyin letters are single bytes: 0xA6-0xBE, and 0xD8 for 0xA8BA.
      unsigned b = cell.gb == 0xA8BA ? 0xD8 : 0xA6 + (cell.gb - 0xA8A1);
      *cell.entry = static_cast<EngineCode>(b << 8 | 0x20);
      cell.ch = 0;
    }
  }
  for (Cell& cell : cells) {
    if (!cell.ch) continue;
    EngineCode e = codeOf(932, cell.ch);
    if (!e || e >= kFirstHanzi || reverse.count(e)) continue;
    if (!isTableRow(shiftJisToGb(e >> 8, e & 0xFF) >> 8)) continue;
    reverse[e] = cell.gb;
    *cell.entry = e;
    cell.ch = 0;
  }
  for (Cell& cell : cells) {
    if (!cell.ch) continue;
    unsigned row = (cell.gb >> 8) & 0x7F, c = cell.gb & 0x7F;
    EngineCode e = jisToShiftJis(row, c);
    if (row != 0x29) {  // row 0xA9 has no reverse table: its arithmetic comes back by itself
      if (reverse.count(e)) continue;
      reverse[e] = cell.gb;
    }
    *cell.entry = e;
    cell.ch = 0;
  }
  std::vector<EngineCode> spare, spareJapanese;
  for (unsigned lead : {0xA1u, 0xA2u, 0xA3u, 0xA8u, 0xADu})
    for (unsigned c = 0xA1; c <= 0xFE; ++c) {
      EngineCode e = jisToShiftJis(lead & 0x7F, c & 0x7F);
      if (e >= kFirstHanzi || reverse.count(e)) continue;
      (charOf(932, e) ? spareJapanese : spare).push_back(e);
    }
  spare.insert(spare.end(), spareJapanese.begin(), spareJapanese.end());
  size_t nextSpare = 0;
  for (Cell& cell : cells) {
    if (!cell.ch || nextSpare == spare.size()) continue;
    EngineCode e = spare[nextSpare++];
    reverse[e] = cell.gb;
    *cell.entry = e;
  }
  auto reverseEntry = [&](unsigned gbLead, unsigned c) -> std::uint16_t {
    EngineCode e = jisToShiftJis(gbLead & 0x7F, c & 0x7F);
    auto it = reverse.find(e);
    if (it != reverse.end()) return it->second;
    char16_t ch = charOf(932, e);
    std::uint16_t gb = ch ? codeOf(936, ch) : 0;
    return gb && isGbTableCode(gb) ? gb : kNoCode;
  };
  for (unsigned row = 0; row < 3; ++row)
    for (unsigned c = 0; c < 94; ++c) t.gbSymbolRows[row][c] = reverseEntry(0xA1 + row, 0xA1 + c);
  for (unsigned c = 0; c < 94; ++c) {
    t.gbA8AdRows[0][c] = reverseEntry(0xA8, 0xA1 + c);
    t.gbA8AdRows[1][c] = reverseEntry(0xAD, 0xA1 + c);
  }
  // Rows 0xF4-0xF7: the code five rows on, moved to its IBM-extension twin.
  for (unsigned row = 0; row < 4; ++row)
    for (unsigned c = 0; c < 94; ++c) {
      EngineCode ibm = ibmOfNec(jisToShiftJis(0x74 + row + 5, 0x21 + c));
      t.lastHanziRows[row][c] = ibm ? ibm : jisToShiftJis(0x74 + row, 0x21 + c);
    }
  return t;
}

const SymbolTables& symbolTables() {
  static const SymbolTables tables = buildSymbolTables();
  return tables;
}

// The GB2312 code the engine reads an engine code as (the engine's own reverse rule).
std::uint16_t engineToGb(EngineCode code) {
  if (code < 0x100) {
    static const std::uint16_t punct[5] = {0xA1A3, 0xA1B8, 0xA1B9, 0xA1A2, 0xA1A4};
    if (code >= 0xA1 && code <= 0xA5) return punct[code - 0xA1];
    if (code >= 0xA6 && code <= 0xBE) return static_cast<std::uint16_t>(0xA8A1 + (code - 0xA6));
    if (code >= 0xBF && code <= 0xD7) return static_cast<std::uint16_t>(0xA8A1 + (code - 0xBF));
    if (code == 0xD8) return 0xA8BA;
    if (code >= 0xD9 && code <= 0xDD) return static_cast<std::uint16_t>("mmnnn"[code - 0xD9]);
    if (code == 0xDE) return 0xA1E5;
    if (code == 0xDF) return 0xA1E3;
    return 0;
  }
  unsigned lead = code >> 8, trail = code & 0xFF;
  if (lead >= 0xF0) {
    EngineCode at = remap(code);
    if (!at) at = 0x8140;
    lead = at >> 8;
    trail = at & 0xFF;
  }
  if (lead == 0xEE && (trail == 0xED || trail == 0xEE)) lead = 0x81, trail = 0x40;
  else if (lead == 0xEE && trail == 0xF9) lead = 0x81, trail = 0xCA;
  std::uint16_t gb = shiftJisToGb(lead, trail);
  unsigned gl = gb >> 8;
  const SymbolTables& t = symbolTables();
  std::uint16_t v = gb;
  if (gl >= 0xA1 && gl <= 0xA3) v = t.gbSymbolRows[gl - 0xA1][(gb & 0xFF) - 0xA1];
  else if (gl == 0xA8) v = t.gbA8AdRows[0][(gb & 0xFF) - 0xA1];
  else if (gl == 0xAD) v = t.gbA8AdRows[1][(gb & 0xFF) - 0xA1];
  return v == kNoCode ? 0xA1FE : v;
}

// Index of a code in the to-UTF-16 tables, single bytes included.
int tableIndex(EngineCode code) {
  if (code < 0x100) return (code >= 0xA0 && code <= 0xDF) ? code - 0xA0 : -1;
  return engineTableIndex(code >> 8, code & 0xFF);
}

EngineCode codeOfIndex(int index) {
  if (index < 64) return static_cast<EngineCode>(0xA0 + index);
  int k = index - 64;
  int row = k / 188;
  int off = k % 188;
  unsigned trail = 0x40 + off + (off >= 0x3F ? 1 : 0);
  unsigned lead = row < 31 ? 0x81 + row : 0xC1 + row;
  return static_cast<EngineCode>(lead << 8 | trail);
}

void putLe16(std::string& out, unsigned v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}

std::string valuesToBytes(const std::vector<char16_t>& values) {
  std::string out;
  for (char16_t v : values) putLe16(out, v);
  return out;
}

// Sorted, one record per code point; the first code given for a code point wins.
std::string recordsToBytes(const std::vector<std::pair<char16_t, EngineCode>>& pairs) {
  std::map<char16_t, EngineCode> byPoint;
  for (const auto& [u, e] : pairs) byPoint.emplace(u, e);
  std::string out;
  for (const auto& [u, e] : byPoint) {
    if (e < 0x100) {
      out.push_back(static_cast<char>(e));
      out.push_back(0);
    } else {
      out.push_back(static_cast<char>(e >> 8));
      out.push_back(static_cast<char>(e & 0xFF));
    }
    putLe16(out, u);
  }
  return out;
}

// UTF-16 of what the engine reads a code as, or '?'.
char16_t unicodeOfEngineCode(EngineCode code) {
  std::uint16_t gb = engineToGb(code);
  if (gb && gb < 0x80) return static_cast<char16_t>(gb);
  char16_t u = gb ? gbToUnicode(gb) : 0;
  return u ? u : u'?';
}

}  // namespace

int engineTableIndex(unsigned lead, unsigned trail) {
  if (trail < 0x40 || trail > 0xFC || trail == 0x7F) return -1;
  int row;
  if (lead >= 0x81 && lead <= 0x9F) row = static_cast<int>(lead) - 0x81;
  else if (lead >= 0xE0 && lead <= 0xFC) row = static_cast<int>(lead) - 0xC1;
  else return -1;
  return 64 + row * 188 + static_cast<int>(trail) - 0x40 - (trail >= 0x80 ? 1 : 0);
}

char16_t gbToUnicode(std::uint16_t gb) {
  if (!isGbTableCode(gb)) return 0;
  return charOf(936, gb);
}

EngineCode gbToEngineCode(std::uint16_t gb) {
  if (!isGbTableCode(gb) || !gbToUnicode(gb)) return 0;
  unsigned r = (gb >> 8) & 0x7F, c = gb & 0x7F;
  const SymbolTables& t = symbolTables();
  EngineCode e;
  if (r >= 0x21 && r <= 0x23) {
    e = t.symbolRows[r - 0x21][c - 0x21];
  } else if (r == 0x28 || r == 0x29) {
    e = t.letterRows[r - 0x28][c - 0x21];
    if (e != kNoCode && (e & 0xFF) == 0x20) return e >> 8;
  } else if (r >= 0x74 && r <= 0x77) {
    e = t.lastHanziRows[r - 0x74][c - 0x21];
  } else {
    e = jisToShiftJis(r, c);
    if ((e >> 8) == 0x98 && (e & 0xFF) >= 0x73 && (e & 0xFF) <= 0x9E) {
      unsigned tr = e & 0xFF;
      if (tr > 0x7F) --tr;
      e = static_cast<EngineCode>(0x8700 | kRowCfTrails[tr - 0x73]);
    }
  }
  return (e >> 8) == '?' ? 0 : e;
}

EngineCodeTables buildEngineCodeTables(const std::vector<VariantPair>& traditionalOf) {
  // To UTF-16: what the engine reads each code as.
  std::vector<char16_t> cwk(kCwkEntries);
  for (int i = 0; i < kCwkEntries; ++i) cwk[i] = unicodeOfEngineCode(codeOfIndex(i));

  // From UTF-16: the code the engine writes for each GB2312 character.
  std::vector<std::pair<char16_t, EngineCode>> forward;
  for (unsigned lead = 0xA1; lead <= 0xF7; ++lead) {
    for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) {
      std::uint16_t gb = static_cast<std::uint16_t>(lead << 8 | trail);
      if (EngineCode e = gbToEngineCode(gb)) forward.emplace_back(gbToUnicode(gb), e);
    }
  }

  std::map<char16_t, char16_t> trad;
  for (const VariantPair& p : traditionalOf) trad.emplace(p.simplified, p.traditional);
  auto toTrad = [&](char16_t u) {
    auto it = trad.find(u);
    return it == trad.end() ? u : it->second;
  };
  // The twin holds the traditional form at each place and reads the IBM-extension leads directly.
  std::vector<char16_t> cwh(kCwhEntries, u'?');
  for (int i = 0; i < kCwhEntries; ++i) {
    if (i < kCwkEntries) {
      cwh[i] = toTrad(cwk[i]);
    } else if (EngineCode at = remap(codeOfIndex(i))) {
      int j = tableIndex(at);
      if (j >= 0 && j < kCwkEntries) cwh[i] = toTrad(cwk[j]);
    }
  }

  std::vector<std::pair<char16_t, EngineCode>> cwkRecords, cwhRecords;
  for (const auto& [u, e] : forward) {
    // A code that the engine reads as another character is no way to write this one.
    EngineCode at = (e >= 0x100 && (e >> 8) >= 0xEF) ? remap(e) : e;
    int i = at ? tableIndex(at) : -1;
    if (u < 127 || i < 0 || i >= kCwkEntries || cwk[i] != u) continue;
    cwkRecords.emplace_back(u, e);
    cwhRecords.emplace_back(toTrad(u), e);
  }
  for (int i = 0; i < kCwhEntries; ++i)
    if (cwh[i] >= 127 && cwh[i] != u'?') cwhRecords.emplace_back(cwh[i], codeOfIndex(i));

  EngineCodeTables t;
  t.cwkUni = valuesToBytes(cwk);
  t.cwhUni = valuesToBytes(cwh);
  t.uniCwk = recordsToBytes(cwkRecords);
  t.uniCwh = recordsToBytes(cwhRecords);
  return t;
}

}  // namespace resgen
