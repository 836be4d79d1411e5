#include "tools/datagen/pinned_sentences.h"

#include <set>

#include "tools/common/tool_files.h"

namespace datagen {

namespace {

std::string flat(std::string s) {
  for (char& c : s)
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  return s;
}

}  // namespace

bool readPinnedSentences(std::string_view text, std::vector<PinnedSentence>& out, std::string* error) {
  std::set<std::string> ids;
  int number = 0;
  while (!text.empty()) {
    ++number;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    for (std::size_t from = 0;;) {
      const std::size_t tab = line.find('\t', from);
      fields.emplace_back(line.substr(from, tab == std::string_view::npos ? std::string_view::npos : tab - from));
      if (tab == std::string_view::npos) break;
      from = tab + 1;
    }
    std::string why;
    if (fields.size() != 4) {
      why = "4 fields expected, " + std::to_string(fields.size()) + " found";
    } else if (fields[0].empty() || fields[1].empty()) {
      why = "empty id or input";
    } else if (!ids.insert(fields[0]).second) {
      why = "id " + fields[0] + " seen before";
    }
    if (!why.empty()) {
      if (error) *error = "line " + std::to_string(number) + ": " + why;
      return false;
    }
    out.push_back({fields[0], fields[1], fields[2], fields[3]});
  }
  return true;
}

bool readPinnedSentencesFile(const std::string& path, std::vector<PinnedSentence>& out, std::string* error) {
  std::string text;
  if (!tools::readFile(path, text)) {
    if (error) *error = path + ": cannot be read";
    return false;
  }
  std::string why;
  if (!readPinnedSentences(text, out, &why)) {
    if (error) *error = path + ": " + why;
    return false;
  }
  return true;
}

std::string pinnedSentenceLine(const PinnedSentence& s) {
  return flat(s.id) + '\t' + flat(s.input) + '\t' + flat(s.expected) + '\t' + flat(s.note) + '\n';
}

std::string pinnedTablesFolder(const std::string& sourceFolder) { return sourceFolder + "/data/tests"; }

}  // namespace datagen
