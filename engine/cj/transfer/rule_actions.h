// The grammar's rule actions: the action text of a phrase's rule, its interpreter (keyword
// actions and element lists of items), the built-in actions of rules 9888 and 9890-9892, and the
// reporting-verb check.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/cj/transfer/transfer_context.h"
#include "engine/common/word_table.h"

namespace cj {

// Word-table keys of the listed words.
inline constinit ListedKey kHyxLastWord{"ruleActions.hyxLastWord"};  // "法" after a noun
inline constinit ListedKey kFgNegativeWords{"ruleActions.fgNegativeWords"};
inline constinit ListedKey kNominalKeepWords{"ruleActions.nominalKeepWords"};  // rule 9888
inline constinit ListedKey kSerialWordA{"ruleActions.W1"};
inline constinit ListedKey kSerialWordF{"ruleActions.W2"};
inline constinit ListedKey kSerialLastA{"ruleActions.W3"};
inline constinit ListedKey kSerialLastF{"ruleActions.W4"};
inline constinit ListedKey kSerialFollower{"ruleActions.W5"};
inline constinit ListedKey kReportingVerbs{"ruleActions.reportingVerbs"};
inline constinit ListedKey kReportedMark{"ruleActions.reportedMark"};  // sentence type after a reporting verb

inline constexpr std::size_t kActionTextSize = 134;

// The action text of a rule of the group named by category and subtype; empty outside the groups.
void fetchRuleAction(CjTransferContext& c, std::string_view category, char subtype, int ruleNumber, std::string& out);
void runRuleAction(CjTransferContext& c, int phrase, std::string_view actionText);
void runSpecialRule(CjTransferContext& c, int phrase);
void checkReportingVerb(CjTransferContext& c, int flag);
// A statement governed by gov whose head is a listed reporting verb without an object, with
// punctuation at node after: the clause is held behind the quotation that follows (true).
bool holdReportingClause(CjTransferContext& c, int gov, int after);

// The items "BTT" and "TONARU()" on a node, as the interpreter applies them.
void applyBttItem(CjTransferContext& c, int n, std::string_view value);
void applyTonaruItem(CjTransferContext& c, int n, std::string_view value);
// One item of an element on node n; unknown names are ignored.
void applyActionItem(CjTransferContext& c, int n, std::string_view name, std::string_view value);

}  // namespace cj
