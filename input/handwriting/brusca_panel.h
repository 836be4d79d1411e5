// The handwriting input panel without its window: two writing boxes, the key column, the
// automatic-recognition timer, and the character sent when the writer moves on.
#pragma once
#include "input/handwriting/handwriting_core.h"

namespace hw {

class BruscaPanel : public HandwritingCore {
 public:
  explicit BruscaPanel(PanelHost& host);

  // Selection also reads Set.
  void select(int dotsPerInch);
  // Stops the timer and closes the recogniser.
  void deselect();
  // Set again after the options page stored it.
  void reloadSettings();

  void penDown(int x, int y) override;
  void penMove(int x, int y) override;
  void penUp(int x, int y) override;
  // Timer 1 is due.
  void timerFired();

  // Recognises the ink; true when a pending character resulted.
  bool recognizeStrokes();
  // Recognises, sends the pending character, clears the ink.
  void sendPending();

  int currentBox() const { return box_; }
  const std::u16string& pending() const { return pending_; }
  const std::vector<std::uint16_t>& candidates() const { return candidates_; }
  bool timerRunning() const { return timerRunning_; }

 private:
  void keyDown(int index);
  bool insideCurrentBox(int x, int y) const;
  std::uint16_t storedX(int x) const;
  void clearInk();
  void stopTimer();

  int box_ = 0;
  bool autoRecognise_ = false;  // Set
  bool timerRunning_ = false;
  std::u16string pending_;
  std::vector<std::uint16_t> candidates_;
};

}  // namespace hw
