#include "engine/cj/transfer/localiser_phrases.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine/cj/transfer/frame_phrases.h"
#include "engine/cj/transfer/tests/rule_sentence.h"
#include "tools/datagen/word_table_writer.h"

namespace {

class LocaliserPhrases : public cjtest::RuleSentence {
 protected:
  void TearDown() override { cj::clearWordTable(); }
  void reload(const std::function<void(datagen::WordTable&)>& edit) {
    datagen::WordTable table = datagen::syntheticWordTable(datagen::wordKeyShapes(cj::registeredWordKeys()));
    edit(table);
    ASSERT_EQ(cj::loadWordTableText(datagen::wordTableText(table)), cj::kWordTableLoaded);
  }
  // Head word 1 and localiser 2 under phrase 4, followed by verb 3.
  void adverbial(const std::string& localiser, const char* head = "N") {
    build(std::string("w - ") + head + "; w " + localiser + " L; w - V; p 1 2 LP");
    target(4).headChild = 1;
  }
};

TEST_F(LocaliserPhrases, OneWordPhraseTakesNiNo) {
  build("w - N; w - V; p 1 1 LP");
  target(1).att = "は";
  cj::dispatchLocaliserPhrase(*context, 3);
  EXPECT_EQ(att(1), "はに(の)");
  EXPECT_EQ(japanese(1), "");
  EXPECT_EQ(target(1).vform, 'z');
}

TEST_F(LocaliserPhrases, GroupsWriteTheLocaliserAndThePostposition) {
  struct Case {
    const char* localiser;
    const char* text;
  } cases[] = {
      {"$framePhrases.up#2", "上方"},          {"$framePhrases.down#8", "下"},
      {"$framePhrases.south#1", "南方"},       {"$localiserPhrases.inside#7", "中"},
      {"$localiserPhrases.outside#8", "外"},   {"$framePhrases.within#4", "内"},
      {"$localiserPhrases.insideOutside#1", "内外"}, {"$framePhrases.back#3", "(以)後"},
      {"$framePhrases.back#1", "後方"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.localiser);
    adverbial(k.localiser);
    cj::dispatchLocaliserPhrase(*context, 4);
    EXPECT_EQ(japanese(2), k.text);
    EXPECT_EQ(target(1).vform, 't');
    EXPECT_EQ(att(2), "で");
  }
}

TEST_F(LocaliserPhrases, UnlistedLocaliserIsLeftUnchanged) {
  adverbial("-");
  cj::dispatchLocaliserPhrase(*context, 4);
  EXPECT_EQ(japanese(2), "");
  EXPECT_EQ(att(2), "");
  EXPECT_EQ(att(4), "");
  EXPECT_EQ(target(1).vform, 'z');
}

TEST_F(LocaliserPhrases, AfterAnAdjectiveBecomesPastNaru) {
  reload([](datagen::WordTable& t) { t[cj::kLpBackVerbForms.key()][0] = t[cj::kLocBack.key()][5]; });
  adverbial("$framePhrases.back#5", "A");
  candidate(1, "高い", "KYOSI");
  cj::dispatchLocaliserPhrase(*context, 4);
  EXPECT_EQ(japanese(2), "後");
  EXPECT_EQ(target(1).candidates.at(0).text, "高くなる");
  EXPECT_EQ(target(1).ten, 'B');
  // Without a verbal head the form's own text stays.
  adverbial("$framePhrases.back#5");
  cj::dispatchLocaliserPhrase(*context, 4);
  EXPECT_EQ(japanese(2), "後");
  EXPECT_EQ(target(1).ten, 'A');  // as set up
}

TEST_F(LocaliserPhrases, SinceAndTimeWords) {
  adverbial("$localiserPhrases.since#1", "V");
  cj::dispatchLocaliserPhrase(*context, 4);
  EXPECT_EQ(japanese(2), "から");
  EXPECT_EQ(target(1).vform, 'd');
  EXPECT_EQ(att(4), "");

  // A time word: marks and the span's "に"; the first eight words also start longer words.
  adverbial("$localiserPhrases.timeWords#8");
  target(2).japanese = "頃";
  cj::dispatchLocaliserPhrase(*context, 4);
  EXPECT_EQ(target(1).vform, 't');
  EXPECT_EQ(att(4), "に");
  EXPECT_EQ(japanese(2), "頃");

  const std::string first = word(cj::kLpTimeWords, 0), last = word(cj::kLpTimeWords, 8);
  build("w - N; w - L; w - V; p 1 2 LP");
  target(4).headChild = 1;
  sentence->nodes[2].CHI = first + "\xFB\x41";
  target(2).japanese = "頃";
  cj::dispatchLocaliserPhrase(*context, 4);
  EXPECT_EQ(att(4), "に");
  build("w - N; w - L; w - V; p 1 2 LP");
  target(4).headChild = 1;
  sentence->nodes[2].CHI = last + "\xFB\x41";
  cj::dispatchLocaliserPhrase(*context, 4);
  EXPECT_EQ(att(4), "");
  EXPECT_EQ(target(1).vform, 'z');
}

}  // namespace
