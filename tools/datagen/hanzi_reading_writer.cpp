#include "tools/datagen/hanzi_reading_writer.h"

#include "platform/core/little_endian.h"

namespace datagen {

int hanziReadingSlot(char32_t cp) {
  if (cp >= 0x3400 && cp <= 0x9FA5) return static_cast<int>(cp - 0x3400);
  if (cp >= 0xF900 && cp <= 0xFA2A) return static_cast<int>(cp - 0x8D00);
  return -1;
}

std::string hanziReadingFile(const std::vector<std::pair<char32_t, std::string>>& readings) {
  std::string index(static_cast<std::size_t>(kHanziReadingSlots) * 4, '\0');
  std::string body;
  for (const auto& [cp, reading] : readings) {
    int slot = hanziReadingSlot(cp);
    if (slot < 0 || reading.size() > 252) continue;
    std::uint32_t offset = static_cast<std::uint32_t>(index.size() + body.size());
    plat::writeLe32(index.data() + static_cast<std::size_t>(slot) * 4, offset);
    body.push_back(static_cast<char>(reading.size() + 3));
    body.append(2, '\0');
    body += reading;
  }
  return index + body;
}

}  // namespace datagen
