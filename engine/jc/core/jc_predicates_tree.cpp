#include "engine/jc/core/jc_predicates_tree.h"

#include "engine/jc/core/jc_predicates_form.h"
#include "engine/jc/core/jc_predicates_search.h"

namespace jc {

namespace {

// A link that leads outside the sentence counts as none.
int link(const JcSentence* s, int to) { return to >= 0 && to <= s->lastNode && to < kJcMaxNodes ? to : 0; }

// Follows next() from i while more() holds; a path longer than the node array is a cycle and
// answers 0.
template <typename More, typename Next>
int follow(int i, More more, Next next) {
  for (int steps = 0; steps < kJcMaxNodes; ++steps) {
    if (!more(i)) return i;
    i = next(i);
  }
  return 0;
}

}  // namespace

int parentOf(const JcSentence* s, int i) { return inNodeRange(s, i) ? link(s, s->nodes[i].parent) : 0; }
int prevSiblingOf(const JcSentence* s, int i) { return inNodeRange(s, i) ? link(s, s->nodes[i].prevSibling) : 0; }
int firstChildOf(const JcSentence* s, int i) { return inNodeRange(s, i) ? link(s, s->nodes[i].firstChild) : 0; }
int lastChildOf(const JcSentence* s, int i) { return inNodeRange(s, i) ? link(s, s->nodes[i].lastChild) : 0; }
int headPhraseOf(const JcSentence* s, int i) { return inNodeRange(s, i) ? link(s, s->nodes[i].headPhrase) : 0; }

int firstLeaf(const JcSentence* s, int i) {
  if (!inNodeRange(s, i)) return 0;
  return follow(i, [&](int k) { return k != 0 && !isMorpheme(s, k); }, [&](int k) { return firstChildOf(s, k); });
}

int lastLeaf(const JcSentence* s, int i) {
  if (!inNodeRange(s, i)) return 0;
  return follow(i, [&](int k) { return k != 0 && !isMorpheme(s, k); }, [&](int k) { return lastChildOf(s, k); });
}

int headMorpheme(const JcSentence* s, int i) {
  if (i < 1 || !inNodeRange(s, i)) return 0;
  return follow(i, [&](int k) { return k != 0 && !isMorpheme(s, k) && link(s, s->nodes[k].head) != k; },
      [&](int k) { return link(s, s->nodes[k].head); });
}

int rootOf(const JcSentence* s, int i) {
  if (i < 1 || !inNodeRange(s, i)) return 0;
  return follow(i, [&](int k) { return parentOf(s, k) != 0; }, [&](int k) { return parentOf(s, k); });
}

int maximalProjection(const JcSentence* s, int i) {
  if (i < 1 || !inNodeRange(s, i)) return 0;
  int start = isMorpheme(s, i) ? parentOf(s, i) : i;
  return follow(start,
      [&](int k) {
        int p = parentOf(s, k);
        return k != 0 && p != 0 && lastChildOf(s, p) == k;
      },
      [&](int k) { return parentOf(s, k); });
}

int finalHeadPhrase(const JcSentence* s, int i) {
  int r = rootOf(s, i);
  return follow(r, [&](int k) { return headPhraseOf(s, k) != 0; }, [&](int k) { return headPhraseOf(s, k); });
}

int firstSibling(const JcSentence* s, int i) {
  if (!inNodeRange(s, i)) return 0;
  if (prevSiblingOf(s, i) == 0) return i;
  int first = follow(i, [&](int k) { return prevSiblingOf(s, k) != 0; }, [&](int k) { return prevSiblingOf(s, k); });
  int k = first;
  for (int steps = 0; k != 0 && k != i && steps < kJcMaxNodes; ++steps) {
    if (headPhraseOf(s, k) == i) return k;
    k = link(s, s->nodes[k].nextSibling);
  }
  return i;
}

int firstChildOfRun(const JcSentence* s, int i) {
  int c = parentOf(s, i);
  c = follow(c,
      [&](int k) {
        int p = prevSiblingOf(s, k);
        return k != 0 && p != 0 && isContinuativeDependentOf(s, p, k);
      },
      [&](int k) { return prevSiblingOf(s, k); });
  return firstChildOf(s, c);
}

int startOfModifierChain(const JcSentence* s, int i) {
  if (!inNodeRange(s, i)) return 0;
  int c = isMorpheme(s, i) ? parentOf(s, i) : i;
  return follow(c,
      [&](int k) {
        int p = prevSiblingOf(s, k);
        return k != 0 && p != 0 && (isAdnominalDependentOf(s, p, k) || isContinuativeDependentOf(s, p, k));
      },
      [&](int k) { return prevSiblingOf(s, k); });
}

int climbAdnominalChain(const JcSentence* s, int i) {
  int c = parentOf(s, i);
  c = follow(c,
      [&](int k) {
        int p = prevSiblingOf(s, k);
        return k != 0 && p != 0 && isAdnominal(s, p);
      },
      [&](int k) { return prevSiblingOf(s, k); });
  return firstLeaf(s, c);
}

int governorOf(const JcSentence* s, int i) {
  int h = headPhraseOf(s, rootOf(s, i));
  if (h != 0) return h;
  return inNodeRange(s, i) && isInBarList(kVerbTypes, s->nodes[i].conjType.view()) ? parentOf(s, i) : 0;
}

int findClauseHead(const JcSentence* s, int i) {
  int h = headPhraseOf(s, maximalProjection(s, i));
  if (h == 0) return 0;
  int lead = targetFirstLeaf(s, h);
  if (lead < 1 || lead >= kJcMaxNodes || !s->targets[lead].live) return 0;
  int d = link(s, findDependencyDependent(s, h, "D2"));
  if (d == 0) return h;
  int k = lastLeaf(s, d);
  if (isSymbol(s, k)) --k;
  if (isVerb(s, k) || isConjunction(s, k) || isConditionalForm(s, k) || k <= i) return h;
  return d;
}

int isAdnominalDependentOf(const JcSentence* s, int i, int j) {
  if (i < 1 || j < 1 || headPhraseOf(s, i) != j) return 0;
  return isAdnominal(s, lastChildOf(s, i));
}

int isContinuativeDependentOf(const JcSentence* s, int i, int j) {
  if (i < 1 || j < 1 || headPhraseOf(s, i) != j) return 0;
  return isContinuativeForm(s, lastChildOf(s, i));
}

}  // namespace jc
