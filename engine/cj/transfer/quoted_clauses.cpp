#include "engine/cj/transfer/quoted_clauses.h"

#include <memory>
#include <new>

#include "engine/cj/transfer/japanese_output.h"
#include "engine/cj/transfer/structural_transfer.h"
#include "platform/core/fail_point.h"

namespace cj {
namespace {

std::int16_t link(int i) { return static_cast<std::int16_t>(i); }

// New, empty frame stack and order list; false after the out-of-memory message.
bool freshWalkLists(CjTransferContext& c) {
  freeOrderList(c);
  freeFrameStack(c);
  bool ok = !plat::failPointHit(kWalkListsFailPoint);
  if (ok) {
    try {
      c.frameStack.reserve(8);
      c.frameStack.emplace_back();
      c.orderList.reserve(8);
    } catch (const std::bad_alloc&) {
      ok = false;
    }
  }
  if (!ok) showTransferOutOfMemory();
  return ok;
}

// The first node from firstTop along the sentence's next links with the clause-predicate mark.
int clausePredicate(CjTransferContext& c) {
  int steps = 0;
  for (int k = c.firstTop; k > 0 && k < kMaxNodes && steps < kMaxNodes; k = node(c, k).next, ++steps) {
    if (node(c, k).predicateMark == 'P') return k;
  }
  return 0;
}

// Orders the quoted stretch of phrase p; false when the pass must stop (no memory).
bool reanalysePhrase(CjTransferContext& c, int p) {
  const int first = c.targets[p].firstChild;
  int o = 0;
  if (isQuoteMark(c, first)) {
    o = first;
  } else if (first > 0 && isQuoteMark(c, c.targets[first].nextSibling)) {
    o = c.targets[first].nextSibling;
  }
  c.firstTop = o;
  int q = lastOfTopChain(c);
  if (!isQuoteMark(c, q)) q = q > 0 && isQuoteMark(c, c.targets[q].prevSibling) ? c.targets[q].prevSibling : 0;
  c.lastTop = q;
  // A stretch without its opening or closing mark, or of one or two words, is left as it is;
  // later quoted phrases are still ordered.
  if (o == 0 || q == 0) return true;
  const int after = c.targets[o].nextSibling;
  if (after == 0 || after == q || c.targets[after].nextSibling == q) return true;
  const int before = c.targets[q].prevSibling;
  c.firstTop = after;
  c.targets[after].prevSibling = 0;
  c.lastTop = before;
  c.targets[before].nextSibling = 0;
  c.govNode = clausePredicate(c);
  if (!freshWalkLists(c)) return false;
  handleGovernor(c, 1);
  const int last = lastOfTopChain(c);
  if (last > 0) {
    c.targets[last].nextSibling = link(q);
    c.targets[q].prevSibling = link(last);
  }
  c.targets[o].nextSibling = link(c.firstTop);
  if (c.firstTop > 0) c.targets[c.firstTop].prevSibling = link(o);
  return true;
}

}  // namespace

bool isQuoteMark(CjTransferContext& c, int n) {
  if (n < 1) return false;
  const char mark = node(c, n).spanMark;
  return mark == 'l' || mark == 'r';
}

int lastOfTopChain(CjTransferContext& c) {
  int n = c.firstTop;
  for (int steps = 0; n > 0 && n < kMaxNodes && c.targets[n].nextSibling != 0 && steps < kMaxNodes; ++steps) {
    n = c.targets[n].nextSibling;
  }
  return n;
}

void saveHeader(CjTransferContext& c) {
  if (!c.savedHeader) c.savedHeader.reset(new (std::nothrow) CjSentenceSummary);
  if (!c.savedHeader) return;
  *c.savedHeader = c;
}

void restoreHeader(CjTransferContext& c) {
  if (!c.savedHeader) return;
  restoreHeaderFields(c, *c.savedHeader);
}

void reanalyseQuotedClauses(CjTransferContext& c) {
  saveHeader(c);
  for (int p = 1; p <= c.nodeCount && p < kMaxNodes; ++p) {
    if (isTargetWord(c, p) || node(c, p).spanMark != 'y') continue;
    if (!reanalysePhrase(c, p)) break;
  }
  restoreHeader(c);
}

}  // namespace cj
