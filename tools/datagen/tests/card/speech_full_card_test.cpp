// The full card's speech tables (build tree: speech-full), grown from CC-CEDICT: words whose readings
// differ from their characters' defaults are read with their own readings, and erhua joins its word.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/core/codepage.h"
#include "speech/engine/front_end.h"
#include "speech/engine/speech_data.h"
#include "speech/engine/speech_files.h"
#include "speech/engine/utterance.h"
#include "tools/datagen/build_programs.h"
#include "tools/datagen/speech_tables_writer.h"
#include "tools/datagen/speech_units_writer.h"
#include "tools/datagen/temp_device.h"

namespace {

class SpeechFullCard : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string tables = datagen::buildFolder() + "/speech-full/ChTTSData/";
    if (!std::filesystem::exists(tables + speech::kCzFile))
      GTEST_SKIP() << tables << " is missing: CC-CEDICT could not be fetched at build time";
    // The sample card's units under the full card's tables.
    std::string error;
    std::ifstream in(SUITE_TEST_SOURCE_DIR "/data/sample/speech/tables.txt");
    std::ostringstream s;
    s << in.rdbuf();
    const std::string folder = device_.card() + "\\ChTTSData\\";
    ASSERT_TRUE(datagen::writeSpeechDataFolder(folder, s.str(), &error)) << error;
    for (const char* name : {speech::kCzFile, speech::kPymFile, speech::kDyzFile, speech::kDycFile, speech::kSymbolFile,
                             speech::kSurnameFile, speech::kHzpropFile, speech::kGbkFile, speech::kUnicodeFile,
                             speech::kBig5File}) {
      const std::string bytes = datagen::readWholeFile(tables + name);
      ASSERT_FALSE(bytes.empty()) << name;
      ASSERT_TRUE(device_.write(folder + name, bytes)) << name;
    }
    ASSERT_EQ(speech::loadSpeechData(folder), speech::kLoadOk) << speech::lastLoadFailure();
    loaded_ = true;
  }
  void TearDown() override {
    if (loaded_) speech::freeSpeechData();
  }

  // Unit codes as syllables with their tone ("yin2"), a syllable joined by 儿 with "r" ("dian3r"),
  // a silent unit as "-", pauses as "|".
  static std::string codeText(std::uint16_t code) {
    if (code < speech::kErhuaStep) return datagen::syllableName(code / 5) + std::to_string(code % 5 + 1);
    if (code < 2 * speech::kErhuaStep) return codeText(static_cast<std::uint16_t>(code - speech::kErhuaStep)) + "r";
    if (code == speech::kCodeSilent) return "-";
    if (code >= 4300 && code < 4400) return "|";
    return "_";
  }
  std::string read(const char16_t* text) {
    speech::Utterance* u = nullptr;
    EXPECT_EQ(speech::createUtterance(text, speech::SpeechParams{}, u), speech::kSpeechOk);
    std::string out;
    while (u && speech::prepareNextPiece(*u)) {
      for (const auto& unit : u->units) {
        if (!unit.character) break;
        out += (out.empty() ? "" : " ") + codeText(unit.code);
      }
    }
    speech::destroyUtterance(u);
    return out;
  }

  datagen::TempDevice device_;
  bool loaded_ = false;
};

TEST_F(SpeechFullCard, WordsAreReadWithTheirOwnReadings) {
  struct Case {
    const char16_t* text;
    const char* codes;
  } cases[] = {
      {u"银行", "yin2 hang2"},
      {u"长大", "zhang3 da4"},
      {u"重要", "zhong4 yao4"},
      {u"重新", "chong2 xin1"},
      {u"行走", "xing2 zou3"},
      {u"我去银行。", "wo3 qu4 yin2 hang2 |"},
      {u"他重新开始了。", "ta1 chong2 xin1 kai1 shi3 le5 |"},
      {u"音乐", "yin1 yue4"},
      {u"快乐", "kuai4 le4"},
      {u"一点儿", "yi4 dian3r -"},  // 儿 joins the syllable before it
      {u"哪儿", "na3r -"},
      {u"他在哪儿？", "ta1 zai4 na3r - |"},
  };
  for (const Case& c : cases) EXPECT_EQ(read(c.text), c.codes) << plat::wideToUtf8(c.text);
}

}  // namespace
