// The main dialog: start-up, controls, layout and the dispatch of everything the user does.
#include "apps/dictionary/dialog/dictionary_dlg.h"

#include "apps/dictionary/program_messages.h"
#include "apps/dictionary/word_lists.h"
#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/core/notify.h"
#include "platform/ui/app.h"
#include "platform/ui/controls.h"
#include "platform/ui/fonts.h"
#include "platform/ui/html_view.h"
#include "platform/ui/panel_host.h"
#include "platform/ui/shell.h"
#include "speech/reader/reading_protocol.h"

#include <algorithm>
#include <map>

namespace dict {

namespace {

constexpr int kTabViews[4] = {kViewDictionary, kViewExamples, kViewHistory, kViewWordBook};
constexpr const char16_t* kTabLabels[4] = {u"辞書", u"例文", u"履歴", u"単語帳"};
constexpr int kMaxSelectionSearch = 50;
constexpr size_t kMaxSpokenSelection = 511;
constexpr int kItemHeight = 16;

int tabIndexOf(int view) {
  for (int i = 0; i < 4; ++i)
    if (kTabViews[i] == view) return i;
  return 0;
}

bool hasList(int view) { return view == kViewDictionary || view == kViewHistory || view == kViewWordBook; }

const auto kExclamation = plat::kMbOk | plat::kMbIconExclamation;

}  // namespace

unsigned listId(int d, int view) {
  static const unsigned ids[2][6] = {{0, 1054, 0, 0, 1056, 1057}, {0, 1049, 0, 0, 1052, 1053}};
  return view >= 0 && view < 6 ? ids[d ? 1 : 0][view] : 0;
}

unsigned htmlId(int d, int view) { return kIdHtmlBase + 8 * static_cast<unsigned>(d ? 1 : 0) + static_cast<unsigned>(view); }

// Pages go to the HTML control of the view the session writes for.
class CDictionaryDlg::PageSink : public HtmlSink {
 public:
  explicit PageSink(CDictionaryDlg& dlg) : dlg_(dlg) {}
  void clear() override { ui::htmlClear(target()); }
  void addText(std::u16string_view piece) override { ui::htmlAddText(target(), piece); }
  void endSource() override { ui::htmlEndSource(target()); }

 private:
  plat::Hwnd target() const { return dlg_.html(dlg_.session().direction, dlg_.session().view); }
  CDictionaryDlg& dlg_;
};

CDictionaryDlg::CDictionaryDlg() = default;

CDictionaryDlg::~CDictionaryDlg() {
  if (hwnd_) ui::setPreTranslateHook(hwnd_, nullptr);
  if (hwnd_ && plat::isWindow(hwnd_)) plat::destroyWindow(hwnd_);
  for (ui::Font f : {japaneseFont_, chineseFont_, tabBold_, tabPlain_})
    if (f) ui::deleteFont(f);
  if (readAloudImage_) ui::deleteBitmap(readAloudImage_);
  if (menuBar_) ui::destroyMenu(menuBar_);
}

plat::Hwnd CDictionaryDlg::searchBox(int d) const { return ui::getDlgItem(hwnd_, d ? kIdCjBox : kIdJcBox); }
plat::Hwnd CDictionaryDlg::searchEdit(int d) const { return ui::comboEdit(searchBox(d)); }
plat::Hwnd CDictionaryDlg::html(int d, int view) const { return ui::getDlgItem(hwnd_, htmlId(d, view)); }
plat::Hwnd CDictionaryDlg::list(int d, int view) const {
  unsigned id = listId(d, view);
  return id ? ui::getDlgItem(hwnd_, id) : 0;
}

int CDictionaryDlg::doModal() {
  auto t = ui::loadDialogTemplate(kPortraitTemplate);
  if (!t) return -1;
  return ui::dialogBox(*t, 0, [this](plat::Hwnd h, unsigned m, std::uint32_t w, std::int32_t l) { return proc(h, m, w, l); });
}

bool CDictionaryDlg::create() {
  auto t = ui::loadDialogTemplate(kPortraitTemplate);
  if (!t) return false;
  plat::Hwnd h = ui::createDialog(*t, 0, [this](plat::Hwnd hh, unsigned m, std::uint32_t w, std::int32_t l) {
    return proc(hh, m, w, l);
  });
  return h != 0 && !ended_;
}

void CDictionaryDlg::endWith(int code) {
  ended_ = true;
  ui::setPreTranslateHook(hwnd_, nullptr);
  if (dockPanels) ui::detachInputPanelHost();
  ui::endDialog(hwnd_, code);
}

bool CDictionaryDlg::findDataRoot() {
  for (const plat::DirEntry& e : plat::listFolder("\\")) {
    if (!(e.attributes & plat::kAttrDirectory) || !(e.attributes & plat::kAttrTemporary)) continue;
    std::string root = "\\" + e.name + "\\Talvenro\\Chinese\\";
    if (plat::pathExists(root + "HarbrookDic")) {
      dataRoot_ = root;
      return true;
    }
  }
  return false;
}

std::string CDictionaryDlg::listPath(int d, int view) const {
  return dataRoot_ + "HarbrookDic\\" + (d ? "CJDIC\\" : "JCDIC\\") + (view == kViewWordBook ? "wordbook.dat" : "history.dat");
}

bool CDictionaryDlg::onInitDialog() {
  dpi_ = ui::screenMetrics().dpi > 0 ? ui::screenMetrics().dpi : 96;
  if (!findDataRoot()) {
    plat::messageBeep(plat::kMbIconExclamation);
    plat::messageBox(u"辞書が見つかりません。\nHarbrookDicフォルダのあるメモリカードをセットしてください。", u"日中中日辞書引き",
                     kExclamation);
    return false;
  }
  const std::string jc = dataRoot_ + "HarbrookDic\\JCDIC\\", cj = dataRoot_ + "HarbrookDic\\CJDIC\\";
  searchWordPath_ = dataRoot_ + "history.dat";
  if (!loadViewerTables(tables_)) return false;

  files_ = std::make_unique<DictionaryFiles>();
  auto bar = ui::loadMenuTemplate(kMenuBar);
  if (!bar) return false;
  menuBar_ = ui::createMenu(*bar);
  ui::setMenuBar(hwnd_, menuBar_);

  plat::Hwnd dirTab = ui::getDlgItem(hwnd_, kIdDirectionTab);
  ui::tabInsertItem(dirTab, 0, u"  日中");
  ui::tabInsertItem(dirTab, 1, u"  中日");
  const int height = 12 * dpi_ / 96;
  japaneseFont_ = ui::createFont({u"ＭＳ Ｐゴシック", ui::kShiftJisCharSet, height, 400});
  chineseFont_ = ui::createFont({u"ZQ-GB P Mincho", ui::kGb2312CharSet, height, 400});
  if (!files_->openDictionaries(jc + "JcsDicV6.dic", jc + "JcsDicV6.ind", cj + "CjsDicV6.dic", cj + "CjsDicV6.ind") ||
      !files_->isAvailable(kJapaneseToChinese) || !files_->isAvailable(kChineseToJapanese)) {
    plat::messageBox(u"辞書ファイルが見つかりません。", u"エラー", kExclamation);
    return false;
  }

  if (!ui::initHtmlControl()) plat::messageBox(u"Unable to initialize HTML control", u"Error", plat::kMbOk);
  sink_ = std::make_unique<PageSink>(*this);
  session_ = std::make_unique<ViewerSession>(*files_, tables_, *sink_);
  session_->examplesPath = cj + "examples.dat";
  session_->checkExamplesFile();
  session_->measureText = [this](std::u16string_view text) { return ui::textWidth(japaneseFont_, text); };
  session_->addToHistory = [this](int d, const DictionaryEntry& e) { addToHistory(d, e); };

  for (int d = 0; d < 2; ++d) {
    ui::Font f = d ? chineseFont_ : japaneseFont_;
    for (int view : kTabViews) {
      if (plat::Hwnd l = list(d, view)) ui::setWindowFont(l, f);
      ui::htmlClear(html(d, view));
      ui::htmlEndSource(html(d, view));
    }
    ui::setWindowFont(searchBox(d), f);
    ui::setWindowFont(searchEdit(d), f);
    for (int view : {kViewHistory, kViewWordBook}) loadEntryList(listPath(d, view), session_->viewAt(d, view), session_->measureText);
  }
  loadSearchWords(searchWordPath_, *session_);
  for (int d = 0; d < 2; ++d)
    for (int view : {kViewHistory, kViewWordBook}) syncList(d, view);
  readSettings(settings_);
  if (settings_.japaneseIm.isNull()) settings_.japaneseIm = defaultJapaneseIm();
  if (settings_.chineseIm.isNull()) settings_.chineseIm = defaultChineseIm();
  for (auto& sizes : fontSizes_) sizes.fill(settings_.fontSize);
  ui::checkMenuItem(menuBar_, kCmdLargeFont, settings_.fontSize == 6);
  plat::selectInputMethod(settings_.japaneseIm);

  // The search boxes tell the dialog of every character and composition.
  for (int d = 0; d < 2; ++d) {
    plat::Hwnd edit = searchEdit(d);
    auto swallow = std::make_shared<int>(0);
    plat::WndProc previous = plat::setWindowProc(edit, nullptr);
    plat::setWindowProc(edit, [this, previous, swallow](plat::Hwnd h, unsigned m, std::uint32_t w, std::int32_t l) -> std::intptr_t {
      if (m == ui::kWmImeComposition && (l & ui::kGcsResultStr)) {
        ui::ImeStatus st = ui::imeStatus(h);
        if (!st.native) return previous(h, m, w, l);
        *swallow = static_cast<int>(ui::compositionString(h, ui::kGcsResultStr).size());
        std::intptr_t r = previous(h, m, w, l);
        *swallow = 0;
        plat::sendMessage(hwnd_, kWmSearchEdit, 1, 0);
        return r;
      }
      if (m == ui::kWmLButtonDown) {
        std::intptr_t r = previous(h, m, w, l);
        ims_.tapBox(h == searchEdit(0));
        return r;
      }
      if (m == plat::kWmChar) {
        std::intptr_t r = previous(h, m, w, l);
        if (*swallow > 0) --*swallow;
        else plat::sendMessage(hwnd_, kWmSearchEdit, 0, 0);
        return r;
      }
      return previous(h, m, w, l);
    });
  }

  plat::Hwnd viewTab = ui::getDlgItem(hwnd_, kIdViewTab);
  tabImages_ = makeViewTabImages(dpi_);
  ui::tabSetImageList(viewTab, tabImages_.plain);
  for (int i = 0; i < 4; ++i) ui::tabInsertItem(viewTab, i, kTabLabels[i], i);
  tabBold_ = ui::createFont({u"ＭＳ Ｐゴシック", ui::kShiftJisCharSet, height, 600});
  tabPlain_ = ui::createFont({u"ＭＳ Ｐゴシック", ui::kShiftJisCharSet, height, 500});

  // The read-aloud image: a small speaker, 12 pixels at 96 dpi, as large as the page shows it.
  const int side = 12 * dpi_ / 96;
  auto at = [side](int x, int y) { return ui::Point{x * side / 12, y * side / 12}; };
  readAloudImage_ = ui::createBitmap(side, side, {255, 255, 255});
  {
    ui::Painter p(readAloudImage_);
    const ui::Point speaker[] = {at(1, 4), at(4, 4), at(7, 1), at(7, 10), at(4, 7), at(1, 7)};
    p.fillPolygon(speaker, 6, {0, 0, 160});
    for (int w = 0; w < side / 12; ++w) {
      p.drawLine({at(9, 3).x + w, at(9, 3).y}, {at(9, 8).x + w, at(9, 8).y}, {0, 0, 160});
      p.drawLine({at(11, 1).x - w, at(11, 1).y}, {at(11, 10).x - w, at(11, 10).y}, {0, 0, 160});
    }
  }

  for (int d = 0; d < 2; ++d) ui::listNotifyScrollEnds(list(d, kViewDictionary), kWmListEnd);
  ui::setPreTranslateHook(hwnd_, [this](plat::Msg& m) { return preTranslate(m); });
  if (dockPanels) ui::attachInputPanelHost(hwnd_);
  onSize();
  return true;
}

std::intptr_t CDictionaryDlg::proc(plat::Hwnd h, unsigned msg, std::uint32_t w, std::int32_t l) {
  switch (msg) {
    case ui::kWmInitDialog:
      hwnd_ = h;
      if (!onInitDialog()) {
        endWith(-1);
        return 1;
      }
      setDirection(kChineseToJapanese);
      return 1;
    default: break;
  }
  if (!session_ || ended_) return 0;
  switch (msg) {
    case plat::kWmCommand:
      onCommand(ui::loWord(w), ui::hiWord(w), static_cast<plat::Hwnd>(l));
      return 1;
    case ui::kWmNotify: onNotify(l); return 1;
    case ui::kWmDrawItem: onDrawItem(l); return 1;
    case ui::kWmSize: onSize(); return 1;
    case ui::kWmContextMenu: onContextMenu(static_cast<plat::Hwnd>(w), ui::loShort(l), ui::hiShort(l)); return 1;
    case plat::kWmClose:
      saveAll();
      endWith(ui::kIdCancel);
      return 1;
    case kWmSearchEdit:
      if (session_->view != kViewExamples) searchFromBox(w != 0);
      return 1;
    case kWmLookupJapanese: onLookup(kJapaneseToChinese); return 1;
    case kWmLookupChinese: onLookup(kChineseToJapanese); return 1;
    case kWmListEnd:
      extendByScroll(w == 0);
      return 1;
    case vocra::kWmSpeechStatus:
      if (reader_) reader_->finished();
      return 1;
    case vocra::kWmSpeechStarted: return 1;
    default: return 0;
  }
}

void CDictionaryDlg::onCommand(unsigned id, unsigned code, plat::Hwnd) {
  const int d = session_->direction;
  if (code == ui::kLbnSelChange) {
    for (int dd = 0; dd < 2; ++dd)
      for (int view : {kViewDictionary, kViewHistory, kViewWordBook})
        if (id == listId(dd, view)) {
          if (dd == d && view == session_->view) onSelChange(dd, view);
          return;
        }
  }
  if (id == kIdJcBox || id == kIdCjBox) {
    const bool japanese = id == kIdJcBox;
    if (code == ui::kCbnSelChange) {
      plat::Hwnd box = searchBox(japanese ? 0 : 1);
      int idx = static_cast<int>(plat::sendMessage(box, ui::kCbGetCurSel, 0, 0));
      if (idx < 0) return;
      ui::setWindowText(searchEdit(japanese ? 0 : 1), ui::comboGetItemText(box, idx));
      searchFromBox(true);
    } else if (code == ui::kCbnSetFocus) {
      const bool keptDown = ims_.keepDown;
      japanese ? ims_.enterJapaneseBox() : ims_.enterChineseBox();
      // The system's input method composes in the Japanese box only, in the box's font.
      plat::Hwnd edit = searchEdit(japanese ? 0 : 1);
      const ui::Font font = japanese ? japaneseFont_ : chineseFont_;
      if (!keptDown) ui::setCompositionFont(edit, font);
      ui::setImeOpen(edit, japanese);
      ui::setWindowFont(searchBox(japanese ? 0 : 1), font);
    } else if (code == ui::kCbnKillFocus) {
      japanese ? ims_.leaveJapaneseBox() : ims_.leaveChineseBox();
    }
    return;
  }
  if (code != ui::kBnClicked) return;
  plat::Hwnd edit = searchEdit(d);
  plat::Hwnd page = html(d, session_->view);
  switch (id) {
    case kIdSearch:
      ims_.hidePanel();
      searchFromBox(true);
      break;
    case kIdWordBookButton: onWordBookButton(); break;
    case kIdPaneButton:
    case kCmdHidePane: togglePane(); break;
    case kCmdLargeFont: toggleFontSize(); break;
    case kCmdAbout:
      if (auto t = ui::loadDialogTemplate(kAboutTemplate)) ui::dialogBox(*t, hwnd_, nullptr);
      break;
    case kCmdClose: closeDictionaryDlg(); break;
    case kCmdSelectAll: ui::editSetSel(edit, 0, -1); break;
    case kCmdCut: plat::sendMessage(edit, ui::kWmCut, 0, 0); break;
    case kCmdClear: plat::sendMessage(edit, ui::kWmClear, 0, 0); break;
    case kCmdPaste: plat::sendMessage(edit, ui::kWmPaste, 0, 0); break;
    case kCmdUndo: plat::sendMessage(edit, ui::kWmUndo, 0, 0); break;
    case kCmdCopy: plat::sendMessage(edit, ui::kWmCopy, 0, 0); break;
    case kCmdPageCopy: ui::htmlCopy(page); break;
    case kCmdPageSelectAll: ui::htmlSelectAll(page); break;
    case kCmdSearchJc:
    case kCmdSearchCj: {
      std::u16string text = ui::htmlSelectedText(page);
      if (text.size() > static_cast<size_t>(kMaxSelectionSearch)) text.resize(kMaxSelectionSearch);
      if (text.empty()) break;
      currentView_[id == kCmdSearchJc ? 0 : 1] = kViewDictionary;
      setDirection(id == kCmdSearchJc ? 0 : 1);
      ims_.keepDown = true;
      searchGiven(text, false);
      break;
    }
    case kCmdSpeak:
      if (ui::htmlCopy(page)) {
        std::u16string text = ui::clipboardText();
        if (text.size() > kMaxSpokenSelection) text.resize(kMaxSpokenSelection);
        speak(text);
      }
      break;
    default: break;
  }
}

void CDictionaryDlg::onNotify(std::int32_t l) {
  const ui::NotifyInfo* n = ui::notifyInfo(l);
  if (!n) return;
  if (n->code == ui::kTcnSelChange) {
    int sel = static_cast<int>(plat::sendMessage(n->from, ui::kTcmGetCurSel, 0, 0));
    if (n->id == kIdDirectionTab) setDirection(sel == 1 ? 1 : 0);
    if (n->id == kIdViewTab && sel >= 0 && sel < 4) setView(kTabViews[sel]);
  } else if (n->code == ui::kNmHotspot) {
    onLink(n->target);
  } else if (n->code == ui::kNmInlineImage) {
    ui::htmlSetImage(n->from, n->imageCookie, readAloudImage_);
  }
}

void CDictionaryDlg::setDirection(int d) {
  session_->direction = d;

  plat::sendMessage(ui::getDlgItem(hwnd_, kIdDirectionTab), ui::kTcmSetCurSel, static_cast<std::uint32_t>(d), 0);
  setView(currentView_[d ? 1 : 0]);
}

void CDictionaryDlg::setView(int view) {
  const int d = session_->direction;
  currentView_[d ? 1 : 0] = view;
  session_->view = view;
  session_->fontSize = fontSizes_[d ? 1 : 0][static_cast<size_t>(view)];
  paneHidden_ = false;
  ui::checkMenuItem(menuBar_, kCmdHidePane, false);
  plat::sendMessage(ui::getDlgItem(hwnd_, kIdViewTab), ui::kTcmSetCurSel, static_cast<std::uint32_t>(tabIndexOf(view)), 0);
  plat::Hwnd button = ui::getDlgItem(hwnd_, kIdWordBookButton);
  ui::setWindowText(button, view == kViewWordBook ? u"削除" : u"登録");
  ui::enableWindow(button, hasList(view));
  ui::checkMenuItem(menuBar_, kCmdLargeFont, session_->fontSize == 6);
  showViewControls();
  syncList(d, view);
  refillSearchWords(d);
  // The other direction's text comes along into an empty box.
  if (shownBox_ >= 0 && shownBox_ != d && ui::getWindowText(searchEdit(d)).empty())
    ui::setWindowText(searchEdit(d), ui::getWindowText(searchEdit(shownBox_)));
  shownBox_ = d;
  ui::setFocus(searchEdit(d));
}

void CDictionaryDlg::showViewControls() {
  const int d = session_->direction;
  for (int dd = 0; dd < 2; ++dd) {
    for (int view : kTabViews) {
      const bool on = dd == d && view == session_->view;
      ui::showWindow(html(dd, view), on);
      if (plat::Hwnd l = list(dd, view)) ui::showWindow(l, on && !paneHidden_);
    }
    ui::showWindow(searchBox(dd), dd == d);
  }
  ui::showWindow(ui::getDlgItem(hwnd_, kIdPaneButton), hasList(session_->view));
  layoutContent();
}

void CDictionaryDlg::onSize() {
  ui::ScreenMetrics s = ui::screenMetrics();
  const bool wide = s.height < s.width;
  if (wide != landscape_) {
    landscape_ = wide;
    if (auto t = ui::loadDialogTemplate(wide ? kLandscapeTemplate : kPortraitTemplate)) ui::applyTemplateLayout(hwnd_, *t);
  }
  if (session_) layoutContent();
}

void CDictionaryDlg::layoutContent() {
  auto px = [this](int v) { return v * dpi_ / 96; };
  const int top = px(66), bottom = px(landscape_ ? 189 : 267), right = px(landscape_ ? 314 : 238);
  const int view = session_->view;
  int left = px(3);
  plat::Hwnd button = ui::getDlgItem(hwnd_, kIdPaneButton);
  if (hasList(view)) {
    left = paneHidden_ ? px(8) : px(107);
    ui::moveWindow(button, paneHidden_ ? ui::Rect{px(1), top, px(8), bottom} : ui::Rect{px(100), top, px(107), bottom});
    ui::invalidate(button);
  }
  for (int dd = 0; dd < 2; ++dd) {
    for (int v : kTabViews) {
      if (plat::Hwnd l = list(dd, v)) ui::moveWindow(l, {px(1), top, px(100), bottom});
      ui::moveWindow(html(dd, v), {left, top, right, bottom});
    }
  }
  const int lines = std::max(1, (bottom - top) / px(kItemHeight));
  for (int dd = 0; dd < 2; ++dd) session_->viewAt(dd, kViewDictionary).list.visibleLines = lines;
}

void CDictionaryDlg::syncList(int d, int view) {
  plat::Hwnd l = list(d, view);
  if (!l) return;
  const ResultsList& rl = session_->viewAt(d, view).list;
  plat::sendMessage(l, ui::kLbResetContent, 0, 0);
  for (const std::u16string& line : rl.lines) ui::listAddString(l, line);
  plat::sendMessage(l, ui::kLbSetHorizontalExtent, static_cast<std::uint32_t>(rl.horizontalExtent), 0);
  plat::sendMessage(l, ui::kLbSetCurSel, static_cast<std::uint32_t>(rl.selected), 0);
}

void CDictionaryDlg::refillSearchWords(int d) {
  plat::Hwnd box = searchBox(d);
  plat::Hwnd edit = searchEdit(d);
  const std::u16string text = ui::getWindowText(edit);
  plat::sendMessage(box, ui::kCbResetContent, 0, 0);
  for (const std::u16string& w : session_->viewAt(d, session_->view).searchWords) ui::comboAddString(box, w);
  if (ui::getWindowText(edit) != text) ui::setWindowText(edit, text);
}

// After a search the session may have moved to another view; the controls follow it.
void CDictionaryDlg::syncAfterSearch(int oldDirection, int oldView) {
  const int d = session_->direction;
  if (d != oldDirection || session_->view != oldView) {
    currentView_[d ? 1 : 0] = session_->view;
    plat::sendMessage(ui::getDlgItem(hwnd_, kIdDirectionTab), ui::kTcmSetCurSel, static_cast<std::uint32_t>(d), 0);
    plat::sendMessage(ui::getDlgItem(hwnd_, kIdViewTab), ui::kTcmSetCurSel, static_cast<std::uint32_t>(tabIndexOf(session_->view)), 0);
    paneHidden_ = false;
    showViewControls();
    plat::Hwnd button = ui::getDlgItem(hwnd_, kIdWordBookButton);
    ui::setWindowText(button, session_->view == kViewWordBook ? u"削除" : u"登録");
    ui::enableWindow(button, hasList(session_->view));
  }
  syncList(d, session_->view);
  syncList(d, kViewHistory);
  plat::Hwnd edit = searchEdit(d);
  if (ui::getWindowText(edit) != session_->searchBox) {
    ui::setWindowText(edit, session_->searchBox);
    ui::editSetSel(edit, static_cast<int>(session_->searchBox.size()), static_cast<int>(session_->searchBox.size()));
  }
  refillSearchWords(d);
}

void CDictionaryDlg::searchFromBox(bool fromUser) {
  const int d = session_->direction, view = session_->view;
  session_->searchBox = ui::getWindowText(searchEdit(d));
  session_->searchHeadword(std::nullopt, fromUser);
  syncAfterSearch(d, view);
}

void CDictionaryDlg::searchGiven(std::u16string_view text, bool link) {
  const int d = session_->direction, view = session_->view;
  session_->searchHeadword(text, true, link);
  syncAfterSearch(d, view);
}

void CDictionaryDlg::onSelChange(int d, int view) {
  ResultsView& v = session_->viewAt(d, view);
  v.list.selected = static_cast<int>(plat::sendMessage(list(d, view), ui::kLbGetCurSel, 0, 0));
  if (arrowRepeating_) return;
  session_->showSelectedEntry();
  syncList(d, kViewHistory);
  if (view != kViewDictionary) plat::sendMessage(list(d, view), ui::kLbSetCurSel, static_cast<std::uint32_t>(v.list.selected), 0);
}

void CDictionaryDlg::onLink(const std::u16string& target) {
  if (target.starts_with(u"S_")) {
    std::u16string text = target.substr(2);
    std::replace(text.begin(), text.end(), u'+', u' ');
    speak(text);
    return;
  }
  if (target.starts_with(u"app:SETPAGE_")) {
    int page = 0;
    for (char16_t c : target.substr(12)) {
      if (c < u'0' || c > u'9') break;
      page = std::min(page * 10 + (c - u'0'), kMaxHits);
    }
    session_->searchExamples(page);
    return;
  }
  const bool japanese = target.starts_with(u"J_");
  const int d = japanese ? 0 : 1;
  currentView_[d] = kViewDictionary;
  setDirection(d);
  ims_.keepDown = true;
  searchGiven(japanese ? std::u16string_view(target).substr(2) : std::u16string_view(target), true);
}

void CDictionaryDlg::onWordBookButton() {
  if (session_->view == kViewWordBook) deleteWordBookLine();
  else registerShownEntry();
}

void CDictionaryDlg::registerShownEntry() {
  const int d = session_->direction;
  ResultsView& v = session_->current();
  if (v.list.selected < 0 || v.list.selected >= static_cast<int>(v.entries.size())) return;
  const DictionaryEntry& e = v.entries[static_cast<size_t>(v.list.selected)];
  if (e.recordNumber < 0) return;
  ResultsView& book = session_->viewAt(d, kViewWordBook);
  switch (addToWordBook(book, e, session_->listLine(e, d), session_->measureText)) {
    case RegisterResult::kAlreadyThere: plat::messageBox(u"既に登録されています", u"単語帳", kExclamation); break;
    case RegisterResult::kFull:
      plat::messageBox(u"これ以上登録できません。\n不必要な単語を削除してください。", u"単語帳", kExclamation);
      break;
    case RegisterResult::kAdded:
      syncList(d, kViewWordBook);
      plat::messageBox(u"単語帳に追加しました", u"単語帳", plat::kMbOk);
      break;
  }
}

void CDictionaryDlg::deleteWordBookLine() {
  const int d = session_->direction;
  ResultsView& book = session_->viewAt(d, kViewWordBook);
  int line = static_cast<int>(plat::sendMessage(list(d, kViewWordBook), ui::kLbGetCurSel, 0, 0));
  if (line < 0) return;
  if (plat::messageBox(u"削除しますか？", u"単語帳", plat::kMbYesNo | plat::kMbIconQuestion) != plat::kIdYes) return;
  removeLine(book, line);
  syncList(d, kViewWordBook);
  if (book.list.selected >= 0) {
    session_->renderEntry(book.list.selected, false, session_->fontSize);
  } else {
    sink_->clear();
    sink_->endSource();
  }
}

void CDictionaryDlg::addToHistory(int d, const DictionaryEntry& e) {
  addToHistoryList(session_->viewAt(d, kViewHistory), e, session_->listLine(e, d));
}

void CDictionaryDlg::onLookup(int d) {
  std::u16string word;
  if (!readDictionaryWord(word) || word.empty()) return;
  currentView_[d] = kViewDictionary;
  setDirection(d);
  ui::setWindowText(searchEdit(d), word);
  ims_.hidePanel();
  searchFromBox(true);
}

void CDictionaryDlg::rerender() {
  ResultsView& v = session_->current();
  if (session_->view == kViewExamples) {
    if (v.pageCount > 0 || !v.exampleWords.empty()) session_->showExamplePage(v.page);
  } else if (v.list.selected >= 0) {
    session_->renderEntry(v.list.selected, false, session_->fontSize);
  }
}

void CDictionaryDlg::toggleFontSize() {
  const int d = session_->direction;
  int& size = fontSizes_[d ? 1 : 0][static_cast<size_t>(session_->view)];
  size = size == 6 ? 3 : 6;
  settings_.fontSize = size;
  session_->fontSize = size;
  ui::checkMenuItem(menuBar_, kCmdLargeFont, size == 6);
  rerender();
}

void CDictionaryDlg::togglePane() {
  paneHidden_ = !paneHidden_;
  ui::checkMenuItem(menuBar_, kCmdHidePane, paneHidden_);
  showViewControls();
}

void CDictionaryDlg::speak(std::u16string_view text) {
  if (!reader_) reader_ = makeReaderRequester(plat::utf8ToWide(dataRoot_ + "ChTTSData\\"));
  reader_->speak(hwnd_, text);
}

void CDictionaryDlg::closeDictionaryDlg() {
  ims_.hidePanel();
  if (plat::findWindow(u"", kTranslatorTitle)) {
    ui::minimizeWindow(hwnd_);
    return;
  }
  saveAll();
  endWith(ui::kIdOk);
}

void CDictionaryDlg::saveAll() {
  writeSettings(settings_);
  if (!saveSearchWords(searchWordPath_, *session_))
    plat::messageBox(u"辞書の検索履歴を保存できませんでした。", kViewerTitle, kExclamation);
  for (int d = 0; d < 2; ++d)
    for (int view : {kViewWordBook, kViewHistory}) saveEntryList(listPath(d, view), session_->viewAt(d, view));
}

void CDictionaryDlg::extendAtEnd(bool atTop) {
  const int d = session_->direction;
  if (session_->view != kViewDictionary) return;
  ResultsView& v = session_->current();
  const bool ok = atTop ? session_->extendListAtTop() : session_->extendListAtBottom();
  if (!ok) return;
  v.list.selected = atTop ? 0 : static_cast<int>(v.entries.size()) - 1;
  syncList(d, kViewDictionary);
  if (!arrowRepeating_) {
    session_->showSelectedEntry();
    syncList(d, kViewHistory);
  }
}

void CDictionaryDlg::extendByScroll(bool atTop) {
  const int d = session_->direction;
  if (session_->view != kViewDictionary) return;
  ResultsView& v = session_->current();
  if (!(atTop ? session_->extendListAtTop() : session_->extendListAtBottom())) return;
  plat::Hwnd l = list(d, kViewDictionary);
  const int top = static_cast<int>(plat::sendMessage(l, ui::kLbGetTopIndex, 0, 0));
  ui::listInsertString(l, atTop ? 0 : -1, atTop ? v.list.lines.front() : v.list.lines.back());
  plat::sendMessage(l, ui::kLbSetHorizontalExtent, static_cast<std::uint32_t>(v.list.horizontalExtent), 0);
  // The lines shown stay; the new one waits just past the end, where the next scroll brings it in
  // (and the scroll bar has a page area there again).
  if (atTop) plat::sendMessage(l, ui::kLbSetTopIndex, static_cast<std::uint32_t>(top + 1), 0);
}

bool CDictionaryDlg::preTranslate(plat::Msg& m) {
  const int d = session_ ? session_->direction : 0;
  if (!session_ || ended_) return false;
  if (m.message == ui::kWmKeyUp && (m.wParam == ui::kVkUp || m.wParam == ui::kVkDown) && arrowRepeating_) {
    arrowRepeating_ = false;
    if (hasList(session_->view)) onSelChange(d, session_->view);
    return false;
  }
  if (m.message != plat::kWmKeyDown) return false;
  const unsigned key = m.wParam;
  if (key == ui::kVkReturn) {
    ims_.hidePanel();
    searchFromBox(true);
    return true;
  }
  if (key == ui::kVkEscape) return true;
  plat::Hwnd dictList = list(d, kViewDictionary);
  if ((key == ui::kVkUp || key == ui::kVkDown) && hasList(session_->view)) {
    if (m.lParam & ui::kKeyRepeatFlag) arrowRepeating_ = true;
    if (m.hwnd == dictList && session_->view == kViewDictionary) {
      int sel = static_cast<int>(plat::sendMessage(dictList, ui::kLbGetCurSel, 0, 0));
      int count = static_cast<int>(plat::sendMessage(dictList, ui::kLbGetCount, 0, 0));
      if ((key == ui::kVkUp && sel == 0) || (key == ui::kVkDown && sel == count - 1 && count > 0)) {
        extendAtEnd(key == ui::kVkUp);
        return true;
      }
    }
    return false;
  }
  plat::Hwnd edit = searchEdit(d);
  if (key >= 'A' && key <= 'Z' && !plat::inputPanelShown() && m.hwnd != edit) {
    ims_.keepDown = true;
    ui::setFocus(edit);
    const bool shift = (m.lParam & plat::kAccelShift) != 0;
    plat::sendMessage(edit, plat::kWmChar, shift ? key : key + 32, 1);
    return true;
  }
  return false;
}

void CDictionaryDlg::onDrawItem(std::int32_t l) {
  const ui::DrawItemInfo* info = ui::drawItemInfo(l);
  if (!info || !info->painter) return;
  ui::Painter& p = *info->painter;
  const ui::Rect r{0, 0, info->rect.width(), info->rect.height()};
  if (info->ctlType == ui::kOdtButton && info->ctlId == kIdPaneButton) {
    p.fillRect(r, {220, 220, 220});
    const int mid = r.height() / 2, w = r.width();
    // Points to the side the pane will move to.
    const ui::Point left[] = {{w - 1, mid - 4}, {w - 1, mid + 4}, {1, mid}};
    const ui::Point right[] = {{1, mid - 4}, {1, mid + 4}, {w - 1, mid}};
    p.fillPolygon(paneHidden_ ? right : left, 3, {0, 0, 0});
  } else if (info->ctlType == ui::kOdtTab && info->itemId >= 0 && info->itemId < 4) {
    const bool selected = info->itemState & ui::kOdsSelected;
    p.fillRect(r, selected ? ui::Color{255, 255, 255} : ui::Color{230, 230, 230});
    const int size = tabImages_.size, gap = 2;
    p.drawImage({gap, std::max(0, (r.height() - size) / 2)}, selected ? tabImages_.selected : tabImages_.plain,
                info->itemId);
    p.drawText({size + gap, 0, r.right, r.bottom}, kTabLabels[info->itemId], selected ? tabBold_ : tabPlain_,
               selected ? ui::Color{0, 0, 255} : ui::Color{0x32, 0x32, 0x32}, 1);
  }
}

void CDictionaryDlg::onContextMenu(plat::Hwnd control, int x, int y) {
  const int d = session_->direction;
  const bool box = control == searchEdit(d) || control == searchBox(d);
  const bool page = control == html(d, session_->view);
  if (!box && !page) return;
  auto t = ui::loadMenuTemplate(box ? kBoxMenu : kPageMenu);
  if (!t) return;
  ui::Menu m = ui::createMenu(*t);
  ui::Menu popup = ui::subMenu(m, 0);
  if (box) {
    auto [start, end] = ui::editGetSel(searchEdit(d));
    ui::enableMenuItem(popup, kCmdCut, start != end);
    ui::enableMenuItem(popup, kCmdPaste, ui::clipboardHasText());
  }
  ui::trackPopupMenu(popup, {x, y}, hwnd_);
  ui::destroyMenu(m);
}

void CDictionaryApp::checkInputMethods() {
  const std::pair<const char*, const char16_t*> checks[] = {
      {kSearchPanelClassId, u"中国語手書き検索がありません。"},
      {kHandwritingPanelClassId, u"中国語手書きがありません。"},
      {kPinyinPanelClassId, u"中国語ピンイン入力がありません。"},
      {kJapaneseImClassId, u"日本語手書き入力がありません。"},
  };
  for (const auto& [id, warning] : checks) {
    auto clsid = plat::parseClassId(std::string_view(id));
    if (!clsid || !plat::selectInputMethod(*clsid)) plat::messageBox(warning, kViewerTitle, kExclamation);
  }
}

bool CDictionaryApp::initInstance() {
  if (!ui::initApplication()) return false;
  checkInputMethods();
  CDictionaryDlg dlg;
  dlg.dockPanels = true;
  dlg.doModal();
  return true;
}

}  // namespace dict
