// The speech data tables: loaded whole from the data folder, unit files kept open, the code-page
// tables read at first use. One set per process.
#pragma once
#include "speech/engine/text_code.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace speech {

// Results of the loader.
enum LoadResult : int { kLoadOk = 0, kLoadCannotOpen = 4, kLoadUnreadable = 5, kLoadNoMemory = 7 };

// Loads every table from the folder (a multibyte device path in the system code page ending in a
// backslash). Anything loaded before a failure is freed again. The data are checked here, once:
// a file too short for its layout, or whose offsets point outside it, is unreadable.
int loadSpeechData(const std::string& folder);
// Frees every table, the lazily read ones included, and closes the unit files.
void freeSpeechData();
bool speechDataLoaded();
// Name of the file that failed the last load (empty when it succeeded).
const std::string& lastLoadFailure();

// Tables read at first use; false when the file is missing or broken (tried again next time).
bool ensureUnicodeTable();
bool ensureBig5Table();
bool unicodeTableLoaded();
bool big5TableLoaded();

// One UTF-16 character in the internal code; 0 when the table has none (or is not loaded).
Unit unicodeToInternal(char16_t c);
// GB2312 stand-ins; kNoStandIn (0xFFFF) when none.
std::uint16_t gbkStandIn(unsigned lead, unsigned trail);
std::uint16_t big5StandIn(unsigned lead, unsigned trail);

// A hanzi: its pym.dat entry (a reading, or a polyphone number with bit 15). Another GBK
// character: its gbk.dat entry, 0xFFFE when it has none.
std::uint16_t readingOf(Unit u);
// Readings of a polyphone, the default first; empty for an unknown number.
std::vector<std::uint16_t> polyphoneReadings(int number);

struct PolyphoneWord {
  int length = 0;                // 2, 3 or 4 units
  std::array<Unit, 4> units{};  // one position holds the reading number instead of the character
};
std::vector<PolyphoneWord> polyphoneWords(int number);

// cz.dat: a hanzi's weight as a word of its own and the words it begins.
struct CzWord {
  int length = 0;            // 2, 3 or 4 characters
  std::array<Unit, 3> rest{};  // the characters after the first
  std::uint32_t value = 0;   // weight in the low 16 bits
};
std::uint16_t singleWeight(Unit hanzi);
std::vector<CzWord> wordsBeginningWith(Unit hanzi);
// Whether the hanzi begins words (bit 7 of its record).
bool beginsWords(Unit hanzi);
// The value of a listed word of 2 to 4 characters, looked up in place; false when not listed.
bool findWord(const Unit* chars, int length, std::uint32_t& value);

// Surname.dat: unit code of the character read as a surname; 0xFFFF when none.
std::uint16_t surnameCode(Unit u);
// hzprop.dat: property mask of a hanzi; 0 for any other character.
std::uint32_t hanziProperties(Unit u);

// symbol.dat: the reading text (internal code bytes) of a symbol; false when it has none.
bool symbolReading(Unit u, std::string_view& text);

// Unit files. Syllable codes 0-2099.
int syllableVariantCount(int code);
// Offset and length of one variant's recording; false when the entry lies outside the file.
bool syllableVariant(int code, int variant, std::uint32_t& offset, std::uint32_t& length);
// Eng4M.idx entry: its recording runs to the next entry's offset.
bool letterRecording(int entry, std::uint32_t& offset, std::uint32_t& length);
// Reads a recording (at most 12,000 bytes) from the open unit file.
bool readRecording(bool letterFile, std::uint32_t offset, std::uint32_t length, std::vector<std::uint8_t>& bytes);

}  // namespace speech
