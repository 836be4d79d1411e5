// The plug-ins Brusca and Lookra as a host loads them: registered, selected by class id, written
// into with pen events on their windows, sending to the focused edit; their options pages.
#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>

#include "input/handwriting/panel_ids.h"
#include "input/handwriting/windows/handwriting_windows.h"
#include "input/panel-common/panel_frame.h"
#include "panel_fixture.h"
#include "platform/core/clock.h"
#include "platform/core/input_method.h"
#include "platform/core/library.h"
#include "platform/core/registry.h"
#include "platform/core/window.h"
#include "platform/ui/app.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/drawing.h"
#include "platform/ui/panel_host.h"
#include "platform/ui/testing.h"
#include "tools/datagen/temp_runtime.h"

namespace {

constexpr unsigned kPane = 1001;

std::uint32_t setting(std::string_view classId, std::string_view name) {
  std::uint32_t v = 0xDEAD;
  panel::panelSetting(classId, name, false, v);
  return v;
}

void put(std::string_view classId, std::string_view name, std::uint32_t v) { panel::panelSetting(classId, name, true, v); }

class PluginTest : public hwtest::PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    ASSERT_TRUE(ui::initApplication());
    ui::setScreenDpi(96);
    ui::setScreenSize(240, 320);
    writeSampleDictionary("chujian.txt");
  }
  void TearDown() override {
    ui::detachInputPanelHost();
    for (plat::Hwnd h : plat::findWindows(u"", u"")) plat::destroyWindow(h);
    ui::processPendingEvents();
    PanelTest::TearDown();
  }

  // The installer's step for one panel library of the program folder.
  static com::HResult registerLibrary(const char* name) {
    plat::LibraryHandle lib = plat::loadLibrary(name);
    EXPECT_NE(lib, nullptr) << plat::libraryErrorText();
    auto reg = plat::bindFunction<com::HResult (*)()>(lib, "DllRegisterServer");
    EXPECT_TRUE(reg);
    return reg ? reg() : com::kEFail;
  }

  // A program's dialog with an edit that has the focus, the panel of the class id selected under it.
  plat::Hwnd selectUnderEdit(std::string_view classId) {
    ui::DialogTemplate t;
    t.caption = u"host";
    t.cx = 120;
    t.cy = 100;
    t.fullScreen = true;
    t.items = {{u"Edit", u"", kPane, ui::kWsVisible | ui::kEsMultiline, 2, 2, 100, 40}};
    dlg_ = ui::createDialog(t, 0, nullptr);
    EXPECT_NE(dlg_, 0u);
    EXPECT_TRUE(ui::attachInputPanelHost(dlg_));
    const plat::ClassId clsid = *plat::parseClassId(classId);
    EXPECT_TRUE(plat::selectInputMethod(clsid));
    EXPECT_TRUE(plat::setInputPanelShown(true));
    ui::processPendingEvents();
    EXPECT_EQ(ui::loadedInputPanel(), clsid);
    ui::setFocus(ui::getDlgItem(dlg_, kPane));
    return ui::inputPanelWindow();
  }
  std::u16string typed() const { return ui::getWindowText(ui::getDlgItem(dlg_, kPane)); }

  static void stroke(plat::Hwnd w, std::initializer_list<ui::Point> points) {
    auto it = points.begin();
    ui::testing::penDown(w, *it);
    for (++it; it != points.end(); ++it) ui::testing::penMove(w, *it);
    ui::testing::penUp(w, *(points.end() - 1));
    ui::processPendingEvents();
  }
  static void horizontal(plat::Hwnd w, int x0, int y) { stroke(w, {{x0 + 10, y}, {x0 + 30, y}, {x0 + 50, y + 1}, {x0 + 70, y}}); }
  static void tap(plat::Hwnd w, ui::Point at) { stroke(w, {at}); }

  datagen::TempRuntime runtime_;
  plat::Hwnd dlg_ = 0;
};

TEST_F(PluginTest, BothLibrariesRegisterAsTheInstallerRunsThem) {
  ASSERT_EQ(registerLibrary("Brusca.dll"), com::kSOk);
  ASSERT_EQ(registerLibrary("Lookra.dll"), com::kSOk);
  // The input panel writes Timeout and Charset; the search panel writes no values.
  EXPECT_EQ(setting(hw::kBruscaClassId, "Timeout"), 1u);
  EXPECT_EQ(setting(hw::kBruscaClassId, "Charset"), 1u);
  EXPECT_EQ(setting(hw::kLookraClassId, "Charset"), 0xDEADu);
  for (auto [id, server] : {std::pair{hw::kBruscaClassId, u"\\windows\\Brusca.dll"}, std::pair{hw::kLookraClassId, u"\\windows\\Lookra.dll"}}) {
    auto key = plat::regOpenKey(plat::RegRoot::ClassesRoot, "CLSID\\" + std::string(id) + "\\InprocServer32");
    ASSERT_TRUE(key);
    EXPECT_EQ(plat::regGetString(*key, ""), std::u16string(server));
    EXPECT_TRUE(plat::isInputMethodInstalled(*plat::parseClassId(id)));
  }
  plat::LibraryHandle lib = plat::loadLibrary("Lookra.dll");
  auto unregister = plat::bindFunction<com::HResult (*)()>(lib, "DllUnregisterServer");
  ASSERT_TRUE(unregister);
  EXPECT_EQ(unregister(), com::kSOk);
  EXPECT_TRUE(plat::regKeyExists(plat::RegRoot::ClassesRoot, "CLSID\\" + std::string(hw::kLookraClassId)));
  // Only the four exports leave the library.
  EXPECT_EQ(plat::libraryFunction(lib, "_ZN2hw11LookraPanel16recognizeStrokesEv"), nullptr);

  // The installer's program does the same from run.sh.
  datagen::TempDevice fresh;
  const std::string command = std::string(std::getenv("SUITE_BIN_DIR")) + "/regpanel Brusca Lookra";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_TRUE(plat::isInputMethodInstalled(*plat::parseClassId(hw::kBruscaClassId)));
  EXPECT_TRUE(plat::isInputMethodInstalled(*plat::parseClassId(hw::kLookraClassId)));
}

TEST_F(PluginTest, OneWrittenInABoxReachesTheFocusedEdit) {
  ASSERT_EQ(registerLibrary("Brusca.dll"), com::kSOk);
  put(hw::kBruscaClassId, "Charset", 0);
  plat::Hwnd w = selectUnderEdit(hw::kBruscaClassId);
  ASSERT_NE(w, 0u);
  EXPECT_EQ(plat::windowClassName(w), hw::kBruscaWindowClass);
  EXPECT_EQ(ui::windowRect(w).height(), 80);
  EXPECT_TRUE(boxes_.shown.empty());

  horizontal(w, 0, 40);
  ui::testing::paint(w);
  EXPECT_EQ(typed(), u"");
  // Starting in the other box sends the first box's character.
  horizontal(w, 80, 40);
  EXPECT_EQ(typed(), u"一");
  // A key ends the character too: the full stop follows it.
  tap(w, {230, 70});
  EXPECT_EQ(typed(), u"一一。");
  // Backspace with no ink reaches the edit.
  tap(w, {170, 10});
  EXPECT_EQ(typed(), u"一一");

  // The panel's slots as the host sees them.
  plat::ClassId clsid = *plat::parseClassId(hw::kBruscaClassId);
  ui::LoadedPanel loaded = ui::loadPanelObject(clsid);
  ASSERT_NE(loaded.object, nullptr);
  com::ImInfo info;
  EXPECT_EQ(loaded.object->GetInfo(&info), com::kSOk);
  EXPECT_EQ(info.flags, com::kSipfDocked);
  EXPECT_EQ(info.sipRect, (com::Rect{0, 0, 240, 80}));
  EXPECT_GT(ui::imageCount(info.wideImageList), 0);
  EXPECT_GT(ui::imageCount(info.narrowImageList), 0);
  char data[4];
  EXPECT_EQ(loaded.object->GetImData(sizeof data, data), com::kENotImpl);
  EXPECT_EQ(loaded.object->SetImData(sizeof data, data), com::kENotImpl);
  EXPECT_EQ(loaded.object->Release(), 0u);
  plat::freeLibrary(loaded.library);

  // Deselection takes the window away.
  ui::detachInputPanelHost();
  EXPECT_EQ(plat::findWindow(hw::kBruscaWindowClass, u""), 0u);
}

TEST_F(PluginTest, AsRegisteredThePanelWritesTraditionalCharacters) {
  // Registration leaves Charset 1: the traditional dictionary and the Big5 table the library carries.
  writeSampleDictionary("chufan.txt");
  ASSERT_EQ(registerLibrary("Brusca.dll"), com::kSOk);
  plat::Hwnd w = selectUnderEdit(hw::kBruscaClassId);
  ASSERT_NE(w, 0u);
  EXPECT_TRUE(boxes_.shown.empty());
  horizontal(w, 0, 30);
  horizontal(w, 0, 70);
  tap(w, {170, 70});  // Space ends the character and follows it
  EXPECT_EQ(typed(), u"二 ");
}

TEST_F(PluginTest, TheTimerSendsWhatIsPending) {
  plat::ManualClock clock;
  plat::ScopedClock useClock(clock);
  ASSERT_EQ(registerLibrary("Brusca.dll"), com::kSOk);
  put(hw::kBruscaClassId, "Charset", 0);
  put(hw::kBruscaClassId, "Set", 1);
  put(hw::kBruscaClassId, "Timeout", 2);
  plat::Hwnd w = selectUnderEdit(hw::kBruscaClassId);
  ASSERT_NE(w, 0u);
  horizontal(w, 0, 40);
  EXPECT_EQ(typed(), u"");
  clock.advance(2000);
  ui::processPendingEvents();
  EXPECT_EQ(typed(), u"一");
  // The ink went with it: nothing more is sent later.
  clock.advance(5000);
  ui::processPendingEvents();
  EXPECT_EQ(typed(), u"一");
}

TEST_F(PluginTest, SearchPanelFillsItsGridAtEachPenUpAndBackspaceTakesAStroke) {
  ASSERT_EQ(registerLibrary("Lookra.dll"), com::kSOk);
  plat::Hwnd w = selectUnderEdit(hw::kLookraClassId);
  ASSERT_NE(w, 0u);
  EXPECT_EQ(plat::windowClassName(w), hw::kLookraWindowClass);
  constexpr ui::Point kFirstCell{94, 13}, kBackspace{170, 10};

  horizontal(w, 0, 45);
  ui::testing::paint(w);
  tap(w, kFirstCell);
  EXPECT_EQ(typed(), u"一");

  // 二 and then its second stroke taken back: 一 and 丨 make 十.
  horizontal(w, 0, 30);
  horizontal(w, 0, 70);
  tap(w, kBackspace);
  EXPECT_EQ(typed(), u"一");  // with ink the key is not sent
  stroke(w, {{50, 10}, {50, 40}, {50, 70}, {50, 78}});
  ui::testing::paint(w);
  tap(w, kFirstCell);
  EXPECT_EQ(typed(), u"一十");
  // Without ink Backspace reaches the edit.
  tap(w, kBackspace);
  EXPECT_EQ(typed(), u"一");
}

TEST_F(PluginTest, APanelSelectedAgainAfterAnotherStillWorks) {
  // Registered by the installer's program, so that only the host holds the libraries: switching
  // panels unloads them.
  const std::string command = std::string(std::getenv("SUITE_BIN_DIR")) + "/regpanel Brusca Lookra Quillpin";
  ASSERT_EQ(std::system(command.c_str()), 0);
  put(hw::kBruscaClassId, "Charset", 0);
  plat::Hwnd w = selectUnderEdit(hw::kBruscaClassId);
  ASSERT_NE(w, 0u);
  horizontal(w, 0, 40);
  const std::string_view pinyin = "{3671431C-F947-4197-95BB-23723DC47D6E}";
  for (std::string_view other : {hw::kLookraClassId, pinyin, hw::kBruscaClassId, pinyin, hw::kLookraClassId, hw::kBruscaClassId}) {
    ASSERT_TRUE(plat::selectInputMethod(*plat::parseClassId(other)));
    ui::processPendingEvents();
    ASSERT_NE(ui::inputPanelWindow(), 0u);
    ui::testing::paint(ui::inputPanelWindow());
  }
  w = ui::inputPanelWindow();
  EXPECT_EQ(plat::windowClassName(w), hw::kBruscaWindowClass);
  horizontal(w, 0, 40);
  horizontal(w, 80, 40);
  EXPECT_EQ(typed(), u"一");
}

TEST(TimeoutButtons, StepWithinTheField) {
  struct Case {
    int n, up, down;
  } cases[] = {{0, 1, 0}, {1, 2, 0}, {98, 99, 97}, {99, 99, 98}, {100, 99, 0}, {-3, 99, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(hw::timeoutUp(c.n), c.up) << c.n;
    EXPECT_EQ(hw::timeoutDown(c.n), c.down) << c.n;
  }
}

TEST_F(PluginTest, InputOptionsPageShowsAndStoresTheSettings) {
  plat::Hwnd page = ui::createDialog(hw::inputOptionsTemplate(), 0, hw::inputOptionsProcedure());
  ASSERT_NE(page, 0u);
  ui::processPendingEvents();
  EXPECT_EQ(ui::getWindowText(page), u"中国語手書き入力の設定");
  // Absent values: Set off, a pause of 1 s, simplified.
  EXPECT_FALSE(ui::isDlgButtonChecked(page, hw::kOptUseTimeout));
  EXPECT_EQ(ui::getDlgItemText(page, hw::kOptTimeout), u"1");
  EXPECT_TRUE(ui::isDlgButtonChecked(page, hw::kOptSimplified));
  for (unsigned id : {hw::kOptTimeout, hw::kOptUp, hw::kOptDown}) EXPECT_FALSE(ui::isWindowEnabled(ui::getDlgItem(page, id)));

  ui::testing::clickButton(ui::getDlgItem(page, hw::kOptUseTimeout));
  for (unsigned id : {hw::kOptTimeout, hw::kOptUp, hw::kOptDown}) EXPECT_TRUE(ui::isWindowEnabled(ui::getDlgItem(page, id)));
  ui::testing::clickButton(ui::getDlgItem(page, hw::kOptUp));
  ui::testing::clickButton(ui::getDlgItem(page, hw::kOptUp));
  EXPECT_EQ(ui::getDlgItemText(page, hw::kOptTimeout), u"3");
  ui::testing::clickButton(ui::getDlgItem(page, hw::kOptDown));
  ui::testing::clickButton(ui::getDlgItem(page, hw::kOptTraditional));
  ui::testing::clickButton(ui::getDlgItem(page, ui::kIdOk));
  ui::processPendingEvents();
  EXPECT_EQ(setting(hw::kBruscaClassId, "Set"), 1u);
  EXPECT_EQ(setting(hw::kBruscaClassId, "Timeout"), 2u);
  EXPECT_EQ(setting(hw::kBruscaClassId, "Charset"), 1u);

  // A number typed beyond the range is stored clamped.
  page = ui::createDialog(hw::inputOptionsTemplate(), 0, hw::inputOptionsProcedure());
  ui::processPendingEvents();
  EXPECT_TRUE(ui::isDlgButtonChecked(page, hw::kOptUseTimeout));
  EXPECT_TRUE(ui::isDlgButtonChecked(page, hw::kOptTraditional));
  ui::setDlgItemText(page, hw::kOptTimeout, u"250");
  ui::testing::clickButton(ui::getDlgItem(page, hw::kOptUseTimeout));
  ui::testing::clickButton(ui::getDlgItem(page, ui::kIdOk));
  ui::processPendingEvents();
  EXPECT_EQ(setting(hw::kBruscaClassId, "Set"), 0u);
  EXPECT_EQ(setting(hw::kBruscaClassId, "Timeout"), 99u);
}

TEST_F(PluginTest, SearchOptionsPageStoresTheCharacterSet) {
  plat::Hwnd page = ui::createDialog(hw::searchOptionsTemplate(), 0, hw::searchOptionsProcedure());
  ASSERT_NE(page, 0u);
  ui::processPendingEvents();
  EXPECT_TRUE(ui::isDlgButtonChecked(page, hw::kSearchSimplified));
  ui::testing::clickButton(ui::getDlgItem(page, hw::kSearchTraditional));
  ui::testing::clickButton(ui::getDlgItem(page, ui::kIdOk));
  ui::processPendingEvents();
  EXPECT_EQ(setting(hw::kLookraClassId, "Charset"), 1u);
  EXPECT_EQ(setting(hw::kBruscaClassId, "Charset"), 0xDEADu);  // each panel its own
}

}  // namespace

namespace {

// The platform's Japanese handwriting input: registered like the others, recognising with the
// Japanese dictionary and typing kana and kanji into the focused edit after the pause.
TEST_F(PluginTest, TheJapaneseInputWritesKanaAndKanjiIntoTheFocusedEdit) {
  plat::ManualClock clock;
  plat::ScopedClock useClock(clock);
  writeSampleDictionary("churi.txt");
  ASSERT_EQ(registerLibrary("JapaneseInk.dll"), com::kSOk);
  auto server = plat::regOpenKey(plat::RegRoot::ClassesRoot, "CLSID\\" + std::string(hw::kJapaneseInkClassId) + "\\InprocServer32");
  ASSERT_TRUE(server);
  EXPECT_EQ(plat::regGetString(*server, ""), std::u16string(hw::kJapaneseInkServerPath));
  plat::Hwnd w = selectUnderEdit(hw::kJapaneseInkClassId);
  ASSERT_NE(w, 0u);
  EXPECT_EQ(plat::windowClassName(w), hw::kJapaneseInkWindowClass);
  EXPECT_EQ(ui::inputPanelRect().height(), 80);
  EXPECT_TRUE(boxes_.shown.empty());
  // Template points of a 100 × 100 box into the 80-pixel writing box.
  auto write = [&](std::initializer_list<std::initializer_list<ui::Point>> strokes) {
    for (const auto& s : strokes) {
      std::vector<ui::Point> pts;
      for (ui::Point p : s) pts.push_back({p.x * 78 / 100 + 1, p.y * 78 / 100 + 1});
      ui::testing::penDown(w, pts.front());
      for (size_t i = 1; i < pts.size(); ++i) ui::testing::penMove(w, pts[i]);
      ui::testing::penUp(w, pts.back());
      ui::processPendingEvents();
    }
  };
  write({{{25, 10}, {25, 50}, {25, 90}}, {{25, 10}, {75, 10}, {75, 50}, {75, 90}}, {{25, 50}, {75, 50}}, {{25, 88}, {75, 88}}});
  EXPECT_EQ(typed(), u"");
  clock.advance(1000);  // the registered pause of one second
  ui::processPendingEvents();
  EXPECT_EQ(typed(), u"日");
  write({{{18, 30}, {50, 28}, {82, 26}},
         {{45, 10}, {48, 50}, {52, 88}},
         {{66, 40}, {50, 75}, {30, 82}, {20, 68}, {35, 52}, {62, 50}, {82, 62}, {80, 82}, {60, 92}}});
  clock.advance(1000);
  ui::processPendingEvents();
  EXPECT_EQ(typed(), u"日あ");
  // Its comma key gives the Japanese comma.
  tap(w, {210, 70});
  EXPECT_EQ(typed(), u"日あ、");
}

}  // namespace
