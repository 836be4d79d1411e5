#include "engine/jc/core/jc_sentence_output.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "engine/jc/core/jc_links.h"
#include "engine/jc/test_support/jc_sentence_builder.h"
#include "engine/jc/core/jc_template_expansion.h"
#include "engine/jc/core/rendering_table.h"
#include "engine/jc/core/tests/rendering_fill.h"

namespace jc {
namespace {

// UTF-8 text in engine code.
std::string ec(const char8_t* text) {
  std::string out;
  EXPECT_TRUE(utf8ToEngineCode(reinterpret_cast<const char*>(text), out));
  return out;
}

const std::string kPeriod(kMarkFullStop), kComma(kMarkComma);

// 私は 本を 読む (我 书 读): phrases 6 and 7 depend on the root 8; the particles are retired.
std::string reading(const std::string& rootExtra = "", const std::string& relations = "r 8 6 SUB; r 8 7 OBJ1") {
  return "m 私 pos=6/1 zh=" + ec(u8"我") + "; m は pos=9/2; m 本 pos=6/1 zh=" + ec(u8"书") +
         "; m を pos=9/1; m 読む pos=2/1 zh=" + ec(u8"读") +
         "; p 1-2 head=p3 label=D1; p 3-4 head=p3 label=D11; p 5-5 " + rootExtra + ";" + relations;
}

class SentenceOutput : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(loadSyntheticRenderings(), kRenderingTableLoaded); }
  void TearDown() override { clearRenderingTable(); }

  void build(const std::string& notation) {
    std::string error;
    ASSERT_TRUE(s.build(notation, &error)) << error;
    ASSERT_TRUE(resetOrderWalk(s.get()));
  }
  void buildReading(const std::string& rootExtra = "", const std::string& relations = "r 8 6 SUB; r 8 7 OBJ1") {
    build(reading(rootExtra, relations));
    s->targets[2].live = s->targets[4].live = 0;
    s->targets[8].text4 = kPeriod;
  }
  // Steps 8 and 10-12.
  std::string translate() {
    EXPECT_TRUE(expandAllTemplates(s.get()));
    EXPECT_TRUE(moveClosingBrackets(s.get()));
    EXPECT_TRUE(orderFromDefault(s.get()));
    EXPECT_TRUE(emitSentence(s.get()));
    return s->output.str();
  }
  std::vector<int> order() {
    std::vector<int> out;
    for (const JcOrderItem* i = s->orderList ? s->orderList->next : nullptr; i; i = i->next) out.push_back(i->node);
    return out;
  }
  JcTargetNode& t(int i) { return s->targets[i]; }

  JcSentenceHolder s;
};

TEST_F(SentenceOutput, EngineMarksAreTheCardsPunctuation) {
  EXPECT_EQ(ec(u8"，"), kMarkComma);
  EXPECT_EQ(ec(u8"。"), kMarkFullStop);
  EXPECT_EQ(ec(u8"、"), kMarkPauseComma);
  EXPECT_EQ(ec(u8"？"), kMarkQuestion);
  EXPECT_EQ(ec(u8"…"), kMarkEllipsis);
  EXPECT_EQ(ec(u8"★★★"), kMarkNoTranslation);
}

TEST_F(SentenceOutput, SubjectVerbObjectAndTheFinalMarkGoesToTheLastDependent) {
  for (const char* relations : {"r 8 6 SUB; r 8 7 OBJ1", "r 8 7 OBJ1; r 8 6 SUB"}) {
    buildReading("", relations);
    const std::string expected = ec(u8"我读书。");
    EXPECT_EQ(translate(), expected) << relations;
    EXPECT_EQ(order(), (std::vector<int>{6, 8, 7}));
    EXPECT_EQ(t(7).text4.view(), kPeriod);
    EXPECT_TRUE(t(8).text4.empty());
  }
}

TEST_F(SentenceOutput, ABareGovernorHandsItsWordAndKindToTheLastDependent) {
  buildReading("kind=l");
  const std::string expected = ec(u8"我读书") + rendering(kBareWordKey) + kPeriod;
  EXPECT_EQ(translate(), expected);
  EXPECT_EQ(t(7).kind, 'l');
  EXPECT_EQ(t(8).kind, 0);
  EXPECT_TRUE(t(8).text3.empty());
}

TEST_F(SentenceOutput, AnExpandedTemplateOrdersTheGovernor) {
  buildReading("tpl=" + ec(u8"把") + "{7}+{8}");
  t(7).mark = "K";
  t(8).mark = "K";
  const std::string expected = ec(u8"我把书读。");
  EXPECT_EQ(translate(), expected);
  EXPECT_EQ(t(8).templateText.view(), "6+7+8");
  EXPECT_EQ(order(), (std::vector<int>{6, 7, 8}));
}

TEST_F(SentenceOutput, DependentsFollowTheLabelOrder) {
  struct Case {
    const char* labels;  // label of dependent 1, 2, ... of governor 10
    std::vector<int> expected;
  };
  const Case cases[] = {
      {"OBJ2 HT ADVV SUB TOP ADV LOG OBJ1 XX", {7, 5, 3, 4, 6, 10, 8, 1, 2, 9}},
      // Items before the first object are taken first, passing numerals.
      {"SUB NUM ADV OBJ1", {1, 3, 10, 4, 2}},
  };
  for (const Case& c : cases) {
    std::string notation;
    for (int k = 1; k <= 10; ++k) notation += "m w pos=6/1;";
    std::istringstream labels(c.labels);
    int k = 0;
    for (std::string l; labels >> l;) notation += "r 10 " + std::to_string(++k) + " " + l + ";";
    build(notation);
    ASSERT_TRUE(expandAllTemplates(s.get()));
    ASSERT_TRUE(orderRelations(s.get(), 10));
    EXPECT_EQ(order(), c.expected) << c.labels;
    EXPECT_EQ(s->orderCursor->next, nullptr);
  }
}

TEST_F(SentenceOutput, OrderingMovesTheGovernorsSlots) {
  struct Case {
    const char* what;
    const char* relations;
    const char* label6;
    std::string (*where)(JcSentence*);  // where "X" of the governor's slot 1 ends
  };
  const Case cases[] = {
      {"subject tail", "r 8 6 SUB", "D1", [](JcSentence* r) { return r->targets[6].text5.str(); }},
      {"topic of KK", "r 8 6 KK", "D20", [](JcSentence* r) { return r->targets[6].text5.str(); }},
      {"slot 2 of an adverbial", "r 8 7 ADV", "D2", [](JcSentence* r) { return std::string(targetSlot(r->targets[7], 2)); }},
      {"kept under a topic", "r 8 7 ADV", "D1", [](JcSentence* r) { return std::string(targetSlot(r->targets[8], 1)); }},
  };
  for (const Case& c : cases) {
    build(reading("", c.relations).replace(reading("", c.relations).find("label=D1"), 8, std::string("label=") + c.label6));
    setTargetSlot(t(8), 1, "X");
    t(8).slotSource[slotSourceEntry(1)] = 5;
    ASSERT_TRUE(expandAllTemplates(s.get()));
    ASSERT_TRUE(orderFromDefault(s.get()));
    EXPECT_EQ(c.where(s.get()), "X") << c.what;
  }
  // The slot's source follows it into slot 2.
  EXPECT_EQ(t(8).slotSource[slotSourceEntry(1)], 5);
  build(reading("", "r 8 7 ADV").replace(reading("", "r 8 7 ADV").find("label=D1"), 8, "label=D2"));
  setTargetSlot(t(8), 1, "X");
  t(8).slotSource[slotSourceEntry(1)] = 5;
  ASSERT_TRUE(expandAllTemplates(s.get()));
  ASSERT_TRUE(orderFromDefault(s.get()));
  EXPECT_EQ(t(7).slotSource[slotSourceEntry(2)], 5);
  EXPECT_EQ(t(8).slotSource[slotSourceEntry(1)], 0);

  // Slot 0 goes in front of the first dependent's, with the smaller source.
  buildReading();
  t(8).slot0 = "A";
  t(8).slotSource[0] = 5;
  t(6).slot0 = "B";
  t(6).slotSource[0] = 9;
  ASSERT_TRUE(expandAllTemplates(s.get()));
  ASSERT_TRUE(orderFromDefault(s.get()));
  EXPECT_EQ(t(6).slot0.view(), "AB");
  EXPECT_EQ(t(6).slotSource[0], 5);
  EXPECT_TRUE(t(8).slot0.empty());
  EXPECT_EQ(t(8).slotSource[0], 0);

  // An adverbial verb phrase takes slots 15 and 7.
  buildReading("", "r 8 6 SUB; r 8 7 ADVV");
  setTargetSlot(t(8), 15, "P");
  setTargetSlot(t(8), 7, "Q");
  ASSERT_TRUE(expandAllTemplates(s.get()));
  ASSERT_TRUE(orderFromDefault(s.get()));
  EXPECT_EQ(targetSlot(t(7), 15), "P");
  EXPECT_EQ(targetSlot(t(7), 7), "Q");
  EXPECT_TRUE(targetSlot(t(8), 15).empty());
}

TEST_F(SentenceOutput, SlotNineGoesToAnAdverbialAdverb) {
  for (const char* pos : {"8", "6/1"}) {
    build(std::string("m 私 pos=6/1; m は pos=9/2; m とても pos=") + pos +
          "; m 読む pos=2/1; p 1-2 head=p3; p 3-3 head=p3; p 4-4; r 7 5 SUB; r 7 6 ADV");
    setTargetSlot(t(7), 9, "Z");
    ASSERT_TRUE(expandAllTemplates(s.get()));
    ASSERT_TRUE(orderFromDefault(s.get()));
    const bool adverb = std::string(pos) == "8";
    EXPECT_EQ(targetSlot(t(6), 9), adverb ? "Z" : "") << pos;
    EXPECT_EQ(targetSlot(t(7), 9), adverb ? "" : "Z") << pos;
  }
}

TEST_F(SentenceOutput, ClosingBracketMovesIntoItsClause) {
  const std::string closing = ec(u8"”");
  struct Case {
    const char* what;
    const char* ab;
    const char* after;  // words after the bracket
    int pendingFrom;
    bool moved;
  };
  const Case cases[] = {
      {"clause-final", "A14", "", 0, true},
      {"a retired word after it", "A14", "m よ pos=9/4;", 0, true},
      {"not a predicate", "S2", "", 0, false},
      {"an opening mark waits in the phrase", "A14", "", 3, false},
      {"an opening mark waits elsewhere", "A14", "", 1, true},
  };
  for (const Case& c : cases) {
    const bool tail = *c.after != 0;
    build("m 彼 pos=6/1 zh=" + ec(u8"他") + "; m は pos=9/2; m 「 pos=1; m 来る pos=2/1 zh=" + ec(u8"来") +
          "; m 」 pos=1 zh=" + closing + ";" + c.after + "p 1-2 head=p2; p 3-" + (tail ? "6" : "5") + " ab=" + c.ab +
          "; r " + (tail ? "8 7" : "7 6") + " SUB");
    const int phrase = tail ? 8 : 7;
    if (tail) t(6).live = 0;
    t(phrase).text4 = kPeriod;
    if (c.pendingFrom) {
      s->pendingFrom[0] = s->pendingTo[0] = c.pendingFrom;
      s->pendingText[0] = ec(u8"“");
    }
    ASSERT_TRUE(moveClosingBrackets(s.get()));
    EXPECT_EQ(t(phrase).text4.str(), c.moved ? closing + kPeriod : kPeriod) << c.what;
    EXPECT_EQ(t(5).live, c.moved ? 0 : 1) << c.what;
  }
}

TEST_F(SentenceOutput, AnEmbeddedClauseIsOrderedUnderItsGroup) {
  buildReading();
  // Group 9 over the three phrases, as the reader's grouping builds it.
  s->lastNode = s->lastTarget = 9;
  s->nodes[9].firstChild = t(9).firstChild = 6;
  s->nodes[9].lastChild = t(9).lastChild = 8;
  for (int p : {6, 7, 8}) s->nodes[p].parent = t(p).parent = 9;
  s->firstTopTarget = s->lastTopTarget = 9;
  ASSERT_TRUE(expandAllTemplates(s.get()));
  ASSERT_TRUE(moveClosingBrackets(s.get()));
  EXPECT_EQ(t(9).firstChild, 6);
  EXPECT_EQ(t(6).nextSibling, 8);
  EXPECT_EQ(t(8).nextSibling, 7);
  EXPECT_EQ(t(7).nextSibling, 0);
  EXPECT_EQ(t(9).lastChild, 7);
  // The header is restored and the walk starts afresh.
  EXPECT_EQ(s->firstTopTarget, 9);
  EXPECT_EQ(s->defaultRelationTarget, 8);
  EXPECT_TRUE(order().empty());
  ASSERT_NE(s->orderCursor, nullptr);
  EXPECT_EQ(s->orderCursor->next, nullptr);
  // The group emits its words in the new order.
  ASSERT_TRUE(appendOrderItem(s.get(), 9));
  ASSERT_TRUE(emitSentence(s.get()));
  const std::string expected = ec(u8"我读书。");
  EXPECT_EQ(s->output.str(), expected);
}

TEST_F(SentenceOutput, SlotsAreEmittedInTheirOrderWithPendingMarks) {
  build("m a pos=6/1; m b pos=6/1; m c pos=6/1; m d pos=6/1");
  for (int k = 0; k <= 16; ++k) setTargetSlot(t(1), k, std::string(1, static_cast<char>('a' + k)));
  t(1).slotSource[slotSourceEntry(11)] = 3;
  t(1).slotSource[slotSourceEntry(3)] = 4;
  s->pendingFrom[0] = s->pendingTo[0] = 3;
  s->pendingText[0] = "[";
  s->pendingFrom[1] = s->pendingTo[1] = 4;
  s->pendingText[1] = "]";
  emitSlots(s.get(), 1);
  // Slot 11 flushes what waits for its source; slot 3 never flushes.
  EXPECT_EQ(s->output.str(), "abcgopqhfijk[lemnd");
  EXPECT_EQ(s->pendingFrom[0], 0);
  EXPECT_EQ(s->pendingFrom[1], 4);
  flushPending(s.get(), 4);
  EXPECT_EQ(s->output.str(), "abcgopqhfijk[lemnd]");
  EXPECT_EQ(s->pendingFrom[1], 0);
}

TEST_F(SentenceOutput, TheHeadWordOfALeaf) {
  const std::string split = rendering(kSplitWordKey);
  const std::string star(kMarkNoTranslation), dots(kMarkEllipsis);
  struct Case {
    const char* what;
    std::string slot17;
    const char* pos;
    std::vector<std::pair<std::string, std::string>> candidates;  // chinese, valency
    std::string headText;
    std::string expected;
  };
  const Case cases[] = {
      {"comma as pause comma", ",", "1", {}, "", std::string(kMarkPauseComma)},
      {"wide comma as pause comma", kComma, "1", {}, "", std::string(kMarkPauseComma)},
      {"comma kept in a W word", ",", "W", {}, "", ","},
      {"question mark", "?", "1", {}, "", std::string(kMarkQuestion)},
      {"own rendering", "AB", "6", {{"C", "N"}}, "", "AB"},
      {"first usable candidate", "", "6", {{star, "N"}, {"X", "N"}, {"Y", "N"}}, "", "X"},
      {"ampersand dropped", "", "6", {{"&X", "N"}}, "", "X"},
      {"ampersand kept for a symbol", "", "1", {{"&X", "N"}}, "", "&X"},
      {"VTA takes the second variant", "", "2", {{"A" + dots + "B", "VTA1"}}, "", "B"},
      {"VTB joins both", "", "2", {{"&A" + dots + "B", "VTB1"}}, "", "AB"},
      {"VTB joins around the split word", "", "2", {{"A" + dots + "B", "VTB1"}}, split, "A" + split + "B"},
      {"slash joined", "", "2", {{"A/B", "V1/N"}}, "", "AB"},
      {"slash at the start kept", "", "2", {{"/AB", "N"}}, "", "/AB"},
      {"other codes keep the ellipsis", "", "2", {{"A" + dots + "B", "V1"}}, "", "A" + dots + "B"},
      {"no candidate", "", "2", {}, "", ""},
  };
  for (const Case& c : cases) {
    build(std::string("m w pos=") + c.pos);
    setTargetSlot(t(1), 17, c.slot17);
    for (const auto& [chinese, valency] : c.candidates) ASSERT_TRUE(appendCandidate(s.get(), 1, chinese, valency, ""));
    t(1).headText = c.headText;
    emitLeaf(s.get(), 1);
    EXPECT_EQ(s->output.str(), c.expected) << c.what;
  }
  // A VTB verb is now a split verb.
  EXPECT_EQ(t(1).candidates, nullptr);
  build("m w pos=2");
  appendCandidate(s.get(), 1, "A" + dots + "B", "VTB1", "");
  emitLeaf(s.get(), 1);
  EXPECT_EQ(t(1).candidates->valency.view(), "V1/N");

  // The texts after the head word; a retired word emits nothing.
  build("m w pos=6 zh=H");
  t(1).headText = "1";
  t(1).headText2 = "2";
  t(1).text3 = "3";
  t(1).text4 = "4";
  t(1).text5 = "5";
  emitLeaf(s.get(), 1);
  EXPECT_EQ(s->output.str(), "H1245");
  s->output.clear();
  t(1).live = 0;
  emitLeaf(s.get(), 1);
  EXPECT_TRUE(s->output.empty());
}

TEST_F(SentenceOutput, MarkerFlagsAddTheirWords) {
  build("m w pos=2 zh=V");
  t(1).flags = 15;
  t(1).aspectA = 'B';
  t(1).aspectB = 'B';
  applyMarkerFlags(s.get(), 1);
  EXPECT_EQ(targetSlot(t(1), 13), rendering(kFlagSlot13WordKey));
  EXPECT_EQ(targetSlot(t(1), 4), rendering(kFlagSlot4WordKey));
  EXPECT_EQ(targetSlot(t(1), 7), rendering(kFlagSlot7WordKey) + rendering(kFlagSlot7TextKey));
  EXPECT_EQ(targetSlot(t(1), 8), rendering(kAspectBWordKey));
  EXPECT_EQ(t(1).headText.str(), rendering(kAspectAWordKey));
  build("m w pos=2 zh=V");
  t(1).aspectB = 'C';
  applyMarkerFlags(s.get(), 1);
  EXPECT_EQ(t(1).headText.str(), rendering(kAspectCWordKey));
  EXPECT_TRUE(targetSlot(t(1), 8).empty());
  EXPECT_TRUE(targetSlot(t(1), 7).empty());
}

TEST_F(SentenceOutput, TrailingPunctuationMerges) {
  const std::string stop = kPeriod, comma = kComma, word = ec(u8"吧");
  struct Case {
    std::string before, text4, expected;
    const char* firstSurface;
  };
  const Case cases[] = {
      {"A" + comma, stop, "A" + stop, "x"},
      {"A" + comma, comma, "A" + comma, "x"},
      {"A" + stop, comma, "A" + stop, "x"},
      {"A" + stop, stop, "A" + stop, "x"},
      {"A", stop, "A" + stop, "x"},
      {"", comma, "", "x"},
      {"", comma, comma, "、"},
      {"", stop, stop, "x"},
      {"A", comma + stop, "A" + stop, "x"},
      // A run of commas is the writer's own: its first merges as a lone comma does, the rest stay.
      {"A", comma + comma, "A" + comma + comma, "x"},
      {"A", comma + comma + comma + stop, "A" + comma + comma + comma + stop, "x"},
      {"A" + comma, comma + comma, "A" + comma + comma, "x"},
      {"A" + stop, comma + comma, "A" + stop + comma, "x"},
      {"", comma + comma, comma, "x"},
      {"", comma + comma, comma + comma, "、"},
      {"A", stop + comma + comma, "A" + stop + comma + comma, "x"},
      {"A", stop + stop, "A" + stop, "x"},
      {"A", stop + comma, "A" + stop + comma, "x"},
      {"A", word + stop, "A" + word + stop, "x"},
      // A trail byte that looks like a comma's is no comma.
      {"\x88\x81", "\x43" "\x81\x42", "\x88\x81\x43\x81\x42", "x"},
  };
  for (const Case& c : cases) {
    build(std::string("m ") + c.firstSurface + " pos=1; m w pos=6; p 1-2");
    s->output = c.before;
    t(3).text4 = c.text4;
    t(3).text5 = "";
    emitInnerTail(s.get(), 3);
    EXPECT_EQ(s->output.str(), c.expected) << c.before << " + " << c.text4;
  }
  // text5 follows whatever text4 left.
  build("m x pos=1; m w pos=6; p 1-2");
  s->output = "A" + comma;
  t(3).text4 = stop;
  t(3).text5 = "Z";
  emitInnerTail(s.get(), 3);
  EXPECT_EQ(s->output.str(), "A" + stop + "Z");
}

TEST_F(SentenceOutput, AttributivePhrasesTakeTheLinkingWord) {
  const std::string link = rendering(kLinkingWordKey);
  struct Case {
    const char* what;
    const char* lastPos;
    std::string before;
    std::string expected;
  };
  const Case cases[] = {
      {"a noun", "6/1", "AB", "AB" + link + "T"},
      {"already linked", "6/1", "A" + link, "A" + link + "T"},
      {"nothing before", "6/1", "", "T"},
      {"a conjunction ends it", "10", "AB", "AB"},
      {"a conjunctive particle ends it", "7/2", "AB", "AB"},
      {"pos 11 ends it", "11", "AB", "AB"},
  };
  for (const Case& c : cases) {
    build(std::string("m a pos=6/1; m b pos=") + c.lastPos + "; p 1-2 kind=t");
    s->output = c.before;
    t(3).text4 = "T";
    emitInnerTail(s.get(), 3);
    EXPECT_EQ(s->output.str(), c.expected) << c.what;
  }
}

TEST_F(SentenceOutput, OutputIsCutAtAWholeCharacter) {
  std::string notation;
  const std::string word = ec(u8"书书书书书书书书书书"), shu = ec(u8"书");
  for (int k = 1; k <= 60; ++k) notation += "m w pos=6/1 zh=" + word + ";";
  build(notation);
  for (int k = 1; k <= 60; ++k) ASSERT_TRUE(appendOrderItem(s.get(), k));
  ASSERT_TRUE(emitSentence(s.get()));
  ASSERT_EQ(s->output.size(), 1022u);
  EXPECT_EQ(s->output.str().substr(1020), shu);
  // With a single byte in front the last hanzi still fits whole.
  build(notation);
  setTargetSlot(t(1), 17, "a");
  for (int k = 1; k <= 60; ++k) ASSERT_TRUE(appendOrderItem(s.get(), k));
  ASSERT_TRUE(emitSentence(s.get()));
  ASSERT_EQ(s->output.size(), 1023u);
  EXPECT_EQ(s->output.str().substr(1021), shu);
}

TEST_F(SentenceOutput, LongHandOversAreCutAtAWholeCharacter) {
  std::string twenty;
  for (int k = 0; k < 20; ++k) twenty += ec(u8"书");
  // Slot 0 (49 bytes) joined with the first dependent's own.
  buildReading();
  t(8).slot0 = twenty;
  t(6).slot0 = twenty;
  ASSERT_TRUE(expandAllTemplates(s.get()));
  ASSERT_TRUE(orderFromDefault(s.get()));
  EXPECT_EQ(t(6).slot0.str(), twenty + twenty.substr(0, 8));
  // The governor's tail joined with the last dependent's text4 (49 bytes).
  buildReading();
  t(7).text4 = twenty;
  t(8).text3 = twenty.substr(0, 20);
  ASSERT_TRUE(expandAllTemplates(s.get()));
  ASSERT_TRUE(orderFromDefault(s.get()));
  EXPECT_EQ(t(7).text4.str(), twenty + twenty.substr(0, 8));
}

TEST_F(SentenceOutput, WithoutBaseItemsTheStepsFailCleanly) {
  buildReading();
  releaseJcSentence(s.get());  // frees the cursor stack and the order list
  ASSERT_TRUE(s.build(reading()));
  EXPECT_FALSE(orderFromDefault(s.get()));
  EXPECT_FALSE(appendOrderItem(s.get(), 6));
  EXPECT_TRUE(emitSentence(s.get()));
  EXPECT_TRUE(s->output.empty());
  ASSERT_TRUE(resetOrderWalk(s.get()));
  ASSERT_TRUE(expandAllTemplates(s.get()));
  EXPECT_TRUE(orderFromDefault(s.get()));
  EXPECT_EQ(order(), (std::vector<int>{6, 8, 7}));
}

TEST(SentenceOutputCodes, VerbCodesAndSingleBytes) {
  EXPECT_TRUE(isVerbCode("VTA1"));
  EXPECT_TRUE(isVerbCode("NV"));
  EXPECT_FALSE(isVerbCode("V0"));
  EXPECT_FALSE(isVerbCode(""));
  EXPECT_FALSE(isVerbCode("N1"));
  // 0x5C as the trail byte of a double-byte character is not the single byte.
  EXPECT_EQ(findSingleByte("\x95\x5C\\", '\\'), 2u);
  EXPECT_EQ(findSingleByte("\x95\x5C", '\\'), std::string::npos);
  EXPECT_EQ(findSingleByte("a/b", '/'), 1u);
}

}  // namespace
}  // namespace jc
