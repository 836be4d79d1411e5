#include "engine/cj/transfer/transfer_navigation.h"

#include <gtest/gtest.h>

#include "engine/cj/transfer/tests/rule_sentence.h"

namespace {

class TransferNavigation : public cjtest::RuleSentence {};

TEST_F(TransferNavigation, WordsOfAPhrase) {
  // Phrase 4 over words 1 and 2, phrase 5 over phrase 4 and word 3.
  build("w - P; w - Ntl; w - V +V; p 1 2 PP; p 4 3 VP");
  source(4).headChild = 2;
  source(5).headChild = 4;
  EXPECT_EQ(cj::headWordOf(*context, 5), 2);
  EXPECT_EQ(cj::firstWordOf(*context, 5), 1);
  EXPECT_EQ(cj::lastWordOf(*context, 5), 3);
  EXPECT_EQ(cj::headWordOf(*context, 0), 0);
  target(4).headChild = 2;
  EXPECT_TRUE(cj::isPlaceTimeHead(*context, 4));
  EXPECT_FALSE(cj::hasVerbalHead(*context, 4));
  EXPECT_TRUE(cj::hasVerbalHead(*context, 3));
  target(5).headChild = 3;
  EXPECT_TRUE(cj::hasVerbalHead(*context, 5));
}

TEST_F(TransferNavigation, PlaceClassDropsThePreposition) {
  build("w - P; w - Ntl; p 1 2 PP");
  target(3).headChild = 2;
  EXPECT_EQ(cj::placeClass(*context, 3), 1);
  EXPECT_EQ(target(1).alive, 0);

  build("w - P; w - N; p 1 2 PP");
  target(3).headChild = 2;
  EXPECT_EQ(cj::placeClass(*context, 3), 2);
  EXPECT_EQ(target(1).alive, 0);
}

TEST_F(TransferNavigation, AttributiveMarkerIsTakenAndTheAnswerIsFalse) {
  build("w - P; w - N; w $transferNavigation.attributiveMarkers#1 U; w - N; p 1 2 PP");
  EXPECT_FALSE(cj::isPlainAdverbial(*context, 5));
  EXPECT_EQ(target(3).alive, 0);
}

TEST_F(TransferNavigation, PlacePhraseTakesItsPostposition) {
  // Inside a clause with a following verb: an adverbial, "で" for a scene.
  build("w - P; w - N; w - V; p 1 2 PP; p 4 3 VP");
  target(4).headChild = 2;
  cj::closePlacePhrase(*context, 4);
  EXPECT_EQ(att(2), "で");
  EXPECT_EQ(target(1).alive, 0);
}

TEST_F(TransferNavigation, ExistencePredicateEndsThePhraseWithANewVerb) {
  struct Case {
    const char* subject;  // notation of word 1
    const char* verb;
    const char* code;
  } cases[] = {
      {"w - N M_SEM=Z", "いる", "ZI000"},
      {"w - N", "ある", "ZG001"},
  };
  for (const Case& k : cases) {
    // Word 2 (the preposition-like verb) and word 3 under phrase 4, the subject linked to it.
    build(std::string(k.subject) + "; w - P; w - N; p 2 3 PP; l 4 1 SUB");
    SCOPED_TRACE(k.verb);
    candidate(2, "x", "ZG000");
    target(4).ten = 'B';
    cj::closePlacePhrase(*context, 4);
    const int n = 5;
    EXPECT_EQ(chain(4), "2 3 5");
    EXPECT_EQ(target(4).headChild, n);
    EXPECT_EQ(japanese(n), k.verb);
    EXPECT_EQ(target(n).jcat, k.code);
    EXPECT_EQ(target(n).ten, 'B');
    EXPECT_EQ(target(2).alive, 0);
    EXPECT_EQ(att(3), "に");
    EXPECT_EQ(target(3).caseOpen, 0);
  }
  // The negative existence word gives the negated adjective form.
  build("w - N; w $transferNavigation.existenceNegative P; w - N; p 2 3 PP; l 4 1 SUB");
  candidate(2, "x", "ZG000");
  cj::closePlacePhrase(*context, 4);
  EXPECT_EQ(japanese(5), "ない");
  EXPECT_EQ(target(5).jcat, "KYOSI");
}

TEST_F(TransferNavigation, AfterAndSpanPhrases) {
  // A predicative phrase ends in "だ".
  build("w - P; w - N; p 1 2 PP");
  cj::closeAfterPhrase(*context, 3);
  EXPECT_EQ(chain(3), "1 2 4");
  EXPECT_EQ(japanese(4), "だ");
  EXPECT_EQ(target(4).jcat, "KYODO");
  EXPECT_EQ(target(4).parent, 3);
  EXPECT_EQ(target(3).headChild, 4);
  // Without a last child no node is taken for the copula.
  build("w - P; w - N; p 1 2 PP");
  target(3).lastChild = 0;
  const int count = context->nodeCount, head = target(3).headChild;
  cj::closeAfterPhrase(*context, 3);
  EXPECT_EQ(context->nodeCount, count);
  EXPECT_EQ(target(3).headChild, head);

  // Inside a clause, with a verbal head: "で", or "の" when a marker follows.
  build("w - P; w - V; w - V; p 1 2 PP; p 4 3 VP");
  target(4).headChild = 2;
  cj::closeAfterPhrase(*context, 4);
  EXPECT_EQ(att(4), "で");
  build("w - P; w - V; w $transferNavigation.attributiveMarkers U; w - V; p 1 2 PP; p 5 4 VP");
  target(5).headChild = 2;
  cj::closeAfterPhrase(*context, 5);
  EXPECT_EQ(att(5), "の");
  EXPECT_EQ(target(3).alive, 0);

  build("w - P; w - N; w - V; p 1 2 PP; p 4 3 VP");
  target(4).headChild = 2;
  cj::closeSpanPhrase(*context, 4);
  EXPECT_EQ(att(4), "に");
  build("w - P; w - N; p 1 2 PP");
  cj::closeSpanPhrase(*context, 3);
  EXPECT_EQ(att(3), "");
}

}  // namespace
