// Zhuyin and tone-marked pinyin to numbered pinyin, read-aloud text from a headword's pinyin,
// and the search conversion of traditional characters.
#pragma once
#include <string>
#include <string_view>

#include "apps/common/context_convert.h"

namespace dict {

// False with out set to numbered pinyin when text is zhuyin; true (not converted) otherwise.
bool zhuyinToPinyin(std::u16string& out, std::u16string_view text);

// Tone-marked pinyin to numbered pinyin; true when every syllable was read without doubt: each
// had a tone mark, no "ng" before a vowel had to be split, and the text did not end early.
bool toneMarksToNumbers(std::u16string& out, std::u16string_view text);

void lowerToneMarks(std::u16string& text);
bool isPinyinLetter(char16_t c);

// The PIN_NUM and FAYIN_HANZI tables as carried in the resources.
struct PronunciationTables {
  std::string_view pinNum;
  std::string_view fayinHanzi;
};

// The CVDATA resources PIN_NUM (5,840 bytes) and FAYIN_HANZI (4,170 bytes).
bool loadPronunciationTables(PronunciationTables& out);

// 0 on success, -1 for an unknown syllable or a count that differs from the hanzi, -2 for a
// tone the syllable does not have.
int pinyinToPronunciation(const PronunciationTables& tables, std::u16string& out, std::u16string_view numbered,
                          std::u16string_view hanzi);

// Traditional to simplified before a Chinese-to-Japanese search, except for a few texts.
void toSimplifiedForSearch(const apptext::ContextTables& tables, std::u16string& text);

}  // namespace dict
