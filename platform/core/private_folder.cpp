#include "platform/core/private_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace plat {

namespace {

std::mutex gMutex;
std::string gFolder;
std::string gProblem;
pid_t gMaker = 0;

// A copy of the folder's path for the signal handler, which may not touch std::string.
char gSignalPath[PATH_MAX];
volatile sig_atomic_t gSignalMaker = 0;

// The signals that end a process by default and that a user or a closed pipe sends.
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};

// Removes the folder's files and the folder with async-signal-safe calls only (the directory read
// through the raw system call); only in the process that made it.
void removeFolderNow() {
  if (gSignalMaker == 0 || ::getpid() != static_cast<pid_t>(gSignalMaker)) return;
  const int dir = ::open(gSignalPath, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    alignas(8) char buffer[4096];
    for (long n; (n = ::syscall(SYS_getdents64, dir, buffer, sizeof buffer)) > 0;) {
      for (long at = 0; at < n;) {
        struct Entry {
          ino64_t ino;
          off64_t off;
          unsigned short reclen;
          unsigned char type;
          char name[1];
        };
        const auto* e = reinterpret_cast<const Entry*>(buffer + at);
        if (std::strcmp(e->name, ".") != 0 && std::strcmp(e->name, "..") != 0) ::unlinkat(dir, e->name, 0);
        at += e->reclen;
      }
    }
    ::close(dir);
  }
  ::rmdir(gSignalPath);
}

void removeAtExit() {
  if (gFolder.empty() || ::getpid() != gMaker) return;
  removeFolderNow();
}

// Removes the folder, then ends the process by the same signal as it would have ended without us.
void removeOnSignal(int signal) {
  const int saved = errno;
  removeFolderNow();
  gSignalMaker = 0;
  struct sigaction standard {};
  standard.sa_handler = SIG_DFL;
  sigemptyset(&standard.sa_mask);
  ::sigaction(signal, &standard, nullptr);
  errno = saved;
  ::raise(signal);
}

// Signals left at their default action get the handler; a program's own handlers and ignored
// signals stay as they are.
void catchEndingSignals() {
  for (int signal : kEndingSignals) {
    struct sigaction current {};
    if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL ||
        (current.sa_flags & SA_SIGINFO))
      continue;
    struct sigaction ours {};
    ours.sa_handler = removeOnSignal;
    sigemptyset(&ours.sa_mask);
    ours.sa_flags = SA_RESETHAND;
    ::sigaction(signal, &ours, nullptr);
  }
}

// $TMPDIR as an absolute folder: a relative one is taken from the current folder. Empty, with
// gProblem saying why, when it is no folder.
std::string baseFolder() {
  const char* tmp = std::getenv("TMPDIR");
  std::string base = tmp && *tmp ? tmp : "/tmp";
  if (base.front() != '/') {
    char* resolved = ::realpath(base.c_str(), nullptr);
    if (!resolved) {
      gProblem = "TMPDIR (" + base + ") is not an existing folder: " + std::strerror(errno);
      return {};
    }
    base = resolved;
    std::free(resolved);
  }
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  return base;
}

}  // namespace

const std::string& privateFolder() {
  std::lock_guard<std::mutex> lock(gMutex);
  if (!gFolder.empty() && gMaker == ::getpid()) return gFolder;
  gProblem.clear();
  gFolder.clear();
  const std::string base = baseFolder();
  if (base.empty()) return gFolder;
  std::string pattern = base + "/suite-" + std::to_string(::getpid()) + "-XXXXXX";
  if (pattern.size() >= sizeof gSignalPath) {
    gProblem = "the temporary folder's path is too long: " + base;
    return gFolder;
  }
  if (!::mkdtemp(pattern.data())) {
    gProblem = "no private folder can be made in " + base + ": " + std::strerror(errno);
    return gFolder;
  }
  const bool first = gMaker == 0;
  gFolder = pattern;
  gMaker = ::getpid();
  gSignalMaker = 0;
  std::memcpy(gSignalPath, gFolder.c_str(), gFolder.size() + 1);
  gSignalMaker = static_cast<sig_atomic_t>(gMaker);
  if (first) std::atexit(removeAtExit);
  catchEndingSignals();
  return gFolder;
}

std::string privateFolderProblem() {
  std::lock_guard<std::mutex> lock(gMutex);
  return gProblem;
}

bool inPrivateFolder(std::string_view path) {
  std::lock_guard<std::mutex> lock(gMutex);
  return !gFolder.empty() && gMaker == ::getpid() && path.size() > gFolder.size() &&
         path.substr(0, gFolder.size()) == gFolder && path[gFolder.size()] == '/';
}

}  // namespace plat
