// Sentence patterns て, で and と: であっても / であれ, ている最中だ / ところだ, 済む, でない限り,
// なければならない, ではないか, てもいい, でもなければ … でもない, と相俟って, とあれば, といい,
// と言い … と言い and である.
#include "engine/jc/rules/jc_pattern_common.h"
#include "engine/jc/rules/jc_pattern_rules_ka_to.h"

#include <source_location>

namespace jc {

using namespace pattern;

namespace {

#define WORDS(X)                                                        \
  X(wDeatteMo, "ruleDeatteMo.deattemo", 1, 6, 6)                        \
  X(wDeare, "ruleDeatteMo.deare", 1, 6, 6)                              \
  X(wNaMo, "ruleDeatteMo.naMo", 1, 6, 6)                                \
  X(wNaDemo, "ruleDeatteMo.naDemo", 1, 6, 6)                            \
  X(wSaichuu, "ruleTeiruTokoro.saichuu", 1, 4, 4)                       \
  X(wSaichuuTail, "ruleTeiruTokoro.saichuuTail", 1, 6, 6)               \
  X(wTokoroDa, "ruleTeiruTokoro.tokoroda", 1, 4, 4)                     \
  X(wTokoroHe, "ruleTeiruTokoro.tokorohe", 1, 4, 4)                     \
  X(wTokoroHeTail, "ruleTeiruTokoro.tokoroheTail", 1, 6, 6)             \
  X(wTokoroHeWord, "ruleTeiruTokoro.tokoroheWord", 1, 4, 4)             \
  X(wTokoroHeWordTail, "ruleTeiruTokoro.tokoroheWordTail", 1, 6, 6)     \
  X(wDeSumu, "ruleSumu.deSumu", 1, 4, 4)                                \
  X(wTeSumu, "ruleSumu.teSumu", 1, 4, 4)                                \
  X(wDeNaiKagiri, "ruleDenaiKagiri.denaikagiri", 1, 8, 8)               \
  X(wDeNaiTo, "ruleDenaiKagiri.denaito", 1, 8, 8)                       \
  X(wDeNaiForm, "ruleDenaiKagiri.denaiForm", 1, 8, 8)                   \
  X(wNaNaiKagiri, "ruleDenaiKagiri.naNaikagiri", 1, 8, 8)               \
  X(wNaNaiTo, "ruleDenaiKagiri.naNaito", 1, 8, 8)                       \
  X(wNaNaiForm, "ruleDenaiKagiri.naNaiForm", 1, 8, 8)                   \
  X(wNakerebaNaru, "ruleNakerebaNaranai.nakerebanaranaiNaru", 1, 6, 6)  \
  X(wNakerebaNaruGa, "ruleNakerebaNaranai.nakerebanaranaiNaruGa", 1, 10, 10) \
  X(wNakereba, "ruleNakerebaNaranai.nakerebanaranai", 1, 4, 4)          \
  X(wNakerebaGa, "ruleNakerebaNaranai.nakerebanaranaiGa", 1, 6, 6)      \
  X(wNakerebaSplitNaru, "ruleNakerebaNaranai.nakerebaNaru", 1, 6, 6)    \
  X(wNakerebaSplitNaruGa, "ruleNakerebaNaranai.nakerebaNaruGa", 1, 10, 10) \
  X(wNakerebaSplit, "ruleNakerebaNaranai.nakereba", 1, 4, 4)            \
  X(wNakerebaSplitGa, "ruleNakerebaNaranai.nakerebaGa", 1, 6, 6)        \
  X(wNakuteNaru, "ruleNakerebaNaranai.nakuteNaru", 1, 6, 6)             \
  X(wNakuteNaruGa, "ruleNakerebaNaranai.nakuteNaruGa", 1, 10, 10)       \
  X(wNakute, "ruleNakerebaNaranai.nakute", 1, 4, 4)                     \
  X(wNakuteGa, "ruleNakerebaNaranai.nakuteGa", 1, 6, 6)                 \
  X(wDewanaiFirst, "ruleDewanaiKa.first", 1, 2, 2)                      \
  X(wDewanaiSecond, "ruleDewanaiKa.second", 1, 2, 2)                    \
  X(wDewanaiQuestion, "ruleDewanaiKa.question", 1, 2, 2)                \
  X(wTemoIi, "ruleTemoIi.temoii", 1, 6, 6)                              \
  X(wSashitsukaeGa, "ruleTemoIi.sashitsukaeganai", 1, 6, 6)             \
  X(wSashitsukae, "ruleTemoIi.sashitsukaenai", 1, 6, 6)                 \
  X(wDemoFirst, "ruleDemoNakerebaDemoNai.first", 1, 6, 6)               \
  X(wDemoSecond, "ruleDemoNakerebaDemoNai.second", 1, 6, 6)             \
  X(wAimatte, "ruleToAimatte.toaimatte", 1, 4, 4)                       \
  X(wToAreba, "ruleToAreba.toareba", 1, 4, 4)                           \
  X(wToIi, "ruleToIi.toii", 1, 4, 4)                                    \
  X(wToIiFirst, "ruleToIiToIi.first", 1, 4, 4)                          \
  X(wToIiSecond, "ruleToIiToIi.second", 1, 4, 4)                        \
  X(wDearu, "ruleDearu.dearu", 1, 4, 4)

COMMON_REGISTER(WORDS)

void consumeRange(JcSentence* s, int from, int to, const std::source_location& where = std::source_location::current()) {
  for (int w = from; w <= to; ++w) consumeWord(s, w, where);
}

// One written form of the obligation: the word that must be なる after it, and its four
// renderings (with なる, with なる after が / で, without, without after が).
struct Obligation {
  int naru;
  std::string_view withNaru, withNaruCase, plain, plainGa;
};

void renderObligation(JcSentence* s, int i, const Obligation& o) {
  const int g = i - 1;
  if (isLiveBaseForm(s, o.naru, "なる")) {
    if (!liveSurfaceIn(s, g, {"が", "で"})) {
      setSlot(s, parentOf(s, g), Slot::kModal, o.withNaru, i);
    } else {
      setSlot(s, maximalProjection(s, g), Slot::kModal, o.withNaruCase, i);
      consumeWord(s, g);
    }
    consumeRange(s, i, o.naru);
    return;
  }
  if (isLiveSurface(s, g, "が")) {
    setSlot(s, maximalProjection(s, g), Slot::kAfterSubject, o.plainGa, g);
    consumeWord(s, g);
  } else {
    setSlot(s, maximalProjection(s, g), Slot::kAfterSubject, o.plain, i);
  }
  consumeRange(s, i, o.naru - 1);
}

void writeNegativeQuestion(JcSentence* s, int m, int source) {
  writePieces(s, m, Slot::kSeeming, {wDewanaiFirst, wDewanaiSecond}, source);
}

bool questionAt(const JcSentence* s, int i) { return isLiveSurface(s, i, "か") || surfaceIn(s, i, {"？", "?"}); }

}  // namespace

void ruleDeatteMo(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    const int m = maximalProjection(s, i);
    if (isNominal(s, i) && isLiveSurface(s, i + 1, "であって") && isLiveSurface(s, i + 2, "も")) {
      setSlot(s, m, Slot::kConcession, wDeatteMo, i + 1);
      consumeRange(s, i + 1, i + 2);
    } else if (isNominal(s, i) && isLiveSurface(s, i + 1, "であれ")) {
      setSlot(s, m, Slot::kConcession, wDeare, i + 1);
      consumeWord(s, i + 1);
    } else if ((conjIs(s, i, {"21"}, {"24"}) || conjIs(s, i, {"22", "23"}, {"25"})) &&
               isLiveSurface(s, i + 1, "も")) {
      setSlot(s, m, Slot::kConcession, wNaMo, i + 1);
      consumeWord(s, i + 1);
    } else if (conjIs(s, i, {"21"}, {"17"}) || conjIs(s, i, {"22", "23"}, {"18"})) {
      setSlot(s, m, Slot::kConcession, wNaDemo, i + 1);
    }
  }
}

void ruleTeiruTokoro(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int t = findConjFormForward(s, p, "11");
    if (!t || !liveBaseIn(s, t + 1, {"いる", "おる"})) return;
    const int q = parentOf(s, t);
    bool done = true;
    if (isLiveSurface(s, t + 2, "最中") && isLiveBaseForm(s, t + 3, "だ")) {
      setSlot(s, q, Slot::kPreposition, wSaichuu, t);
      setHeadText2(s, q, wSaichuuTail);
      consumeRange(s, t + 1, t + 3);
    } else if (isLiveSurface(s, t + 2, "ところ") && isLiveBaseForm(s, t + 3, "だ")) {
      setSlot(s, q, Slot::kCopula, wTokoroDa, t + 1);
      consumeRange(s, t + 1, t + 3);
    } else if (isLiveSurface(s, t + 2, "ところ") && isLiveBaseForm(s, t + 3, "へ")) {
      setSlot(s, q, Slot::kCopula, wTokoroHe, t + 1);
      setHeadText2(s, q, wTokoroHeTail);
      consumeRange(s, t + 1, t + 3);
    } else if (isLiveSurface(s, t + 2, "ところへ")) {
      setSlot(s, q, Slot::kCopula, wTokoroHeWord, t + 1);
      setHeadText2(s, q, wTokoroHeWordTail);
      consumeRange(s, t + 1, t + 2);
    } else {
      done = false;
    }
    if (done) setKind(s, parentOf(s, t + 1), 'z');
    p = t + 1;
  }
}

void ruleSumu(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int w = findLiveBaseForm(s, p, "済む");
    if (!w) return;
    if ((isNominal(s, w - 2) || isAdverbialParticle(s, w - 2)) && isLiveSurface(s, w - 1, "で")) {
      setOwnRendering(s, w, wDeSumu);
      consumeWord(s, w - 1);
    } else if (isAnyTeForm(s, w - 1)) {
      setOwnRendering(s, w, wTeSumu);
    }
    p = w + 1;
  }
}

void ruleDenaiKagiri(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    const int m = maximalProjection(s, i);
    if (isNominalWord(s, i) && isLiveSurface(s, i + 1, "で") && isLiveBaseForm(s, i + 2, "ない")) {
      std::string_view text;
      int last = i + 3;
      if (liveSurfaceIn(s, i + 3, {"かぎり", "限り"})) {
        text = wDeNaiKagiri;
      } else if (isLiveSurface(s, i + 3, "と")) {
        text = wDeNaiTo;
      } else if (conjFormIn(s, i + 2, {"9", "5"})) {
        text = wDeNaiForm;
        last = i + 2;
      }
      if (!text.empty()) {
        setSlot(s, m, Slot::kConcession, text, i + 1);
        consumeRange(s, i + 1, last);
        setKind(s, parentOf(s, i + 2), 'z');
        continue;
      }
    }
    if (isNaTeForm(s, i) && isLiveBaseForm(s, i + 1, "ない")) {
      std::string_view text;
      int last = i + 2;
      if (liveSurfaceIn(s, i + 2, {"かぎり", "限り"})) {
        text = wNaNaiKagiri;
      } else if (isLiveSurface(s, i + 2, "と")) {
        text = wNaNaiTo;
      } else if (conjFormIn(s, i + 1, {"9", "5"})) {
        text = wNaNaiForm;
        last = i + 1;
      }
      if (!text.empty()) {
        setSlot(s, m, Slot::kConcession, text, i + 1);
        consumeRange(s, i + 1, last);
        setKind(s, parentOf(s, i + 1), 'z');
      }
    }
  }
}

void ruleNakerebaNaranai(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (isLiveBaseForm(s, i, "なければならない")) {
      renderObligation(s, i, {i + 1, wNakerebaNaru, wNakerebaNaruGa, wNakereba, wNakerebaGa});
    } else if (isLiveSurface(s, i, "なければ") && isLiveBaseForm(s, i + 1, "ならない")) {
      setKind(s, parentOf(s, i), 'z');
      renderObligation(s, i,
                       {i + 2, wNakerebaSplitNaru, wNakerebaSplitNaruGa, wNakerebaSplit, wNakerebaSplitGa});
    } else if (isLiveSurface(s, i, "なくて") && isLiveSurface(s, i + 1, "は") &&
               isLiveBaseForm(s, i + 2, "ならない")) {
      renderObligation(s, i, {i + 3, wNakuteNaru, wNakuteNaruGa, wNakute, wNakuteGa});
    }
  }
}

void ruleDewanaiKa(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    const int m = maximalProjection(s, i);
    if (isNominal(s, i) && isLiveSurface(s, i + 1, "で") && isLiveSurface(s, i + 2, "は") &&
        isLiveBaseForm(s, i + 3, "ない") && isLiveSurface(s, i + 4, "か")) {
      writeNegativeQuestion(s, m, i + 1);
      setHeadText2(s, m, wDewanaiQuestion);
      consumeRange(s, i + 1, i + 4);
    } else if (isNaTeForm(s, i) && isLiveSurface(s, i + 1, "は") && isLiveBaseForm(s, i + 2, "ない") &&
               isLiveSurface(s, i + 3, "か")) {
      writeNegativeQuestion(s, m, i + 1);
      setHeadText2(s, m, wDewanaiQuestion);
      consumeRange(s, i + 1, i + 3);
    }
  }
  for (int i = 1; i <= lastWord(s); ++i) {
    const int m = maximalProjection(s, i);
    if (isNominal(s, i) && isLiveSurface(s, i + 1, "じゃ") && isLiveBaseForm(s, i + 2, "ない")) {
      writeNegativeQuestion(s, m, i + 1);
      if (isLiveSurface(s, i + 3, "か")) {
        setHeadText2(s, m, wDewanaiQuestion);
        consumeWord(s, i + 3);
      }
      consumeRange(s, i + 1, i + 2);
    } else if ((conjIs(s, i, {"21"}, {"13"}) || conjIs(s, i, {"22", "23"}, {"14"})) &&
               isLiveBaseForm(s, i + 1, "ない")) {
      writeNegativeQuestion(s, m, i + 1);
      if (questionAt(s, i + 2)) setHeadText2(s, m, wDewanaiQuestion);
      consumeWord(s, i + 1);
      if (isLiveSurface(s, i + 2, "か")) consumeWord(s, i + 2);
    } else if (conjTypeIn(s, i, {"18", "19", "20"}) && isLiveSurface(s, i + 1, "じゃ") &&
               isLiveBaseForm(s, i + 2, "ない")) {
      writeNegativeQuestion(s, m, i + 1);
      if (questionAt(s, i + 3)) setHeadText2(s, m, wDewanaiQuestion);
      consumeRange(s, i + 1, i + 2);
      if (isLiveSurface(s, i + 3, "か")) consumeWord(s, i + 3);
    }
  }
}

void ruleTemoIi(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!(isAnyTeForm(s, i) && isLiveSurface(s, i + 1, "も")) &&
        !(isNominalWord(s, i) && isLiveSurface(s, i + 1, "でも"))) {
      continue;
    }
    const bool sashitsukae = liveSurfaceIn(s, i + 2, {"差し支え", "さしつかえ"});
    if (liveSurfaceIn(s, i + 2, {"いい", "よい", "良い", "よろしい", "構わない", "かまわない"})) {
      setOwnRendering(s, i + 2, wTemoIi);
      consumeWord(s, i + 1);
    } else if (sashitsukae && isLiveSurface(s, i + 3, "が") && isLiveBaseForm(s, i + 4, "ない")) {
      setOwnRendering(s, i + 2, wSashitsukaeGa);
      consumeWord(s, i + 1);
      consumeRange(s, i + 3, i + 4);
    } else if (sashitsukae && isLiveBaseForm(s, i + 3, "ない")) {
      setOwnRendering(s, i + 2, wSashitsukae);
      consumeWord(s, i + 1);
      consumeWord(s, i + 3);
    }
  }
}

void ruleDemoNakerebaDemoNai(JcSentence* s) {
  const int a = findLiveSurface(s, 1, "でも");
  if (!a) return;
  const int b = findLiveSurface(s, a + 2, "でも");
  if (!b) return;
  if (!isLiveSurface(s, a + 1, "なければ") || !isNominal(s, a - 1) || !isLiveBaseForm(s, b + 1, "ない") ||
      !isNominal(s, b - 1)) {
    return;
  }
  setSlot(s, maximalProjection(s, a - 1), Slot::kConcession, wDemoFirst, a);
  setSlot(s, parentOf(s, b - 1), Slot::kConcession, wDemoSecond, b);
  consumeRange(s, a, a + 1);
  consumeRange(s, b, b + 1);
  setKind(s, parentOf(s, a + 1), 'z');
}

void ruleToAimatte(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!isNominal(s, i) || !isLiveSurface(s, i + 1, "と") || !liveSurfaceIn(s, i + 2, {"相俟って", "あいまって"})) {
      continue;
    }
    setSlot(s, maximalProjection(s, i), Slot::kConcession, wAimatte, i + 1);
    consumeRange(s, i + 1, i + 2);
  }
}

void ruleToAreba(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!(isNominal(s, i) || isNaAdjectiveStem(s, i) || isBaseOrPastForm(s, i)) || !isLiveSurface(s, i + 1, "と") ||
        !isLiveSurface(s, i + 2, "あれば")) {
      continue;
    }
    setSlot(s, maximalProjection(s, i), Slot::kConcession, wToAreba, i + 1);
    consumeRange(s, i + 1, i + 2);
    setKind(s, parentOf(s, i + 2), 'z');
  }
}

void ruleToIi(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!isVerbBaseOrPast(s, i) || !isLiveSurface(s, i + 1, "と") ||
        !liveBaseIn(s, i + 2, {"いい", "よい", "良い", "よろしい"})) {
      continue;
    }
    // The wish opens the clause; the verb keeps its own rendering.
    setSlot(s, parentOf(s, i), Slot::kClauseOpener, wToIi, i + 1);
    consumeRange(s, i + 1, i + 2);
  }
}

void ruleToIiToIi(JcSentence* s) {
  const int a = findFirstSurface(s, 1, {"言い", "いい"});
  if (!a) return;
  const int b = findFirstSurface(s, a + 2, {"言い", "いい"});
  if (!b) return;
  if (!isLiveSurface(s, a - 1, "と") || !isNominal(s, a - 1) || !isLiveSurface(s, b - 1, "と") ||
      !isNominal(s, b - 1)) {
    return;
  }
  setHeadText(s, parentOf(s, a - 1), wToIiFirst);
  setHeadText(s, parentOf(s, b - 1), wToIiSecond);
  consumeRange(s, a - 1, a);
  consumeRange(s, b - 1, b);
}

void ruleDearu(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int w = findLiveSurface(s, p, "である");
    if (!w) return;
    p = w + 1;
    if (!(isNominalWord(s, w - 1) || isSymbol(s, w - 1)) ||
        !(isNominalWord(s, wordAt(s, w + 1)) || isSurface(s, w + 1, "「"))) {
      continue;
    }
    if (!liveSurfaceIn(s, w + 1, {"こと", "の"})) {
      setSlot(s, maximalProjection(s, w - 1), Slot::kCopula, wDearu, w);
      consumeWord(s, w);
    } else {
      setKind(s, parentOf(s, w), 'z');
      setKind(s, maximalProjection(s, w), 'z');
      consumeRange(s, w, w + 1);
    }
  }
}

}  // namespace jc
