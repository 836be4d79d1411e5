// Sentence patterns さえ to それほど: さえ, さすが, ざるを得ない, さながら, しか … ない, 次第, time +
// したら, しな, すぎる, ず, すら, すんでのことに, せいか, せめて, そうなら, そうになる, そうにもない,
// そのもの and それほど.
#include "engine/jc/rules/jc_pattern_common.h"
#include "engine/jc/rules/jc_pattern_rules_ka_to.h"

#include <source_location>

namespace jc {

using namespace pattern;

namespace {

#define WORDS(X)                                                   \
  X(wSaeAreba, "ruleSae.saeAreba", 1, 4, 4)                        \
  X(wSaeArebaNoun, "ruleSae.saeArebaNoun", 1, 2, 2)                \
  X(wSaeSureba, "ruleSae.saeSureba", 1, 4, 4)                      \
  X(wSaeNakereba, "ruleSae.saeNakereba", 1, 6, 6)                  \
  X(wSaeShiNakereba, "ruleSae.saeShiNakereba", 1, 6, 6)            \
  X(wSaeConditional, "ruleSae.saeConditional", 1, 4, 4)            \
  X(wSaeEven, "ruleSae.even", 1, 2, 2)                             \
  X(wSasugaDake, "ruleSasugaDake.dakeatte", 1, 2, 17)              \
  X(wSasugaMo, "ruleSasugaDake.sasuga", 1, 4, 4)                   \
  X(wSasugaMoTail, "ruleSasugaDake.mo", 1, 2, 2)                   \
  X(wZaruFirst, "ruleZaruoEnai.first", 1, 2, 2)                    \
  X(wZaruSecond, "ruleZaruoEnai.second", 1, 4, 4)                  \
  X(wSanagara, "ruleSanagara.sanagara", 1, 4, 4)                   \
  X(wSanagaraYou, "ruleSanagara.youda", 1, 4, 4)                   \
  X(wShikaTo, "ruleShikaNai.toShika", 1, 2, 2)                     \
  X(wShikaArimasen, "ruleShikaNai.arimasen", 1, 4, 4)              \
  X(wShikaNai, "ruleShikaNai.nai", 1, 4, 4)                        \
  X(wShikaCount, "ruleShikaNai.count", 1, 4, 4)                    \
  X(wShidaiVerb, "ruleShidai.afterVerb", 1, 2, 2)                  \
  X(wShidaiVerbTail, "ruleShidai.afterVerbTail", 1, 2, 2)          \
  X(wShidaiNoun, "ruleShidai.afterNoun", 1, 4, 4)                  \
  X(wShidaiNounTail, "ruleShidai.afterNounTail", 1, 4, 4)          \
  X(wJikanShitara, "ruleJikanShitara.shitara", 1, 4, 4)            \
  X(wJikanShitaraTail, "ruleJikanShitara.shitaraTail", 1, 4, 4)    \
  X(wJikanSuruTo, "ruleJikanShitara.suruto", 1, 4, 4)              \
  X(wJikanSuruToTail, "ruleJikanShitara.surutoTail", 1, 4, 4)      \
  X(wJikanShiteKara, "ruleJikanShitara.shitekara", 1, 4, 4)        \
  X(wJikanShiteKaraTail, "ruleJikanShitara.shitekaraTail", 1, 4, 4) \
  X(wShinaSlot, "ruleShina.slot1", 1, 2, 2)                        \
  X(wShinaMain, "ruleShina.main", 1, 2, 2)                         \
  X(wSugiruAdjective, "ruleSugiru.adjective", 1, 2, 2)             \
  X(wSugiruVerb, "ruleSugiru.verb", 1, 4, 4)                       \
  X(wNiSuginaiFirst, "ruleSugiru.niSuginaiFirst", 1, 2, 2)         \
  X(wNiSuginaiSecond, "ruleSugiru.niSuginaiSecond", 1, 4, 4)       \
  X(wNiSugimasenFirst, "ruleSugiru.niSugimasenFirst", 1, 2, 2)     \
  X(wNiSugimasenSecond, "ruleSugiru.niSugimasenSecond", 1, 4, 4)   \
  X(wZuNiIru, "ruleZu.zuniiru", 1, 6, 6)                           \
  X(wZuNiSumu, "ruleZu.zunisumu", 1, 2, 2)                         \
  X(wZuNiWaIrarenaiFirst, "ruleZu.zuniwairarenaiFirst", 1, 2, 2)   \
  X(wZuNiWaIrarenaiSecond, "ruleZu.zuniwairarenaiSecond", 1, 8, 8) \
  X(wZuNiWaOkanai, "ruleZu.zuniwaokanai", 1, 4, 4)                 \
  X(wZuNiIrarenaiFirst, "ruleZu.zuniirarenaiFirst", 1, 2, 2)       \
  X(wZuNiIrarenaiSecond, "ruleZu.zuniirarenaiSecond", 1, 8, 8)     \
  X(wNiYorazuFirst, "ruleZu.niyorazuFirst", 1, 2, 2)               \
  X(wNiYorazuSecond, "ruleZu.niyorazuSecond", 1, 8, 8)             \
  X(wNomiNarazu, "ruleZu.nominarazu", 1, 4, 4)                     \
  X(wNiTodomarazuFirst, "ruleZu.nitodomarazuFirst", 1, 2, 2)       \
  X(wNiTodomarazuSecond, "ruleZu.nitodomarazuSecond", 1, 2, 2)     \
  X(wZuOrazu, "ruleZu.teOrazu", 1, 2, 2)                           \
  X(wZu, "ruleZu.zu", 1, 2, 2)                                     \
  X(wZuNiThen, "ruleZu.zuniThen", 1, 2, 2)                         \
  X(wSura, "ruleSuraNai.sura", 1, 2, 2)                            \
  X(wSuraTail, "ruleSuraNai.nai", 1, 2, 2)                         \
  X(wSeiKaNoun, "ruleSeiKa.afterNoun", 1, 8, 8)                    \
  X(wSeiKaClause, "ruleSeiKa.afterClause", 1, 8, 8)                \
  X(wSemeteDake, "ruleSemete.dakedemo", 1, 4, 4)                   \
  X(wSemeteGurai, "ruleSemete.gurai", 1, 4, 4)                     \
  X(wSouNara, "ruleSouNara.sounara", 1, 4, 4)                      \
  X(wSouNaraTail, "ruleSouNara.tail", 1, 4, 4)                     \
  X(wSouniNaru, "ruleSouniNaru.souninaru", 1, 4, 4)                \
  X(wSouniMoNai, "ruleSouniMoNai.sounimonai", 1, 6, 6)             \
  X(wSonomono, "ruleSonomono.sonomono", 1, 4, 4)                   \
  X(wSorehodo, "ruleSorehodo.sorehodo", 1, 10, 10)

COMMON_REGISTER(WORDS)

void consumeRange(JcSentence* s, int from, int to, const std::source_location& where = std::source_location::current()) {
  for (int w = from; w <= to; ++w) consumeWord(s, w, where);
}

bool isSugiru(const JcSentence* s, int i) { return liveBaseIn(s, i, {"すぎる", "過ぎる"}); }

// に過ぎない / に過ぎません: both phrases are marked and the phrase of 過ぎ drops its template.
void renderNiSuginai(JcSentence* s, int i, std::string_view first, std::string_view second, int last) {
  const int m = maximalProjection(s, i);
  writePieces(s, m, Slot::kCopula, {first, second}, i + 1);
  consumeRange(s, i + 1, last);
  setNodeMark(s, m, "*");
  const int q = parentOf(s, i + 2);
  setNodeMark(s, q, "*");
  clearTemplate(s, q);
}

// いられない / おれない from word i on.
bool cannotHelp(const JcSentence* s, int i) {
  return (isLiveSurface(s, i, "いる") && isLiveBaseForm(s, i + 1, "られる") && isLiveBaseForm(s, i + 2, "ない")) ||
         (isLiveSurface(s, i, "おる") && isLiveBaseForm(s, i + 1, "れる") && isLiveBaseForm(s, i + 2, "ない"));
}

}  // namespace

void ruleSae(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!isLiveSurface(s, i + 1, "さえ")) continue;
    const bool nominal = isNominal(s, i);
    const bool connective = isIAdjectiveContinuative(s, i) || isNaTeForm(s, i);
    if ((nominal || connective) && isLiveSurface(s, i + 2, "あれば")) {
      const int m = maximalProjection(s, i);
      setSlot(s, m, Slot::kConcession, wSaeAreba);
      if (nominal) appendSlot(s, m, Slot::kConcession, wSaeArebaNoun);
      setSlotSource(s, m, Slot::kConcession, i + 1);
      consumeRange(s, i + 1, i + 2);
      setKind(s, parentOf(s, i + 2), 'z');
    } else if (isVerbContinuative(s, i) && isLiveSurface(s, i + 2, "すれば")) {
      setSlot(s, parentOf(s, i), Slot::kConcession, wSaeSureba, i + 1);
      consumeRange(s, i + 1, i + 2);
      setKind(s, parentOf(s, i + 2), 'z');
    } else if ((nominal || isContinuativeForm(s, i)) && isLiveSurface(s, i + 2, "なければ")) {
      setSlot(s, maximalProjection(s, i), Slot::kClauseOpener, wSaeNakereba, i + 1);
      consumeRange(s, i + 1, i + 2);
      setKind(s, parentOf(s, i + 2), 'z');
    } else if ((nominal || isContinuativeForm(s, i)) && isLiveSurface(s, i + 2, "し") &&
               isLiveSurface(s, i + 3, "なければ")) {
      setKind(s, parentOf(s, i + 3), 'z');
      setSlot(s, maximalProjection(s, i), Slot::kClauseOpener, wSaeShiNakereba, i + 1);
      consumeRange(s, i + 1, i + 3);
    } else if (nominal && isConditionalForm(s, i + 2)) {
      setSlot(s, maximalProjection(s, i), Slot::kClauseOpener, wSaeConditional, i + 1);
      consumeWord(s, i + 1);
      if (isLiveSurface(s, i + 2, "すれば")) consumeWord(s, i + 2);
      setKind(s, parentOf(s, i + 2), 'z');
    } else if (nominal) {
      setSlot(s, maximalProjection(s, i), Slot::kClauseOpener, wSaeEven, i + 1);
      consumeWord(s, i + 1);
      if (isLiveSurface(s, i + 2, "も")) consumeWord(s, i + 2);
    }
  }
}

void ruleSasugaDake(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int k = findLiveSurface(s, p, "さすが");
    if (!k) return;
    if (const int d = findLiveSurface(s, k, "だけ")) {
      if (liveSurfaceIn(s, d + 1, {"あって", "に"})) {
        setOwnRendering(s, k, wSasugaDake);
        if (liveSurfaceIn(s, k + 1, {"に", "は"})) consumeWord(s, k + 1);
      }
      p = d + 1;
      continue;
    }
    const int m = findLiveSurface(s, k, "も");
    if (!m) return;
    setOwnRendering(s, k, wSasugaMo);
    setOwnRendering(s, m, wSasugaMoTail);
    if (isLiveSurface(s, k + 1, "の")) {
      consumeWord(s, k + 1);
      setKind(s, parentOf(s, k + 1), 'z');
    }
    p = m + 1;
  }
}

void ruleZaruoEnai(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!isVerbIrrealis(s, i) || !isLiveSurface(s, i + 1, "ざる") || !isLiveSurface(s, i + 2, "を") ||
        !liveBaseIn(s, i + 3, {"得る", "える"}) || !isLiveBaseForm(s, i + 4, "ない")) {
      continue;
    }
    writePieces(s, parentOf(s, i), Slot::kModal, {wZaruFirst, wZaruSecond}, i);
    consumeRange(s, i + 1, i + 4);
  }
}

void ruleSanagara(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int k = findLiveSurface(s, p, "さながら");
    if (!k) return;
    const int y = findLiveBaseForm(s, k, "ようだ");
    if (!y) return;
    if (isLiveSurface(s, y + 1, "の")) consumeWord(s, y + 1);
    setOwnRendering(s, k, wSanagara);
    setOwnRendering(s, y, wSanagaraYou);
    p = y + 1;
  }
}

void ruleShikaNai(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int k = findLiveSurface(s, p, "しか");
    if (!k) return;
    const int n = findNegation(s, k + 1);
    if (!n) return;
    if (headPhraseOf(s, maximalProjection(s, k)) == parentOf(s, n)) {
      if (isSurface(s, k - 1, "と") && isVerb(s, k + 1)) {
        setSlot(s, maximalProjection(s, n), Slot::kConcession, wShikaTo, k);
        consumeWord(s, k);
        ruleArimasen(s, n);
      } else if (liveSurfaceIn(s, n - 2, {"あり", "有り"}) && isLiveSurface(s, n - 1, "ませ") &&
                 isLiveSurface(s, n, "ん")) {
        setSlot(s, maximalProjection(s, k - 1), Slot::kConcession, wShikaArimasen, k);
        consumeWord(s, k);
        consumeRange(s, n - 2, n);
      } else if (isLiveBaseForm(s, k + 1, "ない")) {
        setSlot(s, maximalProjection(s, k - 1), Slot::kConcession, wShikaNai, k);
        consumeRange(s, k, k + 1);
      } else if (isNumeral(s, k - 1) || isCounterSuffix(s, k - 1)) {
        setSlot(s, maximalProjection(s, k - 1), Slot::kConcession, wShikaCount, k);
        consumeWord(s, k);
        ruleArimasen(s, n);
      } else if (isNominal(s, k - 1) && isVerb(s, n - 1)) {
        // A noun しか before a negated verb: only, before the verb (本しか読まない 只读书).
        setSlot(s, parentOf(s, n), Slot::kNegation, wShikaTo, k);
        consumeWord(s, k);
        ruleArimasen(s, n);
      }
    }
    p = n + 1;
  }
}

void ruleShidai(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int k = findLiveSurface(s, p, "次第");
    if (!k) return;
    if (isVerbContinuative(s, k - 1)) {
      const int q = parentOf(s, k - 1);
      setSlot(s, q, Slot::kNearAdverbial, wShidaiVerb, k);
      setHeadText2(s, q, wShidaiVerbTail);
      consumeWord(s, k);
    } else if (isNominal(s, k - 1) && isLiveSurface(s, k + 1, "で")) {
      const int m = maximalProjection(s, k - 1);
      setSlot(s, m, Slot::kPreposition, wShidaiNoun, k);
      setHeadText(s, m, wShidaiNounTail);
      const bool wa = isLiveSurface(s, k + 2, "は");
      consumeRange(s, k, k + 1);
      if (wa) consumeWord(s, k + 2);
    }
    p = k + 1;
  }
}

void ruleJikanShitara(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!isTimeNoun(s, i)) continue;
    const int m = maximalProjection(s, i);
    auto after = [&](std::string_view slot5, std::string_view tail) {
      setSlot(s, m, Slot::kPreposition, slot5, i + 1);
      appendHeadText(s, m, tail);
    };
    if (liveSurfaceIn(s, i + 1, {"したら", "すると", "すれば"})) {
      after(wJikanShitara, wJikanShitaraTail);
      consumeWord(s, i + 1);
      setKind(s, parentOf(s, i + 1), 'z');
    } else if (isLiveSurface(s, i + 1, "する") && isLiveSurface(s, i + 2, "と")) {
      after(wJikanSuruTo, wJikanSuruToTail);
      consumeRange(s, i + 1, i + 2);
    } else if (isLiveSurface(s, i + 1, "して") && isLiveSurface(s, i + 2, "から")) {
      after(wJikanShiteKara, wJikanShiteKaraTail);
      consumeRange(s, i + 1, i + 2);
    }
  }
}

void ruleShina(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!isVerbContinuative(s, i) || !isLiveSurface(s, i + 1, "しな")) continue;
    const int p = parentOf(s, i);
    setSlot(s, p, Slot::kAfterSubject, wShinaSlot, i + 1);
    setSlot(s, p, Slot::kClauseOpener, wShinaMain, i + 1);
    const bool ni = isLiveSurface(s, i + 2, "に");
    consumeWord(s, i + 1);
    if (ni) consumeWord(s, i + 2);
  }
}

void ruleSugiru(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if ((isIAdjectiveStem(s, i) || isNaAdjectiveStem(s, i) || isNaAdjectiveContinuative(s, i)) && isSugiru(s, i + 1)) {
      setSlot(s, parentOf(s, i), Slot::kRestriction, wSugiruAdjective);
      consumeWord(s, i + 1);
    } else if (isVerbContinuative(s, i) && isSugiru(s, i + 1)) {
      setHeadText(s, parentOf(s, i), wSugiruVerb);
      consumeWord(s, i + 1);
    } else if (isLiveSurface(s, i + 1, "に") && isSugiru(s, i + 2) && liveBaseIn(s, i + 3, {"ない", "ぬ"})) {
      renderNiSuginai(s, i, wNiSuginaiFirst, wNiSuginaiSecond, i + 3);
    } else if (isLiveSurface(s, i + 1, "に") && liveSurfaceIn(s, i + 2, {"すぎ", "過ぎ"}) &&
               isLiveSurface(s, i + 3, "ませ") && isLiveSurface(s, i + 4, "ん")) {
      renderNiSuginai(s, i, wNiSugimasenFirst, wNiSugimasenSecond, i + 4);
    }
  }
}

void ruleZu(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!isVerbIrrealis(s, i) || !isLiveSurface(s, i + 1, "ず")) continue;
    consumeWord(s, i + 1);
    const int p = parentOf(s, i);
    const bool ni = isLiveSurface(s, i + 2, "に");
    if (ni && isLiveBaseForm(s, i + 3, "いる")) {
      writePieces(s, p, Slot::kNegation, {wZuNiIru}, i + 1);
      consumeRange(s, i + 2, i + 3);
    } else if (ni && liveBaseIn(s, i + 3, {"済む", "すむ"})) {
      writePieces(s, p, Slot::kNegation, {wZuNiSumu}, i + 1);
      consumeRange(s, i + 2, i + 3);
    } else if (ni && isLiveBaseForm(s, i + 3, "は") && cannotHelp(s, i + 4)) {
      writePieces(s, p, Slot::kModal, {wZuNiWaIrarenaiFirst, wZuNiWaIrarenaiSecond}, i);
      consumeRange(s, i + 2, i + 6);
    } else if (ni && isLiveBaseForm(s, i + 3, "は") && isLiveSurface(s, i + 4, "置く") &&
               isLiveBaseForm(s, i + 5, "ない")) {
      setSlot(s, p, Slot::kModal, wZuNiWaOkanai, i);
      consumeRange(s, i + 2, i + 5);
    } else if (ni && cannotHelp(s, i + 3)) {
      writePieces(s, p, Slot::kModal, {wZuNiIrarenaiFirst, wZuNiIrarenaiSecond}, i);
      consumeRange(s, i + 2, i + 5);
    } else if (isLiveSurface(s, i - 1, "に") && isLiveSurface(s, i, "よら") && isNominalWord(s, i - 2)) {
      writePieces(s, parentOf(s, i - 1), Slot::kConcession, {wNiYorazuFirst, wNiYorazuSecond}, i - 1);
      consumeRange(s, i - 1, i);
    } else if ((isNominal(s, i - 2) || isPlainBaseOrPastForm(s, i - 2)) && isLiveSurface(s, i - 1, "のみ") &&
               isLiveSurface(s, i, "なら")) {
      setSlot(s, rootOf(s, i - 2), Slot::kConcession, wNomiNarazu, i - 1);
      consumeRange(s, i - 1, i);
    } else if (liveSurfaceIn(s, i - 2, {"のみ", "だけ"}) && isLiveSurface(s, i - 1, "に") &&
               liveSurfaceIn(s, i, {"止まら", "留まら", "とどまら"})) {
      const int r = rootOf(s, i - 3);
      setKind(s, r, 'z');
      writePieces(s, r, Slot::kConcession, {wNiTodomarazuFirst, wNiTodomarazuSecond}, i - 2);
      consumeRange(s, i - 2, i);
    } else {
      const bool orazu = isVerbTeForm(s, i - 1) && isSurface(s, i, "おら");
      writePieces(s, p, Slot::kNegation, {orazu ? std::string_view(wZuOrazu) : std::string_view(wZu)}, i + 1);
      if (ni) {
        // 食べずに行く: 不吃就去; the verb that follows takes 就 unless another rule wrote that slot.
        const int g = headPhraseOf(s, maximalProjection(s, i + 2));
        if (g > 0 && isLive(s, g) && targetSlot(s->targets[g], Slot::kSequence).empty()) setSlot(s, g, Slot::kSequence, wZuNiThen);
        consumeWord(s, i + 2);
      }
    }
  }
}

void ruleSuraNai(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int k = findLiveSurface(s, p, "すら");
    if (!k) return;
    const int n = findLiveBaseForm(s, k + 1, "ない");
    if (!n) return;
    const int q = parentOf(s, k - 1);
    setSlot(s, q, Slot::kConcession, wSura, k);
    setHeadText(s, q, wSuraTail);
    if (isLiveSurface(s, k + 1, "も")) consumeWord(s, k + 1);
    p = n + 1;
  }
}

void ruleSundenokotoni(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int k = findFirstSurface(s, p, {"すんでのことに", "もう少し"});
    if (!k) return;
    const int t = findLiveBaseForm(s, k + 1, "ところ");
    if (!t) return;
    // Only ところ + だった is the expression; nothing else around ところ is taken.
    if (isLiveSurface(s, t + 1, "だった")) consumeRange(s, t, t + 1);
    p = t + 1;
  }
}

void ruleSeiKa(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int k = findFirstSurface(s, p, {"せい", "ため", "為"});
    if (!k || !isSurface(s, k + 1, "か")) return;
    if (isNominal(s, k - 2) && isLiveSurface(s, k - 1, "の")) {
      setSlot(s, maximalProjection(s, k), Slot::kConcession, wSeiKaNoun, k);
      consumeRange(s, k - 1, k + 1);
      setKind(s, parentOf(s, k - 1), 'z');
    } else if (isPlainBaseOrPastForm(s, k - 1)) {
      setSlot(s, maximalProjection(s, k), Slot::kConcession, wSeiKaClause, k);
      consumeRange(s, k, k + 1);
      setKind(s, parentOf(s, k - 1), 'z');
    }
    p = k + 1;
  }
}

void ruleSemete(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int k = findLiveSurface(s, p, "せめて");
    if (!k) return;
    const int g = findFirstBase(s, k + 1, {"ぐらい", "だけ"});
    if (!g) return;
    if (isLiveSurface(s, g, "だけ")) {
      if (!isLiveSurface(s, g + 1, "でも")) return;
      setOwnRendering(s, k, wSemeteDake);
      consumeRange(s, g, g + 1);
    } else {
      // ぐらい takes a particle after it along, never the word the clause goes on with.
      setOwnRendering(s, k, wSemeteGurai);
      consumeWord(s, g);
      if (isLiveSurface(s, g + 1, "は") || isLiveSurface(s, g + 1, "でも") || isLiveSurface(s, g + 1, "も"))
        consumeWord(s, g + 1);
    }
    p = g + 1;
  }
}

void ruleSouNara(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int k = findLiveSurface(s, p, "そう");
    if (!k || !isLiveSurface(s, k + 1, "なら")) return;
    if (isIAdjectiveStem(s, k - 1) || isNaAdjectiveStem(s, k - 1) || isVerbContinuative(s, k - 1)) {
      const int q = parentOf(s, k - 1);
      setSlot(s, q, Slot::kClauseOpener, wSouNara, k);
      setHeadText2(s, q, wSouNaraTail);
      consumeRange(s, k, k + 1);
    }
    p = k + 1;
  }
}

void ruleSouniNaru(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int k = findLiveSurface(s, p, "そう");
    if (!k) return;
    if ((isVerbContinuative(s, k - 1) && isLiveSurface(s, k + 1, "に")) || isLiveBaseForm(s, k + 2, "なる")) {
      setSlot(s, parentOf(s, k - 1), Slot::kConcession, wSouniNaru, k);
      consumeRange(s, k, k + 2);
    }
    p = k + 3;
  }
}

void ruleSouniMoNai(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int k = findLiveSurface(s, p, "そう");
    if (!k || !isVerbContinuative(s, k - 1)) return;
    const int n = findNegation(s, k + 1);
    if (!n) return;
    setSlot(s, parentOf(s, k - 1), Slot::kSeeming, wSouniMoNai);
    consumeWord(s, k);
    if (isLiveSurface(s, k + 1, "に") && isLiveSurface(s, k + 2, "も")) consumeWord(s, k + 2);
    if (liveSurfaceIn(s, k + 1, {"に", "も"})) {
      consumeWord(s, k + 1);
      ruleArimasen(s, n);
    }
    p = n + 1;
  }
}

void ruleSonomono(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int k = findFirstSurface(s, p, {"そのもの", "その物"});
    if (!k || !isNominal(s, k - 1)) return;
    setKind(s, maximalProjection(s, k - 1), 'z');
    setOwnRendering(s, k, wSonomono);
    p = k + 1;
  }
}

void ruleSorehodo(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int k = findLiveSurface(s, p, "それほど");
    if (!k) return;
    const int n = findNegation(s, k + 1);
    if (!n || n == k + 1) return;
    setOwnRendering(s, k, wSorehodo);
    ruleArimasen(s, n);
    if (isSurface(s, k + 1, "でも")) consumeWord(s, k + 1);
    p = n + 1;
  }
}

}  // namespace jc
