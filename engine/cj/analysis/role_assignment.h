// Grammatical roles on the top-level chain: the sentence-wide adverb passes, the left and right
// dependents of one predicate, and the tests the predicate linking shares.
#pragma once
#include <string_view>

#include "engine/cj/analysis/dependent_features.h"
#include "engine/cj/analysis/sentence.h"

namespace cj {

inline constexpr int kMaxCollectedPredicates = 20;

// Role links made by the analysis go through here: a link whose head or dependent is not a node
// is not made.
void linkRole(CjSentence& s, int head, int dependent, std::string_view label);

// The driver, run on the parse's fallback road.
void assignRoles(CjSentence& s);
// Fills list (at least 21 slots) with the predicates of the chain followed by 0; the count becomes
// the argument count and is returned.
int collectPredicates(CjSentence& s, int* list);
void attachListedAdverbs(CjSentence& s);
void attachConjunctiveAdverbs(CjSentence& s);

// Bounds are nodes of the chain (exclusive); 0 is the chain's start (left) or end (right).
int assignClauseRoles(CjSentence& s, int leftBound, int rightBound, int pred);
void assignLeftRoles(CjSentence& s, int pred, int leftBound);
void assignLeftAdverbials(CjSentence& s, int pred, int leftBound);
void assignRightRoles(CjSentence& s, int pred, int rightBound);

int findNominalBetween(const CjSentence& s, int a, int b);
int findFollowingNominal(const CjSentence& s, int node);
int findFollowingPredicateOrPhrase(const CjSentence& s, int node);
bool headIsWord(const CjSentence& s, int node, std::string_view word);
bool headSecondMarkIs(const CjSentence& s, int node, char mark);
bool headHasVerbCVal(const CjSentence& s, int node, std::string_view code);
bool isNextNode(const CjSentence& s, int a, int b);
bool isAfter(const CjSentence& s, int a, int b);
bool isAttached(const CjSentence& s, int node);

}  // namespace cj
