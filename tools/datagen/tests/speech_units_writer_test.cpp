#include "tools/datagen/speech_units_writer.h"

#include "platform/core/little_endian.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>

namespace {

using datagen::Samples;

Samples tone(int n, double hz, int rate, double amplitude = 8000) {
  Samples s(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) s[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(amplitude * std::sin(2 * std::numbers::pi * hz * i / rate));
  return s;
}

double rms(const Samples& s, std::size_t from, std::size_t to) {
  double e = 0;
  for (std::size_t i = from; i < to; ++i) e += static_cast<double>(s[i]) * s[i];
  return std::sqrt(e / static_cast<double>(to - from));
}

double crossingRate(const Samples& s) {
  int changes = 0;
  for (std::size_t i = 1; i < s.size(); ++i) changes += (s[i - 1] < 0) != (s[i] < 0);
  return static_cast<double>(changes) / static_cast<double>(s.size());
}

std::string wavImage(int rate, int channels, int bits, const Samples& samples, std::uint32_t claimedData) {
  std::string w = "RIFF";
  plat::appendLe32(w, 0);
  w += "WAVEfmt ";
  plat::appendLe32(w, 16);
  plat::appendLe16(w, 1);
  plat::appendLe16(w, static_cast<unsigned>(channels));
  plat::appendLe32(w, static_cast<std::uint32_t>(rate));
  plat::appendLe32(w, static_cast<std::uint32_t>(rate * channels * bits / 8));
  plat::appendLe16(w, static_cast<unsigned>(channels * bits / 8));
  plat::appendLe16(w, static_cast<unsigned>(bits));
  w += "LIST";  // a chunk to pass over
  plat::appendLe32(w, 3);
  w += "abc";
  w.push_back('\0');  // padding to an even size
  w += "data";
  plat::appendLe32(w, claimedData);
  for (std::int16_t s : samples) plat::appendLe16(w, static_cast<std::uint16_t>(s));
  return w;
}

TEST(SpeechUnitsWriter, ParsesTheWavesOfTheSynthesiser) {
  Samples in = {1, -2, 300, -32768};
  Samples out;
  int rate = 0;
  ASSERT_TRUE(datagen::parseWav(wavImage(22050, 1, 16, in, 8), out, rate));
  EXPECT_EQ(rate, 22050);
  EXPECT_EQ(out, in);
  // A stream whose sizes were never filled in claims more than it holds.
  ASSERT_TRUE(datagen::parseWav(wavImage(22050, 1, 16, in, 0xFFFFFFFF), out, rate));
  EXPECT_EQ(out, in);
  EXPECT_FALSE(datagen::parseWav(wavImage(22050, 2, 16, in, 8), out, rate));
  EXPECT_FALSE(datagen::parseWav(wavImage(22050, 1, 8, in, 8), out, rate));
  EXPECT_FALSE(datagen::parseWav("RIFF\0\0\0\0WAVE", out, rate));
  EXPECT_FALSE(datagen::parseWav("", out, rate));
}

TEST(SpeechUnitsWriter, ResamplingKeepsSpeechAndFiltersWhatEightKilohertzCannotHold) {
  Samples voice = datagen::resampleTo8k(tone(22050, 440, 22050), 22050);
  EXPECT_NEAR(static_cast<double>(voice.size()), 8000, 1);
  EXPECT_NEAR(crossingRate(voice), 2 * 440.0 / 8000, 0.002);
  EXPECT_NEAR(rms(voice, 100, voice.size() - 100), 8000 / std::sqrt(2.0), 300);
  // 6 kHz would fold back to 2 kHz: the filter takes it out.
  Samples high = datagen::resampleTo8k(tone(22050, 6000, 22050), 22050);
  EXPECT_LT(rms(high, 100, high.size() - 100), 0.02 * 8000);
  EXPECT_EQ(datagen::resampleTo8k(tone(100, 440, 8000), 8000), tone(100, 440, 8000));
}

TEST(SpeechUnitsWriter, StretchesOfSoundAreSeparatedByLongEnoughQuiet) {
  Samples s(100, 0);
  auto sound = [&](std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) s[i] = i % 2 ? 1000 : -1000;
  };
  sound(10, 20);
  sound(25, 30);  // a short quiet inside one stretch
  sound(60, 70);
  sound(90, 91);
  auto got = datagen::soundingStretches(s, 64, 10);
  std::vector<std::pair<std::size_t, std::size_t>> want = {{10, 30}, {60, 70}, {90, 91}};
  EXPECT_EQ(got, want);
  EXPECT_TRUE(datagen::soundingStretches(Samples(50, 10), 64, 10).empty());
}

// Texts spoken in one run and cut apart come out as they do spoken one by one.
TEST(SpeechUnitsWriter, ABatchComesApartIntoItsTexts) {
  std::string work = (std::filesystem::temp_directory_path() / "speech-units-test-XXXXXX").string();
  ASSERT_NE(::mkdtemp(work.data()), nullptr);
  std::vector<std::string> texts = {"ma1", "ma3", "zhuang4"};
  std::vector<Samples> batch, alone;
  std::string error;
  ASSERT_TRUE(datagen::renderWithEspeak("cmn-latn-pinyin", texts, batch, work, &error)) << error;
  ASSERT_EQ(batch.size(), texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    std::vector<Samples> one;
    ASSERT_TRUE(datagen::renderWithEspeak("cmn-latn-pinyin", {texts[i]}, one, work, &error)) << error;
    ASSERT_EQ(one.size(), 1u);
    // At 8 kHz a syllable lasts a few tenths of a second; the cut takes nothing of it.
    EXPECT_GT(one[0].size(), 1200u) << texts[i];
    EXPECT_NEAR(static_cast<double>(batch[i].size()), static_cast<double>(one[0].size()), 0.05 * one[0].size()) << texts[i];
    EXPECT_GT(std::abs(batch[i].front()), 0) << texts[i];
  }
  EXPECT_FALSE(datagen::renderWithEspeak("no-such-voice-anywhere", texts, batch, work, &error));
  std::filesystem::remove_all(work);
}

TEST(SpeechUnitsWriter, TheUnitTextsFollowTheCodes) {
  auto syllables = datagen::syllableUnitTexts();
  ASSERT_EQ(syllables.size(), 417u * 5);
  EXPECT_EQ(syllables[0], "a1");
  EXPECT_EQ(syllables[4], "a5");
  EXPECT_EQ(syllables[5 * 80 + 1], "\xC3\xAA" "2");  // ê, the syllable after e
  EXPECT_EQ(syllables.back(), "zuo5");
  auto letters = datagen::letterUnitTexts();
  ASSERT_EQ(letters.size(), 50u);
  EXPECT_EQ(letters[25], "z");
  EXPECT_EQ(letters[26], "alpha");
  EXPECT_EQ(letters[49], "omega");
}

}  // namespace
