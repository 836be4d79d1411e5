// The argument check of the tool programs: one usage line, one exit code for a wrong call.
#pragma once

namespace tools {

// The exit code of a tool called with the wrong arguments.
inline constexpr int kUsageExit = 2;

// True when the tool got from least to most arguments after its name (most -1: no upper bound);
// otherwise prints "usage: <program> <usage>" to standard error.
bool argumentsFit(int argc, char** argv, int least, int most, const char* usage);
// Prints the usage line alone, for tools that check their options themselves.
void printUsage(char** argv, const char* usage);

}  // namespace tools
