// The table JP2CW_TBL (type "CVDATA"): the engine Chinese code of each Japanese double-byte
// character of the Shift-JIS rows 0x87-0x9F and 0xE0-0xEF, derived through code pages 932 and 936.
#pragma once
#include <string>
#include <vector>

#include "tools/resgen/engine_code_tables.h"

namespace resgen {

// A 6-byte header, then 41 rows of 414 bytes; the cell of trail t is ((t - 0x40) / 16) * 17 +
// (t - 0x40) % 16. A character without a GB2312 form (directly or through the traditional form
// of a pair) and an unused cell hold 0x81AC.
std::string makeJp2CwTable(const std::vector<VariantPair>& pairs);

}  // namespace resgen
