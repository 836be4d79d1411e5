#include "engine/jc/rules/jc_particle_rules.h"

#include <string>
#include <string_view>

#include "engine/jc/core/jc_links.h"
#include "engine/jc/core/jc_predicates.h"
#include "engine/jc/rules/jc_formal_noun_rules.h"
#include "engine/jc/rules/jc_render_demo.h"
#include "engine/jc/rules/jc_rule_kit.h"
#include "engine/jc/rules/jc_sentence_final_rules.h"

namespace jc {

namespace {

using namespace particle_keys;
using namespace particle_conjunction_keys;

const RenderingKeySpec kKeys[] = {
    {kKara, 1, 2, 2},        {kToKa, 1, 2, 2},          {kTo, 1, 2, 2},            {kDe, 1, 2, 2},
    {kMadeKore, 1, 8, 8},    {kMadeTo, 1, 2, 2},        {kMadeUntil, 1, 2, 2},     {kNo, 1, 2, 2},
    {kNara, 1, 4, 4},        {kTtara, 1, 4, 4},         {kSae, 1, 2, 2},           {kSaeHead, 1, 2, 2},
    {kSura, 1, 4, 4},        {kSuraHead, 1, 2, 2},      {kDatte, 1, 4, 4},         {kDatteOwn, 1, 2, 2},
    {kDatteQuestion, 1, 2, 2}, {kBakariNumeral, 1, 4, 4}, {kNomi, 1, 2, 2},        {kShika, 1, 4, 4},
    {kKoso, 1, 4, 4},        {kNado, 1, 2, 2},          {kNadoVerb, 1, 2, 2},      {kNadoSymbol, 1, 2, 2},
    {kNanka, 1, 4, 4},       {kNante, 1, 4, 4},         {kKurai, 1, 4, 4},         {kGurai, 1, 4, 4},
    {kDokoro, 1, 4, 4},      {kTote, 1, 4, 4},          {kToteOwn, 1, 2, 2},       {kJaSore, 1, 4, 4},
    {kJa, 1, 4, 4},          {kJaStart, 1, 4, 4},       {kTomo, 1, 2, 2},          {kTomoSay, 1, 6, 6},
    {kDakeNi, 1, 6, 6},      {kDakeKore, 1, 4, 4},      {kDakeSore, 1, 4, 4},      {kDakeAre, 1, 4, 4},
    {kDakeCase, 1, 2, 2},    {kDakeVerb, 1, 4, 4},      {kDake, 1, 2, 2},          {kDakeHead, 1, 2, 2},
    {kYa, 1, 2, 2},          {kOyobi, 1, 2, 2},         {kOyobiKanji, 1, 2, 2},    {kNarabini, 1, 2, 2},
    {kMo, 1, 4, 4},          {kNari, 1, 2, 2},          {kNariFinal, 1, 2, 2},     {kGaFirst, 1, 4, 4},
    {kGa, 1, 4, 6},          {kNaraConj, 1, 4, 4},      {kKedo, 1, 4, 6},          {kKedomo, 1, 4, 6},
    {kKeredo, 1, 4, 6},      {kKeredomo, 1, 4, 6},      {kKaraTo, 1, 4, 4},        {kKaraReason, 1, 4, 4},
    {kMadeConj, 1, 2, 2},
    {kKaMo, 1, 2, 2},        {kKa, 1, 2, 2},            {kKai, 1, 2, 2},           {kKana, 1, 2, 2},
    {kNa, 1, 2, 2},          {kYo, 1, 2, 2},            {kYoKatakana, 1, 2, 2},    {kZe, 1, 2, 2},
    {kNaa, 1, 2, 2},         {kNaaSmall, 1, 2, 2},      {kNaaAdjective, 1, 2, 2},  {kConditional, 1, 4, 4},
    {kAspect1, 1, 2, 2},     {kAspect2, 1, 2, 2},       {kConditionalThen, 1, 2, 2},
    {kMatawa, 1, 4, 4},      {kMatawaKanji, 1, 4, 4},   {kMata, 1, 2, 2},          {kMataKanji, 1, 4, 4},
    {kKatsu, 1, 4, 4},       {kKatsumata, 1, 4, 4},     {kMoshikuwa, 1, 4, 4},     {kMoshikuwaKanji, 1, 4, 4},
    {kAruiwa, 1, 4, 4},      {kAruiwaKanji, 1, 4, 4},   {kNaishiwa, 1, 2, 2},      {kNaishi, 1, 2, 2},
    {kSoshite, 1, 10, 10},
};
const RenderingKeyRegistrar registrar(kKeys, static_cast<int>(sizeof kKeys / sizeof kKeys[0]));

const RuleWord wKara(kKara), wToKa(kToKa), wTo(kTo), wDe(kDe), wMadeKore(kMadeKore), wMadeTo(kMadeTo),
    wMadeUntil(kMadeUntil), wNo(kNo), wNara(kNara), wTtara(kTtara), wSae(kSae), wSaeHead(kSaeHead), wSura(kSura),
    wSuraHead(kSuraHead), wDatte(kDatte), wDatteOwn(kDatteOwn), wDatteQuestion(kDatteQuestion),
    wBakariNumeral(kBakariNumeral), wNomi(kNomi), wShika(kShika), wKoso(kKoso), wNado(kNado), wNadoVerb(kNadoVerb),
    wNadoSymbol(kNadoSymbol), wNanka(kNanka), wNante(kNante), wKurai(kKurai), wGurai(kGurai), wDokoro(kDokoro),
    wTote(kTote), wToteOwn(kToteOwn), wJaSore(kJaSore), wJa(kJa), wJaStart(kJaStart), wTomo(kTomo),
    wTomoSay(kTomoSay), wDakeNi(kDakeNi), wDakeKore(kDakeKore), wDakeSore(kDakeSore), wDakeAre(kDakeAre),
    wDakeCase(kDakeCase), wDakeVerb(kDakeVerb), wDake(kDake), wDakeHead(kDakeHead), wYa(kYa), wOyobi(kOyobi),
    wOyobiKanji(kOyobiKanji), wNarabini(kNarabini), wMo(kMo), wNari(kNari), wNariFinal(kNariFinal),
    wGaFirst(kGaFirst), wGa(kGa), wNaraConj(kNaraConj), wKedo(kKedo), wKedomo(kKedomo), wKeredo(kKeredo),
    wKeredomo(kKeredomo), wKaraTo(kKaraTo), wKaraReason(kKaraReason), wMadeConj(kMadeConj), wKaMo(kKaMo), wKa(kKa), wKai(kKai), wKana(kKana),
    wNa(kNa), wYo(kYo), wYoKatakana(kYoKatakana), wZe(kZe), wNaa(kNaa), wNaaSmall(kNaaSmall),
    wNaaAdjective(kNaaAdjective), wConditional(kConditional), wAspect1(kAspect1), wAspect2(kAspect2),
    wConditionalThen(kConditionalThen);

struct SurfaceWord {
  const char* surface;
  RuleWord word;
};
const SurfaceWord kConjunctions[] = {
    {"または", RuleWord(kMatawa)},       {"又は", RuleWord(kMatawaKanji)},     {"また", RuleWord(kMata)},
    {"又", RuleWord(kMataKanji)},        {"かつ", RuleWord(kKatsu)},           {"かつまた", RuleWord(kKatsumata)},
    {"もしくは", RuleWord(kMoshikuwa)},  {"若しくは", RuleWord(kMoshikuwaKanji)}, {"あるいは", RuleWord(kAruiwa)},
    {"或いは", RuleWord(kAruiwaKanji)},  {"ないしは", RuleWord(kNaishiwa)},    {"ないし", RuleWord(kNaishi)},
    {"そして", RuleWord(kSoshite)},
};

constexpr std::string_view kQuestionWordsBefore = "|誰|だれ|どこ|どちら|どれ|";

std::string_view surfaceOf(const JcSentence* s, int i) {
  return inNodeRange(s, i) ? s->nodes[i].surface.view() : "";
}
std::string_view markOf(const JcSentence* s, int i) {
  const JcTargetNode* t = ruleTarget(s, i);
  return t ? t->mark.view() : "";
}
std::string_view conjFormOf(const JcSentence* s, int i) {
  return inNodeRange(s, i) ? s->nodes[i].conjForm.view() : "";
}
std::string_view conjTypeOf(const JcSentence* s, int i) {
  return inNodeRange(s, i) ? s->nodes[i].conjType.view() : "";
}
std::string_view posOf(const JcSentence* s, int i) { return inNodeRange(s, i) ? s->nodes[i].pos.view() : ""; }

// A feature such as "A3" in a list "A3|B16a|"; whole entries only.
bool hasFeature(std::string_view list, std::string_view feature) {
  for (std::size_t at = 0; at < list.size();) {
    std::size_t end = list.find('|', at);
    if (end == std::string_view::npos) end = list.size();
    if (list.substr(at, end - at) == feature) return true;
    at = end + 1;
  }
  return false;
}

void appendHeadText(JcSentence* s, int i, std::string_view text) {
  if (JcTargetNode* t = ruleTarget(s, i)) t->headText.append(text);
}
void setHeadText2(JcSentence* s, int i, std::string_view text) {
  if (JcTargetNode* t = ruleTarget(s, i)) t->headText2 = text;
}
void appendHeadText2(JcSentence* s, int i, std::string_view text) {
  if (JcTargetNode* t = ruleTarget(s, i)) t->headText2.append(text);
}
void setText3(JcSentence* s, int i, std::string_view text) {
  if (JcTargetNode* t = ruleTarget(s, i)) t->text3 = text;
}

// Walks the live particles of one sub-POS; visit answers nothing and may retire words.
template <typename Visit>
void walkParticles(JcSentence* s, std::string_view subPos, Visit visit) {
  for (int from = 1;;) {
    const int p = findPosForward(s, from, "9", subPos);
    if (p == 0 || p > s->lastMorpheme || p >= kJcMaxNodes) return;
    from = p + 1;
    if (isLive(s, p)) visit(p, s->nodes[p].surface.view());
  }
}

}  // namespace

void applyParticleRules(JcSentence* s) {
  applyCaseParticleFamily(s);
  applyFocusParticleFamily(s);
  applyConjunctiveParticleFamily(s);
  applyFinalParticleFamily(s);
  applyParticleClosingPass(s);
}

void applyCaseParticleFamily(JcSentence* s) {
  walkParticles(s, "1", [s](int p, std::string_view surface) {
    const std::string_view mark = markOf(s, maximalProjection(s, p));
    if (mark != "*" && mark != "?") return;
    const int w = p - 1, m = maximalProjection(s, w);
    if (surface == "が" || surface == "を") {
      consumeWord(s, p);
    } else if (surface == "から") {
      if (markOf(s, m) != "K") {
        setSlot(s, m, Slot::kPreposition, wKara, p);
        consumeWord(s, p);
      }
    } else if (surface == "と") {
      if (isSurface(s, p + 1, "。")) {
        consumeWord(s, p);
      } else if (isSurface(s, p + 1, "か")) {
        setOwnRendering(s, p, wToKa);
        setKind(s, maximalProjection(s, p), 'z');
        consumeWord(s, p + 1);
      } else {
        std::string usage;
        copyUsageCode(s, p, usage);
        if (usage == "TO1" || usage == "TO3" || usage == "TO4" || usage == "TO5") {
          setOwnRendering(s, p, wTo);
        } else {
          consumeWord(s, p);
        }
      }
    } else if (surface == "で" || surface == "にて") {
      const int x = maximalProjection(s, p);
      const std::string_view ab = inNodeRange(s, x) ? s->nodes[x].abFeatures.view() : "";
      if (hasFeature(ab, "B16a") && (hasFeature(ab, "A24") || hasFeature(ab, "A3"))) {
        setSlot(s, x, Slot::kCopula, wDe, p);
        consumeWord(s, p);
      }
    } else if (surface == "まで") {
      ruleCaseMadeParticle(s, p);
    } else if (surface == "の") {
      const JcTargetNode* t = ruleTarget(s, p);
      if (isNominal(s, w) && t && t->nextSibling > 0) setOwnRendering(s, p, wNo);
    }
  });
}

void ruleCaseMadeParticle(JcSentence* s, int p) {
  if (!isLive(s, p)) return;
  const int w = p - 1;
  if (isLiveSurface(s, w, "これ")) {
    setOwnRendering(s, w, wMadeKore);
  } else if (!isTimeNoun(s, w) && !isCounterSuffix(s, w) && !isPlaceNoun(s, w)) {
    setSlot(s, parentOf(s, w), Slot::kClauseOpener, wMadeTo, p);
  } else {
    // Up to a time or a count: on the phrase of the word before this phrase when that is one too.
    const int x = maximalProjection(s, p), before = firstLeaf(s, x) - 1;
    const bool counted = isTimeNoun(s, before) || isCounterSuffix(s, before);
    setSlot(s, counted ? maximalProjection(s, before) : x, Slot::kPreposition, wMadeUntil, p);
  }
  consumeWord(s, p);
}

void applyFocusParticleFamily(JcSentence* s) {
  walkParticles(s, "2", [s](int p, std::string_view surface) {
    const int w = p - 1, m = maximalProjection(s, w);
    const bool questionBefore = isInBarList(kQuestionWordsBefore, surfaceOf(s, w));
    if (surface == "は" || surface == "って") {
      consumeWord(s, p);
    } else if (surface == "なら" || surface == "ったら") {
      setSlot(s, m, Slot::kConcession, surface == "なら" ? wNara : wTtara, p);
      consumeWord(s, p);
    } else if (surface == "も" || surface == "でも") {
      renderDemo(s, p);
    } else if (surface == "さえ" || surface == "すら") {
      const bool sae = surface == "さえ";
      setSlot(s, m, Slot::kConcession, sae ? wSae : wSura, p);
      if (JcTargetNode* t = ruleTarget(s, m)) t->headText = sae ? wSaeHead.text() : wSuraHead.text();
    } else if (surface == "だって") {
      if (!questionBefore) {
        setSlot(s, m, Slot::kConcession, wDatte, p);
        setOwnRendering(s, p, wDatteOwn);
      } else {
        setOwnRendering(s, p, wDatteQuestion);
      }
    } else if (surface == "だけ") {
      ruleDake(s, p);
    } else if (surface == "ばかり") {
      if (isNumeral(s, w)) {
        setOwnRendering(s, p, wBakariNumeral);
      } else {
        ruleBakarida(s, p);
      }
    } else if (surface == "のみ" || surface == "どころ") {
      setSlot(s, m, Slot::kDistributive, surface == "のみ" ? wNomi : wDokoro);
      consumeWord(s, p);
    } else if (surface == "しか") {
      appendHeadText(s, m, wShika);
      consumeWord(s, p);
    } else if (surface == "こそ") {
      setSlot(s, m, Slot::kCopula, wKoso, p);
      consumeWord(s, p);
    } else if (surface == "など") {
      const int x = maximalProjection(s, p);
      if (!isSymbol(s, w) || isSurface(s, p + 1, "の")) {
        if (!isVerb(s, w)) {
          setOwnRendering(s, p, wNado);
        } else {
          appendHeadText2(s, x, wNadoVerb);
          consumeWord(s, p);
        }
      } else {
        if (JcTargetNode* t = ruleTarget(s, x)) t->text4.append(wNadoSymbol.text());
        consumeWord(s, p);
      }
    } else if (surface == "なんか" || surface == "なんて" || surface == "くらい" || surface == "ぐらい") {
      const RuleWord& word = surface == "なんか" ? wNanka : surface == "なんて" ? wNante : surface == "くらい" ? wKurai : wGurai;
      setOwnRendering(s, p, word);
    } else if (surface == "とて") {
      setSlot(s, m, Slot::kConcession, wTote, p);
      setOwnRendering(s, p, wToteOwn);
    } else if (surface == "じゃ") {
      if (p != 1 && !isSymbol(s, w)) {
        if (isSurface(s, p + 1, "ない") || isSurface(s, p + 1, "あり")) {
        } else if (isLiveSurface(s, w, "それ")) {
          setOwnRendering(s, w, wJaSore);
          consumeWord(s, p);
        } else {
          setOwnRendering(s, p, wJa);
        }
      } else {
        setOwnRendering(s, p, wJaStart);
      }
      if (isLiveSurface(s, p + 1, "あ")) consumeWord(s, p + 1);
    } else if (surface == "とも") {
      if (isLiveBaseForm(s, p + 1, "言える") || isLiveBaseForm(s, p + 1, "いえる")) {
        setSlot(s, parentOf(s, p + 1), Slot::kInclusive, wTomo, p);
        setOwnRendering(s, p + 1, wTomoSay);
        consumeWord(s, p);
      }
      if (isSymbol(s, w)) consumeWord(s, p);
    }
  });
}

void ruleDake(JcSentence* s, int p) {
  const int w = p - 1, m = maximalProjection(s, w), q = parentOf(s, p);
  consumeWord(s, p);
  if (isSurface(s, p + 1, "に") && markOf(s, m) != "K" && (isSymbol(s, p + 2) || !isNominal(s, w))) {
    consumeWord(s, p + 1);
    setSlot(s, rootOf(s, w), Slot::kConcession, wDakeNi, p);
    return;
  }
  if ((isLiveSurface(s, w, "これ") || isLiveSurface(s, w, "それ") || isLiveSurface(s, w, "あれ")) &&
      (isNaAdjective(s, p + 1) || isIAdjective(s, p + 1))) {
    const RuleWord& word = isSurface(s, w, "これ") ? wDakeKore : isSurface(s, w, "それ") ? wDakeSore : wDakeAre;
    setOwnRendering(s, w, word);
    return;
  }
  const std::string_view label = inNodeRange(s, q) ? s->nodes[q].depLabel.view() : "";
  const int head = headPhraseOf(s, q);
  if (label == "D1" || label == "D20") {
    setSlot(s, m, Slot::kRestriction, wDakeCase, p);
  } else if (head == 0 || (label != "D13" && label != "D11")) {
    if (isVerb(s, w)) {
      setSlot(s, m, Slot::kRestriction, wDakeVerb, p);
      if (isLiveBaseForm(s, p + 1, "だ")) consumeWord(s, p + 1);
    } else {
      setSlot(s, m, Slot::kRestriction, wDake, p);
    }
  } else {
    setSlot(s, head, Slot::kRestriction, wDakeHead, p);
  }
}

// The clause a conditional clause x governs takes 就 where no other rule wrote that slot (如果 … 就 …).
static void writeConditionalThen(JcSentence* s, int x) {
  const int h = headPhraseOf(s, x);
  if (h > 0 && h != x && isLive(s, h) && s->targets[h].kind != 'j' && targetSlot(s->targets[h], Slot::kSequence).empty())
    setSlot(s, h, Slot::kSequence, wConditionalThen);
}

void applyConjunctiveParticleFamily(JcSentence* s) {
  walkParticles(s, "3", [s](int p, std::string_view surface) {
    const int w = p - 1, m = maximalProjection(s, w);
    if (surface == "の") {
      applyNoNominaliserRule(s, p);
    } else if (surface == "と" || surface == "やら" || surface == "だの" || surface == "に" || surface == "し") {
      consumeWord(s, p);
    } else if (surface == "や") {
      const int up = parentOf(s, p);
      if (isSurface(s, w, "ん")) {
        consumeWord(s, w);
        consumeWord(s, p);
        if (firstChildOf(s, up) == w) setKind(s, prevSiblingOf(s, up), 'z');
      } else if (isMorpheme(s, p + 1) && !isSymbol(s, p + 1)) {
        setOwnRendering(s, p, wYa);
      }
      setKind(s, up, 'z');
      setKind(s, maximalProjection(s, p), 'z');
    } else if (surface == "および" || surface == "及び" || surface == "ならびに") {
      setOwnRendering(s, p, surface == "および" ? wOyobi : surface == "及び" ? wOyobiKanji : wNarabini);
      setKind(s, parentOf(s, p), 'z');
    } else if (surface == "も") {
      setSlot(s, m, Slot::kConcession, wMo, p);
      consumeWord(s, p);
    } else if (surface == "か") {
      ruleKaConjunctive(s, p);
    } else if (surface == "なり") {
      setSlot(s, m, Slot::kNearAdverbial, wNari, p);
      setSlot(s, finalHeadPhrase(s, p + 2), Slot::kSequence, wNariFinal);
    } else if (surface == "が") {
      const int x = maximalProjection(s, p);
      if (firstChildOf(s, x) == p) {
        setOwnRendering(s, p, wGaFirst);
      } else {
        if (isSurface(s, p + 1, "、")) setHeadText2(s, x, wGa);
        consumeWord(s, p);
      }
    } else if (surface == "なら") {
      setSlot(s, m, Slot::kClauseOpener, wNaraConj, p);
      consumeWord(s, p);
      writeConditionalThen(s, m);
    } else if (surface == "けど" || surface == "けども" || surface == "けれど" || surface == "けれども") {
      const RuleWord& word = surface == "けど"     ? wKedo
                             : surface == "けども" ? wKedomo
                             : surface == "けれど" ? wKeredo
                                                   : wKeredomo;
      setHeadText2(s, m, word);
      consumeWord(s, p);
    } else if (surface == "から") {
      if (isSurface(s, p + 1, "と") && isPredicateWord(s, w)) {
        setSlot(s, parentOf(s, w), Slot::kClauseOpener, wKaraTo);
        consumeWord(s, p);
      } else if (isPredicateWord(s, w) && targetSlot(s->targets[m], Slot::kClauseOpener).empty()) {
        // The reason: 因为 opens the clause, as なら's word does, instead of trailing it.
        setSlot(s, m, Slot::kClauseOpener, wKaraReason, p);
        consumeWord(s, p);
      }
    } else if (surface == "まで") {
      ruleMadeConjunctive(s, p);
    } else {
      for (const SurfaceWord& c : kConjunctions) {
        if (surface != c.surface) continue;
        setOwnRendering(s, p, c.word);
        break;
      }
    }
  });
}

void ruleKaConjunctive(JcSentence* s, int p) {
  if (isParticle(s, p + 1)) {
    consumeWord(s, p);
    return;
  }
  std::string code;
  translateKaDouka(s, p, "か", code);
  if (code == kKaQuestionWordBefore || code == kKaOther || code == kKaSecondOfPair || code == kKaBeforeQuestionWord) {
    consumeWord(s, p);
  } else if (code == kKaFirstOfPair || code == kKaBetweenNominals) {
    setOwnRendering(s, p, kaDoukaRendering(code));
  } else if (code == kKaDouka) {
    // かどうか: whether, on the phrase; どう and the second か go.
    setSlot(s, maximalProjection(s, p), Slot::kAfterSubject, kaDoukaRendering(code));
    consumeWord(s, p + 1);
    consumeWord(s, p + 2);
  }
}

void ruleMadeConjunctive(JcSentence* s, int p) {
  const int x = maximalProjection(s, p), h = headPhraseOf(s, x);
  bool found = false;
  for (JcLink* l = s->relationAgenda; l && l->next; l = l->next) {
    if (l->governor == h && l->dependent == x) {
      l->label = "HT";
      found = true;
      break;
    }
  }
  if (!found) addRelation(s, h, x, "HT");
  if (JcTargetNode* t = ruleTarget(s, x)) t->relation = "HT";
  setSlot(s, maximalProjection(s, p - 1), Slot::kClauseOpener, wMadeConj, p);
  consumeWord(s, p);
}

void applyFinalParticleFamily(JcSentence* s) {
  static constexpr std::string_view kDropped = "|さ|さあ|かしら|ね|ネ|ねえ|ぞ|わ|っけ|や|";
  walkParticles(s, "4", [s](int p, std::string_view surface) {
    const int w = p - 1;
    if (isInBarList(kDropped, surface)) {
      consumeWord(s, p);
    } else if (surface == "か") {
      ruleKaFinal(s, p);
    } else if (surface == "かい" || surface == "かな") {
      setText3(s, parentOf(s, p), surface == "かい" ? wKai : wKana);
      consumeWord(s, p);
    } else if (surface == "な") {
      if (isVerb(s, w) && conjFormOf(s, w) == "2") setSlot(s, parentOf(s, w), Slot::kAfterSubject, wNa, p);
      consumeWord(s, p);
    } else if (surface == "よ" || surface == "ヨ") {
      setOwnRendering(s, p, surface == "よ" ? wYo : wYoKatakana);
    } else if (surface == "ぜ") {
      consumeWord(s, p);
      setHeadText2(s, maximalProjection(s, p), wZe);
    } else if (surface == "なあ" || surface == "なぁ") {
      setOwnRendering(s, p, surface == "なあ" ? wNaa : wNaaSmall);
      if (isIAdjective(s, w)) setSlot(s, w, Slot::kNearAdverbial, wNaaAdjective);
    }
  });
}

void ruleKaFinal(JcSentence* s, int p) {
  consumeWord(s, p);
  const int clause = parentOf(s, p);
  const int q = findQuestionWordBackward(s, p - 1);
  if (q > 0 && isLive(s, q) && !isSurface(s, q + 1, "か") && !isSurface(s, q + 1, "も")) {
    // A question word already asks; only ...も...か asks again.
    int l = lastLeaf(s, headPhraseOf(s, parentOf(s, q)));
    while (l > 1 && isSymbol(s, l)) --l;
    if (isSurface(s, l, "も")) setText3(s, clause, wKaMo);
    return;
  }
  setText3(s, clause, wKa);
}

namespace {

// The verb that takes the aspect word of the past form at word i; 0 when none.
int aspectVerb(const JcSentence* s, int i, bool type31) {
  const int st = conjFormOf(s, i - 1) == "13" ? i - 1 : i;
  int u = st;
  if (type31) {
    if (conjFormOf(s, st - 1) == "7") {
      u = st - 1;
    } else if (conjTypeOf(s, st - 1) == "11" && conjFormOf(s, st - 1) == "5" && posOf(s, st - 2) == "2" &&
               conjFormOf(s, st - 2) == "11") {
      u = st - 2;
    } else {
      return 0;
    }
  }
  if (u < 1) return 0;
  if (isLive(s, u) && posOf(s, u) == "2") return u;
  const std::string_view form = conjFormOf(s, u - 1);
  if (form == "3") return u - 1;
  if (form != "11") return 0;
  if (isBaseForm(s, u, "しまう") || isBaseForm(s, u, "いる") || isBaseForm(s, u, "る")) return 0;
  return isSurface(s, u - 1, "せて") || isSurface(s, u - 1, "させて") ? u - 2 : u - 1;
}

// A verb of going in the past with a purpose (本を買いに店へ行った) gives its aspect word to the
// purpose, which now ends the clause: 去商店买了书.
int purposeOfGoing(const JcSentence* s, int v) {
  if (!isVerbOfGoing(s, v)) return v;
  for (int k = v - 2; k >= 1; --k) {
    if (!isLive(s, k) || !isVerb(s, k) || !isVerbContinuative(s, k) || !isSurface(s, k + 1, "に") || isLive(s, k + 1))
      continue;
    if (headMorpheme(s, headPhraseOf(s, parentOf(s, k))) == v) return k;
  }
  return v;
}

}  // namespace

void applyParticleClosingPass(JcSentence* s) {
  const int last = s->lastNode < kJcMaxNodes ? s->lastNode : kJcMaxNodes - 1;
  for (int i = 1; i <= last; ++i) {
    if (s->targets[i].kind != 'j') continue;
    const int x = maximalProjection(s, i);
    appendSlot(s, x, Slot::kClauseOpener, wConditional);
    setSlotSource(s, x, Slot::kClauseOpener, s->targets[i].firstChild);
    writeConditionalThen(s, x);
  }
  for (int i = 1; i <= last; ++i) {
    const bool type31 = conjTypeOf(s, i) == "31" && conjFormOf(s, i) == "5";
    if (!type31 && !isVerbTaForm(s, i)) continue;
    const std::string_view nextSub = inNodeRange(s, i + 1) ? s->nodes[i + 1].subPos.view() : "";
    if (!isLiveSurface(s, i + 1, "可能性") && isNominalWord(s, i + 1) && nextSub != "8" && nextSub != "9") continue;
    int v = aspectVerb(s, i, type31);
    if (v < 1 || !isLive(s, v)) continue;
    v = purposeOfGoing(s, v);
    const JcCandidate* c = firstCandidate(s, v);
    if (!c) continue;
    JcTargetNode& t = s->targets[v];
    const char digit = c->extra.view().empty() ? '\0' : c->extra.view()[0];
    const std::string_view aspect = digit == '1' ? wAspect1.text() : digit == '2' ? wAspect2.text() : std::string_view();
    if (c->valency == "V1/N" && targetSlot(t, Slot::kOwnRendering).empty() && digit != '\0') {
      // A split equivalent: the aspect word goes between its two halves.
      const std::string_view chinese = c->chinese.view();
      const std::size_t bar = findAtCharacter(chinese, "/");
      if (bar == std::string_view::npos) continue;
      std::string_view before = chinese.substr(0, bar);
      if (!before.empty() && before[0] == '&' && posOf(s, v) != "1") before.remove_prefix(1);
      std::string text(before);
      text += aspect;
      if (digit == '3') t.aspectB = 'B';
      text += chinese.substr(bar + 1);
      setOwnRendering(s, v, text);
    } else if (t.headText.empty()) {
      if (digit == '3') t.aspectB = 'B';
      else t.headText = aspect;
    }
  }
}

}  // namespace jc
