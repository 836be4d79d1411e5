// Rules of the localiser phrases (a noun phrase closed by a localiser or a time word): the
// localiser's Japanese, the time marks on the phrase's head and the closing postposition.
#pragma once
#include "engine/cj/transfer/transfer_context.h"
#include "engine/common/word_table.h"

namespace cj {

// Word-table keys beside the localiser groups shared with the frame phrases.
inline constinit ListedKey kLpInside{"localiserPhrases.inside"};              // 1 + 7
inline constinit ListedKey kLpOutside{"localiserPhrases.outside"};            // 1 + 8
inline constinit ListedKey kLpInsideOutside{"localiserPhrases.insideOutside"};  // 0 + 2
inline constinit ListedKey kLpSince{"localiserPhrases.since"};                // 1 + 1
inline constinit ListedKey kLpBackVerbForms{"localiserPhrases.backVerbForms"};  // 3
// Nine time words; the first eight also match a localiser that begins with them.
inline constinit ListedKey kLpTimeWords{"localiserPhrases.timeWords"};

void dispatchLocaliserPhrase(CjTransferContext& c, int phrase);

}  // namespace cj
