#include "engine/jc/core/jc_links.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace jc {
namespace {

class JcLinks : public ::testing::Test {
 protected:
  void SetUp() override {
    zeroJcSentence(s.get());
    ASSERT_EQ(initJcSentence(s.get()), kJcInitOk);
  }
  void TearDown() override { releaseJcSentence(s.get()); }

  // (governor, dependent, label) of each item before the sentinel.
  static std::vector<std::tuple<int, int, std::string>> items(const JcLink* head) {
    std::vector<std::tuple<int, int, std::string>> out;
    for (const JcLink* l = head; l && l->next; l = l->next) out.emplace_back(l->governor, l->dependent, l->label.str());
    return out;
  }
  using Items = std::vector<std::tuple<int, int, std::string>>;

  std::unique_ptr<JcSentence> s{new JcSentence};
};

TEST_F(JcLinks, InsertionGroupsByGovernorInSiblingOrder) {
  // Initial sibling links chain every node to the next, so 3 precedes 5.
  addDependencyLink(s.get(), 7, 3, "D1", 1);
  addDependencyLink(s.get(), 9, 4, "D2", 0);
  addDependencyLink(s.get(), 7, 5, "D3", 0);
  EXPECT_EQ(items(s->dependencyList), (Items{{7, 3, "D1"}, {7, 5, "D3"}, {9, 4, "D2"}}));
  EXPECT_EQ(s->dependencyList->active, 1);
  EXPECT_EQ(s->dependencyList->carriedFlag, 1);

  addRelation(s.get(), 7, 5, "OBJ1");
  addRelation(s.get(), 7, 3, "SUB");
  addRelation(s.get(), 2, 1, "ADV");
  addRelation(s.get(), 7, 6, "COMP");
  EXPECT_EQ(items(s->relationAgenda), (Items{{7, 3, "SUB"}, {7, 5, "OBJ1"}, {7, 6, "COMP"}, {2, 1, "ADV"}}));
  EXPECT_EQ(s->relationAgenda->active, 0);
}

TEST_F(JcLinks, DependentThatIsNoLaterSiblingGoesBeforeTheGroup) {
  // Cut the sibling row after 4: 6 is not a later sibling of 3, so it goes first.
  s->nodes[4].nextSibling = 0;
  addRelation(s.get(), 8, 3, "A");
  addRelation(s.get(), 8, 6, "B");
  EXPECT_EQ(items(s->relationAgenda), (Items{{8, 6, "B"}, {8, 3, "A"}}));
  EXPECT_FALSE(isLaterSibling(s.get(), 3, 6));
  EXPECT_TRUE(isLaterSibling(s.get(), 3, 4));
  EXPECT_FALSE(isLaterSibling(s.get(), 0, 4));
  EXPECT_FALSE(isLaterSibling(s.get(), 3, 0));
  // A sibling cycle does not hang the test.
  s->nodes[4].nextSibling = 3;
  EXPECT_FALSE(isLaterSibling(s.get(), 3, 9));
}

TEST_F(JcLinks, RemoveMatchesAllThreeAndReportsTheFlag) {
  addDependencyLink(s.get(), 7, 3, "D1", 1);
  addDependencyLink(s.get(), 7, 4, "D1", 0);
  int flag = 5;
  EXPECT_FALSE(removeDependencyLink(s.get(), 7, 3, "D2", &flag));
  EXPECT_EQ(flag, 5);
  EXPECT_TRUE(removeDependencyLink(s.get(), 7, 3, "D1", &flag));
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(items(s->dependencyList), (Items{{7, 4, "D1"}}));
  EXPECT_TRUE(removeDependencyLink(s.get(), 7, 4, "D1", &flag));
  EXPECT_EQ(flag, 0);
  EXPECT_EQ(s->dependencyList->next, nullptr);  // only the sentinel
}

TEST_F(JcLinks, ClaimsAndQueries) {
  addRelation(s.get(), 7, 3, "SUB");
  addRelation(s.get(), 7, 4, "ADV");
  addRelation(s.get(), 7, 5, "OBJ1");
  std::string label = "junk";
  EXPECT_EQ(governsNoRelation(s.get(), 7), 0);
  EXPECT_EQ(governsNoRelation(s.get(), 8), 1);
  // An item labelled SUB ends the adverbial search before the ADV item.
  EXPECT_EQ(claimAdverbial(s.get(), 7, &label), 0);
  EXPECT_EQ(label, "junk");
  EXPECT_EQ(claimAdverbialOrG(s.get(), 7, &label), 4);
  EXPECT_EQ(label, "ADV");
  EXPECT_EQ(claimDependentByLabel(s.get(), 7, "OBJ"), 0);  // exact labels only
  EXPECT_EQ(claimDependentByLabel(s.get(), 7, "OBJ1"), 5);
  EXPECT_EQ(claimNextDependent(s.get(), 7, &label), 3);
  EXPECT_EQ(label, "SUB");
  label = "kept";
  EXPECT_EQ(claimNextDependent(s.get(), 7, &label), 0);
  EXPECT_EQ(label, "kept");
  // Claimed items stay: the governor is still found.
  EXPECT_EQ(findGovernorOf(s.get(), 5, &label), 7);
  EXPECT_EQ(label, "OBJ1");
  EXPECT_EQ(findGovernorOf(s.get(), 9, &label), 0);
  EXPECT_EQ(label, "");
  unclaimRelation(s.get(), 4, 7);
  EXPECT_EQ(claimNextDependent(s.get(), 7, &label), 4);
}

TEST_F(JcLinks, ClaimOtherThan) {
  struct Case {
    std::vector<const char*> labels;
    const char* wanted;
    int expected;
    const char* label;
  };
  const Case cases[] = {
      {{"OBJ2", "NUM"}, "OBJ1", 3, "OBJ2"},     // the item's label is compared with the whole wanted label
      {{"NUM", "SUB"}, "OBJ", 4, "SUB"},        // NUM is passed over when an object is wanted
      {{"ADV", "OBJ1", "SUB"}, "OBJ", 3, "ADV"},
      {{"OBJ1", "SUB"}, "OBJ", 0, ""},          // the wanted item ends the search
      {{"NUM"}, "SUB", 3, "NUM"},               // only an object search passes NUM
      {{"COMP", "HT", "GOV"}, "OBJ", 0, ""},
  };
  for (const Case& c : cases) {
    releaseJcSentence(s.get());
    zeroJcSentence(s.get());
    ASSERT_EQ(initJcSentence(s.get()), kJcInitOk);
    int d = 3;
    for (const char* l : c.labels) addRelation(s.get(), 10, d++, l);
    std::string label = "junk";
    EXPECT_EQ(claimOtherThan(s.get(), c.wanted, 10, &label), c.expected) << c.wanted;
    EXPECT_EQ(label, c.label) << c.wanted;
  }
}

TEST_F(JcLinks, TemplateReferences) {
  s->targets[12].templateText = "3+15+7";
  s->targets[3].relation = "SUB";
  s->targets[15].relation = "GOV";
  s->targets[7].relation = "OBJ1";
  int pos = 0;
  std::string label;
  EXPECT_EQ(templateRefAt(s.get(), 12, &pos, &label), 3);
  EXPECT_EQ(label, "SUB");
  EXPECT_EQ(templateRefAt(s.get(), 12, &pos, &label), 15);
  EXPECT_EQ(label, "GOV");
  EXPECT_EQ(templateRefAt(s.get(), 12, &pos, &label), 7);
  EXPECT_EQ(label, "OBJ1");
  EXPECT_EQ(templateRefAt(s.get(), 12, &pos, &label), 0);
  pos = 0;
  EXPECT_EQ(templateRefAt(s.get(), 13, &pos, &label), 0);  // no template
  // A number with other characters in it is refused; the position still moves past it.
  s->targets[12].templateText = "1a5+7";
  pos = 0;
  EXPECT_EQ(templateRefAt(s.get(), 12, &pos, &label), 0);
  EXPECT_EQ(pos, 3);
  EXPECT_EQ(templateRefAt(s.get(), 12, &pos, &label), 7);
}

}  // namespace
}  // namespace jc
