#include "apps/dictionary/dialog/view_tab_images.h"

namespace dict {
namespace {

constexpr ui::Color kMask{255, 0, 255};

// One strip of the four images, drawn on a 16-unit grid scaled to the image size.
int drawStrip(int size, bool selected) {
  ui::Bitmap strip = ui::createBitmap(size * 4, size, kMask);
  {
    ui::Painter p(strip);
    const ui::Color ink = selected ? ui::Color{0, 0, 160} : ui::Color{0x50, 0x50, 0x50};
    const ui::Color fill = selected ? ui::Color{90, 140, 230} : ui::Color{0xA0, 0xA0, 0xA0};
    const ui::Color paper{255, 255, 255};
    int origin = 0;
    auto at = [&](int x, int y) { return ui::Point{origin + x * size / 16, y * size / 16}; };
    auto rect = [&](int l, int t, int r, int b) { return ui::Rect{at(l, t).x, at(l, t).y, at(r, b).x, at(r, b).y}; };

    // Dictionary: a closed book with its spine and page edge.
    p.fillRect(rect(3, 1, 13, 15), fill);
    p.frameRect(rect(3, 1, 13, 15), ink);
    p.fillRect(rect(3, 1, 5, 15), ink);
    p.drawLine(at(12, 3), at(12, 13), paper);
    p.fillRect(rect(7, 4, 11, 6), paper);

    // Examples: a page of sentences.
    origin = size;
    p.fillRect(rect(2, 1, 14, 15), paper);
    p.frameRect(rect(2, 1, 14, 15), ink);
    for (int y : {4, 7, 10}) p.drawLine(at(4, y), at(12, y), fill);
    p.drawLine(at(4, 13), at(9, 13), fill);

    // History: a clock.
    origin = size * 2;
    const ui::Point face[] = {at(5, 1), at(11, 1), at(15, 5), at(15, 11), at(11, 15), at(5, 15), at(1, 11), at(1, 5)};
    p.fillPolygon(face, 8, ink);
    const ui::Point inner[] = {at(6, 3), at(10, 3), at(13, 6), at(13, 10), at(10, 13), at(6, 13), at(3, 10), at(3, 6)};
    p.fillPolygon(inner, 8, paper);
    p.drawLine(at(8, 8), at(8, 4), ink, size / 16 + 1);
    p.drawLine(at(8, 8), at(11, 10), fill, size / 16 + 1);

    // Word book: a ringed notebook with a tick.
    origin = size * 3;
    p.fillRect(rect(3, 1, 14, 15), fill);
    p.frameRect(rect(3, 1, 14, 15), ink);
    for (int y : {3, 7, 11}) p.drawLine(at(1, y), at(5, y), ink);
    p.drawLine(at(7, 8), at(9, 11), paper, size / 16 + 1);
    p.drawLine(at(9, 11), at(12, 4), paper, size / 16 + 1);
  }
  int list = ui::createImageList(strip, size, kMask);
  ui::deleteBitmap(strip);
  return list;
}

}  // namespace

ViewTabImages makeViewTabImages(int dpi) {
  ViewTabImages out;
  const bool large = dpi >= 192;
  out.size = large ? 24 : 16;
  out.plainId = large ? kBitmapViewTabLarge : kBitmapViewTab;
  out.selectedId = large ? kBitmapViewTabLargeSelected : kBitmapViewTabSelected;
  out.plain = drawStrip(out.size, false);
  out.selected = drawStrip(out.size, true);
  return out;
}

}  // namespace dict
