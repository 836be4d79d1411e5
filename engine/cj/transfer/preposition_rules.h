// Rules of the preposition phrases: an ordered table of prepositions in groups, one rule per
// group, and the default rule that takes the postposition from the dictionary.
#pragma once
#include <array>
#include <string_view>

#include "engine/cj/transfer/transfer_context.h"
#include "engine/common/word_table.h"

namespace cj {

// The rules a preposition group runs.
enum class PrepositionRule {
  kNoPrepositionRule = 0,
  kFrom = 1, kAtTime, kAt, kUntil, kFacing, kCause, kThrough, kRiding, kFollowing, kRidingOn, kRidingIn,
  kBefore, kToward, kAlong, kAgainst, kByMeans, kLeaningOn, kByAgent, kDependingOn, kWith, kIn, kObject,
  kInLightOf, kUsing, kAbout, kAs, kConcerning, kRegarding, kForPurpose, kTogetherWith, kTo, kInOrderTo,
  kForSake, kComparedWith, kExcept, kUpTo, kEven, kEveryTime, kLike, kAccordingTo, kTowards,
};

// One group of the table: its word-table key, its size and the rule it runs.
struct PrepositionGroup {
  const char* key;
  int count;
  int minChars;
  int maxChars;
  PrepositionRule rule;
};

// The 44 groups in search order (149 words); a word listed twice is served by its first group.
extern const std::array<PrepositionGroup, 44> prepositionGroupTable;

// Further listed words of the rules.
inline constinit ListedKey kPrepExistNegative{"prepositionRules.existNegative"};    // 1, two chars
inline constinit ListedKey kPrepExistFollowers{"prepositionRules.existFollowers"};  // 2, one char
inline constinit ListedKey kPrepToward{"prepositionRules.toward"};                  // 1, one char
inline constinit ListedKey kPrepReason{"prepositionRules.reason"};                  // 2, two chars
inline constinit ListedKey kPrepAgent{"prepositionRules.agent"};                    // 1, one char
inline constinit ListedKey kPrepDegree{"prepositionRules.degree"};                  // 1, two chars
inline constinit ListedKey kPrepMuch{"prepositionRules.much"};                      // 1, two chars

// Rule of the first group listing the word; kNoPrepositionRule when none does.
PrepositionRule prepositionRuleOf(std::string_view word);
void dispatchPrepositionPhrase(CjTransferContext& c, int phrase);
void applyPrepositionDefault(CjTransferContext& c, int phrase);

}  // namespace cj
