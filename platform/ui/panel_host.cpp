// The input-panel host: loads the current input method's panel through its class factory, docks
// its window under the main dialog, and types what the panel sends into the focused control.
#include "platform/ui/panel_host.h"

#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/core/library.h"
#include "platform/core/registry.h"
#include "platform/core/codepage.h"
#include "platform/ui/dialog.h"
#include "platform/ui/window_impl.h"

namespace ui {
using namespace ui::impl;

namespace {

constexpr const char16_t* kHostClass = plat::kInputMethodHostClass;  // hears the other programs' changes
constexpr char16_t kSiteClass[] = u"SuitePanelSite";                  // the parent of the panel's window
constexpr unsigned kMsgInputMethodChanged = plat::kInputMethodChangedMessage;

Guid guid(const char* text) { return *plat::parseClassId(std::string_view(text)); }

class HostCallback final : public ImCallback {
 public:
  HResult QueryInterface(const Guid& iid, void** out) override {
    if (!out) return kEFail;
    *out = nullptr;
    if (iid == iidUnknown() || iid == iidImCallback()) {
      *out = static_cast<ImCallback*>(this);
      AddRef();
      return kSOk;
    }
    return kENoInterface;
  }
  std::uint32_t AddRef() override { return ++refs_; }
  std::uint32_t Release() override { return refs_ > 1 ? --refs_ : (refs_ = 1); }
  HResult SetImInfo(ImInfo* info) override;
  HResult SendVirtualKey(std::uint8_t vk, std::uint32_t flags) override {
    Hwnd target = getFocus();
    if (!target) return kSOk;
    if (flags & kKeyEventKeyUp) {
      plat::sendMessage(target, kWmKeyUp, vk, 0);
      return kSOk;
    }
    if (preTranslateKeyPublic(target, vk, 0)) return kSOk;
    plat::sendMessage(target, plat::kWmKeyDown, vk, 0);
    // Keys that type a character, as the keyboard's translation gives them.
    char16_t c = 0;
    switch (vk) {
      case kVkBack: c = 8; break;
      case kVkTab: c = 9; break;
      case kVkReturn: c = 13; break;
      case kVkEscape: c = 27; break;
      case kVkSpace: c = 32; break;
      default: break;
    }
    if (c && plat::isWindow(target)) plat::sendMessage(target, plat::kWmChar, c, 1);
    return kSOk;
  }
  HResult SendCharEvents(std::uint32_t, std::uint32_t keyFlags, std::uint32_t count, const std::uint32_t* shiftStates,
                         const std::uint32_t* chars) override {
    if (!chars) return kEFail;
    for (std::uint32_t i = 0; i < count; ++i) {
      std::uint32_t state = shiftStates ? shiftStates[i] : keyFlags;
      if (state & kKeyEventKeyUp) continue;
      if (!(state & kKeyStateDown)) continue;
      Hwnd target = getFocus();
      if (!target) break;
      std::uint32_t c = chars[i];
      if ((state & kKeyStateControl) && ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'))) c &= 0x1F;
      plat::sendMessage(target, plat::kWmChar, c, 1);
    }
    return kSOk;
  }
  HResult SendString(const char16_t* text, std::uint32_t count) override {
    if (!text) return kEFail;
    for (std::uint32_t i = 0; i < count; ++i) {
      Hwnd target = getFocus();
      if (!target) break;
      plat::sendMessage(target, plat::kWmChar, text[i], 1);
    }
    return kSOk;
  }

 private:
  std::uint32_t refs_ = 1;
};

struct HostState {
  Hwnd dialog = 0;
  Hwnd site = 0;      // the panel's parent window, docked in the dialog
  Hwnd notifier = 0;  // hears changes made by other programs
  plat::ClassId loaded;
  std::uint32_t selection = 0;      // the device's selection count when last seen
  std::uint32_t selectionHere = 0;  // and this program's own
  InputMethod* object = nullptr;
  void* library = nullptr;
  Rect rect;          // at 96 dots per inch, as the panel gave it
  bool shown = false;
  HostCallback callback;
};

HostState& host() {
  static auto* h = new HostState;
  return *h;
}

Rect scaled(Rect r) {
  int dpi = screenMetrics().dpi;
  return Rect{r.left * dpi / 96, r.top * dpi / 96, r.right * dpi / 96, r.bottom * dpi / 96};
}

int commandBarHeight(const WinRec& d) {
  return d.menuBar && d.menuBar->isVisibleTo(d.widget) ? d.menuBar->sizeHint().height() : 0;
}

// Where the panel stands on the program's screen: docked directly above the command bar in the
// size it asked for. The handheld's panel has that one place; a program that raises it at a
// rectangle of its own gets it there too, whole, with nothing of its screen left below it.
Rect panelScreenRect() {
  HostState& h = host();
  Rect px = scaled(h.rect);
  WinRec* d = rec(h.dialog);
  const int barTop = screenMetrics().height - (d ? commandBarHeight(*d) : 0);
  return Rect{0, barTop - px.height(), px.width(), barTop};
}

void placePanel() {
  HostState& h = host();
  WinRec* d = rec(h.dialog);
  if (!d || !d->panelArea) return;
  bool visible = h.shown && h.object;
  Rect px = panelScreenRect();
  d->panelArea->setFixedHeight(std::max(0, px.height()));
  d->panelArea->setVisible(visible);
  if (QWidget* site = widgetOf(h.site)) site->setGeometry(0, 0, std::max(1, px.width()), std::max(1, px.height()));
  plat::showWindow(h.site, visible);
  layoutDialog(*d);
  if (h.object) {
    SipInfo info;
    info.flags = visible ? kSipfOn | kSipfDocked : kSipfDocked;
    ScreenMetrics sm = screenMetrics();
    info.visibleDesktop = Rect{0, 0, sm.width, visible ? px.top : px.bottom};
    info.sipRect = px;
    h.object->ReceiveSipInfo(&info);
  }
}

void unloadPanel() {
  HostState& h = host();
  if (h.object) {
    if (h.shown) h.object->Hiding();
    h.object->Deselect();
    h.object->Release();
    h.object = nullptr;
  }
  if (h.library) plat::freeLibrary(h.library);
  h.library = nullptr;
  h.loaded = plat::ClassId{};
}

// Follows the device's input-method state.
void refresh() {
  HostState& h = host();
  if (!h.dialog) return;
  plat::ClassId current;
  plat::currentInputMethod(current);
  bool shown = plat::inputPanelShown();
  // Another program's selection since the last look creates the panel anew, even of the method
  // loaded (the refresher's run); this program selecting the method loaded keeps the panel with
  // what it holds (a character written and not yet sent, a syllable being composed).
  const std::uint32_t selection = plat::inputMethodSelections(), here = plat::inputMethodSelectionsHere();
  const bool elsewhere = selection - h.selection > here - h.selectionHere;
  h.selection = selection;
  h.selectionHere = here;
  if (elsewhere || !(current == h.loaded) || (!h.object && !current.isNull())) {
    bool wasShown = h.shown;
    unloadPanel();
    h.shown = false;
    if (!current.isNull()) {
      LoadedPanel p = loadPanelObject(current);
      if (p.object) {
        h.object = p.object;
        h.library = p.library;
        h.loaded = current;
        h.object->RegisterCallback(&h.callback);
        if (h.object->Select(h.site) != kSOk) {
          h.object->Release();
          h.object = nullptr;
          plat::freeLibrary(h.library);
          h.library = nullptr;
        } else {
          ImInfo info;
          if (h.object->GetInfo(&info) == kSOk) h.rect = info.sipRect;
        }
      }
      h.loaded = current;
    }
    (void)wasShown;
  }
  if (h.object && shown != h.shown) {
    h.shown = shown;
    if (shown) h.object->Showing();
    else h.object->Hiding();
  }
  h.shown = shown;
  placePanel();
}

// A small keyboard, drawn at the screen's resolution.
QIcon keyboardIcon() {
  QPixmap pm(uiPixels(20), uiPixels(14));
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.scale(uiPixels(96) / 96.0, uiPixels(96) / 96.0);
  p.setPen(QColor(40, 40, 40));
  p.setBrush(QColor(250, 250, 250));
  p.drawRoundedRect(0, 0, 19, 13, 2, 2);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 40, 40));
  for (int row = 0; row < 2; ++row) {
    for (int col = 0; col < 5; ++col) p.drawRect(2 + col * 3 + row, 2 + row * 3, 2, 2);
  }
  p.drawRect(5, 9, 9, 2);
  return QIcon(pm);
}

void addPanelButton(WinRec& d) {
  attachMenuBar(d);
  QMenuBar* bar = d.menuBar;
  if (!bar || bar->cornerWidget(Qt::TopRightCorner)) return;
  auto* button = new QToolButton(bar);
  button->setObjectName(QStringLiteral("suiteInputPanelButton"));
  button->setIcon(keyboardIcon());
  button->setIconSize(QSize(uiPixels(20), uiPixels(14)));
  button->setPopupMode(QToolButton::MenuButtonPopup);
  auto* menu = new QMenu(button);
  button->setMenu(menu);
  QObject::connect(button, &QToolButton::clicked, [] { plat::setInputPanelShown(!plat::inputPanelShown()); });
  QObject::connect(menu, &QMenu::aboutToShow, [menu] {
    // Its text at the screen's resolution, as the command bar's menus.
    QFont font = menu->font();
    font.setPixelSize(uiPixels(12));
    menu->setFont(font);
    menu->clear();
    for (const InputMethodChoice& c : inputMethodChoices()) {
      QAction* a = menu->addAction(toQ(c.name));
      a->setCheckable(true);
      a->setChecked(c.current);
      plat::ClassId id = c.id;
      QObject::connect(a, &QAction::triggered, [id] {
        if (plat::selectInputMethod(id)) plat::setInputPanelShown(true);
      });
    }
    // The options page of the panel loaded, as the panel shows it.
    menu->addSeparator();
    QAction* options = menu->addAction(QString::fromUtf16(u"オプション..."));
    options->setEnabled(host().object != nullptr);
    QObject::connect(options, &QAction::triggered, [] {
      HostState& h = host();
      if (h.object) h.object->UserOptionsDlg(h.dialog);
    });
    widenMenuForItems(menu);
  });
  bar->setCornerWidget(button, Qt::TopRightCorner);
  button->show();
  bar->show();
  bar->updateGeometry();
  layoutDialog(d);
}

std::intptr_t notifierProc(Hwnd hwnd, unsigned msg, std::uint32_t wParam, std::int32_t lParam) {
  if (msg == kMsgInputMethodChanged) {
    refresh();
    return 1;
  }
  return plat::defWindowProc(hwnd, msg, wParam, lParam);
}

std::intptr_t siteProc(Hwnd hwnd, unsigned msg, std::uint32_t wParam, std::int32_t lParam) {
  if (msg == plat::kWmClose) return 0;
  return plat::defWindowProc(hwnd, msg, wParam, lParam);
}

// A change made here (platform/core tells the other programs' hosts itself).
void onLocalChange(const plat::ClassId&, bool) { refresh(); }

}  // namespace

HResult HostCallback::SetImInfo(ImInfo* info) {
  if (!info) return kEFail;
  host().rect = info->sipRect;
  placePanel();
  return kSOk;
}

Guid iidUnknown() { return guid("{00000000-0000-0000-C000-000000000046}"); }
Guid iidClassFactory() { return guid("{00000001-0000-0000-C000-000000000046}"); }
Guid iidInputMethod() { return guid("{42429666-AE04-11D0-A4F8-00AA00A749B9}"); }
Guid iidImCallback() { return guid("{42429667-AE04-11D0-A4F8-00AA00A749B9}"); }

LoadedPanel loadPanelObject(const plat::ClassId& clsid) {
  LoadedPanel out;
  std::string key = "CLSID\\" + plat::wideToUtf8(plat::classIdText(clsid)) + "\\InprocServer32";
  auto k = plat::regOpenKey(plat::RegRoot::ClassesRoot, key);
  std::optional<std::u16string> server = k ? plat::regGetString(*k, "") : std::nullopt;
  if (!server || server->empty()) {
    out.error = u"no InprocServer32 for " + plat::classIdText(clsid);
    return out;
  }
  std::u16string file = *server;
  size_t cut = file.find_last_of(u"\\/");
  if (cut != std::u16string::npos) file = file.substr(cut + 1);
  void* lib = plat::loadLibrary(plat::wideToUtf8(file));
  if (!lib) {
    out.error = plat::utf8ToWide(plat::libraryErrorText());
    return out;
  }
  auto get = plat::bindFunction<DllGetClassObjectFn>(lib, "DllGetClassObject");
  if (!get) {
    out.error = u"no DllGetClassObject in " + file;
    plat::freeLibrary(lib);
    return out;
  }
  void* factoryPtr = nullptr;
  if (get(clsid, iidClassFactory(), &factoryPtr) != kSOk || !factoryPtr) {
    out.error = u"no class factory";
    plat::freeLibrary(lib);
    return out;
  }
  auto* factory = static_cast<ClassFactory*>(factoryPtr);
  void* objectPtr = nullptr;
  HResult hr = factory->CreateInstance(nullptr, iidInputMethod(), &objectPtr);
  factory->Release();
  if (hr != kSOk || !objectPtr) {
    out.error = u"the factory made no input method";
    plat::freeLibrary(lib);
    return out;
  }
  out.object = static_cast<InputMethod*>(objectPtr);
  out.library = lib;
  return out;
}

bool attachInputPanelHost(Hwnd dialog) {
  WinRec* d = rec(dialog);
  if (!d || d->kind != Kind::Dialog || !d->panelArea) return false;
  HostState& h = host();
  if (h.dialog && h.dialog != dialog) detachInputPanelHost();
  if (h.dialog == dialog) return true;
  plat::registerWindowClass(kHostClass, notifierProc);
  plat::registerWindowClass(kSiteClass, siteProc);
  h.dialog = dialog;
  if (!h.notifier) h.notifier = plat::createWindow(kHostClass, u"", 0);
  h.site = plat::createWindow(kSiteClass, u"", dialog);
  if (QWidget* site = widgetOf(h.site)) {
    site->setParent(d->panelArea);
    site->show();
  }
  plat::setInputMethodListener(onLocalChange);
  addPanelButton(*d);
  refresh();
  return true;
}

std::vector<InputMethodChoice> inputMethodChoices() {
  std::vector<InputMethodChoice> out;
  plat::ClassId current;
  plat::currentInputMethod(current);
  for (const plat::ClassId& id : plat::installedInputMethods()) {
    InputMethodChoice c;
    c.id = id;
    auto key = plat::regOpenKey(plat::RegRoot::ClassesRoot, "CLSID\\" + plat::wideToUtf8(plat::classIdText(id)));
    std::optional<std::u16string> name = key ? plat::regGetString(*key, "") : std::nullopt;
    c.name = name && !name->empty() ? *name : plat::classIdText(id);
    c.current = id == current;
    out.push_back(std::move(c));
  }
  return out;
}

void detachInputPanelHost() {
  HostState& h = host();
  unloadPanel();
  plat::setInputMethodListener(nullptr);
  if (h.site) plat::destroyWindow(h.site);
  if (h.notifier) plat::destroyWindow(h.notifier);
  h.site = 0;
  h.notifier = 0;
  h.dialog = 0;
  h.shown = false;
}

plat::ClassId loadedInputPanel() { return host().object ? host().loaded : plat::ClassId{}; }
Rect inputPanelRect() { return panelScreenRect(); }
bool inputPanelVisible() { return host().object && host().shown; }

Hwnd inputPanelWindow() {
  std::vector<Hwnd> kids;
  HostState& h = host();
  if (!h.site) return 0;
  if (QWidget* site = widgetOf(h.site)) {
    for (QObject* o : site->children()) {
      auto* w = qobject_cast<QWidget*>(o);
      if (!w) continue;
      QVariant v = w->property("suiteHwnd");
      if (v.isValid()) return static_cast<Hwnd>(v.toUInt());
    }
  }
  return 0;
}

}  // namespace ui

namespace ui::impl {

void panelHostWindowGone(Hwnd hwnd) {
  HostState& h = host();
  if (hwnd == h.dialog) {
    // The dialog is going: the panel lets go of its windows first.
    h.dialog = 0;
    unloadPanel();
    plat::setInputMethodListener(nullptr);
    h.site = 0;
    if (h.notifier) {
      Hwnd n = h.notifier;
      h.notifier = 0;
      plat::destroyWindow(n);
    }
  } else if (hwnd == h.site) {
    h.site = 0;
  } else if (hwnd == h.notifier) {
    h.notifier = 0;
  }
}

}  // namespace ui::impl
