#include "engine/cj/analysis/grammar.h"

#include "engine/cj/analysis/tests/cj_test_folder.h"
#include "tools/datagen/cj_grammar_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

class Grammar : public ::testing::Test {
 protected:
  void SetUp() override { folder_ = cjtest::useFolder(device_, "grammar"); }

  // Writes the two files from plain text ("\n" line ends) and loads them.
  int load(const std::string& ruc, const std::string& dac = "%<NP1>\n(0,*) F\n") {
    std::string r, d;
    EXPECT_TRUE(datagen::scrambleCjGrammarText(ruc, r));
    EXPECT_TRUE(datagen::scrambleCjGrammarText(dac, d));
    EXPECT_TRUE(device_.write(folder_ + "transfer.ruc", r));
    EXPECT_TRUE(device_.write(folder_ + "transfer.dac", d));
    cjtest::engine().engineStatus = 0;
    cj::loadGrammar(cjtest::engine());
    return cjtest::engine().engineStatus;
  }

  static const cj::CjRuleGroup& group(int g) { return cj::ruleGroup(cjtest::engine(), g); }

  datagen::TempDevice device_;
  std::string folder_;
};

TEST_F(Grammar, GeneratedGrammarLoadsIntoItsGroups) {
  datagen::CjGrammar g;
  g.preamble = {"; phrase grammar"};
  g.groups.push_back({"NP1",
                      {{"NP->[N]+[N]+[V] #12 @3 &L/F %2%CAT=N", "->(1 2 3)"}, {"NP->[A]+[N] &2/1", "->act two"}},
                      {{"1", "[CAT=N]", "R0000"}, {"0", "[CAT=N]", "1"}, {"0", "*", "F"}}});
  g.groups.push_back({"NP6", {{"NP->[N]", "->six"}}, {}});
  g.groups.push_back({"S", {{"S->[NP]+[VP] #7", "->sentence"}}, {{"0", "[CAT=NP]", "1"}}});
  ASSERT_TRUE(datagen::writeCjGrammar(folder_, g));
  cjtest::engine().engineStatus = 0;
  cj::loadGrammar(cjtest::engine());
  EXPECT_EQ(cjtest::engine().engineStatus, 0);

  const cj::CjRuleDescriptor& r0 = group(cj::kGroupNP1).rules[0];
  EXPECT_EQ(r0.lhs, "NP");
  EXPECT_EQ(r0.numberTag, "12");
  EXPECT_EQ(r0.elementCount, 3);
  EXPECT_EQ(r0.headElement, 3);
  EXPECT_EQ(r0.secondElement, 1);
  EXPECT_EQ(r0.atTag, "3");
  EXPECT_EQ(r0.percentTag, "2");
  EXPECT_EQ(r0.percentText, "CAT=N");
  const cj::CjRuleDescriptor& r1 = group(cj::kGroupNP1).rules[1];
  EXPECT_EQ(r1.numberTag, "0");
  EXPECT_EQ(r1.elementCount, 2);
  EXPECT_EQ(r1.headElement, 2);
  EXPECT_EQ(r1.secondElement, 1);
  EXPECT_EQ(r1.atTag, "");
  EXPECT_EQ(r1.percentTag, "");
  EXPECT_EQ(group(cj::kGroupNP1).actions[0], "->(1 2 3)");
  EXPECT_EQ(group(cj::kGroupNP1).actions[1], "->act two");
  EXPECT_EQ(group(cj::kGroupNP6).actions[0], "->six");
  EXPECT_EQ(group(cj::kGroupS).rules[0].numberTag, "7");

  // Goto tables come sorted by state and end just after their last entry.
  const auto& gotos = group(cj::kGroupNP1).gotos;
  EXPECT_EQ(gotos[0].state, "0");
  EXPECT_EQ(gotos[0].symbol, "[CAT=N]");
  EXPECT_EQ(gotos[0].target, "1");
  EXPECT_EQ(gotos[1].symbol, "*");
  EXPECT_EQ(gotos[1].target, "F");
  EXPECT_EQ(gotos[2].state, "1");
  EXPECT_EQ(gotos[2].target, "R0000");
  EXPECT_EQ(gotos[3].state, "#");
  // A group the grammar did not name still starts with a state-0 entry.
  EXPECT_EQ(group(cj::kGroupVP5).gotos[0].state, "0");
  EXPECT_EQ(group(cj::kGroupVP5).gotos[1].state, "#");

  // Actions by category, digit and rule number.
  ASSERT_NE(cj::ruleAction(cjtest::engine(), "S", '9', 0), nullptr);
  EXPECT_EQ(*cj::ruleAction(cjtest::engine(), "S", '9', 0), "->sentence");
  ASSERT_NE(cj::ruleAction(cjtest::engine(), "NP", '6', 0), nullptr);
  EXPECT_EQ(*cj::ruleAction(cjtest::engine(), "NP", '6', 0), "->six");
  EXPECT_EQ(cj::ruleAction(cjtest::engine(), "NP", '7', 0), nullptr);
  EXPECT_EQ(cj::ruleAction(cjtest::engine(), "VP", '1', 500), nullptr);
}

// The frame marker of a goto line becomes the verbs of those frames, split over as many lines as
// keep each symbol within the engine's limit, in place and in the verbs' order.
TEST_F(Grammar, FrameMarkersBecomeWordListsTheEngineReadsWhole) {
  std::vector<datagen::CjFramedVerb> verbs;
  std::vector<std::string> ni, withTo;
  const char frames[] = {'6', '2', '6', '8', '3', 0, 'A', '6'};
  for (int i = 0; i < 40; ++i) {
    // Two double-byte characters; every fifth word has three.
    std::string w = {static_cast<char>(0xB0 + i), static_cast<char>(0xA1 + i), static_cast<char>(0xC1), static_cast<char>(0xA1 + i)};
    if (i % 5 == 0) w += "\xD6\xD0";
    const char frame = frames[i % 8];
    verbs.push_back({w, frame});
    if (frame == '6') ni.push_back(w);
    if (frame == '8' || frame == 'A') withTo.push_back(w);
  }
  datagen::CjGrammar g;
  g.groups.push_back({"VP1",
                      {{"VP->[V]+[N] &F", "->(2)+(1)"}},
                      {{"0", "CAT[V]&CHI[?]", "5"},
                       {"0", "CAT[V]&CHI[$frame:6]", "701"},
                       {"0", "CAT[V]&CHI[$frame:5]", "721"},
                       {"0", "CAT[V]&CHI[$frame:8A]", "741"},
                       {"0", "CAT[V]", "1"},
                       {"1", "*", "R0"},
                       {"5", "*", "R0"},
                       {"701", "*", "R0"},
                       {"721", "*", "R0"},
                       {"741", "*", "R0"}}});
  std::string error;
  ASSERT_TRUE(datagen::expandCjFrameLines(g, verbs, &error)) << error;
  ASSERT_TRUE(datagen::writeCjGrammar(folder_, g));
  cjtest::engine().engineStatus = 0;
  cj::loadGrammar(cjtest::engine());
  EXPECT_EQ(cjtest::engine().engineStatus, 0);

  // The state-0 lines as the engine holds them: the words of each target, in order.
  const auto& gotos = group(cj::kGroupVP1).gotos;
  std::vector<std::string> targets;
  std::map<std::string, std::vector<std::string>> listed;
  std::map<std::string, int> lines;
  for (const cj::CjGotoEntry& e : gotos) {
    if (e.state != "0") break;
    targets.push_back(e.target);
    EXPECT_LE(e.symbol.size(), datagen::kCjGotoSymbolLimit) << e.symbol;
    if (e.target != "701" && e.target != "741") continue;
    ++lines[e.target];
    ASSERT_EQ(e.compiled.terms.size(), 2u);
    for (const cj::CjValueAlternative& a : e.compiled.terms[1].alternatives) listed[e.target].push_back(std::string(a.text));
  }
  EXPECT_EQ(targets.front(), "5");
  EXPECT_EQ(targets.back(), "1");
  EXPECT_EQ(std::count(targets.begin(), targets.end(), "721"), 0);  // no verb of that frame: no line
  EXPECT_EQ(listed["701"], ni);
  EXPECT_EQ(listed["741"], withTo);
  EXPECT_GT(lines["701"], 1);
  // The lines of a marker stay where the marker was: before the catch-all verb line.
  EXPECT_LT(std::find(targets.begin(), targets.end(), "741") - targets.begin(),
            std::find(targets.begin(), targets.end(), "1") - targets.begin());

  // A verb longer than a line leaves the grammar unwritten; so does a marker without frames.
  datagen::CjGrammar again = g;
  again.groups[0].gotos.push_back({"0", "CAT[V]&CHI[$frame:6]", "701"});
  std::string why;
  EXPECT_FALSE(datagen::expandCjFrameLines(again, {{std::string(50, '\xB0'), '6'}}, &why));
  EXPECT_FALSE(why.empty());
  datagen::CjGrammar bare;
  bare.groups.push_back({"VP1", {}, {{"0", "CAT[V]&CHI[$frame:]", "701"}}});
  EXPECT_FALSE(datagen::expandCjFrameLines(bare, verbs, &why));
}

TEST_F(Grammar, MalformedLinesSetTheirCodeAndLoadingGoesOn) {
  const std::string good = "NP->[N]+[N]\n->good\n";
  const std::string goodGoto = "(1,[CAT=N]) 2\n";
  struct Case {
    const char* what;
    std::string ruc;
    std::string dac;
    int status;
  } cases[] = {
      {"number tag", "%<NP1>\nNP->[N] #12345\n->a\n" + good, "", 13},
      {"at tag", "%<NP1>\nNP->[N] @12345\n->a\n" + good, "", 14},
      {"percent tag", "%<NP1>\nNP->[N] %12345%x\n->a\n" + good, "", 14},
      {"percent text", "%<NP1>\nNP->[N] %1%" + std::string(31, 'x') + "\n->a\n" + good, "", 14},
      {"preamble line", std::string(318, 'x') + "\n%<NP1>\nNP->[N]\n->a\n" + good, "", 21},
      {"goto state", "%<NP1>\nNP->[N]\n->a\n" + good, "(123456,*) F\n" + goodGoto, 16},
      {"goto symbol", "%<NP1>\nNP->[N]\n->a\n" + good, "(0," + std::string(61, 's') + ") F\n" + goodGoto, 17},
      {"goto target", "%<NP1>\nNP->[N]\n->a\n" + good, "(0,*) R00001\n" + goodGoto, 18},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(load(c.ruc, "%<NP1>\n" + c.dac), c.status) << c.what;
    // The rule and goto line after the bad one are filed all the same.
    EXPECT_EQ(group(cj::kGroupNP1).actions[1], "->good") << c.what;
    EXPECT_EQ(group(cj::kGroupNP1).rules[1].elementCount, 2) << c.what;
    if (!c.dac.empty()) {
      EXPECT_EQ(group(cj::kGroupNP1).gotos[1].state, "1") << c.what;
      EXPECT_EQ(group(cj::kGroupNP1).gotos[1].target, "2") << c.what;
      EXPECT_EQ(group(cj::kGroupNP1).gotos[2].state, "#") << c.what;
    }
  }
  // Over-long fields are stored cut to their field.
  load("%<NP1>\nNP->[N] #1234567890 @123456 %123456%x\n->a\n");
  EXPECT_EQ(group(cj::kGroupNP1).rules[0].numberTag, "123456");
  EXPECT_EQ(group(cj::kGroupNP1).rules[0].atTag, "1234");
  EXPECT_EQ(group(cj::kGroupNP1).rules[0].percentTag, "1234");

  // A rule file line cannot carry a left-hand side over 5 characters; the parser still checks it.
  cjtest::engine().engineStatus = 0;
  cj::CjRuleGroup scratch{"<NP1>", 2, 2, std::vector<cj::CjRuleDescriptor>(2), std::vector<cj::CjRuleAction>(2), {}};
  const struct {
    const char* line;
    int status;
    const char* lhs;
  } sides[] = {{"ABCD-[N]", 0, "ABCD"}, {"ABCDE-[N]", 0, "ABCDE"}, {"ABCDEF-[N]", 12, "ABCDE"},
               {"ABCDEFG-[N]", 12, "ABCDE"}};
  for (const auto& c : sides) {
    cjtest::engine().engineStatus = 0;
    cj::parseRuleLine(cjtest::engine(), c.line, "->x", scratch, 1);
    EXPECT_EQ(cjtest::engine().engineStatus, c.status) << c.line;
    EXPECT_EQ(scratch.rules[1].lhs, c.lhs) << c.line;
  }
}

TEST_F(Grammar, MissingFiles) {
  // Both loaders run; the goto file's code comes last.
  cjtest::engine().engineStatus = 0;
  cj::loadGrammar(cjtest::engine());
  EXPECT_EQ(cjtest::engine().engineStatus, 12);
  std::string d;
  ASSERT_TRUE(datagen::scrambleCjGrammarText("%<NP1>\n(0,*) F\n", d));
  ASSERT_TRUE(device_.write(folder_ + "transfer.dac", d));
  cjtest::engine().engineStatus = 0;
  cj::loadGrammar(cjtest::engine());
  EXPECT_EQ(cjtest::engine().engineStatus, 11);
}

TEST_F(Grammar, RuleNumbersFromTheLimitOn) {
  std::string many = "%<VP1>\n";
  for (int i = 0; i < 207; ++i) many += "VP->[V]\n->r" + std::to_string(i) + "\n";
  EXPECT_EQ(load(many), 20);
  // VP1 has room past 205: those rules are still filed.
  EXPECT_EQ(group(cj::kGroupVP1).actions[206], "->r206");

  // A group's own slots bound it: NP2 holds 13 rules, the rest are dropped.
  std::string over = "%<NP2>\n";
  for (int i = 0; i < 15; ++i) over += "NP->[N]\n->n" + std::to_string(i) + "\n";
  EXPECT_EQ(load(over), 20);
  EXPECT_EQ(group(cj::kGroupNP2).actions[12], "->n12");
  EXPECT_EQ(group(cj::kGroupNP2).actions.size(), 13u);
}

TEST_F(Grammar, TablesAreNeverWrittenPastTheirEnd) {
  // VP5's goto table has 18 entries with its end mark.
  std::string gotos = "%<VP5>\n";
  for (int i = 0; i < 20; ++i) gotos += "(" + std::to_string(i) + ",*) F\n";
  EXPECT_EQ(load("%<VP5>\n", gotos), 16);
  const auto& t = group(cj::kGroupVP5).gotos;
  ASSERT_EQ(t.size(), 18u);
  EXPECT_EQ(t[16].state, "16");
  EXPECT_EQ(t[17].state, "#");

  // An action over 133 bytes is cut, never inside a double-byte character.
  std::string action = "->" + std::string(130, 'a') + "\x88\x9F" + "tail";
  EXPECT_EQ(load("%<NP1>\nNP->[N]\n" + action + "\n"), 0);
  EXPECT_EQ(group(cj::kGroupNP1).actions[0], "->" + std::string(130, 'a'));

  // An action line before any rule line of its section is dropped.
  EXPECT_EQ(load("%<NP1>\n->orphan\nNP->[N]\n->first\n"), 0);
  EXPECT_EQ(group(cj::kGroupNP1).actions[0], "->first");

  // A group without goto lines ends at once.
  EXPECT_EQ(group(cj::kGroupAP3).gotos[0].state, "#");
}

TEST_F(Grammar, FilingOrderAndSectionEdges) {
  // Two action lines: the second wins. A rule without an action files nothing but uses its number.
  // Two headers in a row: the second wins.
  load("%<UG1>\n%<NP3>\nNP->[N]\n->one\n->two\nNP->[A]\nNP->[B]+[C]\n->three\n");
  EXPECT_EQ(group(cj::kGroupNP3).actions[0], "->two");
  EXPECT_EQ(group(cj::kGroupNP3).actions[1], "");
  EXPECT_EQ(group(cj::kGroupNP3).rules[1].lhs, "");
  EXPECT_EQ(group(cj::kGroupNP3).actions[2], "->three");
  EXPECT_EQ(group(cj::kGroupUG1).actions[0], "");

  // A group split over two sections: the second overwrites from rule 0.
  load("%<AP1>\nAP->[A]\n->first\nAP->[A]\n->second\n%<NP1>\nNP->[N]\n->n\n%<AP1>\nAP->[B]\n->again\n");
  EXPECT_EQ(group(cj::kGroupAP1).actions[0], "->again");
  EXPECT_EQ(group(cj::kGroupAP1).actions[1], "->second");
}

TEST_F(Grammar, HeadAndSecondElements) {
  struct Case {
    const char* line;
    int head;
    int second;
  } cases[] = {
      {"NP->[A]+[B]+[C] &L", 3, 0},
      {"NP->[A]+[B]+[C] &F/L", 1, 3},
      {"NP->[A]+[B]+[C] &2/1", 2, 1},
      {"NP->[A]+[B]+[C] &x", 0, 0},
      {"NP->[A]+[B]+[C]", 1, 0},
      {"NP->[A]+[B]+[C] &2/", 2, 0},
  };
  for (const Case& c : cases) {
    load(std::string("%<NP1>\n") + c.line + "\n->a\n");
    EXPECT_EQ(group(cj::kGroupNP1).rules[0].elementCount, 3) << c.line;
    EXPECT_EQ(group(cj::kGroupNP1).rules[0].headElement, c.head) << c.line;
    EXPECT_EQ(group(cj::kGroupNP1).rules[0].secondElement, c.second) << c.line;
  }
  // A percent tag not followed by a second '%' leaves both fields empty; a '+' after a
  // double-byte character whose trail is ']' does not count.
  load("%<NP1>\nNP->[A]\x88]+[B] %12 x\n->a\n");
  EXPECT_EQ(group(cj::kGroupNP1).rules[0].elementCount, 1);
  EXPECT_EQ(group(cj::kGroupNP1).rules[0].percentTag, "");
  EXPECT_EQ(group(cj::kGroupNP1).rules[0].percentText, "");
}

TEST_F(Grammar, GotoLineFields) {
  load("%<NP1>\nNP->[N]\n->a\n",
       "%<NP1>\n(0,*)F\n(1,*)R12\n(2,\x88)x) 3\n(3,[A]) 4\n");
  const auto& t = group(cj::kGroupNP1).gotos;
  // The character after ')' is skipped whatever it is.
  EXPECT_EQ(t[0].target, "");
  EXPECT_EQ(t[1].target, "12");
  // A ')' that is the trail of a double-byte character stays in the symbol.
  EXPECT_EQ(t[2].symbol, "\x88)x");
  EXPECT_EQ(t[2].target, "3");
  EXPECT_EQ(t[3].symbol, "[A]");
  EXPECT_EQ(t[4].state, "#");
}

// Where the parse goes on after a shift, resolved at load, is where the walk from the entry run by
// run stops: the first later run of the target state, a shift to the entry's own state staying
// put, the end mark when no run of the target follows, a state split over two runs found at the
// run after the entry.
TEST_F(Grammar, ShiftTargetsAreWhereTheWalkStops) {
  load("%<NP1>\nNP->[N]\n->a\n",
       "%<NP1>\n(0,[A]) 2\n(0,[B]) 1\n(0,[C]) 0\n(1,[D]) 9\n(2,[E]) 1\n(2,[F]) 3\n(1,[G]) 2\n(3,*)R0\n");
  const auto& t = group(cj::kGroupNP1).gotos;
  const auto walk = [&](int i, std::uint64_t key) {
    while (i >= 0 && static_cast<std::size_t>(i) < t.size() && t[i].stateKey != cj::kGotoEndKey && t[i].stateKey != key)
      i = t[i].runEnd;
    return i;
  };
  ASSERT_EQ(t.size(), 9u);
  for (std::size_t i = 0; i + 1 < t.size(); ++i) {
    EXPECT_EQ(t[i].targetEntry, walk(static_cast<int>(i), t[i].targetKey)) << "entry " << i;
  }
  const std::vector<int> expected = {4, 3, 2, 8, 6, 7, 8};
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(t[i].targetEntry, expected[i]) << "entry " << i;
  // A table changed after the load is left to the walk until it is resolved again.
  std::vector<cj::CjGotoEntry> copy = t;
  cj::resolveGotoRuns(copy);
  EXPECT_EQ(copy[0].targetEntry, -1);
}

TEST_F(Grammar, UnknownHeadersRefuseTheFileByName) {
  testing::internal::CaptureStdout();
  cjtest::engine().dataFileProblem.clear();
  // A rule under a section the engine has no group for: the rule file is refused.
  EXPECT_EQ(load("%<XX9>\nNP->[N]\n->a\n%<NP1>\nNP->[N]\n->kept\n", "%<NP1>\n(0,*) F\n"), cj::kStatusRuleFileMissing);
  EXPECT_EQ(cjtest::engine().dataFileProblem, "transfer.ruc: a rule under the unknown section %<XX9>");
  EXPECT_EQ(group(cj::kGroupNP1).actions[0], "->kept");
  // A goto line under one: the goto file.
  cjtest::engine().dataFileProblem.clear();
  EXPECT_EQ(load("%<NP1>\nNP->[N]\n->a\n", "%<XX9>\n(0,*) F\n"), cj::kStatusGotoFileMissing);
  EXPECT_EQ(cjtest::engine().dataFileProblem, "transfer.dac: a goto line under the unknown section %<XX9>");
  // Nothing goes into the output.
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

}  // namespace
