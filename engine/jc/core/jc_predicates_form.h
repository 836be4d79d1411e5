// Predicate library, part two: part-of-speech, conjugation-type and conjugation-form tests of one
// node. Conventions as in jc_predicates_search.h; bounds are 0..lastNode unless noted.
// Verb types are 1-17 (16, 17 the サ変 and ザ変 verbs), i-adjective types 18-20, na-adjective
// types 21-24, the copula 25, the auxiliary ぬ 27, the potential suffixes うる/得る 32 and 33.
#pragma once
#include "engine/jc/core/jc_sentence.h"

namespace jc {

// Part of speech.
int isSymbol(const JcSentence* s, int i);             // pos 1
int isParticle(const JcSentence* s, int i);           // pos 9
int isAdverbialParticle(const JcSentence* s, int i);  // pos 9/2
int isFinalParticle(const JcSentence* s, int i);      // pos 9/4
int isAdverb(const JcSentence* s, int i);             // pos 8
int isConjunction(const JcSentence* s, int i);        // pos 10
int isSahenNoun(const JcSentence* s, int i);          // pos 6/2
int isNumeral(const JcSentence* s, int i);            // pos 6/7; 1..lastNode
int isCounterSuffix(const JcSentence* s, int i);      // pos 14/3; 1..lastNode
int isIntransitiveVerb(const JcSentence* s, int i);   // pos 2/2
// pos 2, 3, 4, 5, or 14 with sub-pos 5, 6, 7.
int isPredicateWord(const JcSentence* s, int i);
// pos 6; 7/1; 14 with sub-pos 1, 2, 3; 15.
int isNominalWord(const JcSentence* s, int i);
// The word at i (the last leaf of a phrase), stepping back over particles within its parent, is
// nominal: a nominal word, a bracket or symbol (1/3, 1/4, 1/5), or S2 among the features.
int isNominal(const JcSentence* s, int i);
int isNominalOrAdnominal(const JcSentence* s, int i);  // 1..lastNode
// The head morpheme of i is pos 2 or 14/7 (a verb), pos 6 (a noun).
int isVerb(const JcSentence* s, int i);
int isNounHead(const JcSentence* s, int i);

// Conjugation type.
int isIAdjective(const JcSentence* s, int i);  // 18-20; 1..lastNode
int isNaAdjective(const JcSentence* s, int i);  // 21-23
int isSahenVerb(const JcSentence* s, int i);    // 16, 17
int isSahenVerbAlt(const JcSentence* s, int i);

// Conjugation form of node i itself.
int isVerbTaForm(const JcSentence* s, int i);
int isNotVerbTaForm(const JcSentence* s, int i);  // 1..lastNode
int isVerbBaseForm(const JcSentence* s, int i);
int isVerbContinuative(const JcSentence* s, int i);
int isVerbConditional(const JcSentence* s, int i);
int isVerbTeForm(const JcSentence* s, int i);
int isIAdjectiveContinuative(const JcSentence* s, int i);
int isIAdjectiveStem(const JcSentence* s, int i);
int isNaAdjectiveStem(const JcSentence* s, int i);
int isNaAdjectiveContinuative(const JcSentence* s, int i);
int isAdjectiveConnective(const JcSentence* s, int i);
int isNaAdjectiveAdnominal(const JcSentence* s, int i);
int isAdjectiveTeForm(const JcSentence* s, int i);
int isAdjectiveBaseOrPast(const JcSentence* s, int i);  // 1..lastNode
int testAdjectiveBaseOrPast(const JcSentence* s, int i);
int isVerbBaseOrPast(const JcSentence* s, int i);  // 1..lastNode
int isContinuativeForm(const JcSentence* s, int i);
int isPastForm(const JcSentence* s, int i);
int isPlainBaseOrPastForm(const JcSentence* s, int i);  // 1..lastNode
int isBaseOrPastForm(const JcSentence* s, int i);       // 1..lastNode
// A verb in base or ta form; a word whose parent phrase is verbal and attached with D3 or marked
// B34/B35; a potential suffix in base or ta form.
int isAdnominalPredicate(const JcSentence* s, int i);
// A phrase attached with an adnominal label (D6 not when it ends in 近く), or a morpheme in an
// attributive form. 1..lastNode.
int isAdnominal(const JcSentence* s, int i);

// Tests on the last word: when target i has children, the last leaf of node i stands for i, and a
// trailing symbol under the same parent as the word before it gives way to that word.
int lastWordForTest(const JcSentence* s, int i);
int isVerbImperative(const JcSentence* s, int i);
int isVerbIrrealis(const JcSentence* s, int i);
int isVerbVolitional(const JcSentence* s, int i);
int isConjecture(const JcSentence* s, int i);
int isConditionalForm(const JcSentence* s, int i);
int isPotential(const JcSentence* s, int i);

}  // namespace jc
