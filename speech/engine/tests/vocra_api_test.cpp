#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/core/files.h"
#include "platform/core/waveout.h"
#include "speech/engine/engine_state.h"
#include "speech/engine/speech_data.h"
#include "speech/engine/vocra_api.h"
#include "speech_fixture.h"

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>

namespace {

using speechtest::SpeechFixture;

struct Posted {
  plat::Hwnd hwnd;
  unsigned msg;
  std::uint32_t code;
  std::int32_t value;
  bool operator==(const Posted&) const = default;
};

std::mutex gMutex;
std::condition_variable gChanged;
std::vector<Posted> gPosted;
std::vector<std::pair<int, int>> gCalls;  // callback (code, value)
int gStopAtCode = -1;                      // the callback answers 0 at this code
std::string gRendered;                     // every sample byte the filler produced, in order
std::int32_t gBytesPerCharacter = 20000;
std::vector<int> gVolumesSeen;

bool recordPost(plat::Hwnd hwnd, unsigned msg, std::uint32_t wParam, std::int32_t lParam) {
  std::lock_guard<std::mutex> lock(gMutex);
  gPosted.push_back({hwnd, msg, wParam, lParam});
  gChanged.notify_all();
  return true;
}

int recordCallback(int code, int value, void*) {
  std::lock_guard<std::mutex> lock(gMutex);
  gCalls.emplace_back(code, value);
  return code == gStopAtCode ? 0 : 1;
}

// One character of text per call, rendered as samples that name the character's place.
void knownSamples(speech::Utterance& u, speech::SampleBuffer& b) {
  if (u.text[u.cursor] == 0) return;
  std::size_t place = u.cursor++;
  if (!speech::ensureRoom(b, gBytesPerCharacter)) return;
  std::string block(static_cast<std::size_t>(gBytesPerCharacter), '\0');
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(place * 16 + i % 16);
  std::copy(block.begin(), block.end(), b.data.begin() + b.fill);
  b.fill += gBytesPerCharacter;
  std::lock_guard<std::mutex> lock(gMutex);
  gRendered += block;
  gVolumesSeen.push_back(u.current.volume);
}

bool rejectWindow(plat::Hwnd hwnd) { return hwnd != 42; }

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class VocraApiTest : public SpeechFixture {
 protected:
  void SetUp() override {
    SpeechFixture::SetUp();
    speech::setStatusPoster(recordPost);
    speech::setWindowCheck(rejectWindow);
    speech::setBlockFiller(knownSamples);
    wav_ = device_.root() + "/out.wav";
    ::setenv(plat::kWaveOutEnv, ("wavfast:" + wav_).c_str(), 1);
    std::lock_guard<std::mutex> lock(gMutex);
    gPosted.clear();
    gCalls.clear();
    gStopAtCode = -1;
    gRendered.clear();
    gBytesPerCharacter = 20000;
    gVolumesSeen.clear();
  }
  void TearDown() override {
    speech::vocraStop();
    speech::vocraEnd();
    for (int n = 0; n < speech::kParamCount; ++n) speech::vocraSetParam(n, speech::SpeechParams{}.p[n]);
    speech::setStatusPoster(nullptr);
    speech::setWindowCheck(nullptr);
    speech::setBlockFiller(nullptr);
    ::unsetenv(plat::kWaveOutEnv);
  }

  std::u16string wideFolder() const { return plat::utf8ToWide(folder_); }

  // Waits for the reading's last code; false when it did not come within a minute.
  static bool waitForEnd() {
    std::unique_lock<std::mutex> lock(gMutex);
    return gChanged.wait_for(lock, std::chrono::minutes(1), [] {
      return !gPosted.empty() && gPosted.back().code == speech::kProgressEnded;
    });
  }
  static bool waitForCode(std::uint32_t code) {
    std::unique_lock<std::mutex> lock(gMutex);
    return gChanged.wait_for(lock, std::chrono::minutes(1), [&] {
      return std::any_of(gPosted.begin(), gPosted.end(), [&](const Posted& p) { return p.code == code; });
    });
  }
  static std::vector<std::pair<std::uint32_t, std::int32_t>> postedCodes() {
    std::lock_guard<std::mutex> lock(gMutex);
    std::vector<std::pair<std::uint32_t, std::int32_t>> out;
    for (const auto& p : gPosted) out.emplace_back(p.code, p.value);
    return out;
  }
  // Waits until the playback thread has finished its last code.
  static void waitForIdle() {
    while (speech::engine().play.threadExitCode.load() == speech::kThreadStillActive) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }

  std::string wav_;
};

TEST_F(VocraApiTest, InitLoadsOnceAndFailsWithSixOnBadData) {
  std::string hzprop;
  ASSERT_TRUE(plat::readWholeFile(path(speech::kHzpropFile), hzprop));
  ASSERT_TRUE(plat::removeFile(path(speech::kHzpropFile)));
  EXPECT_EQ(speech::vocraInit(wideFolder().c_str()), speech::kSpeechLoadFailed);
  EXPECT_EQ(plat::openFileCount(), 0);
  EXPECT_EQ(speech::vocraEnd(), speech::kSpeechNotInitialised);
  ASSERT_TRUE(plat::writeWholeFile(path(speech::kHzpropFile), hzprop));
  // A folder longer than 260 characters is refused rather than cut.
  std::u16string tooLong = wideFolder() + std::u16string(300, u'x');
  EXPECT_EQ(speech::vocraInit(tooLong.c_str()), speech::kSpeechLoadFailed);

  // Without the trailing backslash, which the engine adds.
  std::u16string folder = wideFolder();
  folder.pop_back();
  EXPECT_EQ(speech::vocraInit(folder.c_str()), speech::kSpeechOk);
  ASSERT_TRUE(plat::removeFile(path(speech::kCzFile)));
  EXPECT_EQ(speech::vocraInit(wideFolder().c_str()), speech::kSpeechAlreadyInitialised);
  EXPECT_TRUE(speech::speechDataLoaded());
  EXPECT_EQ(speech::vocraEnd(), speech::kSpeechOk);
  EXPECT_FALSE(speech::speechDataLoaded());
  EXPECT_EQ(plat::openFileCount(), 0);
  EXPECT_EQ(speech::vocraEnd(), speech::kSpeechNotInitialised);
}

TEST_F(VocraApiTest, EmptyFolderMeansTheProgramFolder) {
  std::string previous = plat::programFolder();
  plat::setProgramFolder(plat::hostPath(folder_));
  EXPECT_EQ(speech::vocraInit(u""), speech::kSpeechOk);
  speech::vocraEnd();
  EXPECT_EQ(speech::vocraInit(nullptr), speech::kSpeechOk);
  plat::setProgramFolder(previous);
}

TEST_F(VocraApiTest, PlayChecksInTheirOrder) {
  int notCode = 0;
  auto heapCallback = reinterpret_cast<VocraCallback>(&notCode);
  // Before initialisation: the text, the window and the callback are checked first.
  EXPECT_EQ(speech::vocraPlay(u"", 42, heapCallback, nullptr), speech::kSpeechNoText);
  EXPECT_EQ(speech::vocraPlay(nullptr, 0, nullptr, nullptr), speech::kSpeechNoText);
  EXPECT_EQ(speech::vocraPlay(u"中", 42, heapCallback, nullptr), speech::kSpeechBadWindow);
  EXPECT_EQ(speech::vocraPlay(u"中", 7, heapCallback, nullptr), speech::kSpeechBadCallback);
  EXPECT_EQ(speech::vocraPlay(u"中", 7, recordCallback, nullptr), speech::kSpeechNotInitialised);
  EXPECT_EQ(speech::vocraStop(), speech::kSpeechNotPlaying);

  struct Case {
    unsigned number;
    int value;
    int result;
  };
  const Case params[] = {{0, 3, 0},  {0, 1, 17}, {1, 1, 0},  {1, 2, 17}, {2, 0, 0},  {2, 10, 17}, {3, 9, 0},
                         {3, 10, 17}, {3, -1, 17}, {4, 9, 0}, {5, 1, 0},  {5, 2, 17}, {6, 3, 0},   {6, 4, 17},
                         {7, 2, 0},  {7, 3, 17}, {8, 0, 27}, {100, 3, 27}};
  for (const Case& c : params) EXPECT_EQ(speech::vocraSetParam(c.number, c.value), c.result) << c.number << " " << c.value;
  EXPECT_EQ(speech::engine().params.p[3], 9);  // a refused value changes nothing

  ASSERT_EQ(speech::vocraInit(wideFolder().c_str()), speech::kSpeechOk);
  gBytesPerCharacter = 16000 * 60;  // a minute per character keeps the reading going
  ::setenv(plat::kWaveOutEnv, ("wav:" + wav_).c_str(), 1);
  ASSERT_EQ(speech::vocraPlay(u"中国", 7, nullptr, nullptr), speech::kSpeechOk);
  EXPECT_EQ(speech::vocraPlay(u"中国", 7, nullptr, nullptr), speech::kSpeechNotIdle);
  EXPECT_EQ(speech::vocraEnd(), speech::kSpeechNotIdle);
  EXPECT_EQ(speech::vocraInit(wideFolder().c_str()), speech::kSpeechAlreadyInitialised);
  EXPECT_EQ(speech::vocraStop(), speech::kSpeechOk);
  EXPECT_EQ(speech::vocraStop(), speech::kSpeechNotPlaying);
}

TEST_F(VocraApiTest, ReadingArrivesWholeAndInOrderWithItsProgress) {
  ASSERT_EQ(speech::vocraInit(wideFolder().c_str()), speech::kSpeechOk);
  ASSERT_EQ(speech::vocraPlay(u"中国人", 7, recordCallback, nullptr), speech::kSpeechOk);
  ASSERT_TRUE(waitForEnd());
  waitForIdle();

  // Two bytes of converted text per character.
  std::vector<std::pair<std::uint32_t, std::int32_t>> expected = {{0, 0}, {3, 2}, {2, 2}, {3, 4},
                                                                  {2, 4}, {3, 6}, {2, 6}, {1, 0}};
  EXPECT_EQ(postedCodes(), expected);
  {
    std::lock_guard<std::mutex> lock(gMutex);
    for (const auto& p : gPosted) {
      EXPECT_EQ(p.hwnd, 7u);
      EXPECT_EQ(p.msg, speech::kWmSpeechStatus);
    }
    std::vector<std::pair<int, int>> calls(expected.begin(), expected.end());
    EXPECT_EQ(gCalls, calls);
  }
  std::string wav = readFile(wav_);
  ASSERT_GE(wav.size(), 44u);
  EXPECT_EQ(wav.substr(44), gRendered);
  EXPECT_EQ(gRendered.size(), 3u * 20000);
  EXPECT_EQ(plat::openWaveDeviceCount(), 0);

  // Idle again: another reading may start, and the library may end.
  EXPECT_EQ(speech::vocraStop(), speech::kSpeechNotPlaying);
  ASSERT_EQ(speech::vocraPlay(u"a", 0, nullptr, nullptr), speech::kSpeechOk);
  waitForIdle();
  EXPECT_EQ(speech::vocraEnd(), speech::kSpeechOk);
}

TEST_F(VocraApiTest, StopDuringPlaybackEndsTheReading) {
  ASSERT_EQ(speech::vocraInit(wideFolder().c_str()), speech::kSpeechOk);
  ::setenv(plat::kWaveOutEnv, ("wav:" + wav_).c_str(), 1);  // real-time pacing
  gBytesPerCharacter = 16000 * 60;
  ASSERT_EQ(speech::vocraPlay(u"中国人中国人", 7, recordCallback, nullptr), speech::kSpeechOk);
  ASSERT_TRUE(waitForCode(speech::kProgressBlockQueued));
  EXPECT_EQ(speech::vocraStop(), speech::kSpeechOk);
  // The thread has ended and posted its last code before the stop returned.
  auto codes = postedCodes();
  ASSERT_FALSE(codes.empty());
  EXPECT_EQ(codes.back(), (std::pair<std::uint32_t, std::int32_t>{1, 0}));
  EXPECT_EQ(codes.front(), (std::pair<std::uint32_t, std::int32_t>{0, 0}));
  EXPECT_EQ(speech::engine().state.load(), speech::kStateIdle);
  EXPECT_EQ(plat::openWaveDeviceCount(), 0);
  EXPECT_LT(readFile(wav_).size(), 44u + 6u * 16000 * 60);
  EXPECT_EQ(speech::vocraEnd(), speech::kSpeechOk);
}

TEST_F(VocraApiTest, CallbackEndsTheReadingEarly) {
  ASSERT_EQ(speech::vocraInit(wideFolder().c_str()), speech::kSpeechOk);
  gStopAtCode = speech::kProgressBlockQueued;
  ASSERT_EQ(speech::vocraPlay(u"中国人", 0, recordCallback, nullptr), speech::kSpeechOk);
  waitForIdle();
  {
    std::lock_guard<std::mutex> lock(gMutex);
    EXPECT_EQ(gCalls, (std::vector<std::pair<int, int>>{{0, 0}, {3, 2}, {1, 0}}));
    EXPECT_TRUE(gPosted.empty());  // no notify window
  }
  // Nothing was queued.
  EXPECT_EQ(readFile(wav_).size(), 44u);
}

TEST_F(VocraApiTest, ParametersReachOnlyTheNextReading) {
  ASSERT_EQ(speech::vocraInit(wideFolder().c_str()), speech::kSpeechOk);
  ASSERT_EQ(speech::vocraSetParam(3, 2), 0);
  ASSERT_EQ(speech::vocraPlay(u"中国", 0, nullptr, nullptr), speech::kSpeechOk);
  ASSERT_EQ(speech::vocraSetParam(3, 8), 0);
  waitForIdle();
  ASSERT_EQ(speech::vocraPlay(u"中", 0, nullptr, nullptr), speech::kSpeechOk);
  waitForIdle();
  std::lock_guard<std::mutex> lock(gMutex);
  EXPECT_EQ(gVolumesSeen, (std::vector<int>{2, 2, 8}));
}

TEST_F(VocraApiTest, DeviceAndConversionFailures) {
  ASSERT_EQ(speech::vocraInit(wideFolder().c_str()), speech::kSpeechOk);
  // A device that stays allocated is tried again; another error fails at once.
  plat::failNextWaveOpens(5, plat::kWaveAllocated);
  ASSERT_EQ(speech::vocraPlay(u"中", 0, nullptr, nullptr), speech::kSpeechOk);
  waitForIdle();
  plat::failNextWaveOpens(1, plat::kWaveNoDriver);
  EXPECT_EQ(speech::vocraPlay(u"中", 0, nullptr, nullptr), speech::kSpeechNoDevice);
  plat::failNextWaveOpens(1000, plat::kWaveAllocated);
  EXPECT_EQ(speech::vocraPlay(u"中", 0, nullptr, nullptr), speech::kSpeechNoDevice);
  plat::failNextWaveOpens(0, 0);
  EXPECT_EQ(speech::engine().state.load(), speech::kStateIdle);

  // unicode.dat is read at the first request, and tried again at the next one.
  ASSERT_EQ(speech::vocraEnd(), 0);
  std::string unicode;
  ASSERT_TRUE(plat::readWholeFile(path(speech::kUnicodeFile), unicode));
  ASSERT_TRUE(plat::removeFile(path(speech::kUnicodeFile)));
  ASSERT_EQ(speech::vocraInit(wideFolder().c_str()), speech::kSpeechOk);
  EXPECT_EQ(speech::vocraPlay(u"中", 0, nullptr, nullptr), speech::kSpeechBadText);
  ASSERT_TRUE(plat::writeWholeFile(path(speech::kUnicodeFile), unicode));
  EXPECT_EQ(speech::vocraPlay(u"中", 0, nullptr, nullptr), speech::kSpeechOk);
  waitForIdle();
}

}  // namespace

namespace {

// A stop may meet a thread at any point of its run, also while it is finishing on its own.
TEST_F(VocraApiTest, StopNeverRacesAFinishingThread) {
  ASSERT_EQ(speech::vocraInit(wideFolder().c_str()), speech::kSpeechOk);
  gBytesPerCharacter = 2000;
  int readings = 0;
  for (int i = 0; i < 40; ++i) {
    ASSERT_EQ(speech::vocraPlay(u"中国人", 7, nullptr, nullptr), speech::kSpeechOk) << i;
    ++readings;
    for (int k = 0; k < i % 4; ++k) std::this_thread::yield();
    int r = speech::vocraStop();
    EXPECT_TRUE(r == speech::kSpeechOk || r == speech::kSpeechNotPlaying) << r;
    if (i % 5 == 0) {
      EXPECT_EQ(speech::vocraEnd(), speech::kSpeechOk);
      ASSERT_EQ(speech::vocraInit(wideFolder().c_str()), speech::kSpeechOk);
    }
  }
  waitForIdle();
  EXPECT_EQ(speech::vocraEnd(), speech::kSpeechOk);
  std::lock_guard<std::mutex> lock(gMutex);
  int started = 0, ended = 0;
  for (const auto& p : gPosted) {
    started += p.code == speech::kProgressStarted;
    ended += p.code == speech::kProgressEnded;
  }
  EXPECT_EQ(started, readings);
  EXPECT_EQ(ended, readings);
  EXPECT_EQ(plat::openWaveDeviceCount(), 0);
}

}  // namespace
