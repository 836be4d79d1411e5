// Menus: a menu bar from a menu template, popup menus, check marks and enable states, and the
// tap-and-hold gesture. Menus are numbered handles of this process (0: none).
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/drawing.h"
#include "platform/ui/types.h"

namespace ui {

using Menu = int;

// One item of a menu template: a command (id, text), a separator (id 0, empty text), or a popup
// (children). A bar item with a bitmap image shows that image instead of its text.
struct MenuItem {
  unsigned id = 0;
  std::u16string text;
  std::vector<MenuItem> children;
  bool popup = false;
  bool checked = false;
  bool grayed = false;
  int image = -1;  // index into the bar's bitmap; -1: text
};

struct MenuTemplate {
  std::vector<MenuItem> items;
};

// Text form, one item a line, indented by two spaces per level: "POPUP text", "ITEM id text",
// "SEPARATOR", "IMAGE id index" (bar only); "CHECKED" and "GRAYED" may follow an item's id.
std::string formatMenuTemplate(const MenuTemplate& t);
std::optional<MenuTemplate> parseMenuTemplate(std::string_view text);
std::optional<MenuTemplate> loadMenuTemplate(unsigned id);  // resource type "MENU"

Menu createMenu(const MenuTemplate& t);
void destroyMenu(Menu m);
// The popup at a position of a menu; 0 when the item is no popup.
Menu subMenu(Menu m, int position);
int menuItemCount(Menu m);
unsigned menuItemId(Menu m, int position);  // 0 for separators and popups

// Items found by command id anywhere below m. False when there is no such item.
bool enableMenuItem(Menu m, unsigned id, bool enable);
bool checkMenuItem(Menu m, unsigned id, bool check);
bool setMenuItemText(Menu m, unsigned id, std::u16string_view text);
std::optional<bool> isMenuItemEnabled(Menu m, unsigned id);
std::optional<bool> isMenuItemChecked(Menu m, unsigned id);
std::u16string menuItemText(Menu m, unsigned id);

// A menu bar at the foot of a top-level dialog. Choosing an item sends kWmCommand (id, 0) to the
// dialog; opening a popup first sends kWmInitMenuPopup (wParam: the popup's menu).
// The bitmap holds the bar's images side by side, imageWidth pixels each, drawn for 96 dots per inch
// (the bar stretches them to the screen's resolution).
bool setMenuBar(Hwnd dialog, Menu m, Bitmap images = 0, int imageWidth = 16);
Menu menuBarOf(Hwnd dialog);

// Shows a popup at a screen position. kWmInitMenuPopup reaches the owner before it opens; the item
// chosen is sent as kWmCommand to the owner and returned (0: none).
unsigned trackPopupMenu(Menu popup, Point screen, Hwnd owner);
// Tests choose in place of the person: the hook gets the popup after its refresh and returns the
// id to choose (0: dismiss). A disabled item is not chosen.
void setPopupMenuHook(std::function<unsigned(Menu)> hook);

// Tap and hold (right button, or the left held still for half a second) on a control sends it
// kWmContextMenu (wParam: the control, lParam: makeLParam(screen x, screen y)); a control that does
// not handle it passes it to its dialog.
Point clientToScreen(Hwnd hwnd, Point p);
Point screenToClient(Hwnd hwnd, Point p);

// Accelerators of a top-level window: matching key-downs become kWmCommand.
bool setAccelerators(Hwnd topLevel, std::vector<plat::Accelerator> table);

}  // namespace ui
