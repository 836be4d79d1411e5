// Pinyin as the sources spell it (tone digits 1-5 or 0, tone marks, no tone, ü as v or u:) read
// into syllables, and written back in the forms the card's files hold; the katakana table of the
// syllables (data/tables/pinyin_katakana.txt, carried inside the writers).
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace datagen {

struct KatakanaRow {
  std::string syllable;    // toneless, ü as v ("lve")
  std::u16string katakana;  // at most four characters
};

// The rows of a katakana table text ("syllable<TAB>katakana", '#' comments); false with a line
// error for a malformed row, a syllable longer than 6 letters or a reading longer than 4.
bool parseKatakanaTable(std::string_view text, std::vector<KatakanaRow>& rows, std::string* error = nullptr);
// The table carried inside the writers, parsed once.
const std::vector<KatakanaRow>& katakanaTable();
// Whether a toneless syllable is one of the table's.
bool isPinyinSyllable(std::string_view syllable);

struct PinyinSyllable {
  std::string letters;  // lower case, ü as v
  int tone = 0;         // 0 neutral (or none given), 1-4
  char separator = 0;   // what follows it: ' ', '/' or 0 (nothing, or the next syllable)
};

// Reads a spelling: syllables with a tone digit each ("wo3men5"), tone marks ("míngtiān"), none
// ("women", neutral), or a mix; ' ' between words, '/' between alternatives, apostrophes and
// hyphens as syllable breaks. Letter runs are cut into the table's syllables, the longest first.
// Nothing when a run is no sequence of syllables.
std::optional<std::vector<PinyinSyllable>> readPinyin(std::string_view spelling);

// The dictionary's form: each syllable capitalised with its tone digit 0-4 ("Wo3Men0"), words
// and alternatives kept apart by ' ' and '/'. Nothing when the spelling is no pinyin.
std::optional<std::string> dictionaryReading(std::string_view spelling);
// The character reading file's form: lower case, tone digit 0-4, readings joined by ' '
// ("wang3 wang4"). Nothing when a reading is no pinyin.
std::optional<std::string> characterReading(const std::vector<std::string>& readings);

// The table's katakana in the engine code, as the engine's code page reads it back; a character
// that code page lacks is written as the nearest one it has (ー as the dash). Nothing when a
// character has no code at all.
std::optional<std::string> katakanaEngineBytes(std::u16string_view katakana);

// pinyindic\PinKaChu.tbl from the rows; false (with the row) when a reading does not fit its
// 8 bytes or a syllable its 6, or the rows pass the table's room.
bool readingTableFromRows(const std::vector<KatakanaRow>& rows, std::string& file, std::string* error = nullptr);

}  // namespace datagen
