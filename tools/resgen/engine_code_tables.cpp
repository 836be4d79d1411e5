#include "tools/resgen/engine_code_tables.h"

#include "engine/common/engine_code_placement.h"
#include "platform/core/little_endian.h"

#include <algorithm>
#include <vector>
#include <map>

namespace resgen {

namespace {

constexpr int kCwkEntries = 8712;
constexpr int kCwhEntries = 11168;
constexpr EngineCode kNoCode = dbcs::kNoCode;  // '?' as first byte: no character

EngineCode remap(EngineCode code) {
  for (const dbcs::IbmRange& r : dbcs::kIbmRanges) {
    if (code >= r.low && code <= r.high) return static_cast<EngineCode>(r.lead << 8 | (r.firstTrail + code - r.low));
  }
  return 0;
}

// The engine's own placement of the symbol, letter and last hanzi rows.
const dbcs::EngineCodeTables& symbolTables() {
  static const dbcs::EngineCodeTables tables = dbcs::deriveEngineCodeTables();
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
  std::uint16_t gb = dbcs::gbOfShiftJis(lead, trail);
  unsigned gl = gb >> 8;
  const dbcs::EngineCodeTables& t = symbolTables();
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

std::string valuesToBytes(const std::vector<char16_t>& values) {
  std::string out;
  for (char16_t v : values) plat::appendLe16(out, v);
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
    plat::appendLe16(out, u);
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
  if (!dbcs::code_placement::isGbTableCode(gb)) return 0;
  return dbcs::code_placement::charOfCode(936, gb);
}

EngineCode gbToEngineCode(std::uint16_t gb) {
  if (!dbcs::code_placement::isGbTableCode(gb) || !gbToUnicode(gb)) return 0;
  unsigned r = (gb >> 8) & 0x7F, c = gb & 0x7F;
  const dbcs::EngineCodeTables& t = symbolTables();
  EngineCode e;
  if (r >= 0x21 && r <= 0x23) {
    e = t.symbolRows[r - 0x21][c - 0x21];
  } else if (r == 0x28 || r == 0x29) {
    e = t.letterRows[r - 0x28][c - 0x21];
    if (e != kNoCode && (e & 0xFF) == 0x20) return e >> 8;
  } else if (r >= 0x74 && r <= 0x77) {
    e = t.lastHanziRows[r - 0x74][c - 0x21];
  } else {
    e = dbcs::shiftJisOfRowCell(r, c);
    if ((e >> 8) == 0x98 && (e & 0xFF) >= 0x73 && (e & 0xFF) <= 0x9E) {
      unsigned tr = e & 0xFF;
      if (tr > 0x7F) --tr;
      e = static_cast<EngineCode>(0x8700 | dbcs::kRowCfTrails[tr - 0x73]);
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
