#include "engine/cj/analysis/predicate_marks.h"

#include <initializer_list>
#include <string_view>

#include "engine/cj/analysis/node_build.h"
#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/phrase_rules.h"
#include "engine/cj/analysis/phrase_words.h"
#include "engine/cj/analysis/verb_continuation.h"
#include "engine/common/word_table.h"
#include "engine/common/dbcs_text.h"

namespace cj {

using namespace phrase_words;
using namespace predicate_words;

namespace {

constinit ListedKey kE1{"predicateMarks.E1"};
constinit ListedKey kE3{"predicateMarks.E3"};
constinit ListedKey kE4{"predicateMarks.E4"};
constinit ListedKey kE5{"predicateMarks.E5"};
constinit ListedKey kE6{"predicateMarks.E6"};
constinit ListedKey kG1{"predicateMarks.G1"};
constinit ListedKey kG2{"predicateMarks.G2"};
constinit ListedKey kG3{"predicateMarks.G3"};
constinit ListedKey kH1{"predicateMarks.H1"};
constinit ListedKey kH2{"predicateMarks.H2"};
constinit ListedKey kList20{"predicateMarks.list20"};
constinit ListedKey kList99{"predicateMarks.list99"};
constinit ListedKey kAuxiliaryWords{"predicateMarks.auxiliaryWords"};

const WordKeySpec kWordKeys[] = {
    {kE1, 1, 1, 1},  {kE2, 1, 2, 2},  {kE3, 1, 3, 3},      {kE4, 1, 2, 2},      {kE5, 1, 3, 3},
    {kE6, 1, 3, 3},  {kG1, 1, 1, 1},  {kG2, 1, 1, 1},      {kG3, 1, 1, 1},      {kR1, 1, 1, 1},
    {kR2, 1, 1, 1},  {kR3, 1, 1, 1},  {kC1, 1, 1, 1},      {kH1, 1, 2, 2},      {kH2, 1, 2, 2},
    {kList149, 0, 1, 0},   {kList20, 20, 1, 0}, {kList99, 0, 1, 0}, {kAuxiliaryWords, 5, 1, 2},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

char markOf(const CjSentence& s, int i) { return isNodeIndex(s, i) ? s.nodes[i].predicateMark : 0; }

bool catIs(const CjSentence& s, int i, std::initializer_list<std::string_view> cats) {
  std::string_view c = catOf(s, i);
  if (!isNodeIndex(s, i)) return false;
  for (std::string_view x : cats) {
    if (c == x) return true;
  }
  return false;
}

bool isVerbExactly(const CjSentence& s, int i) { return catIs(s, i, {"VP", "V"}); }

bool fieldHas(const CjSentence& s, int i, std::string_view code, bool cVal) {
  if (!isNodeIndex(s, i)) return false;
  const CjFeatures& f = s.nodes[i].features;
  return cVal ? f.C_VAL.contains(code) : f.M_SEM.contains(code);
}

// The node or its lexical head carries the code in its own field.
bool selfOrHeadHas(const CjSentence& s, int i, std::string_view code, bool cVal) {
  return fieldHas(s, i, code, cVal) || fieldHas(s, lexicalHead(s, i), code, cVal);
}

bool selfOrHeadListed(const CjSentence& s, int i) {
  return isInListedBarList(kList149, wordOf(s, i)) || isInListedBarList(kList149, wordOf(s, lexicalHead(s, i)));
}

bool isNeverRemarked(const CjSentence& s, int x) {
  for (const ListedKey* key : {&kE1, &kE2, &kE3, &kE4, &kE5}) {
    if (wordIs(s, x, *key)) return true;
  }
  return wordIs(s, lexicalHead(s, x), kE6);
}

bool isLinkOrGWord(const CjSentence& s, int i) {
  return wordIs(s, i, kL1) || wordIs(s, i, kG1) || wordIs(s, i, kG2) || wordIs(s, i, kG3);
}

char adjectiveMark(const CjSentence& s, int n, int nn) {
  if (n == 0 || hasCat(s, n, "P")) return 'C';
  if ((nn == 0 || hasCat(s, nn, "P")) && (hasCat(s, n, "E") || isLinkOrGWord(s, n))) return 'C';
  if (wordIs(s, n, kL1)) return wordIs(s, nn, kF1) ? 'C' : 'N';
  return 'N';
}

char hMark(const CjSentence& s, int n, int nn) {
  if (n == 0 || hasCat(s, n, "P")) return 'C';
  if (nn != 0 && !hasCat(s, nn, "P")) return 'N';
  return hasCat(s, n, "E") || isLinkOrGWord(s, n) ? 'C' : 'N';
}

char verbMark(const CjSentence& s, int p, int pp, int n, int nn) {
  const bool never = (isLinker(s, n) && nn != 0 && !hasCat(s, nn, "P")) || isLinker(s, p) ||
                     (wordIs(s, n, kR1) && catIs(s, nn, {"V", "VP"})) ||
                     (wordIs(s, p, kR2) && !catHasSameLetters(s, p, "G")) || catIs(s, p, {"I", "IJ"}) ||
                     catIs(s, n, {"L"}) ||
                     (p != 0 && n != 0 && nn != 0 && catIs(s, p, {"UP"}) && catIs(s, n, {"N", "NP", "R"}) &&
                      wordIs(s, nn, kL1)) ||
                     ((hasCat(s, p, "F") || hasCat(s, p, "G") || hasCat(s, p, "FP")) && isLinker(s, pp));
  if (never) return 'N';
  if (wordIs(s, p, kC1) || wordIs(s, p, kR3)) return markOf(s, pp) != 'N' ? 'C' : 'N';
  return 'C';
}

// The first node of a range, and the walk along it.
int rangeStart(const CjSentence& s, int after) { return after != 0 ? nextNode(s, after) : s.firstTop; }

template <typename Test>
int firstInRange(const CjSentence& s, int after, int end, Test test) {
  int k = rangeStart(s, after);
  for (int steps = 0; k != 0 && k != end && steps < kMaxNodes; ++steps, k = nextNode(s, k)) {
    if (test(k)) return k;
  }
  return 0;
}

template <typename Test>
int lastInRange(const CjSentence& s, int after, int end, Test test) {
  int found = 0;
  int k = rangeStart(s, after);
  for (int steps = 0; k != 0 && k != end && steps < kMaxNodes; ++steps, k = nextNode(s, k)) {
    if (test(k)) found = k;
  }
  return found;
}

// The word occurs in a bar list's text, starting at a character boundary.
bool occursInListText(const char* key, std::string_view word) {
  if (word.empty()) return false;
  const std::string& text = listedBarList(key);
  for (std::size_t i = 0; i + word.size() <= text.size();
       i += dbcs::charSize(text, i)) {
    if (text.compare(i, word.size(), word) == 0) return true;
  }
  return false;
}

bool isPredicateCandidate(const CjSentence& s, int k) { return markOf(s, k) != 'N' && isVerbExactly(s, k); }

}  // namespace

void markPredicates(CjSentence& s) {
  int x = s.firstTop;
  for (int steps = 0; x != 0 && steps < kMaxNodes; ++steps, x = nextNode(s, x)) {
    if (!isNodeIndex(s, x)) break;
    CjNode& node = s.nodes[x];
    if (isNeverRemarked(s, x)) {
      if (hasCat(s, x, "V")) node.predicateMark = 'C';
      continue;
    }
    const int n = nextNode(s, x), nn = nextNode(s, n), p = prevNode(s, x), pp = prevNode(s, p);
    const std::string_view c = node.CAT.view();
    if (c == "A" || c == "AP") node.predicateMark = adjectiveMark(s, n, nn);
    else if (c == "H") node.predicateMark = hMark(s, n, nn);
    else if (c == "V" || c == "VP") node.predicateMark = verbMark(s, p, pp, n, nn);
  }
  x = s.firstTop;
  for (int steps = 0; x != 0 && steps < kMaxNodes; ++steps, x = nextNode(s, x)) {
    if (catIs(s, x, {"IP", "DP", "LP"})) s.nodes[x].predicateMark = isPredicativePhrase(s, x) ? 'C' : 'N';
  }
}

int isPredicativePhrase(const CjSentence& s, int i) {
  const int p = prevNode(s, i), n = nextNode(s, i);
  if (hasCat(s, i, "LP") || isLinker(s, p) || isLinker(s, n)) return 0;
  const int lc = lastChild(s, i);
  if (wordIs(s, lc, kH1) || wordIs(s, lc, kH2)) return 1;
  if (hasCat(s, n, "IP") || hasCat(s, n, "LP") || hasCat(s, n, "DP")) return 0;
  const int pv = prevVerbWord(s, i);
  if (pv != 0) {
    if (!hasVerbCVal(s, pv, "H") && !isListedHeadWord(s, pv)) return 0;
    return isRightBoundary(s, pv) ? 1 : 0;
  }
  const int nv = nextVerbInContext(s, i);
  if (hasCat(s, nv, "V") || hasCat(s, p, "A")) return 0;
  return n == 0 || hasCat(s, n, "P") ? 1 : 0;
}

void setMainPredicate(CjSentence& s) {
  s.argCount = countPredicates(s, 0, 0);
  const int g = findMainPredicate(s, 0, 0);
  if (g == 0) {
    s.argCount = 0;
  } else if (isNodeIndex(s, g)) {
    s.nodes[g].predicateMark = 'P';
  }
  s.govNode = g;
}

int countPredicates(const CjSentence& s, int after, int end) {
  int count = 0;
  int k = rangeStart(s, after);
  for (int steps = 0; k != 0 && k != end && steps < kMaxNodes; ++steps, k = nextNode(s, k)) {
    if (markOf(s, k) != 'N' && catIs(s, k, {"VP", "V", "AP", "A", "H", "IP", "DP", "LP"})) ++count;
  }
  return count;
}

int hasAuxiliaryPredicate(const CjSentence& s, int after, int end) {
  return firstInRange(s, after, end, [&](int k) {
    // The node's own M_SEM and C_VAL, read as the main-predicate search reads them.
    if (isPredicateCandidate(s, k) && (fieldHas(s, k, "K", false) || fieldHas(s, k, "H", true))) return true;
    return isListedWord(kAuxiliaryWords, wordOf(s, k));
  });
}

int nextPredicateOrPhrase(const CjSentence& s, int i) {
  int lastPhrase = 0;
  int k = nextNode(s, i);
  for (int steps = 0; k != 0 && steps < kMaxNodes; ++steps, k = nextNode(s, k)) {
    const char first = catOf(s, k).empty() ? 0 : catOf(s, k)[0];
    if (first == 'H' || first == 'F' || first == 'V' || first == 'A') return k;
    if (catIs(s, k, {"IP", "LP", "DP"})) lastPhrase = k;
  }
  return lastPhrase;
}

int sentenceFinalH(const CjSentence& s, int before) {
  int x = before != 0 ? prevNode(s, before) : lastTopNode(s);
  if (catOf(s, x) == "P") x = prevNode(s, x);
  if (catOf(s, x) == "E" && isNodeIndex(s, x) && s.nodes[x].features.M_SEM == "C") x = prevNode(s, x);
  return catIs(s, x, {"H"}) && markOf(s, x) != 'N' ? x : 0;
}

int findMainPredicate(const CjSentence& s, int after, int end) {
  const int start = rangeStart(s, after);

  // A sentence-final adjective.
  const int a = sentenceFinalAdjective(s, end);
  if (a != 0 && s.argCount == 1) return a;
  if (a != 0 && hasAuxiliaryPredicate(s, after, end) == 0) {
    const std::string_view head = wordOf(s, lexicalHead(s, a));
    if (occursInListText(kList20, head) || occursInListText(kList99, head)) {
      const int before = prevNode(s, a);
      const int w = (a == after || before == after) ? 0 : lexicalHead(s, before);
      if (w == 0 || !isInListedBarList(kList149, wordOf(s, w)) || hasCat(s, w, "G")) return a;
    }
  }

  // The last verb carrying "K".
  const int k = lastInRange(s, after, end, [&](int i) {
    return isPredicateCandidate(s, i) && selfOrHeadHas(s, i, "K", false);
  });
  if (k != 0 && prevVerbWord(s, k) != 0) {
    const int pv = prevVerbWord(s, k);
    if (!hasCat(s, prevNode(s, k), "R") && (pv == start || isVerbExactly(s, start))) return k;
  }

  // The first verb of the "K"/"H" kind.
  int x = firstInRange(s, after, end, [&](int i) {
    return isPredicateCandidate(s, i) &&
           (selfOrHeadHas(s, i, "K", false) || selfOrHeadHas(s, i, "H", true) || selfOrHeadListed(s, i));
  });
  if (x != 0) {
    if (!selfOrHeadHas(s, x, "H", true)) return x;
    const int y = nextPredicateOrPhrase(s, x);
    if (y != 0 && markOf(s, y) != 'N') return x;
  }

  // The first verb of the "E" kind.
  x = firstInRange(s, after, end, [&](int i) {
    return isPredicateCandidate(s, i) && (selfOrHeadHas(s, i, "E", true) || selfOrHeadListed(s, i));
  });
  if (x != 0) {
    if (!selfOrHeadHas(s, x, "E", true)) return x;
    const int y = nextPredicateOrPhrase(s, x);
    if (y != 0 && markOf(s, y) != 'N' && y == nextNode(s, x)) return x;
  }

  // The first verb that does not refuse the last noun as its object.
  const int o = lastInRange(s, after, end, [&](int i) { return catIs(s, i, {"NP", "N"}); });
  if (o != 0 && nextVerbInContext(s, o) == 0) {
    const int ho = lexicalHead(s, o);
    const int v = firstInRange(s, after, end, [&](int i) {
      return isPredicateCandidate(s, i) && matchVerbContinuation(s, lexicalHead(s, i), ho) != 2;
    });
    if (v != 0) return v;
  }

  // Any predicate-like node; the end of the range when none stands before it.
  int i = start;
  for (int steps = 0; i != 0 && steps < kMaxNodes; ++steps, i = nextNode(s, i)) {
    if (i == end) return end;
    if (markOf(s, i) != 'N' && catIs(s, i, {"VP", "V", "IP", "DP", "LP"})) return i;
  }
  return sentenceFinalH(s, end);
}

}  // namespace cj
