// The card as a user lays it out: the README's sample-card commands work as written, and
// scripts/lay_out_card.sh (what ./run.sh runs) puts a new card in place in one step, while a
// reader of the old card goes on reading it whole and a user's files and settings stay.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

#include "tools/datagen/build_programs.h"
#include "tools/datagen/temp_device.h"

namespace {

namespace fs = std::filesystem;

std::string readHost(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

int shell(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

const std::string kSource = SUITE_TEST_SOURCE_DIR;

TEST(CardLayout, TheReadmeSampleCardCommandsWorkAsWritten) {
  const std::string readme = readHost(kSource + "/README.md");
  std::smatch m;
  // The card command names a device folder of its own, not the one run.sh lays out.
  ASSERT_TRUE(std::regex_search(readme, m, std::regex(R"(build-release/bin/datagen_card data/sample "\$PWD/([^"]+)/Storage Card")")));
  const std::string deviceName = m[1];
  EXPECT_NE(deviceName, "device");
  std::smatch folder;
  ASSERT_TRUE(std::regex_search(readme, folder, std::regex(R"(`cjtranslate '([^']+)'`)")));
  datagen::TempDevice scratch;
  const std::string pwd = scratch.root() + "/pwd";
  fs::create_directories(pwd);
  const std::string bin = datagen::binFolder();
  ASSERT_EQ(shell("cd " + datagen::shellQuoted(kSource) + " && " + datagen::shellQuoted(bin + "/datagen_card") +
                  " data/sample " + datagen::shellQuoted(pwd + "/" + deviceName + "/Storage Card") + " >/dev/null"),
            0);
  for (const std::string& argument : {std::string(), std::string(folder[1])}) {
    const std::string out = scratch.root() + "/out.txt";
    const int code = shell("echo '我喝茶。' | SUITE_DEVICE_ROOT=" + datagen::shellQuoted(pwd + "/" + deviceName) + " " +
                           datagen::shellQuoted(bin + "/cjtranslate") +
                           (argument.empty() ? "" : " " + datagen::shellQuoted(argument)) + " >" + datagen::shellQuoted(out) +
                           " 2>/dev/null");
    EXPECT_EQ(code, 0) << argument;
    EXPECT_NE(readHost(out).find("茶"), std::string::npos) << argument << ": " << readHost(out);
  }
}

TEST(CardLayout, ANewCardTakesTheOldOnesPlaceInOneStep) {
  datagen::TempDevice scratch;
  const std::string device = scratch.root() + "/device";
  const std::string build = fs::path(datagen::binFolder()).parent_path().string();
  const std::string layOut = "cd " + datagen::shellQuoted(kSource) + " && scripts/lay_out_card.sh " +
                             datagen::shellQuoted(build) + " " + datagen::shellQuoted(device) + " >/dev/null";
  ASSERT_EQ(shell(layOut), 0);
  const fs::path card = fs::path(device) / "Storage Card";
  const fs::path dictionary = card / "Talvenro/Chinese/LindqvarDic/CJSYSTEMDIC/cwcjdic.dic";
  const std::string whole = readHost(dictionary);
  ASSERT_GT(whole.size(), 1000u);
  // A user's document on the card and a setting in the registry.
  { std::ofstream(card / "mine.lq", std::ios::binary) << "my document"; }
  ASSERT_TRUE(fs::exists(fs::path(device) / ".registry"));
  const std::string registry = readHost(fs::path(device) / ".registry");

  // A program reading the card while it is laid out again reads the card it opened, whole.
  std::ifstream reading(dictionary, std::ios::binary);
  std::string first(whole.size() / 2, '\0');
  reading.read(first.data(), static_cast<std::streamsize>(first.size()));
  ASSERT_EQ(shell(layOut), 0);
  std::string rest((std::istreambuf_iterator<char>(reading)), {});
  EXPECT_TRUE(first + rest == whole) << "the running program read a card being written";

  EXPECT_EQ(readHost(dictionary), whole);
  EXPECT_EQ(readHost(card / "mine.lq"), "my document");
  EXPECT_EQ(readHost(fs::path(device) / ".registry"), registry);
  EXPECT_TRUE(fs::exists(card / ".storage-card"));
  EXPECT_FALSE(fs::exists(device + ".card-new"));
  EXPECT_FALSE(fs::exists(device + ".card-old"));
}

}  // namespace
