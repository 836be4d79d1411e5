// Step 3 of the Japanese-to-Chinese rules: predicate expressions (と + する, できる, 予定, the
// copula and its negations, という, fixed expressions, の after a postposition ...) put a fixed
// Chinese word into a slot of the phrase they head and retire the words they used.
#pragma once
#include "engine/jc/core/jc_sentence.h"

namespace jc {

// Step 3: the twelve rules below, in this order.
void applyPredicateExpressionRules(JcSentence* s);

void ruleDekiru(JcSentence* s);
void ruleYotei(JcSentence* s);
void ruleShuppatsu(JcSentence* s);
void ruleCopulaNegation(JcSentence* s);
void ruleZutsu(JcSentence* s);
// と + する and という of the predicate expressions; the sentence-pattern rules of the same names
// are other rules.
namespace predicate_expressions {
void ruleToSuru(JcSentence* s);
void ruleToIu(JcSentence* s);
}
void ruleFixedExpressions(JcSentence* s);
void ruleQuotePostposition(JcSentence* s);
void ruleArimasenPlace(JcSentence* s);
void ruleNiPredicate(JcSentence* s);
void ruleHitsuyou(JcSentence* s);

// Renderings of the step (keys of the rendering table).
namespace predicate_expression_keys {
inline constexpr const char* kToSuru = "predicateToSuru.toSuru";                    // 4 bytes, kClauseOpener
inline constexpr const char* kToSuruPassive = "predicateToSuru.passive";            // 6 bytes, kClauseOpener
inline constexpr const char* kCan = "ruleDekiru.can";                          // 2 bytes, kModal
inline constexpr const char* kCanPast = "ruleDekiru.canPast";                  // 2 bytes, text3: できた
inline constexpr const char* kCannotNot = "ruleDekiru.cannotNot";              // 2 bytes, kModal
inline constexpr const char* kCannotCan = "ruleDekiru.cannotCan";              // 2 bytes, appended
inline constexpr const char* kYotei = "ruleYotei.yotei";                       // 2 bytes, kAspect
inline constexpr const char* kMitooshi = "ruleYotei.mitooshi";                 // 4 bytes, kCopula
inline constexpr const char* kMikomi = "ruleYotei.mikomi";                     // 4 bytes, kCopula
inline constexpr const char* kCopulaTo = "ruleCopulaNegation.copulaTo";        // 2 bytes, kCopula
inline constexpr const char* kCopulaToOpen = "ruleCopulaNegation.copulaToOpen";  // 4 bytes, text4
inline constexpr const char* kCopulaKaTo = "ruleCopulaNegation.copulaKaTo";    // 2 bytes, kCopula
inline constexpr const char* kCopulaKaToOpen = "ruleCopulaNegation.copulaKaToOpen";  // 4 bytes, text4
inline constexpr const char* kCopula = "ruleCopulaNegation.copula";            // 2 bytes, kCopula
inline constexpr const char* kCopulaOpen = "ruleCopulaNegation.copulaOpen";    // 4 bytes, text4
inline constexpr const char* kCopulaAdverb = "ruleCopulaNegation.copulaAdverb";  // 2 bytes, kCopula
inline constexpr const char* kNotNominal = "ruleCopulaNegation.notNominal";    // 2 bytes, kNegation
inline constexpr const char* kNotNominalCopula = "ruleCopulaNegation.notNominalCopula";  // 2 bytes, appended
inline constexpr const char* kNotAdjective = "ruleCopulaNegation.notAdjective";  // 2 bytes, kNegation
inline constexpr const char* kNotWithout = "ruleCopulaNegation.notWithout";    // 4 bytes, kConcession
inline constexpr const char* kNotDe = "ruleCopulaNegation.notDe";              // 2 bytes, kNegation
inline constexpr const char* kNotDeCopula = "ruleCopulaNegation.notDeCopula";  // 2 bytes, appended
inline constexpr const char* kNotWa = "ruleCopulaNegation.notWa";              // 2 bytes, kNegation
inline constexpr const char* kNotWaDone = "ruleCopulaNegation.notWaDone";      // 2 bytes, kOwnRendering of ない
inline constexpr const char* kNotConnective = "ruleCopulaNegation.notConnective";  // 2 bytes, kNegation
inline constexpr const char* kMustNakute = "ruleCopulaNegation.mustNakute";    // 4 bytes, kAfterSubject
inline constexpr const char* kMustNakya = "ruleCopulaNegation.mustNakya";      // 4 bytes, kAfterSubject
inline constexpr const char* kZutsu = "ruleZutsu.each";                        // 2 bytes, kDistributive
inline constexpr const char* kToIuKoto = "predicateToIu.thatIs";                    // 8 bytes, kOwnRendering
inline constexpr const char* kToIuHanashi = "predicateToIu.hearsay";                // 4 bytes, kOwnRendering
inline constexpr const char* kToIuQuote = "predicateToIu.quoted";                   // 2 bytes, text4
inline constexpr const char* kToIuNamed = "predicateToIu.named";                    // 6 bytes, kBeforeHead
inline constexpr const char* kToNo = "ruleQuotePostposition.toNo";             // 2 bytes, kPreposition
inline constexpr const char* kMadeNo = "ruleQuotePostposition.madeNo";         // 2 bytes, kPreposition
inline constexpr const char* kMadeNoHead = "ruleQuotePostposition.madeNoHead"; // 6 bytes, headText
inline constexpr const char* kKaraNoTime = "ruleQuotePostposition.karaNoTime"; // 2 bytes, kPreposition
inline constexpr const char* kKaraNoTimeHead = "ruleQuotePostposition.karaNoTimeHead";  // 6 bytes
inline constexpr const char* kKaraNo = "ruleQuotePostposition.karaNo";         // 4 bytes, kPreposition
inline constexpr const char* kKaraNoHead = "ruleQuotePostposition.karaNoHead"; // 2 bytes, headText
inline constexpr const char* kDeNo = "ruleQuotePostposition.deNo";             // 2 bytes, kPreposition
inline constexpr const char* kDeNoHead = "ruleQuotePostposition.deNoHead";     // 2 bytes, headText
inline constexpr const char* kHeNo = "ruleQuotePostposition.heNo";             // 2 bytes, kPreposition
inline constexpr const char* kHeNoHead = "ruleQuotePostposition.heNoHead";     // 2 bytes, headText
inline constexpr const char* kArimasen = "ruleArimasenPlace.not";              // 2 bytes, kNegation
inline constexpr const char* kNiRepeat = "ruleNiPredicate.repeated";           // 4 bytes, headText
inline constexpr const char* kHitsuyou = "ruleHitsuyou.need";                  // 4 bytes, kOwnRendering
// The fixed expressions, by the row of their table.
inline constexpr const char* kNumeralPrefix = "ruleFixedExpressions.numeralPrefix";  // 2 bytes
inline constexpr const char* kOrdinal = "ruleFixedExpressions.ordinal";  // 2 bytes: before a numeral of an ordinal counter (二番目)
inline constexpr const char* kChuCounter = "ruleFixedExpressions.chuCounter";  // 2 bytes
inline constexpr const char* kChuAllDay = "ruleFixedExpressions.chuAllDay";    // 4 bytes
inline constexpr const char* kJi = "ruleFixedExpressions.row1";                // 2 bytes
inline constexpr const char* kNumeralNo = "ruleFixedExpressions.row2";         // 2 bytes, headText
inline constexpr const char* kTai = "ruleFixedExpressions.row3";               // 2 bytes
inline constexpr const char* kBunNo = "ruleFixedExpressions.row4";             // 4 bytes
inline constexpr const char* kNinNo = "ruleFixedExpressions.row5";             // 2 bytes
inline constexpr const char* kHitori = "ruleFixedExpressions.row6";            // 4 bytes
inline constexpr const char* kFutari = "ruleFixedExpressions.row7";            // 4 bytes
inline constexpr const char* kBetsuni = "ruleFixedExpressions.row8";           // 4 bytes, kCopula
inline constexpr const char* kSewa = "ruleFixedExpressions.row10";             // 4 bytes
inline constexpr const char* kKi = "ruleFixedExpressions.row11";               // 2 bytes
inline constexpr const char* kNode = "ruleFixedExpressions.row13";             // 4 bytes, kClauseOpener
inline constexpr const char* kIchijikan = "ruleFixedExpressions.row14";        // 8 bytes
inline constexpr const char* kPer = "ruleFixedExpressions.row15";              // 2 bytes, kRestriction
inline constexpr const char* kHaka = "ruleFixedExpressions.row17";             // 4 bytes, kConcession
inline constexpr const char* kTakusan = "ruleFixedExpressions.row20";          // 4 bytes, headText
inline constexpr const char* kNanika = "ruleFixedExpressions.row21";           // 4 bytes, headText
inline constexpr const char* kSameTopic = "ruleFixedExpressions.row22";        // 2 bytes, headText
inline constexpr const char* kMaeDe = "ruleFixedExpressions.row23de";          // 4 bytes
inline constexpr const char* kMaeNo = "ruleFixedExpressions.row23no";          // 4 bytes
inline constexpr const char* kToshi = "ruleFixedExpressions.row24";            // 4 bytes
inline constexpr const char* kUchiKin = "ruleFixedExpressions.row25kin";       // 2 bytes
inline constexpr const char* kUchiPerson = "ruleFixedExpressions.row25person"; // 4 bytes
inline constexpr const char* kBen = "ruleFixedExpressions.row26";              // 4 bytes
inline constexpr const char* kOgori = "ruleFixedExpressions.row27";            // 4 bytes
}  // namespace predicate_expression_keys

}  // namespace jc
