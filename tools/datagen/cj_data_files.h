// Writers of the small Chinese-to-Japanese data files read whole at start-up: lst.dat,
// VerbCont.idx and pinyindic\PinKaChu.tbl.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace datagen {

// One record of a segmentation index (zfc.idx, ffc.idx, zfcp.idx, ffcp.idx).
struct CjIndexEntry {
  uint16_t code;        // first character: lead * 256 + trail
  uint16_t childCount;  // 0: the character alone is a word
  uint32_t value;       // first child node, or the word's value
};
inline constexpr int kCjIndexRecordSize = 8;

// 8-byte little-endian records sorted by code.
std::string cjIndexFile(std::vector<CjIndexEntry> entries);

// lst.dat: plain text scrambled as a line file. False when a byte cannot be stored.
bool cjListFile(std::string_view plain, std::string& out);

// One VerbCont.idx entry: verb text in engine code (at most 39 bytes) and its first record's
// offset in VerbCont.dat (negative: none).
struct CjVerbIndexEntry {
  std::string verb;
  int32_t offset;
};
inline constexpr int kCjVerbIndexRecordSize = 44;

// 44-byte records sorted by verb text in byte order, each scrambled from its first byte.
std::string cjVerbIndexFile(std::vector<CjVerbIndexEntry> entries);

// One PinKaChu.tbl row: a toneless pinyin syllable (at most 6 letters) and its reading
// (Shift-JIS bytes, at most 8).
struct CjReadingRow {
  std::string syllable;
  std::string reading;
};
inline constexpr int kCjReadingRowSize = 26;

// 26-byte rows: the syllable padded with spaces to 8 bytes, the reading padded to 16, CR LF.
std::string cjReadingTableFile(const std::vector<CjReadingRow>& rows);

}  // namespace datagen
