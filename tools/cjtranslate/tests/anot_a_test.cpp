// The A-not-A question (见不见) and the 不A不B pair through the console driver on both cards, over
// whole classes of words: every verb of a frame other than を keeps its object's particle when it is
// asked A-not-A, in a main question and in a governed one, and 不A不B negates both of its words.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/core/device.h"
#include "tools/datagen/build_programs.h"
#include "tools/datagen/temp_device.h"

namespace {

const std::string kSource = std::string(SUITE_TEST_SOURCE_DIR) + "/data";

std::vector<std::string> linesOf(const std::string& path) {
  std::vector<std::string> out;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    out.push_back(line);
  }
  return out;
}

std::vector<std::string> split(const std::string& s, char by) {
  std::vector<std::string> out;
  std::stringstream in(s);
  for (std::string part; std::getline(in, part, by);) out.push_back(part);
  return out;
}

std::string trim(const std::string& s) {
  const std::size_t a = s.find_first_not_of(' '), b = s.find_last_not_of(' ');
  return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

bool endsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

int count(const std::string& s, const std::string& part) {
  int n = 0;
  for (std::size_t at = s.find(part); at != std::string::npos; at = s.find(part, at + part.size())) ++n;
  return n;
}

// The particle of each frame letter the grammar's frame lines read.
const std::map<char, std::string> kFrameParticle = {{'2', "が"}, {'6', "に"}, {'8', "と"}, {'A', "と"}};

struct Entry {
  std::string word, pos, translation;  // pos: the class letters; translation: the first V line
  char frame = 0;
};

// The sample dictionary's entries, with the frame of the first verb translation.
std::vector<Entry> sampleEntries() {
  std::vector<Entry> out;
  for (const std::string& line : linesOf(kSource + "/sample/cj/words.txt")) {
    const std::vector<std::string> f = split(line, '\t');
    if (line.empty() || line[0] == '#' || f.size() < 4) continue;
    Entry e{f[0], f[1].substr(0, f[1].find('\\')), "", 0};
    for (const std::string& t : split(f[3], '|')) {
      const std::vector<std::string> p = split(trim(t), ',');
      if (p.size() < 2) continue;
      if (e.translation.empty()) e.translation = p[0];
      if (p[0] == "V") {
        if (p.size() > 3 && !p[3].empty()) e.frame = p[3][0];
        break;
      }
    }
    out.push_back(e);
  }
  return out;
}

struct Framed {
  std::string verb, particle;
  bool sampleCard = true;  // false: a word of the full card only
};

// Every verb asked with a frame other than を: the sample dictionary's framed verbs, the grammar's
// verbs of going and coming, and on the full card the verbs of its frame list.
std::vector<Framed> framedVerbs() {
  std::vector<Framed> out;
  for (const Entry& e : sampleEntries()) {
    if (auto p = kFrameParticle.find(e.frame); p != kFrameParticle.end()) out.push_back({e.word, p->second});
  }
  for (const std::string& line : linesOf(kSource + "/sample/cj/grammar.txt")) {
    if (line.rfind("(0,CAT[V]&CHI[", 0) != 0 || !endsWith(line, ") 701") || line.find('$') != std::string::npos) continue;
    const std::size_t at = line.find("CHI[") + 4;
    for (const std::string& v : split(line.substr(at, line.find(']', at) - at), ',')) out.push_back({v, "に"});
  }
  for (const std::string& line : linesOf(kSource + "/full/verb_frames.txt")) {
    const std::vector<std::string> f = split(line, '\t');
    if (line.empty() || line[0] == '#' || f.size() < 2 || f[1] == "-") continue;
    out.push_back({f[0], f[1], false});
  }
  return out;
}

class AnotA : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    device_ = new datagen::TempDevice();
    cardBuilt_ = datagen::writeCardWithProgram(kSource + "/sample", plat::hostPath(device_->card()));
  }
  static void TearDownTestSuite() {
    delete device_;
    device_ = nullptr;
  }

  static std::vector<std::string> onSample(const std::vector<std::string>& lines) {
    const std::string driver = datagen::shellQuoted(datagen::binFolder() + "/cjtranslate");
    datagen::LinesRun run = datagen::runOnLines(driver, device_->root(), lines);
    EXPECT_EQ(run.status, 0) << run.errors;
    return run.lines;
  }

  // Empty when the build laid out no full card.
  static std::vector<std::string> onFull(const std::vector<std::string>& lines) {
    const std::string full = datagen::buildFolder() + "/fullcard/device";
    if (!std::filesystem::exists(full + "/Card/Talvenro/Chinese/LindqvarDic/CJSYSTEMDIC/cwcdic.dic")) return {};
    const std::string driver = datagen::shellQuoted(datagen::binFolder() + "/cjtranslate");
    const std::string scratch = ::testing::TempDir() + "anota_" + std::to_string(::getpid());
    std::filesystem::create_directories(scratch);
    datagen::LinesRun run =
        datagen::runOnLines("SUITE_DEVICE_ROOT=" + datagen::shellQuoted(full) + " " + driver, scratch, lines);
    EXPECT_EQ(run.status, 0) << run.errors;
    std::filesystem::remove_all(scratch);
    return run.lines;
  }

  static datagen::TempDevice* device_;
  static bool cardBuilt_;
};

datagen::TempDevice* AnotA::device_ = nullptr;
bool AnotA::cardBuilt_ = false;

// 你见不见他？ asks once with the particle its verb takes in 你见他。 (彼に会うか？); 我不知道你见不见他。
// is a governed question (彼に会うかどうか。). A verb whose plain sentence lacks the particle on a card
// (a word of that card without its frame) is left out there; most are not.
TEST_F(AnotA, FramedVerbKeepsItsParticle) {
  ASSERT_TRUE(cardBuilt_);
  const std::vector<Framed> verbs = framedVerbs();
  ASSERT_GE(verbs.size(), 20u);
  auto check = [](const std::vector<Framed>& verbs, auto translate, const char* card) {
    std::vector<std::string> lines;
    for (const Framed& v : verbs) {
      const std::string asked = v.verb + "不" + v.verb + "他";
      lines.push_back("你" + v.verb + "他。");
      lines.push_back("你" + asked + "？");
      lines.push_back("我不知道你" + asked + "。");
    }
    const std::vector<std::string> out = translate(lines);
    if (out.empty()) return;
    ASSERT_EQ(out.size(), lines.size()) << card;
    std::size_t framed = 0;
    for (std::size_t i = 0; i < verbs.size(); ++i) {
      const std::string object = "彼" + verbs[i].particle;
      if (out[3 * i].find(object) == std::string::npos) continue;
      ++framed;
      const std::string& main = out[3 * i + 1];
      const std::string& governed = out[3 * i + 2];
      EXPECT_NE(main.find(object), std::string::npos) << card << ": " << lines[3 * i + 1] << " -> " << main;
      EXPECT_TRUE(endsWith(main, "か？")) << card << ": " << lines[3 * i + 1] << " -> " << main;
      EXPECT_EQ(main.find("かか"), std::string::npos) << card << ": " << lines[3 * i + 1] << " -> " << main;
      EXPECT_EQ(main.find("かどうか"), std::string::npos) << card << ": " << lines[3 * i + 1] << " -> " << main;
      EXPECT_NE(governed.find(object), std::string::npos) << card << ": " << lines[3 * i + 2] << " -> " << governed;
      EXPECT_TRUE(endsWith(governed, "かどうか。")) << card << ": " << lines[3 * i + 2] << " -> " << governed;
    }
    EXPECT_GE(framed * 10, verbs.size() * 8) << card << ": too few verbs keep their frame in a plain sentence";
  };
  std::vector<Framed> sample;
  for (const Framed& v : verbs) {
    if (v.sampleCard) sample.push_back(v);
  }
  check(sample, onSample, "sample");
  check(verbs, onFull, "full");
}

// 不A不B over the sample dictionary's one-character adjectives and verbs, paired in order: both words
// are negated (寒くなくて暑くない, 食べないで飲まない), never listed with たり.
TEST_F(AnotA, NotANotBNegatesBoth) {
  ASSERT_TRUE(cardBuilt_);
  // Words that make a word of their own after 不 (不少, 不多, 不等, 不觉, 不问), the copula, 有 and auxiliaries.
  const std::vector<std::string> skip = {"少", "多", "等", "觉", "问", "是", "有", "能", "要", "想", "会"};
  std::vector<std::string> adjectives, verbs;
  for (const Entry& e : sampleEntries()) {
    if (e.word.size() != 3) continue;  // one character
    if (std::find(skip.begin(), skip.end(), e.word) != skip.end()) continue;
    if (e.pos.rfind("A", 0) == 0 && e.translation == "A") adjectives.push_back(e.word);
    if (e.pos == "V" && e.translation == "V") verbs.push_back(e.word);
  }
  ASSERT_GE(adjectives.size(), 6u);
  ASSERT_GE(verbs.size(), 10u);
  std::vector<std::string> lines;
  for (std::size_t i = 0; i + 1 < adjectives.size(); i += 2)
    lines.push_back("这个不" + adjectives[i] + "不" + adjectives[i + 1] + "。");
  for (std::size_t i = 0; i + 1 < verbs.size(); i += 2) lines.push_back("他不" + verbs[i] + "不" + verbs[i + 1] + "。");
  for (const std::vector<std::string>& out : {onSample(lines), onFull(lines)}) {
    if (out.empty()) continue;
    ASSERT_EQ(out.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      EXPECT_GE(count(out[i], "ない") + count(out[i], "なく"), 2) << lines[i] << " -> " << out[i];
      EXPECT_EQ(out[i].find("たり"), std::string::npos) << lines[i] << " -> " << out[i];
    }
  }
}

}  // namespace
