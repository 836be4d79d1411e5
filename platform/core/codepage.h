// Conversion between code pages and UTF-16.
#pragma once
#include <string>
#include <string_view>

namespace plat {

inline constexpr unsigned kSystemCodePage = 932;
inline constexpr unsigned kCodePageUtf8 = 65001;

// Multi-byte to UTF-16. Bytes that do not form a character become the code page's default
// character and conversion goes on with the next byte. An unknown code page gives an empty string.
std::u16string multiByteToWide(unsigned codePage, std::string_view bytes);
// UTF-16 to multi-byte. Characters the code page lacks become '?'.
std::string wideToMultiByte(unsigned codePage, std::u16string_view text);

// True when the byte starts a two-byte character in the code page (932, 936, 949, 950, 54936...).
bool isLeadByteInCodePage(unsigned codePage, unsigned char byte);

// True when the platform can convert the code page.
bool isCodePageKnown(unsigned codePage);

std::string wideToUtf8(std::u16string_view text);
std::u16string utf8ToWide(std::string_view text);

}  // namespace plat
