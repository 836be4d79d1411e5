// Windows of a program's own class (keyboards, ink boxes): they paint on their picture during
// kWmPaint and hear the pen as mouse messages, also outside while they hold the capture.
#include "platform/core/resources.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/drawing.h"
#include "platform/ui/testing.h"
#include "ui_fixture.h"

namespace {

class OwnWindowTest : public UiTest {};

TEST_F(OwnWindowTest, PaintsOnItsPictureAndHearsThePen) {
  ui::DialogTemplate t;
  t.caption = u"ink";
  t.cx = 120;
  t.cy = 100;
  plat::Hwnd dlg = ui::createDialog(t, 0, nullptr);
  ASSERT_NE(dlg, 0u);
  int paints = 0;
  bool hadPainter = false;
  struct Pen {
    unsigned msg;
    int x, y;
  };
  std::vector<Pen> pen;
  plat::registerWindowClass(u"InkBox", [&](plat::Hwnd h, unsigned m, std::uint32_t w, std::int32_t l) -> std::intptr_t {
    switch (m) {
      case ui::kWmPaint:
        ++paints;
        if (ui::Painter* p = ui::windowPainter(h)) {
          hadPainter = true;
          p->drawLine({0, 0}, {10, 10}, {0, 0, 0}, 2);
        }
        return 0;
      case ui::kWmLButtonDown:
        ui::setCapture(h);
        pen.push_back({m, ui::loShort(l), ui::hiShort(l)});
        return 0;
      case ui::kWmMouseMove:
        pen.push_back({m, ui::loShort(l), ui::hiShort(l)});
        return 0;
      case ui::kWmLButtonUp:
        ui::releaseCapture();
        pen.push_back({m, ui::loShort(l), ui::hiShort(l)});
        return 0;
      default: return plat::defWindowProc(h, m, w, l);
    }
  });
  plat::Hwnd box = plat::createWindow(u"InkBox", u"", dlg);
  ASSERT_NE(box, 0u);
  ui::moveWindow(box, {10, 10, 110, 60});
  plat::showWindow(box, true);
  EXPECT_TRUE(ui::isWindowVisible(box));
  EXPECT_EQ(ui::windowPainter(box), nullptr);  // only during kWmPaint
  ui::testing::paint(box);
  EXPECT_GE(paints, 1);
  EXPECT_TRUE(hadPainter);

  ui::testing::penDown(box, {5, 6});
  ui::testing::penMove(box, {50, 20});
  ui::testing::penUp(box, {50, 20});
  ASSERT_EQ(pen.size(), 3u);
  EXPECT_EQ(pen[0].msg, ui::kWmLButtonDown);
  EXPECT_EQ(pen[0].x, 5);
  EXPECT_EQ(pen[0].y, 6);
  EXPECT_EQ(pen[1].msg, ui::kWmMouseMove);
  EXPECT_EQ(pen[1].x, 50);
  EXPECT_EQ(pen[2].msg, ui::kWmLButtonUp);
  plat::destroyWindow(dlg);
}

TEST_F(OwnWindowTest, OwnerDrawnTabsDrawEachItem) {
  ui::DialogTemplate t;
  t.caption = u"tabs";
  t.cx = 160;
  t.cy = 40;
  t.items = {{u"SysTabControl32", u"", 1003, ui::kWsVisible | ui::kTcsOwnerDrawFixed, 2, 2, 150, 16}};
  std::vector<ui::DrawItemInfo> drawn;
  plat::Hwnd dlg = ui::createDialog(t, 0, [&](plat::Hwnd, unsigned m, std::uint32_t, std::int32_t l) -> std::intptr_t {
    if (m == ui::kWmDrawItem) {
      const ui::DrawItemInfo* d = ui::drawItemInfo(l);
      if (d && d->painter) drawn.push_back(*d);
      return 1;
    }
    return 0;
  });
  plat::Hwnd tab = ui::getDlgItem(dlg, 1003);
  for (const char16_t* label : {u"辞書", u"例文", u"履歴", u"単語帳"}) ui::tabInsertItem(tab, -1, label);
  plat::sendMessage(tab, ui::kTcmSetCurSel, 2, 0);
  drawn.clear();
  ui::testing::paint(tab);
  ASSERT_GE(drawn.size(), 4u);
  std::vector<int> items;
  for (const ui::DrawItemInfo& d : drawn) {
    if (items.size() < 4) items.push_back(d.itemId);
    EXPECT_EQ(d.ctlType, ui::kOdtTab);
    EXPECT_EQ(d.ctlId, 1003u);
    EXPECT_EQ((d.itemState & ui::kOdsSelected) != 0, d.itemId == 2);
  }
  EXPECT_EQ(items, (std::vector<int>{0, 1, 2, 3}));
  plat::destroyWindow(dlg);
}

TEST_F(OwnWindowTest, DialogTemplatesComeFromTheProgramsResources) {
  ui::DialogTemplate t;
  t.caption = u"中国語音声";
  t.cx = 100;
  t.cy = 80;
  t.items = {{u"msctls_trackbar32", u"", 1011, ui::kWsVisible, 10, 10, 80, 14}};
  plat::registerOwnedResource("DIALOG", "#186", ui::formatDialogTemplate(t));
  std::optional<ui::DialogTemplate> loaded = ui::loadDialogTemplate(186);
  ASSERT_TRUE(loaded.has_value());
  EXPECT_EQ(loaded->caption, u"中国語音声");
  EXPECT_FALSE(ui::loadDialogTemplate(187).has_value());
  plat::Hwnd dlg = ui::createDialog(*loaded, 0, nullptr);
  EXPECT_EQ(ui::getWindowText(dlg), u"中国語音声");
  EXPECT_NE(ui::getDlgItem(dlg, 1011), 0u);
}

}  // namespace
