// Runs that are not words (numbers, dates, times, phone numbers, percentages, URLs, mail addresses,
// Latin words) put at random places into sentences of each card's words: the translation keeps
// each run whole and in order, and the number of sentences.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/device.h"
#include "tools/datagen/build_programs.h"
#include "tools/datagen/pinned_sentences.h"
#include "tools/datagen/temp_device.h"
#include "tools/datagen/text_run_lines.h"

namespace {

// Characters after which a noun may stand (a comma), and the particles a noun stands before.
constexpr std::string_view kWordEnds = "、";
constexpr std::string_view kParticles = "はがをへ";

// The inputs of a pinned table that hold no Latin letter or digit and end in a full stop. Left
// out: the purpose of going with its goal (purpose-goal-*), whose nouns Chinese puts in another
// order (本を買いに店へ行った: 去商店买书), so that two runs may rightly change places.
std::vector<std::string> plainSentences(const std::string& table) {
  std::vector<datagen::PinnedSentence> cases;
  std::vector<std::string> out;
  if (!datagen::readPinnedSentencesFile(datagen::pinnedTablesFolder(SUITE_TEST_SOURCE_DIR) + "/" + table, cases)) return out;
  for (const auto& k : cases) {
    if (k.id.starts_with("purpose-goal-")) continue;
    bool plain = k.input.size() > 3 && k.input.compare(k.input.size() - 3, 3, "。") == 0;
    for (char c : k.input) plain = plain && !std::isalnum(static_cast<unsigned char>(c));
    if (plain && k.input.find("\xEF\xBC") == std::string::npos) out.push_back(k.input);
  }
  return out;
}

// Generated lines through jctranslate on a device; the faults, one a line, after the count.
void expectRunsKept(const std::string& deviceRoot, const std::string& table, std::uint64_t seed) {
  const std::vector<std::string> sentences = plainSentences(table);
  ASSERT_GT(sentences.size(), 20u) << table;
  const std::vector<datagen::RunLine> lines = datagen::makeRunLines(sentences, false, kWordEnds, kParticles, 2000, seed);
  std::vector<std::string> text;
  for (const auto& l : lines) text.push_back(l.line);
  const datagen::LinesRun run = datagen::runTranslator("jctranslate", deviceRoot, text);
  ASSERT_EQ(run.lines.size(), lines.size()) << run.errors;
  std::size_t faults = 0;
  std::string shown;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string why = datagen::runLineFault(lines[i], run.lines[i]);
    if (why.empty()) continue;
    if (++faults <= 40) shown += lines[i].line + " -> " + run.lines[i] + ": " + why + "\n";
  }
  EXPECT_EQ(faults, 0u) << faults << " of " << lines.size() << " lines\n" << shown;
}

TEST(TextRuns, SampleCardKeepsEveryRunInPlace) {
  datagen::TempDevice device;
  ASSERT_TRUE(datagen::writeCardWithProgram(std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample",
                                            plat::hostPath(device.card())));
  expectRunsKept(device.root(), "jc_sample.tsv", 77);
}

TEST(TextRuns, FullCardKeepsEveryRunInPlace) {
  const std::string device = datagen::buildFolder() + "/fullcard/device";
  ASSERT_TRUE(std::filesystem::exists(device + "/Card/Talvenro/Chinese/LindqvarDic/JCSystemdic")) << device;
  expectRunsKept(device, "jc_full.tsv", 78);
}

}  // namespace
