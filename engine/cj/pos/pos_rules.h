// The part-of-speech pass: word rules, class rules, context rule sets and the driver.
#pragma once
#include "engine/cj/analysis/sentence.h"

namespace cj {

// A category rule: the result is a category string for node i's CAT (node i's own CAT = keep).
using PosRule = const char* (*)(CjSentence& s, int i);

// The candidate sets in the order the dispatcher tests them.
#define CJ_POS_CANDIDATE_SETS(X)                                                                            \
  X(AI) X(VAG) X(VAI) X(NH) X(NFI) X(NFL) X(VSL) X(VFR) X(NFC) X(FH) X(SNA) X(VE) X(NV) X(AF) X(NAF) X(NVAF) \
  X(VF) X(VAF) X(AG) X(VAIS) X(AIS) X(VASL) X(NA) X(NAU) X(NVA) X(AR) X(AS) X(VAS) X(AV) X(NVFE) X(FRE)     \
  X(NE) X(NVE) X(RE) X(FG) X(NFG) X(VFRG) X(FI) X(NVFI) X(VFI) X(FJ) X(NFJ) X(FJR) X(FL) X(NF) X(NFRS)      \
  X(NVF) X(FR) X(FS) X(FU) X(FY) X(IG) X(VIG) X(GJ) X(NG) X(NVG) X(VRG) X(VG) X(IJ) X(NVIJ) X(NI) X(NVI)    \
  X(IS) X(VI) X(NJ) X(RJ) X(VRJ) X(JS) X(NL) X(RL) X(SL) X(VL) X(NR) X(NS) X(NUS) X(NVS) X(NU) X(VO) X(US) \
  X(VS) X(VU) X(NJL) X(AU) X(NJC) X(NC) X(FC) X(JV) X(VSI) X(VH) X(RV) X(IJV) X(NVJ) X(GR) X(VFJ)

#define CJ_POS_DECLARE_CLASS_RULE(set) const char* resolveClass##set(CjSentence& s, int i);
CJ_POS_CANDIDATE_SETS(CJ_POS_DECLARE_CLASS_RULE)
// Sets reached only through other rules.
const char* resolveClassNAS(CjSentence& s, int i);
const char* resolveClassVA(CjSentence& s, int i);
const char* resolveClassLJN(CjSentence& s, int i);
#undef CJ_POS_DECLARE_CLASS_RULE

// Candidate-set dispatcher: the rule of the first set with node i's letters writes node i's CAT.
void resolveByCandidateSet(CjSentence& s, int i);

// Word rules 01 .. 87 and their dispatcher.
#define CJ_POS_WORD_RULES(X)                                                                                 \
  X(01) X(02) X(03) X(04) X(05) X(06) X(07) X(08) X(09) X(10) X(11) X(12) X(13) X(14) X(15) X(16) X(17) X(18) \
  X(19) X(20) X(21) X(22) X(23) X(24) X(25) X(26) X(27) X(28) X(29) X(30) X(31) X(32) X(33) X(34) X(35) X(36) \
  X(37) X(38) X(39) X(40) X(41) X(42) X(43) X(44) X(45) X(46) X(47) X(48) X(49) X(50) X(51) X(52) X(53) X(54) \
  X(55) X(56) X(57) X(58) X(59) X(60) X(61) X(62) X(63) X(64) X(65) X(66) X(67) X(68) X(69) X(70) X(71) X(72) \
  X(73) X(74) X(75) X(76) X(77) X(78) X(79) X(80) X(81) X(82) X(83) X(84) X(85) X(86) X(87)
#define CJ_POS_DECLARE_WORD_RULE(n) const char* resolveWord##n(CjSentence& s, int i);
CJ_POS_WORD_RULES(CJ_POS_DECLARE_WORD_RULE)
#undef CJ_POS_DECLARE_WORD_RULE

// When node i's text is a word with a rule of its own, that rule writes node i's CAT.
void resolveByWord(CjSentence& s, int i);

// The two context rule sets.
void applyContextRules(CjSentence& s);
bool applyLeadingContextRules(CjSentence& s, int x);

// The pass and its closing steps.
void resolvePosAmbiguity(CjSentence& s);
void keepFirstCandidate(CjSentence& s);
void applySettledSenses(CjSentence& s);

// Lists every word, class and context rule in the rule counts (nothing when counting is off).
void declarePosRules();
void declareClassRules();
void declareContextRules();

// Copies a rule's result into node i's CAT.
void writeCategory(CjSentence& s, int i, const char* result);

}  // namespace cj
