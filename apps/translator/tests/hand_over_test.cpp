// The hand-overs with the real programs in a temporary runtime: a selected word to the viewer
// through the word mapping, Chinese text to the speech reader through its request file, and the
// voice settings.
#include <chrono>
#include <thread>

#include "apps/translator/voice_settings_dlg.h"
#include "platform/core/clock.h"
#include "platform/core/little_endian.h"
#include "platform/core/named_mutex.h"
#include "platform/ui/dialog.h"
#include "platform/ui/fonts.h"
#include "platform/ui/testing.h"
#include "speech/reader/reading_protocol.h"
#include "speech/reader/request_file.h"
#include "translator_fixture.h"

namespace orvaletest {
namespace {

using namespace orvale;

// The translator looks for a program it started 20 times, 100 ms apart. A sanitizer build under
// load can take longer than that to show the reader's or the viewer's window, and the start then
// reads as a failed one. Each pause of this clock lasts until one of the two windows is there (a
// minute at most over the test), so the looks never run out before a slow start ends.
class StartWaitClock : public plat::Clock {
 public:
  std::int64_t nowMs() override { return inner_.nowMs(); }
  bool waitReadable(int fd, std::int64_t timeoutMs) override { return inner_.waitReadable(fd, timeoutMs); }
  void sleepMs(std::int64_t ms) override {
    inner_.sleepMs(ms);
    while (waitsLeft_ > 0 && !started()) {
      inner_.sleepMs(100);
      --waitsLeft_;
    }
  }

 private:
  static bool started() {
    return plat::findWindow(vocra::kReaderWindowName, vocra::kReaderWindowName) != 0 ||
           plat::findWindow(u"Dialog", u"日中・中日辞典") != 0;
  }
  plat::Clock& inner_ = plat::clock();
  int waitsLeft_ = 600;
};

class HandOverTest : public OrvaleTest {
 protected:
  void SetUp() override {
    OrvaleTest::SetUp();
    // A program folder of the test's own: its request file is no other test's.
    programs_ = fs::path(plat::hostPath("\\")) / "programs";
    fs::create_directories(programs_);
    for (const char* f : {"Vocra", "Sernick", "Phonavel.so", "Synparse.so"}) {
      std::error_code ec;
      fs::create_hard_link(fs::path(binFolder()) / f, programs_ / f, ec);
      if (ec) {
        ASSERT_TRUE(fs::copy_file(fs::path(binFolder()) / f, programs_ / f, ec)) << f << ": " << ec.message();
      }
    }
    plat::setProgramFolder(programs_.string());
    ::setenv("SUITE_WAVEOUT", "null", 1);
    notes_ = std::make_unique<plat::NotifyRecorder>();
    useClock_ = std::make_unique<plat::ScopedClock>(clock_);
  }
  void TearDown() override {
    for (const char16_t* title : {vocra::kReaderWindowName, u"日中・中日辞典"}) {
      const char16_t* cls = title == vocra::kReaderWindowName ? vocra::kReaderWindowName : u"Dialog";
      if (plat::Hwnd w = plat::findWindow(cls, title)) {
        plat::postMessage(w, plat::kWmClose, 0, 0);
        pumpUntil([cls, title] { return plat::findWindow(cls, title) == 0; }, 10000);
      }
    }
    useClock_.reset();
    notes_.reset();
    ::unsetenv("SUITE_WAVEOUT");
    OrvaleTest::TearDown();
  }
  // The whole sample card: translator, viewer and speech data.
  void open(std::uint32_t direction, std::uint32_t traditional = 0) {
    std::error_code ec;
    fs::copy(fs::path(ORVALE_TEST_CARD) / "Talvenro", fs::path(plat::hostPath(device_.card())) / "Talvenro",
             fs::copy_options::recursive, ec);
    ASSERT_FALSE(ec) << ec.message();
    setUpRegistry();
    setDword("JC_CJ", direction);
    setDword("IsFanTi", traditional);
    ASSERT_NE(startDialog(), 0u);
    ui::processPendingEvents();
    notes_->messages.clear();
  }
  void command(unsigned id) { plat::sendMessage(dlg().hwnd(), plat::kWmCommand, ui::makeWParam(id, 0), 0); }
  bool pumpUntil(const std::function<bool()>& done, int ms = 30000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      ui::processPendingEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
  }
  std::u16string mappedWord() {
    auto mapping = plat::NamedMapping::create(kWordMappingName, kWordMappingSize);
    if (!mapping) return u"(none)";
    plat::MappingView view = mapping->map(false);
    std::u16string word;
    for (std::size_t i = 0; i + 1 < view.size(); i += 2) {
      const auto c = static_cast<char16_t>(plat::readLe16(view.data() + i));
      if (!c) break;
      word.push_back(c);
    }
    return word;
  }
  fs::path programs_;
  std::unique_ptr<plat::NotifyRecorder> notes_;
  StartWaitClock clock_;
  std::unique_ptr<plat::ScopedClock> useClock_;
};

TEST_F(HandOverTest, ASelectedWordReachesTheViewer) {
  open(1, 1);
  std::u16string text(49, u'书');
  text += u"書";  // 50 characters, the last traditional
  ui::setWindowText(pane(kIdSource), u"我們讀書");
  ui::setFocus(pane(kIdSource));
  ui::editSetSel(pane(kIdSource), 2, 4);
  command(kCmdLookup);
  EXPECT_TRUE(notes_->messages.empty());
  EXPECT_EQ(mappedWord(), u"读书");  // simplified for the viewer
  ASSERT_NE(app().viewerWindow, 0u);
  EXPECT_EQ(app().viewerWindow, plat::findWindow(u"Dialog", u"日中・中日辞典"));
  EXPECT_TRUE(dlg().skipNextSave);

  ui::setWindowText(pane(kIdSource), text);
  ui::editSetSel(pane(kIdSource), 1, 50);  // 49 characters
  command(kCmdLookup);
  EXPECT_TRUE(notes_->messages.empty());
  EXPECT_EQ(mappedWord(), std::u16string(48, u'书') + u"书");
  ui::editSetSel(pane(kIdSource), 0, 50);  // 50 characters
  command(kCmdLookup);
  ASSERT_EQ(notes_->messages.size(), 1u);
  EXPECT_EQ(notes_->messages[0].text, u"文字列を取得できませんでした。");
  EXPECT_EQ(mappedWord(), std::u16string(48, u'书') + u"书");  // unchanged

  // The direction selector: an empty word, as Chinese.
  ui::setFocus(pane(kIdDirection));
  std::u16string word = u"x";
  EXPECT_EQ(dlg().getSelectedWord(word), 1);
  EXPECT_EQ(word, u"");
}

TEST_F(HandOverTest, SpeakWritesTheRequestAndStopsWhenTheReaderIsDone) {
  open(1);
  ui::setWindowText(pane(kIdSource), u"这是书。");
  ui::testing::clickButton(pane(kIdSpeak));
  EXPECT_TRUE(notes_->messages.empty()) << plat::wideToUtf8(notes_->messages.empty() ? u"" : notes_->messages[0].text);
  // While the reader reads: the request file, the mutex and the Stop button.
  vocra::ReadingRequest request;
  ASSERT_EQ(vocra::readRequestFile(request), vocra::RequestRead::kOk);
  EXPECT_EQ(request.requester, dlg().hwnd());
  EXPECT_EQ(request.repeatCount, 2u);
  EXPECT_EQ(request.text, u",这是书。");
  EXPECT_TRUE(app().reading.holdsMutex());
  EXPECT_NE(pane(kIdStop), 0u);
  EXPECT_EQ(pane(kIdSpeak), 0u);
  EXPECT_EQ(ui::getWindowText(pane(kIdStop)), u"停止");
  EXPECT_NE(app().readerWindow, 0u);

  ASSERT_TRUE(pumpUntil([this] { return pane(kIdSpeak) != 0; }));
  EXPECT_EQ(ui::getWindowText(pane(kIdSpeak)), u"朗読");
  EXPECT_FALSE(app().reading.holdsMutex());
  EXPECT_FALSE(fs::exists(programs_ / "Vocra.tmp"));
  EXPECT_FALSE(ui::waitCursorShown());
  EXPECT_TRUE(notes_->messages.empty());
}

TEST_F(HandOverTest, StopEndsTheReadingAndABusyReaderIsReported) {
  open(1);
  ui::setWindowText(pane(kIdSource), u"这是书。");
  ui::testing::clickButton(pane(kIdSpeak));
  ASSERT_NE(pane(kIdStop), 0u);
  ui::testing::clickButton(pane(kIdStop));
  EXPECT_NE(pane(kIdSpeak), 0u);
  EXPECT_FALSE(app().reading.holdsMutex());
  EXPECT_FALSE(fs::exists(programs_ / "Vocra.tmp"));

  // Another program reads.
  auto other = plat::NamedMutex::create(vocra::kReadingMutex, false);
  ASSERT_NE(other, nullptr);
  ui::testing::clickButton(pane(kIdSpeak));
  ASSERT_EQ(notes_->messages.size(), 1u);
  EXPECT_EQ(notes_->messages[0].text, u"音声合成エンジンが使用中です。");
  EXPECT_NE(pane(kIdSpeak), 0u);
  EXPECT_FALSE(app().reading.holdsMutex());
  EXPECT_FALSE(ui::waitCursorShown());

  // An empty Chinese pane only focuses the source.
  other.reset();
  notes_->messages.clear();
  ui::setWindowText(pane(kIdSource), u"");
  ui::setFocus(pane(kIdResult));
  ui::testing::clickButton(pane(kIdSpeak));
  EXPECT_TRUE(notes_->messages.empty());
  EXPECT_EQ(ui::getFocus(), pane(kIdSource));
}

TEST_F(HandOverTest, VoiceSettingsWriteTheSlidersAndSpeakTheTestOnce) {
  open(1);
  setDword("Vocravol", 4);
  static HandOverTest* self = nullptr;
  static vocra::ReadingRequest request;
  static bool sawRequest = false, sawStop = false;
  self = this;
  sawRequest = sawStop = false;
  plat::registerWindowClass(u"VoiceDriver", [](plat::Hwnd h, unsigned msg, std::uint32_t, std::int32_t) -> std::intptr_t {
    if (msg != plat::kWmTimer) return 0;
    plat::Hwnd voice = plat::findWindow(u"Dialog", u"中国語音声");
    if (!voice) return 0;
    plat::killTimer(h, 1);
    EXPECT_EQ(plat::sendMessage(ui::getDlgItem(voice, kIdVolume), ui::kTbmGetPos, 0, 0), 4);
    EXPECT_EQ(ui::getWindowText(ui::getDlgItem(voice, kIdTestSentence)), u"\"这是中文语音合成的测试。\"");
    ui::testing::dragTrackbar(ui::getDlgItem(voice, kIdSpeed), 6);
    ui::testing::paint(ui::getDlgItem(voice, kIdSpeed));
    ui::testing::clickButton(ui::getDlgItem(voice, kIdSpeak));
    sawRequest = vocra::readRequestFile(request) == vocra::RequestRead::kOk;
    sawStop = ui::getDlgItem(voice, kIdStop) != 0;
    plat::sendMessage(voice, plat::kWmCommand, ui::makeWParam(ui::kIdOk, 0), 0);
    (void)self;
    return 0;
  });
  plat::Hwnd driver = plat::createWindow(u"VoiceDriver", u"");
  plat::setTimer(driver, 1, 20);
  command(kCmdVoice);
  plat::destroyWindow(driver);
  EXPECT_TRUE(sawRequest);
  EXPECT_TRUE(sawStop);
  EXPECT_EQ(request.repeatCount, 1u);
  EXPECT_EQ(request.text, u",这是中文语音合成的测试。");
  EXPECT_EQ(dword("Vocraspd"), 6u);
  EXPECT_EQ(dword("Vocravol"), 4u);
  // Closing the dialog stopped the test reading.
  EXPECT_FALSE(app().reading.holdsMutex());
  EXPECT_FALSE(fs::exists(programs_ / "Vocra.tmp"));
}

// The test sentence keeps the handheld's size at either screen: its font and its box grow with the
// dots per inch, and the sentence fits its box at both.
TEST_F(HandOverTest, TheVoiceDialogsTestSentenceFollowsTheScreensDotsPerInch) {
  struct Screen {
    int width, height, dpi;
  };
  static int pixelHeight = 0, boxWidth = 0, boxHeight = 0, sentenceWidth = 0;
  int heights[2] = {}, widths[2] = {};
  const Screen screens[] = {{240, 320, 96}, {480, 640, 192}};
  open(1);
  for (int k = 0; k < 2; ++k) {
    const Screen& screen = screens[k];
    ui::setScreenDpi(screen.dpi);
    ui::setScreenSize(screen.width, screen.height);
    ui::processPendingEvents();
    pixelHeight = boxWidth = boxHeight = sentenceWidth = 0;
    plat::registerWindowClass(u"VoiceMeasure", [](plat::Hwnd h, unsigned msg, std::uint32_t, std::int32_t) -> std::intptr_t {
      if (msg != plat::kWmTimer) return 0;
      plat::Hwnd voice = plat::findWindow(u"Dialog", u"中国語音声");
      if (!voice) return 0;
      plat::killTimer(h, 1);
      const plat::Hwnd sentence = ui::getDlgItem(voice, kIdTestSentence);
      pixelHeight = ui::queryWindowFont(sentence).pixelHeight;
      const ui::Rect box = ui::windowRect(sentence);
      boxWidth = box.width();
      boxHeight = box.height();
      sentenceWidth = ui::textWidth(ui::windowFont(sentence), ui::getWindowText(sentence));
      plat::sendMessage(voice, plat::kWmCommand, ui::makeWParam(ui::kIdOk, 0), 0);
      return 0;
    });
    plat::Hwnd driver = plat::createWindow(u"VoiceMeasure", u"");
    plat::setTimer(driver, 1, 20);
    command(kCmdVoice);
    plat::destroyWindow(driver);
    ASSERT_GT(pixelHeight, 0) << screen.dpi;
    EXPECT_LE(sentenceWidth, boxWidth) << screen.dpi << " dpi: the sentence is cut";
    EXPECT_LE(pixelHeight, boxHeight) << screen.dpi << " dpi";
    heights[k] = pixelHeight;
    widths[k] = boxWidth;
  }
  EXPECT_EQ(heights[1], 2 * heights[0]);
  EXPECT_NEAR(widths[1], 2 * widths[0], 2);
}

}  // namespace
}  // namespace orvaletest
