#include "speech/reader/console_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::u16string joined(const std::vector<std::u16string_view>& pieces) {
  std::u16string all;
  for (std::u16string_view p : pieces) all += p;
  return all;
}

TEST(ConsoleText, LongTextIsCutIntoRequestsAtSentenceEnds) {
  // 40,000 units of sentences: two requests, the first ending at a full stop within the limit.
  std::u16string sentence = u"我们是学生，你们是老师。";
  std::u16string text;
  while (text.size() < 40000) text += sentence;
  std::vector<std::u16string_view> pieces = vocra::readingPieces(text);
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_LE(pieces[0].size(), vocra::kMaxRequestUnits);
  EXPECT_GT(pieces[0].size(), vocra::kMaxRequestUnits - sentence.size());
  EXPECT_EQ(pieces[0].back(), u'。');
  EXPECT_EQ(joined(pieces), text);

  // No clause end: cut at the limit, but never between the halves of a surrogate pair.
  std::u16string plain(10, u'中');
  plain.insert(6, u"\U0001F600");
  pieces = vocra::readingPieces(plain, 7);
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(pieces[0].size(), 6u);
  EXPECT_EQ(joined(pieces), plain);
  // A clause end in the later half wins over the limit; short text is one piece.
  pieces = vocra::readingPieces(u"中中中中，中中中", 6);
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(pieces[0], u"中中中中，");
  EXPECT_EQ(vocra::readingPieces(u"中文").size(), 1u);
  EXPECT_TRUE(vocra::readingPieces(u"").empty());
}

TEST(ConsoleText, TextWithNothingToReadOrNotUtf8IsNamed) {
  struct Case {
    const char16_t* text;
    bool readable;
  } cases[] = {{u"ひらがなカタカナ", false}, {u"。、！", false}, {u"", false}, {u"かな中", true},
               {u"2024", true},          {u"ＡＢＣ", true},   {u"abc", true}, {u"〇", true}};
  for (const Case& c : cases) EXPECT_EQ(vocra::hasReadableCharacter(c.text), c.readable);

  std::u16string out;
  EXPECT_TRUE(vocra::consoleTextToWide("\xE4\xB8\xAD\xEF\xBF\xBD", out));  // a written U+FFFD is text
  EXPECT_EQ(out, u"中\uFFFD");
  EXPECT_FALSE(vocra::consoleTextToWide("\xD6\xD0\xCE\xC4", out));  // 中文 in GBK
  EXPECT_FALSE(vocra::consoleTextToWide("\xC0\x80", out));          // overlong
}

}  // namespace
