// connect_tool <source folder> <output folder>: writes HINSI_TBL.bin, KATUYOU_TBL.bin,
// CON_TBL_PDA.bin and CON_MTR.bin from the readable sources.
#include <cstdio>
#include <exception>
#include <string>

#include "tools/common/tool_arguments.h"
#include "tools/common/tool_files.h"
#include "tools/resgen/connect/connect_tables.h"

int main(int argc, char** argv) {
  if (!tools::argumentsFit(argc, argv, 2, 2, "<source folder> <output folder>")) return tools::kUsageExit;
  std::string src = argv[1], out = argv[2];
  std::string hinsi, katuyou, classes;
  if (!tools::readFile(src + "/hinsi_tbl.txt", hinsi) || !tools::readFile(src + "/katuyou_tbl.txt", katuyou) ||
      !tools::readFile(src + "/connect_classes.txt", classes)) {
    std::fprintf(stderr, "connect_tool: cannot read the sources in %s\n", src.c_str());
    return 1;
  }
  std::string hinsiTbl, katuyouTbl, conTbl, conMtr, error;
  bool made = false;
  try {
    made = resgen::makeConnectText(hinsi, hinsiTbl, &error) && resgen::makeConnectText(katuyou, katuyouTbl, &error) &&
           resgen::makeConnectionTables(classes, katuyou, conTbl, conMtr, &error);
  } catch (const std::exception& e) {
    error = std::string("a number in the sources cannot be read (") + e.what() + ")";
  }
  if (!made) {
    std::fprintf(stderr, "connect_tool: %s\n", error.c_str());
    return 1;
  }
  if (!tools::writeFile(out + "/HINSI_TBL.bin", hinsiTbl) || !tools::writeFile(out + "/KATUYOU_TBL.bin", katuyouTbl) ||
      !tools::writeFile(out + "/CON_TBL_PDA.bin", conTbl) || !tools::writeFile(out + "/CON_MTR.bin", conMtr)) {
    std::fprintf(stderr, "connect_tool: cannot write to %s\n", out.c_str());
    return 1;
  }
  return 0;
}
