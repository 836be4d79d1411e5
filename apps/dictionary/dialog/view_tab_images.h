// The view tab's images: the four views (dictionary, examples, history, word book) in a strip,
// plain (bitmap 137, 141 at high resolution) and selected (138, 142).
#pragma once
#include "platform/ui/drawing.h"

namespace dict {

inline constexpr unsigned kBitmapViewTab = 137, kBitmapViewTabSelected = 138;
inline constexpr unsigned kBitmapViewTabLarge = 141, kBitmapViewTabLargeSelected = 142;

struct ViewTabImages {
  unsigned plainId = 0, selectedId = 0;  // the bitmap numbers drawn
  int size = 0;                          // images are size × size pixels
  int plain = 0, selected = 0;           // image lists of four images each
};

// 16 × 16 images below 192 dots per inch, 24 × 24 from there on.
ViewTabImages makeViewTabImages(int dpi);

}  // namespace dict
