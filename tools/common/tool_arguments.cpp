#include "tools/common/tool_arguments.h"

#include <cstdio>

namespace tools {

void printUsage(char** argv, const char* usage) {
  std::fprintf(stderr, "usage: %s %s\n", argv && argv[0] ? argv[0] : "tool", usage);
}

bool argumentsFit(int argc, char** argv, int least, int most, const char* usage) {
  const int given = argc - 1;
  if (given >= least && (most < 0 || given <= most)) return true;
  printUsage(argv, usage);
  return false;
}

}  // namespace tools
