// What the sentence-pattern rules share beyond the rule kit: trigger searches over several written
// forms, neighbour tests with the live test, and the small writes they all make.
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "engine/jc/core/jc_predicates.h"
#include "engine/jc/rules/jc_rule_kit.h"

namespace jc::pattern {

using Forms = std::initializer_list<std::string_view>;

// A rendering key of several words ("one rendering for each"), resolved again only after the
// table changed.
class RuleWordList {
 public:
  constexpr explicit RuleWordList(const char* key) : key_(key) {}
  // Word k of the key; empty when the table holds fewer.
  std::string_view operator[](std::size_t k) const;

 private:
  const char* key_;
  mutable const std::vector<std::string>* words_ = nullptr;
  mutable unsigned generation_ = 0;
};

// The next live word from i whose surface (base form) is one of the forms: the forms are tried in
// order and the first one found anywhere wins, not the nearest.
int findFirstSurface(const JcSentence* s, int i, Forms forms);
int findFirstBase(const JcSentence* s, int i, Forms forms);

// Word i is live and its surface (base form) is one of the forms.
bool liveSurfaceIn(const JcSentence* s, int i, Forms forms);
bool liveBaseIn(const JcSentence* s, int i, Forms forms);
// The surface is one of the forms, live or not.
bool surfaceIn(const JcSentence* s, int i, Forms forms);

// Word i is live and a verb in conjugation form "4" (the volitional form).
bool isVolitionalVerb(const JcSentence* s, int i);
// Word i is live (neighbour conditions include the live test).
inline bool live(const JcSentence* s, int i) { return i >= 1 && i <= s->lastMorpheme && isLive(s, i); }

// Last word of the sentence's scans.
inline int lastWord(const JcSentence* s) { return s->lastMorpheme < kJcMaxNodes ? s->lastMorpheme : kJcMaxNodes - 1; }

// Field writes on target i; nothing when i names no node.
void setCode(JcSentence* s, int i, std::string_view code);
void setHeadText(JcSentence* s, int i, std::string_view text);
void appendHeadText(JcSentence* s, int i, std::string_view text);
void setHeadText2(JcSentence* s, int i, std::string_view text);
void setText3(JcSentence* s, int i, std::string_view text);
void setText5(JcSentence* s, int i, std::string_view text);
// A mark 'K' (referenced by a template) becomes '*'.
void releaseTemplateMark(JcSentence* s, int i);
// Renders word i (kOwnRendering) and gives it the code "F" of an adverb paired with an ending.
void renderPairedAdverb(JcSentence* s, int i, std::string_view text);
// kOwnRendering of target i holds a rendering.
bool isRendered(const JcSentence* s, int i);

}  // namespace jc::pattern

// Declares the renderings of one rule family: X(variable, key, count, bytes) for each; the family
// file registers them with PATTERN_REGISTER.
#define PATTERN_WORD_VAR(var, key, count, bytes) const ::jc::RuleWord var(key);
#define PATTERN_WORD_SPEC(var, key, count, bytes) {key, count, bytes, bytes},
#define PATTERN_REGISTER(LIST)                                                                 \
  const ::jc::RenderingKeySpec kPatternKeys[] = {LIST(PATTERN_WORD_SPEC)};                     \
  const ::jc::RenderingKeyRegistrar kPatternRegistrar(                                         \
      kPatternKeys, static_cast<int>(sizeof kPatternKeys / sizeof kPatternKeys[0]));           \
  LIST(PATTERN_WORD_VAR)
