// The slots of a Chinese clause: what each of a target node's 18 slots holds, declared in the
// order the output writes them (slot 17, the head word, last). The value is the slot's index in
// the target node.
#pragma once
#include <string_view>

#include "engine/jc/core/jc_sentence.h"

namespace jc {

enum class Slot : int {
  kClauseOpener = 0,       // 50 bytes: what opens the clause: 如果, 的话, 作为, 像
  kAfterSubject = 1,       // right after the subject: 是, 不, 别, 应该, 可能
  kAfterSubjectMoved = 2,  // kAfterSubject handed to the first dependent when no subject takes it
  kConcession = 6,         // 即使, 要是, 连, 甚至, 并非
  kSeeming = 14,           // 好像, 如同: seeming and hearsay
  kInclusive = 15,         // 都, 也: over a question word or a pair
  kSequence = 16,          // 就, 一: one thing right after another
  kNegation = 7,           // 不, 没
  kPreposition = 5,        // the case phrase's word: 在, 从, 往, 给, 到, 让
  kAspect = 8,             // 将, 在: before the restriction
  kRestriction = 9,        // 只, 只是
  kDistributive = 10,      // 每, 各, 岂止
  kNearAdverbial = 11,     // close to the verb: a template's preposition, 真, 总是, 刚刚
  kModal = 4,              // 想, 能, 打算
  kCopula = 12,            // 是, 正是, 像
  kPassive = 13,           // 被 of the passive, 使得 of the causer
  kBeforeHead = 3,         // closes the row, right before the head word: 近, 多
  kOwnRendering = 17,      // the head word's own Chinese; empty: its first candidate
};

inline constexpr int slotIndex(Slot k) { return static_cast<int>(k); }

// The slots in the order the output writes them, before the head word.
inline constexpr Slot kSlotEmissionOrder[] = {
    Slot::kClauseOpener, Slot::kAfterSubject, Slot::kAfterSubjectMoved, Slot::kConcession, Slot::kSeeming,
    Slot::kInclusive,    Slot::kSequence,     Slot::kNegation,          Slot::kPreposition, Slot::kAspect,
    Slot::kRestriction,  Slot::kDistributive, Slot::kNearAdverbial,     Slot::kModal,       Slot::kCopula,
    Slot::kPassive,      Slot::kBeforeHead};
static_assert(sizeof(kSlotEmissionOrder) / sizeof(Slot) == kJcSlotCount - 1);

inline std::string_view targetSlot(const JcTargetNode& t, Slot k) {
  return k == Slot::kClauseOpener ? t.slot0.view() : t.slots[slotIndex(k)].view();
}
inline bool setTargetSlot(JcTargetNode& t, Slot k, std::string_view text) { return setTargetSlot(t, slotIndex(k), text); }
inline int slotSourceEntry(Slot k) { return slotSourceEntry(slotIndex(k)); }

}  // namespace jc
