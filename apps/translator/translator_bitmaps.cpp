#include "apps/translator/translator_bitmaps.h"

#include <cstdint>
#include <string>

#include "platform/core/little_endian.h"
#include "platform/core/resources.h"

namespace orvale {
namespace {

// One character a pixel: '.' white, '#' ink, 'r' red, 'b' blue, 'y' yellow.
const char* const kLookupPixels[16] = {
    "................", "..############..", ".#bbbbbb#bbbbbb#", ".#b....b#b....b#", ".#b.##.b#b.##.b#",
    ".#b....b#b....b#", ".#b.##.b#b.##.b#", ".#b....b#b....b#", ".#b.##.b#b.##.b#", ".#b....b#b....b#",
    ".#bbbbbb#bbbbbb#", "..######r######.", "........r.......", ".......rrr......", "........r.......",
    "................"};

const char* const kIconPixels[16] = {
    "################", "#bbbbbbbbbbbbbb#", "#b....bb......b#", "#b.##.bb.####.b#", "#b....bb......b#",
    "#b.##.bb.####.b#", "#b....bb......b#", "#bbbbbbbbbbbbbb#", "#yyyyyyyyyyyyyy#", "#y.rrrr..rrrr.y#",
    "#y.r..r..r..r.y#", "#y.rrrr..rrrr.y#", "#y....r.....r.y#", "#y.rrrr..rrrr.y#", "#yyyyyyyyyyyyyy#",
    "################"};


// A 24-bit bottom-up BMP of a 16 × 16 pixel map.
std::string bmpOf(const char* const rows[16]) {
  const unsigned width = 16, height = 16, rowBytes = width * 3, pixels = rowBytes * height;
  std::string s = "BM";
  plat::appendLe32(s, 54 + pixels);
  plat::appendLe32(s, 0);
  plat::appendLe32(s, 54);
  plat::appendLe32(s, 40);
  plat::appendLe32(s, width);
  plat::appendLe32(s, height);
  plat::appendLe16(s, 1);
  plat::appendLe16(s, 24);
  plat::appendLe32(s, 0);
  plat::appendLe32(s, pixels);
  plat::appendLe32(s, 3780);
  plat::appendLe32(s, 3780);
  plat::appendLe32(s, 0);
  plat::appendLe32(s, 0);
  for (int y = static_cast<int>(height) - 1; y >= 0; --y) {
    for (unsigned x = 0; x < width; ++x) {
      std::uint8_t r = 255, g = 255, b = 255;
      switch (rows[y][x]) {
        case '#': r = g = b = 0; break;
        case 'r': r = 200, g = 30, b = 30; break;
        case 'b': r = 40, g = 80, b = 200; break;
        case 'y': r = 240, g = 200, b = 40; break;
        default: break;
      }
      s.push_back(static_cast<char>(b));
      s.push_back(static_cast<char>(g));
      s.push_back(static_cast<char>(r));
    }
  }
  return s;
}

}  // namespace

void registerTranslatorBitmaps() {
  static bool done = false;
  if (done) return;
  done = true;
  plat::registerOwnedResource("BITMAP", "#" + std::to_string(kLookupBitmap), bmpOf(kLookupPixels));
  plat::registerOwnedResource("BITMAP", "#" + std::to_string(kProgramIcon), bmpOf(kIconPixels));
}

}  // namespace orvale
