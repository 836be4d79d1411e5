#include "apps/dictionary/tests/dictionary_fixture.h"

namespace {

using dict::DictionaryEntry;
using dicttest::ctl;
using dicttest::cw;

DictionaryEntry withBody(const std::string& body) {
  DictionaryEntry e;
  e.body = body;
  return e;
}

TEST(EntryTextTest, NormaliseToHalfWidth) {
  struct Case {
    const char* in;
    const char* want;
    bool kept;
  } cases[] = {
      {"ＡＢｃｚ", "ABcz", false},
      {"０９", "09", false},
      {"（！）＜＝＞｛｝", "(!)<=>{}", false},
      {"￥　", "\\ ", false},
      {"あがぱ", "\xB1\xB6\xDE\xCA\xDF", false},
      {"アミムン", "\xB1\xD0\xD1\xDD", false},  // katakana on both sides of the unused trail 0x7F
      {"ヴヶ", "\xB3\xDE\xB9", false},
      {"。「」、・ー", "\xA1\xA2\xA3\xA4\xA5\xB0", false},
      {"漢a字", "漢a字", true},
      {"ab", "ab", false},
  };
  for (const Case& c : cases) {
    std::string out;
    EXPECT_EQ(dict::normaliseToHalfWidth(c.in, out), c.kept) << c.want;
    EXPECT_EQ(out, c.want);
  }
}

TEST(EntryTextTest, TonePinyinToDigitsAndRemoveSpaces) {
  struct Case {
    std::string in, want;
  } cases[] = {
      {"\xA6", "A1"},  {"\xBF", "A1"},  // both runs of toned vowels
      {"\xA9", "A4"},  {"\xBA", "V1"},  {"\xBE", "V"},  {"\xD7", "V"},
      {"ni\xA8", "niA3"}, {"\xD8", "\xD8"},
      {"\x88\xA6", "\x88\xA6"},  // a trail byte is not a vowel
  };
  for (const Case& c : cases) EXPECT_EQ(dict::tonePinyinToDigits(c.in), c.want) << c.in;
  EXPECT_EQ(dict::removeSpaces("a b\xA5" "c "), "abc");
  EXPECT_EQ(dict::removeSpaces("\x81\x40x"), "\x81\x40x");
}

TEST(EntryTextTest, HeadwordAndListText) {
  EXPECT_EQ(dict::extractHeadwordLine(withBody(ctl('B') + "＊あい/ん★\r\nrest")), "あいん");
  EXPECT_EQ(dict::extractHeadwordLine(withBody("abc\rdef")), "  abc");
  EXPECT_EQ(dict::extractListText(withBody("x" + ctl('B') + "あ（い）う‐＊え" + ctl('J') + "お")), "あうえ");
  EXPECT_EQ(dict::extractListText(withBody(ctl('B') + "あい【愛】\r\n")), "あい【愛】");
  // A control pair inside the brackets keeps them out.
  EXPECT_EQ(dict::extractListText(withBody(ctl('B') + "あ【" + ctl('J') + "x】")), "あ");
  EXPECT_EQ(dict::extractListText(withBody("no bold text")), "");
}

TEST(EntryTextTest, HanziKanaAndPinyin) {
  const std::string zhong = cw(u"中"), guo = cw(u"国");
  struct Case {
    std::string body;
    bool ellipsis;
    std::string want;
  } hanzi[] = {
      {"ab" + zhong + "…" + guo + "x", true, zhong + "…" + guo},
      {zhong + "…" + guo, false, zhong + guo},
      {zhong + "," + guo, false, zhong + guo},
      {zhong + "a" + guo, false, zhong},
      {zhong + "。" + guo, false, zhong},
      {zhong + "－‐" + guo, false, zhong + guo},
  };
  for (const Case& c : hanzi) EXPECT_EQ(dict::extractHanzi(withBody(c.body), c.ellipsis), c.want);
  EXPECT_EQ(dict::extractKana(withBody("漢あ漢い")), "あい");
  EXPECT_EQ(dict::extractKana(withBody("あaい")), "あ");
  EXPECT_EQ(dict::extractKana(withBody("x…ア・ーい。う")), "ア・ーい");
  EXPECT_EQ(dict::extractPinyin(withBody(zhong + guo + " zh\xB2ng gu\xB3, x\r\nmore")), "zh\xB2ng gu\xB3, x");
  EXPECT_EQ(dict::extractPinyin(withBody(ctl('C') + zhong + " h\xA7ng" + ctl('J'))), "h\xA7ng");
  // Once collecting, a control pair ends the pinyin: the text it switches to is not pinyin.
  EXPECT_EQ(dict::extractPinyin(withBody(zhong + " h\xA7ng" + ctl('J') + "abc")), "h\xA7ng");
}

}  // namespace
