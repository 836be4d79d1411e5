#include "speech/engine/number_reading.h"
#include "front_end_fixture.h"

#include <string>

namespace {

using namespace speechtest;

std::string read(const char* digits, int kind, std::vector<int>* boundaries = nullptr) {
  speech::Text d = unitsOf(digits);
  speech::NumberReading r = speech::readNumber(d.data(), static_cast<int>(d.size()), kind);
  if (boundaries) *boundaries = r.boundaries;
  return utf8Of(r.text);
}

TEST(NumberReaderTest, ReadsDigitsInEachKind) {
  struct Case {
    const char* digits;
    int kind;
    const char* reading;
  } cases[] = {
      {"110", 1, "幺幺零"},      {"1", 1, "一"},          {"110", 11, "一一零"},
      {"10", 2, "十"},           {"10010", 2, "一万零一十"}, {"1000000", 2, "一百万"},
      {"100000000", 2, "一亿"},  {"100000001", 2, "一亿零一"}, {"0", 2, "零"},
      {"007", 2, "七"},          {"05", 12, "零五"},        {"3.1416", 2, "三点一四一六"},
      {"20304", 2, "二万零三百零四"},
  };
  for (const auto& c : cases) EXPECT_EQ(read(c.digits, c.kind), c.reading) << c.digits << " kind " << c.kind;
}

TEST(NumberReaderTest, GroupsDigitsWithBoundaries) {
  std::vector<int> b;
  EXPECT_EQ(read("1998", 11, &b), "一九九八");
  EXPECT_EQ(b, (std::vector<int>{2}));
  read("13912345678", 1, &b);  // eleven digits: after every fourth
  EXPECT_EQ(b, (std::vector<int>{4, 8}));
  read("123456789", 1, &b);  // nine: after every third
  EXPECT_EQ(b, (std::vector<int>{3, 6}));
  read("110", 1, &b);
  EXPECT_TRUE(b.empty());
  EXPECT_EQ(read("1234567890123", 2, &b), "一二三四五六七八九零一二三");  // more than twelve digits
  EXPECT_EQ(b, (std::vector<int>{2, 4, 6, 8, 10}));
}

class NumberExpressionTest : public FrontEndFixture {};

TEST_F(NumberExpressionTest, ClassifiesDatesTimesAndTelephoneNumbers) {
  struct Case {
    const char* text;
    int cls;
    int subclass;
  } cases[] = {
      {"2008-8-8", speech::kExprDate, 1},   {"8/15/2008", speech::kExprDate, 2}, {"15/8/2008", speech::kExprDate, 3},
      {"03/04", speech::kExprDate, 6},      {"2000-2-29", speech::kExprDate, 1}, {"1900-2-29", speech::kExprPhone, 2},
      {"9:30 PM", speech::kExprTime, 2},    {"25:61", speech::kExprScore, 0},    {"3'20\"", speech::kExprMinutes, 0},
      {"1,000", speech::kExprThousands, 0}, {"电话62-1234", speech::kExprPhone, 1},
  };
  for (const auto& c : cases) {
    speech::Text t = unitsOf(c.text);
    auto found = speech::findNumberExpressions(t.data(), static_cast<int>(t.size()));
    ASSERT_EQ(found.size(), 1u) << c.text;
    EXPECT_EQ(found[0].cls, c.cls) << c.text;
    EXPECT_EQ(found[0].subclass, c.subclass) << c.text;
  }
  // Not expressions: an uncertain date, a fraction, a thousands group of two digits, a minus sign.
  for (const char* text : {"3/4", "3.14", "1,00", "5-3/4", "1-2"}) {
    speech::Text t = unitsOf(text);
    EXPECT_TRUE(speech::findNumberExpressions(t.data(), static_cast<int>(t.size())).empty()) << text;
  }
}

TEST_F(NumberExpressionTest, KeepsToThirtyOneExpressionsOfThirtyTwoSeparators) {
  std::string many;
  for (int i = 0; i < 40; ++i) many += "1,000 ";
  speech::Text t = unitsOf(many.c_str());
  EXPECT_EQ(speech::findNumberExpressions(t.data(), static_cast<int>(t.size())).size(), 31u);

  std::string long_ = "1";
  for (int i = 0; i < 40; ++i) long_ += "-1";
  t = unitsOf(long_.c_str());
  EXPECT_TRUE(speech::findNumberExpressions(t.data(), static_cast<int>(t.size())).empty());
}

TEST_F(NumberExpressionTest, TimesAndDatesAreWrittenOutWithTheirUnits) {
  auto rewrite = [](const char* text) {
    speech::Text t = unitsOf(text);
    auto e = speech::findNumberExpressions(t.data(), static_cast<int>(t.size()));
    // Kind marks shown as [kind].
    std::string shown;
    speech::Text raw = speech::rewriteNumbers(t.data(), static_cast<int>(t.size()), e, 0);
    speech::Text piece;
    for (speech::Unit u : raw) {
      if (speech::isKindMark(u)) {
        shown += utf8Of(piece) + "[" + std::to_string(u - speech::kKindMark) + "]";
        piece.clear();
      } else {
        piece.push_back(u);
      }
    }
    return shown + utf8Of(piece);
  };
  EXPECT_EQ(rewrite("9:05 AM"), "上午[2]9点[12]05分");
  EXPECT_EQ(rewrite("2008-8-8"), "[11]2008年[2]8月[2]8日");
  EXPECT_EQ(rewrite("3'20\""), "[2]3分[12]20秒");
  EXPECT_EQ(rewrite("50%"), "百分之[2]50");
  EXPECT_EQ(rewrite("$5"), "[2]5美元");
  EXPECT_EQ(rewrite("1+2=3"), "[2]1加[2]2等于[2]3");
  EXPECT_EQ(rewrite("1998年"), "[11]1998年");
  EXPECT_EQ(rewrite("3个"), "[2]3个");
  EXPECT_EQ(rewrite("5-10个"), "[2]5到[2]10个");
  EXPECT_EQ(rewrite("010-1234"), "[1]010杠[1]1234");
  EXPECT_EQ(rewrite("是-5度"), "是负[2]5度");
  EXPECT_EQ(rewrite("3月-5月"), "[2]3月至[2]5月");
}

}  // namespace
