// The engine's conversion and the generator of the viewer's tables must agree on every code.
#include <gtest/gtest.h>

#include <string>

#include "engine/common/code_convert.h"
#include "engine/common/engine_code_placement.h"
#include "tools/resgen/engine_code_tables.h"

namespace dbcs {
namespace {

std::string codeBytes(unsigned code) {
  if (code < 0x100) return std::string(1, static_cast<char>(code));
  return std::string{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

TEST(EngineCodePlacement, EngineWritesTheGeneratorsCodeForEveryGb2312Character) {
  const ConversionTables none;  // GB to engine code needs no loaded table
  int characters = 0;
  for (unsigned lead = 0xA1; lead <= 0xF7; ++lead) {
    for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) {
      const auto gb = static_cast<std::uint16_t>(lead << 8 | trail);
      const resgen::EngineCode expected = resgen::gbToEngineCode(gb);
      if (!expected) continue;
      ++characters;
      std::string text = codeBytes(gb);
      gbToInternal(none, text);
      ASSERT_EQ(text, codeBytes(expected)) << std::hex << gb;
    }
  }
  EXPECT_EQ(characters, 7478);  // every GB2312 code the code page gives a character
}

TEST(EngineCodePlacement, GeneratorReadsEveryDoubleByteCodeAsTheEngineDoes) {
  const resgen::EngineCodeTables generated = resgen::buildEngineCodeTables({});
  const ConversionTables none;
  int compared = 0;
  for (unsigned lead = 0x81; lead <= 0xEF; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      const int index = resgen::engineTableIndex(lead, trail);
      if (index < 0 || static_cast<std::size_t>(index) * 2 >= generated.cwkUni.size()) continue;
      const auto at = static_cast<std::size_t>(index) * 2;
      const auto readByGenerator = static_cast<char16_t>(static_cast<unsigned char>(generated.cwkUni[at]) |
                                                         static_cast<unsigned char>(generated.cwkUni[at + 1]) << 8);
      std::string gb;
      internalToGb(none, gb, codeBytes(lead << 8 | trail));
      ASSERT_EQ(gb.size(), 2u);
      const std::uint16_t gbCode =
          static_cast<std::uint16_t>(static_cast<unsigned char>(gb[0]) << 8 | static_cast<unsigned char>(gb[1]));
      const char16_t readByEngine = code_placement::isGbTableCode(gbCode) ? resgen::gbToUnicode(gbCode) : 0;
      ASSERT_EQ(readByGenerator, readByEngine ? readByEngine : u'?') << std::hex << (lead << 8 | trail);
      ++compared;
    }
  }
  EXPECT_EQ(compared, (0x9F - 0x81 + 1 + 0xEE - 0xE0 + 1) * 188);  // the table's double-byte rows
}

}  // namespace
}  // namespace dbcs
