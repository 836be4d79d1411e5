// Writes the conversion tables GB-UNI, UNI-GB, B5-UNI and CW2JP_TBL:
//   cvdata_tool <output folder> [Unihan_Variants.txt Unihan_OtherMappings.txt chinese_variants.txt
//                                japanese_forms.txt]
// With the four sources, simplified characters outside code page 932 get their Japanese forms.
#include "tools/common/tool_arguments.h"
#include "tools/common/tool_files.h"
#include "tools/datagen/cvdata_tables.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc != 2 && argc != 6) {
    tools::printUsage(argv, "<output folder> [variants other-mappings chinese-variants japanese-forms]");
    return tools::kUsageExit;
  }
  std::map<char16_t, char16_t> forms;
  if (argc == 6) {
    std::string text[4];
    for (int i = 0; i < 4; ++i) {
      if (!tools::readFile(argv[2 + i], text[i])) {
        std::fprintf(stderr, "cvdata_tool: cannot read %s\n", argv[2 + i]);
        return 1;
      }
    }
    forms = datagen::japaneseForms({text[0], text[1], text[2], text[3]});
  }
  const std::string out = std::string(argv[1]) + "/";
  bool ok = tools::writeFile(out + "GB-UNI.bin", datagen::makeGbUniTable()) &&
            tools::writeFile(out + "UNI-GB.bin", datagen::makeUniGbTable()) &&
            tools::writeFile(out + "CW2JP_TBL.bin", datagen::makeCwToJpTable(argc == 6 ? &forms : nullptr)) &&
            tools::writeFile(out + "B5-UNI.bin", datagen::makeB5UniTable());
  if (!ok) std::fprintf(stderr, "cvdata_tool: cannot write to %s\n", argv[1]);
  return ok ? 0 : 1;
}
