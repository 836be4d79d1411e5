// The sample card's own listed words, loaded as the engine loads them: numerals in the order the
// conversion reads them, and placeholders that no real text can meet.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/common/code_convert.h"
#include "engine/cj/analysis/numerals.h"
#include "engine/common/word_table.h"
#include "tools/datagen/card/card_inputs.h"
#include "tools/datagen/cj_data_folder.h"
#include "tools/datagen/jp_dictionary_pair.h"
#include "tools/datagen/sample_card.h"
#include "tools/datagen/temp_device.h"
#include "tools/datagen/word_table_writer.h"

namespace {

constexpr const char* kSample = SUITE_TEST_SOURCE_DIR "/data/sample";

std::string engineCode(const char* utf8) {
  std::string out;
  datagen::chineseToEngineColumn(utf8, out);
  return out;
}

class CardWords : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    device = new datagen::TempDevice;
    built = datagen::writeSampleCard(kSample, device->card(), datagen::engineCardInputs(), nullptr, &error);
  }
  static void TearDownTestSuite() {
    delete device;
    device = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(built) << error;
    std::string why;
    ASSERT_EQ(cj::loadWordTable(datagen::cjDataFolder(device->card()), &why), cj::kWordTableLoaded) << why;
  }
  void TearDown() override { cj::clearWordTable(); }

  static inline datagen::TempDevice* device = nullptr;
  static inline bool built = false;
  static inline std::string error;
};

TEST_F(CardWords, NumeralsConvertWithTheCardsOwnTable) {
  const struct {
    const char* chinese;
    const char* digits;
  } cases[] = {
      {"十", "10"},         {"十五", "15"},       {"二十", "20"},         {"二十五", "25"},
      {"三十五万", "350000"}, {"十二万", "120000"}, {"一百零五", "105"},     {"五百", "500"},
      {"两千", "2000"},      {"三千五百万", "35000000"}, {"一千零五", "1005"}, {"２０００", "2000"},
      {"三十多", "30"},      {"二百五十", "250"},
  };
  for (const auto& c : cases) {
    std::string out;
    cj::convertNumeral(engineCode(c.chinese), out, 0);
    EXPECT_EQ(out, c.digits) << c.chinese;
  }
  // Approximate words answer as pairs when asked, set apart with 、 (0x81 0x41 in Shift-JIS).
  std::string out;
  cj::convertNumeral(engineCode("三四"), out, 1);
  EXPECT_EQ(out, "3\x81\x41" "4");
  cj::convertNumeral(engineCode("一两"), out, 1);
  EXPECT_EQ(out, "1\x81\x41" "2");
}

TEST_F(CardWords, PlaceholdersAreCodesNoRealTextConvertsTo) {
  // Every character real text can become: each GB two-byte code through the engine conversion.
  const dbcs::ConversionTables tables = dbcs::loadConversionTables();
  std::set<std::string> real;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      std::string text{static_cast<char>(lead), static_cast<char>(trail)};
      dbcs::gbToInternal(tables, text);
      if (text.size() == 2) real.insert(text);
    }
  }
  // The card's source words are real; every other key holds only inert pairs.
  std::ifstream in(std::string(kSample) + "/cj/cjwords.txt", std::ios::binary);
  ASSERT_TRUE(in);
  std::stringstream text;
  text << in.rdbuf();
  const std::string source = "\n" + text.str();
  int placeholders = 0;
  for (const cj::WordKeySpec& spec : cj::registeredWordKeys()) {
    const bool fromSource = source.find("\n" + std::string(spec.key) + "\t") != std::string::npos;
    for (const std::string& word : cj::listedWords(spec.key)) {
      for (std::size_t i = 0; i + 1 < word.size(); i += 2) {
        const std::string ch = word.substr(i, 2);
        if (fromSource) continue;
        ++placeholders;
        const int lead = static_cast<unsigned char>(ch[0]), trail = static_cast<unsigned char>(ch[1]);
        EXPECT_TRUE(lead >= datagen::kInertLeadFirst && lead <= datagen::kInertLeadLast &&
                    trail >= datagen::kInertTrailFirst && trail <= datagen::kInertTrailLast)
            << spec.key;
        EXPECT_FALSE(real.count(ch)) << spec.key;
      }
    }
  }
  EXPECT_GT(placeholders, 0);
  // No word of ordinary text is a placeholder's word.
  for (const char* word : {"每", "年", "元", "的", "我"}) {
    for (const cj::WordKeySpec& spec : cj::registeredWordKeys()) {
      if (source.find("\n" + std::string(spec.key) + "\t") != std::string::npos) continue;
      EXPECT_FALSE(cj::isListedWord(spec.key, engineCode(word))) << spec.key << " " << word;
    }
  }
}

}  // namespace
