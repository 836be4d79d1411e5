#include "engine/cj/analysis/predicate_linking.h"

#include <vector>

#include "engine/cj/analysis/node_build.h"
#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/node_text.h"
#include "engine/cj/analysis/predicate_marks.h"
#include "engine/cj/analysis/role_assignment.h"
#include "engine/cj/analysis/role_words.h"
#include "engine/cj/analysis/verb_continuation.h"
#include "engine/common/word_table.h"

namespace cj {
namespace {

using namespace role_words;

const WordKeySpec kWordKeys[] = {
    {kListedGovernors, 5, 1, 3},
    {kPivotWords, 14, 1, 2},
    {kMarkedPivotWords, 3, 1, 2},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

bool headAmong(const CjSentence& s, int i, const char* key) {
  std::string_view t = nodeText(s, lexicalHead(s, i));
  return !t.empty() && isListedWord(key, t);
}

bool hasObj1(const CjSentence& s, int i) { return isNodeIndex(s, i) && s.nodes[i].roleCounts[kCountObj1] > 0; }
bool hasObj2(const CjSentence& s, int i) { return isNodeIndex(s, i) && s.nodes[i].roleCounts[kCountObj2] > 0; }

// Shorthands of the linking tables.
struct Linker {
  CjSentence& s;
  void adv(int p, int b) { assignLeftAdverbials(s, p, b); }
  void left(int p, int b) { assignLeftRoles(s, p, b); }
  void right(int p, int b) { assignRightRoles(s, p, b); }
  int clause(int a, int b, int p) { return assignClauseRoles(s, a, b, p); }
  int two(int a, int b, int p, int q) { return linkPredicates2(s, a, b, p, q); }
  int nominal(int a, int b) { return findNominalBetween(s, a, b); }
  void link(int head, int dep, const char* label) { linkRole(s, head, dep, label); }
};

int resolveGroup(CjSentence& s, int left, int right, const std::vector<int>& p);

// The 4-6 predicate operation over p (p[0] unused, p[1..n]). Within a cell the groups are
// resolved first, in the order written, and the cell's own links made after them.
int linkMany(CjSentence& s, int L, int R, const std::vector<int>& p) {
  const int n = static_cast<int>(p.size()) - 1;
  Linker x{s};
  const int g = findMainPredicate(s, L, R);
  int k = 0;
  for (int i = 1; i <= n; ++i) {
    if (p[i] == g) k = i;
  }
  if (k == 0 || g == 0) return g;
  const GovernorClass c = governorClass(s, g, k, n);
  const int pk = p[k];
  auto slice = [&](int from, int to) {
    std::vector<int> v{0};
    for (int i = from; i <= to; ++i) v.push_back(p[i]);
    return v;
  };
  auto before = [&](int at) { return resolveGroup(s, L, p[at], slice(1, at - 1)); };
  auto after = [&](int at) { return resolveGroup(s, p[at], R, slice(at + 1, n)); };
  auto span = [&](int at) { return resolveGroup(s, p[at - 1], R, slice(at, n)); };
  auto objectOrSeries = [&](int pred) { return !hasObj1(s, pred) ? "OBJ1" : c == kGovVal1 ? "VAA" : "OBJ2"; };
  const bool first = k == 1, last = k == n;

  auto lastAsAdjective = [&] {
    x.adv(p[n], p[n - 1]);
    x.right(p[n], R);
    int b = before(n);
    x.link(p[n], b, "SUB");
  };
  auto asPivotLater = [&] {
    x.adv(pk, p[k - 1]);
    int g1 = before(k);
    int g2 = span(k);
    x.link(g2, g1, "VAB");
  };
  auto lastAsVal1 = [&] {
    x.adv(p[n], p[n - 1]);
    int b = before(n);
    x.link(p[n], b, "VAB");
    x.clause(p[n - 1], R, p[n]);
  };
  auto firstAsValH = [&] {
    x.adv(p[1], L);
    x.left(p[1], L);
    int a = after(1);
    x.link(p[1], a, "OBJ1");
  };
  // The group after resolves first; the nominal and the group are linked after it.
  auto objectThenRest = [&](int at) {
    int nom = x.nominal(p[at], p[at + 1]);
    int a = after(at);
    if (nom) x.link(p[at], nom, "OBJ1");
    x.link(p[at], a, objectOrSeries(p[at]));
  };

  switch (c) {
    case kGovAdjective:
      if (last) lastAsAdjective();
      break;
    case kGovListed:
      if (first) {
        x.left(p[1], L);
        int a = after(1);
        x.link(p[1], a, "OBJ1");
      } else if (!last) {
        x.adv(pk, p[k - 1]);
        int b = before(k);
        int a = after(k);
        x.link(pk, b, "SUB");
        x.link(pk, a, "OBJ1");
      } else {
        lastAsAdjective();
      }
      break;
    case kGovPivot:
      if (first) {
        x.adv(p[1], L);
        x.left(p[1], L);
        int nom = x.nominal(p[1], p[2]);
        int a = after(1);
        if (nom) x.link(p[1], nom, "PIVT");
        x.link(p[1], a, "SOC");
      } else {
        asPivotLater();
      }
      break;
    case kGovValH:
      if (first) {
        firstAsValH();
      } else if (!last) {
        x.adv(pk, p[k - 1]);
        int b = before(k);
        int a = after(k);
        x.link(pk, b, "VAB");
        x.link(pk, a, "OBJ1");
      }
      break;
    case kGovValE:
      if (first) {
        firstAsValH();
      } else if (!last) {
        asPivotLater();
      } else {
        x.adv(p[n], p[n - 1]);
        int b = before(n);
        x.link(p[n], b, "VAB");
        if (n == 4) x.right(p[n], R);
        else x.clause(p[n - 1], R, p[n]);
      }
      break;
    case kGovVal1:
      if (first) {
        x.adv(p[1], L);
        x.left(p[1], L);
        objectThenRest(1);
      } else if (!last) {
        x.adv(pk, p[k - 1]);
        int b = before(k);
        objectThenRest(k);
        x.link(pk, b, "VAB");
      } else {
        lastAsVal1();
      }
      break;
    case kGovSeries:
      if (first) {
        x.adv(p[1], L);
        x.clause(L, p[2], p[1]);
        int a = after(1);
        x.link(p[1], a, "VAA");
      } else {
        asPivotLater();
      }
      break;
    case kGovDoubleObject:
      if (first) {
        x.adv(p[1], L);
        x.clause(L, p[2], p[1]);
        objectThenRest(1);
      } else if (!last) {
        x.adv(pk, p[k - 1]);
        int b = before(k);
        int nom = x.nominal(pk, p[k + 1]);
        int a = after(k);
        x.link(pk, b, "VAB");
        if (nom) x.link(pk, nom, "OBJ1");
        x.link(pk, a, objectOrSeries(pk));
      } else {
        lastAsVal1();
      }
      break;
  }
  return g;
}

int resolveGroup(CjSentence& s, int left, int right, const std::vector<int>& p) {
  switch (p.size() - 1) {
    case 1: return assignClauseRoles(s, left, right, p[1]);
    case 2: return linkPredicates2(s, left, right, p[1], p[2]);
    case 3: return linkPredicates3(s, left, right, p[1], p[2], p[3]);
    case 4: case 5: case 6: return linkMany(s, left, right, p);
    default: return 0;
  }
}

}  // namespace

GovernorClass governorClass(const CjSentence& s, int g, int k, int n) {
  if (hasCat(s, g, "A") || (n == 2 && hasCat(s, g, "AP"))) return kGovAdjective;
  if (headAmong(s, g, kListedGovernors) || hasMSem(s, g, "K")) return kGovListed;
  if (headHasVerbCVal(s, g, "3") || headAmong(s, g, kPivotWords) ||
      (headAmong(s, g, kMarkedPivotWords) && headSecondMarkIs(s, g, '1')))
    return kGovPivot;
  if (headHasVerbCVal(s, g, "2") || headHasVerbCVal(s, g, "4")) return kGovDoubleObject;
  const bool last = k == n;
  if (headHasVerbCVal(s, g, "H") && !last) return kGovValH;
  if (headHasVerbCVal(s, g, "E") && (n >= 4 || !last)) return kGovValE;
  if (headHasVerbCVal(s, g, "1")) return kGovVal1;
  return kGovSeries;
}

int linkPredicates2(CjSentence& s, int L, int R, int p1, int p2) {
  Linker x{s};
  const int g = findMainPredicate(s, L, R);
  const int k = g == p1 && g != 0 ? 1 : 2;
  const GovernorClass c = governorClass(s, g, k, 2);
  // The later predicate governs: the cell shared by most classes.
  auto secondGoverns = [&](const char* label) {
    x.adv(p2, p1);
    x.clause(L, p2, p1);
    x.link(p2, p1, label);
    x.right(p2, R);
  };
  if (k == 2) {
    switch (c) {
      case kGovAdjective:
      case kGovListed: secondGoverns("SUB"); break;
      default: secondGoverns("VAB"); break;
    }
    return g;
  }
  switch (c) {
    case kGovAdjective: break;
    case kGovListed:
    case kGovValH:
      x.left(p1, L);
      x.clause(p1, R, p2);
      x.link(p1, p2, "OBJ1");
      break;
    case kGovPivot: {
      x.left(p1, L);
      int nom = x.nominal(p1, p2);
      if (nom) x.link(p1, nom, "PIVT");
      x.left(p2, p1);
      x.right(p2, R);
      x.link(p1, p2, nom ? "SOC" : "OBJ1");
      break;
    }
    case kGovDoubleObject: {
      x.adv(p1, L);
      x.adv(p2, p1);
      x.left(p1, L);
      int nom = x.nominal(p1, p2);
      if (nom) x.link(p1, nom, "OBJ1");
      x.clause(nom ? nom : p1, R, p2);
      x.link(p1, p2, !hasObj1(s, p1) ? "OBJ1" : !hasObj2(s, p1) ? "OBJ2" : "VAA");
      break;
    }
    case kGovValE:
      x.left(p1, L);
      x.left(p2, p1);
      x.right(p2, R);
      x.link(p1, p2, "OBJ1");
      break;
    case kGovVal1:
      x.adv(p1, L);
      x.adv(p2, p1);
      x.clause(L, p2, p1);
      x.right(p2, R);
      x.link(p1, p2, "VAA");
      break;
    case kGovSeries:
      x.left(p1, L);
      x.adv(p2, p1);
      x.right(p1, p2);
      x.left(p2, p1);
      x.right(p2, R);
      x.link(p1, p2, "VAA");
      break;
  }
  return g;
}

int linkPredicates3(CjSentence& s, int L, int R, int p1, int p2, int p3) {
  Linker x{s};
  const int g = findMainPredicate(s, L, R);
  const int k = g == 0 ? 0 : g == p1 ? 1 : g == p2 ? 2 : g == p3 ? 3 : 0;
  if (k == 0) return g;
  const GovernorClass c = governorClass(s, g, k, 3);
  auto lastAsAdjective = [&] {
    x.adv(p3, p2);
    x.right(p3, R);
    int h = x.two(L, p3, p1, p2);
    x.link(p3, h, "SUB");
  };
  auto seriesLater = [&] {
    if (k == 2) {
      x.adv(p2, p1);
      x.clause(L, p2, p1);
      int h = x.two(p1, R, p2, p3);
      x.link(h, p1, "VAB");
    } else {
      x.adv(p3, p2);
      int h = x.two(L, p3, p1, p2);
      x.clause(p2, R, p3);
      x.link(p3, h, "VAB");
    }
  };
  auto hSecond = [&] {
    x.adv(p2, p1);
    int h = x.clause(L, p2, p1);
    x.link(p2, h, "VAB");
    x.two(p1, R, p2, p3);
  };
  auto firstObject = [&] {
    x.left(p1, L);
    int h = x.two(p1, R, p2, p3);
    x.link(p1, h, "OBJ1");
  };
  switch (c) {
    case kGovAdjective:
      if (k == 3) lastAsAdjective();
      break;
    case kGovListed:
      if (k == 1) {
        firstObject();
      } else if (k == 2) {
        x.adv(p2, p1);
        x.clause(L, p2, p1);
        int h = x.clause(p2, R, p3);
        x.link(p2, h, "OBJ1");
        x.link(p2, p1, "SUB");
      } else {
        lastAsAdjective();
      }
      break;
    case kGovPivot:
      if (k == 1) {
        x.left(p1, L);
        int nom = x.nominal(p1, p2);
        if (nom) x.link(p1, nom, "PIVT");
        int h = x.two(p1, R, p2, p3);
        x.link(p1, h, "SOC");
      } else if (k == 2) {
        seriesLater();
      } else {
        x.adv(p3, p2);
        int h = x.two(L, p3, p1, p2);
        x.link(p3, h, "VAB");
        x.left(p3, p2);
        x.right(p3, R);
      }
      break;
    case kGovValH:
      if (k == 1) firstObject();
      else if (k == 2) hSecond();
      break;
    case kGovValE:
      if (k == 1) {
        int h = x.two(L, p3, p1, p2);
        int h2 = x.clause(p2, R, p3);
        x.link(h, h2, "VAA");
      } else if (k == 2) {
        hSecond();
      }
      break;
    case kGovVal1:
      if (k == 1) {
        x.left(p1, L);
        int nom = x.nominal(p1, p2);
        if (nom && matchVerbContinuation(s, lexicalHead(s, p1), lexicalHead(s, nom)) != 2) x.link(p1, nom, "OBJ1");
        int h = x.two(p1, R, p2, p3);
        x.link(p1, h, hasObj1(s, p1) ? "VAA" : "OBJ1");
      } else if (k == 2) {
        x.adv(p2, p1);
        x.clause(L, p2, p1);
        int nom = x.nominal(p2, p3);
        if (nom) x.link(p2, nom, "OBJ1");
        int h = x.clause(p2, R, p3);
        x.link(p2, h, hasObj1(s, p2) ? "VAA" : "OBJ1");
        x.link(p2, p1, "VAB");
      } else {
        x.adv(p3, p2);
        int h = x.two(L, p3, p1, p2);
        x.link(p3, h, "VAB");
        x.clause(p2, R, p3);
      }
      break;
    case kGovSeries:
      if (k == 1) {
        int h = x.two(p1, R, p2, p3);
        x.link(p1, h, "VAA");
        x.clause(L, p2, p1);
      } else {
        seriesLater();
      }
      break;
    case kGovDoubleObject:
      if (k == 1) {
        x.clause(L, p2, p1);
        int nom = x.nominal(p1, p2);
        if (nom) x.link(p1, nom, "OBJ1");
        int h = x.two(p1, R, p2, p3);
        if (!hasObj1(s, p1)) x.link(p1, h, isNodeIndex(s, h) && s.nodes[h].CAT[0] == 'A' ? "OBJ2" : "OBJ1");
        else x.link(p1, h, "OBJ2");
      } else {
        seriesLater();
      }
      break;
  }
  return g;
}

int linkPredicates4(CjSentence& s, int left, int right, int p1, int p2, int p3, int p4) {
  return linkMany(s, left, right, {0, p1, p2, p3, p4});
}

int linkPredicates5(CjSentence& s, int left, int right, int p1, int p2, int p3, int p4, int p5) {
  return linkMany(s, left, right, {0, p1, p2, p3, p4, p5});
}

int linkPredicates6(CjSentence& s, int left, int right, int p1, int p2, int p3, int p4, int p5, int p6) {
  return linkMany(s, left, right, {0, p1, p2, p3, p4, p5, p6});
}

}  // namespace cj
