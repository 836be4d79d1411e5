#include "engine/cj/analysis/phrase_rules.h"

#include "engine/cj/analysis/node_build.h"
#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/phrase_words.h"
#include "engine/cj/analysis/verb_continuation.h"

namespace cj {

using namespace phrase_words;

namespace {

// Builds a phrase over first..last with its category, head and (rule > 0) subtype 'Z' and number.
int buildPhrase(CjSentence& s, int first, int last, const char* cat, int head, int rule) {
  const int p = builtnewnode(s, first, last);
  if (p == 0) return 0;
  CjNode& node = s.nodes[p];
  node.CAT = cat;
  node.headChild = head;
  if (rule > 0) {
    node.subtype = 'Z';
    node.ruleNumber = rule;
  }
  return p;
}

int next(const CjSentence& s, int i) { return nextNode(s, i); }
int prev(const CjSentence& s, int i) { return prevNode(s, i); }

// The nodes 1 to n after u (0 past the chain's end).
struct Window {
  int u[6] = {};
  Window(const CjSentence& s, int start) {
    u[0] = start;
    for (int k = 1; k < 6; ++k) u[k] = u[k - 1] ? next(s, u[k - 1]) : 0;
  }
  int operator[](int k) const { return u[k]; }
};

int mvc(const CjSentence& s, int verb, int word) { return matchVerbContinuation(s, verb, word); }

bool hasMSemAny(const CjSentence& s, int i, std::string_view codes) {
  for (char c : codes) {
    if (hasMSem(s, i, std::string_view(&c, 1))) return true;
  }
  return false;
}

// A verb that names no clause: not a listed head or verb head, not "0"-valued, not in list B.
bool isPlainClauseVerb(const CjSentence& s, int u) {
  return !isListedHeadWord(s, u) && !isListedVerbHead(s, u) && !hasZeroCVal(s, u) && !isInVerbListB(wordOf(s, u));
}

// A previous verb that does not decide the build on its own.
bool isWeakPrevVerb(const CjSentence& s, int pv) {
  return !isListedVerbHead(s, pv) && !isListedHeadWord(s, pv) && !hasVerbCVal(s, pv, "1") && !hasVerbCVal(s, pv, "2");
}

// Joins nominals linked by L1 or L2 into left-nested noun phrases while both sides carry "H" or "J";
// x and y are the nominals around the linker; y receives the last nominal.
void linkerChain(CjSentence& s, int x, int linker, int& y) {
  int z = next(s, y);
  for (int steps = 0; steps < kMaxNodes; ++steps) {
    const int xw = rightmostWord(s, x);
    if (!hasMSemAny(s, xw, "HJ") || !hasMSemAny(s, y, "HJ")) break;
    if (!isLinker(s, z) || !isNominalNode(s, next(s, z))) break;
    const int after = next(s, z);
    if (buildPhrase(s, prev(s, linker), y, "NP", y, 0) == 0) break;
    x = y;
    linker = z;
    y = after;
    z = next(s, y);
  }
}

// The back-walk, the verb-object phrase and the noun phrase of a relative clause; the last node built.
int buildRelativeClause(CjSentence& s, int u, int a, int n) {
  int leftmost = 0;
  for (int k = prev(s, u), steps = 0; k != 0 && steps < kMaxNodes; k = prev(s, k), ++steps) {
    std::string_view c = catOf(s, k);
    const char* label = nullptr;
    if (c == "F" || c == "FP") label = "ADVN";
    else if (c == "G") label = "G";
    else if (c == "IP" || c == "LP" || c == "DP") label = "ADVF";
    if (!label) break;
    addRoleLink(s, u, k, label);
    leftmost = k;
  }
  if (leftmost != 0) {
    const int vp = buildPhrase(s, leftmost, u, "VP", u, 4);
    if (vp != 0) u = vp;
  }
  const int before = prev(s, u);
  if (hasCat(s, before, "V") && hasVerbCVal(s, before, "E")) {
    const int np = buildPhrase(s, u, a, "NP", u, 12);
    if (np != 0) u = prev(s, np);
  }
  return buildPhrase(s, u, n, "NP", n, 5);
}

enum class Decision { kNext, kBuild, kUndecided };

// Steps 11 to 14 of the relative-clause rule after the fixed tests; a and n may become phrases.
Decision decideByObjects(CjSentence& s, int u, int& a, int& n, int m, int v, int ha, int hn) {
  if (wordIs(s, m, kL1) && hasNounCat(s, next(s, m))) {
    int e = n, k = 3;
    for (int steps = 0; steps < kMaxNodes && wordIs(s, next(s, e), kL1) && hasNounCat(s, next(s, next(s, e)));
         ++steps) {
      e = next(s, next(s, e));
      k += 2;
    }
    int x = e;
    while (k > 0) {
      const int hx = lexicalHead(s, x);
      if (mvc(s, v, hx) != 2 && !hasExcludedObjectSem(s, v, hx)) break;
      k -= 2;
      x = prev(s, prev(s, x));
    }
    if (x == e || k < 1) return Decision::kNext;
    if (k == 1) {
      const int np = buildPhrase(s, n, e, "NP", e, 13);
      if (np != 0) n = np;
    } else {
      const int np = buildPhrase(s, a, x, "NP", x, 13);
      if (np != 0) {
        a = np;
        n = next(s, next(s, a));
        if (n != e) {
          const int np2 = buildPhrase(s, n, e, "NP", e, 13);
          if (np2 != 0) n = np2;
        }
      }
    }
    return Decision::kBuild;
  }
  if (wordIs(s, m, kL1) || hasVerbCVal(s, u, "0")) return Decision::kNext;
  const int va = mvc(s, v, ha), vn = mvc(s, v, hn);
  if ((va != 2 && vn == 2) || (!hasExcludedObjectSem(s, v, ha) && hasExcludedObjectSem(s, v, hn)) ||
      (va == 1 && vn != 1)) {
    return Decision::kBuild;
  }
  const int pv = lexicalHead(s, prevVerbWord(s, u));
  return mvc(s, pv, hn) != 1 || va == 2 ? Decision::kNext : Decision::kBuild;
}

}  // namespace

void ruleWNounNP(CjSentence& s) {
  int u = next(s, s.firstTop);
  while (u != 0) {
    const int u1 = next(s, u);
    if (hasCat(s, u, "W") && hasNounCat(s, u1)) {
      const int np = buildPhrase(s, u, u1, "NP", u1, 6);
      if (np != 0) {
        u = next(s, np);
        continue;
      }
    }
    u = next(s, u);
  }
}

void ruleVerbObjectNP(CjSentence& s) {
  int u = s.firstTop;
  while (u != 0) {
    const Window w(s, u);
    if (hasVerbCat(s, u) && !hasVerbCVal(s, u, "0") && hasNounCat(s, w[1]) && hasNounCat(s, w[2]) &&
        mvc(s, u, lexicalHead(s, w[1])) == 1 && mvc(s, u, lexicalHead(s, w[2])) == 0) {
      const int np = buildPhrase(s, u, w[1], "NP", u, 12);
      if (np != 0) {
        u = next(s, np);
        continue;
      }
    }
    u = next(s, u);
  }
}

void ruleZeroValNounNP(CjSentence& s) {
  int u = s.firstTop;
  while (u != 0) {
    const int u1 = next(s, u);
    if (hasZeroCVal(s, u) && hasNounCat(s, u1)) {
      const int np = buildPhrase(s, u, u1, "NP", u1, 10);
      if (np != 0) {
        u = next(s, np);
        continue;
      }
    }
    u = next(s, u);
  }
}

void ruleRelativeClauseNP(CjSentence& s) {
  int u = s.firstTop;
  for (int steps = 0; u != 0 && steps < kMaxNodes * 2; ++steps) {
    if (!isPredicateHead(s, u)) {
      u = next(s, u);
      continue;
    }
    int a = next(s, u);
    const int l = next(s, a);
    int n = next(s, l);
    if (a == 0 || l == 0 || n == 0) return;
    const int m = next(s, n);
    const int v = lexicalHead(s, u);
    const int b = prev(s, u);
    int bw = b == 0 ? 0 : rightmostWord(s, b);
    if (b != 0 && bw == 0) bw = b;
    const int ha = lexicalHead(s, a), hn = lexicalHead(s, n);
    const std::string_view uw = wordOf(s, u);

    Decision d = Decision::kUndecided;
    if (!isPlainClauseVerb(s, u)) d = Decision::kNext;
    if (d == Decision::kUndecided && (!isLinker(s, l) || !isNominalNode(s, a) || !isNominalNode(s, n)))
      d = Decision::kNext;
    const int r = d == Decision::kUndecided ? nextClauseVerb(s, n) : 0;
    const int q = d == Decision::kUndecided ? prevClauseVerb(s, u) : 0;
    if (d == Decision::kUndecided && r != 0 && (isInVerbListA(uw) || hasVerbCatCVal(s, u, "3"))) d = Decision::kNext;
    if (d == Decision::kUndecided) {
      const bool markedQ = isListedHeadWord(s, headChild(s, q)) || followedByMarkerA(s, q) ||
                           followedByMarkerC(s, q) || followedByMarkerB(s, q);
      const int q1 = next(s, q);
      if (markedQ && q != 0 && next(s, q1) == u &&
          (hasNounCat(s, q1) || hasCat(s, q1, "C") || hasCat(s, q1, "A") || hasCat(s, q1, "AP"))) {
        d = Decision::kBuild;
      }
    }
    if (d == Decision::kUndecided && r != 0 && isListedHeadWord(s, headChild(s, r)) && prev(s, r) == n)
      d = Decision::kBuild;
    if (d == Decision::kUndecided && (isInVerbListA(uw) || hasVerbCVal(s, u, "3"))) d = Decision::kNext;
    if (d == Decision::kUndecided) {
      if (((wordIs(s, bw, kM1) || wordIs(s, bw, kM2)) && !hasVerbCVal(s, prev(s, bw), "0")) ||
          (bw == 0 && (hasCat(s, m, "A") || hasCat(s, r, "A") || isListedHeadWord(s, r)))) {
        d = Decision::kBuild;
      }
    }
    if (d == Decision::kUndecided && (isListedHeadWord(s, r) || wordIs(s, n, kK1))) d = Decision::kBuild;
    if (d == Decision::kUndecided && bw == 0 && hasVerbCat(s, m) &&
        (next(s, m) == 0 || hasCat(s, next(s, m), "P"))) {
      d = Decision::kBuild;
    }
    if (d == Decision::kUndecided && ((bw == 0 && hasMSem(s, hn, "A")) || hasMSem(s, hn, "Z")) && hasVerbCat(s, m))
      d = Decision::kBuild;
    if (d == Decision::kUndecided) d = decideByObjects(s, u, a, n, m, v, ha, hn);

    if (d == Decision::kBuild) {
      const int built = buildRelativeClause(s, u, a, n);
      if (built != 0) {
        u = next(s, built);
        continue;
      }
    }
    u = next(s, u);
  }
}

void rulePairedNominalNP(CjSentence& s) {
  int u = s.firstTop;
  while (u != 0) {
    const Window w(s, u);
    bool build = false;
    if (isNominalNode(s, u) && isNominalNode(s, w[2]) && isNominalNode(s, w[4]) &&
        (wordIs(s, w[1], kP1) || wordIs(s, w[1], kP2)) && isLinker(s, w[3])) {
      const int h = lexicalHead(s, w[4]);
      const std::string_view hw = wordOf(s, h);
      if (hw.size() % 4 == 0 && (isInListedBarList(kNounList6, hw) || hasSenseCat(s, h, "V"))) {
        const int pv = prevVerbWord(s, u);
        const int nv = nextVerbInContext(s, w[4]);
        const int hv = lexicalHead(s, nv);
        const int w0 = hasCat(s, prev(s, hv), "V") ? prev(s, hv) : hv;
        const std::string_view ww = wordOf(s, w0);
        if (!isInListedBarList(kVerbList15, ww.substr(0, 4))) {
          const bool held = prev(s, u) != 0 && w[5] != 0 && !hasCat(s, w[5], "P") && isWeakPrevVerb(s, pv) &&
                            !isListedHeadWord(s, nv);
          build = !held;
        }
      }
    }
    if (build) {
      const int np = buildPhrase(s, u, w[4], "NP", w[4], 8);
      if (np != 0) {
        u = next(s, np);
        continue;
      }
    }
    u = next(s, u);
  }
}

void ruleConjoinedNominalNP(CjSentence& s) {
  int u = s.firstTop;
  while (u != 0) {
    const Window w(s, u);
    bool build = false;
    if (isNominalNode(s, u) && isNominalNode(s, w[2]) && isNominalNode(s, w[4]) && wordIs(s, w[1], kD) &&
        isLinker(s, w[3]) && !hasMSemAny(s, w[4], "IHJ")) {
      const int pv = prevVerbWord(s, u);
      const int nv = nextVerbInContext(s, w[4]);
      const bool held = prev(s, u) != 0 && w[5] != 0 && !hasCat(s, w[5], "P") && isWeakPrevVerb(s, pv) &&
                        !hasMSem(s, pv, "I") && !isListedHeadWord(s, nv);
      build = !held;
    }
    if (build) {
      const int np = buildPhrase(s, u, w[4], "NP", w[4], 9);
      if (np != 0) {
        u = next(s, np);
        continue;
      }
    }
    u = next(s, u);
  }
}

void ruleVerbIntroducedIP(CjSentence& s) {
  int u = s.firstTop;
  while (u != 0) {
    const Window w(s, u);
    if (!(hasCat(s, u, "V") && wordIs(s, w[1], kD) && isNominalNode(s, w[2]) && isNominalNode(s, w[4]) &&
          isLinker(s, w[3]))) {
      u = next(s, u);
      continue;
    }
    int y = w[4];
    linkerChain(s, w[2], w[3], y);
    const bool objectOk = (hasVerbCVal(s, u, "0") && hasMSemAny(s, y, "AB")) || wordIs(s, u, kX2);
    if (hasMSemAny(s, y, "IHJ") || !objectOk) {
      u = next(s, u);
      continue;
    }
    const int u1 = w[1];
    const int ip = buildPhrase(s, u1, next(s, u1), "IP", u1, 0);
    if (ip == 0) {
      u = next(s, u);
      continue;
    }
    const int vp = buildPhrase(s, u, ip, "VP", u, 5);
    if (vp == 0) {
      u = next(s, ip);
      continue;
    }
    s.nodes[u].roleLabel = "1";
    s.nodes[ip].roleLabel = "2";
    u = next(s, vp);
  }
}

void ruleIntroducedNominalNP(CjSentence& s) {
  int u = s.firstTop;
  while (u != 0) {
    const Window w(s, u);
    if (!(wordIs(s, u, kD) && isNominalNode(s, w[1]) && isNominalNode(s, w[3]) && isLinker(s, w[2]))) {
      u = next(s, u);
      continue;
    }
    int y = w[3];
    linkerChain(s, w[1], w[2], y);
    const int x = rightmostWord(s, w[1]);
    if (!hasMSemAny(s, x, "IHJL") || hasMSemAny(s, y, "IHJL")) {
      u = next(s, u);
      continue;
    }
    const int pv = prevVerbWord(s, u);
    const int nv = nextVerbInContext(s, w[3]);
    const int z = next(s, y);
    const bool held = !hasCat(s, z, "P") && prev(s, u) != 0 && z != 0 && isWeakPrevVerb(s, pv) &&
                      !hasMSem(s, pv, "I") && !isListedHeadWord(s, nv);
    if (!held) {
      const int np = buildPhrase(s, u, y, "NP", y, 11);
      if (np != 0) {
        u = next(s, np);
        continue;
      }
    }
    u = next(s, u);
  }

  // Second pass: a two-word noun phrase after D whose halves do not belong together is taken apart.
  u = s.firstTop;
  for (int steps = 0; u != 0 && steps < kMaxNodes; ++steps, u = next(s, u)) {
    const Window w(s, u);
    const int u1 = w[1], u2 = w[2];
    if (!wordIs(s, u, kD) || catOf(s, u1) != "NP") continue;
    const int f = firstChild(s, u1), g = lastChild(s, u1);
    if (f == 0 || g == 0 || next(s, f) != g) continue;
    if (!(hasCat(s, u2, "V") || hasCat(s, u2, "A") || hasCat(s, u2, "F") || wordIs(s, u2, kF1) ||
          wordIs(s, u2, kL1))) {
      continue;
    }
    if (!hasMSemAny(s, f, "IHJ") || hasMSemAny(s, g, "IHJ")) continue;
    if (wordIs(s, u2, kL1) && hasMSemAny(s, w[3], "IHJ")) continue;
    CjNode& phrase = s.nodes[u1];
    s.nodes[f].prev = u;
    s.nodes[g].next = u2;
    s.nodes[f].parent = s.nodes[g].parent = phrase.parent;
    s.nodes[u].next = f;
    s.nodes[u2].prev = g;
    phrase.firstChild = phrase.lastChild = phrase.prev = phrase.next = phrase.headChild = 0;
    phrase.kind = '?';
  }
}

void ruleEmbeddedClauseObjectNP(CjSentence& s) {
  int u = s.firstTop;
  while (u != 0) {
    const Window w(s, u);
    bool build = hasVerbCat(s, u) && hasNounCat(s, w[1]) && hasVerbCat(s, w[2]) && hasNounCat(s, w[3]) &&
                 isPlainClauseVerb(s, u) && hasVerbCatCVal(s, u, "1") && hasVerbCatCVal(s, w[2], "1");
    if (build) {
      const int hc = lexicalHead(s, u), h1 = lexicalHead(s, w[1]);
      const int h2 = lexicalHead(s, w[2]), h3 = lexicalHead(s, w[3]);
      build = mvc(s, hc, h1) != 1 && mvc(s, h2, h3) != 1 && mvc(s, hc, h3) == 1;
    }
    if (build) {
      const int inner = buildPhrase(s, w[2], w[3], "NP", w[3], 10);
      const int outer = inner != 0 ? buildPhrase(s, w[1], inner, "NP", inner, 10) : 0;
      if (outer != 0) {
        u = next(s, outer);
        continue;
      }
    }
    u = next(s, u);
  }
}

void ruleNominalisedVerbNP(CjSentence& s) {
  int u = s.firstTop;
  while (u != 0) {
    const Window w(s, u);
    bool build = hasVerbCat(s, u) && hasVerbCat(s, w[1]) && hasNounCat(s, w[2]) && hasCat(s, w[3], "V") &&
                 hasNounCat(s, w[4]) && isPlainClauseVerb(s, u) && hasVerbCatCVal(s, u, "1") &&
                 hasVerbCatCVal(s, w[3], "1");
    int h3 = 0;
    if (build) {
      const int hc = lexicalHead(s, u), h1 = lexicalHead(s, w[1]), h4 = lexicalHead(s, w[4]);
      h3 = lexicalHead(s, w[3]);
      build = mvc(s, hc, h4) == 1 && mvc(s, h3, h4) != 1 && mvc(s, h1, h4) != 1 && mvc(s, h1, h3) != 2;
    }
    if (build && isNodeIndex(s, h3)) {
      s.nodes[h3].CAT = "N";
      if (hasSenseCat(s, h3, "N")) applySenseFeatures(s, h3);
      const int first = buildPhrase(s, w[2], w[3], "NP", w[3], 10);
      const int second = first != 0 ? buildPhrase(s, w[1], first, "NP", w[1], 12) : 0;
      const int third = second != 0 ? buildPhrase(s, second, w[4], "NP", w[4], 10) : 0;
      const int last = third ? third : second ? second : first;
      if (last != 0) {
        u = next(s, last);
        continue;
      }
    }
    u = next(s, u);
  }
}

int ruleZeroValVerbPairVP(CjSentence& s) {
  int u = s.firstTop;
  for (int steps = 0; u != 0 && steps < kMaxNodes; ++steps) {
    const int u1 = next(s, u);
    if (hasCat(s, u, "V") && hasCat(s, u1, "V") && hasZeroCVal(s, u) && hasZeroCVal(s, u1)) {
      const int vp = buildPhrase(s, u, u1, "VP", u1, 7);
      if (vp != 0) {
        s.nodes[vp].features.C_VAL = "0";
        u = vp;
        continue;
      }
    }
    u = u1;
  }
  return 0;
}

}  // namespace cj
