#include "platform/core/codepage.h"
#include "platform/core/waveout.h"
#include "platform/core/window.h"
#include "speech/engine/engine_state.h"
#include "speech/engine/vocra_api.h"
#include "speech_fixture.h"
#include "tools/datagen/temp_runtime.h"

#include <dlfcn.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

std::vector<std::pair<std::uint32_t, std::int32_t>> gStatus;

void twoSilentBlocks(speech::Utterance& u, speech::SampleBuffer& b) {
  if (u.text[u.cursor] == 0) return;
  ++u.cursor;
  if (speech::ensureRoom(b, 320)) b.fill += 320;
}

// The progress reaches a window of the platform's own message layer.
class SpeechWindowTest : public speechtest::SpeechFixture {
 protected:
  void SetUp() override {
    SpeechFixture::SetUp();
    gStatus.clear();
    plat::registerWindowClass(u"SpeechStatusClass", [](plat::Hwnd h, unsigned m, std::uint32_t w, std::int32_t l) {
      if (m == speech::kWmSpeechStatus) gStatus.emplace_back(w, l);
      return plat::defWindowProc(h, m, w, l);
    });
    speech::setBlockFiller(twoSilentBlocks);
    ::setenv(plat::kWaveOutEnv, "wavfast:/dev/null", 1);
  }
  void TearDown() override {
    speech::vocraStop();
    speech::vocraEnd();
    speech::setBlockFiller(nullptr);
    ::unsetenv(plat::kWaveOutEnv);
  }
  datagen::TempRuntime runtime_;
};

TEST_F(SpeechWindowTest, ProgressIsPostedToTheNotifyWindow) {
  plat::Hwnd hwnd = plat::createWindow(u"SpeechStatusClass", u"listener");
  ASSERT_NE(hwnd, 0u);
  ASSERT_EQ(speech::vocraInit(plat::utf8ToWide(folder_).c_str()), speech::kSpeechOk);
  EXPECT_EQ(speech::vocraPlay(u"中国", hwnd + 0x1000, nullptr, nullptr), speech::kSpeechBadWindow);
  ASSERT_EQ(speech::vocraPlay(u"中国", hwnd, nullptr, nullptr), speech::kSpeechOk);

  auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while ((gStatus.empty() || gStatus.back().first != speech::kProgressEnded) && std::chrono::steady_clock::now() < deadline) {
    plat::Msg msg;
    if (plat::peekMessage(msg)) {
      plat::dispatchMessage(msg);
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  std::vector<std::pair<std::uint32_t, std::int32_t>> expected = {{0, 0}, {3, 2}, {2, 2}, {3, 4}, {2, 4}, {1, 0}};
  EXPECT_EQ(gStatus, expected);
  plat::destroyWindow(hwnd);
}

}  // namespace

namespace {

// The shared library as the reader loads it: only the five entry points are exported, and its
// progress reaches a window of the program that loaded it. The library keeps its state for the
// life of the process, so this runs once per process.
TEST_F(SpeechWindowTest, SharedLibraryExportsAndPostsToTheProgramsWindow) {
  const char* bin = std::getenv("SUITE_BIN_DIR");
  ASSERT_NE(bin, nullptr);
  std::string path = std::string(bin) + "/Phonavel.so";
  if (::dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD)) GTEST_SKIP() << "already loaded in this process";
  void* lib = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(lib, nullptr) << ::dlerror();
  auto init = reinterpret_cast<int (*)(const char16_t*)>(::dlsym(lib, "VocraInit"));
  auto end = reinterpret_cast<int (*)()>(::dlsym(lib, "VocraEnd"));
  auto play = reinterpret_cast<int (*)(const char16_t*, std::uint32_t, VocraCallback, void*)>(::dlsym(lib, "VocraPlay"));
  auto stop = reinterpret_cast<int (*)()>(::dlsym(lib, "VocraStop"));
  auto setParam = reinterpret_cast<int (*)(unsigned, int)>(::dlsym(lib, "VocraSetParam"));
  ASSERT_TRUE(init && end && play && stop && setParam);
  EXPECT_EQ(::dlsym(lib, "_ZN6speech9vocraInitEPKDs"), nullptr);
  EXPECT_EQ(setParam(8, 0), 27);
  EXPECT_EQ(play(u"", 0, nullptr, nullptr), 10);
  EXPECT_EQ(stop(), 9);
  EXPECT_EQ(end(), 2);

  plat::Hwnd hwnd = plat::createWindow(u"SpeechStatusClass", u"listener");
  ASSERT_NE(hwnd, 0u);
  ASSERT_EQ(init(plat::utf8ToWide(folder_).c_str()), 0);
  EXPECT_EQ(init(plat::utf8ToWide(folder_).c_str()), 1);
  // Its own renderer is the built-in one: the two characters make one block.
  ASSERT_EQ(play(u"中国", hwnd, nullptr, nullptr), 0);
  auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while ((gStatus.empty() || gStatus.back().first != speech::kProgressEnded) && std::chrono::steady_clock::now() < deadline) {
    plat::Msg msg;
    if (plat::peekMessage(msg)) {
      plat::dispatchMessage(msg);
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  std::vector<std::pair<std::uint32_t, std::int32_t>> expected = {{0, 0}, {3, 4}, {2, 4}, {1, 0}};
  EXPECT_EQ(gStatus, expected);
  int r;
  while ((r = end()) == 8) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(r, 0);
  plat::destroyWindow(hwnd);
}

}  // namespace
