#include "engine/common/engine_code_tables.h"

namespace cj {

const EngineCodeTables& engineCodeTables() {
  static const EngineCodeTables tables = deriveEngineCodeTables();
  return tables;
}

}  // namespace cj
