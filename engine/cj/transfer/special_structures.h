// Rules of the special structures the analysis marks by class byte and pattern number: names
// with a form of address ('1'), names and name compounds ('2') and fixed patterns ('3').
#pragma once
#include "engine/cj/transfer/transfer_context.h"
#include "engine/common/word_table.h"

namespace cj {

// Word-table keys of the listed words.
inline constinit ListedKey kSpecialHonorifics{"specialStructures.honorifics"};        // 3, one char: さん
inline constinit ListedKey kSpecialPersonWord{"specialStructures.personWord"};        // 1, one char
inline constinit ListedKey kSpecialHostWord{"specialStructures.hostWord"};            // 1, two chars
inline constinit ListedKey kSpecialMemberWords{"specialStructures.memberWords"};      // 2, one char: 員
// 4, one char: 性, 達, 者, 度(度合) in this order.
inline constinit ListedKey kSpecialSuffixWords{"specialStructures.suffixWords"};
inline constinit ListedKey kSpecialEachWord{"specialStructures.eachWord"};            // 1, one char (pattern 1)
inline constinit ListedKey kSpecialOneWord{"specialStructures.oneWord"};              // 1, one char (pattern 5)
inline constinit ListedKey kSpecialQuestionWord{"specialStructures.questionWord"};    // 1 (pattern 6: か)
inline constinit ListedKey kSpecialLittleWord{"specialStructures.littleWord"};        // 1 (pattern 6: すこし)
inline constinit ListedKey kSpecialPastWord{"specialStructures.pastWord"};            // 1 (pattern 13)
inline constinit ListedKey kSpecialEachDropWords{"specialStructures.eachDropWords"};  // 2, one char (pattern 14)
inline constinit ListedKey kSpecialNowWord{"specialStructures.nowWord"};              // 1 (pattern 17)
inline constinit ListedKey kSpecialSymbolWord{"specialStructures.symbolWord"};        // 1, one char (pattern 19)
inline constinit ListedKey kSpecialQuoteFollower{"specialStructures.quoteFollower"};  // 1 (pattern 19)
inline constinit ListedKey kSpecialRedupChar{"specialStructures.redupChar"};          // 1, one char (pattern 21)

void applySpecialStructure(CjTransferContext& c, int phrase);

}  // namespace cj
