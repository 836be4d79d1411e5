// A whole Chinese-to-Japanese data folder: every file the engine's start-up opens or reads.
#pragma once
#include <map>
#include <string>
#include <string_view>

namespace datagen {

// Device path of the engine's data folder on a card ("\Storage Card"), ending in a backslash.
std::string cjDataFolder(std::string_view card);

// File name (relative to the data folder, "pinyindic\PinKaChu.tbl") to bytes.
using CjDataFiles = std::map<std::string, std::string>;

// A minimal folder that starts the engine: small files for those the start-up only opens, one
// index record per index, a list, a reading table, a verb index, a grammar with a state-0 entry in
// every group, and the word table text given (UTF-8).
CjDataFiles minimalCjDataFiles(std::string_view wordTableText);

// Writes the files under the folder (device path ending in a backslash).
bool writeCjDataFiles(std::string_view folder, const CjDataFiles& files);

}  // namespace datagen
