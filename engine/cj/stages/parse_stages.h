// The stages around the parse that call both the analysis and the part-of-speech pass.
#pragma once
#include "engine/cj/analysis/sentence.h"

namespace cj {

// Prepares the top-level chain for the parse: its end mark, numeral tagging, the ordered
// reduplication passes with the grouping of numeral runs, word combinations, fixed expressions and
// the part-of-speech pass, in that order.
void preParse(CjSentence& s);

// After the parse: the content of every delimited phrase analysed as a sentence of its own, with
// the sentence-level header saved into the summary block and given back at the end.
void postParse(CjSentence& s);

}  // namespace cj
