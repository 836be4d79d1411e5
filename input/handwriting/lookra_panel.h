// The handwriting search panel without its window: one writing box recognised at every pen-up,
// a 3 × 3 grid of candidates to tap, and the key column.
#pragma once
#include "input/handwriting/handwriting_core.h"

namespace hw {

inline constexpr int kGridSlots = 9;

class LookraPanel : public HandwritingCore {
 public:
  explicit LookraPanel(PanelHost& host);

  void penDown(int x, int y) override;
  void penMove(int x, int y) override;
  void penUp(int x, int y) override;

  // Recognises the ink into the candidate slots and repaints the grid.
  void recognizeStrokes();

  // Up to 10 candidates of the last recognition; the first 9 are shown.
  const std::vector<std::u16string>& candidates() const { return candidates_; }
  // The grid slot under a point (column + row × 3), -1 outside the grid.
  int gridSlotAt(int x, int y) const;

 private:
  void keyDown(int index);
  bool insideBox(int x, int y) const;
  void clearInk();

  std::vector<std::u16string> candidates_;
};

}  // namespace hw
