#include "platform/core/process.h"

#include "platform/core/codepage.h"
#include "platform/core/device.h"

#include <dirent.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

extern char** environ;

namespace plat {
namespace {

thread_local int tLastError = 0;

std::string lower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

std::string lastComponent(std::string_view name) {
  auto pos = name.find_last_of("\\/");
  return std::string(pos == std::string_view::npos ? name : name.substr(pos + 1));
}

bool endsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

int exitStatus(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

}  // namespace

namespace detail {

void setLastError(int code) { tLastError = code; }

std::string findInProgramFolder(std::initializer_list<std::string> names) {
  std::string folder = programFolder();
  DIR* d = ::opendir(folder.c_str());
  if (!d) return {};
  std::vector<std::string> entries;
  while (dirent* e = ::readdir(d)) entries.push_back(e->d_name);
  ::closedir(d);
  for (const std::string& want : names) {
    if (want.empty()) continue;
    std::string lw = lower(want);
    for (const std::string& e : entries) {
      if (lower(e) == lw) return folder + "/" + e;
    }
  }
  return {};
}

}  // namespace detail

bool startProgram(std::string_view program, std::u16string_view commandLine, ProcessInfo* info) {
  std::string name = lastComponent(program);
  std::string bare = endsWith(lower(name), ".exe") ? name.substr(0, name.size() - 4) : name;
  std::string path = detail::findInProgramFolder({name, bare});
  if (path.empty() || ::access(path.c_str(), X_OK) != 0) {
    detail::setLastError(ENOENT);
    return false;
  }
  std::string arg = wideToUtf8(commandLine);
  std::vector<char*> argv{path.data()};
  if (!arg.empty()) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  int rc = ::posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv.data(), environ);
  if (rc != 0) {
    detail::setLastError(rc);
    return false;
  }
  if (info) {
    info->pid = pid;
  } else {
    ProcessInfo loose{pid};
    closeProcessHandle(loose);
  }
  return true;
}

bool waitForProcess(ProcessInfo& info, std::int64_t timeoutMs, int* exitCode) {
  if (info.pid <= 0) return false;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
  for (;;) {
    int status = 0;
    pid_t r = ::waitpid(info.pid, &status, timeoutMs < 0 ? 0 : WNOHANG);
    if (r == info.pid) {
      if (exitCode) *exitCode = exitStatus(status);
      info.pid = 0;
      return true;
    }
    if (r < 0 && errno != EINTR) return false;
    if (timeoutMs >= 0 && std::chrono::steady_clock::now() >= deadline) return false;
    if (r == 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

bool terminateProcess(const ProcessInfo& info) { return info.pid > 0 && ::kill(info.pid, SIGKILL) == 0; }

void closeProcessHandle(ProcessInfo& info) {
  if (info.pid <= 0) return;
  pid_t pid = info.pid;
  info.pid = 0;
  std::thread([pid] {
    int status;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
}

std::u16string processCommandLine(int argc, char** argv) {
  if (argc < 2 || !argv || !argv[1]) return {};
  return utf8ToWide(argv[1]);
}

int lastError() { return tLastError; }

std::u16string systemErrorText(int code) {
  char buf[256];
  const char* text = ::strerror_r(code, buf, sizeof buf);
  return utf8ToWide(text ? text : "");
}

void keepFreedMemory() {
  // Blocks below 4 MiB come from the heap, and up to 16 MiB of its free top stays mapped.
  ::mallopt(M_MMAP_THRESHOLD, 4 << 20);
  ::mallopt(M_TRIM_THRESHOLD, 16 << 20);
}

}  // namespace plat
