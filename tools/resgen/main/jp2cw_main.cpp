// Writes JP2CW_TBL: jp2cw_tool <variant source> <output file> [<Unihan_Variants.txt>
// <Unihan_OtherMappings.txt> <japanese_forms.txt>]. With the Unihan files, kanji reach their
// Chinese counterparts through the variants too.
#include <cstdio>
#include <map>
#include <string>
#include <utility>

#include "tools/common/tool_arguments.h"
#include "tools/common/tool_files.h"
#include "tools/datagen/cvdata_tables.h"
#include "tools/resgen/jp2cw_table.h"
#include "tools/resgen/variant_tables.h"

int main(int argc, char** argv) {
  const char* usage = "<variant source> <output file> [<Unihan_Variants.txt> <Unihan_OtherMappings.txt> <japanese_forms.txt>]";
  if (!tools::argumentsFit(argc, argv, 2, 5, usage)) return tools::kUsageExit;
  if (argc != 3 && argc != 6) {
    tools::printUsage(argv, usage);
    return tools::kUsageExit;
  }
  std::string text;
  resgen::VariantSource variants;
  std::string error;
  if (!tools::readFile(argv[1], text) || !resgen::buildVariantTables(text, variants, error)) {
    std::fprintf(stderr, "jp2cw_tool: %s: %s\n", argv[1], error.c_str());
    return 1;
  }
  std::string unihanVariants, otherMappings, listed;
  std::map<char16_t, char16_t> forms;
  if (argc == 6) {
    for (const auto& [path, into] : {std::pair{argv[3], &unihanVariants}, {argv[4], &otherMappings}, {argv[5], &listed}}) {
      if (!tools::readFile(path, *into)) {
        std::fprintf(stderr, "jp2cw_tool: cannot read %s\n", path);
        return 1;
      }
    }
    forms = datagen::japaneseForms({unihanVariants, otherMappings, text, listed});
    resgen::addListedForms(listed, forms);
  }
  if (!tools::writeFile(argv[2], resgen::makeJp2CwTable(variants.pairs, forms, unihanVariants, otherMappings))) {
    std::fprintf(stderr, "jp2cw_tool: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
