#include "engine/jc/rules/jc_case_relation_rules.h"

#include <initializer_list>
#include <string>

#include "engine/jc/core/jc_links.h"
#include "engine/jc/core/jc_predicates.h"
#include "engine/jc/rules/jc_case_particle_rules.h"
#include "engine/jc/rules/jc_rule_kit.h"
#include "engine/jc/rules/jc_suffix_rules.h"

namespace jc {

namespace {

using namespace case_relation_keys;

const RenderingKeySpec kKeys[] = {
    {kAgentClass1, 1, 2, 2},        {kAgentClass2, 1, 2, 2},        {kAgentClass4, 1, 2, 2},
    {kAgentRain, 1, 2, 2},          {kAgentRainVerb, 1, 2, 2},      {kAgentDieVerb, 1, 4, 4},
    {kAgentCausativeSlot5, 1, 2, 2}, {kAgentPassiveSlot13, 1, 2, 2}, {kAgentSiblingSlot13, 1, 4, 4},
    {kFrameJoinWords, 7, 2, 0},     {kPairSlot13, 1, 4, 4},         {kPairSlot12, 1, 2, 2},
    {kTopicCopula, 1, 2, 2},        {kAdverbialMarker, 1, 2, 2},    {kAdverbialEndings, 2, 2, 2},
    {suffix_keys::kSplitMark, 1, 2, 2},  // shared with the suffix rules
};
const RenderingKeyRegistrar registrar(kKeys, static_cast<int>(sizeof kKeys / sizeof kKeys[0]));

const RuleWord wAgentClass1(kAgentClass1), wAgentClass2(kAgentClass2), wAgentClass4(kAgentClass4),
    wAgentRain(kAgentRain), wAgentRainVerb(kAgentRainVerb), wAgentDieVerb(kAgentDieVerb),
    wCausativeSlot5(kAgentCausativeSlot5), wPassiveSlot13(kAgentPassiveSlot13), wSiblingSlot13(kAgentSiblingSlot13),
    wPairSlot13(kPairSlot13), wPairSlot12(kPairSlot12), wTopicCopula(kTopicCopula), wAdverbialMarker(kAdverbialMarker),
    wSplitMark(suffix_keys::kSplitMark);

// The bar lists, resolved once per table load.
struct BarListWord {
  const char* key;
  mutable const std::string* list = nullptr;
  mutable unsigned generation = 0;
  const std::string& text() const {
    if (!list || generation != renderingTableGeneration()) {
      list = &renderingBarList(key);
      generation = renderingTableGeneration();
    }
    return *list;
  }
};
const BarListWord wJoinWords{kFrameJoinWords}, wAdverbialEndings{kAdverbialEndings};

bool isSentinel(const JcLink* l) { return !l || !l->next; }

bool inAb(const JcSentence* s, int i, std::string_view code) {
  return inNodeRange(s, i) && isInBarList(s->nodes[i].abFeatures.view(), code);
}

// The last character of text is one of the words of a bar list.
bool endsWithAnyWord(std::string_view text, const std::string& list) {
  if (text.empty()) return false;
  std::size_t last = 0;
  for (std::size_t k = 0; k < text.size(); k += charLengthAt(text, k)) last = k;
  return isInBarList(list, text.substr(last));
}

// Moves dependent d out of its parent's first place into a sibling row just before `before`, in
// both trees; d keeps its `parent`.
void liftBefore(JcSentence* s, int d, int parent, int before) {
  JcNode& D = s->nodes[d];
  JcTargetNode& T = s->targets[d];
  const int oldNext = D.nextSibling, oldNextTarget = T.nextSibling;
  s->nodes[parent].firstChild = oldNext;
  if (oldNext > 0 && oldNext < kJcMaxNodes) s->nodes[oldNext].prevSibling = 0;
  s->targets[parent].firstChild = oldNextTarget;
  if (oldNextTarget > 0 && oldNextTarget < kJcMaxNodes) s->targets[oldNextTarget].prevSibling = 0;

  JcNode& B = s->nodes[before];
  D.prevSibling = B.prevSibling;
  if (B.prevSibling > 0) s->nodes[B.prevSibling].nextSibling = d;
  if (s->firstTop == before) s->firstTop = d;
  D.nextSibling = before;
  B.prevSibling = d;

  JcTargetNode& BT = s->targets[before];
  T.prevSibling = BT.prevSibling;
  if (BT.prevSibling > 0) s->targets[BT.prevSibling].nextSibling = d;
  if (s->firstTopTarget == before) s->firstTopTarget = d;
  T.nextSibling = before;
  BT.prevSibling = d;
}

// The item (governor, d, label) is replaced by one from newGovernor; d's labels follow.
void rehang(JcSentence* s, int governor, int d, int newGovernor, std::string_view label) {
  int flag = 0;
  removeDependencyLink(s, governor, d, label, &flag);
  s->nodes[d].headPhrase = newGovernor;
  clearLinkBlock(s, d);
  if (int k = labelHeadIndex(label); k >= 0) s->nodes[d].labelHeads[k] = newGovernor;
  addDependencyLink(s, newGovernor, d, label, flag);
}

int lastChildBeforeSymbols(const JcSentence* s, int i) {
  int m = lastChildOf(s, i);
  for (int steps = 0; m > 0 && isSymbol(s, m) && steps < kJcMaxNodes; ++steps) m = prevSiblingOf(s, m);
  return m;
}

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

int countItems(const JcSentence* s) {
  int n = 0;
  for (const JcLink* l = s->dependencyList; !isSentinel(l); l = l->next) ++n;
  return n;
}

}  // namespace

// ---- support ----

void addCaseRelation(JcSentence* s, int governor, int dependent, std::string_view label, bool copy) {
  addRelation(s, governor, dependent, label);
  if (copy) {
    if (JcTargetNode* t = ruleTarget(s, dependent)) t->relation = label;
  }
}

bool isTimePointPhrase(const JcSentence* s, int node) {
  if (!inNodeRange(s, node) || node == 0 || !isInBarList(s->nodes[node].sFeatures.view(), "S3")) return false;
  const int leaf = lastLeaf(s, node);
  if (leaf < 1 || leaf > s->lastNode) return false;
  if (endsWith(s->nodes[leaf].surface.view(), "間")) return false;
  if (leaf > 1 && endsWith(s->nodes[leaf - 1].surface.view(), "間")) return false;
  if (isOneOf(s, leaf, {"週", "ヶ月", "箇月", "ヵ月", "か月", "カ月", "個月"})) return false;
  const int first = firstLeaf(s, headPhraseOf(s, node));
  return !baseIsOneOf(s, first, {"かける", "掛ける", "かかる", "掛かる", "掛る"});
}

bool hasRenderedLeaf(const JcSentence* s, int node) {
  if (!ruleTarget(s, node)) return false;
  int a = targetFirstLeaf(s, node), b = targetLastLeaf(s, node);
  if (a == 0 || b == 0) a = b = node;
  for (int k = a; k <= b && k < kJcMaxNodes; ++k) {
    const JcTargetNode& t = s->targets[k];
    if (!t.live) continue;
    const std::string_view zh = firstChinese(s, k);
    if (!targetSlot(t, Slot::kOwnRendering).empty() || (!zh.empty() && zh != "&")) return true;
  }
  return false;
}

void setDependencyActive(JcSentence* s, int governor, int dependent, int value) {
  for (JcLink* l = s->dependencyList; !isSentinel(l); l = l->next) {
    if (l->governor == governor && l->dependent == dependent) {
      l->active = static_cast<std::uint8_t>(value);
      return;
    }
  }
}

bool templateReferences(const JcSentence* s, int dependent, int governor) {
  const JcTargetNode* t = ruleTarget(s, governor);
  if (!t || t->templateText.empty()) return false;
  const std::string ref = "{" + std::to_string(dependent) + "}";
  return t->templateText.view().find(ref) != std::string_view::npos;
}

// ---- (1) agent phrases ----

int ruleAgentPhrase(JcSentence* s, int governor, int dependent, std::string_view label) {
  JcTargetNode* gt = ruleTarget(s, governor);
  if (!gt || !ruleTarget(s, dependent) || gt->headLinked) return 0;
  const char cls = s->nodes[governor].classChar;
  int p = 0;
  for (int k = lastLeaf(s, dependent); k >= 1 && !p; --k) {
    if (cls == '1' ? isOneOf(s, k, {"に", "を"})
                   : (label == "D13" ? isSurface(s, k, "に") : label == "D22" && isSurface(s, k, "から")))
      p = k;
  }
  if (!p || !isLive(s, p)) return 0;
  const bool ni = isSurface(s, p, "に");
  if (p > 1) {
    const std::string_view sem = s->nodes[p - 1].semCodes.view();
    if (ni && (isAdverb(s, p - 1) || isTimeNoun(s, p - 1) || beginsWith(sem, "117") ||
               sem.find("/117") != std::string_view::npos))
      return 0;
    if (isOneOf(s, p - 1, {"以上", "以下"})) return 0;
    if (ni && s->nodes[parentOf(s, p)].usageCode == "NI2") return 0;
  }
  const bool marked = s->targets[dependent].mark == "K";
  if (cls == '1' && ni && p >= 2 && marked && !hasPersonSemantics(s, p - 1)) return 0;
  if (cls == '2' && (ni || isSurface(s, p, "から")) && marked && !gt->templateText.empty()) {
    const std::string ref = "{" + std::to_string(dependent) + "}";
    const std::string_view tpl = gt->templateText.view();
    for (std::size_t at = tpl.find(ref); at != std::string_view::npos; at = tpl.find(ref, at + 1))
      if (at > 0) return 0;
  }

  // The causative or passive suffix of the governor gives way to the agent.
  const int first = firstLeaf(s, governor);
  int suffix = 0;
  for (int k = lastLeaf(s, governor); k >= first && k >= 1 && !suffix; --k)
    if (baseIsOneOf(s, k, {"せる", "させる"})) suffix = k;
  if (suffix) {
    consumeWord(s, suffix);
    if (targetSlot(*gt, Slot::kPreposition) == wCausativeSlot5.text() && !wCausativeSlot5.text().empty()) {
      setSlot(s, governor, Slot::kPreposition, "");
      setSlotSource(s, governor, Slot::kPreposition, 0);
    }
  } else {
    for (int k = lastLeaf(s, governor); k >= first && k >= 1 && !suffix; --k)
      if (baseIsOneOf(s, k, {"れる", "られる"})) suffix = k;
    if (suffix) {
      consumeWord(s, suffix);
      if (targetSlot(*gt, Slot::kPassive) == wPassiveSlot13.text() && !wPassiveSlot13.text().empty()) setSlot(s, governor, Slot::kPassive, "");
    }
  }

  const bool allowed = isLive(s, p);
  addCaseRelation(s, governor, dependent, "ADV", false);
  if (allowed) {
    if (cls == '1') {
      setSlot(s, dependent, Slot::kPreposition, wAgentClass1, p);
      for (int n = s->nodes[dependent].nextSibling, k = 0; n > 0 && k < kJcMaxNodes; n = s->nodes[n].nextSibling, ++k) {
        if (targetSlot(s->targets[n], Slot::kPassive) == wSiblingSlot13.text()) {
          setSlot(s, n, Slot::kPassive, "");
          break;
        }
      }
    } else if (cls == '4') {
      const int hm = headMorpheme(s, governor);
      if (isBaseForm(s, hm, "降る")) {
        setSlot(s, dependent, Slot::kPassive, wAgentRain, p);
        setOwnRendering(s, hm, wAgentRainVerb);
      } else if (isBaseForm(s, hm, "死ぬ")) {
        setOwnRendering(s, hm, wAgentDieVerb);
      } else {
        setSlot(s, dependent, Slot::kPassive, wAgentClass4, p);
      }
    } else if (cls == '2') {
      setSlot(s, dependent, Slot::kPassive, wAgentClass2, p);
    }
  }
  gt->headLinked = dependent;
  consumeWord(s, p);
  return 1;
}

void applyAgentPhrasePass(JcSentence* s) {
  for (int pass = 1; pass <= 3; ++pass) {
    for (JcLink* l = s->dependencyList; !isSentinel(l); l = l->next) {
      const int g = l->governor, d = l->dependent;
      if (!inNodeRange(s, g) || !inNodeRange(s, d) || g == 0 || d == 0) continue;
      const char cls = s->nodes[g].classChar;
      bool match = false;
      if (pass == 1) {
        match = cls == '1' && isIntransitiveVerb(s, headMorpheme(s, g)) && l->label == "D11" && hasPersonSemantics(s, d);
      } else if (pass == 2) {
        match = cls == '2' && l->label == "D22" && hasPersonSemantics(s, d);
      } else {
        match = (cls == '1' || cls == '2' || cls == '4') && l->label == "D13" && isNonTemporalNoun(s, headMorpheme(s, d));
      }
      if (match) ruleAgentPhrase(s, g, d, l->label.view());
    }
  }
}

// ---- (2) valency frames ----

void applyValencyFramePass(JcSentence* s) {
  const std::string& mark = wSplitMark.text();
  for (JcLink* l = s->dependencyList; l; l = l->next) {
    const int g = l->governor;
    int h = targetLexicalHead(s, g);
    if (h == 0 && s->firstTopTarget != 0 && s->firstTopTarget == s->lastTopTarget)
      h = targetLexicalHead(s, s->firstTopTarget);
    const JcCandidate* c = firstCandidate(s, h);
    if (!c || mark.empty() || !targetSlot(s->targets[h], Slot::kOwnRendering).empty()) continue;
    const std::string_view zh = c->chinese.view(), code = c->valency.view();
    const std::size_t at = findAtCharacter(zh, mark);
    if (at == std::string_view::npos || !beginsWith(code, "VT")) continue;
    std::string front(zh.substr(0, at)), back(zh.substr(at + mark.size()));
    if (!front.empty() && front[0] == '&' && s->nodes[h].pos != "1") front.erase(0, 1);

    char mode = 0;
    if (beginsWith(code, "VTA")) {
      mode = 'A';
      setOwnRendering(s, h, back);
    } else if (beginsWith(code, "VTB")) {
      mode = 'B';
      setOwnRendering(s, h, front);
    }
    std::string_view label, particle;
    switch (code.size() > 3 && mode ? code[3] : 0) {
      case '1': label = "D13", particle = "に"; break;
      case '2': label = "D11", particle = "を"; break;
      case '3':
        if (findDependencyDependent(s, g, "D13")) label = "D13", particle = "に";
        else label = "D11", particle = "を";
        break;
      case '4': label = "D14", particle = "の"; break;
      case '5':
        if (findDependencyDependent(s, g, "D14")) label = "D14", particle = "の";
        else label = "D13", particle = "に";
        break;
      default: break;
    }
    const int d = label.empty() ? 0 : findDependencyDependent(s, g, label);
    if (d) {
      const int k = findSurfaceBeforeTargetEnd(s, d, particle);
      if (k && k >= targetFirstLeaf(s, d)) consumeWord(s, k);
      setDependencyActive(s, g, d, 0);
    }
    const bool rendered = hasRenderedLeaf(s, d);
    if (mode == 'A') {
      if (rendered) {
        setSlot(s, d, Slot::kPreposition, front, h);
        addCaseRelation(s, g, d, "ADV", false);
      } else if (isInBarList(wJoinWords.text(), front)) {
        setOwnRendering(s, h, front + back);
      }
    } else if (mode == 'B') {
      if (rendered) {
        s->targets[d].headText = back;
        addCaseRelation(s, g, d, "OBJ1", false);
      } else {
        setOwnRendering(s, h, front + back);
      }
    }
  }

  // A pair of slot words that say the same thing twice keeps neither.
  const std::string& x = wPairSlot12.text();
  for (int t = s->firstTopTarget, k = 0; t > 0 && t < kJcMaxNodes && k < kJcMaxNodes; t = s->targets[t].nextSibling, ++k) {
    JcTargetNode& T = s->targets[t];
    if (x.empty() || targetSlot(T, Slot::kPassive) != wPairSlot13.text()) continue;
    const std::string_view s12 = targetSlot(T, Slot::kCopula);
    if (s12 == x) {
      setTargetSlot(T, 12, "");
    } else if (s12.size() == 4 && x.size() == 2 && s12.substr(2) == x) {
      setTargetSlot(T, 12, std::string(s12.substr(0, 2)));
    } else {
      continue;
    }
    setTargetSlot(T, 13, "");
  }
}

// ---- (3) the walk ----

void ruleTopic(JcSentence* s, int governor, int dependent, int* restart, bool* keepOpen) {
  const int d = dependent, m = lastChildBeforeSymbols(s, d);
  const int P = parentOf(s, d);
  if (isSurface(s, m, "は") && P && lastChildOf(s, P) == headPhraseOf(s, governor) && firstChildOf(s, P) == d &&
      !isInBarList(s->nodes[d].sFeatures.view(), "S3")) {
    const int r = rootOf(s, P);
    int to = r;
    if (governsNoDependency(s, r) && !(inAb(s, r, "A15") && inAb(s, r, "A3"))) {
      to = headPhraseOf(s, r);
      if (to == 0) to = r;
    }
    rehang(s, governor, d, to, "D1");
    liftBefore(s, d, P, r);
    *restart = 0;
    return;
  }
  if (isLiveSurface(s, m, "とも") && (isLiveBaseForm(s, m + 1, "言える") || isLiveBaseForm(s, m + 1, "いえる"))) {
    addCaseRelation(s, governor, d, "OBJ2", true);
    *keepOpen = true;
    return;
  }
  addCaseRelation(s, governor, d, "SUB", true);

  // An equative clause (A は B です) gets the copula.
  const JcNode& D = s->nodes[d];
  if (!((D.jCode == "J1" && inAb(s, d, "A1")) || D.jCode == "J12")) return;
  if (!(inAb(s, governor, "A24") || inAb(s, governor, "A3")) || !inAb(s, governor, "A15")) return;
  int l = lastLeaf(s, governor);
  if (!isSymbol(s, l) || !(s->nodes[l].subPos == "1" || s->nodes[l].subPos == "2")) return;
  while (l > 1 && isSymbol(s, l)) --l;
  const bool nominal = isNominalWord(s, l) && s->nodes[l].subPos != "8";
  const bool personDe = isLiveSurface(s, l, "で") && hasPersonCode(s, m - 1) && hasPersonCode(s, l - 1);
  if (!nominal && !personDe) return;
  setSlot(s, governor, Slot::kAfterSubject, wTopicCopula);
  if (isLiveSurface(s, l, "で")) consumeWord(s, l);
}

void ruleAdverbial(JcSentence* s, int governor, int dependent) {
  int i = lastLeaf(s, dependent);
  if (isSurface(s, i, "よう") && s->nodes[dependent].nextSibling == governor && isVerb(s, i - 1)) {
    addCaseRelation(s, governor, dependent, "OBJ2", true);
    consumeWord(s, i);
    setKind(s, i - 1, 'z');
    setKind(s, parentOf(s, i - 1), 'z');
    return;
  }
  if (isSurface(s, i, "そうに")) consumeWord(s, i--);
  if (isSurface(s, i, "に")) consumeWord(s, i--);
  if (isSurface(s, i, "げ")) consumeWord(s, i--);
  if (isSymbol(s, i)) --i;

  JcCandidate* c = i >= 1 ? firstCandidate(s, i) : nullptr;
  if (c && targetSlot(s->targets[i], Slot::kOwnRendering).empty() && !isSymbol(s, i + 1)) {
    const std::string_view v = c->valency.view(), type = s->nodes[i].conjType.view(), form = s->nodes[i].conjForm.view();
    const bool adverbialCode = (beginsWith(v, "A") || v.find(";A") != std::string_view::npos) &&
                               v.find('@') == std::string_view::npos;
    const bool adverbialForm = (isInBarList("|18|19|20|", type) && (form == "6" || form == "1")) ||
                               (type == "21" && (form == "7" || form == "1")) ||
                               ((type == "22" || type == "23") && (form == "8" || form == "1")) ||
                               (type == "24" && form == "3") || isAdverb(s, i);
    if (adverbialCode && adverbialForm && v.find('F') == std::string_view::npos &&
        !endsWithAnyWord(c->chinese.view(), wAdverbialEndings.text()))
      c->chinese.append(wAdverbialMarker.text());
  }
  if ((c && c->extra.bytes[0] == 1) || isSurface(s, i, "そんなに") || isIAdjectiveContinuative(s, i) ||
      isNaAdjectiveContinuative(s, i)) {
    addCaseRelation(s, governor, dependent, "ADVV", true);
  } else {
    addCaseRelation(s, governor, dependent, "ADV", true);
  }
}

void ruleAdnominal(JcSentence* s, int governor, int dependent) {
  const int i = lastLeaf(s, dependent);
  if (s->nodes[i].pos == "1" || isOneOf(s, i + 1, {"（", "("})) {
    setKind(s, parentOf(s, i), 'z');
    setKind(s, dependent, 'z');
    setKind(s, i, 'z');
  }
  addCaseRelation(s, governor, dependent, "ADJ", true);
}

void ruleNoCase(JcSentence* s, int governor, int dependent, int* restart) {
  const int d = dependent, i = lastLeaf(s, d);
  if (!isSymbol(s, i) && !isSymbol(s, i + 1)) {
    if (!isTimePointPhrase(s, d) && !isPrefix(s, firstLeaf(s, d)) && !(isCounterSuffix(s, i) && isNumeral(s, i + 1)))
      addCaseRelation(s, governor, d, "NUM", true);
    else
      ruleAdverbial(s, governor, d);
    return;
  }
  const int P = parentOf(s, d);
  if (isInBarList(s->nodes[d].sFeatures.view(), "S3") && P && lastChildOf(s, P) == headPhraseOf(s, governor) &&
      firstChildOf(s, P) == d) {
    const int before = prevSiblingOf(s, P);
    int to;
    if (before && s->nodes[before].depLabel == "D1") to = headPhraseOf(s, before);
    else if (governsNoDependency(s, P)) to = headPhraseOf(s, P);
    else to = P;
    if (to == 0) to = P;
    rehang(s, governor, d, to, "D5");
    liftBefore(s, d, P, P);
    *restart = 0;
    return;
  }
  ruleAdverbial(s, governor, d);
}

namespace {

// One item of the walk; false when the item stays open.
bool dispatch(JcSentence* s, JcLink* l, int* restart) {
  const int g = l->governor, d = l->dependent;
  const std::string label = l->label.str();
  bool keepOpen = false;
  if (label == "TG" || label == "BL") {
    addCaseRelation(s, g, d, label, true);
  } else if (label == "D1") {
    ruleTopic(s, g, d, restart, &keepOpen);
  } else if (label == "D2") {
    ruleAdverbial(s, g, d);
  } else if (label == "D3" || label == "D7") {
    ruleAdnominal(s, g, d);
  } else if (label == "D4") {
    addCaseRelation(s, g, d, "SJ", true);
  } else if (label == "D5") {
    ruleNoCase(s, g, d, restart);
  } else if (label == "D6") {
    addCaseRelation(s, g, d, "BM", true);
  } else if (label == "D8" || label == "D22") {
    ruleCaseKara(s, g, d);
  } else if (label == "D9" || label == "D20") {
    ruleCaseGa(s, g, d);
  } else if (label == "D10") {
    ruleCaseYori(s, g, d);
  } else if (label == "D11") {
    ruleCaseWo(s, g, d);
  } else if (label == "D12") {
    ruleCaseDe(s, g, d);
  } else if (label == "D13") {
    ruleCaseNi(s, g, d);
  } else if (label == "D14") {
    ruleCaseNo(s, g, d);
  } else if (label == "D15") {
    ruleCaseHe(s, g, d);
  } else if (label == "D16") {
    ruleCaseMade(s, g, d);
  } else if (isInBarList("|D17|D18|D19|D23|D24|D25|D26|", label)) {
    addCaseRelation(s, g, d, "ADV", true);
  } else if (label == "D21") {
    ruleCaseTo(s, g, d, restart);
  } else if (label == "D27") {
    addCaseRelation(s, g, d, "OBJ2", true);
  } else {
    keepOpen = true;
  }
  return !keepOpen;
}

}  // namespace

void walkDependencies(JcSentence* s) {
  // A restart re-reads the list from its head; a sentence whose moves undo each other would go
  // round for ever, so the restarts are bounded.
  int restarts = 4 * (countItems(s) + 1);
  JcLink* l = s->dependencyList;
  while (!isSentinel(l)) {
    const int g = l->governor, d = l->dependent;
    const JcTargetNode* gt = ruleTarget(s, g);
    const JcTargetNode* dt = ruleTarget(s, d);
    if (!l->active || (gt && gt->headLinked == d)) {
      l = l->next;
      continue;
    }
    if (!l->carriedFlag && dt && !(dt->mark == "*") && !(dt->mark == "?") && templateReferences(s, d, g)) {
      addCaseRelation(s, g, d, "KK", true);
      l->carriedFlag = 1;
    }
    if (l->carriedFlag) {
      l = l->next;
      continue;
    }
    int restart = 1;
    const bool close = dispatch(s, l, &restart);
    if (restart == 0) {
      // The item may be gone; the list is read again from its head.
      if (--restarts < 0) return;
      l = s->dependencyList;
      continue;
    }
    if (close) l->carriedFlag = 1;
    l = l->next;
  }
}

void applyCaseRelationRules(JcSentence* s) {
  if (!s) return;
  if (!isSentinel(s->dependencyList)) {
    applyAgentPhrasePass(s);
    applyValencyFramePass(s);
    walkDependencies(s);
  }
  if (JcTargetNode* t = ruleTarget(s, s->defaultRelationTarget)) t->relation = "GOV";
}

}  // namespace jc
