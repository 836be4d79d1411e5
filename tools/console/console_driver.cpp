#include "tools/console/console_driver.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/core/device.h"
#include "tools/console/console_lines.h"

namespace console {

std::string findDataFolder(const char* dataFolder) {
  for (const std::string& card : plat::storageCards()) {
    std::string folder = card + dataFolder;
    if (plat::pathExists(folder)) return folder;
  }
  return "";
}

namespace {

void printUsage(std::FILE* to, const Driver& d, const char* program) {
  std::fprintf(to,
               "usage: %s [DATA-FOLDER]\n"
               "Translates each UTF-8 line of standard input %s, one line of\n"
               "standard output per line. DATA-FOLDER is a device path such as\n"
               "\"\\Storage Card%s\"; without it the first storage card of the device folder\n"
               "(%s) that holds that folder is used.%s%s\n"
               "Exit status: %d when every line was translated; %d when a line was not (standard\n"
               "error says which and why; a line that gives no output is not translated); %d when\n"
               "the arguments are wrong, no data folder is found or the engine cannot start.\n",
               program, d.direction, d.dataFolder, plat::kDeviceRootEnv, *d.usageNote ? " " : "", d.usageNote,
               kExitAllTranslated, kExitLinesFailed, kExitCannotStart);
}

}  // namespace

int dataFolderFromArguments(const Driver& d, int argc, char** argv, std::string& folder) {
  if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    printUsage(stdout, d, argv[0]);
    return 0;
  }
  if (argc > 2 || (argc > 1 && argv[1][0] == '-')) {
    printUsage(stderr, d, argv[0]);
    return kExitCannotStart;
  }
  folder = argc > 1 ? argv[1] : findDataFolder(d.dataFolder);
  if (folder.empty()) {
    const char* root = std::getenv(plat::kDeviceRootEnv);
    std::fprintf(stderr, "%s: no storage card of the device folder %s holds %s\n", d.name,
                 root ? root : ("(" + std::string(plat::kDeviceRootEnv) + " is not set)").c_str(), d.dataFolder);
    return kExitCannotStart;
  }
  if (folder.back() != '\\') folder += '\\';
  if (!plat::pathExists(folder)) {
    std::fprintf(stderr, "%s: the data folder %s does not exist\n", d.name, folder.c_str());
    return kExitCannotStart;
  }
  return -1;
}

}  // namespace console
