// Rules of the frame phrases (a preposition-like word, an object and a closing word): the
// localiser family, the source family with its span frames, and the two-part frames.
#pragma once
#include <string_view>

#include "engine/cj/transfer/transfer_context.h"

namespace cj {

// Word-table keys. A localiser group lists its one-character localiser first, then its
// two-character forms; where forms give their own text, words 1, 2, ... of the group give the
// texts in the order the rule names them.
inline constexpr const char* kFrameLocaliserPrepositions = "framePhrases.localiserPrepositions";  // 5
inline constexpr const char* kFrameSourcePrepositions = "framePhrases.sourcePrepositions";        // 2, one char
inline constexpr const char* kFrameDemonstrative = "framePhrases.demonstrative";                  // 1, two chars

inline constexpr const char* kLocUp = "framePhrases.up";              // 1 + 7: 以上, 上方, 上部
inline constexpr const char* kLocAbout = "framePhrases.about";        // 0 + 1
inline constexpr const char* kLocDown = "framePhrases.down";          // 1 + 8: 以下, 下方, 下部
inline constexpr const char* kLocFront = "framePhrases.front";        // 1 + 9: 前方, 前部
inline constexpr const char* kLocBack = "framePhrases.back";          // 1 + 7: 後方, 後部
inline constexpr const char* kLocAround = "framePhrases.around";      // 0 + 1
inline constexpr const char* kLocEast = "framePhrases.east";          // 1 + 7: 東方, 東部
inline constexpr const char* kLocWest = "framePhrases.west";          // 1 + 7
inline constexpr const char* kLocSouth = "framePhrases.south";        // 1 + 7
inline constexpr const char* kLocNorth = "framePhrases.north";        // 1 + 7
inline constexpr const char* kLocLeft = "framePhrases.left";          // 1 + 7
inline constexpr const char* kLocRight = "framePhrases.right";        // 1 + 7
inline constexpr const char* kLocInside = "framePhrases.inside";      // 1 + 6
inline constexpr const char* kLocOutside = "framePhrases.outside";    // 1 + 7
inline constexpr const char* kLocWithin = "framePhrases.within";      // 1 + 4
inline constexpr const char* kLocAmong = "framePhrases.among";        // 1 + 5
inline constexpr const char* kLocBetween = "framePhrases.between";    // 1 + 1
inline constexpr const char* kLocAspect = "framePhrases.aspect";      // 0 + 1
inline constexpr const char* kLocSide = "framePhrases.side";          // 1 + 4
inline constexpr const char* kLocWhen = "framePhrases.when";          // 1 + 7: 時期, 途中, と同時, existence
inline constexpr const char* kLocBefore = "framePhrases.before";      // 0 + 1
inline constexpr const char* kLocAfter = "framePhrases.after";        // 0 + 1
inline constexpr const char* kLocJudging = "framePhrases.judging";    // 0 + 2

inline constexpr const char* kUpUnmarked = "framePhrases.upUnmarked";          // 1, no time marks
inline constexpr const char* kUpPlainEndings = "framePhrases.upPlainEndings";  // 2, one char
inline constexpr const char* kDownUnmarked = "framePhrases.downUnmarked";      // 1
inline constexpr const char* kDownCompanyWord = "framePhrases.downCompanyWord";  // 1, one char
inline constexpr const char* kDownCompanion = "framePhrases.downCompanion";    // 1, two chars
inline constexpr const char* kFrontPastForms = "framePhrases.frontPastForms";  // 3
inline constexpr const char* kBackPastForms = "framePhrases.backPastForms";    // 3
inline constexpr const char* kWhenNegative = "framePhrases.whenNegative";      // 1

inline constexpr const char* kSourceAmong = "framePhrases.sourceAmong";        // 1 + 4
inline constexpr const char* kSourceStart = "framePhrases.sourceStart";        // 1 + 2
inline constexpr const char* kStartPairP = "framePhrases.startPairP";          // 6 pairs
inline constexpr const char* kStartPairE = "framePhrases.startPairE";
inline constexpr const char* kViewPairP = "framePhrases.viewPairP";            // 2 pairs
inline constexpr const char* kViewPairE = "framePhrases.viewPairE";
inline constexpr const char* kSpeakPairP = "framePhrases.speakPairP";          // 4 pairs
inline constexpr const char* kSpeakPairE = "framePhrases.speakPairE";
inline constexpr const char* kSpanFrom = "framePhrases.spanFrom";              // 2, one char
inline constexpr const char* kSpanEnd = "framePhrases.spanEnd";                // 2
inline constexpr const char* kSpanTo = "framePhrases.spanTo";                  // 2
inline constexpr const char* kSpanFrom2 = "framePhrases.spanFrom2";            // 2, one char
inline constexpr const char* kSpanTo2 = "framePhrases.spanTo2";                // 2

inline constexpr const char* kPairResponseP = "framePairs.responseP";          // 3: response, then standpoint
inline constexpr const char* kPairStandpointE = "framePairs.standpointE";      // 4
inline constexpr const char* kPairSpeakP = "framePairs.speakP";                // 2
inline constexpr const char* kPairSpeakE = "framePairs.speakE";                // 3
inline constexpr const char* kCompareP1 = "framePairs.compareP1";              // 10
inline constexpr const char* kCompareE1 = "framePairs.compareE1";              // 6
inline constexpr const char* kCompareP2 = "framePairs.compareP2";              // 13
inline constexpr const char* kCompareE2 = "framePairs.compareE2";              // 1
inline constexpr const char* kComparePairP = "framePairs.comparePairP";        // 43 pairs
inline constexpr const char* kComparePairE = "framePairs.comparePairE";
inline constexpr const char* kCompareE3 = "framePairs.compareE3";              // 1
inline constexpr const char* kCompareDiffer = "framePairs.compareDiffer";      // 2
inline constexpr const char* kCompareSame = "framePairs.compareSame";          // 5
inline constexpr const char* kTogetherP = "framePairs.togetherP";              // 6
inline constexpr const char* kTogetherE = "framePairs.togetherE";              // 4
inline constexpr const char* kPointFollowers = "framePairs.pointFollowers";    // 2
inline constexpr const char* kTimeFollower = "framePairs.timeFollower";        // 1
inline constexpr const char* kChanceFollowers = "framePairs.chanceFollowers";  // 2

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
