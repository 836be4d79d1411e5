// Start-up and shut-down of the Chinese-to-Japanese engine: the status word, the data folder,
// the open data files and the tables read whole at load time.
#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "engine/common/code_convert.h"
#include "engine/common/keyed_word_table.h"
#include "engine/cj/analysis/sentence.h"

namespace cj {

struct CjGrammar;
struct CjTransferContext;

// Values of engineStatus.
enum CjStatus : int {
  kStatusOk = 0,
  kStatusNoSenseMemory = 2,
  kStatusEntryReadFailed = 2,    // a dictionary entry could not be read
  kStatusScanFailed = 3,
  kStatusFmemdicMissing = 5,     // fmemdic.dat or fmemdicp.dat
  kStatusZmemdicMissing = 6,     // zmemdic(p).dat, or an index pair not both opened
  kStatusCwcdicMissing = 7,      // cwcdic.dic or cwcdicp.dic
  kStatusCwcjdicMissing = 8,     // cwcjdic.dic, VerbCont.idx, or VerbCont.dat at lookup
  kStatusListMissing = 11,       // lst.dat missing or empty, PinKaChu.tbl empty, transfer.ruc missing
  kStatusGotoFileMissing = 12,   // transfer.dac missing; rule left-hand side over 5 characters
  kStatusNumberTagTooLong = 13,  // also: no memory for a Japanese candidate
  kStatusTagTooLong = 14,
  kStatusGotoStateTooLong = 16,
  kStatusGotoSymbolTooLong = 17,
  kStatusGotoTargetTooLong = 18,
  kStatusHanziMissing = 20,      // pinyindic\hanzi.dat; also a rule numbered 205 or more
  kStatusReadingTableMissing = 21,  // pinyindic\PinKaChu.tbl; also an over-long preamble line
  kStatusWordTableFailed = 22,   // cjwords.txt missing or refused

  // The same codes under the names the grammar loaders use.
  kStatusRuleFileMissing = 11,   // transfer.ruc
  kStatusLhsTooLong = 12,
  kStatusGotoTableFull = 16,     // a goto line past its group's table (dropped)
  kStatusTooManyRules = 20,      // rule number 205 or more, or past the group's slots
  kStatusLongRuleLine = 21,      // preamble line over 317 characters
};

// One record of a segmentation index (zfc.idx, ffc.idx and their pinyin-path copies).
struct CjIndexRecord {
  uint16_t code;        // first character: lead * 256 + trail
  uint16_t childCount;  // 0: the character alone is a word
  uint32_t value;       // first child node, or the word's value when childCount is 0
};
inline constexpr int kMaxIndexRecords = 6800;
inline constexpr int kIndexRecordSize = 8;

// One record of VerbCont.idx after descrambling.
struct CjVerbIndexRecord {
  std::string verb;  // engine code, up to its terminator (at most 39 bytes)
  int32_t offset;    // first record in VerbCont.dat; negative: none
};
inline constexpr int kMaxVerbIndexRecords = 5000;
inline constexpr int kVerbIndexRecordSize = 44;

inline constexpr int kListBufferSize = 13600;
inline constexpr int kReadingTableSize = 11052;
inline constexpr int kReadingRowSize = 26;

// Handles kept open from loading until closing, and the tables read whole. Each table holds the
// records actually read.
struct CjEngineData {
  std::FILE* fmemdic = nullptr;
  std::FILE* zmemdic = nullptr;
  std::FILE* cwcdic = nullptr;
  std::FILE* cwcjdic = nullptr;
  std::FILE* hanzi = nullptr;
  std::FILE* fmemdicp = nullptr;
  std::FILE* zmemdicp = nullptr;
  std::FILE* cwcdicp = nullptr;
  // VerbCont.dat, held in memory from the start when it is there: the case frames read it per
  // verb without opening it again.
  std::FILE* verbCont = nullptr;

  std::vector<CjIndexRecord> zfcIndex, ffcIndex, zfcpIndex, ffcpIndex;
  std::string listBuffer;    // descrambled lst.dat, at most 13,600 bytes
  std::string readingTable;  // PinKaChu.tbl, at most 11,052 bytes
  std::vector<CjVerbIndexRecord> verbIndex;

  // Whole 26-byte rows of the reading table.
  int readingRowCount() const { return static_cast<int>(readingTable.size()) / kReadingRowSize; }
};

// The Chinese-to-Japanese engine: its status word, its data folder, the data it holds open, its
// word table and grammar, and the conversion tables of its input. Made by openCjEngine
// (cj_engine.h); the stages reach it through the sentence they work on. Starting one engine
// touches no other engine's data.
struct CjEngine {
  // 0 fine, else the code of the first failing file or stage.
  int engineStatus = kStatusOk;
  // Data folder, ending in a backslash; every data file is opened below it.
  std::u16string dataFolderPath;
  CjEngineData data;
  dbcs::ConversionTables tables;
  // cjwords.txt of the data folder (null until loaded); put in use while the engine works.
  dbcs::KeyedWordLoadPtr words;
  // Why the word table failed ("cjwords.txt line 3: ..."); empty when it loaded.
  std::string wordTableProblem;
  // Keys of cjwords.txt that no rule of this engine reads, skipped ("cjwords.txt line 3: unknown
  // key x, skipped"); the engine starts without them.
  std::vector<std::string> wordTableNotes;
  // The data file that failed its check and why ("zmemdic.dat: cut ..."); empty when none did.
  std::string dataFileProblem;
  // transfer.ruc and transfer.dac (never null).
  std::unique_ptr<CjGrammar> grammar;
  // Sentences given back character by character because they were too fragmented to analyse.
  int fallbackSentences = 0;
  // Hanzi without a Japanese kanji that translations carried as themselves; the caller clears it.
  std::u16string unwrittenHanzi;
  // The work area of the last sentence, kept for the next one (null before the first).
  std::unique_ptr<CjSentence> spareSentence;
  // The transfer's context of the last sentence, kept for the next one; the transfer side gives
  // it its deleter.
  std::unique_ptr<CjTransferContext, void (*)(CjTransferContext*)> spareContext{nullptr, nullptr};

  CjEngine();
  CjEngine(const CjEngine&) = delete;
  CjEngine& operator=(const CjEngine&) = delete;
  // Closes every handle still open.
  ~CjEngine();
};

// Loads every data file, the word table and the grammar; returns engineStatus.
int initCjEngine(CjEngine& engine);
// Closes the dictionaries the engine keeps open; returns engineStatus unchanged.
int closeCjEngine(CjEngine& engine);
// The thirteen loading steps; reports through engineStatus only.
void loadCjData(CjEngine& engine);

// Puts the engine's word table in use for the rules (the standing table when it has none).
void useEngineWords(const CjEngine& engine);

// Opens the data folder + name ("rb"); null when missing.
std::FILE* openDataFile(const CjEngine& engine, const char* name);

}  // namespace cj
