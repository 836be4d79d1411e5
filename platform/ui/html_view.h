// The HTML view (window class "DISPLAYCLASS"): source added in pieces, shown at the end of the
// source; link clicks and inline images come to the dialog as kWmNotify (kNmHotspot with the
// target exactly as written, kNmInlineImage with the image source).
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/drawing.h"
#include "platform/ui/types.h"

namespace ui {

inline constexpr char16_t kHtmlViewClass[] = u"DISPLAYCLASS";

// Readies the view class for a module; always succeeds once the application runs.
bool initHtmlControl();

void htmlClear(Hwnd view);
void htmlAddText(Hwnd view, std::u16string_view source);
// Lays the page out; images are asked for now.
void htmlEndSource(Hwnd view);
void htmlSelectAll(Hwnd view);
// Copies the selection to the clipboard as text; false when nothing is selected.
bool htmlCopy(Hwnd view);
std::u16string htmlSelectedText(Hwnd view);
// During kNmInlineImage: the bitmap for that image (the view keeps a copy).
bool htmlSetImage(Hwnd view, int imageCookie, Bitmap b);

// What the page shows, for tests: its plain text, its link targets in order, and the size of
// each image it holds (0 × 0 for one that got no bitmap).
std::u16string htmlPlainText(Hwnd view);
std::vector<std::u16string> htmlLinkTargets(Hwnd view);
std::vector<Point> htmlImageSizes(Hwnd view);
// The box the page gives each image on the screen: its width and height in screen pixels (the
// page's pixels are 96-dpi ones), 0 where it gives none.
std::vector<Point> htmlImageBoxes(Hwnd view);
// The family used where the page asked for a face, by order of appearance of the font tags.
std::vector<std::u16string> htmlFontFamilies(Hwnd view);

}  // namespace ui
