// Named-entity tests on a node (person and place names, places, persons and organisations) and
// the fixed translations of pronoun-like words.
#pragma once
#include "engine/cj/transfer/transfer_context.h"

namespace cj {

// Each first gives the node a translation when it has neither text nor candidates.
int isPersonName(CjTransferContext& c, int node);
int isPlaceName(CjTransferContext& c, int node);
int isPlaceWord(CjTransferContext& c, int node);
int isPersonOrOrganisationWord(CjTransferContext& c, int node);
// A word that names a person or an animal: a sense with the animate or human semantic code, or a
// translation counted as living things are.
int hasAnimateSubjectWord(CjTransferContext& c, int node);

// 1 when it gave the node a fixed translation.
int translateDeterminer(CjTransferContext& c, int node);

}  // namespace cj
