#include "engine/cj/transfer/dependent_order.h"

#include "engine/common/word_table.h"
#include "engine/cj/transfer/category_codes.h"
#include "engine/cj/transfer/dictionary_lookup.h"
#include "engine/cj/transfer/jp_text.h"
#include "engine/cj/transfer/role_link_queries.h"
#include "engine/cj/transfer/te_ending.h"
#include "engine/cj/transfer/rule_watch.h"

namespace cj {

namespace {
// Keys read here, held so that each is looked up once.
constinit ListedKey kDependentOrderBecomeHeadsKey{"dependentOrder.becomeHeads"};
constinit ListedKey kDependentOrderBecomeComplementKey{"dependentOrder.becomeComplement"};
constinit ListedKey kDependentOrderRequestPivotsKey{"dependentOrder.requestPivots"};
constinit ListedKey kDependentOrderNegativeCausativeKey{"dependentOrder.negativeCausative"};
constinit ListedKey kDependentOrderPivotSubjectHeadWordsKey{"dependentOrder.pivotSubjectHeadWords"};
constinit ListedKey kDependentOrderPivotSubjectHeadNodesKey{"dependentOrder.pivotSubjectHeadNodes"};
constinit ListedKey kDependentOrderRequestHeadsKey{"dependentOrder.requestHeads"};
constinit ListedKey kDependentOrderCausativeHeadsKey{"dependentOrder.causativeHeads"};
}  // namespace
namespace {

const WordKeySpec kWordKeys[] = {
    {"dependentOrder.pivotSubjectHeadWords", 4, 1, 2},
    {"dependentOrder.pivotSubjectHeadNodes", 5, 1, 2},
    {"dependentOrder.requestHeads", 2, 1, 2},
    {"dependentOrder.causativeHeads", 8, 1, 2},
    {"dependentOrder.becomeHeads", 3, 1, 2},     // head words of "なくなった"
    {"dependentOrder.becomeComplement", 1, 1, 1},
    {"dependentOrder.requestPivots", 3, 1, 2},   // pivots of "下さい"
    {"dependentOrder.negativeCausative", 1, 2, 2},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

// A row takes a link by label; 'b' and 'g' rows use the two adverb takes instead.
struct OrderRow {
  const char* label;
  char take;
  char action;
};

constexpr OrderRow kPlain[] = {{"VAB", 0, 0},  {"LOG", 0, 0},  {"TOP", 0, 0}, {"", 'b', 0}, {"SUB", 0, 0},
                               {"", 'g', 0},   {"QT", 0, 0},   {"COMP", 0, 0}, {"OBJ1", 0, 0}, {"OBJ2", 0, 0},
                               {"SOC", 0, 0},  {"NUM", 0, 0},  {"HT", 0, 0},  {"VAA", 0, 0}, {"PUNC", 0, 0}};

#define SOC_TABLE(name, row9, action9, row10, action10)                                                     \
  constexpr OrderRow name[] = {{"VAB", 0, 0},   {"LOG", 0, 0},  {"TOP", 0, 0},         {"SUB", 0, 0},     \
                               {"ADVF", 0, 0},  {"QT", 0, 0},   {"COMP", 0, 0},        {"ADVN", 0, 0},    \
                               {row9, 0, action9}, {row10, 0, action10}, {"NUM", 0, 0}, {"G", 0, 0},      \
                               {"HT", 0, 0},    {"VAA", 0, 0},  {"PUNC", 0, 0}}
SOC_TABLE(kPivotSubject, "SOC", 'A', "PIVT", 'E');
SOC_TABLE(kRequest, "PIVT", 'B', "SOC", 0);
SOC_TABLE(kCausative, "PIVT", 'C', "SOC", 0);
SOC_TABLE(kDirective, "PIVT", 'D', "SOC", 0);
#undef SOC_TABLE

int topHead(CjTransferContext& c) { return c.frameStack.empty() ? 0 : c.frameStack.back().node; }

bool hasLabel(CjTransferContext& c, int head, std::string_view label) {
  if (!c.roleLinks || head < 1) return false;
  for (const CjRoleLink& l : *c.roleLinks) {
    if (l.head == head && l.label.view() == label) return true;
  }
  return false;
}

bool listed(const ListedKey& key, CjTransferContext& c, int i) { return isListedWord(key, node(c, i).CHI.view()); }

int live(CjTransferContext& c, int i) { return i > 0 ? targetHead(c, i) : 0; }

// The verb the SOC dependent stands for, at the end of its VAA chain.
int socVerb(CjTransferContext& c, int head) { return live(c, followVaaChain(c, findDependent(c, head, "SOC"))); }

void actionA(CjTransferContext& c, int head, int headWord) {
  RuleWatch watch(c, "dependentOrder.actionA");
  if (int soc = live(c, findDependent(c, head, "SOC"))) c.targets[soc].vform = 't';
  const int comp = findComp(c, head);
  if (comp && headWord && listed(kDependentOrderBecomeHeadsKey, c, headWord) &&
      isListedWord(kDependentOrderBecomeComplementKey, node(c, comp).CHI.view())) {
    c.targets[headWord].japanese = "なくなった";
    c.targets[headWord].jcat = "DOKU0";
  }
}

void actionE(CjTransferContext& c, int head, int pivot) {
  setCaseParticle(c, pivot, "が");
  if (int v = socVerb(c, head)) c.targets[v].vform = 't';
}

void actionB(CjTransferContext& c, int head, int headWord, int pivot) {
  RuleWatch watch(c, "dependentOrder.actionB");
  if (int v = socVerb(c, head)) attachTeEnding(c, v);
  if (headWord < 1) return;
  CjTargetNode& hw = c.targets[headWord];
  if (listed(kDependentOrderRequestPivotsKey, c, pivot)) {
    if (node(c, head).roleCounts[kCountSub] == 0) {
      c.targets[pivot].alive = 0;
      hw.japanese = "下さい";
      hw.ruleFlag2 = 0;
    } else {
      hw.japanese = "もらう";
      hw.jcat = "ZG001";
    }
    return;
  }
  setCaseParticle(c, pivot, "に");
  hw.japanese = "もらう";
  hw.jcat = "ZG001";
}

void actionC(CjTransferContext& c, int head, int headWord, int pivot) {
  RuleWatch watch(c, "dependentOrder.actionC");
  const int socDependent = findDependent(c, head, "SOC");
  if (headWord > 0) {
    c.targets[headWord].alive = 0;
    c.targets[headWord].substitute = static_cast<std::int16_t>(socDependent);
  }
  const int soc = live(c, socDependent);
  if (soc > 0) {
    CjTargetNode& s = c.targets[soc];
    if (findGovernor(c, head)) s.vform = 'N';
    if (s.japanese.empty() && s.candidates.empty()) chooseTranslation(c, soc, node(c, soc).CAT[0]);
    bool intransitive = false;
    if (!s.candidates.empty()) {
      std::string_view code = s.candidates.front().code.view();
      intransitive = isIntransitiveCode(code) && !isTransitiveCode(code);
    }
    setCaseParticle(c, pivot, intransitive ? "を" : "に");
  } else {
    setCaseParticle(c, pivot, "に");
  }
  const int end = followVaaChain(c, socDependent);
  const bool negative = headWord > 0 && (c.targets[headWord].neg ||
                                         isListedWord(kDependentOrderNegativeCausativeKey, node(c, headWord).CHI.view()));
  for (int n : {end, live(c, end)}) {
    if (n < 1) continue;
    c.targets[n].shiyi = 1;
    if (negative) c.targets[n].neg = 1;
  }
}

void actionD(CjTransferContext& c, int head, int pivot) {
  setCaseParticle(c, pivot, "に");
  if (int v = socVerb(c, head)) {
    c.targets[v].vform = 't';
    c.targets[v].att.append("ように");
  }
}

template <std::size_t N>
int runTable(CjTransferContext& c, const OrderRow (&rows)[N], std::string& out) {
  out.clear();
  const int head = topHead(c);
  if (head < 1) return 0;
  for (const OrderRow& row : rows) {
    int d = 0;
    if (row.take == 'b') {
      d = takeAdverbBeforeSubject(c, head, out);
    } else if (row.take == 'g') {
      d = takeAdverbOrG(c, head, out);
    } else {
      d = takeDependent(c, head, row.label);
      if (d) out = row.label;
    }
    if (!d) continue;
    const int headWord = live(c, head);
    switch (row.action) {
      case 'A': actionA(c, head, headWord); break;
      case 'B': actionB(c, head, headWord, d); break;
      case 'C': actionC(c, head, headWord, d); break;
      case 'D': actionD(c, head, d); break;
      case 'E': actionE(c, head, d); break;
      default: break;
    }
    return d;
  }
  out.clear();
  return 0;
}

}  // namespace

void setCaseParticle(CjTransferContext& c, int n, std::string_view p) {
  CjTargetNode* t = targetNode(c, n);
  if (!t || n < 1) return;
  std::string att = t->att.str();
  if (t->caseOpen == 0 && (textEndsWith(att, "を") || textEndsWith(att, "に") || textEndsWith(att, "が"))) {
    replaceLastChar(att, p);
  } else {
    att += p;
  }
  t->att = att;
  t->caseOpen = 0;
}

int nextDependentPlain(CjTransferContext& c, std::string& out) { return runTable(c, kPlain, out); }
int nextDependentPivotSubject(CjTransferContext& c, std::string& out) { return runTable(c, kPivotSubject, out); }
int nextDependentRequest(CjTransferContext& c, std::string& out) { return runTable(c, kRequest, out); }
int nextDependentCausative(CjTransferContext& c, std::string& out) { return runTable(c, kCausative, out); }
int nextDependentDirective(CjTransferContext& c, std::string& out) { return runTable(c, kDirective, out); }

int nextDependentInOrder(CjTransferContext& c, std::string& out) {
  const int head = topHead(c);
  if (!hasLabel(c, head, "SOC")) return nextDependentPlain(c, out);
  const int headWord = live(c, head);
  if (listed(kDependentOrderPivotSubjectHeadWordsKey, c, headWord) ||
      listed(kDependentOrderPivotSubjectHeadNodesKey, c, head)) {
    return nextDependentPivotSubject(c, out);
  }
  if (listed(kDependentOrderRequestHeadsKey, c, headWord)) return nextDependentRequest(c, out);
  if (listed(kDependentOrderCausativeHeadsKey, c, headWord)) return nextDependentCausative(c, out);
  return nextDependentDirective(c, out);
}

void cutFrameStack(CjTransferContext& c) {
  if (c.frameStack.size() <= 1) return;
  c.frameStack.erase(c.frameStack.begin(), c.frameStack.end() - 1);
}

}  // namespace cj
