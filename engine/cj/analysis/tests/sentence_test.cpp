#include "engine/cj/analysis/sentence.h"

#include <gtest/gtest.h>

#include "engine/cj/analysis/tests/sentence_notation.h"

namespace cj {
namespace {

TEST(SentenceTest, BuildLinksTheWordsAndLeavesTheRestAtDefaults) {
  auto s = buildSentence(3);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->nodeCount, 3);
  EXPECT_EQ(s->wordCount, 3);
  EXPECT_EQ(s->firstTop, 1);
  EXPECT_EQ(s->lastTop, 3);
  EXPECT_EQ(s->nodes[1].prev, 0);
  EXPECT_EQ(s->nodes[1].next, 2);
  EXPECT_EQ(s->nodes[2].prev, 1);
  EXPECT_EQ(s->nodes[3].next, 0);
  for (int i = 0; i < kMaxNodes; ++i) {
    const CjNode& n = s->nodes[i];
    ASSERT_EQ(n.kind, '4');
    ASSERT_EQ(n.headChild, i == 0 ? 0 : i);
    ASSERT_EQ(n.spanMark, ' ');
    ASSERT_EQ(n.secondMark, '*');
    ASSERT_TRUE(n.CAT.empty());
    ASSERT_EQ(n.firstChild, 0);
  }
  EXPECT_EQ(s->nodes[4].prev, 0);  // the slot after the last word is not linked
  ASSERT_TRUE(s->summary);
  EXPECT_EQ(s->parserBlocks.size(), 1u);
  EXPECT_TRUE(s->roleLinks.empty());
}

TEST(SentenceTest, OneWordSentenceHasNoNeighbours) {
  auto s = buildSentence(1);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->firstTop, 1);
  EXPECT_EQ(s->lastTop, 1);
  EXPECT_EQ(s->nodes[1].prev, 0);
  EXPECT_EQ(s->nodes[1].next, 0);
}

TEST(SentenceTest, CountBeyondTheSlotsIsRefused) {
  EXPECT_TRUE(buildSentence(299));
  EXPECT_FALSE(buildSentence(300));
  EXPECT_FALSE(buildSentence(-1));
}

TEST(SentenceTest, ApplySenseFeaturesCopiesTheSettledSense) {
  auto s = cjtest::buildFromNotation("w a VN +N:M_SEM=A,NEG=y +V:M_SEM=K,C_VAL=0E,NEG2=x,ATTR2=1,S_CAT=vt");
  ASSERT_TRUE(s);
  CjNode& n = s->nodes[1];
  n.features.catLetter = 'Q';
  n.features.NEG2 = 'z';
  EXPECT_EQ(applySenseFeatures(*s, 1), 0);
  EXPECT_EQ(n.features.M_SEM, "K");
  EXPECT_EQ(n.features.C_VAL, "0E");
  EXPECT_EQ(n.features.ATTR2, '1');
  EXPECT_EQ(n.features.S_CAT, "vt");
  EXPECT_EQ(n.features.NEG, 0);
  EXPECT_EQ(n.features.catLetter, 'Q');  // neither the letter nor the second negation byte is copied
  EXPECT_EQ(n.features.NEG2, 'z');
  // No sense with the letter of CAT: nothing changes.
  n.CAT = "D";
  n.features.M_SEM = "Z";
  applySenseFeatures(*s, 1);
  EXPECT_EQ(n.features.M_SEM, "Z");
}

TEST(SentenceTest, SummaryCopiesTheHeader) {
  auto s = cjtest::buildFromNotation("w a N; w b V; p 1 2 S");
  ASSERT_TRUE(s);
  s->govNode = 2;
  s->argCount = 1;
  s->sentenceType = "DECL";
  CjSentenceSummary* sum = summaryOf(*s);
  ASSERT_TRUE(sum);
  EXPECT_EQ(sum->wordCount, 2);
  EXPECT_EQ(sum->firstTop, 3);
  EXPECT_EQ(sum->lastTop, 3);
  EXPECT_EQ(sum->govNode, 2);
  EXPECT_EQ(sum->argCount, 1);
  EXPECT_EQ(sum->sentenceType, "DECL");
  EXPECT_EQ(sum->nodeCount, 3);
}

TEST(SentenceTest, ReleaseFreesEverySenseListAndBlock) {
  auto s = cjtest::buildFromNotation("w a N +N +V; w b V +V; p 1 2 S; l 2 1 SUB");
  ASSERT_TRUE(s);
  s->nodes[3].senses.emplace_back();  // a phrase node's list goes too
  releaseSentence(*s);
  for (int i = 0; i <= s->nodeCount; ++i) EXPECT_TRUE(s->nodes[i].senses.empty()) << i;
  EXPECT_TRUE(s->roleLinks.empty());
  EXPECT_FALSE(s->summary);
  EXPECT_TRUE(s->parserBlocks.empty());
  EXPECT_EQ(summaryOf(*s), nullptr);
}

TEST(SentenceTest, FixedTextCutsAtACharacterBoundary) {
  FixedText<6> field;  // five bytes of text
  field = "\x88\x9F\x88\x9F\x88\x9F";
  EXPECT_EQ(field, "\x88\x9F\x88\x9F");
  field = "ab\x88\x9F" "c";
  EXPECT_EQ(field, "ab\x88\x9F" "c");
  field = "abcd\x88\x9F";
  EXPECT_EQ(field, "abcd");
  field.append("x");
  EXPECT_EQ(field, "abcdx");
  field.append("y");
  EXPECT_EQ(field, "abcdx");
}

TEST(SentenceNotationTest, BuildsAndDumpsASentence) {
  auto s = cjtest::buildFromNotation(
      "w 我 R +R:M_SEM=A\n"
      "w 看 V mark=C +V:C_VAL=0\n"
      "w 书 N; w 。 P\n"
      "p 2 3 VP rule=4 sub=Z\n"
      "l 2 1 SUB; l 2 3 OBJ1");
  ASSERT_TRUE(s);
  EXPECT_EQ(cjtest::dumpSentence(*s), "我/R [VP 看/V 书/N] 。/P");
  EXPECT_EQ(cjtest::dumpRoleLinks(*s), "2>1:SUB 2>3:OBJ1");
  EXPECT_EQ(s->nodes[5].ruleNumber, 4);
  EXPECT_EQ(s->nodes[5].subtype, 'Z');
  EXPECT_EQ(s->nodes[2].predicateMark, 'C');
  ASSERT_EQ(s->nodes[2].senses.size(), 1u);
  EXPECT_EQ(s->nodes[2].senses[0].C_VAL, "0");
  EXPECT_EQ(s->nodes[1].CHI, cjtest::engineText("我"));
}

}  // namespace
}  // namespace cj
