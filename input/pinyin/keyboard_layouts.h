// The four keyboards of the pinyin panel: 5 rows of key records, each row ended by a record whose
// first byte is '#' and whose left edge is 240. Pixels at 96 dots per inch; rows 16 high.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

namespace pinyin {

inline constexpr int kPanelWidth = 240;
inline constexpr int kPanelHeight = 80;
inline constexpr int kRowHeight = 16;
inline constexpr int kRows = 5;
inline constexpr int kLayouts = 4;

enum KeyFlag : std::uint8_t {
  kKeyFlagVirtualKey = 0x01,  // sent as a virtual key
  kKeyFlagLatching = 0x02,    // stays down until pressed again
  kKeyFlagPressed = 0x04,     // drawn pressed
  kKeyFlagRepaintAll = 0x08,  // the whole keyboard repaints when pressed
  kKeyFlagBlank = 0x10,       // no key
  kKeyFlagMode = 0x20,        // a layout or mode key, no character
  kKeyFlagDisabled = 0x80,    // set from isKeyEnabled
};

struct KeyRecord {
  std::uint8_t vk = 0;  // '#' ends a row
  std::uint8_t flags = 0;
  std::uint16_t code = 0;
  std::uint16_t shifted = 0;
  std::uint16_t left = 0;
};
static_assert(sizeof(KeyRecord) == 8);

inline constexpr std::uint8_t kRowEnd = '#';

// Virtual keys the keyboards send.
enum VirtualKey : std::uint8_t {
  kVkBack = 0x08, kVkReturn = 0x0D, kVkShift = 0x10, kVkControl = 0x11, kVkCapital = 0x14, kVkSpace = 0x20,
  kVkLeft = 0x25, kVkRight = 0x27, kVkDelete = 0x2E,
};

using KeyRow = std::vector<KeyRecord>;  // keys, then the end record
using KeyboardLayout = std::array<KeyRow, kRows>;

// Fresh copies of the four layouts (flags as at load).
std::array<KeyboardLayout, kLayouts> makeKeyboardLayouts();

// The key under a point (96-dpi pixels): its row and index; false outside the keys.
bool keyAt(const KeyboardLayout& layout, int x, int y, int& row, int& index);

}  // namespace pinyin
