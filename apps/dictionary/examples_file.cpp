#include "apps/dictionary/examples_file.h"

#include "platform/core/files.h"

namespace dict {

std::string checkExamples(std::string_view stored) {
  if (stored.empty()) return "empty";
  std::size_t line = 1;
  bool tab = false;
  for (std::size_t i = 0; i < stored.size(); ++i) {
    const auto c = static_cast<char>(descrambleExampleByte(static_cast<std::uint8_t>(stored[i]), static_cast<std::uint32_t>(i)));
    if (c == '\0') return "line " + std::to_string(line) + ": a NUL byte";
    if (c == '\t') tab = true;
    if (c != '\n') continue;
    if (!tab) return "line " + std::to_string(line) + ": no TAB between the Japanese and the Chinese";
    tab = false;
    ++line;
  }
  if (static_cast<char>(descrambleExampleByte(static_cast<std::uint8_t>(stored.back()),
                                              static_cast<std::uint32_t>(stored.size() - 1))) != '\n')
    return "line " + std::to_string(line) + ": cut short";
  return {};
}

size_t readExamples(std::FILE* file, std::uint32_t position, char* buffer, size_t count) {
  if (!file || plat::fileSeek(file, static_cast<long>(position), SEEK_SET) != 0) return 0;
  size_t got = std::fread(buffer, 1, count, file);
  for (size_t i = 0; i < got; ++i)
    buffer[i] = static_cast<char>(
        descrambleExampleByte(static_cast<std::uint8_t>(buffer[i]), position + static_cast<std::uint32_t>(i)));
  return got;
}

}  // namespace dict
