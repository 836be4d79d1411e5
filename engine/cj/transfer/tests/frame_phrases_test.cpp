#include "engine/cj/transfer/frame_phrases.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine/cj/transfer/tests/rule_sentence.h"
#include "tools/datagen/word_table_writer.h"

namespace {

class FramePhrases : public cjtest::RuleSentence {
 protected:
  void TearDown() override { cj::clearWordTable(); }
  // Reloads the synthetic words after an edit of the table.
  void reload(const std::function<void(datagen::WordTable&)>& edit) {
    datagen::WordTable table = datagen::syntheticWordTable(datagen::wordKeyShapes(cj::registeredWordKeys()));
    edit(table);
    ASSERT_EQ(cj::loadWordTableText(datagen::wordTableText(table)), cj::kWordTableLoaded);
  }
  // Preposition 1, object 2, closing word 3 under phrase 5, followed by verb 4: an adverbial frame.
  void adverbialFrame(const std::string& p, const std::string& e) {
    build("w " + p + " D; w - N; w " + e + " L; w - V; p 1 3 DP");
    target(5).headChild = 2;
  }
  // The same frame alone in its sentence: the predicate.
  void predicateFrame(const std::string& p, const std::string& e) {
    build("w " + p + " D; w - N; w " + e + " L; p 1 3 DP");
    target(4).headChild = 2;
  }
};

TEST_F(FramePhrases, LocaliserGroupsWriteTheirPlaceNoun) {
  struct Case {
    const char* localiser;
    const char* text;
  } cases[] = {
      {"$framePhrases.up", "上"},         {"$framePhrases.up#1", "以上"},   {"$framePhrases.up#2", "上方"},
      {"$framePhrases.up#3", "上部"},     {"$framePhrases.up#4", "上"},     {"$framePhrases.down#2", "下方"},
      {"$framePhrases.front#2", "前部"},  {"$framePhrases.front#5", "前"},  {"$framePhrases.east#2", "東部"},
      {"$framePhrases.north#1", "北方"},  {"$framePhrases.left#3", "左"},   {"$framePhrases.inside", "中"},
      {"$framePhrases.between#1", "間"},  {"$framePhrases.aspect", "方面"}, {"$framePhrases.side#4", "側"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.localiser);
    adverbialFrame("$framePhrases.localiserPrepositions#2", k.localiser);
    cj::dispatchFramePhrase(*context, 5);
    EXPECT_EQ(target(1).alive, 0);
    EXPECT_EQ(japanese(3), k.text);
    EXPECT_EQ(target(2).vform, 't');
    EXPECT_EQ(att(3), "で");  // a scene: the place phrase's "で"
  }
}

TEST_F(FramePhrases, LocaliserFormsWithoutMarksAndWithTense) {
  adverbialFrame("$framePhrases.localiserPrepositions", "$framePhrases.back#1");
  reload([](datagen::WordTable& t) { t[cj::kBackPastForms.key()][0] = t[cj::kLocBack.key()][1]; });
  adverbialFrame("$framePhrases.localiserPrepositions", "$framePhrases.back#1");
  cj::dispatchFramePhrase(*context, 5);
  EXPECT_EQ(japanese(3), "後方");
  EXPECT_EQ(target(2).ten, 'B');

  reload([](datagen::WordTable& t) { t[cj::kUpUnmarked.key()][0] = t[cj::kLocUp.key()][1]; });
  adverbialFrame("$framePhrases.localiserPrepositions", "$framePhrases.up#1");
  cj::dispatchFramePhrase(*context, 5);
  EXPECT_EQ(japanese(3), "以上");
  EXPECT_EQ(target(2).vform, 'z');  // untouched
}

// The localiser's head word picks the group, the closing node's own word its variant.
TEST_F(FramePhrases, VariantIsChosenByTheClosingNodesOwnWord) {
  build("w $framePhrases.localiserPrepositions D; w - N; w $framePhrases.up L; w - V; p 3 3 LP; p 1 5 DP");
  target(6).headChild = 2;
  sentence->nodes[5].CHI = word(cj::kLocUp, 1);
  cj::dispatchFramePhrase(*context, 6);
  EXPECT_EQ(japanese(5), "以上");
  EXPECT_EQ(target(1).alive, 0);
}

TEST_F(FramePhrases, AWordInTwoGroupsIsTakenByTheFirst) {
  reload([](datagen::WordTable& t) { t[cj::kLocDown.key()][0] = t[cj::kLocUp.key()][0]; });
  adverbialFrame("$framePhrases.localiserPrepositions", "$framePhrases.down");
  cj::dispatchFramePhrase(*context, 5);
  EXPECT_EQ(japanese(3), "上");
}

TEST_F(FramePhrases, UnlistedLocaliserLeavesThePhrase) {
  adverbialFrame("$framePhrases.localiserPrepositions", "-");
  cj::dispatchFramePhrase(*context, 5);
  EXPECT_EQ(target(1).alive, 1);
  EXPECT_EQ(japanese(3), "");
  EXPECT_EQ(att(3), "");
  EXPECT_EQ(target(2).vform, 'z');
}

TEST_F(FramePhrases, DemonstrativePrepositionIsKeptAsKono) {
  reload([](datagen::WordTable& t) { t[cj::kFrameLocaliserPrepositions.key()][4] = t[cj::kFrameDemonstrative.key()][0]; });
  adverbialFrame("$framePhrases.demonstrative", "$framePhrases.left");
  cj::dispatchFramePhrase(*context, 5);
  EXPECT_EQ(target(1).alive, 1);
  EXPECT_EQ(japanese(1), "この");
  EXPECT_EQ(target(1).jcat, "RETAI");
  EXPECT_EQ(japanese(3), "左");
}

TEST_F(FramePhrases, MembersThatFinishThePhraseThemselves) {
  // The companion before the localiser of "below" takes "お供で" and the localiser goes.
  reload([](datagen::WordTable& t) { t[cj::kDownCompanyWord.key()][0] = t[cj::kLocDown.key()][0]; });
  build("w $framePhrases.localiserPrepositions D; w $framePhrases.downCompanion N; w $framePhrases.down L; w - V; "
        "p 1 3 DP");
  target(5).headChild = 2;
  cj::dispatchFramePhrase(*context, 5);
  EXPECT_EQ(japanese(2), "お供");
  EXPECT_EQ(att(2), "で");
  EXPECT_EQ(target(3).alive, 0);
  EXPECT_EQ(att(3), "");  // no closing step

  // The judging frame: the preposition and the closing word go, the object takes "からすると".
  adverbialFrame("$framePhrases.localiserPrepositions", "$framePhrases.judging#1");
  cj::dispatchFramePhrase(*context, 5);
  EXPECT_EQ(target(1).alive, 0);
  EXPECT_EQ(target(3).alive, 0);
  EXPECT_EQ(att(2), "からすると");
}

TEST_F(FramePhrases, AfterFrameAsThePredicateEndsInDa) {
  predicateFrame("$framePhrases.localiserPrepositions", "$framePhrases.after");
  cj::dispatchFramePhrase(*context, 4);
  EXPECT_EQ(japanese(3), "後");
  const int n = target(4).headChild;
  ASSERT_EQ(n, 5);
  EXPECT_EQ(japanese(n), "だ");
  EXPECT_EQ(target(n).jcat, "KYODO");
  EXPECT_EQ(chain(4), "1 2 3 5");
}

TEST_F(FramePhrases, AbovePredicateAfterAListedEndingTakesDe) {
  // The object's last character is one of the listed endings: "で" on the phrase, no closing step.
  build("w $framePhrases.localiserPrepositions D; w - N; w $framePhrases.up L; p 1 3 DP");
  target(4).headChild = 2;
  sentence->nodes[2].CHI = "\xFB\x41" + word(cj::kUpPlainEndings, 1);
  cj::dispatchFramePhrase(*context, 4);
  EXPECT_EQ(japanese(3), "上");
  EXPECT_EQ(att(4), "で");
  EXPECT_EQ(att(3), "");
  EXPECT_EQ(context->nodeCount, 4);  // no existence verb was added
  // Another ending: the place phrase becomes the existence predicate.
  build("w $framePhrases.localiserPrepositions D; w - N; w $framePhrases.up L; p 1 3 DP");
  target(4).headChild = 2;
  cj::dispatchFramePhrase(*context, 4);
  EXPECT_EQ(att(4), "");
  EXPECT_EQ(att(3), "に");
  EXPECT_EQ(target(4).headChild, 5);
}

TEST_F(FramePhrases, FrameWithoutItsClosingWordIsLeftAlone) {
  adverbialFrame("$framePhrases.localiserPrepositions", "$framePhrases.up");
  target(5).lastChild = 0;
  cj::dispatchFramePhrase(*context, 5);
  cj::applySpanFrame(*context, 5);
  cj::applyFramePair(*context, 5);
  target(5).lastChild = 3;
  target(5).firstChild = 0;
  cj::dispatchFramePhrase(*context, 5);
  cj::applySourceFrame(*context, 5);
  EXPECT_EQ(target(1).alive, 1);
  EXPECT_EQ(japanese(3), "");
  EXPECT_EQ(att(3), "");
}

TEST_F(FramePhrases, SourceFrames) {
  adverbialFrame("$framePhrases.sourcePrepositions#1", "$framePhrases.up#2");
  cj::dispatchFramePhrase(*context, 5);
  EXPECT_EQ(target(1).alive, 0);
  EXPECT_EQ(japanese(3), "上方から");
  EXPECT_EQ(target(2).vform, 't');

  // Starting point: "から" as an adverbial, "から始める" heading the predicate.
  adverbialFrame("$framePhrases.sourcePrepositions", "$framePhrases.sourceStart#1");
  cj::dispatchFramePhrase(*context, 5);
  EXPECT_EQ(japanese(3), "から");
  EXPECT_EQ(target(2).vform, 'z');
  predicateFrame("$framePhrases.sourcePrepositions", "$framePhrases.sourceStart#2");
  target(4).ten = 'B';
  cj::dispatchFramePhrase(*context, 4);
  EXPECT_EQ(japanese(3), "から始める");
  EXPECT_EQ(target(3).jcat, "ZI000");
  EXPECT_EQ(target(4).headChild, 3);
  EXPECT_EQ(target(3).ten, 'B');

  // A listed viewpoint pair.
  adverbialFrame("$framePhrases.viewPairP#1", "$framePhrases.viewPairE#1");
  cj::applySourceFrame(*context, 5);
  EXPECT_EQ(japanese(3), "から見て");
  EXPECT_EQ(target(2).vform, 'N');
}

TEST_F(FramePhrases, SpanFrames) {
  // From P through the "to" word to the ending word.
  build("w $framePhrases.spanFrom D; w - N; w $framePhrases.spanTo#1 D; w - N; w $framePhrases.spanEnd L; "
        "p 1 5 DP");
  cj::applySpanFrame(*context, 6);
  EXPECT_EQ(target(3).alive, 0);
  EXPECT_EQ(att(2), "から");
  EXPECT_EQ(att(4), "まで");
  // Without the "to" word the word before the end still takes "まで".
  build("w $framePhrases.spanFrom#1 D; w - N; w $framePhrases.spanEnd#1 L; p 1 3 DP");
  cj::applySpanFrame(*context, 4);
  EXPECT_EQ(att(2), "まで");
  // The second kind: the ending noun itself takes "まで".
  build("w $framePhrases.spanFrom2 D; w - N; w $framePhrases.spanTo2 D; w - N; p 1 4 DP");
  cj::applySpanFrame(*context, 5);
  EXPECT_EQ(target(3).alive, 0);
  EXPECT_EQ(att(2), "から");
  EXPECT_EQ(att(4), "まで");
  // A span that has lost its closing word is left alone.
  build("w $framePhrases.spanFrom D; w - N; w $framePhrases.spanTo D; w - N; p 1 4 DP");
  target(5).lastChild = 0;
  cj::applySpanFrame(*context, 5);
  EXPECT_EQ(target(3).alive, 1);
  EXPECT_EQ(att(2), "");
  // Any other start: nothing.
  build("w - D; w - N; w $framePhrases.spanEnd L; p 1 3 DP");
  cj::applySpanFrame(*context, 4);
  EXPECT_EQ(att(2), "");
}

TEST_F(FramePhrases, UnmatchedTwoPartFrameOnlyRetiresItsPreposition) {
  adverbialFrame("-", "-");
  target(3).alive = 0;
  cj::dispatchFramePhrase(*context, 5);
  EXPECT_EQ(target(1).alive, 0);
  EXPECT_EQ(target(3).alive, 1);
  EXPECT_EQ(japanese(3), "");
  EXPECT_EQ(att(2), "");
  EXPECT_EQ(att(5), "");
  EXPECT_EQ(target(2).vform, 'z');
}

TEST_F(FramePhrases, TwoPartFrames) {
  // Response: W takes "に", a new verb "応じる" after E heads the phrase.
  adverbialFrame("$framePairs.responseP", "-");
  cj::dispatchFramePhrase(*context, 5);
  EXPECT_EQ(att(2), "に");
  EXPECT_EQ(target(2).vform, 'N');
  const int n = target(5).headChild;
  ASSERT_EQ(n, 6);
  EXPECT_EQ(japanese(n), "応じる");
  EXPECT_EQ(target(n).vform, 'd');
  EXPECT_EQ(chain(5), "1 2 3 6");

  // Standpoint with the other response words.
  adverbialFrame("$framePairs.responseP#2", "$framePairs.responseStandpointE#3");
  cj::dispatchFramePhrase(*context, 5);
  EXPECT_EQ(japanese(3), "にとって");
  EXPECT_EQ(target(3).jcat, "FUKU0");

  // Comparison: "ようだ" as the predicate.
  predicateFrame("$framePairs.compareP2#12", "$framePairs.compareE2");
  cj::dispatchFramePhrase(*context, 4);
  EXPECT_EQ(japanese(3), "ようだ");
  EXPECT_EQ(target(3).vform, 'z');
  EXPECT_EQ(target(2).vform, 't');

  // A listed pair of the last step: together, as an adverbial.
  adverbialFrame("$framePairs.togetherP#5", "$framePairs.togetherE#3");
  cj::dispatchFramePhrase(*context, 5);
  EXPECT_EQ(att(2), "と");
  EXPECT_EQ(japanese(3), "一緒に");
  EXPECT_EQ(target(5).headChild, 3);
}

// The two-part frames read the phrase's head H (here a VP over a noun W) where they name the head.
TEST_F(FramePhrases, TwoPartFramesReadTheHeadNotItsWord) {
  reload([](datagen::WordTable& t) { t[cj::kCompareSame.key()][0] = t[cj::kCompareE3.key()][0]; });
  build("w - D; w - N; w $framePairs.compareE3 L; w - V; p 2 2 VP; p 1 3 DP");
  target(6).headChild = 5;
  cj::dispatchFramePhrase(*context, 6);
  EXPECT_EQ(japanese(3), "ようだ");  // H is a verb phrase: no "と同じだ"
  EXPECT_EQ(target(2).vform, 't');

  // The word after H is retired by the point-in-time and time frames, whatever follows W.
  for (const char* frame : {"pointInTime", "time"}) {
    SCOPED_TRACE(frame);
    const std::string follower = std::string(frame) == "time" ? cj::kTimeFollower.key() : cj::kPointFollowers.key();
    build("w $framePairs." + std::string(frame) + "P D; w - N; w $" + follower + " N; w $framePairs." +
          std::string(frame) + "E L; p 2 2 NP; p 1 4 DP");
    target(6).headChild = 5;
    cj::dispatchFramePhrase(*context, 6);
    EXPECT_EQ(target(3).alive, 0);
    EXPECT_EQ(target(4).alive, 1);
  }
}

TEST_F(FramePhrases, PairListsOfTheLastStepAreTriedInOrder) {
  // The same pair listed for "with" and for "dropped": "with" comes first.
  reload([](datagen::WordTable& t) {
    t["framePairs.withP"] = {t["framePairs.droppedP"][0]};
    t["framePairs.withE"] = {t["framePairs.droppedE"][0]};
  });
  adverbialFrame("$framePairs.droppedP", "$framePairs.droppedE");
  cj::dispatchFramePhrase(*context, 5);
  EXPECT_EQ(target(3).alive, 1);
  EXPECT_EQ(japanese(3), "で");
  // Only "dropped" lists it: the closing word goes.
  reload([](datagen::WordTable&) {});
  adverbialFrame("$framePairs.droppedP", "$framePairs.droppedE");
  cj::dispatchFramePhrase(*context, 5);
  EXPECT_EQ(target(3).alive, 0);
}

}  // namespace
