#include "tools/resgen/pinyin_tables.h"
#include "tools/resgen/variant_tables.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

std::string readSource(const char* name) {
  std::ifstream f(std::string(RESGEN_SOURCE_ROOT) + "/data/tables/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

TEST(TableSourcesTest, RepositorySourcesBuildTablesOfTheFixedShapes) {
  std::string error;
  resgen::VariantSource v;
  ASSERT_TRUE(resgen::buildVariantTables(readSource("chinese_variants.txt"), v, error)) << error;
  for (const resgen::ContextTableSet* s : {&v.toTraditional, &v.toSimplified}) {
    EXPECT_EQ(s->bitmap.size(), 2624u);
    EXPECT_EQ(s->counts.size(), 1312u);
    EXPECT_EQ(s->records.size() % 10, 0u);
    EXPECT_GT(s->targets.size(), 2000u);
  }
  resgen::PinyinTables p;
  ASSERT_TRUE(resgen::buildPinyinTables(readSource("fayin_hanzi.txt"), p, error)) << error;
  EXPECT_EQ(p.pinNum.size(), 5840u);
  EXPECT_EQ(p.fayinHanzi.size(), 4170u);
}

TEST(TableSourcesTest, MalformedLinesAreRefusedWithTheirNumber) {
  const char* bad[] = {
      "pair\t发\n",
      "pair\t发\tab\n",
      "st-when\t发\t1\t头[发]\n",           // before the candidates
      "st\t发\t發\t髮\nst-when\t发\t2\t头[发]\n",  // no candidate 2
      "st\t发\t發\t髮\nst-when\t发\t1\t头发\n",    // the character is not marked
      "what\t发\n",
      "pair\ta\tb\n",
  };
  for (const char* text : bad) {
    resgen::VariantSource v;
    std::string error;
    EXPECT_FALSE(resgen::buildVariantTables(text, v, error)) << text;
    EXPECT_EQ(error.rfind("line ", 0), 0u) << error;
  }
  resgen::PinyinTables p;
  std::string error;
  EXPECT_FALSE(resgen::buildPinyinTables("a\t阿\t-\t-\t-\n", p, error));
  EXPECT_FALSE(resgen::buildPinyinTables("a\t阿\t-\t-\t-\t啊\n", p, error));  // 1 of 417 syllables
}

}  // namespace
