// Class tests on translation candidates and the narrowing of a node's candidate list to the
// transitive or the intransitive ones.
#pragma once
#include "engine/cj/transfer/transfer_context.h"

namespace cj {

// k '1' transitive class, '2' intransitive, '3' copula, '4' frame character '4', 'V' either verb
// class; any other k, or no candidate, fails.
bool candidateHasClass(const CjCandidate* candidate, char k);

// Makes candidate `first` the head of node's list (those before it are freed) and frees every
// later candidate that fails class k. 1 when the head passes, or fails but has a successor (which
// becomes the head); else 0.
int narrowCandidates(CjTransferContext& c, int node, int first, char k);
// The same with the dictionary's kind test on each candidate's kind character.
int narrowCandidatesByKind(CjTransferContext& c, int node, int first, char kind);

// Narrows a verb's candidates to transitive or intransitive ones by whether it has an object.
void chooseTransitivity(CjTransferContext& c, int verb);
// chooseTransitivity on every word node of category "V", from node 1 to the first phrase.
void chooseTransitivityForAll(CjTransferContext& c);

}  // namespace cj
