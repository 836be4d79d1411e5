// Writes the speech readings of every GB2312 hanzi from Unihan's text files:
//   speech_unihan READINGS DICTIONARY-LIKE NUMERIC-VALUES OUT
#include "tools/datagen/speech_unihan.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

bool readFile(const char* path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  out = s.str();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s READINGS DICTIONARY-LIKE NUMERIC-VALUES OUT\n", argv[0]);
    return 2;
  }
  std::string texts[3];
  for (int i = 0; i < 3; ++i) {
    if (!readFile(argv[i + 1], texts[i]) || texts[i].empty()) {
      std::fprintf(stderr, "%s: cannot read\n", argv[i + 1]);
      return 1;
    }
  }
  int missing = 0;
  std::string table = datagen::unihanSpeechSource({texts[0], texts[1], texts[2]}, &missing);
  if (table.empty()) {
    std::fprintf(stderr, "no readings found\n");
    return 1;
  }
  std::ofstream out(argv[4], std::ios::binary);
  out << "# Readings of every GB2312 hanzi, generated from Unihan.\n" << table;
  if (!out) {
    std::fprintf(stderr, "%s: cannot write\n", argv[4]);
    return 1;
  }
  if (missing) std::fprintf(stderr, "speech_unihan: %d hanzi without a reading\n", missing);
  return 0;
}
