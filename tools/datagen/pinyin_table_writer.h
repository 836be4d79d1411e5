// Writer of the pinyin panel's candidate tables: the character records (TEXT 103 simplified,
// 109 traditional) and the syllable indexes (TEXT 102, 110, 111, 112), little-endian.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace datagen {

// Priorities the frequency byte can carry: simplified, 0-64 for a first record and 48-238 for a
// repeat (stored + 17); traditional, 0-127 with bit 7 marking a repeat.
inline constexpr int kPinyinMaxPriority = 64;
inline constexpr int kPinyinMinRepeatPriority = 48;

struct PinyinRecord {
  char16_t character = 0;
  char toneDigit = '0';  // '0' neutral, '1'-'4'
  int priority = 0;
  bool repeat = false;  // another tone of the character just above
};

struct PinyinRun {
  std::uint16_t first = 0;
  std::uint16_t count = 0;
};

// Four bytes a record; nothing when a record's priority or tone cannot be stored.
std::optional<std::string> writePinyinRecords(const std::vector<PinyinRecord>& records, bool traditional);
// Four bytes an entry.
std::string writePinyinIndex(const std::vector<PinyinRun>& runs);

}  // namespace datagen
