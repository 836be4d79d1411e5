// Every JIS X 0208 kanji through jctranslate: written as a Chinese character, or carried through as itself
// and named on standard error; never a replacement mark that nobody is told of.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "tools/datagen/build_programs.h"
#include "tools/datagen/temp_device.h"

namespace {

// The kanji of JIS X 0208 (rows 16 to 84), by their Shift-JIS codes.
std::vector<std::string> jisKanji() {
  std::vector<std::string> out;
  for (unsigned lead = 0x88; lead <= 0xEA; ++lead) {
    if (lead >= 0xA0 && lead <= 0xDF) continue;
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      const std::string sjis{static_cast<char>(lead), static_cast<char>(trail)};
      const std::u16string c = plat::multiByteToWide(932, sjis);
      if (c.size() == 1 && c[0] >= 0x4E00 && c[0] <= 0x9FFF) out.push_back(plat::wideToUtf8(c));
    }
  }
  return out;
}

// Each character a line of its own: none may show the replacement mark, or nothing, without a word
// on standard error.
void expectEveryKanjiWrittenOrNamed(const std::string& deviceRoot) {
  const std::vector<std::string> characters = jisKanji();
  ASSERT_EQ(characters.size(), 6355u);
  const datagen::CoverageRun c = datagen::runCharacterCoverage("jctranslate", deviceRoot, characters);
  ASSERT_EQ(c.run.lines.size(), characters.size()) << c.run.errors;
  std::string shown;
  for (std::size_t i = 0; i < c.silent.size() && i < 30; ++i) shown += c.silent[i] + "\n";
  EXPECT_EQ(c.silent.size(), 0u) << shown;
  std::printf("%zu of %zu characters carried and named\n", c.carried, characters.size());
}

TEST(CharacterCoverage, EveryJisKanjiOnTheSampleCard) {
  datagen::TempDevice device;
  ASSERT_TRUE(datagen::writeCardWithProgram(std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample",
                                            plat::hostPath(device.card())));
  expectEveryKanjiWrittenOrNamed(device.root());
}

TEST(CharacterCoverage, EveryJisKanjiOnTheFullCard) {
  const std::string device = datagen::buildFolder() + "/fullcard/device";
  ASSERT_TRUE(std::filesystem::exists(device + "/Card/Talvenro/Chinese/LindqvarDic/JCSystemdic")) << device;
  expectEveryKanjiWrittenOrNamed(device);
}

}  // namespace
