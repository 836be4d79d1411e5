#include "tools/recogniser_dicgen/template_features.h"
#include "input/recogniser/recog_dictionary.h"
#include "input/recogniser/recogniser_api.h"
#include "recog_fixture.h"
#include "tools/datagen/temp_device.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

namespace {

std::string readSample(const std::string& name) {
  std::ifstream in(std::string(RECOG_SAMPLE_DIR) + "/" + name, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::uint16_t outputCode(int type, std::uint16_t code) {
  if (type != 0) return code;
  auto b = [](unsigned v) { return (v / 10) << 4 | (v % 10); };
  return static_cast<std::uint16_t>(b(code >> 8) << 8 | b(code & 0xFF));
}

// Every sample template drawn again is recognised as itself (shapes shared by two codes tie at 0).
TEST(SampleTemplates, EachCharacterOfTheCardIsRecognised) {
  for (const char* name : {"chujian.txt", "chufan.txt", "churi.txt"}) {
    SCOPED_TRACE(name);
    std::string text = readSample(name);
    ASSERT_FALSE(text.empty());
    datagen::RecogTemplateSet set;
    ASSERT_TRUE(datagen::parseRecogTemplates(text, set));
    std::string file, error;
    int type = -1;
    ASSERT_TRUE(recog::dictionaryFromTemplates(text, file, type, &error)) << error;
    datagen::TempDevice device;
    ASSERT_TRUE(device.write(std::string("\\") + recog::dictionaryFileName(type), file));
    ASSERT_EQ(Mel_Init(type), 0);
    int first = 0;
    for (const datagen::RecogTemplate& t : set.templates) {
      recogtest::Ink ink = recogtest::Ink::of(t.strokes);
      recog::StrokeInput in = recogtest::inputFor(ink, set.boxWidth, set.boxHeight, 0xFF);
      recog::RecogResult r{};
      ASSERT_EQ(Mel_Recog(&in, ink.x.data(), ink.y.data(), &r), 0);
      std::set<std::uint16_t> best;
      for (int i = 0; i < r.count && r.candidates[i].distance == 0; ++i) best.insert(r.candidates[i].code);
      EXPECT_TRUE(best.count(outputCode(type, t.code))) << std::hex << t.code;
      if (r.count > 0 && r.candidates[0].code == outputCode(type, t.code)) ++first;
    }
    EXPECT_GE(first, static_cast<int>(set.templates.size()) - 1);  // つ and っ share one shape
    EXPECT_EQ(Mel_Close(), 0);
  }
}

}  // namespace
