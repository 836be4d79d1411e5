// Listed words of the phrase-structure rules (keys of the word table).
#pragma once
#include <string_view>

#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/sentence.h"
#include "engine/cj/analysis/word_table.h"

namespace cj::phrase_words {

inline constexpr const char* kL1 = "phraseRules.L1";  // the modifier linker
inline constexpr const char* kL2 = "phraseRules.L2";
inline constexpr const char* kM1 = "phraseRules.M1";
inline constexpr const char* kM2 = "phraseRules.M2";
inline constexpr const char* kM3 = "phraseRules.M3";
inline constexpr const char* kK1 = "phraseRules.K1";
inline constexpr const char* kP1 = "phraseRules.P1";
inline constexpr const char* kP2 = "phraseRules.P2";
inline constexpr const char* kD = "phraseRules.D";
inline constexpr const char* kX2 = "phraseRules.X2";
inline constexpr const char* kF1 = "phraseRules.F1";
inline constexpr const char* kVerbListA = "phraseRules.verbListA";
inline constexpr const char* kVerbListB = "phraseRules.verbListB";
inline constexpr const char* kNounList6 = "phraseRules.nounList6";
inline constexpr const char* kVerbList15 = "phraseRules.verbList15";

// The node's word text; empty for an index outside the nodes.
inline std::string_view wordOf(const CjSentence& s, int i) { return isNodeIndex(s, i) ? s.nodes[i].CHI.view() : ""; }

// True when node i's word is the single word of a key.
inline bool wordIs(const CjSentence& s, int i, const char* key) {
  std::string_view w = wordOf(s, i);
  return !w.empty() && w == listedWord(key);
}

inline bool isLinker(const CjSentence& s, int i) { return wordIs(s, i, kL1) || wordIs(s, i, kL2); }

inline bool hasNounCat(const CjSentence& s, int i) { return hasCat(s, i, "N") || hasCat(s, i, "NP"); }
inline bool hasVerbCat(const CjSentence& s, int i) { return hasCat(s, i, "V") || hasCat(s, i, "VP"); }

// The node's exact CAT; empty outside the nodes.
inline std::string_view catOf(const CjSentence& s, int i) { return isNodeIndex(s, i) ? s.nodes[i].CAT.view() : ""; }

}  // namespace cj::phrase_words
