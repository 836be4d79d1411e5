// The refresher run while a program holds a panel: the panel is created anew on every run,
// whether the host hears the selections while the refresher runs or only after it ended.
#include "input/refresher/refresher.h"
#include "platform/core/device.h"
#include "platform/core/input_method.h"
#include "platform/core/library.h"
#include "platform/core/process.h"
#include "platform/core/registry.h"
#include "platform/core/window.h"
#include "platform/ui/app.h"
#include "platform/ui/dialog.h"
#include "platform/ui/panel_host.h"
#include "tools/datagen/temp_device.h"
#include "tools/datagen/temp_runtime.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

constexpr char kPinyin[] = "{3671431C-F947-4197-95BB-23723DC47D6E}";
constexpr char kBrusca[] = "{9668E639-80A6-4899-B03A-B7151C870657}";

struct Counts {
  int objects, selects, deselects, showing, hiding, options;
};

class RefresherHost : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ui::initApplication());
    const char* bin = std::getenv("SUITE_BIN_DIR");
    ASSERT_NE(bin, nullptr);
    plat::setProgramFolder(bin);
    // The test panel counts its selections; held open so that the counts outlive unloading.
    library_ = plat::loadLibrary("Uitestpanel");
    ASSERT_NE(library_, nullptr) << plat::libraryErrorText();
    pinyin_ = *plat::parseClassId(std::string_view(kPinyin));
    ASSERT_TRUE(plat::registerInputMethod(pinyin_, u"pinyin"));
    auto server = plat::regCreateKey(plat::RegRoot::ClassesRoot, std::string("CLSID\\") + kPinyin + "\\InprocServer32");
    ASSERT_TRUE(server && plat::regSetString(*server, "", u"\\windows\\Uitestpanel.dll"));
    ASSERT_TRUE(plat::registerInputMethod(*plat::parseClassId(std::string_view(kBrusca)), u"handwriting"));

    ui::DialogTemplate t;
    t.caption = u"host";
    t.cx = 120;
    t.cy = 100;
    t.fullScreen = true;
    dlg_ = ui::createDialog(t, 0, nullptr);
    ASSERT_NE(dlg_, 0u);
    ASSERT_TRUE(ui::attachInputPanelHost(dlg_));
    ASSERT_TRUE(plat::selectInputMethod(pinyin_));
    ui::processPendingEvents();
    ASSERT_EQ(ui::loadedInputPanel(), pinyin_);
  }
  void TearDown() override {
    ui::detachInputPanelHost();
    for (plat::Hwnd h : plat::findWindows(u"", u"")) plat::destroyWindow(h);
    ui::processPendingEvents();
    if (library_) plat::freeLibrary(library_);
    plat::setProgramFolder("");
  }
  int selects() {
    auto fn = plat::bindFunction<Counts (*)()>(library_, "uitestpanel_counts");
    return fn ? fn().selects : -1;
  }
  void pump(int rounds) {
    for (int i = 0; i < rounds; ++i) {
      ui::processPendingEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  // Runs imreset; the host handles its messages alongside, or only once it has ended.
  void runRefresher(bool alongside) {
    plat::ProcessInfo info;
    ASSERT_TRUE(plat::startProgram("imreset.exe", u"", &info));
    int code = -1;
    if (alongside) {
      while (!plat::waitForProcess(info, 1, &code)) ui::processPendingEvents();
    } else {
      ASSERT_TRUE(plat::waitForProcess(info, 20000, &code));
    }
    EXPECT_EQ(code, 0);
    pump(20);
  }

  datagen::TempRuntime runtime_;
  datagen::TempDevice device_;
  plat::LibraryHandle library_ = nullptr;
  plat::ClassId pinyin_;
  plat::Hwnd dlg_ = 0;
};

TEST_F(RefresherHost, EveryRunCreatesTheHeldPanelAnew) {
  for (bool alongside : {false, true}) {
    for (int run = 0; run < 4; ++run) {
      int before = selects();
      runRefresher(alongside);
      EXPECT_GT(selects(), before) << (alongside ? "alongside" : "afterwards") << " run " << run;
      EXPECT_EQ(ui::loadedInputPanel(), pinyin_);
    }
  }
  // The refresher in this process: each of its selections reaches the host at once. The pinyin
  // panel is created anew after the other methods; the starting method selected again right after
  // it (the same) keeps that panel.
  int before = selects();
  EXPECT_EQ(refresher::refreshInputMethods(), 0);
  EXPECT_EQ(selects(), before + 1);
  EXPECT_EQ(ui::loadedInputPanel(), pinyin_);
}

}  // namespace
