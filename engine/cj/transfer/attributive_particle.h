// The particle that links a noun to the next noun, and the clause-top role test.
#pragma once
#include "engine/cj/transfer/transfer_context.h"

namespace cj {

// Sets att of target node i to link it to the next noun: "と" between two names, "の" unless a
// noun linking test joins them directly.
void chooseAttributiveParticle(CjTransferContext& c, int i);
// The clause on top of node i has an argument and a governor.
bool isGovernedClauseTop(CjTransferContext& c, int i);

}  // namespace cj
