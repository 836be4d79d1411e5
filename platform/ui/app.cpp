// The application object, the windows' records and the pump that joins platform/core's message
// queue to the window system's event loop.
#include "platform/ui/app.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

#include "platform/core/notify.h"
#include "platform/core/timer.h"
#include "platform/ui/fonts.h"
#include "platform/ui/window_impl.h"

// The font configuration and message bus libraries keep buffers they never free; the leak checker
// is told so, in every program that starts the user interface.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\nleak:libdbus-1.so\n";
}

namespace ui::impl {
namespace {

struct AppState {
  QApplication* app = nullptr;
  QSocketNotifier* notifier = nullptr;
  QTimer* timer = nullptr;
  std::unordered_map<Hwnd, std::unique_ptr<WinRec>> windows;
  std::vector<QEventLoop*> loops;
  bool quit = false;
  int quitCode = 0;
  ScreenMetrics screen;
  bool screenSet = false;
};

AppState& state() {
  static AppState* s = new AppState;
  return *s;
}

thread_local Pending* tPending = nullptr;

int gArgc = 1;
char gArg0[] = "suite";
char* gArgv[] = {gArg0, nullptr};

void onDestroyed(Hwnd h);

void onCreated(Hwnd h) {
  AppState& s = state();
  // Widgets live on the window system's thread; windows of other threads only carry messages.
  if (!s.app || QThread::currentThread() != s.app->thread()) return;
  // A record left from before the messaging was reset (tests) goes first.
  if (s.windows.count(h)) onDestroyed(h);
  auto r = std::make_unique<WinRec>();
  r->hwnd = h;
  r->parent = plat::windowParent(h);
  Pending p;
  if (tPending) p = *tPending;
  tPending = nullptr;
  r->kind = p.kind;
  r->id = p.id;
  r->style = p.style;
  r->dlgProc = p.dlgProc;
  WinRec& ref = *r;
  s.windows[h] = std::move(r);
  QWidget* parentWidget = ref.parent ? containerOf(ref.parent) : nullptr;
  std::u16string text = plat::windowTitle(h);
  if (ref.kind == Kind::Generic) {
    ref.widget = makeGenericWidget(ref, parentWidget);
  } else if (ref.kind == Kind::Dialog) {
    ref.widget = makeDialogWidget(ref, parentWidget);
  } else {
    ref.widget = makeControlWidget(ref, parentWidget, text);
  }
  if (ref.widget) {
    ref.widget->setProperty("suiteHwnd", static_cast<uint>(h));
    finishControl(ref);
  }
}

void onDestroyed(Hwnd h) {
  AppState& s = state();
  auto it = s.windows.find(h);
  if (it == s.windows.end()) return;
  std::unique_ptr<WinRec> r = std::move(it->second);
  s.windows.erase(it);
  panelHostWindowGone(h);
  forgetWindow(h);
  if (r->loop) r->loop->exit(0);
  if (r->widget) {
    r->widget->setProperty("suiteHwnd", QVariant());
    r->widget->hide();
    r->widget->deleteLater();
  }
}

void onShown(Hwnd h, bool show) {
  WinRec* r = rec(h);
  if (!r || !r->widget) return;
  r->widget->setVisible(show);
}

void onRetitled(Hwnd h) {
  WinRec* r = rec(h);
  if (!r || !r->widget) return;
  std::u16string t = plat::windowTitle(h);
  if (r->kind == Kind::Dialog || r->kind == Kind::Generic) {
    r->widget->setWindowTitle(toQ(t));
  }
}

// The offscreen platform says at every window that it cannot pass size hints on; nothing else of
// the window system's talk is dropped.
QtMessageHandler gDefaultHandler = nullptr;
void filterMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.contains(QStringLiteral("propagateSizeHints"))) return;
  if (gDefaultHandler) {
    gDefaultHandler(type, context, text);
  } else {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
  }
}
bool gHandlerInstalled = false;

bool translate(plat::Msg& m) {
  Hwnd top = topLevelOf(m.hwnd);
  if (top == 0) return false;
  if (WinRec* r = rec(top); r && r->preTranslate) {
    PreTranslateHook hook = r->preTranslate;
    if (hook(m)) return true;
  }
  if (WinRec* r = rec(top); r && !r->accelerators.empty()) {
    std::vector<plat::Accelerator> table = r->accelerators;
    if (plat::translateAccelerator(top, table.data(), table.size(), m)) return true;
  }
  return false;
}

void scheduleTimer() {
  AppState& s = state();
  if (!s.timer) return;
  std::int64_t ms = plat::msUntilNextTimer();
  if (ms < 0) {
    s.timer->stop();
  } else {
    s.timer->start(static_cast<int>(std::min<std::int64_t>(ms, 1 << 30)));
  }
}

void requestQuit(int code) {
  AppState& s = state();
  s.quit = true;
  s.quitCode = code;
  for (QEventLoop* l : s.loops) l->exit(code);
}

// Takes everything the queue holds; kWmQuit ends the loops.
void drainQueue() {
  plat::Msg m;
  while (plat::peekMessage(m, true)) {
    if (m.message == plat::kWmQuit) {
      requestQuit(static_cast<int>(m.wParam));
      break;
    }
    if (!translate(m)) plat::dispatchMessage(m);
  }
  scheduleTimer();
}

}  // namespace

WinRec* rec(Hwnd hwnd) {
  AppState& s = state();
  auto it = s.windows.find(hwnd);
  return it == s.windows.end() ? nullptr : it->second.get();
}

WinRec* recOfWidget(const QWidget* w) {
  for (; w; w = w->parentWidget()) {
    QVariant v = w->property("suiteHwnd");
    if (v.isValid()) {
      if (WinRec* r = rec(static_cast<Hwnd>(v.toUInt()))) return r;
    }
  }
  return nullptr;
}

QWidget* widgetOf(Hwnd hwnd) {
  WinRec* r = rec(hwnd);
  return r ? r->widget.data() : nullptr;
}

QWidget* containerOf(Hwnd hwnd) {
  WinRec* r = rec(hwnd);
  if (!r) return nullptr;
  if (r->client) return r->client;
  return r->widget;
}

Hwnd createWithWidget(std::u16string_view className, std::u16string_view text, Hwnd parent, Pending p) {
  Pending local = std::move(p);
  tPending = &local;
  Hwnd h = plat::createWindow(className, text, parent);
  tPending = nullptr;
  return h;
}

std::vector<Hwnd> topLevelDialogs() {
  std::vector<Hwnd> out;
  for (auto& [h, r] : state().windows) {
    if (r->kind == Kind::Dialog && r->parent == 0) out.push_back(h);
  }
  std::sort(out.begin(), out.end());
  return out;
}

void pushLoop(QEventLoop* loop) { state().loops.push_back(loop); }
void popLoop(QEventLoop* loop) { std::erase(state().loops, loop); }
bool quitPending() { return state().quit; }

std::u16string fromQ(const QString& s) { return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), s.size()); }
QString toQ(std::u16string_view s) { return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace ui::impl

namespace ui {
using namespace ui::impl;

bool initApplication() {
  AppState& s = state();
  if (s.app) return true;
  if (!gHandlerInstalled) {
    gDefaultHandler = qInstallMessageHandler(filterMessages);
    gHandlerInstalled = true;
  }
  if (!QApplication::instance()) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
      return false;
    }
    s.app = new QApplication(gArgc, gArgv);
  } else {
    s.app = qobject_cast<QApplication*>(QApplication::instance());
    if (!s.app) return false;
  }
  QApplication::setQuitOnLastWindowClosed(false);
  useHandheldStyle();
  QApplication::setFont(fontOf(createFont({u"Tahoma", kDefaultCharSet, -12})));

  plat::WindowHooks hooks;
  hooks.created = onCreated;
  hooks.destroyed = onDestroyed;
  hooks.shown = onShown;
  hooks.retitled = onRetitled;
  plat::setWindowHooks(hooks);

  plat::registerWindowClass(u"Dialog", dialogClassProc);
  for (const char16_t* cls : {u"Edit", u"Button", u"Static", u"ComboBox", u"ListBox", u"msctls_trackbar32",
                              u"SysTabControl32", u"DISPLAYCLASS"}) {
    plat::registerWindowClass(cls, controlProc);
  }

  s.notifier = new QSocketNotifier(plat::messageWakeHandle(), QSocketNotifier::Read, s.app);
  QObject::connect(s.notifier, &QSocketNotifier::activated, [] { drainQueue(); });
  s.timer = new QTimer(s.app);
  s.timer->setSingleShot(true);
  QObject::connect(s.timer, &QTimer::timeout, [] { drainQueue(); });

  // Brought to the front by this or another program: shown again, raised, active.
  plat::setForegroundHook([](Hwnd h) {
    WinRec* r = rec(h);
    QWidget* w = r ? r->widget.data() : nullptr;
    if (!w || !w->isWindow()) return;
    if (r->minimized) {
      r->minimized = false;
      plat::showWindow(h, true);
    }
    if (w->isMinimized()) w->showNormal();
    w->raise();
    w->activateWindow();
  });

  plat::NotifyHook nh;
  nh.messageBox = showMessageBox;
  nh.beep = [](unsigned) { QApplication::beep(); };
  // The wait cursor is one state, not a count: shown twice, it goes at the first "off".
  nh.waitCursor = [](bool on) {
    if (on && !QApplication::overrideCursor()) {
      QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (!on) {
      while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    }
  };
  plat::setNotifyHook(nh);
  keepPopupsOnScreen();
  // Anything already queued is taken on the first turn.
  QTimer::singleShot(0, [] { drainQueue(); });
  return true;
}

bool applicationRunning() { return state().app != nullptr; }

bool waitCursorShown() { return state().app && QApplication::overrideCursor() != nullptr; }

int runMessageLoop() {
  AppState& s = state();
  if (!s.app) return -1;
  if (!s.quit) {
    QEventLoop loop;
    pushLoop(&loop);
    drainQueue();
    if (!s.quit) loop.exec();
    popLoop(&loop);
  }
  s.quit = false;
  return s.quitCode;
}

bool pumpOnce() {
  AppState& s = state();
  if (s.app) QApplication::processEvents();
  if (s.quit) return false;
  plat::Msg m;
  if (plat::peekMessage(m, false)) {
    if (m.message == plat::kWmQuit) {
      plat::peekMessage(m, true);
      requestQuit(static_cast<int>(m.wParam));
      return false;
    }
    plat::peekMessage(m, true);
    if (!translate(m)) plat::dispatchMessage(m);
  }
  scheduleTimer();
  return !s.quit;
}

void processPendingEvents() {
  AppState& s = state();
  if (!s.app) return;
  for (int i = 0; i < 3; ++i) {
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents(QEventLoop::AllEvents);
    drainQueue();
  }
}

void setPreTranslateHook(Hwnd topLevel, PreTranslateHook hook) {
  if (WinRec* r = rec(topLevel)) r->preTranslate = std::move(hook);
}

ScreenMetrics screenMetrics() {
  AppState& s = state();
  if (!s.screenSet) {
    // The handheld's screen: portrait 240 × 320 at 96 dots per inch unless the environment says
    // otherwise ("480x640", "192").
    s.screen = ScreenMetrics{240, 320, 96};
    if (const char* size = std::getenv("SUITE_SCREEN_SIZE")) {
      int w = 0, h = 0;
      if (std::sscanf(size, "%dx%d", &w, &h) == 2 && w > 0 && h > 0) s.screen.width = w, s.screen.height = h;
    }
    if (const char* dpi = std::getenv("SUITE_SCREEN_DPI")) {
      int d = std::atoi(dpi);
      if (d > 0) s.screen.dpi = d;
    }
    s.screenSet = true;
  }
  return s.screen;
}

void setScreenSize(int width, int height) {
  screenMetrics();
  AppState& s = state();
  s.screen.width = width;
  s.screen.height = height;
  for (Hwnd h : topLevelDialogs()) {
    if (WinRec* r = rec(h)) layoutDialog(*r);
  }
}

void setScreenDpi(int dpi) {
  screenMetrics();
  state().screen.dpi = dpi > 0 ? dpi : 96;
}

}  // namespace ui
