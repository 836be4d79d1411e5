#include <gtest/gtest.h>

#include <functional>

#include "engine/cj/transfer/dependent_patterns.h"
#include "engine/cj/transfer/tests/generation_fixture.h"

namespace {

using cjtest::candidate;

class PrepositionPatterns : public cjtest::GenerationFixture {
 protected:
  // Phrase 5 of the pattern over words 1..4 (c1 of category c1Cat), the pattern applied.
  void apply(int pattern, const std::string& c1 = "w - V", const std::string& rest = "w - P; w - V; w - N") {
    build(c1 + "; " + rest + "; p 1 4 PP rule=" + std::to_string(pattern));
    for (int i = 1; i <= 4; ++i) {
      if (target(i).candidates.empty()) target(i).candidates = {candidate("書く", "TG000", '3')};
    }
    if (before) before();
    cj::applyPrepositionPattern(*context, 5);
  }
  std::string forms() {
    std::string out;
    for (int i = 1; i <= 4; ++i) out += target(i).vform;
    return out;
  }
  std::string alive() {
    std::string out;
    for (int i = 1; i <= 4; ++i) out += target(i).alive ? '1' : '0';
    return out;
  }
  // Child order under the phrase.
  std::string order() {
    std::string out;
    for (int k = target(5).firstChild, n = 0; k != 0 && n < 8; k = target(k).nextSibling, ++n) out += char('0' + k);
    return out;
  }
  std::function<void()> before;
};

TEST_F(PrepositionPatterns, VerbFramesAndTheirHead) {
  for (int pattern : {1, 2, 4}) {
    apply(pattern);
    EXPECT_EQ(forms(), "tzNz") << pattern;
    EXPECT_EQ(alive(), "1011") << pattern;
    EXPECT_EQ(target(5).headChild, 3) << pattern;
    EXPECT_EQ(target(1).ten, 'B') << pattern;  // nothing before it marks the time
  }
  // An adjective-like first word keeps its tense; a c3 already attributive stays so and is no head.
  before = [this] {
    target(1).candidates = {candidate("高い", "KYOSI")};
    target(3).vform = 't';
  };
  apply(1);
  EXPECT_EQ(target(1).ten, 'A');
  EXPECT_EQ(target(3).vform, 't');
  EXPECT_EQ(target(5).headChild, 4);
  before = nullptr;
  apply(6);
  EXPECT_EQ(forms(), "zzzz");
  EXPECT_EQ(alive(), "1111");
  EXPECT_EQ(target(5).headChild, 4);
  apply(10);
  EXPECT_EQ(forms(), "tzzz");
}

TEST_F(PrepositionPatterns, PatternThree) {
  apply(3);
  EXPECT_EQ(forms(), "nzzz");
  EXPECT_EQ(alive(), "1011");
  EXPECT_EQ(target(5).headChild, 1);
  apply(3, "w - N");
  EXPECT_EQ(forms(), "zNzz");
  EXPECT_EQ(target(2).japanese, "の");
  EXPECT_EQ(target(2).jcat, "N0000");
  EXPECT_EQ(target(5).headChild, 2);
}

TEST_F(PrepositionPatterns, SwapsWithParticles) {
  // 5: c1 and c2 change places; c2 takes the particle of c1's frame.
  apply(5);
  EXPECT_EQ(order(), "2134");
  EXPECT_EQ(target(2).att, "を");
  EXPECT_EQ(forms(), "tzzz");
  EXPECT_EQ(alive(), "1101");
  apply(12);
  EXPECT_EQ(order(), "2134");
  EXPECT_EQ(target(2).att, "を");
  EXPECT_EQ(target(1).vform, 'E');
  // 8: c2 and c3 change places; c2 becomes "に対する", c4 is dropped for good.
  apply(8);
  EXPECT_EQ(order(), "1324");
  EXPECT_EQ(target(2).japanese, "に対する");
  EXPECT_EQ(target(3).caseOpen, 0);
  EXPECT_EQ(alive(), "1110");
  EXPECT_EQ(target(4).ruleFlag2, 0);
}

TEST_F(PrepositionPatterns, FixedPhrases) {
  apply(9);
  EXPECT_EQ(forms(), "tzzz");
  EXPECT_EQ(alive(), "1011");
  EXPECT_EQ(target(4).japanese, "での");
  apply(14);
  EXPECT_EQ(alive(), "0111");
  EXPECT_EQ(target(3).japanese, "に対する");
  for (auto [sem, text] : {std::pair{"A", "にいる"}, {"Z", "にいる"}, {"C", "にある"}, {"CX", "での"}}) {
    apply(11, "w - P", std::string("w - N; w - V; w - N M_SEM=") + sem);
    EXPECT_EQ(alive(), "0111") << sem;
    EXPECT_EQ(target(3).japanese, text) << sem;
  }
}

TEST_F(PrepositionPatterns, EveryAndChains) {
  apply(7, "w $prepositionPatterns.perWord N", "w $prepositionPatterns.aroundWords#1 N; w - N; w - N");
  EXPECT_EQ(target(1).ruleFlag2, 0);
  EXPECT_EQ(target(4).att, "あたりの");
  EXPECT_EQ(forms(), "tttz");
  apply(7, "w $prepositionPatterns.perWord N", "w - J; w - N; w - N");
  EXPECT_EQ(target(4).att, "ごとに");
  EXPECT_EQ(target(5).caseOpen, 0);
  EXPECT_EQ(forms(), "zztz");  // c1 stands before a J word, c2 is one
  // A run of nouns without the per word first is no per phrase: no "ごとに".
  apply(7, "w - N", "w - N; w - N; w - N");
  EXPECT_EQ(target(4).att, "");
  EXPECT_NE(target(5).caseOpen, 0);
  EXPECT_EQ(forms(), "tttz");
  apply(13);
  EXPECT_EQ(alive(), "1010");
  EXPECT_EQ(forms(), "tztN");
  EXPECT_EQ(target(5).headChild, 4);
}

TEST_F(PrepositionPatterns, UnmarkedPast) {
  build("w - N; w - V; w $prepositionPatterns.timeWords#21 N; w - V; w - N TEN=C; w - V");
  EXPECT_EQ(cj::isUnmarkedPast(*context, 1), 1);
  EXPECT_EQ(cj::isUnmarkedPast(*context, 2), 1);
  EXPECT_EQ(cj::isUnmarkedPast(*context, 4), 0);
  EXPECT_EQ(cj::isUnmarkedPast(*context, 6), 0);
  target(2).japanese = "静かだ";
  target(2).jcat = "KYODO";
  EXPECT_EQ(cj::isAttributiveOnly(*context, 2), 1);
  target(4).candidates = {candidate("ない", "VZNAI")};
  EXPECT_EQ(cj::isAttributiveOnly(*context, 4), 1);
  target(6).candidates = {candidate("書く", "TG000")};
  EXPECT_EQ(cj::isAttributiveOnly(*context, 6), 0);
}

}  // namespace
