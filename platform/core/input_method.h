// Input-method services: which input methods are installed, the current one, selecting it, and
// showing or hiding the input panel. The state is the device's, shared by all programs.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

// A class id in its 16-byte stored form (first three fields little-endian), as kept in the
// registry's binary values.
struct ClassId {
  std::array<std::uint8_t, 16> bytes{};
  bool isNull() const;
  bool operator==(const ClassId&) const = default;
};

// "{0CBEA010-F68E-11D1-8C63-0060977B4593}" (either case) to a class id; nothing when malformed.
std::optional<ClassId> parseClassId(std::u16string_view text);
std::optional<ClassId> parseClassId(std::string_view text);
// The braced upper-case text of a class id.
std::u16string classIdText(const ClassId& id);

// Installed input methods: the class-id keys under CLSID in the classes root that have the
// sub-key IsSIPInputMethod, in registry order.
std::vector<ClassId> installedInputMethods();
bool isInputMethodInstalled(const ClassId& id);
// Registers an input method as installed (device set-up does this for the platform's own).
bool registerInputMethod(const ClassId& id, std::u16string_view displayName);

// The current input method; the null class id when none was selected. False when the device
// registry cannot be read.
bool currentInputMethod(ClassId& out);
// Makes an installed input method current; false, and nothing changes, for any other. Every
// selection counts, even of the method already current.
bool selectInputMethod(const ClassId& id);
// How many selections the device has seen, and how many of them this program made: a host
// creates its panel anew after selections made by another program (the refresher), while this
// program's own selection of the method loaded keeps the panel and what it holds.
std::uint32_t inputMethodSelections();
std::uint32_t inputMethodSelectionsHere();
// The input panel raised or lowered.
bool setInputPanelShown(bool shown);
bool inputPanelShown();

// Screen rectangles in the handheld's pixels (at 96 dots per inch), as a program gives them when
// it places the panel.
struct PanelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const PanelRect&) const = default;
};
// Raises or lowers the panel at a rectangle, with the part of the screen left visible to the
// program; the rectangle stays for later raisings until another is given.
bool setInputPanelPlacement(bool shown, const PanelRect& sip, const PanelRect& visibleDesktop);
// The last placement given; false when none was.
bool inputPanelPlacement(PanelRect& sip, PanelRect& visibleDesktop);
// Whether this program gave a placement: another program's placement is its own affair.
bool inputPanelPlacedByThisProgram();

// Told, in this process, after every successful select or show/hide (the panel host listens).
void setInputMethodListener(std::function<void(const ClassId& current, bool shown)> listener);

// Other programs hear of a change too: every top-level window of this class in another process
// gets this message posted (the panel hosts of the user interface keep one such window); after a
// selection wParam holds the selection count.
inline constexpr char16_t kInputMethodHostClass[] = u"SuitePanelHost";
inline constexpr unsigned kInputMethodChangedMessage = 0x0400 + 0x7F1;

}  // namespace plat
