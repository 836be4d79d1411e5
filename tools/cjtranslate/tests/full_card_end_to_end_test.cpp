// The console driver on the full card that the build lays out beside the sample card
// (build tree: fullcard/device): everyday sentences whose words the sample card lacks.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/datagen/build_programs.h"
#include "tools/datagen/pinned_sentences.h"

namespace {

// Each line through cjtranslate on a device folder; one output line per input line.
std::vector<std::string> translate(const std::string& device, const std::vector<std::string>& lines) {
  const std::string scratch = ::testing::TempDir() + "full_card_" + std::to_string(::getpid());
  std::filesystem::create_directories(scratch);
  const std::string command = "SUITE_DEVICE_ROOT=" + datagen::shellQuoted(device) + " " +
                              datagen::shellQuoted(datagen::binFolder() + "/cjtranslate");
  datagen::LinesRun run = datagen::runOnLines(command, scratch, lines);
  EXPECT_EQ(run.status, 0) << run.errors;
  std::filesystem::remove_all(scratch);
  return run.lines;
}

// The pinned sentences of the full card (data/tests/cj_full.tsv).
TEST(FullCardEndToEnd, PinnedSentencesOfTheFullCard) {
  const std::string device = datagen::buildFolder() + "/fullcard/device";
  ASSERT_TRUE(std::filesystem::exists(device + "/Card/Talvenro/Chinese/LindqvarDic/CJSYSTEMDIC/cwcdic.dic")) << device;
  std::vector<datagen::PinnedSentence> cases;
  std::string why;
  ASSERT_TRUE(datagen::readPinnedSentencesFile(datagen::pinnedTablesFolder(SUITE_TEST_SOURCE_DIR) + "/cj_full.tsv", cases, &why))
      << why;
  std::vector<std::string> lines;
  for (const auto& k : cases) lines.push_back(k.input);
  const std::vector<std::string> out = translate(device, lines);
  ASSERT_EQ(out.size(), lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(out[i], cases[i].expected) << cases[i].id << ' ' << cases[i].input << " (" << cases[i].note << ')';
  }
}

}  // namespace
