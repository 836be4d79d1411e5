// The panel on the user-interface layer: loaded by class id through the host, typing into the
// focused edit; the options page.
#include <gtest/gtest.h>

#include <cstdlib>

#include "input/pinyin/keyboard_layouts.h"
#include "input/pinyin/options_page.h"
#include "input/pinyin/panel_ids.h"
#include "input/pinyin/pinyin_keys.h"
#include "input/pinyin/windows/quillpin_windows.h"
#include "input/panel-common/panel_frame.h"
#include "platform/core/device.h"
#include "platform/core/input_method.h"
#include "platform/core/library.h"
#include "platform/core/window.h"
#include "platform/ui/app.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/fonts.h"
#include "platform/ui/panel_host.h"
#include "platform/ui/testing.h"
#include "tools/datagen/temp_device.h"
#include "tools/datagen/temp_runtime.h"

namespace pinyin {
namespace {

constexpr unsigned kPane = 1001;

class QuillpinHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ui::initApplication());
    ui::setScreenDpi(96);
    ui::setScreenSize(240, 320);
    const char* bin = std::getenv("SUITE_BIN_DIR");
    ASSERT_NE(bin, nullptr);
    plat::setProgramFolder(bin);
    // The installer's step.
    plat::LibraryHandle lib = plat::loadLibrary("Quillpin.dll");
    ASSERT_NE(lib, nullptr) << plat::libraryErrorText();
    auto reg = plat::bindFunction<com::HResult (*)()>(lib, "DllRegisterServer");
    ASSERT_TRUE(reg);
    ASSERT_EQ(reg(), com::kSOk);
    clsid = *plat::parseClassId(kPinyinClassId);

    ui::DialogTemplate t;
    t.caption = u"host";
    t.cx = 120;
    t.cy = 100;
    t.fullScreen = true;
    t.items = {{u"Edit", u"", kPane, ui::kWsVisible | ui::kEsMultiline, 2, 2, 100, 40}};
    dlg = ui::createDialog(t, 0, nullptr);
    ASSERT_NE(dlg, 0u);
    ASSERT_TRUE(ui::attachInputPanelHost(dlg));
  }
  void TearDown() override {
    ui::detachInputPanelHost();
    for (plat::Hwnd h : plat::findWindows(u"", u"")) plat::destroyWindow(h);
    ui::processPendingEvents();
    plat::setProgramFolder("");
  }

  // The centre of the key with this code on a layout, in the panel window's pixels.
  static ui::Point keyPoint(int layout, std::uint16_t code) {
    const auto layouts = makeKeyboardLayouts();
    for (int r = 0; r < kRows; ++r) {
      const KeyRow& row = layouts[static_cast<std::size_t>(layout)][static_cast<std::size_t>(r)];
      for (std::size_t i = 0; i + 1 < row.size(); ++i) {
        if (row[i].code == code && !(row[i].flags & kKeyFlagBlank)) {
          return {(row[i].left + row[i + 1].left) / 2, r * kRowHeight + kRowHeight / 2};
        }
      }
    }
    ADD_FAILURE() << "no key " << code;
    return {};
  }
  void tap(plat::Hwnd window, std::uint16_t code, int layout = 0, int scale = 1) {
    ui::Point p = keyPoint(layout, code);
    p = {p.x * scale, p.y * scale};
    ui::testing::penDown(window, p);
    ui::testing::penUp(window, p);
    ui::processPendingEvents();
  }

  datagen::TempRuntime runtime;
  datagen::TempDevice device;
  plat::ClassId clsid;
  plat::Hwnd dlg = 0;
};

TEST_F(QuillpinHostTest, TappedSyllableAndChosenCandidateArriveInTheFocusedEdit) {
  ASSERT_TRUE(plat::selectInputMethod(clsid));
  ASSERT_TRUE(plat::setInputPanelShown(true));
  ui::processPendingEvents();
  ASSERT_EQ(ui::loadedInputPanel(), clsid);
  plat::Hwnd window = ui::inputPanelWindow();
  ASSERT_NE(window, 0u);
  EXPECT_EQ(plat::windowClassName(window), kPanelWindowClass);
  EXPECT_EQ(ui::windowRect(window).height(), 80);

  plat::Hwnd pane = ui::getDlgItem(dlg, kPane);
  ui::setFocus(pane);
  tap(window, 146);  // zh
  tap(window, 155);  // i
  tap(window, 176);  // tone 4
  // The composition window shows the syllable while composing.
  plat::Hwnd confirm = 0;
  for (plat::Hwnd h : ui::childWindows(dlg)) {
    if (plat::windowClassName(h) == kConfirmWindowClass) confirm = h;
  }
  ASSERT_NE(confirm, 0u);
  EXPECT_TRUE(ui::isWindowVisible(confirm));
  // A small pop-up standing on the panel's top edge, inside the program's window.
  const ui::Rect at = ui::windowRect(confirm);
  EXPECT_EQ(at.bottom, ui::clientRect(dlg).height());
  EXPECT_GT(at.top, 0);
  EXPECT_GE(at.left, 0);
  EXPECT_LE(at.right, ui::clientRect(dlg).width());
  ui::testing::paint(window);
  tap(window, 178);  // the first candidate
  const std::u16string typed = ui::getWindowText(pane);
  ASSERT_EQ(typed.size(), 1u);
  EXPECT_NE(std::u16string(u"志制治质至致置智").find(typed[0]), std::u16string::npos);  // zhì
  EXPECT_FALSE(ui::isWindowVisible(confirm));

  // Characters of the keyboard go as typed; the letter keyboard after its layout key.
  tap(window, u'，');
  tap(window, kKeyLayout2);
  tap(window, u'a', 2);
  tap(window, u'1', 2);
  EXPECT_EQ(ui::getWindowText(pane), typed + u",a1");
  std::uint32_t keyboard = 9;
  EXPECT_TRUE(panel::panelSetting(kPinyinClassId, "Keyboard", false, keyboard));
  EXPECT_EQ(keyboard, 2u);
}

TEST_F(QuillpinHostTest, CompositionWindowDrawsInTheFontOfTheCharacterSet) {
  struct Case {
    std::uint32_t charset, keyboard;
    bool big5;
  };
  const Case cases[] = {{0, 0, false}, {1, 0, true}, {0, 1, true}, {1, 1, true}};
  const plat::ClassId other = *plat::parseClassId(std::string_view("{0CBEA010-F68E-11D1-8C63-0060977B4593}"));
  ASSERT_TRUE(plat::registerInputMethod(other, u"日本語手書き入力"));
  auto confirmWindow = [this] {
    plat::Hwnd confirm = 0;
    for (plat::Hwnd h : ui::childWindows(dlg)) {
      if (plat::windowClassName(h) == kConfirmWindowClass) confirm = h;
    }
    return confirm;
  };
  const std::u16string big5 = ui::mappedFamily(u"ZQ-B5 Mincho", ui::kBig5CharSet);
  const std::u16string gb = ui::mappedFamily(u"ZQ-GB Mincho", ui::kGb2312CharSet);
  for (const Case& c : cases) {
    std::uint32_t charset = c.charset, keyboard = c.keyboard;
    ASSERT_TRUE(panel::panelSetting(kPinyinClassId, "Charset", true, charset));
    ASSERT_TRUE(panel::panelSetting(kPinyinClassId, "Keyboard", true, keyboard));
    // Selected after another method, the panel is created anew and reads its settings.
    ASSERT_TRUE(plat::selectInputMethod(other));
    ASSERT_TRUE(plat::selectInputMethod(clsid));
    ui::processPendingEvents();
    plat::Hwnd confirm = confirmWindow();
    ASSERT_NE(confirm, 0u);
    EXPECT_EQ(ui::queryWindowFont(confirm).family, c.big5 ? big5 : gb) << c.charset << " " << c.keyboard;
  }
  EXPECT_NE(big5, gb);
  // Held while the program switches the character set and selects it again (which keeps it): the
  // next composition is drawn in the new set's font.
  for (std::uint32_t charset : {0u, 1u}) {
    std::uint32_t keyboard = 0, set = charset ? 0 : 1;
    ASSERT_TRUE(panel::panelSetting(kPinyinClassId, "Keyboard", true, keyboard));
    ASSERT_TRUE(panel::panelSetting(kPinyinClassId, "Charset", true, set));
    ASSERT_TRUE(plat::selectInputMethod(other));
    ASSERT_TRUE(plat::selectInputMethod(clsid));
    ASSERT_TRUE(plat::setInputPanelShown(true));
    ui::processPendingEvents();
    set = charset;
    ASSERT_TRUE(panel::panelSetting(kPinyinClassId, "Charset", true, set));
    ASSERT_TRUE(plat::selectInputMethod(clsid));
    ui::processPendingEvents();
    ui::setFocus(ui::getDlgItem(dlg, kPane));
    tap(ui::inputPanelWindow(), 146);  // zh
    plat::Hwnd confirm = confirmWindow();
    ASSERT_NE(confirm, 0u);
    EXPECT_TRUE(ui::isWindowVisible(confirm));
    EXPECT_EQ(ui::queryWindowFont(confirm).family, charset ? big5 : gb) << charset;
    tap(ui::inputPanelWindow(), kKeyBackspace);
  }
}

TEST_F(QuillpinHostTest, AtTwiceTheResolutionThePanelScalesItsKeys) {
  ui::setScreenDpi(192);
  ui::setScreenSize(480, 640);
  ASSERT_TRUE(plat::selectInputMethod(clsid));
  ASSERT_TRUE(plat::setInputPanelShown(true));
  ui::processPendingEvents();
  plat::Hwnd window = ui::inputPanelWindow();
  ASSERT_NE(window, 0u);
  EXPECT_EQ(ui::windowRect(window).height(), 160);
  plat::Hwnd pane = ui::getDlgItem(dlg, kPane);
  ui::setFocus(pane);
  tap(window, 129, 0, 2);  // b
  tap(window, 150, 0, 2);  // y/i
  tap(window, 175, 0, 2);  // tone 3
  ui::testing::paint(window);
  tap(window, 178, 0, 2);
  const std::u16string typed = ui::getWindowText(pane);
  ASSERT_EQ(typed.size(), 1u);
  EXPECT_NE(std::u16string(u"比笔彼鄙").find(typed[0]), std::u16string::npos);  // bǐ
  ui::setScreenDpi(96);
  ui::setScreenSize(240, 320);
}

TEST_F(QuillpinHostTest, OptionsPageShowsAndStoresTheSettings) {
  std::uint32_t vague = 0x01;
  ASSERT_TRUE(panel::panelSetting(kPinyinClassId, "VagueFlags", true, vague));
  plat::Hwnd page = ui::createDialog(optionsTemplate(), dlg, optionsProcedure());
  ASSERT_NE(page, 0u);
  ui::processPendingEvents();
  EXPECT_EQ(ui::getWindowText(page), u"Configurations of Talvenro Pinyin");
  // Every control, the OK button among them, lies inside the page on the 240 × 320 screen.
  const ui::Rect client = ui::clientRect(page);
  EXPECT_EQ(client.width(), 240);
  for (plat::Hwnd c : ui::childWindows(page)) {
    const ui::Rect r = ui::windowRect(c);
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom)
        << ui::getDlgCtrlId(c) << ": " << r.right << "," << r.bottom;
  }
  EXPECT_TRUE(ui::isDlgButtonChecked(page, kOptSimplified));
  EXPECT_TRUE(ui::isDlgButtonChecked(page, kOptFuzzyAnAng));
  EXPECT_FALSE(ui::isDlgButtonChecked(page, kOptFuzzyLN));
  plat::Hwnd box = ui::getDlgItem(page, kOptLanguageBox);
  EXPECT_EQ(plat::sendMessage(box, ui::kCbGetCount, 0, 0), 4);

  // Another language relabels the page at once and is stored at once.
  ui::testing::chooseItem(box, 2);
  EXPECT_EQ(ui::getDlgItemText(page, kOptCharsetGroup), u"字符集");
  EXPECT_EQ(loadOptions().language, 2);

  ui::testing::clickButton(ui::getDlgItem(page, kOptTraditional));
  ui::testing::clickButton(ui::getDlgItem(page, kOptQuoteCorner));
  ui::testing::clickButton(ui::getDlgItem(page, kOptFuzzyLN));
  ui::testing::clickButton(ui::getDlgItem(page, kOptFuzzyAnAng));
  ui::testing::clickButton(ui::getDlgItem(page, ui::kIdOk));
  ui::processPendingEvents();
  OptionsValues v = loadOptions();
  EXPECT_TRUE(v.traditional);
  EXPECT_TRUE(v.corner);
  EXPECT_FALSE(v.dot);
  EXPECT_EQ(v.fuzzyFlags, 0x40u);
}

}  // namespace
}  // namespace pinyin
