// The analyser's MORPH.TMP read by the parser library, on the sample card's lexicon.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>

#include "engine/jc/analyser/jp_input_prep.h"
#include "engine/jc/analyser/morph_file.h"
#include "platform/core/files.h"
#include "platform/synparse/parse_text.h"
#include "platform/synparse/synparse_api.h"
#include "tools/datagen/jp_dictionary_pair.h"
#include "tools/datagen/temp_device.h"

namespace jc {
namespace {

constexpr char16_t kFolder[] = u"\\Storage Card\\Talvenro\\Chinese\\LindqvarDic\\JCSystemdic\\";
constexpr char kBase[] = "\\Storage Card\\Talvenro\\Chinese\\LindqvarDic\\JCSystemdic\\JCMAIN";

class MorphToParseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    a->dataFolder = kFolder;
    constructJpAnalyzer(a.get());
    std::ifstream in(std::string(JC_SOURCE_ROOT) + "/data/sample/jc/lexicon.txt", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    ASSERT_TRUE(datagen::writeJpLexiconDictionary(text.str(), plat::findResource("CONNECT", "CON_TBL_PDA").bytes(),
                                                  kBase, &error))
        << error;
    ASSERT_EQ(initJpAnalyzer(a.get()), 1);
    ASSERT_EQ(synparse::initParser(nullptr), 0);
  }
  void TearDown() override {
    synparse::terminateParser();
    freeJpAnalyzer(a.get());
  }

  // Prepares and analyses a line, parses MORPH.TMP; returns the parse text.
  std::string run(const std::string& line) {
    EXPECT_GT(prepareJapaneseLine(line, a->input, kJpInputSize), 0);
    EXPECT_EQ(writeMorphFile(a.get(), u"\\MORPH.TMP"), kMorphFileOk);
    EXPECT_TRUE(plat::readWholeFile("\\MORPH.TMP", morph));
    char buffer[synparse::kParseBufferSize];
    EXPECT_EQ(synparse::parseMorphFile(u"\\MORPH.TMP", buffer), 0);
    return buffer;
  }

  // The surface of the MORPH.TMP line at each "! " offset, joined by '|', phrases by '/'.
  std::string phrases(const std::string& text) {
    std::string out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
      if (line[0] == '*' && !out.empty()) out += "/";
      if (line[0] != '!') continue;
      std::size_t off = std::stoul(line.substr(2));
      std::size_t end = morph.find('\t', off + 1);
      if (!out.empty() && out.back() != '/') out += "|";
      out += morph.substr(off + 1, end - off - 1);
    }
    return out;
  }

  datagen::TempDevice dev;
  std::unique_ptr<JpAnalyzer> a{new JpAnalyzer()};
  std::string morph;
};

TEST_F(MorphToParseTest, AnalysedLinesReachTheParseText) {
  struct Case {
    const char* line;
    const char* phrases;
    const char* heads;
  } cases[] = {
      {"私は本を読んだ。", "私|は/本|を/読んだ|。", "2D|2D|-1-"},
      {"田中と山田が来た。", "田中|と/山田|が/来た|。", "1D|2D|-1-"},
      {"新しい本を読む。", "新しい/本|を/読む|。", "1D|2D|-1-"},
      {"本が読まれた。", "本|が/読ま|れた|。", "1D|-1-"},
  };
  for (const Case& c : cases) {
    std::string text = run(c.line);
    EXPECT_EQ(phrases(text), c.phrases) << c.line << "\n" << morph;
    std::string heads;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
      if (line[0] == '*') heads += (heads.empty() ? "" : "|") + line.substr(2, line.find(' ', 2) - 2);
    EXPECT_EQ(heads, c.heads) << c.line;
  }
  EXPECT_NE(run("本が読まれた。").find("/1 2\n"), std::string::npos);
}

}  // namespace
}  // namespace jc
