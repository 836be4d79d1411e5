// The build tree's programs, for tests that run them: where they are, and one run of a console
// program over lines of text.
#pragma once
#include <string>
#include <vector>

#include "tools/common/tool_files.h"

namespace datagen {

// The build tree: the parent of SUITE_BIN_DIR when set, else of the running program's folder.
std::string buildFolder();
// Its program folder.
std::string binFolder();

std::string shellQuoted(const std::string& s);
inline std::string readWholeFile(const std::string& path) { return tools::readFile(path); }
// A hard link, or a copy where links cannot be made; false when neither could be.
bool linkOrCopy(const std::string& from, const std::string& to);

struct LinesRun {
  std::vector<std::string> lines;  // one per output line
  std::string errors;              // what went to standard error
  int status = -1;                 // the exit code; -1 when the program did not exit normally
};

// Writes the card from a source folder (data/sample) onto a device card with the build's
// datagen_card; false when it fails.
bool writeCardWithProgram(const std::string& sourceFolder, const std::string& cardHostPath);

// Writes the lines to <scratch>/input.txt, runs "<command> <input >output 2>errors" in the shell and
// reads the output back.
LinesRun runOnLines(const std::string& command, const std::string& scratch, const std::vector<std::string>& lines);

// The lines through a console translator of the build (its program name) on the device, in a
// scratch folder of its own.
LinesRun runTranslator(const std::string& program, const std::string& deviceRoot,
                       const std::vector<std::string>& lines);

// Each character a line of its own through a console translator (its folder's program name) on the
// device: how many came out carried and named on standard error, and those shown as the
// replacement mark or as nothing without a word said of them ("char -> output"). run holds the run.
struct CoverageRun {
  LinesRun run;
  std::size_t carried = 0;
  std::vector<std::string> silent;
};
CoverageRun runCharacterCoverage(const std::string& program, const std::string& deviceRoot,
                                 const std::vector<std::string>& characters);

}  // namespace datagen
