// Memory bitmaps: read from the BMP bytes a program carries, drawn on with a painter, scaled.
#include "platform/ui/drawing.h"
#include "platform/ui/fonts.h"
#include "ui_fixture.h"

#include <string>

namespace {

// A 24-bit bottom-up BMP of w × h whose pixel (x, y) is colour(x, y).
template <class F>
std::string bmp(int w, int h, F colour) {
  int row = (w * 3 + 3) & ~3;
  std::string out;
  auto put32 = [&](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  auto put16 = [&](std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
  };
  out += "BM";
  put32(static_cast<std::uint32_t>(54 + row * h));
  put32(0);
  put32(54);
  put32(40);
  put32(static_cast<std::uint32_t>(w));
  put32(static_cast<std::uint32_t>(h));
  put16(1);
  put16(24);
  put32(0);
  put32(static_cast<std::uint32_t>(row * h));
  put32(2835);
  put32(2835);
  put32(0);
  put32(0);
  for (int y = h - 1; y >= 0; --y) {
    std::string line;
    for (int x = 0; x < w; ++x) {
      ui::Color c = colour(x, y);
      line.push_back(static_cast<char>(c.b));
      line.push_back(static_cast<char>(c.g));
      line.push_back(static_cast<char>(c.r));
    }
    line.resize(static_cast<size_t>(row), '\0');
    out += line;
  }
  return out;
}

class DrawingTest : public UiTest {};

TEST_F(DrawingTest, BitmapsFromBmpBytesAndPainting) {
  std::string bytes = bmp(4, 3, [](int x, int y) { return ui::Color{static_cast<std::uint8_t>(x * 60), static_cast<std::uint8_t>(y * 100), 7}; });
  ui::Bitmap b = ui::loadBitmap(bytes);
  ASSERT_NE(b, 0);
  EXPECT_EQ(ui::bitmapSize(b), (ui::Point{4, 3}));
  EXPECT_EQ(ui::bitmapPixel(b, 3, 0), (ui::Color{180, 0, 7}));
  EXPECT_EQ(ui::bitmapPixel(b, 0, 2), (ui::Color{0, 200, 7}));
  EXPECT_EQ(ui::loadBitmap(bytes.substr(0, 30)), 0);
  EXPECT_EQ(ui::loadBitmap(""), 0);

  // Stretched onto a bitmap twice its size, as a keyboard picture at 192 dots per inch.
  ui::Bitmap big = ui::createBitmap(8, 6);
  {
    ui::Painter p(big);
    p.drawBitmapScaled({0, 0, 8, 6}, b);
  }
  EXPECT_EQ(ui::bitmapPixel(big, 7, 0), (ui::Color{180, 0, 7}));
  EXPECT_EQ(ui::bitmapPixel(big, 6, 1), (ui::Color{180, 0, 7}));

  ui::Bitmap ink = ui::createBitmap(20, 20, {255, 255, 255});
  {
    ui::Painter p(ink);
    p.drawLine({0, 10}, {19, 10}, {0, 0, 0}, 1);
    p.setPixel({3, 3}, {1, 2, 3});
    p.invertRect({15, 15, 20, 20});
    p.frameRect({0, 0, 20, 20}, {255, 0, 0});
  }
  EXPECT_EQ(ui::bitmapPixel(ink, 10, 10), (ui::Color{0, 0, 0}));
  EXPECT_EQ(ui::bitmapPixel(ink, 3, 3), (ui::Color{1, 2, 3}));
  EXPECT_EQ(ui::bitmapPixel(ink, 17, 17), (ui::Color{0, 0, 0}));  // white inverted
  EXPECT_EQ(ui::bitmapPixel(ink, 0, 5), (ui::Color{255, 0, 0}));
  // Text in a font: the glyph leaves blue ink on white.
  ui::Bitmap label = ui::createBitmap(20, 20, {255, 255, 255});
  {
    ui::Painter p(label);
    p.drawText({0, 0, 20, 20}, u"中", ui::createFont({u"ZQ-GB Mincho", ui::kGb2312CharSet, 16}), {0, 0, 255}, 1);
  }
  int inked = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      ui::Color c = ui::bitmapPixel(label, x, y);
      inked += c.b > 100 && c.r < 100;  // edges are blended
    }
  }
  EXPECT_GT(inked, 10);
  ui::deleteBitmap(label);
  // A painter on a bitmap that is gone draws nothing and does not fail.
  ui::Painter none(9999);
  none.fillRect({0, 0, 5, 5}, {0, 0, 0});
  for (ui::Bitmap x : {b, big, ink}) ui::deleteBitmap(x);
  EXPECT_EQ(ui::bitmapSize(b), (ui::Point{0, 0}));
}

}  // namespace
