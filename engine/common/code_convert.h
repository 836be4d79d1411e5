// Conversions between UTF-16, GB2312, the engine Chinese code and Shift-JIS.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/common/text_tokens.h"

namespace dbcs {

// The loaded CVDATA tables "GB-UNI" and "UNI-GB" (either may be missing).
struct ConversionTables {
  const std::uint8_t* gbUni = nullptr;   // 7,614 little-endian UTF-16 values
  const std::uint8_t* uniGb = nullptr;   // 7,478 records: code point (LE), GB lead, GB trail
  // The records of uniGb by code point (0: no code), made once for the program's own table; null for
  // tables given otherwise, which are searched.
  const std::uint16_t* uniGbByCodePoint = nullptr;
};

inline constexpr std::size_t kGbUniEntries = 7614;
inline constexpr std::size_t kUniGbRecords = 7478;
inline constexpr std::size_t kCw2JpEntries = 6768;
inline constexpr std::size_t kGbUniBytes = kGbUniEntries * 2;       // 15,228
inline constexpr std::size_t kUniGbBytes = kUniGbRecords * 4;       // 29,912
inline constexpr std::size_t kCw2JpBytes = 13539;                   // 6,768 codes and 3 unused bytes

// Looks up "GB-UNI" and "UNI-GB" of type "CVDATA"; a table of the wrong size counts as missing.
ConversionTables loadConversionTables();

// Table lookups as the conversions use them; 0 when there is no character or no table.
char16_t gbUniValue(const ConversionTables& tables, unsigned char lead, unsigned char trail);

// UTF-16 to GB2312; '?' for a character without a code. Returns bytes written.
std::size_t unicodeToGb(const ConversionTables& tables, std::string& out, std::u16string_view in);
// Whether GB2312 has a code for the character ('?' included).
bool gbHolds(const ConversionTables& tables, char16_t c);
// GB2312 to UTF-16; characters without a value are dropped. Returns characters read.
std::size_t gbToUnicode(const ConversionTables& tables, std::u16string& out, std::string_view in);

// GB2312 to engine code in place over buf[0, length); buf must hold length + 1 bytes.
// Writes a NUL after the result and returns its length.
std::size_t gbToInternal(const ConversionTables& tables, char* buf, std::size_t length);
std::size_t gbToInternal(const ConversionTables& tables, std::string& text);

// Engine code to GB2312. Returns bytes written.
std::size_t internalToGb(const ConversionTables& tables, std::string& out, std::string_view in);

// One engine-code character to Shift-JIS, in place; leaves at most two bytes. A hanzi without a
// Japanese kanji becomes a Shift-JIS user-defined code that names it (see unwrittenMarks).
void convertCwToJp(std::string& character);

// The hanzi CW2JP_TBL gives no kanji, each named by a user-defined code (U+E000 + k in Unicode).
struct UnwrittenMarks {
  std::vector<std::uint16_t> markOfIndex;  // by GB2312 hanzi index: its Shift-JIS code, or 0
  std::vector<std::uint16_t> gbOfMark;     // by k: the GB2312 code of the hanzi
};
std::shared_ptr<const UnwrittenMarks> unwrittenMarks();
// Puts each hanzi named by a user-defined code back in text (they stay hanzi: carried) and adds
// it to restored.
void restoreUnwrittenHanzi(const ConversionTables& tables, std::u16string& text, std::u16string& restored);
// Every character of an engine-code text to Shift-JIS.
void copyCwToJp(std::string_view in, std::string& out);
// The character the Japanese output shows for a GB2312 character that is no hanzi: its engine code
// written as Japanese. 0 for a hanzi, ASCII or a character without a GB2312 code; U+FFFD when the
// engine code reads as no single character.
char16_t japaneseOfGbSymbol(const ConversionTables& tables, char16_t c);
// Japanese stand-in for a sentence without a translation.
void convertSentenceFallback(std::string_view in, std::string& out);

// translateAround: engine/common/text_tokens.h.

// Releases a loaded resource table: nothing to do, always 0.
int unlockTable(const void* table);

}  // namespace dbcs
