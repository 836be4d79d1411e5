#include "speech/engine/speech_data.h"

#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/core/files.h"
#include "platform/core/little_endian.h"
#include "speech/engine/speech_files.h"

#include <algorithm>
#include <cstdio>
#include <new>

namespace speech {

namespace {

using Bytes = std::vector<std::uint8_t>;

struct UnicodeTable {
  struct Range {
    std::uint16_t first, last, base;
  };
  struct Pair {
    std::uint16_t internal, unicode;
  };
  std::vector<Range> ranges;
  std::vector<Pair> pairs;
  std::vector<std::uint16_t> direct;
};

struct SpeechData {
  bool loaded = false;
  std::string folder;
  Bytes cz, pym, dyz, dyc, symbol, surname, hzprop, gbk, syllableIndex, letterIndex, big5;
  UnicodeTable unicode;
  bool unicodeLoaded = false;
  bool big5Loaded = false;
  std::FILE* syllableFile = nullptr;
  std::FILE* letterFile = nullptr;
  long syllableFileSize = 0;
  long letterFileSize = 0;
};

SpeechData gData;
std::string gLastFailure;

std::uint16_t le16(const Bytes& b, std::size_t at) {
  if (at + 2 > b.size()) return 0;
  return plat::readLe16(b.data() + at);
}
std::uint32_t le32(const Bytes& b, std::size_t at) {
  if (at + 4 > b.size()) return 0;
  return plat::readLe32(b.data() + at);
}

std::FILE* openDataFile(const std::string& folder, const char* name) {
  std::u16string path = plat::multiByteToWide(plat::kSystemCodePage, folder + name);
  return plat::fileOpen(path, "rb");
}

// Reads a whole file into one allocation.
int readTable(const std::string& folder, const char* name, Bytes& out) {
  std::FILE* f = openDataFile(folder, name);
  if (!f) return kLoadCannotOpen;
  long size = plat::fileSize(f);
  int result = kLoadOk;
  if (size <= 0) {
    result = kLoadUnreadable;
  } else {
    try {
      out.assign(static_cast<std::size_t>(size), 0);
    } catch (const std::bad_alloc&) {
      result = kLoadNoMemory;
    }
    if (result == kLoadOk && (plat::fileSeek(f, 0, SEEK_SET) != 0 || std::fread(out.data(), 1, out.size(), f) != out.size())) {
      result = kLoadUnreadable;
    }
  }
  plat::fileClose(f);
  if (result != kLoadOk) Bytes().swap(out);
  return result;
}

bool czWordListFits(const Bytes& cz, std::uint32_t offset) {
  std::size_t at = kCzWordPoolStart + static_cast<std::size_t>(offset);
  if (at + 4 > cz.size()) return false;
  std::size_t n2 = le16(cz, at), n3 = cz[at + 2], n4 = cz[at + 3];
  return at + 4 + n2 * 6 + n3 * 8 + n4 * 10 <= cz.size();
}

bool checkCz(const Bytes& cz) {
  if (cz.size() < kCzWordPoolStart) return false;
  for (int i = 0; i < kHanziCount; ++i) {
    const std::uint8_t* r = &cz[kCzRecordsStart + kCzRecordSize * i];
    if (!(r[0] & 0x80)) continue;
    std::uint32_t offset = ((r[0] & 0x7Fu) << 16) | (r[2] << 8) | r[1];
    if (!czWordListFits(cz, offset)) return false;
  }
  return true;
}

// A table of c 16-bit entries after its count; the entries give starts (in 16-bit units) into
// the table that follows them.
bool checkStarts(const Bytes& b, unsigned shift, unsigned mask) {
  if (b.size() < 2) return false;
  std::size_t c = le16(b, 0);
  if (2 + 2 * c > b.size()) return false;
  std::size_t tableUnits = (b.size() - 2 - 2 * c) / 2;
  std::size_t previous = 0;
  for (std::size_t k = 0; k < c; ++k) {
    std::size_t start = (le16(b, 2 + 2 * k) >> shift) & mask;
    if (start < previous || start > tableUnits) return false;
    previous = start;
  }
  return true;
}

std::size_t startsTableAt(const Bytes& b) { return 2 + 2 * static_cast<std::size_t>(le16(b, 0)); }

// Block of one polyphone number in dyz.dat or dyc.dat, in 16-bit units of the table.
bool blockOf(const Bytes& b, int number, unsigned shift, unsigned mask, std::size_t& start, std::size_t& end) {
  if (b.size() < 2 || number < 0 || number >= le16(b, 0)) return false;
  std::size_t c = le16(b, 0);
  std::size_t tableUnits = (b.size() - startsTableAt(b)) / 2;
  start = (le16(b, 2 + 2 * static_cast<std::size_t>(number)) >> shift) & mask;
  end = static_cast<std::size_t>(number) + 1 < c ? (le16(b, 2 + 2 * (static_cast<std::size_t>(number) + 1)) >> shift) & mask
                                                : tableUnits;
  return start <= end && end <= tableUnits;
}

bool checkDyc(const Bytes& dyc) {
  if (!checkStarts(dyc, 1, 0x7FFF)) return false;
  for (int k = 0; k < le16(dyc, 0); ++k) {
    std::size_t start = 0, end = 0;
    if (!blockOf(dyc, k, 1, 0x7FFF, start, end)) return false;
    if (start == end) continue;
    if (end - start < 3) return false;
    std::size_t at = startsTableAt(dyc) + 2 * start;
    std::size_t units = 3 + le16(dyc, at) * 2u + le16(dyc, at + 2) * 3u + le16(dyc, at + 4) * 4u;
    if (units > end - start) return false;
  }
  return true;
}

bool checkSymbol(const Bytes& s) {
  if (s.size() < kSymbolOffsetsBytes) return false;
  std::size_t textSize = s.size() - kSymbolOffsetsBytes;
  std::size_t previous = 0;
  for (int k = 0; k < kSymbolCount; ++k) {
    std::size_t offset = le16(s, 2 * static_cast<std::size_t>(k));
    if (offset < previous || offset > textSize) return false;
    previous = offset;
  }
  return true;
}

// A reading: a syllable and its tone (1-5) whose unit code the unit files hold.
bool isReading(std::uint16_t r) {
  return r % 8 >= 1 && r % 8 <= 5 && static_cast<std::uint32_t>(r % 8 + r / 8 * 5 - 1) < kSyllableCodes;
}

// The polyphones' readings: every entry of the table a reading, every polyphone two or more.
bool checkDyz(const Bytes& dyz) {
  if (!checkStarts(dyz, 1, 0xFFF) || (dyz.size() - startsTableAt(dyz)) % 2 != 0) return false;
  for (int k = 0; k < le16(dyz, 0); ++k) {
    std::size_t start = 0, end = 0;
    if (!blockOf(dyz, k, 1, 0xFFF, start, end) || end - start < 2) return false;
  }
  for (std::size_t at = startsTableAt(dyz); at + 2 <= dyz.size(); at += 2)
    if (!isReading(le16(dyz, at))) return false;
  return true;
}

// One entry a hanzi: no reading (0), a reading, or a polyphone's number with the flag.
bool checkPym(const Bytes& pym) {
  if (pym.size() != 2 * static_cast<std::size_t>(kHanziCount)) return false;
  const std::size_t polyphones = le16(gData.dyz, 0);
  for (std::size_t at = 0; at < pym.size(); at += 2) {
    const std::uint16_t r = le16(pym, at);
    if (r & kPolyphoneFlag ? (r & ~kPolyphoneFlag) >= polyphones : r != 0 && !isReading(r)) return false;
  }
  return true;
}

// One entry a hanzi: a unit code, or none.
bool checkSurname(const Bytes& surname) {
  if (surname.size() != 2 * static_cast<std::size_t>(kHanziCount)) return false;
  for (std::size_t at = 0; at < surname.size(); at += 2) {
    const std::uint16_t code = le16(surname, at);
    if (code != 0xFFFF && code >= kSyllableCodes) return false;
  }
  return true;
}

// One entry a hanzi, of the property bits the front end knows.
bool checkHzprop(const Bytes& hzprop) {
  constexpr std::uint32_t kKnown = 0x3u | 0x7C0u | (0x1FFu << 18);
  if (hzprop.size() != 4 * static_cast<std::size_t>(kHanziCount)) return false;
  for (std::size_t at = 0; at < hzprop.size(); at += 4)
    if (le32(hzprop, at) & ~kKnown) return false;
  return true;
}

// Stand-ins: a GB2312 code, or none.
bool checkStandIns(const Bytes& b, std::size_t entries) {
  if (b.size() < 2 * entries) return false;
  for (std::size_t at = 0; at < 2 * entries; at += 2) {
    const std::uint16_t code = le16(b, at);
    const unsigned high = code >> 8, low = code & 0xFF;
    if (code != kNoStandIn && (high < 0xA1 || high > 0xFE || low < 0xA1 || low > 0xFE)) return false;
  }
  return true;
}

int loadChecked(const std::string& folder, const char* name, Bytes& out, bool (*check)(const Bytes&)) {
  int r = readTable(folder, name, out);
  if (r == kLoadOk && check && !check(out)) {
    Bytes().swap(out);
    r = kLoadUnreadable;
  }
  if (r != kLoadOk) gLastFailure = name;
  return r;
}

template <std::size_t N>
bool atLeast(const Bytes& b) {
  return b.size() >= N;
}

int openUnitFile(const std::string& folder, const char* name, std::FILE*& f, long& size) {
  f = openDataFile(folder, name);
  if (!f) {
    gLastFailure = name;
    return kLoadCannotOpen;
  }
  size = plat::fileSize(f);
  if (size <= 0) {
    gLastFailure = name;
    return kLoadUnreadable;
  }
  return kLoadOk;
}

// The unit files against their indexes: spch4M.idx has one record per syllable code, its variant
// tables (one after another) and recordings lie inside spch4M.dat;
// Eng4M.idx holds ascending offsets that end where Eng4M.dat does. The file at fault, or null.
const char* faultySyllableUnitFile() {
  const Bytes& index = gData.syllableIndex;
  const auto dataSize = static_cast<std::uint64_t>(gData.syllableFileSize);
  if (index.size() != kSyllableCodes * kSyllableIndexRecord) return kSyllableIndexFile;
  std::uint64_t nextTable = 0;
  for (std::uint32_t code = 0; code < kSyllableCodes; ++code) {
    const std::uint32_t variants = index[kSyllableIndexRecord * code];
    if (variants == 0) continue;
    const std::uint64_t table = le32(index, kSyllableIndexRecord * code + 1);
    // The variant tables stand one after another in code order.
    if (table != nextTable) return kSyllableIndexFile;
    nextTable += std::uint64_t{kVariantRecord} * variants;
    if (table + std::uint64_t{kVariantRecord} * variants > dataSize) return kSyllableDataFile;
    Bytes entries(kVariantRecord * variants);
    if (plat::fileSeek(gData.syllableFile, static_cast<long>(table), SEEK_SET) != 0 ||
        std::fread(entries.data(), 1, entries.size(), gData.syllableFile) != entries.size()) {
      return kSyllableDataFile;
    }
    for (std::uint32_t v = 0; v < variants; ++v) {
      const std::uint64_t offset = le32(entries, kVariantRecord * v), length = le32(entries, kVariantRecord * v + 4);
      if (length == 0) continue;
      if (offset + length > dataSize) return kSyllableDataFile;  // a long one is clamped when read
    }
  }
  return nullptr;
}

const char* faultyLetterUnitFile() {
  const Bytes& index = gData.letterIndex;
  if (index.size() % 4 != 0 || index.size() < 8) return kLetterIndexFile;
  std::uint32_t previous = 0;
  for (std::size_t at = 0; at < index.size(); at += 4) {
    const std::uint32_t offset = le32(index, at);
    if (offset < previous) return kLetterIndexFile;
    previous = offset;
  }
  // The last offset ends the data (a file without recordings holds one byte).
  const auto size = static_cast<std::uint64_t>(gData.letterFileSize);
  if (previous == size || (previous == 0 && size == 1)) return nullptr;
  return previous > size ? kLetterDataFile : kLetterIndexFile;
}

int loadAll(const std::string& folder) {
  int r;
  if ((r = loadChecked(folder, kCzFile, gData.cz, checkCz))) return r;
  // The polyphones first: the readings name them.
  if ((r = loadChecked(folder, kDyzFile, gData.dyz, checkDyz))) return r;
  if ((r = loadChecked(folder, kPymFile, gData.pym, checkPym))) return r;
  if ((r = loadChecked(folder, kDycFile, gData.dyc, checkDyc))) return r;
  if ((r = loadChecked(folder, kSymbolFile, gData.symbol, checkSymbol))) return r;
  if ((r = loadChecked(folder, kSurnameFile, gData.surname, checkSurname))) return r;
  if ((r = loadChecked(folder, kHzpropFile, gData.hzprop, checkHzprop))) return r;
  if ((r = loadChecked(folder, kGbkFile, gData.gbk, [](const Bytes& b) { return checkStandIns(b, kGbkEntries); }))) return r;
  if ((r = openUnitFile(folder, kSyllableDataFile, gData.syllableFile, gData.syllableFileSize))) return r;
  if ((r = openUnitFile(folder, kLetterDataFile, gData.letterFile, gData.letterFileSize))) return r;
  if ((r = loadChecked(folder, kSyllableIndexFile, gData.syllableIndex, atLeast<kSyllableCodes * kSyllableIndexRecord>))) return r;
  if ((r = loadChecked(folder, kLetterIndexFile, gData.letterIndex, atLeast<4>))) return r;
  for (const char* faulty : {faultySyllableUnitFile(), faultyLetterUnitFile()}) {
    if (faulty) {
      gLastFailure = faulty;
      return kLoadUnreadable;
    }
  }
  return kLoadOk;
}

bool parseUnicodeTable(const Bytes& b, UnicodeTable& t) {
  std::size_t at = 0;
  if (b.size() < 2) return false;
  std::size_t n = le16(b, at);
  at += 2;
  if (at + n * 6 + 2 > b.size()) return false;
  for (std::size_t i = 0; i < n; ++i, at += 6) t.ranges.push_back({le16(b, at), le16(b, at + 2), le16(b, at + 4)});
  std::size_t m = le16(b, at);
  at += 2;
  if (at + m * 4 + 2 * kUnicodeDirectCount > b.size()) return false;
  for (std::size_t i = 0; i < m; ++i, at += 4) t.pairs.push_back({le16(b, at), le16(b, at + 2)});
  if (!std::is_sorted(t.pairs.begin(), t.pairs.end(), [](const auto& x, const auto& y) { return x.unicode < y.unicode; })) {
    return false;
  }
  t.direct.resize(kUnicodeDirectCount);
  for (std::size_t i = 0; i < kUnicodeDirectCount; ++i, at += 2) t.direct[i] = le16(b, at);
  return true;
}

bool checkUnicodeTable(const Bytes& b) {
  UnicodeTable t;
  return parseUnicodeTable(b, t);
}

bool checkBig5Table(const Bytes& b) { return checkStandIns(b, kBig5Entries); }

// A code-page table read at first use is checked here too when it is there: an empty or broken one
// refuses the start as the other tables do; a missing one is looked for again at each use.
int checkFirstUseTable(const std::string& folder, const char* name, bool (*check)(const Bytes&)) {
  Bytes b;
  int r = readTable(folder, name, b);
  // Missing is no fault; there but not to be opened (a folder in its place) is.
  if (r == kLoadCannotOpen && !plat::pathExists(plat::wideToUtf8(plat::multiByteToWide(plat::kSystemCodePage, folder + name)))) return kLoadOk;
  try {
    if (r == kLoadOk && !check(b)) r = kLoadUnreadable;
  } catch (const std::bad_alloc&) {
    r = kLoadNoMemory;
  }
  if (r != kLoadOk) gLastFailure = name;
  return r;
}

}  // namespace

int loadSpeechData(const std::string& folder) {
  freeSpeechData();
  gLastFailure.clear();
  int r = loadAll(folder);
  if (r == kLoadOk) r = checkFirstUseTable(folder, kUnicodeFile, checkUnicodeTable);
  if (r == kLoadOk) r = checkFirstUseTable(folder, kBig5File, checkBig5Table);
  if (r != kLoadOk) {
    freeSpeechData();
    // The file at fault is named where a person looks: the reader's box says only that it failed.
    std::fprintf(stderr, "speech data: %s%s %s (code %d)\n", folder.c_str(), gLastFailure.c_str(),
                 r == kLoadCannotOpen ? "cannot be opened" : "is damaged or cut", r);
    return r;
  }
  gData.folder = folder;
  gData.loaded = true;
  return kLoadOk;
}

void freeSpeechData() {
  if (gData.syllableFile) plat::fileClose(gData.syllableFile);
  if (gData.letterFile) plat::fileClose(gData.letterFile);
  gData = SpeechData();
}

bool speechDataLoaded() { return gData.loaded; }
const std::string& lastLoadFailure() { return gLastFailure; }

bool ensureUnicodeTable() {
  if (gData.unicodeLoaded) return true;
  if (!gData.loaded) return false;
  Bytes b;
  UnicodeTable t;
  if (readTable(gData.folder, kUnicodeFile, b) != kLoadOk) return false;
  try {
    if (!parseUnicodeTable(b, t)) return false;
  } catch (const std::bad_alloc&) {
    return false;
  }
  gData.unicode = std::move(t);
  gData.unicodeLoaded = true;
  return true;
}

bool ensureBig5Table() {
  if (gData.big5Loaded) return true;
  if (!gData.loaded) return false;
  Bytes b;
  if (readTable(gData.folder, kBig5File, b) != kLoadOk || !checkBig5Table(b)) return false;
  gData.big5 = std::move(b);
  gData.big5Loaded = true;
  return true;
}

bool unicodeTableLoaded() { return gData.unicodeLoaded; }
bool big5TableLoaded() { return gData.big5Loaded; }

Unit unicodeToInternal(char16_t c) {
  if (c < 0x80) return c;
  if (!gData.unicodeLoaded) return 0;
  const UnicodeTable& t = gData.unicode;
  if (c >= kUnicodeDirectFirst && c <= kUnicodeDirectLast) return t.direct[c - kUnicodeDirectFirst];
  for (const auto& r : t.ranges) {
    if (r.first <= c && c <= r.last) return static_cast<Unit>(r.base + (c - r.first) * 256);
  }
  auto it = std::lower_bound(t.pairs.begin(), t.pairs.end(), c, [](const auto& p, char16_t v) { return p.unicode < v; });
  if (it != t.pairs.end() && it->unicode == c) return it->internal;
  return 0;
}

std::uint16_t gbkStandIn(unsigned lead, unsigned trail) {
  int i = gbkTableIndex(lead, trail);
  if (i < 0 || !gData.loaded) return kNoStandIn;
  return le16(gData.gbk, 2 * static_cast<std::size_t>(i));
}

std::uint16_t big5StandIn(unsigned lead, unsigned trail) {
  int i = big5TableIndex(lead, trail);
  if (i < 0 || !gData.big5Loaded) return kNoStandIn;
  return le16(gData.big5, 2 * static_cast<std::size_t>(i));
}

std::uint16_t readingOf(Unit u) {
  int h = hanziIndex(u);
  if (h >= 0) return le16(gData.pym, 2 * static_cast<std::size_t>(h));
  if (isSingleByteUnit(u)) return 0xFFFE;
  std::uint16_t s = gbkStandIn(leadByte(u), trailByte(u));
  return s == kNoStandIn ? 0xFFFE : s;
}

std::vector<std::uint16_t> polyphoneReadings(int number) {
  std::vector<std::uint16_t> out;
  std::size_t start = 0, end = 0;
  if (!blockOf(gData.dyz, number, 1, 0xFFF, start, end)) return out;
  std::size_t base = startsTableAt(gData.dyz);
  for (std::size_t i = start; i < end; ++i) out.push_back(le16(gData.dyz, base + 2 * i));
  return out;
}

std::vector<PolyphoneWord> polyphoneWords(int number) {
  std::vector<PolyphoneWord> out;
  std::size_t start = 0, end = 0;
  if (!blockOf(gData.dyc, number, 1, 0x7FFF, start, end) || end - start < 3) return out;
  std::size_t at = startsTableAt(gData.dyc) + 2 * start;
  int counts[3] = {le16(gData.dyc, at), le16(gData.dyc, at + 2), le16(gData.dyc, at + 4)};
  at += 6;
  for (int k = 0; k < 3; ++k) {
    for (int w = 0; w < counts[k]; ++w) {
      PolyphoneWord word;
      word.length = k + 2;
      for (int i = 0; i < word.length; ++i, at += 2) word.units[static_cast<std::size_t>(i)] = le16(gData.dyc, at);
      out.push_back(word);
    }
  }
  return out;
}

std::uint16_t singleWeight(Unit hanzi) {
  int h = hanziIndex(hanzi);
  if (h < 0 || !gData.loaded) return 0;
  return le16(gData.cz, kCzRecordsStart + kCzRecordSize * static_cast<std::size_t>(h) + 3);
}

std::vector<CzWord> wordsBeginningWith(Unit hanzi) {
  std::vector<CzWord> out;
  int h = hanziIndex(hanzi);
  if (h < 0 || !gData.loaded) return out;
  const Bytes& cz = gData.cz;
  const std::uint8_t* r = &cz[kCzRecordsStart + kCzRecordSize * static_cast<std::size_t>(h)];
  if (!(r[0] & 0x80)) return out;
  std::size_t at = kCzWordPoolStart + (((r[0] & 0x7Fu) << 16) | (r[2] << 8) | r[1]);
  int counts[3] = {le16(cz, at), cz[at + 2], cz[at + 3]};
  at += 4;
  for (int k = 0; k < 3; ++k) {
    std::size_t restUnits = static_cast<std::size_t>(k) + 1;
    std::size_t chars = at, values = at + restUnits * 2 * static_cast<std::size_t>(counts[k]);
    for (int w = 0; w < counts[k]; ++w) {
      CzWord word;
      word.length = k + 2;
      for (std::size_t i = 0; i < restUnits; ++i) word.rest[i] = le16(cz, chars + (static_cast<std::size_t>(w) * restUnits + i) * 2);
      word.value = le32(cz, values + 4 * static_cast<std::size_t>(w));
      out.push_back(word);
    }
    at = values + 4 * static_cast<std::size_t>(counts[k]);
  }
  return out;
}

bool beginsWords(Unit hanzi) {
  int h = hanziIndex(hanzi);
  if (h < 0 || !gData.loaded) return false;
  return (gData.cz[kCzRecordsStart + kCzRecordSize * static_cast<std::size_t>(h)] & 0x80) != 0;
}

bool findWord(const Unit* chars, int length, std::uint32_t& value) {
  if (length < 2 || length > 4 || !beginsWords(chars[0])) return false;
  const Bytes& cz = gData.cz;
  const std::uint8_t* r = &cz[kCzRecordsStart + kCzRecordSize * static_cast<std::size_t>(hanziIndex(chars[0]))];
  std::size_t at = kCzWordPoolStart + (((r[0] & 0x7Fu) << 16) | (r[2] << 8) | r[1]);
  std::size_t counts[3] = {le16(cz, at), cz[at + 2], cz[at + 3]};
  at += 4;
  for (int k = 0; k < 3; ++k) {
    std::size_t restUnits = static_cast<std::size_t>(k) + 1;
    std::size_t values = at + restUnits * 2 * counts[k];
    if (k + 2 == length) {
      for (std::size_t w = 0; w < counts[k]; ++w) {
        bool same = true;
        for (std::size_t i = 0; i < restUnits && same; ++i) same = le16(cz, at + (w * restUnits + i) * 2) == chars[i + 1];
        if (same) {
          value = le32(cz, values + 4 * w);
          return true;
        }
      }
      return false;
    }
    at = values + 4 * counts[k];
  }
  return false;
}

std::uint16_t surnameCode(Unit u) {
  int h = hanziIndex(u);
  if (h < 0 || !gData.loaded) return 0xFFFF;
  return le16(gData.surname, 2 * static_cast<std::size_t>(h));
}

std::uint32_t hanziProperties(Unit u) {
  int h = hanziIndex(u);
  if (h < 0 || !gData.loaded) return 0;
  return le32(gData.hzprop, 4 * static_cast<std::size_t>(h));
}

bool symbolReading(Unit u, std::string_view& text) {
  int k = symbolIndex(u);
  if (k < 0 || !gData.loaded) return false;
  const Bytes& s = gData.symbol;
  std::size_t textSize = s.size() - kSymbolOffsetsBytes;
  std::size_t from = le16(s, 2 * static_cast<std::size_t>(k));
  std::size_t to = k + 1 < kSymbolCount ? le16(s, 2 * static_cast<std::size_t>(k) + 2) : textSize;
  if (from >= to) return false;
  text = std::string_view(reinterpret_cast<const char*>(s.data()) + kSymbolOffsetsBytes + from, to - from);
  return true;
}

int syllableVariantCount(int code) {
  if (code < 0 || code >= static_cast<int>(kSyllableCodes) || !gData.loaded) return 0;
  return gData.syllableIndex[kSyllableIndexRecord * static_cast<std::size_t>(code)];
}

bool syllableVariant(int code, int variant, std::uint32_t& offset, std::uint32_t& length) {
  if (variant < 0 || variant >= syllableVariantCount(code)) return false;
  std::uint32_t table = le32(gData.syllableIndex, kSyllableIndexRecord * static_cast<std::size_t>(code) + 1);
  std::uint64_t at = static_cast<std::uint64_t>(table) + kVariantRecord * static_cast<std::uint64_t>(variant);
  if (at + kVariantRecord > static_cast<std::uint64_t>(gData.syllableFileSize)) return false;
  std::uint8_t entry[kVariantRecord];
  if (plat::fileSeek(gData.syllableFile, static_cast<long>(at), SEEK_SET) != 0 ||
      std::fread(entry, 1, sizeof entry, gData.syllableFile) != sizeof entry) {
    return false;
  }
  Bytes e(entry, entry + sizeof entry);
  offset = le32(e, 0);
  length = le32(e, 4);
  return true;
}

bool letterRecording(int entry, std::uint32_t& offset, std::uint32_t& length) {
  if (entry < 0 || !gData.loaded) return false;
  std::size_t at = 4 * static_cast<std::size_t>(entry);
  if (at + 8 > gData.letterIndex.size()) return false;
  std::uint32_t from = le32(gData.letterIndex, at), to = le32(gData.letterIndex, at + 4);
  if (to < from) return false;
  offset = from;
  length = to - from;
  return true;
}

bool readRecording(bool letterFile, std::uint32_t offset, std::uint32_t length, std::vector<std::uint8_t>& bytes) {
  std::FILE* f = letterFile ? gData.letterFile : gData.syllableFile;
  long size = letterFile ? gData.letterFileSize : gData.syllableFileSize;
  if (!f) return false;
  length = std::min(length, kMaxRecordingBytes);
  if (static_cast<std::uint64_t>(offset) + length > static_cast<std::uint64_t>(size)) return false;
  bytes.assign(length, 0);
  if (length == 0) return true;
  return plat::fileSeek(f, static_cast<long>(offset), SEEK_SET) == 0 && std::fread(bytes.data(), 1, length, f) == length;
}

}  // namespace speech
