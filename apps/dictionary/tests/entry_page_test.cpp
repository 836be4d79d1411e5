#include "apps/dictionary/entry_links.h"
#include "apps/dictionary/tests/viewer_fixture.h"

namespace {

using dict::readAloudLink;

class EntryPageTest : public dicttest::ViewerFixture {
 protected:
  // The pronunciation characters of a numbered pinyin read with its hanzi.
  std::u16string sound(std::u16string_view pinyin, std::u16string_view hanzi) {
    std::u16string out;
    EXPECT_EQ(dict::pronunciationOf(tables_.pronunciation, pinyin, hanzi, out), 0);
    return out;
  }
};

constexpr char16_t kStart[] = u"<html>\r\n<body scroll=no>\r\n<font size  =3>\r\n";
constexpr char16_t kBlack[] = u"<font color=black face=\"ＭＳ ゴシック\">";
constexpr char16_t kBlue[] = u"<font color=blue face=\"ZQ-GB Mincho\">";
constexpr char16_t kEnd[] = u"</font></body>\r\n</html>\r\n";

std::u16string toBlack() { return std::u16string(u"</font>") + kBlack; }
std::u16string toBlue() { return std::u16string(u"</font>") + kBlue; }

TEST_F(EntryPageTest, ChineseEntryWithReadAloudAndCompounds) {
  ASSERT_EQ(search(1, u"爱"), 4);
  const std::u16string expected = kStart + std::u16string(kBlack) + toBlue() + u"爱 ài" + readAloudLink(sound(u"ài", u"爱")) +
                                  u"<br>\r\n" + toBlack() + u"愛する．↓<br>\r\n" + toBlue() + u"我爱你" +
                                  readAloudLink(u"我爱你") + u".<br>\r\n" + u"<A href=\"" + cjNumber(1) +
                                  u"-爱好\">爱好 àihào</A><br>" + kEnd;
  EXPECT_EQ(page(), expected);
  EXPECT_TRUE(sink_.ended);

  // Example words are searches; the headword's reading is in its characters.
  ASSERT_EQ(search(1, u"爱好"), 3);
  EXPECT_EQ(page(), kStart + std::u16string(kBlack) + toBlue() + u"爱好 àihào" +
                        readAloudLink(sound(u"àihào", u"爱好")) + u"<br>\r\n" + toBlack() + u"趣味<br>\r\n" +
                        toBlue() + u"<A href=\"爱好\">爱好</A>音乐" + readAloudLink(u"爱好音乐") + u".<br>\r\n" + kEnd);
}

TEST_F(EntryPageTest, JapaneseEntryWithReference) {
  ASSERT_EQ(search(0, u"あい"), 3);
  EXPECT_EQ(page(), kStart + std::u16string(kBlack) + u"<b>あい【愛】<br>\r\n</b>" + toBlue() + u"爱，爱情" +
                        readAloudLink(u"爱爱情") + u"<br>\r\n" + toBlack() +
                        u"→<A href=\"J_あいさつ-挨拶\">あいさつ（挨拶）</A><br>\r\n" + kEnd);
  ASSERT_EQ(search(0, u"あいさつ"), 2);
  EXPECT_EQ(page(), kStart + std::u16string(kBlack) + u"<b>あいさつ【挨拶】<br>\r\n</b>" + toBlue() + u"问候" +
                        readAloudLink(u"问候") + u"<br>\r\n" + toBlack() + u"例：" + toBlue() + u"向老师问候" +
                        readAloudLink(u"向老师问候") + u".<br>\r\n" + kEnd);
}

TEST_F(EntryPageTest, RendersOnlyWhatChanged) {
  std::vector<std::int32_t> history;
  s().addToHistory = [&](int, const dict::DictionaryEntry& e) { history.push_back(e.recordNumber); };
  ASSERT_EQ(search(1, u"爱"), 4);
  const int clears = sink_.clears;
  s().renderEntry(0, true, 3);  // the same record at the same size
  EXPECT_EQ(sink_.clears, clears);
  s().renderEntry(0, true, 6);
  EXPECT_EQ(sink_.clears, clears + 1);
  EXPECT_EQ(page().rfind(u"<html>\r\n<body scroll=no>\r\n<font size  =6>\r\n", 0), 0u);
  s().renderEntry(1, true, 6);
  EXPECT_NE(page().find(u"趣味"), std::u16string::npos);
  EXPECT_EQ(history, (std::vector<std::int32_t>{static_cast<std::int32_t>(cjFiles_.positions[0] - 2),
                                                static_cast<std::int32_t>(cjFiles_.positions[0] - 2),
                                                static_cast<std::int32_t>(cjFiles_.positions[1] - 2)}));
  // An entry restored from the history keeps only its number: the record is read first.
  dict::ResultsView& v = s().current();
  dict::DictionaryEntry restored;
  restored.nextRecord = static_cast<std::int32_t>(cjFiles_.positions[3] - 2);
  v.entries[0] = restored;
  s().renderEntry(0, false, 6);
  EXPECT_EQ(v.entries[0].recordNumber, static_cast<std::int32_t>(cjFiles_.positions[3] - 2));
  EXPECT_NE(page().find(u"好む"), std::u16string::npos);
  EXPECT_EQ(history.back(), v.entries[0].recordNumber);
}

TEST_F(EntryPageTest, EdgesOfTheBody) {
  // Ten compounds of 爱 follow it: the page lists eight. 啊 has no line end.
  std::string cj = dicttest::utf8(u8"爱|AI4\t{C}爱 ài\\n{J}↓\\n\n");
  const char8_t* second[] = {u8"人", u8"好", u8"情", u8"国", u8"心", u8"护", u8"惜", u8"慕", u8"戴", u8"称"};
  for (const char8_t* c : second)
    cj += dicttest::utf8(u8"爱") + dicttest::utf8(c) + "\t{C}" + dicttest::utf8(u8"爱") + dicttest::utf8(c) + "\\n\n";
  cj += dicttest::utf8(u8"啊|A1\t{C}啊 ā {J}ああ\n");
  build(dicttest::utf8(dicttest::kJcSource), cj);
  ASSERT_GT(search(1, u"爱"), 0);
  const std::u16string p = page();
  size_t links = 0;
  for (size_t at = p.find(u"<A href="); at != std::u16string::npos; at = p.find(u"<A href=", at + 1)) ++links;
  EXPECT_EQ(links, 8u);
  EXPECT_NE(p.find(u"-爱慕\">爱慕</A><br>"), std::u16string::npos);
  EXPECT_EQ(p.find(u"爱戴"), std::u16string::npos);

  ASSERT_GT(search(1, u"ā"), 0);
  EXPECT_EQ(page(), kStart + std::u16string(kBlack) + toBlue() + u"啊 ā " + toBlack() + u"ああ" + kEnd);
}

}  // namespace
