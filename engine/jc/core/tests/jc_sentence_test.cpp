#include "engine/jc/core/jc_sentence.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <utility>

namespace jc {
namespace {

struct Record {
  std::unique_ptr<JcSentence> r{new JcSentence};
  Record() {
    zeroJcSentence(r.get());
    EXPECT_EQ(initJcSentence(r.get()), kJcInitOk);
  }
  ~Record() { releaseJcSentence(r.get()); }
  JcSentence* operator->() { return r.get(); }
  JcSentence* get() { return r.get(); }
};

TEST(JcSentence, InitialisesNodesTargetsAndLists) {
  Record s;
  EXPECT_EQ(s->nodes[5].head, 5);
  EXPECT_EQ(s->nodes[5].prevSibling, 4);
  EXPECT_EQ(s->nodes[5].nextSibling, 6);
  const JcNode& n0 = s->nodes[0];
  EXPECT_EQ(n0.parent | n0.firstChild | n0.lastChild | n0.prevSibling | n0.nextSibling | n0.head, 0);
  EXPECT_EQ(s->nodes[1].prevSibling, 0);
  EXPECT_EQ(s->nodes[kJcMaxNodes - 1].nextSibling, 0);
  EXPECT_EQ(s->firstTop, 1);
  EXPECT_EQ(s->lastNode, 0);
  for (int i : {0, 5, kJcMaxNodes - 1}) {
    const JcTargetNode& t = s->targets[i];
    EXPECT_EQ(t.mark.view(), "*");
    EXPECT_EQ(t.kind, 0);
    EXPECT_EQ(t.live, 1);
    EXPECT_EQ(t.aspectA, 'A');
    EXPECT_EQ(t.aspectB, 'A');
  }
  // Both lists hold only their sentinel.
  ASSERT_NE(s->dependencyList, nullptr);
  EXPECT_EQ(s->dependencyList->next, nullptr);
  ASSERT_NE(s->relationAgenda, nullptr);
  EXPECT_EQ(s->relationAgenda->next, nullptr);
  EXPECT_NE(s->snapshot, nullptr);
}

TEST(JcSentence, InitTargetNodeResetsAllButTemplateRelationAndKMark) {
  Record s;
  JcTargetNode& t = s->targets[7];
  t.mark = "K";
  t.templateText = "{3}+V";
  t.relation = "OBJ1";
  t.headText = "x";
  t.text5 = "y";
  setTargetSlot(t, 0, "s0");
  setTargetSlot(t, 16, "s16");
  setTargetSlot(t, 17, "s17");
  t.slotSource[9] = 4;
  t.flags = 6;
  t.aspectB = 'C';
  t.live = 0;
  t.code = "VTA1";
  t.headLinked = 3;
  t.firstChild = t.headChild = 2;
  initTargetNode(s.get(), 7);
  EXPECT_EQ(t.mark.view(), "K");
  EXPECT_EQ(t.templateText.view(), "{3}+V");
  EXPECT_EQ(t.relation.view(), "OBJ1");
  EXPECT_EQ(t.kind, 'z');
  EXPECT_TRUE(t.headText.empty() && t.text5.empty() && t.code.empty());
  for (int k = 0; k <= 17; ++k) EXPECT_TRUE(targetSlot(t, k).empty()) << k;
  for (int e : t.slotSource) EXPECT_EQ(e, 0);
  EXPECT_EQ(t.flags, 0);
  EXPECT_EQ(t.aspectB, 'A');
  EXPECT_EQ(t.live, 1);
  EXPECT_EQ(t.headLinked, 0);
  EXPECT_EQ(t.firstChild | t.headChild, 0);

  s->targets[8].mark = "?";
  initTargetNode(s.get(), 8);
  EXPECT_EQ(s->targets[8].mark.view(), "*");
}

TEST(JcSentence, NewTargetNodeRefusesPastTheLastSlot) {
  Record s;
  s->lastTarget = 10;
  s->targets[11].mark = "?";
  EXPECT_EQ(newTargetNode(s.get()), 11);
  EXPECT_EQ(s->targets[11].kind, 'z');
  EXPECT_EQ(s->targets[11].mark.view(), "*");
  s->lastTarget = kJcMaxNodes - 2;
  EXPECT_EQ(newTargetNode(s.get()), kJcMaxNodes - 1);
  EXPECT_EQ(newTargetNode(s.get()), 0);
  EXPECT_EQ(s->lastTarget, kJcMaxNodes - 1);

  s->lastNode = kJcMaxNodes - 1;
  EXPECT_EQ(newJcNode(s.get()), 0);
  EXPECT_EQ(s->lastNode, kJcMaxNodes - 1);
}

TEST(JcSentence, ClearLinkBlockTouchesOnlyLabelHeads) {
  Record s;
  JcNode& n = s->nodes[4];
  n.labelHeads[0] = 9;
  n.labelHeads[26] = 8;
  n.surface = "abc";
  n.headPhrase = 9;
  n.depLabel = "D1";
  s->nodes[5].labelHeads[0] = 7;
  clearLinkBlock(s.get(), 4);
  for (int h : n.labelHeads) EXPECT_EQ(h, 0);
  EXPECT_EQ(n.surface.view(), "abc");
  EXPECT_EQ(n.headPhrase, 9);
  EXPECT_EQ(n.depLabel.view(), "D1");
  EXPECT_EQ(n.head, 4);
  EXPECT_EQ(n.prevSibling, 3);
  EXPECT_EQ(n.nextSibling, 5);
  EXPECT_EQ(s->nodes[5].labelHeads[0], 7);
}

TEST(JcSentence, ReleaseFreesCandidatesAndLists) {
  Record s;
  ASSERT_NE(appendCandidate(s.get(), 3, "a", "VTA1", "x"), nullptr);
  ASSERT_NE(appendCandidate(s.get(), 3, "b", "", ""), nullptr);
  EXPECT_EQ(appendCandidate(s.get(), 0, "c", "", ""), nullptr);
  ASSERT_NE(s->targets[3].candidates, nullptr);
  EXPECT_EQ(s->targets[3].candidates->chinese.view(), "a");
  EXPECT_EQ(s->targets[3].candidates->next->chinese.view(), "b");
  s->orderCursor = new JcOrderCursor{};
  s->orderList = s->orderListTail = new JcOrderItem{};
  releaseJcSentence(s.get());
  EXPECT_EQ(s->targets[3].candidates, nullptr);
  EXPECT_EQ(s->dependencyList, nullptr);
  EXPECT_EQ(s->relationAgenda, nullptr);
  EXPECT_EQ(s->snapshot, nullptr);
  EXPECT_EQ(s->orderCursor, nullptr);
  EXPECT_EQ(s->orderList, nullptr);
  // A second release (the fixture's) finds nothing left to free.
}

TEST(JcSentence, FieldsCutAtCharacterBoundaries) {
  FixedText<5> f{};
  // "ab" + a double-byte character + "c": the pair would straddle the end, so it is left out whole.
  EXPECT_FALSE(f.assign("abc\x88\x9F"));
  EXPECT_EQ(f.view(), "abc");
  EXPECT_TRUE(f.assign("a\x88\x9F" "b"));
  EXPECT_EQ(f.view(), "a\x88\x9F" "b");
  EXPECT_FALSE(f.append("\x88\x9F"));
  EXPECT_EQ(f.view(), "a\x88\x9F" "b");

  // Appending is assigning the joined text: a lead byte left at the end pairs with the first byte
  // appended, and a NUL ends what is appended.
  const std::pair<std::string, std::string> joins[] = {
      {"ab", "c"}, {"ab", "cdef"}, {"a\x88", "\x9F" "b"}, {"abc\x88", "\x9F"}, {"", "\x88\x9F\x88\x9F"},
      {"a", std::string("b\0c", 3)}, {"abcd", "e"}, {"ab", "\x88"},
  };
  for (const auto& [before, added] : joins) {
    FixedText<5> appended{}, assigned{};
    std::memcpy(appended.bytes, before.c_str(), before.size() + 1);
    const std::string joined = before + added;
    EXPECT_EQ(appended.append(added), assigned.assign(joined)) << before << "+" << added;
    EXPECT_EQ(appended.view(), assigned.view()) << before << "+" << added;
  }

  JcNode n{};
  EXPECT_TRUE(n.usageCode.assign("MADE10"));
  EXPECT_TRUE(n.semCodes.assign("1234/5678/90"));
  JcTargetNode t{};
  EXPECT_FALSE(setTargetSlot(t, 3, std::string(21, 'x')));
  EXPECT_EQ(targetSlot(t, 3).size(), 19u);
  EXPECT_TRUE(setTargetSlot(t, 0, std::string(49, 'y')));
  EXPECT_FALSE(setTargetSlot(t, 18, "z"));
}

TEST(JcSentence, SlotSourceEntries) {
  const int expected[kJcSlotCount] = {0, 1, 2, 14, 3, 4, 5, 6, 12, 11, -1, 7, 8, 13, 9, 10, -1, -1};
  for (int s = 0; s < kJcSlotCount; ++s) EXPECT_EQ(slotSourceEntry(s), expected[s]) << s;
  EXPECT_EQ(labelHeadIndex("D1"), 0);
  EXPECT_EQ(labelHeadIndex("D27"), 26);
  EXPECT_EQ(labelHeadIndex("D28"), -1);
  EXPECT_EQ(labelHeadIndex("TG"), -1);
  EXPECT_EQ(labelHeadIndex("D01"), -1);
}

TEST(JcSentence, TargetTreeQueries) {
  Record s;
  // 10 groups 4..6 with head 5; 11 groups 10 and 7 with head 10.
  s->lastTarget = 11;
  auto group = [&](int g, int first, int last, int head) {
    s->targets[g].firstChild = first;
    s->targets[g].lastChild = last;
    s->targets[g].headChild = head;
  };
  group(10, 4, 6, 5);
  group(11, 10, 7, 10);
  EXPECT_TRUE(isTargetLeaf(s.get(), 0));
  EXPECT_TRUE(isTargetLeaf(s.get(), 12));  // above lastTarget
  EXPECT_FALSE(isTargetLeaf(s.get(), 10));
  EXPECT_EQ(targetFirstLeaf(s.get(), 11), 4);
  EXPECT_EQ(targetLastLeaf(s.get(), 11), 7);
  EXPECT_EQ(targetLexicalHead(s.get(), 11), 5);
  EXPECT_EQ(targetLexicalHead(s.get(), 0), 0);
  s->targets[10].live = 0;
  EXPECT_EQ(targetLexicalHead(s.get(), 10), 10);
  s->targets[10].live = 1;
  s->targets[10].headChild = 0;
  EXPECT_EQ(targetLexicalHead(s.get(), 11), 0);
  // A cycle ends the walk instead of looping.
  group(10, 11, 11, 11);
  EXPECT_EQ(targetFirstLeaf(s.get(), 11), 0);

  s->nodes[2].surface = "\x82\xC6";  // と
  s->nodes[6].surface = "\x82\xC6";
  group(10, 4, 6, 5);
  EXPECT_EQ(findSurfaceBeforeTargetEnd(s.get(), 10, "\x82\xC6"), 6);
  EXPECT_EQ(findSurfaceBeforeTargetEnd(s.get(), 5, "\x82\xC6"), 2);
  EXPECT_EQ(findSurfaceBeforeTargetEnd(s.get(), 1, "\x82\xC6"), 0);
}

}  // namespace
}  // namespace jc
