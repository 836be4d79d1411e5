// Inside the layer: the record of each window and the widget that stands for it. Not for callers.
#pragma once
#include <QEventLoop>
#include <QImage>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/ui/app.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/drawing.h"
#include "platform/ui/menu.h"
#include "platform/ui/shell.h"

class QMenu;
class QMenuBar;

namespace ui::impl {

enum class Kind { Generic, Dialog, Edit, Button, Static, Combo, List, Trackbar, Tab, Html };

struct WinRec {
  Hwnd hwnd = 0;
  Hwnd parent = 0;
  Kind kind = Kind::Generic;
  unsigned id = 0;
  std::uint32_t style = 0;
  QPointer<QWidget> widget;
  Font font = 0;
  // Dialogs.
  QPointer<QWidget> client;  // the controls' parent
  QPointer<QWidget> panelArea;
  QPointer<QMenuBar> menuBar;
  DialogProc dlgProc;
  DialogTemplate tmpl;
  Point baseUnits{4, 8};
  Point placedAt;  // top-level dialogs: where the layer put them on the screen
  bool modal = false;
  bool minimized = false;  // off the screen until brought to the front
  bool ended = false;
  int result = 0;
  QEventLoop* loop = nullptr;
  Menu menu = 0;
  PreTranslateHook preTranslate;
  std::vector<plat::Accelerator> accelerators;
  // Windows of the program's own classes: their picture.
  QImage picture;
  // Combo boxes: the edit inside.
  Hwnd comboEdit = 0;
  Hwnd ownerCombo = 0;
};

// The record of a window of this process, or null.
WinRec* rec(Hwnd hwnd);
WinRec* recOfWidget(const QWidget* w);  // the nearest window at or above the widget
QWidget* widgetOf(Hwnd hwnd);
// The widget children of a window are placed in (a dialog's client area).
QWidget* containerOf(Hwnd hwnd);

// The next createWindow of this thread makes a widget of this kind.
struct Pending {
  Kind kind = Kind::Generic;
  unsigned id = 0;
  std::uint32_t style = 0;
  DialogProc dlgProc;
};
Hwnd createWithWidget(std::u16string_view className, std::u16string_view text, Hwnd parent, Pending p);
// Builds the widget of a control kind (controls.cpp); the record is filled in already.
QWidget* makeControlWidget(WinRec& r, QWidget* parent, const std::u16string& text);
QWidget* makeGenericWidget(WinRec& r, QWidget* parent);
// Work after the widget exists (the edit inside an editable combo box).
void finishControl(WinRec& r);
QWidget* makeDialogWidget(WinRec& r, QWidget* parent);
void setControlText(WinRec& r, std::u16string_view text);
std::u16string controlText(const WinRec& r);
std::intptr_t controlProc(Hwnd hwnd, unsigned msg, std::uint32_t wParam, std::int32_t lParam);
std::intptr_t dialogClassProc(Hwnd hwnd, unsigned msg, std::uint32_t wParam, std::int32_t lParam);

// Notifications to the control's dialog.
void sendCommand(Hwnd control, unsigned code);
std::intptr_t sendNotify(Hwnd control, NotifyInfo info);
std::intptr_t sendDrawItem(DrawItemInfo info);

// Programmatic changes of controls do not notify the dialog while one of these lives.
struct QuietNotifications {
  QuietNotifications();
  ~QuietNotifications();
  QuietNotifications(const QuietNotifications&) = delete;
  QuietNotifications& operator=(const QuietNotifications&) = delete;
};
bool notificationsQuiet();

// The edit (edit_control.cpp).
QWidget* makeEditWidget(WinRec& r, QWidget* parent, const std::u16string& text);
std::intptr_t editProc(WinRec& r, unsigned msg, std::uint32_t wParam, std::int32_t lParam);
bool setEditText(WinRec& r, std::u16string_view text);  // false when r is no edit
std::optional<std::u16string> editText(const WinRec& r);
void forgetEdit(Hwnd hwnd);

// Keys, focus and gestures (input_routing.cpp).
unsigned modifierBits(Qt::KeyboardModifiers m);
std::int32_t keyLParam(unsigned mods, bool repeat);
// The top-level window's pre-translation and accelerators; true when they took the key.
bool preTranslateKey(Hwnd hwnd, unsigned msg, unsigned vk, std::int32_t lParam);
bool preTranslateKeyPublic(Hwnd hwnd, unsigned vk, unsigned mods);
// While a key of the window system travels the procedures, the default handling says it ran.
bool keyFromWindowSystem();
void defaultKeyHandled();
// Focus notifications, pre-translation and Escape for a control without an edit of its own.
void watchFocusAndKeys(QWidget* w, Hwnd hwnd);
void forgetFocus(Hwnd hwnd);

// Keys coming from the window system go through the message path: pre-translation of the top
// level, then kWmKeyDown and kWmChar to the window's procedure. The default handling calls back.
// Returns true when the event was consumed by the procedure chain (the widget must not handle it).
bool routeKey(Hwnd hwnd, int qtKey, Qt::KeyboardModifiers mods, const QString& text, bool repeat, bool& runBase);
// A key released: pre-translation, then kWmKeyUp to the window. True when pre-translation took it.
bool routeKeyUp(Hwnd hwnd, int qtKey, Qt::KeyboardModifiers mods);
unsigned virtualKeyOf(int qtKey);

// The focus moved to the window (widget focus-in): focus notifications.
void focusChanged(Hwnd hwnd, bool in);
// A tap-and-hold gesture was seen on a window at a screen position.
void contextGesture(Hwnd hwnd, QPoint global);
// Starts watching a control's widget for tap and hold.
void watchGestures(QWidget* w, Hwnd hwnd);

// Painters over images of the layer.
Painter* painterOn(QImage* image);
void releasePainter(Painter* p);
QImage* bitmapImage(Bitmap b);
Bitmap storeBitmap(QImage image);
QFont fontOf(Font f);
bool fontExists(Font f);
QImage imageListImage(int list, int index);

// Top-level dialogs of this process, oldest first.
std::vector<Hwnd> topLevelDialogs();
void layoutDialog(WinRec& r);
// The pump's loops.
void pushLoop(QEventLoop* loop);
void popLoop(QEventLoop* loop);
bool quitPending();

// Menus (menu.cpp).
void attachMenuBar(WinRec& dialog);
void styleCommandBar(QMenuBar* bar);

// The input-panel host is told when a dialog goes away.
void panelHostWindowGone(Hwnd hwnd);
// Per-window state of the controls and views is dropped with the window.
void forgetWindow(Hwnd hwnd);
void forgetHtmlView(Hwnd hwnd);

// The program's screen in the window system's coordinates: its full-screen dialog, else the
// screen's size at the origin. Pop-ups are kept inside it (screen_popups.cpp).
QRect programScreen();
QRect keptOnScreen(QRect r, const QRect& screen);
void keepPopupsOnScreen();
// The compact style of the handheld's controls (handheld_style.cpp).
void useHandheldStyle();
// The user interface's own text (boxes, file dialog, command bar) at the screen's resolution.
int uiPixels(int pixelsAt96);
// A pop-up menu wide enough for its longest item beside the check-mark column and the submenu
// arrow, in its own font (menu.cpp).
void widenMenuForItems(QMenu* menu);
// The handheld's message box on the program's screen; returns the answer.
int showMessageBox(const std::u16string& text, const std::u16string& caption, unsigned flags);

// The device's own file dialog (file_dialog.cpp), and what tests read of it and answer.
std::optional<std::u16string> runDeviceFileDialog(const FileDialogRequest& r);
bool readFileDialog(QWidget* w, bool& save, std::vector<std::u16string>& filters, std::u16string& folder,
                    std::vector<std::u16string>& entries);
void answerFileDialog(QWidget* w, const std::u16string& name);

std::u16string fromQ(const QString& s);
QString toQ(std::u16string_view s);

}  // namespace ui::impl
