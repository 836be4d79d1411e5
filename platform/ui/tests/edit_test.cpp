// The edit: CR LF kept, selection offsets counted as the platform counts them, visual lines,
// the edit commands, read-only, focus notifications, typed keys on the message path.
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/panel_host.h"
#include "platform/ui/shell.h"
#include "platform/ui/testing.h"
#include "ui_fixture.h"

namespace {

constexpr unsigned kSource = 1001, kResult = 1002;

class EditTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ui::DialogTemplate t;
    t.caption = u"edits";
    t.cx = 120;
    t.cy = 100;
    t.items = {{u"Edit", u"", kSource, ui::kWsVisible | ui::kEsMultiline | ui::kWsVScroll, 2, 2, 60, 40},
               {u"Edit", u"", kResult, ui::kWsVisible | ui::kEsMultiline | ui::kEsReadOnly, 2, 50, 60, 40}};
    dlg = ui::createDialog(t, 0, [this](plat::Hwnd, unsigned m, std::uint32_t w, std::int32_t l) -> std::intptr_t {
      heard.push_back({m, w, l});
      return 0;
    });
    ASSERT_NE(dlg, 0u);
    source = ui::getDlgItem(dlg, kSource);
    result = ui::getDlgItem(dlg, kResult);
  }

  plat::Hwnd dlg = 0, source = 0, result = 0;
  std::vector<Heard> heard;
};

TEST_F(EditTest, KeepsCrLfAndCountsSelectionsAsThePlatformDoes) {
  ui::setWindowText(source, u"你好\r\n世界\r\n!");
  EXPECT_EQ(ui::getWindowText(source), u"你好\r\n世界\r\n!");
  // Offsets: 你好 = 0..2, CR LF = 2..4, 世界 = 4..6, CR LF = 6..8, ! = 8.
  struct Case {
    int start, end;
    std::pair<int, int> want;
    std::u16string selected;
  } cases[] = {
      {4, 6, {4, 6}, u"世界"},
      {1, 5, {1, 5}, u"好\r\n世"},
      {0, -1, {0, 9}, u"你好\r\n世界\r\n!"},
      {3, 3, {2, 2}, u""},  // inside CR LF: at the end of the line
      {8, 100, {8, 9}, u"!"},
  };
  for (const Case& c : cases) {
    ui::editSetSel(source, c.start, c.end);
    EXPECT_EQ(ui::editGetSel(source), c.want) << c.start << "," << c.end;
    std::intptr_t packed = plat::sendMessage(source, ui::kEmGetSel, 0, 0);
    EXPECT_EQ(ui::loWord(static_cast<std::uint32_t>(packed)), static_cast<unsigned>(c.want.first));
    EXPECT_EQ(ui::hiWord(static_cast<std::uint32_t>(packed)), static_cast<unsigned>(c.want.second));
    std::u16string all = ui::getWindowText(source);
    EXPECT_EQ(all.substr(c.want.first, c.want.second - c.want.first), c.selected);
  }
  // A lone LF or CR is a line break too, and comes back as CR LF.
  ui::setWindowText(source, u"a\nb\rc");
  EXPECT_EQ(ui::getWindowText(source), u"a\r\nb\r\nc");
  ui::editSetSel(source, 3, 4);
  ui::editReplaceSel(source, u"X\r\nY");
  EXPECT_EQ(ui::getWindowText(source), u"a\r\nX\r\nY\r\nc");
  EXPECT_EQ(ui::editGetSel(source), std::make_pair(7, 7));
}

// Every offset of a text with empty, long and short lines maps as the CR LF text says: inside a
// line to its character, inside a CR LF to the line's end, past the end to the end.
TEST_F(EditTest, EverySelectionOffsetMapsThroughCrLf) {
  std::u16string text;
  for (int line = 0; line < 40; ++line) {
    if (line) text += u"\r\n";
    text += std::u16string(static_cast<std::size_t>((line * 7) % 5), static_cast<char16_t>(u'a' + line % 26));
  }
  ui::setWindowText(source, text);
  ASSERT_EQ(ui::getWindowText(source), text);
  const int n = static_cast<int>(text.size());
  for (int w = 0; w <= n + 2; ++w) {
    int want = std::min(w, n);
    if (want > 0 && want < n && text[static_cast<std::size_t>(want) - 1] == u'\r') --want;  // between CR and LF
    ui::editSetSel(source, w, w);
    EXPECT_EQ(ui::editGetSel(source), std::make_pair(want, want)) << "offset " << w;
  }
  ui::editSetSel(source, 0, -1);
  EXPECT_EQ(ui::editGetSel(source), std::make_pair(0, n));
}

TEST_F(EditTest, CountsVisualLinesAndScrollsByLines) {
  ui::setWindowText(source, u"one\r\ntwo");
  ui::processPendingEvents();
  EXPECT_EQ(plat::sendMessage(source, ui::kEmGetLineCount, 0, 0), 2);
  // A long line wraps at the width of the pane.
  std::u16string longLine(200, u'字');
  ui::setWindowText(source, longLine);
  ui::processPendingEvents();
  std::intptr_t wrapped = plat::sendMessage(source, ui::kEmGetLineCount, 0, 0);
  EXPECT_GT(wrapped, 5);
  EXPECT_EQ(plat::sendMessage(source, ui::kEmGetFirstVisibleLine, 0, 0), 0);
  plat::sendMessage(source, ui::kEmLineScroll, 0, 3);
  EXPECT_EQ(plat::sendMessage(source, ui::kEmGetFirstVisibleLine, 0, 0), 3);
}

TEST_F(EditTest, EditCommandsAndReadOnly) {
  ui::setWindowText(source, u"日本語");
  ui::editSetSel(source, 0, 2);
  plat::sendMessage(source, ui::kWmCopy, 0, 0);
  EXPECT_TRUE(ui::clipboardHasText());
  EXPECT_EQ(ui::clipboardText(), u"日本");
  plat::sendMessage(source, ui::kWmCut, 0, 0);
  EXPECT_EQ(ui::getWindowText(source), u"語");
  plat::sendMessage(source, ui::kEmSetSel, 1, 1);
  plat::sendMessage(source, ui::kWmPaste, 0, 0);
  EXPECT_EQ(ui::getWindowText(source), u"語日本");
  EXPECT_NE(plat::sendMessage(source, ui::kEmCanUndo, 0, 0), 0);
  plat::sendMessage(source, ui::kWmUndo, 0, 0);
  EXPECT_EQ(ui::getWindowText(source), u"語");
  plat::sendMessage(source, ui::kEmSetSel, 0, -1);
  plat::sendMessage(source, ui::kWmClear, 0, 0);
  EXPECT_EQ(ui::getWindowText(source), u"");

  // The read-only pane takes nothing, neither paste nor clear nor typed characters.
  ui::setWindowText(result, u"結果");
  EXPECT_TRUE(ui::editIsReadOnly(result));
  plat::sendMessage(result, ui::kEmSetSel, 0, -1);
  plat::sendMessage(result, ui::kWmPaste, 0, 0);
  plat::sendMessage(result, ui::kWmClear, 0, 0);
  plat::sendMessage(result, plat::kWmChar, u'x', 1);
  EXPECT_EQ(ui::getWindowText(result), u"結果");
  plat::sendMessage(result, ui::kEmSetReadOnly, 0, 0);
  EXPECT_FALSE(ui::editIsReadOnly(result));
  EXPECT_EQ(ui::windowStyle(result) & ui::kEsReadOnly, 0u);
  plat::sendMessage(result, plat::kWmChar, u'x', 1);
  EXPECT_EQ(ui::getWindowText(result), u"x");
}

TEST_F(EditTest, FocusNotificationsReachTheDialog) {
  ui::setFocus(result);
  heard.clear();
  ui::setFocus(source);
  ui::setFocus(result);
  ui::processPendingEvents();
  EXPECT_EQ(ui::getFocus(), result);
  EXPECT_EQ(countOf(heard, plat::kWmCommand, ui::makeWParam(kSource, ui::kEnSetFocus)), 1);
  EXPECT_EQ(countOf(heard, plat::kWmCommand, ui::makeWParam(kSource, ui::kEnKillFocus)), 1);
  EXPECT_EQ(countOf(heard, plat::kWmCommand, ui::makeWParam(kResult, ui::kEnSetFocus)), 1);
  // The order is kill of the old pane, then set of the new one.
  std::vector<std::uint32_t> order;
  for (const Heard& h : heard) {
    if (h.msg == plat::kWmCommand) order.push_back(h.wParam);
  }
  auto kill = std::find(order.begin(), order.end(), ui::makeWParam(kSource, ui::kEnKillFocus));
  auto set = std::find(order.begin(), order.end(), ui::makeWParam(kResult, ui::kEnSetFocus));
  EXPECT_LT(kill, set);
}

TEST_F(EditTest, TypedKeysTravelTheProceduresAndThePreTranslation) {
  // A subclass sees every character; the dialog's pre-translation swallows Return in this pane.
  std::u16string chars;
  plat::WndProc previous = plat::setWindowProc(source, nullptr);
  plat::setWindowProc(source, [&chars, previous](plat::Hwnd h, unsigned m, std::uint32_t w, std::int32_t l) -> std::intptr_t {
    if (m == plat::kWmChar) chars.push_back(static_cast<char16_t>(w));
    return previous(h, m, w, l);
  });
  ui::setPreTranslateHook(dlg, [&](plat::Msg& m) { return m.message == plat::kWmKeyDown && m.wParam == ui::kVkReturn && m.hwnd == source; });
  ui::setFocus(source);
  ui::testing::typeText(source, u"ab");
  ui::testing::pressKey(source, ui::kVkReturn);
  ui::testing::pressKey(source, ui::kVkBack);
  EXPECT_EQ(chars, u"ab\b");
  EXPECT_EQ(ui::getWindowText(source), u"a");
  EXPECT_GE(countOf(heard, plat::kWmCommand, ui::makeWParam(kSource, ui::kEnChange)), 1);
  plat::setWindowProc(source, previous);
  ui::setPreTranslateHook(dlg, nullptr);
}

TEST_F(EditTest, TabMovesTheFocusInsteadOfTyping) {
  ui::setWindowText(source, u"ab");
  ui::setFocus(source);
  ui::testing::pressKey(source, ui::kVkTab);
  EXPECT_EQ(ui::getWindowText(source), u"ab");
  EXPECT_EQ(ui::getFocus(), result);
}

TEST_F(EditTest, CompositionReachesTheControlProcedureAsCompositionMessages) {
  std::vector<unsigned> seen;
  std::u16string composing, result;
  int charsAfterResult = 0;
  bool afterResult = false;
  plat::WndProc previous = plat::setWindowProc(source, nullptr);
  plat::setWindowProc(source, [&, previous](plat::Hwnd h, unsigned m, std::uint32_t w, std::int32_t l) -> std::intptr_t {
    if (m == ui::kWmImeStartComposition || m == ui::kWmImeEndComposition) seen.push_back(m);
    if (m == ui::kWmImeComposition) {
      seen.push_back(m);
      if (l & ui::kGcsCompStr) composing = ui::compositionString(h, ui::kGcsCompStr);
      if (l & ui::kGcsResultStr) {
        result = ui::compositionString(h, ui::kGcsResultStr);
        afterResult = true;
      }
    }
    if (m == plat::kWmChar && afterResult) ++charsAfterResult;
    return previous(h, m, w, l);
  });
  ui::setFocus(source);
  ui::testing::compose(source, u"かんじ", u"");
  EXPECT_EQ(composing, u"かんじ");
  EXPECT_EQ(ui::getWindowText(source), u"");  // not in the text while composed
  ui::testing::compose(source, u"", u"漢字");
  EXPECT_EQ(result, u"漢字");
  EXPECT_EQ(charsAfterResult, 2);  // the result arrives as characters through the procedure
  EXPECT_EQ(ui::getWindowText(source), u"漢字");
  EXPECT_EQ(seen, (std::vector<unsigned>{ui::kWmImeStartComposition, ui::kWmImeComposition, ui::kWmImeComposition,
                                         ui::kWmImeEndComposition}));
  plat::setWindowProc(source, previous);
}

}  // namespace
