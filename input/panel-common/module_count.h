// The library's module object count: factories, panel objects and server locks alive.
#pragma once
#include <cstdint>

namespace panel {

void moduleLock();
void moduleUnlock();
std::int32_t moduleCount();

}  // namespace panel
