// The という patterns: ということだ, reported speech at the end (…という。), ということになる /
// なれば / はない, というのは, というもの, と言うより, というわけ …, X という X, quantities,
// noun という noun and clause という.
#include "engine/jc/rules/jc_pattern_common.h"
#include "engine/jc/rules/jc_pattern_rules_ka_to.h"

#include <source_location>

namespace jc {

using namespace pattern;

namespace {

#define WORDS(X)                                                   \
  X(wKotoDa, "ruleToIu.kotoda", 1, 4, 4)                           \
  X(wHearsayYoruTo, "ruleToIu.hearsayYoruto", 1, 4, 4)             \
  X(wHearsay, "ruleToIu.hearsay", 1, 4, 4)                         \
  X(wKotoNiNareba, "ruleToIu.kotoninareba", 1, 4, 4)               \
  X(wKotoNiNaru, "ruleToIu.kotoninaru", 1, 4, 4)                   \
  X(wKotoWaNaiFirst, "ruleToIu.kotowanaiFirst", 1, 2, 2)           \
  X(wKotoWaNaiSecond, "ruleToIu.kotowanaiSecond", 1, 2, 2)         \
  X(wKotoWa, "ruleToIu.kotowa", 1, 4, 4)                           \
  X(wNoWa, "ruleToIu.nowa", 1, 4, 4)                               \
  X(wMonoDemoNai, "ruleToIu.monodemonai", 1, 8, 8)                 \
  X(wMonoDeWaNai, "ruleToIu.monodewanai", 1, 8, 8)                 \
  X(wMonoTime, "ruleToIu.monoTime", 1, 6, 6)                       \
  X(wYori, "ruleToIu.yori", 1, 6, 6)                               \
  X(wMushiro, "ruleToIu.mushiro", 1, 6, 6)                         \
  X(wYoriTail, "ruleToIu.yoriTail", 1, 6, 6)                       \
  X(wWakeDeWaNaiFirst, "ruleToIu.wakedewanaiFirst", 1, 2, 2)       \
  X(wWakeDeWaNaiSecond, "ruleToIu.wakedewanaiSecond", 1, 2, 2)     \
  X(wWakeDeWaNaiThird, "ruleToIu.wakedewanaiThird", 1, 2, 2)       \
  X(wWakeNiWaFirst, "ruleToIu.wakeniwaikanaiFirst", 1, 2, 2)       \
  X(wWakeNiWaSecond, "ruleToIu.wakeniwaikanaiSecond", 1, 2, 2)     \
  X(wEvery, "ruleToIu.xToIuX", 1, 4, 4)                            \
  X(wNounNoun, "ruleToIu.nounToIuNoun", 1, 4, 4)                   \
  X(wClause, "ruleToIu.clauseToIu", 1, 6, 6)

COMMON_REGISTER(WORDS)

void consumeRange(JcSentence* s, int from, int to, const std::source_location& where = std::source_location::current()) {
  for (int w = from; w <= to; ++w) consumeWord(s, w, where);
}

enum class Step { kNext, kEnd };

// One search step at the いう word w (after a live と); kEnd ends the rule.
Step toIuAt(JcSentence* s, int w) {
  const int n = w - 2;
  const int pw = parentOf(s, w);
  auto closeA = [&](int node) {
    setSlotSource(s, node, Slot::kConcession, w - 1);
    consumeRange(s, w - 1, w + 2);
    setKind(s, pw, 'z');
  };
  auto closeB = [&](int z) {
    consumeRange(s, w - 1, w);
    consumeRange(s, w + 1, z);
    setKind(s, pw, 'z');
  };
  auto closeC = [&](int z) {
    consumeRange(s, w - 1, w + 1);
    consumeWord(s, z);
  };
  auto closeD = [&]() { consumeRange(s, w - 1, w); };
  const bool baseOrPast = isBaseOrPastForm(s, n);
  const bool nominal = isNominal(s, n);
  const bool koto = isLiveSurface(s, w + 1, "こと");

  if (baseOrPast && liveSurfaceIn(s, w + 1, {"こと", "話", "話し"}) && isLiveBaseForm(s, w + 2, "だ")) {
    const int r = rootOf(s, n);
    setSlot(s, r, Slot::kConcession, wKotoDa);
    closeA(r);
    return Step::kNext;
  }
  if ((baseOrPast || isSurface(s, n, "、")) &&
      (isSurface(s, w + 1, "。") || w == lastWord(s) || isSymbol(s, wordAt(s, w + 1)))) {
    if (const int y = findSurfaceBackward(s, n, "よる")) {
      if (!isSurface(s, y + 1, "と")) {
        closeD();
        return Step::kNext;
      }
      const int my = maximalProjection(s, y);
      if (headPhraseOf(s, my) == pw) {
        appendText3(s, my, wHearsayYoruTo);
        closeD();
        return Step::kNext;
      }
    }
    const int o = findSurfaceBackward(s, n, "を");
    if (o && headPhraseOf(s, maximalProjection(s, o)) == pw) return Step::kEnd;
    setSlot(s, pw, Slot::kClauseOpener, wHearsay);
    closeD();
    return Step::kNext;
  }
  if ((nominal || baseOrPast) && koto && isLiveBaseForm(s, w + 2, "に")) {
    if (isLiveSurface(s, w + 3, "なれば")) {
      setSlot(s, maximalProjection(s, n), Slot::kConcession, wKotoNiNareba, w - 1);
      consumeRange(s, w - 1, w + 3);
      setKind(s, pw, 'z');
      setKind(s, parentOf(s, w + 3), 'z');
      return Step::kNext;
    }
    if (isLiveBaseForm(s, w + 3, "なる")) {
      setSlot(s, parentOf(s, n), Slot::kConcession, wKotoNiNaru, w - 1);
      consumeRange(s, w - 1, w + 3);
      if (isLiveBaseForm(s, w + 4, "しまう")) consumeWord(s, w + 4);
      setKind(s, pw, 'z');
      return Step::kNext;
    }
  }
  if ((nominal || baseOrPast) && koto && isLiveBaseForm(s, w + 2, "は")) {
    if (isLiveBaseForm(s, w + 3, "ない")) {
      writePieces(s, rootOf(s, n), Slot::kModal, {wKotoWaNaiFirst, wKotoWaNaiSecond}, w);
      closeB(w + 3);
    } else {
      const int q = parentOf(s, n);
      setSlot(s, q, Slot::kConcession, wKotoWa);
      closeA(q);
    }
    return Step::kNext;
  }
  if (nominal && isLiveSurface(s, w + 1, "の") && isLiveBaseForm(s, w + 2, "は")) {
    setSlot(s, parentOf(s, n), Slot::kConcession, wNoWa, w - 1);
    closeC(w + 2);
    return Step::kNext;
  }
  if ((nominal || baseOrPast) && isLiveSurface(s, w + 1, "もの")) {
    if (isLiveBaseForm(s, w + 2, "でも") && isLiveBaseForm(s, w + 3, "ない")) {
      setSlot(s, rootOf(s, n), Slot::kConcession, wMonoDemoNai, w - 1);
      closeB(w + 3);
    } else if (isLiveBaseForm(s, w + 2, "で") && isLiveBaseForm(s, w + 3, "は") && isLiveBaseForm(s, w + 4, "ない")) {
      setSlot(s, rootOf(s, n), Slot::kConcession, wMonoDeWaNai, w - 1);
      closeB(w + 4);
    } else if (!isTimeNoun(s, n) && !hasSFeature(s, maximalProjection(s, n), "S3")) {
      const bool wa = isLiveBaseForm(s, w + 2, "は");
      consumeRange(s, w - 1, w + 1);
      if (wa) consumeWord(s, w + 2);
      setKind(s, pw, 'z');
    } else {
      setHeadText(s, maximalProjection(s, n), wMonoTime);
      closeB(w + 1);
    }
    return Step::kNext;
  }
  if (isLiveSurface(s, w + 1, "より")) {
    const int m = maximalProjection(s, w - 1);
    setSlot(s, m, Slot::kConcession, wYori);
    const bool mo = isLiveSurface(s, w + 2, "も");
    consumeRange(s, w - 1, w + 1);
    if (mo) consumeWord(s, w + 2);
    if (liveSurfaceIn(s, w + 4, {"むしろ", "寧ろ"})) {
      setOwnRendering(s, w + 4, wMushiro);
      consumeWord(s, w + 4);
    } else if (liveSurfaceIn(s, w + 3, {"むしろ", "寧ろ"})) {
      setOwnRendering(s, w + 3, wMushiro);
      consumeWord(s, w + 3);
    } else {
      appendText3(s, m, wYoriTail);
    }
    return Step::kNext;
  }
  const bool nominalOrAdnominal = nominal || isAdnominalPredicate(s, n);
  if (nominalOrAdnominal && isLiveSurface(s, w + 1, "わけ") && isLiveSurface(s, w + 2, "で") &&
      isLiveSurface(s, w + 3, "は") && (isLiveBaseForm(s, w + 4, "ない") || isLiveSurface(s, w + 4, "なく"))) {
    // Before the noun with its modifiers (良い本というわけではない: 并不是好的书).
    const int q = climbAdnominalChain(s, n);
    setSlot(s, q, Slot::kConcession, wWakeDeWaNaiFirst);
    appendThroughWriter(s, q, Slot::kConcession, wWakeDeWaNaiSecond);
    appendSlot(s, q, Slot::kConcession, wWakeDeWaNaiThird, w - 1);
    setKind(s, pw, 'z');
    consumeRange(s, w - 1, w + 4);
  } else if (nominalOrAdnominal && isLiveSurface(s, w + 1, "わけ") && isLiveSurface(s, w + 2, "に") &&
             isLiveSurface(s, w + 3, "は") && isLiveBaseForm(s, w + 4, "いく") && isLiveBaseForm(s, w + 5, "ない")) {
    writePieces(s, parentOf(s, n), Slot::kConcession, {wWakeNiWaFirst, wWakeNiWaSecond}, w - 1);
    consumeRange(s, w - 1, w + 5);
  } else if (nominalOrAdnominal && liveSurfaceIn(s, w + 1, {"わけ", "訳"}) && isLiveBaseForm(s, w + 2, "だ")) {
    consumeRange(s, w - 1, w + 1);
  } else if (sameSurface(s, w - 2, w + 1)) {
    setOwnRendering(s, w - 2, wEvery);
    closeD();
  } else if (isNumeral(s, n) || hasSFeature(s, maximalProjection(s, n), "S6")) {
    closeD();
  } else if (isNominalWord(s, n) && !surfaceIn(s, w + 1, {"の", "わけ", "こと"}) &&
             isNominalWord(s, wordAt(s, w + 1))) {
    setSlot(s, parentOf(s, w + 1), Slot::kConcession, wNounNoun, w - 1);
    setKind(s, maximalProjection(s, w), 'z');
    closeD();
  } else if (baseOrPast && ruleTarget(s, pw) && ruleTarget(s, pw)->kind == 't') {
    setSlot(s, parentOf(s, wordAt(s, w + 1)), Slot::kConcession, wClause, w - 1);
    consumeRange(s, w - 1, w);
    setKind(s, pw, 'z');
  }
  return Step::kNext;
}

}  // namespace

void ruleToIu(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int w = findFirstSurface(s, p, {"いう", "言う"});
    if (!w || !isLiveSurface(s, w - 1, "と")) return;
    if (toIuAt(s, w) == Step::kEnd) return;
    p = w + 3;
  }
}

}  // namespace jc
