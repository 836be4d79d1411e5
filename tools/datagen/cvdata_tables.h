// Writers of the conversion tables "GB-UNI", "UNI-GB" and "CW2JP_TBL" (resource type "CVDATA").
#pragma once
#include <map>
#include <string>
#include <string_view>

namespace datagen {

// 7,614 little-endian UTF-16 values of the GB2312 rows 0xA1-0xA9 and 0xB0-0xF7 (code page 936).
std::string makeGbUniTable();
// The inverse of the non-zero GB-UNI entries: code point (LE), lead, trail; ascending.
std::string makeUniGbTable();
// The readable sources of the Japanese forms of simplified characters: Unihan's variant and
// other-mapping fields (text of Unihan_Variants.txt and Unihan_OtherMappings.txt), the project's
// simplified-to-traditional pairs (chinese_variants.txt) and its list of further pairs
// (japanese_forms.txt).
struct JapaneseFormSources {
  std::string_view unihanVariants;
  std::string_view unihanOtherMappings;
  std::string_view chineseVariants;
  std::string_view japaneseForms;
};

// For each character without a code-page-932 form, the Japanese character that stands for it:
// the listed pair first; else among its traditional forms, their Japanese twins (EACC, the
// name-kanji field), and the Z and semantic variants of it and of its traditional forms, those of
// code page 932, a Joyo kanji before the others.
std::map<char16_t, char16_t> japaneseForms(const JapaneseFormSources& sources);

// 13,973 little-endian UTF-16 values of the Big5 lead bytes 0xA1-0xF9, 157 trail bytes each
// (0x40-0x7E, then 0xA1-0xFE) through code page 950; 0 where it has no character.
std::string makeB5UniTable();
// Shift-JIS code (lead first) of each hanzi from 0xB0A1 on through code page 932, or through its
// Japanese form when `forms` gives one; 0x8140 for a hanzi without a Japanese form. 13,539 bytes.
std::string makeCwToJpTable(const std::map<char16_t, char16_t>* forms = nullptr);

// Registers the three tables as resources of the running program.
void registerConversionTables();

}  // namespace datagen
