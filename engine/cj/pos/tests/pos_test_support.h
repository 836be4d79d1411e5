// Sentences for the category rules: listed words by label in the notation, filler words that no
// listed word uses, and the categories of the top-level chain.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/cj/analysis/node_build.h"
#include "engine/cj/analysis/tests/sentence_notation.h"
#include "engine/cj/pos/pos_rules.h"
#include "engine/cj/pos/pos_words.h"

namespace cjtest {

// The notation token of listed word lwN.
inline std::string lwToken(int label) {
  switch (label) {
    case 1: case 2: case 3: case 5: case 6: case 7: case 9:
    case 162: case 163: case 164: case 165: case 166:
      return "$nodePredicates.lw" + std::to_string(label);
    default:
      return "$posClass.lw" + std::to_string(label);
  }
}

// Replaces every {lwN} in the notation by its token. Filler words are hanzi of the GB2312 rows
// after those the synthetic words use (酢 酡 酰 酩 ...), so they never equal a listed word.
inline std::string withLabels(std::string notation) {
  for (std::size_t at = notation.find("{lw"); at != std::string::npos; at = notation.find("{lw", at)) {
    std::size_t close = notation.find('}', at);
    if (close == std::string::npos) break;
    std::string token = lwToken(std::stoi(notation.substr(at + 3, close - at - 3)));
    notation.replace(at, close - at + 1, token);
  }
  return notation;
}

inline std::unique_ptr<cj::CjSentence> build(const std::string& notation) {
  return buildFromNotation(withLabels(notation));
}

// CAT of each node of the top-level chain, separated by spaces.
inline std::string chainCats(const cj::CjSentence& s) {
  std::string out;
  int steps = 0;
  for (int k = s.firstTop; k != 0 && steps < cj::kMaxNodes; k = s.nodes[k].next, ++steps) {
    if (!out.empty()) out += " ";
    out += s.nodes[k].CAT.str();
  }
  return out;
}

// Loads synthetic listed words once per test.
class PosTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(loadSyntheticWords()); }
  void TearDown() override { cj::clearWordTable(); }
};

}  // namespace cjtest
