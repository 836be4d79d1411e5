// Step 2 of the Japanese-to-Chinese rules: the sentence patterns. 192 rules, called in one fixed
// order; each recognises a fixed expression, renders it into target slots and retires the words
// that the rendering covers, so that later rules and steps no longer see them.
#pragma once
#include <array>

#include "engine/jc/core/jc_sentence.h"

namespace jc {

// Step 2: every place of the table, in order, each with the sentence only.
void applySentencePatternRules(JcSentence* s);

using SentencePatternRule = void (*)(JcSentence*);
struct SentencePatternPlace {
  const char* name;           // the rule's name
  SentencePatternRule apply;  // null while the place's rule is not built
};
inline constexpr int kSentencePatternPlaces = 192;
// The table: place n is entry n - 1.
const std::array<SentencePatternPlace, kSentencePatternPlaces>& sentencePatternPlaces();

// Places 1-60.
void patternRule001(JcSentence* s);  // 必ずしも … negation: the override counter
void patternRule002(JcSentence* s);
void patternRule003(JcSentence* s);
void patternRule004(JcSentence* s);
void patternRule005(JcSentence* s);
void patternRule006(JcSentence* s);
void patternRule007(JcSentence* s);
void patternRule008(JcSentence* s);
void patternRule009(JcSentence* s);
void patternRule010(JcSentence* s);
void patternRule011(JcSentence* s);
void patternRule013(JcSentence* s);
void patternRule014(JcSentence* s);
void patternRule015(JcSentence* s);
void patternRule016(JcSentence* s);
void patternRule017(JcSentence* s);
void patternRule018(JcSentence* s);
void patternRule019(JcSentence* s);
void patternRule020(JcSentence* s);
void patternRule021(JcSentence* s);
void patternRule022(JcSentence* s);
void patternRule023(JcSentence* s);
void patternRule024(JcSentence* s);
void patternRule025(JcSentence* s);
void patternRule026(JcSentence* s);
void patternRule029(JcSentence* s);
void patternRule030(JcSentence* s);
void patternRule031(JcSentence* s);
void patternRule032(JcSentence* s);
void patternRule033(JcSentence* s);
void patternRule034(JcSentence* s);
void patternRule035(JcSentence* s);
void patternRule036(JcSentence* s);
void patternRule037(JcSentence* s);
void patternRule038(JcSentence* s);
void patternRule039(JcSentence* s);
void patternRule040(JcSentence* s);
void patternRule041(JcSentence* s);
void patternRule042(JcSentence* s);
void patternRule043(JcSentence* s);  // the banner
void patternRule044(JcSentence* s);
void patternRule045(JcSentence* s);
void patternRule046(JcSentence* s);
void patternRule047(JcSentence* s);
void patternRule048(JcSentence* s);
void patternRule049(JcSentence* s);
void patternRule050(JcSentence* s);
void patternRule051(JcSentence* s);
void patternRule052(JcSentence* s);
void patternRule053(JcSentence* s);
void patternRule054(JcSentence* s);
void patternRule055(JcSentence* s);
void patternRule056(JcSentence* s);
void patternRule057(JcSentence* s);
void patternRule058(JcSentence* s);
void patternRule059(JcSentence* s);
void patternRule060(JcSentence* s);

// The late rules.
void patternRule129(JcSentence* s);
void patternRule162(JcSentence* s);
void patternRule163(JcSentence* s);
void patternRule170(JcSentence* s);
void patternRule180(JcSentence* s);
void patternRule181(JcSentence* s);
void patternRule182(JcSentence* s);
void patternRule183(JcSentence* s);
void patternRule186(JcSentence* s);
void patternRule187(JcSentence* s);  // honorific request and favour frames
void patternRule188(JcSentence* s);
void patternRule189(JcSentence* s);
void patternRule190(JcSentence* s);  // set phrases
void patternRule191(JcSentence* s);  // miscellany
void patternRule192(JcSentence* s);  // preference predicates

// An empty place: does nothing.
void emptyPatternRule(JcSentence* s);

// The banner: word 1 equal to the trigger is rendered with the banner line.
namespace banner_keys {
inline constexpr const char* kTrigger = "patternRule043.trigger";  // Shift-JIS bytes of the word
inline constexpr const char* kBanner = "patternRule043.banner";    // one line, at most 19 bytes kept
}  // namespace banner_keys

}  // namespace jc
