#include "engine/jc/core/jc_predicates_search.h"

#include <gtest/gtest.h>

#include "engine/jc/test_support/jc_sentence_builder.h"

namespace jc {
namespace {

// 私は 本を 読まない本。 : morphemes 1-8, phrases 9-11.
class JcSearch : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(s.build("m 私 pos=6/1; m は pos=9/2; m 本 pos=6/1; m を pos=9/1;"
                        "m 読ま base=読む pos=2/1 conj=9/3; m ない pos=5/0 conj=18/2; m 本 pos=6/1; m 。 pos=1/1;"
                        "p 1-2 head=p3 label=D1 s=S2,S5 usage=WA1; p 3-4 head=p3 label=D11 ab=A12; p 5-8 s=S1,S13;"
                        "r 11 9 SUB; r 11 10 OBJ1",
                        &error))
        << error;
    r = s.get();
  }
  JcSentenceHolder s;
  JcSentence* r = nullptr;
};

TEST_F(JcSearch, ForwardSearchesStopAtTheLastMorpheme) {
  EXPECT_EQ(r->lastMorpheme, 8);
  EXPECT_EQ(r->lastNode, 11);
  r->nodes[10].surface = "本";  // a phrase node is beyond the word searches
  EXPECT_EQ(findSurfaceForward(r, 1, "本"), 3);
  EXPECT_EQ(findSurfaceForward(r, 4, "本"), 7);
  EXPECT_EQ(findSurfaceForward(r, 8, "本"), 0);
  EXPECT_EQ(findSurfaceForward(r, 0, "私"), 0);
  EXPECT_EQ(findSurfaceForward(r, -1, "私"), 0);
  EXPECT_EQ(findSurfaceForward(r, 400, "本"), 0);
  EXPECT_EQ(findSurfaceForward2(r, 1, "を", "。"), 4);
  EXPECT_EQ(findSurfaceForward2(r, 5, "を", "。"), 8);
  EXPECT_EQ(findSurfaceSuffixForward(r, 1, "ない"), 6);
  EXPECT_EQ(findSurfaceSuffixForward(r, 1, "い"), 6);
  EXPECT_EQ(findPosForward(r, 1, "9", ""), 2);  // any sub-POS
  EXPECT_EQ(findPosForward(r, 1, "9", "1"), 4);
  EXPECT_EQ(findPosForward(r, 1, "3", ""), 0);
}

TEST_F(JcSearch, BackwardSearchesStopAtOneAndClampTheStart) {
  EXPECT_EQ(findSurfaceBackward(r, 8, "本"), 7);
  EXPECT_EQ(findSurfaceBackward(r, 6, "本"), 3);
  EXPECT_EQ(findSurfaceBackward(r, 2, "本"), 0);
  EXPECT_EQ(findSurfaceBackward(r, 0, "私"), 0);
  EXPECT_EQ(findSurfaceBackward(r, 1, "私"), 1);
  EXPECT_EQ(findSurfaceBackward(r, 5000, "本"), 7);
  EXPECT_EQ(findPosBackward(r, 8, "6", "1"), 7);
  EXPECT_EQ(findPosBackward(r, 6, "9", ""), 4);
}

TEST_F(JcSearch, LiveSearchesSkipConsumedWords) {
  retireWord(r, 3);
  EXPECT_EQ(findLiveSurface(r, 1, "本"), 7);
  EXPECT_EQ(findSurfaceForward(r, 1, "本"), 3);  // the plain search still sees it
  EXPECT_EQ(findLiveSurfaceBackward(r, 6, "本"), 0);
  EXPECT_EQ(findLiveSurfaceBackward(r, 8, "本"), 7);
  EXPECT_EQ(findLiveSurface2(r, 1, "本", "を"), 4);
  EXPECT_EQ(findLiveBaseForm(r, 1, "読む"), 5);
  EXPECT_EQ(findLiveBaseForm(r, 1, "読ま"), 0);  // base forms, not surfaces
  EXPECT_EQ(findLiveBaseForm2(r, 1, "ある", "ない"), 6);
  retireWord(r, 5);
  EXPECT_EQ(findLiveBaseForm(r, 1, "読む"), 0);
  retireWord(r, 0);  // node 0 is never retired
  EXPECT_EQ(r->targets[0].live, 1);
}

TEST_F(JcSearch, ConjugationFormAndNegationSearchesReachTheLastNode) {
  EXPECT_EQ(findConjFormForward(r, 1, "3"), 5);
  r->nodes[11].conjForm = "4";
  EXPECT_EQ(findConjFormForward(r, 1, "4"), 11);
  EXPECT_EQ(findConjFormForward(r, 0, "3"), 0);

  EXPECT_EQ(findNegation(r, 1), 6);
  EXPECT_EQ(findNegation(r, 7), 0);
  EXPECT_EQ(findNegation(r, 12), 0);
  retireWord(r, 6);
  EXPECT_EQ(findNegation(r, 1), 0);
  // The ぬ type, and the kanji base form, also negate.
  r->nodes[7].conjType = "27";
  EXPECT_EQ(findNegation(r, 1), 7);
  r->nodes[11].baseForm = "無い";
  EXPECT_EQ(findNegation(r, 8), 11);
}

TEST_F(JcSearch, NodeTestsAnswerZeroOutsideTheSentence) {
  EXPECT_EQ(isSurface(r, 3, "本"), 1);
  EXPECT_EQ(isBaseForm(r, 5, "読む"), 1);
  EXPECT_EQ(isLiveSurface(r, 3, "本"), 1);
  EXPECT_EQ(isLiveBaseForm(r, 5, "読む"), 1);
  retireWord(r, 3);
  EXPECT_EQ(isLiveSurface(r, 3, "本"), 0);
  EXPECT_EQ(isSurface(r, 3, "本"), 1);
  EXPECT_EQ(isMorpheme(r, 8), 1);
  EXPECT_EQ(isMorpheme(r, 9), 0);
  r->nodes[12].surface = "本";  // beyond lastNode
  for (int i : {-1, 12}) {
    EXPECT_EQ(isSurface(r, i, "本"), 0) << i;
    EXPECT_EQ(isBaseForm(r, i, "本"), 0) << i;
    EXPECT_EQ(isLiveSurface(r, i, "本"), 0) << i;
    EXPECT_EQ(isLiveBaseForm(r, i, "本"), 0) << i;
    EXPECT_EQ(isMorpheme(r, i), 0) << i;
    EXPECT_EQ(isPrefix(r, i), 0) << i;
    EXPECT_EQ(hasNounFeature(r, i), 0) << i;
    EXPECT_EQ(isLive(r, i), 0) << i;
  }
}

TEST_F(JcSearch, LinkListLookups) {
  EXPECT_EQ(findDependencyDependent(r, 11, "D11"), 10);
  EXPECT_EQ(findDependencyDependent(r, 11, "D1"), 9);
  EXPECT_EQ(findDependencyDependent(r, 11, "D2"), 0);
  EXPECT_EQ(findDependencyDependent(r, 10, "D11"), 0);
  EXPECT_EQ(findRelationDependent(r, 11, "OBJ1"), 10);
  EXPECT_EQ(findRelationDependent(r, 11, "OBJ"), 0);  // labels compare whole
  EXPECT_EQ(governsNoDependency(r, 11), 0);
  EXPECT_EQ(governsNoDependency(r, 9), 1);
  // Claimed items are still seen.
  r->dependencyList->claimMark = '*';
  EXPECT_EQ(findDependencyDependent(r, 11, "D1"), 9);
}

TEST_F(JcSearch, FeatureAndClassTests) {
  EXPECT_EQ(hasNounFeature(r, 9), 1);   // S2
  EXPECT_EQ(hasNounFeature(r, 11), 0);  // S1 and S13 are no noun features
  r->nodes[11].sFeatures = "|S17|";
  EXPECT_EQ(hasNounFeature(r, 11), 1);
  EXPECT_EQ(hasPredicateFeature(r, 10), 1);
  r->nodes[10].abFeatures = "|A1|A19|B12|";
  EXPECT_EQ(hasPredicateFeature(r, 10), 0);
  EXPECT_EQ(isPrefix(r, 1), 0);
  r->nodes[1].pos = "13";
  EXPECT_EQ(isPrefix(r, 1), 1);
}

}  // namespace
}  // namespace jc
