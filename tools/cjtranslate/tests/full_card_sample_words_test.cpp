// The full card keeps the sample card's words: each word of the sample card's Chinese dictionary,
// alone on a line, translates on the full card (build tree: fullcard/device) as on the sample card.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/core/device.h"
#include "tools/datagen/build_programs.h"
#include "tools/datagen/temp_device.h"

namespace {

// The words of cj/words.txt, in their order, each once.
std::vector<std::string> sampleWords(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> out;
  std::set<std::string> seen;
  for (std::string l; std::getline(in, l);) {
    if (l.empty() || l[0] == '#') continue;
    std::string word = l.substr(0, l.find('\t'));
    if (seen.insert(word).second) out.push_back(word);
  }
  return out;
}

std::vector<std::string> translate(const std::string& root, const std::string& scratch,
                                   const std::vector<std::string>& lines) {
  const std::string command = "SUITE_DEVICE_ROOT=" + datagen::shellQuoted(root) + " " +
                              datagen::shellQuoted(datagen::binFolder() + "/cjtranslate");
  return datagen::runOnLines(command, scratch, lines).lines;
}

TEST(FullCardSampleWords, TranslateAsOnTheSampleCard) {
  const std::string full = datagen::buildFolder() + "/fullcard/device";
  ASSERT_TRUE(std::filesystem::exists(full + "/Card/Talvenro/Chinese/LindqvarDic/CJSYSTEMDIC/cwcdic.dic")) << full;
  datagen::TempDevice sample;
  ASSERT_TRUE(datagen::writeCardWithProgram(std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample",
                                            plat::hostPath(sample.card())));
  const std::vector<std::string> words = sampleWords(std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample/cj/words.txt");
  ASSERT_GT(words.size(), 300u);
  const std::string scratch = ::testing::TempDir() + "full_card_words_" + std::to_string(::getpid());
  std::filesystem::create_directories(scratch);
  const std::vector<std::string> onSample = translate(sample.root(), scratch, words);
  const std::vector<std::string> onFull = translate(full, scratch, words);
  std::filesystem::remove_all(scratch);
  ASSERT_EQ(onSample.size(), words.size());
  ASSERT_EQ(onFull.size(), words.size());
  // Words the full card translates otherwise, and why.
  const std::map<std::string, std::string> listed = {
  };
  for (std::size_t i = 0; i < words.size(); ++i) {
    const bool differs = onSample[i] != onFull[i];
    auto why = listed.find(words[i]);
    if (why == listed.end())
      EXPECT_FALSE(differs) << words[i] << ": sample card " << onSample[i] << ", full card " << onFull[i];
    else
      EXPECT_TRUE(differs) << words[i] << " is listed (" << why->second << ") but translates as on the sample card";
  }
}

}  // namespace
