#include "engine/cj/transfer/kanji_tests.h"

#include <gtest/gtest.h>

#include "engine/cj/transfer/jp_text.h"

namespace {

TEST(KanjiTests, UnitRanges) {
  struct Unit {
    unsigned code;
    bool kanji;
  };
  const Unit units[] = {{0x889E, false}, {0x889F, true}, {0xEA9E, true}, {0xEA9F, false}, {0xFA4F, false},
                        {0xFA50, true},  {0xFAFC, true}, {0xFAFD, false}, {0xFB3F, false}, {0xFB40, true},
                        {0xFBBF, true},  {0xFBC0, false}, {0x82A0, false}};
  for (const Unit& u : units) {
    std::string s{static_cast<char>(u.code >> 8), static_cast<char>(u.code & 0xFF)};
    EXPECT_EQ(cj::isKanji(s), u.kanji) << std::hex << u.code;
  }
  EXPECT_FALSE(cj::isKanji("\x88"));
}

TEST(KanjiTests, SuruShapes) {
  struct Shape {
    const char* text;
    int kanjiSuru, kanjiWoSuru, objectKanjiSuru;
  };
  const Shape shapes[] = {
      {"勉強する", 1, 0, 0},          // 8 bytes
      {"愛する", 0, 0, 0},            // 6 bytes
      {"日本の研究する", 1, 0, 0},    // kanji, の, kanji
      {"日本のする", 0, 0, 0},        // の not followed by a kanji
      {"勉強をする", 0, 1, 0},
      {"研究をする", 0, 1, 0},
      {"英語を勉強する", 0, 0, 1},    // two kanji after を
      {"英語を学する", 0, 0, 0},      // one kanji after を
      {"ばかする", 0, 0, 0},
      {"勉強しる", 0, 0, 0},
  };
  for (const Shape& s : shapes) {
    EXPECT_EQ(cj::isKanjiSuru(s.text), s.kanjiSuru) << s.text;
    EXPECT_EQ(cj::isKanjiWoSuru(s.text), s.kanjiWoSuru) << s.text;
    EXPECT_EQ(cj::isObjectKanjiSuru(s.text), s.objectKanjiSuru) << s.text;
  }
  // 日 本 の 研 究: five units after を, an odd count.
  EXPECT_EQ(cj::isObjectKanjiSuru("英語を日本の研究する"), 0);
  // 日 本 研 究: four units.
  EXPECT_EQ(cj::isObjectKanjiSuru("英語を日本研究する"), 1);
}

TEST(KanjiTests, ReplaceFirst) {
  std::string t = "英語を勉強を";
  cj::replaceFirst(t, "を", "の");
  EXPECT_EQ(t, "英語の勉強を");
  std::string missing = "勉強";
  cj::replaceFirst(missing, "を", "の");
  EXPECT_EQ(missing, "勉強");
  std::string longText(298, 'a');
  longText += "を";  // 300 bytes
  std::string before = longText;
  cj::replaceFirst(longText, "を", "の");
  EXPECT_EQ(longText, before);
  std::string growing(294, 'a');
  growing += "を";  // 296 bytes; the result would be 299
  cj::replaceFirst(growing, "を", "ののの");
  EXPECT_EQ(growing.size(), 296u);
  // A trail byte that equals the searched byte is not a match: "ソ" is 0x83 0x5C.
  std::string trail = "ソ\\";
  cj::replaceFirst(trail, "\\", "/");
  EXPECT_EQ(trail, "ソ/");
}

TEST(JapaneseText, SuffixTestsAtCharacterBoundaries) {
  EXPECT_TRUE(cj::textEndsWith("書いている", "ている"));
  EXPECT_FALSE(cj::textEndsWith("る", "いる"));
  EXPECT_FALSE(cj::textEndsWith("", "る"));
  EXPECT_FALSE(cj::textEndsWith("る", ""));
  // "表" is 0x95 0x5C: its trail byte is not a '\' ending.
  EXPECT_FALSE(cj::textEndsWith("表", "\\"));
  EXPECT_TRUE(cj::textEndsWith("a\\", "\\"));
  std::string t = "高い";
  cj::dropLastChar(t);
  EXPECT_EQ(t, "高");
  std::string one = "a";
  cj::dropLastChar(one);
  EXPECT_EQ(one, "a");
}

}  // namespace
