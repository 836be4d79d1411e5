// The translator's registry key and its values, and the character-set value it leaves for the
// Chinese input panels.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/core/input_method.h"
#include "platform/core/registry.h"

namespace orvale {

inline constexpr char kTranslatorKey[] = "SOFTWARE\\Talvenro\\Lindqvar";

inline constexpr char kValueIsFanTi[] = "IsFanTi";
inline constexpr char kValueJcCj[] = "JC_CJ";
inline constexpr char kValueFontSize[] = "fsize";
inline constexpr char kValueReadingMode[] = "pyType";
inline constexpr char kValueJapaneseIm[] = "clsidJapaneseIM";
inline constexpr char kValueChineseIm[] = "clsidChineseIM";
inline constexpr char kValueCharset[] = "Charset";

// The four input methods the translator relies on.
plat::ClassId handwritingSearchIm();   // {15F1353C-E409-4DD4-B3D1-6B58F43792AE}, also the Chinese default
plat::ClassId handwritingInputIm();    // {9668E639-80A6-4899-B03A-B7151C870657}
plat::ClassId pinyinIm();              // {3671431C-F947-4197-95BB-23723DC47D6E}
plat::ClassId japaneseHandwritingIm(); // {0CBEA010-F68E-11D1-8C63-0060977B4593}, the Japanese default

// The key as it exists; the translator never creates it.
std::optional<plat::RegKey> openTranslatorKey();
std::optional<std::uint32_t> readTranslatorDword(std::string_view name);
// Skipped silently when the key does not exist.
void writeTranslatorDword(std::string_view name, std::uint32_t value);

// A class id stored as 16 bytes; all zero bytes count as absent.
std::optional<plat::ClassId> readClassIdValue(const plat::RegKey& key, std::string_view name);
bool writeClassIdValue(const plat::RegKey& key, std::string_view name, const plat::ClassId& id);

// Charset under the class-id keys of the three Chinese panels, only where such a key exists.
void writePanelCharset(std::uint32_t traditional);

}  // namespace orvale
