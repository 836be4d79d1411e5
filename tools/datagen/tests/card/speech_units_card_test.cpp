// The unit files rendered at build time, read back through the engine's own readers.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "speech/engine/adpcm.h"
#include "speech/engine/speech_data.h"
#include "speech/engine/speech_files.h"
#include "tools/datagen/speech_tables_writer.h"
#include "tools/datagen/speech_units_writer.h"
#include "tools/datagen/temp_device.h"

namespace {

class RecordedUnits : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ifstream in(SUITE_TEST_SOURCE_DIR "/data/sample/speech/tables.txt");
    std::ostringstream s;
    s << in.rdbuf();
    std::string folder = device_.card() + "\\ChTTSData\\", error;
    ASSERT_TRUE(datagen::writeSpeechDataFolder(folder, s.str(), &error)) << error;
    ASSERT_EQ(speech::loadSpeechData(folder), speech::kLoadOk) << speech::lastLoadFailure();
  }
  void TearDown() override { speech::freeSpeechData(); }

  static std::vector<std::int16_t> decoded(bool letters, int codeOrEntry) {
    std::uint32_t offset = 0, length = 0;
    bool found = letters ? speech::letterRecording(codeOrEntry, offset, length) : speech::syllableVariant(codeOrEntry, 0, offset, length);
    std::vector<std::uint8_t> bytes;
    if (!found || !speech::readRecording(letters, offset, length, bytes)) return {};
    std::vector<std::int16_t> s(2 * bytes.size());
    speech::decodeAdpcm(bytes.data(), static_cast<int>(bytes.size()), s.data());
    return s;
  }
  static int peak(const std::vector<std::int16_t>& s) {
    int p = 0;
    for (std::int16_t v : s) p = std::max(p, std::abs(static_cast<int>(v)));
    return p;
  }

  datagen::TempDevice device_;
};

TEST_F(RecordedUnits, EverySyllableInEachToneAndEveryLetterHasARecording) {
  int syllables = 0;
  for (int code = 0; code < static_cast<int>(speech::kSyllableCodes); ++code) {
    if (code >= speech::kSyllableCount * 5) {
      EXPECT_EQ(speech::syllableVariantCount(code), 0) << code;
      continue;
    }
    ASSERT_EQ(speech::syllableVariantCount(code), 1) << code;
    std::vector<std::int16_t> s = decoded(false, code);
    ASSERT_FALSE(s.empty()) << datagen::syllableName(code / 5) << code % 5 + 1;
    EXPECT_LE(s.size(), 2 * speech::kMaxRecordingBytes);
    // Loud enough to be heard, and room left for the reader's usual volume of three times.
    int p = peak(s);
    EXPECT_GT(p, 3000) << code;
    EXPECT_LT(p, 13000) << code;
    ++syllables;
  }
  EXPECT_EQ(syllables, 2085);
  for (int entry = 0; entry < 50; ++entry) EXPECT_GT(peak(decoded(true, entry)), 3000) << entry;
}

TEST_F(RecordedUnits, TheTonesOfASyllableAreDifferentRecordings) {
  int ma = datagen::syllableNumber("ma") * 5;
  std::vector<std::int16_t> tones[5];
  for (int t = 0; t < 5; ++t) tones[t] = decoded(false, ma + t);
  for (int a = 0; a < 5; ++a) {
    for (int b = a + 1; b < 5; ++b) EXPECT_NE(tones[a], tones[b]) << "tones " << a + 1 << " and " << b + 1;
  }
  // The neutral tone is the shortest of the five.
  for (int t = 0; t < 4; ++t) EXPECT_LT(tones[4].size(), tones[t].size()) << t + 1;
}

}  // namespace
