#include "engine/jc/core/jc_phrase_grouping.h"

#include <string>
#include <string_view>

#include "engine/jc/core/jc_links.h"
#include "engine/jc/core/jc_predicates.h"
#include "platform/core/notify.h"

namespace jc {

namespace {

bool valid(const JcSentence* r, int i) { return i >= 1 && i <= r->lastNode && i < kJcMaxNodes; }
JcNode& node(JcSentence* r, int i) { return r->nodes[i]; }

// ---- Predicates of the record ----

bool surfaceIs(const JcSentence* r, int i, std::string_view s) { return i > 0 && r->nodes[i].surface == s; }
bool posIs(const JcSentence* r, int i, std::string_view p) { return i > 0 && r->nodes[i].pos == p; }

// The phrase half of isAdnominal: a morpheme in an attributive form does not count here.
bool isAdnominalPhrase(const JcSentence* r, int i) { return !isMorpheme(r, i) && isAdnominal(r, i); }

}  // namespace

// ---- Links and attribute moves ----

bool removeDependencyOf(JcSentence* r, int governor, int dependent, std::string* label, int* flag) {
  for (const JcLink* l = r->dependencyList; l && l->next; l = l->next) {
    if (l->governor != governor || l->dependent != dependent) continue;
    *label = l->label.str();
    return removeDependencyLink(r, governor, dependent, *label, flag);
  }
  return false;
}

void moveDependency(JcSentence* r, int governor, int dependent, int newGovernor, int newDependent,
                    const char* newLabel) {
  std::string label;
  int flag = 0;
  if (removeDependencyOf(r, governor, dependent, &label, &flag))
    addDependencyLink(r, newGovernor, newDependent, newLabel ? std::string(newLabel) : label, flag);
}

void setLabelHead(JcNode& n, std::string_view label, int head) {
  int k = labelHeadIndex(label);
  if (k >= 0) n.labelHeads[k] = head;
}

namespace {

int rowStart(const JcSentence* r, int i) {
  int parent = r->nodes[i].parent;
  return parent ? r->nodes[parent].firstChild : r->firstTop;
}

// In target g's template, a reference to h becomes a reference to n.
void retargetTemplate(JcSentence* r, int g, int h, int n) {
  if (g <= 0) return;
  std::string text = r->targets[g].templateText.str();
  std::string from = "{" + std::to_string(h) + "}", to = "{" + std::to_string(n) + "}";
  std::size_t at = text.find(from);
  if (at == std::string::npos) return;
  text.replace(at, from.size(), to);
  if (text.size() <= r->targets[g].templateText.capacity()) r->targets[g].templateText = text;
}

// The group n takes over h's dependency, codes and features; siblings of n that depended on h
// (or on also) depend on n; the root follows into n.
void moveAttributes(JcSentence* r, int h, int n, int also) {
  JcNode& H = node(r, h);
  JcNode& N = node(r, n);
  int g = H.headPhrase;
  N.headPhrase = g;
  N.depLabel = H.depLabel.view();
  N.usageCode = H.usageCode.view();
  N.jCode = H.jCode.view();
  N.sFeatures = H.sFeatures.view();
  N.abFeatures = H.abFeatures.view();
  std::memcpy(N.labelHeads, H.labelHeads, sizeof N.labelHeads);
  N.isPhrase = 1;
  if (g > 0) {
    moveDependency(r, g, h, g, n);
    retargetTemplate(r, g, h, n);
  }
  H.headPhrase = 0;
  H.depLabel.clear();
  H.usageCode.clear();
  H.jCode.clear();
  H.sFeatures.clear();
  H.abFeatures.clear();
  clearLinkBlock(r, h);
  int steps = 0;
  for (int x = rowStart(r, n); x > 0 && steps < kJcMaxNodes; x = r->nodes[x].nextSibling, ++steps) {
    JcNode& X = node(r, x);
    if (x == n || X.headPhrase <= 0 || (X.headPhrase != h && X.headPhrase != also)) continue;
    int old = X.headPhrase;
    moveDependency(r, old, x, n, x);
    X.headPhrase = n;
    for (int& lh : X.labelHeads)
      if (lh == old) lh = n;
  }
  if (r->rootPhrase == h || (r->rootPhrase > 0 && r->nodes[r->rootPhrase].parent == n)) r->rootPhrase = n;
}

// The first node of i's sibling row that depends on i; 0 when none.
int firstDependentInRow(const JcSentence* r, int i) {
  int steps = 0;
  for (int x = rowStart(r, i); x > 0 && steps < kJcMaxNodes; x = r->nodes[x].nextSibling, ++steps)
    if (r->nodes[x].headPhrase == i && x != i) return x;
  return 0;
}

int leftEdge(const JcSentence* r, int p) {
  int a = p;
  for (int steps = 0; !governsNoDependency(r, a) && steps < kJcMaxNodes; ++steps) {
    int d = firstDependentInRow(r, a);
    if (!d) break;  // it governs only nodes outside its row
    a = d;
  }
  return a;
}

// ---- Head assignment ----

}  // namespace

void assignHeads(JcSentence* r) {
  for (int i = 0; i <= r->lastNode && i < kJcMaxNodes; ++i) {
    if (isMorpheme(r, i)) continue;
    JcNode& n = node(r, i);
    int x;
    if (hasNounFeature(r, i)) {
      x = n.lastChild;
      while (x != n.firstChild && r->nodes[x].prevSibling > 0 && (posIs(r, x, "9") || posIs(r, x, "1")))
        x = r->nodes[x].prevSibling;
    } else {
      x = n.firstChild;
      while (x != n.lastChild && r->nodes[x].nextSibling > 0 && posIs(r, x, "13")) x = r->nodes[x].nextSibling;
      if (hasPredicateFeature(r, i))
        while (x != n.lastChild && r->nodes[x].nextSibling > 0 && (posIs(r, x, "9") || posIs(r, x, "1")))
          x = r->nodes[x].nextSibling;
    }
    n.head = x;
  }
}

namespace {

int advance(const JcSentence* r, int p) { return r->nodes[p].nextSibling ? r->nodes[p].nextSibling : r->nodes[p].parent; }

bool lastLeafIsComma(const JcSentence* r, int i) { return surfaceIs(r, lastLeaf(r, i), "、"); }

// The first leaf of h after symbols and one prefix is a noun or an unknown word.
bool startsWithNoun(const JcSentence* r, int h) {
  int x = firstLeaf(r, h);
  int last = lastLeaf(r, h);
  while (x > 0 && x < last && posIs(r, x, "1")) ++x;
  if (x > 0 && x < last && posIs(r, x, "13")) ++x;
  return posIs(r, x, "6") || posIs(r, x, "15");
}

}  // namespace

void groupModifiers(JcSentence* r) {
  bool commaPairMet = false;
  int p = r->firstTop;
  for (int steps = 0; p > 0 && steps < 8 * kJcMaxNodes; ++steps) {
    JcNode& P = node(r, p);
    int h = P.headPhrase;
    if (h > 0 && lastLeafIsComma(r, p) && lastLeafIsComma(r, h)) commaPairMet = true;
    if (h <= 0 || !isAdnominalPhrase(r, p) || !(isNominal(r, h) || startsWithNoun(r, h))) {
      p = advance(r, p);
      continue;
    }
    int q = P.nextSibling;
    if (P.depLabel == "D14" && q > 0 && q != h && isInBarList(r->nodes[q].sFeatures.view(), "S2") &&
        isInBarList(r->nodes[q].sFeatures.view(), "S14") && r->nodes[q].depLabel == "D3" &&
        r->nodes[q].headPhrase == h) {
      int flag = 0;
      removeDependencyLink(r, h, p, "D14", &flag);
      P.headPhrase = q;
      clearLinkBlock(r, p);
      setLabelHead(P, "D14", q);
      addDependencyLink(r, q, p, "D14", flag);
      continue;
    }
    if (firstLeaf(r, p) == 1 && lastLeafIsComma(r, p) && !lastLeafIsComma(r, h) && r->nodes[h].headPhrase > 0 &&
        !commaPairMet) {
      int top = h;
      for (int k = 0; r->nodes[top].headPhrase > 0 && k < kJcMaxNodes; ++k) top = r->nodes[top].headPhrase;
      moveDependency(r, h, p, top, p, "D1");
      clearLinkBlock(r, p);
      P.headPhrase = top;
      P.depLabel = "D1";
      setLabelHead(P, "D1", top);
      p = P.nextSibling;
      continue;
    }
    int a = leftEdge(r, p);
    if (a == h) {
      p = advance(r, p);
      continue;
    }
    int n = builtnewnode(r, a, h);
    if (!n) return;
    moveAttributes(r, h, n, 0);
    if (r->nodes[a].nextSibling != h) reattachToPhrase(r, a, 0);
    p = advance(r, p);
  }
}


void groupTimes(JcSentence* r) {
  for (int rounds = 0; rounds < kJcMaxNodes; ++rounds) {
    int d = 0, g = 0;
    for (const JcLink* l = r->dependencyList; l && l->next; l = l->next) {
      int dd = l->dependent, gg = l->governor;
      if (!valid(r, dd) || !valid(r, gg)) continue;
      if (!isInBarList(r->nodes[dd].sFeatures.view(), "S3") || !isInBarList(r->nodes[gg].sFeatures.view(), "S3")) continue;
      if (!isTimeNoun(r, lastLeaf(r, dd)) || r->nodes[dd].nextSibling != gg || !governsNoDependency(r, dd)) continue;
      d = dd;
      g = gg;
      break;
    }
    if (!d) return;
    int n = builtnewnode(r, d, g);
    if (!n) return;
    moveAttributes(r, g, n, 0);
  }
}

namespace {

// Brings a and b into one sibling row by climbing the one that stands deeper.
bool intoOneRow(const JcSentence* r, int& a, int& b) {
  if (r->nodes[a].parent == r->nodes[b].parent) return true;
  for (int x = b, k = 0; x > 0 && k < kJcMaxNodes; x = r->nodes[x].parent, ++k)
    if (r->nodes[x].parent == r->nodes[a].parent) {
      b = x;
      return true;
    }
  for (int x = a, k = 0; x > 0 && k < kJcMaxNodes; x = r->nodes[x].parent, ++k)
    if (r->nodes[x].parent == r->nodes[b].parent) {
      a = x;
      return true;
    }
  return false;
}

// The same on the target tree.
bool intoOneTargetRow(const JcSentence* r, int& a, int& b) {
  if (r->targets[a].parent == r->targets[b].parent) return true;
  for (int x = b, k = 0; x > 0 && k < kJcMaxNodes; x = r->targets[x].parent, ++k)
    if (r->targets[x].parent == r->targets[a].parent) {
      b = x;
      return true;
    }
  for (int x = a, k = 0; x > 0 && k < kJcMaxNodes; x = r->targets[x].parent, ++k)
    if (r->targets[x].parent == r->targets[b].parent) {
      a = x;
      return true;
    }
  return false;
}

}  // namespace

void reattachToPhrase(JcSentence* record, int start, int mode) {
  JcSentence* r = record;
  if (!r) return;
  int p = start > 0 ? start : r->firstTop;
  for (int steps = 0; valid(r, p) && steps < 4 * kJcMaxNodes; ++steps) {
    JcNode& P = node(r, p);
    int q = P.nextSibling;
    if (!(q > 0 && P.headPhrase == q && P.depLabel == "D21" && P.usageCode == "TO5")) {
      p = q;
      continue;
    }
    int x = lastLeaf(r, p);
    if (x > 1 && posIs(r, x, "1")) --x;
    if (!surfaceIs(r, x, "と")) {
      P.depLabel.clear();
      P.usageCode.clear();
      p = q;
      continue;
    }
    const JcNode& Q = r->nodes[q];
    if (isInBarList(Q.abFeatures.view(), "A12") && Q.jCode == "J6" && Q.depLabel != "D21") {
      for (int t = lastLeaf(r, q); t >= 1; --t)
        if (surfaceIs(r, t, "と")) {
          r->targets[t].live = 0;
          break;
        }
    }
    int n = builtnewnode(r, p, q);
    if (!n) return;
    moveAttributes(r, q, n, p);
    if (start > 0 && mode == 1) {
      int t = builtnewnodeCHN(r, p, q);
      if (t) {
        r->defaultRelationTarget = r->rootPhrase;
        for (JcLink* l = r->relationAgenda; l && l->next; l = l->next) {
          if (l->governor == p || l->governor == q)
            l->governor = t;
          else if (l->dependent == p || l->dependent == q)
            l->dependent = t;
        }
      }
      return;
    }
    p = n;
  }
}

int builtnewnode(JcSentence* record, int a, int b) {
  JcSentence* r = record;
  if (!r || a < 1 || b < 1 || a > r->lastNode || b > r->lastNode) {
    plat::consolePrint("ERR in builtnewnode\n");
    return 0;
  }
  if (!intoOneRow(r, a, b) || (a != b && !isLaterSibling(r, a, b))) return 0;
  int n = newJcNode(r);
  if (!n) return 0;
  JcNode& N = node(r, n);
  int prev = r->nodes[a].prevSibling, next = r->nodes[b].nextSibling, parent = r->nodes[a].parent;
  N.firstChild = a;
  N.lastChild = b;
  N.prevSibling = prev;
  N.nextSibling = next;
  N.parent = parent;
  N.head = b;
  N.isPhrase = 1;
  if (prev) node(r, prev).nextSibling = n;
  if (next) node(r, next).prevSibling = n;
  node(r, a).prevSibling = 0;
  node(r, b).nextSibling = 0;
  for (int x = a, k = 0; x > 0 && k < kJcMaxNodes; x = r->nodes[x].nextSibling, ++k) {
    node(r, x).parent = n;
    if (x == b) break;
  }
  if (parent) {
    JcNode& P = node(r, parent);
    if (P.firstChild == a) P.firstChild = n;
    if (P.lastChild == b) P.lastChild = n;
    if (P.head == a || P.head == b) P.head = n;
  } else {
    if (!prev) r->firstTop = n;
    if (!next) r->lastTop = n;
  }
  return n;
}

int builtnewnodeCHN(JcSentence* record, int a, int b) {
  JcSentence* r = record;
  if (!r || a < 1 || b < 1 || a > r->lastTarget || b > r->lastTarget) {
    plat::consolePrint("ERR in builtnewnodeCHN\n");
    return 0;
  }
  if (!intoOneTargetRow(r, a, b)) return 0;
  bool later = a == b;
  for (int x = r->targets[a].nextSibling, k = 0; !later && x > 0 && k < kJcMaxNodes; x = r->targets[x].nextSibling, ++k)
    later = x == b;
  if (!later) return 0;
  int n = newTargetNode(r);
  if (!n) return 0;
  JcTargetNode& N = r->targets[n];
  int prev = r->targets[a].prevSibling, next = r->targets[b].nextSibling, parent = r->targets[a].parent;
  N.firstChild = a;
  N.lastChild = b;
  N.prevSibling = prev;
  N.nextSibling = next;
  N.parent = parent;
  N.headChild = b;
  N.relation = r->targets[b].relation.view();
  N.kind = r->targets[b].kind;
  if (prev) r->targets[prev].nextSibling = n;
  if (next) r->targets[next].prevSibling = n;
  r->targets[a].prevSibling = 0;
  r->targets[b].nextSibling = 0;
  for (int x = a, k = 0; x > 0 && k < kJcMaxNodes; x = r->targets[x].nextSibling, ++k) {
    r->targets[x].parent = n;
    if (x == b) break;
  }
  if (parent) {
    JcTargetNode& P = r->targets[parent];
    if (P.firstChild == a) P.firstChild = n;
    if (P.lastChild == b) P.lastChild = n;
    if (P.headChild == a || P.headChild == b) P.headChild = n;
  } else {
    if (!prev) r->firstTopTarget = n;
    if (!next) r->lastTopTarget = n;
  }
  return n;
}

}  // namespace jc
