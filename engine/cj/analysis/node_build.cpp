#include "engine/cj/analysis/node_build.h"

#include <cctype>
#include <new>

#include "engine/cj/analysis/node_predicates.h"
#include "engine/common/word_table.h"
#include "platform/core/notify.h"
#include "engine/common/dbcs_text.h"

namespace cj {

namespace {

constinit ListedKey kPrefixKey{"nodeBuilding.prefixChars"};
const WordKeySpec kWordKeys[] = {{kPrefixKey, 27, 1, 0}};
const WordKeyRegistrar kRegistrar(kWordKeys, 1);

void clearAnchorLinks(CjSentence& s) {
  CjNode& a = s.nodes[0];
  a.parent = a.firstChild = a.lastChild = a.prev = a.next = a.headChild = a.secondHead = 0;
}

// A new node index, or 0 when the slots are used up.
int takeSlot(CjSentence& s) {
  if (s.nodeCount + 1 >= kMaxNodes) return 0;
  return ++s.nodeCount;
}

void errBuild() { plat::consolePrint("ERR in builtnewnode"); }

}  // namespace


int lexicalHead(const CjSentence& s, int i) {
  if (i < 1 || i >= kMaxNodes) return 0;
  // A tree has fewer levels than slots: more steps than that is a cycle.
  for (int steps = 0; steps < kMaxNodes; ++steps) {
    if (isWordNode(s, i)) return i;
    i = s.nodes[i].headChild;
    if (i < 1 || i >= kMaxNodes) return 0;
  }
  return 0;
}

int leftmostWord(const CjSentence& s, int i) {
  for (int steps = 0; steps < kMaxNodes; ++steps) {
    if (isWordNode(s, i)) return i;
    i = s.nodes[i].firstChild;
  }
  return 0;
}

int rightmostWord(const CjSentence& s, int i) {
  for (int steps = 0; steps < kMaxNodes; ++steps) {
    if (isWordNode(s, i)) return i;
    i = s.nodes[i].lastChild;
  }
  return 0;
}

int builtnewnode(CjSentence& s, int first, int last) {
  if (first < 1 || last < 1 || first > s.nodeCount || last > s.nodeCount) {
    errBuild();
    return 0;
  }
  // The span must run along one chain from first to last.
  int k = first;
  for (int steps = 0; k != last && k != 0 && steps < kMaxNodes; ++steps) k = nextNode(s, k);
  if (k != last) {
    errBuild();
    return 0;
  }
  int p = takeSlot(s);
  if (!p) {
    errBuild();
    return 0;
  }
  CjNode& node = s.nodes[p];
  int before = s.nodes[first].prev;
  int after = s.nodes[last].next;
  int parent = s.nodes[first].parent;
  node.firstChild = first;
  node.lastChild = last;
  node.prev = before;
  node.next = after;
  s.nodes[first].parent = p;
  s.nodes[first].prev = 0;
  s.nodes[before].next = p;
  s.nodes[last].parent = p;
  s.nodes[last].next = 0;
  s.nodes[after].prev = p;
  for (int m = s.nodes[first].next, steps = 0; m != 0 && m != last && steps < kMaxNodes; ++steps) {
    s.nodes[m].parent = p;
    m = s.nodes[m].next;
  }
  // Inside a phrase the new node takes the span's place among its children.
  if (parent > 0 && parent < kMaxNodes) {
    node.parent = parent;
    if (s.nodes[parent].firstChild == first) s.nodes[parent].firstChild = p;
    if (s.nodes[parent].lastChild == last) s.nodes[parent].lastChild = p;
  }
  if (node.prev == 0) s.firstTop = p;
  if (node.next == 0) s.lastTop = p;
  node.headChild = first;
  node.secondHead = 0;
  clearAnchorLinks(s);
  return p;
}

int insertEmptyNode(CjSentence& s, int before, int after) {
  if (!inSlots(s, before) || !inSlots(s, after)) return 0;
  int n = takeSlot(s);
  if (!n) return 0;
  s.nodes[before].next = n;
  s.nodes[after].prev = n;
  CjNode& node = s.nodes[n];
  node.prev = before;
  node.next = after;
  if (before != 0) {
    node.parent = s.nodes[before].parent;
    if (node.parent != 0 && s.nodes[node.parent].lastChild == before) s.nodes[node.parent].lastChild = n;
  } else {
    node.parent = s.nodes[after].parent;
    if (node.parent != 0 && s.nodes[node.parent].firstChild == after) s.nodes[node.parent].firstChild = n;
  }
  if (before == 0 && after == s.firstTop) s.firstTop = n;
  if (after == 0 && before == s.lastTop) s.lastTop = n;
  clearAnchorLinks(s);
  return n;
}

int buildWrappedNode(CjSentence& s, int first, int last) {
  if (first < 1 || last < 1 || first > s.nodeCount || last > s.nodeCount) {
    errBuild();
    return 0;
  }
  if (s.nodeCount + 3 >= kMaxNodes) {
    errBuild();
    return 0;
  }
  int front = insertEmptyNode(s, s.nodes[first].prev, first);
  int back = insertEmptyNode(s, last, s.nodes[last].next);
  s.nodes[front].spanMark = '*';
  s.nodes[back].spanMark = '*';
  return builtnewnode(s, front, back);
}

int buildNodeWithEmptyFront(CjSentence& s, int first, int last) {
  if (first < 1 || last < 1 || first > s.nodeCount || last > s.nodeCount) return 0;
  if (s.nodeCount + 2 >= kMaxNodes) return 0;
  int front = insertEmptyNode(s, s.nodes[first].prev, first);
  s.nodes[front].spanMark = '*';
  int p = builtnewnode(s, front, last);
  if (p) s.nodes[p].headChild = last;
  return p;
}

int buildNodeWithEmptyBack(CjSentence& s, int first, int last) {
  if (first < 1 || last < 1 || first > s.nodeCount || last > s.nodeCount) {
    errBuild();
    return 0;
  }
  if (s.nodeCount + 2 >= kMaxNodes) {
    errBuild();
    return 0;
  }
  int back = insertEmptyNode(s, last, s.nodes[last].next);
  s.nodes[back].spanMark = '*';
  int p = builtnewnode(s, first, back);
  if (p) s.nodes[p].headChild = first;
  return p;
}

void copyNodeFeature(CjSentence& s, int to, int from, std::string_view name) {
  if (!isNodeIndex(s, to) || !inSlots(s, from)) return;
  CjFeatures& t = s.nodes[to].features;
  const CjFeatures& f = s.nodes[from].features;
  const bool all = name == "ALL";
  auto upper = [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); };
#define CJ_COPY(field) \
  if (all || name == #field) t.field = f.field;
  CJ_COPY(M_SEM) CJ_COPY(S_SEM) CJ_COPY(CLAS_M_FIX) CJ_COPY(CLAS_YN) CJ_COPY(LOC) CJ_COPY(SEX) CJ_COPY(NUM)
  CJ_COPY(PER) CJ_COPY(PROP) CJ_COPY(TIME) CJ_COPY(VOI) CJ_COPY(C_SUB_SEM) CJ_COPY(C_OBJ_SEM)
  CJ_COPY(NO_C_OBJ_SEM) CJ_COPY(PRE_OBJ) CJ_COPY(C_VAL) CJ_COPY(V_RES) CJ_COPY(V_TWO)
  CJ_COPY(MOD) CJ_COPY(DEG) CJ_COPY(FUNC1) CJ_COPY(CONJ) CJ_COPY(CONJ_FIX) CJ_COPY(MODIFY) CJ_COPY(SENT_YN)
  CJ_COPY(WHAT) CJ_COPY(WHO) CJ_COPY(DOM_P) CJ_COPY(CERT) CJ_COPY(ATTR1) CJ_COPY(CONJ_YN) CJ_COPY(LOGIC)
  CJ_COPY(PREP_YN) CJ_COPY(COMBINE) CJ_COPY(PRE_POST) CJ_COPY(SV_CONJ) CJ_COPY(ADD) CJ_COPY(ATTR2)
  CJ_COPY(S_CAT)
#undef CJ_COPY
  if (all || name == "NEG") t.NEG = upper(f.NEG);
  if (all || name == "TEN") t.TEN = upper(f.TEN);
  if (all || name == "ASP") t.ASP = upper(f.ASP);
  if (all || name == "REPEAT") s.nodes[to].REPF = s.nodes[from].REPF.view();
}

namespace {

// Position of node i in sentence order (a phrase before its children), -1 when it is not in the tree.
int treePosition(const CjSentence& s, int i) {
  int position = 0;
  int stack[kMaxNodes];
  int depth = 0;
  int k = s.firstTop;
  int steps = 0;
  while (k != 0 && steps++ < kMaxNodes * 2) {
    if (!inSlots(s, k)) return -1;
    if (k == i) return position;
    ++position;
    if (!isWordNode(s, k) && depth < kMaxNodes) {
      stack[depth++] = s.nodes[k].next;
      k = s.nodes[k].firstChild;
      continue;
    }
    k = s.nodes[k].next;
    while (k == 0 && depth > 0) k = stack[--depth];
  }
  return -1;
}

// True when node a comes before node b in the sentence.
bool liesBefore(const CjSentence& s, int a, int b) {
  if (a == b) return false;
  int pa = treePosition(s, a), pb = treePosition(s, b);
  return pa >= 0 && pb >= 0 && pa < pb;
}

int counterOf(std::string_view label) {
  static const std::pair<std::string_view, int> kExact[] = {
      {"SUB", kCountSub}, {"OBJ1", kCountObj1}, {"OBJ2", kCountObj2}, {"TOP", kCountTop}, {"COMP", kCountComp},
      {"SOC", kCountSoc}, {"PIVT", kCountPivt}, {"G", kCountG},       {"LOG", kCountLog}, {"NUM", kCountNum}};
  for (const auto& [name, counter] : kExact) {
    if (label == name) return counter;
  }
  if (label.substr(0, 3) == "ADV") return kCountAdv;
  if (label.substr(0, 2) == "VA") return kCountVa;
  return -1;
}

}  // namespace

void insertRoleLinkOrdered(CjSentence& s, const CjRoleLink& link) {
  auto& links = s.roleLinks;
  auto it = links.begin();
  while (it != links.end() && it->head != link.head) ++it;
  if (it == links.end()) {
    links.push_back(link);
    return;
  }
  for (; it != links.end() && it->head == link.head; ++it) {
    if (!liesBefore(s, it->dependent, link.dependent)) break;
  }
  links.insert(it, link);
}

void addRoleLink(CjSentence& s, int head, int dependent, std::string_view label) {
  CjRoleLink link;
  link.head = head;
  link.dependent = dependent;
  link.label = label.substr(0, 11);
  try {
    if (s.roleLinks.size() == s.roleLinks.capacity()) s.roleLinks.reserve(s.roleLinks.size() * 2 + 8);
  } catch (const std::bad_alloc&) {
    plat::consolePrint("NO Memory in allocating agenda!");
    return;
  }
  if (isNodeIndex(s, dependent)) {
    s.nodes[dependent].governor = head;
    s.nodes[dependent].attached = 1;
  }
  insertRoleLinkOrdered(s, link);
  int counter = counterOf(link.label.view());
  if (counter >= 0 && isNodeIndex(s, head)) ++s.nodes[head].roleCounts[counter];
}

bool isReduplicatedWord(std::string_view t) {
  auto sameChar = [&](std::size_t a, std::size_t b) { return t[a] == t[b] && t[a + 1] == t[b + 1]; };
  if (t.empty() || static_cast<unsigned char>(t[0]) < 0x80) return false;
  if (t.size() == 4) return sameChar(0, 2);
  if (t.size() == 6) return sameChar(0, 2) && sameChar(0, 4);
  return false;
}

bool hasSenseLetter(const CjNode& node, std::string_view letters) {
  char letter = letters.empty() ? 0 : letters[0];
  for (const CjSense& sense : node.senses) {
    if (sense.catLetter == letter) return true;
  }
  return false;
}

int textDiffersAt(std::string_view text, int from, int to, std::string_view word) {
  if (from < 0 || to < from || static_cast<std::size_t>(to) >= text.size()) return 1;
  if (static_cast<std::size_t>(to - from + 1) != word.size()) return 1;
  return text.substr(from, word.size()) == word ? 0 : 1;
}

bool startsWithHanzi(std::string_view text) {
  if (text.empty() || !dbcs::isLeadByte(static_cast<unsigned char>(text[0]))) return false;
  // The first two bytes at or after 0x87 0x4A, compared unsigned.
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead != 0x87) return lead > 0x87;
  return text.size() >= 2 && static_cast<unsigned char>(text[1]) >= 0x4A;
}

int splitListedPrefix(std::string_view text, std::string& prefix, std::string& rest) {
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t step = dbcs::charSize(text, i);
    if (!isInListedBarList(kPrefixKey, text.substr(i, step))) break;
    i += step;
  }
  prefix.assign(text.substr(0, i));
  rest.assign(text.substr(i));
  return i == text.size() ? 0 : 1;
}

}  // namespace cj
