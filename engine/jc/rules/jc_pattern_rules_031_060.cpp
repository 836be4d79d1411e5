// Sentence patterns, places 31-60: the volitional patterns, the patterns of え- to み-, the banner,
// AかそれともBか and the potential できる.
#include "engine/jc/rules/jc_pattern_kit.h"
#include "engine/jc/rules/jc_sentence_patterns.h"

namespace jc {

using namespace pattern;

namespace {

#define WORDS(X)                                          \
  X(w032, "patternRule032.toOmou", 1, 2)                  \
  X(w032Tara, "patternRule032.toOmottara", 1, 4)          \
  X(w033Tokoro, "patternRule033.tokoroe", 1, 4)           \
  X(w033, "patternRule033.toSuru", 1, 4)                  \
  X(w034First, "patternRule034.first", 1, 2)              \
  X(w034Second, "patternRule034.second", 1, 2)            \
  X(w035Nimo, "patternRule035.nimo", 1, 2)                \
  X(w035Final, "patternRule035.final", 1, 2)              \
  X(w036, "patternRule036.mononara", 1, 4)                \
  X(w037Not, "patternRule037.cannot", 1, 6)               \
  X(w037, "patternRule037.can", 1, 2)                     \
  X(w038Ta, "patternRule038.afterTa", 1, 4)               \
  X(w038No, "patternRule038.afterNo", 1, 4)               \
  X(w038De, "patternRule038.okagede", 1, 8)               \
  X(w039, "patternRule039.oki", 1, 4)                     \
  X(w040, "patternRule040.osore", 1, 4)                   \
  X(w041, "patternRule041.oboeganai", 1, 6)               \
  X(w042Trigger, "patternRule042.oroka", 1, 4)            \
  X(w042Particle, "patternRule042.particle", 1, 4)        \
  X(w044First, "patternRule044.first", 1, 2)              \
  X(w044Second, "patternRule044.second", 1, 4)            \
  X(w045, "patternRule045.kagiri", 1, 4)                  \
  X(w045Final, "patternRule045.final", 1, 2)              \
  X(w046, "patternRule046.kagiriDa", 1, 4)                \
  X(w047, "patternRule047.kagiriDewa", 1, 4)              \
  X(w048, "patternRule048.gatai", 1, 4)                   \
  X(w049Clause, "patternRule049.clause", 1, 4)            \
  X(w049Final, "patternRule049.final", 1, 4)              \
  X(w049Sahen, "patternRule049.sahen", 1, 4)              \
  X(w050, "patternRule050.gachi", 1, 4)                   \
  X(w051, "patternRule051.katoiu", 1, 4)                  \
  X(w052, "patternRule052.kadouka", 1, 6)                 \
  X(w052Nitsuite, "patternRule052.kadoukaNitsuite", 1, 10) \
  X(w053Clause, "patternRule053.clause", 1, 4)            \
  X(w053, "patternRule053.kakaru", 1, 6)                  \
  X(w054Can, "patternRule054.can", 1, 2)                  \
  X(w054Not1, "patternRule054.not1", 1, 2)                \
  X(w054Not2, "patternRule054.not2", 1, 2)                \
  X(w054Become, "patternRule054.becomeUnable", 1, 4)      \
  X(w054Became, "patternRule054.became", 1, 2)            \
  X(w055Nominal, "patternRule055.nominal", 1, 4)          \
  X(w055Predicate, "patternRule055.predicate", 1, 2)      \
  X(w056, "patternRule056.kotoniSuru", 1, 4)              \
  X(w057, "patternRule057.adjective", 1, 6)               \
  X(w058, "patternRule058.verb", 1, 4)                    \
  X(w058Head, "patternRule058.verbHead", 1, 2)            \
  X(w059, "patternRule059.hearsay", 1, 4)                 \
  X(w060, "patternRule060.temiru", 1, 4)

PATTERN_REGISTER(WORDS)

const RenderingKeySpec kBannerKeys[] = {{banner_keys::kTrigger, 1, 2, 0}, {banner_keys::kBanner, 1, 19, 38}};
const RenderingKeyRegistrar kBannerRegistrar(kBannerKeys, 2);
const RuleWord wBannerTrigger(banner_keys::kTrigger), wBanner(banner_keys::kBanner);

bool liveIs(const JcSentence* s, int i, int (*test)(const JcSentence*, int)) { return live(s, i) && test(s, i); }

// A verb in the volitional form followed by the given words; each scan goes on after the verb.
template <typename Act>
void forEachVolitional(JcSentence* s, Act act) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (isVolitionalVerb(s, i)) act(i);
  }
}

// Both alternatives of AかBか are of one class, or each is followed by だ.
bool sameAlternative(const JcSentence* s, int a, int b) {
  for (auto test : {isNominal, isNaAdjectiveStem, isAdjectiveBaseOrPast, isVerbBaseOrPast}) {
    if (liveIs(s, a, test) && liveIs(s, b, test)) return true;
  }
  return isLiveBaseForm(s, a, "だ") && isLiveBaseForm(s, b, "だ");
}

// A nominal, na-adjective stem, or an adjective or verb in a base or past form.
bool isAlternative(const JcSentence* s, int i) {
  return liveIs(s, i, isNominal) || liveIs(s, i, isNaAdjectiveStem) || liveIs(s, i, isAdjectiveBaseOrPast) ||
         liveIs(s, i, isVerbBaseOrPast);
}

}  // namespace

void patternRule031(JcSentence* s) {
  forEachVolitional(s, [s](int v) {
    if (!isLiveSurface(s, v + 1, "で") || !isLiveSurface(s, v + 2, "は") || !isLiveBaseForm(s, v + 3, "ない")) return;
    for (int w = v + 1; w <= v + 3; ++w) consumeWord(s, w);
    if (isLiveSurface(s, v + 4, "か")) consumeWord(s, v + 4);
  });
}

void patternRule032(JcSentence* s) {
  forEachVolitional(s, [s](int v) {
    if (!isLiveSurface(s, v + 1, "と") || !liveBaseIn(s, v + 2, {"思う", "考える"})) return;
    const bool tara = surfaceIn(s, v + 2, {"思ったら", "考えたら"});
    consumeWord(s, v + 1);
    consumeWord(s, v + 2);
    setKind(s, v, 'z');
    setSlot(s, parentOf(s, v), Slot::kAfterSubject, tara ? w032Tara : w032, v + 1);
  });
}

void patternRule033(JcSentence* s) {
  forEachVolitional(s, [s](int v) {
    if (!isLiveSurface(s, v + 1, "と")) return;
    const int p = parentOf(s, v);
    if (isLiveBaseForm(s, v + 2, "する")) {
      if (isLiveSurface(s, v + 3, "ところ") && isLiveSurface(s, v + 4, "へ")) {
        setSlot(s, p, Slot::kAfterSubject, w033Tokoro, v + 1);
        consumeWord(s, v + 3);
        consumeWord(s, v + 4);
      } else {
        setSlot(s, p, Slot::kCopula, w033, v);
      }
      consumeWord(s, v + 2);
    } else {
      setSlot(s, p, Slot::kCopula, w033, v);
    }
    consumeWord(s, v + 1);
    setKind(s, v, 'z');
    setKind(s, p, 'z');
  });
}

void patternRule034(JcSentence* s) {
  forEachVolitional(s, [s](int v) {
    const int mo = isLiveSurface(s, v + 1, "も") ? v + 1 : 0;
    const int suru = mo ? v + 2 : v + 1;
    if (!isLiveBaseForm(s, suru, "する") || !isLiveBaseForm(s, suru + 1, "ない")) return;
    const int p = parentOf(s, v);
    setKind(s, p, 'z');
    writeTargetSlot(s, p, Slot::kAfterSubject, w034First);
    appendSlot(s, p, Slot::kAfterSubject, w034Second, v + 1);
    if (mo) consumeWord(s, mo);
    consumeWord(s, suru);
    consumeWord(s, suru + 1);
  });
}

void patternRule035(JcSentence* s) {
  forEachVolitional(s, [s](int v) {
    if (!isLiveSurface(s, v + 1, "にも") || !liveIs(s, v + 2, isPotential) || !isLiveBaseForm(s, v + 3, "ない")) return;
    setSlot(s, v, Slot::kModal, w035Nimo, v + 1);
    setSlot(s, v, Slot::kInclusive, w035Final);
    consumeWord(s, v + 1);
  });
}

void patternRule036(JcSentence* s) {
  forEachVolitional(s, [s](int v) {
    if (!isLiveSurface(s, v + 1, "もの") || !isLiveSurface(s, v + 2, "なら")) return;
    const int p = parentOf(s, v);
    setKind(s, p, 'z');
    setSlot(s, p, Slot::kConcession, w036, v + 1);
    consumeWord(s, v + 1);
    consumeWord(s, v + 2);
  });
}

void patternRule037(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstBase(s, i, {"得る", "える", "うる"});
    if (!k) return;
    i = k + 1;
    if (!liveIs(s, k - 1, isVerbContinuative)) continue;
    const int p = parentOf(s, k - 1);
    consumeWord(s, k);
    if (isLiveBaseForm(s, k + 1, "ない")) {
      appendSlot(s, p, Slot::kModal, w037Not, k);
      consumeWord(s, k + 1);
    } else {
      setSlot(s, p, Slot::kModal, w037, k);
    }
  }
}

void patternRule038(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    int k = findLiveBaseForm(s, i, "お陰");
    if (!k) k = findFirstSurface(s, i, {"おかげ", "御陰"});
    if (!k) return;
    i = k + 1;
    if (liveIs(s, k - 1, isVerbTaForm)) {
      setSlot(s, parentOf(s, k - 1), Slot::kAfterSubject, w038Ta, k);
    } else if (isLiveSurface(s, k - 1, "の") && liveIs(s, k - 2, isNominal)) {
      const int m = maximalProjection(s, k - 1);
      consumeWord(s, k - 1);
      setSlot(s, m, Slot::kConcession, w038No, k);
      setKind(s, m, 'z');
      setKind(s, parentOf(s, k - 1), 'z');
      setKind(s, k - 2, 'z');
    } else {
      continue;
    }
    int de = 0;
    if (isLiveSurface(s, k + 1, "で")) {
      de = k + 1;
    } else if (liveSurfaceIn(s, k + 1, {"さま", "様"}) && isLiveSurface(s, k + 2, "で")) {
      consumeWord(s, k + 1);
      de = k + 2;
    }
    if (de) {
      consumeWord(s, de);
      releaseTemplateMark(s, parentOf(s, de + 1));
      if (const JcTargetNode* t = ruleTarget(s, k); t && t->prevSibling == 0) setOwnRendering(s, k, w038De);
    } else {
      consumeWord(s, k);
    }
  }
}

void patternRule039(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstBase(s, i, {"置き", "おき"});
    if (!k) return;
    i = k + 1;
    if (!liveIs(s, k - 1, isNumeral) || !isLiveSurface(s, k + 1, "に")) continue;
    setSlot(s, parentOf(s, k - 1), Slot::kCopula, w039, k);
    consumeWord(s, k);
    consumeWord(s, k + 1);
  }
}

void patternRule040(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findLiveBaseForm(s, i, "恐れ");
    if (!k) return;
    i = k + 1;
    if (!isLiveSurface(s, k + 1, "が") || !isLiveBaseForm(s, k + 2, "ある")) continue;
    setOwnRendering(s, k, w040);
    consumeWord(s, k + 1);
  }
}

void patternRule041(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findLiveBaseForm(s, i, "覚え");
    if (!k) return;
    i = k + 1;
    if (!liveSurfaceIn(s, k + 1, {"が", "は"}) || !isLiveBaseForm(s, k + 2, "ない") || !liveIs(s, k - 1, isVerbTaForm)) continue;
    const int p = parentOf(s, k - 1);
    setSlot(s, p, Slot::kAfterSubject, w041, k);
    setKind(s, p, 'z');
    for (int w = k; w <= k + 2; ++w) consumeWord(s, w);
  }
}

void patternRule042(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstBase(s, i, {"おろか", "疎か"});
    if (!k) return;
    i = k + 1;
    if (!liveSurfaceIn(s, k - 1, {"は", "が"})) continue;
    int q = 0;
    for (int from = k + 1; !q;) {
      const int c = findFirstBase(s, from, {"も", "さえ", "すら", "まで"});
      if (!c) break;
      if (live(s, c - 1) && (isNominal(s, c - 1) || isParticle(s, c - 1))) q = c;
      from = c + 1;
    }
    if (!q) continue;
    setSlot(s, rootOf(s, k - 2), Slot::kConcession, w042Trigger, k);
    setSlot(s, rootOf(s, q - 1), Slot::kConcession, w042Particle, q);
    consumeWord(s, k);
    consumeWord(s, k - 1);
    consumeWord(s, q);
    if (isParticle(s, q - 1)) consumeWord(s, q - 1);
  }
}

void patternRule043(JcSentence* s) {
  const std::string& trigger = wBannerTrigger.text();
  if (trigger.empty() || !isLiveSurface(s, 1, trigger)) return;
  setOwnRendering(s, 1, wBanner);
}

void patternRule044(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k1 = findLiveSurface(s, i, "か");
    if (!k1) return;
    const int k2 = findLiveSurface(s, k1 + 1, "か");
    if (!k2) return;
    i = k1 + 1;
    const bool da1 = isLiveBaseForm(s, k1 - 1, "だ"), da2 = isLiveBaseForm(s, k2 - 1, "だ");
    if (!sameAlternative(s, k1 - 1, k2 - 1)) continue;
    const int m1 = maximalProjection(s, k1), m2 = maximalProjection(s, k2);
    if (!m1 || !m2 || headPhraseOf(s, m1) != m2) continue;
    setSlot(s, m1, Slot::kConcession, w044First, k1);
    setSlot(s, m2, Slot::kConcession, w044Second, k2);
    consumeWord(s, k1);
    consumeWord(s, k2);
    if (const int t = findLiveSurface(s, k1 + 1, "それとも"); t && t < k2) consumeWord(s, t);
    if (da1) consumeWord(s, k1 - 1);
    if (da2) consumeWord(s, k2 - 1);
    i = k2 + 1;
  }
}

void patternRule045(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstSurface(s, i, {"限り", "かぎり"});
    if (!k) return;
    i = k + 1;
    if (!liveIs(s, k - 1, isAdnominalPredicate)) continue;
    if (isLiveSurface(s, k + 1, "で") && isLiveSurface(s, k + 2, "は")) continue;  // 限りでは: rule 047
    const int p = parentOf(s, k - 1);
    setKind(s, p, 'z');
    setSlot(s, p, Slot::kClauseOpener, w045, k);
    setSlot(s, finalHeadPhrase(s, k), Slot::kConcession, w045Final, k);
    consumeWord(s, k);
  }
}

void patternRule046(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstSurface(s, i, {"限り", "かぎり"});
    if (!k) return;
    i = k + 1;
    if (!liveIs(s, k - 1, isIAdjective) || !isLiveBaseForm(s, k + 1, "だ")) continue;
    setHeadText(s, parentOf(s, k - 1), w046);
    consumeWord(s, k);
    consumeWord(s, k + 1);
  }
}

void patternRule047(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstSurface(s, i, {"限り", "かぎり"});
    if (!k) return;
    i = k + 1;
    if (!liveIs(s, k - 1, isAdnominalPredicate) || !isLiveSurface(s, k + 1, "で") || !isLiveSurface(s, k + 2, "は")) continue;
    setSlot(s, parentOf(s, k - 1), Slot::kClauseOpener, w047, k);
    for (int w = k; w <= k + 2; ++w) consumeWord(s, w);
  }
}

void patternRule048(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstSurface(s, i, {"難い", "がたい"});
    if (!k) return;
    i = k + 1;
    if (!liveIs(s, k - 1, isVerbContinuative)) continue;
    setSlot(s, parentOf(s, k - 1), Slot::kNearAdverbial, w048, k);
    consumeWord(s, k);
  }
}

void patternRule049(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstSurface(s, i, {"傍ら", "かたわら"});
    if (!k) return;
    i = k + 1;
    if (liveIs(s, k - 1, isAdnominalPredicate)) {
      const int p = parentOf(s, k - 1);
      setSlot(s, p, Slot::kAfterSubject, w049Clause, k);
      setKind(s, p, 'z');
    } else if (isLiveSurface(s, k - 1, "の") && liveIs(s, k - 2, isSahenNoun)) {
      setSlot(s, maximalProjection(s, k - 1), Slot::kConcession, w049Sahen, k);
      consumeWord(s, k - 1);
    } else {
      continue;
    }
    setSlot(s, finalHeadPhrase(s, k), Slot::kAfterSubject, w049Final, k);
    consumeWord(s, k);
  }
}

void patternRule050(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findLiveSurface(s, i, "がち");
    if (!k) return;
    i = k + 1;
    if (liveIs(s, k - 1, isVerbContinuative)) {
      setSlot(s, parentOf(s, k - 1), Slot::kRestriction, w050);
    } else if (liveIs(s, k - 1, isNominal)) {
      setSlot(s, rootOf(s, k - 1), Slot::kRestriction, w050);
    } else {
      continue;
    }
    consumeWord(s, k);
    if (isLiveBaseForm(s, k + 1, "だ")) consumeWord(s, k + 1);
  }
}

void patternRule051(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstSurface(s, i, {"言う", "いう", "言えば", "言ったら", "いえば", "いったら"});
    if (!k) return;
    i = k + 1;
    if (!isLiveSurface(s, k - 1, "と") || !isLiveSurface(s, k - 2, "か") || !isAlternative(s, k - 3)) continue;
    setKind(s, parentOf(s, k), 'z');
    setSlot(s, maximalProjection(s, k - 2), Slot::kClauseOpener, w051, k - 1);
    const bool iu = surfaceIn(s, k, {"いう", "言う"});
    for (int w = k - 2; w <= k; ++w) consumeWord(s, w);
    if (iu && isLiveSurface(s, k + 1, "と")) consumeWord(s, k + 1);
  }
}

void patternRule052(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findLiveSurface(s, i, "どうか");
    if (!k) return;
    i = k + 1;
    if (!isLiveSurface(s, k - 1, "か") || !(isAlternative(s, k - 2) || isLiveBaseForm(s, k - 2, "だ"))) continue;
    const bool nitsuite = isLiveSurface(s, k + 1, "について");
    setSlot(s, maximalProjection(s, k - 2), Slot::kAfterSubject, nitsuite ? w052Nitsuite : w052, k);
    consumeWord(s, k);
    consumeWord(s, k - 1);
  }
}

void patternRule053(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findLiveBaseForm(s, i, "かかる");
    if (!k) return;
    i = k + 1;
    if (!isLiveSurface(s, k - 1, "に")) continue;
    int ka = 0;
    if (isLiveSurface(s, k - 2, "どうか") && isLiveSurface(s, k - 3, "か")) {
      ka = k - 3;
    } else if (isLiveSurface(s, k - 2, "か")) {
      ka = k - 2;
    }
    if (!ka || !liveIs(s, ka - 1, isVerbBaseOrPast)) continue;
    setSlot(s, parentOf(s, ka - 1), Slot::kConcession, w053Clause, ka);
    setOwnRendering(s, k, w053);
    for (int w = ka; w < k; ++w) consumeWord(s, w);
  }
}

void patternRule054(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstBase(s, i, {"できる", "出来る"});
    if (!k) return;
    i = k + 1;
    if (!liveSurfaceIn(s, k - 1, {"が", "は"}) || !liveSurfaceIn(s, k - 2, {"こと", "事"}) ||
        !liveIs(s, k - 3, isAdnominalPredicate)) {
      continue;
    }
    const int m = maximalProjection(s, k - 2);
    for (int w = k - 2; w <= k; ++w) consumeWord(s, w);
    setKind(s, parentOf(s, k - 3), 'z');
    const int next = k + 1;
    if (isLiveSurface(s, next, "ませ") && isLiveBaseForm(s, next + 1, "ぬ")) {
      writeTargetSlot(s, m, Slot::kNegation, w054Not1);
      appendSlot(s, m, Slot::kNegation, w054Not2, next);
      consumeWord(s, next + 1);
    } else if (isLiveSurface(s, next, "なく") && isLiveBaseForm(s, next + 1, "なる")) {
      // Before the plain negation: なく is a form of ない.
      setSlot(s, m, Slot::kNegation, w054Become, next);
      if (isVerbTaForm(s, next + 1) || isLiveSurface(s, next + 2, "ました")) setHeadText(s, m, w054Became);
      consumeWord(s, next + 1);
    } else if (liveBaseIn(s, next, {"ない", "ぬ", "ず"})) {
      writeTargetSlot(s, m, Slot::kNegation, w054Not1);
      appendSlot(s, m, Slot::kNegation, w054Not2, next);
    } else {
      setSlot(s, m, Slot::kNegation, w054Can, k);
      continue;
    }
    consumeWord(s, next);
  }
}

void patternRule055(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstBase(s, i, {"毎", "ごと"});
    if (!k) return;
    i = k + 1;
    if (liveIs(s, k - 1, isNominal)) {
      setSlot(s, maximalProjection(s, k - 1), Slot::kDistributive, w055Nominal);
    } else if (liveIs(s, k - 1, isAdnominalPredicate)) {
      const int p = parentOf(s, k - 1);
      setSlot(s, p, Slot::kDistributive, w055Predicate);
      setKind(s, p, 'y');
    } else {
      continue;
    }
    consumeWord(s, k);
    if (isLiveSurface(s, k + 1, "に")) consumeWord(s, k + 1);
  }
}

void patternRule056(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findLiveBaseForm(s, i, "する");
    if (!k) return;
    i = k + 1;
    if (!liveSurfaceIn(s, k - 1, {"に", "と"}) || !liveSurfaceIn(s, k - 2, {"こと", "事"}) ||
        !liveIs(s, k - 3, isAdnominalPredicate)) {
      continue;
    }
    const int p = parentOf(s, k - 3);
    setKind(s, p, 'z');
    setSlot(s, p, Slot::kAfterSubject, w056, k - 2);
    for (int w = k - 2; w <= k; ++w) consumeWord(s, w);
  }
}

void patternRule057(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findLiveBaseForm(s, i, "そうだ");
    if (!k) return;
    i = k + 1;
    if (!liveIs(s, k - 1, isIAdjectiveStem) && !liveIs(s, k - 1, isNaAdjectiveStem)) continue;
    setSlot(s, parentOf(s, k - 1), Slot::kSeeming, w057);
    consumeWord(s, k);
  }
}

void patternRule058(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findLiveBaseForm(s, i, "そうだ");
    if (!k) return;
    i = k + 1;
    if (!liveIs(s, k - 1, isVerbContinuative)) continue;
    const int p = parentOf(s, k - 1);
    setSlot(s, p, Slot::kSeeming, w058);
    setHeadText2(s, p, w058Head);
    consumeWord(s, k);
    if (isLiveBaseForm(s, k + 1, "なる")) consumeWord(s, k + 1);
  }
}

void patternRule059(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findLiveBaseForm(s, i, "そうだ");
    if (!k) return;
    i = k + 1;
    if (!liveIs(s, k - 1, isBaseOrPastForm)) continue;
    setSlot(s, maximalProjection(s, k - 1), Slot::kSeeming, w059);
    consumeWord(s, k);
  }
}

void patternRule060(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstBase(s, i, {"見る", "みる"});
    if (!k) return;
    i = k + 1;
    if (!liveIs(s, k - 1, isVerbTeForm)) continue;
    setSlot(s, parentOf(s, k - 1), Slot::kCopula, w060, k);
    consumeWord(s, k);
  }
}

}  // namespace jc
