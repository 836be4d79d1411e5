#include "engine/cj/transfer/structural_transfer.h"

#include <initializer_list>
#include <new>
#include <string>
#include <vector>

#include "engine/common/word_table.h"
#include "engine/cj/transfer/dependent_order.h"
#include "engine/cj/transfer/dependent_patterns.h"
#include "engine/cj/transfer/frame_phrases.h"
#include "engine/cj/transfer/localiser_phrases.h"
#include "engine/cj/transfer/preposition_rules.h"
#include "engine/cj/transfer/quoted_clauses.h"
#include "engine/cj/transfer/role_forms.h"
#include "engine/cj/transfer/rule_actions.h"
#include "engine/cj/transfer/special_structures.h"
#include "engine/cj/transfer/transfer_navigation.h"
#include "engine/cj/transfer/rule_watch.h"

namespace cj {
namespace {

const WordKeySpec kWordKeys[] = {
    {kHandOverWord, 1, 1, 1},
    {kHandOverFollower, 1, 1, 1},
    {kPastMarkWord, 1, 1, 1},
    {kEvenAlsoWord, 1, 2, 2},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

constexpr int kFirstSpecialRule = 8888;

// The node's text equals the single word of a loaded key.
bool isWord(CjTransferContext& c, int i, const ListedKey& key) {
  const std::string& w = listedWord(key);
  return !w.empty() && i > 0 && node(c, i).CHI.view() == w;
}

bool isLabel(std::string_view label, std::initializer_list<std::string_view> any) {
  for (std::string_view l : any) {
    if (label == l) return true;
  }
  return false;
}

void setHeadForm(CjTransferContext& c, int n, char form) {
  const int h = targetHead(c, n);
  if (h > 0) c.targets[h].vform = form;
}

// Enters the top frame into orderList once; true when it did so now.
bool emitTopFrame(CjTransferContext& c) {
  if (c.frameStack.empty()) return false;
  CjTransferFrame& f = c.frameStack.back();
  if (f.done == '*') return false;
  appendClauseItem(c, f.node, f.label.view());
  f.done = '*';
  return true;
}

bool pushFrame(CjTransferContext& c, int n, std::string_view label) {
  CjTransferFrame f;
  f.node = n;
  f.label = label;
  try {
    c.frameStack.push_back(f);
  } catch (const std::bad_alloc&) {
    showTransferOutOfMemory();
    return false;
  }
  return true;
}

bool hasRoleCounted(CjTransferContext& c, int n) {
  for (std::int32_t count : node(c, n).roleCounts) {
    if (count != 0) return true;
  }
  return false;
}

void transferWord(CjTransferContext& c, int i) {
  CjTargetNode& t = c.targets[i];
  const CjNode& n = node(c, i);
  if (tallied(isWord(c, i, kHandOverWord) && isWord(c, i + 1, kHandOverFollower), "structuralTransfer.transferWord")) {
    t.japanese = "渡す";
    t.jcat = "TG003";
  } else if (tallied(isWord(c, i, kPastMarkWord) && t.parent == 0 && t.ten == 'A' && t.asp == 'A',
                     "structuralTransfer.transferWord")) {
    t.ten = 'B';
  } else {
    if (n.CAT == "N" && n.features.M_SEM == "JJJ") translateCountryAbbreviation(c, i);
    if (n.CAT == "F" && !listedWord(kEvenAlsoWord).empty() && chiIs(c, i, listedWord(kEvenAlsoWord))) {
      applyFWordRule(c, i);
    }
  }
}

void transferPhraseNode(CjTransferContext& c, int i) {
  const CjNode& n = node(c, i);
  const std::string_view cat = n.CAT.view();
  if (cat == "IP") {
    dispatchPrepositionPhrase(c, i);
  } else if (cat == "DP") {
    dispatchFramePhrase(c, i);
  } else if (cat == "LP") {
    dispatchLocaliserPhrase(c, i);
  } else if (n.subtype == 'Z') {
    if (cat == "NP") applyPrepositionPattern(c, i);
    if (cat == "VP") applyZVerbPhrase(c, i);
  } else if (n.structureClass == 0) {
    if (n.ruleNumber < kFirstSpecialRule) {
      std::string action;
      fetchRuleAction(c, cat, n.subtype, n.ruleNumber, action);
      runRuleAction(c, i, action);
    } else {
      runSpecialRule(c, i);
    }
  } else {
    applySpecialStructure(c, i);
  }
}

}  // namespace

void transferPhrase(CjTransferContext& c) {
  for (int i = 1; i <= c.nodeCount && i < kMaxNodes; ++i) {
    if (isTargetWord(c, i)) {
      transferWord(c, i);
    } else {
      transferPhraseNode(c, i);
    }
  }
}

void transferStructure(CjTransferContext& c) {
  transferPhrase(c);
  // The last node after the dispatch: a node a rule appended stands there instead of the root.
  const int root = c.nodeCount;
  const CjNode& r = node(c, root);
  if (root > 0 && r.CAT == "S" && r.prev == 0) {
    const int h = c.targets[root].headChild;
    if (h > 0 && c.targets[h].att.empty()) {
      const std::string& statement = listedWord(kStatementMark);
      // A reporting clause of one verb (他说：) is held as one governed by a verb phrase is.
      if (!statement.empty() && c.sentenceType.view() == statement && !holdReportingClause(c, h, r.next))
        c.targets[h].vform = 'd';
      if (c.sentenceType == "T") c.targets[h].vform = 'l';
      if (c.sentenceType == "?") c.targets[h].vform = '?';
    }
  } else {
    handleGovernor(c, 0);
  }
  reanalyseQuotedClauses(c);
  fixSpeechVerb(c);
  assignRoleForms(c);
  generateDependentCases(c);
}

void handleGovernor(CjTransferContext& c, int flag) {
  if (c.govNode < 1 || !hasRoleCounted(c, c.govNode)) return;
  orderGovernorClause(c, c.govNode, "GOV");
  rebuildTopChain(c);
  checkReportingVerb(c, flag);
}

bool hasNoRoleDependents(CjTransferContext& c, int n) {
  if (!c.roleLinks) return true;
  for (const CjRoleLink& l : *c.roleLinks) {
    if (l.head == n) return false;
  }
  return true;
}

void appendClauseItem(CjTransferContext& c, int n, std::string_view label) {
  CjOrderItem item;
  item.node = n;
  item.label = label;
  try {
    c.orderList.push_back(item);
  } catch (const std::bad_alloc&) {
    showTransferOutOfMemory();
  }
}

void orderGovernorClause(CjTransferContext& c, int start, std::string_view startLabel) {
  int n = start;
  std::string label(startLabel);
  // Walk steps are bounded: every step takes a link or pops a frame.
  for (int guard = 0; guard < 4 * kMaxNodes + 4096; ++guard) {
    if (!hasNoRoleDependents(c, n)) {
      if (label == "VAA" || label == "HT") {
        if (emitTopFrame(c) && label == "VAA") setHeadForm(c, c.frameStack.back().node, 'd');
      } else if (label == "VAB") {
        setHeadForm(c, n, 'd');
      }
      if (!pushFrame(c, n, label)) return;
      n = nextDependentInOrder(c, label);
      if (n == 0) break;
      continue;
    }
    if (isLabel(label, {"PUNC", "HT", "VAA"})) {
      if (emitTopFrame(c) && label == "VAA") setHeadForm(c, c.frameStack.back().node, 'd');
    }
    appendClauseItem(c, n, label);
    n = 0;
    while (c.frameStack.size() > 1) {
      n = nextDependentInOrder(c, label);
      if (n != 0) {
        if (isLabel(label, {"PUNC", "HT", "VAA"})) {
          emitTopFrame(c);
          if (label == "VAA") setHeadForm(c, c.frameStack.back().node, 'd');
        }
        break;
      }
      const CjTransferFrame& top = c.frameStack.back();
      if (top.done != '*') appendClauseItem(c, top.node, top.label.view());
      c.frameStack.pop_back();
    }
    if (n == 0) break;
  }
  cutFrameStack(c);
}

void rebuildTopChain(CjTransferContext& c) {
  if (c.orderList.empty()) return;
  // Nodes of the old chain that the walk did not order (no role link) keep their words and their
  // place: each goes before the ordered node that followed it in the old chain, or last.
  std::vector<char> ordered(kMaxNodes, 0);
  for (const CjOrderItem& item : c.orderList) {
    if (item.node > 0 && item.node < kMaxNodes) ordered[item.node] = 1;
  }
  std::vector<std::vector<int>> before(kMaxNodes);
  std::vector<int> pending;
  int steps = 0;
  for (int k = c.firstTop; k > 0 && k < kMaxNodes && steps < kMaxNodes; k = c.targets[k].nextSibling, ++steps) {
    if (!ordered[k]) {
      if (targetNode(c, k)) pending.push_back(k);
    } else if (!pending.empty()) {
      before[k].swap(pending);
    }
  }
  std::vector<int> chain;
  for (const CjOrderItem& item : c.orderList) {
    if (item.node < 1 || item.node >= kMaxNodes || !targetNode(c, item.node)) continue;
    chain.insert(chain.end(), before[item.node].begin(), before[item.node].end());
    before[item.node].clear();
    chain.push_back(item.node);
  }
  chain.insert(chain.end(), pending.begin(), pending.end());
  int prev = 0;
  for (int n : chain) {
    if (prev == 0) {
      c.firstTop = n;
    } else {
      c.targets[prev].nextSibling = static_cast<std::int16_t>(n);
    }
    c.targets[n].prevSibling = static_cast<std::int16_t>(prev);
    prev = n;
  }
  if (prev > 0) c.targets[prev].nextSibling = 0;
}

void generateDependentCases(CjTransferContext& c) {
  if (!c.roleLinks) return;
  for (const CjRoleLink& l : *c.roleLinks) {
    const std::string_view cat = node(c, l.dependent).CAT.view();
    const char first = cat.empty() ? 0 : cat[0];
    int done = 0;
    if (l.label == "OBJ1" && (first == 'V' || first == 'A' || cat == "IP" || cat == "LP" || cat == "DP")) {
      done = generateVerbalObject(c, l.dependent, l.head);
    } else if (l.label == "OBJ1" || l.label == "COMP" || first == 'U') {
      done = generateNominalObject(c, l.dependent, l.head);
    } else {
      continue;
    }
    if (done && l.dependent > 0 && l.dependent < kMaxNodes) c.targets[l.dependent].caseOpen = 0;
  }
  for (const CjRoleLink* l : c.linkCopy) {
    if (l && (l->label == "G" || l->label == "ADVN" || l->label == "COMP")) {
      generateAdverbialPattern(c, l->dependent, l->head);
    }
  }
  for (const CjRoleLink& l : *c.roleLinks) {
    if (l.label == "LOG") generateAdverbialPattern(c, l.dependent, l.head);
  }
}

}  // namespace cj
