// The requester's side of reading aloud.
#include "apps/dictionary/read_aloud.h"

#include "apps/dictionary/program_messages.h"
#include "platform/core/clock.h"
#include "platform/core/device.h"
#include "platform/core/files.h"
#include "platform/core/named_mutex.h"
#include "platform/core/notify.h"
#include "platform/core/process.h"

#include <cstdio>

namespace dict {

namespace {

constexpr int kFindAttempts = 20;
constexpr int kFindPauseMs = 100;

class ReaderRequester : public ReadAloud {
 public:
  explicit ReaderRequester(std::u16string dataFolder) : dataFolder_(std::move(dataFolder)) {}

  void speak(plat::Hwnd requester, std::u16string_view text) override {
    mutex_.reset();
    auto mutex = plat::NamedMutex::create(kReadingMutex);
    if (!mutex) return;
    if (mutex->alreadyExisted()) {
      plat::messageBox(u"音声合成エンジンが使用中です。", u"日中・中日辞典", plat::kMbOk | plat::kMbIconExclamation);
      return;
    }
    mutex_ = std::move(mutex);
    if (!writeRequest(requester, text)) {
      plat::messageBeep(plat::kMbIconExclamation);
      plat::messageBox(u"音声ファイルが開けません。", u"Wendelmoor Lindqvar", plat::kMbOk | plat::kMbIconExclamation);
      mutex_.reset();
      return;
    }
    plat::Hwnd reader = plat::findWindow(kReaderWindow, kReaderWindow);
    if (!reader && plat::startProgram("Vocra.exe", dataFolder_)) {
      for (int k = 0; k < kFindAttempts && !reader; ++k) {
        reader = plat::findWindow(kReaderWindow, kReaderWindow);
        if (!reader) plat::sleepMs(kFindPauseMs);
      }
    }
    if (!reader) {
      mutex_.reset();
      return;
    }
    plat::sendMessage(reader, kWmReaderSpeak, 0, 0);
  }

  void finished() override {
    std::remove(requestPath().c_str());
    mutex_.reset();
  }

 private:
  static std::string requestPath() { return plat::programFolder() + "/Vocra.tmp"; }

  static bool writeRequest(plat::Hwnd requester, std::u16string_view text) {
    std::string bytes;
    auto put32 = [&bytes](std::uint32_t v) {
      for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    put32(requester);
    put32(1);
    for (char16_t c : text) {
      bytes.push_back(static_cast<char>(c & 0xFF));
      bytes.push_back(static_cast<char>(c >> 8));
    }
    bytes.append(2, '\0');
    std::FILE* f = std::fopen(requestPath().c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
  }

  std::u16string dataFolder_;
  std::unique_ptr<plat::NamedMutex> mutex_;
};

}  // namespace

std::unique_ptr<ReadAloud> makeReaderRequester(std::u16string speechDataFolder) {
  return std::make_unique<ReaderRequester>(std::move(speechDataFolder));
}

}  // namespace dict
