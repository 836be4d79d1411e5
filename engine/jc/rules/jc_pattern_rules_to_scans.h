// The sentence patterns on と and ない, the な/に scan, the scans に…よ and よ…を, and the tail
// rules of step 2; each takes the sentence only, at its place in the step.
#pragma once
#include "engine/jc/core/jc_sentence.h"

namespace jc {

// と, first group.
void ruleToshikaOmoenai(JcSentence* s);  // runs early, among the さ rules
void ruleToiedomo(JcSentence* s);
void ruleToiwazu(JcSentence* s);
void ruleToOmou(JcSentence* s);
void ruleToori(JcSentence* s);
void ruleTokitara(JcSentence* s);
void ruleTokiteiru(JcSentence* s);
void ruleTokoro(JcSentence* s);
void ruleDokoroka(JcSentence* s);
void ruleToSugu(JcSentence* s);
// と, second group, and ない.
void ruleTotan(JcSentence* s);
void ruleToDouji(JcSentence* s);
void ruleToNaku(JcSentence* s);
void ruleToNaru(JcSentence* s);
void ruleToNo(JcSentence* s);
void ruleToha(JcSentence* s);
void ruleTomo(JcSentence* s);
void ruleNai(JcSentence* s);
void ruleNakanaka(JcSentence* s);
void ruleToSuru(JcSentence* s);
// The scans.
void ruleNaNiPatterns(JcSentence* s);
void ruleNiToYoPatterns(JcSentence* s);
void ruleYoToWoPatterns(JcSentence* s);
// The tail rules.
void ruleMettaNi(JcSentence* s);
void ruleWoMaeAtoNiSuru(JcSentence* s);
void ruleWoNiSuruToIu(JcSentence* s);
void ruleKotoDakePatterns(JcSentence* s);
void ruleMoBaMo(JcSentence* s);

}  // namespace jc
