#include "engine/cj/transfer/special_structures.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/analysis/tests/cj_test_folder.h"
#include "engine/cj/transfer/dictionary_lookup.h"
#include "engine/cj/transfer/frame_rule_support.h"
#include "engine/cj/transfer/tests/rule_sentence.h"
#include "platform/core/codepage.h"
#include "tools/datagen/cj_dic_entry_writer.h"
#include "tools/datagen/cj_segment_trie_writer.h"
#include "tools/datagen/cvdata_tables.h"
#include "tools/datagen/cwcjdic_writer.h"

namespace {

class SpecialStructures : public cjtest::RuleSentence {
 protected:
  void TearDown() override { cj::clearWordTable(); }
  // A hanzi in engine code, with the conversion tables registered.
  static std::string engineHanzi(const std::u16string& text) {
    datagen::registerConversionTables();
    std::string gb = plat::wideToMultiByte(936, text);
    cj::gbToInternal(cj::loadConversionTables(), gb);
    return gb;
  }
  static std::string japaneseOf(const std::u16string& text) { return plat::wideToMultiByte(932, text); }
};

TEST_F(SpecialStructures, NameWithAFormOfAddress) {
  build("w - N; w - N; p 1 2 NP class=1 rule=1");
  cj::applySpecialStructure(*context, 3);
  EXPECT_EQ(target(1).alive, 0);
  EXPECT_EQ(att(2), "(さん)");
  EXPECT_EQ(target(3).headChild, 2);

  // Both words read character by character.
  build("w - N; w - N; p 1 2 NP class=1 rule=3");
  source(1).CHI = engineHanzi(u"\u738B");
  source(2).CHI = engineHanzi(u"\u6797\u4E2D");
  cj::applySpecialStructure(*context, 3);
  EXPECT_EQ(japanese(1), japaneseOf(u"\u738B"));
  EXPECT_EQ(japanese(2), japaneseOf(u"\u6797\u4E2D"));
}

TEST_F(SpecialStructures, NameCompoundTitles) {
  struct Case {
    const char* title;
    const char* text;  // E's Japanese; empty: E keeps its own translation
  } cases[] = {
      {"$specialStructures.honorifics#2", "さん"},
      {"$specialStructures.personWord", "という人"},
      {"-", ""},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.text);
    build(std::string("w - N; w ") + k.title + " N; p 1 2 NP class=2 rule=1");
    source(1).CHI = engineHanzi(u"\u738B");
    cj::applySpecialStructure(*context, 3);
    EXPECT_EQ(japanese(1), japaneseOf(u"\u738B"));  // no name in the dictionary: read by character
    EXPECT_EQ(target(1).jcat, "N0000");
    EXPECT_EQ(japanese(2), k.text);
    EXPECT_EQ(target(2).jcat, *k.text ? "N0000" : "");
  }
}

TEST_F(SpecialStructures, FixedPatterns) {
  // "a little" after a verb: the function words go, the verb takes "ちょっと" and heads the phrase.
  build("w - V; w - D; w - D; p 1 3 VP class=3 rule=3");
  cj::applySpecialStructure(*context, 4);
  EXPECT_EQ(chain(4), "1");
  EXPECT_EQ(target(1).prefixText, "ちょっと");
  EXPECT_EQ(target(4).headChild, 1);

  // "whether": E takes "かどうか", the two words before it retire.
  build("w - V; w - D; w - V; w - D; p 1 4 VP class=3 rule=33");
  cj::applySpecialStructure(*context, 5);
  EXPECT_EQ(att(4), "かどうか");
  EXPECT_EQ(target(3).alive, 0);
  EXPECT_EQ(target(2).alive, 0);
  EXPECT_EQ(target(1).alive, 1);
}

// Reduplications the analysis builds over fewer words than the pattern names drop what exists.
TEST_F(SpecialStructures, ShortReduplicationsDropTheWordsTheyHave) {
  // ALAQ over three words: the verb takes "あちこち" and stands alone.
  build("w - V; w - D; w - V; p 1 3 VP class=3 rule=11");
  cj::applySpecialStructure(*context, 4);
  EXPECT_EQ(chain(4), "1");
  EXPECT_EQ(target(1).prefixText, "あちこち");
  EXPECT_EQ(target(4).headChild, 1);

  // AAA with a listed suffix as its third word: the suffix goes, the two words take 'r'.
  build("w - A; w - A; w $specialStructures.eachDropWords#1 D; p 1 3 AP class=3 rule=14");
  cj::applySpecialStructure(*context, 4);
  EXPECT_EQ(chain(4), "1 2");
  EXPECT_EQ(target(1).vform, 'r');
  EXPECT_EQ(target(2).vform, 'r');

  // AAA of two counted words as an adverb: "ずつ" on the first, the second goes.
  build("w - N; w - N; p 1 2 F class=3 rule=14");
  cj::applySpecialStructure(*context, 3);
  EXPECT_EQ(chain(3), "1");
  EXPECT_EQ(att(1), "ずつ");
}

TEST_F(SpecialStructures, NowThisNowThatGainsSuru) {
  build("w - D; w - V; w - D; w - V; p 1 4 VP class=3 rule=17");
  target(2).japanese = "走る";
  target(2).jcat = "ZG000";
  target(4).japanese = "跳ぶ";
  target(4).jcat = "ZG000";
  cj::applySpecialStructure(*context, 5);
  EXPECT_EQ(chain(5), "2 4 6");
  EXPECT_EQ(target(5).headChild, 6);
  EXPECT_EQ(japanese(6), "する");
  EXPECT_EQ(target(6).jcat, "SHT00");

  // Used as a continuing form the last verb heads the phrase itself.
  build("w - D; w - V; w - D; w - V; p 1 4 VP class=3 rule=17");
  target(5).vform = 'd';
  cj::applySpecialStructure(*context, 5);
  EXPECT_EQ(chain(5), "2 4");
  EXPECT_EQ(target(5).headChild, 4);
  EXPECT_EQ(target(4).ruleFlag2, 0);
}

TEST_F(SpecialStructures, MissingWordsAndUnknownPatternsChangeNothing) {
  const char* cases[] = {
      "w - V; p 1 1 VP class=3 rule=3",                 // no S1
      "w - D; w - V; w - D; p 1 3 VP class=3 rule=16",  // no S3
      "w - V; w - D; p 1 2 VP class=3 rule=40",
      "w - V; w - D; p 1 2 VP class=4 rule=1",
      "w - V; w - D; p 1 2 VP class=2 rule=9",
  };
  for (const char* k : cases) {
    SCOPED_TRACE(k);
    build(k);
    const int p = context->nodeCount;
    const std::string before = chain(p);
    const int head = target(p).headChild;
    cj::applySpecialStructure(*context, p);
    EXPECT_EQ(chain(p), before);
    EXPECT_EQ(target(p).headChild, head);
    for (int i = 1; i < p; ++i) {
      EXPECT_EQ(target(i).prefixText, "");
      EXPECT_EQ(att(i), "");
      EXPECT_EQ(japanese(i), "");
      EXPECT_EQ(target(i).alive, 1);
    }
  }
}

TEST_F(SpecialStructures, CompoundKeysUseWholeCharacters) {
  struct Case {
    const char* text;
    const char* first;
    const char* last;
  } cases[] = {
      {"\xFB\x41\xFB\x42", "\xFB\x41", "\xFB\x42"},
      {"x\xFB\x41", "x", "\xFB\x41"},
      {"\xFB\x41y", "\xFB\x41", "y"},
      {"", "", ""},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(cj::firstCharOf(k.text), k.first);
    EXPECT_EQ(cj::lastCharOf(k.text), k.last);
  }
}

// Compound lookups read the dictionary through the word records.
class SpecialCompounds : public SpecialStructures {
 protected:
  void SetUp() override {
    SpecialStructures::SetUp();
    datagen::CjDataFiles files = datagen::minimalCjDataFiles(cjtest::syntheticWords());
    std::string error;
    std::vector<datagen::CjDicEntry> entries = {{"compound", {{'V', "読み始める", "TI000"}, {'N', "読書", "N0000"}}}};
    std::map<std::string, std::int32_t> refs;
    ASSERT_TRUE(datagen::cwcjdicFile(entries, files["cwcjdic.dic"], refs, &error)) << error;
    // The compound is the one word of the word dictionary (after a filler entry at offset 0, which
    // names none); its record refers to the entry.
    std::vector<uint32_t> offsets;
    const std::string record = "V\\U[V]Z[" + std::to_string(refs.at("compound") - 1) + "]";
    files["cwcdic.dic"] = datagen::cjDicEntryFile({"U\\U[U]", record}, &offsets);
    datagen::addCjSegmentationFiles(files, {{"\xFB\x41\xFB\x45", offsets[1]}}, false);
    ASSERT_TRUE(datagen::writeCjDataFiles(cjtest::useFolder(device), files));
    ASSERT_EQ(cj::initCjEngine(cjtest::engine()), 0);
  }
  void TearDown() override {
    cj::closeCjEngine(cjtest::engine());
    cjtest::engine().engineStatus = 0;
    SpecialStructures::TearDown();
  }
  // F, the words between and E (words in all) under phrase words + 1, as the reduplication
  // step builds them.
  void pattern(int rule, const std::string& f, const std::string& e, int words) {
    std::string notation = "w - V;";
    for (int k = 2; k < words; ++k) notation += " w - D;";
    notation += " w - V; p 1 " + std::to_string(words) + " VP class=3 rule=" + std::to_string(rule);
    build(notation);
    sentence->nodes[1].CHI = f;
    sentence->nodes[words].CHI = e;
  }

  datagen::TempDevice device;
};

TEST_F(SpecialCompounds, FoundCompoundReplacesTheWords) {
  // AABB over four words and over three: the first character of F and the last of E; every
  // word after F goes.
  for (int words : {4, 3}) {
    SCOPED_TRACE(words);
    pattern(4, "\xFB\x41", "\xFB\x45", words);
    target(words + 1).ten = 'B';
    cj::applySpecialStructure(*context, words + 1);
    ASSERT_EQ(target(1).candidates.size(), 2u);
    EXPECT_EQ(target(1).candidates[0].text, "読み始める");
    EXPECT_EQ(target(1).ten, 'B');
    EXPECT_EQ(target(1).ruleFlag1, 0);
    EXPECT_EQ(chain(words + 1), "1");
    EXPECT_EQ(target(words + 1).headChild, 1);
  }

  // ALB over three words: F's word followed by E's word.
  pattern(13, "\xFB\x41", "\xFB\x45", 3);
  cj::applySpecialStructure(*context, 4);
  EXPECT_EQ(target(1).candidates.size(), 2u);
  EXPECT_EQ(chain(4), "1");
}

TEST_F(SpecialCompounds, MissingCompoundLeavesThePhrase) {
  for (int rule : {4, 13}) {
    SCOPED_TRACE(rule);
    pattern(rule, "\xFB\x42", "\xFB\x46", 3);
    cj::applySpecialStructure(*context, 4);
    EXPECT_TRUE(target(1).candidates.empty());
    EXPECT_EQ(chain(4), "1 2 3");
    EXPECT_EQ(target(1).ruleFlag1, 1);
  }
}

}  // namespace
