#include "tools/resgen/jp2cw_table.h"

#include <map>

#include "platform/core/codepage.h"

namespace resgen {

namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kRowSize = 414;
constexpr unsigned kReplacement = 0x81AC;

// The GB2312 code of a character, or 0 when code page 936 places it outside GB2312.
std::uint16_t gb2312Of(char16_t c) {
  std::string gb = plat::wideToMultiByte(936, std::u16string(1, c));
  if (gb.size() != 2) return 0;
  auto lead = static_cast<unsigned char>(gb[0]), trail = static_cast<unsigned char>(gb[1]);
  if (lead < 0xA1 || lead > 0xF7 || trail < 0xA1 || trail > 0xFE) return 0;
  return static_cast<std::uint16_t>(lead << 8 | trail);
}

}  // namespace

std::string makeJp2CwTable(const std::vector<VariantPair>& pairs) {
  std::map<char16_t, char16_t> simplifiedOf;
  for (const VariantPair& p : pairs) simplifiedOf.emplace(p.traditional, p.simplified);

  std::string out(kHeaderSize, '\0');
  std::vector<unsigned> leads;
  for (unsigned l = 0x87; l <= 0x9F; ++l) leads.push_back(l);
  for (unsigned l = 0xE0; l <= 0xEF; ++l) leads.push_back(l);
  for (unsigned lead : leads) {
    std::string row(kRowSize, '\0');
    for (std::size_t cell = 0; cell * 2 < kRowSize; ++cell) {
      row[cell * 2] = static_cast<char>(kReplacement >> 8);
      row[cell * 2 + 1] = static_cast<char>(kReplacement & 0xFF);
    }
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      const char sjis[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      std::u16string u = plat::multiByteToWide(932, std::string_view(sjis, 2));
      unsigned code = kReplacement;
      if (u.size() == 1 && u[0] != u'\u30FB') {
        std::uint16_t gb = gb2312Of(u[0]);
        if (!gb) {
          auto it = simplifiedOf.find(u[0]);
          if (it != simplifiedOf.end()) gb = gb2312Of(it->second);
        }
        if (gb)
          if (EngineCode e = gbToEngineCode(gb); e > 0xFF) code = e;
      }
      std::size_t t = trail - 0x40, cell = (t / 16) * 17 + t % 16;
      row[cell * 2] = static_cast<char>(code >> 8);
      row[cell * 2 + 1] = static_cast<char>(code & 0xFF);
    }
    out += row;
  }
  return out;
}

}  // namespace resgen
