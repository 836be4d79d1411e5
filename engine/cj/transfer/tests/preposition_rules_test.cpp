#include "engine/cj/transfer/preposition_rules.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine/cj/transfer/tests/rule_sentence.h"
#include "tools/datagen/word_table_writer.h"

namespace {

class PrepositionRules : public cjtest::RuleSentence {
 protected:
  void TearDown() override { cj::clearWordTable(); }
  void reload(const std::function<void(datagen::WordTable&)>& edit) {
    datagen::WordTable table = datagen::syntheticWordTable(datagen::wordKeyShapes(cj::registeredWordKeys()));
    edit(table);
    ASSERT_EQ(cj::loadWordTableText(datagen::wordTableText(table)), cj::kWordTableLoaded);
  }
  // Preposition 1 and object 2 under phrase 4, followed by verb 3; the object heads the phrase.
  void adverbial(const std::string& preposition, const std::string& object = "w - N") {
    build("w " + preposition + " D; " + object + "; w - V; p 1 2 IP");
    target(4).headChild = 2;
  }
};

TEST_F(PrepositionRules, TableHoldsItsGroupsInOrder) {
  int words = 0;
  for (const cj::PrepositionGroup& g : cj::prepositionGroupTable) words += g.count;
  EXPECT_EQ(words, 149);
  EXPECT_EQ(cj::prepositionRuleOf(word("prepositionGroups.group19", 2)), cj::PrepositionRule::kThrough);
  EXPECT_EQ(cj::prepositionRuleOf(word("prepositionGroups.group44", 4)), cj::PrepositionRule::kLike);
  EXPECT_EQ(cj::prepositionRuleOf(""), cj::PrepositionRule::kNoPrepositionRule);
  // A word listed in two groups belongs to the earlier one.
  reload([](datagen::WordTable& t) { t["prepositionGroups.group16"][3] = t["prepositionGroups.group01"][0]; });
  EXPECT_EQ(cj::prepositionRuleOf(word("prepositionGroups.group16", 3)), cj::PrepositionRule::kFrom);
  adverbial("$prepositionGroups.group16#3");
  cj::dispatchPrepositionPhrase(*context, 4);
  EXPECT_EQ(att(2), "から");
}

TEST_F(PrepositionRules, FixedPostpositions) {
  struct Case {
    const char* preposition;
    const char* att;
  } cases[] = {
      {"$prepositionGroups.group07", "を通じて(通って)"}, {"$prepositionGroups.group19#2", "を通じて(通って)"},
      {"$prepositionGroups.group08#1", "に乗って"},       {"$prepositionGroups.group13#7", "に向って"},
      {"$prepositionGroups.group16#10", "によって"},     {"$prepositionGroups.group26", "について"},
      {"$prepositionGroups.group31#8", "と"},            {"$prepositionGroups.group32#4", "に"},
      {"$prepositionGroups.group37", "を除いて"},        {"$prepositionGroups.group43", "に対して"},
      {"$prepositionGroups.group35", "から"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.preposition);
    adverbial(k.preposition);
    cj::dispatchPrepositionPhrase(*context, 4);
    EXPECT_EQ(target(1).alive, 0);
    EXPECT_EQ(att(2), k.att);
    EXPECT_EQ(att(4), "");
  }
}

TEST_F(PrepositionRules, PlacePrepositionTakesNiOrDe) {
  adverbial("$prepositionGroups.group03", "w - Ntl");
  cj::dispatchPrepositionPhrase(*context, 4);
  EXPECT_EQ(att(2), "に");
  EXPECT_EQ(target(2).vform, 'z');
  EXPECT_EQ(target(1).alive, 0);
  adverbial("$prepositionGroups.group03#4", "w - N");
  cj::dispatchPrepositionPhrase(*context, 4);
  EXPECT_EQ(att(2), "で");
}

TEST_F(PrepositionRules, PlacePrepositionAsThePredicateBecomesTheExistenceVerb) {
  struct Case {
    const char* subject;
    const char* preposition;
    const char* verb;
    const char* code;
  } cases[] = {
      {"w - N M_SEM=Z", "$prepositionGroups.group03", "いる", "ZI000"},
      {"w - N", "$prepositionGroups.group03#1", "ある", "ZG001"},
      {"w - N M_SEM=Z", "$prepositionRules.existNegative", "いない", "KYOSI"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.verb);
    reload([](datagen::WordTable& t) { t["prepositionGroups.group03"][2] = t[cj::kPrepExistNegative.key()][0]; });
    build(std::string(k.subject) + "; w " + k.preposition + " D; w - N; p 2 3 IP; l 4 1 SUB");
    target(4).headChild = 3;
    target(4).ten = 'B';
    cj::dispatchPrepositionPhrase(*context, 4);
    EXPECT_EQ(chain(4), "2 3 5");
    EXPECT_EQ(target(4).headChild, 5);
    EXPECT_EQ(japanese(5), k.verb);
    EXPECT_EQ(target(5).jcat, k.code);
    EXPECT_EQ(target(5).ten, 'B');
    EXPECT_EQ(target(2).alive, 0);
    EXPECT_EQ(att(3), "に");
    EXPECT_EQ(target(3).caseOpen, 0);
  }
}

TEST_F(PrepositionRules, UntilAndToward) {
  adverbial("$prepositionGroups.group04", "w - N M_SEM=I");
  cj::dispatchPrepositionPhrase(*context, 4);
  EXPECT_EQ(att(2), "まで");
  reload([](datagen::WordTable& t) { t["prepositionGroups.group04"][1] = t[cj::kPrepToward.key()][0]; });
  adverbial("$prepositionRules.toward");
  cj::dispatchPrepositionPhrase(*context, 4);
  EXPECT_EQ(att(2), "へ");
  adverbial("$prepositionGroups.group04#2");
  cj::dispatchPrepositionPhrase(*context, 4);
  EXPECT_EQ(att(2), "まで(へ)");
}

TEST_F(PrepositionRules, FramesThatMoveTheHead) {
  // Purpose: the head noun takes "ために" joined with "の".
  adverbial("$prepositionGroups.group30");
  cj::dispatchPrepositionPhrase(*context, 4);
  EXPECT_EQ(att(2), "ために");
  EXPECT_EQ(target(2).vform, 't');
  EXPECT_EQ(target(2).joinWithNo, 1);
  EXPECT_EQ(target(1).alive, 0);

  // Likeness: the object becomes the predicate "ようだ".
  adverbial("$prepositionGroups.group44#4", "w - V");
  target(4).headChild = 3;
  target(4).neg = 1;
  cj::dispatchPrepositionPhrase(*context, 4);
  EXPECT_EQ(japanese(2), "ようだ");
  EXPECT_EQ(target(2).jcat, "KYODO");
  EXPECT_EQ(target(4).headChild, 2);
  EXPECT_EQ(target(2).neg, 1);
  EXPECT_EQ(target(3).vform, 't');

  // The object marker: the phrase's own particle.
  adverbial("$prepositionGroups.group23#3");
  cj::dispatchPrepositionPhrase(*context, 4);
  EXPECT_EQ(att(4), "を");
  EXPECT_EQ(att(2), "");
  EXPECT_EQ(target(2).vform, 'N');
}

TEST_F(PrepositionRules, DefaultTakesThePostpositionOfTheTranslation) {
  struct Case {
    const char* translation;  // empty: no candidate
    const char* att;
  } cases[] = {
      {"…について", "はについて"},
      {"に沿って", "はに沿って"},
      {"", "は"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.att);
    adverbial("-");
    target(4).att = "は";
    if (*k.translation) candidate(1, k.translation, "FUKU0");
    cj::dispatchPrepositionPhrase(*context, 4);
    EXPECT_EQ(att(4), k.att);
    EXPECT_EQ(att(2), "");
    EXPECT_EQ(target(1).alive, 0);
    EXPECT_EQ(target(2).vform, 'N');
  }
}

}  // namespace
