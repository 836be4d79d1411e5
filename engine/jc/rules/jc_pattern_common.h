// The common shape of the sentence-pattern rules from か on: conjugation tests on one word, the
// na-adjective and general te-forms, semantic-code prefixes, and the writes that the kits leave
// out (node mark, template, trailer 3, usage code, a piece through the slot writer appended).
#pragma once
#include <string_view>

#include "engine/jc/rules/jc_pattern_kit.h"

namespace jc::pattern {

// Node i (1..lastNode) has a conjugation form (type) among the forms.
inline bool conjFormIn(const JcSentence* s, int i, Forms forms) {
  if (!s || i < 1 || i > s->lastNode || i >= kJcMaxNodes) return false;
  for (std::string_view f : forms) {
    if (s->nodes[i].conjForm == f) return true;
  }
  return false;
}
inline bool conjTypeIn(const JcSentence* s, int i, Forms types) {
  if (!s || i < 1 || i > s->lastNode || i >= kJcMaxNodes) return false;
  for (std::string_view t : types) {
    if (s->nodes[i].conjType == t) return true;
  }
  return false;
}
inline bool conjIs(const JcSentence* s, int i, Forms types, Forms forms) {
  return conjTypeIn(s, i, types) && conjFormIn(s, i, forms);
}

// The te-form of a na-adjective (type 21 form 11, types 22/23 form 12).
inline bool isNaTeForm(const JcSentence* s, int i) {
  return conjIs(s, i, {"21"}, {"11"}) || conjIs(s, i, {"22", "23"}, {"12"});
}
// Any te-form: a verb's, an i-adjective's (form 10) or a na-adjective's.
inline bool isAnyTeForm(const JcSentence* s, int i) {
  return isVerbTeForm(s, i) || conjIs(s, i, {"18", "19", "20"}, {"10"}) || isNaTeForm(s, i);
}

// The semantic codes of node i begin with one of the codes or hold it after a '/'.
bool hasSemanticCode(const JcSentence* s, int i, Forms codes);
// The S-feature list of node i holds the code.
bool hasSFeature(const JcSentence* s, int i, std::string_view code);
// Node mark of target i; empty when i names no node.
std::string_view nodeMark(const JcSentence* s, int i);
void setNodeMark(JcSentence* s, int i, std::string_view mark);
void clearTemplate(JcSentence* s, int i);
void appendText3(JcSentence* s, int i, std::string_view text);
// Usage code of node i (the source side).
void setUsageCode(JcSentence* s, int i, std::string_view code);
// Appends a piece to slot k as the slot writer would write it: the override word while the
// counter runs (counting down), else the piece.
void appendThroughWriter(JcSentence* s, int i, Slot slot, std::string_view text);
// The first piece through the slot writer, the others appended, then the slot's source.
void writePieces(JcSentence* s, int i, Slot slot, std::initializer_list<std::string_view> pieces, int source);
// i when it is a word (1..lastMorpheme), else 0: a host looked for past the sentence's last word
// names no node.
inline int wordAt(const JcSentence* s, int i) { return i >= 1 && i <= lastWord(s) ? i : 0; }
// The surfaces of words i and j are equal (both words of the sentence).
bool sameSurface(const JcSentence* s, int i, int j);

}  // namespace jc::pattern

// Declares the renderings of one rule family with a byte range: X(variable, key, count, min, max).
#define COMMON_WORD_VAR(var, key, count, minBytes, maxBytes) const ::jc::RuleWord var(key);
#define COMMON_WORD_SPEC(var, key, count, minBytes, maxBytes) {key, count, minBytes, maxBytes},
#define COMMON_REGISTER(LIST)                                                                  \
  const ::jc::RenderingKeySpec kCommonKeys[] = {LIST(COMMON_WORD_SPEC)};                       \
  const ::jc::RenderingKeyRegistrar kCommonRegistrar(                                          \
      kCommonKeys, static_cast<int>(sizeof kCommonKeys / sizeof kCommonKeys[0]));              \
  LIST(COMMON_WORD_VAR)
