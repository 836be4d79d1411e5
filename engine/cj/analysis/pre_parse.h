// The steps of the pre-parse (the driver, preParse, is in engine/cj/stages) and their keys.
#pragma once
#include <string_view>

#include "engine/cj/analysis/sentence.h"
#include "engine/common/word_table.h"

namespace cj {

// Word-table keys of the numeral lists.
inline constinit ListedKey kPreParseLeadWords{"preParse.leadWords"};
inline constinit ListedKey kPreParseNumeralsA{"preParse.numeralListA"};
inline constinit ListedKey kPreParseNumeralsB{"preParse.numeralListB"};
inline constinit ListedKey kPreParsePairs1{"preParse.pairList1"};
inline constinit ListedKey kPreParsePairs2{"preParse.pairList2"};
inline constinit ListedKey kPreParsePairs3{"preParse.pairList3"};
inline constinit ListedKey kPreParsePairs4{"preParse.pairList4"};
inline constinit ListedKey kPreParseRunC{"preParse.runListC"};
inline constinit ListedKey kPreParseRunD{"preParse.runListD"};  // the ASCII digits belong to it too
inline constinit ListedKey kPreParseRunStop{"preParse.runStop"};
// Words after "numeral 点 numeral" that make it a clock time, not a decimal (分, 钟, 半, 刻, 整).
inline constinit ListedKey kClockWords{"numeralRuns.clockWords"};

// Gives listed words next to numerals the category "U".
void tagNumeralWords(CjSentence& s);
// True when the two word texts form a numeral pair.
bool isNumeralWordPair(std::string_view first, std::string_view second);
// Restarts the chain at node 1 and runs the reduplication passes in order, then
// groupDecimalNumerals and groupNumeralRun.
void applyReduplicationPatterns(CjSentence& s);
// Wraps a numeral, a decimal point and a numeral followed by a measure word that is no clock word
// into one "UG" node (class '3', rule 32): 三点五公斤 reads 3.5, 三点五分 stays a time.
void groupDecimalNumerals(CjSentence& s);
// Wraps each run of numeral words into one "UG" node (class '3', rule 32).
void groupNumeralRun(CjSentence& s);

}  // namespace cj
