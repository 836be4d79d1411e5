// What the two console translators share: the data folder named on the command line or found on the
// device's storage cards, and the usage text.
#pragma once
#include <string>

namespace console {

struct Driver {
  const char* name;        // the program's name in its messages
  const char* dataFolder;  // the data folder below a card, e.g. "\\Talvenro\\...\\CJSYSTEMDIC\\"
  const char* direction;   // "from Chinese to Japanese"
  const char* usageNote;   // a last sentence of the usage text, or ""
};

// The first storage card of the device folder that holds the data folder: that path, or "".
std::string findDataFolder(const char* dataFolder);

// Reads "[DATA-FOLDER]" or "--help" from the arguments. Returns -1 with folder set (ending in a
// backslash) to go on, or the exit code after the usage or an error is written.
int dataFolderFromArguments(const Driver& driver, int argc, char** argv, std::string& folder);

}  // namespace console
