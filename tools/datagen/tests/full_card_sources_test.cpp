#include "tools/datagen/full_card_sources.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tools/datagen/sample_card.h"

namespace {

std::string utf8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

std::string readSource(const std::string& name) {
  std::ifstream in(std::string(SUITE_TEST_SOURCE_DIR) + "/" + name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The readable lists of data/full: every line parses, and the core and the corrections are lines
// the card writer takes.
TEST(FullCardLists, TheRepositoryListsParse) {
  std::map<std::string, datagen::FullTag> tags;
  std::string error;
  ASSERT_TRUE(datagen::parseFullTags(readSource("data/full/tags.txt"), tags, &error)) << error;
  EXPECT_EQ(tags.at("nr").entry, "N\\U[N]a[H]");
  EXPECT_EQ(tags.at("v").category, 'V');
  EXPECT_FALSE(tags.count("p"));  // prepositions come from the core only
  std::map<std::string, std::string> friends;
  ASSERT_TRUE(datagen::parseFalseFriends(readSource("data/full/false_friends.txt"), friends, &error)) << error;
  EXPECT_EQ(friends.at(utf8(u8"手纸")), utf8(u8"N,トイレットペーパー,N0000"));
  std::vector<datagen::CjSampleWord> words;
  ASSERT_TRUE(datagen::parseCjSampleWords(readSource("data/full/core.txt"), words, &error)) << error;
  EXPECT_GT(words.size(), 100u);
  std::string corrections;
  for (const auto& [word, translation] : friends)
    if (translation != "-") corrections += word + "\tN\\U[N]a[J]\t-\t" + translation + "\n";
  ASSERT_TRUE(datagen::parseCjSampleWords(corrections, words, &error)) << error;
}

TEST(FullCardLists, MalformedLinesAreRefused) {
  std::map<std::string, datagen::FullTag> tags;
  std::string error;
  EXPECT_FALSE(datagen::parseFullTags("n\tX\tN\\U[N]\n", tags, &error));  // no such category
  EXPECT_NE(error.find("tags.txt:1"), std::string::npos);
  EXPECT_FALSE(datagen::parseFullTags("# c\nn\tN\tN\n", tags, &error));  // entry without '\'
  EXPECT_NE(error.find("tags.txt:2"), std::string::npos);
  std::map<std::string, std::string> friends;
  EXPECT_FALSE(datagen::parseFalseFriends(utf8(u8"走\n"), friends, &error));
}

TEST(FullCardSources, WordListIsOrderedByFrequency) {
  const auto list = datagen::parseChineseWordList(utf8(u8"甲 3 n\n乙 10 v\n丙 3 a\nbad\n"));
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].word, utf8(u8"乙"));
  EXPECT_EQ(list[1].word, utf8(u8"甲"));  // ties keep the list's order
  EXPECT_EQ(list[2].tag, "a");
}

TEST(FullCardSources, SpellingsThroughFormsTraditionalAndTwins) {
  const std::map<char16_t, char16_t> forms = {{u'经', u'經'}, {u'习', u'習'}};
  const std::map<char16_t, char16_t> traditional = {{u'后', u'後'}};
  const std::map<char16_t, char16_t> twins = {{u'經', u'経'}};
  EXPECT_EQ(datagen::japaneseSpellings(utf8(u8"学习"), forms, traditional, twins),
            std::vector<std::string>{utf8(u8"学習")});
  EXPECT_EQ(datagen::japaneseSpellings(utf8(u8"以后"), forms, traditional, twins),
            (std::vector<std::string>{utf8(u8"以后"), utf8(u8"以後")}));
  EXPECT_EQ(datagen::japaneseSpellings(utf8(u8"经"), forms, traditional, twins),
            (std::vector<std::string>{utf8(u8"經"), utf8(u8"経")}));
  EXPECT_TRUE(datagen::japaneseSpellings(utf8(u8"们"), forms, traditional, twins).empty());  // no Japanese form
  // Twins from CCCII codes six planes apart, only towards a Joyo kanji.
  const auto found = datagen::joyoTwins(
      "U+7D4C\tkCCCII\t33513C\nU+7D4C\tkJoyoKanji\t2010\nU+7D93\tkCCCII\t21513C\nU+6FDF\tkCCCII\t224926\n");
  EXPECT_EQ(found, (std::map<char16_t, char16_t>{{u'經', u'経'}}));
}

TEST(FullCardSources, WordsFollowTheirCategoryAndTheJapaneseClass) {
  datagen::JapaneseIndex japanese;
  datagen::addJapaneseEntries(utf8(u8"学習,1,1,100,名詞,サ変接続,*,*,*,*,学習,ガクシュウ,ガクシュー\n"
                                   u8"歴史,1,1,100,名詞,一般,*,*,*,*,歴史,レキシ,レキシ\n"
                                   u8"東京,1,1,100,名詞,固有名詞,地域,一般,*,*,東京,トウキョウ,トーキョー\n"
                                   u8"有名,1,1,100,名詞,形容動詞語幹,*,*,*,*,有名,ユウメイ,ユーメイ\n"
                                   u8"走る,1,1,100,動詞,自立,*,*,五段・ラ行,基本形,走る,ハシル,ハシル\n"),
                              japanese);
  std::map<std::string, datagen::FullTag> tags = {{"n", {'N', "N\\U[N]a[J]"}}, {"v", {'V', "V\\U[V]t[1]"}},
                                                   {"a", {'A', "A\\U[A]"}}};
  std::map<std::string, std::string> friends = {{utf8(u8"工作"), "N,仕事,N0000"}, {utf8(u8"走"), "-"}};
  const std::map<char16_t, char16_t> forms = {{u'习', u'習'}, {u'历', u'歴'}};
  const auto list = datagen::parseChineseWordList(utf8(u8"学习 90 v\n历史 80 n\n东京 70 n\n有名 60 a\n工作 50 n\n"
                                                       u8"走 40 v\n学习 30 n\n歴史 20 x\n末尾 1 n\n"));
  std::string lexicon;
  datagen::FullCardSizes sizes;
  const std::string words = datagen::fullCjWords("", "", list, tags, friends, japanese, forms, {}, {}, 8,
                                                 utf8(u8"歴史\t6.1.0.0\t=\t历史\n"), lexicon, sizes);
  EXPECT_NE(words.find(utf8(u8"学习\tV\\U[V]t[1]\t-\tV,学習する,SHT00\n")), std::string::npos) << words;
  EXPECT_NE(words.find(utf8(u8"历史\tN\\U[N]a[J]\t-\tN,歴史,N0000\n")), std::string::npos);
  // The IPA subclass gives the semantic code; a place has no Japanese form to stand for it here.
  EXPECT_EQ(words.find(utf8(u8"东京")), std::string::npos);
  EXPECT_NE(words.find(utf8(u8"有名\tA\\U[A]\t-\tA,有名な,KYODO\n")), std::string::npos);
  EXPECT_NE(words.find(utf8(u8"工作\tN\\U[N]a[J]\t-\tN,仕事,N0000\n")), std::string::npos);
  EXPECT_EQ(words.find(utf8(u8"走\t")), std::string::npos);
  EXPECT_EQ(words.find(utf8(u8"末尾")), std::string::npos);  // beyond the cap
  EXPECT_EQ(sizes.listed, 8);
  EXPECT_EQ(sizes.translated, 4);
  // The reverse lines: nouns the sample lexicon lacks, each once.
  EXPECT_EQ(lexicon, utf8(u8"学習\t6.2.0.0\t=\t学习\n"));
}

TEST(FullCardSources, PlaceNamesTakeThePlaceCode) {
  datagen::JapaneseIndex japanese;
  datagen::addJapaneseEntries(utf8(u8"北海道,1,1,100,名詞,固有名詞,地域,一般,*,*,北海道,ホッカイドウ,ホッカイドー\n"),
                              japanese);
  std::map<std::string, datagen::FullTag> tags = {{"n", {'N', "N\\U[N]a[J]"}}};
  std::string lexicon;
  datagen::FullCardSizes sizes;
  const std::string words = datagen::fullCjWords("", "", datagen::parseChineseWordList(utf8(u8"北海道 5 n\n")), tags, {},
                                                 japanese, {}, {}, {}, 10, "", lexicon, sizes);
  EXPECT_NE(words.find(utf8(u8"北海道\tN\\U[N]a[L]\t-\tN,北海道,N0000\n")), std::string::npos) << words;
  EXPECT_EQ(lexicon, utf8(u8"北海道\t6.4.0.0\t=\t北海道\n"));
}

}  // namespace

namespace {

TEST(FullCardSources, CoreVerbsAndAdjectivesTakeTheAnalysersNumbering) {
  std::map<std::string, datagen::FullConjugation> conjugations;
  std::string error;
  ASSERT_TRUE(datagen::parseFullConjugations(readSource("data/full/conjugations.txt"), conjugations, &error)) << error;
  EXPECT_EQ(conjugations.at(utf8(u8"五段・ワ行促音便")).type, 12);
  EXPECT_FALSE(datagen::parseFullConjugations(utf8(u8"一段\t4\t1\tる\n"), conjugations, &error));
  datagen::JapaneseIndex japanese;
  datagen::addJapaneseEntries(utf8(u8"洗う,1,1,100,動詞,自立,*,*,五段・ワ行促音便,基本形,洗う,アラウ,アラウ\n"
                                   u8"洗っ,1,1,100,動詞,自立,*,*,五段・ワ行促音便,連用タ接続,洗う,アラッ,アラッ\n"
                                   u8"泳ぐ,1,1,100,動詞,自立,*,*,五段・ガ行,基本形,泳ぐ,オヨグ,オヨグ\n"
                                   u8"遠い,1,1,100,形容詞,自立,*,*,形容詞・アウオ段,基本形,遠い,トオイ,トーイ\n"
                                   u8"読む,1,1,100,動詞,自立,*,*,五段・マ行,基本形,読む,ヨム,ヨム\n"),
                              japanese);
  std::set<std::string> have = {utf8(u8"読")};
  const std::string lines = datagen::inflectedLexiconLines(
      utf8(u8"洗\tV\\U[V]t[1]\txi3\tV,洗う,TG000\n"
           u8"游泳\tV\\U[V]t[0]\tyou2yong3\tV,泳ぐ,ZG000\n"
           u8"远\tA\\U[A]\tyuan3\tA,遠い,KYOSI\n"
           u8"远2\tV\\U[V]t[1]\t-\tV,遠い,TG000\n"  // an adjective is no verb
           u8"读\tV\\U[V]t[1]\tdu2\tV,読む,TG000\n"   // the stem is there already
           u8"做饭\tV\\U[V]t[0]\t-\tV,料理を作る,ZG000\n"),
      japanese, conjugations, have);
  EXPECT_EQ(lines, utf8(u8"洗\t2.1.12.0\t=\t洗\n泳\t2.2.4.0\t=\t游泳\n遠\t3.0.18.0\t=\t远\n"));
}

}  // namespace
