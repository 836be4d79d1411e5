// The two link lists of a sentence: the parser's dependencies and the Chinese relations.
// Items are grouped by governor (groups in order of arrival); within a group they follow the
// dependents' order among their siblings. Each list ends in a sentinel whose `next` is null.
#pragma once
#include <string>
#include <string_view>

#include "engine/jc/core/jc_sentence.h"

namespace jc {

// Both return false (after "NO Memory in allocating agenda!") when the item cannot be allocated.
bool addDependencyLink(JcSentence* record, int governor, int dependent, std::string_view label, int flag);
bool addRelation(JcSentence* record, int governor, int dependent, std::string_view label);
// Removes the first item matching all three; false (outFlag untouched) when none.
bool removeDependencyLink(JcSentence* record, int governor, int dependent, std::string_view label, int* outFlag);

bool isLaterSibling(const JcSentence* record, int a, int b);
int governsNoRelation(const JcSentence* record, int i);

// Claims return the dependent (0 when none) and copy the item's label into outLabel.
int claimDependentByLabel(JcSentence* record, int governor, std::string_view label);
int claimNextDependent(JcSentence* record, int governor, std::string* outLabel);
void unclaimRelation(JcSentence* record, int dependent, int governor);
int findGovernorOf(const JcSentence* record, int dependent, std::string* outLabel);
int claimAdverbial(JcSentence* record, int governor, std::string* outLabel);
int claimAdverbialOrG(JcSentence* record, int governor, std::string* outLabel);
int claimOtherThan(JcSentence* record, std::string_view wanted, int governor, std::string* outLabel);

// Reads the next "+"-separated reference of target i's template from *position (updated):
// copies the referred target's relation into outLabel and returns its index; 0 at the end or
// when the target has no template.
int templateRefAt(const JcSentence* record, int i, int* position, std::string* outLabel);

}  // namespace jc
