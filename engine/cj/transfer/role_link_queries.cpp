#include "engine/cj/transfer/role_link_queries.h"

#include <new>
#include <vector>

#include "platform/core/fail_point.h"

namespace cj {
namespace {

std::vector<CjRoleLink> kNoLinks;

std::vector<CjRoleLink>& linksOf(CjTransferContext& c) { return c.roleLinks ? *c.roleLinks : kNoLinks; }

bool beginsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

}  // namespace

int findDependent(CjTransferContext& c, int head, std::string_view label) {
  if (head < 1) return 0;
  for (const CjRoleLink& l : linksOf(c)) {
    if (l.head == head && l.label.view() == label) return l.dependent;
  }
  return 0;
}

int findObj1(CjTransferContext& c, int head) { return findDependent(c, head, "OBJ1"); }
int findG(CjTransferContext& c, int head) { return findDependent(c, head, "G"); }
int findTop(CjTransferContext& c, int head) { return findDependent(c, head, "TOP"); }
int findSub(CjTransferContext& c, int head) { return findDependent(c, head, "SUB"); }
int findAdvf(CjTransferContext& c, int head) { return findDependent(c, head, "ADVF"); }
int findQt(CjTransferContext& c, int head) { return findDependent(c, head, "QT"); }
int findComp(CjTransferContext& c, int head) { return findDependent(c, head, "COMP"); }
int findPivt(CjTransferContext& c, int head) { return findDependent(c, head, "PIVT"); }
int findAdvn(CjTransferContext& c, int head) { return findDependent(c, head, "ADVN"); }
int findLog(CjTransferContext& c, int head) { return findDependent(c, head, "LOG"); }

int findLastVaa(CjTransferContext& c, int head) {
  if (head < 1) return 0;
  int found = 0;
  for (const CjRoleLink& l : linksOf(c)) {
    if (l.head == head && l.label.view() == "VAA") found = l.dependent;
  }
  return found;
}

int followVaaChain(CjTransferContext& c, int node) {
  if (node < 1) return 0;
  // A chain visits each node once at most; the bound guards against a cycle in the links.
  for (int steps = 0; steps < kMaxNodes; ++steps) {
    int next = findLastVaa(c, node);
    if (next == 0 || next == node) break;
    node = next;
  }
  return node;
}

int findFirstArgument(CjTransferContext& c, int head) {
  for (std::string_view label : {"TOP", "SUB", "ADVF", "QT", "COMP", "PIVT", "ADVN", "OBJ1"}) {
    if (int d = findDependent(c, head, label)) return d;
  }
  return 0;
}

int findGovernor(CjTransferContext& c, int node) {
  if (node < 1) return 0;
  for (const CjRoleLink& l : linksOf(c)) {
    if (l.dependent == node) return l.head;
  }
  return 0;
}

int hasLaterSameRole(CjTransferContext& c, int head, int dependent, std::string_view label) {
  if (head < 1) return 0;
  bool seen = false;
  for (const CjRoleLink& l : linksOf(c)) {
    if (l.head != head || l.label.view() != label) continue;
    if (seen) return 1;
    if (l.dependent == dependent) seen = true;
  }
  return 0;
}

int roleLabelOf(CjTransferContext& c, int head, int dependent, std::string& out) {
  out.clear();
  if (head < 1 || dependent < 1) return 0;
  for (const CjRoleLink& l : linksOf(c)) {
    if (l.head == head && l.dependent == dependent) {
      out = l.label.str();
      return 1;
    }
  }
  return 0;
}

int hasLinkToWord(CjTransferContext& c, int head, std::string_view label, std::string_view word) {
  if (head < 1) return 0;
  for (const CjRoleLink& l : linksOf(c)) {
    if (l.head != head || l.label.view() != label) continue;
    const CjNode* d = sourceNode(c, l.dependent);
    if (d && l.dependent > 0 && d->CHI.view() == word) return 1;
  }
  return 0;
}

int copyRoleLinks(CjTransferContext& c) {
  std::vector<CjRoleLink*> copy;
  std::vector<CjRoleLink>& links = linksOf(c);
  bool ok = !plat::failPointHit(kLinkCopyFailPoint);
  if (ok) {
    try {
      copy.reserve(links.size());
    } catch (const std::bad_alloc&) {
      ok = false;
    }
  }
  if (!ok) {
    c.linkCopy.clear();
    showTransferOutOfMemory();
    return 0;
  }
  for (auto it = links.rbegin(); it != links.rend(); ++it) copy.push_back(&*it);
  c.linkCopy.swap(copy);
  return 1;
}

int takeDependent(CjTransferContext& c, int head, std::string_view label) {
  if (head < 1) return 0;
  for (CjRoleLink& l : linksOf(c)) {
    if (l.head == head && l.flag != '*' && l.label.view() == label) {
      l.flag = '*';
      return l.dependent;
    }
  }
  return 0;
}

int takeAdverbBeforeSubject(CjTransferContext& c, int head, std::string& out) {
  if (head < 1) return 0;
  for (CjRoleLink& l : linksOf(c)) {
    if (l.head != head) continue;
    if (l.label.view() == "SUB") return 0;
    if (l.flag != '*' && beginsWith(l.label.view(), "ADV")) {
      l.flag = '*';
      out = l.label.str();
      return l.dependent;
    }
  }
  return 0;
}

int takeAdverbOrG(CjTransferContext& c, int head, std::string& out) {
  if (head < 1) return 0;
  for (CjRoleLink& l : linksOf(c)) {
    if (l.head != head || l.flag == '*') continue;
    if (beginsWith(l.label.view(), "ADV") || l.label.view() == "G") {
      l.flag = '*';
      out = l.label.str();
      return l.dependent;
    }
  }
  return 0;
}

}  // namespace cj
