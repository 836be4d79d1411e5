// Writes the speech readings of every GB2312 hanzi from Unihan's text files, and with a fifth
// argument the readings of every ideograph of the character reading file:
//   speech_unihan READINGS DICTIONARY-LIKE NUMERIC-VALUES OUT [CHARACTER-READINGS]
#include "tools/datagen/hanzi_unihan.h"
#include "tools/datagen/speech_unihan.h"

#include <cstdio>
#include <string>

#include "tools/common/tool_arguments.h"
#include "tools/common/tool_files.h"

int main(int argc, char** argv) {
  if (!tools::argumentsFit(argc, argv, 4, 5, "READINGS DICTIONARY-LIKE NUMERIC-VALUES OUT [CHARACTER-READINGS]"))
    return tools::kUsageExit;
  std::string texts[3];
  for (int i = 0; i < 3; ++i) {
    if (!tools::readFile(argv[i + 1], texts[i]) || texts[i].empty()) {
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
  if (!tools::writeFile(argv[4], "# Readings of every GB2312 hanzi, generated from Unihan.\n" + table)) {
    std::fprintf(stderr, "%s: cannot write\n", argv[4]);
    return 1;
  }
  if (missing) std::fprintf(stderr, "speech_unihan: %d hanzi without a reading\n", missing);
  if (argc == 6) {
    const std::string characters = datagen::unihanCharacterReadings(texts[0]);
    if (characters.empty() ||
        !tools::writeFile(argv[5], "# Readings of the ideographs, most frequent first, generated from Unihan.\n" + characters)) {
      std::fprintf(stderr, "%s: cannot write the character readings\n", argv[5]);
      return 1;
    }
  }
  return 0;
}
