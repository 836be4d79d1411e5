// Dialogs from templates: controls at their dialog-unit rectangles, re-laid out from another
// template when the screen turns, base units that follow the resolution, the text form.
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/drawing.h"
#include "platform/ui/testing.h"
#include "ui_fixture.h"

namespace {

ui::DialogTemplate portrait() {
  ui::DialogTemplate t;
  t.caption = u"WendelmoorLindqvarV2";
  t.cx = 120;
  t.cy = 143;
  t.fullScreen = true;
  t.items = {
      {u"ComboBox", u"", 1003, ui::kWsVisible | ui::kCbsDropDownList, 2, 3, 33, 37},
      {u"Button", u"翻訳", 1000, ui::kWsVisible, 54, 2, 19, 14},
      {u"Edit", u"", 1001, ui::kWsVisible | ui::kEsMultiline, 2, 18, 115, 39},
  };
  return t;
}

ui::DialogTemplate landscape() {
  ui::DialogTemplate t = portrait();
  t.cx = 161;
  t.cy = 106;
  t.items[0].x = 1, t.items[0].y = 2;
  t.items[1].x = 52, t.items[1].y = 1;
  t.items[2].x = 1, t.items[2].y = 17, t.items[2].cx = 158, t.items[2].cy = 27;
  return t;
}

ui::Rect duRect(const ui::DialogItem& it) { return {it.x, it.y, it.x + it.cx, it.y + it.cy}; }

// Where the control stands against where its template puts it. A combo box's template height
// includes its dropped list, so the box may be lower than that.
void expectAtTemplatePlace(plat::Hwnd dlg, const ui::DialogItem& it) {
  ui::Rect want = ui::mapDialogRect(dlg, duRect(it));
  ui::Rect got = ui::windowRect(ui::getDlgItem(dlg, it.id));
  if (it.className == u"ComboBox") {
    EXPECT_EQ(got.left, want.left) << it.id;
    EXPECT_EQ(got.top, want.top) << it.id;
    EXPECT_EQ(got.right, want.right) << it.id;
    EXPECT_LE(got.bottom, want.bottom) << it.id;
    EXPECT_GT(got.height(), 10) << it.id;
  } else {
    EXPECT_EQ(got, want) << it.id;
  }
}

class DialogTest : public UiTest {};

TEST_F(DialogTest, ControlsSitAtTheirDialogUnitRectanglesAndFollowRotation) {
  const ui::DialogTemplate p = portrait(), l = landscape();
  int sizes = 0;
  bool wide = false;
  plat::Hwnd dlg = ui::createDialog(p, 0, [&](plat::Hwnd h, unsigned m, std::uint32_t, std::int32_t) -> std::intptr_t {
    if (m != ui::kWmSize) return 0;
    ++sizes;
    ui::ScreenMetrics s = ui::screenMetrics();
    bool nowWide = s.width > s.height;
    if (nowWide != wide) {
      wide = nowWide;
      ui::applyTemplateLayout(h, wide ? l : p);
    }
    return 1;
  });
  ASSERT_NE(dlg, 0u);
  ui::processPendingEvents();
  for (const ui::DialogItem& it : p.items) {
    ASSERT_NE(ui::getDlgItem(dlg, it.id), 0u) << it.id;
    expectAtTemplatePlace(dlg, it);
  }
  // 120 × 143 dialog units fill the width of the screen and the height above the menu bar.
  EXPECT_EQ(ui::mapDialogRect(dlg, {0, 0, 120, 143}), (ui::Rect{0, 0, 240, 268}));
  EXPECT_EQ(ui::getDlgItemText(dlg, 1000), u"翻訳");
  // Full screen: the dialog covers the screen.
  EXPECT_EQ(ui::windowRect(dlg), (ui::Rect{0, 0, 240, 320}));

  ui::setScreenSize(320, 240);
  ui::processPendingEvents();
  EXPECT_GT(sizes, 0);
  EXPECT_EQ(ui::windowRect(dlg), (ui::Rect{0, 0, 320, 240}));
  for (const ui::DialogItem& it : l.items) expectAtTemplatePlace(dlg, it);
  ui::setScreenSize(240, 320);
  ui::processPendingEvents();
  for (const ui::DialogItem& it : p.items) expectAtTemplatePlace(dlg, it);
}

TEST_F(DialogTest, BaseUnitsComeFromTheTemplateFontAndFollowTheResolution) {
  ui::Point at96 = ui::dialogBaseUnits(u"ＭＳ Ｐゴシック", 11, 96);
  ui::Point at192 = ui::dialogBaseUnits(u"ＭＳ Ｐゴシック", 11, 192);
  EXPECT_EQ(at96, (ui::Point{8, 15}));  // an 11-point font is 15 pixels high at 96 dpi
  EXPECT_EQ(at192, (ui::Point{16, 30}));  // everything doubles
  EXPECT_EQ(ui::dialogBaseUnits(u"ＭＳ Ｐゴシック", 9, 96), (ui::Point{6, 12}));

  ui::setScreenDpi(192);
  plat::Hwnd dlg = ui::createDialog(portrait(), 0, nullptr);
  ASSERT_NE(dlg, 0u);
  const ui::DialogTemplate t = portrait();
  const ui::DialogItem& edit = t.items[2];
  ui::Rect r = ui::windowRect(ui::getDlgItem(dlg, edit.id));
  EXPECT_EQ(r.left, (edit.x * at192.x + 2) / 4);
  EXPECT_EQ(r.top, (edit.y * at192.y + 4) / 8);
}

TEST_F(DialogTest, UnknownControlClassRefusesTheDialog) {
  ui::DialogTemplate t = portrait();
  t.items.push_back({u"NoSuchClass", u"", 5, ui::kWsVisible, 0, 0, 10, 10});
  EXPECT_EQ(ui::createDialog(t, 0, nullptr), 0u);
  EXPECT_EQ(ui::dialogBox(t, 0, nullptr), -1);
}

TEST_F(DialogTest, CloseAndEscapeEndTheDialogWithCancelUnlessHandled) {
  ui::DialogTemplate t = portrait();
  t.fullScreen = false;
  int closes = 0;
  plat::Hwnd kept = ui::createDialog(t, 0, [&](plat::Hwnd, unsigned m, std::uint32_t, std::int32_t) -> std::intptr_t {
    if (m == plat::kWmClose) return ++closes;
    return 0;
  });
  ui::testing::closeWindow(kept);
  EXPECT_EQ(closes, 1);
  EXPECT_TRUE(plat::isWindow(kept));

  plat::Hwnd plain = ui::createDialog(t, 0, nullptr);
  ui::testing::pressKey(ui::getDlgItem(plain, 1000), ui::kVkEscape);
  EXPECT_FALSE(plat::isWindow(plain));
}

TEST_F(DialogTest, MinimisedDialogLeavesTheScreenToTheOneBelowAndComesBack) {
  ui::DialogTemplate t = portrait();
  plat::Hwnd below = ui::createDialog(t, 0, nullptr);
  t.caption = u"above";
  plat::Hwnd dlg = ui::createDialog(t, 0, nullptr);
  ASSERT_NE(below, 0u);
  ASSERT_NE(dlg, 0u);
  // No window manager does it: the window is off the screen and the one below is in front.
  ASSERT_TRUE(ui::minimizeWindow(dlg));
  ui::processPendingEvents();
  EXPECT_TRUE(ui::isWindowMinimized(dlg));
  EXPECT_FALSE(ui::isWindowVisible(dlg));
  EXPECT_EQ(plat::foregroundWindow(), below);
  EXPECT_TRUE(ui::isWindowVisible(below));
  EXPECT_EQ(plat::findWindow(u"Dialog", u"above"), dlg);
  ASSERT_TRUE(plat::setForegroundWindow(dlg));
  ui::processPendingEvents();
  EXPECT_FALSE(ui::isWindowMinimized(dlg));
  EXPECT_TRUE(ui::isWindowVisible(dlg));
  // Minimised again: the one below (now the other) comes to the front again.
  ASSERT_TRUE(ui::minimizeWindow(dlg));
  ui::processPendingEvents();
  EXPECT_EQ(plat::foregroundWindow(), below);
  EXPECT_FALSE(ui::minimizeWindow(ui::getDlgItem(dlg, 1000)));  // only top-level windows
  ui::Bitmap icon = ui::createBitmap(16, 16, {0, 0, 128});
  EXPECT_TRUE(ui::setWindowIcon(dlg, icon));
  EXPECT_FALSE(ui::setWindowIcon(ui::getDlgItem(dlg, 1000), icon));
  EXPECT_FALSE(ui::setWindowIcon(dlg, 0));
  ui::deleteBitmap(icon);
}

TEST_F(DialogTest, TemplateTextRoundTripsAndRejectsBrokenLines) {
  ui::DialogTemplate t = landscape();
  t.items.push_back({u"Static", u"音量：", 1012, ui::kWsVisible | ui::kSsCenter, 1, 2, 3, 4});
  std::string text = ui::formatDialogTemplate(t);
  std::optional<ui::DialogTemplate> back = ui::parseDialogTemplate(text);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->caption, t.caption);
  EXPECT_EQ(back->fontFace, u"ＭＳ Ｐゴシック");
  EXPECT_EQ(back->fontPoints, 11);
  EXPECT_TRUE(back->fullScreen);
  ASSERT_EQ(back->items.size(), t.items.size());
  for (size_t i = 0; i < t.items.size(); ++i) {
    EXPECT_EQ(back->items[i].className, t.items[i].className);
    EXPECT_EQ(back->items[i].text, t.items[i].text);
    EXPECT_EQ(back->items[i].id, t.items[i].id);
    EXPECT_EQ(back->items[i].style, t.items[i].style);
    EXPECT_EQ(duRect(back->items[i]), duRect(t.items[i]));
  }
  for (const char* bad : {"", "CAPTION x\n", "DIALOG 1 2\n", "DIALOG 1 2 11 0\nCONTROL Edit x 0 0 0 0 0\n",
                          "DIALOG 1 2 11 0\nBOGUS\n", "DIALOG 1 2 11 0\nCONTROL Edit 5 zz 0 0 1 1 t\n"}) {
    EXPECT_FALSE(ui::parseDialogTemplate(bad).has_value()) << bad;
  }
}

}  // namespace
