#include "engine/cj/transfer/attributive_particle.h"

#include "engine/cj/transfer/jp_text.h"
#include "engine/cj/transfer/rule_entry_points.h"

namespace cj {

void chooseAttributiveParticle(CjTransferContext& c, int i) {
  CjTargetNode* t = targetNode(c, i);
  if (!t || i < 1) return;
  const CjNode* next = sourceNode(c, i + 1);
  if (next && next->CAT[0] == 'W') return;
  if (isNamePair(c, i)) {
    if (t->att.empty()) t->att = "と";
    else if (!textEndsWith(t->att.view(), "と")) t->att.append("と");
    return;
  }
  if (isNounBeforeVerb(c, i) || isCountedObject(c, i) || isNameCompound(c, i) || isPlacePersonPair(c, i) ||
      isCompoundNoun(c, i) || nextHasFrameSeven(c, i) || isSemanticPair(c, i)) {
    return;
  }
  if (sourceNode(c, i)->features.M_SEM == "JJJ" || textEndsWith(t->att.view(), "の")) return;
  if (t->att.empty()) {
    t->att = "の";
  } else if (t->joinWithNo) {
    std::string att = "の" + t->att.str();
    t->att = att;
  } else {
    t->att.append("の");
  }
}

bool isGovernedClauseTop(CjTransferContext& c, int i) {
  if (i < 1 || !sourceNode(c, i)) return false;
  int top = i;
  for (int steps = 0; steps < kMaxNodes; ++steps) {
    const CjNode* n = sourceNode(c, top);
    if (!n || n->parent == 0 || !sourceNode(c, n->parent)) break;
    top = n->parent;
  }
  bool hasArgument = findObj1(c, top) || findComp(c, top) || findSub(c, top) || findAdvf(c, top) ||
                     findTop(c, top) || findPivt(c, top) || findAdvn(c, top);
  return hasArgument && findGovernor(c, top) != 0;
}

}  // namespace cj
