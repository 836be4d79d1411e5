// Rule helpers that the predicate library shares with the rule families: the usage code of a
// word's phrase, the handling of a negation word, and the reading of a か.
#pragma once
#include <source_location>
#include <string>
#include <string_view>

#include "engine/jc/core/jc_sentence.h"

namespace jc {

// Usage code of node i, or of its target's parent when target i is a leaf, when that node is
// still live; otherwise empty.
void copyUsageCode(const JcSentence* s, int i, std::string& out);

// Handles negation word i (found by findNegation): clears bit 0 of the flags of target i and of
// its parent's target, retires i and, for あり/有り + ませ + ん after an adjective, the whole
// expression (answer 1, the adjective's first candidate marked ";@"); after で answers 1; after
// a nominal + では or a nominal + particle writes the negating prefix into slot 12 of the
// nominal's phrase. Every other case answers 0.
int ruleArimasen(JcSentence* s, int i, const std::source_location& where = std::source_location::current());

// Codes of translateKaDouka; the particle rule acts on them. Retire the か: "1", "2", "3H",
// "4H". Write the code's rendering into slot 17 of the か: "3M", "4M". Write the code's
// rendering into slot 1 of the か's maximal projection and retire the two words after it: "5".
inline constexpr std::string_view kKaQuestionWordBefore = "1";  // 誰か, 何か
inline constexpr std::string_view kKaOther = "2";               // any other か
inline constexpr std::string_view kKaSecondOfPair = "3H";       // the second か of AかBか
inline constexpr std::string_view kKaBeforeQuestionWord = "4H"; // か directly before a question word
inline constexpr std::string_view kKaFirstOfPair = "3M";        // the first か of AかBか: 'or' of a choice
inline constexpr std::string_view kKaBetweenNominals = "4M";    // AかB: 'or' of two nominals
inline constexpr std::string_view kKaDouka = "5";               // かどうか: whether

// The code for word i with the given surface; empty unless i >= 1 and the surface is か, and
// empty when a second か stands after nominals of phrases that are not neighbours.
void translateKaDouka(const JcSentence* s, int i, std::string_view surface, std::string& out);
// The Chinese rendering (engine code) that a code writes; empty for the codes that only retire.
const std::string& kaDoukaRendering(std::string_view code);

}  // namespace jc
