#include "tools/datagen/cj_data_folder.h"

#include "tools/datagen/cj_data_files.h"
#include "tools/datagen/cj_grammar_writer.h"
#include "tools/datagen/cj_scramble.h"
#include "tools/datagen/hanzi_reading_writer.h"
#include "tools/datagen/word_table_writer.h"
#include "platform/core/device.h"
#include "platform/core/files.h"

namespace datagen {

std::string cjDataFolder(std::string_view card) {
  return std::string(card) + "\\Talvenro\\Chinese\\LindqvarDic\\CJSYSTEMDIC\\";
}

CjDataFiles minimalCjDataFiles(std::string_view wordTableText) {
  CjDataFiles files;
  // A word-end node: code 0, flags 3, value 0.
  std::string node("\0\0\x03\0\0\0\0\0", 8);
  for (const char* trie : {"fmemdic.dat", "zmemdic.dat", "fmemdicp.dat", "zmemdicp.dat"}) files[trie] = node;
  // The first hanzi (engine code 0x889F) as a word by itself, through the one word-end node.
  for (const char* idx : {"zfc.idx", "ffc.idx", "zfcp.idx", "ffcp.idx"}) files[idx] = cjIndexFile({{0x889F, 1, 0}});
  // Each dictionary one empty line, scrambled as its kind; a reading table without readings.
  files["cwcdic.dic"] = scrambleAt(CjScrambleKey::DicEntry, "\r\n", 0);
  files["cwcdicp.dic"] = files["cwcdic.dic"];
  files["cwcjdic.dic"] = scrambleAt(CjScrambleKey::CjDicLine, "\r\n", 0);
  files["pinyindic\\hanzi.dat"] = hanziReadingFile({});
  cjListFile("list\r\n", files["lst.dat"]);
  files["pinyindic\\PinKaChu.tbl"] = cjReadingTableFile({{"a", "\x83\x41"}, {"ba", "\x83\x6F"}});
  files["VerbCont.idx"] = cjVerbIndexFile({{"\x88\x9F", -1}});
  CjGrammar grammar = completeCjGrammar({{"minimal grammar"}, {}});
  scrambleCjGrammarText(cjRuleFileText(grammar), files["transfer.ruc"]);
  scrambleCjGrammarText(cjGotoFileText(grammar), files["transfer.dac"]);
  files[kWordTableFile] = std::string(wordTableText);
  return files;
}

bool writeCjDataFiles(std::string_view folder, const CjDataFiles& files) {
  for (const auto& [name, bytes] : files) {
    std::string path = std::string(folder) + name;
    std::size_t slash = path.find_last_of('\\');
    if (slash != std::string::npos) plat::makeFolders(path.substr(0, slash));
    if (!plat::writeWholeFile(path, bytes)) return false;
  }
  return true;
}

}  // namespace datagen
