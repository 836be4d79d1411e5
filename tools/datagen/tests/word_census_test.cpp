#include "tools/datagen/word_census.h"

#include <gtest/gtest.h>

namespace {

TEST(WordCensus, TellsRealKeysFromPlaceholdersAndReadsTheirReasons) {
  const std::vector<datagen::WordKeyShape> shapes = {
      {"a.one", 1, 1, 1}, {"a.list", 3, 1, 2}, {"a.misfit", 2, 1, 1}, {"a.left", 1, 2, 2}, {"a.silent", 0, 1, 0}};
  const std::string source =
      "# a comment\n"
      "a.one\t的\n"
      "a.list\t|在|从|对于|\n"
      "a.misfit\t|的|\n"  // one word where two are declared: the writer drops it
      "#placeholder a.left\tno word of two characters fits the rule\n"
      "#placeholder a.silent\n";  // no TAB: no reason
  const std::vector<datagen::KeyCensus> census = datagen::wordTableCensus(shapes, source);
  ASSERT_EQ(census.size(), shapes.size());
  const struct {
    bool real, given;
    const char* reason;
  } want[] = {{true, true, ""},
              {true, true, ""},
              {false, true, ""},
              {false, false, "no word of two characters fits the rule"},
              {false, false, ""}};
  for (std::size_t i = 0; i < census.size(); ++i) {
    EXPECT_EQ(census[i].key, shapes[i].key);
    EXPECT_EQ(census[i].real, want[i].real) << census[i].key;
    EXPECT_EQ(census[i].given, want[i].given) << census[i].key;
    EXPECT_EQ(census[i].reason, want[i].reason) << census[i].key;
  }
}

}  // namespace
