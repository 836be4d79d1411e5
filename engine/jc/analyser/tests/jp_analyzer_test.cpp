#include "engine/jc/analyser/jp_analyzer.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/core/files.h"
#include "platform/core/notify_recorder.h"
#include "tools/datagen/jp_dictionary_pair.h"
#include "tools/datagen/temp_device.h"

namespace jc {
namespace {

constexpr char16_t kFolder[] = u"\\Storage Card\\Talvenro\\Chinese\\LindqvarDic\\JCSystemdic\\";
constexpr char kBase[] = "\\Storage Card\\Talvenro\\Chinese\\LindqvarDic\\JCSystemdic\\JCMAIN";

class JpAnalyzerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    a->dataFolder = kFolder;
    constructJpAnalyzer(a.get());
  }
  void TearDown() override { freeJpAnalyzer(a.get()); }

  void writeDictionary() {
    std::vector<datagen::JpLexiconEntry> entries;
    ASSERT_TRUE(datagen::parseJpLexicon("\x82\xa0\t6.1.0.0\t200\n", entries));
    ASSERT_TRUE(datagen::writeJpDictionaryPair(kBase, entries));
  }

  datagen::TempDevice dev;
  std::unique_ptr<JpAnalyzer> a{new JpAnalyzer()};
};

TEST_F(JpAnalyzerTest, InitialisesTablesAndOpensTheDictionary) {
  writeDictionary();
  ASSERT_EQ(initJpAnalyzer(a.get()), 1);
  EXPECT_EQ(a->ready, 1);
  EXPECT_EQ(a->connectionWeight, 40);
  EXPECT_EQ(a->posCostWeight, 1);
  EXPECT_EQ(a->tieSlack, 0);
  ASSERT_NE(a->dictionary, nullptr);
  EXPECT_NE(a->dictionary->ddb, nullptr);
  EXPECT_EQ(jpDictionaryPath(a.get()), std::u16string(kFolder) + u"JCMAIN");
  freeJpAnalyzer(a.get());
  EXPECT_EQ(a->dictionary, nullptr);
  EXPECT_EQ(plat::openFileCount(), 0);
}

TEST_F(JpAnalyzerTest, PartOfSpeechNumbering) {
  writeDictionary();
  ASSERT_EQ(initJpAnalyzer(a.get()), 1);
  struct Case {
    int pos, sub;
    const char* name;
    int cost;
    bool conjugates;
  };
  const Case cases[] = {
      {1, 0, "特殊", 100, false},     {1, 6, "空白", 100, false},
      {2, 0, "動詞", 100, true},      {2, 3, "他動詞／自動詞", 100, true},
      {3, 0, "形容詞", 100, true},    {4, 0, "判定詞", 11, true},
      {5, 0, "助動詞", 10, true},     {6, 7, "数詞", 40, false},
      {6, 10, "時相名詞", 100, false}, {7, 3, "副詞形態指示詞", 60, false},
      {8, 8, "発言副詞", 100, false}, {9, 4, "終助詞", 10, false},
      {12, 3, "成句", 100, false},    {13, 4, "ナ形容詞接頭辞", 50, false},
      {14, 0, "接尾辞", 10, false},   {14, 4, "名詞性特殊接尾辞", 35, false},
      {14, 5, "形容詞性述語接尾辞", 14, true}, {14, 7, "動詞性接尾辞", 14, true},
      {15, 1, "その他", 5000, false}, {15, 2, "カタカナ", 300, false},
      {15, 3, "アルファベット", 110, false},  // the comment line before it takes no number
  };
  for (const Case& c : cases) {
    EXPECT_EQ(posName(a.get(), c.pos, c.sub), c.name) << c.pos << "/" << c.sub;
    EXPECT_EQ(posCost(a.get(), c.pos, c.sub), c.cost) << c.pos << "/" << c.sub;
    EXPECT_EQ(posConjugates(a.get(), c.pos, c.sub), c.conjugates) << c.pos << "/" << c.sub;
  }
  EXPECT_TRUE(posName(a.get(), 0, 0).empty());
  EXPECT_TRUE(posName(a.get(), 15, 4).empty());
  EXPECT_TRUE(posName(a.get(), 16, 0).empty());
}

TEST_F(JpAnalyzerTest, ConjugationNumbering) {
  writeDictionary();
  ASSERT_EQ(initJpAnalyzer(a.get()), 1);
  // Forms per type, types 1..33.
  const int counts[] = {15, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 14, 13, 14, 14, 17, 17,
                        20, 20, 20, 33, 34, 34, 3,  31, 2,  14, 6,  5,  4,  8,  9,  9};
  for (int t = 1; t <= 33; ++t) {
    EXPECT_EQ(conjFormCount(a.get(), t), counts[t - 1]) << t;
    EXPECT_EQ(conjFormName(a.get(), t, 1), "語幹") << t;
    EXPECT_EQ(conjFormName(a.get(), t, 2), "基本形") << t;
    EXPECT_TRUE(conjFormEnding(a.get(), t, 1).empty()) << t;
  }
  EXPECT_EQ(conjFormCount(a.get(), 34), 0);
  EXPECT_EQ(conjTypeName(a.get(), 1), "母音動詞");
  EXPECT_EQ(conjTypeName(a.get(), 18), "イ形容詞アウオ段");
  EXPECT_EQ(conjTypeName(a.get(), 33), "動詞性接尾辞得る型");
  struct Form {
    int type, form;
    const char* name;
    const char* ending;
  };
  const Form forms[] = {
      {2, 8, "タ形", "いた"},          {2, 2, "基本形", "く"},
      {1, 7, "基本連用形", ""},        {1, 15, "文語命令形", "よ"},
      {15, 2, "基本形", "来る"},       {16, 17, "文語命令形", "せよ"},
      {19, 16, "文語基本形", ""},      {21, 33, "デス列タ系連用タリ形", "でしたり"},
      {23, 5, "ダ列特殊連体形", ""},   {26, 2, "基本形", ""},
      {27, 14, "文語音便条件形", "ずんば"}, {33, 9, "タ系連用タリ形", "得たり"},
  };
  for (const Form& f : forms) {
    EXPECT_EQ(conjFormName(a.get(), f.type, f.form), f.name) << f.type << "/" << f.form;
    EXPECT_EQ(conjFormEnding(a.get(), f.type, f.form), f.ending) << f.type << "/" << f.form;
  }
}

TEST_F(JpAnalyzerTest, ConnectionEntriesAndCosts) {
  writeDictionary();
  ASSERT_EQ(initJpAnalyzer(a.get()), 1);
  EXPECT_EQ(a->connectionCount, 4156);
  EXPECT_EQ(a->matrixRows, 218);
  EXPECT_EQ(a->matrixColumns, 176);
  EXPECT_EQ(findConnectionEntry(a.get(), 15, 2), 4154);
  EXPECT_EQ(findConnectionEntry(a.get(), 15, 3), 4155);
  EXPECT_EQ(findConnectionEntry(a.get(), 15, 1), 4153);
  EXPECT_EQ(findConnectionEntry(a.get(), 1, 6), 3115);
  EXPECT_EQ(findConnectionEntry(a.get(), 16, 1), -1);
  EXPECT_EQ(a->katakanaEntry, 4154);
  EXPECT_EQ(a->alphabetEntry, 4155);
  EXPECT_EQ(a->otherEntry, 4153);
  EXPECT_EQ(a->blankEntry, 3115);
  EXPECT_EQ(a->numeralPos, 6);
  EXPECT_EQ(a->numeralSubPos, 7);
  EXPECT_EQ(a->openingBracketSubPos, 3);
  EXPECT_EQ(a->closingBracketSubPos, 4);

  // Entry 0: the sentence markers, all zero but the offset of the empty word.
  const std::uint8_t* table = a->connectionEntries - 4;
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(table), 4), "4156");
  const std::uint8_t* e0 = a->connectionEntries;
  for (int i = 0; i < 6; ++i) EXPECT_EQ(e0[i], 0) << i;
  int emptyWord = e0[6] | (e0[7] << 8);
  EXPECT_EQ(emptyWord, 33252);
  EXPECT_EQ(table[emptyWord], 0);
  // Entries 1-20: よい, type 18, forms 1-20.
  for (int f = 1; f <= 20; ++f) {
    const std::uint8_t* e = a->connectionEntries + f * 8;
    EXPECT_EQ(e[2], 3);
    EXPECT_EQ(e[4], 18);
    EXPECT_EQ(e[5], f);
    EXPECT_STREQ(reinterpret_cast<const char*>(table + (e[6] | (e[7] << 8))), "よい");
  }

  EXPECT_EQ(connectionCost(a.get(), -1, 5), 10);
  EXPECT_EQ(connectionCost(a.get(), 5, -1), 10);
  // The sentence start may be followed by a noun but not by a case particle.
  int noun = findConnectionEntry(a.get(), 6, 1);
  int particle = findConnectionEntry(a.get(), 9, 1);
  ASSERT_GT(noun, 0);
  ASSERT_GT(particle, 0);
  EXPECT_EQ(connectionCost(a.get(), 0, noun), 10);
  EXPECT_EQ(connectionCost(a.get(), 0, particle), 0);
  EXPECT_EQ(connectionCost(a.get(), noun, particle), 10);
  EXPECT_EQ(columnHasConnection(a.get(), particle), 1);
  EXPECT_EQ(rowHasConnection(a.get(), noun), 1);
  EXPECT_EQ(columnHasConnection(a.get(), -1), 0);
  EXPECT_EQ(rowHasConnection(a.get(), -1), 0);
  // An entry index beyond the table (a damaged dictionary record) reads as "may not follow".
  EXPECT_EQ(connectionCost(a.get(), 4156, noun), 0);
  EXPECT_EQ(connectionCost(a.get(), noun, 100000), 0);
  EXPECT_EQ(rowHasConnection(a.get(), 4156), 0);
  EXPECT_EQ(columnHasConnection(a.get(), 4156), 0);
  // A verb's run starts with its stem (form 1), which connects to nothing that follows.
  int verbStem = findConnectionEntry(a.get(), 2, 0);
  ASSERT_GT(verbStem, 0);
  EXPECT_EQ(a->connectionEntries[verbStem * 8 + 5], 1);
  EXPECT_EQ(rowHasConnection(a.get(), verbStem), 0);
  EXPECT_EQ(rowHasConnection(a.get(), verbStem + 1), 1);
}

TEST_F(JpAnalyzerTest, MissingDictionaryFailsWithItsMessage) {
  plat::NotifyRecorder rec;
  EXPECT_EQ(initJpAnalyzer(a.get()), 0);
  ASSERT_EQ(rec.messages.size(), 1u);
  EXPECT_EQ(rec.messages[0].text,
            u"辞書(\\Storage Card\\Talvenro\\Chinese\\LindqvarDic\\JCSystemdic\\JCMAIN.DDB)の 読み込みでエラーが発生しました！");
  // The tables are loaded all the same; teardown releases the attached dictionary.
  EXPECT_EQ(findConnectionEntry(a.get(), 1, 6), 3115);
  EXPECT_NE(a->dictionary, nullptr);
  freeJpAnalyzer(a.get());
  EXPECT_EQ(a->dictionary, nullptr);
}

TEST_F(JpAnalyzerTest, SecondInitialisationReusesTheDictionaryPath) {
  writeDictionary();
  ASSERT_EQ(initJpAnalyzer(a.get()), 1);
  freeJpAnalyzer(a.get());
  a->dataFolder = u"\\Nowhere\\";
  constructJpAnalyzer(a.get());
  EXPECT_EQ(initJpAnalyzer(a.get()), 1);
  EXPECT_EQ(jpDictionaryPath(a.get()), std::u16string(kFolder) + u"JCMAIN");
}

}  // namespace
}  // namespace jc
