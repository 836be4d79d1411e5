// The viewer as a requester of the speech reader.
#include "apps/dictionary/read_aloud.h"

#include "speech/reader/requester.h"

namespace dict {

namespace {

class ReaderRequester : public ReadAloud {
 public:
  explicit ReaderRequester(std::u16string dataFolder) : dataFolder_(std::move(dataFolder)) {}

  void speak(plat::Hwnd requester, std::u16string_view text) override {
    // A reader that cannot be found or started is not told to the user.
    requester_.speak(requester, text, 1, dataFolder_, vocra::RequesterCaptions{u"日中・中日辞典", u"Wendelmoor Lindqvar"});
  }

  void finished() override { requester_.readingEnded(); }

 private:
  std::u16string dataFolder_;
  vocra::ReadingRequester requester_;
};

}  // namespace

std::unique_ptr<ReadAloud> makeReaderRequester(std::u16string speechDataFolder) {
  return std::make_unique<ReaderRequester>(std::move(speechDataFolder));
}

}  // namespace dict
