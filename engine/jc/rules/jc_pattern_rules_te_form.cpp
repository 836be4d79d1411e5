// The te-form patterns: the auxiliaries after a verb in its te-form (ている, てはいけない, てみせる,
// てほしい, てもらう, てくれる, てある, ていく, てください, ておく, てから, てこそ ...).
#include "engine/jc/rules/jc_pattern_common.h"
#include "engine/jc/rules/jc_pattern_rules_ka_to.h"

#include <source_location>

namespace jc {

using namespace pattern;

namespace {

#define WORDS(X)                                                       \
  X(wBakari, "ruleTeForm.bakariiru", 1, 4, 4)                          \
  X(wTeWaIkenai, "ruleTeForm.tewaikenai", 1, 4, 4)                     \
  X(wTeWaIkemasen, "ruleTeForm.tewaikemasen", 1, 4, 4)                 \
  X(wMiseruKureru, "ruleTeForm.miseteKureru", 1, 6, 6)                 \
  X(wMiseru, "ruleTeForm.miseru", 1, 10, 10)                           \
  X(wHoshii, "ruleTeForm.hoshii", 1, 2, 2)                             \
  X(wNaideHoshii, "ruleTeForm.naideHoshii", 1, 4, 4)                   \
  X(wMoraeru, "ruleTeForm.moraeru", 1, 4, 4)                           \
  X(wGiver, "ruleTeForm.moraiGiver", 1, 2, 2)                          \
  X(wGiverNot, "ruleTeForm.moraiGiverNot", 1, 4, 4)                    \
  X(wGiverNaide, "ruleTeForm.moraiGiverNaide", 1, 2, 2)                \
  X(wGiverTai, "ruleTeForm.moraiGiverTai", 1, 2, 2)                    \
  X(wGiverTaiNot, "ruleTeForm.moraiGiverTaiNot", 1, 4, 4)              \
  X(wMoraiTai, "ruleTeForm.moraiTai", 1, 2, 2)                         \
  X(wMoraiTaiNot, "ruleTeForm.moraiTaiNot", 1, 4, 4)                   \
  X(wMoraiNot, "ruleTeForm.moraiNot", 1, 2, 2)                         \
  X(wMoraiNaide, "ruleTeForm.moraiNaide", 1, 4, 4)                     \
  X(wMorai, "ruleTeForm.morai", 1, 2, 2)                               \
  X(wYamanai, "ruleTeForm.yamanai", 1, 4, 4)                           \
  X(wYamimasen, "ruleTeForm.yamimasen", 1, 4, 4)                       \
  X(wAru, "ruleTeForm.aru", 1, 2, 2)                                   \
  X(wIi, "ruleTeForm.ii", 1, 4, 4)                                     \
  X(wItadaku, "ruleTeForm.itadaku", 1, 2, 2)                           \
  X(wItadakeru, "ruleTeForm.itadakeru", 1, 4, 4)                       \
  X(wItadaki, "ruleTeForm.sahenItadaki", 1, 2, 2)                      \
  X(wKudasai, "ruleTeForm.kudasai", 1, 2, 2)                           \
  X(wNaideKudasai, "ruleTeForm.naideKudasai", 1, 4, 4)                 \
  X(wOku, "ruleTeForm.oku", 1, 4, 4)                                   \
  X(wNaideOku, "ruleTeForm.naideOku", 1, 4, 4)                         \
  X(wNaideOkuPast, "ruleTeForm.naideOkuPast", 1, 2, 2)                 \
  X(wKaraToIuMono, "ruleTeForm.karatoiumono", 1, 4, 4)                 \
  X(wKara, "ruleTeForm.kara", 1, 4, 4)                                 \
  X(wKoso, "ruleTeForm.koso", 1, 2, 2)                                 \
  X(wRequest, "ruleTeForm.kureruRequest", 1, 2, 2)                     \
  X(wRequestCausative, "ruleTeForm.kureruRequestCausative", 1, 6, 6)   \
  X(wKureru, "ruleTeForm.kureru", 1, 2, 2)                             \
  X(wKureruCausative, "ruleTeForm.kureruCausative", 1, 4, 4)           \
  X(wKureruOgoru, "ruleTeForm.kureruOgoru", 1, 2, 2)                   \
  X(wOgoru, "ruleTeForm.ogoru", 1, 4, 4)                               \
  X(wMata, "ruleTeForm.adjectivePair", 1, 2, 2)

COMMON_REGISTER(WORDS)

void consumeRange(JcSentence* s, int from, int to, const std::source_location& where = std::source_location::current()) {
  for (int w = from; w <= to; ++w) consumeWord(s, w, where);
}

// ない, or あり ませ ん, from word i on.
bool negationAt(const JcSentence* s, int i) {
  return isLiveBaseForm(s, i, "ない") ||
         (isLiveSurface(s, i, "あり") && isLiveSurface(s, i + 1, "ませ") && isLiveSurface(s, i + 2, "ん"));
}
// Consumes the negation at word i: one word, or three after あり.
void consumeNegation(JcSentence* s, int i) {
  const bool ari = isSurface(s, i, "あり");
  consumeWord(s, i);
  if (ari) consumeRange(s, i + 1, i + 2);
}

// ～てもらう: with a person giver (the first から, else the first に, of the sentence) the
// rendering goes to the giver's phrase; otherwise to the verb's.
void renderMorau(JcSentence* s, int i) {
  int k = findLiveSurface(s, 1, "から");
  if (!k) k = findLiveSurface(s, 1, "に");
  const bool naide = isLiveSurface(s, i, "ないで");
  if (k && hasSemanticCode(s, k - 1, {"12"})) {
    const int m = maximalProjection(s, k - 1);
    if (isSurface(s, k, "に")) setUsageCode(s, parentOf(s, k - 1), "NI0");
    consumeWord(s, k);
    if (negationAt(s, i + 2)) {
      setSlot(s, m, Slot::kCopula, wGiverNot);
      consumeNegation(s, i + 2);
    } else {
      setSlot(s, m, Slot::kCopula, wGiver);
    }
    if (naide) {
      appendHeadText(s, m, wGiverNaide);
      consumeWord(s, i);
    }
    if (isLiveBaseForm(s, i + 2, "たい")) {
      if (!negationAt(s, i + 3)) {
        setSlot(s, m, Slot::kModal, wGiverTai);
      } else {
        setSlot(s, m, Slot::kModal, wGiverTaiNot);
        consumeNegation(s, i + 3);
      }
      consumeWord(s, i + 2);
    }
    consumeWord(s, i + 1);
    return;
  }
  const int x = parentOf(s, i);
  if (isLiveBaseForm(s, i + 2, "たい")) {
    if (!negationAt(s, i + 3)) {
      setSlot(s, x, Slot::kAfterSubject, wMoraiTai);
    } else {
      setSlot(s, x, Slot::kAfterSubject, wMoraiTaiNot);
      consumeNegation(s, i + 3);
    }
    consumeWord(s, i + 2);
  }
  if (negationAt(s, i + 2)) {
    setSlot(s, x, Slot::kAfterSubject, wMoraiNot);
    consumeNegation(s, i + 2);
  }
  if (naide) {
    appendSlot(s, x, Slot::kAfterSubject, wMoraiNaide);
    consumeWord(s, i);
  } else {
    appendSlot(s, x, Slot::kAfterSubject, wMorai);
  }
  consumeWord(s, i + 1);
}

// ～てくれる: a favour, or a request question (くれますか, くれませんか, くれる?).
void renderKureru(JcSentence* s, int i) {
  const int x = parentOf(s, i);
  const int j = i + 1;
  const bool request = (isSurface(s, i + 2, "ます") && isSurface(s, i + 3, "か")) ||
                       (isSurface(s, i + 2, "ませ") && isBaseForm(s, i + 3, "ぬ") && isBaseForm(s, i + 4, "か")) ||
                       (isSurface(s, j, "くれる") && surfaceIn(s, i + 2, {"?", "？"}));
  const bool causative = liveBaseIn(s, i, {"させる", "せる"});
  const bool ogoru = isLiveBaseForm(s, i - 1, "おごる");
  if (request) {
    if (!causative) {
      setSlot(s, x, Slot::kPreposition, wRequest);
    } else {
      consumeWord(s, i);
      setSlot(s, x, Slot::kPreposition, wRequestCausative);
      if (ogoru) setOwnRendering(s, i - 1, wOgoru);
    }
    if (isBaseForm(s, i + 3, "ぬ")) consumeWord(s, i + 3);
  } else if (!causative) {
    setSlot(s, x, Slot::kPreposition, wKureru);
  } else {
    consumeWord(s, i);
    setSlot(s, x, Slot::kPreposition, wKureruCausative);
    if (ogoru) {
      setSlot(s, x, Slot::kPreposition, wKureruOgoru);
      setOwnRendering(s, i - 1, wOgoru);
    }
  }
  setSlotSource(s, x, Slot::kPreposition, j);
  consumeWord(s, j);
}

// The verbs of motion whose いく / くる stays a verb of its own.
bool keepsMotionVerb(const JcSentence* s, int i) { return hasSemanticCode(s, i, {"21523", "21541", "23392", "23391"}); }

// An adjective in its te-form that an adjective predicate governs (強くて寒い, 優しくて親切だ):
// the two are joined, 又 before each.
bool joinAdjectivePair(JcSentence* s, int i, int p) {
  if (!live(s, i) || !isAdjectiveTeForm(s, i) || lastLeaf(s, p) != i) return false;
  const int g = headPhraseOf(s, p);
  const int h = headMorpheme(s, g);
  if (!g || !h || h <= i || !live(s, h) || !(isIAdjective(s, h) || isNaAdjective(s, h)) || isAdjectiveTeForm(s, h) ||
      liveBaseIn(s, h + 1, {"ない"}) || liveSurfaceIn(s, h + 1, {"なく", "では", "じゃ"}))
    return false;
  setSlot(s, p, Slot::kNearAdverbial, wMata);
  setSlot(s, g, Slot::kNearAdverbial, wMata);
  return true;
}

// A verb's continuative and に before a verb of going: the purpose (会いに行く 去见面, 買いに来た),
// with no case word of its own.
bool purposeBeforeGoing(JcSentence* s, int i) {
  if (!live(s, i) || !isVerb(s, i) || !isVerbContinuative(s, i) || !isLiveSurface(s, i + 1, "に")) return false;
  const int h = headMorpheme(s, headPhraseOf(s, parentOf(s, i)));
  if (h <= i + 1 || !live(s, h) || !isVerbOfGoing(s, h)) return false;
  consumeWord(s, i + 1);
  return true;
}

// The sub-patterns at word i, in order; true when one applied.
bool teFormAt(JcSentence* s, int i) {
  // A te-form an earlier rule has taken (決して as an adverb) governs no auxiliary.
  const bool te = live(s, i) && isVerbTeForm(s, i);
  const int p = parentOf(s, i);
  const bool naide = isLiveSurface(s, i, "ないで");
  if (joinAdjectivePair(s, i, p) || purposeBeforeGoing(s, i)) {
  } else if (te && isLiveBaseForm(s, i + 1, "ばかり") && isLiveBaseForm(s, i + 2, "いる")) {
    setSlot(s, p, Slot::kRestriction, wBakari);
    consumeRange(s, i + 1, i + 2);
  } else if (te && isLiveBaseForm(s, i + 1, "は") &&
             liveBaseIn(s, i + 2, {"いけない", "ならない", "駄目だ", "ダメだ", "だめだ", "だめ"})) {
    appendSlot(s, p, Slot::kClauseOpener, wTeWaIkenai);
    consumeRange(s, i + 1, i + 2);
  } else if (te && isLiveSurface(s, i + 1, "は") && liveSurfaceIn(s, i + 2, {"いけ", "なり"}) &&
             isLiveSurface(s, i + 3, "ませ") && isLiveSurface(s, i + 4, "ん")) {
    appendSlot(s, p, Slot::kClauseOpener, wTeWaIkemasen);
    consumeRange(s, i + 1, i + 4);
  } else if (te && liveBaseIn(s, i + 1, {"みせる", "見せる"})) {
    setHeadText2(s, p, isLiveBaseForm(s, i + 2, "くれる") ? wMiseruKureru : wMiseru);
    consumeWord(s, i + 1);
  } else if ((te || naide) && liveBaseIn(s, i + 1, {"欲しい", "ほしい"})) {
    if (!naide) {
      setSlot(s, p, Slot::kCopula, wHoshii);
    } else {
      setSlot(s, p, Slot::kCopula, wNaideHoshii);
      consumeWord(s, i);
    }
    setSlotSource(s, p, Slot::kCopula, i + 1);
    consumeWord(s, i + 1);
  } else if (te && liveBaseIn(s, i + 1, {"もらえる", "貰える"})) {
    setSlot(s, p, Slot::kCopula, wMoraeru, i + 1);
    consumeWord(s, i + 1);
  } else if ((te || naide) && liveBaseIn(s, i + 1, {"もらう", "貰う"})) {
    renderMorau(s, i);
  } else if (te && isLiveSurface(s, i + 1, "やま") && isLiveBaseForm(s, i + 2, "ない")) {
    setSlot(s, p, Slot::kRestriction, wYamanai);
    consumeRange(s, i + 1, i + 2);
  } else if (te && isLiveSurface(s, i + 1, "やみ") && isLiveSurface(s, i + 2, "ませ") &&
             isLiveSurface(s, i + 3, "ん")) {
    appendSlot(s, p, Slot::kRestriction, wYamimasen);
    consumeRange(s, i + 1, i + 3);
  } else if (te && liveBaseIn(s, i + 1, {"あげる", "やる"})) {
    consumeWord(s, i + 1);
  } else if (te && isLiveBaseForm(s, i + 1, "くれる")) {
    renderKureru(s, i);
  } else if (te && isLiveBaseForm(s, i + 1, "ある")) {
    setHeadText(s, i, wAru);
    consumeWord(s, i + 1);
  } else if ((te || isAdjectiveTeForm(s, i)) && liveBaseIn(s, i + 1, {"良い", "いい", "よい", "よろしい"}) &&
             isVerb(s, i)) {
    setSlot(s, p, Slot::kAfterSubject, wIi, i + 1);
    consumeWord(s, i + 1);
  } else if (te && (liveBaseIn(s, i + 1, {"いく", "行く"}) || liveBaseIn(s, i + 1, {"くる", "来る"}))) {
    if (!keepsMotionVerb(s, i)) consumeWord(s, i + 1);
  } else if ((te || isVerbContinuative(s, i)) &&
             liveBaseIn(s, i + 1, {"頂く", "いただく", "頂ける", "いただける"})) {
    setSlot(s, p, Slot::kCopula, liveBaseIn(s, i + 1, {"頂く", "いただく"}) ? wItadaku : wItadakeru, i + 1);
    consumeWord(s, i + 1);
  } else if (isSahenNoun(s, i) && liveSurfaceIn(s, i + 1, {"頂き", "いただき"})) {
    setSlot(s, p, Slot::kCopula, wItadaki, i + 1);
    consumeWord(s, i + 1);
  } else if ((te || isVerbContinuative(s, i) || surfaceIn(s, i, {"って", "ないで"})) &&
             liveSurfaceIn(s, i + 1, {"ください", "下さい", "なさい"})) {
    if (!isLiveSurface(s, i + 2, "ました")) {
      if (!naide) {
        setSlot(s, p, Slot::kAfterSubject, wKudasai);
      } else {
        setSlot(s, p, Slot::kAfterSubject, wNaideKudasai);
        consumeWord(s, i);
      }
      consumeWord(s, i + 1);
    }
  } else if ((te || isSurface(s, i, "ないで")) && liveBaseIn(s, i + 1, {"置く", "おく"})) {
    if (!isSurface(s, i, "ないで")) {
      setSlot(s, p, Slot::kNearAdverbial, wOku, i + 1);
    } else {
      setSlot(s, p, Slot::kSeeming, wNaideOku);
      if (isVerbTaForm(s, i + 1) || isSurface(s, i + 2, "ました")) setHeadText(s, p, wNaideOkuPast);
    }
    consumeWord(s, i + 1);
  } else if (te && isLiveSurface(s, i + 1, "から") && isLiveSurface(s, i + 2, "と") &&
             isLiveSurface(s, i + 3, "いう") && isLiveSurface(s, i + 4, "もの")) {
    setHeadText2(s, p, wKaraToIuMono);
    consumeRange(s, i + 1, i + 4);
    setKind(s, parentOf(s, i + 3), 'z');
  } else if (te && isLiveSurface(s, i + 1, "から")) {
    setHeadText2(s, p, wKara);
    consumeWord(s, i + 1);
  } else if (te && liveSurfaceIn(s, i + 1, {"こそ", "初めて", "はじめて", "のみ"})) {
    consumeWord(s, i + 1);
    setSlot(s, governorOf(s, wordAt(s, i + 2)), Slot::kNearAdverbial, wKoso, i + 1);
  } else {
    return false;
  }
  return true;
}

}  // namespace

void ruleTeForm(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) teFormAt(s, i);
}

}  // namespace jc
