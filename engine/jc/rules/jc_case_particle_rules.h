// The case-particle rules of step 7: one rule per particle (に, で, を, へ, まで, より, から, が,
// と, の). Each finds its particle in the dependent phrase, branches on the phrase's usage code,
// adds one relation, may put a Chinese case word into a slot of the dependent, and drops the
// particle.
#pragma once
#include "engine/jc/core/jc_sentence.h"

namespace jc {

void ruleCaseNi(JcSentence* s, int governor, int dependent);    // D13
void ruleCaseDe(JcSentence* s, int governor, int dependent);    // D12
void ruleCaseWo(JcSentence* s, int governor, int dependent);    // D11
void ruleCaseHe(JcSentence* s, int governor, int dependent);    // D15
void ruleCaseMade(JcSentence* s, int governor, int dependent);  // D16
void ruleCaseYori(JcSentence* s, int governor, int dependent);  // D10
void ruleCaseKara(JcSentence* s, int governor, int dependent);  // D8, D22
void ruleCaseGa(JcSentence* s, int governor, int dependent);    // D9, D20
void ruleCaseNo(JcSentence* s, int governor, int dependent);    // D14
// D21. Sets *restart to 1 when it finds its と, to 0 when it moved the dependent or changed its
// usage code; the item then stays open and the walk starts again.
void ruleCaseTo(JcSentence* s, int governor, int dependent, int* restart);

// The word after the governor's first leaf is たい and the dependent names no person.
bool isDesiderativeNonPerson(const JcSentence* s, int governor, int dependent);

// Case words (keys of the rendering table): family "caseParticle", one key per word of a row.
namespace case_particle_keys {
inline constexpr const char* kNi1 = "caseNi.NI1";              // 2, kPreposition
inline constexpr const char* kNi1Head = "caseNi.NI1head";      // 2, headText
inline constexpr const char* kNi2 = "caseNi.NI2";              // 2, kPreposition
inline constexpr const char* kNi2Head = "caseNi.NI2head";      // 6, headText
inline constexpr const char* kNi2Place = "caseNi.NI2place";    // 2, kPreposition
inline constexpr const char* kNi2Inside = "caseNi.NI2inside";  // 2, headText: the place of ある / いる / ない
inline constexpr const char* kNi3Plain = "caseNi.NI3plain";    // 6, kPreposition
inline constexpr const char* kNi3Comp = "caseNi.NI3comp";      // 2, kPreposition
inline constexpr const char* kNi3Adv = "caseNi.NI3adv";        // 2, kPreposition
inline constexpr const char* kNi4 = "caseNi.NI4";              // 6
inline constexpr const char* kNi5 = "caseNi.NI5";              // 2
inline constexpr const char* kNi6 = "caseNi.NI6";              // 2
inline constexpr const char* kNi7Numeral = "caseNi.NI7numeral";  // 2
inline constexpr const char* kNi7 = "caseNi.NI7";              // 2
inline constexpr const char* kNi8 = "caseNi.NI8";              // 4
inline constexpr const char* kNi10Adv = "caseNi.NI10adv";      // 2
inline constexpr const char* kNi10Other = "caseNi.NI10other";  // 2
inline constexpr const char* kNi15 = "caseNi.NI15";            // 6
inline constexpr const char* kNiWhere = "caseNi.where";        // 2 (どこ, か before に)
inline constexpr const char* kNiAdjective = "caseNi.adjective";  // 2 (an adjective after に)
inline constexpr const char* kDeAlone = "caseDe.alone";        // 6, kOwnRendering (ひとりで)
inline constexpr const char* kDeContrastWa = "caseDe.contrastWa";  // 2, headText of the は phrase
inline constexpr const char* kDeContrastMo = "caseDe.contrastMo";  // 2, kCopula
inline constexpr const char* kDe1Place = "caseDe.DE1place";    // 2
inline constexpr const char* kDe1 = "caseDe.DE1";              // 2
inline constexpr const char* kDe2Group = "caseDe.DE2group";    // 2
inline constexpr const char* kDe2 = "caseDe.DE2";              // 2
inline constexpr const char* kDe5Short = "caseDe.DE5short";    // 2
inline constexpr const char* kDe5 = "caseDe.DE5";              // 4
inline constexpr const char* kDe6 = "caseDe.DE6";              // 2
inline constexpr const char* kDe7 = "caseDe.DE7";              // 2
inline constexpr const char* kDe8 = "caseDe.DE8";              // 4
inline constexpr const char* kDe9 = "caseDe.DE9";              // 2
inline constexpr const char* kDe9Head = "caseDe.DE9head";      // 2
inline constexpr const char* kDeA = "caseDe.DEA";              // 2
inline constexpr const char* kDeAHead = "caseDe.DEAhead";      // 2
inline constexpr const char* kDeB = "caseDe.DEB";              // 2
inline constexpr const char* kDeBHead = "caseDe.DEBhead";      // 2
inline constexpr const char* kWo2Place = "caseWo.WO2place";     // 2
inline constexpr const char* kWo2Retired = "caseWo.WO2retired";  // 2
inline constexpr const char* kWo2RetiredHead = "caseWo.WO2retiredHead";  // 2
inline constexpr const char* kHe1Verb = "caseHe.HE1verb";      // 2
inline constexpr const char* kHe1 = "caseHe.HE1";              // 2
inline constexpr const char* kGoingOut = "caseHe.goingOut";    // 2: 出かける with a goal
inline constexpr const char* kHe2 = "caseHe.HE2";              // 2
inline constexpr const char* kMadeKore = "caseMade.kore";      // 8, kOwnRendering of これ
inline constexpr const char* kMadeUntil = "caseMade.until";    // 6, kClauseOpener
inline constexpr const char* kMadeTo = "caseMade.to";          // 2, kPreposition
inline constexpr const char* kYr1Big = "caseYori.YR1big";      // 2
inline constexpr const char* kYr1 = "caseYori.YR1";            // 2
inline constexpr const char* kYr2Next = "caseYori.YR2next";    // 2
inline constexpr const char* kYr2 = "caseYori.YR2";            // 4
inline constexpr const char* kYr3 = "caseYori.YR3";            // 4
inline constexpr const char* kKr1 = "caseKara.KR1";            // 2
inline constexpr const char* kKr2 = "caseKara.KR2";            // 2
inline constexpr const char* kKr3 = "caseKara.KR3";            // 2
inline constexpr const char* kKr4 = "caseKara.KR4";            // 2
inline constexpr const char* kKr5Nominal = "caseKara.KR5nominal";  // 2
inline constexpr const char* kKr5 = "caseKara.KR5";            // 4
inline constexpr const char* kKr6 = "caseKara.KR6";            // 2, kNearAdverbial
inline constexpr const char* kKrOther = "caseKara.other";      // 2
inline constexpr const char* kNo2Head = "caseNo.NO2head";      // 2, headText of the parent
inline constexpr const char* kToTogether = "caseTo.together";  // 2 (と一緒に)
inline constexpr const char* kToWith = "caseTo.with";          // 2, kPreposition
inline constexpr const char* kTo3Know = "caseTo.TO3know";      // 4, headText2
inline constexpr const char* kTo5Text4 = "caseTo.TO5text4";    // 2, appended to text4
inline constexpr const char* kTo5Head = "caseTo.TO5head";      // 2, headText
inline constexpr const char* kTo6Head2 = "caseTo.TO6head2";    // 4, headText2
}  // namespace case_particle_keys

}  // namespace jc
