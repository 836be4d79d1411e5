// Driving the user interface from tests as a person would, offscreen: each helper makes the
// window system's own events (clicks, keys, compositions), then handles what follows.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/types.h"

namespace ui::testing {

void clickButton(Hwnd button);
// Keys typed into the focused window; the text's characters as key presses.
void typeText(Hwnd hwnd, std::u16string_view text);
void pressKey(Hwnd hwnd, unsigned virtualKey, bool repeat = false);
void releaseKey(Hwnd hwnd, unsigned virtualKey);
// A person's choice of an item (combo box, list box, tab control).
void chooseItem(Hwnd control, int index);
// The trackbar's thumb dragged to a position.
void dragTrackbar(Hwnd trackbar, int position);
// A list box scrolled by a person: a scroll bar arrow, a click in a page area (none when the
// thumb touches that end), the thumb dragged to the end, or a notch of the wheel.
enum class ListScroll { Arrow, Page, Drag, Wheel };
void scrollList(Hwnd list, ListScroll how, bool down);
// Where a tab control shows its items (client coordinates of the control), in order.
std::vector<Rect> tabItemRects(Hwnd tab);
// Paints the window now (owner-drawn controls, custom draw, windows that draw themselves).
void paint(Hwnd hwnd);
// The system's input method: text being composed, then the result (either may be empty).
void compose(Hwnd edit, std::u16string_view preedit, std::u16string_view commit);
// Tap and hold at a point of the window (client coordinates); the right button does the same.
void tapAndHold(Hwnd hwnd, Point at, bool rightButton = false);
// A click on the page's link number index (in order of the page).
bool clickLink(Hwnd htmlView, int index);
// Pen down, move and up at client points of a window.
void penDown(Hwnd hwnd, Point at);
void penMove(Hwnd hwnd, Point at);
void penUp(Hwnd hwnd, Point at);
// The input-panel button of the dialog's menu bar: a tap, or the input method at a place of its
// menu chosen. False when the dialog has no such button or the menu no such place.
bool tapInputPanelButton(Hwnd dialog);
bool inputPanelButtonShown(Hwnd dialog);
bool chooseFromInputPanelButton(Hwnd dialog, int index);
// The input-panel button's menu opened by its arrow: where it showed, then closed.
std::optional<Rect> openInputPanelButtonMenu(Hwnd dialog);
// A menu of the dialog's command bar opened by a tap on its item: where it showed (in the window
// system's coordinates), then closed. Nothing when the item has no menu or none showed.
std::optional<Rect> openMenuBarItem(Hwnd dialog, int index);
// The next pop-up menu that shows is read and dismissed.
void dismissNextPopup(Rect* shownAt);
// Whether an edit shows its horizontal scroll bar.
bool horizontalScrollBarShown(Hwnd edit);
// The program's screen in the window system's coordinates.
Rect programScreenRect();
// The close box of a top-level window.
void closeWindow(Hwnd hwnd);

// The next message box the window system shows is read and answered with the button of the
// answer (kIdOk, kIdYes, ...).
struct ShownBox {
  bool shown = false;
  std::u16string text;
  std::u16string caption;
  unsigned icon = 0;     // the icon bits of the flags it was shown with
  int buttonCount = 0;
  std::vector<std::u16string> buttons;  // their labels, in order
  Rect rect;    // where it stood, in the window system's coordinates
  Rect screen;  // the program's screen then
};
void answerNextMessageBox(int answer, ShownBox* seen);

// The next file dialog: what it showed, then the file name typed and accepted (empty: cancelled).
struct ShownFileDialog {
  bool shown = false;
  bool save = false;
  std::vector<std::u16string> filters;
  std::u16string folder;                // the device folder it opened in ("\My Documents")
  std::vector<std::u16string> entries;  // what it listed there: folders, then matching files
  Rect rect;                            // where it stood, in the window system's coordinates
  Rect screen;                          // the program's screen then
};
void answerNextFileDialog(std::u16string fileName, ShownFileDialog* seen);

}  // namespace ui::testing
