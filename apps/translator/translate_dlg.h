// The translator's main dialog: direction selector, source, result and reading panes, the
// character-set toggle, the menu bar and the tap-and-hold menu; portrait and landscape layouts.
#pragma once
#include <chrono>
#include <cstdint>
#include <string>
#include <string>

#include "platform/core/input_method.h"
#include "platform/ui/drawing.h"
#include "platform/ui/menu.h"
#include "platform/ui/types.h"

namespace orvale {

class CTranslatorApp;

// Templates, controls and commands.
enum : unsigned {
  kPortraitTemplate = 103,
  kLandscapeTemplate = 187,
  kAboutTemplate = 177,
  kMenuBar = 145,
  kPaneMenu = 148,
  kIdDirection = 1003,
  kIdCharset = 1008,
  kIdTranslate = 1000,
  kIdSpeak = 1004,
  kIdStop = 1005,
  kIdClear = 1006,
  kIdSource = 1001,
  kIdResult = 1002,
  kIdReading = 1014,
  kCmdUndo = 57643,
  kCmdCut = 57635,
  kCmdCopy = 57634,
  kCmdPaste = 57637,
  kCmdDelete = 57632,
  kCmdSelectAll = 32773,
  kCmdOpen = 57601,
  kCmdSave = 57603,
  kCmdAbout = 177,
  kCmdLookup = 32788,
  kCmdKatakana = 32800,
  kCmdToneMarks = 32801,
  kCmdNoTones = 32802,
  kCmdNumbered = 32803,
  kCmdVoice = 32807,
  kCmdLarge = 32808,
  kCmdMedium = 32809,
  kCmdSmall = 32810,
  kCmdPanes = 32811,
};

class CTranslateDlg {
 public:
  explicit CTranslateDlg(CTranslatorApp& app);
  ~CTranslateDlg();
  CTranslateDlg(const CTranslateDlg&) = delete;
  CTranslateDlg& operator=(const CTranslateDlg&) = delete;

  // Modal, from the portrait template; returns when the dialog closed.
  int DoModal();
  // Modeless (tests drive it so); 0 when the template is missing.
  plat::Hwnd Create();
  plat::Hwnd hwnd() const { return hwnd_; }
  bool closed() const { return closed_; }

  // Handlers.
  bool OnInitDialog();
  void OnOK();
  void OnDirectionChange();
  void OnCharset();
  void OnClear();
  void OnEditCommand(unsigned id);
  void OnFontSize(unsigned id);
  void OnPanes();
  void OnSize();
  void OnAbout();
  void OnPaneFocus(unsigned id, bool in);
  void OnInitMenuPopup(ui::Menu menu);
  void OnContextMenu(plat::Hwnd pane, ui::Point screen);
  // Translate (button 1000) and the reading modes (32800-32803).
  void OnTranslate();
  void OnReadingMode(unsigned id);
  void refreshReading();
  bool translating() const { return translating_; }
  // Open (57601) and Save (57603); documents and text files.
  void OnOpen();
  bool saveDocument();
  bool loadDocument(const std::u16string& path);
  bool importText(const std::u16string& path);
  // The hand-overs: a word to the viewer (32788), text to the reader (1004 / 1005), the voice
  // settings (32807). getSelectedWord: 0 Japanese, 1 Chinese, -1 for 50 characters or more.
  int getSelectedWord(std::u16string& word);
  void lookUpInViewer();
  void speakResult();
  void stopSpeaking();
  void onSpeechDone();
  void OnVoiceSettings();
  // The member text of the Japanese pane and of the Chinese pane.
  std::u16string& japaneseText();
  std::u16string& chineseText();
  // Whether a command of the menus has a handler here.
  static bool handles(unsigned command);

  // The panes' texts, exchanged with the panes on demand.
  void takeTexts();
  void showTexts();
  std::u16string sourceText, resultText, readingText;

  int fontSize = 20;
  plat::ClassId clsidJapaneseIM, clsidChineseIM;
  bool threePanes = true;
  bool landscape = false;
  bool skipNextSave = false;  // set by the dictionary lookup
  std::u16string lastReadingRequest;
  ui::Menu menu = 0;
  ui::Menu paneMenu = 0;
  ui::Font japaneseFont = 0, gbFont = 0, big5Font = 0, buttonFont = 0;

  // The pane that shows Chinese text, the one that shows Japanese.
  unsigned chinesePaneId() const;
  unsigned japanesePaneId() const;

 private:
  std::intptr_t proc(plat::Hwnd h, unsigned msg, std::uint32_t wParam, std::int32_t lParam);
  plat::Hwnd item(unsigned id) const;
  void createFonts(int size);
  void deleteFonts();
  void giveChinesePaneFont();
  void giveReadingPaneFont();
  void givePaneFonts();
  void applyFontSize();
  void layoutPanes();
  void selectInputMethodOf(unsigned paneId);
  bool keyHook(const plat::Msg& m);
  // Repositions the check files; a stale one brings its engine up again (false: that failed).
  bool keepCheckFilesAlive();
  // The result and reading texts into their panes, shown from their start.
  void showPaneTexts();
  void showFromStart(plat::Hwnd pane, const std::u16string& text);
  // A translated sentence's parts behind what the panes show: held back while its line goes on,
  // until the line ends or a moment has passed since the panes last grew.
  void appendToPanes(std::u16string_view resultPart, std::u16string_view readingPart);
  // What the panes hold, as far as appendToPanes gave it to them.
  std::size_t shownLengths_[2] = {0, 0};
  std::chrono::steady_clock::time_point lastShown_{};

  CTranslatorApp& app_;
  plat::Hwnd hwnd_ = 0;
  ui::Bitmap menuImages_ = 0;
  ui::Bitmap icon_ = 0;
  bool closed_ = false;
  bool modal_ = false;
  bool translating_ = false;
};

}  // namespace orvale
