// Dialogs from templates in dialog units, and the window functions every window answers.
#include "platform/ui/dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QResizeEvent>
#include <QVBoxLayout>
#include <QWindow>

#include <sstream>

#include "platform/core/codepage.h"
#include "platform/core/resources.h"
#include "platform/ui/fonts.h"
#include "platform/ui/window_impl.h"

namespace ui::impl {
namespace {

class DialogWidget : public QWidget {
 public:
  DialogWidget(WinRec& r, QWidget* parent) : QWidget(parent, parent ? Qt::Dialog : Qt::Window), hwnd_(r.hwnd) {}

 protected:
  void closeEvent(QCloseEvent* e) override {
    e->ignore();
    if (rec(hwnd_)) plat::sendMessage(hwnd_, plat::kWmClose, 0, 0);
  }
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    WinRec* r = rec(hwnd_);
    if (!r || !r->client) return;
    // On a desktop the person turns the handheld by resizing its full-screen dialog.
    ScreenMetrics sm = screenMetrics();
    if (e->spontaneous() && r->tmpl.fullScreen && (e->size().width() != sm.width || e->size().height() != sm.height)) {
      setScreenSize(e->size().width(), e->size().height());
      return;
    }
    QSize c = r->client->size();
    plat::sendMessage(hwnd_, kWmSize, 0, makeLParam(c.width(), c.height()));
  }
  void keyPressEvent(QKeyEvent* e) override {
    bool runBase = false;
    routeKey(hwnd_, e->key(), e->modifiers(), e->text(), e->isAutoRepeat(), runBase);
    if (runBase) QWidget::keyPressEvent(e);
  }
  // Made active by the person (a desktop's window manager): in front of the programs' windows.
  void changeEvent(QEvent* e) override {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isWindow() && isActiveWindow() && rec(hwnd_)) plat::noteWindowInFront(hwnd_);
  }

 private:
  Hwnd hwnd_;
};

// A dialog's client area: controls are placed in it by pixel rectangles.
class ClientArea : public QWidget {
 public:
  explicit ClientArea(QWidget* parent) : QWidget(parent) {}
  QSize sizeHint() const override { return wanted; }
  QSize minimumSizeHint() const override { return QSize(0, 0); }
  QSize wanted{0, 0};
};

Rect mapWithUnits(Point base, Rect du) {
  auto mx = [&](int v) { return (v * base.x + (v >= 0 ? 2 : -2)) / 4; };
  auto my = [&](int v) { return (v * base.y + (v >= 0 ? 4 : -4)) / 8; };
  return Rect{mx(du.left), my(du.top), mx(du.right), my(du.bottom)};
}

Rect itemRect(Point base, const DialogItem& it) {
  return mapWithUnits(base, Rect{it.x, it.y, it.x + it.cx, it.y + it.cy});
}

void placeControl(Hwnd h, Rect r) {
  WinRec* cr = rec(h);
  QWidget* w = cr ? cr->widget.data() : nullptr;
  if (!w) return;
  int height = r.height();
  // A combo box's template height includes its dropped list; the box itself keeps its own height.
  if (cr->kind == Kind::Combo) height = std::min(height, w->sizeHint().height());
  w->setGeometry(r.left, r.top, r.width(), height);
}

Hwnd buildDialog(const DialogTemplate& t, Hwnd owner, DialogProc proc, bool modal) {
  for (const DialogItem& it : t.items) {
    std::u16string cls = it.className;
    static const char16_t* known[] = {u"edit", u"button", u"static", u"combobox", u"listbox", u"msctls_trackbar32",
                                      u"systabcontrol32", u"displayclass"};
    bool ok = false;
    std::u16string lower;
    for (char16_t c : cls) lower.push_back(c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c);
    for (const char16_t* k : known) ok = ok || lower == k;
    if (!ok) return 0;
  }
  Pending p;
  p.kind = Kind::Dialog;
  p.dlgProc = std::move(proc);
  Hwnd owningTop = owner ? topLevelOf(owner) : 0;
  // Dialogs are top-level windows of the program (an owner only keeps them in front of it).
  Hwnd h = createWithWidget(u"Dialog", t.caption, 0, std::move(p));
  WinRec* r = rec(h);
  if (!r) return 0;
  r->tmpl = t;
  r->modal = modal;
  r->baseUnits = dialogBaseUnits(t.fontFace, t.fontPoints, screenMetrics().dpi);
  // An owned dialog stays in front of its owner; it is a window of its own, so that disabling the
  // owner during a modal loop leaves it alone.
  if (owningTop) {
    if (QWidget* ow = widgetOf(owningTop)) {
      r->widget->winId();
      ow->winId();
      if (r->widget->windowHandle() && ow->windowHandle()) r->widget->windowHandle()->setTransientParent(ow->windowHandle());
    }
  }
  if (modal) r->widget->setWindowModality(Qt::ApplicationModal);
  Font dlgFont = createFont({t.fontFace, kDefaultCharSet, pointsToHeight(t.fontPoints)});
  r->font = dlgFont;
  r->widget->setFont(fontOf(dlgFont));
  r->widget->setWindowTitle(toQ(t.caption));
  for (const DialogItem& it : t.items) {
    Pending cp;
    std::u16string lower;
    for (char16_t c : it.className) lower.push_back(c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c);
    if (lower == u"edit") cp.kind = Kind::Edit;
    else if (lower == u"button") cp.kind = Kind::Button;
    else if (lower == u"static") cp.kind = Kind::Static;
    else if (lower == u"combobox") cp.kind = Kind::Combo;
    else if (lower == u"listbox") cp.kind = Kind::List;
    else if (lower == u"msctls_trackbar32") cp.kind = Kind::Trackbar;
    else if (lower == u"systabcontrol32") cp.kind = Kind::Tab;
    else cp.kind = Kind::Html;
    cp.id = it.id;
    cp.style = it.style;
    Hwnd c = createWithWidget(it.className, it.text, h, cp);
    if (!c) continue;
    placeControl(c, itemRect(r->baseUnits, it));
    WinRec* cr = rec(c);
    if (cr && cr->widget) {
      cr->widget->setVisible((it.style & kWsVisible) != 0);
      cr->widget->setEnabled((it.style & kWsDisabled) == 0);
    }
    plat::showWindow(c, (it.style & kWsVisible) != 0);
  }
  layoutDialog(*r);
  return h;
}

void initAndShow(Hwnd h, std::int32_t initParam) {
  WinRec* r = rec(h);
  if (!r) return;
  plat::showWindow(h, true);
  if (QWidget* w = r->widget) {
    w->show();
    w->activateWindow();
    QApplication::setActiveWindow(w);
  }
  if (!r->parent) plat::noteWindowInFront(h);
  std::intptr_t focusDefault = plat::sendMessage(h, kWmInitDialog, 0, initParam);
  if (!rec(h)) return;
  if (focusDefault && getFocus() == 0) {
    for (Hwnd c : childWindows(h)) {
      WinRec* cr = rec(c);
      if (cr && cr->widget && cr->widget->isVisible() && cr->widget->isEnabled() && cr->kind != Kind::Static) {
        setFocus(c);
        break;
      }
    }
  }
}

std::string utf8(std::u16string_view s) { return plat::wideToUtf8(s); }

}  // namespace

void layoutDialog(WinRec& r) {
  if (!r.widget || !r.client) return;
  ScreenMetrics sm = screenMetrics();
  if (r.menuBar) styleCommandBar(r.menuBar);
  auto* client = static_cast<ClientArea*>(r.client.data());
  QSize before = r.client->size();
  if (r.tmpl.fullScreen) {
    r.placedAt = Point{0, 0};
    r.widget->setGeometry(0, 0, sm.width, sm.height);
    int extra = 0;
    if (r.menuBar && r.menuBar->isVisibleTo(r.widget)) extra += r.menuBar->sizeHint().height();
    if (r.panelArea && r.panelArea->isVisibleTo(r.widget)) extra += r.panelArea->height();
    client->wanted = QSize(sm.width, std::max(0, sm.height - extra));
  } else {
    Rect px = mapWithUnits(r.baseUnits, Rect{0, 0, r.tmpl.cx, r.tmpl.cy});
    client->wanted = QSize(px.width(), px.height());
    int extra = 0;
    if (r.menuBar && r.menuBar->isVisibleTo(r.widget)) extra += r.menuBar->sizeHint().height();
    if (r.panelArea && r.panelArea->isVisibleTo(r.widget)) extra += r.panelArea->height();
    int w = px.width(), hgt = px.height() + extra;
    r.placedAt = Point{std::max(0, (sm.width - w) / 2), std::max(0, (sm.height - hgt) / 2)};
    r.widget->setGeometry(r.placedAt.x, r.placedAt.y, w, hgt);
  }
  client->updateGeometry();
  if (r.widget->layout()) r.widget->layout()->activate();
  client->resize(client->wanted);
  if (r.client->size() == before) {
    QSize c = r.client->size();
    plat::sendMessage(r.hwnd, kWmSize, 0, makeLParam(c.width(), c.height()));
  }
}

QWidget* makeDialogWidget(WinRec& r, QWidget* parent) {
  auto* w = new DialogWidget(r, parent);
  auto* layout = new QVBoxLayout(w);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* client = new ClientArea(w);
  client->setProperty("suiteHwnd", static_cast<uint>(r.hwnd));
  layout->addWidget(client, 1);
  auto* panel = new QWidget(w);
  panel->hide();
  layout->addWidget(panel, 0);
  r.client = client;
  r.panelArea = panel;
  return w;
}

std::intptr_t dialogClassProc(Hwnd hwnd, unsigned msg, std::uint32_t wParam, std::int32_t lParam) {
  WinRec* r = rec(hwnd);
  DialogProc proc = r ? r->dlgProc : DialogProc();
  std::intptr_t handled = proc ? proc(hwnd, msg, wParam, lParam) : 0;
  if (handled) return handled;
  switch (msg) {
    case kWmInitDialog: return 1;  // focus the first control
    case plat::kWmClose: endDialog(hwnd, kIdCancel); return 0;
    case plat::kWmCommand:
      if (loWord(wParam) == kIdOk || loWord(wParam) == kIdCancel) {
        if (hiWord(wParam) == kBnClicked || hiWord(wParam) == 1) endDialog(hwnd, static_cast<int>(loWord(wParam)));
      }
      return 0;
    default: return 0;
  }
}

}  // namespace ui::impl

namespace ui {
using namespace ui::impl;

std::string formatDialogTemplate(const DialogTemplate& t) {
  std::ostringstream o;
  o << "DIALOG " << t.cx << ' ' << t.cy << ' ' << t.fontPoints << ' ' << (t.fullScreen ? 1 : 0) << '\n';
  o << "CAPTION " << utf8(t.caption) << '\n';
  o << "FONT " << utf8(t.fontFace) << '\n';
  for (const DialogItem& it : t.items) {
    char style[16];
    std::snprintf(style, sizeof style, "%08X", static_cast<unsigned>(it.style));
    o << "CONTROL " << utf8(it.className) << ' ' << it.id << ' ' << style << ' ' << it.x << ' ' << it.y << ' '
      << it.cx << ' ' << it.cy << ' ' << utf8(it.text) << '\n';
  }
  return o.str();
}

std::optional<DialogTemplate> parseDialogTemplate(std::string_view text) {
  DialogTemplate t;
  bool header = false;
  std::istringstream in{std::string(text)};
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    auto rest = [&](size_t n) { return line.size() > n ? line.substr(n) : std::string(); };
    if (line.rfind("DIALOG ", 0) == 0) {
      std::istringstream f(rest(7));
      int full = 0;
      if (!(f >> t.cx >> t.cy >> t.fontPoints >> full) || t.cx < 0 || t.cy < 0) return std::nullopt;
      t.fullScreen = full != 0;
      header = true;
    } else if (line.rfind("CAPTION", 0) == 0) {
      t.caption = plat::utf8ToWide(rest(8));
    } else if (line.rfind("FONT", 0) == 0) {
      t.fontFace = plat::utf8ToWide(rest(5));
    } else if (line.rfind("CONTROL ", 0) == 0) {
      std::istringstream f(rest(8));
      DialogItem it;
      std::string cls, style;
      if (!(f >> cls >> it.id >> style >> it.x >> it.y >> it.cx >> it.cy)) return std::nullopt;
      char* end = nullptr;
      unsigned long s = std::strtoul(style.c_str(), &end, 16);
      if (!end || *end != '\0') return std::nullopt;
      it.style = static_cast<std::uint32_t>(s);
      std::string txt;
      std::getline(f, txt);
      if (!txt.empty() && txt[0] == ' ') txt.erase(0, 1);
      it.className = plat::utf8ToWide(cls);
      it.text = plat::utf8ToWide(txt);
      t.items.push_back(std::move(it));
    } else {
      return std::nullopt;
    }
  }
  if (!header) return std::nullopt;
  return t;
}

std::optional<DialogTemplate> loadDialogTemplate(unsigned id) {
  plat::ResourceData d = plat::findResource("DIALOG", id);
  if (!d) return std::nullopt;
  return parseDialogTemplate(d.bytes());
}

Hwnd createDialog(const DialogTemplate& t, Hwnd owner, DialogProc proc, std::int32_t initParam) {
  if (!initApplication()) return 0;
  Hwnd h = buildDialog(t, owner, std::move(proc), false);
  if (h) initAndShow(h, initParam);
  return rec(h) ? h : 0;
}

int dialogBox(const DialogTemplate& t, Hwnd owner, DialogProc proc, std::int32_t initParam) {
  if (!initApplication()) return -1;
  Hwnd h = buildDialog(t, owner, std::move(proc), true);
  if (!h) return -1;
  WinRec* r = rec(h);
  if (owner) enableWindow(topLevelOf(owner), false);
  initAndShow(h, initParam);
  r = rec(h);
  int result = -1;
  if (r && !r->ended && !quitPending()) {
    QEventLoop loop;
    r->loop = &loop;
    pushLoop(&loop);
    loop.exec();
    popLoop(&loop);
    if ((r = rec(h))) r->loop = nullptr;
  }
  if ((r = rec(h))) {
    result = r->ended ? r->result : -1;
    plat::destroyWindow(h);
  }
  if (owner) {
    enableWindow(topLevelOf(owner), true);
    if (QWidget* ow = widgetOf(topLevelOf(owner))) ow->activateWindow();
  }
  return result;
}

bool endDialog(Hwnd dialog, int code) {
  WinRec* r = rec(dialog);
  if (!r || r->kind != Kind::Dialog) return false;
  r->ended = true;
  r->result = code;
  if (r->modal) {
    if (r->widget) r->widget->hide();
    if (r->loop) r->loop->exit(code);
  } else {
    plat::destroyWindow(dialog);
  }
  return true;
}

Hwnd getDlgItem(Hwnd dialog, unsigned id) {
  for (Hwnd c : childWindows(dialog)) {
    if (WinRec* r = rec(c); r && r->id == id) return c;
  }
  return 0;
}

unsigned getDlgCtrlId(Hwnd control) {
  WinRec* r = rec(control);
  return r ? r->id : 0;
}

std::vector<Hwnd> childWindows(Hwnd parent) {
  std::vector<Hwnd> out;
  WinRec* p = rec(parent);
  if (!p) return out;
  QWidget* c = containerOf(parent);
  if (!c) return out;
  // In creation order, which is the order of the handles.
  for (QObject* o : c->children()) {
    auto* w = qobject_cast<QWidget*>(o);
    if (!w) continue;
    QVariant v = w->property("suiteHwnd");
    if (!v.isValid()) continue;
    Hwnd h = static_cast<Hwnd>(v.toUInt());
    if (WinRec* r = rec(h); r && r->parent == parent) out.push_back(h);
  }
  std::sort(out.begin(), out.end());
  return out;
}

Point dialogBaseUnits(std::u16string_view, int points, int dpi) {
  // The handheld's Japanese system fonts: at 96 dots per inch a character height of the point size
  // in pixels and an average width of 8/15 of it (8 × 15 for 11 points), whatever the face is
  // mapped to here, so that templates lay out as they were drawn; other resolutions scale that.
  int px = std::max(1, (points * 96 + 36) / 72);
  int x = std::max(1, (px * 8 + 7) / 15);
  return Point{std::max(1, (x * dpi + 48) / 96), std::max(1, (px * dpi + 48) / 96)};
}

Rect mapDialogRect(Hwnd dialog, Rect du) {
  WinRec* r = rec(topLevelOf(dialog));
  Point base = r ? r->baseUnits : Point{4, 8};
  return mapWithUnits(base, du);
}

void applyTemplateLayout(Hwnd dialog, const DialogTemplate& t) {
  WinRec* r = rec(dialog);
  if (!r) return;
  std::vector<std::pair<Hwnd, Rect>> moves;
  for (const DialogItem& it : t.items) {
    if (Hwnd c = getDlgItem(dialog, it.id)) moves.push_back({c, itemRect(r->baseUnits, it)});
  }
  QWidget* client = r->client;
  if (client) client->setUpdatesEnabled(false);
  for (auto& [c, rect] : moves) placeControl(c, rect);
  if (client) client->setUpdatesEnabled(true);
}

Rect windowRect(Hwnd hwnd) {
  WinRec* r = rec(hwnd);
  QWidget* w = r ? r->widget.data() : nullptr;
  if (!w) return {};
  if (r->kind == Kind::Dialog && r->parent == 0) {
    return Rect{r->placedAt.x, r->placedAt.y, r->placedAt.x + w->width(), r->placedAt.y + w->height()};
  }
  QRect g = w->geometry();
  return Rect{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

Rect clientRect(Hwnd hwnd) {
  QWidget* w = containerOf(hwnd);
  if (!w) return {};
  return Rect{0, 0, w->width(), w->height()};
}

bool moveWindow(Hwnd hwnd, Rect r) {
  QWidget* w = widgetOf(hwnd);
  if (!w) return false;
  w->setGeometry(r.left, r.top, r.width(), r.height());
  return true;
}

bool showWindow(Hwnd hwnd, bool show) { return plat::showWindow(hwnd, show); }

bool raiseWindow(Hwnd hwnd) {
  QWidget* w = widgetOf(hwnd);
  if (!w) return false;
  w->raise();
  return true;
}

bool isWindowVisible(Hwnd hwnd) {
  QWidget* w = widgetOf(hwnd);
  if (!w) return plat::isWindowVisible(hwnd);
  return w->isVisible() || (plat::isWindowVisible(hwnd) && !w->isHidden() && w->isVisibleTo(w->window()));
}

bool minimizeWindow(Hwnd hwnd) {
  WinRec* r = rec(hwnd);
  if (!r || !r->widget || r->parent) return false;
  // As the handheld does it, with or without a desktop's window manager: the window leaves the
  // screen and the window below it comes to the front.
  r->minimized = true;
  plat::showWindow(hwnd, false);
  if (Hwnd below = plat::takeWindowOffScreen(hwnd)) plat::setForegroundWindow(below);
  return true;
}

bool isWindowMinimized(Hwnd hwnd) {
  WinRec* r = rec(hwnd);
  return r && r->widget && (r->minimized || r->widget->isMinimized());
}

bool enableWindow(Hwnd hwnd, bool enable) {
  WinRec* r = rec(hwnd);
  if (!r || !r->widget) return false;
  bool was = r->widget->isEnabled();
  r->widget->setEnabled(enable);
  if (enable) r->style &= ~kWsDisabled;
  else r->style |= kWsDisabled;
  return !was;
}

bool isWindowEnabled(Hwnd hwnd) {
  QWidget* w = widgetOf(hwnd);
  return w && w->isEnabled();
}

bool setDlgCtrlId(Hwnd control, unsigned id) {
  WinRec* r = rec(control);
  if (!r) return false;
  r->id = id;
  return true;
}

std::uint32_t windowStyle(Hwnd hwnd) {
  WinRec* r = rec(hwnd);
  return r ? r->style : 0;
}

bool setWindowText(Hwnd hwnd, std::u16string_view text) {
  WinRec* r = rec(hwnd);
  if (!r) return false;
  plat::setWindowTitle(hwnd, text);
  if (r->kind != Kind::Dialog && r->kind != Kind::Generic) setControlText(*r, text);
  return true;
}

std::u16string getWindowText(Hwnd hwnd) {
  WinRec* r = rec(hwnd);
  if (!r) return plat::windowTitle(hwnd);
  if (r->kind == Kind::Dialog || r->kind == Kind::Generic) return plat::windowTitle(hwnd);
  return controlText(*r);
}

bool setDlgItemText(Hwnd dialog, unsigned id, std::u16string_view text) { return setWindowText(getDlgItem(dialog, id), text); }
std::u16string getDlgItemText(Hwnd dialog, unsigned id) { return getWindowText(getDlgItem(dialog, id)); }

bool setWindowIcon(Hwnd hwnd, int bitmap) {
  WinRec* r = rec(hwnd);
  QImage* img = bitmapImage(bitmap);
  if (!r || !r->widget || !img || r->parent) return false;
  r->widget->setWindowIcon(QIcon(QPixmap::fromImage(*img)));
  return true;
}

Hwnd topLevelOf(Hwnd hwnd) {
  for (int guard = 0; hwnd && guard < 64; ++guard) {
    Hwnd p = plat::windowParent(hwnd);
    if (p == 0) return hwnd;
    hwnd = p;
  }
  return hwnd;
}

void invalidate(Hwnd hwnd) {
  if (QWidget* w = widgetOf(hwnd)) w->update();
}

}  // namespace ui
