// The sentence set-up and the text translation on hand-written MORPH.TMP and parse texts.
#include "engine/jc/pipeline/jc_sentence_setup.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "engine/jc/core/jc_parse_reader.h"
#include "engine/jc/core/rendering_table.h"
#include "engine/jc/core/tests/rendering_fill.h"
#include "engine/jc/pipeline/jc_text_translation.h"
#include "platform/core/device.h"
#include "platform/core/files.h"
#include "tools/datagen/temp_device.h"

namespace jc {
namespace {

struct Word {
  std::string surface, base, code;  // code: PPSSTTFF
  std::string chinese = "zh";
  std::string valency = "N";
};

// MORPH.TMP as text; offsets[k] is word k's line.
std::string morphText(const std::vector<Word>& words, std::vector<long>& offsets) {
  std::string text;
  for (const Word& w : words) {
    offsets.push_back(static_cast<long>(text.size()));
    text += "\t" + w.surface + "\t" + w.base + "\t" + w.code + "\t" + w.chinese + "\t" + w.valency + "\t\t\n";
  }
  return text + "E\n";
}

class SentenceSetup : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(loadSyntheticRenderings(), kRenderingTableLoaded); }
  static void TearDownTestSuite() { clearRenderingTable(); }
  void TearDown() override {
    releaseJcSentence(s.get());
    if (morph) std::fclose(morph);
  }
  void writeMorph(const std::vector<Word>& words) {
    offsets.clear();
    const std::string text = morphText(words, offsets);
    morph = std::tmpfile();
    ASSERT_NE(morph, nullptr);
    std::fwrite(text.data(), 1, text.size(), morph);
    std::fflush(morph);
  }
  std::string bang(int word) const { return "! " + std::to_string(offsets[static_cast<std::size_t>(word)]) + "\n"; }

  JcSetupStatus setUp(const std::string& parse) {
    releaseJcSentence(s.get());
    zeroJcSentence(s.get());
    text = parse;
    parseStart(cursor, text.c_str());
    return prepareJcSentence(s.get(), morph, cursor);
  }
  // The k-th phrase of the parse text (groups follow the phrases).
  int phrase(int k) const { return static_cast<int>(offsets.size()) + 1 + k; }

  std::unique_ptr<JcSentence> s{[] {
    auto* r = new JcSentence;
    zeroJcSentence(r);
    return r;
  }()};
  std::FILE* morph = nullptr;
  std::vector<long> offsets;
  std::string text;
  ParseCursor cursor;
};

TEST_F(SentenceSetup, TargetsAreLinkedAndTheWalkHasItsBaseItems) {
  writeMorph({{"本", "本", "06010000"}, {"を", "を", "09010000"}, {"読む", "読む", "02010902"}});
  ASSERT_EQ(setUp("# S-ID:1\n* 1D <係:ヲ格><ヲ><WO1>\n" + bang(0) + bang(1) + "* -1- <係:文末>\n" + bang(2) + "E\n"),
            kJcSetupReady);
  EXPECT_EQ(s->lastTarget, s->lastNode);
  EXPECT_EQ(s->firstTopTarget, s->firstTop);
  EXPECT_EQ(s->defaultRelationTarget, s->rootPhrase);
  EXPECT_EQ(s->lastMorpheme, 3);
  for (int i = 1; i <= s->lastNode; ++i) {
    EXPECT_EQ(s->targets[i].parent, s->nodes[i].parent) << i;
    EXPECT_EQ(s->targets[i].firstChild, s->nodes[i].firstChild) << i;
    EXPECT_EQ(s->targets[i].headChild, s->nodes[i].head) << i;
  }
  ASSERT_NE(s->orderCursor, nullptr);
  ASSERT_NE(s->orderList, nullptr);
  EXPECT_EQ(s->orderListTail, s->orderList);
  // Morphemes are plain words; the end of the text gives no sentence.
  EXPECT_EQ(s->targets[1].kind, 'z');
  EXPECT_EQ(setUp(""), kJcSetupAtEnd);
}

TEST_F(SentenceSetup, AttributivePhrasesAndWordsOfTimePosition) {
  // 読んだ + head phrase: an ordinary noun makes the clause attributive; 後 and 前 do not, and
  // take their own renderings.
  const struct {
    const char* head;
    const char* verb;
    char kind;
    const char* key;
  } cases[] = {
      {"本", "読んだ", 't', nullptr},
      {"後", "読んだ", 'z', setup_keys::kAto},
      {"前", "読む", 'z', setup_keys::kMae},
      {"中", "読む", 'z', nullptr},
  };
  for (const auto& c : cases) {
    writeMorph({{c.verb, "読む", "02010908"}, {c.head, c.head, "06010000"}, {"だ", "だ", "04002502"}});
    ASSERT_EQ(setUp("# S-ID:1\n* 1D <係:連体>\n" + bang(0) + "* -1- <係:文末>\n" + bang(1) + bang(2) + "E\n"),
              kJcSetupReady);
    const int clause = phrase(0);
    EXPECT_EQ(s->nodes[clause].depLabel.view(), "D3") << c.head;
    EXPECT_EQ(s->targets[clause].kind, c.kind) << c.head;
    EXPECT_EQ(s->targets[2].slots[17].view(), c.key ? rendering(c.key) : "") << c.head;
    std::fclose(morph);
    morph = nullptr;
  }
}

TEST_F(SentenceSetup, AdjectivesUsedAsAdverbs) {
  // 早く / 深く (continuative, form 6) before a verb; ない after it keeps the adjective as it is.
  const struct {
    const char* adjective;
    const char* next;
    const char* valency;
    std::string chinese;
    std::string slot17;
  } cases[] = {
      {"早く", "起きる", "A", rendering(setup_keys::kAdverbialWord) + "ab", ""},
      {"早く", "ない", "A", "ab", ""},
      {"早く", "起きる", "AF", "ab", ""},
      {"深く", "起きる", "A", "ab", rendering(setup_keys::kFukaku)},
  };
  for (const auto& c : cases) {
    writeMorph({{"彼", "彼", "06010000"}, {c.adjective, c.adjective, "03001806", "ab", c.valency},
                {c.next, c.next, "02020102"}});
    ASSERT_EQ(setUp("# S-ID:1\n* 2D\n" + bang(0) + "* 2D <係:連用>\n" + bang(1) + "* -1- <係:文末>\n" + bang(2) + "E\n"),
              kJcSetupReady);
    ASSERT_NE(s->targets[2].candidates, nullptr);
    EXPECT_EQ(s->targets[2].candidates->chinese.view(), c.chinese) << c.adjective << c.next << c.valency;
    EXPECT_EQ(s->targets[2].slots[17].view(), c.slot17) << c.adjective;
    std::fclose(morph);
    morph = nullptr;
  }
}

TEST_F(SentenceSetup, ClassFiveForPassivesAndForMoAfterNi) {
  // Class 2 becomes 5 after られる in forms 2 / 6, or 3 / 7 before a negation or ます.
  const struct {
    const char* rareru;
    const char* after;
    char expected;
  } cases[] = {
      {"02", "。", '5'}, {"06", "。", '5'}, {"03", "ない", '5'}, {"07", "ます", '5'}, {"03", "た", '2'}, {"08", "。", '2'},
  };
  for (const auto& c : cases) {
    writeMorph({{"食べ", "食べる", "02010101"},
                {"られ", "られる", std::string("050001") + c.rareru},
                {c.after, c.after, "05000000"}});
    ASSERT_EQ(setUp("# S-ID:1\n* -1- <係:文末>\n" + bang(0) + bang(1) + bang(2) + "/0 2\nE\n"), kJcSetupReady);
    EXPECT_EQ(s->nodes[phrase(0)].classChar, c.expected) << c.rareru << " " << c.after;
    std::fclose(morph);
    morph = nullptr;
  }
  // A に phrase ending in も makes its governor class 5; another one leaves it 2.
  for (const char* particle : {"も", "は"}) {
    writeMorph({{"東京", "東京", "06040000"}, {"に", "に", "09010000"}, {particle, particle, "09020000"},
                {"行く", "行く", "02020302"}});
    ASSERT_EQ(setUp("# S-ID:1\n* 1D <係:ニ格><ニ><NI2>\n" + bang(0) + bang(1) + bang(2) + "* -1- <係:文末>\n" +
                    bang(3) + "/1 2\nE\n"),
              kJcSetupReady);
    EXPECT_EQ(s->nodes[s->rootPhrase].classChar, std::string(particle) == "も" ? '5' : '2') << particle;
    std::fclose(morph);
    morph = nullptr;
  }
}

// The whole text of a parse buffer through the pipeline into CHNGEN.TMP.
class TextTranslation : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(loadSyntheticRenderings(), kRenderingTableLoaded); }
  static void TearDownTestSuite() { clearRenderingTable(); }

  void writeMorph(const std::vector<Word>& words) {
    offsets.clear();
    ASSERT_TRUE(device.write("\\MORPH.TMP", morphText(words, offsets)));
  }
  std::string sentence(int word) const {
    return "# S-ID:" + std::to_string(word) + "\n* -1- <係:文末>\n! " +
           std::to_string(offsets[static_cast<std::size_t>(word)]) + "\nE\n";
  }
  std::string chngen() {
    std::string out;
    EXPECT_TRUE(plat::readWholeFile("\\CHNGEN.TMP", out));
    return out;
  }

  datagen::TempDevice device;
  std::vector<long> offsets;
  ParseCursor cursor;
};

TEST_F(TextTranslation, EverySentenceIsWrittenOnOneLine) {
  std::vector<Word> words;
  for (int k = 0; k < 6; ++k) words.push_back({"本", "本", "06010000", "w" + std::to_string(k)});
  writeMorph(words);
  std::string parse;
  for (int k = 0; k < 6; ++k) parse += sentence(k);
  EXPECT_EQ(translateJapaneseText(0, u"\\MORPH.TMP", parse.c_str(), u"\\CHNGEN.TMP", cursor), kJcTextOk);
  // More than four sentences: none is dropped.
  EXPECT_EQ(chngen(), "w0w1w2w3w4w5\n");
  // From the third sentence on.
  EXPECT_EQ(translateJapaneseText(3, u"\\MORPH.TMP", parse.c_str(), u"\\CHNGEN.TMP", cursor), kJcTextOk);
  EXPECT_EQ(chngen(), "w2w3w4w5\n");
  // No text: an empty line.
  EXPECT_EQ(translateJapaneseText(0, u"\\MORPH.TMP", "", u"\\CHNGEN.TMP", cursor), kJcTextOk);
  EXPECT_EQ(chngen(), "\n");
}

TEST_F(TextTranslation, AMalformedSentenceIsTranslatedAsFarAsRead) {
  writeMorph({{"本", "本", "06010000", "w0"}, {"猫", "猫", "06010000", "w1"}, {"犬", "犬", "06010000", "w2"}});
  // The second phrase points past the end of MORPH.TMP: the first one is kept.
  const std::string parse = sentence(0) + "# S-ID:2\n* 1D\n! " + std::to_string(offsets[1]) +
                            "\n* -1-\n! 99999\nE\n" + sentence(2);
  EXPECT_EQ(translateJapaneseText(0, u"\\MORPH.TMP", parse.c_str(), u"\\CHNGEN.TMP", cursor), kJcTextOk);
  EXPECT_EQ(chngen(), "w0w1w2\n");
}

TEST_F(TextTranslation, FilesThatCannotBeOpened) {
  writeMorph({{"本", "本", "06010000", "w0"}});
  const std::string parse = sentence(0);
  EXPECT_EQ(translateJapaneseText(0, u"\\NONE.TMP", parse.c_str(), u"\\CHNGEN.TMP", cursor), kJcTextMorphOpenError);
  ASSERT_TRUE(plat::makeFolders("\\FOLDER.TMP"));
  EXPECT_EQ(translateJapaneseText(0, u"\\MORPH.TMP", parse.c_str(), u"\\FOLDER.TMP", cursor), kJcTextChngenOpenError);
  EXPECT_EQ(plat::openFileCount(), 0);
}

}  // namespace
}  // namespace jc
