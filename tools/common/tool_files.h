// Whole files on the host for the tool programs (generators, card writers, benchmarks).
#pragma once
#include <string>
#include <string_view>

namespace tools {

// The file's bytes; false (out empty) when it cannot be opened or read.
bool readFile(const std::string& path, std::string& out);
// The file's bytes; empty when it cannot be read.
std::string readFile(const std::string& path);
// Replaces the file with bytes; false when it cannot be written whole.
bool writeFile(const std::string& path, std::string_view bytes);

}  // namespace tools
