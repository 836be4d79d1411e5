#include "platform/core/test_helpers/peer.h"
#include "peer_fixture.h"
#include "platform/core/window.h"
#include "tools/datagen/temp_runtime.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using plat::Hwnd;

class ProgramMessagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::registerWindowClass(u"Requester", [this](Hwnd h, unsigned m, std::uint32_t w, std::int32_t l) {
      received.push_back(m);
      if (m == peer::kAnswerMe) return static_cast<std::intptr_t>(w) * 3;
      if (m == peer::kPosted) postedValue = w;
      return plat::defWindowProc(h, m, w, l);
    });
    mine = plat::createWindow(u"Requester", u"Requester");
    received.clear();
  }
  datagen::TempRuntime runtime;
  Hwnd mine = 0;
  std::vector<unsigned> received;
  std::uint32_t postedValue = 0;
};

TEST_F(ProgramMessagesTest, FindSendAndPostBetweenPrograms) {
  PeerProgram other;
  ASSERT_TRUE(other.start("PEER_CLASS", "PeerTitle"));
  EXPECT_EQ(plat::findWindow(u"", u"PeerTitle"), other.hwnd);
  EXPECT_EQ(plat::findWindow(u"PEER_CLASS", u""), other.hwnd);
  EXPECT_EQ(plat::findWindow(u"PEER_CLASS", u"Other"), 0u);
  EXPECT_EQ(plat::windowClassName(other.hwnd), u"PEER_CLASS");
  EXPECT_TRUE(plat::isWindow(other.hwnd));

  EXPECT_EQ(plat::sendMessage(other.hwnd, peer::kPing, 40, 2), 42);
  EXPECT_EQ(plat::sendMessage(other.hwnd, peer::kPing, 0, -5), -5);

  // A post comes back as a post to our queue.
  ASSERT_TRUE(plat::postMessage(other.hwnd, peer::kPostBack, mine, 77));
  plat::Msg m;
  while (plat::getMessage(m) && m.message != peer::kPosted) plat::dispatchMessage(m);
  plat::dispatchMessage(m);
  EXPECT_EQ(postedValue, 77u);
}

// The peer sends back to our window while our send to it still waits: the nested send is
// handled inside the wait, as the reader does with its requester.
TEST_F(ProgramMessagesTest, NestedSendCompletesWithoutDeadlock) {
  PeerProgram other;
  ASSERT_TRUE(other.start("PEER_CLASS", "Nested"));
  EXPECT_EQ(plat::sendMessage(other.hwnd, peer::kSendBack, mine, 0), 7 * 3 + 1000);
  EXPECT_EQ(received, std::vector<unsigned>{peer::kAnswerMe});
  plat::Msg m;
  EXPECT_FALSE(plat::peekMessage(m, true));  // handled during the wait, nothing queued
}

TEST_F(ProgramMessagesTest, CloseEndsTheProgramAndItsWindowIsGone) {
  PeerProgram other;
  ASSERT_TRUE(other.start("PEER_CLASS", "Closing"));
  plat::sendMessage(other.hwnd, plat::kWmClose, 0, 0);
  int code = -1;
  ASSERT_TRUE(plat::waitForProcess(other.info, 10000, &code));
  EXPECT_EQ(code, peer::kExitCode);
  EXPECT_EQ(plat::findWindow(u"PEER_CLASS", u"Closing"), 0u);
  EXPECT_FALSE(plat::isWindow(other.hwnd));
}

TEST_F(ProgramMessagesTest, WindowOfAKilledProgramIsIgnored) {
  PeerProgram other;
  ASSERT_TRUE(other.start("PEER_CLASS", "Killed"));
  Hwnd gone = other.hwnd;
  other.kill();
  // Its window file stays behind; the dead owner makes it invisible to every call.
  EXPECT_EQ(plat::findWindow(u"PEER_CLASS", u"Killed"), 0u);
  EXPECT_FALSE(plat::isWindow(gone));
  EXPECT_EQ(plat::windowTitle(gone), u"");
  EXPECT_EQ(plat::sendMessage(gone, peer::kPing, 1, 1), 0);
  EXPECT_FALSE(plat::postMessage(gone, peer::kPing, 1, 1));

  // A new program may take the dead one's slot; the stale window is not found for it either.
  PeerProgram next;
  ASSERT_TRUE(next.start("PEER_CLASS", "Next"));
  EXPECT_EQ(plat::findWindow(u"PEER_CLASS", u"Killed"), 0u);
  EXPECT_EQ(plat::sendMessage(next.hwnd, peer::kPing, 1, 1), 2);
}

// A send whose receiver dies before answering returns instead of waiting for ever.
TEST_F(ProgramMessagesTest, SendToAProgramThatDiesMeanwhileReturns) {
  PeerProgram other;
  ASSERT_TRUE(other.start("PEER_CLASS", "Dying"));
  plat::registerWindowClass(u"KillsPeer", [&other](Hwnd, unsigned m, std::uint32_t, std::int32_t) -> std::intptr_t {
    if (m == peer::kAnswerMe) other.kill();  // the peer is inside its send back to us
    return 5;
  });
  Hwnd killer = plat::createWindow(u"KillsPeer", u"Killer");
  EXPECT_EQ(plat::sendMessage(other.hwnd, peer::kSendBack, killer, 0), 0);
}

TEST_F(ProgramMessagesTest, BringingAnotherProgramsWindowToTheFront) {
  PeerProgram other;
  ASSERT_TRUE(other.start("PEER_CLASS", "Front"));
  ASSERT_TRUE(plat::setForegroundWindow(other.hwnd));
  EXPECT_EQ(plat::foregroundWindow(), other.hwnd);
  // The peer's hook has run by the time it answers a later send (its queue is handled in order
  // once the posted request has been taken).
  std::intptr_t count = 0;
  for (int i = 0; i < 500 && count == 0; ++i) {
    count = plat::sendMessage(other.hwnd, peer::kForegroundCount, 0, 0);
    if (count == 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_EQ(count, 1);
}

}  // namespace
