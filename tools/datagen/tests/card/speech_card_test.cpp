// The sample card's speech tables: every GB2312 hanzi has a reading, and the front end reads the
// card's vocabulary with the readings its words ask for.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/core/codepage.h"
#include "speech/engine/front_end.h"
#include "speech/engine/speech_data.h"
#include "speech/engine/utterance.h"
#include "tools/datagen/sample_card.h"
#include "tools/datagen/speech_tables_writer.h"
#include "tools/datagen/speech_units_writer.h"
#include "tools/datagen/temp_device.h"

namespace {

class SpeechCard : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    std::ifstream in(SUITE_TEST_SOURCE_DIR "/data/sample/speech/tables.txt");
    std::ostringstream s;
    s << in.rdbuf();
    folder_ = device_.card() + "\\ChTTSData\\";
    ASSERT_TRUE(datagen::writeSpeechDataFolder(folder_, s.str(), &error)) << error;
    ASSERT_EQ(speech::loadSpeechData(folder_), speech::kLoadOk) << speech::lastLoadFailure();
  }
  void TearDown() override { speech::freeSpeechData(); }

  static std::string codeText(std::uint16_t code) {
    if (code < 2100) return datagen::syllableName(code / 5) + std::to_string(code % 5 + 1);
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
  std::string folder_;
};

TEST_F(SpeechCard, EveryGb2312HanziHasAReading) {
  int without = 0;
  for (int i = 0; i < speech::kHanziCount; ++i) {
    speech::Unit h = speech::hanziOfIndex(i);
    if ((i / 94 == 39 && i % 94 >= 89)) continue;  // D7FA-D7FE are not assigned
    std::uint16_t r = speech::readingOf(h);
    if (r == 0 || (!(r & 0x8000) && (r % 8 < 1 || r % 8 > 5))) ++without;
  }
  EXPECT_EQ(without, 0);
}

TEST_F(SpeechCard, TheVocabularyIsReadWithTheReadingsOfItsWords) {
  struct Case {
    const char16_t* text;
    const char* codes;
  } cases[] = {
      {u"我们是学生。", "wo3 men5 shi4 xue2 sheng5 |"},
      {u"医生", "yi1 sheng1"},
      {u"汉字和名字", "han4 zi4 he2 ming2 zi5"},
      {u"便宜的东西", "pian2 yi5 de5 dong1 xi5"},
      {u"他睡觉了", "ta1 shui4 jiao4 le5"},
      {u"孩子长大了", "hai2 zi5 zhang3 da4 le5"},
      {u"一本书", "yi4 ben3 shu1"},
      {u"鑫淼", "xin1 miao3"},  // outside the vocabulary: Unihan's readings
      {u"a@b", "_ ai4 te4 _"},  // a symbol read out (the letters' codes are shown as "_")
  };
  for (const Case& c : cases) EXPECT_EQ(read(c.text), c.codes) << plat::wideToUtf8(c.text);
}

}  // namespace
