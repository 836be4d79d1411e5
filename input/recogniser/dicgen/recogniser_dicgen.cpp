// Writes a recogniser dictionary from readable templates:
//   recogniser_dicgen TEMPLATES OUTPUT-FOLDER   (the file is named for the templates' type)
#include "input/recogniser/dicgen/template_features.h"
#include "input/recogniser/recog_dictionary.h"

#include <cstdio>
#include <fstream>
#include <sstream>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s TEMPLATES OUTPUT-FOLDER\n", argv[0]);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  if (!in) {
    std::fprintf(stderr, "%s: cannot read\n", argv[1]);
    return 1;
  }
  std::string file, error;
  int type = 0;
  if (!recog::dictionaryFromTemplates(text.str(), file, type, &error)) {
    std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
    return 1;
  }
  std::string path = std::string(argv[2]) + "/" + recog::dictionaryFileName(type);
  std::ofstream out(path, std::ios::binary);
  out.write(file.data(), static_cast<std::streamsize>(file.size()));
  if (!out) {
    std::fprintf(stderr, "%s: cannot write\n", path.c_str());
    return 1;
  }
  return 0;
}
