// The column of keys right of the writing area: rows of key records, hit-tested in panel pixels.
#pragma once
#include <cstdint>
#include <vector>

namespace hw {

enum KeyFlags : unsigned {
  kKeyClassBits = 0x78,  // the classes a class key admits
  kKeyRepaint = 0x1000,  // the whole panel is repainted when it is pressed
  kKeyLatching = 0x2000,
  kKeyPressed = 0x4000,
};

enum class KeyRole { Plain, ClassKey, Clear, HalfWidth };

struct PanelKey {
  unsigned virtualKey = 0;  // 0: none to send
  char16_t character = 0;
  unsigned flags = 0;
  int left = 0;   // at 96 dots per inch
  int right = 0;  // the next key's left edge, or the end of the row
  int row = 0;
  KeyRole role = KeyRole::Plain;
};

inline constexpr int kKeyAreaLeft = 160;
inline constexpr int kKeyRowEnd = 239;
// Rows span these heights at 96 dots per inch.
inline constexpr int kKeyRowTops[5] = {0, 19, 38, 60, 80};

// The keys of the handwriting input panel and of the search panel.
std::vector<PanelKey> inputPanelKeys();
std::vector<PanelKey> searchPanelKeys();

// The key under a point in pixels at the given dots per inch; -1 for none.
int keyAt(const std::vector<PanelKey>& keys, int x, int y, int dpi);

// A length at 96 dots per inch in pixels.
inline int scaled(int v, int dpi) { return v * dpi / 96; }

}  // namespace hw
