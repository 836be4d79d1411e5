#include "engine/jc/rules/jc_rule_kit.h"

#include <algorithm>

#include "engine/jc/rules/tests/rule_fixture.h"

namespace jc {
namespace {

class RuleKit : public RuleTest {
 protected:
  // 本を 読む: morphemes 1-3, phrases 4 and 5.
  void SetUp() override {
    RuleTest::SetUp();
    build("m 本 pos=6/1; m を pos=9/1; m 読む pos=2/1 conj=1/2; p 1-2 head=p2 label=D11; p 3-3");
  }
};

TEST_F(RuleKit, TheOverrideCounterReplacesTheNextWritesThenLetsTheGivenTextsThrough) {
  const std::string a = ec(u8"甲"), b = ec(u8"乙"), c = ec(u8"丙"), fixed = word(kOverrideWordKey);
  ASSERT_EQ(fixed.size(), 6u);
  s->slotOverride = 2;
  writeTargetSlot(s, 5, Slot::kAfterSubject, a);
  appendSlot(s, 5, Slot::kAfterSubject, c);  // an append after the writer follows whichever text it wrote
  writeTargetSlot(s, 4, Slot::kModal, b);
  writeTargetSlot(s, 5, Slot::kNegation, c);
  EXPECT_EQ(slot(5, Slot::kAfterSubject), fixed + c);
  EXPECT_EQ(slot(4, Slot::kModal), fixed);
  EXPECT_EQ(slot(5, Slot::kNegation), c);
  EXPECT_EQ(s->slotOverride, 0);
  // The writer records no source and replaces what the slot held.
  EXPECT_EQ(source(5, Slot::kAfterSubject), 0);
  writeTargetSlot(s, 5, Slot::kAfterSubject, b);
  EXPECT_EQ(slot(5, Slot::kAfterSubject), b);
  // A counter below zero overrides nothing.
  s->slotOverride = -1;
  writeTargetSlot(s, 5, Slot::kAfterSubject, a);
  EXPECT_EQ(slot(5, Slot::kAfterSubject), a);
  EXPECT_EQ(s->slotOverride, -1);
}

TEST_F(RuleKit, NothingIsWrittenThroughNodeZeroOrPastTheTargets) {
  s->slotOverride = 1;
  writeTargetSlot(s, 0, Slot::kAfterSubject, ec(u8"甲"));
  EXPECT_EQ(s->slotOverride, 0);  // the write still counts
  setSlot(s, 0, Slot::kOwnRendering, ec(u8"甲"), 2);
  appendSlot(s, 6, Slot::kBeforeHead, ec(u8"甲"), 2);
  setKind(s, 0, 'j');
  setSlot(s, -1, Slot::kAfterSubject, "x");
  setSlot(s, kJcMaxNodes, Slot::kAfterSubject, "x");
  EXPECT_TRUE(s->targets[0].slots[1].empty());
  EXPECT_TRUE(s->targets[0].slots[17].empty());
  EXPECT_EQ(s->targets[0].kind, 0);
  EXPECT_TRUE(s->targets[6].slots[3].empty());
  EXPECT_EQ(ruleTarget(s, 0), nullptr);
  EXPECT_EQ(ruleTarget(s, 6), nullptr);
  EXPECT_EQ(ruleTarget(s, 5), &s->targets[5]);
}

TEST_F(RuleKit, RulesConsumeOnlyTheWordsOfTheSentence) {
  for (int i : {0, 4, 5, -3, kJcMaxNodes}) consumeWord(s, i);
  EXPECT_EQ(s->targets[0].live, 1);
  EXPECT_EQ(s->targets[4].live, 1);
  EXPECT_EQ(s->targets[5].live, 1);
  consumeWord(s, 3);
  EXPECT_EQ(live(), "110");
}

TEST_F(RuleKit, WritesAndAppendsAreCutAtAWholeCharacter) {
  // Slots hold 19 bytes: nine characters, then a lead byte that would lose its trail.
  const std::string nine = ec(u8"一二三四五六七八九");
  setSlot(s, 5, Slot::kCopula, nine + ec(u8"十"), 2);
  EXPECT_EQ(slot(5, Slot::kCopula), nine);
  appendSlot(s, 5, Slot::kPassive, nine);
  appendSlot(s, 5, Slot::kPassive, "a" + ec(u8"十"));
  EXPECT_EQ(slot(5, Slot::kPassive), nine + "a");
  EXPECT_EQ(findAtCharacter(ec(u8"一二"), ec(u8"二")), 2u);
  // A match that straddles two characters is no match.
  const std::string two = "\x88\x9F\x9F\x88";
  EXPECT_EQ(findAtCharacter(two, "\x9F\x9F"), std::string_view::npos);
}

TEST_F(RuleKit, SourcesGoToTheSlotsTableEntry) {
  struct Case {
    Slot slot;
    int entry;
  } cases[] = {{Slot::kClauseOpener, 0}, {Slot::kAfterSubject, 1}, {Slot::kBeforeHead, 14}, {Slot::kModal, 3}, {Slot::kAspect, 12}, {Slot::kRestriction, 11}, {Slot::kNearAdverbial, 7}, {Slot::kCopula, 8}, {Slot::kInclusive, 10}};
  for (const Case& c : cases) {
    setSlot(s, 5, c.slot, "x", 3);
    EXPECT_EQ(s->targets[5].slotSource[c.entry], 3) << c.slot;
  }
  // Slots without an entry keep nothing; a source outside the nodes is recorded as none.
  int before[kJcSlotSourceCount];
  std::copy(std::begin(s->targets[5].slotSource), std::end(s->targets[5].slotSource), before);
  setSlot(s, 5, Slot::kDistributive, "y", 2);
  setSlot(s, 5, Slot::kOwnRendering, "y", 2);
  EXPECT_TRUE(std::equal(std::begin(before), std::end(before), std::begin(s->targets[5].slotSource)));
  setSlot(s, 5, Slot::kAfterSubject, "z", 9);
  EXPECT_EQ(source(5, Slot::kAfterSubject), 0);
  setSlot(s, 5, Slot::kAfterSubject, "z");  // kNoSource keeps the entry
  setSlotSource(s, 5, Slot::kAfterSubject, 2);
  setSlot(s, 5, Slot::kAfterSubject, "w");
  EXPECT_EQ(source(5, Slot::kAfterSubject), 2);
}

TEST_F(RuleKit, PersonCodes) {
  struct Case {
    const char* codes;
    bool person;
  } cases[] = {
      {"12301", true},       {"5010/12099", true}, {"12000", true},  {"12499/3", true},
      {"12590", false},      {"1251", false},      {"", false},      {"11960/12590/12001", false},
      {"13000/11200", false}, {"12", false},       {"5010/12", false},
  };
  for (const Case& c : cases) {
    s->nodes[1].semCodes = c.codes;
    EXPECT_EQ(hasPersonCode(s, 1), c.person) << c.codes;
  }
  EXPECT_FALSE(hasPersonCode(s, 6));
  EXPECT_FALSE(hasPersonCode(s, -1));
}

TEST_F(RuleKit, ARuleWordFollowsTheTableWhenItIsLoadedAgain) {
  static const RuleWord w(kOverrideWordKey);
  const std::string before = w.text();
  EXPECT_EQ(before, word(kOverrideWordKey));
  datagen::WordTable t = syntheticRenderings();
  t[kOverrideWordKey] = {reinterpret_cast<const char*>(u8"不一定")};
  ASSERT_EQ(loadRenderingTableText(datagen::wordTableText(t)), kRenderingTableLoaded);
  EXPECT_EQ(w.text(), ec(u8"不一定"));
  clearRenderingTable();
  EXPECT_TRUE(w.text().empty());
}

}  // namespace
}  // namespace jc
