#include "tools/datagen/pinned_sentences.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(PinnedSentences, WhatTheWriterWritesIsReadBack) {
  const std::vector<datagen::PinnedSentence> written = {
      {"basic-01", "本を読む。", "读书。", "verb and object"},
      {"basic-02", "hello 123", "", ""},  // an empty expected line and note
      {"odd", "a\tb", "c\nd", "e\r"},     // separators inside a field become spaces
  };
  std::string text = "# id\tinput\texpected\tnote\n\n";
  for (const auto& s : written) text += datagen::pinnedSentenceLine(s);
  std::vector<datagen::PinnedSentence> read;
  std::string error;
  ASSERT_TRUE(datagen::readPinnedSentences(text, read, &error)) << error;
  ASSERT_EQ(read.size(), 3u);
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(read[i].id, written[i].id);
    EXPECT_EQ(read[i].input, written[i].input);
    EXPECT_EQ(read[i].expected, written[i].expected);
    EXPECT_EQ(read[i].note, written[i].note);
  }
  EXPECT_EQ(read[2].input, "a b");
  EXPECT_EQ(read[2].expected, "c d");
  EXPECT_EQ(read[2].note, "e ");
}

TEST(PinnedSentences, BrokenLinesAreRefusedWithTheirNumber) {
  const struct {
    const char* text;
    const char* error;
  } cases[] = {
      {"# header\nx\tin\tout\n", "line 2: 4 fields expected, 3 found"},
      {"x\tin\tout\tnote\textra\n", "line 1: 4 fields expected, 5 found"},
      {"\tin\tout\tnote\n", "line 1: empty id or input"},
      {"x\t\tout\tnote\n", "line 1: empty id or input"},
      {"x\ta\tb\t\r\nx\tc\td\t\n", "line 2: id x seen before"},
  };
  for (const auto& k : cases) {
    std::vector<datagen::PinnedSentence> read;
    std::string error;
    EXPECT_FALSE(datagen::readPinnedSentences(k.text, read, &error)) << k.text;
    EXPECT_EQ(error, k.error) << k.text;
  }
  std::vector<datagen::PinnedSentence> read;
  std::string error;
  EXPECT_FALSE(datagen::readPinnedSentencesFile("/nonexistent/table.tsv", read, &error));
  EXPECT_NE(error.find("cannot be read"), std::string::npos);
}

// Every table of the source tree reads, and holds sentences.
TEST(PinnedSentences, TheSourceTreeTablesRead) {
  int tables = 0;
  for (const auto& e : std::filesystem::directory_iterator(datagen::pinnedTablesFolder(SUITE_TEST_SOURCE_DIR))) {
    if (e.path().extension() != ".tsv") continue;
    ++tables;
    std::vector<datagen::PinnedSentence> read;
    std::string error;
    EXPECT_TRUE(datagen::readPinnedSentencesFile(e.path().string(), read, &error)) << error;
    EXPECT_FALSE(read.empty()) << e.path();
  }
  EXPECT_GE(tables, 4);
}

}  // namespace
