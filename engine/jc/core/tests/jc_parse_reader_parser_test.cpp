// Japanese lines analysed into MORPH.TMP, parsed by the parser library and read back into the
// sentence record, on the sample card's lexicon.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "engine/jc/core/jc_links.h"
#include "engine/jc/core/jc_parse_reader.h"
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

class ReaderThroughParser : public ::testing::Test {
 protected:
  void SetUp() override {
    a->dataFolder = kFolder;
    constructJpAnalyzer(a.get());
    std::ifstream in(std::string(JC_SOURCE_ROOT) + "/data/sample/jc/lexicon.txt", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    // An adjective the card lacks, 赤 and its Chinese, in the lexicon's UTF-8.
    std::string lexicon = text.str() + "\xE8\xB5\xA4\t3.0.18.0\t=\t\xE7\xBA\xA2\n";
    std::string error;
    ASSERT_TRUE(datagen::writeJpLexiconDictionary(lexicon, plat::findResource("CONNECT", "CON_TBL_PDA").bytes(), kBase,
                                                  &error))
        << error;
    ASSERT_EQ(initJpAnalyzer(a.get()), 1);
    ASSERT_EQ(synparse::initParser(nullptr), 0);
    zeroJcSentence(s.get());
    ASSERT_EQ(initJcSentence(s.get()), kJcInitOk);
  }
  void TearDown() override {
    releaseJcSentence(s.get());
    if (morph) plat::fileClose(morph);
    synparse::terminateParser();
    freeJpAnalyzer(a.get());
  }

  // Analyses and parses a line, then opens MORPH.TMP and sets the read position.
  void parse(const std::string& line) {
    ASSERT_GT(prepareJapaneseLine(line, a->input, kJpInputSize), 0);
    ASSERT_EQ(writeMorphFile(a.get(), u"\\MORPH.TMP"), kMorphFileOk);
    ASSERT_EQ(synparse::parseMorphFile(u"\\MORPH.TMP", buffer), 0);
    if (morph) plat::fileClose(morph);
    morph = plat::fileOpen(u"\\MORPH.TMP", "rb");
    ASSERT_NE(morph, nullptr);
    parseStart(cursor, buffer);
  }
  int next() {
    releaseJcSentence(s.get());
    zeroJcSentence(s.get());
    EXPECT_EQ(initJcSentence(s.get()), kJcInitOk);
    return readParsedSentence(s.get(), morph, cursor);
  }

  // The tree: a morpheme is its surface, a phrase its children in brackets with its label and
  // head phrase.
  std::string describe(int i) const {
    const JcNode& n = s->nodes[i];
    if (!n.firstChild) return n.surface.str();
    std::string out = "(";
    for (int c = n.firstChild; c; c = s->nodes[c].nextSibling) out += (c == n.firstChild ? "" : " ") + describe(c);
    out += ")";
    if (!n.depLabel.empty()) out += n.depLabel.str() + ">" + std::to_string(n.headPhrase);
    return out;
  }
  std::string describe() const {
    std::string out;
    for (int i = s->firstTop; i; i = s->nodes[i].nextSibling) out += (out.empty() ? "" : " ") + describe(i);
    return out;
  }

  datagen::TempDevice dev;
  std::unique_ptr<JpAnalyzer> a{new JpAnalyzer()};
  std::unique_ptr<JcSentence> s{new JcSentence};
  ParseCursor cursor;
  std::FILE* morph = nullptr;
  char buffer[synparse::kParseBufferSize];
};

TEST_F(ReaderThroughParser, SentencesBecomeTheTreeTheParserDescribes) {
  struct Case {
    const char* line;
    const char* tree;
    int root;
  } cases[] = {
      {"私は本を読んだ。", "(私 は)D1>9 (本 を)D11>9 (読んだ 。)", 9},
      // The adjective and its noun are one group, which takes the object's place.
      {"赤い本を買った。", "((赤い)D3>7 (本 を))D11>8 (買った 。)", 8},
      // A and B joined by と form one group, the subject.
      {"田中と山田が来た。", "((田中 と)D21>8 (山田 が))D20>9 (来た 。)", 9},
      {"本が読まれた。", "(本 が)D20>7 (読ま れた 。)", 7},
      // A quotation stays in its sentence and is attached by と to the verb of saying.
      {"「本を読んだ。」と言った。", "(「 本 を)D11>11 (読んだ 。 」 と)D21>12 (言った 。)", 12},
  };
  for (const Case& c : cases) {
    parse(c.line);
    ASSERT_EQ(next(), kParseReadOk) << c.line;
    EXPECT_EQ(describe(), c.tree) << c.line;
    EXPECT_EQ(s->rootPhrase, c.root) << c.line;
    EXPECT_EQ(next(), kParseReadAtEnd) << c.line;
  }
}

TEST_F(ReaderThroughParser, CodesAndCandidatesReachTheRecord) {
  parse("私は本を読んだ。");
  ASSERT_EQ(next(), kParseReadOk);
  const JcNode& topic = s->nodes[7];
  EXPECT_EQ(topic.usageCode.view(), "WA1");
  EXPECT_EQ(topic.jCode.view(), "J1");
  EXPECT_EQ(topic.labelHeads[labelHeadIndex("D1")], 9);
  EXPECT_NE(topic.abFeatures.view().find("|A1|"), std::string_view::npos);
  EXPECT_EQ(s->nodes[8].usageCode.view(), "WO1");
  EXPECT_NE(s->nodes[9].abFeatures.view().find("|A3|"), std::string_view::npos);  // receives the topic
  EXPECT_NE(s->nodes[9].abFeatures.view().find("|A14|"), std::string_view::npos);
  EXPECT_EQ(s->nodes[9].head, 5);  // 読んだ
  EXPECT_EQ(s->nodes[7].head, 1);  // 私
  EXPECT_EQ(s->nodes[5].baseForm.view(), "読む");
  EXPECT_EQ(s->nodes[5].pos.view(), "2");
  ASSERT_NE(s->targets[5].candidates, nullptr);
  EXPECT_FALSE(s->targets[5].candidates->chinese.empty());
  std::vector<std::tuple<int, int, std::string>> items;
  for (const JcLink* l = s->dependencyList; l && l->next; l = l->next) items.emplace_back(l->governor, l->dependent, l->label.str());
  EXPECT_EQ(items, (std::vector<std::tuple<int, int, std::string>>{{9, 7, "D1"}, {9, 8, "D11"}}));

  parse("「本を読んだ。」と言った。");
  ASSERT_EQ(next(), kParseReadOk);
  EXPECT_EQ(s->nodes[11].usageCode.view(), "TO3");
  EXPECT_EQ(s->nodes[11].jCode.view(), "J6");
  EXPECT_NE(s->nodes[11].abFeatures.view().find("|B17|"), std::string_view::npos);
  EXPECT_NE(s->nodes[10].abFeatures.view().find("|A22|"), std::string_view::npos);

  parse("本が読まれた。");
  ASSERT_EQ(next(), kParseReadOk);
  EXPECT_EQ(s->nodes[7].classChar, '2');  // the passive's voice class
  EXPECT_NE(s->nodes[7].abFeatures.view().find("|B-6|"), std::string_view::npos);
}

TEST_F(ReaderThroughParser, TwoSentencesOfOneLineAreReadInTurn) {
  parse("雨が降った。寝た。");
  ASSERT_EQ(next(), kParseReadOk);
  EXPECT_EQ(s->nodes[0].sentenceId.view(), "# S-ID:1");
  EXPECT_EQ(describe(), "(雨 が)D20>6 (降った 。)");
  ASSERT_EQ(next(), kParseReadOk);
  EXPECT_EQ(s->nodes[0].sentenceId.view(), "# S-ID:2");
  EXPECT_EQ(describe(), "(寝た 。)");
  EXPECT_EQ(s->rootPhrase, 3);
  EXPECT_EQ(next(), kParseReadAtEnd);
}

}  // namespace
}  // namespace jc
