// Lines of an entry page that become links: cross references, bracket lines and read-aloud images.
#pragma once
#include <string>
#include <string_view>

#include "apps/dictionary/pinyin_convert.h"

namespace dict {

// A link to target with text: <A href="target">text</A>.
std::u16string linkTo(std::u16string_view target, std::u16string_view text);
// A read-aloud link: the target "S_" and the text ('+' for a space), a 12 x 12 image as its text.
std::u16string readAloudLink(std::u16string_view text);

// The hanzi of a text and the marks "‐", "…", "－"; "～" stands for the headword.
std::u16string hanziTarget(std::u16string_view text, std::u16string_view headword);
bool isHanzi(char16_t c);

// A Japanese-to-Chinese line with "→" or "⇒": its kana words become "J_" links. False when the
// line is no reference.
bool linkReferenceJc(std::u16string_view text, std::u16string& out);
// A Chinese-to-Japanese line in which "→" is followed by pinyin and a full stop.
bool linkReferenceCj(std::u16string_view text, std::u16string_view headword, std::u16string& out);
// A Chinese-to-Japanese line that holds "【" and ends with "】" (not "語】").
bool linkBracketLine(std::u16string_view text, const PronunciationTables& tables, std::u16string& out);

// The pronunciation characters of a syllable run read with the given hanzi (0 on success, as
// pinyinToPronunciation).
int pronunciationOf(const PronunciationTables& tables, std::u16string_view pinyin, std::u16string_view hanzi,
                    std::u16string& out);

}  // namespace dict
