#include <gtest/gtest.h>

#include "engine/cj/stages/parse_stages.h"
#include "engine/cj/analysis/post_parse.h"
#include "engine/cj/analysis/tests/cj_dictionary_fixture.h"
#include "engine/cj/analysis/tests/rule_test_support.h"

namespace cj {
namespace {

using cjtest::buildFromNotation;
using cjtest::dumpSentence;
using cjtest::shape;

class PostParseDriverTest : public cjtest::EngineFixture {
 protected:
  void SetUp() override { ASSERT_TRUE(start({{{"的", "N\\"}}, {}, {}, {}, false})); }

  // The outer header as the cascade left it.
  static void setHeader(CjSentence& s) {
    s.wordCount = 11;
    s.govNode = 1;
    s.argCount = 3;
    s.sentenceType = "T";
  }
  static void expectHeader(const CjSentence& s, int first, int last) {
    EXPECT_EQ(s.wordCount, 11);
    EXPECT_EQ(s.firstTop, first);
    EXPECT_EQ(s.lastTop, last);
    EXPECT_EQ(s.govNode, 1);
    EXPECT_EQ(s.argCount, 3);
    EXPECT_EQ(s.sentenceType, "T");
  }
  // Children of node p along next links.
  static std::vector<int> childrenOf(const CjSentence& s, int p) {
    std::vector<int> out;
    for (int k = s.nodes[p].firstChild; k != 0 && out.size() < kMaxNodes; k = s.nodes[k].next) out.push_back(k);
    return out;
  }
};

TEST_F(PostParseDriverTest, QuotedClauseIsAnalysedAlone) {
  auto s = buildFromNotation("w 鳏 V;w 鳌 P span=l;w 鳍 N;w 鳎 V;w 鳐 N;w 鳑 P span=r;p 2 6 NP span=y");
  ASSERT_TRUE(s);
  setHeader(*s);
  postParse(*s);
  expectHeader(*s, 1, 7);
  EXPECT_GT(s->nodeCount, 7);
  // The content got an end mark and stays between its delimiters, every node a child of the phrase.
  const std::vector<int> kids = childrenOf(*s, 7);
  ASSERT_GE(kids.size(), 3u);
  EXPECT_EQ(kids.front(), 2);
  EXPECT_EQ(kids.back(), 6);
  EXPECT_EQ(s->nodes[7].lastChild, 6);
  const int mark = kids[kids.size() - 2];
  EXPECT_EQ(s->nodes[mark].kind, '?');
  EXPECT_EQ(s->nodes[mark].CAT, "P");
  for (int k : kids) EXPECT_EQ(s->nodes[k].parent, 7) << k;
  for (std::size_t k = 1; k < kids.size(); ++k) EXPECT_EQ(s->nodes[kids[k]].prev, kids[k - 1]);
  // The head is the content's main predicate, the verb.
  EXPECT_EQ(s->nodes[7].headChild, 4);
  EXPECT_EQ(s->summary->govWork, 0);

  // Without a predicate the head is the last content node; the end mark is passed over.
  auto t = buildFromNotation("w 鳌 P span=l;w 鳍 N;w 鳐 N;w 鳑 P span=r;p 1 4 NP span=y");
  ASSERT_TRUE(t);
  postParse(*t);
  const std::vector<int> inner = childrenOf(*t, 5);
  ASSERT_GE(inner.size(), 3u);
  EXPECT_EQ(t->nodes[inner[inner.size() - 2]].kind, '?');
  EXPECT_EQ(t->nodes[5].headChild, inner[inner.size() - 3]) << dumpSentence(*t);
  EXPECT_EQ(t->govNode, 0);
}

TEST_F(PostParseDriverTest, ShortContentsTakeTheirHeadAsTheyStand) {
  // Nothing inside: the closing word; one node inside: that node.
  auto s = buildFromNotation(
      "w 鳌 P span=l;w 鳑 P span=r;w 鳌 P span=l;w 鳍 N;w 鳑 P span=r;p 1 2 NP span=y;p 3 5 NP span=y");
  ASSERT_TRUE(s);
  setHeader(*s);
  postParse(*s);
  EXPECT_EQ(s->nodes[6].headChild, 2);
  EXPECT_EQ(s->nodes[7].headChild, 4);
  EXPECT_EQ(s->nodeCount, 7);
  expectHeader(*s, 6, 7);
}

TEST_F(PostParseDriverTest, UnmarkedCloserLeavesThePhraseWhole) {
  // The closing word lost its mark: nothing is cut, so the chain inside stays linked.
  auto s = buildFromNotation("w 鳌 P span=l;w 鳍 N;w 鳎 V;w 鳐 N;w 鳑 P;p 1 5 NP span=y");
  ASSERT_TRUE(s);
  setHeader(*s);
  postParse(*s);
  expectHeader(*s, 6, 6);
  EXPECT_EQ(shape(*s), "[NP 1 2 3 4 5]");
  EXPECT_EQ(s->nodes[2].prev, 1);
  EXPECT_EQ(s->nodes[4].next, 5);
  EXPECT_EQ(s->nodeCount, 6);
}

TEST_F(PostParseDriverTest, WordKBeforeAListedCloser) {
  // K two places before the closer, after an adverb-like word: wrapped with the closer.
  const std::string k = "$postParse.wordK", close = "$postParse.closingWords#2";
  auto s = buildFromNotation("w 鳌 P span=l;w 鳍 N;w 鳎 V;w " + k + " N;w 鳐 A;w " + close + " P span=r;p 1 6 NP span=y");
  ASSERT_TRUE(s);
  setHeader(*s);
  postParse(*s);
  const std::vector<int> kids = childrenOf(*s, 7);
  ASSERT_FALSE(kids.empty());
  const int np = kids.back();
  EXPECT_EQ(s->nodes[7].lastChild, np);
  EXPECT_EQ(s->nodes[np].CAT, "NP");
  EXPECT_EQ(s->nodes[np].subtype, 'Z');
  EXPECT_EQ(s->nodes[np].ruleNumber, 6);
  EXPECT_EQ(s->nodes[np].spanMark, 'r');
  EXPECT_EQ(shape(*s).find("4 5 6]"), shape(*s).size() - 7) << shape(*s);
  EXPECT_TRUE(s->nodes[4].CHI.empty());

  // K right before the closer only loses its text.
  auto t = buildFromNotation("w 鳌 P span=l;w 鳍 N;w 鳎 V;w " + k + " N;w " + close + " P span=r;p 1 5 NP span=y");
  ASSERT_TRUE(t);
  postParse(*t);
  EXPECT_TRUE(t->nodes[4].CHI.empty());
  EXPECT_EQ(t->nodes[6].lastChild, 5);
}

}  // namespace
}  // namespace cj
