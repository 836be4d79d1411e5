#include "engine/cj/transfer/role_forms.h"

#include <string>

#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/node_text.h"
#include "engine/common/word_table.h"
#include "engine/cj/transfer/attributive_particle.h"
#include "engine/cj/transfer/candidate_narrowing.h"
#include "engine/cj/transfer/dependent_patterns.h"
#include "engine/cj/transfer/dictionary_lookup.h"
#include "engine/cj/transfer/particles.h"
#include "engine/cj/transfer/role_link_queries.h"
#include "engine/cj/transfer/rule_actions.h"
#include "engine/cj/transfer/transfer_navigation.h"
#include "engine/cj/transfer/rule_watch.h"

namespace cj {

namespace {
// Keys read here, held so that each is looked up once.
constinit ListedKey kDictionaryLookupDroppingPreviousKey{"dictionaryLookup.droppingPrevious"};
}  // namespace

const char* const kCountryNames[kCountryCount] = {"中国",   "米国", "日本",   "英国",     "フランス", "ドイツ",
                                                  "ロシア", "韓国", "北朝鮮", "イタリア", "カナダ",   "オーストラリア"};

namespace {

const WordKeySpec kWordKeys[] = {
    {kSymbolChars, 0, 1, 1},      {kSubjectAlsoWords, 2, 1, 1},  {kSubjectAlsoLong, 1, 2, 2},
    {kCopulaWords, 2, 2, 2},      {kCopulaSoMarks, 5, 1, 1},     {kCopulaDropMarks, 7, 1, 1},
    {kCopulaLikeWords, 5, 1, 2},  {kCopulaLikeSoMarks, 6, 1, 1}, {kNegativeCopulas, 3, 2, 3},
    {kObjectHeadWords, 11, 1, 3}, {kSpeechVerb, 1, 1, 1},        {kCountryAbbreviations, kCountryCount, 1, 0},
    {kFWordNeighbours, 2, 2, 2},  {kFWordChar, 1, 1, 1},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

std::string_view chi(CjTransferContext& c, int i) { return node(c, i).CHI.view(); }

// The words of a key joined into one plain string, for the "occurs in" tests: a plain substring
// search, which finds an empty text anywhere.
bool occursIn(const char* key, std::string_view word) {
  if (word.empty()) return true;
  std::string joined;
  for (const std::string& w : listedWords(key)) joined += w;
  return containsText(joined, word);
}

int listedIndex(const char* key, std::string_view word) {
  const auto& words = listedWords(key);
  for (std::size_t k = 0; k < words.size(); ++k) {
    if (!word.empty() && words[k] == word) return static_cast<int>(k);
  }
  return -1;
}

void setForm(CjTransferContext& c, int a, int b, char form) {
  if (CjTargetNode* t = writable(c, a)) t->vform = form;
  if (CjTargetNode* t = writable(c, b)) t->vform = form;
}

void appendAtt(CjTransferContext& c, int i, std::string_view text) {
  if (CjTargetNode* t = writable(c, i)) t->att.append(text);
}

// The leftmost word of node i: i, then down the first-child links.
int leftmostWord(CjTransferContext& c, int i) { return firstWordOf(c, i); }

void subjectForm(CjTransferContext& c, int h, int d, int t) {
  RuleWatch watch(c, "roleForms.subjectForm");
  CjTargetNode& dt = c.targets[d];
  if (node(c, d).CAT == "W" && occursIn(kSymbolChars, chi(c, d))) return;
  if (hasLaterSameRole(c, h, d, "SUB")) {
    setForm(c, d, t, 't');
    return;
  }
  setForm(c, d, t, 'n');
  dt.caseOpen = 0;
  const int m = leftmostWord(c, node(c, d).next);
  if (m > 0 && (isListedWord(kSubjectAlsoWords, chi(c, m)) || isListedText(*c.sentence, m, kSubjectAlsoLong))) {
    dt.att.append("も");
    if (!isListedText(*c.sentence, m, kSubjectAlsoLong)) c.targets[m].alive = 0;
    return;
  }
  const int w = node(c, h).headChild;
  CjTargetNode* wt = writable(c, w);
  const std::string_view x = chi(c, w > 0 ? w + 1 : 0);
  auto dropW = [&] {
    wt->alive = 0;
    wt->japanese.clear();
    wt->jcat.clear();
  };
  if (wt && isListedWord(kCopulaWords, chi(c, w))) {
    dt.att.append("も");
    if (occursIn(kCopulaSoMarks, x)) {
      wt->japanese = "そうだ";
      wt->jcat = "KYODO";
    } else if (occursIn(kCopulaDropMarks, x)) {
      dropW();
    } else {
      wt->japanese = "だ";
      wt->jcat = "KYODO";
    }
  } else if (wt && isListedWord(kCopulaLikeWords, chi(c, w))) {
    dt.att.append(findGovernor(c, h) != 0 ? std::string("が") : subjectParticle(c, d, h));
    if (occursIn(kCopulaLikeSoMarks, x)) {
      wt->japanese = "そうだ";
      wt->jcat = "KYODO";
    } else if (occursIn(kCopulaDropMarks, x)) {
      dropW();
    }
  } else if (wt && node(c, h).roleCounts[kCountObj1] == 0 && isListedWord(kNegativeCopulas, chi(c, w))) {
    dt.att.append(subjectParticle(c, d, h));
    wt->japanese = "そうではない";
    wt->jcat = "KYOSI";
  } else {
    dt.att.append(subjectParticle(c, d, h));
  }
}

void objectForm(CjTransferContext& c, int h, int d) {
  RuleWatch watch(c, "roleForms.objectForm");
  const int o = followVaaChain(c, d);
  const int O = targetHead(c, o);
  CjTargetNode* ot = writable(c, o);
  CjTargetNode* ht = writable(c, h);
  if (!ot || !ht) return;
  if (hasLaterSameRole(c, h, d, "OBJ1")) {
    setForm(c, o, O, 'N');
    ot->att.append("の");
    c.targets[d].caseOpen = 0;
    return;
  }
  const bool question = hasGSenseInSpan(c, o) && isGovernedClauseTop(c, o) && ht->vform != '?' &&
                        !isInWordList(listedBarList(kDictionaryLookupDroppingPreviousKey), chi(c, h));
  if (question) {
    ot->att.append("か");
    setForm(c, o, O, 'z');
  }
  const int listed = listedIndex(kObjectHeadWords, chi(c, headWordOf(c, h)));
  const std::string_view oCat = node(c, o).CAT.view();
  if (listed < 0) {
    if (!question) setForm(c, o, O, oCat[0] == 'V' || oCat[0] == 'A' ? 'E' : 'N');
    const std::string p = hasObj2(c, h) ? std::string("に") : particleForArgument(c, o, h);
    ot->att.append(p);
    ot->caseOpen = 0;
    if (!ot->alive) {
      int s = ot->substitute != 0 ? ot->substitute : socDependent(c, o);
      if (CjTargetNode* st = writable(c, s)) {
        st->att.append(p);
        st->caseOpen = 0;
      }
    }
    return;
  }
  if (oCat != "A" && oCat != "AP") {
    if (!question) setForm(c, o, O, oCat == "V" || oCat == "VP" ? 'n' : 'N');
    return;
  }
  // An adjective object of a copula-like head takes the head's negation and past.
  if (CjTargetNode* Ot = writable(c, O)) {
    const int own = listedIndex(kObjectHeadWords, chi(c, h));
    if (ht->neg) Ot->neg = !Ot->neg;
    if (own == 1 || own == 4 || own == 5) Ot->neg = !Ot->neg;
    if (ht->ten == 'B') Ot->ten = 'B';
  }
  ht->alive = 0;
  ht->substitute = static_cast<std::int16_t>(d);
  if (ht->caseOpen == 0) c.targets[d].att = ht->att.view();
  setForm(c, o, O, 'z');
}

}  // namespace

void assignRoleForms(CjTransferContext& c) {
  chooseTransitivityForAll(c);
  if (!c.roleLinks) return;
  for (std::size_t k = 0; k < c.roleLinks->size(); ++k) {
    const CjRoleLink link = (*c.roleLinks)[k];
    const int h = link.head, d = link.dependent;
    CjTargetNode* dt = writable(c, d);
    if (!dt || h < 1 || dt->caseOpen != 1) continue;
    const int t = targetHead(c, d);
    const std::string_view label = link.label.view();
    if (label == "SUB") {
      subjectForm(c, h, d, t);
    } else if (label == "TOP") {
      if (node(c, d).CAT == "W" && occursIn(kSymbolChars, chi(c, d))) continue;
      setForm(c, d, t, 'n');
      dt->att.append("は");
      dt->caseOpen = 0;
    } else if (label == "OBJ1") {
      objectForm(c, h, d);
    } else if (label == "OBJ2") {
      setForm(c, d, t, 'N');
      dt->att = "を";
      dt->caseOpen = 0;
    } else if (label.substr(0, 3) == "ADV") {
      const std::string_view cat = node(c, d).CAT.view();
      if (cat != "IP" && cat != "DP") {
        if (CjTargetNode* tt = writable(c, t)) {
          if (tt->japanese.empty() && tt->candidates.empty()) chooseTranslation(c, t, node(c, t).CAT[0]);
          std::string_view code = !tt->japanese.empty()     ? tt->jcat.view()
                                  : !tt->candidates.empty() ? tt->candidates.front().code.view()
                                                            : std::string_view();
          if (code == "NJN00" || code == "NJX00") dt->att = node(c, h).CAT[0] == 'A' ? "は" : "に";
        }
      }
      dt->caseOpen = 0;
    } else if (label == "COMP") {
      dt->caseOpen = 0;
    } else if (label == "PIVT") {
      setForm(c, d, t, 'N');
      dt->att.append("に");
      dt->caseOpen = 0;
    } else if (label == "VA") {
      setForm(c, h, targetHead(c, h), 'y');
      appendAtt(c, h, "、");
      dt->caseOpen = 0;
    } else if (label == "G") {
      const std::string_view cat = node(c, h).CAT.view();
      if (cat == "AP" || cat == "A") applyTonaruItem(c, h, "");
    }
  }
}

void fixSpeechVerb(CjTransferContext& c) {
  RuleWatch watch(c, "roleForms.fixSpeechVerb");
  int steps = 0;
  for (int k = c.firstTop; k > 0 && k < kMaxNodes && steps < kMaxNodes; k = c.targets[k].nextSibling, ++steps) {
    const int w = headWordOf(c, k);
    if (w < 1 || !isListedText(*c.sentence, w, kSpeechVerb) || node(c, w).CAT != "V") continue;
    const auto& senses = node(c, w).senses;
    CjTargetNode& wt = c.targets[w];
    if (senses.empty() || senses.front().C_VAL.view().find('H') == std::string_view::npos) continue;
    if (!wt.japanese.empty() || !wt.candidates.empty()) continue;
    chooseTranslation(c, w, 'V');
    if (wt.candidates.empty()) continue;
    CjCandidate& first = wt.candidates.front();
    first.text = "語る";
    first.code = "TG001";
    first.frame = '4';
  }
}

void translateCountryAbbreviation(CjTransferContext& c, int i) {
  RuleWatch watch(c, "roleForms.translateCountryAbbreviation");
  CjTargetNode* t = writable(c, i);
  const int k = listedIndex(kCountryAbbreviations, chi(c, i));
  if (!t || k < 0 || k >= kCountryCount) return;
  t->japanese = kCountryNames[k];
  t->jcat = "N0000";
}

int findSemanticWord(CjTransferContext& c, int start) {
  for (int k = start; k >= 1 && k <= c.nodeCount && k < kMaxNodes; ++k) {
    if (!isTargetWord(c, k)) return 0;
    const CjNode& n = node(c, k);
    if (n.features.S_SEM.contains("q") || (n.CAT == "F" && n.features.M_SEM.contains("L")) ||
        (n.CAT == "R" && n.features.M_SEM.contains("B")))
      return k;
  }
  return 0;
}

int findListedNeighbour(CjTransferContext& c, int i, std::string_view barList) {
  if (i < 1 || i > c.nodeCount) return 0;
  int steps = 0;
  // The words before i, not i itself.
  for (int k = node(c, i).prev; k > 0 && k < kMaxNodes && steps < kMaxNodes; k = node(c, k).prev, ++steps) {
    if (isInWordList(barList, chi(c, k))) return k;
  }
  return 0;
}

void applyFWordRule(CjTransferContext& c, int i) {
  RuleWatch watch(c, "roleForms.applyFWordRule");
  CjTargetNode* it = writable(c, i);
  if (!it) return;
  int s = findSemanticWord(c, 1);
  if (findListedNeighbour(c, i, listedBarList(kFWordNeighbours)) != 0) {
    it->alive = 0;
    return;
  }
  if (s == 0 || containsText(chi(c, s), listedWord(kFWordChar))) {
    CjTargetNode* v = writable(c, it->prevSibling);
    if (!v) return;
    if (!v->att.contains("でも")) {
      v->att.append("でも");
      v->caseOpen = 0;
    }
    it->alive = 0;
    return;
  }
  for (int steps = 0; node(c, s).parent != 0 && steps < kMaxNodes; ++steps) s = node(c, s).parent;
  const int g1 = findGovernor(c, s), g2 = findGovernor(c, i);
  if (g1 == 0 || g2 == 0) return;
  std::string label;
  int on = s;
  if (g1 == g2) {
    if (!roleLabelOf(c, g1, s, label)) return;
  } else if (findGovernor(c, g1) == 0) {
    if (!roleLabelOf(c, g1, g2, label) || label != "VAA") return;
    on = g1;
  } else {
    if (!roleLabelOf(c, g2, g1, label)) return;
    on = g1;
  }
  CjTargetNode* ot = writable(c, on);
  if (!ot) return;
  if (label == "SUB" || label == "OBJ1" || label == "OBJ2" || label == "ADVF" || label == "ADVN") {
    if (!ot->att.contains("でも")) {
      ot->att.append("でも");
      ot->caseOpen = 0;
    }
  } else if (label == "VAA" || label == "VAB") {
    ot->att.append("も");
    ot->caseOpen = 0;
  } else {
    return;
  }
  it->alive = 0;
}

void applyZVerbPhrase(CjTransferContext& c, int p) {
  CjTargetNode* pt = writable(c, p);
  if (!pt) return;
  const int f = pt->firstChild, l = pt->lastChild;
  if (f < 1 || l < 1) return;
  CjTargetNode& ft = c.targets[f];
  auto newLastChild = [&](std::string_view japanese, std::string_view jcat) {
    const int n = addTargetNode(c);
    if (n == 0) return;
    insertTargetNode(c, n, l, c.targets[l].nextSibling);
    c.targets[n].japanese = japanese;
    c.targets[n].jcat = jcat;
    pt->headChild = static_cast<std::int16_t>(n);
    mergeModalities(c, p, n);
  };
  switch (node(c, p).ruleNumber) {
    case 1:
      ft.att = "を";
      setForm(c, f, targetHead(c, f), 'N');
      newLastChild("とする", "SHZ00");
      break;
    case 2: {
      const int e = ft.nextSibling;
      const int g = e > 0 ? c.targets[e].nextSibling : 0;
      if (e < 1 || g < 1) return;
      setForm(c, f, targetHead(c, f), 'd');
      c.targets[e].japanese = "なる";
      c.targets[e].jcat = "ZG001";
      c.targets[e].caseOpen = 0;
      c.targets[g].att = "に";
      c.targets[g].caseOpen = 0;
      swapTargetNodes(c, e, g);
      c.targets[e].ten = pt->ten;
      ft.ten = 'A';
      pt->headChild = static_cast<std::int16_t>(e);
      mergeModalities(c, p, e);
      break;
    }
    case 3: {
      const int e = ft.nextSibling;
      if (e < 1) return;
      setForm(c, f, targetHead(c, f), 'd');
      c.targets[e].japanese = "次のようになる";
      c.targets[e].jcat = "ZG001";
      c.targets[e].caseOpen = 0;
      ft.caseOpen = 0;
      c.targets[e].ten = pt->ten;
      ft.ten = 'A';
      pt->headChild = static_cast<std::int16_t>(e);
      mergeModalities(c, p, e);
      break;
    }
    case 5:
      runRuleAction(c, p, "->(2)+(1)");
      break;
    case 6:
      ft.att = "を";
      setForm(c, f, targetHead(c, f), 'N');
      newLastChild("と呼ぶ", "ZG002");
      break;
    case 7:
      setForm(c, f, targetHead(c, f), 'd');
      break;
    default:
      break;
  }
}

bool hasGSenseInSpan(CjTransferContext& c, int i) {
  if (i < 1) return false;
  for (int n : {i, findAdvf(c, i), findAdvn(c, i), findObj1(c, i), findSub(c, i), findG(c, i)}) {
    if (n < 1) continue;
    const int first = firstWordOf(c, n), last = lastWordOf(c, n);
    for (int k = first; k >= 1 && k <= last && k < kMaxNodes; ++k) {
      CjTargetNode& t = c.targets[k];
      if (t.japanese.empty() && t.candidates.empty()) chooseTranslation(c, k, node(c, k).CAT[0]);
      if (!t.candidates.empty() && t.candidates.front().frame2 == 'G') return true;
    }
  }
  return false;
}

}  // namespace cj
