#include "tools/datagen/pinyin_table_writer.h"

#include "platform/core/little_endian.h"

namespace datagen {

std::optional<std::string> writePinyinRecords(const std::vector<PinyinRecord>& records, bool traditional) {
  std::string out;
  out.reserve(records.size() * 4);
  for (const PinyinRecord& r : records) {
    if (r.toneDigit < '0' || r.toneDigit > '4' || r.priority < 0) return std::nullopt;
    int byte = 0;
    if (traditional) {
      if (r.priority > 127) return std::nullopt;
      byte = r.priority | (r.repeat ? 0x80 : 0);
    } else if (r.repeat) {
      if (r.priority < kPinyinMinRepeatPriority || r.priority > 255 - 17) return std::nullopt;
      byte = r.priority + 17;
    } else {
      if (r.priority > kPinyinMaxPriority) return std::nullopt;
      byte = r.priority;
    }
    plat::appendLe16(out, r.character);
    out += r.toneDigit;
    out += static_cast<char>(byte);
  }
  return out;
}

std::string writePinyinIndex(const std::vector<PinyinRun>& runs) {
  std::string out;
  out.reserve(runs.size() * 4);
  for (const PinyinRun& r : runs) {
    plat::appendLe16(out, r.first);
    plat::appendLe16(out, r.count);
  }
  return out;
}

}  // namespace datagen
