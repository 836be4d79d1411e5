// The sample card's phrase grammar as the parser searches it: every state a shift leads to must be
// found by the goto search that follows the shift.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/datagen/cj_grammar_writer.h"
#include "tools/datagen/sample_card.h"

namespace {

constexpr const char* kGrammar = SUITE_TEST_SOURCE_DIR "/data/sample/cj/grammar.txt";

bool isShift(const datagen::CjGrammarGoto& e) {
  return !e.target.empty() && e.target[0] != 'R' && e.target[0] != 'F';
}

// Shifts whose target state the search after them never reaches. The search of a group goes
// forward from the shift to the first entry of the target state; the sentence group's search also
// gives up at an entry of a greater state before it.
std::vector<std::string> unreachableShifts(const datagen::CjGrammarGroup& g) {
  const bool sentenceGroup = g.name == "S";
  std::vector<std::string> out;
  for (std::size_t i = 0; i < g.gotos.size(); ++i) {
    if (!isShift(g.gotos[i])) continue;
    const int target = std::atoi(g.gotos[i].target.c_str());
    bool found = false;
    for (std::size_t j = i + 1; j < g.gotos.size(); ++j) {
      const int state = std::atoi(g.gotos[j].state.c_str());
      if (state == target) {
        found = true;
        break;
      }
      if (sentenceGroup && state > target) break;
    }
    if (!found) out.push_back(g.name + ": (" + g.gotos[i].state + "," + g.gotos[i].symbol + ") " + g.gotos[i].target);
  }
  return out;
}

TEST(CardGrammar, EveryShiftedStateIsReachable) {
  std::ifstream in(kGrammar, std::ios::binary);
  ASSERT_TRUE(in);
  std::stringstream text;
  text << in.rdbuf();
  datagen::CjGrammar source;
  std::string error;
  ASSERT_TRUE(datagen::parseCjGrammarSource(text.str(), source, &error)) << error;
  // The file as written, and the table the card carries.
  for (const datagen::CjGrammar& grammar : {source, datagen::completeCjGrammar(source)}) {
    for (const datagen::CjGrammarGroup& g : grammar.groups) {
      for (const std::string& s : unreachableShifts(g)) ADD_FAILURE() << s;
    }
  }
  // The engine refuses a goto symbol over 60 bytes of its code (the source holds engine code).
  for (const datagen::CjGrammarGroup& g : source.groups) {
    for (const datagen::CjGrammarGoto& e : g.gotos) {
      EXPECT_LE(e.symbol.size(), 60u) << g.name << ": (" << e.state << ") " << e.target;
    }
  }
}

TEST(CardGrammar, TheSearchModelSeesAStateAfterAGreaterOne) {
  // The fault the test above looks for: state 4 listed after state 11 in the sentence group.
  datagen::CjGrammarGroup g{"S", {}, {{"0", "CAT[N]", "2"}, {"2", "CAT[E]", "4"}, {"11", "*", "R0"}, {"4", "*", "R1"}}};
  EXPECT_EQ(unreachableShifts(g).size(), 1u);
  g.name = "VP1";
  EXPECT_TRUE(unreachableShifts(g).empty());
}

}  // namespace
