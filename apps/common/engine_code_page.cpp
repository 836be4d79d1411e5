#include "apps/common/engine_code_page.h"

#include "platform/core/little_endian.h"
#include "engine/common/dbcs_text.h"

#include <array>

namespace apptext {

namespace {

struct RemapRange {
  unsigned first, last, lead, trail;
};

constexpr std::array<RemapRange, 15> kRanges = {{
    {0xFA40, 0xFA49, 0xEE, 0xEF}, {0xFA4A, 0xFA53, 0x87, 0x54}, {0xFA54, 0xFA57, 0xEE, 0xF9},
    {0xFA58, 0xFA58, 0x87, 0x8A}, {0xFA59, 0xFA59, 0x87, 0x82}, {0xFA5A, 0xFA5A, 0x87, 0x84},
    {0xFA5B, 0xFA5B, 0x87, 0x9A}, {0xFA5C, 0xFA7E, 0xED, 0x40}, {0xFA80, 0xFA9B, 0xED, 0x63},
    {0xFA9C, 0xFAFC, 0xED, 0x80}, {0xFB40, 0xFB5B, 0xED, 0xE1}, {0xFB5C, 0xFB7E, 0xEE, 0x40},
    {0xFB80, 0xFB9B, 0xEE, 0x63}, {0xFB9C, 0xFBFC, 0xEE, 0x80}, {0xFC40, 0xFC4B, 0xEE, 0xE1},
}};

constexpr long kDefaultLimit = 65536;


unsigned le16(std::string_view table, size_t index) { return plat::readLe16(table.data() + 2 * index); }

// The table entry, or '?' when the index falls outside the table or the entry is empty.
char16_t entry(std::string_view table, long index) {
  if (index < 0 || static_cast<size_t>(index) >= table.size() / 2) return u'?';
  unsigned v = le16(table, static_cast<size_t>(index));
  return v ? static_cast<char16_t>(v) : u'?';
}

// One double-byte character, or '?'.
char16_t doubleByte(std::string_view table, bool second, unsigned lead, unsigned trail) {
  if (trail < 0x40 || trail > 0xFC || trail == 0x7F) return u'?';
  if (!second) {
    if (lead > 0xEE) {
      unsigned code = remapLeadByte(lead, trail);
      if (!code) return u'?';
      lead = code >> 8;
      trail = code & 0xFF;
    }
  } else if (lead == 0xFC && trail > 0x4B) {
    return u'?';
  }
  long row = lead <= 0x9F ? static_cast<long>(lead) - 0x81 : static_cast<long>(lead) - 0xC1;
  return entry(table, 64 + row * 188 + static_cast<long>(trail) - 0x40 - (trail >= 0x80 ? 1 : 0));
}

}  // namespace

unsigned remapLeadByte(unsigned lead, unsigned trail) {
  unsigned code = lead << 8 | trail;
  for (const RemapRange& r : kRanges) {
    if (code >= r.first && code <= r.last) return r.lead << 8 | (r.trail + code - r.first);
  }
  return 0;
}

int lookupFromUnicode(char16_t codePoint, std::string_view table) {
  long low = 0, high = static_cast<long>(table.size() / 4) - 1;
  while (low <= high) {
    long mid = (low + high) / 2;
    unsigned v = le16(table, static_cast<size_t>(mid) * 2 + 1);
    if (v == codePoint) return static_cast<int>(mid);
    if (v < codePoint) low = mid + 1;
    else high = mid - 1;
  }
  return -1;
}

std::u16string cwToWide(const EngineCodeTables& tables, bool second, std::string_view bytes, long limit) {
  std::string_view table = second ? tables.cwhUni : tables.cwkUni;
  size_t end = bytes.size();
  size_t max = static_cast<size_t>(limit < 0 ? kDefaultLimit : limit);
  if (max < end) end = max;
  std::u16string out;
  for (size_t i = 0; i < end;) {
    unsigned b = static_cast<unsigned char>(bytes[i]);
    if (b == 0) break;
    if (b < 0x80) {
      out.push_back(static_cast<char16_t>(b));
      ++i;
    } else if (b >= 0xA0 && b <= 0xDF) {
      out.push_back(entry(table, b - 0xA0));
      ++i;
    } else if (dbcs::isLeadByte(b)) {
      // A lead byte without its trail (the end, the limit or the terminator) is one '?'.
      unsigned t = i + 1 < end ? static_cast<unsigned char>(bytes[i + 1]) : 0;
      if (t == 0) {
        out.push_back(u'?');
        break;
      }
      out.push_back(doubleByte(table, second, b, t));
      i += 2;
    } else {
      out.push_back(u'?');
      ++i;
    }
  }
  return out;
}

std::string wideToCw(const EngineCodeTables& tables, bool second, std::u16string_view text) {
  std::string_view table = second ? tables.uniCwh : tables.uniCwk;
  std::string out;
  for (char16_t c : text) {
    if (c == 0) break;
    if (c < 127) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    int i = lookupFromUnicode(c, table);
    char first = i < 0 ? 0 : table[static_cast<size_t>(i) * 4];
    if (first == 0) {
      out.push_back('?');
      continue;
    }
    out.push_back(first);
    if (char secondByte = table[static_cast<size_t>(i) * 4 + 1]) out.push_back(secondByte);
  }
  return out;
}

int engineCodeToUnicode(const EngineCodeTables& tables, std::string_view bytes, int limit, std::u16string& out,
                        int table) {
  out = cwToWide(tables, table == 1, bytes, limit);
  return static_cast<int>(out.size());
}

}  // namespace apptext
