#include "tools/datagen/build_programs.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace datagen {

namespace fs = std::filesystem;

std::string buildFolder() { return fs::path(binFolder()).parent_path().string(); }

std::string binFolder() {
  if (const char* bin = std::getenv("SUITE_BIN_DIR")) return bin;
  char self[4096] = {};
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  const fs::path program(std::string(self, n > 0 ? static_cast<std::size_t>(n) : 0));
  return (program.parent_path().parent_path() / "bin").string();
}

std::string shellQuoted(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

bool linkOrCopy(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::create_hard_link(from, to, ec);
  if (ec) fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
  return !ec;
}

bool writeCardWithProgram(const std::string& sourceFolder, const std::string& cardHostPath) {
  const std::string command = shellQuoted(binFolder() + "/datagen_card") + " " + shellQuoted(sourceFolder) + " " +
                              shellQuoted(cardHostPath) + " >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

LinesRun runOnLines(const std::string& command, const std::string& scratch, const std::vector<std::string>& lines) {
  const std::string in = scratch + "/input.txt", out = scratch + "/output.txt", err = scratch + "/errors.txt";
  std::string input;
  for (const std::string& l : lines) input += l + "\n";
  tools::writeFile(in, input);
  const std::string line =
      command + " <" + shellQuoted(in) + " >" + shellQuoted(out) + " 2>" + shellQuoted(err);
  const int raw = std::system(line.c_str());
  LinesRun run;
  run.status = raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.errors = readWholeFile(err);
  std::istringstream s(readWholeFile(out));
  for (std::string l; std::getline(s, l);) run.lines.push_back(l);
  return run;
}

LinesRun runTranslator(const std::string& program, const std::string& deviceRoot,
                       const std::vector<std::string>& lines) {
  const std::string scratch =
      std::filesystem::temp_directory_path().string() + "/" + program + "_lines_" + std::to_string(::getpid());
  std::filesystem::create_directories(scratch);
  const std::string command =
      "SUITE_DEVICE_ROOT=" + shellQuoted(deviceRoot) + " " + shellQuoted(binFolder() + "/" + program);
  LinesRun run = runOnLines(command, scratch, lines);
  std::filesystem::remove_all(scratch);
  return run;
}

CoverageRun runCharacterCoverage(const std::string& program, const std::string& deviceRoot,
                                 const std::vector<std::string>& characters) {
  CoverageRun c;
  c.run = runTranslator(program, deviceRoot, characters);
  if (c.run.lines.size() != characters.size()) return c;
  for (std::size_t i = 0; i < characters.size(); ++i) {
    const std::string line = "line " + std::to_string(i + 1);
    const std::string& out = c.run.lines[i];
    const bool named = c.run.errors.find(line + ": " + characters[i] + " ") != std::string::npos;
    c.carried += named;
    // A character alone that gives no translation is a line not translated, and said so.
    if (out.empty() && c.run.errors.find(line + " not translated") != std::string::npos) continue;
    if (out.find("〓") == std::string::npos && !out.empty()) continue;
    if (named && out.find(characters[i]) != std::string::npos) continue;
    c.silent.push_back(characters[i] + " -> " + out);
  }
  return c;
}

}  // namespace datagen
