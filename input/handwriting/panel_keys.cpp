#include "input/handwriting/panel_keys.h"

namespace hw {

namespace {

PanelKey key(int row, int left, unsigned vk, char16_t ch, unsigned flags, KeyRole role = KeyRole::Plain) {
  PanelKey k;
  k.row = row;
  k.left = left;
  k.virtualKey = vk;
  k.character = ch;
  k.flags = flags;
  k.role = role;
  return k;
}

// Each key reaches the next key of its row, the last one the end of the row.
std::vector<PanelKey> withRightEdges(std::vector<PanelKey> keys) {
  for (std::size_t i = 0; i < keys.size(); ++i) {
    bool last = i + 1 == keys.size() || keys[i + 1].row != keys[i].row;
    keys[i].right = last ? kKeyRowEnd : keys[i + 1].left;
  }
  return keys;
}

}  // namespace

std::vector<PanelKey> inputPanelKeys() {
  return withRightEdges({
      key(0, 160, 8, 8, 0),
      key(0, 200, 0, 0, kKeyLatching | kKeyRepaint, KeyRole::HalfWidth),
      key(1, 160, 0, 0, kKeyLatching | 0x40, KeyRole::ClassKey),
      key(1, 186, 0, 0, kKeyLatching | 0x18, KeyRole::ClassKey),
      key(1, 212, 0, 0, kKeyLatching | 0x20, KeyRole::ClassKey),
      key(2, 160, 0, 0, 0),
      key(2, 200, 13, 13, 0),
      key(3, 160, 32, 32, 0),
      key(3, 200, 0, u',', 0),
      key(3, 220, 0, u'.', 0),
  });
}

std::vector<PanelKey> searchPanelKeys() {
  return withRightEdges({
      key(0, 160, 8, 8, 0),
      key(0, 200, 0, 0, kKeyLatching | kKeyRepaint, KeyRole::HalfWidth),
      key(1, 160, 0, 0, kKeyLatching | 0x40, KeyRole::ClassKey),
      key(1, 186, 0, 0, kKeyLatching | 0x18, KeyRole::ClassKey),
      key(1, 212, 0, 0, kKeyLatching | 0x20, KeyRole::ClassKey),
      key(2, 160, 13, 13, 0),
      key(2, 200, 0, 0, 0, KeyRole::Clear),
      key(3, 160, 32, 32, 0),
      key(3, 200, 0, u',', 0),
      key(3, 220, 0, u'.', 0),
  });
}

int keyAt(const std::vector<PanelKey>& keys, int x, int y, int dpi) {
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const PanelKey& k = keys[i];
    if (x >= scaled(k.left, dpi) && x < scaled(k.right, dpi) && y >= scaled(kKeyRowTops[k.row], dpi) &&
        y < scaled(kKeyRowTops[k.row + 1], dpi))
      return static_cast<int>(i);
  }
  return -1;
}

}  // namespace hw
