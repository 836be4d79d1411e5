// Small steps shared by the と, ない, な/に, に…を and tail pattern rules: consuming runs of words,
// the two-piece slot write, the node fields these rules change, and the relinking of a phrase.
#pragma once
#include <initializer_list>
#include <source_location>
#include <string_view>

#include "engine/jc/core/jc_links.h"
#include "engine/jc/core/jc_predicates.h"
#include "engine/jc/rules/jc_pattern_common.h"
#include "engine/jc/rules/jc_pattern_kit.h"

namespace jc::pattern {

// Word i is live with one of the surfaces (base forms): the neighbour tests of the rows.
inline bool at(const JcSentence* s, int i, Forms forms) { return liveSurfaceIn(s, i, forms); }
inline bool atBase(const JcSentence* s, int i, Forms forms) { return liveBaseIn(s, i, forms); }

// Consumes the words from..to.
inline void eat(JcSentence* s, int from, int to, const std::source_location& where = std::source_location::current()) {
  for (int w = from; w <= to; ++w) consumeWord(s, w, where);
}

inline bool posIs(const JcSentence* s, int i, std::string_view pos) {
  return i >= 1 && i <= s->lastNode && i < kJcMaxNodes && s->nodes[i].pos == pos;
}

// The first piece through the slot writer, the second appended with its source.
inline void writeThenAppend(JcSentence* s, int h, Slot slot, std::string_view first, std::string_view second,
                            int source = kNoSource) {
  writeTargetSlot(s, h, slot, first);
  appendSlot(s, h, slot, second, source);
}

inline void markZ(JcSentence* s, int i) { setKind(s, i, 'z'); }

inline bool nodeMarkIs(const JcSentence* s, int i, char mark) {
  const JcTargetNode* t = ruleTarget(s, i);
  return t && t->mark.size() == 1 && t->mark.c_str()[0] == mark;
}

inline int headPhraseAt(const JcSentence* s, int i) {
  return i >= 1 && i <= s->lastNode && i < kJcMaxNodes ? s->nodes[i].headPhrase : 0;
}
inline int nextSiblingAt(const JcSentence* s, int i) {
  return i >= 1 && i <= s->lastNode && i < kJcMaxNodes ? s->nodes[i].nextSibling : 0;
}

// Appends to trailer 4, bounded like every other append.
inline void appendTrailer4(JcSentence* s, int i, std::string_view text) {
  if (JcTargetNode* t = ruleTarget(s, i)) t->text4.append(text);
}

// Phrase a, a dependent of b, is relinked to b under a new label: the item (b, a) with a's old
// label is removed and added again with the label and its flag; a's link block is cleared.
inline void relinkDependent(JcSentence* s, int b, int a, std::string_view label) {
  if (a < 1 || b < 1 || a > s->lastNode || b > s->lastNode || a >= kJcMaxNodes || b >= kJcMaxNodes) return;
  int flag = 0;
  const std::string old = s->nodes[a].depLabel.str();
  removeDependencyLink(s, b, a, old, &flag);
  clearLinkBlock(s, a);
  s->nodes[a].depLabel = label;
  s->nodes[a].headPhrase = b;
  if (int k = labelHeadIndex(label); k >= 0) s->nodes[a].labelHeads[k] = b;
  addDependencyLink(s, b, a, label, flag);
}

// firstSibling repeated until it stands still; the climb is capped so that a cycle of head
// links cannot hang the scan.
inline int settledFirstSibling(const JcSentence* s, int f) {
  for (int step = 0; step < 300; ++step) {
    const int g = firstSibling(s, f);
    if (g == f) return f;
    f = g;
  }
  return f;
}

}  // namespace jc::pattern
