// Predicate library, part one: the conventions, the link-list lookups, the feature tests, the
// word searches and the node tests.
//
// Conventions of every predicate (this header and jc_predicates_form.h, jc_predicates_tree.h,
// jc_predicates_semantic.h):
// - The sentence comes first, node indices after it. Tests answer 0 or 1; searches answer the
//   index found, 0 meaning none. Node 0 is the null sentinel, never a word.
// - A node test answers 0 for an index outside 0..lastNode. Forward word searches stop at
//   lastMorpheme (or lastNode where stated), backward searches at 1; a start below 1 answers 0.
// - A word is live while its target node (same index) has `live` set, that is, no rule has
//   consumed it; searches that want live words skip retired ones.
// - Codes are the decimal strings of JcNode (pos "6", conjType "21"), compared whole; surface and
//   base form are Shift-JIS strings compared whole.
#pragma once
#include <source_location>
#include <string_view>

#include "engine/jc/core/jc_predicates_text.h"
#include "engine/jc/core/jc_sentence.h"

namespace jc {

// 1 when i is a node of the sentence (0..lastNode).
inline int inNodeRange(const JcSentence* s, int i) {
  return s && i >= 0 && i <= (s->lastNode < kJcMaxNodes - 1 ? s->lastNode : kJcMaxNodes - 1);
}
// Node i's target is live (0 outside 0..lastNode).
inline int isLive(const JcSentence* s, int i) { return inNodeRange(s, i) && s->targets[i].live; }
// Retires word i (clears its target's live flag); nothing for node 0 or an index out of range.
void retireWord(JcSentence* s, int i, const std::source_location& where = std::source_location::current());
// A watch over the rules: told of every live word a rule retires, with the place in the rules that
// retired it (tracing, tests). Null: none; one for the process.
using RetireWatch = void (*)(const JcSentence* s, int i, const std::source_location& where);
void setRetireWatch(RetireWatch watch);
// Tells the watch, if any, that word i is being retired at `where`.
void noteRetired(const JcSentence* s, int i, const std::source_location& where);

// Lookups on the two link lists; every item before the sentinel is examined, claimed or not.
int findRelationDependent(const JcSentence* s, int governor, std::string_view label);
int findDependencyDependent(const JcSentence* s, int governor, std::string_view label);
// 1 when no dependency item has i as governor.
int governsNoDependency(const JcSentence* s, int i);

// Feature and class tests.
int isPrefix(const JcSentence* s, int i);             // pos 13
int hasNounFeature(const JcSentence* s, int i);       // S2..S12, S16, S17
int hasPredicateFeature(const JcSentence* s, int i);  // A12..A18

// Word searches.
int findSurfaceForward(const JcSentence* s, int i, std::string_view text);
int findSurfaceForward2(const JcSentence* s, int i, std::string_view text1, std::string_view text2);
int findSurfaceBackward(const JcSentence* s, int i, std::string_view text);
int findLiveSurface(const JcSentence* s, int i, std::string_view text);
int findLiveSurface2(const JcSentence* s, int i, std::string_view text1, std::string_view text2);
int findLiveSurfaceBackward(const JcSentence* s, int i, std::string_view text);
int findLiveBaseForm(const JcSentence* s, int i, std::string_view base);
int findLiveBaseForm2(const JcSentence* s, int i, std::string_view base1, std::string_view base2);
int findSurfaceSuffixForward(const JcSentence* s, int i, std::string_view suffix);
// pos equal to p and, when q is not empty, subPos equal to q.
int findPosForward(const JcSentence* s, int i, std::string_view p, std::string_view q);
int findPosBackward(const JcSentence* s, int i, std::string_view p, std::string_view q);
// Up to lastNode.
int findConjFormForward(const JcSentence* s, int i, std::string_view form);
// Up to lastNode: the first live word with base form ない or 無い, or of conjugation type 27.
int findNegation(const JcSentence* s, int i);

// Node tests.
int isSurface(const JcSentence* s, int i, std::string_view text);
int isBaseForm(const JcSentence* s, int i, std::string_view base);
int isLiveSurface(const JcSentence* s, int i, std::string_view text);
int isLiveBaseForm(const JcSentence* s, int i, std::string_view base);
// No first and no last child.
int isMorpheme(const JcSentence* s, int i);

}  // namespace jc
