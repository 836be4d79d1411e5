#include "engine/jc/core/jc_predicates_tree.h"

#include <gtest/gtest.h>

#include "engine/jc/core/jc_predicates_search.h"
#include "engine/jc/test_support/jc_sentence_builder.h"

namespace jc {
namespace {

// 弟は 私が 買った 赤い 本を 読み 寝た。
// Two clauses: 私が … 読み is attached to 寝た with D2; 買った and 赤い form an adnominal chain on 本.
//   morphemes 1-11; phrases 12 弟は, 13 私が, 14 買った, 15 赤い, 16 本を, 17 読み, 18 寝た。
constexpr const char* kTwoClauses =
    "m 弟 pos=6/1; m は pos=9/2; m 私 pos=6/1; m が pos=9/1; m 買った base=買う pos=2/1 conj=12/8;"
    "m 赤い pos=3 conj=18/2; m 本 pos=6/1; m を pos=9/1; m 読み base=読む pos=2/1 conj=9/7;"
    "m 寝た base=寝る pos=2/2 conj=1/8; m 。 pos=1/1;"
    "p 1-2 head=p7 label=D1 hm=1; p 3-4 head=p6 label=D20 hm=3; p 5-5 head=p5 label=D3;"
    "p 6-6 head=p5 label=D3; p 7-8 head=p6 label=D11 hm=7; p 9-9 head=p7 label=D2; p 10-11 hm=10";

class JcTree : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(s.build(kTwoClauses, &error)) << error;
    r = s.get();
  }
  JcSentenceHolder s;
  JcSentence* r = nullptr;
};

TEST_F(JcTree, LinksLeavesAndHeads) {
  struct Row {
    int (*walk)(const JcSentence*, int);
    const char* name;
    int from, expected;
  } rows[] = {
      {parentOf, "parentOf", 7, 16},          {parentOf, "parentOf", 16, 0},
      {parentOf, "parentOf", -1, 0},          {prevSiblingOf, "prevSiblingOf", 16, 15},
      {firstChildOf, "firstChildOf", 16, 7},  {lastChildOf, "lastChildOf", 18, 11},
      {headPhraseOf, "headPhraseOf", 17, 18}, {headPhraseOf, "headPhraseOf", 18, 0},
      {firstLeaf, "firstLeaf", 18, 10},       {lastLeaf, "lastLeaf", 18, 11},
      {firstLeaf, "firstLeaf", 7, 7},         {lastLeaf, "lastLeaf", -1, 0},
      {headMorpheme, "headMorpheme", 16, 7},  {headMorpheme, "headMorpheme", 18, 10},
      {headMorpheme, "headMorpheme", 8, 8},   {headMorpheme, "headMorpheme", 0, 0},
      {rootOf, "rootOf", 7, 16},              {rootOf, "rootOf", 16, 16},
      {rootOf, "rootOf", 0, 0},
      // The largest phrase ending with the word: 本 is not the last child, so its phrase.
      {maximalProjection, "maximalProjection", 8, 16},
      {maximalProjection, "maximalProjection", 7, 16},
      {maximalProjection, "maximalProjection", 10, 18},
      {maximalProjection, "maximalProjection", 17, 17},
      {maximalProjection, "maximalProjection", 0, 0},
      {finalHeadPhrase, "finalHeadPhrase", 5, 18},
      {finalHeadPhrase, "finalHeadPhrase", 18, 18},
      {governorOf, "governorOf", 7, 17},
      {governorOf, "governorOf", 10, 18},  // no head phrase: a verb's parent
      {governorOf, "governorOf", 11, 0},
  };
  for (const Row& row : rows) EXPECT_EQ(row.walk(r, row.from), row.expected) << row.name << "(" << row.from << ")";
}

TEST_F(JcTree, SiblingsAndChains) {
  // The first earlier sibling that depends on the node.
  EXPECT_EQ(firstSibling(r, 18), 12);
  EXPECT_EQ(firstSibling(r, 17), 13);
  EXPECT_EQ(firstSibling(r, 16), 14);
  EXPECT_EQ(firstSibling(r, 15), 15);
  EXPECT_EQ(firstSibling(r, 12), 12);
  EXPECT_EQ(firstSibling(r, -1), 0);
  // 赤い and 買った climb to the first leaf of the chain on 本.
  EXPECT_EQ(climbAdnominalChain(r, 7), 5);
  EXPECT_EQ(climbAdnominalChain(r, 8), 5);
  EXPECT_EQ(climbAdnominalChain(r, 5), 5);
  EXPECT_EQ(climbAdnominalChain(r, 9), 9);  // 本を before 読み is no adnominal
  // The continuative clause 読み runs into 寝た.
  EXPECT_EQ(firstChildOfRun(r, 10), 9);
  EXPECT_EQ(firstChildOfRun(r, 9), 9);
  EXPECT_EQ(startOfModifierChain(r, 7), 15);  // 赤い depends on 本を, 買った does not depend on 赤い
  EXPECT_EQ(startOfModifierChain(r, 18), 17);
  EXPECT_EQ(startOfModifierChain(r, 17), 17);

  EXPECT_EQ(isAdnominalDependentOf(r, 15, 16), 1);
  EXPECT_EQ(isAdnominalDependentOf(r, 14, 16), 1);
  EXPECT_EQ(isAdnominalDependentOf(r, 13, 17), 0);
  EXPECT_EQ(isAdnominalDependentOf(r, 15, 17), 0);
  EXPECT_EQ(isAdnominalDependentOf(r, 0, 16), 0);
  EXPECT_EQ(isContinuativeDependentOf(r, 17, 18), 1);
  EXPECT_EQ(isContinuativeDependentOf(r, 16, 17), 0);
}

TEST_F(JcTree, ClauseHeadOfTheTwoClauses) {
  EXPECT_EQ(findClauseHead(r, 7), 17);   // 本 → 読み
  EXPECT_EQ(findClauseHead(r, 3), 17);   // 私 → 読み
  EXPECT_EQ(findClauseHead(r, 9), 18);   // 読み: its D2 dependent ends in a verb
  EXPECT_EQ(findClauseHead(r, 1), 18);
  EXPECT_EQ(findClauseHead(r, 10), 0);   // the root has no head phrase
  EXPECT_EQ(findClauseHead(r, -1), 0);
  retireWord(r, 9);                      // the first leaf of 読み
  EXPECT_EQ(findClauseHead(r, 7), 0);
}

TEST(JcTreeClauseHead, ChoosesTheD2DependentWhenItEndsAfterTheWord) {
  JcSentenceHolder s;
  // 弟は すぐ 寝た / すぐ 弟は 寝た, すぐ attached to 寝た with D2.
  ASSERT_TRUE(s.build("m 弟 pos=6/1; m は pos=9/2; m すぐ pos=8/5; m 寝た base=寝る pos=2/2 conj=1/8;"
                      "p 1-2 head=p3 label=D1 hm=1; p 3-3 head=p3 label=D2; p 4-4"));
  EXPECT_EQ(findClauseHead(s.get(), 1), 6);  // すぐ comes after 弟 and is no verb
  ASSERT_TRUE(s.build("m すぐ pos=8/5; m 弟 pos=6/1; m は pos=9/2; m 寝た base=寝る pos=2/2 conj=1/8;"
                      "p 1-1 head=p3 label=D2; p 2-3 head=p3 label=D1 hm=2; p 4-4"));
  EXPECT_EQ(findClauseHead(s.get(), 2), 7);  // すぐ stands before 弟: the head phrase
  // A trailing symbol of the D2 phrase is stepped over to the word before it.
  ASSERT_TRUE(s.build("m 弟 pos=6/1; m は pos=9/2; m 雨 pos=6/1; m で pos=4 conj=25/11; m 、 pos=1/2;"
                      "m 寝た base=寝る pos=2/2 conj=1/8; p 1-2 head=p3 label=D1 hm=1; p 3-5 head=p3 label=D2;"
                      "p 6-6"));
  EXPECT_EQ(findClauseHead(s.get(), 1), 8);
  s->nodes[4].conjForm = "7";  // で as a conditional form keeps the head phrase
  EXPECT_EQ(findClauseHead(s.get(), 1), 9);
}

TEST_F(JcTree, CyclicLinksEndTheWalk) {
  r->nodes[16].parent = 17;
  r->nodes[17].parent = 16;
  EXPECT_EQ(rootOf(r, 7), 0);
  r->nodes[18].headPhrase = 17;
  EXPECT_EQ(finalHeadPhrase(r, 12), 0);
  r->nodes[16].lastChild = 16;
  EXPECT_EQ(lastLeaf(r, 16), 0);
}

}  // namespace
}  // namespace jc
