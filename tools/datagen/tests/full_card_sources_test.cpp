#include "tools/datagen/full_card_sources.h"
#include "tools/datagen/full_card_same_characters.h"

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
  std::map<std::string, char> frames;
  EXPECT_FALSE(datagen::parseVerbFrameList(utf8(u8"参加\tを\n"), frames, &error));  // を is no intransitive frame
  EXPECT_NE(error.find("verb_frames.txt:1"), std::string::npos);
}

// Intransitive verbs of the hand-made frame list: SHZ00 and the particle of the complement, or no
// object at all.
TEST(FullCardSources, ListedVerbsTakeTheirIntransitiveFrame) {
  std::map<std::string, char> frames;
  std::string error;
  ASSERT_TRUE(datagen::parseVerbFrameList(readSource("data/full/verb_frames.txt"), frames, &error)) << error;
  EXPECT_EQ(frames.at(utf8(u8"参加")), '6');
  EXPECT_EQ(frames.at(utf8(u8"失败")), '-');
  datagen::JapaneseIndex japanese;
  datagen::addJapaneseEntries(utf8(u8"参加,1,1,3000,名詞,サ変接続,*,*,*,*,参加,サンカ,サンカ\n"
                                   u8"失敗,1,1,3000,名詞,サ変接続,*,*,*,*,失敗,シッパイ,シッパイ\n"
                                   u8"研究,1,1,3000,名詞,サ変接続,*,*,*,*,研究,ケンキュウ,ケンキュー\n"),
                              japanese);
  std::map<std::string, datagen::FullTag> tags = {{"v", {'V', "V\\U[V]t[1]"}}};
  const std::map<char16_t, char16_t> forms = {{u'败', u'敗'}};
  std::string lexicon;
  datagen::FullCardSizes sizes;
  const std::string words =
      datagen::fullCjWords("", "", datagen::parseChineseWordList(utf8(u8"参加 3 v\n失败 2 v\n研究 1 v\n")), tags, {},
                           japanese, forms, {}, {}, 10, "", lexicon, sizes, frames);
  EXPECT_NE(words.find(utf8(u8"参加\tV\\U[V]t[1]\t-\tV,参加する,SHZ00,6\n")), std::string::npos) << words;
  EXPECT_NE(words.find(utf8(u8"失败\tV\\U[V]t[0]\t-\tV,失敗する,SHZ00\n")), std::string::npos);
  EXPECT_NE(words.find(utf8(u8"研究\tV\\U[V]t[1]\t-\tV,研究する,SHT00\n")), std::string::npos);
  // Each サ変 noun is a verb with する too, so that tense and aspect reach it: intransitive with
  // its frame (12), transitive else (13).
  const char8_t* verbs[] = {u8"参加\t2.2.16.0\t=\t参加\tV1\t12\t", u8"失敗\t2.2.16.0\t=\t失败\tV1\t12\t",
                            u8"研究\t2.1.16.0\t=\t研究\tVT\t13\t"};
  for (const char8_t* line : verbs) EXPECT_NE(lexicon.find(utf8(line)), std::string::npos) << utf8(line) << lexicon;
  // A stem the sample lexicon lists already is left to it.
  lexicon.clear();
  datagen::fullCjWords("", "", datagen::parseChineseWordList(utf8(u8"研究 1 v\n")), tags, {}, japanese, forms, {}, {},
                       10, utf8(u8"研究\t2.1.16.0\t=\t研究\tVT\t13\n"), lexicon, sizes, frames);
  EXPECT_EQ(lexicon.find(utf8(u8"研究\t2.")), std::string::npos) << lexicon;
}

TEST(FullCardSources, WordListIsOrderedByFrequency) {
  const auto list = datagen::parseChineseWordList(utf8(u8"甲 3 n\n乙 10 v\n丙 3 a\nbad\n"));
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].word, utf8(u8"乙"));
  EXPECT_EQ(list[1].word, utf8(u8"甲"));  // ties keep the list's order
  EXPECT_EQ(list[2].tag, "a");
}

// A list word spelled as numerals and a classifier of the card (三本, a place name) would take the
// count away from 三本书; every other word stays, the classifier alone too.
TEST(FullCardSources, NumeralAndClassifierWordsLeaveTheList) {
  const std::string card = utf8(u8"# a comment\n本\tSN\\U[S]U[N]\tben3\tQ,冊,N0000 | N,本,N0000\n"
                                u8"个\tS\\U[S]\tge4\tQ,個,N0000\n家\tNS\\U[N]a[L]U[S]\tjia1\tN,家,N0000\n");
  auto list = datagen::parseChineseWordList(
      utf8(u8"三本 60 ns\n十二个 50 m\n一家 40 n\n日本 30 ns\n本 20 n\n三 10 m\n本三 5 n\n"));
  datagen::dropNumeralClassifierWords(list, card);
  std::vector<std::string> kept;
  for (const auto& w : list) kept.push_back(w.word);
  // 一家: 家 is a noun first on the card, not a classifier.
  EXPECT_EQ(kept, (std::vector<std::string>{utf8(u8"一家"), utf8(u8"日本"), utf8(u8"本"), utf8(u8"三"), utf8(u8"本三")}));
}

TEST(FullCardSources, SpellingsThroughFormsTraditionalAndTwins) {
  const std::map<char16_t, char16_t> forms = {{u'经', u'經'}, {u'习', u'習'}};
  const datagen::TraditionalForms traditional = {{u'后', {u'後'}}};
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
  // The name kanji list's old forms, towards a Joyo kanji only.
  EXPECT_EQ(datagen::joyoTwins("U+589E\tkJinmeiyoKanji\t2010:U+5897\nU+5897\tkJoyoKanji\t2010\n"
                               "U+51DC\tkJinmeiyoKanji\t2010:U+51DB\n"),
            (std::map<char16_t, char16_t>{{u'增', u'増'}}));
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
  EXPECT_NE(words.find(utf8(u8"有名\tA\\U[A]\t-\tA,有名だ,KYODO\n")), std::string::npos);
  EXPECT_NE(words.find(utf8(u8"工作\tN\\U[N]a[J]\t-\tN,仕事,N0000\n")), std::string::npos);
  EXPECT_EQ(words.find(utf8(u8"走\t")), std::string::npos);
  EXPECT_EQ(words.find(utf8(u8"末尾")), std::string::npos);  // beyond the cap
  EXPECT_EQ(sizes.listed, 8);
  EXPECT_EQ(sizes.translated, 4);
  // The reverse lines: nouns and adjectives the sample lexicon lacks, each once.
  EXPECT_EQ(lexicon, utf8(u8"学習\t6.2.0.0\t=\t学习\t\t\t\t10\n学習\t2.1.16.0\t=\t学习\tVT\t13\t\t10\n"
                         u8"有名\t3.0.21.0\t=\t有名\tA\t\t\t10\n"));
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
  EXPECT_EQ(lexicon, utf8(u8"北海道\t6.4.0.0\t=\t北海道\t\t\t\t10\n"));
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
  std::set<std::string> have = {datagen::stemKey(utf8(u8"読"), 2, 9)};
  const std::string lines = datagen::inflectedLexiconLines(
      utf8(u8"洗\tV\\U[V]t[1]\txi3\tV,洗う,TG000\n"
           u8"游泳\tV\\U[V]t[0]\tyou2yong3\tV,泳ぐ,ZG000\n"
           u8"远\tA\\U[A]\tyuan3\tA,遠い,KYOSI\n"
           u8"远2\tV\\U[V]t[1]\t-\tV,遠い,TG000\n"  // an adjective is no verb
           u8"读\tV\\U[V]t[1]\tdu2\tV,読む,TG000\n"   // the stem is there already
           u8"做饭\tV\\U[V]t[0]\t-\tV,料理を作る,ZG000\n"
           u8"准备\tV\\U[V]t[1]\t-\tV,準備する,SHT00\n"     // a サ変 verb by its noun
           u8"出发\tV\\U[V]t[0]\t-\tV,出発する,SHZ00\n"),
      japanese, conjugations, have);
  // Verbs carry the sample's aspect digits: 13 transitive, 12 intransitive.
  EXPECT_EQ(lines, utf8(u8"洗\t2.1.12.0\t=\t洗\tVT\t13\t\t10\n泳\t2.2.4.0\t=\t游泳\tV1\t12\t\t10\n"
                       u8"遠\t3.0.18.0\t=\t远\tA\t\t\t10\n準備\t2.1.16.0\t=\t准备\tVT\t13\t\t10\n"
                       u8"出発\t2.2.16.0\t=\t出发\tV1\t12\t\t10\n"));
}

}  // namespace

namespace {

// A word whose characters stand for several Japanese ones takes the spelling the IPA dictionary
// holds (发 is 髪 by its first form, 発 through 發), the most frequent one where it holds several.
TEST(FullCardSources, TheSpellingIsOneTheIpaDictionaryHolds) {
  datagen::JapaneseIndex japanese;
  datagen::addJapaneseEntries(utf8(u8"発展,1,1,3220,名詞,サ変接続,*,*,*,*,発展,ハッテン,ハッテン\n"
                                   u8"髪,1,1,5000,名詞,一般,*,*,*,*,髪,カミ,カミ\n"
                                   u8"幹部,1,1,4000,名詞,一般,*,*,*,*,幹部,カンブ,カンブ\n"
                                   u8"幹事,1,1,4000,名詞,一般,*,*,*,*,幹事,カンジ,カンジ\n"
                                   u8"関係,1,1,3607,名詞,サ変接続,*,*,*,*,関係,カンケイ,カンケイ\n"
                                   u8"乾杯,1,1,4000,名詞,サ変接続,*,*,*,*,乾杯,カンパイ,カンパイ\n"
                                   u8"發,1,1,9000,名詞,一般,*,*,*,*,發,ハツ,ハツ\n"
                                   u8"幹,1,1,6000,名詞,一般,*,*,*,*,幹,ミキ,ミキ\n"
                                   u8"製,1,1,3000,名詞,一般,*,*,*,*,製,セイ,セイ\n"
                                   u8"制,1,1,7000,名詞,一般,*,*,*,*,制,セイ,セイ\n"),
                              japanese);
  const std::map<char16_t, char16_t> forms = {{u'发', u'髪'}, {u'关', u'關'}};
  datagen::TraditionalForms traditional = datagen::traditionalForms(utf8(u8"st\t发\t發\t髮\nst\t干\t幹\t乾\t干\n"
                                                                         u8"st\t制\t製\t制\n"
                                                                         u8"pair\t关\t關\n"));
  datagen::addUnihanTraditional("U+7CFB\tkTraditionalVariant\tU+4FC2 U+7CFB U+7E6B\n", traditional);
  EXPECT_EQ(traditional.at(u'系'), (std::vector<char16_t>{u'係', u'繫'}));
  const std::map<char16_t, char16_t> twins = {{u'發', u'発'}, {u'關', u'関'}};
  EXPECT_EQ(datagen::japaneseSpellings(utf8(u8"发"), forms, traditional, twins),
            (std::vector<std::string>{utf8(u8"髪"), utf8(u8"發"), utf8(u8"発"), utf8(u8"髮")}));
  std::map<std::string, datagen::FullTag> tags = {{"n", {'N', "N\\U[N]a[J]"}}, {"vn", {'V', "NV\\U[N]a[J]U[V]t[1]"}}};
  const auto list = datagen::parseChineseWordList(
      utf8(u8"发展 90 vn\n关系 80 n\n干部 70 n\n干杯 60 n\n发 50 n\n制 40 n\n干事 30 vn\n"));
  std::string lexicon;
  datagen::FullCardSizes sizes;
  const std::string words =
      datagen::fullCjWords("", "", list, tags, {}, japanese, forms, traditional, twins, 10, "", lexicon, sizes);
  const char8_t* expected[] = {
      u8"发展\tNV\\U[N]a[J]U[V]t[1]\t-\tN,発展,N0000 | V,発展する,SHT00\n",  // the noun first
      u8"关系\tN\\U[N]a[J]\t-\tN,関係,N0000\n",
      u8"干部\tN\\U[N]a[J]\t-\tN,幹部,N0000\n",
      u8"干杯\tN\\U[N]a[J]\t-\tN,乾杯,N0000\n",
      u8"发\tN\\U[N]a[J]\t-\tN,髪,N0000\n",  // 髪 and 發 both nouns: the cheaper
      u8"制\tN\\U[N]a[J]\t-\tN,制,N0000\n",  // written the same in Japanese, though 製 is cheaper
      u8"干事\tNV\\U[N]a[J]U[V]t[1]\t-\tN,幹事,N0000\n",  // a vn word spelling a plain noun
  };
  for (const char8_t* line : expected) EXPECT_NE(words.find(utf8(line)), std::string::npos) << utf8(line) << words;
  EXPECT_NE(lexicon.find(utf8(u8"発展\t6.2.0.0\t=\t发展\t")), std::string::npos) << lexicon;
}

// A word the list tags as a name but that spells a common Japanese noun is a thing (毛 hair, not
// the surname); a common noun that is a surname too stays a common noun (林).
TEST(FullCardSources, NamesOnlyWhereTheSpellingIsNoCommonNoun) {
  datagen::JapaneseIndex japanese;
  datagen::addJapaneseEntries(utf8(u8"毛,1,1,5000,名詞,一般,*,*,*,*,毛,ケ,ケ\n"
                                   u8"毛,1,1,9000,名詞,固有名詞,人名,姓,*,*,毛,モウ,モー\n"
                                   u8"林,1,1,5000,名詞,一般,*,*,*,*,林,ハヤシ,ハヤシ\n"
                                   u8"林,1,1,7000,名詞,固有名詞,人名,姓,*,*,林,ハヤシ,ハヤシ\n"
                                   u8"李,1,1,7000,名詞,固有名詞,人名,姓,*,*,李,リ,リ\n"),
                              japanese);
  std::map<std::string, datagen::FullTag> tags = {{"n", {'N', "N\\U[N]a[J]"}}, {"nr", {'N', "N\\U[N]a[H]"}}};
  std::map<std::string, std::string> friends = {{utf8(u8"钟"), "N,時計,N0000"}};
  std::string lexicon;
  datagen::FullCardSizes sizes;
  const std::string words = datagen::fullCjWords(
      "", "", datagen::parseChineseWordList(utf8(u8"毛 9 nr\n林 8 n\n李 7 nr\n钟 6 nr\n")), tags, friends, japanese,
      {}, {}, {}, 10, "", lexicon, sizes);
  EXPECT_NE(words.find(utf8(u8"毛\tN\\U[N]a[J]\t-\tN,毛,N0000\n")), std::string::npos) << words;
  EXPECT_NE(words.find(utf8(u8"林\tN\\U[N]a[J]\t-\tN,林,N0000\n")), std::string::npos);
  EXPECT_NE(words.find(utf8(u8"李\tN\\U[N]a[H]\t-\tN,李,N<人>\n")), std::string::npos);
  EXPECT_NE(words.find(utf8(u8"钟\tN\\U[N]a[J]\t-\tN,時計,N0000\n")), std::string::npos);
  EXPECT_NE(lexicon.find(utf8(u8"毛\t6.1.0.0")), std::string::npos) << lexicon;
  EXPECT_NE(lexicon.find(utf8(u8"林\t6.1.0.0")), std::string::npos);
  EXPECT_NE(lexicon.find(utf8(u8"李\t6.5.0.0")), std::string::npos);
}

TEST(FullCardSources, WeightsFollowTheIpaCostAroundTheClassMiddle) {
  const struct {
    int cost, median, weight;
  } cases[] = {{5600, 5600, 10}, {836, 5600, 8}, {3000, 5600, 9}, {8000, 5600, 11},
               {20000, 5600, 12}, {-413, 4400, 8}, {7155, 7155, 10}};
  for (const auto& c : cases) EXPECT_EQ(datagen::weightOfCost(c.cost, c.median), c.weight) << c.cost;
  datagen::JapaneseIndex japanese;
  datagen::addJapaneseEntries(utf8(u8"甲,1,1,100,名詞,一般,*,*,*,*,甲,コウ,コー\n乙,1,1,300,名詞,一般,*,*,*,*,乙,オツ,オツ\n"
                                   u8"丙,1,1,200,名詞,一般,*,*,*,*,丙,ヘイ,ヘイ\n"),
                              japanese);
  EXPECT_EQ(japanese.nounMedian, 200);
}

// The IPA dictionary's verbs and adjectives whose kanji spell a Chinese verb or adjective of the
// list: stem, numbering, transitivity from the verb's twins, the Chinese word.
TEST(FullCardSources, BulkVerbsAndAdjectivesOfTheIpaDictionary) {
  datagen::JapaneseIndex japanese;
  auto verb = [](const char8_t* base, const char8_t* type) {
    return utf8(base) + ",1,1,7000,動詞,自立,*,*," + utf8(type) + ",基本形," + utf8(base) + ",*,*\n";
  };
  datagen::addJapaneseEntries(
      verb(u8"上がる", u8"五段・ラ行") + verb(u8"上げる", u8"一段") + verb(u8"回る", u8"五段・ラ行") +
          verb(u8"回す", u8"五段・サ行") + verb(u8"起きる", u8"一段") + verb(u8"起こす", u8"五段・サ行") +
          verb(u8"開く", u8"五段・カ行イ音便") + verb(u8"乗る", u8"五段・ラ行") + verb(u8"乗りこむ", u8"五段・マ行") +
          verb(u8"こむ", u8"五段・マ行") + verb(u8"走る", u8"五段・ラ行") + verb(u8"読む", u8"五段・マ行") +
          verb(u8"すむ", u8"五段・マ行") + verb(u8"愛する", u8"サ変・−スル") +
          utf8(u8"高い,1,1,4000,形容詞,自立,*,*,形容詞・アウオ段,基本形,高い,タカイ,タカイ\n"),
      japanese);
  std::map<std::string, datagen::FullConjugation> conjugations;
  std::string error;
  ASSERT_TRUE(datagen::parseFullConjugations(readSource("data/full/conjugations.txt"), conjugations, &error)) << error;
  std::map<std::string, datagen::FullTag> tags = {{"v", {'V', "V\\U[V]t[1]"}}, {"a", {'A', "A\\U[A]"}},
                                                   {"n", {'N', "N\\U[N]a[J]"}}};
  std::map<std::string, std::string> friends = {{utf8(u8"走"), "-"}};
  const std::map<char16_t, char16_t> forms = {{u'开', u'開'}, {u'乘', u'乗'}, {u'爱', u'愛'}};
  const auto list = datagen::parseChineseWordList(utf8(u8"上 90 v\n回 80 v\n起 70 v\n开 60 v\n乘 50 v\n走 40 v\n"
                                                       u8"读 30 v\n高 20 a\n爱 10 v\n上 5 n\n"));
  std::set<std::string> have = {datagen::stemKey(utf8(u8"読"), 2, 9)};
  int added = 0;
  const std::map<char16_t, char16_t> twins = {{u'乘', u'乗'}};
  const std::string lines = datagen::bulkInflectedLines(list, tags, friends, japanese, conjugations, forms, {}, twins,
                                                        100, have, added);
  const char8_t* expected[] = {
      u8"上が\t2.2.10.0\t=\t上\tV1\t12\t\t10\n",  // beside 上げる
      u8"上げ\t2.1.1.0\t=\t上\tVT\t13\t\t10\n",
      u8"回\t2.2.10.0\t=\t回\tV1\t12\t\t10\n",  // beside 回す
      u8"回\t2.1.5.0\t=\t回\tVT\t13\t\t10\n",
      u8"起き\t2.2.1.0\t=\t起\tV1\t12\t\t10\n",  // beside 起こす
      u8"起こ\t2.1.5.0\t=\t起\tVT\t13\t\t10\n",
      u8"開\t2.3.2.0\t=\t开\t\t13\t\t10\n",  // no twin: either
      u8"乗\t2.3.10.0\t=\t乘\t\t13\t\t10\n",
      u8"愛\t2.3.16.0\t=\t爱\t\t13\t\t10\n",
      u8"高\t3.0.18.0\t=\t高\tA\t\t\t10\n",
  };
  for (const char8_t* line : expected) EXPECT_NE(lines.find(utf8(line)), std::string::npos) << utf8(line) << lines;
  EXPECT_EQ(added, 10);
  EXPECT_EQ(lines.find(utf8(u8"乗りこ")), std::string::npos);  // a compound in kana
  EXPECT_EQ(lines.find(utf8(u8"走")), std::string::npos);      // a false friend
  EXPECT_EQ(lines.find(utf8(u8"読")), std::string::npos);      // the sample has it
  EXPECT_EQ(lines.find(utf8(u8"すむ")), std::string::npos);    // no kanji
  EXPECT_TRUE(have.count(datagen::stemKey(utf8(u8"上が"), 2, 10)));
}

}  // namespace

namespace {

// A generated word takes a reading only where each of its characters has one (经济 yes; 银行 no:
// 行 reads xing2 and hang2); lines with a reading and comments stay.
TEST(FullCardSources, ReadingsOnlyWhereEveryCharacterHasOne) {
  const auto readings = datagen::certainReadings(utf8(u8"# readings\nhanzi 经 jing1 weight=10\nhanzi 济 ji4,ji3 weight=8\n"
                                                      u8"hanzi 银 yin2 weight=8\nhanzi 行 xing2,hang2 weight=10\n"
                                                      u8"hanzi 历 li4 weight=8\nhanzi 史 shi3 weight=8\n"));
  EXPECT_EQ(readings.size(), 4u);
  const std::string words = utf8(u8"# c\n历史\tN\\U[N]a[J]\t-\tN,歴史,N0000\n银行\tN\\U[N]a[J]\t-\tN,銀行,N0000\n"
                                 u8"经\tN\\U[N]a[J]\tjing4\tN,経,N0000\n经济\tN\\U[N]a[J]\t-\tN,経済,N0000");
  EXPECT_EQ(datagen::withCertainReadings(words, readings),
            utf8(u8"# c\n历史\tN\\U[N]a[J]\tli4shi3\tN,歴史,N0000\n银行\tN\\U[N]a[J]\t-\tN,銀行,N0000\n"
                 u8"经\tN\\U[N]a[J]\tjing4\tN,経,N0000\n经济\tN\\U[N]a[J]\t-\tN,経済,N0000"));
}

}  // namespace

namespace {

// Japanese words whose kanji spell a Chinese list word of another class: the line takes the class
// the Chinese tag names where the Japanese word has it, else the Japanese word's own.
TEST(FullCardSources, JapaneseWordsTakeTheChineseWordTheirKanjiSpell) {
  auto ipa = [](const char8_t* word, const char8_t* pos2, const char8_t* pos3 = u8"*") {
    return utf8(word) + ",1,1,3000," + (utf8(pos2) == utf8(u8"副詞") ? utf8(u8"副詞,一般") : utf8(u8"名詞,") + utf8(pos2)) +
           "," + utf8(pos3) + ",*,*,*," + utf8(word) + ",*,*\n";
  };
  datagen::JapaneseIndex japanese;
  datagen::addJapaneseEntries(
      ipa(u8"直接", u8"副詞可能") + ipa(u8"有毒", u8"形容動詞語幹") + ipa(u8"有毒", u8"一般") + ipa(u8"高速", u8"一般") +
          ipa(u8"同席", u8"サ変接続") + ipa(u8"発見", u8"サ変接続") + ipa(u8"無縁", u8"形容動詞語幹") +
          ipa(u8"中立", u8"一般") + ipa(u8"断然", u8"副詞") + ipa(u8"断然", u8"形容動詞語幹") +
          ipa(u8"工事", u8"サ変接続") + ipa(u8"運", u8"一般") + ipa(u8"表示", u8"サ変接続") +
          ipa(u8"川口", u8"固有名詞", u8"人名") + ipa(u8"準備", u8"サ変接続") + ipa(u8"石田", u8"一般") +
          ipa(u8"一夜", u8"一般") + ipa(u8"同時", u8"副詞可能") + ipa(u8"合同", u8"サ変接続") + ipa(u8"機会", u8"一般") + ipa(u8"発現", u8"サ変接続") + ipa(u8"帰", u8"サ変接続"),
      japanese);
  const std::map<std::string, datagen::FullTag> tags = {
      {"v", {'V', "V\\U[V]t[1]"}},   {"vi", {'V', "V\\U[V]t[0]"}}, {"n", {'N', "N\\U[N]a[J]"}},
      {"nr", {'N', "N\\U[N]a[H]"}}, {"ns", {'N', "N\\U[N]a[L]"}}, {"ad", {'A', "A\\U[A]"}},
      {"d", {'F', "F\\U[F]"}}};
  // Left out, corrected to another word, corrected to the word its characters spell.
  const std::map<std::string, std::string> friends = {{utf8(u8"工事"), "-"},
                                                      {utf8(u8"合同"), utf8(u8"N,契約,N0000")},
                                                      {utf8(u8"机会"), utf8(u8"N,機会,N0000")},
                                                      {utf8(u8"发现"), utf8(u8"V,発見する,SHT00")}};
  const std::map<char16_t, char16_t> forms = {{u'现', u'現'}, {u'缘', u'縁'}, {u'运', u'運'}, {u'时', u'時'}};
  // 发 and 无 are characters of code page 932 too: their Japanese forms are traditional candidates.
  const datagen::TraditionalForms traditional = {{u'发', {u'発'}}, {u'无', {u'無'}}, {u'机', {u'機'}}};
  const auto list = datagen::parseChineseWordList(
      utf8(u8"直接 90 ad\n有毒 80 v\n高速 70 d\n同席 60 vi\n发现 50 v\n无缘 40 n\n中立 35 b\n断然 30 d\n工事 25 n\n"
           u8"运 20 v\n表示 15 v\n川口 12 ns\n准备 10 v\n石田 8 nr\n一夜 6 m\n同时 5 c\n合同 4 n\n机会 3 n\n"));
  const std::string lexicon = utf8(u8"# Nouns\n表示\t6.2.0.0\t=\t表示\t\t\t\t9\n準備\t2.1.16.0\t=\t准备\tVT\t13\n"
                                   u8"帰\t2.2.16.0\t=\t归\tV1\t12\n");
  int added = 0;
  const std::string lines =
      datagen::sameCharactersJcLines(lexicon, list, tags, friends, japanese, forms, traditional, {}, 100, added);
  const char8_t* expected[] = {
      u8"準備\t6.2.0.0\t=\t准备\t\t\t\t10\n",     // the verb stem's noun, with its Chinese word
      u8"直接\t6.10.0.0\t=\t直接\t\t\t\t10\n",    // an adverb-like noun: a time noun
      u8"有毒\t3.0.21.0\t=\t有毒\tA\t\t\t10\n",   // no サ変 noun: the na-adjective first
      u8"高速\t6.1.0.0\t=\t高速\t\t\t\t10\n",     // an adverb in Chinese, a noun in Japanese
      u8"同席\t6.2.0.0\t=\t同席\t\t\t\t10\n",     // a verb both ways: the noun and the verb,
      u8"同席\t2.2.16.0\t=\t同席\tV1\t12\t\t10\n",  // intransitive by its tag
      u8"無縁\t3.0.21.0\t=\t无缘\tA\t\t\t10\n",   // a noun in Chinese, a na-adjective in Japanese
      u8"中立\t6.1.0.0\t=\t中立\t\t\t\t10\n",     // a word of distinction (b)
      u8"断然\t8.6.0.0\t=\t断然\t\t\t\t10\n",     // the Chinese adverb's class before the na-adjective
      u8"一夜\t6.1.0.0\t=\t一夜\t\t\t\t10\n",     // a numeral (m)
      u8"機会\t6.1.0.0\t=\t机会\t\t\t\t10\n",     // corrected to the word its characters spell
  };
  for (const char8_t* line : expected) EXPECT_NE(lines.find(utf8(line)), std::string::npos) << utf8(line) << lines;
  EXPECT_EQ(added, 10);  // 同席 counts once
  // False friends (发现 is corrected to 発見, not 発現), one character (a verb stem's noun too), the
  // lexicon's own word, a name, a name-tagged word, a tag of no class.
  for (const char8_t* none : {u8"工事", u8"合同", u8"発", u8"運", u8"帰", u8"表示\t", u8"川口", u8"石田", u8"同時"})
    EXPECT_EQ(lines.find(utf8(none)), std::string::npos) << utf8(none);
  // The words the lexicon holds as words, not the stems of its verbs.
  const auto keys = datagen::lexiconWordKeys(lexicon + lines);
  EXPECT_TRUE(keys.count(utf8(u8"表示")) && keys.count(utf8(u8"準備")) && keys.count(utf8(u8"同席")));
  EXPECT_FALSE(datagen::lexiconWordKeys(utf8(u8"書\t2.1.5.0\t=\t写\tVT\t13\n高\t3.0.18.0\t=\t高\tA\n")).size());
}

}  // namespace
