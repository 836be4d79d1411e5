#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/core/files.h"
#include "platform/core/little_endian.h"
#include "speech/engine/adpcm.h"
#include "speech/engine/speech_data.h"
#include "speech/engine/text_convert.h"
#include "speech_fixture.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <random>

namespace {

using speech::Unit;
using speechtest::SpeechFixture;

Unit unitOf(const char* utf8) {
  auto u = datagen::speechUnits(utf8);
  return u.size() == 1 ? u[0] : 0;
}

class SpeechDataTest : public SpeechFixture {
 protected:
  void TearDown() override { speech::freeSpeechData(); }
};

TEST_F(SpeechDataTest, TablesReadBackWhatTheWriterWrote) {
  ASSERT_EQ(speech::loadSpeechData(folder_), speech::kLoadOk);
  const int zhong1 = datagen::pinyinReading("zhong1"), zhong4 = datagen::pinyinReading("zhong4");
  EXPECT_EQ(zhong1, datagen::syllableNumber("zhong") * 8 + 1);
  EXPECT_EQ(datagen::syllableNumber("a"), 0);
  EXPECT_EQ(datagen::syllableNumber("zuo"), 416);

  // A single reading, and polyphones numbered in order with their readings, the default first.
  EXPECT_EQ(speech::readingOf(unitOf("国")), datagen::pinyinReading("guo2"));
  std::uint16_t zhong = speech::readingOf(unitOf("中")), chong = speech::readingOf(unitOf("重"));
  ASSERT_EQ(zhong, speech::kPolyphoneFlag | 0);
  ASSERT_EQ(chong, speech::kPolyphoneFlag | 1);
  EXPECT_EQ(speech::polyphoneReadings(0), (std::vector<std::uint16_t>{std::uint16_t(zhong1), std::uint16_t(zhong4)}));
  EXPECT_EQ(speech::polyphoneReadings(1).size(), 3u);
  EXPECT_TRUE(speech::polyphoneReadings(2).empty());

  auto words = speech::polyphoneWords(1);
  ASSERT_EQ(words.size(), 2u);
  EXPECT_EQ(words[0].length, 2);
  EXPECT_EQ(words[0].units[0], 1);  // the polyphone's place holds the reading number
  EXPECT_EQ(words[0].units[1], unitOf("庆"));
  EXPECT_EQ(words[1].length, 4);
  EXPECT_EQ(words[1].units[3], 2);
  EXPECT_EQ(words[1].units[0], unitOf("举"));
  EXPECT_TRUE(speech::polyphoneWords(0).empty());

  // Words by their first character, shortest first, with their weights.
  EXPECT_EQ(speech::singleWeight(unitOf("中")), 300);
  auto cz = speech::wordsBeginningWith(unitOf("中"));
  ASSERT_EQ(cz.size(), 3u);
  EXPECT_EQ(cz[0].length, 2);
  EXPECT_EQ(cz[0].rest[0], unitOf("国"));
  EXPECT_EQ(cz[0].value & 0xFFFF, 500u);
  EXPECT_EQ(cz[1].length, 3);
  EXPECT_EQ(cz[1].rest[1], unitOf("人"));
  EXPECT_EQ(cz[2].length, 4);
  EXPECT_EQ(cz[2].rest[2], unitOf("民"));
  EXPECT_EQ(cz[2].value, 300u);
  EXPECT_EQ(speech::wordsBeginningWith(unitOf("国")).size(), 1u);
  EXPECT_TRUE(speech::wordsBeginningWith(unitOf("一")).empty());

  EXPECT_EQ(speech::surnameCode(unitOf("张")), datagen::syllableNumber("zhang") * 5);
  EXPECT_EQ(speech::surnameCode(unitOf("国")), 0xFFFF);
  EXPECT_EQ(speech::surnameCode('A'), 0xFFFF);
  EXPECT_EQ(speech::hanziProperties(unitOf("一")), 1u);
  EXPECT_EQ(speech::hanziProperties(unitOf("张")), 0x40u);

  std::string_view reading;
  ASSERT_TRUE(speech::symbolReading(unitOf("、"), reading));
  EXPECT_EQ(reading, plat::wideToMultiByte(936, u"顿号"));
  ASSERT_TRUE(speech::symbolReading('@', reading));
  EXPECT_EQ(reading, plat::wideToMultiByte(936, u"艾特"));
  EXPECT_FALSE(speech::symbolReading('!', reading));
  EXPECT_FALSE(speech::symbolReading(unitOf("中"), reading));

  // A GBK character outside GB2312 reads as its stand-in; one without a stand-in as 0xFFFE.
  EXPECT_EQ(speech::readingOf(unitOf("這")), unitOf("这"));
  EXPECT_EQ(speech::readingOf(unitOf("們")), 0xFFFE);
}

TEST_F(SpeechDataTest, MissingShortOrEmptyFilesFailWithTheirCodeAndHoldNothing) {
  struct Case {
    const char* file;
    long keep;  // bytes kept; -1 removes the file
    int result;
  };
  const Case cases[] = {
      {speech::kCzFile, -1, speech::kLoadCannotOpen},      {speech::kCzFile, 40609, speech::kLoadUnreadable},
      {speech::kPymFile, 0, speech::kLoadUnreadable},      {speech::kPymFile, 13535, speech::kLoadUnreadable},
      {speech::kDyzFile, 3, speech::kLoadUnreadable},      {speech::kDycFile, -1, speech::kLoadCannotOpen},
      {speech::kSymbolFile, 415, speech::kLoadUnreadable}, {speech::kSurnameFile, 100, speech::kLoadUnreadable},
      {speech::kHzpropFile, -1, speech::kLoadCannotOpen},  {speech::kHzpropFile, 27071, speech::kLoadUnreadable},
      {speech::kGbkFile, 28713, speech::kLoadUnreadable},  {speech::kSyllableDataFile, -1, speech::kLoadCannotOpen},
      {speech::kLetterDataFile, 0, speech::kLoadUnreadable}, {speech::kSyllableIndexFile, 10499, speech::kLoadUnreadable},
      {speech::kLetterIndexFile, -1, speech::kLoadCannotOpen},
      // The code-page tables read at first use are checked at start when they are there.
      {speech::kUnicodeFile, 0, speech::kLoadUnreadable},  {speech::kUnicodeFile, 1000, speech::kLoadUnreadable},
      {speech::kBig5File, 0, speech::kLoadUnreadable},     {speech::kBig5File, 100, speech::kLoadUnreadable},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " " + std::to_string(c.keep));
    std::string whole;
    ASSERT_TRUE(plat::readWholeFile(path(c.file), whole));
    if (c.keep < 0) {
      ASSERT_TRUE(plat::removeFile(path(c.file)));
    } else {
      ASSERT_TRUE(plat::writeWholeFile(path(c.file), whole.substr(0, static_cast<std::size_t>(c.keep))));
    }
    EXPECT_EQ(speech::loadSpeechData(folder_), c.result);
    EXPECT_EQ(speech::lastLoadFailure(), c.file);
    EXPECT_FALSE(speech::speechDataLoaded());
    EXPECT_EQ(plat::openFileCount(), 0);
    ASSERT_TRUE(plat::writeWholeFile(path(c.file), whole));
  }
  // The files back in place load.
  EXPECT_EQ(speech::loadSpeechData(folder_), speech::kLoadOk);
  EXPECT_EQ(plat::openFileCount(), 2);  // the two unit files stay open
  speech::freeSpeechData();
  EXPECT_EQ(plat::openFileCount(), 0);
}

// Every file of the speech data, damaged as a card goes bad: each refuses the start and is named.
// Random bytes in Eng4M.dat are recordings like any other, and dyz.dat cut inside its last
// polyphone's readings, past its second, holds fewer readings of it (README).
TEST_F(SpeechDataTest, DamagedFilesAreRefusedByName) {
  std::mt19937 random(79);
  auto polyphonesWhole = [](const std::string& b) {
    if (b.size() < 2) return false;
    const std::size_t table = 2 + 2 * std::size_t{plat::readLe16(b.data())};
    if (b.size() < table || (b.size() - table) % 2 != 0) return false;
    const std::size_t lastStart = (plat::readLe16(b.data() + table - 2) >> 1) & 0xFFF;
    return (b.size() - table) / 2 >= lastStart + 2;
  };
  for (const char* file : {speech::kCzFile, speech::kPymFile, speech::kDyzFile, speech::kDycFile, speech::kSymbolFile,
                           speech::kSurnameFile, speech::kHzpropFile, speech::kGbkFile, speech::kUnicodeFile,
                           speech::kBig5File, speech::kSyllableDataFile, speech::kSyllableIndexFile,
                           speech::kLetterDataFile, speech::kLetterIndexFile}) {
    std::string whole;
    ASSERT_TRUE(plat::readWholeFile(path(file), whole));
    const std::string host = plat::hostPath(path(file));
    for (const char* damage : {"empty", "cut 10", "cut 50", "cut 90", "folder", "random"}) {
      const std::string what = std::string(file) + " " + damage;
      std::string bytes;
      if (std::strcmp(damage, "cut 10") == 0) bytes = whole.substr(0, whole.size() / 10);
      if (std::strcmp(damage, "cut 50") == 0) bytes = whole.substr(0, whole.size() / 2);
      if (std::strcmp(damage, "cut 90") == 0) bytes = whole.substr(0, whole.size() * 9 / 10);
      if (std::strcmp(damage, "random") == 0) {
        if (std::strcmp(file, speech::kLetterDataFile) == 0) continue;
        bytes.resize(whole.size());
        for (char& b : bytes) b = static_cast<char>(random() & 0xFF);
      }
      if (std::strcmp(file, speech::kDyzFile) == 0 && std::strncmp(damage, "cut", 3) == 0 && polyphonesWhole(bytes)) continue;
      if (std::strcmp(damage, "folder") == 0) {
        std::filesystem::remove(host);
        std::filesystem::create_directory(host);
      } else {
        ASSERT_TRUE(plat::writeWholeFile(path(file), bytes)) << what;
      }
      EXPECT_NE(speech::loadSpeechData(folder_), speech::kLoadOk) << what;
      EXPECT_EQ(speech::lastLoadFailure(), file) << what;
      EXPECT_FALSE(speech::speechDataLoaded()) << what;
      if (std::strcmp(damage, "folder") == 0) std::filesystem::remove(host);
      ASSERT_TRUE(plat::writeWholeFile(path(file), whole)) << what;
    }
  }
  EXPECT_EQ(speech::loadSpeechData(folder_), speech::kLoadOk);
}

TEST_F(SpeechDataTest, OffsetsOutsideTheirFileAreRefused) {
  auto patch = [&](const char* file, std::size_t at, std::uint16_t value) {
    std::string bytes;
    ASSERT_TRUE(plat::readWholeFile(path(file), bytes));
    std::string original = bytes;
    plat::writeLe16(bytes.data() + at, value);
    ASSERT_TRUE(plat::writeWholeFile(path(file), bytes));
    EXPECT_EQ(speech::loadSpeechData(folder_), speech::kLoadUnreadable) << file;
    ASSERT_TRUE(plat::writeWholeFile(path(file), original));
  };
  // 中's word list moved far past the word pool.
  int zhong = speech::hanziIndex(unitOf("中"));
  std::size_t record = speech::kCzRecordsStart + speech::kCzRecordSize * static_cast<std::size_t>(zhong);
  patch(speech::kCzFile, record + 1, 0xFFFF);
  // The second polyphone's readings start past the reading table.
  patch(speech::kDyzFile, 4, 0x1FFE);
  patch(speech::kDycFile, 4, 0xFFFE);
  // A symbol reading running past the end of the file.
  patch(speech::kSymbolFile, 2 * 207, 0xFFFF);
  EXPECT_EQ(speech::loadSpeechData(folder_), speech::kLoadOk);
}

TEST_F(SpeechDataTest, CodePageTablesLoadAtFirstUse) {
  ASSERT_EQ(speech::loadSpeechData(folder_), speech::kLoadOk);
  EXPECT_FALSE(speech::unicodeTableLoaded());
  EXPECT_FALSE(speech::big5TableLoaded());

  std::string unicode;
  ASSERT_TRUE(plat::readWholeFile(path(speech::kUnicodeFile), unicode));
  ASSERT_TRUE(plat::removeFile(path(speech::kUnicodeFile)));
  std::vector<Unit> out;
  EXPECT_FALSE(speech::convertUtf16Text(u"中国", out));
  ASSERT_TRUE(plat::writeWholeFile(path(speech::kUnicodeFile), unicode));

  // Direct table at both ends, ranges and pairs, ASCII, and characters without a code.
  std::u16string text = u"\u4E00\u9FA5\u9FA6、：€A\u0E01";
  ASSERT_TRUE(speech::convertUtf16Text(text, out));
  EXPECT_TRUE(speech::unicodeTableLoaded());
  std::vector<Unit> expected = {unitOf("一"), speech::gbUnit(0xFD, 0x9B), ' ', speech::gbUnit(0xA1, 0xA2),
                                speech::gbUnit(0xA3, 0xBA), 0x80, 'A', ' ', 0};
  EXPECT_EQ(out, expected);

  // Every character code page 936 knows comes out as its GBK code.
  std::u16string sample;
  for (char16_t c = 0x2000; c < 0x3200; c += 7) sample.push_back(c);
  ASSERT_TRUE(speech::convertUtf16Text(sample, out));
  for (std::size_t i = 0; i < sample.size(); ++i) {
    auto units = datagen::speechUnits(plat::wideToUtf8(sample.substr(i, 1)));
    Unit want = units.size() == 1 && units[0] != '?' ? units[0] : Unit{' '};
    EXPECT_EQ(out[i], want) << std::hex << static_cast<unsigned>(sample[i]);
  }

  // Big5 text: read big5.dat at the first conversion that needs it.
  EXPECT_FALSE(speech::big5TableLoaded());
  ASSERT_TRUE(speech::convertByteText("\xA4\xA4\xB3\x6F" "a", speech::kTextBig5, out));
  EXPECT_TRUE(speech::big5TableLoaded());
  EXPECT_EQ(out, (std::vector<Unit>{unitOf("中"), unitOf("这"), 'a', 0}));
  // GBK text: a character outside GB2312 takes its stand-in when it has one.
  ASSERT_TRUE(speech::convertByteText("\xDF\x40\x82\x40\xD6\xD0", speech::kTextGb, out));
  EXPECT_EQ(out, (std::vector<Unit>{unitOf("这"), speech::gbUnit(0x82, 0x40), unitOf("中"), 0}));
  // A stand-in in the first row of hanzi (爱 is B0AE) counts as a hanzi.
  ASSERT_TRUE(speech::convertByteText("\x90\xDB", speech::kTextGb, out));
  EXPECT_EQ(out, (std::vector<Unit>{unitOf("爱"), 0}));
}

TEST_F(SpeechDataTest, RecordingsDecodeCloseToTheWaveformsWritten) {
  ASSERT_EQ(speech::loadSpeechData(folder_), speech::kLoadOk);
  EXPECT_EQ(speech::syllableVariantCount(0), 1);
  EXPECT_EQ(speech::syllableVariantCount(7), 3);
  EXPECT_EQ(speech::syllableVariantCount(1), 0);

  std::uint32_t offset = 0, length = 0;
  ASSERT_TRUE(speech::syllableVariant(7, 0, offset, length));
  EXPECT_EQ(length, 0u);  // missing variant
  struct Want {
    bool letters;
    int codeOrEntry, variant, syntheticCode;
  };
  for (const Want& w : {Want{false, 0, 0, 0}, Want{false, 7, 1, 7}, Want{false, 7, 2, 7}, Want{true, 1, 0, 4201}}) {
    SCOPED_TRACE(w.codeOrEntry * 10 + w.variant);
    if (w.letters) {
      ASSERT_TRUE(speech::letterRecording(w.codeOrEntry, offset, length));
    } else {
      ASSERT_TRUE(speech::syllableVariant(w.codeOrEntry, w.variant, offset, length));
    }
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(speech::readRecording(w.letters, offset, length, bytes));
    std::vector<std::int16_t> samples(2 * bytes.size());
    EXPECT_EQ(speech::decodeAdpcm(bytes.data(), static_cast<int>(bytes.size()), samples.data()), static_cast<int>(4 * bytes.size()));
    auto original = datagen::syntheticUnitSamples(w.syntheticCode, w.variant);
    ASSERT_EQ(samples.size(), original.size());
    // After the predictor has settled the decoded wave follows the original closely.
    double error = 0, energy = 0;
    for (std::size_t i = 400; i < samples.size(); ++i) {
      error += std::abs(samples[i] - original[i]);
      energy += std::abs(original[i]);
    }
    EXPECT_LT(error, 0.15 * energy);
  }
  EXPECT_FALSE(speech::letterRecording(2, offset, length));
  EXPECT_FALSE(speech::syllableVariant(7, 3, offset, length));
  std::vector<std::uint8_t> bytes;
  EXPECT_FALSE(speech::readRecording(false, 0xFFFFFF00u, 100, bytes));
}

TEST(SpeechSourceText, RefusesWhatTheFormatsCannotHold) {
  struct Case {
    const char* text;
    bool parses;
  };
  const Case cases[] = {
      {"hanzi 中 zhong1\nword 中国 5\n", true},
      {"hanzi 中 zhong6\n", false},            // tone out of range
      {"hanzi 中 zhongg1\n", false},           // no such syllable
      {"hanzi A a1\n", false},                 // not a hanzi
      {"hanzi 中 zhong1 color=1\n", false},    // unknown field
      {"word 中 5\n", false},                  // one character
      {"word 中华人民共 5\n", false},          // five characters
      {"polyword 重庆 2 1\n", false},          // place outside the word
      {"frobnicate 中\n", false},
  };
  for (const Case& c : cases) {
    datagen::SpeechSource src;
    std::string error;
    EXPECT_EQ(datagen::parseSpeechSource(c.text, src, &error), c.parses) << c.text;
    EXPECT_EQ(error.empty(), c.parses) << c.text;
  }
  // A polyphone word whose place holds no polyphone cannot be written.
  datagen::SpeechSource src;
  ASSERT_TRUE(datagen::parseSpeechSource("hanzi 重 zhong4,chong2\npolyword 重庆 1 1\n", src));
  EXPECT_TRUE(datagen::speechDycFile(src).empty());
  // Nor a symbol outside the 208 places.
  ASSERT_TRUE(datagen::parseSpeechSource("symbol ： 冒号\n", src));
  EXPECT_TRUE(datagen::speechSymbolFile(src).empty());
}

TEST(SpeechDecoder, FollowsTheStepTable) {
  // 0x7F: +step then +step/8 etc.; known values for the first nibbles from state 0.
  const std::uint8_t bytes[] = {0x70, 0x08};
  std::int16_t samples[4];
  speech::decodeAdpcm(bytes, 2, samples);
  // nibble 7: 16/8 + 16/4 + 16/2 + 16 = 30; index +8.
  EXPECT_EQ(samples[0], 30 * 16);
  // nibble 0 at step 34 (index 8): +4; index 7.
  EXPECT_EQ(samples[1], 34 * 16);
  // nibble 0 at step 31: +3; then nibble 8 at step 28 (index 6): -3.
  EXPECT_EQ(samples[2], 37 * 16);
  EXPECT_EQ(samples[3], 34 * 16);
}

TEST(SpeechTextCode, CharacterClasses) {
  using namespace speech;
  struct Case {
    Unit u;
    bool (*test)(Unit);
    bool expected;
  };
  const Case cases[] = {
      {' ', isSpaceUnit, true},           {gbUnit(0xA1, 0xA1), isSpaceUnit, true}, {gbUnit(0xA3, 0xA0), isSpaceUnit, true},
      {'_', isSpaceUnit, false},          {'\n', isLineBreakUnit, true},           {'7', isDigitUnit, true},
      {gbUnit(0xA3, 0xB9), isDigitUnit, true}, {gbUnit(0xA3, 0xBA), isDigitUnit, false}, {'z', isLetterUnit, true},
      {gbUnit(0xA3, 0xC1), isLetterUnit, true}, {gbUnit(0xA3, 0xFA), isLetterUnit, true}, {'[', isLetterUnit, false},
      {gbUnit(0xB0, 0xA1), isHanziUnit, true}, {gbUnit(0x81, 0x40), isHanziUnit, true}, {gbUnit(0xA3, 0xC1), isHanziUnit, false},
      {gbUnit(0xAA, 0x3F), isHanziUnit, false}, {gbUnit(0xA9, 0xA4), isSymbolRowUnit, true}, {gbUnit(0xAA, 0xA1), isSymbolRowUnit, false},
      {'=', isArithmeticUnit, true},      {gbUnit(0xA1, 0xB0), isOpeningQuoteUnit, true}, {gbUnit(0xA1, 0xB1), isOpeningQuoteUnit, false},
      {gbUnit(0xA1, 0xB1), isClosingQuoteUnit, true}, {'"', isClosingQuoteUnit, true}, {gbUnit(0xA3, 0xC0), isAtSignUnit, true},
      {gbUnit(0xA3, 0xBA), isColonUnit, true}, {gbUnit(0xA3, 0xAF), isSlashUnit, true}, {gbUnit(0xA3, 0xAE), isPointUnit, true},
      {gbUnit(0xA3, 0xBF), isQuestionMarkUnit, true}, {gbUnit(0xA3, 0xAC), isCommaUnit, true}, {',', isCommaUnit, true},
  };
  for (const Case& c : cases) EXPECT_EQ(c.test(c.u), c.expected) << std::hex << c.u;
  EXPECT_TRUE(isDashUnit(gbUnit(0xA1, 0xAA)));
  EXPECT_FALSE(isDashUnit(gbUnit(0xA1, 0xAD)));
  EXPECT_TRUE(isDashUnit(gbUnit(0xA1, 0xAD), true));

  // Symbol places: the ten ranges in order, 208 in all.
  EXPECT_EQ(symbolIndex('!'), 0);
  EXPECT_EQ(symbolIndex(':'), 15);
  EXPECT_EQ(symbolIndex('~'), 31);
  EXPECT_EQ(symbolIndex(gbUnit(0xA1, 0xA2)), 32);
  EXPECT_EQ(symbolIndex(gbUnit(0xA2, 0xA1)), 125);
  EXPECT_EQ(symbolIndex(gbUnit(0xA3, 0xA4)), 207);
  EXPECT_EQ(symbolIndex('0'), -1);
  EXPECT_EQ(symbolIndex(gbUnit(0xA2, 0xAB)), -1);
  EXPECT_EQ(hanziIndex(gbUnit(0xF7, 0xFE)), 6767);
  EXPECT_EQ(hanziOfIndex(6767), gbUnit(0xF7, 0xFE));
  EXPECT_EQ(hanziIndex(gbUnit(0xAF, 0xFE)), -1);
}

}  // namespace
