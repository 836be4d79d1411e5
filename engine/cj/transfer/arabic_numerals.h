// Numeral spans written in Arabic digits: the action item "INTOARB()" and the fallback for
// numeral words without a dictionary entry.
#pragma once
#include "engine/cj/transfer/transfer_context.h"

namespace cj {

inline constexpr const char* kSpecialNumerals = "arabicNumerals.specialWords";        // 12, two chars
inline constexpr const char* kReadingPairFollowers = "arabicNumerals.pairFollowers";  // 2
inline constexpr const char* kNoPairNumerals = "arabicNumerals.noPairWords";          // 3, two chars
inline constexpr const char* kOneOrTwoWord = "arabicNumerals.oneOrTwo";               // "一両" / "1、2"
inline constexpr const char* kOneOrTwoStop = "arabicNumerals.oneOrTwoStop";
inline constexpr const char* kTwoOrThreeWord = "arabicNumerals.twoOrThree";  // "三両" / "2、3"
inline constexpr const char* kTwoOrThreeStop = "arabicNumerals.twoOrThreeStop";
inline constexpr const char* kPlainBeforeNumeral = "arabicNumerals.plainBefore";  // f - 1 gives flag 0
inline constexpr const char* kSplitTailExtra = "arabicNumerals.splitTailExtra";
inline constexpr const char* kSplitUnitWord = "arabicNumerals.splitUnit";
inline constexpr const char* kApproximateWord = "arabicNumerals.approximate";  // "数(何)"
inline constexpr const char* kRunEndExtra = "arabicNumerals.runEndExtra";      // 2 more run-ending words
inline constexpr const char* kPointWords = "arabicNumerals.pointWords";        // "."
inline constexpr const char* kFractionWord = "arabicNumerals.fraction";        // "分", two chars
inline constexpr const char* kOfWord = "arabicNumerals.of";                    // "の"
inline constexpr const char* kTenthWord = "arabicNumerals.tenth";              // "割"

// Bytes of Japanese one node of the span takes before the text goes on in the next node.
inline constexpr std::size_t kArabicChunk = 46;

// Rewrites the words of node's span as one Arabic numeral text; 1 when a text was written.
int convertToArabic(CjTransferContext& c, int node);

}  // namespace cj
