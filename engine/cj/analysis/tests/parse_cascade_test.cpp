#include "engine/cj/analysis/parse_cascade.h"

#include <gtest/gtest.h>

#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/analysis/grammar.h"
#include "engine/cj/analysis/tests/cj_test_folder.h"
#include "engine/cj/analysis/tests/rule_test_support.h"
#include "tools/datagen/cj_grammar_writer.h"

namespace cj {
namespace {

using cjtest::buildFromNotation;
using cjtest::dumpRoleLinks;
using cjtest::shape;

#define SE(key) "$sentenceEnd." key
#define PC(key) "$parseCascade." key
#define PM(key) "$particleMarks." key

class ParseCascade : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(cjtest::loadWordsWith());
    clearGrammar(cjtest::engine());
    cjtest::engine().engineStatus = 0;
  }
  void TearDown() override {
    clearWordTable();
    clearGrammar(cjtest::engine());
    cjtest::engine().engineStatus = 0;
  }
};

TEST_F(ParseCascade, SentenceEnd) {
  struct Case {
    const char* notation;
    const char* type;  // "$key" for a listed word
    const char* shape;
  };
  const Case cases[] = {
      {"w 鳌 N; w 鳔 V; w " SE("Q") " P", "?", "1 2 3"},
      {"w 鳌 N; w 鳔 V; w ? P", "?", "1 2 3"},
      {"w 鳌 N; w 鳔 V; w ! P", "!", "1 2 3"},
      {"w 鳌 N; w 鳔 V; w " SE("X") " P", "!", "1 2 3"},
      {"w 鳌 N; w 鳔 V; w , P", "$predicateMarks.C1", "1 2 3"},
      {"w 鳌 N; w 鳔 V; w " SE("K") " P", "$predicateMarks.C1", "1 2 3"},
      {"w 鳌 N; w 鳔 V; w " SE("A") " P", "$sentenceEnd.A", "1 2 3"},
      // No final mark: the plain type, the chain unchanged.
      {"w 鳌 N; w 鳔 V", "$sentenceEnd.A", "1 2"},
      {"w 鳌 N; w " SE("T") " E", "T", "1 2"},
      {"w 鳌 N; w " SE("T") " E; w " SE("A") " P", "T", "1 2 3"},
      // A final question particle becomes the mark itself.
      {"w 鳌 N; w " SE("W") " E", "?", "1 2"},
      {"w 鳌 N; w " SE("W") " E; w " SE("A") " P", "?", "1 2 3"},
      // A listed word before the mark leaves the chain.
      {"w 鳌 N; w " SE("dropWords#4") " X; w " SE("A") " P", "$sentenceEnd.A", "1 3"},
      {"w 鳌 N; w " SE("dropWords#0") " X", "$sentenceEnd.A", "1"},
  };
  for (const Case& c : cases) {
    auto s = buildFromNotation(c.notation);
    markSentenceEnd(*s);
    std::string type = c.type[0] == '$' ? cjtest::listed(c.type + 1) : c.type;
    EXPECT_EQ(s->sentenceType.view(), type) << c.notation;
    EXPECT_EQ(shape(*s), c.shape) << c.notation;
  }
  auto s = buildFromNotation("w 鳌 N; w " SE("W") " E");
  markSentenceEnd(*s);
  EXPECT_EQ(s->nodes[2].CAT.view(), "P");
  EXPECT_EQ(s->nodes[2].CHI.view(), "ma");
}

TEST_F(ParseCascade, DroppingTheFirstNodeKeepsTheChainReachable) {
  auto s = buildFromNotation("w " SE("dropWords#2") " X; w " SE("A") " P");
  markSentenceEnd(*s);
  EXPECT_EQ(s->firstTop, 2);
  EXPECT_EQ(s->lastTop, 2);
  EXPECT_EQ(shape(*s), "2");
  EXPECT_EQ(s->nodes[1].next, 0);
  EXPECT_EQ(s->nodes[2].prev, 0);
  // An empty chain is left as it is.
  auto t = buildFromNotation("w 鳌 N");
  t->firstTop = 0;
  t->sentenceType = "x";
  markSentenceEnd(*t);
  EXPECT_EQ(t->sentenceType.view(), "x");
}

TEST_F(ParseCascade, ParticleMarks) {
  auto s = buildFromNotation("w " PM("A") " X; w " PM("suffixes#2") " V; w " PM("A") " X; w 鳔 V; w " PM("A") " X;"
                             "w " PM("B") " X; w " PM("BOthers#1") " P; w " PM("C") " N; w 鳌 N;"
                             "w " PM("B") " X; p 9 10 NP");
  markParticleWords(*s);
  struct Expect {
    int node;
    char mark;
    const char* cVal;
  };
  const Expect expected[] = {{1, '1', "3"}, {3, '2', "1"}, {5, '2', "1"}, {6, '1', ""},
                             {7, '2', ""},  {8, '2', ""},  {10, '1', ""}};
  for (const Expect& e : expected) {
    EXPECT_EQ(s->nodes[e.node].secondMark, e.mark) << e.node;
    EXPECT_EQ(s->nodes[e.node].features.C_VAL.view(), e.cVal) << e.node;
  }
  EXPECT_EQ(s->nodes[9].secondMark, '*');
}

TEST_F(ParseCascade, PhraseNodesEndTheParticleWalk) {
  auto s = buildFromNotation("w 鳌 N; w 鳍 N; p 1 2 NP");
  int word = insertEmptyNode(*s, 3, 0);
  ASSERT_EQ(word, 4);
  s->nodes[word].CHI = cjtest::listed("particleMarks.C");
  markParticleWords(*s);
  EXPECT_EQ(s->nodes[word].secondMark, '*');
}

TEST_F(ParseCascade, DelimitedPhraseRepairs) {
  struct Case {
    const char* notation;
    const char* shape;
    int rule;   // of the outermost phrase over node 1
    char mark;  // its predicate mark
  };
  const Case cases[] = {
      {"w " PC("delimitedOpen") " X; w 鳌 N; w " PC("delimitedClose") " X; w 鳔 V", "[VP [DP 1 2 3] 4]", 1, 'C'},
      {"w " PC("delimitedOpen") " X; w 鳌 N; w " PC("delimitedClose") " X; w 鳔 V; w " PC("delimitedStopWords#1") " X",
       "[VP [DP 1 2 3] 4] 5", 1, 'N'},
      {"w " PC("delimitedOpen") " X; w 鳌 N; w " PC("delimitedClose") " X", "[DP 1 2 3]", 0, 0},
      {"w 鳔 V; w " PC("verbParticles#2") " X; w 鳌 N", "[VP 1 2 3]", 2, 0},
      {"w 鳔 VP; w " PC("verbParticles#0") " X; w 。 P", "[VP 1 2] 3", 3, 0},
      {"w 鳔 V; w " PC("verbParticles#1") " X", "[VP 1 2]", 3, 0},
      {"w " PC("delimitedOpen2") " X; w 鳌 N; w " PC("delimitedClose2") " X; w 鳔 V", "[VP [DP 1 2 3] 4]", 6, 'C'},
      {"w " PC("delimitedOpen3") " X; w 鳌 N; w " PC("delimitedClose3") " X; w 鳔 V", "[VP [DP 1 2 3] 4]", 6, 'C'},
      // A closing word before the opening one is no pair.
      {"w " PC("delimitedClose") " X; w 鳌 N; w " PC("delimitedOpen") " X; w 鳔 V", "1 2 3 4", 0, 0},
  };
  for (const Case& c : cases) {
    auto s = buildFromNotation(c.notation);
    repairDelimitedPhrases(*s);
    EXPECT_EQ(shape(*s), c.shape) << c.notation;
    const CjNode& top = s->nodes[s->firstTop];
    if (c.rule) {
      EXPECT_EQ(top.ruleNumber, c.rule) << c.notation;
      EXPECT_EQ(top.subtype, 'Z') << c.notation;
      EXPECT_EQ(top.features.C_VAL.view(), "0") << c.notation;
    }
    if (c.mark) {
      EXPECT_EQ(top.predicateMark, c.mark) << c.notation;
    }
  }
  auto s = buildFromNotation("w " PC("delimitedOpen") " X; w 鳌 N; w " PC("delimitedClose") " X; w 鳔 V");
  repairDelimitedPhrases(*s);
  EXPECT_EQ(s->nodes[5].spanMark, 'y');
  EXPECT_EQ(s->nodes[1].spanMark, 'l');
  EXPECT_EQ(s->nodes[3].spanMark, 'r');
}

// Grammars written to a device and loaded through the engine; by default every group is present
// and matches nothing.
class ParseCascadeWithGrammar : public ParseCascade {
 protected:
  void SetUp() override {
    ParseCascade::SetUp();
    folder_ = cjtest::useFolder(device_, "grammar");
    load({});
  }

  void load(const datagen::CjGrammar& g) {
    ASSERT_TRUE(datagen::writeCjGrammar(folder_, g));
    loadGrammar(cjtest::engine());
    ASSERT_EQ(cjtest::engine().engineStatus, 0);
  }

  datagen::TempDevice device_;
  std::string folder_;
};

TEST_F(ParseCascadeWithGrammar, FailedSentenceParseAssignsRoles) {
  auto s = buildFromNotation("w 鳌 N; w 鳔 V; w 鳍 N; w 。 P");
  parseSentence(*s);
  EXPECT_EQ(cjtest::engine().engineStatus, 0);
  EXPECT_EQ(dumpRoleLinks(*s), "2>1:SUB 2>3:OBJ1 2>4:PUNC");
  EXPECT_EQ(s->govNode, 2);
  EXPECT_EQ(s->argCount, 1);
  EXPECT_EQ(s->nodes[2].predicateMark, 'P');
}

TEST_F(ParseCascadeWithGrammar, PassesRunInTheirOrder) {
  // Coordination first; the inserted linker is gone again after the noun-phrase block; the noun
  // run of the fallback; then the roles over the phrases built.
  auto s = buildFromNotation("w 鳌 N; w $coordination.S1 X; w 鳍 N; w 鳔 V; w 鳎 N; w 鳏 N; w 。 P");
  parseSentence(*s);
  EXPECT_EQ(shape(*s), "[NP 1 2 3] 4 [NP 5 6] 7");
  EXPECT_EQ(s->nodes[8].ruleNumber, 9888);
  EXPECT_EQ(s->nodes[9].kind, 'D');  // the linker put in after the first noun
  EXPECT_EQ(s->nodes[10].ruleNumber, 7);
  EXPECT_EQ(dumpRoleLinks(*s), "4>8:SUB 4>10:OBJ1 4>7:PUNC");
}

TEST_F(ParseCascade, ScanFailuresDoNotStopTheCascade) {
  // Without loaded goto tables every group pass fails to scan.
  auto s = buildFromNotation("w 鳌 N; w 鳔 V; w 鳍 N; w 。 P");
  parseSentence(*s);
  EXPECT_EQ(cjtest::engine().engineStatus, kStatusScanFailed);
  EXPECT_EQ(dumpRoleLinks(*s), "2>1:SUB 2>3:OBJ1 2>4:PUNC");
}

TEST_F(ParseCascadeWithGrammar, ParsedSentenceGetsNoRoles) {
  datagen::CjGrammar g;
  g.groups.push_back({"S",
                      {{"S->[N]+[V]+[N]", "->s"}},
                      {{"0", "CAT[N]", "1"}, {"1", "CAT[V]", "2"}, {"2", "CAT[N]", "3"}, {"3", "CAT[P]", "4"},
                       {"4", "*", "R0000"}}});
  load(g);
  auto s = buildFromNotation("w 鳌 N; w 鳔 V; w 鳍 N; w 。 P");
  parseSentence(*s);
  EXPECT_EQ(shape(*s), "[S 1 2 3] 4");
  EXPECT_EQ(dumpRoleLinks(*s), "");
  EXPECT_EQ(s->wordCount, 5);  // the sentence node
  // The same sentence with a final particle the group does not know falls back to the roles.
  auto t = buildFromNotation("w 鳌 N; w 鳔 V; w 鳍 N; w 鳎 F; w 。 P");
  parseSentence(*t);
  EXPECT_EQ(shape(*t), "1 2 3 4 5");
  EXPECT_EQ(dumpRoleLinks(*t), "2>1:SUB 2>3:OBJ1 2>4:COMP 2>5:PUNC");
}

TEST_F(ParseCascadeWithGrammar, GroupPassesGiveTheirDigit) {
  datagen::CjGrammar g;
  g.groups.push_back({"NP3", {{"NP->[A]+[N]", "->np"}}, {{"0", "CAT[A]", "1"}, {"1", "CAT[N]", "2"}, {"2", "*", "R0000"}}});
  load(g);
  auto s = buildFromNotation("w 鳓 A; w 鳍 N; w 鳔 V; w 。 P");
  parseSentence(*s);
  ASSERT_EQ(shape(*s), "[NP 1 2] 3 4");
  EXPECT_EQ(s->nodes[5].subtype, '3');
  EXPECT_EQ(dumpRoleLinks(*s), "3>5:SUB 3>4:PUNC");
}

}  // namespace
}  // namespace cj
