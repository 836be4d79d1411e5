#include "apps/dictionary/tests/viewer_fixture.h"
#include "platform/core/codepage.h"

namespace {

using dicttest::cw;
using dict::kViewDictionary;

class HeadwordSearchTest : public dicttest::ViewerFixture {};

TEST_F(HeadwordSearchTest, QueriesBecomeKeys) {
  struct Case {
    int direction;
    std::u16string text;
    bool given, fromLink;
    std::string key;
    std::u16string box;
  } cases[] = {
      // Tone marks and tone digits give one key; digits go behind the letters.
      {1, u"ài", false, false, "AI4", u"ài"},
      {1, u"ai4", false, false, "AI4", u"ai4"},
      {1, u"Ài hào", false, false, "AIHAO44", u"Ài hào"},
      {1, u"bei3jing1", false, false, "BEIJING31", u"bei3jing1"},
      {1, u"ㄇㄚˇ", false, false, "MA3", u"ㄇㄚˇ"},
      // Hyphens of the search box go; traditional characters become simplified.
      {1, u"愛-好", false, false, cw(u"爱好"), u"爱好"},
      {1, u"爱…‐－好", false, false, cw(u"爱好"), u"爱…‐－好"},
      {0, u"あいさつ", false, false, "\xB1\xB2\xBB\xC2", u"あいさつ"},
      {0, u"ＡＢｃ １２", false, false, "ABC12", u"ＡＢｃ １２"},
      {0, u"12ab", false, false, "12AB", u"12ab"},
      {0, u"　 ", false, false, "", u"　 "},
      {0, u"ab\tcd", false, false, "AB", u"ab"},
      // Links: searched as they stand; the box shows the word.
      {1, u"1236-", true, true, "1236-", u""},
      {1, u"554-爱好", true, true, "554-" + cw(u"爱好"), u"爱好"},
      {1, u"好-hào", true, true, cw(u"好") + "-h\xA9o", u"好"},
      {0, u"あお-H青", true, true, "\x82\xA0\x82\xA8-H\x90\xC2", u"あお"},
      // The translator's word is prepared like typed text.
      {1, u"ài", true, false, "AI4", u"ài"},
      // A page selection names no record: digits and a hyphen are text.
      {0, u"3-4", true, false, "34", u"34"},
      {0, u"1-2月", true, false, "12\x8C\x8E", u"12月"},
      {1, u"100-0001", true, false, "1000001", u"1000001"},
  };
  for (const Case& c : cases) {
    s().direction = c.direction;
    std::u16string box;
    EXPECT_EQ(s().prepareKey(c.text, c.given, c.fromLink, box), c.key) << c.direction << " " << c.key;
    EXPECT_EQ(box, c.box) << c.key;
  }
  // A query of 51 characters is searched as its first 50.
  std::u16string box;
  s().direction = 0;
  EXPECT_EQ(s().prepareKey(std::u16string(51, u'a'), false, false, box), std::string(50, 'A'));
  EXPECT_EQ(box.size(), 50u);
}

TEST_F(HeadwordSearchTest, LongestMatchingReadingInRecordOrder) {
  ASSERT_EQ(search(0, u"あいさつう"), 2);
  const dict::ResultsView& v = s().current();
  EXPECT_EQ(v.list.lines, (std::vector<std::u16string>{u"あいさつ【挨拶】", u"あお【青】"}));
  EXPECT_FALSE(v.indexOrder);  // a kana key walks the record chain
  EXPECT_EQ(v.list.selected, 0);
  EXPECT_NE(page().find(u"<b>あいさつ【挨拶】<br>"), std::u16string::npos);
  EXPECT_EQ(v.searchWords, (std::vector<std::u16string>{u"あいさつう"}));
  // A kanji key walks the index.
  ASSERT_EQ(search(0, u"愛"), 4);
  EXPECT_TRUE(s().current().indexOrder);
  EXPECT_TRUE(notes_.messages.empty());
  // A word with no entry leaves the list but not the previous word's page; no message.
  const std::vector<std::u16string> lines = s().current().list.lines;
  EXPECT_FALSE(page().empty());
  EXPECT_EQ(search(0, u"ん"), 0);
  EXPECT_EQ(s().current().list.lines, lines);
  EXPECT_EQ(page().find(u"愛"), std::u16string::npos);
  EXPECT_TRUE(notes_.messages.empty());
}

// A headword key is stored as a search makes it: 盗む is found as itself, not as the first entry
// of its kanji (盗っ人, whose kana key ﾇｽｯﾄ comes first).
TEST_F(HeadwordSearchTest, KanjiAndKanaHeadwordsFindTheirOwnEntry) {
  build(dicttest::utf8(u8"ﾇｽｯﾄ|盗っ人\t{B}ぬすっと【盗っ人】\\n{C}贼\\n\n"
                       u8"ﾇｽﾐ|盗み\t{B}ぬすみ【盗み】\\n{C}偷窃\\n\n"
                       u8"ﾇｽﾑ|盗む\t{B}ぬすむ【盗む】\\n{C}偷\\n\n"
                       u8"ｼｰﾃﾞｨｰ|ＣＤ\t{B}シーディー【ＣＤ】\\n{C}光盘\\n\n"),
        dicttest::utf8(dicttest::kCjSource));
  const std::pair<const char16_t*, const char16_t*> cases[] = {
      {u"盗む", u"ぬすむ【盗む】"},   {u"盗っ人", u"ぬすっと【盗っ人】"}, {u"盗み", u"ぬすみ【盗み】"},
      {u"ぬすむ", u"ぬすむ【盗む】"}, {u"盗", u"ぬすっと【盗っ人】"},     {u"cd", u"シーディー【ＣＤ】"},
      {u"ＣＤ", u"シーディー【ＣＤ】"},
  };
  for (auto [query, line] : cases) {
    ASSERT_GT(search(0, query), 0);
    EXPECT_EQ(s().current().list.lines[0], line) << plat::wideToUtf8(query);
  }
}

TEST_F(HeadwordSearchTest, PinyinWithToneMarkOrDigitFindsTheSameList) {
  ASSERT_EQ(search(1, u"ài"), 4);
  const std::vector<std::u16string> lines = s().current().list.lines;
  EXPECT_EQ(lines, (std::vector<std::u16string>{u"爱 ài", u"爱好 àihào", u"好 hǎo", u"好 hào"}));
  EXPECT_TRUE(s().current().indexOrder);
  ASSERT_EQ(search(1, u"ai4"), 4);
  EXPECT_EQ(s().current().list.lines, lines);
  EXPECT_GT(s().current().list.horizontalExtent, 5);
}

TEST_F(HeadwordSearchTest, ListGrowsAtBothEnds) {
  for (bool pinyin : {true, false}) {
    s().viewAt(1, kViewDictionary).list.visibleLines = 1;  // two lines are filled
    ASSERT_EQ(search(1, pinyin ? u"aihao" : u"爱好"), 2) << pinyin;
    dict::ResultsView& v = s().current();
    EXPECT_EQ(v.indexOrder, pinyin);
    EXPECT_EQ(v.list.lines, (std::vector<std::u16string>{u"爱好 àihào", u"好 hǎo"}));
    // Another search between the extensions does not move this list's ends.
    ASSERT_EQ(search(0, u"あお"), 1);
    s().direction = 1;
    ASSERT_TRUE(s().extendListAtTop());
    EXPECT_FALSE(s().extendListAtTop());
    while (s().extendListAtBottom()) {
    }
    // In index order the pinyin keys are followed by the hanzi keys.
    ASSERT_EQ(v.list.lines.size(), pinyin ? 8u : 4u);
    EXPECT_EQ(std::vector<std::u16string>(v.list.lines.begin(), v.list.lines.begin() + 4),
              (std::vector<std::u16string>{u"爱 ài", u"爱好 àihào", u"好 hǎo", u"好 hào"}));
    EXPECT_EQ(v.list.selected, 1);  // the selection stays on its entry
    EXPECT_EQ(v.entries.size(), v.list.lines.size());
    EXPECT_EQ(v.entries.back().recordNumber, static_cast<std::int32_t>(cjFiles_.positions.back() - 2));
  }
  // A full list does not grow.
  dict::ResultsView& v = s().current();
  v.entries.resize(dict::kMaxListLines, v.entries.back());
  v.list.lines.resize(dict::kMaxListLines);
  v.bottom = v.entries[1];
  EXPECT_FALSE(s().extendListAtBottom());
  v.entries.pop_back();
  v.list.lines.pop_back();
  EXPECT_TRUE(s().extendListAtBottom());
  // Only the dictionary view grows.
  s().view = dict::kViewExamples;
  EXPECT_FALSE(s().extendListAtBottom());
  EXPECT_TRUE(notes_.messages.empty());
}

TEST_F(HeadwordSearchTest, HomographsGiveTheChoicePage) {
  ASSERT_EQ(search(1, u"好"), 1);
  EXPECT_EQ(page(),
            u"<html>\r\n<body scroll=no>\r\n<font size  =3>\r\n<font color=blue face=\"ZQ-GB Mincho\">"
            u"<A href=\"好-hǎo\">【好 hǎo】</A><BR>\r\n<A href=\"好-hào\">【好 hào】</A><BR>\r\n"
            u"</font></body>\r\n</html>\r\n");
  EXPECT_TRUE(sink_.ended);
  EXPECT_EQ(s().current().list.selected, -1);
  // The link chooses the reading.
  ASSERT_EQ(s().searchHeadword(u"好-hào", false, true), 1);  // the last record
  EXPECT_EQ(s().current().list.lines[0], u"好 hào");
  EXPECT_EQ(s().current().list.selected, -1);  // a link selects nothing
  EXPECT_EQ(s().searchBox, u"好");
  // A search that is not the user's, and a pinyin with one reading, show no choice.
  s().searchBox = u"好";
  EXPECT_EQ(s().searchHeadword(std::nullopt, false), 2);
  EXPECT_EQ(s().current().list.lines[0], u"好 hǎo");
}

TEST_F(HeadwordSearchTest, DirectReferenceReadsTheRecord) {
  // The first body is padded so that the second record is record 1236, at byte 1238.
  const std::string second = dicttest::utf8(u8"爱好|AIHAO44\t{C}爱好 àihào\\n{J}趣味\\n\n");
  std::string first = dicttest::utf8(u8"爱|AI4\t{C}爱 ài\\n{J}");
  build(dicttest::utf8(dicttest::kJcSource), first + "\n" + second);
  first += std::string(1238 - cjFiles_.positions[1], 'x') + "\n";
  build(dicttest::utf8(dicttest::kJcSource), first + second);
  ASSERT_EQ(cjFiles_.positions[1], 1238u);
  s().direction = 1;
  ASSERT_EQ(s().searchHeadword(u"1236-", false, true), 1);
  EXPECT_EQ(s().current().entries[0].recordNumber, 1236);
  EXPECT_EQ(s().current().list.lines[0], u"爱好 àihào");
  EXPECT_FALSE(s().current().indexOrder);
  EXPECT_EQ(s().searchBox, u"");
  // The compound links of a page name records so.
  ASSERT_EQ(s().searchHeadword(u"0510-爱", false, true), 2);
  EXPECT_EQ(s().current().list.lines, (std::vector<std::u16string>{u"爱 ài", u"爱好 àihào"}));
  EXPECT_EQ(s().searchBox, u"爱");
  // A number that is no record leaves the list as it was, with the file message.
  const std::vector<std::u16string> before = s().current().list.lines;
  EXPECT_EQ(s().searchHeadword(u"999999-", false, true), 0);
  EXPECT_EQ(s().current().list.lines, before);
  ASSERT_EQ(notes_.messages.size(), 1u);
  EXPECT_EQ(notes_.messages[0].text, u"辞書ファイルが読み込みできません");
}

// Only an entry page's link names a record. Typed or selected text that becomes digits and '-'
// only once normalised (full-width forms, other dashes, a leading space, … or －) is searched:
// it never shows the entry stored at that number, nor the file message for a number that names
// no record, while the user is still typing.
TEST_F(HeadwordSearchTest, TypedOrSelectedTextIsNeverReadAsARecordNumber) {
  auto wide = [](const std::u16string& ascii) {
    std::u16string w;
    for (char16_t c : ascii) w.push_back(c >= u'0' && c <= u'9' ? static_cast<char16_t>(c - u'0' + u'０') : c);
    return w;
  };
  for (int d : {0, 1}) {
    // Not the first entry in key order, where a search for digits lands.
    const std::uint32_t position = d == 0 ? jcFiles_.positions[2] : cjFiles_.positions[2];
    const std::string digits = std::to_string(position - 2);
    const std::u16string n(digits.begin(), digits.end());
    const std::u16string texts[] = {
        n + u"-",          wide(n) + u"－",        wide(n) + u"－０００１", n + u"\u2212",       n + u"\u2010",
        n + u"\u2212" + n, u" " + n + u"-",       u"　" + wide(n) + u"－", u"…" + n + u"-",      u"－" + n + u"-",
        n + u"-0001",      wide(n) + u"-",         u"１００－",            u"１００－０００１",     u"100\u22120001",
        u"3-4",            u"1-2月",               u"5-",                  u"99999999999－",
    };
    for (const std::u16string& text : texts) {
      for (bool typed : {true, false}) {
        s().direction = d;
        if (typed) {
          s().searchBox = text;
          s().searchHeadword(std::nullopt, true);
        } else {
          s().searchHeadword(text, true);  // a selection of the page
        }
        const std::string what = plat::wideToUtf8(text) + (typed ? " typed" : " selected") + " in " + std::to_string(d);
        EXPECT_TRUE(notes_.messages.empty()) << what << ": " << plat::wideToUtf8(notes_.messages.empty() ? u"" : notes_.messages[0].text);
        notes_.messages.clear();
        const auto& entries = s().current().entries;
        if (!entries.empty()) EXPECT_NE(entries[0].recordNumber, static_cast<std::int32_t>(position - 2)) << what;
        for (const std::u16string& line : s().current().list.lines) EXPECT_FALSE(line.empty()) << what;
      }
    }
    // The same number from a link reads the record.
    s().direction = d;
    ASSERT_GT(s().searchHeadword(n + u"-", true, true), 0) << d;
    EXPECT_EQ(s().current().entries[0].recordNumber, static_cast<std::int32_t>(position - 2));
  }
  EXPECT_TRUE(notes_.messages.empty());
}

TEST_F(HeadwordSearchTest, SearchWordsAndViews) {
  // From the user at once; from a link when an entry is shown.
  search(1, u"ài");
  s().searchHeadword(u"爱好", false, true);
  dict::ResultsView& v = s().current();
  EXPECT_EQ(v.searchWords, (std::vector<std::u16string>{u"ài"}));
  EXPECT_TRUE(v.searchWordPending);
  v.list.selected = 0;
  s().showSelectedEntry();
  EXPECT_EQ(v.searchWords, (std::vector<std::u16string>{u"爱好", u"ài"}));
  EXPECT_FALSE(v.searchWordPending);

  std::vector<std::u16string> list;
  for (char16_t c = u'a'; c <= u'k'; ++c) dict::addSearchWord(list, std::u16string(1, c));
  EXPECT_EQ(list.size(), 10u);
  EXPECT_EQ(list.front(), u"k");
  EXPECT_EQ(list.back(), u"b");
  dict::addSearchWord(list, u"e");
  EXPECT_EQ(list[0], u"e");
  EXPECT_EQ(std::count(list.begin(), list.end(), u"e"), 1);

  // A link from the history view searches in the dictionary view; a search that is not the
  // user's does not run in the examples view.
  s().view = dict::kViewHistory;
  EXPECT_EQ(s().searchHeadword(u"爱", false, true), 4);
  EXPECT_EQ(s().view, kViewDictionary);
  s().view = dict::kViewExamples;
  EXPECT_EQ(s().searchHeadword(std::nullopt, false), 0);
  // An unknown key leaves the list as it was.
  const std::vector<std::u16string> before = s().viewAt(1, kViewDictionary).list.lines;
  s().view = kViewDictionary;
  EXPECT_EQ(search(1, u"zzz"), 0);
  EXPECT_EQ(s().current().list.lines, before);
}

}  // namespace
