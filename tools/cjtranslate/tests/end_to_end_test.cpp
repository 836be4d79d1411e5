// The console driver on the sample card: the card is built by datagen_card into a temporary
// device, and lines go through cjtranslate as through the translator's engine.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/core/device.h"
#include "tools/datagen/temp_device.h"
#include "tools/datagen/build_programs.h"
#include "tools/datagen/pinned_sentences.h"

namespace {

class EndToEnd : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    device_ = new datagen::TempDevice();
    cardBuilt_ = datagen::writeCardWithProgram(std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample",
                                               plat::hostPath(device_->card()));
  }
  static void TearDownTestSuite() {
    delete device_;
    device_ = nullptr;
  }

  // Each line through the console driver; one output line per input line.
  std::vector<std::string> translate(const std::vector<std::string>& lines, std::string* errors = nullptr) {
    datagen::LinesRun run =
        datagen::runOnLines(datagen::shellQuoted(datagen::binFolder() + "/cjtranslate"), device_->root(), lines);
    status_ = run.status;
    if (errors) *errors = run.errors;
    return run.lines;
  }

  static datagen::TempDevice* device_;
  static bool cardBuilt_;
  int status_ = -1;
};

datagen::TempDevice* EndToEnd::device_ = nullptr;
bool EndToEnd::cardBuilt_ = false;

// The pinned sentences of the sample card (data/tests/cj_sample.tsv).
TEST_F(EndToEnd, PinnedSentencesOfTheSampleCard) {
  ASSERT_TRUE(cardBuilt_);
  std::vector<datagen::PinnedSentence> cases;
  std::string why;
  ASSERT_TRUE(datagen::readPinnedSentencesFile(datagen::pinnedTablesFolder(SUITE_TEST_SOURCE_DIR) + "/cj_sample.tsv",
                                               cases, &why))
      << why;
  std::vector<std::string> lines;
  for (const auto& k : cases) lines.push_back(k.input);
  std::string errors;
  const std::vector<std::string> out = translate(lines, &errors);
  ASSERT_EQ(status_, 0) << errors;
  ASSERT_EQ(out.size(), lines.size()) << errors;
  for (std::size_t i = 0; i < lines.size(); ++i)
    EXPECT_EQ(out[i], cases[i].expected) << cases[i].id << ' ' << cases[i].input << " (" << cases[i].note << ')';
}

TEST_F(EndToEnd, ConsoleDriverSaysWhatItDoesNotTranslate) {
  ASSERT_TRUE(cardBuilt_);
  std::string errors;
  // A character without a Chinese code is not handed over as '?'; a long run of short words the
  // analysis gives up on comes back unchanged, and the driver says so.
  const std::vector<std::string> out =
      translate({"我喝茶€", "我喝茶他喝水你喝茶我喝茶他喝水你喝茶我喝茶他喝水你喝茶我喝茶他喝水你喝茶", "我喝茶。"}, &errors);
  ASSERT_EQ(out.size(), 3u) << errors;
  EXPECT_EQ(out[0], "");
  EXPECT_EQ(out[2], "私はお茶を飲む。");
  EXPECT_NE(errors.find("line 1 not translated: € has no Chinese code"), std::string::npos) << errors;
  EXPECT_NE(errors.find("line 2 not translated"), std::string::npos) << errors;
  EXPECT_EQ(errors.find("line 3"), std::string::npos) << errors;

  const std::string bin = datagen::shellQuoted(datagen::binFolder() + "/cjtranslate");
  const std::string log = device_->root() + "/driver.txt";
  EXPECT_EQ(std::system((bin + " --help >" + datagen::shellQuoted(log) + " 2>&1").c_str()), 0);
  EXPECT_NE(datagen::readWholeFile(log).find("usage:"), std::string::npos);
  // Without the data folder on any card, the message names the folder looked for.
  const std::string empty = device_->root() + "/empty-device";
  std::system(("mkdir -p " + datagen::shellQuoted(empty)).c_str());
  EXPECT_NE(std::system(("SUITE_DEVICE_ROOT=" + datagen::shellQuoted(empty) + " " + bin + " </dev/null >" + datagen::shellQuoted(log) + " 2>&1").c_str()),
            0);
  EXPECT_NE(datagen::readWholeFile(log).find("CJSYSTEMDIC"), std::string::npos) << datagen::readWholeFile(log);
  EXPECT_NE(datagen::readWholeFile(log).find(empty), std::string::npos) << datagen::readWholeFile(log);
}

}  // namespace
