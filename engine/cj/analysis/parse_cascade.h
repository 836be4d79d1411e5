// The parse of one sentence: the rule groups and coded rules in their fixed order, the sentence
// pass, and on its failure the repairs that end in role assignment. Also the sentence-end step
// of the pre-parse and the particle marks of the fallback.
#pragma once
#include <string_view>

#include "engine/cj/analysis/sentence.h"

namespace cj {

void parseSentence(CjSentence& s);

void repairDelimitedPhrases(CjSentence& s);
void ruleDelimitedPhrase(CjSentence& s);
void ruleVerbParticleVP(CjSentence& s);
void ruleDelimitedPhrase2(CjSentence& s);
// The first chain node with text open and the first node after it with text close.
bool findDelimitedPair(const CjSentence& s, std::string_view open, std::string_view close, int& first, int& last);

void markSentenceEnd(CjSentence& s);
void markParticleWords(CjSentence& s);

}  // namespace cj
