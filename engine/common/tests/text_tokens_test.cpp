#include "engine/common/text_tokens.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

bool holdsAll(char16_t) { return true; }
bool holdsBmpOnly(char16_t c) { return c < 0xD800 || c > 0xDFFF; }

std::vector<std::u16string> runsOf(std::u16string_view text, bool numeralsRead = false) {
  std::vector<std::u16string> out;
  for (const dbcs::TextRun& r : dbcs::findTextRuns(text, holdsBmpOnly, numeralsRead))
    out.emplace_back(text.substr(r.at, r.length));
  return out;
}

TEST(TextRuns, RunsAreFoundWholeAndApart) {
  struct Case {
    std::u16string text;
    std::vector<std::u16string> runs;
  };
  const Case cases[] = {
      {u"税率は12.5%です。", {u"12.5%"}},
      {u"人口是1,234,567人。", {u"1,234,567"}},
      {u"我2026-12-10去。", {u"2026-12-10"}},
      {u"我们10:30出发。", {u"10:30"}},
      {u"电话是+86-10-1234-5678。", {u"+86-10-1234-5678"}},
      {u"请看http://example.com/a/b。", {u"http://example.com/a/b"}},
      {u"看https://x.org/?id=1&b=2了", {u"https://x.org/?id=1&b=2"}},
      {u"我看a:/b。", {u"a:/b"}},
      {u"我发到foo.bar@example.com了。", {u"foo.bar@example.com"}},
      {u"我买了iPhone 15。", {u"iPhone 15"}},
      {u"我说nǐ hǎo。", {u"nǐ hǎo"}},
      {u"我学C++和C#。", {u"C++", u"C#"}},
      {u"税率是１２．５％。", {u"１２．５％"}},
      // A full stop after a run ends the sentence: it is no part of the run.
      {u"I am OK.", {u"I am OK"}},
      {u"他1.5kg。她2m。", {u"1.5kg", u"2m"}},
      // A character the engine cannot hold is a run of its own, joined with a run beside it.
      {u"私は😀本を読んだ。", {u"😀"}},
      {u"ab😀cd", {u"ab😀cd"}},
      {u"我喝茶。", {}},
  };
  for (const Case& k : cases) EXPECT_EQ(runsOf(k.text), k.runs) << "case " << &k - cases;
}

TEST(TextRuns, BareDigitsAreLeftToTheNumeralRulesWhenAsked) {
  EXPECT_EQ(runsOf(u"我买了3本书。"), std::vector<std::u16string>{u"3"});
  EXPECT_TRUE(runsOf(u"我买了3本书。", true).empty());
  EXPECT_TRUE(runsOf(u"我２０２６年去。", true).empty());
  // Digits with separators or units stay runs.
  EXPECT_EQ(runsOf(u"我2026-12-10去，买了3kg。", true), (std::vector<std::u16string>{u"2026-12-10", u"3kg"}));
}

// A translator that puts the first character last: runs follow their stand-ins, byte for byte.
int rotate(std::u16string_view in, std::u16string& out) {
  out = in.empty() ? std::u16string() : std::u16string(in.substr(1)) + in[0];
  return 0;
}

TEST(TextRuns, RunsComeBackWhereTheirStandInsGo) {
  std::u16string out, carried;
  ASSERT_EQ(dbcs::translateAround(u"我12.5%他", holdsAll, rotate, out, carried), 0);
  EXPECT_EQ(out, u"12.5%他我");
  EXPECT_TRUE(carried.empty());
  out.clear();
  ASSERT_EQ(dbcs::translateAround(u"她1.5kg吃😀了", holdsBmpOnly, rotate, out, carried), 0);
  EXPECT_EQ(out, u"1.5kg吃😀了她");
  EXPECT_EQ(carried, u"😀");
}

TEST(TextRuns, ATranslationThatLosesAStandInIsTranslatedAroundTheRuns) {
  // Drops every ASCII letter: the stand-ins are lost, so each piece goes through on its own.
  const auto dropLetters = [](std::u16string_view in, std::u16string& out) {
    out.clear();
    for (char16_t c : in)
      if (!(c >= u'A' && c <= u'Z')) out += c;
    return 0;
  };
  std::u16string out, carried;
  ASSERT_EQ(dbcs::translateAround(u"我看http://a.com/b。他10:30去。", holdsAll, dropLetters, out, carried), 0);
  EXPECT_EQ(out, u"我看http://a.com/b。他10:30去。");
}

// The engine writes 込 and 畑 as 〓 unless a word renders them: 申し込む is a word.
int marks(std::u16string_view in, std::u16string& out) {
  out = in;
  for (std::size_t at; (at = out.find(u"申し込む")) != std::u16string::npos;) out.replace(at, 4, u"申办");
  for (char16_t& c : out)
    if (c == u'込' || c == u'畑') c = u'〓';
  // Reorders like a translator: the last character first.
  if (out.size() > 1) out = out.back() + out.substr(0, out.size() - 1);
  return 0;
}
bool writesAsMark(char16_t c) { return c == u'込' || c == u'畑'; }

TEST(TextRuns, OnlyCharactersNoWordRendersAreCarried) {
  struct Case {
    std::u16string text, out, carried;
  };
  const Case cases[] = {
      {u"申し込む。", u"。申办", u""},          // rendered by its word: not carried
      {u"込む。", u"。込む", u"込"},            // alone: the mark becomes the character
      {u"込込む。申し込む。", u"。込込む。申办", u"込込"},
      {u"込む畑。", u"。込む畑", u"込畑"},      // two such characters: carried as runs
      {u"〓込む。", u"。〓込む", u"込"},        // a mark of the text's own stays a mark
  };
  for (const Case& k : cases) {
    std::u16string out, carried;
    ASSERT_EQ(dbcs::translateAround(k.text, holdsAll, marks, out, carried, false, writesAsMark), 0);
    EXPECT_EQ(out, k.out) << "case " << &k - cases;
    EXPECT_EQ(carried, k.carried) << "case " << &k - cases;
  }
}

}  // namespace

TEST(TextRuns, CarriedMarksAtASentenceEdgeCutTheTextAroundThem) {
  std::vector<std::u16string> pieces;
  const auto record = [&](std::u16string_view in, std::u16string& out) {
    pieces.emplace_back(in);
    out = in;
    return 0;
  };
  std::u16string out, carried;
  ASSERT_EQ(dbcs::translateAround(u"😀我喝茶😀。你好😀", holdsBmpOnly, record, out, carried), 0);
  EXPECT_EQ(out, u"😀我喝茶😀。你好😀");
  EXPECT_EQ(pieces, (std::vector<std::u16string>{u"我喝茶", u"。你好"}));
  EXPECT_EQ(carried, u"😀😀😀");
  // Inside a sentence the mark stands in for a noun: one translation.
  pieces.clear();
  out.clear();
  ASSERT_EQ(dbcs::translateAround(u"我😀喝茶。", holdsBmpOnly, record, out, carried), 0);
  EXPECT_EQ(pieces, std::vector<std::u16string>{u"我QXAA喝茶。"});
  EXPECT_EQ(out, u"我😀喝茶。");
}
