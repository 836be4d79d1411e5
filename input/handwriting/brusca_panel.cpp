#include "input/handwriting/brusca_panel.h"

#include <algorithm>
#include <limits>

namespace hw {

BruscaPanel::BruscaPanel(PanelHost& host) : HandwritingCore(host, inputPanelKeys(), u"中国語手書き") {}

void BruscaPanel::select(int dotsPerInch) {
  HandwritingCore::select(dotsPerInch);
  reloadSettings();
}

void BruscaPanel::deselect() {
  stopTimer();
  HandwritingCore::deselect();
}

void BruscaPanel::reloadSettings() {
  // The Japanese input recognises after a pause unless its settings say otherwise.
  std::uint32_t set = japanese() ? 1 : 0;
  host_.readSetting("Set", set);
  autoRecognise_ = set != 0;
}

bool BruscaPanel::insideCurrentBox(int x, int y) const {
  int left = box_ == 0 ? 0 : scale(81), right = box_ == 0 ? scale(80) : scale(160);
  return x > left && x < right && y > 0 && y < scale(80);
}

std::uint16_t BruscaPanel::storedX(int x) const {
  return static_cast<std::uint16_t>(box_ == 0 ? x : x - scale(80));
}

bool BruscaPanel::recognizeStrokes() {
  switchCharset(readCharset());
  candidates_ = recogniseInk(scale(80), scale(79));
  pending_.clear();
  if (candidates_.empty()) return false;
  const std::u16string best =
      japanese() ? shiftJisCandidateToUnicode(candidates_[0]) : candidateToUnicode(candidates_[0], traditional(), tables_);
  pending_ = toHalfWidth(best, halfWidthKeys());
  return !pending_.empty();
}

void BruscaPanel::clearInk() {
  ink_.clear();
  host_.repaint(PanelArea::WritingBoxes);
}

void BruscaPanel::sendPending() {
  if (recognizeStrokes()) host_.sendString(pending_);
  clearInk();
}

void BruscaPanel::stopTimer() {
  if (!timerRunning_) return;
  host_.stopTimer();
  timerRunning_ = false;
}

void BruscaPanel::keyDown(int index) {
  PanelKey& key = keys_[index];
  if ((key.flags & kKeyLatching) && (key.flags & kKeyPressed)) {
    sendPending();
    releaseLatched(key);
    return;
  }
  std::u16string text = recognizeStrokes() ? pending_ : std::u16string();
  if (key.virtualKey == 0 && key.character == u',') text += japanese() ? u"、" : u"，";
  if (key.virtualKey == 0 && key.character == u'.') text += u"。";
  if (!text.empty()) host_.sendString(text);
  clearInk();
  if (key.role == KeyRole::ClassKey) pressClassKey(index);
  key.flags |= kKeyPressed;
  host_.repaint(key.flags & kKeyRepaint ? PanelArea::WholePanel : PanelArea::Keys);
  if (key.virtualKey != 0) host_.sendCharEvents(key.virtualKey, kKeyStateDown, key.character);
}

void BruscaPanel::penDown(int x, int y) {
  if (x > scale(kKeyAreaLeft)) {
    int index = keyAt(keys_, x, y, dpi_);
    if (index >= 0) keyDown(index);
    return;
  }
  stopTimer();
  int under = x > scale(80) ? 1 : 0;
  if (ink_.empty()) {
    box_ = under;
  } else if (under != box_) {
    sendPending();
    box_ = under;
  } else if (!insideCurrentBox(x, y)) {
    sendPending();
  }
  if (!insideCurrentBox(x, y)) return;
  pointLimitShown_ = false;
  if (accepted(ink_.beginStroke(storedX(x), static_cast<std::uint16_t>(y)))) host_.repaint(PanelArea::WritingBoxes);
}

void BruscaPanel::penMove(int x, int y) {
  if (!ink_.strokeOpen() || !insideCurrentBox(x, y)) return;
  if (accepted(ink_.addPoint(storedX(x), static_cast<std::uint16_t>(y)))) host_.repaint(PanelArea::WritingBoxes);
}

void BruscaPanel::penUp(int x, int y) {
  // Only a stroke begun in the box is closed: a pen-up after a key press leaves the ink alone.
  if (ink_.strokeOpen()) {
    if (insideCurrentBox(x, y)) accepted(ink_.addPoint(storedX(x), static_cast<std::uint16_t>(y)));
    ink_.endStroke();
    host_.repaint(PanelArea::WritingBoxes);
  }
  releaseMomentaryKeys();
  if (autoRecognise_ && !ink_.empty() && !timerRunning_) {
    std::uint32_t timeout = 1;
    host_.readSetting("Timeout", timeout);
    std::int64_t seconds = std::max<std::int64_t>(0, static_cast<std::int32_t>(timeout));
    std::int64_t ms = std::min<std::int64_t>(seconds * 1000, std::numeric_limits<std::uint32_t>::max());
    host_.startTimer(static_cast<unsigned>(ms));
    timerRunning_ = true;
  }
}

void BruscaPanel::timerFired() {
  sendPending();
  stopTimer();
}

}  // namespace hw
