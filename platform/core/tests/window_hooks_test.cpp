// The hooks through which the user interface follows the windows, finding every window of a
// class, and the panel placement that programs give.
#include "platform/core/input_method.h"
#include "platform/core/window.h"
#include "tools/datagen/temp_device.h"
#include "tools/datagen/temp_runtime.h"

#include <gtest/gtest.h>

namespace {

class WindowHooksTest : public ::testing::Test {
 protected:
  void TearDown() override { plat::setWindowHooks({}); }
  datagen::TempRuntime runtime;
};

TEST_F(WindowHooksTest, CreatedBeforeCreateDestroyedAfterDestroyShownAndRetitled) {
  std::vector<std::string> events;
  plat::registerWindowClass(u"HookWnd", [&](plat::Hwnd h, unsigned m, std::uint32_t w, std::int32_t l) -> std::intptr_t {
    if (m == plat::kWmCreate) events.push_back("proc create");
    if (m == plat::kWmDestroy) events.push_back("proc destroy");
    return plat::defWindowProc(h, m, w, l);
  });
  plat::WindowHooks hooks;
  hooks.created = [&](plat::Hwnd h) { events.push_back("created parent=" + std::to_string(plat::windowParent(h) != 0)); };
  hooks.destroyed = [&](plat::Hwnd) { events.push_back("destroyed"); };
  hooks.shown = [&](plat::Hwnd, bool s) { events.push_back(s ? "shown" : "hidden"); };
  hooks.retitled = [&](plat::Hwnd h) { events.push_back("title " + std::to_string(plat::windowTitle(h).size())); };
  plat::setWindowHooks(hooks);

  plat::Hwnd top = plat::createWindow(u"HookWnd", u"top");
  plat::Hwnd child = plat::createWindow(u"HookWnd", u"child", top);
  EXPECT_EQ(plat::windowParent(child), top);
  EXPECT_EQ(plat::windowParent(top), 0u);
  plat::showWindow(top, true);
  plat::setWindowTitle(top, u"renamed");
  plat::destroyWindow(top);
  EXPECT_EQ(events, (std::vector<std::string>{"created parent=0", "proc create", "created parent=1", "proc create",
                                              "shown", "title 7", "proc destroy", "proc destroy", "destroyed",
                                              "destroyed"}));
  EXPECT_EQ(plat::windowParent(child), 0u);
}

TEST_F(WindowHooksTest, FindWindowsListsEveryTopLevelWindowOfAClass) {
  plat::registerWindowClass(u"FindWnd", plat::defWindowProc);
  plat::Hwnd a = plat::createWindow(u"FindWnd", u"a");
  plat::Hwnd b = plat::createWindow(u"FindWnd", u"b");
  plat::createWindow(u"FindWnd", u"child", a);
  EXPECT_EQ(plat::findWindows(u"findwnd", u""), (std::vector<plat::Hwnd>{a, b}));
  EXPECT_EQ(plat::findWindows(u"FindWnd", u"b"), (std::vector<plat::Hwnd>{b}));
  EXPECT_TRUE(plat::findWindows(u"Other", u"").empty());
}

TEST(InputPanelPlacement, KeepsTheRectangleAProgramGave) {
  datagen::TempDevice device;
  plat::PanelRect sip, desk;
  EXPECT_FALSE(plat::inputPanelPlacement(sip, desk));
  int told = 0;
  plat::setInputMethodListener([&](const plat::ClassId&, bool shown) { told += shown ? 1 : 100; });
  ASSERT_TRUE(plat::setInputPanelPlacement(true, {0, 121, 239, 293}, {0, 0, 239, 160}));
  EXPECT_TRUE(plat::inputPanelShown());
  ASSERT_TRUE(plat::inputPanelPlacement(sip, desk));
  EXPECT_EQ(sip, (plat::PanelRect{0, 121, 239, 293}));
  EXPECT_EQ(desk, (plat::PanelRect{0, 0, 239, 160}));
  ASSERT_TRUE(plat::setInputPanelPlacement(false, {0, 121, 239, 293}, {0, 0, 239, 293}));
  EXPECT_FALSE(plat::inputPanelShown());
  ASSERT_TRUE(plat::inputPanelPlacement(sip, desk));
  EXPECT_EQ(desk.bottom, 293);
  EXPECT_EQ(told, 101);
  plat::setInputMethodListener(nullptr);
}

}  // namespace
