// Sentence patterns, places 1-30: adverbs paired with an ending, the patterns of あ- and い-, and
// the volitional patterns.
#include "engine/jc/rules/jc_pattern_kit.h"
#include "engine/jc/rules/jc_sentence_patterns.h"

namespace jc {

using namespace pattern;

namespace {

#define WORDS(X)                                          \
  X(w002, "patternRule002.adverb", 1, 6)                  \
  X(w003, "patternRule003.ageku", 1, 4)                   \
  X(w004Youda, "patternRule004.youda", 1, 4)              \
  X(w004Adverb, "patternRule004.adverb", 1, 4)            \
  X(w005, "patternRule005.atari", 1, 2)                   \
  X(w006Atte, "patternRule006.atte", 1, 4)                \
  X(w006No, "patternRule006.no", 1, 6)                    \
  X(w007, "patternRule007.adverb", 1, 4)                  \
  X(w009, "patternRule009.adverb", 1, 4)                  \
  X(w010, "patternRule010.kamoshirenai", 1, 6)            \
  X(w013Trigger, "patternRule013.ikanaru", 1, 4)          \
  X(w013Clause, "patternRule013.clause", 1, 4)            \
  X(w013Final, "patternRule013.final", 1, 2)              \
  X(w014Trigger, "patternRule014.ikani", 1, 4)            \
  X(w014Temo, "patternRule014.temo", 1, 4)                \
  X(w014Final, "patternRule014.final", 1, 2)              \
  X(w015, "patternRule015.ikaniyoru", 1, 6)               \
  X(w016First, "patternRule016.first", 1, 2)              \
  X(w016Second, "patternRule016.second", 1, 2)            \
  X(w016Head, "patternRule016.head", 1, 4)                \
  X(w017Ikura, "patternRule017.ikura", 1, 4)              \
  X(w017Next, "patternRule017.next", 1, 4)                \
  X(w017Final, "patternRule017.final", 1, 2)              \
  X(w018, "patternRule018.ijou", 1, 4)                    \
  X(w019, "patternRule019.adverb", 1, 6)                  \
  X(w019Kesshite, "patternRule019.kesshite", 1, 4)        \
  X(w020Da, "patternRule020.ippouDa", 1, 6)               \
  X(w020, "patternRule020.ippou", 1, 6)                   \
  X(w021Ichimen, "patternRule021.ichimen", 1, 6)          \
  X(w021Tamen, "patternRule021.tamen", 1, 8)              \
  X(w022Ippou, "patternRule022.ippou", 1, 6)              \
  X(w022Tamen, "patternRule022.tamen", 1, 8)              \
  X(w023, "patternRule023.adverb", 1, 4)                  \
  X(w024, "patternRule024.adverb", 1, 4)                  \
  X(w025, "patternRule025.adverb", 1, 6)                  \
  X(w026Ni, "patternRule026.niSlot", 1, 4)                \
  X(w026NiTail, "patternRule026.niTail", 1, 4)            \
  X(w026De, "patternRule026.deHead", 1, 4)                \
  X(w026DeMore, "patternRule026.deHeadMore", 1, 2)        \
  X(w026DeSlot, "patternRule026.deSlot", 1, 2)            \
  X(w026Sahen, "patternRule026.sahenHead", 1, 4)          \
  X(w029First, "patternRule029.first", 1, 4)              \
  X(w029Mai, "patternRule029.mai", 1, 2)                  \
  X(w029Second, "patternRule029.second", 1, 4)            \
  X(w030, "patternRule030.each", 1, 4)

PATTERN_REGISTER(WORDS)

// 言うまでもない: a rendering of up to 15 bytes.
const RenderingKeySpec k011[] = {{"patternRule011.iumademonai", 1, 2, 15}};
const RenderingKeyRegistrar k011Registrar(k011, 1);
const RuleWord w011(k011[0].key);

// The adverb family of rule 019: forms searched in order, a later negation, the adverb rendered
// and the negation handled; no negation ends the rule.
void pairedAdverbWithNegation(JcSentence* s, Forms forms, const RuleWord& word, bool dropNi) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstSurface(s, i, forms);
    if (!k) return;
    i = k + 1;
    const int n = findNegation(s, i);
    if (!n) return;
    if (dropNi && isLiveSurface(s, k + 1, "に")) consumeWord(s, k + 1);
    renderPairedAdverb(s, k, word);
    ruleArimasen(s, n);
  }
}

bool isLiveNominal(const JcSentence* s, int i) { return live(s, i) && isNominal(s, i); }

// The first live `word` from i on that is directly followed by a live `next`; 0 when none.
int findLiveSurfaceBefore(const JcSentence* s, int i, std::string_view word, std::string_view next) {
  for (int k = findLiveSurface(s, i, word); k; k = findLiveSurface(s, k + 1, word))
    if (isLiveSurface(s, k + 1, next)) return k;
  return 0;
}

}  // namespace

void patternRule001(JcSentence* s) {
  s->slotOverride = 0;
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstBase(s, i, {"必ずしも", "かならずしも"});
    if (!k) return;
    const int n = findNegation(s, k + 1);
    if (!n) return;
    consumeWord(s, k);
    ++s->slotOverride;
    i = n + 1;
  }
}

namespace {

// An adverb whose rendering carries the negation after it (あえて, 決して): the rendering stands
// before the negated verb, not where the adverb was attached (あえて高い服を買わない: before 买,
// not before 高的), and the negation is retired.
void adverbBeforeNegatedVerb(JcSentence* s, Forms forms, const RuleWord& word) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstSurface(s, i, forms);
    if (!k) return;
    i = k + 1;
    const int n = findNegation(s, i);
    if (!n) return;
    const int v = parentOf(s, n);
    if (v && v != parentOf(s, k)) {
      setSlot(s, v, Slot::kNegation, word, k);
      consumeWord(s, k);
    } else {
      renderPairedAdverb(s, k, word);
    }
    ruleArimasen(s, n);
  }
}

}  // namespace

void patternRule002(JcSentence* s) { adverbBeforeNegatedVerb(s, {"敢えて", "あえて"}, w002); }

void patternRule003(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstSurface(s, i, {"挙句", "挙げ句", "あげく", "あげくの果て"});
    if (!k) return;
    i = k + 1;
    const bool afterTa = live(s, k - 1) && isVerbTaForm(s, k - 1);
    const bool afterNo = isLiveSurface(s, k - 1, "の") && isLiveNominal(s, k - 2);
    if (!afterTa && !afterNo) continue;
    setOwnRendering(s, k, w003);
    if (isLiveSurface(s, k + 1, "の") && liveSurfaceIn(s, k + 2, {"果て", "はて"})) {
      consumeWord(s, k + 1);
      consumeWord(s, k + 2);
      if (isLiveSurface(s, k + 3, "に")) consumeWord(s, k + 3);
    }
  }
}

void patternRule004(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstSurface(s, i, {"恰も", "あたかも", "まるで"});
    if (!k) return;
    i = k + 1;
    const int y = findLiveBaseForm(s, i, "ようだ");
    if (!y) return;
    const auto predicate = [s](int w) { return live(s, w) && isAdnominalPredicate(s, w); };
    int from = 0;  // first word retired before ようだ
    if (isLiveSurface(s, y - 1, "の") && isLiveSurface(s, y - 2, "か")) {
      if (isLiveSurface(s, y - 3, "の") && isLiveNominal(s, y - 4)) {
        from = y - 3;
      } else if (predicate(y - 3)) {
        from = y - 2;
      }
    }
    if (!from && isLiveSurface(s, y - 1, "の") && (predicate(y - 2) || isLiveNominal(s, y - 2))) from = y - 1;
    if (!from && predicate(y - 1)) from = y;  // a predicate right before ようだ: nothing to retire
    if (!from) continue;
    for (int w = from; w < y; ++w) consumeWord(s, w);
    setOwnRendering(s, y, w004Youda);
    setOwnRendering(s, k, w004Adverb);
  }
}

void patternRule005(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstSurface(s, i, {"当たり", "あたり"});
    if (!k || !(s->nodes[k].pos == "14" && s->nodes[k].subPos == "2")) return;
    i = k + 1;
    setSlot(s, rootOf(s, k - 1), Slot::kDistributive, w005);
    consumeWord(s, k);
  }
}

void patternRule006(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findLiveSurface(s, i, "あって");
    if (!k) return;
    i = k + 1;
    if (!isLiveSurface(s, k + 1, "の")) continue;
    setSlot(s, rootOf(s, k - 1), Slot::kCopula, w006Atte, k);
    setOwnRendering(s, k + 1, w006No);
    consumeWord(s, k);
    setKind(s, parentOf(s, k + 1), 'z');
  }
}

void patternRule007(JcSentence* s) {
  pairedAdverbWithNegation(s, {"強ち", "あながち", "かならずしも", "必ずしも"}, w007, false);
}

void patternRule008(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstSurface(s, i, {"余りに", "あまりに", "あまりにも", "余りにも"});
    if (!k) return;
    i = k + 1;
    if (!findFirstBase(s, i, {"すぎる", "過ぎる"})) return;
    consumeWord(s, k);
    if (isLiveSurface(s, k + 1, "も")) consumeWord(s, k + 1);
  }
}

void patternRule009(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstSurface(s, i, {"危うく", "あやうく", "すんでのことに"});
    if (!k) return;
    i = k + 1;
    const int t = findLiveSurfaceBefore(s, i, "ところ", "だった");
    if (!t) continue;
    consumeWord(s, t);
    consumeWord(s, t + 1);
    renderPairedAdverb(s, k, w009);
  }
}

void patternRule010(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstBase(s, i, {"かもしれない", "かも知れない"});
    if (!k) return;
    consumeWord(s, k);
    const int p = parentOf(s, k - 1);
    setKind(s, p, 'z');
    setSlot(s, p, Slot::kClauseOpener, w010, k);
    const int a = findFirstSurface(s, i, {"或いは", "あるいは"});
    if (!a) return;
    consumeWord(s, a);
    i = k + 1;
  }
}

void patternRule011(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstSurface(s, i, {"言う", "いう"});
    if (!k) return;
    i = k + 1;
    if (!isLiveSurface(s, k + 1, "まで") || !isLiveSurface(s, k + 2, "も") || !isLiveBaseForm(s, k + 3, "ない")) continue;
    if (!liveSurfaceIn(s, k - 1, {"は", "が", "も"})) continue;
    setOwnRendering(s, k, w011);
    for (int w = k + 1; w <= k + 3; ++w) consumeWord(s, w);
  }
}

void patternRule013(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstSurface(s, i, {"如何なる", "いかなる"});
    if (!k) return;
    i = k + 1;
    const int t = findLiveSurface(s, i, "ても");
    if (!t) return;
    if (!(live(s, k + 1) && isNominalOrAdnominal(s, k + 1))) continue;
    if (!(live(s, t - 1) && isVerbContinuative(s, t - 1))) continue;
    setOwnRendering(s, k, w013Trigger);
    setSlot(s, rootOf(s, t - 1), Slot::kConcession, w013Clause, k);
    setSlot(s, finalHeadPhrase(s, t), Slot::kInclusive, w013Final);
    consumeWord(s, t);
  }
}

void patternRule014(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstSurface(s, i, {"如何に", "いかに", "いくら", "どんなに"});
    if (!k) return;
    i = k + 1;
    int m = findLiveSurface(s, i, "も");
    while (m && !(live(s, m - 1) && isVerbTeForm(s, m - 1))) m = findLiveSurface(s, m + 1, "も");
    if (!m) continue;
    setSlot(s, parentOf(s, k), Slot::kConcession, w014Trigger, k);
    setSlot(s, parentOf(s, m - 1), Slot::kRestriction, w014Temo, m);
    setSlot(s, findClauseHead(s, m), Slot::kInclusive, w014Final);
    consumeWord(s, k);
    consumeWord(s, m);
  }
}

void patternRule015(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstSurface(s, i, {"如何に", "いかに"});
    if (!k) return;
    i = k + 1;
    if (!liveBaseIn(s, k + 1, {"よる", "かかる", "係る"})) continue;
    setSlot(s, rootOf(s, k - 1), Slot::kCopula, w015, k);
    consumeWord(s, k);
    consumeWord(s, k + 1);
    if (isLiveSurface(s, k - 1, "の")) {
      consumeWord(s, k - 1);
      setKind(s, parentOf(s, k - 1), 'z');
    }
  }
}

void patternRule016(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstSurface(s, i, {"如何", "いか"});
    if (!k) return;
    i = k + 1;
    if (!isLiveSurface(s, k + 1, "問わず")) continue;
    const int r = rootOf(s, k - 1);
    writeTargetSlot(s, r, Slot::kCopula, w016First);
    appendSlot(s, r, Slot::kCopula, w016Second, k);
    setHeadText(s, r, w016Head);
    consumeWord(s, k);
    consumeWord(s, k + 1);
    if (isLiveSurface(s, k - 1, "の")) {
      consumeWord(s, k - 1);
      setKind(s, parentOf(s, k - 1), 'z');
    }
  }
}

void patternRule017(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findLiveSurface(s, i, "いくら");
    if (!k) return;
    i = k + 1;
    const int t = findLiveSurface(s, i, "ところで");
    if (!t) return;
    setSlot(s, rootOf(s, t - 1), Slot::kConcession, w017Ikura, k);
    consumeWord(s, k);
    consumeWord(s, k + 1);
    setSlot(s, rootOf(s, k + 1), Slot::kBeforeHead, w017Next, k + 1);
    setSlot(s, finalHeadPhrase(s, t), Slot::kInclusive, w017Final);
  }
}

void patternRule018(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findLiveSurface(s, i, "以上");
    if (!k) return;
    i = k + 1;
    if (!(live(s, k - 1) && (isAdnominalPredicate(s, k - 1) || isVerbTaForm(s, k - 1)))) continue;
    const int m = maximalProjection(s, k - 1);
    setSlot(s, m, Slot::kConcession, w018, k);
    setKind(s, m, 'z');
    consumeWord(s, k);
  }
}

void patternRule019(JcSentence* s) {
  pairedAdverbWithNegation(s, {"一向", "いっこう", "一向に", "いっこうに", "少も", "すこしも"}, w019, true);
  adverbBeforeNegatedVerb(s, {"決して", "けっして"}, w019Kesshite);
}

void patternRule020(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstSurface(s, i, {"一方", "いっぽう"});
    if (!k) return;
    i = k + 1;
    if (!(live(s, k - 1) && isAdnominalPredicate(s, k - 1))) continue;
    const int r = rootOf(s, k - 1);
    consumeWord(s, k);
    if (isLiveBaseForm(s, k + 1, "だ") && !isLiveSurface(s, k + 1, "で")) {
      consumeWord(s, k + 1);
      setSlot(s, r, Slot::kRestriction, w020Da);
    } else {
      if (isLiveSurface(s, k + 1, "で")) consumeWord(s, k + 1);
      setSlot(s, r, Slot::kClauseOpener, w020, k);
    }
  }
}

void patternRule021(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int a = findLiveSurface(s, i, "一面");
    if (!a) return;
    i = a + 1;
    if (!isLiveSurface(s, a + 1, "では")) continue;
    const int b = findLiveSurfaceBefore(s, a + 2, "他面", "では");
    if (!b) continue;
    setOwnRendering(s, a, w021Ichimen);
    setOwnRendering(s, b, w021Tamen);
    consumeWord(s, a + 1);
    consumeWord(s, b + 1);
  }
}

void patternRule022(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int a = findFirstSurface(s, i, {"一方", "いっぽう"});
    if (!a || !isLiveSurface(s, a + 1, "では")) return;
    const int b = findLiveSurface(s, a + 2, "他面");
    if (!b || !isLiveSurface(s, b + 1, "では")) return;
    i = a + 1;
    setOwnRendering(s, a, w022Ippou);
    setOwnRendering(s, b, w022Tamen);
    if (isLiveSurface(s, b - 1, "また")) consumeWord(s, b - 1);
    consumeWord(s, a + 1);
    consumeWord(s, b + 1);
  }
}

void patternRule023(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstSurface(s, i, {"今にも", "いまにも"});
    if (!k) return;
    i = k + 1;
    int y = findLiveBaseForm(s, i, "そうだ");
    while (y && !(live(s, y - 1) && isVerbContinuative(s, y - 1))) y = findLiveBaseForm(s, y + 1, "そうだ");
    if (!y) continue;
    setOwnRendering(s, k, w023);
    setKind(s, y - 1, 'z');
    consumeWord(s, y);
  }
}

void patternRule024(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findLiveSurface(s, i, "いやしくも");
    if (!k) return;
    i = k + 1;
    const int n = findSurfaceSuffixForward(s, i, "ならば");
    if (!n || !(live(s, n - 1) && isBaseOrPastForm(s, n - 1))) continue;
    setOwnRendering(s, k, w024);
    setKind(s, parentOf(s, k), 'z');
  }
}

void patternRule025(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstSurface(s, i, {"況や", "いわんや", "況して", "まして"});
    if (!k) return;
    i = k + 1;
    const int y = findLiveSurface(s, i, "をや");
    if (!y || !liveSurfaceIn(s, y - 1, {"於いて", "おいて"}) || !isLiveSurface(s, y - 2, "に")) continue;
    setOwnRendering(s, k, w025);
    for (int w = y - 2; w <= y; ++w) consumeWord(s, w);
    if (isLiveBaseForm(s, y + 1, "だ")) consumeWord(s, y + 1);
  }
}

void patternRule026(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstSurface(s, i, {"上", "うえ"});
    if (!k) return;
    i = k + 1;
    const int before = k - 1;
    if (isLiveSurface(s, k + 1, "に") && live(s, before) && isPlainBaseOrPastForm(s, before)) {
      setKind(s, parentOf(s, before), 'z');
      setSlot(s, rootOf(s, k), Slot::kClauseOpener, w026Ni, k);
      if (lastWord(s) - k >= 3) {
        const int tail = liveSurfaceIn(s, k + 2, {"、"}) ? maximalProjection(s, k + 2) : parentOf(s, k + 1);
        setText5(s, tail, w026NiTail);
      }
      consumeWord(s, k);
      consumeWord(s, k + 1);
    } else if (isLiveSurface(s, k + 1, "で") && live(s, before) && isVerbTaForm(s, before)) {
      setKind(s, parentOf(s, before), 'z');
      const int p = parentOf(s, k);
      setHeadText(s, p, w026De);
      releaseTemplateMark(s, maximalProjection(s, k + 2));
      if (isAdnominalPredicate(s, before)) {
        appendHeadText(s, p, w026DeMore);
        setSlot(s, rootOf(s, k), Slot::kPreposition, w026DeSlot, k);
      }
      consumeWord(s, k);
      consumeWord(s, k + 1);
      if (isLiveSurface(s, k + 2, "は")) consumeWord(s, k + 2);
    } else if (isLiveSurface(s, before, "の") && live(s, k - 2) && isSahenNoun(s, k - 2)) {
      setKind(s, parentOf(s, before), 'z');
      setHeadText(s, parentOf(s, k), w026Sahen);
      consumeWord(s, before);
      consumeWord(s, k);
      if (live(s, k + 1) && isParticle(s, k + 1)) consumeWord(s, k + 1);
    }
  }
}

void patternRule029(JcSentence* s) {
  const auto particle = [s](int w) { return liveSurfaceIn(s, w, {"が", "と"}); };
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!isVolitionalVerb(s, i) || !particle(i + 1)) continue;
    for (int j = i + 2; j <= lastWord(s); ++j) {
      if (!isVolitionalVerb(s, j) || !isLiveSurface(s, j + 1, "まい") || !particle(j + 2)) continue;
      const int p1 = parentOf(s, i), p2 = parentOf(s, j);
      setKind(s, p1, 'z');
      setHeadText2(s, p1, w029First);
      setKind(s, p2, 'z');
      setSlot(s, p2, Slot::kNegation, w029Mai, j + 1);
      setHeadText2(s, p2, w029Second);
      consumeWord(s, i + 1);
      consumeWord(s, j + 2);
      i = j + 2;
      break;
    }
  }
}

void patternRule030(JcSentence* s) {
  constexpr int kMaxPairs = 9;
  int verbs[kMaxPairs];
  int n = 0;
  for (int i = 1; i <= lastWord(s) && n < kMaxPairs; ++i) {
    if (isVolitionalVerb(s, i) && liveSurfaceIn(s, i + 1, {"が", "と"})) verbs[n++] = i;
  }
  if (n < 2) return;
  for (int k = 0; k < n; ++k) {
    const int p = parentOf(s, verbs[k]);
    consumeWord(s, verbs[k] + 1);
    setKind(s, p, 'z');
    setHeadText2(s, p, w030);
  }
}

}  // namespace jc
