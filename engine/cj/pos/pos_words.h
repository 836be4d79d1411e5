// Listed words of the category rules, by label, and the short tests the rules are written in.
#pragma once
#include <array>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "engine/cj/analysis/node_build.h"
#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/sentence.h"
#include "engine/common/word_table.h"

namespace cj::pos {

inline constexpr int kMaxWordLabel = 1200;

namespace detail {
// The word of each label, found once per loaded table.
struct LabelWords {
  std::array<const std::string*, kMaxWordLabel> words{};
  unsigned generation = 0;
};
inline LabelWords labelWords;
// Looks the label's word up and keeps it.
const std::string& findLabelWord(int label);
}  // namespace detail

// Word of label lwN in engine code; empty when not loaded.
inline const std::string& lw(int label) {
  const detail::LabelWords& c = detail::labelWords;
  if (label >= 1 && label < kMaxWordLabel && c.generation == wordTable().generation() && c.words[label])
    return *c.words[label];
  return detail::findLabelWord(label);
}
// Bar list of a list label (324, 325, 326); empty when not loaded.
const std::string& lwList(int label);
// Bar list wl1 .. wl7 of the context rules.
const std::string& contextList(int n);
// Node k's text is in context list wl1 .. wl7 / in the list of a list label.
bool inContextList(const CjSentence& s, int k, int n);
bool inLabelList(const CjSentence& s, int k, int label);
// True when word occurs in text starting at a character boundary.
bool containsText(std::string_view text, std::string_view word);

// Word groups.
inline constexpr std::initializer_list<int> kSetS6 = {3, 4, 5, 6, 7, 8};
inline constexpr std::initializer_list<int> kSetS4 = {5, 6, 7, 8};
inline constexpr std::initializer_list<int> kSetV3 = {12, 13, 14};
inline constexpr std::initializer_list<int> kSetQ4 = {53, 54, 120, 121};
inline constexpr std::initializer_list<int> kSetT5 = {41, 42, 43, 44, 45};

inline std::string_view text(const CjSentence& s, int k) {
  return isNodeIndex(s, k) ? s.nodes[k].CHI.view() : std::string_view();
}
// Node k's text is the listed word.
inline bool is(const CjSentence& s, int k, int label) {
  const std::string& w = lw(label);
  return !w.empty() && isNodeIndex(s, k) && s.nodes[k].CHI == w;
}
inline bool isIn(const CjSentence& s, int k, std::initializer_list<int> labels) {
  for (int l : labels) {
    if (is(s, k, l)) return true;
  }
  return false;
}
// The same tests through held keys.
using KeyRef = std::reference_wrapper<const ListedKey>;
inline bool is(const CjSentence& s, int k, const ListedKey& key) {
  const std::string& w = listedWord(key);
  return !w.empty() && isNodeIndex(s, k) && s.nodes[k].CHI == w;
}
inline bool isIn(const CjSentence& s, int k, std::initializer_list<KeyRef> keys) {
  for (const ListedKey& key : keys) {
    if (is(s, k, key)) return true;
  }
  return false;
}
inline bool endsIn(const CjSentence& s, int k, const ListedKey& key) {
  const std::string& w = listedWord(key);
  return !w.empty() && isNodeIndex(s, k) && hasSuffix(text(s, k), w);
}
// Node k's text is a given plain text (a one-byte letter or sign).
inline bool isText(const CjSentence& s, int k, std::string_view t) { return isNodeIndex(s, k) && s.nodes[k].CHI == t; }
inline bool endsIn(const CjSentence& s, int k, int label) {
  const std::string& w = lw(label);
  return !w.empty() && isNodeIndex(s, k) && hasSuffix(text(s, k), w);
}
inline bool contains(const CjSentence& s, int k, int label) { return containsText(text(s, k), lw(label)); }
inline bool inList(const CjSentence& s, int k, const std::string& barList) {
  return isNodeIndex(s, k) && isInWordList(barList, text(s, k));
}

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
  return is(s, k, 9) || is(s, k, 11) || ((has(s, k, "A") || has(s, k, "R")) && endsIn(s, k, 9));
}

// Writes a category into node k; nothing for a missing node.
inline void setCat(CjSentence& s, int k, std::string_view c) {
  if (isNodeIndex(s, k)) s.nodes[k].CAT = c;
}
// The "keep" result: the word's own letters.
inline const char* keep(const CjSentence& s, int i) { return s.nodes[i].CAT.c_str(); }

}  // namespace cj::pos
