#include "engine/cj/analysis/reduplication.h"

#include <gtest/gtest.h>

#include "engine/cj/analysis/node_text.h"
#include "engine/cj/analysis/tests/cj_dictionary_fixture.h"
#include "engine/cj/analysis/tests/rule_test_support.h"

namespace cj {
namespace {

using cjtest::buildFromNotation;
using cjtest::engineText;
using cjtest::listed;
using cjtest::shape;

class ReduplicationTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(cjtest::loadWordsWith()); }
  void TearDown() override { clearWordTable(); }
};

struct PatternCase {
  const char* name;
  void (*pass)(CjSentence&);
  const char* notation;
  const char* shape;  // top-level chain after the pass
  const char* repf;   // REPF of the last node built; "" when nothing is built
  int rule;
  const char* cat;
  int head;
  const char* cval;  // C_VAL of the new node (word 1 carries C_VAL 7 where it matters)
};

#define R(key) "$reduplication." key
// 鳌 鳍 鳎 鳏 are characters of no list.
const PatternCase kPatterns[] = {
    {"AABB a1: A, AB, B", mergeAABB, "w 鳌 V;w 鳌鳍 V;w 鳍 V;w 鳎 N", "[V 1 2 3] 4", "AABB", 4, "V", 1, ""},
    {"AABB a1 needs A, V or F on the pair", mergeAABB, "w 鳌 V;w 鳌鳍 N;w 鳍 V", "1 2 3", "", 0, "", 0, ""},
    {"AABB a2: A, A, BB", mergeAABB, "w 鳌 A;w 鳌 A;w 鳍鳍 A", "[A 1 2 3]", "AABB", 4, "A", 1, ""},
    {"AABB a3: A, A, B, B", mergeAABB, "w 鳌 F C_VAL=7;w 鳌 F;w 鳍 F;w 鳍 F", "[F 1 2 3 4]", "AABB", 4, "F", 1, "7"},
    {"AABB a4: A, A, B, BC", mergeAABB, "w 鳌 V;w 鳌 V;w 鳍 V;w 鳍鳎 V", "[V 1 2 3] 4", "AABB", 4, "V", 1, ""},
    {"AABB: w1 not Chinese", mergeAABB, "w \\x41 V;w \\x41 V;w 鳍 V;w 鳍 V", "1 2 3 4", "", 0, "", 0, ""},
    {"AABB: the node right after a new node is not tried", mergeAABB,
     "w 鳌 V;w 鳌 V;w 鳍 V;w 鳍 V;w 鳎 V;w 鳎 V;w 鳏 V;w 鳏 V", "[V 1 2 3 4] 5 6 7 8", "AABB", 4, "V", 1, ""},
    {"AAB", mergeAAB, "w 鳌 A C_VAL=7;w 鳌鳍 A", "[A 1 2]", "AAB", 2, "A", 1, "7"},
    {"AAB needs a shared category", mergeAAB, "w 鳌 A;w 鳌鳍 V", "1 2", "", 0, "", 0, ""},
    {"ABB a1: Y, BB", mergeABB, "w " R("Y") " F;w 鳌鳌 S", "[S 1 2]", "ABB", 5, "S", 1, ""},
    {"ABB a2: Y, B, B", mergeABB, "w " R("Y") " F;w 鳌 N;w 鳌 N", "[S 1 2 3]", "ABB", 5, "S", 1, ""},
    {"ABB a2: Y, B, B differing", mergeABB, "w " R("Y") " F;w 鳌 N;w 鳍 N", "1 2 3", "", 0, "", 0, ""},
    {"ABB: w2 holding an excluded character", mergeABB, "w " R("Y") " F;w " R("E#3") " S;w " R("E#3") " S",
     "1 2 3", "", 0, "", 0, ""},
    {"AAA a1: A, AA, S1", mergeAAA, "w 鳌 V;w 鳌鳌 V;w " R("S1") " X", "[F 1 2 3]", "AAA", 14, "F", 1, ""},
    {"AAA a2: A, A, A, S2", mergeAAA, "w 鳌 V;w 鳌 V;w 鳌 V;w " R("S2") " X", "[A 1 2 3 4]", "AAA", 14, "A", 1, ""},
    {"AAA b: AA, A without suffix, H", mergeAAA, "w 鳌鳌 H;w 鳌 H;w 鳍 N", "[H 1 2] 3", "AAA", 14, "H", 1, ""},
    {"AAA without suffix or H", mergeAAA, "w 鳌 V;w 鳌鳌 V", "[ 1 2]", "AAA", 14, "", 1, ""},
    {"AAA: w1 a numeral", mergeAAA, "w 鳌 U;w 鳌鳌 U", "1 2", "", 0, "", 0, ""},
    {"AA with S1", mergeAA, "w 鳌 V;w 鳌 V;w " R("S1") " X", "[F 1 2 3]", "AA", 1, "F", 1, ""},
    {"AA before an S2 word", mergeAA, "w 鳌 V;w 鳌 V;w " R("S2") " X", "[NA 1 2] 3", "AA", 1, "NA", 1, ""},
    {"AA adjective", mergeAA, "w 鳌 A C_VAL=7;w 鳌 A", "[AN 1 2]", "AA", 1, "AN", 1, "7"},
    {"AA noun", mergeAA, "w 鳌 N;w 鳌 N;w 鳍 V", "[N 1 2] 3", "AA", 1, "N", 1, ""},
    {"AA other", mergeAA, "w 鳌 X;w 鳌 X", "[ 1 2]", "AA", 1, "", 1, ""},
    {"AA: w1 with R", mergeAA, "w 鳌 R;w 鳌 R", "1 2", "", 0, "", 0, ""},
    {"ALYA with Y", mergeALYA, "w 鳌 V C_VAL=7;w " R("L") " X;w " R("Y") " X;w 鳌 V", "[V 1 2 3 4]", "ALYA", 8, "V",
     1, "0"},
    {"ALYA with T", mergeALYA, "w 鳌 V;w " R("L") " X;w " R("T") " X;w 鳌 V", "[V 1 2 3 4]", "ALYA", 8, "V", 1, "0"},
    {"ALYA: w4 differs", mergeALYA, "w 鳌 V;w " R("L") " X;w " R("T") " X;w 鳍 V", "1 2 3 4", "", 0, "", 0, ""},
    {"ZAYA", mergeZAYA, "w " R("Z1") " X;w 鳌 V;w " R("Z2") " X;w 鳌 V", "[V 1 2 3 4]", "ZAYA", 9, "V", 1, "0"},
    {"QAHA", mergeZAYA, "w " R("Q1") " X;w 鳌 V;w " R("Q2") " X;w 鳌 V", "[V 1 2 3 4]", "QAHA", 9, "V", 1, "0"},
    {"DAXA", mergeZAYA, "w " R("D1") " X;w 鳌 V;w " R("D2") " X;w 鳌 V", "[V 1 2 3 4]", "DAXA", 9, "V", 1, "0"},
    {"AABA", mergeZAYA, "w " R("A1") " X;w 鳌 V;w " R("B") " X;w 鳌 V", "[V 1 2 3 4]", "AABA", 18, "V", 1, "0"},
    {"ZAYA needs a verb", mergeZAYA, "w " R("Z1") " X;w 鳌 N;w " R("Z2") " X;w 鳌 N", "1 2 3 4", "", 0, "", 0, ""},
    {"ALAQ a: A, J, A, K", mergeALAQ, "w 鳌 V;w " R("J") " X;w 鳌 V;w " R("K") " X", "[V 1 2 3 4]", "ALAQ", 11, "V", 1,
     "0"},
    {"ALAQ a: A, W1, A, W2", mergeALAQ, "w 鳌 V;w " R("W1") " X;w 鳌 V;w " R("W2") " X;w 鳍 N", "[V 1 2 3 4] 5",
     "ALAQ", 11, "V", 1, "0"},
    {"ALAQ a without K ends the cases", mergeALAQ, "w 鳌 V;w " R("J") " X;w 鳌 V;w 鳍 X", "1 2 3 4", "", 0, "", 0,
     ""},
    {"AQBL over an earlier verb node", mergeAQBL,
     "w 鳌 V;w 鳍 V;w " R("P") " X;w 鳎鳏 N;w " R("J") " X;p 1 2 V C_VAL=7", "[V [V 1 2] 3 4 5]", "AQBL", 12, "V", 6,
     "0"},
    {"YAYA a", mergeYAYA, "w " R("Y") " X;w 鳌 S C_VAL=7;w " R("Y") " X;w 鳍 S;w " R("S1") " X", "[F 1 2 3 4 5]",
     "YAYA", 21, "F", 1, "0"},
    {"YAYA ends at a non-Chinese word", mergeYAYA,
     "w \\x41 X;w " R("Y") " X;w 鳌 S;w " R("Y") " X;w 鳍 S;w " R("S1") " X", "1 2 3 4 5 6", "", 0, "", 0, ""},
    {"YAYB a", mergeYAYB, "w " R("Y") " X;w 鳌 S;w " R("Y") " X;w 鳍 S", "[F 1 2 3 4]", "YAYB", 19, "F", 4, "0"},
    {"YAYB b with R1 and T", mergeYAYB, "w " R("R1") " X;w 鳌 A;w " R("T") " X;w 鳍鳎 A", "[A 1 2 3 4]", "YAYB", 17,
     "A", 2, "0"},
    {"YAYB b with B and B", mergeYAYB, "w " R("B") " X;w 鳌 V;w " R("B") " X;w 鳍 V", "[V 1 2 3 4]", "YAYB", 17, "V",
     2, "0"},
    {"YAYB b without a shared category", mergeYAYB, "w " R("B") " X;w 鳌 V;w " R("B") " X;w 鳍 A", "1 2 3 4", "", 0,
     "", 0, ""},
    {"ALAB", mergeALAB, "w 鳌 V C_VAL=7;w " R("L") " X;w 鳌鳍 V", "[V 1 2 3]", "ALAB", 6, "V", 1, "0"},
    {"AYAB", mergeALAB, "w 鳌 V C_VAL=7;w " R("Y") " X;w 鳌鳍 V", "[ 1 2 3]", "AYAB", 6, "", 1, "0"},
    {"ABAB", mergeALAB, "w 鳌 A C_VAL=7;w " R("B") " X;w 鳌鳍 A", "[ 1 2 3]", "ABAB", 7, "", 1, "7"},
    {"ALA a", mergeALA, "w 鳌 G C_VAL=7;w " R("L") " X;w 鳌 G", "[V 1 2 3]", "ALA", 3, "V", 1, "7"},
    {"ABA a", mergeALA, "w 鳌 V;w " R("B") " X;w 鳌 V", "[V 1 2 3]", "ABA", 7, "V", 1, ""},
    {"ALA a with another middle word", mergeALA, "w 鳌 V;w 鳍 X;w 鳌 V", "1 2 3", "", 0, "", 0, ""},
};
#undef R

TEST_F(ReduplicationTest, EachPatternMergesItsShape) {
  for (const PatternCase& c : kPatterns) {
    SCOPED_TRACE(c.name);
    std::string notation = c.notation;
    auto s = buildFromNotation(notation);
    ASSERT_TRUE(s);
    const int before = s->nodeCount;
    s->nodes[1].REPF = "XX";
    c.pass(*s);
    EXPECT_EQ(shape(*s), c.shape);
    if (!*c.repf) {
      EXPECT_EQ(s->nodeCount, before);
      continue;
    }
    ASSERT_GT(s->nodeCount, before);
    const CjNode& n = s->nodes[s->nodeCount];
    EXPECT_EQ(n.structureClass, '3');
    EXPECT_EQ(n.REPF, c.repf);
    EXPECT_EQ(n.ruleNumber, c.rule);
    EXPECT_EQ(n.CAT, c.cat);
    EXPECT_EQ(n.headChild, c.head);
    EXPECT_EQ(n.features.C_VAL, c.cval);
    EXPECT_TRUE(n.CHI.empty());
  }
}

// Cases whose words are made of a listed character and another one.
TEST_F(ReduplicationTest, PatternsOverJoinedCharacters) {
  const std::string a = engineText("鳌"), b = engineText("鳍");
  const std::string y = listed("reduplication.Y"), s1 = listed("reduplication.S1"), s2 = listed("reduplication.S2");
  const std::string l = listed("reduplication.L"), j = listed("reduplication.J"), k = listed("reduplication.K");
  const std::string bInfix = listed("reduplication.B");
  struct Case {
    const char* name;
    void (*pass)(CjSentence&);
    std::vector<std::pair<std::string, const char*>> words;  // text, CAT
    const char* shape;
    const char* repf;
    int rule;
    const char* cat;
    int head;
  } cases[] = {
      {"AABB: doubled pair completed before a suffix", mergeAABB, {{a, "V"}, {a + b, "V"}, {b + s1, "X"}},
       "[V 1 2 3]", "AABB", 4, "V", 1},
      {"AABB: third word not ending in a suffix", mergeAABB, {{a, "V"}, {a + b, "V"}, {b + a, "X"}}, "1 2 3", "", 0,
       "", 0},
      {"ABB a2: Y, B, B+S2", mergeABB, {{y, "F"}, {b, "N"}, {b + s2, "X"}}, "[F 1 2 3]", "ABB", 5, "F", 1},
      {"ABB b1: YB, B", mergeABB, {{y + b, "X"}, {b, "N"}}, "[S 1 2]", "ABB", 5, "S", 2},
      {"ABB b2: YB, B+S1", mergeABB, {{y + b, "X"}, {b + s1, "X"}}, "[F 1 2]", "ABB", 5, "F", 2},
      {"AA: w3 beginning with S2", mergeAA, {{a, "V"}, {a, "V"}, {s2 + b, "X"}}, "[NA 1 2] 3", "AA", 1, "NA", 1},
      {"ALAQ b: AJ, A, K", mergeALAQ, {{a + j, "V"}, {a, "V"}, {k, "X"}, {b, "X"}}, "[V 1 2 3] 4", "ALAQ", 11, "V", 1},
      {"ALAQ c: A, J, AK", mergeALAQ, {{a, "V"}, {j, "V"}, {a + k, "X"}, {b, "X"}}, "[V 1 2 3] 4", "ALAQ", 11, "V", 1},
      {"ALAQ d: AJ, AK", mergeALAQ, {{a + j, "V"}, {a + k, "V"}, {b, "X"}, {b, "X"}}, "[V 1 2] 3 4", "ALAQ", 11, "V",
       1},
      {"YAYA b: Y, A, Y, A+S1", mergeYAYA, {{y, "X"}, {a, "N"}, {y, "X"}, {a + s1, "X"}}, "[F 1 2 3 4]", "YAYA", 21,
       "F", 1},
      {"ALA b: A, LA", mergeALA, {{a, "V"}, {l + a, "X"}, {b, "X"}}, "[V 1 2] 3", "ALA", 3, "V", 1},
      {"ABA c: AB, A", mergeALA, {{a + bInfix, "X"}, {a, "A"}, {b, "X"}}, "[V 1 2] 3", "ABA", 33, "V", 2},
      {"ALA c: AL, A", mergeALA, {{a + l, "X"}, {a, "V"}, {b, "X"}}, "[V 1 2] 3", "ALA", 34, "V", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string notation;
    for (std::size_t i = 0; i < c.words.size(); ++i) notation += std::string(i ? ";" : "") + "w - " + c.words[i].second;
    auto s = buildFromNotation(notation);
    for (std::size_t i = 0; i < c.words.size(); ++i) s->nodes[i + 1].CHI = c.words[i].first;
    const int before = s->nodeCount;
    c.pass(*s);
    EXPECT_EQ(shape(*s), c.shape);
    if (!*c.repf) {
      EXPECT_EQ(s->nodeCount, before);
      continue;
    }
    const CjNode& n = s->nodes[s->nodeCount];
    EXPECT_EQ(n.REPF, c.repf);
    EXPECT_EQ(n.ruleNumber, c.rule);
    EXPECT_EQ(n.CAT, c.cat);
    EXPECT_EQ(n.headChild, c.head);
  }
}

TEST_F(ReduplicationTest, ShortChainsBuildNothing) {
  void (*passes[])(CjSentence&) = {mergeAAB, mergeABB, mergeAAA, mergeAA, mergeALYA, mergeZAYA, mergeALAQ,
                                   mergeAQBL, mergeYAYA, mergeYAYB, mergeALAB, mergeALA};
  for (auto pass : passes) {
    auto s = buildFromNotation("w 鳌 V");
    pass(*s);
    EXPECT_EQ(s->nodeCount, 1);
  }
  auto s = buildFromNotation("w 鳌 V;w 鳌 V");  // AA needs two, AABB three
  mergeAABB(*s);
  EXPECT_EQ(shape(*s), "1 2");
}

TEST_F(ReduplicationTest, FullWorkAreaEndsThePass) {
  auto s = cjtest::fullSentence("w 鳌 V;w 鳌 V;w 鳍 V;w 鳍 V");
  const int count = s->nodeCount;
  testing::internal::CaptureStderr();
  mergeAABB(*s);
  mergeAA(*s);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(s->nodeCount, count);
  EXPECT_EQ(s->nodes[1].next, 2);
}

// Patterns that ask the word dictionary.
class ReduplicationDictionaryTest : public cjtest::EngineFixture {};

TEST_F(ReduplicationDictionaryTest, DictionaryBackedPatterns) {
  cjtest::EngineSetup setup;
  setup.words = {{"的", "X\\U[X]"}, {"鳌鳎", "V\\U[V]"}, {"鳌鳏", "N\\U[N]"}, {"鳌鳍", "N\\U[N]"}};
  setup.lists = {{"reduplication.L", {"鳐"}}, {"reduplication.Y", {"鳓"}}, {"reduplication.X1", {"鳔"}}};
  ASSERT_TRUE(start(setup));
  struct Case {
    const char* name;
    void (*pass)(CjSentence&);
    const char* notation;
    const char* shape;
    const char* repf;
  } cases[] = {
      {"ALB a: A, L, Y, B makes the verb AB", mergeALB, "w 鳌 V;w 鳐 X;w 鳓 X;w 鳎 X", "[V 1 2 3 4]", "ALB"},
      {"ALB b: A, L, B makes the verb AB", mergeALB, "w 鳌 V;w 鳐 X;w 鳎 X;w 鳍 X", "[V 1 2 3] 4", "ALB"},
      {"ALB: AB is a noun", mergeALB, "w 鳌 V;w 鳐 X;w 鳏 X", "1 2 3", ""},
      {"ALB: AB is no word", mergeALB, "w 鳌 V;w 鳐 X;w 鳕 X", "1 2 3", ""},
      {"ALB: w1 excluded", mergeALB, "w 鳔 V;w 鳐 X;w 鳎 X", "1 2 3", ""},
      {"AABB b1: AA, BB of a dictionary word AB", mergeAABB, "w 鳌鳌 V;w 鳍鳍 V;w 鳎 V", "[V 1 2] 3", "AABB"},
      {"AABB b1: BB of another category than w3", mergeAABB, "w 鳌鳌 V;w 鳍鳍 V;w 鳎 N", "1 2 3", ""},
      {"AABB b1: noun pair", mergeAABB, "w 鳌鳌 N;w 鳍鳍 N;w 鳎 N", "[N 1 2] 3", "AABB"},
      {"AABB b2: AA, B, BC", mergeAABB, "w 鳐鳐 V;w 鳍 V;w 鳍鳎 V", "[V 1 2 3]", "AABB"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto s = buildFromNotation(c.notation);
    const int before = s->nodeCount;
    c.pass(*s);
    EXPECT_EQ(shape(*s), c.shape);
    if (*c.repf) {
      EXPECT_EQ(s->nodes[s->nodeCount].REPF, c.repf);
    } else {
      EXPECT_EQ(s->nodeCount, before);
    }
  }
}

}  // namespace
}  // namespace cj

namespace cj {
namespace {

// Text searches of the patterns match whole characters only.
TEST(NodeTextTest, ContainsTextAtCharacterBoundaries) {
  const std::string two = cjtest::engineText("鳌鳍");
  const std::string straddling = two.substr(1, 2);  // trail byte of one, lead byte of the next
  EXPECT_TRUE(containsText(two, two.substr(2)));
  EXPECT_TRUE(containsText(two, two.substr(0, 2)));
  EXPECT_FALSE(containsText(two, straddling));
  EXPECT_FALSE(containsText(two, ""));
  EXPECT_TRUE(containsText("ab" + two, two.substr(2)));
}

}  // namespace
}  // namespace cj
