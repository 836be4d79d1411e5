#include "engine/jc/core/jc_predicates_search.h"

#include <algorithm>

namespace jc {

namespace {

int clampIndex(int i) { return std::min(i, kJcMaxNodes - 1); }
int lastNodeOf(const JcSentence* s) { return clampIndex(s->lastNode); }
int lastMorphemeOf(const JcSentence* s) { return clampIndex(s->lastMorpheme); }

// Forward from start to bound, backward from start to 1; f(k) decides a match.
template <typename F>
int searchForward(const JcSentence* s, int start, int bound, F f) {
  if (!s || start < 1) return 0;
  for (int k = start; k <= bound; ++k)
    if (f(k)) return k;
  return 0;
}

template <typename F>
int searchBackward(const JcSentence* s, int start, F f) {
  if (!s || start < 1) return 0;
  for (int k = std::min(start, lastNodeOf(s)); k >= 1; --k)
    if (f(k)) return k;
  return 0;
}

int findDependent(const JcLink* head, int governor, std::string_view label) {
  for (const JcLink* l = head; l && l->next; l = l->next)
    if (l->governor == governor && l->label == label) return l->dependent;
  return 0;
}

bool posMatches(const JcNode& n, std::string_view p, std::string_view q) {
  return n.pos == p && (q.empty() || n.subPos == q);
}

}  // namespace

namespace {
RetireWatch retireWatch = nullptr;
}  // namespace

void setRetireWatch(RetireWatch watch) { retireWatch = watch; }

void noteRetired(const JcSentence* s, int i, const std::source_location& where) {
  if (retireWatch && s && i >= 1 && i < kJcMaxNodes && s->targets[i].live) retireWatch(s, i, where);
}

void retireWord(JcSentence* s, int i, const std::source_location& where) {
  if (!s || i < 1 || i >= kJcMaxNodes) return;
  noteRetired(s, i, where);
  s->targets[i].live = 0;
}

int findRelationDependent(const JcSentence* s, int governor, std::string_view label) {
  return s ? findDependent(s->relationAgenda, governor, label) : 0;
}

int findDependencyDependent(const JcSentence* s, int governor, std::string_view label) {
  return s ? findDependent(s->dependencyList, governor, label) : 0;
}

int governsNoDependency(const JcSentence* s, int i) {
  if (!s) return 1;
  for (const JcLink* l = s->dependencyList; l && l->next; l = l->next)
    if (l->governor == i) return 0;
  return 1;
}

int isPrefix(const JcSentence* s, int i) { return inNodeRange(s, i) && s->nodes[i].pos == "13"; }

int hasNounFeature(const JcSentence* s, int i) {
  static constexpr std::string_view kCodes[] = {"S2", "S3", "S4", "S5",  "S6",  "S7",  "S8",
                                                "S9", "S10", "S11", "S12", "S16", "S17"};
  if (!inNodeRange(s, i)) return 0;
  for (std::string_view c : kCodes)
    if (isInBarList(s->nodes[i].sFeatures.view(), c)) return 1;
  return 0;
}

int hasPredicateFeature(const JcSentence* s, int i) {
  static constexpr std::string_view kCodes[] = {"A12", "A13", "A14", "A15", "A16", "A17", "A18"};
  if (!inNodeRange(s, i)) return 0;
  for (std::string_view c : kCodes)
    if (isInBarList(s->nodes[i].abFeatures.view(), c)) return 1;
  return 0;
}

int findSurfaceForward(const JcSentence* s, int i, std::string_view text) {
  return searchForward(s, i, s ? lastMorphemeOf(s) : 0, [&](int k) { return s->nodes[k].surface == text; });
}

int findSurfaceForward2(const JcSentence* s, int i, std::string_view text1, std::string_view text2) {
  return searchForward(s, i, s ? lastMorphemeOf(s) : 0,
                       [&](int k) { return s->nodes[k].surface == text1 || s->nodes[k].surface == text2; });
}

int findSurfaceBackward(const JcSentence* s, int i, std::string_view text) {
  return searchBackward(s, i, [&](int k) { return s->nodes[k].surface == text; });
}

int findLiveSurface(const JcSentence* s, int i, std::string_view text) {
  return searchForward(s, i, s ? lastMorphemeOf(s) : 0,
                       [&](int k) { return s->targets[k].live && s->nodes[k].surface == text; });
}

int findLiveSurface2(const JcSentence* s, int i, std::string_view text1, std::string_view text2) {
  return searchForward(s, i, s ? lastMorphemeOf(s) : 0, [&](int k) {
    return s->targets[k].live && (s->nodes[k].surface == text1 || s->nodes[k].surface == text2);
  });
}

int findLiveSurfaceBackward(const JcSentence* s, int i, std::string_view text) {
  return searchBackward(s, i, [&](int k) { return s->targets[k].live && s->nodes[k].surface == text; });
}

int findLiveBaseForm(const JcSentence* s, int i, std::string_view base) {
  return searchForward(s, i, s ? lastMorphemeOf(s) : 0,
                       [&](int k) { return s->targets[k].live && s->nodes[k].baseForm == base; });
}

int findLiveBaseForm2(const JcSentence* s, int i, std::string_view base1, std::string_view base2) {
  return searchForward(s, i, s ? lastMorphemeOf(s) : 0, [&](int k) {
    return s->targets[k].live && (s->nodes[k].baseForm == base1 || s->nodes[k].baseForm == base2);
  });
}

int findSurfaceSuffixForward(const JcSentence* s, int i, std::string_view suffix) {
  return searchForward(s, i, s ? lastMorphemeOf(s) : 0,
                       [&](int k) { return endsWith(s->nodes[k].surface.view(), suffix) != 0; });
}

int findPosForward(const JcSentence* s, int i, std::string_view p, std::string_view q) {
  return searchForward(s, i, s ? lastMorphemeOf(s) : 0, [&](int k) { return posMatches(s->nodes[k], p, q); });
}

int findPosBackward(const JcSentence* s, int i, std::string_view p, std::string_view q) {
  return searchBackward(s, i, [&](int k) { return posMatches(s->nodes[k], p, q); });
}

int findConjFormForward(const JcSentence* s, int i, std::string_view form) {
  return searchForward(s, i, s ? lastNodeOf(s) : 0, [&](int k) { return s->nodes[k].conjForm == form; });
}

int findNegation(const JcSentence* s, int i) {
  return searchForward(s, i, s ? lastNodeOf(s) : 0, [&](int k) {
    const JcNode& n = s->nodes[k];
    return s->targets[k].live && (n.baseForm == "ない" || n.baseForm == "無い" || n.conjType == "27");
  });
}

int isSurface(const JcSentence* s, int i, std::string_view text) {
  return inNodeRange(s, i) && s->nodes[i].surface == text;
}

int isBaseForm(const JcSentence* s, int i, std::string_view base) {
  return inNodeRange(s, i) && s->nodes[i].baseForm == base;
}

int isLiveSurface(const JcSentence* s, int i, std::string_view text) {
  return isLive(s, i) && s->nodes[i].surface == text;
}

int isLiveBaseForm(const JcSentence* s, int i, std::string_view base) {
  return isLive(s, i) && s->nodes[i].baseForm == base;
}

int isMorpheme(const JcSentence* s, int i) {
  return inNodeRange(s, i) && s->nodes[i].firstChild == 0 && s->nodes[i].lastChild == 0;
}

}  // namespace jc
