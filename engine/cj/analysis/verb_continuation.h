// Whether a verb may be continued by a word, from the verb-continuation files; and the scan for
// the first marked word.
#pragma once
#include "engine/cj/analysis/sentence.h"

namespace cj {

// 0 no record of the verb accepts the word; 1 a record of the first kind accepts it; 2 one of the
// second kind ("!"); -1 VerbCont.dat cannot be opened (engineStatus 8) or a condition is over-long.
int matchVerbContinuation(const CjSentence& s, int verb, int word);

// The first word node from i on that carries one of the three marks; 0 when none.
int findMarkedWord(const CjSentence& s, int i);

}  // namespace cj
