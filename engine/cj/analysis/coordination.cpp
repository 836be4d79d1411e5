#include "engine/cj/analysis/coordination.h"

#include <vector>

#include "engine/cj/analysis/node_build.h"
#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/node_text.h"
#include "engine/cj/analysis/phrase_repair.h"
#include "engine/cj/analysis/phrase_rules.h"
#include "engine/cj/analysis/phrase_words.h"
#include "engine/cj/analysis/predicate_marks.h"
#include "engine/common/word_table.h"

namespace cj {
namespace {

using phrase_words::catOf;
using phrase_words::wordIs;

constinit ListedKey kS1{"coordination.S1"};
constinit ListedKey kB1{"coordination.B1"};
constinit ListedKey kEndList{"coordination.endWords"};
constinit ListedKey kN2{"coordination.N2"};
constinit ListedKey kConjunctions{"coordination.conjunctionWords"};

const WordKeySpec kWordKeys[] = {
    {kS1, 1, 1, 1}, {kB1, 1, 1, 1}, {kEndList, 16, 1, 1}, {kN2, 1, 2, 2}, {kConjunctions, 6, 1, 2},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

bool ownMSemHas(const CjSentence& s, int i, std::string_view v) {
  return isNodeIndex(s, i) && s.nodes[i].features.M_SEM.contains(v);
}

bool coordinationSeparator(const CjSentence& s, int i) {
  return wordIs(s, i, kS1) || wordIs(s, i, kB1) || wordIs(s, i, predicate_words::kC1);
}

bool isConjunctionWord(const CjSentence& s, int i) {
  if (!hasCat(s, i, "J")) return false;
  std::string_view w = nodeText(s, i);
  return wordIs(s, i, predicate_words::kR3) || wordIs(s, i, repair_words::kJ1) || wordIs(s, i, repair_words::kJ3) ||
         (!w.empty() && isListedWord(kConjunctions, w));
}

bool passes(const CjSentence& s, int i, ItemTest test) {
  std::string_view c = catOf(s, i);
  switch (test) {
    case kItemMarkedNoun: return c == "N" && (s.nodes[i].structureClass == '2' || ownMSemHas(s, i, "Z"));
    case kItemNominal: return c == "N" || c == "NP";
    case kItemAdjectival: return c == "A" || c == "AP";
    case kItemAdverbial: return c == "F" || c == "FP";
    case kItemVerbal: return c == "V" || c == "VP";
  }
  return false;
}

int phrase(CjSentence& s, int p, const char* cat, char span, int rule) {
  if (!p) return 0;
  s.nodes[p].CAT = cat;
  s.nodes[p].spanMark = span;
  s.nodes[p].ruleNumber = rule;
  return p;
}

// A clause of a cut enumeration: first..last wrapped as "S" between its markers.
void clause(CjSentence& s, int first, int last) {
  int p = phrase(s, buildWrappedNode(s, first, last), "S", 'y', 8893);
  if (!p) return;
  s.nodes[s.nodes[p].firstChild].spanMark = 'l';
  s.nodes[s.nodes[p].lastChild].spanMark = 'r';
}

bool nominalStart(CjSentence& s, int i) {
  return isNominalNode(s, i) || (isCompoundPart(s, i) && nextVerbInContext(s, i) == 0);
}

int noun(CjSentence& s, int first, int last, int rule) {
  int p = builtnewnode(s, first, last);
  if (!p) return 0;
  s.nodes[p].CAT = "NP";
  s.nodes[p].headChild = last;
  s.nodes[p].subtype = 'Z';
  s.nodes[p].ruleNumber = rule;
  return p;
}

}  // namespace

bool isCompoundPart(CjSentence& s, int i) {
  if (!isNodeIndex(s, i)) return false;
  std::string_view c = catOf(s, i);
  if (c == "Ntp") return true;
  if ((c == "N" || c == "NP") && ownMSemHas(s, i, "I")) return true;
  if (!wordIs(s, i, kN2)) return false;
  auto nounBeside = [&](int k) {
    return isNodeIndex(s, k) && (catOf(s, k) == "Ntp" || (s.nodes[k].CAT[0] == 'N' && ownMSemHas(s, k, "I")));
  };
  if (nounBeside(prevNode(s, i)) || nounBeside(nextNode(s, i))) s.nodes[i].CAT = "N";
  return true;
}

bool isSeparator(const CjSentence& s, int i) {
  return wordIs(s, i, predicate_words::kC1) || wordIs(s, i, kB1) || nodeText(s, i) == " ";
}

bool isEnumerationEnd(const CjSentence& s, int i) {
  std::string_view w = nodeText(s, i);
  return !w.empty() && isListedWord(kEndList, w);
}

int textLength(const CjSentence& s, int i) {
  if (!isNodeIndex(s, i)) return 0;
  if (isWordNode(s, i)) return static_cast<int>(nodeText(s, i).size());
  int sum = 0;
  for (int k = firstChild(s, i), steps = 0; k != 0 && steps < kMaxNodes; k = nextNode(s, k), ++steps)
    sum += textLength(s, k);
  return sum;
}

bool hasOneNodeItem(const CjSentence& s, int first, int last, ItemTest test) {
  int size = 0, only = 0;
  for (int k = first, steps = 0; k != 0 && steps < kMaxNodes; k = nextNode(s, k), ++steps) {
    if (isSeparator(s, k)) {
      if (size == 1 && passes(s, only, test)) return true;
      size = 0;
    } else {
      if (++size == 1) only = k;
    }
    if (k == last) break;
  }
  return size == 1 && passes(s, only, test);
}

void ruleCoordination(CjSentence& s) {
  int from = s.firstTop;
  for (int pass = 0; isNodeIndex(s, from) && pass < kMaxNodes; ++pass) {
    int x = from;
    while (x != 0 && !coordinationSeparator(s, x)) x = nextNode(s, x);
    if (x == 0) return;
    int start = prevNode(s, x);
    if (wordIs(s, start, phrase_words::kL1) || wordIs(s, start, predicate_words::kR1)) start = prevNode(s, start);
    if (start == 0) start = x;
    const char k = s.nodes[start].CAT[0];
    int e = nextNode(s, x);
    while (e != 0 && coordinationSeparator(s, nextNode(s, e))) {
      int sep = nextNode(s, e);
      int after = nextNode(s, sep);
      e = after ? after : sep;
      if (!after) break;
    }
    if (e == 0 || start == e) return;
    int p = builtnewnode(s, start, e);
    if (!p) return;
    CjNode& n = s.nodes[p];
    n.spanMark = 'n';
    n.headChild = e;
    n.ruleNumber = 9893;
    switch (k) {
      case 'N': case 'R': n.CAT = "NP"; n.ruleNumber = 9888; break;
      case 'V': n.CAT = "VP"; n.ruleNumber = 9892; break;
      case 'A': n.CAT = "AP"; n.ruleNumber = 9890; break;
      case 'F': n.CAT = "FP"; n.ruleNumber = 9891; break;
      case 'U': case 'C': n.CAT = "UP"; break;
      case 'K': n.CAT = "KP"; break;
      default: break;
    }
    from = nextNode(s, p);
  }
}

void ruleEnumerations(CjSentence& s) {
  bool active = false;
  int first = 0, last = 0, count = 0, lastLength = 0, sum = 0, average = 0;
  int regionStart = s.firstTop;
  for (int k = s.firstTop, steps = 0; isNodeIndex(s, k) && steps < kMaxNodes; ++steps) {
    int after = nextNode(s, k);
    if (!active) {
      if (isSeparator(s, k)) {
        first = last = k;
        count = lastLength = sum = average = 0;
        active = true;
      }
    } else if (isSeparator(s, k)) {
      ++count;
      last = k;
      sum += lastLength;
      average = sum / count;
    } else if (isEnumerationEnd(s, k)) {
      int nextRegion = nextNode(s, last);
      buildEnumeration(s, average, count, first, last, regionStart, k);
      regionStart = nextRegion;
      active = false;
    } else {
      lastLength = textLength(s, k);
    }
    k = after;
  }
}

void buildEnumeration(CjSentence& s, int average, int count, int firstSep, int lastSep, int regionStart, int endWord) {
  if (!isNodeIndex(s, firstSep) || !isNodeIndex(s, lastSep) || firstSep == lastSep) return;
  const int f = nextNode(s, firstSep), l = prevNode(s, lastSep);
  if (count < 2 || f == 0 || l == 0) return;
  if (hasOneNodeItem(s, f, l, kItemMarkedNoun)) {
    phrase(s, builtnewnode(s, f, l), "NP", 'n', 8888);
  } else if (hasOneNodeItem(s, f, l, kItemNominal)) {
    phrase(s, builtnewnode(s, f, l), "NP", 'n', 8889);
  } else if (hasOneNodeItem(s, f, l, kItemAdjectival)) {
    phrase(s, buildWrappedNode(s, f, l), "AP", 'n', 8890);
  } else if (hasOneNodeItem(s, f, l, kItemAdverbial)) {
    phrase(s, builtnewnode(s, f, l), "FP", 'n', 8891);
  } else if (hasOneNodeItem(s, f, l, kItemVerbal)) {
    phrase(s, builtnewnode(s, f, l), "VP", 'n', 8892);
  } else if (average >= 2) {
    // The clause bounds are read before anything is wrapped.
    std::vector<std::pair<int, int>> spans;
    if (isNodeIndex(s, regionStart)) spans.emplace_back(regionStart, firstSep);
    int itemStart = f;
    for (int k = f, steps = 0; k != 0 && steps < kMaxNodes; k = nextNode(s, k), ++steps) {
      if (isSeparator(s, k)) {
        spans.emplace_back(itemStart, k);
        itemStart = nextNode(s, k);
      }
      if (k == lastSep) break;
    }
    int tail = nextNode(s, lastSep);
    if (tail != 0 && isNodeIndex(s, endWord)) spans.emplace_back(tail, endWord);
    for (auto [a, b] : spans) clause(s, a, b);
  } else {
    phrase(s, buildWrappedNode(s, f, l), "NP", 'n', 8888);
  }
}

void ruleNounCompounds(CjSentence& s) {
  for (int u = s.firstTop, steps = 0; isNodeIndex(s, u) && steps < kMaxNodes; ++steps) {
    if (!isCompoundPart(s, u)) {
      u = nextNode(s, u);
      continue;
    }
    int e = u;
    while (nextNode(s, e) != 0 && isCompoundPart(s, nextNode(s, e))) e = nextNode(s, e);
    int p = e != u ? noun(s, u, e, 6) : 0;
    u = nextNode(s, p ? p : e);
  }
}

void ruleNounRuns(CjSentence& s) {
  ruleNounCompounds(s);
  for (int u = s.firstTop, steps = 0; isNodeIndex(s, u) && steps < kMaxNodes; ++steps) {
    if (!nominalStart(s, u)) {
      u = nextNode(s, u);
      continue;
    }
    int first = u;
    while (prevNode(s, first) != 0 && (hasCat(s, prevNode(s, first), "A") || hasCat(s, prevNode(s, first), "AP")))
      first = prevNode(s, first);
    int last = u;
    for (int k = nextNode(s, u); k != 0; k = nextNode(s, k)) {
      bool joins = (isNominalNode(s, k) && !hasCat(s, k, "R") && !hasCat(s, k, "Ntl")) ||
                   (isCompoundPart(s, k) && nextPredicateOrPhrase(s, k) == 0);
      if (!joins) break;
      last = k;
    }
    if (last != first && hasCat(s, last, "P")) last = prevNode(s, last);
    int built = 0;
    if (last != first) {
      int before = prevNode(s, first);
      bool blocked = hasVerbCVal(s, before, "2") && (catOf(s, before) == "VP" || catOf(s, before) == "V");
      if (!blocked) built = noun(s, first, last, 7);
    }
    u = nextNode(s, built ? built : last);
  }
}

void ruleCoordinatedNominals(CjSentence& s) {
  enum { kWaiting, kJoined, kConjunction } state = kWaiting;
  int first = 0, last = 0;
  for (int k = s.firstTop, steps = 0; isNodeIndex(s, k) && steps < kMaxNodes; ++steps) {
    int after = nextNode(s, k);
    switch (state) {
      case kWaiting:
        if (nominalStart(s, k)) {
          first = k;
          state = kJoined;
        }
        break;
      case kJoined:
        if (isConjunctionWord(s, k)) {
          state = kConjunction;
        } else if (first && last) {
          noun(s, first, last, 7);
          first = last = 0;
        } else {
          first = last = 0;
          state = kWaiting;
        }
        break;
      case kConjunction:
        if (nominalStart(s, k)) {
          last = k;
          state = kJoined;
        } else {
          first = last = 0;
          state = kWaiting;
        }
        break;
    }
    k = after;
  }
  if (first && last) noun(s, first, last, 7);
}

}  // namespace cj
