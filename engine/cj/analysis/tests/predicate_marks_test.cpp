#include "engine/cj/analysis/predicate_marks.h"

#include <gtest/gtest.h>

#include "engine/cj/analysis/tests/cj_dictionary_fixture.h"

namespace {

using cjtest::buildFromNotation;

// The engine runs over the test's own verb frames (the object pass asks them).
class PredicateMarks : public cjtest::EngineFixture {
 protected:
  void startWith(std::vector<datagen::CjVerbFrame> frames = {}) {
    cjtest::EngineSetup setup;
    for (datagen::CjVerbFrame& f : frames) setup.frames.push_back(f);
    ASSERT_TRUE(start(setup));
  }

  // Marks the sentence and chooses its main predicate.
  static int mainPredicate(cj::CjSentence& s) {
    cj::markPredicates(s);
    cj::setMainPredicate(s);
    return s.govNode;
  }
};

struct MarkCase {
  const char* notation;
  int node;
  char mark;
};

TEST_F(PredicateMarks, MarksByCategoryAndNeighbours) {
  startWith();
  const MarkCase cases[] = {
      // Adjectives.
      {"w 鳓 A", 1, 'C'},
      {"w 鳓 A; w 。 P", 1, 'C'},
      {"w 鳓 AP; w $predicateMarks.G1 X; w 。 P", 1, 'C'},
      {"w 鳓 A; w 鳍 E", 1, 'C'},
      {"w 鳓 A; w $phraseRules.L1 X; w 鳍 N", 1, 'N'},
      {"w 鳓 A; w $phraseRules.L1 X; w $phraseRules.F1 X", 1, 'C'},
      {"w 鳓 A; w 鳍 N", 1, 'N'},
      // H words.
      {"w 鳓 H; w 。 P", 1, 'C'},
      {"w 鳓 H; w 鳍 N; w 鳎 N", 1, 'N'},
      {"w 鳓 H; w 鳍 E", 1, 'C'},
      {"w 鳓 H; w 鳍 N", 1, 'N'},
      // Verbs.
      {"w 鳔 V", 1, 'C'},
      {"w $phraseRules.L2 X; w 鳔 V", 2, 'N'},
      {"w 鳔 V; w $phraseRules.L1 X; w 鳍 N", 1, 'N'},
      {"w 鳔 V; w $phraseRules.L1 X; w 。 P", 1, 'C'},
      {"w 鳔 VP; w $predicateMarks.R1 X; w 鳕 V", 1, 'N'},
      {"w $predicateMarks.R2 X; w 鳔 V", 2, 'N'},
      {"w $predicateMarks.R2 G; w 鳔 V", 2, 'C'},
      {"w 鳍 IJ; w 鳔 V", 2, 'N'},
      {"w 鳔 V; w 鳍 L", 1, 'N'},
      {"w 鳍 UP; w 鳔 V; w 鳎 NP; w $phraseRules.L1 X", 2, 'N'},
      {"w $phraseRules.L1 X; w 鳍 F; w 鳔 V", 3, 'N'},
      // After the separator a verb follows the mark of the node before it.
      {"w 鳕 V; w $predicateMarks.C1 X; w 鳔 V", 3, 'C'},
      {"w $phraseRules.L1 X; w 鳕 V; w $predicateMarks.C1 X; w 鳔 V", 4, 'N'},
      {"w $phraseRules.L1 X; w 鳕 V; w $predicateMarks.R3 X; w 鳔 V", 4, 'N'},
      // E words keep their mark, a verb among them becomes 'C' whatever its neighbours.
      {"w $phraseRules.L1 X; w $predicateMarks.E1 V", 2, 'C'},
      {"w $phraseRules.L1 X; w $predicateMarks.E5 V", 2, 'C'},
      {"w $predicateMarks.E2 N mark=N", 1, 'N'},
      // Other categories are left alone.
      {"w 鳍 N mark=C", 1, 'C'},
      {"w 鳍 N", 1, 0},
      // Introducer phrases: predicative at the sentence's end, not after an adjective.
      {"w 鳍 X; w 鳎 N; p 1 2 IP", 3, 'C'},
      {"w 鳓 A; w 鳍 X; w 鳎 N; p 2 3 IP", 4, 'N'},
      {"w 鳍 X; w 鳎 N; w $phraseRules.L1 X; p 1 2 DP", 4, 'N'},
      {"w 鳍 X; w $predicateMarks.H1 N; w 鳔 N; p 1 2 IP", 4, 'C'},
      {"w 鳍 X; w 鳎 N; w 鳔 N; p 1 2 LP", 4, 'N'},
  };
  for (const MarkCase& c : cases) {
    auto s = buildFromNotation(c.notation);
    cj::markPredicates(*s);
    EXPECT_EQ(s->nodes[c.node].predicateMark, c.mark) << c.notation;
  }
}

TEST_F(PredicateMarks, CountAndAuxiliary) {
  startWith();
  auto s = buildFromNotation("w 鳔 V; w 鳍 N; w 鳓 A mark=N; w 鳕 VP; w 鳗 H");
  EXPECT_EQ(cj::countPredicates(*s, 0, 0), 3);
  EXPECT_EQ(cj::countPredicates(*s, 1, 0), 2);
  EXPECT_EQ(cj::countPredicates(*s, 0, 4), 1);
  s = buildFromNotation("w 鳍 N; w $predicateMarks.auxiliaryWords#4 N");
  EXPECT_EQ(cj::hasAuxiliaryPredicate(*s, 0, 0), 2);
  // The node's own M_SEM and C_VAL count, as in the main-predicate search; a sense it did not
  // settle on does not.
  s = buildFromNotation("w 鳍 N; w 鳔 V C_VAL=H");
  EXPECT_EQ(cj::hasAuxiliaryPredicate(*s, 0, 0), 2);
  EXPECT_EQ(cj::hasAuxiliaryPredicate(*s, 0, 2), 0);
  s = buildFromNotation("w 鳍 N; w 鳔 V M_SEM=K");
  EXPECT_EQ(cj::hasAuxiliaryPredicate(*s, 0, 0), 2);
  s = buildFromNotation("w 鳍 N; w 鳔 V +V:C_VAL=H +N:M_SEM=K");
  EXPECT_EQ(cj::hasAuxiliaryPredicate(*s, 0, 0), 0);
  s = buildFromNotation("w 鳍 N; w 鳔 V mark=N C_VAL=H");
  EXPECT_EQ(cj::hasAuxiliaryPredicate(*s, 0, 0), 0);
}

struct MainCase {
  const char* what;
  const char* notation;
  int gov;
};

TEST_F(PredicateMarks, EachPassOfTheMainPredicateSearch) {
  startWith();
  const MainCase cases[] = {
      {"the one predicate is a final adjective", "w 鳍 N; w 鳓 A; w 。 P", 2},
      {"a final adjective of the listed kind", "w 鳔 V; w 鳍 N; w $predicateMarks.list20#3 A; w 。 P", 3},
      {"an ordinary final adjective defers", "w 鳔 V; w 鳍 N; w 鳓 A; w 。 P", 1},
      {"the last K verb after a leading verb", "w 鳔 V M_SEM=K; w 鳕 V M_SEM=K; w 鳍 N; w 。 P", 2},
      {"an H verb followed by a predicate", "w 鳕 V; w 鳍 N; w 鳔 V C_VAL=H; w 鳗 V; w 。 P", 3},
      {"a listed verb", "w 鳕 V; w 鳍 N; w $predicateMarks.list149#2 V; w 。 P", 3},
      {"an E verb right before a predicate", "w 鳕 V; w 鳍 N; w 鳔 V C_VAL=E; w 鳗 V; w 。 P", 3},
      {"the first predicate-like node", "w 鳍 N; w 鳎 X; w 鳏 N; p 2 3 IP", 4},
      {"a final H word", "w 鳍 N; w 鳓 H; w 。 P", 2},
      {"no predicate", "w 鳍 N; w 。 P", 0},
  };
  for (const MainCase& c : cases) {
    auto s = buildFromNotation(c.notation);
    EXPECT_EQ(mainPredicate(*s), c.gov) << c.what;
    if (c.gov != 0) {
      EXPECT_EQ(s->nodes[c.gov].predicateMark, 'P') << c.what;
    }
    else EXPECT_EQ(s->argCount, 0) << c.what;
  }
}

TEST_F(PredicateMarks, ObjectPassSkipsAVerbThatRefusesTheObject) {
  datagen::CjVerbFrame refuses;
  refuses.verb = "鳕";
  refuses.condition = "!";
  refuses.frame = "N";
  startWith({refuses});
  auto s = buildFromNotation("w 鳕 V; w 鳔 V; w 鳍 N; w 。 P");
  EXPECT_EQ(mainPredicate(*s), 2);
  s = buildFromNotation("w 鳗 V; w 鳔 V; w 鳍 N; w 。 P");
  EXPECT_EQ(mainPredicate(*s), 1);
}

TEST_F(PredicateMarks, SearchAnswersTheEndOfItsRange) {
  startWith();
  auto s = buildFromNotation("w 鳍 N; w 鳎 N; w 鳔 V; w 鳕 V");
  cj::markPredicates(*s);
  EXPECT_EQ(cj::findMainPredicate(*s, 0, 3), 3);
  EXPECT_EQ(cj::findMainPredicate(*s, 2, 0), 3);
  EXPECT_EQ(cj::findMainPredicate(*s, 3, 0), 4);
}

TEST_F(PredicateMarks, NextPredicateOrPhrase) {
  startWith();
  auto s = buildFromNotation("w 鳔 V; w 鳍 N; w 鳎 X; w 鳏 N; w 鳐 F; p 3 4 IP");
  EXPECT_EQ(cj::nextPredicateOrPhrase(*s, 1), 5);
  s = buildFromNotation("w 鳔 V; w 鳍 N; w 鳎 X; w 鳏 N; p 3 4 IP");
  EXPECT_EQ(cj::nextPredicateOrPhrase(*s, 1), 5);
  EXPECT_EQ(cj::nextPredicateOrPhrase(*s, 2), 5);
  s = buildFromNotation("w 鳔 V; w 鳍 N");
  EXPECT_EQ(cj::nextPredicateOrPhrase(*s, 1), 0);
}

}  // namespace
