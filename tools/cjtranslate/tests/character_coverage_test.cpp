// Every GB2312 hanzi through cjtranslate: written as a Japanese kanji, or carried through as itself
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

std::vector<std::string> gb2312Hanzi() {
  std::vector<std::string> out;
  for (unsigned lead = 0xB0; lead <= 0xF7; ++lead) {
    for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) {
      const std::string gb{static_cast<char>(lead), static_cast<char>(trail)};
      const std::u16string c = plat::multiByteToWide(936, gb);
      if (c.size() == 1 && c[0] >= 0x4E00 && c[0] <= 0x9FFF) out.push_back(plat::wideToUtf8(c));
    }
  }
  return out;
}

// Each character a line of its own: none may show the replacement mark, or nothing, without a word
// on standard error.
void expectEveryHanziWrittenOrNamed(const std::string& deviceRoot) {
  const std::vector<std::string> characters = gb2312Hanzi();
  ASSERT_EQ(characters.size(), 6763u);
  const datagen::CoverageRun c = datagen::runCharacterCoverage("cjtranslate", deviceRoot, characters);
  ASSERT_EQ(c.run.lines.size(), characters.size()) << c.run.errors;
  std::string shown;
  for (std::size_t i = 0; i < c.silent.size() && i < 30; ++i) shown += c.silent[i] + "\n";
  EXPECT_EQ(c.silent.size(), 0u) << shown;
  std::printf("%zu of %zu characters carried and named\n", c.carried, characters.size());
}

TEST(CharacterCoverage, EveryGb2312HanziOnTheSampleCard) {
  datagen::TempDevice device;
  ASSERT_TRUE(datagen::writeCardWithProgram(std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample",
                                            plat::hostPath(device.card())));
  expectEveryHanziWrittenOrNamed(device.root());
}

TEST(CharacterCoverage, EveryGb2312HanziOnTheFullCard) {
  const std::string device = datagen::buildFolder() + "/fullcard/device";
  ASSERT_TRUE(std::filesystem::exists(device + "/Card/Talvenro/Chinese/LindqvarDic/CJSYSTEMDIC/cwcdic.dic")) << device;
  expectEveryHanziWrittenOrNamed(device);
}

}  // namespace
