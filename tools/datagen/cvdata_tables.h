// Writers of the conversion tables "GB-UNI", "UNI-GB", "B5-UNI" and "CW2JP_TBL" (resource type "CVDATA").
#pragma once
#include <string>

namespace datagen {

// 7,614 little-endian UTF-16 values of the GB2312 rows 0xA1-0xA9 and 0xB0-0xF7 (code page 936).
std::string makeGbUniTable();
// The inverse of the non-zero GB-UNI entries: code point (LE), lead, trail; ascending.
std::string makeUniGbTable();
// 13,973 little-endian UTF-16 values of the Big5 lead bytes 0xA1-0xF9, 157 trail bytes each
// (0x40-0x7E, then 0xA1-0xFE) through code page 950; 0 where it has no character.
std::string makeB5UniTable();
// Shift-JIS code (lead first) of each hanzi from 0xB0A1 on through code page 932;
// 0x8140 for a hanzi without a Japanese form. 13,539 bytes.
std::string makeCwToJpTable();

// Registers the four tables as resources of the running program.
void registerConversionTables();

}  // namespace datagen
