#include "input/pinyin/windows/quillpin_windows.h"

#include <array>
#include <string>

#include "input/pinyin/options_page.h"
#include "input/pinyin/pinyin_keys.h"
#include "platform/core/window.h"
#include "platform/ui/app.h"
#include "platform/ui/controls.h"
#include "platform/ui/drawing.h"
#include "platform/ui/fonts.h"
#include "platform/ui/menu.h"
#include "platform/ui/panel_host.h"

namespace pinyin {

namespace {

constexpr ui::Color kKeyFace{232, 232, 232};
constexpr ui::Color kKeyEdge{128, 128, 128};
constexpr ui::Color kLabel{0, 0, 0};
constexpr ui::Color kDimmed{168, 168, 168};
constexpr ui::Color kMaskGrey{192, 192, 192};

constexpr std::array<std::u16string_view, 22> kInitialLabels = {u"",  u"b", u"p", u"m", u"f", u"d",  u"t",  u"n",  u"l", u"g", u"k",
                                                                 u"h", u"j", u"q", u"x", u"z", u"c", u"s", u"zh", u"ch", u"sh", u"r"};
constexpr std::array<std::u16string_view, 21> kFinalLabels = {u"",   u"a",  u"e",  u"i",  u"u",  u"ang", u"eng", u"ing", u"ong", u"an", u"en",
                                                              u"in", u"un", u"ai", u"ei", u"ao", u"ou",  u"o",   u"ü",   u"er",  u"ê"};
constexpr std::u16string_view kZhuyinInitials = u"ㄅㄆㄇㄈㄉㄊㄋㄌㄍㄎㄏㄐㄑㄒㄗㄘㄙㄓㄔㄕㄖ";
constexpr std::u16string_view kZhuyinFinals = u"ㄚㄜ--ㄤㄥ--ㄢㄣ--ㄞㄟㄠㄡㄛ-ㄦㄝ";

// The module's windows while the panel is selected (one panel at a time).
struct State {
  PinyinPanel* panel = nullptr;
  ui::Hwnd parent = 0;
  ui::Hwnd panelWindow = 0;
  ui::Hwnd confirm = 0;
  int dpi = 96;
  ui::Font labelFont = 0;
  ui::Font gbFont = 0;
  ui::Font b5Font = 0;
  ui::Font narrowLabelFont = 0;  // labels too wide for their key at the label font
} gState;

int scaled(int v) { return v * gState.dpi / 96; }
int unscaled(int v) { return v * 96 / gState.dpi; }

ui::Rect keyRect(const KeyRow& row, std::size_t i, int r) {
  return {scaled(row[i].left), scaled(r * kRowHeight), scaled(row[i + 1].left), scaled((r + 1) * kRowHeight)};
}

void paintKeyboard(ui::Painter& p) {
  const PinyinPanel& panel = *gState.panel;
  p.fillRect({0, 0, scaled(kPanelWidth), scaled(kPanelHeight)}, kMaskGrey);
  const bool traditional = panel.composition().traditional || panel.zhuyin();
  for (int r = 0; r < kRows; ++r) {
    const KeyRow& row = panel.keys()[static_cast<std::size_t>(r)];
    for (std::size_t i = 0; i + 1 < row.size(); ++i) {
      const KeyRecord& k = row[i];
      if (k.flags & kKeyFlagBlank) continue;
      ui::Rect rc = keyRect(row, i, r);
      p.fillRect(rc, kKeyFace);
      p.frameRect(rc, kKeyEdge);
      std::u16string label = keyLabel(panel, k);
      const bool slot = (panel.layout() <= 1) && k.code >= kKeyFirstSlot && k.code <= kKeyLastSlot;
      bool dimmed = (k.flags & kKeyFlagDisabled) != 0;
      if (panel.layout() <= 1 && k.code == kKeyPreviousPage) dimmed = !panel.previousPageOffered();
      if (panel.layout() <= 1 && k.code == kKeyNextPage) dimmed = !panel.nextPageOffered();
      ui::Font font = slot ? (traditional ? gState.b5Font : gState.gbFont) : gState.labelFont;
      if (!slot && gState.narrowLabelFont && ui::textWidth(font, label) > rc.right - rc.left - 1) font = gState.narrowLabelFont;
      if (!label.empty()) p.drawText(rc, label, font, dimmed ? kDimmed : kLabel, 1);
      const bool highlighted = panel.slideRow() == r && panel.slideIndex() == static_cast<int>(i);
      if ((k.flags & kKeyFlagPressed) != highlighted) p.invertRect(rc);
    }
  }
}

std::intptr_t panelProc(ui::Hwnd h, unsigned msg, std::uint32_t w, std::int32_t l) {
  PinyinPanel* panel = gState.panel;
  if (panel) {
    const int x = unscaled(ui::loShort(l)), y = unscaled(ui::hiShort(l));
    switch (msg) {
      case ui::kWmLButtonDown:
        ui::setCapture(h);
        panel->penDown(x, y);
        return 0;
      case ui::kWmMouseMove:
        panel->penMove(x, y);
        return 0;
      case ui::kWmLButtonUp:
        panel->penUp(x, y);
        ui::releaseCapture();
        return 0;
      case ui::kWmPaint:
        if (ui::Painter* p = ui::windowPainter(h)) paintKeyboard(*p);
        return 0;
      default:
        break;
    }
  }
  return plat::defWindowProc(h, msg, w, l);
}

std::intptr_t confirmProc(ui::Hwnd h, unsigned msg, std::uint32_t w, std::int32_t l) {
  if (msg == ui::kWmPaint && gState.panel) {
    if (ui::Painter* p = ui::windowPainter(h)) {
      const ui::Rect rc = ui::clientRect(h);
      p->fillRect(rc, {255, 255, 255});
      p->frameRect(rc, {0, 0, 0});
      int x = scaled(2);
      for (char16_t c : gState.panel->compositionWindowText()) {
        const int width = scaled(c < 0x3000 ? 8 : 16);
        p->drawText({x, 0, x + width, rc.bottom}, std::u16string(1, c), ui::windowFont(h), kLabel, 1);
        x += width;
      }
      p->drawText({x, 0, x + scaled(8), rc.bottom}, u"_", ui::windowFont(h), kLabel, 1);
    }
    return 0;
  }
  if (msg == kConfirmSetText || msg == kConfirmSetPending) {
    ui::invalidate(h);
    return 0;
  }
  return plat::defWindowProc(h, msg, w, l);
}

ui::Font makeFont(std::u16string_view face, int charSet, int pixels) {
  ui::FontSpec spec;
  spec.face = std::u16string(face);
  spec.charSet = charSet;
  spec.height = -scaled(pixels);
  return ui::createFont(spec);
}

class QuillpinWindows final : public PanelWindows {
 public:
  ~QuillpinWindows() override { destroy(); }

  bool create(com::Hwnd parent, PinyinPanel& panel) override {
    gState.dpi = ui::screenMetrics().dpi < 1 ? 96 : ui::screenMetrics().dpi;
    gState.labelFont = makeFont(u"ＭＳ Ｐゴシック", ui::kShiftJisCharSet, 11);
    gState.narrowLabelFont = makeFont(u"Tahoma", ui::kAnsiCharSet, 9);
    gState.gbFont = makeFont(u"ZQ-GB Mincho", ui::kGb2312CharSet, 14);
    gState.b5Font = makeFont(u"ZQ-B5 Mincho", ui::kBig5CharSet, 14);
    if (!plat::registerWindowClass(kPanelWindowClass, panelProc) || !plat::registerWindowClass(kConfirmWindowClass, confirmProc)) {
      return false;
    }
    gState.panel = &panel;
    gState.parent = parent;
    gState.panelWindow = plat::createWindow(kPanelWindowClass, u"", parent);
    if (!gState.panelWindow) return false;
    ui::moveWindow(gState.panelWindow, {0, 0, scaled(kPanelWidth), scaled(kPanelHeight)});
    ui::showWindow(gState.panelWindow, true);
    // The composition window stands over the program's window, above the panel, and never takes
    // the focus from the control being typed into.
    const ui::Hwnd top = parent ? ui::topLevelOf(parent) : 0;
    gState.confirm = plat::createWindow(kConfirmWindowClass, u"", top != parent ? top : 0);
    fitConfirmFont(panel);
    return true;
  }

  void destroy() override {
    if (gState.confirm) plat::destroyWindow(gState.confirm);
    if (gState.panelWindow) plat::destroyWindow(gState.panelWindow);
    for (ui::Font f : {gState.labelFont, gState.gbFont, gState.b5Font, gState.narrowLabelFont}) {
      if (f) ui::deleteFont(f);
    }
    gState = State{};
  }

  void move(const com::Rect& r) override {
    if (gState.panelWindow) ui::moveWindow(gState.panelWindow, {r.left, r.top, r.right, r.bottom});
  }

  void imageLists(int& wide, int& narrow) override {
    static int wideList = 0, narrowList = 0;
    if (!wideList) {
      wideList = ui::createImageList(icon(32, 16), 32, kMaskGrey);
      narrowList = ui::createImageList(icon(16, 16), 16, kMaskGrey);
    }
    wide = wideList;
    narrow = narrowList;
  }

  void runOptionsDialog(com::Hwnd owner) override { ui::dialogBox(optionsTemplate(), owner, optionsProcedure()); }

  void keyboardChanged() override {
    if (gState.panelWindow) ui::invalidate(gState.panelWindow);
  }

  void compositionChanged() override {
    if (!gState.confirm || !gState.panel) return;
    const bool visible = gState.panel->compositionWindowVisible();
    // A composition begins: the character set may have changed while the panel was held.
    if (visible && !ui::isWindowVisible(gState.confirm)) fitConfirmFont(*gState.panel);
    if (visible) {
      // A small bordered pop-up just above the panel, in the coordinates of the window it stands in.
      const ui::Hwnd top = gState.parent ? ui::topLevelOf(gState.parent) : 0;
      ui::Point at = gState.parent ? ui::clientToScreen(gState.parent, {0, 0}) : ui::Point{0, 0};
      if (top) at = ui::screenToClient(top, at);
      ui::moveWindow(gState.confirm, {at.x, at.y - scaled(20), at.x + scaled(130), at.y});
      ui::raiseWindow(gState.confirm);
    }
    plat::sendMessage(gState.confirm, kConfirmSetText, 0, 0);
    ui::showWindow(gState.confirm, visible);
  }

 private:
  // The composition draws in the Big5 font for zhuyin or the traditional set, else in GB.
  static void fitConfirmFont(const PinyinPanel& panel) {
    std::uint32_t charset = 0, fuzzy = 0;
    readPanelSettings(charset, fuzzy);
    if (gState.confirm) ui::setWindowFont(gState.confirm, panel.zhuyin() || charset != 0 ? gState.b5Font : gState.gbFont);
  }

  static ui::Bitmap icon(int width, int height) {
    ui::Bitmap b = ui::createBitmap(width, height, kMaskGrey);
    ui::Painter p(b);
    ui::Font f = makeFont(u"ZQ-GB Mincho", ui::kGb2312CharSet, 14);
    p.drawText({0, 0, width, height}, width > 16 ? u"拼音" : u"拼", f, kLabel, 1);
    ui::deleteFont(f);
    return b;
  }
};

// The options page's own state while it is open.
struct OptionsState {
  OptionsValues values;
  std::vector<ui::Font> fonts;
  ~OptionsState() {
    for (ui::Font f : fonts) ui::deleteFont(f);
  }
};

void labelPage(ui::Hwnd dlg, OptionsLanguage language, OptionsState& state) {
  static constexpr struct {
    const char16_t* face;
    int charSet;
  } kFaces[] = {{u"Tahoma", ui::kAnsiCharSet}, {u"ＭＳ Ｐゴシック", ui::kShiftJisCharSet},
                {u"ZQ-GB Mincho", ui::kGb2312CharSet}, {u"ZQ-B5 Mincho", ui::kBig5CharSet}};
  const auto& face = kFaces[static_cast<int>(optionsFont(language))];
  ui::Font font = makeFont(face.face, face.charSet, 12);
  state.fonts.push_back(font);
  for (const ControlLabel& l : optionsLabels(language)) {
    if (l.id != kOptTitle) ui::setWindowFont(ui::getDlgItem(dlg, static_cast<unsigned>(l.id)), font);
    if (l.id == kOptTitle) {
      ui::setWindowText(dlg, l.text);
    } else {
      ui::setDlgItemText(dlg, static_cast<unsigned>(l.id), l.text);
    }
  }
  ui::Hwnd box = ui::getDlgItem(dlg, kOptLanguageBox);
  plat::sendMessage(box, ui::kCbResetContent, 0, 0);
  for (const std::u16string& e : languageEntries(language)) ui::comboAddString(box, e);
}

}  // namespace

std::u16string keyLabel(const PinyinPanel& panel, const KeyRecord& key) {
  const std::uint16_t c = key.code;
  if (key.flags & kKeyFlagBlank) return u"";
  if (key.flags & kKeyFlagMode) {
    switch (c) {
      case kKeyLayout0: return u"拼";
      case kKeyLayout1: return u"注";
      case kKeyLayout2: return u"Aa";
      case kKeyLayout3: return u"符";
      case kKeyFullWidth: return u"全";
      default:
        if (key.vk == kVkCapital) return u"Caps";
        if (key.vk == kVkShift) return u"Shift";
        if (key.vk == kVkControl) return u"Ctrl";
        return u"";
    }
  }
  if (key.vk == kVkDelete) return u"Del";
  if (key.vk == kVkLeft) return u"◁";
  if (key.vk == kVkRight) return u"▷";
  if (c == kKeyBackspace) return u"←";
  if (c == kKeyEnter) return u"↵";
  if (panel.layout() <= 1) {
    if (c >= kKeyFirstInitial && c <= kKeyLastInitial) {
      return panel.zhuyin() ? std::u16string(1, kZhuyinInitials[c - kKeyFirstInitial])
                            : std::u16string(kInitialLabels[c - 128]);
    }
    if (c >= kKeyFirstMedial && c <= kKeyLastMedial) {
      if (panel.zhuyin()) return std::u16string(1, u"ㄧㄨㄩ"[c - kKeyFirstMedial]);
      return c == kKeyFirstMedial ? u"y/i" : c == kKeyMedialU ? u"w/u" : u"ü";
    }
    if (c >= kKeyFirstFinal && c <= kKeyLastFinal) {
      if (panel.zhuyin()) {
        char16_t z = kZhuyinFinals[c - kKeyFirstFinal];
        return z == u'-' ? u"" : std::u16string(1, z);
      }
      return std::u16string(kFinalLabels[c - 152]);
    }
    if (c >= kKeyFirstTone && c <= kKeyNeutralTone) return std::u16string(1, u"ˉˊˇˋ˙"[c - kKeyFirstTone]);
    if (c >= kKeyFirstSlot && c <= kKeyLastSlot) {
      char16_t cand = panel.slotCandidate(c - kKeyFirstSlot);
      return cand ? std::u16string(1, cand) : u"";
    }
    if (c == kKeyPreviousPage) return u"◀";
    if (c == kKeyNextPage) return u"▶";
  }
  char16_t ch = panel.keyCharacter(key);
  if (ch == 0x3000) return u"␣";
  return ch ? std::u16string(1, ch) : u"";
}

std::unique_ptr<PanelWindows> makeQuillpinWindows() { return std::make_unique<QuillpinWindows>(); }

ui::DialogTemplate optionsTemplate() {
  using ui::DialogItem;
  const std::uint32_t v = ui::kWsVisible, tab = ui::kWsTabStop;
  ui::DialogTemplate t;
  t.caption = u"Configurations of Talvenro Pinyin";
  // Laid out for the handheld's 240 × 320 screen at the page's 11 points.
  t.cx = 120;
  t.cy = 160;
  t.fullScreen = true;
  t.items = {
      {u"Button", u"Character Set", kOptCharsetGroup, v | ui::kBsGroupBox, 3, 3, 114, 22},
      {u"Button", u"Simplified", kOptSimplified, v | tab | ui::kWsGroup | ui::kBsAutoRadioButton, 8, 13, 50, 10},
      {u"Button", u"Traditional", kOptTraditional, v | ui::kBsAutoRadioButton, 62, 13, 52, 10},
      {u"Button", u"Punctuations", kOptPunctuationGroup, v | ui::kBsGroupBox, 3, 27, 114, 34},
      {u"Static", u"Period", kOptPeriodLabel, v, 8, 37, 34, 8},
      {u"Button", u"。", kOptPeriodFullStop, v | tab | ui::kWsGroup | ui::kBsAutoRadioButton, 45, 37, 30, 10},
      {u"Button", u"．", kOptPeriodDot, v | ui::kBsAutoRadioButton, 78, 37, 30, 10},
      {u"Static", u"Quotation", kOptQuoteLabel, v, 8, 48, 34, 8},
      {u"Button", u"“”", kOptQuoteCurly, v | tab | ui::kWsGroup | ui::kBsAutoRadioButton, 45, 48, 30, 10},
      {u"Button", u"「」", kOptQuoteCorner, v | ui::kBsAutoRadioButton, 78, 48, 30, 10},
      {u"Button", u"Difficult sounds", kOptFuzzyGroup, v | ui::kBsGroupBox, 3, 62, 114, 56},
      {u"Button", u"'an' / 'ang'", kOptFuzzyAnAng, v | tab | ui::kBsAutoCheckBox, 8, 72, 52, 10},
      {u"Button", u"'en' / 'eng'", kOptFuzzyEnEng, v | tab | ui::kBsAutoCheckBox, 62, 72, 52, 10},
      {u"Button", u"'in' / 'ing'", kOptFuzzyInIng, v | tab | ui::kBsAutoCheckBox, 8, 83, 52, 10},
      {u"Button", u"'un' / 'ong'", kOptFuzzyUnOng, v | tab | ui::kBsAutoCheckBox, 62, 83, 52, 10},
      {u"Button", u"'zh,ch,sh' / 'z,s,c'", kOptFuzzyRetroflex, v | tab | ui::kBsAutoCheckBox, 8, 94, 106, 10},
      {u"Button", u"'r' / 'y'", kOptFuzzyRY, v | tab | ui::kBsAutoCheckBox, 8, 106, 52, 10},
      {u"Button", u"'l' / 'n'", kOptFuzzyLN, v | tab | ui::kBsAutoCheckBox, 62, 106, 52, 10},
      {u"Static", u"Language", kOptLanguageLabel, v, 8, 125, 34, 8},
      {u"ComboBox", u"", kOptLanguageBox, v | tab | ui::kCbsDropDownList, 45, 123, 69, 48},
      {u"Button", u"OK", ui::kIdOk, v | tab | ui::kBsDefPushButton, 45, 142, 30, 11},
  };
  return t;
}

ui::DialogProc optionsProcedure() {
  auto state = std::make_shared<OptionsState>();
  return [state](ui::Hwnd dlg, unsigned msg, std::uint32_t w, std::int32_t) -> std::intptr_t {
    if (msg == ui::kWmInitDialog) {
      state->values = loadOptions();
      ui::Hwnd box = ui::getDlgItem(dlg, kOptLanguageBox);
      for (const std::u16string& e : initialLanguageEntries()) ui::comboAddString(box, e);
      const int language = state->values.language >= 0 && state->values.language < 4 ? state->values.language : 0;
      labelPage(dlg, static_cast<OptionsLanguage>(language), *state);
      plat::sendMessage(box, ui::kCbSetCurSel, static_cast<std::uint32_t>(language), 0);
      for (int id : {int{kOptSimplified}, int{kOptTraditional}, int{kOptPeriodFullStop}, int{kOptPeriodDot},
                     int{kOptQuoteCurly}, int{kOptQuoteCorner}}) {
        ui::checkDlgButton(dlg, static_cast<unsigned>(id), optionChecked(state->values, id));
      }
      for (int id : kFuzzyBoxes) ui::checkDlgButton(dlg, static_cast<unsigned>(id), optionChecked(state->values, id));
      return 1;
    }
    if (msg != plat::kWmCommand) return 0;
    const unsigned id = ui::loWord(w), code = ui::hiWord(w);
    if (id == kOptLanguageBox && code == ui::kCbnSelChange) {
      ui::Hwnd box = ui::getDlgItem(dlg, kOptLanguageBox);
      const int language = static_cast<int>(plat::sendMessage(box, ui::kCbGetCurSel, 0, 0));
      if (language >= 0 && language < 4) {
        storeOptionsLanguage(language);
        labelPage(dlg, static_cast<OptionsLanguage>(language), *state);
        plat::sendMessage(box, ui::kCbSetCurSel, static_cast<std::uint32_t>(language), 0);
      }
      return 1;
    }
    if (id == ui::kIdOk) {
      OptionsValues v = loadOptions();
      for (int box : {int{kOptTraditional}, int{kOptPeriodDot}, int{kOptQuoteCorner}}) {
        setOptionChecked(v, box, ui::isDlgButtonChecked(dlg, static_cast<unsigned>(box)));
      }
      for (int box : kFuzzyBoxes) setOptionChecked(v, box, ui::isDlgButtonChecked(dlg, static_cast<unsigned>(box)));
      storeOptions(v);
      ui::endDialog(dlg, ui::kIdOk);
      return 1;
    }
    return 0;
  };
}

}  // namespace pinyin
