#include "engine/cj/analysis/fixed_expressions.h"

#include <gtest/gtest.h>

#include "engine/cj/analysis/dependent_features.h"
#include "engine/cj/analysis/tests/cj_dictionary_fixture.h"
#include "engine/cj/analysis/tests/rule_test_support.h"

namespace cj {
namespace {

using cjtest::buildFromNotation;
using cjtest::engineText;
using cjtest::listed;
using cjtest::shape;

class FixedExpressionsTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(cjtest::loadWordsWith()); }
  void TearDown() override { clearWordTable(); }
};

// Span marks of the nodes 1..count and then of the given extra nodes, '.' for a blank mark.
std::string marks(const CjSentence& s, std::initializer_list<int> nodes) {
  std::string out;
  for (int i : nodes) out += s.nodes[i].spanMark == ' ' ? '.' : s.nodes[i].spanMark == 0 ? '0' : s.nodes[i].spanMark;
  return out;
}

#define FX(key) "$fixedExpressions." key
#define FR(key) "$expressionFrames." key
#define COMMA "$nodePredicates.stopWord"

TEST_F(FixedExpressionsTest, QuotedStretchesBecomeDelimitedPhrases) {
  // 鳌 "鳍 鳎" 鳏 "鳐" ; a bracket pair inside a wrapped stretch stays as it is.
  auto s = buildFromNotation(
      "w 鳌 N;w \\x22 P;w 鳍 N;w ( P;w 鳎 V;w ) P;w \\x22 P;w 鳏 N;w \\x22 P;w 鳐 N;w \\x22 P");
  wrapBracketsAndQuotes(*s);
  EXPECT_EQ(shape(*s), "1 [YP 2 3 4 5 6 7] 8 [YP 9 10 11]");
  EXPECT_EQ(marks(*s, {12, 2, 7, 4, 6, 13, 9, 11}), "ylr..ylr");
  EXPECT_EQ(s->nodes[12].headChild, 2);
  EXPECT_EQ(s->nodes[12].structureClass, 0);
}

TEST_F(FixedExpressionsTest, BracketAndQuoteRowsOfTheTable) {
  struct Case {
    const char* notation;
    const char* shape;
  } cases[] = {
      {"w " FX("quoteOpeners#1") " P;w 鳌 N;w " FX("quoteClosers#1") " P", "[YP 1 2 3]"},
      {"w \\xA2 P;w 鳌 N;w \\xA3 P", "[YP 1 2 3]"},
      {"w ' P;w 鳌 N;w ' P", "[YP 1 2 3]"},
      {"w " FX("bracketOpeners#6") " P;w 鳌 N;w " FX("bracketClosers#6") " P", "[KP 1 2 3]"},
      {"w " FX("parenOpener") " P;w 鳌 N;w ) P", "[KP 1 2 3]"},
      {"w ( P;w 鳌 N;w " FX("parenCloser") " P", "[KP 1 2 3]"},
      {"w < P;w 鳌 N;w > P;w { P;w 鳍 N;w } P", "[KP 1 2 3] [KP 4 5 6]"},
      {"w " FX("firstPairOpeners#13") " F;w 鳌 N;w " FX("firstPairClosers#13") " X", "[DP 1 2 3]"},
      // No closer: this pattern leaves the chain; later patterns still run.
      {"w ( P;w 鳌 N;w [ P;w 鳍 N;w ] P", "1 2 [KP 3 4 5]"},
      {"w " FX("bracketOpeners#0") " P;w 鳌 N;w " FX("bracketClosers#1") " P", "1 2 3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.notation);
    auto s = buildFromNotation(c.notation);
    wrapBracketsAndQuotes(*s);
    EXPECT_EQ(shape(*s), c.shape);
  }
}

TEST_F(FixedExpressionsTest, DoubledBracketBecomesAClassTwoNoun) {
  auto s = buildFromNotation("w 鳌 V;w [[ P;w 鳍 N;w 鳎 N;w ]] P");
  applyFixedExpressions(*s);
  EXPECT_EQ(shape(*s), "1 [N 2 3 4 5]");
  const CjNode& n = s->nodes[6];
  EXPECT_EQ(n.structureClass, '2');
  EXPECT_EQ(n.ruleNumber, 3);
  EXPECT_EQ(marks(*s, {6, 2, 5}), "000");
}

TEST_F(FixedExpressionsTest, BuilderVariants) {
  struct Case {
    char builder;
    const char* shape;
    const char* marks;  // new node, first child, last child
  } cases[] = {
      {'N', "1 [DP 2 3 4]", "ylr"},
      {'R', "1 [DP 2 3 4 5]", "ylr"},
      {'L', "1 [DP 5 2 3 4]", "ylr"},
      {'B', "1 [DP 5 2 3 4 6]", "ylr"},
      {'Q', "1 2 3 4", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.builder);
    auto s = buildFromNotation("w 鳌 V;w 鳍 F;w 鳎 N;w 鳏 X");
    wrapDelimitedSpansWithBuilder(*s, engineText("鳍"), engineText("鳏"), "DP", c.builder);
    EXPECT_EQ(shape(*s), c.shape);
    if (!*c.marks) continue;
    int p = s->firstTop == 1 ? s->nodes[1].next : 0;
    EXPECT_EQ(marks(*s, {p, s->nodes[p].firstChild, s->nodes[p].lastChild}), c.marks);
  }
  // The table's third rows use the empty word at the back.
  auto s = buildFromNotation("w " FX("thirdPairOpeners#3") " F;w 鳎 N;w " FX("thirdPairClosers#3") " X");
  wrapListedWordPairs(*s);
  EXPECT_EQ(shape(*s), "[DP 1 2 3 4]");
  EXPECT_EQ(s->nodes[5].headChild, 1);
  EXPECT_TRUE(s->nodes[4].CHI.empty());
}

TEST_F(FixedExpressionsTest, OpeningWordCutInTwoIsJoined) {
  auto s = buildFromNotation("w 鳐 V;w 鳌 F;w 鳍 F;w 鳎 N;w 鳏 X;w 鳌 F;w 鳔 N");
  wrapDelimitedSpans(*s, engineText("鳌鳍"), engineText("鳏"), "DP", 'X', 1);
  EXPECT_EQ(shape(*s), "1 [DP 2 4 5] 6 7");
  EXPECT_EQ(s->nodes[2].CHI, engineText("鳌鳍"));
  EXPECT_EQ(s->nodes[3].next, 0);
  EXPECT_EQ(s->nodes[3].prev, 0);
  EXPECT_EQ(marks(*s, {8, 2, 5}), "ylr");
  // Without the mode the cut word is not seen.
  auto plain = buildFromNotation("w 鳐 V;w 鳌 F;w 鳍 F;w 鳎 N;w 鳏 X");
  wrapDelimitedSpans(*plain, engineText("鳌鳍"), engineText("鳏"), "DP", '*', 1);
  EXPECT_EQ(shape(*plain), "1 2 3 4 5");
}

TEST_F(FixedExpressionsTest, ClosingWordCutInTwoIsJoined) {
  auto s = buildFromNotation("w 鳌 F;w 鳍 N;w 鳎 X;w 鳏 X;w 鳐 N");
  wrapDelimitedSpans(*s, engineText("鳌"), engineText("鳎鳏"), "DP", 'Y', 1);
  EXPECT_EQ(shape(*s), "[DP 1 2 4] 5");
  EXPECT_EQ(s->nodes[4].CHI, engineText("鳎鳏"));
  EXPECT_EQ(marks(*s, {6, 1, 4}), "ylr");
}

TEST_F(FixedExpressionsTest, VerbClosedSpanEndsInAnAdverbialPhrase) {
  auto s = buildFromNotation("w 鳌 I;w 鳍 N;w 鳎 F;w 鳏 V;w 鳐 N");
  wrapDelimitedSpans(*s, engineText("鳌"), engineText("鳏"), "DP", 'V', 0);
  EXPECT_EQ(shape(*s), "[DP 1 2 [VP 3 4]] 5");
  EXPECT_EQ(marks(*s, {7, 1, 6}), "ylr");
  // One word between opener and verb: no closer, nothing built.
  auto t = buildFromNotation("w 鳌 I;w 鳎 F;w 鳏 V");
  wrapDelimitedSpans(*t, engineText("鳌"), engineText("鳏"), "DP", 'V', 0);
  EXPECT_EQ(shape(*t), "1 2 3");
}

TEST_F(FixedExpressionsTest, UnlinkNode) {
  // Removing the first top node makes its next node the first.
  auto s = buildFromNotation("w 鳌 N;w 鳍 N;w 鳎 N");
  unlinkNode(*s, 1);
  EXPECT_EQ(shape(*s), "2 3");
  EXPECT_EQ(s->firstTop, 2);
  unlinkNode(*s, 3);
  EXPECT_EQ(s->lastTop, 2);
  EXPECT_EQ(s->nodes[2].next, 0);
  unlinkNode(*s, 0);
  EXPECT_EQ(shape(*s), "2");

  // A head child: the head moves to the next sibling, the last child stays.
  auto p = buildFromNotation("w 鳌 N;w 鳍 N;w 鳎 N;p 1 3 NP");
  s = std::move(p);
  s->nodes[4].headChild = 2;
  unlinkNode(*s, 2);
  EXPECT_EQ(shape(*s), "[NP 1 3]");
  EXPECT_EQ(s->nodes[4].headChild, 3);
  EXPECT_EQ(s->nodes[4].lastChild, 3);
  // The last child as head: head and last child move back.
  unlinkNode(*s, 3);
  EXPECT_EQ(s->nodes[4].headChild, 1);
  EXPECT_EQ(s->nodes[4].lastChild, 1);
  EXPECT_EQ(s->nodes[4].firstChild, 1);
  EXPECT_EQ(s->nodes[3].CHI, engineText("鳎"));  // the slot keeps its text
}

TEST_F(FixedExpressionsTest, AdverbialVerbPhrase) {
  // 1 opener, 2 noun, 3 logic word, 4 adverb, 5 G word, 6 verb
  auto s = buildFromNotation("w 鳌 I;w 鳍 N;w " FX("logicWords#2") " X;w 鳎 F;w 鳏 G;w 鳐 V");
  s->nodes[4].features.NEG = 'N';
  int p = buildAdverbialVerbPhrase(*s, 1, 6);
  EXPECT_EQ(shape(*s), "1 2 [VP 3 4 5 6]");
  ASSERT_EQ(p, 7);
  EXPECT_EQ(s->nodes[p].headChild, 6);
  EXPECT_EQ(s->nodes[p].features.C_VAL, "0");
  EXPECT_EQ(cjtest::dumpRoleLinks(*s), "6>3:LOG 6>4:ADVN 6>5:G");
  EXPECT_EQ(s->nodes[6].features.NEG, 'N');  // carried from the adverb
  EXPECT_EQ(s->nodes[4].features.NEG, 0);

  struct Case {
    const char* notation;
    int result;  // 0: nothing, -1: the verb itself
    const char* shape;
  } cases[] = {
      {"w 鳌 I;w 鳎 F;w 鳐 V", 0, "1 2 3"},                       // one node between
      {"w 鳌 I;w 鳍 N;w 鳎 N;w 鳐 V", -1, "1 2 3 4"},             // nothing to link
      {"w 鳌 I;w 鳍 N;w 鳎 F +F:CONJ=B;w 鳐 V", 5, "1 2 [VP 3 4]"},  // F with CONJ B: LOG
      {"w 鳌 I;w 鳍 N;w 鳎 J +J:M_SEM=B;w 鳐 V", 5, "1 2 [VP 3 4]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.notation);
    auto t = buildFromNotation(c.notation);
    int verb = t->nodeCount;
    int r = buildAdverbialVerbPhrase(*t, 1, verb);
    EXPECT_EQ(r, c.result == -1 ? verb : c.result);
    EXPECT_EQ(shape(*t), c.shape);
    if (c.result > 0) {
      EXPECT_EQ(cjtest::dumpRoleLinks(*t), "4>3:LOG");
    }
  }
  // A verb that opens the chain is its own result.
  auto t = buildFromNotation("w 鳐 V;w 鳌 I");
  EXPECT_EQ(buildAdverbialVerbPhrase(*t, 2, 1), 1);
}

struct FrameCase {
  const char* name;
  void (*rule)(CjSentence&);
  const char* notation;
  const char* shape;
  int rule_number;  // 0: nothing built
  int stop;         // node that gets the new CAT
  const char* stopCat;
};

const FrameCase kFrames[] = {
    {"frame 1 (a): listed stop word", applyFrameRule1, "w 鳌 N;w " FR("frame1Openers#2") " X;w 鳍 N;w " FR("frame1Stops#5") " X;w 鳎 V",
     "1 [DP 2 3 4] 5", 4, 4, "L"},
    {"frame 1 (b): a localizer", applyFrameRule1, "w " FR("frame1Openers") " X;w 鳍 N;w 鳎 NL", "[DP 1 2 3]", 5, 3, "L"},
    {"frame 1 (c): a place noun", applyFrameRule1, "w " FR("frame1Openers") " X;w 鳍 V;w 鳎 N +N:M_SEM=AL",
     "[DP 1 2 3]", 5, 3, "N"},
    {"frame 1 (c): excluded second word", applyFrameRule1,
     "w " FR("frame1Openers") " X;w 鳍 V;w " FR("frame1NotSecond#1") " N +N:M_SEM=AL", "1 2 3", 0, 0, ""},
    {"frame 1: no stop", applyFrameRule1, "w " FR("frame1Openers") " X;w 鳍 V;w 鳎 N +N:M_SEM=A", "1 2 3", 0, 0, ""},
    // 在 frames only at the head of a clause, up to a time word or a localiser before the comma.
    {"clause-head opener: listed stop", applyFrameRule1,
     "w " FR("frame1TimeOpeners") " X;w 鳍 V;w " FR("frame1Stops#2") " X;w " COMMA " P;w 鳎 V", "[DP 1 2 3] 4 5", 4, 3,
     "L"},
    {"clause-head opener after a comma", applyFrameRule1,
     "w 鳌 V;w " COMMA " P;w " FR("frame1TimeOpeners") " X;w 鳍 V;w " FR("frame1Stops#2") " X", "1 2 [DP 3 4 5]", 4, 5,
     "L"},
    {"clause-head opener: localiser before the comma", applyFrameRule1,
     "w " FR("frame1TimeOpeners") " X;w 鳍 N;w 鳎 NL;w " COMMA " P;w 鳐 V", "[DP 1 2 3] 4 5", 5, 3, "L"},
    {"clause-head opener inside a clause", applyFrameRule1,
     "w 鳌 R;w " FR("frame1TimeOpeners") " X;w 鳍 N;w " FR("frame1Stops#2") " X", "1 2 3 4", 0, 0, ""},
    {"clause-head opener: the clause ends before the stop", applyFrameRule1,
     "w " FR("frame1TimeOpeners") " X;w 鳍 N;w " COMMA " P;w " FR("frame1Stops#2") " X", "1 2 3 4", 0, 0, ""},
    {"clause-head opener: localiser with the clause going on", applyFrameRule1,
     "w " FR("frame1TimeOpeners") " X;w 鳍 N;w 鳎 NL;w 鳐 V", "1 2 3 4", 0, 0, ""},
    {"clause-head opener: a place noun is no stop", applyFrameRule1,
     "w " FR("frame1TimeOpeners") " X;w 鳍 N +N:M_SEM=AL;w " COMMA " P;w 鳐 V", "1 2 3 4", 0, 0, ""},
    {"frame 2: localizer", applyFrameRule2, "w " FR("frame2Opener") " X;w 鳍 N;w 鳎 L", "[DP 1 2 3]", 8, 3, "L"},
    {"frame 2: further stop word", applyFrameRule2, "w " FR("frame2Opener") " X;w 鳍 N;w " FR("frame2MoreStops#1") " N",
     "[DP 1 2 3]", 8, 3, "L"},
    {"frame 2: a stop word of frame 3 does not stop it", applyFrameRule2,
     "w " FR("frame2Opener") " X;w 鳍 N;w " FR("frame3Stops") " N", "1 2 3", 0, 0, ""},
    {"frame 3", applyFrameRule3, "w 鳌 V;w " FR("frame3Opener") " X;w " FR("frame3Stops#2") " N", "1 [DP 2 3]", 9, 3,
     "L"},
    {"frame 3: opener of frame 2", applyFrameRule3, "w " FR("frame2Opener") " X;w " FR("frame3Stops#2") " N", "1 2", 0,
     0, ""},
    {"frame 4", applyFrameRule4, "w " FR("frame4Openers#3") " X;w 鳍 N;w " FR("frame4Stops#1") " N", "[DP 1 2 3]", 2,
     3, "L"},
    {"frame 5 (b)", applyFrameRule5, "w " FR("frame5Openers#1") " X;w 鳍 N;w " FR("frame5Stops#4") " V", "[DP 1 2 3]",
     15, 3, "L"},
    {"frame 5 (c): the pair", applyFrameRule5,
     "w " FR("frame5Openers#2") " X;w 鳍 N;w " FR("frame5PairFirst") " X;w " FR("frame5PairSecond") " V",
     "[DP 1 2 3 4]", 11, 4, "L"},
    {"frame 5 (c): first word of the pair alone", applyFrameRule5,
     "w " FR("frame5Openers#2") " X;w 鳍 N;w " FR("frame5PairFirst") " X;w 鳎 V", "1 2 3 4", 0, 0, ""},
};

TEST_F(FixedExpressionsTest, FrameRulesFireOnTheirWords) {
  for (const FrameCase& c : kFrames) {
    SCOPED_TRACE(c.name);
    auto s = buildFromNotation(c.notation);
    const int before = s->nodeCount;
    c.rule(*s);
    EXPECT_EQ(shape(*s), c.shape);
    if (!c.rule_number) {
      EXPECT_EQ(s->nodeCount, before);
      continue;
    }
    ASSERT_EQ(s->nodeCount, before + 1);
    const CjNode& n = s->nodes[s->nodeCount];
    const int opener = n.firstChild;
    EXPECT_EQ(n.CAT, "DP");
    EXPECT_EQ(n.structureClass, '4');
    EXPECT_EQ(n.ruleNumber, c.rule_number);
    EXPECT_EQ(n.headChild, opener);
    EXPECT_EQ(s->nodes[opener].CAT, "I");
    EXPECT_EQ(s->nodes[c.stop].CAT, c.stopCat);
    EXPECT_EQ(marks(*s, {s->nodeCount, opener}), "yl");
  }
}

TEST_F(FixedExpressionsTest, FrameMarksOfThePair) {
  auto s = buildFromNotation(
      "w " FR("frame5Openers#2") " X;w 鳍 N;w " FR("frame5PairFirst") " X;w " FR("frame5PairSecond") " V");
  applyFrameRule5(*s);
  EXPECT_EQ(marks(*s, {5, 1, 3, 4}), "ylr.");
}

TEST_F(FixedExpressionsTest, FrameEndingInAnAdverbialVerbPhrase) {
  auto s = buildFromNotation("w " FR("frame5Openers") " X;w 鳍 N;w 鳎 F;w " FR("frame5VerbStops#2") " V");
  applyFrameRule5(*s);
  EXPECT_EQ(shape(*s), "[DP 1 2 [VP 3 4]]");
  EXPECT_EQ(s->nodes[6].ruleNumber, 11);
  EXPECT_EQ(s->nodes[5].CAT, "VP");  // unchanged
  EXPECT_EQ(s->nodes[5].spanMark, 'r');
  EXPECT_EQ(cjtest::dumpRoleLinks(*s), "4>3:ADVN");
}

TEST_F(FixedExpressionsTest, RepeatedWordFrame) {
  const std::string x = listed("expressionFrames.repeatedOtherWords", 1);
  const std::string x23 = listed("expressionFrames.repeatedRule23Words", 0);
  struct Case {
    std::string xText, yText;
    const char* zCat;
    bool zSame;
    const char* shape;
    int rule;
  } cases[] = {
      {x, engineText("鳌") + x, "A", false, "[V 1 2 3] 4", 16},
      {x23, engineText("鳌") + x23, "A", false, "[V 1 2 3] 4", 23},
      {x, engineText("鳌"), "A", true, "[V 1 2 3 4]", 16},
      {x, engineText("鳌") + x, "AN", false, "1 2 3 4", 0},
      {x, x + engineText("鳌"), "A", false, "1 2 3 4", 0},
  };
  for (const Case& c : cases) {
    auto s = buildFromNotation(std::string("w - X;w - N;w 鳍 ") + c.zCat + ";w 鳎 N");
    s->nodes[1].CHI = c.xText;
    s->nodes[2].CHI = c.yText;
    if (c.zSame) s->nodes[3].CHI = c.xText;
    wrapRepeatedWordFrame(*s);
    EXPECT_EQ(shape(*s), c.shape);
    if (c.rule) {
      EXPECT_EQ(s->nodes[5].ruleNumber, c.rule);
      EXPECT_EQ(s->nodes[5].structureClass, '3');
      EXPECT_EQ(marks(*s, {5, 1}), "..");
    }
  }
  // Y, Z and W must all exist.
  auto s = buildFromNotation("w - X;w 鳍 N;w - A");
  s->nodes[1].CHI = x;
  s->nodes[3].CHI = x;
  wrapRepeatedWordFrame(*s);
  EXPECT_EQ(shape(*s), "1 2 3");
}

TEST_F(FixedExpressionsTest, FinalWordPairDroppedOrKept) {
  struct Case {
    const char* notation;
    const char* shape;
  } cases[] = {
      {"w " FX("finalDropAfter#2") " V;w 鳍 N;w " FX("finalBefore") " X;w " FX("finalWord") " X;w 。 P", "1 2 5"},
      {"w " FX("finalKeepAfter#3") " V;w 鳍 N;w " FX("finalBefore") " X;w " FX("finalWord") " X", "1 2 3 4"},
      {"w " FX("finalDropAfter") " V;w " FX("finalWord") " X;w " FX("finalBefore") " X", "1 2 3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.notation);
    auto s = buildFromNotation(c.notation);
    rewriteFinalWordPair(*s);
    EXPECT_EQ(shape(*s), c.shape);
  }
}

TEST_F(FixedExpressionsTest, SplitWordTailNeverLeavesAnEmptyWord) {
  auto s = buildFromNotation("w 鳌 N;w 鳍 V");
  splitWordTail(*s, 1, 2);
  splitWordTail(*s, 2, 4);
  splitWordTail(*s, 2, 0);
  EXPECT_EQ(shape(*s), "1 2");
  EXPECT_EQ(s->nodeCount, 2);
  EXPECT_EQ(s->nodes[1].CHI, engineText("鳌"));
}

TEST_F(FixedExpressionsTest, FullWorkAreaLeavesTheChainWhole) {
  auto s = cjtest::fullSentence(
      "w \\x22 P;w 鳌 N;w \\x22 P;w " FR("frame3Opener") " X;w " FR("frame3Stops") " N;w 鳍鳎 V");
  const int count = s->nodeCount;
  testing::internal::CaptureStderr();
  applyFixedExpressions(*s);
  splitWordTail(*s, 6, 2);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(s->nodeCount, count);
  int k = s->firstTop, n = 0;
  for (; k != 0 && n <= kMaxNodes; k = s->nodes[k].next) ++n;
  EXPECT_EQ(n, count);
  EXPECT_EQ(s->nodes[6].CHI, engineText("鳍鳎"));
}

// Rules that read words from the dictionary after splitting or rewriting them.
class FixedExpressionsDictionaryTest : public cjtest::EngineFixture {
 protected:
  void startWith(std::map<std::string, std::vector<std::string>> lists) {
    cjtest::EngineSetup setup;
    setup.words = {{"的", "X\\U[X]"}, {"鳌鳍", "V\\U[V]"}, {"鳎", "N\\U[N]"}, {"鳍", "Q\\U[Q]"}, {"鳐鳔", "D\\U[D]"}};
    setup.lists = std::move(lists);
    ASSERT_TRUE(start(setup));
  }
};

TEST_F(FixedExpressionsDictionaryTest, SplitWordTailReadsBothWords) {
  startWith({});
  auto s = buildFromNotation("w 鳏 N;w 鳌鳍鳎 X;w 鳐 N");
  splitWordTail(*s, 2, 2);
  EXPECT_EQ(shape(*s), "1 2 4 3");
  EXPECT_EQ(s->nodes[2].CHI, engineText("鳌鳍"));
  EXPECT_EQ(s->nodes[2].CAT, "V");
  ASSERT_EQ(s->nodes[2].senses.size(), 1u);
  EXPECT_EQ(s->nodes[2].senses[0].catLetter, 'V');
  EXPECT_EQ(s->nodes[4].CHI, engineText("鳎"));
  EXPECT_EQ(s->nodes[4].CAT, "N");
}

TEST_F(FixedExpressionsDictionaryTest, ClosingWordSplitOnlyAtTheFirstMatch) {
  startWith({});
  auto s = buildFromNotation("w 鳏 F;w 鳐 N;w 鳍鳎 X;w 鳏 F;w 鳓 N;w 鳍鳎 X");
  wrapDelimitedSpans(*s, engineText("鳏"), engineText("鳍鳎"), "DP", 'T', 1);
  EXPECT_EQ(shape(*s), "[DP 1 2 3] 7 [DP 4 5 6]");
  EXPECT_EQ(s->nodes[3].CHI, engineText("鳍"));
  EXPECT_EQ(s->nodes[3].CAT, "Q");
  EXPECT_EQ(s->nodes[6].CHI, engineText("鳍鳎"));
}

TEST_F(FixedExpressionsDictionaryTest, FramesSplitTheirListedWord) {
  startWith({{"expressionFrames.frame4SplitWord", {"鳌鳍鳎"}},
             {"expressionFrames.frame4Stops", {"鳌鳍", "鳕鳗", "鳘鳙"}},
             {"expressionFrames.frame5SplitWord", {"鳌鳍鳎"}},
             {"expressionFrames.frame5Stops", {"鳌鳍", "鳕鳗", "鳘鳙", "鳜鳝", "鳟鳢", "靼鞅"}}});
  for (auto rule : {applyFrameRule4, applyFrameRule5}) {
    std::string opener = rule == applyFrameRule4 ? listed("expressionFrames.frame4Openers")
                                                 : listed("expressionFrames.frame5Openers");
    auto s = buildFromNotation("w - X;w 鳏 N;w 鳌鳍鳎 X");
    s->nodes[1].CHI = opener;
    rule(*s);
    EXPECT_EQ(shape(*s), "[DP 1 2 3] 4");
    EXPECT_EQ(s->nodes[3].CHI, engineText("鳌鳍"));
    EXPECT_EQ(s->nodes[5].ruleNumber, rule == applyFrameRule4 ? 2 : 15);
  }
}

TEST_F(FixedExpressionsDictionaryTest, FinalWordPairRewritten) {
  startWith({{"fixedExpressions.finalReplacement", {"鳐鳔"}}});
  auto s = buildFromNotation("w 鳏 N;w 鳍 V;w " FX("finalBefore") " X;w " FX("finalWord") " X;w 。 P");
  rewriteFinalWordPair(*s);
  EXPECT_EQ(shape(*s), "6 1 2 5");
  EXPECT_EQ(s->firstTop, 6);
  EXPECT_EQ(s->nodes[6].CHI, engineText("鳐鳔"));
  EXPECT_EQ(s->nodes[6].CAT, "D");
}

TEST_F(FixedExpressionsDictionaryTest, ListedWordSplitWhenAFollowerComes) {
  startWith({{"fixedExpressions.splitWord", {"鳌鳍"}}, {"fixedExpressions.splitFollowers", {"鳘", "鳙鳜"}}});
  auto s = buildFromNotation("w 鳌鳍 V;w 鳏 N;w 鳙鳜 X;w 鳌鳍 V");
  splitListedWords(*s);
  EXPECT_EQ(shape(*s), "1 5 2 3 4");
  EXPECT_EQ(s->nodes[5].CHI, engineText("鳍"));
  // No follower: the step ends at the first listed word.
  auto t = buildFromNotation("w 鳌鳍 V;w 鳏 N");
  splitListedWords(*t);
  EXPECT_EQ(shape(*t), "1 2");
}

#undef FX
#undef FR

}  // namespace
}  // namespace cj
