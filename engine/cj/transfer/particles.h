// Case particles: the particle after an argument of a verb, and "は" or "が" after a subject.
#pragma once
#include <string>

#include "engine/cj/transfer/transfer_context.h"

namespace cj {

// The node whose translation decides the particle of verb's arguments; 0 when none.
int predicateOf(CjTransferContext& c, int verb);
// The particle (possibly empty) to follow argument a of verb. May narrow the predicate's
// candidates and set form letters.
std::string particleForArgument(CjTransferContext& c, int a, int verb);
// "が", "は", "に" or empty for subject a of head h.
std::string subjectParticle(CjTransferContext& c, int a, int h);

}  // namespace cj
