// Every JIS X 0208 kanji through jctranslate: written as a Chinese character, or carried through as itself
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
  const std::vector<std::string> hanzi = jisKanji();
  ASSERT_EQ(hanzi.size(), 6355u);
  const std::string scratch = ::testing::TempDir() + "hanzi_" + std::to_string(::getpid());
  std::filesystem::create_directories(scratch);
  const std::string command = "SUITE_DEVICE_ROOT=" + datagen::shellQuoted(deviceRoot) + " " +
                              datagen::shellQuoted(datagen::binFolder() + "/jctranslate");
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
