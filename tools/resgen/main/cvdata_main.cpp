// Writes the conversion tables GB-UNI, UNI-GB, B5-UNI and CW2JP_TBL: cvdata_tool <output folder>.
#include "tools/datagen/cvdata_tables.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

bool writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(f);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: cvdata_tool <output folder>\n");
    return 2;
  }
  const std::string out = std::string(argv[1]) + "/";
  bool ok = writeFile(out + "GB-UNI.bin", datagen::makeGbUniTable()) &&
            writeFile(out + "UNI-GB.bin", datagen::makeUniGbTable()) &&
            writeFile(out + "CW2JP_TBL.bin", datagen::makeCwToJpTable()) &&
            writeFile(out + "B5-UNI.bin", datagen::makeB5UniTable());
  if (!ok) std::fprintf(stderr, "cvdata_tool: cannot write to %s\n", argv[1]);
  return ok ? 0 : 1;
}
