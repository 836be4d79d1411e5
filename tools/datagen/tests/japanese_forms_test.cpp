#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/core/codepage.h"
#include "tools/datagen/cvdata_tables.h"

namespace {

std::string utf8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

// Shift-JIS of the table entry of a GB2312 hanzi.
std::string entryOf(const std::string& table, const char8_t* hanzi) {
  const std::string gb = plat::wideToMultiByte(936, plat::utf8ToWide(utf8(hanzi)));
  const std::size_t i = ((static_cast<unsigned char>(gb[0]) - 0xB0) * 94 + (static_cast<unsigned char>(gb[1]) - 0xA1)) * 2;
  return table.substr(i, 2);
}

std::string sjis(const char8_t* s) { return plat::wideToMultiByte(932, plat::utf8ToWide(utf8(s))); }

TEST(JapaneseForms, SimplifiedCharactersGetTheirJapaneseForms) {
  // 对: traditional 對 whose EACC twin is the Joyo kanji 対; 谢: traditional 謝; 说: the Z variant
  // 説 of its traditional form; 每: listed; 咖: nothing Japanese, keeps the mark.
  const std::string variants = utf8(
      u8"# Unihan_Variants\n"
      u8"U+5BF9\tkTraditionalVariant\tU+5BF9 U+5C0D\n"
      u8"U+8C22\tkTraditionalVariant\tU+8B1D\n"
      u8"U+8BF4\tkTraditionalVariant\tU+8AAA\n"
      u8"U+8AAA\tkZVariant\tU+8AAC\n");
  const std::string other = utf8(
      u8"U+5C0D\tkEACC\t213B43\n"
      u8"U+5BFE\tkEACC\t4B3B43\n"
      u8"U+5BFE\tkJoyoKanji\t2010\n");
  const std::string listed = utf8(u8"# pairs\n每\t毎\n");
  const std::string chineseVariants = utf8(u8"pair\t谢\t謝\n");
  const auto forms = datagen::japaneseForms({variants, other, chineseVariants, listed});
  const std::string table = datagen::makeCwToJpTable(&forms);
  EXPECT_EQ(entryOf(table, u8"对"), sjis(u8"対"));
  EXPECT_EQ(entryOf(table, u8"谢"), sjis(u8"謝"));
  EXPECT_EQ(entryOf(table, u8"说"), sjis(u8"説"));
  EXPECT_EQ(entryOf(table, u8"每"), sjis(u8"毎"));
  EXPECT_EQ(entryOf(table, u8"咖"), "\x81\x40");
  EXPECT_EQ(entryOf(table, u8"学"), sjis(u8"学"));  // code page 932 has it already
  // Without the sources the table is code page 932 alone.
  EXPECT_EQ(entryOf(datagen::makeCwToJpTable(), u8"对"), "\x81\x40");
}

std::string readSource(const char* name) {
  std::ifstream in(std::string(SUITE_TEST_SOURCE_DIR) + "/data/tables/" + name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(JapaneseForms, TheProjectListPicksTheFormOfTheEverydayWord) {
  // 发 stands for 發 (発展) and 髮 (頭髪); Unihan leads to the Joyo kanji 髪 through 髮 only, and
  // 经 has no Joyo twin there at all: the project's list gives 発 and 経.
  const std::string variants = utf8(
      u8"U+53D1\tkTraditionalVariant\tU+767C U+9AEE\n"
      u8"U+9AEE\tkZVariant\tU+9AEA\n"
      u8"U+7ECF\tkTraditionalVariant\tU+7D93\n");
  const std::string other = utf8(u8"U+9AEA\tkJoyoKanji\t2010\n");
  const std::string chineseVariants = readSource("chinese_variants.txt");
  ASSERT_FALSE(chineseVariants.empty());
  const auto plain = datagen::japaneseForms({variants, other, chineseVariants, std::string()});
  EXPECT_EQ(entryOf(datagen::makeCwToJpTable(&plain), u8"发"), sjis(u8"髪"));
  const auto forms = datagen::japaneseForms({variants, other, chineseVariants, readSource("japanese_forms.txt")});
  const std::string table = datagen::makeCwToJpTable(&forms);
  EXPECT_EQ(entryOf(table, u8"发"), sjis(u8"発"));
  EXPECT_EQ(entryOf(table, u8"经"), sjis(u8"経"));
  // Everyday words whose Japanese form is not the traditional one: 予定, 計画, 連絡.
  for (const auto& [simplified, japanese] : {std::pair{u8"预", u8"予"}, {u8"划", u8"画"}, {u8"联", u8"連"}})
    EXPECT_EQ(entryOf(table, simplified), sjis(japanese)) << utf8(simplified);
}

}  // namespace
