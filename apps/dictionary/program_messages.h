// Messages between the viewer and the translator, the word hand-over, and the viewer's own.
#pragma once
#include <string>

#include "platform/core/window.h"

namespace dict {

inline constexpr unsigned kWmLookupJapanese = 0x401;
inline constexpr unsigned kWmLookupChinese = 0x402;
inline constexpr unsigned kWmSearchEdit = plat::kWmUser + 1000;
inline constexpr unsigned kWmListEnd = plat::kWmUser + 13;

inline constexpr char16_t kDictionaryWordName[] = u"Dictionary_Word";
inline constexpr size_t kDictionaryWordSize = 1024;
// At most this many units are taken from the mapping, so the word always ends.
inline constexpr size_t kMaxHandedWord = 511;

// Reads the translator's word from the mapping; false (after its message) when there is none to
// read. An empty word is no failure.
bool readDictionaryWord(std::u16string& word);

}  // namespace dict
