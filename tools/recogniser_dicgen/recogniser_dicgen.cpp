// Writes a recogniser dictionary from readable templates:
//   recogniser_dicgen TEMPLATES OUTPUT-FOLDER   (the file is named for the templates' type)
#include "input/recogniser/recog_dictionary.h"
#include "tools/common/tool_arguments.h"
#include "tools/common/tool_files.h"
#include "tools/recogniser_dicgen/template_features.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (!tools::argumentsFit(argc, argv, 2, 2, "TEMPLATES OUTPUT-FOLDER")) return tools::kUsageExit;
  std::string text;
  if (!tools::readFile(argv[1], text)) {
    std::fprintf(stderr, "%s: cannot read\n", argv[1]);
    return 1;
  }
  std::string file, error;
  int type = 0;
  if (!recog::dictionaryFromTemplates(text, file, type, &error)) {
    std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
    return 1;
  }
  std::string path = std::string(argv[2]) + "/" + recog::dictionaryFileName(type);
  if (!tools::writeFile(path, file)) {
    std::fprintf(stderr, "%s: cannot write\n", path.c_str());
    return 1;
  }
  return 0;
}
