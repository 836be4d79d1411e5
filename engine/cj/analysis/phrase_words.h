// Listed words of the phrase-structure rules (keys of the word table).
#pragma once
#include <string_view>

#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/sentence.h"
#include "engine/common/word_table.h"

namespace cj::phrase_words {

inline constinit ListedKey kL1{"phraseRules.L1"};  // the modifier linker
inline constinit ListedKey kL2{"phraseRules.L2"};
inline constinit ListedKey kM1{"phraseRules.M1"};
inline constinit ListedKey kM2{"phraseRules.M2"};
inline constinit ListedKey kM3{"phraseRules.M3"};
inline constinit ListedKey kK1{"phraseRules.K1"};
inline constinit ListedKey kP1{"phraseRules.P1"};
inline constinit ListedKey kP2{"phraseRules.P2"};
inline constinit ListedKey kD{"phraseRules.D"};
inline constinit ListedKey kX2{"phraseRules.X2"};
inline constinit ListedKey kF1{"phraseRules.F1"};
inline constinit ListedKey kVerbListA{"phraseRules.verbListA"};
inline constinit ListedKey kVerbListB{"phraseRules.verbListB"};
inline constinit ListedKey kNounList6{"phraseRules.nounList6"};
inline constinit ListedKey kVerbList15{"phraseRules.verbList15"};

// The node's word text; empty for an index outside the nodes.
inline std::string_view wordOf(const CjSentence& s, int i) { return isNodeIndex(s, i) ? s.nodes[i].CHI.view() : ""; }

// True when node i's word is the single word of a key.
inline bool wordIs(const CjSentence& s, int i, const ListedKey& key) {
  std::string_view w = wordOf(s, i);
  return !w.empty() && w == listedWord(key);
}

inline bool isLinker(const CjSentence& s, int i) { return wordIs(s, i, kL1) || wordIs(s, i, kL2); }

inline bool hasNounCat(const CjSentence& s, int i) { return hasCat(s, i, "N") || hasCat(s, i, "NP"); }
inline bool hasVerbCat(const CjSentence& s, int i) { return hasCat(s, i, "V") || hasCat(s, i, "VP"); }

// The node's exact CAT; empty outside the nodes.
inline std::string_view catOf(const CjSentence& s, int i) { return isNodeIndex(s, i) ? s.nodes[i].CAT.view() : ""; }

}  // namespace cj::phrase_words
