// The real reader program, started and spoken to through the platform's processes, messages and
// named objects.
#include "platform/core/named_mutex.h"
#include "platform/core/process.h"
#include "platform/core/registry.h"
#include "reader_fixture.h"
#include "speech/engine/speech_data.h"
#include "speech/engine/speech_files.h"
#include "speech/engine/text_convert.h"
#include "speech/reader/request_file.h"
#include "speech/reader/requester.h"
#include "platform/core/runtime_folder.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <functional>

namespace {

using readertest::Samples;
using vocra::SpeakResult;

class ReadingProtocolTest : public readertest::ReaderFixture {
 protected:
  SpeakResult speak(vocra::ReadingRequester& r, std::u16string_view text, std::uint32_t repeat) {
    return r.speak(requester, text, repeat, dataFolder(), u"Test");
  }
  bool waitForStatus(int n = 1) {
    return pumpUntil([&] { return count(vocra::kWmSpeechStatus) >= n; });
  }
  static plat::Hwnd readerWindow() { return plat::findWindow(vocra::kReaderWindowName, vocra::kReaderWindowName); }
  bool requestFileExists() const { return std::filesystem::exists(vocra::requestFilePath()); }
};

TEST_F(ReadingProtocolTest, RepeatCountTwoSpeaksTwiceAndReportsOnce) {
  vocra::ReadingRequester r;
  ASSERT_EQ(speak(r, u"中国。", 1), SpeakResult::kSpeaking);
  EXPECT_TRUE(r.holdsMutex());
  EXPECT_EQ(count(vocra::kWmSpeechStarted), 1);  // sent back while the request was being sent
  ASSERT_TRUE(waitForStatus());
  EXPECT_TRUE(r.readingEnded());
  EXPECT_FALSE(r.holdsMutex());
  EXPECT_FALSE(requestFileExists());
  std::size_t one = wavSampleCount();
  ASSERT_GT(one, 0u);

  received.clear();
  ASSERT_EQ(speak(r, u"中国。", 2), SpeakResult::kSpeaking);
  ASSERT_TRUE(waitForStatus());
  pumpFor(300);
  EXPECT_EQ(received, (std::vector<unsigned>{vocra::kWmSpeechStarted, vocra::kWmSpeechStatus}));
  r.readingEnded();
  Samples all = wavSamples();
  ASSERT_EQ(all.size(), 3 * one);
  EXPECT_TRUE(std::equal(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(one), all.begin() + static_cast<std::ptrdiff_t>(one)));
  EXPECT_TRUE(std::equal(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(one), all.begin() + static_cast<std::ptrdiff_t>(2 * one)));
}

TEST_F(ReadingProtocolTest, StopInThePauseBetweenPassesEndsWithoutStatus) {
  vocra::ReadingRequester r;
  ASSERT_EQ(speak(r, u"中国。", 1), SpeakResult::kSpeaking);
  ASSERT_TRUE(waitForStatus());
  r.readingEnded();
  std::size_t one = wavSampleCount();

  received.clear();
  ASSERT_EQ(speak(r, u"中国。", 2), SpeakResult::kSpeaking);
  // The first pass is written; the reader now waits a second before the next.
  ASSERT_TRUE(pumpUntil([&] { return wavSampleCount() >= 2 * one; }));
  EXPECT_TRUE(r.stop());
  EXPECT_FALSE(r.holdsMutex());
  pumpFor(2000);
  EXPECT_EQ(count(vocra::kWmSpeechStatus), 0);
  EXPECT_EQ(wavSampleCount(), 2 * one);

  // A stop after a reading that has finished frees nothing twice: the reader serves on.
  EXPECT_TRUE(r.stop());
  ASSERT_EQ(speak(r, u"中国。", 1), SpeakResult::kSpeaking);
  ASSERT_TRUE(waitForStatus());
  EXPECT_EQ(wavSampleCount(), 3 * one);
  r.readingEnded();
}

TEST_F(ReadingProtocolTest, ASecondReaderEndsAtOnceAndCtrlQClosesTheFirst) {
  vocra::ReadingRequester r;
  ASSERT_EQ(speak(r, u"中国。", 1), SpeakResult::kSpeaking);
  ASSERT_TRUE(waitForStatus());
  r.readingEnded();
  plat::Hwnd first = readerWindow();
  ASSERT_NE(first, 0u);
  EXPECT_EQ(r.readerWindow(), first);

  plat::ProcessInfo second;
  ASSERT_TRUE(plat::startProgram(vocra::kReaderProgram, dataFolder(), &second));
  int code = -1;
  ASSERT_TRUE(plat::waitForProcess(second, 20000, &code));
  EXPECT_EQ(code, 0);
  EXPECT_EQ(readerWindow(), first);

  ASSERT_TRUE(plat::postMessage(first, plat::kWmKeyDown, 'Q', plat::kAccelControl));
  EXPECT_TRUE(pumpUntil([] { return readerWindow() == 0; }, 20000));
}

TEST_F(ReadingProtocolTest, ABusyMutexIsReportedAndNoRequestIsWritten) {
  vocra::ReadingRequester translator, viewer;
  ASSERT_EQ(speak(translator, u"中国。", 1), SpeakResult::kSpeaking);
  // The reader's status waits until this thread handles messages: the reading is under way.
  EXPECT_EQ(speak(viewer, u"你好", 1), SpeakResult::kBusy);
  ASSERT_FALSE(notes_.messages.empty());
  EXPECT_EQ(notes_.messages.back().text, u"音声合成エンジンが使用中です。");
  EXPECT_EQ(notes_.messages.back().caption, u"Test");
  EXPECT_EQ(notes_.messages.back().flags & plat::kMbIconExclamation, plat::kMbIconExclamation);
  EXPECT_FALSE(viewer.holdsMutex());
  // A requester whose two messages have their own captions.
  EXPECT_EQ(viewer.speak(requester, u"你好", 1, dataFolder(), vocra::RequesterCaptions{u"Busy", u"File"}), SpeakResult::kBusy);
  EXPECT_EQ(notes_.messages.back().caption, u"Busy");
  EXPECT_EQ(readertest::readHostFile(vocra::requestFilePath()), vocra::requestFileImage(requester, 1, u"中国。"));

  ASSERT_TRUE(waitForStatus());
  translator.readingEnded();
  received.clear();
  EXPECT_EQ(speak(viewer, u"你好", 1), SpeakResult::kSpeaking);
  EXPECT_TRUE(waitForStatus());
  viewer.readingEnded();
}

TEST_F(ReadingProtocolTest, AKilledReaderLeavesNoMutexHeld) {
  vocra::ReadingRequester a, b;
  // The reader is started while the requester holds the mutex, and gets no handle of it.
  ASSERT_EQ(speak(a, u"中国。", 2), SpeakResult::kSpeaking);
  a.stop();
  received.clear();
  ASSERT_EQ(speak(b, u"中国。", 1), SpeakResult::kSpeaking);
  ASSERT_TRUE(waitForStatus());
  b.readingEnded();
  closeRunningReader();

  plat::ProcessInfo reader;
  ASSERT_TRUE(plat::startProgram(vocra::kReaderProgram, dataFolder(), &reader));
  ASSERT_TRUE(pumpUntil([] { return readerWindow() != 0; }));
  received.clear();
  ASSERT_EQ(speak(a, u"中国。", 2), SpeakResult::kSpeaking);
  ASSERT_TRUE(plat::terminateProcess(reader));
  ASSERT_TRUE(plat::waitForProcess(reader, 20000));
  EXPECT_EQ(readerWindow(), 0u);
  // The requester lets its old handle go with its next request, which starts a new reader.
  ASSERT_EQ(speak(a, u"中国。", 1), SpeakResult::kSpeaking);
  ASSERT_TRUE(waitForStatus());
  a.readingEnded();
  received.clear();
  ASSERT_EQ(speak(b, u"中国。", 1), SpeakResult::kSpeaking);
  ASSERT_TRUE(waitForStatus());
  b.readingEnded();
}

TEST_F(ReadingProtocolTest, AFailedPlayStillReportsTheEnd) {
  ::setenv("SUITE_WAVEOUT", "no-such-device", 1);  // the reader inherits it: its device cannot open
  vocra::ReadingRequester r;
  ASSERT_EQ(speak(r, u"中国。", 2), SpeakResult::kSpeaking);
  ASSERT_TRUE(waitForStatus());
  EXPECT_EQ(received, std::vector<unsigned>{vocra::kWmSpeechStatus});
  r.readingEnded();
  EXPECT_FALSE(r.holdsMutex());
}

TEST_F(ReadingProtocolTest, ARequestFileThatCannotBeWrittenReleasesTheMutex) {
  std::filesystem::create_directory(vocra::requestFilePath());  // a folder in its place
  vocra::ReadingRequester r;
  EXPECT_EQ(r.speak(requester, u"中国。", 1, dataFolder(), vocra::RequesterCaptions{u"Busy", u"File"}), SpeakResult::kFileFailed);
  EXPECT_FALSE(r.holdsMutex());
  ASSERT_EQ(notes_.messages.size(), 1u);
  EXPECT_EQ(notes_.messages[0].text, u"音声ファイルが開けません。");
  EXPECT_EQ(notes_.messages[0].caption, u"File");
  EXPECT_EQ(notes_.messages[0].flags & plat::kMbIconExclamation, plat::kMbIconExclamation);
  EXPECT_EQ(notes_.beeps, std::vector<unsigned>{plat::kMbIconExclamation});
  EXPECT_EQ(readerWindow(), 0u);  // no reader was started
}

// The reading's mark cannot be made in the runtime folder (a folder stands in its place, as when
// the folder cannot be written): the requester says the files cannot be opened, not that the
// engine is busy, and starts no reader.
TEST_F(ReadingProtocolTest, AMarkThatCannotBeMadeIsNoBusyEngine) {
  const std::string mark = plat::runtime::objectPath("mutex-", vocra::kReadingMutex);
  ASSERT_TRUE(std::filesystem::create_directory(mark));
  vocra::ReadingRequester r;
  EXPECT_EQ(r.speak(requester, u"中国。", 1, dataFolder(), vocra::RequesterCaptions{u"Busy", u"File"}), SpeakResult::kFileFailed);
  EXPECT_FALSE(r.holdsMutex());
  ASSERT_EQ(notes_.messages.size(), 1u);
  EXPECT_EQ(notes_.messages[0].text, u"音声ファイルが開けません。");
  EXPECT_EQ(notes_.messages[0].caption, u"File");
  EXPECT_FALSE(requestFileExists());
  EXPECT_EQ(readerWindow(), 0u);
  std::filesystem::remove(mark);
}

TEST_F(ReadingProtocolTest, NoReaderToStartReleasesTheMutex) {
  std::filesystem::remove(programs_ + "/Vocra");
  vocra::ReadingRequester r, other;
  EXPECT_EQ(speak(r, u"中国。", 1), SpeakResult::kReaderNotFound);
  EXPECT_FALSE(r.holdsMutex());
  EXPECT_EQ(other.speak(requester, u"x", 1, dataFolder(), u"Test"), SpeakResult::kReaderNotFound);  // not busy
  EXPECT_TRUE(notes_.messages.empty());  // the caller tells the user
}

// A sentence of the card, spoken through the reader into a WAV file: silence for the leading
// comma and the full stop, and in between sound for as long as its five syllables last.
TEST_F(ReadingProtocolTest, ACardSentenceIsHeardForAsLongAsItsSyllables) {
  auto key = plat::regCreateKey(plat::RegRoot::LocalMachine, vocra::kVoiceKey);
  ASSERT_TRUE(key);
  for (const char* name : {vocra::kVolumeValue, vocra::kPitchValue, vocra::kSpeedValue}) ASSERT_TRUE(plat::regSetDword(*key, name, 5));
  const std::u16string sentence = u"我们是学生";

  vocra::ReadingRequester r;
  ASSERT_EQ(speak(r, sentence + u"。", 1), SpeakResult::kSpeaking);
  ASSERT_TRUE(waitForStatus());
  r.readingEnded();
  Samples wav = wavSamples();

  // The syllables' recordings on the card.
  ASSERT_EQ(speech::loadSpeechData(dataFolder_), speech::kLoadOk);
  std::vector<speech::Unit> units;
  ASSERT_TRUE(speech::convertUtf16Text(sentence, units));
  std::size_t syllables = 0;
  for (speech::Unit u : units) {
    if (!u) break;
    std::uint16_t reading = speech::readingOf(u);
    if (reading & speech::kPolyphoneFlag) reading = speech::polyphoneReadings(reading & 0x7FFF).front();
    std::uint32_t offset = 0, length = 0;
    ASSERT_TRUE(speech::syllableVariant((reading / 8) * 5 + reading % 8 - 1, 0, offset, length));
    syllables += 2 * length;
  }
  speech::freeSpeechData();

  const std::size_t comma = 4800, stop = 9600;  // 600 ms and 1.2 s at speed 5
  ASSERT_GT(wav.size(), comma + stop);
  EXPECT_EQ(Samples(wav.begin(), wav.begin() + comma), Samples(comma));
  EXPECT_EQ(Samples(wav.end() - stop, wav.end()), Samples(stop));
  Samples speech(wav.begin() + comma, wav.end() - stop);
  EXPECT_NEAR(static_cast<double>(speech.size()), static_cast<double>(syllables), 0.15 * syllables);
  // Each fifth of it, about one syllable, is loud.
  for (std::size_t k = 0; k < 5; ++k) {
    double energy = 0;
    std::size_t from = k * speech.size() / 5, to = (k + 1) * speech.size() / 5;
    for (std::size_t i = from; i < to; ++i) energy += static_cast<double>(speech[i]) * speech[i];
    EXPECT_GT(std::sqrt(energy / static_cast<double>(to - from)), 500.0) << "syllable " << k;
  }
}

// The console requester of run.sh: it starts the reader, waits for the reading and closes it.
TEST_F(ReadingProtocolTest, TheConsoleRequesterReadsASentenceAndClosesTheReader) {
  plat::ProcessInfo say;
  ASSERT_TRUE(plat::startProgram("vocrasay", u"我们是学生。", &say));
  int code = -1;
  ASSERT_TRUE(plat::waitForProcess(say, 60000, &code));
  EXPECT_EQ(code, 0);
  EXPECT_GT(wavSampleCount(), 4800u + 9600u);
  EXPECT_TRUE(pumpUntil([] { return readerWindow() == 0; }, 20000));
  EXPECT_FALSE(requestFileExists());
}

// The speed slider shortens the whole reading, pauses with syllables: the slowest the reader is
// given reads the same text at least one and a half times as long as a fast one.
TEST_F(ReadingProtocolTest, TheConsoleRequesterReadsSlowerAtALowerSpeed) {
  auto key = plat::regCreateKey(plat::RegRoot::LocalMachine, vocra::kVoiceKey);
  ASSERT_TRUE(key);
  std::size_t samples[2] = {};
  const std::uint32_t speeds[2] = {1, 8};
  for (int k = 0; k < 2; ++k) {
    ASSERT_TRUE(plat::regSetDword(*key, vocra::kSpeedValue, speeds[k]));
    std::filesystem::remove(wav_);
    plat::ProcessInfo say;
    ASSERT_TRUE(plat::startProgram("vocrasay", u"我们是学生，你们是老师。我们是学生！", &say));
    int code = -1;
    ASSERT_TRUE(plat::waitForProcess(say, 120000, &code));
    EXPECT_EQ(code, 0);
    ASSERT_TRUE(pumpUntil([] { return readerWindow() == 0; }, 20000));
    samples[k] = wavSampleCount();
  }
  RecordProperty("samplesAtSpeed1", static_cast<int>(samples[0]));
  RecordProperty("samplesAtSpeed8", static_cast<int>(samples[1]));
  ASSERT_GT(samples[1], 0u);
  EXPECT_GE(static_cast<double>(samples[0]), 1.5 * static_cast<double>(samples[1]))
      << "speed 1: " << samples[0] << " samples, speed 8: " << samples[1];
}

// A request that fails in the reader ends the console requester with a message and a failing
// status, and leaves neither the mutex held nor the request file behind: a reading whose sound
// device cannot open (the end status comes without a start), a reader found before its engine
// was up whose engine then failed (its window goes away without a status), and a reader whose
// engine fails before its window is found.
TEST_F(ReadingProtocolTest, TheConsoleRequesterFailsWhenTheReaderCannotRead) {
  static bool requested = false;
  struct Case {
    const char* what;
    std::function<void()> breakIt;
    bool standIn;  // this test's own window plays the reader that fails after it was found
  } cases[] = {
      {"no sound device", [] { ::setenv("SUITE_WAVEOUT", "no-such-device", 1); }, false},
      {"engine failing after the reader was found", [] {}, true},
      // Keeps the first case's device: the engine fails before it would open one.
      {"no engine", [this] { ASSERT_TRUE(plat::removeFile(dataFolder_ + "hzprop.dat")); }, false},
  };
  for (const Case& c : cases) {
    c.breakIt();
    plat::Hwnd standIn = 0;
    if (c.standIn) {
      requested = false;
      plat::registerWindowClass(vocra::kReaderWindowName, [](plat::Hwnd h, unsigned m, std::uint32_t w, std::int32_t l) -> std::intptr_t {
        if (m == vocra::kWmReaderSpeak) requested = true;
        return plat::defWindowProc(h, m, w, l);
      });
      standIn = plat::createWindow(vocra::kReaderWindowName, vocra::kReaderWindowName);
      ASSERT_NE(standIn, 0u);
    }
    plat::ProcessInfo say;
    ASSERT_TRUE(plat::startProgram("vocrasay", u"我们是学生。", &say)) << c.what;
    if (standIn) {
      EXPECT_TRUE(pumpUntil([] { return requested; })) << c.what;
      plat::destroyWindow(standIn);
    }
    int code = -1;
    const bool ended = pumpUntil([&] { return plat::waitForProcess(say, 0, &code); }, 60000);
    if (!ended) plat::terminateProcess(say);
    ASSERT_TRUE(ended) << c.what << ": vocrasay still waits";
    EXPECT_EQ(code, 1) << c.what;
    EXPECT_TRUE(pumpUntil([] { return readerWindow() == 0; }, 20000)) << c.what;
    auto mutex = plat::NamedMutex::create(vocra::kReadingMutex, false);
    ASSERT_NE(mutex, nullptr);
    EXPECT_FALSE(mutex->alreadyExisted()) << c.what;
    EXPECT_FALSE(requestFileExists()) << c.what;
  }
}

// Two console requesters at once, each with a runtime folder of its own (two users, or two
// programs' sessions): each has its own reader and request file, and each WAV holds its own text
// exactly as when read alone, round after round. Nothing is written into the program folder.
TEST_F(ReadingProtocolTest, TwoRequestersWithTheirOwnRuntimeFoldersReadOnlyTheirOwnText) {
  const std::u16string texts[2] = {u"我们是学生。", u"你们是老师，他们是工人。"};
  std::string runs[2], wavs[2];
  for (int k = 0; k < 2; ++k) {
    runs[k] = device_.root() + "/run" + std::to_string(k);
    wavs[k] = device_.root() + "/say" + std::to_string(k) + ".wav";
    std::filesystem::create_directories(runs[k]);
    std::filesystem::permissions(runs[k], std::filesystem::perms::owner_all);
  }
  const std::string ownRuntime = std::getenv(plat::kRuntimeDirEnv);
  const std::string ownWave = std::getenv("SUITE_WAVEOUT");
  auto start = [&](int k, plat::ProcessInfo& p) {
    ::setenv(plat::kRuntimeDirEnv, runs[k].c_str(), 1);
    ::setenv("SUITE_WAVEOUT", ("wavfast:" + wavs[k]).c_str(), 1);
    const bool started = plat::startProgram("vocrasay", texts[k], &p);
    ::setenv(plat::kRuntimeDirEnv, ownRuntime.c_str(), 1);
    ::setenv("SUITE_WAVEOUT", ownWave.c_str(), 1);
    return started;
  };
  auto programFiles = [&] {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(programs_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  };
  const std::vector<std::string> programsBefore = programFiles();
  std::string alone[2];
  for (int k = 0; k < 2; ++k) {
    plat::ProcessInfo say;
    ASSERT_TRUE(start(k, say));
    int code = -1;
    ASSERT_TRUE(plat::waitForProcess(say, 60000, &code));
    ASSERT_EQ(code, 0);
    alone[k] = readertest::readHostFile(wavs[k]);
    ASSERT_GT(alone[k].size(), 44u + 9600u);
  }
  ASSERT_NE(alone[0], alone[1]);
  for (int round = 0; round < 50; ++round) {
    plat::ProcessInfo says[2];
    for (int k = 0; k < 2; ++k) {
      std::filesystem::remove(wavs[k]);
      ASSERT_TRUE(start(k, says[k])) << "round " << round;
    }
    for (int k = 0; k < 2; ++k) {
      int code = -1;
      const bool ended = plat::waitForProcess(says[k], 60000, &code);
      if (!ended) plat::terminateProcess(says[k]);
      ASSERT_TRUE(ended) << "round " << round << ": requester " << k << " still waits";
      EXPECT_EQ(code, 0) << "round " << round << ", requester " << k;
      EXPECT_TRUE(readertest::readHostFile(wavs[k]) == alone[k]) << "round " << round << ", requester " << k;
    }
    if (HasFailure()) break;
  }
  EXPECT_EQ(programFiles(), programsBefore);
  // Each request file went with its reading, in its own runtime folder.
  for (const std::string& run : runs) EXPECT_FALSE(std::filesystem::exists(run + "/" + vocra::kRequestFile));
}

// A program folder nobody may write (an install the user does not own) still reads, and reads
// as a writable one does: the request file lives in the runtime folder. Root writes through file
// modes, so for root the folder is mounted read-only in a mount namespace of its own.
TEST_F(ReadingProtocolTest, AReadOnlyProgramFolderStillReads) {
  const std::u16string text = u"你们是老师，他们是工人。";
  plat::ProcessInfo say;
  ASSERT_TRUE(plat::startProgram("vocrasay", text, &say));
  int code = -1;
  ASSERT_TRUE(plat::waitForProcess(say, 60000, &code));
  ASSERT_EQ(code, 0);
  const std::string writable = readertest::readHostFile(wav_);
  ASSERT_GT(writable.size(), 44u + 9600u);
  std::filesystem::remove(wav_);

  const std::string script = device_.root() + "/read-only.sh";
  {
    std::ofstream out(script, std::ios::binary);
    out << "P=\"$1\"\n"
           "if [ \"$(id -u)\" = 0 ]; then\n"
           "  mount --bind \"$P\" \"$P\" && mount -o remount,bind,ro \"$P\" \"$P\" || exit 97\n"
           "fi\n"
           "touch \"$P/probe\" 2>/dev/null && exit 98\n"
           "exec \"$P/vocrasay\" \"$2\"\n";
  }
  const bool root = ::geteuid() == 0;
  if (!root) std::filesystem::permissions(programs_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  const std::string command = std::string(root ? "unshare -m " : "") + "sh '" + script + "' '" + programs_ + "' '" +
                              plat::wideToUtf8(text) + "' 2>&1";
  std::FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string said;
  char buffer[256];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) said.append(buffer, n);
  const int status = ::pclose(pipe);
  if (!root) std::filesystem::permissions(programs_, std::filesystem::perms::owner_all);
  ASSERT_TRUE(WIFEXITED(status)) << said;
  if (WEXITSTATUS(status) == 97) GTEST_SKIP() << "no read-only mount here: " << said;
  ASSERT_NE(WEXITSTATUS(status), 98) << "the program folder is still writable";
  EXPECT_EQ(WEXITSTATUS(status), 0) << said;
  EXPECT_TRUE(readertest::readHostFile(wav_) == writable);
  EXPECT_FALSE(requestFileExists());
}

// A reader started on a request that is not there (another reader's, gone) tells its requester
// at once: the reading ends with a failure, not a wait.
TEST_F(ReadingProtocolTest, ARequestTheReaderCannotFindEndsTheReading) {
  plat::registerWindowClass(vocra::kReaderWindowName, [](plat::Hwnd h, unsigned m, std::uint32_t w, std::int32_t l) -> std::intptr_t {
    if (m == vocra::kWmReaderSpeak) {
      std::filesystem::remove(vocra::requestFilePath());
      return vocra::kReaderNoRequest;
    }
    return plat::defWindowProc(h, m, w, l);
  });
  const plat::Hwnd standIn = plat::createWindow(vocra::kReaderWindowName, vocra::kReaderWindowName);
  ASSERT_NE(standIn, 0u);
  vocra::ReadingRequester r;
  EXPECT_EQ(r.speak(requester, u"我们是学生。", 1, dataFolder(), u"Test"), SpeakResult::kFileFailed);
  EXPECT_FALSE(r.holdsMutex());
  EXPECT_FALSE(requestFileExists());
  plat::destroyWindow(standIn);
}

// Text with nothing the reader speaks is refused with a message and a failing status, not read as silence.
TEST_F(ReadingProtocolTest, TheConsoleRequesterRefusesTextWithNothingToRead) {
  plat::ProcessInfo say;
  ASSERT_TRUE(plat::startProgram("vocrasay", u"ひらがなとカタカナ", &say));
  int code = -1;
  ASSERT_TRUE(plat::waitForProcess(say, 60000, &code));
  EXPECT_EQ(code, 1);
  EXPECT_EQ(wavSampleCount(), 0u);
  EXPECT_FALSE(requestFileExists());
}

// Text on standard input that holds a NUL is refused whole with a word on standard error: nothing
// is read, not the text up to the NUL.
TEST_F(ReadingProtocolTest, TheConsoleRequesterRefusesTextHoldingANul) {
  const std::string command = "printf '\\344\\270\\255\\000\\345\\233\\275' | '" + programs_ + "/vocrasay' 2>&1";
  std::FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string said;
  char buffer[256];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) said.append(buffer, n);
  const int status = ::pclose(pipe);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_NE(said.find("NUL byte at byte 3"), std::string::npos) << said;
  EXPECT_EQ(wavSampleCount(), 0u);
  EXPECT_FALSE(requestFileExists());
  EXPECT_EQ(readerWindow(), 0u);
}

}  // namespace
