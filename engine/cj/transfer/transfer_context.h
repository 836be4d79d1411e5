// The Chinese-to-Japanese transfer's record of one sentence: the analysed sentence, one
// Japanese-side target node per sentence node at the same index, the Japanese result and the
// working lists of the transfer.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/analysis/sentence.h"
#include "engine/cj/transfer/modalities.h"

namespace cj {

// One Japanese translation read from a dictionary line.
struct CjCandidate {
  char flag = 1;
  char kind = '0';
  FixedText<80> text;
  char spare = 0;
  FixedText<6> code;
  char frame = 0;   // case-frame character
  char frame2 = 0;  // 'G' marks a question word
};

struct CjTargetNode : CjModalities {
  char alive = 1;
  char keepEllipsis = 0;
  char ruleFlag1 = 1;  // still needs a dictionary translation
  char ruleFlag2 = 1;  // 0: predicate generation leaves the text alone
  char ruleFlag3 = 0;
  char buding = 0;
  char chuanwen = 0;
  char yangtai = 0;
  char yinggai = 0;
  char vform = 'z';
  FixedText<50> prefixText;
  FixedText<80> japanese;
  FixedText<8> jcat;
  std::vector<CjCandidate> candidates;
  char caseOpen = 1;
  FixedText<80> att;
  char joinWithNo = 0;
  // Links hold every index of the 300 slots.
  std::int16_t parent = 0;
  std::int16_t firstChild = 0;
  std::int16_t lastChild = 0;
  std::int16_t prevSibling = 0;
  std::int16_t nextSibling = 0;
  std::int16_t headChild = 0;
  std::int16_t substitute = 0;
};

struct CjTransferFrame {
  std::int32_t node = 0;
  std::int32_t childCounter = 0;
  char done = 0;  // '*' once entered into the order list
  FixedText<11> label;
};

struct CjOrderItem {
  std::int32_t node = 0;
  FixedText<12> label;
};

// What a line carries from one sentence to the next.
struct CjLineState {
  // The reporting clause: 0 nothing held, 1 governed by a reporting verb, 2 Japanese held back,
  // 7 quoted sentence.
  std::int32_t reportingVerbState = 0;
};

struct CjTransferContext : CjSentenceHeader {
  CjSentence* sentence = nullptr;
  std::vector<CjRoleLink>* roleLinks = nullptr;
  CjSentenceSummary* summary = nullptr;
  std::vector<CjRoleLink*> linkCopy;  // the role links in reverse order
  std::array<CjTargetNode, kMaxNodes> targets{};
  CjTargetNode scratch;  // where a write aimed at node 0 or past the nodes goes
  std::string result;
  CjLineState line;  // the line's state, handed back to the driver after the sentence
  std::vector<CjTransferFrame> frameStack;  // back() is the top
  std::vector<CjOrderItem> orderList;
  std::unique_ptr<CjSentenceSummary> savedHeader;
  bool targetsSetUp = false;  // false while the targets are as constructed
  // Of a context kept for the next sentence: the targets above this one are as a setup over a slot
  // no sentence used leaves them.
  std::int32_t targetsInUse = kMaxNodes - 1;
};

// The engine the context's sentence is translated by.
inline CjEngine& engineOf(const CjTransferContext& c) { return *c.sentence->engine; }

// Allocates a context over a sentence, its role links and summary, and sets up its target nodes;
// null (after the out-of-memory message) when it cannot be allocated.
std::unique_ptr<CjTransferContext> makeTransferContext(CjSentence& sentence, std::vector<CjRoleLink>& links,
                                                       CjSentenceSummary& summary);

// Header from the summary, links and defaults of all 300 target nodes (of a kept context, of those
// up to the ones its last sentence or this one uses: the rest hold them still).
void initTargetNodes(CjTransferContext& c);
// Ends a context's sentence and notes how many of its targets the sentence used, so that the next
// sentence set up in it resets only those.
void noteTargetsInUse(CjTransferContext& c);
// Defaults of a node a rule adds.
void resetTargetNode(CjTransferContext& c, int i);
// Takes index nodeCount + 1 for a new node and resets it; 0 when the slots are full.
int addTargetNode(CjTransferContext& c);

void insertTargetNode(CjTransferContext& c, int node, int before, int after);
void unlinkTargetNode(CjTransferContext& c, int node);
void swapTargetNodes(CjTransferContext& c, int a, int b);
// Index 0, an index above the node count, or a node with neither first nor last child.
bool isTargetWord(const CjTransferContext& c, int i);
// The word that heads node i (i itself when dropped; 0 when a step finds no child).
int targetHead(const CjTransferContext& c, int i);

void freeCandidateLists(CjTransferContext& c, int i);
void freeOrderList(CjTransferContext& c);
void freeFrameStack(CjTransferContext& c);
// Releases the lists and texts of the context.
void freeTransferContext(CjTransferContext& c);
// The same, and the record itself when bit 0 of flags is set.
void freeTransferContext(std::unique_ptr<CjTransferContext>& c, int flags);

// Appends node i's att or prefixText to the result when not empty.
void appendAttToResult(CjTransferContext& c, int i);
void appendPrefixToResult(CjTransferContext& c, int i);

// The translator's out-of-memory message.
void showTransferOutOfMemory();

// The sentence node behind index i, or null outside the slots.
const CjNode* sourceNode(const CjTransferContext& c, int i);
// The target node at index i, or null outside the slots.
CjTargetNode* targetNode(CjTransferContext& c, int i);

// What the rules read and write through: the sentence node i, an empty node for node 0 and
// indices outside the slots; the same with the anchor node 0 read as it stands; the target node
// i, null for node 0 and outside the slots (writes to them are ignored).
const CjNode& node(const CjTransferContext& c, int i);
const CjNode& slotNode(const CjTransferContext& c, int i);
CjTargetNode* writable(CjTransferContext& c, int i);

}  // namespace cj
