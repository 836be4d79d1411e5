// Merges prefixed, headed, suffixed and run-together words into noun nodes before the parse.
#pragma once
#include "engine/cj/analysis/sentence.h"

namespace cj {

// The ten passes below, in order, each over the whole top-level chain.
void combineWords(CjSentence& s);

// True when node i's text is in list W, or it is W-prefix 1 or 2 and the next node's text is.
bool isListedWithSuccessor(const CjSentence& s, int i);

// The passes one by one (class and rule number of the nodes they build in brackets).
void combineCharacterRuns(CjSentence& s);       // 1: runs of listed characters ('2', 3)
void combinePrefixedHeads(CjSentence& s);       // 2: pair character, prefixes ('2', 3; '1', 1; '1', 2)
void combineNumeralPrefix(CjSentence& s);       // 3: numeral prefix + numeral ('1', 3)
void combineListedWordPrefix(CjSentence& s);    // 4: W-prefix + word of list W ('1', 4)
void combineNounPrefix(CjSentence& s);          // 5: noun prefix + noun ('1', 5)
void combineHeadCharacter(CjSentence& s);       // 6: head character + what follows ('2', 1-3)
void combineNounSuffix(CjSentence& s);          // 7: noun + noun suffix 1 ('2', 4)
void combineWordSuffix(CjSentence& s);          // 8: word + noun suffix 2 or a listed suffix ('2', 6; '2', 5)
void combineShortWordSuffix(CjSentence& s);     // 9: one character + noun suffix 1 ('2', 5)
void giveListedNounSenses(CjSentence& s);       // 10: listed characters become nouns

}  // namespace cj
