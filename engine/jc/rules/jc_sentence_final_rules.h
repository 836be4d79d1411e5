// Step 6 of the Japanese-to-Chinese rules: the auxiliaries after the predicate (らしい, ようだ,
// べきだ, そうだ, まい ...) are retired and hand a Chinese word to a slot of their clause.
#pragma once
#include "engine/jc/core/jc_sentence.h"

namespace jc {

// Step 6: every live auxiliary (pos 5), dispatched on its base form.
void applySentenceFinalRules(JcSentence* s);

// The rules with more than one line, each on the auxiliary p.
void ruleYouda(JcSentence* s, int p);
void ruleBekida(JcSentence* s, int p);
void ruleMitaida(JcSentence* s, int p);
void ruleBakarida(JcSentence* s, int p);  // also ばかり of the particle step
void ruleSouda(JcSentence* s, int p);
void ruleBeshi(JcSentence* s, int p);
void ruleGotoshi(JcSentence* s, int p);
void ruleMai(JcSentence* s, int p);

// Renderings of the step (keys of the rendering table).
namespace sentence_final_keys {
inline constexpr const char* kRashii = "sentenceFinal.rashii";              // 4 bytes, kSeeming
inline constexpr const char* kNodarou = "sentenceFinal.nodarou";            // 2 bytes, text3
inline constexpr const char* kBeki = "sentenceFinal.beki";                  // 4 bytes, kPreposition
inline constexpr const char* kMitai = "sentenceFinal.mitai";                // 4 bytes, appended to kConcession
inline constexpr const char* kMitaiNoun = "sentenceFinal.mitaiNoun";        // 4 bytes, kOwnRendering
inline constexpr const char* kMitaiForm4 = "sentenceFinal.mitaiForm4";      // 2 bytes, appended
inline constexpr const char* kMitaiForm7 = "sentenceFinal.mitaiForm7";      // 2 bytes, appended
inline constexpr const char* kFuu = "sentenceFinal.fuu";                    // 4 bytes, kOwnRendering
inline constexpr const char* kBakariTa = "sentenceFinal.bakariAfterTa";     // 4 bytes, kNearAdverbial
inline constexpr const char* kBakari = "sentenceFinal.bakari";              // 4 bytes, kNearAdverbial
inline constexpr const char* kSouLooks = "sentenceFinal.souLooks";          // 6 bytes, kSeeming
inline constexpr const char* kSouHeard = "sentenceFinal.souHeard";          // 4 bytes, kSeeming
inline constexpr const char* kBeshi = "sentenceFinal.beshi";                // 4 bytes, kPreposition
inline constexpr const char* kGotoshi = "sentenceFinal.gotoshi";            // 4 bytes, kSeeming
inline constexpr const char* kGotoshiHead = "sentenceFinal.gotoshiHead";    // 4 bytes, headText
inline constexpr const char* kMai = "sentenceFinal.mai";                    // 2 bytes, kNegation
inline constexpr const char* kMaiText3 = "sentenceFinal.maiText3";          // 2 bytes, text3
inline constexpr const char* kYouniTie = "sentenceFinal.youniTie";          // 2 bytes, compared
inline constexpr const char* kYouniPurpose = "sentenceFinal.youniPurpose";  // 4 bytes, kClauseOpener
inline constexpr const char* kYouniLike = "sentenceFinal.youniLike";        // 2 bytes, appended to kClauseOpener
inline constexpr const char* kYouniManner = "sentenceFinal.youniManner";    // 6 bytes, headText2
inline constexpr const char* kYounaLike = "sentenceFinal.younaLike";        // 2 bytes, appended to kCopula
inline constexpr const char* kYounaManner = "sentenceFinal.younaManner";    // 6 bytes, headText2
inline constexpr const char* kYoudaClause = "sentenceFinal.youdaClause";    // 4 bytes, kAfterSubject
inline constexpr const char* kYouda = "sentenceFinal.youda";                // 4 bytes, kAfterSubject
}  // namespace sentence_final_keys

}  // namespace jc
