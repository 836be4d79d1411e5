#include "input/handwriting/windows/handwriting_windows.h"
#include "input/panel-common/panel_object.h"

#include <algorithm>
#include <memory>
#include <new>
#include <string>

#include "input/handwriting/brusca_panel.h"
#include "input/handwriting/lookra_panel.h"
#include "input/handwriting/panel_ids.h"
#include "input/panel-common/module_count.h"
#include "platform/core/notify.h"
#include "platform/core/timer.h"
#include "platform/core/window.h"
#include "platform/ui/app.h"
#include "platform/ui/controls.h"
#include "platform/ui/drawing.h"
#include "platform/ui/fonts.h"

namespace hw {

namespace {

enum class PanelKind { Input, Search, Japanese };

constexpr unsigned kRecognitionTimer = 1;
constexpr int kPanelWidth = 240;
constexpr int kPanelHeight = 80;

constexpr ui::Color kPanelGrey{192, 192, 192};
constexpr ui::Color kKeyFace{232, 232, 232};
constexpr ui::Color kKeyEdge{128, 128, 128};
constexpr ui::Color kPaper{255, 255, 255};
constexpr ui::Color kGuide{208, 208, 208};
constexpr ui::Color kInk{0, 0, 0};

std::string_view classIdOf(PanelKind kind) {
  switch (kind) {
    case PanelKind::Input: return kBruscaClassId;
    case PanelKind::Search: return kLookraClassId;
    case PanelKind::Japanese: return kJapaneseInkClassId;
  }
  return kBruscaClassId;
}

// The module's panel while it is selected (a library serves one panel at a time).
struct Module {
  PanelKind kind = PanelKind::Input;
  com::ImCallback* callback = nullptr;
  std::unique_ptr<PanelHost> host;
  std::unique_ptr<BruscaPanel> brusca;
  std::unique_ptr<LookraPanel> lookra;
  ui::Hwnd window = 0;
  ui::Bitmap picture = 0;
  ui::Font labelFont = 0;
  ui::Font gbFont = 0;
  ui::Font b5Font = 0;
  int dpi = 96;

  HandwritingCore* core() {
    if (brusca) return brusca.get();
    return lookra.get();
  }
} gModule;

int scaled(int v) { return v * gModule.dpi / 96; }

// What the cores need of their surroundings: the host's callback, the settings under the panel's
// class-id key, timer 1 and the repainting of the panel window.
class CallbackHost final : public PanelHost {
 public:
  explicit CallbackHost(std::string_view classId) : classId_(classId) {}
  void sendString(std::u16string_view text) override {
    if (gModule.callback && !text.empty()) gModule.callback->SendString(text.data(), static_cast<std::uint32_t>(text.size()));
  }
  void sendCharEvents(unsigned virtualKey, unsigned keyState, char16_t character) override {
    if (!gModule.callback) return;
    std::uint32_t state = keyState, c = character;
    gModule.callback->SendCharEvents(virtualKey, state, 1, &state, &c);
  }
  bool readSetting(std::string_view name, std::uint32_t& value) override {
    return panel::panelSetting(classId_, name, false, value);
  }
  void startTimer(unsigned intervalMs) override {
    if (gModule.window) plat::setTimer(gModule.window, kRecognitionTimer, intervalMs);
  }
  void stopTimer() override {
    if (gModule.window) plat::killTimer(gModule.window, kRecognitionTimer);
  }
  void repaint(PanelArea) override {
    if (gModule.window) ui::invalidate(gModule.window);
  }

 private:
  std::string_view classId_;
};

ui::Rect keyRect(const PanelKey& k) {
  return {scaled(k.left), scaled(kKeyRowTops[k.row]), scaled(k.right), scaled(kKeyRowTops[k.row + 1])};
}

// The search panel's grid cell of a slot, matching LookraPanel::gridSlotAt.
ui::Rect cellRect(int slot) {
  const int left = scaled(81), right = scaled(160), bottom = scaled(80);
  const int column = slot % 3, row = slot / 3;
  return {left + column * (right - left) / 3, row * bottom / 3, left + (column + 1) * (right - left) / 3,
          (row + 1) * bottom / 3};
}

std::u16string keyLabel(const PanelKey& k) {
  switch (k.role) {
    case KeyRole::HalfWidth: return u"半角";
    case KeyRole::Clear: return u"消去";
    case KeyRole::ClassKey:
      switch (k.flags & kKeyClassBits) {
        case 0x40: return u"記";
        case 0x18: return u"英";
        default: return u"数";
      }
    case KeyRole::Plain: break;
  }
  switch (k.character) {
    case 8: return u"←";
    case 13: return u"↵";
    case 32: return u"␣";
    case u',': return gModule.kind == PanelKind::Japanese ? u"、" : u"，";
    case u'.': return u"。";
    default: return u"";
  }
}

ui::Font makeFont(std::u16string_view face, int charSet, int pixels) {
  ui::FontSpec spec;
  spec.face = std::u16string(face);
  spec.charSet = charSet;
  spec.height = -scaled(pixels);
  return ui::createFont(spec);
}

void writingBox(ui::Painter& p, int left) {
  const ui::Rect r{scaled(left) + 1, 1, scaled(left + 80) - 1, scaled(80) - 1};
  p.fillRect(r, kPaper);
  const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
  p.drawLine({cx, r.top + 2}, {cx, r.bottom - 2}, kGuide);
  p.drawLine({r.left + 2, cy}, {r.right - 2, cy}, kGuide);
  p.frameRect(r, kKeyEdge);
}

// The panel picture: the writing boxes (or the box and the candidate grid) and the keys.
ui::Bitmap drawPicture(PanelKind kind, const std::vector<PanelKey>& keys) {
  ui::Bitmap b = ui::createBitmap(scaled(kPanelWidth), scaled(kPanelHeight), kPanelGrey);
  ui::Painter p(b);
  writingBox(p, 0);
  if (kind != PanelKind::Search) {
    writingBox(p, 80);
  } else {
    p.fillRect({scaled(81), 1, scaled(160) - 1, scaled(80) - 1}, kPaper);
    for (int slot = 0; slot < kGridSlots; ++slot) p.frameRect(cellRect(slot), kGuide);
  }
  for (const PanelKey& k : keys) {
    const ui::Rect r = keyRect(k);
    p.fillRect(r, kKeyFace);
    p.frameRect(r, kKeyEdge);
    p.drawText(r, keyLabel(k), gModule.labelFont, kInk, 1);
  }
  return b;
}

void drawStroke(ui::Painter& p, const Ink& ink, std::size_t from, std::size_t count, int xOffset) {
  const auto& x = ink.x();
  const auto& y = ink.y();
  if (count == 1) p.setPixel({x[from] + xOffset, y[from]}, kInk);
  for (std::size_t i = from + 1; i < from + count; ++i) {
    p.drawLine({x[i - 1] + xOffset, y[i - 1]}, {x[i] + xOffset, y[i]}, kInk, std::max(1, scaled(2)));
  }
}

void paintPanel(ui::Painter& p) {
  HandwritingCore& core = *gModule.core();
  p.drawBitmap({0, 0}, gModule.picture);
  const Ink& ink = core.ink();
  const int xOffset = gModule.brusca && gModule.brusca->currentBox() == 1 ? scaled(80) : 0;
  std::size_t start = 0;
  for (std::uint16_t count : ink.strokePoints()) {
    drawStroke(p, ink, start, count, xOffset);
    start += count;
  }
  if (ink.strokeOpen()) drawStroke(p, ink, start, static_cast<std::size_t>(ink.openStrokePoints()), xOffset);
  for (const PanelKey& k : core.keys()) {
    if (k.flags & kKeyPressed) p.invertRect(keyRect(k));
  }
  if (gModule.lookra) {
    const auto& candidates = gModule.lookra->candidates();
    const ui::Font font = core.charsetInForce() != 0 ? gModule.b5Font : gModule.gbFont;
    for (int slot = 0; slot < kGridSlots && slot < static_cast<int>(candidates.size()); ++slot) {
      p.drawText(cellRect(slot), candidates[static_cast<std::size_t>(slot)], font, kInk, 1);
    }
  }
}

std::intptr_t panelProc(ui::Hwnd h, unsigned msg, std::uint32_t w, std::int32_t l) {
  HandwritingCore* core = gModule.core();
  if (core && h == gModule.window) {
    const int x = ui::loShort(l), y = ui::hiShort(l);
    switch (msg) {
      case ui::kWmLButtonDown:
        ui::setCapture(h);
        core->penDown(x, y);
        return 0;
      case ui::kWmMouseMove:
        core->penMove(x, y);
        return 0;
      case ui::kWmLButtonUp:
        core->penUp(x, y);
        ui::releaseCapture();
        return 0;
      case plat::kWmTimer:
        if (w == kRecognitionTimer && gModule.brusca) gModule.brusca->timerFired();
        return 0;
      case ui::kWmPaint:
        if (ui::Painter* p = ui::windowPainter(h)) paintPanel(*p);
        return 0;
      default:
        break;
    }
  }
  return plat::defWindowProc(h, msg, w, l);
}

ui::Bitmap icon(PanelKind kind, int width, int height) {
  ui::Bitmap b = ui::createBitmap(width, height, kPanelGrey);
  ui::Painter p(b);
  ui::FontSpec spec;
  spec.face = u"ＭＳ Ｐゴシック";
  spec.charSet = ui::kShiftJisCharSet;
  spec.height = -14;
  ui::Font f = ui::createFont(spec);
  const char16_t* label = width > 16 ? u"手書" : u"手";
  if (kind == PanelKind::Search) label = width > 16 ? u"検索" : u"検";
  if (kind == PanelKind::Japanese) label = width > 16 ? u"あ字" : u"あ";
  p.drawText({0, 0, width, height}, label, f, kInk, 1);
  ui::deleteFont(f);
  return b;
}

void releaseWindows() {
  if (gModule.window) plat::destroyWindow(gModule.window);
  if (gModule.picture) ui::deleteBitmap(gModule.picture);
  for (ui::Font f : {gModule.labelFont, gModule.gbFont, gModule.b5Font}) {
    if (f) ui::deleteFont(f);
  }
  gModule.window = 0;
  gModule.picture = 0;
  gModule.labelFont = gModule.gbFont = gModule.b5Font = 0;
}

const panel::PanelDescriptor& descriptorOf(PanelKind kind) {
  switch (kind) {
    case PanelKind::Search: return lookraDescriptor();
    case PanelKind::Japanese: return japaneseInkDescriptor();
    case PanelKind::Input: break;
  }
  return bruscaDescriptor();
}

class HandwritingPanelObject final : public panel::PanelObject {
 public:
  explicit HandwritingPanelObject(PanelKind kind) : kind_(kind) {}

  com::HResult Select(com::Hwnd parent) override {
    Deselect();
    const bool input = kind_ != PanelKind::Search;
    gModule.kind = kind_;
    gModule.dpi = ui::screenMetrics().dpi < 1 ? 96 : ui::screenMetrics().dpi;
    gModule.host = std::make_unique<CallbackHost>(classIdOf(kind_));
    if (input) {
      gModule.brusca = std::make_unique<BruscaPanel>(*gModule.host);
      if (kind_ == PanelKind::Japanese) gModule.brusca->useDictionaryType(2);
      gModule.brusca->select(gModule.dpi);
    } else {
      gModule.lookra = std::make_unique<LookraPanel>(*gModule.host);
      gModule.lookra->select(gModule.dpi);
      gModule.gbFont = makeFont(u"ZQ-GB Mincho", ui::kGb2312CharSet, 14);
      gModule.b5Font = makeFont(u"ZQ-B5 Mincho", ui::kBig5CharSet, 14);
    }
    const std::u16string_view windowClass =
        kind_ == PanelKind::Japanese ? kJapaneseInkWindowClass : input ? kBruscaWindowClass : kLookraWindowClass;
    if (!plat::registerWindowClass(windowClass, panelProc)) {
      plat::messageBox(u"RegisterClass failed!", std::u16string(descriptorOf(kind_).displayName), plat::kMbOk);
      Deselect();
      return com::kEFail;
    }
    gModule.labelFont = makeFont(u"ＭＳ Ｐゴシック", ui::kShiftJisCharSet, 11);
    gModule.picture = drawPicture(kind_, gModule.core()->keys());
    gModule.window = plat::createWindow(windowClass, u"", parent);
    if (!gModule.window) {
      Deselect();
      return com::kEFail;
    }
    // 10 × 10 until the host gives the panel its size; shown without taking the focus.
    ui::moveWindow(gModule.window, {0, 0, 10, 10});
    ui::showWindow(gModule.window, true);
    return com::kSOk;
  }
  com::HResult Deselect() override {
    if (HandwritingCore* core = gModule.core()) {
      if (gModule.brusca) {
        gModule.brusca->deselect();
      } else {
        core->deselect();
      }
    }
    releaseWindows();
    gModule.brusca.reset();
    gModule.lookra.reset();
    gModule.host.reset();
    return com::kSOk;
  }
  com::HResult Showing() override { return com::kSOk; }
  com::HResult Hiding() override { return com::kSOk; }
  com::HResult GetInfo(com::ImInfo* info) override {
    if (!info) return com::kEFail;
    // Made once for the life of the module.
    static int wideList = 0, narrowList = 0;
    if (!wideList) {
      wideList = ui::createImageList(icon(kind_, 32, 16), 32, kPanelGrey);
      narrowList = ui::createImageList(icon(kind_, 16, 16), 16, kPanelGrey);
    }
    info->wideImageList = wideList;
    info->narrowImageList = narrowList;
    info->wideIndex = info->narrowIndex = 0;
    info->flags = com::kSipfDocked;
    info->sipRect = com::Rect{0, 0, kPanelWidth, kPanelHeight};
    return com::kSOk;
  }
  com::HResult ReceiveSipInfo(com::SipInfo* info) override {
    if (info && gModule.window) ui::moveWindow(gModule.window, {0, 0, info->sipRect.width(), info->sipRect.height()});
    return com::kSOk;
  }
  com::HResult RegisterCallback(com::ImCallback* callback) override {
    gModule.callback = callback;
    return com::kSOk;
  }
  com::HResult GetImData(std::uint32_t, void*) override { return com::kENotImpl; }
  com::HResult SetImData(std::uint32_t, void*) override { return com::kENotImpl; }
  com::HResult UserOptionsDlg(com::Hwnd owner) override {
    if (kind_ == PanelKind::Japanese) {
      ui::dialogBox(japaneseOptionsTemplate(), owner, inputOptionsProcedure(kJapaneseInkClassId));
      if (gModule.brusca) gModule.brusca->reloadSettings();
    } else if (kind_ == PanelKind::Input) {
      ui::dialogBox(inputOptionsTemplate(), owner, inputOptionsProcedure());
      if (gModule.brusca) gModule.brusca->reloadSettings();
    } else {
      ui::dialogBox(searchOptionsTemplate(), owner, searchOptionsProcedure());
    }
    return com::kSOk;
  }

 private:
  PanelKind kind_;
};

com::InputMethod* createBrusca() { return new (std::nothrow) HandwritingPanelObject(PanelKind::Input); }
com::InputMethod* createLookra() { return new (std::nothrow) HandwritingPanelObject(PanelKind::Search); }
com::InputMethod* createJapaneseInk() { return new (std::nothrow) HandwritingPanelObject(PanelKind::Japanese); }

// The number in the pause field; what is not a number reads as 0.
int fieldNumber(ui::Hwnd dlg) {
  const std::u16string text = ui::getDlgItemText(dlg, kOptTimeout);
  std::size_t i = 0;
  bool negative = false;
  while (i < text.size() && text[i] == u' ') ++i;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
  long n = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) n = std::min(n * 10 + (text[i] - u'0'), 1000000L);
  return static_cast<int>(negative ? -n : n);
}

void showNumber(ui::Hwnd dlg, int n) {
  std::u16string text;
  for (char c : std::to_string(n)) text.push_back(static_cast<char16_t>(c));
  ui::setDlgItemText(dlg, kOptTimeout, text);
}

void enablePause(ui::Hwnd dlg, bool enable) {
  for (unsigned id : {kOptTimeout, kOptUp, kOptDown}) ui::enableWindow(ui::getDlgItem(dlg, id), enable);
}

std::uint32_t setting(std::string_view classId, std::string_view name, std::uint32_t fallback) {
  std::uint32_t v = fallback;
  panel::panelSetting(classId, name, false, v);
  return v;
}

void store(std::string_view classId, std::string_view name, std::uint32_t v) {
  panel::panelSetting(classId, name, true, v);
}

}  // namespace

int timeoutUp(int n) { return n < 0 || n > 98 ? 99 : n + 1; }
int timeoutDown(int n) { return n < 1 || n > 99 ? 0 : n - 1; }

const panel::PanelDescriptor& bruscaDescriptor() {
  static const panel::PanelDescriptor d{kBruscaClassId, kBruscaDisplayName, kBruscaServerPath, true, true, createBrusca};
  return d;
}

const panel::PanelDescriptor& japaneseInkDescriptor() {
  static const panel::PanelDescriptor d{kJapaneseInkClassId, kJapaneseInkDisplayName, kJapaneseInkServerPath, true, true,
                                        createJapaneseInk};
  return d;
}

const panel::PanelDescriptor& lookraDescriptor() {
  static const panel::PanelDescriptor d{kLookraClassId, kLookraDisplayName, kLookraServerPath, false, true, createLookra};
  return d;
}

ui::DialogTemplate inputOptionsTemplate() {
  const std::uint32_t v = ui::kWsVisible, tab = ui::kWsTabStop;
  ui::DialogTemplate t;
  t.caption = u"中国語手書き入力の設定";
  t.cx = 120;
  t.cy = 100;
  t.fullScreen = true;
  t.items = {
      {u"Button", u"認識待ち時間を使用する", kOptUseTimeout, v | tab | ui::kBsAutoCheckBox, 4, 6, 112, 12},
      {u"Static", u"認識待ち時間：", 1002, v, 4, 24, 56, 10},
      {u"Edit", u"", kOptTimeout, v | tab | ui::kEsAutoHScroll, 60, 22, 24, 12},
      {u"Button", u"∧", kOptUp, v | tab, 86, 22, 14, 12},
      {u"Button", u"∨", kOptDown, v | tab, 100, 22, 14, 12},
      {u"Button", u"文字セット", 1012, v | ui::kBsGroupBox, 4, 40, 112, 30},
      {u"Button", u"簡体字", kOptSimplified, v | tab | ui::kWsGroup | ui::kBsAutoRadioButton, 10, 52, 48, 12},
      {u"Button", u"繁体字", kOptTraditional, v | ui::kBsAutoRadioButton, 62, 52, 48, 12},
      {u"Button", u"OK", ui::kIdOk, v | tab | ui::kBsDefPushButton, 40, 78, 40, 14},
  };
  return t;
}

ui::DialogTemplate japaneseOptionsTemplate() {
  ui::DialogTemplate t = inputOptionsTemplate();
  t.caption = u"日本語手書き入力の設定";
  std::erase_if(t.items, [](const ui::DialogItem& it) { return it.id == 1012 || it.id == kOptSimplified || it.id == kOptTraditional; });
  for (ui::DialogItem& it : t.items) {
    if (it.id == ui::kIdOk) it.y = 42;
  }
  return t;
}

ui::DialogProc inputOptionsProcedure() { return inputOptionsProcedure(kBruscaClassId); }

ui::DialogProc inputOptionsProcedure(std::string_view classId) {
  return [classId](ui::Hwnd dlg, unsigned msg, std::uint32_t w, std::int32_t) -> std::intptr_t {
    if (msg == ui::kWmInitDialog) {
      const bool set = setting(classId, "Set", classId == kJapaneseInkClassId ? 1 : 0) != 0;
      const auto timeout = static_cast<std::int32_t>(setting(classId, "Timeout", 1));
      const bool traditional = setting(classId, "Charset", 0) != 0;
      ui::checkDlgButton(dlg, kOptUseTimeout, set);
      showNumber(dlg, std::clamp(timeout, 0, 99));
      ui::checkDlgButton(dlg, kOptSimplified, !traditional);
      ui::checkDlgButton(dlg, kOptTraditional, traditional);
      enablePause(dlg, set);
      return 1;
    }
    if (msg != plat::kWmCommand) return 0;
    switch (ui::loWord(w)) {
      case kOptUseTimeout:
        enablePause(dlg, ui::isDlgButtonChecked(dlg, kOptUseTimeout));
        return 1;
      case kOptUp:
        showNumber(dlg, timeoutUp(fieldNumber(dlg)));
        return 1;
      case kOptDown:
        showNumber(dlg, timeoutDown(fieldNumber(dlg)));
        return 1;
      case ui::kIdOk:
        store(classId, "Set", ui::isDlgButtonChecked(dlg, kOptUseTimeout) ? 1 : 0);
        store(classId, "Timeout", static_cast<std::uint32_t>(std::clamp(fieldNumber(dlg), 0, 99)));
        if (ui::getDlgItem(dlg, kOptTraditional)) store(classId, "Charset", ui::isDlgButtonChecked(dlg, kOptTraditional) ? 1 : 0);
        ui::endDialog(dlg, ui::kIdOk);
        return 1;
      default:
        return 0;
    }
  };
}

ui::DialogTemplate searchOptionsTemplate() {
  const std::uint32_t v = ui::kWsVisible, tab = ui::kWsTabStop;
  ui::DialogTemplate t;
  t.caption = u"中国語手書き検索の設定";
  t.cx = 120;
  t.cy = 60;
  t.fullScreen = true;
  t.items = {
      {u"Button", u"文字セット", 1002, v | ui::kBsGroupBox, 4, 4, 112, 30},
      {u"Button", u"簡体字", kSearchSimplified, v | tab | ui::kWsGroup | ui::kBsAutoRadioButton, 10, 16, 48, 12},
      {u"Button", u"繁体字", kSearchTraditional, v | ui::kBsAutoRadioButton, 62, 16, 48, 12},
      {u"Button", u"OK", ui::kIdOk, v | tab | ui::kBsDefPushButton, 40, 42, 40, 14},
  };
  return t;
}

ui::DialogProc searchOptionsProcedure() {
  return [](ui::Hwnd dlg, unsigned msg, std::uint32_t w, std::int32_t) -> std::intptr_t {
    if (msg == ui::kWmInitDialog) {
      const bool traditional = setting(kLookraClassId, "Charset", 0) != 0;
      ui::checkDlgButton(dlg, kSearchSimplified, !traditional);
      ui::checkDlgButton(dlg, kSearchTraditional, traditional);
      return 1;
    }
    if (msg == plat::kWmCommand && ui::loWord(w) == ui::kIdOk) {
      store(kLookraClassId, "Charset", ui::isDlgButtonChecked(dlg, kSearchTraditional) ? 1 : 0);
      ui::endDialog(dlg, ui::kIdOk);
      return 1;
    }
    return 0;
  };
}

}  // namespace hw
