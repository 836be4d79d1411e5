#include "engine/cj/analysis/engine_data.h"

#include "engine/cj/analysis/grammar.h"
#include "engine/cj/analysis/tests/cj_test_folder.h"
#include "platform/core/device.h"
#include "platform/core/little_endian.h"
#include "tools/datagen/cj_data_files.h"
#include "tools/datagen/cj_grammar_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

namespace {

using datagen::CjDataFiles;

// Two folders whose files tell apart which one each handle and table came from: A has two
// records in every index, "listA", three reading rows, two verbs and no rules; B is the minimal
// folder with one NP1 rule.
CjDataFiles folderA() {
  CjDataFiles f = datagen::minimalCjDataFiles(cjtest::syntheticWords());
  // A three-node trie: 0x889F's word-end node, then 0x9BCE's two children.
  std::string trie;
  for (const auto& [code, flags] : {std::pair{0, 3}, std::pair{0x889F, 1}, std::pair{0x9BCE, 3}}) {
    plat::appendLe(trie, static_cast<uint32_t>(code), 2);
    plat::appendLe(trie, static_cast<uint32_t>(flags), 2);
    plat::appendLe(trie, 0, 4);
  }
  for (const char* name : {"fmemdic.dat", "zmemdic.dat", "fmemdicp.dat", "zmemdicp.dat"}) f[name] = trie;
  for (const char* idx : {"zfc.idx", "ffc.idx", "zfcp.idx", "ffcp.idx"}) {
    f[idx] = datagen::cjIndexFile({{0x889F, 1, 0}, {0x9BCE, 2, 1}});
  }
  f["VerbCont.dat"] = std::string(2 * 163, '\x01');
  datagen::cjListFile("listA\r\n", f["lst.dat"]);
  f["pinyindic\\PinKaChu.tbl"] = datagen::cjReadingTableFile({{"a", "A"}, {"ba", "BA"}, {"zhong", "ZH"}});
  f["VerbCont.idx"] = datagen::cjVerbIndexFile({{"\x9B\xCE", 163}, {"\x88\x9F", 0}});
  return f;
}

CjDataFiles folderB() {
  CjDataFiles f = datagen::minimalCjDataFiles(cjtest::syntheticWords());
  datagen::CjGrammar g = datagen::completeCjGrammar({{}, {{"NP1", {{"NP->[N]", "->fromB"}}, {}}}});
  datagen::scrambleCjGrammarText(datagen::cjRuleFileText(g), f["transfer.ruc"]);
  return f;
}

bool sameFile(std::FILE* f, const std::string& devicePath) {
  struct stat a {}, b {};
  if (!f || fstat(fileno(f), &a) != 0 || stat(plat::hostPath(devicePath).c_str(), &b) != 0) return false;
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

class EngineData : public ::testing::Test {
 protected:
  void SetUp() override {
    a_ = device_.card() + "\\A\\";
    b_ = device_.card() + "\\B\\";
    ASSERT_TRUE(datagen::writeCjDataFiles(a_, folderA()));
  }
  int initFrom(const std::string& folder) {
    cjtest::engine().dataFolderPath = plat::utf8ToWide(folder);
    return cj::initCjEngine(cjtest::engine());
  }

  // For each loading step, whether its handle or table now comes from folder B.
  bool stepFromB(int step) const {
    const cj::CjEngineData& d = cjtest::engine().data;
    switch (step) {
      case 1: return sameFile(d.fmemdic, b_ + "fmemdic.dat");
      case 2: return sameFile(d.zmemdic, b_ + "zmemdic.dat");
      case 3: return d.zfcIndex.size() == 1 && d.ffcIndex.size() == 1;
      case 4: return sameFile(d.cwcdic, b_ + "cwcdic.dic");
      case 5: return sameFile(d.cwcjdic, b_ + "cwcjdic.dic");
      case 6: return sameFile(d.hanzi, b_ + "pinyindic\\hanzi.dat");
      case 7: return std::string(d.listBuffer.c_str()) == "list";
      case 8: return d.readingRowCount() == 2;
      case 9: return sameFile(d.fmemdicp, b_ + "fmemdicp.dat");
      case 10: return sameFile(d.zmemdicp, b_ + "zmemdicp.dat");
      case 11: return d.zfcpIndex.size() == 1 && d.ffcpIndex.size() == 1;
      case 12: return sameFile(d.cwcdicp, b_ + "cwcdicp.dic");
      case 13: return d.verbIndex.size() == 1;
    }
    return false;
  }

  datagen::TempDevice device_;
  std::string a_, b_;
};

TEST_F(EngineData, EachFailingStepGivesItsCodeAndTouchesNoLaterFile) {
  struct Case {
    const char* file;
    bool empty;  // written empty instead of left out
    int step;
    int status;
  } cases[] = {
      {"fmemdic.dat", false, 1, 5},     {"zmemdic.dat", false, 2, 6},
      {"zfc.idx", false, 3, 6},         {"ffc.idx", false, 3, 6},
      {"cwcdic.dic", false, 4, 7},      {"cwcjdic.dic", false, 5, 8},
      {"pinyindic\\hanzi.dat", false, 6, 20},
      {"lst.dat", false, 7, 11},        {"lst.dat", true, 7, 11},
      {"pinyindic\\PinKaChu.tbl", false, 8, 21}, {"pinyindic\\PinKaChu.tbl", true, 8, 11},
      {"fmemdicp.dat", false, 9, 5},    {"zmemdicp.dat", false, 10, 6},
      {"zfcp.idx", false, 11, 6},       {"ffcp.idx", false, 11, 6},
      {"cwcdicp.dic", false, 12, 7},    {"VerbCont.idx", false, 13, 8},
      {"cjwords.txt", false, 14, 22},   {nullptr, false, 14, 0},
  };
  int n = 0;
  for (const Case& c : cases) {
    std::string what = c.file ? std::string(c.file) + (c.empty ? " empty" : " missing") : "complete folder";
    ASSERT_EQ(initFrom(a_), 0) << what;
    b_ = device_.card() + "\\B" + std::to_string(n++) + "\\";
    CjDataFiles files = folderB();
    if (c.file && c.empty) files[c.file].clear();
    if (c.file && !c.empty) files.erase(c.file);
    ASSERT_TRUE(datagen::writeCjDataFiles(b_, files));

    EXPECT_EQ(initFrom(b_), c.status) << what;
    for (int step = 1; step <= 13; ++step) {
      if (step < c.step) {
        EXPECT_TRUE(stepFromB(step)) << what << ": step " << step << " should be reloaded";
      } else if (step > c.step) {
        EXPECT_FALSE(stepFromB(step)) << what << ": step " << step << " should be untouched";
      }
    }
    // Every index file read whole is closed again, also when its partner is missing.
    for (const char* name : {"zfc.idx", "ffc.idx", "zfcp.idx", "ffcp.idx", "lst.dat", "VerbCont.idx", "PinKaChu.tbl",
                             "transfer.ruc", "transfer.dac", "cjwords.txt"}) {
      EXPECT_EQ(plat::openFileCount(name), 0) << what << ": " << name;
    }
    // The grammar is loaded whatever the data files did.
    ASSERT_NE(cj::ruleAction(cjtest::engine(), "NP", '1', 0), nullptr);
    EXPECT_EQ(*cj::ruleAction(cjtest::engine(), "NP", '1', 0), "->fromB") << what;
  }
}

TEST_F(EngineData, GrammarRunsAfterAFailedDataLoad) {
  CjDataFiles files = folderB();
  files.erase("fmemdic.dat");
  files.erase("transfer.ruc");
  ASSERT_TRUE(datagen::writeCjDataFiles(b_, files));
  EXPECT_EQ(initFrom(b_), 11);
}

TEST_F(EngineData, ReloadKeepsOneHandlePerFile) {
  ASSERT_EQ(initFrom(a_), 0);
  ASSERT_EQ(initFrom(a_), 0);
  const char* kept[] = {"fmemdic.dat", "zmemdic.dat", "cwcdic.dic",   "cwcjdic.dic",
                        "hanzi.dat",   "fmemdicp.dat", "zmemdicp.dat", "cwcdicp.dic"};
  for (const char* name : kept) EXPECT_EQ(plat::openFileCount(name), 1) << name;

  // Closing releases all of them.
  EXPECT_EQ(cj::closeCjEngine(cjtest::engine()), 0);
  for (const char* name : kept) EXPECT_EQ(plat::openFileCount(name), 0) << name;
  cjtest::engine().engineStatus = 3;
  EXPECT_EQ(cj::closeCjEngine(cjtest::engine()), 3);

  ASSERT_EQ(initFrom(a_), 0);
  for (const char* name : kept) EXPECT_EQ(plat::openFileCount(name), 1) << name;
}

TEST_F(EngineData, EachEngineHoldsItsOwnStatusFolderAndFiles) {
  ASSERT_EQ(initFrom(a_), 0);
  // A second engine on a folder without data fails on its own; the first keeps its state.
  cj::CjEngine other;
  other.dataFolderPath = plat::utf8ToWide(b_);
  EXPECT_EQ(cj::initCjEngine(other), cj::kStatusGotoFileMissing);  // the grammar fails last
  EXPECT_EQ(other.data.fmemdic, nullptr);
  EXPECT_EQ(cjtest::engine().engineStatus, 0);
  EXPECT_TRUE(sameFile(cjtest::engine().data.fmemdic, a_ + "fmemdic.dat"));
  EXPECT_EQ(cjtest::engine().dataFolderPath, plat::utf8ToWide(a_));
  // An engine that goes away closes what it held.
  {
    cj::CjEngine third;
    third.dataFolderPath = plat::utf8ToWide(a_);
    ASSERT_EQ(cj::initCjEngine(third), 0);
    EXPECT_EQ(plat::openFileCount("fmemdic.dat"), 2);
  }
  EXPECT_EQ(plat::openFileCount("fmemdic.dat"), 1);
}

// Descriptors of the process, as the kernel sees them.
int openDescriptors() {
  int n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
  return n;
}

TEST_F(EngineData, OpenAndCloseTwiceLeavesNoDescriptor) {
  cj::closeCjEngine(cjtest::engine());
  const int before = openDescriptors();
  for (int round = 0; round < 2; ++round) {
    ASSERT_EQ(initFrom(a_), 0);
    EXPECT_EQ(openDescriptors(), before + 9) << "round " << round;  // the nine kept handles, VerbCont.dat among them
    cj::closeCjEngine(cjtest::engine());
    EXPECT_EQ(openDescriptors(), before) << "round " << round;
  }
}

TEST_F(EngineData, TablesHoldTheRecordsRead) {
  ASSERT_EQ(initFrom(a_), 0);
  const cj::CjEngineData& d = cjtest::engine().data;
  ASSERT_EQ(d.zfcIndex.size(), 2u);
  EXPECT_EQ(d.zfcIndex[1].code, 0x9BCE);
  EXPECT_EQ(d.zfcIndex[1].childCount, 2);
  EXPECT_EQ(d.zfcIndex[1].value, 1u);
  ASSERT_EQ(d.verbIndex.size(), 2u);
  // Sorted by verb bytes and descrambled.
  EXPECT_EQ(d.verbIndex[0].verb, "\x88\x9F");
  EXPECT_EQ(d.verbIndex[0].offset, 0);
  EXPECT_EQ(d.verbIndex[1].verb, "\x9B\xCE");
  EXPECT_EQ(d.verbIndex[1].offset, 163);
  EXPECT_EQ(d.readingTable.substr(0, 6), "a     ");
  EXPECT_EQ(d.readingTable.substr(26 * 2 + 8, 2), "ZH");

  // Caps: 5,000 verbs, 6,800 index records, 425 reading rows (11,052 bytes hold no more) load; a file
  // past its cap, or with a partial last record, is refused by name rather than read in part.
  std::vector<datagen::CjVerbIndexEntry> verbs;
  for (int i = 0; i < 5001; ++i) verbs.push_back({"v" + std::to_string(100000 + i), -1});
  std::vector<datagen::CjIndexEntry> index;
  for (int i = 0; i < 6801; ++i) index.push_back({static_cast<uint16_t>(0x8140 + i), 0, 0});
  std::vector<datagen::CjReadingRow> rows(426, {"a", "A"});
  CjDataFiles big = folderA();
  big["VerbCont.idx"] = datagen::cjVerbIndexFile({verbs.begin(), verbs.end() - 1});
  big["zfc.idx"] = datagen::cjIndexFile({index.begin(), index.end() - 1});
  big["fmemdic.dat"] = big["zmemdic.dat"] = datagen::minimalCjDataFiles("")["zmemdic.dat"];
  big["ffc.idx"] = datagen::cjIndexFile({{0x889F, 1, 0}});
  big["pinyindic\\PinKaChu.tbl"] = datagen::cjReadingTableFile({rows.begin(), rows.end() - 1});
  // The first record leads into the one-node trie; the others are words of one character.
  big["zfc.idx"].replace(2, 2, std::string("\x01\0", 2));
  ASSERT_TRUE(datagen::writeCjDataFiles(b_, big));
  ASSERT_EQ(initFrom(b_), 0) << cjtest::engine().dataFileProblem;
  EXPECT_EQ(d.verbIndex.size(), 5000u);
  EXPECT_EQ(d.verbIndex[4999].verb, "v104999");
  EXPECT_EQ(d.zfcIndex.size(), 6800u);
  EXPECT_EQ(d.ffcIndex.size(), 1u);
  EXPECT_EQ(d.readingTable.size(), 11050u);
  EXPECT_EQ(d.readingRowCount(), 425);

  const struct {
    const char* file;
    std::string bytes;
    const char* problem;
  } refused[] = {
      {"VerbCont.idx", datagen::cjVerbIndexFile(verbs), "VerbCont.idx: more records than 5,000"},
      {"VerbCont.idx", datagen::cjVerbIndexFile({{"a", -1}, {"b", -1}}) + std::string(10, 'x'),
       "VerbCont.idx: cut (not whole 44-byte records)"},
      {"VerbCont.idx", datagen::cjVerbIndexFile({{"a", 163}, {"b", 100}}), "VerbCont.idx: an offset outside VerbCont.dat at record 2"},
      {"zfc.idx", datagen::cjIndexFile(index), "zfc.idx: more records than 6,800"},
      {"ffc.idx", datagen::cjIndexFile({{0x889F, 1, 0}}) + "\x01\x02\x03", "ffc.idx: cut (not whole 8-byte records)"},
      {"pinyindic\\PinKaChu.tbl", datagen::cjReadingTableFile(rows), "pinyindic\\PinKaChu.tbl: longer than its 11,052-byte table"},
  };
  for (const auto& r : refused) {
    CjDataFiles broken = big;
    broken[r.file] = r.bytes;
    ASSERT_TRUE(datagen::writeCjDataFiles(b_, broken));
    EXPECT_NE(initFrom(b_), 0) << r.problem;
    EXPECT_EQ(cjtest::engine().dataFileProblem, r.problem);
  }
}

TEST_F(EngineData, MinimalFolderOnTheCardStartsTheEngine) {
  std::string folder = datagen::cjDataFolder(device_.card());
  ASSERT_TRUE(datagen::writeCjDataFiles(folder, datagen::minimalCjDataFiles(cjtest::syntheticWords())));
  // The application's spelling of the folder differs in case from the one written.
  cjtest::engine().dataFolderPath = plat::utf8ToWide(device_.card() + "\\Talvenro\\Chinese\\LindqvarDic\\CJSystemdic\\");
  EXPECT_EQ(cj::initCjEngine(cjtest::engine()), 0);
  // Every group starts with a state-0 entry.
  for (int g = 0; g < cj::kGroupCount; ++g) EXPECT_EQ(cj::ruleGroup(cjtest::engine(), g).gotos[0].state, "0") << g;
}

}  // namespace
