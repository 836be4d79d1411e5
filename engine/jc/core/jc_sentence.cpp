#include "engine/jc/core/jc_sentence.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace jc {

namespace {

constexpr int kSlotToEntry[kJcSlotCount] = {0, 1, 2, 14, 3, 4, 5, 6, 12, 11, -1, 7, 8, 13, 9, 10, -1, -1};

bool inRange(const JcSentence* record, int i) { return record && i >= 1 && i < kJcMaxNodes; }

void initNode(JcNode& n, int i) {
  n = JcNode{};
  n.head = i;
  n.prevSibling = i - 1;
  n.nextSibling = i + 1;
}

void initTargetRecordLevel(JcTargetNode& t) {
  t = JcTargetNode{};
  t.aspectA = t.aspectB = 'A';
  t.mark = "*";
  t.live = 1;
}

JcLink* newSentinel() {
  JcLink* l = new (std::nothrow) JcLink{};
  return l;
}

void freeList(JcLink*& head) {
  while (head) {
    JcLink* next = head->next;
    delete head;
    head = next;
  }
}

}  // namespace

std::string_view targetSlot(const JcTargetNode& t, int k) {
  if (k == 0) return t.slot0.view();
  if (k < 1 || k >= kJcSlotCount) return {};
  return t.slots[k].view();
}

bool setTargetSlot(JcTargetNode& t, int k, std::string_view text) {
  if (k == 0) return t.slot0.assign(text);
  if (k < 1 || k >= kJcSlotCount) return false;
  return t.slots[k].assign(text);
}

int slotSourceEntry(int slot) { return slot >= 0 && slot < kJcSlotCount ? kSlotToEntry[slot] : -1; }

void zeroJcSentence(JcSentence* record) { std::memset(static_cast<void*>(record), 0, sizeof(JcSentence)); }

JcInitStatus initJcSentence(JcSentence* record) {
  record->dependencyList = newSentinel();
  if (!record->dependencyList) return kJcInitNoMemory;
  record->relationAgenda = newSentinel();
  if (!record->relationAgenda) return kJcInitNoMemory;
  record->snapshot = new (std::nothrow) JcSnapshot{};
  if (!record->snapshot) return kJcInitNoMemory;
  for (int i = 0; i < kJcMaxNodes; ++i) {
    initNode(record->nodes[i], i);
    initTargetRecordLevel(record->targets[i]);
  }
  record->lastNode = 0;
  record->lastTop = 0;
  record->rootPhrase = 0;
  record->firstTop = 1;
  JcNode& n0 = record->nodes[0];
  n0.parent = n0.firstChild = n0.lastChild = n0.prevSibling = n0.nextSibling = n0.head = 0;
  record->nodes[1].prevSibling = 0;
  record->nodes[kJcMaxNodes - 1].nextSibling = 0;
  return kJcInitOk;
}

void initTargetNode(JcSentence* record, int i) {
  if (!inRange(record, i)) return;
  JcTargetNode& t = record->targets[i];
  t.slots[17].clear();
  t.candidates = nullptr;
  t.flags = 0;
  t.aspectA = t.aspectB = 'A';
  t.kind = 'z';
  t.headText.clear();
  t.headText2.clear();
  t.text3.clear();
  t.text4.clear();
  t.text5.clear();
  for (int& s : t.slotSource) s = 0;
  t.slot0.clear();
  for (int k = 1; k <= 16; ++k) t.slots[k].clear();
  t.parent = t.firstChild = t.lastChild = t.prevSibling = t.nextSibling = t.headChild = 0;
  t.live = 1;
  if (!(t.mark == "K")) t.mark = "*";
  t.code.clear();
  t.headLinked = 0;
}

int newTargetNode(JcSentence* record) {
  if (!record || record->lastTarget + 1 >= kJcMaxNodes) return 0;
  record->lastTarget += 1;
  initTargetNode(record, record->lastTarget);
  return record->lastTarget;
}

int newJcNode(JcSentence* record) {
  if (!record || record->lastNode + 1 >= kJcMaxNodes) return 0;
  record->lastNode += 1;
  return record->lastNode;
}

void releaseJcLists(JcSentence* record) {
  freeList(record->dependencyList);
  freeList(record->relationAgenda);
}

void freeCandidates(JcTargetNode& target) {
  JcCandidate* c = target.candidates;
  while (c) {
    JcCandidate* next = c->next;
    delete c;
    c = next;
  }
  target.candidates = nullptr;
}

void freeAllCandidates(JcSentence* record) {
  for (JcTargetNode& t : record->targets) freeCandidates(t);
}

void releaseJcSentence(JcSentence* record) {
  releaseJcLists(record);
  delete record->snapshot;
  record->snapshot = nullptr;
  while (record->orderCursor) {
    JcOrderCursor* next = record->orderCursor->next;
    delete record->orderCursor;
    record->orderCursor = next;
  }
  while (record->orderList) {
    JcOrderItem* next = record->orderList->next;
    delete record->orderList;
    record->orderList = next;
  }
  record->orderListTail = nullptr;
  freeAllCandidates(record);
}

void clearLinkBlock(JcSentence* record, int i) {
  if (!inRange(record, i)) return;
  for (int& h : record->nodes[i].labelHeads) h = 0;
}

JcCandidate* appendCandidate(JcSentence* record, int i, std::string_view chinese, std::string_view valency,
                             std::string_view extra) {
  if (!inRange(record, i)) return nullptr;
  JcCandidate* c = new (std::nothrow) JcCandidate{};
  if (!c) return nullptr;
  c->chinese = chinese;
  c->valency = valency;
  c->extra = extra;
  JcCandidate** at = &record->targets[i].candidates;
  while (*at) at = &(*at)->next;
  *at = c;
  return c;
}

int labelHeadIndex(std::string_view label) {
  if (label.size() < 2 || label.size() > 3 || label[0] != 'D') return -1;
  int n = 0;
  for (char ch : label.substr(1)) {
    if (ch < '0' || ch > '9') return -1;
    n = n * 10 + (ch - '0');
  }
  if (label[1] == '0' || n < 1 || n > kJcLabelCount) return -1;
  return n - 1;
}

bool isTargetLeaf(const JcSentence* record, int i) {
  if (i == 0 || i > record->lastTarget || i < 0 || i >= kJcMaxNodes) return true;
  const JcTargetNode& t = record->targets[i];
  return t.firstChild == 0 && t.lastChild == 0;
}

namespace {
template <typename Next>
int followDown(const JcSentence* record, int i, Next next) {
  // A tree path is at most as long as the number of targets; a longer one is a cycle.
  for (int steps = 0; steps <= kJcMaxNodes; ++steps) {
    if (isTargetLeaf(record, i)) return i;
    int n = next(record->targets[i]);
    if (n <= 0 || n >= kJcMaxNodes) return 0;
    i = n;
  }
  return 0;
}
}  // namespace

int targetFirstLeaf(const JcSentence* record, int i) {
  return followDown(record, i, [](const JcTargetNode& t) { return t.firstChild; });
}

int targetLastLeaf(const JcSentence* record, int i) {
  return followDown(record, i, [](const JcTargetNode& t) { return t.lastChild; });
}

int targetLexicalHead(const JcSentence* record, int i) {
  if (i < 1 || i >= kJcMaxNodes) return 0;
  if (!record->targets[i].live) return i;
  return followDown(record, i, [](const JcTargetNode& t) { return t.headChild; });
}

int findSurfaceBeforeTargetEnd(const JcSentence* record, int i, std::string_view text) {
  int last = targetLastLeaf(record, i);
  if (last >= kJcMaxNodes) last = kJcMaxNodes - 1;
  for (int k = last; k >= 1; --k)
    if (record->nodes[k].surface == text) return k;
  return 0;
}

}  // namespace jc
