// Bitmaps, image lists and drawing on memory bitmaps. Bitmaps and image lists are numbered
// handles of this process (0: none).
#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "platform/ui/types.h"

namespace ui {

using Bitmap = int;
using Font = int;

Bitmap createBitmap(int width, int height, Color fill = {255, 255, 255});
// A bitmap from the bytes of a BMP file (a program's "BITMAP" resource); 0 when unreadable.
Bitmap loadBitmap(std::string_view bmpBytes);
Bitmap loadBitmapResource(unsigned id);
Point bitmapSize(Bitmap b);
Color bitmapPixel(Bitmap b, int x, int y);
void deleteBitmap(Bitmap b);

// An image list cuts a bitmap into images of one width; pixels of the mask colour are transparent.
int createImageList(Bitmap strip, int imageWidth, Color mask);
int imageCount(int imageList);
// The image as a bitmap of its own (transparent pixels white); 0 for a bad index.
Bitmap imageListBitmap(int imageList, int index);
bool imageTransparent(int imageList, int index, int x, int y);

// A painter on a bitmap (or, during kWmPaint, on a window's picture).
class Painter {
 public:
  explicit Painter(Bitmap target);
  ~Painter();
  Painter(const Painter&) = delete;
  Painter& operator=(const Painter&) = delete;

  void fillRect(Rect r, Color c);
  void frameRect(Rect r, Color c);
  void invertRect(Rect r);
  void drawLine(Point a, Point b, Color c, int width = 1);
  void fillPolygon(const Point* points, int count, Color c);
  void setPixel(Point p, Color c);
  // Text in a font of fonts.h, with alignment flags of drawText (0 left, 1 centre, 2 right).
  void drawText(Rect r, std::u16string_view text, Font font, Color c, int align = 0);
  void drawBitmap(Point at, Bitmap b);
  void drawBitmapScaled(Rect to, Bitmap b);
  void drawImage(Point at, int imageList, int index);

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
  friend struct PainterAccess;
};

// During kWmPaint of a window of a class of the program's own (panels, keyboards): the painter on
// its picture; the picture is shown when the procedure returns.
Painter* windowPainter(Hwnd hwnd);

// Mouse capture of a window that draws itself: mouse messages keep coming to it until release.
void setCapture(Hwnd hwnd);
void releaseCapture();

}  // namespace ui
