// The pinned translations of the sample card (data/tests/jc_sample.tsv), its sentence patterns
// among them: no expected line holds kana, 〓 or a placeholder word of the card.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "tools/datagen/build_programs.h"
#include "tools/common/tool_files.h"
#include "tools/datagen/pinned_sentences.h"
#include "tools/datagen/temp_device.h"

namespace {

namespace fs = std::filesystem;

// key<TAB>value lines, comments and empty lines left out.
std::vector<std::pair<std::string, std::string>> tabLines(const std::string& text) {
  std::vector<std::pair<std::string, std::string>> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    const std::size_t tab = line.find('\t');
    out.emplace_back(line.substr(0, tab), tab == std::string::npos ? std::string() : line.substr(tab + 1));
  }
  return out;
}

// What no translation may hold: kana, the mark of an unconvertible character, and the words the
// card's builder made up for keys the sample's rendering list leaves out.
std::string strayText(const std::string& chinese, const std::set<std::string>& placeholders) {
  for (char16_t c : plat::utf8ToWide(chinese))
    if ((c >= 0x3040 && c <= 0x30FF) || c == u'〓') return plat::wideToUtf8(std::u16string(1, c));
  for (const std::string& p : placeholders)
    if (chinese.find(p) != std::string::npos) return p;
  return "";
}

TEST(PatternRows, SampleTableHoldsNoStrayText) {
  datagen::TempDevice device;
  const std::string card = plat::hostPath(device.card());
  ASSERT_TRUE(datagen::writeCardWithProgram(std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample", card));

  // Placeholders: the card's words of the keys the source does not give.
  std::set<std::string> sourceKeys, placeholders;
  for (const auto& [key, words] : tabLines(tools::readFile(std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample/jc/jcwords.txt")))
    sourceKeys.insert(key);
  std::string written;
  for (const auto& e : fs::recursive_directory_iterator(card))
    if (e.path().filename() == "jcwords.txt") written = tools::readFile(e.path().string());
  ASSERT_FALSE(written.empty());
  for (const auto& [key, words] : tabLines(written)) {
    if (sourceKeys.count(key)) continue;
    std::istringstream list(words);
    for (std::string w; std::getline(list, w, '|');)
      if (!w.empty()) placeholders.insert(w);
  }
  ASSERT_FALSE(placeholders.empty());

  // The table's expected lines (the end-to-end test holds the driver to them).
  std::vector<datagen::PinnedSentence> rows;
  std::string error;
  ASSERT_TRUE(datagen::readPinnedSentencesFile(datagen::pinnedTablesFolder(SUITE_TEST_SOURCE_DIR) + "/jc_sample.tsv",
                                               rows, &error))
      << error;
  int patterns = 0;
  for (const datagen::PinnedSentence& r : rows) {
    patterns += r.id.starts_with("pattern-");
    // A row that pins Japanese carried as it stands (no word renders it) holds it on purpose.
    if (r.note.find("carried") != std::string::npos) continue;
    EXPECT_EQ(strayText(r.expected, placeholders), "") << r.id << " " << r.input << " -> " << r.expected;
  }
  EXPECT_GE(patterns, 60);
}

// The check finds what it is there to find.
TEST(PatternRows, StrayTextIsFound) {
  EXPECT_EQ(strayText("他是不来的はず。", {}), "は");
  EXPECT_EQ(strayText("打电话出〓的之际。", {}), "〓");
  EXPECT_EQ(strayText("我读书。", {"甲乙"}), "");
  EXPECT_EQ(strayText("我甲乙读书。", {"甲乙"}), "甲乙");
}

}  // namespace
