#include "apps/translator/translate_dlg.h"

#include <algorithm>
#include <optional>

#include "apps/translator/translator_app.h"
#include "apps/translator/translator_bitmaps.h"
#include "apps/translator/translator_registry.h"
#include "platform/core/notify.h"
#include "platform/ui/app.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/fonts.h"
#include "platform/ui/panel_host.h"
#include "platform/ui/shell.h"
#include "speech/reader/reading_protocol.h"

namespace orvale {
namespace {

constexpr char16_t kJapaneseFace[] = u"ＭＳ ゴシック";
constexpr char16_t kGbFace[] = u"ZQ-GB Mincho";
constexpr char16_t kBig5Face[] = u"ZQ-B5 Mincho";
constexpr int kButtonFontSize = 16;
constexpr int kClearTypeQuality = 5;
constexpr char16_t kViewerTitle[] = u"日中・中日辞典";

bool isEditWindow(plat::Hwnd h) {
  std::u16string cls = plat::windowClassName(h);
  for (char16_t& c : cls) c = (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
  return h && cls == u"edit";
}

}  // namespace

CTranslateDlg::CTranslateDlg(CTranslatorApp& app) : app_(app) {}

CTranslateDlg::~CTranslateDlg() {
  if (hwnd_ && plat::isWindow(hwnd_)) {
    ui::detachInputPanelHost();
    plat::destroyWindow(hwnd_);
  }
  deleteFonts();
  if (menu) ui::destroyMenu(menu);
  if (paneMenu) ui::destroyMenu(paneMenu);
  if (menuImages_) ui::deleteBitmap(menuImages_);
  if (icon_) ui::deleteBitmap(icon_);
}

int CTranslateDlg::DoModal() {
  auto t = ui::loadDialogTemplate(kPortraitTemplate);
  if (!t) return -1;
  modal_ = true;
  return ui::dialogBox(*t, 0, [this](plat::Hwnd h, unsigned m, std::uint32_t w, std::int32_t l) { return proc(h, m, w, l); });
}

plat::Hwnd CTranslateDlg::Create() {
  auto t = ui::loadDialogTemplate(kPortraitTemplate);
  if (!t) return 0;
  modal_ = false;
  return ui::createDialog(*t, 0, [this](plat::Hwnd h, unsigned m, std::uint32_t w, std::int32_t l) { return proc(h, m, w, l); });
}

plat::Hwnd CTranslateDlg::item(unsigned id) const { return ui::getDlgItem(hwnd_, id); }

unsigned CTranslateDlg::chinesePaneId() const { return app_.direction == kChineseToJapanese ? kIdSource : kIdResult; }
unsigned CTranslateDlg::japanesePaneId() const { return app_.direction == kChineseToJapanese ? kIdResult : kIdSource; }

bool CTranslateDlg::handles(unsigned command) {
  switch (command) {
    case kIdDirection: case kIdCharset: case kIdClear: case kIdTranslate: case kCmdOpen: case kCmdSave:
    case kIdSpeak: case kIdStop: case kCmdLookup: case kCmdVoice:
    case kCmdKatakana: case kCmdToneMarks: case kCmdNoTones: case kCmdNumbered:
    case kCmdUndo: case kCmdCut: case kCmdCopy: case kCmdPaste: case kCmdDelete: case kCmdSelectAll:
    case kCmdAbout: case kCmdLarge: case kCmdMedium: case kCmdSmall: case kCmdPanes:
      return true;
    default:
      return false;
  }
}

std::intptr_t CTranslateDlg::proc(plat::Hwnd h, unsigned msg, std::uint32_t wParam, std::int32_t lParam) {
  switch (msg) {
    case ui::kWmInitDialog:
      hwnd_ = h;
      return OnInitDialog() ? 1 : 0;
    case ui::kWmSize:
      if (!hwnd_) hwnd_ = h;
      OnSize();
      return 0;
    case plat::kWmClose:
      OnOK();
      return 1;
    case ui::kWmInitMenuPopup:
      OnInitMenuPopup(static_cast<ui::Menu>(wParam));
      return 1;
    case ui::kWmContextMenu:
      OnContextMenu(static_cast<plat::Hwnd>(wParam), {ui::loShort(lParam), ui::hiShort(lParam)});
      return 1;
    case vocra::kWmSpeechStarted:
      plat::setWaitCursor(false);
      return 1;
    case vocra::kWmSpeechStatus:
      if (wParam == vocra::kStatusEnded) onSpeechDone();
      return 1;
    case plat::kWmCommand: break;
    default: return 0;
  }
  const unsigned id = ui::loWord(wParam), code = ui::hiWord(wParam);
  if (id == kIdSource || id == kIdResult) {
    if (code == ui::kEnSetFocus || code == ui::kEnKillFocus) OnPaneFocus(id, code == ui::kEnSetFocus);
    return 1;
  }
  if (id == kIdDirection) {
    if (code == ui::kCbnSelChange) OnDirectionChange();
    return 1;
  }
  if (code > 1) return 0;  // other notifications
  switch (id) {
    case ui::kIdOk: OnOK(); return 1;
    case ui::kIdCancel: return 1;  // Escape does not close the translator
    case kIdCharset: OnCharset(); return 1;
    case kIdClear: OnClear(); return 1;
    case kCmdUndo: case kCmdCut: case kCmdCopy: case kCmdPaste: case kCmdDelete: case kCmdSelectAll:
      OnEditCommand(id);
      return 1;
    case kCmdLarge: case kCmdMedium: case kCmdSmall: OnFontSize(id); return 1;
    case kCmdPanes: OnPanes(); return 1;
    case kIdTranslate: OnTranslate(); return 1;
    case kCmdOpen: OnOpen(); return 1;
    case kCmdSave: saveDocument(); return 1;
    case kIdSpeak: speakResult(); return 1;
    case kIdStop: stopSpeaking(); return 1;
    case kCmdLookup: lookUpInViewer(); return 1;
    case kCmdVoice: OnVoiceSettings(); return 1;
    case kCmdKatakana: case kCmdToneMarks: case kCmdNoTones: case kCmdNumbered: OnReadingMode(id); return 1;
    case kCmdAbout: OnAbout(); return 1;
    default: return 0;
  }
}

bool CTranslateDlg::OnInitDialog() {
  registerTranslatorBitmaps();
  icon_ = ui::loadBitmapResource(kProgramIcon);
  if (icon_) ui::setWindowIcon(hwnd_, icon_);

  app_.readingMode = 3;
  paneMenu = 0;
  if (auto pm = ui::loadMenuTemplate(kPaneMenu)) paneMenu = ui::createMenu(*pm);
  if (auto mt = ui::loadMenuTemplate(kMenuBar)) menu = ui::createMenu(*mt);
  menuImages_ = ui::loadBitmapResource(kLookupBitmap);
  // Without a menu bar the dialog still sets up everything below.
  if (menu && !ui::setMenuBar(hwnd_, menu, menuImages_, 16)) {
    ui::destroyMenu(menu);
    menu = 0;
  }
  ui::attachInputPanelHost(hwnd_);

  createFonts(20);
  plat::Hwnd combo = item(kIdDirection);
  ui::comboAddString(combo, u"日→中");
  ui::comboAddString(combo, u"中→日");
  plat::sendMessage(combo, ui::kCbSetCurSel, app_.direction == kChineseToJapanese ? 1 : 0, 0);
  ui::setWindowFont(item(japanesePaneId()), japaneseFont);
  ui::setWindowFont(item(chinesePaneId()), gbFont);
  ui::setFocus(item(kIdSource));

  app_.readerCommandLine = app_.dataRoot + u"ChTTSData\\";

  clsidJapaneseIM = clsidChineseIM = plat::ClassId{};
  if (auto key = openTranslatorKey()) {
    if (auto v = plat::regGetDword(*key, kValueFontSize)) fontSize = static_cast<int>(*v);
    if (auto v = plat::regGetDword(*key, kValueReadingMode)) app_.readingMode = static_cast<std::int32_t>(*v);
    if (auto id = readClassIdValue(*key, kValueJapaneseIm)) {
      clsidJapaneseIM = *id;
    } else {
      clsidJapaneseIM = japaneseHandwritingIm();
      writeClassIdValue(*key, kValueJapaneseIm, clsidJapaneseIM);
    }
    if (auto id = readClassIdValue(*key, kValueChineseIm)) {
      clsidChineseIM = *id;
    } else {
      clsidChineseIM = handwritingSearchIm();
      writeClassIdValue(*key, kValueChineseIm, clsidChineseIM);
    }
  }

  giveChinesePaneFont();
  showTexts();

  if (menu) {
    for (unsigned id = kCmdKatakana; id <= kCmdNumbered; ++id)
      ui::checkMenuItem(menu, id, static_cast<std::int32_t>(id - kCmdKatakana) == app_.readingMode);
  }
  applyFontSize();

  buttonFont = ui::createFont({kGbFace, ui::kGb2312CharSet, kButtonFontSize * ui::screenMetrics().dpi / 96, 400, false, 0x20, 0});
  ui::setWindowFont(item(kIdCharset), buttonFont);
  ui::setDlgItemText(hwnd_, kIdCharset, app_.traditional ? u"繁" : u"简");
  giveReadingPaneFont();

  if (clsidJapaneseIM.isNull()) clsidJapaneseIM = japaneseHandwritingIm();
  if (clsidChineseIM.isNull()) clsidChineseIM = handwritingSearchIm();
  plat::selectInputMethod(app_.direction == kChineseToJapanese ? clsidChineseIM : clsidJapaneseIM);

  ui::setPreTranslateHook(hwnd_, [this](plat::Msg& m) { return keyHook(m); });
  return false;  // the source pane has the focus
}

bool CTranslateDlg::keyHook(const plat::Msg& m) {
  if (m.message != plat::kWmKeyDown) return false;
  if (m.wParam == ui::kVkEscape) return true;
  if (m.wParam == ui::kVkReturn) return m.hwnd != item(kIdSource) && m.hwnd != item(kIdResult);
  return false;
}

void CTranslateDlg::OnOK() {
  if (closed_) return;
  plat::ClassId current;
  plat::currentInputMethod(current);
  const plat::Hwnd focus = ui::getFocus();
  auto key = openTranslatorKey();
  if (focus && focus == item(chinesePaneId())) {
    clsidChineseIM = current;
  } else if (focus && focus == item(japanesePaneId())) {
    clsidJapaneseIM = current;
  } else if (key) {
    // Focus outside the two text panes: what the panes saved when the focus left them stays.
    if (auto id = readClassIdValue(*key, kValueJapaneseIm)) clsidJapaneseIM = *id;
    if (auto id = readClassIdValue(*key, kValueChineseIm)) clsidChineseIM = *id;
  }
  if (key) {
    plat::regSetDword(*key, kValueFontSize, static_cast<std::uint32_t>(fontSize));
    plat::regSetDword(*key, kValueReadingMode, static_cast<std::uint32_t>(app_.readingMode));
    if (!clsidJapaneseIM.isNull()) writeClassIdValue(*key, kValueJapaneseIm, clsidJapaneseIM);
    if (!clsidChineseIM.isNull()) writeClassIdValue(*key, kValueChineseIm, clsidChineseIM);
  }
  lastReadingRequest.clear();
  closed_ = true;
  ui::setPreTranslateHook(hwnd_, nullptr);
  ui::detachInputPanelHost();
  const plat::Hwnd dialog = hwnd_;
  if (!modal_) hwnd_ = 0;  // a modeless dialog is destroyed at once
  ui::endDialog(dialog, ui::kIdOk);
  if (plat::Hwnd viewer = plat::findWindow(u"Dialog", kViewerTitle)) plat::setForegroundWindow(viewer);
}

void CTranslateDlg::takeTexts() {
  sourceText = ui::getDlgItemText(hwnd_, kIdSource);
  resultText = ui::getDlgItemText(hwnd_, kIdResult);
  readingText = ui::getDlgItemText(hwnd_, kIdReading);
}

void CTranslateDlg::showTexts() {
  ui::setDlgItemText(hwnd_, kIdSource, sourceText);
  ui::setDlgItemText(hwnd_, kIdResult, resultText);
  ui::setDlgItemText(hwnd_, kIdReading, readingText);
}

void CTranslateDlg::OnDirectionChange() {
  const int selected = static_cast<int>(plat::sendMessage(item(kIdDirection), ui::kCbGetCurSel, 0, 0));
  if (selected < 0) return;
  if (selected == app_.direction) {
    ui::setFocus(item(kIdSource));
    return;
  }
  if (app_.direction == kJapaneseToChinese || selected == kJapaneseToChinese) {
    takeTexts();
    app_.direction = selected;
    if (selected == kChineseToJapanese) {
      ui::setWindowFont(item(kIdSource), app_.traditional ? big5Font : gbFont);
      ui::setWindowFont(item(kIdResult), japaneseFont);
      // A check file open now is expected back with the Japanese side.
      app_.jcCheckLost = app_.jcCheckFile || app_.jcCheckLost;
      app_.stopJapaneseSide();
    } else {
      ui::setWindowFont(item(kIdSource), japaneseFont);
      ui::setWindowFont(item(kIdResult), app_.traditional ? big5Font : gbFont);
      if (!app_.startJapaneseSide()) app_.direction = kUnusable;
      if (app_.direction == kUnusable) {
        OnOK();
        return;
      }
      app_.openJcCheckFile(false);
      // One that cannot be reopened is lost to a stale card: tried again at the next line, as
      // the Translate command does after it brought the side up again.
      if (app_.jcCheckFile) app_.jcCheckLost = false;
    }
    std::swap(sourceText, resultText);
    writeTranslatorDword(kValueJcCj, static_cast<std::uint32_t>(app_.direction));
    showTexts();
    plat::messageBeep(plat::kMbOk);
    ui::setFocus(item(kIdSource));
    return;
  }
  app_.direction = selected;
  if (app_.direction == kChineseToJapanese) ui::setWindowFont(item(kIdResult), japaneseFont);
  writeTranslatorDword(kValueJcCj, static_cast<std::uint32_t>(app_.direction));
  ui::setFocus(item(kIdSource));
}

void CTranslateDlg::OnCharset() {
  app_.traditional = app_.traditional ? 0 : 1;
  takeTexts();
  giveChinesePaneFont();
  std::u16string& chinese = chinesePaneId() == kIdSource ? sourceText : resultText;
  if (app_.traditional) {
    apptext::toTraditional(app_.variantTables, chinese);
  } else {
    apptext::toSimplified(app_.variantTables, chinese);
  }
  showTexts();
  ui::setDlgItemText(hwnd_, kIdCharset, app_.traditional ? u"繁" : u"简");
  writeTranslatorDword(kValueIsFanTi, static_cast<std::uint32_t>(app_.traditional));
  writePanelCharset(static_cast<std::uint32_t>(app_.traditional));
  ui::setFocus(item(kIdSource));
}

void CTranslateDlg::OnClear() {
  for (unsigned id : {kIdSource, kIdResult, kIdReading}) {
    plat::Hwnd pane = item(id);
    ui::editSetSel(pane, 0, -1);
    plat::sendMessage(pane, ui::kWmClear, 0, 0);
  }
  plat::messageBeep(plat::kMbOk);
  ui::setFocus(item(kIdSource));
}

void CTranslateDlg::OnEditCommand(unsigned id) {
  const plat::Hwnd focus = ui::getFocus();
  if (!focus) return;
  switch (id) {
    case kCmdUndo: plat::sendMessage(focus, ui::kWmUndo, 0, 0); break;
    case kCmdCut: plat::sendMessage(focus, ui::kWmCut, 0, 0); break;
    case kCmdCopy: plat::sendMessage(focus, ui::kWmCopy, 0, 0); break;
    case kCmdPaste: plat::sendMessage(focus, ui::kWmPaste, 0, 0); break;
    case kCmdDelete: plat::sendMessage(focus, ui::kWmClear, 0, 0); break;
    case kCmdSelectAll: plat::sendMessage(focus, ui::kEmSetSel, 0, -1); break;
    default: break;
  }
}

void CTranslateDlg::OnPaneFocus(unsigned id, bool in) {
  const bool chinese = id == chinesePaneId();
  auto key = openTranslatorKey();
  if (in) {
    writeTranslatorDword(kValueIsFanTi, static_cast<std::uint32_t>(app_.traditional));
    writePanelCharset(static_cast<std::uint32_t>(app_.traditional));
    if (key) {
      if (auto v = readClassIdValue(*key, kValueJapaneseIm)) clsidJapaneseIM = *v;
      if (auto v = readClassIdValue(*key, kValueChineseIm)) clsidChineseIM = *v;
    }
    plat::selectInputMethod(chinese ? clsidChineseIM : clsidJapaneseIM);
    return;
  }
  if (skipNextSave) {
    skipNextSave = false;
    return;
  }
  plat::ClassId current;
  if (key && plat::currentInputMethod(current) && !current.isNull())
    writeClassIdValue(*key, chinese ? kValueChineseIm : kValueJapaneseIm, current);
}

void CTranslateDlg::OnInitMenuPopup(ui::Menu popup) {
  const plat::Hwnd focus = ui::getFocus();
  const bool edit = isEditWindow(focus);
  bool selection = false;
  if (edit) {
    auto [a, b] = ui::editGetSel(focus);
    selection = a != b;
  }
  const bool paste = edit && !ui::editIsReadOnly(focus) && ui::clipboardHasText();
  // Every command item of the popup and the popups below it.
  auto refresh = [&](auto&& self, ui::Menu m) -> void {
    for (int i = 0, n = ui::menuItemCount(m); i < n; ++i) {
      if (ui::Menu sub = ui::subMenu(m, i)) {
        self(self, sub);
        continue;
      }
      const unsigned id = ui::menuItemId(m, i);
      if (id == 0) continue;
      bool enabled = handles(id);
      if (id == kCmdCut || id == kCmdCopy || id == kCmdDelete) enabled = edit && selection;
      if (id == kCmdPaste) enabled = paste;
      ui::enableMenuItem(m, id, enabled);
    }
  };
  refresh(refresh, popup);
}

void CTranslateDlg::OnContextMenu(plat::Hwnd pane, ui::Point screen) {
  if (pane != item(kIdSource) && pane != item(kIdResult) && pane != item(kIdReading)) return;
  ui::setFocus(pane);
  if (paneMenu) ui::trackPopupMenu(ui::subMenu(paneMenu, 0), screen, hwnd_);
}

void CTranslateDlg::createFonts(int size) {
  for (ui::Font* f : {&japaneseFont, &gbFont, &big5Font}) {
    if (*f) ui::deleteFont(*f);
    *f = 0;
  }
  // ClearType, except for small sizes on a coarse screen.
  const bool coarse = ui::screenMetrics().dpi < 97;
  auto make = [&](const char16_t* face, int charSet, int smallBelow) {
    const int quality = coarse && size < smallBelow ? 0 : kClearTypeQuality;
    // The sizes are the handheld's pixels at 96 dots per inch: a finer screen scales them.
    return ui::createFont({face, charSet, size * ui::screenMetrics().dpi / 96, 400, false, 0x20, quality});
  };
  japaneseFont = make(kJapaneseFace, ui::kShiftJisCharSet, 21);
  gbFont = make(kGbFace, ui::kGb2312CharSet, 17);
  big5Font = make(kBig5Face, ui::kBig5CharSet, 17);
}

void CTranslateDlg::deleteFonts() {
  for (ui::Font* f : {&japaneseFont, &gbFont, &big5Font, &buttonFont}) {
    if (*f) ui::deleteFont(*f);
    *f = 0;
  }
}

void CTranslateDlg::giveChinesePaneFont() {
  ui::setWindowFont(item(chinesePaneId()), app_.traditional ? big5Font : gbFont);
}

void CTranslateDlg::giveReadingPaneFont() {
  ui::setWindowFont(item(kIdReading), app_.readingMode == 0 ? japaneseFont : gbFont);
}

void CTranslateDlg::givePaneFonts() {
  ui::setWindowFont(item(japanesePaneId()), japaneseFont);
  giveChinesePaneFont();
  giveReadingPaneFont();
}

void CTranslateDlg::applyFontSize() {
  if (menu) {
    ui::checkMenuItem(menu, kCmdLarge, fontSize == 24);
    ui::checkMenuItem(menu, kCmdMedium, fontSize == 20);
    ui::checkMenuItem(menu, kCmdSmall, fontSize == 16);
  }
  createFonts(fontSize);
  givePaneFonts();
}

void CTranslateDlg::OnFontSize(unsigned id) {
  fontSize = id == kCmdLarge ? 24 : id == kCmdMedium ? 20 : 16;
  applyFontSize();
}

void CTranslateDlg::OnPanes() {
  threePanes = !threePanes;
  layoutPanes();
  if (menu) ui::setMenuItemText(menu, kCmdPanes, threePanes ? u"２画面" : u"３画面");
}

void CTranslateDlg::layoutPanes() {
  plat::Hwnd source = item(kIdSource), result = item(kIdResult), reading = item(kIdReading);
  if (!source || !result || !reading) return;
  const ui::Rect s = ui::windowRect(source), r = ui::windowRect(result), g = ui::windowRect(reading);
  const int top = s.top, bottom = g.bottom;
  auto at = [](const ui::Rect& pane, int y, int height) { return ui::Rect{pane.left, y, pane.right, y + height}; };
  if (threePanes) {
    const int h = (bottom - top) / 3;
    ui::moveWindow(source, at(s, top, h - 2));
    ui::moveWindow(result, at(r, top + h + 2, h - 2));
    ui::moveWindow(reading, at(g, top + 2 * (h + 2), h - 2));
  } else {
    const int h = (bottom - top) / 2;
    ui::moveWindow(source, at(s, top, h - 1));
    ui::moveWindow(result, at(r, bottom - h + 1, h - 1));
  }
  // The reading pane stays where it is; with two panes the result pane covers it.
  ui::showWindow(reading, threePanes);
}

void CTranslateDlg::OnSize() {
  if (!item(kIdSource)) return;
  const ui::ScreenMetrics sm = ui::screenMetrics();
  const bool wide = sm.width > sm.height;
  if (wide == landscape) return;
  landscape = wide;
  if (auto t = ui::loadDialogTemplate(landscape ? kLandscapeTemplate : kPortraitTemplate)) ui::applyTemplateLayout(hwnd_, *t);
  layoutPanes();
}

void CTranslateDlg::OnAbout() {
  auto t = ui::loadDialogTemplate(kAboutTemplate);
  if (!t) return;
  ui::dialogBox(*t, hwnd_, [this](plat::Hwnd, unsigned msg, std::uint32_t wParam, std::int32_t lParam) -> std::intptr_t {
    if (msg == ui::kWmDrawItem) {
      const ui::DrawItemInfo* d = ui::drawItemInfo(lParam);
      if (d && d->painter && icon_) d->painter->drawBitmapScaled(d->rect, icon_);
      return 1;
    }
    (void)wParam;
    return 0;
  });
}

}  // namespace orvale
