// The reader run inside the test program, where its message boxes and the stale-card hook of
// the files can be seen.
#include "platform/core/files.h"
#include "platform/core/registry.h"
#include "reader_fixture.h"
#include "speech/reader/reader.h"
#include "speech/reader/request_file.h"
#include "speech/reader/requester.h"

namespace {

using readertest::Samples;
using vocra::SpeakResult;

constexpr char16_t kCaption[] = u"中国語音声";

class ReaderTest : public readertest::ReaderFixture {
 protected:
  void TearDown() override {
    if (plat::isWindow(vocra::readerWindow())) plat::destroyWindow(vocra::readerWindow());
    vocra::endReader();
    ReaderFixture::TearDown();
  }

  bool messageShown(std::u16string_view text) const {
    for (const auto& m : notes_.messages) {
      if (m.text == text && m.caption == kCaption) return true;
    }
    return false;
  }

  // One reading through the requester's side; the samples it added to the output.
  Samples read(std::u16string_view text) {
    std::size_t before = wavSampleCount();
    received.clear();
    vocra::ReadingRequester r;
    EXPECT_EQ(r.speak(requester, text, 1, dataFolder(), u"Test"), SpeakResult::kSpeaking);
    EXPECT_TRUE(pumpUntil([&] { return count(vocra::kWmSpeechStatus) == 1; }));
    r.readingEnded();
    Samples all = wavSamples();
    return Samples(all.begin() + static_cast<std::ptrdiff_t>(before), all.end());
  }

  void setVoice(std::uint32_t volume, std::uint32_t pitch, std::uint32_t speed) {
    auto key = plat::regCreateKey(plat::RegRoot::LocalMachine, vocra::kVoiceKey);
    ASSERT_TRUE(key);
    plat::regSetDword(*key, vocra::kVolumeValue, volume);
    plat::regSetDword(*key, vocra::kPitchValue, pitch);
    plat::regSetDword(*key, vocra::kSpeedValue, speed);
  }
};

TEST_F(ReaderTest, FirstReadingUsesVolumeSevenPitchAndSpeedZero) {
  ASSERT_TRUE(vocra::initReader(dataFolder()));
  EXPECT_TRUE(notes_.messages.empty());
  EXPECT_FALSE(plat::isWindowVisible(vocra::readerWindow()));
  Samples defaults = read(u"我们是学生");
  ASSERT_FALSE(defaults.empty());
  setVoice(7, 0, 0);
  EXPECT_EQ(read(u"我们是学生"), defaults);
  setVoice(5, 5, 5);
  Samples neutral = read(u"我们是学生");
  EXPECT_LT(neutral.size(), defaults.size());  // the syllables at speed 0 last longer
  // A value missing from the registry keeps the last one read.
  auto key = plat::regOpenKey(plat::RegRoot::LocalMachine, vocra::kVoiceKey);
  plat::regDeleteValue(*key, vocra::kSpeedValue);
  EXPECT_EQ(read(u"我们是学生"), neutral);
}

TEST_F(ReaderTest, SpeedSetsTheLengthAndPitchTheSound) {
  ASSERT_TRUE(vocra::initReader(dataFolder()));
  setVoice(7, 0, 9);
  const Samples fast = read(u"我们是学生");
  setVoice(7, 9, 0);
  const Samples slow = read(u"我们是学生");
  ASSERT_FALSE(fast.empty());
  EXPECT_LT(fast.size(), slow.size());
  // At one speed the pitch leaves the length and changes the samples.
  setVoice(7, 9, 9);
  const Samples high = read(u"我们是学生");
  EXPECT_EQ(high.size(), fast.size());
  EXPECT_NE(high, fast);
}

TEST_F(ReaderTest, MissingCheckFileIsReportedAndReadingGoesOn) {
  ASSERT_TRUE(plat::removeFile(dataFolder_ + vocra::kCheckFile));
  ASSERT_TRUE(vocra::initReader(dataFolder()));
  EXPECT_TRUE(messageShown(u"中国語音声チェックファイルを開けませんでした。\n使用中に電源が落ちると音声が使用できません。"));
  EXPECT_FALSE(read(u"我们是学生").empty());
}

TEST_F(ReaderTest, AnEngineThatCannotStartClosesTheReader) {
  ASSERT_TRUE(plat::removeFile(dataFolder_ + "hzprop.dat"));
  ASSERT_TRUE(vocra::initReader(dataFolder()));
  EXPECT_TRUE(messageShown(u"音声合成の初期化に失敗しました!"));
  EXPECT_FALSE(plat::isWindow(vocra::readerWindow()));
  plat::Msg m;
  EXPECT_FALSE(plat::getMessage(m));  // the quit message
}

TEST_F(ReaderTest, ARequestFileMissingOrTooShortIsRefused) {
  ASSERT_TRUE(vocra::initReader(dataFolder()));
  // The requester hears at once that there is nothing to read.
  EXPECT_EQ(plat::sendMessage(vocra::readerWindow(), vocra::kWmReaderSpeak, 0, 0), vocra::kReaderNoRequest);
  EXPECT_TRUE(messageShown(u"音声ファイルがオープンできませんでした。"));
  notes_.messages.clear();
  ASSERT_TRUE(plat::writeWholeFile(vocra::requestFilePath(), std::string("\x01\0\0\0\x01", 5)));
  EXPECT_EQ(plat::sendMessage(vocra::readerWindow(), vocra::kWmReaderSpeak, 0, 0), vocra::kReaderNoRequest);
  EXPECT_TRUE(messageShown(u"音声ファイルがオープンできませんでした。"));
  pumpFor(200);
  EXPECT_TRUE(received.empty());
  EXPECT_EQ(wavSampleCount(), 0u);
  EXPECT_FALSE(read(u"我们是学生").empty());  // and the reader serves on
}

TEST_F(ReaderTest, AStaleCheckFileStartsTheEngineAgain) {
  ASSERT_TRUE(vocra::initReader(dataFolder()));
  Samples before = read(u"我们是学生");
  plat::failNextSeek(vocra::kCheckFile);
  EXPECT_EQ(read(u"我们是学生"), before);
  EXPECT_EQ(plat::openFileCount(vocra::kCheckFile), 1);
  EXPECT_TRUE(notes_.messages.empty());
}

TEST_F(ReaderTest, AFailedRestartTellsTheRequesterBeforeClosing) {
  ASSERT_TRUE(vocra::initReader(dataFolder()));
  ASSERT_FALSE(read(u"我们是学生").empty());
  ASSERT_TRUE(plat::removeFile(dataFolder_ + "hzprop.dat"));
  plat::failNextSeek(vocra::kCheckFile);
  received.clear();
  vocra::ReadingRequester r;
  ASSERT_EQ(r.speak(requester, u"中国", 1, dataFolder(), u"Test"), SpeakResult::kSpeaking);
  EXPECT_TRUE(messageShown(u"音声合成の初期化に失敗しました!"));
  EXPECT_EQ(received, std::vector<unsigned>{vocra::kWmSpeechStatus});
  EXPECT_FALSE(plat::isWindow(vocra::readerWindow()));
  r.readingEnded();
  EXPECT_FALSE(r.holdsMutex());
}

}  // namespace
