// Writers of the segmentation tries and their first-character indexes: zmemdic.dat with zfc.idx
// (words forwards), fmemdic.dat with ffc.idx (words reversed), and the pinyin-path copies.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/datagen/cj_data_folder.h"

namespace datagen {

// A word in engine code (double-byte characters only) and its value, the offset of its entry in
// the word dictionary.
struct CjTrieWord {
  std::string word;
  uint32_t value;
};

struct CjTrieFiles {
  std::string trie;   // 8-byte nodes
  std::string index;  // 8-byte first-character records
};

// Trie and index of the words; reversed stores every word with its characters in reverse order.
// Words with a single-byte character or an odd length are skipped.
CjTrieFiles cjTrieFiles(const std::vector<CjTrieWord>& words, bool reversed);

// Puts the four files of one path into files: zmemdic.dat, zfc.idx, fmemdic.dat, ffc.idx, or
// with pinyin zmemdicp.dat, zfcp.idx, fmemdicp.dat, ffcp.idx.
void addCjSegmentationFiles(CjDataFiles& files, const std::vector<CjTrieWord>& words, bool pinyin);

}  // namespace datagen
