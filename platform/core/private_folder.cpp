#include "platform/core/private_folder.h"

#include <dirent.h>
#include <unistd.h>

#include <cstdlib>
#include <mutex>

namespace plat {

namespace {

std::mutex gMutex;
std::string gFolder;
pid_t gMaker = 0;

// Removes the folder's files and the folder; only in the process that made it (a child that
// exits through exit() leaves its parent's folder alone).
void removeAtExit() {
  if (gFolder.empty() || ::getpid() != gMaker) return;
  if (DIR* d = ::opendir(gFolder.c_str())) {
    while (dirent* e = ::readdir(d)) {
      const std::string name = e->d_name;
      if (name != "." && name != "..") ::unlink((gFolder + "/" + name).c_str());
    }
    ::closedir(d);
  }
  ::rmdir(gFolder.c_str());
}

}  // namespace

const std::string& privateFolder() {
  std::lock_guard<std::mutex> lock(gMutex);
  if (!gFolder.empty() && gMaker == ::getpid()) return gFolder;
  const char* tmp = std::getenv("TMPDIR");
  std::string base = tmp && *tmp ? tmp : "/tmp";
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  std::string pattern = base + "/suite-" + std::to_string(::getpid()) + "-XXXXXX";
  if (!::mkdtemp(pattern.data())) {
    gFolder.clear();
    return gFolder;
  }
  const bool first = gMaker == 0;
  gFolder = pattern;
  gMaker = ::getpid();
  if (first) std::atexit(removeAtExit);
  return gFolder;
}

bool inPrivateFolder(std::string_view path) {
  std::lock_guard<std::mutex> lock(gMutex);
  return !gFolder.empty() && gMaker == ::getpid() && path.size() > gFolder.size() &&
         path.substr(0, gFolder.size()) == gFolder && path[gFolder.size()] == '/';
}

}  // namespace plat
