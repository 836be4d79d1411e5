// Census of the Chinese analysis word lists on both cards: every key of the analysis families
// either holds real words that fit its shape or is a placeholder with its reason written beside it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "tools/common/tool_files.h"
#include "tools/datagen/build_programs.h"
#include "tools/datagen/card/card_inputs.h"
#include "tools/datagen/sample_card.h"
#include "tools/datagen/word_census.h"

namespace {

// The families the analysis registers (engine/cj/analysis).
const std::set<std::string> kAnalysisFamilies = {
    "textChecks",   "segmenter",      "preParse",        "nodePredicates",   "verbContext",   "nounContext",
    "wordCombination", "reduplication", "fixedExpressions", "expressionFrames", "predicateMarks", "roleAssignment",
    "predicateLinking", "phraseRepair", "coordination",    "parserChecks",     "parseCascade",  "postParse",
    "numerals",     "numeralRuns",    "dependentFeatures", "particleMarks",  "sentenceEnd",   "phraseRules",
    "dicLookup",    "nodeBuilding",   "pinyin",
};

// Placeholders left: at most this many of the analysis keys (the count the README gives).
constexpr std::size_t kMostPlaceholders = 31;

std::vector<datagen::WordKeyShape> analysisShapes() {
  std::vector<datagen::WordKeyShape> out;
  for (const datagen::WordKeyShape& s : datagen::engineCardInputs().cjWordKeys) {
    if (kAnalysisFamilies.count(s.key.substr(0, s.key.find('.')))) out.push_back(s);
  }
  return out;
}

void checkCensus(const std::string& path) {
  std::string source;
  ASSERT_TRUE(tools::readFile(path, source)) << path;
  const std::vector<datagen::WordKeyShape> shapes = analysisShapes();
  ASSERT_GT(shapes.size(), 300u);  // every analysis family registered its keys
  const std::vector<datagen::KeyCensus> census = datagen::wordTableCensus(shapes, source);
  std::size_t placeholders = 0;
  for (const datagen::KeyCensus& c : census) {
    if (c.real) {
      EXPECT_TRUE(c.reason.empty()) << c.key << " holds words and a placeholder reason";
      continue;
    }
    ++placeholders;
    EXPECT_FALSE(c.given) << c.key << ": its line does not fit the key's shape and the card writer drops it";
    EXPECT_FALSE(c.reason.empty()) << c.key << " is a placeholder without a reason";
  }
  EXPECT_LE(placeholders, kMostPlaceholders) << path;
  std::printf("%s: %zu of %zu analysis keys are placeholders\n", path.c_str(), placeholders, census.size());
}

TEST(AnalysisWordCensus, SampleCardKeysHoldRealWordsOrAReason) {
  checkCensus(SUITE_TEST_SOURCE_DIR "/data/sample/cj/cjwords.txt");
}

TEST(AnalysisWordCensus, FullCardKeysHoldRealWordsOrAReason) {
  const std::string path = datagen::buildFolder() + "/fullcard/source/cj/cjwords.txt";
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "the build laid out no full card";
  checkCensus(path);
}

// The rules' own words reach the card: a key given real words is loaded with exactly those words.
TEST(AnalysisWordCensus, RealWordsReachTheWrittenTable) {
  std::string source;
  ASSERT_TRUE(tools::readFile(SUITE_TEST_SOURCE_DIR "/data/sample/cj/cjwords.txt", source));
  const std::vector<datagen::WordKeyShape> shapes = analysisShapes();
  std::vector<std::string> dropped;
  const datagen::WordTable table = datagen::completeWordTable(shapes, source, &dropped, nullptr, true);
  // Lines of other families are not in these shapes and are dropped here; an analysis line never is.
  for (const std::string& key : dropped) {
    EXPECT_EQ(kAnalysisFamilies.count(key.substr(0, key.find('.'))), 0u) << key << " does not fit its shape";
  }
  const struct {
    const char* key;
    const char* word;
  } samples[] = {
      {"reduplication.L", "了"},          {"reduplication.T", "又"},
      {"wordCombination.listW", "经理"},  {"wordCombination.headList1", "王"},
      {"expressionFrames.repeatedRule23Words", "越"}, {"predicateMarks.list20", "重要"},
      {"nodeBuilding.prefixChars", "多"}, {"roleAssignment.passivePrepositions", "被"},
  };
  for (const auto& s : samples) {
    auto it = table.find(s.key);
    ASSERT_NE(it, table.end()) << s.key;
    EXPECT_NE(std::find(it->second.begin(), it->second.end(), s.word), it->second.end()) << s.key << " lacks " << s.word;
  }
}

}  // namespace
