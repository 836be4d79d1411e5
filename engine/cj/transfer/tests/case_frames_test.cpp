#include "engine/cj/transfer/case_frames.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/analysis/tests/cj_test_folder.h"
#include "engine/cj/transfer/particles.h"
#include "engine/cj/transfer/tests/generation_fixture.h"
#include "platform/core/device.h"
#include "platform/core/files.h"
#include "tools/datagen/cj_scramble.h"
#include "tools/datagen/cj_verbcont_writer.h"

namespace {

using cjtest::candidate;

// Verbs and argument words as raw engine-code bytes (no listed word uses them).
constexpr const char* kSee = "\\xFB\\x41";
constexpr const char* kRead = "\\xFB\\x42";
constexpr const char* kTooLong = "\\xFB\\x43";

std::vector<datagen::CjVerbFrame> frames() {
  return {
      {kSee, "!\\xFB\\x51", "N", "", "", 0, 0},
      {kSee, "*", "N[H]", "会う", "ZG000", 'h', 'G'},
      {kSee, "*A", "N", "置く", "TG000", '3', 0},  // "*" with more after it never applies
      {kSee, "*", "R/N", "見る", "TI000", '3', 0},
      {kRead, "\\xFB\\x52/\\xFB\\x53", "N", "読む", "TG000", '3', 0},
  };
}

class CaseFrames : public ::testing::Test {
 protected:
  // Writes a data folder with the frames (no VerbCont.dat when writeDat is false) and starts
  // the engine; extra files replace the written ones.
  bool start(bool writeDat, const datagen::CjDataFiles& extra = {}) {
    datagen::CjDataFiles files = datagen::minimalCjDataFiles(cjtest::syntheticWords());
    std::vector<datagen::CjVerbFrame> list = frames();
    for (datagen::CjVerbFrame& f : list) {
      f.verb = cjtest::engineText(f.verb);
      f.condition = cjtest::engineText(f.condition);
    }
    std::vector<datagen::CjVerbIndexEntry> index;
    files["VerbCont.dat"] = datagen::cjVerbContFile(list, &index);
    files["VerbCont.idx"] = datagen::cjVerbIndexFile(index);
    if (!writeDat) files.erase("VerbCont.dat");
    for (const auto& [name, bytes] : extra) files[name] = bytes;
    if (!datagen::writeCjDataFiles(cjtest::useFolder(device), files)) return false;
    return cj::initCjEngine(cjtest::engine()) == 0;
  }
  void TearDown() override {
    cj::closeCjEngine(cjtest::engine());
    cjtest::engine().engineStatus = 0;
  }
  // Verb 1 and argument 2 of the notation; the verb holds three candidates.
  int match(const std::string& notation) {
    sentence = cjtest::buildFromNotation(notation);
    if (!sentence) return -99;
    summary.nodeCount = sentence->nodeCount;
    context = cj::makeTransferContext(*sentence, sentence->roleLinks, summary);
    context->targets[1].candidates = {candidate("a", "TG000"), candidate("b", "ZG000"), candidate("c", "TI000")};
    return cj::matchCaseFrame(*context, 1, 2, &context->targets[1].candidates);
  }
  std::vector<std::string> texts() {
    std::vector<std::string> out;
    for (const cj::CjCandidate& k : context->targets[1].candidates) out.push_back(k.text.str());
    return out;
  }

  datagen::TempDevice device;
  std::unique_ptr<cj::CjSentence> sentence;
  cj::CjSentenceSummary summary;
  std::unique_ptr<cj::CjTransferContext> context;
};

TEST_F(CaseFrames, FramesFitTheArgument) {
  ASSERT_TRUE(start(true));
  // The engine holds VerbCont.dat from its start; a match opens no file of its own.
  EXPECT_EQ(plat::openFileCount("VerbCont.dat"), 1);
  struct Case {
    std::string notation;
    int result;
    std::vector<std::string> texts;
  };
  const std::vector<std::string> untouched = {"a", "b", "c"};
  const Case cases[] = {
      // The negative frame fits: 2, nothing changes.
      {std::string("w ") + kSee + " V; w \\xFB\\x60\\xFB\\x51 N", 2, untouched},
      // A person fits "N[H]": the last candidate stays and takes the frame.
      {std::string("w ") + kSee + " V; w \\xFB\\x60 N M_SEM=HX", 1, {"会う"}},
      // No H: "N[H]" and "*A" are skipped, "R/N" fits on its second item.
      {std::string("w ") + kSee + " V; w \\xFB\\x60 N M_SEM=X", 1, {"見る"}},
      {std::string("w ") + kSee + " V; w \\xFB\\x60 V", 0, untouched},
      // A word list: the argument must end in one of the words.
      {std::string("w ") + kRead + " V; w \\xFB\\x60\\xFB\\x53 N", 1, {"読む"}},
      {std::string("w ") + kRead + " V; w \\xFB\\x53\\xFB\\x60 N", 0, untouched},
      // A verb without frames.
      {"w \\xFB\\x49 V; w \\xFB\\x60 N", 0, untouched},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(match(k.notation), k.result) << k.notation;
    EXPECT_EQ(texts(), k.texts) << k.notation;
    EXPECT_EQ(plat::openFileCount("VerbCont.dat"), 1) << k.notation;
  }
  ASSERT_EQ(match(std::string("w ") + kSee + " V; w \\xFB\\x60 N M_SEM=H"), 1);
  const cj::CjCandidate& kept = context->targets[1].candidates.front();
  EXPECT_EQ(kept.code, "ZG000");
  EXPECT_EQ(kept.frame, 'h');
  EXPECT_EQ(kept.frame2, 'G');
  EXPECT_EQ(cjtest::engine().engineStatus, 0);
}

TEST_F(CaseFrames, MissingFileAndOverLongCondition) {
  // An index pointing into a VerbCont.dat that is not there is refused at start, by name.
  EXPECT_FALSE(start(false));
  EXPECT_EQ(cjtest::engine().engineStatus, 8);
  EXPECT_EQ(cjtest::engine().dataFileProblem, "VerbCont.idx: VerbCont.dat is missing");
  cjtest::engine().engineStatus = 0;
  cj::closeCjEngine(cjtest::engine());

  // A condition filling all 40 bytes.
  const std::string verb = cjtest::engineText(kTooLong);
  std::string record = datagen::cjVerbContPlainRecord({verb, "", "N", "", "", 0, 0});
  record.replace(55, 40, std::string(40, 'x'));
  datagen::CjDataFiles extra = {{"VerbCont.dat", datagen::scrambleRecord(record)},
                                {"VerbCont.idx", datagen::cjVerbIndexFile({{verb, 0}})}};
  ASSERT_TRUE(start(true, extra));
  EXPECT_EQ(match(std::string("w ") + kTooLong + " V; w \\xFB\\x60 N"), -1);
  EXPECT_EQ(plat::openFileCount("VerbCont.dat"), 1);
  cj::closeCjEngine(cjtest::engine());
  EXPECT_EQ(plat::openFileCount("VerbCont.dat"), 0);
}

// The records are read from the file the engine opened at its start: taken off the card after
// the start, they still decide the frames, and closing the engine lets the file go.
TEST_F(CaseFrames, TheFileOpenedAtTheStartServesEveryMatch) {
  ASSERT_TRUE(start(true));
  const std::string file = plat::hostPath(datagen::cjDataFolder(device.card()) + "VerbCont.dat");
  ASSERT_EQ(std::remove(file.c_str()), 0) << file;
  for (int round = 0; round < 3; ++round) {
    EXPECT_EQ(match(std::string("w ") + kSee + " V; w \\xFB\\x60 N M_SEM=HX"), 1) << round;
    EXPECT_EQ(texts(), std::vector<std::string>{"会う"}) << round;
    EXPECT_EQ(match(std::string("w ") + kRead + " V; w \\xFB\\x60\\xFB\\x53 N"), 1) << round;
    EXPECT_EQ(texts(), std::vector<std::string>{"読む"}) << round;
  }
  EXPECT_EQ(cjtest::engine().engineStatus, 0);
  cj::closeCjEngine(cjtest::engine());
  EXPECT_EQ(plat::openFileCount("VerbCont.dat"), 0);
}

TEST_F(CaseFrames, AFittingFrameDecidesTheParticle) {
  ASSERT_TRUE(start(true));
  // Argument 1 before verb 2: the frame of "見る" gives "を", the frame of "会う" gives "は".
  for (auto [sem, particle, text] : {std::tuple{"X", "を", "見る"}, std::tuple{"H", "は", "会う"}}) {
    sentence = cjtest::buildFromNotation(std::string("w \\xFB\\x60 N M_SEM=") + sem + "; w " + kSee + " V");
    summary.nodeCount = sentence->nodeCount;
    context = cj::makeTransferContext(*sentence, sentence->roleLinks, summary);
    context->targets[2].candidates = {candidate("x", "TG000"), candidate("y", "ZG000")};
    EXPECT_EQ(cj::particleForArgument(*context, 1, 2), particle) << sem;
    ASSERT_EQ(context->targets[2].candidates.size(), 1u);
    EXPECT_EQ(context->targets[2].candidates[0].text, text);
  }
}

}  // namespace
