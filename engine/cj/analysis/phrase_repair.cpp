#include "engine/cj/analysis/phrase_repair.h"

#include <functional>
#include <initializer_list>
#include <string_view>

#include "engine/cj/analysis/dic_lookup.h"
#include "engine/cj/analysis/node_build.h"
#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/node_text.h"
#include "engine/cj/analysis/phrase_rules.h"
#include "engine/cj/analysis/phrase_words.h"
#include "engine/cj/analysis/predicate_marks.h"
#include "engine/cj/analysis/role_assignment.h"
#include "engine/cj/analysis/verb_continuation.h"
#include "engine/common/word_table.h"

namespace cj {
namespace {

using namespace phrase_words;
using namespace repair_words;

constinit ListedKey kL3{"phraseRepair.L3"};
constinit ListedKey kD2{"phraseRepair.D2"};
constinit ListedKey kD3{"phraseRepair.D3"};
constinit ListedKey kD4{"phraseRepair.D4"};
constinit ListedKey kU1{"phraseRepair.U1"};
constinit ListedKey kU2{"phraseRepair.U2"};
constinit ListedKey kU3{"phraseRepair.U3"};
constinit ListedKey kV1{"phraseRepair.V1"};
constinit ListedKey kV2{"phraseRepair.V2"};
constinit ListedKey kV3{"phraseRepair.V3"};
constinit ListedKey kV4{"phraseRepair.V4"};
constinit ListedKey kY1{"phraseRepair.Y1"};
constinit ListedKey kY2{"phraseRepair.Y2"};
constinit ListedKey kY3{"phraseRepair.Y3"};
constinit ListedKey kZ1{"phraseRepair.Z1"};
constinit ListedKey kZ2{"phraseRepair.Z2"};
constinit ListedKey kZ3{"phraseRepair.Z3"};
constinit ListedKey kSpanGroupA{"phraseRepair.spanGroupA"};
constinit ListedKey kSpanGroupD{"phraseRepair.spanGroupD"};  // with U1
constinit ListedKey kSpanGroupE{"phraseRepair.spanGroupE"};  // with V2, V3, V4 and U3
constinit ListedKey kW1{"phraseRepair.W1"};
constinit ListedKey kW3{"phraseRepair.W3"};
constinit ListedKey kT1{"phraseRepair.T1"};
constinit ListedKey kT2{"phraseRepair.T2"};
constinit ListedKey kLocalizers{"phraseRepair.localizers"};
constinit ListedKey kLocalizerStarts{"phraseRepair.localizerStarts"};

const WordKeySpec kWordKeys[] = {
    {kL3, 1, 1, 1},         {kD2, 1, 1, 1},          {kD3, 1, 1, 1},          {kD4, 1, 1, 1},
    {kU1, 1, 2, 2},         {kU2, 1, 1, 1},          {kU3, 1, 2, 2},          {kJ1, 1, 1, 1},
    {kJ2, 1, 1, 1},         {kJ3, 1, 1, 1},          {kV1, 1, 1, 1},          {kV2, 1, 2, 2},
    {kV3, 1, 2, 2},         {kV4, 1, 1, 1},          {kY1, 1, 1, 1},          {kY2, 1, 1, 1},
    {kY3, 1, 2, 2},         {kZ1, 1, 1, 1},          {kZ2, 1, 2, 2},          {kZ3, 1, 2, 2},
    {kSpanGroupA, 4, 1, 2}, {kSpanGroupD, 1, 2, 2},  {kSpanGroupE, 8, 1, 2},  {kW1, 1, 1, 1},
    {kW3, 1, 1, 1},         {kT1, 1, 1, 1},          {kT2, 1, 1, 1},          {kLocalizers, 15, 1, 2},
    {kLocalizerStarts, 21, 1, 3},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

bool wordIn(const CjSentence& s, int i, std::initializer_list<std::reference_wrapper<const ListedKey>> keys) {
  for (const ListedKey& k : keys) {
    if (wordIs(s, i, k)) return true;
  }
  return false;
}

bool among(const CjSentence& s, int i, const ListedKey& key) {
  std::string_view w = wordOf(s, i);
  return !w.empty() && isListedWord(key, w);
}

bool anyCat(const CjSentence& s, int i, std::initializer_list<std::string_view> cats) {
  for (std::string_view c : cats) {
    if (hasCat(s, i, c)) return true;
  }
  return false;
}

bool catIn(const CjSentence& s, int i, std::initializer_list<std::string_view> cats) {
  if (!isNodeIndex(s, i)) return false;
  for (std::string_view c : cats) {
    if (catOf(s, i) == c) return true;
  }
  return false;
}

char markOf(const CjSentence& s, int i) { return isNodeIndex(s, i) ? s.nodes[i].predicateMark : 0; }
bool isPredicate(const CjSentence& s, int i) { return markOf(s, i) == 'P' || markOf(s, i) == 'C'; }

int backOverP(const CjSentence& s, int i) { return hasCat(s, i, "P") ? prevNode(s, i) : i; }

// From i backwards over the modifier phrases; the first other node, 0 when none.
int backOverModifiers(const CjSentence& s, int i) {
  for (int k = i, steps = 0; k != 0 && steps < kMaxNodes; k = prevNode(s, k), ++steps) {
    if (!catIn(s, k, {"F", "FP", "G", "IP", "LP", "DP"})) return k;
  }
  return 0;
}

bool isNounI(const CjSentence& s, int i) { return hasCat(s, i, "N") && hasMSem(s, i, "I"); }
bool hasNoun(const CjSentence& s, int i) { return hasNounCat(s, i); }

// A phrase over first..last with category and head; 0 when refused.
int build(CjSentence& s, int first, int last, const char* cat, int head, char subtype = 0, int rule = 0) {
  int p = builtnewnode(s, first, last);
  if (!p) return 0;
  CjNode& n = s.nodes[p];
  n.CAT = cat;
  n.headChild = head;
  n.subtype = subtype;
  n.ruleNumber = rule;
  return p;
}

// The introducer clause pattern after u: an "IP" over u..u1 when it matches; the new node or 0.
int introducerClause(CjSentence& s, int u) {
  int u1 = nextNode(s, u), u2 = nextNode(s, u1);
  if (!hasNoun(s, u1) || !anyCat(s, u2, {"F", "G", "V", "VP"})) return 0;
  int w = nextNode(s, u2);
  while (w != 0 && anyCat(s, w, {"F", "G", "V", "VP"})) w = nextNode(s, w);
  if (!isLinker(s, w) || nextVerbInContext(s, w) != 0) return 0;
  return build(s, u, u1, "IP", u1);
}

template <typename Rule>
void walkChain(CjSentence& s, Rule rule) {
  for (int u = s.firstTop, steps = 0; isNodeIndex(s, u) && steps < kMaxNodes; ++steps) {
    int built = rule(u);
    u = nextNode(s, built ? built : u);
  }
}

// The walk of the Y and D introducers up to the next punctuation or predicate.
template <typename Answer>
int walkToPredicate(const CjSentence& s, int u, Answer answer) {
  for (int k = nextNode(s, u), steps = 0; k != 0 && steps < kMaxNodes; k = nextNode(s, k), ++steps) {
    if (hasCat(s, k, "P") || isPredicate(s, k)) return backOverModifiers(s, prevNode(s, k));
    if (answer(k)) return k;
  }
  return backOverP(s, lastTopNode(s));
}

}  // namespace

int findIntroducerSpanEndByPredicate(const CjSentence& s, int u) {
  for (int k = nextNode(s, nextNode(s, u)), steps = 0; k != 0 && steps < kMaxNodes; k = nextNode(s, k), ++steps) {
    if (!catIn(s, k, {"IP", "I"}) && !isPredicate(s, k)) continue;
    if (!isPredicate(s, k)) return prevNode(s, k);
    return backOverModifiers(s, prevNode(s, k));
  }
  return backOverP(s, lastTopNode(s));
}

int findIntroducerSpanEnd(const CjSentence& s, int u) {
  int r = 0;
  auto byPredicate = [&] {
    if (int e = findIntroducerSpanEndByPredicate(s, u)) r = e;
  };
  if (among(s, u, kSpanGroupA)) {
    r = backOverP(s, lastTopNode(s));
  } else if (wordIn(s, u, {kV4, kU2, kU3})) {
    int w = findFollowingWord(s, u, listedWord(kW1));
    r = backOverP(s, w ? w : lastTopNode(s));
    byPredicate();
  } else if (wordIn(s, u, {kV2, kV3})) {
    int w = findFollowingWord(s, u, listedWord(kW1));
    r = backOverP(s, w ? w : lastTopNode(s));
  } else if (wordIs(s, u, kU1) || among(s, u, kSpanGroupD) || among(s, u, kSpanGroupE)) {
    r = backOverP(s, lastTopNode(s));
    const std::string& c1 = listedWord(predicate_words::kC1);
    if (s.sentenceType.view() != c1) byPredicate();
  } else if (wordIn(s, u, {kY1, kY3})) {
    r = walkToPredicate(s, u, [&](int k) { return hasCat(s, k, "Ntp") || isNounI(s, k); });
  } else if (wordIn(s, u, {kD, kD2})) {
    r = walkToPredicate(s, u, [&](int k) {
      int n = nextNode(s, k);
      // Either condition answers k; the second is tried when the first does not hold.
      if (hasNoun(s, k) && (hasMSem(s, k, "L") || hasMSem(s, k, "H") || hasMSem(s, k, "J")) &&
          (!hasNoun(s, n) || (!hasMSem(s, n, "L") && !hasMSem(s, n, "H"))))
        return true;
      if (hasCat(s, k, "Ntp") || isNounI(s, k)) return !hasCat(s, n, "Ntp") && !isNounI(s, n);
      return false;
    });
  } else if (wordIn(s, u, {kJ1, kJ2, kJ3})) {
    r = nextNode(s, u);
  } else {
    r = findIntroducerSpanEndByPredicate(s, u);
  }
  if (r != u) return r;
  int n = nextNode(s, u);
  return hasCat(s, n, "P") ? u : n;
}

int findLocalizerStart(const CjSentence& s, int x) {
  int p = prevNode(s, x);
  int b = 0;
  for (int k = prevNode(s, p), steps = 0; k != 0 && steps < kMaxNodes; k = prevNode(s, k), ++steps) {
    if (anyCat(s, k, {"G", "F", "V", "I", "D", "L"}) || (hasCat(s, k, "J") && hasMSem(s, k, "B"))) {
      b = k;
      break;
    }
  }
  int m = 0;
  for (int k = p, steps = 0; k != 0 && steps < kMaxNodes; k = prevNode(s, k), ++steps) {
    if (hasCat(s, k, "J") && hasMSem(s, k, "B")) {
      m = k;
      break;
    }
  }
  int afterM = nextNode(s, m);
  if (afterM == 0 && (wordIs(s, s.firstTop, kF1) || wordIs(s, s.firstTop, predicate_words::kE2)))
    afterM = nextNode(s, s.firstTop);
  if (among(s, x, kLocalizerStarts)) return afterM ? afterM : s.firstTop;
  int afterB = nextNode(s, b);
  return afterB ? afterB : s.firstTop;
}

void ruleIntroducerNP(CjSentence& s) {
  walkChain(s, [&](int u) {
    int u1 = nextNode(s, u), u2 = nextNode(s, u1);
    if (!wordIn(s, u, {kD, kD2, kD3, kD4})) return 0;
    if (!hasNoun(s, u1) || !(hasMSem(s, u1, "I") || hasMSem(s, u1, "H") || hasMSem(s, u1, "J"))) return 0;
    if (wordIn(s, u2, {kL1, kL2, kL3})) return 0;
    return build(s, u, u1, "IP", u1);
  });
}

void ruleIntroducerClauseNP(CjSentence& s) {
  walkChain(s, [&](int u) { return wordIn(s, u, {kP1, kP2, kU1, kU2, kU3}) ? introducerClause(s, u) : 0; });
  walkChain(s, [&](int u) {
    int u1 = nextNode(s, u), u2 = nextNode(s, u1), u3 = nextNode(s, u2);
    if (!wordIs(s, u, kP1) || !hasNoun(s, u1) || !isLinker(s, u2) || !hasNoun(s, u3)) return 0;
    int after = nextNode(s, u3);
    if (after != 0 && !hasCat(s, after, "P")) return 0;
    return build(s, u, u3, "NP", u3, 'Z', 14);
  });
}

void ruleIntroducerClauseNP2(CjSentence& s) {
  walkChain(s, [&](int u) { return wordIn(s, u, {kJ1, kJ2, kJ3}) ? introducerClause(s, u) : 0; });
}

void ruleClauseIntroducers(CjSentence& s) {
  walkChain(s, [&](int u) {
    if (!wordIn(s, u, {kD3, kD4})) return 0;
    int u1 = nextNode(s, u), u2 = nextNode(s, u1), u3 = nextNode(s, u2), u4 = nextNode(s, u3), u5 = nextNode(s, u4);
    if (wordIn(s, u2, {kY1, kY2})) {
      if (!build(s, u, u1, "IP", u1)) return 0;
      return build(s, u2, u3, "IP", u3);
    }
    if (wordIn(s, u2, {kZ1, kZ2, kZ3}) && wordIn(s, u4, {kY1, kY2})) {
      if (!build(s, u, u1, "IP", u1) || !build(s, u2, u3, "IP", u3)) return 0;
      return build(s, u4, u5, "IP", u5);
    }
    return 0;
  });
  walkChain(s, [&](int u) {
    if (catOf(s, u) != "I" && !wordIn(s, u, {kV1, kV2, kV3, kV4})) return 0;
    int e = findIntroducerSpanEnd(s, u);
    if (e == 0 || e == u) return 0;
    int p = buildNodeWithEmptyBack(s, u, e);
    if (!p) return 0;
    CjNode& n = s.nodes[p];
    n.CAT = "IP";
    n.headChild = e;
    n.spanMark = 'y';
    s.nodes[u].spanMark = 'l';
    s.nodes[n.lastChild].spanMark = 'r';
    return p;
  });
}

void ruleLocalizerPhrases(CjSentence& s) {
  for (int x = lastTopNode(s), steps = 0; isNodeIndex(s, x) && steps < kMaxNodes; ++steps) {
    const std::string_view cat = catOf(s, x);
    bool qualifies = cat != "F" && (cat == "L" || among(s, x, kLocalizers));
    if (qualifies && cat == "L" && hasChars(s, x, 1) && wordIs(s, x - 1, kL1)) qualifies = false;
    int start = qualifies ? findLocalizerStart(s, x) : 0;
    int p = start ? buildNodeWithEmptyFront(s, start, x) : 0;
    if (!p) {
      x = prevNode(s, x);
      continue;
    }
    CjNode& n = s.nodes[p];
    n.CAT = "LP";
    n.headChild = start;
    n.spanMark = 'y';
    s.nodes[n.firstChild].spanMark = 'l';
    s.nodes[x].spanMark = 'r';
    x = prevNode(s, p);
  }
}

int ruleLinkerWord(CjSentence& s, int k) {
  int p = prevNode(s, k), n = nextNode(s, k);
  int hn = lexicalHead(s, n), z = nextNode(s, n);
  if (p == 0) return k;
  auto nominalHead = [&] { return hasNounSense(s, hn) && !(hasVerbCat(s, n) && hasMSem(s, n, "K")); };
  if (n != 0) {
    if (anyCat(s, n, {"Ntp", "Ntl", "N", "NP"}) || (hasCat(s, n, "R") && (hasMSem(s, n, "A") || hasMSem(s, n, "C"))))
      return build(s, p, n, "NP", n, 'Z', 1);
    if (hasVerbCat(s, p) && anyCat(s, n, {"A", "AP", "V", "VP"}) && hasCat(s, z, "P")) {
      s.nodes[n].predicateMark = 'C';
      return build(s, p, k, "NP", k, 'Z', 3);
    }
    if (nominalHead() && hasCat(s, z, "P")) {
      if (isWordNode(s, n)) s.nodes[n].CAT = "N";
      return build(s, p, n, "NP", n, 'Z', 2);
    }
    if (!hasCat(s, n, "P")) {
      if (nominalHead()) return build(s, p, n, "NP", n, 'Z', 4);
      if ((hasCat(s, p, "V") || hasCat(s, p, "A")) && wordIs(s, n, kF1)) return k;
      return build(s, p, k, "NP", k, 'Z', 3);
    }
  }
  const bool pPredicative = anyCat(s, p, {"AP", "A", "VP", "V"});
  int t = findMarkedWord(s, 1);
  if (t != 0 && wordIs(s, k, kL1)) {
    int top = t;
    for (int steps = 0; isNodeIndex(s, top) && s.nodes[top].parent != 0 && steps < kMaxNodes; ++steps)
      top = s.nodes[top].parent;
    if (top == k) return k;
    int predicate = 0;
    bool tWord = false;
    for (int m = nextNode(s, top), steps = 0; m != 0 && steps < kMaxNodes; m = nextNode(s, m), ++steps) {
      if (anyCat(s, m, {"V", "VP", "A", "AP"})) predicate = m;
      if (wordIn(s, m, {kT1, kT2})) tWord = true;
    }
    if (predicate != 0 && !tWord) s.nodes[predicate].features.TEN = 'B';
    return k;
  }
  int g = findMainPredicate(s, 0, 0);
  if (g != 0 && isListedHeadWord(s, g) && countPredicates(s, g, 0) > 0) {
    if (pPredicative) s.nodes[p].features.TEN = 'b';
    return k;
  }
  if (!pPredicative) return build(s, p, k, "NP", k, 'Z', 3);
  s.nodes[p].features.TEN = 'b';
  return k;
}

void applyLinkerFallback(CjSentence& s) {
  for (int k = s.firstTop, steps = 0; isNodeIndex(s, k) && steps < kMaxNodes; ++steps) {
    if (!isLinker(s, k)) {
      k = nextNode(s, k);
      continue;
    }
    int from = ruleLinkerWord(s, k);
    if (from == 0) return;
    k = nextNode(s, from);
  }
}

void ruleVerbLinkerInsert(CjSentence& s) {
  for (int u = s.firstTop, steps = 0; isNodeIndex(s, u) && steps < kMaxNodes; ++steps) {
    int u1 = nextNode(s, u), u2 = nextNode(s, u1);
    if (!hasCat(s, u, "V") || hasVerbCVal(s, u, "0") || !hasNoun(s, u1) || !hasNoun(s, u2)) {
      u = nextNode(s, u);
      continue;
    }
    int e = u2;
    while (hasNoun(s, nextNode(s, e))) e = nextNode(s, e);
    if (!isLinker(s, nextNode(s, e))) {
      const int verb = lexicalHead(s, u);
      int x = e, match = matchVerbContinuation(s, verb, lexicalHead(s, x));
      while (match != 1 && x != u1) {
        x = prevNode(s, x);
        match = matchVerbContinuation(s, verb, lexicalHead(s, x));
      }
      if (x != e && match != 2) {
        int linker = insertEmptyNode(s, x, nextNode(s, x));
        if (linker) {
          CjNode& n = s.nodes[linker];
          n.kind = 'D';
          n.CAT = "E";
          n.CHI = listedWord(kL1);
        }
      }
    }
    u = nextNode(s, e);
  }
}

void removeInsertedLinkers(CjSentence& s) {
  for (int k = s.firstTop, steps = 0; isNodeIndex(s, k) && steps < kMaxNodes; ++steps) {
    int p = prevNode(s, k), n = nextNode(s, k);
    if (isWordNode(s, k) && s.nodes[k].kind == 'D' && p != 0 && n != 0) {
      s.nodes[p].next = n;
      s.nodes[n].prev = p;
      s.nodes[k].prev = 0;
      s.nodes[k].next = 0;
    }
    k = n;
  }
}

void ruleAdverbialVP(CjSentence& s) {
  for (int u = s.firstTop, steps = 0; isNodeIndex(s, u) && steps < kMaxNodes; ++steps) {
    if (!hasVerbCat(s, u) || !isLinker(s, nextNode(s, u))) {
      u = nextNode(s, u);
      continue;
    }
    int stop = 0;
    for (int k = prevNode(s, u), n = 0; k != 0 && n < kMaxNodes; k = prevNode(s, k), ++n) {
      if (!anyCat(s, k, {"FP", "F", "G", "IP", "LP", "DP"})) {
        stop = k;
        break;
      }
    }
    assignLeftAdverbials(s, u, stop);
    int first = stop ? nextNode(s, stop) : s.firstTop;
    int p = first != u ? build(s, first, u, "VP", u) : 0;
    u = nextNode(s, p ? p : u);
  }
}

void ruleSenseFromWord(CjSentence& s) {
  const std::string& w3 = listedWord(kW3);
  for (int k = s.firstTop, steps = 0; isNodeIndex(s, k) && steps < kMaxNodes; k = nextNode(s, k), ++steps) {
    int h = lexicalHead(s, k);
    if (!w3.empty() && nodeText(s, h) == w3 && nextVerbInContext(s, k) != 0) setSenseFromItems(s.nodes[h], "U[V]t[H]");
  }
}

}  // namespace cj
