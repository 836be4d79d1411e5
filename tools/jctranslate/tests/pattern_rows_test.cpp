// Sentence patterns on the sample card (data/tests/jc_sample_patterns.tsv), through the console
// driver: each line gives the pinned translation, with no kana, 〓 or placeholder word in it.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "tools/datagen/build_programs.h"
#include "tools/datagen/temp_device.h"

namespace {

namespace fs = std::filesystem;

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

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

TEST(PatternRows, SentencePatternsOfTheSampleCard) {
  datagen::TempDevice device;
  const std::string card = plat::hostPath(device.card());
  ASSERT_TRUE(datagen::writeCardWithProgram(std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample", card));

  // Placeholders: the card's words of the keys the source does not give.
  std::set<std::string> sourceKeys, placeholders;
  for (const auto& [key, words] : tabLines(readFile(std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample/jc/jcwords.txt")))
    sourceKeys.insert(key);
  std::string written;
  for (const auto& e : fs::recursive_directory_iterator(card))
    if (e.path().filename() == "jcwords.txt") written = readFile(e.path().string());
  ASSERT_FALSE(written.empty());
  for (const auto& [key, words] : tabLines(written)) {
    if (sourceKeys.count(key)) continue;
    std::istringstream list(words);
    for (std::string w; std::getline(list, w, '|');)
      if (!w.empty()) placeholders.insert(w);
  }
  ASSERT_FALSE(placeholders.empty());

  const auto rows = tabLines(readFile(std::string(SUITE_TEST_SOURCE_DIR) + "/data/tests/jc_sample_patterns.tsv"));
  ASSERT_GE(rows.size(), 60u);
  std::vector<std::string> lines;
  for (const auto& [japanese, chinese] : rows) lines.push_back(japanese);

  // The driver and its parser in a program folder of their own.
  std::string tmpl = (fs::temp_directory_path() / "jcpatterns-XXXXXX").string();
  ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
  const std::string program = tmpl;
  datagen::linkOrCopy(datagen::binFolder() + "/jctranslate", program + "/jctranslate");
  datagen::linkOrCopy(datagen::binFolder() + "/Synparse.so", program + "/Synparse.so");
  const datagen::LinesRun run = datagen::runOnLines(datagen::shellQuoted(program + "/jctranslate"), device.root(), lines);
  std::error_code ec;
  fs::remove_all(program, ec);

  ASSERT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.errors, "");
  ASSERT_EQ(run.lines.size(), rows.size()) << run.errors;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(run.lines[i], rows[i].second) << rows[i].first;
    EXPECT_EQ(strayText(run.lines[i], placeholders), "") << rows[i].first << " -> " << run.lines[i];
  }
}

// The check finds what it is there to find.
TEST(PatternRows, StrayTextIsFound) {
  EXPECT_EQ(strayText("他是不来的はず。", {}), "は");
  EXPECT_EQ(strayText("打电话出〓的之际。", {}), "〓");
  EXPECT_EQ(strayText("我读书。", {"甲乙"}), "");
  EXPECT_EQ(strayText("我甲乙读书。", {"甲乙"}), "甲乙");
}

}  // namespace
