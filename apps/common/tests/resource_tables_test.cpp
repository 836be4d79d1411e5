#include "apps/common/code_page_converter.h"
#include "apps/common/resource_tables.h"

#include <gtest/gtest.h>

namespace {

// The tables generated at build time from data/tables and embedded into this program.
TEST(ResourceTablesTest, EmbeddedTablesLoadAndConvert) {
  apptext::EngineCodeTables code;
  ASSERT_TRUE(apptext::loadEngineCodeTables(code));
  apptext::CodePageConverter conv(code);
  std::string bytes;
  conv.toBytes(60932, bytes, u"中国 ā·");
  EXPECT_EQ(bytes.substr(4, 2), " \xA6");
  std::u16string back;
  conv.toWide(60932, back, bytes);
  EXPECT_EQ(back, u"中国 ā·");
  conv.toWide(61932, back, bytes);
  EXPECT_EQ(back, u"中國 ā·");
  conv.toBytes(54936, bytes, u"\u3400");
  EXPECT_EQ(bytes, "\x81\x39\xEE\x39");

  apptext::VariantTables variants;
  ASSERT_TRUE(apptext::loadTranslatorVariantTables(variants));
  std::u16string text = u"理发后头发干了";
  apptext::toTraditional(variants, text);
  EXPECT_EQ(text, u"理髮後頭髮乾了");
  apptext::toSimplified(variants, text);
  EXPECT_EQ(text, u"理发后头发干了");
  text = u"乾隆";
  apptext::toSimplified(variants, text);
  EXPECT_EQ(text, u"乾隆");

  apptext::ContextTables missing;
  EXPECT_FALSE(apptext::loadContextTables(1, 2, 3, 4, 5, missing));
}

}  // namespace
