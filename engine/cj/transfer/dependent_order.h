// Japanese word order: the dependents of the head on top of the frame stack, one at a time, in
// the order of one of five tables, with the pivot and causative rewrites some rows carry.
#pragma once
#include <string>
#include <string_view>

#include "engine/cj/transfer/transfer_context.h"

namespace cj {

// The next dependent of the top frame's head, its role label in out; 0 and an empty label when
// the head has none left in its table.
int nextDependentInOrder(CjTransferContext& c, std::string& out);
int nextDependentPlain(CjTransferContext& c, std::string& out);
int nextDependentPivotSubject(CjTransferContext& c, std::string& out);
int nextDependentRequest(CjTransferContext& c, std::string& out);
int nextDependentCausative(CjTransferContext& c, std::string& out);
int nextDependentDirective(CjTransferContext& c, std::string& out);

// Puts particle p after node n, replacing a placed "を", "に" or "が"; closes its case.
void setCaseParticle(CjTransferContext& c, int n, std::string_view p);

// Frees every frame below the top one.
void cutFrameStack(CjTransferContext& c);

}  // namespace cj
