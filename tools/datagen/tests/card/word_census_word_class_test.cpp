// The word classes' listed words (posClass.*, posContext.*) on both cards: the source of the
// sample card and the one the full card is written from give real words for all but a tenth of
// the keys, and every key left to a placeholder says why.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tools/common/tool_files.h"
#include "tools/datagen/build_programs.h"
#include "tools/datagen/card/card_inputs.h"
#include "tools/datagen/word_census.h"

namespace {

constexpr const char* kSample = SUITE_TEST_SOURCE_DIR "/data/sample";

bool isWordClassKey(const std::string& key) { return key.rfind("posClass.", 0) == 0 || key.rfind("posContext.", 0) == 0; }

void checkCensus(const std::string& path) {
  std::string source;
  ASSERT_TRUE(tools::readFile(path, source)) << path;
  std::vector<datagen::WordKeyShape> shapes;
  for (const datagen::WordKeyShape& s : datagen::engineCardInputs().cjWordKeys) {
    if (isWordClassKey(s.key)) shapes.push_back(s);
  }
  ASSERT_GT(shapes.size(), 400u);
  int placeholders = 0;
  for (const datagen::KeyCensus& c : datagen::wordTableCensus(shapes, source)) {
    if (c.real) continue;
    ++placeholders;
    EXPECT_FALSE(c.given) << path << ": " << c.key << " has a line that does not fit its shape";
    EXPECT_FALSE(c.reason.empty()) << path << ": " << c.key << " is a placeholder without a reason";
  }
  EXPECT_LE(placeholders * 10, static_cast<int>(shapes.size())) << path << ": " << placeholders << " placeholders";
}

TEST(WordClassCensus, SampleCardGivesRealWordsOrReasons) { checkCensus(std::string(kSample) + "/cj/cjwords.txt"); }

TEST(WordClassCensus, FullCardGivesRealWordsOrReasons) {
  const std::string path = datagen::buildFolder() + "/fullcard/source/cj/cjwords.txt";
  ASSERT_TRUE(std::filesystem::exists(path)) << path;
  checkCensus(path);
}

}  // namespace
