#include "engine/jc/analyser/jp_morph_analysis.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "engine/jc/analyser/morph_file.h"
#include "platform/core/files.h"
#include "platform/core/fail_point.h"
#include "platform/core/notify_recorder.h"
#include "tools/datagen/jp_dictionary_pair.h"
#include "tools/datagen/temp_device.h"
#include "tools/datagen/viewer_dictionary_source.h"

namespace jc {
namespace {

constexpr char16_t kFolder[] = u"\\Storage Card\\Talvenro\\Chinese\\LindqvarDic\\JCSystemdic\\";
constexpr char kBase[] = "\\Storage Card\\Talvenro\\Chinese\\LindqvarDic\\JCSystemdic\\JCMAIN";
constexpr char16_t kMorphPath[] = u"\\MORPH.TMP";

std::string utf8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

// The test lexicon: ASCII stands for the Chinese column so that lines read plainly.
const char8_t kLexicon[] =
    u8"書\t2.1.2.0\t=\txie\n"
    u8"本\t6.1.0.0\t=\tben\tB1\tbk\t1100\n"
    u8"本\t6.1.0.0\t=\tshu\tB2\t\t1101\n"
    u8"本\t14.3.0.0\t=\tben4\n"
    u8"山\t6.1.0.0\t=\tshan\n"
    u8"山川\t6.1.0.0\t=\tshanchuan\n"
    u8"川花\t6.1.0.0\t=\tchuanhua\n"
    u8"花\t6.1.0.0\t=\thua\n"
    u8"を\t9.1.0.0\t=\n"
    u8"読\t2.1.9.0\t=\tdu\n"
    u8"一\t6.7.0.0\t=\t1\n"
    u8"二\t6.7.0.0\t=\t2\n"
    u8"「\t1.3.0.0\t=\n"
    u8"」\t1.4.0.0\t=\n"
    u8"書き込\tc\t\txiejin\n"
    u8"+\t書\t2.1.2.7\t=\txie\n"
    u8"+\t込\t2.1.9.0\t=\tjin\n";

class MorphAnalysisTest : public ::testing::Test {
 protected:
  void SetUp() override {
    a->dataFolder = kFolder;
    constructJpAnalyzer(a.get());
  }
  void TearDown() override { freeJpAnalyzer(a.get()); }

  void load(const std::string& lexicon) {
    std::vector<datagen::JpLexiconEntry> entries;
    std::string error;
    ASSERT_TRUE(datagen::parseJpLexicon(lexicon, entries, &error)) << error;
    plat::ResourceData table = plat::findResource("CONNECT", "CON_TBL_PDA");
    ASSERT_TRUE(datagen::assignJpConnections(entries, table.bytes(), &error)) << error;
    ASSERT_TRUE(datagen::writeJpDictionaryPair(kBase, entries, &error)) << error;
    ASSERT_EQ(initJpAnalyzer(a.get()), 1);
    loadJp2CwTable(&a->jp2cw);
  }

  // MORPH.TMP for a prepared sentence.
  std::string morph(const std::string& sentence) {
    std::strncpy(a->input, sentence.c_str(), sizeof a->input - 1);
    a->input[sizeof a->input - 1] = 0;
    EXPECT_EQ(writeMorphFile(a.get(), kMorphPath), kMorphFileOk);
    std::string bytes;
    EXPECT_TRUE(plat::readWholeFile("\\MORPH.TMP", bytes));
    return bytes;
  }

  datagen::TempDevice dev;
  std::unique_ptr<JpAnalyzer> a{new JpAnalyzer()};
};

TEST_F(MorphAnalysisTest, WritesTheCheapestPathLineByLine) {
  load(utf8(kLexicon));
  const std::string cat = datagen::toEngineCode(u"猫");
  struct Case {
    const char* name;
    std::string sentence;
    std::string lines;
  } cases[] = {
      // A stem of the ka row and the ending of its ta form; the base form ends in ku.
      {"conjugated verb", "書いた", "\t書いた\t書く\t02010208\txie\t\t\t\n"},
      {"unknown kanji", "猫", "\t猫\t猫\t15010000\t" + cat + "\t\t\t\n"},
      // Two records of one headword with the same codes: one morpheme, a TAB line and a D line.
      {"equal codes", "本", "\t本\t本\t06010000\tben\tB1\tbk\t1100\nD\t本\t本\t06010000\tshu\tB2\t\t1101\n"},
      // AB+C and A+BC cost the same: the path whose last word is shorter wins.
      {"tie", "山川花", "\t山川\t山川\t06010000\tshanchuan\t\t\t\n\t花\t花\t06010000\thua\t\t\t\n"},
      {"verb after object", "本を読んだ",
       "\t本\t本\t06010000\tben\tB1\tbk\t1100\nD\t本\t本\t06010000\tshu\tB2\t\t1101\n"
       "\tを\tを\t09010000\t\t\t\t\n\t読んだ\t読む\t02010908\tdu\t\t\t\n"},
      // A compound: the inner part keeps its fixed form, the last part takes the ending found;
      // parts carry no record number, so their field column reads "U".
      {"compound", "書き込んだ", "\t書き\t書く\t02010207\txie\t\tU\t\n\t込んだ\t込む\t02010908\tjin\t\tU\t\n"},
      // Numerals join into one morpheme.
      {"numerals", "二一", "\t二一\t二一\t06070000\t21\t\t\t\n"},
      // Brackets pass the class of the word before them on.
      {"brackets", "「本」", "\t「\t「\t01030000\t\t\t\t\n\t本\t本\t06010000\tben\tB1\tbk\t1100\n"
                           "D\t本\t本\t06010000\tshu\tB2\t\t1101\n\t」\t」\t01040000\t\t\t\t\n"},
      // ． ends a sentence as 。 does (the full stop), also after Latin letters.
      {"full stop", "山．", "\t山\t山\t06010000\tshan\t\t\t\n\t．\t．\t01010000\t.\t\t\t\n"},
      {"full stop after letters", "ＵＳ．", "\tＵＳ\tＵＳ\t15030000\tUS\t\t\t\n\t．\t．\t01010000\t.\t\t\t\n"},
      {"letters around a point", "Ｕ．Ｓ", "\tＵ．Ｓ\tＵ．Ｓ\t15030000\tU.S\t\t\t\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(morph(c.sentence), c.lines + "E\n") << c.name;
  // Nothing of one sentence's lattice reaches the next: the same lines in the other order.
  for (auto c = std::rbegin(cases); c != std::rend(cases); ++c)
    EXPECT_EQ(morph(c->sentence), c->lines + "E\n") << c->name << " (again)";
}

// A decimal point is no full stop.
TEST_F(MorphAnalysisTest, APointBetweenDigitsIsNoFullStop) {
  load(utf8(kLexicon));
  EXPECT_EQ(morph("１．５").find("01010000"), std::string::npos);
  EXPECT_NE(morph("５．").find("01010000"), std::string::npos);
}

// Two predecessors of equal score: the first found (the earlier edge) heads the list.
TEST_F(MorphAnalysisTest, TiesKeepTheFirstPredecessorFound) {
  load(utf8(kLexicon));
  std::strcpy(a->input, "山川花");
  ASSERT_EQ(analyzeSentence(a.get()), 1);
  const auto& edges = a->lattice.pathEntries;
  auto surfaceOf = [&](int edge) {
    return std::string(a->lattice.nodes[static_cast<std::size_t>(edges[static_cast<std::size_t>(edge)].node)].surface.view());
  };
  int tied = -1;
  for (std::size_t i = 0; i < edges.size(); ++i)
    if (edges[i].predecessors.size() == 2 && edges[i].start == 6) tied = static_cast<int>(i);
  ASSERT_GE(tied, 0);
  const auto& preds = edges[static_cast<std::size_t>(tied)].predecessors;
  EXPECT_LT(preds[0], preds[1]);
  EXPECT_EQ(surfaceOf(preds[0]), "川花");
  EXPECT_EQ(surfaceOf(preds[1]), "花");
}

TEST_F(MorphAnalysisTest, KatakanaRunsSplitAtFortyBytes) {
  load(utf8(kLexicon));
  std::string run;
  for (int i = 0; i < 5; ++i) run += "アイウエオ";
  std::string first = run.substr(0, 40), rest = run.substr(40);
  EXPECT_EQ(morph(run), "\t" + first + "\t" + first + "\t15020000\t" + first + "\t\t\t\n" + "\t" + rest + "\t" + rest +
                            "\t15020000\t" + rest + "\t\t\t\nE\n");
  // A katakana run takes the long mark (in its Chinese the engine code of GB2312's dash, which
  // reads as ― in Shift-JIS); a Latin run the full stop, narrowed in its Chinese.
  EXPECT_EQ(morph("ローマＡ．Ｂ"), "\tローマ\tローマ\t15020000\tロ―マ\t\t\t\n\tＡ．Ｂ\tＡ．Ｂ\t15030000\tA.B\t\t\t\nE\n");
}

TEST_F(MorphAnalysisTest, EmptySentenceWritesOnlyTheEndLine) {
  load(utf8(kLexicon));
  a->input[0] = 0;
  EXPECT_EQ(analyzeSentence(a.get()), 0);
  EXPECT_EQ(morph(""), "E\n");
}

TEST_F(MorphAnalysisTest, FailedGrowthReportsAndKeepsThePool) {
  load(utf8(kLexicon));
  EXPECT_EQ(morph("書いた"), "\t書いた\t書く\t02010208\txie\t\t\t\nE\n");
  std::size_t capacity = a->lattice.nodes.capacity();
  std::string longLine;
  for (int i = 0; i < 1200; ++i) longLine += "猫";
  plat::NotifyRecorder recorder;
  plat::FailPoint fail(kLatticeGrowthFailPoint);
  std::strcpy(a->input, longLine.c_str());
  EXPECT_EQ(analyzeSentence(a.get()), 0);
  ASSERT_EQ(recorder.messages.size(), 1u);
  EXPECT_EQ(recorder.messages[0].text, u"メモリ不足!");
  EXPECT_EQ(a->lattice.nodes.capacity(), capacity);
  EXPECT_EQ(writeMorphemes(a.get(), nullptr), 0);
  // The next sentence is analysed as before, and a long one grows the pool.
  EXPECT_EQ(morph("書いた"), "\t書いた\t書く\t02010208\txie\t\t\t\nE\n");
  std::strcpy(a->input, longLine.c_str());
  EXPECT_EQ(analyzeSentence(a.get()), 1);
  EXPECT_GT(a->lattice.nodes.capacity(), capacity);
  EXPECT_EQ(recorder.messages.size(), 1u);
}

// Teardown releases the lattice; initialisation starts with empty arrays.
TEST_F(MorphAnalysisTest, FreeReleasesTheLatticeAndInitStartsEmpty) {
  load(utf8(kLexicon));
  EXPECT_EQ(morph("書いた"), "\t書いた\t書く\t02010208\txie\t\t\t\nE\n");
  ASSERT_GT(a->lattice.nodes.capacity(), 0u);
  ASSERT_GT(a->lattice.pathEntries.capacity(), 0u);
  freeJpAnalyzer(a.get());
  EXPECT_EQ(a->lattice.nodes.capacity(), 0u);
  EXPECT_EQ(a->lattice.pathEntries.capacity(), 0u);
  EXPECT_EQ(a->lattice.extraCandidates.capacity(), 0u);
  a->lattice.nodes.reserve(8);  // left over as by an analysis before a second start
  ASSERT_EQ(initJpAnalyzer(a.get()), 1);
  EXPECT_EQ(a->lattice.nodes.capacity(), 0u);
  EXPECT_EQ(morph("書いた"), "\t書いた\t書く\t02010208\txie\t\t\t\nE\n");
}

TEST_F(MorphAnalysisTest, PositionsBeyondSixteenBitsStayInOrder) {
  load(utf8(kLexicon));
  std::string line;
  for (int i = 0; i < 17000; ++i) line += "あ";  // 34,000 bytes
  std::strcpy(a->input, line.c_str());
  ASSERT_EQ(analyzeSentence(a.get()), 1);
  std::string m = morph(line);
  std::string one = "\tあ\tあ\t15010000\t" + datagen::toEngineCode(u"あ") + "\t\t\t\n";
  ASSERT_EQ(m.size(), one.size() * 17000 + 2);
  EXPECT_EQ(m.substr(m.size() - one.size() - 2), one + "E\n");
}

TEST_F(MorphAnalysisTest, BlankTakesTheClassOfTheWordBeforeIt) {
  load(utf8(kLexicon));
  std::strcpy(a->input, "本 本");
  ASSERT_EQ(analyzeSentence(a.get()), 1);
  const JpLattice& l = a->lattice;
  const PathEntry* noun = nullptr;
  const PathEntry* blank = nullptr;
  for (const PathEntry& e : l.pathEntries) {
    const LatticeNode& n = l.nodes[static_cast<std::size_t>(e.node)];
    if (e.start == 0 && n.pos == 6 && n.recordNumber >= 0 && !noun) noun = &e;
    if (noun && e.start == 2 && n.pos == 1 && n.subPos == 6 &&
        n.connection == l.nodes[static_cast<std::size_t>(noun->node)].connection)
      blank = &e;
  }
  ASSERT_NE(noun, nullptr);
  ASSERT_NE(blank, nullptr);
  const LatticeNode& b = l.nodes[static_cast<std::size_t>(blank->node)];
  EXPECT_STREQ(b.surface.c_str(), "\\ ");
  EXPECT_STREQ(b.chinese.c_str(), "\\ ");  // an unknown word's Chinese is its converted surface
  EXPECT_EQ(blank->cost, noun->cost + posCost(a.get(), 1, 6) * 10);
  ASSERT_FALSE(blank->predecessors.empty());
  EXPECT_EQ(&l.pathEntries[static_cast<std::size_t>(blank->predecessors[0])], noun);
}

TEST_F(MorphAnalysisTest, CharacterClasses) {
  struct Case {
    const char* text;
    JpCharClass cls;
  } cases[] = {
      {" ", kCharBlank},  {"a", kCharSingleByte}, {"．", kCharFullStop}, {"ー", kCharLongMark},
      {"、", kCharSymbol}, {"１", kCharDigit},     {"Ａ", kCharLatin},   {"あ", kCharHiragana},
      {"ア", kCharKatakana}, {"α", kCharOtherNonKanji}, {"亜", kCharKanji}, {"", kCharEnd},
  };
  for (const Case& c : cases) EXPECT_EQ(charClass(c.text, 0), c.cls) << c.text;
}

TEST_F(MorphAnalysisTest, SampleLexiconAnalysesASentence) {
  std::ifstream in(std::string(JC_SOURCE_ROOT) + "/data/sample/jc/lexicon.txt", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::vector<datagen::JpLexiconEntry> entries;
  std::string error;
  ASSERT_TRUE(datagen::parseJpLexicon(text.str(), entries, &error, datagen::chineseToEngineColumn)) << error;
  ASSERT_GT(entries.size(), 150u);
  ASSERT_TRUE(datagen::assignJpConnections(entries, plat::findResource("CONNECT", "CON_TBL_PDA").bytes(), &error))
      << error;
  ASSERT_TRUE(datagen::writeJpDictionaryPair(kBase, entries, &error)) << error;
  ASSERT_EQ(initJpAnalyzer(a.get()), 1);
  loadJp2CwTable(&a->jp2cw);
  auto zh = [](const std::u16string& s) { return datagen::toEngineCode(s); };
  EXPECT_EQ(morph("私は本を読んだ。"), "\t私\t私\t06010000\t" + zh(u"我") + "\tN\t\t12010\n" +
                                          "\tは\tは\t09020000\t\t\t\t\n" +
                                          "\t本\t本\t06010000\t" + zh(u"\u4e66") + "\tN\t\t14160\n" +
                                          "\tを\tを\t09010000\t\t\t\t\n" +
                                          "\t読んだ\t読む\t02010908\t" + zh(u"\u8bfb") + "\tVT\t13\t\n" +
                                          "\t。\t。\t01010000\t" + zh(u"。") + "\t\t\t\nE\n");
}

// The auxiliaries after a predicate are one suffix morpheme each, of the class the rules read:
// negation, desire and ぬ adjectival (14/5), voice and the progressive いる verbal (14/7).
TEST_F(MorphAnalysisTest, SampleLexiconSuffixesAfterThePredicate) {
  std::ifstream in(std::string(JC_SOURCE_ROOT) + "/data/sample/jc/lexicon.txt", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::vector<datagen::JpLexiconEntry> entries;
  std::string error;
  ASSERT_TRUE(datagen::parseJpLexicon(text.str(), entries, &error, datagen::chineseToEngineColumn)) << error;
  ASSERT_TRUE(datagen::assignJpConnections(entries, plat::findResource("CONNECT", "CON_TBL_PDA").bytes(), &error))
      << error;
  ASSERT_TRUE(datagen::writeJpDictionaryPair(kBase, entries, &error)) << error;
  ASSERT_EQ(initJpAnalyzer(a.get()), 1);
  loadJp2CwTable(&a->jp2cw);
  // Surface, base form and codes of each morpheme, without the further candidates ("D" lines).
  auto words = [&](const std::string& sentence) {
    std::istringstream lines(morph(sentence));
    std::string out;
    for (std::string line; std::getline(lines, line);) {
      if (line.empty() || line[0] != '\t') continue;
      std::istringstream f(line.substr(1));
      std::string surface, base, codes;
      std::getline(f, surface, '\t');
      std::getline(f, base, '\t');
      std::getline(f, codes, '\t');
      out += (out.empty() ? "" : " ") + surface + "/" + base + "/" + codes;
    }
    return out;
  };
  const struct {
    const char* sentence;
    const char* words;
  } cases[] = {
      {"本を読まない", "本/本/06010000 を/を/09010000 読ま/読む/02010903 ない/ない/14051802"},
      {"本を読まなかった", "本/本/06010000 を/を/09010000 読ま/読む/02010903 なかった/ない/14051807"},
      {"本を読みません", "本/本/06010000 を/を/09010000 読み/読む/02010907 ませ/ます/05003103 ん/ぬ/14052710"},
      {"水を飲みたい", "水/水/06010000 を/を/09010000 飲み/飲む/02010907 たい/たい/14051802"},
      {"本が読まれた", "本/本/06010000 が/が/09010000 読ま/読む/02010903 れた/れる/14070108"},
      {"本を読ませる", "本/本/06010000 を/を/09010000 読ま/読む/02010903 せる/せる/14070102"},
      {"本を読んでいる", "本/本/06010000 を/を/09010000 読んで/読む/02010911 いる/いる/14070102"},
      {"東京に住んでいます",
       "東京/東京/06040000 に/に/09010000 住んで/住む/02020911 い/いる/14070107 ます/ます/05003102"},
      {"高くない", "高く/高い/03001806 ない/ない/14051802"},
      {"読みませんでした", "読み/読む/02010907 ませ/ます/05003103 ん/ぬ/14052710 でした/だ/04002527"},
      {"読むな", "読む/読む/02010902 な/ない/14051801"},
      {"見ないでください", "見/見る/02010103 ないで/ぬ/14052708 ください/くださる/02011105"},
      // A na-adjective in its te-form before は: ではない negates the adjective.
      {"静かではない", "静かで/静かだ/03002111 は/は/09020000 ない/ない/03001802"},
      // After a particle いる is the verb of existence, and ない after が the adjective.
      {"家にいる", "家/家/06010000 に/に/09010000 いる/いる/02020102"},
      {"本がない", "本/本/06010000 が/が/09010000 ない/ない/03001802"},
  };
  for (const auto& c : cases) EXPECT_EQ(words(c.sentence), c.words);
}

}  // namespace
}  // namespace jc
