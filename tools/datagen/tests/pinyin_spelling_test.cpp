#include "tools/datagen/pinyin_spelling.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "platform/core/codepage.h"
#include "tools/datagen/hanzi_unihan.h"

namespace {

std::string utf8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

TEST(PinyinSpelling, EverySpellingGivesTheDictionaryForm) {
  struct Case {
    const char8_t* spelling;
    const char* reading;
  } cases[] = {
      {u8"wo3men5", "Wo3Men0"},          {u8"wo3men0", "Wo3Men0"},        {u8"ming2tiān", "Ming2Tian1"},
      {u8"míngtiān", "Ming2Tian1"},      {u8"women", "Wo0Men0"},          {u8"Bei3jing1", "Bei3Jing1"},
      {u8"xi'an1", "Xi0An1"},            {u8"xian1", "Xian1"},            {u8"lü4", "Lv4"},
      {u8"lu:4", "Lv4"},                 {u8"nüè", "Nve4"},               {u8"nu\u0308e\u0300", "Nve4"},
      {u8"hao3/hao4", "Hao3/Hao4"},      {u8"zhong1guo2 ren2", "Zhong1Guo2 Ren2"},
      {u8"wanr2", "Wan0R2"},             {u8"ḿ", "M2"},                   {u8"ê̄", "E1"},
      {u8"ZHONG1", "Zhong1"},            {u8"er2zi5", "Er2Zi0"},          {u8"chuang1hu5", "Chuang1Hu0"},
  };
  for (const Case& c : cases) {
    const auto reading = datagen::dictionaryReading(utf8(c.spelling));
    ASSERT_TRUE(reading.has_value()) << utf8(c.spelling);
    EXPECT_EQ(*reading, c.reading) << utf8(c.spelling);
  }
  for (const char8_t* bad : {u8"", u8"3", u8"xq2", u8"zhong6", u8"ni3!", u8"bv1"}) {
    EXPECT_FALSE(datagen::dictionaryReading(utf8(bad)).has_value()) << utf8(bad);
  }
}

TEST(PinyinSpelling, CharacterReadingsKeepTheirOrderOnce) {
  EXPECT_EQ(datagen::characterReading({utf8(u8"wǎng"), utf8(u8"wàng"), "wang3"}), "wang3 wang4");
  EXPECT_EQ(datagen::characterReading({"de", "di4"}), "de0 di4");
  EXPECT_FALSE(datagen::characterReading({"de", "dx4"}).has_value());
}

TEST(KatakanaTable, HoldsEverySyllableOnceWithinItsRoom) {
  const auto& rows = datagen::katakanaTable();
  ASSERT_GE(rows.size(), 400u);
  std::string file, error;
  ASSERT_TRUE(datagen::readingTableFromRows(rows, file, &error)) << error;
  EXPECT_LE(file.size(), 11052u);
  // Every initial with every final it takes in Mandarin: a sample across the table.
  for (const char* s : {"a", "zhuang", "lve", "nv", "er", "r", "m", "ng", "hng", "yo", "shei", "biang", "chua"})
    EXPECT_TRUE(datagen::isPinyinSyllable(s)) << s;
  for (const datagen::KatakanaRow& r : rows) {
    for (char16_t c : r.katakana) EXPECT_TRUE((c >= u'ァ' && c <= u'ヶ') || c == u'ー') << r.syllable;
  }
  // Malformed rows are refused with their line.
  struct Bad {
    const char8_t* text;
    const char* why;
  };
  for (const Bad& b : {Bad{u8"zhuangx\tジュアン\n", "7 letters"}, Bad{u8"a\tアアアアア\n", "5 kana"},
                       Bad{u8"a\tア\na\tアー\n", "twice"}, Bad{u8"A\tア\n", "capital"}, Bad{u8"a\n", "no tab"}}) {
    std::vector<datagen::KatakanaRow> out;
    EXPECT_FALSE(datagen::parseKatakanaTable(utf8(b.text), out, &error)) << b.why;
    EXPECT_NE(error.find("pinyin_katakana.txt:"), std::string::npos) << error;
  }
  // A reading the engine code cannot hold is refused too.
  std::vector<datagen::KatakanaRow> foreign = {{"a", u"ア"}, {"ba", u"바"}};
  EXPECT_FALSE(datagen::readingTableFromRows(foreign, file, &error));
}

TEST(KatakanaTable, EngineBytesOfKatakanaAndTheLongMark) {
  // Katakana take their row of the engine code (the Shift-JIS layout of GB2312 row 5).
  EXPECT_EQ(datagen::katakanaEngineBytes(u"ア"), std::string("\x83\x41"));
  const auto mark = datagen::katakanaEngineBytes(u"ー");
  ASSERT_TRUE(mark.has_value());
  ASSERT_EQ(mark->size(), 2u);
  // Never the code the engine reads as a bracket (that of 〖).
  EXPECT_NE(*mark, datagen::katakanaEngineBytes(u"〖"));
}

TEST(UnihanCharacterReadings, MostFrequentFirstEachOnce) {
  const std::string unihan = utf8(
      u8"# a comment\n"
      u8"U+5F80\tkHanyuPinlu\twàng(427) wǎng(856)\n"
      u8"U+5F80\tkMandarin\twǎng\n"
      u8"U+5F80\tkTGHZ2013\t380.120:wǎng 380.130:wàng,wāng\n"
      u8"U+3402\tkXHC1983\t0001.010:xī\n"       // only a dictionary's reading
      u8"U+4E00\tkDefinition\tone\n"            // no reading field
      u8"U+4E86\tkMandarin\tle\n"               // the neutral tone
      u8"U+4E87\tkMandarin\tqq\n"               // no syllable: left out
      u8"U+20000\tkMandarin\thē\n"              // outside the file's ranges
      u8"U+FA2A\tkHanyuPinyin\t10019.020:hé,hè\n");
  const auto table = datagen::parseCharacterReadings(datagen::unihanCharacterReadings(unihan));
  const std::map<char32_t, std::string> expected = {
      {0x5F80, "wang3 wang4 wang1"}, {0x3402, "xi1"}, {0x4E86, "le0"}, {0xFA2A, "he2 he4"}};
  EXPECT_EQ(table, expected);
}

}  // namespace
