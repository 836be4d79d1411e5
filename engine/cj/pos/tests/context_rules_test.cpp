#include <gtest/gtest.h>

#include "engine/cj/pos/tests/pos_test_support.h"

namespace cj {
namespace {

using cjtest::build;
using cjtest::chainCats;

class ContextRulesTest : public cjtest::PosTest {
 protected:
  std::string context(const std::string& notation) {
    auto s = build(notation);
    if (!s) return "?";
    applyContextRules(*s);
    return chainCats(*s);
  }
};

TEST_F(ContextRulesTest, PatternsSettleSeveralNodes) {
  struct Case {
    const char* notation;
    const char* expected;
  } cases[] = {
      // Opening step on the first word with "L".
      {"w 酢 LN; w 酡 X", "N X"},
      {"w 酢 LV; w 酡 X", "LV X"},
      {"w 酢 LA; w 酡 X", "F X"},
      // Leading rule 3: lw9, AF, VN, then "I".
      {"w {lw9} X; w 酢 AF; w 酡 VN; w 酰 I", "X A N I"},
      // Leading rule 2: a word of S6 before an "A" word.
      {"w {lw3} X; w 酢 AN", "F A"},
      // Leading rule 20: "GA" before lw9 or a boundary is "A", else "G".
      {"w 酢 GA; w {lw9} X", "A X"},
      {"w 酢 GA; w 酡 V", "G V"},
      // Leading rule 23: a numeral ("UG" has "U") and a classifier before a noun.
      {"w 酢 UG; w 酡 SN; w 酰 N", "U S N"},
      {"w 酢 UA; w 酡 SA; w 酰 NV; w 。 P", "U S NV P"},
      // Main rule 14 (no noun after: the leading rule does not apply); lw9 keeps its letters.
      {"w 酢 UA; w 酡 SA; w {lw9} X", "U S X"},
      // Main rules 10 and 11: lw2 after a noun is "G" before a verb, otherwise "V".
      {"w 酢 N; w {lw2} X; w 酡 V", "N G V"},
      {"w 酢 N; w {lw2} X; w 酡 N", "N V N"},
      // Main rule 60 on "GV"/"VG" that no earlier rule took; a third letter keeps it away.
      {"w 酢 VG; w 。 P", "V P"},
      {"w 酢 GVA; w 。 P", "GVA P"},
      // Main rule 44 and its resume: lw9, noun, punctuation.
      {"w {lw9} X; w 酢 NV; w 。 P", "X N P"},
      // Main rule 59 with lw12: its first case, then its second.
      {"w {lw12} X; w 酢 AN; w 酡 NV; w 。 P", "X N NV P"},
      {"w {lw12} X; w 酢 AF; w 酡 NV; w 酰 X", "X A N X"},
      // Near the end, rules needing N3 to N5 do not apply.
      {"w {lw9} X; w 酢 V; w 酡 V", "X V V"},
      // Rules of the words first listed for these sets.
      {"w {lw1018} X; w 酢酡 NV; w 。 P", "X N P"},          // main 3: a two-character noun after it
      {"w {lw1113} X; w 酢酡 NV; w 酰 A", "X NV A"},          // main 3: not before an "A" word
      {"w 酢 I; w 酡 NV; w {lw1054} X; w 酰 N; w 。 P", "I N J N P"},  // main 16
      {"w 酢 N; w {lw1019} X; w 酡 N", "N R N"},             // main 58
      {"w 酢 N; w {lw1156} X; w {lw9} X", "N N X"},          // leading 14
      // Main rule 2: a verb of two characters before a word of list 1 is a noun; one of one or
      // three characters keeps its letter.
      {"w 酢酡 V; w $posContext.wl1 X", "N X"},
      {"w 酢 V; w $posContext.wl1 X", "V X"},
      {"w 酢酡酰 V; w $posContext.wl1 X", "V X"},
      {"w 酢酡 V; w 酰 X", "V X"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(context(c.notation), c.expected) << c.notation;
  }
}

// Leading rule 7 takes lw9 out of the chain and ends the walk there: the nodes after it keep
// their letters for the class rules (an AF, VN pair that leading rule 6 would settle).
TEST_F(ContextRulesTest, UnlinkingLw9EndsTheWalk) {
  auto s = build("w {lw9} X; w {lw203} NL; w 酢 AF; w 酡 VN; w 酰 R");
  ASSERT_TRUE(s);
  applyContextRules(*s);
  EXPECT_EQ(chainCats(*s), "L AF VN R");
  EXPECT_EQ(s->firstTop, 2);
  EXPECT_EQ(s->nodes[1].next, 0);

  // lw9 in the middle: its neighbours are joined, and the walk still ends at it.
  s = build("w 酩 X; w {lw9} X; w {lw1147} NL; w 酢 AF; w 酡 VN; w 酰 R");
  ASSERT_TRUE(s);
  applyContextRules(*s);
  EXPECT_EQ(chainCats(*s), "X L AF VN R");
  EXPECT_EQ(s->nodes[1].next, 3);
  EXPECT_EQ(s->nodes[3].prev, 1);
}

TEST_F(ContextRulesTest, LeadingRulesAnswerWhetherTheyApplied) {
  // Rule 49 applies without a change: a word before it that is not a boundary.
  auto s = build("w 酩 N; w 酢 V; w {lw203} L");
  ASSERT_TRUE(s);
  EXPECT_TRUE(applyLeadingContextRules(*s, 2));
  EXPECT_EQ(chainCats(*s), "N V L");
  // Each of the eleven words of rule 49 takes it like an "L" word.
  for (int label : {1159, 1160, 204, 206, 203, 1161, 214, 211, 210, 213, 1154}) {
    s = build("w 酩 N; w 酢 V; w {lw" + std::to_string(label) + "} X");
    ASSERT_TRUE(s);
    EXPECT_TRUE(applyLeadingContextRules(*s, 2)) << "lw" << label;
    EXPECT_EQ(chainCats(*s), "N V X") << "lw" << label;
  }
  // A verb before a word without "L" that is not listed: no leading rule.
  s = build("w 酩 N; w 酢 V; w 酡 X");
  ASSERT_TRUE(s);
  EXPECT_FALSE(applyLeadingContextRules(*s, 2));
  EXPECT_FALSE(applyLeadingContextRules(*s, 0));
}

}  // namespace
}  // namespace cj
