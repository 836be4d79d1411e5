#include <gtest/gtest.h>

#include "engine/cj/pos/tests/pos_test_support.h"

namespace cj {
namespace {

using cjtest::build;
using cjtest::chainCats;

class ClassRulesTest : public cjtest::PosTest {
 protected:
  // The category the dispatcher writes into node `at` of the sentence.
  std::string settle(const std::string& notation, int at) {
    auto s = build(notation);
    if (!s) return "?";
    resolveByCandidateSet(*s, at);
    return s->nodes[at].CAT.str();
  }
};

// A word alone: every positive test on a missing neighbour fails, negated ones and the boundary
// tests hold.
TEST_F(ClassRulesTest, OneWordSentenceGetsTheDefaultOfItsSet) {
  struct Case {
    const char* cat;
    const char* expected;
  } cases[] = {
      {"AI", "A"},   {"VAG", "A"},  {"VAI", "A"},  {"NH", "N"},   {"NFI", "F"},   {"NFL", "F"},  {"VSL", "V"},
      {"VFR", "R"},  {"NFC", "N"},  {"FH", "F"},   {"SNA", "N"},  {"VE", "VE"},   {"NAF", "N"},  {"NVAF", "N"},
      {"VF", "VF"},  {"VAF", "V"},  {"AG", "A"},   {"VAIS", "V"}, {"AIS", "A"},   {"VASL", "V"}, {"NA", "N"},
      {"NAU", "N"},  {"NVA", "N"},  {"AR", "A"},   {"AS", "A"},   {"VAS", "AV"},  {"AV", "V"},   {"NVFE", "V"},
      {"FRE", "F"},  {"NE", "E"},   {"NVE", "V"},  {"RE", "E"},   {"FG", "G"},    {"NFG", "G"},  {"VFRG", "V"},
      {"FI", "F"},   {"NVFI", "N"}, {"VFI", "V"},  {"FJ", "J"},   {"NFJ", "N"},   {"FJR", "FJR"}, {"FL", "F"},
      {"NF", "F"},   {"NFRS", "NFRS"}, {"NVF", "NVF"}, {"FR", "FR"}, {"FS", "F"},  {"FU", "FU"},  {"FY", "FY"},
      {"IG", "G"},   {"VIG", "VIG"}, {"GJ", "GJ"}, {"NG", "NG"},  {"NVG", "V"},   {"VRG", "V"},  {"VG", "V"},
      {"IJ", "IJ"},  {"NVIJ", "NVIJ"}, {"NI", "N"}, {"NVI", "N"}, {"IS", "IS"},   {"VI", "V"},   {"NJ", "NJ"},
      {"RJ", "RJ"},  {"VRJ", "VRJ"}, {"JS", "J"},  {"NL", "NL"},  {"RL", "RL"},   {"SL", "L"},   {"VL", "VL"},
      {"NR", "N"},   {"NS", "N"},   {"NUS", "NUS"}, {"NVS", "NVS"}, {"NU", "N"}, {"VO", "VO"},  {"US", "US"},
      {"VS", "V"},   {"VU", "V"},   {"NJL", "L"},  {"AU", "A"},   {"NJC", "J"},   {"NC", "N"},   {"FC", "F"},
      {"JV", "V"},   {"VSI", "V"},  {"VH", "V"},   {"RV", "R"},   {"IJV", "I"},   {"NVJ", "V"},  {"GR", "R"},
      {"VFJ", "V"},  {"NV", "NV"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(settle(std::string("w 酢 ") + c.cat, 1), c.expected) << c.cat;
  }
}

TEST_F(ClassRulesTest, LettersAreComparedAsSetsAndTheEarlierSetWins) {
  struct Case {
    const char* notation;
    int at;
    const char* expected;
  } cases[] = {
      // "NAS" has the letters of "SNA": lw53 before it gives "S" there ("NAS" itself would give "N").
      {"w {lw53} R; w 酢 NAS", 2, "S"},
      {"w {lw53} R; w 酢 ASN", 2, "S"},
      // "VA" goes to the rule of "AV": a word after lw5 of S4 is "A", a lone word "V".
      {"w {lw5} X; w 酢 VA", 2, "A"},
      {"w 酢 VA", 1, "V"},
      // "LJN" goes to the rule of "NJL": a noun in context is "N" (the rule of "LJN" would say "J").
      {"w 酢 LJN; w 酡 VL", 1, "N"},
      // "EV" is the set "VE", whose rule keeps it.
      {"w 酢 EV; w 酡 V", 1, "EV"},
      // "VN" is the set "NV".
      {"w 酢 A; w 酡 VN", 2, "N"},
      // No set: nothing changes.
      {"w 酢 QZ", 1, "QZ"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(settle(c.notation, c.at), c.expected) << c.notation;
  }
}

TEST_F(ClassRulesTest, RulesDecideByTheirNeighbours) {
  struct Case {
    const char* notation;
    int at;
    const char* expected;
  } cases[] = {
      {"w 酢 VAG; w 酡 N", 1, "V"},                       // no verb after N
      {"w 酢 VAG; w 酡 N; w 酰 V", 1, "G"},               // a verb follows N
      {"w 酢 VAG; w {lw11} X; w 酰 V", 1, "A"},
      {"w 酢 NFC; w 酡 N", 1, "C"},
      {"w 酢 NFC; w 酡 V", 1, "F"},
      {"w 酢 NFC; w {lw1} X", 1, "F"},
      {"w 酢 VFI; w 酡 V", 1, "F"},
      {"w 酢 VFI; w 。 P", 1, "V"},
      {"w 酢 VFI; w 酡 N", 1, "I"},                       // an attributive node follows
      {"w 酢 FRE; w P X", 1, "E"},                        // the one-byte text "P"
      {"w 酢 NVI; w , X", 1, "N"},                        // the one-byte comma
      {"w 酢 RV; w 酡 V", 1, "R"},                        // any word but lw123
      {"w {lw123} RV; w 酡 V", 1, "N"},
      {"w {lw123} RV; w 酡 X", 1, "V"},
      {"w 酢 NVAF; w 酡 X", 1, "N"},
      {"w {lw9} X; w 酢 NVAF; w 酡 V", 2, "N"},           // lw9 and no attributive after
      {"w 酢 IJV; w 酡 N; w {lw12} X", 2, "N"},
      {"w 酢 N; w 酡 IJV; w {lw12} X", 2, "V"},
      {"w 酢 N; w 酡 IJV; w 酰 N; w {lw215} X", 2, "I"},   // a listed word anywhere after
      {"w 酢 N; w 酡 IJV; w 酰 N", 2, "J"},               // no verb after
      {"w 酢 N; w 酡 IJV; w 酰 N; w {lw68} X; w 酣 V", 2, "J"},  // two subjects before lw68
      {"w 酢 N; w 酡 IJV; w 酰 R; w {lw68} X; w 酣 V", 2, "J"},
      {"w 酢 N; w 酡 IJV; w 酰 N; w 酣 V", 2, "I"},
      {"w 酢 N; w {lw224} IJV; w 酰 V +V:M_SEM=X", 2, "V"},
      {"w 酢 N; w {lw224} IJV; w 酰 V +V:M_SEM=K", 2, "J"},
      {"w 酢 VF; w 酡 X +V:C_VAL=1", 1, "VF"},            // no verb sense of its own: keep
      {"w 酢 VF +V:C_VAL=1; w 酡 X", 1, "F"},             // code 1 and no A/N/U/R after
      {"w 酢 VF +V:C_VAL=1; w 酡 R +R:M_SEM=A", 1, "V"},
      {"w 酢 VF +V:C_VAL=0; w 。 P", 1, "V"},
      {"w {lw16} VF; w 酡 X; w 酰 V", 1, "F"},             // listed: a verb after N
      {"w {lw16} VF; w 酡 V", 1, "V"},
      {"w 酢 X; w 酡 VS; w 酰 X", 2, "V"},
      {"w 酢 U; w 酡 VS", 2, "S"},
      {"w 酢 U; w 酡 VSI", 2, "S"},
      {"w 酢 N; w 酡 VSI", 2, "V"},
      {"w {lw54} X; w 酢 NS", 2, "N"},
      {"w 酢 R +R:M_SEM=C; w 酡 NS; w 酰 N", 2, "S"},
      {"w 酢 R +R:M_SEM=C; w 酡 NS", 2, "N"},
      {"w 酢 NVA; w 。 P", 1, "A"},                        // N has P, no verb before
  };
  for (const Case& c : cases) {
    EXPECT_EQ(settle(c.notation, c.at), c.expected) << c.notation;
  }
}

// The rule of "VA" is reached through other rules only ("VA" letters are the set "AV").
TEST_F(ClassRulesTest, TheRuleOfVACanLeaveTheWordAmbiguous) {
  auto s = build("w 酢 VA; w 酡 X");
  ASSERT_TRUE(s);
  EXPECT_STREQ(resolveClassVA(*s, 1), "AV");
  s = build("w 酢 VA; w 酡 N +N:M_SEM=C");
  ASSERT_TRUE(s);
  EXPECT_STREQ(resolveClassVA(*s, 1), "V");
  s = build("w {lw48} X; w 酢 VA; w 酡 X");
  ASSERT_TRUE(s);
  EXPECT_STREQ(resolveClassVA(*s, 2), "V");
}

TEST_F(ClassRulesTest, TheRuleOfNAWritesItsNeighbours) {
  auto s = build("w {lw3} V; w 酢 NA; w 酡 N");
  ASSERT_TRUE(s);
  resolveByCandidateSet(*s, 2);
  EXPECT_EQ(chainCats(*s), "F A N");  // P of S6 becomes "F", even though it was settled

  s = build("w 酢 X; w 酡 NA; w 酰 VN; w {lw46} LX; w {lw9} X");
  ASSERT_TRUE(s);
  resolveByCandidateSet(*s, 2);
  EXPECT_EQ(chainCats(*s), "X N V L X");
}

}  // namespace
}  // namespace cj
