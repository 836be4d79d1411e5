// Word-table keys of the role assignment and the predicate linking.
#pragma once

namespace cj::role_words {

inline constexpr const char* kNominalAdverbs = "roleAssignment.nominalAdverbs";  // ADVN of a following nominal
inline constexpr const char* kLogicWords = "roleAssignment.logicWords";          // LOG of a following nominal
inline constexpr const char* kFinalSkipWords = "roleAssignment.finalSkipWords";
inline constexpr const char* kFinalComplement = "roleAssignment.finalComplement";
inline constexpr const char* kComplementWord = "roleAssignment.complementWord";
inline constexpr const char* kAdverbialAdjectiveHeads = "roleAssignment.adjectiveSubjectHeads";
inline constexpr const char* kPlainPrepositions = "roleAssignment.plainPrepositions";
inline constexpr const char* kPassivePrepositions = "roleAssignment.passivePrepositions";
inline constexpr const char* kAdverbialPassives = "roleAssignment.adverbialPassivePrepositions";
inline constexpr const char* kNumberSubjectHeads = "roleAssignment.numberSubjectHeads";

inline constexpr const char* kListedGovernors = "predicateLinking.listedGovernors";
inline constexpr const char* kPivotWords = "predicateLinking.pivotWords";
inline constexpr const char* kMarkedPivotWords = "predicateLinking.markedPivotWords";

}  // namespace cj::role_words
