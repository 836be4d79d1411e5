#include "platform/core/files.h"

#include "platform/core/codepage.h"
#include "platform/core/device.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <atomic>
#include <cstring>
#include <map>
#include <mutex>
#include <set>

namespace plat {

namespace {

std::mutex gMutex;
std::map<std::FILE*, std::string> gOpen;  // file -> lower-case last component
std::set<std::string> gFailSeek;
std::atomic<bool> gAnyFailSeek{false};

// A whole file kept in memory and the position fileSeek and fileRead keep in it.
struct Held {
  std::string bytes;
  long position = 0;
};
std::map<std::FILE*, Held> gHeld;

std::string lastComponentLower(std::string_view p) {
  auto pos = p.find_last_of("\\/");
  std::string s(pos == std::string_view::npos ? p : p.substr(pos + 1));
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

}  // namespace

std::FILE* fileOpen(std::string_view devicePath, const char* mode) {
  std::string host = hostPath(devicePath);
  std::FILE* f = std::fopen(host.c_str(), mode);
  // A folder opens for reading on Linux; as a file it is not there.
  struct stat st {};
  if (f && (::fstat(::fileno(f), &st) != 0 || S_ISDIR(st.st_mode))) {
    std::fclose(f);
    errno = EISDIR;
    return nullptr;
  }
  if (f) {
    std::lock_guard<std::mutex> lock(gMutex);
    gOpen[f] = lastComponentLower(host);
  }
  return f;
}

std::FILE* fileOpen(std::u16string_view devicePath, const char* mode) {
  return fileOpen(wideToUtf8(devicePath), mode);
}

int fileTruncate(std::FILE* f, long size) {
  if (!f || size < 0 || std::fflush(f) != 0) return -1;
  return ::ftruncate(::fileno(f), static_cast<off_t>(size));
}

int fileClose(std::FILE* f) {
  if (!f) return -1;
  {
    std::lock_guard<std::mutex> lock(gMutex);
    gOpen.erase(f);
    gHeld.erase(f);
  }
  return std::fclose(f);
}

int fileSeek(std::FILE* f, long offset, int whence) {
  if (!f) return -1;
  std::lock_guard<std::mutex> lock(gMutex);
  if (gAnyFailSeek.load(std::memory_order_relaxed)) {
    auto it = gOpen.find(f);
    if (it != gOpen.end() && gFailSeek.erase(it->second) > 0) {
      gAnyFailSeek = !gFailSeek.empty();
      return -1;
    }
  }
  auto held = gHeld.find(f);
  if (held == gHeld.end()) return std::fseek(f, offset, whence);
  Held& h = held->second;
  long base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? h.position : static_cast<long>(h.bytes.size());
  if (whence != SEEK_SET && whence != SEEK_CUR && whence != SEEK_END) return -1;
  if (base + offset < 0) return -1;
  h.position = base + offset;
  return 0;
}

bool fileHoldInMemory(std::FILE* f) {
  if (!f) return false;
  std::string bytes;
  char buf[65536];
  std::size_t n;
  if (std::fseek(f, 0, SEEK_SET) != 0) return false;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
  if (std::ferror(f)) return false;
  std::lock_guard<std::mutex> lock(gMutex);
  gHeld[f] = Held{std::move(bytes), 0};
  return true;
}

const std::string* fileHeldBytes(std::FILE* f) {
  std::lock_guard<std::mutex> lock(gMutex);
  auto held = gHeld.find(f);
  return held == gHeld.end() ? nullptr : &held->second.bytes;
}

std::size_t fileRead(void* buffer, std::size_t size, std::FILE* f) {
  if (!f || size == 0) return 0;
  {
    std::lock_guard<std::mutex> lock(gMutex);
    auto held = gHeld.find(f);
    if (held != gHeld.end()) {
      Held& h = held->second;
      const std::size_t at = static_cast<std::size_t>(h.position);
      const std::size_t n = at < h.bytes.size() ? std::min(size, h.bytes.size() - at) : 0;
      if (n) std::memcpy(buffer, h.bytes.data() + at, n);
      h.position += static_cast<long>(n);
      return n;
    }
  }
  return std::fread(buffer, 1, size, f);
}

void failNextSeek(std::string_view fileName) {
  std::lock_guard<std::mutex> lock(gMutex);
  gFailSeek.insert(lastComponentLower(fileName));
  gAnyFailSeek = true;
}

int openFileCount(std::string_view name) {
  std::lock_guard<std::mutex> lock(gMutex);
  if (name.empty()) return static_cast<int>(gOpen.size());
  std::string want = lastComponentLower(name);
  int n = 0;
  for (const auto& [f, n2] : gOpen) {
    if (n2 == want) ++n;
  }
  return n;
}

long fileSize(std::FILE* f) {
  if (!f) return -1;
  struct stat st {};
  if (::fstat(::fileno(f), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  long pos = std::ftell(f);
  if (pos < 0 || std::fseek(f, 0, SEEK_END) != 0) return -1;
  long size = std::ftell(f);
  std::fseek(f, pos, SEEK_SET);
  return size;
}

bool readWholeFile(std::string_view devicePath, std::string& out) {
  out.clear();
  std::FILE* f = fileOpen(devicePath, "rb");
  if (!f) return false;
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
  bool ok = !std::ferror(f);
  fileClose(f);
  return ok;
}

bool writeWholeFile(std::string_view devicePath, std::string_view bytes) {
  std::FILE* f = fileOpen(devicePath, "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = (fileClose(f) == 0) && ok;
  return ok;
}

}  // namespace plat
