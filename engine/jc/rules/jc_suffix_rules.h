// Step 5 of the Japanese-to-Chinese rules: every suffix morpheme (part of speech 14) and the
// auxiliaries the analyser classes with them hand their Chinese to a frame slot of the phrase they
// attach to and are consumed.
#pragma once
#include "engine/jc/core/jc_sentence.h"

namespace jc {

// Step 5: prepareSuffixes, then one rule per live suffix, in sentence order.
void applySuffixRules(JcSentence* s);
// Settles の before place and person words.
void prepareSuffixes(JcSentence* s);

// The rules, each on suffix i.
void ruleSuffixGeneric(JcSentence* s, int i);
void ruleProgressive(JcSentence* s, int i);
void ruleSuffixBuri(JcSentence* s, int i);
void ruleSuffixAte(JcSentence* s, int i);
void ruleDesireSuffix(JcSentence* s, int i);
void rulePassiveSuffix(JcSentence* s, int i);
void ruleCausativeSuffix(JcSentence* s, int i);
void ruleNegationSuffix(JcSentence* s, int i);

// Renderings of the step (keys of the rendering table).
namespace suffix_keys {
inline constexpr const char* kNegation = "ruleSuffixGeneric.negation";        // 2 bytes, kAfterSubject
inline constexpr const char* kKanenai = "ruleSuffixGeneric.kanenai";          // 4 bytes, kAfterSubject
inline constexpr const char* kSplitMark = "valencyFrame.splitMark";           // 2 bytes
inline constexpr const char* kAspect1 = "ruleProgressive.aspect1";            // 2 bytes, headText
inline constexpr const char* kAspect2 = "ruleProgressive.aspect2";            // 2 bytes, headText
inline constexpr const char* kBuriNoun = "ruleSuffixBuri.afterNoun";          // 4 bytes, kOwnRendering
inline constexpr const char* kBuriTime = "ruleSuffixBuri.afterTime";          // 4 bytes, kCopula
inline constexpr const char* kAteTo = "ruleSuffixAte.addressedTo";            // 2 bytes, kPreposition
inline constexpr const char* kAteAlone = "ruleSuffixAte.alone";               // 2 bytes, kOwnRendering
inline constexpr const char* kDesire = "ruleDesireSuffix.desire";             // 2 bytes, kModal
inline constexpr const char* kPassiveNegation = "rulePassiveSuffix.negation"; // 2 bytes, kPreposition
inline constexpr const char* kPassive2 = "rulePassiveSuffix.class2";          // 2 bytes, kPassive
inline constexpr const char* kPassive5 = "rulePassiveSuffix.class5";          // 2 bytes, kPreposition
inline constexpr const char* kCausative = "ruleCausativeSuffix.causative";    // 4 bytes, kPassive
inline constexpr const char* kProhibition = "ruleNegationSuffix.prohibition"; // 2 bytes, kAfterSubject
inline constexpr const char* kRequest = "ruleNegationSuffix.request";         // 2 bytes, kAfterSubject (ないでね)
inline constexpr const char* kCannot1 = "ruleNegationSuffix.cannot1";         // 2 bytes, kModal
inline constexpr const char* kCannot2 = "ruleNegationSuffix.cannot2";         // 2 bytes, appended
inline constexpr const char* kNot = "ruleNegationSuffix.negation";            // 2 bytes, kNegation
inline constexpr const char* kNotYet = "ruleNegationSuffix.progressive";      // 2 bytes, te-form + ない
inline constexpr const char* kNotYetKnow = "ruleNegationSuffix.progressiveKnow";
inline constexpr const char* kPast = "ruleNegationSuffix.past";               // 2 bytes, past negation
inline constexpr const char* kPastKnow = "ruleNegationSuffix.pastKnow";
inline constexpr const char* kNotExisting = "ruleNegationSuffix.existence";  // 2 bytes, kNegation after あり + ませ
}  // namespace suffix_keys

}  // namespace jc
