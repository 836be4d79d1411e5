#include "engine/jc/core/jc_parse_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "engine/jc/core/jc_links.h"

namespace jc {
namespace {

struct Word {
  std::string surface, base, code;  // code: PPSSTTFF
  std::string sem = "";
  std::vector<std::string> chinese = {"zh"};  // one MORPH.TMP line per entry, the first a TAB line
};

using Items = std::vector<std::tuple<int, int, std::string>>;

class ParseReader : public ::testing::Test {
 protected:
  void SetUp() override {
    zeroJcSentence(s.get());
    ASSERT_EQ(initJcSentence(s.get()), kJcInitOk);
  }
  void TearDown() override {
    releaseJcSentence(s.get());
    if (morph) std::fclose(morph);
  }

  // Writes MORPH.TMP; offsets[k] is word k's first line.
  void writeMorph(const std::vector<Word>& words, const std::string& tail = "E\n") {
    std::string text;
    offsets.clear();
    for (const Word& w : words) {
      offsets.push_back(static_cast<long>(text.size()));
      for (std::size_t k = 0; k < w.chinese.size(); ++k)
        text += (k ? "D\t" : "\t") + w.surface + "\t" + w.base + "\t" + w.code + "\t" + w.chinese[k] + "\tV" +
                std::to_string(k) + "\tx" + std::to_string(k) + "\t" + w.sem + "\n";
    }
    text += tail;
    writeRawMorph(text);
  }
  void writeRawMorph(const std::string& text) {
    if (morph) std::fclose(morph);
    morph = std::tmpfile();
    ASSERT_NE(morph, nullptr);
    std::fwrite(text.data(), 1, text.size(), morph);
    std::fflush(morph);
  }
  std::string bang(int word) const { return "! " + std::to_string(offsets[static_cast<std::size_t>(word)]) + "\n"; }

  int read(const std::string& parse) {
    text = parse;
    parseStart(cursor, text.c_str());
    return readParsedSentence(s.get(), morph, cursor);
  }
  void reset() {
    releaseJcSentence(s.get());
    zeroJcSentence(s.get());
    ASSERT_EQ(initJcSentence(s.get()), kJcInitOk);
  }

  static Items items(const JcLink* head) {
    Items out;
    for (const JcLink* l = head; l && l->next; l = l->next) out.emplace_back(l->governor, l->dependent, l->label.str());
    return out;
  }
  std::vector<int> children(int i) const {
    std::vector<int> out;
    for (int x = s->nodes[i].firstChild; x; x = s->nodes[x].nextSibling) out.push_back(x);
    return out;
  }
  std::vector<int> top() const {
    std::vector<int> out;
    for (int x = s->firstTop; x; x = s->nodes[x].nextSibling) out.push_back(x);
    return out;
  }
  const JcNode& n(int i) const { return s->nodes[i]; }

  std::unique_ptr<JcSentence> s{new JcSentence};
  std::FILE* morph = nullptr;
  std::vector<long> offsets;
  std::string text;
  ParseCursor cursor;
};

// Two phrases over two words: phrase 0 carries the tags and depends on the root phrase 1.
TEST_F(ParseReader, LabelsUsageAndFeatureCodesFollowTheTags) {
  writeMorph({{"本", "本", "06010000"}, {"読む", "読む", "02010102"}});
  struct Case {
    const char* tags;
    const char* label;
    const char* usage;
    const char* j;
    const char* sf;
    const char* ab;
  } cases[] = {
      {"<係:未格><ハ><提題><WA1>", "D1", "WA1", "J1", "|", "|A1|"},
      {"<係:連用><ト><デ><TO1>", "D21", "TO1", "J4", "|", "|"},  // ト wins the label, デ the J code
      {"<係:連用><デ><DE2>", "D12", "DE2", "J4", "|", "|"},
      {"<係:連用><用言:弱><ID:～て>", "D2", "***", "", "|", "|A18|B15|"},
      {"<係:ト格><ヲ><WO1>", "D11", "WO1", "J14", "|", "|"},
      {"<係:ト格><ト><TO1>", "D21", "TO1", "J6", "|", "|"},
      {"<係:ガ格><ガ><GA1>", "D20", "GA1", "J2", "|", "|"},
      {"<係:ガ><ガ><GA2>", "D9", "GA2", "J2", "|", "|"},
      {"<係:カラ><カラ><KR1>", "D8", "KR1", "J3", "|", "|"},
      {"<係:マデ格><マデ><MADE10>", "D16", "MADE10", "J10", "|", "|"},
      {"<係:ノ格><体言><NO1>", "D14", "NO1", "", "|S2|", "|"},
      {"<係:同格連用><モ～><モ>", "D24", "***", "J11", "|", "|"},
      // The usage tag ends the line for the later tests: <体言> after it is not seen.
      {"<係:ニ格><ニ><NI10><体言>", "D13", "NI10", "J8", "|", "|"},
      // A usage tag without its '>' runs to the end of the line.
      {"<係:ヲ格><WO1", "D11", "WO1", "", "|", "|"},
      {"<係:連体><時間><時間ノ><体言><読点><相対名詞>", "D3", "***", "", "|S2|S3|S4|S12|S14|", "|"},
      {"<係:連用><提題受:10><用言:強:動><～れる><ID:～ては><ID:（サ変）読点>", "D2", "***", "", "|",
       "|A3|A14|B-6|B16|B36|"},
      {"<体言><自立>", "D26", "***", "", "|S2|", "|A6|"},  // no label tag: the default label
  };
  for (const Case& c : cases) {
    reset();
    ASSERT_EQ(read("# S-ID:1\n* 1D " + std::string(c.tags) + "\n" + bang(0) + "* -1- <係:文末>\n" + bang(1) + "E\n"),
              kParseReadOk)
        << c.tags;
    const JcNode& p = n(3);
    EXPECT_EQ(p.depLabel.view(), c.label) << c.tags;
    EXPECT_EQ(p.usageCode.view(), c.usage) << c.tags;
    EXPECT_EQ(p.jCode.view(), c.j) << c.tags;
    EXPECT_EQ(p.sFeatures.view(), c.sf) << c.tags;
    EXPECT_EQ(p.abFeatures.view(), c.ab) << c.tags;
    EXPECT_EQ(p.headPhrase, 4) << c.tags;
    EXPECT_EQ(p.labelHeads[labelHeadIndex(c.label)], 4) << c.tags;
    EXPECT_EQ(items(s->dependencyList), (Items{{4, 3, c.label}})) << c.tags;
    EXPECT_EQ(s->rootPhrase, 4);
    EXPECT_TRUE(n(4).depLabel.empty());
  }
  // Head type 'A' is a TG dependency whatever the tags say.
  reset();
  ASSERT_EQ(read("* 1A <係:未格><WA1>\n" + bang(0) + "* -1-\n" + bang(1) + "E\n"), kParseReadOk);
  EXPECT_EQ(n(3).depLabel.view(), "TG");
  EXPECT_EQ(items(s->dependencyList), (Items{{4, 3, "TG"}}));
}

TEST_F(ParseReader, MorphemesComeFromTheirMorphLines) {
  writeMorph({{"食べた", "食べる", "02010807", "1161/2034", {"吃", "食", "用", "喫"}}, {"。", "。", "01010000"}});
  ASSERT_EQ(read("#S-ID:123456789012345678901\n* -1- <句点>\n" + bang(0) + bang(1) + "E\n"), kParseReadOk);
  EXPECT_EQ(n(0).sentenceId.view(), "#S-ID:123456789012");
  EXPECT_EQ(s->firstTop, 3);
  const JcNode& w = n(1);
  EXPECT_EQ(w.surface.view(), "食べた");
  EXPECT_EQ(w.baseForm.view(), "食べる");
  EXPECT_EQ(std::make_tuple(w.pos.str(), w.subPos.str(), w.conjType.str(), w.conjForm.str()),
            std::make_tuple("2", "1", "8", "7"));
  EXPECT_EQ(w.semCodes.view(), "1161/2034");
  EXPECT_EQ(w.parent, 3);
  std::vector<std::string> found;
  for (const JcCandidate* c = s->targets[1].candidates; c; c = c->next)
    found.push_back(c->chinese.str() + ":" + c->valency.str() + ":" + c->extra.str());
  EXPECT_EQ(found, (std::vector<std::string>{"吃:V0:x0", "食:V1:x1", "用:V2:x2", "喫:V3:x3"}));
  EXPECT_EQ(children(3), (std::vector<int>{1, 2}));
  EXPECT_EQ(n(1).prevSibling, 0);
  EXPECT_EQ(n(2).nextSibling, 0);
  EXPECT_EQ(s->lastNode, 3);
  EXPECT_EQ(s->lastTop, 3);
  EXPECT_EQ(n(3).head, 1);  // a predicate-less, noun-less phrase: its first child

  // A line that ends early leaves the later fields empty; long code lists are cut at a code.
  reset();
  writeRawMorph("\tは\tは\t0901\n\tx\tx\t06010000\tzh\tV\tU\t11610/11620/11630/11640\nE\n");
  ASSERT_EQ(read("* -1-\n! 0\n! " + std::to_string(std::string("\tは\tは\t0901\n").size()) + "\nE\n"), kParseReadOk);
  EXPECT_EQ(n(1).pos.view(), "9");
  EXPECT_EQ(n(1).subPos.view(), "1");
  EXPECT_TRUE(n(1).conjType.empty());
  ASSERT_NE(s->targets[1].candidates, nullptr);
  EXPECT_TRUE(s->targets[1].candidates->chinese.empty());
  EXPECT_EQ(n(2).semCodes.view(), "11610/11620");
}

TEST_F(ParseReader, EmptyTextAndSentencesWithoutMorphemes) {
  writeMorph({});
  EXPECT_EQ(read(""), kParseReadAtEnd);
  EXPECT_EQ(read("# S-ID:1\n* -1-\nE\n"), kParseReadOk);
  EXPECT_EQ(s->firstTop, 0);
  EXPECT_EQ(s->rootPhrase, 1);
  EXPECT_TRUE(parseAtEnd(cursor));
}

TEST_F(ParseReader, TwoSentencesAreReadOneAfterTheOther) {
  writeMorph({{"来た", "来る", "02021208"}, {"寝た", "寝る", "02010808"}});
  text = "# S-ID:1\n* -1-\n" + bang(0) + "E\n# S-ID:2\n* -1-\n" + bang(1) + "E\n";
  parseStart(cursor, text.c_str());
  ASSERT_EQ(readParsedSentence(s.get(), morph, cursor), kParseReadOk);
  EXPECT_EQ(n(1).surface.view(), "来た");
  reset();
  ASSERT_EQ(readParsedSentence(s.get(), morph, cursor), kParseReadOk);
  EXPECT_EQ(n(1).surface.view(), "寝た");
  EXPECT_EQ(n(0).sentenceId.view(), "# S-ID:2");
  reset();
  EXPECT_EQ(readParsedSentence(s.get(), morph, cursor), kParseReadAtEnd);
}

// Bad head numbers, bad offsets and bad MORPH.TMP entries make the sentence malformed; the
// read position then stands at the next sentence.
TEST_F(ParseReader, MalformedSentencesAnswerMinusTwoAndTheNextOneIsRead) {
  writeMorph({{"本", "本", "06010000", "", {"書", "本"}}, {"だ", "だ", "04002102"}});
  long middle = offsets[0] + 2;
  std::string dOffset;  // the further-candidate line of 本
  {
    std::string t;
    std::fseek(morph, 0, SEEK_SET);
    int c;
    while ((c = std::fgetc(morph)) != EOF) t.push_back(static_cast<char>(c));
    dOffset = std::to_string(t.find("\nD") + 1);
  }
  const std::string cases[] = {
      "* 5D <係:連用>\n" + bang(0) + "* -1-\n" + bang(1),      // head beyond the sentence
      "* 0D <係:連用>\n" + bang(0) + "* -1-\n" + bang(1),      // depends on itself
      "* -3D <係:連用>\n" + bang(0) + "* -1-\n" + bang(1),     // negative
      "* 1D <係:連用>\n! 99999\n* -1-\n" + bang(1),            // beyond the file
      "* 1D <係:連用>\n! " + std::to_string(middle) + "\n* -1-\n" + bang(1),  // inside a line
      "* 1D <係:連用>\n! " + dOffset + "\n* -1-\n" + bang(1),  // a further-candidate line
      "* 1D <係:連用>\n! x\n* -1-\n" + bang(1),                // no number
      "! " + std::to_string(offsets[0]) + "\n* -1-\n" + bang(1),  // a morpheme before any phrase
      "* 1D <係:連用>\n" + bang(0) + "* -1-\n" + bang(1) + "/7 2\n",  // pattern of no phrase
  };
  for (const std::string& c : cases) {
    reset();
    text = "# S-ID:1\n" + c + "E\n# S-ID:2\n* -1-\n" + bang(1) + "E\n";
    parseStart(cursor, text.c_str());
    EXPECT_EQ(readParsedSentence(s.get(), morph, cursor), kParseReadMalformed) << c;
    EXPECT_LE(s->lastNode, 4) << c;
    reset();
    EXPECT_EQ(readParsedSentence(s.get(), morph, cursor), kParseReadOk) << c;
    EXPECT_EQ(n(0).sentenceId.view(), "# S-ID:2") << c;
    EXPECT_EQ(n(1).surface.view(), "だ") << c;
  }
  // A MORPH.TMP entry followed by a line of another kind.
  reset();
  writeRawMorph("\t本\t本\t06010000\tzh\tN\tU\t\nX broken\nE\n");
  EXPECT_EQ(read("* -1-\n! 0\nE\n"), kParseReadMalformed);
  // An over-long parse line is dropped whole: its tail is not read as a line of its own.
  reset();
  writeMorph({{"本", "本", "06010000"}, {"だ", "だ", "04002102"}});
  std::string longLine = "* 1D <係:連用>" + std::string(600, 'x') + "\n* 1D <係:ニ格><NI1>\n";
  ASSERT_EQ(read(longLine + bang(0) + "* -1-\n" + bang(1) + "E\n"), kParseReadOk);
  EXPECT_EQ(n(3).depLabel.view(), "D13");
  EXPECT_EQ(s->lastTop, 4);
}

TEST_F(ParseReader, SentencesThatDoNotFitTheRecordAreRefused) {
  std::vector<Word> words(150, Word{"本", "本", "06010000"});
  writeMorph(words);
  auto sentence = [&](int phrases) {
    std::string t = "# S-ID:1\n";
    for (int k = 0; k < phrases; ++k) {
      t += k + 1 < phrases ? "* " + std::to_string(k + 1) + "D <係:連用>\n" : "* -1-\n";
      int from = k * 150 / phrases, to = (k + 1) * 150 / phrases;
      for (int w = from; w < to; ++w) t += bang(w);
    }
    return t + "E\n";
  };
  // 150 morphemes and 149 phrases fill nodes 1..299.
  ASSERT_EQ(read(sentence(149)), kParseReadOk);
  EXPECT_EQ(s->lastNode, 299);
  EXPECT_EQ(builtnewnode(s.get(), 151, 152), 0);  // no node left
  EXPECT_EQ(n(151).parent, 0);
  reset();
  text = sentence(150) + "# S-ID:2\n* -1-\n" + bang(0) + "E\n";
  parseStart(cursor, text.c_str());
  EXPECT_EQ(readParsedSentence(s.get(), morph, cursor), kParseReadMalformed);
  EXPECT_EQ(s->lastNode, 0);
  reset();
  EXPECT_EQ(readParsedSentence(s.get(), morph, cursor), kParseReadOk);
  EXPECT_EQ(s->lastNode, 2);
}

TEST_F(ParseReader, ASentenceWithoutARootEndsInItsLastPhrase) {
  writeMorph({{"本", "本", "06010000"}, {"だ", "だ", "04002102"}});
  ASSERT_EQ(read("* 1D <係:連用>\n" + bang(0) + "* 0D <係:連用>\n" + bang(1) + "E\n"), kParseReadOk);
  EXPECT_EQ(s->rootPhrase, 4);
  EXPECT_EQ(n(4).headPhrase, 0);
  EXPECT_EQ(items(s->dependencyList), (Items{{4, 3, "D2"}}));
}

// 赤い本を買った: the adnominal phrase and its noun become one node that takes the noun
// phrase's place in the sentence.
TEST_F(ParseReader, AdnominalModifiersAreGroupedWithTheirNoun) {
  writeMorph({{"赤い", "赤い", "03001802"},
              {"本", "本", "06010000"},
              {"を", "を", "09010000"},
              {"買った", "買う", "02010108"},
              {"。", "。", "01010000"}});
  ASSERT_EQ(read("* 1D <係:連体><用言:強:形>\n" + bang(0) + "* 2D <係:ヲ格><ヲ><体言><WO1>\n" + bang(1) + bang(2) +
                 "* -1- <係:文末><用言:強:動><文末>\n" + bang(3) + bang(4) + "E\n"),
            kParseReadOk);
  // phrases 6, 7, 8; the group is 9.
  EXPECT_EQ(top(), (std::vector<int>{9, 8}));
  EXPECT_EQ(children(9), (std::vector<int>{6, 7}));
  const JcNode& g = n(9);
  EXPECT_EQ(g.headPhrase, 8);
  EXPECT_EQ(g.depLabel.view(), "D11");
  EXPECT_EQ(g.usageCode.view(), "WO1");
  EXPECT_EQ(g.jCode.view(), "J14");
  EXPECT_EQ(g.sFeatures.view(), "|S2|");
  EXPECT_EQ(g.labelHeads[labelHeadIndex("D11")], 8);
  EXPECT_TRUE(n(7).depLabel.empty());
  EXPECT_EQ(n(7).headPhrase, 0);
  EXPECT_EQ(n(6).headPhrase, 7);
  EXPECT_EQ(items(s->dependencyList), (Items{{7, 6, "D3"}, {8, 9, "D11"}}));
  EXPECT_EQ(s->rootPhrase, 8);
  EXPECT_EQ(s->firstTop, 9);
  EXPECT_EQ(s->lastNode, 9);
  // Heads: the noun group ends in 本 (particle stepped over), the verb phrase starts with 買った.
  EXPECT_EQ(n(9).head, 7);
  EXPECT_EQ(n(7).head, 2);  // no features left: the first child
  EXPECT_EQ(n(8).head, 4);
}

// Without the nominal tag, a phrase still takes the adnominal phrase before it when its first word
// is a noun or a word the dictionary does not know; not when it starts with a verb.
TEST_F(ParseReader, AnAdnominalGroupsWithAPhraseStartingWithANounOrAnUnknownWord) {
  const struct {
    const char* code;
    bool grouped;
  } heads[] = {{"06010000", true}, {"15010000", true}, {"02010108", false}};
  for (const auto& h : heads) {
    reset();
    writeMorph({{"赤い", "赤い", "03001802"},
                {"ボボ", "ボボ", h.code},
                {"を", "を", "09010000"},
                {"買った", "買う", "02010108"},
                {"。", "。", "01010000"}});
    ASSERT_EQ(read("* 1D <係:連体><用言:強:形>\n" + bang(0) + "* 2D <係:ヲ格><ヲ><WO1>\n" + bang(1) + bang(2) +
                   "* -1- <係:文末><用言:強:動><文末>\n" + bang(3) + bang(4) + "E\n"),
              kParseReadOk)
        << h.code;
    EXPECT_EQ(top(), h.grouped ? (std::vector<int>{9, 8}) : (std::vector<int>{6, 7, 8})) << h.code;
  }
}

// 私の本だ。: AのB is grouped, and the root follows into the group.
TEST_F(ParseReader, NoPhraseGroupTakesTheRoot) {
  writeMorph({{"私", "私", "06050000"}, {"の", "の", "09010000"}, {"本", "本", "06010000"}, {"だ", "だ", "04002102"}});
  ASSERT_EQ(read("* 1D <係:ノ格><体言><NO1>\n" + bang(0) + bang(1) + "* -1- <体言><用言:強:判>\n" + bang(2) + bang(3) +
                 "E\n"),
            kParseReadOk);
  EXPECT_EQ(top(), (std::vector<int>{7}));
  EXPECT_EQ(children(7), (std::vector<int>{5, 6}));
  EXPECT_EQ(s->rootPhrase, 7);
  EXPECT_EQ(s->lastTop, 7);
  EXPECT_EQ(n(7).headPhrase, 0);
  EXPECT_EQ(n(7).head, 6);
}

// 昨日東京の駅、前に来た: the ノ phrase moves to the noun with the comma that stands between it
// and its head, and the groups nest.
TEST_F(ParseReader, NoPhraseMovesToTheCommaNounBeforeItsHead) {
  writeMorph({{"昨日", "昨日", "06100000"},
              {"東京", "東京", "06040000"},
              {"の", "の", "09010000"},
              {"駅", "駅", "06010000"},
              {"、", "、", "01020000"},
              {"前", "前", "06010000"},
              {"に", "に", "09010000"},
              {"来た", "来る", "02021208"}});
  ASSERT_EQ(read("* 4D <係:無格><時間><体言>\n" + bang(0) + "* 3D <係:ノ格><体言><NO1>\n" + bang(1) + bang(2) +
                 "* 3D <係:連体><体言><読点>\n" + bang(3) + bang(4) + "* 4D <係:ニ格><ニ><体言><NI3>\n" + bang(5) +
                 bang(6) + "* -1- <用言:強:動>\n" + bang(7) + "E\n"),
            kParseReadOk);
  // phrases 9..13; 東京の goes to 駅、 and the two become 14, which with 前に becomes 15.
  EXPECT_EQ(n(10).headPhrase, 11);
  EXPECT_EQ(n(10).labelHeads[labelHeadIndex("D14")], 11);
  EXPECT_EQ(top(), (std::vector<int>{9, 15, 13}));
  EXPECT_EQ(children(15), (std::vector<int>{14, 12}));
  EXPECT_EQ(children(14), (std::vector<int>{10, 11}));
  EXPECT_EQ(n(14).depLabel.view(), "D3");
  EXPECT_EQ(n(14).headPhrase, 12);
  EXPECT_EQ(n(15).depLabel.view(), "D13");
  EXPECT_EQ(n(15).headPhrase, 13);
  EXPECT_EQ(items(s->dependencyList), (Items{{13, 9, "D5"}, {13, 15, "D13"}, {11, 10, "D14"}, {12, 14, "D3"}}));
}

// 大きな、本を読んだ: a sentence-initial adnominal phrase with a comma goes to the top of its
// head's chain as a topic-like D1, and is not grouped.
TEST_F(ParseReader, LeadingAdnominalWithACommaGoesToTheTop) {
  writeMorph({{"大きな", "大きな", "11000000"},
              {"、", "、", "01020000"},
              {"本", "本", "06010000"},
              {"を", "を", "09010000"},
              {"読んだ", "読む", "02010908"}});
  ASSERT_EQ(read("* 1D <係:連体><読点>\n" + bang(0) + bang(1) + "* 2D <係:ヲ格><ヲ><体言><WO1>\n" + bang(2) + bang(3) +
                 "* -1- <用言:強:動>\n" + bang(4) + "E\n"),
            kParseReadOk);
  EXPECT_EQ(top(), (std::vector<int>{6, 7, 8}));
  EXPECT_EQ(n(6).headPhrase, 8);
  EXPECT_EQ(n(6).depLabel.view(), "D1");
  EXPECT_EQ(n(6).labelHeads[labelHeadIndex("D1")], 8);
  EXPECT_EQ(n(6).labelHeads[labelHeadIndex("D3")], 0);
  EXPECT_EQ(items(s->dependencyList), (Items{{8, 6, "D1"}, {8, 7, "D11"}}));
}

// 今日午後来た: two time nouns in a row become one.
TEST_F(ParseReader, TimeNounsAreGrouped) {
  writeMorph({{"今日", "今日", "06100000"}, {"午後", "午後", "06100000"}, {"来た", "来る", "02021208"}});
  ASSERT_EQ(read("* 1D <係:無格><時間><体言>\n" + bang(0) + "* 2D <係:無格><時間><体言>\n" + bang(1) +
                 "* -1- <用言:強:動>\n" + bang(2) + "E\n"),
            kParseReadOk);
  EXPECT_EQ(top(), (std::vector<int>{7, 6}));
  EXPECT_EQ(children(7), (std::vector<int>{4, 5}));
  EXPECT_EQ(n(7).headPhrase, 6);
  EXPECT_EQ(n(7).sFeatures.view(), "|S2|S3|");
  EXPECT_EQ(items(s->dependencyList), (Items{{5, 4, "D5"}, {6, 7, "D5"}}));
}

// 田中と山田が来た: と before a noun groups the two nouns; without と the code is dropped.
TEST_F(ParseReader, ToCoordinationIsGrouped) {
  writeMorph({{"田中", "田中", "06050000"},
              {"と", "と", "09010000"},
              {"山田", "山田", "06050000"},
              {"が", "が", "09010000"},
              {"来た", "来る", "02021208"}});
  std::string rest = "* 2D <係:ガ格><ガ><体言><GA1>\n" + bang(2) + bang(3) + "* -1- <用言:強:動>\n" + bang(4) + "E\n";
  ASSERT_EQ(read("* 1D <係:連用><ト><体言><TO5>\n" + bang(0) + bang(1) + rest), kParseReadOk);
  EXPECT_EQ(top(), (std::vector<int>{9, 8}));
  EXPECT_EQ(children(9), (std::vector<int>{6, 7}));
  EXPECT_EQ(n(9).depLabel.view(), "D20");
  EXPECT_EQ(n(9).usageCode.view(), "GA1");
  EXPECT_EQ(items(s->dependencyList), (Items{{7, 6, "D21"}, {8, 9, "D20"}}));
  EXPECT_EQ(n(9).head, 7);

  reset();
  writeMorph({{"田中", "田中", "06050000"},
              {"も", "も", "09020000"},
              {"山田", "山田", "06050000"},
              {"が", "が", "09010000"},
              {"来た", "来る", "02021208"}});
  ASSERT_EQ(read("* 1D <係:連用><ト><体言><TO5>\n" + bang(0) + bang(1) + rest), kParseReadOk);
  EXPECT_EQ(top(), (std::vector<int>{6, 7, 8}));
  EXPECT_TRUE(n(6).depLabel.empty());
  EXPECT_TRUE(n(6).usageCode.empty());
}

// 本を研究、始めた: the サ変 phrase after the comma takes the object.
TEST_F(ParseReader, SahenPhraseTakesTheObjectBeforeIt) {
  writeMorph({{"本", "本", "06010000"},
              {"を", "を", "09010000"},
              {"研究", "研究", "06020000"},
              {"、", "、", "01020000"},
              {"始めた", "始める", "02010808"}});
  ASSERT_EQ(read("* 2D <係:ヲ格><ヲ><体言><WO1>\n" + bang(0) + bang(1) + "* 2D <係:連用><ID:（サ変）読点>\n" + bang(2) +
                 bang(3) + "* -1- <用言:強:動>\n" + bang(4) + "E\n"),
            kParseReadOk);
  EXPECT_EQ(n(6).headPhrase, 7);
  EXPECT_EQ(n(6).labelHeads[labelHeadIndex("D11")], 7);
  EXPECT_EQ(n(7).headPhrase, 8);
  EXPECT_EQ(n(7).depLabel.view(), "D2");
  EXPECT_EQ(n(7).labelHeads[labelHeadIndex("D2")], 8);
  EXPECT_EQ(n(7).labelHeads[labelHeadIndex("D11")], 0);
  EXPECT_EQ(items(s->dependencyList), (Items{{8, 7, "D2"}, {7, 6, "D11"}}));
}

// 東京の駅から来た: the カラ格 phrase takes over the ノ格 phrase before it.
TEST_F(ParseReader, KaraPhraseTakesOverTheNoPhraseBeforeIt) {
  writeMorph({{"東京", "東京", "06040000"},
              {"の", "の", "09010000"},
              {"駅", "駅", "06010000"},
              {"から", "から", "09010000"},
              {"来た", "来る", "02021208"}});
  ASSERT_EQ(read("* 2D <係:ノ格><体言><NO1>\n" + bang(0) + bang(1) + "* 2D <係:カラ格><カラ><体言><KR1>\n" + bang(2) +
                 bang(3) + "* -1- <用言:強:動>\n" + bang(4) + "E\n"),
            kParseReadOk);
  EXPECT_EQ(n(6).headPhrase, 7);
  EXPECT_EQ(n(6).labelHeads[labelHeadIndex("D14")], 7);
  // ... and then forms one noun group with it.
  EXPECT_EQ(top(), (std::vector<int>{9, 8}));
  EXPECT_EQ(items(s->dependencyList), (Items{{7, 6, "D14"}, {8, 9, "D22"}}));
}

TEST_F(ParseReader, PatternLinesSetRenderingTemplateAndMarks) {
  writeMorph({{"彼", "彼", "06050000", "", {"他"}},
              {"は", "は", "09020000"},
              {"本", "本", "06010000"},
              {"を", "を", "09010000"},
              {"お", "お", "13000000"},
              {"読み", "読む", "02010107", "", {"読"}},
              {"に", "に", "09010000"},
              {"なる", "なる", "02020102"}});
  std::string head = "* 2D <係:未格><ハ><提題><WA1>\n" + bang(0) + bang(1) + "* 2D <係:ヲ格><ヲ><体言><WO1>\n" +
                     bang(2) + bang(3) + "* -1- <用言:強:動>\n" + bang(4) + bang(5) + bang(6) + bang(7);
  // Class 2: field 1 names phrase 1 (the object); field 2 names phrase 0, a D1 dependent: 0.
  ASSERT_EQ(read(head + "/2 2 看<ab>$把1[TOOL]+V+2+ZZ7$1:0\nE\n"), kParseReadOk);
  EXPECT_EQ(n(11).classChar, '2');
  // The head word is the one after the prefix; its rendering and first candidate's extra.
  EXPECT_EQ(s->targets[6].slots[17].view(), "看");
  EXPECT_EQ(s->targets[6].candidates->extra.view(), "ab");
  EXPECT_EQ(s->targets[11].templateText.view(), "把{10}[TOOL]+{11}+{0}+ZZ7");
  EXPECT_EQ(s->targets[10].mark.view(), "K");
  EXPECT_EQ(s->targets[11].mark.view(), "K");
  EXPECT_EQ(s->targets[9].mark.view(), "*");

  // Class 1: the first field is the phrase placed in front; "default" leaves slot 17 alone.
  reset();
  ASSERT_EQ(read(head + "/2 1 default$V+1$0 1\nE\n"), kParseReadOk);
  EXPECT_TRUE(s->targets[6].slots[17].empty());
  EXPECT_EQ(s->targets[6].candidates->extra.view(), "x0");
  EXPECT_EQ(s->targets[11].templateText.view(), "{9}+{11}+{10}");
  reset();
  ASSERT_EQ(read(head + "/2 1 看$V$-\nE\n"), kParseReadOk);
  EXPECT_EQ(s->targets[11].templateText.view(), "{11}");
  EXPECT_EQ(s->targets[6].slots[17].view(), "看");

  // A template longer than the field is cut before a reference, never inside one.
  reset();
  ASSERT_EQ(read(head + "/2 2 default$" + std::string(45, 'a') + "+1+V$1\nE\n"), kParseReadOk);
  EXPECT_EQ(s->targets[11].templateText.view(), std::string(45, 'a') + "+");
}

TEST_F(ParseReader, GroupingRefusesBadIndicesAndNonSiblings) {
  writeMorph({{"本", "本", "06010000"}, {"だ", "だ", "04002102"}});
  ASSERT_EQ(read("* 1D <係:連用>\n" + bang(0) + "* -1-\n" + bang(1) + "E\n"), kParseReadOk);
  EXPECT_EQ(builtnewnode(s.get(), 0, 4), 0);
  EXPECT_EQ(builtnewnode(s.get(), 3, 9), 0);
  EXPECT_EQ(builtnewnode(s.get(), 4, 3), 0);  // out of order
  EXPECT_EQ(s->lastNode, 4);
  EXPECT_EQ(top(), (std::vector<int>{3, 4}));
  int g = builtnewnode(s.get(), 3, 4);
  EXPECT_EQ(g, 5);
  EXPECT_EQ(top(), (std::vector<int>{5}));
  EXPECT_EQ(s->lastTop, 5);
}

// With mode 1 a rule's re-attachment also groups the target nodes and moves the relations.
TEST_F(ParseReader, ReattachWithTargetsMovesTheRelations) {
  writeMorph({{"田中", "田中", "06050000"},
              {"と", "と", "09010000"},
              {"山田", "山田", "06050000"},
              {"が", "が", "09010000"},
              {"来た", "来る", "02021208"}});
  // Read with the と phrase still unattached to 山田, as a rule finds it before re-pointing it.
  ASSERT_EQ(read("* 2D <係:連用><ト><TO1>\n" + bang(0) + bang(1) + "* 2D <係:ガ格><ガ><体言><GA1>\n" + bang(2) +
                 bang(3) + "* -1- <用言:強:動>\n" + bang(4) + "E\n"),
            kParseReadOk);
  s->lastTarget = s->lastNode;
  s->firstTopTarget = s->firstTop;
  s->lastTopTarget = s->lastTop;
  for (int i = 0; i <= s->lastTarget; ++i) {
    s->targets[i].parent = n(i).parent;
    s->targets[i].firstChild = n(i).firstChild;
    s->targets[i].lastChild = n(i).lastChild;
    s->targets[i].prevSibling = n(i).prevSibling;
    s->targets[i].nextSibling = n(i).nextSibling;
  }
  addRelation(s.get(), 8, 7, "SUB");
  addRelation(s.get(), 8, 6, "ADV");
  // The rule re-points phrase 6 to 7 as と-coordination and re-attaches it.
  int flag = 0;
  ASSERT_TRUE(removeDependencyLink(s.get(), 8, 6, "D21", &flag));
  addDependencyLink(s.get(), 7, 6, "D21", flag);
  s->nodes[6].headPhrase = 7;
  s->nodes[6].usageCode = "TO5";
  reattachToPhrase(s.get(), 6, 1);
  EXPECT_EQ(top(), (std::vector<int>{9, 8}));
  EXPECT_EQ(s->lastTarget, 9);
  EXPECT_EQ(s->targets[9].firstChild, 6);
  EXPECT_EQ(s->targets[9].lastChild, 7);
  EXPECT_EQ(s->targets[9].headChild, 7);
  EXPECT_EQ(s->firstTopTarget, 9);
  EXPECT_EQ(s->defaultRelationTarget, 8);
  EXPECT_EQ(items(s->relationAgenda), (Items{{8, 9, "ADV"}, {8, 9, "SUB"}}));
}

TEST_F(ParseReader, ParseLinesAreReadWithTheirLineFeed) {
  text = "ab\ncdef";
  parseStart(cursor, text.c_str());
  char buffer[4];
  ASSERT_NE(parseGetLine(cursor, buffer, sizeof buffer), nullptr);
  EXPECT_STREQ(buffer, "ab\n");
  long at = parseTell(cursor);
  ASSERT_NE(parseGetLine(cursor, buffer, sizeof buffer), nullptr);
  EXPECT_STREQ(buffer, "cde");
  ASSERT_NE(parseGetLine(cursor, buffer, sizeof buffer), nullptr);
  EXPECT_STREQ(buffer, "f");
  EXPECT_TRUE(parseAtEnd(cursor));
  EXPECT_EQ(parseGetLine(cursor, buffer, sizeof buffer), nullptr);
  parseSeek(cursor, at);
  EXPECT_FALSE(parseAtEnd(cursor));
}

}  // namespace
}  // namespace jc
