#include "engine/cj/analysis/node_build.h"

#include <gtest/gtest.h>

#include "engine/cj/analysis/tests/sentence_notation.h"

namespace cj {
namespace {

std::unique_ptr<CjSentence> words(int n) {
  std::string notation;
  for (int i = 0; i < n; ++i) notation += "w " + std::string(1, static_cast<char>('a' + i)) + " N;";
  return cjtest::buildFromNotation(notation);
}

TEST(NodeBuildTest, PhraseNodeTakesTheSpansPlace) {
  auto s = words(5);
  testing::internal::CaptureStderr();
  int p = builtnewnode(*s, 2, 4);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  ASSERT_EQ(p, 6);
  EXPECT_EQ(s->nodeCount, 6);
  const CjNode& n = s->nodes[p];
  EXPECT_EQ(n.firstChild, 2);
  EXPECT_EQ(n.lastChild, 4);
  EXPECT_EQ(n.prev, 1);
  EXPECT_EQ(n.next, 5);
  EXPECT_EQ(n.headChild, 2);
  EXPECT_EQ(n.secondHead, 0);
  EXPECT_TRUE(n.CAT.empty());
  EXPECT_EQ(s->nodes[1].next, p);
  EXPECT_EQ(s->nodes[5].prev, p);
  EXPECT_EQ(s->nodes[2].prev, 0);
  EXPECT_EQ(s->nodes[4].next, 0);
  for (int k : {2, 3, 4}) EXPECT_EQ(s->nodes[k].parent, p);
  EXPECT_EQ(s->firstTop, 1);
  EXPECT_EQ(s->lastTop, 5);
  EXPECT_FALSE(isWordNode(*s, p));
  EXPECT_TRUE(isWordNode(*s, 3));
  EXPECT_EQ(s->nodes[0].next, 0);
  EXPECT_EQ(s->nodes[0].prev, 0);
  s->nodes[p].CAT = "NP";
  EXPECT_EQ(cjtest::dumpSentence(*s), "a/N [NP b/N c/N d/N] e/N");
}

TEST(NodeBuildTest, PhraseAtTheChainEndsBecomesFirstAndLast) {
  auto s = words(3);
  int front = builtnewnode(*s, 1, 2);
  EXPECT_EQ(s->firstTop, front);
  EXPECT_EQ(s->lastTop, 3);
  int whole = builtnewnode(*s, front, 3);
  EXPECT_EQ(s->firstTop, whole);
  EXPECT_EQ(s->lastTop, whole);
  // The span held a phrase node: it gets the new parent too.
  EXPECT_EQ(s->nodes[front].parent, whole);
  EXPECT_EQ(s->nodes[3].parent, whole);
  EXPECT_EQ(lexicalHead(*s, whole), 1);
  EXPECT_EQ(leftmostWord(*s, whole), 1);
  EXPECT_EQ(rightmostWord(*s, whole), 3);
}

TEST(NodeBuildTest, PhraseInsideAPhraseReplacesItsChildren) {
  auto s = cjtest::buildFromNotation("w a N; w b N; w c N; w d N; p 1 4 S");
  int inner = builtnewnode(*s, 1, 2);
  ASSERT_EQ(inner, 6);
  EXPECT_EQ(s->nodes[inner].parent, 5);
  EXPECT_EQ(s->nodes[5].firstChild, inner);
  EXPECT_EQ(s->nodes[inner].next, 3);
  EXPECT_EQ(s->nodes[3].prev, inner);
}

TEST(NodeBuildTest, BadSpansAndFullSlotsBuildNothing) {
  auto s = words(2);
  struct Case {
    int first, last;
  } bad[] = {{0, 1}, {1, 0}, {-1, 2}, {1, 3}, {2, 1}};  // 2..1 is no span of the chain
  for (const Case& c : bad) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(builtnewnode(*s, c.first, c.last), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "ERR in builtnewnode");
  }
  testing::internal::CaptureStderr();
  EXPECT_EQ(buildNodeWithEmptyFront(*s, 0, 1), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(s->nodeCount, 2);

  // Fill the slots up to 299: the next node is refused and nothing moves.
  auto full = words(2);
  int last = 0;
  while (full->nodeCount < kMaxNodes - 1) last = insertEmptyNode(*full, full->lastTop, 0);
  EXPECT_EQ(last, kMaxNodes - 1);
  EXPECT_EQ(full->lastTop, kMaxNodes - 1);
  testing::internal::CaptureStderr();
  EXPECT_EQ(builtnewnode(*full, 1, 2), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "ERR in builtnewnode");
  EXPECT_EQ(insertEmptyNode(*full, 1, 2), 0);
  EXPECT_EQ(buildNodeWithEmptyBack(*full, 1, 1), 0);
  EXPECT_EQ(full->nodeCount, kMaxNodes - 1);
  EXPECT_EQ(full->nodes[1].next, 2);
  EXPECT_EQ(full->nodes[1].parent, 0);
  EXPECT_EQ(full->nodes[2].next, 3);
}

TEST(NodeBuildTest, InsertEmptyNodeAtEveryPlace) {
  auto s = words(2);
  int back = insertEmptyNode(*s, 2, 0);
  EXPECT_EQ(s->lastTop, back);
  EXPECT_EQ(s->nodes[2].next, back);
  EXPECT_EQ(s->nodes[back].prev, 2);
  int front = insertEmptyNode(*s, 0, 1);
  EXPECT_EQ(s->firstTop, front);
  EXPECT_EQ(s->nodes[1].prev, front);
  EXPECT_EQ(s->nodes[0].next, 0);
  EXPECT_EQ(s->nodes[0].prev, 0);
  EXPECT_EQ(s->nodes[front].headChild, front);
  EXPECT_EQ(cjtest::dumpSentence(*s), "_/ a/N b/N _/");

  auto p = cjtest::buildFromNotation("w a N; w b N; p 1 2 NP");
  int last = insertEmptyNode(*p, 2, 0);
  EXPECT_EQ(p->nodes[last].parent, 3);
  EXPECT_EQ(p->nodes[3].lastChild, last);
  EXPECT_EQ(p->lastTop, 3);
  int first = insertEmptyNode(*p, 0, 1);
  EXPECT_EQ(p->nodes[3].firstChild, first);
  EXPECT_EQ(p->firstTop, 3);
}

TEST(NodeBuildTest, BuildersWithEmptyNodesChooseTheirHeads) {
  auto s = words(3);
  int w = buildWrappedNode(*s, 2, 2);
  ASSERT_NE(w, 0);
  int front = s->nodes[w].firstChild, back = s->nodes[w].lastChild;
  EXPECT_EQ(s->nodes[front].spanMark, '*');
  EXPECT_EQ(s->nodes[back].spanMark, '*');
  EXPECT_EQ(s->nodes[w].headChild, front);
  EXPECT_EQ(s->nodes[front].next, 2);
  EXPECT_EQ(s->nodes[2].next, back);

  int f = buildNodeWithEmptyFront(*s, 1, 1);
  EXPECT_EQ(s->nodes[f].headChild, 1);
  EXPECT_EQ(s->nodes[s->nodes[f].firstChild].spanMark, '*');
  EXPECT_EQ(s->firstTop, f);

  int b = buildNodeWithEmptyBack(*s, 3, 3);
  EXPECT_EQ(s->nodes[b].headChild, 3);
  EXPECT_EQ(s->nodes[s->nodes[b].lastChild].spanMark, '*');
  EXPECT_EQ(s->lastTop, b);
  EXPECT_EQ(cjtest::dumpSentence(*s), "[ _/ a/N] [ _/ b/N _/] [ c/N _/]");
}

TEST(NodeBuildTest, LexicalHeadFollowsHeadLinksSafely) {
  auto s = cjtest::buildFromNotation("w a N; w b V; w c N; p 2 3 VP; p 1 4 S");
  s->nodes[5].headChild = 4;
  s->nodes[4].headChild = 2;
  EXPECT_EQ(lexicalHead(*s, 5), 2);
  EXPECT_EQ(lexicalHead(*s, 1), 1);
  EXPECT_EQ(lexicalHead(*s, 0), 0);
  EXPECT_EQ(lexicalHead(*s, 300), 0);
  EXPECT_TRUE(isWordNode(*s, 0));
  EXPECT_TRUE(isWordNode(*s, 300));
  s->nodes[4].headChild = 0;
  EXPECT_EQ(lexicalHead(*s, 5), 0);
  // A cycle of head links ends with no head.
  s->nodes[4].headChild = 5;
  EXPECT_EQ(lexicalHead(*s, 5), 0);
  // Neighbours past the node count are none.
  EXPECT_EQ(nextNode(*s, 6), 0);
  EXPECT_EQ(prevNode(*s, -1), 0);
}

TEST(NodeBuildTest, CopyNodeFeature) {
  auto s = cjtest::buildFromNotation(
      "w a N M_SEM=AB NEG=y TEN=l ASP=z NEG2=q REPEAT=rr REPF=AABB MOD=1 S_CAT=xy C_VAL=0E; w b N");
  copyNodeFeature(*s, 2, 1, "M_SEM");
  EXPECT_EQ(s->nodes[2].features.M_SEM, "AB");
  EXPECT_EQ(s->nodes[2].features.MOD, 0);
  copyNodeFeature(*s, 2, 1, "NEG");
  EXPECT_EQ(s->nodes[2].features.NEG, 'Y');
  copyNodeFeature(*s, 2, 1, "REPEAT");
  EXPECT_EQ(s->nodes[2].REPF, "AABB");
  EXPECT_TRUE(s->nodes[2].features.REPEAT.empty());
  copyNodeFeature(*s, 2, 1, "UNKNOWN");
  EXPECT_TRUE(s->nodes[2].features.S_CAT.empty());

  auto t = cjtest::buildFromNotation(
      "w a N M_SEM=AB NEG=y TEN=l ASP=z NEG2=q REPEAT=rr REPF=AABB MOD=1 S_CAT=xy C_VAL=0E; w b N");
  copyNodeFeature(*t, 2, 1, "ALL");
  const CjFeatures& f = t->nodes[2].features;
  EXPECT_EQ(f.M_SEM, "AB");
  EXPECT_EQ(f.NEG, 'Y');
  EXPECT_EQ(f.TEN, 'L');
  EXPECT_EQ(f.ASP, 'Z');
  EXPECT_EQ(f.NEG2, 0);
  EXPECT_TRUE(f.REPEAT.empty());
  EXPECT_EQ(t->nodes[2].REPF, "AABB");
  EXPECT_EQ(f.MOD, '1');
  EXPECT_EQ(f.S_CAT, "xy");
  EXPECT_EQ(f.C_VAL, "0E");
  copyNodeFeature(*t, 0, 1, "ALL");  // node 0 is never written
  EXPECT_TRUE(t->nodes[0].features.M_SEM.empty());
}

TEST(NodeBuildTest, RoleLinksCountAndKeepTheirOrder) {
  auto s = cjtest::buildFromNotation("w a N; w b N; w c V; w d N; w e V; w f N");
  addRoleLink(*s, 3, 4, "OBJ1");
  addRoleLink(*s, 5, 6, "OBJ1");
  addRoleLink(*s, 3, 1, "SUB");      // before the head's other dependents
  addRoleLink(*s, 3, 2, "ADVTIME");  // between them
  addRoleLink(*s, 5, 4, "VAB");
  addRoleLink(*s, 3, 3, "GOV");      // counted nowhere
  EXPECT_EQ(cjtest::dumpRoleLinks(*s), "3>1:SUB 3>2:ADVTIME 3>3:GOV 3>4:OBJ1 5>4:VAB 5>6:OBJ1");
  const auto& c3 = s->nodes[3].roleCounts;
  EXPECT_EQ(c3[kCountSub], 1);
  EXPECT_EQ(c3[kCountAdv], 1);
  EXPECT_EQ(c3[kCountObj1], 1);
  int total = 0;
  for (int v : c3) total += v;
  EXPECT_EQ(total, 3);
  EXPECT_EQ(s->nodes[5].roleCounts[kCountVa], 1);
  EXPECT_EQ(s->nodes[4].governor, 5);
  EXPECT_EQ(s->nodes[1].attached, 1);
  EXPECT_EQ(s->nodes[1].governor, 3);
  for (const CjRoleLink& l : s->roleLinks) EXPECT_EQ(l.flag, 0);
  // Dependents inside phrases keep sentence order too.
  auto t = cjtest::buildFromNotation("w a N; w b V; w c N; w d N; p 3 4 NP; l 2 4 OBJ1; l 2 5 OBJ2; l 2 1 SUB");
  EXPECT_EQ(cjtest::dumpRoleLinks(*t), "2>1:SUB 2>5:OBJ2 2>4:OBJ1");
  addRoleLink(*s, 1, 2, "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(s->roleLinks.back().label, "ABCDEFGHIJK");
}

TEST(NodeBuildTest, WordTextTests) {
  const std::string x = cjtest::engineText("中"), y = cjtest::engineText("文");
  struct Case {
    std::string text;
    bool reduplicated;
  } cases[] = {{x + x, true}, {x + x + x, true}, {x + y, false}, {x, false}, {x + x + x + x, false},
               {"abab", false}, {"", false}};
  for (const Case& c : cases) EXPECT_EQ(isReduplicatedWord(c.text), c.reduplicated) << cjtest::readableText(c.text);

  EXPECT_EQ(textDiffersAt(x + y + x, 2, 3, y), 0);
  EXPECT_EQ(textDiffersAt(x + y + x, 2, 3, x), 1);
  EXPECT_EQ(textDiffersAt(x + y + x, 2, 4, y), 1);  // length differs
  EXPECT_EQ(textDiffersAt(x + y, 2, 5, y + y), 1);  // past the text

  EXPECT_TRUE(startsWithHanzi("\x87\x4A"));
  EXPECT_TRUE(startsWithHanzi(x));
  EXPECT_FALSE(startsWithHanzi("\x87\x49"));
  EXPECT_FALSE(startsWithHanzi("\xA6"));
  EXPECT_FALSE(startsWithHanzi("a"));

  CjNode n;
  n.senses.resize(2);
  n.senses[1].catLetter = 'V';
  EXPECT_TRUE(hasSenseLetter(n, "VN"));
  EXPECT_FALSE(hasSenseLetter(n, "N"));
}

TEST(NodeBuildTest, SplitListedPrefix) {
  ASSERT_TRUE(cjtest::loadSyntheticWords());
  const auto& listedChars = listedWords("nodeBuilding.prefixChars");
  ASSERT_EQ(listedChars.size(), 27u);
  const std::string a = listedChars[0], b = listedChars[5], other = cjtest::engineText("x中");
  std::string prefix, rest;
  EXPECT_EQ(splitListedPrefix(a + b + other, prefix, rest), 1);
  EXPECT_EQ(prefix, a + b);
  EXPECT_EQ(rest, other);
  EXPECT_EQ(splitListedPrefix(a + b, prefix, rest), 0);
  EXPECT_EQ(prefix, a + b);
  EXPECT_EQ(rest, "");
  EXPECT_EQ(splitListedPrefix(other, prefix, rest), 1);
  EXPECT_EQ(prefix, "");
  EXPECT_EQ(rest, other);
}

}  // namespace
}  // namespace cj
