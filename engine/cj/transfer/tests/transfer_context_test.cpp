#include "engine/cj/transfer/transfer_context.h"

#include <gtest/gtest.h>

#include "engine/cj/transfer/tests/transfer_fixture.h"

namespace {

using cjtest::TransferFixture;

class TransferContext : public TransferFixture {
 protected:
  // Phrase 10 over words 1..3, phrase 11 over 4..5; top chain 10, 11.
  void buildTwoPhrases() {
    words(5);
    phrase(10, {1, 2, 3}, 2);
    phrase(11, {4, 5}, 5);
    topChain({10, 11});
    setNodeCount(11);
    start();
  }
};

TEST_F(TransferContext, InitCopiesLinksFeaturesAndHeader) {
  words(3);
  sentence->nodes[1].features.NEG = 'N';
  sentence->nodes[1].features.NEG2 = 'N';
  sentence->nodes[2].features.VOI = 'P';
  sentence->nodes[2].features.TEN = 'b';
  sentence->nodes[2].features.ASP = 'C';
  sentence->nodes[3].features.ASP = 'D';
  phrase(4, {1, 2, 3}, 2);
  sentence->nodes[4].secondHead = 3;
  summary.govNode = 4;
  summary.argCount = 2;
  summary.sentenceType = "QUES";
  setNodeCount(4);
  start();
  const cj::CjTransferContext& c = *context;
  EXPECT_EQ(c.govNode, 4);
  EXPECT_EQ(c.govWork, 4);
  EXPECT_EQ(c.argCount, 2);
  EXPECT_EQ(c.sentenceType, "QUES");
  EXPECT_EQ(c.nodeCount, 4);
  EXPECT_EQ(c.targets[4].firstChild, 1);
  EXPECT_EQ(c.targets[4].lastChild, 3);
  EXPECT_EQ(c.targets[4].headChild, 3);  // the second head field wins
  EXPECT_EQ(c.targets[2].parent, 4);
  EXPECT_EQ(c.targets[1].neg, 1);
  EXPECT_EQ(c.targets[1].neg1, 1);
  EXPECT_EQ(c.targets[2].voi, 1);
  EXPECT_EQ(c.targets[2].ten, 'B');
  EXPECT_EQ(c.targets[2].asp, 'C');
  EXPECT_EQ(c.targets[3].asp, 'A');
  EXPECT_EQ(c.targets[3].vform, 'z');
  EXPECT_EQ(c.targets[3].alive, 1);
  EXPECT_EQ(c.targets[3].ruleFlag1, 1);
}

TEST_F(TransferContext, LinksHoldIndicesAbove255) {
  words(3);
  phrase(290, {1, 2, 3}, 2);
  setNodeCount(290);
  start();
  EXPECT_EQ(context->targets[1].parent, 290);
  EXPECT_EQ(context->targets[290].lastChild, 3);
  EXPECT_EQ(cj::targetHead(*context, 290), 3);
}

TEST_F(TransferContext, AddedNodesStopAtTheLastSlot) {
  words(2);
  setNodeCount(297);
  start();
  EXPECT_EQ(cj::addTargetNode(*context), 298);
  EXPECT_EQ(cj::addTargetNode(*context), 299);
  EXPECT_EQ(cj::addTargetNode(*context), 0);
  EXPECT_EQ(context->nodeCount, 299);
}

TEST_F(TransferContext, ResetLeavesNoTraceOfTheEarlierOccupant) {
  words(2);
  start();
  cj::CjTargetNode& t = context->targets[2];
  t.japanese = "書く";
  t.att = "を";
  t.neg = 1;
  t.yinggai = 1;
  t.alive = 0;
  t.parent = 7;
  t.candidates.emplace_back();
  cj::resetTargetNode(*context, 2);
  EXPECT_TRUE(t.japanese.empty());
  EXPECT_TRUE(t.att.empty());
  EXPECT_EQ(t.neg, 0);
  EXPECT_EQ(t.yinggai, 0);
  EXPECT_EQ(t.alive, 1);
  EXPECT_EQ(t.parent, 0);
  EXPECT_EQ(t.ten, 'A');
  EXPECT_TRUE(t.candidates.empty());
}

TEST_F(TransferContext, TargetHead) {
  buildTwoPhrases();
  cj::CjTransferContext& c = *context;
  EXPECT_EQ(cj::targetHead(c, 0), 0);
  EXPECT_EQ(cj::targetHead(c, 1), 1);
  EXPECT_EQ(cj::targetHead(c, 10), 3);  // last child
  c.targets[3].alive = 0;
  EXPECT_EQ(cj::targetHead(c, 10), 2);  // last child dropped: head child
  c.targets[10].alive = 0;
  EXPECT_EQ(cj::targetHead(c, 10), 10);  // dropped phrase: itself
  sentence->nodes[11].structureClass = '1';
  EXPECT_EQ(cj::targetHead(c, 11), 5);  // special structure: head child
  c.targets[11].lastChild = 0;
  c.targets[11].headChild = 0;
  EXPECT_EQ(cj::targetHead(c, 11), 0);
  c.targets[11].headChild = 5;
  EXPECT_EQ(cj::targetHead(c, 11), 5);  // special structure without a last child: head child
  sentence->nodes[11].structureClass = 0;
  EXPECT_EQ(cj::targetHead(c, 11), 0);  // a plain phrase without a last child: none
}

TEST_F(TransferContext, UnlinkAndInsert) {
  buildTwoPhrases();
  cj::CjTransferContext& c = *context;
  cj::unlinkTargetNode(c, 3);
  EXPECT_EQ(c.targets[10].lastChild, 2);
  EXPECT_EQ(c.targets[2].nextSibling, 0);
  EXPECT_EQ(c.targets[3].parent, 0);
  cj::unlinkTargetNode(c, 1);
  EXPECT_EQ(c.targets[10].firstChild, 2);
  EXPECT_EQ(c.targets[2].prevSibling, 0);
  cj::unlinkTargetNode(c, 2);  // the only child left
  EXPECT_EQ(c.targets[10].firstChild, 0);
  EXPECT_EQ(c.targets[10].lastChild, 0);
  EXPECT_EQ(c.targets[10].headChild, 0);

  cj::insertTargetNode(c, 1, 0, 4);  // before the first child of 11
  EXPECT_EQ(c.targets[11].firstChild, 1);
  EXPECT_EQ(c.targets[1].parent, 11);
  EXPECT_EQ(c.targets[4].prevSibling, 1);
  cj::insertTargetNode(c, 3, 5, 0);  // after the last child of 11
  EXPECT_EQ(c.targets[11].lastChild, 3);
  EXPECT_EQ(c.targets[5].nextSibling, 3);
  for (int k : {0}) {
    EXPECT_EQ(c.targets[k].parent, 0);
    EXPECT_EQ(c.targets[k].firstChild, 0);
    EXPECT_EQ(c.targets[k].lastChild, 0);
  }

  cj::unlinkTargetNode(c, 10);  // the first top node
  EXPECT_EQ(c.firstTop, 11);
  cj::insertTargetNode(c, 10, 0, 11);
  EXPECT_EQ(c.firstTop, 10);
  cj::insertTargetNode(c, 2, 11, 0);
  EXPECT_EQ(c.lastTop, 2);
}

TEST_F(TransferContext, SwapSiblings) {
  buildTwoPhrases();
  cj::CjTransferContext& c = *context;
  cj::swapTargetNodes(c, 1, 2);  // adjacent
  EXPECT_EQ(c.targets[10].firstChild, 2);
  EXPECT_EQ(c.targets[2].nextSibling, 1);
  EXPECT_EQ(c.targets[1].nextSibling, 3);
  EXPECT_EQ(c.targets[3].prevSibling, 1);
  cj::swapTargetNodes(c, 2, 3);  // apart: 2 1 3 -> 3 1 2
  EXPECT_EQ(c.targets[10].firstChild, 3);
  EXPECT_EQ(c.targets[10].lastChild, 2);
  EXPECT_EQ(c.targets[3].nextSibling, 1);
  EXPECT_EQ(c.targets[1].prevSibling, 3);
  EXPECT_EQ(c.targets[1].nextSibling, 2);
  EXPECT_EQ(c.targets[2].prevSibling, 1);
  EXPECT_EQ(c.targets[2].nextSibling, 0);
}

TEST_F(TransferContext, FreeReleasesListsAndResult) {
  words(2);
  start();
  context->targets[1].candidates.resize(3);
  context->orderList.push_back({1, {}});
  context->frameStack.push_back({});
  context->savedHeader = std::make_unique<cj::CjSentenceSummary>();
  context->result = "書く";
  cj::freeTransferContext(*context);
  EXPECT_TRUE(context->targets[1].candidates.empty());
  EXPECT_TRUE(context->orderList.empty());
  EXPECT_TRUE(context->frameStack.empty());
  EXPECT_FALSE(context->savedHeader);
  EXPECT_TRUE(context->result.empty());
  cj::freeTransferContext(context, 0);
  EXPECT_TRUE(context);
  cj::freeTransferContext(context, 1);
  EXPECT_FALSE(context);
}

}  // namespace
