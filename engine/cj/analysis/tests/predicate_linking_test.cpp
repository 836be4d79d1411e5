#include "engine/cj/analysis/predicate_linking.h"
#include "engine/cj/analysis/tests/cj_test_engine.h"

#include <gtest/gtest.h>

#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/analysis/role_assignment.h"
#include "engine/cj/analysis/tests/rule_test_support.h"

namespace cj {
namespace {

using cjtest::buildFromNotation;
using cjtest::dumpRoleLinks;

// Predicates stand at the even nodes between nominals: N P1 N P2 N ... The governor finder picks
// the first plain verb, a verb with M_SEM K (listed class), or a word of the finder's word list.
#define V "V mark=C"
#define GOV "$predicateMarks.list149#0 V mark=C"
#define KGOV "鳗 V mark=C M_SEM=K +V:M_SEM=K"

class PredicateLinking : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(cjtest::loadWordsWith());
    cjtest::engine().engineStatus = 0;
  }
  void TearDown() override {
    clearWordTable();
    cjtest::engine().engineStatus = 0;
  }

  // Nominals around the given predicates (each "TEXT CAT ..." of a word item).
  static std::unique_ptr<CjSentence> chain(std::initializer_list<const char*> predicates) {
    static const char* const kNouns[] = {"鳌", "鳍", "鳎", "鳏", "鳐", "鳑", "鳒"};
    std::string notation = "w 鳌 N";
    int i = 1;
    for (const char* p : predicates) notation += std::string("; w ") + p + "; w " + kNouns[i++ % 7] + " N";
    return buildFromNotation(notation);
  }
};

struct LinkCase {
  const char* name;
  std::initializer_list<const char*> predicates;
  int governor;
  const char* links;
};

TEST_F(PredicateLinking, TwoPredicates) {
  const LinkCase cases[] = {
      {"listed first", {KGOV, "鳕 " V}, 2, "2>1:SUB 2>4:OBJ1 4>3:SUB 4>5:OBJ1"},
      {"pivot with a nominal between", {GOV " +V:C_VAL=3", "鳕 " V}, 2, "2>1:SUB 2>3:PIVT 2>4:SOC 4>5:OBJ1"},
      {"double object first", {GOV " +V:C_VAL=2", "鳕 " V}, 2, "2>1:SUB 2>3:OBJ1 2>4:OBJ2 4>5:OBJ1"},
      {"valency H first", {"鳔 V mark=C +V:C_VAL=H", "鳕 " V}, 2, "2>1:SUB 2>4:OBJ1 4>3:SUB 4>5:OBJ1"},
      {"valency E first", {GOV " +V:C_VAL=E", "鳕 " V}, 2, "2>1:SUB 2>4:OBJ1 4>3:SUB 4>5:OBJ1"},
      {"valency 1 first", {GOV " +V:C_VAL=1", "鳕 " V}, 2, "2>1:SUB 2>3:OBJ1 2>4:VAA 4>5:OBJ1"},
      {"series first", {"鳔 " V, "鳕 " V}, 2, "2>1:SUB 2>3:OBJ1 2>4:VAA 4>5:OBJ1"},
      {"listed second", {"鳔 " V, KGOV}, 4, "2>1:SUB 2>3:OBJ1 4>2:SUB 4>5:OBJ1"},
      {"series second", {"鳔 " V, GOV}, 4, "2>1:SUB 2>3:OBJ1 4>2:VAB 4>5:OBJ1"},
      {"double object second", {"鳔 " V, GOV " +V:C_VAL=2"}, 4, "2>1:SUB 2>3:OBJ1 4>2:VAB 4>5:OBJ1"},
  };
  for (const LinkCase& c : cases) {
    auto s = chain(c.predicates);
    EXPECT_EQ(linkPredicates2(*s, 0, 0, 2, 4), c.governor) << c.name;
    EXPECT_EQ(dumpRoleLinks(*s), c.links) << c.name;
  }
}

TEST_F(PredicateLinking, TwoPredicatesPivotWithoutNominal) {
  auto s = buildFromNotation("w 鳌 N; w " GOV " +V:C_VAL=3; w 鳍 F; w 鳕 " V "; w 鳎 N");
  EXPECT_EQ(linkPredicates2(*s, 0, 0, 2, 4), 2);
  EXPECT_EQ(dumpRoleLinks(*s), "2>1:SUB 2>4:OBJ1 4>3:ADVN 4>5:OBJ1");
}

TEST_F(PredicateLinking, AdjectiveGovernorLast) {
  auto s = buildFromNotation("w 鳌 N; w 鳔 " V "; w 鳍 N; w 鳓 A mark=C");
  s->argCount = 1;  // the finder takes the sentence-final adjective
  EXPECT_EQ(linkPredicates2(*s, 0, 0, 2, 4), 4);
  EXPECT_EQ(dumpRoleLinks(*s), "2>1:SUB 2>3:OBJ1 4>2:SUB");
}

TEST_F(PredicateLinking, ThreePredicates) {
  const LinkCase cases[] = {
      {"listed first", {KGOV, "鳕 " V, "鳓 " V}, 2, "2>1:SUB 2>4:OBJ1 4>3:SUB 4>5:OBJ1 4>6:VAA 6>7:OBJ1"},
      {"pivot first", {GOV " +V:C_VAL=3", "鳕 " V, "鳓 " V}, 2,
       "2>1:SUB 2>3:PIVT 2>4:SOC 4>5:OBJ1 4>6:VAA 6>7:OBJ1"},
      {"series second", {"鳔 " V, GOV, "鳓 " V}, 4, "2>1:SUB 2>3:OBJ1 4>2:VAB 4>5:OBJ1 4>6:VAA 6>7:OBJ1"},
      // The nominal taken by the clause roles is not linked a second time.
      {"double object first", {GOV " +V:C_VAL=2", "鳕 " V, "鳓 " V}, 2,
       "2>1:SUB 2>3:OBJ1 2>4:OBJ2 4>5:OBJ1 4>6:VAA 6>7:OBJ1"},
      {"valency 1 second", {"鳔 " V, GOV " +V:C_VAL=1", "鳓 " V}, 4,
       "2>1:SUB 2>3:OBJ1 4>2:VAB 4>5:OBJ1 4>6:VAA 6>7:OBJ1"},
  };
  for (const LinkCase& c : cases) {
    auto s = chain(c.predicates);
    EXPECT_EQ(linkPredicates3(*s, 0, 0, 2, 4, 6), c.governor) << c.name;
    EXPECT_EQ(dumpRoleLinks(*s), c.links) << c.name;
  }
}

TEST_F(PredicateLinking, GovernorOutsideThePredicatesLinksNothing) {
  auto s = chain({"鳔 " V, "鳕 " V, "鳓 " V, "鳗 " V, "鳎 " V});
  EXPECT_EQ(linkPredicates3(*s, 0, 0, 4, 6, 8), 2);
  EXPECT_EQ(linkPredicates4(*s, 0, 0, 4, 6, 8, 10), 2);
  EXPECT_EQ(dumpRoleLinks(*s), "");
}

TEST_F(PredicateLinking, FourToSixPredicates) {
  struct ManyCase {
    const char* name;
    std::initializer_list<const char*> predicates;
    int governor;
    const char* links;
  };
  const ManyCase cases[] = {
      // The governor heads the VAB link to the group before it.
      {"double object last of four", {"鳔 " V, "鳕 " V, "鳓 " V, GOV " +V:C_VAL=2"}, 8,
       "4>3:SUB 4>5:OBJ1 4>6:VAA 6>7:OBJ1 2>1:SUB 2>4:VAA 8>2:VAB 8>9:OBJ1"},
      // With four predicates the last E governor takes only its right roles.
      {"valency E last of four", {"鳔 " V, "鳕 " V, "鳓 " V, GOV " +V:C_VAL=E"}, 8,
       "4>3:SUB 4>5:OBJ1 4>6:VAA 6>7:OBJ1 2>1:SUB 2>4:VAA 8>2:VAB 8>9:OBJ1"},
      {"listed first of five", {KGOV, "鳕 " V, "鳓 " V, "鳔 " V, "鳎 " V}, 2,
       "2>1:SUB 2>4:OBJ1 4>3:SUB 4>5:OBJ1 4>6:VAA 8>7:SUB 8>9:OBJ1 8>10:VAA 10>11:OBJ1 6>8:VAA"},
  };
  for (const ManyCase& c : cases) {
    auto s = chain(c.predicates);
    std::vector<int> p;
    for (std::size_t i = 0; i < c.predicates.size(); ++i) p.push_back(2 + 2 * static_cast<int>(i));
    int g = p.size() == 4 ? linkPredicates4(*s, 0, 0, p[0], p[1], p[2], p[3])
                          : linkPredicates5(*s, 0, 0, p[0], p[1], p[2], p[3], p[4]);
    EXPECT_EQ(g, c.governor) << c.name;
    EXPECT_EQ(dumpRoleLinks(*s), c.links) << c.name;
  }
}

// The groups of a cell are resolved before the cell's own links, so a nominal that the governor
// links afterwards is still free for the group's first predicate.
TEST_F(PredicateLinking, GroupsResolveBeforeTheCellsOwnLinks) {
  struct GroupCase {
    const char* name;
    const char* governor;
    const char* ownLink;
  } cases[] = {
      {"pivot first", GOV " +V:C_VAL=3", "2>3:PIVT"},
      {"valency 1 first", GOV " +V:C_VAL=1", "2>3:OBJ1"},
  };
  for (const GroupCase& c : cases) {
    auto s = chain({c.governor, "鳕 " V, "鳓 " V, "鳔 " V});
    EXPECT_EQ(linkPredicates4(*s, 0, 0, 2, 4, 6, 8), 2) << c.name;
    const std::string links = dumpRoleLinks(*s);
    EXPECT_NE(links.find("4>3:SUB"), std::string::npos) << c.name << ": " << links;
    EXPECT_NE(links.find(c.ownLink), std::string::npos) << c.name << ": " << links;
  }
}

TEST_F(PredicateLinking, SixPredicatesPivotInTheMiddle) {
  auto s = chain({"鳔 " V, "鳕 " V, GOV " +V:C_VAL=3", "鳓 " V, "鳎 " V, "鳗 " V});
  EXPECT_EQ(linkPredicates6(*s, 0, 0, 2, 4, 6, 8, 10, 12), 6);
  // The group after the governor heads a VAB link to the group before it.
  std::string links = dumpRoleLinks(*s);
  EXPECT_NE(links.find("6>2:VAB"), std::string::npos) << links;
  EXPECT_NE(links.find("2>4:VAA"), std::string::npos) << links;
  for (int nominal = 1; nominal <= 13; nominal += 2) EXPECT_TRUE(isAttached(*s, nominal)) << nominal;
}

TEST_F(PredicateLinking, GovernorClasses) {
  auto s = buildFromNotation(
      "w 鳓 A; w 鳓 Z; w $predicateLinking.listedGovernors#2 V; w $predicateLinking.pivotWords#5 V;"
      "w $predicateLinking.markedPivotWords#1 V; w $predicateLinking.markedPivotWords#1 V;"
      "w 鳔 V +V:C_VAL=4; w 鳔 V +V:C_VAL=H; w 鳔 V +V:C_VAL=E; w 鳔 V +V:C_VAL=1; p 2 2 AP");
  s->nodes[5].secondMark = '1';
  EXPECT_EQ(governorClass(*s, 1, 1, 3), kGovAdjective);
  EXPECT_EQ(governorClass(*s, 11, 1, 2), kGovAdjective);
  EXPECT_EQ(governorClass(*s, 11, 1, 3), kGovSeries);  // an AP phrase counts only among two
  EXPECT_EQ(governorClass(*s, 3, 1, 3), kGovListed);
  EXPECT_EQ(governorClass(*s, 4, 1, 3), kGovPivot);
  EXPECT_EQ(governorClass(*s, 5, 1, 3), kGovPivot);
  EXPECT_EQ(governorClass(*s, 6, 1, 3), kGovSeries);  // without the second mark
  EXPECT_EQ(governorClass(*s, 7, 3, 3), kGovDoubleObject);
  EXPECT_EQ(governorClass(*s, 8, 1, 3), kGovValH);
  EXPECT_EQ(governorClass(*s, 8, 3, 3), kGovSeries);  // H is never last
  EXPECT_EQ(governorClass(*s, 9, 3, 3), kGovSeries);  // E is not last among two or three
  EXPECT_EQ(governorClass(*s, 9, 4, 4), kGovValE);
  EXPECT_EQ(governorClass(*s, 10, 2, 2), kGovVal1);
}

}  // namespace
}  // namespace cj
