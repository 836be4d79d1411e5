#include "tools/datagen/full_card_measure.h"

#include <gtest/gtest.h>

#include <set>

namespace {

std::string utf8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

const char8_t kEdict[] =
    u8"盗む [ぬすむ] /(v5m,vt) to steal/(P)/\n"
    u8"言い交す [いいかわす] /(v5s,vt) to have a chat with/to get engaged/(P)/\n"
    u8"駅 [えき] /(n) (1) railway station/train station/(P)/\n"
    u8"財布 [さいふ] /(n) purse/wallet/(P)/\n"
    u8"準備 [じゅんび] /(n,vs) preparation/(P)/\n"
    u8"若い [わかい] /(adj-i) young/(P)/\n";
const char8_t kCedict[] =
    u8"偷 偷 [tou1] /to steal/\n"
    u8"喝茶 喝茶 [he1 cha2] /to drink tea/to get engaged/\n"
    u8"火車站 火车站 [huo3 che1 zhan4] /train station/\n"
    u8"錢包 钱包 [qian2 bao1] /purse; wallet/\n"
    u8"準備 准备 [zhun3 bei4] /preparation; to prepare/\n"
    u8"年輕 年轻 [nian2 qing1] /young/\n"
    u8"茶 茶 [cha2] /tea/\n";

// The check of a pair: first senses agreeing, senses meeting elsewhere, none meeting, no entry.
TEST(FullCardMeasure, PairsAreCheckedByTheirFirstSenses) {
  const auto edict = datagen::parseEdict(utf8(kEdict));
  const auto cedict = datagen::parseCedict(utf8(kCedict));
  auto e = [&](int i) { return std::vector<const datagen::EdictEntry*>{&edict[static_cast<std::size_t>(i)]}; };
  auto c = [&](int i) { return std::vector<const datagen::CedictEntry*>{&cedict[static_cast<std::size_t>(i)]}; };
  EXPECT_EQ(datagen::checkSenses(e(0), c(0)), datagen::SenseCheck::kAgree);   // 盗む 偷
  EXPECT_EQ(datagen::checkSenses(e(3), c(3)), datagen::SenseCheck::kAgree);   // 財布 钱包
  EXPECT_EQ(datagen::checkSenses(e(1), c(1)), datagen::SenseCheck::kMeet);    // 言い交す 喝茶: a later sense
  EXPECT_EQ(datagen::checkSenses(e(2), c(2)), datagen::SenseCheck::kMeet);    // 駅 火车站: one first gloss only
  EXPECT_EQ(datagen::checkSenses(e(0), c(6)), datagen::SenseCheck::kApart);   // 盗む 茶
  EXPECT_EQ(datagen::checkSenses({}, c(0)), datagen::SenseCheck::kUnknown);
}

TEST(FullCardMeasure, DrawsAreSeededAndDistinct) {
  const auto a = datagen::drawSeeded(2000, 200, 66), b = datagen::drawSeeded(2000, 200, 66);
  EXPECT_EQ(a, b);
  EXPECT_NE(a, datagen::drawSeeded(2000, 200, 67));
  ASSERT_EQ(a.size(), 200u);
  EXPECT_EQ(std::set<std::size_t>(a.begin(), a.end()).size(), 200u);
  for (std::size_t i : a) EXPECT_LT(i, 2000u);
  EXPECT_EQ(datagen::drawSeeded(3, 10, 1).size(), 3u);
}

// Both sides drawn from a card's sources, graded from a file while the pair stays the same.
TEST(FullCardMeasure, WordsOfTheCardDrawnAndGraded) {
  const auto edict = datagen::parseEdict(utf8(kEdict));
  const auto cedict = datagen::parseCedict(utf8(kCedict));
  const std::map<std::string, datagen::FullTag> tags = {{"v", {'V', "V\\U[V]t[1]"}}, {"n", {'N', "N\\U[N]a[J]"}},
                                                        {"a", {'A', "A\\U[A]"}}};
  const std::vector<datagen::ChineseListWord> list = {{utf8(u8"偷"), 900, "v"}, {utf8(u8"的"), 850, "uj"},
                                                      {utf8(u8"准备"), 800, "v"}, {utf8(u8"钱包"), 700, "n"},
                                                      {utf8(u8"年轻"), 600, "a"}};
  const std::string words = utf8(u8"偷\tV\\U[V]t[1]\ttou1\tV,盗む,TG000\n"
                                 u8"准备\tV\\U[V]t[1]\tzhun3bei4\tV,準備する,SHT00\n"
                                 u8"钱包\tN\\U[N]a[J]\tqian2bao1\tN,財布,N0000 | N,財布だ,N0000\n");
  auto cj = datagen::measureChinese(words, list, tags, edict, cedict, 3, 10, 1);
  ASSERT_EQ(cj.size(), 3u);  // the three most frequent of the card's classes: 的 is none
  std::map<std::string, datagen::MeasuredWord> byWord;
  for (const auto& m : cj) byWord[m.word] = m;
  EXPECT_EQ(byWord[utf8(u8"准备")].translation, utf8(u8"準備する"));
  EXPECT_EQ(byWord[utf8(u8"准备")].check, datagen::SenseCheck::kAgree);  // by its noun
  EXPECT_EQ(byWord[utf8(u8"钱包")].translation, utf8(u8"財布"));
  EXPECT_EQ(byWord.count(utf8(u8"年轻")), 0u);
  // Past the most frequent: ranks 2-3 of the card's classes (准备, 钱包), every one when ten are asked.
  std::set<std::string> past;
  const auto drawn = datagen::measureChinese(words, list, tags, edict, cedict, 3, 10, 1, 1);
  for (const auto& m : drawn) past.insert(m.word);
  EXPECT_EQ(past, (std::set<std::string>{utf8(u8"准备"), utf8(u8"钱包")}));
  // The bare draw: each word with its rank among all of the card's classes, and its translation.
  const std::string bare = datagen::drawLines(drawn);
  EXPECT_NE(bare.find(utf8(u8"2\t准备\t準備する\n")), std::string::npos) << bare;
  EXPECT_NE(bare.find(utf8(u8"3\t钱包\t財布\n")), std::string::npos) << bare;

  datagen::JapaneseIndex japanese;
  datagen::addJapaneseEntries(utf8(u8"盗む,0,0,5000,動詞,自立,*,*,五段・マ行,基本形,盗む,ヌスム,ヌスム\n"
                                   u8"駅,0,0,3000,名詞,一般,*,*,*,*,駅,エキ,エキ\n"
                                   u8"若い,0,0,4000,形容詞,自立,*,*,形容詞・アウオ段,基本形,若い,ワカイ,ワカイ\n"
                                   u8"財布,0,0,9000,名詞,一般,*,*,*,*,財布,サイフ,サイフ\n"),
                              japanese);
  const std::map<std::string, datagen::FullConjugation> conj = {{utf8(u8"五段・マ行"), {2, 9, utf8(u8"む")}},
                                                                {utf8(u8"形容詞・アウオ段"), {3, 18, utf8(u8"い")}}};
  const std::string lexicon = utf8(u8"盗\t2.1.9.0\t=\t偷\tVT\t13\n駅\t6.1.0.0\t=\t车站\tN\n若\t3.0.18.0\t=\t年轻\tA\n");
  auto jc = datagen::measureJapanese(lexicon, japanese, conj, edict, cedict, 3, 10, 1);
  ASSERT_EQ(jc.size(), 3u);  // 財布 is the fourth by cost
  std::map<std::string, std::string> chinese;
  for (const auto& m : jc) chinese[m.word] = m.translation;
  EXPECT_EQ(chinese, (std::map<std::string, std::string>{
                         {utf8(u8"盗む"), utf8(u8"偷")}, {utf8(u8"駅"), utf8(u8"车站")}, {utf8(u8"若い"), utf8(u8"年轻")}}));
  // Ranks 2-4 by cost: 財布 comes in, 駅 (the cheapest) stays out.
  std::set<std::string> later;
  for (const auto& m : datagen::measureJapanese(lexicon, japanese, conj, edict, cedict, 4, 10, 1, 1)) later.insert(m.word);
  EXPECT_EQ(later, (std::set<std::string>{utf8(u8"盗む"), utf8(u8"若い"), utf8(u8"財布")}));

  // A grade holds while the pair stays; a changed pair waits for one.
  datagen::applyGrades(utf8(u8"# word\tt\tc\tg\n盗む\t偷\tagree\tright\n駅\t火车站\tmeet\tright\n"), jc);
  std::map<std::string, std::string> grades;
  for (const auto& m : jc) grades[m.word] = m.grade;
  EXPECT_EQ(grades[utf8(u8"盗む")], "right");
  EXPECT_EQ(grades[utf8(u8"駅")], "?");
  EXPECT_EQ(datagen::tally(jc).substr(0, 36), "3 drawn: 1 right, 0 rough, 0 wrong, ");
  EXPECT_NE(datagen::gradeLines(jc).find(utf8(u8"盗む\t偷\tagree\tright\n")), std::string::npos);
}

}  // namespace

namespace {

// The most frequent single characters each way, in order, with the card's pair.
TEST(FullCardMeasure, SingleCharactersInOrderOfFrequency) {
  const auto edict = datagen::parseEdict(utf8(kEdict));
  const auto cedict = datagen::parseCedict(utf8(kCedict));
  const std::map<std::string, datagen::FullTag> tags = {{"v", {'V', "V\\U[V]t[1]"}}, {"n", {'N', "N\\U[N]a[J]"}}};
  const std::vector<datagen::ChineseListWord> list = {{utf8(u8"的"), 990, "uj"}, {utf8(u8"偷"), 900, "v"},
                                                      {utf8(u8"钱包"), 800, "n"}, {utf8(u8"茶"), 700, "n"},
                                                      {utf8(u8"书"), 600, "n"}};
  const std::string words = utf8(u8"偷\tV\\U[V]t[1]\ttou1\tV,盗む,TG000\n茶\tN\\U[N]a[J]\tcha2\tN,お茶,N0000\n");
  const auto cj = datagen::measureChineseSingles(words, list, tags, edict, cedict, 2);
  ASSERT_EQ(cj.size(), 2u);
  EXPECT_EQ(cj[0].word + cj[0].translation + cj[1].word + cj[1].translation, utf8(u8"偷盗む茶お茶"));
  EXPECT_EQ(cj[0].check, datagen::SenseCheck::kAgree);

  datagen::JapaneseIndex japanese;
  datagen::addJapaneseEntries(utf8(u8"駅,0,0,3000,名詞,一般,*,*,*,*,駅,エキ,エキ\n"
                                   u8"林,0,0,2000,名詞,固有名詞,人名,姓,*,*,林,ハヤシ,ハヤシ\n"
                                   u8"茶,0,0,2500,名詞,一般,*,*,*,*,茶,チャ,チャ\n"
                                   u8"財布,0,0,1000,名詞,一般,*,*,*,*,財布,サイフ,サイフ\n"),
                              japanese);
  const auto jc = datagen::measureJapaneseSingles(utf8(u8"駅\t6.1.0.0\t=\t车站\tN\n"), japanese, edict, cedict, 5);
  ASSERT_EQ(jc.size(), 2u);  // no name, no word of two kanji
  EXPECT_EQ(jc[0].word + jc[1].word + jc[1].translation, utf8(u8"茶駅车站"));
  EXPECT_TRUE(jc[0].translation.empty());
}

// Pairs graded wrong leave the card's generated lines; hand-made lines and other pairs stay.
TEST(FullCardMeasure, WrongPairsLeaveTheCard) {
  const auto wrong = datagen::wrongPairs(utf8(u8"# word\tt\tc\tg\n封面\t蓋\tagree\twrong\n元\t不得而知\tmeet\twrong\n"
                                              u8"駅\t车站\tagree\tright\n盗む\t抢断\tmeet\twrong\n"));
  EXPECT_EQ(wrong.size(), 3u);
  int dropped = 0;
  const std::string words = utf8(u8"封面\tN\\U[N]a[J]\tfeng1mian4\tN,蓋,N0000\n") + std::string(datagen::kOpenListHeading) +
                            utf8(u8"\n封面\tN\\U[N]a[J]\tfeng1mian4\tN,蓋,N0000 | N,表紙,N0000\n"
                                 u8"封皮\tN\\U[N]a[J]\tfeng1pi2\tN,表紙,N0000 | N,蓋,N0000\n");
  EXPECT_EQ(datagen::withoutWrongChinesePairs(words, wrong, dropped),
            utf8(u8"封面\tN\\U[N]a[J]\tfeng1mian4\tN,蓋,N0000\n") + std::string(datagen::kOpenListHeading) +
                utf8(u8"\n封皮\tN\\U[N]a[J]\tfeng1pi2\tN,表紙,N0000 | N,蓋,N0000\n"));
  EXPECT_EQ(dropped, 1);
  const std::map<std::string, datagen::FullConjugation> conj = {{utf8(u8"五段・マ行"), {2, 9, utf8(u8"む")}}};
  const std::string hand = utf8(u8"元\t6.1.0.0\t=\t不得而知\tN\n");
  const std::string lexicon = hand + std::string(datagen::kGeneratedLexiconHeading) +
                              utf8(u8"\n元\t6.1.0.0\t=\t不得而知\t\t\t\t10\n駅\t6.1.0.0\t=\t车站\t\t\t\t9\n"
                                   u8"盗\t2.1.9.0\t=\t抢断\tVT\t13\n盗\t6.1.0.0\t=\t抢断\t\t\t\t9\n");
  EXPECT_EQ(datagen::withoutWrongJapanesePairs(lexicon, wrong, conj, dropped),
            hand + std::string(datagen::kGeneratedLexiconHeading) +
                utf8(u8"\n駅\t6.1.0.0\t=\t车站\t\t\t\t9\n盗\t6.1.0.0\t=\t抢断\t\t\t\t9\n"));
  EXPECT_EQ(dropped, 3);
}

// The false friends' table: a Chinese word's generated line takes the Japanese pair (a rendering
// keeps the kind and code, a whole translation of another class brings its entry, "-" drops it), a
// Japanese word's generated lines the Chinese pair; the hand-made lines above the headings stay.
TEST(FullCardMeasure, FalseFriendTableReplacesGeneratedPairs) {
  std::vector<datagen::FalseFriendPair> table;
  std::string error;
  ASSERT_TRUE(datagen::parseFalseFriendTable(
      utf8(u8"# word\tside\tpair\tnote\n节目\tzh\t番組\tprogramme\n生气\tzh\tV,怒る,ZG000\tangry\n屏\tzh\t-\t\n"
           u8"節目\tja\t转折点\tturning point\n放置\tja\t搁置\tleft alone\n"),
      table, &error))
      << error;
  ASSERT_EQ(table.size(), 5u);
  for (const char8_t* bad : {u8"节目\tcn\t番組\n", u8"节目\tzh\n", u8"节目\tzh\t节目\n"}) {
    std::vector<datagen::FalseFriendPair> none;
    EXPECT_FALSE(datagen::parseFalseFriendTable(utf8(bad), none, &error)) << utf8(bad);
  }
  const std::string hand = utf8(u8"节目\tN\\U[N]a[J]\tjie2mu4\tN,節目,N0000\n");
  const std::string words =
      hand + std::string(datagen::kOpenListHeading) +
      utf8(u8"\n节目\tN\\U[N]a[J]\t-\tN,節目,N0000\n生气\tN\\U[N]a[J]\t-\tN,生気,N0000\n屏\tN\\U[N]a[L]\t-\tN,屏,N0000\n"
           u8"书\tN\\U[N]a[J]\t-\tN,本,N0000\n");
  int replaced = 0;
  EXPECT_EQ(datagen::withFalseFriendTableCj(words, table, replaced),
            hand + std::string(datagen::kOpenListHeading) +
                utf8(u8"\n节目\tN\\U[N]a[J]\t-\tN,番組,N0000\n生气\tV\\U[V]t[1]\t-\tV,怒る,ZG000\n"
                     u8"书\tN\\U[N]a[J]\t-\tN,本,N0000\n"));
  EXPECT_EQ(replaced, 3);
  // A word of the table without any line takes one; a "-" word does not.
  replaced = 0;
  EXPECT_EQ(datagen::withFalseFriendTableCj(hand + std::string(datagen::kOpenListHeading) + "\n", table, replaced),
            hand + std::string(datagen::kOpenListHeading) + utf8(u8"\n生气\tV\\U[V]t[1]\t-\tV,怒る,ZG000\n"));
  EXPECT_EQ(replaced, 1);
  const std::map<std::string, datagen::FullConjugation> conj = {{utf8(u8"五段・サ行"), {2, 5, utf8(u8"す")}}};
  const std::string handJc = utf8(u8"節目\t6.1.0.0\t=\t节目\tN\n");
  const std::string lexicon = handJc + std::string(datagen::kGeneratedLexiconHeading) +
                              utf8(u8"\n節目\t6.1.0.0\t=\t节目\t\t\t\t9\n放置\t6.2.0.0\t=\t放置\t\t\t\t9\n"
                                   u8"放置\t2.1.16.0\t=\t放置\tVT\t13\t\t9\n放\t2.1.5.0\t=\t放\tVT\t13\n");
  replaced = 0;
  EXPECT_EQ(datagen::withFalseFriendTableJc(lexicon, table, conj, replaced),
            handJc + std::string(datagen::kGeneratedLexiconHeading) +
                utf8(u8"\n節目\t6.1.0.0\t=\t转折点\t\t\t\t9\n放置\t6.2.0.0\t=\t搁置\t\t\t\t9\n"
                     u8"放置\t2.1.16.0\t=\t搁置\tVT\t13\t\t9\n放\t2.1.5.0\t=\t放\tVT\t13\n"));
  EXPECT_EQ(replaced, 3);
}

// Words the card leaves without a line take back the noun the hand-made Japanese lexicon writes for
// them: a noun of the list as a noun, a verb as the サ変 verb where the lexicon lists one, and no
// word that has a line, is left out, or whose class the lexicon cannot give.
TEST(FullCardMeasure, HandLexiconGivesUnpairedWordsTheirJapanese) {
  const std::string lexicon = utf8(
      u8"住所\t6.1.0.0\t=\t地址\tN\n運転\t6.2.0.0\t=\t驾驶\tN\n運転\t2.1.16.0\t=\t驾驶\tVT\t13\n"
      u8"誘い\t6.1.0.0\t=\t邀请\tN\n異動\t6.2.0.0\t=\t调动\tN\n異動\t2.2.16.0\t=\t调动\tV1\t12\n"
      u8"本\t6.1.0.0\t=\t书\tN\n早い\t3.0.18.0\t=\t早\tA\n帰還\t6.2.0.0\t=\t返回\tN\n");
  const std::vector<datagen::ChineseListWord> list = {
      {utf8(u8"地址"), 9, "n"}, {utf8(u8"驾驶"), 8, "v"}, {utf8(u8"邀请"), 7, "v"}, {utf8(u8"调动"), 6, "vn"},
      {utf8(u8"书"), 5, "n"},   {utf8(u8"早"), 4, "a"},   {utf8(u8"返回"), 3, "v"}};
  const std::map<std::string, datagen::FullTag> tags = {{"n", {'N', "N\\U[N]a[J]"}},
                                                        {"v", {'V', "V\\U[V]t[1]"}},
                                                        {"vn", {'V', "NV\\U[N]a[J]U[V]t[1]"}},
                                                        {"a", {'A', "A\\U[A]"}}};
  const std::string words = utf8(u8"书\tN\\U[N]a[J]\tshu1\tN,本,N0000\n");
  const std::map<std::string, std::string> leftOut = {{utf8(u8"返回"), "-"}};
  int added = 0;
  EXPECT_EQ(datagen::handLexiconCjWords(words, lexicon, list, tags, leftOut, 100, added),
            utf8(u8"地址\tN\\U[N]a[J]\t-\tN,住所,N0000\n驾驶\tV\\U[V]t[1]\t-\tV,運転する,SHT00\n"
                 u8"调动\tNV\\U[N]a[J]U[V]t[1]\t-\tN,異動,N0000 | V,異動する,SHZ00\n"));
  EXPECT_EQ(added, 3);
}

// A common Chinese word spelt like a Japanese name only leaves the generated lines; a surname, a
// spelling EDICT knows, a common Japanese noun and the hand-made lines stay.
TEST(FullCardMeasure, CommonWordsSpeltLikeANameOnlyAreLeftOut) {
  const auto cedict = datagen::parseCedict(utf8(u8"房子 房子 [fang2 zi5] /house/\n鏡子 镜子 [jing4 zi5] /mirror/\n"
                                                u8"崔 崔 [Cui1] /surname Cui/\n日前 日前 [ri4 qian2] /the other day/\n"
                                                u8"書 书 [shu1] /book/\n"));
  const auto edict = datagen::parseEdict(utf8(u8"日前 [にちぜん] /(n-adv,n-t) the other day/(P)/\n"));
  datagen::JapaneseIndex japanese;
  for (const char8_t* name : {u8"房子", u8"鏡子", u8"崔"}) japanese.classes[utf8(name)] = datagen::kJpNoun | datagen::kJpPerson;
  japanese.classes[utf8(u8"日前")] = datagen::kJpNoun | datagen::kJpPlace;
  japanese.classes[utf8(u8"本")] = datagen::kJpNoun | datagen::kJpCommon;
  const std::string hand = utf8(u8"房子\tN\\U[N]a[J]\tfang2zi5\tN,房子,N0000\n");
  const std::string kept = utf8(u8"崔\tN\\U[N]a[H]\t-\tN,崔,N<人>\n日前\tN\\U[N]a[T]\t-\tN,日前,N0000\n"
                                u8"书\tN\\U[N]a[J]\t-\tN,本,N0000\n");
  const std::string words = hand + std::string(datagen::kOpenListHeading) +
                            utf8(u8"\n房子\tN\\U[N]a[H]\t-\tN,房子,N0000\n镜子\tN\\U[N]a[H]\t-\tN,鏡子,N0000\n") + kept;
  int dropped = 0;
  EXPECT_EQ(datagen::withoutNameSpellings(words, japanese, edict, cedict, dropped),
            hand + std::string(datagen::kOpenListHeading) + "\n" + kept);
  EXPECT_EQ(dropped, 2);
}

// A single character paired with a kanji no common word spells leaves the generated lines; a name, a
// kanji that is a common word, a pair graded by hand and a word of two characters stay.
TEST(FullCardMeasure, SingleCharactersPairedWithABoundKanjiAreLeftOut) {
  const auto cedict = datagen::parseCedict(utf8(u8"效 效 [xiao4] /effect/\n崔 崔 [Cui1] /surname Cui/\n"
                                                u8"稅 税 [shui4] /tax/\n激 激 [ji1] /to arouse/\n"));
  const auto edict = datagen::parseEdict(utf8(u8"税 [ぜい] /(n) tax/(P)/\n"));
  const std::string hand = utf8(u8"效\tN\\U[N]a[J]\txiao4\tN,効,N0000\n");
  const std::string kept = utf8(u8"崔\tN\\U[N]a[H]\t-\tN,崔,N<人>\n税\tN\\U[N]a[J]\t-\tN,税,N0000\n"
                                u8"激\tV\\U[V]t[1]\t-\tV,激,TG000\n效果\tN\\U[N]a[J]\t-\tN,効果,N0000\n");
  const std::string words =
      hand + std::string(datagen::kOpenListHeading) + utf8(u8"\n效\tN\\U[N]a[J]\t-\tN,効,N0000\n") + kept;
  const std::set<std::pair<std::string, std::string>> accepted = {{utf8(u8"激"), utf8(u8"激")}};
  int dropped = 0;
  EXPECT_EQ(datagen::withoutBoundKanji(words, edict, cedict, accepted, dropped),
            hand + std::string(datagen::kOpenListHeading) + "\n" + kept);
  EXPECT_EQ(dropped, 1);
}

}  // namespace
