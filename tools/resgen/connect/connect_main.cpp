// connect_tool <source folder> <output folder>: writes HINSI_TBL.bin, KATUYOU_TBL.bin,
// CON_TBL_PDA.bin and CON_MTR.bin from the readable sources.
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>

#include "tools/resgen/connect/connect_tables.h"

namespace {

bool readFile(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

bool writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: connect_tool <source folder> <output folder>\n");
    return 2;
  }
  std::string src = argv[1], out = argv[2];
  std::string hinsi, katuyou, classes;
  if (!readFile(src + "/hinsi_tbl.txt", hinsi) || !readFile(src + "/katuyou_tbl.txt", katuyou) ||
      !readFile(src + "/connect_classes.txt", classes)) {
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
  if (!writeFile(out + "/HINSI_TBL.bin", hinsiTbl) || !writeFile(out + "/KATUYOU_TBL.bin", katuyouTbl) ||
      !writeFile(out + "/CON_TBL_PDA.bin", conTbl) || !writeFile(out + "/CON_MTR.bin", conMtr)) {
    std::fprintf(stderr, "connect_tool: cannot write to %s\n", out.c_str());
    return 1;
  }
  return 0;
}
