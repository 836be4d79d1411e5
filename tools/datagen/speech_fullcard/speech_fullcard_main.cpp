// Writes the full card's speech tables: the sample card's speech source over the generated hanzi
// readings, grown with the words of CC-CEDICT whose readings differ from their characters' defaults.
//   speech_fullcard SAMPLE-TABLES CEDICT WORD-FREQUENCIES OUT-FOLDER
#include <cstdio>
#include <string>

#include "tools/common/tool_arguments.h"
#include "tools/common/tool_files.h"
#include "tools/datagen/speech_cedict.h"
#include "tools/datagen/speech_tables_writer.h"
#include "tools/datagen/speech_units_writer.h"

int main(int argc, char** argv) {
  if (!tools::argumentsFit(argc, argv, 4, 4, "SAMPLE-TABLES CEDICT WORD-FREQUENCIES OUT-FOLDER"))
    return tools::kUsageExit;
  std::string hanzi, sample, cedict, frequencies, error;
  if (!datagen::speechHanziTable(hanzi)) {
    std::fprintf(stderr, "the generated readings of the hanzi are missing\n");
    return 1;
  }
  if (!tools::readFile(argv[1], sample) || !tools::readFile(argv[2], cedict) || cedict.empty()) {
    std::fprintf(stderr, "%s or %s: cannot read\n", argv[1], argv[2]);
    return 1;
  }
  if (!tools::readFile(argv[3], frequencies)) std::fprintf(stderr, "%s: cannot read; no word frequencies\n", argv[3]);
  datagen::SpeechSource src;
  if (!datagen::parseSpeechSource(hanzi, src, &error) || !datagen::parseSpeechSource(sample, src, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  const datagen::SpeechGrowth g = datagen::growSpeechSource(src, cedict, frequencies);
  if (!datagen::writeSpeechTables(std::string(argv[4]) + "/", src)) {
    std::fprintf(stderr, "%s: the tables cannot be written\n", argv[4]);
    return 1;
  }
  std::printf(
      "speech tables of the full card: %zu words, %zu polyphone words (%d words and %d polyphone words from "
      "CC-CEDICT; %d readings added, %d new polyphones; left out: %d ambiguous, %d for room)\n",
      src.words.size(), src.polyWords.size(), g.words, g.polyWords, g.addedReadings, g.newPolyphones, g.ambiguous,
      g.full);
  return 0;
}
