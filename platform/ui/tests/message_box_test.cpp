// Message boxes, beeps and the wait cursor through platform/core's hook: the window system shows
// them; a test's recorder answers them instead.
#include "platform/core/notify.h"
#include "platform/core/notify_recorder.h"
#include "platform/ui/dialog.h"
#include "platform/ui/testing.h"
#include "ui_fixture.h"

namespace {

class MessageBoxTest : public UiTest {};

TEST_F(MessageBoxTest, TheWindowSystemShowsTheBoxWithItsCaptionIconAndButtons) {
  struct Case {
    unsigned flags;
    int answer;
    int buttons;
  } cases[] = {
      {plat::kMbOk | plat::kMbIconExclamation, plat::kIdOk, 1},
      {plat::kMbYesNo | plat::kMbIconQuestion, plat::kIdNo, 2},
      {plat::kMbYesNo | plat::kMbIconStop, plat::kIdYes, 2},
      {plat::kMbOkCancel | plat::kMbIconInformation, plat::kIdCancel, 2},
      {plat::kMbYesNoCancel, plat::kIdCancel, 3},
  };
  for (const Case& c : cases) {
    ui::testing::ShownBox seen;
    ui::testing::answerNextMessageBox(c.answer, &seen);
    int got = plat::messageBox(u"中国語手書き検索がありません。", u"日中・中日辞典", c.flags);
    EXPECT_EQ(got, c.answer) << c.flags;
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(seen.text, u"中国語手書き検索がありません。");
    EXPECT_EQ(seen.caption, u"日中・中日辞典");
    EXPECT_EQ(seen.icon, c.flags & 0xF0u);
    EXPECT_EQ(seen.buttonCount, c.buttons);
  }
}

TEST_F(MessageBoxTest, ARecorderAnswersBoxesRaisedByADialogAndCountsBeeps) {
  plat::NotifyRecorder recorder(plat::kIdYes);
  ui::DialogTemplate t;
  t.caption = u"box";
  t.cx = 80;
  t.cy = 40;
  t.items = {{u"Button", u"登録", 1005, ui::kWsVisible, 2, 2, 30, 14}};
  std::vector<int> answers;
  plat::Hwnd dlg = ui::createDialog(t, 0, [&](plat::Hwnd, unsigned m, std::uint32_t w, std::int32_t) -> std::intptr_t {
    if (m == plat::kWmCommand && ui::loWord(w) == 1005) {
      answers.push_back(plat::messageBox(u"既に登録されています", u"日中・中日辞典", plat::kMbYesNo | plat::kMbIconExclamation));
      plat::messageBeep(plat::kMbIconExclamation);
      return 1;
    }
    return 0;
  });
  ui::testing::clickButton(ui::getDlgItem(dlg, 1005));
  recorder.setAnswer(plat::kIdNo);
  ui::testing::clickButton(ui::getDlgItem(dlg, 1005));
  EXPECT_EQ(answers, (std::vector<int>{plat::kIdYes, plat::kIdNo}));
  ASSERT_EQ(recorder.messages.size(), 2u);
  EXPECT_EQ(recorder.messages[0].text, u"既に登録されています");
  EXPECT_EQ(recorder.messages[0].flags, plat::kMbYesNo | plat::kMbIconExclamation);
  EXPECT_EQ(recorder.beeps.size(), 2u);
}

TEST_F(MessageBoxTest, WaitCursorComesAndGoes) {
  EXPECT_FALSE(ui::waitCursorShown());
  plat::setWaitCursor(true);
  plat::setWaitCursor(true);
  EXPECT_TRUE(ui::waitCursorShown());
  plat::setWaitCursor(false);  // one state, not a count
  EXPECT_FALSE(ui::waitCursorShown());
  plat::setWaitCursor(false);
  EXPECT_FALSE(ui::waitCursorShown());
}

}  // namespace
