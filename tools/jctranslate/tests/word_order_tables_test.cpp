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
#include <tuple>
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

// 必ずしも … とは限らない / とは言えない / わけではない after a noun, an adjective and a verb, with
// four subjects: the subject, then 不一定 (是 before a noun), then the predicate. Without 必ずしも
// the ending's own words (未必, 不能说, 并不是) stand in the same place.
TEST_F(WordOrderTables, NotNecessarilyStandsBeforeThePredicate) {
  struct Part {
    std::string ja, zh;
    bool noun;
  };
  const std::vector<Part> subjects = {{"彼は", "他"}, {"この本は", "这个书"}, {"高い本が", "高的书"}, {"日本語は", "日语"}};
  const std::vector<Part> predicates = {{"学生", "学生", true}, {"良い本", "好的书", true}, {"高い", "高", false},
                                        {"難しい", "难", false},  {"来る", "来", false},         {"行く", "去", false}};
  const std::vector<std::pair<std::string, std::string>> endings = {
      {"とは限らない", "未必"}, {"とは言えない", "不能说"}, {"わけではない", "并不"}};
  std::vector<std::string> inputs, expected;
  for (const Part& s : subjects)
    for (const Part& p : predicates)
      for (const auto& [ending, own] : endings) {
        const bool wake = ending.starts_with("わけ");
        const std::string tail = (p.noun && wake ? "という" : "") + ending + "。";
        inputs.push_back(s.ja + "必ずしも" + p.ja + tail);
        expected.push_back(s.zh + "不一定" + (p.noun ? "是" : "") + p.zh + "。");
        inputs.push_back(s.ja + p.ja + tail);
        expected.push_back(s.zh + own + (p.noun || wake ? "是" : "") + p.zh + "。");
      }
  for (const Card& card : cards()) {
    const std::vector<std::string> out = translate(card.device, inputs);
    ASSERT_EQ(out.size(), inputs.size()) << card.device;
    for (std::size_t i = 0; i < inputs.size(); ++i) EXPECT_EQ(out[i], expected[i]) << card.device << ' ' << inputs[i];
  }
}

// The purpose of going with its goal before or after it: [object を] V-stem に [place へ / に]
// 行く / 来る / 帰る / 出かける is 去 / 来 / 回 + place + verb + object; in the past the purpose
// takes the aspect word.
TEST_F(WordOrderTables, PurposeOfGoingFollowsItsGoal) {
  struct Purpose {
    std::string ja, zh, past;
  };
  const std::vector<Purpose> purposes = {{"本を買いに", "买书", "买了书"},
                                         {"ご飯を食べに", "吃饭", "吃了饭"},
                                         {"映画を見に", "看电影", "看了电影"},
                                         {"友達に会いに", "跟朋友见面", "跟朋友见面了"},
                                         {"水を飲みに", "喝水", "喝了水"}};
  const std::vector<std::pair<std::string, std::string>> goals = {
      {"店", "商店"}, {"町", "城市"}, {"東京", "东京"}, {"学校", "学校"}};
  struct Motion {
    std::string now, past, zh;
  };
  const std::vector<Motion> motions = {
      {"行く", "行った", "去"}, {"来る", "来た", "来"}, {"帰る", "帰った", "回"}, {"出かける", "出かけた", "去"}};
  std::vector<std::string> inputs, expected;
  for (const Purpose& p : purposes)
    for (const auto& [goal, goalZh] : goals)
      for (const Motion& m : motions)
        for (const bool past : {false, true})
          for (const char* particle : {"へ", "に"})
            for (const bool goalFirst : {false, true}) {
              const std::string g = goal + particle;
              inputs.push_back((goalFirst ? g + p.ja : p.ja + g) + (past ? m.past : m.now) + "。");
              expected.push_back(m.zh + goalZh + (past ? p.past : p.zh) + "。");
            }
  for (const Card& card : cards()) {
    const std::vector<std::string> out = translate(card.device, inputs);
    ASSERT_EQ(out.size(), inputs.size()) << card.device;
    for (std::size_t i = 0; i < inputs.size(); ++i) EXPECT_EQ(out[i], expected[i]) << card.device << ' ' << inputs[i];
  }
}

// A place with で before the purpose of going is where one goes: 店で本を買いに行った 去商店买了书,
// never 在 before the purpose.
TEST_F(WordOrderTables, PlaceOfAPurposeIsWhereOneGoes) {
  struct Purpose {
    std::string ja, zh, past;
  };
  const std::vector<Purpose> purposes = {{"本を買いに", "买书", "买了书"},
                                         {"ご飯を食べに", "吃饭", "吃了饭"},
                                         {"映画を見に", "看电影", "看了电影"},
                                         {"水を飲みに", "喝水", "喝了水"}};
  const std::vector<std::pair<std::string, std::string>> places = {
      {"店", "商店"}, {"町", "城市"}, {"東京", "东京"}, {"学校", "学校"}};
  const std::vector<std::tuple<std::string, std::string, std::string>> motions = {
      {"行く", "行った", "去"}, {"来る", "来た", "来"}, {"帰る", "帰った", "回"}};
  std::vector<std::string> inputs, expected;
  for (const Purpose& p : purposes)
    for (const auto& [place, placeZh] : places)
      for (const auto& [now, past, zh] : motions)
        for (const bool inPast : {false, true}) {
          inputs.push_back(place + "で" + p.ja + (inPast ? past : now) + "。");
          expected.push_back(zh + placeZh + (inPast ? p.past : p.zh) + "。");
        }
  for (const Card& card : cards()) {
    const std::vector<std::string> out = translate(card.device, inputs);
    ASSERT_EQ(out.size(), inputs.size()) << card.device;
    for (std::size_t i = 0; i < inputs.size(); ++i) EXPECT_EQ(out[i], expected[i]) << card.device << ' ' << inputs[i];
  }
}

// The negations that rules turn over, with verbs of three classes and adjectives: なくなる after a
// verb (no longer), 決して … ない (决不 before the verb, which stays), a negated predicate before
// とは限らない (未必 before its 不), and an adjective's ありません.
TEST_F(WordOrderTables, TurnedNegationsStayWithTheirPredicate) {
  struct Verb {
    std::string a, zh;  // the irrealis stem and the Chinese verb
  };
  const std::vector<Verb> verbs = {{"行か", "去"}, {"来", "来"}, {"読ま", "读"}, {"書か", "写"}, {"食べ", "吃"}, {"笑わ", "笑"}};
  std::vector<std::string> inputs, expected;
  for (const Verb& v : verbs) {
    inputs.push_back("彼は" + v.a + "なくなった。");
    expected.push_back("他不" + v.zh + "了。");
    inputs.push_back("彼は決して" + v.a + "ない。");
    expected.push_back("他决不" + v.zh + "。");
    inputs.push_back("彼が" + v.a + "ないとは限らない。");
    expected.push_back("他未必不" + v.zh + "。");
  }
  for (const auto& [adj, zh] : std::vector<std::pair<std::string, std::string>>{
           {"高く", "高"}, {"安く", "便宜"}, {"寒く", "冷"}, {"新しく", "新"}, {"面白く", "有意思"}}) {
    inputs.push_back("これは" + adj + "ありません。");
    expected.push_back("这不" + zh + "。");
    inputs.push_back("これが" + adj + "ないとは限らない。");
    expected.push_back("这未必不" + zh + "。");
  }
  for (const Card& card : cards()) {
    const std::vector<std::string> out = translate(card.device, inputs);
    ASSERT_EQ(out.size(), inputs.size()) << card.device;
    for (std::size_t i = 0; i < inputs.size(); ++i) EXPECT_EQ(out[i], expected[i]) << card.device << ' ' << inputs[i];
  }
}

// The rules that consume a negation (ない, ん, ず, ぬ) with the words of their expression, each on a
// sentence it is written for: the translation still says no, by the rule's rendering or by the
// negation the rule leaves in place. Left out: 言うまでもない (patternRule011), whose rendering means
// "it goes without saying", and the double negations (なければならない, ずにはいられない), which
// affirm.
TEST_F(WordOrderTables, RulesThatRetireANegationStillSayNo) {
  const std::vector<std::pair<std::string, std::string>> rules = {
      {"patternRule001/ruleKanarazushimo", "それは必ずしも正しいとは限らない。"},
      {"patternRule001/ruleKanarazushimo", "彼は必ずしも来るわけではない。"},
      {"patternRule001/ruleKanarazushimo", "この本は必ずしも高いとは言えない。"},
      {"patternRule002", "あえて何も言わない。"},
      {"patternRule007", "それはあながち間違いではない。"},
      {"patternRule019", "彼は一向に来ない。"},
      {"patternRule037", "私は泳ぐことができない。"},
      {"patternRule041", "私は日本へ行ったことがない。"},
      {"patternRule163", "彼が行こうはずがない。"},
      {"patternRule183", "私は行きたくない。"},
      {"rowsNiToBa", "彼が来るはずがない。"},
      {"rowsNiToBa", "彼が行くわけがない。"},
      {"rowsHitsuyouToMade", "あなたは行く必要はない。"},
      {"rowsYoToWo", "彼は来るわけではない。"},
      {"ruleDenaiKagiri", "彼は学生でない。"},
      {"ruleDewanaiKa", "彼は学生じゃない。"},
      {"ruleCopulaNegation", "彼は学生ではない。"},
      {"ruleCopulaNegation", "この部屋は静かではない。"},
      {"ruleZu", "朝ご飯を食べずに出かけた。"},
      {"ruleZu", "彼は何も言わずに帰った。"},
      {"miscSecond", "彼は休むことなく働いた。"},
      {"ruleKotoWaNai", "心配することはない。"},
      {"ruleToha", "彼は学生とは言えない。"},
      {"ruleToha", "彼は学生とは限らない。"},
      {"ruleToIu", "彼は学生というわけではない。"},
      {"ruleKamoshirenai", "彼は来ないかもしれない。"},
      {"ruleDekiru", "私は英語ができない。"},
      {"teFormAt", "行かないでください。"},
      {"teFormAt", "気にしないでください。"},
      {"naPatterns", "行かなくてもいい。"},
      {"ruleTariTariShinai", "彼は来たり来なかったりする。"},
  };
  std::vector<std::string> inputs;
  for (const auto& [rule, ja] : rules) inputs.push_back(ja);
  for (const Card& card : cards()) {
    const std::vector<std::string> out = translate(card.device, inputs);
    ASSERT_EQ(out.size(), inputs.size()) << card.device;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
      bool negated = false;
      for (const char* n : {"不", "没", "别", "未", "非"}) negated = negated || out[i].find(n) != std::string::npos;
      EXPECT_TRUE(negated) << card.device << ' ' << rules[i].first << ": " << inputs[i] << " -> " << out[i];
    }
  }
}

// The paired adverbs whose rule retires the negation after them (一向に…ない, あえて…ない,
// あながち…ない) and the override word of 必ずしも…ない: their renderings carry the negation.
TEST(NegatingRenderings, CarryTheNegation) {
  std::string text;
  ASSERT_TRUE(tools::readFile(std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample/jc/jcwords.txt", text));
  const std::vector<std::string> keys = {"patternRule019.adverb", "patternRule002.adverb", "patternRule007.adverb",
                                         "writeTargetSlot.overrideWord", "ruleKanarazushimo.notNecessarily"};
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
