// Structural transfer of one sentence: every node goes to the rule family that fits it, the
// governor's clause is put in Japanese order, then the clause, role, copula and dependent passes.
#pragma once
#include <string_view>

#include "engine/cj/transfer/transfer_context.h"
#include "engine/common/word_table.h"

namespace cj {

// Word-table keys of the word-node rules.
inline constinit ListedKey kHandOverWord{"structuralTransfer.handOverWord"};          // one char
inline constinit ListedKey kHandOverFollower{"structuralTransfer.handOverFollower"};  // one char
inline constinit ListedKey kPastMarkWord{"structuralTransfer.pastMarkWord"};          // one char
inline constinit ListedKey kEvenAlsoWord{"structuralTransfer.evenAlsoWord"};          // two chars

void transferStructure(CjTransferContext& c);
// Dispatches nodes 1 to nodeCount; nodes that rules append are visited too.
void transferPhrase(CjTransferContext& c);
// The governor walk, the new top-level chain and the reporting-verb check (flag 1: clause pass).
void handleGovernor(CjTransferContext& c, int flag);
// Builds orderList: every head after its dependents, in Japanese order.
void orderGovernorClause(CjTransferContext& c, int start, std::string_view label);
bool hasNoRoleDependents(CjTransferContext& c, int n);
void appendClauseItem(CjTransferContext& c, int n, std::string_view label);
// The nodes of orderList, in list order, become the top-level chain.
void rebuildTopChain(CjTransferContext& c);
// Object, complement and adverbial patterns over the role links.
void generateDependentCases(CjTransferContext& c);

}  // namespace cj
