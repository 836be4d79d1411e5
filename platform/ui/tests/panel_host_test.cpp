// The input-panel host: a panel loaded by class id through the registry, docked under the
// dialog, typing into the focused control; changes of the input method made by another program
// reach it.
#include "platform/core/device.h"
#include "platform/core/input_method.h"
#include "platform/core/library.h"
#include "platform/core/process.h"
#include "platform/core/registry.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/panel_host.h"
#include "platform/ui/testing.h"
#include "ui_fixture.h"

#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

constexpr char kPanelText[] = "{3671431C-F947-4197-95BB-23723DC47D6E}";
constexpr char kOtherText[] = "{0CBEA010-F68E-11D1-8C63-0060977B4593}";  // the platform's own: no library
constexpr unsigned kSearch = 1060, kPane = 1001;

struct Counts {
  int objects, selects, deselects, showing, hiding, options;
};

class PanelHostTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    const char* bin = std::getenv("SUITE_BIN_DIR");
    ASSERT_NE(bin, nullptr);
    plat::setProgramFolder(bin);
    // Held open so that the panel's counters outlive the host's unloading.
    library = plat::loadLibrary("Uitestpanel");
    ASSERT_NE(library, nullptr) << plat::libraryErrorText();
    panel = *plat::parseClassId(std::string_view(kPanelText));
    other = *plat::parseClassId(std::string_view(kOtherText));
    // The device set-up registers the panel, as an installer would.
    ASSERT_TRUE(plat::registerInputMethod(panel, u"中国語ピンイン入力"));
    auto server = plat::regCreateKey(plat::RegRoot::ClassesRoot, std::string("CLSID\\") + kPanelText + "\\InprocServer32");
    ASSERT_TRUE(server && plat::regSetString(*server, "", u"\\windows\\Uitestpanel.dll"));
    ASSERT_TRUE(plat::registerInputMethod(other, u"日本語手書き入力"));

    ui::DialogTemplate t;
    t.caption = u"host";
    t.cx = 120;
    t.cy = 100;
    t.fullScreen = true;
    t.items = {{u"ComboBox", u"", kSearch, ui::kWsVisible | ui::kCbsDropDown, 2, 2, 100, 60},
               {u"Edit", u"", kPane, ui::kWsVisible | ui::kEsMultiline, 2, 20, 100, 40}};
    dlg = ui::createDialog(t, 0, nullptr);
    ASSERT_NE(dlg, 0u);
    ASSERT_TRUE(ui::attachInputPanelHost(dlg));
  }
  void TearDown() override {
    ui::detachInputPanelHost();
    UiTest::TearDown();
    plat::freeLibrary(library);
    plat::setProgramFolder("");
  }
  Counts counts() {
    auto fn = plat::bindFunction<Counts (*)()>(library, "uitestpanel_counts");
    return fn ? fn() : Counts{-1, -1, -1, -1, -1, -1};
  }
  // Runs another program that changes the input method, and lets this one hear of it.
  void otherProgram(const std::u16string& command) {
    plat::ProcessInfo info;
    ASSERT_TRUE(plat::startProgram("platform_ui_peer", command, &info));
    int code = -1;
    ASSERT_TRUE(plat::waitForProcess(info, 10000, &code));
    EXPECT_EQ(code, 0);
    for (int i = 0; i < 20; ++i) {
      ui::processPendingEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }

  plat::ClassId panel, other;
  plat::Hwnd dlg = 0;
  plat::LibraryHandle library = nullptr;
};

TEST_F(PanelHostTest, PanelLoadedByClassIdTypesIntoTheFocusedEdit) {
  EXPECT_TRUE(ui::loadedInputPanel().isNull());
  const int whole = ui::clientRect(dlg).height();  // the screen less the menu bar with the panel button
  EXPECT_LT(whole, 320);
  ASSERT_TRUE(plat::selectInputMethod(panel));
  ASSERT_TRUE(plat::setInputPanelShown(true));
  ui::processPendingEvents();
  EXPECT_EQ(ui::loadedInputPanel(), panel);
  EXPECT_TRUE(ui::inputPanelVisible());
  // Docked directly above the command bar, whose top is the foot of the whole client area.
  EXPECT_EQ(ui::inputPanelRect(), (ui::Rect{0, whole - 80, 240, whole}));
  plat::Hwnd window = ui::inputPanelWindow();
  ASSERT_NE(window, 0u);
  EXPECT_EQ(plat::windowClassName(window), u"UiTestPanelWnd");
  EXPECT_TRUE(ui::isWindowVisible(window));
  // Docked under the dialog's controls: the client area leaves the panel's 80 pixels.
  EXPECT_EQ(ui::clientRect(dlg).height(), whole - 80);
  EXPECT_EQ(ui::windowRect(window).height(), 80);

  plat::Hwnd pane = ui::getDlgItem(dlg, kPane);
  ui::setFocus(pane);
  ui::testing::penDown(window, {20, 40});  // the left half sends "你好"
  ui::testing::penDown(window, {20, 40});
  ui::testing::penDown(window, {200, 40});  // the right half is backspace
  EXPECT_EQ(ui::getWindowText(pane), u"你好你");

  // The search box's edit gets it the same way.
  plat::Hwnd search = ui::comboEdit(ui::getDlgItem(dlg, kSearch));
  ui::setFocus(search);
  ui::testing::penDown(window, {20, 40});
  EXPECT_EQ(ui::getWindowText(ui::getDlgItem(dlg, kSearch)), u"你好");

  Counts c = counts();
  EXPECT_EQ(c.objects, 1);
  EXPECT_EQ(c.selects, 1);
  EXPECT_GE(c.showing, 1);

  // Lowered: hidden, the client area whole again; a method without a panel unloads it.
  ASSERT_TRUE(plat::setInputPanelShown(false));
  ui::processPendingEvents();
  EXPECT_FALSE(ui::inputPanelVisible());
  EXPECT_EQ(ui::clientRect(dlg).height(), whole);
  ASSERT_TRUE(plat::selectInputMethod(other));
  ui::processPendingEvents();
  EXPECT_TRUE(ui::loadedInputPanel().isNull());
  c = counts();
  EXPECT_EQ(c.objects, 0);
  EXPECT_EQ(c.deselects, 1);
}

TEST_F(PanelHostTest, ChangesMadeByAnotherProgramReachThisHost) {
  otherProgram(u"select " + plat::classIdText(panel));
  otherProgram(u"show 1");
  EXPECT_EQ(ui::loadedInputPanel(), panel);
  EXPECT_TRUE(ui::inputPanelVisible());
  otherProgram(u"select " + plat::classIdText(other));
  EXPECT_TRUE(ui::loadedInputPanel().isNull());
  EXPECT_FALSE(ui::inputPanelVisible());
}

TEST_F(PanelHostTest, RaisedAtAProgramsRectangleItDocksWholeAboveTheCommandBar) {
  const int whole = ui::clientRect(dlg).height();
  ASSERT_TRUE(plat::selectInputMethod(panel));
  // The viewer raises the panel at its rectangle: the panel stands on the command bar in its own
  // 80 pixels, with nothing of the screen left below it.
  ASSERT_TRUE(plat::setInputPanelPlacement(true, {0, 121, 239, 293}, {0, 0, 239, 160}));
  ui::processPendingEvents();
  EXPECT_TRUE(ui::inputPanelVisible());
  EXPECT_EQ(ui::inputPanelRect(), (ui::Rect{0, whole - 80, 240, whole}));
  EXPECT_EQ(ui::clientRect(dlg).height(), whole - 80);
  EXPECT_EQ(ui::windowRect(ui::inputPanelWindow()), (ui::Rect{0, 0, 240, 80}));
  // Lowered with the visible area down to the command bar, then raised by the panel button: the
  // whole panel again, not a strip.
  ASSERT_TRUE(plat::setInputPanelPlacement(false, {0, 121, 239, 293}, {0, 0, 239, 293}));
  ui::processPendingEvents();
  EXPECT_FALSE(ui::inputPanelVisible());
  EXPECT_EQ(ui::clientRect(dlg).height(), whole);
  ASSERT_TRUE(ui::testing::tapInputPanelButton(dlg));
  EXPECT_TRUE(ui::inputPanelVisible());
  EXPECT_EQ(ui::inputPanelRect(), (ui::Rect{0, whole - 80, 240, whole}));
  EXPECT_EQ(ui::clientRect(dlg).height(), whole - 80);
}

TEST_F(PanelHostTest, ThePanelButtonRaisesAndChoosesInputMethods) {
  ui::processPendingEvents();
  EXPECT_TRUE(ui::testing::inputPanelButtonShown(dlg));
  std::vector<ui::InputMethodChoice> choices = ui::inputMethodChoices();
  ASSERT_EQ(choices.size(), 2u);
  EXPECT_EQ(choices[0].name, u"中国語ピンイン入力");
  EXPECT_EQ(choices[1].name, u"日本語手書き入力");
  EXPECT_FALSE(choices[0].current);
  ASSERT_TRUE(ui::testing::chooseFromInputPanelButton(dlg, 0));
  EXPECT_EQ(ui::loadedInputPanel(), panel);
  EXPECT_TRUE(ui::inputPanelVisible());
  EXPECT_TRUE(ui::inputMethodChoices()[0].current);
  ASSERT_TRUE(ui::testing::tapInputPanelButton(dlg));
  EXPECT_FALSE(plat::inputPanelShown());
  EXPECT_FALSE(ui::inputPanelVisible());
  ASSERT_TRUE(ui::testing::tapInputPanelButton(dlg));
  EXPECT_TRUE(ui::inputPanelVisible());
  // After the methods and a separator: the options page of the panel loaded.
  ASSERT_TRUE(ui::testing::chooseFromInputPanelButton(dlg, 3));
  EXPECT_EQ(counts().options, 1);
  EXPECT_FALSE(ui::testing::chooseFromInputPanelButton(dlg, 5));
}

// The button's menu of input methods at 192 dots per inch is the one at 96 drawn twice as large:
// no label cut short (中国語ピンイン入力 is the longest).
TEST_F(PanelHostTest, TheButtonsMenuGrowsWithTheScreen) {
  int width96 = 0;
  for (int dpi : {96, 192}) {
    ui::setScreenDpi(dpi);
    ui::setScreenSize(240 * dpi / 96, 320 * dpi / 96);
    ui::processPendingEvents();
    const std::optional<ui::Rect> shown = ui::testing::openInputPanelButtonMenu(dlg);
    ASSERT_TRUE(shown.has_value()) << dpi;
    if (dpi == 96) width96 = shown->width();
    else EXPECT_GE(shown->width(), 2 * width96);
  }
  ui::setScreenDpi(96);
  ui::setScreenSize(240, 320);
}

TEST_F(PanelHostTest, AClassIdWithoutALoadableLibraryLoadsNothing) {
  ui::LoadedPanel p = ui::loadPanelObject(other);
  EXPECT_EQ(p.object, nullptr);
  EXPECT_NE(p.error.find(u"InprocServer32"), std::u16string::npos);
  auto server = plat::regCreateKey(plat::RegRoot::ClassesRoot, std::string("CLSID\\") + kOtherText + "\\InprocServer32");
  ASSERT_TRUE(server && plat::regSetString(*server, "", u"\\windows\\NoSuchPanel.dll"));
  p = ui::loadPanelObject(other);
  EXPECT_EQ(p.object, nullptr);
  EXPECT_NE(p.error.find(u"NoSuchPanel"), std::u16string::npos);
}

TEST_F(PanelHostTest, DockedAboveTheCommandBarAtBothScreenSizesAndOrientations) {
  struct Case {
    int width, height, dpi;
  } cases[] = {{240, 320, 96}, {480, 640, 192}, {320, 240, 96}, {640, 480, 192}};
  ASSERT_TRUE(plat::selectInputMethod(panel));
  for (const Case& c : cases) {
    ui::setScreenDpi(c.dpi);
    ui::setScreenSize(c.width, c.height);
    for (bool placed : {false, true}) {
      if (placed) ASSERT_TRUE(plat::setInputPanelPlacement(true, {0, 121, 239, 293}, {0, 0, 239, 160}));
      else ASSERT_TRUE(plat::setInputPanelShown(true));
      ui::processPendingEvents();
      const int barTop = ui::clientRect(dlg).height() + ui::inputPanelRect().height();
      const int panelHeight = 80 * c.dpi / 96;
      EXPECT_EQ(ui::inputPanelRect(), (ui::Rect{0, barTop - panelHeight, 240 * c.dpi / 96, barTop})) << c.width << placed;
      EXPECT_LT(barTop, c.height);
      EXPECT_GT(barTop, c.height - 40 * c.dpi / 96);
      EXPECT_EQ(ui::windowRect(ui::inputPanelWindow()).height(), panelHeight);
    }
  }
  // Another program's placement changes nothing either.
  ui::setScreenDpi(96);
  ui::setScreenSize(240, 320);
  otherProgram(u"place");
  ASSERT_TRUE(plat::setInputPanelShown(true));
  ui::processPendingEvents();
  EXPECT_EQ(ui::inputPanelRect().height(), 80);
  EXPECT_EQ(ui::inputPanelRect().top, ui::clientRect(dlg).height());
}

TEST_F(PanelHostTest, SelectingTheLoadedMethodAgainKeepsThePanel) {
  ASSERT_TRUE(plat::selectInputMethod(panel));
  ASSERT_TRUE(plat::setInputPanelShown(true));
  ui::processPendingEvents();
  ASSERT_EQ(counts().selects, 1);
  // The program selects the method loaded again on every focus change: the same panel object,
  // with whatever it holds.
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(plat::selectInputMethod(panel));
  ui::processPendingEvents();
  Counts c = counts();
  EXPECT_EQ(c.selects, 1);
  EXPECT_EQ(c.deselects, 0);
  EXPECT_TRUE(ui::inputPanelVisible());
  // Another method selected in between: created anew.
  ASSERT_TRUE(plat::selectInputMethod(other));
  ASSERT_TRUE(plat::selectInputMethod(panel));
  ui::processPendingEvents();
  EXPECT_EQ(counts().selects, 2);
  // Another program selecting the method loaded (the refresher): created anew.
  otherProgram(u"select " + plat::classIdText(panel));
  EXPECT_EQ(counts().selects, 3);
  EXPECT_EQ(ui::loadedInputPanel(), panel);
  // Also when this program selects it again before the host heard of the other's selection.
  plat::ProcessInfo info;
  ASSERT_TRUE(plat::startProgram("platform_ui_peer", u"select " + plat::classIdText(panel), &info));
  ASSERT_TRUE(plat::waitForProcess(info, 10000, nullptr));
  ASSERT_TRUE(plat::selectInputMethod(panel));
  ui::processPendingEvents();
  EXPECT_EQ(counts().selects, 4);
  EXPECT_EQ(counts().objects, 1);
}

}  // namespace
