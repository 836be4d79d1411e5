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

}  // namespace
