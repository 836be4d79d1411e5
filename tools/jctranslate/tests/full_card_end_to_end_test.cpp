// The console driver on the full card that the build lays out beside the sample card
// (build tree: fullcard/device): everyday Japanese sentences whose words the sample card lacks.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/datagen/build_programs.h"
#include "tools/datagen/pinned_sentences.h"

namespace {

namespace fs = std::filesystem;

// Each line through jctranslate on a device folder, from a program folder of its own (the
// driver writes its temporary files there); one output line per input line.
std::vector<std::string> translate(const std::string& device, const std::vector<std::string>& lines) {
  std::string tmpl = (fs::temp_directory_path() / "jc-full-card-XXXXXX").string();
  if (!::mkdtemp(tmpl.data())) return {};
  const std::string program = tmpl;
  datagen::linkOrCopy(datagen::binFolder() + "/jctranslate", program + "/jctranslate");
  datagen::linkOrCopy(datagen::binFolder() + "/Synparse.so", program + "/Synparse.so");
  const std::string command =
      "SUITE_DEVICE_ROOT=" + datagen::shellQuoted(device) + " " + datagen::shellQuoted(program + "/jctranslate");
  datagen::LinesRun run = datagen::runOnLines(command, program, lines);
  EXPECT_EQ(run.status, 0) << run.errors;
  fs::remove_all(program);
  return run.lines;
}

// The pinned sentences of the full card (data/tests/jc_full.tsv).
TEST(FullCardEndToEnd, PinnedSentencesOfTheFullCard) {
  const std::string device = datagen::buildFolder() + "/fullcard/device";
  ASSERT_TRUE(fs::exists(device + "/Card/Talvenro/Chinese/LindqvarDic/JCSystemdic")) << device;
  ASSERT_TRUE(fs::exists(datagen::buildFolder() + "/bin/Synparse.so"));
  std::vector<datagen::PinnedSentence> cases;
  std::string why;
  ASSERT_TRUE(datagen::readPinnedSentencesFile(datagen::pinnedTablesFolder(SUITE_TEST_SOURCE_DIR) + "/jc_full.tsv", cases, &why))
      << why;
  std::vector<std::string> lines;
  for (const auto& k : cases) lines.push_back(k.input);
  const std::vector<std::string> out = translate(device, lines);
  ASSERT_EQ(out.size(), lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(out[i], cases[i].expected) << cases[i].id << ' ' << cases[i].input << " (" << cases[i].note << ')';
  }
}

}  // namespace
