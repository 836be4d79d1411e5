// The verb-continuation file VerbCont.dat: one record read, descrambled and cut into fields, and
// the lookups both of its readers share.
#pragma once
#include <cstdio>
#include <string>
#include <string_view>

namespace cj {

struct CjEngine;

inline constexpr int kVerbContRecordSize = 163;
inline constexpr int kVerbContVerbWidth = 55;
inline constexpr int kVerbContConditionOffset = 55;
inline constexpr int kVerbContConditionWidth = 40;
inline constexpr int kVerbContFrameOffset = 95;
inline constexpr int kVerbContFrameWidth = 68;       // the frame as the analysis reads it
inline constexpr int kVerbContFrameItemsWidth = 20;  // the frame items before the Japanese fields
inline constexpr int kVerbContJapaneseOffset = 115;
inline constexpr int kVerbContJapaneseWidth = 40;
inline constexpr int kVerbContCodeOffset = 155;
inline constexpr int kVerbContCodeWidth = 6;
inline constexpr int kVerbContFrameCharOffset = 161;
inline constexpr int kVerbContSecondFieldOffset = 162;

// The fields of a descrambled record; every text is read up to its terminator within its width.
struct VerbContRecord {
  std::string verb;
  std::string condition;
  bool conditionTerminated = true;  // false: no terminator within the 40 bytes (over-long)
  std::string frame;       // up to 68 bytes from the frame's start
  std::string frameItems;  // up to 20 bytes from the frame's start
  std::string japanese;
  std::string code;
  char frameChar = 0;
  char secondField = 0;
};

// Cuts a descrambled 163-byte record into its fields.
void parseVerbContRecord(const char* record, VerbContRecord& out);

// Reads the next record from the file and descrambles it; false at the end of the file (a short
// record counts as the end).
bool readVerbContRecord(std::FILE* file, VerbContRecord& out);

// Index of the verb's entry in the loaded verb index, -1 when absent.
int findVerbContIndex(const CjEngine& engine, std::string_view verb);

// Opens VerbCont.dat at the first record of the verb: 1 with *file open (the caller closes it),
// 0 when the verb has no records or the seek fails, -1 when the file is missing (engineStatus
// is set).
int openVerbContRecords(CjEngine& engine, std::string_view verb, std::FILE** file);

// A place in the VerbCont.dat the engine holds: the records from `at` on.
struct VerbContCursor {
  std::string_view bytes;
  std::size_t at = 0;
};

// The next record at the cursor, descrambled; false at the end (a short record counts as the end).
bool readVerbContRecord(VerbContCursor& cursor, VerbContRecord& out);

// The engine's VerbCont.dat at the first record of the verb, as openVerbContRecords answers, but
// read from the file the engine opened at its start.
int findVerbContRecords(CjEngine& engine, std::string_view verb, VerbContCursor& cursor);

// True when the word ends with one of the '/'-separated words of list (a record's condition).
bool endsWithOneOf(std::string_view word, std::string_view list);

}  // namespace cj
