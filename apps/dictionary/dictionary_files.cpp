#include "apps/dictionary/dictionary_files.h"

#include "apps/dictionary/entry_text.h"
#include "platform/core/clock.h"
#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/core/files.h"
#include "platform/core/little_endian.h"
#include "platform/core/notify.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace dict {

namespace {

const char16_t kCaption[] = u"日中・中日辞典";
constexpr int kOpenAttempts = 7;
constexpr int kOpenRetryMs = 500;
constexpr int kHomographLimit = 10000;

struct StartupMessages {
  const char16_t* headerShort;
  const char16_t* notData;
  const char16_t* indexNotOpened;
  const char16_t* notIndex;
  const char16_t* rootShort;
};

constexpr StartupMessages kStartup[2] = {
    {u"日中辞書ファイルのヘッダーが読み込みできません", u"日中辞書ファイルではありません",
     u"日中辞書のインデックスファイルがオープンできません", u"日中辞書のインデックスファイルではありません",
     u"日中辞書のインデックスファイルが読み込みできません"},
    {u"辞書ファイルのヘッダーが読み込みできません", u"中日辞書ファイルではありません",
     u"インデックスファイルがオープンできません", u"中日辞書インデックスファイルではありません",
     u"1インデックスファイルが読み込みできません"},
};
constexpr const char* kDataType[2] = {"400", "500"};
constexpr const char* kIndexType[2] = {"401", "501"};

bool readExactly(std::FILE* f, void* buffer, size_t size) {
  return f && std::fread(buffer, 1, size, f) == size;
}

bool seekTo(std::FILE* f, std::uint32_t position) {
  return f && plat::fileSeek(f, static_cast<long>(position), SEEK_SET) == 0;
}

void closeFile(std::FILE*& f) {
  if (f) plat::fileClose(f);
  f = nullptr;
}

bool isEndKey(std::string_view key) { return key == std::string_view(kEndKey, 4); }

// The key without its last character (a double-byte character counts as one).
std::string dropLastChar(const std::string& key) {
  size_t last = 0;
  for (size_t i = 0; i < key.size();) {
    std::uint16_t c;
    last = i;
    i += static_cast<size_t>(readChar(std::string_view(key).substr(i), c));
  }
  return key.substr(0, last);
}

// True when needle occurs at a character boundary in hay.
bool containsAtBoundary(std::string_view hay, std::string_view needle) {
  for (size_t i = 0; i + needle.size() <= hay.size();) {
    if (hay.compare(i, needle.size(), needle) == 0) return true;
    std::uint16_t c;
    i += static_cast<size_t>(readChar(hay.substr(i), c));
  }
  return false;
}

// The body up to its lineFeeds-th line feed.
std::string_view beforeLineFeed(std::string_view body, int lineFeeds) {
  size_t end = 0;
  for (int k = 0; k < lineFeeds; ++k) {
    size_t lf = body.find('\n', end);
    if (lf == std::string_view::npos) return body;
    end = lf + 1;
  }
  return body.substr(0, end - 1);
}

// The record of the index's last entry (the end key's, which names the data file's last record)
// runs past the end of the data file: the data file was cut short; or a block on the way to it
// lies past the end of the index: the index was.
enum class LastRecord { Fits, DataCut, IndexCut };
LastRecord lastRecordCutOff(std::FILE* index, std::FILE* data, IndexBlock block) {
  const long indexSize = plat::fileSize(index), dataSize = plat::fileSize(data);
  if (indexSize < 0 || dataSize < 0) return LastRecord::Fits;
  for (long hops = 0; hops <= indexSize / kBlockSize; ++hops) {
    IndexEntry e;
    if (block.count == 0 || !indexEntryAt(block, block.count - 1, e)) return LastRecord::Fits;
    if (e.record != 0) {
      unsigned char header[kRecordHeaderSize];
      if (e.record > static_cast<std::uint64_t>(dataSize) || !seekTo(data, e.record) ||
          !readExactly(data, header, kRecordHeaderSize))
        return LastRecord::DataCut;
      return e.record + std::uint64_t{kRecordHeaderSize} + plat::readLe16(header + 8) > static_cast<std::uint64_t>(dataSize)
                 ? LastRecord::DataCut
                 : LastRecord::Fits;
    }
    unsigned char bytes[kBlockSize];
    if (e.child == 0) return LastRecord::Fits;
    if (!seekTo(index, e.child) || !readExactly(index, bytes, kBlockSize)) return LastRecord::IndexCut;
    block = decodeIndexBlock(bytes, e.child);
  }
  return LastRecord::Fits;
}

}  // namespace

void scrambleBytes(std::string& bytes) {
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(bytes[i] ^ kRecordKey[i % 8]);
}

void descrambleEntryBody(DictionaryEntry& entry) {
  if (entry.body) scrambleBytes(*entry.body);
}

IndexBlock decodeIndexBlock(const unsigned char* bytes, std::uint32_t position) {
  IndexBlock b;
  b.position = position;
  b.count = plat::readLe16(bytes + 7);
  b.previous = plat::readLe32(bytes + 13);
  b.next = plat::readLe32(bytes + 17);
  std::memcpy(b.entries.data(), bytes + kBlockEntryOffset, kBlockEntryBytes);
  return b;
}

bool indexEntryAt(const IndexBlock& block, int n, IndexEntry& out) {
  if (n < 0 || n >= block.count) return false;
  const unsigned char* e = block.entries.data();
  size_t offset = 0;
  for (int i = 0;; ++i) {
    if (offset + kIndexEntryHeader + 1 > static_cast<size_t>(kBlockEntryBytes)) return false;
    size_t length = plat::readLe16(e + offset + 2);
    if (length < static_cast<size_t>(kIndexEntryHeader + 1) || offset + length > static_cast<size_t>(kBlockEntryBytes))
      return false;
    if (i == n) {
      const char* key = reinterpret_cast<const char*>(e + offset + kIndexEntryHeader);
      size_t room = length - kIndexEntryHeader;
      const void* zero = std::memchr(key, 0, room);
      if (!zero) return false;
      out.child = plat::readLe32(e + offset + 6);
      out.record = plat::readLe32(e + offset + 10);
      out.key = std::string_view(key, static_cast<size_t>(static_cast<const char*>(zero) - key));
      return true;
    }
    offset += length;
  }
}

DictionaryFiles::DictionaryFiles(SleepFn sleep) : sleep_(std::move(sleep)) {
  if (!sleep_) sleep_ = [](int ms) { plat::sleepMs(ms); };
}

DictionaryFiles::~DictionaryFiles() {
  for (Side& s : sides_) {
    closeFile(s.data);
    closeFile(s.index);
  }
}

void DictionaryFiles::show(const std::u16string& text, unsigned flags) {
  messageShowing_ = true;
  plat::messageBox(text, kCaption, plat::kMbOk | flags);
  messageShowing_ = false;
}

bool DictionaryFiles::isAvailable(int d) const { return (d == 0 || d == 1) && sides_[d].available; }

int DictionaryFiles::openDictionaries(const std::string& jcData, const std::string& jcIndex,
                                      const std::string& cjData, const std::string& cjIndex) {
  checkFiles(kJapaneseToChinese, jcData, jcIndex);
  checkFiles(kChineseToJapanese, cjData, cjIndex);
  return 1;
}

bool DictionaryFiles::checkFiles(int d, const std::string& dataPath, const std::string& indexPath) {
  Side& s = sides_[d];
  const StartupMessages& m = kStartup[d];
  s.available = false;
  unsigned char header[kHeaderSize];
  // The message names the file at fault on a line of its own.
  auto refuse = [&](const char16_t* message, const std::string& file) {
    closeFile(s.data);
    closeFile(s.index);
    if (message) show(std::u16string(message) + u"\n" + plat::utf8ToWide(file));
    return false;
  };
  s.data = plat::fileOpen(dataPath, "rb");
  // A dictionary that is not there leaves its direction out; one that is there but cannot be
  // opened (a folder in its place) is refused.
  if (!s.data) return plat::pathExists(dataPath) ? refuse(m.headerShort, dataPath) : false;
  if (!readExactly(s.data, header, kHeaderSize)) return refuse(m.headerShort, dataPath);
  if (std::memcmp(header + 5, kDataType[d], 3) != 0) return refuse(m.notData, dataPath);
  s.index = plat::fileOpen(indexPath, "rb");
  if (!s.index) return refuse(m.indexNotOpened, indexPath);
  if (!readExactly(s.index, header, kHeaderSize)) return refuse(m.headerShort, indexPath);
  if (std::memcmp(header + 5, kIndexType[d], 3) != 0) return refuse(m.notIndex, indexPath);
  // The index is its header and whole blocks.
  if (plat::fileSize(s.index) % kBlockSize != 0) return refuse(m.rootShort, indexPath);
  std::uint32_t rootPosition = plat::readLe32(header + kRootPositionOffset);
  unsigned char block[kBlockSize];
  if (!seekTo(s.index, rootPosition) || !readExactly(s.index, block, kBlockSize)) return refuse(m.rootShort, indexPath);
  s.root = decodeIndexBlock(block, rootPosition);
  s.rootPosition = rootPosition;
  // A file cut short is refused here, not one failed search at a time.
  switch (lastRecordCutOff(s.index, s.data, s.root)) {
    case LastRecord::DataCut:
      return refuse(u"データファイルが読み込みできません", dataPath);
    case LastRecord::IndexCut:
      return refuse(m.rootShort, indexPath);
    case LastRecord::Fits:
      break;
  }
  closeFile(s.data);
  closeFile(s.index);
  s.dataPath = dataPath;
  s.indexPath = indexPath;
  s.available = true;
  return true;
}

bool DictionaryFiles::openDirection(int d) {
  if (!isAvailable(d)) return false;
  Side& s = sides_[d];
  closeFile(s.data);
  closeFile(s.index);
  for (int attempt = 0; attempt < kOpenAttempts && !s.data; ++attempt) {
    s.data = plat::fileOpen(s.dataPath, "rb");
    if (!s.data) sleep_(kOpenRetryMs);
  }
  if (!s.data) {
    show(u"辞書ファイルがオープンできません");
    return false;
  }
  for (int attempt = 0; attempt < kOpenAttempts && !s.index; ++attempt) {
    s.index = plat::fileOpen(s.indexPath, "rb");
    if (!s.index) sleep_(kOpenRetryMs);
  }
  if (!s.index) {
    closeFile(s.data);
    show(u"辞書インデックスファイルがオープンできません");
    return false;
  }
  return true;
}

void DictionaryFiles::closeDirection(int d) {
  if (!isAvailable(d)) return;
  closeFile(sides_[d].data);
  closeFile(sides_[d].index);
}

void DictionaryFiles::saveCursor(int d) {
  if (d == 0 || d == 1) sides_[d].saved = sides_[d].cursor;
}

void DictionaryFiles::restoreCursor(int d) {
  if (d == 0 || d == 1) sides_[d].cursor = sides_[d].saved;
}

DictionaryFiles::Cursor DictionaryFiles::cursor(int d) const {
  return d == 0 || d == 1 ? sides_[d].cursor : Cursor{};
}

void DictionaryFiles::setCursor(int d, const Cursor& c) {
  if (d == 0 || d == 1) sides_[d].cursor = c;
}

bool DictionaryFiles::readBlock(Side& s, std::uint32_t position, IndexBlock& out) {
  unsigned char block[kBlockSize];
  if (!seekTo(s.index, position) || !readExactly(s.index, block, kBlockSize)) return false;
  out = decodeIndexBlock(block, position);
  return true;
}

long DictionaryFiles::blockLimit(Side& s) const {
  long size = s.index ? plat::fileSize(s.index) : -1;
  return size > 0 ? size / kBlockSize + 1 : 1;
}

bool DictionaryFiles::readRecord(Side& s, std::uint32_t position, DictionaryEntry& entry,
                                 const char16_t* shortHeader) {
  entry.body.reset();
  entry.bodyLength = 0;
  unsigned char header[kRecordHeaderSize];
  if (position < 2 || !seekTo(s.data, position) || !readExactly(s.data, header, kRecordHeaderSize)) {
    show(shortHeader);
    return false;
  }
  entry.recordNumber = static_cast<std::int32_t>(position - 2);
  entry.previousRecord = static_cast<std::int32_t>(plat::readLe32(header));
  entry.nextRecord = static_cast<std::int32_t>(plat::readLe32(header + 4));
  std::uint16_t length = plat::readLe16(header + 8);
  std::string body;
  try {
    body.resize(length);
  } catch (const std::bad_alloc&) {
    show(u"メモリが足りません");
    return false;
  }
  if (!readExactly(s.data, body.data(), length)) {
    show(u"データファイルが読み込みできません");
    return false;
  }
  entry.body = std::move(body);
  entry.bodyLength = length;
  descrambleEntryBody(entry);
  s.cursor.nextRecord = entry.nextRecord;
  s.cursor.previousRecord = entry.previousRecord;
  return true;
}

bool DictionaryFiles::walkToKey(Side& s, const std::string& searchKey, std::uint32_t& record, int& entryNumber) {
  const char16_t* readFailure = u"2インデックスファイルが読み込みできません";
  std::string key = searchKey;
  IndexBlock block = s.root;
  s.cursor.forwardBlock = s.cursor.backwardBlock = s.rootPosition;
  const long limit = blockLimit(s);
  long hops = 0;
  for (;;) {
    int found = -1;
    IndexEntry e;
    for (int n = 0; n < block.count; ++n) {
      if (!indexEntryAt(block, n, e)) {
        show(readFailure);
        return false;
      }
      if (e.key.compare(key) >= 0) {
        found = n;
        break;
      }
    }
    std::uint32_t nextBlock = 0;
    if (found < 0) {
      if (block.next == 0) return false;
      nextBlock = block.next;
    } else if (e.record == 0) {
      if (e.child == 0) return false;
      nextBlock = e.child;
    } else {
      size_t m = std::min(key.size(), e.key.size());
      if (key.compare(0, m, e.key.substr(0, m)) == 0) {
        record = e.record;
        entryNumber = found;
        return true;
      }
      key = dropLastChar(key);
      if (key.empty()) return false;
      block = s.root;
      s.cursor.forwardBlock = s.cursor.backwardBlock = s.rootPosition;
      hops = 0;
      continue;
    }
    // A chain longer than the file has blocks is a loop.
    if (++hops > limit || !readBlock(s, nextBlock, block)) {
      show(readFailure);
      return false;
    }
    s.cursor.forwardBlock = s.cursor.backwardBlock = nextBlock;
  }
}

bool DictionaryFiles::findEntry(int d, std::string_view keyIn, DictionaryEntry& entry, bool recordLink) {
  if (!isAvailable(d)) return false;
  Side& s = sides_[d];
  size_t digits = 0;
  while (digits < keyIn.size() && keyIn[digits] >= '0' && keyIn[digits] <= '9') ++digits;
  // Every search starts the cursor at the root block.
  s.cursor.forwardBlock = s.cursor.backwardBlock = s.rootPosition;
  if (recordLink && digits > 0 && digits < keyIn.size() && keyIn[digits] == '-') {
    // A direct record reference.
    std::uint64_t number = 0;
    for (size_t i = 0; i < digits && number <= 0xFFFFFFFFull; ++i) number = number * 10 + (keyIn[i] - '0');
    // A number past the last possible position reads position 0, which fails.
    std::uint32_t position = number > 0xFFFFFFFDull ? 0 : static_cast<std::uint32_t>(number + 2);
    return readRecord(s, position, entry, u"辞書ファイルが読み込みできません");
  }
  std::string key(keyIn);
  std::string suffix;
  bool hasSuffix = false;
  if (size_t dash = key.find('-'); dash != std::string::npos) {
    suffix = key.substr(dash + 1);
    key.resize(dash);
    hasSuffix = true;
  }
  if (d == kJapaneseToChinese) {
    std::string normal;
    normaliseToHalfWidth(key, normal);
    key = normal;
  }
  // An empty key stands before every key: the walk finds the first entry.
  std::uint32_t record = 0;
  int number = 0;
  if (!walkToKey(s, key, record, number)) return false;
  s.cursor.forwardEntry = s.cursor.backwardEntry = number;
  if (!readRecord(s, record, entry, u"辞書ファイルが読み込みできません")) return false;
  if (hasSuffix) selectHomograph(d, suffix, entry);
  return true;
}

void DictionaryFiles::selectHomograph(int d, const std::string& suffix, DictionaryEntry& entry) {
  saveCursor(d);
  auto formOf = [d](const DictionaryEntry& e) { return d == kChineseToJapanese ? extractHanzi(e, false) : extractKana(e); };
  const std::string form = formOf(entry);
  const DictionaryEntry first = entry;
  const bool afterH = d == kJapaneseToChinese && !suffix.empty() && suffix[0] == 'H';
  const std::string needle = afterH ? suffix.substr(1) : suffix;
  for (int step = 0;; ++step) {
    if (d == kChineseToJapanese && extractPinyin(entry) == suffix) break;
    if (entry.body && containsAtBoundary(beforeLineFeed(*entry.body, afterH ? 2 : 1), needle)) break;
    DictionaryEntry next;
    if (step >= kHomographLimit || !nextIndexEntry(d, next) || formOf(next) != form) {
      entry = first;  // no entry of the group matches: keep the group's first
      break;
    }
    entry = std::move(next);
  }
  restoreCursor(d);
}

bool DictionaryFiles::nextRecord(int d, DictionaryEntry& entry) {
  if (!isAvailable(d) || entry.nextRecord == -1) return false;
  return readRecord(sides_[d], static_cast<std::uint32_t>(entry.nextRecord) + 2, entry,
                    u"3インデックスファイルが読み込みできません");
}

bool DictionaryFiles::previousRecord(int d, DictionaryEntry& entry) {
  if (!isAvailable(d) || entry.previousRecord == -1) return false;
  return readRecord(sides_[d], static_cast<std::uint32_t>(entry.previousRecord) + 2, entry,
                    u"4インデックスファイルが読み込みできません");
}

bool DictionaryFiles::nextIndexEntry(int d, DictionaryEntry& entry) {
  if (!isAvailable(d)) return false;
  Side& s = sides_[d];
  IndexBlock block;
  if (!readBlock(s, s.cursor.forwardBlock / kBlockSize * kBlockSize, block)) {
    show(u"5インデックスファイルが読み込みできません");
    return false;
  }
  int n = s.cursor.forwardEntry + 1;
  if (n >= block.count) {
    if (block.next == 0) return false;
    if (!readBlock(s, block.next, block)) {
      show(u"6インデックスファイルが読み込みできません");
      return false;
    }
    n = 0;
  }
  IndexEntry e;
  if (!indexEntryAt(block, n, e)) {
    show(u"5インデックスファイルが読み込みできません");
    return false;
  }
  s.cursor.forwardBlock = block.position;
  s.cursor.forwardEntry = n;
  if (isEndKey(e.key) || e.record == 0) return false;
  return readRecord(s, e.record, entry, u"7インデックスファイルが読み込みできません");
}

bool DictionaryFiles::previousIndexEntry(int d, DictionaryEntry& entry) {
  if (!isAvailable(d)) return false;
  Side& s = sides_[d];
  IndexBlock block;
  if (!readBlock(s, s.cursor.backwardBlock / kBlockSize * kBlockSize, block)) {
    show(u"8インデックスファイルが読み込みできません");
    return false;
  }
  int n = s.cursor.backwardEntry - 1;
  if (n < 0) {
    if (block.previous == 0) return false;
    if (!readBlock(s, block.previous, block)) {
      show(u"9インデックスファイルが読み込みできません");
      return false;
    }
    n = block.count - 1;
  }
  IndexEntry e;
  if (!indexEntryAt(block, n, e)) {
    show(u"8インデックスファイルが読み込みできません");
    return false;
  }
  s.cursor.backwardBlock = block.position;
  s.cursor.backwardEntry = n;
  if (isEndKey(e.key) || e.record == 0) return false;
  return readRecord(s, e.record, entry, u"10インデックスファイルが読み込みできません");
}

bool DictionaryFiles::extractEntryText(DictionaryEntry& entry, int d) {
  try {
    entry.text = d == kJapaneseToChinese ? extractListText(entry) : extractHeadwordLine(entry);
    return true;
  } catch (const std::bad_alloc&) {
    entry.body.reset();
    show(u"メモリが足りません", plat::kMbIconExclamation);
    return false;
  }
}

}  // namespace dict
