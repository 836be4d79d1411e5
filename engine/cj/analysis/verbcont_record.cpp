#include "engine/cj/analysis/verbcont_record.h"

#include <cstring>

#include "engine/cj/analysis/descramble.h"

namespace cj {

namespace {

// The text at offset up to its terminator, at most width bytes; terminated tells whether the
// terminator lay within the width.
std::string field(const char* record, int offset, int width, bool* terminated = nullptr) {
  const std::size_t n = ::strnlen(record + offset, static_cast<std::size_t>(width));
  if (terminated) *terminated = n < static_cast<std::size_t>(width);
  return std::string(record + offset, n);
}

}  // namespace

void parseVerbContRecord(const char* record, VerbContRecord& out) {
  out.verb = field(record, 0, kVerbContVerbWidth);
  out.condition = field(record, kVerbContConditionOffset, kVerbContConditionWidth, &out.conditionTerminated);
  out.frame = field(record, kVerbContFrameOffset, kVerbContFrameWidth);
  out.frameItems = field(record, kVerbContFrameOffset, kVerbContFrameItemsWidth);
  out.japanese = field(record, kVerbContJapaneseOffset, kVerbContJapaneseWidth);
  out.code = field(record, kVerbContCodeOffset, kVerbContCodeWidth);
  out.frameChar = record[kVerbContFrameCharOffset];
  out.secondField = record[kVerbContSecondFieldOffset];
}

bool readVerbContRecord(std::FILE* file, VerbContRecord& out) {
  char record[kVerbContRecordSize];
  if (!file || std::fread(record, 1, sizeof record, file) != sizeof record) return false;
  descrambleRecord(record, sizeof record);
  parseVerbContRecord(record, out);
  return true;
}

}  // namespace cj
