#include "engine/cj/transfer/structural_transfer.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/cj/transfer/rule_actions.h"
#include "engine/cj/transfer/transfer_navigation.h"
#include "engine/cj/transfer/tests/rule_sentence.h"

namespace {

class StructuralTransfer : public cjtest::RuleSentence {
 protected:
  // The top-level chain as "i j k".
  std::string topChain() {
    std::string out;
    int steps = 0;
    for (int k = context->firstTop; k != 0 && steps < cj::kMaxNodes; k = target(k).nextSibling, ++steps) {
      if (!out.empty()) out += " ";
      out += std::to_string(k);
    }
    return out;
  }
  std::string orderLabels() {
    std::string out;
    for (const cj::CjOrderItem& item : context->orderList) {
      if (!out.empty()) out += " ";
      out += std::to_string(item.node) + ":" + item.label.str();
    }
    return out;
  }
  void startWalk() {
    context->frameStack.assign(1, cj::CjTransferFrame{});
    context->orderList.clear();
  }
};

TEST_F(StructuralTransfer, GovernorWalkPutsHeadsAfterDependents) {
  struct Case {
    const char* notation;
    int gov;
    const char* order;
    const char* chain;
  } cases[] = {
      // Subject, verb, object: the verb goes last.
      {"w - N; w - V; w - N; l 2 1 SUB; l 2 3 OBJ1", 2, "1:SUB 3:OBJ1 2:GOV", "1 3 2"},
      // A final punctuation dependent follows its head.
      {"w - N; w - V; w - N; w - W; l 2 1 SUB; l 2 3 OBJ1; l 2 4 PUNC", 2, "1:SUB 3:OBJ1 2:GOV 4:PUNC",
       "1 3 2 4"},
      // A dependent clause is ordered inside: its object before its verb.
      {"w - N; w - V; w - V; w - N; l 2 1 SUB; l 2 3 VAA; l 3 4 OBJ1", 2, "1:SUB 2:GOV 4:OBJ1 3:VAA",
       "1 2 4 3"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.notation);
    build(k.notation, k.gov);
    startWalk();
    cj::handleGovernor(*context, 0);
    EXPECT_EQ(orderLabels(), k.order);
    EXPECT_EQ(topChain(), k.chain);
    EXPECT_EQ(target(std::stoi(std::string(1, k.chain[0]))).prevSibling, 0);
    ASSERT_EQ(context->frameStack.size(), 1u);
  }
}

TEST_F(StructuralTransfer, VerbBeforeClauseTakesContinuingForm) {
  build("w - N; w - V; w - V; w - N; l 2 1 SUB; l 2 3 VAA; l 3 4 OBJ1", 2);
  startWalk();
  cj::orderGovernorClause(*context, 2, "GOV");
  EXPECT_EQ(target(2).vform, 'd');
  EXPECT_EQ(target(3).vform, 'z');
  // A VAB clause verb takes it itself.
  build("w - V; w - N; w - V; l 3 1 VAB; l 1 2 OBJ1", 3);
  startWalk();
  cj::orderGovernorClause(*context, 3, "GOV");
  EXPECT_EQ(orderLabels(), "2:OBJ1 1:VAB 3:GOV");
  EXPECT_EQ(target(1).vform, 'd');
}

TEST_F(StructuralTransfer, GovernorWithoutRolesKeepsTheChain) {
  build("w - N; w - V; w - N", 2);
  startWalk();
  context->govWork = 0;
  cj::handleGovernor(*context, 0);
  EXPECT_TRUE(context->orderList.empty());
  EXPECT_EQ(topChain(), "1 2 3");
  EXPECT_EQ(context->govWork, 0);  // no reporting-verb check
}

TEST_F(StructuralTransfer, RebuildTopChainFollowsTheList) {
  build("w - N; w - V; w - N; w - N");
  context->orderList.clear();
  for (int n : {3, 1, 2}) cj::appendClauseItem(*context, n, "X");
  context->lastTop = 4;
  cj::rebuildTopChain(*context);
  // Node 4 has no role link: it keeps its words, last as before.
  EXPECT_EQ(topChain(), "3 1 2 4");
  EXPECT_EQ(target(4).prevSibling, 2);
  EXPECT_EQ(target(3).prevSibling, 0);
  EXPECT_EQ(target(1).prevSibling, 3);
  EXPECT_EQ(context->lastTop, 4);  // left as it was
  // An empty list changes nothing.
  context->orderList.clear();
  cj::rebuildTopChain(*context);
  EXPECT_EQ(topChain(), "3 1 2 4");
  // Unordered nodes keep their place before the ordered node that followed them: 1 3 [2 4 5].
  build("w - W; w - N; w - V; w - N; w - W");
  context->orderList.clear();
  for (int n : {2, 4, 3, 5}) cj::appendClauseItem(*context, n, "X");
  cj::rebuildTopChain(*context);
  EXPECT_EQ(topChain(), "1 2 4 3 5");
  build("w - N; w - W; w - V; w - N");
  context->orderList.clear();
  for (int n : {1, 4, 3}) cj::appendClauseItem(*context, n, "X");
  cj::rebuildTopChain(*context);
  EXPECT_EQ(topChain(), "1 4 2 3");
}

TEST_F(StructuralTransfer, SentenceRootTakesItsFormFromTheType) {
  const std::string statement = word(cj::kStatementMark);
  struct Case {
    std::string type;
    const char* att;
    char form;
  } cases[] = {{statement, "", 'd'}, {"T", "", 'l'}, {"?", "", '?'}, {"?", "ね", 'z'}, {"X", "", 'z'}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.type);
    build("w - N; w - V; p 1 2 S", 2);
    target(3).headChild = 2;
    sentence->nodes[3].roleCounts[cj::kCountSub] = 1;  // the governor walk would run if reached
    context->sentenceType = k.type;
    target(2).att = k.att;
    context->frameStack.assign(1, cj::CjTransferFrame{});
    cj::transferStructure(*context);
    EXPECT_EQ(target(2).vform, k.form);
    EXPECT_TRUE(context->orderList.empty());
  }
}

TEST_F(StructuralTransfer, RootIsTheLastNodeAfterTheDispatch) {
  // The existence phrase at the top level appends its "いる" node during the dispatch: the last
  // node is then no sentence node, so the sentence type sets no form and the governor walk runs.
  build("w - R; w $prepositionGroups.group03#0 G; w - N M_SEM=L; p 2 3 IP; p 1 4 S");
  sentence->nodes[4].parent = 0;
  target(5).headChild = 1;
  context->sentenceType = "?";
  context->frameStack.assign(1, cj::CjTransferFrame{});
  cj::transferStructure(*context);
  EXPECT_EQ(context->nodeCount, 6);
  EXPECT_NE(target(1).vform, '?');
}

TEST_F(StructuralTransfer, WordRules) {
  build("w $structuralTransfer.handOverWord V; w $structuralTransfer.handOverFollower V; "
        "w $structuralTransfer.pastMarkWord V; w $structuralTransfer.pastMarkWord V; w - N; p 4 5 AP sub=Z");
  cj::transferPhrase(*context);
  EXPECT_EQ(japanese(1), "渡す");
  EXPECT_EQ(target(1).jcat.str(), "TG003");
  EXPECT_EQ(japanese(2), "");
  EXPECT_EQ(target(3).ten, 'B');
  EXPECT_EQ(target(4).ten, 'A');  // inside a phrase
  // The follower alone is nothing.
  build("w $structuralTransfer.handOverFollower V; w $structuralTransfer.handOverWord V");
  cj::transferPhrase(*context);
  EXPECT_EQ(japanese(1), "");
  EXPECT_EQ(japanese(2), "");
}

}  // namespace
