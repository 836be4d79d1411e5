#include "engine/jc/rules/jc_case_particle_rules.h"

#include <initializer_list>
#include <string>

#include "engine/jc/core/jc_links.h"
#include "engine/jc/core/jc_parse_reader.h"
#include "engine/jc/core/jc_predicates.h"
#include "engine/jc/core/jc_sentence_output.h"
#include "engine/jc/rules/jc_case_relation_rules.h"
#include "engine/jc/rules/jc_rule_kit.h"

namespace jc {

namespace {

using namespace case_particle_keys;

const RenderingKeySpec kKeys[] = {
    {kNi1, 1, 2, 2},        {kNi1Head, 1, 2, 2},    {kNi2, 1, 2, 2},         {kNi2Head, 1, 6, 6},
    {kNi2Place, 1, 2, 2},   {kNi3Plain, 1, 6, 6},   {kNi3Comp, 1, 2, 2},     {kNi3Adv, 1, 2, 2},
    {kNi4, 1, 6, 6},        {kNi5, 1, 2, 2},        {kNi6, 1, 2, 2},         {kNi7Numeral, 1, 2, 2},
    {kNi7, 1, 2, 2},        {kNi8, 1, 4, 4},        {kNi10Adv, 1, 2, 2},     {kNi10Other, 1, 2, 2},
    {kNi15, 1, 6, 6},       {kNiWhere, 1, 2, 2},    {kNiAdjective, 1, 2, 2}, {kDeAlone, 1, 6, 6},
    {kDeContrastWa, 1, 2, 2}, {kDeContrastMo, 1, 2, 2}, {kDe1Place, 1, 2, 2}, {kDe1, 1, 2, 2},
    {kDe2Group, 1, 2, 2},   {kDe2, 1, 2, 2},        {kDe5Short, 1, 2, 2},    {kDe5, 1, 4, 4},
    {kDe6, 1, 2, 2},        {kDe7, 1, 2, 2},        {kDe8, 1, 4, 4},         {kDe9, 1, 2, 2},
    {kDe9Head, 1, 2, 2},    {kDeA, 1, 2, 2},        {kDeAHead, 1, 2, 2},     {kDeB, 1, 2, 2},
    {kDeBHead, 1, 2, 2},    {kWo2Place, 1, 2, 2},   {kWo2Retired, 1, 2, 2},  {kWo2RetiredHead, 1, 2, 2},
    {kHe1Verb, 1, 2, 2},    {kGoingOut, 1, 2, 2},    {kHe1, 1, 2, 2},        {kHe2, 1, 2, 2},         {kMadeKore, 1, 8, 8},
    {kMadeUntil, 1, 6, 6},  {kMadeTo, 1, 2, 2},     {kYr1Big, 1, 2, 2},      {kYr1, 1, 2, 2},
    {kYr2Next, 1, 2, 2},    {kYr2, 1, 4, 4},        {kYr3, 1, 4, 4},         {kKr1, 1, 2, 2},
    {kKr2, 1, 2, 2},        {kKr3, 1, 2, 2},        {kKr4, 1, 2, 2},         {kKr5Nominal, 1, 2, 2},
    {kKr5, 1, 4, 4},        {kKr6, 1, 2, 2},        {kKrOther, 1, 2, 2},     {kNo2Head, 1, 2, 2},
    {kToTogether, 1, 2, 2}, {kToWith, 1, 2, 2},     {kTo3Know, 1, 4, 4},     {kTo5Text4, 1, 2, 2},
    {kTo5Head, 1, 2, 2},    {kTo6Head2, 1, 4, 4},   {kNi2Inside, 1, 2, 2},
};
const RenderingKeyRegistrar registrar(kKeys, static_cast<int>(sizeof kKeys / sizeof kKeys[0]));

#define CASE_WORD(name, key) const RuleWord name(key)
CASE_WORD(wNi1, kNi1); CASE_WORD(wNi1Head, kNi1Head); CASE_WORD(wNi2, kNi2); CASE_WORD(wNi2Head, kNi2Head);
CASE_WORD(wNi2Place, kNi2Place); CASE_WORD(wNi3Plain, kNi3Plain); CASE_WORD(wNi3Comp, kNi3Comp);
CASE_WORD(wNi3Adv, kNi3Adv); CASE_WORD(wNi4, kNi4); CASE_WORD(wNi5, kNi5); CASE_WORD(wNi6, kNi6);
CASE_WORD(wNi7Numeral, kNi7Numeral); CASE_WORD(wNi7, kNi7); CASE_WORD(wNi8, kNi8); CASE_WORD(wNi10Adv, kNi10Adv);
CASE_WORD(wNi10Other, kNi10Other); CASE_WORD(wNi15, kNi15); CASE_WORD(wNiWhere, kNiWhere);
CASE_WORD(wNiAdjective, kNiAdjective); CASE_WORD(wDeAlone, kDeAlone); CASE_WORD(wDeContrastWa, kDeContrastWa);
CASE_WORD(wDeContrastMo, kDeContrastMo); CASE_WORD(wDe1Place, kDe1Place); CASE_WORD(wDe1, kDe1);
CASE_WORD(wDe2Group, kDe2Group); CASE_WORD(wDe2, kDe2); CASE_WORD(wDe5Short, kDe5Short); CASE_WORD(wDe5, kDe5);
CASE_WORD(wDe6, kDe6); CASE_WORD(wDe7, kDe7); CASE_WORD(wDe8, kDe8); CASE_WORD(wDe9, kDe9);
CASE_WORD(wDe9Head, kDe9Head); CASE_WORD(wDeA, kDeA); CASE_WORD(wDeAHead, kDeAHead); CASE_WORD(wDeB, kDeB);
CASE_WORD(wDeBHead, kDeBHead); CASE_WORD(wWo2Place, kWo2Place); CASE_WORD(wWo2Retired, kWo2Retired);
CASE_WORD(wWo2RetiredHead, kWo2RetiredHead); CASE_WORD(wHe1Verb, kHe1Verb); CASE_WORD(wGoingOut, kGoingOut); CASE_WORD(wHe1, kHe1);
CASE_WORD(wHe2, kHe2); CASE_WORD(wMadeKore, kMadeKore); CASE_WORD(wMadeUntil, kMadeUntil); CASE_WORD(wMadeTo, kMadeTo);
CASE_WORD(wYr1Big, kYr1Big); CASE_WORD(wYr1, kYr1); CASE_WORD(wYr2Next, kYr2Next); CASE_WORD(wYr2, kYr2);
CASE_WORD(wYr3, kYr3); CASE_WORD(wKr1, kKr1); CASE_WORD(wKr2, kKr2); CASE_WORD(wKr3, kKr3); CASE_WORD(wKr4, kKr4);
CASE_WORD(wKr5Nominal, kKr5Nominal); CASE_WORD(wKr5, kKr5); CASE_WORD(wKr6, kKr6); CASE_WORD(wKrOther, kKrOther);
CASE_WORD(wNo2Head, kNo2Head); CASE_WORD(wToTogether, kToTogether); CASE_WORD(wToWith, kToWith);
CASE_WORD(wTo3Know, kTo3Know); CASE_WORD(wTo5Text4, kTo5Text4); CASE_WORD(wTo5Head, kTo5Head);
CASE_WORD(wTo6Head2, kTo6Head2); CASE_WORD(wNi2Inside, kNi2Inside);
#undef CASE_WORD

// Time words after which に gives no head text.
constexpr std::string_view kNi1NoHeadText =
    "|時|とき|以後|後|ご|前|まえ|以前|いぜん|時刻|間|時間|くらい|ぐらい|前後|ぜんご|以内|中|";

bool isOneOf(const JcSentence* s, int i, std::initializer_list<std::string_view> surfaces) {
  for (std::string_view w : surfaces)
    if (isSurface(s, i, w)) return true;
  return false;
}

bool baseIsOneOf(const JcSentence* s, int i, std::initializer_list<std::string_view> bases) {
  for (std::string_view w : bases)
    if (isBaseForm(s, i, w)) return true;
  return false;
}

bool inAb(const JcSentence* s, int i, std::string_view code) {
  return inNodeRange(s, i) && isInBarList(s->nodes[i].abFeatures.view(), code);
}

std::string_view surfaceOf(const JcSentence* s, int i) {
  return inNodeRange(s, i) ? s->nodes[i].surface.view() : std::string_view();
}

// The particle of a rule: from the dependent's last leaf back to word 1; 0 when none or at word 1.
int findParticle(const JcSentence* s, int dependent, std::string_view particle) {
  const int p = findSurfaceBackward(s, lastLeaf(s, dependent), particle);
  return p > 1 ? p : 0;
}

std::string usageOf(const JcSentence* s, int p) {
  std::string code;
  copyUsageCode(s, p, code);
  return code;
}

bool hasVerbTemplate(const JcSentence* s, int governor) {
  return isVerbTemplate(s, targetLexicalHead(s, governor));
}

// The governor has no object yet, neither decided nor from the parse.
bool hasNoObject(const JcSentence* s, int governor) {
  return !findRelationDependent(s, governor, "OBJ1") && !findDependencyDependent(s, governor, "D11");
}

// ある, いる, ない: a verb of being somewhere.
bool isExistenceVerb(const JcSentence* s, int f) {
  return baseIsOneOf(s, f, {"ある", "在る", "有る", "いる", "居る", "おる", "ない", "無い"});
}

bool markedWithoutTemplate(const JcSentence* s, int d) {
  const JcTargetNode* t = ruleTarget(s, d);
  return t && t->mark == "K" && t->templateText.empty();
}

// The first three characters of two words' semantic codes agree.
bool sameSemanticGroup(const JcSentence* s, int a, int b) {
  if (!inNodeRange(s, a) || !inNodeRange(s, b) || a == 0 || b == 0) return false;
  const std::string_view x = s->nodes[a].semCodes.view(), y = s->nodes[b].semCodes.view();
  return x.size() >= 3 && y.size() >= 3 && x.substr(0, 3) == y.substr(0, 3);
}

// A case word into slot k of the dependent while the particle is live, with the particle as source.
void caseWord(JcSentence* s, int d, Slot slot, std::string_view word, int p) {
  if (isLive(s, p)) setSlot(s, d, slot, word, p);
}

void setHeadText(JcSentence* s, int i, std::string_view text) {
  if (JcTargetNode* t = ruleTarget(s, i)) t->headText = text;
}

void setUsage(JcSentence* s, int i, std::string_view code) {
  if (i >= 1 && inNodeRange(s, i)) s->nodes[i].usageCode = code;
}

// The と phrase d hangs on n from now on, as a coordination "A と B".
void repointTo(JcSentence* s, int governor, int d, int n, int* restart) {
  int flag = 0;
  removeDependencyLink(s, governor, d, "D21", &flag);
  s->nodes[d].headPhrase = n;
  s->nodes[d].labelHeads[labelHeadIndex("D21")] = n;
  s->nodes[d].usageCode = "TO5";
  addDependencyLink(s, n, d, "D21", flag);
  reattachToPhrase(s, d, 1);
  *restart = 0;
}

}  // namespace

bool isDesiderativeNonPerson(const JcSentence* s, int governor, int dependent) {
  const int f = targetFirstLeaf(s, governor);
  return f > 0 && isBaseForm(s, f + 1, "たい") && !hasPersonSemantics(s, dependent);
}

// 出かける with a place to go to is 去 with its object (町へ出かける 去城市); with an activity it
// stays 出去 (散歩に出かける 出去散步).
void goingOutTo(JcSentence* s, int governor, int particle) {
  const int v = targetFirstLeaf(s, governor);
  if (!(isBaseForm(s, v, "出かける") || isBaseForm(s, v, "でかける")) || isSahenNoun(s, particle - 1)) return;
  if (targetSlot(s->targets[v], Slot::kOwnRendering).empty()) setOwnRendering(s, v, wGoingOut);
}

// The governor is the purpose of a verb of going, its に already taken (店で本を買いに行った).
bool isPurposeOfGoing(const JcSentence* s, int governor) {
  const int v = targetFirstLeaf(s, governor);
  if (v < 1 || !isVerb(s, v) || !isVerbContinuative(s, v) || !isSurface(s, v + 1, "に") || isLive(s, v + 1)) return false;
  const int h = headMorpheme(s, headPhraseOf(s, parentOf(s, v)));
  return h > v + 1 && isVerbOfGoing(s, h);
}

void ruleCaseNi(JcSentence* s, int governor, int dependent) {
  const int g = governor, d = dependent, p = findParticle(s, d, "に");
  if (!p) return;
  if (isSurface(s, p - 1, "だけ") && (isSymbol(s, p + 1) || !isNominalWord(s, p - 2))) consumeWord(s, p);
  const bool wa = isSurface(s, p + 1, "は");
  std::string code = usageOf(s, p);
  if (isSurface(s, p + 1, "、")) code = isPlaceNoun(s, p - 1) ? "NI2" : isTimeNoun(s, p - 1) ? "NI1" : "NI5";
  if (markedWithoutTemplate(s, d)) return;

  const bool allowed = isLive(s, p);
  // The purpose of a verb of going, its に already taken (本を買いに店へ行った): it follows the
  // goal, 去商店买书.
  if (!allowed && isVerb(s, p - 1) && isVerbContinuative(s, p - 1) &&
      isVerbOfGoing(s, targetFirstLeaf(s, g))) {
    addCaseRelation(s, g, d, "OBJ2", false);
    return;
  }
  if (code == "NI1") {
    addCaseRelation(s, g, d, "ADV", false);
    if (allowed && !isTimePointNoun(s, p - 1)) {
      setSlot(s, d, Slot::kPreposition, wNi1, p);
      if (!isInBarList(kNi1NoHeadText, surfaceOf(s, p - 1))) setHeadText(s, d, wNi1Head);
    }
  } else if (code == "NI2" && isExistenceVerb(s, targetFirstLeaf(s, g)) && !wa) {
    // Where something is or is not: 冰箱里没有牛奶, 桌子上有书; いる 在 takes its place after it (猫在院子里).
    addCaseRelation(s, g, d, baseIsOneOf(s, targetFirstLeaf(s, g), {"いる", "居る", "おる"}) ? "OBJ1" : "ADV", false);
    if (allowed && !isPlaceOrTimeWord(s, p - 1)) setHeadText(s, d, wNi2Inside);
  } else if (code == "NI2") {
    addCaseRelation(s, g, d, "ADV", false);
    if (allowed && !isPlaceOrTimeWord(s, p - 1)) {
      setSlot(s, d, Slot::kPreposition, wNi2, p);
      setHeadText(s, d, wNi2Head);
    } else if (allowed) {
      setSlot(s, d, Slot::kPreposition, wNi2Place, p);
    }
  } else if (code == "NI3") {
    if (!hasVerbTemplate(s, g)) {
      addCaseRelation(s, g, d, wa ? "ADV" : "COMP", false);
      caseWord(s, d, Slot::kPreposition, wNi3Plain, p);
    } else if (hasNoObject(s, g) && !wa) {
      addCaseRelation(s, g, d, "COMP", false);
      caseWord(s, d, Slot::kPreposition, wNi3Comp, p);
    } else {
      addCaseRelation(s, g, d, "ADV", false);
      caseWord(s, d, Slot::kPreposition, wNi3Adv, p);
    }
  } else if (code == "NI4") {
    addCaseRelation(s, g, d, "ADV", false);
    caseWord(s, d, Slot::kPreposition, wNi4, p);
  } else if (code == "NI5" || code == "NI6") {
    addCaseRelation(s, g, d, "ADV", false);
    const std::string_view zh = firstChinese(s, p);
    if (firstCandidate(s, p) && zh != "&") caseWord(s, d, Slot::kPreposition, code == "NI5" ? wNi5 : wNi6, p);
  } else if (code == "NI7") {
    addCaseRelation(s, g, d, "OBJ1", false);
    const int first = firstChildOf(s, s->targets[p].parent);
    caseWord(s, d, Slot::kPreposition, isNumeral(s, first) || isNumeral(s, first + 1) ? wNi7Numeral : wNi7, p);
  } else if (code == "NI8") {
    addCaseRelation(s, g, d, "ADV", false);
    caseWord(s, d, Slot::kPreposition, wNi8, p);
  } else if (code == "NI10") {
    if (hasVerbTemplate(s, g) && !wa && hasNoObject(s, g)) {
      addCaseRelation(s, g, d, "OBJ1", false);
    } else {
      addCaseRelation(s, g, d, "ADV", false);
      caseWord(s, d, Slot::kPreposition, hasVerbTemplate(s, g) && !wa ? wNi10Adv : wNi10Other, p);
    }
  } else if (code == "NI11") {
    addCaseRelation(s, g, d, "ADV", false);
  } else if (code == "NI15") {
    if (hasNoObject(s, g) && !wa) {
      addCaseRelation(s, g, d, "OBJ1", false);
    } else {
      addCaseRelation(s, g, d, "ADV", false);
      caseWord(s, d, Slot::kPreposition, wNi15, p);
    }
  } else if (code == "NI16") {
    ruleAdverbial(s, g, d);
  } else if (code == "NI99") {
    addCaseRelation(s, g, d, "OBJ1", false);
    goingOutTo(s, g, p);
  } else if (code == "NI98") {
    addCaseRelation(s, g, d, "OBJ2", false);
  } else {
    addCaseRelation(s, g, d, "ADV", false);
    if (isSurface(s, p - 2, "どこ") || isSurface(s, p - 1, "か"))
      setSlot(s, d, Slot::kPreposition, wNiWhere, p);
    else if (isIAdjective(s, p + 1) || isNaAdjective(s, p + 1))
      setSlot(s, d, Slot::kPreposition, wNiAdjective, p);
  }
  consumeWord(s, p);
}

void ruleCaseDe(JcSentence* s, int governor, int dependent) {
  const int g = governor, d = dependent, p = findParticle(s, d, "で");
  if (!p) {
    int q = lastLeaf(s, d);
    while (q > 1 && isSymbol(s, q)) --q;
    if (isSurface(s, q, "でも")) addCaseRelation(s, g, d, "ADV", false);
    return;
  }
  if (isOneOf(s, p - 1, {"ひとり", "一人"}) || (isOneOf(s, p - 2, {"一", "１"}) && isSurface(s, p - 1, "人"))) {
    if (isSurface(s, p - 1, "人")) consumeWord(s, p - 2);
    consumeWord(s, p);
    setOwnRendering(s, p - 1, wDeAlone);
    addCaseRelation(s, g, d, "ADV", false);
    return;
  }
  if (isSurface(s, p + 1, "は")) {
    consumeWord(s, p + 1);
    consumeWord(s, p);
    addCaseRelation(s, g, d, "ADV", false);
    return;
  }
  if (isSurface(s, p + 1, "も")) {
    // でも: the particle goes, the phrase's noun stays: the object of a transitive verb that has
    // none (本でも読みたい), else an adverbial (公園でも遊ぶ, 一日だけでも休みたい).
    consumeWord(s, p);
    const int v = targetLexicalHead(s, g);
    const bool object = isVerb(s, v) && !isIntransitiveVerb(s, v) && hasNoObject(s, g) && !isPlaceOrTimeWord(s, p - 1) &&
                        !isCounterSuffix(s, p - 1) && !isSurface(s, p - 1, "だけ");
    addCaseRelation(s, g, d, object ? "OBJ1" : "ADV", false);
    return;
  }

  // Contrast with the phrase before: A は … で, A も … で.
  const int sib = prevSiblingOf(s, d);
  const std::string_view j = inNodeRange(s, sib) ? s->nodes[sib].jCode.view() : std::string_view();
  if (sib && (j == "J1" || j == "J12")) {
    const int first = firstLeaf(s, sib);
    int w = 0;
    for (int k = lastLeaf(s, sib); k >= first && k >= 1 && !w; --k)
      if (isSurface(s, k, j == "J1" ? "は" : "も")) w = k;
    if (w >= 2 && (sameSemanticGroup(s, w - 1, p - 1) || (hasPersonCode(s, w - 1) && hasPersonCode(s, p - 1)))) {
      addCaseRelation(s, g, d, "ADV", false);
      if (j == "J1")
        setHeadText(s, sib, wDeContrastWa);
      else
        setSlot(s, d, Slot::kCopula, wDeContrastMo, p);
      consumeWord(s, p);
      return;
    }
  }
  if (markedWithoutTemplate(s, d)) return;
  // The place of a purpose of going is where one goes: no 在 (店で本を買いに行った 去商店买了书).
  if (isPlaceNoun(s, p - 1) && isPurposeOfGoing(s, g)) {
    addCaseRelation(s, g, d, "ADV", false);
    consumeWord(s, p);
    return;
  }

  std::string code = usageOf(s, p);
  if (const JcCandidate* c = firstCandidate(s, p); c && c->extra.bytes[0] != 0) {
    const char x = c->extra.bytes[0];
    if ((x >= '1' && x <= '9') || x == 'A' || x == 'B' || x == 'C') code = std::string("DE") + x;
    else if (x == 'F') code = "DE0";
  }
  if (code == "DEC") {
    addCaseRelation(s, g, d, "OBJ2", false);
  } else {
    addCaseRelation(s, g, d, "ADV", false);
    if (code == "DE1") {
      caseWord(s, d, Slot::kPreposition, isPlaceOrTimeWord(s, p - 1) ? wDe1Place : wDe1, p);
    } else if (code == "DE2") {
      caseWord(s, d, Slot::kPreposition, hasSemantic1465Group(s, p - 1) ? wDe2Group : wDe2, p);
    } else if (code == "DE5") {
      const bool short5 = inNodeRange(s, p - 1) && beginsWith(s->nodes[p - 1].semCodes.view(), "13510");
      caseWord(s, d, Slot::kPreposition, short5 ? wDe5Short : wDe5, p);
    } else if (code == "DE6" || code == "DE7") {
      caseWord(s, d, Slot::kPreposition, code == "DE6" ? wDe6 : wDe7, p);
    } else if (code == "DE8") {
      caseWord(s, d, Slot::kPreposition, wDe8, p);
    } else if (code == "DE9" || code == "DEA" || code == "DEB") {
      if (isLive(s, p)) {
        const bool nine = code == "DE9", a = code == "DEA";
        setSlot(s, d, Slot::kPreposition, nine ? wDe9 : a ? wDeA : wDeB, p);
        setHeadText(s, d, nine ? wDe9Head : a ? wDeAHead : wDeBHead);
      }
    }
  }
  consumeWord(s, p);
}

void ruleCaseWo(JcSentence* s, int governor, int dependent) {
  const int g = governor, d = dependent, p = findParticle(s, d, "を");
  if (!p) return;
  const std::string code = usageOf(s, p);
  if (code == "WO2" && !hasVerbTemplate(s, g)) {
    addCaseRelation(s, g, d, "ADV", false);
    if (isLive(s, p)) {
      if (isPlaceOrTimeWord(s, p - 1)) setSlot(s, d, Slot::kPreposition, wWo2Place, p);
    } else {
      // An earlier step took the particle: the case word stands on its own.
      setSlot(s, d, Slot::kPreposition, wWo2Retired, p);
      setHeadText(s, d, wWo2RetiredHead);
    }
  } else {
    addCaseRelation(s, g, d, code == "WO3" ? "ADV" : "OBJ1", false);
  }
  consumeWord(s, p);
}

void ruleCaseHe(JcSentence* s, int governor, int dependent) {
  const int g = governor, d = dependent, p = findParticle(s, d, "へ");
  if (!p) return;
  const std::string code = usageOf(s, p);
  if (code == "HE1") {
    addCaseRelation(s, g, d, isSymbol(s, p + 1) ? "ADV" : "COMP", false);
    if (hasVerbTemplate(s, g))
      setSlot(s, d, Slot::kPreposition, wHe1Verb, p);
    else
      caseWord(s, d, Slot::kPreposition, wHe1, p);
  } else if (code == "HE99") {
    // The goal of a verb of going: its object (去学校).
    addCaseRelation(s, g, d, "OBJ1", false);
    goingOutTo(s, g, p);
  } else if (code == "HE2") {
    addCaseRelation(s, g, d, "COMP", false);
    caseWord(s, d, Slot::kPreposition, wHe2, p);
  } else {
    addCaseRelation(s, g, d, "ADV", false);
  }
  consumeWord(s, p);
}

void ruleCaseMade(JcSentence* s, int governor, int dependent) {
  const int g = governor, d = dependent, p = findParticle(s, d, "まで");
  if (!p) return;
  const int w = p - 1;
  if (isLiveSurface(s, w, "これ")) {
    addCaseRelation(s, g, d, "ADV", false);
    setOwnRendering(s, w, wMadeKore);
  } else if (!isTimeNoun(s, w) && !isCounterSuffix(s, w) && !isPlaceNoun(s, w)) {
    addCaseRelation(s, g, d, "ADV", false);
    caseWord(s, d, Slot::kClauseOpener, wMadeUntil, p);
  } else {
    const int before = prevSiblingOf(s, d);
    const bool ht = !(inNodeRange(s, before) && s->nodes[before].depLabel == "D22") &&
                    inNodeRange(s, g) && s->nodes[g].abFeatures == "|A14|";
    addCaseRelation(s, g, d, ht ? "HT" : "ADV", false);
    const int x = firstLeaf(s, d) - 1;
    const int at = x >= 1 && (!isNonTemporalNoun(s, x) || isCounterSuffix(s, x)) ? maximalProjection(s, x) : d;
    caseWord(s, at, Slot::kPreposition, wMadeTo, p);
  }
  consumeWord(s, p);
}

void ruleCaseYori(JcSentence* s, int governor, int dependent) {
  const int g = governor, d = dependent, p = findParticle(s, d, "より");
  if (!p) return;
  const std::string code = usageOf(s, p);
  addCaseRelation(s, g, d, "ADV", false);
  if (code == "YR1")
    caseWord(s, d, Slot::kPreposition, isSurface(s, p + 1, "大きな") ? wYr1Big : wYr1, p);
  else if (code == "YR2")
    caseWord(s, d, Slot::kPreposition, s->nodes[d].nextSibling == g ? wYr2Next : wYr2, p);
  else if (code == "YR3")
    caseWord(s, d, Slot::kPreposition, wYr3, p);
  consumeWord(s, p);
}

void ruleCaseKara(JcSentence* s, int governor, int dependent) {
  const int g = governor, d = dependent, p = findParticle(s, d, "から");
  if (!p) return;
  const std::string code = usageOf(s, p);
  addCaseRelation(s, g, d, "ADV", true);
  if (code == "KR1") caseWord(s, d, Slot::kPreposition, wKr1, p);
  else if (code == "KR2") caseWord(s, d, Slot::kPreposition, wKr2, p);
  else if (code == "KR3") caseWord(s, d, Slot::kPreposition, wKr3, p);
  else if (code == "KR4") caseWord(s, d, Slot::kPreposition, wKr4, p);
  else if (code == "KR5") caseWord(s, d, Slot::kPreposition, isNominalWord(s, p - 1) ? wKr5Nominal : wKr5, p);
  else if (code == "KR6") caseWord(s, d, Slot::kNearAdverbial, wKr6, p);
  else caseWord(s, d, Slot::kPreposition, wKrOther, p);
  consumeWord(s, p);
}

void ruleCaseGa(JcSentence* s, int governor, int dependent) {
  const int g = governor, d = dependent, p = findParticle(s, d, "が");
  if (!p) return;
  const int f = targetFirstLeaf(s, g);
  const bool afterDeWa = isBaseForm(s, f - 2, "で") && isBaseForm(s, f - 1, "は");
  const bool noneThere = (baseIsOneOf(s, f, {"ない", "無い"}) && !afterDeWa) ||
                         (isOneOf(s, f, {"あり", "有り"}) && isSurface(s, f + 1, "ませ") &&
                          isBaseForm(s, f + 2, "ぬ") && !afterDeWa);
  const bool liking = baseIsOneOf(s, f, {"好きだ", "すきだ", "嫌いだ", "きらいだ", "大好きだ", "大すきだ", "大嫌いだ",
                                         "大きらいだ", "欲しい", "ほしい", "必要だ"});
  if (!isDesiderativeNonPerson(s, g, d) && !noneThere && !liking) {
    addCaseRelation(s, g, d, baseIsOneOf(s, f, {"ある", "在る", "有る"}) ? "OBJ1" : "SUB", true);
  } else if (!findDependencyDependent(s, g, "D11")) {
    addCaseRelation(s, g, d, g == maximalProjection(s, f) ? "OBJ1" : "SUB", true);
  }
  consumeWord(s, p);
}

void ruleCaseNo(JcSentence* s, int governor, int dependent) {
  const int g = governor, d = dependent, p = findParticle(s, d, "の");
  if (!p) return;
  const std::string code = usageOf(s, p);
  if (code == "NO1") {
    addCaseRelation(s, g, d, "ADJ", true);
    const bool title = (inNodeRange(s, p + 1) && s->nodes[p + 1].semCodes == "12490") || isOneOf(s, p + 2, {"さん", "様"});
    if (hasPersonCode(s, p - 1) && title) {
      consumeWord(s, p);
      setKind(s, d, 'z');
    }
    return;
  }
  if (code == "NO2" && hasPersonSemantics(s, p - 1)) {
    const int a = isSymbol(s, p + 1) ? p + 2 : p + 1;
    if (testAdjectiveBaseOrPast(s, a) || isNaAdjectiveAdnominal(s, a)) {
      addCaseRelation(s, g, d, "ADJ", true);
      setHeadText(s, s->targets[p].parent, wNo2Head);
      consumeWord(s, p);
      return;
    }
  }
  addCaseRelation(s, g, d, "SUB", true);
  consumeWord(s, p);
  setKind(s, d, 'z');
}

namespace {

// Coordination A と B of like nouns: A stands before B and hangs on it as its D21 dependent.
void coordinateNouns(JcSentence* s, int gov, int g, int d, int* restart) {
  JcNode& D = s->nodes[d];
  JcNode& G = s->nodes[g];
  JcTargetNode& DT = s->targets[d];
  JcTargetNode& GT = s->targets[g];
  if (D.parent == g) {
    const int up = G.parent;
    D.parent = up;
    DT.parent = GT.parent;
    if (up && s->nodes[up].firstChild == g) s->nodes[up].firstChild = d;
    if (GT.parent && s->targets[GT.parent].firstChild == g) s->targets[GT.parent].firstChild = d;
    G.firstChild = D.nextSibling;
    if (D.nextSibling > 0) s->nodes[D.nextSibling].prevSibling = 0;
    GT.firstChild = DT.nextSibling;
    if (DT.nextSibling > 0) s->targets[DT.nextSibling].prevSibling = 0;
    D.prevSibling = G.prevSibling;
    if (G.prevSibling > 0) s->nodes[G.prevSibling].nextSibling = d;
    DT.prevSibling = GT.prevSibling;
    if (GT.prevSibling > 0) s->targets[GT.prevSibling].nextSibling = d;
    G.prevSibling = d;
    GT.prevSibling = d;
    if (s->firstTop == g) {
      s->firstTop = d;
      s->firstTopTarget = d;
    }
  }
  D.nextSibling = g;
  DT.nextSibling = g;
  int flag = 0;
  removeDependencyLink(s, gov, d, "D21", &flag);
  addDependencyLink(s, g, d, "D21", flag);
  D.headPhrase = g;
  D.labelHeads[labelHeadIndex("D21")] = g;
  D.usageCode = "TO5";
  reattachToPhrase(s, d, 1);
  *restart = 0;
}

// The usage codes of と. Each answers whether the particle is retired now; false when the
// phrase was coordinated, repointed or given another code, so that the walk meets it again.

// TO1: a companion, a coordination, or a quotation.
bool caseToTO1(JcSentence* s, int gov, int d, int p, int j, int* restart) {
  int g = gov;
  if (s->nodes[gov].depLabel == "D3" && headPhraseOf(s, gov)) g = headPhraseOf(s, gov);
  int h = headMorpheme(s, g);
  while (h > 0 && h < s->lastMorpheme && isNominalWord(s, h + 1)) ++h;
  const int n = s->nodes[d].nextSibling;
  const int m = n == gov ? 0 : [&] {
    int c = lastChildOf(s, n);
    while (c > 0 && isSymbol(s, c)) c = prevSiblingOf(s, c);
    return c;
  }();

  if (isOneOf(s, p + 1, {"一緒", "いっしょ"})) {
    addCaseRelation(s, gov, d, "ADV", true);
    caseWord(s, d, Slot::kPreposition, wToTogether, p);
  } else if (hasNounFeature(s, g) &&
             (sameSemanticGroup(s, p - 1, h) || (isNominalWord(s, p - 1) && isNominalWord(s, h))) &&
             !isPersonOrOrganisation(s, p - 1) && h > 0 && s->nodes[p - 1].pos.view() == s->nodes[h].pos.view() &&
             firstChildOf(s, g) == d) {
    coordinateNouns(s, gov, g, d, restart);
    return false;
  } else if (isSurface(s, m, "に") && isNominalWord(s, m - 1) && headPhraseOf(s, n) == gov) {
    repointTo(s, gov, d, n, restart);
    return false;
  } else if (isNounHead(s, p - 1) && isNounHead(s, p + 1) && !isPersonOrOrganisation(s, p - 1) &&
             isSurface(s, p + 2, "を") && n && lastChildOf(s, n) == p + 2) {
    repointTo(s, gov, d, n, restart);
    return false;
  } else if (isSurface(s, p - 1, "」") && (isVerb(s, p + 1) || isSahenNoun(s, p + 1))) {
    addCaseRelation(s, gov, d, findSurfaceBackward(s, p - 1, "「") ? "OBJ1" : "ADV", true);
  } else if ((isNaAdjective(s, j) && !isBaseForm(s, p + 1, "同じだ")) || isNumeral(s, p - 1) ||
             isCounterSuffix(s, p - 1)) {
    addCaseRelation(s, gov, d, "ADV", true);
  } else if (isSurface(s, p - 1, "」") || (isSurface(s, p - 2, "」") && isSurface(s, p - 1, "など"))) {
    const bool saying = isLiveBaseForm(s, p + 1, "思う") || isLiveBaseForm(s, p + 1, "おもう") ||
                        isLiveBaseForm(s, p + 1, "考える") || isLiveBaseForm(s, p + 1, "言う") ||
                        isLiveBaseForm(s, p + 1, "答える");
    addCaseRelation(s, gov, d, saying ? "OBJ1" : "ADV", true);
  } else {
    addCaseRelation(s, gov, d, "ADV", true);
    if (!(isSurface(s, firstLeaf(s, d), "(") && isSurface(s, p - 1, ")"))) caseWord(s, d, Slot::kPreposition, wToWith, p);
  }
  return true;
}

// TO3: 分からない, or a quotation.
bool caseToTO3(JcSentence* s, int gov, int d, int p) {
  if (baseIsOneOf(s, p + 1, {"分かる", "わかる"}) && isBaseForm(s, p + 2, "ない")) {
    addCaseRelation(s, gov, d, "ADV", true);
    if (JcTargetNode* t = ruleTarget(s, d)) t->headText2 = wTo3Know.text();
  } else {
    const bool plain = !findSurfaceBackward(s, p - 1, "「") && !isVerb(s, p + 1);
    addCaseRelation(s, gov, d, plain ? "ADV" : "OBJ1", true);
  }
  return true;
}

// TO5: the first of two coordinated nouns; under a predicate it becomes TO1 again.
bool caseToTO5(JcSentence* s, int gov, int d, int p, int* restart) {
  // The usage code is read from the particle's phrase; rewrite it there as well as on d.
  const int reader = s->targets[p].firstChild == 0 && s->targets[p].lastChild == 0 ? s->targets[p].parent : p;
  if (hasPredicateFeature(s, gov)) {
    const int last = lastLeaf(s, d), n = s->nodes[d].nextSibling;
    const bool endsWithP = last == p || (isSymbol(s, last) && last - 1 == p);
    if (endsWithP && n && hasNounFeature(s, n) && n != gov) {
      repointTo(s, gov, d, n, restart);
    } else {
      setUsage(s, d, "TO1");
      setUsage(s, reader, "TO1");
      *restart = 0;
    }
    return false;
  }
  if (isLiveSurface(s, p + 1, "一緒") || isLiveSurface(s, p + 1, "いっしょ")) {
    setUsage(s, d, "TO1");
    setUsage(s, reader, "TO1");
    *restart = 0;
    return false;
  }
  addCaseRelation(s, gov, d, "ADV", true);
  if (isLive(s, p)) {
    JcTargetNode& t = s->targets[d];
    if (s->nodes[p].nextSibling == 0 && !t.text4.empty())
      t.text4.append(wTo5Text4.text());
    else
      t.headText = wTo5Head.text();
  }
  return true;
}

// TO6: a condition or a clause taken as an object.
bool caseToTO6(JcSentence* s, int gov, int d, int p) {
  const bool clause =
      isVerb(s, p + 1) ||
      (isSahenNoun(s, p + 1) && (isSymbol(s, p + 2) || (ruleTarget(s, p + 2) && s->targets[p + 2].nextSibling == 0))) ||
      (isVerbTaForm(s, p - 1) && inAb(s, d, "B17")) || isOneOf(s, p - 1, {"」", "｣"});
  if (clause || (isSurface(s, p + 1, "しか") && isVerb(s, p + 2))) {
    addCaseRelation(s, gov, d, "OBJ2", true);
  } else if ((!isVerb(s, p - 1) || isVerbTaForm(s, p - 1)) && !isBaseForm(s, p - 1, "ない") &&
             !isBaseForm(s, p - 1, "だ")) {
    addCaseRelation(s, gov, d, "ADV", true);
  } else {
    addCaseRelation(s, gov, d, "ADV", true);
    if (!isSurface(s, p - 1, "よる") && isLive(s, p)) {
      if (JcTargetNode* t = ruleTarget(s, d)) t->headText2 = wTo6Head2.text();
    }
  }
  return true;
}

}  // namespace

void ruleCaseTo(JcSentence* s, int governor, int dependent, int* restart) {
  const int gov = governor, d = dependent, p = findParticle(s, d, "と");
  if (!p) return;
  *restart = 1;
  int j = lastLeaf(s, d);
  if (isSymbol(s, j)) --j;
  const std::string code = usageOf(s, p);
  bool retire = true;
  if (code == "TO1") {
    retire = caseToTO1(s, gov, d, p, j, restart);
  } else if (code == "TO2") {
    addCaseRelation(s, gov, d, "OBJ1", true);
  } else if (code == "TO3") {
    retire = caseToTO3(s, gov, d, p);
  } else if (code == "TO5") {
    retire = caseToTO5(s, gov, d, p, restart);
  } else if (code == "TO6") {
    retire = caseToTO6(s, gov, d, p);
  } else {
    addCaseRelation(s, gov, d, "ADV", true);  // TO4 and any other code
  }
  if (retire) consumeWord(s, p);
}

}  // namespace jc
