#include "apps/dictionary/entry_links.h"
#include "apps/dictionary/viewer_session.h"

#include <gtest/gtest.h>

namespace {

TEST(EntryLinksTest, JapaneseReferences) {
  struct Case {
    std::u16string line, out;
  } cases[] = {
      {u"→あいさつ", u"→<A href=\"J_あいさつ\">あいさつ</A>"},
      {u"（同）⇒あお（青）『参考』,あおい《青い》",
       u"（同）⇒<A href=\"J_あお-青\">あお（青）</A>『参考』,<A href=\"J_あおい-H青い\">あおい《青い》</A>"},
      {u"→アイ・ロン〈鉄〉", u"→<A href=\"J_アイ・ロン-H鉄\">アイ・ロン〈鉄〉</A>"},
      {u"→あい（愛", u"→<A href=\"J_あい\">あい</A>（愛"},  // an open bracket is no suffix
  };
  for (const Case& c : cases) {
    std::u16string out;
    ASSERT_TRUE(dict::linkReferenceJc(c.line, out));
    EXPECT_EQ(out, c.out);
  }
  std::u16string out;
  EXPECT_FALSE(dict::linkReferenceJc(u"あいさつ", out));
}

TEST(EntryLinksTest, ChineseReferences) {
  std::u16string out;
  ASSERT_TRUE(dict::linkReferenceCj(u"爱人→àirén.", u"爱", out));
  EXPECT_EQ(out, u"爱人→<A href=\"爱人\">àirén</A>.");
  // "～" is the headword, in the target only.
  ASSERT_TRUE(dict::linkReferenceCj(u"～儿→ hǎor. (2)", u"好", out));
  EXPECT_EQ(out, u"～儿→<A href=\"好儿\">hǎor</A>. (2)");
  EXPECT_FALSE(dict::linkReferenceCj(u"爱人→爱人.", u"爱", out));  // no pinyin before the stop
  EXPECT_FALSE(dict::linkReferenceCj(u"爱人→àirén", u"爱", out));   // no full stop
  EXPECT_FALSE(dict::linkReferenceCj(u"→àirén.", u"", out));        // nothing to search
}

TEST(EntryLinksTest, BracketLines) {
  dict::ViewerTables tables;
  ASSERT_TRUE(dict::loadViewerTables(tables));
  std::u16string out;
  ASSERT_TRUE(dict::linkBracketLine(u"hào【好】", tables.pronunciation, out));
  EXPECT_EQ(out, u"<A href=\"好-hào\">hào【好】</A><BR>\r\n");
  // A label and readings: each reading a search and a read-aloud image.
  ASSERT_TRUE(dict::linkBracketLine(u"【好】hǎo,hào】", tables.pronunciation, out));
  std::u16string first, second;
  ASSERT_EQ(dict::pronunciationOf(tables.pronunciation, u"hǎo", u"好", first), 0);
  ASSERT_EQ(dict::pronunciationOf(tables.pronunciation, u"hào", u"好", second), 0);
  EXPECT_EQ(out, u"【好】<A href=\"好-hǎo\">hǎo</A>" + dict::readAloudLink(first) + u",<A href=\"好-hào\">hào</A>" +
                     dict::readAloudLink(second) + u"】");
  EXPECT_NE(first, second);
  EXPECT_FALSE(dict::linkBracketLine(u"【成語】", tables.pronunciation, out));
  EXPECT_FALSE(dict::linkBracketLine(u"好 hǎo】", tables.pronunciation, out));
  EXPECT_FALSE(dict::linkBracketLine(u"hǎo【好】。", tables.pronunciation, out));
  EXPECT_EQ(dict::readAloudLink(u"a+b"), u"<a href=\"S_a+b\"><img src=\"\" width=12 height=12></a>");
}

}  // namespace
