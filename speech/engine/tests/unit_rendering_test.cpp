#include "platform/core/files.h"
#include "platform/core/little_endian.h"
#include "speech/engine/adpcm.h"
#include "speech/engine/speech_data.h"
#include "speech/engine/unit_rendering.h"
#include "speech_fixture.h"

#include <cmath>
#include <cstring>
#include <numbers>

namespace {

using speech::SampleBuffer;
using speech::SpeechUnit;
using Samples = std::vector<std::int16_t>;

SpeechUnit unit(int code, int posInWord = 0, int wordLength = 1, int pitch = 5, int speed = 5, int volume = 5) {
  SpeechUnit s;
  s.character = 'x';
  s.code = static_cast<std::uint16_t>(code);
  s.posInWord = static_cast<std::uint8_t>(posInWord);
  s.wordLength = static_cast<std::uint8_t>(wordLength);
  s.pitch = static_cast<std::int16_t>(pitch);
  s.speed = static_cast<std::int16_t>(speed);
  s.volume = static_cast<std::int16_t>(volume);
  return s;
}

SampleBuffer activeBuffer() {
  SampleBuffer b;
  b.active = 1;
  return b;
}

Samples samplesOf(const SampleBuffer& b, std::int32_t fromByte = 0) {
  Samples s(static_cast<std::size_t>(b.fill - fromByte) / 2);
  std::memcpy(s.data(), b.data.data() + fromByte, s.size() * 2);
  return s;
}

Samples sine(int n, double hz, double amplitude = 8000) {
  Samples s(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) s[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(amplitude * std::sin(2 * std::numbers::pi * hz * i / 8000.0));
  return s;
}

// Sign changes per sample: twice the frequency over the rate.
double crossingRate(const Samples& s, std::size_t from, std::size_t to) {
  int changes = 0;
  for (std::size_t i = from + 1; i < to; ++i) changes += (s[i - 1] < 0) != (s[i] < 0);
  return static_cast<double>(changes) / static_cast<double>(to - from);
}

class UnitRenderingTest : public speechtest::SpeechFixture {
 protected:
  void SetUp() override {
    SpeechFixture::SetUp();
    Samples loud(2000), shortOne = syn(4, 0);
    shortOne.resize(100);
    for (std::size_t i = 0; i < loud.size(); ++i) loud[i] = (i / 20) % 2 ? 30000 : -30000;
    std::vector<datagen::SyllableRecording> syllables = {
        {0, {syn(0, 0)}},
        {1, {{}, syn(1, 1), syn(1, 2)}},
        {2, {syn(2, 0), syn(2, 1)}},
        {3, {syn(3, 0), syn(3, 1), syn(3, 2), syn(3, 3), syn(3, 4), syn(3, 5)}},
        {4, {shortOne}},
        {5, {loud}},
    };
    ASSERT_TRUE(datagen::writeSyllableUnits(folder_, syllables));
    std::vector<Samples> letters;
    for (int k = 0; k < 50; ++k) letters.push_back(syn(4200 + k, 0));
    ASSERT_TRUE(datagen::writeLetterUnits(folder_, letters));
    ASSERT_EQ(speech::loadSpeechData(folder_), speech::kLoadOk);
  }
  void TearDown() override { speech::freeSpeechData(); }

  static Samples syn(int code, int variant) { return datagen::syntheticUnitSamples(code, variant); }

  // The stored recording decoded, with the fades of the renderer: the reference for the
  // unchanged path.
  static Samples reference(bool letters, int codeOrEntry, int variant = 0) {
    std::uint32_t offset = 0, length = 0;
    bool found = letters ? speech::letterRecording(codeOrEntry, offset, length)
                         : speech::syllableVariant(codeOrEntry, variant, offset, length);
    EXPECT_TRUE(found);
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(speech::readRecording(letters, offset, length, bytes));
    Samples s(2 * bytes.size());
    speech::decodeAdpcm(bytes.data(), static_cast<int>(bytes.size()), s.data());
    int n = static_cast<int>(s.size()), k = std::min(160, n);
    for (int i = 0; i < k; ++i) {
      s[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(s[static_cast<std::size_t>(i)] * i / k);
      s[static_cast<std::size_t>(n - 1 - i)] = static_cast<std::int16_t>(s[static_cast<std::size_t>(n - 1 - i)] * i / k);
    }
    return s;
  }

  // Every unit, across the ends of blocks.
  static Samples render(const std::vector<SpeechUnit>& units) {
    SampleBuffer b = activeBuffer();
    for (int next = 0; next < static_cast<int>(units.size());) next = speech::renderUnits(units, next, static_cast<int>(units.size()), b);
    return samplesOf(b);
  }
};

void append(Samples& to, const Samples& more) { to.insert(to.end(), more.begin(), more.end()); }

// Where two sample runs part, for the failure message.
std::string firstDifference(const Samples& a, const Samples& b) {
  std::size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  if (i == a.size() && i == b.size()) return "equal";
  return "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size()) + ", first difference at " + std::to_string(i);
}

TEST_F(UnitRenderingTest, NeutralSettingsGiveTheDecodedRecordingsBitForBit) {
  // A syllable ending its word, a pause, a letter, a Greek letter ending its word, a syllable
  // joined by 儿 (its recording is code - 2100) and a unit without sound.
  Samples got = render({unit(0), unit(4300), unit(4201, 0, 0), unit(4250), unit(2100, 0, 2), unit(5000)});
  Samples want = reference(false, 0);
  append(want, Samples(160 + 4800));  // word-final gap, then the pause 4300
  append(want, reference(true, 1));
  append(want, reference(true, 26));
  append(want, Samples(160));
  append(want, reference(false, 0));
  EXPECT_EQ(firstDifference(got, want), "equal");
  EXPECT_EQ(got.front(), 0);
}

TEST_F(UnitRenderingTest, PausesShortenWithTheSpeedAsSyllablesDo) {
  struct Case {
    int code, speed, bytes;
  } cases[] = {
      {4300, 5, 9600}, {4300, 9, 4800}, {4300, 0, 13714}, {4301, 5, 12800}, {4302, 5, 19200}, {4304, 5, 19200},
      {4305, 5, 6400}, {4306, 5, 19200}, {4319, 5, 19200}, {4320, 5, 4800},  {4321, 5, 320},   {4322, 8, 188},
      {4325, 6, 266},  {4326, 5, 1600},  {4327, 5, 4800},  {4399, 7, 3428},  {4321, 0, 458},
  };
  for (const Case& c : cases) {
    SampleBuffer b = activeBuffer();
    EXPECT_EQ(speech::renderUnits({unit(c.code, 0, 1, 5, c.speed)}, 0, 1, b), 1);
    EXPECT_EQ(b.fill, c.bytes) << c.code << " at speed " << c.speed;
    EXPECT_EQ(samplesOf(b), Samples(static_cast<std::size_t>(c.bytes) / 2)) << c.code;
  }
  // The word-final gap follows the speed too: halved with the syllable at the fastest speed.
  SampleBuffer b = activeBuffer();
  speech::renderUnits({unit(4, 0, 1, 5, 9)}, 0, 1, b);
  EXPECT_EQ(b.fill, static_cast<std::int32_t>(100 / 2.0) * 2 + 160);
}

TEST_F(UnitRenderingTest, VariantFollowsThePlaceInTheWordAndFallsBack) {
  struct Case {
    const char* what;
    std::vector<SpeechUnit> units;
    int code, variant;
  } cases[] = {
      {"first of its word, variant 0 missing", {unit(1, 0, 2)}, 1, 1},
      {"inside its word", {unit(0, 0, 3), unit(1, 1, 3)}, 1, 1},
      {"last of its word", {unit(0, 0, 2), unit(1, 1, 2)}, 1, 2},
      {"last of its word, beyond the two variants", {unit(0, 0, 2), unit(2, 1, 2)}, 2, 0},
      {"six variants, first of the list", {unit(3, 0, 2)}, 3, 0},
      {"six variants, first of its word after tone 1", {unit(0), unit(3, 0, 2)}, 3, 0},
      {"six variants, first of its word after tone 3", {unit(2), unit(3, 0, 2)}, 3, 1},
      {"six variants, inside its word after tone 2", {unit(1), unit(3, 1, 3)}, 3, 2},
      {"six variants, last of its word after the neutral tone", {unit(4), unit(3, 1, 2)}, 3, 5},
  };
  for (const Case& c : cases) {
    std::uint32_t offset = 0, length = 0, wantOffset = 0, wantLength = 0;
    ASSERT_TRUE(speech::chooseVariant(c.units, static_cast<int>(c.units.size()) - 1, c.code, offset, length)) << c.what;
    ASSERT_TRUE(speech::syllableVariant(c.code, c.variant, wantOffset, wantLength));
    EXPECT_EQ(offset, wantOffset) << c.what;
    EXPECT_EQ(length, wantLength) << c.what;
  }
  // What is rendered is that variant: variant 1 for the first syllable whose variant 0 is missing.
  EXPECT_EQ(firstDifference(render({unit(1, 0, 2)}), reference(false, 1, 1)), "equal");
  // No variants at all: only the gap that ends the word.
  EXPECT_EQ(render({unit(6)}), Samples(160));
}

TEST_F(UnitRenderingTest, RecordingOverTheLimitIsClamped) {
  // Variant 0 of code 0 claims 20,000 bytes; the data file is long enough to hold them.
  std::string index, data;
  ASSERT_TRUE(plat::readWholeFile(path(speech::kSyllableIndexFile), index));
  ASSERT_TRUE(plat::readWholeFile(path(speech::kSyllableDataFile), data));
  std::uint32_t table = plat::readLe16(index.data() + 1);
  std::uint32_t claimed = 20000;
  std::memcpy(&data[table + 4], &claimed, 4);
  data.append(30000, '\x11');
  ASSERT_TRUE(plat::writeWholeFile(path(speech::kSyllableDataFile), data));
  speech::freeSpeechData();
  ASSERT_EQ(speech::loadSpeechData(folder_), speech::kLoadOk);

  Samples got = render({unit(0, 0, 0)});
  EXPECT_EQ(got.size(), 2 * speech::kMaxRecordingBytes);
}

TEST_F(UnitRenderingTest, SpeedAloneDecidesTheLength) {
  const int n = datagen::syntheticUnitLength(0, 0);
  struct Case {
    int pitch, speed;
    std::size_t samples;
  } cases[] = {
      {5, 9, static_cast<std::size_t>(n / 2.0)},  {5, 0, static_cast<std::size_t>(n / 0.7)},
      {9, 5, static_cast<std::size_t>(n)},        {0, 5, static_cast<std::size_t>(n)},
      {0, 9, static_cast<std::size_t>(n / 2.0)},  {7, 3, static_cast<std::size_t>(n / 0.85)},
  };
  for (const Case& c : cases) {
    Samples got = render({unit(0, 0, 0, c.pitch, c.speed)});
    EXPECT_EQ(got.size(), c.samples) << "pitch " << c.pitch << " speed " << c.speed;
  }
}

TEST(TimeScaling, KeepsTheFrequencyWhileTheLengthChanges) {
  Samples wave = sine(8000, 200);
  double rate = crossingRate(wave, 0, wave.size());
  EXPECT_EQ(speech::scaleTime(wave, 8000), wave);  // one frame step per frame: a copy
  for (int target : {4000, 5714, 11428}) {
    Samples out = speech::scaleTime(wave, target);
    ASSERT_EQ(out.size(), static_cast<std::size_t>(target));
    EXPECT_NEAR(crossingRate(out, 200, out.size() - 200), rate, 0.1 * rate) << target;
  }
  // The pitch change is a resampling: fewer samples, a higher frequency.
  Samples higher = speech::resamplePitch(wave, 1.4);
  EXPECT_EQ(higher.size(), static_cast<std::size_t>(8000 / 1.4));
  EXPECT_NEAR(crossingRate(higher, 0, higher.size()), 1.4 * rate, 0.05 * rate);
  // Pitch up, then back to the length: the higher voice keeps the duration.
  Samples kept = speech::scaleTime(higher, 8000);
  ASSERT_EQ(kept.size(), 8000u);
  EXPECT_NEAR(crossingRate(kept, 200, 7800), 1.4 * rate, 0.15 * rate);
}

TEST(TimeScaling, AnOverlapOfOneIsCopiedWithoutAFade) {
  // 1,620 samples to 1,600: a step of 162 gives a window of 161 and an overlap of 1.
  Samples flat(1620, 1000);
  Samples out = speech::scaleTime(flat, 1600);
  ASSERT_EQ(out.size(), 1600u);
  EXPECT_EQ(out, Samples(1600, 1000));
  // Windows that reach past the end of the input read silence there: the kept overlap fades out.
  Samples tail = speech::scaleTime(Samples(300, 1000), 200);
  ASSERT_EQ(tail.size(), 200u);
  EXPECT_EQ(Samples(tail.begin(), tail.begin() + 160), Samples(160, 1000));
  for (std::size_t i = 160; i < 200; ++i) {
    EXPECT_GE(tail[i], 0);
    EXPECT_LE(tail[i], 1000);
  }
}

TEST_F(UnitRenderingTest, VolumeClipsAndShortRecordingsFadeWhole) {
  Samples base = render({unit(5, 0, 0)});
  Samples loud = render({unit(5, 0, 0, 5, 5, 9)});
  ASSERT_EQ(loud.size(), base.size());
  EXPECT_EQ(*std::max_element(loud.begin(), loud.end()), 32767);
  EXPECT_EQ(*std::min_element(loud.begin(), loud.end()), -32768);
  for (std::size_t i = 0; i < base.size(); ++i) {
    if (base[i] != 0) {
      ASSERT_EQ(loud[i] > 0, base[i] > 0) << "wrapped at " << i;
    }
  }
  Samples quiet = render({unit(5, 0, 0, 5, 5, 0)});
  EXPECT_EQ(quiet[1000], static_cast<std::int16_t>(base[1000] * 0.1));

  // 100 samples: faded from both ends over the whole length.
  Samples shortOne = render({unit(4, 0, 0)});
  ASSERT_EQ(shortOne.size(), 100u);
  EXPECT_EQ(shortOne, reference(false, 4));
  EXPECT_EQ(shortOne.front(), 0);
  EXPECT_EQ(shortOne.back(), 0);
}

TEST_F(UnitRenderingTest, BlocksEndAfterTheSyllableThatPassesTheLimit) {
  // Code 0 with its gap is 3,520 bytes: the fifth one takes the fill past 16,384.
  std::vector<SpeechUnit> units(9, unit(0));
  SampleBuffer b = activeBuffer();
  EXPECT_EQ(speech::renderUnits(units, 0, 9, b), 5);
  EXPECT_EQ(b.fill, 5 * 3520);
  // Pauses and letters never end a block; the next syllable does.
  std::vector<SpeechUnit> quiet = {unit(4302), unit(4200, 0, 0), unit(4301), unit(0), unit(0)};
  SampleBuffer q = activeBuffer();
  EXPECT_EQ(speech::renderUnits(quiet, 0, 5, q), 4);
  // Rendering resumes where it stopped.
  b.fill = 0;
  EXPECT_EQ(speech::renderUnits(units, 5, 9, b), 9);
  EXPECT_EQ(b.fill, 4 * 3520);
}

// Serves two pieces: six syllables, then three at another volume with their own settings.
int gPiecesServed = 0;
bool twoPieces(speech::Utterance& u) {
  if (gPiecesServed == 2) return false;
  int count = gPiecesServed == 0 ? 6 : 3;
  for (int i = 0; i < count; ++i) u.units[static_cast<std::size_t>(i)] = unit(0, 0, 1, 5, 5, gPiecesServed == 0 ? 5 : 6);
  u.units[static_cast<std::size_t>(count)] = SpeechUnit{};
  u.units[static_cast<std::size_t>(count)].character = 0;
  u.pending = u.current;
  u.pending.volume = 10 + gPiecesServed;
  u.unitCount = count;
  u.nextUnit = 0;
  ++gPiecesServed;
  return true;
}

TEST_F(UnitRenderingTest, FillBlockRendersPieceAfterPieceInBlocks) {
  gPiecesServed = 0;
  speech::Utterance u;
  u.units.assign(speech::kUnitSlots, SpeechUnit{});
  SampleBuffer b = activeBuffer();
  Samples all;
  speech::fillBlockFrom(u, b, twoPieces);
  EXPECT_EQ(b.fill, 5 * 3520);  // the first block ends inside the first piece
  EXPECT_EQ(u.unitCount, 6);
  EXPECT_EQ(u.nextUnit, 5);
  EXPECT_EQ(u.current.volume, 0);  // the piece's settings wait for its end
  append(all, samplesOf(b));
  b.fill = 0;
  speech::fillBlockFrom(u, b, twoPieces);
  EXPECT_EQ(b.fill, 4 * 3520);  // the rest of it, and the whole second piece
  EXPECT_EQ(u.unitCount, 0);
  EXPECT_EQ(u.current.volume, 11);
  append(all, samplesOf(b));
  b.fill = 0;
  speech::fillBlockFrom(u, b, twoPieces);
  EXPECT_EQ(b.fill, 0);

  std::vector<SpeechUnit> whole(6, unit(0));
  whole.insert(whole.end(), 3, unit(0, 0, 1, 5, 5, 6));
  EXPECT_EQ(firstDifference(all, render(whole)), "equal");
}

}  // namespace
