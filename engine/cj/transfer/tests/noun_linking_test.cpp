#include "engine/cj/transfer/noun_linking.h"

#include <gtest/gtest.h>

#include "engine/cj/transfer/entity_tests.h"
#include "engine/cj/transfer/tests/generation_fixture.h"

namespace {

using cjtest::candidate;

using NounLinking = cjtest::GenerationFixture;

TEST_F(NounLinking, EntityTests) {
  build("w $entityTests.surnameChars#7 N; w $entityTests.givenNameChars#96 N; w - N; w - N; w - N M_SEM=P;"
        "w $entityTests.placeWords#93 N; w - N M_SEM=J; w $entityTests.personWords#29 N; w - N; w - N class=2 rule=3;"
        "w - N class=2 rule=4; w - N M_SEM=Z; w - N; w - N M_SEM=H");
  target(3).candidates = {candidate("田中", "NAMAE")};
  target(13).candidates = {candidate("猫", "N<匹>")};
  target(4).candidates = {candidate("東京", "CHIME")};
  target(9).candidates = {candidate("机", "N0000")};
  using Test = int (*)(cj::CjTransferContext&, int);
  struct Case {
    Test test;
    const char* name;
    std::vector<int> yes;
  };
  const Case cases[] = {
      {cj::isPersonName, "person name", {1, 2, 3, 10}},
      {cj::isPlaceName, "place name", {4}},
      {cj::isPlaceWord, "place word", {5, 6}},
      {cj::isPersonOrOrganisationWord, "person word", {7, 8, 14}},
      {cj::hasAnimateSubjectWord, "animate word", {12, 13, 14}},
  };
  for (const Case& k : cases) {
    for (int i = 0; i <= 14; ++i) {
      const bool want = std::find(k.yes.begin(), k.yes.end(), i) != k.yes.end();
      EXPECT_EQ(k.test(*context, i), want ? 1 : 0) << k.name << ' ' << i;
    }
  }
}

TEST_F(NounLinking, DeterminerTranslations) {
  build("w $determiners.manyWords#2 N; w $determiners.whatWord N; w $entityTests.surnameChars N;"
        "w $determiners.honorificWords#1 N; w $determiners.somethingWord N; w - N; w - N; w $determiners.honorificWords N");
  target(3).att = "(さん)";
  target(6).candidates = {candidate("あの", "N0000"), candidate("この", "DN000")};
  struct Case {
    int node;
    int result;
    const char* japanese;
  };
  const Case cases[] = {{1, 1, "多い"}, {2, 1, "何"}, {4, 1, "さん"}, {5, 1, "あるもの"}, {6, 1, "この"}, {7, 0, ""}, {8, 0, ""}};
  for (const Case& k : cases) {
    EXPECT_EQ(cj::translateDeterminer(*context, k.node), k.result) << k.node;
    EXPECT_EQ(target(k.node).japanese, k.japanese) << k.node;
  }
  EXPECT_EQ(target(1).jcat, "KYOSI");
  EXPECT_EQ(target(3).att, "");  // the name's "(さん)" gives way
}

TEST_F(NounLinking, NamesAndCompounds) {
  // 1-2 two names; 3 a name before the excluded word 4; 5 a name before a place word 6;
  // 7 a noun before a listed title 8; 9 a place name before a person word 10.
  build("w $entityTests.surnameChars#1 N; w $entityTests.givenNameChars#2 N; w $entityTests.surnameChars#3 N;"
        "w $nounLinking.namePairExcluded#1 N; w $entityTests.surnameChars#4 N; w - N M_SEM=P; w - N;"
        "w $nounLinking.nameCompoundNext#4 N; w - N; w - N M_SEM=H; w $entityTests.surnameChars#5 N;"
        "w $nounLinking.nameCompoundExcluded N");
  target(4).candidates = {candidate("x", "NAMAE")};
  target(9).candidates = {candidate("大阪", "CHIME")};
  EXPECT_EQ(cj::isNamePair(*context, 1), 1);
  EXPECT_EQ(cj::isNamePair(*context, 3), 0);  // the excluded word, though it reads as a name
  EXPECT_EQ(cj::isNameCompound(*context, 5), 1);
  EXPECT_EQ(cj::isNameCompound(*context, 7), 1);
  EXPECT_EQ(cj::isNameCompound(*context, 9), 0);
  EXPECT_EQ(cj::isNameCompound(*context, 11), 0);  // next is excluded
  EXPECT_EQ(cj::isPlacePersonPair(*context, 9), 1);
  EXPECT_EQ(cj::isPlacePersonPair(*context, 7), 0);
}

TEST_F(NounLinking, CodesAndSemantics) {
  build("w - N; w - N; w - N; w - N; w - N; w - V; w $nounLinking.compoundWords#2 N; w - N M_SEM=gJH; w - N M_SEM=g;"
        "w - N M_SEM=gJ; w - N M_SEM=g");
  target(1).candidates = {candidate("日本", "NJ000")};
  target(2).candidates = {candidate("語", "NJX00")};
  target(3).candidates = {candidate("語", "NJX00")};
  target(4).japanese = "学習";
  target(4).jcat = "NJN00";
  target(5).candidates = {candidate("研究", "NJ000")};
  target(6).candidates = {candidate("する", "SHT00", '7')};
  EXPECT_EQ(cj::isCompoundNoun(*context, 1), 1);  // NJ000 + NJX00
  EXPECT_EQ(cj::isCompoundNoun(*context, 2), 1);  // NJX00 + NJX00
  EXPECT_EQ(cj::isCompoundNoun(*context, 3), 0);  // NJX00 + NJN00
  EXPECT_EQ(cj::isCompoundNoun(*context, 7), 1);  // a listed word
  EXPECT_EQ(cj::hasCode(*context, 4, "NJN00"), 1);
  EXPECT_EQ(cj::nextHasFrameSeven(*context, 5), 1);
  EXPECT_EQ(cj::nextHasFrameSeven(*context, 4), 0);
  EXPECT_EQ(cj::isNounBeforeVerb(*context, 5), 1);
  EXPECT_EQ(cj::isNounBeforeVerb(*context, 4), 0);  // next is a noun
  EXPECT_EQ(cj::isSemanticPair(*context, 8), 1);
  EXPECT_EQ(cj::isSemanticPair(*context, 10), 0);  // no H
  // An untranslated next word is read as it stands, not translated by the test.
  sentence->nodes[9].CHI = "\xFB\x41";
  EXPECT_EQ(cj::nextHasFrameSeven(*context, 8), 0);
  EXPECT_TRUE(target(9).japanese.empty());
  EXPECT_TRUE(target(9).candidates.empty());
}

TEST_F(NounLinking, CountedObject) {
  // Verb 1 governs object phrase 5 over 2..4: a counted word, its follower and a dropped word.
  build("w - V; w $nounLinking.countedWords#16 N; w $nounLinking.countedNext#1 N; w $nounLinking.countedDropped N;"
        "p 2 4 NP; l 1 5 OBJ1");
  EXPECT_EQ(cj::isCountedObject(*context, 2), 1);
  EXPECT_EQ(target(4).alive, 0);
  // Without the dropped word: the phrase must be the governor's object.
  build("w - V; w $nounLinking.countedWords#3 N; w $nounLinking.countedNext N; w - N; p 2 4 NP; l 1 5 OBJ1");
  EXPECT_EQ(cj::isCountedObject(*context, 2), 1);
  EXPECT_EQ(target(4).alive, 1);
  build("w - V; w $nounLinking.countedWords#3 N; w $nounLinking.countedNext N; w - N; p 2 4 NP; l 1 5 SUB");
  EXPECT_EQ(cj::isCountedObject(*context, 2), 0);
  // A word before it that is not a unit word rules it out.
  build("w - V; w - N; w $nounLinking.countedWords#3 N; w $nounLinking.countedNext N; p 2 4 UP; l 1 5 OBJ1");
  EXPECT_EQ(cj::isCountedObject(*context, 3), 0);
  build("w - V; w - U; w $nounLinking.countedWords#3 N; w $nounLinking.countedNext N; p 2 4 UP; l 1 5 OBJ1");
  EXPECT_EQ(cj::isCountedObject(*context, 3), 1);
}

}  // namespace
