// Late sentence patterns: 余り … negation, 内, the はずがない and なる patterns, the eleven fixed
// expressions of rule 183, the honorific frames, 違う and の人.
#include "engine/jc/rules/jc_pattern_kit.h"
#include "engine/jc/rules/jc_sentence_patterns.h"

namespace jc {

using namespace pattern;

namespace {

#define WORDS(X)                                          \
  X(w129Adverb, "patternRule129.adverb", 1, 4)            \
  X(w129Nai, "patternRule129.nai", 1, 2)                  \
  X(w129Sahodo, "patternRule129.sahodo", 1, 8)            \
  X(w129Arimasen, "patternRule129.adverbArimasen", 1, 4)  \
  X(w162Uchi, "patternRule162.uchi", 1, 2)                \
  X(w162Clause, "patternRule162.clause", 1, 2)            \
  X(w162Head, "patternRule162.clauseHead", 1, 6)          \
  X(w163First, "patternRule163.first", 1, 2)              \
  X(w163Second, "patternRule163.second", 1, 4)            \
  X(w170, "patternRule170.kotoniNaru", 1, 6)              \
  X(w180, "patternRule180.ooku", 1, 4)                    \
  X(w181Naku, "patternRule181.nakuNaru", 1, 4)            \
  X(w181, "patternRule181.naru", 1, 4)                    \
  X(w181Kuru, "patternRule181.naruKuru", 1, 4)            \
  X(w181Past, "patternRule181.past", 1, 2)                \
  X(w182, "patternRule182.niNaru", 1, 4)                  \
  X(w183Taishou, "patternRule183.taishou", 1, 8)          \
  X(w183ChuushinSlot, "patternRule183.chuushinSlot", 1, 2) \
  X(w183ChuushinHead, "patternRule183.chuushinHead", 1, 6) \
  X(w183Dewaaru, "patternRule183.dewaaru", 1, 2)          \
  X(w183Takunai, "patternRule183.takunai", 1, 4)          \
  X(w183Dake, "patternRule183.dake", 1, 4)                \
  X(w183Kara, "patternRule183.kara", 1, 4)                \
  X(w183Mou, "patternRule183.mou", 1, 2)                  \
  X(w183Yobareru, "patternRule183.yobareru", 1, 4)        \
  X(w186, "patternRule186.niNaru", 1, 2)                  \
  X(w187Request, "patternRule187.request", 1, 6)          \
  X(w181Not, "patternRule181.not", 1, 2)                  \
  X(w187Prefix, "patternRule187.prefix", 1, 2)            \
  X(w187Can, "patternRule187.itadakeru", 1, 4)            \
  X(w187Receive, "patternRule187.itadaku", 1, 2)          \
  X(w187CanSlot, "patternRule187.itadakeruSlot", 1, 4)    \
  X(w187ReceiveSlot, "patternRule187.itadakuSlot", 1, 2)  \
  X(w188, "patternRule188.chigau", 1, 2)

PATTERN_REGISTER(WORDS)

bool liveIs(const JcSentence* s, int i, int (*test)(const JcSentence*, int)) { return live(s, i) && test(s, i); }

bool isHonorificPrefix(const JcSentence* s, int i) { return liveSurfaceIn(s, i, {"お", "御", "ご"}); }

// The verb stem's rendering: its own when set, else its first candidate's Chinese.
std::string_view stemRendering(const JcSentence* s, int i) {
  const JcTargetNode* t = ruleTarget(s, i);
  if (t && !targetSlot(*t, Slot::kOwnRendering).empty()) return targetSlot(*t, Slot::kOwnRendering);
  return firstChinese(s, i);
}

// Appends the stem's rendering to word k's own, gives k the code "V" and retires stem and prefix.
void takeHonorificFrame(JcSentence* s, int k) {
  const std::string stem(stemRendering(s, k - 1));
  appendSlot(s, k, Slot::kOwnRendering, stem);
  setCode(s, k, "V");
  consumeWord(s, k - 1);
  consumeWord(s, k - 2);
}

}  // namespace

void patternRule129(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstSurface(s, i, {"余り", "あまり", "たいして", "大して", "さほど"});
    if (!k) return;
    if (isVerb(s, k - 1)) return;
    const int n = findNegation(s, k + 1);
    if (!n) return;
    i = k + 1;
    if (n == k + 1 && isBaseForm(s, n, "ない")) {
      setOwnRendering(s, k, w129Adverb);
      setOwnRendering(s, n, w129Nai);
    } else if (isMorpheme(s, n)) {
      setOwnRendering(s, k, isSurface(s, k, "さほど") ? w129Sahodo : w129Arimasen);
      ruleArimasen(s, n);
    }
  }
}

void patternRule162(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstSurface(s, i, {"内", "うち"});
    if (!k) return;
    i = k + 1;
    if (liveIs(s, k - 2, isNominal) && isLiveSurface(s, k - 1, "の") && isLiveSurface(s, k + 1, "に")) {
      setOwnRendering(s, k, w162Uchi);
      setKind(s, parentOf(s, k - 1), 'z');
      consumeWord(s, k - 1);
      consumeWord(s, k + 1);
    } else if (liveIs(s, k - 1, isPlainBaseOrPastForm)) {
      const int p = parentOf(s, k - 1);
      consumeWord(s, k);
      setKind(s, p, 'z');
      setSlot(s, p, Slot::kAfterSubject, w162Clause, k);
      setHeadText2(s, p, w162Head);
    }
  }
}

void patternRule163(JcSentence* s) {
  for (int v = 1; v <= lastWord(s); ++v) {
    if (!isVolitionalVerb(s, v) || !isLiveSurface(s, v + 1, "はず") || !liveSurfaceIn(s, v + 2, {"が", "は"}) ||
        !isLiveBaseForm(s, v + 3, "ない")) {
      continue;
    }
    const int p = parentOf(s, v);
    writeTargetSlot(s, p, Slot::kModal, w163First);
    appendSlot(s, p, Slot::kModal, w163Second, v + 1);
    setKind(s, p, 'z');
    setKind(s, v, 'z');
    for (int w = v + 1; w <= v + 3; ++w) consumeWord(s, w);
  }
}

void patternRule170(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findLiveBaseForm(s, i, "なる");
    if (!k) return;
    i = k + 1;
    if (!isLiveSurface(s, k - 1, "に") || !liveSurfaceIn(s, k - 2, {"こと", "事"}) || !liveIs(s, k - 3, isAdnominalPredicate)) {
      continue;
    }
    const int p = parentOf(s, k - 3);
    setSlot(s, p, Slot::kAfterSubject, w170, k - 2);
    setKind(s, p, 'z');
    for (int w = k - 2; w <= k; ++w) consumeWord(s, w);
  }
}

void patternRule180(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findLiveBaseForm(s, i, "多く");
    if (!k) return;
    i = k + 1;
    if (!isLiveSurface(s, k - 1, "の")) continue;
    setSlot(s, parentOf(s, k - 1), Slot::kBeforeHead, w180, k);
    consumeWord(s, k - 1);
    consumeWord(s, k);
  }
}

void patternRule181(JcSentence* s) {
  // A verb before なくなる read as one word (来なくなった): the negation of the verb and なる, not
  // the verb of losing.
  for (int k = 2; k <= lastWord(s); ++k) {
    if (!liveBaseIn(s, k, {"なくなる", "無くなる"}) || !liveIs(s, k - 1, isVerb)) continue;
    const int c = startOfModifierChain(s, k - 1);
    setSlot(s, parentOf(s, k - 1), Slot::kNegation, w181Not, k);
    const bool past = isSurface(s, k, "なくなった") || (isSurface(s, k, "なくなり") && isLiveSurface(s, k + 1, "ました"));
    if (past) setText3(s, c, w181Past);
    else setSlot(s, c, Slot::kConcession, w181Naku);
    consumeWord(s, k);
  }
  for (int i = 1; i <= lastWord(s);) {
    const int k = findLiveBaseForm(s, i, "なる");
    if (!k) return;
    i = k + 1;
    const bool naku = isLiveSurface(s, k - 1, "なく");
    if (!naku && !liveIs(s, k - 1, isIAdjectiveContinuative) && !liveIs(s, k - 1, isNaAdjectiveContinuative)) continue;
    const int c = startOfModifierChain(s, k - 1);
    const int t = surfaceIn(s, k - 2, {"とても", "非常に"}) ? parentOf(s, k - 2) : c;
    const bool past = isSurface(s, k, "なった") || (isSurface(s, k, "なり") && isLiveSurface(s, k + 1, "ました"));
    // なってきた / なっていった: the past is the auxiliary's, which an earlier rule may have taken.
    const bool pastAfter = isVerbTeForm(s, k) &&
                           (surfaceIn(s, k + 1, {"きた", "来た", "いった", "行った"}) ||
                            (surfaceIn(s, k + 1, {"き", "来", "いき", "行き"}) && surfaceIn(s, k + 2, {"ました"})));
    // The adjective is what the subject becomes, no adverb of なる: rendered as its own word, it takes
    // no adverbial marker, whatever its code.
    if (const JcCandidate* a = naku ? nullptr : firstCandidate(s, k - 1);
        a && !isRendered(s, k - 1) && !a->chinese.view().empty() && a->chinese.view().front() != '&')
      setOwnRendering(s, k - 1, a->chinese.view());
    if (!past) {
      setSlot(s, t, naku ? Slot::kConcession : Slot::kCopula, naku ? w181Naku : w181);
      if (isVerbTeForm(s, k) && (liveBaseIn(s, k + 1, {"来る", "くる"}) || isLiveSurface(s, k + 1, "きた"))) {
        setHeadText(s, c, w181Kuru);
        consumeWord(s, k + 1);
      }
      if (pastAfter) setText3(s, c, w181Past);
    } else {
      setText3(s, c, w181Past);
    }
    consumeWord(s, k);
  }
}

void patternRule182(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findLiveBaseForm(s, i, "なる");
    if (!k) return;
    i = k + 1;
    if (!isLiveSurface(s, k - 1, "に") || !liveIs(s, k - 2, isNaAdjectiveStem)) continue;
    setSlot(s, startOfModifierChain(s, k - 2), Slot::kCopula, w182, k);
    consumeWord(s, k - 1);
    consumeWord(s, k);
  }
}

void patternRule183(JcSentence* s) {
  const int last = lastWord(s);
  // (1), (2): を + 対象 / 中心 + に.
  for (int i = 1; i <= last; ++i) {
    if (!isLiveSurface(s, i, "を") || !isLiveBaseForm(s, i + 1, "対象") || !isLiveSurface(s, i + 2, "に")) continue;
    setHeadText2(s, maximalProjection(s, i), w183Taishou);
    for (int w = i; w <= i + 2; ++w) consumeWord(s, w);
  }
  for (int i = 1; i <= last; ++i) {
    if (!isLiveSurface(s, i, "を") || !isLiveBaseForm(s, i + 1, "中心") || !isLiveSurface(s, i + 2, "に")) continue;
    const int m = maximalProjection(s, i);
    setSlot(s, m, Slot::kPreposition, w183ChuushinSlot, i);
    setHeadText2(s, m, w183ChuushinHead);
    for (int w = i; w <= i + 2; ++w) consumeWord(s, w);
  }
  // (3) で + は + ある, ある after word 2.
  for (int i = 1; i <= last; ++i) {
    if (!isLiveSurface(s, i, "で") || !isLiveSurface(s, i + 1, "は") || !isLiveBaseForm(s, i + 2, "ある") || i + 2 <= 2) continue;
    releaseTemplateMark(s, maximalProjection(s, i + 2));
    setSlot(s, rootOf(s, i), Slot::kCopula, w183Dewaaru, i + 2);
    for (int w = i; w <= i + 2; ++w) consumeWord(s, w);
  }
  // (4) continuative + たく + ない.
  for (int i = 1; i <= last; ++i) {
    if (!liveIs(s, i, isVerbContinuative) || !isLiveSurface(s, i + 1, "たく") || !isLiveBaseForm(s, i + 2, "ない")) continue;
    setSlot(s, parentOf(s, i), Slot::kModal, w183Takunai, i + 2);
    consumeWord(s, i + 1);
    consumeWord(s, i + 2);
  }
  // (5), (6) 致す, いたす after a サ変 noun.
  for (std::string_view verb : {"致す", "いたす"}) {
    for (int i = 1; i <= last; ++i) {
      if (isLiveBaseForm(s, i, verb) && liveIs(s, i - 1, isSahenNoun)) consumeWord(s, i);
    }
  }
  // (7) だけ + で / だ.
  for (int i = 2; i <= last; ++i) {
    if (!isLiveBaseForm(s, i, "だけ") || !(isLiveSurface(s, i + 1, "で") || isLiveBaseForm(s, i + 1, "だ"))) continue;
    setSlot(s, parentOf(s, i), Slot::kAfterSubject, w183Dake, i);
    consumeWord(s, i);
    consumeWord(s, i + 1);
  }
  // (8) のだ / だ + から.
  for (int i = 2; i <= last; ++i) {
    if (!isLiveBaseForm(s, i, "から") || !surfaceIn(s, i - 1, {"のだ", "だ"})) continue;
    setSlot(s, maximalProjection(s, i), Slot::kClauseOpener, w183Kara);
    consumeWord(s, i);
  }
  // (9) も + あれば.
  for (int i = 1; i <= last; ++i) {
    if (isLiveSurface(s, i, "あれば") && isLiveSurface(s, i - 1, "も")) setKind(s, parentOf(s, i), 'z');
  }
  // (10) もう + numeral / 一度.
  for (int i = 1; i <= last; ++i) {
    if (isLiveSurface(s, i, "もう") && (liveIs(s, i + 1, isNumeral) || isLiveSurface(s, i + 1, "一度"))) {
      setOwnRendering(s, i, w183Mou);
    }
  }
  // (11) nominal + と + 呼ば / よば + れる.
  for (int i = 2; i <= last; ++i) {
    if (!isLiveSurface(s, i, "と") || !liveIs(s, i - 1, isNominalWord)) continue;
    if (liveSurfaceIn(s, i + 1, {"呼ば", "よば"}) && isLiveBaseForm(s, i + 2, "れる")) setOwnRendering(s, i + 1, w183Yobareru);
  }
}

void patternRule186(JcSentence* s) {
  const int last = s->lastNode < kJcMaxNodes ? s->lastNode : kJcMaxNodes - 1;
  for (int k = 1; k <= last; ++k) {
    if (!isLiveBaseForm(s, k, "なる") || !isLiveSurface(s, k - 1, "に") || !liveIs(s, k - 2, isNominal)) continue;
    if (!isTimeNoun(s, k - 2)) return;
    setSlot(s, maximalProjection(s, k), Slot::kCopula, w186);
    consumeWord(s, k - 1);
    consumeWord(s, k);
  }
}

void patternRule187(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstBase(s, i, {"くださる", "下さる"});
    if (!k) break;
    i = k + 1;
    if (isSurface(s, k - 1, "を") && surfaceIn(s, k, {"ください", "下さい"})) {
      setOwnRendering(s, k, w187Request);
    } else if (isHonorificPrefix(s, k - 2)) {
      setOwnRendering(s, k, w187Prefix);
      takeHonorificFrame(s, k);
    }
  }
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstBase(s, i, {"いただく", "頂く", "頂ける", "いただける"});
    if (!k) return;
    i = k + 1;
    if (!isHonorificPrefix(s, k - 2)) continue;
    const bool can = isBaseForm(s, k, "頂ける") || isBaseForm(s, k, "いただける");
    int ni = findLiveSurfaceBackward(s, k - 3, "に");
    if (ni <= 1 || !hasPersonCode(s, ni - 1)) ni = 0;
    const int m = ni ? maximalProjection(s, k) : 0;
    if (ni) s->nodes[ni].headPhrase = m;
    if (m) {
      consumeWord(s, ni);
      setSlot(s, maximalProjection(s, ni), Slot::kCopula, can ? w187CanSlot : w187ReceiveSlot, k);
      setOwnRendering(s, k, "");
    } else {
      setOwnRendering(s, k, can ? w187Can : w187Receive);
    }
    takeHonorificFrame(s, k);
  }
}

void patternRule188(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findFirstBase(s, i, {"違う", "ちがう"});
    if (!k) return;
    i = k + 1;
    if (isLiveBaseForm(s, k + 1, "ない") || isLiveSurface(s, k + 1, "ませ")) setOwnRendering(s, k, w188);
  }
}

void patternRule189(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int k = findLiveBaseForm(s, i, "の");
    if (!k) return;
    i = k + 1;
    if (!isSurface(s, k + 1, "人") || k < 2 || !beginsWith(s->nodes[k - 1].semCodes.view(), "12590")) continue;
    setKind(s, parentOf(s, k), 'z');
    consumeWord(s, k);
  }
}

}  // namespace jc
