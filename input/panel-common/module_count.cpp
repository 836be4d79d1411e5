#include "input/panel-common/module_count.h"

namespace panel {

namespace {
std::int32_t gModuleCount = 0;
}

void moduleLock() { ++gModuleCount; }
void moduleUnlock() { --gModuleCount; }
std::int32_t moduleCount() { return gModuleCount; }

}  // namespace panel
