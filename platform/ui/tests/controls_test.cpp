// Combo box, list box, trackbar, tab control and buttons: their notifications reach the dialog
// procedure when a person acts, and not when the program changes them.
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/drawing.h"
#include "platform/ui/testing.h"
#include "ui_fixture.h"

namespace {

constexpr unsigned kDirection = 1003, kSearch = 1060, kList = 1054, kVolume = 1011, kTab = 1029, kSpeak = 1004,
                   kRadioA = 1000, kRadioB = 1001, kArrow = 1005;

class ControlsTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ui::DialogTemplate t;
    t.caption = u"controls";
    t.cx = 160;
    t.cy = 200;
    t.items = {
        {u"ComboBox", u"", kDirection, ui::kWsVisible | ui::kCbsDropDownList, 2, 2, 40, 60},
        {u"ComboBox", u"", kSearch, ui::kWsVisible | ui::kCbsDropDown, 50, 2, 80, 60},
        {u"ListBox", u"", kList, ui::kWsVisible | ui::kWsVScroll | ui::kWsHScroll, 2, 20, 100, 60},
        {u"msctls_trackbar32", u"", kVolume, ui::kWsVisible, 2, 90, 100, 14},
        {u"SysTabControl32", u"", kTab, ui::kWsVisible, 2, 110, 100, 14},
        {u"Button", u"朗読", kSpeak, ui::kWsVisible, 110, 20, 40, 14},
        {u"Button", u"文字セット", 999, ui::kWsVisible | ui::kBsGroupBox, 104, 40, 54, 40},
        {u"Button", u"簡体字", kRadioA, ui::kWsVisible | ui::kWsGroup | ui::kBsAutoRadioButton, 106, 50, 50, 10},
        {u"Button", u"繁体字", kRadioB, ui::kWsVisible | ui::kBsAutoRadioButton, 106, 62, 50, 10},
        {u"Button", u"", kArrow, ui::kWsVisible | ui::kBsOwnerDraw, 110, 90, 8, 40},
    };
    dlg = ui::createDialog(t, 0, [this](plat::Hwnd, unsigned m, std::uint32_t w, std::int32_t l) -> std::intptr_t {
      heard.push_back({m, w, l});
      if (m == plat::kWmCommand && w == ui::makeWParam(kList, ui::kLbnSelChange))
        selectedWhenTold.push_back(static_cast<int>(plat::sendMessage(static_cast<plat::Hwnd>(l), ui::kLbGetCurSel, 0, 0)));
      if (m == ui::kWmNotify) {
        const ui::NotifyInfo* n = ui::notifyInfo(l);
        if (n) notes.push_back(*n);
        if (n && n->code == ui::kNmCustomDraw) positions.push_back(static_cast<int>(plat::sendMessage(n->from, ui::kTbmGetPos, 0, 0)));
      }
      if (m == ui::kWmDrawItem) {
        const ui::DrawItemInfo* d = ui::drawItemInfo(l);
        if (d) {
          drawn.push_back(*d);
          ui::Point tri[3] = {{0, 0}, {d->rect.right - 1, d->rect.bottom / 2}, {0, d->rect.bottom - 1}};
          d->painter->fillRect(d->rect, {255, 255, 255});
          d->painter->fillPolygon(tri, 3, {0, 0, 0});
        }
        return 1;
      }
      return 0;
    });
    ASSERT_NE(dlg, 0u);
    heard.clear();
  }
  plat::Hwnd item(unsigned id) { return ui::getDlgItem(dlg, id); }
  int commands(unsigned id, unsigned code) { return countOf(heard, plat::kWmCommand, ui::makeWParam(id, code)); }

  plat::Hwnd dlg = 0;
  std::vector<Heard> heard;
  std::vector<int> selectedWhenTold;  // the list's selection as its dialog reads it in each LBN_SELCHANGE
  std::vector<ui::NotifyInfo> notes;
  std::vector<ui::DrawItemInfo> drawn;
  std::vector<int> positions;
};

TEST_F(ControlsTest, ComboBoxesNotifyChoicesAndEditsButNotProgramChanges) {
  plat::Hwnd combo = item(kDirection);
  EXPECT_EQ(ui::comboAddString(combo, u"日→中"), 0);
  EXPECT_EQ(ui::comboAddString(combo, u"中→日"), 1);
  plat::sendMessage(combo, ui::kCbSetCurSel, 1, 0);
  EXPECT_EQ(plat::sendMessage(combo, ui::kCbGetCurSel, 0, 0), 1);
  EXPECT_EQ(commands(kDirection, ui::kCbnSelChange), 0);
  ui::testing::chooseItem(combo, 0);
  EXPECT_EQ(commands(kDirection, ui::kCbnSelChange), 1);
  EXPECT_EQ(plat::sendMessage(combo, ui::kCbGetCurSel, 0, 0), 0);
  EXPECT_EQ(ui::comboGetItemText(combo, 1), u"中→日");
  EXPECT_EQ(ui::comboEdit(combo), 0u);

  // The editable box: its edit is a window of class "Edit"; typing and focus are the box's news.
  plat::Hwnd search = item(kSearch);
  plat::Hwnd edit = ui::comboEdit(search);
  ASSERT_NE(edit, 0u);
  EXPECT_EQ(plat::windowClassName(edit), u"Edit");
  ui::comboInsertString(search, 0, u"学生");
  ui::setFocus(edit);
  EXPECT_EQ(commands(kSearch, ui::kCbnSetFocus), 1);
  ui::testing::typeText(edit, u"中国");
  EXPECT_EQ(ui::getWindowText(search), u"中国");
  EXPECT_EQ(commands(kSearch, ui::kCbnEditChange), 2);
  ui::setFocus(item(kSpeak));
  EXPECT_EQ(commands(kSearch, ui::kCbnKillFocus), 1);
}

TEST_F(ControlsTest, ListBoxSelectionInsertAtTopAndHorizontalExtent) {
  plat::Hwnd list = item(kList);
  for (const char16_t* w : {u"あ", u"い", u"う"}) ui::listAddString(list, w);
  EXPECT_EQ(ui::listInsertString(list, 0, u"top"), 0);
  EXPECT_EQ(plat::sendMessage(list, ui::kLbGetCount, 0, 0), 4);
  EXPECT_EQ(ui::listGetText(list, 0), u"top");
  EXPECT_EQ(ui::listGetText(list, 3), u"う");
  EXPECT_EQ(plat::sendMessage(list, ui::kLbGetCurSel, 0, 0), -1);
  plat::sendMessage(list, ui::kLbSetCurSel, 2, 0);
  EXPECT_EQ(commands(kList, ui::kLbnSelChange), 0);
  ui::testing::chooseItem(list, 1);
  EXPECT_EQ(commands(kList, ui::kLbnSelChange), 1);
  EXPECT_EQ(plat::sendMessage(list, ui::kLbGetCurSel, 0, 0), 1);
  // The last line can be chosen; one past it, or before the first, clears the selection.
  const struct {
    int index, result, selected;
  } picks[] = {{3, 3, 3}, {4, -1, -1}, {0, 0, 0}, {-1, -1, -1}, {2, 2, 2}, {5, -1, -1}};
  for (const auto& p : picks) {
    EXPECT_EQ(plat::sendMessage(list, ui::kLbSetCurSel, static_cast<std::uint32_t>(p.index), 0), p.result) << p.index;
    EXPECT_EQ(plat::sendMessage(list, ui::kLbGetCurSel, 0, 0), p.selected) << p.index;
  }
  EXPECT_EQ(commands(kList, ui::kLbnSelChange), 1);
  int width = ui::listTextWidth(list, u"一二三四五六七八九十一二三四五六七八九十");
  EXPECT_GT(width, 100);
  plat::sendMessage(list, ui::kLbSetHorizontalExtent, width + 5, 0);
  EXPECT_EQ(plat::sendMessage(list, ui::kLbGetHorizontalExtent, 0, 0), width + 5);
  plat::sendMessage(list, ui::kLbDeleteString, 0, 0);
  EXPECT_EQ(ui::listGetText(list, 0), u"あ");
  plat::sendMessage(list, ui::kLbResetContent, 0, 0);
  EXPECT_EQ(plat::sendMessage(list, ui::kLbGetCount, 0, 0), 0);
}

TEST_F(ControlsTest, ListBoxTellsItsDialogOnceTheNewSelectionIsSet) {
  plat::Hwnd list = item(kList);
  for (const char16_t* w : {u"あ", u"い", u"う", u"え"}) ui::listAddString(list, w);
  ui::testing::chooseItem(list, 2);  // from no selection
  ui::testing::chooseItem(list, 0);  // from another line
  ui::testing::chooseItem(list, 0);  // the same line again: no change
  ui::setFocus(list);
  ui::testing::pressKey(list, ui::kVkDown);
  ui::testing::pressKey(list, ui::kVkDown, true);
  ui::testing::releaseKey(list, ui::kVkDown);
  ui::testing::pressKey(list, ui::kVkUp);
  EXPECT_EQ(selectedWhenTold, (std::vector<int>{2, 0, 1, 2, 1}));
  EXPECT_EQ(commands(kList, ui::kLbnSelChange), 5);
}

TEST_F(ControlsTest, HeldArrowKeysReachThePreTranslationWithTheRepeatAndTheRelease) {
  plat::Hwnd list = item(kList);
  for (const char16_t* w : {u"あ", u"い", u"う", u"え"}) ui::listAddString(list, w);
  plat::sendMessage(list, ui::kLbSetCurSel, 0, 0);
  std::vector<plat::Msg> keys;
  ui::setPreTranslateHook(dlg, [&](plat::Msg& m) {
    if (m.hwnd == list) keys.push_back(m);
    return false;
  });
  ui::setFocus(list);
  ui::testing::pressKey(list, ui::kVkDown);
  ui::testing::pressKey(list, ui::kVkDown, true);
  ui::testing::releaseKey(list, ui::kVkDown);
  ui::setPreTranslateHook(dlg, nullptr);
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_EQ(keys[0].message, plat::kWmKeyDown);
  EXPECT_EQ(keys[0].wParam, ui::kVkDown);
  EXPECT_EQ(static_cast<std::uint32_t>(keys[0].lParam) & ui::kKeyRepeatFlag, 0u);
  EXPECT_NE(static_cast<std::uint32_t>(keys[1].lParam) & ui::kKeyRepeatFlag, 0u);
  EXPECT_EQ(keys[2].message, ui::kWmKeyUp);
  // Not taken by the pre-translation: the list moved down twice.
  EXPECT_EQ(plat::sendMessage(list, ui::kLbGetCurSel, 0, 0), 2);
}

TEST_F(ControlsTest, TrackbarReportsScrollingAndCustomDrawWithItsPosition) {
  plat::Hwnd bar = item(kVolume);
  plat::sendMessage(bar, ui::kTbmSetRange, 1, ui::makeLParam(0, 9));
  plat::sendMessage(bar, ui::kTbmSetPos, 1, 7);
  EXPECT_EQ(plat::sendMessage(bar, ui::kTbmGetPos, 0, 0), 7);
  EXPECT_EQ(plat::sendMessage(bar, ui::kTbmGetRangeMax, 0, 0), 9);
  EXPECT_EQ(countOf(heard, ui::kWmHScroll, ui::makeWParam(ui::kTbThumbTrack, 7)), 0);
  positions.clear();
  ui::testing::dragTrackbar(bar, 3);
  ui::testing::paint(bar);
  EXPECT_EQ(countOf(heard, ui::kWmHScroll, ui::makeWParam(ui::kTbThumbTrack, 3)), 1);
  ASSERT_FALSE(positions.empty());
  EXPECT_EQ(positions.back(), 3);  // the custom draw comes with the new position
  EXPECT_EQ(notes.back().code, ui::kNmCustomDraw);
  EXPECT_EQ(notes.back().id, kVolume);
}

TEST_F(ControlsTest, TabControlNotifiesTheChoice) {
  plat::Hwnd tab = item(kTab);
  ui::tabInsertItem(tab, 0, u"  日中");
  ui::tabInsertItem(tab, 1, u"  中日");
  auto tabNotes = [&] {
    std::vector<ui::NotifyInfo> out;
    for (const ui::NotifyInfo& n : notes) {
      if (n.from == tab) out.push_back(n);
    }
    return out;
  };
  plat::sendMessage(tab, ui::kTcmSetCurSel, 1, 0);
  EXPECT_TRUE(tabNotes().empty());
  ui::testing::chooseItem(tab, 0);
  ASSERT_EQ(tabNotes().size(), 1u);
  EXPECT_EQ(tabNotes()[0].code, ui::kTcnSelChange);
  EXPECT_EQ(plat::sendMessage(tab, ui::kTcmGetCurSel, 0, 0), 0);
  EXPECT_EQ(plat::sendMessage(tab, ui::kTcmGetItemCount, 0, 0), 2);
}

TEST_F(ControlsTest, ButtonsClickCheckChangeIdAndDrawThemselves) {
  plat::Hwnd speak = item(kSpeak);
  ui::testing::clickButton(speak);
  EXPECT_EQ(commands(kSpeak, ui::kBnClicked), 1);
  // The Speak button becomes Stop: a new id and text.
  ui::setDlgCtrlId(speak, 1005 + 100);
  ui::setWindowText(speak, u"停止");
  ui::testing::clickButton(speak);
  EXPECT_EQ(commands(1105, ui::kBnClicked), 1);
  EXPECT_EQ(ui::getWindowText(speak), u"停止");
  EXPECT_EQ(ui::getDlgItem(dlg, 1105), speak);

  // Radio buttons of one group exclude each other, by program and by hand.
  ui::checkDlgButton(dlg, kRadioB, true);
  EXPECT_TRUE(ui::isDlgButtonChecked(dlg, kRadioB));
  ui::testing::clickButton(item(kRadioA));
  EXPECT_TRUE(ui::isDlgButtonChecked(dlg, kRadioA));
  EXPECT_FALSE(ui::isDlgButtonChecked(dlg, kRadioB));
  ui::checkRadioButton(dlg, kRadioA, kRadioB, kRadioB);
  EXPECT_FALSE(ui::isDlgButtonChecked(dlg, kRadioA));
  EXPECT_EQ(ui::getDlgItemText(dlg, 999), u"文字セット");

  // The owner-drawn button asks the dialog to draw it on a bitmap of its size.
  ui::testing::paint(item(kArrow));
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.back().ctlId, kArrow);
  EXPECT_EQ(drawn.back().ctlType, ui::kOdtButton);
  ui::Rect r = ui::windowRect(item(kArrow));
  EXPECT_EQ(drawn.back().rect, (ui::Rect{0, 0, r.width(), r.height()}));
}

TEST_F(ControlsTest, EnableAndShowFollowTheProgram) {
  plat::Hwnd speak = item(kSpeak);
  ui::enableWindow(speak, false);
  EXPECT_FALSE(ui::isWindowEnabled(speak));
  ui::testing::clickButton(speak);
  EXPECT_EQ(commands(kSpeak, ui::kBnClicked), 0);
  ui::showWindow(speak, false);
  EXPECT_FALSE(ui::isWindowVisible(speak));
  ui::showWindow(speak, true);
  EXPECT_TRUE(ui::isWindowVisible(speak));
}

TEST(ImageLists, CutAStripAndMakeTheMaskColourTransparent) {
  ASSERT_TRUE(ui::initApplication());
  ui::Bitmap strip = ui::createBitmap(32, 16, {192, 192, 192});
  {
    ui::Painter p(strip);
    p.fillRect({2, 2, 6, 6}, {255, 0, 0});
    p.fillRect({18, 2, 22, 6}, {0, 0, 255});
  }
  int list = ui::createImageList(strip, 16, {192, 192, 192});
  EXPECT_EQ(ui::imageCount(list), 2);
  EXPECT_TRUE(ui::imageTransparent(list, 0, 0, 0));
  EXPECT_FALSE(ui::imageTransparent(list, 0, 3, 3));
  EXPECT_FALSE(ui::imageTransparent(list, 1, 3, 3));
  ui::Bitmap second = ui::imageListBitmap(list, 1);
  EXPECT_EQ(ui::bitmapSize(second), (ui::Point{16, 16}));
  EXPECT_EQ(ui::bitmapPixel(second, 3, 3), (ui::Color{0, 0, 255}));
  EXPECT_EQ(ui::bitmapPixel(second, 0, 0), (ui::Color{255, 255, 255}));  // transparent shows white
  EXPECT_EQ(ui::imageListBitmap(list, 2), 0);
  ui::deleteBitmap(strip);
  ui::deleteBitmap(second);
}

}  // namespace
