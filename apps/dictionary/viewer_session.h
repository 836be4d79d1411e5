// The viewer's searches and pages without a window: the results lists of every direction and
// view, the search box's text, and the pages written to the HTML control. The main dialog
// binds these to its controls.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "apps/common/code_page_converter.h"
#include "apps/common/context_convert.h"
#include "apps/dictionary/dictionary_files.h"
#include "apps/dictionary/html_writer.h"
#include "apps/dictionary/pinyin_convert.h"

namespace dict {

enum View : int { kViewDictionary = 1, kViewExamples = 2, kViewPhrases = 3, kViewHistory = 4, kViewWordBook = 5 };

inline constexpr int kMaxQueryLength = 50;
inline constexpr int kMaxListLines = 32760;
inline constexpr int kMaxSearchWords = 10;
inline constexpr int kHitsPerPage = 20;
inline constexpr int kMaxHits = 1000;
inline constexpr int kMaxExampleWords = 15;
inline constexpr size_t kExampleChunk = 8191;

// Markers after the last hit position.
inline constexpr std::int64_t kHitsMayFollow = -1;
inline constexpr std::int64_t kHitsFileEnd = -2;
inline constexpr std::int64_t kHitsLimit = -3;

// The tables the viewer loads once.
struct ViewerTables {
  apptext::EngineCodeTables engineCode;
  apptext::ContextTables search;
  PronunciationTables pronunciation;
};
bool loadViewerTables(ViewerTables& out);

// A results list box: its lines, selection and what the dialog tells of its size.
struct ResultsList {
  std::vector<std::u16string> lines;
  int selected = -1;
  int topLine = 0;
  int visibleLines = 10;  // list height / item height
  int horizontalExtent = 0;
};

struct ResultsView {
  ResultsList list;
  std::vector<DictionaryEntry> entries;  // one per line
  // The list's ends and the index cursor they were reached with.
  DictionaryEntry top, bottom;
  DictionaryFiles::Cursor topCursor, bottomCursor;
  bool indexOrder = false;
  std::int32_t shownRecord = -1;
  int shownFontSize = 0;
  std::u16string searchWord;
  bool searchWordPending = false;
  std::vector<std::u16string> searchWords;  // newest first
  // Examples view: hit positions and a marker after the last, at most kMaxHits + 1 slots.
  std::vector<std::int64_t> hits;
  int hitCount = 0;
  int pageCount = 0;
  int page = 0;
  std::uint32_t scanFrom = 0;  // where a continued scan starts
  std::vector<std::string> exampleWords;
};

// Inserts word at the top, removing an equal item and the eleventh.
void addSearchWord(std::vector<std::u16string>& list, const std::u16string& word);

class ViewerSession {
 public:
  ViewerSession(DictionaryFiles& files, const ViewerTables& tables, HtmlSink& sink);

  // The state the main dialog sets.
  int direction = kJapaneseToChinese;
  int view = kViewDictionary;
  int fontSize = 3;
  std::u16string searchBox;
  std::string examplesPath;  // device path of examples.dat
  std::u16string examplesProblem;  // why examples.dat was refused at start; empty when it was not
  int minimumLines = 1;
  // Text width in pixels for the list's horizontal extent.
  std::function<int(std::u16string_view)> measureText;
  // Files a shown entry into the history (direction, entry).
  std::function<void(int, const DictionaryEntry&)> addToHistory;

  ResultsView& viewAt(int direction, int view);
  ResultsView& current() { return viewAt(direction, view); }

  // The search key of a text as the headword search makes it; empty when there is nothing to
  // search. boxText receives what the search box shows.
  std::string prepareKey(std::u16string_view text, bool given, bool fromLink, std::u16string& boxText) const;

  // text: empty for the search box's contents, else a link's target, a selection or the
  // translator's word. Only a link's target (link true) is searched as written (no pinyin
  // digits, half-width forms or capitals) and may name a record ("1236-"); every other text is
  // a search.
  int searchHeadword(std::optional<std::u16string_view> text, bool fromUser, bool link = false);
  bool extendListAtTop();
  bool extendListAtBottom();
  void showSelectedEntry();

  void searchExamples(int page);
  // Checks examples.dat at start: a file that is there but damaged is named in a message and
  // refused (examplesProblem); false then.
  bool checkExamplesFile();
  void showExamplePage(int page);

  void renderEntry(int line, bool fromUser, int fontSize);
  void renderHomographPage(int count, const std::u16string& hanzi, const std::vector<std::u16string>& pinyins);

  // Conversions of dictionary bytes for display.
  std::u16string fromJapanese(std::string_view bytes) const;
  std::u16string fromChinese(std::string_view bytes) const;
  std::u16string listLine(const DictionaryEntry& entry, int direction) const;

 private:
  int findAndFill(std::optional<std::u16string_view> text, bool fromUser, bool link);
  void rebuildList(ResultsView& v, int direction);
  bool extendList(bool atTop);
  bool scanExamples(ResultsView& v, int target);
  bool exampleLineMatches(std::string_view line, const std::vector<std::string>& words) const;
  std::string readExampleLine(std::FILE* f, std::uint32_t position) const;
  void writeEntryPage(const DictionaryEntry& entry, int direction, int fontSize);
  void writeCompounds(const DictionaryEntry& entry, int direction, const std::string& hanzi);

  DictionaryFiles& files_;
  const ViewerTables& tables_;
  apptext::CodePageConverter converter_;
  HtmlWriter html_;
  std::array<std::array<ResultsView, 6>, 2> views_;
  // Note marks of each direction's example field, in its code page.
  std::array<std::string, 2> noteOpen_, noteClose_, equalsOpen_, equalsClose_;
};

}  // namespace dict
