// Adjective and copula conjugation, the per-form conjugators shared by verbs, i-adjectives
// and na-adjectives, and the general te, past and become forms.
#pragma once
#include <string>

#include "engine/cj/transfer/modalities.h"

namespace cj {

// Stem forms of an i-adjective ("高い") and of a na-adjective or the copula ("静かだ").
void conjugateIAdjective(char form, std::string& text, char variant);
void conjugateCopula(char form, std::string& text, char variant);

void applyAdjectiveTense(std::string& text, std::string& code, char ten, char asp);
void applyNaAdjectiveTense(std::string& text, std::string& code, char ten, char asp);

void predicateTeForm(std::string& text, std::string& code);
void predicatePast(std::string& text, std::string& code);
// The become form ("なる").
void appendNaru(std::string& text, std::string& code);

// The per-form conjugator of a form letter ('z', '?', 'E', 'j', 'l', 'd', 'm', 't', 'N', 'n',
// 'y', 'Y', 'i'): the modality chain, negation, the tense step where the form has one, then the
// form's ending, each step chosen by the code as it stands (verb, i-adjective-like, "KYODO").
// Returns false for a letter without a member (text unchanged).
bool adjectiveFormConjugator(char form, std::string& text, std::string& code, CjModalities& m);
bool naAdjectiveFormConjugator(char form, std::string& text, std::string& code, CjModalities& m);
// The verb family: 'Y' is the continuing (te) form.
bool verbFormConjugator(char form, std::string& text, std::string& code, CjModalities& m);
// The tense step and ending of a form without the modality chain and negation, the member
// chosen by the code's group; false when the group or letter has none.
bool applyFormSteps(char form, std::string& text, std::string& code, const CjModalities& m);

}  // namespace cj
