#include "engine/cj/analysis/verbcont_record.h"

#include <cstring>

#include "engine/common/descramble.h"
#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/text_checks.h"
#include "platform/core/files.h"

namespace cj {

namespace {

constexpr const char* kVerbContFile = "VerbCont.dat";

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

int findVerbContIndex(const CjEngine& engine, std::string_view verb) {
  const std::vector<CjVerbIndexRecord>& index = engine.data.verbIndex;
  int low = 0, high = static_cast<int>(index.size()) - 1;
  while (low <= high) {
    const int middle = (low + high) / 2;
    const int c = std::string_view(index[middle].verb).compare(verb);
    if (c == 0) return middle;
    if (c > 0) {
      high = middle - 1;
    } else {
      low = middle + 1;
    }
  }
  return -1;
}

int openVerbContRecords(CjEngine& engine, std::string_view verb, std::FILE** file) {
  *file = nullptr;
  const int at = findVerbContIndex(engine, verb);
  if (at < 0) return 0;
  const int32_t offset = engine.data.verbIndex[at].offset;
  if (offset < 0) return 0;
  std::FILE* f = openDataFile(engine, kVerbContFile);
  if (!f) {
    engine.engineStatus = kStatusCwcjdicMissing;
    return -1;
  }
  if (plat::fileSeek(f, offset, SEEK_SET) != 0) {
    plat::fileClose(f);
    return 0;
  }
  *file = f;
  return 1;
}

bool readVerbContRecord(VerbContCursor& cursor, VerbContRecord& out) {
  if (cursor.at > cursor.bytes.size() || cursor.bytes.size() - cursor.at < static_cast<std::size_t>(kVerbContRecordSize))
    return false;
  char record[kVerbContRecordSize];
  std::memcpy(record, cursor.bytes.data() + cursor.at, sizeof record);
  cursor.at += sizeof record;
  descrambleRecord(record, sizeof record);
  parseVerbContRecord(record, out);
  return true;
}

int findVerbContRecords(CjEngine& engine, std::string_view verb, VerbContCursor& cursor) {
  cursor = {};
  const int at = findVerbContIndex(engine, verb);
  if (at < 0) return 0;
  const int32_t offset = engine.data.verbIndex[at].offset;
  if (offset < 0) return 0;
  if (!engine.data.verbCont) {
    engine.engineStatus = kStatusCwcjdicMissing;
    return -1;
  }
  cursor.bytes = plat::fileHeldBytes(engine.data.verbCont);
  cursor.at = static_cast<std::size_t>(offset);
  return 1;
}

bool endsWithOneOf(std::string_view word, std::string_view list) {
  std::size_t from = 0;
  while (from <= list.size()) {
    std::size_t slash = findAtCharStart(list, "/", from);
    if (slash == std::string_view::npos) slash = list.size();
    if (hasTrailingMatch(word, list.substr(from, slash - from))) return true;
    from = slash + 1;
  }
  return false;
}

}  // namespace cj
