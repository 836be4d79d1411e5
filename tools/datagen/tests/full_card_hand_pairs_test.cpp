#include "tools/datagen/full_card_hand_pairs.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string utf8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

std::string readSource(const std::string& name) {
  std::ifstream in(std::string(SUITE_TEST_SOURCE_DIR) + "/" + name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A small card: a hand-made part, the generated lines of the rules, and the sources they read.
struct Fixture {
  std::map<std::string, datagen::FullTag> tags;
  std::map<std::string, datagen::FullConjugation> conjugations;
  datagen::JapaneseIndex japanese;
  std::vector<datagen::ChineseListWord> list;
  std::vector<datagen::EdictEntry> edict;
  std::vector<datagen::FalseFriendPair> table;
  std::map<std::string, std::string> falseFriends;

  Fixture() {
    std::string error;
    EXPECT_TRUE(datagen::parseFullTags(readSource("data/full/tags.txt"), tags, &error)) << error;
    EXPECT_TRUE(datagen::parseFullConjugations(readSource("data/full/conjugations.txt"), conjugations, &error)) << error;
    datagen::addJapaneseEntries(utf8(u8"累計,1,1,3000,名詞,サ変接続,*,*,*,*,累計,ルイケイ,ルイケイ\n"
                                     u8"合計,1,1,3000,名詞,サ変接続,*,*,*,*,合計,ゴウケイ,ゴーケイ\n"
                                     u8"落とす,1,1,3000,動詞,自立,*,*,五段・サ行,基本形,落とす,オトス,オトス\n"
                                     u8"高い,1,1,3000,形容詞,自立,*,*,形容詞・アウオ段,基本形,高い,タカイ,タカイ\n"
                                     u8"静か,1,1,3000,名詞,形容動詞語幹,*,*,*,*,静か,シズカ,シズカ\n"
                                     u8"政府,1,1,3000,名詞,一般,*,*,*,*,政府,セイフ,セイフ\n"
                                     u8"元,1,1,3000,名詞,一般,*,*,*,*,元,モト,モト\n"
                                     u8"来る,1,1,3000,動詞,自立,*,*,カ変・来ル,基本形,来る,クル,クル\n"
                                     u8"仕事,1,1,3000,名詞,一般,*,*,*,*,仕事,シゴト,シゴト\n"
                                     u8"負かす,1,1,3000,動詞,自立,*,*,五段・サ行,基本形,負かす,マカス,マカス\n"),
                                japanese);
    list = datagen::parseChineseWordList(utf8(u8"累计 900 v\n丢 800 v\n高 700 a\n安静 600 a\n政府 500 n\n"
                                              u8"原来 400 d\n来 300 v\n工作 200 vn\n一齐 150 d\n打败 140 v\n"
                                              u8"高效 130 a\n阐明 120 v\n推开 110 v\n"));
    edict = datagen::parseEdict(utf8(u8"落とす [おとす] /(v5s,vt) (1) to drop/(P)/\n"));
    falseFriends = {{utf8(u8"工作"), utf8(u8"N,仕事,N0000")}};
  }
};

// Generated C→J lines under the open list's heading, below a hand-made part.
std::string cardWords() {
  return utf8(u8"丢\tV\\U[V]t[1]\tdiu1\tV,なくす,TG000\n") + std::string(datagen::kOpenListHeading) + "\n" +
         utf8(u8"累计\tV\\U[V]t[1]\t-\tV,合計する,SHT00\n"
              u8"政府\tN\\U[N]a[J]\t-\tN,政府,N0000\n"
              u8"高\tA\\U[A]\t-\tA,高価だ,KYODO\n");
}

std::string lineOf(const std::string& text, const std::string& key) {
  std::istringstream in(text);
  std::string found;
  for (std::string l; std::getline(in, l);)
    if (l.rfind(key + '\t', 0) == 0) {
      EXPECT_TRUE(found.empty()) << "two lines for " << key;
      found = l;
    }
  return found;
}

TEST(FullCardHandPairs, ReadsPairsAndListsRepeatedWords) {
  std::vector<datagen::HandPair> pairs;
  std::vector<std::string> repeated;
  std::string error;
  ASSERT_TRUE(datagen::parseHandPairs(utf8(u8"# a comment\n累计\t累計する\tnote\n政府\t-\n累计\t合計する\n"), pairs,
                                      &repeated, &error));
  ASSERT_EQ(pairs.size(), 2u);
  EXPECT_EQ(pairs[0].note, "note");
  EXPECT_EQ(pairs[1].translation, "-");
  ASSERT_EQ(repeated.size(), 1u);
  EXPECT_NE(repeated[0].find("line 4"), std::string::npos);
  EXPECT_FALSE(datagen::parseHandPairs(utf8(u8"累计\n"), pairs, nullptr, &error));
  EXPECT_NE(error.find("line 1"), std::string::npos);
}

TEST(FullCardHandPairs, ChineseToJapaneseReplacesRemovesRefusesAndKeeps) {
  Fixture f;
  std::vector<datagen::HandPair> pairs;
  ASSERT_TRUE(datagen::parseHandPairs(utf8(u8"累计\t累計する\n政府\t-\n高\t高い\n安静\t静か\n丢\t落とす\n工作\t作業\n"
                                           u8"原来\t元\n来\t来る\n累\t累なる\n一齐\t一斉に\n打败\t打ち負かす\n高效\t効率的\n"
                                           u8"阐明\t明らかにする\n推开\t押し開けた\n"),
                                      pairs));
  datagen::HandPairReport report;
  const std::string out = datagen::withHandPairsCj(cardWords(), pairs, f.list, f.tags, f.falseFriends, f.table,
                                                   f.japanese, f.conjugations, f.edict, report);
  const struct {
    const char8_t* word;
    const char8_t* line;  // empty: no line
  } cases[] = {
      {u8"累计", u8"累计\tV\\U[V]t[1]\t-\tV,累計する,SHT00"},  // a rule pair replaced: a サ変 noun with する
      {u8"政府", u8""},                                          // "-": the rule pair goes
      {u8"高", u8"高\tA\\U[A]\t-\tA,高い,KYOSI"},               // an adjective by its conjugation
      {u8"安静", u8"安静\tA\\U[A]\t-\tA,静かだ,KYODO"},         // a 形容動詞 stem ends in だ
      {u8"丢", u8"丢\tV\\U[V]t[1]\tdiu1\tV,なくす,TG000"},      // the hand-made line stays
      {u8"原来", u8"原来\tN\\U[N]a[J]\t-\tN,元,N0000"},          // an adverb tag, a noun: the noun's entry
      // Words the IPA dictionary lacks: an adverb as it stands, a compound verb by its last verb, a
      // word in 的 as a 形容動詞, a phrase with する.
      {u8"一齐", u8"一齐\tF\\U[F]\t-\tF,一斉に,FUKU0"},
      {u8"打败", u8"打败\tV\\U[V]t[1]\t-\tV,打ち負かす,TG000"},
      {u8"高效", u8"高效\tA\\U[A]\t-\tA,効率的だ,KYODO"},
      {u8"阐明", u8"阐明\tV\\U[V]t[1]\t-\tV,明らかにする,SHT00"},
      {u8"推开", u8""},  // no dictionary form: refused
  };
  for (const auto& c : cases) EXPECT_EQ(lineOf(out, utf8(c.word)), utf8(c.line)) << utf8(c.word);
  EXPECT_EQ(report.written, 8);
  EXPECT_EQ(report.removed, 1);
  ASSERT_EQ(report.kept.size(), 2u);  // 丢 (the hand-made part) and 工作 (false_friends.txt)
  EXPECT_EQ(report.kept[0].rfind(utf8(u8"丢\t落とす\t"), 0), 0u);
  // 来る conjugates by a type the card does not write; 累 has no tag in the list; 押し開けた is no
  // dictionary form of a verb.
  ASSERT_EQ(report.refused.size(), 3u);
  EXPECT_EQ(report.refused[0].rfind(utf8(u8"来\t来る\t"), 0), 0u);
  EXPECT_EQ(report.refused[1].rfind(utf8(u8"累\t累なる\t"), 0), 0u);
  EXPECT_EQ(report.refused[2].rfind(utf8(u8"推开\t押し開けた\t"), 0), 0u);
  EXPECT_TRUE(lineOf(out, utf8(u8"累")).empty());
}

TEST(FullCardHandPairs, ChineseVerbTakesItsTransitivityAndGodanCode) {
  Fixture f;
  std::vector<datagen::HandPair> pairs;
  ASSERT_TRUE(datagen::parseHandPairs(utf8(u8"累计\t落とす\n"), pairs));
  datagen::HandPairReport report;
  const std::string out = datagen::withHandPairsCj(cardWords(), pairs, f.list, f.tags, f.falseFriends, f.table,
                                                   f.japanese, f.conjugations, f.edict, report);
  // The same line the rules write for a pair through English.
  datagen::EdictEntry otosu = f.edict.at(0);
  EXPECT_EQ(lineOf(out, utf8(u8"累计")), utf8(u8"累计\tV\\U[V]t[1]\t-\t") + datagen::pairTranslation(otosu, datagen::kPvVerb));
  EXPECT_EQ(lineOf(out, utf8(u8"累计")), utf8(u8"累计\tV\\U[V]t[1]\t-\tV,落とす,TG000"));
}

// Generated J→C lines under the generated heading, below a hand-made lexicon.
std::string cardLexicon() {
  return utf8(u8"仕事\t6.1.0.0\t=\t工作\t\t\t\t9\n") + std::string(datagen::kGeneratedLexiconHeading) + "\n" +
         utf8(u8"累計\t6.2.0.0\t=\t合计\t\t\t\t10\n"
              u8"累計\t2.1.16.0\t=\t合计\tVT\t13\t\t10\n"
              u8"政府\t6.1.0.0\t=\t政府\t\t\t\t10\n"
              u8"落と\t2.1.5.0\t=\t丢掉\tVT\t13\t\t10\n");
}

TEST(FullCardHandPairs, JapaneseToChineseReplacesRemovesRefusesAndKeeps) {
  Fixture f;
  std::vector<datagen::HandPair> pairs;
  ASSERT_TRUE(datagen::parseHandPairs(utf8(u8"累計\t累计\n政府\t-\n落とす\t丢\n高い\t高\n静か\t安静\n仕事\t活儿\n"
                                           u8"来る\t来\n元\t原来\n"),
                                      pairs));
  datagen::HandPairReport report;
  const std::string out = datagen::withHandPairsJc(cardLexicon(), pairs, f.list, f.tags, f.table, f.japanese,
                                                   f.conjugations, f.edict, report);
  std::multimap<std::string, std::string> lines;
  std::istringstream in(out);
  for (std::string l; std::getline(in, l);)
    if (!l.empty() && l[0] != '#') lines.emplace(l.substr(0, l.find('\t')), l);
  const auto linesOf = [&](const char8_t* key) {
    std::vector<std::string> v;
    auto [from, to] = lines.equal_range(utf8(key));
    for (auto it = from; it != to; ++it) v.push_back(it->second);
    return v;
  };
  // 累计 is a verb: the サ変 noun and the noun with する, both replaced.
  EXPECT_EQ(linesOf(u8"累計"), (std::vector<std::string>{utf8(u8"累計\t6.2.0.0\t=\t累计\t\t\t\t10"),
                                                          utf8(u8"累計\t2.1.16.0\t=\t累计\tVT\t13\t\t10")}));
  EXPECT_TRUE(linesOf(u8"政府").empty());
  // A transitive godan verb by its stem, and an adjective by its stem.
  EXPECT_EQ(linesOf(u8"落と"), (std::vector<std::string>{utf8(u8"落と\t2.1.5.0\t=\t丢\tVT\t13\t\t10")}));
  EXPECT_EQ(linesOf(u8"高"), (std::vector<std::string>{utf8(u8"高\t3.0.18.0\t=\t高\tA\t\t\t10")}));
  EXPECT_EQ(linesOf(u8"静か"), (std::vector<std::string>{utf8(u8"静か\t3.0.21.0\t=\t安静\tA\t\t\t10")}));
  EXPECT_EQ(linesOf(u8"元"), (std::vector<std::string>{utf8(u8"元\t6.1.0.0\t=\t原来\t\t\t\t10")}));
  EXPECT_EQ(linesOf(u8"仕事"), (std::vector<std::string>{utf8(u8"仕事\t6.1.0.0\t=\t工作\t\t\t\t9")}));
  EXPECT_EQ(report.written, 5);
  EXPECT_EQ(report.removed, 1);
  ASSERT_EQ(report.kept.size(), 1u);
  ASSERT_EQ(report.refused.size(), 1u);
  EXPECT_EQ(report.refused[0].rfind(utf8(u8"来る\t来\t"), 0), 0u);
}

// The card's own hand files read as the generator reads them.
TEST(FullCardHandPairs, DataFilesParse) {
  for (const char* name : {"data/full/pairs_cj.txt", "data/full/pairs_jc.txt"}) {
    std::vector<datagen::HandPair> pairs;
    std::string error;
    EXPECT_TRUE(datagen::parseHandPairs(readSource(name), pairs, nullptr, &error)) << name << ": " << error;
  }
}

}  // namespace
