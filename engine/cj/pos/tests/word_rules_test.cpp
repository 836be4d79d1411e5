#include <gtest/gtest.h>

#include "engine/cj/pos/tests/pos_test_support.h"

namespace cj {
namespace {

using cjtest::build;
using cjtest::chainCats;

class WordRulesTest : public cjtest::PosTest {
 protected:
  // The categories of the chain after the word dispatcher ran on node `at`.
  std::string byWord(const std::string& notation, int at) {
    auto s = build(notation);
    if (!s) return "?";
    resolveByWord(*s, at);
    return chainCats(*s);
  }
};

TEST_F(WordRulesTest, ListedWordsGoToTheirRules) {
  struct Case {
    const char* notation;
    int at;
    const char* expected;
  } cases[] = {
      {"w {lw230} IV; w 酡 V", 1, "I V"},                     // rule 13: the first word is "I"
      {"w 酢 N; w {lw230} IV; w 酡 N", 2, "N V N"},            // no verb before or after
      {"w {lw1064} NV", 1, "N"},                              // rule 27: always "N"
      {"w {lw1105} NV", 1, "N"},                              // rule 85
      {"w {lw1082} FJ", 1, "J"},                              // rule 60
      {"w {lw1080} NV", 1, "NV"},                             // rule 58: never changes
      {"w {lw1073} NV; w 酡 N +N:M_SEM=C,S_SEM=J", 1, "V N"},  // rule 43
      {"w 酢 X; w {lw1053} IJ; w 酡 V", 2, "X J V"},           // rule 15
      {"w {lw1052} IJV; w 酡 N", 1, "I N"},                    // the class rule of "IJV", no P
      {"w 酢 N; w {lw1054} IJV; w {lw12} X", 2, "N V X"},
      {"w {lw1104} AN; w 酡 N", 1, "AN N"},                    // rule 84: left ambiguous
      {"w {lw1103} AN; w 酡酰酩 N", 1, "N N"},                // rule 83: a text longer than 4 bytes
      {"w {lw80} VGNA; w 酡 X", 1, "VGNA X"},                  // rule 82's default
      {"w {lw1090} NV; w 酡 X +X:M_SEM=H", 1, "N X"},          // rule 68
      {"w 酢 QZ", 1, "QZ"},                                   // no listed word: nothing changes
  };
  for (const Case& c : cases) {
    EXPECT_EQ(byWord(c.notation, c.at), c.expected) << c.notation;
  }
}

// Rule 87: a marked word holding lw230 anywhere before W, also inside a phrase built earlier.
TEST_F(WordRulesTest, MarkedWordBeforeLw180IsFoundInsideAPhrase) {
  // lw12 after W would otherwise give "V".
  for (const char* notation : {"w 酢 R +R:M_SEM=B; w 酡 N; p 1 2 NP; w {lw180} X; w {lw12} X; w 酩 N",
                               "w 酢 R +R:M_SEM=B; w 酡 N; w {lw180} X; w {lw12} X; w 酩 N"}) {
    auto s = build(notation);
    ASSERT_TRUE(s);
    s->nodes[1].CHI = cj::listedWords("posClass.lw230")[0] + std::string(s->nodes[1].CHI.view());
    const int w = s->nodes[3].CHI.empty() ? 4 : 3;
    resolveByWord(*s, w);
    EXPECT_EQ(s->nodes[w].CAT.view(), "F") << notation;
  }
  // A marked word after W does not count.
  auto s = build("w {lw180} X; w {lw12} X; w 酢 R +R:M_SEM=B; w 酩 N");
  ASSERT_TRUE(s);
  s->nodes[3].CHI = cj::listedWords("posClass.lw230")[0] + std::string(s->nodes[3].CHI.view());
  resolveByWord(*s, 1);
  EXPECT_EQ(s->nodes[1].CAT.view(), "V");
}

// The rules read the table loaded last: a reload that gives a word to another key moves it to that key's rule.
TEST_F(WordRulesTest, ListedWordsFollowAReload) {
  auto rule = [](const std::string& word) {
    auto s = build("w 酢 NV");
    if (!s) return std::string("?");
    s->nodes[1].CHI = word;
    resolveByWord(*s, 1);
    return chainCats(*s);
  };
  const std::string first = cj::listedWord("posClass.lw1064"), second = cj::listedWord("posClass.lw1088");
  EXPECT_EQ(rule(first), "N");    // rule 27: always "N"
  EXPECT_EQ(rule(second), "NV");  // rule 66: nothing before it, the word keeps its letters

  auto table = datagen::syntheticWordTable(datagen::wordKeyShapes(cj::registeredWordKeys()));
  std::swap(table["posClass.lw1064"], table["posClass.lw1088"]);
  ASSERT_EQ(cj::loadWordTableText(datagen::wordTableText(table)), cj::kWordTableLoaded);
  EXPECT_EQ(cj::listedWord("posClass.lw1064"), second);
  EXPECT_EQ(rule(first), "NV");
  EXPECT_EQ(rule(second), "N");

  cj::clearWordTable();
  EXPECT_EQ(rule(first), "NV");  // nothing loaded: no listed word
}

TEST_F(WordRulesTest, RulesThatWalkTheChain) {
  struct Case {
    const char* notation;
    const char* expected;
  } cases[] = {
      // Rule 4 looks at the nodes from N2 on; a chain that ends gives "V".
      {"w {lw1039} VI; w 酢 N; w 酡 N; w 酰 A", "I"},
      {"w {lw1039} VI; w 酢 N; w 酡 N; w 酰 N", "V"},
      {"w {lw1039} VI; w 酢 N; w 酡 N; w {lw177} N", "I"},
      {"w {lw1039} VI; w 酢 N", "V"},
      // Rule 7: a date word of exactly 4 bytes after W, or after a noun.
      {"w {lw1043} IV; w 酢酡 N +N:M_SEM=D", "I"},
      {"w {lw1043} IV; w 酢 N; w 酡酰 N +N:M_SEM=D", "I"},
      {"w {lw1043} IV; w 酢酡酰 N +N:M_SEM=D", "IV"},
      {"w {lw1043} IV; w 酢 N +N:M_SEM=D", "IV"},
      // Rule 8: a final punctuation word is stepped over to find the last word.
      {"w {lw1044} IJ; w {lw9} X; w {lw186} X; w 。 P", "J"},
      {"w {lw1044} IJ; w {lw9} X; w {lw186} X; w 酢 X", "I"},
      {"w {lw1044} IJ; w 酢 X; w {lw188} X", "F"},
  };
  for (const Case& c : cases) {
    auto s = build(c.notation);
    ASSERT_TRUE(s);
    resolveByWord(*s, 1);
    EXPECT_EQ(s->nodes[1].CAT.str(), c.expected) << c.notation;
  }
}

TEST_F(WordRulesTest, RulesThatSettleNeighbours) {
  // Rule 47: P with "U" and N = lw141 are settled with the word.
  EXPECT_EQ(byWord("w 酢 UA; w {lw157} NS; w {lw141} NV", 2), "U S N");
  EXPECT_EQ(byWord("w {lw53} R; w {lw157} NS; w {lw142} NV", 2), "R S N");
  EXPECT_EQ(byWord("w 酢 S; w {lw157} NS; w 酡 N", 2), "S N N");
  // Rule 73: after lw156, or after lw157 when the word has no "V", P becomes "S".
  EXPECT_EQ(byWord("w {lw156} X; w {lw141} NV", 2), "S N");
  EXPECT_EQ(byWord("w {lw157} NS; w {lw141} NU", 2), "S N");
  EXPECT_EQ(byWord("w {lw157} NS; w {lw141} NV", 2), "NS V");
  // Rule 38 settles the next word through its class rule first ("VAG" at the end: "A").
  EXPECT_EQ(byWord("w 酢 X; w {lw90} FI; w 酡 VAG", 2), "X I A");
  EXPECT_EQ(byWord("w 酢 X; w {lw90} FI; w 酡 VAG; w 酰 N; w 酩 V", 2), "X I G N V");
  EXPECT_EQ(byWord("w 酢 X; w {lw90} FI; w 酡 VG; w 。 P", 2), "X F V P");
}

}  // namespace
}  // namespace cj
