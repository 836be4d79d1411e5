// Every GB2312 hanzi through cjtranslate: written as a Japanese kanji, or carried through as itself
// and named on standard error; never a replacement mark that nobody is told of.
#include <gtest/gtest.h>
#include <unistd.h>

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
  const std::vector<std::string> hanzi = gb2312Hanzi();
  ASSERT_EQ(hanzi.size(), 6763u);
  const std::string scratch = ::testing::TempDir() + "hanzi_" + std::to_string(::getpid());
  std::filesystem::create_directories(scratch);
  const std::string command = "SUITE_DEVICE_ROOT=" + datagen::shellQuoted(deviceRoot) + " " +
                              datagen::shellQuoted(datagen::binFolder() + "/cjtranslate");
  const datagen::LinesRun run = datagen::runOnLines(command, scratch, hanzi);
  std::filesystem::remove_all(scratch);
  ASSERT_EQ(run.lines.size(), hanzi.size()) << run.errors;
  std::size_t silent = 0, carried = 0;
  std::string shown;
  for (std::size_t i = 0; i < hanzi.size(); ++i) {
    const bool named = run.errors.find("line " + std::to_string(i + 1) + ": " + hanzi[i] + " ") != std::string::npos;
    carried += named;
    // A character alone that gives no translation is a line not translated, and said so.
    if (run.lines[i].empty() &&
        run.errors.find("line " + std::to_string(i + 1) + " not translated") != std::string::npos)
      continue;
    if (run.lines[i].find("〓") == std::string::npos && !run.lines[i].empty()) continue;
    if (named && run.lines[i].find(hanzi[i]) != std::string::npos) continue;
    if (++silent <= 30) shown += hanzi[i] + " -> " + run.lines[i] + "\n";
  }
  EXPECT_EQ(silent, 0u) << shown;
  std::printf("%zu of %zu characters carried and named\n", carried, hanzi.size());
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
