// Tests on Shift-JIS texts made of double-byte characters: kanji units and the shapes of
// Sino-Japanese する verbs.
#pragma once
#include <string>
#include <string_view>

namespace cj {

// The two bytes as one big-endian unit fall in a kanji range.
bool isKanji(std::string_view unit);
// A kanji compound (kanji joined by の or な) followed by する.
int isKanjiSuru(std::string_view text);
// The same followed by をする.
int isKanjiWoSuru(std::string_view text);
// A kanji compound, を, a compound of 2, 4, 6 or 8 units, then する.
int isObjectKanjiSuru(std::string_view text);
// Replaces the first occurrence (at a character boundary) of from by to, when the text and the
// result stay shorter than 299 bytes.
void replaceFirst(std::string& text, std::string_view from, std::string_view to);

}  // namespace cj
