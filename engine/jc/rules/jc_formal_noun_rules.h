// Step 4 of the Japanese-to-Chinese rules: the formal nouns (の, ん, こと, はず, わけ, つもり,
// もの, もん) disappear, keep a rendering of their own, or hand a modal word to the clause they
// close. Also the conditional-clause marking that step 1 runs.
#pragma once
#include "engine/jc/core/jc_sentence.h"

namespace jc {

// Step 4: every formal noun (pos 6/8), then the words of pos 6/9 after the last of them.
void applyFormalNounRules(JcSentence* s);

// The rules, each on the formal noun p.
void applyNoNominaliserRule(JcSentence* s, int p);  // の, ん
void applyKotoRule(JcSentence* s, int p);
void applyHazuRule(JcSentence* s, int p);  // はず, わけ
void applyTsumoriRule(JcSentence* s, int p);
void applyMonoRule(JcSentence* s, int p);  // もの, もん

// Marks the clause of every conditional form 'j' and its first candidate ";@"; with at least one
// conditional every live もし is consumed, and so is one before なら.
void markConditionalClauses(JcSentence* s);

// Word i's rendering (kOwnRendering, else its first candidate's Chinese) ends with the attributive word.
bool renderingEndsWithMark(const JcSentence* s, int i);

namespace formal_noun_keys {
inline constexpr const char* kEndMark = "formalNounRules.endMark";            // 2 bytes
inline constexpr const char* kNoAfterPast = "formalNounRules.noAfterPast";    // 2 bytes, kOwnRendering
inline constexpr const char* kNoBeforeSymbol = "formalNounRules.noBeforeSymbol";
inline constexpr const char* kNoAfterNado = "formalNounRules.noAfterNado";
inline constexpr const char* kNoAfterAdjective = "formalNounRules.noAfterAdjective";
inline constexpr const char* kKoto = "formalNounRules.koto";                  // 2 bytes, kOwnRendering
inline constexpr const char* kHazuNegative = "formalNounRules.hazuNegative";  // 4 bytes, kAfterSubject
inline constexpr const char* kHazu = "formalNounRules.hazu";                  // 4 bytes, kAfterSubject
inline constexpr const char* kTsumori = "formalNounRules.tsumori";            // 4 bytes, kModal
inline constexpr const char* kTsumoriNoun = "formalNounRules.tsumoriNoun";    // 4 bytes, kOwnRendering
inline constexpr const char* kMonoKa = "formalNounRules.monoKa";              // 4 bytes, kAfterSubject
inline constexpr const char* kMono = "formalNounRules.mono";                  // 4 bytes, kOwnRendering
}  // namespace formal_noun_keys

}  // namespace jc
