// The tone-marked letters of pinyin as the data generators read them: each with the plain letter
// it stands for ('v' for ü) and its tone (0: none). The letter of ê is the caller's: the card's
// spelling reads it as 'e', the pinyin panel's tables and the speech readings keep it apart as 'E'.
#pragma once
#include <optional>

namespace datagen {

struct ToneMarkedLetter {
  char letter;
  int tone;
};

namespace detail {
// 'E' stands for ê in the table.
struct ToneMark {
  char32_t cp;
  char letter;
  int tone;
};
inline constexpr ToneMark kToneMarks[] = {
    {U'ā', 'a', 1}, {U'á', 'a', 2}, {U'ǎ', 'a', 3}, {U'à', 'a', 4}, {U'ē', 'e', 1}, {U'é', 'e', 2}, {U'ě', 'e', 3},
    {U'è', 'e', 4}, {U'ī', 'i', 1}, {U'í', 'i', 2}, {U'ǐ', 'i', 3}, {U'ì', 'i', 4}, {U'ō', 'o', 1}, {U'ó', 'o', 2},
    {U'ǒ', 'o', 3}, {U'ò', 'o', 4}, {U'ū', 'u', 1}, {U'ú', 'u', 2}, {U'ǔ', 'u', 3}, {U'ù', 'u', 4}, {U'ǖ', 'v', 1},
    {U'ǘ', 'v', 2}, {U'ǚ', 'v', 3}, {U'ǜ', 'v', 4}, {U'ü', 'v', 0}, {U'ê', 'E', 0}, {U'ế', 'E', 2}, {U'ề', 'E', 4},
    {U'ḿ', 'm', 2}, {U'ń', 'n', 2}, {U'ň', 'n', 3}, {U'ǹ', 'n', 4},
};
}  // namespace detail

// The letter and tone of a tone-marked letter, ê (with or without a tone) read as `letterOfE`;
// nothing for any other character.
constexpr std::optional<ToneMarkedLetter> toneMarkedLetter(char32_t c, char letterOfE) {
  for (const detail::ToneMark& m : detail::kToneMarks) {
    if (m.cp == c) return ToneMarkedLetter{m.letter == 'E' ? letterOfE : m.letter, m.tone};
  }
  return std::nullopt;
}

// The tone of a combining tone mark (macron, acute, caron, grave); 0 for any other character.
constexpr int combiningTone(char32_t c) {
  return c == 0x0304 ? 1 : c == 0x0301 ? 2 : c == 0x030C ? 3 : c == 0x0300 ? 4 : 0;
}

}  // namespace datagen
