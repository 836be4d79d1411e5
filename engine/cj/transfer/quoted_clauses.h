// Quoted clauses: the stretch between the quotation marks of a phrase is ordered as a small
// sentence with its own governor, and the marks are put back around it.
#pragma once
#include "engine/cj/transfer/transfer_context.h"

namespace cj {

void reanalyseQuotedClauses(CjTransferContext& c);
// Copy the header fields to savedHeader and back; nodeCount is saved but not restored.
void saveHeader(CjTransferContext& c);
void restoreHeader(CjTransferContext& c);
// The node's quote mark byte is 'l' or 'r'.
bool isQuoteMark(CjTransferContext& c, int n);
// The last node along nextSibling from firstTop.
int lastOfTopChain(CjTransferContext& c);

}  // namespace cj
