// Helpers of the pre-parse rule tests: synthetic listed words with chosen overrides, listed words
// as engine text, and a dump of the top-level chain by node index.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "engine/cj/analysis/node_build.h"
#include "engine/cj/analysis/sentence.h"
#include "engine/cj/analysis/tests/sentence_notation.h"
#include "engine/common/word_table.h"
#include "tools/datagen/word_table_writer.h"

namespace cjtest {

// Loads synthetic words for every key; overrides map a key to the words of other keys
// ("key" -> {"otherKey#n", ...}) so that one word can play two roles.
inline bool loadWordsWith(const std::map<std::string, std::vector<std::string>>& overrides = {}) {
  auto table = datagen::syntheticWordTable(datagen::wordKeyShapes(cj::registeredWordKeys()));
  for (const auto& [key, refs] : overrides) {
    std::vector<std::string> words;
    for (const std::string& ref : refs) {
      auto hash = ref.find('#');
      std::string other = ref.substr(0, hash);
      std::size_t n = hash == std::string::npos ? 0 : std::stoul(ref.substr(hash + 1));
      if (!table.count(other) || table[other].size() <= n) return false;
      words.push_back(table[other][n]);
    }
    table[key] = words;
  }
  return cj::loadWordTableText(datagen::wordTableText(table)) == cj::kWordTableLoaded;
}

// Word n of a key in engine code.
inline std::string listed(const std::string& key, std::size_t n = 0) {
  const auto& words = cj::listedWords(key);
  return n < words.size() ? words[n] : std::string();
}

// The top-level chain by node index, a phrase as [CAT child ...].
inline std::string shapeOf(const cj::CjSentence& s, int i, int depth = 0) {
  if (i < 1 || i >= cj::kMaxNodes || depth > cj::kMaxNodes) return "?";
  if (cj::isWordNode(s, i)) return std::to_string(i);
  const cj::CjNode& n = s.nodes[i];
  std::string out = "[" + n.CAT.str();
  int steps = 0;
  for (int k = n.firstChild; k != 0 && steps < cj::kMaxNodes; k = s.nodes[k].next, ++steps) {
    out += " " + shapeOf(s, k, depth + 1);
  }
  return out + "]";
}

inline std::string shape(const cj::CjSentence& s) {
  std::string out;
  int steps = 0;
  for (int k = s.firstTop; k != 0 && steps < cj::kMaxNodes; k = s.nodes[k].next, ++steps) {
    if (!out.empty()) out += " ";
    out += shapeOf(s, k);
  }
  return out;
}

// Class, rule number and head of a node: "2/3/h4" (a missing class as '-').
inline std::string labelOf(const cj::CjSentence& s, int i) {
  if (i < 1 || i >= cj::kMaxNodes) return "?";
  const cj::CjNode& n = s.nodes[i];
  std::string c = n.structureClass ? std::string(1, n.structureClass) : std::string("-");
  return c + "/" + std::to_string(n.ruleNumber) + "/h" + std::to_string(n.headChild);
}

// A sentence that fills every slot but one: no node can be built.
inline std::unique_ptr<cj::CjSentence> fullSentence(const std::string& firstWords) {
  std::string notation = firstWords;
  int words = 1 + static_cast<int>(std::count(firstWords.begin(), firstWords.end(), ';'));
  for (int i = words; i < cj::kMaxNodes - 1; ++i) notation += ";w - X";
  return buildFromNotation(notation);
}

}  // namespace cjtest
