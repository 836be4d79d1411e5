#include "input/handwriting/lookra_panel.h"

namespace hw {

LookraPanel::LookraPanel(PanelHost& host) : HandwritingCore(host, searchPanelKeys(), u"中国語手書き検索") {}

bool LookraPanel::insideBox(int x, int y) const { return x > 0 && x < scale(80) && y > 0 && y < scale(80); }

int LookraPanel::gridSlotAt(int x, int y) const {
  int left = scale(81), right = scale(160), bottom = scale(80);
  if (x < left || x >= right || y < 0 || y >= bottom) return -1;
  int column = (x - left) * 3 / (right - left);
  int row = y * 3 / bottom;
  return column + row * 3;
}

void LookraPanel::recognizeStrokes() {
  std::vector<std::uint16_t> codes = recogniseInk(scale(79), scale(78));
  candidates_.clear();
  for (std::uint16_t code : codes) {
    std::u16string text = candidateToUnicode(code, traditional(), tables_);
    if (text.size() > 2) text.resize(2);
    candidates_.push_back(std::move(text));
  }
  host_.repaint(PanelArea::Candidates);
}

void LookraPanel::clearInk() {
  ink_.clear();
  host_.repaint(PanelArea::WritingBoxes);
}

void LookraPanel::keyDown(int index) {
  PanelKey& key = keys_[index];
  if ((key.flags & kKeyLatching) && (key.flags & kKeyPressed)) {
    releaseLatched(key);
    return;
  }
  if (key.role == KeyRole::ClassKey) pressClassKey(index);
  key.flags |= kKeyPressed;
  host_.repaint(key.flags & kKeyRepaint ? PanelArea::WholePanel : PanelArea::Keys);
  if (key.role == KeyRole::Clear) {
    candidates_.clear();
    clearInk();
    host_.repaint(PanelArea::Candidates);
  } else if (key.virtualKey == 8 && ink_.strokeCount() > 0) {
    // Backspace with ink takes back the last stroke.
    ink_.removeLastStroke();
    host_.repaint(PanelArea::WritingBoxes);
  } else if (key.virtualKey != 0) {
    host_.sendCharEvents(key.virtualKey, kKeyStateDown, key.character);
  } else if (key.character == u',') {
    host_.sendString(u"，");
  } else if (key.character == u'.') {
    host_.sendString(u"。");
  }
}

void LookraPanel::penDown(int x, int y) {
  if (int index = keyAt(keys_, x, y, dpi_); index >= 0) {
    keyDown(index);
    return;
  }
  if (insideBox(x, y)) {
    if (ink_.strokeCount() == 0) {
      // The first stroke of a character: the character set may have changed elsewhere.
      std::uint32_t charset = readCharset();
      if ((charset != 0) != traditional()) {
        classMask_ = kAllClasses;
        for (PanelKey& k : keys_) {
          if (k.role == KeyRole::ClassKey) k.flags &= ~kKeyPressed;
        }
      }
      switchCharset(charset);
    }
    pointLimitShown_ = false;
    if (accepted(ink_.beginStroke(static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y))))
      host_.repaint(PanelArea::WritingBoxes);
    return;
  }
  int slot = gridSlotAt(x, y);
  if (slot < 0 || slot >= static_cast<int>(candidates_.size()) || candidates_[slot].empty()) return;
  host_.sendString(toHalfWidth(candidates_[slot], halfWidthKeys()));
  clearInk();
}

void LookraPanel::penMove(int x, int y) {
  if (!ink_.strokeOpen() || !insideBox(x, y)) return;
  if (accepted(ink_.addPoint(static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y))))
    host_.repaint(PanelArea::WritingBoxes);
}

void LookraPanel::penUp(int x, int y) {
  releaseMomentaryKeys();
  // A pen-up after a key press or a tap on the grid closes no stroke.
  if (!ink_.strokeOpen()) return;
  if (insideBox(x, y)) accepted(ink_.addPoint(static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y)));
  ink_.endStroke();
  host_.repaint(PanelArea::WritingBoxes);
  recognizeStrokes();
}

}  // namespace hw
