// The viewer's main dialog: the two directions and their four views, the search boxes, the
// results lists and the pages, the word book and history, the menus, the translator's word and
// reading aloud.
#pragma once
#include <array>
#include <memory>
#include <string>

#include "apps/dictionary/read_aloud.h"
#include "apps/dictionary/viewer_session.h"
#include "apps/dictionary/viewer_settings.h"
#include "apps/dictionary/dialog/view_tab_images.h"
#include "platform/ui/dialog.h"
#include "platform/ui/drawing.h"
#include "platform/ui/menu.h"

namespace dict {

enum ControlId : unsigned {
  kIdSearch = 1000,
  kIdViewTab = 1003,
  kIdPaneButton = 1004,
  kIdWordBookButton = 1005,
  kIdDirectionTab = 1029,
  kIdCjBox = 1060,
  kIdJcBox = 1065,
  kIdHtmlBase = 2048,
};

enum CommandId : unsigned {
  kCmdAbout = 100,
  kCmdSelectAll = 32775,
  kCmdClear = 32774,
  kCmdClose = 32778,
  kCmdLargeFont = 32783,
  kCmdPageCopy = 32784,
  kCmdPageSelectAll = 32791,
  kCmdSearchJc = 32792,
  kCmdSearchCj = 32793,
  kCmdSpeak = 32794,
  kCmdHidePane = 32795,
  kCmdCopy = 57634,
  kCmdCut = 57635,
  kCmdPaste = 57637,
  kCmdUndo = 57643,
};

inline constexpr unsigned kPortraitTemplate = 129;
inline constexpr unsigned kLandscapeTemplate = 133;
inline constexpr unsigned kAboutTemplate = 100;
inline constexpr unsigned kMenuBar = 139;
inline constexpr unsigned kBoxMenu = 134;
inline constexpr unsigned kPageMenu = 140;
inline constexpr char16_t kViewerTitle[] = u"日中・中日辞典";
inline constexpr char16_t kTranslatorTitle[] = u"WendelmoorLindqvarV2";

// The results list of a direction and view (0 for the examples view, which has none).
unsigned listId(int direction, int view);
unsigned htmlId(int direction, int view);

class CDictionaryDlg {
 public:
  CDictionaryDlg();
  ~CDictionaryDlg();
  CDictionaryDlg(const CDictionaryDlg&) = delete;
  CDictionaryDlg& operator=(const CDictionaryDlg&) = delete;

  // Runs the dialog modally; returns when it ends.
  int doModal();
  // Opens it without a loop of its own (tests); false when start-up ended it.
  bool create();
  plat::Hwnd hwnd() const { return hwnd_; }
  bool ended() const { return ended_; }

  // Reading aloud goes through this seam (tests give a fake).
  void setReadAloud(std::unique_ptr<ReadAloud> r) { reader_ = std::move(r); }

  ViewerSession& session() { return *session_; }
  int direction() const { return session_ ? session_->direction : 1; }
  int view() const { return session_ ? session_->view : kViewDictionary; }
  bool landscape() const { return landscape_; }
  bool paneHidden() const { return paneHidden_; }
  const std::string& dataRoot() const { return dataRoot_; }
  const ViewerSettings& settings() const { return settings_; }
  InputMethodSwitch& inputMethods() { return ims_; }
  plat::Hwnd searchBox(int direction) const;
  plat::Hwnd searchEdit(int direction) const;
  plat::Hwnd html(int direction, int view) const;
  plat::Hwnd list(int direction, int view) const;
  const ViewTabImages& viewTabImages() const { return tabImages_; }
  int pageFontSize(int direction, int view) const { return fontSizes_[direction ? 1 : 0][static_cast<size_t>(view)]; }

  // Docks the input panel under the dialog (the program does; tests do not).
  bool dockPanels = false;

  // The lists and settings written to their files and the registry.
  void saveAll();

 private:
  class PageSink;
  std::intptr_t proc(plat::Hwnd h, unsigned msg, std::uint32_t w, std::int32_t l);
  bool onInitDialog();
  bool findDataRoot();
  void onCommand(unsigned id, unsigned code, plat::Hwnd from);
  void onNotify(std::int32_t l);
  bool preTranslate(plat::Msg& m);
  void onSize();
  void layoutContent();
  void onDrawItem(std::int32_t l);
  void onContextMenu(plat::Hwnd control, int x, int y);

  void setDirection(int d);
  void setView(int view);
  void showViewControls();
  void syncList(int d, int view);
  void syncAfterSearch(int oldDirection, int oldView);
  void searchFromBox(bool fromUser);
  void searchGiven(std::u16string_view text, bool link);
  void onSelChange(int d, int view);
  void onLink(const std::u16string& target);
  void onWordBookButton();
  void registerShownEntry();
  void deleteWordBookLine();
  void addToHistory(int d, const DictionaryEntry& e);
  void onLookup(int d);
  void toggleFontSize();
  void togglePane();
  void speak(std::u16string_view text);
  void closeDictionaryDlg();
  void endWith(int code);
  void rerender();
  void extendAtEnd(bool atTop);
  void extendByScroll(bool atTop);  // the list scrolled on past an end: the selection stays
  std::string listPath(int d, int view) const;
  void refillSearchWords(int d);

  plat::Hwnd hwnd_ = 0;
  bool ended_ = false;
  bool landscape_ = false;
  bool paneHidden_ = false;
  bool arrowRepeating_ = false;
  int dpi_ = 96;
  std::string dataRoot_;
  std::string searchWordPath_;
  ViewerTables tables_;
  std::unique_ptr<DictionaryFiles> files_;
  std::unique_ptr<PageSink> sink_;
  std::unique_ptr<ViewerSession> session_;
  std::unique_ptr<ReadAloud> reader_;
  ViewerSettings settings_;
  InputMethodSwitch ims_{settings_};
  std::array<int, 2> currentView_{kViewDictionary, kViewDictionary};
  std::array<std::array<int, 6>, 2> fontSizes_{};
  ui::Menu menuBar_ = 0;
  ui::Font japaneseFont_ = 0, chineseFont_ = 0, tabBold_ = 0, tabPlain_ = 0;
  ui::Bitmap readAloudImage_ = 0;
  ViewTabImages tabImages_;
  int shownBox_ = -1;  // the direction whose search box was last shown
};

// The application object: checks the input methods the viewer relies on, then runs the dialog.
class CDictionaryApp {
 public:
  // False when no window system could be opened.
  bool initInstance();
  // Warns about each missing input method, in the order of the checks.
  static void checkInputMethods();
};

}  // namespace dict
