#include "engine/cj/transfer/transfer_context.h"

#include <new>
#include <utility>

#include "platform/core/notify.h"

namespace cj {
namespace {

bool inSlots(int i) { return i >= 0 && i < kMaxNodes; }

std::int16_t link(std::int32_t v) { return inSlots(v) ? static_cast<std::int16_t>(v) : 0; }

void clearSlotZeroLinks(CjTransferContext& c) {
  CjTargetNode& z = c.targets[0];
  z.parent = z.firstChild = z.lastChild = z.prevSibling = z.nextSibling = z.headChild = 0;
}

void defaultNode(CjTargetNode& t) {
  std::vector<CjCandidate> none;
  t.candidates.swap(none);
  t = CjTargetNode{};
}

}  // namespace

void showTransferOutOfMemory() {
  plat::messageBox(u"メモリ不足!", u"", plat::kMbOk | plat::kMbIconExclamation);
}

const CjNode* sourceNode(const CjTransferContext& c, int i) {
  if (!c.sentence || !inSlots(i)) return nullptr;
  return &c.sentence->nodes[i];
}

CjTargetNode* targetNode(CjTransferContext& c, int i) { return inSlots(i) ? &c.targets[i] : nullptr; }

const CjNode& slotNode(const CjTransferContext& c, int i) {
  static const CjNode none;
  const CjNode* n = sourceNode(c, i);
  return n ? *n : none;
}

// -1 lies outside the slots.
const CjNode& node(const CjTransferContext& c, int i) { return slotNode(c, i > 0 ? i : -1); }

CjTargetNode* writable(CjTransferContext& c, int i) { return i > 0 ? targetNode(c, i) : nullptr; }

std::unique_ptr<CjTransferContext> makeTransferContext(CjSentence& sentence, std::vector<CjRoleLink>& links,
                                                       CjSentenceSummary& summary) {
  std::unique_ptr<CjTransferContext> c(new (std::nothrow) CjTransferContext);
  if (!c) {
    showTransferOutOfMemory();
    return nullptr;
  }
  c->sentence = &sentence;
  c->roleLinks = &links;
  c->summary = &summary;
  initTargetNodes(*c);
  return c;
}

void initTargetNodes(CjTransferContext& c) {
  if (c.summary) {
    static_cast<CjSentenceHeader&>(c) = *c.summary;
    c.govWork = c.govNode;
    if (c.nodeCount >= kMaxNodes) c.nodeCount = kMaxNodes - 1;
  }
  // A new context's targets already hold the defaults.
  const bool reset = c.targetsSetUp;
  c.targetsSetUp = true;
  int last = kMaxNodes - 1;
  if (reset && c.sentence) {
    // Sentence slots past the one after its node count are unused, as are the kept targets past
    // those the last sentence used.
    const int used = c.sentence->nodeCount + 1 < kMaxNodes ? c.sentence->nodeCount + 1 : kMaxNodes - 1;
    last = c.targetsInUse > used ? c.targetsInUse : used;
  }
  for (int i = 0; i <= last; ++i) {
    CjTargetNode& t = c.targets[i];
    if (reset) defaultNode(t);
    if (!c.sentence) continue;
    const CjNode& n = c.sentence->nodes[i];
    t.parent = link(n.parent);
    t.firstChild = link(n.firstChild);
    t.lastChild = link(n.lastChild);
    t.prevSibling = link(n.prev);
    t.nextSibling = link(n.next);
    t.headChild = link(n.secondHead != 0 ? n.secondHead : n.headChild);
    const CjFeatures& f = n.features;
    t.neg = f.NEG == 'N' ? 1 : 0;
    t.neg1 = f.NEG2 == 'N' ? 1 : 0;
    t.voi = f.VOI == 'P' ? 1 : 0;
    t.ten = (f.TEN == 'B' || f.TEN == 'b') ? 'B' : 'A';
    t.asp = (f.ASP == 'C' || f.ASP == 'B') ? f.ASP : 'A';
  }
}

void noteTargetsInUse(CjTransferContext& c) {
  int used = c.nodeCount;
  if (c.sentence && c.sentence->nodeCount > used) used = c.sentence->nodeCount;
  c.targetsInUse = used + 1 < kMaxNodes ? used + 1 : kMaxNodes - 1;
}

void resetTargetNode(CjTransferContext& c, int i) {
  if (!inSlots(i)) return;
  defaultNode(c.targets[i]);
}

int addTargetNode(CjTransferContext& c) {
  int i = c.nodeCount + 1;
  if (i < 1 || i >= kMaxNodes) return 0;
  resetTargetNode(c, i);
  c.nodeCount = i;
  return i;
}

void insertTargetNode(CjTransferContext& c, int node, int before, int after) {
  if (!inSlots(node) || !inSlots(before) || !inSlots(after)) return;
  if (before == 0 && after == 0) return;
  CjTargetNode& n = c.targets[node];
  if (before != 0) c.targets[before].nextSibling = link(node);
  if (after != 0) c.targets[after].prevSibling = link(node);
  n.prevSibling = link(before);
  n.nextSibling = link(after);
  if (before != 0) {
    n.parent = c.targets[before].parent;
    if (after == 0) c.targets[n.parent].lastChild = link(node);
  } else {
    n.parent = c.targets[after].parent;
    c.targets[n.parent].firstChild = link(node);
  }
  clearSlotZeroLinks(c);
  if (before == 0 && after == c.firstTop) c.firstTop = node;
  if (after == 0 && before == c.lastTop) c.lastTop = node;
}

void unlinkTargetNode(CjTransferContext& c, int node) {
  if (node < 1 || !inSlots(node)) return;
  CjTargetNode& n = c.targets[node];
  int prev = n.prevSibling;
  int next = n.nextSibling;
  CjTargetNode& p = c.targets[n.parent];
  if (p.lastChild == node) p.lastChild = link(prev);
  if (p.firstChild == node) p.firstChild = link(next);
  if (p.headChild == node) p.headChild = link(next != 0 ? next : prev);
  if (prev != 0) c.targets[prev].nextSibling = link(next);
  if (next != 0) c.targets[next].prevSibling = link(prev);
  n.parent = n.prevSibling = n.nextSibling = 0;
  clearSlotZeroLinks(c);
  if (c.firstTop == node) c.firstTop = next;
  if (c.lastTop == node) c.lastTop = prev;
}

void swapTargetNodes(CjTransferContext& c, int a, int b) {
  if (a < 1 || b < 1 || !inSlots(a) || !inSlots(b) || a == b) return;
  CjTargetNode& ta = c.targets[a];
  CjTargetNode& tb = c.targets[b];
  if (ta.nextSibling == b) {
    int before = ta.prevSibling;
    int after = tb.nextSibling;
    tb.prevSibling = link(before);
    tb.nextSibling = link(a);
    ta.prevSibling = link(b);
    ta.nextSibling = link(after);
    if (before != 0) c.targets[before].nextSibling = link(b);
    if (after != 0) c.targets[after].prevSibling = link(a);
  } else {
    int ap = ta.prevSibling, an = ta.nextSibling, bp = tb.prevSibling, bn = tb.nextSibling;
    if (ap != 0) c.targets[ap].nextSibling = link(b);
    if (an != 0) c.targets[an].prevSibling = link(b);
    if (bp != 0) c.targets[bp].nextSibling = link(a);
    if (bn != 0) c.targets[bn].prevSibling = link(a);
    std::swap(ta.prevSibling, tb.prevSibling);
    std::swap(ta.nextSibling, tb.nextSibling);
  }
  if (ta.parent == tb.parent && ta.parent != 0) {
    CjTargetNode& p = c.targets[ta.parent];
    if (tb.prevSibling == 0) p.firstChild = link(b);
    if (ta.nextSibling == 0) p.lastChild = link(a);
  }
  clearSlotZeroLinks(c);
}

bool isTargetWord(const CjTransferContext& c, int i) {
  if (i == 0 || i > c.nodeCount || !inSlots(i) || !c.sentence) return true;
  const CjNode& n = c.sentence->nodes[i];
  return n.firstChild == 0 && n.lastChild == 0;
}

int targetHead(const CjTransferContext& c, int i) {
  if (i < 1 || !inSlots(i)) return 0;
  if (!c.targets[i].alive) return i;
  int steps = 0;
  while (!isTargetWord(c, i)) {
    const CjTargetNode& t = c.targets[i];
    int next = t.lastChild;
    bool special = c.sentence && c.sentence->nodes[i].structureClass != 0;
    // A plain phrase without a last child has no head.
    if (next == 0 && !special) return 0;
    if (!c.targets[next].alive || special) next = t.headChild;
    if (next == 0 || !inSlots(next) || ++steps > kMaxNodes) return 0;
    i = next;
  }
  return i;
}

void freeCandidateLists(CjTransferContext& c, int i) {
  if (!inSlots(i)) return;
  std::vector<CjCandidate> none;
  c.targets[i].candidates.swap(none);
}

void freeOrderList(CjTransferContext& c) {
  std::vector<CjOrderItem> none;
  c.orderList.swap(none);
}

void freeFrameStack(CjTransferContext& c) {
  std::vector<CjTransferFrame> none;
  c.frameStack.swap(none);
}

void freeTransferContext(CjTransferContext& c) {
  c.savedHeader.reset();
  freeFrameStack(c);
  freeOrderList(c);
  for (int i = 0; i < kMaxNodes; ++i) freeCandidateLists(c, i);
  std::vector<CjRoleLink*> none;
  c.linkCopy.swap(none);
  std::string empty;
  c.result.swap(empty);
}

void freeTransferContext(std::unique_ptr<CjTransferContext>& c, int flags) {
  if (!c) return;
  freeTransferContext(*c);
  if (flags & 1) c.reset();
}

void appendAttToResult(CjTransferContext& c, int i) {
  if (inSlots(i) && !c.targets[i].att.empty()) c.result += c.targets[i].att.view();
}

void appendPrefixToResult(CjTransferContext& c, int i) {
  if (inSlots(i) && !c.targets[i].prefixText.empty()) c.result += c.targets[i].prefixText.view();
}

}  // namespace cj
