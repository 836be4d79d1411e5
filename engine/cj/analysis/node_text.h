// Text tests on the nodes of a rule's window: a missing node has an empty text and fails them all.
#pragma once
#include <string>
#include <string_view>

#include "engine/cj/analysis/node_build.h"
#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/sentence.h"
#include "engine/common/word_table.h"
#include "engine/common/dbcs_text.h"

namespace cj {

// The node's text; empty for 0 or an index outside the nodes.
inline std::string_view nodeText(const CjSentence& s, int i) {
  return isNodeIndex(s, i) ? s.nodes[i].CHI.view() : std::string_view();
}

// True for an existing word node (index 0 is no node here).
inline bool isWordAt(const CjSentence& s, int i) { return isNodeIndex(s, i) && isWordNode(s, i); }

// True when the node's text begins with a Chinese character.
inline bool isChineseAt(const CjSentence& s, int i) { return startsWithHanzi(nodeText(s, i)); }

// True when the node's text is n double-byte characters long.
inline bool hasChars(const CjSentence& s, int i, int n) { return nodeText(s, i).size() == 2u * n; }

// Character k (from 0) of a text as two bytes; empty past its end.
inline std::string_view charOf(std::string_view text, std::size_t k) {
  return text.size() >= 2 * k + 2 ? text.substr(2 * k, 2) : std::string_view();
}

// True when text begins with the whole of head (a non-empty head).
inline bool beginsWith(std::string_view text, std::string_view head) {
  return !head.empty() && text.size() >= head.size() && text.compare(0, head.size(), head) == 0;
}

// Byte length of the character at i (a lead byte and its trail, or one byte).
inline std::size_t charSizeAt(std::string_view t, std::size_t i) {
  return dbcs::charSize(t, i);
}

// True when part occurs in text starting at a character boundary.
inline bool containsText(std::string_view text, std::string_view part) {
  if (part.empty()) return false;
  for (std::size_t i = 0; i + part.size() <= text.size(); i += charSizeAt(text, i)) {
    if (text.compare(i, part.size(), part) == 0) return true;
  }
  return false;
}

// True when the node's text equals the single listed word of key (never for an unloaded key).
inline bool isListedText(const CjSentence& s, int i, std::string_view key) {
  const std::string& w = listedWord(key);
  return !w.empty() && nodeText(s, i) == w;
}

// True when the node's text is one of the words of key.
inline bool isAmongListed(const CjSentence& s, int i, std::string_view key) {
  std::string_view t = nodeText(s, i);
  return !t.empty() && isListedWord(key, t);
}

// True when the bar-list test of key finds the node's text.
inline bool isInListedBar(const CjSentence& s, int i, std::string_view key) {
  return isInWordList(listedBarList(key), nodeText(s, i));
}

// The same through held keys.
inline bool isListedText(const CjSentence& s, int i, const ListedKey& key) {
  const std::string& w = listedWord(key);
  return !w.empty() && nodeText(s, i) == w;
}
inline bool isAmongListed(const CjSentence& s, int i, const ListedKey& key) {
  std::string_view t = nodeText(s, i);
  return !t.empty() && isListedWord(key, t);
}
inline bool isInListedBar(const CjSentence& s, int i, const ListedKey& key) {
  return isInListedBarList(key, nodeText(s, i));
}

}  // namespace cj
