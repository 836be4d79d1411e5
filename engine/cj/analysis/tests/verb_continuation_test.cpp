#include "engine/cj/analysis/verb_continuation.h"

#include <gtest/gtest.h>

#include "engine/cj/analysis/tests/cj_dictionary_fixture.h"
#include "engine/cj/analysis/verbcont_record.h"
#include "tools/datagen/cj_scramble.h"

namespace cj {
namespace {

using cjtest::buildFromNotation;
using cjtest::engineText;

const std::vector<cjtest::DicWord> kWords = {{"的", "U\\U[U]"}};

// Frames of three verbs: 看 with a first-kind record and a second-kind one, 读 with word lists,
// 写 with an empty frame before a good one of the second kind.
std::vector<datagen::CjVerbFrame> frames() {
  return {
      {"看", "*", "N[H]", "\x8C\xA9\x82\xE9", "KV5", '1', '2'},
      {"看", "!", "V/A", "", "", 0, 0},
      {"读", "书/报", "N", "", "", 0, 0},
      {"读", "!杂志", "N", "", "", 0, 0},
      {"写", "*", "", "", "", 0, 0},
      {"写", "*A", "N", "", "", 0, 0},
      {"写", "!", "N[Q]", "", "", 0, 0},
      {"听", "*", "V N[H]", "", "", 0, 0},
      {"说", "*", "N[H]", "", "", 0, 0},
  };
}

class VerbContinuationTest : public cjtest::EngineFixture {
 protected:
  int match(const std::string& notation) {
    std::unique_ptr<CjSentence> s = buildFromNotation(notation);
    return s ? matchVerbContinuation(*s, 1, 2) : -99;
  }
};

TEST_F(VerbContinuationTest, FrameKinds) {
  ASSERT_TRUE(start({kWords, {}, {}, frames()}));
  struct Case {
    const char* notation;
    int expected;
  } cases[] = {
      {"w 看 V; w 书 N +N:M_SEM=HX", 1},          // "*" with a fitting frame
      {"w 看 V; w 书 N +N:M_SEM=X", 0},           // no record fits
      {"w 看 V; w 去 V +V", 2},                   // first record fails, "!" fits
      {"w 看 V; w 好 A +A", 2},                   // second frame item
      {"w 读 V; w 看书 N +N", 1},                  // word list: ends with a listed word
      {"w 读 V; w 书店 N +N", 0},                  // contains it, does not end with it
      {"w 读 V; w 杂志 N +N", 2},                  // "!" word list
      {"w 读 V; w 杂志 V +V", 0},
      {"w 写 V; w 书 N +N", 0},                    // empty frame, "*A" never passes, "!" needs Q
      {"w 写 V; w 书 N +N:M_SEM=Q", 2},
      {"w 听 V; w 书 N +N:M_SEM=H", 1},            // items after a separator
      {"w 吃 V; w 饭 N +N", 0},                    // verb not in the index
      // Still ambiguous: the first sense of the item's letter decides, not any sense.
      {"w 说 V; w 书 NV +V:M_SEM=H +N:M_SEM=X", 0},
      {"w 说 V; w 书 NV +V:M_SEM=X +N:M_SEM=H", 1},
      {"w 说 V; w 书 NV +V:M_SEM=X +N:M_SEM=H +N:M_SEM=X", 1},
      {"w 说 V; w 书 NV +V:M_SEM=H +N:M_SEM=X +N:M_SEM=H", 0},
      {"w 说 V; w 书 NV +V:M_SEM=X +A:M_SEM=H", 0},  // no N sense: the last sense, of another letter
  };
  for (const Case& c : cases) {
    EXPECT_EQ(match(c.notation), c.expected) << c.notation;
    EXPECT_EQ(cjtest::engine().engineStatus, 0) << c.notation;
    EXPECT_EQ(plat::openFileCount("VerbCont.dat"), 1) << c.notation;  // the engine's own handle only
  }
}

TEST_F(VerbContinuationTest, MissingFileAndNegativeOffsets) {
  cjtest::EngineSetup setup{kWords, {}, {}, frames()};
  setup.writeVerbCont = false;
  // An index that points into a VerbCont.dat that is not there is refused at start, by name.
  EXPECT_FALSE(start(setup));
  EXPECT_EQ(cjtest::engine().engineStatus, 8);
  EXPECT_EQ(cjtest::engine().dataFileProblem, "VerbCont.idx: VerbCont.dat is missing");
  cjtest::engine().engineStatus = 0;
  closeCjEngine(cjtest::engine());

  // A verb whose offset is negative has no records.
  datagen::CjDataFiles extra = {{"VerbCont.idx", datagen::cjVerbIndexFile({{engineText("看"), -1}})}};
  setup.writeVerbCont = false;
  ASSERT_TRUE(start(setup, &extra));
  EXPECT_EQ(match("w 看 V; w 书 N +N:M_SEM=H"), 0);
  EXPECT_EQ(cjtest::engine().engineStatus, 0);
}

TEST_F(VerbContinuationTest, UnterminatedFieldsAreReadWithinTheRecord) {
  // Records written by hand: a condition filling all 40 bytes, and a verb filling all 55.
  const std::string verb = engineText("看");
  std::string overlong = datagen::cjVerbContPlainRecord({verb, "", "N", "", "", 0, 0});
  overlong.replace(55, 40, std::string(40, 'x'));
  std::string good = datagen::cjVerbContPlainRecord({verb, "*", "N", "", "", 0, 0});
  std::string noVerbEnd = good;
  noVerbEnd.replace(0, 55, std::string(55, 'v'));

  // 看: the over-long condition; 听: a record whose verb runs into the condition.
  const std::string dat =
      datagen::scrambleRecord(overlong) + datagen::scrambleRecord(good) + datagen::scrambleRecord(noVerbEnd);
  datagen::CjDataFiles extra = {
      {"VerbCont.dat", dat},
      {"VerbCont.idx", datagen::cjVerbIndexFile({{verb, 0}, {engineText("听"), 2 * 163}})},
  };
  ASSERT_TRUE(start({kWords, {}, {}, frames()}, &extra));
  EXPECT_EQ(match("w 看 V; w 书 N +N"), -1);
  EXPECT_EQ(plat::openFileCount("VerbCont.dat"), 1);  // the engine's own handle only
  EXPECT_EQ(match("w 听 V; w 书 N +N"), 0);

  VerbContRecord rec;
  parseVerbContRecord(noVerbEnd.data(), rec);
  EXPECT_EQ(rec.verb, std::string(55, 'v'));
  EXPECT_EQ(rec.condition, "*");
  parseVerbContRecord(overlong.data(), rec);
  EXPECT_FALSE(rec.conditionTerminated);
  EXPECT_EQ(rec.condition.size(), 40u);
}

TEST_F(VerbContinuationTest, RecordFieldsForBothReaders) {
  ASSERT_TRUE(start({kWords, {}, {}, frames()}));
  std::FILE* f = openDataFile(cjtest::engine(), "VerbCont.dat");
  ASSERT_NE(f, nullptr);
  VerbContRecord rec;
  ASSERT_TRUE(readVerbContRecord(f, rec));
  EXPECT_EQ(rec.verb, engineText("看"));
  EXPECT_EQ(rec.condition, "*");
  EXPECT_TRUE(rec.conditionTerminated);
  EXPECT_EQ(rec.frame, "N[H]");
  EXPECT_EQ(rec.frameItems, "N[H]");
  EXPECT_EQ(rec.japanese, "\x8C\xA9\x82\xE9");
  EXPECT_EQ(rec.code, "KV5");
  EXPECT_EQ(rec.frameChar, '1');
  EXPECT_EQ(rec.secondField, '2');
  int count = 1;
  while (readVerbContRecord(f, rec)) ++count;
  EXPECT_EQ(count, static_cast<int>(frames().size()));
  plat::fileClose(f);
}

TEST(MarkedWordTest, FindsTheFirstMarkedWord) {
  ASSERT_TRUE(cjtest::loadSyntheticWords());
  struct Case {
    const char* notation;
    int from;
    int expected;
  } cases[] = {
      {"w 我 N +N; w 书 N +N:S_SEM=q", 1, 2},
      {"w 我 N +N; w 在 F +F:M_SEM=L", 1, 2},
      {"w 我 N +N; w 在 RF +F:M_SEM=X +R:M_SEM=L", 1, 0},  // L on a sense of another letter
      {"w 我 N +N; w 很 R +R:M_SEM=B", 1, 2},
      // F and L present but not on one sense: not marked, and R is not asked.
      {"w 在 FR +F:M_SEM=X +R:M_SEM=LB", 1, 0},
      {"w 我 N +N; w 书 N +N:S_SEM=q", 3, 0},
      {"w 我 N +N; w 书 N +N:S_SEM=q", 0, 0},
      // The scan stops at a node that is not a word node, marked or not.
      {"w 我 N +N; w 书 N +N; p 1 2 NP S_SEM=q", 3, 0},
  };
  for (const Case& c : cases) {
    std::unique_ptr<CjSentence> s = buildFromNotation(c.notation);
    ASSERT_TRUE(s) << c.notation;
    EXPECT_EQ(findMarkedWord(*s, c.from), c.expected) << c.notation;
  }
}

}  // namespace
}  // namespace cj
