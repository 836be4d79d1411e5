// Static tables of the GB2312 / engine-code conversion.
#pragma once
#include "engine/common/engine_code_placement.h"

namespace dbcs {

// Built once from code pages 936 and 932 on first use.
const EngineCodeTables& engineCodeTables();

}  // namespace dbcs
