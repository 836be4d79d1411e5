// Fixture of the rule tests: the registered renderings filled with distinct synthetic words, and a
// sentence record built from the compact notation.
#pragma once
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "engine/jc/core/jc_slot.h"
#include "engine/jc/test_support/jc_sentence_builder.h"
#include "engine/jc/core/rendering_table.h"
#include "engine/jc/core/tests/rendering_fill.h"

namespace jc {

// The texts of a target node the output appends after its slots and head word.
enum class Text { kHeadText, kHeadText2, kText3, kText4, kText5 };

// A place of a target node a rule writes: a slot or a text.
struct Field {
  constexpr Field(Slot k) : slot(k) {}
  constexpr Field(Text t) : isText(true), text(t) {}
  bool isText = false;
  Slot slot = Slot::kClauseOpener;
  Text text = Text::kHeadText;
};

// Every slot: the row the output writes, then the head word's own.
inline constexpr Slot kEverySlot[] = {
    Slot::kClauseOpener, Slot::kAfterSubject, Slot::kAfterSubjectMoved, Slot::kConcession, Slot::kSeeming,
    Slot::kInclusive,    Slot::kSequence,     Slot::kNegation,          Slot::kPreposition, Slot::kAspect,
    Slot::kRestriction,  Slot::kDistributive, Slot::kNearAdverbial,     Slot::kModal,       Slot::kCopula,
    Slot::kPassive,      Slot::kBeforeHead,   Slot::kOwnRendering};

// Slots and fields by name in test messages.
inline std::ostream& operator<<(std::ostream& out, Slot k) {
  static const char* const kNames[] = {"kClauseOpener", "kAfterSubject", "kAfterSubjectMoved", "kBeforeHead",
                                       "kModal",        "kPreposition",  "kConcession",        "kNegation",
                                       "kAspect",       "kRestriction",  "kDistributive",      "kNearAdverbial",
                                       "kCopula",       "kPassive",      "kSeeming",           "kInclusive",
                                       "kSequence",     "kOwnRendering"};
  return out << "Slot::" << kNames[slotIndex(k)];
}
inline std::ostream& operator<<(std::ostream& out, Field f) {
  static const char* const kTexts[] = {"headText", "headText2", "text3", "text4", "text5"};
  if (f.isText) return out << kTexts[static_cast<int>(f.text)];
  return out << f.slot;
}

class RuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_EQ(loadSyntheticRenderings(&error), kRenderingTableLoaded) << error;
  }
  void TearDown() override { clearRenderingTable(); }

  void build(const std::string& notation) {
    std::string error;
    ASSERT_TRUE(holder.build(notation, &error)) << error << "\n" << notation;
    s = holder.get();
  }
  // '1' for every live word 1..M, '0' for a consumed one.
  std::string live() const {
    std::string out;
    for (int i = 1; i <= s->lastMorpheme; ++i) out += s->targets[i].live ? '1' : '0';
    return out;
  }
  // The Chinese at a slot of target node, and the word recorded as its source.
  std::string slot(int node, Slot k) const { return std::string(targetSlot(s->targets[node], k)); }
  int source(int node, Slot k) const { return s->targets[node].slotSource[slotSourceEntry(k)]; }
  std::string field(int node, Field f) const {
    const JcTargetNode& t = s->targets[node];
    if (!f.isText) return slot(node, f.slot);
    switch (f.text) {
      case Text::kHeadText: return t.headText.str();
      case Text::kHeadText2: return t.headText2.str();
      case Text::kText3: return t.text3.str();
      case Text::kText4: return t.text4.str();
      case Text::kText5: return t.text5.str();
    }
    return {};
  }
  static std::string word(const char* key) { return rendering(key); }
  // UTF-8 text in engine code.
  static std::string ec(const char8_t* text) {
    std::string out;
    EXPECT_TRUE(utf8ToEngineCode(reinterpret_cast<const char*>(text), out));
    return out;
  }

  JcSentenceHolder holder;
  JcSentence* s = nullptr;
};

}  // namespace jc
