// Longest-word lookup in a segmentation trie kept on disk, started from its first-character index.
#pragma once
#include <cstdint>
#include <cstdio>

#include "engine/cj/analysis/engine_data.h"

namespace cj {

// One 8-byte node of a trie file.
struct TrieNode {
  uint16_t code = 0;   // lead * 256 + trail; 0 marks a word end
  uint16_t flags = 0;  // kTrieWordEnd, kTrieLastSibling
  uint32_t value = 0;  // word value, or the node index of the first child
};
inline constexpr uint16_t kTrieWordEnd = 1;
inline constexpr uint16_t kTrieLastSibling = 2;
inline constexpr int kTrieNodeSize = 8;

// Longest word text a segment entry holds, in bytes.
inline constexpr int kMaxWordBytes = 38;

struct WordMatch {
  int length = 2;      // bytes of the word (or of the one character)
  int32_t value = 0;   // dictionary entry offset; 0 when nothing was found
  bool found = false;  // the index or the trie named a word
};

// Reads node `index`; false when the file has no such node.
bool readTrieNode(std::FILE* trie, uint32_t index, TrieNode& node);

// The longest word at text (NUL-terminated), or its first character. Words longer than
// kMaxWordBytes are not taken; a node that cannot be read ends the walk.
void matchLongestWord(std::FILE* trie, const CjIndexRecord* index, const char* text, WordMatch& result,
                      int indexCount);

}  // namespace cj
