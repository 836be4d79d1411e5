#include "engine/cj/analysis/rule_probe.h"
#include "engine/cj/analysis/role_assignment.h"

#include <string>

#include "engine/cj/analysis/fixed_expressions.h"
#include "engine/cj/analysis/node_build.h"
#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/node_text.h"
#include "engine/cj/analysis/phrase_rules.h"
#include "engine/cj/analysis/predicate_linking.h"
#include "engine/cj/analysis/predicate_marks.h"
#include "engine/cj/analysis/role_words.h"
#include "engine/common/word_table.h"

namespace cj {
namespace {

using namespace role_words;

const WordKeySpec kWordKeys[] = {
    {kNominalAdverbs, 18, 1, 0},   {kLogicWords, 7, 1, 0},           {kFinalSkipWords, 6, 1, 1},
    {kFinalComplement, 1, 1, 1},   {kComplementWord, 1, 1, 1},       {kAdverbialAdjectiveHeads, 5, 1, 0},
    {kPlainPrepositions, 4, 1, 0}, {kPassivePrepositions, 4, 1, 0},  {kAdverbialPassives, 4, 1, 0},
    {kNumberSubjectHeads, 7, 1, 0},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

bool anyCat(const CjSentence& s, int i, std::initializer_list<std::string_view> cats) {
  for (std::string_view c : cats) {
    if (hasCat(s, i, c)) return true;
  }
  return false;
}

bool anyMSem(const CjSentence& s, int i, std::initializer_list<std::string_view> values) {
  for (std::string_view v : values) {
    if (hasMSem(s, i, v)) return true;
  }
  return false;
}

int counter(const CjSentence& s, int i, RoleCounter c) { return isNodeIndex(s, i) ? s.nodes[i].roleCounts[c] : 0; }
bool hasSub(const CjSentence& s, int i) { return counter(s, i, kCountSub) > 0; }
bool hasObj1(const CjSentence& s, int i) { return counter(s, i, kCountObj1) > 0; }

bool catBeginsWith(const CjSentence& s, int i, char letter) {
  return isNodeIndex(s, i) && s.nodes[i].CAT[0] == letter;
}

std::string_view headText(const CjSentence& s, int i) { return nodeText(s, lexicalHead(s, i)); }

bool headAmong(const CjSentence& s, int i, const char* key) {
  std::string_view t = headText(s, i);
  return !t.empty() && isListedWord(key, t);
}

std::string_view firstChildText(const CjSentence& s, int i) { return nodeText(s, firstChild(s, i)); }

bool isLogicWord(const CjSentence& s, int i) {
  if (hasCat(s, i, "F") && isConj(s, i, "B")) return true;
  if (hasCat(s, i, "J") && hasMSem(s, i, "B")) return true;
  return isInWordList(logicWordList(), nodeText(s, i));
}

// A node with no head yet; 0 is never one.
bool isFree(const CjSentence& s, int i) { return isNodeIndex(s, i) && !s.nodes[i].attached; }

// The nodes after pred up to the bound (exclusive), in chain order.
template <typename Visit>
void walkRight(CjSentence& s, int pred, int bound, Visit visit) {
  for (int k = nextNode(s, pred), steps = 0; k != 0 && k != bound && steps < kMaxNodes; ++steps) {
    int after = nextNode(s, k);
    if (isFree(s, k)) visit(k);
    k = after;
  }
}

// The nodes before pred down to the bound (exclusive), nearest first; visit answers false to stop.
template <typename Visit>
void walkLeft(CjSentence& s, int pred, int bound, Visit visit) {
  for (int k = prevNode(s, pred), steps = 0; k != 0 && k != bound && steps < kMaxNodes; ++steps) {
    int before = prevNode(s, k);
    if (isFree(s, k) && !visit(k)) return;
    k = before;
  }
}

// Lexical head of pred takes counts and measures as objects.
bool takesMeasure(const CjSentence& s, int pred) {
  int h = lexicalHead(s, pred);
  return hasVerbCVal(s, h, "L") || hasListedEnding(nodeText(s, h));
}

bool isComplementWord(const CjSentence& s, int i) { return isListedText(s, i, kComplementWord); }

// The punctuation rule shared by both right-role forms; true when the after-punctuation state is set.
bool punctuation(CjSentence& s, int k) {
  if (nextNode(s, k) == 0) {
    linkRole(s, s.govNode, k, "PUNC");
    return false;
  }
  return true;
}

void rightNoObject(CjSentence& s, int pred, int bound) {
  bool afterPunc = false;
  walkRight(s, pred, bound, [&](int k) {
    if (afterPunc) {
      if (nextNode(s, k) == 0) linkRole(s, s.govNode, k, "PUNC");
      else linkRole(s, pred, k, "HT");
    } else if (isComplementWord(s, k)) {
      linkRole(s, pred, k, "COMP");
      propagateDependentFeatures(s, pred, k);
    } else if (hasCat(s, k, "E")) {
    } else if (anyCat(s, k, {"Ntp", "Ntl", "UP", "UG", "U", "C"})) {
      linkRole(s, pred, k, "COMP");
    } else if (anyCat(s, k, {"YP", "KP"})) {
      linkRole(s, pred, k, "HT");
    } else if ((anyCat(s, k, {"N", "NP"}) && !hasMSem(s, k, "I")) ||
               (hasCat(s, k, "R") && anyMSem(s, k, {"A", "C", "B"}))) {
      linkRole(s, pred, k, "HT");
    } else if (anyCat(s, k, {"N", "NP"})) {
      linkRole(s, pred, k, "COMP");
    } else if (anyCat(s, k, {"LP", "IP", "DP", "F"})) {
      linkRole(s, pred, k, "COMP");
    } else if (anyCat(s, k, {"A", "AP"})) {
      linkRole(s, pred, k, isNextNode(s, pred, k) && hasVerbCVal(s, pred, "X") ? "COMP" : "HT");
    } else if (hasCat(s, k, "P")) {
      afterPunc = punctuation(s, k);
    } else {
      linkRole(s, pred, k, "HT");
      propagateDependentFeatures(s, pred, k);
    }
  });
}

void rightObjects(CjSentence& s, int pred, int bound) {
  walkRight(s, pred, bound, [&](int k) {
    if (hasCat(s, k, "E") || !anyCat(s, k, {"W", "YP", "KP", "N", "NP", "R", "A", "AP"})) return;
    if (isCountedNounPhrase(s, k) || isMeasuredPhrase(s, k)) linkRole(s, pred, k, "COMP");
    else if (!hasObj1(s, pred)) linkRole(s, pred, k, "OBJ1");
    else if (headHasVerbCVal(s, pred, "2")) linkRole(s, pred, k, "OBJ2");
    else linkRole(s, pred, k, counter(s, pred, kCountObj1) == 100 ? "OBJ2" : "OBJ1");
  });
  bool afterPunc = false;
  walkRight(s, pred, bound, [&](int k) {
    if (afterPunc) {
      if (nextNode(s, k) == 0) linkRole(s, s.govNode, k, "PUNC");
      else linkRole(s, pred, k, "HT");
    } else if (isComplementWord(s, k)) {
      linkRole(s, pred, k, "COMP");
      propagateDependentFeatures(s, pred, k);
    } else if (hasCat(s, k, "E")) {
    } else if (anyCat(s, k, {"Ntl", "UP", "C"})) {
      if (takesMeasure(s, pred)) linkRole(s, pred, k, hasObj1(s, pred) ? "NUM" : "OBJ1");
      else linkRole(s, pred, k, "COMP");
    } else if ((anyCat(s, k, {"N", "NP"}) && hasMSem(s, k, "I")) || hasCat(s, k, "Ntp")) {
      linkRole(s, pred, k, takesMeasure(s, pred) && !hasObj1(s, pred) ? "OBJ1" : "COMP");
    } else if (anyCat(s, k, {"LP", "IP", "DP", "F"})) {
      linkRole(s, pred, k, "COMP");
    } else if (anyCat(s, k, {"A", "AP"})) {
      if (isNextNode(s, pred, k) && hasVerbCVal(s, pred, "X")) linkRole(s, pred, k, "COMP");
    } else if (anyCat(s, k, {"U", "UP", "UG", "C"})) {
      linkRole(s, pred, k, takesMeasure(s, pred) && !hasObj1(s, pred) ? "OBJ1" : "NUM");
    } else if (hasCat(s, k, "P")) {
      afterPunc = punctuation(s, k);
    } else {
      linkRole(s, pred, k, catBeginsWith(s, pred, 'V') && !hasObj1(s, pred) ? "OBJ1" : "HT");
    }
  });
}

// Negation of the node before a G word moves onto the G word.
void moveNegationToG(CjSentence& s, int g) {
  int before = prevNode(s, g);
  if (!isNodeIndex(s, before) || !isNodeIndex(s, g)) return;
  CjFeatures& b = s.nodes[before].features;
  CjFeatures& f = s.nodes[g].features;
  if (b.NEG == 'm') {
    f.NEG2 = 'N';
    b.NEG = 0;
  } else if (b.NEG == 'N' || b.NEG == 'n') {
    f.NEG = 'N';
    b.NEG = 0;
  } else if (b.NEG2 == 'N' || b.NEG2 == 'n') {
    f.NEG2 = 'N';
    b.NEG = 0;
  }
}

void setPassive(CjSentence& s, int i) {
  if (isNodeIndex(s, i)) s.nodes[i].features.VOI = 'P';
}

// Nominal-like nodes that may be subjects of listed or adjectival predicates.
bool subjectOfListed(const CjSentence& s, int pred) { return isListedHeadWord(s, pred) || catBeginsWith(s, pred, 'A'); }

}  // namespace

void linkRole(CjSentence& s, int head, int dependent, std::string_view label) {
  if (!isNodeIndex(s, head) || !isNodeIndex(s, dependent)) return;
  // The same link twice would count the role twice and hand it to the transfer twice.
  for (const CjRoleLink& l : s.roleLinks) {
    if (l.head == head && l.dependent == dependent && l.label.view() == label) return;
  }
  addRoleLink(s, head, dependent, label);
}

bool headIsWord(const CjSentence& s, int node, std::string_view word) {
  return !word.empty() && headText(s, node) == word;
}

bool headSecondMarkIs(const CjSentence& s, int node, char mark) {
  int h = lexicalHead(s, node);
  return isNodeIndex(s, h) && s.nodes[h].secondMark == mark;
}

bool headHasVerbCVal(const CjSentence& s, int node, std::string_view code) {
  return hasVerbCVal(s, lexicalHead(s, node), code) != 0;
}

bool isNextNode(const CjSentence& s, int a, int b) { return b != 0 && nextNode(s, a) == b; }

bool isAfter(const CjSentence& s, int a, int b) {
  if (a == 0 || b == 0) return false;
  for (int k = nextNode(s, a), steps = 0; k != 0 && steps < kMaxNodes; k = nextNode(s, k), ++steps) {
    if (k == b) return true;
  }
  return false;
}

bool isAttached(const CjSentence& s, int node) { return isNodeIndex(s, node) && s.nodes[node].attached; }

int findNominalBetween(const CjSentence& s, int a, int b) {
  if (a == 0 || b == 0 || isAfter(s, b, a)) return 0;
  for (int k = nextNode(s, a), steps = 0; k != 0 && k != b && steps < kMaxNodes; k = nextNode(s, k), ++steps) {
    if (anyCat(s, k, {"N", "NP"})) return k;
    if (hasCat(s, k, "R") && (hasMSem(s, k, "A") || hasMSem(s, k, "C") || (hasMSem(s, k, "B") && hasSSem(s, k, "A"))))
      return k;
  }
  return 0;
}

int findFollowingNominal(const CjSentence& s, int node) {
  for (int k = nextNode(s, node), steps = 0; k != 0 && steps < kMaxNodes; k = nextNode(s, k), ++steps) {
    if (anyCat(s, k, {"FP", "F", "J"})) continue;
    return isNominalNode(s, k) ? k : 0;
  }
  return 0;
}

int findFollowingPredicateOrPhrase(const CjSentence& s, int node) {
  for (int k = nextNode(s, node), steps = 0; k != 0 && steps < kMaxNodes; k = nextNode(s, k), ++steps) {
    if (anyCat(s, k, {"V", "VP", "AP", "A"})) return k;
  }
  for (int k = nextNode(s, node), steps = 0; k != 0 && steps < kMaxNodes; k = nextNode(s, k), ++steps) {
    if (anyCat(s, k, {"IP", "LP", "DP"})) return k;
  }
  return 0;
}

int collectPredicates(CjSentence& s, int* list) {
  int n = 0;
  for (int k = s.firstTop, steps = 0; isNodeIndex(s, k) && n < kMaxCollectedPredicates && steps < kMaxNodes;
       k = nextNode(s, k), ++steps) {
    char m = s.nodes[k].predicateMark;
    if (m == 'P' || m == 'C') list[n++] = k;
  }
  list[n] = 0;
  s.argCount = n;
  return n;
}

void attachListedAdverbs(CjSentence& s) {
  for (int k = s.firstTop, steps = 0; isNodeIndex(s, k) && steps < kMaxNodes; k = nextNode(s, k), ++steps) {
    if (hasCat(s, k, "V")) continue;
    const char* label = isAmongListed(s, k, kNominalAdverbs) ? "ADVN" : isAmongListed(s, k, kLogicWords) ? "LOG" : nullptr;
    if (!label) continue;
    int nominal = findFollowingNominal(s, k);
    if (nominal) linkRole(s, nominal, k, label);
  }
}

void attachConjunctiveAdverbs(CjSentence& s) {
  for (int k = s.firstTop, steps = 0; isNodeIndex(s, k) && steps < kMaxNodes; k = nextNode(s, k), ++steps) {
    if (s.nodes[k].attached) continue;
    const char* label = hasCat(s, k, "J") && hasMSem(s, k, "B") ? "LOG" : hasCat(s, k, "F") ? "ADVN" : nullptr;
    if (!label) continue;
    int after = nextNode(s, k);
    if (findFollowingPredicateOrPhrase(s, k) == 0 && after != 0 && !hasCat(s, after, "P")) linkRole(s, after, k, label);
  }
}

void assignRightRoles(CjSentence& s, int pred, int rightBound) {
  if (!isNodeIndex(s, pred)) return;
  bool noObject = headHasVerbCVal(s, pred, "0") && !headHasVerbCVal(s, pred, "1") && !headHasVerbCVal(s, pred, "H") &&
                  !headHasVerbCVal(s, pred, "E");
  if (noObject) rightNoObject(s, pred, rightBound);
  else rightObjects(s, pred, rightBound);
}

void assignLeftRoles(CjSentence& s, int pred, int leftBound) {
  if (!isNodeIndex(s, pred)) return;
  walkLeft(s, pred, leftBound, [&](int k) {
    if (anyCat(s, k, {"W", "YP", "KP"}) || (anyCat(s, k, {"N", "NP"}) && !hasMSem(s, k, "I")) ||
        (hasCat(s, k, "R") && anyMSem(s, k, {"A", "C", "B"})))
      linkRole(s, pred, k, hasSub(s, pred) ? "TOP" : "SUB");
    return true;
  });
  walkLeft(s, pred, leftBound, [&](int k) {
    if (anyCat(s, k, {"C", "S", "UP", "UG", "U"}))
      linkRole(s, pred, k, hasSub(s, pred) ? "ADVN" : subjectOfListed(s, pred) ? "SUB" : "ADVN");
    return true;
  });
  walkLeft(s, pred, leftBound, [&](int k) {
    bool propagate = true;
    if (isLogicWord(s, k)) {
      linkRole(s, pred, k, "LOG");
    } else if (anyCat(s, k, {"F", "FP", "H"})) {
      linkRole(s, pred, k, "ADVN");
    } else if (anyCat(s, k, {"A", "AP"})) {
      int h = lexicalHead(s, pred);
      if (!isAmongListed(s, h, kAdverbialAdjectiveHeads) && !hasMSem(s, h, "K")) {
        int kh = lexicalHead(s, k);
        if (isNodeIndex(s, kh)) s.nodes[kh].CAT = "F";
        linkRole(s, pred, k, "ADVN");
      } else {
        linkRole(s, pred, k, "SUB");
        propagate = false;
      }
    } else if (anyCat(s, k, {"LP", "DP", "AS", "Y", "X"})) {
      linkRole(s, pred, k, "ADVF");
    } else if (hasCat(s, k, "IP")) {
      linkRole(s, pred, k, "ADVF");
      if (isListedWord(kPassivePrepositions, firstChildText(s, k))) {
        setPassive(s, pred);
        setPassive(s, lexicalHead(s, pred));
        propagate = false;
      }
    } else if (hasCat(s, k, "G")) {
      linkRole(s, pred, k, "G");
      propagateDependentFeatures(s, pred, k);
      moveNegationToG(s, k);
      return true;
    } else if (headAmong(s, pred, kNumberSubjectHeads) && anyCat(s, k, {"U", "UP", "UG", "C"})) {
      linkRole(s, pred, k, hasSub(s, pred) ? "NUM" : "SUB");
      return true;
    } else {
      return true;
    }
    if (propagate) propagateDependentFeatures(s, pred, k);
    return true;
  });
  walkLeft(s, pred, leftBound, [&](int k) {
    if (anyCat(s, k, {"Ntl", "Ntp"}) || (anyCat(s, k, {"N", "NP"}) && hasMSem(s, k, "I"))) {
      linkRole(s, pred, k, hasSub(s, pred) ? "ADVF" : subjectOfListed(s, pred) ? "SUB" : "ADVF");
      propagateDependentFeatures(s, pred, k);
    }
    return true;
  });
}

void assignLeftAdverbials(CjSentence& s, int pred, int leftBound) {
  if (!isNodeIndex(s, pred)) return;
  walkLeft(s, pred, leftBound, [&](int k) {
    if (isLogicWord(s, k)) {
      linkRole(s, pred, k, "LOG");
      return true;
    }
    if (hasCat(s, k, "G")) {
      linkRole(s, pred, k, "G");
      return true;
    }
    if (anyCat(s, k, {"F", "FP", "H"})) {
      linkRole(s, pred, k, "ADVN");
    } else if (anyCat(s, k, {"LP", "DP", "AS", "Y", "X"})) {
      linkRole(s, pred, k, "ADVF");
    } else if (hasCat(s, k, "IP")) {
      std::string_view prep = firstChildText(s, k);
      if (!prep.empty() && isListedWord(kPlainPrepositions, prep)) {
        linkRole(s, pred, k, "OBJ2");
      } else {
        linkRole(s, pred, k, "ADVF");
        if (!prep.empty() && isListedWord(kAdverbialPassives, prep)) setPassive(s, pred);
      }
    } else {
      return !anyCat(s, k, {"V", "VP"});
    }
    propagateDependentFeatures(s, pred, k);
    return true;
  });
}

int assignClauseRoles(CjSentence& s, int leftBound, int rightBound, int pred) {
  assignLeftRoles(s, pred, leftBound);
  assignRightRoles(s, pred, rightBound);
  return pred;
}

void assignRoles(CjSentence& s) {
  markPredicates(s);
  setMainPredicate(s);
  int list[kMaxCollectedPredicates + 1] = {};
  int n = collectPredicates(s, list);
  CJ_RULE(roleAssignment, attachListedAdverbs, s);
  CJ_RULE(roleAssignment, attachConjunctiveAdverbs, s);

  int e = lastTopNode(s);
  if (hasCat(s, e, "P")) e = prevNode(s, e);
  if (isAmongListed(s, e, kFinalSkipWords)) e = prevNode(s, e);
  if (isListedText(s, e, kFinalComplement) && isNodeIndex(s, s.govNode)) {
    linkRole(s, s.govNode, e, "COMP");
    if (noEarlierTenseMark(s, s.govNode)) propagateDependentFeatures(s, s.govNode, e);
  }

  switch (n) {
    case 1: CJ_RULE(roleAssignment, assignClauseRoles, s, 0, 0, s.govNode); break;
    case 2: CJ_RULE(predicateLinking, linkPredicates2, s, 0, 0, list[0], list[1]); break;
    case 3: CJ_RULE(predicateLinking, linkPredicates3, s, 0, 0, list[0], list[1], list[2]); break;
    case 4: CJ_RULE(predicateLinking, linkPredicates4, s, 0, 0, list[0], list[1], list[2], list[3]); break;
    case 5: CJ_RULE(predicateLinking, linkPredicates5, s, 0, 0, list[0], list[1], list[2], list[3], list[4]); break;
    case 6: CJ_RULE(predicateLinking, linkPredicates6, s, 0, 0, list[0], list[1], list[2], list[3], list[4], list[5]); break;
    default: break;
  }
}

}  // namespace cj
