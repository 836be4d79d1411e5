// What every Japanese-to-Chinese rule family shares: its renderings resolved once per table load,
// the slot writes with their source index, the slot writer with the override counter, and the
// consumption of words.
//
// Conventions:
// - A target index outside 1..lastTarget (node 0 included) names no node: writes to it are
//   ignored and reads answer empty.
// - Every write and append is bounded by its field and cut at a whole character.
// - Rules consume only the words 1..lastMorpheme of their own sentence.
#pragma once
#include <source_location>
#include <string>
#include <string_view>

#include "engine/jc/core/jc_sentence.h"
#include "engine/jc/core/jc_slot.h"
#include "engine/jc/core/rendering_table.h"

namespace jc {

// One rendering key of a rule family; the word is looked up again only after the table changed.
class RuleWord {
 public:
  constexpr explicit RuleWord(const char* key) : key_(key) {}
  const char* key() const { return key_; }
  // The key's first word in engine code; empty when the table does not hold it.
  const std::string& text() const;
  operator std::string_view() const { return text(); }

 private:
  const char* key_;
  mutable const std::string* word_ = nullptr;
  mutable unsigned generation_ = 0;
};

// Target i, or null when i names no node.
JcTargetNode* ruleTarget(JcSentence* s, int i);
const JcTargetNode* ruleTarget(const JcSentence* s, int i);

// Records which word filled a slot of target i (slots without an entry keep nothing); a source
// outside 1..lastNode is recorded as 0.
void setSlotSource(JcSentence* s, int i, Slot slot, int source);

inline constexpr int kNoSource = -1;
// Copies text into a slot of target i, replacing it; records the source unless it is kNoSource.
void setSlot(JcSentence* s, int i, Slot slot, std::string_view text, int source = kNoSource);
// Appends text to a slot of target i; records the source unless it is kNoSource.
void appendSlot(JcSentence* s, int i, Slot slot, std::string_view text, int source = kNoSource);

// The slot writer: while the sentence's override counter is above 0 it writes the override word
// instead of text and counts down (also when i names no node). Records no source.
inline constexpr const char* kOverrideWordKey = "writeTargetSlot.overrideWord";
void writeTargetSlot(JcSentence* s, int i, Slot slot, std::string_view text);

// Clears the live flag of word i; nothing outside 1..lastMorpheme. The retire watch is told.
void consumeWord(JcSentence* s, int i, const std::source_location& where = std::source_location::current());
void setKind(JcSentence* s, int i, char kind);
// The word's own rendering (Slot::kOwnRendering) of target i.
void setOwnRendering(JcSentence* s, int i, std::string_view text);

// The first candidate of target i; null when it has none.
JcCandidate* firstCandidate(JcSentence* s, int i);
const JcCandidate* firstCandidate(const JcSentence* s, int i);
// The first candidate's Chinese; empty when there is none.
std::string_view firstChinese(const JcSentence* s, int i);

// Position of needle in text where it starts at a character boundary; npos when none.
std::size_t findAtCharacter(std::string_view text, std::string_view needle);

// True when the semantic codes of node i begin with 120-124, or their first "/12" is followed by
// 0-4: the word names a person.
bool hasPersonCode(const JcSentence* s, int i);

// True when word i is a verb of going or coming (行く, 来る, 帰る, 出かける, 戻る) by its base form:
// a verb's continuative with に before it is its purpose.
bool isVerbOfGoing(const JcSentence* s, int i);

}  // namespace jc
