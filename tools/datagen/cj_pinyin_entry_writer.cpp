#include "tools/datagen/cj_pinyin_entry_writer.h"

#include "tools/datagen/cj_scramble.h"

namespace datagen {

std::string cjPinyinEntryLine(std::string_view reading, uint32_t offset) {
  std::string plain(reading.substr(0, kCjPinyinReadingSize));
  plain += "\r\n";
  return scrambleAt(CjScrambleKey::DicEntry, plain, static_cast<long>(offset));
}

std::string cjPinyinEntryFile(const std::vector<std::string>& readings, std::vector<uint32_t>* offsets) {
  std::string file;
  if (offsets) offsets->clear();
  for (const std::string& r : readings) {
    const auto at = static_cast<uint32_t>(file.size());
    if (offsets) offsets->push_back(at);
    file += cjPinyinEntryLine(r, at);
  }
  return file;
}

}  // namespace datagen
