// Introducer and localizer phrases, the repairs after a failed sentence parse, the linker
// fallback, the inserted linker and the adverbial verb phrase.
#pragma once
#include "engine/cj/analysis/sentence.h"
#include "engine/common/word_table.h"

namespace cj {

// Word-table keys shared with the coordination rules.
namespace repair_words {
inline constinit ListedKey kJ1{"phraseRepair.J1"};
inline constinit ListedKey kJ2{"phraseRepair.J2"};
inline constinit ListedKey kJ3{"phraseRepair.J3"};
}  // namespace repair_words

void ruleIntroducerNP(CjSentence& s);
void ruleIntroducerClauseNP(CjSentence& s);
void ruleIntroducerClauseNP2(CjSentence& s);
void ruleLocalizerPhrases(CjSentence& s);
void ruleClauseIntroducers(CjSentence& s);
void applyLinkerFallback(CjSentence& s);
// The node from which the linker walk goes on; 0 ends it.
int ruleLinkerWord(CjSentence& s, int k);
void ruleVerbLinkerInsert(CjSentence& s);
void removeInsertedLinkers(CjSentence& s);
void ruleAdverbialVP(CjSentence& s);
void ruleSenseFromWord(CjSentence& s);

int findIntroducerSpanEnd(const CjSentence& s, int u);
int findIntroducerSpanEndByPredicate(const CjSentence& s, int u);
int findLocalizerStart(const CjSentence& s, int x);

}  // namespace cj
