#include "tools/datagen/speech_unihan.h"
#include "tools/datagen/speech_tables_writer.h"

#include <gtest/gtest.h>

namespace {

TEST(SpeechUnihan, TonedPinyinBecomesNumbered) {
  struct Case {
    const char* toned;
    const char* numbered;
  } cases[] = {
      {"zhòng", "zhong4"}, {"lüè", "lve4"}, {"nǚ", "nv3"}, {"de", "de5"}, {"ē", "e1"},
      {"ế", "E2"},         {"ḿ", "m2"},     {"hm", "hm5"}, {"xyz", ""},   {"zhōng·", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(datagen::numberedPinyin(c.toned), c.numbered) << c.toned;
}

TEST(SpeechUnihan, ReadingsWeightsAndNumeralsOfGb2312Hanzi) {
  const char* readings =
      "# comment\n"
      "U+91CD\tkHanyuPinlu\tzhòng(1823) chóng(329)\n"
      "U+91CD\tkMandarin\tzhòng\n"
      "U+91CD\tkTGHZ2013\t047.150:chóng 481.090:zhòng 999.000:tóng\n"
      "U+4E00\tkMandarin\tyī\n"
      "U+957F\tkHanyuPinlu\tzhǎng(1879) cháng(1179)\n"
      "U+957F\tkMandarin\tzhǎng\n"
      "U+3400\tkMandarin\tqiū\n";  // not in GB2312
  const char* dictionaryLike = "U+4E00\tkFrequency\t1\nU+91CD\tkFrequency\t3\n";
  const char* numeric = "U+4E00\tkPrimaryNumeric\t1\n";
  int missing = 0;
  std::string source = datagen::unihanSpeechSource({readings, dictionaryLike, numeric}, &missing);
  EXPECT_EQ(missing, 6763 - 3);
  EXPECT_NE(source.find("hanzi 重 zhong4,chong2,tong2 weight=6\n"), std::string::npos) << source;
  EXPECT_NE(source.find("hanzi 一 yi1 weight=10 prop=3\n"), std::string::npos) << source;
  EXPECT_NE(source.find("hanzi 长 zhang3,chang2 weight=1\n"), std::string::npos) << source;
  EXPECT_EQ(source.find("丂"), std::string::npos);

  // The writer's own parser takes the lines, and a later line replaces a character's readings;
  // properties add up.
  datagen::SpeechSource src;
  std::string error;
  ASSERT_TRUE(datagen::parseSpeechSource(source + "hanzi 长 chang2,zhang3\nprop 长 0x40\nhanzi 一 yi1 prop=4\n", src, &error)) << error;
  ASSERT_EQ(src.hanzi.size(), 3u);
  for (const auto& h : src.hanzi) {
    if (h.ch == "一") {
      EXPECT_EQ(h.props, 7u);
    }
    if (h.ch != "长") continue;
    EXPECT_EQ(h.readings.front(), datagen::pinyinReading("chang2"));
    EXPECT_EQ(h.props, 0x40u);
  }
  EXPECT_FALSE(datagen::parseSpeechSource("prop 龙 0x40\n", src, &error));  // no reading given for it
}

}  // namespace
