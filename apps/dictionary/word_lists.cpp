// Word book, history and search-word files.
#include "apps/dictionary/word_lists.h"

#include "platform/core/files.h"
#include "platform/core/little_endian.h"

#include <algorithm>

namespace dict {

namespace {

constexpr int kViews[] = {kViewDictionary, kViewExamples, kViewHistory, kViewWordBook};

void putUnit(std::string& out, char16_t c) { plat::appendLe16(out, c); }

void putText(std::string& out, std::u16string_view text, size_t limit) {
  for (char16_t c : text.substr(0, std::min(text.size(), limit))) putUnit(out, c);
  putUnit(out, u'\n');
}

// Lines of UTF-16 text; a line longer than the limit keeps its first part and the rest is skipped.
class UnitReader {
 public:
  explicit UnitReader(const std::string& bytes) : bytes_(bytes) {}
  bool atEnd() const { return at_ + 1 >= bytes_.size(); }
  bool readUint32(std::uint32_t& v) {
    if (at_ + 4 > bytes_.size()) return false;
    v = plat::readLe32(bytes_.data() + at_);
    at_ += 4;
    return true;
  }
  std::u16string readLine(size_t limit) {
    std::u16string line;
    while (at_ + 1 < bytes_.size()) {
      char16_t c = plat::readLe16(bytes_.data() + at_);
      at_ += 2;
      if (c == u'\n') break;
      if (line.size() < limit) line.push_back(c);
    }
    return line;
  }

 private:
  const std::string& bytes_;
  size_t at_ = 0;
};

}  // namespace

void loadEntryList(const std::string& path, ResultsView& v, const std::function<int(std::u16string_view)>& widthOf) {
  v.entries.clear();
  v.list.lines.clear();
  v.list.selected = -1;
  v.list.horizontalExtent = 0;
  std::string bytes;
  if (!plat::readWholeFile(path, bytes)) return;
  UnitReader in(bytes);
  std::uint32_t number = 0;
  while (in.readUint32(number)) {
    std::u16string line = in.readLine(kMaxStoredLine);
    DictionaryEntry e;
    e.nextRecord = static_cast<std::int32_t>(number);
    v.entries.insert(v.entries.begin(), e);
    v.list.lines.insert(v.list.lines.begin(), line);
  }
  for (const std::u16string& line : v.list.lines) v.list.horizontalExtent = std::max(v.list.horizontalExtent, widthOf(line) + 5);
}

bool saveEntryList(const std::string& path, const ResultsView& v) {
  std::string out;
  const size_t n = std::min(v.entries.size(), v.list.lines.size());
  for (size_t k = n; k-- > 0;) {
    const DictionaryEntry& e = v.entries[k];
    auto number = static_cast<std::uint32_t>(e.recordNumber >= 0 ? e.recordNumber : e.nextRecord);
    plat::appendLe32(out, number);
    putText(out, v.list.lines[k], kMaxStoredLine);
  }
  return plat::writeWholeFile(path, out);
}

namespace {
std::int32_t numberOf(const DictionaryEntry& e) { return e.recordNumber >= 0 ? e.recordNumber : e.nextRecord; }
}  // namespace

RegisterResult addToWordBook(ResultsView& book, const DictionaryEntry& entry, const std::u16string& line,
                             const std::function<int(std::u16string_view)>& widthOf) {
  for (const DictionaryEntry& e : book.entries)
    if (numberOf(e) == entry.recordNumber) return RegisterResult::kAlreadyThere;
  if (book.entries.size() >= static_cast<size_t>(kMaxWordBook)) return RegisterResult::kFull;
  book.entries.insert(book.entries.begin(), entry);
  book.list.lines.insert(book.list.lines.begin(), line);
  if (book.list.selected >= 0) ++book.list.selected;
  book.list.horizontalExtent = std::max(book.list.horizontalExtent, widthOf(line) + 5);
  return RegisterResult::kAdded;
}

void addToHistoryList(ResultsView& history, const DictionaryEntry& entry, const std::u16string& line) {
  for (size_t k = history.entries.size(); k-- > 0;) {
    if (numberOf(history.entries[k]) == entry.recordNumber) {
      history.entries.erase(history.entries.begin() + static_cast<std::ptrdiff_t>(k));
      history.list.lines.erase(history.list.lines.begin() + static_cast<std::ptrdiff_t>(k));
    }
  }
  if (history.entries.size() >= static_cast<size_t>(kMaxHistory)) {
    history.entries.pop_back();
    history.list.lines.pop_back();
  }
  history.entries.insert(history.entries.begin(), entry);
  history.list.lines.insert(history.list.lines.begin(), line);
  history.list.selected = -1;
}

void removeLine(ResultsView& v, int line) {
  if (line < 0 || line >= static_cast<int>(v.entries.size())) return;
  v.entries.erase(v.entries.begin() + line);
  v.list.lines.erase(v.list.lines.begin() + line);
  const int count = static_cast<int>(v.entries.size());
  v.list.selected = count == 0 ? -1 : std::min(line, count - 1);
  v.shownRecord = -1;
}

void loadSearchWords(const std::string& path, ViewerSession& session) {
  std::string bytes;
  if (!plat::readWholeFile(path, bytes)) return;
  UnitReader in(bytes);
  std::vector<std::u16string>* list = nullptr;
  while (!in.atEnd()) {
    std::u16string line = in.readLine(256);
    if (line.size() == 5 && line[0] == u'#' && line[1] == u'#' && (line[2] == u'0' || line[2] == u'1') &&
        line[3] == u'\t' && line[4] >= u'0' && line[4] <= u'8') {
      const int view = line[4] - u'0';
      list = std::find(std::begin(kViews), std::end(kViews), view) != std::end(kViews)
                 ? &session.viewAt(line[2] - u'0', view).searchWords
                 : nullptr;
      if (list) list->clear();
      continue;
    }
    if (list && list->size() < static_cast<size_t>(kMaxSearchWords)) list->push_back(line);
  }
}

bool saveSearchWords(const std::string& path, ViewerSession& session) {
  std::string out;
  for (int d = 0; d < 2; ++d) {
    for (int view : kViews) {
      std::u16string marker = u"##";
      marker += static_cast<char16_t>(u'0' + d);
      marker += u'\t';
      marker += static_cast<char16_t>(u'0' + view);
      putText(out, marker, marker.size());
      const std::vector<std::u16string>& words = session.viewAt(d, view).searchWords;
      for (size_t k = 0; k < words.size() && k < static_cast<size_t>(kMaxSearchWords); ++k)
        putText(out, words[k], kMaxStoredLine);
    }
  }
  return plat::writeWholeFile(path, out);
}

}  // namespace dict
