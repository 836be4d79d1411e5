// Writes the pinyin panel's six candidate tables from Unihan:
//   pinyin_tablegen <folder of Unihan_*.txt.bz2> <output folder>
#include <cstdio>
#include <string>

#include "input/pinyin/candidate_tables.h"
#include "tools/common/tool_arguments.h"
#include "tools/common/tool_files.h"
#include "tools/pinyin_tablegen/candidate_builder.h"

int main(int argc, char** argv) {
  using namespace pinyin;
  if (!tools::argumentsFit(argc, argv, 2, 2, "<Unihan folder> <output folder>")) return tools::kUsageExit;
  const std::string in = argv[1], out = argv[2];
  tablegen::HanziTable table;
  for (const char* name : {"Unihan_Readings.txt.bz2", "Unihan_DictionaryLikeData.txt.bz2", "Unihan_OtherMappings.txt.bz2"}) {
    auto text = tablegen::readBzip2File(in + "/" + name);
    if (!text) {
      std::fprintf(stderr, "pinyin_tablegen: cannot read %s/%s (Debian package unicode-data)\n", in.c_str(), name);
      return 1;
    }
    tablegen::readUnihanLines(*text, table);
  }
  const struct {
    bool traditional;
    unsigned records, pinyin, zhuyin;
  } sets[] = {{false, kTextRecordsSimplified, kTextIndexPinyinSimplified, kTextIndexZhuyinSimplified},
              {true, kTextRecordsTraditional, kTextIndexPinyinTraditional, kTextIndexZhuyinTraditional}};
  for (const auto& s : sets) {
    tablegen::CandidateSet set = tablegen::buildCandidateSet(table, s.traditional);
    auto records = datagen::writePinyinRecords(set.records, s.traditional);
    if (!records || set.records.size() > 0xFFFF) {
      std::fprintf(stderr, "pinyin_tablegen: the records do not fit the table format\n");
      return 1;
    }
    auto path = [&](unsigned id) { return out + "/TEXT_" + std::to_string(id) + ".bin"; };
    if (!tools::writeFile(path(s.records), *records) || !tools::writeFile(path(s.pinyin), datagen::writePinyinIndex(set.pinyinIndex)) ||
        !tools::writeFile(path(s.zhuyin), datagen::writePinyinIndex(set.zhuyinIndex))) {
      std::fprintf(stderr, "pinyin_tablegen: cannot write to %s\n", out.c_str());
      return 1;
    }
    std::string dropped;
    for (const std::string& d : set.droppedSpellings) dropped += " " + d;
    std::printf("pinyin_tablegen: %s: %d characters, %zu records, %d without a keyable reading; readings left out:%s\n",
                s.traditional ? "traditional" : "simplified", set.characters, set.records.size(), set.unreadCharacters,
                dropped.c_str());
  }
  return 0;
}
