// Renders the speech unit files with espeak-ng into a folder of the build tree.
#include "tools/datagen/speech_units_writer.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: speech_units <output folder>\n");
    return 2;
  }
  std::string error;
  if (!datagen::writeEspeakUnits(argv[1], &error)) {
    std::fprintf(stderr, "speech_units: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
