#include "engine/cj/analysis/post_parse.h"

#include <gtest/gtest.h>

#include "engine/cj/analysis/tests/rule_test_support.h"

namespace cj {
namespace {

using cjtest::buildFromNotation;
using cjtest::shape;

TEST(PostParseTest, SummaryRoundTripKeepsNodeCount) {
  auto s = buildFromNotation("w 鳌 N;w 鳍 V;w 鳎 N");
  ASSERT_TRUE(s);
  s->wordCount = 7;
  s->govNode = 2;
  s->argCount = 2;
  s->sentenceType = "DECL";
  saveSummary(*s);
  const CjSentenceSummary& sum = *s->summary;
  EXPECT_EQ(sum.wordCount, 7);
  EXPECT_EQ(sum.firstTop, 1);
  EXPECT_EQ(sum.lastTop, 3);
  EXPECT_EQ(sum.govNode, 2);
  EXPECT_EQ(sum.govWork, 0);
  EXPECT_EQ(sum.argCount, 2);
  EXPECT_EQ(sum.sentenceType, "DECL");
  EXPECT_EQ(sum.nodeCount, 3);

  // The header is borrowed and given back; nodes built meanwhile stay counted.
  s->wordCount = 0;
  s->firstTop = 2;
  s->lastTop = 2;
  s->govNode = 0;
  s->argCount = 0;
  s->sentenceType = "";
  s->nodeCount = 5;
  restoreSummary(*s);
  EXPECT_EQ(s->wordCount, 7);
  EXPECT_EQ(s->firstTop, 1);
  EXPECT_EQ(s->lastTop, 3);
  EXPECT_EQ(s->govNode, 2);
  EXPECT_EQ(s->argCount, 2);
  EXPECT_EQ(s->sentenceType, "DECL");
  EXPECT_EQ(s->nodeCount, 5);
}

TEST(PostParseTest, AppendEndMark) {
  auto s = buildFromNotation("w 鳌 N;w 鳍 V;w 鳎 N;p 2 3 VP");
  ASSERT_TRUE(s);
  // Inside a phrase: the mark joins its parent's children.
  s->firstTop = 2;
  s->lastTop = 3;
  const int n = appendEndMark(*s);
  ASSERT_EQ(n, 5);
  EXPECT_EQ(s->nodeCount, 5);
  EXPECT_EQ(s->lastTop, 5);
  EXPECT_EQ(s->nodes[3].next, 5);
  EXPECT_EQ(s->nodes[5].prev, 3);
  EXPECT_EQ(s->nodes[5].next, 0);
  EXPECT_EQ(s->nodes[5].parent, 4);
  EXPECT_EQ(s->nodes[4].lastChild, 5);
  EXPECT_EQ(s->nodes[5].kind, '?');
  EXPECT_EQ(s->nodes[5].spanMark, '*');
  EXPECT_EQ(s->nodes[5].CAT, "P");
  // A chain that already ends in punctuation gets nothing.
  EXPECT_EQ(appendEndMark(*s), 0);
  EXPECT_EQ(s->nodeCount, 5);

  // Nor does a full work area.
  std::string notation;
  for (int i = 1; i < kMaxNodes; ++i) notation += "w - N;";
  auto full = buildFromNotation(notation);
  ASSERT_TRUE(full);
  EXPECT_EQ(appendEndMark(*full), 0);
  EXPECT_EQ(full->nodeCount, kMaxNodes - 1);
  EXPECT_EQ(full->nodes[kMaxNodes - 1].next, 0);
}

TEST(PostParseTest, DelimiterMarks) {
  auto s = buildFromNotation("w 鳌 P span=l;w 鳍 V;w 鳎 P span=r;p 1 3 NP span=y");
  ASSERT_TRUE(s);
  EXPECT_TRUE(isDelimitedPhrase(*s, 4));
  EXPECT_FALSE(isDelimitedPhrase(*s, 1));
  EXPECT_TRUE(isDelimiter(*s, 1));
  EXPECT_TRUE(isDelimiter(*s, 3));
  EXPECT_FALSE(isDelimiter(*s, 2));
  EXPECT_FALSE(isDelimiter(*s, 0));
  EXPECT_FALSE(isDelimitedPhrase(*s, 5));
}

}  // namespace
}  // namespace cj
