// The per-user runtime folder that programs share: sockets, window files, named objects.
#pragma once
#include <string>
#include <string_view>

namespace plat {

// SUITE_RUNTIME_DIR overrides the folder (each test uses its own).
inline constexpr const char* kRuntimeDirEnv = "SUITE_RUNTIME_DIR";

// The folder, created (mode 0700) when missing; no trailing slash.
std::string runtimeFolder();

namespace runtime {

// File of a named object in the runtime folder: prefix + the name with every byte outside
// [A-Za-z0-9_.-] written as %XX (names may hold slashes and backslashes).
std::string objectPath(std::string_view prefix, std::u16string_view name);

// Open-file-description locks on one byte of a lock file. The kernel drops them when the last
// descriptor of the open file goes, so a process that dies gives its locks up.
int openLockFile(const std::string& path);  // -1 on failure; close-on-exec
bool tryLock(int fd, bool exclusive, long offset);
bool waitLock(int fd, bool exclusive, long offset);
bool unlock(int fd, long offset);
// True when another open file holds a lock on the byte that would conflict with an exclusive one.
bool lockedElsewhere(int fd, long offset);

}  // namespace runtime
}  // namespace plat
