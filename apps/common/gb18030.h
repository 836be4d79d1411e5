// Code page 54936 (GB18030) over the platform's code page 936: the CJK radicals and Extension A
// characters, the four-byte linear codes of Extension A, and the euro sign.
#pragma once
#include <string>
#include <string_view>

namespace apptext {

inline constexpr unsigned kGb18030CodePage = 54936;

std::string wideToGb18030(std::u16string_view text);
std::u16string gb18030ToWide(std::string_view bytes);

}  // namespace apptext
