// Selects every known input method once and then the one current at the start, so that the
// platform creates each installed panel anew.
#pragma once
#include "platform/core/input_method.h"

#include <array>

namespace refresher {

inline constexpr int kRefreshCount = 7;

// The class ids in the order they are selected.
const std::array<plat::ClassId, kRefreshCount>& refreshOrder();

// Reads the current input method, selects the seven, selects the saved one. A selection that
// fails (not installed) is skipped. Returns the exit code, always 0.
int refreshInputMethods();

}  // namespace refresher
