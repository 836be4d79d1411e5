// Engines side by side: each holds its own word table and grammar, so one engine's start, failed
// or not, leaves every other engine translating as before.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/common/word_table.h"
#include "engine/cj/transfer/cj_engine.h"
#include "engine/cj/transfer/sentence_driver.h"
#include "platform/core/codepage.h"
#include "tools/datagen/cj_data_folder.h"
#include "tools/datagen/pinned_sentences.h"
#include "tools/datagen/sample_card.h"
#include "tools/datagen/temp_device.h"
#include "tools/datagen/word_table_writer.h"

namespace {

class CjEngines : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    device_ = new datagen::TempDevice();
    std::vector<std::string> dropped;
    std::string error;
    built_ = datagen::cjSampleFiles(std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample/cj",
                                    datagen::wordKeyShapes(cj::registeredWordKeys()), *files_, &dropped, &error);
  }
  static void TearDownTestSuite() {
    delete device_;
    device_ = nullptr;
    cj::clearWordTable();
  }

  // The sample's data folder, changed by `change`, written on a card of its own.
  static std::string folderOf(const std::string& cardName, void (*change)(datagen::CjDataFiles&) = nullptr) {
    datagen::CjDataFiles files = *files_;
    if (change) change(files);
    const std::string folder = datagen::cjDataFolder(device_->addCard(cardName));
    EXPECT_TRUE(datagen::writeCjDataFiles(folder, files)) << folder;
    return folder;
  }

  static std::vector<std::string> pinnedInputs() {
    std::vector<datagen::PinnedSentence> cases;
    std::string why;
    EXPECT_TRUE(datagen::readPinnedSentencesFile(
        datagen::pinnedTablesFolder(SUITE_TEST_SOURCE_DIR) + "/cj_sample.tsv", cases, &why))
        << why;
    // Lines that have an engine code as they stand (the translator converts the others first).
    std::vector<std::string> inputs;
    std::string code;
    for (const auto& c : cases)
      if (dbcs::tableWordToEngineCode(c.input, code)) inputs.push_back(c.input);
    return inputs;
  }

  // The line in engine code through the table words' conversion (this program carries no
  // conversion tables), then through the engine.
  static std::string translate(cj::CjEngine& engine, const std::string& line) {
    std::string text;
    EXPECT_TRUE(dbcs::tableWordToEngineCode(line, text)) << line;
    std::u16string out;
    cj::translateChineseText(engine, text, out);
    return plat::wideToUtf8(out);
  }
  static std::vector<std::string> translateAll(cj::CjEngine& engine, const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& line : lines) out.push_back(translate(engine, line));
    return out;
  }

  static datagen::TempDevice* device_;
  static datagen::CjDataFiles* files_;
  static bool built_;
};

datagen::TempDevice* CjEngines::device_ = nullptr;
datagen::CjDataFiles* CjEngines::files_ = new datagen::CjDataFiles();
bool CjEngines::built_ = false;

// On the second card every word of a one-word key is a placeholder of as many characters.
void withPlaceholderWords(datagen::CjDataFiles& files) {
  std::istringstream in(files["cjwords.txt"]);
  std::string table, line;
  while (std::getline(in, line)) {
    const std::size_t tab = line.find('\t');
    if (line.empty() || line[0] == '#' || tab == std::string::npos ||
        line.find_first_of("|\\", tab) != std::string::npos) {
      table += line + '\n';
      continue;
    }
    table += line.substr(0, tab + 1);
    for (std::size_t i = tab + 1; i < line.size(); ++i)
      if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80) table += "\\xED\\xFC";
    table += '\n';
  }
  files["cjwords.txt"] = table;
}
void withoutWordTable(datagen::CjDataFiles& files) { files.erase("cjwords.txt"); }
void withoutGotoFile(datagen::CjDataFiles& files) { files.erase("transfer.dac"); }

// 开 has a transitive and an intransitive rendering; the verb phrase chooses: with an object the
// transitive one, without (the subject alone, a state, a negation) the intransitive one.
TEST_F(CjEngines, TheVerbPhraseChoosesTransitiveOrIntransitive) {
  ASSERT_TRUE(built_);
  const std::unique_ptr<cj::CjEngine> engine = cj::openCjEngine(plat::utf8ToWide(folderOf("Transitivity")));
  ASSERT_EQ(engine->engineStatus, cj::kStatusOk);
  // UTF-8 literals: this program's plain literals are Shift-JIS.
  const struct {
    const char8_t* chinese;
    const char8_t* japanese;
  } cases[] = {
      {u8"门开着。", u8"ドアは開いている。"},
      {u8"妈妈开门。", u8"お母さんはドアを開ける。"},
      {u8"门没开。", u8"ドアは開かなかった。"},
  };
  for (const auto& k : cases) {
    const std::string chinese(reinterpret_cast<const char*>(k.chinese));
    EXPECT_EQ(translate(*engine, chinese), reinterpret_cast<const char*>(k.japanese)) << chinese;
  }
}

// Lines put before the word table by withLinesFirst.
std::string gLinesFirst;
void withLinesFirst(datagen::CjDataFiles& files) { files["cjwords.txt"] = gLinesFirst + files["cjwords.txt"]; }

// A word table that is missing or breaks its schema stops the engine, which says where and why.
TEST_F(CjEngines, AFailedWordTableNamesItsLineAndCause) {
  ASSERT_TRUE(built_);
  // The first key of the table, given again before it.
  const std::string& table = (*files_)["cjwords.txt"];
  std::size_t from = 0;
  while (from < table.size() && (table[from] == '#' || table[from] == '\n')) from = table.find('\n', from) + 1;
  const std::string firstLine = table.substr(from, table.find('\n', from) - from);
  const std::string firstKey = firstLine.substr(0, firstLine.find('\t'));
  struct Case {
    std::string linesFirst;
    std::string problem;
  } cases[] = {
      {"# comment\nno tab here\n", "cjwords.txt line 2: no tab between key and value"},
      {"a\t\xFF\n", "cjwords.txt line 1: not valid UTF-8"},
      {firstLine + "\n", "key " + firstKey + " given twice"},
  };
  int n = 0;
  for (const Case& c : cases) {
    gLinesFirst = c.linesFirst;
    const std::unique_ptr<cj::CjEngine> engine =
        cj::openCjEngine(plat::utf8ToWide(folderOf("Broken" + std::to_string(n++), withLinesFirst)));
    EXPECT_EQ(engine->engineStatus, cj::kStatusWordTableFailed);
    EXPECT_NE(engine->wordTableProblem.find(c.problem), std::string::npos) << engine->wordTableProblem;
    EXPECT_EQ(engine->wordTableProblem.rfind("cjwords.txt line ", 0), 0u) << engine->wordTableProblem;
  }
  const std::unique_ptr<cj::CjEngine> missing = cj::openCjEngine(plat::utf8ToWide(folderOf("Missing", withoutWordTable)));
  EXPECT_EQ(missing->wordTableProblem.rfind("cannot read ", 0), 0u) << missing->wordTableProblem;
  EXPECT_NE(missing->wordTableProblem.find("cjwords.txt"), std::string::npos) << missing->wordTableProblem;
  const std::unique_ptr<cj::CjEngine> sound = cj::openCjEngine(plat::utf8ToWide(folderOf("Sound")));
  EXPECT_EQ(sound->wordTableProblem, "");
}

TEST_F(CjEngines, AnEngineThatFailsToStartLeavesTheOthersAsTheyWere) {
  ASSERT_TRUE(built_);
  const std::vector<std::string> lines = pinnedInputs();
  ASSERT_FALSE(lines.empty());
  const std::unique_ptr<cj::CjEngine> first = cj::openCjEngine(plat::utf8ToWide(folderOf("First")));
  ASSERT_EQ(first->engineStatus, cj::kStatusOk);
  const std::vector<std::string> before = translateAll(*first, lines);

  // The word table fails, then the grammar's goto file: each after the files before it loaded.
  const std::unique_ptr<cj::CjEngine> noWords = cj::openCjEngine(plat::utf8ToWide(folderOf("NoWords", withoutWordTable)));
  EXPECT_EQ(noWords->engineStatus, cj::kStatusWordTableFailed);
  const std::unique_ptr<cj::CjEngine> noGotos = cj::openCjEngine(plat::utf8ToWide(folderOf("NoGotos", withoutGotoFile)));
  EXPECT_EQ(noGotos->engineStatus, cj::kStatusGotoFileMissing);
  EXPECT_EQ(translateAll(*first, lines), before);

  // A restart that fails on a folder gone bad touches only its own engine.
  EXPECT_NE(cj::restartCjEngine(*noWords), cj::kStatusOk);
  EXPECT_EQ(translateAll(*first, lines), before);
}

TEST_F(CjEngines, EnginesOnTwoCardsEachTranslateWithTheirOwn) {
  ASSERT_TRUE(built_);
  const std::vector<std::string> lines = pinnedInputs();
  const std::unique_ptr<cj::CjEngine> sample = cj::openCjEngine(plat::utf8ToWide(folderOf("Sample")));
  ASSERT_EQ(sample->engineStatus, cj::kStatusOk);
  const std::vector<std::string> sampleAlone = translateAll(*sample, lines);
  const std::unique_ptr<cj::CjEngine> other = cj::openCjEngine(plat::utf8ToWide(folderOf("Other", withPlaceholderWords)));
  ASSERT_EQ(other->engineStatus, cj::kStatusOk);
  const std::vector<std::string> otherAlone = translateAll(*other, lines);
  int differing = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) differing += sampleAlone[i] != otherAlone[i];
  ASSERT_GT(differing, 0) << "the second card's word table changes no pinned sentence: " << sampleAlone[0] << "/" << otherAlone[0];

  // Line by line in turn, each engine gives what it gave alone.
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(translate(*sample, lines[i]), sampleAlone[i]) << lines[i];
    EXPECT_EQ(translate(*other, lines[i]), otherAlone[i]) << lines[i];
  }
}

}  // namespace

namespace {

// An engine keeps its sentence work area and transfer context from one sentence to the next: what
// a sentence leaves there never reaches the next. Each pinned line gives the same after its
// neighbour in file order as after its neighbour in reverse order, and the same as on a new engine.
TEST_F(CjEngines, ALineTranslatesTheSameWhateverCameBefore) {
  ASSERT_TRUE(built_);
  const std::vector<std::string> lines = pinnedInputs();
  ASSERT_GT(lines.size(), 20u);
  const std::string folder = folderOf("Reuse");
  const std::unique_ptr<cj::CjEngine> engine = cj::openCjEngine(plat::utf8ToWide(folder));
  ASSERT_EQ(engine->engineStatus, cj::kStatusOk);
  const std::vector<std::string> forward = translateAll(*engine, lines);
  const std::vector<std::string> reversedLines(lines.rbegin(), lines.rend());
  const std::vector<std::string> backward = translateAll(*engine, reversedLines);
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(forward[i], backward[lines.size() - 1 - i]) << lines[i];
  // The longest lines, each first on an engine of its own.
  std::vector<std::size_t> longest(lines.size());
  for (std::size_t i = 0; i < longest.size(); ++i) longest[i] = i;
  std::sort(longest.begin(), longest.end(), [&](std::size_t a, std::size_t b) { return lines[a].size() > lines[b].size(); });
  for (std::size_t k = 0; k < 8; ++k) {
    const std::unique_ptr<cj::CjEngine> fresh = cj::openCjEngine(plat::utf8ToWide(folder));
    ASSERT_EQ(fresh->engineStatus, cj::kStatusOk);
    EXPECT_EQ(translate(*fresh, lines[longest[k]]), forward[longest[k]]) << lines[longest[k]];
  }
}

}  // namespace
