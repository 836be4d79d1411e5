#include <gtest/gtest.h>

#include "engine/cj/analysis/tests/cj_dictionary_fixture.h"
#include "engine/cj/pos/tests/pos_test_support.h"

namespace cj {
namespace {

using cjtest::build;
using cjtest::chainCats;

class NounOrVerbRuleTest : public cjtest::PosTest {
 protected:
  // The result for node `at` and the chain after the rule (the rule may settle a neighbour).
  std::string run(const std::string& notation, int at) {
    auto s = build(notation);
    if (!s) return "?";
    std::string result = resolveClassNV(*s, at);
    return result + " | " + chainCats(*s);
  }
};

TEST_F(NounOrVerbRuleTest, StepsInOrder) {
  struct Case {
    const char* notation;
    int at;
    const char* expected;
  } cases[] = {
      {"w 酢 NV", 1, "NV | NV"},                                 // nothing decides: keep
      {"w 酢 NV +V:C_VAL=0", 1, "V | NV"},                       // no verb before, code 0
      {"w {lw218} X; w 酢 NV", 2, "V | X NV"},                   // lw218 in the slot before
      {"w 酢 A; w 酡 NV", 2, "N | A NV"},                        // after an adjective
      {"w 酢 NV; w 酡 NV +N:PROP=W", 1, "N | NV N"},             // PROP W after: both nouns
      {"w {lw1013} X; w 酢 NV", 2, "N | R NV"},                  // lw1013 before becomes "R"
      {"w {lw90} X; w 酢 NV; w 。 P", 2, "V | F NV P"},          // lw90 before, clause end after
      {"w 酩 N; w 酢 NV", 2, "V | N NV"},                        // one character after a noun
      {"w 酩 R; w 酢 NV", 2, "V | R NV"},                        // after a lone pronoun: its verb
      {"w {lw1135} R; w 酢 NV", 2, "N | R NV"},                  // after a demonstrative: a noun
      {"w {lw1024} R; w 酢 NV", 2, "N | R NV"},
      {"w 酩酰 N; w 酢酡 NV; w 酯 X", 2, "NV | N NV X"},          // two characters: no step holds
      {"w 酩 V; w 酢 NV; w 酡 X", 2, "N | V NV X"},              // after a settled verb
      {"w 酩 V +V:C_VAL=0; w 酢 NV; w 酡 X", 2, "V | V NV X"},   // after an intransitive verb
      {"w {lw123} NV; w 酡 G", 1, "N | NV G"},
      {"w {lw123} NV; w 酡 X", 1, "V | NV X"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(run(c.notation, c.at), c.expected) << c.notation;
  }
}

const std::vector<cjtest::DicWord> kWords = {{"的", "U\\U[U]"}};

class NounOrVerbContinuationTest : public cjtest::EngineFixture {};

// The first step asks the verb-continuation frames about the nouns after the word.
TEST_F(NounOrVerbContinuationTest, FramesOfTheWordDecideFirst) {
  ASSERT_TRUE(start({kWords, {}, {}, {{"看", "*", "N[H]", "", "", 0, 0}, {"读", "!杂志", "N", "", "", 0, 0}}}));
  struct Case {
    const char* notation;
    int at;
    const char* expected;
  } cases[] = {
      // A frame of the first kind fits; the search goes on past other words. Without the fit, the
      // adjective before the word makes it a noun.
      {"w 酢 A; w 看 NV; w 书 N +N:M_SEM=H", 2, "V"},
      {"w 酢 A; w 看 NV; w 酡 X; w 书 N +N:M_SEM=H", 2, "V"},
      {"w 酢 A; w 看 NV; w 书 N +N:M_SEM=X", 2, "N"},
      // Second kind right after the word: a noun unless lw9 follows.
      {"w 读 NV; w 杂志 N", 1, "N"},
      {"w 读 NV; w 杂志 N; w 酢 X", 1, "N"},
      {"w 读 NV; w 杂志 N; w {lw9} X", 1, "V"},
  };
  for (const Case& c : cases) {
    auto s = build(c.notation);
    ASSERT_TRUE(s);
    EXPECT_STREQ(resolveClassNV(*s, c.at), c.expected) << c.notation;
  }
}

}  // namespace
}  // namespace cj
