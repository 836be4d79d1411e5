#include "engine/jc/core/jc_links.h"

#include <new>

#include "platform/core/notify.h"

namespace jc {

namespace {

bool isSentinel(const JcLink* l) { return l->next == nullptr; }

// Ordered insertion shared by both lists.
void insertOrdered(JcSentence* record, JcLink*& head, JcLink* item) {
  if (!head || isSentinel(head)) {
    item->next = head;
    head = item;
    return;
  }
  JcLink** at = &head;
  while (!isSentinel(*at) && (*at)->governor != item->governor) at = &(*at)->next;
  while (!isSentinel(*at) && (*at)->governor == item->governor &&
         isLaterSibling(record, (*at)->dependent, item->dependent))
    at = &(*at)->next;
  item->next = *at;
  *at = item;
}

JcLink* newItem(int governor, int dependent, std::string_view label) {
  JcLink* l = new (std::nothrow) JcLink{};
  if (!l) {
    plat::consolePrint("NO Memory in allocating agenda!\n");
    return nullptr;
  }
  l->governor = governor;
  l->dependent = dependent;
  l->label = label;
  return l;
}

// Walks the real items of a list (the sentinel excluded).
template <typename F>
JcLink* firstWhere(JcLink* head, F f) {
  for (JcLink* l = head; l && !isSentinel(l); l = l->next)
    if (f(*l)) return l;
  return nullptr;
}

int claim(JcLink* l, std::string* outLabel) {
  l->claimMark = '*';
  if (outLabel) *outLabel = l->label.str();
  return l->dependent;
}

bool startsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

}  // namespace

bool addDependencyLink(JcSentence* record, int governor, int dependent, std::string_view label, int flag) {
  JcLink* l = newItem(governor, dependent, label);
  if (!l) return false;
  l->active = 1;
  l->carriedFlag = flag == 1 ? 1 : 0;
  insertOrdered(record, record->dependencyList, l);
  return true;
}

bool addRelation(JcSentence* record, int governor, int dependent, std::string_view label) {
  JcLink* l = newItem(governor, dependent, label);
  if (!l) return false;
  insertOrdered(record, record->relationAgenda, l);
  return true;
}

bool removeDependencyLink(JcSentence* record, int governor, int dependent, std::string_view label, int* outFlag) {
  for (JcLink** at = &record->dependencyList; *at && !isSentinel(*at); at = &(*at)->next) {
    JcLink* l = *at;
    if (l->governor == governor && l->dependent == dependent && l->label == label) {
      if (outFlag) *outFlag = l->carriedFlag;
      *at = l->next;
      delete l;
      return true;
    }
  }
  return false;
}

bool isLaterSibling(const JcSentence* record, int a, int b) {
  if (a <= 0 || b <= 0 || a >= kJcMaxNodes) return false;
  // Sibling rows are shorter than the node array; a longer walk is a cycle.
  int n = record->nodes[a].nextSibling;
  for (int steps = 0; n > 0 && n < kJcMaxNodes && steps < kJcMaxNodes; ++steps) {
    if (n == b) return true;
    n = record->nodes[n].nextSibling;
  }
  return false;
}

int governsNoRelation(const JcSentence* record, int i) {
  return firstWhere(record->relationAgenda, [i](const JcLink& l) { return l.governor == i; }) ? 0 : 1;
}

int claimDependentByLabel(JcSentence* record, int governor, std::string_view label) {
  JcLink* l = firstWhere(record->relationAgenda, [&](const JcLink& x) {
    return x.governor == governor && !x.claimMark && x.label == label;
  });
  return l ? claim(l, nullptr) : 0;
}

int claimNextDependent(JcSentence* record, int governor, std::string* outLabel) {
  JcLink* l = firstWhere(record->relationAgenda,
                         [&](const JcLink& x) { return x.governor == governor && !x.claimMark; });
  return l ? claim(l, outLabel) : 0;
}

void unclaimRelation(JcSentence* record, int dependent, int governor) {
  JcLink* l = firstWhere(record->relationAgenda,
                         [&](const JcLink& x) { return x.dependent == dependent && x.governor == governor; });
  if (l) l->claimMark = 0;
}

int findGovernorOf(const JcSentence* record, int dependent, std::string* outLabel) {
  if (outLabel) outLabel->clear();
  JcLink* l = firstWhere(record->relationAgenda, [&](const JcLink& x) { return x.dependent == dependent; });
  if (!l) return 0;
  if (outLabel) *outLabel = l->label.str();
  return l->governor;
}

int claimAdverbial(JcSentence* record, int governor, std::string* outLabel) {
  for (JcLink* l = record->relationAgenda; l && !isSentinel(l); l = l->next) {
    if (l->governor != governor) continue;
    if (l->label == "SUB") return 0;
    if (!l->claimMark && startsWith(l->label.view(), "ADV")) return claim(l, outLabel);
  }
  return 0;
}

int claimAdverbialOrG(JcSentence* record, int governor, std::string* outLabel) {
  JcLink* l = firstWhere(record->relationAgenda, [&](const JcLink& x) {
    return x.governor == governor && !x.claimMark && (startsWith(x.label.view(), "ADV") || x.label == "G");
  });
  return l ? claim(l, outLabel) : 0;
}

int claimOtherThan(JcSentence* record, std::string_view wanted, int governor, std::string* outLabel) {
  if (outLabel) outLabel->clear();
  bool objectWanted = startsWith(wanted, "OBJ");
  for (JcLink* l = record->relationAgenda; l && !isSentinel(l); l = l->next) {
    if (l->governor != governor) continue;
    std::string_view label = l->label.view();
    if (startsWith(label, wanted)) return 0;
    if (objectWanted && (label == "NUM" || label == "COMP" || label == "HT" || label == "GOV")) continue;
    if (!l->claimMark) return claim(l, outLabel);
  }
  return 0;
}

int templateRefAt(const JcSentence* record, int i, int* position, std::string* outLabel) {
  if (i < 0 || i >= kJcMaxNodes) return 0;
  std::string_view t = record->targets[i].templateText.view();
  if (t.empty()) return 0;
  std::size_t p = *position < 0 ? 0 : static_cast<std::size_t>(*position);
  if (p < t.size() && t[p] == '+') ++p;
  // The characters up to the next '+' must all be digits; anything else refuses the reference.
  int n = 0;
  bool digits = true;
  while (p < t.size() && t[p] != '+') {
    if (t[p] < '0' || t[p] > '9') digits = false;
    else if (n < kJcMaxNodes) n = n * 10 + (t[p] - '0');
    ++p;
  }
  *position = static_cast<int>(p);
  if (!digits || n <= 0 || n >= kJcMaxNodes) return 0;
  if (outLabel) *outLabel = record->targets[n].relation.str();
  return n;
}

}  // namespace jc
