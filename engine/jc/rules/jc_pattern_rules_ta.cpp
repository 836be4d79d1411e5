// Sentence patterns た to つ: たい, たくて, 単に … だけ, だけ, たとえ, 度, conditional + いい, だらけ,
// たり … たりしない, たる, だろうとだろうと, 方ではない, ため, te-form + しまう / たまらない /
// しかたない, つつ and つもり.
#include "engine/jc/rules/jc_pattern_common.h"
#include "engine/jc/rules/jc_pattern_rules_ka_to.h"
#include "engine/jc/rules/jc_render_demo.h"

#include <source_location>

namespace jc {

using namespace pattern;

namespace {

#define WORDS(X)                                                     \
  X(wTaiKurai, "ruleTaiKurai.taikurai", 1, 8, 8)                     \
  X(wTaiMonoDa, "ruleTaiMonoDa.taimonoda", 1, 4, 4)                  \
  X(wTakute, "ruleTakuteShikataganai.takute", 1, 4, 4)               \
  X(wTanniFirst, "ruleTanniDake.first", 1, 2, 2)                     \
  X(wTanniSecond, "ruleTanniDake.second", 1, 2, 2)                   \
  X(wTanniNoun, "ruleTanniDake.noun", 1, 2, 2)                       \
  X(wDakeDeIi, "ruleDake.dakedeii", 1, 4, 4)                         \
  X(wDakeDeIiTail, "ruleDake.dakedeiiTail", 1, 4, 4)                 \
  X(wDakeDeNaiFirst, "ruleDake.dakedenaiFirst", 1, 2, 2)             \
  X(wDakeDeNaiSecond, "ruleDake.dakedenaiSecond", 1, 4, 4)           \
  X(wDakeDeNaiNoun, "ruleDake.dakedenaiNoun", 1, 2, 2)               \
  X(wDakeDeWaNaiFirst, "ruleDake.dakedewanaiFirst", 1, 2, 2)         \
  X(wDakeDeWaNaiSecond, "ruleDake.dakedewanaiSecond", 1, 4, 4)       \
  X(wDakeDeWaNaiNoun, "ruleDake.dakedewanaiNoun", 1, 2, 2)           \
  X(wDakeDeWa, "ruleDake.dakedewa", 1, 4, 4)                         \
  X(wDakeDemo, "ruleDake.dakedemo", 1, 4, 4)                         \
  X(wTatoe, "ruleTatoeTemo.tatoe", 1, 4, 4)                          \
  X(wTatoeTemo, "ruleTatoeTemo.temo", 1, 2, 2)                       \
  X(wTabiNoun, "ruleTabi.afterNoun", 1, 2, 2)                        \
  X(wTabiOwn, "ruleTabi.tabi", 1, 6, 6)                              \
  X(wTabiClause, "ruleTabi.afterClause", 1, 2, 2)                    \
  X(wTabiClauseTail, "ruleTabi.afterClauseTail", 1, 6, 6)            \
  X(wTaraIiQuestion, "ruleBaIi.taraQuestion", 1, 4, 4)               \
  X(wTaraIi, "ruleBaIi.tara", 1, 6, 6)                               \
  X(wBaIiQuestion, "ruleBaIi.baQuestion", 1, 4, 4)                   \
  X(wBaIi, "ruleBaIi.ba", 1, 6, 6)                                   \
  X(wDarake, "ruleDarake.darake", 1, 4, 4)                           \
  X(wTariFirst, "ruleTariTariShinai.first", 1, 2, 2)                 \
  X(wTariFurther, "ruleTariTariShinai.further", 1, 2, 2)             \
  X(wTaru, "ruleTaru.taru", 1, 4, 4)                                 \
  X(wTaruOwn, "ruleTaru.taruOwn", 1, 2, 2)                           \
  X(wDarouFirst, "ruleDarouToDarouTo.first", 1, 6, 6)                \
  X(wDarouSecond, "ruleDarouToDarouTo.second", 1, 4, 4)              \
  X(wHouFirst, "ruleHouDewanai.first", 1, 2, 2)                      \
  X(wHouSecond, "ruleHouDewanai.second", 1, 4, 4)                    \
  X(wTameNiWa, "ruleTame.tameniwa", 1, 4, 4)                         \
  X(wTameNiNaru, "ruleTame.tameninaru", 1, 2, 2)                     \
  X(wTameNiNaruTail, "ruleTame.tameninaruTail", 1, 4, 4)             \
  X(wTameNoun, "ruleTame.afterNoun", 1, 4, 4)                        \
  X(wTamePurpose, "ruleTame.purpose", 1, 4, 4)                       \
  X(wTameCause, "ruleTame.cause", 1, 4, 4)                           \
  X(wTameNi, "ruleTame.tameni", 1, 4, 4)                             \
  X(wShimau, "ruleTeShimau.shimau", 1, 2, 2)                         \
  X(wTamaranai, "ruleTeShimau.tamaranai", 1, 4, 4)                   \
  X(wShikatanai, "ruleTeShimau.shikatanai", 1, 4, 4)                 \
  X(wTsutsuAru, "ruleTsutsuAru.tsutsuaru", 1, 4, 4)                  \
  X(wTsutsu, "ruleTsutsu.tsutsu", 1, 4, 4)                           \
  X(wTsumoriTeiru, "ruleTsumori.teiru", 1, 4, 4)                     \
  X(wTsumoriBase, "ruleTsumori.base", 1, 4, 4)                       \
  X(wTsumoriPast, "ruleTsumori.past", 1, 4, 4)                       \
  X(wTsumoriNaiFirst, "ruleTsumori.naiFirst", 1, 2, 2)               \
  X(wTsumoriNaiSecond, "ruleTsumori.naiSecond", 1, 2, 2)             \
  X(wTsumoridaTeiru, "ruleTsumori.tsumoridaTeiru", 1, 4, 4)          \
  X(wTsumoridaBase, "ruleTsumori.tsumoridaBase", 1, 4, 4)            \
  X(wTsumoridaPast, "ruleTsumori.tsumoridaPast", 1, 4, 4)

COMMON_REGISTER(WORDS)

void consumeRange(JcSentence* s, int from, int to, const std::source_location& where = std::source_location::current()) {
  for (int w = from; w <= to; ++w) consumeWord(s, w, where);
}

bool markIsTemplateless(const JcSentence* s, int i) {
  const std::string_view m = nodeMark(s, i);
  return m == "*" || m == "?";
}

}  // namespace

void ruleTaiKurai(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int w = findLiveBaseForm(s, p, "たい");
    if (!w || !isVerbContinuative(s, w - 1)) return;
    if (liveSurfaceIn(s, w + 1, {"くらい", "ほど"})) {
      setSlot(s, parentOf(s, w - 1), Slot::kModal, wTaiKurai, w);
      consumeRange(s, w, w + 1);
    }
    p = w + 1;
  }
}

void ruleTaiMonoDa(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int w = findLiveBaseForm(s, p, "たい");
    if (!w || !isVerbContinuative(s, w - 1)) return;
    if (isLiveSurface(s, w + 1, "もの") && isLiveBaseForm(s, w + 2, "だ")) {
      setSlot(s, parentOf(s, w - 1), Slot::kModal, wTaiMonoDa, w);
      consumeRange(s, w, w + 2);
    } else if (isLiveSurface(s, w + 1, "と") && liveBaseIn(s, w + 2, {"思う", "おもう"})) {
      consumeWord(s, w);
    }
    p = w + 1;
  }
}

void ruleTakuteShikataganai(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int w = findLiveSurface(s, p, "たくて");
    if (!w || !isVerbContinuative(s, w - 1)) return;
    if (liveBaseIn(s, w + 1, {"しかた", "仕方", "仕様", "しよう"}) && isLiveSurface(s, w + 2, "が") &&
        isLiveBaseForm(s, w + 3, "ない")) {
      setSlot(s, parentOf(s, w - 1), Slot::kModal, wTakute, w);
      consumeRange(s, w, w + 4);  // the word after ない too; nothing past the last word
    }
    p = w + 5;
  }
}

void ruleTanniDake(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int w = findLiveSurface(s, p, "単に");
    if (!w) return;
    const int d = findFirstSurface(s, w + 1, {"だけ", "のみ"});
    if (!d) return;
    const bool nominal = isNominal(s, d - 1);
    if ((nominal || isPlainBaseOrPastForm(s, d - 1)) && isLiveSurface(s, d + 1, "で") &&
        isLiveSurface(s, d + 2, "は") && isLiveBaseForm(s, d + 3, "ない")) {
      writeTargetSlot(s, w, Slot::kOwnRendering, wTanniFirst);
      appendSlot(s, w, Slot::kOwnRendering, wTanniSecond);
      if (nominal) appendSlot(s, w, Slot::kOwnRendering, wTanniNoun);
      consumeRange(s, d, d + 3);
    }
    p = d + 2;
  }
}

void ruleDake(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    const bool nominal = isNominal(s, i);
    if (!(nominal || isPlainBaseOrPastForm(s, i)) || !isLiveSurface(s, i + 1, "だけ")) continue;
    const int m = maximalProjection(s, i);
    const bool de = isLiveSurface(s, i + 2, "で");
    if (de && liveBaseIn(s, i + 3, {"よい", "いい", "良い"})) {
      setSlot(s, m, Slot::kModal, wDakeDeIi, i + 1);
      setHeadText2(s, m, wDakeDeIiTail);
      consumeRange(s, i + 1, i + 3);
    } else if (de && (isLiveBaseForm(s, i + 3, "ない") || liveSurfaceIn(s, i + 3, {"なくて", "なく"}))) {
      writePieces(s, m, Slot::kConcession, {wDakeDeNaiFirst, wDakeDeNaiSecond}, i + 1);
      if (nominal) appendSlot(s, m, Slot::kConcession, wDakeDeNaiNoun);
      consumeRange(s, i + 1, i + 3);
    } else if (de && isLiveSurface(s, i + 3, "は") && isLiveBaseForm(s, i + 4, "ない")) {
      writePieces(s, m, Slot::kConcession, {wDakeDeWaNaiFirst, wDakeDeWaNaiSecond}, i + 1);
      if (nominal) appendSlot(s, m, Slot::kConcession, wDakeDeWaNaiNoun);
      consumeRange(s, i + 1, i + 4);
    } else if (de && isLiveSurface(s, i + 3, "は")) {
      setSlot(s, m, Slot::kConcession, wDakeDeWa, i + 1);
      consumeRange(s, i + 1, i + 3);
    } else if (isLiveSurface(s, i + 2, "でも")) {
      setSlot(s, m, Slot::kRestriction, wDakeDemo, i + 1);
      renderDemo(s, i + 2);
      consumeRange(s, i + 1, i + 2);
    }
  }
}

void ruleTatoeTemo(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int w = findFirstSurface(s, p, {"たとえ", "例え"});
    if (!w) return;
    const int t = findFirstSurface(s, w + 1, {"ても", "でも", "としても"});
    if (!t) return;
    setOwnRendering(s, w, wTatoe);
    setSlot(s, governorOf(s, wordAt(s, t + 1)), Slot::kInclusive, wTatoeTemo);
    consumeWord(s, t);
    p = t + 1;
  }
}

void ruleTabi(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int w = findFirstSurface(s, p, {"度", "たび"});
    if (!w) return;
    // たび in kana only after a clause (旅 is written so too).
    if (isSurface(s, w, "度") && isNominal(s, w - 2) && isLiveSurface(s, w - 1, "の")) {
      const int m = maximalProjection(s, w - 2);
      setSlot(s, m, Slot::kPreposition, wTabiNoun, w);
      setKind(s, m, 'z');
      consumeWord(s, w - 1);
      setOwnRendering(s, w, wTabiOwn);
    } else if (isAdnominalPredicate(s, w - 1)) {
      // 每 … 的时候 go round the clause that ends in the predicate: 每 opens it.
      const int m = maximalProjection(s, w - 1);
      setSlot(s, m, Slot::kClauseOpener, wTabiClause, w);
      setKind(s, m, 'z');
      setHeadText2(s, m, wTabiClauseTail);
    }
    p = w + 1;
  }
}

void ruleBaIi(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!isVerbConditional(s, i)) continue;
    const int j = isSymbol(s, i + 1) ? i + 2 : i + 1;
    const int p = parentOf(s, i);
    const bool question = hasQuestionWordBefore(s, i);
    if ((isLiveSurface(s, j, "いい") || liveBaseIn(s, j, {"よい", "良い", "よろしい"})) &&
        !hasNounFeature(s, parentOf(s, j))) {
      setKind(s, p, 'z');
      if (conjFormIn(s, i, {"10"})) {
        setHeadText2(s, p, question ? wTaraIiQuestion : wTaraIi);
      } else {
        setHeadText2(s, p, question ? wBaIiQuestion : wBaIi);
      }
      consumeWord(s, j);
    } else if (question) {
      setKind(s, p, 'z');
    }
  }
}

void ruleDarake(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int w = findLiveSurface(s, p, "だらけ");
    if (!w) return;
    if (isNominal(s, w - 1)) {
      setSlot(s, maximalProjection(s, w - 1), Slot::kDistributive, wDarake);
      consumeWord(s, w);
      if (isLiveBaseForm(s, w + 1, "だ")) consumeWord(s, w + 1);
    }
    p = w + 1;
  }
}

void ruleTariTariShinai(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int t = findConjFormForward(s, p, "12");
    if (!t) return;
    int k = 0;
    for (int j = t + 1; j <= lastWord(s) && !k; ++j) {
      if (conjFormIn(s, j - 1, {"12"}) && isLiveSurface(s, j, "し") &&
          (isLiveBaseForm(s, j + 1, "ない") || isLiveSurface(s, j + 1, "ませ"))) {
        k = j;
      }
    }
    if (!k) return;
    int u = findConjFormForward(s, t + 1, "12");
    if (!u) return;
    if (u > k) {
      p = k + 1;
      continue;
    }
    setSlot(s, parentOf(s, t), Slot::kNegation, wTariFirst);
    for (; u && u < k; u = findConjFormForward(s, u + 1, "12")) setSlot(s, parentOf(s, u), Slot::kNegation, wTariFurther, t);
    consumeRange(s, k, k + 1);
    if (isSurface(s, k + 1, "ませ")) {
      consumeWord(s, k + 2);
      if (isSurface(s, k + 3, "でした")) consumeWord(s, k + 3);
    }
    p = k + 2;
  }
}

void ruleTaru(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int w = findLiveSurface(s, p, "たる");
    if (!w) return;
    if (isNominalWord(s, w - 1) && isNominalWord(s, wordAt(s, w + 1))) {
      setSlot(s, maximalProjection(s, w - 1), Slot::kCopula, wTaru, w);
      setKind(s, parentOf(s, w), 'z');
      setOwnRendering(s, w, wTaruOwn);
    }
    p = w + 1;
  }
}

void ruleDarouToDarouTo(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int a = findLiveSurface(s, p, "だろう");
    const int b = a ? findLiveSurface(s, a + 1, "だろう") : 0;
    if (!a || !b) return;
    if (isLiveSurface(s, a + 1, "と") && isLiveSurface(s, b + 1, "と")) {
      setSlot(s, maximalProjection(s, a - 1), Slot::kConcession, wDarouFirst, a);
      setSlot(s, parentOf(s, b - 1), Slot::kConcession, wDarouSecond, b);
      consumeRange(s, a, a + 1);
      consumeRange(s, b, b + 1);
    }
    p = b + 2;
  }
}

void ruleHouDewanai(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!(testAdjectiveBaseOrPast(s, i) || isNaAdjectiveAdnominal(s, i)) || !liveSurfaceIn(s, i + 1, {"方", "ほう"}) ||
        !isLiveSurface(s, i + 2, "で") || !isLiveSurface(s, i + 3, "は") || !isLiveBaseForm(s, i + 4, "ない")) {
      continue;
    }
    writePieces(s, maximalProjection(s, i), Slot::kConcession, {wHouFirst, wHouSecond}, i + 1);
    setKind(s, parentOf(s, i), 'z');
    setKind(s, i, 'z');
    consumeRange(s, i + 1, i + 4);
  }
}

void ruleTame(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int w = findFirstSurface(s, p, {"ため", "為"});
    if (!w) return;
    p = w + 1;
    const bool ni = isLiveSurface(s, w + 1, "に");
    if (ni && isLiveBaseForm(s, w + 2, "は")) {
      setSlot(s, maximalProjection(s, w), Slot::kConcession, wTameNiWa, w);
      consumeRange(s, w, w + 2);
      setKind(s, maximalProjection(s, w - 1), 'z');
      setKind(s, parentOf(s, w - 1), 'z');
    } else if (w - 1 != 0 && ni && isLiveBaseForm(s, w + 2, "なる")) {
      const int m = maximalProjection(s, w - 1);
      setSlot(s, m, Slot::kPreposition, wTameNiNaru, w);
      appendHeadText(s, m, wTameNiNaruTail);
      consumeRange(s, w, w + 2);
    } else if (!ni && !isLiveSurface(s, w + 1, "の")) {
      if (isNominal(s, w - 2) && isLiveSurface(s, w - 1, "の")) {
        const int m = maximalProjection(s, w - 1);
        setSlot(s, m, Slot::kConcession, wTameNoun, w - 1);
        setKind(s, m, 'z');
        setKind(s, parentOf(s, w - 1), 'z');
        consumeRange(s, w - 1, w);
        if (!markIsTemplateless(s, maximalProjection(s, w + 1))) {
          // Built as the rule stands: the phrase of の loses the slot just written when it is its own
          // largest phrase.
          const int q = parentOf(s, w - 1);
          setSlot(s, q, Slot::kConcession, "");
          setSlotSource(s, q, Slot::kConcession, 0);
        }
      } else if (isPlainBaseOrPastForm(s, w - 1)) {
        if (!isVerbTaForm(s, w - 1) && !isBaseForm(s, w - 1, "だ") && !isBaseForm(s, w - 1, "いる") &&
            !isIAdjective(s, w - 1)) {
          setSlot(s, maximalProjection(s, w - 1), Slot::kConcession, wTamePurpose, w);
        } else {
          setSlot(s, maximalProjection(s, w), Slot::kConcession, wTameCause, w);
        }
        consumeWord(s, w);
        setKind(s, parentOf(s, w - 1), 'z');
        setKind(s, maximalProjection(s, w - 1), 'z');
      }
    } else {
      setSlot(s, maximalProjection(s, w), Slot::kConcession, wTameNi, w);
      consumeWord(s, w);
      const bool niSurface = isSurface(s, w + 1, "に");
      if (niSurface) consumeWord(s, w + 1);
      setKind(s, parentOf(s, w - 1), 'z');
      if (isLiveSurface(s, w - 1, "の")) consumeWord(s, w - 1);
      if (niSurface) releaseTemplateMark(s, maximalProjection(s, w + 1));
    }
  }
}

void ruleTeShimau(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    const bool te = isVerbTeForm(s, i) || conjIs(s, i, {"18", "19", "20"}, {"10"}) || conjIs(s, i, {"21"}, {"11"});
    if (isVerbTeForm(s, i) && isLiveBaseForm(s, i + 1, "しまう")) {
      setOwnRendering(s, i + 1, wShimau);
    } else if (te && liveBaseIn(s, i + 1, {"堪らない", "たまらない"})) {
      setSlot(s, maximalProjection(s, i), Slot::kRestriction, wTamaranai);
      consumeWord(s, i + 1);
    } else if (te && liveBaseIn(s, i + 1, {"仕方がない", "仕方ない", "しかたがない", "しかたない"})) {
      setSlot(s, maximalProjection(s, i), Slot::kRestriction, wShikatanai);
      consumeWord(s, i + 1);
    }
  }
}

void ruleTsutsuAru(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!isVerbContinuative(s, i) || !isLiveSurface(s, i + 1, "つつ") || !isLiveBaseForm(s, i + 2, "ある")) continue;
    setSlot(s, parentOf(s, i), Slot::kAfterSubject, wTsutsuAru, i + 1);
    consumeRange(s, i + 1, i + 2);
  }
}

void ruleTsutsu(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!isVerbContinuative(s, i) || !isLiveSurface(s, i + 1, "つつ")) continue;
    setSlot(s, parentOf(s, i), Slot::kConcession, wTsutsu, i + 1);
    if (isLiveSurface(s, i + 2, "も")) consumeWord(s, i + 2);
  }
}

void ruleTsumori(JcSentence* s) {
  for (int p = 1; p <= lastWord(s);) {
    const int w = findFirstSurface(s, p, {"つもり", "積もり"});
    if (!w) break;
    p = w + 3;
    const bool da = liveBaseIn(s, w + 1, {"だ", "で"});
    int host = 0;
    if (isVerbTeForm(s, w - 2) && isLiveBaseForm(s, w - 1, "いる") && da) {
      host = parentOf(s, w - 2);
      setSlot(s, host, Slot::kAfterSubject, wTsumoriTeiru);
    } else if (isVerbBaseForm(s, w - 1) && da) {
      host = parentOf(s, w - 1);
      setSlot(s, host, Slot::kAfterSubject, wTsumoriBase);
    } else if (isVerbTaForm(s, w - 1) && da) {
      host = parentOf(s, w - 1);
      setSlot(s, host, Slot::kAfterSubject, wTsumoriPast);
    } else if (isAdnominalPredicate(s, w - 1) && liveBaseIn(s, w + 1, {"は", "が"}) &&
               isLiveBaseForm(s, w + 2, "ない")) {
      host = parentOf(s, w - 1);
      writeTargetSlot(s, host, Slot::kAfterSubject, wTsumoriNaiFirst);
      appendSlot(s, host, Slot::kAfterSubject, wTsumoriNaiSecond);
      consumeWord(s, w + 2);
    } else {
      continue;
    }
    setSlotSource(s, host, Slot::kAfterSubject, w);
    setKind(s, host, 'z');
    consumeRange(s, w, w + 1);
  }
  for (int p = 1; p <= lastWord(s);) {
    int w = findLiveBaseForm(s, p, "つもりだ");
    if (!w) w = findLiveSurface(s, p, "積もりだ");
    if (!w) return;
    p = w + 3;
    int host = 0;
    std::string_view text;
    if (isVerbTeForm(s, w - 2) && isLiveBaseForm(s, w - 1, "いる")) {
      host = parentOf(s, w - 2);
      text = wTsumoridaTeiru;
    } else if (isVerbBaseForm(s, w - 1)) {
      host = parentOf(s, w - 1);
      text = wTsumoridaBase;
    } else if (isVerbTaForm(s, w - 1)) {
      host = parentOf(s, w - 1);
      text = wTsumoridaPast;
    } else {
      continue;
    }
    setSlot(s, host, Slot::kAfterSubject, text, w);
    setKind(s, host, 'z');
    consumeWord(s, w);
  }
}

}  // namespace jc
