#include "platform/core/runtime_folder.h"

#include "platform/core/codepage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace plat {
namespace {

void makeFolder(const std::string& path) {
  std::string cur;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || (path[i] == '/' && i > 0)) {
      cur = path.substr(0, i);
      ::mkdir(cur.c_str(), 0700);
    }
  }
}

bool lockOp(int fd, int cmd, short type, long offset) {
  struct flock fl {};
  fl.l_type = type;
  fl.l_whence = SEEK_SET;
  fl.l_start = offset;
  fl.l_len = 1;
  for (;;) {
    if (::fcntl(fd, cmd, &fl) == 0) return true;
    if (errno != EINTR) return false;
  }
}

// A real folder (no link) of this user.
bool ownFolder(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid();
}

}  // namespace

std::string runtimeFolder() {
  std::string folder;
  if (const char* env = std::getenv(kRuntimeDirEnv); env && *env) {
    folder = env;
  } else if (const char* xdg = std::getenv("XDG_RUNTIME_DIR"); xdg && *xdg) {
    folder = std::string(xdg) + "/jcsuite";
  } else {
    folder = "/tmp/jcsuite-" + std::to_string(::getuid());
  }
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  makeFolder(folder);
  if (!ownFolder(folder)) {
    // Someone else's folder under the shared name: keep to the home folder instead.
    const char* home = std::getenv("HOME");
    folder = std::string(home && *home ? home : ".") + "/.jcsuite-run";
    makeFolder(folder);
  }
  return folder;
}

namespace runtime {

std::string objectPath(std::string_view prefix, std::u16string_view name) {
  static const char* hex = "0123456789ABCDEF";
  std::string out = runtimeFolder() + "/" + std::string(prefix);
  for (unsigned char c : wideToUtf8(name)) {
    bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
                 c == '.' || c == '-';
    if (plain) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back('%');
      out.push_back(hex[c >> 4]);
      out.push_back(hex[c & 15]);
    }
  }
  return out;
}

int openLockFile(const std::string& path) { return ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600); }

bool tryLock(int fd, bool exclusive, long offset) {
  return lockOp(fd, F_OFD_SETLK, exclusive ? F_WRLCK : F_RDLCK, offset);
}

bool waitLock(int fd, bool exclusive, long offset) {
  return lockOp(fd, F_OFD_SETLKW, exclusive ? F_WRLCK : F_RDLCK, offset);
}

bool unlock(int fd, long offset) { return lockOp(fd, F_OFD_SETLK, F_UNLCK, offset); }

bool lockedElsewhere(int fd, long offset) {
  struct flock fl {};
  fl.l_type = F_WRLCK;
  fl.l_whence = SEEK_SET;
  fl.l_start = offset;
  fl.l_len = 1;
  if (::fcntl(fd, F_OFD_GETLK, &fl) != 0) return false;
  return fl.l_type != F_UNLCK;
}

}  // namespace runtime
}  // namespace plat
