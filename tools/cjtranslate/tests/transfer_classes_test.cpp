// Whole classes of words through the console driver on both cards: every word the card's grammar or
// dictionary puts in a class is translated in one frame sentence and its output is checked.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/device.h"
#include "tools/datagen/build_programs.h"
#include "tools/datagen/temp_device.h"

namespace {

const std::string kSource = std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample";

std::vector<std::string> linesOf(const std::string& path) {
  std::vector<std::string> out;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

bool endsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// The words of a grammar symbol's CHI[a,b,...] list.
std::vector<std::string> chiList(const std::string& line) {
  std::vector<std::string> words;
  const std::size_t at = line.find("CHI[");
  if (at == std::string::npos) return words;
  const std::size_t end = line.find(']', at);
  std::stringstream list(line.substr(at + 4, end - at - 4));
  for (std::string w; std::getline(list, w, ',');) words.push_back(w);
  return words;
}

// The verbs that 没 may stand before with a purpose after them: the grammar's goto lines of
// "没 V VP" (group VP2, state 11, every line that leads to the purpose rule's state).
std::vector<std::string> motionVerbs() {
  std::vector<std::string> verbs;
  bool inGroup = false;
  for (const std::string& line : linesOf(kSource + "/cj/grammar.txt")) {
    if (line.rfind("%<", 0) == 0) inGroup = line == "%<VP2>";
    if (!inGroup || line.rfind("(11,CAT[V]&", 0) != 0 || !endsWith(line, ") 15")) continue;
    for (const std::string& w : chiList(line)) verbs.push_back(w);
  }
  return verbs;
}

// The sample dictionary's nouns of people and animals (a[H], a[A]).
std::vector<std::string> animateNouns() {
  std::vector<std::string> nouns;
  for (const std::string& line : linesOf(kSource + "/cj/words.txt")) {
    const std::size_t tab = line.find('\t');
    if (line.empty() || line[0] == '#' || tab == std::string::npos) continue;
    const std::string entry = line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1);
    if (entry.rfind("N\\", 0) == 0 && (entry.find("a[H]") != std::string::npos || entry.find("a[A]") != std::string::npos))
      nouns.push_back(line.substr(0, tab));
  }
  return nouns;
}


// The words of a grammar goto line of group VP1 that leads to the given state (its CHI[...] list).
std::vector<std::string> verbsLeadingTo(const std::string& target) {
  std::vector<std::string> verbs;
  bool inGroup = false;
  for (const std::string& line : linesOf(kSource + "/cj/grammar.txt")) {
    if (line.rfind("%<", 0) == 0) inGroup = line == "%<VP1>";
    if (!inGroup || line.rfind("(0,CAT[V]&CHI[", 0) != 0 || !endsWith(line, ") " + target)) continue;
    for (const std::string& w : chiList(line)) verbs.push_back(w);
  }
  return verbs;
}

// The sample dictionary's first Japanese rendering of a word; empty when it has none.
std::string sampleRendering(const std::string& word) {
  for (const std::string& line : linesOf(kSource + "/cj/words.txt")) {
    if (line.rfind(word + "\t", 0) != 0) continue;
    const std::size_t last = line.rfind('\t');
    const std::size_t comma = line.find(',', last);
    const std::size_t end = line.find(',', comma + 1);
    if (comma == std::string::npos || end == std::string::npos) return "";
    return line.substr(comma + 1, end - comma - 1);
  }
  return "";
}

class TransferClasses : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    device_ = new datagen::TempDevice();
    cardBuilt_ = datagen::writeCardWithProgram(kSource, plat::hostPath(device_->card()));
  }
  static void TearDownTestSuite() {
    delete device_;
    device_ = nullptr;
  }

  // The lines on the sample card and, when the build laid it out, on the full card.
  std::vector<std::vector<std::string>> onBothCards(const std::vector<std::string>& lines) {
    std::vector<std::vector<std::string>> out;
    const std::string driver = datagen::shellQuoted(datagen::binFolder() + "/cjtranslate");
    datagen::LinesRun sample = datagen::runOnLines(driver, device_->root(), lines);
    EXPECT_EQ(sample.status, 0) << sample.errors;
    out.push_back(sample.lines);
    const std::string full = datagen::buildFolder() + "/fullcard/device";
    if (std::filesystem::exists(full + "/Card/Talvenro/Chinese/LindqvarDic/CJSYSTEMDIC/cwcdic.dic")) {
      const std::string scratch = ::testing::TempDir() + "classes_" + std::to_string(::getpid());
      std::filesystem::create_directories(scratch);
      datagen::LinesRun f = datagen::runOnLines("SUITE_DEVICE_ROOT=" + datagen::shellQuoted(full) + " " + driver,
                                                scratch, lines);
      EXPECT_EQ(f.status, 0) << f.errors;
      out.push_back(f.lines);
      std::filesystem::remove_all(scratch);
    }
    return out;
  }

  static datagen::TempDevice* device_;
  static bool cardBuilt_;
};

datagen::TempDevice* TransferClasses::device_ = nullptr;
bool TransferClasses::cardBuilt_ = false;

// 没 before a verb of going or coming and a purpose: the purpose takes に and the motion verb is
// negated in the past, never the purpose verb (彼帰宅しないでご飯を食べる).
TEST_F(TransferClasses, NegatedMotionVerbBeforeAPurpose) {
  ASSERT_TRUE(cardBuilt_);
  const std::vector<std::string> verbs = motionVerbs();
  ASSERT_GE(verbs.size(), 15u);
  std::vector<std::string> lines;
  for (const std::string& v : verbs) lines.push_back("他没" + v + "吃饭。");
  for (const auto& out : onBothCards(lines)) {
    ASSERT_EQ(out.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      EXPECT_EQ(out[i].rfind("彼はご飯を食べに", 0), 0u) << lines[i] << " -> " << out[i];
      EXPECT_TRUE(endsWith(out[i], "なかった。")) << lines[i] << " -> " << out[i];
    }
  }
}

// 没有 before a person or an animal, after a place or none: いない; 有 keeps いる.
TEST_F(TransferClasses, NegatedExistenceOfSomeoneStaysNegated) {
  ASSERT_TRUE(cardBuilt_);
  const std::vector<std::string> nouns = animateNouns();
  ASSERT_GE(nouns.size(), 5u);
  std::vector<std::string> lines;
  for (const std::string& n : nouns) {
    for (const char* frame : {"房间里没有", "这里没有", "他没有"}) lines.push_back(frame + n + "。");
    lines.push_back("房间里有" + n + "。");
  }
  for (const auto& out : onBothCards(lines)) {
    ASSERT_EQ(out.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const bool negated = lines[i].find("没有") != std::string::npos;
      if (negated) {
        EXPECT_NE(out[i].find("いない"), std::string::npos) << lines[i] << " -> " << out[i];
      } else {
        EXPECT_NE(out[i].find("いる"), std::string::npos) << lines[i] << " -> " << out[i];
        EXPECT_EQ(out[i].find("いない"), std::string::npos) << lines[i] << " -> " << out[i];
      }
    }
  }
}

// A count of people or animals, approximate or not, after 有: いる on both cards (七八个人 was ある
// on the full card, where 个人 is one word).
TEST_F(TransferClasses, ApproximateCountsOfSomeoneSayIru) {
  ASSERT_TRUE(cardBuilt_);
  const std::vector<std::string> nouns = animateNouns();
  ASSERT_GE(nouns.size(), 5u);
  std::vector<std::string> lines;
  for (const char* count : {"七八", "两三", "三四", "五六", "一两", "十几", "几十", "上百", "二十多", "几"}) {
    for (const std::string& n : nouns) {
      const bool animal = n == "猫" || n == "狗";
      lines.push_back(std::string(animal ? "院子里有" : "教室里有") + count + (animal ? "只" : "个") + n + "。");
    }
  }
  for (const auto& out : onBothCards(lines)) {
    ASSERT_EQ(out.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      EXPECT_NE(out[i].find("いる"), std::string::npos) << lines[i] << " -> " << out[i];
      EXPECT_EQ(out[i].find("ある"), std::string::npos) << lines[i] << " -> " << out[i];
    }
  }
}

// People who come, go, arrive, come back or die stand after the verb and 了: they take が, never を.
TEST_F(TransferClasses, PeopleAfterAVerbOfComingTakeGa) {
  ASSERT_TRUE(cardBuilt_);
  std::vector<std::string> lines;
  for (const char* verb : {"来了", "去了", "死了", "到了", "回来了", "进来了"}) {
    for (const char* who : {"三个人", "十多个学生", "几个孩子", "两个老师", "一百多人"})
      lines.push_back(std::string("昨天") + verb + who + "。");
  }
  for (const auto& out : onBothCards(lines)) {
    ASSERT_EQ(out.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      EXPECT_NE(out[i].find("が"), std::string::npos) << lines[i] << " -> " << out[i];
      EXPECT_EQ(out[i].find("を"), std::string::npos) << lines[i] << " -> " << out[i];
    }
  }
}

// 不过是 before a noun, bare or counted: "no more than", the noun with に before すぎない.
TEST_F(TransferClasses, NoMoreThanReadsNisuginai) {
  ASSERT_TRUE(cardBuilt_);
  const std::vector<std::string> nouns = {"孩子", "学生", "老师", "朋友", "医生", "书", "梦", "问题"};
  std::vector<std::string> lines;
  for (const std::string& n : nouns) {
    lines.push_back("他不过是" + n + "。");
    lines.push_back("他不过是个" + n + "。");
    lines.push_back("这不过是一个" + n + "。");
  }
  for (const auto& out : onBothCards(lines)) {
    ASSERT_EQ(out.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const std::string noun = sampleRendering(nouns[i / 3]);
      EXPECT_NE(out[i].find(noun + "にすぎない。"), std::string::npos) << lines[i] << " -> " << out[i];
      EXPECT_EQ(out[i].find("でも"), std::string::npos) << lines[i] << " -> " << out[i];
      EXPECT_EQ(out[i].find("個"), std::string::npos) << lines[i] << " -> " << out[i];
    }
  }
  const std::vector<std::pair<std::string, std::string>> counts = {
      {"本书", "冊"}, {"个苹果", "個"}, {"杯咖啡", "杯"}, {"只狗", "匹"}};
  std::vector<std::string> more;
  for (const auto& [count, counter] : counts) {
    more.push_back("我看见了几" + count + "。");
    more.push_back("你看见了几" + count + "？");
  }
  for (const auto& out : onBothCards(more)) {
    ASSERT_EQ(out.size(), more.size());
    for (std::size_t i = 0; i < more.size(); ++i) {
      const std::string counter = counts[i / 2].second;
      const bool question = i % 2 == 1;
      EXPECT_NE(out[i].find("何" + counter + (question ? "の" : "かの")), std::string::npos) << more[i] << " -> " << out[i];
    }
  }
  // After a demonstrative, "these few": never "some".
  const std::vector<std::string> these = {"这几本书很贵。", "那几个苹果很大。", "这几个学生很好。", "这几天很忙。"};
  for (const auto& out : onBothCards(these)) {
    ASSERT_EQ(out.size(), these.size());
    for (std::size_t i = 0; i < these.size(); ++i) {
      EXPECT_NE(out[i].find("何"), std::string::npos) << these[i] << " -> " << out[i];
      EXPECT_EQ(out[i].find("か"), std::string::npos) << these[i] << " -> " << out[i];
    }
  }
}

// 不过是 before a verb: no more than doing it, the verb with に before すぎない.
TEST_F(TransferClasses, NoMoreThanDoingReadsNisuginai) {
  ASSERT_TRUE(cardBuilt_);
  const std::vector<std::string> verbs = {"开始", "说", "问", "看", "玩", "学习"};
  std::vector<std::string> lines;
  for (const std::string& v : verbs) lines.push_back("这不过是" + v + "。");
  for (const auto& out : onBothCards(lines)) {
    ASSERT_EQ(out.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      EXPECT_TRUE(endsWith(out[i], "にすぎない。")) << lines[i] << " -> " << out[i];
      EXPECT_EQ(out[i].find("でも"), std::string::npos) << lines[i] << " -> " << out[i];
    }
  }
}

// 几个 before a person or an animal: 何人か ("some") in a statement, 何人 in a question; 几 before any
// other count: "some" (何冊か) in a statement, "how many" in a question.
TEST_F(TransferClasses, SomePeopleAndHowMany) {
  ASSERT_TRUE(cardBuilt_);
  std::vector<std::string> nouns;
  for (const std::string& n : animateNouns())
    if (n != "猫" && n != "狗") nouns.push_back(n);
  ASSERT_GE(nouns.size(), 5u);
  std::vector<std::string> lines;
  for (const std::string& n : nouns) {
    lines.push_back("他有几个" + n + "。");
    lines.push_back("昨天来了几个" + n + "。");
    lines.push_back("你有几个" + n + "？");
  }
  for (const auto& out : onBothCards(lines)) {
    ASSERT_EQ(out.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const bool question = i % 3 == 2;
      EXPECT_NE(out[i].find("何人"), std::string::npos) << lines[i] << " -> " << out[i];
      EXPECT_EQ(out[i].find("何人か") != std::string::npos, !question) << lines[i] << " -> " << out[i];
      EXPECT_EQ(out[i].find("個"), std::string::npos) << lines[i] << " -> " << out[i];
    }
  }
}

// 把 + object + a verb of putting, leaving or sending + 在/到 + place: the object takes を, the place に
// before the verb. Every such verb of the grammar that the sample dictionary holds (写 left out: the
// full card reads 书写 as one word).
TEST_F(TransferClasses, PuttingSomethingAtAPlace) {
  ASSERT_TRUE(cardBuilt_);
  std::vector<std::string> verbs;
  for (const std::string& v : verbsLeadingTo("145"))
    if (!sampleRendering(v).empty() && v != "写") verbs.push_back(v);
  ASSERT_GE(verbs.size(), 3u);
  std::vector<std::string> lines, renderings;
  for (const std::string& v : verbs) {
    for (const char* to : {"在", "到"}) {
      lines.push_back("他把书" + v + to + "桌子上。");
      renderings.push_back(sampleRendering(v));
    }
  }
  for (const auto& out : onBothCards(lines)) {
    ASSERT_EQ(out.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
      EXPECT_EQ(out[i], "彼は本を机の上に" + renderings[i] + "。") << lines[i];
  }
}

// 百分之 and 千分之 before a numeral of one to four characters, whole or with 点: one share in digits.
TEST_F(TransferClasses, SharesReadAfterTheirNumber) {
  ASSERT_TRUE(cardBuilt_);
  const std::vector<std::pair<std::string, std::string>> numbers = {
      {"五", "5"},         {"十五", "15"},         {"五十", "50"},          {"一百", "100"},
      {"一千", "1000"},    {"三点五", "3.5"},      {"十二点五", "12.5"},   {"六十五点三", "65.3"},
      {"九十九点九", "99.9"}, {"二十五点七五", "25.75"}};
  std::vector<std::string> lines, expected;
  for (const auto& [chinese, digits] : numbers) {
    lines.push_back("利率是百分之" + chinese + "。");
    expected.push_back(digits + "パーセント");
    lines.push_back("百分之" + chinese + "的学生来了。");
    expected.push_back(digits + "パーセントの学生");
    lines.push_back("他提高了千分之" + chinese + "。");
    expected.push_back(digits + "パーミル");
  }
  for (const auto& out : onBothCards(lines)) {
    ASSERT_EQ(out.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
      EXPECT_NE(out[i].find(expected[i]), std::string::npos) << lines[i] << " -> " << out[i];
  }
}

// Large numbers with 亿, 万 and 千 in one run, and 上百, 上千, 上万 as hundreds, thousands, tens of thousands.
TEST_F(TransferClasses, LargeAndRoundNumbers) {
  ASSERT_TRUE(cardBuilt_);
  const std::vector<std::pair<std::string, std::string>> numbers = {
      {"一百亿元", "100億元"},   {"五千万元", "5000万元"},   {"两万五千元", "2万5000元"},
      {"十三亿元", "13億元"},     {"一亿两千万元", "1億2000万元"}, {"上百本书", "数百冊"},
      {"上千本书", "数千冊"},     {"上万元", "数万元"}};
  std::vector<std::string> lines;
  for (const auto& n : numbers) lines.push_back("他们有" + n.first + "。");
  for (const auto& out : onBothCards(lines)) {
    ASSERT_EQ(out.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
      EXPECT_NE(out[i].find(numbers[i].second), std::string::npos) << lines[i] << " -> " << out[i];
  }
}

// 不A不B with two adjectives: neither, both negated (天気は寒くなくて暑くない), never the plain pair.
TEST_F(TransferClasses, NeitherOfTwoAdjectives) {
  ASSERT_TRUE(cardBuilt_);
  const std::vector<std::pair<std::string, std::string>> pairs = {
      {"冷", "热"}, {"大", "小"}, {"长", "短"}, {"新", "老"}, {"难", "容易"}};
  std::vector<std::string> lines;
  for (const auto& [a, b] : pairs) lines.push_back("这个不" + a + "不" + b + "。");
  for (const auto& out : onBothCards(lines)) {
    ASSERT_EQ(out.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      std::string a = sampleRendering(pairs[i].first), b = sampleRendering(pairs[i].second);
      ASSERT_TRUE(endsWith(a, "い") && endsWith(b, "い")) << a << " " << b;
      a.resize(a.size() - std::string("い").size());
      b.resize(b.size() - std::string("い").size());
      EXPECT_NE(out[i].find(a + "くなくて" + b + "くない。"), std::string::npos) << lines[i] << " -> " << out[i];
    }
  }
}

// Decimals of numeral runs of one to four characters before 点, and clock times of the hours from
// 零 to 十二 with 分, 刻, 三刻, 半 and 整. 一点 ("a little") and 零点 (a word of the full card) end in
// the point and 十分 ("fully") in the clock word: before a numeral or after the point they are numbers.
TEST_F(TransferClasses, DecimalsAndClockTimes) {
  ASSERT_TRUE(cardBuilt_);
  const std::vector<std::pair<std::string, std::string>> decimals = {
      {"三点五", "3.5"},       {"十二点五", "12.5"},        {"六十五点三", "65.3"},
      {"一百点五", "100.5"},   {"一百二十点五", "120.5"},   {"三千零五点二", "3005.2"},
      {"一点五", "1.5"},       {"零点五", "0.5"},           {"十一点五", "11.5"}};
  std::vector<std::string> lines, expected;
  for (const auto& [chinese, digits] : decimals) {
    lines.push_back("他的体重是" + chinese + "公斤。");
    expected.push_back(digits + "キログラム");
  }
  const std::vector<std::pair<std::string, std::string>> hours = {
      {"零", "0"}, {"一", "1"}, {"两", "2"}, {"三", "3"}, {"四", "4"},   {"五", "5"},  {"六", "6"},
      {"七", "7"}, {"八", "8"}, {"九", "9"}, {"十", "10"}, {"十一", "11"}, {"十二", "12"}};
  const std::vector<std::pair<std::string, std::string>> minutes = {
      {"点十分", "時10分"}, {"点五十分", "時50分"}, {"点一刻", "時15分"},
      {"点三刻", "時45分"}, {"点半", "時半"},       {"点整", "時ちょうど"}};
  for (const auto& [hour, digits] : hours) {
    for (const auto& [tail, japanese] : minutes) {
      lines.push_back("现在" + hour + tail + "。");
      expected.push_back("今は" + digits + japanese + "。");
    }
  }
  for (const auto& out : onBothCards(lines)) {
    ASSERT_EQ(out.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
      EXPECT_NE(out[i].find(expected[i]), std::string::npos) << lines[i] << " -> " << out[i];
  }
}

}  // namespace
