#include "engine/cj/transfer/transfer_navigation.h"

#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/node_text.h"
#include "engine/common/word_table.h"
#include "engine/cj/transfer/dependent_patterns.h"
#include "engine/cj/transfer/dictionary_lookup.h"
#include "engine/cj/transfer/entity_tests.h"
#include "engine/cj/transfer/role_link_queries.h"
#include "engine/cj/transfer/rule_watch.h"

namespace cj {
namespace {

const WordKeySpec kWordKeys[] = {
    {kAttributiveMarkers, 2, 1, 1},   {kPlaceHeadWords, 10, 1, 0},   {kPlaceEndings, 5, 1, 1},
    {kAnimateWords, 10, 1, 2},        {kExistenceNegative, 1, 1, 0}, {kAttributiveKeepWord, 1, 2, 2},
    {kAttributiveExistWord, 1, 2, 2}, {kStatementMark, 1, 1, 1},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

bool inNodes(CjTransferContext& c, int i) { return i >= 1 && i <= c.nodeCount && i < kMaxNodes; }

// Sets a form on a node and on its target head.
void formOnNodeAndHead(CjTransferContext& c, int i, char form) {
  if (CjTargetNode* t = targetNode(c, i); t && i > 0) t->vform = form;
  int h = targetHead(c, i);
  if (h > 0) c.targets[h].vform = form;
}

bool catIs(CjTransferContext& c, int i, std::string_view cat) { return slotNode(c, i).CAT.view() == cat; }

}  // namespace

int targetHeadChild(CjTransferContext& c, int i) {
  const CjTargetNode* t = targetNode(c, i);
  return t && i > 0 ? t->headChild : 0;
}

int headWordOf(CjTransferContext& c, int i) {
  if (i < 1 || i >= kMaxNodes) return 0;
  for (int steps = 0; steps <= kMaxNodes && i > 0 && i < kMaxNodes; ++steps) {
    if (isTargetWord(c, i)) return i;
    i = slotNode(c, i).headChild;
  }
  return 0;
}

int firstWordOf(CjTransferContext& c, int i) {
  for (int steps = 0; steps <= kMaxNodes && i > 0 && i < kMaxNodes; ++steps) {
    if (isTargetWord(c, i)) return i;
    i = slotNode(c, i).firstChild;
  }
  return 0;
}

int lastWordOf(CjTransferContext& c, int i) {
  for (int steps = 0; steps <= kMaxNodes && i > 0 && i < kMaxNodes; ++steps) {
    if (isTargetWord(c, i)) return i;
    i = slotNode(c, i).lastChild;
  }
  return 0;
}

bool chiIs(CjTransferContext& c, int i, std::string_view word) { return i > 0 && slotNode(c, i).CHI.view() == word; }

bool headWordChiIs(CjTransferContext& c, int i, std::string_view word) { return chiIs(c, headWordOf(c, i), word); }

bool childWordsAre(CjTransferContext& c, int i, std::string_view first, std::string_view last) {
  const CjTargetNode* t = targetNode(c, i);
  if (!t || i < 1) return false;
  return chiIs(c, t->firstChild, first) && chiIs(c, t->lastChild, last);
}

bool hasObj2(CjTransferContext& c, int i) { return i > 0 && slotNode(c, i).roleCounts[kCountObj2] != 0; }

int socDependent(CjTransferContext& c, int i) { return i > 0 ? findDependent(c, i, "SOC") : 0; }

bool hasVerbOrAdjSense(CjTransferContext& c, int i) {
  if (!inNodes(c, i)) return false;
  for (const CjSense& s : slotNode(c, targetHead(c, i)).senses) {
    if (s.catLetter == 'V' || s.catLetter == 'A') return true;
  }
  return false;
}

bool hasVerbalHead(CjTransferContext& c, int i) {
  auto verbal = [&](int k) {
    return catIs(c, k, "VP") || catIs(c, k, "V") || catIs(c, k, "AP") || hasVerbOrAdjSense(c, k);
  };
  if (i < 1 || i >= kMaxNodes) return false;
  if (isTargetWord(c, i)) return verbal(i);
  int steps = 0;
  for (int k = targetHeadChild(c, i); k > 0 && k < kMaxNodes && steps <= kMaxNodes;
       k = c.targets[k].prevSibling, ++steps) {
    if (verbal(k)) return true;
  }
  return false;
}

bool isPlaceTimeHead(CjTransferContext& c, int i) {
  int h = targetHeadChild(c, i);
  if (h < 1) return false;
  const CjNode& n = slotNode(c, h);
  return n.CAT == "Ntp" || n.CAT == "Ntl" || (n.CAT == "N" && n.features.M_SEM.contains("I"));
}

int frameHead(CjTransferContext& c, int i) {
  int h = targetHeadChild(c, i);
  followVaaChain(c, h);
  return h;
}

bool takeAttributiveMarker(CjTransferContext& c, int i) {
  if (i < 1) return false;
  int n = slotNode(c, i).next;
  if (n < 1 || n >= kMaxNodes) return false;
  if (!isListedWord(kAttributiveMarkers, slotNode(c, n).CHI.view())) return false;
  c.targets[n].alive = 0;
  return tallied(true, "transferNavigation.takeAttributiveMarker");
}

bool isPredicatePhrase(CjTransferContext& c, int i) {
  if (i < 1 || i >= kMaxNodes) return false;
  int g = findGovernor(c, i);
  int s = g ? findSub(c, g) : 0, t = g ? findTop(c, g) : 0, u = g ? findObj1(c, g) : 0;
  int n = slotNode(c, i).next;
  if (n > 0 && catIs(c, n, "E")) n = slotNode(c, n).next;
  if (slotNode(c, i).parent != 0) return false;
  if (n > 0 && !catIs(c, n, "P")) return false;
  if (i == s || i == t || i == u) return true;
  if (g != 0 && slotNode(c, i).roleCounts[kCountSub] == 0) return false;
  const std::string& mark = listedWord(kStatementMark);
  return mark.empty() || c.sentenceType.view() != mark;
}

bool isPlainAdverbial(CjTransferContext& c, int i) { return !takeAttributiveMarker(c, i) && !isPredicatePhrase(c, i); }

int placeClass(CjTransferContext& c, int i) {
  CjTargetNode* t = targetNode(c, i);
  if (!t || i < 1) return 2;
  if (t->firstChild > 0) c.targets[t->firstChild].alive = 0;
  const int hc = t->headChild;
  if (hc > 0) {
    const CjNode& h = slotNode(c, hc);
    if (h.CAT == "Ntl" || h.CAT == "Ntp" || (h.CAT == "N" && h.features.M_SEM.contains("I")) || h.CAT == "V" ||
        h.CAT == "VP" || h.CAT == "A" || h.CAT == "AP")
      return 1;
  }
  int g = findGovernor(c, i);
  int w = g ? headWordOf(c, g) : 0;
  if (w > 0 && isListedWord(kPlaceHeadWords, slotNode(c, w).CHI.view())) return 1;
  if (w == 0 || findComp(c, g) != i) return 2;
  for (const std::string& e : listedWords(kPlaceEndings)) {
    if (hasSuffix(slotNode(c, w).CHI.view(), e)) return 1;
  }
  return 2;
}

int animacyClass(CjTransferContext& c, int n) {
  if (n < 1 || n >= kMaxNodes) return 3;
  int h = targetHead(c, n);
  if (h < 1) return 3;
  const CjNode& hn = slotNode(c, h);
  if (hn.features.M_SEM.contains("Z") || isInListedBarList(kAnimateWords, hn.CHI.view())) return 1;
  const CjNode& nn = slotNode(c, n);
  if (nn.structureClass == '1' && (nn.ruleNumber == 1 || nn.ruleNumber == 2 || nn.ruleNumber == 4)) return 1;
  if (nn.structureClass == '2' &&
      (nn.ruleNumber == 1 || nn.ruleNumber == 2 || nn.ruleNumber == 3 || nn.ruleNumber == 6))
    return 1;
  if (isPlaceWord(c, h)) return 1;
  CjTargetNode& ht = c.targets[h];
  if (ht.japanese.empty() && ht.candidates.empty()) chooseTranslation(c, h, hn.CAT[0]);
  std::string_view code;
  if (!ht.japanese.empty()) {
    code = ht.jcat.view();
  } else if (!ht.candidates.empty()) {
    code = ht.candidates.front().code.view();
  }
  if (code == "NAMAE") return 1;
  for (std::string_view counter : {"<人>", "<匹>", "<頭>", "<員>", "<羽>"}) {
    if (code.find(counter) != std::string_view::npos) return 1;
  }
  return 3;
}

void makeExistencePredicate(CjTransferContext& c, int i) {
  RuleWatch watch(c, "transferNavigation.makeExistencePredicate");
  CjTargetNode* p = targetNode(c, i);
  if (!p || i < 1) return;
  const int f = p->firstChild, l = p->lastChild;
  if (f < 1 || l < 1) return;
  CjTargetNode& ft = c.targets[f];
  ft.alive = 1;
  chooseTranslation(c, f, 'V');
  ft.ruleFlag1 = 0;
  c.targets[l].att = "に";
  c.targets[l].caseOpen = 0;
  const bool negative = isListedWord(kExistenceNegative, slotNode(c, f).CHI.view());
  if (animacyClass(c, findSub(c, i)) == 1) {
    ft.japanese = negative ? "いない" : "いる";
    ft.jcat = negative ? "KYOSI" : "ZI000";
  } else {
    ft.japanese = negative ? "ない" : "ある";
    ft.jcat = negative ? "KYOSI" : "ZG001";
  }
  copyModalities(c, i, f);
  int n = addTargetNode(c);
  if (n == 0) return;
  insertTargetNode(c, n, l, c.targets[l].nextSibling);
  CjTargetNode& nt = c.targets[n];
  nt.japanese = ft.japanese.view();
  nt.jcat = ft.jcat.view();
  p->headChild = static_cast<std::int16_t>(n);
  copyModalities(c, f, n);
  nt.vform = ft.vform;
  ft.alive = 0;
}

void closePlacePhrase(CjTransferContext& c, int i) {
  RuleWatch watch(c, "transferNavigation.closePlacePhrase");
  CjTargetNode* p = targetNode(c, i);
  if (!p || i < 1) return;
  const int f = p->firstChild, l = p->lastChild;
  const bool taken = takeAttributiveMarker(c, i);
  const bool predicative = isPredicatePhrase(c, i);
  if (!taken && !predicative) {
    int cls = placeClass(c, i);
    if (l > 0) c.targets[l].att = cls == 1 ? "に" : "で";
    return;
  }
  if (taken && !isListedText(*c.sentence, f, kAttributiveKeepWord)) {
    formOnNodeAndHead(c, i, 't');
    return;
  }
  if (!predicative && !(taken && isListedText(*c.sentence, f, kAttributiveExistWord))) return;
  makeExistencePredicate(c, i);
}

void closeTimePhrase(CjTransferContext& c, int i) {
  CjTargetNode* p = targetNode(c, i);
  if (!p || i < 1) return;
  if (hasVerbalHead(c, i) || isPlaceTimeHead(c, i)) {
    p->att = takeAttributiveMarker(c, i) ? "の" : "に";
    return;
  }
  closePlacePhrase(c, i);
}

void closeAfterPhrase(CjTransferContext& c, int i) {
  CjTargetNode* p = targetNode(c, i);
  if (!p || i < 1) return;
  if (isPredicatePhrase(c, i)) {
    const int l = p->lastChild;
    if (l < 1) return;
    int n = addTargetNode(c);
    if (n == 0) return;
    insertTargetNode(c, n, l, c.targets[l].nextSibling);
    c.targets[n].japanese = "だ";
    c.targets[n].jcat = "KYODO";
    c.targets[n].parent = static_cast<std::int16_t>(i);
    p->headChild = static_cast<std::int16_t>(n);
    copyModalities(c, i, n);
    return;
  }
  if (hasVerbalHead(c, i)) {
    p->att = takeAttributiveMarker(c, i) ? "の" : "で";
  } else if (isPlaceTimeHead(c, i)) {
    p->att = takeAttributiveMarker(c, i) ? "の" : "に";
  } else {
    closePlacePhrase(c, i);
  }
}

void closeSpanPhrase(CjTransferContext& c, int i) {
  CjTargetNode* p = targetNode(c, i);
  if (!p || i < 1 || isPredicatePhrase(c, i)) return;
  if (takeAttributiveMarker(c, i)) {
    p->att = "の";
  } else if (!hasVerbalHead(c, i)) {
    p->att = "に";
  }
}

}  // namespace cj
