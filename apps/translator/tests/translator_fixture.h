// A translator on the sample card's data, in its own device and runtime folders: the card is built
// once into the build tree by datagen_card, each test copies the translator's data folders onto
// the card it wants, and the registry is set up as the device's installer does.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "apps/translator/jc_engine_link.h"
#include "apps/translator/translate_dlg.h"
#include "apps/translator/translator_app.h"
#include "apps/translator/translator_registry.h"
#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/core/input_method.h"
#include "platform/core/notify_recorder.h"
#include "platform/core/timer.h"
#include "platform/core/window.h"
#include "platform/ui/app.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "tools/datagen/sample_card.h"
#include "tools/datagen/temp_device.h"
#include "tools/datagen/temp_runtime.h"

namespace orvaletest {

namespace fs = std::filesystem;

inline std::string binFolder() {
  if (const char* bin = std::getenv("SUITE_BIN_DIR")) return bin;
  std::error_code ec;
  return (fs::read_symlink("/proc/self/exe", ec).parent_path().parent_path() / "bin").string();
}

inline constexpr char kLindqvarDic[] = "Talvenro/Chinese/LindqvarDic";

// The TerminateJpnParse calls the tests count in place of the library's.
inline int gTerminations = 0;
inline void countTermination() { ++gTerminations; }

class OrvaleTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ::setenv("QT_QPA_PLATFORM", "offscreen", 0); }

  void SetUp() override {
    ASSERT_TRUE(fs::is_directory(fs::path(ORVALE_TEST_CARD) / kLindqvarDic)) << ORVALE_TEST_CARD;
    ASSERT_TRUE(ui::initApplication());
    ui::setScreenDpi(96);
    ui::setScreenSize(240, 320);
    plat::setProgramFolder(binFolder());
    gTerminations = 0;
  }
  void TearDown() override {
    app_.reset();
    for (plat::Hwnd h : plat::findWindows(u"", u"")) plat::destroyWindow(h);
    ui::processPendingEvents();
    plat::setProgramFolder("");
  }

  // The sample card's translator data on a card of the device (host folder copy).
  void putData(const std::string& card) {
    std::error_code ec;
    const fs::path to = fs::path(plat::hostPath(card)) / kLindqvarDic;
    fs::create_directories(to, ec);
    fs::copy(fs::path(ORVALE_TEST_CARD) / kLindqvarDic, to, fs::copy_options::recursive, ec);
    ASSERT_FALSE(ec) << ec.message();
  }
  void removeDataFile(const std::string& card, const std::string& relative) {
    ASSERT_TRUE(fs::remove(fs::path(plat::hostPath(card)) / kLindqvarDic / relative));
  }
  // The installer's keys, and every probed input method installed unless told otherwise.
  void setUpRegistry(bool inputMethods = true) {
    ASSERT_TRUE(datagen::writeProgramRegistry());
    if (!inputMethods) {
      ASSERT_TRUE(plat::regDeleteKey(plat::RegRoot::ClassesRoot,
                                     "CLSID\\" + plat::wideToUtf8(plat::classIdText(orvale::japaneseHandwritingIm()))));
      return;
    }
    for (const plat::ClassId& id : {orvale::handwritingSearchIm(), orvale::handwritingInputIm(), orvale::pinyinIm()})
      ASSERT_TRUE(plat::registerInputMethod(id, u"panel"));
  }
  void setDword(const char* name, std::uint32_t value) {
    auto key = orvale::openTranslatorKey();
    ASSERT_TRUE(key.has_value());
    ASSERT_TRUE(plat::regSetDword(*key, name, value));
  }
  std::optional<std::uint32_t> dword(const char* name) { return orvale::readTranslatorDword(name); }

  orvale::CTranslatorApp& app() {
    if (!app_) app_ = std::make_unique<orvale::CTranslatorApp>();
    return *app_;
  }

  // Runs InitInstance; while the main dialog is open, `whileOpen` sees it, then it is closed by
  // its OK. True when the main dialog opened.
  bool runInitInstance(const std::function<void(plat::Hwnd)>& whileOpen = {}) {
    static plat::Hwnd found = 0;
    static int ticks = 0;
    static const std::function<void(plat::Hwnd)>* seen = nullptr;
    found = 0;
    ticks = 0;
    seen = &whileOpen;
    plat::registerWindowClass(u"OrvaleTestDriver", [](plat::Hwnd h, unsigned msg, std::uint32_t, std::int32_t) -> std::intptr_t {
      if (msg != plat::kWmTimer) return 0;
      for (plat::Hwnd d : plat::findWindows(u"Dialog", orvale::kDialogCaption)) {
        if (!ui::getDlgItem(d, orvale::kIdSource)) continue;  // the splash
        found = d;
        if (*seen) (*seen)(d);
        plat::killTimer(h, 1);
        plat::sendMessage(d, plat::kWmCommand, ui::makeWParam(ui::kIdOk, 0), 0);
        return 0;
      }
      if (++ticks > 500) plat::killTimer(h, 1);
      return 0;
    });
    plat::Hwnd driver = plat::createWindow(u"OrvaleTestDriver", u"");
    plat::setTimer(driver, 1, 10);
    app().InitInstance();
    plat::destroyWindow(driver);
    return found != 0;
  }

  // Start-up up to the dialog, then the dialog modeless.
  plat::Hwnd startDialog() {
    if (!app().startUp()) return 0;
    plat::setWaitCursor(false);
    return app().mainDialog()->Create();
  }
  orvale::CTranslateDlg& dlg() { return *app().mainDialog(); }
  plat::Hwnd pane(unsigned id) { return ui::getDlgItem(dlg().hwnd(), id); }

  datagen::TempRuntime runtime_;
  datagen::TempDevice device_;
  std::unique_ptr<orvale::CTranslatorApp> app_;
};

}  // namespace orvaletest
