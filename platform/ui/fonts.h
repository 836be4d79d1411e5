// Fonts by face, character set and pixel height. The handheld's faces are mapped to the CJK fonts
// of this machine so that each pane keeps its language's glyphs.
#pragma once
#include <string>
#include <string_view>

#include "platform/ui/drawing.h"
#include "platform/ui/types.h"

namespace ui {

enum CharSet : int { kAnsiCharSet = 0, kDefaultCharSet = 1, kShiftJisCharSet = 128, kGb2312CharSet = 134, kBig5CharSet = 136 };

struct FontSpec {
  std::u16string face;
  int charSet = kDefaultCharSet;
  int height = 0;  // pixels; negative: character height without leading, as given
  int weight = 400;
  bool italic = false;
  int pitchAndFamily = 0;
  int quality = 0;  // 0 default, 3 non-antialiased, 4 antialiased, 5 smoothed for LCDs
};

Font createFont(const FontSpec& spec);
void deleteFont(Font f);
// Points at the screen's resolution to a (negative) pixel height: -(points * dpi / 72), rounded.
int pointsToHeight(int points);

// The family that a face and character set map to (e.g. "Noto Sans CJK SC").
std::u16string mappedFamily(std::u16string_view face, int charSet);

// Gives a window a font; the window keeps the handle (delete it after the window).
bool setWindowFont(Hwnd hwnd, Font f);
Font windowFont(Hwnd hwnd);

// What the window system actually uses for a window's font.
struct FontQuery {
  std::u16string family;
  int pixelHeight = 0;
  int weight = 400;
};
FontQuery queryWindowFont(Hwnd hwnd);
// True when the font draws every character of the text with glyphs of its own.
bool fontHasGlyphs(Font f, std::u16string_view text);
int textWidth(Font f, std::u16string_view text);

}  // namespace ui
