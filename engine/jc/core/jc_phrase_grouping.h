// The regrouping of a sentence record read from the parse text: modifiers, と-coordinations and
// time nouns grouped with their heads, the head morpheme of every phrase, and new group nodes.
#pragma once
#include <string>
#include <string_view>

#include "engine/jc/core/jc_sentence.h"

namespace jc {

// Link edits the parse-text reader makes too.
// Removes the first dependency item (governor, dependent) whatever its label; false when none.
bool removeDependencyOf(JcSentence* record, int governor, int dependent, std::string* label, int* flag);
// Moves the first dependency item (governor, dependent) to (newGovernor, newDependent), keeping
// its carried flag and, unless newLabel is given, its label.
void moveDependency(JcSentence* record, int governor, int dependent, int newGovernor, int newDependent,
                    const char* newLabel = nullptr);
// The head of a label of the node (nothing for a label without a head slot).
void setLabelHead(JcNode& node, std::string_view label, int head);

// Modifier phrases grouped with the noun phrase they stand before.
void groupModifiers(JcSentence* record);
// Groups phrases with a following noun they are coordinated with by と ("D21" with "TO5"); start 0
// walks all phrases, start > 0 begins there and, with mode 1, also groups the target nodes.
void reattachToPhrase(JcSentence* record, int start, int mode);
// Time nouns grouped with the phrase they stand in.
void groupTimes(JcSentence* record);
// The head morpheme of every phrase.
void assignHeads(JcSentence* record);

// Groups the sibling run a..b under a new node; its index, or 0.
int builtnewnode(JcSentence* record, int a, int b);
// The same on the target side; the new target index, or 0.
int builtnewnodeCHN(JcSentence* record, int a, int b);

}  // namespace jc
