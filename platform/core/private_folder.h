// A folder of the process's own for the working files that no other process reads (a translator's
// MORPH.TMP and CHNGEN.TMP): any number of programs run side by side, and a read-only install works.
#pragma once
#include <string>
#include <string_view>

namespace plat {

// The folder (absolute host path, no trailing slash), made with mode 0700 in $TMPDIR (else /tmp;
// a relative TMPDIR is taken from the current folder) at the first call; it is removed with what it
// holds when the process that made it exits, and when SIGINT, SIGTERM, SIGHUP or SIGPIPE ends it
// (signals the program handles or ignores itself are left alone). Empty when it cannot be made.
const std::string& privateFolder();
// Why the last call made no folder (empty when it made one).
std::string privateFolderProblem();

// True when path lies inside the private folder made by this process.
bool inPrivateFolder(std::string_view path);

}  // namespace plat
