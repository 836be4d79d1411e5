#include "tools/datagen/pinyin_table_writer.h"

namespace datagen {

namespace {
void put16(std::string& out, unsigned v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}
}  // namespace

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
    put16(out, r.character);
    out += r.toneDigit;
    out += static_cast<char>(byte);
  }
  return out;
}

std::string writePinyinIndex(const std::vector<PinyinRun>& runs) {
  std::string out;
  out.reserve(runs.size() * 4);
  for (const PinyinRun& r : runs) {
    put16(out, r.first);
    put16(out, r.count);
  }
  return out;
}

}  // namespace datagen
