#include "platform/core/device.h"

#include "platform/core/codepage.h"
#include "platform/core/private_folder.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace plat {

namespace {

std::mutex gProgramFolderMutex;
std::string gProgramFolder;

bool isDir(const std::string& p) {
  struct stat st {};
  return ::stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool exists(const std::string& p) {
  struct stat st {};
  return ::stat(p.c_str(), &st) == 0;
}

std::string lowerAscii(std::string_view s) {
  std::string r(s);
  for (char& c : r) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return r;
}

// Finds the entry of dir whose name equals name ignoring ASCII case; exact match first.
std::string matchEntry(const std::string& dir, const std::string& name) {
  if (exists(dir + "/" + name)) return name;
  DIR* d = ::opendir(dir.c_str());
  if (!d) return name;
  std::string want = lowerAscii(name);
  std::string found;
  while (dirent* e = ::readdir(d)) {
    if (lowerAscii(e->d_name) == want) {
      found = e->d_name;
      break;
    }
  }
  ::closedir(d);
  return found.empty() ? name : found;
}

std::vector<std::string> splitComponents(std::string_view p) {
  std::vector<std::string> parts;
  std::string cur;
  for (char c : p) {
    if (c == '\\' || c == '/') {
      if (!cur.empty() && cur != ".") parts.push_back(cur);
      cur.clear();
    } else {
      cur.push_back(c);
    }
  }
  if (!cur.empty() && cur != ".") parts.push_back(cur);
  return parts;
}

// A path with a leading slash whose first component exists on the host is a host path; the device's
// own folders ("/Storage Card") are not found there.
bool isHostPath(std::string_view p) {
  if (p.empty() || p.front() != '/') return false;
  auto end = p.find('/', 1);
  std::string first(p.substr(0, end));
  return first.size() > 1 && exists(first);
}

}  // namespace

std::string deviceRoot() {
  const char* r = std::getenv(kDeviceRootEnv);
  if (!r || !*r) return {};
  std::string s(r);
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s;
}

std::string hostPath(std::string_view devicePath) {
  // The process's own folder holds only names it wrote itself: no matching needed.
  if (inPrivateFolder(devicePath)) return std::string(devicePath);
  std::string root = deviceRoot();
  std::string base;
  std::string_view rest = devicePath;
  if (isHostPath(devicePath)) {
    // Host paths: inside the device root they are resolved like device paths.
    if (!root.empty() && devicePath.substr(0, root.size()) == root &&
        (devicePath.size() == root.size() || devicePath[root.size()] == '/')) {
      base = root;
      rest = devicePath.substr(root.size());
    } else {
      base = "";
    }
  } else {
    base = root;
  }
  std::string out = base;
  bool resolving = true;
  for (const std::string& comp : splitComponents(rest)) {
    if (comp == "..") {
      auto pos = out.rfind('/');
      if (pos != std::string::npos && out.size() > base.size()) out.erase(pos);
      continue;
    }
    std::string dir = out.empty() ? "/" : out;
    std::string name = resolving ? matchEntry(dir, comp) : comp;
    out += "/" + name;
    if (resolving && !exists(out)) resolving = false;
  }
  if (out.empty()) out = base.empty() ? "/" : base;
  return out;
}

std::string hostPath(std::u16string_view devicePath) {
  return hostPath(wideToUtf8(devicePath));
}

bool pathExists(std::string_view devicePath) { return exists(hostPath(devicePath)); }

std::vector<DirEntry> listFolder(std::string_view devicePath) {
  std::vector<DirEntry> out;
  std::string host = hostPath(devicePath);
  DIR* d = ::opendir(host.c_str());
  if (!d) return out;
  std::string root = deviceRoot();
  bool topLevel = (host == root);
  while (dirent* e = ::readdir(d)) {
    std::string name = e->d_name;
    if (name == "." || name == ".." || name == kStorageCardMarker) continue;
    if (topLevel && !name.empty() && name[0] == '.') continue;  // platform's own files
    std::string full = host + "/" + name;
    unsigned attr = kAttrNormal;
    if (isDir(full)) {
      attr = kAttrDirectory;
      if (topLevel && exists(full + "/" + kStorageCardMarker)) attr |= kAttrTemporary;
    }
    out.push_back({name, attr});
  }
  ::closedir(d);
  std::sort(out.begin(), out.end(), [](const DirEntry& a, const DirEntry& b) { return a.name < b.name; });
  return out;
}

std::vector<std::string> storageCards() {
  std::vector<std::string> cards;
  for (const DirEntry& e : listFolder("\\")) {
    if ((e.attributes & kAttrDirectory) && (e.attributes & kAttrTemporary)) cards.push_back("\\" + e.name);
  }
  return cards;
}

std::string programFolder() {
  {
    std::lock_guard<std::mutex> lock(gProgramFolderMutex);
    if (!gProgramFolder.empty()) return gProgramFolder;
  }
  char buf[4096];
  ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return ".";
  std::string exe(buf, static_cast<size_t>(n));
  auto pos = exe.rfind('/');
  return pos == std::string::npos ? std::string(".") : exe.substr(0, pos);
}

void setProgramFolder(std::string hostFolder) {
  std::lock_guard<std::mutex> lock(gProgramFolderMutex);
  while (hostFolder.size() > 1 && hostFolder.back() == '/') hostFolder.pop_back();
  gProgramFolder = std::move(hostFolder);
}

bool makeFolders(std::string_view devicePath) {
  std::string host = hostPath(devicePath);
  std::string cur;
  for (const std::string& comp : splitComponents(host)) {
    cur += "/" + comp;
    if (!isDir(cur) && ::mkdir(cur.c_str(), 0755) != 0 && !isDir(cur)) return false;
  }
  return true;
}

bool removeFile(std::string_view devicePath) { return ::unlink(hostPath(devicePath).c_str()) == 0; }

}  // namespace plat
