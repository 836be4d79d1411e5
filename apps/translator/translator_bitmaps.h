// The translator's bitmaps: 189, the dictionary-lookup image of the menu bar, and 128, the
// program icon. Drawn from the pixel maps in the source and registered as BITMAP resources.
#pragma once

namespace orvale {

inline constexpr unsigned kLookupBitmap = 189;
inline constexpr unsigned kProgramIcon = 128;

// Registers both once; later calls do nothing.
void registerTranslatorBitmaps();

}  // namespace orvale
