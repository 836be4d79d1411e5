// The last three steps of a Japanese-to-Chinese sentence: closing brackets pulled into their
// clause, the dependents of each governor put in Chinese order, and the walk that writes each
// node's slots and texts to `output` with the punctuation merged.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "engine/jc/core/jc_sentence.h"

namespace jc {

// Fixed words of the output, in engine code (rendering keys).
inline constexpr const char* kLinkingWordKey = "chineseOutput.linkingWord";      // after an attributive phrase
inline constexpr const char* kBareWordKey = "chineseOutput.bareWord";            // closes a bare ('l') phrase
inline constexpr const char* kSplitWordKey = "chineseOutput.splitWord";          // between the halves of "A/B"
inline constexpr const char* kAspectAWordKey = "chineseOutput.aspectAWord";      // aspectA 'B', after the head
inline constexpr const char* kAspectBWordKey = "chineseOutput.aspectBWord";      // aspectB 'B', slot 8
inline constexpr const char* kAspectCWordKey = "chineseOutput.aspectCWord";      // aspectB 'C', after the head
inline constexpr const char* kFlagSlot13WordKey = "chineseOutput.flagSlot13";    // flags bit 2
inline constexpr const char* kFlagSlot4WordKey = "chineseOutput.flagSlot4";      // flags bit 3
inline constexpr const char* kFlagSlot7WordKey = "chineseOutput.flagSlot7";      // flags bit 1
inline constexpr const char* kFlagSlot7TextKey = "chineseOutput.flagSlot7Text";  // flags bit 0, 6 bytes

// Marks of the engine code.
inline constexpr std::string_view kMarkComma = "\x81\x43";
inline constexpr std::string_view kMarkFullStop = "\x81\x42";
inline constexpr std::string_view kMarkPauseComma = "\x81\x41";
inline constexpr std::string_view kMarkQuestion = "\x81\x48";
inline constexpr std::string_view kMarkEllipsis = "\x81\x63";
inline constexpr std::string_view kMarkNoTranslation = "\x81\x9A\x81\x9A\x81\x9A";

// Frees the order list and the cursor stack and allocates their base items again; false when
// memory runs out (the record then has neither).
bool resetOrderWalk(JcSentence* record);

// Step 10. False when the order walk of a clause ran out of memory.
bool moveClosingBrackets(JcSentence* record);
// Step 11: orderRelations from `defaultRelationTarget`.
bool orderFromDefault(JcSentence* record);
// Puts start and the nodes it governs into the order list; false when a cursor or an order item
// could not be allocated, or the record has no base cursor.
bool orderRelations(JcSentence* record, int start);
// The next dependent of the governor on top of the cursor stack (0 when none is left); its
// relation label goes to outLabel.
int nextOrderLabel(JcSentence* record, std::string* outLabel);
bool appendOrderItem(JcSentence* record, int node);
void relinkOrderedSiblings(JcSentence* record);
void linkSiblings(JcSentence* record, int previous, int next);
int lastTopLevelTarget(const JcSentence* record);

// Step 12: every order item's subtree. False when a cursor could not be allocated.
bool emitSentence(JcSentence* record);
bool emitSubtree(JcSentence* record, int i);
void emitLeaf(JcSentence* record, int i);
void emitSlots(JcSentence* record, int i);
void emitInnerTail(JcSentence* record, int i);
void flushPending(JcSentence* record, int i);
void applyMarkerFlags(JcSentence* record, int i);
void markBareWord(JcSentence* record, int i);

bool isVerbCode(std::string_view code);
bool isVerbTemplate(const JcSentence* record, int i);
bool hasTemplate(const JcSentence* record, int i);
// Position of the single-byte ch in mixed single / double-byte text; npos when none.
std::size_t findSingleByte(std::string_view text, char ch);

}  // namespace jc
