#include "tools/datagen/cj_dic_entry_writer.h"

#include "tools/datagen/cj_scramble.h"

namespace datagen {

std::string cjDicEntryLine(std::string_view entry, uint32_t offset) {
  // The first byte of an entry is not read.
  std::string plain = " ";
  plain.append(entry);
  plain += "\r\n";
  return scrambleAt(CjScrambleKey::DicEntry, plain, static_cast<long>(offset));
}

std::string cjDicEntryFile(const std::vector<std::string>& entries, std::vector<uint32_t>* offsets) {
  std::string file;
  if (offsets) offsets->clear();
  for (const std::string& e : entries) {
    const auto at = static_cast<uint32_t>(file.size());
    if (offsets) offsets->push_back(at);
    file += cjDicEntryLine(e, at);
  }
  return file;
}

}  // namespace datagen
