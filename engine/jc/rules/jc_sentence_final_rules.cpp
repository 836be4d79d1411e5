#include "engine/jc/rules/jc_sentence_final_rules.h"

#include <string_view>

#include "engine/jc/core/jc_predicates.h"
#include "engine/jc/rules/jc_formal_noun_rules.h"
#include "engine/jc/rules/jc_rule_kit.h"
#include "engine/jc/rules/jc_suffix_rules.h"

namespace jc {

namespace {

using namespace sentence_final_keys;

const RenderingKeySpec kKeys[] = {
    {kRashii, 1, 4, 4},      {kNodarou, 1, 2, 2},       {kBeki, 1, 4, 4},          {kMitai, 1, 4, 4},
    {kMitaiNoun, 1, 4, 4},   {kMitaiForm4, 1, 2, 2},    {kMitaiForm7, 1, 2, 2},    {kFuu, 1, 4, 4},
    {kBakariTa, 1, 4, 4},    {kBakari, 1, 4, 4},        {kSouLooks, 1, 6, 6},      {kSouHeard, 1, 4, 4},
    {kBeshi, 1, 4, 4},       {kGotoshi, 1, 4, 4},       {kGotoshiHead, 1, 4, 4},   {kMai, 1, 2, 2},
    {kMaiText3, 1, 2, 2},    {kYouniTie, 1, 2, 2},      {kYouniPurpose, 1, 4, 4},  {kYouniLike, 1, 2, 2},
    {kYouniManner, 1, 6, 6}, {kYounaLike, 1, 2, 2},     {kYounaManner, 1, 6, 6},   {kYoudaClause, 1, 4, 4},
    {kYouda, 1, 4, 4},
};
const RenderingKeyRegistrar registrar(kKeys, static_cast<int>(sizeof kKeys / sizeof kKeys[0]));

const RuleWord wRashii(kRashii), wNodarou(kNodarou), wBeki(kBeki), wMitai(kMitai), wMitaiNoun(kMitaiNoun),
    wMitaiForm4(kMitaiForm4), wMitaiForm7(kMitaiForm7), wFuu(kFuu), wBakariTa(kBakariTa), wBakari(kBakari),
    wSouLooks(kSouLooks), wSouHeard(kSouHeard), wBeshi(kBeshi), wGotoshi(kGotoshi), wGotoshiHead(kGotoshiHead),
    wMai(kMai), wMaiText3(kMaiText3), wYouniTie(kYouniTie), wYouniPurpose(kYouniPurpose), wYouniLike(kYouniLike),
    wYouniManner(kYouniManner), wYounaLike(kYounaLike), wYounaManner(kYounaManner), wYoudaClause(kYoudaClause),
    wYouda(kYouda);

void setText3(JcSentence* s, int i, std::string_view text) {
  if (JcTargetNode* t = ruleTarget(s, i)) t->text3 = text;
}
void setHeadText2(JcSentence* s, int i, std::string_view text) {
  if (JcTargetNode* t = ruleTarget(s, i)) t->headText2 = text;
}

}  // namespace

void applySentenceFinalRules(JcSentence* s) {
  for (int from = 1;;) {
    const int p = findPosForward(s, from, "5", "");
    if (p == 0 || p > s->lastMorpheme || p >= kJcMaxNodes) return;
    from = p + 1;
    if (!isLive(s, p)) continue;
    const std::string_view base = s->nodes[p].baseForm.view();
    if (base == "らしい") {
      setSlot(s, rootOf(s, p), Slot::kSeeming, wRashii, p);
      consumeWord(s, p);
    } else if (base == "のだ") {
      const std::string_view surface = s->nodes[p].surface.view();
      if (surface == "のだろう" || surface == "のでしょう" || surface == "のであろう") {
        setText3(s, parentOf(s, p), wNodarou);
      }
      consumeWord(s, p);
    } else if (base == "んだ") {
      consumeWord(s, p);
    } else if (base == "ようだ") {
      ruleYouda(s, p);
    } else if (base == "べきだ") {
      ruleBekida(s, p);
    } else if (base == "みたいだ") {
      ruleMitaida(s, p);
    } else if (base == "ふうだ") {
      setOwnRendering(s, p, wFuu);
    } else if (base == "ばかりだ" || base == "ばっかりだ") {
      ruleBakarida(s, p);
    } else if (base == "つもりだ") {
      applyTsumoriRule(s, p);
    } else if (base == "ぬ") {
      ruleNegationSuffix(s, p);
    } else if (base == "そうだ") {
      ruleSouda(s, p);
    } else if (base == "だろう" || base == "です" || base == "ことだ") {
      consumeWord(s, p);
    } else if (base == "べし") {
      ruleBeshi(s, p);
    } else if (base == "ごとし" || base == "如し") {
      ruleGotoshi(s, p);
    } else if (base == "まい") {
      ruleMai(s, p);
    }
  }
}

void ruleYouda(JcSentence* s, int p) {
  const JcTargetNode* own = ruleTarget(s, p);
  if (!own || !targetSlot(*own, Slot::kOwnRendering).empty() || isBaseForm(s, p + 1, "なる") || isBaseForm(s, p + 1, "成る")) return;
  const int w = p - 1;
  if (isLiveSurface(s, p, "ように")) {
    const int m = maximalProjection(s, p), h = headPhraseOf(s, m);
    if (inNodeRange(s, m) && h > 0 && s->nodes[m].nextSibling == h && isVerb(s, w)) {
      // ように before a verb of saying or asking: left to the rules of that verb.
      const int hm = headMorpheme(s, h);
      const std::string_view sem = inNodeRange(s, hm) ? s->nodes[hm].semCodes.view() : "";
      if (beginsWith(sem, "23520") || beginsWith(sem, "23120") || beginsWith(sem, "23060")) return;
    }
    bool tie = false;
    if (isAdnominalPredicate(s, w) && s->nodes[w].conjType == "1") {
      if (const JcCandidate* c = firstCandidate(s, w)) {
        const int up = parentOf(s, w);
        const std::string_view tieWord = wYouniTie.text();
        tie = (!tieWord.empty() && c->chinese.view().substr(0, 2) == tieWord) ||
              (inNodeRange(s, up) && s->nodes[up].classChar == '5') ||
              (ruleTarget(s, up) && !targetSlot(*ruleTarget(s, up), Slot::kModal).empty());
      }
    }
    if (testAdjectiveBaseOrPast(s, p) || isNaAdjectiveAdnominal(s, p) || tie) {
      setSlot(s, rootOf(s, p), Slot::kClauseOpener, wYouniPurpose, p);
      consumeWord(s, p);
      setKind(s, parentOf(s, w), 'z');
    } else {
      appendSlot(s, m, Slot::kClauseOpener, wYouniLike, p);
      setHeadText2(s, m, wYouniManner);
      if (isSurface(s, w, "の")) consumeWord(s, w);
      consumeWord(s, p);
    }
  } else if (isSurface(s, p, "ような")) {
    const int m = maximalProjection(s, w);
    consumeWord(s, p);
    appendSlot(s, m, Slot::kCopula, wYounaLike, p);
    setHeadText2(s, m, wYounaManner);
    setKind(s, m, 'z');
    if (isSurface(s, w, "の")) consumeWord(s, w);
  } else {
    if (isAdnominalPredicate(s, w)) {
      setSlot(s, rootOf(s, w), Slot::kAfterSubject, wYoudaClause, p);
    } else {
      setSlot(s, parentOf(s, p), Slot::kAfterSubject, wYouda, p);
    }
    consumeWord(s, p);
  }
}

void ruleBekida(JcSentence* s, int p) {
  const int w = p - 1;
  consumeWord(s, p);
  if (!isVerbBaseOrPast(s, w)) return;
  int t = parentOf(s, w);
  if (isSurface(s, p + 1, "か")) {
    const int q = findQuestionWordBackward(s, p - 1);
    if (q > 0 && headPhraseOf(s, parentOf(s, q)) == t) t = parentOf(s, q);
  }
  setSlot(s, t, Slot::kPreposition, wBeki, p);
}

void ruleMitaida(JcSentence* s, int p) {
  const int w = p - 1;
  if (isPlainBaseOrPastForm(s, w) || isNaAdjectiveStem(s, w)) {
    appendSlot(s, parentOf(s, w), Slot::kConcession, wMitai, p);
    consumeWord(s, p);
  } else if (isNominal(s, w)) {
    setOwnRendering(s, p, wMitaiNoun);
    const std::string_view form = s->nodes[p].conjForm.view();
    if (form == "4") appendSlot(s, p, Slot::kOwnRendering, wMitaiForm4);
    else if (form == "7") appendSlot(s, p, Slot::kOwnRendering, wMitaiForm7);
  }
}

void ruleBakarida(JcSentence* s, int p) {
  const int w = p - 1;
  consumeWord(s, p);
  setSlot(s, s->lastTarget, Slot::kNearAdverbial, isVerbTaForm(s, w) ? wBakariTa : wBakari);
  setSlotSource(s, parentOf(s, w), Slot::kNearAdverbial, p);
}

void ruleSouda(JcSentence* s, int p) {
  const int w = p - 1;
  consumeWord(s, p);
  if (isContinuativeForm(s, w) || isIAdjectiveStem(s, w) || isNaAdjectiveStem(s, w)) {
    setSlot(s, parentOf(s, w), Slot::kSeeming, wSouLooks);
  } else if (isBaseOrPastForm(s, w)) {
    setSlot(s, parentOf(s, w), Slot::kSeeming, wSouHeard);
  }
}

void ruleBeshi(JcSentence* s, int p) {
  const int w = p - 1;
  consumeWord(s, p);
  if (!isVerbBaseOrPast(s, w)) return;
  const int t = parentOf(s, w);
  setSlot(s, t, Slot::kPreposition, wBeshi, p + 1);
  setKind(s, t, 'z');
}

void ruleGotoshi(JcSentence* s, int p) {
  const int w = p - 1, t = parentOf(s, w);
  setSlot(s, t, Slot::kSeeming, wGotoshi);
  if (JcTargetNode* target = ruleTarget(s, t)) target->headText = wGotoshiHead.text();
  setKind(s, t, 'z');
  consumeWord(s, p);
  if (isSurface(s, w, "の")) consumeWord(s, w);
}

void ruleMai(JcSentence* s, int p) {
  const int r = rootOf(s, p - 1);
  writeTargetSlot(s, r, Slot::kNegation, wMai);
  setSlotSource(s, r, Slot::kNegation, p);
  setText3(s, r, wMaiText3);
  consumeWord(s, p);
}

}  // namespace jc
