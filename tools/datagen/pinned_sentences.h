// Pinned translations: the end-to-end sentences of data/tests/*.tsv. A table is UTF-8 text, one
// sentence a line: id<TAB>input<TAB>expected<TAB>note. Lines that start with '#' and blank lines
// are comments; the note may be empty. Fields hold no tab and no line break.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace datagen {

struct PinnedSentence {
  std::string id, input, expected, note;
};

// The sentences of a table's text in their order; false (with the line number in *error) when a
// line has not four fields, an empty id or input, or an id seen before.
bool readPinnedSentences(std::string_view text, std::vector<PinnedSentence>& out, std::string* error = nullptr);
// The same from a file; a file that cannot be read is an error too.
bool readPinnedSentencesFile(const std::string& path, std::vector<PinnedSentence>& out, std::string* error = nullptr);

// One table line of a sentence (with its line break): what the reader reads back. Tabs and line
// breaks inside a field would break the line and are written as spaces.
std::string pinnedSentenceLine(const PinnedSentence& s);

// The folder of the tables in the source tree.
std::string pinnedTablesFolder(const std::string& sourceFolder);

}  // namespace datagen
