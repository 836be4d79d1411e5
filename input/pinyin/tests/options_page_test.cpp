#include <gtest/gtest.h>

#include "input/panel-common/panel_frame.h"
#include "input/pinyin/options_page.h"
#include "input/pinyin/panel_ids.h"
#include "tools/datagen/temp_device.h"

namespace pinyin {
namespace {

std::uint32_t value(std::string_view name) {
  std::uint32_t v = 99;
  panel::panelSetting(kPinyinClassId, name, false, v);
  return v;
}

TEST(OptionsPage, ShowsTheSettingsAndOkStoresTheBoxes) {
  datagen::TempDevice device;
  OptionsValues v = loadOptions();
  EXPECT_TRUE(optionChecked(v, kOptSimplified));
  EXPECT_TRUE(optionChecked(v, kOptPeriodFullStop));
  EXPECT_TRUE(optionChecked(v, kOptQuoteCurly));
  for (int box : kFuzzyBoxes) EXPECT_FALSE(optionChecked(v, box));

  std::uint32_t flags = 0x24;  // bit 2 in/ing, bit 5 r/y
  panel::panelSetting(kPinyinClassId, "VagueFlags", true, flags);
  std::uint32_t charset = 3;
  panel::panelSetting(kPinyinClassId, "Charset", true, charset);
  v = loadOptions();
  EXPECT_TRUE(optionChecked(v, kOptTraditional));
  EXPECT_TRUE(optionChecked(v, kOptFuzzyInIng));
  EXPECT_TRUE(optionChecked(v, kOptFuzzyRY));
  EXPECT_FALSE(optionChecked(v, kOptFuzzyEnEng));

  setOptionChecked(v, kOptPeriodDot, true);
  setOptionChecked(v, kOptQuoteCorner, true);
  setOptionChecked(v, kOptSimplified, true);
  setOptionChecked(v, kOptFuzzyLN, true);
  setOptionChecked(v, kOptFuzzyInIng, false);
  storeOptions(v);
  EXPECT_EQ(value("Period"), 1u);
  EXPECT_EQ(value("Quote"), 1u);
  EXPECT_EQ(value("Charset"), 0u);
  EXPECT_EQ(value("VagueFlags"), 0x60u);
  EXPECT_EQ(value("Language"), 99u);  // OK leaves the language to its own change
  storeOptionsLanguage(2);
  EXPECT_EQ(loadOptions().language, 2);
}

TEST(OptionsPage, LabelsEveryControlInEachLanguage) {
  const auto english = optionsLabels(OptionsLanguage::English);
  EXPECT_EQ(english.front().id, kOptTitle);
  EXPECT_EQ(english.front().text, u"Configurations of Talvenro Pinyin");
  for (OptionsLanguage l : {OptionsLanguage::Japanese, OptionsLanguage::SimplifiedChinese, OptionsLanguage::TraditionalChinese}) {
    const auto labels = optionsLabels(l);
    ASSERT_EQ(labels.size(), english.size());
    for (std::size_t i = 0; i < labels.size(); ++i) {
      EXPECT_EQ(labels[i].id, english[i].id);
      EXPECT_FALSE(labels[i].text.empty());
    }
    EXPECT_EQ(languageEntries(l).size(), 4u);
  }
  EXPECT_EQ(initialLanguageEntries().size(), 3u);
  EXPECT_EQ(optionsFont(OptionsLanguage::TraditionalChinese), OptionsFont::B5Mincho);
}

}  // namespace
}  // namespace pinyin
