// Template expansion: the Chinese words around each reference of a phrase's template go into the
// referenced node's slots, and the template becomes the ordered list of the phrase's dependents
// ("12+9+14"), from which the ordering step takes them.
#pragma once
#include "engine/jc/core/jc_sentence.h"

namespace jc {

// The two localiser words that "[LOC]" puts after a place marked '1' or '2', in that order.
inline constexpr const char* kLocaliserWordsKey = "templateExpansion.localisers";

// Expands the template of every target, then gives every governor of a relation its "GOV" item.
// False when a "GOV" item could not be allocated (the others are still added).
bool expandAllTemplates(JcSentence* record);

// Expands target i's template in place; nothing when it is empty. A dependent list longer than
// the field is cut at a whole index and sets the record's listCut.
void expandTemplate(JcSentence* record, int i);

}  // namespace jc
