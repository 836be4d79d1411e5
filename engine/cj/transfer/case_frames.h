// Verb case frames from VerbCont.dat: a frame that fits an argument rewrites the verb's
// translation.
#pragma once
#include <vector>

#include "engine/cj/transfer/transfer_context.h"

namespace cj {

// 0 no frame fits (or the verb has none), 1 a frame fitted and was applied to candidates (when
// given), 2 a negative frame fitted, -1 VerbCont.dat missing (engineStatus 8) or an over-long
// condition.
int matchCaseFrame(CjTransferContext& c, int verb, int argument, std::vector<CjCandidate>* candidates);

}  // namespace cj
