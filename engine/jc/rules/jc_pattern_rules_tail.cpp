// The tail sentence patterns: めったに … negation, を前にする / を後にする, noun + を with noun + に/と
// and する or 言う, the こと/だけ scan with お…になる, and XもYばZも.
#include "engine/jc/rules/jc_pattern_rules_to_scans.h"
#include "engine/jc/rules/jc_pattern_scan_common.h"

namespace jc {

using namespace pattern;

namespace {

#define WORDS(X)                                          \
  X(wMetta, "ruleMettaNi.metta", 1, 4)                    \
  X(wMaeSuru, "ruleWoMaeAtoNiSuru.maeSuru", 1, 4)         \
  X(wMaeTrailer, "ruleWoMaeAtoNiSuru.maeTrailer", 1, 4)   \
  X(wAtoSuru, "ruleWoMaeAtoNiSuru.atoSuru", 1, 4)               \
  X(wWoNiWo, "ruleWoNiSuruToIu.e1", 1, 2)                 \
  X(wWoNiNi, "ruleWoNiSuruToIu.e2", 1, 4)                 \
  X(wWoToIuWo, "ruleWoNiSuruToIu.e3", 1, 2)               \
  X(wWoToIuTo, "ruleWoNiSuruToIu.e4", 1, 4)               \
  X(wWoToSuruWo, "ruleWoNiSuruToIu.e5", 1, 2)             \
  X(wWoToSuruTo, "ruleWoNiSuruToIu.e6", 1, 4)             \
  X(wKotoWa, "ruleKotoDakePatterns.e1", 1, 2)             \
  X(wKotoOoi, "ruleKotoDakePatterns.e2", 1, 4)            \
  X(wRareruDake, "ruleKotoDakePatterns.e3", 1, 4)         \
  X(wDakeAtte, "ruleKotoDakePatterns.e4", 1, 6)           \
  X(wNaiKotoniwa, "ruleKotoDakePatterns.e5", 1, 6)        \
  X(wKotoniSuru, "ruleKotoDakePatterns.e6", 1, 4)         \
  X(wMoBaFirst, "ruleMoBaMo.e1", 1, 2)                    \
  X(wMoBaSecond, "ruleMoBaMo.e2", 1, 2)

PATTERN_REGISTER(WORDS)

bool sameBaseForm(const JcSentence* s, int a, int b) {
  return a >= 1 && b >= 1 && a <= s->lastNode && b <= s->lastNode && b < kJcMaxNodes &&
         s->nodes[a].baseForm.view() == s->nodes[b].baseForm.view();
}

}  // namespace

void ruleMettaNi(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!at(s, i, {"めった", "滅多"}) || !at(s, i + 1, {"に"})) continue;
    setOwnRendering(s, i, wMetta);
    if (const int n = findNegation(s, i + 1)) ruleArimasen(s, n);
  }
}

void ruleWoMaeAtoNiSuru(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!at(s, i, {"を"}) || !at(s, i + 1, {"前", "まえ"}) || !at(s, i + 2, {"に"})) continue;
    if (isLiveSurface(s, i + 3, "する")) {
      setOwnRendering(s, i + 3, wMaeSuru);
      setHeadText(s, maximalProjection(s, i), wMaeTrailer);
      eat(s, i + 1, i + 2);
    } else {
      setUsageCode(s, maximalProjection(s, i), "WO3");
      consumeWord(s, i);
      consumeWord(s, i + 2);
    }
  }
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!at(s, i, {"を"}) || !at(s, i + 1, {"後", "あと"}) || !at(s, i + 2, {"に"}) || !isLiveBaseForm(s, i + 3, "する")) {
      continue;
    }
    setOwnRendering(s, i + 3, wAtoSuru);
    eat(s, i + 1, i + 2);
  }
}

void ruleWoNiSuruToIu(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!isNominal(s, i) || !at(s, i + 1, {"を"})) continue;
    const int m = maximalProjection(s, i);
    const int n = nextSiblingAt(s, m);
    if (n < 1 || !isNominal(s, n)) continue;
    const int h = headPhraseAt(s, m);
    if (h != headPhraseAt(s, n) && h != n) continue;
    int k = lastLeaf(s, n);
    if (isSymbol(s, k)) --k;
    const bool freeWo = !nodeMarkIs(s, parentOf(s, i), 'K');
    // A quotation before と (「本を読んだ。」と言った) names nothing: its を is the quote's own.
    const bool freeOther = !nodeMarkIs(s, parentOf(s, k - 1), 'K') && isNominal(s, k - 1) && !isSymbol(s, k - 1);
    if (at(s, k, {"に"}) && (isLiveBaseForm(s, k + 1, "する") || h == n)) {
      if (!freeWo || !freeOther) continue;
      setSlot(s, m, Slot::kPreposition, wWoNiWo, i + 1);
      consumeWord(s, i + 1);
      setSlot(s, n, Slot::kCopula, wWoNiNi, k);
      consumeWord(s, k);
      if (h != n) consumeWord(s, k + 1);
      setUsageCode(s, n, "NI99");
      setUsageCode(s, m, "WO3");
    } else if (at(s, k, {"と"}) && atBase(s, k + 1, {"言う", "いう"})) {
      if (!freeWo || !freeOther) continue;
      setSlot(s, m, Slot::kPreposition, wWoToIuWo, i + 1);
      consumeWord(s, i + 1);
      setSlot(s, parentOf(s, k - 1), Slot::kCopula, wWoToIuTo, k);
      eat(s, k, k + 1);
    } else if (at(s, k, {"と"}) && isLiveBaseForm(s, k + 1, "する") && freeWo) {
      if (!freeOther) continue;
      if (headPhraseAt(s, maximalProjection(s, i + 1)) == headPhraseAt(s, maximalProjection(s, k))) {
        setSlot(s, m, Slot::kPreposition, wWoToSuruWo, i + 1);
        consumeWord(s, i + 1);
      }
      setSlot(s, maximalProjection(s, k - 1), Slot::kCopula, wWoToSuruTo, k);
      eat(s, k, k + 1);
    }
  }
}

void ruleKotoDakePatterns(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    const int p = parentOf(s, i), r = rootOf(s, i);
    if (isPlainBaseOrPastForm(s, i) && at(s, i + 1, {"こと"}) && at(s, i + 2, {"は"}) && isBaseOrPastForm(s, i + 3) &&
        sameBaseForm(s, i, i + 3)) {  // 1
      setHeadText(s, p, wKotoWa);
      markZ(s, p);
      consumeWord(s, i + 1);
    } else if (isAdnominalPredicate(s, i) && at(s, i + 1, {"こと"}) && at(s, i + 2, {"は", "が"}) &&
               isLiveBaseForm(s, i + 3, "多い")) {  // 2
      setSlot(s, r, Slot::kRestriction, wKotoOoi);
      eat(s, i + 1, i + 3);
      markZ(s, p);
    } else if (isPotential(s, i) && at(s, i + 1, {"られる"}) && at(s, i + 2, {"だけ"}) && sameBaseForm(s, i, i + 3)) {  // 3
      setSlot(s, r, Slot::kRestriction, wRareruDake);
      eat(s, i + 1, i + 3);
    } else if ((isNominal(s, i) || isPlainBaseOrPastForm(s, i)) && at(s, i + 1, {"だけ"}) && at(s, i + 2, {"あって"})) {  // 4
      setSlot(s, r, Slot::kConcession, wDakeAtte, i + 1);
      eat(s, i + 1, i + 2);
    } else if (isVerbContinuative(s, i) && at(s, i + 1, {"ない"}) && at(s, i + 2, {"こと"}) && at(s, i + 3, {"に"}) &&
               at(s, i + 4, {"は"})) {  // 5
      setSlot(s, r, Slot::kConcession, wNaiKotoniwa, i + 1);
      eat(s, i + 1, i + 4);
      markZ(s, p);
    } else if (isAdnominalPredicate(s, i) && at(s, i + 1, {"こと"}) && at(s, i + 2, {"に"}) &&
               isLiveBaseForm(s, i + 3, "する")) {  // 6
      setSlot(s, r, Slot::kCopula, wKotoniSuru, i + 1);
      eat(s, i + 1, i + 3);
    } else if (at(s, i, {"お"}) && isVerbContinuative(s, i + 1) && at(s, i + 2, {"に"}) &&
               isLiveBaseForm(s, i + 3, "なる")) {  // 7
      consumeWord(s, i);
      eat(s, i + 2, i + 3);
    }
  }
}

void ruleMoBaMo(JcSentence* s) {
  for (int start = 1; start <= lastWord(s);) {
    const int a = findLiveBaseForm(s, start, "も");
    if (!a) return;
    if (!isConditionalForm(s, a + 1)) {
      start = a + 2;
      continue;
    }
    const int b = findLiveBaseForm(s, a + 2, "も");
    if (!b) return;
    if (isNominal(s, a - 1) && isNominal(s, b - 1)) {
      setSlot(s, parentOf(s, a + 1), Slot::kConcession, wMoBaFirst, a);
      setSlot(s, parentOf(s, b + 1), Slot::kConcession, wMoBaSecond, b);
      consumeWord(s, a);
      consumeWord(s, b);
      markZ(s, parentOf(s, a + 1));
    }
    start = b + 2;
  }
}

}  // namespace jc
