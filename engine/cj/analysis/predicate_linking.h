// Linking two to six predicates of a stretch: the governor by its class and position, the groups
// before and after it resolved in turn, and the role links between their governors.
#pragma once
#include "engine/cj/analysis/sentence.h"

namespace cj {

// Classes of a governor, in the order they are tested.
enum GovernorClass { kGovAdjective, kGovListed, kGovPivot, kGovDoubleObject, kGovValH, kGovValE, kGovVal1, kGovSeries };

// The class of governor g at position k (from 1) among n predicates.
GovernorClass governorClass(const CjSentence& s, int g, int k, int n);

// Bounds are nodes (0 = the chain's start or end); predicates in chain order. Each answers the
// governor found (0 when none).
int linkPredicates2(CjSentence& s, int left, int right, int p1, int p2);
int linkPredicates3(CjSentence& s, int left, int right, int p1, int p2, int p3);
int linkPredicates4(CjSentence& s, int left, int right, int p1, int p2, int p3, int p4);
int linkPredicates5(CjSentence& s, int left, int right, int p1, int p2, int p3, int p4, int p5);
int linkPredicates6(CjSentence& s, int left, int right, int p1, int p2, int p3, int p4, int p5, int p6);

}  // namespace cj
