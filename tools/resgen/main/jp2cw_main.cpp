// Writes JP2CW_TBL: jp2cw_tool <variant source> <output file>.
#include <cstdio>
#include <string>

#include "tools/common/tool_arguments.h"
#include "tools/common/tool_files.h"
#include "tools/resgen/jp2cw_table.h"
#include "tools/resgen/variant_tables.h"

int main(int argc, char** argv) {
  if (!tools::argumentsFit(argc, argv, 2, 2, "<variant source> <output file>")) return tools::kUsageExit;
  std::string text;
  resgen::VariantSource variants;
  std::string error;
  if (!tools::readFile(argv[1], text) || !resgen::buildVariantTables(text, variants, error)) {
    std::fprintf(stderr, "jp2cw_tool: %s: %s\n", argv[1], error.c_str());
    return 1;
  }
  if (!tools::writeFile(argv[2], resgen::makeJp2CwTable(variants.pairs))) {
    std::fprintf(stderr, "jp2cw_tool: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
