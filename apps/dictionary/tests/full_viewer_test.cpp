// The full card's viewer dictionaries (build tree: viewer-full), written from the full card's
// translator sources: headwords found with their pinyin or kana and their translations.
#include <gtest/gtest.h>

#include <filesystem>

#include "apps/dictionary/tests/viewer_fixture.h"
#include "platform/core/codepage.h"
#include "tools/datagen/build_programs.h"

namespace {

struct Case {
  int direction;
  const char16_t* headword;
  const char16_t* line;  // the list line: "hanzi pinyin" or "kana【headword】"
  const char16_t* translation;
};

class FullViewerTest : public dicttest::ViewerFixture {
 protected:
  void SetUp() override {
    const std::string folder = datagen::buildFolder() + "/viewer-full/";
    if (!std::filesystem::exists(folder + "cj.txt")) GTEST_SKIP() << folder << " is missing: the full card was not made";
    ASSERT_TRUE(dict::loadViewerTables(tables_));
    build(datagen::readWholeFile(folder + "jc.txt"), datagen::readWholeFile(folder + "cj.txt"));
  }
  // Whether the full card was made with both open dictionaries, which pair words through English.
  static bool throughEnglish() {
    const std::string build = datagen::buildFolder();
    return std::filesystem::exists(build + "/fullcard/edict.txt") && std::filesystem::exists(build + "/cc-cedict/cedict.txt");
  }
  void expectFound(const Case& c) {
    ASSERT_GT(search(c.direction, c.headword), 0) << plat::wideToUtf8(c.headword);
    EXPECT_EQ(s().current().list.lines[0], c.line) << plat::wideToUtf8(c.headword);
    s().current().list.selected = 0;
    s().showSelectedEntry();
    EXPECT_NE(page().find(c.translation), std::u16string::npos) << plat::wideToUtf8(c.headword);
  }
};

TEST_F(FullViewerTest, TensOfThousandsOfHeadwordsEachWay) {
  EXPECT_GT(jc_.size(), throughEnglish() ? 40000u : 10000u);
  EXPECT_GT(cj_.size(), throughEnglish() ? 40000u : 10000u);
  const Case cases[] = {
      {1, u"商业", u"商业 shāngyè", u"商業"},
      {1, u"主张", u"主张 zhǔzhāng", u"主張"},
      {1, u"贸易", u"贸易 màoyì", u"貿易する"},
      {0, u"隊長", u"たいちょう【隊長】", u"队长"},
      {0, u"たいちょう", u"たいちょう【隊長】", u"队长"},  // typed in kana
      {1, u"学生", u"学生 xuésheng", u"学生"},  // the sample card's entry stays
  };
  for (const Case& c : cases) expectFound(c);
  EXPECT_TRUE(notes_.messages.empty());
}

// Words whose two spellings differ come from the translations through English.
TEST_F(FullViewerTest, WordsTranslatedThroughEnglish) {
  const Case cases[] = {
      {1, u"熊猫", u"熊猫 xióngmāo", u"パンダ"},
      {1, u"钱包", u"钱包 qiánbāo", u"財布"},
      {0, u"財布", u"さいふ【財布】", u"钱包"},
      {0, u"盗む", u"ぬすむ【盗む】", u"偷"},  // not 盗っ人, the first entry of its kanji
      {0, u"ぬすむ", u"ぬすむ【盗む】", u"偷"},
      {0, u"パンダ", u"パンダ", u"熊猫"},         // written in kana alone
      {0, u"来週", u"らいしゅう【来週】", u"星期"},
  };
  if (!throughEnglish()) GTEST_SKIP() << "the full card was made without EDICT and CC-CEDICT";
  for (const Case& c : cases) expectFound(c);
  EXPECT_TRUE(notes_.messages.empty());
}

// Set phrases are shown as such, not as nouns; an everyday word lists no term of a special field
// (盗む: not 抢断, a steal in basketball).
TEST_F(FullViewerTest, SetPhrasesAndTermsOfAField) {
  const Case cases[] = {
      {1, u"对不起", u"对不起 duìbuqǐ", u"〔慣〕すみません"},
      {1, u"没关系", u"没关系 méiguānxi", u"〔慣〕大丈夫です"},
  };
  for (const Case& c : cases) {
    expectFound(c);
    EXPECT_EQ(page().find(u"〔名〕"), std::u16string::npos) << plat::wideToUtf8(c.headword);
  }
  if (!throughEnglish()) GTEST_SKIP() << "the full card was made without EDICT and CC-CEDICT";
  expectFound({0, u"盗む", u"ぬすむ【盗む】", u"偷"});
  const std::u16string basketballSteal = u"抢断";
  EXPECT_EQ(page().find(basketballSteal), std::u16string::npos);
  EXPECT_TRUE(notes_.messages.empty());
}

}  // namespace
