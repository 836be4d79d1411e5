// The full card keeps the sample card's words: each noun, adverb, interjection, verb and adjective
// of the sample card's Japanese lexicon, in its dictionary form alone on a line, translates on the
// full card (build tree: fullcard/device) as on the sample card.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/core/device.h"
#include "tools/datagen/build_programs.h"
#include "tools/datagen/temp_device.h"

namespace {

namespace fs = std::filesystem;

std::string utf8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

std::vector<std::string> fields(const std::string& line, char sep) {
  std::vector<std::string> out;
  std::istringstream s(line);
  for (std::string f; std::getline(s, f, sep);) out.push_back(f);
  return out;
}

// The dictionary forms of the lexicon's words: nouns (6), adverbs (8) and interjections (12) by
// their keys, verbs (2) and adjectives (3) by their stems and the ending of their conjugation type
// (data/full/conjugations.txt); each once, in the lexicon's order.
std::vector<std::string> sampleWords(const std::string& lexicon, const std::string& conjugations) {
  std::map<std::string, std::string> endings;  // "pos.type" -> ending
  std::ifstream c(conjugations, std::ios::binary);
  for (std::string l; std::getline(c, l);) {
    const auto f = fields(l, '\t');
    if (!l.empty() && l[0] != '#' && f.size() == 4) endings.emplace(f[1] + '.' + f[2], f[3]);
  }
  std::ifstream in(lexicon, std::ios::binary);
  std::vector<std::string> out;
  std::set<std::string> seen;
  for (std::string l; std::getline(in, l);) {
    if (l.empty() || l[0] == '#') continue;
    const auto f = fields(l, '\t');
    if (f.size() < 2 || f[0].empty()) continue;
    const auto codes = fields(f[1], '.');
    if (codes.size() != 4) continue;
    std::string word;
    if (codes[0] == "6" || codes[0] == "8" || codes[0] == "12") {
      word = f[0];
    } else if ((codes[0] == "2" || codes[0] == "3") && codes[3] == "0") {
      auto e = endings.find(codes[0] + '.' + codes[2]);
      if (e != endings.end()) word = f[0] + e->second;
    }
    if (!word.empty() && seen.insert(word).second) out.push_back(word);
  }
  return out;
}

// Each line through jctranslate on a device folder, from a program folder of its own.
std::vector<std::string> translate(const std::string& root, const std::vector<std::string>& lines) {
  std::string tmpl = (fs::temp_directory_path() / "jc-sample-words-XXXXXX").string();
  if (!::mkdtemp(tmpl.data())) return {};
  const std::string program = tmpl;
  datagen::linkOrCopy(datagen::binFolder() + "/jctranslate", program + "/jctranslate");
  datagen::linkOrCopy(datagen::binFolder() + "/Synparse.so", program + "/Synparse.so");
  const std::string command =
      "SUITE_DEVICE_ROOT=" + datagen::shellQuoted(root) + " " + datagen::shellQuoted(program + "/jctranslate");
  std::vector<std::string> out = datagen::runOnLines(command, program, lines).lines;
  fs::remove_all(program);
  return out;
}

TEST(FullCardSampleWords, TranslateAsOnTheSampleCard) {
  const std::string full = datagen::buildFolder() + "/fullcard/device";
  ASSERT_TRUE(fs::exists(full + "/Card/Talvenro/Chinese/LindqvarDic/JCSystemdic")) << full;
  datagen::TempDevice sample;
  ASSERT_TRUE(datagen::writeCardWithProgram(std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample",
                                            plat::hostPath(sample.card())));
  const std::vector<std::string> words =
      sampleWords(std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample/jc/lexicon.txt",
                  std::string(SUITE_TEST_SOURCE_DIR) + "/data/full/conjugations.txt");
  ASSERT_GT(words.size(), 300u);
  const std::vector<std::string> onSample = translate(sample.root(), words);
  const std::vector<std::string> onFull = translate(full, words);
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
