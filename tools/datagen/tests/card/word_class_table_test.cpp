// The classes the part-of-speech pass gives the listed words of the word rules, class rules and
// context rules, on the sample card and on the full card: short sentences of data/tests/cj_word_classes.txt,
// each with the class the word has in it as a Chinese grammar reads it, and a row or a reason for
// every listed word.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/cj/analysis/dic_lookup.h"
#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/analysis/segmenter.h"
#include "engine/cj/analysis/sentence.h"
#include "engine/cj/analysis/tests/cj_test_engine.h"
#include "engine/cj/analysis/tests/sentence_notation.h"
#include "engine/cj/analysis/text_checks.h"
#include "engine/cj/stages/parse_stages.h"
#include "engine/common/code_convert.h"
#include "engine/common/word_table.h"
#include "platform/core/codepage.h"
#include "tools/datagen/build_programs.h"
#include "tools/datagen/card/card_inputs.h"
#include "tools/datagen/full_card_sources.h"
#include "tools/datagen/cj_data_folder.h"
#include "tools/datagen/cj_data_files.h"
#include "tools/datagen/sample_card.h"
#include "tools/datagen/temp_device.h"

namespace {

constexpr const char* kSample = SUITE_TEST_SOURCE_DIR "/data/sample";

struct ClassRow {
  std::string card;
  std::string sentence;
  std::string word;
  std::string cat;
  int line = 0;
};

struct ClassTable {
  std::vector<ClassRow> rows;
  std::vector<std::pair<std::string, std::string>> noRow;  // word, why
};

const ClassTable& classTable() {
  static const ClassTable table = [] {
    ClassTable t;
    std::ifstream in(SUITE_TEST_SOURCE_DIR "/data/tests/cj_word_classes.txt");
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
      if (line.empty()) continue;
      const std::vector<std::string> f = datagen::splitOn(line, '\t');
      if (f[0] == "#norow") {
        if (f.size() == 3 && !f[1].empty() && !f[2].empty()) t.noRow.emplace_back(f[1], f[2]);
        else t.rows.push_back({"?", line, "", "", number});
        continue;
      }
      if (line[0] == '#') continue;
      if (f.size() != 4) {
        t.rows.push_back({"?", line, "", "", number});
        continue;
      }
      t.rows.push_back({f[0], f[1], f[2], f[3], number});
    }
    return t;
  }();
  return table;
}

// The words of the posClass.* and posContext.* keys of a card's word list source, each key's value
// one word or a list between bars.
std::set<std::string> listedWords(const std::string& path) {
  std::set<std::string> words;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string> f = datagen::splitOn(line, '\t');
    if (f.size() < 2 || (f[0].rfind("posClass.", 0) != 0 && f[0].rfind("posContext.", 0) != 0)) continue;
    for (std::string& w : datagen::splitOn(f[1], '|'))
      if (!w.empty()) words.insert(std::move(w));
  }
  return words;
}

std::string fullCardSource() { return datagen::buildFolder() + "/fullcard/source"; }

// One card's engine, started once for the suite: the sample card's source or the full card's.
template <bool kFull>
class CardClasses : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    device_ = new datagen::TempDevice();
    datagen::CjDataFiles files;
    std::vector<std::string> dropped;
    std::string error;
    const std::string source = kFull ? fullCardSource() : std::string(kSample);
    ASSERT_TRUE(std::filesystem::exists(source + "/cj/words.txt")) << source;
    ASSERT_TRUE(datagen::cjSampleFiles(source + "/cj", datagen::engineCardInputs().cjWordKeys, files,
                                       &dropped, &error))
        << error;
    const std::string folder = datagen::cjDataFolder(device_->card());
    ASSERT_TRUE(datagen::writeCjDataFiles(folder, files));
    cjtest::engine().dataFolderPath = plat::utf8ToWide(folder);
    std::string why;
    ASSERT_EQ(cj::loadWordTable(folder, &why), cj::kWordTableLoaded) << why;
    ASSERT_EQ(cj::initCjEngine(cjtest::engine()), cj::kStatusOk);
  }
  static void TearDownTestSuite() {
    cj::closeCjEngine(cjtest::engine());
    cjtest::engine().engineStatus = 0;
    cj::clearWordTable();
    delete device_;
    device_ = nullptr;
  }

  // Every row of the table for this card: the word is one word of the sentence, of the row's class.
  static void checkRows(const char* card) {
    int checked = 0;
    for (const ClassRow& row : classTable().rows) {
      if (row.card != card && row.card != "both") continue;
      ++checked;
      std::string found;
      int hits = 0;
      for (const auto& [word, cat] : classes(row.sentence)) {
        if (word == row.word) {
          found = cat;
          ++hits;
        }
      }
      EXPECT_EQ(hits, 1) << "line " << row.line << ": " << row.sentence << ": " << row.word
                         << " is not one word of the sentence";
      EXPECT_EQ(found, row.cat) << "line " << row.line << ": " << row.sentence << ": " << row.word;
    }
    EXPECT_GT(checked, 0) << card;
  }

  // The top-level words of the sentence after the pre-parse, as "word/CAT" in order.
  static std::vector<std::pair<std::string, std::string>> classes(const std::string& utf8) {
    std::vector<std::pair<std::string, std::string>> out;
    cj::CjEngine& engine = cjtest::engine();
    cj::useEngineWords(engine);
    std::string buffer;
    cj::widenDigits(cjtest::engineText(utf8), buffer);
    cj::segment seg;
    cj::initSegmenter(seg, engine, buffer);
    cj::segmentSentence(seg);
    std::unique_ptr<cj::CjSentence> s = cj::buildSentence(cj::mergedCount(seg));
    if (s) {
      s->engine = &engine;
      if (cj::fillNodesFromSegments(*s, cj::mergedSegments(seg)) == cj::kStatusOk) {
        cj::preParse(*s);
        int steps = 0;
        for (int k = s->firstTop; k != 0 && steps < cj::kMaxNodes; k = s->nodes[k].next, ++steps) {
          std::string gb;
          cj::internalToGb(cj::ConversionTables{}, gb, s->nodes[k].CHI.view());
          const std::string text = plat::wideToUtf8(plat::multiByteToWide(936, gb));
          out.emplace_back(text, s->nodes[k].CAT.str());
        }
      }
      cj::destroySentence(s, 1);
    }
    cj::freeSegmenter(seg);
    return out;
  }

  static inline datagen::TempDevice* device_ = nullptr;
};

using SampleCardClasses = CardClasses<false>;
using FullCardClasses = CardClasses<true>;

// A preposition (I) that is also a verb, a verb (V) after a noun, an aspect particle (E), a
// localiser (L), an adverb (F) or an adjective (A), a noun (N), as the table's rows give them.
TEST_F(SampleCardClasses, ListedWordsTakeTheirClassInContext) { checkRows("sample"); }

TEST_F(FullCardClasses, ListedWordsTakeTheirClassInContext) { checkRows("full"); }

// Every word the word lists of either card name has a row of the table, or a line that says why not.
TEST(WordClassTable, EveryListedWordHasARowOrAReason) {
  const ClassTable& table = classTable();
  for (const ClassRow& row : table.rows) {
    EXPECT_TRUE(row.card == "sample" || row.card == "full" || row.card == "both")
        << "line " << row.line << " is no row: " << row.sentence;
  }
  std::set<std::string> covered;
  for (const ClassRow& row : table.rows) covered.insert(row.word);
  for (const auto& [word, why] : table.noRow) covered.insert(word);
  std::set<std::string> words = listedWords(std::string(kSample) + "/cj/cjwords.txt");
  const std::set<std::string> full = listedWords(fullCardSource() + "/cj/cjwords.txt");
  words.insert(full.begin(), full.end());
  ASSERT_GT(words.size(), 400u);
  std::string missing;
  int count = 0;
  for (const std::string& w : words) {
    if (covered.count(w)) continue;
    ++count;
    missing += " " + w;
  }
  EXPECT_EQ(count, 0) << count << " listed words without a row:" << missing;
}

}  // namespace
