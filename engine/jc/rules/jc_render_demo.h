// The も / でも rule of the particle step, which the sentence-pattern rules also call: the word
// goes into kInclusive of the clause it stresses, or pairs with a closing も.
#pragma once
#include "engine/jc/core/jc_sentence.h"

namespace jc {

// Handles the も or でも at word i.
void renderDemo(JcSentence* s, int i);

namespace demo_keys {
inline constexpr const char* kEven = "renderDemo.even";                          // 2 bytes
inline constexpr const char* kAfterQuestionWord = "renderDemo.afterQuestionWord";  // 2 bytes
inline constexpr const char* kPairFirst = "renderDemo.pairFirst";                // 2 bytes
inline constexpr const char* kPairSecond = "renderDemo.pairSecond";              // 2 bytes, the closing も
}  // namespace demo_keys

}  // namespace jc
