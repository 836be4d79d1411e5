#include <gtest/gtest.h>

#include "input/pinyin/candidate_tables.h"
#include "input/pinyin/syllables.h"
#include "tools/pinyin_tablegen/candidate_builder.h"
#include "tools/pinyin_tablegen/unihan_source.h"

namespace pinyin::tablegen {
namespace {

TEST(Tablegen, ParsesTonedPinyin) {
  struct Case {
    const char* text;
    const char* spelling;
    int tone;
  };
  const Case cases[] = {{"yī", "yi", 1},    {"lüè", "lve", 4},  {"nǚ", "nv", 3}, {"de", "de", 0},
                        {"zhuàng", "zhuang", 4}, {"ê̄", "E", 1}, {"ế", "E", 2},  {"lü", "lv", 0}};
  for (const Case& c : cases) {
    auto r = parseToneReading(c.text);
    ASSERT_TRUE(r) << c.text;
    EXPECT_EQ(r->spelling, c.spelling);
    EXPECT_EQ(r->tone, c.tone) << c.text;
  }
  EXPECT_FALSE(parseToneReading(""));
  EXPECT_FALSE(parseToneReading("yī1"));
  EXPECT_FALSE(parseToneReading("ǎà"));  // two tones
}

// Unihan lines as the package ships them (fields of three of its files).
constexpr std::string_view kLines =
    "U+4E86\tkHanyuPinlu\tle(30101) liǎo(654) liào(19)\n"
    "U+4E86\tkMandarin\tle\n"
    "U+4E86\tkXHC1983\t0684.060:le 0711.150:liǎo 0712.070:liào\n"
    "U+4E86\tkGB0\t3373\n"
    "U+4E86\tkBigFive\tA446\n"
    "U+6599\tkMandarin\tliào\n"
    "U+6599\tkHanyuPinlu\tliào(1064)\n"
    "U+6599\tkGB0\t3376\n"
    "U+5ED6\tkMandarin\tliào\n"
    "U+5ED6\tkFrequency\t4\n"
    "U+5ED6\tkGB0\t3379\n"
    "U+5ED6\tkBigFive\tBCF0\n"
    "U+7642\tkMandarin\tliáo\n"
    "U+7642\tkHanyuPinyin\t42530.010:liáo,shuò\n"
    "U+7642\tkBigFive\tF3A6\n"
    "U+5452\tkMandarin\tm\n"
    "U+5452\tkGB0\t5240\n"
    "# a comment\n";

TEST(Tablegen, OrdersByReadingFrequencyAndListsOtherTonesAsRepeats) {
  HanziTable table;
  readUnihanLines(kLines, table);
  ASSERT_EQ(table.size(), 5u);

  CandidateSet simp = buildCandidateSet(table, false);
  // liao: 了 reads liǎo 654 and liào 19 times, 料 liào 1,064 times, 廖 has only a frequency class.
  const datagen::PinyinRun run = simp.pinyinIndex[static_cast<std::size_t>(spellingNumber(false, false, "liao"))];
  ASSERT_EQ(run.count, 4);
  const auto* r = &simp.records[run.first];
  EXPECT_EQ(r[0].character, u'料');
  EXPECT_EQ(r[0].toneDigit, '4');
  EXPECT_EQ(r[1].character, u'了');
  EXPECT_EQ(r[1].toneDigit, '3');
  EXPECT_FALSE(r[1].repeat);
  EXPECT_EQ(r[2].character, u'了');
  EXPECT_EQ(r[2].toneDigit, '4');
  EXPECT_TRUE(r[2].repeat);
  EXPECT_EQ(r[2].priority, r[1].priority);
  EXPECT_EQ(r[3].character, u'廖');
  EXPECT_GT(r[0].priority, r[3].priority);
  // le: the neutral tone.
  const datagen::PinyinRun le = simp.pinyinIndex[static_cast<std::size_t>(spellingNumber(false, false, "le"))];
  ASSERT_EQ(le.count, 1);
  EXPECT_EQ(simp.records[le.first].toneDigit, '0');
  // The same runs under the zhuyin numbers.
  const datagen::PinyinRun zrun = simp.zhuyinIndex[static_cast<std::size_t>(spellingNumber(true, false, "liao"))];
  EXPECT_EQ(zrun.first, run.first);
  EXPECT_EQ(zrun.count, run.count);
  // 呒 reads only m, which no key spells; the traditional set takes the Big5 characters only.
  EXPECT_EQ(simp.characters, 3);
  EXPECT_EQ(simp.unreadCharacters, 1);
  EXPECT_EQ(simp.droppedSpellings, std::vector<std::string>{"m"});

  CandidateSet trad = buildCandidateSet(table, true);
  EXPECT_EQ(trad.characters, 3);  // 了, 廖 and 療
  const datagen::PinyinRun tr = trad.pinyinIndex[static_cast<std::size_t>(spellingNumber(false, true, "liao"))];
  EXPECT_EQ(tr.count, 4);  // 了 ×2, 廖, 療
  const datagen::PinyinRun shuo = trad.pinyinIndex[static_cast<std::size_t>(spellingNumber(false, true, "shuo"))];
  EXPECT_EQ(shuo.count, 0);  // the historical dictionary stands in only for characters nothing else reads

  // What the builder makes, the writer stores and the panel's reader reads back.
  auto bytes = datagen::writePinyinRecords(simp.records, false);
  ASSERT_TRUE(bytes);
  std::string index = datagen::writePinyinIndex(simp.pinyinIndex);
  CandidateTables tables;
  tables.setRecords(false, {reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()});
  tables.set(false, false, {reinterpret_cast<const std::uint8_t*>(index.data()), index.size()});
  ASSERT_TRUE(tables.usable(false, false));
  auto read = tables.run(false, false, spellingNumber(false, false, "liao"));
  ASSERT_TRUE(read);
  for (std::uint32_t i = 0; i < read->count; ++i) {
    CandidateRecord got = tables.record(false, read->first + i);
    EXPECT_EQ(got.character, r[i].character);
    EXPECT_EQ(got.toneDigit, r[i].toneDigit);
    EXPECT_EQ(got.priority, r[i].priority);
    EXPECT_EQ(got.repeat, r[i].repeat);
  }
}

TEST(Tablegen, TheWriterRefusesWhatTheFrequencyByteCannotHold) {
  EXPECT_FALSE(datagen::writePinyinRecords({{u'了', '3', 65, false}}, false));
  EXPECT_FALSE(datagen::writePinyinRecords({{u'了', '3', 47, true}}, false));
  EXPECT_FALSE(datagen::writePinyinRecords({{u'了', '3', 128, false}}, true));
  EXPECT_FALSE(datagen::writePinyinRecords({{u'了', '5', 50, false}}, true));
  auto trad = datagen::writePinyinRecords({{u'了', '3', 10, true}}, true);
  ASSERT_TRUE(trad);
  EXPECT_EQ(static_cast<unsigned char>((*trad)[3]), 0x8Au);
  auto simp = datagen::writePinyinRecords({{u'了', '3', 50, true}}, false);
  ASSERT_TRUE(simp);
  EXPECT_EQ(static_cast<unsigned char>((*simp)[3]), 67u);
}

}  // namespace
}  // namespace pinyin::tablegen
