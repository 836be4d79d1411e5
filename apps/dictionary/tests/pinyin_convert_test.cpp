#include "apps/common/resource_tables.h"
#include "apps/dictionary/pinyin_convert.h"
#include "tools/resgen/pinyin_tables.h"
#include "tools/resgen/variant_tables.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

TEST(PinyinConvertTest, ZhuyinBecomesNumberedPinyin) {
  struct Case {
    const char16_t* in;
    const char16_t* want;
  } cases[] = {
      {u"ㄇㄚˇ", u"ma3"},          {u"ㄓ", u"zhi"},          {u"ㄓˋ", u"zhi4"},
      {u"ㄋㄩˇ", u"nv3"},          {u"ㄐㄩ", u"ju"},         {u"ㄅㄧ", u"bi"},
      {u"ㄌㄩㄝˋ", u"lve4"},       {u"ㄒㄩㄝˊ", u"xue2"},    {u"ㄧㄡˇ", u"you3"},
      {u"ㄨㄛˇ", u"wo3"},          {u"ㄦˊ", u"er2"},         {u"ㄐㄧㄥ", u"jing"},
      {u"ㄓㄨㄥ ㄍㄨㄛˊ", u"zhong1guo2"},  // with any tone mark, an unmarked syllable is tone 1
      {u"ㄇㄚ˙", u"ma0"},          {u"ㄙ\u3000ㄕ", u"sishi"},
      // ㄩ is v after either of ㄋ and ㄌ, alone and before ㄝ; u after any other initial.
      {u"ㄌㄩˋ", u"lv4"},          {u"ㄋㄩㄝˋ", u"nve4"},    {u"ㄌㄨˋ", u"lu4"},
      {u"ㄋㄨˇ", u"nu3"},          {u"ㄐㄩㄝˊ", u"jue2"},    {u"ㄑㄩˋ", u"qu4"},
  };
  for (const Case& c : cases) {
    std::u16string out;
    EXPECT_FALSE(dict::zhuyinToPinyin(out, c.in));
    EXPECT_EQ(out, c.want);
  }
  std::u16string out = u"unchanged";
  for (const char16_t* notZhuyin : {u"ma3", u"ˇ ˋ", u"", u"ㄇa"}) EXPECT_TRUE(dict::zhuyinToPinyin(out, notZhuyin));
  EXPECT_EQ(out, u"unchanged");
  EXPECT_TRUE(dict::zhuyinToPinyin(out, std::u16string(22, u'ㄓ')));  // 66 letters: too long
  EXPECT_FALSE(dict::zhuyinToPinyin(out, std::u16string(21, u'ㄓ')));
}

TEST(PinyinConvertTest, ToneMarksBecomeNumbers) {
  struct Case {
    const char16_t* in;
    const char16_t* want;
    bool sure;
  } cases[] = {
      {u"lǜ", u"lv4", true},
      {u"zhōngguó", u"zhong1guo2", true},
      {u"Xī'ān", u"Xi1an1", true},
      {u"nǚ'ér", u"nv3er2", true},
      {u"tiān ān mén", u"tian1 an1 men2", true},
      {u"shàngān", u"shan4gan1", false},  // "ng" before a vowel: the g goes on
      {u"shàng'ān", u"shang4an1", true},
      {u"ma", u"ma0", false},
      {u"ê", u"^e0", false},
      {u"ĀI", u"aI1", true},
  };
  for (const Case& c : cases) {
    std::u16string out;
    EXPECT_EQ(dict::toneMarksToNumbers(out, c.in), c.sure) << std::u16string(c.in).size();
    EXPECT_EQ(out, c.want);
  }
  std::u16string out;
  EXPECT_FALSE(dict::toneMarksToNumbers(out, u"hǎo uā"));  // no syllable starts with u
  EXPECT_EQ(out, u"hao3 ");
  std::u16string upper = u"ǕÀx";
  dict::lowerToneMarks(upper);
  EXPECT_EQ(upper, u"ǖàx");
  EXPECT_TRUE(dict::isPinyinLetter(u'ǚ'));
  EXPECT_FALSE(dict::isPinyinLetter(u'中'));
  EXPECT_FALSE(dict::isPinyinLetter(u'ê'));  // no tone mark on it: not among the letters
}

class PronunciationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ifstream f(std::string(SUITE_SOURCE_ROOT) + "/data/tables/fayin_hanzi.txt", std::ios::binary);
    std::string text(std::istreambuf_iterator<char>(f), {});
    std::string error;
    ASSERT_TRUE(resgen::buildPinyinTables(text, built_, error)) << error;
    tables_ = {built_.pinNum, built_.fayinHanzi};
  }
  resgen::PinyinTables built_;
  dict::PronunciationTables tables_;
};

TEST_F(PronunciationTest, EachSyllableBecomesACharacterOfItsTone) {
  std::u16string out;
  EXPECT_EQ(dict::pinyinToPronunciation(tables_, out, u"ma1ma0", u"妈妈"), 0);
  EXPECT_EQ(out, u"妈嘛");
  EXPECT_EQ(dict::pinyinToPronunciation(tables_, out, u"yi1 ge4, bu4", u"一个不"), 0);
  EXPECT_EQ(out, u"一 铬, 不");  // 一 and 不 stay: their tone depends on context
  // The caller lowers the case; an upper-case syllable is not in the table.
  EXPECT_EQ(dict::pinyinToPronunciation(tables_, out, u"MA3", u"马"), -1);
  EXPECT_EQ(dict::pinyinToPronunciation(tables_, out, u"ma3", u"马"), 0);
  EXPECT_EQ(out, u"玛");
  EXPECT_EQ(dict::pinyinToPronunciation(tables_, out, u"ma1", u"妈妈"), -1);  // counts differ
  EXPECT_EQ(dict::pinyinToPronunciation(tables_, out, u"xx1ma3", u"某马"), -1);
  EXPECT_EQ(out, u"玛");  // the unknown syllable is skipped
  EXPECT_EQ(dict::pinyinToPronunciation(tables_, out, u"bai1", u"掰"), -2);
}

TEST(SearchConversionTest, TraditionalSearchTextIsSimplifiedWithExceptions) {
  resgen::VariantSource v;
  std::string error;
  ASSERT_TRUE(resgen::buildVariantTables("pair\t头\t頭\npair\t净\t淨\npair\t干\t乾\n"
                                         "st\t发\t發\t髮\n"
                                         "ts\t著\t着\t著\nts-when\t著\t1\t[著]名\n",
                                         v, error))
      << error;
  const apptext::ContextTables t{v.toSimplified.bitmap, v.toSimplified.counts, v.toSimplified.targets,
                                 v.toSimplified.records, v.toSimplified.patterns};
  struct Case {
    const char16_t* in;
    const char16_t* want;
  } cases[] = {
      {u"頭髮", u"头发"},  {u"著名", u"著名"}, {u"顯著", u"顯着"}, {u"著", u"著"},  // single exceptions stay
      {u"乾", u"乾"},      {u"乾淨", u"干净"}, {u"雾凇頭", u"雾凇頭"},              // a listed word at the start
      {u"劈頭", u"劈头"},
  };
  for (const Case& c : cases) {
    std::u16string s = c.in;
    dict::toSimplifiedForSearch(t, s);
    EXPECT_EQ(s, c.want);
  }
}

// The tables generated at build time and embedded into this program.
TEST(ViewerTablesTest, EmbeddedTablesLoad) {
  dict::PronunciationTables p;
  ASSERT_TRUE(dict::loadPronunciationTables(p));
  std::u16string out;
  EXPECT_EQ(dict::pinyinToPronunciation(p, out, u"ma3", u"马"), 0);
  EXPECT_EQ(out, u"玛");
  apptext::ContextTables t;
  ASSERT_TRUE(apptext::loadViewerSearchTables(t));
  std::u16string text = u"頭髮著名";
  dict::toSimplifiedForSearch(t, text);
  EXPECT_EQ(text, u"头发著名");
}

}  // namespace
