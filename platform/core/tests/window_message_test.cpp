#include "platform/core/clock.h"
#include "platform/core/timer.h"
#include "platform/core/window.h"
#include "tools/datagen/temp_runtime.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

using plat::Hwnd;

struct Seen {
  Hwnd hwnd;
  unsigned msg;
  std::uint32_t w;
  std::int32_t l;
};

// A window class whose procedure records every message and answers kWmUser with w * 2.
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::registerWindowClass(u"RecordClass", [this](Hwnd h, unsigned m, std::uint32_t w, std::int32_t l) {
      seen.push_back({h, m, w, l});
      if (m == plat::kWmUser) return static_cast<std::intptr_t>(w) * 2;
      return plat::defWindowProc(h, m, w, l);
    });
  }
  std::vector<unsigned> messagesOf(Hwnd h) const {
    std::vector<unsigned> r;
    for (const Seen& s : seen) {
      if (s.hwnd == h) r.push_back(s.msg);
    }
    return r;
  }
  datagen::TempRuntime runtime;
  std::vector<Seen> seen;
};

TEST_F(WindowTest, CreateFindAndDestroy) {
  Hwnd a = plat::createWindow(u"RecordClass", u"First");
  Hwnd b = plat::createWindow(u"recordclass", u"Second");
  ASSERT_NE(a, 0u);
  ASSERT_NE(b, 0u);
  EXPECT_NE(a, b);
  EXPECT_EQ(messagesOf(a), std::vector<unsigned>{plat::kWmCreate});
  EXPECT_FALSE(plat::isWindowVisible(a));

  EXPECT_EQ(plat::findWindow(u"RecordClass", u"Second"), b);
  EXPECT_EQ(plat::findWindow(u"", u"Second"), b);
  EXPECT_EQ(plat::findWindow(u"RECORDCLASS", u""), a);  // class names ignore case; first made first
  EXPECT_EQ(plat::findWindow(u"RecordClass", u"second"), 0u);
  EXPECT_EQ(plat::findWindow(u"Other", u""), 0u);
  EXPECT_EQ(plat::windowTitle(b), u"Second");

  ASSERT_TRUE(plat::setWindowTitle(b, u"Renamed"));
  EXPECT_EQ(plat::findWindow(u"", u"Renamed"), b);
  EXPECT_EQ(plat::findWindow(u"", u"Second"), 0u);

  EXPECT_TRUE(plat::destroyWindow(a));
  EXPECT_FALSE(plat::isWindow(a));
  EXPECT_FALSE(plat::destroyWindow(a));
  EXPECT_EQ(plat::findWindow(u"RecordClass", u"First"), 0u);
  EXPECT_EQ(messagesOf(a), (std::vector<unsigned>{plat::kWmCreate, plat::kWmDestroy}));
}

TEST_F(WindowTest, UnknownClassOrRefusedCreateGivesNoWindow) {
  EXPECT_EQ(plat::createWindow(u"NoSuchClass", u"x"), 0u);
  plat::registerWindowClass(u"Refuses", [](Hwnd, unsigned m, std::uint32_t, std::int32_t) -> std::intptr_t {
    return m == plat::kWmCreate ? -1 : 0;
  });
  EXPECT_EQ(plat::createWindow(u"Refuses", u"x"), 0u);
  EXPECT_EQ(plat::findWindow(u"Refuses", u""), 0u);
}

TEST_F(WindowTest, ChildrenAreDestroyedWithTheParentAndAreNotFound) {
  Hwnd parent = plat::createWindow(u"RecordClass", u"Parent");
  Hwnd child = plat::createWindow(u"RecordClass", u"Child", parent);
  ASSERT_NE(child, 0u);
  EXPECT_EQ(plat::findWindow(u"", u"Child"), 0u);
  EXPECT_EQ(plat::createWindow(u"RecordClass", u"Orphan", 0xFFFF0001u), 0u);
  plat::destroyWindow(parent);
  EXPECT_FALSE(plat::isWindow(child));
  EXPECT_EQ(messagesOf(child), (std::vector<unsigned>{plat::kWmCreate, plat::kWmDestroy}));
}

TEST_F(WindowTest, PostedMessagesComeInOrderAndQuitComesLast) {
  Hwnd h = plat::createWindow(u"RecordClass", u"Q");
  EXPECT_TRUE(plat::postMessage(h, plat::kWmUser + 1, 1, -1));
  EXPECT_TRUE(plat::postMessage(h, plat::kWmUser + 2, 2, 0));
  plat::postQuitMessage(5);
  EXPECT_TRUE(plat::postMessage(h, plat::kWmUser + 3, 3, 0));

  plat::Msg m;
  ASSERT_TRUE(plat::peekMessage(m, false));
  EXPECT_EQ(m.message, plat::kWmUser + 1u);
  EXPECT_EQ(plat::runMessageLoop(), 5);
  ASSERT_EQ(seen.size(), 4u);  // create and the three posts
  EXPECT_EQ(seen[1].msg, plat::kWmUser + 1u);
  EXPECT_EQ(seen[1].l, -1);
  EXPECT_EQ(seen[3].msg, plat::kWmUser + 3u);
  EXPECT_FALSE(plat::peekMessage(m, true));
  EXPECT_FALSE(plat::postMessage(0, plat::kWmUser, 0, 0));
}

TEST_F(WindowTest, SendOnTheOwningThreadCallsTheProcedureAtOnce) {
  Hwnd h = plat::createWindow(u"RecordClass", u"S");
  EXPECT_EQ(plat::sendMessage(h, plat::kWmUser, 21, 0), 42);
  EXPECT_EQ(plat::sendMessage(0x7FFF0001u, plat::kWmUser, 21, 0), 0);  // no such window or process
}

TEST_F(WindowTest, CloseByDefaultDestroysTheWindow) {
  Hwnd h = plat::createWindow(u"RecordClass", u"C");
  plat::sendMessage(h, plat::kWmClose, 0, 0);
  EXPECT_FALSE(plat::isWindow(h));
}

// A window owned by another thread: sends wait for that thread, which may send back to a window
// of the waiting thread before it answers.
TEST_F(WindowTest, SendToAnotherThreadWithANestedSendBack) {
  Hwnd mine = plat::createWindow(u"RecordClass", u"Mine");
  std::atomic<Hwnd> theirs{0};
  std::thread other([&] {
    plat::registerWindowClass(u"Echo", [mine](Hwnd h, unsigned m, std::uint32_t w, std::int32_t l) -> std::intptr_t {
      if (m == plat::kWmUser) return plat::sendMessage(mine, plat::kWmUser, w, 0) + 1;
      if (m == plat::kWmDestroy) plat::postQuitMessage(0);
      return plat::defWindowProc(h, m, w, l);
    });
    theirs = plat::createWindow(u"Echo", u"Theirs");
    plat::runMessageLoop();
  });
  while (theirs == 0) std::this_thread::yield();
  EXPECT_EQ(plat::sendMessage(theirs, plat::kWmUser, 10, 0), 21);
  EXPECT_EQ(plat::windowTitle(theirs), u"Theirs");
  plat::sendMessage(theirs, plat::kWmClose, 0, 0);
  other.join();
  EXPECT_FALSE(plat::isWindow(theirs));
  EXPECT_EQ(plat::sendMessage(theirs, plat::kWmUser, 1, 0), 0);
}

TEST_F(WindowTest, PostFromAnotherThreadWakesTheLoop) {
  Hwnd h = plat::createWindow(u"RecordClass", u"P");
  std::thread poster([h] {
    for (std::uint32_t i = 0; i < 50; ++i) plat::postMessage(h, plat::kWmUser + 5, i, 0);
    plat::postMessage(h, plat::kWmClose, 0, 0);
  });
  plat::Msg m;
  std::uint32_t expect = 0;
  while (plat::isWindow(h) && plat::getMessage(m)) {
    if (m.message == plat::kWmUser + 5) {
      EXPECT_EQ(m.wParam, expect++);
    }
    plat::dispatchMessage(m);
  }
  poster.join();
  EXPECT_EQ(expect, 50u);
}

TEST_F(WindowTest, TimersFireOnTheClockInUse) {
  plat::ManualClock manual;
  plat::ScopedClock use(manual);
  Hwnd h = plat::createWindow(u"RecordClass", u"T");
  EXPECT_EQ(plat::msUntilNextTimer(), -1);
  ASSERT_TRUE(plat::setTimer(h, 101, 1000));
  plat::Msg m;
  EXPECT_FALSE(plat::peekMessage(m, true));
  manual.advance(999);
  EXPECT_EQ(plat::msUntilNextTimer(), 1);
  EXPECT_FALSE(plat::peekMessage(m, true));
  manual.advance(1);
  ASSERT_TRUE(plat::peekMessage(m, true));
  EXPECT_EQ(m.message, plat::kWmTimer);
  EXPECT_EQ(m.hwnd, h);
  EXPECT_EQ(m.wParam, 101u);
  EXPECT_FALSE(plat::peekMessage(m, true));  // rescheduled, not repeated at once

  // getMessage waits through the manual clock: the next tick comes without real waiting.
  std::int64_t before = manual.nowMs();
  ASSERT_TRUE(plat::getMessage(m));
  EXPECT_EQ(m.message, plat::kWmTimer);
  EXPECT_EQ(manual.nowMs() - before, 1000);

  EXPECT_TRUE(plat::killTimer(h, 101));
  EXPECT_FALSE(plat::killTimer(h, 101));
  manual.advance(5000);
  EXPECT_FALSE(plat::peekMessage(m, true));
  EXPECT_FALSE(plat::setTimer(0x7FFF0001u, 1, 10));
}

TEST_F(WindowTest, DestroyingAWindowStopsItsTimers) {
  plat::ManualClock manual;
  plat::ScopedClock use(manual);
  Hwnd h = plat::createWindow(u"RecordClass", u"T2");
  plat::setTimer(h, 1, 10);
  plat::destroyWindow(h);
  manual.advance(100);
  plat::Msg m;
  EXPECT_FALSE(plat::peekMessage(m, true));
}

TEST_F(WindowTest, AcceleratorsSendTheirCommand) {
  Hwnd h = plat::createWindow(u"RecordClass", u"A");
  const plat::Accelerator table[] = {{plat::kAccelControl, 'Q', 1}};
  plat::Msg ctrlQ{h, plat::kWmKeyDown, 'Q', plat::kAccelControl};
  plat::Msg plainQ{h, plat::kWmKeyDown, 'Q', 0};
  plat::Msg charQ{h, plat::kWmChar, 'Q', plat::kAccelControl};
  EXPECT_FALSE(plat::translateAccelerator(h, table, 1, plainQ));
  EXPECT_FALSE(plat::translateAccelerator(h, table, 1, charQ));
  ASSERT_TRUE(plat::translateAccelerator(h, table, 1, ctrlQ));
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back().msg, plat::kWmCommand);
  EXPECT_EQ(seen.back().w & 0xFFFF, 1u);
}

TEST_F(WindowTest, ForegroundWindowIsRecordedAndTheHookRunsOnTheOwner) {
  Hwnd a = plat::createWindow(u"RecordClass", u"FgA");
  std::vector<Hwnd> raised;
  plat::setForegroundHook([&](Hwnd h) { raised.push_back(h); });
  EXPECT_TRUE(plat::setForegroundWindow(a));
  EXPECT_EQ(plat::foregroundWindow(), a);
  plat::Msg m;
  EXPECT_FALSE(plat::peekMessage(m, true));  // the hook ran inside, nothing for the caller
  EXPECT_EQ(raised, std::vector<Hwnd>{a});
  plat::destroyWindow(a);
  EXPECT_EQ(plat::foregroundWindow(), 0u);
  EXPECT_FALSE(plat::setForegroundWindow(a));
  plat::setForegroundHook(nullptr);
}

TEST_F(WindowTest, AWindowTakenOffTheScreenLeavesTheOneBelowInFront) {
  Hwnd a = plat::createWindow(u"RecordClass", u"StackA");
  Hwnd b = plat::createWindow(u"RecordClass", u"StackB");
  Hwnd c = plat::createWindow(u"RecordClass", u"StackC");
  plat::noteWindowInFront(a);
  plat::noteWindowInFront(b);
  plat::noteWindowInFront(c);
  plat::setForegroundWindow(a);  // a comes up again, over c
  EXPECT_EQ(plat::takeWindowOffScreen(a), c);
  EXPECT_EQ(plat::takeWindowOffScreen(c), b);
  // A window gone is no longer below anything; the last one leaves nothing in front.
  plat::destroyWindow(b);
  plat::noteWindowInFront(a);
  EXPECT_EQ(plat::takeWindowOffScreen(a), 0u);
  plat::destroyWindow(a);
  plat::destroyWindow(c);
}

}  // namespace
