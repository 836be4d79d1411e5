// The viewer's two dictionaries: a data file of scrambled records chained in dictionary order
// and an index file of 512-byte blocks mapping keys to records.
#pragma once
#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace dict {

enum Direction : int { kJapaneseToChinese = 0, kChineseToJapanese = 1 };

inline constexpr int kBlockSize = 512;
inline constexpr int kHeaderSize = 512;
inline constexpr int kBlockEntryOffset = 25;
inline constexpr int kBlockEntryBytes = 487;
inline constexpr int kIndexEntryHeader = 14;
inline constexpr int kRecordHeaderSize = 10;
inline constexpr std::uint32_t kRootPositionOffset = 0x48;
inline constexpr std::uint32_t kNoRecord = 0xFFFFFFFF;
// The record key that scrambles every body of both dictionaries.
inline constexpr char kRecordKey[] = "TALVENRO";
// First bytes of the key that ends the index.
inline constexpr char kEndKey[] = "\xFF\xFF\xFF\xFF";

struct DictionaryEntry {
  std::optional<std::string> text;  // key or list text
  std::uint16_t bodyLength = 0;
  std::optional<std::string> body;  // descrambled
  std::int32_t recordNumber = -1;
  std::int32_t previousRecord = -1;
  std::int32_t nextRecord = -1;
};

// XORs the body with the record key, in place (the same call scrambles).
void descrambleEntryBody(DictionaryEntry& entry);
void scrambleBytes(std::string& bytes);

// One decoded index block.
struct IndexBlock {
  std::uint32_t position = 0;
  std::uint16_t count = 0;
  std::uint32_t previous = 0;
  std::uint32_t next = 0;
  std::array<unsigned char, kBlockEntryBytes> entries{};
};

// One index entry as it lies in a block.
struct IndexEntry {
  std::uint32_t child = 0;
  std::uint32_t record = 0;
  std::string_view key;
};

// Decodes a block from its 512 bytes.
IndexBlock decodeIndexBlock(const unsigned char* bytes, std::uint32_t position);
// Entry number n of the block; false when the block's counts, lengths or terminators do not hold.
bool indexEntryAt(const IndexBlock& block, int n, IndexEntry& out);

class DictionaryFiles {
 public:
  // Waits between open attempts; the default sleeps on the platform clock.
  using SleepFn = std::function<void(int milliseconds)>;

  explicit DictionaryFiles(SleepFn sleep = {});
  ~DictionaryFiles();
  DictionaryFiles(const DictionaryFiles&) = delete;
  DictionaryFiles& operator=(const DictionaryFiles&) = delete;

  // Start-up check of the four files (device paths); 0 only when nothing could be set up.
  int openDictionaries(const std::string& jcData, const std::string& jcIndex, const std::string& cjData,
                       const std::string& cjIndex);
  bool isAvailable(int direction) const;
  bool messageShowing() const { return messageShowing_; }

  bool openDirection(int direction);
  void closeDirection(int direction);

  // The entry of a search key. A key of digits and '-' names a record only when recordLink
  // says it is an entry page's link; any other key is searched.
  bool findEntry(int direction, std::string_view key, DictionaryEntry& entry, bool recordLink = false);
  bool nextRecord(int direction, DictionaryEntry& entry);
  bool previousRecord(int direction, DictionaryEntry& entry);
  bool nextIndexEntry(int direction, DictionaryEntry& entry);
  bool previousIndexEntry(int direction, DictionaryEntry& entry);

  // Fills entry.text for the results list; false (body freed, message shown) on failure.
  bool extractEntryText(DictionaryEntry& entry, int direction);

  // The navigation cursor of a direction: where the record chain and the index order go on.
  struct Cursor {
    std::int32_t nextRecord = -1;
    std::int32_t previousRecord = -1;
    std::uint32_t forwardBlock = 0;
    int forwardEntry = 0;
    std::uint32_t backwardBlock = 0;
    int backwardEntry = 0;
  };

  void saveCursor(int direction);
  void restoreCursor(int direction);
  // A results list keeps its own copy, so that other searches between its extensions do not move it.
  Cursor cursor(int direction) const;
  void setCursor(int direction, const Cursor& cursor);

 private:
  struct Side {
    bool available = false;
    std::string dataPath, indexPath;
    std::FILE* data = nullptr;
    std::FILE* index = nullptr;
    IndexBlock root;
    std::uint32_t rootPosition = 0;
    Cursor cursor, saved;
  };

  void show(const std::u16string& text, unsigned flags = 0);
  bool readBlock(Side& s, std::uint32_t position, IndexBlock& out);
  bool readRecord(Side& s, std::uint32_t position, DictionaryEntry& entry, const char16_t* shortHeader);
  bool walkToKey(Side& s, const std::string& key, std::uint32_t& record, int& entryNumber);
  void selectHomograph(int direction, const std::string& suffix, DictionaryEntry& entry);
  bool checkFiles(int direction, const std::string& dataPath, const std::string& indexPath);
  long blockLimit(Side& s) const;

  Side sides_[2];
  SleepFn sleep_;
  bool messageShowing_ = false;
};

}  // namespace dict
