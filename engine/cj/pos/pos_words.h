// The short tests the category rules are written in, over node texts, categories and listed words.
#pragma once
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "engine/cj/analysis/node_build.h"
#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/sentence.h"
#include "engine/cj/pos/listed_keys.h"
#include "engine/common/word_table.h"

namespace cj::pos {

// True when word occurs in text starting at a character boundary.
bool containsText(std::string_view text, std::string_view word);

// Word groups.
using KeyRef = std::reference_wrapper<const ListedKey>;
using KeyList = std::initializer_list<KeyRef>;
inline constexpr KeyList kSetS6 = {keys::kLw3, keys::kLw4, keys::kLw5, keys::kLw6, keys::kLw7, keys::kLw8};
inline constexpr KeyList kSetS4 = {keys::kLw5, keys::kLw6, keys::kLw7, keys::kLw8};
inline constexpr KeyList kSetV3 = {keys::kLw12, keys::kLw13, keys::kLw14};
inline constexpr KeyList kSetQ4 = {keys::kLw53, keys::kLw54, keys::kLw120, keys::kLw121};
inline constexpr KeyList kSetT5 = {keys::kLw41, keys::kLw42, keys::kLw43, keys::kLw44, keys::kLw45};

// The word of a held key; empty when not loaded. The table is the same for the life of the program.
inline const std::string kNoWord;
inline const std::string& wordOf(const ListedKey& key) {
  static const KeyedWordRegistry& table = wordTable();
  const std::vector<std::string>& words = key.in(table).words;
  return words.empty() ? kNoWord : words.front();
}

inline std::string_view text(const CjSentence& s, int k) {
  return isNodeIndex(s, k) ? s.nodes[k].CHI.view() : std::string_view();
}
// Node k's text is the listed word.
inline bool is(const CjSentence& s, int k, const ListedKey& key) {
  const std::string& w = wordOf(key);
  return !w.empty() && isNodeIndex(s, k) && s.nodes[k].CHI == w;
}
inline bool isIn(const CjSentence& s, int k, KeyList list) {
  for (const ListedKey& key : list) {
    if (is(s, k, key)) return true;
  }
  return false;
}
// Node k's text ends in / contains the listed word.
inline bool endsIn(const CjSentence& s, int k, const ListedKey& key) {
  const std::string& w = wordOf(key);
  return !w.empty() && isNodeIndex(s, k) && hasSuffix(text(s, k), w);
}
inline bool contains(const CjSentence& s, int k, const ListedKey& key) {
  return containsText(text(s, k), wordOf(key));
}
// Node k's text is in the bar list of a list key.
inline bool inListOf(const CjSentence& s, int k, const ListedKey& key) {
  return isNodeIndex(s, k) && isInListedBarList(key, text(s, k));
}
// Node k's text is a given plain text (a one-byte letter or sign).
inline bool isText(const CjSentence& s, int k, std::string_view t) { return isNodeIndex(s, k) && s.nodes[k].CHI == t; }

inline bool has(const CjSentence& s, int k, std::string_view c) { return hasCat(s, k, c) != 0; }
inline bool hasAny(const CjSentence& s, int k, std::initializer_list<std::string_view> cs) {
  for (std::string_view c : cs) {
    if (hasCat(s, k, c)) return true;
  }
  return false;
}
inline bool exactly(const CjSentence& s, int k, std::string_view c) { return isCat(s, k, c) != 0; }
inline bool letters(const CjSentence& s, int k, std::string_view c) {
  return isNodeIndex(s, k) && catHasSameLetters(s, k, c) != 0;
}
inline bool hasU(const CjSentence& s, int k) { return has(s, k, "U") || has(s, k, "UG"); }
inline bool ms(const CjSentence& s, int k, std::string_view c) { return hasMSem(s, k, c) != 0; }
inline bool ss(const CjSentence& s, int k, std::string_view c) { return hasSSem(s, k, c) != 0; }
inline bool prop(const CjSentence& s, int k, std::string_view c) { return isProp(s, k, c) != 0; }
inline bool who(const CjSentence& s, int k, std::string_view c) { return isWho(s, k, c) != 0; }
inline bool cval(const CjSentence& s, int k, std::string_view c) { return hasVerbCVal(s, k, c) != 0; }
inline bool verb(const CjSentence& s, int k) { return isVerbInContext(s, k) != 0; }
inline bool noun(const CjSentence& s, int k) { return isNounInContext(s, k) != 0; }
inline bool attr(const CjSentence& s, int k) { return isAttributiveNode(s, k) != 0; }
inline bool rb(const CjSentence& s, int k) { return isRightBoundary(s, k); }
inline bool lb(const CjSentence& s, int k) { return isLeftBoundary(s, k); }
inline bool end(const CjSentence& s, int k) { return isAtClauseEnd(s, k); }
inline bool anur(const CjSentence& s, int k) { return hasCatANUR(s, k); }
inline bool prefA(const CjSentence& s, int k) { return prefersCatA(s, k); }
// The first following word with a verb reading in context; 0 when none.
inline int verbAfter(const CjSentence& s, int k) { return nextVerbInContext(s, k); }
// X's text is lw9 or lw11, or X has "A" or "R" and ends in lw9.
inline bool like9(const CjSentence& s, int k) {
  return is(s, k, keys::kLw9) || is(s, k, keys::kLw11) ||
         ((has(s, k, "A") || has(s, k, "R")) && endsIn(s, k, keys::kLw9));
}

// Writes a category into node k; nothing for a missing node.
inline void setCat(CjSentence& s, int k, std::string_view c) {
  if (isNodeIndex(s, k)) s.nodes[k].CAT = c;
}
// The "keep" result: the word's own letters.
inline const char* keep(const CjSentence& s, int i) { return s.nodes[i].CAT.c_str(); }

}  // namespace cj::pos
