#include <gtest/gtest.h>

#include "engine/cj/pos/tests/pos_test_support.h"

namespace cj {
namespace {

using cjtest::build;
using cjtest::chainCats;

class PosPassTest : public cjtest::PosTest {
 protected:
  std::string pass(const std::string& notation) {
    auto s = build(notation);
    if (!s) return "?";
    resolvePosAmbiguity(*s);
    return chainCats(*s);
  }
};

TEST_F(PosPassTest, EveryWordEndsWithOneCategory) {
  struct Case {
    const char* notation;
    const char* expected;
  } cases[] = {
      {"w 酢 VAG", "A"},
      {"w 酢 NFC", "N"},
      {"w 酢 VFI", "V"},
      {"w 酢 QZ", "Q"},  // no set: the first letter
      {"w 酢 ZQ", "Z"},
      {"w 酢 VN", "V"},  // the noun-or-verb rule keeps it
      {"w 酢 NV", "N"},
      {"w 酢 VAG; w 酡 N; w 酰 V; w 。 P", "G N V P"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(pass(c.notation), c.expected) << c.notation;
  }
}

TEST_F(PosPassTest, TimeNounsKeepTheirNounReadingOnlyAfterLw9) {
  // lw9, a time word, a verb: the noun reading stays.
  EXPECT_EQ(pass("w {lw9} X; w 酢 NV +N:M_SEM=T +V; w 酡 V"), "X N V");
  // lw9, a time word, a noun-or-verb followed by lw12 (which the noun-or-verb rule makes "V").
  EXPECT_EQ(pass("w {lw9} X; w 酢 NV +N:M_SEM=T +V; w 酡 NV; w {lw12} X"), "X N V X");
  EXPECT_EQ(pass("w {lw9} X; w 酢 NV +N:M_SEM=T +V; w 酡 NV; w 酰 X"), "X V N X");
  // lw9 on both sides: the noun reading goes.
  EXPECT_EQ(pass("w {lw9} X; w 酢 NV +N:M_SEM=T +V; w {lw9} X"), "X V X");
  // Any other word before it: the noun reading goes.
  EXPECT_EQ(pass("w 酩 X; w 酢 NV +N:M_SEM=T +V; w 酡 V"), "X V V");
  // After an "I" word and before lw230.
  EXPECT_EQ(pass("w 酩 I; w 酢 NV +N:M_SEM=T +V; w {lw230} X"), "I N X");
  // Without the time feature the noun-or-verb rule decides ("A" before it gives "N").
  EXPECT_EQ(pass("w 酩 A; w 酢 NV +N:M_SEM=X +V; w 酡 V"), "A N V");
}

TEST_F(PosPassTest, ClosingCasesOfTheWordDispatcher) {
  // lw1107 right after the letter "T" (by slot) is a noun.
  EXPECT_EQ(pass("w T X; w {lw1107} VN"), "X N");
  EXPECT_EQ(pass("w S X; w {lw1107} VN"), "X V");
  // lw1108 with G, V and a third letter becomes "GV"; the leading context rule of "GV" settles it.
  EXPECT_EQ(pass("w 酢 R; w {lw1108} GVA; w 酡 V"), "R G V");
}

TEST_F(PosPassTest, PhraseNodesAndInsertedNodes) {
  auto s = build("w 酢 N; w 酡 N; p 1 2 NV; w 酰 QZ span=* +Q:M_SEM=K");
  ASSERT_TRUE(s);
  resolvePosAmbiguity(*s);
  EXPECT_EQ(chainCats(*s), "NV QZ");  // a phrase is never given to a rule; '*' keeps its letters
  EXPECT_TRUE(s->nodes[3].features.M_SEM.empty());

  // A phrase whose text is lw91 goes to the rule of lw91 (no verb after it: "V").
  s = build("w 酢 N; w 酡 N; p 1 2 NP; w 酰 N");
  ASSERT_TRUE(s);
  s->nodes[4].CHI = cj::listedWord(cj::pos::keys::kLw91);
  resolvePosAmbiguity(*s);
  EXPECT_EQ(chainCats(*s), "V N");
}

TEST_F(PosPassTest, SettledWordsGetTheFeaturesOfTheirSense) {
  auto s = build("w 酢 VAG +V:M_SEM=J +A:M_SEM=K; w 酡 N +N:M_SEM=Z");
  ASSERT_TRUE(s);
  resolvePosAmbiguity(*s);
  EXPECT_EQ(chainCats(*s), "V N");  // no verb after the noun
  EXPECT_EQ(s->nodes[1].features.M_SEM.str(), "J");
  EXPECT_EQ(s->nodes[2].features.M_SEM.str(), "Z");

  s = build("w 酢 VAG +V:M_SEM=J +A:M_SEM=K");
  ASSERT_TRUE(s);
  resolvePosAmbiguity(*s);
  EXPECT_EQ(s->nodes[1].features.M_SEM.str(), "K");
}

// Every candidate set in one sentence: each word leaves with one letter and, when it has a sense
// of that letter, that sense's features.
TEST_F(PosPassTest, ASentenceOfEveryCandidateSet) {
  const std::vector<std::string> sets = {
#define CJ_SET_NAME(set) #set,
      CJ_POS_CANDIDATE_SETS(CJ_SET_NAME)
#undef CJ_SET_NAME
  };
  const char* fillers[] = {"酢", "酡", "酰", "酩", "酯", "酽", "酾", "酲", "酴", "酹"};
  std::string notation;
  for (std::size_t k = 0; k < sets.size(); ++k) {
    notation += std::string("w ") + fillers[k % 10] + " " + sets[k];
    for (char letter : sets[k]) notation += std::string(" +") + letter + ":M_SEM=" + letter;
    notation += ";";
  }
  notation += "w 。 P";
  auto s = build(notation);
  ASSERT_TRUE(s);
  resolvePosAmbiguity(*s);
  int count = 0;
  for (int k = s->firstTop; k != 0; k = s->nodes[k].next, ++count) {
    const CjNode& node = s->nodes[k];
    ASSERT_EQ(node.CAT.size(), 1u) << k << " " << node.CAT.str();
    if (k <= static_cast<int>(sets.size()) && sets[k - 1].find(node.CAT[0]) != std::string::npos) {
      EXPECT_EQ(node.features.M_SEM.str(), node.CAT.str()) << k;
    }
  }
  EXPECT_EQ(count, static_cast<int>(sets.size()) + 1);
}

TEST_F(PosPassTest, RunningAgainSettlesOnlyWhatIsLeft) {
  auto s = build("w 酢 VAS; w 酡 X");
  ASSERT_TRUE(s);
  resolvePosAmbiguity(*s);
  EXPECT_EQ(chainCats(*s), "A X");  // "AV" left by the rule of "VA" ends as its first letter
  resolvePosAmbiguity(*s);
  EXPECT_EQ(chainCats(*s), "A X");
}

}  // namespace
}  // namespace cj
