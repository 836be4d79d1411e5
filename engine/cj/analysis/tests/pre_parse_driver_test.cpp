#include <gtest/gtest.h>

#include "engine/cj/stages/parse_stages.h"
#include "engine/cj/analysis/pre_parse.h"
#include "engine/cj/analysis/tests/cj_dictionary_fixture.h"
#include "engine/cj/analysis/tests/rule_test_support.h"

namespace cj {
namespace {

using cjtest::buildFromNotation;
using cjtest::shape;

class PreParseDriverTest : public cjtest::EngineFixture {
 protected:
  void SetUp() override { ASSERT_TRUE(start({{{"的", "N\\"}}, {}, {}, {}, false})); }
};

TEST_F(PreParseDriverTest, PassesRunInOrder) {
  // A reduplication, a numeral word tagged by its U neighbour and then grouped with it, a noun
  // with its suffix, and a word whose candidates the part-of-speech pass settles.
  auto s = buildFromNotation(
      "w 鳌 N;w 鳌 N;w 鳍 V;w $preParse.numeralListA N;w 鳎 U;w 鳏 N;w $wordCombination.nounSuffix1 N;"
      "w 鳐 NV");
  ASSERT_TRUE(s);
  s->firstTop = 4;
  preParse(*s);
  EXPECT_EQ(shape(*s), "[N 1 2] 3 [UG 4 5] [N 6 7] 8");
  EXPECT_EQ(s->nodes[4].CAT, "U");
  EXPECT_FALSE(s->sentenceType.empty());
  EXPECT_EQ(s->nodes[8].CAT.size(), 1u);
}

// A dropped first word leaves the chain's real first node in the header.
TEST_F(PreParseDriverTest, DroppedFirstWordKeepsTheFinalMark) {
  auto s = buildFromNotation("w $sentenceEnd.dropWords#2 X;w $sentenceEnd.A P");
  ASSERT_TRUE(s);
  preParse(*s);
  EXPECT_EQ(s->firstTop, 2);
  EXPECT_EQ(shape(*s), "2");
}

}  // namespace
}  // namespace cj
