// The one pump: messages of platform/core are handled inside the window system's loop, in modal
// loops too, and a send from another thread is answered while the loop waits.
#include "platform/core/timer.h"
#include "platform/ui/dialog.h"
#include "platform/ui/testing.h"
#include "ui_fixture.h"

#include <atomic>
#include <thread>

namespace {

constexpr unsigned kPing = plat::kWmUser + 1;

class PumpTest : public UiTest {};

TEST_F(PumpTest, PostedMessagesAndTimersRunInsideTheLoopUntilQuit) {
  std::vector<unsigned> seen;
  plat::registerWindowClass(u"PumpTestWnd", [&](plat::Hwnd h, unsigned m, std::uint32_t w, std::int32_t l) -> std::intptr_t {
    if (m == kPing) {
      seen.push_back(w);
      if (w == 1) plat::postMessage(h, kPing, 2, 0);  // posted from inside the loop
      if (w == 2) plat::setTimer(h, 7, 10);
      return 0;
    }
    if (m == plat::kWmTimer) {
      seen.push_back(100 + w);
      plat::killTimer(h, w);
      plat::postQuitMessage(5);
      return 0;
    }
    return plat::defWindowProc(h, m, w, l);
  });
  plat::Hwnd h = plat::createWindow(u"PumpTestWnd", u"pump");
  ASSERT_NE(h, 0u);
  plat::postMessage(h, kPing, 1, 0);
  EXPECT_EQ(ui::runMessageLoop(), 5);
  EXPECT_EQ(seen, (std::vector<unsigned>{1, 2, 107}));
}

TEST_F(PumpTest, SendFromAnotherThreadIsAnsweredWhileTheLoopWaits) {
  constexpr unsigned kDone = plat::kWmUser + 2;
  plat::registerWindowClass(u"PumpTestWnd", [](plat::Hwnd h, unsigned m, std::uint32_t w, std::int32_t l) -> std::intptr_t {
    if (m == kPing) return static_cast<std::intptr_t>(w) * 2;
    if (m == kDone) plat::postQuitMessage(0);
    return plat::defWindowProc(h, m, w, l);
  });
  plat::Hwnd h = plat::createWindow(u"PumpTestWnd", u"pump");
  std::atomic<std::intptr_t> answer{0};
  std::thread other([&] {
    answer = plat::sendMessage(h, kPing, 21, 0);
    plat::postMessage(h, kDone, 0, 0);
  });
  ui::runMessageLoop();
  other.join();
  EXPECT_EQ(answer.load(), 42);
}

TEST_F(PumpTest, ModalDialogKeepsTheQueueFlowingAndReturnsItsCode) {
  ui::DialogTemplate t;
  t.caption = u"modal";
  t.cx = 100;
  t.cy = 60;
  t.items.push_back({u"Button", u"OK", ui::kIdOk, ui::kWsVisible, 10, 10, 40, 14});
  int pings = 0;
  int code = ui::dialogBox(t, 0, [&](plat::Hwnd h, unsigned m, std::uint32_t w, std::int32_t) -> std::intptr_t {
    if (m == ui::kWmInitDialog) {
      plat::postMessage(h, kPing, 0, 0);
      return 1;
    }
    if (m == kPing && ++pings < 3) plat::postMessage(h, kPing, 0, 0);
    if (m == kPing && pings == 3) plat::setTimer(h, 9, 5);
    if (m == plat::kWmTimer && w == 9) ui::endDialog(h, 42);
    return 0;
  });
  EXPECT_EQ(code, 42);
  EXPECT_EQ(pings, 3);
  EXPECT_EQ(plat::findWindow(u"Dialog", u"modal"), 0u);  // destroyed when its loop returned
}

TEST_F(PumpTest, ModalDialogOverItsOwnerTakesClicksWhileTheOwnerWaits) {
  constexpr unsigned kClickOk = plat::kWmUser + 3;
  ui::DialogTemplate main;
  main.caption = u"main";
  main.cx = 100;
  main.cy = 60;
  main.items.push_back({u"Button", u"設定", 1000, ui::kWsVisible, 10, 10, 40, 14});
  ui::DialogTemplate about = main;
  about.caption = u"ダイアログ";
  about.items = {{u"Button", u"OK", ui::kIdOk, ui::kWsVisible, 10, 10, 40, 14}};
  int code = 0;
  bool ownerEnabled = true, okEnabled = false;
  plat::Hwnd owner = ui::createDialog(main, 0, [&](plat::Hwnd h, unsigned m, std::uint32_t w, std::int32_t) -> std::intptr_t {
    if (m == plat::kWmCommand && ui::loWord(w) == 1000) {
      code = ui::dialogBox(about, h, [&](plat::Hwnd d, unsigned dm, std::uint32_t, std::int32_t) -> std::intptr_t {
        if (dm == ui::kWmInitDialog) plat::postMessage(d, kClickOk, 0, 0);
        if (dm == kClickOk) {
          ownerEnabled = ui::isWindowEnabled(h);
          okEnabled = ui::isWindowEnabled(ui::getDlgItem(d, ui::kIdOk));
          ui::testing::clickButton(ui::getDlgItem(d, ui::kIdOk));
        }
        return 0;
      });
      return 1;
    }
    return 0;
  });
  ui::testing::clickButton(ui::getDlgItem(owner, 1000));
  EXPECT_EQ(code, ui::kIdOk);
  EXPECT_FALSE(ownerEnabled);
  EXPECT_TRUE(okEnabled);
  EXPECT_TRUE(ui::isWindowEnabled(owner));  // enabled again afterwards
}

TEST_F(PumpTest, OneTurnHandlesOneMessageAndLeavesQuitToTheLoop) {
  int handled = 0;
  plat::registerWindowClass(u"PumpTestWnd", [&](plat::Hwnd h, unsigned m, std::uint32_t w, std::int32_t l) -> std::intptr_t {
    if (m == kPing) ++handled;
    return plat::defWindowProc(h, m, w, l);
  });
  plat::Hwnd h = plat::createWindow(u"PumpTestWnd", u"pump");
  plat::postMessage(h, kPing, 0, 0);
  EXPECT_TRUE(ui::pumpOnce());
  EXPECT_EQ(handled, 1);
  plat::postQuitMessage(3);
  EXPECT_FALSE(ui::pumpOnce());
  EXPECT_FALSE(ui::pumpOnce());  // still pending
  EXPECT_EQ(ui::runMessageLoop(), 3);
}

}  // namespace
