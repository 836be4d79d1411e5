// The classes the sample dictionary gives its function words (I preposition, S classifier, J
// conjunction) through the console driver: every such word in a sentence, its own rendering checked.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/core/device.h"
#include "tools/datagen/build_programs.h"
#include "tools/datagen/temp_device.h"

namespace {

const std::string kSource = std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample";

struct DictionaryWord {
  std::string word;
  std::string classes;  // the letters before the entry's backslash
  std::string classifierText;  // the text of its classifier line ("Q,冊,..."), if any
};

std::vector<DictionaryWord> sampleWords() {
  std::vector<DictionaryWord> out;
  std::ifstream in(kSource + "/cj/words.txt");
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> f;
    for (std::size_t at = 0;;) {
      const std::size_t tab = line.find('\t', at);
      f.push_back(line.substr(at, tab == std::string::npos ? std::string::npos : tab - at));
      if (tab == std::string::npos) break;
      at = tab + 1;
    }
    if (f.size() < 4) continue;
    DictionaryWord w{f[0], f[1].substr(0, f[1].find('\\')), ""};
    const std::size_t q = f[3].find("Q,");
    if (q != std::string::npos && (q == 0 || f[3][q - 1] == ' ')) {
      const std::size_t end = f[3].find(',', q + 2);
      w.classifierText = f[3].substr(q + 2, end - q - 2);
    }
    out.push_back(w);
  }
  return out;
}

class WordClassLetters : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    device_ = new datagen::TempDevice();
    cardBuilt_ = datagen::writeCardWithProgram(kSource, plat::hostPath(device_->card()));
  }
  static void TearDownTestSuite() {
    delete device_;
    device_ = nullptr;
  }

  std::vector<std::string> onSample(const std::vector<std::string>& lines) {
    const std::string driver = datagen::shellQuoted(datagen::binFolder() + "/cjtranslate");
    datagen::LinesRun run = datagen::runOnLines(driver, device_->root(), lines);
    EXPECT_EQ(run.status, 0) << run.errors;
    return run.lines;
  }

  // The full card's lines when the build laid it out (empty otherwise).
  std::vector<std::string> onFull(const std::vector<std::string>& lines) {
    const std::string full = datagen::buildFolder() + "/fullcard/device";
    if (!std::filesystem::exists(full + "/Card/Talvenro/Chinese/LindqvarDic/CJSYSTEMDIC/cwcdic.dic")) return {};
    const std::string scratch = ::testing::TempDir() + "letters_" + std::to_string(::getpid());
    std::filesystem::create_directories(scratch);
    const std::string driver = datagen::shellQuoted(datagen::binFolder() + "/cjtranslate");
    datagen::LinesRun run = datagen::runOnLines("SUITE_DEVICE_ROOT=" + datagen::shellQuoted(full) + " " + driver,
                                                scratch, lines);
    EXPECT_EQ(run.status, 0) << run.errors;
    std::filesystem::remove_all(scratch);
    return run.lines;
  }

  static datagen::TempDevice* device_;
  static bool cardBuilt_;
};

datagen::TempDevice* WordClassLetters::device_ = nullptr;
bool WordClassLetters::cardBuilt_ = false;

// Every preposition (I) and conjunction (J) of the sample dictionary in a sentence of its own, on
// both cards: the preposition's particle after its object, the conjunction's own word.
TEST_F(WordClassLetters, EveryPrepositionAndConjunctionKeepsItsRendering) {
  ASSERT_TRUE(cardBuilt_);
  const std::map<std::string, std::pair<std::string, std::string>> frames = {
      {"和", {"我和他一起去。", "彼と"}},
      {"跟", {"我跟他一起去学校。", "彼と"}},
      {"在", {"我在家看书。", "家で"}},
      {"从", {"他从学校来。", "学校から"}},
      {"到", {"我到学校去。", "学校に"}},
      {"给", {"我给妈妈打电话。", "お母さんに"}},
      {"对", {"他对我很好。", "私に"}},
      {"把", {"我把饭吃了。", "ご飯を"}},
      {"被", {"他被老师批评了。", "先生に"}},
      {"比", {"他比我高。", "私より"}},
      {"向", {"他向我走来。", "私へ"}},
      {"为", {"我为妈妈做饭。", "お母さんのために"}},
      {"关于", {"关于这个问题，我不知道。", "問題について"}},
      {"用", {"我用手机打电话。", "携帯電話で"}},
      {"但是", {"但是他不来。", "しかし"}},
      {"可是", {"可是我很忙。", "でも"}},
      {"因为", {"因为下雨，我不去。", "ので"}},
      {"所以", {"所以我不去。", "だから"}},
      {"虽然", {"虽然很累，我很高兴。", "けれども"}},
      {"不然", {"不然我不去。", "さもないと"}},
      {"不过", {"不过我很忙。", "でも"}},
      {"以及", {"老师以及学生都来了。", "先生と学生"}},
      {"那么", {"那么我们走吧。", "それでは"}},
      {"与", {"我与他都是学生。", "私と彼"}},
      {"同", {"我同他都是学生。", "私と彼"}},
      {"以", {"我们以他为榜样。", "彼で"}},
      {"如", {"如有问题，请告诉我。", "もし問題"}},
      {"为着", {"为着孩子，她很努力。", "子供のために"}},
      {"而", {"他聪明而努力。", "そして"}},
      {"并且", {"他会说英语，并且会说日语。", "そのうえ"}},
      {"而且", {"她不但漂亮，而且很聪明。", "しかも"}},
      {"加上", {"加上他，我们有五个人。", "彼を加える"}},
  };
  std::set<std::string> listed;
  for (const DictionaryWord& w : sampleWords())
    if (w.classes.find_first_of("IJ") != std::string::npos) listed.insert(w.word);
  std::set<std::string> framed;
  for (const auto& [word, frame] : frames) framed.insert(word);
  EXPECT_EQ(listed, framed) << "each preposition and conjunction of the dictionary has its sentence here";

  std::vector<std::string> lines, wanted;
  for (const auto& [word, frame] : frames) {
    lines.push_back(frame.first);
    wanted.push_back(frame.second);
  }
  for (const std::vector<std::string>& out : {onSample(lines), onFull(lines)}) {
    if (out.empty()) continue;
    ASSERT_EQ(out.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
      EXPECT_NE(out[i].find(wanted[i]), std::string::npos) << lines[i] << " -> " << out[i];
  }
}

// Every classifier (S first) of the sample dictionary after a numeral and before a noun: the
// classifier's own counter, never the numeral alone (三の本).
TEST_F(WordClassLetters, EveryClassifierCountsWithItsOwnCounter) {
  ASSERT_TRUE(cardBuilt_);
  std::vector<std::string> lines, wanted;
  for (const DictionaryWord& w : sampleWords()) {
    if (w.classes.empty() || w.classes[0] != 'S') continue;
    ASSERT_FALSE(w.classifierText.empty()) << w.word << " has no classifier line";
    lines.push_back("我买了三" + w.word + "书。");
    wanted.push_back("三" + w.classifierText + "の本");
  }
  ASSERT_GE(lines.size(), 15u);
  const std::vector<std::string> out = onSample(lines);
  ASSERT_EQ(out.size(), lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i)
    EXPECT_NE(out[i].find(wanted[i]), std::string::npos) << lines[i] << " -> " << out[i];
}

}  // namespace
