// The table JP2CW_TBL (type "CVDATA"): the engine Chinese code of each Japanese double-byte
// character of the Shift-JIS rows 0x87-0x9F and 0xE0-0xEF, derived through code pages 932 and 936.
#pragma once
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "tools/resgen/engine_code_tables.h"

namespace resgen {

// A 6-byte header, then 41 rows of 414 bytes; the cell of trail t is ((t - 0x40) / 16) * 17 +
// (t - 0x40) % 16. A kanji takes its own GB2312 code, else the code of its Chinese counterpart:
// the simplified form of a pair, the simplified character whose Japanese form it is
// (japaneseForms: simplified -> Japanese), or a Unihan variant (unihanVariants: the text of
// Unihan_Variants.txt) that GB2312 holds directly or through its simplified form; else the same
// through its older forms (unihanOtherMappings: the text of Unihan_OtherMappings.txt, its name-kanji,
// Joyo and EACC fields). A kanji without one and an unused cell hold 0x81AC.
std::string makeJp2CwTable(const std::vector<VariantPair>& pairs, const std::map<char16_t, char16_t>& japaneseForms = {},
                           std::string_view unihanVariants = {}, std::string_view unihanOtherMappings = {});
// Adds the pairs of a japanese_forms.txt text (simplified TAB Japanese) that forms lacks, also
// those whose simplified character code page 932 holds too.
void addListedForms(std::string_view listed, std::map<char16_t, char16_t>& forms);
// The Chinese counterpart (a GB2312 character) the table gives a kanji, or 0 for the mark.
char16_t chineseCounterpart(char16_t kanji, const std::vector<VariantPair>& pairs,
                            const std::map<char16_t, char16_t>& japaneseForms, std::string_view unihanVariants,
                            std::string_view unihanOtherMappings = {});

}  // namespace resgen
