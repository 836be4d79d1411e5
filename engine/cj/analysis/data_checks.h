// Checks of the Chinese-to-Japanese data files as they are opened: each file's size against what
// its records, index or line structure say, and every link inside its bounds. A check answers
// empty when the file is whole, else why it is not ("cut", "a link past its end", ...).
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "engine/cj/analysis/engine_data.h"

namespace cj {

// A scrambled line file (dictionaries, lst.dat, grammar): no byte that descrambles to NUL, and
// the last line ends in CR LF. key is one of the descramble key strings below.
enum class LineFileKey { DicEntry, CjDicLine, ListLine, Grammar };
std::string checkLineFile(std::string_view bytes, LineFileKey key);

// A segmentation trie with its index: whole 8-byte records, index codes ascending, every link
// and word value in bounds (dictionarySize: the word dictionary the values point into), and
// every trie node reached from the index. blame tells which file the fault lies in.
enum class TrieBlame { Trie, Index, Dictionary };
std::string checkTrieAndIndex(std::string_view trie, std::string_view index, long dictionarySize, TrieBlame& blame);

// pinyindic\hanzi.dat: its slot table and every record it points to.
std::string checkHanziReadings(std::string_view bytes);
// pinyindic\PinKaChu.tbl: whole 26-byte rows ending in CR LF, within the table's size.
std::string checkReadingTable(std::string_view bytes);
// VerbCont.idx against the size of VerbCont.dat: whole records, verbs ascending, offsets at
// record starts inside VerbCont.dat.
std::string checkVerbIndex(std::string_view index, long verbContSize);

inline constexpr int kHanziSlotCount = 0xFA2A - 0x8D00 + 1;

}  // namespace cj
