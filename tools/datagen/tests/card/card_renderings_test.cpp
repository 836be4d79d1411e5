// The words the rules write into a translation, on the sample card and on the full card: each one
// is the card's own word as its source reads it, never a filler the card writer made up.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/common/word_table.h"
#include "engine/jc/core/rendering_table.h"
#include "tools/common/tool_files.h"
#include "tools/datagen/build_programs.h"
#include "tools/datagen/card/card_inputs.h"
#include "tools/datagen/cj_data_folder.h"
#include "tools/datagen/jp_dictionary_pair.h"
#include "tools/datagen/sample_card.h"
#include "tools/datagen/temp_device.h"

namespace {

constexpr const char* kSample = SUITE_TEST_SOURCE_DIR "/data/sample";

// Renderings only compared with text, never written into a translation.
const std::set<std::string> kComparedRenderings = {
    "patternRule043.trigger",   // the banner's Japanese trigger word
    "caseAdverbial.endings",    // endings that need no adverbial marker
    "sentenceFinal.youniTie",   // the head of a candidate that ties ように to purpose
    "valencyFrame.joinWords",   // fronts of split renderings that join their back
    "valencyFrame.pairSlot12",  // a slot word said twice is dropped
    "valencyFrame.pairSlot13",
};

// Listed words of the Chinese-to-Japanese rules that go into the sentence or its translation.
const char* const kWrittenListedWords[] = {
    "arabicNumerals.splitUnit",  // X万Y: the unit after the one digit
    "phraseRules.L1",            // the modifier linker
    "sentenceEnd.A",             // the full stop a sentence without one gets
};

// key -> words of a source file (UTF-8, as written).
std::map<std::string, std::vector<std::string>> sourceWords(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::map<std::string, std::vector<std::string>> out;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t tab = line.find('\t');
    if (line.empty() || line[0] == '#' || tab == std::string::npos) continue;
    const std::string value = line.substr(tab + 1);
    std::vector<std::string> words;
    if (value.size() > 1 && value.front() == '|' && value.back() == '|') {
      std::stringstream items(value.substr(1, value.size() - 2));
      for (std::string w; std::getline(items, w, '|');) words.push_back(w);
    } else {
      words.push_back(value);
    }
    out[line.substr(0, tab)] = words;
  }
  return out;
}

class CardRenderings : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    device = new datagen::TempDevice;
    built = datagen::writeSampleCard(kSample, device->card(), datagen::engineCardInputs(), nullptr, &error);
  }
  static void TearDownTestSuite() {
    delete device;
    device = nullptr;
  }
  void SetUp() override { ASSERT_TRUE(built) << error; }
  void TearDown() override {
    jc::clearRenderingTable();
    cj::clearWordTable();
  }

  static inline datagen::TempDevice* device = nullptr;
  static inline bool built = false;
  static inline std::string error;
};

// Every key a rule writes holds the source's words on the card, in its order; a key only compared
// with text holds a placeholder that no text meets.
void expectTheSourcesWords(const std::string& card) {
  const auto source = sourceWords(std::string(kSample) + "/jc/jcwords.txt");
  ASSERT_FALSE(source.empty());
  for (const jc::RenderingKeySpec& spec : jc::registeredRenderingKeys()) {
    const std::string key = spec.key;
    if (kComparedRenderings.count(key)) continue;
    auto it = source.find(key);
    if (it == source.end()) {
      ADD_FAILURE() << key << " is written into translations but has no word in jc/jcwords.txt (" << card << ")";
      continue;
    }
    std::vector<std::string> expected;
    for (const std::string& w : it->second) {
      std::string code;
      ASSERT_TRUE(jc::utf8ToEngineCode(w, code)) << key << " " << w;
      expected.push_back(code);
    }
    EXPECT_EQ(jc::renderings(key), expected) << key << " (" << card << ")";
  }
}

TEST_F(CardRenderings, EveryWrittenRenderingIsTheCardsOwnWord) {
  std::string why;
  ASSERT_EQ(jc::loadRenderingTable(datagen::jcDataFolder(device->card()), &why), jc::kRenderingTableLoaded) << why;
  expectTheSourcesWords("sample card");
}

// The full card that the build lays out takes the sample's renderings: no filler there either.
TEST_F(CardRenderings, EveryWrittenRenderingOfTheFullCardIsTheCardsOwnWord) {
  const std::string folder = datagen::buildFolder() + "/fullcard/device/Card/Talvenro/Chinese/LindqvarDic/JCSystemdic";
  std::string text;
  ASSERT_TRUE(tools::readFile(folder + "/jcwords.txt", text)) << folder;
  std::string why;
  ASSERT_EQ(jc::loadRenderingTableText(text, &why), jc::kRenderingTableLoaded) << why;
  expectTheSourcesWords("full card");
}

TEST_F(CardRenderings, ListsNameRegisteredKeysOnly) {
  std::set<std::string> registered;
  for (const jc::RenderingKeySpec& spec : jc::registeredRenderingKeys()) registered.insert(spec.key);
  for (const std::string& key : kComparedRenderings) EXPECT_TRUE(registered.count(key)) << key;
  std::set<std::string> listed;
  for (const cj::WordKeySpec& spec : cj::registeredWordKeys()) listed.insert(spec.key);
  for (const char* key : kWrittenListedWords) EXPECT_TRUE(listed.count(key)) << key;
}

TEST_F(CardRenderings, WrittenListedWordsAreTheCardsOwn) {
  std::string why;
  ASSERT_EQ(cj::loadWordTable(datagen::cjDataFolder(device->card()), &why), cj::kWordTableLoaded) << why;
  const auto source = sourceWords(std::string(kSample) + "/cj/cjwords.txt");
  for (const char* key : kWrittenListedWords) {
    auto it = source.find(key);
    if (it == source.end()) {
      ADD_FAILURE() << key << " is written into the sentence but has no word in cj/cjwords.txt";
      continue;
    }
    ASSERT_EQ(it->second.size(), 1u) << key;
    std::string code;
    datagen::chineseToEngineColumn(it->second[0], code);
    EXPECT_EQ(cj::listedWord(key), code) << key;
  }
}

}  // namespace
