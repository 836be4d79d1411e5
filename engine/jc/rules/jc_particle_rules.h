// Step 9 of the Japanese-to-Chinese rules: every particle still live is settled (retired, given
// its own Chinese word, or handing a word to the phrase it closes), then conditional clauses are
// completed and aspect words placed after verbs in the past form.
#pragma once
#include "engine/jc/core/jc_sentence.h"

namespace jc {

// Step 9: the case, focus, conjunctive and final families, then the closing pass.
void applyParticleRules(JcSentence* s);

// The families, each a walk over the live particles of its sub-POS.
void applyCaseParticleFamily(JcSentence* s);         // 9/1
void applyFocusParticleFamily(JcSentence* s);        // 9/2
void applyConjunctiveParticleFamily(JcSentence* s);  // 9/3
void applyFinalParticleFamily(JcSentence* s);        // 9/4
void applyParticleClosingPass(JcSentence* s);

// The rules with more than one line, each on the particle p.
void ruleCaseMadeParticle(JcSentence* s, int p);
void ruleDake(JcSentence* s, int p);
void ruleKaConjunctive(JcSentence* s, int p);
void ruleMadeConjunctive(JcSentence* s, int p);
void ruleKaFinal(JcSentence* s, int p);

// Renderings of the step (keys of the rendering table).
namespace particle_keys {
// Case particles.
inline constexpr const char* kKara = "particleCase.kara";                // 2 bytes, kPreposition
inline constexpr const char* kToKa = "particleCase.toKa";                // 2 bytes, kOwnRendering
inline constexpr const char* kTo = "particleCase.to";                    // 2 bytes, kOwnRendering
inline constexpr const char* kDe = "particleCase.de";                    // 2 bytes, kCopula
inline constexpr const char* kMadeKore = "particleCase.madeKore";        // 8 bytes, kOwnRendering of これ
inline constexpr const char* kMadeTo = "particleCase.madeTo";            // 2 bytes, kClauseOpener
inline constexpr const char* kMadeUntil = "particleCase.madeUntil";      // 2 bytes, kPreposition
inline constexpr const char* kNo = "particleCase.no";                    // 2 bytes, kOwnRendering
// Focus and adverbial particles.
inline constexpr const char* kNara = "particleFocus.nara";               // 4 bytes, kConcession
inline constexpr const char* kTtara = "particleFocus.ttara";             // 4 bytes, kConcession
inline constexpr const char* kSae = "particleFocus.sae";                 // 2 bytes, kConcession
inline constexpr const char* kSaeHead = "particleFocus.saeHead";         // 2 bytes, headText
inline constexpr const char* kSura = "particleFocus.sura";               // 4 bytes, kConcession
inline constexpr const char* kSuraHead = "particleFocus.suraHead";       // 2 bytes, headText
inline constexpr const char* kDatte = "particleFocus.datte";             // 4 bytes, kConcession
inline constexpr const char* kDatteOwn = "particleFocus.datteOwn";       // 2 bytes, kOwnRendering
inline constexpr const char* kDatteQuestion = "particleFocus.datteQuestion";  // 2 bytes, kOwnRendering
inline constexpr const char* kBakariNumeral = "particleFocus.bakariNumeral";  // 4 bytes, kOwnRendering
inline constexpr const char* kNomi = "particleFocus.nomi";               // 2 bytes, kDistributive
inline constexpr const char* kShika = "particleFocus.shika";             // 4 bytes, headText
inline constexpr const char* kKoso = "particleFocus.koso";               // 4 bytes, kCopula
inline constexpr const char* kNado = "particleFocus.nado";               // 2 bytes, kOwnRendering
inline constexpr const char* kNadoVerb = "particleFocus.nadoVerb";       // 2 bytes, headText2
inline constexpr const char* kNadoSymbol = "particleFocus.nadoSymbol";   // 2 bytes, text4
inline constexpr const char* kNanka = "particleFocus.nanka";             // 4 bytes, kOwnRendering
inline constexpr const char* kNante = "particleFocus.nante";             // 4 bytes, kOwnRendering
inline constexpr const char* kKurai = "particleFocus.kurai";             // 4 bytes, kOwnRendering
inline constexpr const char* kGurai = "particleFocus.gurai";             // 4 bytes, kOwnRendering
inline constexpr const char* kDokoro = "particleFocus.dokoro";           // 4 bytes, kDistributive
inline constexpr const char* kTote = "particleFocus.tote";               // 4 bytes, kConcession
inline constexpr const char* kToteOwn = "particleFocus.toteOwn";         // 2 bytes, kOwnRendering
inline constexpr const char* kJaSore = "particleFocus.jaSore";           // 4 bytes, kOwnRendering of それ
inline constexpr const char* kJa = "particleFocus.ja";                   // 4 bytes, kOwnRendering
inline constexpr const char* kJaStart = "particleFocus.jaStart";         // 4 bytes, kOwnRendering
inline constexpr const char* kTomo = "particleFocus.tomo";               // 2 bytes, kInclusive
inline constexpr const char* kTomoSay = "particleFocus.tomoSay";         // 6 bytes, kOwnRendering of 言える
inline constexpr const char* kDakeNi = "particleFocus.dakeNi";           // 6 bytes, kConcession
inline constexpr const char* kDakeKore = "particleFocus.dakeKore";       // 4 bytes, kOwnRendering of これ
inline constexpr const char* kDakeSore = "particleFocus.dakeSore";       // 4 bytes, kOwnRendering of それ
inline constexpr const char* kDakeAre = "particleFocus.dakeAre";         // 4 bytes, kOwnRendering of あれ
inline constexpr const char* kDakeCase = "particleFocus.dakeCase";       // 2 bytes, kRestriction (D1, D20)
inline constexpr const char* kDakeVerb = "particleFocus.dakeVerb";       // 4 bytes, kRestriction
inline constexpr const char* kDake = "particleFocus.dake";               // 2 bytes, kRestriction
inline constexpr const char* kDakeHead = "particleFocus.dakeHead";       // 2 bytes, kRestriction of the head
// Conjunctive particles.
inline constexpr const char* kYa = "particleConjunctive.ya";             // 2 bytes, kOwnRendering
inline constexpr const char* kOyobi = "particleConjunctive.oyobi";       // 2 bytes, kOwnRendering
inline constexpr const char* kOyobiKanji = "particleConjunctive.oyobiKanji";  // 2 bytes
inline constexpr const char* kNarabini = "particleConjunctive.narabini"; // 2 bytes
inline constexpr const char* kMo = "particleConjunctive.mo";             // 4 bytes, kConcession
inline constexpr const char* kNari = "particleConjunctive.nari";         // 2 bytes, kNearAdverbial
inline constexpr const char* kNariFinal = "particleConjunctive.nariFinal";  // 2 bytes, kSequence
inline constexpr const char* kGaFirst = "particleConjunctive.gaFirst";   // 4 bytes, kOwnRendering
// The words of が and けど close with a comma: 4 to 6 bytes, so that the card can spell them.
inline constexpr const char* kGa = "particleConjunctive.ga";             // 4-6 bytes, headText2
inline constexpr const char* kNaraConj = "particleConjunctive.nara";     // 4 bytes, kClauseOpener
inline constexpr const char* kKedo = "particleConjunctive.kedo";         // 4-6 bytes, headText2
inline constexpr const char* kKedomo = "particleConjunctive.kedomo";     // 4-6 bytes
inline constexpr const char* kKeredo = "particleConjunctive.keredo";     // 4-6 bytes
inline constexpr const char* kKeredomo = "particleConjunctive.keredomo"; // 4-6 bytes
inline constexpr const char* kKaraTo = "particleConjunctive.karaTo";     // 4 bytes, kClauseOpener
inline constexpr const char* kKaraReason = "particleConjunctive.karaReason";  // 4 bytes, kClauseOpener
inline constexpr const char* kMadeConj = "particleConjunctive.made";     // 2 bytes, kClauseOpener
// Sentence-final particles.
inline constexpr const char* kKaMo = "particleFinal.kaMo";               // 2 bytes, text3
inline constexpr const char* kKa = "particleFinal.ka";                   // 2 bytes, text3
inline constexpr const char* kKai = "particleFinal.kai";                 // 2 bytes, text3
inline constexpr const char* kKana = "particleFinal.kana";               // 2 bytes, text3
inline constexpr const char* kNa = "particleFinal.na";                   // 2 bytes, kAfterSubject
inline constexpr const char* kYo = "particleFinal.yo";                   // 2 bytes, kOwnRendering
inline constexpr const char* kYoKatakana = "particleFinal.yoKatakana";   // 2 bytes, kOwnRendering
inline constexpr const char* kZe = "particleFinal.ze";                   // 2 bytes, headText2
inline constexpr const char* kNaa = "particleFinal.naa";                 // 2 bytes, kOwnRendering
inline constexpr const char* kNaaSmall = "particleFinal.naaSmall";       // 2 bytes, kOwnRendering
inline constexpr const char* kNaaAdjective = "particleFinal.naaAdjective";  // 2 bytes, kNearAdverbial
// Closing pass.
inline constexpr const char* kConditional = "particleClosing.conditional";  // 4 bytes, kClauseOpener
inline constexpr const char* kAspect1 = "particleClosing.aspect1";       // 2 bytes
inline constexpr const char* kAspect2 = "particleClosing.aspect2";       // 2 bytes
inline constexpr const char* kConditionalThen = "particleClosing.conditionalThen";  // 2 bytes, kSequence of the governor
}  // namespace particle_keys

// Keys of the conjunctions written as particles (または ... そして), one per surface.
namespace particle_conjunction_keys {
inline constexpr const char* kMatawa = "particleConjunctive.matawa";             // 4 bytes
inline constexpr const char* kMatawaKanji = "particleConjunctive.matawaKanji";   // 4 bytes
inline constexpr const char* kMata = "particleConjunctive.mata";                 // 2 bytes
inline constexpr const char* kMataKanji = "particleConjunctive.mataKanji";       // 4 bytes
inline constexpr const char* kKatsu = "particleConjunctive.katsu";               // 4 bytes
inline constexpr const char* kKatsumata = "particleConjunctive.katsumata";       // 4 bytes
inline constexpr const char* kMoshikuwa = "particleConjunctive.moshikuwa";       // 4 bytes
inline constexpr const char* kMoshikuwaKanji = "particleConjunctive.moshikuwaKanji";  // 4 bytes
inline constexpr const char* kAruiwa = "particleConjunctive.aruiwa";             // 4 bytes
inline constexpr const char* kAruiwaKanji = "particleConjunctive.aruiwaKanji";   // 4 bytes
inline constexpr const char* kNaishiwa = "particleConjunctive.naishiwa";         // 2 bytes
inline constexpr const char* kNaishi = "particleConjunctive.naishi";             // 2 bytes
inline constexpr const char* kSoshite = "particleConjunctive.soshite";           // 10 bytes
}  // namespace particle_conjunction_keys

}  // namespace jc
