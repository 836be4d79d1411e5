// Generated tables through jctranslate on the sample card and on the full card the build lays out:
// chains of clauses keep their order, a quotation follows its verb, and a time noun takes no case
// word and stays before the verb.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/core/device.h"
#include "tools/common/tool_files.h"
#include "tools/datagen/build_programs.h"
#include "tools/datagen/temp_device.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> translate(const std::string& device, const std::vector<std::string>& lines) {
  std::string tmpl = (fs::temp_directory_path() / "jc-order-XXXXXX").string();
  if (!::mkdtemp(tmpl.data())) return {};
  datagen::linkOrCopy(datagen::binFolder() + "/jctranslate", tmpl + "/jctranslate");
  datagen::linkOrCopy(datagen::binFolder() + "/Synparse.so", tmpl + "/Synparse.so");
  datagen::LinesRun run = datagen::runOnLines(
      "SUITE_DEVICE_ROOT=" + datagen::shellQuoted(device) + " " + datagen::shellQuoted(tmpl + "/jctranslate"), tmpl,
      lines);
  fs::remove_all(tmpl);
  return run.lines;
}

struct Card {
  std::string device;   // device root
  std::string lexicon;  // jc/lexicon.txt the card was written from
};

class WordOrderTables : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    sample_ = new datagen::TempDevice;
    ASSERT_TRUE(datagen::writeCardWithProgram(std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample",
                                              plat::hostPath(sample_->card())));
  }
  static void TearDownTestSuite() {
    delete sample_;
    sample_ = nullptr;
  }
  // Both cards; the full card when the build tree holds it.
  static std::vector<Card> cards() {
    std::vector<Card> out{{sample_->root(), std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample/jc/lexicon.txt"}};
    const std::string full = datagen::buildFolder() + "/fullcard";
    if (fs::exists(full + "/device") && fs::exists(full + "/source/jc/lexicon.txt"))
      out.push_back({full + "/device", full + "/source/jc/lexicon.txt"});
    return out;
  }
  static datagen::TempDevice* sample_;
};
datagen::TempDevice* WordOrderTables::sample_ = nullptr;

// Clause chains of two to four clauses, each clause's case one of を, に and で, joined by 、: each
// clause keeps its verb and its object together, in the order written.
TEST_F(WordOrderTables, ClauseChainsKeepTheirOrder) {
  const std::map<std::string, std::vector<std::pair<std::string, std::string>>> clauses = {
      {"を", {{"本を読んだ", "读了书"}, {"手紙を書いた", "写了信"}, {"水を飲んだ", "喝了水"}, {"テレビを見た", "看了电视"}}},
      {"に", {{"学校に行った", "去了学校"}, {"友達に会った", "跟朋友见面了"}}},
      {"で", {{"公園で遊んだ", "在公园玩了"}, {"家で寝た", "在家睡觉了"}}},
  };
  std::vector<std::pair<std::string, std::string>> all;
  for (const auto& [particle, list] : clauses) all.insert(all.end(), list.begin(), list.end());
  std::vector<std::string> inputs, expected;
  for (int n = 2; n <= 4; ++n)
    for (const auto& [particle, list] : clauses)
      for (std::size_t start = 0; start + n - 1 <= all.size(); start += 2) {
        std::string ja = list.front().first, zh = list.front().second;
        int taken = 1;
        for (std::size_t k = start; k < all.size() && taken < n; ++k) {
          if (all[k] == list.front()) continue;
          ja += "、" + all[k].first;
          zh += "，" + all[k].second;
          ++taken;
        }
        if (taken < n) continue;
        inputs.push_back(ja + "。");
        expected.push_back(zh + "。");
      }
  ASSERT_GE(inputs.size(), 30u);
  for (const Card& card : cards()) {
    const std::vector<std::string> out = translate(card.device, inputs);
    ASSERT_EQ(out.size(), inputs.size()) << card.device;
    for (std::size_t i = 0; i < inputs.size(); ++i) EXPECT_EQ(out[i], expected[i]) << card.device << ' ' << inputs[i];
  }
}

// Ten verbs of saying and thinking, four forms of a quotation: the speaker first, then the verb,
// then the quotation whole at the end.
TEST_F(WordOrderTables, QuotationsFollowTheirVerb) {
  const std::vector<std::string> verbs = {"言った", "思う",   "答えた", "話した", "書いた",
                                          "聞いた", "教えた", "考えた", "信じた", "感じた"};
  const std::vector<std::pair<std::string, std::string>> quotes = {
      {"雨が降ると", "雨下。"}, {"彼が来ると", "他来。"}, {"本が高いと", "书高。"}, {"「明日行く。」と", "“明天去。”。"}};
  std::vector<std::string> inputs, tails;
  for (const std::string& v : verbs)
    for (const auto& [q, tail] : quotes) {
      inputs.push_back("母は" + q + v + "。");
      tails.push_back(tail);
    }
  for (const Card& card : cards()) {
    const std::vector<std::string> out = translate(card.device, inputs);
    ASSERT_EQ(out.size(), inputs.size()) << card.device;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
      const std::string& zh = out[i];
      const std::string speaker = "母亲";
      ASSERT_TRUE(zh.starts_with(speaker)) << card.device << ' ' << inputs[i] << " -> " << zh;
      ASSERT_TRUE(zh.ends_with(tails[i])) << card.device << ' ' << inputs[i] << " -> " << zh;
      // Between them the verb, and nothing of the quotation.
      EXPECT_GT(zh.size(), speaker.size() + tails[i].size()) << card.device << ' ' << inputs[i] << " -> " << zh;
    }
  }
}

// Every time noun of each card's lexicon with three verbs: no case word before it, and the
// sentence ends in the verb's phrase.
TEST_F(WordOrderTables, TimeNounsTakeNoCaseWord) {
  const std::vector<std::pair<std::string, std::string>> verbs = {
      {"に手紙を書いた。", "写了信。"}, {"に友達に会った。", "跟朋友见面了。"}, {"に学校に行った。", "去了学校。"}};
  const std::vector<std::string> caseWords = {"在", "给", "到", "跟", "对", "相对于", "从", "和"};
  for (const Card& card : cards()) {
    std::string text;
    ASSERT_TRUE(tools::readFile(card.lexicon, text)) << card.lexicon;
    std::map<std::string, std::string> timeNouns;  // key -> its first Chinese word
    std::set<std::string> keys;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
      std::vector<std::string> f;
      std::istringstream fields(line);
      for (std::string x; std::getline(fields, x, '\t');) f.push_back(x);
      if (!f.empty()) keys.insert(f[0]);
      // A run of numerals (二三) is read as a number, not as the noun.
      if (f.size() >= 4 && f[1] == "6.10.0.0" && !f[0].starts_with("二") && !f[0].starts_with("一"))
        timeNouns.emplace(f[0], f[3]);
    }
    // A noun whose に makes a word of the lexicon (絶対に) is read as that word.
    std::erase_if(timeNouns, [&](const auto& n) { return keys.count(n.first + "に") > 0; });
    ASSERT_GE(timeNouns.size(), 40u) << card.lexicon;
    std::vector<std::string> inputs, tails;
    std::vector<std::string> chinese;
    for (const auto& [noun, zh] : timeNouns)
      for (const auto& [ja, tail] : verbs) {
        inputs.push_back(noun + ja);
        tails.push_back(tail);
        chinese.push_back(zh);
      }
    const std::vector<std::string> out = translate(card.device, inputs);
    ASSERT_EQ(out.size(), inputs.size()) << card.device;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
      EXPECT_TRUE(out[i].ends_with(tails[i])) << card.device << ' ' << inputs[i] << " -> " << out[i];
      for (const std::string& w : caseWords)
        EXPECT_FALSE(out[i].starts_with(w) && !chinese[i].starts_with(w))
            << card.device << ' ' << inputs[i] << " -> " << out[i];
    }
  }
}

// Seasons, holidays, parts of the day and times before or after something are time nouns on both
// cards: each that a card's lexicon holds has the time code on every noun line of it.
TEST_F(WordOrderTables, TimeNounsHaveTheTimeCode) {
  const std::vector<std::string> words = {"夏休み", "冬休み", "春休み", "昼休み", "正月", "元旦", "誕生日", "放課後",
                                          "夕方", "週末", "祝日", "朝", "夜", "春", "夏", "秋", "冬", "今日", "明日"};
  for (const Card& card : cards()) {
    std::string text;
    ASSERT_TRUE(tools::readFile(card.lexicon, text)) << card.lexicon;
    int found = 0;
    for (const std::string& w : words) {
      std::istringstream in(text);
      for (std::string line; std::getline(in, line);) {
        if (!line.starts_with(w + "\t6.")) continue;
        ++found;
        EXPECT_TRUE(line.starts_with(w + "\t6.10.")) << card.lexicon << ": " << line;
      }
    }
    EXPECT_GE(found, 15) << card.lexicon;
  }
}

// から after a predicate in every form (plain, past, polite, polite past, negative, negative past;
// verbs of three classes, adjectives, the copula, a na-adjective) is the reason, 因为, never 从;
// after a noun of place or time it stays 从.
TEST_F(WordOrderTables, KaraAfterAPredicateIsTheReason) {
  struct Verb {
    const char *stem, *plain, *a, *i, *ta;
  };
  const Verb verbs[] = {{"行", "く", "か", "き", "行った"}, {"読", "む", "ま", "み", "読んだ"}, {"書", "く", "か", "き", "書いた"},
                        {"食べ", "る", "", "", "食べた"},   {"来", "る", "", "", "来た"}};
  std::vector<std::string> predicates;
  for (const Verb& v : verbs) {
    const std::string st = v.stem;
    for (const std::string& form : {st + v.plain, std::string(v.ta), st + v.i + "ます", st + v.i + "ました", st + v.a + "ない",
                                    st + v.a + "なかった"})
      predicates.push_back(form);
  }
  for (const char* f : {"高い", "高かった", "高くない", "高くなかった", "高いです", "忙しかった", "学生だ", "学生だった", "学生です",
                        "学生でした", "学生ではない", "静かだ", "静かだった"})
    predicates.push_back(f);
  std::vector<std::string> inputs;
  for (const std::string& p : predicates) inputs.push_back(p + "から寝る。");
  const std::size_t reasons = inputs.size();
  for (const char* n : {"駅", "学校", "東京", "三時", "明日", "朝"}) inputs.push_back(std::string("彼は") + n + "から来た。");
  for (const Card& card : cards()) {
    const std::vector<std::string> out = translate(card.device, inputs);
    ASSERT_EQ(out.size(), inputs.size()) << card.device;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
      const bool reason = i < reasons;
      EXPECT_EQ(out[i].find("因为") != std::string::npos, reason) << card.device << ' ' << inputs[i] << " -> " << out[i];
      EXPECT_EQ(out[i].find("从") != std::string::npos, !reason) << card.device << ' ' << inputs[i] << " -> " << out[i];
      EXPECT_TRUE(out[i].ends_with(reason ? "睡觉。" : "来了。")) << card.device << ' ' << inputs[i] << " -> " << out[i];
    }
  }
}

// The paired adverbs whose rule retires the negation after them (一向に…ない, あえて…ない,
// あながち…ない) and the override word of 必ずしも…ない: their renderings carry the negation.
TEST(NegatingRenderings, CarryTheNegation) {
  std::string text;
  ASSERT_TRUE(tools::readFile(std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample/jc/jcwords.txt", text));
  const std::vector<std::string> keys = {"patternRule019.adverb", "patternRule002.adverb", "patternRule007.adverb",
                                         "writeTargetSlot.overrideWord"};
  for (const std::string& key : keys) {
    const std::size_t at = text.find("\n" + key + "\t");
    ASSERT_NE(at, std::string::npos) << key;
    const std::size_t start = at + key.size() + 2;
    const std::string word = text.substr(start, text.find('\n', start) - start);
    bool negated = false;
    for (const char* n : {"不", "没", "别", "未"}) negated = negated || word.find(n) != std::string::npos;
    EXPECT_TRUE(negated) << key << " " << word;
  }
}

}  // namespace
