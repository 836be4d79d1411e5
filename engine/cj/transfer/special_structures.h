// Rules of the special structures the analysis marks by class byte and pattern number: names
// with a form of address ('1'), names and name compounds ('2') and fixed patterns ('3').
#pragma once
#include "engine/cj/transfer/transfer_context.h"

namespace cj {

// Word-table keys of the listed words.
inline constexpr const char* kSpecialHonorifics = "specialStructures.honorifics";        // 3, one char: さん
inline constexpr const char* kSpecialPersonWord = "specialStructures.personWord";        // 1, one char
inline constexpr const char* kSpecialHostWord = "specialStructures.hostWord";            // 1, two chars
inline constexpr const char* kSpecialMemberWords = "specialStructures.memberWords";      // 2, one char: 員
// 4, one char: 性, 達, 者, 度(度合) in this order.
inline constexpr const char* kSpecialSuffixWords = "specialStructures.suffixWords";
inline constexpr const char* kSpecialEachWord = "specialStructures.eachWord";            // 1, one char (pattern 1)
inline constexpr const char* kSpecialOneWord = "specialStructures.oneWord";              // 1, one char (pattern 5)
inline constexpr const char* kSpecialQuestionWord = "specialStructures.questionWord";    // 1 (pattern 6: か)
inline constexpr const char* kSpecialLittleWord = "specialStructures.littleWord";        // 1 (pattern 6: すこし)
inline constexpr const char* kSpecialPastWord = "specialStructures.pastWord";            // 1 (pattern 13)
inline constexpr const char* kSpecialEachDropWords = "specialStructures.eachDropWords";  // 2, one char (pattern 14)
inline constexpr const char* kSpecialNowWord = "specialStructures.nowWord";              // 1 (pattern 17)
inline constexpr const char* kSpecialSymbolWord = "specialStructures.symbolWord";        // 1, one char (pattern 19)
inline constexpr const char* kSpecialQuoteFollower = "specialStructures.quoteFollower";  // 1 (pattern 19)
inline constexpr const char* kSpecialRedupChar = "specialStructures.redupChar";          // 1, one char (pattern 21)

void applySpecialStructure(CjTransferContext& c, int phrase);

}  // namespace cj
