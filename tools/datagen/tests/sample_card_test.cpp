#include "tools/datagen/sample_card.h"

#include <gtest/gtest.h>

#include <set>

#include "tools/datagen/cj_data_files.h"
#include "tools/datagen/jp_dictionary_pair.h"

namespace {

// Readable sources are UTF-8 whatever the literals of this file become.
std::string utf8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

TEST(SampleWordTable, RealWordsWinAndEveryKeyIsFilled) {
  std::vector<datagen::WordKeyShape> shapes = {
      {"a.linker", 1, 1, 1}, {"b.pair", 2, 2, 2}, {"c.any", 0, 1, 0}, {"d.filled", 40, 1, 1}, {"e.long", 3, 2, 3}};
  std::vector<std::string> dropped;
  std::string error;
  const std::string source = utf8(
      u8"# comment\n"
      u8"a.linker\t的\n"
      u8"b.pair\t|中国|日本|\n"
      u8"c.any\t|我|你|他|她|\n"
      u8"e.long\t|一|二三|四五六|\n"   // a one-character word breaks the shape
      u8"z.unknown\t是\n");
  datagen::WordTable t = datagen::completeWordTable(shapes, source, &dropped, &error);
  EXPECT_TRUE(error.empty()) << error;
  EXPECT_EQ(t["a.linker"], std::vector<std::string>{utf8(u8"的")});
  EXPECT_EQ(t["b.pair"], (std::vector<std::string>{utf8(u8"中国"), utf8(u8"日本")}));
  EXPECT_EQ(t["c.any"].size(), 4u);
  EXPECT_EQ(dropped, (std::vector<std::string>{"e.long", "z.unknown"}));
  EXPECT_FALSE(t.count("z.unknown"));
  // The filled keys have their shapes, and no filler word is one of the real words.
  ASSERT_EQ(t["d.filled"].size(), 40u);
  ASSERT_EQ(t["e.long"].size(), 3u);
  std::set<std::string> real = {utf8(u8"的"), utf8(u8"中国"), utf8(u8"日本"), utf8(u8"我"), utf8(u8"你"),
                                utf8(u8"他"), utf8(u8"她")};
  std::set<std::string> seen;
  for (const char* key : {"d.filled", "e.long"}) {
    for (const std::string& w : t[key]) {
      EXPECT_FALSE(real.count(w)) << key << ": " << w;
      EXPECT_TRUE(seen.insert(w).second) << key << ": repeated " << w;
    }
  }
}

// A key of at most n words keeps a shorter list and drops a longer one; its filler has at most n.
TEST(SampleWordTable, AKeyOfAtMostNWordsKeepsShorterLists) {
  std::vector<datagen::WordKeyShape> shapes = {{"a.short", -5, 1, 1}, {"b.over", -2, 1, 1}, {"c.filled", -2, 1, 1}};
  std::vector<std::string> dropped;
  datagen::WordTable t =
      datagen::completeWordTable(shapes, utf8(u8"a.short\t|害|职|\nb.over\t|害|职|犯|\n"), &dropped);
  EXPECT_EQ(t["a.short"], (std::vector<std::string>{utf8(u8"害"), utf8(u8"职")}));
  EXPECT_EQ(dropped, std::vector<std::string>{"b.over"});
  EXPECT_GE(t["b.over"].size(), 1u);
  EXPECT_LE(t["b.over"].size(), 2u);
  EXPECT_LE(t["c.filled"].size(), 2u);
}

TEST(SampleWordTable, FillerClashingWithARealWordIsReplaced) {
  // The first synthetic single character is the first GB2312 hanzi; a real word equal to it
  // elsewhere must push the filler to another character.
  std::vector<datagen::WordKeyShape> shapes = {{"a.first", 1, 1, 1}, {"b.real", 1, 1, 1}};
  const std::string first = datagen::syntheticWordTable({{"x", 1, 1, 1}})["x"][0];
  datagen::WordTable t = datagen::completeWordTable(shapes, "b.real\t" + first + "\n", nullptr);
  EXPECT_EQ(t["b.real"][0], first);
  ASSERT_EQ(t["a.first"].size(), 1u);
  EXPECT_NE(t["a.first"][0], first);
}

TEST(SampleCjWords, EntriesAndTranslationsAreConverted) {
  std::vector<datagen::CjSampleWord> words;
  std::string error;
  ASSERT_TRUE(datagen::parseCjSampleWords(utf8(u8"学生\tN\\U[N]a[H]\txue2sheng5\tN,学生,N0000 | V,勉強する,SHT00,O | Q,本,N<冊>\n"
                                               u8"。\tP\\U[P]\t-\t-\n"),
                                          words, &error))
      << error;
  ASSERT_EQ(words.size(), 2u);
  std::string engine;
  ASSERT_TRUE(datagen::chineseToEngineColumn(utf8(u8"学生"), engine));
  EXPECT_EQ(words[0].word, engine);
  EXPECT_EQ(words[0].entry, "N\\U[N]a[H]");
  EXPECT_EQ(words[0].reading, "Xue2Sheng0");  // the dictionary's form
  ASSERT_EQ(words[0].translations.size(), 3u);
  EXPECT_EQ(words[0].translations[1].kind, 'V');
  EXPECT_EQ(words[0].translations[1].text, "\x95\xD7\x8B\xAD\x82\xB7\x82\xE9");  // 勉強する in Shift-JIS
  EXPECT_EQ(words[0].translations[1].code, "SHT00");
  EXPECT_EQ(words[0].translations[1].frame, 'O');
  EXPECT_EQ(words[0].translations[2].code, "N<\x8D\xFB>");  // the counter 冊 in Shift-JIS
  EXPECT_TRUE(words[1].reading.empty());
  EXPECT_TRUE(words[1].translations.empty());

  struct Bad {
    const char8_t* text;
    const char* why;
  };
  for (const Bad& b : {Bad{u8"学生\n", "no entry"}, Bad{u8"学生\tN\n", "entry without backslash"},
                       Bad{u8"学生\tN\\U[N]\t-\tN,学生\n", "translation without code"},
                       Bad{u8"学生\tN\\U[N]\nA\tN\\U[N]\n学生\tN\\U[N]\n", "word twice"},
                       Bad{u8"学生\tN\\U[N]\txuesx2\t-\n", "reading that is no pinyin"}}) {
    std::vector<datagen::CjSampleWord> out;
    std::string why;
    EXPECT_FALSE(datagen::parseCjSampleWords(utf8(b.text), out, &why)) << b.why;
    EXPECT_FALSE(why.empty()) << b.why;
  }
}

TEST(SampleCjGrammar, GroupsRulesAndGotosAreReadAndChecked) {
  datagen::CjGrammar g;
  std::string error;
  const std::string text = utf8(
      u8"# comment\n%<NP1>\nNP->[A]+[N] &L\n->(1)&ATT[の]+(2)\n(0,CAT[A]&CONT[好]) 1\n(0,*) F\n(1,CAT[N]) 2\n"
      u8"(1,*) F\n(2,*) R0\n\n%<S>\nS->[NP]+[P]\n->(1)+(2)\n(0,CAT[NP]) 1\n(1,*) R0\n");
  ASSERT_TRUE(datagen::parseCjGrammarSource(text, g, &error)) << error;
  ASSERT_EQ(g.groups.size(), 2u);
  EXPECT_EQ(g.groups[0].name, "NP1");
  ASSERT_EQ(g.groups[0].rules.size(), 1u);
  EXPECT_EQ(g.groups[0].rules[0].rule, "NP->[A]+[N] &L");
  EXPECT_EQ(g.groups[0].rules[0].action, "->(1)&ATT[\x82\xCC]+(2)");  // の in Shift-JIS
  ASSERT_EQ(g.groups[0].gotos.size(), 5u);
  std::string good;
  ASSERT_TRUE(datagen::chineseToEngineColumn(utf8(u8"好"), good));
  EXPECT_EQ(g.groups[0].gotos[0].symbol, "CAT[A]&CONT[" + good + "]");
  EXPECT_EQ(g.groups[0].gotos[0].target, "1");
  EXPECT_EQ(g.groups[1].gotos[1].target, "R0");

  struct Bad {
    const char* text;
    const char* why;
  };
  for (const Bad& b : {Bad{"NP->[N]\n->(1)\n", "rule before a group"},
                       Bad{"%<XX9>\nNP->[N]\n->(1)\n", "unknown group"},
                       Bad{"%<NP1>\n->(1)\n", "action without a rule"},
                       Bad{"%<NP1>\nNP->[N]\nNP->[A]\n->(1)\n", "rule without an action"},
                       Bad{"%<NP1>\nNP->[N]\n->(1)\n(0,CAT[N]) 21\n(0,*) F\n", "shift to a state with no lines"},
                       Bad{"%<NP1>\nNP->[N]\n->(1)\n(0,CAT[N]) R1\n", "reduction by a missing rule"},
                       Bad{"%<NP1>\nNP->[N]\n->(1)\n(0 CAT[N] 1\n", "malformed goto"}}) {
    datagen::CjGrammar out;
    std::string why;
    EXPECT_FALSE(datagen::parseCjGrammarSource(b.text, out, &why)) << b.why;
    EXPECT_FALSE(why.empty()) << b.why;
  }
}

}  // namespace
