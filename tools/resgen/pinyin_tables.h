// PIN_NUM (the 417 syllables) and FAYIN_HANZI (a character per syllable and tone) from the
// readable list of syllables and their characters.
#pragma once
#include <string>
#include <string_view>

namespace resgen {

struct PinyinTables {
  std::string pinNum;      // 417 records of 7 UTF-16 units, then a zero unit
  std::string fayinHanzi;  // 5 UTF-16 units per syllable: tones 1-4, neutral; U+3000 none
};

inline constexpr int kSyllableCount = 417;

// Lines "syllable<TAB>t1<TAB>t2<TAB>t3<TAB>t4<TAB>t0", '-' for a missing tone.
bool buildPinyinTables(std::string_view text, PinyinTables& out, std::string& error);

}  // namespace resgen
