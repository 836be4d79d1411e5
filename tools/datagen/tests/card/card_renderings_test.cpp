// The words the rules write into a translation, on the sample card: each one is the card's own
// word as its source reads it, never a filler the card writer made up for a key the source lacks.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/common/word_table.h"
#include "engine/jc/core/rendering_table.h"
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

// Written renderings whose rule names only the word's length and a code with no stated meaning,
// so the card cannot know the word; they keep the writer's fillers.
const std::set<std::string> kRenderingsWithoutWord = {
    // で by sub-code 5-B and the contrast of two で phrases: codes only
    "caseDe.DE5", "caseDe.DE5short", "caseDe.DE6", "caseDe.DE7", "caseDe.DE8", "caseDe.DE9",
    "caseDe.DE9head", "caseDe.DEA", "caseDe.DEAhead", "caseDe.DEB", "caseDe.DEBhead", "caseDe.contrastWa",
    "caseDe.contrastMo",
    // から by code 2-6: codes only
    "caseKara.KR2", "caseKara.KR3", "caseKara.KR4", "caseKara.KR5", "caseKara.KR5nominal", "caseKara.KR6",
    // に by code 4, 7, 8, 15: codes only
    "caseNi.NI4", "caseNi.NI7", "caseNi.NI7numeral", "caseNi.NI8", "caseNi.NI15",
    // と before わからない, と by code 6, を over a place already taken, より by code 2 and 3
    "caseTo.TO3know", "caseTo.TO6head2", "caseWo.WO2retired", "caseWo.WO2retiredHead", "caseYori.YR2",
    "caseYori.YR3",
    // marker flags: no rule sets them
    "chineseOutput.flagSlot13", "chineseOutput.flagSlot4", "chineseOutput.flagSlot7", "chineseOutput.flagSlot7Text",
    // で with features B16a and A24/A3; AなりBなり by slot only
    "particleCase.de", "particleConjunctive.nari", "particleConjunctive.nariFinal",
    // あえて…ない (10 bytes), いかに…ても, いくら…ところで, 限りでは, かどうかについて (10 bytes)
    "patternRule002.adverb", "patternRule014.temo", "patternRule017.next", "patternRule047.kagiriDewa",
    "patternRule052.kadoukaNitsuite",
    // 気をする, N のはか
    "ruleFixedExpressions.row11", "ruleFixedExpressions.row17",
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

TEST_F(CardRenderings, EveryWrittenRenderingIsTheCardsOwnWord) {
  std::string why;
  ASSERT_EQ(jc::loadRenderingTable(datagen::jcDataFolder(device->card()), &why), jc::kRenderingTableLoaded) << why;
  const auto source = sourceWords(std::string(kSample) + "/jc/jcwords.txt");
  ASSERT_FALSE(source.empty());
  for (const jc::RenderingKeySpec& spec : jc::registeredRenderingKeys()) {
    const std::string key = spec.key;
    if (kComparedRenderings.count(key) || kRenderingsWithoutWord.count(key)) continue;
    auto it = source.find(key);
    if (it == source.end()) {
      ADD_FAILURE() << key << " is written into translations but has no word in jc/jcwords.txt";
      continue;
    }
    // The table holds exactly the source's words, in its order.
    std::vector<std::string> expected;
    for (const std::string& w : it->second) {
      std::string code;
      ASSERT_TRUE(jc::utf8ToEngineCode(w, code)) << key << " " << w;
      expected.push_back(code);
    }
    EXPECT_EQ(jc::renderings(key), expected) << key;
  }
}

TEST_F(CardRenderings, ListsNameRegisteredKeysOnly) {
  std::set<std::string> registered;
  for (const jc::RenderingKeySpec& spec : jc::registeredRenderingKeys()) registered.insert(spec.key);
  for (const auto* list : {&kComparedRenderings, &kRenderingsWithoutWord}) {
    for (const std::string& key : *list) EXPECT_TRUE(registered.count(key)) << key;
  }
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
