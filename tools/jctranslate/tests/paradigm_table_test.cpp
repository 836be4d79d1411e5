// Every form of every conjugation class, in a sentence with a subject, through jctranslate on the
// sample card and on the full card: no kana and no 〓 in the Chinese, and the negation, the past,
// the potential, the passive, the causative and the wish each marked.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/core/device.h"
#include "tools/common/tool_files.h"
#include "tools/datagen/build_programs.h"
#include "tools/datagen/jp_paradigm.h"
#include "tools/datagen/temp_device.h"

namespace {

namespace fs = std::filesystem;

// The rows through jctranslate on a device folder; the faults, one line each.
std::vector<std::string> faultsOf(const std::string& device, const std::vector<datagen::ParadigmRow>& rows,
                                  const char* card) {
  std::string tmpl = (fs::temp_directory_path() / "jc-paradigm-XXXXXX").string();
  if (!::mkdtemp(tmpl.data())) return {"no scratch folder"};
  const std::string program = tmpl;
  datagen::linkOrCopy(datagen::binFolder() + "/jctranslate", program + "/jctranslate");
  datagen::linkOrCopy(datagen::binFolder() + "/Synparse.so", program + "/Synparse.so");
  std::vector<std::string> lines;
  for (const auto& r : rows) lines.push_back(r.sentence);
  const std::string command =
      "SUITE_DEVICE_ROOT=" + datagen::shellQuoted(device) + " " + datagen::shellQuoted(program + "/jctranslate");
  datagen::LinesRun run = datagen::runOnLines(command, program, lines);
  fs::remove_all(program);
  if (run.lines.size() != rows.size()) return {"jctranslate gave " + std::to_string(run.lines.size()) + " lines: " + run.errors};
  std::vector<std::string> faults;
  std::map<std::string, int> byFault, byClass;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::string fault = datagen::paradigmFault(rows[i], run.lines[i]);
    if (fault.empty()) continue;
    ++byFault[fault];
    ++byClass[rows[i].cls];
    faults.push_back(rows[i].cls + " " + rows[i].word + " " + rows[i].form + ": " + rows[i].sentence + " -> " +
                     run.lines[i] + " (" + fault + ")");
  }
  std::printf("paradigm table, %s card: %zu rows, %zu with a fault\n", card, rows.size(), faults.size());
  for (const auto& [f, n] : byFault) std::printf("  %s: %d\n", f.c_str(), n);
  for (const auto& [c, n] : byClass) std::printf("  %s: %d\n", c.c_str(), n);
  return faults;
}

// At least three words of each class (fewer only where the lexicon holds fewer).
void expectEveryClass(const std::vector<datagen::ParadigmRow>& rows) {
  std::map<std::string, std::set<std::string>> words;
  for (const auto& r : rows) words[r.cls].insert(r.word);
  for (const char* cls : {"五段か", "五段が", "五段さ", "五段た", "五段ば", "五段ま", "五段ら", "五段わ", "一段", "サ変名詞",
                          "形容詞", "形容動詞", "判定詞"})
    EXPECT_GE(words[cls].size(), 3u) << cls;
  for (const char* cls : {"五段な", "サ変", "カ変"}) EXPECT_GE(words[cls].size(), 1u) << cls;
}

TEST(ParadigmTable, SampleCard) {
  datagen::TempDevice device;
  ASSERT_TRUE(datagen::writeCardWithProgram(std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample", plat::hostPath(device.card())));
  const std::string lexicon = tools::readFile(std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample/jc/lexicon.txt");
  const std::vector<datagen::ParadigmRow> rows = datagen::paradigmRows(lexicon, 3);
  expectEveryClass(rows);
  for (const std::string& f : faultsOf(device.root(), rows, "sample")) ADD_FAILURE() << f;
}

TEST(ParadigmTable, FullCard) {
  const std::string build = datagen::buildFolder();
  const std::string device = build + "/fullcard/device";
  ASSERT_TRUE(fs::exists(device + "/Card/Talvenro/Chinese/LindqvarDic/JCSystemdic")) << device;
  const std::string lexicon = tools::readFile(build + "/fullcard/source/jc/lexicon.txt");
  ASSERT_FALSE(lexicon.empty());
  // The sample card's words, then as many the sample lacks.
  std::vector<datagen::ParadigmRow> rows = datagen::paradigmRows(lexicon, 3);
  const std::string sample = tools::readFile(std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample/jc/lexicon.txt");
  for (auto& r : datagen::paradigmRows(lexicon, 3, datagen::lexiconKeys(sample))) rows.push_back(std::move(r));
  expectEveryClass(rows);
  for (const std::string& f : faultsOf(device, rows, "full")) ADD_FAILURE() << f;
}

}  // namespace
