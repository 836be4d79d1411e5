#include "tools/common/tool_files.h"

#include <cstdio>
#include <memory>

namespace tools {

bool readFile(const std::string& path, std::string& out) {
  out.clear();
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!f) return false;
  char buffer[65536];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f.get())) > 0;) out.append(buffer, n);
  if (std::ferror(f.get())) {
    out.clear();
    return false;
  }
  return true;
}

std::string readFile(const std::string& path) {
  std::string out;
  readFile(path, out);
  return out;
}

bool writeFile(const std::string& path, std::string_view bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && written;
}

}  // namespace tools
