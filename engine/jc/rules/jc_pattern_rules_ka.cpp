// Sentence patterns of the か group: か思うと, 必ずしも … とは限らない, かねない, かねる, かのようだ,
// かもしれない, から + ある / 言う / くる, からこそ, から見る and the range から … まで.
#include "engine/jc/rules/jc_pattern_common.h"
#include "engine/jc/rules/jc_pattern_rules_ka_to.h"

namespace jc {

using namespace pattern;

namespace {

#define WORDS(X)                                                   \
  X(wKaToOmou, "ruleKaOmou.kaToOmou", 1, 4, 4)                     \
  X(wKaToOmoeba, "ruleKaOmou.kaToOmoeba", 1, 4, 4)                 \
  X(wKanenai, "ruleKanenai.kanenai", 1, 4, 4)                      \
  X(wKaneru, "ruleKaneru.kaneru", 1, 4, 4)                         \
  X(wKaNoYouda, "ruleKaNoYouda.kanoyouda", 1, 4, 4)                \
  X(wKamoNai, "ruleKamoshirenai.kamoshirenai", 1, 6, 6)            \
  X(wKamoMasen, "ruleKamoshirenai.kamoshiremasen", 1, 6, 6)        \
  X(wKaraAru, "ruleKaraAru.karaAru", 1, 4, 4)                      \
  X(wKaraAruTail, "ruleKaraAru.tail", 1, 4, 4)                     \
  X(wKaraIu, "ruleKaraIu.kara", 1, 2, 2)                           \
  X(wKaraIuTail, "ruleKaraIu.tail", 1, 4, 4)                       \
  X(wKaraIuTemo, "ruleKaraIu.temo", 1, 4, 4)                       \
  X(wKaraKuru, "ruleKaraKuru.karaKuru", 1, 10, 10)                 \
  X(wKarakoso, "ruleKarakoso.karakoso", 1, 6, 6)                   \
  X(wKaraShite, "ruleKarakoso.karashite", 1, 2, 2)                 \
  X(wKaraShiteTail, "ruleKarakoso.karashiteTail", 1, 4, 4)         \
  X(wKaraSuruTo, "ruleKarakoso.karasuruto", 1, 2, 2)               \
  X(wKaraSuruToTail, "ruleKarakoso.karasurutoTail", 1, 4, 4)       \
  X(wKaraSureba, "ruleKarakoso.karasureba", 1, 2, 2)               \
  X(wKaraSurebaTail, "ruleKarakoso.karasurebaTail", 1, 4, 4)       \
  X(wKaraToItte, "ruleKarakoso.karatoitte", 1, 4, 4)               \
  X(wKaraDekite, "ruleKaraMiru.karaDekite", 1, 2, 2)               \
  X(wKaraDekiteTail, "ruleKaraMiru.karaDekiteTail", 1, 4, 4)       \
  X(wKaraMite, "ruleKaraMiru.karaMite", 1, 2, 2)                   \
  X(wKaraMiteTail, "ruleKaraMiru.karaMiteTail", 1, 4, 4)           \
  X(wKaraMiruTo, "ruleKaraMiru.karaMiruTo", 1, 2, 2)               \
  X(wKaraMiruToTail, "ruleKaraMiru.karaMiruToTail", 1, 4, 4)       \
  X(wKaraMireba, "ruleKaraMiru.karaMireba", 1, 2, 2)               \
  X(wKaraMirebaTail, "ruleKaraMiru.karaMirebaTail", 1, 4, 4)       \
  X(wMadeFrom, "ruleKaraMade.kara", 1, 2, 2)                       \
  X(wMadeHe, "ruleKaraMade.he", 1, 2, 2)                           \
  X(wMadeTo, "ruleKaraMade.made", 1, 2, 2)                         \
  X(wNotNecessarily, "ruleKanarazushimo.notNecessarily", 1, 6, 6)  \
  X(wCopula, "ruleKanarazushimo.copula", 1, 2, 2)

COMMON_REGISTER(WORDS)

bool baseOrPastOrNaStem(const JcSentence* s, int i) { return isNaAdjectiveStem(s, i) || isBaseOrPastForm(s, i); }

// The widened end of a range: a time word just before the phrase's first word joins it.
int widenByTimeWord(const JcSentence* s, int phrase) {
  const int f = firstLeaf(s, phrase);
  if (f > 1 && !isNonTemporalNoun(s, f - 1)) return maximalProjection(s, f - 1);
  return phrase;
}

}  // namespace

void ruleKaOmou(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!baseOrPastOrNaStem(s, i) || !isLiveSurface(s, i + 1, "か")) continue;
    if (isLiveSurface(s, i + 2, "思う") && isLiveSurface(s, i + 3, "と")) {
      setSlot(s, parentOf(s, i + 2), Slot::kNearAdverbial, wKaToOmou, i + 1);
      for (int k = i + 1; k <= i + 3; ++k) consumeWord(s, k);
    } else if (isLiveBaseForm(s, i + 2, "思う") && conjFormIn(s, i + 2, {"6", "10"})) {
      // 思えば / 思ったら: the word's surface is its conditional, so its base form is tested.
      setSlot(s, parentOf(s, i + 2), Slot::kNearAdverbial, wKaToOmoeba, i + 1);
      consumeWord(s, i + 1);
      consumeWord(s, i + 2);
    }
  }
}

// 必ずしも … とは限らない / とは言えない / わけではない. Rule 001 has already retired 必ずしも and
// raised the override counter for it. The ending and its negation are consumed, and the override
// word (不一定) is written through the slot writer before the predicate it qualifies, with 是
// before a noun: 高い本が必ずしも良い本とは限らない 高的书不一定是好书.
void ruleKanarazushimo(JcSentence* s) {
  int k = 0;
  for (int i = 1; i <= lastWord(s) && !k; ++i)
    if (isBaseForm(s, i, "必ずしも") || isBaseForm(s, i, "かならずしも")) k = i;
  if (!k) return;
  for (int j = k + 2; j <= lastWord(s); ++j) {
    // とは as one word, or as と and は as the analyser often gives it.
    const int toha = isLiveSurface(s, j, "とは")                                  ? 1
                     : isLiveSurface(s, j, "と") && isLiveSurface(s, j + 1, "は") ? 2
                                                                                  : 0;
    int last = 0;
    if (toha && liveBaseIn(s, j + toha, {"限る", "かぎる", "言える", "いえる"}) && isLiveBaseForm(s, j + toha + 1, "ない")) {
      last = j + toha + 1;
    } else if (liveSurfaceIn(s, j, {"わけ", "訳"})) {
      const int dewa = isLiveSurface(s, j + 1, "では")                                      ? 1
                       : isLiveSurface(s, j + 1, "で") && isLiveSurface(s, j + 2, "は") ? 2
                                                                                        : 0;
      if (dewa && isLiveBaseForm(s, j + dewa + 1, "ない")) last = j + dewa + 1;
    }
    if (!last) continue;
    const bool wake = !toha;
    int pred = j - 1, from = j;
    // 良い本だとは, 良い本なわけ, 良い本というわけ: the copula or という goes with the ending.
    if (liveSurfaceIn(s, pred, {"だ", "な"}) && isNominal(s, pred - 1)) {
      from = pred--;
    } else if (isLiveSurface(s, pred, "という") || (isLiveSurface(s, pred, "いう") && isLiveSurface(s, pred - 1, "と"))) {
      from = isLiveSurface(s, pred, "という") ? pred : pred - 1;
      pred = from - 1;
    }
    if (pred <= k || !wordAt(s, pred)) continue;
    // The predicate with the words that qualify it (良い本): the slot goes before the first of them.
    const int r = climbAdnominalChain(s, pred);
    writeTargetSlot(s, r, Slot::kModal, wNotNecessarily);
    if (isNominal(s, pred) && !isNaAdjectiveStem(s, pred)) appendSlot(s, r, Slot::kModal, wCopula);
    setSlotSource(s, r, Slot::kModal, from);
    // Before わけ the predicate was adnominal; it now ends the clause and takes no 的.
    if (wake) {
      setKind(s, parentOf(s, pred), 'z');
      setKind(s, maximalProjection(s, j - 1), 'z');
    }
    for (int w = from; w <= last; ++w) consumeWord(s, w);
    j = last;
  }
}

void ruleKanenai(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int k = findFirstBase(s, p, {"兼ねない", "かねない"});
    if (!k) return;
    if (isVerbContinuative(s, k - 1)) {
      setSlot(s, parentOf(s, k - 1), Slot::kModal, wKanenai, k);
      consumeWord(s, k);
    }
    p = k + 1;
  }
}

void ruleKaneru(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int k = findLiveBaseForm(s, p, "兼ねる");
    if (!k) return;
    if (isVerbContinuative(s, k - 1)) {
      setSlot(s, parentOf(s, k - 1), Slot::kNearAdverbial, wKaneru, k);
      consumeWord(s, k);
    }
    p = k + 1;
  }
}

void ruleKaNoYouda(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int k = findLiveBaseForm(s, p, "ようだ");
    if (!k) return;
    if (isBaseOrPastForm(s, k - 3) && isLiveSurface(s, k - 2, "か") && isLiveSurface(s, k - 1, "の")) {
      setSlot(s, parentOf(s, k - 3), Slot::kConcession, wKaNoYouda, k);
      for (int w = k - 2; w <= k; ++w) consumeWord(s, w);
    }
    p = k + 1;
  }
}

void ruleKamoshirenai(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!(isNominal(s, i) || baseOrPastOrNaStem(s, i) || isSurface(s, i, "の")) || !isLiveSurface(s, i + 1, "かも")) {
      continue;
    }
    if (liveBaseIn(s, i + 2, {"分かる", "知れる", "しれる"}) && isLiveBaseForm(s, i + 3, "ない")) {
      setSlot(s, parentOf(s, i), Slot::kAfterSubject, wKamoNai, i + 1);
      for (int k = i + 1; k <= i + 3; ++k) consumeWord(s, k);
    } else if (liveBaseIn(s, i + 2, {"知れる", "しれる"}) && isLiveBaseForm(s, i + 3, "ます") &&
               isLiveBaseForm(s, i + 4, "ぬ")) {
      setSlot(s, parentOf(s, i), Slot::kAfterSubject, wKamoMasen, i + 1);
      for (int k = i + 1; k <= i + 4; ++k) consumeWord(s, k);
    }
  }
}

void ruleKaraAru(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!isNumeral(s, i) || !isLiveSurface(s, i + 1, "から") || !isLiveBaseForm(s, i + 2, "ある")) continue;
    setSlot(s, maximalProjection(s, i), Slot::kCopula, wKaraAru, i + 1);
    setHeadText(s, i, wKaraAruTail);
    consumeWord(s, i + 1);
    consumeWord(s, i + 2);
  }
}

void ruleKaraIu(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!isNominal(s, i) || !isLiveSurface(s, i + 1, "から") || !isLiveBaseForm(s, i + 2, "言う")) continue;
    if (!liveSurfaceIn(s, i + 3, {"ても", "と"}) && !conjFormIn(s, i + 2, {"6", "10", "11"})) continue;
    const int h = climbAdnominalChain(s, i);
    setSlot(s, h, Slot::kPreposition, wKaraIu, i + 1);
    appendHeadText(s, h, wKaraIuTail);
    consumeWord(s, i + 1);
    consumeWord(s, i + 2);
    if (isLiveSurface(s, i + 3, "と")) consumeWord(s, i + 3);
    if (isLiveSurface(s, i + 3, "ても")) {
      setSlot(s, h, Slot::kConcession, wKaraIuTemo, i + 3);
      consumeWord(s, i + 3);
    }
  }
}

void ruleKaraKuru(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!isNominal(s, i) || !isLiveSurface(s, i + 1, "から") || !isLiveBaseForm(s, i + 2, "くる")) continue;
    setSlot(s, climbAdnominalChain(s, i), Slot::kCopula, wKaraKuru, i + 1);
    consumeWord(s, i + 1);
    consumeWord(s, i + 2);
  }
}

void ruleKarakoso(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!isBaseOrPastForm(s, i) || !isLiveSurface(s, i + 1, "から")) continue;
    const int p = parentOf(s, i);
    auto fromTo = [&](std::string_view slot5, std::string_view tail, int last) {
      setSlot(s, p, Slot::kPreposition, slot5, i + 1);
      setHeadText(s, p, tail);
      for (int k = i + 1; k <= last; ++k) consumeWord(s, k);
    };
    if (isLiveSurface(s, i + 2, "こそ")) {
      setSlot(s, p, Slot::kConcession, wKarakoso, i + 1);
      consumeWord(s, i + 1);
      consumeWord(s, i + 2);
    } else if (isLiveSurface(s, i + 2, "して")) {
      fromTo(wKaraShite, wKaraShiteTail, i + 2);
    } else if (isLiveSurface(s, i + 2, "する") && isLiveSurface(s, i + 3, "と")) {
      fromTo(wKaraSuruTo, wKaraSuruToTail, i + 3);
    } else if (isLiveBaseForm(s, i + 2, "する") && conjFormIn(s, i + 2, {"6"})) {
      // すれば: the conditional's surface is not する, so its base form is tested.
      fromTo(wKaraSureba, wKaraSurebaTail, i + 2);
    } else if (isLiveSurface(s, i + 2, "と") && liveSurfaceIn(s, i + 3, {"いって", "言って"})) {
      setSlot(s, maximalProjection(s, i), Slot::kClauseOpener, wKaraToItte, i + 1);
      for (int k = i + 1; k <= i + 3; ++k) consumeWord(s, k);
    }
  }
}

void ruleKaraMiru(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!isNominal(s, i) || !isLiveSurface(s, i + 1, "から")) continue;
    const int h = maximalProjection(s, i);
    auto fromTo = [&](std::string_view slot5, std::string_view tail, int last) {
      setSlot(s, h, Slot::kPreposition, slot5, i + 1);
      appendHeadText(s, h, tail);
      for (int k = i + 1; k <= last; ++k) consumeWord(s, k);
    };
    if (isLiveBaseForm(s, i + 2, "できる") && conjFormIn(s, i + 2, {"10"}) && isLiveSurface(s, i + 3, "いる")) {
      fromTo(wKaraDekite, wKaraDekiteTail, i + 3);
    } else if (isLiveSurface(s, i + 2, "見て")) {
      const bool mo = isLiveSurface(s, i + 3, "も");
      fromTo(wKaraMite, wKaraMiteTail, mo ? i + 3 : i + 2);
    } else if (liveSurfaceIn(s, i + 2, {"みる", "見る"}) && isLiveSurface(s, i + 3, "と")) {
      fromTo(wKaraMiruTo, wKaraMiruToTail, i + 3);
    } else if (liveBaseIn(s, i + 2, {"みる", "見る"}) && conjFormIn(s, i + 2, {"6"})) {
      // みれば / 見れば: tested on the base form, as for すれば.
      fromTo(wKaraMireba, wKaraMirebaTail, i + 2);
    }
  }
}

void ruleKaraMade(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int k = findLiveSurface(s, p, "から");
    if (!k) return;
    // After a predicate から joins a clause (食べてから, 忙しいから): no range starts there.
    if (isPredicateWord(s, k - 1)) {
      p = k + 1;
      continue;
    }
    const int e = findFirstSurface(s, k, {"まで", "かけて", "へと", "へ"});
    if (!e) return;
    int a = maximalProjection(s, k - 1);
    if (nodeMark(s, a) == "K") return;
    int b = maximalProjection(s, e - 1);
    a = widenByTimeWord(s, a);
    b = widenByTimeWord(s, b);
    setSlot(s, a, Slot::kPreposition, wMadeFrom, k);
    std::string code;
    copyUsageCode(s, e, code);
    // The goal of a verb of going is its object (从车站去学校), with no 往 before it.
    if (!(isLiveSurface(s, e, "へ") && code == "HE99"))
      setSlot(s, b, Slot::kPreposition, isLiveSurface(s, e, "へ") ? wMadeHe : wMadeTo, e);
    if (isLiveSurface(s, e - 2, "に") && isLiveSurface(s, e - 1, "至る")) {
      consumeWord(s, e - 2);
      consumeWord(s, e - 1);
    } else if (isLiveSurface(s, e - 1, "に") && isLiveSurface(s, e, "かけて")) {
      consumeWord(s, e - 1);
    } else if (isLiveSurface(s, e, "まで") && isLiveSurface(s, e + 1, "に")) {
      consumeWord(s, e + 1);
    }
    consumeWord(s, k);
    consumeWord(s, e);
    p = e + 1;
  }
}

}  // namespace jc
