#include "engine/cj/transfer/candidate_narrowing.h"

#include <vector>

#include "engine/cj/analysis/node_build.h"
#include "engine/cj/transfer/category_codes.h"
#include "engine/cj/transfer/dictionary_lookup.h"
#include "engine/cj/transfer/role_link_queries.h"

namespace cj {
namespace {

template <typename Keep>
int narrow(CjTransferContext& c, int node, int first, Keep keep) {
  CjTargetNode* t = targetNode(c, node);
  if (!t || first < 0 || first >= static_cast<int>(t->candidates.size())) return 0;
  std::vector<CjCandidate>& list = t->candidates;
  list.erase(list.begin(), list.begin() + first);
  std::vector<CjCandidate> kept;
  kept.push_back(list.front());
  for (std::size_t k = 1; k < list.size(); ++k) {
    if (keep(list[k])) kept.push_back(list[k]);
  }
  list.swap(kept);
  if (keep(list.front())) return 1;
  if (list.size() > 1) {
    list.erase(list.begin());
    return 1;
  }
  return 0;
}

bool isWord(CjTransferContext& c, int i) { return c.sentence && i > 0 && isWordNode(*c.sentence, i); }

const CjNode* nodeAt(CjTransferContext& c, int i) { return i > 0 ? sourceNode(c, i) : nullptr; }

bool strictlyTransitive(std::string_view code) { return isTransitiveCode(code) && !isIntransitiveCode(code); }

// A nominal anywhere under node i (a parsed object: 关门).
bool holdsNominal(CjTransferContext& c, int i, int depth = 0) {
  const CjNode* n = nodeAt(c, i);
  if (!n || depth > 32) return false;
  if (n->CAT[0] == 'N' || n->CAT[0] == 'R' || n->CAT[0] == 'U') return true;
  for (int k = n->firstChild, steps = 0; k > 0 && steps < kMaxNodes; k = nodeAt(c, k)->next, ++steps) {
    if (holdsNominal(c, k, depth + 1)) return true;
    if (k == n->lastChild) break;
  }
  return false;
}

// The tree over v reads as a clause without an object: its root is a verb or a word, followed
// by nothing or a "P" word and preceded by a noun. When the sentence group has wrapped the clause,
// the verb phrase under the sentence node stands for the root when it holds no nominal
// (门开着。: 门 | 开着 | 。), for the sentence road links no objects.
bool rootAllowsIntransitive(CjTransferContext& c, int top) {
  int root = top;
  for (int steps = 0; steps < kMaxNodes; ++steps) {
    const CjNode* n = nodeAt(c, root);
    if (!n || n->parent == 0) break;
    if (const CjNode* p = nodeAt(c, n->parent); root == top && p && p->CAT == "S") {
      if (holdsNominal(c, top)) return false;
      break;
    }
    root = n->parent;
  }
  const CjNode* r = nodeAt(c, root);
  if (!r) return false;
  if (!isWord(c, root) && r->CAT[0] != 'V') return false;
  if (const CjNode* next = nodeAt(c, r->next); next && !(next->CAT == "P")) return false;
  const CjNode* prev = nodeAt(c, r->prev);
  return prev && prev->CAT[0] == 'N';
}

}  // namespace

bool candidateHasClass(const CjCandidate* candidate, char k) {
  if (!candidate) return false;
  std::string_view code = candidate->code.view();
  switch (k) {
    case '1': return isTransitiveCode(code);
    case '2': return isIntransitiveCode(code);
    case '3': return isCopulaClassCode(code);
    case '4': return candidate->frame == '4';
    case 'V': return isTransitiveCode(code) || isIntransitiveCode(code);
    default: return false;
  }
}

int narrowCandidates(CjTransferContext& c, int node, int first, char k) {
  return narrow(c, node, first, [k](const CjCandidate& cand) { return candidateHasClass(&cand, k); });
}

int narrowCandidatesByKind(CjTransferContext& c, int node, int first, char kind) {
  return narrow(c, node, first, [kind](const CjCandidate& cand) { return kindMatches(kind, cand.kind); });
}

void chooseTransitivity(CjTransferContext& c, int v) {
  CjTargetNode* t = targetNode(c, v);
  const CjNode* n = nodeAt(c, v);
  if (!t || !n) return;
  if (t->japanese.empty() && t->candidates.empty()) chooseTranslation(c, v, n->CAT[0]);
  if (!t->japanese.empty() || t->ruleFlag3 != 0) return;
  int firstIntransitive = -1, firstTransitive = -1;
  for (std::size_t k = 0; k < t->candidates.size(); ++k) {
    std::string_view code = t->candidates[k].code.view();
    if (firstIntransitive < 0 && isIntransitiveCode(code)) firstIntransitive = static_cast<int>(k);
    if (firstTransitive < 0 && strictlyTransitive(code)) firstTransitive = static_cast<int>(k);
  }
  if (firstIntransitive < 0 || firstTransitive < 0) return;
  if (findObj1(c, v) == 0) {
    int top = v;
    for (int steps = 0; steps < kMaxNodes; ++steps) {
      const CjNode* parent = nodeAt(c, nodeAt(c, top)->parent);
      if (!parent || parent->CAT[0] != 'V') break;
      top = nodeAt(c, top)->parent;
    }
    if (findObj1(c, top) == 0 && rootAllowsIntransitive(c, top)) {
      narrowCandidates(c, v, firstIntransitive, '2');
      return;
    }
  }
  for (std::size_t k = 0; k < t->candidates.size(); ++k) {
    if (t->candidates[k].frame == '6') return;
    if (static_cast<int>(k) == firstTransitive) break;
  }
  narrowCandidates(c, v, firstTransitive, '1');
}

void chooseTransitivityForAll(CjTransferContext& c) {
  for (int i = 1; i <= c.nodeCount && i < kMaxNodes; ++i) {
    if (!isWord(c, i)) break;
    if (c.sentence->nodes[i].CAT == "V") chooseTransitivity(c, i);
  }
}

}  // namespace cj
