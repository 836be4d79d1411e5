#include "engine/cj/analysis/pinyin_annotation.h"

#include <gtest/gtest.h>

#include "engine/cj/analysis/tests/cj_dictionary_fixture.h"
#include "platform/core/notify_recorder.h"
#include "tools/datagen/cj_data_files.h"
#include "tools/datagen/cj_pinyin_entry_writer.h"
#include "tools/datagen/cj_scramble.h"
#include "tools/datagen/cvdata_tables.h"

namespace cj {
namespace {

using cjtest::engineText;

std::string sjis(const std::u16string& text) { return plat::wideToMultiByte(932, text); }

std::string toned(std::string syllable, int mode) {
  toToneMarks(syllable, mode);
  return syllable;
}

TEST(PinyinFormatTest, ToneMarksBySyllableEnding) {
  struct Case {
    const char* in;
    int mode;
    const char* out;
  } cases[] = {
      {"Zhong1", 1, "zh\xCBng"}, {"Lv4", 1, "l\xD6"},      {"Liu2", 1, "li\xD0"},    {"Ma0", 1, "ma"},
      {"Ma", 1, "ma"},           {"Huang2", 1, "hu\xC0ng"}, {"Xian1", 1, "xi\xBFn"},  {"Er2", 1, "\xC4r"},
      {"Gui4", 1, "gu\xCA"},     {"Lve4", 1, "l\xD7\xC6"},  {"Nv3", 1, "n\xD5"},      {"Lv1", 1, "l\xD7"},
      {"Jun1", 1, "j\xCFn"},     {"Xin4", 1, "x\xCAn"},     {"Dou1", 1, "d\xCBu"},    {"M2", 1, "m"},
      {"Ma0", 3, "ma"},          {"Ma3", 3, "ma3"},         {"Ma3", 2, "ma"},         {"Ma0", 0, "ma"},
      {" Ma3", 1, ""},           {"", 1, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(toned(c.in, c.mode), c.out) << c.in << " mode " << c.mode;
}

TEST(PinyinFormatTest, ReadingsBecomeSyllablesAndAlternatives) {
  struct Case {
    const char* in;
    int mode;
    const char* out;
  } cases[] = {
      {"Zhong1Guo2", 3, "zhong1 guo2"},
      {"  Zhong1 Guo2", 2, "zhong guo"},
      {"Hao3/Hao4", 1, "h\xC1o/h\xC2o"},
      {"Hao3/Hao4", 3, "hao3/hao4"},
      {"Hao3/Hao4", 2, "hao"},
      {"Hao3/Hao4", 0, "hao"},
      {"Hao3/Hao4/Hao3", 3, "hao3/hao4/hao3"},
      {"Chang2/Zhang3 Da4", 2, "chang/zhang da"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(formatReading(c.in, c.mode), c.out) << c.in << " mode " << c.mode;
  }
}

TEST(PinyinFormatTest, PostProcessPicksOneCandidate) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"ka/2 ki/3 ku/4", "ki"}, {"ka/2 ki ku/1", "ki"}, {"ka/2 ki/4", "ka"},
      {"ka/5", "ka"},           {"ko", "ko"},           {"", ""},
  };
  for (const Case& c : cases) {
    std::string list = c.in;
    postProcessReading(list);
    EXPECT_EQ(list, c.out) << c.in;
  }
}

// An engine over generated dictionaries: readings in cwcdicp.dic and a reading table.
class PinyinAnnotationTest : public cjtest::EngineFixture {
 protected:
  void SetUp() override {
    datagen::registerConversionTables();
    const std::vector<std::pair<std::string, std::string>> words = {
        {"的", "De0"},   {"中国", "Zhong1Guo2"}, {"人", "Ren2"}, {"好", "Hao3/Hao4"},
        {"绿", "Lv4"},   {"和", "Huo4"},         {"长", "\\Chang2/Zhang3"},
        {"庄", "Zhuang1Zhuang1Zhuang1Zhuang1Zhuang1Zhuang1Zhuang1"},
    };
    cjtest::EngineSetup setup;
    for (const auto& [w, r] : words) setup.words.push_back({w, "N\\"});
    setup.lists["pinyin.specialWords"] = {"和", "其", "区", "呢"};
    std::vector<std::string> readings;
    for (const auto& [w, r] : words) readings.push_back(r);
    std::vector<uint32_t> offsets;
    datagen::CjDataFiles extra;
    extra["cwcdicp.dic"] = datagen::cjPinyinEntryFile(readings, &offsets);
    std::vector<datagen::CjTrieWord> trie;
    for (std::size_t i = 0; i < words.size(); ++i) trie.push_back({engineText(words[i].first), offsets[i]});
    datagen::addCjSegmentationFiles(extra, trie, true);
    extra["pinyindic\\PinKaChu.tbl"] = datagen::cjReadingTableFile({
        {"zhong", sjis(u"チョン")}, {"guo", sjis(u"グオ")}, {"ren", sjis(u"レン")},
        {"hao", sjis(u"ハオ")},     {"he", sjis(u"ホー")},   {"chang", sjis(u"チャン")},
        {"zhang", sjis(u"ジャン")},
    });
    ASSERT_TRUE(start(setup, &extra));
  }

  static std::string annotate(std::string_view utf8, int mode, int* result = nullptr) {
    std::string out = "left over";
    const int r = annotatePinyinText(cjtest::engine(), engineText(utf8), out, mode);
    if (result) *result = r;
    return out;
  }
};

TEST_F(PinyinAnnotationTest, ReadingsInEveryMode) {
  const std::string stop = sjis(u"。");
  int result = 1;
  EXPECT_EQ(annotate("中国人好。", 3, &result), "zhong1 guo2 ren2 hao3/hao4 " + stop);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(annotate("中国人好。", 1), "zh\xCBng gu\xCC r\xC4n h\xC1o/h\xC2o " + stop);
  EXPECT_EQ(annotate("中国人好。", 2), "zhong guo ren hao " + stop);
  EXPECT_EQ(annotate("中国人好。", 0), sjis(u"チョン グオ レン ハオ 。"));
  // A leading backslash reads as a space; alternatives go through the table one by one.
  EXPECT_EQ(annotate("长", 0), sjis(u"チャン/ジャン"));
  EXPECT_EQ(annotate("的长", 3), "de chang2/zhang3");
}

TEST_F(PinyinAnnotationTest, WordsWithoutReadingsAndSpacing) {
  // Marks and letters keep their Japanese form; a space only after a word with a reading.
  EXPECT_EQ(annotate("人-+中国", 3), "ren2 -+ zhong1 guo2");
  EXPECT_EQ(annotate("abc中国", 3), "abc zhong1 guo2");
  // A hanzi without a reading stays in the engine code the reading is written in (its Japanese
  // form would read back as another character).
  EXPECT_EQ(annotate("人往", 3), "ren2 " + engineText("往"));
  // Every sentence is annotated, the last one too.
  EXPECT_EQ(annotate("中国。人。x", 3), "zhong1 guo2 " + sjis(u"。") + "ren2 " + sjis(u"。") + "x");
}

TEST_F(PinyinAnnotationTest, SpecialWordsIgnoreTheDictionary) {
  EXPECT_EQ(annotate("和", 1), "h\xC4");
  EXPECT_EQ(annotate("和", 2), "he");
  EXPECT_EQ(annotate("和", 3), "he2");
  EXPECT_EQ(annotate("和", 0), sjis(u"ホー"));
}

TEST_F(PinyinAnnotationTest, UnknownSyllableInTableMode) {
  plat::NotifyRecorder recorder;
  EXPECT_EQ(annotate("绿人", 0), "? " + sjis(u"レン"));
  ASSERT_EQ(recorder.messages.size(), 1u);
  EXPECT_EQ(recorder.messages[0].text, u"一致せず");
  // The other modes need no table.
  EXPECT_EQ(annotate("绿", 1), "l\xD6");
  EXPECT_EQ(recorder.messages.size(), 1u);
}

TEST_F(PinyinAnnotationTest, TextWithoutHanzi) {
  int result = 0;
  EXPECT_EQ(annotate("abc。", 3, &result), "");
  EXPECT_EQ(result, -1);
  std::string out;
  EXPECT_EQ(annotatePinyinSentence(cjtest::engine(), "", out, kReadingToneNumbers), -1);
}

TEST_F(PinyinAnnotationTest, LongSentenceIsCutAtItsRoom) {
  // 60 words of seven syllables each: one sentence whose reading passes its room.
  std::string text, full;
  for (int i = 0; i < 60; ++i) text += "庄";
  for (int i = 0; i < 60 * 7; ++i) full += i ? " zhuang1" : "zhuang1";
  const std::string out = annotate(text, 3);
  EXPECT_EQ(out.size(), kSentenceReadingSize - 1);
  EXPECT_EQ(out, full.substr(0, out.size()));
}

TEST_F(PinyinAnnotationTest, TableLookupReadsOnlyTheRowsLoaded) {
  plat::NotifyRecorder recorder;
  std::string out = "x:";
  EXPECT_EQ(mapReadingSyllables(cjtest::engine(), "zhang/ren qqq", out), "x:" + sjis(u"ジャン/レン ?"));
  EXPECT_EQ(recorder.messages.size(), 1u);
  // A syllable is compared on its first six letters only.
  out.clear();
  EXPECT_EQ(mapReadingSyllables(cjtest::engine(), "zhongguoren", out), "?");
  EXPECT_EQ(recorder.messages.size(), 2u);
  // An empty syllable (after a trailing '/') is looked up like any other and matches nothing.
  out.clear();
  EXPECT_EQ(mapReadingSyllables(cjtest::engine(), "zhang/", out), sjis(u"ジャン/") + "?");
  EXPECT_EQ(recorder.messages.size(), 3u);
}

TEST_F(PinyinAnnotationTest, EntryReaderKeepsOneLineOfAtMost49Bytes) {
  // A first line, then a reading longer than any the writer makes.
  const std::string first = datagen::cjPinyinEntryLine("De0", 0);
  const std::string longReading(60, 'A');
  std::FILE* f = std::tmpfile();
  ASSERT_TRUE(f);
  const std::string bytes = first + datagen::scrambleAt(datagen::CjScrambleKey::DicEntry, longReading + "\r\nNext1\r\n",
                                                        static_cast<long>(first.size()));
  ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
  CjNode node;
  node.CHI = engineText("人");
  std::string reading;
  EXPECT_EQ(readPinyinEntry(f, node, static_cast<int32_t>(first.size()), reading), 1);
  EXPECT_EQ(reading, std::string(kReadingSize, 'A'));
  // Offset 0 belongs to the listed first word only; an offset past the end reads nothing.
  EXPECT_EQ(readPinyinEntry(f, node, 0, reading), 0);
  EXPECT_EQ(node.CAT, "W");
  node.CHI = engineText("的");
  EXPECT_EQ(readPinyinEntry(f, node, 0, reading), 1);
  EXPECT_EQ(reading, "De0");
  node.CAT = "N";
  EXPECT_EQ(readPinyinEntry(f, node, 100000, reading), 0);
  EXPECT_EQ(node.CAT, "W");
  EXPECT_TRUE(reading.empty());
  std::fclose(f);
}

}  // namespace
}  // namespace cj
