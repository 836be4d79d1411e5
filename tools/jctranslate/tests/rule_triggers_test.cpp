// The trigger words of the Japanese-to-Chinese rules (data/jc_rule_triggers.txt): the sample card's
// analyser reads each rule's sentence with every trigger word as one morpheme, in order.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/jc/analyser/jp_analyzer.h"
#include "engine/jc/analyser/jp_input_prep.h"
#include "engine/jc/analyser/morph_file.h"
#include "platform/core/codepage.h"
#include "platform/core/files.h"
#include "platform/core/resources.h"
#include "tools/datagen/jp_dictionary_pair.h"
#include "tools/datagen/temp_device.h"

namespace {

constexpr char16_t kFolder[] = u"\\Storage Card\\Talvenro\\Chinese\\LindqvarDic\\JCSystemdic\\";
constexpr char kBase[] = "\\Storage Card\\Talvenro\\Chinese\\LindqvarDic\\JCSystemdic\\JCMAIN";

std::string sourceFile(const std::string& path) {
  std::ifstream in(std::string(SUITE_TEST_SOURCE_DIR) + "/" + path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> split(const std::string& s, char by) {
  std::vector<std::string> out;
  std::istringstream in(s);
  for (std::string x; std::getline(in, x, by);)
    if (!x.empty()) out.push_back(x);
  return out;
}

struct Trigger {
  int line;
  std::string rule;
  std::vector<std::string> words;
  std::string sentence;
};

// The list's entries; a malformed line fails the test.
std::vector<Trigger> readTriggers(const std::string& text) {
  std::vector<Trigger> out;
  std::istringstream in(text);
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> f;
    std::istringstream fields(line);
    for (std::string x; std::getline(fields, x, '\t');) f.push_back(x);
    if (f.size() != 3 || f[0].empty() || split(f[1], ' ').empty() || f[2].empty()) {
      ADD_FAILURE() << "line " << number << ": rule, trigger words, sentence";
      continue;
    }
    out.push_back({number, f[0], split(f[1], ' '), f[2]});
  }
  return out;
}

class RuleTriggers : public ::testing::Test {
 protected:
  void SetUp() override {
    a->dataFolder = kFolder;
    jc::constructJpAnalyzer(a.get());
    std::string error;
    ASSERT_TRUE(datagen::writeJpLexiconDictionary(sourceFile("data/sample/jc/lexicon.txt"),
                                                  plat::findResource("CONNECT", "CON_TBL_PDA").bytes(), kBase, &error))
        << error;
    ASSERT_EQ(jc::initJpAnalyzer(a.get()), 1);
  }
  void TearDown() override { jc::freeJpAnalyzer(a.get()); }

  // Surface and base form of each morpheme's first line, in UTF-8, for a UTF-8 sentence.
  std::vector<std::pair<std::string, std::string>> morphemes(const std::string& sentence) {
    std::vector<std::pair<std::string, std::string>> out;
    const std::string shiftJis = plat::wideToMultiByte(932, plat::utf8ToWide(sentence));
    if (jc::prepareJapaneseLine(shiftJis, a->input, jc::kJpInputSize) <= 0) return out;
    if (jc::writeMorphFile(a.get(), u"\\MORPH.TMP") != jc::kMorphFileOk) return out;
    std::string bytes;
    if (!plat::readWholeFile("\\MORPH.TMP", bytes)) return out;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) {
      if (line.empty() || line[0] != '\t') continue;
      std::vector<std::string> f;
      std::istringstream fields(line.substr(1));
      for (std::string x; std::getline(fields, x, '\t');) f.push_back(x);
      if (f.size() < 2) continue;
      out.emplace_back(plat::wideToUtf8(plat::multiByteToWide(932, f[0])),
                       plat::wideToUtf8(plat::multiByteToWide(932, f[1])));
    }
    return out;
  }

  datagen::TempDevice dev;
  std::unique_ptr<jc::JpAnalyzer> a{new jc::JpAnalyzer()};
};

TEST_F(RuleTriggers, TheCardProducesEveryRulesTriggerWords) {
  const std::vector<Trigger> triggers = readTriggers(sourceFile("data/jc_rule_triggers.txt"));
  ASSERT_GE(triggers.size(), 60u);
  for (const Trigger& t : triggers) {
    const auto m = morphemes(t.sentence);
    std::string read;
    for (const auto& [surface, base] : m) read += surface + "(" + base + ") ";
    // Each trigger word is a morpheme's surface or base form, after the previous one.
    std::size_t at = 0;
    for (const std::string& w : t.words) {
      while (at < m.size() && m[at].first != w && m[at].second != w) ++at;
      EXPECT_LT(at, m.size()) << "line " << t.line << " " << t.rule << ": " << w << " not read in " << t.sentence
                              << "\n  " << read;
      if (at < m.size()) ++at;
    }
  }
}

// The check itself: a word the card lacks, or a word split in two, is not found.
TEST_F(RuleTriggers, AWordTheCardCannotProduceIsNotFound) {
  auto has = [&](const std::string& sentence, const std::string& word) {
    for (const auto& [surface, base] : morphemes(sentence))
      if (surface == word || base == word) return true;
    return false;
  };
  EXPECT_TRUE(has("彼は来ないはずだ。", "はず"));
  EXPECT_FALSE(has("彼は来ないはずだ。", "はずだ"));
  EXPECT_FALSE(has("あながち嘘ではない。", "あながち"));
}

}  // namespace
