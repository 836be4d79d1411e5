// Step 1 of the Japanese-to-Chinese rules: the sentence's symbols before any word rule. Bullets and
// numbering at the start go to `output`, final marks, commas and closing brackets become trailing
// text of the phrase they close, opening brackets become pending outputs of their span. Every
// symbol handled is consumed.
#pragma once
#include "engine/jc/core/jc_sentence.h"

namespace jc {

// Step 1 (runs markConditionalClauses first).
void copyLeadingSymbols(JcSentence* s);

// 1 <= i <= lastNode and node i is a suffix of pos 14 with sub-pos 5, 6 or 7.
bool isPredicativeSuffix(const JcSentence* s, int i);

}  // namespace jc
