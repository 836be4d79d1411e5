// Whole classes of words through the console driver on both cards: every word the card's grammar or
// dictionary puts in a class is translated in one frame sentence and its output is checked.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/core/device.h"
#include "tools/datagen/build_programs.h"
#include "tools/datagen/temp_device.h"

namespace {

const std::string kSource = std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample";

std::vector<std::string> linesOf(const std::string& path) {
  std::vector<std::string> out;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

bool endsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// The words of a grammar symbol's CHI[a,b,...] list.
std::vector<std::string> chiList(const std::string& line) {
  std::vector<std::string> words;
  const std::size_t at = line.find("CHI[");
  if (at == std::string::npos) return words;
  const std::size_t end = line.find(']', at);
  std::stringstream list(line.substr(at + 4, end - at - 4));
  for (std::string w; std::getline(list, w, ',');) words.push_back(w);
  return words;
}

// The verbs that 没 may stand before with a purpose after them: the grammar's goto lines of
// "没 V VP" (group VP2, state 11, every line that leads to the purpose rule's state).
std::vector<std::string> motionVerbs() {
  std::vector<std::string> verbs;
  bool inGroup = false;
  for (const std::string& line : linesOf(kSource + "/cj/grammar.txt")) {
    if (line.rfind("%<", 0) == 0) inGroup = line == "%<VP2>";
    if (!inGroup || line.rfind("(11,CAT[V]&", 0) != 0 || !endsWith(line, ") 15")) continue;
    for (const std::string& w : chiList(line)) verbs.push_back(w);
  }
  return verbs;
}

// The sample dictionary's nouns of people and animals (a[H], a[A]).
std::vector<std::string> animateNouns() {
  std::vector<std::string> nouns;
  for (const std::string& line : linesOf(kSource + "/cj/words.txt")) {
    const std::size_t tab = line.find('\t');
    if (line.empty() || line[0] == '#' || tab == std::string::npos) continue;
    const std::string entry = line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1);
    if (entry.rfind("N\\", 0) == 0 && (entry.find("a[H]") != std::string::npos || entry.find("a[A]") != std::string::npos))
      nouns.push_back(line.substr(0, tab));
  }
  return nouns;
}

class TransferClasses : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    device_ = new datagen::TempDevice();
    cardBuilt_ = datagen::writeCardWithProgram(kSource, plat::hostPath(device_->card()));
  }
  static void TearDownTestSuite() {
    delete device_;
    device_ = nullptr;
  }

  // The lines on the sample card and, when the build laid it out, on the full card.
  std::vector<std::vector<std::string>> onBothCards(const std::vector<std::string>& lines) {
    std::vector<std::vector<std::string>> out;
    const std::string driver = datagen::shellQuoted(datagen::binFolder() + "/cjtranslate");
    datagen::LinesRun sample = datagen::runOnLines(driver, device_->root(), lines);
    EXPECT_EQ(sample.status, 0) << sample.errors;
    out.push_back(sample.lines);
    const std::string full = datagen::buildFolder() + "/fullcard/device";
    if (std::filesystem::exists(full + "/Card/Talvenro/Chinese/LindqvarDic/CJSYSTEMDIC/cwcdic.dic")) {
      const std::string scratch = ::testing::TempDir() + "classes_" + std::to_string(::getpid());
      std::filesystem::create_directories(scratch);
      datagen::LinesRun f = datagen::runOnLines("SUITE_DEVICE_ROOT=" + datagen::shellQuoted(full) + " " + driver,
                                                scratch, lines);
      EXPECT_EQ(f.status, 0) << f.errors;
      out.push_back(f.lines);
      std::filesystem::remove_all(scratch);
    }
    return out;
  }

  static datagen::TempDevice* device_;
  static bool cardBuilt_;
};

datagen::TempDevice* TransferClasses::device_ = nullptr;
bool TransferClasses::cardBuilt_ = false;

// 没 before a verb of going or coming and a purpose: the purpose takes に and the motion verb is
// negated in the past, never the purpose verb (彼帰宅しないでご飯を食べる).
TEST_F(TransferClasses, NegatedMotionVerbBeforeAPurpose) {
  ASSERT_TRUE(cardBuilt_);
  const std::vector<std::string> verbs = motionVerbs();
  ASSERT_GE(verbs.size(), 15u);
  std::vector<std::string> lines;
  for (const std::string& v : verbs) lines.push_back("他没" + v + "吃饭。");
  for (const auto& out : onBothCards(lines)) {
    ASSERT_EQ(out.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      EXPECT_EQ(out[i].rfind("彼はご飯を食べに", 0), 0u) << lines[i] << " -> " << out[i];
      EXPECT_TRUE(endsWith(out[i], "なかった。")) << lines[i] << " -> " << out[i];
    }
  }
}

// 没有 before a person or an animal, after a place or none: いない; 有 keeps いる.
TEST_F(TransferClasses, NegatedExistenceOfSomeoneStaysNegated) {
  ASSERT_TRUE(cardBuilt_);
  const std::vector<std::string> nouns = animateNouns();
  ASSERT_GE(nouns.size(), 5u);
  std::vector<std::string> lines;
  for (const std::string& n : nouns) {
    for (const char* frame : {"房间里没有", "这里没有", "他没有"}) lines.push_back(frame + n + "。");
    lines.push_back("房间里有" + n + "。");
  }
  for (const auto& out : onBothCards(lines)) {
    ASSERT_EQ(out.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const bool negated = lines[i].find("没有") != std::string::npos;
      if (negated) {
        EXPECT_NE(out[i].find("いない"), std::string::npos) << lines[i] << " -> " << out[i];
      } else {
        EXPECT_NE(out[i].find("いる"), std::string::npos) << lines[i] << " -> " << out[i];
        EXPECT_EQ(out[i].find("いない"), std::string::npos) << lines[i] << " -> " << out[i];
      }
    }
  }
}

}  // namespace
