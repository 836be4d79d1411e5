// Controls: the operations that carry text, and the records behind kWmNotify and kWmDrawItem.
// Operations on numbers go through the controls' messages (types.h), so a subclass sees them.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "platform/ui/types.h"

namespace ui {

class Painter;

// Edit. Offsets count the text as the control keeps it: line breaks are CR LF, two units.
std::pair<int, int> editGetSel(Hwnd edit);
void editSetSel(Hwnd edit, int start, int end);  // end -1: to the end
void editReplaceSel(Hwnd edit, std::u16string_view text);
bool editIsReadOnly(Hwnd edit);

// Combo box and list box.
int comboAddString(Hwnd combo, std::u16string_view text);
int comboInsertString(Hwnd combo, int index, std::u16string_view text);  // index -1: at the end
std::u16string comboGetItemText(Hwnd combo, int index);
// The edit of an editable combo box (class "Edit"); 0 for a drop-down list.
Hwnd comboEdit(Hwnd combo);
int listAddString(Hwnd list, std::u16string_view text);
// The list posts message to its parent when the user scrolls it on past an end (a scroll bar
// arrow or page area while the end is shown, the thumb dragged to the end, the wheel): wParam 0
// at the top, 1 at the bottom; lParam the list. Message 0: no longer.
void listNotifyScrollEnds(Hwnd list, unsigned message);
int listInsertString(Hwnd list, int index, std::u16string_view text);  // index 0: at the top
std::u16string listGetText(Hwnd list, int index);
// Width in pixels of a text in the list's font (for the horizontal extent).
int listTextWidth(Hwnd list, std::u16string_view text);

// Tab control; an image index below 0 means none.
int tabInsertItem(Hwnd tab, int index, std::u16string_view text, int image = -1);
void tabSetImageList(Hwnd tab, int imageList);

// Buttons.
bool isDlgButtonChecked(Hwnd dialog, unsigned id);
void checkDlgButton(Hwnd dialog, unsigned id, bool checked);
// Checks one radio button of first..last and clears the others.
void checkRadioButton(Hwnd dialog, unsigned first, unsigned last, unsigned checked);

// kWmNotify: wParam the control id, lParam a token for notifyInfo(). Valid during the call.
struct NotifyInfo {
  Hwnd from = 0;
  unsigned id = 0;
  int code = 0;
  std::u16string target;  // kNmHotspot: the link's target as written; kNmInlineImage: the image source
  int drawStage = 0;      // kNmCustomDraw: 1 before painting, 2 after
  int imageCookie = 0;    // kNmInlineImage: pass to htmlSetImage
};
const NotifyInfo* notifyInfo(std::int32_t lParam);

// kWmDrawItem: wParam the control id, lParam a token for drawItemInfo(). The painter draws on a
// memory bitmap of the item's size that the control shows afterwards.
struct DrawItemInfo {
  unsigned ctlType = 0;
  unsigned ctlId = 0;
  int itemId = 0;
  unsigned itemState = 0;
  Hwnd hwndItem = 0;
  Rect rect;
  Painter* painter = nullptr;
};
const DrawItemInfo* drawItemInfo(std::int32_t lParam);

}  // namespace ui
