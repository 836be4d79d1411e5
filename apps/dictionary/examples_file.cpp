#include "apps/dictionary/examples_file.h"

#include "platform/core/files.h"

namespace dict {

size_t readExamples(std::FILE* file, std::uint32_t position, char* buffer, size_t count) {
  if (!file || plat::fileSeek(file, static_cast<long>(position), SEEK_SET) != 0) return 0;
  size_t got = std::fread(buffer, 1, count, file);
  for (size_t i = 0; i < got; ++i)
    buffer[i] = static_cast<char>(
        descrambleExampleByte(static_cast<std::uint8_t>(buffer[i]), position + static_cast<std::uint32_t>(i)));
  return got;
}

}  // namespace dict
