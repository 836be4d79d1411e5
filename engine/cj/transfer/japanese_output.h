// The entry of the Chinese-to-Japanese transfer: one context per sentence, the structural
// transfer, and the walk that writes the Japanese sentence.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "engine/cj/transfer/transfer_context.h"

namespace cj {

// engineStatus of a sentence that ran out of memory.
inline constexpr int kStatusOutOfMemory = 9;

// Gives output the Japanese of the sentence, reading and updating the state of its line; on
// failure output is unchanged and engineStatus tells why.
void generateJapanese(CjSentence* sentence, std::vector<CjRoleLink>* roleLinks, CjSentenceSummary* summary,
                      std::u16string& output, CjLineState& line);
// Sets up a fresh context; false after the out-of-memory message, with what was made freed.
bool initTransferContext(CjTransferContext& c, CjSentence* sentence, std::vector<CjRoleLink>* roleLinks,
                         CjSentenceSummary* summary);
void writeJapaneseOutput(CjTransferContext& c);
void walkTargetTree(CjTransferContext& c, int n);
bool frameStackEmpty(const CjTransferContext& c);
// The next child of the top frame's node; 0 when its chain has ended.
int nextFrameChild(CjTransferContext& c);
void renderWord(CjTransferContext& c, int i);
// A question mark after governor g is written "か？".
bool questionNeedsKa(CjTransferContext& c, int g);

// Fail points of the transfer context and of the walk lists (frame stack and order list).
inline constexpr std::string_view kContextFailPoint = "cj.transfer.context";
inline constexpr std::string_view kWalkListsFailPoint = "cj.transfer.walkLists";

}  // namespace cj
