#include "engine/cj/transfer/role_link_queries.h"

#include <gtest/gtest.h>

#include "engine/cj/transfer/tests/generation_fixture.h"
#include "platform/core/fail_point.h"
#include "platform/core/notify_recorder.h"

namespace {

class RoleLinks : public cjtest::GenerationFixture {
 protected:
  // Head 1 with dependents 2..7 (a head's links stand in sentence order); 8 and 9 hang off 7
  // as VAA links (9 last).
  void SetUp() override {
    GenerationFixture::SetUp();
    build("w - V; w - F; w - N; w - N; w - N; w - F; w - V; w - V; w - V;"
          "l 1 4 OBJ1; l 1 2 ADVF; l 1 3 SUB; l 1 5 OBJ1; l 1 6 G; l 1 7 VAA;"
          "l 7 8 VAA; l 7 9 VAA; l 9 7 VAA");
  }
};

TEST_F(RoleLinks, QueriesFollowListOrder) {
  cj::CjTransferContext& c = *context;
  EXPECT_EQ(cj::findObj1(c, 1), 4);  // the first OBJ1 link
  EXPECT_EQ(cj::findSub(c, 1), 3);
  EXPECT_EQ(cj::findAdvf(c, 1), 2);
  EXPECT_EQ(cj::findG(c, 1), 6);
  EXPECT_EQ(cj::findComp(c, 1), 0);
  EXPECT_EQ(cj::findObj1(c, 0), 0);
  EXPECT_EQ(cj::findObj1(c, -3), 0);
  // SUB comes before ADVF and OBJ1 in the argument order.
  EXPECT_EQ(cj::findFirstArgument(c, 1), 3);
  EXPECT_EQ(cj::findFirstArgument(c, 2), 0);
  EXPECT_EQ(cj::findGovernor(c, 4), 1);
  EXPECT_EQ(cj::findGovernor(c, 1), 0);
  EXPECT_EQ(cj::hasLaterSameRole(c, 1, 4, "OBJ1"), 1);
  EXPECT_EQ(cj::hasLaterSameRole(c, 1, 5, "OBJ1"), 0);
  EXPECT_EQ(cj::hasLaterSameRole(c, 1, 3, "OBJ1"), 0);  // no such link
  std::string label = "stale";
  EXPECT_EQ(cj::roleLabelOf(c, 1, 6, label), 1);
  EXPECT_EQ(label, "G");
  EXPECT_EQ(cj::roleLabelOf(c, 2, 1, label), 0);
  EXPECT_EQ(label, "");
}

TEST_F(RoleLinks, VaaChainFollowsTheLastLinkAndStopsOnACycle) {
  cj::CjTransferContext& c = *context;
  EXPECT_EQ(cj::findLastVaa(c, 7), 9);
  EXPECT_EQ(cj::followVaaChain(c, 2), 2);  // no VAA dependent
  EXPECT_EQ(cj::followVaaChain(c, 0), 0);
  // 1 -> 7 -> 9 -> 7 ...: a cycle ends within the slots instead of looping.
  int end = cj::followVaaChain(c, 1);
  EXPECT_TRUE(end == 7 || end == 9);
}

TEST_F(RoleLinks, TakesMarkLinksUsed) {
  cj::CjTransferContext& c = *context;
  std::string label;
  // ADVF stands before SUB in the list: taken before the subject, once.
  EXPECT_EQ(cj::takeAdverbBeforeSubject(c, 1, label), 2);
  EXPECT_EQ(label, "ADVF");
  EXPECT_EQ(cj::takeAdverbBeforeSubject(c, 1, label), 0);
  EXPECT_EQ(cj::takeAdverbOrG(c, 1, label), 6);
  EXPECT_EQ(label, "G");
  EXPECT_EQ(cj::takeDependent(c, 1, "OBJ1"), 4);
  EXPECT_EQ(cj::takeDependent(c, 1, "OBJ1"), 5);
  EXPECT_EQ(cj::takeDependent(c, 1, "OBJ1"), 0);
  // Used links still answer the queries.
  EXPECT_EQ(cj::findObj1(c, 1), 4);
}

TEST_F(RoleLinks, CopyRunsBackwardsAndAFailedCopyKeepsNothing) {
  cj::CjTransferContext& c = *context;
  ASSERT_EQ(cj::copyRoleLinks(c), 1);
  ASSERT_EQ(c.linkCopy.size(), sentence->roleLinks.size());
  EXPECT_EQ(c.linkCopy.front(), &sentence->roleLinks.back());
  EXPECT_EQ(c.linkCopy.back(), &sentence->roleLinks.front());

  plat::NotifyRecorder recorder;
  plat::FailPoint fail(cj::kLinkCopyFailPoint);
  EXPECT_EQ(cj::copyRoleLinks(c), 0);
  EXPECT_TRUE(c.linkCopy.empty());
  ASSERT_EQ(recorder.messages.size(), 1u);
  EXPECT_EQ(recorder.messages[0].text, u"メモリ不足!");
}

}  // namespace
