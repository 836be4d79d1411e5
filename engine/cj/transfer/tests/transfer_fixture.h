// A small analysed sentence and its transfer context, built without the analysis.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <vector>

#include "engine/cj/analysis/tests/cj_test_engine.h"
#include "engine/cj/transfer/transfer_context.h"

namespace cjtest {

class TransferFixture : public ::testing::Test {
 protected:
  // Words 1..n chained as the top level, category "N".
  void words(int n) {
    for (int i = 1; i <= n; ++i) {
      cj::CjNode& w = sentence->nodes[i];
      w.kind = '4';
      w.CAT = "N";
      w.prev = i > 1 ? i - 1 : 0;
      w.next = i < n ? i + 1 : 0;
    }
    std::vector<int> chain;
    for (int i = 1; i <= n; ++i) chain.push_back(i);
    topChain(chain);
    summary.wordCount = n;
    setNodeCount(n);
  }
  // Phrase p over children in order, with head child `head`.
  void phrase(int p, std::initializer_list<int> children, int head) {
    cj::CjNode& ph = sentence->nodes[p];
    ph.CAT = "NP";
    std::vector<int> kids(children);
    ph.firstChild = kids.front();
    ph.lastChild = kids.back();
    ph.headChild = head;
    for (std::size_t k = 0; k < kids.size(); ++k) {
      cj::CjNode& n = sentence->nodes[kids[k]];
      n.parent = p;
      n.prev = k > 0 ? kids[k - 1] : 0;
      n.next = k + 1 < kids.size() ? kids[k + 1] : 0;
    }
  }
  void topChain(const std::vector<int>& chain) {
    for (std::size_t k = 0; k < chain.size(); ++k) {
      cj::CjNode& n = sentence->nodes[chain[k]];
      n.prev = k > 0 ? chain[k - 1] : 0;
      n.next = k + 1 < chain.size() ? chain[k + 1] : 0;
    }
    summary.firstTop = chain.front();
    summary.lastTop = chain.back();
  }
  void setNodeCount(int n) {
    summary.nodeCount = n;
    sentence->nodeCount = n;
  }
  void start() {
    context = cj::makeTransferContext(*sentence, links, summary);
    ASSERT_TRUE(context);
  }
  cj::CjTargetNode& target(int i) { return context->targets[i]; }

  static std::unique_ptr<cj::CjSentence> sentenceOfTheTestEngine() {
    auto s = std::make_unique<cj::CjSentence>();
    s->engine = &engine();
    return s;
  }

  std::unique_ptr<cj::CjSentence> sentence = sentenceOfTheTestEngine();
  std::vector<cj::CjRoleLink> links;
  cj::CjSentenceSummary summary;
  std::unique_ptr<cj::CjTransferContext> context;
};

}  // namespace cjtest
