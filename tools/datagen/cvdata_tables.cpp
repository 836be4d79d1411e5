#include "tools/datagen/cvdata_tables.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "platform/core/codepage.h"
#include "platform/core/resources.h"

namespace datagen {

namespace {

// The character of one two-byte code, 0 when the code page has none (private use counts as none).
char16_t charOf(unsigned codePage, unsigned lead, unsigned trail) {
  const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
  std::u16string u = plat::multiByteToWide(codePage, std::string_view(bytes, 2));
  if (u.size() != 1 || u[0] == u'?' || (u[0] >= 0xE000 && u[0] <= 0xF8FF)) return 0;
  return u[0];
}

void putLe16(std::string& out, unsigned v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

template <typename F>
void forEachGbCode(F f) {
  for (unsigned lead = 0xA1; lead <= 0xF7; ++lead) {
    if (lead >= 0xAA && lead <= 0xAF) continue;
    for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) f(lead, trail);
  }
}

}  // namespace

std::string makeGbUniTable() {
  std::string out;
  forEachGbCode([&](unsigned lead, unsigned trail) { putLe16(out, charOf(936, lead, trail)); });
  return out;
}

std::string makeUniGbTable() {
  std::vector<std::array<unsigned, 3>> records;
  forEachGbCode([&](unsigned lead, unsigned trail) {
    if (char16_t c = charOf(936, lead, trail)) records.push_back({c, lead, trail});
  });
  std::sort(records.begin(), records.end());
  std::string out;
  for (const auto& r : records) {
    putLe16(out, r[0]);
    out.push_back(static_cast<char>(r[1]));
    out.push_back(static_cast<char>(r[2]));
  }
  return out;
}

std::string makeB5UniTable() {
  std::string out;
  for (unsigned lead = 0xA1; lead <= 0xF9; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail > 0x7E && trail < 0xA1) continue;
      putLe16(out, charOf(950, lead, trail));
    }
  }
  return out;
}

std::string makeCwToJpTable() {
  std::string out;
  for (unsigned lead = 0xB0; lead <= 0xF7; ++lead) {
    for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) {
      std::string jp;
      if (char16_t c = charOf(936, lead, trail)) jp = plat::wideToMultiByte(932, std::u16string(1, c));
      if (jp.size() != 2) jp = "\x81\x40";
      out += jp;
    }
  }
  out.append(3, '\0');
  return out;
}

void registerConversionTables() {
  static const std::string gbUni = makeGbUniTable();
  static const std::string uniGb = makeUniGbTable();
  static const std::string cwToJp = makeCwToJpTable();
  static const std::string b5Uni = makeB5UniTable();
  plat::registerOwnedResource("CVDATA", "GB-UNI", gbUni);
  plat::registerOwnedResource("CVDATA", "UNI-GB", uniGb);
  plat::registerOwnedResource("CVDATA", "CW2JP_TBL", cwToJp);
  plat::registerOwnedResource("CVDATA", "B5-UNI", b5Uni);
}

}  // namespace datagen
