// Numeral spans written in Arabic digits: the action item "INTOARB()" and the fallback for
// numeral words without a dictionary entry.
#pragma once
#include "engine/cj/transfer/transfer_context.h"
#include "engine/common/word_table.h"

namespace cj {

inline constinit ListedKey kSpecialNumerals{"arabicNumerals.specialWords"};        // 12, two chars
inline constinit ListedKey kReadingPairFollowers{"arabicNumerals.pairFollowers"};  // 2
inline constinit ListedKey kNoPairNumerals{"arabicNumerals.noPairWords"};          // 3, two chars
inline constinit ListedKey kOneOrTwoWord{"arabicNumerals.oneOrTwo"};               // "一両" / "1、2"
inline constinit ListedKey kOneOrTwoStop{"arabicNumerals.oneOrTwoStop"};
inline constinit ListedKey kTwoOrThreeWord{"arabicNumerals.twoOrThree"};  // "三両" / "2、3"
inline constinit ListedKey kTwoOrThreeStop{"arabicNumerals.twoOrThreeStop"};
inline constinit ListedKey kPlainBeforeNumeral{"arabicNumerals.plainBefore"};  // f - 1 gives flag 0
inline constinit ListedKey kSplitTailExtra{"arabicNumerals.splitTailExtra"};
inline constinit ListedKey kSplitUnitWord{"arabicNumerals.splitUnit"};
inline constinit ListedKey kApproximateWord{"arabicNumerals.approximate"};  // "数(何)"
inline constinit ListedKey kRunEndExtra{"arabicNumerals.runEndExtra"};      // 2 more run-ending words
inline constinit ListedKey kPointWords{"arabicNumerals.pointWords"};        // "."
inline constinit ListedKey kFractionWord{"arabicNumerals.fraction"};        // "分", two chars
inline constinit ListedKey kOfWord{"arabicNumerals.of"};                    // "の"
inline constinit ListedKey kTenthWord{"arabicNumerals.tenth"};              // "割"
// Words before a numeral that make it a share: 百分之 (パーセント), 千分之 (パーミル), in that order.
inline constinit ListedKey kPercentWords{"arabicNumerals.percentWords"};

// Bytes of Japanese one node of the span takes before the text goes on in the next node.
inline constexpr std::size_t kArabicChunk = 46;

// Rewrites the words of node's span as one Arabic numeral text; 1 when a text was written.
int convertToArabic(CjTransferContext& c, int node);

}  // namespace cj
