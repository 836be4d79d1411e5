// Tense, aspect, voice and negation marks carried from an attached dependent to its head.
#pragma once
#include "engine/cj/analysis/sentence.h"

namespace cj {

// Carries the dependent's marks to head and to head's lexical head.
void propagateDependentFeatures(CjSentence& s, int head, int dependent);

// False when a slot below node (by index, down to 1) has TEN 'C' or a listed tense word.
bool noEarlierTenseMark(const CjSentence& s, int node);

}  // namespace cj
