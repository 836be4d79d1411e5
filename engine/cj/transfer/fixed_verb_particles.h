// The particle of an argument whose verb already has a fixed Japanese text.
#pragma once
#include <string>

#include "engine/cj/transfer/transfer_context.h"

namespace cj {

std::string particleForFixedVerb(CjTransferContext& c, int argument, int verb);

}  // namespace cj
