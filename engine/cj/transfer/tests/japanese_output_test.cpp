#include "engine/cj/transfer/japanese_output.h"
#include "engine/cj/analysis/tests/cj_test_engine.h"

#include <gtest/gtest.h>

#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/transfer/rule_actions.h"
#include "engine/cj/transfer/tests/rule_sentence.h"
#include "platform/core/codepage.h"
#include "platform/core/fail_point.h"
#include "platform/core/notify_recorder.h"
#include "tools/datagen/cvdata_tables.h"

namespace {

class JapaneseOutput : public cjtest::RuleSentence {
 protected:
  std::string render(int i) {
    context->result.clear();
    cj::renderWord(*context, i);
    return context->result;
  }
  std::string walk(int n) {
    context->result.clear();
    context->frameStack.assign(1, cj::CjTransferFrame{});
    cj::walkTargetTree(*context, n);
    return context->result;
  }
};

TEST_F(JapaneseOutput, WordTexts) {
  struct Case {
    const char* cat;
    const char* japanese;
    int state;
    const char* expected;
  } cases[] = {
      {"N", "本", 0, "本を"}, {"W", "，", 1, "，を"}, {"W", "，", 0, "，を"},
      {"N", "，", 0, "、を"}, {"N", "，", 1, "。を"}, {"N", ",", 1, "。を"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(k.cat) + " " + k.japanese + " " + std::to_string(k.state));
    build(std::string("w - ") + k.cat);
    target(1).japanese = k.japanese;
    target(1).att = "を";
    context->line.reportingVerbState = k.state;
    EXPECT_EQ(render(1), k.expected);
  }
  // The question particle written "ma".
  build("w ma P");
  target(1).att = "ね";
  EXPECT_EQ(render(1), "かね");
}

TEST_F(JapaneseOutput, CandidatesAndDroppedWords) {
  build("w - N; w - N");
  candidate(1, "犬", "N0000");
  candidate(1, "猫", "N0000");
  EXPECT_EQ(render(1), "犬");
  // A candidate that is a pattern is not written unless kept.
  build("w - N");
  candidate(1, "から…まで", "N0000");
  target(1).att = "は";
  EXPECT_EQ(render(1), "は");
  build("w - N");
  candidate(1, "から…まで", "N0000");
  target(1).keepEllipsis = 1;
  EXPECT_EQ(render(1), "から…まで");
  // Dropped: its att only when something stands for it.
  build("w - N; w - N");
  target(1).japanese = "犬";
  target(1).att = "も";
  target(1).alive = 0;
  EXPECT_EQ(render(1), "");
  target(1).substitute = 2;
  EXPECT_EQ(render(1), "も");
}

TEST_F(JapaneseOutput, QuestionMark) {
  struct Case {
    const char* firstCat;
    const char* code;  // of the governor's candidate; null: none
    const char* text;
    const char* expected;
  } cases[] = {
      {"S", "Q1", "", "？"},           {"V", "Q1", "行く", "？"},      {"V", nullptr, "", "か？"},
      {"V", "TG001", "行く", "か？"},  {"V", "DOKU0", "行った", "か？"}, {"V", "DOKU0", "行け", "？"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(k.firstCat) + " " + (k.code ? k.code : "-") + " " + k.text);
    build(std::string("w - ") + k.firstCat + "; w - W", 1);
    if (k.code) candidate(1, k.text, k.code);
    target(2).japanese = "？";
    EXPECT_EQ(render(2), k.expected);
  }
  // After a final particle the mark is written alone, whatever the governor asks.
  for (const char* particle : {"w - E", "w ma P"}) {
    SCOPED_TRACE(particle);
    build(std::string("w - V; ") + particle + "; w - W", 1);
    target(2).japanese = "か";
    target(3).japanese = "？";
    context->result.clear();
    cj::renderWord(*context, 2);
    cj::renderWord(*context, 3);
    EXPECT_EQ(context->result, "か？");
  }
}

TEST_F(JapaneseOutput, QuestionNeedsKaReadsTheGovernorsFixedText) {
  build("w - V; w - N; w - V; p 1 3 VP", 4);
  // The head has its text: the governor phrase's own text and code decide.
  target(3).japanese = "です";
  target(4).japanese = "です";
  target(4).jcat = "DOKU0";
  EXPECT_TRUE(cj::questionNeedsKa(*context, 4));
  target(4).jcat = "Q2";
  EXPECT_FALSE(cj::questionNeedsKa(*context, 4));
}

TEST_F(JapaneseOutput, TreeWalk) {
  build("w - N; w - N; w - N; p 1 2 NP");
  for (int i : {1, 2, 3}) target(i).japanese = std::string(1, static_cast<char>('a' + i - 1));
  target(4).prefixText = "<";
  target(4).att = ">";
  target(2).prefixText = "+";
  target(1).att = "-";
  EXPECT_EQ(walk(4), "<a-+b>");
  // All children dropped: the prefixes and the phrase's texts stay.
  target(1).alive = 0;
  target(2).alive = 0;
  EXPECT_EQ(walk(4), "<+>");
  // The whole sentence along the top-level chain.
  target(1).alive = target(2).alive = 1;
  context->result.clear();
  cj::writeJapaneseOutput(*context);
  EXPECT_EQ(context->result, "<a-+b>c");
}

TEST_F(JapaneseOutput, PhraseWithoutChildrenIsClosedAtOnce) {
  build("w - N; w - N; p 1 1 NP");
  target(1).japanese = "a";
  target(2).japanese = "b";
  target(3).prefixText = "<";
  target(3).att = ">";
  target(3).firstChild = target(3).lastChild = 0;
  context->result.clear();
  context->frameStack.assign(1, cj::CjTransferFrame{});
  cj::writeJapaneseOutput(*context);
  EXPECT_EQ(context->result, "<>b");
  EXPECT_EQ(context->frameStack.size(), 1u);
}

TEST_F(JapaneseOutput, NextFrameChildCountsAlongTheChain) {
  build("w - N; w - N; w - N; p 1 3 NP");
  context->frameStack.assign(1, cj::CjTransferFrame{});
  EXPECT_TRUE(cj::frameStackEmpty(*context));
  cj::CjTransferFrame f;
  f.node = 4;
  context->frameStack.push_back(f);
  EXPECT_FALSE(cj::frameStackEmpty(*context));
  EXPECT_EQ(cj::nextFrameChild(*context), 2);
  EXPECT_EQ(cj::nextFrameChild(*context), 3);
  EXPECT_EQ(cj::nextFrameChild(*context), 0);
}

TEST_F(JapaneseOutput, GenerateJapaneseGivesTheSentence) {
  datagen::registerConversionTables();
  build("w - U; w - U");
  // Engine-code text from UTF-8 (this file's plain literals are Shift-JIS).
  sentence->nodes[1].CHI = cjtest::engineText(reinterpret_cast<const char*>(u8"三"));
  sentence->nodes[2].CHI = cjtest::engineText(reinterpret_cast<const char*>(u8"四"));
  std::u16string out = u"old";
  cjtest::engine().engineStatus = 0;
  cj::CjLineState line;
  line.reportingVerbState = 2;  // a clause held by the line passes through
  cj::generateJapanese(sentence.get(), &sentence->roleLinks, cj::summaryOf(*sentence), out, line);
  EXPECT_EQ(out, u"三四");
  EXPECT_EQ(cjtest::engine().engineStatus, 0);
  EXPECT_EQ(line.reportingVerbState, 2);
}

TEST_F(JapaneseOutput, GenerationWithoutMemoryFails) {
  build("w - U");
  for (std::string_view point : {cj::kContextFailPoint, cj::kWalkListsFailPoint}) {
    SCOPED_TRACE(point);
    plat::NotifyRecorder recorder;
    plat::FailPoint fail(point);
    std::u16string out = u"old";
    cjtest::engine().engineStatus = 0;
    cj::CjLineState line;
    cj::generateJapanese(sentence.get(), &sentence->roleLinks, cj::summaryOf(*sentence), out, line);
    EXPECT_EQ(out, u"old");
    EXPECT_EQ(cjtest::engine().engineStatus, cj::kStatusOutOfMemory);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, u"メモリ不足!");
  }
}

}  // namespace
