#include "engine/cj/analysis/parser.h"

#include <gtest/gtest.h>

#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/analysis/tests/cj_test_folder.h"
#include "engine/cj/analysis/tests/sentence_notation.h"
#include "tools/datagen/cj_grammar_writer.h"

namespace {

using cjtest::buildFromNotation;
using cjtest::dumpSentence;

// Writes one group's grammar to the device, loads it through the engine and runs passes over it.
class Parser : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = cjtest::useFolder(device_, "grammar");
    ASSERT_TRUE(cjtest::loadSyntheticWords());
    cjtest::engine().engineStatus = 0;
  }

  void load(const std::string& group, std::vector<datagen::CjGrammarRule> rules,
            std::vector<datagen::CjGrammarGoto> gotos) {
    datagen::CjGrammar g;
    g.groups.push_back({group, std::move(rules), std::move(gotos)});
    ASSERT_TRUE(datagen::writeCjGrammar(folder_, g));
    cjtest::engine().engineStatus = 0;
    cj::loadGrammar(cjtest::engine());
    ASSERT_EQ(cjtest::engine().engineStatus, 0);
  }

  static void run(cj::CjSentence& s, int mode = 0, int group = cj::kGroupNP1) {
    const cj::CjRuleGroup& g = cj::ruleGroup(cjtest::engine(), group);
    cj::runRuleGroup(s, '1', g.rules, g.gotos, mode);
  }

  static int runS(cj::CjSentence& s) {
    const cj::CjRuleGroup& g = cj::ruleGroup(cjtest::engine(), cj::kGroupS);
    return cj::runSentenceGroup(s, g.rules, g.gotos);
  }

  datagen::TempDevice device_;
  std::string folder_;
};

TEST_F(Parser, TwoSymbolRuleWrapsASpanIntoAPhrase) {
  load("NP1", {{"NP->[A]+[N] #5 &L/F %1%U[V]t[H]", "->np"}},
       {{"0", "CAT[A]", "1"}, {"1", "CAT[N]", "2"}, {"2", "*", "R0000"}});
  auto s = buildFromNotation("w 鳓 A +A; w 鳍 N M_SEM=B; w 。 P");
  run(*s);
  EXPECT_EQ(cjtest::engine().engineStatus, 0);
  EXPECT_EQ(dumpSentence(*s), "[NP 鳓/V 鳍/N] 。/P");
  const cj::CjNode& np = s->nodes[4];
  EXPECT_EQ(np.CATYNUM.view(), "5");
  EXPECT_EQ(np.subtype, '1');
  EXPECT_EQ(np.ruleNumber, 0);
  EXPECT_EQ(np.headChild, 2);
  EXPECT_EQ(np.secondHead, 1);
  EXPECT_EQ(np.features.M_SEM.view(), "B");  // the head's features
  EXPECT_EQ(s->nodes[1].roleLabel.view(), "1");
  EXPECT_EQ(s->nodes[2].roleLabel.view(), "2");
  // The child labelled by the percent tag got the rule's sense.
  ASSERT_EQ(s->nodes[1].senses.size(), 1u);
  EXPECT_EQ(s->nodes[1].senses[0].catLetter, 'V');
  EXPECT_EQ(s->nodes[1].senses[0].C_VAL.view(), "H");
  EXPECT_EQ(s->firstTop, 4);
  EXPECT_TRUE(cj::agendaIsEmpty(*s));
}

TEST_F(Parser, BackingUpTakesTheSecondAlternative) {
  load("NP1", {{"NP->[A]+[N]+[V] #1", "->first"}, {"NP->[A]+[N] #7 &2", "->second"}},
       {{"0", "CAT[A]", "1"},
        {"1", "CAT[N]", "2"},
        {"1", "CAT[N]", "3"},
        {"2", "CAT[V]", "4"},
        {"2", "*", "F"},
        {"3", "*", "R0001"},
        {"4", "*", "R0000"}});
  auto s = buildFromNotation("w 鳓 A; w 鳍 N; w 。 P");
  run(*s);
  EXPECT_EQ(dumpSentence(*s), "[NP 鳓/A 鳍/N] 。/P");
  EXPECT_EQ(s->nodes[4].ruleNumber, 1);
  EXPECT_EQ(s->nodes[4].CATYNUM.view(), "7");
  EXPECT_EQ(s->nodes[4].headChild, 2);
}

TEST_F(Parser, SelfLoopReducesByCountMode) {
  load("NP1", {{"NP->[N]+[N] #1 &L", "->np"}}, {{"0", "CAT[N]", "1"}, {"1", "CAT[N]", "1"}, {"1", "*", "R0000"}});
  // Count mode 1: every repeated element, all with one position label.
  auto s = buildFromNotation("w 鳍 N; w 鳎 N; w 鳏 N");
  run(*s, 1);
  EXPECT_EQ(dumpSentence(*s), "[NP 鳍/N 鳎/N 鳏/N]");
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(s->nodes[i].roleLabel.view(), "1") << i;
  // "L" names the rule's last element, the second.
  EXPECT_EQ(s->nodes[4].headChild, 2);
  // Count mode 0: the rule's element count; a reduction at the chain's end ends the pass.
  s = buildFromNotation("w 鳍 N; w 鳎 N; w 鳏 N");
  run(*s, 0);
  EXPECT_EQ(dumpSentence(*s), "[NP 鳍/N 鳎/N] 鳏/N");
  EXPECT_EQ(s->nodes[4].headChild, 2);
}

TEST_F(Parser, AdjacentPhrasesDoNotNestInOnePass) {
  load("NP1", {{"NP->[N]+[N]", "->np"}}, {{"0", "CAT[N]", "1"}, {"1", "CAT[N]", "2"}, {"2", "*", "R0000"}});
  auto s = buildFromNotation("w 鳍 N; w 鳎 N; w 鳏 N; w 鳐 N; w 。 P");
  run(*s);
  EXPECT_EQ(dumpSentence(*s), "[NP 鳍/N 鳎/N] [NP 鳏/N 鳐/N] 。/P");
}

TEST_F(Parser, QuestionVariableBindsAndCompares) {
  load("NP1", {{"NP->[N]+[N]", "->np"}}, {{"0", "CHI[?]", "1"}, {"1", "CHI[?]", "2"}, {"2", "*", "R0000"}});
  auto s = buildFromNotation("w 鳍 N; w 鳎 N; w 鳎 N; w 。 P");
  run(*s);
  EXPECT_EQ(dumpSentence(*s), "鳍/N [NP 鳎/N 鳎/N] 。/P");
}

TEST_F(Parser, ZSymbolsMoveWithoutConsumingAndOneNodeWraps) {
  load("NP1", {{"NP->[N] #3", "->np"}}, {{"0", "Z", "1"}, {"1", "CAT[N]", "2"}, {"2", "*", "R0000"}});
  auto s = buildFromNotation("w 鳍 N; w 。 P");
  run(*s);
  EXPECT_EQ(dumpSentence(*s), "[NP 鳍/N] 。/P");
  const cj::CjNode& np = s->nodes[3];
  EXPECT_EQ(np.firstChild, 1);
  EXPECT_EQ(np.lastChild, 1);
  EXPECT_EQ(s->nodes[1].parent, 3);
  EXPECT_EQ(s->nodes[1].next, 0);
  EXPECT_EQ(s->nodes[2].prev, 3);
  EXPECT_EQ(s->firstTop, 3);
  EXPECT_EQ(np.CATYNUM.view(), "3");
  // The Z step took position 1 without a node; the noun took position 2.
  EXPECT_EQ(s->nodes[1].roleLabel.view(), "2");
}

TEST_F(Parser, OneNodeWrapNeedsAFreeSlot) {
  load("NP1", {{"NP->[N] #3", "->np"}}, {{"0", "CAT[N]", "1"}, {"1", "*", "R0000"}});
  auto s = buildFromNotation("w 鳍 N; w 。 P");
  s->nodeCount = cj::kMaxNodes - 1;  // every slot in use
  run(*s);
  EXPECT_EQ(dumpSentence(*s), "鳍/N 。/P");
  EXPECT_EQ(s->nodeCount, cj::kMaxNodes - 1);
  EXPECT_EQ(s->nodes[1].parent, 0);
}

TEST_F(Parser, SentenceStartMarkDoesNotConsume) {
  load("NP1", {{"NP->[N]+[N]", "->np"}},
       {{"0", "SYS[SB]", "1"}, {"1", "CAT[N]", "2"}, {"2", "CAT[N]", "3"}, {"3", "*", "R0000"}});
  auto s = buildFromNotation("w 鳍 N; w 鳎 N; w 。 P");
  run(*s);
  EXPECT_EQ(dumpSentence(*s), "[NP 鳍/N 鳎/N] 。/P");
}

TEST_F(Parser, MissingStateIsAFailedScan) {
  load("NP1", {{"NP->[N]+[N]", "->np"}}, {{"0", "CAT[N]", "5"}});
  auto s = buildFromNotation("w 鳍 N; w 。 P");
  testing::internal::CaptureStderr();
  run(*s);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("ERR in SCAN"), std::string::npos);
  EXPECT_EQ(cjtest::engine().engineStatus, cj::kStatusScanFailed);
  EXPECT_EQ(dumpSentence(*s), "鳍/N 。/P");
}

TEST_F(Parser, EmptyChainNeverReadsTheTable) {
  load("NP1", {{"NP->[N]+[N]", "->np"}}, {{"0", "CAT[N]", "5"}});
  auto s = buildFromNotation("w 鳍 N");
  s->firstTop = s->lastTop = 0;
  run(*s);
  EXPECT_EQ(cjtest::engine().engineStatus, 0);
}

TEST_F(Parser, ShiftsThatConsumeNothingCannotLoop) {
  load("NP1", {{"NP->[N]", "->np"}}, {{"0", "Z", "0"}});
  auto s = buildFromNotation("w 鳍 N; w 。 P");
  testing::internal::CaptureStderr();
  run(*s);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("ERR in SCAN"), std::string::npos);
  EXPECT_EQ(cjtest::engine().engineStatus, cj::kStatusScanFailed);
  EXPECT_EQ(dumpSentence(*s), "鳍/N 。/P");
}

TEST_F(Parser, AFailedCheckBacksUpAndBuildsNothing) {
  // Check 8: no noun phrase right after a verb.
  load("NP1", {{"NP->[N]+[N] @8", "->np"}}, {{"0", "CAT[N]", "1"}, {"1", "CAT[N]", "2"}, {"2", "*", "R0000"}});
  auto s = buildFromNotation("w 鳔 V; w 鳍 N; w 鳎 N; w 。 P");
  run(*s);
  EXPECT_EQ(dumpSentence(*s), "鳔/V 鳍/N 鳎/N 。/P");
  EXPECT_EQ(cjtest::engine().engineStatus, 0);
  s = buildFromNotation("w 鳓 A; w 鳍 N; w 鳎 N; w 。 P");
  run(*s);
  EXPECT_EQ(dumpSentence(*s), "鳓/A [NP 鳍/N 鳎/N] 。/P");
}

TEST_F(Parser, ReductionLongerThanTheChainBuildsNothing) {
  load("NP1", {{"NP->[N]+[N]+[N]", "->np"}}, {{"0", "CAT[N]", "1"}, {"1", "*", "R0000"}});
  auto s = buildFromNotation("w 鳍 N; w 鳎 N");
  testing::internal::CaptureStderr();
  run(*s);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(dumpSentence(*s), "鳍/N 鳎/N");
  EXPECT_EQ(s->nodeCount, 2);
}

TEST_F(Parser, SentenceGroupWrapsTheWholeChain) {
  load("S", {{"S->[N]+[V] #2 &L", "->s"}},
       {{"0", "CAT[N]", "1"}, {"1", "CAT[V]", "2"}, {"2", "CAT[P]", "3"}, {"3", "*", "R0000"}});
  // Without final punctuation a temporary end node stands in for it.
  auto s = buildFromNotation("w 鳌 N; w 鳕 V M_SEM=K");
  EXPECT_EQ(runS(*s), 1);
  EXPECT_EQ(dumpSentence(*s), "[S 鳌/N 鳕/V]");
  EXPECT_EQ(s->nodeCount, 3);
  EXPECT_EQ(s->wordCount, 3);
  EXPECT_EQ(s->nodes[3].subtype, '1');
  EXPECT_EQ(s->nodes[3].headChild, 2);
  EXPECT_EQ(s->nodes[3].features.M_SEM.view(), "K");
  EXPECT_EQ(s->nodes[2].next, 0);
  // With it, the final punctuation stays outside the sentence node.
  s = buildFromNotation("w 鳌 N; w 鳕 V; w 。 P");
  EXPECT_EQ(runS(*s), 1);
  EXPECT_EQ(dumpSentence(*s), "[S 鳌/N 鳕/V] 。/P");
}

// A "*" past the end of the chain still counts as consumed: it opens the "more than one" gate and
// widens the sentence node by one.
TEST_F(Parser, SentenceGroupCountsStarsPastTheEnd) {
  load("S", {{"S->[N]+[P] #2", "->s"}},
       {{"0", "CAT[N]", "1"}, {"1", "CAT[P]", "2"}, {"2", "*", "3"}, {"3", "*", "R0000"}});
  auto s = buildFromNotation("w 鳌 N; w 。 P");
  EXPECT_EQ(runS(*s), 1);
  EXPECT_EQ(dumpSentence(*s), "[S 鳌/N 。/P]");

  load("S", {{"S->[P] #2", "->s"}}, {{"0", "CAT[P]", "1"}, {"1", "*", "2"}, {"2", "*", "R0000"}});
  s = buildFromNotation("w 。 P");
  EXPECT_EQ(runS(*s), 1);
  EXPECT_EQ(dumpSentence(*s), "[S 。/P]");
}

TEST_F(Parser, FailingSentenceGroupLeavesTheChain) {
  load("S", {{"S->[N]+[A]", "->s"}},
       {{"0", "CAT[N]", "1"}, {"1", "CAT[A]", "2"}, {"2", "*", "R0000"}});
  auto s = buildFromNotation("w 鳌 N; w 鳕 V");
  EXPECT_EQ(runS(*s), 0);
  EXPECT_EQ(dumpSentence(*s), "鳌/N 鳕/V");
  EXPECT_EQ(s->nodeCount, 2);
  EXPECT_EQ(s->lastTop, 2);
  EXPECT_EQ(s->nodes[2].next, 0);
  EXPECT_TRUE(s->nodes[3].CAT.empty());  // the temporary slot is back to its defaults
}

TEST_F(Parser, SentenceGroupTriesTheNextBlock) {
  // Block one fails at its second element; block two starts again at the first node. The blocks
  // stand in file order, so the goto file is written by hand.
  load("S", {{"S->[N]+[A]", "->s"}, {"S->[N]+[V] #9", "->s"}}, {});
  std::string dac =
      "%<S>\n(0,CAT[N]) 1\n(1,CAT[A]) 2\n(2,CAT[P]) 6\n(6,*) R0000\n"
      "(0,CAT[N]) 3\n(3,CAT[V]) 4\n(4,CAT[P]) 5\n(5,*) R0001\n";
  std::string scrambled;
  ASSERT_TRUE(datagen::scrambleCjGrammarText(dac, scrambled));
  ASSERT_TRUE(device_.write(folder_ + "transfer.dac", scrambled));
  cj::loadGrammar(cjtest::engine());
  ASSERT_EQ(cjtest::engine().engineStatus, 0);
  auto s = buildFromNotation("w 鳌 N; w 鳕 V; w 。 P");
  EXPECT_EQ(runS(*s), 1);
  EXPECT_EQ(dumpSentence(*s), "[S 鳌/N 鳕/V] 。/P");
  EXPECT_EQ(s->nodes[4].ruleNumber, 1);
  EXPECT_EQ(s->nodes[4].CATYNUM.view(), "9");
}

TEST_F(Parser, NoSlotForTheTemporaryEndNode) {
  load("S", {{"S->[N]+[V]", "->s"}},
       {{"0", "CAT[N]", "1"}, {"1", "CAT[V]", "2"}, {"2", "CAT[P]", "3"}, {"3", "*", "R0000"}});
  auto s = buildFromNotation("w 鳌 N; w 鳕 V");
  // Fill the slots with nodes outside the chain.
  s->nodeCount = cj::kMaxNodes - 1;
  EXPECT_EQ(runS(*s), 0);
  EXPECT_EQ(dumpSentence(*s), "鳌/N 鳕/V");
  EXPECT_EQ(s->nodeCount, cj::kMaxNodes - 1);
}

struct CheckCase {
  const char* notation;
  const char* lhs;
  int check;
  int start;
  int length;
  int allowed;
};

TEST_F(Parser, ReductionChecks) {
  const CheckCase cases[] = {
      {"w 鳔 V; w 鳍 N; w 鳎 N", "NP", 0, 2, 2, 1},
      {"w 鳔 V; w 鳍 N; w 鳎 N", "AP", 8, 2, 2, 1},
      {"w 鳔 V; w 鳍 N; w 鳎 N", "NP", 8, 2, 2, 0},
      {"w 鳔 VN; w 鳍 N; w 鳎 N", "NP", 8, 2, 2, 1},
      {"w 鳔 V C_VAL=2; w 鳍 N; w 鳎 N", "NP", 1, 2, 2, 0},
      {"w 鳔 V C_VAL=1; w 鳍 N; w 鳎 N", "NP", 1, 2, 2, 1},
      {"w 鳔 V; w 鳍 N M_SEM=F; w 鳎 N", "NP", 6, 2, 2, 0},
      {"w 鳔 V; w 鳍 N; w 鳎 N PROP=C", "NP", 7, 2, 2, 0},
      {"w 鳔 V; w 鳍 N; w 鳎 N PROP=D", "NP", 7, 2, 2, 1},
      {"w 鳔 V; w 鳔 V; w 鳎 N", "VP", 1, 1, 2, 1},
      {"w 鳔 V; w 鳗 V; w 鳎 N", "VP", 1, 1, 2, 0},
      {"w 鳔 V; w 鳗 V; w 鳗 V", "VP", 3, 1, 3, 1},
      {"w 鳔 V +V:C_VAL=H; w 鳍 N", "VP", 6, 1, 2, 0},
      {"w 鳔 V +V:C_VAL=1; w 鳍 N", "VP", 6, 1, 2, 1},
      {"w 鳔 V; w 鳕 VG", "VP", 7, 1, 2, 0},
      // Check 7 reads the node after the span's first by index; past the node count it passes.
      {"w 鳔 V; w 鳕 V", "VP", 7, 2, 1, 1},
      {"w 鳔 V", "VP", 9, 1, 1, 1},
  };
  for (const CheckCase& c : cases) {
    auto s = buildFromNotation(c.notation);
    EXPECT_EQ(cj::checkReduction(*s, c.lhs, c.check, c.start, c.length), c.allowed) << c.notation << " " << c.check;
  }
}

TEST_F(Parser, ListedWordChecks) {
  const auto& endings = cj::listedWords("parserChecks.vpEndings");
  ASSERT_EQ(endings.size(), 6u);
  auto s = buildFromNotation("w 鳔 V; w $parserChecks.vpEndings#2 V; w 鳍 N");
  // Check 12 takes the third ending.
  EXPECT_EQ(cj::checkReduction(*s, "VP", 12, 2, 2), 1);
  EXPECT_EQ(cj::checkReduction(*s, "VP", 10, 2, 2), 0);
  // Check 4: the one listed word before the span forbids.
  s = buildFromNotation("w $parserChecks.npBefore4 F; w 鳍 N; w 鳎 N");
  EXPECT_EQ(cj::checkReduction(*s, "NP", 4, 2, 2), 0);
  EXPECT_EQ(cj::checkReduction(*s, "NP", 3, 2, 2), 1);
  // Check 3: after a verb, a two-syllable noun before a one-syllable one.
  s = buildFromNotation("w 鳔 V; w 鳍 N; w 鳎 N; w $parserChecks.npLastPair#4 N");
  s->nodes[2].SYLA = "2";
  s->nodes[3].SYLA = "1";
  EXPECT_EQ(cj::checkReduction(*s, "NP", 3, 2, 2), 0);
  s->nodes[3].SYLA = "2";
  EXPECT_EQ(cj::checkReduction(*s, "NP", 3, 2, 2), 1);
  // ... or before a listed word.
  EXPECT_EQ(cj::checkReduction(*s, "NP", 3, 2, 3), 0);
  // Check 9 reads the span's second node.
  EXPECT_EQ(cj::checkReduction(*s, "NP", 9, 1, 3), 1);
  s->nodes[3].SYLA = "1";
  EXPECT_EQ(cj::checkReduction(*s, "NP", 9, 1, 3), 0);
}

}  // namespace
