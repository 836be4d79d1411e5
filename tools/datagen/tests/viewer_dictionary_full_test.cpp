// The full card's viewer sources: tone marks, half-width keys, and entries from the translator's pairs.
#include "tools/datagen/viewer_dictionary_full.h"

#include <gtest/gtest.h>

#include "platform/core/codepage.h"

namespace {

TEST(ViewerDictionaryFull, PinyinAndKanaSpellings) {
  EXPECT_EQ(datagen::tonedPinyin("zhong4 yao4"), "zhòngyào");
  EXPECT_EQ(datagen::tonedPinyin("lu:4 xing2"), "lǜxíng");
  EXPECT_EQ(datagen::tonedPinyin("peng2 you5"), "péngyou");
  EXPECT_EQ(datagen::tonedPinyin("gou3 hui4 liu2"), "gǒuhuìliú");
  EXPECT_EQ(datagen::halfWidthKatakana(u"ガッコウ"), u"ｶﾞｯｺｳ");
  EXPECT_EQ(datagen::halfWidthKatakana(u"ぱーてぃー"), u"ﾊﾟｰﾃｨｰ");
  EXPECT_EQ(datagen::halfWidthKatakana(u"ヴォ"), u"ｳﾞｫ");
}

TEST(ViewerDictionaryFull, EntriesFromThePairs) {
  datagen::ViewerFullInputs in;
  in.sampleCj = "学生|XUESHENG2\t{C}学生 xuésheng\\n{J}〔名〕学生\\n\n";
  in.sampleJc = "";
  in.cjWords =
      "学生\tN\\\txue2sheng5\tN,生徒,N0000\n"       // the sample's entry stays
      "贸易\tNV\\\tmao4yi4\tN,貿易,N0000 | V,貿易する,SHT00\n"
      "钱包\tN\\\t-\tN,財布,N0000\n"                 // pinyin from CC-CEDICT
      "天下\tN\\\t-\tN,天下,N0000\n";                // no pinyin: left out
  in.jcLexicon = "隊長\t6.1.0.0\t=\t队长\n盗\t2.1.1.0\t=\t偷\n";  // a verb stem is not a headword
  in.ipadic = "隊長,1,1,1,名詞,一般,*,*,*,*,隊長,タイチョウ,タイチョー\n"
              "貿易,1,1,1,名詞,サ変接続,*,*,*,*,貿易,ボウエキ,ボーエキ\n"
              "財布,1,1,1,名詞,一般,*,*,*,*,財布,サイフ,サイフ\n";
  in.cedict = "錢包 钱包 [qian2 bao1] /wallet/\n";
  const datagen::ViewerFullSources out = datagen::viewerFullSources(in);
  // In the order of the readings.
  EXPECT_EQ(out.cj,
            "贸易|MAOYI44\t{C}贸易 màoyì\\n{J}〔名〕貿易；〔動〕貿易する\\n\n"
            "钱包|QIANBAO21\t{C}钱包 qiánbāo\\n{J}〔名〕財布\\n\n"
            "学生|XUESHENG2\t{C}学生 xuésheng\\n{J}〔名〕学生\\n\n");
  EXPECT_EQ(out.jc,
            "ｻｲﾌ|財布\t{B}さいふ【財布】\\n{J}〔名〕{C}钱包\\n\n"
            "ﾀｲﾁｮｳ|隊長\t{B}たいちょう【隊長】\\n{J}〔名〕{C}队长\\n\n"
            "ﾎﾞｳｴｷ|貿易\t{B}ぼうえき【貿易】\\n{J}〔名〕{C}贸易\\n\n"
            "ﾎﾞｳｴｷｽﾙ|貿易する\t{B}ぼうえきする【貿易する】\\n{J}〔動〕{C}贸易\\n\n");
  EXPECT_EQ(out.cjGenerated, 2);
  EXPECT_EQ(out.jcGenerated, 4);
}

// With EDICT, every word the two dictionaries pair through English is an entry: 熊猫, which the
// translator's word list tags as a name, and パンダ, written in kana alone.
TEST(ViewerDictionaryFull, EntriesFromEveryPairThroughEnglish) {
  datagen::ViewerFullInputs in;
  in.cjWords = "钱包\tN\\\t-\tN,財布,N0000\n";
  in.ipadic = "財布,1,1,1,名詞,一般,*,*,*,*,財布,サイフ,サイフ\n";
  in.cedict = "錢包 钱包 [qian2 bao1] /wallet/\n"
              "熊貓 熊猫 [xiong2 mao1] /panda/\n"
              "偷 偷 [tou1] /to steal/to pilfer/\n"
              "盜 盗 [dao4] /to steal; to rob/bandit/\n"
              "詹 詹 [Zhan1] /surname Zhan/\n";
  in.edict = "財布 [さいふ] /(n) purse/wallet/(P)/\n"
             "パンダ /(n) panda/(P)/\n"
             "盗む [ぬすむ] /(v5m,vt) to steal/(P)/\n"
             "掏る [する] /(v5r,vt) to pick someone's pocket/\n";
  in.wordList = "偷 900 v\n盗 100 v\n";
  const datagen::ViewerFullSources out = datagen::viewerFullSources(in);
  EXPECT_EQ(out.cj,
            "盗|DAO4\t{C}盗 dào\\n{J}〔動〕盗む\\n\n"
            "钱包|QIANBAO21\t{C}钱包 qiánbāo\\n{J}〔名〕財布\\n\n"
            "偷|TOU1\t{C}偷 tōu\\n{J}〔動〕盗む\\n\n"
            "熊猫|XIONGMAO21\t{C}熊猫 xióngmāo\\n{J}〔名〕パンダ\\n\n");
  // 財布 keeps the translator's entry; 盗む takes the more frequent word first.
  EXPECT_EQ(out.jc,
            "ｻｲﾌ|財布\t{B}さいふ【財布】\\n{J}〔名〕{C}钱包\\n\n"
            "ﾇｽﾑ|盗む\t{B}ぬすむ【盗む】\\n{J}〔動〕{C}偷，盗\\n\n"
            "ﾊﾟﾝﾀﾞ\t{B}パンダ\\n{J}〔名〕{C}熊猫\\n\n");
}

// The line of a viewer source whose keys start with `key`; empty when none.
std::string lineOf(const std::string& text, const std::string& key) {
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    if (text.compare(at, key.size(), key) == 0) return text.substr(at, end - at);
    at = end + 1;
  }
  return {};
}

// A term of a special field pairs with no everyday word (抢断, a steal in basketball, with 盗む),
// unless the two share a character or the Japanese is a loanword; a translation that is a set
// phrase or a whole clause is no noun.
TEST(ViewerDictionaryFull, FieldTermsAndSetPhrases) {
  datagen::ViewerFullInputs in;
  in.cjWords = "偷\tV\\U[V]t[1]\ttou1\tV,盗む,TG000\n"
               "抢断\tV\\U[V]t[1]\t-\tV,盗む,TG000\n"
               "军备\tN\\U[N]\t-\tN,軍備,N0000\n"
               "对不起\tN\\U[N]a[I]\tdui4bu5qi3\tN,すみません,N0000\n"
               "没关系\tN\\U[N]a[I]\tmei2guan1xi5\tN,大丈夫です,N0000\n"
               "学生\tN\\U[N]a[I]\txue2sheng5\tN,学生,N0000\n";
  in.ipadic = "盗む,1,1,1,動詞,自立,*,*,五段・マ行,基本形,盗む,ヌスム,ヌスム\n"
              "軍備,1,1,1,名詞,一般,*,*,*,*,軍備,グンビ,グンビ\n";
  in.cedict = "偷 偷 [tou1] /to steal/\n"
              "搶斷 抢断 [qiang3 duan4] /(basketball) to steal (the ball)/(soccer) to dispossess an opponent/\n"
              "軍備 军备 [jun1 bei4] /(military) armaments/\n"
              "青黴素 青霉素 [qing1 mei2 su4] /(pharm.) penicillin/\n"
              "對不起 对不起 [dui4 bu5 qi3] /unworthy/to let down/I'm sorry/\n"
              "學生 学生 [xue2 sheng5] /student/\n";
  in.edict = "盗む [ぬすむ] /(v5m,vt) to steal/(P)/\n"
             "スチール /(n,vs) (sports) steal/\n"
             "軍備 [ぐんび] /(n) armaments/(P)/\n"
             "ペニシリン /(n) penicillin/(P)/\n"
             "済みません [すみません] /(exp,int) (1) (uk) (pol) excuse me/I'm sorry/(P)/\n"
             "学生 [がくせい] /(n) student/(P)/\n";
  in.wordList = "偷 900 v\n抢断 100 v\n青霉素 50 n\n";
  const datagen::ViewerFullSources out = datagen::viewerFullSources(in);
  // 盗む lists 偷 alone; 抢断 takes the term of its field.
  EXPECT_EQ(lineOf(out.jc, "ﾇｽﾑ|"), "ﾇｽﾑ|盗む\t{B}ぬすむ【盗む】\\n{J}〔動〕{C}偷\\n");
  EXPECT_EQ(lineOf(out.cj, "抢断|"), "抢断|QIANGDUAN34\t{C}抢断 qiǎngduàn\\n{J}〔動〕スチール\\n");
  // A shared character (軍備 is 军备 written in full) and a loanword keep their pairs.
  EXPECT_EQ(lineOf(out.cj, "军备|"), "军备|JUNBEI14\t{C}军备 jūnbèi\\n{J}〔名〕軍備\\n");
  EXPECT_EQ(lineOf(out.jc, "ｸﾞﾝﾋﾞ|"), "ｸﾞﾝﾋﾞ|軍備\t{B}ぐんび【軍備】\\n{J}〔名〕{C}军备\\n");
  EXPECT_EQ(lineOf(out.cj, "青霉素|"), "青霉素|QINGMEISU124\t{C}青霉素 qīngméisù\\n{J}〔名〕ペニシリン\\n");
  // Set phrases and polite clauses; a noun stays one.
  EXPECT_EQ(lineOf(out.cj, "对不起|"), "对不起|DUIBUQI43\t{C}对不起 duìbuqǐ\\n{J}〔慣〕すみません\\n");
  EXPECT_EQ(lineOf(out.cj, "没关系|"), "没关系|MEIGUANXI21\t{C}没关系 méiguānxi\\n{J}〔慣〕大丈夫です\\n");
  EXPECT_EQ(lineOf(out.cj, "学生|"), "学生|XUESHENG2\t{C}学生 xuésheng\\n{J}〔名〕学生\\n");
}

}  // namespace
