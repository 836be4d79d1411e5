// An analysed sentence from the test notation, its transfer context and the synthetic word
// table, for the generation tests that need no data folder.
#pragma once
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/cj/analysis/tests/sentence_notation.h"
#include "engine/common/word_table.h"
#include "engine/cj/transfer/transfer_context.h"

namespace cjtest {

inline cj::CjCandidate candidate(std::string_view text, std::string_view code, char frame = 0, char frame2 = 0) {
  cj::CjCandidate k;
  k.kind = 'V';
  k.text = text;
  k.code = code;
  k.frame = frame;
  k.frame2 = frame2;
  return k;
}

// Word n of a word-table key.
inline std::string listed(std::string_view key, std::size_t n = 0) {
  const std::vector<std::string>& words = cj::listedWords(key);
  return n < words.size() ? words[n] : std::string();
}

class GenerationFixture : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(loadSyntheticWords()); }
  void TearDown() override { cj::clearWordTable(); }

  // Reloads the synthetic table with some keys holding the given engine-code words.
  void reloadWords(const std::map<std::string, std::vector<std::string>>& engineWords) {
    datagen::WordTable table = datagen::syntheticWordTable(datagen::wordKeyShapes(cj::registeredWordKeys()));
    for (const auto& [key, words] : engineWords) {
      std::vector<std::string>& out = table[key];
      out.clear();
      for (const std::string& w : words) {
        std::string escaped;
        for (unsigned char b : w) {
          static const char* hex = "0123456789ABCDEF";
          escaped += std::string("\\x") + hex[b >> 4] + hex[b & 15];
        }
        out.push_back(escaped);
      }
    }
    ASSERT_EQ(cj::loadWordTableText(datagen::wordTableText(table)), cj::kWordTableLoaded);
  }

  // Builds the sentence and a context over it; node indices follow the notation.
  void build(std::string_view notation) {
    sentence = buildFromNotation(notation);
    ASSERT_TRUE(sentence);
    if (cj::CjSentenceSummary* s = cj::summaryOf(*sentence)) summary = *s;
    summary.nodeCount = sentence->nodeCount;
    context = cj::makeTransferContext(*sentence, sentence->roleLinks, summary);
    ASSERT_TRUE(context);
  }
  cj::CjTargetNode& target(int i) { return context->targets[i]; }
  // Pushes head as the top frame of the walk.
  void visit(int head) {
    cj::CjTransferFrame f;
    f.node = head;
    context->frameStack.push_back(f);
  }

  std::unique_ptr<cj::CjSentence> sentence;
  cj::CjSentenceSummary summary;
  std::unique_ptr<cj::CjTransferContext> context;
};

}  // namespace cjtest
