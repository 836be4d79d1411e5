// The "て" ending put on a verb that another verb's frame governs: the verb's text (or each
// candidate) is conjugated in its form and turned into its te-form.
#pragma once
#include "engine/cj/transfer/transfer_context.h"

namespace cj {

// Attaches "て" to the word that heads node n; n's form becomes 'z' and its tense 'A', and the
// head's modality block is cleared (neg1 stays).
void attachTeEnding(CjTransferContext& c, int n);

}  // namespace cj
