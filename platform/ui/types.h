// Shapes, message numbers, styles and notification codes of the user interface, with the
// handheld's values. Windows are the handles of platform/core.
#pragma once
#include <cstdint>

#include "platform/core/window.h"

namespace ui {

using plat::Hwnd;

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  bool operator==(const Rect&) const = default;
};

struct Color {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Color&) const = default;
};

inline constexpr std::uint32_t makeWParam(unsigned lo, unsigned hi) { return (lo & 0xFFFFu) | ((hi & 0xFFFFu) << 16); }
inline constexpr std::int32_t makeLParam(int lo, int hi) {
  return static_cast<std::int32_t>((static_cast<std::uint32_t>(lo) & 0xFFFFu) | ((static_cast<std::uint32_t>(hi) & 0xFFFFu) << 16));
}
inline constexpr unsigned loWord(std::uint32_t v) { return v & 0xFFFFu; }
inline constexpr unsigned hiWord(std::uint32_t v) { return (v >> 16) & 0xFFFFu; }
inline constexpr int loShort(std::int32_t v) { return static_cast<std::int16_t>(v & 0xFFFF); }
inline constexpr int hiShort(std::int32_t v) { return static_cast<std::int16_t>((static_cast<std::uint32_t>(v) >> 16) & 0xFFFF); }

enum Message : unsigned {
  kWmSize = 0x0005,
  kWmSetFocus = 0x0007,
  kWmKillFocus = 0x0008,
  kWmPaint = 0x000F,
  kWmDrawItem = 0x002B,
  kWmNotify = 0x004E,
  kWmContextMenu = 0x007B,
  kWmKeyUp = 0x0101,
  kWmImeStartComposition = 0x010D,
  kWmImeEndComposition = 0x010E,
  kWmImeComposition = 0x010F,
  kWmInitDialog = 0x0110,
  kWmHScroll = 0x0114,
  kWmVScroll = 0x0115,
  kWmInitMenuPopup = 0x0117,
  kWmMouseMove = 0x0200,
  kWmLButtonDown = 0x0201,
  kWmLButtonUp = 0x0202,
  kWmCut = 0x0300,
  kWmCopy = 0x0301,
  kWmPaste = 0x0302,
  kWmClear = 0x0303,
  kWmUndo = 0x0304,
  // Edit
  kEmGetSel = 0x00B0,
  kEmSetSel = 0x00B1,
  kEmLineScroll = 0x00B6,
  kEmGetLineCount = 0x00BA,
  kEmCanUndo = 0x00C6,
  kEmUndo = 0x00C7,
  kEmGetFirstVisibleLine = 0x00CE,
  kEmSetReadOnly = 0x00CF,
  // Button
  kBmGetCheck = 0x00F0,
  kBmSetCheck = 0x00F1,
  // Combo box
  kCbGetCount = 0x0146,
  kCbGetCurSel = 0x0147,
  kCbResetContent = 0x014B,
  kCbSetCurSel = 0x014E,
  kCbShowDropDown = 0x014F,
  // List box
  kLbDeleteString = 0x0182,
  kLbResetContent = 0x0184,
  kLbSetCurSel = 0x0186,
  kLbGetCurSel = 0x0188,
  kLbGetCount = 0x018B,
  kLbGetTopIndex = 0x018E,
  kLbSetTopIndex = 0x0197,
  kLbGetHorizontalExtent = 0x0193,
  kLbSetHorizontalExtent = 0x0194,
  // Trackbar
  kTbmGetPos = 0x0400,
  kTbmGetRangeMin = 0x0401,
  kTbmGetRangeMax = 0x0402,
  kTbmSetPos = 0x0405,
  kTbmSetRange = 0x0406,  // wParam: redraw, lParam: makeLParam(min, max)
  // Tab control
  kTcmGetCurSel = 0x130B,
  kTcmSetCurSel = 0x130C,
  kTcmGetItemCount = 0x1304,
};

// Notification codes in the high word of kWmCommand's wParam.
enum CommandCode : unsigned {
  kBnClicked = 0,
  kEnSetFocus = 0x0100,
  kEnKillFocus = 0x0200,
  kEnChange = 0x0300,
  kLbnSelChange = 1,
  kCbnSelChange = 1,
  kCbnSetFocus = 3,
  kCbnKillFocus = 4,
  kCbnEditChange = 5,
};

// Codes of kWmNotify (see NotifyInfo).
enum NotifyCode : int {
  kNmCustomDraw = -12,
  kTcnSelChange = -551,
  kNmHotspot = -1000,      // HTML view: a link was clicked
  kNmInlineImage = -1001,  // HTML view: an image needs its bitmap
};

// Trackbar scroll codes (low word of kWmHScroll's wParam).
enum TrackbarCode : unsigned { kTbLineUp = 0, kTbLineDown = 1, kTbPageUp = 2, kTbPageDown = 3, kTbThumbPosition = 4, kTbThumbTrack = 5, kTbEndTrack = 8 };

// A key-down's lParam holds the accelerator modifier bits of platform/core, and this bit when the
// key repeats (held down).
inline constexpr std::uint32_t kKeyRepeatFlag = 0x40000000;

// Composition flags in kWmImeComposition's lParam.
enum CompositionFlags : std::int32_t { kGcsCompStr = 0x0008, kGcsResultStr = 0x0800 };

inline constexpr std::uint32_t kWsTabStop = 0x00010000;
inline constexpr std::uint32_t kWsGroup = 0x00020000;
inline constexpr std::uint32_t kWsHScroll = 0x00100000;
inline constexpr std::uint32_t kWsVScroll = 0x00200000;
inline constexpr std::uint32_t kWsBorder = 0x00800000;
inline constexpr std::uint32_t kWsDisabled = 0x08000000;
inline constexpr std::uint32_t kWsVisible = 0x10000000;
inline constexpr std::uint32_t kWsChild = 0x40000000;
inline constexpr std::uint32_t kEsMultiline = 0x0004;
inline constexpr std::uint32_t kEsAutoHScroll = 0x0080;
inline constexpr std::uint32_t kEsReadOnly = 0x0800;
inline constexpr std::uint32_t kEsWantReturn = 0x1000;
inline constexpr std::uint32_t kBsPushButton = 0x0;
inline constexpr std::uint32_t kBsDefPushButton = 0x1;
inline constexpr std::uint32_t kBsCheckBox = 0x2;
inline constexpr std::uint32_t kBsAutoCheckBox = 0x3;
inline constexpr std::uint32_t kBsRadioButton = 0x4;
inline constexpr std::uint32_t kBsGroupBox = 0x7;
inline constexpr std::uint32_t kBsAutoRadioButton = 0x9;
inline constexpr std::uint32_t kBsOwnerDraw = 0xB;
inline constexpr std::uint32_t kBsTypeMask = 0xF;
inline constexpr std::uint32_t kCbsDropDown = 0x2;
inline constexpr std::uint32_t kCbsDropDownList = 0x3;
inline constexpr std::uint32_t kSsCenter = 0x1;
inline constexpr std::uint32_t kSsRight = 0x2;
inline constexpr std::uint32_t kTcsOwnerDrawFixed = 0x2000;

enum DialogResult : int { kIdOk = 1, kIdCancel = 2 };

// Control types in DrawItemInfo.
inline constexpr unsigned kOdtButton = 4;
inline constexpr unsigned kOdtTab = 101;
inline constexpr unsigned kOdsSelected = 0x1;
inline constexpr unsigned kOdsDisabled = 0x4;
inline constexpr unsigned kOdsFocus = 0x10;

// Virtual keys the layer itself knows.
enum VirtualKey : unsigned {
  kVkBack = 0x08,
  kVkTab = 0x09,
  kVkReturn = 0x0D,
  kVkEscape = 0x1B,
  kVkSpace = 0x20,
  kVkEnd = 0x23,
  kVkHome = 0x24,
  kVkLeft = 0x25,
  kVkUp = 0x26,
  kVkRight = 0x27,
  kVkDown = 0x28,
  kVkDelete = 0x2E,
};

}  // namespace ui
