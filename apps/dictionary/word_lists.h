// The lists the viewer keeps across runs: per direction the word book and the history (record
// number and list line per entry), and the search-word lists of every view in one text file.
#pragma once
#include <string>

#include "apps/dictionary/viewer_session.h"

namespace dict {

inline constexpr int kMaxWordBook = 1000;
inline constexpr int kMaxHistory = 100;
// A stored line is cut here, so that loading reads it whole with its line feed.
inline constexpr size_t kMaxStoredLine = 255;

// Reads a word-book or history file (device path) into a view's lines and entries; a restored
// entry has no record yet and keeps the stored number as its next one. A missing file leaves the
// view empty. widthOf measures a line for the horizontal extent.
void loadEntryList(const std::string& path, ResultsView& v, const std::function<int(std::u16string_view)>& widthOf);
// Writes the list bottom line first; false when the file cannot be created (callers stay silent).
bool saveEntryList(const std::string& path, const ResultsView& v);

enum class RegisterResult { kAdded, kAlreadyThere, kFull };
// Puts an entry with its list line at the top of the word book unless it is there or full.
RegisterResult addToWordBook(ResultsView& book, const DictionaryEntry& entry, const std::u16string& line,
                             const std::function<int(std::u16string_view)>& widthOf);
// Puts an entry at the top of the history: any line of the same record goes, the 100th goes.
void addToHistoryList(ResultsView& history, const DictionaryEntry& entry, const std::u16string& line);
// Removes a line and its entry; the line now at that place, or the one before, is selected.
void removeLine(ResultsView& v, int line);

// The search-word file (device path) for both directions and their views.
void loadSearchWords(const std::string& path, ViewerSession& session);
bool saveSearchWords(const std::string& path, ViewerSession& session);

}  // namespace dict
