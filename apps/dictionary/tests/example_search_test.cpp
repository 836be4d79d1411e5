#include "apps/dictionary/tests/viewer_fixture.h"
#include "platform/core/codepage.h"

namespace {

using dicttest::cw;

std::string sj(std::u16string_view text) { return plat::wideToMultiByte(932, text); }

std::u16string number(long n) {
  std::string s = std::to_string(n);
  return std::u16string(s.begin(), s.end());
}

class ExampleSearchTest : public dicttest::ViewerFixture {
 protected:
  // count lines that hold 学生 among lines that do not.
  void writeExamples(int count, int others = 2) {
    std::vector<std::pair<std::string, std::string>> lines;
    for (int i = 0; i < count; ++i) {
      for (int k = 0; k < others; ++k) lines.emplace_back(sj(u"先生です。"), cw(u"是老师。"));
      lines.emplace_back(sj(u"学生" + number(i + 1)), cw(u"学生" + number(i + 1)));
    }
    write(lines);
  }
  void write(const std::vector<std::pair<std::string, std::string>>& lines) {
    ASSERT_TRUE(dev_.write(dicttest::kExamples, datagen::writeExamples(lines)));
  }
  void searchFor(int direction, std::u16string_view text) {
    s().view = dict::kViewExamples;
    search(direction, text);
  }
  dict::ResultsView& examples() { return s().viewAt(s().direction, dict::kViewExamples); }
};

std::u16string hitLine(int i) {
  return u"<font color=black face=\"ＭＳ ゴシック\">学生" + number(i) +
         u"</font>｜<font color=blue face=\"ZQ-GB Mincho\">学生" + number(i) + u"</font><BR>\n";
}

constexpr char16_t kHead[] = u"<HTML>\n<BODY>\n<font size=\"3\">\n";
constexpr char16_t kTail[] = u"</BODY>\n</HTML>\n";

TEST_F(ExampleSearchTest, TwentyHitsMakeOnePageWithoutBar) {
  writeExamples(20);
  searchFor(0, u"学生");
  EXPECT_EQ(examples().hitCount, 20);
  EXPECT_EQ(examples().pageCount, 1);
  std::u16string expected = kHead + std::u16string(u"<DIV align=center class=jp>検索結果中 1 - 20 件を表示</DIV>\n<BR>");
  for (int i = 1; i <= 20; ++i) expected += hitLine(i);
  EXPECT_EQ(page(), expected + kTail);
  EXPECT_EQ(examples().hits.back(), dict::kHitsFileEnd);
}

TEST_F(ExampleSearchTest, TwentyOneHitsMakeTwoPages) {
  writeExamples(21);
  searchFor(1, u"学生");  // the Chinese field
  ASSERT_EQ(examples().pageCount, 2);
  const std::u16string bar1 =
      u"<DIV align=center class=jp>[1] <A href=\"app:SETPAGE_2\">2</A> <A href=\"app:SETPAGE_2\">次</A> </DIV>";
  std::u16string expected = kHead + std::u16string(u"<DIV align=center class=jp>検索結果中 1 - 20 件を表示</DIV>\n") +
                            bar1 + u"<BR>";
  for (int i = 1; i <= 20; ++i) expected += hitLine(i);
  EXPECT_EQ(page(), expected + u"<BR>" + bar1 + kTail);

  const std::u16string bar2 =
      u"<DIV align=center class=jp><A href=\"app:SETPAGE_1\">前</A> <A href=\"app:SETPAGE_1\">1</A> [2] </DIV>";
  s().searchExamples(2);
  EXPECT_EQ(page(), kHead + std::u16string(u"<DIV align=center class=jp>検索結果中 21 - 21 件を表示</DIV>\n") + bar2 +
                        u"<BR>" + hitLine(21) + u"<BR>" + bar2 + kTail);
  // A page past the last is the last.
  s().searchExamples(7);
  EXPECT_EQ(examples().page, 2);
  EXPECT_NE(page().find(u"検索結果中 21 - 21 件"), std::u16string::npos);
  s().searchExamples(2147483647);
  EXPECT_EQ(examples().page, 2);
  s().searchExamples(-3);  // a new search
  EXPECT_EQ(examples().page, 1);
}

TEST_F(ExampleSearchTest, HitsStopAtTheLimit) {
  for (int count : {1001, 1000}) {
    writeExamples(count, 0);
    searchFor(0, u"学生");
    s().searchExamples(50);
    dict::ResultsView& v = examples();
    EXPECT_EQ(v.hitCount, 1000) << count;
    EXPECT_EQ(v.pageCount, 50);
    EXPECT_EQ(v.hits.size(), 1001u);
    const bool over = count > 1000;
    EXPECT_EQ(v.hits.back(), over ? dict::kHitsLimit : dict::kHitsFileEnd);
    const std::u16string p = page();
    EXPECT_EQ(p.find(u"<FONT color=red>検索結果が多すぎます。一部省略されました。</FONT>") != std::u16string::npos, over);
    // Pages 41 to 50 around the last page.
    EXPECT_NE(p.find(u"<DIV align=center class=jp><A href=\"app:SETPAGE_49\">前</A> <A href=\"app:SETPAGE_41\">41</A> "),
              std::u16string::npos);
    EXPECT_NE(p.find(u"<A href=\"app:SETPAGE_49\">49</A> [50] </DIV>"), std::u16string::npos);
    EXPECT_NE(p.find(hitLine(1000)), std::u16string::npos);
  }
}

TEST_F(ExampleSearchTest, ScanGoesOnWhereItStopped) {
  writeExamples(300);
  searchFor(0, u"学生");
  // The first pages need 200 hits.
  EXPECT_EQ(examples().hitCount, 200);
  EXPECT_EQ(examples().hits.back(), dict::kHitsMayFollow);
  s().searchExamples(12);
  EXPECT_EQ(examples().hitCount, 300);
  EXPECT_EQ(examples().hits.back(), dict::kHitsFileEnd);
  EXPECT_NE(page().find(u"[12] "), std::u16string::npos);
  EXPECT_NE(page().find(hitLine(221)), std::u16string::npos);
  EXPECT_EQ(page().find(hitLine(241)), std::u16string::npos);
}

TEST_F(ExampleSearchTest, WordsMatchOutsideMarkupAndNotes) {
  write({
      {sj(u"カタカナで書く"), cw(u"写")},                     // katakana equals hiragana
      {sj(u"〔かたかな〕で書く"), cw(u"写")},                 // a note
      {sj(u"<かたかな>で書く"), cw(u"写")},                   // markup
      {sj(u"かた（＝かな）で書く"), cw(u"写")},               // an explanation
      {sj(u"かたかな、ひらがなで書く"), cw(u"写")},
      {sj(u"長いかたかなを書く") + std::string(9000, 'x'), cw(u"写")},  // longer than a chunk
      {sj(u"書くかたかな"), cw(u"写")},
  });
  searchFor(0, u"かたかな 書く");
  ASSERT_EQ(examples().hitCount, 4);
  EXPECT_NE(page().find(u"カタカナで書く"), std::u16string::npos);
  EXPECT_NE(page().find(u"書くかたかな</font>"), std::u16string::npos);
  EXPECT_NE(page().find(u">長いかたかなを書くxxx"), std::u16string::npos);
  // Other characters separate words; a query with none is refused.
  searchFor(0, u"ab 12");
  EXPECT_EQ(page(), kHead + std::u16string(u"検索対象を入力してください。<BR>\n") + kTail);
  searchFor(0, u"ひらがな");
  EXPECT_EQ(examples().hitCount, 1);
  // Fifteen words at most: a sixteenth that occurs nowhere is not asked for.
  searchFor(0, u"ひ ら が な、ひ ら が な ひ ら が な ひ ら が ぬ");
  EXPECT_EQ(examples().exampleWords.size(), 15u);
  EXPECT_EQ(examples().hitCount, 1);
  searchFor(0, u"ぬ");
  EXPECT_EQ(page(), kHead + std::u16string(u"該当する項目が見つかりませんでした。<BR>\n") + kTail);
  EXPECT_TRUE(notes_.messages.empty());
}

TEST_F(ExampleSearchTest, MissingFileIsReported) {
  searchFor(0, u"学生");
  ASSERT_EQ(notes_.messages.size(), 1u);
  EXPECT_EQ(notes_.messages[0].text, u"例文ファイルが見つかりません。");
  EXPECT_EQ(notes_.messages[0].caption, u"エラー");
  EXPECT_EQ(notes_.messages[0].flags, plat::kMbOk | plat::kMbIconExclamation);
}

TEST(HtmlWriterTest, PiecesOfAtMost1023Characters) {
  dict::RecordingHtmlSink sink;
  dict::HtmlWriter writer(sink);
  writer.beginPage();
  std::u16string text(2500, u'a');
  text[1022] = 0xD840;  // a pair across the end of the first piece stays whole
  text[1023] = 0xDC00;
  writer.writeHtml(text);
  EXPECT_FALSE(sink.ended);
  writer.endPage();
  ASSERT_EQ(sink.pieces.size(), 3u);
  EXPECT_EQ(sink.pieces[0].size(), 1022u);
  EXPECT_EQ(sink.pieces[1].size(), 1023u);
  EXPECT_EQ(sink.text(), text);
  EXPECT_TRUE(sink.ended);
  writer.beginPage();
  EXPECT_TRUE(sink.pieces.empty());
  EXPECT_EQ(sink.clears, 2);
}

}  // namespace
