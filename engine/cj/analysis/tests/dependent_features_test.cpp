#include "engine/cj/analysis/dependent_features.h"

#include <gtest/gtest.h>

#include "engine/cj/analysis/tests/rule_test_support.h"

namespace cj {
namespace {

using cjtest::buildFromNotation;

class DependentFeaturesTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(cjtest::loadWordsWith()); }
  void TearDown() override { clearWordTable(); }
};

#define DF(key) "$dependentFeatures." key

// Head: a verb phrase (node 4) over the verb (node 2) and node 3; the dependent is node 1.
struct Case {
  const char* name;
  const char* dependent;   // a word item of the notation
  const char* headFields;  // fields of the verb phrase and of the verb
  const char* expect;      // TEN ASP NEG NEG2 VOI of the phrase then of the verb, '.' for 0
  const char* dependentAfter;  // NEG NEG2 of the dependent afterwards
};

const Case kCases[] = {
    {"tense carried, upper-cased", "w 鳌 F TEN=c", "", "C.... C....", ".."},
    {"tense kept when the head has one", "w 鳌 F TEN=b", "TEN=C", "C.... C....", ".."},
    {"aspect carried", "w 鳌 F ASP=b", "ASP=C", ".B... .B...", ".."},
    {"negation moves to the head", "w 鳌 F NEG=n", "", "..N.. ..N..", ".."},
    {"second negation from m", "w 鳌 F NEG=m NEG2=x", "", "...N. ...N.", "m."},
    {"passive voice", "w 鳌 F VOI=P", "", "....P ....P", ".."},
    {"listed word gives aspect C", "w " DF("aspectCWords#2") " F", "", ".C... .C...", ".."},
    {"skipped word changes nothing", "w " DF("skipList#9") " F NEG=N TEN=B", "", "..... .....", "N."},
    {"negative word without a G word", "w " DF("negativeWord") " F NEG2=N", "", "...N. ...N.", ".."},
    {"past word sets only tense B", "w " DF("pastWord") " F NEG=N", "", "B.... B....", "N."},
};

std::string flags(const CjFeatures& f) {
  std::string out;
  for (char c : {f.TEN, f.ASP, f.NEG, f.NEG2, f.VOI}) out += c ? c : '.';
  return out;
}

TEST_F(DependentFeaturesTest, MarksCarriedToHeadAndLexicalHead) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    std::string fields = c.headFields;
    auto s = buildFromNotation(std::string(c.dependent) + ";w 鳍 V " + fields + ";w 鳎 N;p 2 3 VP " + fields);
    propagateDependentFeatures(*s, 4, 1);
    EXPECT_EQ(flags(s->nodes[4].features) + " " + flags(s->nodes[2].features), c.expect);
    std::string after;
    for (char ch : {s->nodes[1].features.NEG, s->nodes[1].features.NEG2}) after += ch ? ch : '.';
    EXPECT_EQ(after, c.dependentAfter);
  }
}

TEST_F(DependentFeaturesTest, NegationOfAWordGoesToAFollowingGWord) {
  auto s = buildFromNotation("w " DF("aspectNegativeWord") " F NEG2=N;w 鳌 G;w 鳍 V");
  propagateDependentFeatures(*s, 3, 1);
  EXPECT_EQ(s->nodes[2].features.NEG2, 'N');
  EXPECT_EQ(s->nodes[3].features.NEG2, 0);
  EXPECT_EQ(s->nodes[3].features.ASP, 'B');
  EXPECT_EQ(s->nodes[1].features.NEG2, 0);
}

TEST_F(DependentFeaturesTest, PastWordWaitsForNoEarlierTenseMark) {
  auto s = buildFromNotation("w 鳌 N TEN=C;w " DF("pastWord") " F;w 鳍 V");
  EXPECT_FALSE(noEarlierTenseMark(*s, 3));
  propagateDependentFeatures(*s, 3, 2);
  EXPECT_EQ(s->nodes[3].features.TEN, 0);
  auto t = buildFromNotation("w 鳌 N;w " DF("pastWord") " F;w 鳍 V");
  EXPECT_TRUE(noEarlierTenseMark(*t, 3));
  propagateDependentFeatures(*t, 3, 2);
  EXPECT_EQ(t->nodes[3].features.TEN, 'B');
  auto u = buildFromNotation("w " DF("tenseWords#20") " N;w 鳍 V");
  EXPECT_FALSE(noEarlierTenseMark(*u, 2));
  EXPECT_TRUE(noEarlierTenseMark(*u, 1));
}

TEST_F(DependentFeaturesTest, PhraseDependentsByTheirFirstWord) {
  auto s = buildFromNotation("w " DF("aspectPhraseWord") " X;w 鳌 N;w 鳍 V;p 1 2 DP");
  propagateDependentFeatures(*s, 3, 4);
  EXPECT_EQ(s->nodes[3].features.ASP, 'B');
  auto t = buildFromNotation("w - X;w 鳌 N;w 鳍 V;p 1 2 IP");
  t->nodes[1].CHI = cjtest::listed("dependentFeatures.negativePrepositionChar") + cjtest::engineText("鳎");
  propagateDependentFeatures(*t, 3, 4);
  EXPECT_EQ(t->nodes[3].features.NEG2, 'N');
}

#undef DF

}  // namespace
}  // namespace cj
