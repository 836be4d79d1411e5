// Menus: the text form, a menu bar with check marks and button text, the popup on tap and hold
// whose items are enabled from the clipboard and the selection when it opens.
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/menu.h"
#include "platform/ui/shell.h"
#include "platform/ui/testing.h"
#include "ui_fixture.h"

namespace {

constexpr unsigned kUndo = 57643, kCut = 57635, kCopy = 57634, kPaste = 57637, kDelete = 57632, kSelectAll = 32773,
                   kLookup = 32788, kTwoPanes = 32811;
constexpr unsigned kSource = 1001, kReading = 1014, kButton = 1000;

ui::MenuItem cmd(unsigned id, const char16_t* text) {
  ui::MenuItem it;
  it.id = id;
  it.text = text;
  return it;
}
const ui::MenuItem kSeparator{};

ui::MenuTemplate popupTemplate() {
  ui::MenuTemplate t;
  ui::MenuItem popup;
  popup.popup = true;
  popup.text = u"popup";
  popup.children = {cmd(kUndo, u"元に戻す"),   kSeparator,          cmd(kCut, u"切り取り"), cmd(kCopy, u"コピー"),
                    cmd(kPaste, u"貼り付け"), cmd(kDelete, u"削除"), kSeparator,             cmd(kSelectAll, u"すべて選択"),
                    kSeparator,             cmd(kLookup, u"辞書引き")};
  t.items.push_back(popup);
  return t;
}

ui::MenuTemplate barTemplate() {
  ui::MenuTemplate t;
  ui::MenuItem settings;
  settings.popup = true;
  settings.text = u"設定";
  ui::MenuItem pinyin;
  pinyin.popup = true;
  pinyin.text = u"ピンイン";
  pinyin.children = {cmd(32800, u"カタカナ"), cmd(32801, u"声調あり"), cmd(32802, u"声調なし"), cmd(32803, u"数字付き")};
  pinyin.children[3].checked = true;
  settings.children = {pinyin, cmd(32807, u"音声")};
  ui::MenuItem image = cmd(kLookup, u"辞書");
  image.image = 0;
  t.items = {settings, cmd(kTwoPanes, u"２画面"), image};
  return t;
}

class MenuTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ui::DialogTemplate t;
    t.caption = u"menus";
    t.cx = 120;
    t.cy = 100;
    t.items = {{u"Edit", u"", kSource, ui::kWsVisible | ui::kEsMultiline, 2, 2, 100, 30},
               {u"Edit", u"", kReading, ui::kWsVisible | ui::kEsMultiline | ui::kEsReadOnly, 2, 40, 100, 30},
               {u"Button", u"翻訳", kButton, ui::kWsVisible, 2, 80, 30, 14}};
    popup = ui::createMenu(popupTemplate());
    dlg = ui::createDialog(t, 0, [this](plat::Hwnd h, unsigned m, std::uint32_t w, std::int32_t l) -> std::intptr_t {
      heard.push_back({m, w, l});
      if (m == ui::kWmContextMenu) {
        // Tap and hold in a pane: focus it and open the popup at the pen.
        ui::setFocus(static_cast<plat::Hwnd>(w));
        ui::trackPopupMenu(ui::subMenu(popup, 0), {ui::loShort(l), ui::hiShort(l)}, h);
        return 1;
      }
      if (m == ui::kWmInitMenuPopup) {
        refreshEditItems(static_cast<ui::Menu>(w));
        return 1;
      }
      return 0;
    });
    ASSERT_NE(dlg, 0u);
  }
  void TearDown() override {
    ui::setPopupMenuHook(nullptr);
    ui::destroyMenu(popup);
    UiTest::TearDown();
  }

  // The program's refresh rule: edit items by the focused edit's selection, paste by the clipboard.
  void refreshEditItems(ui::Menu m) {
    plat::Hwnd focus = ui::getFocus();
    bool isEdit = plat::windowClassName(focus) == u"Edit";
    auto [a, b] = isEdit ? ui::editGetSel(focus) : std::make_pair(0, 0);
    bool selection = isEdit && a != b;
    ui::enableMenuItem(m, kCut, selection);
    ui::enableMenuItem(m, kCopy, selection);
    ui::enableMenuItem(m, kDelete, selection);
    ui::enableMenuItem(m, kPaste, isEdit && !ui::editIsReadOnly(focus) && ui::clipboardHasText());
  }

  plat::Hwnd dlg = 0;
  ui::Menu popup = 0;
  std::vector<Heard> heard;
};

TEST_F(MenuTest, PopupOnTapAndHoldIsRefreshedWhenItOpens) {
  struct Case {
    unsigned pane;
    const char16_t* text;
    int selStart, selEnd;
    const char16_t* clipboard;
    bool cut, paste;
  } cases[] = {
      {kSource, u"你好世界", 0, 2, u"x", true, true},
      {kSource, u"你好世界", 1, 1, u"x", false, true},
      {kSource, u"你好世界", 0, 2, u"", true, false},
      {kReading, u"nǐ hǎo", 0, 3, u"x", true, false},  // read-only: no paste
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.pane << " " << c.selStart << "-" << c.selEnd);
    plat::Hwnd pane = ui::getDlgItem(dlg, c.pane);
    ui::setWindowText(pane, c.text);
    ui::editSetSel(pane, c.selStart, c.selEnd);
    ui::setClipboardText(c.clipboard);
    ui::setFocus(ui::getDlgItem(dlg, kButton));
    std::optional<bool> cut, paste;
    ui::Menu opened = 0;
    ui::setPopupMenuHook([&](ui::Menu m) -> unsigned {
      opened = m;
      cut = ui::isMenuItemEnabled(m, kCut);
      paste = ui::isMenuItemEnabled(m, kPaste);
      return 0;
    });
    heard.clear();
    ui::testing::tapAndHold(pane, {5, 5}, c.pane == kReading);
    ASSERT_NE(opened, 0);
    EXPECT_EQ(ui::getFocus(), pane);  // the dialog focused the pane first
    EXPECT_EQ(cut, c.cut);
    EXPECT_EQ(paste, c.paste);
    // The gesture came with the pen's screen position.
    ASSERT_GE(countOf(heard, ui::kWmContextMenu, pane), 1);
    for (const Heard& h : heard) {
      if (h.msg != ui::kWmContextMenu) continue;
      ui::Point at = ui::screenToClient(pane, {ui::loShort(h.lParam), ui::hiShort(h.lParam)});
      EXPECT_NEAR(at.x, 5, 1);
      EXPECT_NEAR(at.y, 5, 1);
    }
  }
}

TEST_F(MenuTest, ChosenItemBecomesACommandUnlessItIsDisabled) {
  plat::Hwnd pane = ui::getDlgItem(dlg, kSource);
  ui::setWindowText(pane, u"abc");
  ui::editSetSel(pane, 0, 0);
  ui::setPopupMenuHook([](ui::Menu) -> unsigned { return kCopy; });  // disabled: nothing selected
  heard.clear();
  ui::testing::tapAndHold(pane, {3, 3}, true);
  EXPECT_EQ(countOf(heard, plat::kWmCommand, ui::makeWParam(kCopy, 0)), 0);
  ui::setPopupMenuHook([](ui::Menu) -> unsigned { return kSelectAll; });
  ui::testing::tapAndHold(pane, {3, 3}, true);
  EXPECT_EQ(countOf(heard, plat::kWmCommand, ui::makeWParam(kSelectAll, 0)), 1);
}

TEST_F(MenuTest, MenuBarKeepsChecksEnableStatesAndButtonText) {
  ui::Bitmap images = ui::createBitmap(16, 16, {0, 128, 0});
  ui::Menu bar = ui::createMenu(barTemplate());
  ASSERT_TRUE(ui::setMenuBar(dlg, bar, images, 16));
  EXPECT_EQ(ui::menuBarOf(dlg), bar);
  EXPECT_EQ(ui::isMenuItemChecked(bar, 32803), true);
  // Reading mode 1 chosen: its item checked, the others not.
  for (unsigned id = 32800; id <= 32803; ++id) ui::checkMenuItem(bar, id, id == 32801);
  EXPECT_EQ(ui::isMenuItemChecked(bar, 32801), true);
  EXPECT_EQ(ui::isMenuItemChecked(bar, 32803), false);
  EXPECT_TRUE(ui::setMenuItemText(bar, kTwoPanes, u"３画面"));
  EXPECT_EQ(ui::menuItemText(bar, kTwoPanes), u"３画面");
  EXPECT_TRUE(ui::enableMenuItem(bar, 32807, false));
  EXPECT_EQ(ui::isMenuItemEnabled(bar, 32807), false);
  EXPECT_FALSE(ui::checkMenuItem(bar, 4242, true));
  EXPECT_FALSE(ui::isMenuItemEnabled(bar, 4242).has_value());
  EXPECT_EQ(ui::menuItemCount(bar), 3);
  EXPECT_EQ(ui::menuItemId(bar, 1), kTwoPanes);
  EXPECT_NE(ui::subMenu(ui::subMenu(bar, 0), 0), 0);
  // The bar takes room at the foot of the dialog: the client area is smaller than the window.
  ui::processPendingEvents();
  EXPECT_LT(ui::clientRect(dlg).height(), ui::windowRect(dlg).height());
  ui::deleteBitmap(images);
}

TEST_F(MenuTest, AcceleratorsBecomeCommands) {
  ui::setAccelerators(dlg, {{plat::kAccelControl, 'C', kCopy}});
  plat::Hwnd pane = ui::getDlgItem(dlg, kSource);
  heard.clear();
  plat::postMessage(pane, plat::kWmKeyDown, 'C', static_cast<std::int32_t>(plat::kAccelControl));
  ui::processPendingEvents();
  EXPECT_EQ(countOf(heard, plat::kWmCommand, 0x10000u | kCopy), 1);
}

TEST(MenuText, RoundTripsAndRejectsBrokenLines) {
  ui::MenuTemplate t = barTemplate();
  std::string text = ui::formatMenuTemplate(t);
  std::optional<ui::MenuTemplate> back = ui::parseMenuTemplate(text);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(ui::formatMenuTemplate(*back), text);
  ASSERT_EQ(back->items.size(), 3u);
  EXPECT_TRUE(back->items[0].popup);
  EXPECT_EQ(back->items[0].children[0].children[3].text, u"数字付き");
  EXPECT_TRUE(back->items[0].children[0].children[3].checked);
  EXPECT_EQ(back->items[2].image, 0);
  EXPECT_EQ(ui::formatMenuTemplate(popupTemplate()).find("SEPARATOR") != std::string::npos, true);
  for (const char* bad : {"ITEM x text\n", "   ITEM 1 odd indent\n", "  ITEM 1 too deep\n", "WHAT 1\n"}) {
    EXPECT_FALSE(ui::parseMenuTemplate(bad).has_value()) << bad;
  }
}

}  // namespace
