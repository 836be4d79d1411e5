// Writes the conversion tables GB-UNI, UNI-GB, B5-UNI and CW2JP_TBL:
//   cvdata_tool <output folder> [Unihan_Variants.txt Unihan_OtherMappings.txt chinese_variants.txt
//                                japanese_forms.txt]
// With the four sources, simplified characters outside code page 932 get their Japanese forms.
#include "tools/datagen/cvdata_tables.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

bool writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(f);
}

bool readFile(const char* path, std::string& text) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  text = s.str();
  return static_cast<bool>(f);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 6) {
    std::fprintf(stderr, "usage: cvdata_tool <output folder> [variants other-mappings chinese-variants japanese-forms]\n");
    return 2;
  }
  std::map<char16_t, char16_t> forms;
  if (argc == 6) {
    std::string text[4];
    for (int i = 0; i < 4; ++i) {
      if (!readFile(argv[2 + i], text[i])) {
        std::fprintf(stderr, "cvdata_tool: cannot read %s\n", argv[2 + i]);
        return 1;
      }
    }
    forms = datagen::japaneseForms({text[0], text[1], text[2], text[3]});
  }
  const std::string out = std::string(argv[1]) + "/";
  bool ok = writeFile(out + "GB-UNI.bin", datagen::makeGbUniTable()) &&
            writeFile(out + "UNI-GB.bin", datagen::makeUniGbTable()) &&
            writeFile(out + "CW2JP_TBL.bin", datagen::makeCwToJpTable(argc == 6 ? &forms : nullptr)) &&
            writeFile(out + "B5-UNI.bin", datagen::makeB5UniTable());
  if (!ok) std::fprintf(stderr, "cvdata_tool: cannot write to %s\n", argv[1]);
  return ok ? 0 : 1;
}
