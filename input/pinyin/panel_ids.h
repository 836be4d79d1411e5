// The pinyin panel's class id and names, the contract with the programs that set its values.
#pragma once
#include <string_view>

namespace pinyin {

inline constexpr std::string_view kPinyinClassId = "{3671431C-F947-4197-95BB-23723DC47D6E}";
inline constexpr std::u16string_view kPinyinDisplayName = u"中国語ピンイン入力";
inline constexpr std::u16string_view kPinyinServerPath = u"\\windows\\Quillpin.dll";

}  // namespace pinyin
