#include "engine/jc/core/jc_predicates_semantic.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/jc/test_support/jc_sentence_builder.h"

namespace jc {
namespace {

using Test1 = int (*)(const JcSentence*, int);
#define T(f) f, #f

struct Row {
  const char* sentence;
  Test1 test;
  const char* name;
  int word;
  int expected;
};

void runRows(const Row* rows, std::size_t n) {
  for (std::size_t k = 0; k < n; ++k) {
    const Row& row = rows[k];
    JcSentenceHolder s;
    std::string error;
    ASSERT_TRUE(s.build(row.sentence, &error)) << row.sentence << ": " << error;
    EXPECT_EQ(row.test(s.get(), row.word), row.expected) << row.name << " on " << row.sentence;
  }
}

TEST(JcQuestionWords, WholeSurfacesOfTheList) {
  const Row rows[] = {
      {"m 何 pos=6/1", T(isQuestionWord), 1, 1},
      {"m 何か pos=6/1", T(isQuestionWord), 1, 0},
      {"m どのぐらい pos=8/3", T(isQuestionWord), 1, 1},
      {"m 何人 pos=6/1", T(isQuestionWord), 1, 1},
      {"m 人 pos=6/1", T(isQuestionWord), 1, 0},
      {"m 何人 pos=6/1", T(isQuantityQuestion), 1, 1},
      {"m 数日 pos=6/10", T(isQuantityQuestion), 1, 1},
      {"m 幾ら pos=6/1", T(isQuantityQuestion), 1, 1},
      {"m 十数 pos=6/7", T(isQuantityQuestion), 1, 1},  // second character
      {"m a数 pos=15/3", T(isQuantityQuestion), 1, 1},  // a one-byte first character
      {"m いくつ pos=6/1", T(isQuantityQuestion), 1, 0},
      {"m 人数 pos=6/1", T(isQuantityQuestion), 1, 1},
      {"m 日数人 pos=6/1", T(isQuantityQuestion), 1, 1},
      {"m 日人数 pos=6/1", T(isQuantityQuestion), 1, 0},
  };
  runRows(rows, std::size(rows));
}

TEST(JcQuestionWords, Searches) {
  JcSentenceHolder s;
  ASSERT_TRUE(s.build("m 誰 pos=6/1; m が pos=9/1; m いつ pos=6/10; m 来た base=来る pos=2/2 conj=15/8; m か pos=9/4"));
  JcSentence* r = s.get();
  EXPECT_EQ(findQuestionWordBackward(r, 5), 3);
  EXPECT_EQ(findQuestionWordBackward(r, 2), 1);
  EXPECT_EQ(findQuestionWordBackward(r, 0), 0);
  EXPECT_EQ(findQuestionWordForward(r, 2), 3);
  EXPECT_EQ(findQuestionWordForward(r, 4), 0);
  EXPECT_EQ(findQuestionWordForward(r, 0), 0);
  EXPECT_EQ(hasQuestionWordBefore(r, 1), 0);
  EXPECT_EQ(hasQuestionWordBefore(r, 2), 1);
  EXPECT_EQ(hasQuestionWordBefore(r, 400), 1);
}

TEST(JcSemanticCodes, PersonPlaceAndTime) {
  const Row rows[] = {
      {"m x pos=6/5 sem=11000", T(isPersonOrOrganisation), 1, 1},
      {"m x pos=6/6", T(isPersonOrOrganisation), 1, 1},
      {"m x pos=6/1 sem=12000", T(isPersonOrOrganisation), 1, 1},
      {"m x pos=6/1 sem=11200", T(isPersonOrOrganisation), 1, 0},
      // Person semantics: codes, a second code, the next word's codes; no codes at all counts.
      {"m x pos=6/1", T(hasPersonSemantics), 1, 1},
      {"m x pos=6/1 sem=15600", T(hasPersonSemantics), 1, 1},
      {"m x pos=6/1 sem=11600", T(hasPersonSemantics), 1, 0},
      {"m x pos=6/1 sem=11600/12100", T(hasPersonSemantics), 1, 1},
      {"m x pos=6/1 sem=11600/11700", T(hasPersonSemantics), 1, 0},
      {"m x pos=6/1 sem=11600; m y pos=14/2 sem=12500", T(hasPersonSemantics), 1, 1},
      {"m x pos=6/1 sem=11600; m y pos=6/1 sem=12500; p 1-2 hm=2", T(hasPersonSemantics), 3, 1},
      {"m x pos=6/1 sem=12500; m y pos=6/1 sem=11600; p 1-2 hm=2", T(hasPersonSemantics), 3, 0},
      // Time: the second code counts; 115 is no time.
      {"m x pos=6/1 sem=11610", T(isTimeNoun), 1, 1},
      {"m x pos=6/1 sem=12000/11610", T(isTimeNoun), 1, 1},
      {"m x pos=6/1 sem=12000/11500", T(isTimeNoun), 1, 0},
      {"m x pos=6/10", T(isTimeNoun), 1, 1},
      {"m x pos=6/1 sem=11634", T(isTimePointNoun), 1, 1},
      {"m x pos=6/1 sem=11660", T(isTimePointNoun), 1, 0},
      {"m x pos=6/10", T(isTimePointNoun), 1, 1},
      // Non-temporal nouns.
      {"m x pos=2/1 sem=11610", T(isNonTemporalNoun), 1, 1},
      {"m x pos=6/5 sem=11610", T(isNonTemporalNoun), 1, 1},
      {"m x pos=6/1 sem=12000/11610", T(isNonTemporalNoun), 1, 0},
      {"m x pos=6/1 sem=14300", T(isNonTemporalNoun), 1, 0},
      {"m x pos=6/1 sem=14600", T(isNonTemporalNoun), 1, 1},
      {"m x pos=6/10", T(isNonTemporalNoun), 1, 0},
      {"m x pos=6/1", T(isNonTemporalNoun), 1, 1},
      // Places.
      {"m x pos=6/4", T(isPlaceNoun), 1, 1},
      {"m x pos=6/1 sem=11700", T(isPlaceNoun), 1, 1},
      {"m x pos=6/1 sem=12530", T(isPlaceNoun), 1, 1},
      {"m x pos=6/1 sem=12560", T(isPlaceNoun), 1, 0},
      {"m x pos=6/1 sem=12600", T(isPlaceNoun), 1, 1},
      {"m x pos=6/1 sem=12670", T(isPlaceNoun), 1, 0},
      {"m x pos=6/1 sem=14700", T(isPlaceNoun), 1, 1},
      {"m x pos=6/1 sem=14800", T(isPlaceNoun), 1, 0},
      {"m x pos=6/1 sem=15200", T(isPlaceNoun), 1, 1},
      {"m x pos=6/1 sem=11600/11700", T(isPlaceNoun), 1, 0},  // only the first code
      {"m x pos=7/1", T(isPlaceOrTimeWord), 1, 1},
      {"m x pos=14/2", T(isPlaceOrTimeWord), 1, 1},
      {"m x pos=6/1 sem=11000/12590", T(isPlaceOrTimeWord), 1, 1},
      {"m x pos=6/1 sem=11000/12600", T(isPlaceOrTimeWord), 1, 1},
      {"m x pos=6/1 sem=12500", T(isPlaceOrTimeWord), 1, 0},
      // Code groups.
      {"m x pos=6/1 sem=10000/11771", T(hasSemantic1174Group), 1, 1},
      {"m x pos=6/1 sem=11743", T(hasSemantic1174Group), 1, 0},
      {"m x pos=6/1 sem=14660", T(hasSemantic1465Group), 1, 1},
      {"m x pos=6/1 sem=14640", T(hasSemantic1465Group), 1, 0},
      {"m x pos=6/1 sem=12411", T(hasSemantic12Group), 1, 1},
      {"m x pos=6/1 sem=12412", T(hasSemantic12Group), 1, 0},
  };
  runRows(rows, std::size(rows));
}

TEST(JcSemanticCodes, BoundsStartAtOne) {
  JcSentenceHolder s;
  ASSERT_TRUE(s.build("m x pos=6/10"));
  Test1 tests[] = {isPersonOrOrganisation, hasPersonSemantics, isNonTemporalNoun, isTimeNoun,
                   isTimePointNoun,        isPlaceOrTimeWord,  isPlaceNoun,       findCausative};
  for (Test1 t : tests) {
    EXPECT_EQ(t(s.get(), 0), 0);
    EXPECT_EQ(t(s.get(), -1), 0);
    EXPECT_EQ(t(s.get(), 2), 0);
  }
}

TEST(JcCausative, FindsSeruAfterAnIrrealisOrSahenVerb) {
  const Row rows[] = {
      {"m 読ま base=読む pos=2/1 conj=9/3; m せる pos=14/7 conj=1/2", T(findCausative), 2, 1},
      {"m 勉強 pos=6/2; m さ base=する pos=2/1 conj=16/3; m せる pos=14/7 conj=1/2", T(findCausative), 3, 1},
      {"m 見 base=見る pos=2/1 conj=1/3; m させ base=させる pos=14/7 conj=1/7; m た pos=5 conj=26/2", T(findCausative),
       3, 1},
      {"m 見 base=見る pos=2/1 conj=1/7; m せる pos=14/7 conj=1/2", T(findCausative), 2, 0},
      {"m 読む pos=2/1 conj=9/2", T(findCausative), 1, 0},
      // From a phrase: its last word, a trailing symbol stepped over.
      {"m 読ま base=読む pos=2/1 conj=9/3; m せる pos=14/7 conj=1/2; m 。 pos=1/1; p 1-3", T(findCausative), 4, 1},
  };
  runRows(rows, std::size(rows));
}

}  // namespace
}  // namespace jc
