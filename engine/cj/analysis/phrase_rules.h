// Coded phrase-structure rules of the parse cascade and the node tests they share with the repair
// rules. Each rule walks the top-level chain and wraps fixed patterns into phrase nodes (subtype
// 'Z' with the rule's number).
#pragma once
#include <string_view>

#include "engine/cj/analysis/sentence.h"

namespace cj {

// Shared tests; node indices, 0 = none.
int hasZeroCVal(const CjSentence& s, int i);
int isInVerbListA(std::string_view word);
int isInVerbListB(std::string_view word);
int hasExcludedObjectSem(const CjSentence& s, int v, int n);
int hasNounSense(const CjSentence& s, int i);
int hasNounSenseMSem(const CjSentence& s, int i);
int lastTopNode(const CjSentence& s);
int sentenceFinalAdjective(const CjSentence& s, int before);
int isPredicateHead(const CjSentence& s, int i);
int isNominalNode(const CjSentence& s, int i);
int followedByMarkerA(const CjSentence& s, int i);
int followedByMarkerB(const CjSentence& s, int i);
int followedByMarkerC(const CjSentence& s, int i);
int nextClauseVerb(const CjSentence& s, int i);
int prevClauseVerb(const CjSentence& s, int i);

// The rules, in the order the cascade runs them.
void ruleWNounNP(CjSentence& s);
void ruleVerbObjectNP(CjSentence& s);
void ruleZeroValNounNP(CjSentence& s);
void ruleRelativeClauseNP(CjSentence& s);
void rulePairedNominalNP(CjSentence& s);
void ruleConjoinedNominalNP(CjSentence& s);
void ruleVerbIntroducedIP(CjSentence& s);
void ruleIntroducedNominalNP(CjSentence& s);
void ruleEmbeddedClauseObjectNP(CjSentence& s);
void ruleNominalisedVerbNP(CjSentence& s);
int ruleZeroValVerbPairVP(CjSentence& s);

}  // namespace cj
