// The viewer's dialog driven offscreen as a person would: typing, lists, links, the word book,
// the history, the translator's word, reading aloud and rotation, on the sample card's entries.
#include "apps/dictionary/dialog/dictionary_dlg.h"
#include "apps/dictionary/program_messages.h"
#include "apps/dictionary/word_lists.h"
#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/core/input_method.h"
#include "platform/core/little_endian.h"
#include "platform/core/named_mapping.h"
#include "platform/core/named_mutex.h"
#include "platform/core/notify_recorder.h"
#include "platform/core/registry.h"
#include "platform/core/runtime_folder.h"
#include "platform/ui/app.h"
#include "platform/ui/controls.h"
#include "platform/ui/drawing.h"
#include "platform/ui/fonts.h"
#include "platform/ui/html_view.h"
#include "platform/ui/menu.h"
#include "platform/ui/panel_host.h"
#include "platform/ui/shell.h"
#include "platform/ui/testing.h"
#include "speech/reader/reading_protocol.h"
#include "tools/datagen/temp_device.h"
#include "tools/datagen/temp_runtime.h"
#include "tools/datagen/viewer_dictionary_source.h"
#include "tools/datagen/viewer_dictionary_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using dict::CDictionaryDlg;

const std::string kViewer = "\\Storage Card\\Talvenro\\Chinese\\HarbrookDic\\";

std::string readSample(const std::string& name) {
  std::ifstream in(std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample/viewer/" + name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

bool contains(const std::u16string& text, std::u16string_view part) { return text.find(part) != std::u16string::npos; }

class DictionaryDlgTest : public ::testing::Test {
 protected:
  // The application's message-box hook goes in before the recorder's of each test.
  static void SetUpTestSuite() {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ASSERT_TRUE(ui::initApplication());
  }

  void SetUp() override {
    ASSERT_TRUE(ui::initApplication());
    ui::setScreenDpi(96);
    ui::setScreenSize(240, 320);
    programFolder_ = device_.root() + "/program";
    std::filesystem::create_directories(programFolder_);
    plat::setProgramFolder(programFolder_);
    const char* names[2][3] = {{"jc.txt", "JCDIC\\", "JcsDicV6"}, {"cj.txt", "CJDIC\\", "CjsDicV6"}};
    for (int d = 0; d < 2; ++d) {
      std::vector<datagen::ViewerRecord> records;
      std::string error;
      ASSERT_TRUE(datagen::parseViewerSource(d, readSample(names[d][0]), records, error)) << error;
      datagen::ViewerDictionary files = datagen::writeViewerDictionary(d, records);
      const std::string base = kViewer + names[d][1] + names[d][2];
      ASSERT_TRUE(device_.write(base + ".dic", files.data));
      ASSERT_TRUE(device_.write(base + ".ind", files.index));
    }
    std::vector<std::pair<std::string, std::string>> examples;
    std::string error;
    ASSERT_TRUE(datagen::parseViewerExamples(readSample("examples.txt"), examples, error)) << error;
    ASSERT_TRUE(device_.write(kViewer + "CJDIC\\examples.dat", datagen::writeExamples(examples)));
  }

  void TearDown() override {
    dlg_.reset();
    for (plat::Hwnd h : plat::findWindows(u"", u"")) plat::destroyWindow(h);
    ui::processPendingEvents();
  }

  CDictionaryDlg& open(bool starts = true) {
    dlg_ = std::make_unique<CDictionaryDlg>();
    EXPECT_EQ(dlg_->create(), starts);
    ui::processPendingEvents();
    return *dlg_;
  }
  CDictionaryDlg& d() { return *dlg_; }
  plat::Hwnd item(unsigned id) { return ui::getDlgItem(d().hwnd(), id); }
  std::u16string page() { return ui::htmlPlainText(d().html(d().direction(), d().view())); }
  std::vector<std::u16string> lines(int direction, int view) {
    std::vector<std::u16string> out;
    plat::Hwnd l = d().list(direction, view);
    int n = static_cast<int>(plat::sendMessage(l, ui::kLbGetCount, 0, 0));
    for (int i = 0; i < n; ++i) out.push_back(ui::listGetText(l, i));
    return out;
  }
  int selected(int direction, int view) {
    return static_cast<int>(plat::sendMessage(d().list(direction, view), ui::kLbGetCurSel, 0, 0));
  }
  // A word given by the system's input method into the direction's search box. The Chinese box
  // keeps its context closed: the word comes as typed characters, and the search button searches.
  void composeWord(int direction, std::u16string_view word) {
    ui::testing::chooseItem(item(dict::kIdDirectionTab), direction);
    plat::Hwnd edit = d().searchEdit(direction);
    ui::setWindowText(edit, u"");
    ui::setFocus(edit);
    ui::testing::compose(edit, word, u"");
    ui::testing::compose(edit, u"", word);
    if (direction == dict::kChineseToJapanese) ui::testing::clickButton(item(dict::kIdSearch));
    ui::processPendingEvents();
  }
  int linkIndex(plat::Hwnd view, const std::function<bool(const std::u16string&)>& wanted) {
    std::vector<std::u16string> targets = ui::htmlLinkTargets(view);
    for (size_t i = 0; i < targets.size(); ++i)
      if (wanted(targets[i])) return static_cast<int>(i);
    return -1;
  }

  datagen::TempRuntime runtime_;
  datagen::TempDevice device_;
  plat::NotifyRecorder notes_;
  std::string programFolder_;
  std::unique_ptr<CDictionaryDlg> dlg_;
};

TEST_F(DictionaryDlgTest, StartsInTheChineseDirectionWithItsControls) {
  open();
  ASSERT_FALSE(d().ended());
  EXPECT_EQ(d().direction(), dict::kChineseToJapanese);
  EXPECT_EQ(d().view(), dict::kViewDictionary);
  EXPECT_EQ(plat::sendMessage(item(dict::kIdDirectionTab), ui::kTcmGetCurSel, 0, 0), 1);
  EXPECT_EQ(plat::sendMessage(item(dict::kIdViewTab), ui::kTcmGetItemCount, 0, 0), 4);
  EXPECT_TRUE(ui::isWindowVisible(d().searchBox(1)));
  EXPECT_FALSE(ui::isWindowVisible(d().searchBox(0)));
  EXPECT_TRUE(ui::isWindowVisible(d().list(1, dict::kViewDictionary)));
  EXPECT_FALSE(ui::isWindowVisible(d().list(0, dict::kViewDictionary)));
  EXPECT_EQ(ui::getFocus(), d().searchEdit(1));
  EXPECT_EQ(ui::getWindowText(item(dict::kIdWordBookButton)), u"登録");
  EXPECT_TRUE(notes_.messages.empty());
}

TEST_F(DictionaryDlgTest, SearchTextCarriesIntoTheOtherDirectionsEmptyBox) {
  open();
  ui::setWindowText(d().searchEdit(1), u"学生");
  ui::testing::chooseItem(item(dict::kIdDirectionTab), 0);
  EXPECT_EQ(ui::getWindowText(d().searchEdit(0)), u"学生");
  // A box with text of its own keeps it.
  ui::setWindowText(d().searchEdit(0), u"がくせい");
  ui::setWindowText(d().searchEdit(1), u"学校");
  ui::testing::chooseItem(item(dict::kIdDirectionTab), 1);
  EXPECT_EQ(ui::getWindowText(d().searchEdit(1)), u"学校");
  // A change of view within the direction leaves the box as it is.
  ui::setWindowText(d().searchEdit(1), u"");
  ui::testing::chooseItem(item(dict::kIdViewTab), 2);
  EXPECT_EQ(ui::getWindowText(d().searchEdit(1)), u"");
}

TEST_F(DictionaryDlgTest, ViewTabImagesAreDrawnForTheScreen) {
  for (int dpi : {96, 192}) {
    ui::setScreenDpi(dpi);
    open();
    const dict::ViewTabImages& im = d().viewTabImages();
    const int size = dpi >= 192 ? 24 : 16;
    EXPECT_EQ(im.size, size);
    EXPECT_EQ(im.plainId, dpi >= 192 ? 141u : 137u);
    EXPECT_EQ(im.selectedId, dpi >= 192 ? 142u : 138u);
    for (int list : {im.plain, im.selected}) {
      ASSERT_EQ(ui::imageCount(list), 4);
      for (int i = 0; i < 4; ++i) {
        // Each image draws something, and no two views look alike.
        ui::Bitmap b = ui::imageListBitmap(list, i);
        EXPECT_EQ(ui::bitmapSize(b).x, size);
        int drawn = 0;
        for (int y = 0; y < size; ++y)
          for (int x = 0; x < size; ++x) drawn += !ui::imageTransparent(list, i, x, y);
        EXPECT_GT(drawn, size * size / 4) << dpi << " image " << i;
        for (int j = 0; j < i; ++j) {
          ui::Bitmap o = ui::imageListBitmap(list, j);
          bool same = true;
          for (int y = 0; y < size && same; ++y)
            for (int x = 0; x < size && same; ++x) same = ui::bitmapPixel(b, x, y) == ui::bitmapPixel(o, x, y);
          EXPECT_FALSE(same) << dpi << " images " << j << " and " << i;
          ui::deleteBitmap(o);
        }
        ui::deleteBitmap(b);
      }
    }
    // The selected item's image differs from the others'.
    ui::Bitmap a = ui::imageListBitmap(im.plain, 0), b = ui::imageListBitmap(im.selected, 0);
    bool same = true;
    for (int y = 0; y < size && same; ++y)
      for (int x = 0; x < size && same; ++x) same = ui::bitmapPixel(a, x, y) == ui::bitmapPixel(b, x, y);
    EXPECT_FALSE(same);
    ui::deleteBitmap(a);
    ui::deleteBitmap(b);
    ui::testing::paint(item(dict::kIdViewTab));
    dlg_.reset();
    for (plat::Hwnd h : plat::findWindows(u"", u"")) plat::destroyWindow(h);
    ui::processPendingEvents();
  }
}

TEST_F(DictionaryDlgTest, TheScreenIsWholeAtBothSizesAndOrientations) {
  struct Case {
    int width, height, dpi;
  } cases[] = {{240, 320, 96}, {480, 640, 192}, {320, 240, 96}, {640, 480, 192}};
  for (const Case& c : cases) {
    ui::setScreenDpi(c.dpi);
    ui::setScreenSize(c.width, c.height);
    open();
    composeWord(1, u"学校");
    const ui::Rect tab = ui::windowRect(item(dict::kIdViewTab));
    // The search box and the search button end above the view tabs.
    for (plat::Hwnd above : {d().searchBox(1), item(dict::kIdSearch)})
      EXPECT_LE(ui::windowRect(above).bottom, tab.top) << c.width << " " << ui::windowRect(above).bottom;
    // The box holds its text's full height.
    EXPECT_GE(ui::windowRect(d().searchBox(1)).height(), 12 * c.dpi / 96 + 2) << c.width;
    // Every view tab shows whole, inside the control.
    std::vector<ui::Rect> items = ui::testing::tabItemRects(item(dict::kIdViewTab));
    ASSERT_EQ(items.size(), 4u);
    for (const ui::Rect& r : items) {
      EXPECT_GE(r.left, 0) << c.width;
      EXPECT_LE(r.right, tab.width()) << c.width;
      EXPECT_GE(r.width(), (16 + 36) * c.dpi / 96) << c.width;  // its image and a three-character label
    }
    dlg_.reset();
    for (plat::Hwnd h : plat::findWindows(u"", u"")) plat::destroyWindow(h);
    ui::processPendingEvents();
  }
}

TEST_F(DictionaryDlgTest, NoCardOrNoDictionaryEndsTheStart) {
  std::filesystem::remove_all(plat::hostPath(kViewer + "CJDIC"));
  open(false);
  EXPECT_TRUE(d().ended());
  ASSERT_EQ(notes_.messages.size(), 1u);
  EXPECT_EQ(notes_.messages[0].text, u"辞書ファイルが見つかりません。");

  std::filesystem::remove_all(plat::hostPath(std::string("\\Storage Card\\Talvenro")));
  notes_.messages.clear();
  open(false);
  EXPECT_TRUE(d().ended());
  ASSERT_EQ(notes_.messages.size(), 1u);
  EXPECT_EQ(notes_.messages[0].caption, u"日中中日辞書引き");
}

TEST_F(DictionaryDlgTest, TypingFillsTheListAndReturnShowsTheEntry) {
  open();
  plat::Hwnd edit = d().searchEdit(1);
  ui::setFocus(edit);
  ui::testing::typeText(edit, u"xue");
  // Typed keys fill the list as the user types; no line is chosen yet.
  std::vector<std::u16string> found = lines(1, dict::kViewDictionary);
  ASSERT_FALSE(found.empty());
  EXPECT_TRUE(found[0].starts_with(u"学 ")) << plat::wideToUtf8(found[0]);
  EXPECT_EQ(selected(1, dict::kViewDictionary), -1);
  EXPECT_TRUE(lines(1, dict::kViewHistory).empty());

  ui::testing::pressKey(edit, ui::kVkReturn);
  EXPECT_EQ(selected(1, dict::kViewDictionary), 0);
  EXPECT_TRUE(contains(page(), u"学ぶ"));
  EXPECT_EQ(lines(1, dict::kViewHistory).size(), 1u);
  // The word went into the search box's list.
  EXPECT_EQ(ui::comboGetItemText(d().searchBox(1), 0), u"xue");

  // A mouse choice in the list shows that line's entry and files it into the history.
  ui::testing::chooseItem(d().list(1, dict::kViewDictionary), 1);
  EXPECT_EQ(selected(1, dict::kViewDictionary), 1);
  EXPECT_TRUE(contains(page(), found[1].substr(0, found[1].find(u' '))));
  EXPECT_EQ(lines(1, dict::kViewHistory), (std::vector<std::u16string>{found[1], found[0]}));
  EXPECT_TRUE(notes_.messages.empty());
}

// Digits and a hyphen as the Japanese input method writes them are searched as text: no file
// message while the user is still typing, and never the entry stored at that number.
TEST_F(DictionaryDlgTest, TypedDigitsAndHyphenAreSearchedNotReadAsARecord) {
  open();
  for (const char16_t* word : {u"１００－", u"１００－０００１", u"６２７－", u"１－"}) {
    composeWord(0, word);
    EXPECT_TRUE(notes_.messages.empty()) << plat::wideToUtf8(word) << ": " << plat::wideToUtf8(notes_.messages.empty() ? u"" : notes_.messages[0].text);
    notes_.messages.clear();
    ui::testing::pressKey(d().searchEdit(0), ui::kVkReturn);
    EXPECT_TRUE(notes_.messages.empty()) << plat::wideToUtf8(word);
    notes_.messages.clear();
  }
  // Key by key: "１", "１０", "１００", "１００－", ...
  plat::Hwnd edit = d().searchEdit(0);
  ui::setWindowText(edit, u"");
  ui::setFocus(edit);
  ui::testing::typeText(edit, u"１００－０００１");
  EXPECT_TRUE(notes_.messages.empty());
}

TEST_F(DictionaryDlgTest, ComposedWordShowsItsEntryAndArrowsExtendTheList) {
  open();
  composeWord(0, u"がくせい");
  EXPECT_EQ(d().direction(), dict::kJapaneseToChinese);
  std::vector<std::u16string> found = lines(0, dict::kViewDictionary);
  ASSERT_FALSE(found.empty());
  EXPECT_EQ(found[0], u"がくせい【学生】");
  EXPECT_EQ(selected(0, dict::kViewDictionary), 0);
  EXPECT_TRUE(contains(page(), u"我是学生"));

  // The up arrow on the first line brings the entry before it.
  plat::Hwnd l = d().list(0, dict::kViewDictionary);
  ui::setFocus(l);
  ui::testing::pressKey(l, ui::kVkUp);
  std::vector<std::u16string> grown = lines(0, dict::kViewDictionary);
  ASSERT_EQ(grown.size(), found.size() + 1);
  EXPECT_EQ(grown[1], found[0]);
  EXPECT_EQ(selected(0, dict::kViewDictionary), 0);
  EXPECT_FALSE(contains(page(), u"我是学生"));

  // While the down arrow repeats the page stays; the release shows the line reached.
  const std::u16string shown = page();
  ui::testing::pressKey(l, ui::kVkDown, true);
  ui::testing::pressKey(l, ui::kVkDown, true);
  ui::processPendingEvents();
  EXPECT_EQ(selected(0, dict::kViewDictionary), 2);
  EXPECT_EQ(page(), shown);
  ui::testing::releaseKey(l, ui::kVkDown);
  ui::processPendingEvents();
  EXPECT_NE(page(), shown);
  EXPECT_TRUE(contains(page(), grown[2].substr(0, grown[2].find(u'【'))));
}

TEST_F(DictionaryDlgTest, ScrollingOnPastAnEndExtendsTheList) {
  using ui::testing::ListScroll;
  open();
  composeWord(0, u"がくせい");
  plat::Hwnd l = d().list(0, dict::kViewDictionary);
  const std::vector<std::u16string> found = lines(0, dict::kViewDictionary);
  ASSERT_FALSE(found.empty());
  const std::u16string shown = page();
  // Down: the thumb dragged to the end, then the arrow, the page area and the wheel there.
  for (ListScroll how : {ListScroll::Drag, ListScroll::Arrow, ListScroll::Page, ListScroll::Wheel}) {
    const size_t n = lines(0, dict::kViewDictionary).size();
    ui::testing::scrollList(l, how, true);
    EXPECT_EQ(lines(0, dict::kViewDictionary).size(), n + 1) << "down " << static_cast<int>(how);
  }
  // Clicks in the page area at the end, one after the other: each grows the list by a line, which
  // the next click brings into view.
  for (int click = 0; click < 10; ++click) {
    const size_t n = lines(0, dict::kViewDictionary).size();
    ui::testing::scrollList(l, ListScroll::Page, true);
    EXPECT_EQ(lines(0, dict::kViewDictionary).size(), n + 1) << "page click " << click;
  }
  std::vector<std::u16string> grown = lines(0, dict::kViewDictionary);
  ASSERT_EQ(grown.size(), found.size() + 14);
  EXPECT_TRUE(std::equal(found.begin(), found.end(), grown.begin()));
  // Up: the entries before the first come in at the top.
  for (ListScroll how : {ListScroll::Drag, ListScroll::Wheel, ListScroll::Arrow}) {
    const std::vector<std::u16string> before = lines(0, dict::kViewDictionary);
    ui::testing::scrollList(l, how, false);
    std::vector<std::u16string> after = lines(0, dict::kViewDictionary);
    ASSERT_EQ(after.size(), before.size() + 1) << "up " << static_cast<int>(how);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), after.begin() + 1));
  }
  // Scrolling moves no selection: the entry shown stays.
  EXPECT_EQ(selected(0, dict::kViewDictionary), 3);
  EXPECT_EQ(lines(0, dict::kViewDictionary)[3], u"がくせい【学生】");
  EXPECT_EQ(page(), shown);
  // Scrolling inside the list adds nothing.
  const size_t n = lines(0, dict::kViewDictionary).size();
  ui::testing::scrollList(l, ListScroll::Arrow, true);
  EXPECT_EQ(lines(0, dict::kViewDictionary).size(), n);
}

TEST_F(DictionaryDlgTest, LinksSearchTheirTargets) {
  open();
  composeWord(1, u"学");
  plat::Hwnd cjPage = d().html(1, dict::kViewDictionary);
  // A compound of the entry: a direct reference to its record.
  int compound = linkIndex(cjPage, [](const std::u16string& t) { return t.ends_with(u"-学校"); });
  ASSERT_GE(compound, 0);
  ASSERT_TRUE(ui::testing::clickLink(cjPage, compound));
  EXPECT_EQ(lines(1, dict::kViewDictionary)[0], u"学校 xuéxiào");
  EXPECT_TRUE(contains(page(), u"我不去学校"));

  composeWord(0, u"おおきな");
  plat::Hwnd jcPage = d().html(0, dict::kViewDictionary);
  int reference = linkIndex(jcPage, [](const std::u16string& t) { return t.starts_with(u"J_"); });
  ASSERT_GE(reference, 0);
  // From the word book view a link still searches in the dictionary view.
  ui::testing::chooseItem(item(dict::kIdViewTab), 3);
  ASSERT_EQ(d().view(), dict::kViewWordBook);
  ui::testing::chooseItem(item(dict::kIdViewTab), 0);
  ASSERT_TRUE(ui::testing::clickLink(jcPage, reference));
  EXPECT_EQ(d().direction(), dict::kJapaneseToChinese);
  EXPECT_EQ(d().view(), dict::kViewDictionary);
  EXPECT_TRUE(lines(0, dict::kViewDictionary)[0].starts_with(u"おおきい"));
  EXPECT_TRUE(d().inputMethods().keepDown);

  // A hanzi target: a character with two readings offers both; the choice shows that entry.
  composeWord(1, u"还");
  int reading = linkIndex(cjPage, [](const std::u16string& t) { return t == u"还-huán"; });
  ASSERT_GE(reading, 0);
  ui::testing::chooseItem(item(dict::kIdDirectionTab), 0);
  ASSERT_TRUE(ui::testing::clickLink(cjPage, reading));
  EXPECT_EQ(d().direction(), dict::kChineseToJapanese);
  EXPECT_EQ(lines(1, dict::kViewDictionary)[0], u"还 huán");
  EXPECT_EQ(selected(1, dict::kViewDictionary), 0);
  EXPECT_TRUE(contains(page(), u"huán"));
  EXPECT_TRUE(notes_.messages.empty());
}

// The speech reader as the viewer finds it: a window that reads the request file and answers.
struct FakeReader {
  FakeReader() {
    plat::registerWindowClass(vocra::kReaderWindowName, [this](plat::Hwnd h, unsigned m, std::uint32_t w, std::int32_t l) -> std::intptr_t {
      if (m != vocra::kWmReaderSpeak) return plat::defWindowProc(h, m, w, l);
      std::string bytes;
      std::ifstream in(plat::runtimeFolder() + "/Vocra.tmp", std::ios::binary);
      std::stringstream s;
      s << in.rdbuf();
      bytes = s.str();
      if (bytes.size() < 10) return 0;
      requester = plat::readLe32(bytes.data());
      repeats = plat::readLe32(bytes.data() + 4);
      std::u16string t;
      for (size_t i = 8; i + 1 < bytes.size(); i += 2) {
        char16_t c = plat::readLe16(bytes.data() + i);
        if (!c) break;
        t.push_back(c);
      }
      texts.push_back(t);
      if (answer) plat::postMessage(requester, vocra::kWmSpeechStatus, 1, 0);
      return 0;
    });
    window = plat::createWindow(vocra::kReaderWindowName, vocra::kReaderWindowName);
  }
  plat::Hwnd window = 0;
  plat::Hwnd requester = 0;
  std::uint32_t repeats = 0;
  bool answer = true;
  std::vector<std::u16string> texts;
};

TEST_F(DictionaryDlgTest, ReadAloudLinkSendsARequestToTheReader) {
  FakeReader reader;
  ASSERT_NE(reader.window, 0u);
  open();
  composeWord(1, u"喝");
  plat::Hwnd cjPage = d().html(1, dict::kViewDictionary);
  int speak = linkIndex(cjPage, [](const std::u16string& t) { return t == u"S_他喝水"; });
  ASSERT_GE(speak, 0);
  ASSERT_TRUE(ui::testing::clickLink(cjPage, speak));
  ASSERT_EQ(reader.texts, (std::vector<std::u16string>{u"他喝水"}));
  EXPECT_EQ(reader.requester, d().hwnd());
  EXPECT_EQ(reader.repeats, 1u);
  // The reader's answer ends the request: the file is gone and the mutex is free.
  ui::processPendingEvents();
  EXPECT_FALSE(std::filesystem::exists(plat::runtimeFolder() + "/Vocra.tmp"));
  EXPECT_FALSE(plat::NamedMutex::create(vocra::kReadingMutex)->alreadyExisted());

  // The page's selection read aloud from its menu.
  std::vector<unsigned> choices = {dict::kCmdPageSelectAll, dict::kCmdSpeak};
  size_t next = 0;
  ui::setPopupMenuHook([&](ui::Menu) -> unsigned { return next < choices.size() ? choices[next++] : 0; });
  ui::testing::tapAndHold(cjPage, {20, 20}, true);
  ui::testing::tapAndHold(cjPage, {20, 20}, true);
  ui::setPopupMenuHook(nullptr);
  ASSERT_EQ(reader.texts.size(), 2u);
  EXPECT_TRUE(contains(reader.texts[1], u"他喝水。"));
  ui::processPendingEvents();
  reader.texts.pop_back();

  // A reading the reader has not finished: the viewer's next request gives up its own old hold.
  reader.answer = false;
  ASSERT_TRUE(ui::testing::clickLink(cjPage, speak));
  EXPECT_EQ(reader.texts.size(), 2u);
  EXPECT_TRUE(std::filesystem::exists(plat::runtimeFolder() + "/Vocra.tmp"));
  // While another program's reading is under way the request is refused and writes nothing.
  auto other = plat::NamedMutex::create(vocra::kReadingMutex);
  std::filesystem::remove(plat::runtimeFolder() + "/Vocra.tmp");
  ASSERT_TRUE(ui::testing::clickLink(cjPage, speak));
  EXPECT_EQ(reader.texts.size(), 2u);
  EXPECT_FALSE(std::filesystem::exists(plat::runtimeFolder() + "/Vocra.tmp"));
  ASSERT_EQ(notes_.messages.size(), 1u);
  EXPECT_EQ(notes_.messages[0].text, u"音声合成エンジンが使用中です。");
  EXPECT_EQ(notes_.messages[0].caption, u"日中・中日辞典");
}

// The speaker of a read-aloud link is as large on the screen as its page box says, and the page's
// 12-pixel box grows with the screen's dots per inch.
TEST_F(DictionaryDlgTest, SpeakerIconsGrowWithTheScreen) {
  for (int dpi : {96, 192}) {
    SCOPED_TRACE(dpi);
    dlg_.reset();
    ui::setScreenDpi(dpi);
    ui::setScreenSize(240 * dpi / 96, 320 * dpi / 96);
    open();
    composeWord(1, u"喝");
    plat::Hwnd cjPage = d().html(1, dict::kViewDictionary);
    const std::vector<ui::Point> sizes = ui::htmlImageSizes(cjPage), boxes = ui::htmlImageBoxes(cjPage);
    ASSERT_FALSE(sizes.empty());
    ASSERT_EQ(sizes.size(), boxes.size());
    const int side = 12 * dpi / 96;
    for (std::size_t k = 0; k < sizes.size(); ++k) {
      EXPECT_EQ(boxes[k].x, side);
      EXPECT_EQ(boxes[k].y, side);
      EXPECT_EQ(sizes[k].x, side);
      EXPECT_EQ(sizes[k].y, side);
    }
  }
}

TEST_F(DictionaryDlgTest, WordBookAddsListsSurvivesARestartAndStopsAt1000) {
  open();
  composeWord(0, u"がっこう");
  ui::testing::clickButton(item(dict::kIdWordBookButton));
  ui::testing::clickButton(item(dict::kIdWordBookButton));
  ASSERT_EQ(notes_.messages.size(), 2u);
  EXPECT_EQ(notes_.messages[0].text, u"単語帳に追加しました");
  EXPECT_EQ(notes_.messages[1].text, u"既に登録されています");
  composeWord(0, u"がくせい");
  ui::testing::clickButton(item(dict::kIdWordBookButton));
  EXPECT_EQ(lines(0, dict::kViewWordBook), (std::vector<std::u16string>{u"がくせい【学生】", u"がっこう【学校】"}));

  // Closed and started again: the word book and the history are back, and their entries show.
  ui::testing::closeWindow(d().hwnd());
  ASSERT_TRUE(d().ended());
  open();
  ui::testing::chooseItem(item(dict::kIdDirectionTab), 0);
  ui::testing::chooseItem(item(dict::kIdViewTab), 3);
  EXPECT_EQ(ui::getWindowText(item(dict::kIdWordBookButton)), u"削除");
  EXPECT_EQ(lines(0, dict::kViewWordBook), (std::vector<std::u16string>{u"がくせい【学生】", u"がっこう【学校】"}));
  EXPECT_EQ(lines(0, dict::kViewHistory), (std::vector<std::u16string>{u"がくせい【学生】", u"がっこう【学校】"}));
  ui::testing::chooseItem(d().list(0, dict::kViewWordBook), 1);
  EXPECT_TRUE(contains(page(), u"我不去学校"));
  // The word book view does not file into the history.
  EXPECT_EQ(lines(0, dict::kViewHistory).size(), 2u);

  // Deleting asks first.
  notes_.messages.clear();
  notes_.setAnswer(plat::kIdNo);
  ui::testing::clickButton(item(dict::kIdWordBookButton));
  EXPECT_EQ(lines(0, dict::kViewWordBook).size(), 2u);
  notes_.setAnswer(plat::kIdYes);
  ui::testing::clickButton(item(dict::kIdWordBookButton));
  EXPECT_EQ(lines(0, dict::kViewWordBook), (std::vector<std::u16string>{u"がくせい【学生】"}));
  EXPECT_EQ(selected(0, dict::kViewWordBook), 0);
  EXPECT_TRUE(contains(page(), u"我是学生"));
  ASSERT_EQ(notes_.messages.size(), 2u);
  EXPECT_EQ(notes_.messages[0].text, u"削除しますか？");

  // A full word book refuses the next entry and stays as it was.
  dict::ResultsView& book = d().session().viewAt(0, dict::kViewWordBook);
  while (book.entries.size() < static_cast<size_t>(dict::kMaxWordBook)) {
    dict::DictionaryEntry e;
    e.nextRecord = 900000 + static_cast<std::int32_t>(book.entries.size());
    book.entries.push_back(e);
    book.list.lines.push_back(u"x");
  }
  notes_.messages.clear();
  ui::testing::chooseItem(item(dict::kIdViewTab), 0);
  composeWord(0, u"がっこう");
  ui::testing::clickButton(item(dict::kIdWordBookButton));
  ASSERT_EQ(notes_.messages.size(), 1u);
  EXPECT_EQ(notes_.messages[0].text, u"これ以上登録できません。\n不必要な単語を削除してください。");
  EXPECT_EQ(book.entries.size(), static_cast<size_t>(dict::kMaxWordBook));
}

TEST_F(DictionaryDlgTest, HistoryKeepsOneHundredAndMovesAShownEntryToTheTop) {
  dict::ResultsView history;
  for (int k = 0; k < 105; ++k) {
    dict::DictionaryEntry e;
    e.recordNumber = 10 * k;
    dict::addToHistoryList(history, e, plat::utf8ToWide(std::to_string(k)));
  }
  ASSERT_EQ(history.entries.size(), static_cast<size_t>(dict::kMaxHistory));
  EXPECT_EQ(history.list.lines.front(), u"104");
  EXPECT_EQ(history.list.lines.back(), u"5");
  dict::DictionaryEntry again;
  again.recordNumber = 500;
  dict::addToHistoryList(history, again, u"50");
  EXPECT_EQ(history.entries.size(), static_cast<size_t>(dict::kMaxHistory));
  EXPECT_EQ(history.list.lines[0], u"50");
  EXPECT_EQ(std::count(history.list.lines.begin(), history.list.lines.end(), u"50"), 1);
}

TEST_F(DictionaryDlgTest, LongLinesAreCutOnSaveAndReadBackWhole) {
  dict::ResultsView v;
  const std::u16string longLine(300, u'語');
  for (int k = 0; k < 2; ++k) {
    dict::DictionaryEntry e;
    e.recordNumber = 1234 + k;
    v.entries.push_back(e);
    v.list.lines.push_back(k == 0 ? longLine : u"短い");
  }
  const std::string path = kViewer + "JCDIC\\wordbook.dat";
  ASSERT_TRUE(dict::saveEntryList(path, v));
  dict::ResultsView back;
  dict::loadEntryList(path, back, [](std::u16string_view t) { return static_cast<int>(t.size()); });
  ASSERT_EQ(back.list.lines.size(), 2u);
  EXPECT_EQ(back.list.lines[0], longLine.substr(0, dict::kMaxStoredLine));
  EXPECT_EQ(back.list.lines[1], u"短い");
  EXPECT_EQ(back.entries[0].nextRecord, 1234);
  EXPECT_EQ(back.entries[1].nextRecord, 1235);
  EXPECT_EQ(back.entries[0].recordNumber, -1);
}

TEST_F(DictionaryDlgTest, TranslatorsWordIsLookedUp) {
  open();
  // No translator made the mapping: nothing to read.
  plat::sendMessage(d().hwnd(), dict::kWmLookupJapanese, 0, 0);
  ASSERT_EQ(notes_.messages.size(), 1u);
  EXPECT_EQ(notes_.messages[0].text, u"検索語の取得に失敗しました。");
  EXPECT_EQ(d().direction(), dict::kChineseToJapanese);
  notes_.messages.clear();

  auto mapping = plat::NamedMapping::create(dict::kDictionaryWordName, dict::kDictionaryWordSize);
  ASSERT_TRUE(mapping);
  plat::MappingView view = mapping->map(true);
  ASSERT_TRUE(view);
  // An empty mapping changes nothing.
  plat::sendMessage(d().hwnd(), dict::kWmLookupChinese, 0, 0);
  EXPECT_TRUE(lines(1, dict::kViewDictionary).empty());
  EXPECT_TRUE(notes_.messages.empty());

  const std::u16string word = u"がっこう";
  for (size_t i = 0; i <= word.size(); ++i) {
    const char16_t c = i < word.size() ? word[i] : 0;
    plat::writeLe16(view.data() + 2 * i, c);
  }
  plat::sendMessage(d().hwnd(), dict::kWmLookupJapanese, 0, 0);
  EXPECT_EQ(d().direction(), dict::kJapaneseToChinese);
  EXPECT_EQ(ui::getWindowText(d().searchEdit(0)), word);
  ASSERT_FALSE(lines(0, dict::kViewDictionary).empty());
  EXPECT_EQ(lines(0, dict::kViewDictionary)[0], u"がっこう【学校】");
  EXPECT_TRUE(contains(page(), u"我不去学校"));

  // A word that fills the mapping without its terminator is cut at 511 units.
  for (size_t i = 0; i < view.size(); i += 2) {
    view.data()[i] = 0x42;
    view.data()[i + 1] = 0x30;
  }
  std::u16string got;
  ASSERT_TRUE(dict::readDictionaryWord(got));
  EXPECT_EQ(got, std::u16string(dict::kMaxHandedWord, u'\u3042'));
}

TEST_F(DictionaryDlgTest, RotationSwitchesTheTemplate) {
  open();
  auto portrait = ui::loadDialogTemplate(dict::kPortraitTemplate);
  auto landscape = ui::loadDialogTemplate(dict::kLandscapeTemplate);
  ASSERT_TRUE(portrait && landscape);
  auto placeOf = [&](const ui::DialogTemplate& t, unsigned id) {
    for (const ui::DialogItem& it : t.items)
      if (it.id == id) return ui::mapDialogRect(d().hwnd(), {it.x, it.y, it.x + it.cx, it.y + it.cy});
    return ui::Rect{};
  };
  composeWord(1, u"学");
  EXPECT_FALSE(d().landscape());
  EXPECT_EQ(ui::windowRect(item(dict::kIdSearch)), placeOf(*portrait, dict::kIdSearch));
  ui::setScreenSize(320, 240);
  ui::processPendingEvents();
  EXPECT_TRUE(d().landscape());
  EXPECT_EQ(ui::windowRect(item(dict::kIdSearch)), placeOf(*landscape, dict::kIdSearch));
  // The content area follows: the page reaches the landscape width, the list keeps its lines.
  EXPECT_EQ(ui::windowRect(d().html(1, dict::kViewDictionary)).right, 314);
  EXPECT_EQ(selected(1, dict::kViewDictionary), 0);
  ui::setScreenSize(240, 320);
  ui::processPendingEvents();
  EXPECT_FALSE(d().landscape());
  EXPECT_EQ(ui::windowRect(item(dict::kIdSearch)), placeOf(*portrait, dict::kIdSearch));
  EXPECT_EQ(ui::windowRect(d().html(1, dict::kViewDictionary)).right, 238);
}

TEST_F(DictionaryDlgTest, SettingsAndSearchWordsSurviveARestart) {
  auto key = plat::regCreateKey(plat::RegRoot::LocalMachine, dict::kSettingsKey);
  ASSERT_TRUE(key);
  plat::regSetDword(*key, "fsize", 4);
  open();
  EXPECT_EQ(d().settings().fontSize, 3);
  EXPECT_EQ(d().settings().japaneseIm, dict::defaultJapaneseIm());
  composeWord(1, u"学生");
  // The large font re-renders the page at size 6 and is kept.
  plat::sendMessage(d().hwnd(), plat::kWmCommand, ui::makeWParam(dict::kCmdLargeFont, 0), 0);
  EXPECT_EQ(d().pageFontSize(1, dict::kViewDictionary), 6);
  ui::testing::closeWindow(d().hwnd());
  EXPECT_EQ(plat::regGetDword(*key, "fsize"), 6u);
  EXPECT_EQ(plat::regGetBinary(*key, "clsidChineseIM")->size(), 16u);

  open();
  EXPECT_EQ(d().settings().fontSize, 6);
  EXPECT_EQ(ui::comboGetItemText(d().searchBox(1), 0), u"学生");
}

TEST_F(DictionaryDlgTest, MissingInputMethodsAreWarnedInOrder) {
  plat::registerInputMethod(dict::defaultJapaneseIm(), u"日本語手書き入力");
  dict::CDictionaryApp::checkInputMethods();
  std::vector<std::u16string> texts;
  for (const auto& m : notes_.messages) texts.push_back(m.text);
  EXPECT_EQ(texts, (std::vector<std::u16string>{u"中国語手書き検索がありません。", u"中国語手書きがありません。",
                                                 u"中国語ピンイン入力がありません。"}));
}

TEST_F(DictionaryDlgTest, SearchBoxesSwitchTheInputMethodAndPlacePanel) {
  const plat::ClassId pinyin = *plat::parseClassId(std::string_view(dict::kPinyinPanelClassId));
  plat::registerInputMethod(dict::defaultJapaneseIm(), u"日本語手書き入力");
  plat::registerInputMethod(pinyin, u"中国語ピンイン入力");
  plat::registerInputMethod(dict::defaultChineseIm(), u"中国語手書き検索");
  auto panelKey = plat::regCreateKey(plat::RegRoot::ClassesRoot, std::string("CLSID\\") + dict::kPinyinPanelClassId);
  plat::regSetDword(*panelKey, "Charset", 1);
  open();
  ui::setFocus(item(dict::kIdSearch));
  ui::setFocus(d().searchEdit(1));
  ui::processPendingEvents();
  plat::ClassId current;
  ASSERT_TRUE(plat::currentInputMethod(current));
  EXPECT_EQ(current, dict::defaultChineseIm());
  EXPECT_TRUE(plat::inputPanelShown());
  EXPECT_EQ(plat::regGetDword(*panelKey, "Charset"), 0u);
  plat::PanelRect sip, desktop;
  ASSERT_TRUE(plat::inputPanelPlacement(sip, desktop));
  EXPECT_EQ(sip, (plat::PanelRect{0, 121, 239, 293}));
  EXPECT_EQ(desktop, (plat::PanelRect{0, 0, 239, 160}));
  // The Chinese box: its context closed, the composition in the box's (GB) font.
  EXPECT_FALSE(ui::imeStatus(d().searchEdit(1)).open);
  EXPECT_NE(ui::compositionFont(d().searchEdit(1)), 0);
  EXPECT_EQ(ui::compositionFont(d().searchEdit(1)), ui::windowFont(d().searchBox(1)));
  // ... so the system's input method types characters there, with no composition.
  ui::setWindowText(d().searchEdit(1), u"");
  ui::testing::compose(d().searchEdit(1), u"", u"学");
  EXPECT_EQ(ui::getWindowText(d().searchEdit(1)), u"学");
  // The Japanese box: open, composing in the Japanese font.
  ui::testing::chooseItem(item(dict::kIdDirectionTab), 0);
  ui::setFocus(item(dict::kIdSearch));
  ui::setFocus(d().searchEdit(0));
  ui::processPendingEvents();
  EXPECT_TRUE(ui::imeStatus(d().searchEdit(0)).open);
  EXPECT_EQ(ui::compositionFont(d().searchEdit(0)), ui::windowFont(d().searchBox(0)));
  EXPECT_NE(ui::compositionFont(d().searchEdit(0)), ui::compositionFont(d().searchEdit(1)));
  ui::testing::chooseItem(item(dict::kIdDirectionTab), 1);
  ui::setFocus(d().searchEdit(1));
  ui::processPendingEvents();
  // The user picks the pinyin panel; leaving the box remembers it.
  ASSERT_TRUE(plat::selectInputMethod(pinyin));
  ui::setFocus(item(dict::kIdSearch));
  ui::processPendingEvents();
  EXPECT_EQ(d().settings().chineseIm, pinyin);
  EXPECT_FALSE(plat::inputPanelShown());
}

TEST_F(DictionaryDlgTest, ContextMenusCopyThePageAndPasteIntoTheBox) {
  open();
  composeWord(1, u"学生");
  plat::Hwnd cjPage = d().html(1, dict::kViewDictionary);
  std::vector<unsigned> choices = {dict::kCmdPageSelectAll, dict::kCmdPageCopy};
  size_t next = 0;
  std::vector<bool> pasteEnabled;
  ui::setPopupMenuHook([&](ui::Menu m) -> unsigned {
    if (auto paste = ui::isMenuItemEnabled(m, dict::kCmdPaste)) {
      pasteEnabled.push_back(*paste);
      return *paste ? static_cast<unsigned>(dict::kCmdPaste) : 0u;
    }
    return next < choices.size() ? choices[next++] : 0;
  });
  ui::setClipboardText(u"");
  ui::testing::tapAndHold(cjPage, {20, 20}, true);
  ui::testing::tapAndHold(cjPage, {20, 20}, true);
  EXPECT_TRUE(contains(ui::clipboardText(), u"我是学生。"));

  // The search box's menu offers paste only while the clipboard holds text.
  plat::Hwnd edit = d().searchEdit(1);
  ui::setWindowText(edit, u"");
  ui::testing::tapAndHold(edit, {5, 5}, true);
  EXPECT_TRUE(contains(ui::getWindowText(edit), u"我是学生"));
  ui::setClipboardText(u"");
  ui::testing::tapAndHold(edit, {5, 5}, true);
  ui::setPopupMenuHook(nullptr);
  EXPECT_EQ(pasteEnabled, (std::vector<bool>{true, false}));
}

TEST_F(DictionaryDlgTest, KeysOutsideTheBoxTypeIntoItAndThePaneHides) {
  open();
  plat::Hwnd cjList = d().list(1, dict::kViewDictionary);
  plat::setInputPanelShown(false);
  ui::setFocus(cjList);
  ui::testing::pressKey(cjList, 'X');
  EXPECT_EQ(ui::getFocus(), d().searchEdit(1));
  EXPECT_EQ(ui::getWindowText(d().searchEdit(1)), u"x");
  EXPECT_TRUE(d().inputMethods().keepDown);

  // The pane button hides the list and widens the page; changing the view shows it again.
  const ui::Rect before = ui::windowRect(d().html(1, dict::kViewDictionary));
  ui::testing::clickButton(item(dict::kIdPaneButton));
  EXPECT_TRUE(d().paneHidden());
  EXPECT_FALSE(ui::isWindowVisible(cjList));
  EXPECT_EQ(ui::windowRect(d().html(1, dict::kViewDictionary)).left, 8);
  EXPECT_LT(ui::windowRect(d().html(1, dict::kViewDictionary)).left, before.left);
  ui::testing::chooseItem(item(dict::kIdViewTab), 2);
  EXPECT_FALSE(d().paneHidden());
  EXPECT_TRUE(ui::isWindowVisible(d().list(1, dict::kViewHistory)));
}

TEST_F(DictionaryDlgTest, ExamplesViewSearchesSentencesAndPages) {
  open();
  ui::testing::chooseItem(item(dict::kIdViewTab), 1);
  ASSERT_EQ(d().view(), dict::kViewExamples);
  EXPECT_FALSE(ui::isWindowEnabled(item(dict::kIdWordBookButton)));
  plat::Hwnd edit = d().searchEdit(1);
  ui::setWindowText(edit, u"学生");
  ui::testing::clickButton(item(dict::kIdSearch));
  EXPECT_EQ(d().view(), dict::kViewExamples);
  EXPECT_TRUE(contains(page(), u"我是学生。"));
  EXPECT_TRUE(contains(page(), u"件を表示"));
  // The large font shows the same hits again.
  plat::sendMessage(d().hwnd(), plat::kWmCommand, ui::makeWParam(dict::kCmdLargeFont, 0), 0);
  EXPECT_EQ(d().pageFontSize(1, dict::kViewExamples), 6);
  EXPECT_TRUE(contains(page(), u"我是学生。"));
  EXPECT_TRUE(notes_.messages.empty());
}

TEST_F(DictionaryDlgTest, CloseOnlyMinimisesWhileTheTranslatorRuns) {
  // The translator runs and hands a word over; the viewer covers it.
  ui::DialogTemplate t;
  t.caption = dict::kTranslatorTitle;
  t.cx = 50;
  t.cy = 50;
  t.fullScreen = true;
  plat::Hwnd translator = ui::createDialog(t, 0, nullptr);
  ASSERT_NE(translator, 0u);
  open();
  composeWord(1, u"学");
  // Closed: the viewer leaves the screen and the translator below it comes to the front, with no
  // window manager involved; the viewer keeps its state.
  plat::sendMessage(d().hwnd(), plat::kWmCommand, ui::makeWParam(dict::kCmdClose, 0), 0);
  ui::processPendingEvents();
  EXPECT_FALSE(d().ended());
  EXPECT_TRUE(ui::isWindowMinimized(d().hwnd()));
  EXPECT_FALSE(ui::isWindowVisible(d().hwnd()));
  EXPECT_EQ(plat::foregroundWindow(), translator);
  EXPECT_TRUE(ui::isWindowVisible(translator));
  EXPECT_EQ(lines(1, dict::kViewHistory).size(), 1u);
  EXPECT_FALSE(plat::pathExists(kViewer + "CJDIC\\history.dat"));
  // The translator's next word brings it back as it was.
  ASSERT_TRUE(plat::setForegroundWindow(d().hwnd()));
  ui::processPendingEvents();
  EXPECT_FALSE(ui::isWindowMinimized(d().hwnd()));
  EXPECT_TRUE(ui::isWindowVisible(d().hwnd()));
  EXPECT_EQ(lines(1, dict::kViewDictionary)[0], u"学 xué");

  plat::destroyWindow(translator);
  plat::sendMessage(d().hwnd(), plat::kWmCommand, ui::makeWParam(dict::kCmdClose, 0), 0);
  EXPECT_TRUE(d().ended());
  EXPECT_TRUE(plat::pathExists(kViewer + "CJDIC\\history.dat"));
}

TEST_F(DictionaryDlgTest, ATapOnTheFocusedSearchBoxRaisesThePanel) {
  plat::registerInputMethod(dict::defaultChineseIm(), u"中国語手書き検索");
  plat::registerInputMethod(dict::defaultJapaneseIm(), u"日本語手書き入力");
  open();
  plat::Hwnd edit = d().searchEdit(1);
  ui::setFocus(edit);
  ui::processPendingEvents();
  ASSERT_TRUE(plat::inputPanelShown());
  // The search button lowers the panel; the box keeps the focus; a tap on it raises the panel.
  ui::testing::clickButton(item(dict::kIdSearch));
  ASSERT_FALSE(plat::inputPanelShown());
  ASSERT_EQ(ui::getFocus(), edit);
  ui::testing::penDown(edit, {10, 5});
  ui::testing::penUp(edit, {10, 5});
  EXPECT_TRUE(plat::inputPanelShown());
  // Also after a search from a link or menu kept the panel down: the box's method comes with it.
  d().inputMethods().keepDown = true;
  d().inputMethods().hidePanel();
  ASSERT_TRUE(plat::selectInputMethod(dict::defaultJapaneseIm()));
  ui::testing::penDown(edit, {10, 5});
  ui::testing::penUp(edit, {10, 5});
  EXPECT_TRUE(plat::inputPanelShown());
  plat::ClassId current;
  ASSERT_TRUE(plat::currentInputMethod(current));
  EXPECT_EQ(current, dict::defaultChineseIm());
}

}  // namespace
