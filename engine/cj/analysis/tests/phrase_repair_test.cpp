#include "engine/cj/analysis/phrase_repair.h"

#include <gtest/gtest.h>

#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/analysis/node_build.h"
#include "engine/cj/analysis/tests/cj_dictionary_fixture.h"
#include "engine/cj/analysis/tests/rule_test_support.h"

namespace cj {
namespace {

using cjtest::buildFromNotation;
using cjtest::dumpRoleLinks;
using cjtest::shape;

#define PR(key) "$phraseRepair." key
#define L1 "$phraseRules.L1 X"

class PhraseRepair : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(cjtest::loadWordsWith());
    cjtest::engine().engineStatus = 0;
  }
  void TearDown() override {
    clearWordTable();
    cjtest::engine().engineStatus = 0;
  }
};

struct ShapeCase {
  const char* notation;
  const char* shape;
};

template <typename Rule>
void expectShapes(const ShapeCase* begin, const ShapeCase* end, Rule rule) {
  for (const ShapeCase* c = begin; c != end; ++c) {
    auto s = buildFromNotation(c->notation);
    rule(*s);
    EXPECT_EQ(shape(*s), c->shape) << c->notation;
  }
}

TEST_F(PhraseRepair, IntroducerPhrases) {
  const ShapeCase introducer[] = {
      {"w $phraseRules.D X; w 鳌 N +N:M_SEM=I; w 鳔 V", "[IP 1 2] 3"},
      {"w " PR("D3") " X; w 鳌 NP +N:M_SEM=J; w 鳔 V", "[IP 1 2] 3"},
      {"w " PR("D2") " X; w 鳌 N +N:M_SEM=I; w " PR("L3") " X", "1 2 3"},
      {"w " PR("D2") " X; w 鳌 N +N:M_SEM=A; w 鳔 V", "1 2 3"},
  };
  expectShapes(std::begin(introducer), std::end(introducer), ruleIntroducerNP);
  const ShapeCase clause[] = {
      // The introducer's nominal, a verb group and a linker with no verb after it.
      {"w $phraseRules.P1 X; w 鳌 N; w 鳔 V; w 鳍 F; w " L1 "; w 鳎 N", "[IP 1 2] 3 4 5 6"},
      {"w " PR("U3") " X; w 鳌 N; w 鳔 V; w " L1 "; w 鳎 N; w 鳕 V", "1 2 3 4 5 6"},
      // The second pass: P1 N linker N at the sentence's end.
      {"w $phraseRules.P1 X; w 鳌 N; w " L1 "; w 鳎 N; w 。 P", "[NP 1 2 3 4] 5"},
  };
  expectShapes(std::begin(clause), std::end(clause), ruleIntroducerClauseNP);
  const ShapeCase clause2[] = {
      {"w " PR("J2") " X; w 鳌 N; w 鳔 V; w $phraseRules.L2 X; w 鳎 N", "[IP 1 2] 3 4 5"},
  };
  expectShapes(std::begin(clause2), std::end(clause2), ruleIntroducerClauseNP2);

  auto s = buildFromNotation("w $phraseRules.P1 X; w 鳌 N; w " L1 "; w 鳎 N");
  ruleIntroducerClauseNP(*s);
  const CjNode& np = s->nodes[5];
  EXPECT_EQ(np.headChild, 4);
  EXPECT_EQ(np.subtype, 'Z');
  EXPECT_EQ(np.ruleNumber, 14);
}

TEST_F(PhraseRepair, ClauseIntroducers) {
  const ShapeCase cases[] = {
      {"w " PR("D3") " X; w 鳌 N; w " PR("Y2") " X; w 鳍 N; w 鳔 V mark=P", "[IP 1 2] [IP 3 4] 5"},
      {"w " PR("D4") " X; w 鳌 N; w " PR("Z2") " X; w 鳍 N; w " PR("Y1") " X; w 鳎 N; w 鳔 V mark=P",
       "[IP 1 2] [IP 3 4] [IP 5 6] 7"},
      // The second pass: a V1 word's span ends before the predicate, with an empty word at its back.
      {"w " PR("V1") " X; w 鳌 N; w 鳍 N; w 鳔 V mark=P; w 。 P", "[IP 1 2 3 6] 4 5"},
      // An I word whose span would end at itself builds nothing.
      {"w 鳌 I; w 。 P", "1 2"},
      {"w 鳌 I; w 鳔 V mark=P", "[IP 1 2 3]"},
  };
  expectShapes(std::begin(cases), std::end(cases), ruleClauseIntroducers);
  auto s = buildFromNotation("w " PR("V1") " X; w 鳌 N; w 鳍 N; w 鳔 V mark=P; w 。 P");
  ruleClauseIntroducers(*s);
  const CjNode& ip = s->nodes[7];
  EXPECT_EQ(ip.headChild, 3);
  EXPECT_EQ(ip.spanMark, 'y');
  EXPECT_EQ(s->nodes[1].spanMark, 'l');
  EXPECT_EQ(s->nodes[6].spanMark, 'r');
}

TEST_F(PhraseRepair, IntroducerSpanEnds) {
  struct Case {
    const char* notation;
    int end;  // of node 1's span
  };
  const Case cases[] = {
      // Group A runs to the last node before the final mark.
      {"w " PR("spanGroupA#1") " X; w 鳌 N; w 鳔 V mark=P; w 鳍 N; w 。 P", 4},
      // V2 stops at the W1 word.
      {"w " PR("V2") " X; w 鳌 N; w " PR("W1") " X; w 鳍 N", 3},
      // V4 takes the predicate search when it finds one: the node before the predicate, past adverbs.
      {"w " PR("V4") " X; w 鳌 N; w 鳍 N; w 鳎 F; w 鳔 V mark=C; w 鳏 N", 3},
      // Y1 answers the first place noun, else the node before the first predicate.
      {"w " PR("Y1") " X; w 鳌 N; w 鳍 Ntp; w 鳔 V mark=C", 3},
      {"w " PR("Y1") " X; w 鳌 N; w 鳍 F; w 鳔 V mark=C", 2},
      // D: a time or place nominal not followed by another.
      {"w $phraseRules.D X; w 鳌 N +N:M_SEM=L; w 鳍 N +N:M_SEM=H; w 鳎 N +N:M_SEM=B; w 鳔 V mark=C", 3},
      // A place noun before another fails the first test; as a time-like noun it passes the second.
      {"w $phraseRules.D X; w 鳌 N +N:M_SEM=LI; w 鳍 N +N:M_SEM=L; w 鳔 V mark=C", 2},
      // J words take just the next node.
      {"w " PR("J1") " X; w 鳌 N; w 鳍 N", 2},
      // Any other word: by predicate; an I phrase before any predicate ends the span before it.
      {"w 鳌 X; w 鳍 N; w 鳎 N; w 鳏 I; w 鳔 V mark=C", 3},
      // A span that ends at its start takes the next node unless that is a mark.
      {"w " PR("Y1") " X; w 鳔 V mark=C", 2},
      {"w " PR("Y1") " X; w 。 P", 1},
  };
  for (const Case& c : cases) {
    auto s = buildFromNotation(c.notation);
    EXPECT_EQ(findIntroducerSpanEnd(*s, 1), c.end) << c.notation;
  }
}

TEST_F(PhraseRepair, LocalizerPhrases) {
  const ShapeCase cases[] = {
      {"w 鳌 N; w 鳍 N; w 鳎 L", "[LP 4 1 2 3]"},
      {"w 鳔 V; w 鳍 N; w 鳎 L; w 。 P", "1 [LP 5 2 3] 4"},
      {"w 鳔 V; w 鳍 N; w " PR("localizers#7") " N", "1 [LP 4 2 3]"},
      // A one-character L word right after the linker is not a localizer.
      {"w 鳔 V; w " L1 "; w 鳎 L", "1 2 3"},
      {"w 鳔 V; w 鳍 N; w 鳎 F", "1 2 3"},
      // A start word runs from after the last conjunction word.
      {"w 鳌 N; w 鳕 J +J:M_SEM=B; w 鳍 V; w 鳎 N; w " PR("localizerStarts#3") " L", "1 2 [LP 6 3 4 5]"},
  };
  expectShapes(std::begin(cases), std::end(cases), ruleLocalizerPhrases);
  auto s = buildFromNotation("w 鳔 V; w 鳍 N; w 鳎 L");
  ruleLocalizerPhrases(*s);
  const CjNode& lp = s->nodes[5];
  EXPECT_EQ(lp.headChild, 2);
  EXPECT_EQ(lp.spanMark, 'y');
  EXPECT_EQ(s->nodes[4].spanMark, 'l');
  EXPECT_EQ(s->nodes[3].spanMark, 'r');
}

TEST_F(PhraseRepair, LinkerFallback) {
  struct Case {
    const char* notation;
    const char* shape;
    int rule;  // of node 1's phrase, 0 when none
  };
  const Case cases[] = {
      {"w 鳔 V; w " L1 "; w 鳍 N", "[NP 1 2 3]", 1},
      {"w 鳔 V; w " L1 "; w 鳓 A; w 。 P", "[NP 1 2] 3 4", 3},
      {"w 鳌 N; w " L1 "; w 鳍 Z +N; w 。 P", "[NP 1 2 3] 4", 2},
      {"w 鳌 N; w " L1 "; w 鳍 Z +N; w 鳔 V", "[NP 1 2 3] 4", 4},
      {"w 鳌 N; w " L1 "; w 鳔 V", "[NP 1 2] 3", 3},
      {"w 鳔 V; w " L1 "; w $phraseRules.F1 X", "1 2 3", 0},
      {"w 鳌 N; w $phraseRules.L2 X", "[NP 1 2]", 3},
      {"w 鳔 V; w " L1, "1 2", 0},
      {"w " L1 "; w 鳌 N", "1 2", 0},
  };
  for (const Case& c : cases) {
    auto s = buildFromNotation(c.notation);
    applyLinkerFallback(*s);
    EXPECT_EQ(shape(*s), c.shape) << c.notation;
    if (c.rule) {
      EXPECT_EQ(s->nodes[s->firstTop].ruleNumber, c.rule) << c.notation;
      EXPECT_EQ(s->nodes[s->firstTop].subtype, 'Z') << c.notation;
    }
  }
  // A verb before a final linker is marked as nominalised.
  auto s = buildFromNotation("w 鳔 V; w " L1);
  applyLinkerFallback(*s);
  EXPECT_EQ(s->nodes[1].features.TEN, 'b');
  // An adjective after a verb and a linker becomes a predicate.
  auto t = buildFromNotation("w 鳔 V; w " L1 "; w 鳓 A; w 。 P");
  applyLinkerFallback(*t);
  EXPECT_EQ(t->nodes[3].predicateMark, 'C');
  auto u = buildFromNotation("w 鳌 N; w " L1 "; w 鳍 Z +N; w 。 P");
  applyLinkerFallback(*u);
  EXPECT_EQ(u->nodes[3].CAT.view(), "N");
}

TEST_F(PhraseRepair, InsertedLinkerComesAndGoes) {
  // Without verb frames no noun continues the verb: the linker goes in after the first noun.
  auto s = buildFromNotation("w 鳔 V; w 鳌 N; w 鳍 N; w 鳎 NP; w 。 P");
  ruleVerbLinkerInsert(*s);
  ASSERT_EQ(shape(*s), "1 2 6 3 4 5");
  const CjNode& linker = s->nodes[6];
  EXPECT_EQ(linker.kind, 'D');
  EXPECT_EQ(linker.CAT.view(), "E");
  EXPECT_EQ(linker.CHI.view(), cjtest::listed("phraseRules.L1"));
  removeInsertedLinkers(*s);
  EXPECT_EQ(shape(*s), "1 2 3 4 5");
  EXPECT_EQ(s->nodeCount, 6);  // the slot stays
  // A run followed by a linker, or a verb without object, is left alone.
  for (const char* notation : {"w 鳔 V; w 鳌 N; w 鳍 N; w " L1, "w 鳔 V +V:C_VAL=0; w 鳌 N; w 鳍 N"}) {
    auto t = buildFromNotation(notation);
    const int words = t->nodeCount;
    ruleVerbLinkerInsert(*t);
    EXPECT_EQ(t->nodeCount, words) << notation;
  }
}

// The linker goes in after the last noun the verb's frames take.
class InsertedLinker : public cjtest::EngineFixture {};

TEST_F(InsertedLinker, FollowsTheVerbFrames) {
  cjtest::EngineSetup setup;
  setup.frames = {{"鳔", "*", "N[H]", "", "", 0, 0}, {"鳔", "!", "N[Q]", "", "", 0, 0}};
  ASSERT_TRUE(start(setup));
  const ShapeCase cases[] = {
      {"w 鳔 V; w 鳌 N +N; w 鳍 N +N:M_SEM=H; w 。 P", "1 2 3 4"},
      {"w 鳔 V; w 鳌 N +N:M_SEM=H; w 鳍 N +N; w 鳎 N +N; w 。 P", "1 2 6 3 4 5"},
      {"w 鳔 V; w 鳌 N +N:M_SEM=Q; w 鳍 N +N; w 。 P", "1 2 3 4"},
  };
  expectShapes(std::begin(cases), std::end(cases), ruleVerbLinkerInsert);
  EXPECT_EQ(cjtest::engine().engineStatus, 0);
}

TEST_F(PhraseRepair, AdverbialVerbPhrase) {
  auto s = buildFromNotation("w 鳌 N; w 鳍 F; w 鳎 IP; w 鳔 V; w " L1 "; w 鳏 N");
  ruleAdverbialVP(*s);
  EXPECT_EQ(shape(*s), "1 [VP 2 3 4] 5 6");
  EXPECT_EQ(dumpRoleLinks(*s), "4>2:ADVN 4>3:ADVF");
  EXPECT_EQ(s->nodes[7].headChild, 4);
  EXPECT_EQ(s->nodes[7].ruleNumber, 0);
  auto t = buildFromNotation("w 鳌 N; w 鳔 V; w " L1 "; w 鳏 N");
  ruleAdverbialVP(*t);
  EXPECT_EQ(shape(*t), "1 2 3 4");
}

TEST_F(PhraseRepair, SenseFromWord) {
  auto s = buildFromNotation("w " PR("W3") " X +N +F; w 鳔 V; w " PR("W3") " X +N +F");
  ruleSenseFromWord(*s);
  ASSERT_EQ(s->nodes[1].senses.size(), 1u);
  EXPECT_EQ(s->nodes[1].senses[0].catLetter, 'V');
  EXPECT_EQ(s->nodes[3].senses.size(), 2u);  // no verb after it
}

}  // namespace
}  // namespace cj
