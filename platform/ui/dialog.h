// Dialogs built from templates in dialog units, and the functions every window of the layer
// answers: position, text, focus, enable state, fonts.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/types.h"

namespace ui {

// One control of a template: class ("Edit", "Button", "Static", "ComboBox", "ListBox",
// "msctls_trackbar32", "SysTabControl32", "DISPLAYCLASS"), text, id, style bits and its rectangle
// in dialog units.
struct DialogItem {
  std::u16string className;
  std::u16string text;
  unsigned id = 0;
  std::uint32_t style = kWsVisible;
  int x = 0, y = 0, cx = 0, cy = 0;
};

struct DialogTemplate {
  std::u16string caption;
  std::u16string fontFace = u"ＭＳ Ｐゴシック";
  int fontPoints = 11;
  int cx = 0, cy = 0;
  bool fullScreen = false;  // the dialog covers the screen whatever cx and cy say
  std::vector<DialogItem> items;
};

// Text form of a template, one line each: "DIALOG cx cy points fullscreen(0/1)", "CAPTION text",
// "FONT face", then "CONTROL class id style(hex) x y cx cy text". Resources of type "DIALOG" hold it.
std::string formatDialogTemplate(const DialogTemplate& t);
std::optional<DialogTemplate> parseDialogTemplate(std::string_view text);
// The template of a program's resources ("DIALOG", id); nothing when absent or malformed.
std::optional<DialogTemplate> loadDialogTemplate(unsigned id);

// A dialog procedure: returns non-zero when it handled the message. kWmInitDialog comes once the
// controls exist; kWmCommand, kWmNotify, kWmDrawItem, kWmHScroll bring the controls' news.
using DialogProc = std::function<std::intptr_t(Hwnd, unsigned, std::uint32_t, std::int32_t)>;

// A modeless dialog, shown; 0 when the template holds an unknown class.
Hwnd createDialog(const DialogTemplate& t, Hwnd owner, DialogProc proc, std::int32_t initParam = 0);
// Runs a modal dialog in a loop of its own until endDialog; returns the code given there (-1 when
// it could not be created). Messages of the queue keep flowing meanwhile.
int dialogBox(const DialogTemplate& t, Hwnd owner, DialogProc proc, std::int32_t initParam = 0);
// Ends a modal dialog with the code (the dialog is destroyed when its loop returns); a modeless
// one is destroyed at once.
bool endDialog(Hwnd dialog, int code);
// Without a handler in the procedure, kWmClose and the Escape key end the dialog with kIdCancel.

Hwnd getDlgItem(Hwnd dialog, unsigned id);
unsigned getDlgCtrlId(Hwnd control);
std::vector<Hwnd> childWindows(Hwnd parent);

// Dialog units to pixels of the dialog's font: x * baseX / 4, y * baseY / 8.
Rect mapDialogRect(Hwnd dialog, Rect dialogUnits);
// The base units of a template font at a resolution: those of the handheld's system font of that
// size (8 × 15 for 11 points at 96 dots per inch).
Point dialogBaseUnits(std::u16string_view face, int points, int dpi);
// Moves every control to its rectangle in another template (matched by id), all at once.
void applyTemplateLayout(Hwnd dialog, const DialogTemplate& t);

// Rectangles: a control's in its dialog's client coordinates, a top-level window's on the screen.
Rect windowRect(Hwnd hwnd);
Rect clientRect(Hwnd hwnd);
bool moveWindow(Hwnd hwnd, Rect r);
bool showWindow(Hwnd hwnd, bool show);
// Puts a window in front of its siblings.
bool raiseWindow(Hwnd hwnd);
bool isWindowVisible(Hwnd hwnd);
// A top-level window minimised; bringing it to the front (platform/core's setForegroundWindow,
// also from another program) shows it again.
bool minimizeWindow(Hwnd hwnd);
bool isWindowMinimized(Hwnd hwnd);
bool enableWindow(Hwnd hwnd, bool enable);
bool isWindowEnabled(Hwnd hwnd);
// Changes a control's id (a button that turns into another command).
bool setDlgCtrlId(Hwnd control, unsigned id);
std::uint32_t windowStyle(Hwnd hwnd);

// Text of any window: a dialog's caption, a control's contents (edits in CR LF form).
bool setWindowText(Hwnd hwnd, std::u16string_view text);
std::u16string getWindowText(Hwnd hwnd);
bool setDlgItemText(Hwnd dialog, unsigned id, std::u16string_view text);
std::u16string getDlgItemText(Hwnd dialog, unsigned id);

// The icon of a top-level window (its picture as a bitmap of drawing.h).
bool setWindowIcon(Hwnd hwnd, int bitmap);

// Keyboard focus of this program: the window that has it (0 when none of ours).
Hwnd setFocus(Hwnd hwnd);
Hwnd getFocus();

// The top-level window that holds hwnd (itself for a top-level window).
Hwnd topLevelOf(Hwnd hwnd);
// Marks a window for repainting (owner-drawn controls, windows that draw themselves).
void invalidate(Hwnd hwnd);

}  // namespace ui
