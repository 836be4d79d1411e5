// Sentence patterns on と (といえども … とすぐ, とたん … とする), the formal nouns とおり, ところ and
// どころ, the ない family and なかなか … negation.
#include <string>

#include "engine/jc/rules/jc_pattern_rules_to_scans.h"
#include "engine/jc/rules/jc_pattern_scan_common.h"

namespace jc {

using namespace pattern;

namespace {

#define WORDS(X)                              \
  X(wToieE1, "ruleToiedomo.e1", 1, 4)         \
  X(wToieE2, "ruleToiedomo.e2", 1, 2)         \
  X(wToieE3, "ruleToiedomo.e3", 1, 2)         \
  X(wToieE4, "ruleToiedomo.e4", 1, 6)         \
  X(wToieE5, "ruleToiedomo.e5", 1, 4)         \
  X(wToieE6, "ruleToiedomo.e6", 1, 4)         \
  X(wToieE7, "ruleToiedomo.e7", 1, 4)         \
  X(wToieE8, "ruleToiedomo.e8", 1, 8)         \
  X(wToiwE1, "ruleToiwazu.e1", 1, 2)          \
  X(wToiwE2, "ruleToiwazu.e2", 1, 4)          \
  X(wToiwE3, "ruleToiwazu.e3", 1, 4)          \
  X(wToOmouE1, "ruleToOmou.e1", 1, 4)         \
  X(wToOmouE3, "ruleToOmou.e3", 1, 2)         \
  X(wToOmouE4, "ruleToOmou.e4", 1, 6)         \
  X(wTooriE1, "ruleToori.e1", 1, 4)           \
  X(wTokitaraE1, "ruleTokitara.e1", 1, 4)     \
  X(wTokiteiruE1, "ruleTokiteiru.e1", 1, 4)   \
  X(wTokoroE1, "ruleTokoro.e1", 1, 2)         \
  X(wTokoroE2, "ruleTokoro.e2", 1, 4)         \
  X(wTokoroE3, "ruleTokoro.e3", 1, 2)         \
  X(wTokoroE4, "ruleTokoro.e4", 1, 4)         \
  X(wTokoroE5, "ruleTokoro.e5", 1, 4)         \
  X(wTokoroE6, "ruleTokoro.e6", 1, 4)         \
  X(wTokoroE7, "ruleTokoro.e7", 1, 4)         \
  X(wTokoroE8, "ruleTokoro.e8", 1, 4)         \
  X(wTokoroE9, "ruleTokoro.e9", 1, 4)         \
  X(wDokorokaE1, "ruleDokoroka.e1", 1, 6)     \
  X(wToshikaE1, "ruleToshikaOmoenai.e1", 1, 8) \
  X(wToshikaE2, "ruleToshikaOmoenai.e2", 1, 2) \
  X(wToSuguE1, "ruleToSugu.e1", 1, 2)         \
  X(wToSuguE2, "ruleToSugu.e2", 1, 4)         \
  X(wToSuruE1, "ruleToSuru.e1", 1, 4)         \
  X(wToSuruE2, "ruleToSuru.e2", 1, 4)         \
  X(wToSuruE3, "ruleToSuru.e3", 1, 2)         \
  X(wTotanE1, "ruleTotan.e1", 1, 4)           \
  X(wTotanE2, "ruleTotan.e2", 1, 2)           \
  X(wToDoujiE1, "ruleToDouji.e1", 1, 6)       \
  X(wToDoujiE2, "ruleToDouji.e2", 1, 2)       \
  X(wToDoujiE3, "ruleToDouji.e3", 1, 4)       \
  X(wToNakuE1, "ruleToNaku.e1", 1, 4)         \
  X(wToNaruE1, "ruleToNaru.e1", 1, 4)         \
  X(wToNoE1, "ruleToNo.e1", 1, 4)             \
  X(wToNoE2, "ruleToNo.e2", 1, 6)             \
  X(wTohaE1, "ruleToha.e1", 1, 8)             \
  X(wTohaE2, "ruleToha.e2", 1, 2)             \
  X(wTohaE3, "ruleToha.e3", 1, 4)             \
  X(wTohaE4, "ruleToha.e4", 1, 6)             \
  X(wTohaE5, "ruleToha.e5", 1, 4)             \
  X(wTohaNot, "ruleToha.not", 1, 2)           \
  X(wTohaE6, "ruleToha.e6", 1, 4)             \
  X(wTohaE7, "ruleToha.e7", 1, 4)             \
  X(wTomoE1, "ruleTomo.e1", 1, 4)             \
  X(wTomoE2, "ruleTomo.e2", 1, 8)             \
  X(wTomoE3, "ruleTomo.e3", 1, 2)             \
  X(wTomoE4, "ruleTomo.e4", 1, 8)             \
  X(wTomoE5, "ruleTomo.e5", 1, 8)             \
  X(wTomoE6, "ruleTomo.e6", 1, 2)             \
  X(wTomoE7, "ruleTomo.e7", 1, 6)             \
  X(wTomoE8, "ruleTomo.e8", 1, 6)             \
  X(wTomoE9, "ruleTomo.e9", 1, 2)             \
  X(wTomoE10, "ruleTomo.e10", 1, 2)           \
  X(wTomoE11, "ruleTomo.e11", 1, 4)           \
  X(wTomoE12, "ruleTomo.e12", 1, 4)           \
  X(wNaiE1, "ruleNai.e1", 1, 2)               \
  X(wNaiE2, "ruleNai.e2", 1, 4)               \
  X(wNaiE3, "ruleNai.e3", 1, 4)               \
  X(wNaiE4, "ruleNai.e4", 1, 2)               \
  X(wNaiE5, "ruleNai.e5", 1, 6)               \
  X(wNaiE6, "ruleNai.e6", 1, 4)               \
  X(wNaiE7, "ruleNai.e7", 1, 6)               \
  X(wNaiE8, "ruleNai.e8", 1, 6)               \
  X(wNaiE9, "ruleNai.e9", 1, 2)               \
  X(wNaiE10, "ruleNai.e10", 1, 6)             \
  X(wNaiE11, "ruleNai.e11", 1, 2)             \
  X(wNaiE12, "ruleNai.e12", 1, 6)             \
  X(wNaiE13, "ruleNai.e13", 1, 4)             \
  X(wNaiE14, "ruleNai.e14", 1, 4)             \
  X(wNaiE15, "ruleNai.e15", 1, 6)             \
  X(wNakanakaE1, "ruleNakanaka.e1", 1, 8)

PATTERN_REGISTER(WORDS)

bool atIu(const JcSentence* s, int i) { return atBase(s, i, {"いう", "言う"}); }
bool atIi(const JcSentence* s, int i) { return atBase(s, i, {"いい", "よい", "良い"}); }

bool isNV(const JcSentence* s, int i) { return isNominal(s, i) || isVerbBaseOrPast(s, i); }
bool isNP(const JcSentence* s, int i) { return isNominal(s, i) || isBaseOrPastForm(s, i); }

// Group A of といえども: the first that holds acts.
void toiedomoGroupA(JcSentence* s, int i, int r, bool nominal) {
  auto suffix = [&](Slot slot) {
    if (nominal) appendSlot(s, r, slot, wToieE2);
  };
  if (!at(s, i + 1, {"と"})) return;
  if ((nominal || isNaAdjectiveStem(s, i) || isVerbBaseOrPast(s, i)) && at(s, i + 2, {"いえども", "雖も"})) {
    setSlot(s, r, Slot::kAfterSubject, wToieE1, i + 1);
    eat(s, i + 1, i + 2);
    suffix(Slot::kAfterSubject);
    setSlot(s, governorOf(s, i + 2), Slot::kInclusive, wToieE3);
    return;
  }
  if (!isNV(s, i)) return;
  if (at(s, i + 2, {"いえる", "言える"})) {
    setSlot(s, r, Slot::kClauseOpener, wToieE4, i + 1);
    eat(s, i + 1, i + 2);
    suffix(Slot::kClauseOpener);
  } else if (at(s, i + 2, {"は"}) && at(s, i + 3, {"いえる", "言える"})) {
    setSlot(s, r, Slot::kClauseOpener, wToieE4, i + 1);
    eat(s, i + 1, i + 3);
    suffix(Slot::kClauseOpener);
  } else if (at(s, i + 2, {"いえば", "言えば", "いったら", "言ったら"})) {
    setSlot(s, r, Slot::kClauseOpener, wToieE5, i + 1);
    eat(s, i + 1, i + 2);
    markZ(s, parentOf(s, i + 2));
  } else if (at(s, i + 2, {"いって", "言って"}) && at(s, i + 3, {"も"}) && at(s, i + 4, {"言い過ぎ", "過言"}) &&
             at(s, i + 5, {"で"}) && at(s, i + 6, {"は"}) && isLiveBaseForm(s, i + 7, "ない")) {
    setSlot(s, r, Slot::kClauseOpener, wToieE4, i + 1);
    eat(s, i + 1, i + 7);
  }
}

// Group B: the first that holds acts.
void toiedomoGroupB(JcSentence* s, int i, int r, bool nominal) {
  auto suffix = [&] {
    if (nominal) appendSlot(s, r, Slot::kClauseOpener, wToieE2);
  };
  if (!at(s, i + 1, {"と"})) return;
  const bool nv = isNV(s, i), np = isNP(s, i);
  const bool itte = at(s, i + 2, {"いって", "言って"});
  if (nv && itte && at(s, i + 3, {"言い過ぎ", "過言"}) && at(s, i + 4, {"で"}) && at(s, i + 5, {"は"}) &&
      at(s, i + 6, {"ない"})) {
    setSlot(s, r, Slot::kClauseOpener, wToieE4, i + 1);
    eat(s, i + 1, i + 6);
  } else if (np && itte && at(s, i + 3, {"も"}) && atIi(s, i + 4)) {
    setSlot(s, r, Slot::kClauseOpener, wToieE4, i + 1);
    eat(s, i + 1, i + 4);
    suffix();
  } else if (nv && itte && atIi(s, i + 3)) {
    setSlot(s, r, Slot::kClauseOpener, wToieE4, i + 1);
    eat(s, i + 1, i + 3);
    suffix();
  } else if (nv && itte && at(s, i + 3, {"も"})) {
    if (at(s, i - 2, {"一口"}) && at(s, i - 1, {"に"})) {
      setSlot(s, r, Slot::kClauseOpener, wToieE6, i - 2);
      eat(s, i - 2, i - 1);
    } else {
      setSlot(s, r, Slot::kClauseOpener, wToieE7, i + 1);
      consumeWord(s, i + 3);
    }
    suffix();
    eat(s, i + 1, i + 2);
  } else if (nv && atIu(s, i + 2) && isLiveBaseForm(s, i + 3, "れる") && isVerbTeForm(s, i + 3) &&
             isLiveBaseForm(s, i + 4, "いる")) {
    setSlot(s, r, Slot::kClauseOpener, wToieE8, i + 1);
    eat(s, i + 1, i + 4);
    suffix();
  } else if (np && atIu(s, i + 2) && isLiveBaseForm(s, i + 3, "れる")) {
    const int p = parentOf(s, i + 3);
    JcTargetNode* t = ruleTarget(s, p);
    if (t && t->kind == 'j') {
      t->kind = 'y';
      setSlot(s, r, Slot::kClauseOpener, wToieE5, i + 1);
    } else {
      setSlot(s, r, Slot::kClauseOpener, wToieE8, i + 1);
    }
    eat(s, i + 1, i + 3);
    suffix();
  }
}

}  // namespace

void ruleToiedomo(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    const int r = rootOf(s, i);
    const bool nominal = isNominal(s, i);
    toiedomoGroupA(s, i, r, nominal);
    toiedomoGroupB(s, i, r, nominal);
  }
}

void ruleToiwazu(JcSentence* s) {
  for (int start = 1; start <= lastWord(s);) {
    const int k1 = findLiveSurface(s, start, "と");
    if (!k1) return;
    const int k2 = findLiveSurface(s, k1 + 1, "と");
    if (!k2) return;
    start = k2 + 3;
    if (!isNominal(s, k1 - 1) || !isNominal(s, k2 - 1)) continue;
    const int h1 = parentOf(s, k1 - 1), h2 = parentOf(s, k2 - 1);
    auto iwa = [s](int k) { return at(s, k, {"言わ", "いわ"}); };
    auto iwazu = [s](int k) { return at(s, k, {"言わず", "いわず"}); };
    if (iwa(k1 + 1) && iwa(k2 + 1) && at(s, k1 + 2, {"ず"}) && at(s, k2 + 2, {"ず"})) {
      writeThenAppend(s, h1, Slot::kConcession, wToiwE1, wToiwE2);
      setSlot(s, h2, Slot::kConcession, wToiwE3, k1);
      eat(s, k1, k1 + 2);
      eat(s, k2, k2 + 2);
    } else if (iwazu(k1 + 1) && iwazu(k2 + 1)) {
      writeThenAppend(s, h1, Slot::kConcession, wToiwE1, wToiwE2, k1);
      setSlot(s, h2, Slot::kConcession, wToiwE3, k2);
      eat(s, k1, k1 + 1);
      eat(s, k2, k2 + 1);
    }
  }
}

void ruleToOmou(JcSentence* s) {
  for (int start = 1; start <= lastWord(s);) {
    const int k = findLiveSurface(s, start, "と");
    if (!k) break;
    start = k + 2;
    if (!isLiveBaseForm(s, k + 1, "思う") || !(at(s, k + 2, {"と"}) || conjFormIn(s, k + 1, {"10", "6"}))) continue;
    setSlot(s, maximalProjection(s, k), Slot::kAfterSubject, wToOmouE1, k);
    eat(s, k, k + 1);
    markZ(s, parentOf(s, k + 1));
    if (isSurface(s, k + 2, "と")) consumeWord(s, k + 2);
  }
  for (int start = 1; start <= lastWord(s);) {
    const int k = findLiveSurface(s, start, "と");
    if (!k) break;
    start = k + 2;
    if (!isLiveBaseForm(s, k + 1, "思われる")) continue;
    const int r = rootOf(s, k - 1);
    setSlot(s, r, Slot::kClauseOpener, wToieE8, k + 1);
    eat(s, k, k + 1);
    if (isLiveBaseForm(s, k + 2, "いる")) consumeWord(s, k + 2);
    if (isNominalWord(s, k - 1)) appendSlot(s, r, Slot::kConcession, wToOmouE3, k + 1);
  }
  for (int start = 1; start <= lastWord(s);) {
    const int k = findLiveSurface(s, start, "と");
    if (!k) break;
    start = k + 2;
    if (!at(s, k + 1, {"さ"}) || !isLiveBaseForm(s, k + 2, "れる")) continue;
    const int m = maximalProjection(s, k - 1);
    setSlot(s, m, Slot::kCopula, wToOmouE4, k + 1);
    eat(s, k, k + 2);
    if (isLiveBaseForm(s, k + 3, "いる")) consumeWord(s, k + 3);
    if (isNominalWord(s, k - 1)) appendSlot(s, m, Slot::kCopula, wToOmouE3);
  }
}

void ruleToori(JcSentence* s) {
  for (int start = 1; start <= lastWord(s);) {
    const int k = findFirstSurface(s, start, {"通り", "とおり"});
    if (!k) return;
    start = k + 1;
    if (!at(s, k - 1, {"の"}) || !at(s, k + 1, {"に"})) continue;
    const int m = maximalProjection(s, k - 1);
    markZ(s, m);
    setSlot(s, m, Slot::kConcession, wTooriE1, k);
    eat(s, k - 1, k + 1);
  }
}

void ruleTokitara(JcSentence* s) {
  for (int start = 1; start <= lastWord(s);) {
    const int k = findLiveSurface(s, start, "きたら");
    if (!k) return;
    start = k + 2;
    if (!at(s, k - 1, {"と"})) continue;
    setSlot(s, maximalProjection(s, k - 2), Slot::kConcession, wTokitaraE1, k);
    eat(s, k - 1, k);
    markZ(s, parentOf(s, k));
  }
}

void ruleTokiteiru(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!isNP(s, i) || !at(s, i + 1, {"と"}) || !at(s, i + 2, {"来て", "きて"}) || !isLiveBaseForm(s, i + 3, "いる")) {
      continue;
    }
    setSlot(s, maximalProjection(s, i), Slot::kConcession, wTokiteiruE1, i + 1);
    eat(s, i + 1, i + 3);
  }
}

namespace {

void tokoroAt(JcSentence* s, int k) {
  const int p = parentOf(s, k - 1);
  const bool adnominal = isAdnominalPredicate(s, k - 1);
  const bool ta = isVerbTaForm(s, k - 1);
  const bool plain = isPlainBaseOrPastForm(s, k - 1);
  if ((adnominal || ta) && at(s, k + 1, {"で"}) && at(s, k + 2, {"は"})) {
    setSlot(s, p, Slot::kPreposition, wTokoroE1, k);
    eat(s, k, k + 2);
    markZ(s, p);
  } else if (ta && at(s, k + 1, {"で"})) {
    markZ(s, p);
    setSlot(s, maximalProjection(s, k), Slot::kClauseOpener, wTokoroE2, k + 1);
    if (const int h = findClauseHead(s, k)) setSlot(s, h, Slot::kInclusive, wTokoroE3);
    eat(s, k, k + 1);
  } else if (ta && isLiveBaseForm(s, k + 1, "だ")) {
    setSlot(s, p, Slot::kNearAdverbial, wTokoroE4, k);
    eat(s, k, k + 1);
    markZ(s, p);
  } else if (adnominal && isLiveBaseForm(s, k + 1, "だ")) {
    const bool iru = posIs(s, k - 1, "14") && isLiveBaseForm(s, k - 1, "いる");
    setSlot(s, p, Slot::kNearAdverbial, iru ? wTokoroE5 : wTokoroE6, k);
    eat(s, k, k + 1);
    markZ(s, p);
  } else if (plain && isLiveBaseForm(s, k + 1, "だ")) {
    markZ(s, p);
    eat(s, k, k + 1);
  } else if ((adnominal || ta) && at(s, k + 1, {"に"}) && at(s, k + 2, {"よれば"})) {
    setSlot(s, p, Slot::kPreposition, wTokoroE1, k);
    eat(s, k, k + 2);
    markZ(s, p);
    markZ(s, parentOf(s, k + 2));
  } else if ((adnominal || ta) && at(s, k + 1, {"に"}) && at(s, k + 2, {"よる"}) && at(s, k + 3, {"と"})) {
    setSlot(s, p, Slot::kPreposition, wTokoroE1, k);
    eat(s, k, k + 3);
    markZ(s, p);
  } else if (adnominal && isLiveBaseForm(s, k + 1, "の") && isNominal(s, k + 2)) {
    eat(s, k, k + 1);
  } else if (plain && isLiveBaseForm(s, k + 1, "まで") &&
             (atBase(s, k + 2, {"行く", "来る", "くる", "いく"}) || at(s, k + 2, {"行って", "いって"}))) {
    if (at(s, k + 3, {"い"}) && isLiveBaseForm(s, k + 4, "ない")) {
      setSlot(s, p, Slot::kConcession, wTokoroE7);
      eat(s, k + 3, k + 4);
    } else if (isLiveBaseForm(s, k + 3, "ない")) {
      setSlot(s, p, Slot::kConcession, wTokoroE7);
      consumeWord(s, k + 3);
    } else {
      setSlot(s, p, Slot::kConcession, wTokoroE8);
    }
    setSlotSource(s, p, Slot::kConcession, k + 1);
    setOwnRendering(s, k, wTokoroE9);
    eat(s, k + 1, k + 2);
  }
}

}  // namespace

void ruleTokoro(JcSentence* s) {
  for (int start = 1; start <= lastWord(s);) {
    const int k = findLiveSurface(s, start, "ところ");
    if (!k) return;
    start = k + 1;
    tokoroAt(s, k);
  }
}

void ruleDokoroka(JcSentence* s) {
  for (int start = 1; start <= lastWord(s);) {
    const int k = findLiveSurface(s, start, "どころ");
    if (!k) return;
    start = k + 3;
    if (!(isNominal(s, k - 1) || isPlainBaseOrPastForm(s, k - 1)) || !at(s, k + 1, {"か"})) continue;
    setSlot(s, parentOf(s, k - 1), Slot::kConcession, wDokorokaE1, k);
    eat(s, k, k + 1);
  }
}

void ruleToshikaOmoenai(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!isNP(s, i) || !at(s, i + 1, {"と"}) || !at(s, i + 2, {"しか"}) || !at(s, i + 3, {"思え", "思われ"}) ||
        !isLiveBaseForm(s, i + 4, "ない")) {
      continue;
    }
    const int r = rootOf(s, i);
    setSlot(s, r, Slot::kCopula, wToshikaE1, i + 1);
    eat(s, i + 1, i + 4);
    if (isNominal(s, i)) appendSlot(s, r, Slot::kCopula, wToshikaE2);
  }
}

void ruleToSugu(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!isVerbBaseOrPast(s, i) || !at(s, i + 1, {"と"}) || !at(s, i + 2, {"すぐ"})) continue;
    const int m = maximalProjection(s, i);
    setSlot(s, m, Slot::kSequence, wToSuguE1);
    setHeadText(s, m, wToSuguE2);
    eat(s, i + 1, i + 2);
    if (at(s, i + 3, {"に"})) consumeWord(s, i + 3);
  }
}

void ruleToSuru(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!(isNominalWord(s, i) || isBaseOrPastForm(s, i)) || !at(s, i + 1, {"と"}) || !isLiveBaseForm(s, i + 2, "する")) {
      continue;
    }
    if (isConditionalForm(s, i + 2)) {
      eat(s, i + 1, i + 2);
    } else if (at(s, i + 2, {"する"}) && at(s, i + 3, {"と"})) {
      setSlot(s, maximalProjection(s, i), Slot::kConcession, wToSuruE1, i + 1);
      eat(s, i + 1, i + 2);
    } else if (at(s, i + 2, {"して"}) && at(s, i + 3, {"も"})) {
      setSlot(s, rootOf(s, i), Slot::kConcession, wToSuruE2, i + 1);
      eat(s, i + 1, i + 3);
      setSlot(s, finalHeadPhrase(s, i), Slot::kInclusive, wToSuruE3);
    }
  }
}

void ruleTotan(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!isVerbTaForm(s, i) || !at(s, i + 1, {"途端", "とたん"})) continue;
    const int p = parentOf(s, i);
    setSlot(s, p, Slot::kSequence, wTotanE1);
    markZ(s, p);
    consumeWord(s, i + 1);
    setSlot(s, governorOf(s, i + 1), Slot::kSequence, wTotanE2);
    if (at(s, i + 2, {"に"})) consumeWord(s, i + 2);
    if (JcCandidate* c = firstCandidate(s, i)) {
      std::string field = c->extra.str();
      if (field.empty()) field = "0";
      field[0] = '0';
      c->extra = field;
    }
  }
}

void ruleToDouji(JcSentence* s) {
  auto anchor = [s](int i) { return (isVerbBaseOrPast(s, i) || isNominal(s, i)) && at(s, i + 1, {"と"}); };
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!anchor(i) || !at(s, i + 2, {"同時"}) || !at(s, i + 3, {"に"})) continue;
    setHeadText2(s, maximalProjection(s, i), wToDoujiE1);
    eat(s, i + 1, i + 3);
  }
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!anchor(i) || !at(s, i + 2, {"共に", "ともに"})) continue;
    const int m = maximalProjection(s, i);
    if (isVerbBaseOrPast(s, i)) {
      setHeadText2(s, m, wToDoujiE1);
    } else {
      setSlot(s, m, Slot::kPreposition, wToDoujiE2, i + 1);
      setHeadText2(s, m, wToDoujiE3);
    }
    eat(s, i + 1, i + 2);
  }
}

void ruleToNaku(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!isQuantityQuestion(s, i) || !at(s, i + 1, {"と"}) || !at(s, i + 2, {"なく"})) continue;
    setSlot(s, maximalProjection(s, i), Slot::kBeforeHead, wToNakuE1);
    eat(s, i + 1, i + 2);
  }
}

void ruleToNaru(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!isNP(s, i) || !at(s, i + 1, {"と"}) || !isLiveBaseForm(s, i + 2, "なる") ||
        !(conjFormIn(s, i + 2, {"10", "6"}) || at(s, i + 3, {"と"}))) {
      continue;
    }
    setSlot(s, maximalProjection(s, i), Slot::kAfterSubject, wToNaruE1, i + 1);
    eat(s, i + 1, i + 2);
    markZ(s, parentOf(s, i + 2));
    if (at(s, i + 3, {"と"})) consumeWord(s, i + 3);
  }
}

void ruleToNo(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (!at(s, i + 1, {"と"}) || !at(s, i + 2, {"の"})) continue;
    const bool bp = isBaseOrPastForm(s, i);
    if (bp && at(s, i + 3, {"こと", "事"}) && isLiveBaseForm(s, i + 4, "だ")) {
      setSlot(s, rootOf(s, i), Slot::kSeeming, wToNoE1);
      eat(s, i + 1, i + 4);
    } else if ((bp || isVerbVolitional(s, i) || isVerbImperative(s, i)) && isNominalWord(s, i + 3)) {
      setSlot(s, parentOf(s, i + 3), Slot::kConcession, wToNoE2, i + 1);
      eat(s, i + 1, i + 2);
    }
  }
}

namespace {

// P2-P7 of とは: the first that holds acts.
void tohaAt(JcSentence* s, int i) {
  const bool nominal = isNominal(s, i);
  const int m = maximalProjection(s, i), r = rootOf(s, i);
  auto suffix = [&](int h) {
    if (nominal) appendSlot(s, h, Slot::kConcession, wTohaE2);
  };
  const bool toha = at(s, i + 1, {"と"}) && at(s, i + 2, {"は"});
  const bool np = nominal || isBaseOrPastForm(s, i);
  const bool nps = np || isNaAdjectiveStem(s, i);
  if (toha && nps && at(s, i + 3, {"いえ", "言え"})) {
    // Negated, the words go before the predicate with its modifiers, after the subject (高い本が良い本
    // とは言えない: 高的书不能说是好的书).
    const bool negated = isLiveBaseForm(s, i + 4, "ない");
    const int x = negated ? climbAdnominalChain(s, i) : m;
    setSlot(s, x, Slot::kConcession, negated ? wTohaE4 : wTohaE3);
    suffix(x);
    setSlotSource(s, x, Slot::kConcession, i + 1);
    eat(s, i + 1, i + 3);
    if (negated) consumeWord(s, i + 4);
  } else if (toha && np && at(s, i + 3, {"言う", "いう"}) && at(s, i + 4, {"もの"}) && at(s, i + 5, {"の"})) {
    setSlot(s, r, Slot::kConcession, wTohaE3);
    suffix(r);
    setSlotSource(s, r, Slot::kConcession, i + 1);
    eat(s, i + 1, i + 5);
    markZ(s, parentOf(s, i + 3));
  } else if (toha && np && atIu(s, i + 3)) {
    setSlot(s, r, Slot::kConcession, wTohaE3);
    suffix(r);
    setSlotSource(s, r, Slot::kConcession, i + 1);
    eat(s, i + 1, i + 3);
    if (at(s, i + 4, {"も"})) consumeWord(s, i + 4);
  } else if (toha && nps && atBase(s, i + 3, {"限る", "かぎる"}) && isLiveBaseForm(s, i + 4, "ない")) {
    // Before the predicate with its modifiers, after the subject; 是 before a noun: 他未必是学生.
    const int x = climbAdnominalChain(s, i);
    setSlot(s, x, Slot::kModal, wTohaE5, i + 1);
    if (nominal) appendSlot(s, x, Slot::kModal, wTohaE2);
    // A negated predicate keeps its negation after 未必 (来ないとは限らない: 未必不来).
    if (isLiveBaseForm(s, i, "ない") && !nominal) {
      appendSlot(s, x, Slot::kModal, wTohaNot);
      consumeWord(s, i);
    }
    eat(s, i + 1, i + 4);
  } else if (isSurface(s, i, "と") && isSurface(s, i + 1, "は") && isLiveBaseForm(s, i + 2, "思う")) {
    setOwnRendering(s, i + 2, wTohaE6);
    const int a = maximalProjection(s, i), b = maximalProjection(s, i + 2);
    if (a >= 1 && b >= 1 && headPhraseAt(s, a) == b) {
      relinkDependent(s, b, a, "D21");
      setUsageCode(s, a, "TO3");
      consumeWord(s, i + 1);
    }
  } else if (toha && nominal) {
    std::string usage;
    copyUsageCode(s, maximalProjection(s, i + 1), usage);
    if (usage == "TO2" || usage == "TO3" || usage == "TO5") {
      setSlot(s, m, Slot::kNearAdverbial, wTohaE7, i + 1);
      consumeWord(s, i + 1);
    }
  }
}

}  // namespace

void ruleToha(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    if (at(s, i, {"だけ"}) && at(s, i + 1, {"と"}) && at(s, i + 2, {"は"}) && at(s, i + 3, {"いえ", "言え"})) {
      const int m = maximalProjection(s, i);
      setSlot(s, m, Slot::kConcession, wTohaE1);
      if (isNominal(s, i)) appendSlot(s, m, Slot::kConcession, wTohaE2);
      setSlotSource(s, m, Slot::kConcession, i);
      eat(s, i, i + 3);
    }
    tohaAt(s, i);
  }
}

namespace {

void tomoAt(JcSentence* s, int i) {
  const int m = maximalProjection(s, i);
  const bool nw = isNominalWord(s, i), nominal = isNominal(s, i);
  const bool cls = isNaAdjectiveStem(s, i) || isBaseOrPastForm(s, i) || nw;
  const bool to = at(s, i + 1, {"と"});
  if (cls && to && atBase(s, i + 2, {"見える", "みえる"})) {
    setSlot(s, maximalProjection(s, i + 2), Slot::kClauseOpener, wTomoE1, i + 1);
    eat(s, i + 1, i + 2);
  } else if (cls && to && atBase(s, i + 2, {"見る", "みる"}) && isLiveBaseForm(s, i + 3, "られる")) {
    const int h = maximalProjection(s, i + 2);
    setSlot(s, h, Slot::kConcession, wTomoE2, i + 1);
    eat(s, i + 1, i + 3);
    if (nw) appendSlot(s, h, Slot::kConcession, wTomoE3);
  } else if ((nominal || isBaseOrPastForm(s, i) || isAdverb(s, i)) && to && at(s, i + 2, {"も"}) &&
             atBase(s, i + 3, {"言える", "いえる"})) {
    const int r = rootOf(s, i);
    setSlot(s, r, Slot::kClauseOpener, wTomoE4, i + 1);
    eat(s, i + 1, i + 3);
    if (nominal) appendSlot(s, r, Slot::kClauseOpener, wTomoE3);
  } else if ((nominal || isPlainBaseOrPastForm(s, i)) && at(s, i + 1, {"は"}) &&
             at(s, i + 2, {"ともかく", "別", "べつ"})) {
    setSlot(s, maximalProjection(s, i + 2), Slot::kConcession, wTomoE5, i + 1);
    eat(s, i + 1, i + 2);
    if (at(s, i + 3, {"と"}) && at(s, i + 4, {"して"})) eat(s, i + 3, i + 4);
  } else if (isVerbImperative(s, i) && at(s, i + 1, {"ども"}) && isVerbImperative(s, i + 2) && at(s, i + 3, {"ども"})) {
    setHeadText(s, i, wTomoE6);
    consumeWord(s, i + 1);
    consumeWord(s, i + 3);
  } else if (nominal && to && at(s, i + 2, {"も"}) && isNominal(s, i + 3) && isLiveBaseForm(s, i + 4, "ともつかない")) {
    setSlot(s, m, Slot::kCopula, wTomoE7);
    setSlot(s, i + 3, Slot::kCopula, wTomoE8);
    setSlotSource(s, m, Slot::kCopula, i + 4);
    eat(s, i + 1, i + 2);
    consumeWord(s, i + 4);
  } else if ((isParticle(s, i) || isVerbBaseOrPast(s, i)) && to && at(s, i + 2, {"も"}) && at(s, i + 3, {"なく"})) {
    writeThenAppend(s, m, Slot::kCopula, wTomoE9, wTomoE10, i + 1);
    eat(s, i + 1, i + 3);
    markZ(s, parentOf(s, i + 3));
  } else if (cls && to && at(s, i + 2, {"も"}) && isLiveBaseForm(s, i + 3, "なる") &&
             (at(s, i + 4, {"と"}) || conjFormIn(s, i + 3, {"6", "10"}))) {
    setSlot(s, m, Slot::kConcession, wTomoE11, i + 1);
    eat(s, i + 1, i + 3);
    markZ(s, parentOf(s, i + 3));
    if (at(s, i + 4, {"と"})) consumeWord(s, i + 4);
  } else if (cls && at(s, i + 1, {"ともなったら"})) {
    setSlot(s, m, Slot::kConcession, wTomoE11, i + 1);
    consumeWord(s, i + 1);
    markZ(s, parentOf(s, i + 1));
  } else if (at(s, i, {"どんな"})) {
    // どんな N でも / であれ / であろうと, with one word or two before the copula.
    for (int c = i + 2; c <= i + 3; ++c) {
      if (!isNominal(s, c - 1)) continue;
      const bool bare = at(s, c, {"でも", "であれ"});
      if (!bare && !(at(s, c, {"であろう"}) && at(s, c + 1, {"と"}))) continue;
      setSlot(s, m, Slot::kConcession, wTomoE12, c);
      consumeWord(s, c);
      if (at(s, c + 1, {"と"})) consumeWord(s, c + 1);
      return;
    }
  }
}

}  // namespace

void ruleTomo(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) tomoAt(s, i);
}

namespace {

void naiAt(JcSentence* s, int i) {
  const bool v = isVerbIrrealis(s, i) || (isSahenVerb(s, i) && isVerbContinuative(s, i));
  const bool v9 = v || posIs(s, i, "9");
  const int p = parentOf(s, i), m = maximalProjection(s, i);
  auto cannotHelp = [&](int last) {
    writeThenAppend(s, p, Slot::kModal, wNaiE4, wNaiE6, i + 1);
    eat(s, i + 1, last);
  };
  if (v && at(s, i + 1, {"ない"}) && at(s, i + 2, {"うち", "内"}) && at(s, i + 3, {"に"})) {
    writeThenAppend(s, p, Slot::kNegation, "", wNaiE1, i + 1);
    setHeadText(s, p, wNaiE2);
    eat(s, i + 1, i + 3);
  } else if (v && at(s, i + 1, {"ない"}) && at(s, i + 2, {"限り", "かぎり"}) && findNegation(s, i + 1)) {
    const int n = findNegation(s, i + 1);
    setSlot(s, m, Slot::kConcession, wNaiE3, i + 1);
    setSlot(s, p, Slot::kNegation, wNaiE4, i + 1);
    eat(s, i + 1, i + 2);
    ruleArimasen(s, n);
    markZ(s, parentOf(s, i + 1));
  } else if (v && at(s, i + 1, {"ない"}) && at(s, i + 2, {"こと"}) && at(s, i + 3, {"は"}) &&
             isLiveBaseForm(s, i + 4, "ない")) {
    setSlot(s, p, Slot::kNegation, wNaiE5, i + 1);
    eat(s, i + 1, i + 4);
    markZ(s, parentOf(s, i + 1));
  } else if (v && at(s, i + 1, {"ないで"}) && at(s, i + 2, {"はおら"}) && at(s, i + 3, {"れ"}) &&
             isLiveBaseForm(s, i + 4, "ない")) {
    cannotHelp(i + 4);
  } else if (v && at(s, i + 1, {"ないで"}) && at(s, i + 2, {"は"}) && at(s, i + 3, {"いら"}) && at(s, i + 4, {"れ"}) &&
             isLiveBaseForm(s, i + 5, "ない")) {
    cannotHelp(i + 5);
  } else if (v && at(s, i + 1, {"ないで"}) &&
             ((at(s, i + 2, {"い"}) && at(s, i + 3, {"られ"})) || (at(s, i + 2, {"おら"}) && at(s, i + 3, {"れ"}))) &&
             isLiveBaseForm(s, i + 4, "ない")) {
    cannotHelp(i + 4);
  } else if (v && at(s, i + 1, {"ないで"}) && isLiveBaseForm(s, i + 2, "いる")) {
    setSlot(s, p, Slot::kNegation, wNaiE7, i + 1);
    eat(s, i + 1, i + 2);
  } else if (v && at(s, i + 1, {"ないで", "なくて"}) && atBase(s, i + 2, {"済む", "すむ"})) {
    setSlot(s, m, Slot::kCopula, wNaiE15, i + 1);
    eat(s, i + 1, i + 2);
  } else if (v9 && at(s, i + 1, {"ない"}) && at(s, i + 2, {"と"}) && at(s, i + 3, {"も"}) &&
             at(s, i + 4, {"限ら", "かぎら"}) && at(s, i + 5, {"ない"})) {
    setSlot(s, p, Slot::kModal, wNaiE8, i + 1);
    eat(s, i + 1, i + 5);
    if (posIs(s, i, "9")) appendSlot(s, p, Slot::kModal, wNaiE9);
  } else if (v9 && at(s, i + 1, {"ない", "ならない"}) && at(s, i + 2, {"はず"}) && at(s, i + 3, {"は", "が"}) &&
             isLiveBaseForm(s, i + 4, "ない")) {
    writeThenAppend(s, p, Slot::kModal, wNaiE4, wNaiE10, i + 1);
    if (isSurface(s, i + 1, "ならない")) appendSlot(s, p, Slot::kModal, wNaiE11);
    eat(s, i + 1, i + 4);
    markZ(s, parentOf(s, i + 1));
  } else if (v && at(s, i + 1, {"ない"}) && at(s, i + 2, {"まで"}) && at(s, i + 3, {"も"})) {
    setSlot(s, p, Slot::kModal, wNaiE12, i + 1);
    eat(s, i + 1, i + 3);
  } else if (v && at(s, i + 1, {"ない"}) && at(s, i + 2, {"もの"}) && at(s, i + 3, {"は"}) &&
             isLiveBaseForm(s, i + 4, "ない")) {
    setSlot(s, p, Slot::kNegation, wNaiE13, i + 1);
    eat(s, i + 1, i + 4);
    markZ(s, parentOf(s, i + 1));
  } else if (v && at(s, i + 1, {"ない"}) && at(s, i + 2, {"わけ"}) && at(s, i + 3, {"に"}) && at(s, i + 4, {"は"}) &&
             at(s, i + 5, {"いか"}) && isLiveBaseForm(s, i + 6, "ない")) {
    setSlot(s, m, Slot::kAfterSubject, wNaiE14, i + 1);
    eat(s, i + 1, i + 6);
  }
}

}  // namespace

void ruleNai(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) naiAt(s, i);
}

void ruleNakanaka(JcSentence* s) {
  for (int start = 1; start <= lastWord(s);) {
    const int k = findLiveSurface(s, start, "なかなか");
    if (!k) return;
    const int n = findNegation(s, k + 1);
    if (!n) return;
    setOwnRendering(s, k, wNakanakaE1);
    consumeWord(s, n);
    ruleArimasen(s, n);
    start = n + 1;
  }
}

}  // namespace jc
