#include "engine/jc/rules/jc_formal_noun_rules.h"

#include "engine/jc/core/jc_predicates.h"
#include "engine/jc/rules/jc_rule_kit.h"

namespace jc {

namespace {

using namespace formal_noun_keys;

const RenderingKeySpec kKeys[] = {
    {kEndMark, 1, 2, 2},     {kNoAfterPast, 1, 2, 2}, {kNoBeforeSymbol, 1, 2, 2}, {kNoAfterNado, 1, 2, 2},
    {kNoAfterAdjective, 1, 2, 2}, {kKoto, 1, 2, 2},   {kHazuNegative, 1, 4, 4},   {kHazu, 1, 4, 4},
    {kTsumori, 1, 4, 4},     {kTsumoriNoun, 1, 4, 4}, {kMonoKa, 1, 4, 4},         {kMono, 1, 4, 4},
};
const RenderingKeyRegistrar registrar(kKeys, static_cast<int>(sizeof kKeys / sizeof kKeys[0]));

const RuleWord wEndMark(kEndMark), wNoAfterPast(kNoAfterPast), wNoBeforeSymbol(kNoBeforeSymbol),
    wNoAfterNado(kNoAfterNado), wNoAfterAdjective(kNoAfterAdjective), wKoto(kKoto), wHazuNegative(kHazuNegative),
    wHazu(kHazu), wTsumori(kTsumori), wTsumoriNoun(kTsumoriNoun), wMonoKa(kMonoKa), wMono(kMono);

bool posIs(const JcSentence* s, int i, std::string_view pos) { return inNodeRange(s, i) && s->nodes[i].pos == pos; }

// The formal noun keeps a word of its own; the word before it stays plain.
void keepOwnWord(JcSentence* s, int p, std::string_view word) {
  setOwnRendering(s, p, word);
  setKind(s, p - 1, 'z');
}

}  // namespace

void applyFormalNounRules(JcSentence* s) {
  for (int from = 1;;) {
    int p = findPosForward(s, from, "6", "8");
    if (p == 0) p = findPosForward(s, from, "6", "9");
    if (p == 0) return;
    from = p + 1;
    if (!isLive(s, p)) continue;
    const std::string_view surface = s->nodes[p].surface.view();
    if (surface == "の" || surface == "ん") {
      applyNoNominaliserRule(s, p);
    } else if (surface == "こと") {
      applyKotoRule(s, p);
    } else if (surface == "はず" || surface == "わけ") {
      applyHazuRule(s, p);
    } else if (surface == "つもり") {
      applyTsumoriRule(s, p);
    } else if (surface == "もの" || surface == "もん") {
      applyMonoRule(s, p);
    }
  }
}

void applyNoNominaliserRule(JcSentence* s, int p) {
  const int w = p - 1, n = p + 1;
  setKind(s, parentOf(s, w), 'z');
  bool retire = false;
  if (isAdnominalPredicate(s, w)) {
    if (!isVerbTaForm(s, w)) {
      retire = true;
    } else {
      keepOwnWord(s, p, wNoAfterPast);
      return;
    }
  } else if (renderingEndsWithMark(s, w) && !posIs(s, w, "6")) {
    retire = true;
  } else if (!isParticle(s, w) && !isParticle(s, n)) {
    if ((posIs(s, w, "14") && isSurface(s, w, "つ")) || firstChinese(s, n) == "&") {
      retire = true;
    } else if (isSymbol(s, n)) {
      keepOwnWord(s, p, wNoBeforeSymbol);
      return;
    } else {
      setKind(s, maximalProjection(s, p), 't');
      consumeWord(s, p);
      return;
    }
  } else if (isSurface(s, w, "など")) {
    keepOwnWord(s, p, wNoAfterNado);
    return;
  } else if (testAdjectiveBaseOrPast(s, w) && !isBaseForm(s, w, "ない") && isParticle(s, n)) {
    keepOwnWord(s, p, wNoAfterAdjective);
    return;
  } else {
    retire = true;
  }
  if (retire) {
    setKind(s, w, 'z');
    consumeWord(s, p);
  }
}

void applyKotoRule(JcSentence* s, int p) {
  const int w = p - 1;
  if (isAdnominalPredicate(s, w) && (isSurface(s, p + 1, "だ") || isSurface(s, p + 1, "です"))) {
    setKind(s, parentOf(s, w), 'z');
    consumeWord(s, p);
    consumeWord(s, p + 1);
  } else {
    setOwnRendering(s, p, wKoto);
  }
}

void applyHazuRule(JcSentence* s, int p) {
  const int w = p - 1, clause = parentOf(s, w);
  setKind(s, clause, 'z');
  consumeWord(s, p);
  if (!isPlainBaseOrPastForm(s, w) && !isPlainBaseOrPastForm(s, clause)) return;
  if (isLiveBaseForm(s, w, "ない")) {
    consumeWord(s, w);
    setSlot(s, clause, Slot::kAfterSubject, wHazuNegative, p);
  } else {
    setSlot(s, clause, Slot::kAfterSubject, wHazu, p);
  }
}

void applyTsumoriRule(JcSentence* s, int p) {
  const int w = p - 1, r = rootOf(s, w);
  setKind(s, r, 'z');
  consumeWord(s, p);
  if (isPlainBaseOrPastForm(s, w) || isPlainBaseOrPastForm(s, r)) {
    setSlot(s, r, Slot::kModal, wTsumori, p);
  } else {
    setOwnRendering(s, p, wTsumoriNoun);
  }
}

void applyMonoRule(JcSentence* s, int p) {
  const int w = p - 1, n = p + 1;
  if (isAdnominalPredicate(s, w) && isSurface(s, n, "だ")) {
    consumeWord(s, p);
    consumeWord(s, n);
  } else if (isAdnominalPredicate(s, w) && isSurface(s, n, "か")) {
    setSlot(s, maximalProjection(s, w), Slot::kAfterSubject, wMonoKa);
    consumeWord(s, p);
    consumeWord(s, n);
  } else if (isSurface(s, n, "と")) {
    setKind(s, maximalProjection(s, w), 'z');
    consumeWord(s, p);
    const int m = maximalProjection(s, n);
    if (m >= 1 && m <= s->lastNode) s->nodes[m].usageCode = "TO3";
  } else {
    setOwnRendering(s, p, wMono);
  }
}

void markConditionalClauses(JcSentence* s) {
  bool found = false;
  for (int i = 1; i <= s->lastMorpheme && i < kJcMaxNodes; ++i) {
    if (!isConditionalForm(s, i)) continue;
    found = true;
    setKind(s, parentOf(s, i), 'j');
    if (JcCandidate* c = firstCandidate(s, i); c && c->valency.size() < 4) c->valency.append(";@");
  }
  // もし before a conditional: the clause's own word (如果) stands for it; なら after a noun or a
  // predicate is a conditional too.
  for (int i = 1; i <= s->lastMorpheme && i < kJcMaxNodes; ++i) {
    if (!isLiveSurface(s, i, "もし")) continue;
    bool nara = false;
    for (int k = i + 1; k <= s->lastMorpheme && k < kJcMaxNodes && !nara; ++k)
      nara = isLiveSurface(s, k, "なら") || isLiveSurface(s, k, "ならば");
    if (found || nara) consumeWord(s, i);
  }
}

bool renderingEndsWithMark(const JcSentence* s, int i) {
  const JcTargetNode* t = i <= s->lastNode ? ruleTarget(s, i) : nullptr;
  if (!t) return false;
  std::string_view text = targetSlot(*t, Slot::kOwnRendering).empty() ? firstChinese(s, i) : targetSlot(*t, Slot::kOwnRendering);
  const std::string& mark = wEndMark.text();
  if (text.empty() || mark.empty() || text.size() < mark.size()) return false;
  // The last character, found from the start so that a trail byte is never taken for a lead.
  std::size_t last = 0;
  for (std::size_t k = 0; k < text.size(); k += charLengthAt(text, k)) last = k;
  return text.substr(last) == mark;
}

}  // namespace jc
