// The candidate tables as the panel carries them: per layout and character set a syllable index
// of {first record, record count}, per character set the character records
// {UTF-16 character, tone digit, frequency byte}. Used in place; checked once when located.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>

namespace pinyin {

// Resource ids of type TEXT.
inline constexpr unsigned kTextIndexPinyinSimplified = 102;
inline constexpr unsigned kTextRecordsSimplified = 103;
inline constexpr unsigned kTextRecordsTraditional = 109;
inline constexpr unsigned kTextIndexPinyinTraditional = 110;
inline constexpr unsigned kTextIndexZhuyinSimplified = 111;
inline constexpr unsigned kTextIndexZhuyinTraditional = 112;

struct TableBytes {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
};

struct CandidateRecord {
  char16_t character = 0;
  char toneDigit = '0';
  int priority = 0;
  bool repeat = false;
};

struct CandidateRun {
  std::uint32_t first = 0;
  std::uint32_t count = 0;
};

class CandidateTables {
 public:
  // Takes the six tables; an index is usable only when it has one entry per syllable number and
  // every run lies inside its record table.
  void set(bool zhuyin, bool traditional, TableBytes index);
  void setRecords(bool traditional, TableBytes records);
  bool usable(bool zhuyin, bool traditional) const { return usable_[zhuyin][traditional]; }

  // The run of a syllable number; nothing for an unusable table or a number outside it.
  std::optional<CandidateRun> run(bool zhuyin, bool traditional, int number) const;
  std::size_t recordCount(bool traditional) const { return records_[traditional].size / 4; }
  // A record of a run (the caller keeps to its run).
  CandidateRecord record(bool traditional, std::uint32_t i) const;

 private:
  void check();
  TableBytes index_[2][2];
  TableBytes records_[2];
  bool usable_[2][2] = {};
};

// The six tables of the running library's resources.
CandidateTables locateCandidateTables();

}  // namespace pinyin
