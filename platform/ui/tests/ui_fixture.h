// A test of the user interface: its own runtime and device folders, the application started
// offscreen, a portrait screen at 96 dots per inch; every dialog left open is destroyed after.
#pragma once
#include "platform/core/window.h"
#include "platform/ui/app.h"
#include "tools/datagen/temp_device.h"
#include "tools/datagen/temp_runtime.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ui::initApplication());
    ui::setScreenDpi(96);
    ui::setScreenSize(240, 320);
  }
  void TearDown() override {
    for (plat::Hwnd h : plat::findWindows(u"", u"")) plat::destroyWindow(h);
    ui::processPendingEvents();
  }

  datagen::TempRuntime runtime;
  datagen::TempDevice device;
};

// What a dialog procedure heard: one entry per message.
struct Heard {
  unsigned msg;
  std::uint32_t wParam;
  std::int32_t lParam;
};

inline int countOf(const std::vector<Heard>& heard, unsigned msg, std::uint32_t wParam) {
  int n = 0;
  for (const Heard& h : heard) n += h.msg == msg && h.wParam == wParam;
  return n;
}
