// The Japanese-to-Chinese sentence record: source nodes, their Chinese target nodes, the two link
// lists and the walk state of ordering and output.
#pragma once
#include <cstdint>
#include <type_traits>

#include "engine/jc/core/jc_text.h"

namespace jc {

inline constexpr int kJcMaxNodes = 300;
inline constexpr int kJcLabelCount = 27;        // D1..D27
inline constexpr int kJcSlotCount = 18;         // slot 0..17
inline constexpr int kJcSlotSourceCount = 15;
inline constexpr int kJcOutputSize = 1024;
inline constexpr int kJcPendingCount = 4;

struct JcCandidate {
  FixedText<80> chinese;
  FixedText<6> valency;
  FixedText<5> extra;
  JcCandidate* next;
};

struct JcLink {
  char claimMark;  // '*' once claimed
  std::uint8_t active;
  int governor;
  int dependent;
  FixedText<12> label;
  int carriedFlag;
  JcLink* next;  // null on the sentinel
};

struct JcOrderCursor {
  int node;
  int visited;
  std::uint8_t placed;
  JcOrderCursor* next;
  int templatePosition;
};

struct JcOrderItem {
  int node;
  JcOrderItem* next;
};

struct JcSnapshot {
  int firstTopTarget;
  int lastTopTarget;
  int defaultRelationTarget;
};

struct JcNode {
  FixedText<20> sentenceId;
  FixedText<64> surface;   // stem plus the longest ending
  FixedText<64> baseForm;
  char classChar;
  FixedText<10> pos;
  FixedText<3> subPos;
  FixedText<3> conjType;
  FixedText<3> conjForm;
  FixedText<16> semCodes;  // a dictionary record's 13 bytes of codes fit
  FixedText<40> sFeatures;
  std::uint8_t isPhrase;
  int headPhrase;
  FixedText<5> depLabel;
  FixedText<12> usageCode;  // "MADE10" and the like fit whole
  FixedText<5> jCode;
  FixedText<41> abFeatures;
  int parent, firstChild, lastChild, prevSibling, nextSibling;
  int head;
  int labelHeads[kJcLabelCount];
};

struct JcTargetNode {
  std::uint8_t live;
  std::uint16_t flags;
  char aspectA, aspectB;
  char kind;
  FixedText<80> headText;
  FixedText<50> headText2;
  FixedText<50> text3;
  FixedText<50> text4;
  FixedText<23> text5;
  int slotSource[kJcSlotSourceCount];
  FixedText<50> slot0;
  FixedText<20> slots[kJcSlotCount];  // slot 1..17; slots[0] is unused (slot 0 is slot0)
  FixedText<6> code;
  JcCandidate* candidates;
  FixedText<50> templateText;  // `template`
  FixedText<10> relation;
  FixedText<11> mark;
  int parent, firstChild, lastChild, prevSibling, nextSibling, headChild;
  int headLinked;
};

struct JcSentence {
  JcNode nodes[kJcMaxNodes];
  int lastNode;
  int firstTop;
  int lastTop;
  int lastMorpheme;
  int rootPhrase;
  JcLink* dependencyList;
  JcTargetNode targets[kJcMaxNodes];
  FixedText<kJcOutputSize> output;
  int lastTarget;
  int firstTopTarget, lastTopTarget;
  int defaultRelationTarget;
  JcOrderCursor* orderCursor;
  JcOrderItem* orderList;
  JcOrderItem* orderListTail;
  JcLink* relationAgenda;
  JcSnapshot* snapshot;
  int pendingFrom[kJcPendingCount];
  int pendingTo[kJcPendingCount];
  FixedText<4> pendingText[kJcPendingCount];
  int slotOverride;
  std::uint8_t listCut;  // a node's dependents did not all fit its index list
};

static_assert(std::is_trivially_copyable_v<JcSentence>);

// Slot k of a target (0..17); slot 0 is 50 bytes, the others 20.
std::string_view targetSlot(const JcTargetNode& t, int k);
// Writes slot k, bounded at a character boundary; false when k is out of range or the text was cut.
bool setTargetSlot(JcTargetNode& t, int k, std::string_view text);
// Entry of `slotSource` that records who filled slot k; -1 when the slot has none.
int slotSourceEntry(int slot);

// Zeroes the whole record (the per-sentence reset before initJcSentence). Frees nothing.
void zeroJcSentence(JcSentence* record);

enum JcInitStatus { kJcInitOk = 0, kJcInitNoMemory = -1 };
// On a zeroed record: the list sentinels, the snapshot, every node and target.
JcInitStatus initJcSentence(JcSentence* record);
void initTargetNode(JcSentence* record, int i);
// Next free target index, initialised; 0 ("no node") when all 300 are in use.
int newTargetNode(JcSentence* record);
// Next free source node index (raises lastNode); 0 when all 300 are in use.
int newJcNode(JcSentence* record);
void releaseJcLists(JcSentence* record);
void freeCandidates(JcTargetNode& target);
void freeAllCandidates(JcSentence* record);
void releaseJcSentence(JcSentence* record);
void clearLinkBlock(JcSentence* record, int i);

// Appends a candidate at the end of target i's list; null when i is out of range or memory runs out.
JcCandidate* appendCandidate(JcSentence* record, int i, std::string_view chinese, std::string_view valency,
                             std::string_view extra);

// Position of D1..D27 in `labelHeads` (0..26); -1 for any other label.
int labelHeadIndex(std::string_view label);

bool isTargetLeaf(const JcSentence* record, int i);
int targetFirstLeaf(const JcSentence* record, int i);
int targetLastLeaf(const JcSentence* record, int i);
int targetLexicalHead(const JcSentence* record, int i);
int findSurfaceBeforeTargetEnd(const JcSentence* record, int i, std::string_view text);

}  // namespace jc
