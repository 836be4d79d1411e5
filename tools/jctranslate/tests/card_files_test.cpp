// Every file of the sample card's Japanese-to-Chinese data folder, damaged as a card goes bad
// (emptied, cut at 10, 50 or 90 %, a folder in its place, random bytes): the console driver names
// the file on standard error, writes nothing on standard output and exits 2.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "platform/core/device.h"
#include "tools/datagen/build_programs.h"
#include "tools/datagen/sample_card.h"
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

std::string damaged(const std::string& whole, Damage d, std::mt19937& random) {
  switch (d) {
    case Damage::Cut10: return whole.substr(0, whole.size() / 10);
    case Damage::Cut50: return whole.substr(0, whole.size() / 2);
    case Damage::Cut90: return whole.substr(0, whole.size() * 9 / 10);
    case Damage::Random: {
      std::string bytes(whole.size(), '\0');
      for (char& b : bytes) b = static_cast<char>(random() & 0xFF);
      return bytes;
    }
    default: return {};
  }
}

TEST(JcCardFiles, EveryDamagedFileIsRefusedByName) {
  datagen::TempDevice device;
  ASSERT_TRUE(datagen::writeCardWithProgram(std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample",
                                            plat::hostPath(device.card())));
  const fs::path folder = plat::hostPath(datagen::jcDataFolder(device.card()));
  const std::string driver = datagen::shellQuoted(datagen::binFolder() + "/jctranslate");
  {
    const datagen::LinesRun run = datagen::runOnLines(driver, device.root(), {"私は茶を飲む。"});
    ASSERT_EQ(run.status, 0) << run.errors;
    ASSERT_EQ(run.lines.size(), 1u);
  }
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder))
    if (e.is_regular_file()) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  // The check file's content is read by nothing; it is the translator's, not the driver's.
  names.erase(std::remove(names.begin(), names.end(), "jctrans.dat"), names.end());
  // A compiled word table is a copy of its text: a damaged one is passed over and the text read.
  names.erase(std::remove(names.begin(), names.end(), "jcwords.bin"), names.end());
  ASSERT_EQ(names, (std::vector<std::string>{"JCMAIN.DDB", "JCMAIN.DIC", "Jcfrdic", "jcwords.txt"}));

  std::mt19937 random(79);
  for (const std::string& name : names) {
    const fs::path path = folder / name;
    const std::string whole = readHost(path);
    ASSERT_FALSE(whole.empty()) << name;
    for (Damage d : {Damage::Empty, Damage::Cut10, Damage::Cut50, Damage::Cut90, Damage::Folder, Damage::Random}) {
      const std::string what = name + " " + damageName(d);
      const std::string bytes = damaged(whole, d, random);
      // The parser's word file cut exactly after a line end is a shorter word file (README).
      if (name == "Jcfrdic" && !bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r')) continue;
      if (d == Damage::Folder) {
        fs::remove(path);
        fs::create_directory(path);
      } else {
        ASSERT_TRUE(writeHost(path, bytes)) << what;
      }
      const datagen::LinesRun run = datagen::runOnLines(driver, device.root(), {"私は茶を飲む。"});
      EXPECT_EQ(run.status, 2) << what << ": " << run.errors;
      EXPECT_TRUE(run.lines.empty()) << what;
      EXPECT_NE(run.errors.find(name), std::string::npos) << what << ": " << run.errors;
      if (d == Damage::Folder) fs::remove(path);
      ASSERT_TRUE(writeHost(path, whole)) << what;
    }
  }
  const datagen::LinesRun run = datagen::runOnLines(driver, device.root(), {"私は茶を飲む。"});
  EXPECT_EQ(run.status, 0) << run.errors;
}

}  // namespace
