#include "apps/common/context_convert.h"
#include "tools/resgen/variant_tables.h"

#include <gtest/gtest.h>

namespace {

using apptext::ContextTables;

ContextTables viewsOf(const resgen::ContextTableSet& s) {
  return {s.bitmap, s.counts, s.targets, s.records, s.patterns};
}

constexpr const char* kSource =
    "pair\t头\t頭\n"
    "pair\t净\t淨\n"
    "pair\t条\t條\n"
    "pair\t们\t們\n"
    "st\t发\t發\t髮\n"
    "st-when\t发\t1\t头[发]\n"
    "st\t面\t面\t麵\n"
    "st-when\t面\t1\t[面]条\n"
    "st\t干\t乾\t幹\t干\n"
    "st-when\t干\t1\t[干]部\n"
    "st-when\t干\t2\t若[干]\n"
    "st\t愈\t愈\t癒\n"
    "st-when\t愈\t1\t痊[愈]\n"
    "ts\t乾\t干\t乾\n"
    "ts-when\t乾\t1\t[乾]隆\n";

class ContextConvertTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(resgen::buildVariantTables(kSource, source_, error)) << error;
    tables_ = {viewsOf(source_.toTraditional), viewsOf(source_.toSimplified)};
  }
  std::u16string trad(std::u16string s) {
    apptext::toTraditional(tables_, s);
    return s;
  }
  std::u16string simp(std::u16string s) {
    apptext::toSimplified(tables_, s);
    return s;
  }
  resgen::VariantSource source_;
  apptext::VariantTables tables_;
};

TEST_F(ContextConvertTest, PatternsPickTheirCandidateOnlyInContext) {
  struct Case {
    const char16_t* in;
    const char16_t* want;
  } cases[] = {
      {u"发", u"發"},            // no context: candidate 0
      {u"头发", u"頭髮"},        // the preceding character is read unconverted (头, not 頭)
      {u"头头发", u"頭頭髮"},
      {u"发头", u"發頭"},        // the context must stand at its place
      {u"面条", u"麵條"},        // following context from the text
      {u"面", u"面"},
      {u"干净", u"乾淨"},
      {u"干部", u"幹部"},
      {u"若干", u"若干"},
      {u"痊愈", u"痊癒"},
  };
  for (const Case& c : cases) EXPECT_EQ(trad(c.in), c.want) << std::u16string(c.in).size();
  EXPECT_EQ(simp(u"乾淨"), u"干净");
  EXPECT_EQ(simp(u"乾隆"), u"乾隆");
  EXPECT_EQ(simp(u"頭髮"), u"头发");
}

TEST_F(ContextConvertTest, FixedExceptionsKeepTheSimplifiedForm) {
  EXPECT_EQ(trad(u"不干你事"), u"不干你事");
  EXPECT_EQ(trad(u"干你们啥事"), u"干你們啥事");
  EXPECT_EQ(trad(u"干他的屁事"), u"干他的屁事");
  EXPECT_EQ(trad(u"干你好"), u"乾你好");
  EXPECT_EQ(trad(u"愈来愈"), u"愈来愈");
  EXPECT_EQ(trad(u"愈"), u"愈");
}

TEST_F(ContextConvertTest, TextOutsideTheTablesIsUnchangedAndLengthKept) {
  const std::u16string plain = u"abc かな 123 \u4E00\u9FA6\uA000";
  EXPECT_EQ(trad(plain), plain);
  EXPECT_EQ(simp(plain), plain);
  // Converting stops at a zero unit; the length never changes.
  std::u16string withZero(u"头\0头", 3);
  EXPECT_EQ(trad(withZero), std::u16string(u"頭\0头", 3));
}

TEST_F(ContextConvertTest, SimplifyingReplacesU4E81First) {
  // U+4E81 becomes 乾 (U+4E7E) before the lookup, so the patterns of 乾 apply to it.
  EXPECT_EQ(simp(u"\u4E81"), u"干");
  EXPECT_EQ(simp(u"\u4E81隆"), u"乾隆");
  EXPECT_EQ(trad(u"\u4E81"), u"\u4E81");
}

TEST_F(ContextConvertTest, BrokenTablesNeverReadOutside) {
  // Records are numbered in character order: 发 0, 干 1, 愈 2, 面 3.
  ContextTables t = viewsOf(source_.toTraditional);
  t.records = t.records.substr(0, 10);  // targets naming records past the table
  std::u16string s = u"干面头发";
  apptext::convertByContext(t, apptext::ContextDirection::kToTraditional, s);
  EXPECT_EQ(s, u"干面頭髮");

  std::string records(source_.toTraditional.records);
  records[8] = '\xFF';  // pattern offset of record 0 far past the patterns
  records[9] = '\x7F';
  t = viewsOf(source_.toTraditional);
  t.records = records;
  s = u"头发";
  apptext::convertByContext(t, apptext::ContextDirection::kToTraditional, s);
  EXPECT_EQ(s, u"頭發");

  t = viewsOf(source_.toTraditional);
  t.patterns = t.patterns.substr(0, 3);  // the list is cut inside its first pattern
  s = u"头发";
  apptext::convertByContext(t, apptext::ContextDirection::kToTraditional, s);
  EXPECT_EQ(s, u"頭發");
}

}  // namespace
