// Rules of the frame phrases (a preposition-like word, an object and a closing word): the
// localiser family, the source family with its span frames, and the two-part frames.
#pragma once
#include <string_view>

#include "engine/cj/transfer/transfer_context.h"
#include "engine/common/word_table.h"

namespace cj {

// Word-table keys. A localiser group lists its one-character localiser first, then its
// two-character forms; where forms give their own text, words 1, 2, ... of the group give the
// texts in the order the rule names them.
inline constinit ListedKey kFrameLocaliserPrepositions{"framePhrases.localiserPrepositions"};  // 5
inline constinit ListedKey kFrameSourcePrepositions{"framePhrases.sourcePrepositions"};        // 2, one char
inline constinit ListedKey kFrameDemonstrative{"framePhrases.demonstrative"};                  // 1, two chars

inline constinit ListedKey kLocUp{"framePhrases.up"};              // 1 + 7: 以上, 上方, 上部
inline constinit ListedKey kLocAbout{"framePhrases.about"};        // 0 + 1
inline constinit ListedKey kLocDown{"framePhrases.down"};          // 1 + 8: 以下, 下方, 下部
inline constinit ListedKey kLocFront{"framePhrases.front"};        // 1 + 9: 前方, 前部
inline constinit ListedKey kLocBack{"framePhrases.back"};          // 1 + 7: 後方, 後部
inline constinit ListedKey kLocAround{"framePhrases.around"};      // 0 + 1
inline constinit ListedKey kLocEast{"framePhrases.east"};          // 1 + 7: 東方, 東部
inline constinit ListedKey kLocWest{"framePhrases.west"};          // 1 + 7
inline constinit ListedKey kLocSouth{"framePhrases.south"};        // 1 + 7
inline constinit ListedKey kLocNorth{"framePhrases.north"};        // 1 + 7
inline constinit ListedKey kLocLeft{"framePhrases.left"};          // 1 + 7
inline constinit ListedKey kLocRight{"framePhrases.right"};        // 1 + 7
inline constinit ListedKey kLocInside{"framePhrases.inside"};      // 1 + 6
inline constinit ListedKey kLocOutside{"framePhrases.outside"};    // 1 + 7
inline constinit ListedKey kLocWithin{"framePhrases.within"};      // 1 + 4
inline constinit ListedKey kLocAmong{"framePhrases.among"};        // 1 + 5
inline constinit ListedKey kLocBetween{"framePhrases.between"};    // 1 + 1
inline constinit ListedKey kLocAspect{"framePhrases.aspect"};      // 0 + 1
inline constinit ListedKey kLocSide{"framePhrases.side"};          // 1 + 4
inline constinit ListedKey kLocWhen{"framePhrases.when"};          // 1 + 7: 時期, 途中, と同時, existence
inline constinit ListedKey kLocBefore{"framePhrases.before"};      // 0 + 1
inline constinit ListedKey kLocAfter{"framePhrases.after"};        // 0 + 1
inline constinit ListedKey kLocJudging{"framePhrases.judging"};    // 0 + 2

inline constinit ListedKey kUpUnmarked{"framePhrases.upUnmarked"};          // 1, no time marks
inline constinit ListedKey kUpPlainEndings{"framePhrases.upPlainEndings"};  // 2, one char
inline constinit ListedKey kDownUnmarked{"framePhrases.downUnmarked"};      // 1
inline constinit ListedKey kDownCompanyWord{"framePhrases.downCompanyWord"};  // 1, one char
inline constinit ListedKey kDownCompanion{"framePhrases.downCompanion"};    // 1, two chars
inline constinit ListedKey kFrontPastForms{"framePhrases.frontPastForms"};  // 3
inline constinit ListedKey kBackPastForms{"framePhrases.backPastForms"};    // 3
inline constinit ListedKey kWhenNegative{"framePhrases.whenNegative"};      // 1

inline constinit ListedKey kSourceAmong{"framePhrases.sourceAmong"};        // 1 + 4
inline constinit ListedKey kSourceStart{"framePhrases.sourceStart"};        // 1 + 2
inline constinit ListedKey kStartPairP{"framePhrases.startPairP"};          // 6 pairs
inline constinit ListedKey kStartPairE{"framePhrases.startPairE"};
inline constinit ListedKey kViewPairP{"framePhrases.viewPairP"};            // 2 pairs
inline constinit ListedKey kViewPairE{"framePhrases.viewPairE"};
inline constinit ListedKey kSpeakPairP{"framePhrases.speakPairP"};          // 4 pairs
inline constinit ListedKey kSpeakPairE{"framePhrases.speakPairE"};
inline constinit ListedKey kSpanFrom{"framePhrases.spanFrom"};              // 2, one char
inline constinit ListedKey kSpanEnd{"framePhrases.spanEnd"};                // 2
inline constinit ListedKey kSpanTo{"framePhrases.spanTo"};                  // 2
inline constinit ListedKey kSpanFrom2{"framePhrases.spanFrom2"};            // 2, one char
inline constinit ListedKey kSpanTo2{"framePhrases.spanTo2"};                // 2

inline constinit ListedKey kPairResponseP{"framePairs.responseP"};          // 3: response, then standpoint
inline constinit ListedKey kPairResponseStandpointE{"framePairs.responseStandpointE"};  // 4
inline constinit ListedKey kPairSpeakP{"framePairs.speakP"};                // 2
inline constinit ListedKey kPairSpeakE{"framePairs.speakE"};                // 3
inline constinit ListedKey kCompareP1{"framePairs.compareP1"};              // 10
inline constinit ListedKey kCompareE1{"framePairs.compareE1"};              // 6
inline constinit ListedKey kCompareP2{"framePairs.compareP2"};              // 13
inline constinit ListedKey kCompareE2{"framePairs.compareE2"};              // 1
inline constinit ListedKey kComparePairP{"framePairs.comparePairP"};        // 43 pairs
inline constinit ListedKey kComparePairE{"framePairs.comparePairE"};
inline constinit ListedKey kCompareE3{"framePairs.compareE3"};              // 1
// The negation that closes a likeness frame (跟我不一样), the frame rule's own pair word.
inline constinit ListedKey kCompareNegation{"expressionFrames.frame5PairFirst"};
inline constinit ListedKey kCompareDiffer{"framePairs.compareDiffer"};      // 2
inline constinit ListedKey kCompareSame{"framePairs.compareSame"};          // 5
inline constinit ListedKey kTogetherP{"framePairs.togetherP"};              // 6
inline constinit ListedKey kTogetherE{"framePairs.togetherE"};              // 4
inline constinit ListedKey kPointFollowers{"framePairs.pointFollowers"};    // 2
inline constinit ListedKey kTimeFollower{"framePairs.timeFollower"};        // 1
inline constinit ListedKey kChanceFollowers{"framePairs.chanceFollowers"};  // 2

// The pair frames of the last step are tried in this order, each with the parallel keys
// "framePairs.<frame>P" and "framePairs.<frame>E" (pairs of any number): inclusion, noChange,
// exclusion, pointInTime, limit, time, standpoint, together (the two lists kTogetherP and
// kTogetherE), savingFace, headMark, hearsay, purpose, keptPreposition, unrelated, with, chance,
// related, dropped.

void dispatchFramePhrase(CjTransferContext& c, int phrase);
void applyLocaliserFrame(CjTransferContext& c, int phrase);
void applySourceFrame(CjTransferContext& c, int phrase);
void applySpanFrame(CjTransferContext& c, int phrase);
void applyFramePair(CjTransferContext& c, int phrase);

// Japanese of a localiser group's word: the group's own text for word 0 and the forms without
// one, the form's text otherwise; empty for a key that is not a localiser group.
std::string_view localiserText(std::string_view groupKey, std::string_view word);

}  // namespace cj
