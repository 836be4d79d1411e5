// The な/に scan: at every word, 53 fixed expressions on な (ながら, なければならない, なくてもいい, なしで,
// ならでは, ならば, なりと) and on に (compound particles and fixed expressions), tried in order; the
// first that holds acts.
#include <string>

#include "engine/jc/rules/jc_pattern_rules_to_scans.h"
#include "engine/jc/rules/jc_pattern_scan_common.h"

namespace jc {

using namespace pattern;

namespace {

#define WORDS(X) \
  X(E1, "ruleNaNiPatterns.e1", 1, 4) \
  X(E2, "ruleNaNiPatterns.e2", 1, 6) \
  X(E3, "ruleNaNiPatterns.e3", 1, 4) \
  X(E4, "ruleNaNiPatterns.e4", 1, 4) \
  X(E5, "ruleNaNiPatterns.e5", 1, 6) \
  X(E6, "ruleNaNiPatterns.e6", 1, 4) \
  X(E7, "ruleNaNiPatterns.e7", 1, 2) \
  X(E8, "ruleNaNiPatterns.e8", 1, 4) \
  X(E9, "ruleNaNiPatterns.e9", 1, 2) \
  X(E10, "ruleNaNiPatterns.e10", 1, 6) \
  X(E11, "ruleNaNiPatterns.e11", 1, 4) \
  X(E12, "ruleNaNiPatterns.e12", 1, 2) \
  X(E13, "ruleNaNiPatterns.e13", 1, 4) \
  X(E14, "ruleNaNiPatterns.e14", 1, 6) \
  X(E15, "ruleNaNiPatterns.e15", 1, 4) \
  X(E16, "ruleNaNiPatterns.e16", 1, 4) \
  X(E17, "ruleNaNiPatterns.e17", 1, 2) \
  X(E18, "ruleNaNiPatterns.e18", 1, 2) \
  X(E19, "ruleNaNiPatterns.e19", 1, 4) \
  X(E20, "ruleNaNiPatterns.e20", 1, 6) \
  X(E21, "ruleNaNiPatterns.e21", 1, 4) \
  X(E22, "ruleNaNiPatterns.e22", 1, 2) \
  X(E23, "ruleNaNiPatterns.e23", 1, 4) \
  X(E24, "ruleNaNiPatterns.e24", 1, 2) \
  X(E25, "ruleNaNiPatterns.e25", 1, 4) \
  X(E26, "ruleNaNiPatterns.e26", 1, 4) \
  X(E27, "ruleNaNiPatterns.e27", 1, 2) \
  X(E28, "ruleNaNiPatterns.e28", 1, 4) \
  X(E29, "ruleNaNiPatterns.e29", 1, 4) \
  X(E30, "ruleNaNiPatterns.e30", 1, 10) \
  X(E31, "ruleNaNiPatterns.e31", 1, 6) \
  X(E32, "ruleNaNiPatterns.e32", 1, 4) \
  X(E33, "ruleNaNiPatterns.e33", 1, 4) \
  X(E34, "ruleNaNiPatterns.e34", 1, 4) \
  X(E35, "ruleNaNiPatterns.e35", 1, 4) \
  X(E36, "ruleNaNiPatterns.e36", 1, 6) \
  X(E37, "ruleNaNiPatterns.e37", 1, 2) \
  X(E38, "ruleNaNiPatterns.e38", 1, 4) \
  X(E39, "ruleNaNiPatterns.e39", 1, 4) \
  X(E40, "ruleNaNiPatterns.e40", 1, 4) \
  X(E41, "ruleNaNiPatterns.e41", 1, 2) \
  X(E42, "ruleNaNiPatterns.e42", 1, 2) \
  X(E43, "ruleNaNiPatterns.e43", 1, 2)

PATTERN_REGISTER(WORDS)

// The word classes of the anchor word.
struct Anchor {
  bool n, a, pb, bp, ns, vi, prt;
  Anchor(const JcSentence* s, int i)
      : n(isNominal(s, i)),
        a(isAdnominalPredicate(s, i)),
        pb(isPlainBaseOrPastForm(s, i)),
        bp(isBaseOrPastForm(s, i)),
        ns(isNaAdjectiveStem(s, i)),
        vi(isVerbIrrealis(s, i) || (isSahenVerb(s, i) && isVerbContinuative(s, i))),
        prt(isParticle(s, i)) {}
};

bool mustNot(const JcSentence* s, int i) { return atBase(s, i, {"いけない", "だめだ", "駄目だ"}); }
bool mustNotOrNaranai(const JcSentence* s, int i) { return atBase(s, i, {"いけない", "ならない", "だめだ", "駄目だ"}); }
bool mayWell(const JcSentence* s, int i) { return atBase(s, i, {"いい", "よい", "良い", "構わない", "かまわない"}); }
bool oyobanai(const JcSentence* s, int i) { return atBase(s, i, {"及ばない", "およばない"}); }
bool oyobimasen(const JcSentence* s, int i) {
  return at(s, i, {"及び", "および"}) && at(s, i + 1, {"ませ"}) && at(s, i + 2, {"ん"});
}

// The patterns on な; true when one acted.
bool naPatterns(JcSentence* s, int i, const Anchor& w) {
  const int m = maximalProjection(s, i), r = rootOf(s, i);
  if (isVerbContinuative(s, i) && !at(s, i, {"あり", "有り"}) && at(s, i + 1, {"ながら"})) {  // P1
    const int p = parentOf(s, i);
    setSlot(s, p, Slot::kConcession, E1, i + 1);
    setSlot(s, headPhraseAt(s, p), Slot::kConcession, E1, i + 1);
    consumeWord(s, i + 1);
    return true;
  }
  if ((w.n || isAdjectiveBaseOrPast(s, i) || w.ns || isVerbContinuative(s, i)) && at(s, i + 1, {"ながら"})) {  // P2
    setSlot(s, m, Slot::kConcession, w.n ? E2 : E3, i + 1);
    const int q = parentOf(s, i + 1);
    const int next = nextSiblingAt(s, q);
    setSlot(s, next ? next : q, Slot::kConcession, E4, i + 1);
    consumeWord(s, i + 1);
    if (at(s, i + 2, {"に"}) || at(s, i + 2, {"も"})) consumeWord(s, i + 2);
    return true;
  }
  if (w.n && isParticle(s, i + 1) && at(s, i + 2, {"なければ"}) && mustNot(s, i + 3)) {  // P3
    setSlot(s, m, Slot::kAfterSubject, E5, i + 1);
    eat(s, i + 1, i + 3);
    markZ(s, parentOf(s, i + 2));
    return true;
  }
  if (w.vi && at(s, i + 1, {"なければ"}) && mustNot(s, i + 2)) {  // P4
    setSlot(s, m, Slot::kAfterSubject, E6, i + 1);
    eat(s, i + 1, i + 2);
    markZ(s, parentOf(s, i + 1));
    return true;
  }
  if (w.n && isParticle(s, i + 1) && at(s, i + 2, {"なくて"}) && at(s, i + 3, {"は"}) && mustNotOrNaranai(s, i + 4)) {
    setSlot(s, m, Slot::kAfterSubject, E5, i + 2);  // P5: the source is the word after the particle
    eat(s, i + 1, i + 4);
    return true;
  }
  if ((w.n || w.vi) && at(s, i + 1, {"なくて"}) && at(s, i + 2, {"は"}) && mustNotOrNaranai(s, i + 3)) {  // P6
    setSlot(s, m, Slot::kAfterSubject, E6, i + 1);
    eat(s, i + 1, i + 3);
    return true;
  }
  if (w.n && isParticle(s, i + 1) && at(s, i + 2, {"なくて"}) && at(s, i + 3, {"も"}) && mayWell(s, i + 4)) {  // P7
    writeThenAppend(s, m, Slot::kModal, E7, E8, i + 1);
    eat(s, i + 1, i + 4);
    return true;
  }
  if ((isIAdjectiveContinuative(s, i) || isNaAdjectiveContinuative(s, i) || w.vi) && at(s, i + 1, {"なくて"}) &&
      at(s, i + 2, {"も"}) && mayWell(s, i + 3)) {  // P8
    writeThenAppend(s, m, Slot::kModal, E7, E9, i + 1);
    eat(s, i + 1, i + 3);
    return true;
  }
  if (w.n && at(s, i + 1, {"なし", "無し"}) && at(s, i + 2, {"で", "に"})) {  // P9
    if (at(s, i, {"も"})) {
      setHeadText(s, maximalProjection(s, i - 1), E10);
      consumeWord(s, i);
    } else {
      setSlot(s, m, Slot::kCopula, E11, i + 1);
    }
    eat(s, i + 1, i + 2);
    setSlot(s, governorOf(s, i + 1), Slot::kSequence, E12);
    return true;
  }
  if (w.n && isLiveBaseForm(s, i + 1, "ならでは")) {  // P10
    setSlot(s, m, Slot::kConcession, E13, i + 1);
    setHeadText(s, m, E14);
    consumeWord(s, i + 1);
    if (at(s, i + 2, {"の"})) consumeWord(s, i + 2);
    return true;
  }
  if ((w.n || w.ns || w.bp) && at(s, i + 1, {"ならば"})) {  // P11
    setSlot(s, m, Slot::kConcession, E15, i + 1);
    consumeWord(s, i + 1);
    setSlot(s, governorOf(s, i + 2), Slot::kSequence, E12);
    markZ(s, parentOf(s, i + 1));
    return true;
  }
  if ((w.n || isAdverb(s, i) || isQuestionWord(s, i)) && at(s, i + 1, {"なり"}) && at(s, i + 2, {"と"})) {  // P12
    setSlot(s, r, Slot::kClauseOpener, E16, i + 1);
    eat(s, i + 1, i + 2);
    if (at(s, i + 3, {"も"})) consumeWord(s, i + 3);
    return true;
  }
  return false;
}

// The patterns on に, first part (P13-P34).
bool niPatterns1(JcSentence* s, int i, const Anchor& w) {
  if (!at(s, i + 1, {"に"})) return false;
  const int m = maximalProjection(s, i), r = rootOf(s, i);
  const int j = i + 2;
  auto dropWa = [&](int k) {
    if (at(s, k, {"は"})) consumeWord(s, k);
  };
  if ((w.n || w.a) && ((atBase(s, j, {"際する", "さいする", "あたる", "当たる"}) && isVerbTeForm(s, j)) ||
                       at(s, j, {"あたり", "当たり"}))) {  // P13, P14
    setSlot(s, m, Slot::kAfterSubject, E17, i + 1);
    setHeadText2(s, m, E18);
    eat(s, i + 1, j);
    dropWa(i + 3);
    return true;
  }
  if (w.n && at(s, j, {"至って"}) && at(s, i + 3, {"は", "も"})) {  // P15
    setSlot(s, m, Slot::kConcession, E19, i + 1);
    eat(s, i + 1, j);
    return true;
  }
  if ((w.n || w.prt || w.a) && atBase(s, j, {"至る", "いたる"})) {  // P16
    if (isLiveBaseForm(s, i + 3, "ない")) {
      setSlot(s, m, Slot::kCopula, E20, i + 1);
      consumeWord(s, i + 3);
    } else {
      setSlot(s, m, Slot::kCopula, E21, i + 1);
    }
    eat(s, i + 1, j);
    return true;
  }
  if (w.n && at(s, j, {"於いて", "おいて"})) {  // P17
    setSlot(s, m, Slot::kPreposition, E17, i + 1);
    setHeadText(s, m, E22);
    eat(s, i + 1, j);
    return true;
  }
  if (w.n && at(s, j, {"応じて", "おうじて"})) {  // P18
    setSlot(s, m, Slot::kPreposition, E23, i + 1);
    eat(s, i + 1, j);
    return true;
  }
  if (w.n && at(s, j, {"於ける", "おける"}) && isNominal(s, i + 3)) {  // P19
    setSlot(s, m, Slot::kPreposition, E17, i + 1);
    setHeadText(s, m, E24);
    eat(s, i + 1, j);
    markZ(s, maximalProjection(s, j));
    return true;
  }
  if (w.n && isLiveBaseForm(s, j, "かかる") && isLiveBaseForm(s, i + 3, "いる")) {  // P20
    setSlot(s, m, Slot::kPreposition, E25, i + 1);
    eat(s, i + 1, i + 3);
    return true;
  }
  if (atBase(s, j, {"拘わる", "かかわる"}) && isLiveBaseForm(s, i + 3, "なく")) {  // P21: any word i
    setSlot(s, m, Slot::kConcession, E26, i + 1);
    eat(s, i + 1, i + 3);
    return true;
  }
  if (w.n && at(s, j, {"限ら", "かぎら"}) && at(s, i + 3, {"ず"})) {  // P22
    writeThenAppend(s, m, Slot::kConcession, E7, E27, i + 1);
    eat(s, i + 1, i + 3);
    return true;
  }
  if (w.n && at(s, j, {"関して"})) {  // P23
    setSlot(s, m, Slot::kPreposition, E28, i + 1);
    eat(s, i + 1, j);
    dropWa(i + 3);
    return true;
  }
  if (w.n && isLiveBaseForm(s, j, "関する")) {  // P24
    setSlot(s, m, Slot::kPreposition, E28, i + 1);
    eat(s, i + 1, j);
    return true;
  }
  if ((w.n || w.ns || w.pb) && atBase(s, j, {"決まる", "きまる"}) && isLiveBaseForm(s, i + 3, "いる")) {  // P25
    setSlot(s, m, Slot::kSequence, E29);
    eat(s, i + 1, i + 3);
    return true;
  }
  if (w.n && atBase(s, j, {"加える", "くわえる"}) && (isVerbTeForm(s, j) || isContinuativeForm(s, j))) {  // P26
    setOwnRendering(s, j, E30);
    consumeWord(s, i + 1);
    return true;
  }
  if ((w.n || w.pb) && at(s, j, {"越した", "こした"}) && at(s, i + 3, {"こと"}) && at(s, i + 4, {"は", "が"}) &&
      isLiveBaseForm(s, i + 5, "ない")) {  // P27
    setSlot(s, m, Slot::kSequence, E31);
    eat(s, i + 1, i + 5);
    markZ(s, parentOf(s, i));
    markZ(s, parentOf(s, j));
    return true;
  }
  if ((w.n || w.a) && at(s, j, {"もとづき", "もとづいて", "基づき", "基づいて"})) {  // P28
    setSlot(s, m, Slot::kPreposition, E23, i + 1);
    eat(s, i + 1, j);
    return true;
  }
  if ((w.n || w.a) && at(s, j, {"伴って", "伴い", "伴なって", "伴ない", "ともなって", "ともない"})) {  // P29
    setSlot(s, m, Slot::kConcession, E32, i + 1);
    eat(s, i + 1, j);
    return true;
  }
  if ((w.n || isVerbTaForm(s, i)) && at(s, j, {"して"}) && at(s, i + 3, {"は"})) {  // P30
    setSlot(s, m, Slot::kClauseOpener, E33, i + 1);
    setHeadText2(s, m, E34);
    eat(s, i + 1, j);
    return true;
  }
  if ((w.n || w.ns || w.pb) && at(s, j, {"して"}) && at(s, i + 3, {"も"})) {  // P31
    setSlot(s, r, Slot::kConcession, E35, i + 1);
    eat(s, i + 1, i + 3);
    return true;
  }
  if ((w.n || w.ns || w.pb) && at(s, j, {"せよ", "しろ"})) {  // P32
    setSlot(s, r, Slot::kConcession, E35, i + 1);
    eat(s, i + 1, j);
    return true;
  }
  const bool np = w.n || w.pb;
  const bool noDoubt = np && atBase(s, j, {"相違ない", "違いない", "ちがいない"});  // P33
  const bool noDoubtPolite = np && at(s, j, {"相違", "違い", "ちがい"}) && at(s, i + 3, {"あり", "有り"}) &&
                             at(s, i + 4, {"ませ"}) && at(s, i + 5, {"ん"});  // P34
  if (noDoubt || noDoubtPolite) {
    setSlot(s, m, Slot::kClauseOpener, w.n ? E36 : E29, i + 1);
    markZ(s, m);
    eat(s, i + 1, noDoubt ? j : i + 5);
    return true;
  }
  return false;
}

// The patterns on に, second part (P35-P53).
bool niPatterns2(JcSentence* s, int i, const Anchor& w) {
  const int m = maximalProjection(s, i);
  const bool ni = at(s, i + 1, {"に"});
  const int j = i + 2;
  if (w.n && ni && at(s, j, {"対して", "対し"})) {  // P35
    setSlot(s, m, Slot::kPreposition, E37, i + 1);
    eat(s, i + 1, j);
    if (at(s, i + 3, {"は"})) consumeWord(s, i + 3);
    return true;
  }
  if (w.n && ni && at(s, j, {"対する"}) && isNominalOrAdnominal(s, i + 3)) {  // P36
    const int f = settledFirstSibling(s, parentOf(s, j));
    setSlot(s, f, Slot::kPreposition, E37, i + 1);
    eat(s, i + 1, j);
    return true;
  }
  if (w.n && ni && at(s, j, {"ついて"})) {  // P37
    setSlot(s, m, Slot::kPreposition, E38, i + 1);
    eat(s, i + 1, j);
    return true;
  }
  if (w.n && at(s, i + 1, {"について"})) {  // P38
    setSlot(s, m, Slot::kPreposition, E38, i + 1);
    consumeWord(s, i + 1);
    if (at(s, j, {"は"})) consumeWord(s, j);
    return true;
  }
  if (w.n && ni && at(s, j, {"つき"})) {  // P39
    setSlot(s, m, Slot::kConcession, E38, i + 1);
    eat(s, i + 1, j);
    return true;
  }
  if ((w.n || w.pb) && at(s, i + 1, {"につけ"}) && (isNominal(s, j) || isPlainBaseOrPastForm(s, j)) &&
      at(s, i + 3, {"に"}) && at(s, i + 4, {"つけ"})) {  // P40
    const std::string each = std::string(E39.text()) + ",";  // the rendering, then an ASCII comma
    setHeadText2(s, m, each);
    setHeadText2(s, parentOf(s, j), each);
    consumeWord(s, i + 1);
    eat(s, i + 3, i + 4);
    return true;
  }
  if (!ni) return false;
  if ((w.n || w.a) && at(s, j, {"つれて", "つれ"})) {  // P41
    setSlot(s, m, Slot::kClauseOpener, E32, i + 1);
    eat(s, i + 1, j);
    return true;
  }
  if (w.n && at(s, j, {"とって"})) {  // P42
    setSlot(s, m, Slot::kPreposition, E37, i + 1);
    setHeadText(s, m, E34);
    eat(s, i + 1, j);
    if (at(s, i + 3, {"は"})) consumeWord(s, i + 3);
    return true;
  }
  if ((w.n || w.prt || w.pb) && at(s, j, {"止まら", "とどまら"}) &&
      (at(s, i + 3, {"ず"}) || isLiveBaseForm(s, i + 3, "ない"))) {  // P43
    writeThenAppend(s, m, Slot::kConcession, E7, E27, i + 1);
    // Nothing after the expression counts as a leaf: the phrase nodes follow the last word.
    const int after = i + 4;
    if (after > s->lastMorpheme || (!isSurface(s, after, "。") && isTargetLeaf(s, after))) {
      setHeadText2(s, m, "," + std::string(E40.text()));  // an ASCII comma, then the rendering
    }
    eat(s, i + 1, i + 3);
    return true;
  }
  // P44-P51: に(は)及ばない / に(は)及びません, after a nominal or an adnominal predicate.
  for (const bool wa : {false, true}) {
    const int v = wa ? i + 3 : j;
    if (wa && !at(s, j, {"は"})) continue;
    const bool plainForm = oyobanai(s, v);
    const bool politeForm = !plainForm && oyobimasen(s, v);
    if (!plainForm && !politeForm) continue;
    const int last = plainForm ? v : v + 2;
    if (w.n) {
      writeThenAppend(s, m, Slot::kConcession, E7, E41, i + 1);
    } else if (w.a) {
      writeThenAppend(s, m, Slot::kModal, E7, E9, i + 1);
    } else {
      continue;
    }
    eat(s, i + 1, last);
    return true;
  }
  if (w.pb && at(s, j, {"は"}) && isPredicateWord(s, i + 3) &&
      s->nodes[i + 3].baseForm.view() == s->nodes[i].baseForm.view()) {  // P52
    setHeadText2(s, maximalProjection(s, j), E42);
    eat(s, i + 1, j);
    return true;
  }
  if (w.a && at(s, j, {"は"})) {  // P53
    setSlot(s, m, Slot::kModal, E43, i + 1);
    eat(s, i + 1, j);
    return true;
  }
  return false;
}

}  // namespace

void ruleNaNiPatterns(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    const Anchor w(s, i);
    if (naPatterns(s, i, w) || niPatterns1(s, i, w)) continue;
    niPatterns2(s, i, w);
  }
}

}  // namespace jc
