// Writes JP2CW_TBL: jp2cw_tool <variant source> <output file>.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "tools/resgen/jp2cw_table.h"
#include "tools/resgen/variant_tables.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: jp2cw_tool <variant source> <output file>\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  resgen::VariantSource variants;
  std::string error;
  if (!in || !resgen::buildVariantTables(text.str(), variants, error)) {
    std::fprintf(stderr, "jp2cw_tool: %s: %s\n", argv[1], error.c_str());
    return 1;
  }
  std::string table = resgen::makeJp2CwTable(variants.pairs);
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out.write(table.data(), static_cast<std::streamsize>(table.size()));
  if (!out) {
    std::fprintf(stderr, "jp2cw_tool: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
