#include "engine/cj/analysis/role_assignment.h"
#include "engine/cj/analysis/tests/cj_test_engine.h"

#include <gtest/gtest.h>

#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/analysis/tests/rule_test_support.h"

namespace cj {
namespace {

using cjtest::buildFromNotation;
using cjtest::dumpRoleLinks;

#define RA(key) "$roleAssignment." key

class RoleAssignment : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(cjtest::loadWordsWith());
    cjtest::engine().engineStatus = 0;
  }
  void TearDown() override { clearWordTable(); }
};

struct RoleCase {
  const char* notation;
  const char* links;
};

TEST_F(RoleAssignment, WholeSentences) {
  const RoleCase cases[] = {
      // Subject, object and the final mark on the governor, in the fixed order.
      {"w 鳌 N; w 鳔 V; w 鳍 N; w 。 P", "2>1:SUB 2>3:OBJ1 2>4:PUNC"},
      // One predicate and its final mark: exactly one link.
      {"w 鳔 V; w 。 P", "1>2:PUNC"},
      // The nearer nominal is the subject, the farther the topic.
      {"w 鳌 N; w 鳍 N; w 鳔 V", "3>1:TOP 3>2:SUB"},
      // Objects: a double-object verb takes OBJ2 next, another verb OBJ1 again.
      {"w 鳔 V +V:C_VAL=2; w 鳌 N; w 鳍 N", "1>2:OBJ1 1>3:OBJ2"},
      {"w 鳔 V +V:C_VAL=1; w 鳌 N; w 鳍 N", "1>2:OBJ1 1>3:OBJ1"},
      // After a mid-sentence mark everything is HT, the last node PUNC of the governor.
      {"w 鳔 V +V:C_VAL=0; w ， P; w 鳌 N; w 鳍 X; w 。 P", "1>3:HT 1>4:HT 1>5:PUNC"},
      // The listed final complement is linked to the governor before the clause roles.
      {"w 鳌 N; w 鳔 V +V:C_VAL=0; w " RA("finalComplement") " X; w 。 P", "2>1:SUB 2>3:COMP 2>4:PUNC"},
      // A skipped final word moves the complement test one node back.
      {"w 鳔 V +V:C_VAL=0; w " RA("finalComplement") " X; w " RA("finalSkipWords#3") " X",
       "1>2:COMP 1>3:HT"},
      // Nominal adverbs and listed logic words go to the following nominal.
      {"w " RA("nominalAdverbs#4") " X; w 鳌 N; w 鳔 V", "2>1:ADVN 3>2:SUB"},
      {"w " RA("logicWords#2") " X; w 鳍 F; w 鳌 N; w 鳔 V", "3>1:LOG 4>2:ADVN 4>3:SUB"},
      // A conjunctive adverb with no predicate after it goes to its next node.
      {"w 鳍 F; w 鳌 N; w 。 P", "2>1:ADVN"},
      {"w 鳍 J +J:M_SEM=B; w 鳌 N", "2>1:LOG"},
  };
  for (const RoleCase& c : cases) {
    auto s = buildFromNotation(c.notation);
    assignRoles(*s);
    EXPECT_EQ(dumpRoleLinks(*s), c.links) << c.notation;
  }
}

TEST_F(RoleAssignment, ArgumentCountIsTheNumberOfPredicates) {
  auto s = buildFromNotation("w 鳌 N; w 鳔 V; w 鳍 N mark=C; w 鳓 A");
  assignRoles(*s);
  int list[kMaxCollectedPredicates + 1];
  EXPECT_EQ(s->argCount, 3);
  s->argCount = 0;
  ASSERT_EQ(collectPredicates(*s, list), 3);
  EXPECT_EQ(s->argCount, 3);
  EXPECT_EQ(list[0], 2);
  EXPECT_EQ(list[1], 3);
  EXPECT_EQ(list[2], 4);
  EXPECT_EQ(list[3], 0);
}

TEST_F(RoleAssignment, MoreThanSixPredicatesGetOnlyTheSentenceWidePasses) {
  std::string notation = "w " RA("nominalAdverbs#0") " X; w 鳌 N";
  for (int i = 0; i < 7; ++i) notation += "; w 鳔 V; w 鳍 N";
  auto s = buildFromNotation(notation);
  assignRoles(*s);
  EXPECT_EQ(s->argCount, 7);
  EXPECT_EQ(dumpRoleLinks(*s), "2>1:ADVN");
}

// One node before a verb (node 2, no object valency); the label the left roles give it.
TEST_F(RoleAssignment, LeftRolesByCategory) {
  const RoleCase cases[] = {
      {"w 鳌 N", "2>1:SUB"},
      {"w 鳌 R +R:M_SEM=C", "2>1:SUB"},
      {"w 鳌 N +N:M_SEM=I", "2>1:ADVF"},
      {"w 鳌 Ntl", "2>1:SUB"},  // a word with N among its letters is a nominal
      {"w 鳌 UP", "2>1:ADVN"},
      {"w 鳌 F", "2>1:ADVN"},
      {"w 鳌 F +F:CONJ=B", "2>1:LOG"},
      {"w 鳌 H", "2>1:ADVN"},
      {"w 鳌 Y", "2>1:ADVF"},
      {"w 鳌 AS", "2>1:ADVN"},  // a word passes the adjective test first
      {"w 鳌 G", "2>1:G"},
      {"w 鳌 A", "2>1:ADVN"},
      {"w 鳌 E", ""},
  };
  for (const RoleCase& c : cases) {
    auto s = buildFromNotation(std::string(c.notation) + "; w 鳔 V +V:C_VAL=0");
    assignLeftRoles(*s, 2, 0);
    EXPECT_EQ(dumpRoleLinks(*s), c.links) << c.notation;
  }
}

TEST_F(RoleAssignment, AdverbialAdjectiveBecomesAnAdverb) {
  auto s = buildFromNotation("w 鳌 A; w 鳔 V");
  assignLeftRoles(*s, 2, 0);
  EXPECT_EQ(s->nodes[1].CAT.view(), "F");
  // Before a listed head the adjective is the subject instead.
  auto t = buildFromNotation("w 鳌 A; w " RA("adjectiveSubjectHeads#1") " V");
  assignLeftRoles(*t, 2, 0);
  EXPECT_EQ(dumpRoleLinks(*t), "2>1:SUB");
  EXPECT_EQ(t->nodes[1].CAT.view(), "A");
}

TEST_F(RoleAssignment, PassivePrepositionMarksTheVoice) {
  auto s = buildFromNotation("w " RA("passivePrepositions#2") " X; w 鳌 N; w 鳔 V; p 1 2 IP");
  assignLeftRoles(*s, 3, 0);
  EXPECT_EQ(dumpRoleLinks(*s), "3>4:ADVF");
  EXPECT_EQ(s->nodes[3].features.VOI, 'P');
  auto t = buildFromNotation("w " RA("plainPrepositions#2") " X; w 鳌 N; w 鳔 V; p 1 2 IP");
  assignLeftRoles(*t, 3, 0);
  EXPECT_EQ(dumpRoleLinks(*t), "3>4:ADVF");
  EXPECT_EQ(t->nodes[3].features.VOI, 0);
}

TEST_F(RoleAssignment, NegationMovesToThePredicate) {
  auto s = buildFromNotation("w 鳍 F NEG=N; w 鳔 V; p 2 2 VP");
  assignLeftRoles(*s, 3, 0);
  EXPECT_EQ(dumpRoleLinks(*s), "3>1:ADVN");
  EXPECT_EQ(s->nodes[1].features.NEG, 0);
  EXPECT_EQ(s->nodes[3].features.NEG, 'N');
  EXPECT_EQ(s->nodes[2].features.NEG, 'N');
}

TEST_F(RoleAssignment, GWordTakesTheNegationBeforeIt) {
  auto s = buildFromNotation("w 鳍 Z NEG=m; w 鳌 G; w 鳔 V");
  assignLeftRoles(*s, 3, 0);
  EXPECT_EQ(dumpRoleLinks(*s), "3>2:G");
  EXPECT_EQ(s->nodes[1].features.NEG, 0);
  EXPECT_EQ(s->nodes[2].features.NEG2, 'N');
}

TEST_F(RoleAssignment, LeftAdverbialsStopAtAVerb) {
  auto s = buildFromNotation("w 鳍 F; w 鳕 V; w 鳎 F; w " RA("plainPrepositions#0") " X; w 鳌 N; w 鳔 V; p 4 5 IP");
  assignLeftAdverbials(*s, 6, 0);
  EXPECT_EQ(dumpRoleLinks(*s), "6>3:ADVN 6>7:OBJ2");
  EXPECT_FALSE(isAttached(*s, 1));
}

// Nodes after a verb; each row gives the verb's senses, what follows it and the links.
TEST_F(RoleAssignment, RightRolesByForm) {
  const RoleCase cases[] = {
      // No-object form.
      {"w 鳔 V +V:C_VAL=0; w 鳌 N", "1>2:HT"},
      {"w 鳔 V +V:C_VAL=0; w 鳌 N +N:M_SEM=I", "1>2:COMP"},
      {"w 鳔 V +V:C_VAL=0; w 鳌 Ntp", "1>2:COMP"},
      {"w 鳔 V +V:C_VAL=0X; w 鳌 A; w 鳍 A", "1>2:COMP 1>3:HT"},
      {"w 鳔 V +V:C_VAL=0; w 鳌 E; w 鳍 Z", "1>3:HT"},
      {"w 鳔 V +V:C_VAL=0; w " RA("complementWord") " X", "1>2:COMP"},
      // Object form.
      {"w 鳔 V; w 鳌 UP", "1>2:COMP"},
      {"w 鳔 V +V:C_VAL=L; w 鳌 UP; w 鳍 C", "1>2:OBJ1 1>3:NUM"},
      {"w 鳔 V; w 鳌 U", "1>2:NUM"},
      {"w 鳔 V +V:C_VAL=L; w 鳌 U", "1>2:OBJ1"},
      {"w 鳔 V; w 鳌 LP", "1>2:COMP"},
      {"w 鳔 V; w 鳌 Z", "1>2:OBJ1"},
      {"w 鳔 V; w 鳌 N; w 鳍 Z", "1>2:OBJ1 1>3:HT"},
  };
  for (const RoleCase& c : cases) {
    auto s = buildFromNotation(c.notation);
    s->govNode = 1;
    assignRightRoles(*s, 1, 0);
    EXPECT_EQ(dumpRoleLinks(*s), c.links) << c.notation;
  }
}

TEST_F(RoleAssignment, RightRolesStopAtTheBound) {
  auto s = buildFromNotation("w 鳔 V; w 鳌 N; w 鳕 V; w 鳍 N");
  assignRightRoles(*s, 1, 3);
  EXPECT_EQ(dumpRoleLinks(*s), "1>2:OBJ1");
}

TEST_F(RoleAssignment, NoLinkToAMissingGovernor) {
  // The final mark has no governor to go to; the clause roles still run.
  auto s = buildFromNotation("w 鳌 N; w 鳔 V +V:C_VAL=0; w 。 P");
  s->govNode = 0;
  assignClauseRoles(*s, 0, 0, 2);
  EXPECT_EQ(dumpRoleLinks(*s), "2>1:SUB");
  for (const CjRoleLink& l : s->roleLinks) EXPECT_NE(l.head, 0);
  // A sentence without a predicate gets no complement link either.
  auto t = buildFromNotation("w 鳌 N; w " RA("finalComplement") " X");
  assignRoles(*t);
  EXPECT_EQ(t->govNode, 0);
  EXPECT_EQ(dumpRoleLinks(*t), "");
}

TEST_F(RoleAssignment, FindNominalBetween) {
  auto s = buildFromNotation(
      "w 鳔 V; w 鳍 F; w 鳌 R +R:M_SEM=B,S_SEM=A; w 鳕 V; w 鳎 R +R:M_SEM=B; w 鳓 V; w 鳗 NP");
  EXPECT_EQ(findNominalBetween(*s, 1, 4), 3);
  EXPECT_EQ(findNominalBetween(*s, 4, 6), 0);  // R with M_SEM B needs S_SEM A
  EXPECT_EQ(findNominalBetween(*s, 4, 1), 0);  // wrong order
  EXPECT_EQ(findNominalBetween(*s, 0, 4), 0);
  EXPECT_EQ(findNominalBetween(*s, 6, 1), 0);
  EXPECT_EQ(findNominalBetween(*s, 4, 0), 0);
  EXPECT_EQ(findNominalBetween(*s, 6, 7), 0);  // b comes first
}

}  // namespace
}  // namespace cj
