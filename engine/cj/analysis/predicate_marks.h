// Predicate marks of the top-level nodes ('C' may be a predicate, 'N' never, 'P' the main one) and
// the search for the main predicate of a stretch of the chain.
#pragma once

#include "engine/cj/analysis/sentence.h"
#include "engine/common/word_table.h"

namespace cj {

// Word-table keys that other rule families share.
namespace predicate_words {
inline constinit ListedKey kC1{"predicateMarks.C1"};  // the separator word
inline constinit ListedKey kE2{"predicateMarks.E2"};
inline constinit ListedKey kR1{"predicateMarks.R1"};
inline constinit ListedKey kR2{"predicateMarks.R2"};
inline constinit ListedKey kR3{"predicateMarks.R3"};
inline constinit ListedKey kList149{"predicateMarks.list149"};
}  // namespace predicate_words

void markPredicates(CjSentence& s);
int isPredicativePhrase(const CjSentence& s, int i);
void setMainPredicate(CjSentence& s);
// Ranges run from the node after `after` (the first node when 0) up to `end` (exclusive; 0 = the
// chain's end).
int countPredicates(const CjSentence& s, int after, int end);
int findMainPredicate(const CjSentence& s, int after, int end);
int hasAuxiliaryPredicate(const CjSentence& s, int after, int end);
int nextPredicateOrPhrase(const CjSentence& s, int i);
int sentenceFinalH(const CjSentence& s, int before);

}  // namespace cj
