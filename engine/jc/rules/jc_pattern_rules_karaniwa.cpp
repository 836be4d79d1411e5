// Sentence patterns からには to 際に: からには, 仮に … ても / としたら, 代わりに, 聞くところによると,
// きり … ない, くせに, くらいだ, くらいなら … 方がいい, こそ, ことがある, ことだから, ことによると,
// ことはない, こともあろうに and 際に.
#include "engine/jc/rules/jc_pattern_common.h"
#include "engine/jc/rules/jc_pattern_rules_ka_to.h"

namespace jc {

using namespace pattern;

namespace {

#define WORDS(X)                                                  \
  X(wKaraniwa, "ruleKaraniwa.karaniwa", 1, 4, 4)                  \
  X(wKariniTemo, "ruleKariniTemo.karini", 1, 4, 4)                \
  X(wKariniTemoMo, "ruleKariniTemo.temo", 1, 2, 2)                \
  X(wKariniToshitara, "ruleKariniToshitara.karini", 1, 4, 4)      \
  X(wKawariNoun, "ruleKawarini.afterNoun", 1, 4, 4)               \
  X(wKawariClause, "ruleKawarini.afterClause", 1, 14, 14)         \
  X(wKikuYoruTo, "ruleKikuTokoro.yoruto", 1, 4, 4)                \
  X(wKikuYoreba, "ruleKikuTokoro.yoreba", 1, 4, 4)                \
  X(wKiri, "ruleKiri.kiri", 1, 4, 4)                              \
  X(wKuseNoun, "ruleKuseni.afterNoun", 1, 6, 6)                   \
  X(wKuseClause, "ruleKuseni.afterClause", 1, 4, 4)               \
  X(wKuraiDa, "ruleKuraiDa.kurai", 1, 4, 4)                       \
  X(wKuraiDaEnd, "ruleKuraiDa.end", 1, 2, 2)                      \
  X(wKuraiNara, "ruleKuraiNaraHou.kuraiNara", 1, 4, 4)            \
  X(wKuraiHou, "ruleKuraiNaraHou.houGaIi", 1, 4, 4)               \
  X(wKosoImperative, "ruleKosoImperative.koso", 1, 10, 10)        \
  X(wKosoGa, "ruleKosoGa.koso", 1, 4, 4)                          \
  X(wKosoGaTail, "ruleKosoGa.ga", 1, 2, 5)                        \
  X(wKotoGaAruPast, "ruleKotoGaAru.past", 1, 2, 2)                \
  X(wKotoGaAru, "ruleKotoGaAru.sometimes", 1, 4, 4)               \
  X(wKotoDakaraNoun, "ruleKotoDakara.afterNoun", 1, 6, 6)         \
  X(wKotoDakaraNounHead, "ruleKotoDakara.afterNounHead", 1, 4, 4) \
  X(wKotoDakaraClause, "ruleKotoDakara.afterClause", 1, 6, 6)     \
  X(wKotoDakaraClauseHead, "ruleKotoDakara.afterClauseHead", 1, 4, 4) \
  X(wKotoniyoruto, "ruleKotoniyoruto.kotoniyoruto", 1, 6, 6)      \
  X(wKotoWaNaiPast, "ruleKotoWaNai.past", 1, 4, 4)                \
  X(wKotoWaNaiPastTail, "ruleKotoWaNai.pastTail", 1, 2, 2)        \
  X(wKotoWaNaiFirst, "ruleKotoWaNai.needlessFirst", 1, 2, 2)      \
  X(wKotoWaNaiSecond, "ruleKotoWaNai.needlessSecond", 1, 6, 6)    \
  X(wKotoMoAtte, "ruleKotoWaNai.kotoMoAtte", 1, 6, 6)             \
  X(wKotoMoAroouni, "ruleKotoMoAroouni.kotomoaroouni", 1, 4, 4)   \
  X(wSaini, "ruleSaini.saini", 1, 4, 4)

COMMON_REGISTER(WORDS)

}  // namespace

void ruleKaraniwa(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    int k = findLiveSurface(s, p, "からには");
    if (!k) {
      k = findLiveSurface(s, p, "から");
      if (!k || !isLiveSurface(s, k + 1, "は")) return;
    }
    if (isVerbBaseOrPast(s, k - 1) || isVerbTaForm(s, k - 1)) {
      setSlot(s, parentOf(s, k - 1), Slot::kConcession, wKaraniwa, k);
      const bool wa = isLiveSurface(s, k + 1, "は");
      consumeWord(s, k);
      if (wa) consumeWord(s, k + 1);
    }
    p = k + 1;
  }
}

void ruleKariniTemo(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int a = findLiveSurface(s, p, "仮に");
    if (!a) return;
    const int b = findFirstSurface(s, p, {"ても", "としても"});
    if (!b) return;
    if (isContinuativeForm(s, b - 1)) {
      setSlot(s, parentOf(s, b - 1), Slot::kConcession, wKariniTemo, a);
      setSlot(s, finalHeadPhrase(s, b), Slot::kInclusive, wKariniTemoMo);
    }
    p = b + 1;
  }
}

void ruleKariniToshitara(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int a = findLiveSurface(s, p, "仮に");
    if (!a) return;
    const int t = findLiveSurface(s, p, "と");
    if (!t || !isLiveSurface(s, t + 1, "したら")) return;
    if (isBaseOrPastForm(s, t - 1)) {
      setKind(s, parentOf(s, a + 1), 'z');
      setOwnRendering(s, a, wKariniToshitara);
      consumeWord(s, t);
      consumeWord(s, t + 1);
    }
    p = t + 1;
  }
}

void ruleKawarini(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int k = findFirstSurface(s, p, {"代わり", "替わり", "かわり"});
    if (!k) return;
    if (isNominal(s, k - 2) && isLiveSurface(s, k - 1, "の")) {
      const int m = maximalProjection(s, k - 2);
      setSlot(s, m, Slot::kCopula, wKawariNoun, k - 1);
      consumeWord(s, k - 1);
      consumeWord(s, k);
      setKind(s, m, 'z');
      setKind(s, parentOf(s, k - 2), 'z');
    } else if (isPlainBaseOrPastForm(s, k - 1)) {
      const int q = parentOf(s, k - 1);
      setKind(s, q, 'z');
      setHeadText(s, q, wKawariClause);
      consumeWord(s, k);
    }
    if (isLiveSurface(s, k + 1, "に")) consumeWord(s, k + 1);
    p = k + 1;
  }
}

void ruleKikuTokoro(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int k = findLiveSurface(s, p, "聞く");
    if (!k) return;
    p = k + 1;
    // 聞くところによると, 聞くところによれば: ところ and に follow 聞く, then よる と or よれば.
    if (!isLiveSurface(s, k + 1, "ところ") || !isLiveSurface(s, k + 2, "に")) continue;
    if (isLiveSurface(s, k + 3, "よる") && isLiveSurface(s, k + 4, "と")) {
      setOwnRendering(s, k, wKikuYoruTo);
      for (int w = k + 1; w <= k + 4; ++w) consumeWord(s, w);
      // 聞く no longer modifies ところ: no linking word after it.
      setKind(s, parentOf(s, k), 'z');
    } else if (isLiveSurface(s, k + 3, "よれば")) {
      setOwnRendering(s, k, wKikuYoreba);
      for (int w = k + 1; w <= k + 3; ++w) consumeWord(s, w);
      setKind(s, parentOf(s, k + 3), 'z');
      setKind(s, parentOf(s, k), 'z');
    }
  }
}

void ruleKiri(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    if (!isLiveSurface(s, i, "きり") || !isVerbTaForm(s, i - 1)) {
      ++i;
      continue;
    }
    const int n = findLiveBaseForm(s, i + 1, "ない");
    if (!n) return;
    setHeadText2(s, parentOf(s, i), wKiri);
    consumeWord(s, i);
    i = n + 1;
  }
}

void ruleKuseni(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int k = findFirstSurface(s, p, {"癖", "くせ"});
    if (!k || !isLiveSurface(s, k + 1, "に")) return;
    if (isNominal(s, k - 2) && isLiveSurface(s, k - 1, "の")) {
      setSlot(s, maximalProjection(s, k - 2), Slot::kConcession, wKuseNoun, k);
      for (int w = k - 1; w <= k + 1; ++w) consumeWord(s, w);
    } else if (isPlainBaseOrPastForm(s, k - 1)) {
      setSlot(s, parentOf(s, k - 1), Slot::kConcession, wKuseClause, k);
      consumeWord(s, k);
      consumeWord(s, k + 1);
    }
    p = k + 1;
  }
}

void ruleKuraiDa(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!isPlainBaseOrPastForm(s, i) || !liveSurfaceIn(s, i + 1, {"くらい", "ぐらい"})) continue;
    // The だから alternative asks word i+1, already required to be くらい, so it never holds.
    if (!isLiveBaseForm(s, i + 2, "だ") && !isLiveBaseForm(s, i + 1, "だから")) continue;
    const int p = parentOf(s, i);
    setSlot(s, p, Slot::kClauseOpener, wKuraiDa, i + 1);
    setSlot(s, p, Slot::kInclusive, wKuraiDaEnd);
  }
}

void ruleKuraiNaraHou(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!isPlainBaseOrPastForm(s, i) || !liveSurfaceIn(s, i + 1, {"くらい", "ぐらい"}) ||
        !isLiveSurface(s, i + 2, "なら")) {
      continue;
    }
    const int h = findFirstSurface(s, i + 1, {"方", "ほう"});
    if (!h) return;
    if (isLiveSurface(s, h + 1, "が") && liveBaseIn(s, h + 2, {"よい", "いい", "まし"})) {
      setSlot(s, parentOf(s, i), Slot::kClauseOpener, wKuraiNara, i + 1);
      consumeWord(s, i + 1);
      consumeWord(s, i + 2);
      if (isLiveSurface(s, i + 3, "寧ろ")) consumeWord(s, i + 3);
      const int q = parentOf(s, h - 1);
      setSlot(s, q, Slot::kClauseOpener, wKuraiHou, h);
      setKind(s, q, 'z');
      for (int w = h; w <= h + 2; ++w) consumeWord(s, w);
      if (isLiveBaseForm(s, h + 3, "だ")) consumeWord(s, h + 3);
    }
    i = h;
  }
}

void ruleKosoImperative(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!(isNominal(s, i) || isVerbContinuative(s, i)) || !isLiveSurface(s, i + 1, "こそ") ||
        !isVerbImperative(s, i + 2)) {
      continue;
    }
    setSlot(s, maximalProjection(s, i), Slot::kConcession, wKosoImperative, i + 1);
    consumeWord(s, i + 1);
  }
}

void ruleKosoGa(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!(isNominal(s, i) || isParticle(s, i)) || !isLiveSurface(s, i + 1, "こそ")) continue;
    const int g = findFirstSurface(s, i + 1, {"が", "けれども"});
    if (!g || !isBaseOrPastForm(s, g - 1)) return;
    const int m = maximalProjection(s, g - 1);
    setSlot(s, m, Slot::kClauseOpener, wKosoGa, i + 1);
    setHeadText2(s, m, wKosoGaTail);
    consumeWord(s, i + 1);
    consumeWord(s, g);
    i = g;
  }
}

void ruleKotoGaAru(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!liveSurfaceIn(s, i, {"こと", "事"}) || !liveSurfaceIn(s, i + 1, {"が", "は"}) ||
        !isLiveBaseForm(s, i + 2, "ある")) {
      continue;
    }
    if (isVerbTaForm(s, i - 1)) {
      setKind(s, parentOf(s, i - 1), 'z');
      setHeadText(s, i - 1, wKotoGaAruPast);
    } else if (isAdnominalPredicate(s, i - 1)) {
      const int p = parentOf(s, i - 1);
      setKind(s, p, 'z');
      setSlot(s, p, Slot::kAfterSubject, wKotoGaAru, i);
    } else {
      continue;
    }
    for (int w = i; w <= i + 2; ++w) consumeWord(s, w);
  }
}

void ruleKotoDakara(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (isNominal(s, i) && isLiveSurface(s, i + 1, "の") && liveSurfaceIn(s, i + 2, {"こと", "事"}) &&
        liveSurfaceIn(s, i + 3, {"だから", "なら"})) {
      setSlot(s, climbAdnominalChain(s, i), Slot::kConcession, wKotoDakaraNoun, i + 1);
      for (int w = i + 1; w <= i + 3; ++w) consumeWord(s, w);
      setSlot(s, governorOf(s, wordAt(s, i + 4)), Slot::kClauseOpener, wKotoDakaraNounHead, i + 1);
    } else if (isPlainBaseOrPastForm(s, i) && liveSurfaceIn(s, i + 1, {"こと", "事"}) &&
               liveSurfaceIn(s, i + 2, {"だから", "なら"})) {
      const int h = climbAdnominalChain(s, i);
      setKind(s, h, 'z');
      setSlot(s, h, Slot::kConcession, wKotoDakaraClause, i + 1);
      consumeWord(s, i + 1);
      consumeWord(s, i + 2);
      setSlot(s, governorOf(s, wordAt(s, i + 3)), Slot::kClauseOpener, wKotoDakaraClauseHead, i + 1);
    }
  }
}

void ruleKotoniyoruto(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int k = findFirstSurface(s, p, {"ことによると", "よったら"});
    if (!k) return;
    const int v = findLiveSurface(s, k + 1, "かも");
    p = k + 1;
    if (liveBaseIn(s, k + 1, {"知る", "分かる"})) {
      setKind(s, parentOf(s, k), 'z');
      setOwnRendering(s, k, wKotoniyoruto);
      if (v) p = v + 1;
    }
  }
}

void ruleKotoWaNai(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!liveSurfaceIn(s, i, {"こと", "事"})) continue;
    if (liveSurfaceIn(s, i + 1, {"は", "が"}) && isLiveBaseForm(s, i + 2, "ない")) {
      if (isVerbTaForm(s, i - 1)) {
        const int p = parentOf(s, i - 1);
        setKind(s, p, 'z');
        writePieces(s, p, Slot::kAfterSubject, {wKotoWaNaiPast}, i);
        setHeadText(s, i - 1, wKotoWaNaiPastTail);
      } else if (isAdnominalPredicate(s, i - 1) && isLiveSurface(s, i + 1, "は")) {
        const int p = parentOf(s, i - 1);
        setKind(s, p, 'z');
        writePieces(s, p, Slot::kAfterSubject, {wKotoWaNaiFirst, wKotoWaNaiSecond}, i);
      } else {
        continue;
      }
      for (int w = i; w <= i + 2; ++w) consumeWord(s, w);
    } else if (isLiveSurface(s, i + 1, "も") && isLiveSurface(s, i + 2, "あって") && isAdnominalPredicate(s, i - 1)) {
      const int p = parentOf(s, i - 1);
      setKind(s, p, 'z');
      setSlot(s, p, Slot::kClauseOpener, wKotoMoAtte, i);
      for (int w = i; w <= i + 2; ++w) consumeWord(s, w);
    }
  }
}

void ruleKotoMoAroouni(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!isLiveSurface(s, i, "こと") || !isLiveSurface(s, i + 1, "も") || !isLiveSurface(s, i + 2, "あろう") ||
        !isLiveSurface(s, i + 3, "に")) {
      continue;
    }
    setOwnRendering(s, i, wKotoMoAroouni);
    for (int w = i + 1; w <= i + 3; ++w) consumeWord(s, w);
  }
}

void ruleSaini(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!(isSurface(s, i, "の") || isAdnominal(s, i)) || !liveSurfaceIn(s, i + 1, {"際", "さい"}) ||
        !isLiveSurface(s, i + 2, "に")) {
      continue;
    }
    setHeadText2(s, maximalProjection(s, i + 2), wSaini);
    consumeWord(s, i + 1);
    consumeWord(s, i + 2);
  }
}

}  // namespace jc
