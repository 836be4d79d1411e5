// The full card's Chinese words that neither their characters in the tag's class nor a pair
// through English translate: a Japanese word of another class, a Japanese compound, a Chinese name
// written in its characters.
#include <gtest/gtest.h>

#include "platform/core/codepage.h"
#include "tools/datagen/full_card_pivot.h"

namespace {

std::string utf8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

char16_t one(const char8_t* s) { return plat::utf8ToWide(utf8(s))[0]; }

const std::map<std::string, datagen::FullTag> kTags = {
    {"n", {'N', "N\\U[N]a[J]"}},  {"t", {'N', "N\\U[N]a[T]"}},  {"nr", {'N', "N\\U[N]a[H]"}},
    {"ns", {'N', "N\\U[N]a[L]"}}, {"nt", {'N', "N\\U[N]a[J]"}}, {"v", {'V', "V\\U[V]t[1]"}},
    {"vn", {'V', "NV\\U[N]a[J]U[V]t[1]"}}, {"a", {'A', "A\\U[A]"}}, {"ad", {'A', "A\\U[A]"}},
    {"d", {'F', "F\\U[F]"}}};

// The line a rule writes for each word, or none.
void expectLines(const std::string& out, const std::vector<std::pair<const char8_t*, const char8_t*>>& cases) {
  for (const auto& [word, line] : cases) {
    const std::string key = utf8(word) + '\t';
    const std::size_t at = out.rfind(key, 0) == 0 ? 0 : out.find('\n' + key);
    if (!line) {
      EXPECT_EQ(at, std::string::npos) << utf8(word) << " in\n" << out;
    } else {
      ASSERT_NE(at, std::string::npos) << utf8(word) << " not in\n" << out;
      const std::size_t start = at == 0 ? 0 : at + 1;
      EXPECT_EQ(out.substr(start, out.find('\n', start) - start), utf8(line));
    }
  }
}

// A frequent word whose characters spell a Japanese word of a class its tag does not take takes
// that word in its own class, when a sense of each dictionary shares a gloss: 努力 (ad) the noun
// with する, 必要 (d) the adjective, 进步 (d) 進歩 in its Japanese form, 首都 (d) the noun. Left
// out: a word whose senses do not meet (勉强, reluctant: 勉強 is study), a single character (足:
// foot, enough), a false friend, a word the card holds already.
TEST(FullCardCjRules, WordsOfAnotherClassInJapanese) {
  datagen::JapaneseIndex japanese;
  datagen::addJapaneseEntries(utf8(u8"努力,0,0,3000,名詞,サ変接続,*,*,*,*,努力,ドリョク,ドリョク\n"
                                   u8"必要,0,0,3000,名詞,形容動詞語幹,*,*,*,*,必要,ヒツヨウ,ヒツヨー\n"
                                   u8"進歩,0,0,3000,名詞,サ変接続,*,*,*,*,進歩,シンポ,シンポ\n"
                                   u8"首都,0,0,3000,名詞,一般,*,*,*,*,首都,シュト,シュト\n"
                                   u8"勉強,0,0,3000,名詞,サ変接続,*,*,*,*,勉強,ベンキョウ,ベンキョー\n"
                                   u8"足,0,0,3000,名詞,一般,*,*,*,*,足,アシ,アシ\n"
                                   u8"反対,0,0,3000,名詞,サ変接続,*,*,*,*,反対,ハンタイ,ハンタイ\n"),
                              japanese);
  const auto edict = datagen::parseEdict(utf8(u8"努力 [どりょく] /(n,vs) effort/exertion/striving/(P)/\n"
                                              u8"必要 [ひつよう] /(adj-na,n) necessary/needed/(P)/\n"
                                              u8"進歩 [しんぽ] /(n,vs) progress/advance/(P)/\n"
                                              u8"首都 [しゅと] /(n) capital city/metropolis/(P)/\n"
                                              u8"勉強 [べんきょう] /(n,vs) study/(P)/\n"
                                              u8"足 [あし] /(n) foot/leg/(P)/\n"
                                              u8"反対 [はんたい] /(n,vs) opposition/(P)/\n"));
  const auto cedict = datagen::parseCedict(utf8(u8"努力 努力 [nu3 li4] /to strive/striving/\n"
                                                u8"必要 必要 [bi4 yao4] /necessary; essential/\n"
                                                u8"進步 进步 [jin4 bu4] /progress; to advance/\n"
                                                u8"首都 首都 [shou3 du1] /capital city/\n"
                                                u8"勉強 勉强 [mian3 qiang3] /reluctant/\n"
                                                u8"足 足 [zu2] /foot/enough/\n"
                                                u8"反對 反对 [fan3 dui4] /opposition/\n"));
  const std::vector<datagen::ChineseListWord> list = {
      {utf8(u8"努力"), 900, "ad"}, {utf8(u8"必要"), 800, "d"}, {utf8(u8"进步"), 700, "d"},
      {utf8(u8"首都"), 600, "d"},  {utf8(u8"勉强"), 500, "a"}, {utf8(u8"足"), 400, "a"},
      {utf8(u8"反对"), 300, "d"}};
  const std::map<char16_t, char16_t> forms = {{one(u8"进"), one(u8"進")}, {one(u8"步"), one(u8"歩")},
                                              {one(u8"强"), one(u8"強")}, {one(u8"对"), one(u8"対")}};
  const std::map<std::string, std::string> friends = {{utf8(u8"反对"), "-"}};
  int added = 0;
  const std::string out = datagen::crossClassCjWords(utf8(u8"必要\tF\\U[F]\t-\tF,必ず,FUKU0\n"), list, kTags, friends,
                                                     japanese, forms, {}, {}, edict, cedict, 100, added);
  expectLines(out, {{u8"努力", u8"努力\tNV\\U[N]a[J]U[V]t[1]\t-\tN,努力,N0000 | V,努力する,SHT00"},
                    {u8"进步", u8"进步\tNV\\U[N]a[J]U[V]t[1]\t-\tN,進歩,N0000 | V,進歩する,SHT00"},
                    {u8"首都", u8"首都\tN\\U[N]a[J]\t-\tN,首都,N0000"},
                    {u8"必要", nullptr},
                    {u8"勉强", nullptr},
                    {u8"足", nullptr},
                    {u8"反对", nullptr}});
  EXPECT_EQ(added, 3);
  // Not held yet, 必要 is the adjective; past the cap nothing.
  added = 0;
  expectLines(datagen::crossClassCjWords("", list, kTags, {}, japanese, forms, {}, {}, edict, cedict, 100, added),
              {{u8"必要", u8"必要\tA\\U[A]\t-\tA,必要だ,KYODO"}});
  EXPECT_EQ(datagen::crossClassCjWords("", list, kTags, {}, japanese, forms, {}, {}, edict, cedict, 0, added), "");
}

// The same characters in another class pair also when the English words of a first sense meet a
// sense of the other as stems, the two sources agreeing: 混乱 (a) confused, 混乱 confusion; 干燥
// (a) dry, 乾燥 dryness. Not 激动 (to excite), whose 激動 is an upheaval, nor 封面, whose senses
// meet only on a two-sense English word (cover).
TEST(FullCardCjRules, AnotherClassByEnglishStems) {
  datagen::JapaneseIndex japanese;
  datagen::addJapaneseEntries(utf8(u8"混乱,0,0,3000,名詞,サ変接続,*,*,*,*,混乱,コンラン,コンラン\n"
                                   u8"乾燥,0,0,3000,名詞,サ変接続,*,*,*,*,乾燥,カンソウ,カンソー\n"
                                   u8"激動,0,0,3000,名詞,サ変接続,*,*,*,*,激動,ゲキドウ,ゲキドー\n"
                                   u8"封面,0,0,3000,名詞,一般,*,*,*,*,封面,フウメン,フーメン\n"),
                              japanese);
  const auto edict = datagen::parseEdict(utf8(u8"混乱 [こんらん] /(n,vs) disorder/chaos/confusion/(P)/\n"
                                              u8"乾燥 [かんそう] /(n,vs) (1) dryness/aridity/(2) insipidity/(P)/\n"
                                              u8"激動 [げきどう] /(n,vs) violent shaking/upheaval/(P)/\n"
                                              u8"封面 [ふうめん] /(n) cover of a letter/(P)/\n"));
  const auto cedict = datagen::parseCedict(utf8(u8"混亂 混乱 [hun4 luan4] /confused; chaotic; disorderly/\n"
                                                u8"乾燥 干燥 [gan1 zao4] /dry; arid/\n"
                                                u8"激動 激动 [ji1 dong4] /to move emotionally; to excite/\n"
                                                u8"封面 封面 [feng1 mian4] /cover (of a book)/\n"));
  const std::vector<datagen::ChineseListWord> list = {
      {utf8(u8"混乱"), 900, "a"}, {utf8(u8"干燥"), 800, "a"}, {utf8(u8"激动"), 700, "a"}, {utf8(u8"封面"), 600, "a"}};
  const std::map<char16_t, char16_t> forms = {{one(u8"动"), one(u8"動")}};
  const datagen::TraditionalForms traditional = {{one(u8"干"), {one(u8"乾")}}};
  int added = 0;
  expectLines(datagen::crossClassCjWords("", list, kTags, {}, japanese, forms, traditional, {}, edict, cedict, 100, added),
              {{u8"混乱", u8"混乱\tNV\\U[N]a[J]U[V]t[1]\t-\tN,混乱,N0000 | V,混乱する,SHT00"},
               {u8"干燥", u8"干燥\tNV\\U[N]a[J]U[V]t[1]\t-\tN,乾燥,N0000 | V,乾燥する,SHT00"},
               {u8"激动", nullptr},
               {u8"封面", nullptr}});
  EXPECT_EQ(added, 2);
}

// A noun the IPA dictionary lacks, written whole as its common nouns (a prefix first, a suffix
// last): 国民经济 国民経済, 总人口 総人口, 检察院 検察院; of two spellings the one that splits
// (劳动力: 労働 力; 労 動力 has a piece of one character that is no prefix). Left out: a piece of
// one character but a prefix or suffix (小时候: 小時 候), a word of two characters, a word the
// dictionary holds whole.
TEST(FullCardCjRules, NounsWrittenAsJapaneseCompounds) {
  datagen::JapaneseIndex japanese;
  datagen::addJapaneseEntries(utf8(u8"国民,0,0,3000,名詞,一般,*,*,*,*,国民,コクミン,コクミン\n"
                                   u8"経済,0,0,3000,名詞,一般,*,*,*,*,経済,ケイザイ,ケイザイ\n"
                                   u8"総,0,0,3000,接頭詞,名詞接続,*,*,*,*,総,ソウ,ソー\n"
                                   u8"人口,0,0,3000,名詞,一般,*,*,*,*,人口,ジンコウ,ジンコー\n"
                                   u8"検察,0,0,3000,名詞,サ変接続,*,*,*,*,検察,ケンサツ,ケンサツ\n"
                                   u8"院,0,0,3000,名詞,接尾,一般,*,*,*,院,イン,イン\n"
                                   u8"労働,0,0,3000,名詞,サ変接続,*,*,*,*,労働,ロウドウ,ロードー\n"
                                   u8"動力,0,0,5000,名詞,一般,*,*,*,*,動力,ドウリョク,ドーリョク\n"
                                   u8"労,0,0,9000,名詞,一般,*,*,*,*,労,ロウ,ロー\n"
                                   u8"力,0,0,3000,名詞,接尾,一般,*,*,*,力,リョク,リョク\n"
                                   u8"小時,0,0,3000,名詞,一般,*,*,*,*,小時,ショウジ,ショージ\n"
                                   u8"候,0,0,3000,名詞,一般,*,*,*,*,候,コウ,コー\n"
                                   u8"少数民族,0,0,3000,名詞,一般,*,*,*,*,少数民族,ショウスウミンゾク,ショースーミンゾク\n"),
                              japanese);
  const std::vector<datagen::ChineseListWord> list = {
      {utf8(u8"国民经济"), 900, "n"}, {utf8(u8"总人口"), 800, "n"}, {utf8(u8"检察院"), 700, "nt"},
      {utf8(u8"劳动力"), 600, "n"},   {utf8(u8"小时候"), 500, "t"}, {utf8(u8"人口"), 400, "n"},
      {utf8(u8"少数民族"), 300, "n"}};
  const std::map<char16_t, char16_t> forms = {{one(u8"经"), one(u8"経")}, {one(u8"济"), one(u8"済")},
                                              {one(u8"总"), one(u8"総")}, {one(u8"检"), one(u8"検")},
                                              {one(u8"劳"), one(u8"労")}, {one(u8"动"), one(u8"動")},
                                              {one(u8"时"), one(u8"時")}};
  // 动 stands for 働 too, as a traditional candidate would.
  const datagen::TraditionalForms traditional = {{one(u8"动"), {one(u8"働")}}};
  int added = 0;
  const std::string out =
      datagen::compoundCjWords("", list, kTags, {}, japanese, forms, traditional, {}, 100, added);
  expectLines(out, {{u8"国民经济", u8"国民经济\tN\\U[N]a[J]\t-\tN,国民経済,N0000"},
                    {u8"总人口", u8"总人口\tN\\U[N]a[J]\t-\tN,総人口,N0000"},
                    {u8"检察院", u8"检察院\tN\\U[N]a[J]\t-\tN,検察院,N0000"},
                    {u8"劳动力", u8"劳动力\tN\\U[N]a[J]\t-\tN,労働力,N0000"},
                    {u8"小时候", nullptr},
                    {u8"人口", nullptr},
                    {u8"少数民族", nullptr}});
  EXPECT_EQ(added, 4);
}

// A name the list tags (nr, ns, nt) is written in its characters when it is Chinese: CC-CEDICT
// lacks it (韦小宝: 韋小宝, a person), or reads it under a proper reading only with a first gloss
// spelling its reading (江夏区: Jiangxia) or sending to its longer name (宜昌: see 宜昌市). Of the
// Japanese forms, the one the IPA dictionary's words cover (天安門広場, not 天安門广場). Left out: a
// foreign name (巴黎: Paris), a word with a common sense (令人), a character with no Japanese form,
// and every name when there is no CC-CEDICT.
TEST(FullCardCjRules, ChineseNamesInTheirCharacters) {
  datagen::JapaneseIndex japanese;
  datagen::addJapaneseEntries(utf8(u8"広場,0,0,3000,名詞,一般,*,*,*,*,広場,ヒロバ,ヒロバ\n"), japanese);
  const auto cedict = datagen::parseCedict(utf8(u8"江夏區 江夏区 [Jiang1 xia4 Qu1] /Jiangxia, a district of Wuhan/\n"
                                                u8"宜昌 宜昌 [Yi2 chang1] /see 宜昌市[Yi2 chang1 Shi4]/\n"
                                                u8"巴黎 巴黎 [Ba1 li2] /Paris, capital of France/\n"
                                                u8"令人 令人 [ling4 ren2] /to cause one (to do sth)/\n"));
  const std::vector<datagen::ChineseListWord> list = {
      {utf8(u8"江夏区"), 900, "ns"}, {utf8(u8"宜昌"), 800, "ns"},     {utf8(u8"韦小宝"), 700, "nr"},
      {utf8(u8"天安门广场"), 600, "ns"}, {utf8(u8"巴黎"), 500, "ns"}, {utf8(u8"令人"), 400, "nr"},
      {utf8(u8"谁明"), 300, "nr"}, {utf8(u8"苹果"), 200, "n"}};
  const std::map<char16_t, char16_t> forms = {{one(u8"韦"), one(u8"韋")}, {one(u8"门"), one(u8"門")},
                                              {one(u8"场"), one(u8"場")}, {one(u8"苹"), one(u8"蘋")}};
  const datagen::TraditionalForms traditional = {{one(u8"广"), {one(u8"廣")}}};
  const std::map<char16_t, char16_t> twins = {{one(u8"廣"), one(u8"広")}};
  int added = 0;
  const std::string out =
      datagen::nameCjWords("", list, kTags, {}, japanese, forms, traditional, twins, cedict, 100, added);
  expectLines(out, {{u8"江夏区", u8"江夏区\tN\\U[N]a[L]\t-\tN,江夏区,N0000"},
                    {u8"宜昌", u8"宜昌\tN\\U[N]a[L]\t-\tN,宜昌,N0000"},
                    {u8"韦小宝", u8"韦小宝\tN\\U[N]a[H]\t-\tN,韋小宝,N<人>"},
                    {u8"天安门广场", u8"天安门广场\tN\\U[N]a[L]\t-\tN,天安門広場,N0000"},
                    {u8"巴黎", nullptr},
                    {u8"令人", nullptr},
                    {u8"谁明", nullptr},
                    {u8"苹果", nullptr}});
  EXPECT_EQ(added, 4);
  EXPECT_EQ(datagen::nameCjWords("", list, kTags, {}, japanese, forms, traditional, twins, {}, 100, added), "");
}

}  // namespace
