#include "engine/common/engine_code_tables.h"

namespace dbcs {

const EngineCodeTables& engineCodeTables() {
  static const EngineCodeTables tables = deriveEngineCodeTables();
  return tables;
}

}  // namespace dbcs
