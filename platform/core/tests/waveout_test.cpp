#include "platform/core/waveout.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Event {
  unsigned message;
  plat::WaveHeader* header;
  std::thread::id thread;
};

std::mutex gEventsMutex;
std::vector<Event> gEvents;

void recordCallback(plat::WaveOut, unsigned message, std::uintptr_t, plat::WaveHeader* header) {
  std::lock_guard<std::mutex> lock(gEventsMutex);
  gEvents.push_back({message, header, std::this_thread::get_id()});
}

std::vector<Event> takeEvents() {
  std::lock_guard<std::mutex> lock(gEventsMutex);
  return std::exchange(gEvents, {});
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::uint32_t le32(const std::string& s, std::size_t at) {
  return static_cast<unsigned char>(s[at]) | static_cast<unsigned char>(s[at + 1]) << 8 |
         static_cast<unsigned char>(s[at + 2]) << 16 | static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 3])) << 24;
}

class WaveOutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A path of its own per test run: a process starts a path anew only the first time it opens it.
    static int run = 0;
    path_ = (std::filesystem::temp_directory_path() /
             ("waveout-" + std::to_string(::getpid()) + "-" + std::to_string(++run) + ".wav")).string();
    std::filesystem::remove(path_);
    takeEvents();
  }
  void TearDown() override {
    ::unsetenv(plat::kWaveOutEnv);
    std::filesystem::remove(path_);
  }
  void useBackend(const std::string& spec) { ::setenv(plat::kWaveOutEnv, spec.c_str(), 1); }

  // Waits (without a time limit on the result) until `count` done messages have arrived.
  static void waitForDone(std::size_t count) {
    for (;;) {
      {
        std::lock_guard<std::mutex> lock(gEventsMutex);
        std::size_t n = 0;
        for (const auto& e : gEvents) n += e.message == plat::kWomDone;
        if (n >= count) return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }

  std::string path_;
};

TEST_F(WaveOutTest, FastWavFileGetsBlocksInOrderAndAppendsOnReopen) {
  useBackend("wavfast:" + path_);
  std::string a(3000, '\x11'), b(5000, '\x22');
  plat::WaveOut dev = 0;
  ASSERT_EQ(plat::waveOpen(&dev, {}, recordCallback, 7), plat::kWaveOk);
  ASSERT_NE(dev, 0u);
  plat::WaveHeader ha{a.data(), static_cast<std::uint32_t>(a.size())}, hb{b.data(), static_cast<std::uint32_t>(b.size())};
  ASSERT_EQ(plat::wavePrepare(dev, &ha), plat::kWaveOk);
  ASSERT_EQ(plat::wavePrepare(dev, &hb), plat::kWaveOk);
  ASSERT_EQ(plat::waveWrite(dev, &ha), plat::kWaveOk);
  ASSERT_EQ(plat::waveWrite(dev, &hb), plat::kWaveOk);
  waitForDone(2);
  EXPECT_EQ(plat::waveUnprepare(dev, &ha), plat::kWaveOk);
  EXPECT_EQ(plat::waveUnprepare(dev, &hb), plat::kWaveOk);
  EXPECT_EQ(plat::waveClose(dev), plat::kWaveOk);
  EXPECT_EQ(plat::waveClose(dev), plat::kWaveInvalidHandle);

  auto events = takeEvents();
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[0].message, plat::kWomOpen);
  EXPECT_EQ(events[1].message, plat::kWomDone);
  EXPECT_EQ(events[1].header, &ha);
  EXPECT_EQ(events[2].header, &hb);
  EXPECT_EQ(events[3].message, plat::kWomClose);
  EXPECT_NE(events[1].thread, std::this_thread::get_id());
  EXPECT_TRUE(ha.flags & plat::kWaveHeaderDone);

  std::string wav = readFile(path_);
  ASSERT_EQ(wav.size(), 44 + a.size() + b.size());
  EXPECT_EQ(wav.substr(0, 4), "RIFF");
  EXPECT_EQ(le32(wav, 4), 36 + a.size() + b.size());
  EXPECT_EQ(le32(wav, 24), 8000u);
  EXPECT_EQ(le32(wav, 40), a.size() + b.size());
  EXPECT_EQ(wav.substr(44), a + b);

  // A second device appends to the same file.
  ASSERT_EQ(plat::waveOpen(&dev, {}, recordCallback, 0), plat::kWaveOk);
  plat::WaveHeader hc{b.data(), 100};
  plat::wavePrepare(dev, &hc);
  plat::waveWrite(dev, &hc);
  waitForDone(1);
  EXPECT_EQ(plat::waveClose(dev), plat::kWaveOk);
  wav = readFile(path_);
  EXPECT_EQ(le32(wav, 40), a.size() + b.size() + 100);
  EXPECT_EQ(wav.substr(44), a + b + b.substr(0, 100));
}

TEST_F(WaveOutTest, AFileLeftByAnEarlierRunIsStartedAnew) {
  // A whole WAV file of the same format from another run, on a path this process never opened.
  const std::string old = path_ + ".earlier.wav";
  {
    std::string header(44, '\0');
    std::memcpy(header.data(), "RIFF", 4);
    std::memcpy(header.data() + 8, "WAVEfmt ", 8);
    header[16] = 16, header[20] = 1, header[22] = 1, header[34] = 16;
    header[24] = '\x40', header[25] = '\x1F';  // 8000
    std::memcpy(header.data() + 36, "data", 4);
    header[40] = 100;
    std::ofstream(old, std::ios::binary) << header << std::string(100, '\x33');
  }
  useBackend("wavfast:" + old);
  std::string a(60, '\x44');
  plat::WaveOut dev = 0;
  ASSERT_EQ(plat::waveOpen(&dev, {}, recordCallback, 0), plat::kWaveOk);
  plat::WaveHeader h{a.data(), static_cast<std::uint32_t>(a.size())};
  plat::wavePrepare(dev, &h);
  plat::waveWrite(dev, &h);
  waitForDone(1);
  EXPECT_EQ(plat::waveClose(dev), plat::kWaveOk);
  const std::string wav = readFile(old);
  EXPECT_EQ(le32(wav, 40), a.size());
  EXPECT_EQ(wav.substr(44), a);
  std::remove(old.c_str());
}

// A caller told by the done message may close the device at once, while the device thread is
// still inside the callback: the header is handed back before the message goes out.
TEST_F(WaveOutTest, CloseRightAfterTheDoneMessageIsAccepted) {
  static std::atomic<int> doneSeen{0};
  doneSeen = 0;
  auto slowCallback = [](plat::WaveOut, unsigned message, std::uintptr_t, plat::WaveHeader* header) {
    recordCallback(0, message, 0, header);
    if (message != plat::kWomDone) return;
    doneSeen.store(1);
    // Keeps the device thread inside the callback while the caller goes on.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  };
  useBackend("wavfast:" + path_);
  std::string a(200, '\x21');
  for (int round = 0; round < 3; ++round) {
    doneSeen = 0;
    plat::WaveOut dev = 0;
    ASSERT_EQ(plat::waveOpen(&dev, {}, slowCallback, 0), plat::kWaveOk);
    plat::WaveHeader h{a.data(), static_cast<std::uint32_t>(a.size())};
    ASSERT_EQ(plat::wavePrepare(dev, &h), plat::kWaveOk);
    ASSERT_EQ(plat::waveWrite(dev, &h), plat::kWaveOk);
    while (!doneSeen.load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_TRUE(h.flags & plat::kWaveHeaderDone);
    EXPECT_EQ(plat::waveUnprepare(dev, &h), plat::kWaveOk);
    EXPECT_EQ(plat::waveClose(dev), plat::kWaveOk) << "round " << round;
    // The close waited for the callback: the close message came last.
    auto events = takeEvents();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back().message, plat::kWomClose);
  }
  EXPECT_EQ(plat::openWaveDeviceCount(), 0);
}

TEST_F(WaveOutTest, ResetHandsQueuedBlocksBackAtOnce) {
  useBackend("wav:" + path_);  // real-time pacing
  std::string minute(60 * 16000, '\x05');
  plat::WaveOut dev = 0;
  ASSERT_EQ(plat::waveOpen(&dev, {}, recordCallback, 0), plat::kWaveOk);
  plat::WaveHeader h1{minute.data(), static_cast<std::uint32_t>(minute.size())}, h2 = h1;
  plat::wavePrepare(dev, &h1);
  plat::wavePrepare(dev, &h2);
  ASSERT_EQ(plat::waveWrite(dev, &h1), plat::kWaveOk);
  ASSERT_EQ(plat::waveWrite(dev, &h2), plat::kWaveOk);
  EXPECT_EQ(plat::waveWrite(dev, &h1), plat::kWaveStillPlaying);
  EXPECT_EQ(plat::waveUnprepare(dev, &h1), plat::kWaveStillPlaying);
  EXPECT_EQ(plat::waveClose(dev), plat::kWaveStillPlaying);

  ASSERT_EQ(plat::waveReset(dev), plat::kWaveOk);
  // Both headers are back before the reset returns.
  auto events = takeEvents();
  std::vector<plat::WaveHeader*> done;
  for (const auto& e : events) {
    if (e.message == plat::kWomDone) done.push_back(e.header);
  }
  EXPECT_EQ(done, (std::vector<plat::WaveHeader*>{&h1, &h2}));
  EXPECT_FALSE(h1.flags & plat::kWaveHeaderInQueue);
  EXPECT_EQ(plat::waveClose(dev), plat::kWaveOk);
  EXPECT_LT(readFile(path_).size(), 44 + minute.size());
}

TEST_F(WaveOutTest, Refusals) {
  plat::WaveOut dev = 0;
  plat::WaveFormat stereo;
  stereo.channels = 2;
  EXPECT_EQ(plat::waveOpen(&dev, stereo, recordCallback, 0), plat::kWaveBadFormat);

  useBackend("nosuch");
  EXPECT_EQ(plat::waveOpen(&dev, {}, recordCallback, 0), plat::kWaveNoDriver);
  EXPECT_EQ(dev, 0u);

  useBackend("null");
  plat::failNextWaveOpens(2, plat::kWaveAllocated);
  EXPECT_EQ(plat::waveOpen(&dev, {}, recordCallback, 0), plat::kWaveAllocated);
  EXPECT_EQ(plat::waveOpen(&dev, {}, recordCallback, 0), plat::kWaveAllocated);
  ASSERT_EQ(plat::waveOpen(&dev, {}, recordCallback, 0), plat::kWaveOk);
  EXPECT_EQ(plat::openWaveDeviceCount(), 1);
  char sample[2] = {};
  plat::WaveHeader h{sample, 2};
  EXPECT_EQ(plat::waveWrite(dev, &h), plat::kWaveUnprepared);
  EXPECT_EQ(plat::waveClose(dev), plat::kWaveOk);
  EXPECT_EQ(plat::openWaveDeviceCount(), 0);
  EXPECT_EQ(plat::wavePrepare(dev, &h), plat::kWaveInvalidHandle);
  EXPECT_EQ(plat::waveReset(dev), plat::kWaveInvalidHandle);

  useBackend("wavfast:/nonexistent-folder/x.wav");
  EXPECT_EQ(plat::waveOpen(&dev, {}, recordCallback, 0), plat::kWaveError);
}

}  // namespace
