// The readings the cards give the reading pane: every GB2312 hanzi and every word reads its own
// pinyin through the pinyin path, every hanzi has its readings in the character reading file, on
// the sample card and the full card the build lays out; the katakana table has a row for every
// syllable that Unihan's readings of GB2312 use, and its rows read back as katakana.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/analysis/pinyin_annotation.h"
#include "engine/cj/analysis/tests/cj_test_engine.h"
#include "engine/common/word_table.h"
#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/core/files.h"
#include "platform/core/little_endian.h"
#include "tools/common/tool_files.h"
#include "tools/datagen/build_programs.h"
#include "tools/datagen/card/card_inputs.h"
#include "tools/datagen/hanzi_reading_writer.h"
#include "tools/datagen/hanzi_unihan.h"
#include "tools/datagen/jp_dictionary_pair.h"
#include "tools/datagen/pinyin_spelling.h"
#include "tools/datagen/temp_device.h"
#include "tools/resgen/engine_code_tables.h"

namespace {

constexpr const char* kSample = SUITE_TEST_SOURCE_DIR "/data/sample";

struct Hanzi {
  char16_t c;
  std::string engine;
};

const std::vector<Hanzi>& gb2312Hanzi() {
  static const std::vector<Hanzi> all = [] {
    std::vector<Hanzi> out;
    for (unsigned lead = 0xB0; lead <= 0xF7; ++lead) {
      for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) {
        const std::u16string wide = plat::multiByteToWide(936, std::string{static_cast<char>(lead), static_cast<char>(trail)});
        if (wide.size() != 1 || wide[0] < 0x3400 || wide[0] == 0xFFFD) continue;
        std::string engine;
        if (datagen::chineseToEngineColumn(plat::wideToUtf8(wide), engine)) out.push_back({wide[0], engine});
      }
    }
    return out;
  }();
  return all;
}

class CardReadings : public ::testing::Test {
 protected:
  void TearDown() override {
    cj::closeCjEngine(cjtest::engine());
    cjtest::engine().engineStatus = 0;
    cj::clearWordTable();
  }

  // Starts the engine on a card's data folder (device path).
  static void start(const std::string& folder) {
    cjtest::engine().dataFolderPath = plat::utf8ToWide(folder);
    std::string why;
    ASSERT_EQ(cj::loadWordTable(folder, &why), cj::kWordTableLoaded) << why;
    ASSERT_EQ(cj::initCjEngine(cjtest::engine()), cj::kStatusOk);
  }

  // Writes the sample's Chinese-to-Japanese folder on the device's card and starts on it.
  static void startOnSampleCard(const datagen::TempDevice& device) {
    datagen::CjDataFiles files;
    std::vector<std::string> dropped;
    std::string error;
    ASSERT_TRUE(datagen::cjSampleFiles(std::string(kSample) + "/cj", datagen::engineCardInputs().cjWordKeys, files,
                                       &dropped, &error))
        << error;
    const std::string folder = datagen::cjDataFolder(device.card());
    ASSERT_TRUE(datagen::writeCjDataFiles(folder, files));
    ASSERT_NO_FATAL_FAILURE(start(folder));
  }

  static std::string annotate(const std::string& engineText) {
    std::string out;
    cj::annotatePinyinText(cjtest::engine(), engineText, out, cj::kReadingToneNumbers);
    return out;
  }

  // Checks the pinyin path and the character reading file of the started engine against the
  // card's word source (cj/words.txt) and the generated readings of the characters.
  static void checkReadings(const std::string& wordsText) {
    std::vector<datagen::CjSampleWord> words;
    std::string error;
    ASSERT_TRUE(datagen::parseCjSampleWords(wordsText, words, &error)) << error;
    std::map<std::string, std::string> own;
    for (const datagen::CjSampleWord& w : words) {
      if (!w.reading.empty()) own[w.word] = w.reading;
    }
    const std::vector<std::string>& special = cj::listedWords(cj::kPinyinSpecialWords);
    const auto& generated = datagen::generatedCharacterReadings();
    ASSERT_FALSE(generated.empty());

    // Every word of the source reads its own reading.
    int wrongWords = 0;
    for (const auto& [word, reading] : own) {
      if (std::find(special.begin(), special.end(), word) != special.end()) continue;
      const std::string got = annotate(word);
      if (got != cj::formatReading(reading, cj::kReadingToneNumbers) && ++wrongWords <= 5)
        ADD_FAILURE() << plat::wideToUtf8(plat::multiByteToWide(936, word)) << ": " << got << " for " << reading;
    }
    EXPECT_EQ(wrongWords, 0);

    // Every hanzi reads its own word's reading, else its most frequent one; the character
    // reading file holds all its readings.
    std::string hanziFile;
    ASSERT_TRUE(plat::readWholeFile(plat::wideToUtf8(cjtest::engine().dataFolderPath) + "pinyindic\\hanzi.dat", hanziFile));
    int wrong = 0, missingRecords = 0;
    for (const Hanzi& h : gb2312Hanzi()) {
      auto it = generated.find(h.c);
      ASSERT_NE(it, generated.end()) << plat::wideToUtf8(std::u16string(1, h.c));
      std::string expected;
      if (auto o = own.find(h.engine); o != own.end()) expected = o->second;
      else expected = *datagen::dictionaryReading(it->second.substr(0, it->second.find(' ')));
      if (std::find(special.begin(), special.end(), h.engine) == special.end()) {
        const std::string got = annotate(h.engine);
        if (got != cj::formatReading(expected, cj::kReadingToneNumbers) && ++wrong <= 5)
          ADD_FAILURE() << plat::wideToUtf8(std::u16string(1, h.c)) << ": " << got << " for " << expected;
      }
      const std::size_t slot = static_cast<std::size_t>(datagen::hanziReadingSlot(h.c));
      const std::uint32_t at = plat::readLe32(hanziFile.data() + slot * 4);
      const std::size_t n = at < hanziFile.size() ? static_cast<unsigned char>(hanziFile[at]) : 0;
      if ((n < 3 || hanziFile.substr(at + 3, n - 3) != it->second) && ++missingRecords <= 5)
        ADD_FAILURE() << plat::wideToUtf8(std::u16string(1, h.c)) << ": no record " << it->second;
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(missingRecords, 0);
    // Every first character of the pinyin path's indexes lies within the records loaded.
    for (const char* index : {"zfcp.idx", "ffcp.idx"}) {
      std::string file;
      ASSERT_TRUE(plat::readWholeFile(plat::wideToUtf8(cjtest::engine().dataFolderPath) + index, file));
      EXPECT_GE(file.size() / 8, gb2312Hanzi().size()) << index;
      EXPECT_LE(file.size() / 8, 6800u) << index;
    }
  }
};

TEST_F(CardReadings, SampleCardReadsEveryHanziAndWord) {
  datagen::TempDevice device;
  ASSERT_NO_FATAL_FAILURE(startOnSampleCard(device));
  checkReadings(tools::readFile(std::string(kSample) + "/cj/words.txt"));
}

TEST_F(CardReadings, FullCardReadsEveryHanziAndWord) {
  const std::string device = datagen::buildFolder() + "/fullcard/device";
  ASSERT_TRUE(std::filesystem::exists(device + "/Card")) << device;
  // The device root points at the full card's device for this test only.
  struct RootGuard {
    const char* previous = std::getenv(plat::kDeviceRootEnv);
    std::string saved = previous ? previous : "";
    ~RootGuard() {
      cj::closeCjEngine(cjtest::engine());
      if (previous) ::setenv(plat::kDeviceRootEnv, saved.c_str(), 1);
      else ::unsetenv(plat::kDeviceRootEnv);
    }
  } guard;
  ::setenv(plat::kDeviceRootEnv, device.c_str(), 1);
  ASSERT_NO_FATAL_FAILURE(start(datagen::cjDataFolder("\\Card")));
  checkReadings(tools::readFile(datagen::buildFolder() + "/fullcard/source/cj/words.txt"));
}

TEST_F(CardReadings, KatakanaTableHasEverySyllableOfUnihansGb2312Readings) {
  datagen::TempDevice device;
  ASSERT_NO_FATAL_FAILURE(startOnSampleCard(device));
  const std::string& table = cjtest::engine().data.readingTable;
  const int rows = cjtest::engine().data.readingRowCount();
  std::set<std::string> keys;
  for (int r = 0; r < rows; ++r) keys.insert(table.substr(static_cast<std::size_t>(r) * cj::kReadingRowSize, 6));

  // Unihan's own readings, straight from the package.
  std::string unihan;
  if (std::FILE* p = ::popen("bzcat /usr/share/unicode/Unihan_Readings.txt.bz2", "r")) {
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, p)) > 0;) unihan.append(buffer, n);
    ::pclose(p);
  }
  ASSERT_GT(unihan.size(), 1000000u);
  std::set<char16_t> gb;
  for (const Hanzi& h : gb2312Hanzi()) gb.insert(h.c);
  std::set<std::string> used;
  std::istringstream lines(unihan);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream f(line);
    std::string code, field, value;
    if (!(f >> code >> field) || code.rfind("U+", 0) != 0) continue;
    if (field != "kMandarin" && field != "kHanyuPinlu" && field != "kTGHZ2013") continue;
    if (!gb.count(static_cast<char16_t>(std::stoul(code.substr(2), nullptr, 16)))) continue;
    for (std::string item; f >> item;) {
      item = item.substr(0, item.find('('));                                  // "wǎng(856)"
      if (item.find(':') != std::string::npos) item = item.substr(item.find(':') + 1);  // "380.120:wǎng"
      std::istringstream alternatives(item);
      for (std::string r; std::getline(alternatives, r, ',');) {
        const auto syllables = datagen::readPinyin(r);
        EXPECT_TRUE(syllables && syllables->size() == 1) << code << " " << r;
        if (syllables && !syllables->empty()) used.insert(syllables->front().letters);
      }
    }
  }
  EXPECT_GT(used.size(), 400u);
  for (const std::string& s : used) {
    std::string key = s;
    key.resize(6, ' ');
    EXPECT_TRUE(keys.count(key)) << s;
  }

  // Every row reads back as katakana through the engine's code page: no '?', kanji or bracket.
  const std::string cwk = resgen::buildEngineCodeTables({}).cwkUni;
  for (int r = 0; r < rows; ++r) {
    const std::string reading = table.substr(static_cast<std::size_t>(r) * cj::kReadingRowSize + 8, 8);
    std::u16string wide;
    for (std::size_t i = 0; i + 1 < reading.size() && reading[i] != ' '; i += 2) {
      const int index = resgen::engineTableIndex(static_cast<unsigned char>(reading[i]),
                                                 static_cast<unsigned char>(reading[i + 1]));
      ASSERT_GE(index, 0);
      wide += static_cast<char16_t>(plat::readLe16(cwk.data() + static_cast<std::size_t>(index) * 2));
    }
    ASSERT_FALSE(wide.empty()) << table.substr(static_cast<std::size_t>(r) * cj::kReadingRowSize, 6);
    for (char16_t c : wide) {
      EXPECT_TRUE((c >= u'ァ' && c <= u'ヶ') || c == u'ー' || c == u'—' || c == u'―')
          << table.substr(static_cast<std::size_t>(r) * cj::kReadingRowSize, 6) << " " << plat::wideToUtf8(wide);
    }
  }
}

}  // namespace
