#include "tools/datagen/full_card_pivot.h"

#include <gtest/gtest.h>

#include "platform/core/codepage.h"

#include <algorithm>
#include <set>

namespace {

std::string utf8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

char16_t one(const char8_t* s) { return plat::utf8ToWide(utf8(s))[0]; }

// EDICT lines in the form the package gives them (after conversion to UTF-8).
const char8_t kEdict[] =
    u8"盗む [ぬすむ] /(v5m,vt) to steal/(P)/EntL1/\n"
    u8"忘れる [わすれる] /(v1,vt) to forget/to leave carelessly/(P)/\n"
    u8"駅 [えき] /(n) (1) railway station/train station/(n) (2) staging post/(ctr) (3) counter for stations/(P)/\n"
    u8"幾ら [いくら] /(adv,n) (1) (uk) how much?/how many?/(2) (uk) to some extent/(P)/\n"
    u8"済みません;済了 [すみません;すいません] /(exp,int) (1) (uk) (pol) excuse me/I'm sorry/(P)/\n"
    u8"誕生日 [たんじょうび] /(n) birthday/(P)/\n"
    u8"週 [しゅう] /(n,n-suf) week/(P)/\n"
    u8"ウィーク /(n) (1) week/(n) (2) weak/(P)/\n"
    u8"盗人 [ぬすびと] /(n) thief/\n"
    u8"若い [わかい] /(adj-i) (1) young/(2) immature/\n"
    u8"郵便局 [ゆうびんきょく] /(n) post office/(P)/\n";

const char8_t kCedict[] =
    u8"偷 偷 [tou1] /to steal/to pilfer/thief/stealthily/\n"
    u8"多少 多少 [duo1 shao3] /number; amount/somewhat/\n"
    u8"多少 多少 [duo1 shao5] /how much?; how many?/\n"
    u8"車站 车站 [che1 zhan4] /rail station; bus stop/CL:處|处[chu4]/\n"
    u8"火車站 火车站 [huo3 che1 zhan4] /train station/\n"
    u8"生日 生日 [sheng1 ri4] /birthday/\n"
    u8"忘記 忘记 [wang4 ji4] /to forget/\n"
    u8"我們 我们 [wo3 men5] /we; us; ourselves; our/\n"
    u8"女 女 [nu:3] /female/woman/\n"
    u8"年輕 年轻 [nian2 qing1] /young/\n"
    u8"郵局 邮局 [you2 ju2] /post office/\n"
    u8"星期 星期 [xing1 qi1] /week; CL:個|个[ge4]/\n";

TEST(FullCardPivot, GlossesAreComparedPlain) {
  const std::pair<const char*, const char*> cases[] = {
      {"to steal", "steal"},           {"How much?", "how much"},  {"(scheduled) flight", "flight"},
      {"to let (sb) down", "let down"}, {"  Train  station ", "train station"}, {"tomato", "tomato"},
  };
  for (auto [in, want] : cases) EXPECT_EQ(datagen::normaliseGloss(in), want) << in;
}

TEST(FullCardPivot, EdictEntriesKeepSensesClassesAndKana) {
  const auto edict = datagen::parseEdict(utf8(kEdict));
  ASSERT_EQ(edict.size(), 11u);
  const auto& steal = edict[0];
  EXPECT_EQ(steal.spelling(), utf8(u8"盗む"));
  EXPECT_TRUE(steal.godan && steal.transitive && !steal.ichidan);
  ASSERT_EQ(steal.senses.size(), 1u);
  EXPECT_EQ(steal.senses[0].glosses, std::vector<std::string>{"steal"});
  EXPECT_EQ(steal.senses[0].classes, datagen::kPvVerb);
  const auto& station = edict[2];
  ASSERT_EQ(station.senses.size(), 3u);
  EXPECT_EQ(station.senses[0].glosses, (std::vector<std::string>{"railway station", "train station"}));
  EXPECT_EQ(station.senses[2].classes, datagen::kPvCounter);
  // "Usually kana" on the first sense: the word takes its first reading.
  EXPECT_EQ(edict[3].spelling(), utf8(u8"いくら"));
  EXPECT_EQ(edict[3].senses[0].classes, datagen::kPvAdverb | datagen::kPvNoun);
  EXPECT_EQ(edict[4].spelling(), utf8(u8"すみません"));
  EXPECT_EQ(edict[4].senses[0].classes, datagen::kPvExpression);
  EXPECT_TRUE(edict[9].adjectiveI);
}

TEST(FullCardPivot, CedictReadingsInTheCardsForm) {
  const auto cedict = datagen::parseCedict(utf8(kCedict));
  ASSERT_EQ(cedict.size(), 12u);
  EXPECT_EQ(cedict[3].senses.size(), 1u);  // the classifier is no sense
  const auto readings = datagen::cedictReadings(cedict);
  EXPECT_EQ(readings.at(utf8(u8"我们")), "Wo3Men0");
  EXPECT_EQ(readings.at(utf8(u8"多少")), "Duo1Shao3");  // the first of two
  EXPECT_EQ(readings.at(utf8(u8"女")), "Nv3");
  int given = 0;
  const std::string words = utf8(u8"我们\tR\\U[R]\t-\tN,私たち,N0000\n年轻\tA\\U[A]\tnian2qing1\tA,若い,KYOSI\n"
                                 u8"某某\tN\\U[N]a[J]\t-\tN,某,N0000\n");
  EXPECT_EQ(datagen::withCedictReadings(words, readings, given),
            utf8(u8"我们\tR\\U[R]\tWo3Men0\tN,私たち,N0000\n年轻\tA\\U[A]\tnian2qing1\tA,若い,KYOSI\n"
                 u8"某某\tN\\U[N]a[J]\t-\tN,某,N0000\n"));
  EXPECT_EQ(given, 1);
}

// Pairs through English in both directions, with the classes, the frequencies and the lines the
// card already holds deciding; every pair's first senses agree.
TEST(FullCardPivot, WordsPairThroughEnglish) {
  const auto edict = datagen::parseEdict(utf8(kEdict));
  const auto cedict = datagen::parseCedict(utf8(kCedict));
  datagen::JapaneseIndex japanese;
  datagen::addJapaneseEntries(utf8(u8"盗む,0,0,5000,動詞,自立,*,*,五段・マ行,基本形,盗む,ヌスム,ヌスム\n"
                                   u8"忘れる,0,0,4000,動詞,自立,*,*,一段,基本形,忘れる,ワスレル,ワスレル\n"
                                   u8"駅,0,0,3000,名詞,一般,*,*,*,*,駅,エキ,エキ\n"
                                   u8"誕生日,0,0,3500,名詞,一般,*,*,*,*,誕生日,タンジョウビ,タンジョービ\n"
                                   u8"週,0,0,5000,名詞,一般,*,*,*,*,週,シュウ,シュー\n"
                                   u8"ウィーク,0,0,1000,名詞,一般,*,*,*,*,ウィーク,ウィーク,ウィーク\n"
                                   u8"盗人,0,0,6000,名詞,一般,*,*,*,*,盗人,ヌスビト,ヌスビト\n"
                                   u8"若い,0,0,4500,形容詞,自立,*,*,形容詞・アウオ段,基本形,若い,ワカイ,ワカイ\n"),
                              japanese);
  std::map<std::string, datagen::FullTag> tags = {
      {"v", {'V', "V\\U[V]t[1]"}}, {"n", {'N', "N\\U[N]a[J]"}}, {"t", {'N', "N\\U[N]a[T]"}}, {"a", {'A', "A\\U[A]"}}};
  std::vector<datagen::ChineseListWord> list = {{utf8(u8"偷"), 900, "v"},     {utf8(u8"生日"), 800, "t"},
                                                {utf8(u8"车站"), 700, "n"},   {utf8(u8"火车站"), 600, "n"},
                                                {utf8(u8"忘记"), 500, "v"},   {utf8(u8"年轻"), 400, "a"},
                                                {utf8(u8"邮局"), 300, "n"},   {utf8(u8"星期"), 200, "t"}};
  std::map<std::string, std::string> friends;
  datagen::PivotSizes sizes;
  // 忘记 is held already (the same-characters rule or the core): it keeps its line.
  const std::string have = utf8(u8"忘记\tV\\U[V]t[1]\t-\tV,忘れる,TI000\n");
  const std::string cj = datagen::pivotCjWords(have, list, tags, friends, japanese, edict, cedict, 100, sizes);
  // 车站's "rail station" is no gloss of 駅, and 火车站's first gloss (train station) is not 駅's
  // (railway station): both stay without; 若い is no common word.
  EXPECT_EQ(cj, utf8(u8"偷\tV\\U[V]t[1]\t-\tV,盗む,TG000\n"
                     u8"生日\tN\\U[N]a[T]\t-\tN,誕生日,N0000\n"
                     u8"邮局\tN\\U[N]a[J]\t-\tN,郵便局,N0000\n"  // common, though the IPA dictionary lacks it
                     u8"星期\tN\\U[N]a[T]\t-\tN,週,N0000\n"));  // not the loanword, though more frequent
  EXPECT_EQ(sizes.chineseToJapanese, 4);

  std::map<std::string, datagen::FullConjugation> conj = {{utf8(u8"五段・マ行"), {2, 9, utf8(u8"む")}},
                                                          {utf8(u8"一段"), {2, 1, utf8(u8"る")}},
                                                          {utf8(u8"形容詞・アウオ段"), {3, 1, utf8(u8"い")}}};
  // The lexicon holds 誕生日 already; 盗人 has none (its "thief" is a sense of 偷, but a verb's).
  const std::string lexicon = utf8(u8"誕生日\t6.1.0.0\t=\t生日\tN\t\t\t10\n");
  const std::string jc = datagen::pivotJcLexicon(lexicon, list, tags, friends, japanese, conj, edict, cedict, 100, sizes);
  EXPECT_NE(jc.find(utf8(u8"盗\t2.1.9.0\t=\t偷\tVT\t13")), std::string::npos) << jc;
  EXPECT_NE(jc.find(utf8(u8"忘れ\t2.1.1.0\t=\t忘记\tVT\t13")), std::string::npos) << jc;
  EXPECT_EQ(jc.find(utf8(u8"駅\t")), std::string::npos) << jc;  // railway station is no 火车站's first gloss
  EXPECT_EQ(jc.find(utf8(u8"若\t")), std::string::npos) << jc;  // an adjective EDICT does not mark common
  EXPECT_EQ(jc.find(utf8(u8"誕生日")), std::string::npos) << jc;
  EXPECT_EQ(jc.find(utf8(u8"盗人")), std::string::npos) << jc;
  EXPECT_NE(jc.find(utf8(u8"郵便局\t6.1.0.0\t=\t邮局\t\t\t\t10\n")), std::string::npos) << jc;

  datagen::PivotSizes common;
  auto marked = edict;
  marked[9].common = true;
  EXPECT_NE(datagen::pivotJcLexicon(lexicon, list, tags, friends, japanese, conj, marked, cedict, 100, common)
                .find(utf8(u8"若\t3.0.1.0\t=\t年轻\tA\t")),
            std::string::npos);

  // A false friend listed "-" is never a translation. Past the list's cap a word is paired only
  // when its first sense is a common word's, gloss for gloss: not 星期 (its sense names its
  // classifier too).
  friends[utf8(u8"邮局")] = "-";
  datagen::PivotSizes again;
  const std::string jc2 = datagen::pivotJcLexicon(lexicon, list, tags, friends, japanese, conj, edict, cedict, 100, again);
  EXPECT_EQ(jc2.find(utf8(u8"郵便局\t")), std::string::npos) << jc2;
  friends.clear();
  EXPECT_EQ(datagen::pivotCjWords(have, list, tags, friends, japanese, edict, cedict, 1, again),
            utf8(u8"偷\tV\\U[V]t[1]\t-\tV,盗む,TG000\n"
                 u8"生日\tN\\U[N]a[T]\t-\tN,誕生日,N0000\n"
                 u8"邮局\tN\\U[N]a[J]\t-\tN,郵便局,N0000\n"));
}

// Words the list tags outside the card's classes: a common word tagged as a name (熊猫) is a noun
// when it pairs strictly, a surname (詹) is not; a numeral (多少) translates a Japanese word (いくら)
// but takes no Chinese line; a unit (公里, whose characters spell only a Japanese name) takes a
// Japanese counter before a noun, a one-character measure word (匹) nothing.
TEST(FullCardPivot, NamesNumeralsAndMeasureWordsOfTheList) {
  const auto edict = datagen::parseEdict(utf8(kEdict) + utf8(u8"パンダ /(n) panda/(P)/\n冗長 [じょうちょう] /(adj-na,n) verbose/(P)/\n"
                                                              u8"キロ米 [キロメートル] /(ateji) (n) (uk) kilometer/kilometre/\n"
                                                              u8"キロ /(pref) (1) kilo-/(n) (2) kilometer/(P)/\n"
                                                              u8"マッチング /(n) matching/(P)/\n"));
  const auto cedict = datagen::parseCedict(utf8(kCedict) + utf8(u8"熊貓 熊猫 [xiong2 mao1] /panda/\n"
                                                                  u8"詹 詹 [Zhan1] /surname Zhan/\n詹 詹 [zhan1] /verbose/\n"
                                                                  u8"公里 公里 [gong1 li3] /kilometer/\n"
                                                                  u8"匹 匹 [pi3] /matching/classifier for horses/\n"));
  datagen::JapaneseIndex japanese;
  datagen::addJapaneseEntries(utf8(u8"パンダ,0,0,3000,名詞,一般,*,*,*,*,パンダ,パンダ,パンダ\n"
                                   u8"冗長,0,0,3000,名詞,形容動詞語幹,*,*,*,*,冗長,ジョウチョウ,ジョーチョー\n"
                                   u8"いくら,0,0,3000,副詞,一般,*,*,*,*,いくら,イクラ,イクラ\n"
                                   u8"公里,0,0,9000,名詞,固有名詞,人名,名,*,*,公里,キミサト,キミサト\n"
                                   u8"キロ,0,0,3000,名詞,一般,*,*,*,*,キロ,キロ,キロ\n"
                                   u8"キロメートル,0,0,4000,名詞,接尾,助数詞,*,*,*,キロメートル,キロメートル,キロメートル\n"
                                   u8"マッチング,0,0,3000,名詞,一般,*,*,*,*,マッチング,マッチング,マッチング\n"),
                              japanese);
  const std::map<std::string, datagen::FullTag> tags = {{"n", {'N', "N\\U[N]a[J]"}}, {"nr", {'N', "N\\U[N]a[H]"}}};
  const std::vector<datagen::ChineseListWord> list = {{utf8(u8"熊猫"), 900, "nr"}, {utf8(u8"詹"), 800, "nr"},
                                                      {utf8(u8"多少"), 700, "m"},   {utf8(u8"公里"), 600, "q"},
                                                      {utf8(u8"匹"), 500, "q"}};
  datagen::PivotSizes sizes;
  EXPECT_EQ(datagen::pivotCjWords("", list, tags, {}, japanese, edict, cedict, 100, sizes),
            utf8(u8"熊猫\tN\\U[N]a[J]\t-\tN,パンダ,N0000\n"
                 u8"公里\tS\\U[S]\t-\tQ,キロメートル,N0000\n"));
  const std::string jc = datagen::pivotJcLexicon("", list, tags, {}, japanese, {}, edict, cedict, 100, sizes);
  EXPECT_NE(jc.find(utf8(u8"いくら\t8.6.0.0\t=\t多少\t")), std::string::npos) << jc;
  EXPECT_NE(jc.find(utf8(u8"パンダ\t6.1.0.0\t=\t熊猫\t")), std::string::npos) << jc;
  EXPECT_EQ(jc.find(utf8(u8"冗長")), std::string::npos) << jc;
}

}  // namespace

namespace {

// A noun with する pairs with the Chinese verb before a noun of the same gloss, and is listed as a
// noun and as a verb; the first senses must agree (受胎, conception, is no 想像力's first gloss).
TEST(FullCardPivot, NounsWithSuruTakeTheVerb) {
  const auto edict = datagen::parseEdict(utf8(u8"学習 [がくしゅう] /(n,vs) study/learning/(P)/\n"
                                              u8"受胎 [じゅたい] /(n,vs) conception/(P)/\n"));
  const auto cedict = datagen::parseCedict(utf8(u8"學習 学习 [xue2 xi2] /to study; to learn/\n"
                                                u8"書房 书房 [shu1 fang2] /study (room); studio/\n"
                                                u8"想像力 想像力 [xiang3 xiang4 li4] /imagination/conception/\n"));
  datagen::JapaneseIndex japanese;
  datagen::addJapaneseEntries(utf8(u8"学習,0,0,3000,名詞,サ変接続,*,*,*,*,学習,ガクシュウ,ガクシュー\n"
                                   u8"受胎,0,0,6000,名詞,サ変接続,*,*,*,*,受胎,ジュタイ,ジュタイ\n"),
                              japanese);
  const std::map<std::string, datagen::FullTag> tags = {{"v", {'V', "V\\U[V]t[1]"}}, {"n", {'N', "N\\U[N]a[J]"}}};
  const std::vector<datagen::ChineseListWord> list = {
      {utf8(u8"书房"), 900, "n"}, {utf8(u8"想像力"), 800, "n"}, {utf8(u8"学习"), 700, "v"}};
  datagen::PivotSizes sizes;
  EXPECT_EQ(datagen::pivotJcLexicon("", list, tags, {}, japanese, {}, edict, cedict, 100, sizes),
            utf8(u8"学習\t6.2.0.0\t=\t学习\t\t\t\t9\n学習\t2.1.16.0\t=\t学习\tVT\t13\t\t9\n"));
}

}  // namespace

namespace {

// Every word pairs only when its first senses agree (the first gloss of each in the other's first
// sense) with a common Japanese word, not on an English word of two senses, not through a variant
// line of CC-CEDICT; else it is left to the next source. Renderings are written in their
// language's script.
TEST(FullCardPivot, WordsPairOnlyWhenTheirFirstSensesAgree) {
  const auto edict = datagen::parseEdict(utf8(kEdict) + utf8(u8"言い交す [いいかわす] /(v5s,vt) to have a chat with/to get engaged/\n"
                                                              u8"食う [くう] /(v5u,vt) (1) to eat/(2) to live/(P)/\n"
                                                              u8"有難う [ありがとう] /(int) (uk) thank you/thanks/(P)/\n"
                                                              u8"ＯＫ [オーケー] /(n) OK/(P)/\n"
                                                              u8"蓋 [ふた] /(n) cover/lid/(P)/\n"
                                                              u8"嵌る [はまる] /(v5r,vi) (uk) to fit/to get into/(P)/\n"));
  const auto cedict = datagen::parseCedict(utf8(kCedict) + utf8(u8"喝茶 喝茶 [he1 cha2] /to drink tea/to get engaged/\n"
                                                                  u8"吃飯 吃饭 [chi1 fan4] /to have a meal/to eat/\n"
                                                                  u8"3Q 3Q [san1 Q] /thank you/\n"
                                                                  u8"謝謝 谢谢 [xie4 xie5] /thank you; thanks/to thank/\n"
                                                                  u8"好的 好的 [hao3 de5] /OK/\n"
                                                                  u8"封面 封面 [feng1 mian4] /cover (of a book)/\n"
                                                                  u8"稱 称 [chen4] /variant of 稱|称[chen4]/to fit/\n"
                                                                  u8"合 合 [he2] /to fit; see also 合適|合适[he2 shi4]/\n"));
  datagen::JapaneseIndex japanese;
  datagen::addJapaneseEntries(utf8(u8"盗む,0,0,5000,動詞,自立,*,*,五段・マ行,基本形,盗む,ヌスム,ヌスム\n"
                                   u8"言い交す,0,0,9000,動詞,自立,*,*,五段・サ行,基本形,言い交す,イイカワス,イイカワス\n"
                                   u8"食う,0,0,5000,動詞,自立,*,*,五段・ワ行促音便,基本形,食う,クウ,クウ\n"
                                   u8"はまる,0,0,5000,動詞,自立,*,*,五段・ラ行,基本形,はまる,ハマル,ハマル\n"
                                   u8"駅,0,0,3000,名詞,一般,*,*,*,*,駅,エキ,エキ\n"
                                   u8"蓋,0,0,3000,名詞,一般,*,*,*,*,蓋,フタ,フタ\n"
                                   u8"ＯＫ,0,0,3000,名詞,一般,*,*,*,*,ＯＫ,オーケー,オーケー\n"),
                              japanese);
  const std::map<std::string, datagen::FullTag> tags = {{"v", {'V', "V\\U[V]t[1]"}}, {"n", {'N', "N\\U[N]a[J]"}}};
  const std::vector<datagen::ChineseListWord> list = {
      {utf8(u8"偷"), 900, "v"},     {utf8(u8"吃饭"), 800, "v"}, {utf8(u8"喝茶"), 700, "v"}, {utf8(u8"火车站"), 600, "n"},
      {utf8(u8"好的"), 500, "n"},   {utf8(u8"封面"), 400, "n"}, {utf8(u8"称"), 300, "v"},   {utf8(u8"合"), 200, "v"}};
  datagen::PivotSizes sizes;
  // 偷 盗む agree; 吃饭 (have a meal) and 食う (eat), 喝茶 and 言い交す meet on later senses only;
  // 封面 and 蓋 on "cover" only, a word of two senses; 称 only on its variant line; 合, "see also"
  // aside, agrees with はまる. ＯＫ is no Japanese word for 好的.
  EXPECT_EQ(datagen::pivotCjWords("", list, tags, {}, japanese, edict, cedict, 100, sizes),
            utf8(u8"偷\tV\\U[V]t[1]\t-\tV,盗む,TG000\n合\tV\\U[V]t[1]\t-\tV,はまる,ZG000\n"));

  // Japanese to Chinese: 駅 (railway station, train station) meets 火车站 (train station), but
  // 駅's first gloss is not 火车站's; 蓋 meets 封面 on "cover" only.
  const std::string jc = datagen::pivotJcLexicon("", list, tags, {}, japanese, {}, edict, cedict, 100, sizes);
  EXPECT_EQ(jc.find(utf8(u8"駅\t")), std::string::npos) << jc;
  EXPECT_EQ(jc.find(utf8(u8"蓋\t")), std::string::npos) << jc;

  // The viewer's pairs: ありがとう has 谢谢, never 3Q.
  const datagen::ViewerPairs pairs = datagen::viewerPairs(edict, cedict, {}, 3);
  EXPECT_EQ(pairs.chinese.count("3Q"), 0u);
  const auto thanks = std::find_if(edict.begin(), edict.end(), [](const datagen::EdictEntry& e) {
    return e.spelling() == utf8(u8"ありがとう");
  });
  ASSERT_NE(thanks, edict.end());
  EXPECT_EQ(pairs.japanese[static_cast<std::size_t>(thanks - edict.begin())].partners,
            std::vector<std::string>{utf8(u8"谢谢")});
}

// A pair that rests on one English word which many common Japanese words give as their first sense,
// with no character in common, is refused both ways, and the next candidate does not step in
// (功劳 and 寄附 meet on "contribution" only); a pair graded right by hand stays.
TEST(FullCardPivot, PairsOnAVagueGlossAreRefused) {
  const auto edict = datagen::parseEdict(utf8(u8"寄附 [きふ] /(n,vs) contribution/donation/(P)/\n"
                                              u8"貢献 [こうけん] /(n,vs) contribution/services/(P)/\n"
                                              u8"寄与 [きよ] /(n,vs) contribution/(P)/\n"
                                              u8"寄稿 [きこう] /(n,vs) contribution (e.g. to a newspaper)/(P)/\n"
                                              u8"盗む [ぬすむ] /(v5m,vt) to steal/(P)/\n"));
  const auto cedict = datagen::parseCedict(utf8(u8"功勞 功劳 [gong1 lao2] /contribution/meritorious service/credit/\n"
                                                u8"偷 偷 [tou1] /to steal/to pilfer/\n"));
  datagen::JapaneseIndex japanese;
  datagen::addJapaneseEntries(utf8(u8"寄附,0,0,4000,名詞,サ変接続,*,*,*,*,寄附,キフ,キフ\n"
                                   u8"貢献,0,0,4000,名詞,サ変接続,*,*,*,*,貢献,コウケン,コーケン\n"
                                   u8"寄与,0,0,4000,名詞,サ変接続,*,*,*,*,寄与,キヨ,キヨ\n"
                                   u8"寄稿,0,0,4000,名詞,サ変接続,*,*,*,*,寄稿,キコウ,キコー\n"
                                   u8"盗む,0,0,5000,動詞,自立,*,*,五段・マ行,基本形,盗む,ヌスム,ヌスム\n"),
                              japanese);
  const std::map<std::string, datagen::FullTag> tags = {{"v", {'V', "V\\U[V]t[1]"}}, {"n", {'N', "N\\U[N]a[J]"}}};
  const std::vector<datagen::ChineseListWord> list = {{utf8(u8"功劳"), 900, "n"}, {utf8(u8"偷"), 800, "v"}};
  const std::map<std::string, datagen::FullConjugation> conj = {{utf8(u8"五段・マ行"), {2, 9, utf8(u8"む")}}};
  datagen::PivotSizes sizes;
  EXPECT_EQ(datagen::pivotCjWords("", list, tags, {}, japanese, edict, cedict, 100, sizes),
            utf8(u8"偷\tV\\U[V]t[1]\t-\tV,盗む,TG000\n"));
  EXPECT_EQ(sizes.vague, std::set<std::string>{utf8(u8"功劳")});
  const std::string jc = datagen::pivotJcLexicon("", list, tags, {}, japanese, conj, edict, cedict, 100, sizes);
  EXPECT_EQ(jc.find(utf8(u8"功劳")), std::string::npos) << jc;
  EXPECT_NE(jc.find(utf8(u8"盗\t")), std::string::npos) << jc;

  // Graded right by hand, the pair stays.
  datagen::PivotSizes graded;
  const std::string vouched = datagen::pivotJcLexicon("", list, tags, {}, japanese, conj, edict, cedict, 100, graded, {},
                                                      {{utf8(u8"寄附"), utf8(u8"功劳")}});
  EXPECT_NE(vouched.find(utf8(u8"寄附\t6.2.0.0\t=\t功劳\t")), std::string::npos) << vouched;
}

// The characters as a second source: an EDICT word written with the Chinese word's characters
// pairs in its own spelling when the first senses share a gloss (混凝土 [コンクリート]), common or
// not, both ways; a Chinese verb takes the Japanese verb of its kanji and the kana of its ending (吸
// 吸う) when a sense of one shares a gloss with a first sense of the other. A spelling the IPA
// dictionary holds as it stands is left to the rules of the characters.
TEST(FullCardPivot, SameCharactersAndKanaEndingsPair) {
  const auto edict = datagen::parseEdict(utf8(u8"混凝土 [コンクリート] /(ateji) (n) (uk) concrete/\n"
                                              u8"吸う [すう] /(v5u,vt) (1) to smoke/to breathe in/to inhale/(2) to suck/(P)/\n"
                                              u8"書く [かく] /(v5k,vt) to write/(P)/\n"
                                              u8"鉄砲 [てっぽう] /(n) gun/(P)/\n"));
  const auto cedict = datagen::parseCedict(utf8(u8"混凝土 混凝土 [hun4 ning2 tu3] /concrete (building material)/\n"
                                                u8"吸 吸 [xi1] /to breathe/to suck in/to absorb/to inhale/\n"
                                                u8"書 书 [shu1] /book/letter/\n"
                                                u8"鐵砲 铁炮 [tie3 pao4] /cannon/\n"));
  datagen::JapaneseIndex japanese;
  datagen::addJapaneseEntries(utf8(u8"コンクリート,0,0,3800,名詞,一般,*,*,*,*,コンクリート,コンクリート,コンクリート\n"
                                   u8"吸う,0,0,5000,動詞,自立,*,*,五段・ワ行促音便,基本形,吸う,スウ,スウ\n"
                                   u8"書く,0,0,5000,動詞,自立,*,*,五段・カ行イ音便,基本形,書く,カク,カク\n"
                                   u8"鉄砲,0,0,5000,名詞,一般,*,*,*,*,鉄砲,テッポウ,テッポー\n"),
                              japanese);
  const std::map<std::string, datagen::FullTag> tags = {{"v", {'V', "V\\U[V]t[1]"}}, {"n", {'N', "N\\U[N]a[J]"}}};
  const std::vector<datagen::ChineseListWord> list = {
      {utf8(u8"混凝土"), 900, "n"}, {utf8(u8"吸"), 800, "v"}, {utf8(u8"书"), 700, "v"}, {utf8(u8"铁炮"), 600, "n"}};
  const datagen::SpellingsOf spellings = {{utf8(u8"混凝土"), {utf8(u8"混凝土")}},
                                          {utf8(u8"吸"), {utf8(u8"吸")}},
                                          {utf8(u8"书"), {utf8(u8"書")}},
                                          {utf8(u8"铁炮"), {utf8(u8"鉄砲")}}};
  datagen::PivotSizes sizes;
  // 书 (book) shares no gloss with 書く; 铁炮 is 鉄砲 as the IPA dictionary writes it: the rules of
  // the characters decide it. Without the spellings, neither 混凝土 nor 吸 pairs.
  EXPECT_EQ(datagen::pivotCjWords("", list, tags, {}, japanese, edict, cedict, 100, sizes, spellings),
            utf8(u8"混凝土\tN\\U[N]a[J]\t-\tN,コンクリート,N0000\n吸\tV\\U[V]t[1]\t-\tV,吸う,TG000\n"));
  EXPECT_EQ(datagen::pivotCjWords("", list, tags, {}, japanese, edict, cedict, 100, sizes), "");
  const std::string jc = datagen::pivotJcLexicon("", list, tags, {}, japanese, {}, edict, cedict, 100, sizes, spellings);
  EXPECT_NE(jc.find(utf8(u8"コンクリート\t6.1.0.0\t=\t混凝土\t")), std::string::npos) << jc;
  EXPECT_EQ(jc.find(utf8(u8"鉄砲")), std::string::npos) << jc;
}

// The last pass: a word still without a pair takes a common word whose first senses meet (the first
// gloss of one in the other's first sense) on two glosses or more (谨慎 cautious, prudent; 慎重
// careful, prudent, cautious), each way; not on one gloss (小心: cautious), nor before the last pass.
TEST(FullCardPivot, TheLastPassTakesFirstSensesMeetingTwice) {
  const auto edict = datagen::parseEdict(utf8(u8"慎重 [しんちょう] /(adj-na,n) careful/prudent/cautious/(P)/\n"
                                              u8"用心 [ようじん] /(n,vs) care/caution/(P)/\n"));
  const auto cedict = datagen::parseCedict(utf8(u8"謹慎 谨慎 [jin3 shen4] /cautious; prudent/\n"
                                                u8"小心 小心 [xiao3 xin1] /cautious/\n"));
  datagen::JapaneseIndex japanese;
  datagen::addJapaneseEntries(utf8(u8"慎重,0,0,3000,名詞,形容動詞語幹,*,*,*,*,慎重,シンチョウ,シンチョー\n"
                                   u8"用心,0,0,3000,名詞,サ変接続,*,*,*,*,用心,ヨウジン,ヨージン\n"),
                              japanese);
  const std::map<std::string, datagen::FullTag> tags = {{"a", {'A', "A\\U[A]"}}};
  const std::vector<datagen::ChineseListWord> list = {{utf8(u8"谨慎"), 900, "a"}, {utf8(u8"小心"), 800, "a"}};
  datagen::PivotSizes sizes;
  EXPECT_EQ(datagen::pivotCjWords("", list, tags, {}, japanese, edict, cedict, 100, sizes), "");
  EXPECT_EQ(datagen::pivotCjWords("", list, tags, {}, japanese, edict, cedict, 100, sizes, {}, {}, true),
            utf8(u8"谨慎\tA\\U[A]\t-\tA,慎重だ,KYODO\n"));
  EXPECT_EQ(datagen::pivotJcLexicon("", list, tags, {}, japanese, {}, edict, cedict, 100, sizes), "");
  const std::string jc = datagen::pivotJcLexicon("", list, tags, {}, japanese, {}, edict, cedict, 100, sizes, {}, {}, true);
  EXPECT_NE(jc.find(utf8(u8"慎重\t3.0.21.0\t=\t谨慎\tA\t")), std::string::npos) << jc;
  EXPECT_EQ(jc.find(utf8(u8"用心")), std::string::npos) << jc;
}

// The last pass, when nothing else pairs a word, takes a rarer EDICT word (not common, not in the
// IPA dictionary) written with its characters, first senses sharing a gloss (树种 樹種: tree species); not one
// meeting on a later sense (可憐: lovely, then pitiful), nor a verb (耗損 as a verb with する).
TEST(FullCardPivot, TheLastPassTakesRarerWordsOfTheSameCharacters) {
  const auto edict = datagen::parseEdict(utf8(u8"樹種 [じゅしゅ] /(n) tree species/\n"
                                              u8"可憐 [かれん] /(adj-na,n) (1) sweet/lovely/(adj-na,n) (2) pitiful/\n"
                                              u8"耗損 [もうそん] /(n,vs) wastage/loss/\n"));
  const auto cedict = datagen::parseCedict(utf8(u8"樹種 树种 [shu4 zhong3] /tree species/\n"
                                                u8"可憐 可怜 [ke3 lian2] /pitiful; pathetic/\n"
                                                u8"耗損 耗损 [hao4 sun3] /to waste; loss/\n"));
  const std::map<std::string, datagen::FullTag> tags = {{"n", {'N', "N\\U[N]a[J]"}}, {"a", {'A', "A\\U[A]"}},
                                                        {"v", {'V', "V\\U[V]t[1]"}}};
  const std::vector<datagen::ChineseListWord> list = {
      {utf8(u8"树种"), 900, "n"}, {utf8(u8"可怜"), 800, "a"}, {utf8(u8"耗损"), 700, "v"}};
  const datagen::SpellingsOf spellings = {{utf8(u8"树种"), {utf8(u8"樹種")}},
                                          {utf8(u8"可怜"), {utf8(u8"可憐")}},
                                          {utf8(u8"耗损"), {utf8(u8"耗損")}}};
  datagen::JapaneseIndex japanese;
  datagen::PivotSizes sizes;
  EXPECT_EQ(datagen::pivotCjWords("", list, tags, {}, japanese, edict, cedict, 100, sizes, spellings), "");
  EXPECT_EQ(datagen::pivotCjWords("", list, tags, {}, japanese, edict, cedict, 100, sizes, spellings, {}, true),
            utf8(u8"树种\tN\\U[N]a[J]\t-\tN,樹種,N0000\n"));
}

// Another spelling of a word the lexicon pairs (the same reading, kanji and first sense, more or
// less kana) takes its line: not over a one-kanji key (語 of 語り), another first sense or reading.
TEST(FullCardPivot, OtherSpellingsTakeThePairedWordsLine) {
  const auto edict = datagen::parseEdict(utf8(u8"売り上げ [うりあげ] /(n) amount sold/sales/(P)/\n"
                                              u8"売上げ [うりあげ] /(n) amount sold/sales/(P)/\n"
                                              u8"語 [かたり] /(n) talking/\n"
                                              u8"語り [かたり] /(n) talking/(P)/\n"
                                              u8"締め切り [しめきり] /(n) deadline/(P)/\n"
                                              u8"締切 [しめきり] /(n) closing/(P)/\n"
                                              u8"見事 [みごと] /(adj-na) splendid/(P)/\n"
                                              u8"美事 [びじ] /(adj-na) splendid/(P)/\n"));
  const std::string lexicon = utf8(u8"売り上げ\t6.1.0.0\t=\t销售额\tN\n"
                                   u8"語\t6.1.0.0\t=\t语\t\t\t\t9\n"
                                   u8"締め切り\t6.1.0.0\t=\t截止日期\tN\n"
                                   u8"美事\t3.0.21.0\t=\t美事\tA\t\t\t9\n");
  int added = 0;
  EXPECT_EQ(datagen::spellingVariantJcLines(lexicon, edict, added), utf8(u8"売上げ\t6.1.0.0\t=\t销售额\tN\n"));
  EXPECT_EQ(added, 1);
}

// Japanese kanji words whose characters spell a Chinese word past the list's cap, or a common word
// of CC-CEDICT the list lacks, take it when a first sense of one shares an English word with a sense
// of the other (遮断 cut off, 遮断 to cut off; 会話 conversation, 会话): not 造成 (development; to
// bring about), a false friend, a name, a word within the cap (left to the rules before), a word
// the lexicon holds, or a word EDICT does not mark common.
TEST(FullCardPivot, KanjiWordsSpellingAChineseWordPastTheCap) {
  const auto edict = datagen::parseEdict(utf8(u8"遮断 [しゃだん] /(n,vs) isolation/cut off/blockade/(P)/\n"
                                              u8"造成 [ぞうせい] /(n,vs) development/preparation/(P)/\n"
                                              u8"会話 [かいわ] /(n,vs) conversation/(P)/\n"
                                              u8"未然 [みぜん] /(n) before it happens/(P)/\n"
                                              u8"表裏 [ひょうり] /(n,vs) front and back/inside and outside/\n"
                                              u8"看板 [かんばん] /(n) signboard/billboard/(P)/\n"
                                              u8"首位 [しゅい] /(n) top position/(P)/\n"));
  const auto cedict = datagen::parseCedict(utf8(u8"遮斷 遮断 [zhe1 duan4] /to cut off; to interrupt/\n"
                                                u8"造成 造成 [zao4 cheng2] /to bring about; to create/\n"
                                                u8"會話 会话 [hui4 hua4] /(language learning) conversation/\n"
                                                u8"未然 未然 [wei4 ran2] /before it happens; in advance/\n"
                                                u8"表裡 表里 [biao3 li3] /the outside and the inside/\n"
                                                u8"看板 看板 [kan4 ban3] /billboard/\n"
                                                u8"首位 首位 [shou3 wei4] /first place; top position/\n"));
  datagen::JapaneseIndex japanese;
  datagen::addJapaneseEntries(utf8(u8"遮断,0,0,3000,名詞,サ変接続,*,*,*,*,遮断,シャダン,シャダン\n"
                                   u8"造成,0,0,3000,名詞,サ変接続,*,*,*,*,造成,ゾウセイ,ゾーセイ\n"
                                   u8"会話,0,0,3000,名詞,サ変接続,*,*,*,*,会話,カイワ,カイワ\n"
                                   u8"未然,0,0,3000,名詞,一般,*,*,*,*,未然,ミゼン,ミゼン\n"
                                   u8"表裏,0,0,3000,名詞,サ変接続,*,*,*,*,表裏,ヒョウリ,ヒョーリ\n"
                                   u8"看板,0,0,3000,名詞,一般,*,*,*,*,看板,カンバン,カンバン\n"
                                   u8"首位,0,0,3000,名詞,一般,*,*,*,*,首位,シュイ,シュイ\n"),
                              japanese);
  const std::map<std::string, datagen::FullTag> tags = {
      {"v", {'V', "V\\U[V]t[1]"}}, {"n", {'N', "N\\U[N]a[J]"}}, {"d", {'F', "F\\U[F]"}}, {"nr", {'N', "N\\U[N]a[H]"}}};
  const std::vector<datagen::ChineseListWord> list = {
      {utf8(u8"首位"), 900, "n"}, {utf8(u8"遮断"), 5, "v"}, {utf8(u8"造成"), 5, "v"},
      {utf8(u8"未然"), 4, "d"},   {utf8(u8"表里"), 3, "n"}, {utf8(u8"看板"), 3, "nr"}};
  const std::map<char16_t, char16_t> forms = {{one(u8"话"), one(u8"話")}, {one(u8"里"), one(u8"裏")}};
  int added = 0;
  const std::string jc = datagen::pastCapJcLines(utf8(u8"未然\t6.1.0.0\t=\t事先\t\t\t\t9\n"), list, tags, {},
                                                 japanese, forms, {}, {}, edict, cedict, 1, added);
  EXPECT_NE(jc.find(utf8(u8"遮断\t6.2.0.0\t=\t遮断\t")), std::string::npos) << jc;
  EXPECT_NE(jc.find(utf8(u8"遮断\t2.1.16.0\t=\t遮断\tVT\t")), std::string::npos) << jc;  // a Chinese verb
  EXPECT_NE(jc.find(utf8(u8"会話\t6.2.0.0\t=\t会话\t")), std::string::npos) << jc;
  EXPECT_NE(jc.find(utf8(u8"会話\t2.1.16.0\t=\t会话\tVT\t")), std::string::npos) << jc;  // EDICT's vs
  for (const char8_t* none : {u8"造成", u8"首位", u8"未然", u8"表裏", u8"看板"})
    EXPECT_EQ(jc.find(utf8(none)), std::string::npos) << utf8(none) << " in\n" << jc;
  EXPECT_EQ(added, 2);
  // A false friend is no translation.
  added = 0;
  const std::map<std::string, std::string> friends = {{utf8(u8"遮断"), "-"}};
  EXPECT_EQ(datagen::pastCapJcLines("", list, tags, friends, japanese, forms, {}, {}, edict, cedict, 1, added)
                .find(utf8(u8"遮断")),
            std::string::npos);
}

// Japanese to Chinese, a key of one kanji takes only a Chinese word of one or two characters written
// with it (斧 斧子), not one English gives for the kanji as a word of its own (独: Germany, 德国),
// unless graded right by hand: the analysis falls back on such keys inside the words it splits.
TEST(FullCardPivot, OneKanjiKeysTakeAWordWrittenWithThem) {
  const auto edict = datagen::parseEdict(utf8(u8"斧 [おの] /(n) axe/hatchet/(P)/\n独 [どく] /(n) Germany/(P)/\n"));
  const auto cedict = datagen::parseCedict(utf8(u8"斧子 斧子 [fu3 zi5] /axe/hatchet/\n德國 德国 [de2 guo2] /Germany/\n"));
  datagen::JapaneseIndex japanese;
  datagen::addJapaneseEntries(utf8(u8"斧,0,0,6000,名詞,一般,*,*,*,*,斧,オノ,オノ\n独,0,0,7900,名詞,一般,*,*,*,*,独,ドク,ドク\n"),
                              japanese);
  const std::map<std::string, datagen::FullTag> tags = {{"n", {'N', "N\\U[N]a[J]"}}};
  const std::vector<datagen::ChineseListWord> list = {{utf8(u8"德国"), 900, "n"}, {utf8(u8"斧子"), 800, "n"}};
  const datagen::SpellingsOf spellings = {{utf8(u8"德国"), {utf8(u8"徳国"), utf8(u8"徳國")}},
                                          {utf8(u8"斧子"), {utf8(u8"斧子")}}};
  datagen::PivotSizes sizes;
  const std::string jc = datagen::pivotJcLexicon("", list, tags, {}, japanese, {}, edict, cedict, 100, sizes, spellings);
  EXPECT_NE(jc.find(utf8(u8"斧\t6.1.0.0\t=\t斧子\t")), std::string::npos) << jc;
  EXPECT_EQ(jc.find(utf8(u8"独\t")), std::string::npos) << jc;
  const std::string graded = datagen::pivotJcLexicon("", list, tags, {}, japanese, {}, edict, cedict, 100, sizes,
                                                     spellings, {{utf8(u8"独"), utf8(u8"德国")}});
  EXPECT_NE(graded.find(utf8(u8"独\t6.1.0.0\t=\t德国\t")), std::string::npos) << graded;
}

TEST(FullCardPivot, RenderingsInTheirLanguagesScript) {
  const struct {
    const char8_t* word;
    bool japanese;
    bool written;
  } cases[] = {
      {u8"谢谢", false, true},  {u8"T恤", false, true},       {u8"3Q", false, false},  {u8"３Ｑ", false, false},
      {u8"ありがとう", false, false}, {u8"ありがとう", true, true}, {u8"Tシャツ", true, true}, {u8"ＯＫ", true, false},
      {u8"(^_^)", true, false}, {u8"一番", true, true},      {u8"1番", true, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(datagen::pivotRenderingInScript(utf8(c.word), c.japanese), c.written) << utf8(c.word) << c.japanese;
}

TEST(FullCardPivot, WordsSpelledByOthers) {
  const std::set<std::string> words = {utf8(u8"喝"), utf8(u8"茶"), utf8(u8"一块"), utf8(u8"喝茶")};
  EXPECT_TRUE(datagen::spelledByWords(utf8(u8"喝茶"), words));     // 喝 茶, not itself
  EXPECT_TRUE(datagen::spelledByWords(utf8(u8"喝茶茶"), words));
  EXPECT_FALSE(datagen::spelledByWords(utf8(u8"一块儿"), words));  // 儿 is none
  EXPECT_FALSE(datagen::spelledByWords(utf8(u8"茶"), words));
}

}  // namespace
