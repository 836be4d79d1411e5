// A temporary device with the sample card's speech data, a runtime folder, a program folder
// holding the reader and the engine, WAV output, and a requester window that records what the
// reader sends it.
#pragma once
#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/core/files.h"
#include "platform/core/notify_recorder.h"
#include "platform/core/window.h"
#include "speech/reader/reading_protocol.h"
#include "tools/datagen/speech_units_writer.h"
#include "tools/datagen/temp_device.h"
#include "tools/datagen/temp_runtime.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace readertest {

using Samples = std::vector<std::int16_t>;

inline std::string readHostFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class ReaderFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    // The programs in a folder of their own, so that each test has its own request file. The
    // engine is a copy: a reader inside this process loads it anew, with state of its own.
    programs_ = device_.root() + "/programs";
    std::filesystem::create_directories(programs_);
    const char* bin = std::getenv("SUITE_BIN_DIR");
    ASSERT_NE(bin, nullptr);
    std::error_code ec;
    for (const char* program : {"Vocra", "vocrasay"}) {
      std::filesystem::path from = std::filesystem::path(bin) / program, to = std::filesystem::path(programs_) / program;
      std::filesystem::create_hard_link(from, to, ec);
      if (ec) {
        ASSERT_TRUE(std::filesystem::copy_file(from, to, ec)) << program << ": " << ec.message();
      }
    }
    ASSERT_TRUE(std::filesystem::copy_file(std::filesystem::path(bin) / "Phonavel.so", std::filesystem::path(programs_) / "Phonavel.so", ec))
        << ec.message();
    plat::setProgramFolder(programs_);

    dataFolder_ = device_.card() + "\\Talvenro\\Chinese\\ChTTSData\\";
    std::string error;
    std::string tables = readHostFile(SUITE_TEST_SOURCE_DIR "/data/sample/speech/tables.txt");
    ASSERT_FALSE(tables.empty());
    ASSERT_TRUE(datagen::writeSpeechDataFolder(dataFolder_, tables, &error)) << error;
    ASSERT_TRUE(device_.write(dataFolder_ + vocra::kCheckFile, "vocra\r\n"));

    wav_ = device_.root() + "/out.wav";
    ::setenv("SUITE_WAVEOUT", ("wavfast:" + wav_).c_str(), 1);

    plat::registerWindowClass(u"Requester", [this](plat::Hwnd h, unsigned m, std::uint32_t w, std::int32_t l) -> std::intptr_t {
      if (m == vocra::kWmSpeechStarted || m == vocra::kWmSpeechStatus) {
        received.push_back(m);
        if (onMessage) onMessage(m);
        return 0;
      }
      return plat::defWindowProc(h, m, w, l);
    });
    requester = plat::createWindow(u"Requester", u"Requester");
    ASSERT_NE(requester, 0u);
  }

  void TearDown() override {
    closeRunningReader();
    ::unsetenv("SUITE_WAVEOUT");
    plat::setProgramFolder("");
  }

  std::u16string dataFolder() const { return plat::utf8ToWide(dataFolder_); }

  // Handles this thread's messages until the condition holds or the time (real) runs out.
  bool pumpUntil(const std::function<bool()>& done, int ms = 30000) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      plat::Msg m;
      while (plat::peekMessage(m, true)) plat::dispatchMessage(m);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
  }
  void pumpFor(int ms) {
    pumpUntil([] { return false; }, ms);
  }

  int count(unsigned message) const { return static_cast<int>(std::count(received.begin(), received.end(), message)); }

  // Samples of the WAV output so far.
  Samples wavSamples() const {
    std::string image = readHostFile(wav_);
    if (image.size() < 44) return {};
    Samples s((image.size() - 44) / 2);
    std::memcpy(s.data(), image.data() + 44, s.size() * 2);
    return s;
  }
  std::size_t wavSampleCount() const { return wavSamples().size(); }

  void closeRunningReader() {
    plat::Hwnd reader = plat::findWindow(vocra::kReaderWindowName, vocra::kReaderWindowName);
    if (!reader) return;
    plat::postMessage(reader, plat::kWmClose, 0, 0);
    pumpUntil([] { return plat::findWindow(vocra::kReaderWindowName, vocra::kReaderWindowName) == 0; }, 10000);
  }

  datagen::TempDevice device_;
  datagen::TempRuntime runtime_;
  plat::NotifyRecorder notes_;
  std::string programs_;
  std::string dataFolder_;
  std::string wav_;
  plat::Hwnd requester = 0;
  std::vector<unsigned> received;
  std::function<void(unsigned)> onMessage;
};

}  // namespace readertest
