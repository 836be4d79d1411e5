// The handwriting panels' class ids, names and window classes: the contract with the programs
// that set their values and with the host that loads them.
#pragma once
#include <string_view>

namespace hw {

inline constexpr std::string_view kBruscaClassId = "{9668E639-80A6-4899-B03A-B7151C870657}";
inline constexpr std::u16string_view kBruscaDisplayName = u"中国語手書き入力";
inline constexpr std::u16string_view kBruscaServerPath = u"\\windows\\Brusca.dll";
inline constexpr std::u16string_view kBruscaWindowClass = u"A0A45893-9B3E-4756-B4EE-68BD260DFB80 - FullBruscaIMWndClass";

inline constexpr std::string_view kLookraClassId = "{15F1353C-E409-4DD4-B3D1-6B58F43792AE}";
inline constexpr std::u16string_view kLookraDisplayName = u"中国語手書き検索";
inline constexpr std::u16string_view kLookraServerPath = u"\\windows\\Lookra.dll";
inline constexpr std::u16string_view kLookraWindowClass = u"15F1353C-E409-4dd4-B3D1-6B58F43792AE- FullLookraIMWndClass";

// The platform's own Japanese handwriting input: the same panel on the recogniser's Japanese
// dictionary, writing kana and kanji.
inline constexpr std::string_view kJapaneseInkClassId = "{0CBEA010-F68E-11D1-8C63-0060977B4593}";
inline constexpr std::u16string_view kJapaneseInkDisplayName = u"日本語手書き入力";
inline constexpr std::u16string_view kJapaneseInkServerPath = u"\\windows\\JapaneseInk.dll";
inline constexpr std::u16string_view kJapaneseInkWindowClass = u"JapaneseInkWndClass";

// Dialog 106 (handwriting input options).
inline constexpr unsigned kOptTimeout = 1001;
inline constexpr unsigned kOptUp = 1009;
inline constexpr unsigned kOptDown = 1010;
inline constexpr unsigned kOptUseTimeout = 1011;
inline constexpr unsigned kOptSimplified = 1013;
inline constexpr unsigned kOptTraditional = 1014;
// Dialog 109 (search options).
inline constexpr unsigned kSearchSimplified = 1000;
inline constexpr unsigned kSearchTraditional = 1001;

}  // namespace hw
