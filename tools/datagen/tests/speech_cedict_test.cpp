// Growing a speech source from CC-CEDICT lines: which words are taken, the readings they ask for,
// and the formats' limits.
#include "tools/datagen/speech_cedict.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* kSource =
    "hanzi 银 yin2\n"
    "hanzi 行 xing2,hang2\n"
    "hanzi 长 chang2\n"
    "hanzi 大 da4,dai4\n"
    "hanzi 走 zou3\n"
    "hanzi 哪 na3\n"
    "hanzi 儿 er2\n"
    "hanzi 朝 chao2,zhao1\n"
    "hanzi 阳 yang2\n"
    "hanzi 女 nv3\n"
    "word 长大 20\n"
    "polyword 长大 0 1\n";

std::string polyWords(const datagen::SpeechSource& s) {
  std::string out;
  for (const auto& p : s.polyWords) out += p.text + ":" + std::to_string(p.place) + "=" + std::to_string(p.number) + " ";
  return out;
}

TEST(SpeechCedict, WordsReadOtherwiseBecomeWordsAndPolyphoneWords) {
  datagen::SpeechSource src;
  ASSERT_TRUE(datagen::parseSpeechSource(kSource, src));
  // 长 has one reading here; the source's own line for 长大 stays as it is.
  src.hanzi[2].readings.push_back(static_cast<std::uint16_t>(datagen::pinyinReading("zhang3")));
  const char* cedict =
      "銀行 银行 [yin2 hang2] /bank/\n"
      "行走 行走 [xing2 zou3] /to walk/\n"          // default readings: not taken
      "長大 长大 [zhang3 da4] /to grow up/\n"        // listed by the source
      "哪兒 哪儿 [na3 r5] /where?/\n"                 // erhua: er5, a reading 儿 lacks
      "朝陽 朝阳 [zhao1 yang2] /the morning sun/\n"  // entries that disagree
      "朝陽 朝阳 [chao2 yang2] /facing the sun/\n"
      "女兒 女儿 [Nv3 er2] /a name/\n"               // a proper name
      "# a comment\n";
  const datagen::SpeechGrowth g = datagen::growSpeechSource(src, cedict, "哪儿 100 r\n银行 5000 n\n");
  EXPECT_EQ(g.words, 2);
  EXPECT_EQ(g.ambiguous, 1);
  EXPECT_EQ(g.newPolyphones, 1);
  // The more frequent word first; 儿 gains er5 as its reading 1.
  EXPECT_EQ(polyWords(src), "长大:0=1 银行:1=1 哪儿:1=1 ");
  ASSERT_EQ(src.words.size(), 3u);
  EXPECT_EQ(src.words[1].text, "银行");
  EXPECT_GT(src.words[1].weight, src.words[2].weight);
  EXPECT_EQ(src.hanzi[6].readings.size(), 2u);
  EXPECT_EQ(src.hanzi[6].readings[1], datagen::pinyinReading("er5"));
  // The tables are still written.
  EXPECT_FALSE(datagen::speechDycFile(src).empty());
  EXPECT_FALSE(datagen::speechCzFile(src).empty());
}

TEST(SpeechCedict, ACharacterTakesAtMostTenReadings) {
  datagen::SpeechSource src;
  ASSERT_TRUE(datagen::parseSpeechSource("hanzi 大 da4,dai4,a1,a2,a3,a4,ba1,ba2,ba3,ba4\nhanzi 行 xing2\n", src));
  const datagen::SpeechGrowth g = datagen::growSpeechSource(src, "大行 大行 [ca1 xing2] /x/\n", "");
  EXPECT_EQ(g.words, 0);
  EXPECT_EQ(g.full, 1);
  EXPECT_TRUE(src.polyWords.empty());
}

}  // namespace
