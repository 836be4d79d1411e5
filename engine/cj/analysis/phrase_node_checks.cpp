// Node tests shared by the phrase-structure and repair rules.
#include "engine/cj/analysis/node_build.h"
#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/phrase_rules.h"
#include "engine/cj/analysis/phrase_words.h"

namespace cj {

using namespace phrase_words;

namespace {

const WordKeySpec kWordKeys[] = {
    {kL1, 1, 1, 1},         {kL2, 1, 1, 1},         {kM1, 1, 1, 1},         {kM2, 1, 1, 1},
    {kM3, 1, 1, 1},         {kK1, 1, 1, 1},         {kP1, 1, 1, 1},         {kP2, 1, 1, 1},
    {kD, 1, 1, 1},          {kX2, 1, 2, 2},         {kF1, 1, 1, 1},         {kVerbListA, 2, 2, 2},
    {kVerbListB, 4, 2, 2},  {kNounList6, 6, 2, 2},  {kVerbList15, 15, 2, 2},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

bool inNodes(const CjSentence& s, int i) { return i >= 0 && i <= s.nodeCount && i < kMaxNodes; }

const CjFeatures* ownFeatures(const CjSentence& s, int i) { return inNodes(s, i) ? &s.nodes[i].features : nullptr; }

bool ownMSemHas(const CjSentence& s, int i, std::string_view code) {
  const CjFeatures* f = ownFeatures(s, i);
  return f && f->M_SEM.contains(code);
}

bool markerFollows(const CjSentence& s, int i, const ListedKey& key) {
  int j = isWordNode(s, i) ? i : headChild(s, i);
  return wordIs(s, nextNode(s, j), key);
}

bool isClauseVerb(const CjSentence& s, int k) {
  if (isListedHeadWord(s, k) || isInVerbListB(wordOf(s, k))) return true;
  return hasVerbCat(s, k) && !isLinker(s, prevNode(s, k)) && !isLinker(s, nextNode(s, k));
}

}  // namespace

int hasZeroCVal(const CjSentence& s, int i) {
  const CjFeatures* f = ownFeatures(s, i);
  return isNodeIndex(s, i) && f->C_VAL == "0" ? 1 : 0;
}

int isInVerbListA(std::string_view word) { return isInListedBarList(kVerbListA, word) ? 1 : 0; }
int isInVerbListB(std::string_view word) { return isInListedBarList(kVerbListB, word) ? 1 : 0; }

int hasExcludedObjectSem(const CjSentence& s, int v, int n) {
  if (v < 0 || n < 0) return 0;
  const CjFeatures* fv = ownFeatures(s, v);
  const CjFeatures* fn = ownFeatures(s, n);
  if (!fv || !fn || fv->NO_C_OBJ_SEM.empty() || fn->M_SEM.empty()) return 0;
  for (char c : fn->M_SEM.view()) {
    if (fv->NO_C_OBJ_SEM.view().find(c) != std::string_view::npos) return 1;
  }
  return 0;
}

int hasNounSense(const CjSentence& s, int i) {
  if (!isNodeIndex(s, i)) return 0;
  for (const CjSense& sense : s.nodes[i].senses) {
    if (sense.catLetter == 'N') return 1;
  }
  return 0;
}

int hasNounSenseMSem(const CjSentence& s, int i) {
  if (!isNodeIndex(s, i)) return 0;
  for (const CjSense& sense : s.nodes[i].senses) {
    if (sense.catLetter == 'N' && sense.M_SEM.contains("L")) return 1;
  }
  return 0;
}

int lastTopNode(const CjSentence& s) {
  int k = s.firstTop;
  for (int steps = 0; isNodeIndex(s, k) && nextNode(s, k) != 0 && steps < kMaxNodes; ++steps) k = nextNode(s, k);
  return isNodeIndex(s, k) ? k : 0;
}

int sentenceFinalAdjective(const CjSentence& s, int before) {
  int x = before != 0 ? prevNode(s, before) : lastTopNode(s);
  if (catOf(s, x) == "P") x = prevNode(s, x);
  if (catOf(s, x) == "E" && ownFeatures(s, x) && ownFeatures(s, x)->M_SEM == "C") x = prevNode(s, x);
  if (wordIs(s, x, kL1)) x = prevNode(s, x);
  return catOf(s, x) == "A" || catOf(s, x) == "AP" ? x : 0;
}

int isPredicateHead(const CjSentence& s, int i) {
  if (!isNodeIndex(s, i)) return 0;
  if (s.nodes[i].predicateMark != 'N' && (catOf(s, i) == "V" || catOf(s, i) == "VP")) return 1;
  return (hasCat(s, i, "A") || hasCat(s, i, "AP")) && i == sentenceFinalAdjective(s, 0) ? 1 : 0;
}

int isNominalNode(const CjSentence& s, int i) {
  if (!isNodeIndex(s, i)) return 0;
  const std::string_view c = catOf(s, i);
  const int p = prevNode(s, i), n = nextNode(s, i);
  const bool nearLinker = wordIs(s, p, kL1) || wordIs(s, n, kL1);
  if (c == "Ntp") return nearLinker ? 1 : 0;
  if (c == "N" || c == "NP") return nearLinker || !ownMSemHas(s, i, "I") ? 1 : 0;
  if (c == "S" || c == "C" || c == "UP") {
    if (n == 0 || !ownMSemHas(s, lexicalHead(s, i), "F")) return 1;
    std::string_view nc = catOf(s, n);
    return nc == "V" || nc == "VP" || nc == "A" || nc == "AP" ? 0 : 1;
  }
  for (std::string_view always : {"U", "UG", "Ntl", "R", "W", "YP", "KP"}) {
    if (c == always) return 1;
  }
  return 0;
}

int followedByMarkerA(const CjSentence& s, int i) { return markerFollows(s, i, kM1) ? 1 : 0; }
int followedByMarkerB(const CjSentence& s, int i) { return markerFollows(s, i, kM3) ? 1 : 0; }
int followedByMarkerC(const CjSentence& s, int i) { return markerFollows(s, i, kM2) ? 1 : 0; }

int nextClauseVerb(const CjSentence& s, int i) {
  if (i < 1) return 0;
  int k = nextNode(s, i);
  for (int steps = 0; k != 0 && steps < kMaxNodes; ++steps, k = nextNode(s, k)) {
    if (isClauseVerb(s, k)) return k;
  }
  return 0;
}

int prevClauseVerb(const CjSentence& s, int i) {
  if (i < 1) return 0;
  int k = prevNode(s, i);
  for (int steps = 0; k != 0 && steps < kMaxNodes; ++steps, k = prevNode(s, k)) {
    if (isClauseVerb(s, k)) return k;
  }
  return 0;
}

}  // namespace cj
