#include <gtest/gtest.h>
#include "engine/cj/analysis/tests/cj_test_engine.h"

#include <string>
#include <vector>

#include "engine/cj/analysis/dic_lookup.h"
#include "engine/cj/analysis/engine_data.h"
#include "engine/jc/analyser/jp_dictionary.h"
#include "engine/jc/core/rendering_table.h"
#include "input/recogniser/recog_dictionary.h"
#include "input/recogniser/recogniser_errors.h"
#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/core/files.h"
#include "platform/core/registry.h"
#include "speech/engine/speech_data.h"
#include "tools/datagen/card/card_inputs.h"
#include "tools/datagen/jp_dictionary_pair.h"
#include "tools/datagen/speech_tables_writer.h"
#include "tools/datagen/temp_device.h"

namespace {

constexpr const char* kSample = SUITE_TEST_SOURCE_DIR "/data/sample";

std::string engineCode(const char* utf8) {
  std::string out;
  datagen::chineseToEngineColumn(utf8, out);
  return out;
}

// The card is built once for the suite: building it is the slow part.
class SampleCard : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    device = new datagen::TempDevice;
    built = datagen::writeSampleCard(kSample, device->card(), datagen::engineCardInputs(), &notes, &error);
  }
  static void TearDownTestSuite() {
    delete device;
    device = nullptr;
  }
  void SetUp() override { ASSERT_TRUE(built) << error; }
  void TearDown() override {
    cj::closeCjEngine(cjtest::engine());
    cjtest::engine().engineStatus = 0;
    cj::clearWordTable();
    speech::freeSpeechData();
  }
  static const std::string& card() { return device->card(); }

  static inline datagen::TempDevice* device = nullptr;
  static inline bool built = false;
  static inline std::vector<std::string> notes;
  static inline std::string error;
};

TEST_F(SampleCard, EveryListedWordOfTheSourceIsKept) {
  for (const std::string& n : notes) ADD_FAILURE() << n;
}

TEST_F(SampleCard, ChineseToJapaneseEngineStartsWithTheRealListedWords) {
  cjtest::engine().dataFolderPath = plat::utf8ToWide(datagen::cjDataFolder(card()));
  std::string why;
  ASSERT_EQ(cj::loadWordTable(datagen::cjDataFolder(card()), &why), cj::kWordTableLoaded) << why;
  ASSERT_EQ(cj::initCjEngine(cjtest::engine()), cj::kStatusOk);
  // The source's real words stand in the loaded table.
  EXPECT_EQ(cj::listedWord("dicLookup.firstEntryWord"), engineCode("的"));
  EXPECT_TRUE(cj::isListedWord("textChecks.wideFullStop", engineCode("。")));
  // The dictionary's words are found through the tries (the first entry too).
  EXPECT_TRUE(cj::isDictionaryWord(cjtest::engine(), engineCode("的")));
  EXPECT_TRUE(cj::isDictionaryWord(cjtest::engine(), engineCode("学生")));
  EXPECT_TRUE(cj::isDictionaryWord(cjtest::engine(), engineCode("图书馆")));
  EXPECT_FALSE(cj::isDictionaryWord(cjtest::engine(), engineCode("学生们好")));
  EXPECT_GT(cjtest::engine().data.verbIndex.size(), 5u);
  EXPECT_GT(cjtest::engine().data.readingRowCount(), 20);
  // The check file the translator opens lies beside the data.
  EXPECT_TRUE(plat::pathExists(datagen::cjDataFolder(card()) + "cjtrans.dat"));
}

TEST_F(SampleCard, JapaneseDictionaryPairOpensAndFindsItsWords) {
  std::string jc = datagen::jcDataFolder(card());
  jc::JpDictionary d;
  jc::constructJpDictionary(&d);
  ASSERT_EQ(jc::openJpDictionary(&d, plat::utf8ToWide(jc + "JCMAIN")), jc::kJpDictOk);
  std::vector<jc::JpDictRecord> found(64);
  std::string key = plat::wideToMultiByte(932, u"学生");
  EXPECT_GE(jc::searchJpDictionary(&d, key, found.data(), static_cast<int>(found.size())), 0);
  bool hit = false;
  for (const jc::JpDictRecord& r : found) {
    if (r.isEnd()) break;
    hit |= r.key() == key && r.chinese() == engineCode("学生");
  }
  EXPECT_TRUE(hit);
  jc::destroyJpDictionary(&d);
  EXPECT_EQ(jc::loadRenderingTable(jc), jc::kRenderingTableLoaded);
  EXPECT_EQ(jc::rendering("chineseOutput.linkingWord"), engineCode("的"));
  EXPECT_EQ(jc::renderingBarList("templateExpansion.localisers"), "|" + engineCode("上") + "|" + engineCode("里") + "|");
  EXPECT_TRUE(plat::pathExists(jc + "Jcfrdic"));
  EXPECT_TRUE(plat::pathExists(jc + "jctrans.dat"));
}

TEST_F(SampleCard, SpeechDataLoadsAndReadsItsCharacters) {
  ASSERT_EQ(speech::loadSpeechData(datagen::speechDataFolder(card())), speech::kLoadOk) << speech::lastLoadFailure();
  std::vector<std::uint16_t> units = datagen::speechUnits("我们");
  ASSERT_EQ(units.size(), 2u);
  EXPECT_EQ(speech::readingOf(units[0]), datagen::pinyinReading("wo3"));
  EXPECT_EQ(speech::readingOf(units[1]), datagen::pinyinReading("men5"));
  // A polyphone reads as its polyphone number, with the words that choose its readings.
  std::vector<std::uint16_t> poly = datagen::speechUnits("觉");
  ASSERT_EQ(poly.size(), 1u);
  std::uint16_t r = speech::readingOf(poly[0]);
  ASSERT_NE(r & 0x8000, 0);
  std::vector<std::uint16_t> readings = speech::polyphoneReadings(r & 0x7FFF);
  EXPECT_EQ(readings, (std::vector<std::uint16_t>{static_cast<std::uint16_t>(datagen::pinyinReading("jue2")),
                                                  static_cast<std::uint16_t>(datagen::pinyinReading("jiao4"))}));
  EXPECT_EQ(speech::polyphoneWords(r & 0x7FFF).size(), 1u);  // 睡觉
}

TEST_F(SampleCard, ViewerAndRecogniserFilesAreInPlace) {
  std::string viewer = datagen::viewerDataFolder(card());
  for (const char* f : {"JCDIC\\JcsDicV6.dic", "JCDIC\\JcsDicV6.ind", "CJDIC\\CjsDicV6.dic", "CJDIC\\CjsDicV6.ind",
                        "CJDIC\\examples.dat"}) {
    std::string bytes;
    EXPECT_TRUE(plat::readWholeFile(viewer + f, bytes) && !bytes.empty()) << f;
  }
  for (int type = 0; type < 3; ++type) {
    recog::RecogDictionary dict;
    EXPECT_EQ(recog::loadDictionary(type, dict), recog::kRecogOk) << type;
    EXPECT_FALSE(dict.clusters.empty()) << type;
  }
}

TEST(SampleCardRegistry, DefaultsAreWrittenAndUserValuesKept) {
  datagen::TempDevice dev;
  auto key = plat::regCreateKey(plat::RegRoot::LocalMachine, "SOFTWARE\\Talvenro\\Lindqvar");
  ASSERT_TRUE(key);
  ASSERT_TRUE(plat::regSetDword(*key, "fsize", 16));
  ASSERT_TRUE(datagen::writeProgramRegistry());
  EXPECT_EQ(plat::regGetDword(*key, "fsize"), 16u);
  EXPECT_EQ(plat::regGetDword(*key, "pyType"), 3u);
  EXPECT_EQ(plat::regGetDword(*key, "JC_CJ"), 0u);
  EXPECT_EQ(plat::regGetBinary(*key, "clsidChineseIM"),
            std::string("\x3C\x35\xF1\x15\x09\xE4\xD4\x4D\xB3\xD1\x6B\x58\xF4\x37\x92\xAE", 16));
  auto viewer = plat::regOpenKey(plat::RegRoot::LocalMachine, "SOFTWARE\\Talvenro\\CJDic");
  ASSERT_TRUE(viewer);
  EXPECT_EQ(plat::regGetDword(*viewer, "fsize"), 3u);
}

}  // namespace
