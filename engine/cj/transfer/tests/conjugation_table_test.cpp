#include "engine/cj/transfer/predicate_generation.h"

#include <gtest/gtest.h>

#include "engine/cj/analysis/tests/cj_test_folder.h"
#include "engine/common/word_table.h"
#include "engine/cj/transfer/adjective_conjugation.h"
#include "engine/cj/transfer/tests/transfer_fixture.h"

namespace {

// Modalities of a case, as letters: n neg, 1 neg1, p passive, c causative, k potential, d desire,
// B past tense, C aspect C, P progressive aspect B.
cj::CjModalities modalities(const char* marks) {
  cj::CjModalities m;
  for (const char* p = marks; *p; ++p) {
    switch (*p) {
      case 'n': m.neg = 1; break;
      case '1': m.neg1 = 1; break;
      case 'p': m.voi = 1; break;
      case 'c': m.shiyi = 1; break;
      case 'k': m.neng = 1; break;
      case 'd': m.yuanyi = 1; break;
      case 'B': m.ten = 'B'; break;
      case 'C': m.asp = 'C'; break;
      case 'P': m.asp = 'B'; break;
    }
  }
  return m;
}

class Conjugation : public cjtest::TransferFixture {
 protected:
  void SetUp() override {
    words(3);
    start();
  }
};

TEST_F(Conjugation, ByCodeAndForm) {
  struct Case {
    const char* word;
    const char* code;
    char form;
    const char* marks;
    const char* text;
    const char* newCode;
  };
  const Case cases[] = {
      // Verbs.
      {"書く", "TG000", 'z', "B", "書いた", "DOKU0"},
      {"書く", "TG000", 'z', "C", "書いた", "DOKU0"},
      {"書く", "TG000", 'z', "", "書く", "TG000"},
      {"書く", "TG000", 'z', "P", "書いている", "TI000"},
      {"行く", "ZG000", 'z', "B", "行った", "DOKU1"},
      {"行く", "ZG000", 'd', "", "行って", "ZG000"},
      {"書く", "TG000", 'z', "c", "書かせる", "TI000"},
      {"書く", "TG000", 'z', "p", "書かれる", "TI000"},
      {"書く", "TG000", 'z', "k", "書ける", "TI000"},
      {"書く", "TG000", 'z', "d", "書きたい", "KYOSI"},
      {"書く", "TG000", 'z', "n", "書かない", "VTNAI"},
      {"書く", "TG000", 'z', "nB", "書かなかった", "DOKU0"},
      {"書く", "TG000", 'z', "cpn", "書かせられない", "VTNAI"},
      {"書く", "TG000", 'd', "n", "書かないで", "VTNAI"},
      {"書かない", "VZNAI", 'd', "", "書かないで", "VZNAI"},
      {"書く", "TG000", 'j', "", "書けば", "TG000"},
      {"書く", "TG000", 'l', "", "書くだろう", "TG000"},
      {"書く", "TG000", 'l', "B", "書いただろう", "DOKU0"},
      {"行く", "ZG000", 'l', "", "行くだろう", "ZG000"},
      {"行く", "ZG000", 'l', "B", "行っただろう", "DOKU1"},  // the past of either class still conjectures
      {"書く", "TG000", 'm', "", "書け", "TG000"},
      {"食べる", "TI000", 'm', "", "食べろ", "TI000"},
      {"書く", "TG000", 'i', "", "書こ", "TG000"},
      {"書く", "TG000", 'y', "", "書き", "TG000"},
      {"書く", "TG000", 'Y', "", "書いて", "TG000"},
      {"書く", "TG000", 'W', "", "書か", "TG000"},
      {"書く", "TG000", 'w', "", "書こ", "TG000"},
      {"書く", "TG000", 't', "B", "書いた", "DOKU0"},
      {"書く", "TG000", 'N', "", "書くこと", "N0000"},
      {"書く", "TG000", 'N', "B", "書いたこと", "N0000"},
      {"高い", "KYOSI", 'N', "B", "高いこと", "N0000"},  // the tense is dropped before a nominal form
      {"勉強する", "SHT00", 'N', "", "勉強", "N0000"},
      {"勉強をする", "SHT00", 'E', "", "勉強", "N0000"},
      {"英語を勉強する", "SHT00", 'n', "", "英語の勉強", "N0000"},
      {"ばかにする", "SHT00", 'N', "", "ばかにすること", "N0000"},
      {"書く", "TG000", 'r', "", "書く", "TG000"},
      {"書く", "TG000", 'q', "", "書く", "TG000"},
      {"食べる", "TI000", 'z', "1", "食べていない", "VTNAI"},
      {"来る", "KHZ00", 'z', "B", "来た", "DOKU1"},
      {"勉強する", "SHT00", 'z', "k", "勉強することができ（ありえ）る", "TI000"},
      // i-adjectives.
      {"高い", "KYOSI", 'z', "n", "高くない", "KYOSI"},
      {"高い", "KYOSI", 'z', "B", "高かった", "DOKU0"},
      {"高い", "KYOSI", 'd', "", "高くて", "KYOSI"},
      {"高い", "KYOSI", 'j', "", "高ければ", "KYOSI"},
      {"高い", "KYOSI", 'l', "", "高かろう", "KYOSI"},
      {"高い", "KYOSI", 'y', "", "高く", "KYOSI"},
      {"高い", "KYOSI", 't', "", "高い", "KYOSI"},
      {"高い", "KYOSI", 'N', "", "高いこと", "N0000"},
      {"高い", "KYOSI", 'z', "c", "高くならせる", "TI000"},
      {"高い", "KYOSI", 'z', "ck", "高くならせられる", "TI000"},
      {"高い", "KYOSI", 'z', "1", "高くなっていない", "VZNAI"},
      {"高い", "KYOSI", 'W', "", "高くなら", "TG000"},
      {"高い", "KYOSI", 'w', "", "高くなろ", "TG000"},
      // The copula and na-adjectives.
      {"静かだ", "KYODO", 'z', "n", "静かではない", "KYOSI"},
      {"静かだ", "KYODO", 'z', "B", "静かだった", "DOKU0"},
      {"静かだ", "KYODO", 'z', "nB", "静かではなかった", "DOKU0"},
      {"静かだ", "KYODO", 'l', "nB", "静かではなかっただろう", "DOKU0"},
      {"静かだ", "KYODO", 'm', "nB", "静かではなかった", "DOKU0"},
      {"静かだ", "KYODO", 'i', "nB", "静かではなかった", "DOKU0"},
      {"静かだ", "KYODO", 't', "", "静かな", "KYODO"},
      {"静かだ", "KYODO", 'y', "", "静かに", "KYODO"},
      {"静かだ", "KYODO", 'd', "", "静かで", "KYODO"},
      {"静かだ", "KYODO", 'j', "", "静かならば", "KYODO"},
      {"静かだ", "KYODO", 'l', "", "静かだろう", "KYODO"},
      {"静かだ", "KYODO", '?', "", "静かです", "DOKU0"},
      {"静かだ", "KYODO", 'E', "", "静かであること", "N0000"},
      {"静かだ", "KYODO", 'N', "", "静かなこと", "N0000"},
      {"静かだ", "KYODO", 'W', "", "静かになら", "TG000"},
      {"同じだ", "KYODO", 't', "", "同じ", "KYODO"},
      {"こんなだ", "KYODO", 't', "", "こんな", "KYODO"},
      // Nominal and other codes.
      {"学生", "N0000", 'S', "", "だ", "KYODO"},
      {"学生", "N0000", 'z', "n", "学生でない", "KYOSI"},
      {"学生", "N0000", 'E', "", "学生であること", "N0000"},
      {"勉強", "N0000", 'z', "c", "勉強をさせる", "TI000"},
      {"静か", "NJN00", 'y', "", "静かに", "NJN00"},
      {"学校", "NJ000", 'y', "", "学校", "NJ000"},
      {"どん", "GION0", 'd', "", "どんと", "GION0"},
      {"どん", "GION0", 'N', "", "どんという音", "GION0"},
      {"どん", "GION0", 'z', "", "どんという", "GION0"},
      {"よくなった", "DOKU1", 'z', "n", "悪くなった", "DOKU1"},
      {"言った", "DOKU0", 'z', "n", "言ったのではない", "KYOSI"},
      {"違う", "DOKU0", 't', "", "違うの", "DOKU0"},
      {"言った", "DOKU0", 'd', "", "言って", "DOKU0"},
      {"大きな", "RETAI", 'z', "n", "大きな", "RETAI"},
  };
  for (const Case& k : cases) {
    std::string text = k.word, code = k.code;
    cj::CjModalities m = modalities(k.marks);
    cj::conjugate(*context, 1, k.form, text, code, m);
    EXPECT_EQ(text, k.text) << k.word << ' ' << k.code << ' ' << k.form << ' ' << k.marks;
    EXPECT_EQ(code, k.newCode) << k.word << ' ' << k.code << ' ' << k.form << ' ' << k.marks;
  }
}

TEST_F(Conjugation, NominalisedVerbWithArgumentsKeepsItsSuruForm) {
  cj::CjRoleLink link;
  link.head = 1;
  link.dependent = 2;
  link.label = "OBJ1";
  links.push_back(link);
  std::string text = "勉強する", code = "SHT00";
  cj::CjModalities m;
  cj::conjugate(*context, 1, 'N', text, code, m);
  EXPECT_EQ(text, "勉強すること");
  EXPECT_EQ(code, "N0000");
}

TEST_F(Conjugation, FieldsAreCutAtWholeCharacters) {
  cj::CjTargetNode& t = target(1);
  std::string word;
  for (int k = 0; k < 38; ++k) word += "書";
  t.japanese = word + "く";  // 78 bytes
  t.jcat = "TG000";
  cj::conjugate(*context, 1, 'N', t.japanese, t.jcat, t);
  // "書...書くこと" does not fit 79 bytes: cut after "こ", never inside a character.
  EXPECT_EQ(t.japanese.size(), 78u);
  EXPECT_EQ(t.japanese.str(), word + "く");
  EXPECT_EQ(t.jcat, "N0000");
  std::string shorter;
  for (int k = 0; k < 37; ++k) shorter += "書";
  t.japanese = shorter + "く";  // 76 bytes
  t.jcat = "TG000";
  cj::conjugate(*context, 1, 'N', t.japanese, t.jcat, t);
  EXPECT_EQ(t.japanese.str(), shorter + "くこ");
}

TEST_F(Conjugation, GeneratePredicateOnTextAndCandidates) {
  cj::CjTargetNode& t = target(1);
  t.japanese = "だ";
  t.att = "か";
  generatePredicate(*context, 1);
  EXPECT_EQ(t.japanese, "です");
  EXPECT_EQ(t.jcat, "DOKU0");

  t.japanese = "だ";
  t.jcat.clear();
  t.att = "から";
  generatePredicate(*context, 1);
  EXPECT_EQ(t.japanese, "だ");
  EXPECT_EQ(t.jcat, "KYODO");

  // A question candidate gets "か"; the others are conjugated by their codes.
  cj::CjTargetNode& v = target(2);
  sentence->nodes[2].CAT = "V";
  v.ten = 'B';
  v.candidates.resize(2);
  v.candidates[0].text = "書く";
  v.candidates[0].code = "TG000";
  v.candidates[1].text = "高い";
  v.candidates[1].code = "KYOSI";
  v.candidates[1].frame2 = 'G';
  generatePredicate(*context, 2);
  EXPECT_EQ(v.candidates[0].text, "書いた");
  EXPECT_EQ(v.candidates[0].code, "DOKU0");
  EXPECT_EQ(v.candidates[1].text, "高いか");
  EXPECT_EQ(v.candidates[1].code, "DOKU0");
}

TEST_F(Conjugation, GeneratePredicateLeavesMarkedNodes) {
  cj::CjTargetNode& t = target(1);
  t.japanese = "書く";
  t.jcat = "TG000";
  t.ten = 'B';
  t.ruleFlag2 = 0;
  for (char form : {'z', 'd', 'N', 't'}) {
    t.vform = form;
    generatePredicate(*context, 1);
    EXPECT_EQ(t.japanese, "書く") << form;
  }
  t.ruleFlag2 = 1;
  sentence->nodes[1].CAT = "P";
  t.vform = 'z';
  generatePredicate(*context, 1);
  EXPECT_EQ(t.japanese, "書く");
  t.vform = 'd';
  sentence->nodes[1].CAT = "V";
  generatePredicate(*context, 1);
  EXPECT_EQ(t.japanese, "書いて");
}

TEST_F(Conjugation, SetAttributiveForms) {
  ASSERT_EQ(cj::loadWordTableText(cjtest::syntheticWords()), cj::kWordTableLoaded);
  sentence->nodes[1].CHI = cj::listedWords("predicateGeneration.manyWords")[2];
  target(1).vform = 't';
  generatePredicate(*context, 1);
  EXPECT_EQ(target(1).japanese, "多くの");
  EXPECT_EQ(target(1).jcat, "RETAI");
  // Negated or past: no set form.
  sentence->nodes[2].CHI = cj::listedWord("predicateGeneration.whatKindWord");
  target(2).vform = 't';
  target(2).ten = 'B';
  generatePredicate(*context, 2);
  EXPECT_TRUE(target(2).japanese.empty());
  // Otherwise the first adnominal candidate.
  target(3).vform = 't';
  target(3).candidates.resize(2);
  target(3).candidates[0].text = "大切だ";
  target(3).candidates[0].code = "KYODO";
  target(3).candidates[1].text = "大事な";
  target(3).candidates[1].code = "RETAI";
  generatePredicate(*context, 3);
  EXPECT_EQ(target(3).japanese, "大事な");
  // "多い" and "少ない" for the listed words in the plain form.
  std::string text = "大きい", code = "KYOSI";
  cj::CjModalities m;
  m.neg = 1;
  sentence->nodes[1].CHI = cj::listedWords("predicateGeneration.littleWords")[1];
  cj::conjugate(*context, 1, 'z', text, code, m);
  EXPECT_EQ(text, "少なくない");
  cj::clearWordTable();
}

// The title after a person name: the name is the node before it in the chain, not the node of
// the index before it.
TEST_F(Conjugation, TitleAfterThePreviousNodeInTheChain) {
  ASSERT_EQ(cj::loadWordTableText(cjtest::syntheticWords()), cj::kWordTableLoaded);
  sentence->nodes[1].CHI = cj::listedWords("entityTests.surnameChars")[0];
  sentence->nodes[3].CHI = cj::listedWords("predicateGeneration.honorificWords")[0];
  sentence->nodes[3].prev = 1;  // node 2 sits inside a phrase elsewhere
  target(3).vform = 't';
  generatePredicate(*context, 3);
  EXPECT_EQ(target(3).japanese, "さん");
  EXPECT_EQ(target(3).jcat, "N0000");
  // With an ordinary word before it in the chain, no title.
  sentence->nodes[1].CHI = "\xFB\x41";
  target(3).japanese.clear();
  target(3).jcat.clear();
  sentence->nodes[2].CHI = cj::listedWords("entityTests.surnameChars")[0];
  generatePredicate(*context, 3);
  EXPECT_NE(target(3).japanese, "さん");
  cj::clearWordTable();
}

TEST_F(Conjugation, AttributiveNounParticle) {
  // Node 1 is a noun before noun 2: "の" joins them once.
  cj::CjTargetNode& t = target(1);
  t.japanese = "学校";
  t.jcat = "N0000";
  t.vform = 't';
  t.nextSibling = 2;
  generatePredicate(*context, 1);
  EXPECT_EQ(t.japanese, "学校");
  EXPECT_EQ(t.att, "の");
  generatePredicate(*context, 1);
  EXPECT_EQ(t.att, "の");
  t.att = "から";
  t.joinWithNo = 1;
  generatePredicate(*context, 1);
  EXPECT_EQ(t.att, "のから");
}

}  // namespace
