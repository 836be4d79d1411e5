// Preparation of a Shift-JIS line before analysis: blanks, look-alike kana, half-width forms,
// and the conversion of Japanese characters to the engine Chinese code (JP2CW_TBL).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/resources.h"
#include "engine/common/dbcs_text.h"

namespace jc {

inline constexpr std::size_t kJp2CwHeaderSize = 6;
inline constexpr std::size_t kJp2CwRowSize = 414;
inline constexpr std::size_t kJp2CwRows = 41;
inline constexpr std::size_t kJp2CwTableSize = kJp2CwHeaderSize + kJp2CwRows * kJp2CwRowSize;  // 16,974
inline constexpr unsigned kJpReplacementChar = 0x81AC;

bool isFullWidthKatakana(unsigned char lead, unsigned char trail);

// Each run of blanks shrinks to its first blank, kept only next to a Latin letter and never at
// the end. The output is never longer than the input.
void normalizeSpaces(const char* input, char* output);

// Look-alikes take the script of their neighbours; ASCII becomes full-width. Writes at most
// outputSize - 1 bytes and a NUL; -1 when the result would not fit.
int harmonizeKanaScript(char* output, const char* input, int length, int outputSize);

// Half-width katakana to full-width with merged sound marks; other single bytes as
// widenSingleByte. Writes at most outputSize - 1 bytes and a NUL; -1 when the result would not fit.
int widenHalfWidthKana(char* output, const char* input, int length, int outputSize);

// pair[0] is a half-width katakana byte, pair[1] the byte after it. Writes the full-width form
// into pair; 1 when pair[1] was a sound mark merged into it, else 0.
int widenKanaWithMark(unsigned char pair[2]);
// 2 when a double-byte form was written into pair, 1 when the byte stays as it is.
int widenSingleByte(unsigned char b, unsigned char pair[2]);

// The three filters in order (normalizeSpaces, harmonizeKanaScript, widenHalfWidthKana) from a
// Shift-JIS line into output; the result length, or -1 when it would not fit in outputSize bytes.
int prepareJapaneseLine(std::string_view line, char* output, int outputSize);

// Full-width ASCII back to single bytes, but for ￥ and ‘ (in ASCII \ and `, other signs), ＆ (a
// mark in renderings) and a ’ or ” that closes a kept ‘ or “ (a pair stays a pair); returns the
// output length. `before` is the text ahead of the input, whose marks may still be open.
int narrowAscii(char* output, const char* input, int length, std::string_view before = {});
std::string narrowAscii(std::string_view input, std::string_view before = {});

// The loaded JP2CW_TBL.
struct Jp2CwTable {
  plat::ResourceData data;
};

// A symbol GB2312 lacks and the character of the same meaning written for it in Chinese.
struct SymbolCounterpart {
  char16_t symbol;
  char16_t counterpart;
};
// The counterpart of such a symbol, 0 when none is listed.
char16_t closeSymbolCounterpart(char16_t symbol);
// Whether a Shift-JIS symbol (lead 0x81-0x86, row 13) has neither its own engine code nor a close
// counterpart's: the engine writes the replacement mark for it, and callers carry it through.
bool jpSymbolHasNoEngineCode(unsigned code);

// Whether a character reaches the Japanese-to-Chinese engine as itself: Shift-JIS has it and, for a
// symbol, the engine code has it or a close counterpart; a user-defined character never. Callers carry
// any other character through.
bool engineHoldsJapaneseChar(char16_t c);
// Whether a kanji has no Chinese code: the engine writes the replacement mark 〓 for it where no
// word of its dictionary renders it.
bool kanjiLacksChineseCode(char16_t c);

// Shift-JIS IBM-extension codes (0xFA40-0xFC4B) to their NEC or row-13 codes; 0x8140 for none.
unsigned mapIbmExtension(unsigned code);
// One Shift-JIS character to engine code (lead * 256 + trail): a symbol as the same character in
// GB2312 or its close counterpart, a kanji through JP2CW_TBL; 0x81AC when there is none.
unsigned convertJpCharToEngine(const Jp2CwTable& table, unsigned char lead, unsigned char trail);
// Each double-byte character converted, single bytes copied.
void convertJpToEngineCode(const Jp2CwTable& table, std::string_view input, std::string& output);

// Finds JP2CW_TBL (type "CVDATA"); a table of the wrong size counts as missing.
void loadJp2CwTable(Jp2CwTable* holder);

}  // namespace jc
