#include "engine/cj/analysis/engine_data.h"

#include <set>
#include <string_view>

#include "engine/common/descramble.h"
#include "engine/cj/analysis/data_checks.h"
#include "engine/cj/analysis/grammar.h"
#include "engine/common/word_table.h"
#include "platform/core/codepage.h"
#include "platform/core/files.h"
#include "platform/core/little_endian.h"

namespace cj {

namespace {

// Reads up to `max` bytes; the bytes actually read. The buffer is no larger than the file.
std::string readUpTo(std::FILE* f, std::size_t max) {
  const long size = plat::fileSize(f);
  const std::size_t room = size >= 0 && static_cast<std::size_t>(size) < max ? static_cast<std::size_t>(size) : max;
  std::string buf(room, '\0');
  buf.resize(std::fread(buf.data(), 1, room, f));
  return buf;
}

// Bytes of a file opened and held by openAndKeep.
std::string_view heldBytes(std::FILE* f) { return plat::fileHeldBytes(f); }

// The whole file, or nothing when it is missing; size -1 then.
std::string wholeDataFile(const CjEngine& e, const char* name, long& size) {
  std::string bytes;
  std::FILE* f = openDataFile(e, name);
  size = -1;
  if (!f) return bytes;
  size = plat::fileSize(f);
  char buf[65536];
  std::size_t n;
  while ((n = plat::fileRead(buf, sizeof buf, f)) > 0) bytes.append(buf, n);
  plat::fileClose(f);
  return bytes;
}

// Runs one check; on a fault names the file with why and takes the status code.
bool passes(CjEngine& e, const char* name, const std::string& why, int code) {
  if (why.empty()) return true;
  e.engineStatus = code;
  e.dataFileProblem = std::string(name) + ": " + why;
  return false;
}

bool checkTriePath(CjEngine& e, std::FILE* trie, const char* trieName, const char* indexName, std::FILE* dictionary,
                   const char* dictionaryName) {
  long indexSize = 0;
  const std::string index = wholeDataFile(e, indexName, indexSize);
  TrieBlame blame = TrieBlame::Trie;
  const std::string why =
      checkTrieAndIndex(heldBytes(trie), index, static_cast<long>(heldBytes(dictionary).size()), blame);
  if (blame == TrieBlame::Dictionary) {
    // A word past the dictionary's end: either file may be the cut one; both are named.
    const bool fromIndex = why.find("index") != std::string::npos;
    return passes(e, fromIndex ? indexName : trieName,
                  why.empty() ? why : "a word lies past the end of " + std::string(dictionaryName) + " (one of the two is cut)",
                  kStatusCwcdicMissing);
  }
  const char* name = blame == TrieBlame::Index ? indexName : trieName;
  const int code = blame == TrieBlame::Dictionary     ? kStatusCwcdicMissing
                   : blame == TrieBlame::Trie && trieName[0] == 'f' ? kStatusFmemdicMissing
                                                                     : kStatusZmemdicMissing;
  return passes(e, name, why, code);
}

// Every file that loaded, checked whole; the first that fails names itself.
void checkCjData(CjEngine& e) {
  const CjEngineData& d = e.data;
  if (!passes(e, "cwcdic.dic", checkLineFile(heldBytes(d.cwcdic), LineFileKey::DicEntry), kStatusCwcdicMissing) ||
      !passes(e, "cwcdicp.dic", checkLineFile(heldBytes(d.cwcdicp), LineFileKey::DicEntry), kStatusCwcdicMissing) ||
      !passes(e, "cwcjdic.dic", checkLineFile(heldBytes(d.cwcjdic), LineFileKey::CjDicLine), kStatusCwcjdicMissing) ||
      !checkTriePath(e, d.zmemdic, "zmemdic.dat", "zfc.idx", d.cwcdic, "cwcdic.dic") ||
      !checkTriePath(e, d.fmemdic, "fmemdic.dat", "ffc.idx", d.cwcdic, "cwcdic.dic") ||
      !checkTriePath(e, d.zmemdicp, "zmemdicp.dat", "zfcp.idx", d.cwcdicp, "cwcdicp.dic") ||
      !checkTriePath(e, d.fmemdicp, "fmemdicp.dat", "ffcp.idx", d.cwcdicp, "cwcdicp.dic") ||
      !passes(e, "pinyindic\\hanzi.dat", checkHanziReadings(heldBytes(d.hanzi)), kStatusHanziMissing)) {
    return;
  }
  long size = 0;
  if (!passes(e, "lst.dat", checkLineFile(wholeDataFile(e, "lst.dat", size), LineFileKey::ListLine), kStatusListMissing) ||
      !passes(e, "lst.dat", size > kListBufferSize ? "longer than its 13,600-byte buffer" : "", kStatusListMissing) ||
      !passes(e, "pinyindic\\PinKaChu.tbl", checkReadingTable(wholeDataFile(e, "pinyindic\\PinKaChu.tbl", size)),
              kStatusReadingTableMissing)) {
    return;
  }
  long verbContSize = -1;
  wholeDataFile(e, "VerbCont.dat", verbContSize);
  if (!passes(e, "VerbCont.idx", checkVerbIndex(wholeDataFile(e, "VerbCont.idx", size), verbContSize),
              kStatusCwcjdicMissing)) {
    return;
  }
  for (const char* grammarFile : {"transfer.ruc", "transfer.dac"}) {
    const std::string bytes = wholeDataFile(e, grammarFile, size);
    if (size < 0) continue;  // the grammar loader reports a missing file
    const int code = grammarFile[9] == 'r' ? kStatusRuleFileMissing : kStatusGotoFileMissing;
    if (!passes(e, grammarFile, checkLineFile(bytes, LineFileKey::Grammar), code)) return;
  }
}

// Names a file that is missing or is no file (a folder), unless an earlier one was named.
void nameMissing(CjEngine& e, const char* name) {
  if (e.dataFileProblem.empty()) e.dataFileProblem = std::string(name) + ": missing, unreadable or not a file";
}

// Closes what the slot holds, then opens the file into it; false when it is missing.
bool openAndKeep(CjEngine& e, std::FILE*& slot, const char* name) {
  if (slot) {
    plat::fileClose(slot);
    slot = nullptr;
  }
  slot = openDataFile(e, name);
  // The dictionaries are read per sentence: from memory, the file kept open beside it.
  if (slot && !plat::fileHoldInMemory(slot)) {
    plat::fileClose(slot);
    slot = nullptr;
  }
  if (!slot) nameMissing(e, name);
  return slot != nullptr;
}

std::vector<CjIndexRecord> readIndex(std::FILE* f) {
  std::string bytes = readUpTo(f, static_cast<std::size_t>(kMaxIndexRecords) * kIndexRecordSize);
  std::vector<CjIndexRecord> records;
  records.reserve(bytes.size() / kIndexRecordSize);
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  for (std::size_t at = 0; at + kIndexRecordSize <= bytes.size(); at += kIndexRecordSize) {
    records.push_back({static_cast<uint16_t>(plat::readLe(p + at, 2)), static_cast<uint16_t>(plat::readLe(p + at + 2, 2)),
                       plat::readLe(p + at + 4, 4)});
  }
  return records;
}

// Both files of an index pair are read whole and closed again.
bool loadIndexPair(CjEngine& e, const char* zName, const char* fName, std::vector<CjIndexRecord>& zTable,
                   std::vector<CjIndexRecord>& fTable) {
  std::FILE* z = openDataFile(e, zName);
  std::FILE* fw = openDataFile(e, fName);
  if (!z || !fw) {
    nameMissing(e, z ? fName : zName);
    if (fw) plat::fileClose(fw);
    if (z) plat::fileClose(z);
    return false;
  }
  zTable = readIndex(z);
  fTable = readIndex(fw);
  plat::fileClose(fw);
  plat::fileClose(z);
  return true;
}

int loadList(CjEngine& e) {
  CjEngineData& d = e.data;
  std::FILE* f = openDataFile(e, "lst.dat");
  if (!f) {
    nameMissing(e, "lst.dat");
    return kStatusListMissing;
  }
  std::string bytes = readUpTo(f, kListBufferSize);
  plat::fileClose(f);
  if (bytes.empty()) {
    e.dataFileProblem = "lst.dat: empty";
    return kStatusListMissing;
  }
  std::size_t n = bytes.size();
  bytes.push_back('\0');
  descrambleListLine(bytes.data(), n, 0);
  bytes.resize(n);
  d.listBuffer = std::move(bytes);
  return kStatusOk;
}

int loadReadingTable(CjEngine& e) {
  CjEngineData& d = e.data;
  std::FILE* f = openDataFile(e, "pinyindic\\PinKaChu.tbl");
  if (!f) {
    nameMissing(e, "pinyindic\\PinKaChu.tbl");
    return kStatusReadingTableMissing;
  }
  std::string bytes = readUpTo(f, kReadingTableSize);
  plat::fileClose(f);
  if (bytes.empty()) {
    e.dataFileProblem = "pinyindic\\PinKaChu.tbl: empty";
    return kStatusListMissing;
  }
  d.readingTable = std::move(bytes);
  return kStatusOk;
}

int loadVerbIndex(CjEngine& e) {
  CjEngineData& d = e.data;
  std::FILE* f = openDataFile(e, "VerbCont.idx");
  if (!f) {
    nameMissing(e, "VerbCont.idx");
    return kStatusCwcjdicMissing;
  }
  std::string bytes = readUpTo(f, static_cast<std::size_t>(kMaxVerbIndexRecords) * kVerbIndexRecordSize);
  plat::fileClose(f);
  d.verbIndex.clear();
  d.verbIndex.reserve(bytes.size() / kVerbIndexRecordSize);
  for (std::size_t at = 0; at + kVerbIndexRecordSize <= bytes.size(); at += kVerbIndexRecordSize) {
    char* rec = bytes.data() + at;
    descrambleRecord(rec, kVerbIndexRecordSize);
    std::size_t len = 0;
    while (len < 40 && rec[len] != 0) ++len;
    auto offset = static_cast<int32_t>(plat::readLe(reinterpret_cast<const unsigned char*>(rec + 40), 4));
    d.verbIndex.push_back({std::string(rec, len), offset});
  }
  // The records the index points into; a missing file is the verb index check's to name.
  if (d.verbCont) plat::fileClose(d.verbCont);
  d.verbCont = openDataFile(e, "VerbCont.dat");
  if (d.verbCont && !plat::fileHoldInMemory(d.verbCont)) {
    plat::fileClose(d.verbCont);
    d.verbCont = nullptr;
  }
  return kStatusOk;
}

void closeHandles(CjEngineData& d) {
  for (std::FILE** slot :
       {&d.fmemdic, &d.zmemdic, &d.cwcdic, &d.cwcjdic, &d.hanzi, &d.fmemdicp, &d.zmemdicp, &d.cwcdicp, &d.verbCont}) {
    if (*slot) {
      plat::fileClose(*slot);
      *slot = nullptr;
    }
  }
}

}  // namespace

CjEngine::CjEngine() : grammar(std::make_unique<CjGrammar>()) {}

CjEngine::~CjEngine() { closeHandles(data); }

void useEngineWords(const CjEngine& engine) { useWordTable(engine.words); }

std::FILE* openDataFile(const CjEngine& engine, const char* name) {
  std::u16string path = engine.dataFolderPath;
  for (const char* p = name; *p; ++p) path.push_back(static_cast<char16_t>(static_cast<unsigned char>(*p)));
  return plat::fileOpen(path, "rb");
}

void loadCjData(CjEngine& e) {
  CjEngineData& d = e.data;
  int code = kStatusOk;
  if (!openAndKeep(e, d.fmemdic, "fmemdic.dat")) {
    code = kStatusFmemdicMissing;
  } else if (!openAndKeep(e, d.zmemdic, "zmemdic.dat")) {
    code = kStatusZmemdicMissing;
  } else if (!loadIndexPair(e, "zfc.idx", "ffc.idx", d.zfcIndex, d.ffcIndex)) {
    code = kStatusZmemdicMissing;
  } else if (!openAndKeep(e, d.cwcdic, "cwcdic.dic")) {
    code = kStatusCwcdicMissing;
  } else if (!openAndKeep(e, d.cwcjdic, "cwcjdic.dic")) {
    code = kStatusCwcjdicMissing;
  } else if (!openAndKeep(e, d.hanzi, "pinyindic\\hanzi.dat")) {
    code = kStatusHanziMissing;
  } else if ((code = loadList(e)) != kStatusOk) {
  } else if ((code = loadReadingTable(e)) != kStatusOk) {
  } else if (!openAndKeep(e, d.fmemdicp, "fmemdicp.dat")) {
    code = kStatusFmemdicMissing;
  } else if (!openAndKeep(e, d.zmemdicp, "zmemdicp.dat")) {
    code = kStatusZmemdicMissing;
  } else if (!loadIndexPair(e, "zfcp.idx", "ffcp.idx", d.zfcpIndex, d.ffcpIndex)) {
    code = kStatusZmemdicMissing;
  } else if (!openAndKeep(e, d.cwcdicp, "cwcdicp.dic")) {
    code = kStatusCwcdicMissing;
  } else {
    code = loadVerbIndex(e);
  }
  if (code != kStatusOk) {
    e.engineStatus = code;
  } else {
    checkCjData(e);
  }
}

int initCjEngine(CjEngine& e) {
  e.engineStatus = kStatusOk;
  e.dataFileProblem.clear();
  loadCjData(e);
  // The word table follows the data files: its words are needed only once they all loaded.
  e.wordTableProblem.clear();
  e.wordTableNotes.clear();
  if (e.engineStatus == kStatusOk) {
    std::string why;
    const WordTableStatus words = readWordTable(plat::wideToUtf8(e.dataFolderPath), e.words, &why);
    if (words == kWordTableLoaded) {
      // A key of a family this engine reads that no rule of it reads is a slip of the pen; keys of
      // families other programs carry (the reading pane's) are theirs.
      std::set<std::string_view> families;
      const std::vector<WordKeySpec> known = registeredWordKeys();
      for (const WordKeySpec& k : known) families.insert(std::string_view(k.key).substr(0, std::string_view(k.key).find('.')));
      for (const auto& [line, key] : e.words->skippedKeys)
        if (families.count(std::string_view(key).substr(0, key.find('.'))))
          e.wordTableNotes.push_back(std::string(kWordTableFileName) + " line " + std::to_string(line) + ": unknown key " +
                                   key + ", skipped");
      useEngineWords(e);
    } else {
      e.engineStatus = kStatusWordTableFailed;
      e.wordTableProblem = words == kWordTableRefused ? std::string(kWordTableFileName) + " " + why : why;
    }
  }
  loadGrammar(e);
  return e.engineStatus;
}

int closeCjEngine(CjEngine& e) {
  closeHandles(e.data);
  return e.engineStatus;
}

}  // namespace cj
