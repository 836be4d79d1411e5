// The transfer rules' listed words on both cards: the full card copies the sample's cjwords.txt, so
// each key of the transfer families must hold real words there too; a placeholder needs a reason.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/datagen/build_programs.h"
#include "tools/datagen/card/card_inputs.h"
#include "tools/datagen/word_census.h"
#include "engine/common/word_key_refusals.h"

namespace {

constexpr const char* kSample = SUITE_TEST_SOURCE_DIR "/data/sample";

// The families whose rules sit in the transfer.
constexpr const char* kTransferFamilies[] = {
    "dictionaryLookup",  "framePairs",         "prepositionGroups", "framePhrases",     "particles",
    "predicateGeneration", "nounLinking",      "dependentOrder",    "arabicNumerals",   "specialStructures",
    "roleForms",         "dependentPatterns",  "ruleActions",       "entityTests",      "numeralRules",
    "prepositionPatterns", "determiners",      "transferNavigation", "prepositionRules", "localiserPhrases",
    "structuralTransfer", "fixedVerbParticles",
};

bool isTransferKey(const std::string& key) {
  const std::string family = key.substr(0, key.find('.'));
  for (const char* f : kTransferFamilies)
    if (family == f) return true;
  return false;
}

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void checkCensus(const std::string& path) {
  struct stat st{};
  ASSERT_EQ(::stat(path.c_str(), &st), 0) << path;
  std::vector<datagen::WordKeyShape> shapes;
  for (const datagen::WordKeyShape& s : datagen::engineCardInputs().cjWordKeys)
    if (isTransferKey(s.key)) shapes.push_back(s);
  ASSERT_GT(shapes.size(), 300u) << "the transfer families register their keys";
  int placeholders = 0;
  for (const datagen::KeyCensus& k : datagen::wordTableCensus(shapes, readAll(path))) {
    if (k.real) continue;
    ++placeholders;
    EXPECT_FALSE(k.reason.empty()) << path << ": " << k.key << (k.given ? " does not fit its shape" : " has no words")
                                   << " and no #placeholder reason";
  }
  EXPECT_LE(placeholders * 10, static_cast<int>(shapes.size()))
      << path << ": " << placeholders << " of " << shapes.size() << " transfer keys are placeholders";
  std::printf("%s: %d of %zu transfer keys are placeholders\n", path.c_str(), placeholders, shapes.size());
}

// Two rules reading one key with two shapes would leave one of them reading the other's words.
TEST(TransferWordCensus, EveryKeyIsRegisteredWithOneShape) {
  for (const std::string& key : dbcs::refusedWordKeyLog()) ADD_FAILURE() << key << " is registered with two shapes";
}

TEST(TransferWordCensus, SampleCardHoldsRealWordsOrReasons) { checkCensus(std::string(kSample) + "/cj/cjwords.txt"); }

TEST(TransferWordCensus, FullCardHoldsRealWordsOrReasons) {
  checkCensus(datagen::buildFolder() + "/fullcard/source/cj/cjwords.txt");
}

}  // namespace
