// Small shared steps of the frame, preposition, localiser and special-structure rules: node texts,
// listed-word positions, retiring and writing a node's Japanese.
#pragma once
#include <initializer_list>
#include <string_view>

#include "engine/cj/analysis/node_text.h"
#include "engine/common/word_table.h"
#include "engine/cj/transfer/transfer_context.h"

namespace cj {

// The first character of a text (two bytes for a double-byte character) and its last.
inline std::string_view firstCharOf(std::string_view text) {
  return text.empty() ? text : text.substr(0, charSizeAt(text, 0));
}
inline std::string_view lastCharOf(std::string_view text) {
  std::size_t i = 0, last = 0;
  while (i < text.size()) {
    last = i;
    i += charSizeAt(text, i);
  }
  return text.substr(last);
}

}  // namespace cj

namespace cj::frames {

// The Chinese word and category of node i; empty for none.
inline std::string_view chiOf(const CjTransferContext& c, int i) {
  const CjNode* n = i > 0 ? sourceNode(c, i) : nullptr;
  return n ? n->CHI.view() : std::string_view();
}
inline std::string_view catOf(const CjTransferContext& c, int i) {
  const CjNode* n = i > 0 ? sourceNode(c, i) : nullptr;
  return n ? n->CAT.view() : std::string_view();
}
inline char catLetterOf(const CjTransferContext& c, int i) {
  std::string_view cat = catOf(c, i);
  return cat.empty() ? 0 : cat[0];
}
inline bool catIsOneOf(const CjTransferContext& c, int i, std::initializer_list<std::string_view> cats) {
  std::string_view cat = catOf(c, i);
  for (std::string_view k : cats) {
    if (cat == k) return true;
  }
  return false;
}

// Position of a non-empty word in a key's list; -1 when absent.
inline int listedIndex(std::string_view key, std::string_view word) {
  if (word.empty()) return -1;
  const auto& words = listedWords(key);
  for (std::size_t k = 0; k < words.size(); ++k) {
    if (words[k] == word) return static_cast<int>(k);
  }
  return -1;
}
inline bool listed(std::string_view key, std::string_view word) { return listedIndex(key, word) >= 0; }

// True when (first, last) stands at the same position of two parallel keys.
inline bool listedPair(std::string_view firstKey, std::string_view lastKey, std::string_view first,
                       std::string_view last) {
  if (first.empty() || last.empty()) return false;
  const auto& a = listedWords(firstKey);
  const auto& b = listedWords(lastKey);
  for (std::size_t k = 0; k < a.size() && k < b.size(); ++k) {
    if (a[k] == first && b[k] == last) return true;
  }
  return false;
}

// The same through held keys: the slot is found once, then read without a lookup.
inline int listedIndex(const ListedKey& key, std::string_view word) {
  if (word.empty()) return -1;
  const auto& words = listedWords(key);
  for (std::size_t k = 0; k < words.size(); ++k) {
    if (words[k] == word) return static_cast<int>(k);
  }
  return -1;
}
inline bool listed(const ListedKey& key, std::string_view word) { return listedIndex(key, word) >= 0; }
inline bool listedPair(const ListedKey& firstKey, const ListedKey& lastKey, std::string_view first,
                       std::string_view last) {
  if (first.empty() || last.empty()) return false;
  const auto& a = listedWords(firstKey);
  const auto& b = listedWords(lastKey);
  for (std::size_t k = 0; k < a.size() && k < b.size(); ++k) {
    if (a[k] == first && b[k] == last) return true;
  }
  return false;
}

// The target node at a real index (1 and up), or null.
inline CjTargetNode* at(CjTransferContext& c, int i) { return i > 0 ? targetNode(c, i) : nullptr; }

inline void retire(CjTransferContext& c, int i) {
  if (CjTargetNode* t = at(c, i)) t->alive = 0;
}
inline void setForm(CjTransferContext& c, int i, char form) {
  if (CjTargetNode* t = at(c, i)) t->vform = form;
}
inline void setJapanese(CjTransferContext& c, int i, std::string_view text) {
  if (CjTargetNode* t = at(c, i)) t->japanese = text;
}
inline void setJapanese(CjTransferContext& c, int i, std::string_view text, std::string_view code) {
  if (CjTargetNode* t = at(c, i)) {
    t->japanese = text;
    t->jcat = code;
  }
}
inline void setAtt(CjTransferContext& c, int i, std::string_view text) {
  if (CjTargetNode* t = at(c, i)) t->att = text;
}

}  // namespace cj::frames
