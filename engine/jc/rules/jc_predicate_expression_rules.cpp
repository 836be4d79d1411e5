#include "engine/jc/rules/jc_predicate_expression_rules.h"

#include <string>
#include <string_view>

#include "engine/jc/core/jc_links.h"
#include "engine/jc/core/jc_parse_reader.h"
#include "engine/jc/core/jc_predicates.h"
#include "engine/jc/rules/jc_case_relation_rules.h"
#include "engine/jc/rules/jc_rule_kit.h"

namespace jc {

namespace {

using namespace predicate_expression_keys;

const RenderingKeySpec kKeys[] = {
    {kToSuru, 1, 4, 4},         {kToSuruPassive, 1, 6, 6},   {kCan, 1, 2, 2},           {kCannotNot, 1, 2, 2},
    {kCannotCan, 1, 2, 2},      {kYotei, 1, 2, 2},           {kMitooshi, 1, 4, 4},      {kMikomi, 1, 4, 4},
    {kCopulaTo, 1, 2, 2},       {kCopulaToOpen, 1, 4, 4},    {kCopulaKaTo, 1, 2, 2},    {kCopulaKaToOpen, 1, 4, 4},
    {kCopula, 1, 2, 2},         {kCopulaOpen, 1, 4, 4},      {kCopulaAdverb, 1, 2, 2},  {kNotNominal, 1, 2, 2},
    {kNotNominalCopula, 1, 2, 2}, {kNotAdjective, 1, 2, 2},  {kNotWithout, 1, 4, 4},    {kNotDe, 1, 2, 2},
    {kNotDeCopula, 1, 2, 2},    {kNotWa, 1, 2, 2},           {kNotWaDone, 1, 2, 2},     {kNotConnective, 1, 2, 2},
    {kMustNakute, 1, 4, 4},     {kMustNakya, 1, 4, 4},       {kZutsu, 1, 2, 2},         {kToIuKoto, 1, 8, 8},
    {kToIuHanashi, 1, 4, 4},    {kToIuQuote, 1, 2, 2},       {kToIuNamed, 1, 6, 6},     {kToNo, 1, 2, 2},
    {kMadeNo, 1, 2, 2},         {kMadeNoHead, 1, 6, 6},      {kKaraNoTime, 1, 2, 2},    {kKaraNoTimeHead, 1, 6, 6},
    {kKaraNo, 1, 4, 4},         {kKaraNoHead, 1, 2, 2},      {kDeNo, 1, 2, 2},          {kDeNoHead, 1, 2, 2},
    {kHeNo, 1, 2, 2},           {kHeNoHead, 1, 2, 2},        {kArimasen, 1, 2, 2},      {kNiRepeat, 1, 4, 4},
    {kHitsuyou, 1, 4, 4},       {kNumeralPrefix, 1, 2, 2},   {kChuCounter, 1, 2, 2},    {kChuAllDay, 1, 4, 4},
    {kJi, 1, 2, 2},             {kNumeralNo, 1, 2, 2},       {kTai, 1, 2, 2},           {kBunNo, 1, 4, 4},
    {kNinNo, 1, 2, 2},          {kHitori, 1, 4, 4},          {kFutari, 1, 4, 4},        {kBetsuni, 1, 4, 4},
    {kSewa, 1, 4, 4},           {kKi, 1, 2, 2},              {kNode, 1, 4, 4},          {kIchijikan, 1, 8, 8},
    {kPer, 1, 2, 2},            {kHaka, 1, 4, 4},            {kTakusan, 1, 4, 4},       {kNanika, 1, 4, 4},
    {kSameTopic, 1, 2, 2},      {kMaeDe, 1, 4, 4},           {kMaeNo, 1, 4, 4},         {kToshi, 1, 4, 4},
    {kUchiKin, 1, 2, 2},        {kUchiPerson, 1, 4, 4},      {kBen, 1, 4, 4},           {kOgori, 1, 4, 4},
    {kCanPast, 1, 2, 2},        {kOrdinal, 1, 2, 2},
};
const RenderingKeyRegistrar registrar(kKeys, static_cast<int>(sizeof kKeys / sizeof kKeys[0]));

const RuleWord wToSuru(kToSuru), wToSuruPassive(kToSuruPassive), wCan(kCan), wCanPast(kCanPast), wOrdinal(kOrdinal), wCannotNot(kCannotNot),
    wCannotCan(kCannotCan), wYotei(kYotei), wMitooshi(kMitooshi), wMikomi(kMikomi), wCopulaTo(kCopulaTo),
    wCopulaToOpen(kCopulaToOpen), wCopulaKaTo(kCopulaKaTo), wCopulaKaToOpen(kCopulaKaToOpen), wCopula(kCopula),
    wCopulaOpen(kCopulaOpen), wCopulaAdverb(kCopulaAdverb), wNotNominal(kNotNominal),
    wNotNominalCopula(kNotNominalCopula), wNotAdjective(kNotAdjective), wNotWithout(kNotWithout), wNotDe(kNotDe),
    wNotDeCopula(kNotDeCopula), wNotWa(kNotWa), wNotWaDone(kNotWaDone), wNotConnective(kNotConnective),
    wMustNakute(kMustNakute), wMustNakya(kMustNakya), wZutsu(kZutsu), wToIuKoto(kToIuKoto),
    wToIuHanashi(kToIuHanashi), wToIuQuote(kToIuQuote), wToIuNamed(kToIuNamed), wToNo(kToNo), wMadeNo(kMadeNo),
    wMadeNoHead(kMadeNoHead), wKaraNoTime(kKaraNoTime), wKaraNoTimeHead(kKaraNoTimeHead), wKaraNo(kKaraNo),
    wKaraNoHead(kKaraNoHead), wDeNo(kDeNo), wDeNoHead(kDeNoHead), wHeNo(kHeNo), wHeNoHead(kHeNoHead),
    wArimasen(kArimasen), wNiRepeat(kNiRepeat), wHitsuyou(kHitsuyou), wNumeralPrefix(kNumeralPrefix),
    wChuCounter(kChuCounter), wChuAllDay(kChuAllDay), wJi(kJi), wNumeralNo(kNumeralNo), wTai(kTai), wBunNo(kBunNo),
    wNinNo(kNinNo), wHitori(kHitori), wFutari(kFutari), wBetsuni(kBetsuni), wSewa(kSewa), wKi(kKi), wNode(kNode),
    wIchijikan(kIchijikan), wPer(kPer), wHaka(kHaka), wTakusan(kTakusan), wNanika(kNanika), wSameTopic(kSameTopic),
    wMaeDe(kMaeDe), wMaeNo(kMaeNo), wToshi(kToshi), wUchiKin(kUchiKin), wUchiPerson(kUchiPerson), wBen(kBen),
    wOgori(kOgori);

int lastWord(const JcSentence* s) { return s->lastMorpheme < kJcMaxNodes ? s->lastMorpheme : kJcMaxNodes - 1; }

std::string_view baseOf(const JcSentence* s, int i) { return inNodeRange(s, i) ? s->nodes[i].baseForm.view() : ""; }
std::string_view semOf(const JcSentence* s, int i) { return inNodeRange(s, i) ? s->nodes[i].semCodes.view() : ""; }

void setHeadText(JcSentence* s, int i, std::string_view text) {
  if (JcTargetNode* t = ruleTarget(s, i)) t->headText = text;
}
void appendHeadText(JcSentence* s, int i, std::string_view text) {
  if (JcTargetNode* t = ruleTarget(s, i)) t->headText.append(text);
}
void appendText4(JcSentence* s, int i, std::string_view text) {
  if (JcTargetNode* t = ruleTarget(s, i)) t->text4.append(text);
}
// The slot writer, then a second word after it; the slot's source is `source`.
void writeTwoWords(JcSentence* s, int i, Slot slot, std::string_view first, std::string_view second, int source) {
  writeTargetSlot(s, i, slot, first);
  if (!second.empty()) appendSlot(s, i, slot, second);
  setSlotSource(s, i, slot, source);
}

bool isLiveCopulaWord(const JcSentence* s, int i) {
  return isLiveBaseForm(s, i, "だ") || isLiveBaseForm(s, i, "で");
}
bool isLiveFormalNoun(const JcSentence* s, int i) {
  return isLiveSurface(s, i, "もの") || isLiveSurface(s, i, "こと") || isLiveSurface(s, i, "の");
}
// A symbol other than the comma, or past the words.
bool endsClause(const JcSentence* s, int i) {
  return !isMorpheme(s, i) || (isSymbol(s, i) && !isSurface(s, i, "、"));
}

// Sibling links of one side (source nodes or targets): p leaves its chain and is linked in just
// before m, under m's parent; the parents' first and last children and the top chain follow.
template <typename Node>
void moveBefore(Node* nodes, int p, int m, int& firstTop, int& lastTop) {
  Node& P = nodes[p];
  Node& M = nodes[m];
  if (P.prevSibling > 0) nodes[P.prevSibling].nextSibling = P.nextSibling;
  else if (P.parent > 0) nodes[P.parent].firstChild = P.nextSibling;
  else if (firstTop == p) firstTop = P.nextSibling;
  if (P.nextSibling > 0) nodes[P.nextSibling].prevSibling = P.prevSibling;
  else if (P.parent > 0) nodes[P.parent].lastChild = P.prevSibling;
  else if (lastTop == p) lastTop = P.prevSibling;

  P.parent = M.parent;
  P.prevSibling = M.prevSibling;
  P.nextSibling = m;
  if (M.prevSibling > 0) nodes[M.prevSibling].nextSibling = p;
  else if (M.parent > 0) nodes[M.parent].firstChild = p;
  else if (firstTop == m) firstTop = p;
  M.prevSibling = p;
}

// The と phrase p of a coordination goes in front of m and hangs on it under "D21".
void moveQuotedPhrase(JcSentence* s, int p, int m) {
  JcNode& P = s->nodes[p];
  const int oldHead = P.headPhrase;
  moveBefore(s->nodes, p, m, s->firstTop, s->lastTop);
  moveBefore(s->targets, p, m, s->firstTopTarget, s->lastTopTarget);
  P.headPhrase = m;
  P.labelHeads[labelHeadIndex("D21")] = m;
  int flag = 0;
  if (removeDependencyLink(s, oldHead, p, "D21", &flag)) addDependencyLink(s, m, p, "D21", flag);
  reattachToPhrase(s, p, 1);
}

}  // namespace

void applyPredicateExpressionRules(JcSentence* s) {
  predicate_expressions::ruleToSuru(s);
  ruleDekiru(s);
  ruleYotei(s);
  ruleShuppatsu(s);
  ruleCopulaNegation(s);
  ruleZutsu(s);
  predicate_expressions::ruleToIu(s);
  ruleFixedExpressions(s);
  ruleQuotePostposition(s);
  ruleArimasenPlace(s);
  ruleNiPredicate(s);
  ruleHitsuyou(s);
}

namespace predicate_expressions {

void ruleToSuru(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    const int v = findLiveBaseForm(s, i, "する");
    if (v == 0 || v > lastWord(s)) return;
    if (isLiveSurface(s, v - 1, "と")) {
      const int h = maximalProjection(s, v - 1);
      setSlot(s, h, Slot::kClauseOpener, wToSuru, v);
      consumeWord(s, v);
      consumeWord(s, v - 1);
      if (isLiveBaseForm(s, v + 1, "れる")) setSlot(s, h, Slot::kClauseOpener, wToSuruPassive, v);
    }
    i = v + 1;
  }
}

}  // namespace predicate_expressions

void ruleDekiru(JcSentence* s) {
  for (int i = 1; i <= lastWord(s);) {
    int d = findLiveBaseForm(s, i, "できる");
    if (d == 0) d = findLiveBaseForm(s, i, "出来る");
    if (d == 0 || d > lastWord(s)) return;
    const int p = d - 1;
    if (isSahenNoun(s, p) || (isSurface(s, d - 2, "お") && isVerbContinuative(s, p))) {
      const int g = parentOf(s, p);
      if (isLiveBaseForm(s, d + 1, "ない")) {
        consumeWord(s, d);
        consumeWord(s, d + 1);
        writeTwoWords(s, g, Slot::kModal, wCannotNot, wCannotCan, d);
      } else {
        setSlot(s, g, Slot::kModal, wCan, d);
        // 勉強できた: the past goes with できる out of the sentence.
        if (isVerbTaForm(s, d) || isLiveSurface(s, d + 1, "ました") || isLiveBaseForm(s, d + 1, "た"))
          if (JcTargetNode* t = ruleTarget(s, g)) t->text3 = wCanPast.text();
        consumeWord(s, d);
      }
    } else if (isSurface(s, p, "が") && isLiveBaseForm(s, d + 1, "ない")) {
      // が + できない: the が phrase hangs on the できる phrase.
      const int m = maximalProjection(s, p), q = parentOf(s, d);
      if (inNodeRange(s, m) && q > 0 && m != q && headPhraseOf(s, m) != q && s->nodes[m].depLabel == "D20") {
        JcNode& M = s->nodes[m];
        int flag = 0;
        removeDependencyLink(s, M.headPhrase, m, "D20", &flag);
        M.labelHeads[labelHeadIndex("D20")] = q;
        addDependencyLink(s, q, m, "D20", flag);
        if (s->targets[m].mark == "K") s->targets[m].mark = "*";
      }
    }
    i = d + 1;
  }
}

void ruleYotei(JcSentence* s) {
  const int n = lastWord(s);
  for (int k = 1; k <= n; ++k) {
    if (!isLiveSurface(s, k, "予定") || !isAdnominalPredicate(s, k - 1) || !isLiveCopulaWord(s, k + 1)) continue;
    const int c = parentOf(s, k - 1);
    setSlot(s, c, Slot::kAspect, wYotei, k - 1);
    consumeWord(s, k);
    consumeWord(s, k + 1);
    setKind(s, c, 'z');
    setKind(s, maximalProjection(s, k - 1), 'z');
  }
  auto outlook = [&](int k, const RuleWord& word) {
    setSlot(s, maximalProjection(s, k), Slot::kCopula, word, k);
    consumeWord(s, k);
    if (isLiveCopulaWord(s, k + 1)) consumeWord(s, k + 1);
    setKind(s, parentOf(s, k - 1), 'z');
    setKind(s, maximalProjection(s, k - 1), 'z');
  };
  for (int k = 1; k <= n; ++k) {
    if (isLiveSurface(s, k, "見通し") && isAdnominalPredicate(s, k - 1)) outlook(k, wMitooshi);
  }
  for (int k = 1; k <= n; ++k) {
    if ((isLiveBaseForm(s, k, "見込み") || isLiveBaseForm(s, k, "見こみ")) && isAdnominalPredicate(s, k - 1)) {
      outlook(k, wMikomi);
    }
  }
}

void ruleShuppatsu(JcSentence* s) {
  for (int k = 1; k <= lastWord(s); ++k) {
    if (isLiveSurface(s, k, "出発") && !isSurface(s, k - 1, "の") && isLiveBaseForm(s, k + 1, "だ")) {
      consumeWord(s, k + 1);
    }
  }
}

void ruleCopulaNegation(JcSentence* s) {
  int open = 0;  // the phrase of an earlier ではなく, which takes the copula of its counterpart
  // kCopula of x, or the open phrase's text4 when x is its head; with keepSource, kCopula of x
  // names w as its source either way.
  auto copulaWord = [&](int x, int w, std::string_view two, std::string_view four, bool keepSource) {
    if (open > 0 && headPhraseOf(s, open) == x) {
      appendText4(s, open, four);
      if (keepSource) setSlotSource(s, x, Slot::kCopula, w);
    } else {
      setSlot(s, x, Slot::kCopula, two, w);
    }
  };
  for (int w = 1; w <= lastWord(s); ++w) {
    const int v = w - 1;
    if (isLiveBaseForm(s, w, "だ")) {
      if (isSurface(s, w + 1, "は") && (isBaseForm(s, w + 2, "ない") || isBaseForm(s, w + 2, "ある"))) continue;
      const int m = maximalProjection(s, w);
      if (isLiveSurface(s, w + 1, "と")) {
        copulaWord(m, w, wCopulaTo, wCopulaToOpen, true);
        consumeWord(s, w);
        consumeWord(s, w + 1);
      } else if (isLiveSurface(s, w + 1, "か") && isLiveSurface(s, w + 2, "と")) {
        if (!isLiveSurface(s, v, "いかが")) copulaWord(m, w, wCopulaKaTo, wCopulaKaToOpen, true);
        consumeWord(s, w);
        consumeWord(s, w + 1);
        consumeWord(s, w + 2);
      } else if (isSurface(s, v, "まま") &&
                 (findRelationDependent(s, rootOf(s, v), "SUB") || findDependencyDependent(s, rootOf(s, v), "D11") ||
                  findDependencyDependent(s, rootOf(s, v), "D1"))) {
        consumeWord(s, w);
        setKind(s, v, 'z');
      } else if (isIAdjective(s, v)) {
        setKind(s, v, 'z');
        consumeWord(s, w);
      } else if (isLiveSurface(s, v, "いかが")) {
        consumeWord(s, w);
      } else if (isNominalWord(s, v) ||
                 (isSymbol(s, v) && inNodeRange(s, v) && s->nodes[v].parent == s->nodes[w].parent)) {
        int x = maximalProjection(s, v);
        if (isLiveFormalNoun(s, v) && isVerb(s, w - 2)) {
          consumeWord(s, v);
          setKind(s, parentOf(s, w - 2), 'z');
          x = parentOf(s, w - 2);
        }
        copulaWord(x, w, wCopula, wCopulaOpen, false);
        consumeWord(s, w);
      } else {
        if (isAdverb(s, v) && isLive(s, v)) setSlot(s, parentOf(s, w), Slot::kCopula, wCopulaAdverb, w);
        consumeWord(s, w);
      }
      continue;
    }
    if (!isLiveBaseForm(s, w, "ない")) continue;
    if (isLiveSurface(s, w + 1, "と")) {
      consumeWord(s, w + 1);
    } else if (isLiveSurface(s, w + 1, "か") && isLiveSurface(s, w + 2, "と")) {
      consumeWord(s, w + 1);
      consumeWord(s, w + 2);
    }
    const bool deWa = isLiveSurface(s, w - 2, "で") && isLiveSurface(s, w - 1, "は");
    const bool adjectiveBefore = isIAdjective(s, w - 3) || isNaAdjective(s, w - 3);
    if (deWa && !adjectiveBefore) {
      // ではない after a nominal: not being.
      if (isSurface(s, w, "なく")) open = maximalProjection(s, w);
      if (isLiveFormalNoun(s, w - 3) && isVerb(s, w - 4) && !isVerbTaForm(s, w - 4)) {
        consumeWord(s, w - 3);
        setKind(s, parentOf(s, w - 4), 'z');
      }
      writeTwoWords(s, maximalProjection(s, w - 2), Slot::kNegation, wNotNominal, wNotNominalCopula, w);
      consumeWord(s, w - 2);
      consumeWord(s, w - 1);
      consumeWord(s, w);
    } else if (deWa) {
      const int c = parentOf(s, w - 2);
      if (!isSurface(s, w - 3, "ない")) {
        writeTwoWords(s, c, Slot::kNegation, wNotAdjective, "", w);
      } else {
        setSlot(s, c, Slot::kConcession, wNotWithout, w);
      }
      consumeWord(s, w - 2);
      consumeWord(s, w - 1);
      consumeWord(s, w);
    } else if (isLiveSurface(s, w - 1, "で")) {
      writeTwoWords(s, parentOf(s, w - 2), Slot::kNegation, wNotDe, isIAdjective(s, w - 2) ? "" : std::string_view(wNotDeCopula), w);
      consumeWord(s, w - 1);
      consumeWord(s, w);
    } else if (isAdjectiveConnective(s, w - 2) && isLiveSurface(s, w - 1, "は")) {
      const int c = parentOf(s, w - 2);
      const JcTargetNode* t = ruleTarget(s, w);
      if (!(t && targetSlot(*t, Slot::kOwnRendering) == wNotWaDone.text())) writeTargetSlot(s, c, Slot::kNegation, wNotWa);
      setSlotSource(s, c, Slot::kNegation, w);
      consumeWord(s, w);
      consumeWord(s, w - 1);
    } else if (isAdjectiveConnective(s, w - 1)) {
      writeTwoWords(s, parentOf(s, w - 1), Slot::kNegation, wNotConnective, "", w);
      consumeWord(s, w);
    } else if (isSurface(s, w, "なくて") && isSurface(s, w + 1, "は") && endsClause(s, w + 2)) {
      setSlot(s, parentOf(s, w - 1), Slot::kAfterSubject, wMustNakute, w);
      consumeWord(s, w);
    } else if ((isSurface(s, w, "なくちゃ") || isSurface(s, w, "なきゃ")) && endsClause(s, w + 1)) {
      setSlot(s, parentOf(s, w - 1), Slot::kAfterSubject, wMustNakya, w);
      consumeWord(s, w);
    }
  }
}

void ruleZutsu(JcSentence* s) {
  for (int k = 1; k <= lastWord(s); ++k) {
    if (!isLiveBaseForm(s, k, "ずつ")) continue;
    setSlot(s, parentOf(s, k), Slot::kDistributive, wZutsu);
    consumeWord(s, k);
  }
}

namespace predicate_expressions {

void ruleToIu(JcSentence* s) {
  for (int k = 1; k <= lastWord(s); ++k) {
    if (!isLiveBaseForm(s, k, "いう") && !isLiveBaseForm(s, k, "言う")) continue;
    const int p = parentOf(s, k);
    if (isLiveSurface(s, k - 1, "と") && (isSurface(s, k + 1, "こと") || isSurface(s, k + 1, "もの"))) {
      // ということは at the start of a sentence: that is to say.
      if ((k == 2 || isSurface(s, k - 2, "。")) && isSurface(s, k + 2, "は")) {
        setOwnRendering(s, k, wToIuKoto);
        consumeWord(s, k + 2);
      } else {
        consumeWord(s, k);
      }
      consumeWord(s, k - 1);
      consumeWord(s, k + 1);
      setKind(s, p, 'z');
    } else if (isLiveSurface(s, k - 1, "と") && isLiveSurface(s, k + 1, "話")) {
      setOwnRendering(s, k, wToIuHanashi);
      consumeWord(s, k + 1);
      setKind(s, p, 'z');
    } else if (isSurface(s, k - 2, "」") && isSurface(s, k - 1, "と") && isNominalWord(s, k + 1)) {
      appendText4(s, maximalProjection(s, k - 2), wToIuQuote);
      consumeWord(s, k);
      consumeWord(s, k - 1);
      setKind(s, p, 'z');
    } else if (isSurface(s, k - 1, "と") && ruleTarget(s, p) && s->targets[p].kind == 't') {
      setSlot(s, rootOf(s, k - 1), Slot::kBeforeHead, wToIuNamed, k);
      consumeWord(s, k);
    }
  }
}

}  // namespace predicate_expressions

namespace {

// The rows of the fixed-expression table on word w; true when a row matched, which ends the
// work on w whether or not it acted.
bool fixedExpressionRow(JcSentence* s, int w) {
  auto kindsAround = [&](int i) {
    setKind(s, parentOf(s, i), 'z');
    setKind(s, maximalProjection(s, i), 'z');
  };
  auto slot17Empty = [&](int i) {
    const JcTargetNode* t = ruleTarget(s, i);
    return t && targetSlot(*t, Slot::kOwnRendering).empty();
  };
  auto posIs6 = [&](int i) { return inNodeRange(s, i) && s->nodes[i].pos == "6"; };

  if (isLiveSurface(s, w, "時") && isNumeral(s, w - 1)) {
    setOwnRendering(s, w, wJi);
    return true;
  }
  if (isNumeral(s, w) && isLiveSurface(s, w + 1, "の")) {
    const int m = maximalProjection(s, w);
    if (isNumeral(s, w + 2)) {
      setHeadText(s, m, wNumeralNo);
    } else if (!(inNodeRange(s, m) && hasNounFeature(s, s->nodes[m].nextSibling))) {
      return true;
    }
    consumeWord(s, w + 1);
    setKind(s, m, 'z');
    return true;
  }
  if (isNumeral(s, w) && isLiveSurface(s, w + 1, "対") && isNumeral(s, w + 2)) {
    setOwnRendering(s, w + 1, wTai);
    return true;
  }
  if (isNumeral(s, w) && isLiveSurface(s, w + 1, "分") && isLiveSurface(s, w + 2, "の") && isNumeral(s, w + 3)) {
    setOwnRendering(s, w + 1, wBunNo);
    consumeWord(s, w + 2);
    return true;
  }
  const struct {
    bool match;
    const RuleWord* word;
  } persons[] = {
      {isCounterSuffix(s, w) && isLiveSurface(s, w, "人") && isLiveSurface(s, w + 1, "の"), &wNinNo},
      {isLiveSurface(s, w, "ひとり") && isSurface(s, w + 1, "の"), &wHitori},
      {isLiveSurface(s, w, "ふたり") && isSurface(s, w + 1, "の"), &wFutari},
  };
  for (const auto& row : persons) {
    if (!row.match || !hasPersonCode(s, w + 2)) continue;
    setOwnRendering(s, w, *row.word);
    consumeWord(s, w + 1);
    kindsAround(w + 1);
    return true;
  }
  if (isNounHead(s, w) && isLiveSurface(s, w + 1, "別に")) {
    setSlot(s, maximalProjection(s, w), Slot::kCopula, wBetsuni, w + 1);
    consumeWord(s, w + 1);
    return true;
  }
  if (isSurface(s, w, "どうぞ")) {
    if (findSurfaceForward2(s, w + 1, "ください", "下さい")) consumeWord(s, w);
    return true;
  }
  const struct {
    const char* noun;
    const RuleWord* word;
  } verbPhrases[] = {{"世話", &wSewa}, {"気", &wKi}};
  for (const auto& row : verbPhrases) {
    if (!isLiveSurface(s, w, row.noun) || !isLiveSurface(s, w + 1, "を") || !isLiveBaseForm(s, w + 2, "する")) continue;
    setOwnRendering(s, w + 2, *row.word);
    ruleTarget(s, w + 2)->code = "V1";
    consumeWord(s, w);
    if (isLiveSurface(s, w - 1, "の")) consumeWord(s, w - 1);
    kindsAround(w - 1);
    return true;
  }
  if (isNominal(s, w) && isLiveSurface(s, w + 1, "の") && hasSemantic1174Group(s, w + 2)) {
    consumeWord(s, w + 1);
    kindsAround(w);
    return true;
  }
  if (isLiveSurface(s, w, "ので") && !isNominal(s, w - 1)) {
    setSlot(s, maximalProjection(s, w), Slot::kClauseOpener, wNode, w);
    consumeWord(s, w);
    setKind(s, parentOf(s, w - 1), 'z');
    return true;
  }
  if (isLiveSurface(s, w, "一時") && isLiveSurface(s, w + 1, "間")) {
    // The rendering goes on the 間, which stays live.
    consumeWord(s, w);
    setOwnRendering(s, w + 1, wIchijikan);
    return true;
  }
  if ((beginsWith(semOf(s, w), "1163") || beginsWith(semOf(s, w), "//1163")) && isLiveSurface(s, w + 1, "に") &&
      isNumeral(s, w + 2) && isCounterSuffix(s, w + 3)) {
    consumeWord(s, w + 1);
    if (!isCounterSuffix(s, w - 1) && !isNumeral(s, w - 1)) setSlot(s, w, Slot::kRestriction, wPer);
    return true;
  }
  if (isSurface(s, w, "お") && isVerb(s, w + 1) &&
      (isBaseForm(s, w + 2, "する") || isBaseForm(s, w + 2, "いたす") || isBaseForm(s, w + 2, "致す"))) {
    consumeWord(s, w);
    consumeWord(s, w + 2);
    return true;
  }
  if (isNominal(s, w) && isLiveSurface(s, w + 1, "の") && isLiveSurface(s, w + 2, "はか")) {
    consumeWord(s, w + 1);
    consumeWord(s, w + 2);
    setSlot(s, maximalProjection(s, w), Slot::kConcession, wHaka, w + 1);
    kindsAround(w);
    return true;
  }
  if (isNominal(s, w) && isLiveSurface(s, w + 1, "の") && (isSurface(s, w + 2, "方") || isSurface(s, w + 2, "ほう"))) {
    consumeWord(s, w + 1);
    consumeWord(s, w + 2);
    kindsAround(w);
    return true;
  }
  if (isAdnominalPredicate(s, w) && (isSurface(s, w + 1, "方") || isSurface(s, w + 1, "ほう"))) {
    consumeWord(s, w + 1);
    kindsAround(w);
    return true;
  }
  const bool takusan = isLiveSurface(s, w, "たくさん");
  if (takusan || ((isLiveSurface(s, w, "何") || isLiveSurface(s, w, "なに")) && isLiveSurface(s, w + 1, "か"))) {
    const int p = parentOf(s, w);
    if (inNodeRange(s, p) && s->nodes[p].depLabel == "D2") {
      const int h = s->nodes[p].headPhrase;
      consumeWord(s, w);
      setHeadText(s, h, takusan ? wTakusan : wNanika);
      setDependencyActive(s, h, p, 0);
    }
    return true;
  }
  if (isNominalWord(s, w) && isSurface(s, w + 1, "は") && isNominalWord(s, w + 2) &&
      (isSymbol(s, w + 3) || w + 2 == s->lastMorpheme)) {
    if (baseOf(s, w) == baseOf(s, w + 2)) setHeadText(s, parentOf(s, w + 1), wSameTopic);
    return true;
  }
  if (isLiveSurface(s, w, "前") && posIs6(w) && slot17Empty(w)) {
    if (isSurface(s, w + 1, "で")) setOwnRendering(s, w, wMaeDe);
    else if (isSurface(s, w + 1, "の")) setOwnRendering(s, w, wMaeNo);
    return true;
  }
  if (isLiveSurface(s, w, "年") && posIs6(w) && slot17Empty(w)) {
    if (isSurface(s, w - 1, "の")) setOwnRendering(s, w, wToshi);
    return true;
  }
  if (isLiveSurface(s, w, "うち") && isSurface(s, w + 1, "の")) {
    if (beginsWith(semOf(s, w + 2), "121")) setOwnRendering(s, w, wUchiKin);
    else if (beginsWith(semOf(s, w + 2), "12")) setOwnRendering(s, w, wUchiPerson);
    return true;
  }
  if (isLiveSurface(s, w, "弁") && isPlaceNoun(s, w - 1)) {
    setOwnRendering(s, w, wBen);
    return true;
  }
  if ((isLiveBaseForm(s, w, "おごり") || isLiveBaseForm(s, w, "奢り")) && isSurface(s, w - 1, "の") &&
      (isPersonOrOrganisation(s, w - 2) || isSurface(s, w - 2, "さん") || isSurface(s, w - 2, "様"))) {
    consumeWord(s, w - 1);
    setOwnRendering(s, w, wOgori);
    setKind(s, parentOf(s, w - 1), 'z');
    return true;
  }
  return false;
}

}  // namespace

void ruleFixedExpressions(JcSentence* s) {
  for (int w = 1; w <= lastWord(s); ++w) {
    const std::string_view base = baseOf(s, w);
    // A numeral before an ordinal counter (二番目, 三回目): 第 before it.
    if (isNumeral(s, w) && isCounterSuffix(s, w + 1) && isLive(s, w + 1) && endsWith(baseOf(s, w + 1), "目")) {
      std::string text(wOrdinal.text());
      const JcCandidate* c = firstCandidate(s, w);
      const std::string_view own = s->targets[w].slots[slotIndex(Slot::kOwnRendering)].view();
      text += !own.empty() ? own : c ? c->chinese.view() : std::string_view();
      setOwnRendering(s, w, text);
      continue;
    }
    if (isNumeral(s, w) && (beginsWith(base, "千") || beginsWith(base, "百"))) {
      std::string text(wNumeralPrefix.text());
      if (const JcCandidate* c = firstCandidate(s, w)) text += c->chinese.view();
      setOwnRendering(s, w, text);
    }
    if (isLiveSurface(s, w, "中")) {
      if (w - 2 >= 1 && isNumeral(s, w - 2) && isCounterSuffix(s, w - 1)) {
        setOwnRendering(s, w, wChuCounter);
      } else if (isLiveSurface(s, w - 1, "一日")) {
        setOwnRendering(s, w - 1, wChuAllDay);
        consumeWord(s, w);
      }
      continue;
    }
    fixedExpressionRow(s, w);
  }
}

void ruleQuotePostposition(JcSentence* s) {
  for (int k = 1; k <= lastWord(s); ++k) {
    if (!isLiveBaseForm(s, k, "の")) continue;
    const int m = maximalProjection(s, k - 2), up = parentOf(s, k);
    if (isLiveSurface(s, k - 1, "と")) {
      consumeWord(s, k);
      if (inNodeRange(s, m) && findAtCharacter(s->nodes[m].abFeatures.view(), "A12|") != std::string_view::npos &&
          k != 2) {
        const int j = findLiveSurfaceBackward(s, k - 2, "と");
        const int p = maximalProjection(s, j);
        if (j > 0 && inNodeRange(s, p) && p != m) {
          const JcNode& P = s->nodes[p];
          if (P.depLabel == "D21" && P.usageCode == "TO5" && P.parent != m && P.headPhrase != m &&
              lastLeaf(s, P.headPhrase) > k) {
            moveQuotedPhrase(s, p, m);
            return;
          }
        }
      }
      if (!isSurface(s, k - 2, "」") && !beginsWith(semOf(s, k + 1), "130")) setSlot(s, m, Slot::kPreposition, wToNo, k - 1);
      consumeWord(s, k - 1);
      setKind(s, m, 't');
    } else if (isLiveSurface(s, k - 1, "まで")) {
      setSlot(s, m, Slot::kPreposition, wMadeNo, k - 1);
      appendHeadText(s, up, wMadeNoHead);
      consumeWord(s, k - 1);
      consumeWord(s, k);  // its linking word is in headText: の would write a second 的
    } else if (isLiveSurface(s, k - 1, "から")) {
      const bool time = isTimeNoun(s, k - 2);
      setSlot(s, m, Slot::kPreposition, time ? wKaraNoTime : wKaraNo, k - 1);
      appendHeadText(s, up, time ? wKaraNoTimeHead : wKaraNoHead);
      consumeWord(s, k - 1);
      consumeWord(s, k);
    } else if (isLiveSurface(s, k - 1, "で") || isLiveSurface(s, k - 1, "へ")) {
      const bool de = isSurface(s, k - 1, "で");
      setSlot(s, m, Slot::kPreposition, de ? wDeNo : wHeNo, k - 1);
      appendHeadText(s, up, de ? wDeNoHead : wHeNoHead);
      consumeWord(s, k - 1);
      consumeWord(s, k);
    }
  }
}

void ruleArimasenPlace(JcSentence* s) {
  const int n = lastWord(s);
  for (int k = 1; k <= n; ++k) {
    if (!isLiveSurface(s, k, "ませ") || !(isLiveSurface(s, k - 1, "あり") || isLiveSurface(s, k - 1, "有り")) ||
        !isLiveSurface(s, k + 1, "ん") || !isIAdjectiveContinuative(s, k - 2)) {
      continue;
    }
    writeTwoWords(s, parentOf(s, k - 2), Slot::kNegation, wArimasen, "", k);
    consumeWord(s, k - 1);
    consumeWord(s, k);
    consumeWord(s, k + 1);
    if (JcCandidate* c = firstCandidate(s, k - 2); c && c->valency.size() < 4) c->valency.append(";@");
  }
  for (int w = 1; w <= n; ++w) {
    if (isAdnominalPredicate(s, w) && (isLiveSurface(s, w + 1, "前") || isLiveSurface(s, w + 1, "後") ||
                                       isLiveSurface(s, w + 1, "中") || isLiveSurface(s, w + 1, "なか"))) {
      setKind(s, parentOf(s, w), 'z');
    }
  }
}

void ruleNiPredicate(JcSentence* s) {
  for (int from = 1; from <= lastWord(s);) {
    const int k = findLiveSurface(s, from, "に");
    if (k == 0 || k > lastWord(s)) return;
    const std::string_view before = baseOf(s, k - 1);
    if (!before.empty() && before == baseOf(s, k + 1) && isVerbContinuative(s, k - 1) &&
        isAdnominalPredicate(s, k + 1)) {
      setHeadText(s, parentOf(s, k), wNiRepeat);
      consumeWord(s, k);
    }
    from = k + 2;
  }
}

void ruleHitsuyou(JcSentence* s) {
  for (int k = 1; k <= lastWord(s); ++k) {
    if (isLiveBaseForm(s, k, "必要だ") && isLiveSurface(s, k - 1, "が")) setOwnRendering(s, k, wHitsuyou);
  }
}

}  // namespace jc
