#include "engine/cj/analysis/text_checks.h"

#include <gtest/gtest.h>

#include "engine/cj/analysis/tests/cj_dictionary_fixture.h"

namespace cj {
namespace {

using cjtest::engineText;
using cjtest::readableText;

class TextChecksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_EQ(loadWordTableText(cjtest::controlledWordTable(), &error), kWordTableLoaded) << error;
  }
};

TEST_F(TextChecksTest, HanziAndCodeErrors) {
  EXPECT_TRUE(lacksHanzi(""));
  EXPECT_TRUE(lacksHanzi("abc 123"));
  EXPECT_TRUE(lacksHanzi(engineText("。，（）１２")));
  EXPECT_FALSE(lacksHanzi(engineText("ab中")));
  EXPECT_TRUE(lacksHanzi("\x87\x49"));   // just below the first hanzi
  EXPECT_FALSE(lacksHanzi("\x87\x4A"));
  EXPECT_TRUE(lacksHanzi("ab\x88"));     // a lead byte at the end is no character

  const std::string geta = "\x81\xAC";
  struct Case {
    std::string text;
    int errors;
    int counter;
  } cases[] = {
      {engineText("中国abc"), 0, 0},
      {"\x88\x20", 1, 0},           // trail byte out of range
      {"a\x80z\x7F", 2, 0},         // bytes that start no character
      {"\xA1\xA4", 0, 0},           // single-byte full stop and comma
      {"\xA5\xDF", 2, 0},
      {"a\x88", 0, 0},              // lead byte at the end ends the walk
      {geta, 0, 1},
      {geta + geta, 0, 1},
      {geta + geta + geta + geta + geta + geta, 0, 3},
      {geta + geta + geta + geta + geta + geta + geta, 0, 4},
  };
  for (const Case& c : cases) {
    int counter = 0;
    EXPECT_EQ(countCodeErrors(c.text, counter), c.errors) << readableText(c.text);
    EXPECT_EQ(counter, c.counter) << readableText(c.text);
  }
}

// Every sentence of a text, as the driver's loop takes them, written "sentence|mark" in UTF-8.
std::vector<std::string> splitAll(const std::string& text) {
  std::vector<std::string> out;
  std::string sentence, mark;
  for (std::size_t p = 0; p < text.size() && out.size() < 50;) {
    std::size_t next = nextChineseSentence(text, sentence, p, mark);
    EXPECT_GT(next, p) << readableText(text);
    if (next <= p) break;
    out.push_back(readableText(sentence) + "|" + readableText(mark));
    p = next;
  }
  return out;
}

TEST_F(TextChecksTest, SplitsSentencesByMarksNumbersBracketsAndLength) {
  struct Case {
    const char* what;
    std::string text;
    std::vector<std::string> sentences;
  } cases[] = {
      {"decimal point", "3.5", {"3.5|"}},
      {"point before a space", "3. 5", {"3.|.", " |", "5|"}},
      {"point at the end", "ab.", {"ab.|."}},
      {"thousands group", "1,000", {"1,000|"}},
      {"two digits after a comma", "1,00", {"1,|,", "00|"}},
      {"comma between non-digits", "a,b", {"a,|,", "b|"}},
      {"time of day", "10:30", {"10:30|"}},
      {"space ends and stays", "a b", {"a |", "b|"}},
      {"trailing bracket becomes the next sentence", "X(Y)", {"X|", "(Y)|)"}},
      {"trailing bracket after a space", "X(Y) ", {"X|", "(Y) |)"}},
      {"bracket at the start stays", "(Y)", {"(Y)|)"}},
      {"bracket pair run", "X(a)(b)", {"X|", "(a)(b)|)"}},
      {"open bracket never closed", "X(Y", {"X(Y|("}},
      {"line ends dropped", "a\r\nb.c", {"ab.|.", "c|"}},
      {"double-byte marks", engineText("中国。人民！"), {"中国。|。", "人民！|！"}},
      {"double-byte decimal point", engineText("３。５米"), {"３。５米|"}},
      {"other double-byte point", engineText("３．５米"), {"３．|．", "５米|"}},
      {"double-byte comma in a number", engineText("１，０００人"), {"１，０００人|"}},
      {"double-byte bracket", engineText("中（国）"), {"中|", "（国）|）"}},
      {"mark inside brackets still ends", "a(b.c)d", {"a(b.|.", "c)d|"}},
  };
  for (const Case& c : cases) EXPECT_EQ(splitAll(c.text), c.sentences) << c.what;
}

TEST_F(TextChecksTest, LongSentenceIsCutAtThreeHundredBytes) {
  std::string sentence, mark;
  const std::string singles(350, 'a');
  EXPECT_EQ(nextChineseSentence(singles, sentence, 0, mark), 300u);
  EXPECT_EQ(sentence.size(), 300u);
  // A double-byte character across the limit stays whole.
  const std::string crossing = std::string(299, 'a') + engineText("中") + "bbb";
  EXPECT_EQ(nextChineseSentence(crossing, sentence, 0, mark), 301u);
  EXPECT_EQ(sentence.size(), 301u);
  EXPECT_TRUE(mark.empty());
  // A lead byte without its trail closes the sentence.
  EXPECT_EQ(nextChineseSentence("ab\x88", sentence, 0, mark), 3u);
  EXPECT_EQ(sentence, "ab");
}

TEST_F(TextChecksTest, SentenceEndInNumbersAndModes) {
  const std::string text = "1.5";
  EXPECT_EQ(allowsSentenceEnd('z', ".", text, 2), 0);
  EXPECT_EQ(allowsSentenceEnd('f', ".", text, 2), 1);
  EXPECT_EQ(allowsSentenceEnd('z', "!", "1!5", 2), 1);
  EXPECT_EQ(allowsSentenceEnd('z', ".", ".5", 1), 1);  // at the text's start
  EXPECT_EQ(allowsSentenceEnd('z', ",", "1,5", 2), 1);  // a comma needs three digits after it
  EXPECT_EQ(allowsSentenceEnd('z', ",", "1,500", 2), 0);
  // The character before the mark is a whole character, not a trail byte that looks like a digit.
  const std::string trailDigit = "\x88\x35.5";
  EXPECT_EQ(allowsSentenceEnd('z', ".", trailDigit, 3), 1);
}

TEST_F(TextChecksTest, EnumerationPrefixes) {
  struct Case {
    std::string sentence;
    std::string prefix;
  } cases[] = {
      {engineText("(1)中国"), engineText("(1)")},
      {engineText("(1]中国"), ""},
      {engineText("1、中国"), engineText("1、")},
      {engineText("1)中国"), engineText("1)")},
      {engineText("[3] 中国"), engineText("[3] ")},
      {engineText("（12）、中国"), engineText("（12）、")},
      {engineText("【a】中国"), engineText("【a】")},
      {engineText("(1)"), ""},
      {engineText("(12"), ""},
      {engineText("中国"), ""},
  };
  for (const Case& c : cases) {
    std::string prefix = "stale";
    extractEnumerationPrefix(c.sentence, prefix);
    EXPECT_EQ(readableText(prefix), readableText(c.prefix)) << readableText(c.sentence);
  }
}

TEST_F(TextChecksTest, EnumerationCharactersAndRanges) {
  std::map<std::string, std::vector<std::string>> lists;
  lists["textChecks.enumerationRanges"] = {"啊", "阿", "丁", "丁", "丁", "丁", "丁", "丁"};
  ASSERT_EQ(loadWordTableText(cjtest::controlledWordTable(lists)), kWordTableLoaded);
  const std::vector<std::string>& listed = listedWords("textChecks.enumerationChars");
  ASSERT_EQ(listed.size(), 50u);
  struct Case {
    std::string sentence;
    std::string prefix;
  } cases[] = {
      {listed[3] + ")" + engineText("中"), listed[3] + ")"},
      {"(" + listed[49] + listed[0] + ")" + engineText("中"), "(" + listed[49] + listed[0] + ")"},
      {engineText("(啊)中"), engineText("(啊)")},
      {engineText("(阿)中"), engineText("(阿)")},
      {engineText("(埃)中"), ""},
  };
  for (const Case& c : cases) {
    std::string prefix;
    extractEnumerationPrefix(c.sentence, prefix);
    EXPECT_EQ(prefix, c.prefix) << readableText(c.sentence);
  }
}

TEST_F(TextChecksTest, WordAfterCommaIsRemoved) {
  struct Case {
    std::string text;
    std::string expected;
  } cases[] = {
      {engineText("虽然下雨，但是去了"), engineText("虽然下雨，去了")},
      {engineText("虽然下雨,但是去了"), engineText("虽然下雨,去了")},
      {engineText("虽然下雨但是去了"), engineText("虽然下雨但是去了")},
      {engineText("虽然下雨。，但是去了"), engineText("虽然下雨。，但是去了")},
      {engineText("虽然雨，但是去。虽然风，但是来"), engineText("虽然雨，去。虽然风，来")},
      {engineText("下雨，但是去了"), engineText("下雨，但是去了")},
      // Each leading word deletes only its own comma word.
      {engineText("因为下雨，所以不去"), engineText("因为下雨，不去")},
      {engineText("因为下雨，但是去了"), engineText("因为下雨，但是去了")},
      {engineText("虽然下雨，所以不去"), engineText("虽然下雨，所以不去")},
      {engineText("虽然雨，但是去。因为风，所以不来"), engineText("虽然雨，去。因为风，不来")},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    removeWordAfterComma(text);
    EXPECT_EQ(readableText(text), readableText(c.expected)) << readableText(c.text);
  }
}

TEST_F(TextChecksTest, DigitsAreWidened) {
  std::string out;
  widenDigits(engineText("3.5中a09"), out);
  EXPECT_EQ(readableText(out), "３.５中a０９");
  widenDigits("7\x88", out);
  EXPECT_EQ(readableText(out), "７");
}

TEST(CharacterBoundaryTest, SearchesMatchOnlyWhereACharacterStarts) {
  // "\x88\x9F" occurs at byte 1, inside two characters.
  const std::string text = "\x81\x88\x9F\x41\x88\x9F";
  EXPECT_EQ(findAtCharStart(text, "\x88\x9F"), 4u);
  EXPECT_EQ(findAtCharStart("ab.c", "."), 2u);
  EXPECT_EQ(findAtCharStart("\x88\x2E", "."), std::string_view::npos);
}

}  // namespace
}  // namespace cj
