// Noun linking tests: two neighbouring Chinese nouns that Japanese joins without "の" (names,
// titles, compounds) or with "と" (two person names).
#pragma once
#include <string_view>

#include "engine/cj/transfer/transfer_context.h"

namespace cj {

// 1 when node's code (its jcat when it has a text, else its first candidate's) equals code.
int hasCode(CjTransferContext& c, int node, std::string_view code);

int isNamePair(CjTransferContext& c, int i);
int isNameCompound(CjTransferContext& c, int i);
int isPlacePersonPair(CjTransferContext& c, int i);
int isCompoundNoun(CjTransferContext& c, int i);
int nextHasFrameSeven(CjTransferContext& c, int i);
// May drop the node two places on (a counted object's trailing word).
int isCountedObject(CjTransferContext& c, int i);
int isNounBeforeVerb(CjTransferContext& c, int i);
int isSemanticPair(CjTransferContext& c, int i);

}  // namespace cj
