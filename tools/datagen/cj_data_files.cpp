#include "tools/datagen/cj_data_files.h"

#include "platform/core/little_endian.h"
#include "tools/datagen/cj_scramble.h"

#include <algorithm>

namespace datagen {

std::string cjIndexFile(std::vector<CjIndexEntry> entries) {
  std::sort(entries.begin(), entries.end(),
            [](const CjIndexEntry& a, const CjIndexEntry& b) { return a.code < b.code; });
  std::string file;
  for (const CjIndexEntry& e : entries) {
    uint32_t fields[3] = {e.code, e.childCount, e.value};
    int widths[3] = {2, 2, 4};
    for (int f = 0; f < 3; ++f) {
      plat::appendLe(file, fields[f], widths[f]);
    }
  }
  return file;
}

bool cjListFile(std::string_view plain, std::string& out) {
  return scrambleLineFile(CjScrambleKey::ListLine, plain, out);
}

std::string cjVerbIndexFile(std::vector<CjVerbIndexEntry> entries) {
  std::sort(entries.begin(), entries.end(), [](const CjVerbIndexEntry& a, const CjVerbIndexEntry& b) {
    return a.verb < b.verb;  // char_traits<char> compares as unsigned bytes
  });
  std::string file;
  for (const CjVerbIndexEntry& e : entries) {
    std::string rec(kCjVerbIndexRecordSize, '\0');
    rec.replace(0, std::min<std::size_t>(e.verb.size(), 39), e.verb.substr(0, 39));
    auto v = static_cast<uint32_t>(e.offset);
    plat::writeLe32(rec.data() + 40, v);
    file += scrambleRecord(rec);
  }
  return file;
}

std::string cjReadingTableFile(const std::vector<CjReadingRow>& rows) {
  std::string file;
  for (const CjReadingRow& r : rows) {
    std::string row(kCjReadingRowSize, ' ');
    row.replace(0, std::min<std::size_t>(r.syllable.size(), 6), r.syllable.substr(0, 6));
    row.replace(8, std::min<std::size_t>(r.reading.size(), 8), r.reading.substr(0, 8));
    row[24] = '\r';
    row[25] = '\n';
    file += row;
  }
  return file;
}

}  // namespace datagen
