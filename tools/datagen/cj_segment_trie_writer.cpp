#include "tools/datagen/cj_segment_trie_writer.h"

#include <algorithm>
#include <map>
#include <memory>

#include "tools/datagen/cj_data_files.h"
#include "platform/core/little_endian.h"
#include "engine/common/dbcs_text.h"

namespace datagen {

namespace {

constexpr uint16_t kWordEnd = 1;
constexpr uint16_t kLastSibling = 2;

struct Node {
  bool isWord = false;
  uint32_t value = 0;
  std::map<uint16_t, std::unique_ptr<Node>> children;
};

struct FileNode {
  uint16_t code;
  uint16_t flags;
  uint32_t value;
};


// Character codes of a word; empty when it is not all double-byte.
std::vector<uint16_t> codesOf(const std::string& word) {
  std::vector<uint16_t> codes;
  if (word.empty() || word.size() % 2 != 0) return {};
  for (std::size_t i = 0; i < word.size(); i += 2) {
    auto lead = static_cast<unsigned char>(word[i]);
    if (!dbcs::isLeadByte(lead)) return {};
    codes.push_back(static_cast<uint16_t>(lead * 256 + static_cast<unsigned char>(word[i + 1])));
  }
  return codes;
}

// Lays out the children of n as one run starting at the end of nodes (the word-end node first),
// then each child's own run; returns the run's first index.
uint32_t layOut(const Node& n, bool withWordEnd, std::vector<FileNode>& nodes) {
  const auto first = static_cast<uint32_t>(nodes.size());
  if (withWordEnd && n.isWord) nodes.push_back({0, kWordEnd, n.value});
  for (const auto& [code, child] : n.children) {
    const bool leaf = child->children.empty();
    nodes.push_back({code, static_cast<uint16_t>(leaf ? kWordEnd : 0), leaf ? child->value : 0});
  }
  nodes.back().flags |= kLastSibling;
  std::size_t at = first + (withWordEnd && n.isWord ? 1 : 0);
  for (const auto& [code, child] : n.children) {
    if (!child->children.empty()) nodes[at].value = layOut(*child, true, nodes);
    ++at;
  }
  return first;
}

}  // namespace

CjTrieFiles cjTrieFiles(const std::vector<CjTrieWord>& words, bool reversed) {
  std::map<uint16_t, std::unique_ptr<Node>> roots;
  for (const CjTrieWord& w : words) {
    std::vector<uint16_t> codes = codesOf(w.word);
    if (codes.empty()) continue;
    if (reversed) std::reverse(codes.begin(), codes.end());
    std::unique_ptr<Node>& root = roots[codes[0]];
    if (!root) root = std::make_unique<Node>();
    Node* n = root.get();
    for (std::size_t i = 1; i < codes.size(); ++i) {
      std::unique_ptr<Node>& child = n->children[codes[i]];
      if (!child) child = std::make_unique<Node>();
      n = child.get();
    }
    n->isWord = true;
    n->value = w.value;
  }
  std::vector<FileNode> nodes;
  std::vector<CjIndexEntry> index;
  for (const auto& [code, root] : roots) {
    if (root->children.empty()) {
      index.push_back({code, 0, root->value});
      continue;
    }
    const auto count = static_cast<uint16_t>(root->children.size() + (root->isWord ? 1 : 0));
    index.push_back({code, count, layOut(*root, true, nodes)});
  }
  CjTrieFiles files;
  for (const FileNode& n : nodes) {
    plat::appendLe(files.trie, n.code, 2);
    plat::appendLe(files.trie, n.flags, 2);
    plat::appendLe(files.trie, n.value, 4);
  }
  files.index = cjIndexFile(index);
  return files;
}

void addCjSegmentationFiles(CjDataFiles& files, const std::vector<CjTrieWord>& words, bool pinyin) {
  const std::string p = pinyin ? "p" : "";
  CjTrieFiles z = cjTrieFiles(words, false);
  CjTrieFiles f = cjTrieFiles(words, true);
  files["zmemdic" + p + ".dat"] = z.trie;
  files["zfc" + p + ".idx"] = z.index;
  files["fmemdic" + p + ".dat"] = f.trie;
  files["ffc" + p + ".idx"] = f.index;
}

}  // namespace datagen
