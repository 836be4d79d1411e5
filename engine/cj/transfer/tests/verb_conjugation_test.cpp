#include "engine/cj/transfer/verb_conjugation.h"

#include <gtest/gtest.h>

#include "engine/cj/transfer/adjective_conjugation.h"
#include "engine/cj/transfer/category_codes.h"

namespace {

using cj::CjModalities;

struct Case {
  const char* name;
  const char* word;
  const char* code;
  void (*op)(std::string&, std::string&);
  const char* text;
  const char* newCode;
};

void teForm(std::string& t, std::string& c) { cj::verbTeForm(t, c); }

TEST(VerbConjugation, AuxiliariesAndForms) {
  const Case cases[] = {
      {"past of ku", "書く", "TG000", cj::appendPast, "書いた", "DOKU0"},
      {"te of ku", "書く", "TG000", teForm, "書いて", "TG000"},
      {"past of gu", "泳ぐ", "ZG000", cj::appendPast, "泳いだ", "DOKU1"},
      {"te of gu", "泳ぐ", "ZG000", teForm, "泳いで", "ZG000"},
      {"past of su", "話す", "TG000", cj::appendPast, "話した", "DOKU0"},
      {"te of su", "話す", "TG000", teForm, "話して", "TG000"},
      {"past of nu", "死ぬ", "ZG000", cj::appendPast, "死んだ", "DOKU1"},
      {"te of nu", "死ぬ", "ZG000", teForm, "死んで", "ZG000"},
      {"past of bu", "遊ぶ", "ZG000", cj::appendPast, "遊んだ", "DOKU1"},
      {"te of bu", "遊ぶ", "ZG000", teForm, "遊んで", "ZG000"},
      {"past of mu", "読む", "TG000", cj::appendPast, "読んだ", "DOKU0"},
      {"te of mu", "読む", "TG000", teForm, "読んで", "TG000"},
      {"past of tsu", "待つ", "TG000", cj::appendPast, "待った", "DOKU0"},
      {"past of iku", "行く", "ZG000", cj::appendPast, "行った", "DOKU1"},
      {"te of iku", "行く", "ZG000", teForm, "行って", "ZG000"},
      {"kana iku compound", "出ていく", "ZG000", teForm, "出ていって", "ZG000"},
      {"ichidan past", "食べる", "TI000", cj::appendPast, "食べた", "DOKU0"},
      {"sahen te", "勉強する", "SHT00", teForm, "勉強して", "SHT00"},
      {"causative godan", "書く", "TG000", cj::appendCausative, "書かせる", "TI000"},
      {"causative sahen", "勉強する", "SHT00", cj::appendCausative, "勉強させる", "TI000"},
      {"causative ichidan", "食べる", "TI000", cj::appendCausative, "食べさせる", "TI000"},
      {"causative already", "食べさせる", "TI000", cj::appendCausative, "食べさせる", "TI000"},
      {"passive godan", "書く", "TG000", cj::appendPassive, "書かれる", "TI000"},
      {"passive sahen", "勉強する", "SHT00", cj::appendPassive, "勉強される", "TI000"},
      {"passive ichidan", "食べる", "TI000", cj::appendPassive, "食べられる", "TI000"},
      {"potential godan", "書く", "TG000", cj::appendPotential, "書ける", "TI000"},
      {"potential ichidan", "食べる", "TI000", cj::appendPotential, "食べられる", "TI000"},
      {"potential sahen", "勉強する", "SHT00", cj::appendPotential, "勉強することができ（ありえ）る", "TI000"},
      {"potential none", "すごい", "KYOSI", cj::appendPotential, "すごい", "TI000"},
      {"desire", "書く", "TG000", cj::appendDesiderative, "書きたい", "KYOSI"},
      {"negate aru", "ある", "ZG001", cj::negateVerb, "ない", "KYOSI"},
      {"negate ending aru", "書いてある", "ZG001", cj::negateVerb, "書いてない", "VZNAI"},
      {"negate godan", "書く", "TG000", cj::negateVerb, "書かない", "VTNAI"},
      {"negate u row", "買う", "TG000", cj::negateVerb, "買わない", "VTNAI"},
      {"negate kahen kanji", "来る", "KHZ00", cj::negateVerb, "来ない", "VZNAI"},
      {"negate kahen kana", "やってくる", "KHZ00", cj::negateVerb, "やってこない", "VZNAI"},
      {"not yet ichidan iru", "いる", "ZI000", cj::appendNotYet, "いない", "VTNAI"},
      {"not yet kuru", "来る", "KHZ00", cj::appendNotYet, "来ていない", "VTNAI"},
      {"not yet godan", "書く", "TG000", cj::appendNotYet, "書いていない", "VTNAI"},
      {"not yet intransitive", "泳ぐ", "ZG000", cj::appendNotYet, "泳いでいない", "VZNAI"},
      {"progressive", "読む", "TG000", cj::appendProgressive, "読んでいる", "TI000"},
      {"progressive intransitive", "走る", "ZG000", cj::appendProgressive, "走っている", "ZI000"},
      {"progressive already", "読んでいる", "TI000", cj::appendProgressive, "読んでいる", "TI000"},
      {"progressive aru", "ある", "ZG001", cj::appendProgressive, "ある", "ZG001"},
      {"progressive past", "書く", "TG000", cj::appendProgressivePast, "書いていた", "TG000"},
      {"progressive volitional", "書く", "TG000", cj::appendProgressiveVolitional, "書いていよう", "TG000"},
  };
  for (const Case& c : cases) {
    std::string text = c.word, code = c.code;
    c.op(text, code);
    EXPECT_EQ(text, c.text) << c.name;
    EXPECT_EQ(code, c.newCode) << c.name;
  }
}

TEST(VerbConjugation, StemsByClass) {
  struct StemCase {
    const char* word;
    char cls;
    char form;
    char variant;
    const char* out;
  };
  const StemCase cases[] = {
      {"書く", '5', 'w', '1', "書か"},   {"書く", '5', 'w', '2', "書こ"},   {"書く", '5', 'y', '3', "書き"},
      {"書く", '5', 'j', '1', "書け"},   {"書く", '5', 'm', '1', "書け"},   {"書く", '5', 't', '1', "書く"},
      {"書く", '5', 'w', '3', "書く"},   {"食べる", '1', 'w', '1', "食べ"}, {"食べる", '1', 'j', '1', "食べれ"},
      {"食べる", '1', 'm', '1', "食べろ"}, {"食べる", '1', 'm', '2', "食べよ"}, {"する", 's', 'm', '1', "しろ"},
      {"勉強する", 's', 'm', '2', "勉強せよ"}, {"勉強する", 's', 'j', '1', "勉強すれ"},
      {"勉強する", 's', 'w', '1', "勉強し"}, {"勉強する", 's', 'w', '2', "勉強さ"},
      {"来る", 'k', 'w', '1', "来"},     {"来る", 'k', 'j', '1', "来れ"},   {"来る", 'k', 'm', '1', "来い"},
      {"やってくる", 'k', 'w', '1', "やってこ"}, {"やってくる", 'k', 'y', '1', "やってき"},
      {"やってくる", 'k', 'j', '1', "やってくれ"}, {"やってくる", 'k', 'm', '1', "やってこい"},
      {"いらっしゃる", '5', 'm', '1', "いらっしゃい"}, {"おっしゃる", '5', 'm', '1', "おっしゃい"},
      {"くださる", '5', 'm', '1', "ください"}, {"くださる", '5', 'y', '3', "くださっ"},
      {"くださる", '5', 'j', '1', "くだされ"}, {"すごい", '*', 'w', '1', "すごい"},
      {"あ", '5', 'w', '1', "あ"},
  };
  for (const StemCase& c : cases) {
    std::string text = c.word;
    cj::conjugateStem(c.form, c.variant, text, c.cls);
    EXPECT_EQ(text, c.out) << c.word << ' ' << c.form << c.variant;
  }
}

TEST(VerbConjugation, TenseAspectTable) {
  struct TenseCase {
    char ten, asp;
    const char* out;
  };
  const TenseCase cases[] = {
      {'A', 'A', "書く"},       {'A', 'B', "書いている"}, {'A', 'C', "書いた"}, {'A', 'D', "書いている"},
      {'B', 'A', "書いた"},     {'B', 'B', "書いていた"}, {'B', 'C', "書いた"}, {'B', 'D', "書いていた"},
      {'C', 'A', "書く"},       {'C', 'B', "書いていよう"}, {'C', 'C', "書いた"}, {'C', 'D', "書いていよう"},
      {'A', 'E', "書く"},       {'D', 'C', "書く"},
  };
  for (const TenseCase& c : cases) {
    std::string text = "書く", code = "TG000";
    cj::applyVerbTenseAspect(text, code, c.ten, c.asp);
    EXPECT_EQ(text, c.out) << c.ten << c.asp;
  }
}

TEST(CategoryCodes, ClassesAndGroups) {
  EXPECT_EQ(cj::verbClassOf("TG003"), '5');
  EXPECT_EQ(cj::verbClassOf("VOG02"), '5');
  EXPECT_EQ(cj::verbClassOf("ZI001"), '1');
  EXPECT_EQ(cj::verbClassOf("ZHTZ0"), 's');
  EXPECT_EQ(cj::verbClassOf("VOKH0"), 'k');
  EXPECT_EQ(cj::verbClassOf("KYOSI"), '*');
  EXPECT_EQ(cj::verbClassOf("TG00"), '*');
  EXPECT_TRUE(cj::isAdjectiveCode("VONAI"));
  EXPECT_FALSE(cj::isAdjectiveCode("KYODO"));
  EXPECT_TRUE(cj::isNounCode("NXYZ0"));
  EXPECT_TRUE(cj::isNounCode("SUSHI"));
  EXPECT_FALSE(cj::isNounCode("KYODO"));
  EXPECT_TRUE(cj::isParticleCode("ZYOSI"));
  EXPECT_TRUE(cj::isTransitiveCode("TZG01"));
  EXPECT_TRUE(cj::isTransitiveCode("KHTZ0"));
  EXPECT_TRUE(cj::isTransitiveCode("VTNAI"));
  EXPECT_FALSE(cj::isTransitiveCode("ZG000"));
  EXPECT_FALSE(cj::isTransitiveCode("VZNAI"));
}

}  // namespace
