// Entry points of the transfer that rule families outside this folder's current files provide:
// role-link queries, noun and entity tests, numeral and classifier rendering, the adverbial
// generation. Until a family is built its entry point answers "not handled" (0, or no change).
#pragma once
#include <string_view>

#include "engine/cj/transfer/transfer_context.h"

namespace cj {

// Answer of an entry point whose family is not built.
inline constexpr int kNotHandled = 0;

// Role-link queries: the dependent of head under a role, the governor of a dependent; 0 = none.
int findObj1(CjTransferContext& c, int head);
int findSub(CjTransferContext& c, int head);
int findTop(CjTransferContext& c, int head);
int findAdvf(CjTransferContext& c, int head);
int findComp(CjTransferContext& c, int head);
int findPivt(CjTransferContext& c, int head);
int findAdvn(CjTransferContext& c, int head);
int findGovernor(CjTransferContext& c, int node);

// 1 animate, 2 or 3 inanimate; kNotHandled when unknown.
int animacyClass(CjTransferContext& c, int node);
// Renders a classifier placeholder; no change when not handled.
void renderClassifierPlaceholder(CjTransferContext& c, int numeral, int classifier, int target);
// Arabic-numeral translation of a numeral word; 1 when it gave one.
int convertToArabic(CjTransferContext& c, int node);
// Fixed translations of pronoun-like words; 1 when it gave one.
int translateDeterminer(CjTransferContext& c, int node);
int isPersonName(CjTransferContext& c, int node);
// Adverbial form of node under its governor.
void generateAdverbial(CjTransferContext& c, int node, int governor);

// Noun linking tests: two neighbouring nouns joined without "の" or with "と".
int isNamePair(CjTransferContext& c, int i);
int isNounBeforeVerb(CjTransferContext& c, int i);
int isCountedObject(CjTransferContext& c, int i);
int isNameCompound(CjTransferContext& c, int i);
int isPlacePersonPair(CjTransferContext& c, int i);
int isCompoundNoun(CjTransferContext& c, int i);
int nextHasFrameSeven(CjTransferContext& c, int i);
int isSemanticPair(CjTransferContext& c, int i);

}  // namespace cj
