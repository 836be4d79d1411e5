// Both console drivers on the sample card, counting how often the C library loads a code-page
// conversion module (its dynamic linker reports each load under LD_DEBUG=files): converters are
// opened once per process, not per word.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/core/device.h"
#include "tools/datagen/build_programs.h"
#include "tools/datagen/temp_device.h"

namespace {

namespace fs = std::filesystem;

class ConverterLoads : public ::testing::Test {
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

  // Runs the driver on the lines with the linker's report in a folder of its own; the number of
  // conversion modules initialised, or -1 when the report is missing.
  int moduleLoads(const std::string& program, const std::vector<std::string>& lines, datagen::LinesRun& run) {
    const fs::path report = fs::path(device_->root()) / ("ld-" + program);
    fs::remove_all(report);
    fs::create_directories(report);
    const std::string command = "LD_DEBUG=files LD_DEBUG_OUTPUT=" + datagen::shellQuoted((report / "log").string()) + " " +
                                datagen::shellQuoted(datagen::binFolder() + "/" + program);
    run = datagen::runOnLines(command, device_->root(), lines);
    int loads = 0;
    bool any = false;
    for (const auto& e : fs::directory_iterator(report)) {
      any = true;
      std::ifstream in(e.path());
      std::string line;
      while (std::getline(in, line))
        if (line.find("calling init:") != std::string::npos && line.find("/gconv/") != std::string::npos) ++loads;
    }
    return any ? loads : -1;
  }

  static datagen::TempDevice* device_;
  static bool cardBuilt_;
};

datagen::TempDevice* ConverterLoads::device_ = nullptr;
bool ConverterLoads::cardBuilt_ = false;

TEST_F(ConverterLoads, TwoLinesLoadEachModuleOnce) {
  ASSERT_TRUE(cardBuilt_);
  const struct {
    const char* program;
    std::vector<std::string> lines;
    std::vector<std::string> expected;
  } cases[] = {
      {"jctranslate", {"私は本を読んだ。", "猫が好きだ。"}, {"我读了书。", "喜欢猫。"}},
      {"cjtranslate", {"我喝茶。", "我们是学生。"}, {"私はお茶を飲む。"}},
  };
  for (const auto& c : cases) {
    datagen::LinesRun run;
    const int loads = moduleLoads(c.program, c.lines, run);
    ASSERT_EQ(run.status, 0) << c.program << ": " << run.errors;
    ASSERT_EQ(run.lines.size(), c.lines.size()) << c.program;
    for (std::size_t i = 0; i < c.expected.size(); ++i) EXPECT_EQ(run.lines[i], c.expected[i]) << c.program;
    // A module for each code page in use (Shift-JIS, GBK, UTF-16, UTF-8...), each loaded once.
    EXPECT_GT(loads, 0) << c.program;
    EXPECT_LE(loads, 10) << c.program;
  }
}

}  // namespace
