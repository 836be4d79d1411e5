// Predicate library, part three: walks through the source tree. Morphemes are leaves, phrase
// nodes inner nodes; each phrase also names the phrase it depends on (`headPhrase`).
// Conventions as in jc_predicates_search.h: 0 is none, a bad index answers 0.
#pragma once
#include "engine/jc/core/jc_sentence.h"

namespace jc {

// The node's own links.
int parentOf(const JcSentence* s, int i);
int prevSiblingOf(const JcSentence* s, int i);
int firstChildOf(const JcSentence* s, int i);
int lastChildOf(const JcSentence* s, int i);
int headPhraseOf(const JcSentence* s, int i);

// Down through first / last children to a morpheme.
int firstLeaf(const JcSentence* s, int i);
int lastLeaf(const JcSentence* s, int i);
// Down through `head` links to a morpheme or a node that is its own head; 0 for i < 1.
int headMorpheme(const JcSentence* s, int i);
// Up through parents to a node without parent; 0 for i < 1.
int rootOf(const JcSentence* s, int i);
// The largest phrase that ends with i: from a morpheme's parent (a phrase itself) up while the
// node is the last child of its parent; 0 for i < 1.
int maximalProjection(const JcSentence* s, int i);
// From the root of i along `headPhrase` links to the end.
int finalHeadPhrase(const JcSentence* s, int i);
// The first earlier sibling of i that depends on i; i when there is none.
int firstSibling(const JcSentence* s, int i);
// From i's parent back over continuative dependents; the first child of the node reached.
int firstChildOfRun(const JcSentence* s, int i);
// From i (a morpheme: its parent) back over adnominal or continuative dependents.
int startOfModifierChain(const JcSentence* s, int i);
// From i's parent back over adnominal siblings; the first leaf of the node reached.
int climbAdnominalChain(const JcSentence* s, int i);
// The head phrase of i's root; without one, i's parent when i is of a verb type.
int governorOf(const JcSentence* s, int i);
// The head phrase h of i's maximal projection, or the phrase attached to h with D2 when that
// phrase's last word comes after i and is no verb, conjunction or conditional form. 0 when h is
// missing or the first leaf of target h is retired.
int findClauseHead(const JcSentence* s, int i);

// i depends on j and the last child of i is adnominal / a continuative form (0 for i or j < 1).
int isAdnominalDependentOf(const JcSentence* s, int i, int j);
int isContinuativeDependentOf(const JcSentence* s, int i, int j);

}  // namespace jc
