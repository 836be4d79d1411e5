// The sample card's phrase grammar as the parser searches it: every state a shift leads to must be
// found by the goto search that follows the shift.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/datagen/build_programs.h"
#include "tools/datagen/card/card_inputs.h"
#include "tools/datagen/cj_data_folder.h"
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

datagen::CjGrammar sampleGrammar() {
  std::ifstream in(kGrammar, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  datagen::CjGrammar source;
  EXPECT_TRUE(datagen::parseCjGrammarSource(text.str(), source));
  return datagen::completeCjGrammar(source);
}

datagen::CjGrammarGroup& group(datagen::CjGrammar& g, const std::string& name) {
  for (auto& x : g.groups) {
    if (x.name == name) return x;
  }
  ADD_FAILURE() << name;
  return g.groups.front();
}

// The reader holds a group's goto lines in its slots with the end mark after them, and its rules
// in theirs; the writer refuses what the reader could not hold, naming the group and the count.
TEST(CardGrammar, TheWriterRefusesWhatTheReaderCannotHold) {
  std::string error;
  datagen::CjGrammar grammar = sampleGrammar();
  ASSERT_TRUE(datagen::checkCjGrammarRoom(grammar, &error)) << error;

  struct Case {
    const char* group;
    int gotoSlots;
    int ruleSlots;
  } cases[] = {{"VP1", 544, 215}, {"NP2", 19, 13}, {"S", 522, 49}};
  for (const Case& c : cases) {
    datagen::CjGrammar full = grammar;
    auto& gotos = group(full, c.group).gotos;
    while (gotos.size() < static_cast<std::size_t>(c.gotoSlots - 1)) gotos.push_back({"990", "CAT[N]", "F"});
    EXPECT_TRUE(datagen::checkCjGrammarRoom(full, &error)) << c.group << ' ' << error;
    gotos.push_back({"990", "CAT[N]", "F"});
    EXPECT_FALSE(datagen::checkCjGrammarRoom(full, &error)) << c.group;
    EXPECT_NE(error.find(std::string("grammar group ") + c.group + ": " + std::to_string(c.gotoSlots) + " goto lines"),
              std::string::npos)
        << error;

    datagen::CjGrammar many = grammar;
    auto& rules = group(many, c.group).rules;
    while (rules.size() < static_cast<std::size_t>(c.ruleSlots)) rules.push_back({"NP->[N]+[N] &L", "->(1)+(2)"});
    EXPECT_TRUE(datagen::checkCjGrammarRoom(many, &error)) << c.group << ' ' << error;
    rules.push_back({"NP->[N]+[N] &L", "->(1)+(2)"});
    EXPECT_FALSE(datagen::checkCjGrammarRoom(many, &error)) << c.group;
    EXPECT_NE(error.find(std::to_string(c.ruleSlots + 1) + " rules"), std::string::npos) << error;
  }

  // Fields over the reader's bytes.
  const std::string longSymbol = "CAT[V]&CHI[" + std::string(49, 'a') + "]";  // 61 bytes
  for (const datagen::CjGrammarGoto& bad : {datagen::CjGrammarGoto{"0", longSymbol, "1"},
                                            datagen::CjGrammarGoto{"123456", "*", "F"},
                                            datagen::CjGrammarGoto{"0", "*", "R12345"}}) {
    datagen::CjGrammar g = grammar;
    group(g, "VP2").gotos.push_back(bad);
    EXPECT_FALSE(datagen::checkCjGrammarRoom(g, &error)) << bad.state << ' ' << bad.target;
    EXPECT_NE(error.find("grammar group VP2: goto line"), std::string::npos) << error;
  }
}

// The card's writer refuses a source whose grammar overflows a group, as the engine would refuse
// every start on the card it wrote.
TEST(CardGrammar, TheCardWriterRefusesAnOverflowingGroupByName) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::path(::testing::TempDir()) / ("grammar_room_" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::copy(SUITE_TEST_SOURCE_DIR "/data/sample/cj", folder, fs::copy_options::recursive);
  std::ifstream in(folder / "grammar.txt", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  in.close();
  std::string grammar = text.str();
  std::string extra;
  for (int i = 0; i < 544; ++i) extra += "(990,CAT[N]) F\n";
  const std::size_t vp2 = grammar.find("%<VP2>");
  ASSERT_NE(vp2, std::string::npos);
  grammar.insert(vp2, extra + "\n");
  std::ofstream(folder / "grammar.txt", std::ios::binary | std::ios::trunc) << grammar;

  datagen::CjDataFiles files;
  std::vector<std::string> dropped;
  std::string error;
  EXPECT_FALSE(datagen::cjSampleFiles(folder.string(), datagen::engineCardInputs().cjWordKeys, files, &dropped, &error));
  EXPECT_NE(error.find("grammar group VP1: "), std::string::npos) << error;
  EXPECT_NE(error.find("goto lines, the engine holds 543"), std::string::npos) << error;
  fs::remove_all(folder);
}

}  // namespace

namespace {

// The full card's words with frames added: verbs whose one translation is a verb with no frame take
// the に frame, up to the count asked. Returns how many were given one.
int frameMoreVerbs(const std::string& path, int count) {
  std::ifstream in(path, std::ios::binary);
  std::string out, line;
  int given = 0;
  while (std::getline(in, line)) {
    const std::size_t last = line.rfind('\t');
    if (given < count && last != std::string::npos && line.compare(last + 1, 2, "V,") == 0 &&
        line.find('|', last) == std::string::npos &&
        std::count(line.begin() + static_cast<std::ptrdiff_t>(last), line.end(), ',') == 2) {
      line += ",6";
      ++given;
    }
    out += line + '\n';
  }
  in.close();
  std::ofstream(path, std::ios::binary | std::ios::trunc) << out;
  return given;
}

}  // namespace

// The full card's source, as the build wrote it, fits the grammar's groups; with some hundred more
// verbs of the に frame its VP1 group overflows and the writer refuses it by name, where the engine
// would fail every start.
TEST(CardGrammar, TheFullCardWriterRefusesTooManyFrameVerbs) {
  namespace fs = std::filesystem;
  const fs::path source = fs::path(datagen::buildFolder()) / "fullcard" / "source" / "cj";
  if (!fs::exists(source / "words.txt")) GTEST_SKIP() << "the build laid out no full card";
  const fs::path folder = fs::path(::testing::TempDir()) / ("full_grammar_room_" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::copy(source, folder, fs::copy_options::recursive);

  datagen::CjDataFiles files;
  std::vector<std::string> dropped;
  std::string error;
  EXPECT_TRUE(datagen::cjSampleFiles(folder.string(), datagen::engineCardInputs().cjWordKeys, files, &dropped, &error))
      << error;

  ASSERT_EQ(frameMoreVerbs((folder / "words.txt").string(), 500), 500);
  files.clear();
  EXPECT_FALSE(datagen::cjSampleFiles(folder.string(), datagen::engineCardInputs().cjWordKeys, files, &dropped, &error));
  EXPECT_NE(error.find("grammar group VP1: "), std::string::npos) << error;
  EXPECT_NE(error.find("goto lines, the engine holds 543"), std::string::npos) << error;
  fs::remove_all(folder);
}
