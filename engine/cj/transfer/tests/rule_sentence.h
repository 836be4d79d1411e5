// A sentence written in the compact notation, with synthetic listed words and its transfer
// context, for the tests of the transfer rules.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "engine/cj/analysis/tests/sentence_notation.h"
#include "engine/cj/transfer/transfer_context.h"

namespace cjtest {

class RuleSentence : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(loadSyntheticWords()); }

  // Builds the sentence and its context; the header's gov and sentence type as given.
  void build(std::string_view notation, int gov = 0) {
    sentence = buildFromNotation(notation);
    ASSERT_TRUE(sentence);
    sentence->govNode = gov;
    cj::CjSentenceSummary* summary = cj::summaryOf(*sentence);
    ASSERT_NE(summary, nullptr);
    context = cj::makeTransferContext(*sentence, sentence->roleLinks, *summary);
    ASSERT_TRUE(context);
  }
  cj::CjTargetNode& target(int i) { return context->targets[i]; }
  cj::CjNode& source(int i) { return sentence->nodes[i]; }
  std::string japanese(int i) { return context->targets[i].japanese.str(); }
  std::string att(int i) { return context->targets[i].att.str(); }
  // A first dictionary candidate, so that no lookup is needed.
  void candidate(int i, std::string_view text, std::string_view code, char frame2 = 0) {
    cj::CjCandidate c;
    c.text = text;
    c.code = code;
    c.frame2 = frame2;
    context->targets[i].candidates.push_back(c);
  }
  // The children of a target node along its sibling links, as "i j k".
  std::string chain(int p) {
    std::string out;
    int steps = 0;
    for (int k = context->targets[p].firstChild; k != 0 && steps < cj::kMaxNodes;
         k = context->targets[k].nextSibling, ++steps) {
      if (!out.empty()) out += " ";
      out += std::to_string(k);
    }
    return out;
  }
  static std::string word(std::string_view key, int n = 0) { return cj::listedWords(key).at(n); }

  std::unique_ptr<cj::CjSentence> sentence;
  std::unique_ptr<cj::CjTransferContext> context;
};

}  // namespace cjtest
