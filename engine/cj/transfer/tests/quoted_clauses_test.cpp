#include "engine/cj/transfer/quoted_clauses.h"

#include <gtest/gtest.h>

#include "engine/cj/transfer/japanese_output.h"
#include "engine/cj/transfer/tests/rule_sentence.h"
#include "platform/core/fail_point.h"
#include "platform/core/notify_recorder.h"

namespace {

class QuotedClauses : public cjtest::RuleSentence {
 protected:
  // The header the whole sentence had before the pass.
  void expectHeaderRestored(int top) {
    EXPECT_EQ(context->firstTop, top);
    EXPECT_EQ(context->lastTop, top);
    EXPECT_EQ(context->govNode, 0);
    EXPECT_EQ(context->govWork, 0);
    EXPECT_EQ(context->sentenceType.str(), "X");
  }
  void prepare() {
    context->sentenceType = "X";
    context->frameStack.assign(1, cj::CjTransferFrame{});
  }
};

constexpr const char* kQuoted =
    "w - W span=l; w - N; w - V mark=P; w - N; w - W span=r; p 1 5 NP span=y; l 3 2 SUB; l 3 4 OBJ1";

TEST_F(QuotedClauses, QuotedStretchIsOrderedBetweenItsMarks) {
  build(kQuoted);
  prepare();
  cj::reanalyseQuotedClauses(*context);
  EXPECT_EQ(chain(6), "1 2 4 3 5");
  EXPECT_EQ(target(1).prevSibling, 0);
  EXPECT_EQ(target(2).prevSibling, 1);
  EXPECT_EQ(target(5).prevSibling, 3);
  EXPECT_EQ(target(5).nextSibling, 0);
  expectHeaderRestored(6);
}

TEST_F(QuotedClauses, OneWordStretchIsLeftAlone) {
  build("w - W span=l; w - N mark=P; w - W span=r; p 1 3 NP span=y");
  prepare();
  cj::reanalyseQuotedClauses(*context);
  EXPECT_EQ(chain(4), "1 2 3");
  EXPECT_TRUE(context->orderList.empty());
  expectHeaderRestored(4);
}

TEST_F(QuotedClauses, PhraseWithoutMarksIsSkippedAndLaterClausesAreOrdered) {
  build("w - N; w - N; w - W span=l; w - N; w - V mark=P; w - N; w - W span=r; p 1 2 NP span=y; "
        "p 3 7 NP span=y; l 5 4 SUB; l 5 6 OBJ1");
  prepare();
  cj::reanalyseQuotedClauses(*context);
  EXPECT_EQ(chain(9), "3 4 6 5 7");
  EXPECT_EQ(context->firstTop, 8);
  EXPECT_EQ(context->lastTop, 9);
  EXPECT_EQ(context->govNode, 0);
  EXPECT_EQ(context->sentenceType.str(), "X");
}

TEST_F(QuotedClauses, OutOfMemoryRestoresTheHeader) {
  build(kQuoted);
  prepare();
  plat::NotifyRecorder recorder;
  plat::FailPoint fail(cj::kWalkListsFailPoint);
  cj::reanalyseQuotedClauses(*context);
  ASSERT_EQ(recorder.messages.size(), 1u);
  EXPECT_EQ(recorder.messages[0].text, u"メモリ不足!");
  expectHeaderRestored(6);
}

TEST_F(QuotedClauses, HeaderSaveAndRestore) {
  build("w - N; w - N");
  context->nodeCount = 2;
  context->wordCount = 2;
  context->govNode = 1;
  context->govWork = 2;
  context->argCount = 3;
  context->sentenceType = "T";
  cj::saveHeader(*context);
  context->wordCount = context->govNode = context->govWork = context->argCount = 0;
  context->firstTop = context->lastTop = 0;
  context->sentenceType = "";
  context->nodeCount = 7;
  cj::restoreHeader(*context);
  EXPECT_EQ(context->wordCount, 2);
  EXPECT_EQ(context->firstTop, 1);
  EXPECT_EQ(context->lastTop, 2);
  EXPECT_EQ(context->govNode, 1);
  EXPECT_EQ(context->govWork, 2);
  EXPECT_EQ(context->argCount, 3);
  EXPECT_EQ(context->sentenceType.str(), "T");
  EXPECT_EQ(context->nodeCount, 7);  // not restored
}

}  // namespace
