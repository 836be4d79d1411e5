// What pops up stays on the program's screen at both screen sizes: message boxes centred with
// their buttons in the system's language, command-bar menus opening upward, pop-up menus and the
// device's own file dialog; multi-line edits wrap at their width.
#include "platform/core/device.h"
#include "platform/core/codepage.h"
#include "platform/core/notify.h"
#include "platform/core/notify_recorder.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/menu.h"
#include "platform/ui/shell.h"
#include "platform/ui/testing.h"
#include "platform/ui/window_impl.h"
#include "ui_fixture.h"

#include <QAbstractScrollArea>
#include <QMenu>
#include <QScrollBar>

#include <algorithm>

namespace {

struct ScreenCase {
  int width, height, dpi;
};
constexpr ScreenCase kScreens[] = {{240, 320, 96}, {480, 640, 192}};

bool inside(const ui::Rect& r, const ui::Rect& screen) {
  return r.width() > 0 && r.height() > 0 && r.left >= screen.left && r.top >= screen.top && r.right <= screen.right &&
         r.bottom <= screen.bottom;
}

class OnScreenTest : public UiTest {
 protected:
  // The program's full-screen dialog with a command bar and a pane.
  plat::Hwnd openMain() {
    ui::DialogTemplate t;
    t.caption = u"WendelmoorLindqvarV2";
    t.cx = 120;
    t.cy = 143;
    t.fullScreen = true;
    t.items = {{u"Edit", u"", 1001, ui::kWsVisible | ui::kWsVScroll | ui::kWsHScroll | ui::kEsMultiline | ui::kEsWantReturn,
                2, 18, 115, 39}};
    plat::Hwnd dlg = ui::createDialog(t, 0, nullptr);
    auto menu = ui::parseMenuTemplate(
        "POPUP ファイル\n  ITEM 57601 開く\n  ITEM 57603 保存\nPOPUP 編集\n  ITEM 57643 元に戻す\n  SEPARATOR\n"
        "  ITEM 57635 切り取り\n  ITEM 57634 コピー\n  ITEM 57637 貼り付け\n  ITEM 57632 削除\n  SEPARATOR\n"
        "  ITEM 32773 すべて選択\nITEM 32811 ２画面\nPOPUP 設定\n  ITEM 32807 音声\n  ITEM 177 バージョン情報\n");
    if (dlg && menu) ui::setMenuBar(dlg, ui::createMenu(*menu));
    ui::processPendingEvents();
    return dlg;
  }
  void useScreen(const ScreenCase& c) {
    ui::setScreenDpi(c.dpi);
    ui::setScreenSize(c.width, c.height);
    ui::processPendingEvents();
  }
};

// Scroll bars keep the handheld's width in dots per inch: 13 at 96, 26 at 192.
TEST_F(OnScreenTest, ScrollBarsFollowTheScreensDotsPerInch) {
  for (const ScreenCase& c : kScreens) {
    useScreen(c);
    const plat::Hwnd dlg = openMain();
    ASSERT_NE(dlg, 0u);
    auto* area = qobject_cast<QAbstractScrollArea*>(ui::impl::widgetOf(ui::getDlgItem(dlg, 1001)));
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->verticalScrollBar()->sizeHint().width(), 13 * c.dpi / 96) << c.width;
    EXPECT_EQ(area->horizontalScrollBar()->sizeHint().height(), 13 * c.dpi / 96) << c.width;
    plat::destroyWindow(dlg);
  }
}

TEST_F(OnScreenTest, MessageBoxesAreCentredOnTheScreenWithJapaneseButtons) {
  struct Box {
    unsigned flags;
    int answer;
    std::vector<std::u16string> buttons;
  } boxes[] = {
      {plat::kMbOk | plat::kMbIconExclamation, plat::kIdOk, {u"OK"}},
      {plat::kMbYesNo | plat::kMbIconQuestion, plat::kIdNo, {u"はい", u"いいえ"}},
      {plat::kMbOkCancel, plat::kIdCancel, {u"OK", u"キャンセル"}},
      {plat::kMbYesNoCancel | plat::kMbIconStop, plat::kIdYes, {u"はい", u"いいえ", u"キャンセル"}},
  };
  // A long text wraps inside the screen rather than widening the box past it.
  const std::u16string longText =
      u"メモリ不足のため、DLLがロードできませんでした。\nソフトリセットや、ほかのプログラムを終了するなどして使用可能メモリ量を"
      u"確保してから起動しなおしてください。";
  for (const ScreenCase& c : kScreens) {
    useScreen(c);
    ASSERT_NE(openMain(), 0u);
    for (const Box& b : boxes) {
      for (const std::u16string& text : {std::u16string(u"一致せず"), longText}) {
        ui::testing::ShownBox seen;
        ui::testing::answerNextMessageBox(b.answer, &seen);
        EXPECT_EQ(plat::messageBox(text, u"Wendelmoor Lindqvar", b.flags), b.answer);
        ASSERT_TRUE(seen.shown);
        EXPECT_EQ(seen.text, text);
        EXPECT_EQ(seen.buttons, b.buttons);
        EXPECT_EQ(seen.screen.width(), c.width);
        EXPECT_EQ(seen.screen.height(), c.height);
        EXPECT_TRUE(inside(seen.rect, seen.screen)) << c.width << " " << seen.rect.left << "," << seen.rect.top << " "
                                                   << seen.rect.right << "," << seen.rect.bottom;
        // Centred: the margins left and right, above and below differ by a pixel at most.
        EXPECT_LE(std::abs((seen.rect.left - seen.screen.left) - (seen.screen.right - seen.rect.right)), 1);
        EXPECT_LE(std::abs((seen.rect.top - seen.screen.top) - (seen.screen.bottom - seen.rect.bottom)), 1);
      }
    }
    for (plat::Hwnd h : plat::findWindows(u"", u"")) plat::destroyWindow(h);
    ui::processPendingEvents();
  }
}

TEST_F(OnScreenTest, CommandBarMenusOpenUpwardInsideTheScreen) {
  for (const ScreenCase& c : kScreens) {
    useScreen(c);
    plat::Hwnd dlg = openMain();
    ASSERT_NE(dlg, 0u);
    const ui::Rect screen = ui::testing::programScreenRect();
    EXPECT_EQ(screen.width(), c.width);
    EXPECT_EQ(screen.height(), c.height);
    const int barTop = ui::clientRect(dlg).height();
    for (int item : {0, 1, 3}) {
      std::optional<ui::Rect> at = ui::testing::openMenuBarItem(dlg, item);
      ASSERT_TRUE(at.has_value()) << item;
      EXPECT_TRUE(inside(*at, screen)) << item << ": " << at->left << "," << at->top << " " << at->right << "," << at->bottom;
      EXPECT_LE(at->bottom, screen.top + barTop) << item;  // above the command bar
    }
    // Its text at the screen's resolution, the menu measured in it: "すべて選択" whole (five
    // full-width characters of 12 pixels at 96 dots per inch).
    std::optional<ui::Rect> edit = ui::testing::openMenuBarItem(dlg, 1);
    ASSERT_TRUE(edit.has_value());
    EXPECT_GE(edit->width(), 5 * 12 * c.dpi / 96) << c.width;
    // A tap-and-hold menu near the foot of the screen opens above the point, inside the screen.
    auto popup = ui::parseMenuTemplate("POPUP p\n  ITEM 57643 元に戻す\n  ITEM 57635 切り取り\n  ITEM 57634 コピー\n"
                                       "  ITEM 57637 貼り付け\n  ITEM 32788 辞書引き\n");
    ASSERT_TRUE(popup.has_value());
    ui::Menu m = ui::createMenu(*popup);
    ui::Rect shown;
    ui::testing::dismissNextPopup(&shown);
    ui::trackPopupMenu(ui::subMenu(m, 0), {c.width - 5, c.height - 30}, dlg);
    EXPECT_TRUE(inside(shown, screen)) << shown.left << "," << shown.top << " " << shown.right << "," << shown.bottom;
    EXPECT_GE(shown.width(), 4 * 12 * c.dpi / 96) << c.width;  // "貼り付け" at the screen's resolution
    ui::destroyMenu(m);
    plat::destroyWindow(dlg);
    ui::processPendingEvents();
  }
}

// A submenu opens beside its menu, on the side the screen has room on, not over it.
TEST_F(OnScreenTest, SubmenusStandBesideTheirMenu) {
  for (const ScreenCase& c : kScreens) {
    useScreen(c);
    const plat::Hwnd dlg = openMain();
    ASSERT_NE(dlg, 0u);
    const ui::Rect s = ui::testing::programScreenRect();
    const QRect screen(s.left, s.top, s.width(), s.height());
    // Short menus, and menus of which neither fits beside the other where it opens.
    for (const int x : {s.left + 2, s.left + s.width() / 2 - 20, s.right - 10})
    for (const QString& label : {QStringLiteral("項目"), QStringLiteral("漢字かな入力の切り替え")}) {
      QMenu menu(ui::impl::widgetOf(dlg));
      menu.addAction(label);
      QMenu* sub = menu.addMenu(QStringLiteral("その他"));
      sub->addAction(label);
      menu.popup(QPoint(x, s.top + 20));
      ui::processPendingEvents();
      sub->popup(QPoint(menu.geometry().right() - 5, menu.geometry().top() + 5));
      ui::processPendingEvents();
      const QRect m = menu.geometry(), g = sub->geometry();
      // Where the two fit side by side on the screen they do, the menu moved aside where need be.
      const bool room = m.width() + g.width() <= screen.width();
      EXPECT_TRUE(screen.contains(m)) << c.width << " at " << x;
      if (room) EXPECT_FALSE(g.intersects(m)) << c.width << " at " << x << ": menu " << m.left() << "-" << m.right() << ", submenu "
                                    << g.left() << "-" << g.right();
      EXPECT_TRUE(screen.contains(g)) << c.width << " at " << x;
      sub->close();
      menu.close();
      ui::processPendingEvents();
    }
    plat::destroyWindow(dlg);
    ui::processPendingEvents();
  }
}

TEST_F(OnScreenTest, FileDialogFillsTheScreenAndShowsTheDeviceOnly) {
  ASSERT_TRUE(device.write("\\My Documents\\old.lq", "x"));
  ASSERT_TRUE(device.write("\\My Documents\\note.txt", "x"));
  ASSERT_TRUE(plat::makeFolders("\\Storage Card"));
  ASSERT_TRUE(device.write("\\Storage Card\\" + std::string(plat::kStorageCardMarker), ""));
  for (const ScreenCase& c : kScreens) {
    useScreen(c);
    ASSERT_NE(openMain(), 0u);
    ui::FileDialogRequest r;
    r.filter = u"翻訳文書 (*.lq)|*.lq|テキスト (*.txt)|*.txt|";
    r.initialFolder = u"\\";  // the last screen's choice would open its folder
    ui::testing::ShownFileDialog seen;
    ui::testing::answerNextFileDialog(u"", &seen);
    EXPECT_FALSE(ui::fileDialog(r).has_value());
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.rect, seen.screen);
    EXPECT_EQ(seen.screen.width(), c.width);
    EXPECT_EQ(seen.screen.height(), c.height);
    // The device root: its folders by their device names, no marker, no host path.
    EXPECT_EQ(seen.folder, u"\\");
    EXPECT_NE(std::find(seen.entries.begin(), seen.entries.end(), u"My Documents"), seen.entries.end());
    EXPECT_NE(std::find(seen.entries.begin(), seen.entries.end(), u"Storage Card"), seen.entries.end());
    const std::u16string host = plat::utf8ToWide(plat::deviceRoot());
    for (const std::u16string& e : seen.entries) {
      EXPECT_EQ(e.find(u'/'), std::u16string::npos) << plat::wideToUtf8(e);
      EXPECT_NE(e.front(), u'.');
    }
    EXPECT_EQ(seen.folder.find(host), std::u16string::npos);

    // In a folder: the files of the chosen type only.
    r.initialFolder = u"\\my documents";
    ui::testing::answerNextFileDialog(u"", &seen);
    ui::fileDialog(r);
    EXPECT_EQ(seen.folder, u"\\my documents");
    EXPECT_EQ(seen.entries, (std::vector<std::u16string>{u"old.lq"}));
    ui::testing::answerNextFileDialog(u"old.lq", nullptr);
    EXPECT_EQ(ui::fileDialog(r), std::optional<std::u16string>(u"\\my documents\\old.lq"));
    // A name that steps out of the device is refused with a beep; the dialog stays until cancelled.
    {
      plat::NotifyRecorder notes;
      ui::testing::answerNextFileDialog(u"..\\..\\etc\\passwd", nullptr);
      ui::testing::answerNextFileDialog(u"", nullptr);
      EXPECT_FALSE(ui::fileDialog(r).has_value());
      EXPECT_EQ(notes.beeps.size(), 1u);
    }
    for (plat::Hwnd h : plat::findWindows(u"", u"")) plat::destroyWindow(h);
    ui::processPendingEvents();
  }
}

TEST_F(OnScreenTest, MultiLineEditsWrapAtTheirWidth) {
  plat::Hwnd dlg = openMain();
  plat::Hwnd pane = ui::getDlgItem(dlg, 1001);
  ASSERT_NE(pane, 0u);
  ui::setWindowText(pane, u"今日は天気がいいので、公園へ散歩に行きました。そこで友達に会いました。");
  ui::processPendingEvents();
  EXPECT_GE(plat::sendMessage(pane, ui::kEmGetLineCount, 0, 0), 2);
  EXPECT_FALSE(ui::testing::horizontalScrollBarShown(pane));
  // An edit that scrolls sideways by itself keeps one line.
  ui::DialogTemplate t;
  t.caption = u"one";
  t.cx = 60;
  t.cy = 40;
  t.items = {{u"Edit", u"", 1002,
              ui::kWsVisible | ui::kWsHScroll | ui::kEsMultiline | ui::kEsAutoHScroll, 2, 2, 50, 30}};
  plat::Hwnd other = ui::createDialog(t, 0, nullptr);
  plat::Hwnd edit = ui::getDlgItem(other, 1002);
  ui::setWindowText(edit, u"今日は天気がいいので、公園へ散歩に行きました。");
  ui::processPendingEvents();
  EXPECT_EQ(plat::sendMessage(edit, ui::kEmGetLineCount, 0, 0), 1);
  EXPECT_TRUE(ui::testing::horizontalScrollBarShown(edit));
}

}  // namespace
