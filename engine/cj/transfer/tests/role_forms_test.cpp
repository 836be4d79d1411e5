#include "engine/cj/transfer/role_forms.h"

#include <gtest/gtest.h>

#include <map>

#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/analysis/tests/cj_test_folder.h"
#include "engine/common/word_table.h"
#include "engine/cj/transfer/tests/rule_sentence.h"
#include "tools/datagen/cwcjdic_writer.h"

namespace {

class RoleForms : public cjtest::RuleSentence {};

TEST_F(RoleForms, EachRoleTakesItsForm) {
  struct Case {
    const char* label;
    const char* headCat;
    const char* dependentAtt;
    char dependentForm;
    int caseOpen;
  } cases[] = {
      {"TOP", "V", "は", 'n', 0}, {"OBJ2", "V", "を", 'N', 0}, {"PIVT", "V", "に", 'N', 0},
      {"COMP", "V", "", 'z', 0},  {"GOV", "V", "", 'z', 1},    {"VAA", "V", "", 'z', 1},
      {"QT", "V", "", 'z', 1},    {"ADVT", "V", "に", 'z', 0}, {"ADVT", "A", "は", 'z', 0},
  };
  for (const Case& k : cases) {
    build(std::string("w - N; w - ") + k.headCat + "; l 2 1 " + k.label);
    SCOPED_TRACE(std::string(k.label) + " " + k.headCat);
    candidate(1, "x", "NJN00");
    cj::assignRoleForms(*context);
    EXPECT_EQ(att(1), k.dependentAtt);
    EXPECT_EQ(target(1).vform, k.dependentForm);
    EXPECT_EQ(target(1).caseOpen, k.caseOpen);
  }
  // A serial verb: the head takes the comma and the continuing form.
  build("w - V; w - V; l 1 2 VA");
  cj::assignRoleForms(*context);
  EXPECT_EQ(att(1), "、");
  EXPECT_EQ(target(1).vform, 'y');
  // A symbol as topic is left open.
  build("w $roleForms.symbolChars#1 W; w - V; l 2 1 TOP");
  cj::assignRoleForms(*context);
  EXPECT_EQ(att(1), "");
  EXPECT_EQ(target(1).caseOpen, 1);
  // A link whose case is closed is not handled.
  build("w - N; w - V; l 2 1 TOP");
  target(1).caseOpen = 0;
  cj::assignRoleForms(*context);
  EXPECT_EQ(att(1), "");
}

TEST_F(RoleForms, CopulaSubjects) {
  struct Case {
    const char* copula;
    const char* after;
    const char* text;
    int alive;
  } cases[] = {
      {"$roleForms.copulaWords#0", "$roleForms.copulaSoMarks#2", "そうだ", 1},
      {"$roleForms.copulaWords#1", "$roleForms.copulaDropMarks#0", "", 0},
      {"$roleForms.copulaWords#0", "$roleForms.speechVerb", "だ", 1},
      {"$roleForms.copulaLikeWords#2", "$roleForms.copulaLikeSoMarks#5", "そうだ", 1},
      {"$roleForms.copulaLikeWords#0", "$roleForms.speechVerb", "own", 1},
  };
  for (const Case& k : cases) {
    // Subject 1 of phrase 5, whose head child is the copula (word 2) followed by word 3.
    build(std::string("w - N; w ") + k.copula + " V; w " + k.after + " W; w - N; p 2 4 VP; l 5 1 SUB");
    SCOPED_TRACE(k.copula);
    source(5).headChild = 2;
    target(2).japanese = "own";
    cj::assignRoleForms(*context);
    EXPECT_EQ(japanese(2), k.text);
    EXPECT_EQ(target(2).alive, k.alive);
    EXPECT_EQ(target(1).vform, 'n');
    EXPECT_EQ(target(1).caseOpen, 0);
    if (std::string(k.copula).find("copulaWords") != std::string::npos) {
      EXPECT_EQ(att(1), "も");
      EXPECT_EQ(target(2).jcat, k.alive ? "KYODO" : "");
    }
  }
}

// A copula that ends the sentence without punctuation: the node after it has no text, which a
// plain substring search finds in the first list of marks.
TEST_F(RoleForms, CopulaAtTheEndWithoutPunctuation) {
  build("w - N; w $roleForms.copulaWords#0 V; p 2 2 VP; l 3 1 SUB");
  source(3).headChild = 2;
  cj::assignRoleForms(*context);
  EXPECT_EQ(japanese(2), "そうだ");
  EXPECT_EQ(att(1), "も");
  build("w - N; w $roleForms.copulaLikeWords#1 V; p 2 2 VP; l 3 1 SUB");
  source(3).headChild = 2;
  target(2).japanese = "own";
  cj::assignRoleForms(*context);
  EXPECT_EQ(japanese(2), "そうだ");
}

TEST_F(RoleForms, SubjectsOfOneHead) {
  // The first of two subjects only takes the joining form; the word "also" after one is taken.
  build("w - N; w - N; w $roleForms.subjectAlsoWords#1 F; w - V; l 4 1 SUB; l 4 2 SUB");
  cj::assignRoleForms(*context);
  EXPECT_EQ(target(1).vform, 't');
  EXPECT_EQ(target(1).caseOpen, 1);
  EXPECT_EQ(att(1), "");
  EXPECT_EQ(target(2).vform, 'n');
  EXPECT_EQ(att(2), "も");
  EXPECT_EQ(target(3).alive, 0);
  // The longer "also" word stays.
  build("w - N; w $roleForms.subjectAlsoLong F; w - V; l 3 1 SUB");
  cj::assignRoleForms(*context);
  EXPECT_EQ(att(1), "も");
  EXPECT_EQ(target(2).alive, 1);
}

TEST_F(RoleForms, AdjectiveObjectOfACopulaLikeHead) {
  struct Case {
    int headWord;  // word of the list
    int headNeg;
    int adjectiveNeg;
  } cases[] = {{0, 0, 0}, {0, 1, 1}, {1, 0, 1}, {1, 1, 0}, {4, 1, 0}, {5, 0, 1}};
  for (const Case& k : cases) {
    build("w - N; w $roleForms.objectHeadWords#" + std::to_string(k.headWord) + " V; w - A; l 2 3 OBJ1");
    SCOPED_TRACE(k.headWord * 10 + k.headNeg);
    candidate(3, "高い", "KYOSI");
    target(2).neg = static_cast<char>(k.headNeg);
    target(2).ten = 'B';
    target(2).caseOpen = 0;
    target(2).att = "と";
    cj::assignRoleForms(*context);
    EXPECT_EQ(target(3).neg, k.adjectiveNeg);
    EXPECT_EQ(target(3).ten, 'B');
    EXPECT_EQ(target(3).vform, 'z');
    EXPECT_EQ(target(2).alive, 0);
    EXPECT_EQ(target(2).substitute, 3);
    EXPECT_EQ(att(3), "と");
  }
  // A second object of one head joins with "の".
  build("w - N; w - N; w - V; l 3 1 OBJ1; l 3 2 OBJ1");
  candidate(1, "x", "N0000");
  candidate(2, "x", "N0000");
  cj::assignRoleForms(*context);
  EXPECT_EQ(att(1), "の");
  EXPECT_EQ(target(1).vform, 'N');
}

TEST_F(RoleForms, ZTypeVerbPhrases) {
  const char* phrase = "w - N role=1; w - V role=2; p 1 2 VP sub=Z rule=";
  build(std::string(phrase) + "4");
  cj::applyZVerbPhrase(*context, 3);
  EXPECT_EQ(chain(3), "1 2");
  EXPECT_EQ(att(1), "");
  EXPECT_EQ(context->nodeCount, 3);

  build(std::string(phrase) + "1");
  target(3).neg = 1;
  cj::applyZVerbPhrase(*context, 3);
  EXPECT_EQ(chain(3), "1 2 4");
  EXPECT_EQ(att(1), "を");
  EXPECT_EQ(target(1).vform, 'N');
  EXPECT_EQ(japanese(4), "とする");
  EXPECT_EQ(target(4).jcat, "SHZ00");
  EXPECT_EQ(target(3).headChild, 4);

  build(std::string(phrase) + "5");
  cj::applyZVerbPhrase(*context, 3);
  EXPECT_EQ(chain(3), "2 1");

  build("w - N; w - V; w - N; p 1 3 VP sub=Z rule=2");
  target(4).ten = 'B';
  cj::applyZVerbPhrase(*context, 4);
  EXPECT_EQ(chain(4), "1 3 2");
  EXPECT_EQ(japanese(2), "なる");
  EXPECT_EQ(att(3), "に");
  EXPECT_EQ(target(2).ten, 'B');
  EXPECT_EQ(target(4).headChild, 2);

  // Rule 2 without the third child leaves the phrase as it is.
  build(std::string(phrase) + "2");
  cj::applyZVerbPhrase(*context, 3);
  EXPECT_EQ(japanese(2), "");
  EXPECT_EQ(chain(3), "1 2");
}

TEST_F(RoleForms, CountryAbbreviations) {
  build("w $roleForms.countryAbbreviations#1 N M_SEM=JJJ; w - N M_SEM=JJJ");
  target(2).japanese = "辞書";
  cj::translateCountryAbbreviation(*context, 1);
  cj::translateCountryAbbreviation(*context, 2);
  EXPECT_EQ(japanese(1), "米国");
  EXPECT_EQ(target(1).jcat, "N0000");
  EXPECT_EQ(japanese(2), "辞書");
}

TEST_F(RoleForms, SpeechVerbKeepsATranslationARuleGave) {
  build("w - N; w $roleForms.speechVerb V +V:C_VAL=H");
  target(2).japanese = "話す";
  cj::fixSpeechVerb(*context);
  EXPECT_EQ(japanese(2), "話す");
  EXPECT_TRUE(target(2).candidates.empty());
}

// The speech verb looked up in a small dictionary.
class SpeechVerb : public cjtest::RuleSentence {
 protected:
  void SetUp() override {
    RuleSentence::SetUp();
    datagen::CjDataFiles files = datagen::minimalCjDataFiles(cjtest::syntheticWords());
    std::string error;
    ASSERT_TRUE(datagen::cwcjdicFile({{"speak", {{'V', "話す", "TG000", 'O'}}}}, files["cwcjdic.dic"], refs, &error))
        << error;
    ASSERT_TRUE(datagen::writeCjDataFiles(cjtest::useFolder(device), files));
    ASSERT_EQ(cj::initCjEngine(cjtest::engine()), 0);
  }
  void TearDown() override { cj::closeCjEngine(cjtest::engine()); }
  datagen::TempDevice device;
  std::map<std::string, std::int32_t> refs;
};

TEST_F(SpeechVerb, FirstSenseHBecomesKataru) {
  build("w - N; w $roleForms.speechVerb V +V:C_VAL=H");
  source(2).dictionaryRef = refs.at("speak");
  cj::fixSpeechVerb(*context);
  ASSERT_FALSE(target(2).candidates.empty());
  const cj::CjCandidate& first = target(2).candidates.front();
  EXPECT_EQ(first.text, "語る");
  EXPECT_EQ(first.code, "TG001");
  EXPECT_EQ(first.frame, '4');
  // A first sense whose C_VAL holds H among other codes.
  build("w - N; w $roleForms.speechVerb V +V:C_VAL=2H");
  source(2).dictionaryRef = refs.at("speak");
  cj::fixSpeechVerb(*context);
  ASSERT_FALSE(target(2).candidates.empty());
  EXPECT_EQ(target(2).candidates.front().text, "語る");
  // Another first sense: the verb is not looked up here.
  build("w - N; w $roleForms.speechVerb V +V:C_VAL=G");
  source(2).dictionaryRef = refs.at("speak");
  cj::fixSpeechVerb(*context);
  EXPECT_TRUE(target(2).candidates.empty());
}

TEST_F(RoleForms, EvenAdverb) {
  // After a word of its two-word list the adverb is simply dropped.
  build("w $roleForms.fWordNeighbours#1 N; w - N; w - F");
  cj::applyFWordRule(*context, 3);
  EXPECT_EQ(target(3).alive, 0);
  EXPECT_EQ(att(2), "");
  // Only a word before the adverb counts, not the adverb itself.
  build("w - N; w $roleForms.fWordNeighbours#0 F");
  EXPECT_EQ(cj::findListedNeighbour(*context, 2, cj::listedBarList("roleForms.fWordNeighbours")), 0);
  cj::applyFWordRule(*context, 2);
  EXPECT_EQ(att(1), "でも");
  EXPECT_EQ(target(2).alive, 0);

  // No question word in the sentence: "でも" on the word before it.
  build("w - N; w - F");
  cj::applyFWordRule(*context, 2);
  EXPECT_EQ(att(1), "でも");
  EXPECT_EQ(target(1).caseOpen, 0);
  EXPECT_EQ(target(2).alive, 0);
  build("w - F");
  cj::applyFWordRule(*context, 1);
  EXPECT_EQ(target(1).alive, 1);

  // A question word that is the subject of the adverb's own governor.
  build("w - R M_SEM=B; w - F; w - V; l 3 1 SUB; l 3 2 ADVF");
  cj::applyFWordRule(*context, 2);
  EXPECT_EQ(att(1), "でも");
  EXPECT_EQ(target(2).alive, 0);
  build("w - R M_SEM=B; w - F; w - V; l 3 1 COMP; l 3 2 ADVF");
  cj::applyFWordRule(*context, 2);
  EXPECT_EQ(att(1), "");
  EXPECT_EQ(target(2).alive, 1);
}

TEST_F(RoleForms, QuestionWordInASpan) {
  build("w - N; w - N; w - V; p 1 2 NP; l 3 4 OBJ1");
  candidate(1, "x", "N0000");
  candidate(2, "何", "N0000", 'G');
  candidate(3, "x", "TG000");
  EXPECT_TRUE(cj::hasGSenseInSpan(*context, 3));
  EXPECT_TRUE(cj::hasGSenseInSpan(*context, 4));
  EXPECT_FALSE(cj::hasGSenseInSpan(*context, 1));
}

}  // namespace
