// Writes the full card's viewer dictionaries: their readable sources (cj.txt, jc.txt) and the
// dictionary files under HarbrookDic/.
//   viewer_dictionary_full SAMPLE-FOLDER FULLCARD-SOURCE IPADIC-CSV CEDICT EDICT WORD-LIST OUT-FOLDER
// EDICT (UTF-8) "-" for none: without it only the translator's pairs are entries.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/common/tool_arguments.h"
#include "tools/common/tool_files.h"
#include "tools/datagen/viewer_dictionary_full.h"
#include "tools/datagen/viewer_dictionary_source.h"
#include "tools/datagen/viewer_dictionary_writer.h"

int main(int argc, char** argv) {
  if (!tools::argumentsFit(argc, argv, 7, 7,
                           "SAMPLE-FOLDER FULLCARD-SOURCE IPADIC-CSV CEDICT EDICT WORD-LIST OUT-FOLDER"))
    return tools::kUsageExit;
  const std::string sample = argv[1], full = argv[2], edictPath = argv[5], out = argv[7];
  std::string sampleCj, sampleJc, words, lexicon, ipadic, cedict, edict, wordList;
  if (!tools::readFile(sample + "/viewer/cj.txt", sampleCj) || !tools::readFile(sample + "/viewer/jc.txt", sampleJc) ||
      !tools::readFile(full + "/cj/words.txt", words) || !tools::readFile(full + "/jc/lexicon.txt", lexicon) ||
      !tools::readFile(argv[3], ipadic)) {
    std::fprintf(stderr, "a source cannot be read\n");
    return 1;
  }
  if (!tools::readFile(argv[4], cedict)) std::fprintf(stderr, "%s: cannot read; pinyin from the word list only\n", argv[4]);
  if (edictPath != "-" && (!tools::readFile(edictPath, edict) || !tools::readFile(argv[6], wordList))) {
    std::fprintf(stderr, "%s or %s: cannot read\n", edictPath.c_str(), argv[6]);
    return 1;
  }
  const datagen::ViewerFullSources src =
      datagen::viewerFullSources({sampleCj, sampleJc, words, lexicon, ipadic, cedict, edict, wordList});
  if (!tools::writeFile(out + "/cj.txt", src.cj) || !tools::writeFile(out + "/jc.txt", src.jc)) {
    std::fprintf(stderr, "%s: cannot write\n", out.c_str());
    return 1;
  }
  const char* files[2][2] = {{"JCDIC", "JcsDicV6"}, {"CJDIC", "CjsDicV6"}};
  for (int direction = 0; direction < 2; ++direction) {
    std::vector<datagen::ViewerRecord> records;
    std::string error;
    if (!datagen::parseViewerSource(direction, direction ? src.cj : src.jc, records, error)) {
      std::fprintf(stderr, "%s: %s\n", direction ? "cj.txt" : "jc.txt", error.c_str());
      return 1;
    }
    const datagen::ViewerDictionary dict = datagen::writeViewerDictionary(direction, records);
    const std::string folder = out + "/HarbrookDic/" + files[direction][0];
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::string base = folder + "/" + files[direction][1];
    if (dict.data.empty() || !tools::writeFile(base + ".dic", dict.data) || !tools::writeFile(base + ".ind", dict.index)) {
      std::fprintf(stderr, "%s: cannot write\n", base.c_str());
      return 1;
    }
    std::printf("viewer dictionary %s: %zu entries (%d generated)\n", files[direction][1], records.size(),
                direction ? src.cjGenerated : src.jcGenerated);
  }
  return 0;
}
