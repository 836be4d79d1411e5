// The main dialog offscreen: the direction switch, the character-set toggle, two and three panes,
// rotation between the templates, the menus' enable states, the input method per pane, and the
// registry on close.
#include "platform/core/files.h"
#include "platform/core/resources.h"
#include "platform/ui/fonts.h"
#include "platform/ui/menu.h"
#include "platform/ui/shell.h"
#include "platform/ui/testing.h"
#include "translator_fixture.h"

namespace orvaletest {
namespace {

using namespace orvale;

class MainDialogTest : public OrvaleTest {
 protected:
  // Boxes are recorded and answered (after the interface installed its own hook).
  void SetUp() override {
    OrvaleTest::SetUp();
    notes_ = std::make_unique<plat::NotifyRecorder>();
  }
  void TearDown() override {
    notes_.reset();
    OrvaleTest::TearDown();
  }
  // Starts on the sample data in a direction; the dialog opens modeless.
  void open(std::uint32_t direction) {
    putData(device_.card());
    setUpRegistry();
    setDword("JC_CJ", direction);
    ASSERT_NE(startDialog(), 0u);
    ui::processPendingEvents();
  }
  void command(unsigned id) { plat::sendMessage(dlg().hwnd(), plat::kWmCommand, ui::makeWParam(id, 0), 0); }
  ui::Rect rect(unsigned id) { return ui::windowRect(pane(id)); }
  std::optional<plat::ClassId> classIdValue(const char* name) {
    auto key = openTranslatorKey();
    return key ? readClassIdValue(*key, name) : std::nullopt;
  }
  std::unique_ptr<plat::NotifyRecorder> notes_;
};

TEST_F(MainDialogTest, DirectionSwitchSwapsThePanesAndMovesTheJapaneseSide) {
  open(0);
  ui::setWindowText(pane(kIdSource), u"本を読む。");
  ui::setWindowText(pane(kIdResult), u"读书。");
  app().jcEngine.parser.terminateJpnParse = countTermination;

  ui::testing::chooseItem(pane(kIdDirection), 1);
  EXPECT_EQ(app().direction, kChineseToJapanese);
  EXPECT_EQ(ui::getWindowText(pane(kIdSource)), u"读书。");
  EXPECT_EQ(ui::getWindowText(pane(kIdResult)), u"本を読む。");
  EXPECT_EQ(dword("JC_CJ"), 1u);
  EXPECT_EQ(app().jcEngine.analyzer.get(), nullptr);
  EXPECT_EQ(app().jcEngine.analyzer.get(), nullptr);
  EXPECT_FALSE(app().parserInitialised);
  EXPECT_EQ(gTerminations, 1);
  EXPECT_EQ(plat::openFileCount("jctrans.dat"), 0);
  EXPECT_EQ(ui::windowFont(pane(kIdSource)), dlg().gbFont);
  EXPECT_EQ(ui::windowFont(pane(kIdResult)), dlg().japaneseFont);
  EXPECT_EQ(ui::getFocus(), pane(kIdSource));

  ui::testing::chooseItem(pane(kIdDirection), 0);
  EXPECT_EQ(app().direction, kJapaneseToChinese);
  EXPECT_EQ(ui::getWindowText(pane(kIdSource)), u"本を読む。");
  EXPECT_EQ(dword("JC_CJ"), 0u);
  EXPECT_NE(app().jcEngine.analyzer.get(), nullptr);
  EXPECT_TRUE(app().parserInitialised);
  EXPECT_EQ(plat::openFileCount("jctrans.dat"), 1);
  EXPECT_EQ(ui::windowFont(pane(kIdSource)), dlg().japaneseFont);

  // The parser that the switch brought up is terminated at exit.
  app().ExitInstance();
  EXPECT_EQ(gTerminations, 2);
  EXPECT_EQ(app().jcEngine.analyzer.get(), nullptr);
}

TEST_F(MainDialogTest, SwitchingToJapaneseReplacesTheAnalyserStartUpMade) {
  open(1);
  EXPECT_NE(app().jcEngine.analyzer.get(), nullptr);
  ui::testing::chooseItem(pane(kIdDirection), 0);
  EXPECT_EQ(app().direction, kJapaneseToChinese);
  EXPECT_NE(app().jcEngine.analyzer.get(), nullptr);
}

TEST_F(MainDialogTest, AFailedSwitchToJapaneseClosesTheProgram) {
  open(1);
  removeDataFile(device_.card(), "JCSystemdic/JCMAIN.DDB");
  removeDataFile(device_.card(), "JCSystemdic/JCMAIN.DIC");
  ui::testing::chooseItem(pane(kIdDirection), 0);
  EXPECT_EQ(app().direction, kUnusable);
  EXPECT_TRUE(dlg().closed());
  EXPECT_EQ(notes_->messages.size(), 1u);  // the analyser's own message about its dictionary
  EXPECT_EQ(dword("JC_CJ"), 1u);  // the failed direction is not stored
  app().ExitInstance();
  EXPECT_EQ(app().jcEngine.analyzer.get(), nullptr);
}

TEST_F(MainDialogTest, CharacterSetToggleConvertsTheChinesePaneAndTellsThePanels) {
  open(1);
  ui::setWindowText(pane(kIdSource), u"汉语");
  ui::setWindowText(pane(kIdResult), u"中国語");
  auto charset = [](const plat::ClassId& id) {
    auto k = plat::regOpenKey(plat::RegRoot::ClassesRoot, "CLSID\\" + plat::wideToUtf8(plat::classIdText(id)));
    return k ? plat::regGetDword(*k, "Charset") : std::nullopt;
  };
  ui::testing::clickButton(pane(kIdCharset));
  EXPECT_EQ(ui::getWindowText(pane(kIdSource)), u"漢語");
  EXPECT_EQ(ui::getWindowText(pane(kIdResult)), u"中国語");  // the Japanese pane is left alone
  EXPECT_EQ(ui::getWindowText(pane(kIdCharset)), u"繁");
  EXPECT_EQ(ui::windowFont(pane(kIdSource)), dlg().big5Font);
  EXPECT_EQ(dword("IsFanTi"), 1u);
  EXPECT_EQ(charset(pinyinIm()), 1u);
  EXPECT_EQ(charset(handwritingSearchIm()), 1u);

  ui::testing::clickButton(pane(kIdCharset));
  EXPECT_EQ(ui::getWindowText(pane(kIdSource)), u"汉语");
  EXPECT_EQ(ui::getWindowText(pane(kIdCharset)), u"简");
  EXPECT_EQ(ui::windowFont(pane(kIdSource)), dlg().gbFont);
  EXPECT_EQ(dword("IsFanTi"), 0u);
  EXPECT_EQ(charset(handwritingInputIm()), 0u);
}

TEST_F(MainDialogTest, TheWindowWithItsCommandBarFitsTheScreen) {
  // The command bar holds four menus, the dictionary button and the input-panel button.
  open(0);
  const ui::Rect w = ui::windowRect(dlg().hwnd());
  EXPECT_LE(w.right - w.left, 240);
  EXPECT_TRUE(ui::testing::inputPanelButtonShown(dlg().hwnd()));
}

TEST_F(MainDialogTest, TwoAndThreePanes) {
  open(0);
  const ui::Rect s = rect(kIdSource), g = rect(kIdReading);
  const int top = s.top, bottom = g.bottom;
  command(kCmdPanes);
  int h = (bottom - top) / 2;
  EXPECT_EQ(rect(kIdSource), (ui::Rect{s.left, top, s.right, top + h - 1}));
  EXPECT_EQ(rect(kIdResult), (ui::Rect{s.left, bottom - h + 1, s.right, bottom}));
  EXPECT_EQ(rect(kIdReading), g);  // not moved, covered
  EXPECT_FALSE(ui::isWindowVisible(pane(kIdReading)));
  EXPECT_EQ(ui::menuItemText(dlg().menu, kCmdPanes), u"３画面");

  command(kCmdPanes);
  h = (bottom - top) / 3;
  EXPECT_EQ(rect(kIdSource), (ui::Rect{s.left, top, s.right, top + h - 2}));
  EXPECT_EQ(rect(kIdResult), (ui::Rect{s.left, top + h + 2, s.right, top + 2 * h}));
  EXPECT_EQ(rect(kIdReading), (ui::Rect{s.left, top + 2 * (h + 2), s.right, top + 3 * h + 2}));
  EXPECT_TRUE(ui::isWindowVisible(pane(kIdReading)));
  EXPECT_EQ(ui::menuItemText(dlg().menu, kCmdPanes), u"２画面");
}

TEST_F(MainDialogTest, RotationMovesEveryControlBetweenTheTemplatesAndKeepsThePaneCount) {
  open(0);
  command(kCmdPanes);  // two panes
  const unsigned ids[] = {kIdDirection, kIdCharset, kIdTranslate, kIdSpeak, kIdClear, kIdSource, kIdResult, kIdReading};
  std::vector<ui::Rect> portrait;
  for (unsigned id : ids) portrait.push_back(rect(id));

  ui::setScreenSize(320, 240);
  ui::processPendingEvents();
  EXPECT_TRUE(dlg().landscape);
  EXPECT_EQ(rect(kIdTranslate), ui::mapDialogRect(dlg().hwnd(), {52, 1, 52 + 19, 1 + 14}));
  EXPECT_EQ(rect(kIdClear), ui::mapDialogRect(dlg().hwnd(), {96, 1, 96 + 19, 1 + 14}));
  // The panes in two-pane layout over the landscape template's source top and reading bottom.
  const ui::Rect top = ui::mapDialogRect(dlg().hwnd(), {1, 17, 159, 44});
  const ui::Rect reading = ui::mapDialogRect(dlg().hwnd(), {1, 73, 159, 99});
  const int h = (reading.bottom - top.top) / 2;
  EXPECT_EQ(rect(kIdSource), (ui::Rect{top.left, top.top, top.right, top.top + h - 1}));
  EXPECT_EQ(rect(kIdResult).bottom, reading.bottom);

  ui::setScreenSize(240, 320);
  ui::processPendingEvents();
  EXPECT_FALSE(dlg().landscape);
  for (std::size_t i = 0; i < std::size(ids); ++i) EXPECT_EQ(rect(ids[i]), portrait[i]) << ids[i];
  EXPECT_FALSE(dlg().threePanes);
}

TEST_F(MainDialogTest, RegistryIsWrittenOnClose) {
  putData(device_.card());
  setUpRegistry();
  auto key = openTranslatorKey();
  ASSERT_TRUE(plat::regDeleteValue(*key, kValueJapaneseIm));
  ASSERT_TRUE(plat::regSetDword(*key, kValueReadingMode, 1));
  ASSERT_NE(startDialog(), 0u);
  // Absent at the start, the Japanese input method's default is written.
  EXPECT_EQ(classIdValue(kValueJapaneseIm), japaneseHandwritingIm());
  EXPECT_EQ(ui::isMenuItemChecked(dlg().menu, 32801), true);

  command(kCmdLarge);
  EXPECT_EQ(ui::isMenuItemChecked(dlg().menu, kCmdLarge), true);
  EXPECT_EQ(ui::isMenuItemChecked(dlg().menu, kCmdMedium), false);
  EXPECT_EQ(ui::queryWindowFont(pane(kIdSource)).pixelHeight, 24);
  // The Chinese pane (result) has the focus while the pinyin panel is the input method.
  ui::setFocus(pane(kIdResult));
  ASSERT_TRUE(plat::selectInputMethod(pinyinIm()));
  ui::testing::closeWindow(dlg().hwnd());
  ui::processPendingEvents();
  EXPECT_TRUE(dlg().closed());
  EXPECT_EQ(dword("fsize"), 24u);
  EXPECT_EQ(dword("pyType"), 1u);
  EXPECT_EQ(classIdValue(kValueChineseIm), pinyinIm());
  EXPECT_EQ(classIdValue(kValueJapaneseIm), japaneseHandwritingIm());
}

TEST_F(MainDialogTest, EachPaneHasTheInputMethodOfItsLanguage) {
  open(0);
  auto current = [] {
    plat::ClassId id;
    plat::currentInputMethod(id);
    return id;
  };
  // Start-up selected the source language's: Japanese.
  EXPECT_EQ(current(), japaneseHandwritingIm());
  ui::setFocus(pane(kIdResult));
  ui::processPendingEvents();
  EXPECT_EQ(current(), handwritingSearchIm());
  // The person picks the pinyin panel in the Chinese pane; leaving the pane saves it.
  ASSERT_TRUE(plat::selectInputMethod(pinyinIm()));
  ui::setFocus(pane(kIdSource));
  ui::processPendingEvents();
  EXPECT_EQ(classIdValue(kValueChineseIm), pinyinIm());
  EXPECT_EQ(current(), japaneseHandwritingIm());
  ui::setFocus(pane(kIdResult));
  ui::processPendingEvents();
  EXPECT_EQ(current(), pinyinIm());
  // Closing with the focus on a button keeps what the panes saved.
  ui::setFocus(pane(kIdClear));
  ui::processPendingEvents();
  command(ui::kIdOk);
  EXPECT_EQ(classIdValue(kValueChineseIm), pinyinIm());
  EXPECT_EQ(classIdValue(kValueJapaneseIm), japaneseHandwritingIm());
}

TEST_F(MainDialogTest, PopupItemsFollowTheFocusedEditAndTheHandlers) {
  open(0);
  ui::setWindowText(pane(kIdSource), u"本を読む");
  ui::editSetSel(pane(kIdSource), 0, 2);
  ui::setClipboardText(u"x");
  std::optional<bool> cut, paste, lookup, selectAll;
  ui::setPopupMenuHook([&](ui::Menu m) -> unsigned {
    cut = ui::isMenuItemEnabled(m, kCmdCut);
    paste = ui::isMenuItemEnabled(m, kCmdPaste);
    lookup = ui::isMenuItemEnabled(m, kCmdLookup);
    selectAll = ui::isMenuItemEnabled(m, kCmdSelectAll);
    return kCmdSelectAll;
  });
  ui::testing::tapAndHold(pane(kIdSource), {5, 5}, true);
  ui::setPopupMenuHook(nullptr);
  EXPECT_EQ(cut, true);
  EXPECT_EQ(paste, true);
  EXPECT_EQ(selectAll, true);
  EXPECT_EQ(lookup, true);
  EXPECT_EQ(ui::editGetSel(pane(kIdSource)), std::make_pair(0, 4));

  // The menu bar's popups: commands without a handler stay off.
  plat::sendMessage(dlg().hwnd(), ui::kWmInitMenuPopup, static_cast<std::uint32_t>(dlg().menu), 0);
  EXPECT_EQ(ui::isMenuItemEnabled(dlg().menu, kCmdOpen), true);
  EXPECT_EQ(ui::isMenuItemEnabled(dlg().menu, kCmdKatakana), true);
  EXPECT_EQ(ui::isMenuItemEnabled(dlg().menu, kCmdSmall), true);
  EXPECT_EQ(ui::isMenuItemEnabled(dlg().menu, kCmdAbout), true);

  // Clear empties the three panes.
  ui::setWindowText(pane(kIdReading), u"ben");
  ui::testing::clickButton(pane(kIdClear));
  for (unsigned id : {kIdSource, kIdResult, kIdReading}) EXPECT_EQ(ui::getWindowText(pane(id)), u"") << id;
}

TEST_F(MainDialogTest, ReturnGoesOnlyToTheTextPanesAndEscapeNowhere) {
  open(0);
  ui::setFocus(pane(kIdClear));
  ui::testing::pressKey(pane(kIdClear), ui::kVkReturn);
  ui::testing::pressKey(pane(kIdDirection), ui::kVkEscape);
  ui::setFocus(pane(kIdSource));
  ui::testing::typeText(pane(kIdSource), u"a");
  ui::testing::pressKey(pane(kIdSource), ui::kVkReturn);
  ui::testing::typeText(pane(kIdSource), u"b");
  ui::testing::pressKey(pane(kIdSource), ui::kVkEscape);
  ui::processPendingEvents();
  EXPECT_FALSE(dlg().closed());
  EXPECT_EQ(ui::getWindowText(pane(kIdSource)), u"a\r\nb");
}

TEST_F(MainDialogTest, WithoutAMenuBarTheDialogStillSetsItselfUp) {
  const plat::ResourceData good = plat::findResource("MENU", kMenuBar);
  ASSERT_TRUE(good);
  const std::string saved(good.bytes());
  plat::registerOwnedResource("MENU", "#145", "BROKEN\n");
  putData(device_.card());
  setUpRegistry();
  auto key = openTranslatorKey();
  ASSERT_TRUE(plat::regDeleteValue(*key, kValueChineseIm));
  ASSERT_TRUE(plat::regSetDword(*key, kValueFontSize, 16));
  setDword("JC_CJ", 1);
  const plat::Hwnd d = startDialog();
  plat::registerOwnedResource("MENU", "#145", saved);
  ASSERT_NE(d, 0u);
  EXPECT_EQ(dlg().menu, 0);
  EXPECT_EQ(dlg().fontSize, 16);
  EXPECT_EQ(ui::windowFont(pane(kIdSource)), dlg().gbFont);
  EXPECT_EQ(ui::queryWindowFont(pane(kIdSource)).pixelHeight, 16);
  EXPECT_EQ(app().readerCommandLine, u"\\Storage Card\\Talvenro\\Chinese\\ChTTSData\\");
  EXPECT_EQ(classIdValue(kValueChineseIm), handwritingSearchIm());
  plat::ClassId current;
  plat::currentInputMethod(current);
  EXPECT_EQ(current, handwritingSearchIm());
}

}  // namespace
}  // namespace orvaletest
