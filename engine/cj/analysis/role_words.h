// Word-table keys of the role assignment and the predicate linking.
#pragma once
#include "engine/common/word_table.h"

namespace cj::role_words {

inline constinit ListedKey kNominalAdverbs{"roleAssignment.nominalAdverbs"};  // ADVN of a following nominal
inline constinit ListedKey kLogicWords{"roleAssignment.logicWords"};          // LOG of a following nominal
inline constinit ListedKey kFinalSkipWords{"roleAssignment.finalSkipWords"};
inline constinit ListedKey kFinalComplement{"roleAssignment.finalComplement"};
inline constinit ListedKey kComplementWord{"roleAssignment.complementWord"};
inline constinit ListedKey kAdverbialAdjectiveHeads{"roleAssignment.adjectiveSubjectHeads"};
inline constinit ListedKey kPlainPrepositions{"roleAssignment.plainPrepositions"};
inline constinit ListedKey kPassivePrepositions{"roleAssignment.passivePrepositions"};
inline constinit ListedKey kAdverbialPassives{"roleAssignment.adverbialPassivePrepositions"};
inline constinit ListedKey kNumberSubjectHeads{"roleAssignment.numberSubjectHeads"};

inline constinit ListedKey kListedGovernors{"predicateLinking.listedGovernors"};
inline constinit ListedKey kPivotWords{"predicateLinking.pivotWords"};
inline constinit ListedKey kMarkedPivotWords{"predicateLinking.markedPivotWords"};

}  // namespace cj::role_words
