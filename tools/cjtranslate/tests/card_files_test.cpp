// Every file of the sample card's Chinese-to-Japanese data folder, damaged as a card goes bad
// (emptied, cut at 10, 50 or 90 %, a folder in its place, random bytes): the engine refuses to
// start and names the file; the console driver says so on standard error and exits 2.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "engine/cj/analysis/data_checks.h"
#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/transfer/cj_engine.h"
#include "engine/cj/transfer/status_text.h"
#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/core/files.h"
#include "tools/datagen/build_programs.h"
#include "tools/datagen/cj_data_folder.h"
#include "tools/datagen/temp_device.h"

namespace {

namespace fs = std::filesystem;

std::string readHost(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}
bool writeHost(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

enum class Damage { Empty, Cut10, Cut50, Cut90, Folder, Random };
const char* damageName(Damage d) {
  switch (d) {
    case Damage::Empty: return "empty";
    case Damage::Cut10: return "cut at 10 %";
    case Damage::Cut50: return "cut at 50 %";
    case Damage::Cut90: return "cut at 90 %";
    case Damage::Folder: return "a folder";
    case Damage::Random: return "random bytes";
  }
  return "";
}

// Files whose format cannot tell random bytes from data (README): fixed-size scrambled records
// that any bytes fill, and the program's check file, whose content nothing reads.
bool randomIsReadable(const std::string& file) { return file == "VerbCont.dat" || file == "cjtrans.dat"; }

// The scramble key of a line file, or none.
std::optional<cj::LineFileKey> lineKeyOf(const std::string& name) {
  if (name == "cwcdic.dic" || name == "cwcdicp.dic") return cj::LineFileKey::DicEntry;
  if (name == "cwcjdic.dic") return cj::LineFileKey::CjDicLine;
  if (name == "lst.dat") return cj::LineFileKey::ListLine;
  if (name == "transfer.ruc" || name == "transfer.dac") return cj::LineFileKey::Grammar;
  return std::nullopt;
}

class CardFiles : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    device_ = new datagen::TempDevice();
    built_ = datagen::writeCardWithProgram(std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample", plat::hostPath(device_->card()));
  }
  static void TearDownTestSuite() {
    delete device_;
    device_ = nullptr;
  }
  static fs::path folder() { return plat::hostPath(datagen::cjDataFolder(device_->card())); }

  // The folder's files, as paths below it.
  static std::vector<std::string> files() {
    std::vector<std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(folder())) {
      if (e.is_regular_file()) out.push_back(fs::relative(e.path(), folder()).string());
    }
    std::sort(out.begin(), out.end());
    return out;
  }

  static std::string damaged(const std::string& whole, Damage d, std::mt19937& random) {
    switch (d) {
      case Damage::Empty: return {};
      case Damage::Cut10: return whole.substr(0, whole.size() / 10);
      case Damage::Cut50: return whole.substr(0, whole.size() / 2);
      case Damage::Cut90: return whole.substr(0, whole.size() * 9 / 10);
      case Damage::Folder: return {};
      case Damage::Random: {
        std::string bytes(whole.size(), '\0');
        for (char& b : bytes) b = static_cast<char>(random() & 0xFF);
        return bytes;
      }
    }
    return {};
  }

  static datagen::TempDevice* device_;
  static bool built_;
};

datagen::TempDevice* CardFiles::device_ = nullptr;
bool CardFiles::built_ = false;

TEST_F(CardFiles, EveryDamagedFileIsRefusedByName) {
  ASSERT_TRUE(built_);
  {
    const auto engine = cj::openCjEngine(plat::utf8ToWide(datagen::cjDataFolder(device_->card())));
    ASSERT_EQ(engine->engineStatus, 0) << engine->dataFileProblem << engine->wordTableProblem;
  }
  const std::vector<std::string> names = files();
  ASSERT_GE(names.size(), 19u);
  std::mt19937 random(79);
  for (const std::string& name : names) {
    // A compiled word table is a copy of its text: a damaged one is passed over and the text read.
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".bin") == 0) continue;
    const fs::path path = folder() / name;
    const std::string whole = readHost(path);
    ASSERT_FALSE(whole.empty()) << name;
    const std::string shortName = fs::path(name).filename().string();
    for (Damage d : {Damage::Empty, Damage::Cut10, Damage::Cut50, Damage::Cut90, Damage::Folder, Damage::Random}) {
      if (name == "cjtrans.dat" || (d == Damage::Random && randomIsReadable(name))) continue;
      const std::string what = name + " " + damageName(d);
      // A line file cut exactly after a line end is a smaller file of its kind (README).
      const std::string bytes = d == Damage::Folder ? std::string() : damaged(whole, d, random);
      if ((d == Damage::Cut10 || d == Damage::Cut50 || d == Damage::Cut90) && lineKeyOf(name) &&
          cj::checkLineFile(bytes, *lineKeyOf(name)).empty()) {
        continue;
      }
      if (d == Damage::Folder) {
        fs::remove(path);
        fs::create_directory(path);
      } else {
        ASSERT_TRUE(writeHost(path, bytes)) << what;
      }
      {
        const auto engine = cj::openCjEngine(plat::utf8ToWide(datagen::cjDataFolder(device_->card())));
        EXPECT_NE(engine->engineStatus, 0) << what;
        const std::string named = engine->dataFileProblem + " " + engine->wordTableProblem;
        EXPECT_NE(named.find(shortName), std::string::npos) << what << ": " << named;
      }
      if (d == Damage::Cut50) {
        // The driver: the file named on standard error, nothing on standard output, exit 2.
        const datagen::LinesRun run = datagen::runOnLines(
            datagen::shellQuoted(datagen::binFolder() + "/cjtranslate"), device_->root(), {"我喝茶。"});
        EXPECT_EQ(run.status, 2) << what;
        EXPECT_TRUE(run.lines.empty()) << what;
        EXPECT_NE(run.errors.find(shortName), std::string::npos) << what << ": " << run.errors;
      }
      if (d == Damage::Folder) fs::remove(path);
      ASSERT_TRUE(writeHost(path, whole)) << what;
    }
  }
  const auto engine = cj::openCjEngine(plat::utf8ToWide(datagen::cjDataFolder(device_->card())));
  EXPECT_EQ(engine->engineStatus, 0) << engine->dataFileProblem;
}

}  // namespace

namespace {

// A key of cjwords.txt that no rule of a family the driver carries reads is skipped and named with
// its line on standard error; the sentence still translates. Keys of families the driver does not
// carry (the reading pane's) are skipped without a word.
TEST_F(CardFiles, AnUnknownWordKeyIsNamedWithItsLine) {
  ASSERT_TRUE(built_);
  const fs::path path = folder() / "cjwords.txt";
  const std::string whole = readHost(path);
  const auto lines = std::count(whole.begin(), whole.end(), '\n');
  ASSERT_TRUE(writeHost(path, whole + "coordination.noSuchList\t|我|\nnoSuchFamily.L1\t|我|\n"));
  const datagen::LinesRun run =
      datagen::runOnLines(datagen::shellQuoted(datagen::binFolder() + "/cjtranslate"), device_->root(), {"我喝茶。"});
  ASSERT_TRUE(writeHost(path, whole));
  EXPECT_EQ(run.status, 0) << run.errors;
  ASSERT_EQ(run.lines.size(), 1u);
  EXPECT_FALSE(run.lines[0].empty());
  EXPECT_EQ(run.errors, "cjtranslate: cjwords.txt line " + std::to_string(lines + 1) +
                            ": unknown key coordination.noSuchList, skipped\n");
}

}  // namespace
